#include "platform/framework/rtl/DateUtils.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/Win32.h"

namespace {

// ---- clock ----------------------------------------------------------------------------------

class SystemClock : public TClock {
 public:
  TDateTime Now() override {
    SYSTEMTIME local;
    GetLocalTime(&local);
    return SystemTimeToDateTime(local);
  }
  UInt64 TickCount() override { return GetTickCount64(); }
};

SystemClock g_systemClock;
std::atomic<TClock*> g_clock{nullptr};

TClock& CurrentClock() {
  TClock* clock = g_clock.load(std::memory_order_acquire);
  return clock ? *clock : g_systemClock;
}

// ---- day numbers ----------------------------------------------------------------------------

// Days between 1970-01-01 and 1899-12-30.
constexpr Int64 kUnixEpochDay = 25569;

// Proleptic Gregorian day count relative to 1970-01-01.
Int64 DaysFromCivil(Int64 y, unsigned m, unsigned d) {
  y -= m <= 2;
  const Int64 era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<Int64>(doe) - 719468;
}

void CivilFromDays(Int64 z, Int64& y, unsigned& m, unsigned& d) {
  z += 719468;
  const Int64 era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<Int64>(yoe) + era * 400 + (m <= 2);
}

// A date-time split into its day number and the milliseconds of that day. Before the epoch the
// fraction still counts forward from midnight (-1.25 is 1899-12-29 06:00).
struct Split {
  Int64 day;
  int msOfDay;
};

Split SplitDateTime(TDateTime value) {
  // Keep decoding defined for values no calendar date has (NaN, infinities, beyond year 9999).
  if (std::isnan(value)) value = 0;
  value = std::clamp(value, -693594.0 + 1.0 / MSecsPerDay, 2958466.0 - 1.0 / MSecsPerDay);
  const Int64 total = std::llround(std::fabs(value) * MSecsPerDay);
  const Int64 day = total / MSecsPerDay;
  return {value < 0 ? -day : day, static_cast<int>(total % MSecsPerDay)};
}

// ---- formatting -----------------------------------------------------------------------------

struct DateParts {
  Word year, month, day, hour, minute, second, millisecond;
  int dayOfWeek;  // 1 = Sunday
};

String Padded(int value, int digits) {
  String text = IntToStr(value);
  if (static_cast<int>(text.size()) < digits) text.insert(0, digits - text.size(), L'0');
  return text;
}

bool StartsNoCase(const String& text, std::size_t at, const wchar_t* word) {
  for (std::size_t i = 0; word[i]; ++i) {
    if (at + i >= text.size()) return false;
    wchar_t c = text[at + i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
    if (c != word[i]) return false;
  }
  return true;
}

// True when the pattern shows hours on a 12-hour clock.
bool HasAmPm(const String& format) {
  wchar_t quote = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const wchar_t c = format[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == L'\'' || c == L'"') {
      quote = c;
    } else if (StartsNoCase(format, i, L"am/pm") || StartsNoCase(format, i, L"a/p") || StartsNoCase(format, i, L"ampm")) {
      return true;
    }
  }
  return false;
}

class DateTimeWriter {
 public:
  DateTimeWriter(const DateParts& parts, bool hasTime, const TFormatSettings& settings)
      : parts_(parts), hasTime_(hasTime), settings_(settings) {}

