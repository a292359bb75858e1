#include "capture/RecordingWithoutSilence.h"

#include "app/core/Globals.h"
#include "app/core/Help.h"
#include "dialogs/DialogParts.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TRecordingWithoutSilenceForm)

namespace {

// An empty time edit (the digits-only edit's one non-number) reads as 0 ms.
int TimeOf(TEdit* Edit) { return Edit->Text().empty() ? 0 : StrToInt(Edit->Text()); }

}  // namespace

TRecordingWithoutSilenceForm::TRecordingWithoutSilenceForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  BuildDialogForm(*this, L"RecordingWithoutSilenceForm", L"Recording without silence", 300, 150, bsDialog);
  const struct {
    TGroupBox* TRecordingWithoutSilenceForm::*Group;
    TEdit* TRecordingWithoutSilenceForm::*Time;
    TEdit* TRecordingWithoutSilenceForm::*Level;
    const wchar_t *GroupName, *Caption, *TimeName, *LevelName;
    int Left;
  } groups[] = {
      {&TRecordingWithoutSilenceForm::GroupBoxAttack, &TRecordingWithoutSilenceForm::EditAttackTime,
       &TRecordingWithoutSilenceForm::EditAttackLevel, L"GroupBoxAttack", L"Attack", L"EditAttackTime",
       L"EditAttackLevel", 12},
      {&TRecordingWithoutSilenceForm::GroupBoxRelease, &TRecordingWithoutSilenceForm::EditReleaseTime,
       &TRecordingWithoutSilenceForm::EditReleaseLevel, L"GroupBoxRelease", L"Release", L"EditReleaseTime",
       L"EditReleaseLevel", 156},
  };
  for (const auto& g : groups) {
    TGroupBox* group = this->*g.Group =
        AddGroupBox(loading, *this, this, g.GroupName, g.Caption, Bounds(g.Left, 8, 132, 90));
    AddLabel(loading, *this, group, L"", L"Time:", Bounds(10, 26, 40, 14));
    this->*g.Time = AddEdit(loading, *this, group, g.TimeName, Bounds(54, 22, 44, 21), 3);
    AddLabel(loading, *this, group, L"", L"ms", Bounds(104, 26, 20, 14));
    AddLabel(loading, *this, group, L"", L"Level:", Bounds(10, 58, 40, 14));
    this->*g.Level = AddEdit(loading, *this, group, g.LevelName, Bounds(54, 54, 44, 21), 3);
    AddLabel(loading, *this, group, L"", L"db", Bounds(104, 58, 20, 14));
    (this->*g.Level)->OnKeyPress = {this, &TRecordingWithoutSilenceForm::LevelKeyPress};
  }
  ButtonOK = AddButton(loading, *this, this, L"ButtonOK", L"&OK", Bounds(50, 114, 75, 25), mrNone, true);
  ButtonCancel = AddButton(loading, *this, this, L"ButtonCancel", L"&Cancel", Bounds(131, 114, 75, 25), mrCancel);
  ButtonHelp = AddButton(loading, *this, this, L"ButtonHelp", L"&Help", Bounds(212, 114, 75, 25));
  OnShow = {this, &TRecordingWithoutSilenceForm::FormShow};
  ButtonOK->OnClick = {this, &TRecordingWithoutSilenceForm::ButtonOKClick};
  ButtonHelp->OnClick = {this, &TRecordingWithoutSilenceForm::ButtonHelpClick};
  loading.End();
}

void TRecordingWithoutSilenceForm::LoadValues(const TGlobalVars& Vars) {
  EditAttackLevel->SetText(IntToStr(Vars.AccuAttackLevel));
  EditAttackTime->SetText(IntToStr(Vars.AccuAttackTime));
  EditReleaseLevel->SetText(IntToStr(Vars.AccuReleaseLevel));
  EditReleaseTime->SetText(IntToStr(Vars.AccuReleaseTime));
}

void TRecordingWithoutSilenceForm::StoreValues(TGlobalVars& Vars) {
  Vars.AccuAttackLevel = StrToInt(EditAttackLevel->Text());
  Vars.AccuAttackTime = TimeOf(EditAttackTime);
  Vars.AccuReleaseLevel = StrToInt(EditReleaseLevel->Text());
  Vars.AccuReleaseTime = TimeOf(EditReleaseTime);
}

void TRecordingWithoutSilenceForm::FormShow(TObject*) { ApplyDialogShowSteps(*this, {EditAttackTime, EditReleaseTime}); }

void TRecordingWithoutSilenceForm::LevelKeyPress(TObject* Sender, wchar_t& Key) {
  auto* edit = static_cast<TEdit*>(Sender);
  bool pass = (Key >= L'0' && Key <= L'9') || Key == VK_BACK || Key == VK_RETURN || Key == L'.';
  if (Key == L'-') {
    const String text = edit->Text();
    const bool allSelected = !text.empty() && edit->SelLength() == static_cast<int>(text.size());
    // The caret's character index, not its pixel position, tells the start of the text.
    pass = allSelected || (text.find(L'-') == String::npos && edit->SelStart() == 0);
  }
  if (pass) return;
  Key = 0;
  MessageBeep(0);
}

void TRecordingWithoutSilenceForm::ButtonOKClick(TObject*) {
  const struct {
    TEdit* Edit;
    const wchar_t* Message;
  } levels[] = {
      {EditAttackLevel, L"Attack Level must be less than 0 and more than -90. Please try again."},
      {EditReleaseLevel, L"Release Level must be less than 0 and more than -90. Please try again."},
  };
  for (const auto& level : levels) {
    const int value = StrToInt(level.Edit->Text());
    if (value >= -90 && value <= 0) continue;
    if (level.Edit->CanFocus()) level.Edit->SetFocus();
    Application->MessageBox(level.Message, Application->Title(), MB_OK | MB_ICONERROR);
    return;
  }
  ModalResult = mrOk;
}

void TRecordingWithoutSilenceForm::ButtonHelpClick(TObject*) { ShowHelpTopic(Handle(), L"advancedrecordingoptions"); }
