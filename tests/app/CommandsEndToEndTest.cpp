// The real program edits a file by hand: commands are chosen with their keys (menus are private to
// the process that made them under Wine, so another process cannot choose their items), and the
// saved file and settings are checked after it ends.

#include <filesystem>
#include <cmath>
#include <functional>
#include <memory>

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
  PressKeys({VK_CONTROL}, 'S');  // Save File, then OK in "Wave File Setup"
  ASSERT_NE(process.WaitForWindow(L"TWaveFormatForm", 10000), nullptr);
  PressKeys({}, VK_RETURN);
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

namespace {

// A copy of the program beside a brand file, started on a first start (no data folder).
class FirstStart {
 public:
  explicit FirstStart(const String& arguments) : dataFolder_(DataFolderOf(L"Zentavo")) {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(dataFolder_), ignored);
    exe_ = folder_.File(L"AudioEditor.exe");
    EXPECT_TRUE(CopyFileW((ExecutableFolder() + L"AudioEditor.exe").c_str(), exe_.c_str(), FALSE));
    EXPECT_TRUE(CopyFileW((ExecutableFolder() + L"welcome.png").c_str(), folder_.File(L"welcome.png").c_str(), FALSE));
    TIniFile brand(folder_.File(L"lame.dll"));
    brand.WriteString(L"SYSTEM", L"Name", L"Zentavo");
    brand.WriteString(L"SYSTEM", L"Version", L"1.0");
    arguments_ = arguments;
  }
  std::unique_ptr<ChildProcess> Start() {
    return std::make_unique<ChildProcess>(exe_, arguments_, folder_.Path());
  }
  const ScratchFolder& Folder() const { return folder_; }
  void SetArguments(const String& arguments) { arguments_ = arguments; }
  const String& DataFolder() const { return dataFolder_; }

 private:
  ScratchFolder folder_;
  String exe_, arguments_, dataFolder_;
};

std::vector<String> SectionsOf(const String& path) {
  TIniFile ini(path);
  TStringList sections;
  ini.ReadSections(sections);
  std::vector<String> names;
  for (int i = 0; i < sections.Count(); ++i) names.push_back(sections.Strings(i));
  return names;
}

TEST(CommandsEndToEnd, AFirstStartWritesTheListsAndCtrlHHalvesTheFileThatCtrlSSaves) {
  FirstStart program(L"");
  const String wav = program.Folder().File(L"loud.wav");
  WritePatternWav(wav, 44100, 2, 10000);
  program.SetArguments(L"\"" + wav + L"\"");
  const auto process = program.Start();
  ASSERT_TRUE(process->Started());
  const HWND main = process->WaitForWindow(L"TMainForm", 20000);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitFor(
      [&] {
        wchar_t caption[1024] = {};
        GetWindowTextW(main, caption, 1024);
        return String(caption).rfind(wav, 0) == 0;
      },
      10000));
  const std::vector<String> favorites = SectionsOf(program.DataFolder() + L"Favorite.dat");
  ASSERT_EQ(favorites.size(), 12u);
  EXPECT_EQ(favorites.front(), L"Half Volume");
  EXPECT_EQ(favorites.back(), L"Cassette Noise Reduce");
  EXPECT_EQ(SectionsOf(program.DataFolder() + L"Shortcut.dat").size(), 109u);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main || SetForegroundWindow(main); }, 10000));
  PressKeys({VK_CONTROL}, 'H');  // the favourite "Half Volume"
  PressKeys({VK_CONTROL}, 'S');
  ASSERT_NE(process->WaitForWindow(L"TWaveFormatForm", 10000), nullptr);
  PressKeys({}, VK_RETURN);
  const auto halved = [&] {
    const TWavContent saved = ReadWav(wav);
    if (saved.Frames() != 10000) return false;
    for (int frame = 0; frame < 10000; ++frame)
      for (int channel = 0; channel < 2; ++channel)
        if (std::abs(saved.Samples[frame * 2 + channel] - PatternSample(frame, channel) / 2.0) > 1.0) return false;
    return true;
  };
  EXPECT_TRUE(WaitFor(halved, 10000));
  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 99;
  ASSERT_TRUE(process->WaitForExit(10000, exitCode));
}

TEST(CommandsEndToEnd, WithoutAFileTheWelcomeWindowAppearsAndCloseClosesIt) {
  FirstStart program(L"");
  const auto process = program.Start();
  ASSERT_TRUE(process->Started());
  const HWND welcome = process->WaitForWindow(L"TWelcomeStartForm", 20000);
  ASSERT_NE(welcome, nullptr) << "no welcome window";
  wchar_t caption[256] = {};
  GetWindowTextW(welcome, caption, 256);
  EXPECT_EQ(String(caption), L"Welcome - Zentavo");
  const HWND close = FindWindowExW(welcome, nullptr, nullptr, L"&Close");
  ASSERT_NE(close, nullptr);
  PostMessageW(close, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(welcome) || !IsWindowVisible(welcome); }, 10000));
  const HWND main = process->WaitForWindow(L"TMainForm", 5000);
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 99;
  ASSERT_TRUE(process->WaitForExit(10000, exitCode));
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace
