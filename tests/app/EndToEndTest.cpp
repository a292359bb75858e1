// Starts the real program from a folder of its own, with a brand file and a WAV file on the command
// line, and checks what it leaves behind.

#include <filesystem>

#include <gtest/gtest.h>

#include "app/core/Paths.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/classes/Registry.h"
#include "platform/framework/classes/Strings.h"
#include "tests/app/EndToEnd.h"
#include "tests/app/WavFixture.h"
#include "tests/support/TestSupport.h"

using testing_support::ChildProcess;
using testing_support::ExecutableFolder;
using testing_support::ScratchFolder;

namespace {

String DataFolderOf(const String& title) {
  return AddTrailingBackslash(AddTrailingBackslash(ShellFolderPath(L"AppData")) + title);
}

void RemoveFolder(const String& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(folder), ignored);
}

String WindowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

using end_to_end::WaitFor;

// The program identifier of ".wav" as the shell reads it.
String WavProgramId() {
  TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  String progId = L"wavfile";
  if (registry.OpenKeyReadOnly(L"\\.wav")) {
    const String value = registry.ReadString(L"");
    if (!value.empty()) progId = value;
  }
  return progId;
}

// The command of the ".wav" verb for the title, in the user's classes; empty when absent.
String WavVerbCommand(const String& title) {
  TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_CURRENT_USER);
  if (!registry.OpenKeyReadOnly(L"\\Software\\Classes\\" + WavProgramId() + L"\\Shell\\Edit with " + title + L"\\command")) return L"";
  return registry.ReadString(L"");
}

void DeleteWavVerb(const String& title) {
  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  registry.DeleteKey(L"\\Software\\Classes\\" + WavProgramId() + L"\\Shell\\Edit with " + title);
}

// A copy of the program beside a brand file of the given title.
class InstalledProgram {
 public:
  explicit InstalledProgram(const String& title) {
    exe_ = folder_.File(L"AudioEditor.exe");
    EXPECT_TRUE(CopyFileW((ExecutableFolder() + L"AudioEditor.exe").c_str(), exe_.c_str(), FALSE));
    TIniFile brand(folder_.File(L"lame.dll"));
    brand.WriteString(L"SYSTEM", L"Name", title);
    brand.WriteString(L"SYSTEM", L"Version", L"1.0");
  }
  const String& Exe() const { return exe_; }
  const ScratchFolder& Folder() const { return folder_; }

 private:
  ScratchFolder folder_;
  String exe_;
};

TEST(EndToEnd, ARunOpensTheFileAndLeavesSettingsRecentFilesAndTheVerb) {
  const String title = L"Zentavo";
  RemoveFolder(DataFolderOf(title));
  DeleteWavVerb(title);
  InstalledProgram program(title);
  const String wav = program.Folder().File(L"take one.wav");
  WritePatternWav(wav, 44100, 2, 8000);

  ChildProcess process(program.Exe(), L"\"" + wav + L"\"", program.Folder().Path());
  ASSERT_TRUE(process.Started());
  const HWND main = process.WaitForWindow(L"TMainForm", 20000);
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  EXPECT_TRUE(WaitFor([&] { return WindowText(main).find(wav + L" - [ ") == 0; }, 10000)) << WindowText(main);
  EXPECT_NE(WindowText(main).find(L" - Zentavo 1.0"), String::npos);
  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 99;
  ASSERT_TRUE(process.WaitForExit(10000, exitCode));
  EXPECT_EQ(exitCode, 0u);

  const String dataFolder = DataFolderOf(title);
  TIniFile settings(dataFolder + L"system.dat");
  EXPECT_EQ(settings.ReadString(L"SYSTEM", L"LastOpenDir", L""), ExcludeTrailingPathDelimiter(program.Folder().Path()));
  EXPECT_EQ(settings.ReadString(L"SYSTEM", L"OP_AddToExplorer", L""), L"1");
  EXPECT_EQ(settings.ReadString(L"FormPos", L"width", L""), L"1000");
  EXPECT_EQ(settings.ReadString(L"FormPos", L"maximized", L""), L"0");
  EXPECT_EQ(settings.ReadString(L"Horizontal", L"Format", L""), L"2");
  EXPECT_EQ(settings.ReadString(L"Vertical", L"Format", L""), L"3");
  EXPECT_EQ(settings.ReadString(L"WaveMode", L"Mode", L""), L"1");
  TStringList recent;
  recent.LoadFromFile(dataFolder + L"MRUList.dat");
  ASSERT_GE(recent.Count(), 1);
  EXPECT_EQ(recent[0], wav);
  EXPECT_EQ(WavVerbCommand(title), L"\"" + program.Exe() + L"\" \"%L\"");
}

