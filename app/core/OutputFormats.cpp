#include "app/core/OutputFormats.h"

#include <iterator>

#include "app/core/Globals.h"

namespace {

template <std::size_t N>
int TableValue(const int (&table)[N], int index, int other) {
  return index >= 0 && index < static_cast<int>(N) ? table[index] : other;
}

const int kWaveRates[] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000, 96000};
const int kWaveBits[] = {8, 16, 24, 32};
const int kMp3BitRates[] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
const int kMp3VbrMinBitRates[] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256};
const int kMp3VbrMaxBitRates[] = {40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
const int kOggAbrBitRates[] = {64, 96, 128, 160, 192, 256, 350};
const int kOggPresetBitRates[] = {64, 96, 128, 160, 192, 256, 320};
const int kWmaProfiles[] = {36, 23, 16, 13, 11, 10, 8};

int Flag(bool value) { return value ? -1 : 0; }

}  // namespace

int ChannelsOfModeIndex(int Index) { return Index == 1 ? 1 : 2; }
int WaveSampleRateOfIndex(int Index) { return TableValue(kWaveRates, Index, 44100); }
int WaveBitsOfIndex(int Index) { return TableValue(kWaveBits, Index, 16); }
int Mp3CbrBitRateOfIndex(int Index) { return TableValue(kMp3BitRates, Index, 192); }
int Mp3AbrBitRateOfIndex(int Index) { return TableValue(kMp3BitRates, Index, 192); }
int Mp3VbrMinBitRateOfIndex(int Index) { return TableValue(kMp3VbrMinBitRates, Index, 192); }
int Mp3VbrMaxBitRateOfIndex(int Index) { return TableValue(kMp3VbrMaxBitRates, Index, 192); }
int Mp3ChannelsOfModeIndex(int Index) { return Index == 3 ? 1 : 2; }
int OggAbrBitRateOfIndex(int Index) { return TableValue(kOggAbrBitRates, Index, 192); }

TWaveFormatCall WaveOutputFormatOf(const TGlobalVars& Vars) {
  if (Vars.OutputWAVType != 0)
    return {WaveSampleRateOfIndex(Vars.OutputWAVSampleType), ChannelsOfModeIndex(Vars.OutputWAVMode),
            WaveBitsOfIndex(Vars.OutputWAVBitesPerSample)};
  switch (Vars.OutputWAVPersets) {
    case 0:
      return {22050, 2, 16};
    case 2:
      return {96000, 2, 16};
    default:
      return {44100, 2, 16};
  }
}

TMp3FormatCall Mp3OutputFormatOf(const TGlobalVars& Vars) {
  TMp3FormatCall call;
  if (Vars.OutputMP3Type == 0) {
    const int preset = Vars.OutputMP3Presets + 1;
    if (preset >= 1 && preset <= 11) call.Preset = preset;
    return call;
  }
  if (Vars.OutputMP3CBR) {
    call.ConstantBitRate = true;
    call.Rate = 44100;
    call.BitRate = Mp3CbrBitRateOfIndex(Vars.OutputMP3CBRBitRate);
    call.Channels = Mp3ChannelsOfModeIndex(Vars.OutputMP3Mode);
    return call;
  }
  switch (Vars.OutputMP3Mode) {
    case 0:
      call.EncoderChannels = 2, call.StereoMode = 1;
      break;
    case 1:
      call.EncoderChannels = 2, call.StereoMode = 2;
      break;
    case 2:
      call.EncoderChannels = 2, call.StereoMode = 4;
      break;
    case 3:
      call.EncoderChannels = 1;
      break;
    default:
      break;
  }
  call.MaxBitRate = Mp3VbrMaxBitRateOfIndex(Vars.OutputMP3VBRBitRateMax);
  call.MinBitRate = Mp3VbrMinBitRateOfIndex(Vars.OutputMP3VBRBitRateMin);
  if (Vars.OutputMP3QualityLevel) {
    call.VbrMethod = 0;
    call.VbrQuality = 9 - static_cast<short>(Vars.OutputMP3QualityLevelValue & 0xFFFF);
  } else {
    call.VbrMethod = 4;
    call.AbrBitRate = Mp3AbrBitRateOfIndex(Vars.OutputMP3ABRBitRate);
  }
  call.WriteXing = Flag(Vars.OutputMP3WriteXING);
  call.Crc = Flag(Vars.OutputMP3Checksum);
  return call;
}

std::optional<TOggFormatCall> OggOutputFormatOf(const TGlobalVars& Vars) {
  if (Vars.OutputOGGType == 0) {
    const int preset = Vars.OutputOGGPresets;
    if (preset < 0 || preset >= static_cast<int>(std::size(kOggPresetBitRates))) return std::nullopt;
    return TOggFormatCall{44100, preset == 0 ? 1 : 2, kOggPresetBitRates[preset], -1};
  }
  if (Vars.OutputOGGType != 1) return std::nullopt;
  const int channels = ChannelsOfModeIndex(Vars.OutputOGGMode);
  if (Vars.OutputOGGABR) return TOggFormatCall{44100, channels, OggAbrBitRateOfIndex(Vars.OutputOGGABRBitRate), -1};
  return TOggFormatCall{44100, channels, 0, static_cast<short>(Vars.OutputOGGQualityValue & 0xFFFF) * 10};
}

std::optional<int> WmaOutputProfileOf(const TGlobalVars& Vars) {
  const int preset = Vars.OutputWMAPresets;
  if (preset < 0 || preset >= static_cast<int>(std::size(kWmaProfiles))) return std::nullopt;
  return kWmaProfiles[preset];
}

int OutputFileTypeOfExtension(const String& LowerExtension) {
  if (LowerExtension == L".wav") return FileTypeWav;
  if (LowerExtension == L".mp3") return FileTypeMp3;
  if (LowerExtension == L".ogg") return FileTypeOgg;
  if (LowerExtension == L".wma") return FileTypeWma;
  return 0;
}

String DocumentExtension(const String& Path) {
  const std::size_t dot = Path.find_last_of(L'.');
  if (dot == String::npos) return String();
  if (Path.find_first_of(L"\\:", dot) != String::npos) return String();
  return Path.substr(dot);
}
