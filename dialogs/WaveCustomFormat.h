#pragma once
// TWaveFormatSpecifyForm ("Configure Wave Settings"): the rate, bit depth and channels of a WAV
// file written with specified settings.

#include "dialogs/FormatDialog.h"

class TWaveFormatSpecifyForm : public TSettingsForm {
  DECLARE_CLASS(TWaveFormatSpecifyForm, TSettingsForm)
 public:
  explicit TWaveFormatSpecifyForm(TComponent* AOwner);

  TLabel* LabelSampleRate = nullptr;
  TComboBox* ComboBoxSampleRate = nullptr;
  TLabel* LabelBitDepth = nullptr;
  TComboBox* ComboBoxBitDepth = nullptr;
  TLabel* LabelChannels = nullptr;
  TRadioButton* RadioButtonStereo = nullptr;
  TRadioButton* RadioButtonMono = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  // Rate and bit-depth list indexes, stereo 0 and mono 1. An index outside a list selects nothing
  // and a list without a selection leaves its field as it is; so does a mode checking neither.
  void LoadFromSettings() override;
  void StoreToSettings() override;
  void FormShow(TObject* Sender);
};
