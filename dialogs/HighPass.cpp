#include "dialogs/HighPass.h"

DEFINE_CLASS(THighPassForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkEdit, L"Frequency", L"Frequency (Hz):", 0, 9999, 4, nullptr, nullptr, &G::DefHighPass},
};

const TPresetSpec kPresets[] = {
    {L"General Audio Cleanup", {200}},
    {L"Radio / Telephone Quality Audio", {4000}},
};

const TParameterDialogSpec kSpec = {L"High-Pass Filter", 3, L"Effects", kParameters, kPresets};

}  // namespace

THighPassForm::THighPassForm(TComponent* AOwner) : TForm(AOwner, 0), TFamilyMember(*this, kSpec) {
  TLoadingBracket loading(*this);
  SetName(L"HighPassForm");
  BuildFixedLayout(loading, 326, 113);
  TakeControls(family_, 0, LabelFrequency, EditFrequency);
  BindCommonHandlers(*this, false);
  loading.End();
}
