#pragma once
// Undo and redo of a document's audio, format, marker places and selection. A step keeps the block
// list as it was, so it costs no sample copy; undo and redo swap lists. Compound brackets nest and
// make one step however many edits run inside them. Markers are never added or removed by undo.

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/audio/core/Document.h"

struct MarkerPlace {
  std::uint64_t Key;
  std::int64_t Position;
  std::int64_t Length;
};

struct DocumentState {
  BlockListRef Audio;
  int SampleRate = 44100;
  int Channels = 2;
  std::vector<MarkerPlace> Markers;
  std::int64_t SelectionStart = 0;
  std::int64_t SelectionEnd = 0;
};

class History {
 public:
  // Steps kept; the oldest go first.
  void SetLimit(int steps);
  int Limit() const { return limit_; }
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }

  // Called with the state before each edit. Inside a bracket only the first edit makes a step, which
  // goes back to the state the outermost bracket began with.
  void Record(DocumentState before);
  void BeginCompound(DocumentState current);
  // A lone EndCompound does nothing.
  void EndCompound();
  void CloseCompound() { depth_ = 0, bracketRecorded_ = false, bracketStart_ = DocumentState{}; }
  bool InCompound() const { return depth_ > 0; }

  // The state to restore; `current` becomes the redo (or undo) step.
  DocumentState Undo(DocumentState current);
  DocumentState Redo(DocumentState current);
  void Clear();

 private:
  void Trim();

  std::deque<DocumentState> undo_, redo_;
  int limit_ = 100;
  int depth_ = 0;
  bool bracketRecorded_ = false;
  DocumentState bracketStart_;
};

DocumentState CaptureState(const Document& doc, std::int64_t selectionStart, std::int64_t selectionEnd);
// Puts the audio, format and marker places of `state` into `doc`; markers it does not know keep theirs,
// clipped to the restored length.
void RestoreState(Document& doc, const DocumentState& state);
