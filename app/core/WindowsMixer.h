#pragma once
// The system's sound control panel as the mixer commands (main window, recording console) start it.

#include "platform/framework/base/Types.h"

// The system folder with its backslash, then "control.exe mmsys.cpl,,1" on Windows 6 and later,
// else "sndvol32.exe /r".
String WindowsMixerCommand(bool MajorVersionAbove5, const String& SystemFolder);

// Starts that command for this machine in a normal window through the launcher; the result is not
// checked.
void StartWindowsMixer();

// Runs a command line in a normal window. The default hands it to the system in its code page;
// tests install their own to read the command line. Returns the previous launcher.
using TCommandLauncher = void (*)(const String& CommandLine);
TCommandLauncher SetWindowsMixerLauncher(TCommandLauncher Launcher);
