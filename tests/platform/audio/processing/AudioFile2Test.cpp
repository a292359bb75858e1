#include "platform/audio/processing/AudioFile2.h"

#include <gtest/gtest.h>

#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/WavFile.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/processing/AudioTransform2.h"
#include "tests/platform/audio/processing/ProcessingTestUtil.h"
#include "tests/support/TestSupport.h"

using namespace processing_test;
using testing_support::ReadFileBytes;
using testing_support::ScratchFolder;
using testing_support::WriteFileBytes;

namespace {

// A decoder that delivers `good` frames and then fails, as a file damaged past that point would.
class FailingDecoder : public AudioDecoder {
 public:
  explicit FailingDecoder(std::int64_t good) : good_(good) {
    info_.Container = L"Damaged";
    info_.SampleRate = 8000;
    info_.Channels = 1;
    info_.Frames = 2 * good;
  }
  const AudioFileInfo& Info() const override { return info_; }
  std::int64_t Read(float* out, std::int64_t frames) override {
    if (position_ >= good_) throw EAudioError(L"frame 17 is damaged.");
    const std::int64_t count = std::min(frames, good_ - position_);
    std::fill(out, out + count, 0.25f);
    position_ += count;
    return count;
  }

 private:
  AudioFileInfo info_;
  std::int64_t good_, position_ = 0;
};

class AudioFile2Test : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterAudioCodecs(FormatRegistry::Default());
    FormatRegistry::Default().Register({0, L"Damaged after 300 frames", {L".damaged"}, nullptr,
                                        [](std::shared_ptr<ByteSource>) { return std::make_unique<FailingDecoder>(300); },
                                        nullptr});
    FormatRegistry::Default().Register({0, L"Damaged from the start", {L".broken"}, nullptr,
                                        [](std::shared_ptr<ByteSource>) { return std::make_unique<FailingDecoder>(0); },
                                        nullptr});
  }

  // Writes the buffer in blocks of `blockFrames` frames as a WAV file of the given format.
  void WriteWav(const String& path, const SampleBuffer& audio, int rate, int channels, int bits,
                std::int64_t blockFrames) {
    TAudioFile2 writer(nullptr);
    writer.SetWaveFormat(rate, channels, bits);
    writer.SetInputFormat(audio.SampleRate(), audio.Channels());
    writer.CreateForWriting(path, 0);
    for (std::int64_t at = 0; at < audio.Frames(); at += blockFrames) writer.WriteBlock(Slice(audio, at, blockFrames));
    writer.CloseAudioFile();
  }

  // Every frame of a file, read in blocks of `blockValues` values.
  SampleBuffer ReadAll(const String& path, std::int64_t blockValues = 1 << 16) {
    TAudioFile2 reader(nullptr);
    reader.OpenRead(path, 0, 1);
    SampleBuffer all(reader.GetFormatChannels(), reader.GetFormatSampleRate(), 0);
    for (SampleBuffer block = reader.ReadBlock(blockValues); block.UpperBound() >= 0;
         block = reader.ReadBlock(blockValues))
      Append(all, block);
    return all;
  }

  ScratchFolder folder_;
};

}  // namespace

TEST_F(AudioFile2Test, ReadBlockCountsValuesRoundedDownToFrames) {
  const String path = folder_.File(L"stereo.wav");
  const SampleBuffer source = Noise(0.5, 1000, 44100, 2);
  WriteWav(path, source, 44100, 2, 16, 1000);

  TAudioFile2 reader(nullptr);
  reader.OpenRead(path, 0, 1);
  EXPECT_EQ(reader.GetLength(), 1000);
  EXPECT_EQ(reader.GetChannels(), 2);
  EXPECT_EQ(reader.GetSampleRate(), 44100);
  EXPECT_EQ(reader.GetBitRate(), 44100 * 2 * 16);
  const SampleBuffer first = reader.ReadBlock(301);
  ASSERT_EQ(first.Frames(), 150);
  EXPECT_NEAR(first.Frame(149)[1], source.Frame(149)[1], 1.0 / 32768);
  const SampleBuffer rest = reader.ReadBlock(88200);
  ASSERT_EQ(rest.Frames(), 850);
  EXPECT_NEAR(rest.Frame(0)[0], source.Frame(150)[0], 1.0 / 32768);
  EXPECT_EQ(reader.ReadBlock(88200).UpperBound(), -1);
}

