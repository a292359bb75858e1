#include "net/HttpDate.h"

#include <cmath>
#include <cstdio>

#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/rtl/TextEncoding.h"

String FormatHttpDate(TDateTime Value) {
  static const char kDays[] = "MonTueWedThuFriSatSun";
  static const char kMonths[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
  Word year, month, day, hour, minute, second, millisecond;
  DecodeDateTime(Value, year, month, day, hour, minute, second, millisecond);
  // Day 0 (30 December 1899) was a Saturday; the modulo keeps dates before it in range too.
  const long long wholeDays = static_cast<long long>(std::floor(Value));
  const int weekday = static_cast<int>(((wholeDays - 2) % 7 + 7) % 7);
  char text[40];
  std::snprintf(text, sizeof(text), "%.3s, %02d %.3s %04d %02d:%02d:%02d", kDays + weekday * 3, day,
                kMonths + (month - 1) * 3, year, hour, minute, second);
  return AnsiToString(text);
}
