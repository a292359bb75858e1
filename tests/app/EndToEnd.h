#pragma once
// What the end-to-end tests need to run the program in another process: a copy of it with a brand
// file on a first start, keys and clicks through the system's input queue (SendInput) as a user
// gives them, and waiting for what the program shows.

#include <functional>
#include <initializer_list>
#include <memory>

#include "platform/framework/base/Win32.h"
#include "tests/support/TestSupport.h"

namespace end_to_end {

// The data folder of the brand title.
String DataFolderOf(const String& title);

// A copy of the program and its welcome picture beside a brand file ("Zentavo") in a scratch folder,
// started on a first start (the brand's data folder removed).
class FirstStart {
 public:
  explicit FirstStart(const String& arguments);
  std::unique_ptr<testing_support::ChildProcess> Start();
  const testing_support::ScratchFolder& Folder() const { return folder_; }
  void SetArguments(const String& arguments) { arguments_ = arguments; }
  const String& DataFolder() const { return dataFolder_; }

 private:
  testing_support::ScratchFolder folder_;
  String exe_, arguments_, dataFolder_;
};

// The main window of the started program once its after-show step has opened the file (its caption
// begins with the path); null when that does not happen in time.
HWND WaitForDocument(const testing_support::ChildProcess& process, const String& path);
// The window's caption starts with the text within ten seconds (the document it names is open).
bool CaptionStartsWith(HWND window, const String& text);

// Polls the condition every 50 ms; false when it still fails after timeoutMs.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs);
// Asks for the window to be the foreground one until it is (keys sent earlier may reach another
// window while the activation is still on its way); false when it is not within ten seconds.
bool BringToFront(HWND window);
// Presses the key with the modifiers held, so that the program reads the modifiers' state with it.
void PressKeys(std::initializer_list<WORD> modifiers, WORD key);
// Types the digits and letters of the text, one key each.
void TypeText(const wchar_t* text);
// A left click at a point of the screen.
void ClickAt(POINT screen);

}  // namespace end_to_end
