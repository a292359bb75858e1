#pragma once
// Sample-rate conversion with a Kaiser-windowed sinc: flat within 0.1 dB up to 0.45 of the lower
// rate, everything above half the lower rate at least 80 dB down. Streams: feed input in pieces, then
// Finish; the output has round(input * to / from) frames, aligned with the input's start.

#include <cstdint>
#include <vector>

class Resampler {
 public:
  Resampler(int channels, int fromRate, int toRate);

  static std::int64_t OutputFrames(std::int64_t inputFrames, int fromRate, int toRate);

  // Appends the output frames that `frames` more input frames make available.
  void Process(const float* interleaved, std::int64_t frames, std::vector<float>& out);
  // Appends the rest of the output.
  void Finish(std::vector<float>& out);

 private:
  void Produce(std::vector<float>& out, std::int64_t limit);

  int channels_;
  std::int64_t up_, down_;      // output n sits at input position n * down_ / up_
  int halfTaps_;                 // taps each side, padded so 2 * halfTaps_ is a multiple of 8
  int phases_;                   // rows of the coefficient bank
  bool exactPhases_;
  std::vector<float> bank_;      // (phases_ + 1) rows of 2 * halfTaps_ coefficients
  std::vector<float> history_[2];  // per channel, starting at input index historyStart_
  std::int64_t historyStart_;
  std::int64_t inputFrames_ = 0;
  std::int64_t produced_ = 0;
};
