#pragma once
// TOGGSettingsSpecifyForm ("Configure OGG Settings"): an average bit rate or a variable quality,
// and the channels, of an OGG Vorbis file written with specified settings.

#include "dialogs/FormatDialog.h"
#include "platform/framework/controls/ExtCtrls.h"

class TOGGSettingsSpecifyForm : public TSettingsForm {
  DECLARE_CLASS(TOGGSettingsSpecifyForm, TSettingsForm)
 public:
  explicit TOGGSettingsSpecifyForm(TComponent* AOwner);

  TRadioButton* RadioButtonAverage = nullptr;
  TComboBox* ComboBoxSetAverage = nullptr;
  TRadioButton* RadioButtonVariable = nullptr;
  TLabel* LabelLowQuality = nullptr;
  TImageSlider* ImageSliderQuality = nullptr;
  TLabel* LabelHighQuality = nullptr;
  TLabel* LabelQuality = nullptr;
  TRadioGroup* GroupBoxMode = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  // An index outside the rate list or the mode group selects nothing, and then leaves its field.
  void LoadFromSettings() override;
  void StoreToSettings() override;
  void UpdateEnabling();

  void FormShow(TObject* Sender);
  void RadioButtonAverageClick(TObject* Sender);
  void RadioButtonVariableClick(TObject* Sender);
  void ImageSliderQualityChange(TObject* Sender);
};