TEST_F(AudioFile2Test, OpeningRaisesForBadArgumentsAndDamagedFiles) {
  const String path = folder_.File(L"mono.wav");
  WriteWav(path, Noise(0.5, 100, 8000, 1), 8000, 1, 16, 100);
  TAudioFile2 reader(nullptr);
  EXPECT_THROW(reader.OpenRead(path, 5, 1), EAudioError);
  EXPECT_THROW(reader.OpenRead(path, 0, 0), EAudioError);

  const String damaged = folder_.File(L"damaged.mp3");
  WriteFileBytes(damaged, AnsiString(5000, '\x55'));
  try {
    reader.OpenRead(damaged, 0, 1);
    FAIL() << "a file of garbage opened";
  } catch (const EAudioError& error) {
    EXPECT_NE(error.Message().find(damaged), String::npos) << error.Message();
  }
  reader.SetOption(-1);  // skipping damaged frames does not make garbage readable
  EXPECT_THROW(reader.OpenRead(damaged, 0, 1), EAudioError);
}

// A mono source's chunks reach the writer as stereo once effects ran on them; the mono file must
// still hold the source's frames.
TEST_F(AudioFile2Test, BlocksAreConvertedToTheSettledChannels) {
  const SampleBuffer mono = Sine(440, 0.5, 2 * 8000, 8000, 1);
  TAudioTransform2 transform(nullptr);
  const String path = folder_.File(L"mono-out.wav");
  TAudioFile2 writer(nullptr);
  writer.SetWaveFormat(8000, 1, 32);
  writer.SetInputFormat(8000, 1);
  writer.CreateForWriting(path, 0);
  writer.WriteBlock(transform.MonoToStereo(Slice(mono, 0, 8000)));
  writer.WriteBlock(Slice(mono, 8000, 8000));
  writer.CloseAudioFile();

  const SampleBuffer written = ReadAll(path);
  ASSERT_EQ(written.Channels(), 1);
  EXPECT_EQ(MaxDifference(written, mono), 0.0);
}

TEST_F(AudioFile2Test, RateConversionCarriesOverFromBlockToBlock) {
  const SampleBuffer source = Sine(1000, 0.5, 3 * 44100 + 77, 44100, 2);
  const String whole = folder_.File(L"whole.wav"), blocks = folder_.File(L"blocks.wav");
  WriteWav(whole, source, 22050, 2, 32, source.Frames());
  WriteWav(blocks, source, 22050, 2, 32, 44100);
  const SampleBuffer a = ReadAll(whole), b = ReadAll(blocks);
  EXPECT_NEAR(static_cast<double>(a.Frames()), source.Frames() / 2.0, 1.0);
  EXPECT_LT(MaxDifference(a, b), 1e-5);
  EXPECT_NEAR(ZeroCrossingHz(b, 0, 1000, b.Frames() - 1000), 1000, 1);
}

TEST_F(AudioFile2Test, SettledFormatIsWhatTheEncoderWrites) {
  struct Case {
    const char* Name;
    std::function<void(TAudioFile2&)> Set;
    int Rate, Channels;
  };
  const Case cases[] = {
      {"WAV", [](TAudioFile2& f) { f.SetWaveFormat(96000, 1, 24); }, 96000, 1},
      {"MP3 at 96000 Hz", [](TAudioFile2& f) { f.SetMp3Format(96000, 128, 2); }, 48000, 2},
      {"MP3 preset 1", [](TAudioFile2& f) {
         TAudioFile2LameEnc encoder;
         encoder.SetPreset(1);
         f.SetMp3Encoder(encoder);
       }, 8000, 1},
      {"OGG", [](TAudioFile2& f) { f.SetOggFormat(22050, 1, 64, 0, 0, -1); }, 22050, 1},
      {"WMA profile 36", [](TAudioFile2& f) { f.SetWmaProfile(36); }, 8000, 1},
  };
  for (const Case& c : cases) {
    TAudioFile2 writer(nullptr);
    writer.SetInputFormat(44100, 2);
    c.Set(writer);
    EXPECT_EQ(writer.GetFormatSampleRate(), c.Rate) << c.Name;
    EXPECT_EQ(writer.GetFormatChannels(), c.Channels) << c.Name;
  }
  TAudioFile2 writer(nullptr);
  EXPECT_TRUE(writer.CanMp3(44100, 128, 2));
  EXPECT_FALSE(writer.CanMp3(96000, 128, 2));
  EXPECT_TRUE(writer.CanOgg(44100, 2, 128, 0, 0));
  EXPECT_THROW(writer.SetWmaProfile(7), EAudioError);
  EXPECT_THROW(writer.SetWaveFormat(44100, 2, 12), EAudioError);
}

// A format the encoder refuses fails the file's creation (which the batch converter reports for that
// file) and leaves nothing behind.
TEST_F(AudioFile2Test, RefusedFormatsFailCreation) {
  TAudioFile2 writer(nullptr);
  ASSERT_FALSE(writer.CanOgg(8000, 2, 320, 0, 0));
  writer.SetOggFormat(8000, 2, 320, 0, 0, -1);
  const String path = folder_.File(L"refused.ogg");
  try {
    writer.CreateForWriting(path, 0);
    FAIL() << "the encoder took a format it cannot write";
  } catch (const EAudioError& error) {
    EXPECT_NE(error.Message().find(path), String::npos);
  }
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_THROW(writer.WriteBlock(Noise(0.1, 100, 8000, 2)), EAudioError);
}

