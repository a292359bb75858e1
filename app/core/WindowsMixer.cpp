#include "app/core/WindowsMixer.h"

#include <string>

#include "app/core/Paths.h"
#include "app/core/SystemQueries.h"
#include "platform/framework/base/Win32.h"

namespace {

void LaunchCommand(const String& command) {
  // The command line goes out in the system's code page.
  const int size = WideCharToMultiByte(CP_ACP, 0, command.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return;
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, command.c_str(), -1, narrow.data(), size, nullptr, nullptr);
  WinExec(narrow.c_str(), SW_SHOWNORMAL);
}

TCommandLauncher launcher = &LaunchCommand;

}  // namespace

String WindowsMixerCommand(bool MajorVersionAbove5, const String& SystemFolder) {
  const wchar_t* command = MajorVersionAbove5 ? L"control.exe mmsys.cpl,,1" : L"sndvol32.exe /r";
  return AddTrailingBackslash(SystemFolder) + command;
}

void StartWindowsMixer() { launcher(WindowsMixerCommand(IsWindowsMajorAbove5(), SystemFolderPath())); }

TCommandLauncher SetWindowsMixerLauncher(TCommandLauncher Launcher) {
  const TCommandLauncher previous = launcher;
  launcher = Launcher ? Launcher : &LaunchCommand;
  return previous;
}
