// What the record command settles around the recording console: the recording format, the
// temporary file and keeping or dropping the recording.

#include "app/RecordingSetup.h"
#include "app/core/Globals.h"
#include "capture/RecordControl.h"
#include "dialogs/NewFile.h"
#include "platform/audio/devices/ScriptedDevices.h"
#include "platform/framework/rtl/DateUtils.h"
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

// ---- the record command ----------------------------------------------------------------------------

// The record command with the real console over the scripted input, on the test clock: each console
// the command shows records `Milliseconds` of silence and closes with Keep or Discard.
class RecordCommandTest : public CommandsRecordingTest {
 protected:
  void SetUp() override {
    CommandsRecordingTest::SetUp();
    script->Lines = {{L"Line In", true, true, 40000}};
    GlobalVars.TempFolder = scratch.File(L"temp\\");
    GlobalVars.OP_PromptNewFile = false;
  }

  void RecordAndClose(bool Keep, UInt64 Milliseconds = 450) {
    OnNextModalForm([this, Keep, Milliseconds](TCustomForm* modal) {
      auto* console = dynamic_cast<TRecordControlForm*>(modal);
      ASSERT_NE(console, nullptr);
      ++consoles;
      shown = {console->RecordSampleRate, console->RecordChannels};
      console->ActionRecordExecute(nullptr);
      ASSERT_TRUE(console->Recording());
      const std::int64_t before = script->DeliveredFrames;
      clock.Advance(Milliseconds);
      ASSERT_TRUE(testing_support::PumpUntil([&] { return script->DeliveredFrames > before; }));
      testing_support::PumpFor(30);
      if (Keep) console->ActionKeepExecute(nullptr);
      else console->ActionDiscardExecute(nullptr);
    });
  }

  // Frames of two 200 ms blocks at the rate.
  static std::int64_t TwoBlocks(int rate) { return 2 * ((rate + 2) / 5); }

  TManualClock clock{Now(), 1000};
  TClockScope clockScope{clock};
  std::shared_ptr<ScriptedInputScript> script = std::make_shared<ScriptedInputScript>();
  ScriptedDevicesScope devices{script};
  int consoles = 0;
  TRecordingFormat shown{0, 0};
};

TEST_F(RecordCommandTest, TheTakeIsInsertedAtTheCursorInTheDocumentsFormatAndNothingPlays) {
  struct TCase {
    int Rate, Channels;
    TRecordingFormat Recorded;
  };
  const TCase cases[] = {{22050, 1, {22050, 1}}, {96000, 2, {48000, 2}}, {7000, 2, {44100, 2}}};
  for (const TCase& c : cases) {
    form->SetModified(false);
    OpenPattern((L"doc" + std::to_wstring(c.Rate) + L".wav").c_str(), 1000, c.Rate, c.Channels);
    Select(400, 400);
    RecordAndClose(true);
    form->ActionRecordExecute(nullptr);
    EXPECT_EQ(shown, c.Recorded) << c.Rate;
    // The take is inserted as the document's editor converts it; the original frames around it stay.
    EXPECT_GT(Length(), 1000) << c.Rate;
    EXPECT_EQ(Samples(0, 400), PatternFloats(0, 400, c.Channels)) << c.Rate;
    EXPECT_TRUE(form->IsModified());
    EXPECT_EQ(Editor().TransportState(), 0);
  }
  EXPECT_EQ(consoles, 3);
  // The kept file stays in the temporary folder until the next recording.
  EXPECT_TRUE(FileExists(GlobalVars.RecordingFilePath));
}

TEST_F(RecordCommandTest, WithoutADocumentTheTakeGoesIntoANewUntitledOne) {
  GlobalVars.OP_DefSample = 44100;
  GlobalVars.OP_DefChannel = 1;
  RecordAndClose(true);
  form->ActionRecordExecute(nullptr);
  EXPECT_EQ(shown, (TRecordingFormat{44100, 1}));
  ASSERT_TRUE(form->DocumentOpen);
  EXPECT_EQ(form->DocumentPath, L"Untitled");
  EXPECT_EQ(Editor().FileInfo()->GetSampleRate(), 44100);
  EXPECT_EQ(Editor().FileInfo()->GetChannels(), 1);
  EXPECT_EQ(Length(), TwoBlocks(44100));
  EXPECT_TRUE(form->IsModified());
}

TEST_F(RecordCommandTest, ThePromptChoosesTheFormatAndItsCancelShowsNoConsole) {
  GlobalVars.OP_PromptNewFile = true;
  OnNextModalForm([](TCustomForm* modal) {
    auto* prompt = dynamic_cast<TNewFileForm*>(modal);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(prompt->Caption(), L"New Sample");
    prompt->cbSampleRate->SetItemIndex(6);
    prompt->rbMono->SetChecked(true);
    prompt->ModalResult = mrOk;
  });
  RecordAndClose(true);
  form->ActionRecordExecute(nullptr);
  EXPECT_EQ(shown, (TRecordingFormat{22050, 1}));
  EXPECT_EQ(Editor().FileInfo()->GetSampleRate(), 22050);
  EXPECT_EQ(Length(), TwoBlocks(22050));

  form->SetModified(false);
  form->ActionCloseFileExecute(nullptr);
  OnNextModalForm([](TCustomForm*) {});  // the prompt, cancelled
  RecordAndClose(true);
  form->ActionRecordExecute(nullptr);
  EXPECT_EQ(consoles, 1);
  EXPECT_FALSE(form->DocumentOpen);
  modalScripts.clear();
}

TEST_F(RecordCommandTest, AnyOtherResultLeavesNoRecordingBehind) {
  OpenPattern(L"doc.wav", 1000);
  RecordAndClose(false);
  form->ActionRecordExecute(nullptr);
  EXPECT_EQ(consoles, 1);
  EXPECT_FALSE(FileExists(GlobalVars.RecordingFilePath));
  EXPECT_EQ(Length(), 1000);
  // The close box while recording.
  OnNextModalForm([this](TCustomForm* modal) {
    static_cast<TRecordControlForm*>(modal)->ActionRecordExecute(nullptr);
    clock.Advance(250);
    testing_support::PumpFor(50);
    modal->Close();
  });
  form->ActionRecordExecute(nullptr);
  EXPECT_FALSE(FileExists(GlobalVars.RecordingFilePath));
  EXPECT_EQ(Length(), 1000);
}

TEST_F(RecordCommandTest, ACancelledSavePromptInsertsNothingAndKeepsTheTake) {
  // No document, but unsaved changes ask first; Cancel there ends the command.
  form->SetModified(true);
  answers = {IDCANCEL};
  RecordAndClose(true);
  form->ActionRecordExecute(nullptr);
  EXPECT_EQ(consoles, 1);
  EXPECT_FALSE(form->DocumentOpen);
  EXPECT_TRUE(FileExists(GlobalVars.RecordingFilePath));
}

}  // namespace
