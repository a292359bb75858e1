#include <gtest/gtest.h>

#include <cstring>

#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/codecs/G726.h"
#include "platform/audio/codecs/VoxAdpcm.h"
#include "platform/audio/core/AudioError.h"
#include "tests/platform/audio/CodecTestSignals.h"

using namespace codec_test;

namespace {

std::unique_ptr<AudioDecoder> OpenByName(const AnsiString& bytes, const String& path) {
  static FormatRegistry registry = [] {
    FormatRegistry r = FormatRegistry::Default();
    RegisterAudioCodecs(r);
    return r;
  }();
  return registry.OpenDecoder(std::make_shared<MemorySource>(bytes), path);
}

// Worked by hand from the step table (16, 17, ... 34 at index 8, 73 at 16, 157 at 24, 143 at 23):
// 7 → +2+16+8+4 = 30; 7 → +4+34+17+8 = 93; F → -(9+73+36+18) = -43; 0 → +19 = -24; 8 → -17 = -41.
TEST(VoxAdpcm, DecodesHandWorkedCodesHighNibbleFirst) {
  const auto decoder = OpenByName(AnsiString("\x77\xF0\x80", 3), L"call.VOX");
  ASSERT_EQ(decoder->Info().SampleRate, 8000);
  ASSERT_EQ(decoder->Info().Channels, 1);
  ASSERT_EQ(decoder->Info().Frames, 6);
  const std::vector<float> samples = ReadAll(*decoder);
  const int expected[] = {30, 93, -43, -24, -41};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(samples[static_cast<std::size_t>(i)] * 2048.0f, expected[i]) << i;
  EXPECT_EQ(FormatText(decoder->Info()), L"VOX ADPCM 4-bit, 8000 Hz, Mono");
}

TEST(VoxAdpcm, SaturatesAtTheTwelveBitLimits) {
  VoxAdpcmDecoder up, down;
  int high = 0, low = 0;
  for (int i = 0; i < 100; ++i) {
    high = up.Decode(7);
    low = down.Decode(15);
  }
  EXPECT_EQ(high, 2047);
  EXPECT_EQ(low, -2048);
}

double SnrDb(const std::vector<double>& reference, const std::vector<double>& decoded) {
  double signal = 0, noise = 0;
  for (std::size_t i = 0; i < reference.size(); ++i) {
    signal += reference[i] * reference[i];
    noise += (decoded[i] - reference[i]) * (decoded[i] - reference[i]);
  }
  return 10 * std::log10(signal / noise);
}

// Packs codes of `bits` bits from the low bits of each byte up.
AnsiString PackLowFirst(const std::vector<int>& codes, int bits) {
  AnsiString bytes;
  unsigned buffer = 0;
  int count = 0;
  for (int code : codes) {
    buffer |= static_cast<unsigned>(code) << count;
    count += bits;
    while (count >= 8) {
      bytes += static_cast<char>(buffer & 0xFF);
      buffer >>= 8;
      count -= 8;
    }
  }
  return bytes;
}

struct G726Case {
  const char* Extension;
  int Bits;
  double MinSnrDb;
};

class G726File : public testing::TestWithParam<G726Case> {};

// Speech-band tones through the encoder come back from the file reader close to the input: the
// adaptive quantiser, predictor and packing agree, and the reader starts with the same state.
TEST_P(G726File, DecodesEncodedTonesClosely) {
  const G726Case& t = GetParam();
  const int frames = 8000;
  std::vector<double> input(frames);
  for (int i = 0; i < frames; ++i)
    input[i] = 0.4 * std::sin(2 * kPi * 440 * i / 8000.0) + 0.2 * std::sin(2 * kPi * 1230 * i / 8000.0);
  G726Codec encoder(t.Bits);
  std::vector<int> codes;
  for (double x : input) codes.push_back(encoder.Encode(static_cast<int>(std::lround(x * 8191))));
  const auto decoder = OpenByName(PackLowFirst(codes, t.Bits), String(L"voice") + std::wstring(t.Extension, t.Extension + std::strlen(t.Extension)));
  ASSERT_EQ(decoder->Info().Frames, frames);
  const std::vector<float> samples = ReadAll(*decoder);
  std::vector<double> decoded(samples.begin(), samples.end());
  // After the first 50 ms the quantiser has adapted.
  const std::vector<double> tailIn(input.begin() + 400, input.end()), tailOut(decoded.begin() + 400, decoded.end());
  EXPECT_GT(SnrDb(tailIn, tailOut), t.MinSnrDb);
}

INSTANTIATE_TEST_SUITE_P(Rates, G726File,
                         testing::Values(G726Case{".g721", 4, 20.0}, G726Case{".g726", 4, 20.0},
                                         G726Case{".g723", 3, 12.0}));

// Silence encodes and decodes to silence at both rates (no offset builds up in the predictor).
TEST(G726, SilenceStaysSilent) {
  for (int bits : {3, 4}) {
    G726Codec encoder(bits), decoder(bits);
    int worst = 0;
    for (int i = 0; i < 4000; ++i) worst = std::max(worst, std::abs(decoder.Decode(encoder.Encode(0))));
    EXPECT_LE(worst, 8) << bits << " bits";
  }
}

TEST(RawPcm, ReadsSixteenBitStereoAt44100) {
  const auto decoder = OpenByName(AnsiString("\x00\x40\x00\xC0\xFF\x7F\x00\x80\x01", 9), L"take.raw");
  ASSERT_EQ(decoder->Info().SampleRate, 44100);
  ASSERT_EQ(decoder->Info().Channels, 2);
  ASSERT_EQ(decoder->Info().Frames, 2);  // the odd byte is no frame
  const std::vector<float> samples = ReadAll(*decoder);
  EXPECT_EQ(samples, (std::vector<float>{0.5f, -0.5f, 32767.0f / 32768.0f, -1.0f}));
}

}  // namespace
