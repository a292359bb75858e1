#pragma once
// TLowPassForm ("LowPass Filter"): the low-pass filter's frequency (an edit alone, stored as typed) and
// steepness, a member of the parameter dialog family (ParameterDialog.h).

#include "dialogs/FamilyMember.h"

class TLowPassForm : public TForm, public TFamilyMember {
  DECLARE_CLASS(TLowPassForm, TForm)
 public:
  explicit TLowPassForm(TComponent* AOwner);

  TLabel* LabelFrequency = nullptr;
  TEdit* EditFrequency = nullptr;
  TLabel* LabelSteepness = nullptr;
  TImageSlider* ImageSliderSteepness = nullptr;
  TEdit* EditSteepness = nullptr;
  TLabel* LabelSteepnessMin = nullptr;
  TLabel* LabelSteepnessMax = nullptr;

  void ImageSliderSteepnessChange(TObject* Sender);
  void EditSteepnessChange(TObject* Sender);
  void EditSteepnessExit(TObject* Sender);
};
