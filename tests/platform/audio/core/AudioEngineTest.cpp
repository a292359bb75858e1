#include "platform/audio/core/AudioEngine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "AudioTestUtil.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/ByteStream.h"
#include "platform/audio/core/TimePitch.h"
#include "platform/audio/core/WavFile.h"
#include "platform/framework/base/Utf8.h"

namespace {

using namespace audio_test;

class Engine : public testing::Test {
 protected:
  void SetUp() override {
    engine.OnChangePosition = [this] { ++positionEvents; };
    engine.OnBlockOperation = [this](int percent) { percents.push_back(percent); };
    engine.OnEndOperation = [this] { ++endEvents; };
  }

  void LoadRamp(std::int64_t frames, int channels = 2) {
    original = Signal(frames, channels, Ramp);
    Load(engine, original, channels);
    positionEvents = 0;
  }

  void WriteWav(const TempPath& path, const std::vector<float>& samples, int channels, int rate, int bits = 16) {
    auto encoder = CreateWavEncoder(CreateFileSink(path.Path()), {rate, channels, bits}, {});
    encoder->Write(samples.data(), static_cast<std::int64_t>(samples.size()) / channels);
    encoder->Finish();
  }

  AudioEngine engine;
  std::vector<float> original;
  int positionEvents = 0;
  std::vector<int> percents;
  int endEvents = 0;
};

String MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const EAudioError& e) {
    return e.Message();
  }
  return L"(no error)";
}

// Trim as the edit commands run it: read the selection, select all, delete, insert.
void Trim(AudioEngine& engine) {
  engine.BeginCompound();
  SampleBuffer kept = engine.ReadSamples(engine.SelectionEnd() - engine.SelectionStart());
  engine.SetSelectionChannel(-1);
  engine.SetSelectionStart(0);
  engine.SetSelectionEnd(engine.Length());
  engine.DeleteSelected();
  engine.InsertSamples(kept);
  engine.EndCompound();
}

TEST_F(Engine, TrimKeepsExactlyTheSelectedSamplesAndUndoesInOneStep) {
  struct Case {
    std::int64_t from, to;
  } cases[] = {{0, 10}, {100, 70000}, {69999, 150000}, {149990, 150000}, {0, 150000}};
  for (const Case& c : cases) {
    LoadRamp(150000);
    engine.SetSelection(c.from, c.to);
    Trim(engine);
    EXPECT_EQ(All(engine), Range(original, 2, c.from, c.to)) << c.from;
    EXPECT_EQ(engine.SelectionStart(), 0);
    EXPECT_EQ(engine.SelectionEnd(), c.to - c.from);
    engine.Undo();
    EXPECT_EQ(All(engine), original);
    EXPECT_EQ(engine.SelectionStart(), c.from);
    EXPECT_EQ(engine.SelectionEnd(), c.to);
    EXPECT_FALSE(engine.CanUndo());
  }
}

TEST_F(Engine, RepeatLoopCopiesLandOneSelectionLengthApart) {
  LoadRamp(1000);
  engine.SetSelection(200, 300);
  const std::int64_t length = 100;
  SampleBuffer loop = engine.ReadSamples(length);
  engine.BeginCompound();
  for (int i = 0; i < 3; ++i) {
    engine.SetCursorPosition(engine.CursorPosition() + length);
    engine.InsertSamples(loop);
  }
  engine.EndCompound();
  const std::vector<float> piece = Range(original, 2, 200, 300);
  std::vector<float> expected = Range(original, 2, 0, 300);
  for (int i = 0; i < 3; ++i) expected = Concat(expected, piece);
  expected = Concat(expected, Range(original, 2, 300, 1000));
  EXPECT_EQ(All(engine), expected);
  engine.Undo();
  EXPECT_EQ(All(engine), original);
}