  void Write(const String& format, int depth = 0) {
    if (depth > 2) return;  // nested short/long formats cannot recurse further
    const bool twelveHour = HasAmPm(format);
    std::size_t i = 0;
    while (i < format.size()) {
      const wchar_t c = format[i];
      const wchar_t lower = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
      std::size_t run = 1;
      while (i + run < format.size() && (format[i + run] == c || format[i + run] == (lower == c ? c - 32 : lower))) ++run;
      switch (lower) {
        case L'\'':
        case L'"': {
          const auto close = format.find(c, i + 1);
          out_ += format.substr(i + 1, close == String::npos ? String::npos : close - i - 1);
          i = close == String::npos ? format.size() : close + 1;
          continue;
        }
        case L'/': out_ += settings_.DateSeparator; i += 1; continue;
        case L':': out_ += settings_.TimeSeparator; i += 1; continue;
        case L'a':
          i += AmPm(format, i);
          continue;
        case L'y':
          out_ += run <= 2 ? Padded(parts_.year % 100, 2) : Padded(parts_.year, 4);
          lastWasHour_ = false;
          break;
        case L'm':
          if (lastWasHour_) {
            out_ += Padded(parts_.minute, run >= 2 ? 2 : 1);
            run = std::min<std::size_t>(run, 2);
          } else if (run >= 4) {
            out_ += settings_.LongMonthNames[parts_.month - 1];
            run = 4;
          } else if (run == 3) {
            out_ += settings_.ShortMonthNames[parts_.month - 1];
          } else {
            out_ += Padded(parts_.month, static_cast<int>(run));
          }
          lastWasHour_ = false;
          break;
        case L'd':
          run = std::min<std::size_t>(run, 6);
          if (run <= 2) out_ += Padded(parts_.day, static_cast<int>(run));
          else if (run == 3) out_ += settings_.ShortDayNames[parts_.dayOfWeek - 1];
          else if (run == 4) out_ += settings_.LongDayNames[parts_.dayOfWeek - 1];
          else Write(run == 5 ? settings_.ShortDateFormat : settings_.LongDateFormat, depth + 1);
          lastWasHour_ = false;
          break;
        case L'h': {
          run = std::min<std::size_t>(run, 2);
          int hour = parts_.hour;
          if (twelveHour) {
            hour %= 12;
            if (hour == 0) hour = 12;
          }
          out_ += Padded(hour, static_cast<int>(run));
          lastWasHour_ = true;
          break;
        }
        case L'n':
          run = std::min<std::size_t>(run, 2);
          out_ += Padded(parts_.minute, static_cast<int>(run));
          lastWasHour_ = false;
          break;
        case L's':
          run = std::min<std::size_t>(run, 2);
          out_ += Padded(parts_.second, static_cast<int>(run));
          lastWasHour_ = false;
          break;
        case L'z':
          run = run >= 3 ? 3 : 1;
          out_ += Padded(parts_.millisecond, static_cast<int>(run));
          lastWasHour_ = false;
          break;
        case L't':
          run = std::min<std::size_t>(run, 2);
          Write(run == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat, depth + 1);
          lastWasHour_ = false;
          break;
        case L'c':
          run = 1;
          Write(settings_.ShortDateFormat, depth + 1);
          if (hasTime_) {
            out_ += L' ';
            Write(settings_.LongTimeFormat, depth + 1);
          }
          lastWasHour_ = false;
          break;
        default:
          out_.append(format, i, run);
          break;
      }
      i += run;
    }
  }

  const String& Result() const { return out_; }

 private:
  // Writes an am/pm marker at i and returns its length; a lone 'a' is a literal.
  std::size_t AmPm(const String& format, std::size_t i) {
    const bool pm = parts_.hour >= 12;
    if (StartsNoCase(format, i, L"am/pm")) {
      const String marker = pm ? format.substr(i + 3, 2) : format.substr(i, 2);
      out_ += marker;
      return 5;
    }
    if (StartsNoCase(format, i, L"a/p")) {
      out_ += pm ? format[i + 2] : format[i];
      return 3;
    }
    if (StartsNoCase(format, i, L"ampm")) {
      out_ += pm ? settings_.TimePMString : settings_.TimeAMString;
      return 4;
    }
    out_ += format[i];
    return 1;
  }

  const DateParts& parts_;
  bool hasTime_;
  const TFormatSettings& settings_;
  bool lastWasHour_ = false;
  String out_;
};

// ---- parsing --------------------------------------------------------------------------------

class Scanner {
 public:
  explicit Scanner(const String& text) : text_(text) {}

  void SkipBlanks() {
    while (pos_ < text_.size() && text_[pos_] <= L' ') ++pos_;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos_ >= text_.size();
  }
  std::size_t Position() const { return pos_; }
  void SetPosition(std::size_t pos) { pos_ = pos; }

  // Up to four digits; digits receives how many were read.
  bool Number(int& value, int& digits) {
    SkipBlanks();
    value = 0;
    digits = 0;
    while (pos_ < text_.size() && text_[pos_] >= L'0' && text_[pos_] <= L'9' && digits < 4) {
      value = value * 10 + (text_[pos_++] - L'0');
      ++digits;
    }
    return digits > 0;
  }

