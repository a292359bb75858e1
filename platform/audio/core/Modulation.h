#pragma once
// Effects driven by a low-frequency oscillator: phaser, flanger, chorus and vibrato. The oscillator
// phase runs on from call to call, as do the delay lines and filter memories.

#include <vector>

#include "platform/audio/core/Effects.h"

// A delay line per channel read at fractional delays (linear interpolation).
class ModulatedDelayLine {
 public:
  void Reset(int channels, double maxDelayFrames);
  // The value `delay` frames behind the write position (0: the value written there in this step).
  float Read(int channel, double delay) const;
  void Write(int channel, float value) { lines_[channel][write_] = value; }
  void Advance() { write_ = (write_ + 1) & mask_; }

 private:
  std::vector<float> lines_[2];
  std::size_t write_ = 0, mask_ = 0;
};

// Six first-order all-passes whose break frequency sweeps 200..2000 Hz (log) with an oscillator of
// `periodMs` (0: fixed at 630 Hz); y = x + mix chain, the chain's output fed back into its input.
class PhaserEffect : public InPlaceEffect {
 public:
  PhaserEffect(float periodMs, float mix, float feedback) : periodMs_(periodMs), mix_(mix), feedback_(feedback) {}
  void Begin(const EffectContext& context) override;
  void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) override;

 private:
  static constexpr int kStages = 6;
  struct Chain {
    float input[kStages] = {}, output[kStages] = {};
    float last = 0;
  };
  float Coefficient();

  float periodMs_, mix_, feedback_;
  float wet_ = 0, loop_ = 0;
  double phase_ = 0, step_ = 0, rate_ = 44100, nyquistLimit_ = 0;
  Chain chains_[2];
};

enum class SweepKind { Flanger, Chorus };

// A swept delay: base delay 0.1 + 9.9 r/100 ms (flanger) or 5 + 45 r/100 ms (chorus), swinging by
// +- sweep depth % of it at 0.05 + 4.95 rate/100 Hz, the right channel's oscillator lagging by
// `sweepPhase` degrees; y = x + depth delayed, the delayed signal fed back by `feedback` %.
class SweepDelayEffect : public InPlaceEffect {
 public:
  SweepDelayEffect(SweepKind kind, float delayRate, float depth, float feedback, float sweepDepth, float sweepRate,
                   float sweepPhase)
      : kind_(kind), delayRate_(delayRate), depth_(depth), feedback_(feedback), sweepDepth_(sweepDepth),
        sweepRate_(sweepRate), sweepPhase_(sweepPhase) {}
  void Begin(const EffectContext& context) override;
  void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) override;

  static double BaseDelayMs(SweepKind kind, double delayRate);

 private:
  SweepKind kind_;
  float delayRate_, depth_, feedback_, sweepDepth_, sweepRate_, sweepPhase_;
  double base_ = 0, swing_ = 0, step_ = 0, lag_ = 0, phase_ = 0;
  float mix_ = 0, loop_ = 0;
  ModulatedDelayLine line_;
};

// A delay swept so that the pitch swings by `depth` % of a semitone at `rate` Hz (0 Hz: no change;
// other rates are held to 0.1..100 Hz),
// the right channel lagging by `phase` degrees.
class VibratoEffect : public InPlaceEffect {
 public:
  VibratoEffect(float depth, float rate, float phase) : depth_(depth), rate_(rate), phase_(phase) {}
  void Begin(const EffectContext& context) override;
  void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) override;

 private:
  float depth_, rate_, phase_;
  bool identity_ = true;
  double centre_ = 0, swing_ = 0, step_ = 0, lag_ = 0, oscillator_ = 0;
  ModulatedDelayLine line_;
};
