#pragma once
// TMp3FormatForm ("MP3 File Setup"): an MP3 file's encoding, as one of eleven presets or as the
// settings of "Configure MP3 Settings" (Mp3CustomSettings.h); and the texts of its lists.

#include "dialogs/FormatDialog.h"

class TMp3FormatForm : public TOutputFormatForm {
  DECLARE_CLASS(TMp3FormatForm, TOutputFormatForm)
 public:
  explicit TMp3FormatForm(TComponent* AOwner);

  static std::span<const TPresetLabel> PresetLabels();
  // "MPEG 1, Layer 3, " and the constant or variable bit rate settings of the record.
  static String SummaryText(const TGlobalVars& Vars);
};

// The bit rates of the constant and average lists (14), of the minimum list (13, without 320)
// and of the maximum list (13, without 32), in kbit/s.
std::span<const int> Mp3BitRates();
std::span<const int> Mp3MinBitRates();
std::span<const int> Mp3MaxBitRates();
// The rate of a list index immediately followed by "kbps"; "kbps" alone outside the list.
String Mp3BitRateText(int Index);
String Mp3MinBitRateText(int Index);
String Mp3MaxBitRateText(int Index);
// "Stereo", "Joint Stereo", "Dual Channels", "Mono"; empty for another index.
String Mp3ModeText(int Index);
