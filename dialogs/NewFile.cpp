#include "dialogs/NewFile.h"

#include "app/core/Help.h"
#include "dialogs/DialogParts.h"

DEFINE_CLASS(TNewFileForm)

TNewFileForm::TNewFileForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  BuildDialogForm(*this, L"NewFileForm", L"New Sample", 300, 146, bsDialog);
  labSamplerRate = AddLabel(loading, *this, this, L"labSamplerRate", L"&Sample Rate:", Bounds(12, 15, 80, 14));
  cbSampleRate = AddDropDownList(loading, *this, this, L"cbSampleRate", Bounds(100, 12, 120, 21),
                                 {L"96,000", L"88,200", L"48,000", L"44,100", L"32,000", L"24,000", L"22,050",
                                  L"16,000", L"12,000", L"11,025", L"8,000", L"6,000"},
                                 3);
  cbSampleRate->SetDropDownCount(12);
  labSamplerRate->SetFocusControl(cbSampleRate);
  labChannels = AddLabel(loading, *this, this, L"labChannels", L"&Channels: ", Bounds(12, 46, 80, 14));
  rbStereo = AddRadioButton(loading, *this, this, L"rbStereo", L"Ste&reo (Dual)", Bounds(100, 45, 120, 17), true);
  labChannels->SetFocusControl(rbStereo);
  rbMono = AddRadioButton(loading, *this, this, L"rbMono", L"&Mono (Single)", Bounds(100, 66, 120, 17));
  Bevel = AddTopLine(loading, *this, L"Bevel", Bounds(12, 96, 276, 2));
  ButtonOK = AddButton(loading, *this, this, L"ButtonOK", L"&OK", Bounds(51, 110, 75, 25), mrOk, true);
  ButtonCancel = AddButton(loading, *this, this, L"ButtonCancel", L"&Cancel", Bounds(132, 110, 75, 25), mrCancel);
  ButtonHelp = AddButton(loading, *this, this, L"ButtonHelp", L"&Help", Bounds(213, 110, 75, 25));
  OnShow = {this, &TNewFileForm::FormShow};
  ButtonHelp->OnClick = {this, &TNewFileForm::ButtonHelpClick};
  loading.End();
}

void TNewFileForm::FormShow(TObject*) { ApplyDialogShowSteps(*this); }

void TNewFileForm::ButtonHelpClick(TObject*) { ShowHelpTopic(Handle(), L"CreateOpenandSaveaudiofiles"); }
