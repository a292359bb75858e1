#pragma once
// Speed and pitch change. Speed change resamples: length x 100/pct, pitch x pct/100. Pitch change
// stretches the time by pct/100 and resamples the result back to the input's length.

#include <memory>
#include <vector>

#include "platform/audio/core/Effects.h"
#include "platform/audio/core/Resampler.h"
#include "platform/audio/core/TimeStretch.h"

// Both percentages must lie in 10..1000 %; otherwise these raise EAudioError with the message given.
void CheckSpeedPercent(float percent);
void CheckPitchPercent(float percent);

class SpeedChangeEffect : public AudioEffect {
 public:
  explicit SpeedChangeEffect(float percent);
  void Begin(const EffectContext& context) override;
  void Process(const float* samples, std::int64_t frames, EffectOutput& out) override;
  void Finish(EffectOutput& out) override;

 private:
  void Deliver(EffectOutput& out);

  float percent_;
  int channels_ = 2;
  std::unique_ptr<Resampler> resampler_;
  std::vector<float> output_;
};

// Keeps the length: the output has exactly as many frames as the input (in pieces, never more).
class PitchChangeEffect : public AudioEffect {
 public:
  explicit PitchChangeEffect(float percent);
  void Begin(const EffectContext& context) override;
  void Process(const float* samples, std::int64_t frames, EffectOutput& out) override;
  void Finish(EffectOutput& out) override;

 private:
  void Deliver(EffectOutput& out);

  float percent_;
  int channels_ = 2;
  std::unique_ptr<TimeStretcher> stretcher_;
  std::unique_ptr<Resampler> resampler_;
  std::vector<float> stretched_, output_;
  std::int64_t input_ = 0, written_ = 0;
};
