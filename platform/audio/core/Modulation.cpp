#include "platform/audio/core/Modulation.h"

#include <cmath>

#include "platform/audio/core/DspMath.h"

namespace {

constexpr double kTwoPi = 2.0 * dsp::kPi;

double Wrapped(double phase) { return phase >= kTwoPi ? phase - kTwoPi : phase; }

double Radians(double degrees) { return dsp::Clamp(degrees, -360.0, 360.0) * dsp::kPi / 180.0; }

}  // namespace

void ModulatedDelayLine::Reset(int channels, double maxDelayFrames) {
  std::size_t size = 4;
  while (size < static_cast<std::size_t>(maxDelayFrames) + 4) size *= 2;
  for (int c = 0; c < 2; ++c) lines_[c].assign(c < channels ? size : 0, 0.0f);
  mask_ = size - 1;
  write_ = 0;
}

float ModulatedDelayLine::Read(int channel, double delay) const {
  const double whole = std::floor(delay);
  const float t = static_cast<float>(delay - whole);
  const std::size_t at = (write_ - static_cast<std::size_t>(whole)) & mask_;
  const std::vector<float>& line = lines_[channel];
  const float newer = line[at], older = line[(at - 1) & mask_];
  return newer + t * (older - newer);
}

void PhaserEffect::Begin(const EffectContext& context) {
  InPlaceEffect::Begin(context);
  rate_ = context.SampleRate;
  wet_ = static_cast<float>(dsp::Fraction(mix_));
  loop_ = static_cast<float>(dsp::ClampFeedback(dsp::Fraction(feedback_)));
  const double period = dsp::Clamp(periodMs_, 0.0, 600000.0);
  step_ = period > 0.0 ? kTwoPi * 1000.0 / (period * rate_) : 0.0;
  nyquistLimit_ = 0.45 * rate_;
  phase_ = 0.0;
  for (Chain& chain : chains_) chain = Chain{};
}

float PhaserEffect::Coefficient() {
  const double hz = step_ > 0.0 ? 200.0 * std::pow(10.0, 0.5 * (1.0 + std::sin(phase_))) : 630.0;
  const double t = std::tan(dsp::kPi * std::min(hz, nyquistLimit_) / rate_);
  phase_ = Wrapped(phase_ + step_);
  return static_cast<float>((t - 1.0) / (t + 1.0));
}

void PhaserEffect::Apply(float* samples, std::int64_t frames, int channels, std::int64_t) {
  for (std::int64_t i = 0; i < frames; ++i) {
    const float a = Coefficient();
    for (int c = 0; c < channels; ++c) {
      Chain& chain = chains_[c];
      float& sample = samples[i * channels + c];
      // A constant far below hearing keeps the all-pass memories from decaying into denormals.
      float v = sample + loop_ * chain.last + 1e-18f;
      for (int k = 0; k < kStages; ++k) {
        const float y = a * v + chain.input[k] - a * chain.output[k];
        chain.input[k] = v;
        chain.output[k] = y;
        v = y;
      }
      chain.last = v;
      sample += wet_ * v;
    }
  }
}

double SweepDelayEffect::BaseDelayMs(SweepKind kind, double delayRate) {
  const double r = dsp::Fraction(delayRate);
  return kind == SweepKind::Flanger ? 0.1 + 9.9 * r : 5.0 + 45.0 * r;
}

void SweepDelayEffect::Begin(const EffectContext& context) {
  InPlaceEffect::Begin(context);
  const int rate = context.SampleRate;
  base_ = BaseDelayMs(kind_, delayRate_) * rate / 1000.0;
  swing_ = base_ * dsp::Fraction(sweepDepth_);
  step_ = kTwoPi * (0.05 + 4.95 * dsp::Fraction(sweepRate_)) / rate;
  lag_ = Radians(sweepPhase_);
  phase_ = 0.0;
  mix_ = static_cast<float>(dsp::Fraction(depth_));
  loop_ = static_cast<float>(dsp::ClampFeedback(dsp::Fraction(feedback_)));
  line_.Reset(context.Channels, base_ + swing_ + 1.0);
}

void SweepDelayEffect::Apply(float* samples, std::int64_t frames, int channels, std::int64_t) {
  for (std::int64_t i = 0; i < frames; ++i) {
    for (int c = 0; c < channels; ++c) {
      const double delay = std::max(1.0, base_ + swing_ * std::sin(phase_ - c * lag_));
      float& sample = samples[i * channels + c];
      const float delayed = line_.Read(c, delay);
      line_.Write(c, sample + loop_ * delayed);
      sample += mix_ * delayed;
    }
    line_.Advance();
    phase_ = Wrapped(phase_ + step_);
  }
}

void VibratoEffect::Begin(const EffectContext& context) {
  InPlaceEffect::Begin(context);
  const int rate = context.SampleRate;
  identity_ = !(rate_ > 0.0f);
  const double hz = dsp::Clamp(rate_, 0.1, 100.0);
  // A delay d(t) shifts the frequency by the factor 1 - d'(t): a swing of A seconds at hz gives a
  // peak deviation of 2 pi hz A.
  const double deviation = std::pow(2.0, dsp::Fraction(depth_) / 12.0) - 1.0;
  swing_ = deviation / (kTwoPi * hz) * rate;
  centre_ = swing_ + 1.0;
  step_ = kTwoPi * hz / rate;
  lag_ = Radians(phase_);
  oscillator_ = 0.0;
  line_.Reset(context.Channels, centre_ + swing_ + 1.0);
}

void VibratoEffect::Apply(float* samples, std::int64_t frames, int channels, std::int64_t) {
  if (identity_) return;
  for (std::int64_t i = 0; i < frames; ++i) {
    for (int c = 0; c < channels; ++c) {
      float& sample = samples[i * channels + c];
      line_.Write(c, sample);
      sample = line_.Read(c, centre_ + swing_ * std::sin(oscillator_ - c * lag_) - 1.0);
    }
    line_.Advance();
    oscillator_ = Wrapped(oscillator_ + step_);
  }
}
