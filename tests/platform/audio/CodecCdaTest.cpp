#include <gtest/gtest.h>

#include <cmath>

#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/codecs/CdaTrack.h"
#include "platform/audio/core/AudioError.h"
#include "tests/platform/audio/CodecTestSignals.h"

using namespace codec_test;

namespace {

// A disc in a drive: sector s holds, in every 16-bit sample of both channels, the value s * 10 + the
// frame's place in the sector, so any mix-up of sectors or frames shows.
class FakeDrive : public CdAudioDrive {
 public:
  FakeDrive(std::uint32_t serial, std::vector<std::uint32_t>* reads) : serial_(serial), reads_(reads) {}
  std::uint32_t VolumeSerial() const override { return serial_; }
  void ReadSectors(std::uint32_t firstSector, std::uint32_t count, std::uint8_t* out) override {
    if (reads_) reads_->push_back(count);
    for (std::uint32_t s = 0; s < count; ++s)
      for (int frame = 0; frame < kCdSectorFrames; ++frame)
        for (int channel = 0; channel < 2; ++channel) {
          const int value = static_cast<int>((firstSector + s) * 10 + frame) % 30000 * (channel ? -1 : 1);
          std::uint8_t* sample = out + s * kCdSectorBytes + frame * 4 + channel * 2;
          sample[0] = static_cast<std::uint8_t>(value);
          sample[1] = static_cast<std::uint8_t>(value >> 8);
        }
  }

 private:
  std::uint32_t serial_;
  std::vector<std::uint32_t>* reads_;
};

class CdaTrackTest : public ::testing::Test {
 protected:
  void TearDown() override { SetCdDriveProvider(nullptr); }

  static std::unique_ptr<AudioDecoder> Open(const AnsiString& bytes) {
    FormatRegistry registry = FormatRegistry::Default();
    RegisterAudioCodecs(registry);
    return registry.OpenDecoder(std::make_shared<MemorySource>(bytes), L"D:\\Track02.cda");
  }

  static void UseDrives(std::vector<std::uint32_t> serials, std::vector<std::uint32_t>* reads = nullptr) {
    SetCdDriveProvider([serials, reads] {
      std::vector<std::unique_ptr<CdAudioDrive>> drives;
      for (std::uint32_t serial : serials) drives.push_back(std::make_unique<FakeDrive>(serial, reads));
      return drives;
    });
  }

  CdaTrackInfo track_{2, 0x1234ABCD, 17000, 45};
};

}  // namespace

TEST_F(CdaTrackTest, ReadsTheTrackFromTheDriveHoldingItsDisc) {
  std::vector<std::uint32_t> reads;
  UseDrives({0x0BADF00D, track_.VolumeSerial}, &reads);
  const auto decoder = Open(CdaFileBytes(track_));
  const AudioFileInfo& info = decoder->Info();
  EXPECT_EQ(info.SampleRate, 44100);
  EXPECT_EQ(info.Channels, 2);
  EXPECT_EQ(info.Frames, 45 * kCdSectorFrames);
  const std::vector<float> samples = ReadAll(*decoder);
  ASSERT_EQ(samples.size(), static_cast<std::size_t>(info.Frames * 2));
  for (std::uint32_t sector : {0u, 19u, 20u, 44u})
    for (int frame : {0, 587}) {
      const std::size_t at = (sector * kCdSectorFrames + frame) * 2;
      const int expected = static_cast<int>((track_.FirstSector + sector) * 10 + frame) % 30000;
      EXPECT_EQ(std::lround(samples[at] * 32768), expected) << sector << " " << frame;
      EXPECT_EQ(std::lround(samples[at + 1] * 32768), -expected);
    }
  // Sectors come in reads of at most 20, the rest of the track last.
  EXPECT_EQ(reads, (std::vector<std::uint32_t>{20, 20, 5}));
}

TEST_F(CdaTrackTest, WithoutTheDiscItRaisesAClearError) {
  const struct {
    std::vector<std::uint32_t> Serials;
    const wchar_t* Words;
  } cases[] = {{{}, L"no CD drive"}, {{0x0BADF00D}, L"no CD drive holds the disc"}};
  for (const auto& c : cases) {
    UseDrives(c.Serials);
    try {
      Open(CdaFileBytes(track_));
      ADD_FAILURE() << "opened without the disc";
    } catch (const EAudioError& error) {
      EXPECT_NE(error.Message().find(c.Words), String::npos);
      EXPECT_NE(error.Message().find(L"Track 2"), String::npos);
    }
  }
}

TEST_F(CdaTrackTest, DamagedTrackFilesRaise) {
  UseDrives({track_.VolumeSerial});
  AnsiString bytes = CdaFileBytes(track_);
  const CdaTrackInfo parsed = ParseCdaFile(MemorySource(bytes));
  EXPECT_EQ(parsed.FirstSector, track_.FirstSector);
  EXPECT_EQ(parsed.Sectors, track_.Sectors);
  EXPECT_THROW(Open(bytes.substr(0, 30)), EAudioError);
  CdaTrackInfo empty = track_;
  empty.Sectors = 0;
  EXPECT_THROW(Open(CdaFileBytes(empty)), EAudioError);
}
