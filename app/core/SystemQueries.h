#pragma once
// Drives and the Windows version: free space, the fixed drive with the most of it, CD-ROM drives.

#include <span>

#include "platform/framework/base/Types.h"

// Bytes available to the caller on the drive's root divided by 2^30; -1 when the query fails.
float DiskFreeGigabytes(wchar_t driveLetter);

// One drive as DriveWithMostFreeSpace sees it.
struct TDriveSpace {
  wchar_t Letter;         // upper case
  unsigned DriveType;     // DRIVE_FIXED, DRIVE_CDROM, ...
  float FreeGigabytes;    // -1 when unknown
};

// The fixed drive with the most free space among drives listed in alphabetical order; the first
// wins a tie. With no fixed drive, the fallback letter.
wchar_t ChooseDriveWithMostFreeSpace(std::span<const TDriveSpace> drives, wchar_t fallback);

// Upper-case letter of this machine's fixed drive with the most free space; with none, the drive
// of the Windows folder.
wchar_t DriveWithMostFreeSpace();

// Drives C: to Z: that exist and report the CD-ROM type.
int CountCdromDrives();

// The Windows major version is above 5.
bool IsWindowsMajorAbove5();
