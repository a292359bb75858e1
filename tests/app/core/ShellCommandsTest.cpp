// The folder picker through the dialog answerer, and free space of a drive.

#include <gtest/gtest.h>

#include "app/core/ShellCommands.h"
#include "app/core/SystemQueries.h"
#include "platform/framework/controls/Dialogs.h"
#include "platform/framework/rtl/Seams.h"

namespace {

TEST(BrowseForFolder, ChoiceReplacesTheFolderAndCancelKeepsIt) {
  TDialogRequest seen;
  bool choose = true;
  auto previous = SetDialogAnswerer([&](const TDialogRequest& request) {
    seen = request;
    TDialogAnswer answer;
    answer.Ok = choose;
    answer.Folder = L"D:\\Chosen";
    return answer;
  });
  String folder = L"C:\\Start";
  EXPECT_TRUE(BrowseForFolder(nullptr, folder, L"Select the output folder", 65));
  EXPECT_EQ(folder, L"D:\\Chosen");
  EXPECT_EQ(seen.Kind, TDialogKind::Folder);
  EXPECT_EQ(seen.InitialDir, L"C:\\Start");
  EXPECT_EQ(seen.Title, L"Select the output folder");
  EXPECT_EQ(seen.Flags, 65u);

  choose = false;
  folder = L"C:\\Start";
  EXPECT_FALSE(BrowseForFolder(nullptr, folder, L"t", 65));
  EXPECT_EQ(folder, L"C:\\Start");
  SetDialogAnswerer(previous);
}

TEST(Drives, FreeSpaceOfAMissingDriveIsMinusOne) {
  const DWORD mask = GetLogicalDrives();
  wchar_t missing = 0;
  for (int i = 25; i >= 0 && !missing; --i)
    if (!(mask & (1u << i))) missing = static_cast<wchar_t>(L'A' + i);
  ASSERT_NE(missing, 0);
  EXPECT_EQ(DiskFreeGigabytes(missing), -1.0f);
  EXPECT_GE(DiskFreeGigabytes(DriveWithMostFreeSpace()), 0.0f);
}

TEST(SystemVersion, MajorAbove5FollowsTheVersionOfTheBoundTable) {
  const struct {
    DWORD major;
    bool above5;
  } cases[] = {{5, false}, {6, true}, {10, true}};
  for (const auto& c : cases) {
    static DWORD major;
    major = c.major;
    Bound().OSVersion = [] { return TOSVersion{major, 1}; };
    EXPECT_EQ(IsWindowsMajorAbove5(), c.above5) << c.major;
  }
  ResetBoundFunctions();
}

}  // namespace
