#pragma once
// Hidden top-level windows that hand their messages to a method: the timer window, the theme state,
// the application's helpers. They are real top-level windows (not message-only), so broadcasts such
// as WM_THEMECHANGED, WM_SYSCOLORCHANGE and WM_SETTINGCHANGE reach them.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(WINDOWS);

#include "platform/framework/classes/Events.h"
#include "platform/framework/windows/Messages.h"

// Receives every message of the window; it sets Message.Result, calling DefWindowProcW itself for
// messages it does not handle (DefaultWindowMessage below does that).
using TWndMethod = TEvent<void(TMessage& Message)>;

HWND AllocateHWnd(TWndMethod method);
void DeallocateHWnd(HWND window);
// DefWindowProcW for a window made by AllocateHWnd.
void DefaultWindowMessage(HWND window, TMessage& message);
