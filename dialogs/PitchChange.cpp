#include "dialogs/PitchChange.h"

DEFINE_CLASS(TPitchChangeForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkEdit, L"PitchAdjust", L"Pitch Adjust (%)", 0, 999, 3, nullptr, nullptr, &G::DefPitchChange},
};

const TPresetSpec kPresets[] = {
    {L"Alto", {140}},
    {L"Bass", {170}},
    {L"Helium", {60}},
    {L"Soprano", {80}},
};

const TParameterDialogSpec kSpec = {L"Pitch Change", 11, L"Effects", kParameters, kPresets};

const wchar_t kMessage[] = L"Pitch Change Percent must be less than 300 and more than 10. Please try again.";

}  // namespace

TPitchChangeForm::TPitchChangeForm(TComponent* AOwner)
    : TForm(AOwner, 0), TFamilyMember(*this, kSpec), check_(10, 300, kMessage) {
  TLoadingBracket loading(*this);
  SetName(L"PitchChangeForm");
  BuildFixedLayout(loading, 331, 115);
  TakeControls(family_, 0, LabelPitchAdjust, EditPitchAdjust);
  // OK closes only through its handler, once the value passes.
  ButtonOK->ModalResult = mrNone;
  BindCommonHandlers(*this, false);
  EditPitchAdjust->OnExit = {this, &TPitchChangeForm::EditPitchAdjustExit};
  ButtonOK->OnClick = {this, &TPitchChangeForm::ButtonOKClick};
  loading.End();
}

void TPitchChangeForm::EditPitchAdjustExit(TObject*) { check_.Exit(EditPitchAdjust, ButtonOK); }
void TPitchChangeForm::ButtonOKClick(TObject*) { check_.OK(*this, ButtonOK, EditPitchAdjust); }
