#include "dialogs/PasteMix.h"

#include "app/core/Help.h"
#include "dialogs/DialogParts.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TPasteMixForm)

TPasteMixForm::TPasteMixForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  BuildDialogForm(*this, L"PasteMixForm", L"Paste Mix", 300, 214);
  GroupBoxMixVolume = AddGroupBox(loading, *this, this, L"GroupBoxMixVolume", L"&Mix Volume", Bounds(12, 8, 276, 80));
  LabelSelectePart = AddLabel(loading, *this, GroupBoxMixVolume, L"LabelSelectePart", L"&Select Part (%):",
                              Bounds(12, 24, 150, 14));
  EditSelectPart = AddEdit(loading, *this, GroupBoxMixVolume, L"EditSelectPart", Bounds(170, 21, 50, 21), 3, L"100");
  LabelSelectePart->SetFocusControl(EditSelectPart);
  LabelAudioInBuffer = AddLabel(loading, *this, GroupBoxMixVolume, L"LabelAudioInBuffer",
                                L"&Audio in the Buffer (%):", Bounds(12, 52, 150, 14));
  EditAudioInBuffer =
      AddEdit(loading, *this, GroupBoxMixVolume, L"EditAudioInBuffer", Bounds(170, 49, 50, 21), 3, L"100");
  LabelAudioInBuffer->SetFocusControl(EditAudioInBuffer);
  GroupBoxIfMix = AddGroupBox(loading, *this, this, L"GroupBoxIfMix", L"If mi&x audio is longer that selection:",
                              Bounds(12, 96, 276, 70));
  RadioButtonIncreaseSelection = AddRadioButton(loading, *this, GroupBoxIfMix, L"RadioButtonIncreaseSelection",
                                                L"Increase se&lection", Bounds(12, 22, 240, 17), true);
  RadioButtonInsertSilence = AddRadioButton(loading, *this, GroupBoxIfMix, L"RadioButtonInsertSilence",
                                            L"&Insert silence", Bounds(12, 44, 240, 17));
  btnOK = AddButton(loading, *this, this, L"btnOK", L"&OK", Bounds(51, 178, 75, 25), mrNone, true);
  btnCancel = AddButton(loading, *this, this, L"btnCancel", L"&Cancel", Bounds(132, 178, 75, 25), mrCancel);
  btnHelp = AddButton(loading, *this, this, L"btnHelp", L"&Help", Bounds(213, 178, 75, 25));
  OnShow = {this, &TPasteMixForm::FormShow};
  btnOK->OnClick = {this, &TPasteMixForm::btnOKClick};
  btnHelp->OnClick = {this, &TPasteMixForm::btnHelpClick};
  loading.End();
}

void TPasteMixForm::FormShow(TObject*) { ApplyDialogShowSteps(*this, {EditSelectPart, EditAudioInBuffer}); }

void TPasteMixForm::btnOKClick(TObject*) {
  for (TEdit* level : {EditSelectPart, EditAudioInBuffer}) {
    if (StrToInt(level->Text()) <= 100) continue;
    Application->MessageBox(L"Mix Volume must be less than 100%. Please try again.", Application->Title(),
                            MB_OK | MB_ICONERROR);
    if (level->CanFocus()) level->SetFocus();
    return;
  }
  ModalResult = mrOk;
}

void TPasteMixForm::btnHelpClick(TObject*) { ShowHelpTopic(Handle(), L"Editing"); }
