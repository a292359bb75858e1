#pragma once
// Converts a stream of frames to another channel count (mono to stereo duplicates, stereo to mono
// averages) and rate, handing the result on in pieces.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/audio/core/Resampler.h"

using FrameConsumer = std::function<void(const float* samples, std::int64_t frames)>;

class FormatConverter {
 public:
  FormatConverter(int fromChannels, int fromRate, int toChannels, int toRate);
  bool Identity() const { return !resampler_ && fromChannels_ == toChannels_; }
  void Push(const float* samples, std::int64_t frames, const FrameConsumer& consume);
  void Finish(const FrameConsumer& consume);

 private:
  int fromChannels_, toChannels_;
  std::unique_ptr<Resampler> resampler_;
  std::vector<float> mapped_, resampled_;
};

// Copies `frames` frames from `from` to `to` channels.
void MapChannels(const float* in, int fromChannels, float* out, int toChannels, std::int64_t frames);
