#include <gtest/gtest.h>

#include <cmath>

#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/processing/AudioFile2.h"
#include "platform/audio/processing/AudioInformation2.h"
#include "tests/platform/audio/processing/ProcessingTestUtil.h"
#include "tests/support/TestSupport.h"

using namespace processing_test;

namespace {

// The encoder program as this system names it: a build-machine path is reached through drive Z:
// when the tests run under Wine.
String EncoderPath() {
  String path;
  for (const char* c = MPC_ENCODER_PROGRAM; *c; ++c) path += static_cast<wchar_t>(*c == '/' ? '\\' : *c);
  if (!path.empty() && path[0] == L'\\') path = L"Z:" + path;
  return path;
}

}  // namespace

class MusepackRead : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetFileAttributesW(EncoderPath().c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no Musepack encoder";
    RegisterAudioCodecs(FormatRegistry::Default());
  }

  // Encodes the buffer through a WAV file into folder_'s "sine.mpc".
  void Encode(const SampleBuffer& audio, const String& options = L"") {
    TAudioFile2 writer(nullptr);
    writer.SetWaveFormat(audio.SampleRate(), audio.Channels(), 16);
    writer.CreateForWriting(folder_.File(L"sine.wav"), 0);
    writer.WriteBlock(audio);
    writer.CloseAudioFile();
    testing_support::ChildProcess encode(EncoderPath(), L"--silent --overwrite " + options + L" sine.wav sine.mpc",
                                         folder_.Path());
    ASSERT_TRUE(encode.Started());
    DWORD exitCode = 1;
    ASSERT_TRUE(encode.WaitForExit(60000, exitCode));
    ASSERT_EQ(exitCode, 0u);
  }

  testing_support::ScratchFolder folder_;
};

TEST_F(MusepackRead, EncodedSineReadsBackWithItsLengthFrequencyAndLevel) {
  const SampleBuffer sine = Sine(1000, 0.5, 3 * 44100, 44100, 2);
  ASSERT_NO_FATAL_FAILURE(Encode(sine, L"--title \"First Light\" --artist Tester --genre Jazz"));
  TAudioInformation2 information(nullptr);
  information.ReadTagsFrom(folder_.File(L"sine.mpc"));
  EXPECT_EQ(information.Tags().Title, L"First Light");
  EXPECT_EQ(information.Tags().Artist, L"Tester");
  EXPECT_EQ(information.Tags().Genre, L"Jazz");
  EXPECT_EQ(information.GetLength(), sine.Frames());

  TAudioFile2 reader(nullptr);
  reader.OpenRead(folder_.File(L"sine.mpc"), 0, 1);
  EXPECT_EQ(reader.GetSampleRate(), 44100);
  EXPECT_EQ(reader.GetChannels(), 2);
  EXPECT_EQ(reader.GetLength(), sine.Frames());
  EXPECT_GT(reader.GetBitRate(), 8000);
  SampleBuffer decoded(2, 44100, 0);
  for (SampleBuffer block = reader.ReadBlock(88200); !block.Empty(); block = reader.ReadBlock(88200))
    Append(decoded, block);
  ASSERT_EQ(decoded.Frames(), sine.Frames());
  const std::int64_t from = 4410, to = decoded.Frames() - 4410;
  EXPECT_NEAR(ZeroCrossingHz(decoded, 0, from, to), 1000, 1);
  EXPECT_NEAR(RmsDb(decoded, 1, from, to), RmsDb(sine, 1, from, to), 0.5);
}

// Cut and corrupted streams either decode or raise; none may take the reader down.
TEST_F(MusepackRead, DamagedStreamsDecodeOrRaise) {
  ASSERT_NO_FATAL_FAILURE(Encode(Sine(440, 0.5, 44100, 44100, 1)));
  const AnsiString good = testing_support::ReadFileBytes(folder_.File(L"sine.mpc"));
  ASSERT_GT(good.size(), 1000u);
  std::vector<AnsiString> damaged;
  for (std::size_t cut = 1; cut < good.size(); cut += good.size() / 40) damaged.push_back(good.substr(0, cut));
  std::uint32_t random = 99;
  for (int i = 0; i < 40; ++i) {
    AnsiString bytes = good;
    for (int flips = 0; flips < 1 + i % 8; ++flips) {
      random = random * 1664525u + 1013904223u;
      bytes[random % bytes.size()] ^= static_cast<char>(1u << (random >> 29));
    }
    damaged.push_back(std::move(bytes));
  }
  const String path = folder_.File(L"damaged.mpc");
  for (const AnsiString& bytes : damaged) {
    testing_support::WriteFileBytes(path, bytes);
    TAudioFile2 reader(nullptr);
    try {
      reader.OpenRead(path, 0, 1);
      std::int64_t frames = 0;
      for (SampleBuffer block = reader.ReadBlock(8192); !block.Empty(); block = reader.ReadBlock(8192))
        frames += block.Frames();
      EXPECT_LE(frames, reader.GetLength());
    } catch (const EAudioError&) {
    }
  }
}
