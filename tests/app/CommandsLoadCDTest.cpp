#include "tests/app/CommandsFixture.h"

#include "app/core/SystemQueries.h"

namespace {

using CommandsLoadCDTest = CommandsTest;

TEST_F(CommandsLoadCDTest, LoadCDFollowsOpenFileInTheFileMenu) {
  EXPECT_EQ(form->ActionLoadCD->Caption(), L"Load Audio CD Track(s)...");
  int openAt = -1, loadAt = -1;
  for (int i = 0; i < form->MenuFile->Count(); ++i) {
    if (form->MenuFile->Items(i)->Action() == form->ActionOpenFile) openAt = i;
    if (form->MenuFile->Items(i)->Action() == form->ActionLoadCD) loadAt = i;
  }
  EXPECT_EQ(loadAt, openAt + 1);
}

TEST_F(CommandsLoadCDTest, WithoutACdDriveOnlyTheBoxIsShown) {
  ASSERT_EQ(CountCdromDrives(), 0) << "this machine has a CD drive";
  const String before = form->DocumentPath;
  form->ActionLoadCD->Execute();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text,
            L"No CD-ROM drivres have been detected. If you do have a CD-ROM drive installed but see this message please "
            L"read the Help topic relating to Loading CD Tracks.");
  EXPECT_EQ(boxes[0].Caption, Application->Title());
  EXPECT_EQ(ErrorBoxes(), 1);
  EXPECT_EQ(form->DocumentPath, before);
}

}  // namespace
