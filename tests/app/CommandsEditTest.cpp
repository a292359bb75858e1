// The edit commands on real documents: selection commands, trimming, repeating, padding for a mix,
// inserting silence, and the bracket of multi-step edits when a call inside raises.

#include <memory>

#include "app/EditRoutines.h"
#include "app/core/Globals.h"
#include "platform/audio/core/AudioEngine.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/base/Exceptions.h"
#include "tests/app/CommandsFixture.h"
#include "tests/app/WavFixture.h"

namespace {

using CommandsEditTest = CommandsTest;

struct TSelectCase {
  std::int64_t Start, End;       // the selection before (Start = End: the cursor)
  std::int64_t ToStartEnd;       // Select To Start gives [0, ToStartEnd]
  std::int64_t ToEndStart;       // Select To End gives [ToEndStart, length]
};

TEST_F(CommandsEditTest, SelectToStartAndToEndMoveOnFromTheCursorByTheSelectionLength) {
  OpenPattern(L"song.wav", 4000);
  const TSelectCase cases[] = {
      {1000, 1000, 1000, 1000},  // no selection: [0, cursor] and [cursor, length]
      {1000, 1500, 1500, 1500},  // the cursor at the selection start: from the selection end
      {0, 4000, 4000, 4000},
  };
  for (const TSelectCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Start << ".." << c.End);
    Select(c.Start, c.End);
    form->ActionSelectToStartExecute(form);
    EXPECT_EQ(SelectionStart(), 0);
    EXPECT_EQ(SelectionEnd(), c.ToStartEnd);
    Select(c.Start, c.End);
    form->ActionSelectToEndExecute(form);
    EXPECT_EQ(SelectionStart(), c.ToEndStart);
    EXPECT_EQ(SelectionEnd(), 4000);
  }
}

TEST_F(CommandsEditTest, TrimKeepsExactlyTheSelectedSamplesInOneUndoStep) {
  OpenPattern(L"song.wav", 4000);
  Select(1000, 1700);
  form->ActionTrimExecute(form);
  ASSERT_EQ(Length(), 700);
  EXPECT_EQ(Samples(0, 700), PatternFloats(1000, 700));
  EXPECT_TRUE(form->IsModified());
  form->ActionUndoExecute(form);
  EXPECT_EQ(Length(), 4000);
  EXPECT_EQ(Samples(0, 4000), PatternFloats(0, 4000));
}

TEST_F(CommandsEditTest, TrimWithoutASelectionOnlyShowsTheError) {
  OpenPattern(L"song.wav", 4000);
  Select(1000, 1000);
  form->ActionTrimExecute(form);
  ASSERT_EQ(ErrorBoxes(), 1);
  EXPECT_EQ(boxes[0].Text, L"You must select an audio part before this operstion.");
  EXPECT_EQ(Length(), 4000);
  EXPECT_FALSE(form->IsModified());
  EXPECT_FALSE(Editor().CanUndo());
}

// A failing call inside the bracket must not leave it open: the next edit is its own undo step.
TEST_F(CommandsEditTest, ARaisingCallInsideTrimOrRepeatLeavesNoOpenCompound) {
  const std::function<void()> commands[] = {
      [this] { form->ActionTrimExecute(form); },
      [this] { form->RepeatLoopAccepted(2, RepeatChunkFrames); },
  };
  const wchar_t* failing[] = {L"DeleteSelected", L"InsertSamples"};
  const wchar_t* documents[] = {L"trim.wav", L"repeat.wav"};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(failing[i]);
    OpenPattern(documents[i], 4000);
    Select(1000, 1500);
    Editor().Engine().InjectFailure(failing[i], L"injected");
    EXPECT_ANY_THROW(commands[i]());
    const std::int64_t lengthAfterFailure = Length();
    Select(0, 100);
    Editor().DeleteSelected();
    Editor().Undo();
    EXPECT_EQ(Length(), lengthAfterFailure) << "the delete was swallowed by an open compound";
  }
}

std::vector<String> SinkMessages;
void RecordInSink(const std::exception_ptr& error) { SinkMessages.push_back(DescribeException(error).Message); }