TEST(EndToEnd, AMissingFileOnTheCommandLineStillAppliesTheSavedPanelChoice) {
  const String title = L"Zentavo";
  const String dataFolder = DataFolderOf(title);
  RemoveFolder(dataFolder);
  CreateDir(ExcludeTrailingPathDelimiter(dataFolder));
  TIniFile(dataFolder + L"system.dat").WriteString(L"SYSTEM", L"ShowBottomBar", L"0");
  InstalledProgram program(title);

  ChildProcess process(program.Exe(), L"\"" + program.Folder().File(L"missing.wav") + L"\"", program.Folder().Path());
  ASSERT_TRUE(process.Started());
  const HWND main = process.WaitForWindow(L"TMainForm", 20000);
  ASSERT_NE(main, nullptr);
  Sleep(1000);  // past the after-show step
  EXPECT_EQ(WindowText(main), L"Zentavo 1.0");
  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 99;
  ASSERT_TRUE(process.WaitForExit(10000, exitCode));
  EXPECT_EQ(TIniFile(dataFolder + L"system.dat").ReadString(L"SYSTEM", L"ShowBottomBar", L""), L"0");
  TStringList recent;
  recent.LoadFromFile(dataFolder + L"MRUList.dat");
  EXPECT_EQ(recent.Count(), 0);
}

// Answers the next message box of the process with OK; false when none appears.
bool AnswerMessageBox(const ChildProcess& process) {
  const HWND box = process.WaitForWindow(L"#32770", 20000);
  if (!box) return false;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  return WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 10000);
}

// With "system.dat" replaced by a folder the start and the close each report it once; closing still
// writes the recent files, and the program ends normally.
TEST(EndToEnd, ClosingWithAnUnwritableSettingsFileEndsTheProgram) {
  const String title = L"Zentavo";
  const String dataFolder = DataFolderOf(title);
  RemoveFolder(dataFolder);
  ASSERT_TRUE(ForceDirectories(dataFolder + L"system.dat"));
  InstalledProgram program(title);
  const String wav = program.Folder().File(L"kept.wav");
  WritePatternWav(wav, 44100, 2, 8000);

  ChildProcess process(program.Exe(), L"\"" + wav + L"\"", program.Folder().Path());
  ASSERT_TRUE(process.Started());
  ASSERT_TRUE(AnswerMessageBox(process)) << "no report at start";
  const HWND main = process.WaitForWindow(L"TMainForm", 20000);
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitFor([&] { return WindowText(main).find(wav + L" - [ ") == 0; }, 10000)) << WindowText(main);
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(AnswerMessageBox(process)) << "no report at close";
  DWORD exitCode = 99;
  ASSERT_TRUE(process.WaitForExit(10000, exitCode));
  EXPECT_EQ(exitCode, 0u);
  TStringList recent;
  recent.LoadFromFile(dataFolder + L"MRUList.dat");
  ASSERT_GE(recent.Count(), 1);
  EXPECT_EQ(recent[0], wav);
  RemoveFolder(dataFolder);
}

TEST(EndToEnd, AnUnknownTitleEndsAtOnceAndWritesNothing) {
  const String title = L"Nobrand";
  RemoveFolder(DataFolderOf(title));
  DeleteWavVerb(title);
  InstalledProgram program(title);

  ChildProcess process(program.Exe(), L"", program.Folder().Path());
  ASSERT_TRUE(process.Started());
  DWORD exitCode = 99;
  ASSERT_TRUE(process.WaitForExit(10000, exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_FALSE(DirectoryExists(DataFolderOf(title)));
  EXPECT_EQ(WavVerbCommand(title), L"");
}

}  // namespace
