#include "dialogs/Chorus.h"

DEFINE_CLASS(TChorusForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkSliderEdit, L"DelayRate", L"&Delay Rate (%):", 0, 100, 4, L"0 %", L"100 %", &G::DefChorusDelayRate},
    {pkSliderEdit, L"MixDepth", L"Depth &Percent (%):", 0, 100, 3, L"0 %", L"100 %", &G::DefChorusMixDepth},
    {pkSliderEdit, L"FeedbackGain", L"&Gain Percent (%):", 0, 100, 3, L"0 %", L"100 %", &G::DefChorusFeedbackGain},
    {pkSliderEdit, L"SweepDepth", L"Sweep Depth (%):", 0, 100, 3, L"0 %", L"100 %", &G::DefChorusSweepDepth},
    {pkSliderEdit, L"SweepRate", L"Sweep Rate (%):", 0, 100, 3, L"0 %", L"100 %", &G::DefChorusSweepRate},
    {pkSliderEdit, L"SweepPhase", L"Sweep Phase (Deg):", 0, 359, 3, L"0 Deg", L"359 Deg", &G::DefChorusSweepPhase},
};

const TPresetSpec kPresets[] = {
    {L"Bathroom", {10, 20, 60, 0, 0, 90}},
    {L"Bathroom with Light Flanger", {31, 45, 60, 25, 12, 90}},
    {L"Cassete Tape Hard Stretched", {31, 45, 60, 90, 25, 0}},
    {L"Cassete Tape Light Stretched", {8, 50, 25, 1, 25, 90}},
    {L"Electronic Voice", {7, 60, 0, 15, 90, 90}},
    {L"Flying Hard Flanger", {90, 50, 90, 2, 12, 90}},
    {L"Psychedelic", {31, 70, 50, 1, 1, 90}},
    {L"Simple Chorus", {7, 45, 2, 0, 1, 90}},
    {L"Slow Metallic Flanger", {31, 45, 60, 12, 9, 120}},
    {L"Stereo Chorus Left", {5, 30, 60, 2, 12, 90}},
    {L"Stereo Chorus Right", {7, 30, 60, 3, 10, 90}},
};

const TParameterDialogSpec kSpec = {L"Chorus", 14, L"Effects", kParameters, kPresets};

}  // namespace

TChorusForm::TChorusForm(TComponent* AOwner)
    : TForm(AOwner, 0), TFamilyMember(*this, kSpec), TSweepEffectControls(family_) {
  TLoadingBracket loading(*this);
  SetName(L"ChorusForm");
  BuildFixedLayout(loading, 356, 329);
  TakeSweepEffectControls(0);
  BindCommonHandlers(*this, true);
  loading.End();
}