TEST_F(Engine, UndoAndRedoRestoreContentMarkersAndSelection) {
  LoadRamp(1000);
  engine.AddMarker(500, 0, L"mark", L"Bookmark");
  engine.AddMarker(200, 500, L"region", L"Region");
  engine.SetSelection(100, 400);
  engine.DeleteSelected();
  const std::vector<float> deleted = Concat(Range(original, 2, 0, 100), Range(original, 2, 400, 1000));
  auto place = [this](int id) {
    engine.SelectMarker(id);
    return std::make_pair(engine.SelectedMarker().Position, engine.SelectedMarker().Length);
  };
  EXPECT_EQ(All(engine), deleted);
  EXPECT_EQ(place(1), std::make_pair(std::int64_t{200}, std::int64_t{0}));
  EXPECT_EQ(place(2), std::make_pair(std::int64_t{100}, std::int64_t{300}));

  engine.Undo();
  EXPECT_EQ(All(engine), original);
  EXPECT_EQ(place(1), std::make_pair(std::int64_t{500}, std::int64_t{0}));
  EXPECT_EQ(place(2), std::make_pair(std::int64_t{200}, std::int64_t{500}));
  EXPECT_EQ(engine.SelectionStart(), 100);
  EXPECT_EQ(engine.SelectionEnd(), 400);
  EXPECT_TRUE(engine.CanRedo());

  engine.Redo();
  EXPECT_EQ(All(engine), deleted);
  EXPECT_EQ(place(1), std::make_pair(std::int64_t{200}, std::int64_t{0}));
  EXPECT_EQ(engine.SelectionStart(), 100);
  EXPECT_EQ(engine.SelectionEnd(), 100);
  EXPECT_EQ(engine.MarkerCount(), 2);
}

TEST_F(Engine, MarkersFollowADeletion) {
  struct Case {
    std::int64_t position, length, expectedPosition, expectedLength;
  } cases[] = {
      {50, 0, 50, 0},      // before the deleted range
      {100, 0, 100, 0},    // at its start
      {250, 0, 100, 0},    // inside: to its start
      {400, 0, 100, 0},    // at its end
      {600, 0, 300, 0},    // after: shifted
      {50, 100, 50, 50},   // region ending inside: clipped
      {250, 300, 100, 150},  // region starting inside: clipped
      {50, 500, 50, 200},  // region around it: shrinks
      {150, 100, 100, 0},  // region inside: empty at the start
  };
  LoadRamp(1000, 1);
  for (const Case& c : cases) engine.AddMarker(c.position, c.length, L"m", c.length ? L"Region" : L"Bookmark");
  engine.SetSelection(100, 400);
  engine.DeleteSelected();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    engine.SelectMarker(static_cast<int>(i + 1));
    EXPECT_EQ(engine.SelectedMarker().Position, cases[i].expectedPosition) << i;
    EXPECT_EQ(engine.SelectedMarker().Length, cases[i].expectedLength) << i;
  }
}

// Where every marker is, as (position, length) in the order they were added.
std::vector<std::pair<std::int64_t, std::int64_t>> MarkerPlaces(AudioEngine& engine) {
  std::vector<std::pair<std::int64_t, std::int64_t>> places;
  for (int id = 1; id <= engine.MarkerCount(); ++id) {
    engine.SelectMarker(id);
    places.emplace_back(engine.SelectedMarker().Position, engine.SelectedMarker().Length);
  }
  return places;
}

