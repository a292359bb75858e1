#include "ui/bars/items/DateUtils.h"

#include <oleauto.h>

#include <algorithm>

#include <cmath>
#include <cwctype>

#include "platform/framework/rtl/SysUtils.h"
#include "ui/bars/BarStrings.h"
#include "ui/foundation/Classes.h"

namespace {

TdxBarDateLocale ThreadLocaleAnswers() {
  TdxBarDateLocale locale;
  locale.Info = [](LCTYPE Type, const String& Default) {
    return LocaleInfoStrOrDefault(::GetThreadLocale(), Type, Default);
  };
  locale.DateText = [](const SYSTEMTIME& Time, const String& Format, String& Text) {
    wchar_t buffer[100];
    const int n = ::GetDateFormatW(::GetThreadLocale(), 0, &Time, Format.empty() ? nullptr : Format.c_str(), buffer, 100);
    if (n <= 0) return false;
    Text.assign(buffer, n - 1);
    return true;
  };
  locale.TimeText = [](const SYSTEMTIME& Time, String& Text) {
    wchar_t buffer[100];
    const int n = ::GetTimeFormatW(::GetThreadLocale(), 0, &Time, nullptr, buffer, 100);
    if (n <= 0) return false;
    Text.assign(buffer, n - 1);
    return true;
  };
  return locale;
}

String Lower(String S) {
  for (wchar_t& c : S) c = static_cast<wchar_t>(std::towlower(c));
  return S;
}

}  // namespace

TdxBarDateLocale& BarDateLocale() {
  static TdxBarDateLocale locale = ThreadLocaleAnswers();
  return locale;
}

void ResetBarDateLocale() { BarDateLocale() = ThreadLocaleAnswers(); }

String LocaleString(LCTYPE Type, const String& Default) { return BarDateLocale().Info(Type, Default); }

void StepMonthBack(Word& Year, Word& Month) {
  if (Month == 1) {
    --Year;
    Month = 12;
  } else {
    --Month;
  }
}

void StepMonthForward(Word& Year, Word& Month) {
  if (Month == 12) {
    ++Year;
    Month = 1;
  } else {
    ++Month;
  }
}

void ShiftMonths(Word& Year, Word& Month, int Delta) {
  int year = Year + Delta / 12;
  int m = Month + Delta % 12;
  if (m <= 0) {
    --year;
    m += 12;
  } else if (m > 12) {
    ++year;
    m -= 12;
  }
  Year = static_cast<Word>(year);
  Month = static_cast<Word>(m);
}

Word DatePart(int Element, IdxDateDecoder* Calendar, double Date) {
  Word year = 0, month = 0, day = 0;
  if (Calendar)
    Calendar->DecodeDate(Date, year, month, day);
  else
    DecodeDate(Date, year, month, day);
  switch (Element) {
    case 0: return year;
    case 1: return month;
    default: return day;
  }
}

bool IsLeapYearNumber(int Year) { return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0; }

int MonthDayCount(int Year, int Month) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return days[Month - 1] + (Month == 2 && IsLeapYearNumber(Year) ? 1 : 0);
}

int ClampDay(int Year, int Month, int Day) {
  if (Day <= 0) return 1;
  return std::min(Day, MonthDayCount(Year, Month));
}

double TimePartOf(double Date) { return Date - std::trunc(Date); }
double DatePartOf(double Date) { return std::trunc(Date); }

int FirstDayOfWeek() {
  int first = 0;
  try {
    first = std::stoi(LocaleString(LOCALE_IFIRSTDAYOFWEEK, L"0"));
  } catch (...) {
    first = 0;
  }
  first += 1;
  return first == 7 ? 0 : first;
}

String DateFormatString(bool FourDigitYear, bool UseProgramFormats, double Date) {
  String format;
  if (UseProgramFormats) {
    format = FormatSettings.ShortDateFormat;
    if (TimePartOf(Date) != 0) format += L" " + FormatSettings.LongTimeFormat;
  } else {
    format = LocaleString(LOCALE_SSHORTDATE, L"");
  }
  if (FourDigitYear) {
    const String lower = Lower(format);
    const size_t yy = lower.find(L"yy");
    if (lower.find(L"yyy") == String::npos && yy != String::npos) format.insert(yy + 2, 2, format[yy]);
  }
  return format;
}

String FormatDateTimeText(bool FourDigitYear, bool UseProgramFormats, double Date) {
  if (Date == dxNullDate) return String();
  const String format = DateFormatString(FourDigitYear, UseProgramFormats, Date);
  if (UseProgramFormats) return FormatDateTime(format, Date);
  SYSTEMTIME time{};
  DateTimeToSystemTime(Date, time);
  String text;
  if (BarDateLocale().DateText(time, format, text)) {
    String timeText;
    if (TimePartOf(Date) != 0 && BarDateLocale().TimeText(time, timeText)) text += L" " + timeText;
    return text;
  }
  BSTR converted = nullptr;
  if (FAILED(::VarBstrFromDate(Date, ::GetThreadLocale(), 0, &converted)) || !converted) return String();
  text.assign(converted, ::SysStringLen(converted));
  ::SysFreeString(converted);
  return text;
}

String TodayCaption() { return dxBarString(dxbsToday); }
String ClearCaption() { return dxBarString(dxbsClear); }
