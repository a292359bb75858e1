// The real program edits a file by hand: commands are chosen with their keys (menus are private to
// the process that made them under Wine, so another process cannot choose their items), and the
// saved file and settings are checked after it ends.

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "app/core/Paths.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/classes/Strings.h"
#include "tests/app/WavFixture.h"
#include "tests/support/TestSupport.h"

using testing_support::ChildProcess;
using testing_support::ExecutableFolder;
using testing_support::ScratchFolder;

namespace {

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(50);
  }
  return true;
}

// Presses the key with the modifiers held, as the user would: through the system's input queue, so
// that the program reads the modifiers' state with the key.
void PressKeys(std::initializer_list<WORD> modifiers, WORD key) {
  std::vector<INPUT> inputs;
  auto add = [&inputs](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (vk == VK_HOME || vk == VK_END || vk == VK_DELETE) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    inputs.push_back(input);
  };
  for (WORD modifier : modifiers) add(modifier, false);
  add(key, false);
  add(key, true);
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) add(*it, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

String DataFolderOf(const String& title) {
  return AddTrailingBackslash(AddTrailingBackslash(ShellFolderPath(L"AppData")) + title);
}

TEST(CommandsEndToEnd, AFileEditedWithTheCommandKeysIsSavedWithoutAQuestionAtClose) {
  const String title = L"Zentavo";
  const String dataFolder = DataFolderOf(title);
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(dataFolder), ignored);
  ScratchFolder folder;
  const String exe = folder.File(L"AudioEditor.exe");
  ASSERT_TRUE(CopyFileW((ExecutableFolder() + L"AudioEditor.exe").c_str(), exe.c_str(), FALSE));
  TIniFile brand(folder.File(L"lame.dll"));
  brand.WriteString(L"SYSTEM", L"Name", title);
  brand.WriteString(L"SYSTEM", L"Version", L"1.0");
  const String wav = folder.File(L"edit me.wav");
  WritePatternWav(wav, 44100, 2, 10000);

  ChildProcess process(exe, L"\"" + wav + L"\"", folder.Path());
  ASSERT_TRUE(process.Started());
  const HWND main = process.WaitForWindow(L"TMainForm", 20000);
  ASSERT_NE(main, nullptr);
  // The after-show step has opened the file once the caption names it.
  ASSERT_TRUE(WaitFor(
      [&] {
        wchar_t caption[1024] = {};
        GetWindowTextW(main, caption, 1024);
        return String(caption).rfind(wav, 0) == 0;
      },
      10000));
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main || SetForegroundWindow(main); }, 10000));
  PressKeys({}, VK_F8);  // Fast Forword
  PressKeys({}, VK_F8);
  PressKeys({VK_SHIFT}, VK_HOME);  // Select To Start
  PressKeys({}, VK_DELETE);  // Delete
  PressKeys({VK_CONTROL}, 'S');  // Save File
  ASSERT_TRUE(WaitFor([&] { return ReadWav(wav).Frames() == 6000; }, 10000)) << ReadWav(wav).Frames();
  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 99;
  ASSERT_TRUE(process.WaitForExit(10000, exitCode)) << "a question kept the program open";
  EXPECT_EQ(exitCode, 0u);

  const TWavContent saved = ReadWav(wav);
  EXPECT_EQ(saved.SampleRate, 44100);
  EXPECT_EQ(saved.Channels, 2);
  EXPECT_EQ(saved.Bits, 16);
  ASSERT_EQ(saved.Frames(), 6000);
  for (int frame = 0; frame < 6000; ++frame)
    for (int channel = 0; channel < 2; ++channel)
      ASSERT_EQ(saved.Samples[frame * 2 + channel], PatternSample(4000 + frame, channel)) << frame;
  TStringList recent;
  recent.LoadFromFile(dataFolder + L"MRUList.dat");
  ASSERT_GE(recent.Count(), 1);
  EXPECT_EQ(recent[0], wav);
  EXPECT_EQ(TIniFile(dataFolder + L"system.dat").ReadString(L"SYSTEM", L"LastOpenDir", L""),
            ExcludeTrailingPathDelimiter(folder.Path()));
}

}  // namespace
