// Damaged Ogg Vorbis files: cut and corrupted pages, headers and comment headers.
#include <gtest/gtest.h>

#include "platform/audio/codecs/OggVorbis.h"
#include "tests/platform/audio/CodecDamagedSweep.h"
#include "tests/platform/audio/CodecTestSignals.h"

using namespace codec_test;

namespace {

AnsiString EncodeOgg(int rate, int channels, int quality) {
  OggEncoderConfig config;
  config.Channels = channels;
  config.Quality = quality;
  const AudioTags tags{L"Title \u00e4\u4e2d", L"Artist", L"Album", L"2024", L"A comment", L"Jazz"};
  return Encode(Sine(1000, 0.5, rate, channels, rate * 2 / 5), channels, [&](std::unique_ptr<ByteSink> sink) {
    return CreateOggEncoder(std::move(sink), EncoderSettings{rate, channels, 16}, config, tags);
  });
}

std::unique_ptr<AudioDecoder> OpenOgg(const AnsiString& bytes) {
  return OpenOggDecoder(std::make_shared<MemorySource>(bytes));
}

std::uint32_t OggChecksum(const AnsiString& bytes, std::size_t from, std::size_t to) {
  std::uint32_t crc = 0;
  for (std::size_t i = from; i < to; ++i) {
    crc ^= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 24;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
  }
  return crc;
}

// Damage that keeps every page's checksum right, so it reaches the page and Vorbis parsers instead
// of being dropped by the checksum test.
AnsiString ResealedPages(AnsiString bytes) {
  for (std::size_t at = bytes.find("OggS"); at != AnsiString::npos && at + 27 <= bytes.size();
       at = bytes.find("OggS", at + 4)) {
    const std::size_t segments = static_cast<unsigned char>(bytes[at + 26]);
    if (at + 27 + segments > bytes.size()) break;
    std::size_t end = at + 27 + segments;
    for (std::size_t i = 0; i < segments; ++i) end += static_cast<unsigned char>(bytes[at + 27 + i]);
    if (end > bytes.size()) break;
    damaged_sweep::PutLe32(bytes, at + 22, 0);
    damaged_sweep::PutLe32(bytes, at + 22, OggChecksum(bytes, at, end));
  }
  return bytes;
}

}  // namespace

// The pages' checksums turn away most damage; what passes them reaches the Vorbis decoder. A packet
// takes at least a byte and gives at most half of the longest block (8192).
TEST(CodecDamagedOgg, CutAndCorruptedFilesDecodeOrRaise) {
  const damaged_sweep::Limits limits{4096.0, 4096, 4096, 0};
  const struct {
    const char* Name;
    AnsiString Bytes;
  } files[] = {
      {"stereo, managed bit rate, comments", EncodeOgg(44100, 2, -1)},
      {"mono, lowest quality", EncodeOgg(22050, 1, 0)},
  };
  std::uint32_t seed = 20000;
  for (const auto& file : files) {
    SCOPED_TRACE(file.Name);
    damaged_sweep::Sweep(file.Bytes, OpenOgg, limits, seed);
    seed += 100000;
  }
}

TEST(CodecDamagedOgg, CorruptionsUnderRightChecksumsDecodeOrRaise) {
  const damaged_sweep::Limits limits{4096.0, 4096, 4096, 0};
  const AnsiString original = EncodeOgg(44100, 2, -1);
  ASSERT_EQ(ResealedPages(original), original);
  for (int i = 0; i < damaged_sweep::kCorruptions; ++i) {
    const std::uint32_t seed = 40000 + static_cast<std::uint32_t>(i);
    damaged_sweep::DecodeAll(ResealedPages(damaged_sweep::Damaged(original, seed, limits)), OpenOgg, limits,
                             "resealed corruption seed " + std::to_string(seed));
  }
  // The last page's position states the length: a huge one must not become hours of silence.
  for (std::uint32_t high : {0u, 0xFFFFu, 0x7FFFFFFFu}) {
    AnsiString lying = original;
    const std::size_t last = lying.rfind("OggS");
    damaged_sweep::PutLe32(lying, last + 6, 0xFFFFFFF0u);
    damaged_sweep::PutLe32(lying, last + 10, high);
    damaged_sweep::DecodeAll(ResealedPages(lying), OpenOgg, limits, "last page at " + std::to_string(high));
  }
}
