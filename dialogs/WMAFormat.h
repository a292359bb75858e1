#pragma once
// TWMAFormatForm ("WMA File Setup"): a WMA file's encoding, one of seven presets.

#include "dialogs/FormatDialog.h"

class TWMAFormatForm : public TOutputFormatForm {
  DECLARE_CLASS(TWMAFormatForm, TOutputFormatForm)
 public:
  explicit TWMAFormatForm(TComponent* AOwner);

  static std::span<const TPresetLabel> PresetLabels();
};
