#include "dialogs/WaveFormat.h"

#include "dialogs/WaveCustomFormat.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TWaveFormatForm)

namespace {

const TPresetLabel kPresets[] = {
    {L"FM Quality", L"22,050 Hz, 16 bits, Stereo"},
    {L"CD Quality", L"44,100 Hz, 16 bits, Stereo"},
    {L"Hi-Fi Quality", L"96,000 Hz, 16 bits, Stereo"},
};

const wchar_t* const kRates[] = {L"8,000 Hz",  L"11,025 Hz", L"12,000 Hz", L"16,000 Hz", L"22,050 Hz",
                                 L"24,000 Hz", L"32,000 Hz", L"44,100 Hz", L"48,000 Hz", L"96,000 Hz"};
const wchar_t* const kBits[] = {L"8 bits", L"16 bits", L"24 bits", L"32 bits"};
const wchar_t* const kChannels[] = {L"Stereo", L"Mono"};

const TOutputFormatSpec kSpec = {L"WaveFormatForm",
                                 L"Wave File Setup",
                                 2,
                                 1,
                                 L"WAVSettings",
                                 kPresets,
                                 &TGlobalVars::OutputWAVPersets,
                                 &TGlobalVars::OutputWAVType,
                                 &TWaveFormatForm::SummaryText,
                                 &NewSettingsForm<TWaveFormatSpecifyForm>};

}  // namespace

TWaveFormatForm::TWaveFormatForm(TComponent* AOwner) : TOutputFormatForm(AOwner, kSpec) {}

std::span<const TPresetLabel> TWaveFormatForm::PresetLabels() { return kPresets; }

String TWaveFormatForm::SummaryText(const TGlobalVars& Vars) {
  return Format(L"WAV, %s, %s, %s", {ListText(kRates, Vars.OutputWAVSampleType, L"Unknow Hz"),
                                     ListText(kBits, Vars.OutputWAVBitesPerSample, L"Unknow bits"),
                                     ListText(kChannels, Vars.OutputWAVMode, L"Unknow")});
}
