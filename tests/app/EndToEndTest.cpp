// Starts the real program and checks how it ends.

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

using testing_support::ChildProcess;
using testing_support::ExecutableFolder;

TEST(EndToEnd, ClosingTheMainWindowExitsWithZero) {
  ChildProcess program(ExecutableFolder() + L"AudioEditor.exe", L"");
  ASSERT_TRUE(program.Started());
  HWND main = program.WaitForWindow(L"TMainForm", 20000);
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 99;
  ASSERT_TRUE(program.WaitForExit(10000, exitCode));
  EXPECT_EQ(exitCode, 0u);
}
