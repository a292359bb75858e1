#include "platform/audio/devices/ClockedDevices.h"

#include <algorithm>

namespace {
// Sound moves in pieces of at most this many frames, so a long clock jump needs no large buffer.
constexpr std::int64_t kPieceFrames = 2048;
}  // namespace

// ---- output -------------------------------------------------------------------------------------

int ClockedAudioOutput::Start(DeviceFormat format, AudioPull pull) {
  Stop();
  if (const int failure = StartFailure()) return failure;
  format_ = format;
  pull_ = std::move(pull);
  scratch_.resize(static_cast<std::size_t>(kPieceFrames * format.Channels));
  played_ = 0;
  finished_ = false;
  pacer_.Start(format.SampleRate);
  Started(format_);
  return 0;
}

void ClockedAudioOutput::Pause() {
  if (!pull_) return;
  Service();
  pacer_.Pause();
}

void ClockedAudioOutput::Resume() {
  if (pull_) pacer_.Resume();
}

void ClockedAudioOutput::Stop() {
  if (!pull_) return;
  pull_ = nullptr;
  Stopped();
}

void ClockedAudioOutput::Service() {
  if (!pull_ || finished_) return;
  std::int64_t due = pacer_.TakeDue();
  while (due > 0 && !finished_ && pull_) {
    const std::int64_t asked = std::min(due, kPieceFrames);
    AudioPull pull = pull_;  // the pull may stop the device
    const std::int64_t got = std::clamp<std::int64_t>(pull(scratch_.data(), asked), 0, asked);
    if (got > 0) Heard(scratch_.data(), got, format_);
    played_ += got;
    due -= asked;
    finished_ = got < asked;
  }
}

// ---- input --------------------------------------------------------------------------------------

int ClockedAudioInput::Start(DeviceFormat format, AudioPush push) {
  Stop();
  if (const int failure = StartFailure()) return failure;
  format_ = format;
  push_ = std::move(push);
  scratch_.resize(static_cast<std::size_t>(kPieceFrames * format.Channels));
  captured_ = 0;
  pacer_.Start(format.SampleRate);
  Started(format_);
  return 0;
}

void ClockedAudioInput::Stop() {
  if (!push_) return;
  push_ = nullptr;
  Stopped();
}

void ClockedAudioInput::Service() {
  if (!push_) return;
  std::int64_t due = pacer_.TakeDue();
  while (due > 0 && push_) {
    const std::int64_t piece = std::min(due, kPieceFrames);
    Capture(scratch_.data(), captured_, piece, format_);
    captured_ += piece;
    due -= piece;
    // The push may stop the device; the copy keeps the callable alive through the call.
    AudioPush push = push_;
    push(scratch_.data(), piece);
  }
}
