// The transport commands: play, pause, stop, the cursor moves, the transport panel's buttons (the
// rewind and forward buttons repeat their step while held) and keeping the cursor in view.

#include <algorithm>

#include "app/MainForm.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/classes/Filer.h"
#include "ui/skins/paint/CommonData.h"

namespace {

constexpr int kStateStopped = 0;
constexpr int kStatePlaying = 1;
constexpr int kStatePaused = 5;
constexpr std::int64_t kStepFrames = 2000;

// The editor's transport state as the 16-bit value the commands compare.
int TransportStateOf(TAudioEditor2& Editor) { return static_cast<std::int16_t>(Editor.TransportState()); }

struct TTransportButton {
  TsSpeedButton* TMainForm::*Field;
  const wchar_t* Name;
  const wchar_t* Caption;
  const wchar_t* Hint;
};

// Left to right on the panel.
const TTransportButton kTransportButtons[] = {
    {&TMainForm::ButtonPlay, L"ButtonPlay", L"Play", L"Plays the current file. "},
    {&TMainForm::ButtonStop, L"ButtonStop", L"Stop", L"Stops playing. "},
    {&TMainForm::ButtonPause, L"ButtonPause", L"Pause", L"Pauses or resumes playing. "},
    {&TMainForm::ButtonRecord, L"ButtonRecord", L"Rec", L"Records from the sound card. "},
    {&TMainForm::ButtonForword, L"ButtonForword", L">>", L"Fast forward (hold). "},
    {&TMainForm::ButtonStart, L"ButtonStart", L"|<", L"Goes to the start. "},
    {&TMainForm::ButtonEnd, L"ButtonEnd", L">|", L"Goes to the end. "},
    {&TMainForm::ButtonRewind, L"ButtonRewind", L"<<", L"Rewind (hold). "},
    {&TMainForm::ButtonPlayToEnd, L"ButtonPlayToEnd", L"Play>", L"Plays the current file from the current position. "},
    {&TMainForm::ButtonLoopPlay, L"ButtonLoopPlay", L"Loop", L"Plays the selection in a loop. "},
};

}  // namespace

void TMainForm::CreateTransportButtons(TLoadingBracket& loading) {
  constexpr int kButtonSize = 36;
  const int perRow = std::max(1, (PanelBottom->Width() - 4) / kButtonSize);
  int index = 0;
  for (const TTransportButton& entry : kTransportButtons) {
    auto* button = loading.Add(new TsSpeedButton(this));
    button->SetName(entry.Name);
    button->SkinData()->SetSkinSection(L"TOOLBAR");
    button->AnimatEvents = {};
    button->SetCaption(entry.Caption);
    button->SetHint(entry.Hint);
    button->SetShowHint(true);
    button->SetFlat(true);
    button->SetParent(PanelBottom);
    button->SetBounds(2 + (index % perRow) * kButtonSize, 2 + (index / perRow) * kButtonSize, kButtonSize,
                      kButtonSize);
    this->*entry.Field = button;
    ++index;
  }
  ButtonPlay->OnClick = {this, &TMainForm::ActionPlayExecute};
  ButtonPlayToEnd->OnClick = {this, &TMainForm::ActionPlayExecute};
  ButtonLoopPlay->OnClick = {this, &TMainForm::ActionLoopPlayExecute};
  ButtonPause->OnClick = {this, &TMainForm::ActionPauseExecute};
  ButtonStop->OnClick = {this, &TMainForm::ActionStopExecute};
  ButtonRecord->OnClick = {this, &TMainForm::ButtonRecordClick};
  ButtonStart->OnClick = {this, &TMainForm::ActionStartExecute};
  ButtonEnd->OnClick = {this, &TMainForm::ActionEndExecute};
  ButtonRewind->OnMouseDown = {this, &TMainForm::ButtonRewindMouseDown};
  ButtonRewind->OnMouseUp = {this, &TMainForm::ButtonRewindMouseUp};
  ButtonForword->OnMouseDown = {this, &TMainForm::ButtonForwordMouseDown};
  ButtonForword->OnMouseUp = {this, &TMainForm::ButtonForwordMouseUp};
  TimerRewind->SetOnTimer({this, &TMainForm::TimerRewindTimer});
  TimerForword->SetOnTimer({this, &TMainForm::TimerForwordTimer});
}

// ---- Play, pause, stop -------------------------------------------------------------------------------

