#pragma once
// The document edits behind the main window's edit commands, on the editor control alone: the
// selection commands, trimming, repeating the selection, padding a selection for a mix and
// inserting silence. The commands add the transport stop, the dialogs and the finishing step.
//
// Positions are the control's 64-bit sample positions; every sum is taken in 64 bits.

#include <cstdint>

#include "platform/framework/base/Types.h"

class TAudioEditor2;

// Begin/end of one multi-step edit: the bracket is closed on every path, also when a call inside
// raises (the exception goes on). A failing end is handed to the process exception sink (the
// application's handler) unless an exception is already leaving the edit.
class TCompoundEdit {
 public:
  explicit TCompoundEdit(TAudioEditor2& Editor);
  ~TCompoundEdit();
  TCompoundEdit(const TCompoundEdit&) = delete;
  TCompoundEdit& operator=(const TCompoundEdit&) = delete;

 private:
  TAudioEditor2& editor_;
  int exceptionsInFlightAtStart_;
};

// Places for the insert commands.
enum TInsertPlace { ipBegin = 0, ipCursor = 1, ipEnd = 2 };

// Select All: the whole document on all channels.
void SelectWholeDocument(TAudioEditor2& Editor);
// [0, c + (e - s)] and [c + (e - s), length]: the current position is the cursor moved on by the
// selection's length.
void SelectToStartOfDocument(TAudioEditor2& Editor);
void SelectToEndOfDocument(TAudioEditor2& Editor);
// Selects [start, end] given in milliseconds.
void SelectMilliseconds(TAudioEditor2& Editor, int StartMs, int EndMs);

// Keeps exactly the selected samples: deletes [end, length) and then [0, start) in one undo step,
// without copying the kept part. Nothing happens for an empty selection.
void TrimToSelection(TAudioEditor2& Editor);

// Inserts Times copies of the selection [s, e) right after it: copy k at e + (k - 1) * (e - s),
// whatever the cursor, reading and inserting at most ChunkFrames frames at a time, in one undo
// step. Afterwards the last copy is selected. Times < 1 or an empty selection change nothing.
constexpr std::int64_t RepeatChunkFrames = 1 << 20;
void RepeatSelection(TAudioEditor2& Editor, int Times, std::int64_t ChunkFrames = RepeatChunkFrames);

// A source length in frames at SourceRate, as frames at TargetRate (nearest, 64-bit).
std::int64_t FramesAtRate(std::int64_t Frames, int SourceRate, int TargetRate);

// Pads a selection shorter than SourceFrames (document frames) with silence at its end and selects
// [start, start + SourceFrames]; a long enough selection stays as it is. True when it padded.
bool PadSelectionForMix(TAudioEditor2& Editor, std::int64_t SourceFrames);

// Inserts Milliseconds of silence at the place (the cursor for ipCursor); 0 inserts nothing.
// True when something was inserted.
bool InsertSilenceAtPlace(TAudioEditor2& Editor, TInsertPlace Place, int Milliseconds);
// Moves the cursor for an insert at the place (ipCursor leaves it).
void PlaceCursorForInsert(TAudioEditor2& Editor, TInsertPlace Place);

// What the paste-mix dialog hands back: the source (a file, or the clipboard) and the three values.
struct TMixRequest {
  bool FromFile = false;
  String Path;
  int SelectPartPercent = 0;
  int AudioInBufferPercent = 0;
  bool IncreaseSelection = false;
};