TEST_F(Engine, MarkersKeepTheirPlacesThroughTransformsAndMixes) {
  struct Case {
    const char* name;
    std::int64_t from, to;
    std::function<void(AudioEngine&)> run;
  } cases[] = {
      {"Amplify", 0, 1000, [](AudioEngine& e) { e.Amplify(50); }},
      {"Reverse", 250, 750, [](AudioEngine& e) { e.Reverse(); }},
      {"Fade", 100, 900, [](AudioEngine& e) { e.Fade(0, 100); }},
      {"PasteMix inside", 200, 700, [](AudioEngine& e) { e.PasteMix(50, 100); }},
      // The source runs past the end: the document grows, the audio under the markers stays put.
      {"PasteMix extending", 800, 1000, [](AudioEngine& e) { e.PasteMix(50, 100); }},
  };
  for (const Case& c : cases) {
    LoadRamp(400);
    engine.SetSelection(0, 400);
    engine.CopyToClipboard();
    LoadRamp(1000);
    engine.AddMarker(500, 0, L"mark", L"Bookmark");
    engine.AddMarker(300, 200, L"region", L"Region");
    engine.AddMarker(900, 0, L"late", L"Bookmark");
    engine.AddMarker(850, 150, L"tail", L"Region");
    const auto places = MarkerPlaces(engine);
    engine.SetSelection(c.from, c.to);
    c.run(engine);
    const std::vector<float> edited = All(engine);
    EXPECT_EQ(MarkerPlaces(engine), places) << c.name;
    engine.Undo();
    EXPECT_EQ(All(engine), original) << c.name;
    EXPECT_EQ(MarkerPlaces(engine), places) << c.name;
    engine.Redo();
    EXPECT_EQ(All(engine), edited) << c.name;
    EXPECT_EQ(MarkerPlaces(engine), places) << c.name;
  }
}

TEST_F(Engine, MarkersScaleThroughASpeedChangeAndUndoRestoresThem) {
  LoadRamp(1000, 1);
  engine.AddMarker(100, 0, L"before", L"Bookmark");
  engine.AddMarker(400, 0, L"inside", L"Bookmark");
  engine.AddMarker(300, 200, L"region inside", L"Region");
  engine.AddMarker(500, 400, L"region across the end", L"Region");
  engine.AddMarker(800, 0, L"after", L"Bookmark");
  const auto places = MarkerPlaces(engine);
  engine.SetSelection(200, 600);
  SpeedChangeEffect twice(200);
  engine.ApplyEffect(L"SpeedChange", twice);
  ASSERT_EQ(engine.Length(), 800);  // the 400 selected frames became 200
  const auto scaled = MarkerPlaces(engine);
  const std::vector<std::pair<std::int64_t, std::int64_t>> expected = {
      {100, 0}, {300, 0}, {250, 100}, {350, 350}, {600, 0}};
  EXPECT_EQ(scaled, expected);
  engine.Undo();
  EXPECT_EQ(MarkerPlaces(engine), places);
  engine.Redo();
  EXPECT_EQ(MarkerPlaces(engine), scaled);
}

TEST_F(Engine, UndoClampsMarkersAddedAfterTheStepToTheRestoredLength) {
  LoadRamp(1000, 1);
  engine.SetCursorPosition(500);
  engine.InsertSamples(Buffer(std::vector<float>(1000, 0.5f), 1));
  engine.AddMarker(1800, 0, L"bookmark past the old end", L"Bookmark");
  engine.AddMarker(900, 400, L"region across the old end", L"Region");
  engine.AddMarker(1500, 400, L"region past the old end", L"Region");
  const auto places = MarkerPlaces(engine);
  engine.Undo();
  ASSERT_EQ(engine.Length(), 1000);
  const std::vector<std::pair<std::int64_t, std::int64_t>> clamped = {{1000, 0}, {900, 100}, {1000, 0}};
  EXPECT_EQ(MarkerPlaces(engine), clamped);
  engine.Redo();
  EXPECT_EQ(MarkerPlaces(engine), places);
}

