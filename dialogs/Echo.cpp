#include "dialogs/Echo.h"

DEFINE_CLASS(TEchoForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkSliderEdit, L"DelayTime", L"&Delay Time:", 0, 5000, 4, L"0 ms", L"5000 ms", &G::DefEchoDelayTime},
    {pkSliderEdit, L"MixDepth", L"&Mix Depth:", 0, 100, 3, L"0 %", L"100 %", &G::DefEchoMixDepth},
    {pkSliderEdit, L"FeedbackGain", L"&Feedback &Gain:", 0, 100, 3, L"0 %", L"100 %", &G::DefEchoFeedbackGain},
};

const TPresetSpec kPresets[] = {
    {L"Echo", {200, 70, 40}},
    {L"Elvis Left Channel", {120, 50, 0}},
    {L"Elvis Right Channel", {60, 50, 0}},
    {L"Large Cavern", {300, 25, 30}},
    {L"Large Tunnel", {80, 70, 60}},
    {L"Many Echoes", {500, 50, 70}},
    {L"Phylarmonic hall", {340, 10, 70}},
    {L"Psychodelic reverb", {750, 30, 70}},
    {L"Small Cavern", {200, 70, 10}},
    {L"Small Echo", {200, 70, 0}},
    {L"Small Tunnel", {26, 60, 10}},
    {L"Very Large Cavern", {360, 35, 50}},
};

const TParameterDialogSpec kSpec = {L"Echo", 5, L"Effects", kParameters, kPresets};

}  // namespace

TEchoForm::TEchoForm(TComponent* AOwner)
    : TForm(AOwner, 0), TFamilyMember(*this, kSpec), TDelayEffectControls(family_) {
  TLoadingBracket loading(*this);
  SetName(L"EchoForm");
  BuildFixedLayout(loading, 342, 220);
  TakeDelayEffectControls(0);
  BindCommonHandlers(*this, true);
  loading.End();
}
