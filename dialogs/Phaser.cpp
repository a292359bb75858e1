#include "dialogs/Phaser.h"

DEFINE_CLASS(TPhaserForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkSliderEdit, L"DelayTime", L"&Delay Time:", 0, 5000, 4, L"0 ms", L"5000 ms", &G::DefPhaserDelayTime},
    {pkSliderEdit, L"MixDepth", L"&Mix Depth:", 0, 100, 3, L"0 %", L"100 %", &G::DefPhaserMixDepth},
    {pkSliderEdit, L"FeedbackGain", L"&Feedback &Gain:", 0, 100, 3, L"0 %", L"100 %", &G::DefPhaserFeedbackGain},
};

const TPresetSpec kPresets[] = {
    {L"Gymnastic Hall", {300, 30, 45}},
    {L"Large Hall", {239, 80, 85}},
    {L"Shower Room", {60, 30, 60}},
    {L"Stadium", {400, 25, 50}},
};

const TParameterDialogSpec kSpec = {L"Phaser", 12, L"Effects", kParameters, kPresets};

}  // namespace

TPhaserForm::TPhaserForm(TComponent* AOwner)
    : TForm(AOwner, 0), TFamilyMember(*this, kSpec), TDelayEffectControls(family_) {
  TLoadingBracket loading(*this);
  SetName(L"PhaserForm");
  BuildFixedLayout(loading, 343, 220);
  TakeDelayEffectControls(0);
  BindCommonHandlers(*this, true);
  loading.End();
}