TEST_F(Engine, MarkerIdsAreRenumberedAfterADeletion) {
  LoadRamp(1000, 1);
  EXPECT_EQ(engine.AddMarker(10, 0, L"first", L"Bookmark"), 1);
  EXPECT_EQ(engine.AddMarker(20, 30, L"second", L"Region"), 2);
  EXPECT_EQ(engine.AddMarker(40, 0, L"third", L"Bookmark"), 3);
  engine.SelectMarker(2);
  engine.DeleteMarker();
  EXPECT_EQ(engine.MarkerCount(), 2);
  engine.SelectMarker(2);
  EXPECT_EQ(engine.MarkerId(), 2);
  EXPECT_EQ(engine.SelectedMarker().Name, L"third");
  EXPECT_EQ(engine.SelectedMarker().Position, 40);
  EXPECT_THROW(engine.SelectMarker(3), EAudioError);
  EXPECT_THROW(engine.SelectMarker(0), EAudioError);
  // Undo does not bring a deleted marker back nor remove one added since.
  engine.SetSelection(0, 5);
  engine.DeleteSelected();
  engine.AddMarker(100, 0, L"fourth", L"Bookmark");
  engine.Undo();
  EXPECT_EQ(engine.MarkerCount(), 3);
}

TEST_F(Engine, CompoundBracketsNestAndUnclosedOnesAreClosedByUndo) {
  LoadRamp(1000);
  engine.SetSelection(0, 1000);
  engine.BeginCompound();
  engine.Amplify(50);
  engine.BeginCompound();
  engine.Invert();
  engine.EndCompound();
  engine.Amplify(50);
  engine.EndCompound();
  engine.EndCompound();  // a lone end does nothing
  engine.Undo();
  EXPECT_EQ(All(engine), original);
  EXPECT_FALSE(engine.CanUndo());

  engine.BeginCompound();
  engine.Amplify(50);
  engine.Undo();  // closes the bracket left open
  engine.Amplify(50);
  engine.Amplify(50);
  engine.Undo();
  const std::vector<float> half = Signal(1000, 2, [](std::int64_t i, int c) { return Ramp(i, c) * 0.5f; });
  EXPECT_EQ(All(engine), half);
}

TEST_F(Engine, AFailedOpenOrNewDocumentClosesAnOpenBracket) {
  TempPath missing("missing.wav");
  const std::function<void()> failures[] = {[&] { engine.OpenFile(missing.Path()); },
                                            [&] { engine.NewDocument(44100, 3); }};
  const std::vector<float> half = Signal(1000, 2, [](std::int64_t i, int c) { return Ramp(i, c) * 0.5f; });
  for (const auto& fail : failures) {
    LoadRamp(1000);
    engine.SetSelection(0, 1000);
    engine.BeginCompound();
    EXPECT_THROW(fail(), EAudioError);
    engine.Amplify(50);
    engine.Invert();
    engine.Undo();  // only the inversion: the bracket did not survive the failure
    EXPECT_EQ(All(engine), half);
    EXPECT_TRUE(engine.CanUndo());
  }
}

TEST_F(Engine, EmptyInsertionsAndCopiesChangeNothing) {
  LoadRamp(100);
  engine.SetSelection(0, 10);
  engine.CopyToClipboard();
  engine.SetSelection(40, 60);
  engine.InsertSamples(SampleBuffer(2, 44100, 0));
  EXPECT_FALSE(engine.CanUndo());
  EXPECT_EQ(engine.SelectionStart(), 40);
  EXPECT_EQ(engine.SelectionEnd(), 60);

  engine.SetCursorPosition(50);
  engine.CutSelection();
  engine.CopyToClipboard();
  EXPECT_FALSE(engine.CanUndo());
  engine.SetCursorPosition(0);
  engine.PasteClipboard();  // still the first ten frames
  EXPECT_EQ(All(engine), Concat(Range(original, 2, 0, 10), original));
}

TEST_F(Engine, UndoAndRedoAllocateNoSampleStorage) {
  LoadRamp(kBlockFrames * 3);
  engine.SetSelection(0, engine.Length());
  engine.Amplify(50);
  const std::int64_t resident = engine.Store().ResidentBytes();
  engine.Undo();
  engine.Redo();
  engine.Undo();
  EXPECT_EQ(engine.Store().ResidentBytes(), resident);
}

