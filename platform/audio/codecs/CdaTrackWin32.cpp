#include "platform/audio/codecs/CdaTrack.h"

#include "platform/audio/core/AudioError.h"
#include "platform/framework/base/Win32.h"

#include <ntddcdrm.h>

namespace {

class Win32CdDrive : public CdAudioDrive {
 public:
  Win32CdDrive(HANDLE device, std::uint32_t serial, wchar_t letter) : device_(device), serial_(serial), letter_(letter) {}
  ~Win32CdDrive() override { CloseHandle(device_); }

  std::uint32_t VolumeSerial() const override { return serial_; }

  void ReadSectors(std::uint32_t firstSector, std::uint32_t count, std::uint8_t* out) override {
    RAW_READ_INFO request{};
    request.DiskOffset.QuadPart = static_cast<LONGLONG>(firstSector) * 2048;  // the request counts cooked sectors
    request.SectorCount = count;
    request.TrackMode = CDDA;
    DWORD returned = 0;
    const DWORD bytes = count * kCdSectorBytes;
    if (!DeviceIoControl(device_, IOCTL_CDROM_RAW_READ, &request, sizeof request, out, bytes, &returned, nullptr) ||
        returned != bytes)
      throw EAudioError(String(L"The CD in drive ") + letter_ + L": cannot be read at sector " +
                        std::to_wstring(firstSector) + L".");
  }

 private:
  HANDLE device_;
  std::uint32_t serial_;
  wchar_t letter_;
};

}  // namespace

std::vector<std::unique_ptr<CdAudioDrive>> SystemCdDrives() {
  std::vector<std::unique_ptr<CdAudioDrive>> drives;
  const DWORD letters = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(letters & (1u << i))) continue;
    const wchar_t letter = static_cast<wchar_t>(L'A' + i);
    const wchar_t root[] = {letter, L':', L'\\', 0};
    if (GetDriveTypeW(root) != DRIVE_CDROM) continue;
    DWORD serial = 0;
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);  // an empty drive answers without a box
    const bool hasDisc = GetVolumeInformationW(root, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0) != 0;
    SetErrorMode(oldMode);
    if (!hasDisc) continue;
    const wchar_t device[] = {L'\\', L'\\', L'.', L'\\', letter, L':', 0};
    HANDLE handle = CreateFileW(device, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    if (handle != INVALID_HANDLE_VALUE) drives.push_back(std::make_unique<Win32CdDrive>(handle, serial, letter));
  }
  return drives;
}
