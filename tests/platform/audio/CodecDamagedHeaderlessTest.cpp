// Damaged headerless files (.raw, .vox, .g721, .g723, .g726): with no header every byte string is a
// stream, so each cut or corrupted file must decode to the length its size gives, in full scale.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/codecs/G726.h"
#include "platform/audio/core/FormatRegistry.h"
#include "tests/platform/audio/CodecDamagedSweep.h"
#include "tests/platform/audio/CodecTestSignals.h"

using namespace codec_test;

namespace {

const FormatRegistry& Registry() {
  static const FormatRegistry registry = [] {
    FormatRegistry r = FormatRegistry::Default();
    RegisterAudioCodecs(r);
    return r;
  }();
  return registry;
}

// Codes of a tone through the G.726 encoder, packed from the low bits of each byte up.
AnsiString G726Tone(int bits) {
  G726Codec encoder(bits);
  AnsiString bytes;
  unsigned buffer = 0;
  int count = 0;
  for (int i = 0; i < 4000; ++i) {
    const double x = 0.5 * std::sin(2 * kPi * 440 * i / 8000.0);
    buffer |= static_cast<unsigned>(encoder.Encode(static_cast<int>(std::lround(x * 8191)))) << count;
    for (count += bits; count >= 8; count -= 8, buffer >>= 8) bytes += static_cast<char>(buffer & 0xFF);
  }
  return bytes;
}

AnsiString NoiseBytes(std::size_t size) {
  AnsiString bytes(size, '\0');
  std::uint32_t state = 777;
  for (char& c : bytes) c = static_cast<char>((state = state * 1664525u + 1013904223u) >> 24);
  return bytes;
}

struct HeaderlessCase {
  const char* Extension;
  int BitsPerFrame;
  AnsiString Bytes;
};

// Decodes `bytes` as a file of that extension: it must open, state size * 8 / bits frames and give
// them all within full scale.
void ExpectDecodes(const HeaderlessCase& c, const AnsiString& bytes, const std::string& label) {
  const String path = L"take" + String(c.Extension, c.Extension + std::strlen(c.Extension));
  const damaged_sweep::Opener open = [&](const AnsiString& b) {
    return Registry().OpenDecoder(std::make_shared<MemorySource>(b), path);
  };
  const damaged_sweep::Limits limits{8.0 / c.BitsPerFrame, 0, 64, 0};
  ASSERT_EQ(damaged_sweep::DecodeAll(bytes, open, limits, label), damaged_sweep::Outcome::Decoded) << label;
  const auto decoder = open(bytes);
  EXPECT_EQ(decoder->Info().Frames, static_cast<std::int64_t>(bytes.size()) * 8 / c.BitsPerFrame) << label;
  for (float sample : ReadAll(*decoder)) ASSERT_LE(std::fabs(sample), 1.0f) << label;
}

}  // namespace

TEST(CodecDamagedHeaderless, EveryCutAndCorruptionDecodes) {
  const HeaderlessCase cases[] = {
      {".raw", 32, NoiseBytes(3001)},
      {".vox", 4, NoiseBytes(2000)},
      {".g721", 4, G726Tone(4)},
      {".g726", 4, G726Tone(4)},
      {".g723", 3, G726Tone(3)},
  };
  const damaged_sweep::Limits damage{0, 0, 64, 64};
  for (const HeaderlessCase& c : cases) {
    SCOPED_TRACE(c.Extension);
    const std::size_t stride = std::max<std::size_t>(1, c.Bytes.size() / 200);
    for (std::size_t length = 0; length < c.Bytes.size(); length += stride)
      ExpectDecodes(c, c.Bytes.substr(0, length), "prefix of " + std::to_string(length) + " bytes");
    for (int i = 0; i < damaged_sweep::kCorruptions / 10; ++i) {
      const std::uint32_t seed = 60000 + static_cast<std::uint32_t>(i);
      ExpectDecodes(c, damaged_sweep::Damaged(c.Bytes, seed, damage), "corruption seed " + std::to_string(seed));
    }
  }
}
