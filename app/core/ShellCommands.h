#pragma once
// The shell's services: opening a document or web address, and the folder picker.

#include <functional>

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

// The shell's execute of a verb on a file or address, with parameters (empty = none), no working
// folder, shown normally; the answer is not examined. Replaceable so that tests see the call.
using TShellExecute =
    std::function<void(HWND owner, const String& verb, const String& file, const String& parameters)>;
// Installs the function (empty = the shell's) and returns the previous one.
TShellExecute SetShellExecute(TShellExecute function);
void ShellExecuteNormal(HWND owner, const String& verb, const String& file, const String& parameters);

// Shell-executes "open" on the file or address in a normal window, under the wait cursor; the
// result is ignored.
void OpenDocumentOrUrl(const String& target);

// The system folder picker (BIF_ flags as given; callers pass 65, file-system folders in the new
// style). The incoming folder is selected when the picker opens; the status line shows the
// selected path and OK is disabled while the selection has no file-system path. A non-empty root
// limits the picker to that folder. True with the chosen path in folder; false leaves it as it was.
// An installed dialog answerer (platform/framework/controls/Dialogs.h) answers instead of the system.
bool BrowseForFolder(HWND owner, String& folder, const String& title, UINT flags, const String& root = String());
