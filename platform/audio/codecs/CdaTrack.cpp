#include "platform/audio/codecs/CdaTrack.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/audio/core/AudioError.h"

namespace {

constexpr std::uint32_t kSectorsPerRead = 20;  // 47040 bytes: within every drive's transfer limit
// 100 minutes of 75 sectors a second: no disc addresses more.
constexpr std::uint64_t kMaxDiscSectors = 100 * 60 * 75;

std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

void PutLe32(char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>(v >> (8 * i));
}

// Minutes, seconds and frames (75 a second) of a sector count, as the .cda file stores them.
void PutMsf(char* p, std::uint32_t sectors) {
  p[0] = static_cast<char>(sectors % 75);
  p[1] = static_cast<char>(sectors / 75 % 60);
  p[2] = static_cast<char>(std::min<std::uint32_t>(sectors / 75 / 60, 255));
  p[3] = 0;
}

std::mutex providerLock;
CdDriveProvider& Provider() {
  static CdDriveProvider provider;
  return provider;
}

std::vector<std::unique_ptr<CdAudioDrive>> Drives() {
  CdDriveProvider provider;
  {
    std::lock_guard<std::mutex> lock(providerLock);
    provider = Provider();
  }
  return provider ? provider() : SystemCdDrives();
}

class CdaDecoder : public AudioDecoder {
 public:
  CdaDecoder(std::unique_ptr<CdAudioDrive> drive, const CdaTrackInfo& track) : drive_(std::move(drive)), track_(track) {
    info_.Container = L"CD Audio";
    info_.Encoding = L"PCM";
    info_.SampleRate = 44100;
    info_.Channels = 2;
    info_.BitsPerSample = 16;
    info_.Frames = std::int64_t{track.Sectors} * kCdSectorFrames;
    layout_.Encoding = SampleEncoding::Pcm16;
  }

  const AudioFileInfo& Info() const override { return info_; }

  std::int64_t Read(float* out, std::int64_t frames) override {
    frames = std::min(frames, info_.Frames - position_);
    std::int64_t done = 0;
    while (done < frames) {
      if (bufferedAt_ == bufferedFrames_) Fill(position_ + done);
      const std::int64_t count = std::min(frames - done, bufferedFrames_ - bufferedAt_);
      DecodeSamples(layout_, bytes_.data() + bufferedAt_ * 4, out + done * 2, static_cast<std::size_t>(count * 2));
      bufferedAt_ += count;
      done += count;
    }
    position_ += done;
    return done;
  }

 private:
  // Reads the sectors from the one holding frame `frame` on.
  void Fill(std::int64_t frame) {
    const std::uint32_t sector = static_cast<std::uint32_t>(frame / kCdSectorFrames);
    const std::uint32_t count = std::min(kSectorsPerRead, track_.Sectors - sector);
    bytes_.resize(std::size_t{count} * kCdSectorBytes);
    drive_->ReadSectors(track_.FirstSector + sector, count, bytes_.data());
    bufferedFrames_ = std::int64_t{count} * kCdSectorFrames;
    bufferedAt_ = frame - std::int64_t{sector} * kCdSectorFrames;
  }

  std::unique_ptr<CdAudioDrive> drive_;
  CdaTrackInfo track_;
  AudioFileInfo info_;
  SampleLayout layout_;
  std::vector<std::uint8_t> bytes_;
  std::int64_t bufferedFrames_ = 0, bufferedAt_ = 0, position_ = 0;
};

}  // namespace

void SetCdDriveProvider(CdDriveProvider provider) {
  std::lock_guard<std::mutex> lock(providerLock);
  Provider() = std::move(provider);
}

bool LooksLikeCda(const ByteSource& source) {
  char head[16] = {};
  return source.ReadAt(0, head, 16) == 16 && !std::memcmp(head, "RIFF", 4) && !std::memcmp(head + 8, "CDDAfmt ", 8);
}

CdaTrackInfo ParseCdaFile(const ByteSource& source) {
  std::uint8_t bytes[44] = {};
  if (!LooksLikeCda(source) || source.ReadAt(0, bytes, sizeof bytes) != sizeof bytes || Le32(bytes + 16) < 24)
    throw EAudioError(L"The file is not a CD audio track file (.cda).");
  CdaTrackInfo track;
  track.Track = bytes[22] | (bytes[23] << 8);
  track.VolumeSerial = Le32(bytes + 24);
  track.FirstSector = Le32(bytes + 28);
  track.Sectors = Le32(bytes + 32);
  if (track.Sectors == 0) throw EAudioError(L"The CD audio track file (.cda) names an empty track.");
  if (std::uint64_t{track.FirstSector} + track.Sectors > kMaxDiscSectors)
    throw EAudioError(L"The CD audio track file (.cda) is damaged: its track lies beyond the end of any disc.");
  return track;
}

AnsiString CdaFileBytes(const CdaTrackInfo& track) {
  AnsiString bytes(44, '\0');
  std::memcpy(&bytes[0], "RIFF", 4);
  PutLe32(&bytes[4], 36);
  std::memcpy(&bytes[8], "CDDAfmt ", 8);
  PutLe32(&bytes[16], 24);
  bytes[20] = 1;  // version
  bytes[22] = static_cast<char>(track.Track);
  bytes[23] = static_cast<char>(track.Track >> 8);
  PutLe32(&bytes[24], track.VolumeSerial);
  PutLe32(&bytes[28], track.FirstSector);
  PutLe32(&bytes[32], track.Sectors);
  PutMsf(&bytes[36], track.FirstSector + 150);  // the address as played: two seconds of lead-in
  PutMsf(&bytes[40], track.Sectors);
  return bytes;
}

std::unique_ptr<AudioDecoder> OpenCdaDecoder(std::shared_ptr<ByteSource> source) {
  const CdaTrackInfo track = ParseCdaFile(*source);
  std::vector<std::unique_ptr<CdAudioDrive>> drives = Drives();
  if (drives.empty())
    throw EAudioError(L"Track " + std::to_wstring(track.Track) +
                      L" cannot be read: there is no CD drive with a disc in it.");
  for (auto& drive : drives)
    if (drive->VolumeSerial() == track.VolumeSerial) return std::make_unique<CdaDecoder>(std::move(drive), track);
  throw EAudioError(L"Track " + std::to_wstring(track.Track) +
                    L" cannot be read: no CD drive holds the disc it belongs to.");
}
