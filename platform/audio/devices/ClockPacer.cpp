#include "platform/audio/devices/ClockPacer.h"

#include "platform/framework/rtl/DateUtils.h"

void ClockPacer::Start(int sampleRate) {
  sampleRate_ = sampleRate;
  lastTick_ = TickCount();
  runningMs_ = 0;
  taken_ = 0;
  paused_ = false;
}

void ClockPacer::Accumulate() {
  const UInt64 now = TickCount();
  if (!paused_ && now > lastTick_) runningMs_ += now - lastTick_;
  lastTick_ = now;
}

void ClockPacer::Pause() {
  Accumulate();
  paused_ = true;
}

void ClockPacer::Resume() {
  Accumulate();
  paused_ = false;
}

std::int64_t ClockPacer::TakeDue() {
  Accumulate();
  const auto due = static_cast<std::int64_t>(runningMs_ * static_cast<UInt64>(sampleRate_) / 1000);
  const std::int64_t fresh = due - taken_;
  taken_ = due;
  return fresh;
}
