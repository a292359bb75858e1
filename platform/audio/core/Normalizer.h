#pragma once
// Normalize over buffers, where each buffer is the only view of the audio. A buffer alone gets the
// gain that brings its peak to `percent` % of full scale. Successive chunks of one stream keep the
// first chunk's gain, so a file does not pump from chunk to chunk; a later chunk that would pass the
// target lowers the gain, ramped over the frames before its first one that would pass it, so no frame
// ever does.

#include "platform/audio/core/Effects.h"

class NormalizeEffect : public InPlaceEffect {
 public:
  // mode -1: one gain for all channels; 0: a gain per channel.
  NormalizeEffect(float percent, int mode) : percent_(percent), perChannel_(mode == 0) {}
  void Begin(const EffectContext& context) override;
  void Apply(float* samples, std::int64_t frames, int channels, std::int64_t position) override;

 private:
  // Scales channels [first, first + count) of every frame with gains_[slot].
  void ApplyGroup(float* samples, std::int64_t frames, int channels, int first, int count, int slot);

  float percent_;
  bool perChannel_;
  float target_ = 1;
  float gains_[2] = {0, 0};  // 0 until a chunk with sound has set it
};
