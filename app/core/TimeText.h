#pragma once
// Times shown to the user: milliseconds split into hours, minutes, seconds and milliseconds and
// written as "h:mm:ss.zzz" (hours not limited to one digit).

#include <cstdint>

#include "platform/framework/base/Types.h"

struct TTimeParts {
  int Hours = 0;
  int Minutes = 0;
  int Seconds = 0;
  int Milliseconds = 0;
};

// h * 3600000 + m * 60000 + s * 1000 + ms in signed 32 bits (wrapping beyond about 596 hours).
int TimeToMilliseconds(int hours, int minutes, int seconds, int milliseconds);
// The same sum in 64 bits over parts of any size (negative parts count 0), saturating at 2^31 - 1:
// for times typed by the user, whose fields have no bound.
int SaturatedTimeToMilliseconds(std::int64_t hours, std::int64_t minutes, std::int64_t seconds,
                                std::int64_t milliseconds);
// Truncating division into the four parts.
TTimeParts MillisecondsToTime(int milliseconds);
String FormatTimeText(int milliseconds);
