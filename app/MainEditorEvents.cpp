// The editor control's events in the main window: long operations (the window is disabled and the
// progress window shown until the end event), the time panels, the two selection scroll bars that
// follow the selection and select through it, the level meters, the double click and dragging.
//
// The editor fires its events inside calls, and the block-operation handler pumps messages, so the
// two guards keep the scroll bars and the selection from feeding back into each other.

#include <algorithm>

#include "app/MainForm.h"
#include "app/SampleTimes.h"
#include "app/core/Progress.h"
#include "platform/audio/editor/AudioEditor.h"

namespace {

// Sets a flag for the lifetime of the scope, also when an exception passes.
class TFlagScope {
 public:
  explicit TFlagScope(bool& Flag) : flag_(Flag) { flag_ = true; }
  ~TFlagScope() { flag_ = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
};

constexpr int kMeterFloor = 67;
constexpr int kMeterScale = 4;

// The gauge clamps what lies above its range.
void SetGauge(TsGauge* Gauge, int Level) { Gauge->SetProgress(std::max(Level - kMeterFloor, 0) * kMeterScale); }

}  // namespace

void TMainForm::BindEditorEvents() {
  AudioEditor->OnBlockOperation = {this, &TMainForm::AudioEditorBlockOperation};
  AudioEditor->OnEndOperation = {this, &TMainForm::AudioEditorEndOperation};
  AudioEditor->OnChangePosition = {this, &TMainForm::AudioEditorChangePosition};
  AudioEditor->OnChangePlayPosition = {this, &TMainForm::AudioEditorChangePlayPosition};
  AudioEditor->OnMeter = {this, &TMainForm::AudioEditorMeter};
  AudioEditor->OnDblClick = {this, &TMainForm::AudioEditorDblClick};
  AudioEditor->OnDragOver = {this, &TMainForm::AudioEditorDragOver};
  ScrollBarStart->OnChange = {this, &TMainForm::ScrollBarStartChange};
  ScrollBarEnd->OnChange = {this, &TMainForm::ScrollBarEndChange};
  for (TControl* control : std::initializer_list<TControl*>{PanelSelection, LabelStartTitle, LabelStart, LabelEndTitle,
                                                            LabelEnd, LabelFileTitle, LabelFileLength, LabelSelTitle,
                                                            LabelSelLength})
    control->OnDblClick = {this, &TMainForm::PanelSelectionDblClick};
}

// ---- Long operations ---------------------------------------------------------------------------------

void TMainForm::AudioEditorBlockOperation(TObject*, int Percent) {
  SetEnabled(false);
  ShowProgress(this, Percent);
}

void TMainForm::AudioEditorEndOperation(TObject*) {
  SetEnabled(true);
  HideProgress();
}

// ---- Time panels -----------------------------------------------------------------------------------

void TMainForm::AudioEditorChangePlayPosition(TObject*) {
  const String text = SampleTimeText(*AudioEditor, AudioEditor->Position()->GetCursorPosition());
  LabelStart->SetCaption(text);
  MainTime->SetCaption(text);
  RefreshAnalysis();
}

void TMainForm::UpdatePositionLabels() {
  IAudioEditor2Position* position = AudioEditor->Position();
  const std::int64_t start = position->GetSelectionStart();
  const std::int64_t end = position->GetSelectionEnd();
  LabelStart->SetCaption(SampleTimeText(*AudioEditor, start));
  LabelEnd->SetCaption(SampleTimeText(*AudioEditor, end));
  LabelSelLength->SetCaption(SampleTimeText(*AudioEditor, start > end ? start - end : end - start));
  LabelFileLength->SetCaption(SampleTimeText(*AudioEditor, position->GetLength()));
  MainTime->SetCaption(LabelStart->Caption());
}

// ---- Selection and scroll bars ---------------------------------------------------------------------

void TMainForm::AudioEditorChangePosition(TObject*) {
  TFlagScope fromEditor(SelectionFromEditor);
  UpdatePositionLabels();
  if (!SelectionFromScrollBars) {
    IAudioEditor2Position* position = AudioEditor->Position();
    if (const std::int64_t length = position->GetLength(); length != 0) {
      ScrollBarStart->SetPosition(ScrollBarPositionOf(position->GetSelectionStart(), length));
      ScrollBarEnd->SetPosition(ScrollBarPositionOf(position->GetSelectionEnd(), length));
    }
  }
  RefreshAnalysis();
}

void TMainForm::SelectFromScrollBars() {
  if (SelectionFromEditor) return;
  TFlagScope fromScrollBars(SelectionFromScrollBars);
  IAudioEditor2Position* position = AudioEditor->Position();
  const std::int64_t length = position->GetLength();
  const std::int64_t a = SamplePositionOfBar(ScrollBarStart->Position(), length);
  const std::int64_t b = SamplePositionOfBar(ScrollBarEnd->Position(), length);
  position->SetSelectionChannel(-1);
  // The end first, so that a start beyond the old end is not clamped by it.
  position->SetSelectionEnd(length);
  position->SetSelectionStart(std::min(a, b));
  position->SetSelectionEnd(std::max(a, b));
}

void TMainForm::ScrollBarStartChange(TObject*) { SelectFromScrollBars(); }
void TMainForm::ScrollBarEndChange(TObject*) { SelectFromScrollBars(); }

// ---- Meter, double click, drag ---------------------------------------------------------------------

void TMainForm::AudioEditorMeter(TObject*, int LevelLeft, int LevelRight) {
  SetGauge(LeftBar, LevelLeft);
  SetGauge(RightBar, LevelRight);
}

void TMainForm::AudioEditorDblClick(TObject* Sender) { ActionSelectAllExecute(Sender); }

void TMainForm::AudioEditorDragOver(TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
  Accept = Source == AudioEditor;
}
