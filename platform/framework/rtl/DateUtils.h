#pragma once
// Dates and times as TDateTime (days since 1899-12-30, the fraction is the time of day), the clock
// every "now" reads, and the text forms of dates and times.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(RTL);

#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/base/Types.h"

struct _SYSTEMTIME;

constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = 24 * 60;
constexpr int SecsPerDay = 24 * 60 * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;

// ---- the clock seam -------------------------------------------------------------------------

// The source of the current local date and time and of the millisecond tick. The system clock is
// installed by default; tests and simulations install their own.
class TClock {
 public:
  virtual ~TClock() = default;
  // The local date and time.
  virtual TDateTime Now() = 0;
  // Milliseconds since an arbitrary start; never goes backwards.
  virtual UInt64 TickCount() = 0;
};

// Installs clock (null: the system clock) and returns the previous one (null when it was the
// system clock). The caller keeps ownership.
TClock* SetClock(TClock* clock);

// A clock that moves only when told to: Advance moves the date-time and the tick together.
class TManualClock : public TClock {
 public:
  explicit TManualClock(TDateTime now = 0, UInt64 tick = 0) : now_(now), tick_(tick) {}
  TDateTime Now() override { return now_; }
  UInt64 TickCount() override { return tick_; }
  void SetNow(TDateTime now) { now_ = now; }
  void Advance(UInt64 milliseconds);

 private:
  TDateTime now_;
  UInt64 tick_;
};

// Installs a clock for the lifetime of the scope and then puts the previous one back.
class TClockScope {
 public:
  explicit TClockScope(TClock& clock) : previous_(SetClock(&clock)) {}
  ~TClockScope() { SetClock(previous_); }
  TClockScope(const TClockScope&) = delete;
  TClockScope& operator=(const TClockScope&) = delete;

 private:
  TClock* previous_;
};

TDateTime Now();
// Today at midnight.
TDateTime Date();
// The time of day alone.
TDateTime Time();
// The clock's millisecond tick.
UInt64 TickCount();

// ---- calendar -------------------------------------------------------------------------------

bool IsLeapYear(Word year);
// 28 to 31; 0 for a month outside 1..12.
Word DaysInAMonth(Word year, Word month);

// Years 1..9999. EncodeDate raises EConvertError "Invalid argument to date encode", EncodeTime
// "Invalid argument to time encode".
bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date);
bool TryEncodeTime(Word hour, Word minute, Word second, Word millisecond, TDateTime& time);
TDateTime EncodeDate(Word year, Word month, Word day);
TDateTime EncodeTime(Word hour, Word minute, Word second, Word millisecond);
TDateTime EncodeDateTime(Word year, Word month, Word day, Word hour, Word minute, Word second, Word millisecond);
void DecodeDate(TDateTime date, Word& year, Word& month, Word& day);
void DecodeTime(TDateTime time, Word& hour, Word& minute, Word& second, Word& millisecond);
void DecodeDateTime(TDateTime value, Word& year, Word& month, Word& day, Word& hour, Word& minute, Word& second,
                    Word& millisecond);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime date);

TDateTime SystemTimeToDateTime(const _SYSTEMTIME& systemTime);
void DateTimeToSystemTime(TDateTime value, _SYSTEMTIME& systemTime);

// ---- text -----------------------------------------------------------------------------------

// Patterns (letters in either case): d dd ddd dddd ddddd (short date) dddddd (long date),
// m mm mmm mmmm (minutes right after an hour), yy yyyy, h hh (12-hour when the pattern has am/pm,
// a/p or ampm), n nn, s ss, z zzz, t (short time), tt (long time), c (short date and long time),
// / (date separator), : (time separator), 'quoted' and "quoted" literals; anything else is copied.
String FormatDateTime(const String& format, TDateTime value);
String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& settings);

String DateToStr(TDateTime value);
String TimeToStr(TDateTime value);
String DateTimeToStr(TDateTime value);

// Dates are read in the order of the short date format with the date separator; a missing year is
// this year, two-digit years fall within 50 years of now. Times are h:n[:s[.z]] with the time
// separator and an optional AM/PM marker. The raising forms give EConvertError
// "'<text>' is not a valid date" / "... time" / "... date and time".
bool TryStrToDate(const String& text, TDateTime& value);
bool TryStrToTime(const String& text, TDateTime& value);
bool TryStrToDateTime(const String& text, TDateTime& value);
bool TryStrToDate(const String& text, TDateTime& value, const TFormatSettings& settings);
bool TryStrToTime(const String& text, TDateTime& value, const TFormatSettings& settings);
bool TryStrToDateTime(const String& text, TDateTime& value, const TFormatSettings& settings);
TDateTime StrToDate(const String& text);
TDateTime StrToTime(const String& text);
TDateTime StrToDateTime(const String& text);
TDateTime StrToDateDef(const String& text, TDateTime defaultValue);
TDateTime StrToTimeDef(const String& text, TDateTime defaultValue);
TDateTime StrToDateTimeDef(const String& text, TDateTime defaultValue);
