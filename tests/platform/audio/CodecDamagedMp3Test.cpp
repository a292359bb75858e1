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

// The decoder library allocates the size an ID3v2 header states before reading the tag: a size
// beyond the file must stop the reader first (natively the sweep's allocation watch checks that).
TEST(CodecDamagedMp3, TagLongerThanTheFileRaisesBeforeAllocating) {
  const AnsiString good = EncodeMp3(44100, 2, Mp3ConstantBitRate(0, 128, 2));
  ASSERT_EQ(good.substr(0, 3), "ID3");
  for (const char* size : {"\x7F\x7F\x7F\x7F", "\x7F\x00\x00\x00", "\x00\x7F\x7F\x7F"}) {
    AnsiString damaged = good;
    damaged.replace(6, 4, size, 4);
    EXPECT_EQ(damaged_sweep::DecodeAll(damaged, OpenMp3, {}, "tag size"), damaged_sweep::Outcome::Raised);
  }
}
