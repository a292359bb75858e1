#include "platform/audio/core/TimePitch.h"

#include <cmath>

#include "platform/audio/core/AudioError.h"

namespace {

bool InRange(float percent) { return percent >= 10.0f && percent <= 1000.0f; }

// A resampler that plays `percent` % faster: its input is read as if at percent/100 of the rate.
std::unique_ptr<Resampler> FasterBy(float percent, int channels) {
  return std::make_unique<Resampler>(channels, static_cast<int>(std::lround(percent * 100.0f)), 10000);
}

}  // namespace

void CheckSpeedPercent(float percent) {
  if (!InRange(percent)) throw EAudioError(L"Speed change must be between 10 % and 1000 %.");
}

void CheckPitchPercent(float percent) {
  if (!InRange(percent)) throw EAudioError(L"Pitch change must be between 10 % and 1000 %.");
}

SpeedChangeEffect::SpeedChangeEffect(float percent) : percent_(percent) { CheckSpeedPercent(percent); }

void SpeedChangeEffect::Begin(const EffectContext& context) {
  channels_ = context.Channels;
  resampler_ = FasterBy(percent_, channels_);
}

void SpeedChangeEffect::Process(const float* samples, std::int64_t frames, EffectOutput& out) {
  resampler_->Process(samples, frames, output_);
  Deliver(out);
}

void SpeedChangeEffect::Finish(EffectOutput& out) {
  resampler_->Finish(output_);
  Deliver(out);
}

void SpeedChangeEffect::Deliver(EffectOutput& out) {
  out.Write(output_.data(), static_cast<std::int64_t>(output_.size()) / channels_);
  output_.clear();
}

PitchChangeEffect::PitchChangeEffect(float percent) : percent_(percent) { CheckPitchPercent(percent); }

void PitchChangeEffect::Begin(const EffectContext& context) {
  channels_ = context.Channels;
  stretcher_ = std::make_unique<TimeStretcher>(channels_, context.SampleRate, percent_ / 100.0);
  resampler_ = FasterBy(percent_, channels_);
  input_ = written_ = 0;
}

void PitchChangeEffect::Process(const float* samples, std::int64_t frames, EffectOutput& out) {
  input_ += frames;
  stretcher_->Process(samples, frames, stretched_);
  resampler_->Process(stretched_.data(), static_cast<std::int64_t>(stretched_.size()) / channels_, output_);
  stretched_.clear();
  Deliver(out);
}

void PitchChangeEffect::Finish(EffectOutput& out) {
  stretcher_->Finish(stretched_);
  resampler_->Process(stretched_.data(), static_cast<std::int64_t>(stretched_.size()) / channels_, output_);
  stretched_.clear();
  resampler_->Finish(output_);
  // Rounding in the two stages may leave the total a frame short.
  output_.resize(static_cast<std::size_t>((input_ - written_) * channels_), 0.0f);
  Deliver(out);
}

void PitchChangeEffect::Deliver(EffectOutput& out) {
  const std::int64_t frames = std::min(static_cast<std::int64_t>(output_.size()) / channels_, input_ - written_);
  out.Write(output_.data(), frames);
  written_ += frames;
  output_.clear();
}
