#include "platform/audio/transport/CaptureQueue.h"

void CaptureQueue::Push(const float* samples, std::int64_t frames) {
  std::lock_guard lock(mutex_);
  samples_.insert(samples_.end(), samples, samples + frames * channels_);
}

void CaptureQueue::TakeAll(std::vector<float>& out) {
  out.clear();
  std::lock_guard lock(mutex_);
  std::swap(out, samples_);
}
