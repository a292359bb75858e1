#include "dialogs/WMAFormat.h"

DEFINE_CLASS(TWMAFormatForm)

namespace {

const TPresetLabel kPresets[] = {
    {L"Phone Quality", L"[WMA, 8 kbps, 8,000 Hz, Mono]"},
    {L"FM Quality", L"[WMA, 32 kbps, 22,050 Hz, Stereo]"},
    {L"High Quality Mono", L"[WMA, 48 kbps, 44,100 Hz, Mono]"},
    {L"Radio Quality", L"[WMA, 64 kbps, 44,100 Hz, Stereo]"},
    {L"Tape Quality", L"[WMA, 96 kbps, 44,100 Hz, Stereo]"},
    {L"CD Quality", L"[WMA, 128 kbps, 44,100 Hz, Stereo]"},
    {L"Studio Quality", L"[WMA, 192 kbps, 44,100 Hz, Stereo]"},
};

const TOutputFormatSpec kSpec = {
    L"WMAFormatForm", L"WMA File Setup", 6, 5, L"WMASettings", kPresets, &TGlobalVars::OutputWMAPresets,
    nullptr,          nullptr,           nullptr};

}  // namespace

TWMAFormatForm::TWMAFormatForm(TComponent* AOwner) : TOutputFormatForm(AOwner, kSpec) {}

std::span<const TPresetLabel> TWMAFormatForm::PresetLabels() { return kPresets; }