  bool Char(wchar_t c) {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  // Matches word without regard to case.
  bool Word(const String& word) {
    SkipBlanks();
    if (word.empty() || pos_ + word.size() > text_.size()) return false;
    if (!AnsiSameText(text_.substr(pos_, word.size()), word)) return false;
    pos_ += word.size();
    return true;
  }

 private:
  const String& text_;
  std::size_t pos_ = 0;
};

enum class DateOrder { MDY, DMY, YMD };

DateOrder OrderOf(const String& shortDateFormat) {
  for (wchar_t c : shortDateFormat) {
    switch (c) {
      case L'd': case L'D': return DateOrder::DMY;
      case L'm': case L'M': return DateOrder::MDY;
      case L'y': case L'Y': return DateOrder::YMD;
      default: break;
    }
  }
  return DateOrder::MDY;
}

int ExpandYear(int year, int digits) {
  if (digits > 2) return year;
  Word thisYear, month, day;
  DecodeDate(Now(), thisYear, month, day);
  const int pivot = thisYear - 50;
  year += pivot / 100 * 100;
  if (year < pivot) year += 100;
  return year;
}

bool ScanDate(Scanner& s, const TFormatSettings& settings, TDateTime& date) {
  int n[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
  if (!s.Number(n[0], digits[0]) || !s.Char(settings.DateSeparator) || !s.Number(n[1], digits[1])) return false;
  int count = 2;
  const std::size_t afterTwo = s.Position();
  if (s.Char(settings.DateSeparator)) {
    if (!s.Number(n[2], digits[2])) return false;
    count = 3;
  } else {
    s.SetPosition(afterTwo);
  }
  int year, month, day;
  const DateOrder order = OrderOf(settings.ShortDateFormat);
  if (count == 2) {
    Word thisYear, m, d;
    DecodeDate(Now(), thisYear, m, d);
    year = thisYear;
    if (order == DateOrder::DMY) {
      day = n[0];
      month = n[1];
    } else {
      month = n[0];
      day = n[1];
    }
  } else if (order == DateOrder::YMD) {
    year = ExpandYear(n[0], digits[0]);
    month = n[1];
    day = n[2];
  } else {
    year = ExpandYear(n[2], digits[2]);
    month = order == DateOrder::MDY ? n[0] : n[1];
    day = order == DateOrder::MDY ? n[1] : n[0];
  }
  return TryEncodeDate(static_cast<Word>(year), static_cast<Word>(month), static_cast<Word>(day), date);
}

bool ScanTime(Scanner& s, const TFormatSettings& settings, TDateTime& time) {
  int hour = 0, minute = 0, second = 0, ms = 0, digits = 0;
  if (!s.Number(hour, digits) || !s.Char(settings.TimeSeparator) || !s.Number(minute, digits)) return false;
  if (s.Char(settings.TimeSeparator)) {
    if (!s.Number(second, digits)) return false;
    if (s.Char(settings.DecimalSeparator)) {
      if (!s.Number(ms, digits)) return false;
      while (digits++ < 3) ms *= 10;
    }
  }
  int pm = -1;
  if (s.Word(settings.TimeAMString) || s.Word(L"AM")) pm = 0;
  else if (s.Word(settings.TimePMString) || s.Word(L"PM")) pm = 1;
  if (pm >= 0) {
    if (hour < 1 || hour > 12) return false;
    hour = hour % 12 + (pm ? 12 : 0);
  }
  return TryEncodeTime(static_cast<Word>(hour), static_cast<Word>(minute), static_cast<Word>(second),
                       static_cast<Word>(ms), time);
}

// Date and time joined; a date before the epoch counts its time forward from midnight.
TDateTime Combine(TDateTime date, TDateTime time) { return date < 0 ? date - time : date + time; }

[[noreturn]] void InvalidText(const wchar_t* format, const String& text) { throw EConvertError(Format(format, {text})); }

}  // namespace

// ---- clock ------------------------------------------------------------------------------------

TClock* SetClock(TClock* clock) { return g_clock.exchange(clock, std::memory_order_acq_rel); }

void TManualClock::Advance(UInt64 milliseconds) {
  tick_ += milliseconds;
  now_ += static_cast<double>(milliseconds) / MSecsPerDay;
}

TDateTime Now() { return CurrentClock().Now(); }
TDateTime Date() { return static_cast<TDateTime>(SplitDateTime(Now()).day); }
TDateTime Time() { return static_cast<TDateTime>(SplitDateTime(Now()).msOfDay) / MSecsPerDay; }
UInt64 TickCount() { return CurrentClock().TickCount(); }

// ---- calendar ---------------------------------------------------------------------------------

bool IsLeapYear(Word year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

Word DaysInAMonth(Word year, Word month) {
  static const Word days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month)) return false;
  date = static_cast<TDateTime>(DaysFromCivil(year, month, day) + kUnixEpochDay);
  return true;
}

bool TryEncodeTime(Word hour, Word minute, Word second, Word millisecond, TDateTime& time) {
  if (hour >= 24 || minute >= 60 || second >= 60 || millisecond >= 1000) return false;
  time = static_cast<TDateTime>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / MSecsPerDay;
  return true;
}

TDateTime EncodeDate(Word year, Word month, Word day) {
  TDateTime date;
  if (!TryEncodeDate(year, month, day, date)) throw EConvertError(L"Invalid argument to date encode");
  return date;
}

TDateTime EncodeTime(Word hour, Word minute, Word second, Word millisecond) {
  TDateTime time;
  if (!TryEncodeTime(hour, minute, second, millisecond, time)) throw EConvertError(L"Invalid argument to time encode");
  return time;
}

TDateTime EncodeDateTime(Word year, Word month, Word day, Word hour, Word minute, Word second, Word millisecond) {
  return Combine(EncodeDate(year, month, day), EncodeTime(hour, minute, second, millisecond));
}

void DecodeDate(TDateTime date, Word& year, Word& month, Word& day) {
  Int64 y;
  unsigned m, d;
  CivilFromDays(SplitDateTime(date).day - kUnixEpochDay, y, m, d);
  year = static_cast<Word>(y);
  month = static_cast<Word>(m);
  day = static_cast<Word>(d);
}

void DecodeTime(TDateTime time, Word& hour, Word& minute, Word& second, Word& millisecond) {
  int ms = SplitDateTime(time).msOfDay;
  millisecond = static_cast<Word>(ms % 1000);
  ms /= 1000;
  second = static_cast<Word>(ms % 60);
  ms /= 60;
  minute = static_cast<Word>(ms % 60);
  hour = static_cast<Word>(ms / 60);
}

void DecodeDateTime(TDateTime value, Word& year, Word& month, Word& day, Word& hour, Word& minute, Word& second,
                    Word& millisecond) {
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, millisecond);
}

