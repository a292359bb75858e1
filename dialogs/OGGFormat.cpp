#include "dialogs/OGGFormat.h"

#include "dialogs/OGGCustomSettings.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TOGGFormatForm)

namespace {

const TPresetLabel kPresets[] = {
    {L"Voice Quality", L"64 kbps, Mono"},     {L"FM Quality", L"96 kbps, Stereo"},
    {L"Tape Quality", L"128 kbps, Stereo"},   {L"Hi-Fi Quality", L"160 kbps, Stereo"},
    {L"CD Quality", L"192 kbps, Stereo"},     {L"Studio Quality", L"256 kbps, Stereo"},
    {L"Best Quality", L"320 kbps, Stereo"},
};

const int kAverageBitRates[] = {64, 96, 128, 160, 192, 256, 350};

const TOutputFormatSpec kSpec = {L"OGGFormatForm",
                                 L"OGG File Setup",
                                 6,
                                 4,
                                 L"OGGSettings",
                                 kPresets,
                                 &TGlobalVars::OutputOGGPresets,
                                 &TGlobalVars::OutputOGGType,
                                 &TOGGFormatForm::SummaryText,
                                 &NewSettingsForm<TOGGSettingsSpecifyForm>};

}  // namespace

TOGGFormatForm::TOGGFormatForm(TComponent* AOwner) : TOutputFormatForm(AOwner, kSpec) {}

std::span<const TPresetLabel> TOGGFormatForm::PresetLabels() { return kPresets; }

std::span<const int> OggAverageBitRates() { return kAverageBitRates; }

String TOGGFormatForm::SummaryText(const TGlobalVars& Vars) {
  const String mode = Vars.OutputOGGMode != 0 ? L"Mono" : L"Stereo";
  if (!Vars.OutputOGGABR) return Format(L"Variable bit rate %d%%, %s", {Vars.OutputOGGQualityValue, mode});
  const int index = Vars.OutputOGGABRBitRate;
  const String rate = index < static_cast<int>(std::size(kAverageBitRates)) ? IntToStr(kAverageBitRates[index])
                                                                            : String(L"Unknow");
  return Format(L"Average Bit Rate: %s kbps, %s", {rate, mode});
}
