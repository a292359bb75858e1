#include "app/core/TimeText.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/framework/rtl/SysUtils.h"

int TimeToMilliseconds(int hours, int minutes, int seconds, int milliseconds) {
  // Unsigned arithmetic wraps where the signed one would be undefined.
  const std::uint32_t total = static_cast<std::uint32_t>(hours) * 3600000u +
                              static_cast<std::uint32_t>(minutes) * 60000u +
                              static_cast<std::uint32_t>(seconds) * 1000u + static_cast<std::uint32_t>(milliseconds);
  return static_cast<int>(total);
}

int SaturatedTimeToMilliseconds(std::int64_t hours, std::int64_t minutes, std::int64_t seconds,
                                std::int64_t milliseconds) {
  static constexpr std::int64_t kMax = std::numeric_limits<int>::max();
  // Each part is bounded first, so no product or sum leaves 64 bits.
  const auto part = [](std::int64_t value) { return std::clamp<std::int64_t>(value, 0, kMax); };
  const std::int64_t total =
      part(hours) * 3600000 + part(minutes) * 60000 + part(seconds) * 1000 + part(milliseconds);
  return static_cast<int>(std::min(total, kMax));
}

TTimeParts MillisecondsToTime(int milliseconds) {
  TTimeParts parts;
  parts.Hours = milliseconds / 3600000;
  parts.Minutes = (milliseconds / 1000) % 3600 / 60;
  parts.Seconds = (milliseconds / 1000) % 60;
  parts.Milliseconds = milliseconds % 1000;
  return parts;
}

String FormatTimeText(int milliseconds) {
  const TTimeParts t = MillisecondsToTime(milliseconds);
  return Format(L"%.1d:%.2d:%.2d.%.3d", {t.Hours, t.Minutes, t.Seconds, t.Milliseconds});
}