int DayOfWeek(TDateTime date) {
  const Int64 day = SplitDateTime(date).day;  // day 0 was a Saturday
  return static_cast<int>(((day % 7 + 7) % 7 + 6) % 7) + 1;
}

TDateTime SystemTimeToDateTime(const _SYSTEMTIME& st) {
  return EncodeDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

void DateTimeToSystemTime(TDateTime value, _SYSTEMTIME& st) {
  DecodeDateTime(value, st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
  st.wDayOfWeek = static_cast<WORD>(DayOfWeek(value) - 1);
}

// ---- text -------------------------------------------------------------------------------------

String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& settings) {
  DateParts parts{};
  DecodeDateTime(value, parts.year, parts.month, parts.day, parts.hour, parts.minute, parts.second, parts.millisecond);
  parts.dayOfWeek = DayOfWeek(value);
  DateTimeWriter writer(parts, SplitDateTime(value).msOfDay != 0, settings);
  writer.Write(format.empty() ? String(L"c") : format);
  return writer.Result();
}

String FormatDateTime(const String& format, TDateTime value) { return FormatDateTime(format, value, FormatSettings); }

String DateToStr(TDateTime value) { return FormatDateTime(L"ddddd", value); }
String TimeToStr(TDateTime value) { return FormatDateTime(L"tt", value); }
String DateTimeToStr(TDateTime value) { return FormatDateTime(L"c", value); }

bool TryStrToDate(const String& text, TDateTime& value, const TFormatSettings& settings) {
  Scanner s(text);
  TDateTime date;
  if (!ScanDate(s, settings, date) || !s.AtEnd()) return false;
  value = date;
  return true;
}

bool TryStrToTime(const String& text, TDateTime& value, const TFormatSettings& settings) {
  Scanner s(text);
  TDateTime time;
  if (!ScanTime(s, settings, time) || !s.AtEnd()) return false;
  value = time;
  return true;
}

bool TryStrToDateTime(const String& text, TDateTime& value, const TFormatSettings& settings) {
  Scanner s(text);
  TDateTime date, time;
  if (ScanDate(s, settings, date)) {
    if (s.AtEnd()) {
      value = date;
      return true;
    }
    if (ScanTime(s, settings, time) && s.AtEnd()) {
      value = Combine(date, time);
      return true;
    }
    return false;
  }
  return TryStrToTime(text, value, settings);
}

bool TryStrToDate(const String& text, TDateTime& value) { return TryStrToDate(text, value, FormatSettings); }
bool TryStrToTime(const String& text, TDateTime& value) { return TryStrToTime(text, value, FormatSettings); }
bool TryStrToDateTime(const String& text, TDateTime& value) { return TryStrToDateTime(text, value, FormatSettings); }

TDateTime StrToDate(const String& text) {
  TDateTime value;
  if (!TryStrToDate(text, value)) InvalidText(L"'%s' is not a valid date", text);
  return value;
}

TDateTime StrToTime(const String& text) {
  TDateTime value;
  if (!TryStrToTime(text, value)) InvalidText(L"'%s' is not a valid time", text);
  return value;
}

TDateTime StrToDateTime(const String& text) {
  TDateTime value;
  if (!TryStrToDateTime(text, value)) InvalidText(L"'%s' is not a valid date and time", text);
  return value;
}

TDateTime StrToDateDef(const String& text, TDateTime defaultValue) {
  TDateTime value;
  return TryStrToDate(text, value) ? value : defaultValue;
}

TDateTime StrToTimeDef(const String& text, TDateTime defaultValue) {
  TDateTime value;
  return TryStrToTime(text, value) ? value : defaultValue;
}

TDateTime StrToDateTimeDef(const String& text, TDateTime defaultValue) {
  TDateTime value;
  return TryStrToDateTime(text, value) ? value : defaultValue;
}
