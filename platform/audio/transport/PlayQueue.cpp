#include "platform/audio/transport/PlayQueue.h"

#include <algorithm>

void PlayQueue::Push(SampleBuffer& buffer) {
  std::lock_guard lock(mutex_);
  anyQueued_ = true;
  if (buffer.Frames() > 0) buffers_.push_back(std::move(buffer));
}

std::int64_t PlayQueue::Pull(float* out, std::int64_t frames) {
  std::lock_guard lock(mutex_);
  if (!anyQueued_) {
    std::fill_n(out, frames * channels_, 0.0f);
    return frames;
  }
  std::int64_t given = 0;
  while (given < frames && !buffers_.empty()) {
    const SampleBuffer& front = buffers_.front();
    const std::int64_t n = std::min(frames - given, front.Frames() - readFrame_);
    std::copy_n(front.Frame(readFrame_), n * channels_, out + given * channels_);
    given += n;
    readFrame_ += n;
    if (readFrame_ == front.Frames()) {
      buffers_.pop_front();
      readFrame_ = 0;
    }
  }
  return given;
}

std::int64_t PlayQueue::Pending() const {
  std::lock_guard lock(mutex_);
  std::int64_t frames = -readFrame_;
  for (const SampleBuffer& buffer : buffers_) frames += buffer.Frames();
  return frames;
}
