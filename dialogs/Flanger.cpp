#include "dialogs/Flanger.h"

DEFINE_CLASS(TFlangerForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkSliderEdit, L"DelayRate", L"&Delay Rate (%):", 0, 100, 4, L"0 %", L"100 %", &G::DefFlangerDelayRate},
    {pkSliderEdit, L"MixDepth", L"Depth &Percent (%):", 0, 100, 3, L"0 %", L"100 %", &G::DefFlangerMixDepth},
    {pkSliderEdit, L"FeedbackGain", L"&Gain Percent (%):", 0, 100, 3, L"0 %", L"100 %", &G::DefFlangerFeedbackGain},
    {pkSliderEdit, L"SweepDepth", L"Sweep Depth (%):", 0, 100, 3, L"0 %", L"100 %", &G::DefFlangerSweepDepth},
    {pkSliderEdit, L"SweepRate", L"Sweep Rate (%):", 0, 100, 3, L"0 %", L"100 %", &G::DefFlangerSweepRate},
    {pkSliderEdit, L"SweepPhase", L"Sweep Phase (Deg):", 0, 359, 3, L"0 Deg", L"359 Deg", &G::DefFlangerSweepPhase},
};

const TPresetSpec kPresets[] = {
    {L"Blur", {14, 50, 30, 99, 18, 40}},
    {L"Classic Flanger", {14, 50, 30, 99, 10, 70}},
    {L"Crying Flanger", {14, 35, 70, 99, 7, 70}},
    {L"Deep Slow Flanger", {80, 70, 50, 10, 1, 20}},
    {L"Fast Sweeping Loop", {100, 50, 85, 90, 30, 90}},
    {L"Flanger-Vibrato", {6, 49, 10, 54, 53, 40}},
    {L"Light Chorus", {70, 50, 1, 99, 0, 50}},
    {L"Light Reflective Room", {100, 10, 90, 10, 10, 90}},
    {L"Little Steel Balls", {100, 50, 85, 99, 100, 90}},
    {L"Metal Bunker", {70, 45, 88, 99, 0, 50}},
    {L"Old TV-Set", {14, 50, 75, 99, 0, 120}},
    {L"Receiver", {100, 50, 85, 80, 15, 90}},
    {L"Reflective Room", {14, 8, 41, 1, 42, 40}},
    {L"Slow & Easy Flanger", {10, 50, 1, 99, 1, 35}},
    {L"Slow Flanger", {3, 35, 10, 40, 4, 40}},
    {L"Soft Spread", {15, 72, 18, 22, 11, 12}},
    {L"Up & Down", {80, 50, 70, 10, 19, 20}},
};

const TParameterDialogSpec kSpec = {L"Flanger", 13, L"Effects", kParameters, kPresets};

}  // namespace

TFlangerForm::TFlangerForm(TComponent* AOwner)
    : TForm(AOwner, 0), TFamilyMember(*this, kSpec), TSweepEffectControls(family_) {
  TLoadingBracket loading(*this);
  SetName(L"FlangerForm");
  BuildFixedLayout(loading, 356, 329);
  TakeSweepEffectControls(0);
  BindCommonHandlers(*this, true);
  loading.End();
}
