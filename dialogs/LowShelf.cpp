#include "dialogs/LowShelf.h"

DEFINE_CLASS(TLowShelfForm)

namespace {

const TParameterSpec kParameters[] = {
    {pkEdit, L"Frequency", L"Frequency (Hz):", 0, 99999, 5, nullptr, nullptr, &TGlobalVars::DefLowShelfFrequency},
    {pkSliderEdit, L"Steepness", L"&Steepness (%):", 0, 100, 4, L"0 %", L"100 %", &TGlobalVars::DefLowShelfSteepness},
    {pkSliderEdit, L"Gain", L"&Gain (dB):", -90, 90, 4, L"-90 dB", L"90 dB", &TGlobalVars::DefLowShelfGain, true},
};

const TPresetSpec kPresets[] = {
    {L"LowShelf Filter 10kHz", {10000, 50, -10}},
    {L"LowShelf Filter 1kHz", {1000, 50, -10}},
    {L"LowShelf Filter 200Hz", {200, 50, -10}},
};

const TParameterDialogSpec kSpec = {L"LowShelf Filter", 18, L"Effects", kParameters, kPresets};

}  // namespace

TLowShelfForm::TLowShelfForm(TComponent* AOwner) : TForm(AOwner, 0), TFamilyMember(*this, kSpec) {
  TLoadingBracket loading(*this);
  SetName(L"LowShelfForm");
  BuildRowLayout(loading, 342);
  const TParameterControls& frequency = family_.Controls(0);
  const TParameterControls& steepness = family_.Controls(1);
  const TParameterControls& gain = family_.Controls(2);
  LabelFrequency = frequency.Caption;
  EditFrequency = frequency.Edit;
  LabelSteepness = steepness.Caption;
  ImageSliderSteepness = steepness.Slider;
  EditSteepness = steepness.Edit;
  LabelSteepnessMin = steepness.MinLabel;
  LabelSteepnessMax = steepness.MaxLabel;
  LabelGain = gain.Caption;
  ImageSliderGain = gain.Slider;
  EditGain = gain.Edit;
  LabelGainMin = gain.MinLabel;
  LabelGainMax = gain.MaxLabel;
  ImageSliderSteepness->OnChange = {this, &TLowShelfForm::ImageSliderSteepnessChange};
  EditSteepness->OnChange = {this, &TLowShelfForm::EditSteepnessChange};
  EditSteepness->OnExit = {this, &TLowShelfForm::EditSteepnessExit};
  ImageSliderGain->OnChange = {this, &TLowShelfForm::ImageSliderGainChange};
  EditGain->OnChange = {this, &TLowShelfForm::EditGainChange};
  EditGain->OnExit = {this, &TLowShelfForm::EditGainExit};
  EditGain->OnKeyPress = {this, &TLowShelfForm::EditGainKeyPress};
  BindCommonHandlers(*this, true);
  loading.End();
}

void TLowShelfForm::ImageSliderSteepnessChange(TObject* Sender) { family_.SliderChange(Sender); }
void TLowShelfForm::EditSteepnessChange(TObject* Sender) { family_.EditChange(Sender); }
void TLowShelfForm::EditSteepnessExit(TObject* Sender) { family_.EditExit(Sender); }
void TLowShelfForm::ImageSliderGainChange(TObject* Sender) { family_.SliderChange(Sender); }
void TLowShelfForm::EditGainChange(TObject* Sender) { family_.EditChange(Sender); }
void TLowShelfForm::EditGainExit(TObject* Sender) { family_.EditExit(Sender); }
void TLowShelfForm::EditGainKeyPress(TObject* Sender, wchar_t& Key) { family_.SignedKeyPress(Sender, Key); }
