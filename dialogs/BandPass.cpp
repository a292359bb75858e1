#include "dialogs/BandPass.h"

DEFINE_CLASS(TBandPassForm)

namespace {

const TParameterSpec kParameters[] = {
    {pkEdit, L"Frequency", L"Frequency (Hz):", 0, 99999, 5, nullptr, nullptr, &TGlobalVars::DefBandPassFrequency},
    {pkSliderEdit, L"Steepness", L"&Steepness (%):", 0, 100, 4, L"0 %", L"100 %", &TGlobalVars::DefBandPassSteepness},
};

const TPresetSpec kPresets[] = {
    {L"BandPass Filter 10kHz", {10000, 50}},
    {L"BandPass Filter 1kHz", {1000, 50}},
    {L"BandPass Filter 200Hz", {200, 50}},
};

const TParameterDialogSpec kSpec = {L"BandPass Filter", 16, L"Effects", kParameters, kPresets};

}  // namespace

TBandPassForm::TBandPassForm(TComponent* AOwner) : TForm(AOwner, 0), TFamilyMember(*this, kSpec) {
  TLoadingBracket loading(*this);
  SetName(L"BandPassForm");
  BuildRowLayout(loading, 342);
  const TParameterControls& frequency = family_.Controls(0);
  const TParameterControls& steepness = family_.Controls(1);
  LabelFrequency = frequency.Caption;
  EditFrequency = frequency.Edit;
  LabelSteepness = steepness.Caption;
  ImageSliderSteepness = steepness.Slider;
  EditSteepness = steepness.Edit;
  LabelSteepnessMin = steepness.MinLabel;
  LabelSteepnessMax = steepness.MaxLabel;
  ImageSliderSteepness->OnChange = {this, &TBandPassForm::ImageSliderSteepnessChange};
  EditSteepness->OnChange = {this, &TBandPassForm::EditSteepnessChange};
  EditSteepness->OnExit = {this, &TBandPassForm::EditSteepnessExit};
  BindCommonHandlers(*this, true);
  loading.End();
}

void TBandPassForm::ImageSliderSteepnessChange(TObject* Sender) { family_.SliderChange(Sender); }
void TBandPassForm::EditSteepnessChange(TObject* Sender) { family_.EditChange(Sender); }
void TBandPassForm::EditSteepnessExit(TObject* Sender) { family_.EditExit(Sender); }
