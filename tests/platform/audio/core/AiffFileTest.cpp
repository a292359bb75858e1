#include "platform/audio/core/AiffFile.h"

#include <gtest/gtest.h>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/ByteStream.h"

namespace {

using Bytes = std::string;

Bytes Be16(unsigned v) { return Bytes{char((v >> 8) & 0xFF), char(v & 0xFF)}; }
Bytes Be32(unsigned v) { return Be16(v >> 16) + Be16(v & 0xFFFF); }
Bytes Chunk(const char* id, const Bytes& body) {
  Bytes c = Bytes(id, 4) + Be32(unsigned(body.size())) + body;
  if (body.size() & 1) c += '\0';
  return c;
}
// 44100 and 8000 as 80-bit extended floats.
const Bytes k44100("\x40\x0E\xAC\x44\x00\x00\x00\x00\x00\x00", 10);
const Bytes k8000("\x40\x0B\xFA\x00\x00\x00\x00\x00\x00\x00", 10);

Bytes Comm(unsigned channels, unsigned frames, unsigned bits, const Bytes& rate, const Bytes& compression = "") {
  return Chunk("COMM", Be16(channels) + Be32(frames) + Be16(bits) + rate + compression);
}
Bytes Ssnd(const Bytes& data, unsigned offset = 0) { return Chunk("SSND", Be32(offset) + Be32(0) + Bytes(offset, 'p') + data); }
Bytes Form(const char* type, const Bytes& chunks) { return "FORM" + Be32(unsigned(chunks.size() + 4)) + type + chunks; }

std::vector<float> ReadAll(AudioDecoder& decoder) {
  std::vector<float> v(static_cast<std::size_t>(decoder.Info().Frames * decoder.Info().Channels));
  decoder.Read(v.data(), decoder.Info().Frames);
  return v;
}

TEST(AiffFile, ReadsAiffAndUncompressedAifc) {
  struct Case {
    const char* name;
    Bytes file;
    std::vector<float> values;
    int rate;
  } cases[] = {
      {"aiff16", Form("AIFF", Comm(2, 1, 16, k44100) + Chunk("NAME", "Tune") + Ssnd(Be16(0x8000) + Be16(0x4000), 3)),
       {-1.0f, 0.5f}, 44100},
      {"aiff8", Form("AIFF", Comm(1, 2, 8, k8000) + Ssnd(Bytes("\x80\x40", 2))), {-1.0f, 0.5f}, 8000},
      {"aiff24", Form("AIFF", Comm(1, 1, 24, k44100) + Ssnd(Bytes("\xC0\x00\x00", 3))), {-0.5f}, 44100},
      {"sowt", Form("AIFC", Comm(1, 1, 16, k44100, Bytes("sowt\0\0", 6)) + Ssnd(Bytes("\x00\x40", 2))), {0.5f}, 44100},
      {"fl32", Form("AIFC", Comm(1, 1, 32, k44100, Bytes("fl32\0\0", 6)) + Ssnd(Bytes("\x3F\xC0\x00\x00", 4))), {1.5f}, 44100},
      {"ulaw", Form("AIFC", Comm(1, 1, 16, k8000, Bytes("ulaw\0\0", 6)) + Ssnd(Bytes("\x80", 1))), {32124.0f / 32768}, 8000},
      // COMM declares more frames than SSND holds: only the frames present.
      {"short", Form("AIFF", Comm(1, 9, 16, k44100) + Ssnd(Be16(0x2000))), {0.25f}, 44100},
  };
  for (const Case& c : cases) {
    auto decoder = OpenAiffDecoder(std::make_shared<MemorySource>(c.file));
    EXPECT_EQ(ReadAll(*decoder), c.values) << c.name;
    EXPECT_EQ(decoder->Info().SampleRate, c.rate) << c.name;
  }
}

TEST(AiffFile, RejectsCompressionItCannotRead) {
  const Bytes file = Form("AIFC", Comm(1, 1, 16, k44100, Bytes("ima4\0\0", 6)) + Ssnd(Be16(0)));
  EXPECT_THROW(OpenAiffDecoder(std::make_shared<MemorySource>(file)), EAudioError);
  EXPECT_THROW(OpenAiffDecoder(std::make_shared<MemorySource>(Form("AIFF", Ssnd(Be16(0))))), EAudioError);
}

TEST(AiffFile, WriteThenReadIsBitExact) {
  const std::vector<float> samples = {0.5f, -1.0f, 1.0f / 32768, -0.25f};
  for (int bits : {16, 24, 32}) {
    auto sink = std::make_unique<MemorySink>();
    MemorySink* out = sink.get();
    AudioTags tags;
    tags.Title = L"Name";
    auto encoder = CreateAiffEncoder(std::move(sink), {22050, 2, bits}, tags);
    encoder->Write(samples.data(), 2);
    encoder->Finish();
    auto decoder = OpenAiffDecoder(std::make_shared<MemorySource>(out->Committed()));
    EXPECT_EQ(ReadAll(*decoder), samples) << bits;
    EXPECT_EQ(decoder->Info().SampleRate, 22050);
    EXPECT_EQ(decoder->Info().Tags.Title, L"Name");
  }
}

}  // namespace
