#include "tests/app/EndToEnd.h"

#include <cwctype>
#include <filesystem>
#include <vector>

#include "app/core/Paths.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/rtl/FileUtils.h"

namespace end_to_end {

String DataFolderOf(const String& title) {
  return AddTrailingBackslash(AddTrailingBackslash(ShellFolderPath(L"AppData")) + title);
}

FirstStart::FirstStart(const String& arguments) : dataFolder_(DataFolderOf(L"Zentavo")) {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(dataFolder_), ignored);
  const String folder = testing_support::ExecutableFolder();
  exe_ = folder_.File(L"AudioEditor.exe");
  EXPECT_TRUE(CopyFileW((folder + L"AudioEditor.exe").c_str(), exe_.c_str(), FALSE));
  EXPECT_TRUE(CopyFileW((folder + L"welcome.png").c_str(), folder_.File(L"welcome.png").c_str(), FALSE));
  TIniFile brand(folder_.File(L"lame.dll"));
  brand.WriteString(L"SYSTEM", L"Name", L"Zentavo");
  brand.WriteString(L"SYSTEM", L"Version", L"1.0");
  arguments_ = arguments;
}

std::unique_ptr<testing_support::ChildProcess> FirstStart::Start() {
  return std::make_unique<testing_support::ChildProcess>(exe_, arguments_, folder_.Path());
}

HWND WaitForDocument(const testing_support::ChildProcess& process, const String& path) {
  const HWND main = process.WaitForWindow(L"TMainForm", 20000);
  return main && CaptionStartsWith(main, path) ? main : nullptr;
}

bool CaptionStartsWith(HWND window, const String& text) {
  return WaitFor(
      [&] {
        wchar_t caption[1024] = {};
        GetWindowTextW(window, caption, 1024);
        return String(caption).rfind(text, 0) == 0;
      },
      10000);
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(50);
  }
  return true;
}

bool BringToFront(HWND window) {
  return WaitFor(
      [&] {
        if (GetForegroundWindow() == window) return true;
        SetForegroundWindow(window);
        return false;
      },
      10000);
}

void PressKeys(std::initializer_list<WORD> modifiers, WORD key) {
  std::vector<INPUT> inputs;
  auto add = [&inputs](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (vk == VK_HOME || vk == VK_END || vk == VK_DELETE || vk == VK_UP || vk == VK_DOWN || vk == VK_LEFT ||
        vk == VK_RIGHT)
      input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    inputs.push_back(input);
  };
  for (WORD modifier : modifiers) add(modifier, false);
  add(key, false);
  add(key, true);
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) add(*it, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(const wchar_t* text) {
  for (const wchar_t* c = text; *c; ++c) PressKeys({}, static_cast<WORD>(std::towupper(*c)));
}

void ClickAt(POINT screen) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = screen.x * 65535 / (width - 1);
    input.mi.dy = screen.y * 65535 / (height - 1);
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  SendInput(3, inputs, sizeof(INPUT));
}

}  // namespace end_to_end