TEST_F(Engine, LongOperationsReportEachPercentThenEndOnce) {
  engine.SetProgressThreshold(1000);
  LoadRamp(5000);
  percents.clear();
  endEvents = 0;
  engine.SetSelection(0, 5000);
  engine.Amplify(200);
  std::vector<int> expected(101);
  for (int i = 0; i <= 100; ++i) expected[i] = i;
  EXPECT_EQ(percents, expected);
  EXPECT_EQ(endEvents, 1);

  // Short ones report nothing.
  percents.clear();
  endEvents = 0;
  engine.SetSelection(0, 999);
  engine.Amplify(50);
  EXPECT_TRUE(percents.empty());
  EXPECT_EQ(endEvents, 0);
}

TEST_F(Engine, AnInjectedFailureMidwayLeavesDocumentAndHistoryUnchanged) {
  engine.SetProgressThreshold(1000);
  LoadRamp(kBlockFrames * 4);
  engine.SetSelection(10, kBlockFrames * 4 - 10);
  engine.Amplify(50);  // one step to keep
  const std::vector<float> before = All(engine);
  percents.clear();
  endEvents = 0;
  positionEvents = 0;
  engine.InjectFailure(L"Reverse", L"Disk full");
  EXPECT_EQ(MessageOf([&] { engine.Reverse(); }), L"Disk full");
  EXPECT_EQ(All(engine), before);
  EXPECT_EQ(engine.SelectionStart(), 10);
  EXPECT_EQ(engine.SelectionEnd(), kBlockFrames * 4 - 10);
  EXPECT_EQ(endEvents, 1);
  EXPECT_FALSE(percents.empty());
  EXPECT_LT(percents.back(), 100);
  EXPECT_EQ(positionEvents, 0);
  EXPECT_FALSE(engine.Busy());
  engine.Undo();  // the step before the failure is still the last one
  EXPECT_EQ(All(engine), original);
  EXPECT_FALSE(engine.CanUndo());
}

TEST_F(Engine, ChangesFromInsideAProgressEventRaiseBusyAndGettersSeeTheOldDocument) {
  engine.SetProgressThreshold(100);
  LoadRamp(1000);
  engine.SetCursorPosition(500);
  String busy;
  std::int64_t lengthSeen = -1;
  engine.OnBlockOperation = [&](int percent) {
    if (percent != 50) return;
    lengthSeen = engine.Length();
    busy = MessageOf([&] { engine.SetCursorPosition(0); });
  };
  engine.InsertSilence(1000.0);
  EXPECT_EQ(lengthSeen, 1000);
  EXPECT_NE(busy.find(L"busy"), String::npos);
  EXPECT_EQ(engine.Length(), 1000 + 44100);
}

TEST_F(Engine, EachPositionCallFiresOneEventAndClamps) {
  LoadRamp(1000);
  struct Case {
    const char* name;
    std::function<void()> call;
    std::int64_t start, end;
  } cases[] = {
      {"cursor", [&] { engine.SetCursorPosition(300); }, 300, 300},
      {"cursor past end", [&] { engine.SetCursorPosition(5000); }, 1000, 1000},
      {"start", [&] { engine.SetSelectionStart(-5); }, 0, 1000},
      {"end before start", [&] { engine.SetSelectionEnd(100); }, 0, 100},
      {"start past end", [&] { engine.SetSelectionStart(200); }, 200, 200},
      {"end", [&] { engine.SetSelectionEnd(700); }, 200, 700},
      {"undo", [&] { engine.Undo(); }, 200, 700},
  };
  for (const Case& c : cases) {
    positionEvents = 0;
    c.call();
    EXPECT_EQ(positionEvents, std::string(c.name) == "undo" ? 0 : 1) << c.name;
    EXPECT_EQ(engine.SelectionStart(), c.start) << c.name;
    EXPECT_EQ(engine.SelectionEnd(), c.end) << c.name;
  }
  engine.SetSelectionChannel(-1);
  engine.SetSelectionChannel(0);
  EXPECT_THROW(engine.SetSelectionChannel(1), EAudioError);
}

