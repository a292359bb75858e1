#pragma once
// Captured frames on their way from the input device's push (possibly on the device's worker thread)
// to the recorder on the GUI thread.

#include <cstdint>
#include <mutex>
#include <vector>

class CaptureQueue {
 public:
  explicit CaptureQueue(int channels) : channels_(channels) {}

  void Push(const float* samples, std::int64_t frames);
  // Swaps everything captured so far into `out` (whose old content is dropped).
  void TakeAll(std::vector<float>& out);

 private:
  std::mutex mutex_;
  int channels_;
  std::vector<float> samples_;
};
