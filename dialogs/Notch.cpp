#include "dialogs/Notch.h"

DEFINE_CLASS(TNotchForm)

namespace {

const TParameterSpec kParameters[] = {
    {pkEdit, L"Frequency", L"Frequency (Hz):", 0, 99999, 5, nullptr, nullptr, &TGlobalVars::DefNotchFrequency},
    {pkSliderEdit, L"Steepness", L"&Steepness (%):", 0, 100, 4, L"0 %", L"100 %", &TGlobalVars::DefNotchSteepness},
};

const TPresetSpec kPresets[] = {
    {L"Notch Filter 10kHz", {10000, 50}},
    {L"Notch Filter 1kHz", {1000, 50}},
    {L"Notch Filter 200Hz", {200, 50}},
};

const TParameterDialogSpec kSpec = {L"Notch Filter", 15, L"Effects", kParameters, kPresets};

}  // namespace

TNotchForm::TNotchForm(TComponent* AOwner) : TForm(AOwner, 0), TFamilyMember(*this, kSpec) {
  TLoadingBracket loading(*this);
  SetName(L"NotchForm");
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
  ImageSliderSteepness->OnChange = {this, &TNotchForm::ImageSliderSteepnessChange};
  EditSteepness->OnChange = {this, &TNotchForm::EditSteepnessChange};
  EditSteepness->OnExit = {this, &TNotchForm::EditSteepnessExit};
  BindCommonHandlers(*this, true);
  loading.End();
}

void TNotchForm::ImageSliderSteepnessChange(TObject* Sender) { family_.SliderChange(Sender); }
void TNotchForm::EditSteepnessChange(TObject* Sender) { family_.EditChange(Sender); }
void TNotchForm::EditSteepnessExit(TObject* Sender) { family_.EditExit(Sender); }
