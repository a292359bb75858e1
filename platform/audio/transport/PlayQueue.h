#pragma once
// The buffers a player has queued, read in order by the output device's pull (which may run on the
// device's worker thread). Until the first buffer arrives the pull gives silence, so a device started
// before its sound is ready keeps running; once something was queued, running out ends the sound.

#include <cstdint>
#include <deque>
#include <mutex>

#include "platform/audio/core/SampleBuffer.h"

class PlayQueue {
 public:
  explicit PlayQueue(int channels) : channels_(channels) {}

  int Channels() const { return channels_; }

  // Takes the buffer's storage; the buffer is left empty.
  void Push(SampleBuffer& buffer);
  // The device's pull: up to `frames` frames, fewer only when the queued sound has ended.
  std::int64_t Pull(float* out, std::int64_t frames);
  // Frames queued and not pulled yet.
  std::int64_t Pending() const;

 private:
  mutable std::mutex mutex_;
  int channels_;
  std::deque<SampleBuffer> buffers_;
  std::int64_t readFrame_ = 0;  // in buffers_.front()
  bool anyQueued_ = false;
};