TEST_F(Engine, ReadSamplesStopsAtTheEndAndRefusesWhatTheBudgetCannotHold) {
  LoadRamp(1000);
  engine.SetCursorPosition(900);
  SampleBuffer tail = engine.ReadSamples(500);
  EXPECT_EQ(tail.Frames(), 100);
  EXPECT_EQ(std::vector<float>(tail.Data(), tail.Data() + tail.Values()), Range(original, 2, 900, 1000));
  engine.CloseFile();
  EXPECT_EQ(engine.ReadSamples(10).UpperBound(), -1);

  LoadRamp(300000);
  engine.Store().SetBudget(1 << 20);
  engine.SetSelection(0, 300000);
  EXPECT_EQ(MessageOf([&] { engine.ReadSamples(300000); }), L"The selection is too long to process at once (3 MB).");
}

TEST_F(Engine, PasteMixCoversTheLongerOfSelectionAndSource) {
  struct Case {
    std::int64_t from, to, span, length;
  } cases[] = {
      {10, 70, 60, 100},  // selection longer: the rest of it is only scaled
      {80, 90, 40, 120},  // source longer and past the end: the document grows
      {30, 30, 40, 100},  // empty selection: the source's length
  };
  for (const Case& c : cases) {
    Load(engine, std::vector<float>(2 * 40, 0.25f), 2);
    engine.SetSelection(0, 40);
    engine.CopyToClipboard();
    Load(engine, std::vector<float>(2 * 100, 0.5f), 2);
    engine.SetSelection(c.from, c.to);
    engine.PasteMix(50, 100);
    std::vector<float> expected(static_cast<std::size_t>(2 * c.length), 0.5f);
    for (std::int64_t i = c.from; i < c.from + c.span; ++i) {
      const float mixed = (i < 100 ? 0.25f : 0.0f) + (i - c.from < 40 ? 0.25f : 0.0f);
      expected[2 * i] = expected[2 * i + 1] = mixed;
    }
    EXPECT_EQ(All(engine), expected) << c.from;
    EXPECT_EQ(engine.SelectionStart(), c.from);
    EXPECT_EQ(engine.SelectionEnd(), c.from + c.span);
  }
}

TEST_F(Engine, InsertedFilesAreConvertedToTheDocumentsChannels) {
  TempPath mono("mono.wav"), stereo("stereo.wav");
  WriteWav(mono, {0.5f, -0.25f}, 1, 44100);
  WriteWav(stereo, {0.5f, 0.25f, -1.0f, 0.0f}, 2, 44100);
  LoadRamp(10, 2);
  engine.SetCursorPosition(4);
  engine.InsertFile(mono.Path());
  EXPECT_EQ(Range(All(engine), 2, 4, 6), (std::vector<float>{0.5f, 0.5f, -0.25f, -0.25f}));
  EXPECT_EQ(engine.SelectionStart(), 4);
  EXPECT_EQ(engine.SelectionEnd(), 6);

  LoadRamp(10, 1);
  engine.SetSelection(2, 3);
  engine.MixFile(0, stereo.Path(), 100);
  EXPECT_EQ(Range(All(engine), 1, 2, 4), (std::vector<float>{0.375f, -0.5f}));
  EXPECT_EQ(engine.SelectionEnd(), 4);
}

TEST_F(Engine, InsertedFilesAreConvertedToTheDocumentsRate) {
  TempPath slow("slow.wav");
  WriteWav(slow, std::vector<float>(22050, 0.5f), 1, 22050);
  LoadRamp(0, 1);
  engine.InsertFile(slow.Path());
  ASSERT_EQ(engine.Length(), 44100);
  const std::vector<float> all = All(engine);
  for (std::int64_t i = 2000; i < 42000; i += 997) EXPECT_NEAR(all[i], 0.5f, 1e-4) << i;
}

