#include "app/core/SystemQueries.h"

#include <cwctype>
#include <vector>

#include "platform/framework/base/Win32.h"
#include "platform/framework/rtl/Seams.h"

namespace {

String DriveRoot(wchar_t letter) { return String(1, letter) + L":\\"; }

}  // namespace

float DiskFreeGigabytes(wchar_t driveLetter) {
  ULARGE_INTEGER available{};
  if (!GetDiskFreeSpaceExW(DriveRoot(driveLetter).c_str(), &available, nullptr, nullptr)) return -1.0f;
  return static_cast<float>(static_cast<double>(available.QuadPart) / 1073741824.0);
}

wchar_t ChooseDriveWithMostFreeSpace(std::span<const TDriveSpace> drives, wchar_t fallback) {
  const TDriveSpace* best = nullptr;
  for (const TDriveSpace& drive : drives) {
    if (drive.DriveType != DRIVE_FIXED) continue;
    if (!best || drive.FreeGigabytes > best->FreeGigabytes) best = &drive;
  }
  return best ? best->Letter : fallback;
}

wchar_t DriveWithMostFreeSpace() {
  std::vector<TDriveSpace> drives;
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    const wchar_t letter = static_cast<wchar_t>(L'A' + i);
    const UINT type = GetDriveTypeW(DriveRoot(letter).c_str());
    drives.push_back({letter, type, type == DRIVE_FIXED ? DiskFreeGigabytes(letter) : -1.0f});
  }
  wchar_t windows[MAX_PATH] = {};
  const wchar_t fallback = GetWindowsDirectoryW(windows, MAX_PATH) ? static_cast<wchar_t>(std::towupper(windows[0]))
                                                                    : L'C';
  return ChooseDriveWithMostFreeSpace(drives, fallback);
}

int CountCdromDrives() {
  const DWORD mask = GetLogicalDrives();
  int count = 0;
  for (int i = 2; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    if (GetDriveTypeW(DriveRoot(static_cast<wchar_t>(L'A' + i)).c_str()) == DRIVE_CDROM) ++count;
  }
  return count;
}

bool IsWindowsMajorAbove5() { return OSVersion().Major > 5; }
