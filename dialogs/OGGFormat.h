#pragma once
// TOGGFormatForm ("OGG File Setup"): an OGG Vorbis file's encoding, as one of seven presets or as
// the settings of "Configure OGG Settings" (OGGCustomSettings.h).

#include "dialogs/FormatDialog.h"

class TOGGFormatForm : public TOutputFormatForm {
  DECLARE_CLASS(TOGGFormatForm, TOutputFormatForm)
 public:
  explicit TOGGFormatForm(TComponent* AOwner);

  static std::span<const TPresetLabel> PresetLabels();
  // The average bit rate or the variable quality, and the channels, of the record.
  static String SummaryText(const TGlobalVars& Vars);
};

// The average bit rates of the specify dialog's list, in kbit/s: 64 ... 350.
std::span<const int> OggAverageBitRates();
