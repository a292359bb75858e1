#pragma once
// What a transport plays: the frames of a snapshot of the document's blocks over the range a play
// mode gives, looping for mode 3. The output device's worker pulls from it; edits made meanwhile do
// not touch the snapshot.

#include <cstdint>

#include "platform/audio/core/BlockList.h"

enum class PlayMode { Selection = 1, ToEnd = 2, Loop = 3 };

struct PlayRange {
  std::int64_t Start = 0;
  std::int64_t End = 0;
  bool Loop = false;
};

// Mode 1: the selection, or cursor to end when it is empty; 2: cursor (selection start) to end;
// 3: the selection looped, or the whole document when it is empty.
PlayRange RangeForMode(int mode, std::int64_t selectionStart, std::int64_t selectionEnd, std::int64_t length);

class PlaybackStream {
 public:
  PlaybackStream(BlockListRef audio, PlayRange range);
  // Fills up to `frames` frames; fewer only when a non-looping range ends (0 afterwards).
  std::int64_t Read(float* out, std::int64_t frames);
  // The document position of the next frame.
  std::int64_t Position() const { return position_; }
  bool Finished() const { return !range_.Loop && position_ >= range_.End; }
  int Channels() const { return audio_->Channels(); }

 private:
  BlockListRef audio_;
  PlayRange range_;
  std::int64_t position_;
};
