#pragma once
// Real-time pacing on the framework clock for devices that have no sound card behind them: how many
// frames of a rate became due since the last look, pauses excluded. The count is taken from the
// total running time, so rounding never drifts however often it is asked.

#include <cstdint>

#include "platform/framework/base/Types.h"

class ClockPacer {
 public:
  // Starts counting at the clock's current tick.
  void Start(int sampleRate);
  void Pause();
  void Resume();
  bool Paused() const { return paused_; }
  // Frames that became due since the last call (or since Start).
  std::int64_t TakeDue();

 private:
  void Accumulate();

  int sampleRate_ = 44100;
  UInt64 lastTick_ = 0;
  UInt64 runningMs_ = 0;
  std::int64_t taken_ = 0;
  bool paused_ = false;
};
