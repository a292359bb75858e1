#include <gtest/gtest.h>

#include <cmath>

#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/base/Exceptions.h"

namespace {

// Known settings for the test; the process's own come back afterwards.
class DateUtilsTest : public ::testing::Test {
 protected:
  DateUtilsTest() : saved_(FormatSettings) { FormatSettings = InvariantFormatSettings(); }
  ~DateUtilsTest() override { FormatSettings = saved_; }

  // 2006-03-07 (a Tuesday) 14:05:09.042
  const TDateTime sample = EncodeDateTime(2006, 3, 7, 14, 5, 9, 42);

 private:
  TFormatSettings saved_;
};

template <class F>
String ConvertErrorOf(F&& f) {
  try {
    f();
  } catch (const EConvertError& e) {
    return e.Message();
  }
  return L"(no error)";
}

TEST_F(DateUtilsTest, DayNumbersCountFromTheEpoch) {
  struct Case {
    Word year, month, day;
    double serial;
    int dayOfWeek;
  };
  const Case cases[] = {
      {1899, 12, 30, 0, 7},     {1900, 1, 1, 2, 2},      {1970, 1, 1, 25569, 5}, {2000, 2, 29, 36585, 3},
      {2006, 3, 7, 38783, 3},   {2024, 3, 10, 45361, 1}, {9999, 12, 31, 2958465, 6}, {1, 1, 1, -693593, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.serial) << c.year << "-" << c.month << "-" << c.day;
    Word y, m, d;
    DecodeDate(c.serial >= 0 ? c.serial + 0.75 : c.serial - 0.75, y, m, d);  // any time of that day
    EXPECT_EQ(y * 10000 + m * 100 + d, c.year * 10000 + c.month * 100 + c.day) << c.serial;
    EXPECT_EQ(DayOfWeek(c.serial), c.dayOfWeek) << c.serial;
  }
}

TEST_F(DateUtilsTest, TimesBeforeTheEpochCountForwardFromMidnight) {
  Word y, m, d, h, n, s, z;
  DecodeDateTime(-1.25, y, m, d, h, n, s, z);
  EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
  EXPECT_EQ(h, 6);
  EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
}

TEST_F(DateUtilsTest, ValuesOutsideTheCalendarDecodeWithinIt) {
  Word y, m, d;
  DecodeDate(1e300, y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 99991231);
  DecodeDate(-1e300, y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 10101);
  DecodeDate(std::nan(""), y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 18991230);
}

TEST_F(DateUtilsTest, InvalidPartsAreRefused) {
  EXPECT_EQ(ConvertErrorOf([] { EncodeDate(1900, 2, 29); }), L"Invalid argument to date encode");
  EXPECT_EQ(ConvertErrorOf([] { EncodeDate(2001, 13, 1); }), L"Invalid argument to date encode");
  EXPECT_EQ(ConvertErrorOf([] { EncodeDate(0, 1, 1); }), L"Invalid argument to date encode");
  EXPECT_EQ(ConvertErrorOf([] { EncodeTime(24, 0, 0, 0); }), L"Invalid argument to time encode");
  EXPECT_EQ(EncodeDate(2000, 2, 29), 36585);
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(2023));
}

TEST_F(DateUtilsTest, FormatDateTimePatterns) {
  struct Case {
    const wchar_t* format;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"hh:nn:ss:zzz", L"14:05:09:042"},
      {L"mmddyyhhnn", L"0307061405"},
      {L"yyyymmddhhnnsszzz", L"20060307140509042"},
      {L"ddd", L"Tue"},
      {L"dddd, mmmm d", L"Tuesday, March 7"},
      {L"mmm-yy", L"Mar-06"},
      {L"hh:mm", L"14:05"},
      {L"h:nn am/pm", L"2:05 pm"},
      {L"h:nn AMPM", L"2:05 PM"},
      {L"h A/P", L"2 P"},
      {L"'at' hh \"o'clock\"", L"at 14 o'clock"},
      {L"d/m/yyyy", L"7/3/2006"},
      {L"c", L"03/07/2006 14:05:09"},
      {L"ddddd", L"03/07/2006"},
      {L"t", L"14:05"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.format, sample), c.expected) << c.format;
  FormatSettings.DateSeparator = L'.';
  FormatSettings.TimeSeparator = L'h';
  EXPECT_EQ(FormatDateTime(L"dd/mm hh:nn", sample), L"07.03 14h05");
  EXPECT_EQ(FormatDateTime(L"c", 38783), L"03.07.2006");  // no time at midnight
}

