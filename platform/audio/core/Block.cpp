#include "platform/audio/core/Block.h"

#include <algorithm>

namespace {

// Min/max over values in lanes of eight, a shape the compiler turns into packed min/max; each lane
// holds one channel's values since eight is a multiple of the channel count.
constexpr int kLanes = 8;

void ScanLanes(const float* values, std::int64_t count, float* mins, float* maxs) {
  for (std::int64_t i = 0; i + kLanes <= count; i += kLanes) {
    for (int j = 0; j < kLanes; ++j) {
      const float v = values[i + j];
      mins[j] = v < mins[j] ? v : mins[j];
      maxs[j] = v > maxs[j] ? v : maxs[j];
    }
  }
}

}  // namespace

void ScanPeaks(const float* samples, std::int64_t frames, int channels, PeakPair* out) {
  const std::int64_t values = frames * channels;
  const std::int64_t laned = values / kLanes * kLanes;
  float mins[kLanes], maxs[kLanes];
  for (int j = 0; j < kLanes; ++j) mins[j] = maxs[j] = j < laned ? samples[j] : 0.0f;
  ScanLanes(samples, laned, mins, maxs);
  for (int c = 0; c < channels; ++c) {
    const std::int64_t first = std::min<std::int64_t>(c, values - 1);
    out[c] = {values ? samples[first] : 0.0f, values ? samples[first] : 0.0f};
  }
  if (laned > 0) {
    for (int j = 0; j < kLanes; ++j) {
      PeakPair& p = out[j % channels];
      p.Min = std::min(p.Min, mins[j]);
      p.Max = std::max(p.Max, maxs[j]);
    }
  }
  for (std::int64_t i = laned; i < values; ++i) {
    PeakPair& p = out[i % channels];
    p.Min = std::min(p.Min, samples[i]);
    p.Max = std::max(p.Max, samples[i]);
  }
}

void PeakSummary::Build(const float* samples, std::int64_t frames, int channels) {
  channels_ = channels;
  const std::int64_t entries = (frames + kSummaryFrames - 1) / kSummaryFrames;
  entries_.assign(static_cast<std::size_t>(entries * channels), PeakPair{});
  for (std::int64_t e = 0; e < entries; ++e) {
    const std::int64_t first = e * kSummaryFrames;
    const std::int64_t count = std::min(kSummaryFrames, frames - first);
    ScanPeaks(samples + first * channels, count, channels, &entries_[static_cast<std::size_t>(e * channels)]);
  }
  for (int c = 0; c < channels; ++c) {
    PeakPair whole = entries ? entries_[static_cast<std::size_t>(c)] : PeakPair{};
    for (std::int64_t e = 1; e < entries; ++e) {
      const PeakPair& p = Entry(e, c);
      whole.Min = std::min(whole.Min, p.Min);
      whole.Max = std::max(whole.Max, p.Max);
    }
    whole_[c] = whole;
  }
}
