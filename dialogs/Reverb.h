#pragma once
// TReverbForm ("Reverb"): the echo dialog's three delay parameters and the reverb's gain,
// frequency and taps, a member of the parameter dialog family (ParameterDialog.h). The frequency slider
// runs to 22500 under its "22050 Hz" label and the taps slider from 0 under its "1" label; the audio
// layer clamps what it takes.

#include "dialogs/EffectControls.h"
#include "dialogs/FamilyMember.h"

class TReverbForm : public TForm, public TFamilyMember, public TDelayEffectControls {
  DECLARE_CLASS(TReverbForm, TForm)
 public:
  explicit TReverbForm(TComponent* AOwner);

  TLabel* LabelReverbGain = nullptr;
  TImageSlider* ImageSliderReverbGain = nullptr;
  TEdit* EditReverbGain = nullptr;
  TLabel* LabelReverbGainMin = nullptr;
  TLabel* LabelReverbGainMax = nullptr;
  TLabel* LabelReverbFrequency = nullptr;
  TImageSlider* ImageSliderReverbFrequency = nullptr;
  TEdit* EditReverbFrequency = nullptr;
  TLabel* LabelReverbFrequencyMin = nullptr;
  TLabel* LabelReverbFrequencyMax = nullptr;
  TLabel* LabelTaps = nullptr;
  TImageSlider* ImageSliderTaps = nullptr;
  TEdit* EditTaps = nullptr;
  TLabel* LabelTapsMin = nullptr;
  TLabel* LabelTapsMax = nullptr;

  void ImageSliderReverbGainChange(TObject* Sender);
  void EditReverbGainChange(TObject* Sender);
  void EditReverbGainExit(TObject* Sender);
  void ImageSliderReverbFrequencyChange(TObject* Sender);
  void EditReverbFrequencyChange(TObject* Sender);
  void EditReverbFrequencyExit(TObject* Sender);
  void ImageSliderTapsChange(TObject* Sender);
  void EditTapsChange(TObject* Sender);
  void EditTapsExit(TObject* Sender);
};
