#include <gtest/gtest.h>

#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/codecs/OggVorbis.h"
#include "platform/audio/core/AudioError.h"
#include "tests/platform/audio/CodecLargeSource.h"
#include "tests/platform/audio/CodecTestSignals.h"

using namespace codec_test;

namespace {

OggEncoderConfig Ogg(int channels, int kbps, int quality) {
  OggEncoderConfig c;
  c.Channels = channels;
  c.BitRate = kbps;
  c.Quality = quality;
  return c;
}

AnsiString EncodeOgg(const std::vector<float>& samples, int rate, int channels, const OggEncoderConfig& config,
                     const AudioTags& tags = {}) {
  return Encode(samples, channels, [&](std::unique_ptr<ByteSink> sink) {
    return CreateOggEncoder(std::move(sink), EncoderSettings{rate, channels, 16}, config, tags);
  });
}

std::unique_ptr<AudioDecoder> DecodeOgg(const AnsiString& bytes) {
  return OpenOggDecoder(std::make_shared<MemorySource>(bytes));
}

struct RoundTrip {
  const char* Name;
  int Rate, InputChannels;
  OggEncoderConfig Config;
};

class OggRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(OggRoundTrip, KeepsLengthFrequencyAndLevel) {
  const RoundTrip& t = GetParam();
  const std::int64_t frames = t.Rate * 3 / 2 + 77;
  const std::vector<float> input = Sine(1000, 0.5, t.Rate, t.InputChannels, frames);
  const auto decoder = DecodeOgg(EncodeOgg(input, t.Rate, t.InputChannels, t.Config));
  const int channels = t.Config.Channels;
  ASSERT_EQ(decoder->Info().Channels, channels);
  ASSERT_EQ(decoder->Info().SampleRate, t.Rate);
  EXPECT_EQ(decoder->Info().Frames, frames);
  const std::vector<float> output = ReadAll(*decoder);
  ASSERT_EQ(static_cast<std::int64_t>(output.size()), frames * channels);
  const double inputDb = RmsDb(MiddleOf(input, t.InputChannels, 0));
  for (int c = 0; c < channels; ++c) {
    const std::vector<double> middle = MiddleOf(output, channels, c);
    EXPECT_NEAR(FrequencyOf(middle, t.Rate), 1000.0, 2.0) << "channel " << c;
    EXPECT_NEAR(RmsDb(middle), inputDb, 0.5) << "channel " << c;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, OggRoundTrip,
    testing::Values(RoundTrip{"quality_600_stereo", 44100, 2, Ogg(2, 0, 600)},
                    RoundTrip{"managed_128_stereo", 48000, 2, Ogg(2, 128, -1)},
                    RoundTrip{"quality_100_mono_22k", 22050, 1, Ogg(1, 0, 100)},
                    RoundTrip{"mono_input_stereo_file", 44100, 1, Ogg(2, 0, 400)},
                    RoundTrip{"stereo_input_mono_file", 44100, 2, Ogg(1, 64, -1)}),
    [](const testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.Name); });

// A managed bit rate holds its average on material that needs every bit (noise).
TEST(OggEncoder, ManagedBitRateAveragesOnNoise) {
  const int seconds = 10;
  const AnsiString file = EncodeOgg(Noise(0.3, 2, 44100 * seconds), 44100, 2, Ogg(2, 128, -1));
  const double bitsPerSecond = static_cast<double>(file.size()) * 8 / seconds;
  EXPECT_NEAR(bitsPerSecond, 128000.0, 0.15 * 128000.0);
}

// Quality is tenths of a percent: more quality, more bits.
TEST(OggEncoder, HigherQualityWritesMoreBits) {
  const std::vector<float> noise = Noise(0.3, 2, 44100 * 2);
  EXPECT_LT(EncodeOgg(noise, 44100, 2, Ogg(2, 0, 100)).size(), EncodeOgg(noise, 44100, 2, Ogg(2, 0, 600)).size());
}

TEST(OggEncoder, CanOggAnswersWhatTheEncoderAccepts) {
  struct Case {
    int Rate, Channels, Kbps;
    bool Expected;
  } const cases[] = {
      {44100, 2, 128, true}, {48000, 2, 192, true}, {44100, 1, 64, true},  {22050, 2, 96, true},
      {44100, 2, 8, false},  {8000, 1, 500, false}, {44100, 3, 128, false}, {0, 2, 128, false},
      {44100, 2, 0, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CanOgg(c.Rate, c.Channels, c.Kbps), c.Expected) << c.Rate << " Hz " << c.Channels << " ch " << c.Kbps;
}

TEST(OggEncoder, RefusedSettingsRaise) {
  auto sink = std::make_unique<MemorySink>();
  EXPECT_THROW(CreateOggEncoder(std::move(sink), EncoderSettings{8000, 1, 16}, Ogg(1, 500, -1), {}), EAudioError);
}

TEST(OggTags, RoundTripThroughVorbisComments) {
  AudioTags tags{L"Titel \u00e4\u4e2d", L"Artist", L"Album", L"2024", L"A comment", L"Jazz"};
  const AudioTags read = DecodeOgg(EncodeOgg(Sine(1000, 0.5, 44100, 2, 4410), 44100, 2, Ogg(2, 0, 500), tags))->Info().Tags;
  EXPECT_EQ(read.Title, tags.Title);
  EXPECT_EQ(read.Artist, tags.Artist);
  EXPECT_EQ(read.Album, tags.Album);
  EXPECT_EQ(read.Year, tags.Year);
  EXPECT_EQ(read.Comment, tags.Comment);
  EXPECT_EQ(read.Genre, tags.Genre);
}

TEST(OggDecoder, DamagedHeadersRaise) {
  AnsiString file = EncodeOgg(Sine(1000, 0.5, 44100, 2, 4410), 44100, 2, Ogg(2, 0, 500));
  EXPECT_THROW(DecodeOgg(file.substr(0, 40)), EAudioError);
  EXPECT_THROW(DecodeOgg(AnsiString(5000, 'x')), EAudioError);
}

TEST(OggRegistry, OpensByContentAndDescribes) {
  FormatRegistry registry = FormatRegistry::Default();
  RegisterAudioCodecs(registry);
  const AnsiString file = EncodeOgg(Sine(1000, 0.5, 44100, 1, 4410), 44100, 1, Ogg(1, 0, 500));
  const auto decoder = registry.OpenDecoder(std::make_shared<MemorySource>(file), L"noextension");
  EXPECT_EQ(FormatText(decoder->Info()), L"OGG Vorbis, 44100 Hz, Mono");
}

// A cut file raises or delivers exactly the frames it announces.
TEST(OggDecoder, TruncatedFilesRaiseOrKeepTheirStatedLength) {
  const AnsiString ogg = EncodeOgg(Sine(1000, 0.5, 44100, 2, 20000), 44100, 2, Ogg(2, 0, 500));
  for (std::size_t keep : {ogg.size() / 3, ogg.size() * 2 / 3, ogg.size() - 1}) {
    try {
      const auto decoder = DecodeOgg(ogg.substr(0, keep));
      EXPECT_EQ(static_cast<std::int64_t>(ReadAll(*decoder).size()), decoder->Info().Frames * 2) << keep;
    } catch (const EAudioError&) {
    }
  }
}

}  // namespace

// A file over 4 GB keeps the length its last page states at the true end, and decodes from its start
// as a small one does. Without a page of the stream at the end the length cannot be known.
TEST(OggDecoder, FilesOverFourGigabytesKeepTheirLength) {
  const std::int64_t frames = 4 * 22050 + 333;  // pages enough that the first frames lie before the last one
  const AnsiString small = EncodeOgg(Sine(440, 0.5, 22050, 1, frames), 22050, 1, Ogg(1, 0, 400));
  const std::size_t lastPage = small.rfind("OggS");
  ASSERT_NE(lastPage, AnsiString::npos);
  const auto large = OpenOggDecoder(
      std::make_shared<SplicedSource>(small.substr(0, lastPage), small.substr(lastPage), kOverFourGigabytes));
  EXPECT_EQ(large->Info().Frames, frames);
  EXPECT_EQ(large->Info().SampleRate, 22050);
  const auto reference = DecodeOgg(small);
  std::vector<float> expected(4096), got(4096);
  reference->Read(expected.data(), 4096);
  ASSERT_EQ(large->Read(got.data(), 4096), 4096);
  EXPECT_EQ(got, expected);

  try {
    OpenOggDecoder(std::make_shared<SplicedSource>(small.substr(0, lastPage), AnsiString(), kOverFourGigabytes));
    ADD_FAILURE() << "no error";
  } catch (const EAudioError& e) {
    EXPECT_EQ(e.Message(), L"OGG Vorbis: the length cannot be determined.");
  }
}
