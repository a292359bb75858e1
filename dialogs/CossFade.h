#pragma once
// TCossFadeForm ("Coss Fade"): the initial and final amplification of a fade over the selection,
// a member of the parameter dialog family (ParameterDialog.h). The initial value's caption label is
// named LabelMixDepth.

#include "dialogs/FamilyMember.h"

class TCossFadeForm : public TForm, public TFamilyMember {
  DECLARE_CLASS(TCossFadeForm, TForm)
 public:
  explicit TCossFadeForm(TComponent* AOwner);

  TLabel* LabelMixDepth = nullptr;
  TImageSlider* ImageSliderInitial = nullptr;
  TEdit* EditInitial = nullptr;
  TLabel* LabelInitialMin = nullptr;
  TLabel* LabelInitialMax = nullptr;
  TLabel* LabelFinal = nullptr;
  TImageSlider* ImageSliderFinal = nullptr;
  TEdit* EditFinal = nullptr;
  TLabel* LabelFinalMin = nullptr;
  TLabel* LabelFinalMax = nullptr;

  void ImageSliderInitialChange(TObject* Sender);
  void EditInitialChange(TObject* Sender);
  void EditInitialExit(TObject* Sender);
  void ImageSliderFinalChange(TObject* Sender);
  void EditFinalChange(TObject* Sender);
  void EditFinalExit(TObject* Sender);
};
