#pragma once
// TMp3SettingsSpecifyForm ("Configure MP3 Settings"): the channel mode, a constant bit rate or a
// variable one (its bounds, by quality level or average bit rate, the XING header), and the
// checksum of an MP3 file written with specified settings.

#include "dialogs/FormatDialog.h"

class TMp3SettingsSpecifyForm : public TSettingsForm {
  DECLARE_CLASS(TMp3SettingsSpecifyForm, TSettingsForm)
 public:
  explicit TMp3SettingsSpecifyForm(TComponent* AOwner);

  TLabel* LabelMode = nullptr;
  TComboBox* ComboBoxMode = nullptr;
  TRadioButton* RadioButtonConstant = nullptr;
  TComboBox* ComboBoxConstant = nullptr;
  TRadioButton* RadioButtonVariable = nullptr;
  TGroupBox* GroupBoxVariable = nullptr;
  TLabel* LabelMin = nullptr;
  TComboBox* ComboBoxMin = nullptr;
  TLabel* LabelMax = nullptr;
  TComboBox* ComboBoxMax = nullptr;
  TRadioButton* RadioButtonQuality = nullptr;
  TLabel* LabelLow = nullptr;
  TImageSlider* ImageSliderQuality = nullptr;
  TLabel* LabelHigh = nullptr;
  TLabel* LabelQuality = nullptr;
  TRadioButton* RadioButtonSetAverage = nullptr;
  TComboBox* ComboBoxSetAverage = nullptr;
  TCheckBox* CheckBoxWriteXING = nullptr;
  TLabel* LabelFlags = nullptr;
  TCheckBox* CheckBoxChecksum = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  // The quality slider shows 9 - the stored quality (its left end is "Low: 9"). A list index
  // outside a list selects nothing, and a list without a selection leaves its field as it is.
  void LoadFromSettings() override;
  void StoreToSettings() override;
  void UpdateEnabling();

  void FormShow(TObject* Sender);
  void RadioButtonConstantClick(TObject* Sender);
  void RadioButtonVariableClick(TObject* Sender);
  void RadioButtonQualityClick(TObject* Sender);
  void RadioButtonSetAverageClick(TObject* Sender);
  // The user's choice of a minimum above the maximum moves the maximum to the same index, and of a
  // maximum below the minimum the minimum (values loaded from the record are not corrected).
  void ComboBoxMinChange(TObject* Sender);
  void ComboBoxMaxChange(TObject* Sender);
  void ImageSliderQualityChange(TObject* Sender);
};
