#pragma once
// Files dropped from the shell (WM_DROPFILES) and device-change broadcasts (WM_DEVICECHANGE).

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(WINDOWS);

#include <cstddef>
#include <vector>

#include "platform/framework/windows/Messages.h"

#include <dbt.h>

// ---- Dropped files -------------------------------------------------------------------------------

struct TDroppedFiles {
  // Full paths, whatever their length.
  std::vector<String> Files;
  // The drop point in the client coordinates of the window dropped on.
  POINT Point{};
  bool InClient = false;
};

// Reads the paths and the point of a WM_DROPFILES handle, then releases the handle.
TDroppedFiles TakeDroppedFiles(HDROP Drop);

// ---- Device changes ------------------------------------------------------------------------------

static_assert(sizeof(DEV_BROADCAST_HDR) == 12);
static_assert(offsetof(DEV_BROADCAST_VOLUME, dbcv_unitmask) == 12 && offsetof(DEV_BROADCAST_VOLUME, dbcv_flags) == 16);

// The broadcast header of a WM_DEVICECHANGE whose LParam carries one, else null.
const DEV_BROADCAST_HDR* DeviceChangeHeader(const TMessage& Message);
// The volume record of a volume arrival or removal (DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE),
// else null.
const DEV_BROADCAST_VOLUME* DeviceChangeVolume(const TMessage& Message);
// The drive letters of a unit mask, "A" for bit 0.
String DriveLettersOfUnitMask(DWORD UnitMask);
// True when the volume is removable media (a disc), not a drive.
inline bool IsMediaVolume(const DEV_BROADCAST_VOLUME& Volume) { return (Volume.dbcv_flags & DBTF_MEDIA) != 0; }