TEST_F(Engine, PaddingWithSilenceByMillisecondsIsExact) {
  for (int missing : {1, 7, 44099, 123457}) {
    LoadRamp(1000, 1);
    engine.SetSelection(100, 200);
    const double ms = engine.SamplesToMilliseconds(missing);
    engine.SetCursorPosition(200);
    engine.InsertSilence(ms);
    EXPECT_EQ(engine.Length(), 1000 + missing) << missing;
    EXPECT_EQ(engine.SelectionStart(), 200);
    EXPECT_EQ(engine.SelectionEnd(), 200 + missing);
  }
  EXPECT_EQ(engine.MillisecondsToSamples(0.01), 0);
  EXPECT_EQ(engine.MillisecondsToSamples(0.012), 1);
}

TEST_F(Engine, SavesAndReopensFilesIncludingOverItsOwnSource) {
  TempPath path("own.wav"), part("part.wav");
  LoadRamp(kBlockFrames + 500);
  engine.SetSelection(1000, 3000);
  engine.SaveRangeAs(part.Path(), -1, kFileTypeWav);
  engine.SaveRangeAs(path.Path(), 0, kFileTypeWav);
  engine.OpenFile(part.Path());
  EXPECT_EQ(All(engine), Range(original, 2, 1000, 3000));
  EXPECT_EQ(engine.FormatText(), L"WAV PCM 16-bit, 44100 Hz, Stereo");

  engine.OpenFile(path.Path());
  EXPECT_EQ(All(engine), original);
  engine.SetSelection(0, 500);
  engine.DeleteSelected();
  engine.SaveRangeAs(path.Path(), 0, kFileTypeWav);  // the document still reads from this file
  const std::vector<float> edited = Range(original, 2, 500, kBlockFrames + 500);
  EXPECT_EQ(All(engine), edited);
  engine.Undo();
  EXPECT_EQ(All(engine), original);
  engine.OpenFile(path.Path());
  EXPECT_EQ(All(engine), edited);
}

TEST_F(Engine, SavesInTheFormatLastSet) {
  TempPath path("format.wav");
  LoadRamp(4410, 2);
  engine.SetFileFormat(kFileTypeWav, {22050, 1, 24});
  engine.SaveRangeAs(path.Path(), 0, kFileTypeWav);
  // The end of a long open comes once, with the new document already in place.
  engine.SetProgressThreshold(1000);
  std::int64_t lengthAtEnd = -1;
  engine.OnEndOperation = [&] { lengthAtEnd = engine.Length(), ++endEvents; };
  percents.clear();
  engine.OpenFile(path.Path());
  EXPECT_EQ(engine.FormatText(), L"WAV PCM 24-bit, 22050 Hz, Mono");
  EXPECT_EQ(engine.Length(), 2205);
  EXPECT_EQ(lengthAtEnd, 2205);
  EXPECT_EQ(endEvents, 1);
  ASSERT_FALSE(percents.empty());
  EXPECT_EQ(percents.front(), 0);
  EXPECT_EQ(percents.back(), 100);
}

TEST_F(Engine, FailedOpenAndUnavailableFormatsLeaveTheDocument) {
  TempPath garbage("garbage.wav"), missing("missing.wav"), mp3("song.mp3");
  {
    std::ofstream(garbage.FsPath(), std::ios::binary) << "RIFF\x04\0\0\0WAVEjunk";
    std::ofstream(mp3.FsPath(), std::ios::binary) << "ID3 not really";
  }
  LoadRamp(100);
  engine.SetSelection(10, 20);
  EXPECT_THROW(engine.OpenFile(garbage.Path()), EAudioError);
  EXPECT_THROW(engine.OpenFile(missing.Path()), EAudioError);
  EXPECT_EQ(MessageOf([&] { engine.OpenFile(mp3.Path()); }), L"MP3: format not available.");
  EXPECT_EQ(MessageOf([&] { engine.SaveRangeAs(mp3.Path(), 0, kFileTypeMp3); }), L"MP3: format not available.");
  EXPECT_EQ(All(engine), original);
  EXPECT_EQ(engine.SelectionEnd(), 20);

  engine.CloseFile();
  EXPECT_EQ(engine.Length(), 0);
  EXPECT_EQ(engine.SampleRate(), 44100);
  EXPECT_EQ(engine.Channels(), 2);
  EXPECT_THROW(engine.NewDocument(44100, 3), EAudioError);
}

