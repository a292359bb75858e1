#include "dialogs/Vibrato.h"

DEFINE_CLASS(TVibratoForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkSliderEdit, L"SweepDepth", L"Sweep Depth (%):", 0, 100, 3, L"0 %", L"100 %", &G::DefVibratoSweepDepth},
    {pkSliderEdit, L"SweepRate", L"Sweep Frequency (hz):", 0, 50, 3, L"0 hz", L"50 hz", &G::DefVibratoSweepRate},
    {pkSliderEdit, L"SweepPhase", L"Sweep Phase (Deg):", 0, 359, 3, L"0 Deg", L"359 Deg", &G::DefVibratoSweepPhase},
};

const TPresetSpec kPresets[] = {
    {L"Fast Vibrato", {40, 15, 95}},
    {L"Robotic Voice", {70, 20, 90}},
    {L"Slow Vibrato", {40, 1, 95}},
};

const TParameterDialogSpec kSpec = {L"Vibrato", 21, L"Effects", kParameters, kPresets};

}  // namespace

TVibratoForm::TVibratoForm(TComponent* AOwner)
    : TForm(AOwner, 0), TFamilyMember(*this, kSpec), TSweepControls(family_) {
  TLoadingBracket loading(*this);
  SetName(L"VibratoForm");
  BuildRowLayout(loading, 342);
  TakeSweepControls(0);
  BindCommonHandlers(*this, true);
  loading.End();
}
