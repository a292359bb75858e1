#include "platform/audio/core/Dynamics.h"

#include <cmath>

#include "platform/audio/core/DspMath.h"

namespace {

// Threshold levels the dialogs can reach, with room on both sides.
float ThresholdGain(float db) { return static_cast<float>(dsp::DbToGain(dsp::Clamp(db, -120.0, 24.0))); }

// (level / threshold) ^ exponent, never below -240 dB so no denormal follows.
float PowerLaw(float ratio, float exponent) {
  const float log2Gain = std::max(-40.0f, exponent * std::log2(std::max(ratio, 1e-30f)));
  return std::exp2(log2Gain);
}

}  // namespace

void CompressorEffect::Begin(const EffectContext& context) {
  InPlaceEffect::Begin(context);
  threshold_ = ThresholdGain(thresholdDb_);
  ratio_ = static_cast<float>(dsp::Fraction(rate_));
  makeUp_ = static_cast<float>(dsp::Clamp(output_, 0.0, 10000.0) / 100.0);
  peakRelease_ = dsp::SmoothingCoefficient(100.0, context.SampleRate);
  attack_ = dsp::SmoothingCoefficient(5.0, context.SampleRate);
  release_ = dsp::SmoothingCoefficient(100.0, context.SampleRate);
  peak_ = 0.0f;
  gain_ = 1.0f;
}

void CompressorEffect::Apply(float* samples, std::int64_t frames, int channels, std::int64_t) {
  const float inverseThreshold = 1.0f / threshold_;
  float peak = peak_, gain = gain_;
  for (std::int64_t i = 0; i < frames; ++i) {
    float* frame = samples + i * channels;
    float level = std::fabs(frame[0]);
    if (channels == 2) level = std::max(level, std::fabs(frame[1]));
    peak = std::max(level, peak * peakRelease_);
    const float target = peak > threshold_ ? PowerLaw(peak * inverseThreshold, -ratio_) : 1.0f;
    const float k = target < gain ? attack_ : release_;
    gain = k * gain + (1.0f - k) * target;
    const float g = gain * makeUp_;
    for (int c = 0; c < channels; ++c) frame[c] *= g;
  }
  peak_ = peak, gain_ = gain;
}

void NoiseReductionEffect::Begin(const EffectContext& context) {
  InPlaceEffect::Begin(context);
  threshold_ = ThresholdGain(thresholdDb_);
  exponent_ = static_cast<float>(9.0 * dsp::Fraction(rate_));
  attack_ = dsp::SmoothingCoefficient(5.0, context.SampleRate);
  release_ = dsp::SmoothingCoefficient(50.0, context.SampleRate);
  const long long frames = dsp::MsToFrames(dsp::Clamp(rmsMs_, 0.0, 2000.0), context.SampleRate);
  window_.assign(static_cast<std::size_t>(frames), 0.0);
  next_ = 0;
  sum_ = 0.0;
  level_ = 0.0f;
}

float NoiseReductionEffect::Detect(float power) {
  if (window_.empty()) return std::sqrt(power);
  sum_ += power - window_[next_];
  window_[next_] = power;
  if (++next_ == window_.size()) {
    // Once per window the sum is rebuilt, so rounding cannot build up over a long file.
    next_ = 0;
    sum_ = 0.0;
    for (double p : window_) sum_ += p;
  }
  return static_cast<float>(std::sqrt(std::max(0.0, sum_) / static_cast<double>(window_.size())));
}

void NoiseReductionEffect::Apply(float* samples, std::int64_t frames, int channels, std::int64_t) {
  const float inverseThreshold = 1.0f / threshold_;
  float level = level_;
  for (std::int64_t i = 0; i < frames; ++i) {
    float* frame = samples + i * channels;
    float power = frame[0] * frame[0];
    if (channels == 2) power = 0.5f * (power + frame[1] * frame[1]);
    const float detected = Detect(power);
    const float k = detected > level ? attack_ : release_;
    level = k * level + (1.0f - k) * detected;
    if (level >= threshold_) continue;
    const float g = PowerLaw(level * inverseThreshold, exponent_);
    for (int c = 0; c < channels; ++c) frame[c] *= g;
  }
  level_ = level;
}
