#pragma once
// TBandPassForm ("BandPass Filter"): the band-pass filter's frequency (an edit alone, stored as typed) and
// steepness, a member of the parameter dialog family (ParameterDialog.h).

#include "dialogs/FamilyMember.h"

class TBandPassForm : public TForm, public TFamilyMember {
  DECLARE_CLASS(TBandPassForm, TForm)
 public:
  explicit TBandPassForm(TComponent* AOwner);

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
