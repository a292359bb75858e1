#pragma once
// The MP3 encoder's settings: the numbered presets, constant, variable (by quality) and average bit
// rate, stereo mode and the header flags, and the format such settings really write. The settings
// objects the controls hold copy their values into an Mp3EncoderConfig when handed over.

namespace mp3 {

enum class RateMode { Constant, Variable, Average };

// MPEG version of a sample rate: 1, 2, or 25 for MPEG 2.5; 0 for a rate MP3 cannot hold.
int MpegVersionOfRate(int sampleRate);
// True when `kbps` is a Layer III bit rate of that MPEG version.
bool IsLayer3BitRate(int mpegVersion, int kbps);

}  // namespace mp3

struct Mp3EncoderConfig {
  int SampleRate = 0;  // 0: the input's rate (settled to the nearest MP3 rate)
  int Channels = 2;
  mp3::RateMode Mode = mp3::RateMode::Constant;
  int BitRate = 128;  // kbit/s, constant bit rate
  int VbrQuality = 4;  // 0 best .. 9 smallest
  int MinBitRate = 32;  // kbit/s; bound variable and average bit rate
  int MaxBitRate = 320;
  int AbrBitRate = 128;  // kbit/s, average bit rate
  int StereoMode = 2;  // 1 stereo, 2 joint stereo, 4 dual channels (ignored for one channel)
  bool WriteXing = true;  // the info header that also carries delay and padding for gapless decoding
  bool Crc = false;
};

struct SettledFormat {
  int SampleRate = 0;
  int Channels = 0;
};

// The rate and channels the encoder writes for input at `inputRate`: the asked rate (or the input's)
// moved to an MP3 rate (halved while above 48000 Hz, else the nearest one).
SettledFormat SettleMp3Format(const Mp3EncoderConfig& config, int inputRate);
// True exactly when constant bit rate output at this rate, bit rate and channel count is written as
// asked: an MP3 sample rate, a Layer III bit rate of its MPEG version, one or two channels.
bool CanMp3(int sampleRate, int kbps, int channels);
// Constant bit rate settings.
Mp3EncoderConfig Mp3ConstantBitRate(int sampleRate, int kbps, int channels);

// The encoder settings object of the file writer and the editor (one family, the same calls).
class TAudioFile2LameEnc {
 public:
  // Presets 1..11: from 8000 Hz mono at 16 kbit/s up to 44100 Hz stereo at 320 kbit/s, constant bit
  // rate. Raises EAudioError for any other number.
  void SetPreset(int preset);
  void SetMaxBitRate(int kbps);
  void SetMinBitRate(int kbps);
  void SetAbrBitRate(int kbps);
  void SetVbrQuality(int quality);  // 0..9
  void SetVbrMethod(int method);  // 0 by quality, 4 average bit rate
  void SetStereoMode(int mode);  // 1, 2 or 4
  void SetChannels(int channels);  // 1 or 2
  void SetWriteXing(int flag) { config_.WriteXing = flag != 0; }  // -1 true, 0 false
  void SetCrc(int flag) { config_.Crc = flag != 0; }

  const Mp3EncoderConfig& Config() const { return config_; }

 private:
  Mp3EncoderConfig config_;
};

class TAudioEditor2LameEnc : public TAudioFile2LameEnc {};
