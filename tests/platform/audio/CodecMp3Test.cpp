#include <gtest/gtest.h>

#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/codecs/Mp3Decoder.h"
#include "platform/audio/codecs/Mp3Encoder.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/Resampler.h"
#include "tests/platform/audio/CodecLargeSource.h"
#include "tests/platform/audio/CodecTestSignals.h"

using namespace codec_test;

namespace {

AnsiString EncodeMp3(const std::vector<float>& samples, int rate, int channels, const Mp3EncoderConfig& config,
                     const AudioTags& tags = {}) {
  return Encode(samples, channels, [&](std::unique_ptr<ByteSink> sink) {
    return CreateMp3Encoder(std::move(sink), EncoderSettings{rate, channels, 16}, config, tags);
  });
}

std::unique_ptr<AudioDecoder> DecodeMp3(const AnsiString& bytes) {
  return OpenMp3Decoder(std::make_shared<MemorySource>(bytes));
}

struct RoundTrip {
  const char* Name;
  int Rate, InputChannels;
  Mp3EncoderConfig Config;
  int DecodedChannels;
};

Mp3EncoderConfig Variable(int quality, int channels) {
  Mp3EncoderConfig c;
  c.Mode = mp3::RateMode::Variable;
  c.VbrQuality = quality;
  c.Channels = channels;
  return c;
}

Mp3EncoderConfig Average(int kbps) {
  Mp3EncoderConfig c;
  c.Mode = mp3::RateMode::Average;
  c.AbrBitRate = kbps;
  return c;
}

class Mp3RoundTrip : public testing::TestWithParam<RoundTrip> {};

// Gapless: the decoded length is exactly the encoded one; the tone keeps its pitch and level on every
// channel, also when the encoder converts the input's channel count.
TEST_P(Mp3RoundTrip, KeepsLengthFrequencyAndLevel) {
  const RoundTrip& t = GetParam();
  const std::int64_t frames = t.Rate * 3 / 2 + 123;
  const std::vector<float> input = Sine(1000, 0.5, t.Rate, t.InputChannels, frames);
  const auto decoder = DecodeMp3(EncodeMp3(input, t.Rate, t.InputChannels, t.Config));
  ASSERT_EQ(decoder->Info().Channels, t.DecodedChannels);
  ASSERT_EQ(decoder->Info().SampleRate, t.Rate);
  EXPECT_EQ(decoder->Info().Frames, frames);
  const std::vector<float> output = ReadAll(*decoder);
  ASSERT_EQ(static_cast<std::int64_t>(output.size()), frames * t.DecodedChannels);
  const double inputDb = RmsDb(MiddleOf(input, t.InputChannels, 0));
  for (int c = 0; c < t.DecodedChannels; ++c) {
    const std::vector<double> middle = MiddleOf(output, t.DecodedChannels, c);
    EXPECT_NEAR(FrequencyOf(middle, t.Rate), 1000.0, 2.0) << "channel " << c;
    EXPECT_NEAR(RmsDb(middle), inputDb, 0.5) << "channel " << c;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Mp3RoundTrip,
    testing::Values(RoundTrip{"cbr_stereo", 44100, 2, Mp3ConstantBitRate(0, 128, 2), 2},
                    RoundTrip{"cbr_mono_48k", 48000, 1, Mp3ConstantBitRate(0, 64, 1), 1},
                    RoundTrip{"vbr_stereo_22k", 22050, 2, Variable(2, 2), 2},
                    RoundTrip{"abr_stereo", 44100, 2, Average(160), 2},
                    RoundTrip{"mono_input_stereo_file", 44100, 1, Mp3ConstantBitRate(0, 128, 2), 2},
                    RoundTrip{"stereo_input_mono_file", 32000, 2, Mp3ConstantBitRate(0, 64, 1), 1}),
    [](const testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.Name); });

struct FrameHeader {
  int Version;  // 1, 2, 25
  int Rate;
  int Kbps;
  int Mode;  // 0 stereo, 1 joint, 2 dual, 3 mono
  int Bytes;
};

// Reads the Layer III frame header at `at`; Bytes 0 when there is none.
FrameHeader ReadHeader(const AnsiString& file, std::size_t at) {
  static const int kKbps1[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
  static const int kKbps2[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
  static const int kRates[] = {44100, 48000, 32000};
  if (at + 4 > file.size()) return {};
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(file[at + i]); };
  if (b(0) != 0xFF || (b(1) & 0xE0) != 0xE0 || ((b(1) >> 1) & 3) != 1) return {};
  const int versionBits = (b(1) >> 3) & 3;
  const int version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 25;
  const int rate = kRates[(b(2) >> 2) & 3] / (version == 1 ? 1 : version == 2 ? 2 : 4);
  const int* kbpsTable = version == 1 ? kKbps1 : kKbps2;
  const int kbps = kbpsTable[b(2) >> 4];
  const int bytes = (version == 1 ? 144 : 72) * kbps * 1000 / rate + ((b(2) >> 1) & 1);
  return {version, rate, kbps, b(3) >> 6, bytes};
}

std::size_t SkipId3v2(const AnsiString& file) {
  if (file.compare(0, 3, "ID3") != 0) return 0;
  const auto b = [&](std::size_t i) { return static_cast<std::size_t>(static_cast<unsigned char>(file[i])); };
  return 10 + ((b(6) << 21) | (b(7) << 14) | (b(8) << 7) | b(9));
}

struct PresetCase {
  int Preset, Version, Rate, Kbps, Mode;
  bool Gapless;  // false where a frame is too small to hold the info header with delay and padding
};

class Mp3Preset : public testing::TestWithParam<PresetCase> {};

// Every frame of a preset's file carries the version, rate, bit rate and mode of its label.
TEST_P(Mp3Preset, WritesItsLabelIntoEveryFrameHeader) {
  const PresetCase& p = GetParam();
  TAudioFile2LameEnc settings;
  settings.SetPreset(p.Preset);
  const AnsiString file = EncodeMp3(Sine(440, 0.3, 44100, 2, 30000), 44100, 2, settings.Config());
  int frames = 0;
  for (std::size_t at = SkipId3v2(file); at < file.size();) {
    const FrameHeader h = ReadHeader(file, at);
    ASSERT_GT(h.Bytes, 0) << "no frame header at " << at;
    EXPECT_EQ(h.Version, p.Version);
    EXPECT_EQ(h.Rate, p.Rate);
    EXPECT_EQ(h.Kbps, p.Kbps);
    EXPECT_EQ(h.Mode, p.Mode);
    at += static_cast<std::size_t>(h.Bytes);
    ++frames;
  }
  EXPECT_GT(frames, 2);
  const auto decoder = DecodeMp3(file);
  EXPECT_EQ(decoder->Info().SampleRate, p.Rate);
  const std::int64_t written = Resampler::OutputFrames(30000, 44100, p.Rate);
  if (p.Gapless)
    EXPECT_EQ(decoder->Info().Frames, written);
  else
    EXPECT_TRUE(decoder->Info().Frames >= written && decoder->Info().Frames < written + 4 * 576);
}

INSTANTIATE_TEST_SUITE_P(Labels, Mp3Preset,
                         testing::Values(PresetCase{1, 25, 8000, 16, 3, false}, PresetCase{2, 25, 8000, 24, 3, true},
                                         PresetCase{3, 2, 22050, 32, 3, false}, PresetCase{4, 2, 22050, 96, 1, true},
                                         PresetCase{5, 1, 44100, 64, 3, true}, PresetCase{6, 1, 44100, 112, 1, true},
                                         PresetCase{7, 1, 44100, 128, 1, true}, PresetCase{8, 1, 44100, 160, 1, true},
                                         PresetCase{9, 1, 44100, 192, 0, true}, PresetCase{10, 1, 44100, 256, 0, true},
                                         PresetCase{11, 1, 44100, 320, 0, true}));

TEST(Mp3Settings, PresetOutsideTheTableRaises) {
  TAudioFile2LameEnc settings;
  EXPECT_THROW(settings.SetPreset(0), EAudioError);
  EXPECT_THROW(settings.SetPreset(12), EAudioError);
  EXPECT_THROW(settings.SetVbrMethod(2), EAudioError);
  EXPECT_THROW(settings.SetVbrQuality(10), EAudioError);
}

TEST(Mp3Settings, CanMp3AcceptsExactlyTheWritableCombinations) {
  struct Case {
    int Rate, Kbps, Channels;
    bool Expected;
  } const cases[] = {
      {44100, 128, 2, true}, {48000, 320, 1, true},  {32000, 32, 2, true},   {22050, 160, 2, true},
      {22050, 192, 2, false}, {8000, 8, 1, true},    {11025, 144, 2, true},  {44100, 16, 2, false},
      {96000, 128, 2, false}, {44100, 130, 2, false}, {44100, 128, 3, false}, {44100, 128, 0, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CanMp3(c.Rate, c.Kbps, c.Channels), c.Expected) << c.Rate << " Hz " << c.Kbps << " kbit/s " << c.Channels;
}

TEST(Mp3Settings, SettledRateIsAnMp3Rate) {
  struct Case {
    int Asked, Settled;
  } const cases[] = {{96000, 48000}, {88200, 44100}, {44100, 44100}, {6000, 8000}, {64000, 32000}, {23000, 22050}};
  for (const Case& c : cases) EXPECT_EQ(SettleMp3Format(Mp3ConstantBitRate(c.Asked, 128, 2), 44100).SampleRate, c.Settled);
  TAudioFile2LameEnc preset;
  preset.SetPreset(3);
  EXPECT_EQ(SettleMp3Format(preset.Config(), 96000).SampleRate, 22050);
  EXPECT_EQ(SettleMp3Format(preset.Config(), 96000).Channels, 1);
}

// Written at 96000 Hz the file holds 48000 Hz with the same duration and pitch.
TEST(Mp3Encoder, ResamplesToTheSettledRate) {
  const std::vector<float> input = Sine(1000, 0.5, 96000, 2, 96000);
  const auto decoder = DecodeMp3(EncodeMp3(input, 96000, 2, Mp3ConstantBitRate(0, 192, 2)));
  ASSERT_EQ(decoder->Info().SampleRate, 48000);
  EXPECT_EQ(decoder->Info().Frames, 48000);
  EXPECT_NEAR(FrequencyOf(MiddleOf(ReadAll(*decoder), 2, 0), 48000), 1000.0, 2.0);
}

TEST(Mp3Tags, RoundTripThroughId3v2) {
  AudioTags tags{L"Titel \u00e4\u4e2d", L"Artist", L"Album", L"2024", L"A comment", L"Jazz"};
  const AnsiString file = EncodeMp3(Sine(1000, 0.5, 44100, 2, 4410), 44100, 2, Mp3ConstantBitRate(0, 128, 2), tags);
  const AudioTags read = DecodeMp3(file)->Info().Tags;
  EXPECT_EQ(read.Title, tags.Title);
  EXPECT_EQ(read.Artist, tags.Artist);
  EXPECT_EQ(read.Album, tags.Album);
  EXPECT_EQ(read.Year, tags.Year);
  EXPECT_EQ(read.Comment, tags.Comment);
  EXPECT_EQ(read.Genre, tags.Genre);
}

// A file over 4 GB: the library seeks from the true end for the ID3v1 tag there, and the frames at the
// start keep their length.
TEST(Mp3Decoder, FilesOverFourGigabytesFindTheirEndTag) {
  const std::int64_t frames = 4410;
  const AnsiString mp3 = EncodeMp3(Sine(1000, 0.5, 44100, 2, frames), 44100, 2, Mp3ConstantBitRate(0, 128, 2));
  AnsiString tag = "TAG";
  for (const char* field : {"Far Away", "Artist", "Album"}) tag += AnsiString(field) + AnsiString(30 - std::strlen(field), '\0');
  tag += "2024" + AnsiString(30, '\0') + "\xFF";
  ASSERT_EQ(tag.size(), 128u);
  const auto decoder = OpenMp3Decoder(std::make_shared<SplicedSource>(mp3, tag, kOverFourGigabytes));
  EXPECT_EQ(decoder->Info().Tags.Title, L"Far Away");
  EXPECT_EQ(decoder->Info().Tags.Year, L"2024");
  EXPECT_EQ(decoder->Info().Frames, frames);
}

TEST(Mp3Decoder, GarbageRaisesNamingTheProblem) {
  AnsiString garbage(20000, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919) % 251);
  try {
    DecodeMp3(garbage);
    FAIL() << "no error";
  } catch (const EAudioError& e) {
    EXPECT_NE(e.Message().find(L"MPEG audio"), String::npos);
  }
}

// The registry finds MP3 by content (any name) and describes it.
TEST(Mp3Registry, OpensByContentAndDescribes) {
  FormatRegistry registry = FormatRegistry::Default();
  RegisterAudioCodecs(registry);
  const AnsiString file = EncodeMp3(Sine(1000, 0.5, 44100, 2, 4 * 44100), 44100, 2, Mp3ConstantBitRate(0, 128, 2));
  const auto decoder = registry.OpenDecoder(std::make_shared<MemorySource>(file), L"C:\\music\\song.bin");
  EXPECT_EQ(FormatText(decoder->Info()), L"MPEG 1 Layer 3, 44100 Hz, Stereo");
  EXPECT_NEAR(static_cast<double>(AverageBitRate(static_cast<std::int64_t>(file.size()), decoder->Info())), 128000.0, 6000.0);
  const char oneHeader[] = "\xFF\xFB\x90\x00 and no second frame header";
  EXPECT_FALSE(LooksLikeMp3(MemorySource(AnsiString(oneHeader, sizeof oneHeader - 1) + AnsiString(500, 'x'))));
}

}  // namespace

namespace {

// Cut files never read outside their bytes or past their stated length: the decoder either raises
// or delivers exactly the frames it announces.
TEST(Mp3Decoder, TruncatedFilesRaiseOrKeepTheirStatedLength) {
  FormatRegistry registry = FormatRegistry::Default();
  RegisterAudioCodecs(registry);
  const std::vector<float> tone = Sine(1000, 0.5, 44100, 2, 20000);
  const AnsiString mp3 = EncodeMp3(tone, 44100, 2, Mp3ConstantBitRate(0, 128, 2));
  for (std::size_t keep : {std::size_t{3}, std::size_t{100}, mp3.size() / 3, mp3.size() - 1}) {
    try {
      const auto decoder = registry.OpenDecoder(std::make_shared<MemorySource>(mp3.substr(0, keep)), L"cut.mp3");
      EXPECT_EQ(static_cast<std::int64_t>(ReadAll(*decoder).size()), decoder->Info().Frames * decoder->Info().Channels)
          << keep;
    } catch (const EAudioError&) {
    }
  }
}

}  // namespace