TEST_F(AudioFile2Test, RecordingKeepsAValidHeaderAfterEveryBlock) {
  const String path = folder_.File(L"Recording.wav");
  TAudioFile2 writer(nullptr);
  writer.SetWaveFormat(22050, 1, 16);
  writer.CreateForWriting(path, 1);
  EXPECT_EQ(writer.GetFormatSampleRate(), 22050);
  const SampleBuffer block = Sine(440, 0.5, 1000, 22050, 1);
  for (int written = 1; written <= 2; ++written) {
    writer.WriteBlock(block);
    // What a crash would leave: the file as it is on disk now.
    const AnsiString bytes = ReadFileBytes(path);
    auto decoder = OpenWavDecoder(std::make_shared<MemorySource>(bytes));
    EXPECT_EQ(decoder->Info().Frames, 1000 * written);
  }
  writer.CloseAudioFile();
  EXPECT_EQ(ReadAll(path).Frames(), 2000);
}

TEST_F(AudioFile2Test, CompressedOutputAndItsAverageBitRate) {
  const String path = folder_.File(L"out.mp3");
  const SampleBuffer mono = Noise(0.3, 5 * 44100, 44100, 1);
  TAudioFile2 writer(nullptr);
  writer.SetMp3Format(44100, 128, 2);
  writer.SetInputFormat(44100, 1);
  writer.CreateForWriting(path, 0);
  for (std::int64_t at = 0; at < mono.Frames(); at += 44100) writer.WriteBlock(Slice(mono, at, 44100));
  writer.CloseAudioFile();

  TAudioFile2 reader(nullptr);
  reader.OpenRead(path, 0, 1);
  EXPECT_EQ(reader.GetChannels(), 2);
  EXPECT_EQ(reader.GetLength(), mono.Frames());
  EXPECT_NEAR(static_cast<double>(reader.GetBitRate()), 128000, 128000 * 0.05);
}

TEST_F(AudioFile2Test, SkippingDamagedFramesEndsAtTheLastGoodOne) {
  const String path = folder_.File(L"cut.damaged");
  WriteFileBytes(path, AnsiString(100, 'x'));
  TAudioFile2 strict(nullptr);
  strict.OpenRead(path, 0, 1);
  try {
    strict.ReadBlock(1000);
    FAIL() << "the damage went unnoticed";
  } catch (const EAudioError& error) {
    EXPECT_NE(error.Message().find(path), String::npos);
    EXPECT_NE(error.Message().find(L"frame 17 is damaged."), String::npos);
  }

  TAudioFile2 tolerant(nullptr);
  tolerant.SetOption(-1);
  tolerant.OpenRead(path, 0, 1);
  EXPECT_EQ(tolerant.ReadBlock(200).Frames(), 200);
  EXPECT_EQ(tolerant.ReadBlock(200).Frames(), 100);
  EXPECT_EQ(tolerant.ReadBlock(200).UpperBound(), -1);
}

TEST_F(AudioFile2Test, SkippingDamagedFramesStillRaisesWhenNothingDecodes) {
  const String path = folder_.File(L"ruined.broken");
  WriteFileBytes(path, AnsiString(100, 'x'));
  TAudioFile2 tolerant(nullptr);
  tolerant.SetOption(-1);
  tolerant.OpenRead(path, 0, 1);
  try {
    tolerant.ReadBlock(200);
    FAIL() << "a file of which nothing decodes read as empty";
  } catch (const EAudioError& error) {
    EXPECT_NE(error.Message().find(path), String::npos) << error.Message();
    EXPECT_NE(error.Message().find(L"frame 17 is damaged."), String::npos) << error.Message();
  }
}

TEST_F(AudioFile2Test, CallsAreLogged) {
  AudioCallLog::Enable(true);
  AudioCallLog::Clear();
  TAudioFile2 file(nullptr);
  file.SetWaveFormat(22050, 1, 16);
  file.CanMp3(44100, 128, 2);
  TAudioTransform2 transform(nullptr);
  SampleBuffer buffer(2, 44100, 2);
  transform.Amplify(buffer, 150.5f);
  const std::vector<String> lines = AudioCallLog::Lines();
  AudioCallLog::Enable(false);
  EXPECT_EQ(lines, (std::vector<String>{L"TAudioFile2.SetWaveFormat(22050, 1, 16)", L"TAudioFile2.CanMp3(44100, 128, 2)",
                                        L"TAudioTransform2.Amplify(4, 150.5)"}));
}
