#pragma once
// What the bar library learns about the system when it starts.

#include "platform/framework/base/Win32.h"

struct TdxBarOSFlags {
  bool Windows9x = false;
  bool Windows95 = false;
  // The menus answer the larger menu-item structure (48 bytes instead of 44).
  bool NewMenuStructure = false;
};

// The flags for a platform id (1 the 9x line, 2 the NT line) and a version.
TdxBarOSFlags BarOSFlagsFor(DWORD PlatformId, DWORD Major, DWORD Minor);
// The flags of this system, read when the library starts.
const TdxBarOSFlags& BarOSFlags();
void ReadBarOSFlags();
// The size of the menu-item structure the system menus are read with: the whole structure with the
// new menu structure, else the structure without its item bitmap.
UINT BarMenuItemInfoSize();
