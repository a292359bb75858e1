#include "dialogs/Amplify.h"

DEFINE_CLASS(TAmplifyForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkEdit, L"Amplify", L"&Amplify Gain (%):", 0, 999, 3, nullptr, nullptr, &G::DefAmplify},
};

const TPresetSpec kPresets[] = {
    {L"Quarter Volume", {25}},
    {L"Half Volume", {50}},
    {L"Double Volume", {200}},
    {L"Triple Volume", {300}},
};

const TParameterDialogSpec kSpec = {L"Amplify", 2, L"Effects", kParameters, kPresets};

}  // namespace

TAmplifyForm::TAmplifyForm(TComponent* AOwner) : TForm(AOwner, 0), TFamilyMember(*this, kSpec) {
  TLoadingBracket loading(*this);
  SetName(L"AmplifyForm");
  BuildFixedLayout(loading, 331, 115);
  TakeControls(family_, 0, LabelAmplify, EditAmplify);
  BindCommonHandlers(*this, false);
  loading.End();
}
