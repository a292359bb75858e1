// The date routines: month arithmetic, day clamping, leap years, the first day of the week, the
// format string with its four-digit year, and dates as text (pinned locale and the real one).
#include <gtest/gtest.h>

#include <map>

#include "platform/framework/rtl/SysUtils.h"
#include "ui/bars/items/DateUtils.h"
#include "ui/foundation/Classes.h"

namespace {

class DateRoutines : public testing::Test {
 protected:
  void TearDown() override { ResetBarDateLocale(); }
  // Pins the locale's answers: Info gives Values[Type] or the default.
  void PinInfo(std::map<LCTYPE, String> Values) {
    BarDateLocale().Info = [Values](LCTYPE Type, const String& Default) {
      auto it = Values.find(Type);
      return it == Values.end() ? Default : it->second;
    };
  }
};

TEST_F(DateRoutines, MonthsShiftAcrossYears) {
  struct Case {
    int year, month, delta, wantYear, wantMonth;
  } cases[] = {{2024, 1, -1, 2023, 12}, {2024, 1, -13, 2022, 12}, {2024, 1, 25, 2026, 2}, {2024, 12, 1, 2025, 1},
               {2024, 6, 0, 2024, 6},   {2024, 6, -6, 2023, 12},  {2024, 7, 6, 2025, 1},  {2024, 3, -24, 2022, 3}};
  for (const Case& c : cases) {
    Word y = Word(c.year), m = Word(c.month);
    ShiftMonths(y, m, c.delta);
    EXPECT_EQ(y, c.wantYear) << c.year << "-" << c.month << " by " << c.delta;
    EXPECT_EQ(m, c.wantMonth) << c.year << "-" << c.month << " by " << c.delta;
  }
  Word y = 2024, m = 1;
  StepMonthBack(y, m);
  EXPECT_EQ(y * 100 + m, 202312);
  StepMonthForward(y, m);
  StepMonthForward(y, m);
  EXPECT_EQ(y * 100 + m, 202402);
}

TEST_F(DateRoutines, DaysAreClampedToTheMonthAndLeapYearsFollowTheCenturyRule) {
  struct Case {
    int year, month, day, want;
  } cases[] = {{2024, 2, 30, 29}, {2023, 2, 30, 28}, {2100, 2, 29, 28}, {2000, 2, 29, 29},
               {2023, 4, 31, 30}, {2023, 1, 0, 1},   {2023, 1, -4, 1},  {2023, 12, 31, 31}};
  for (const Case& c : cases) EXPECT_EQ(ClampDay(c.year, c.month, c.day), c.want) << c.year << "-" << c.month << "-" << c.day;
  for (int y : {2000, 2024, 1600}) EXPECT_TRUE(IsLeapYearNumber(y)) << y;
  for (int y : {1900, 2100, 2023}) EXPECT_FALSE(IsLeapYearNumber(y)) << y;
}

TEST_F(DateRoutines, TheFirstDayOfTheWeekCountsFromSunday) {
  struct Case {
    const wchar_t* locale;  // null: the locale has no answer
    int want;
  } cases[] = {{L"6", 0}, {L"0", 1}, {L"2", 3}, {nullptr, 1}};
  for (const Case& c : cases) {
    if (c.locale)
      PinInfo({{LOCALE_IFIRSTDAYOFWEEK, c.locale}});
    else
      PinInfo({});
    EXPECT_EQ(FirstDayOfWeek(), c.want) << (c.locale ? c.locale : L"missing");
  }
}

TEST_F(DateRoutines, AFourDigitYearWidensTwoYearLettersInTheirCase) {
  struct Case {
    const wchar_t* format;
    const wchar_t* want;
  } cases[] = {{L"dd.MM.yy", L"dd.MM.yyyy"},
               {L"M/d/YY", L"M/d/YYYY"},
               {L"yyy-MM-dd", L"yyy-MM-dd"},
               {L"yyyy-MM-dd", L"yyyy-MM-dd"},
               {L"dd MMM", L"dd MMM"}};
  for (const Case& c : cases) {
    PinInfo({{LOCALE_SSHORTDATE, c.format}});
    EXPECT_EQ(DateFormatString(true, false, 45000), c.want);
    EXPECT_EQ(DateFormatString(false, false, 45000), c.format);
  }
}

TEST_F(DateRoutines, DatesBecomeTextWithTheirTimeOnlyWhenTheyHaveOne) {
  PinInfo({{LOCALE_SSHORTDATE, L"yy-MM-dd"}});
  String format;
  bool withTime = false;
  BarDateLocale().DateText = [&](const SYSTEMTIME& T, const String& F, String& Text) {
    format = F;
    Text = IntToStr(T.wYear) + L"/" + IntToStr(T.wMonth) + L"/" + IntToStr(T.wDay);
    return true;
  };
  BarDateLocale().TimeText = [&](const SYSTEMTIME& T, String& Text) {
    withTime = true;
    Text = IntToStr(T.wHour) + L"h";
    return true;
  };
  const double date = EncodeDate(2024, 3, 5);
  EXPECT_EQ(FormatDateTimeText(true, false, date), L"2024/3/5");
  EXPECT_EQ(format, L"yyyy-MM-dd");
  EXPECT_FALSE(withTime);
  EXPECT_EQ(FormatDateTimeText(false, false, date + 0.75), L"2024/3/5 18h");
  EXPECT_EQ(FormatDateTimeText(false, false, dxNullDate), L"");
  EXPECT_EQ(FormatDateTimeText(false, true, dxNullDate), L"");
  EXPECT_DOUBLE_EQ(TimePartOf(date + 0.25), 0.25);
  EXPECT_DOUBLE_EQ(DatePartOf(date + 0.25), date);
  EXPECT_EQ(DatePart(0, nullptr, date), 2024);
  EXPECT_EQ(DatePart(1, nullptr, date), 3);
  EXPECT_EQ(DatePart(2, nullptr, date), 5);

  // When the locale's formatting fails, the automation conversion gives the text.
  BarDateLocale().DateText = [](const SYSTEMTIME&, const String&, String&) { return false; };
  EXPECT_FALSE(FormatDateTimeText(false, false, date).empty());
}

TEST_F(DateRoutines, TheProgramsFormatsAndTheRealLocale) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings.ShortDateFormat = L"dd/mm/yy";
  FormatSettings.LongTimeFormat = L"hh:nn";
  FormatSettings.DateSeparator = L'/';
  FormatSettings.TimeSeparator = L':';
  const double date = EncodeDate(2024, 3, 5);
  EXPECT_EQ(FormatDateTimeText(true, true, date), L"05/03/2024");
  EXPECT_EQ(FormatDateTimeText(false, true, date + 0.5), L"05/03/24 12:00");
  FormatSettings = saved;

  // The test prefix's locale: its own short date format through GetDateFormatW.
  wchar_t expected[100] = {};
  SYSTEMTIME st{};
  DateTimeToSystemTime(date, st);
  ASSERT_GT(::GetDateFormatW(::GetThreadLocale(), 0, &st, LocaleString(LOCALE_SSHORTDATE, L"").c_str(), expected, 100), 0);
  EXPECT_EQ(FormatDateTimeText(false, false, date), expected);
  EXPECT_NE(FormatDateTimeText(false, false, date).find(L"5"), String::npos);
}

TEST_F(DateRoutines, TheButtonCaptionsAreTheLibrarysStrings) {
  EXPECT_EQ(TodayCaption(), L"Today");
  EXPECT_EQ(ClearCaption(), L"Clear");
  AddResourceStringOverride(64888, L"Heute");
  SetResourceStringOverrideMode(rsoByStringId);
  EXPECT_EQ(TodayCaption(), L"Heute");
  ClearResourceStringOverrides();
  SetResourceStringOverrideMode(rsoByDefaultText);
}

}  // namespace
