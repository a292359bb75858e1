#include "platform/audio/codecs/Mp3EncoderSettings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "platform/audio/core/AudioError.h"

namespace mp3 {
namespace {

constexpr std::array<int, 14> kMpeg1BitRates = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr std::array<int, 14> kMpeg2BitRates = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr std::array<int, 9> kRates = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};

}  // namespace

int NearestMp3Rate(int rate);

int MpegVersionOfRate(int sampleRate) {
  switch (sampleRate) {
    case 32000: case 44100: case 48000: return 1;
    case 16000: case 22050: case 24000: return 2;
    case 8000: case 11025: case 12000: return 25;
    default: return 0;
  }
}

bool IsLayer3BitRate(int mpegVersion, int kbps) {
  if (mpegVersion == 0) return false;
  const auto& table = mpegVersion == 1 ? kMpeg1BitRates : kMpeg2BitRates;
  return std::find(table.begin(), table.end(), kbps) != table.end();
}

int NearestMp3Rate(int rate) {
  while (rate > 48000) rate /= 2;
  int best = kRates[0];
  for (int candidate : kRates)
    if (std::abs(std::log(static_cast<double>(candidate) / rate)) < std::abs(std::log(static_cast<double>(best) / rate)))
      best = candidate;
  return best;
}

}  // namespace mp3

namespace {

struct Mp3Preset {
  int SampleRate, Channels, BitRate, StereoMode;
};

constexpr std::array<Mp3Preset, 11> kPresets = {{
    {8000, 1, 16, 1},    // MPEG 2.5, phone
    {8000, 1, 24, 1},    // MPEG 2.5, shortwave
    {22050, 1, 32, 1},   // MPEG 2, AM
    {22050, 2, 96, 2},   // MPEG 2, FM, joint stereo
    {44100, 1, 64, 1},   // MPEG 1, voice
    {44100, 2, 112, 2},  // radio
    {44100, 2, 128, 2},  // tape
    {44100, 2, 160, 2},  // hi-fi
    {44100, 2, 192, 1},  // CD, stereo
    {44100, 2, 256, 1},  // studio
    {44100, 2, 320, 1},  // super
}};

int PositiveKbps(int kbps, const wchar_t* what) {
  if (kbps < 8 || kbps > 320) throw EAudioError(String(what) + L" must be between 8 and 320 kbit/s.");
  return kbps;
}

}  // namespace

SettledFormat SettleMp3Format(const Mp3EncoderConfig& config, int inputRate) {
  const int asked = config.SampleRate > 0 ? config.SampleRate : inputRate;
  return {mp3::NearestMp3Rate(std::max(asked, 1)), config.Channels == 1 ? 1 : 2};
}

bool CanMp3(int sampleRate, int kbps, int channels) {
  return (channels == 1 || channels == 2) && mp3::IsLayer3BitRate(mp3::MpegVersionOfRate(sampleRate), kbps);
}

Mp3EncoderConfig Mp3ConstantBitRate(int sampleRate, int kbps, int channels) {
  Mp3EncoderConfig config;
  config.SampleRate = sampleRate;
  config.Channels = channels == 1 ? 1 : 2;
  config.BitRate = kbps;
  return config;
}

void TAudioFile2LameEnc::SetPreset(int preset) {
  if (preset < 1 || preset > static_cast<int>(kPresets.size()))
    throw EAudioError(L"MP3 preset " + std::to_wstring(preset) + L" does not exist (1 to 11).");
  const Mp3Preset& p = kPresets[static_cast<std::size_t>(preset - 1)];
  config_.SampleRate = p.SampleRate;
  config_.Channels = p.Channels;
  config_.Mode = mp3::RateMode::Constant;
  config_.BitRate = p.BitRate;
  config_.StereoMode = p.StereoMode;
}

void TAudioFile2LameEnc::SetMaxBitRate(int kbps) { config_.MaxBitRate = PositiveKbps(kbps, L"The maximum bit rate"); }
void TAudioFile2LameEnc::SetMinBitRate(int kbps) { config_.MinBitRate = PositiveKbps(kbps, L"The minimum bit rate"); }
void TAudioFile2LameEnc::SetAbrBitRate(int kbps) { config_.AbrBitRate = PositiveKbps(kbps, L"The average bit rate"); }

void TAudioFile2LameEnc::SetVbrQuality(int quality) {
  if (quality < 0 || quality > 9) throw EAudioError(L"The MP3 quality must be between 0 and 9.");
  config_.VbrQuality = quality;
}

void TAudioFile2LameEnc::SetVbrMethod(int method) {
  if (method == 0)
    config_.Mode = mp3::RateMode::Variable;
  else if (method == 4)
    config_.Mode = mp3::RateMode::Average;
  else
    throw EAudioError(L"Unknown variable bit rate method " + std::to_wstring(method) + L".");
}

void TAudioFile2LameEnc::SetStereoMode(int mode) {
  if (mode != 1 && mode != 2 && mode != 4) throw EAudioError(L"Unknown stereo mode " + std::to_wstring(mode) + L".");
  config_.StereoMode = mode;
}

void TAudioFile2LameEnc::SetChannels(int channels) {
  if (channels != 1 && channels != 2) throw EAudioError(L"An MP3 file has one or two channels.");
  config_.Channels = channels;
}
