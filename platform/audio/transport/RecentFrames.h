#pragma once
// The latest captured frames, kept in a ring for the level meter and the display samples.

#include <cstdint>
#include <vector>

class RecentFrames {
 public:
  void Reset(int channels, std::int64_t capacityFrames);
  void Append(const float* samples, std::int64_t frames);
  // The latest `frames` frames, oldest first, into `out`; silence for frames never captured.
  void Latest(std::int64_t frames, float* out) const;
  // Peak levels (0..92) of the latest `frames` frames.
  void Levels(std::int64_t frames, int levels[2]) const;
  std::int64_t Capacity() const { return capacity_; }

 private:
  int channels_ = 2;
  std::int64_t capacity_ = 0;
  std::int64_t written_ = 0;  // frames appended since Reset
  std::vector<float> ring_;
};
