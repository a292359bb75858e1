#include "dialogs/LowPass.h"

DEFINE_CLASS(TLowPassForm)

namespace {

const TParameterSpec kParameters[] = {
    {pkEdit, L"Frequency", L"Frequency (Hz):", 0, 99999, 5, nullptr, nullptr, &TGlobalVars::DefLowPassFrequency},
    {pkSliderEdit, L"Steepness", L"&Steepness (%):", 0, 100, 4, L"0 %", L"100 %", &TGlobalVars::DefLowPassSteepness},
};

const TPresetSpec kPresets[] = {
    {L"LowPass Filter 10kHz", {10000, 50}},
    {L"LowPass Filter 1kHz", {1000, 50}},
    {L"LowPass Filter 200Hz", {200, 50}},
};

const TParameterDialogSpec kSpec = {L"LowPass Filter", 17, L"Effects", kParameters, kPresets};

}  // namespace

TLowPassForm::TLowPassForm(TComponent* AOwner) : TForm(AOwner, 0), TFamilyMember(*this, kSpec) {
  TLoadingBracket loading(*this);
  SetName(L"LowPassForm");
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
  ImageSliderSteepness->OnChange = {this, &TLowPassForm::ImageSliderSteepnessChange};
  EditSteepness->OnChange = {this, &TLowPassForm::EditSteepnessChange};
  EditSteepness->OnExit = {this, &TLowPassForm::EditSteepnessExit};
  BindCommonHandlers(*this, true);
  loading.End();
}

void TLowPassForm::ImageSliderSteepnessChange(TObject* Sender) { family_.SliderChange(Sender); }
void TLowPassForm::EditSteepnessChange(TObject* Sender) { family_.EditChange(Sender); }
void TLowPassForm::EditSteepnessExit(TObject* Sender) { family_.EditExit(Sender); }
