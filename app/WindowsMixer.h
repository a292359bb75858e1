#pragma once
// The system's sound control panel as the mixer command starts it.

#include "platform/framework/base/Types.h"

// The system folder with its backslash, then "control.exe mmsys.cpl,,1" on Windows 6 and later,
// else "sndvol32.exe /r".
String WindowsMixerCommand(bool MajorVersionAbove5, const String& SystemFolder);

// Starts that command for this machine in a normal window; the result is not checked.
void StartWindowsMixer();
