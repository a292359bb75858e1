#include "platform/audio/core/PlaybackStream.h"

#include <algorithm>

#include "platform/audio/core/AudioError.h"

PlayRange RangeForMode(int mode, std::int64_t selectionStart, std::int64_t selectionEnd, std::int64_t length) {
  const bool empty = selectionEnd <= selectionStart;
  switch (mode) {
    case 1: return {selectionStart, empty ? length : selectionEnd, false};
    case 2: return {selectionStart, length, false};
    case 3: return empty ? PlayRange{0, length, true} : PlayRange{selectionStart, selectionEnd, true};
    default: throw EAudioError(L"Unknown play mode " + std::to_wstring(mode) + L".");
  }
}

PlaybackStream::PlaybackStream(BlockListRef audio, PlayRange range) : audio_(std::move(audio)), range_(range) {
  range_.Start = std::clamp<std::int64_t>(range_.Start, 0, audio_->Frames());
  range_.End = std::clamp<std::int64_t>(range_.End, range_.Start, audio_->Frames());
  if (range_.End == range_.Start) range_.Loop = false;
  position_ = range_.Start;
}

std::int64_t PlaybackStream::Read(float* out, std::int64_t frames) {
  std::int64_t done = 0;
  while (done < frames) {
    if (position_ >= range_.End) {
      if (!range_.Loop) break;
      position_ = range_.Start;
    }
    const std::int64_t n = std::min(frames - done, range_.End - position_);
    audio_->Read(position_, n, out + done * audio_->Channels());
    position_ += n;
    done += n;
  }
  return done;
}
