// The view commands: zooming, vertical zoom, the bottom bar, the command bar's check marks and
// stored side, the channel lanes, the system mixer and Exit; and the zoom panel's buttons.

#include "app/MainForm.h"
#include "app/core/WindowsMixer.h"
#include "app/core/WaitCursor.h"
#include "app/core/SettingsFile.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/classes/Filer.h"
#include "ui/skins/paint/CommonData.h"

namespace {

// The view keeps the anchor and halves its distance to each edge (division truncating toward zero).
void ZoomKeeping(TAudioEditor2& Editor, std::int64_t From, std::int64_t To, std::int64_t Anchor) {
  Editor.ZoomToRange(From + (Anchor - From) / 2, To - (To - Anchor) / 2);
}

// A zoom-panel button: runs and follows its action, but keeps its own short label, which an
// action link would otherwise replace by the action's caption at every change of the action.
class TZoomSpeedButton : public TsSpeedButton {
 public:
  TZoomSpeedButton(TComponent* AOwner, const String& Label) : TsSpeedButton(AOwner), label_(Label) {}

 protected:
  void ActionChange(TObject* Sender, bool CheckDefaults) override {
    TsSpeedButton::ActionChange(Sender, CheckDefaults);
    SetCaption(label_);
  }

 private:
  String label_;
};

struct TZoomButton {
  TAction* TMainForm::*Action;
  const wchar_t* Name;
  const wchar_t* Caption;
};

// Left to right on the zoom panel.
const TZoomButton kZoomButtons[] = {
    {&TMainForm::ActionZoomOut, L"ButtonZoomOut", L"-"},
    {&TMainForm::ActionZoomFull, L"ButtonZoomFull", L"[ ]"},
    {&TMainForm::ActionZoomIn, L"ButtonZoomIn", L"+"},
    {&TMainForm::ActionZoomToLeft, L"ButtonZoomToLeft", L"|<+"},
    {&TMainForm::ActionVerticalZoomIn, L"ButtonVerticalZoomIn", L"V+"},
    {&TMainForm::ActionZoomToRight, L"ButtonZoomToRight", L"+>|"},
    {&TMainForm::ActionVerticalZoomOut, L"ButtonVerticalZoomOut", L"V-"},
    {&TMainForm::ActionZoomToSelection, L"ButtonZoomToSelection", L"[S]"},
};

constexpr int kVerticalZoomStep = 20;
// The smallest vertical zoom: the control is never asked for a zero or negative scale.
constexpr int kVerticalZoomFloor = 20;

}  // namespace

void TMainForm::CreateZoomButtons(TLoadingBracket& loading) {
  constexpr int kButtonSize = 30;
  int index = 0;
  for (const TZoomButton& entry : kZoomButtons) {
    auto* button = loading.Add(new TZoomSpeedButton(this, entry.Caption));
    button->SetName(entry.Name);
    button->SkinData()->SetSkinSection(L"TOOLBAR");
    button->AnimatEvents = {};
    button->SetParent(PanelZoom);
    button->SetFlat(true);
    button->SetBounds(4 + (index % 4) * kButtonSize, 4 + (index / 4) * kButtonSize, kButtonSize, kButtonSize);
    button->SetAction(this->*entry.Action);
    ++index;
  }
}

void TMainForm::ActionZoomInExecute(TObject*) {
  IAudioEditor2Position* position = AudioEditor->Position();
  const std::int64_t viewStart = position->GetViewStart();
  const std::int64_t viewEnd = position->GetViewEnd();
  ZoomKeeping(*AudioEditor, viewStart, viewEnd, position->GetCursorPosition());
}

void TMainForm::ActionZoomToRightExecute(TObject*) {
  IAudioEditor2Position* position = AudioEditor->Position();
  const std::int64_t viewStart = position->GetViewStart();
  const std::int64_t selectionEnd = position->GetSelectionEnd();
  ZoomKeeping(*AudioEditor, viewStart, selectionEnd, position->GetCursorPosition());
}