// Ending the bracket fails while the engine is busy (here: inside its progress report). Alone, that
// failure reaches the application's handler; behind another exception it gives way to that one.
TEST_F(CommandsEditTest, AFailingEndOfTheBracketReachesTheHandlerUnlessAnotherExceptionLeaves) {
  OpenPattern(L"bracket.wav", 4000);
  AudioEngine& engine = Editor().Engine();
  const auto previousReport = engine.OnBlockOperation;
  const std::int64_t previousThreshold = engine.ProgressThreshold();
  const ExceptionSink previousSink = SetExceptionSink(&RecordInSink);
  engine.SetProgressThreshold(1);
  for (const bool anotherLeaves : {false, true}) {
    SCOPED_TRACE(anotherLeaves ? "another exception leaves" : "alone");
    SinkMessages.clear();
    auto bracket = std::make_unique<TCompoundEdit>(Editor());
    engine.OnBlockOperation = [&](int) {
      if (!bracket) return;
      const std::unique_ptr<TCompoundEdit> ending = std::move(bracket);
      if (anotherLeaves) throw Exception(L"first");
    };
    if (anotherLeaves)
      EXPECT_THROW(InsertSilenceAtPlace(Editor(), ipCursor, 100), Exception);
    else
      InsertSilenceAtPlace(Editor(), ipCursor, 100);
    EXPECT_EQ(SinkMessages.size(), anotherLeaves ? 0u : 1u);
    if (!anotherLeaves && !SinkMessages.empty()) {
      EXPECT_NE(SinkMessages[0].find(L"busy"), String::npos);
    }
  }
  SetExceptionSink(previousSink);
  engine.OnBlockOperation = previousReport;
  engine.SetProgressThreshold(previousThreshold);
}

TEST_F(CommandsEditTest, RepeatLoopPlacesEachCopyAfterTheLastAndChunksChangeNothing) {
  OpenPattern(L"song.wav", 4000);
  Select(1000, 1500);
  form->RepeatLoopAccepted(3, RepeatChunkFrames);
  ASSERT_EQ(Length(), 5500);
  const std::vector<float> whole = Samples(0, 5500);
  for (int copy = 1; copy <= 3; ++copy) EXPECT_EQ(Samples(1000 + copy * 500, 1500 + copy * 500), PatternFloats(1000, 500));
  EXPECT_EQ(Samples(3000, 5500), PatternFloats(1500, 2500));
  EXPECT_EQ(SelectionStart(), 2500);
  EXPECT_EQ(SelectionEnd(), 3000);
  EXPECT_TRUE(form->IsModified());

  OpenPattern(L"again.wav", 4000);
  Select(1000, 1500);
  form->RepeatLoopAccepted(3, 7);
  EXPECT_EQ(Samples(0, 5500), whole);
  form->ActionUndoExecute(form);
  EXPECT_EQ(Length(), 4000) << "all copies are one undo step";
}

TEST_F(CommandsEditTest, RepeatLoopWithZeroLeavesTheDocumentClean) {
  OpenPattern(L"song.wav", 4000);
  Select(1000, 1500);
  form->RepeatLoopAccepted(0, RepeatChunkFrames);
  EXPECT_EQ(Length(), 4000);
  EXPECT_FALSE(form->IsModified());
}

TEST_F(CommandsEditTest, InsertSilenceStoresTheLengthAndInsertsOnlyWhenNotZero) {
  OpenPattern(L"song.wav", 4000);
  GlobalVars.InsertSilenceTime = 500;
  form->InsertSilenceAccepted(ipEnd, 0);
  EXPECT_EQ(GlobalVars.InsertSilenceTime, 0);
  EXPECT_EQ(Length(), 4000);
  EXPECT_FALSE(form->IsModified());

  form->InsertSilenceAccepted(ipBegin, 250);
  EXPECT_EQ(GlobalVars.InsertSilenceTime, 250);
  ASSERT_EQ(Length(), 4000 + 11025);
  EXPECT_EQ(Samples(11025, 11125), PatternFloats(0, 100));
  EXPECT_TRUE(form->IsModified());
}

struct TMixCase {
  const wchar_t* Document;
  const wchar_t* Name;
  int SourceRate;
  int SourceFrames;
  std::int64_t PaddedLength;  // document length after padding a [1000, 1500] selection
};

// The source's length is taken in the document's samples before it is compared with the selection.
TEST_F(CommandsEditTest, MixFilePadsTheSelectionToTheSourceLengthAtTheDocumentRate) {
  const TMixCase cases[] = {
      {L"a.wav", L"same.wav", 44100, 1000, 4500},
      {L"b.wav", L"half.wav", 22050, 1000, 5500},
      {L"c.wav", L"short.wav", 44100, 300, 4000},
  };
  for (const TMixCase& c : cases) {
    SCOPED_TRACE(c.Name);
    OpenPattern(c.Document, 4000);
    const String source = WritePattern(c.Name, c.SourceFrames, c.SourceRate);
    Select(1000, 1500);
    TMixRequest request;
    request.FromFile = true;
    request.Path = source;
    request.SelectPartPercent = 100;
    request.AudioInBufferPercent = 50;
    form->MixAccepted(request);
    EXPECT_EQ(Length(), c.PaddedLength);
    EXPECT_TRUE(form->IsModified());
    form->SetModified(false);
  }
}

