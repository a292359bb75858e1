#include "ui/bars/BarUnit.h"

#include <cstddef>

#include "platform/framework/base/Win32.h"

// The menu-item structure with and without its last member (the item bitmap): 48 and 44 bytes in a
// 32-bit program.
static_assert(sizeof(void*) != 4 || (sizeof(MENUITEMINFOW) == 48 && offsetof(MENUITEMINFOW, hbmpItem) == 44),
              "the 32-bit menu-item structure");

namespace {
TdxBarOSFlags g_flags;
}

TdxBarOSFlags BarOSFlagsFor(DWORD PlatformId, DWORD Major, DWORD Minor) {
  TdxBarOSFlags flags;
  flags.Windows9x = PlatformId == VER_PLATFORM_WIN32_WINDOWS;
  flags.Windows95 = flags.Windows9x && Minor == 0;
  // Every NT release from 5 on has the larger structure, not only release 5 itself.
  flags.NewMenuStructure = (flags.Windows9x && Minor != 0) || (PlatformId == VER_PLATFORM_WIN32_NT && Major >= 5);
  return flags;
}

const TdxBarOSFlags& BarOSFlags() { return g_flags; }

void ReadBarOSFlags() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return;
#pragma GCC diagnostic pop
  g_flags = BarOSFlagsFor(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

UINT BarMenuItemInfoSize() {
  return BarOSFlags().NewMenuStructure ? UINT(sizeof(MENUITEMINFOW)) : UINT(offsetof(MENUITEMINFOW, hbmpItem));
}
