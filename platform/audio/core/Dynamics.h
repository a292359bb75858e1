#pragma once
// Level-dependent gain: the compressor and the noise reduction (a downward expander). Both detect one
// level for all channels, so a stereo image stays where it is.

#include <vector>

#include "platform/audio/core/Effects.h"

// Above the threshold the level becomes T + (L - T)(1 - rate/100): rate 100 limits. L follows the
// peaks (instant rise, 100 ms fall); the gain reduction sets in over 5 ms and recovers over 100 ms.
// `output` is make-up gain in percent (100 = unity).
class CompressorEffect : public InPlaceEffect {
 public:
  CompressorEffect(float thresholdDb, float rate, float output)
      : thresholdDb_(thresholdDb), rate_(rate), output_(output) {}
  void Begin(const EffectContext& context) override;
  void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) override;

 private:
  float thresholdDb_, rate_, output_;
  float threshold_ = 1, ratio_ = 0, makeUp_ = 1;
  float peakRelease_ = 0, attack_ = 0, release_ = 0;
  float peak_ = 0, gain_ = 1;
};

// Below the threshold the level becomes T + (L - T)(1 + 9 rate/100). L is the RMS over `rmsMs`
// (0: the sample peaks), rising over 5 ms and falling over 50 ms.
class NoiseReductionEffect : public InPlaceEffect {
 public:
  NoiseReductionEffect(float thresholdDb, float rate, float rmsMs)
      : thresholdDb_(thresholdDb), rate_(rate), rmsMs_(rmsMs) {}
  void Begin(const EffectContext& context) override;
  void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) override;

 private:
  float Detect(float power);

  float thresholdDb_, rate_, rmsMs_;
  float threshold_ = 1, exponent_ = 0, attack_ = 0, release_ = 0;
  std::vector<double> window_;  // per-frame mean power over the RMS window, as a ring
  std::size_t next_ = 0;
  double sum_ = 0;
  float level_ = 0;
};
