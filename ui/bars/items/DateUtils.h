#pragma once
// Date routines of the date items: month arithmetic, days per month, the locale's first day of the
// week, and a date as display text in the user's locale or in the program's own formats. The locale
// answers come through one replaceable query (BarDateLocale), so that tests can pin them.

#include <windows.h>

#include <functional>

#include "platform/framework/base/Types.h"
#include "platform/framework/rtl/DateUtils.h"

// The value that stands for "no date".
constexpr double dxNullDate = -700000;

// The locale answers the date routines use (the thread locale's by default).
struct TdxBarDateLocale {
  // The locale's value for an information code, or Default.
  std::function<String(LCTYPE Type, const String& Default)> Info;
  // GetDateFormatW / GetTimeFormatW with the thread locale; false when the call fails. An empty
  // Format takes the locale's own.
  std::function<bool(const SYSTEMTIME& Time, const String& Format, String& Text)> DateText;
  std::function<bool(const SYSTEMTIME& Time, String& Text)> TimeText;
};
TdxBarDateLocale& BarDateLocale();
// Puts the thread locale's answers back.
void ResetBarDateLocale();

// A calendar that decodes dates its own way (the date items' calendars).
class IdxDateDecoder {
 public:
  virtual void DecodeDate(double Date, Word& Year, Word& Month, Word& Day) = 0;

 protected:
  ~IdxDateDecoder() = default;
};

String LocaleString(LCTYPE Type, const String& Default);
void StepMonthBack(Word& Year, Word& Month);
void StepMonthForward(Word& Year, Word& Month);
void ShiftMonths(Word& Year, Word& Month, int Delta);
// Element 0 the year, 1 the month, 2 the day; Gregorian without a calendar.
Word DatePart(int Element, IdxDateDecoder* Calendar, double Date);
bool IsLeapYearNumber(int Year);
int MonthDayCount(int Year, int Month);
int ClampDay(int Year, int Month, int Day);
double TimePartOf(double Date);
double DatePartOf(double Date);
// 0 Sunday, 1 Monday ... 6 Saturday.
int FirstDayOfWeek();
// The format a date is shown with (the program's, or the locale's short date format), with a
// two-letter year widened to four letters when asked.
String DateFormatString(bool FourDigitYear, bool UseProgramFormats, double Date);
String FormatDateTimeText(bool FourDigitYear, bool UseProgramFormats, double Date);
String TodayCaption();
String ClearCaption();