void TMainForm::PlayInMode(int Mode) {
  switch (TransportStateOf(*AudioEditor)) {
    case kStateStopped:
      AudioEditor->Play(Mode);
      break;
    case kStatePlaying:
      AudioEditor->StopTransport();
      break;
    case kStatePaused:
      AudioEditor->ResumeTransport();
      break;
    default:
      break;
  }
}

void TMainForm::ActionPlayExecute(TObject*) { PlayInMode(1); }
void TMainForm::ActionPlayToEndExecute(TObject*) { PlayInMode(2); }
void TMainForm::ActionLoopPlayExecute(TObject*) { PlayInMode(3); }
void TMainForm::ActionPlayAndPauseExecute(TObject* Sender) { ActionPlayExecute(Sender); }

void TMainForm::ActionPauseExecute(TObject*) {
  switch (TransportStateOf(*AudioEditor)) {
    case kStateStopped:
      AudioEditor->Play(1);
      break;
    case kStatePlaying:
      AudioEditor->PauseTransport();
      break;
    case kStatePaused:
      AudioEditor->ResumeTransport();
      break;
    default:
      break;
  }
}

void TMainForm::ActionStopExecute(TObject*) { StopTransport(); }

// ---- Cursor moves ----------------------------------------------------------------------------------

void TMainForm::ActionStartExecute(TObject*) {
  StopTransport();
  IAudioEditor2Position* position = AudioEditor->Position();
  position->SetSelectionChannel(0);
  position->SetCursorPosition(0);
  ScrollViewToCursor();
}

void TMainForm::ActionEndExecute(TObject*) {
  StopTransport();
  IAudioEditor2Position* position = AudioEditor->Position();
  position->SetSelectionChannel(0);
  position->SetCursorPosition(position->GetLength());
  ScrollViewToCursor();
}

void TMainForm::ActionRewindExecute(TObject*) {
  StopTransport();
  RewindStep();
}

void TMainForm::ActionForwordExecute(TObject*) {
  StopTransport();
  ForwardStep();
}

void TMainForm::RewindStep() {
  IAudioEditor2Position* position = AudioEditor->Position();
  position->SetSelectionChannel(0);
  const std::int64_t cursor = position->GetCursorPosition();
  position->SetCursorPosition(cursor <= kStepFrames ? 0 : cursor - kStepFrames);
}

void TMainForm::ForwardStep() {
  IAudioEditor2Position* position = AudioEditor->Position();
  position->SetSelectionChannel(0);
  const std::int64_t cursor = position->GetCursorPosition();
  const std::int64_t length = position->GetLength();
  position->SetCursorPosition(length - kStepFrames < cursor ? length : cursor + kStepFrames);
}

void TMainForm::ScrollViewToCursor() {
  IAudioEditor2Position* position = AudioEditor->Position();
  const std::int64_t viewStart = position->GetViewStart();
  const std::int64_t viewEnd = position->GetViewEnd();
  const std::int64_t cursor = position->GetCursorPosition();
  if (viewStart <= cursor && cursor <= viewEnd) return;
  const std::int64_t width = viewEnd - viewStart;
  if (cursor < viewStart) {
    // Start first: the view only moves left, so the old end never clamps the new start.
    const std::int64_t start = cursor - width > 0 ? cursor - width : 0;
    position->SetViewStart(start);
    position->SetViewEnd(start + width);
  } else {
    const std::int64_t length = position->GetLength();
    const std::int64_t end = cursor + width < length ? cursor + width : length;
    position->SetViewEnd(end);
    position->SetViewStart(end - width);
  }
  AudioEditor->RefreshView();
}

// ---- Held buttons ----------------------------------------------------------------------------------

void TMainForm::ButtonRewindMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  StopTransport();
  TimerRewind->SetEnabled(true);
}

void TMainForm::ButtonRewindMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  StopTransport();
  TimerRewind->SetEnabled(false);
}

void TMainForm::ButtonForwordMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  StopTransport();
  TimerForword->SetEnabled(true);
}

void TMainForm::ButtonForwordMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  StopTransport();
  TimerForword->SetEnabled(false);
}

void TMainForm::TimerRewindTimer(TObject*) {
  RewindStep();
  ScrollViewToCursor();
}

void TMainForm::TimerForwordTimer(TObject*) {
  ForwardStep();
  ScrollViewToCursor();
}
