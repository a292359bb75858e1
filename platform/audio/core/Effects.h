#pragma once
// The effect host and the exact transforms. The host runs an effect over a range of a block list in
// block-sized pieces, keeping the effect's state between pieces, reporting progress, and builds the
// new list with the range replaced by the effect's output (which may differ in length).

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/audio/core/BlockList.h"

struct EffectContext {
  std::int64_t Frames = 0;  // length of the range the effect runs over
  int Channels = 2;
  int SampleRate = 44100;
};

// Receives an effect's output.
class EffectOutput {
 public:
  virtual ~EffectOutput() = default;
  virtual void Write(const float* samples, std::int64_t frames) = 0;
};

// A general effect: any amount of output for each piece of input.
class AudioEffect {
 public:
  virtual ~AudioEffect() = default;
  virtual void Begin(const EffectContext& context) { (void)context; }
  virtual void Process(const float* samples, std::int64_t frames, EffectOutput& out) = 0;
  virtual void Finish(EffectOutput& out) { (void)out; }
  // Pieces arrive from the end of the range to its start (Reverse).
  virtual bool ReadsBackward() const { return false; }
};

// An effect that keeps the length and works in place; `position` is the piece's first frame within
// the range. The host runs these without copying between buffers.
class InPlaceEffect : public AudioEffect {
 public:
  virtual void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) = 0;
  void Begin(const EffectContext& context) override { channels_ = context.Channels, position_ = 0; }
  void Process(const float* samples, std::int64_t frames, EffectOutput& out) override;

 private:
  std::vector<float> scratch_;
  int channels_ = 2;
  std::int64_t position_ = 0;
};

// Called with frames done so far of the range.
using ProgressCallback = std::function<void(std::int64_t done, std::int64_t total)>;

// The list with [from, to) replaced by the effect's output; outputFrames receives its length.
BlockListRef RunEffect(const BlockList& audio, std::int64_t from, std::int64_t to, int sampleRate, AudioEffect& effect,
                       BlockStore& store, const ProgressCallback& progress, std::int64_t& outputFrames);

class AmplifyEffect : public InPlaceEffect {
 public:
  explicit AmplifyEffect(float gain) : gain_(gain) {}
  void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) override;

 private:
  float gain_;
};

// One gain per channel (a single gain for all channels when both are equal).
class ChannelGainEffect : public InPlaceEffect {
 public:
  ChannelGainEffect(float left, float right) : gains_{left, right} {}
  void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) override;

 private:
  float gains_[2];
};

// Gains at evenly spread points over the range, linearly interpolated between them; Fade is the
// two-point case.
class EnvelopeEffect : public InPlaceEffect {
 public:
  explicit EnvelopeEffect(std::vector<float> gains) : gains_(std::move(gains)) {}
  void Begin(const EffectContext& context) override;
  void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) override;

 private:
  std::vector<float> gains_;
  std::int64_t frames_ = 0;
};

// New left = LL% of left + LR% of right, new right = RL% of left + RR% of right; mono is unchanged.
class MixStereoEffect : public InPlaceEffect {
 public:
  MixStereoEffect(float ll, float lr, float rl, float rr) : ll_(ll), lr_(lr), rl_(rl), rr_(rr) {}
  void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) override;

 private:
  float ll_, lr_, rl_, rr_;
};

class SilenceEffect : public InPlaceEffect {
 public:
  void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) override;
};

class ReverseEffect : public AudioEffect {
 public:
  void Begin(const EffectContext& context) override { channels_ = context.Channels; }
  void Process(const float* samples, std::int64_t frames, EffectOutput& out) override;
  bool ReadsBackward() const override { return true; }

 private:
  int channels_ = 2;
  std::vector<float> reversed_;
};

// Gains that bring the range's peak to `percent` % of full scale: one for all channels when
// `perChannel` is false, else one per channel. A silent channel keeps gain 1.
void NormalizeGains(const BlockList& audio, std::int64_t from, std::int64_t to, float percent, bool perChannel,
                    float gains[2]);
