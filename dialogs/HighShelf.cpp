#include "dialogs/HighShelf.h"

DEFINE_CLASS(THighShelfForm)

namespace {

const TParameterSpec kParameters[] = {
    {pkEdit, L"Frequency", L"Frequency (Hz):", 0, 99999, 5, nullptr, nullptr, &TGlobalVars::DefHighShelfFrequency},
    {pkSliderEdit, L"Steepness", L"&Steepness (%):", 0, 100, 4, L"0 %", L"100 %", &TGlobalVars::DefHighShelfSteepness},
    {pkSliderEdit, L"Gain", L"&Gain (dB):", -90, 90, 4, L"-90 dB", L"90 dB", &TGlobalVars::DefHighShelfGain, true},
};

const TPresetSpec kPresets[] = {
    {L"HighShelf Filter 10kHz", {10000, 50, -10}},
    {L"HighShelf Filter 1kHz", {1000, 50, -10}},
    {L"HighShelf Filter 200Hz", {200, 50, -10}},
};

const TParameterDialogSpec kSpec = {L"HighShelf Filter", 19, L"Effects", kParameters, kPresets};

}  // namespace

THighShelfForm::THighShelfForm(TComponent* AOwner) : TForm(AOwner, 0), TFamilyMember(*this, kSpec) {
  TLoadingBracket loading(*this);
  SetName(L"HighShelfForm");
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
  ImageSliderSteepness->OnChange = {this, &THighShelfForm::ImageSliderSteepnessChange};
  EditSteepness->OnChange = {this, &THighShelfForm::EditSteepnessChange};
  EditSteepness->OnExit = {this, &THighShelfForm::EditSteepnessExit};
  ImageSliderGain->OnChange = {this, &THighShelfForm::ImageSliderGainChange};
  EditGain->OnChange = {this, &THighShelfForm::EditGainChange};
  EditGain->OnExit = {this, &THighShelfForm::EditGainExit};
  EditGain->OnKeyPress = {this, &THighShelfForm::EditGainKeyPress};
  BindCommonHandlers(*this, true);
  loading.End();
}

void THighShelfForm::ImageSliderSteepnessChange(TObject* Sender) { family_.SliderChange(Sender); }
void THighShelfForm::EditSteepnessChange(TObject* Sender) { family_.EditChange(Sender); }
void THighShelfForm::EditSteepnessExit(TObject* Sender) { family_.EditExit(Sender); }
void THighShelfForm::ImageSliderGainChange(TObject* Sender) { family_.SliderChange(Sender); }
void THighShelfForm::EditGainChange(TObject* Sender) { family_.EditChange(Sender); }
void THighShelfForm::EditGainExit(TObject* Sender) { family_.EditExit(Sender); }
void THighShelfForm::EditGainKeyPress(TObject* Sender, wchar_t& Key) { family_.SignedKeyPress(Sender, Key); }
