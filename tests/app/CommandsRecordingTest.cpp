// What the record command settles around the recording console: the recording format, the
// temporary file and keeping or dropping the recording.

#include "app/RecordingSetup.h"
#include "app/core/Globals.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/rtl/FileUtils.h"
#include "tests/app/CommandsFixture.h"
#include "tests/app/WavFixture.h"

namespace {

TEST(RecordingFormat, TheConsoleRecordsTheDocumentsFormatWhenItCan) {
  struct TCase {
    int Rate, Channels;
    TRecordingFormat Expected;
  };
  const TCase cases[] = {
      {22050, 1, {22050, 1}}, {96000, 2, {48000, 2}}, {7000, 2, {44100, 2}}, {44100, 6, {44100, 2}},
      {8000, 0, {8000, 2}},
  };
  for (const TCase& c : cases) EXPECT_EQ(RecordingFormatOfDocument(c.Rate, c.Channels), c.Expected) << c.Rate;
  EXPECT_EQ(RecordingFormatOfNewDocument(88200, 1), (TRecordingFormat{48000, 1}));
}

using CommandsRecordingTest = CommandsTest;

TEST_F(CommandsRecordingTest, TheTemporaryFolderIsCreatedAndAnOldRecordingDeleted) {
  GlobalVars.TempFolder = scratch.File(L"deep\\temp\\");
  ASSERT_TRUE(PrepareRecordingFile(GlobalVars));
  EXPECT_TRUE(DirectoryExists(GlobalVars.TempFolder));
  EXPECT_EQ(GlobalVars.RecordingFilePath, scratch.File(L"deep\\temp\\Recording.wav"));
  WritePatternWav(GlobalVars.RecordingFilePath, 44100, 2, 10);
  ASSERT_TRUE(PrepareRecordingFile(GlobalVars));
  EXPECT_FALSE(FileExists(GlobalVars.RecordingFilePath));
}

TEST_F(CommandsRecordingTest, AFolderThatCannotBeCreatedIsReportedAndChangesNothing) {
  const String blocker = WritePattern(L"blocker.wav", 10);
  GlobalVars.TempFolder = blocker + L"\\temp\\";
  GlobalVars.RecordingFilePath = L"unchanged";
  EXPECT_FALSE(PrepareRecordingFile(GlobalVars));
  ASSERT_EQ(ErrorBoxes(), 1);
  EXPECT_NE(boxes[0].Text.find(GlobalVars.TempFolder), String::npos) << boxes[0].Text;
  EXPECT_EQ(GlobalVars.RecordingFilePath, L"unchanged");
}

TEST_F(CommandsRecordingTest, AKeptRecordingIsInsertedAtTheCursorAndADroppedOneDeleted) {
  OpenPattern(L"song.wav", 4000);
  GlobalVars.TempFolder = scratch.File(L"rec\\");
  ASSERT_TRUE(PrepareRecordingFile(GlobalVars));
  WritePatternWav(GlobalVars.RecordingFilePath, 44100, 2, 500);
  Select(1000, 1000);
  FinishRecording(*form, true);
  EXPECT_EQ(Length(), 4500);
  EXPECT_EQ(Samples(1000, 1500), PatternFloats(0, 500));
  EXPECT_TRUE(form->IsModified());

  FinishRecording(*form, false);
  EXPECT_FALSE(FileExists(GlobalVars.RecordingFilePath));
}

}  // namespace