TEST_F(Engine, SampleRateConversionIsOneStepAndMovesMarkers) {
  LoadRamp(44100, 2);
  engine.AddMarker(22050, 4410, L"r", L"Region");
  engine.SetSelection(100, 200);
  engine.ConvertSampleRate(22050, 1);
  EXPECT_EQ(engine.Length(), 22050);
  EXPECT_EQ(engine.Channels(), 1);
  engine.SelectMarker(1);
  EXPECT_EQ(engine.SelectedMarker().Position, 11025);
  EXPECT_EQ(engine.SelectedMarker().Length, 2205);
  EXPECT_EQ(engine.SelectionStart(), 50);
  engine.Undo();
  EXPECT_EQ(engine.SampleRate(), 44100);
  EXPECT_EQ(engine.Channels(), 2);
  EXPECT_EQ(All(engine), original);
  EXPECT_EQ(engine.SelectedMarker().Position, 22050);
}

TEST_F(Engine, AFailedSaveOverAnExistingFileLeavesItIntact) {
  TempPath folder("save-folder");
  std::filesystem::create_directory(folder.FsPath());
  const std::filesystem::path target = folder.FsPath() / "kept.wav";
  LoadRamp(kBlockFrames + 100);
  engine.SaveRangeAs(target.wstring(), 0, kFileTypeWav);
  auto contents = [&] {
    std::ifstream in(target, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string before = contents();

  LoadRamp(3 * kBlockFrames, 1);
  engine.InjectFailure(L"SaveRangeAs", L"The disk is full.");
  EXPECT_EQ(MessageOf([&] { engine.SaveRangeAs(target.wstring(), 0, kFileTypeWav); }), L"The disk is full.");
  EXPECT_EQ(contents(), before);
  const auto entries = std::distance(std::filesystem::directory_iterator(folder.FsPath()), {});
  EXPECT_EQ(entries, 1);  // no temporary file left beside it
  std::filesystem::remove_all(folder.FsPath());
}

TEST(EngineSpill, SpillFilesGoIntoTheTemporaryFolder) {
  TempPath folder("spill-folder");
  AudioEngine engine;  // freed before the folder, which then holds nothing
  engine.SetTempDirectory(folder.Path());  // not created yet: spilling must fail naming it
  engine.Store().SetBudget(0);
  const std::vector<float> ramp = Signal(kBlockFrames + 10, 2, Ramp);
  const String message = MessageOf([&] { Load(engine, ramp, 2); });
  EXPECT_NE(message.find(folder.Path()), String::npos) << Utf8Encode(message);

  std::filesystem::create_directory(folder.FsPath());
  Load(engine, ramp, 2);
  EXPECT_EQ(All(engine), ramp);
  EXPECT_EQ(engine.Store().ResidentBytes(), 0);
#ifdef _WIN32
  // Windows lists a delete-on-close file until it is closed.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.FsPath()), {}), 1);
#endif
}

TEST_F(Engine, ATinyBudgetSpillsAndEditsReadBackExactly) {
  engine.Store().SetBudget(0);
  LoadRamp(kBlockFrames * 2 + 10);
  engine.SetSelection(5, kBlockFrames + 7);
  engine.CutSelection();
  engine.SetCursorPosition(3);
  engine.PasteClipboard();
  const std::vector<float> expected = Concat(
      Concat(Concat(Range(original, 2, 0, 3), Range(original, 2, 5, kBlockFrames + 7)), Range(original, 2, 3, 5)),
      Range(original, 2, kBlockFrames + 7, kBlockFrames * 2 + 10));
  EXPECT_EQ(All(engine), expected);
  EXPECT_EQ(engine.Store().ResidentBytes(), 0);
}

}  // namespace
