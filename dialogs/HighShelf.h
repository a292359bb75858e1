#pragma once
// THighShelfForm ("HighShelf Filter"): the high-shelf filter's frequency (an edit alone, stored as typed),
// steepness and gain, a member of the parameter dialog family (ParameterDialog.h).

#include "dialogs/FamilyMember.h"

class THighShelfForm : public TForm, public TFamilyMember {
  DECLARE_CLASS(THighShelfForm, TForm)
 public:
  explicit THighShelfForm(TComponent* AOwner);

  TLabel* LabelFrequency = nullptr;
  TEdit* EditFrequency = nullptr;
  TLabel* LabelSteepness = nullptr;
  TImageSlider* ImageSliderSteepness = nullptr;
  TEdit* EditSteepness = nullptr;
  TLabel* LabelSteepnessMin = nullptr;
  TLabel* LabelSteepnessMax = nullptr;
  TLabel* LabelGain = nullptr;
  TImageSlider* ImageSliderGain = nullptr;
  TEdit* EditGain = nullptr;
  TLabel* LabelGainMin = nullptr;
  TLabel* LabelGainMax = nullptr;

  void ImageSliderSteepnessChange(TObject* Sender);
  void EditSteepnessChange(TObject* Sender);
  void EditSteepnessExit(TObject* Sender);
  void ImageSliderGainChange(TObject* Sender);
  void EditGainChange(TObject* Sender);
  void EditGainExit(TObject* Sender);
  void EditGainKeyPress(TObject* Sender, wchar_t& Key);
};
