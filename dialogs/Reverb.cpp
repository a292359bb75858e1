#include "dialogs/Reverb.h"

DEFINE_CLASS(TReverbForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkSliderEdit, L"DelayTime", L"&Delay Time:", 0, 1000, 4, L"0 ms", L"1000 ms", &G::DefReverbDelayTime},
    {pkSliderEdit, L"MixDepth", L"&Mix Depth:", 0, 100, 3, L"0 %", L"100 %", &G::DefReverbMixDepth},
    {pkSliderEdit, L"FeedbackGain", L"&Feedback &Gain:", 0, 100, 3, L"0 %", L"100 %", &G::DefReverbFeedbackGain},
    {pkSliderEdit, L"ReverbGain", L"&Reverb Gain:", 0, 100, 3, L"0 %", L"100 %", &G::DefReverbGain},
    {pkSliderEdit, L"ReverbFrequency", L"Reverb &Frequency:", 10, 22500, 3, L"10 Hz", L"22050 Hz",
     &G::DefReverbFrequency},
    {pkSliderEdit, L"Taps", L"Taps Before delay Feedback:", 0, 10, 3, L"1", L"10", &G::DefReverbTaps},
};

const TPresetSpec kPresets[] = {
    {L"Allien Saying", {30, 60, 60, 30, 11025, 8}},
    {L"Cellar", {30, 60, 25, 60, 11025, 10}},
    {L"Metal", {25, 40, 8, 40, 11025, 10}},
    {L"Metal Flanger", {4, 41, 28, 20, 11025, 10}},
    {L"Metal Resonance (Second Metal Voice)", {4, 10, 97, 0, 11025, 10}},
    {L"Room Left Channel", {15, 10, 28, 88, 11025, 10}},
    {L"Room Right Channel", {15, 11, 35, 92, 11025, 10}},
    {L"Small Room Left Channel", {2, 10, 31, 59, 11025, 10}},
    {L"Small Room Right Channel", {2, 10, 29, 61, 11025, 10}},
};

const TParameterDialogSpec kSpec = {L"Reverb", 6, L"Effects", kParameters, kPresets};

}  // namespace

TReverbForm::TReverbForm(TComponent* AOwner)
    : TForm(AOwner, 0), TFamilyMember(*this, kSpec), TDelayEffectControls(family_) {
  TLoadingBracket loading(*this);
  SetName(L"ReverbForm");
  BuildFixedLayout(loading, 413, 339, 180);
  TakeDelayEffectControls(0);
  TakeControls(family_, 3, LabelReverbGain, ImageSliderReverbGain, EditReverbGain, LabelReverbGainMin,
               LabelReverbGainMax);
  TakeControls(family_, 4, LabelReverbFrequency, ImageSliderReverbFrequency, EditReverbFrequency,
               LabelReverbFrequencyMin, LabelReverbFrequencyMax);
  TakeControls(family_, 5, LabelTaps, ImageSliderTaps, EditTaps, LabelTapsMin, LabelTapsMax);
  ImageSliderReverbGain->OnChange = {this, &TReverbForm::ImageSliderReverbGainChange};
  EditReverbGain->OnChange = {this, &TReverbForm::EditReverbGainChange};
  EditReverbGain->OnExit = {this, &TReverbForm::EditReverbGainExit};
  ImageSliderReverbFrequency->OnChange = {this, &TReverbForm::ImageSliderReverbFrequencyChange};
  EditReverbFrequency->OnChange = {this, &TReverbForm::EditReverbFrequencyChange};
  EditReverbFrequency->OnExit = {this, &TReverbForm::EditReverbFrequencyExit};
  ImageSliderTaps->OnChange = {this, &TReverbForm::ImageSliderTapsChange};
  EditTaps->OnChange = {this, &TReverbForm::EditTapsChange};
  EditTaps->OnExit = {this, &TReverbForm::EditTapsExit};
  BindCommonHandlers(*this, true);
  loading.End();
}

void TReverbForm::ImageSliderReverbGainChange(TObject* Sender) { family_.SliderChange(Sender); }
void TReverbForm::EditReverbGainChange(TObject* Sender) { family_.EditChange(Sender); }
void TReverbForm::EditReverbGainExit(TObject* Sender) { family_.EditExit(Sender); }
void TReverbForm::ImageSliderReverbFrequencyChange(TObject* Sender) { family_.SliderChange(Sender); }
void TReverbForm::EditReverbFrequencyChange(TObject* Sender) { family_.EditChange(Sender); }
void TReverbForm::EditReverbFrequencyExit(TObject* Sender) { family_.EditExit(Sender); }
void TReverbForm::ImageSliderTapsChange(TObject* Sender) { family_.SliderChange(Sender); }
void TReverbForm::EditTapsChange(TObject* Sender) { family_.EditChange(Sender); }
void TReverbForm::EditTapsExit(TObject* Sender) { family_.EditExit(Sender); }
