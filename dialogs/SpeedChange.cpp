#include "dialogs/SpeedChange.h"

#include <limits>
DEFINE_CLASS(TSpeedChangeForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkEdit, L"SpeedAdjust", L"Speed Adjust (%)", 0, 999, 3, nullptr, nullptr, &G::DefSpeedChange},
};

const TPresetSpec kPresets[] = {
    {L"Double Speed", {200}},
    {L"Slow Down", {70}},
    {L"Speed Up", {150}},
};

const TParameterDialogSpec kSpec = {L"Speed Change", 10, L"Effects", kParameters, kPresets};

const wchar_t kMessage[] = L"Speed Change Percent must be less than 300. Please try again.";

}  // namespace

TSpeedChangeForm::TSpeedChangeForm(TComponent* AOwner)
    : TForm(AOwner, 0), TFamilyMember(*this, kSpec), check_(std::numeric_limits<int>::min(), 300, kMessage) {
  TLoadingBracket loading(*this);
  SetName(L"SpeedChangeForm");
  BuildFixedLayout(loading, 331, 115);
  TakeControls(family_, 0, LabelSpeedAdjust, EditSpeedAdjust);
  // OK closes only through its handler, once the value passes.
  ButtonOK->ModalResult = mrNone;
  BindCommonHandlers(*this, false);
  EditSpeedAdjust->OnExit = {this, &TSpeedChangeForm::EditSpeedAdjustExit};
  ButtonOK->OnClick = {this, &TSpeedChangeForm::ButtonOKClick};
  loading.End();
}

void TSpeedChangeForm::EditSpeedAdjustExit(TObject*) { check_.Exit(EditSpeedAdjust, ButtonOK); }
void TSpeedChangeForm::ButtonOKClick(TObject*) { check_.OK(*this, ButtonOK, EditSpeedAdjust); }
