#include "platform/audio/core/WavFile.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/ByteStream.h"
#include "platform/framework/base/Utf8.h"

namespace {

using Bytes = std::string;

Bytes Le16(unsigned v) { return Bytes{char(v & 0xFF), char((v >> 8) & 0xFF)}; }
Bytes Le32(unsigned v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }
Bytes Chunk(const char* id, const Bytes& body, long declared = -1) {
  Bytes c = Bytes(id, 4) + Le32(declared < 0 ? unsigned(body.size()) : unsigned(declared)) + body;
  if (body.size() & 1) c += '\0';
  return c;
}
Bytes Fmt(unsigned tag, unsigned channels, unsigned rate, unsigned bits, unsigned blockAlign = 0) {
  if (!blockAlign) blockAlign = channels * ((bits + 7) / 8);
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * blockAlign) + Le16(blockAlign) + Le16(bits);
}
Bytes Extensible(unsigned subTag, unsigned channels, unsigned rate, unsigned bits) {
  const Bytes guidTail("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
  return Fmt(0xFFFE, channels, rate, bits) + Le16(22) + Le16(bits) + Le32(3) + Le16(subTag) + guidTail;
}
Bytes Riff(const Bytes& chunks) { return "RIFF" + Le32(unsigned(chunks.size() + 4)) + "WAVE" + chunks; }

std::unique_ptr<AudioDecoder> Open(const Bytes& bytes) {
  return OpenWavDecoder(std::make_shared<MemorySource>(bytes));
}

std::vector<float> ReadAll(AudioDecoder& decoder) {
  std::vector<float> v(static_cast<std::size_t>(decoder.Info().Frames * decoder.Info().Channels));
  EXPECT_EQ(decoder.Read(v.data(), decoder.Info().Frames), decoder.Info().Frames);
  float extra[2];
  EXPECT_EQ(decoder.Read(extra, 1), 0);
  return v;
}

struct WavCase {
  const char* name;
  Bytes fmt;
  Bytes data;
  std::vector<float> values;
  const wchar_t* formatText;
};

class WavReads : public testing::TestWithParam<WavCase> {};

TEST_P(WavReads, ExactValuesAndFormat) {
  const WavCase& c = GetParam();
  auto decoder = Open(Riff(Chunk("fmt ", c.fmt) + Chunk("data", c.data)));
  EXPECT_EQ(ReadAll(*decoder), c.values);
  EXPECT_EQ(FormatText(decoder->Info()), c.formatText);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, WavReads,
    testing::Values(
        WavCase{"pcm8", Fmt(1, 1, 8000, 8), Bytes("\x00\x80\xC0", 3), {-1.0f, 0.0f, 0.5f}, L"WAV PCM 8-bit, 8000 Hz, Mono"},
        WavCase{"pcm16", Fmt(1, 2, 44100, 16), Le16(0x8000) + Le16(0x4000), {-1.0f, 0.5f}, L"WAV PCM 16-bit, 44100 Hz, Stereo"},
        WavCase{"pcm24", Fmt(1, 1, 48000, 24), Bytes("\x00\x00\xC0", 3), {-0.5f}, L"WAV PCM 24-bit, 48000 Hz, Mono"},
        WavCase{"pcm32", Fmt(1, 1, 96000, 32), Le32(0x20000000), {0.25f}, L"WAV PCM 32-bit, 96000 Hz, Mono"},
        WavCase{"float32", Fmt(3, 1, 44100, 32), Bytes("\x00\x00\xC0\x3F", 4), {1.5f}, L"WAV IEEE float 32-bit, 44100 Hz, Mono"},
        WavCase{"float64", Fmt(3, 1, 44100, 64), Bytes("\x00\x00\x00\x00\x00\x00\xD0\xBF", 8), {-0.25f},
                L"WAV IEEE float 64-bit, 44100 Hz, Mono"},
        WavCase{"alaw", Fmt(6, 1, 8000, 8), Bytes("\xD5\xAA", 2), {8.0f / 32768, 32256.0f / 32768}, L"WAV A-law 8-bit, 8000 Hz, Mono"},
        WavCase{"mulaw", Fmt(7, 1, 8000, 8), Bytes("\xFF\x80", 2), {0.0f, 32124.0f / 32768}, L"WAV u-law 8-bit, 8000 Hz, Mono"},
        WavCase{"extensible24", Extensible(1, 2, 44100, 24), Bytes("\x00\x00\x40\x00\x00\xC0", 6), {0.5f, -0.5f},
                L"WAV PCM 24-bit, 44100 Hz, Stereo"},
        WavCase{"extensibleFloat", Extensible(3, 1, 44100, 32), Bytes("\x00\x00\x80\x3E", 4), {0.25f},
                L"WAV IEEE float 32-bit, 44100 Hz, Mono"}),
    [](const testing::TestParamInfo<WavCase>& info) { return std::string(info.param.name); });

TEST(WavFile, SkipsOddAndUnknownChunksAndReadsTags) {
  const Bytes info = "INFO" + Chunk("INAM", Bytes("Song\0", 5)) + Chunk("IART", Bytes("Band\0", 5)) +
                     Chunk("IXYZ", "odd") + Chunk("ICMT", Bytes("Caf\xC3\xA9\0", 6));
  const Bytes file = Riff(Chunk("junk", "abc") + Chunk("fmt ", Fmt(1, 1, 22050, 16)) + Chunk("LIST", info) +
                          Chunk("cue ", Bytes(5, 'x')) + Chunk("data", Le16(0x0001) + Le16(0xFFFF)) + Chunk("smpl", "z"));
  auto decoder = Open(file);
  EXPECT_EQ(ReadAll(*decoder), (std::vector<float>{1.0f / 32768, -1.0f / 32768}));
  EXPECT_EQ(decoder->Info().Tags.Title, L"Song");
  EXPECT_EQ(decoder->Info().Tags.Artist, L"Band");
  EXPECT_EQ(decoder->Info().Tags.Comment, L"Caf\u00E9");
}

TEST(WavFile, DataSizesThatDoNotMatchTheFile) {
  // Declared size 0: no frames.
  EXPECT_EQ(Open(Riff(Chunk("fmt ", Fmt(1, 2, 44100, 16)) + Chunk("data", "")))->Info().Frames, 0);
  // Declared past the end (an interrupted recording): the whole frames present, the partial one dropped.
  const Bytes cut = Riff(Chunk("fmt ", Fmt(1, 2, 44100, 16)) + "data" + Le32(0xFFFFFFFF) + Le16(1) + Le16(2) + Le16(3));
  auto decoder = Open(cut);
  EXPECT_EQ(decoder->Info().Frames, 1);
  EXPECT_EQ(ReadAll(*decoder), (std::vector<float>{1.0f / 32768, 2.0f / 32768}));
}

TEST(WavFile, DamagedFilesRaiseClearErrors) {
  struct Case {
    Bytes file;
    const wchar_t* fragment;
  } cases[] = {
      {"RIFX", L"no RIFF WAVE header"},
      {Riff(Chunk("data", Le16(0))), L"format chunk is missing"},
      {Riff(Chunk("fmt ", Fmt(1, 1, 44100, 16))), L"data chunk is missing"},
      {Riff(Chunk("fmt ", Fmt(1, 3, 44100, 16)) + Chunk("data", "")), L"3 channels"},
      {Riff(Chunk("fmt ", Fmt(1, 1, 500, 16)) + Chunk("data", "")), L"500 Hz"},
      {Riff(Chunk("fmt ", Fmt(2, 1, 44100, 4)) + Chunk("data", "")), L"format tag 2"},
      {Riff(Chunk("fmt ", Fmt(1, 2, 44100, 16, 2)) + Chunk("data", "")), L"block alignment"},
      {Riff(Chunk("fmt ", Bytes(10, '\0')) + Chunk("data", "")), L"too short"},
  };
  for (const Case& c : cases) {
    try {
      Open(c.file);
      ADD_FAILURE() << "no error for " << Utf8Encode(c.fragment);
    } catch (const EAudioError& e) {
      EXPECT_NE(e.Message().find(c.fragment), String::npos) << Utf8Encode(e.Message());
    }
  }
}

TEST(WavFile, WriteThenReadIsBitExact) {
  const std::vector<float> samples = {0.5f, -1.0f, 32767.0f / 32768, -3.0f / 8388608, 0.123456789f, 1.75f};
  struct Case {
    int bits;
    std::vector<float> expected;
  } cases[] = {
      {16, {0.5f, -1.0f, 32767.0f / 32768, 0.0f, 4045.0f / 32768, 32767.0f / 32768}},
      {24, {0.5f, -1.0f, 32767.0f / 32768, -3.0f / 8388608, 1035631.0f / 8388608, 8388607.0f / 8388608}},
      {32, samples},  // float keeps everything, out-of-range values included
  };
  for (const Case& c : cases) {
    auto sink = std::make_unique<MemorySink>();
    MemorySink* out = sink.get();
    AudioTags tags;
    tags.Title = L"T\u00EDtulo";
    tags.Year = L"2024";
    tags.Genre = L"Jazz";
    auto encoder = CreateWavEncoder(std::move(sink), {44100, 2, c.bits}, tags);
    encoder->Write(samples.data(), 3);
    encoder->Finish();
    auto decoder = Open(out->Committed());
    EXPECT_EQ(ReadAll(*decoder), c.expected) << c.bits;
    EXPECT_EQ(decoder->Info().Tags.Title, L"T\u00EDtulo");
    EXPECT_EQ(decoder->Info().Tags.Year, L"2024");
    EXPECT_EQ(decoder->Info().Tags.Genre, L"Jazz");
    // A second generation is byte-identical to the first.
    auto again = std::make_unique<MemorySink>();
    MemorySink* second = again.get();
    auto reencoder = CreateWavEncoder(std::move(again), {44100, 2, c.bits}, tags);
    const std::vector<float> decoded = c.expected;
    reencoder->Write(decoded.data(), 3);
    reencoder->Finish();
    EXPECT_EQ(second->Committed(), out->Committed());
  }
}

}  // namespace
