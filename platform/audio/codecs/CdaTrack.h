#pragma once
// Audio CD tracks through their .cda files. A .cda file (RIFF "CDDA") names the disc by its volume
// serial number and the track by its first sector and length; the samples are read from the CD drive
// holding that disc as raw 2352-byte sectors (16-bit stereo at 44100 Hz). Drives come from a
// replaceable provider: the system's CD drives on Windows, none elsewhere or in tests that say so.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/ByteStream.h"

constexpr int kCdSectorBytes = 2352;
constexpr int kCdSectorFrames = kCdSectorBytes / 4;

// What a .cda file says.
struct CdaTrackInfo {
  int Track = 0;
  std::uint32_t VolumeSerial = 0;
  std::uint32_t FirstSector = 0;  // logical block address
  std::uint32_t Sectors = 0;
};

// One CD drive with a disc in it.
class CdAudioDrive {
 public:
  virtual ~CdAudioDrive() = default;
  virtual std::uint32_t VolumeSerial() const = 0;
  // Reads `count` raw audio sectors from `firstSector` into `out` (count x 2352 bytes); raises
  // EAudioError when the drive cannot.
  virtual void ReadSectors(std::uint32_t firstSector, std::uint32_t count, std::uint8_t* out) = 0;
};

using CdDriveProvider = std::function<std::vector<std::unique_ptr<CdAudioDrive>>()>;

// The drives of the system (Win32: every CD-ROM drive letter with a disc; elsewhere none).
std::vector<std::unique_ptr<CdAudioDrive>> SystemCdDrives();
// Test seam: replaces where the drives come from; an empty provider restores the system's.
void SetCdDriveProvider(CdDriveProvider provider);

// Raises EAudioError for a file that is not a .cda track file.
CdaTrackInfo ParseCdaFile(const ByteSource& source);
// The 44 bytes of a .cda file for the track.
AnsiString CdaFileBytes(const CdaTrackInfo& track);

bool LooksLikeCda(const ByteSource& source);
// Raises EAudioError when no drive holds the track's disc.
std::unique_ptr<AudioDecoder> OpenCdaDecoder(std::shared_ptr<ByteSource> source);
