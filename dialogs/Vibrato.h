#pragma once
// TVibratoForm ("Vibrato"): sweep depth, rate and phase of the vibrato effect, a member of the
// parameter dialog family (ParameterDialog.h).

#include "dialogs/FamilyMember.h"

class TVibratoForm : public TForm, public TFamilyMember {
  DECLARE_CLASS(TVibratoForm, TForm)
 public:
  explicit TVibratoForm(TComponent* AOwner);

  TLabel* LabelSweepDepth = nullptr;
  TImageSlider* ImageSliderSweepDepth = nullptr;
  TEdit* EditSweepDepth = nullptr;
  TLabel* LabelSweepDepthMin = nullptr;
  TLabel* LabelSweepDepthMax = nullptr;
  TLabel* LabelSweepRate = nullptr;
  TImageSlider* ImageSliderSweepRate = nullptr;
  TEdit* EditSweepRate = nullptr;
  TLabel* LabelSweepRateMin = nullptr;
  TLabel* LabelSweepRateMax = nullptr;
  TLabel* LabelSweepPhase = nullptr;
  TImageSlider* ImageSliderSweepPhase = nullptr;
  TEdit* EditSweepPhase = nullptr;
  TLabel* LabelSweepPhaseMin = nullptr;
  TLabel* LabelSweepPhaseMax = nullptr;

  void ImageSliderSweepDepthChange(TObject* Sender);
  void EditSweepDepthChange(TObject* Sender);
  void EditSweepDepthExit(TObject* Sender);
  void ImageSliderSweepRateChange(TObject* Sender);
  void EditSweepRateChange(TObject* Sender);
  void EditSweepRateExit(TObject* Sender);
  void ImageSliderSweepPhaseChange(TObject* Sender);
  void EditSweepPhaseChange(TObject* Sender);
  void EditSweepPhaseExit(TObject* Sender);
};
