#pragma once
// TNoiseReductionForm ("Noise Reduction"): the threshold in dB (a signed edit), the rate and the
// root-mean-square time of the noise reduction, a member of the parameter dialog family
// (ParameterDialog.h).

#include "dialogs/EffectControls.h"
#include "dialogs/FamilyMember.h"

class TNoiseReductionForm : public TForm, public TFamilyMember, public TThresholdControls {
  DECLARE_CLASS(TNoiseReductionForm, TForm)
 public:
  explicit TNoiseReductionForm(TComponent* AOwner);

  TLabel* LabelRMSTime = nullptr;
  TImageSlider* ImageSliderRMSTime = nullptr;
  TEdit* EditRMSTime = nullptr;
  TLabel* LabelRMSTimeMin = nullptr;
  TLabel* LabelRMSTimeMax = nullptr;

  void ImageSliderRMSTimeChange(TObject* Sender);
  void EditRMSTimeChange(TObject* Sender);
  void EditRMSTimeExit(TObject* Sender);
};
