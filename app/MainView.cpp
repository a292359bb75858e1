// The display commands of the main window (waveform or spectrum, the two scales' number formats and
// visibility), the editor's fixed appearance, and the restoring of the view at start-up. Every
// display command writes its key of "system.dat" at once.

#include "app/MainForm.h"
#include "app/core/SettingsFile.h"
#include "app/core/WaitCursor.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/classes/IniFiles.h"

namespace {

const wchar_t kHorizontal[] = L"Horizontal";
const wchar_t kVertical[] = L"Vertical";
const wchar_t kWaveMode[] = L"WaveMode";

struct TColorSlot {
  int Slot;
  TColor Color;
};

// In the order they are set.
const TColorSlot kEditorColors[] = {
    {24, 0x640000}, {34, 0x640000}, {32, 0xFFFFFF}, {28, 0x000000}, {10, 0xC80000}, {16, 0xC80000},
    {14, 0x000000}, {12, 0x000000}, {22, 0x000000}, {26, 0x000000}, {20, 0x0000FF}, {30, 0x000000},
    {18, 0xFFFFFF}, {8, 0x000000},  {36, 0x578EDB}, {38, 0x578EDB}, {40, 0x578EDB},
};

}  // namespace

void TMainForm::ApplyEditorAppearance() {
  for (IAudioEditor2Scale* scale : {AudioEditor->ScaleX(), AudioEditor->ScaleY()}) {
    scale->SetScaleFont(L"Tahoma", 7, static_cast<TColor>(0xF8DCA8));
    scale->SetGridLines(0);
  }
  AudioEditor->SetTypeBorder(4);
  for (const TColorSlot& entry : kEditorColors) AudioEditor->Colors()->SetColor(entry.Slot, entry.Color);
  LeftBar->SetProgress(0);
  RightBar->SetProgress(0);
}

void TMainForm::LoadViewSettings() {
  ApplyEditorAppearance();
  TIniFile settings(SettingsFilePath());

  switch (settings.ReadInteger(kHorizontal, L"Format", 2)) {
    case 1:
      ActionHorizontalFormatSampleExecute(this);
      break;
    case 2:
      ActionHorizontalFormatDecimcalExecute(this);
      break;
    default:
      break;
  }
  const bool horizontalVisible = settings.ReadBool(kHorizontal, L"Visible", true);
  ActionHorizontalFormatVisible->SetChecked(horizontalVisible);
  AudioEditor->ScaleX()->SetVisible(horizontalVisible ? -1 : 0);

  switch (settings.ReadInteger(kVertical, L"Format", 3)) {
    case 1:
      ActionVerticalFormatSampleExecute(this);
      break;
    case 2:
      ActionVerticalFormatNormalizedExecute(this);
      break;
    case 3:
      ActionVerticalFormatDecibelExecute(this);
      break;
    default:
      break;
  }
  const bool verticalVisible = settings.ReadBool(kVertical, L"Visible", true);
  ActionVerticalFormatVisiable->SetChecked(verticalVisible);
  AudioEditor->ScaleY()->SetVisible(verticalVisible ? -1 : 0);

  switch (settings.ReadInteger(kWaveMode, L"Mode", 1)) {
    case 1:
      ActionWaveformModeExecute(this);
      break;
    case 2:
      ActionSpectralModeExecute(this);
      break;
    default:
      break;
  }

  LoadCommandBarSettings(settings.ReadBool(L"System", L"CommandBarOnTheLeft", true),
                         settings.ReadBool(L"System", L"ShowCommandBar", true));
}

// ---- The commands --------------------------------------------------------------------------------

void TMainForm::SetHorizontalFormat(TAction* Action, int Format) {
  TWaitCursor wait;
  Action->SetChecked(true);
  AudioEditor->ScaleX()->SetFormat(Format);
  WriteSettingInteger(kHorizontal, L"Format", Format);
}

void TMainForm::SetVerticalFormat(TAction* Action, int Format) {
  TWaitCursor wait;
  Action->SetChecked(true);
  AudioEditor->ScaleY()->SetFormat(Format);
  WriteSettingInteger(kVertical, L"Format", Format);
}

void TMainForm::SetViewMode(TAction* Action, int TypeView, int Mode) {
  TWaitCursor wait;
  Action->SetChecked(true);
  AudioEditor->SetTypeView(TypeView);
  WriteSettingInteger(kWaveMode, L"Mode", Mode);
}

void TMainForm::ToggleScaleVisible(TAction* Action, bool Horizontal) {
  TWaitCursor wait;
  IAudioEditor2Scale* scale = Horizontal ? AudioEditor->ScaleX() : AudioEditor->ScaleY();
  Action->SetChecked(!Action->Checked());
  scale->SetVisible(Action->Checked() ? -1 : 0);
  WriteSettingBool(Horizontal ? kHorizontal : kVertical, L"Visible", scale->GetVisible() != 0);
}

void TMainForm::ActionWaveformModeExecute(TObject*) { SetViewMode(ActionWaveformMode, 0, 1); }
void TMainForm::ActionSpectralModeExecute(TObject*) { SetViewMode(ActionSpectralMode, 1, 2); }
void TMainForm::ActionHorizontalFormatDecimcalExecute(TObject*) {
  SetHorizontalFormat(ActionHorizontalFormatDecimcal, 2);
}
void TMainForm::ActionHorizontalFormatSampleExecute(TObject*) { SetHorizontalFormat(ActionHorizontalFormatSample, 1); }
void TMainForm::ActionHorizontalFormatVisibleExecute(TObject*) {
  ToggleScaleVisible(ActionHorizontalFormatVisible, true);
}
void TMainForm::ActionVerticalFormatSampleExecute(TObject*) { SetVerticalFormat(ActionVerticalFormatSample, 1); }
void TMainForm::ActionVerticalFormatNormalizedExecute(TObject*) {
  SetVerticalFormat(ActionVerticalFormatNormalized, 2);
}
void TMainForm::ActionVerticalFormatDecibelExecute(TObject*) { SetVerticalFormat(ActionVerticalFormatDecibel, 3); }
void TMainForm::ActionVerticalFormatVisiableExecute(TObject*) {
  ToggleScaleVisible(ActionVerticalFormatVisiable, false);
}
