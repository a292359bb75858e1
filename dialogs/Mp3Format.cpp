#include "dialogs/Mp3Format.h"

#include "dialogs/Mp3CustomSettings.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TMp3FormatForm)

namespace {

const TPresetLabel kPresets[] = {
    {L"Phone Quality", L"[MPEG 2.5, Layer 3, 16kbps, Mono]"},
    {L"Shortwave Quality", L"[MPEG 2.5, Layer 3, 24kbps, Mono]"},
    {L"AM Quality", L"[MPEG 2, Layer 3, 32kbps, Mono]"},
    {L"FM Quality", L"[MPEG 2, Layer 3, 96kbps, Joint Stereo]"},
    {L"Voice Quality", L"[MPEG 1, Layer 3, 64kbps, Mono]"},
    {L"Radio Quality", L"[MPEG 1, Layer 3, 112kbps, Joint Stereo]"},
    {L"Tape Quality", L"[MPEG 1, Layer 3, 128kbps, Joint Stereo]"},
    {L"Hi-Fi Quality", L"[MPEG 1, Layer 3, 160kbps, Joint Stereo]"},
    {L"CD Quality", L"[MPEG 1, Layer 3, 192kbps, Stereo]"},
    {L"Studio Quality", L"[MPEG 1, Layer 3, 256kbps, Stereo]"},
    {L"Super Quality!", L"[MPEG 1, Layer 3, 320kbps, Stereo]"},
};

// The constant list; the minimum list is all but its last entry, the maximum list all but its first.
const int kBitRates[] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
const wchar_t* const kModes[] = {L"Stereo", L"Joint Stereo", L"Dual Channels", L"Mono"};

String RateText(std::span<const int> rates, int index) {
  return (index >= 0 && index < static_cast<int>(rates.size()) ? IntToStr(rates[index]) : String()) + L"kbps";
}

const TOutputFormatSpec kSpec = {L"Mp3FormatForm",
                                 L"MP3 File Setup",
                                 10,
                                 8,
                                 L"MP3Settings",
                                 kPresets,
                                 &TGlobalVars::OutputMP3Presets,
                                 &TGlobalVars::OutputMP3Type,
                                 &TMp3FormatForm::SummaryText,
                                 &NewSettingsForm<TMp3SettingsSpecifyForm>};

}  // namespace

TMp3FormatForm::TMp3FormatForm(TComponent* AOwner) : TOutputFormatForm(AOwner, kSpec) {}

std::span<const TPresetLabel> TMp3FormatForm::PresetLabels() { return kPresets; }

std::span<const int> Mp3BitRates() { return kBitRates; }
std::span<const int> Mp3MinBitRates() { return Mp3BitRates().first(std::size(kBitRates) - 1); }
std::span<const int> Mp3MaxBitRates() { return Mp3BitRates().subspan(1); }
String Mp3BitRateText(int Index) { return RateText(Mp3BitRates(), Index); }
String Mp3MinBitRateText(int Index) { return RateText(Mp3MinBitRates(), Index); }
String Mp3MaxBitRateText(int Index) { return RateText(Mp3MaxBitRates(), Index); }
String Mp3ModeText(int Index) { return ListText(kModes, Index, L""); }

String TMp3FormatForm::SummaryText(const TGlobalVars& Vars) {
  const String mode = Mp3ModeText(Vars.OutputMP3Mode);
  String body;
  if (Vars.OutputMP3CBR) {
    body = Mp3BitRateText(Vars.OutputMP3CBRBitRate) + L", " + mode;
  } else {
    const String inner = Vars.OutputMP3QualityLevel
                             ? Format(L"Quality %d", {Vars.OutputMP3QualityLevelValue})
                             : Format(L"Average %s", {Mp3BitRateText(Vars.OutputMP3ABRBitRate)});
    body = Format(L"Variable %s - %s, %s, %s", {Mp3MinBitRateText(Vars.OutputMP3VBRBitRateMin),
                                                Mp3MaxBitRateText(Vars.OutputMP3VBRBitRateMax), inner, mode});
    if (Vars.OutputMP3WriteXING) body += L", XING compatible variable bit rate header";
  }
  if (Vars.OutputMP3Checksum) body += L", Checksum on";
  return L"MPEG 1, Layer 3, " + body;
}
