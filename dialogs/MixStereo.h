#pragma once
// TMixStereoForm ("Mix Stereo Channels"): how much of each old channel goes into each new channel, in
// two group boxes of two sliders; a member of the parameter dialog family (ParameterDialog.h) with the
// OK focus step, so Enter stores a value typed out of range clamped, as a click on OK does.

#include "dialogs/FamilyMember.h"

class TMixStereoForm : public TForm, public TFamilyMember {
  DECLARE_CLASS(TMixStereoForm, TForm)
 public:
  explicit TMixStereoForm(TComponent* AOwner);

  TGroupBox* GroupBoxNewLeftChannel = nullptr;
  TGroupBox* GroupBoxNewRightChannel = nullptr;
  TLabel* LabelNewLeftChannelLeft = nullptr;
  TImageSlider* ImageSliderNewLeftChannelLeft = nullptr;
  TEdit* EditNewLeftChannelLeft = nullptr;
  TLabel* LabelNewLeftChannelLeftMin = nullptr;
  TLabel* LabelNewLeftChannelLeftMax = nullptr;
  TLabel* LabelNewLeftChannelRight = nullptr;
  TImageSlider* ImageSliderNewLeftChannelRight = nullptr;
  TEdit* EditNewLeftChannelRight = nullptr;
  TLabel* LabelNewLeftChannelRightMin = nullptr;
  TLabel* LabelNewLeftChannelRightMax = nullptr;
  TLabel* LabelNewRightChannelLeft = nullptr;
  TImageSlider* ImageSliderNewRightChannelLeft = nullptr;
  TEdit* EditNewRightChannelLeft = nullptr;
  TLabel* LabelNewRightChannelLeftMin = nullptr;
  TLabel* LabelNewRightChannelLeftMax = nullptr;
  TLabel* LabelNewRightChannelRight = nullptr;
  TImageSlider* ImageSliderNewRightChannelRight = nullptr;
  TEdit* EditNewRightChannelRight = nullptr;
  TLabel* LabelNewRightChannelRightMin = nullptr;
  TLabel* LabelNewRightChannelRightMax = nullptr;

  void ImageSliderNewLeftChannelLeftChange(TObject* Sender);
  void EditNewLeftChannelLeftChange(TObject* Sender);
  void EditNewLeftChannelLeftExit(TObject* Sender);
  void ImageSliderNewLeftChannelRightChange(TObject* Sender);
  void EditNewLeftChannelRightChange(TObject* Sender);
  void EditNewLeftChannelRightExit(TObject* Sender);
  void ImageSliderNewRightChannelLeftChange(TObject* Sender);
  void EditNewRightChannelLeftChange(TObject* Sender);
  void EditNewRightChannelLeftExit(TObject* Sender);
  void ImageSliderNewRightChannelRightChange(TObject* Sender);
  void EditNewRightChannelRightChange(TObject* Sender);
  void EditNewRightChannelRightExit(TObject* Sender);
};
