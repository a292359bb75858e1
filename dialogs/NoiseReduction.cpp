#include "dialogs/NoiseReduction.h"

DEFINE_CLASS(TNoiseReductionForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkSliderEdit, L"Threshold", L"&Threshold:", -96, 10, 4, L"-96 dB", L"10 dB", &G::DefNoiseReductionThreshold, true},
    {pkSliderEdit, L"Rate", L"&Rate:", 1, 100, 3, L"1 %", L"100 %", &G::DefNoiseReductionRate},
    {pkSliderEdit, L"RMSTime", L"&Root-Mean-Square Time:", 0, 1000, 3, L"0 ms", L"1000 ms",
     &G::DefNoiseReductionRMSTime},
};

const TPresetSpec kPresets[] = {
    {L"Cassette Noise Reduce", {-13, 99, 55}}, {L"Expand for Music", {-12, 40, 100}},
    {L"Expand -30dB", {-30, 100, 100}},        {L"Expand -40dB", {-40, 100, 100}},
    {L"Expand -50dB", {-50, 100, 100}},        {L"Soft Expand for Music", {-15, 20, 100}},
    {L"Voice Breath Reduce", {-30, 25, 30}},
};

const TParameterDialogSpec kSpec = {L"Noise Reduction", 9, L"Effects", kParameters, kPresets};

}  // namespace

TNoiseReductionForm::TNoiseReductionForm(TComponent* AOwner)
    : TForm(AOwner, 0), TFamilyMember(*this, kSpec), TThresholdControls(family_) {
  TLoadingBracket loading(*this);
  SetName(L"NoiseReductionForm");
  BuildFixedLayout(loading, 391, 217, 144);
  TakeThresholdControls(0);
  TakeControls(family_, 2, LabelRMSTime, ImageSliderRMSTime, EditRMSTime, LabelRMSTimeMin, LabelRMSTimeMax);
  ImageSliderRMSTime->OnChange = {this, &TNoiseReductionForm::ImageSliderRMSTimeChange};
  EditRMSTime->OnChange = {this, &TNoiseReductionForm::EditRMSTimeChange};
  EditRMSTime->OnExit = {this, &TNoiseReductionForm::EditRMSTimeExit};
  BindCommonHandlers(*this, true);
  loading.End();
}

void TNoiseReductionForm::ImageSliderRMSTimeChange(TObject* Sender) { family_.SliderChange(Sender); }
void TNoiseReductionForm::EditRMSTimeChange(TObject* Sender) { family_.EditChange(Sender); }
void TNoiseReductionForm::EditRMSTimeExit(TObject* Sender) { family_.EditExit(Sender); }
