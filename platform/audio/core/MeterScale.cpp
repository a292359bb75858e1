#include "platform/audio/core/MeterScale.h"

#include <algorithm>
#include <cmath>

#include "platform/audio/core/Block.h"

int MeterLevel(float peak) {
  if (!(peak > 0.0f)) return 0;
  const double level = std::round(kMeterMax + 20.0 * std::log10(static_cast<double>(peak)));
  return static_cast<int>(std::clamp(level, 0.0, static_cast<double>(kMeterMax)));
}

void MeterLevels(const float* samples, std::int64_t frames, int channels, int levels[2]) {
  PeakPair peaks[2];
  ScanPeaks(samples, frames, channels, peaks);
  for (int c = 0; c < 2; ++c) {
    const PeakPair& p = peaks[std::min(c, channels - 1)];
    levels[c] = MeterLevel(std::max(std::fabs(p.Min), std::fabs(p.Max)));
  }
}