void TMainForm::ActionZoomToLeftExecute(TObject*) {
  IAudioEditor2Position* position = AudioEditor->Position();
  const std::int64_t selectionStart = position->GetSelectionStart();
  const std::int64_t viewEnd = position->GetViewEnd();
  ZoomKeeping(*AudioEditor, selectionStart, viewEnd, position->GetCursorPosition());
}

void TMainForm::ActionZoomOutExecute(TObject*) { AudioEditor->ZoomOut(); }
void TMainForm::ActionZoomFullExecute(TObject*) { AudioEditor->ZoomFull(); }

void TMainForm::ActionZoomToSelectionExecute(TObject*) {
  IAudioEditor2Position* position = AudioEditor->Position();
  if (position->GetViewStart() == position->GetSelectionStart() &&
      position->GetViewEnd() == position->GetSelectionEnd())
    return;
  AudioEditor->ZoomToSelection();
}

void TMainForm::ActionVerticalZoomInExecute(TObject*) {
  if (VerticalZoom - kVerticalZoomStep < kVerticalZoomFloor) return;
  VerticalZoom -= kVerticalZoomStep;
  AudioEditor->ZoomVertical(VerticalZoom);
}

void TMainForm::ActionVerticalZoomOutExecute(TObject*) {
  VerticalZoom += kVerticalZoomStep;
  AudioEditor->ZoomVertical(VerticalZoom);
}

// ---- Bars ------------------------------------------------------------------------------------------

void TMainForm::ActionBottomBarExecute(TObject*) { PanelButtom->SetVisible(!PanelButtom->Visible()); }

// The command bar itself comes with the navigation bar; its check marks and stored keys are kept now.
void TMainForm::ActionShowCommandBarExecute(TObject*) {
  TWaitCursor wait;
  ActionShowCommandBar->SetChecked(!ActionShowCommandBar->Checked());
  WriteSettingBool(L"System", L"ShowCommandBar", ActionShowCommandBar->Checked());
}

void TMainForm::dxBarLargeButtonQuickBarClick(TObject* Sender) { ActionShowCommandBarExecute(Sender); }

void TMainForm::ActionBarOntheLeftExecute(TObject*) {
  ActionBarOntheLeft->SetChecked(true);
  WriteSettingBool(L"System", L"CommandBarOnTheLeft", true);
}

void TMainForm::ActionBarOntheRightExecute(TObject*) {
  ActionBarOntheRight->SetChecked(true);
  WriteSettingBool(L"System", L"CommandBarOnTheLeft", false);
}

void TMainForm::LoadCommandBarSettings(bool OnTheLeft, bool Show) {
  if (OnTheLeft)
    ActionBarOntheLeftExecute(this);
  else
    ActionBarOntheRightExecute(this);
  ActionShowCommandBar->SetChecked(Show);
}

// ---- Channel lanes ---------------------------------------------------------------------------------

void TMainForm::ShowChannels(bool Left, bool Right) {
  IAudioEditor2Channel* channel = AudioEditor->Channel();
  channel->SelectChannel(1);
  channel->SetChannelEnabled(Left ? -1 : 0);
  channel->SelectChannel(2);
  channel->SetChannelEnabled(Right ? -1 : 0);
}

void TMainForm::dxBarLargeButtonLeftChannelClick(TObject*) { ShowChannels(true, false); }
void TMainForm::dxBarLargeButtonRightChannelClick(TObject*) { ShowChannels(false, true); }
void TMainForm::dxBarLargeButtonBothChannelsClick(TObject*) { ShowChannels(true, true); }
void TMainForm::dxBarLargeButtonVerticalScaleClick(TObject* Sender) { ActionVerticalFormatVisiableExecute(Sender); }
void TMainForm::dxBarLargeButtonHorizontalScaleClick(TObject* Sender) { ActionHorizontalFormatVisibleExecute(Sender); }

// ---- Mixer and exit --------------------------------------------------------------------------------

void TMainForm::ActionWindowsMixerExecute(TObject*) {
  TWaitCursor wait;
  StartWindowsMixer();
}

void TMainForm::ActionExitExecute(TObject*) { Close(); }
