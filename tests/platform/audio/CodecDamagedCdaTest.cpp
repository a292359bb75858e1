// Damaged .cda track files, read through a drive holding a short disc: every cut or corruption either
// opens a track on the disc or raises, and no track may reach past what a CD can address.
#include <gtest/gtest.h>

#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/codecs/CdaTrack.h"
#include "platform/audio/core/FormatRegistry.h"
#include "tests/platform/audio/CodecDamagedSweep.h"

namespace {

constexpr std::uint32_t kSerial = 0x1234ABCD;
constexpr std::uint32_t kDiscSectors = 64;
constexpr std::int64_t kLongestCdFrames = std::int64_t{100} * 60 * 75 * kCdSectorFrames;

// A disc of kDiscSectors sectors; like a real drive it refuses sectors past the disc's end.
class ShortDisc : public CdAudioDrive {
 public:
  std::uint32_t VolumeSerial() const override { return kSerial; }
  void ReadSectors(std::uint32_t firstSector, std::uint32_t count, std::uint8_t* out) override {
    if (std::uint64_t{firstSector} + count > kDiscSectors) throw EAudioError(L"The drive cannot read the sector.");
    for (std::uint32_t i = 0; i < count * kCdSectorBytes; ++i) out[i] = static_cast<std::uint8_t>(firstSector + i);
  }
};

class CodecDamagedCda : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCdDriveProvider([] {
      std::vector<std::unique_ptr<CdAudioDrive>> drives;
      drives.push_back(std::make_unique<ShortDisc>());
      return drives;
    });
  }
  void TearDown() override { SetCdDriveProvider(nullptr); }

  static std::unique_ptr<AudioDecoder> Open(const AnsiString& bytes) {
    static const FormatRegistry registry = [] {
      FormatRegistry r = FormatRegistry::Default();
      RegisterAudioCodecs(r);
      return r;
    }();
    return registry.OpenDecoder(std::make_shared<MemorySource>(bytes), L"D:\\Track03.cda");
  }
};

}  // namespace

// A CD holds at most 100 minutes of 75 sectors a second; a track file naming sectors past that is
// damaged (and the sector number would wrap around to the start of the disc).
TEST_F(CodecDamagedCda, TracksPastTheLongestDiscRaise) {
  const struct {
    std::uint32_t FirstSector, Sectors;
  } cases[] = {{0, 0xFFFFFFFFu}, {0xFFFFFF00u, 0x200}, {449990, 20}, {0, 450001}};
  for (const auto& c : cases)
    EXPECT_THROW(Open(CdaFileBytes({3, kSerial, c.FirstSector, c.Sectors})), EAudioError)
        << c.FirstSector << " + " << c.Sectors;
  EXPECT_EQ(Open(CdaFileBytes({3, kSerial, 449000, 1000}))->Info().Frames, 1000 * kCdSectorFrames);
}

TEST_F(CodecDamagedCda, CutAndCorruptedTrackFilesDecodeOrRaise) {
  // The track file is all header: every byte of it is a target.
  const damaged_sweep::Limits limits{0, kLongestCdFrames, 44, 0};
  damaged_sweep::Sweep(CdaFileBytes({3, kSerial, 10, 40}), Open, limits, 80000);
}
