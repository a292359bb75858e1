#include "platform/audio/core/SampleCodec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct CodecCase {
  const char* name;
  SampleLayout layout;
  std::vector<std::uint8_t> bytes;  // one sample each
  std::vector<float> values;
};

class SampleCodecDecodes : public testing::TestWithParam<CodecCase> {};

TEST_P(SampleCodecDecodes, ExactValuesAndBackToTheSameBytes) {
  const CodecCase& c = GetParam();
  std::vector<float> decoded(c.values.size());
  DecodeSamples(c.layout, c.bytes.data(), decoded.data(), decoded.size());
  EXPECT_EQ(decoded, c.values);
  std::vector<std::uint8_t> encoded(c.bytes.size());
  EncodeSamples(c.layout, decoded.data(), encoded.data(), decoded.size());
  EXPECT_EQ(encoded, c.bytes);
}

const SampleLayout kU8{SampleEncoding::UnsignedPcm8, false};
const SampleLayout kS8{SampleEncoding::SignedPcm8, true};
const SampleLayout k16{SampleEncoding::Pcm16, false};
const SampleLayout k16Be{SampleEncoding::Pcm16, true};
const SampleLayout k24{SampleEncoding::Pcm24, false};
const SampleLayout k24Be{SampleEncoding::Pcm24, true};
const SampleLayout k32{SampleEncoding::Pcm32, false};
const SampleLayout kF32{SampleEncoding::Float32, false};
const SampleLayout kALaw{SampleEncoding::ALaw, false};
const SampleLayout kMuLaw{SampleEncoding::MuLaw, false};

INSTANTIATE_TEST_SUITE_P(
    Encodings, SampleCodecDecodes,
    testing::Values(
        CodecCase{"u8", kU8, {0x00, 0x80, 0xFF, 0x40}, {-1.0f, 0.0f, 127.0f / 128, -0.5f}},
        CodecCase{"s8", kS8, {0x80, 0x00, 0x7F}, {-1.0f, 0.0f, 127.0f / 128}},
        CodecCase{"pcm16", k16, {0x00, 0x80, 0xFF, 0x7F, 0x01, 0x00, 0xFF, 0xFF}, {-1.0f, 32767.0f / 32768, 1.0f / 32768, -1.0f / 32768}},
        CodecCase{"pcm16be", k16Be, {0x80, 0x00, 0x00, 0x01}, {-1.0f, 1.0f / 32768}},
        CodecCase{"pcm24", k24, {0x00, 0x00, 0x80, 0xFF, 0xFF, 0x7F, 0x01, 0x00, 0x00}, {-1.0f, 8388607.0f / 8388608, 1.0f / 8388608}},
        CodecCase{"pcm24be", k24Be, {0xFF, 0xFF, 0xFF, 0x40, 0x00, 0x00}, {-1.0f / 8388608, 0.5f}},
        CodecCase{"pcm32", k32, {0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x40}, {-1.0f, 0.5f}},
        CodecCase{"float32", kF32, {0x00, 0x00, 0xC0, 0x3F, 0x00, 0x00, 0x80, 0xBE}, {1.5f, -0.25f}},
        // G.711 reference points: 0xD5 / 0xFF are the +0 codes, 0x2A / 0x00 the largest negatives.
        CodecCase{"alaw", kALaw, {0xD5, 0x2A, 0xAA}, {8.0f / 32768, -32256.0f / 32768, 32256.0f / 32768}},
        CodecCase{"mulaw", kMuLaw, {0xFF, 0x00, 0x80}, {0.0f, -32124.0f / 32768, 32124.0f / 32768}}),
    [](const testing::TestParamInfo<CodecCase>& info) { return std::string(info.param.name); });

TEST(SampleCodec, IntegersRoundToNearestAndClip) {
  const std::vector<float> in = {0.6f / 32768, -0.6f / 32768, 1.5f, -3.0f, 0.4f / 32768};
  std::vector<std::uint8_t> out(in.size() * 2);
  EncodeSamples(k16, in.data(), out.data(), in.size());
  std::vector<std::int16_t> values(in.size());
  std::memcpy(values.data(), out.data(), out.size());
  EXPECT_EQ(values, (std::vector<std::int16_t>{1, -1, 32767, -32768, 0}));

  const std::vector<float> big = {2.0f, -2.0f};
  std::vector<std::uint8_t> out24(6);
  EncodeSamples(k24, big.data(), out24.data(), 2);
  EXPECT_EQ(out24, (std::vector<std::uint8_t>{0xFF, 0xFF, 0x7F, 0x00, 0x00, 0x80}));
}

TEST(SampleCodec, EverySixteenBitValueSurvivesARoundTrip) {
  std::vector<std::int16_t> all(65536);
  for (int i = 0; i < 65536; ++i) all[i] = static_cast<std::int16_t>(i - 32768);
  std::vector<float> decoded(all.size());
  DecodeSamples(k16, reinterpret_cast<const std::uint8_t*>(all.data()), decoded.data(), all.size());
  std::vector<std::int16_t> back(all.size());
  EncodeSamples(k16, decoded.data(), reinterpret_cast<std::uint8_t*>(back.data()), all.size());
  EXPECT_EQ(back, all);
}

TEST(SampleCodec, CompandedCodesSurviveARoundTrip) {
  for (const SampleLayout& layout : {kALaw, kMuLaw}) {
    std::vector<std::uint8_t> codes(256);
    for (int i = 0; i < 256; ++i) codes[i] = static_cast<std::uint8_t>(i);
    std::vector<float> decoded(256);
    DecodeSamples(layout, codes.data(), decoded.data(), 256);
    std::vector<std::uint8_t> back(256);
    EncodeSamples(layout, decoded.data(), back.data(), 256);
    for (int i = 0; i < 256; ++i) {
      // u-law has two codes for zero (0x7F and 0xFF); both decode to 0 and encode to 0xFF.
      if (layout.Encoding == SampleEncoding::MuLaw && i == 0x7F) continue;
      EXPECT_EQ(back[i], codes[i]) << "code " << i;
    }
  }
}

}  // namespace
