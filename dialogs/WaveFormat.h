#pragma once
// TWaveFormatForm ("Wave File Setup"): a WAV file's format, as one of three presets or as the
// settings of "Configure Wave Settings" (WaveCustomFormat.h).

#include "dialogs/FormatDialog.h"

class TWaveFormatForm : public TOutputFormatForm {
  DECLARE_CLASS(TWaveFormatForm, TOutputFormatForm)
 public:
  explicit TWaveFormatForm(TComponent* AOwner);

  static std::span<const TPresetLabel> PresetLabels();
  // "WAV, <rate>, <bits>, <channels>" of the record's specify fields.
  static String SummaryText(const TGlobalVars& Vars);
};
