#include "dialogs/DynamicRangeCompressor.h"

DEFINE_CLASS(TDynamicRangeCompressorForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkSliderEdit, L"Threshold", L"&Threshold:", -40, 0, 4, L"-40 dB", L"0 dB", &G::DefCompressorThreshold, true},
    {pkSliderEdit, L"Rate", L"&Rate:", 0, 100, 3, L"0 %", L"100 %", &G::DefCompressorRate},
};

const TPresetSpec kPresets[] = {
    {L"General Voice Level", {-10, 50}},
    {L"TV / Radio Advertisement", {-6, 50}},
};

const int kPresetOrder[] = {1, 0};

const TParameterDialogSpec kSpec = {L"Dynamic Range Compressor", 1, L"Effects", kParameters, kPresets, kPresetOrder};

}  // namespace

TDynamicRangeCompressorForm::TDynamicRangeCompressorForm(TComponent* AOwner)
    : TForm(AOwner, 0), TFamilyMember(*this, kSpec), TThresholdControls(family_) {
  TLoadingBracket loading(*this);
  SetName(L"DynamicRangeCompressorForm");
  BuildFixedLayout(loading, 335, 171);
  TakeThresholdControls(0);
  BindCommonHandlers(*this, true);
  loading.End();
}
