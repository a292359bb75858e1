// WAV and AIFF files past 4 GB: the readers follow their chunks there with 64-bit offsets, and the
// writers stop where the formats' 32-bit size fields end.

#include <gtest/gtest.h>

#include <functional>

#include "platform/audio/core/AiffFile.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/WavFile.h"
#include "tests/platform/audio/CodecLargeSource.h"

namespace {

using codec_test::SparseSource;

AnsiString Le32(std::uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
AnsiString Be32(std::uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }
AnsiString Be16(std::uint32_t v) { return {char(v >> 8), char(v)}; }

// Two chunks the readers skip, of 4 GB and 2 GB, put the sound chunk where the low 32 bits of its
// offset read as a negative number.
constexpr std::uint32_t kFirstSkip = 0xFFFFFFF0u, kSecondSkip = 0x80000000u;

struct LargeFile {
  std::int64_t Size;
  std::vector<std::pair<std::int64_t, AnsiString>> Pieces;
};

// head, the skipped chunks' headers and tail laid out one after another.
LargeFile Lay(const AnsiString& head, const std::function<AnsiString(std::uint32_t)>& skipHeader,
              const AnsiString& tail) {
  LargeFile file;
  const std::int64_t second = static_cast<std::int64_t>(head.size()) + 8 + kFirstSkip;
  const std::int64_t sound = second + 8 + kSecondSkip;
  file.Pieces = {{0, head + skipHeader(kFirstSkip)}, {second, skipHeader(kSecondSkip)}, {sound, tail}};
  file.Size = sound + static_cast<std::int64_t>(tail.size());
  EXPECT_GE(static_cast<std::uint32_t>(sound), 0x80000000u);
  return file;
}

// 16-bit stereo, one frame: 0.5 left, -0.25 right.
LargeFile Wav() {
  const AnsiString fmt = AnsiString("fmt ") + Le32(16) + AnsiString("\x01\x00\x02\x00", 4) + Le32(44100) +
                         Le32(44100 * 4) + AnsiString("\x04\x00\x10\x00", 4);
  const AnsiString data = AnsiString("data") + Le32(4) + AnsiString("\x00\x40\x00\xE0", 4);
  const AnsiString title = AnsiString("INAM") + Le32(4) + AnsiString("Far\0", 4);
  const AnsiString list = AnsiString("LIST") + Le32(4 + static_cast<std::uint32_t>(title.size())) + "INFO" + title;
  return Lay(AnsiString("RIFF") + Le32(0xFFFFFFFFu) + "WAVE" + fmt,
             [](std::uint32_t size) { return AnsiString("JUNK") + Le32(size); }, data + list);
}

LargeFile Aiff() {
  const AnsiString rate("\x40\x0E\xAC\x44\x00\x00\x00\x00\x00\x00", 10);
  const AnsiString comm = AnsiString("COMM") + Be32(18) + Be16(2) + Be32(1) + Be16(16) + rate;
  const AnsiString ssnd = AnsiString("SSND") + Be32(12) + Be32(0) + Be32(0) + AnsiString("\x40\x00\xE0\x00", 4);
  const AnsiString name = AnsiString("NAME") + Be32(4) + AnsiString("Far\0", 4);
  return Lay(AnsiString("FORM") + Be32(0xFFFFFFFFu) + "AIFF" + comm,
             [](std::uint32_t size) { return AnsiString("APPL") + Be32(size); }, ssnd + name);
}

TEST(LargeFiles, ReadersFindTheSoundAndTagsPastFourGigabytes) {
  struct Case {
    const char* Name;
    LargeFile File;
    std::function<std::unique_ptr<AudioDecoder>(std::shared_ptr<ByteSource>)> Open;
  };
  const Case cases[] = {{"WAV", Wav(), OpenWavDecoder}, {"AIFF", Aiff(), OpenAiffDecoder}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const auto decoder = c.Open(std::make_shared<SparseSource>(c.File.Size, c.File.Pieces));
    ASSERT_EQ(decoder->Info().Frames, 1);
    EXPECT_EQ(decoder->Info().Tags.Title, L"Far");
    float frame[2] = {};
    ASSERT_EQ(decoder->Read(frame, 1), 1);
    EXPECT_EQ(frame[0], 0.5f);
    EXPECT_EQ(frame[1], -0.25f);
  }
}

// Counts what it is given after a start offset, as if that much had been written already.
class FarSink : public ByteSink {
 public:
  explicit FarSink(std::int64_t start) : position_(start) {}
  void Write(const void*, std::size_t count) override { position_ += static_cast<std::int64_t>(count); }
  void WriteAt(std::int64_t, const void*, std::size_t) override {}
  std::int64_t Position() const override { return position_; }
  void Commit() override {}

 private:
  std::int64_t position_;
};

TEST(LargeFiles, WritersStopWhereTheSizeFieldsEnd) {
  struct Case {
    const char* Name;
    decltype(&CreateWavEncoder) Create;
    const wchar_t* Message;
  } cases[] = {
      {"WAV", CreateWavEncoder, L"The audio is too long for a WAV file (4 GB at most)."},
      {"AIFF", CreateAiffEncoder, L"The audio is too long for an AIFF file (4 GB at most)."},
  };
  const std::vector<float> samples(2 * 100, 0.25f);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    // 100 stereo 16-bit frames (400 bytes) still fit after the header; the next 100 would not.
    auto sink = std::make_unique<FarSink>(0xFFFFFFFFll - 700);
    FarSink* far = sink.get();
    const auto encoder = c.Create(std::move(sink), {44100, 2, 16}, {});
    encoder->Write(samples.data(), 100);
    const std::int64_t written = far->Position();
    try {
      encoder->Write(samples.data(), 100);
      ADD_FAILURE() << "no error";
    } catch (const EAudioError& e) {
      EXPECT_EQ(e.Message(), c.Message);
    }
    EXPECT_EQ(far->Position(), written);
  }
}

}  // namespace
