// Damaged MPEG audio files: cut and corrupted frames, info headers and ID3 tags.
#include <gtest/gtest.h>

#include "platform/audio/codecs/Mp3Decoder.h"
#include "platform/audio/codecs/Mp3Encoder.h"
#include "tests/platform/audio/CodecDamagedSweep.h"
#include "tests/platform/audio/CodecTestSignals.h"

using namespace codec_test;

namespace {

const AudioTags kTags{L"Title \u00e4\u4e2d", L"Artist", L"Album", L"2024", L"A comment", L"Jazz"};

AnsiString EncodeMp3(int rate, int channels, const Mp3EncoderConfig& config) {
  const std::int64_t frames = rate * 2 / 5;
  return Encode(Sine(1000, 0.5, rate, channels, frames), channels, [&](std::unique_ptr<ByteSink> sink) {
    return CreateMp3Encoder(std::move(sink), EncoderSettings{rate, channels, 16}, config, kTags);
  });
}

// A 128-byte ID3v1.1 tag after the frames.
AnsiString WithId3v1(AnsiString bytes) {
  AnsiString tag(128, '\0');
  tag.replace(0, 3, "TAG");
  tag.replace(3, 5, "Title");
  tag[127] = 8;
  return bytes + tag;
}

std::unique_ptr<AudioDecoder> OpenMp3(const AnsiString& bytes) {
  return OpenMp3Decoder(std::make_shared<MemorySource>(bytes));
}

Mp3EncoderConfig VariableMono() {
  Mp3EncoderConfig config;
  config.Mode = mp3::RateMode::Variable;
  config.VbrQuality = 6;
  config.Channels = 1;
  return config;
}

Mp3EncoderConfig WithoutInfoHeader() {
  Mp3EncoderConfig config = Mp3ConstantBitRate(0, 64, 2);
  config.WriteXing = false;
  config.Crc = true;
  return config;
}

}  // namespace

// MPEG 2.5 at 8 kbit/s holds 576 frames in 72 bytes: 8 frames a byte is the most any file holds.
TEST(CodecDamagedMp3, CutAndCorruptedFilesDecodeOrRaise) {
  const damaged_sweep::Limits limits{8.0, 4 * 1152, 512, 160};
  const struct {
    const char* Name;
    AnsiString Bytes;
  } files[] = {
      {"constant bit rate with info header and ID3v2", EncodeMp3(44100, 2, Mp3ConstantBitRate(0, 128, 2))},
      {"variable bit rate, mono, MPEG 2, ID3v1 too", WithId3v1(EncodeMp3(22050, 1, VariableMono()))},
      {"no info header, error protection", EncodeMp3(32000, 2, WithoutInfoHeader())},
  };
  std::uint32_t seed = 1000;
  for (const auto& file : files) {
    SCOPED_TRACE(file.Name);
    damaged_sweep::Sweep(file.Bytes, OpenMp3, limits, seed);
    seed += 100000;
  }
}

// The decoder library allocates the size an ID3v2 header states before reading the tag. A tag whose
// size runs past the file's end, at the start, between frames or at the end, is passed over as junk:
// the frames around it decode, and nothing of its stated size is allocated (natively the sweep's
// allocation watch checks that).
TEST(CodecDamagedMp3, TagsLongerThanTheFileArePassedOver) {
  const AnsiString good = EncodeMp3(44100, 2, Mp3ConstantBitRate(0, 128, 2));
  ASSERT_EQ(good.substr(0, 3), "ID3");
  const std::int64_t frames = OpenMp3(good)->Info().Frames;
  const AnsiString overlong("ID3\x04\x00\x00\x7F\x7F\x7F\x7F", 10);
  const std::size_t between = good.find("\xFF\xFB", good.size() / 2);
  ASSERT_NE(between, AnsiString::npos);
  AnsiString damagedHead = good;
  damagedHead.replace(6, 4, "\x7F\x7F\x7F\x7F", 4);
  const struct {
    const char* Name;
    AnsiString Bytes;
  } cases[] = {
      {"first tag's size damaged", damagedHead},
      {"between frames", good.substr(0, between) + overlong + good.substr(between)},
      {"at the end", good + overlong},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(damaged_sweep::DecodeAll(c.Bytes, OpenMp3, {}, c.Name), damaged_sweep::Outcome::Decoded) << c.Name;
    // Past a damaged first tag the info header counts as a plain frame: its frame, the encoder's
    // delay and padding come back (under three frames).
    EXPECT_NEAR(static_cast<double>(OpenMp3(c.Bytes)->Info().Frames), static_cast<double>(frames), 3 * 1152) << c.Name;
  }
}
