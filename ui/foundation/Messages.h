#pragma once
// Private window messages of the custom controls.

#include "platform/framework/base/Win32.h"

// The system's scroll-bar metrics may have changed (sent by the settings controller).
constexpr UINT CXM_SETTINGSCHANGED = 0x8065;
// The customizing form's list: refresh an entry (object in WParam, index in LParam) or all; it goes
// to another window than the one above, with the same number.
constexpr UINT DXM_REFRESHITEMS = 0x8065;
// A custom popup: close and give the focus back to the owner; show again with the remembered focus.
constexpr UINT CXM_CLOSEPOPUP = 0x807D;
constexpr UINT CXM_SHOWPOPUP = 0x807E;
// The bar library's system controller: run the framework's synchronisation queue.
constexpr UINT DXM_BAR_SYNCHRONIZE = 0x8066;
