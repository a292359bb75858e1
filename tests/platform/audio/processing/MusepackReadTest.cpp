#include <gtest/gtest.h>

#include <cmath>

#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/processing/AudioFile2.h"
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

TEST(MusepackRead, EncodedSineReadsBackWithItsLengthFrequencyAndLevel) {
  const String encoder = EncoderPath();
  if (GetFileAttributesW(encoder.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no Musepack encoder";
  RegisterAudioCodecs(FormatRegistry::Default());
  testing_support::ScratchFolder folder;
  const SampleBuffer sine = Sine(1000, 0.5, 3 * 44100, 44100, 2);
  TAudioFile2 writer(nullptr);
  writer.SetWaveFormat(44100, 2, 16);
  writer.CreateForWriting(folder.File(L"sine.wav"), 0);
  writer.WriteBlock(sine);
  writer.CloseAudioFile();

  testing_support::ChildProcess encode(encoder, L"--silent --overwrite sine.wav sine.mpc", folder.Path());
  ASSERT_TRUE(encode.Started());
  DWORD exitCode = 1;
  ASSERT_TRUE(encode.WaitForExit(60000, exitCode));
  ASSERT_EQ(exitCode, 0u);

  TAudioFile2 reader(nullptr);
  reader.OpenRead(folder.File(L"sine.mpc"), 0, 1);
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
