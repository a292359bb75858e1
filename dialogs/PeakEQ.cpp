#include "dialogs/PeakEQ.h"

DEFINE_CLASS(TPeakEQForm)

namespace {

const TParameterSpec kParameters[] = {
    {pkEdit, L"Frequency", L"Frequency (Hz):", 0, 99999, 5, nullptr, nullptr, &TGlobalVars::DefPeakEQFrequency},
    {pkSliderEdit, L"Steepness", L"&Steepness (%):", 0, 100, 4, L"0 %", L"100 %", &TGlobalVars::DefPeakEQSteepness},
    {pkSliderEdit, L"Gain", L"&Gain (dB):", -90, 90, 4, L"-90 dB", L"90 dB", &TGlobalVars::DefPeakEQGain, true},
};

const TPresetSpec kPresets[] = {
    {L"PeakEQ Filter 10kHz", {10000, 50, -10}},
    {L"PeakEQ Filter 1kHz", {1000, 50, -10}},
    {L"PeakEQ Filter 200Hz", {200, 50, -10}},
};

const TParameterDialogSpec kSpec = {L"PeakEQ Filter", 20, L"Effects", kParameters, kPresets};

}  // namespace

TPeakEQForm::TPeakEQForm(TComponent* AOwner) : TForm(AOwner, 0), TFamilyMember(*this, kSpec) {
  TLoadingBracket loading(*this);
  SetName(L"PeakEQForm");
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
  ImageSliderSteepness->OnChange = {this, &TPeakEQForm::ImageSliderSteepnessChange};
  EditSteepness->OnChange = {this, &TPeakEQForm::EditSteepnessChange};
  EditSteepness->OnExit = {this, &TPeakEQForm::EditSteepnessExit};
  ImageSliderGain->OnChange = {this, &TPeakEQForm::ImageSliderGainChange};
  EditGain->OnChange = {this, &TPeakEQForm::EditGainChange};
  EditGain->OnExit = {this, &TPeakEQForm::EditGainExit};
  EditGain->OnKeyPress = {this, &TPeakEQForm::EditGainKeyPress};
  BindCommonHandlers(*this, true);
  loading.End();
}

void TPeakEQForm::ImageSliderSteepnessChange(TObject* Sender) { family_.SliderChange(Sender); }
void TPeakEQForm::EditSteepnessChange(TObject* Sender) { family_.EditChange(Sender); }
void TPeakEQForm::EditSteepnessExit(TObject* Sender) { family_.EditExit(Sender); }
void TPeakEQForm::ImageSliderGainChange(TObject* Sender) { family_.SliderChange(Sender); }
void TPeakEQForm::EditGainChange(TObject* Sender) { family_.EditChange(Sender); }
void TPeakEQForm::EditGainExit(TObject* Sender) { family_.EditExit(Sender); }
void TPeakEQForm::EditGainKeyPress(TObject* Sender, wchar_t& Key) { family_.SignedKeyPress(Sender, Key); }
