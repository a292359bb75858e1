#include "app/EditRoutines.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/base/Exceptions.h"

TCompoundEdit::TCompoundEdit(TAudioEditor2& Editor)
    : editor_(Editor), exceptionsInFlightAtStart_(std::uncaught_exceptions()) {
  editor_.BeginCompound();
}

TCompoundEdit::~TCompoundEdit() {
  try {
    editor_.EndCompound();
  } catch (...) {
    // A destructor must not throw. The exception already leaving the edit is the one its caller
    // reports; without one, this failure goes to the application's handler.
    if (std::uncaught_exceptions() == exceptionsInFlightAtStart_) HandleCurrentException();
  }
}

void SelectWholeDocument(TAudioEditor2& Editor) {
  IAudioEditor2Position* position = Editor.Position();
  position->SetSelectionChannel(-1);
  position->SetSelectionStart(0);
  position->SetSelectionEnd(position->GetLength());
}

namespace {

// The cursor moved on by the selection's length.
std::int64_t CurrentPosition(IAudioEditor2Position* Position) {
  const std::int64_t end = Position->GetSelectionEnd();
  const std::int64_t start = Position->GetSelectionStart();
  const std::int64_t cursor = Position->GetCursorPosition();
  return cursor + (end - start);
}

}  // namespace

void SelectToStartOfDocument(TAudioEditor2& Editor) {
  IAudioEditor2Position* position = Editor.Position();
  const std::int64_t current = CurrentPosition(position);
  position->SetSelectionChannel(-1);
  position->SetSelectionStart(0);
  position->SetSelectionEnd(current);
}

void SelectToEndOfDocument(TAudioEditor2& Editor) {
  IAudioEditor2Position* position = Editor.Position();
  const std::int64_t current = CurrentPosition(position);
  position->SetSelectionChannel(-1);
  // The end first: setting the start beyond the old end would drag the end along and back.
  position->SetSelectionEnd(position->GetLength());
  position->SetSelectionStart(current);
}

void SelectMilliseconds(TAudioEditor2& Editor, int StartMs, int EndMs) {
  IAudioEditor2Position* position = Editor.Position();
  position->SetSelectionChannel(-1);
  const std::int64_t start = position->MillisecondsToSamples(StartMs);
  const std::int64_t end = position->MillisecondsToSamples(EndMs);
  position->SetSelectionEnd(position->GetLength());
  position->SetSelectionStart(start);
  position->SetSelectionEnd(end);
}

void TrimToSelection(TAudioEditor2& Editor) {
  IAudioEditor2Position* position = Editor.Position();
  const std::int64_t start = position->GetSelectionStart();
  const std::int64_t end = position->GetSelectionEnd();
  if (end <= start) return;
  TCompoundEdit compound(Editor);
  position->SetSelectionChannel(-1);
  position->SetSelectionEnd(position->GetLength());
  position->SetSelectionStart(end);
  Editor.DeleteSelected();
  position->SetSelectionStart(0);
  position->SetSelectionEnd(start);
  Editor.DeleteSelected();
  position->SetSelectionEnd(position->GetLength());
}

void RepeatSelection(TAudioEditor2& Editor, int Times, std::int64_t ChunkFrames) {
  IAudioEditor2Position* position = Editor.Position();
  const std::int64_t start = position->GetSelectionStart();
  const std::int64_t end = position->GetSelectionEnd();
  const std::int64_t length = end - start;
  if (Times < 1 || length <= 0) return;
  const std::int64_t chunk = std::max<std::int64_t>(1, ChunkFrames);
  TCompoundEdit compound(Editor);
  // Every copy lands after the source, so the source keeps its place while it is read again.
  for (int copy = 0; copy < Times; ++copy) {
    const std::int64_t target = end + copy * length;
    for (std::int64_t done = 0; done < length; done += chunk) {
      const std::int64_t frames = std::min(chunk, length - done);
      position->SetCursorPosition(start + done);
      const SampleBuffer samples = Editor.ReadSamples(frames);
      position->SetCursorPosition(target + done);
      Editor.InsertSamples(samples);
    }
  }
  const std::int64_t last = end + static_cast<std::int64_t>(Times - 1) * length;
  position->SetSelectionChannel(-1);
  position->SetCursorPosition(last);
  position->SetSelectionEnd(last + length);
}

std::int64_t FramesAtRate(std::int64_t Frames, int SourceRate, int TargetRate) {
  if (SourceRate <= 0 || TargetRate <= 0 || SourceRate == TargetRate) return Frames;
  return static_cast<std::int64_t>(
      std::llround(static_cast<double>(Frames) * static_cast<double>(TargetRate) / static_cast<double>(SourceRate)));
}

bool PadSelectionForMix(TAudioEditor2& Editor, std::int64_t SourceFrames) {
  IAudioEditor2Position* position = Editor.Position();
  const std::int64_t start = position->GetSelectionStart();
  const std::int64_t end = position->GetSelectionEnd();
  if (end - start >= SourceFrames) return false;
  position->SetSelectionChannel(0);
  position->SetCursorPosition(end);
  Editor.Transform()->InsertSilence(position->SamplesToMilliseconds(SourceFrames - (end - start)));
  position->SetSelectionChannel(-1);
  position->SetCursorPosition(start);
  position->SetSelectionEnd(start + SourceFrames);
  return true;
}

void PlaceCursorForInsert(TAudioEditor2& Editor, TInsertPlace Place) {
  IAudioEditor2Position* position = Editor.Position();
  position->SetSelectionChannel(0);
  if (Place == ipBegin) position->SetCursorPosition(0);
  if (Place == ipEnd) position->SetCursorPosition(position->GetLength());
}

bool InsertSilenceAtPlace(TAudioEditor2& Editor, TInsertPlace Place, int Milliseconds) {
  if (Milliseconds == 0) return false;
  PlaceCursorForInsert(Editor, Place);
  Editor.Transform()->InsertSilence(Milliseconds);
  return true;
}