TEST_F(CommandsEditTest, PasteMixMeasuresTheClipboardAtTheRateItWasCopiedAt) {
  OpenPattern(L"slow.wav", 4000, 22050);
  Select(0, 500);
  form->ActionCopyExecute(form);
  OpenPattern(L"fast.wav", 4000, 44100);
  Select(1000, 1200);
  TMixRequest request;
  request.SelectPartPercent = 100;
  request.AudioInBufferPercent = 100;
  form->MixAccepted(request);
  EXPECT_EQ(Length(), 4000 + 1000 - 200);
}

TEST_F(CommandsEditTest, PasteMixOnAnEmptyDocumentPadsEvenWhenWideningWasAsked) {
  OpenPattern(L"song.wav", 4000);
  Select(0, 700);
  form->ActionCopyExecute(form);
  ASSERT_TRUE(form->NewAudioDocument(L"Untitled", 44100, 2));
  TMixRequest request;
  request.IncreaseSelection = true;
  request.SelectPartPercent = 100;
  request.AudioInBufferPercent = 100;
  form->MixAccepted(request);
  EXPECT_FALSE(GlobalVars.IncreaseSelection);
  EXPECT_EQ(Length(), 700);
}

TEST_F(CommandsEditTest, SilencingTheSelectionMarksTheDocumentModified) {
  OpenPattern(L"song.wav", 4000);
  Select(100, 200);
  form->ActionSilenceSelectExecute(form);
  EXPECT_TRUE(form->IsModified());
  EXPECT_EQ(Samples(100, 200), std::vector<float>(200, 0.0f));
}

TEST_F(CommandsEditTest, CutRemembersTheLengthAndThePlayOptionPlaysAfterwards) {
  OpenPattern(L"song.wav", 4000);
  GlobalVars.OP_PlayAfterEdit = true;
  Select(100, 400);
  form->ActionCutExecute(form);
  EXPECT_TRUE(form->ClipboardFilled);
  EXPECT_EQ(form->ClipboardLength, 300);
  EXPECT_EQ(Length(), 3700);
  EXPECT_EQ(Editor().TransportState(), 1);
  form->StopTransport();
  GlobalVars.OP_PlayAfterEdit = false;
}

TEST_F(CommandsEditTest, SelectingAMillisecondRangeUsesTheDocumentRate) {
  OpenPattern(L"song.wav", 44100);
  form->SelectedTimeStart = 250;
  form->SelectedTimeEnd = 500;
  form->SelectSpecifiedTimeAccepted();
  EXPECT_EQ(SelectionStart(), 11025);
  EXPECT_EQ(SelectionEnd(), 22050);
}


TEST_F(CommandsEditTest, InsertFilePutsTheChosenFileAtItsPlaceAndRemembersTheFolder) {
  struct TInsertCase {
    void (TMainForm::*Command)(TObject*);
    std::int64_t At;  // where the inserted frames start, the cursor standing at 1000
  };
  const TInsertCase cases[] = {{&TMainForm::ActionInsertFileBeginExecute, 0},
                               {&TMainForm::ActionInsertFileCurrentExecute, 1000},
                               {&TMainForm::ActionInsertFileEndExecute, 4000}};
  const String inserted = WritePattern(L"insert.wav", 300);
  int round = 0;
  for (const TInsertCase& c : cases) {
    SCOPED_TRACE(c.At);
    OpenPattern(round == 0 ? L"a.wav" : round == 1 ? L"b.wav" : L"c.wav", 4000);
    ++round;
    Select(1000, 1000);
    dialogFiles = {inserted};
    (form->*c.Command)(form);
    ASSERT_EQ(Length(), 4300);
    EXPECT_EQ(Samples(c.At, c.At + 300), PatternFloats(0, 300));
    EXPECT_TRUE(form->IsModified());
    EXPECT_EQ(GlobalVars.LastOpenDir, scratch.Path().back() == L'\\' ? scratch.Path() : scratch.Path() + L"\\");
    form->SetModified(false);
  }
  dialogFiles.clear();
  form->ActionInsertFileEndExecute(form);
  EXPECT_EQ(Length(), 4300) << "no file chosen: nothing changes";
}

TEST_F(CommandsEditTest, SaveSelectRegionAsWritesOnlyTheSelection) {
  const String source = OpenPattern(L"song.wav", 4000);
  Select(500, 800);
  const String target = scratch.File(L"part.wav");
  dialogFiles = {target};
  AcceptNextModalForm();  // "Wave File Setup"
  form->ActionCopyToNewExecute(form);
  const TWavContent part = ReadWav(target);
  ASSERT_EQ(part.Frames(), 300);
  EXPECT_EQ(part.Samples[0], PatternSample(500, 0));
  EXPECT_EQ(form->DocumentPath, source);
}

}  // namespace
