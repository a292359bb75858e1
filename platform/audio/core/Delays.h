#pragma once
// Echo and reverb: fixed delay lines with feedback.

#include <vector>

#include "platform/audio/core/Effects.h"

// y = x + m d, d[n] = x[n - D] + f d[n - D], D = round(delay x rate / 1000) (at least one frame);
// mix m and feedback f in percent, the feedback at most 98 %.
class EchoEffect : public InPlaceEffect {
 public:
  EchoEffect(float delayMs, float mix, float feedback) : delayMs_(delayMs), mix_(mix), feedback_(feedback) {}
  void Begin(const EffectContext& context) override;
  void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) override;

 private:
  float delayMs_, mix_, feedback_;
  float m_ = 0, f_ = 0;
  std::vector<float> line_;  // D interleaved frames: what comes out D frames later
  std::size_t position_ = 0;
};

// `taps` parallel combs with mutually prime lengths spread from the delay to 2.5 times it, each
// feeding back through a one-pole low-pass at `frequency`, then two all-passes;
// out = (1 - mix) x + mix gain wet. Percentages for mix, feedback (at most 98 %) and gain; the
// frequency is clamped to [10 Hz, 0.45 x rate]; 0 taps count as 1.
class ReverbEffect : public InPlaceEffect {
 public:
  ReverbEffect(float delayMs, float mix, float feedback, float gain, float frequency, int taps)
      : delayMs_(delayMs), mix_(mix), feedback_(feedback), gain_(gain), frequency_(frequency), taps_(taps) {}
  void Begin(const EffectContext& context) override;
  void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) override;

  // The comb lengths in frames for a delay of `delayFrames`.
  static std::vector<std::size_t> CombLengths(std::size_t delayFrames, int taps);

 private:
  struct Line {
    std::vector<float> buffer;  // interleaved frames
    std::size_t frames = 0, position = 0;
    float memory[2] = {0, 0};   // the combs' low-pass state per channel
  };
  void RunComb(Line& comb, const float* in, float* wet, std::int64_t frames, int channels);
  void RunAllPass(Line& allPass, float* wet, std::int64_t frames, int channels);

  float delayMs_, mix_, feedback_, gain_, frequency_;
  int taps_;
  float dry_ = 1, wetGain_ = 0, loopGain_ = 0, damping_ = 1;
  std::vector<Line> combs_;
  Line allPasses_[2];
  std::vector<float> wet_;  // one piece of wet signal
};
