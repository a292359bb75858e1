#pragma once
// Interleaved 32-bit float frames with their channel count and rate: the one buffer type every audio
// class exchanges. Full scale is +-1.0; values outside are kept, never clipped. Moved, never copied.

#include <cstdint>
#include <vector>

class SampleBuffer {
 public:
  SampleBuffer() = default;
  // A buffer of `frames` silent frames.
  SampleBuffer(int channels, int sampleRate, std::int64_t frames = 0);
  SampleBuffer(SampleBuffer&&) noexcept = default;
  SampleBuffer& operator=(SampleBuffer&&) noexcept = default;
  SampleBuffer(const SampleBuffer&) = delete;
  SampleBuffer& operator=(const SampleBuffer&) = delete;

  int Channels() const { return channels_; }
  int SampleRate() const { return sampleRate_; }
  std::int64_t Frames() const { return static_cast<std::int64_t>(samples_.size()) / channels_; }
  std::int64_t Values() const { return static_cast<std::int64_t>(samples_.size()); }
  // Index of the last value; -1 for an empty buffer.
  std::int64_t UpperBound() const { return Values() - 1; }
  bool Empty() const { return samples_.empty(); }

  float* Data() { return samples_.data(); }
  const float* Data() const { return samples_.data(); }
  float* Frame(std::int64_t frame) { return samples_.data() + frame * channels_; }
  const float* Frame(std::int64_t frame) const { return samples_.data() + frame * channels_; }

  // New frames are silent.
  void Resize(std::int64_t frames);
  void SetSampleRate(int sampleRate) { sampleRate_ = sampleRate; }

 private:
  std::vector<float> samples_;
  int channels_ = 2;
  int sampleRate_ = 44100;
};

// The engine's limits on a document's format; both raise EAudioError naming the offending value.
void CheckChannelCount(int channels);
void CheckSampleRate(int sampleRate);
