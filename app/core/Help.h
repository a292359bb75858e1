#pragma once
// Topics of the compiled HTML manual installed beside the executable ("<exe path>.chm"), shown
// by the system's HTML Help control. The control's library is loaded on the first request and
// initialized once; it then stays loaded for the whole run.

#include <functional>

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

// The executable's full path with the extension ".chm".
String HelpFilePath();
// "<help file>::/<topic in lower case>.htm".
String HelpTopicPath(const String& helpFile, const String& topic);
String HelpTopicPath(const String& topic);

// Passes the request to the HTML Help entry and returns its result, loading and initializing the
// library first when needed. Raises Exception "HHCtrl.OCX not installed!\r HTMLHELP cannot
// displayed!" when the library cannot be loaded and "Function HTMLHELP cannot loaded!" when it
// has no entry; in both cases nothing stays loaded and the next request tries again.
NativeInt ShowHtmlHelp(HWND owner, const String& path, UINT command, DWORD_PTR data);
// ShowHtmlHelp(owner, HelpTopicPath(topic), 0, 0): what every Help button does.
void ShowHelpTopic(HWND owner, const String& topic);

// How the library is found; tests replace it.
using THtmlHelpEntry = HWND(WINAPI*)(HWND owner, const wchar_t* path, UINT command, DWORD_PTR data);
struct THtmlHelpLoader {
  std::function<HMODULE(const String& path)> Load;
  std::function<THtmlHelpEntry(HMODULE module, const char* name)> Entry;
  std::function<void(HMODULE module)> Free;
};
// Installs the loader (empty members = the system's) and forgets any loaded library without
// freeing it; returns the previous loader.
THtmlHelpLoader SetHtmlHelpLoader(THtmlHelpLoader loader);