TEST_F(DateUtilsTest, TextRoundTripsUnderDifferentSettings) {
  struct Settings {
    const wchar_t* shortDate;
    wchar_t dateSeparator;
    const wchar_t* longTime;
    wchar_t timeSeparator;
  };
  const Settings settings[] = {
      {L"MM/dd/yyyy", L'/', L"hh:nn:ss", L':'},
      {L"dd.MM.yyyy", L'.', L"hh:nn:ss", L':'},
      {L"yyyy-MM-dd", L'-', L"h:nn:ss AMPM", L'.'},
  };
  const TDateTime value = EncodeDateTime(2023, 11, 4, 21, 7, 30, 0);
  for (const Settings& s : settings) {
    FormatSettings.ShortDateFormat = s.shortDate;
    FormatSettings.DateSeparator = s.dateSeparator;
    FormatSettings.LongTimeFormat = s.longTime;
    FormatSettings.TimeSeparator = s.timeSeparator;
    EXPECT_EQ(StrToDate(DateToStr(value)), std::floor(value)) << s.shortDate;
    EXPECT_NEAR(StrToTime(TimeToStr(value)), value - std::floor(value), 1e-9) << s.longTime;
    EXPECT_NEAR(StrToDateTime(DateTimeToStr(value)), value, 1e-9) << s.shortDate;
  }
}

TEST_F(DateUtilsTest, StrToTimeForms) {
  struct Case {
    const wchar_t* text;
    int seconds;
  };
  const Case cases[] = {
      {L"00:00:30", 30},      {L"1:02", 3720},      {L" 23:59:59 ", 86399},
      {L"2:30 PM", 52200},    {L"12:00 am", 0},     {L"12:15 PM", 44100},
  };
  for (const Case& c : cases) EXPECT_NEAR(StrToTime(c.text) * SecsPerDay, c.seconds, 1e-6) << c.text;
  EXPECT_NEAR(StrToTime(L"0:0:1.5") * SecsPerDay, 1.5, 1e-6);
  const wchar_t* invalid[] = {L"", L"12", L"25:00", L"10:60", L"13:00 PM", L"1:2:3:4", L"ab:cd"};
  for (const wchar_t* text : invalid)
    EXPECT_EQ(ConvertErrorOf([&] { StrToTime(text); }), L"'" + String(text) + L"' is not a valid time") << text;
  EXPECT_EQ(ConvertErrorOf([] { StrToDate(L"2/30/2001"); }), L"'2/30/2001' is not a valid date");
  EXPECT_EQ(ConvertErrorOf([] { StrToDateTime(L"x"); }), L"'x' is not a valid date and time");
}

TEST_F(DateUtilsTest, TheClockSeamFeedsEveryReading) {
  TManualClock clock(EncodeDateTime(2030, 6, 15, 8, 0, 0, 0), 1000);
  {
    TClockScope scope(clock);
    EXPECT_EQ(Date(), EncodeDate(2030, 6, 15));
    EXPECT_NEAR(Time(), 8.0 / 24, 1e-9);
    EXPECT_EQ(TickCount(), 1000u);
    clock.Advance(90 * 60 * 1000);
    EXPECT_EQ(FormatDateTime(L"hh:nn", Now()), L"09:30");
    EXPECT_EQ(TickCount(), 1000u + 90 * 60 * 1000);
    // Dates without a year, or with two digits, are placed by the clock's year.
    EXPECT_EQ(StrToDate(L"3/7"), EncodeDate(2030, 3, 7));
    EXPECT_EQ(StrToDate(L"3/7/75"), EncodeDate(2075, 3, 7));
    EXPECT_EQ(StrToDate(L"3/7/85"), EncodeDate(1985, 3, 7));
  }
  Word year, month, day;
  DecodeDate(Now(), year, month, day);
  EXPECT_NE(year, 2030);  // the system clock is back
  const UInt64 before = TickCount();
  EXPECT_GE(TickCount(), before);
}

}  // namespace
