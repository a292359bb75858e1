#include <gtest/gtest.h>

#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/codecs/WmaFile.h"
#include "platform/audio/core/AudioError.h"
#include "tests/platform/audio/CodecLargeSource.h"

namespace {

// The header object's identifier, then nothing a decoder could use.
AnsiString AsfStart() {
  return AnsiString("\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C", 16) + AnsiString(200, '\0');
}

String MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EAudioError& e) {
    return e.Message();
  }
  return L"no error";
}

// Neither Wine nor a native build has the Windows Media Audio components: both directions say so.
TEST(Wma, MissingComponentsAreNamed) {
  FormatRegistry registry = FormatRegistry::Default();
  RegisterAudioCodecs(registry);
  EXPECT_EQ(MessageOf([&] { registry.OpenDecoder(std::make_shared<MemorySource>(AsfStart()), L"song.wma"); }),
            kWmaDecoderMissing);
  EXPECT_EQ(MessageOf([&] { registry.CreateEncoder(kFileTypeWma, std::make_unique<MemorySink>(), {}, {}); }),
            kWmaEncoderMissing);
}

#ifdef _WIN32
// The decoder hands the whole file to the system in memory; a file too large for that is refused
// before anything is read.
TEST(Wma, FilesTooLargeForMemoryAreRefused) {
  const auto source = std::make_shared<codec_test::SplicedSource>(AsfStart(), AnsiString(), codec_test::kOverFourGigabytes);
  EXPECT_EQ(MessageOf([&] { OpenWmaDecoder(source); }), L"Windows Media Audio: the file is too large to be read.");
}
#endif

TEST(Wma, ProfilesMatchTheirPresets) {
  struct Case {
    int Number, Rate, Channels, Kbps;
  } const cases[] = {{36, 8000, 1, 8},    {23, 22050, 2, 32},  {16, 44100, 1, 48}, {13, 44100, 2, 64},
                     {11, 44100, 2, 96},  {10, 44100, 2, 128}, {8, 44100, 2, 192}};
  for (const Case& c : cases) {
    const WmaProfile* p = FindWmaProfile(c.Number);
    ASSERT_NE(p, nullptr) << c.Number;
    EXPECT_EQ(p->SampleRate, c.Rate);
    EXPECT_EQ(p->Channels, c.Channels);
    EXPECT_EQ(p->Kbps, c.Kbps);
  }
  EXPECT_EQ(FindWmaProfile(12), nullptr);
  EXPECT_EQ(MessageOf([] { CreateWmaEncoder(std::make_unique<MemorySink>(), {}, 12); }), L"Unknown WMA profile 12.");
}

}  // namespace
