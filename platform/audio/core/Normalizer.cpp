#include "platform/audio/core/Normalizer.h"

#include <cmath>

#include "platform/audio/core/DspMath.h"

namespace {

float FramePeak(const float* frame, int first, int count) {
  float peak = 0.0f;
  for (int c = first; c < first + count; ++c) peak = std::max(peak, std::fabs(frame[c]));
  return peak;
}

}  // namespace

void NormalizeEffect::Begin(const EffectContext& context) {
  InPlaceEffect::Begin(context);
  target_ = static_cast<float>(dsp::Clamp(percent_, 0.0, 10000.0) / 100.0);
  gains_[0] = gains_[1] = 0.0f;
}

void NormalizeEffect::Apply(float* samples, std::int64_t frames, int channels, std::int64_t) {
  if (perChannel_) {
    for (int c = 0; c < channels; ++c) ApplyGroup(samples, frames, channels, c, 1, c);
  } else {
    ApplyGroup(samples, frames, channels, 0, channels, 0);
  }
}

void NormalizeEffect::ApplyGroup(float* samples, std::int64_t frames, int channels, int first, int count, int slot) {
  float peak = 0.0f;
  for (std::int64_t i = 0; i < frames; ++i) peak = std::max(peak, FramePeak(samples + i * channels, first, count));
  if (peak == 0.0f) return;  // silence stays silent whatever the gain
  float& gain = gains_[slot];
  if (gain == 0.0f) gain = target_ / peak;
  const float from = gain;
  float to = gain;
  std::int64_t rampFrames = 0;
  if (peak * gain > target_) {
    to = target_ / peak;
    // Frames before the first one that would pass the target are safe at any gain up to the old one.
    while (FramePeak(samples + rampFrames * channels, first, count) * gain <= target_) ++rampFrames;
  }
  for (std::int64_t i = 0; i < frames; ++i) {
    const float g = i < rampFrames ? from + (to - from) * static_cast<float>(i) / static_cast<float>(rampFrames) : to;
    float* frame = samples + i * channels;
    for (int c = first; c < first + count; ++c) frame[c] *= g;
  }
  gain = to;
}
