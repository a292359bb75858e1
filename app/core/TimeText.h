#pragma once
// Times shown to the user: milliseconds split into hours, minutes, seconds and milliseconds and
// written as "h:mm:ss.zzz" (hours not limited to one digit).

#include "platform/framework/base/Types.h"

struct TTimeParts {
  int Hours = 0;
  int Minutes = 0;
  int Seconds = 0;
  int Milliseconds = 0;
};

// h * 3600000 + m * 60000 + s * 1000 + ms in signed 32 bits (wrapping beyond about 596 hours).
int TimeToMilliseconds(int hours, int minutes, int seconds, int milliseconds);
// Truncating division into the four parts.
TTimeParts MillisecondsToTime(int milliseconds);
String FormatTimeText(int milliseconds);
