// The recording console over the scripted input device, the real recorder and the real WAV writer:
// every take is a file read back through the audio layer. The clock is the test's, timers are fired
// by calling their handlers, message boxes are answered and the two dialogs driven by a script.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "app/core/Globals.h"
#include "app/core/Paths.h"
#include "app/core/WindowsMixer.h"
#include "capture/RecordControl.h"
#include "capture/RecordingTimer.h"
#include "capture/RecordingWithoutSilence.h"
#include "dialogs/ImageSlider.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/devices/ScriptedDevices.h"
#include "platform/audio/processing/AudioFile2.h"
#include "platform/audio/transport/AudioRecord2.h"
#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Controls.h"
#include "tests/support/TestSupport.h"

using testing_support::PumpUntil;

namespace {

constexpr int kRate = 8000;
constexpr int kBlockFrames = kRate / 5;  // 200 ms
constexpr TDateTime kSecond = 1.0 / 86400.0;

class RecordControlTest : public testing::Test {
 protected:
  RecordControlTest() {
    script->Lines = {{L"Microphone", false, true, 0}, {L"Line In", true, true, 32768}, {L"CD", false, false, 1000}};
    GlobalVars.RecordingFilePath = scratch.File(L"Recording.wav");
    GlobalVars.RecordingStopAfter = StrToTime(L"00:00:30");
    GlobalVars.AccuEnabled = false;
    GlobalVars.AccuAttackTime = 100;
    GlobalVars.AccuReleaseTime = 300;
    GlobalVars.AccuAttackLevel = -45;
    GlobalVars.AccuReleaseLevel = -45;
    previousBoxes_ = SetMessageBoxAnswerer([this](HWND, const String& text, const String&, UINT flags) {
      boxes.push_back(text);
      boxFlags.push_back(flags);
      return IDOK;
    });
    previousDriver_ = SetModalDriver([this](const TModalLoop& loop) {
      auto* modal = dynamic_cast<TCustomForm*>(FindControl(loop.Window));
      if (modal && !modalScripts.empty()) {
        auto next = std::move(modalScripts.front());
        modalScripts.erase(modalScripts.begin());
        next(modal);
      }
      if (!modal || modal->ModalResult == mrNone) loop.End();
    });
    AudioCallLog::Clear();
    // A long material ramp: every recorded frame tells where it came from.
    for (int i = 0; i < kRate * 4; ++i) script->Material.push_back(static_cast<float>(i % 1000) / 2000.0f);
  }
  ~RecordControlTest() override {
    if (console) {
      console->Close();
      console->Free();
    }
    AudioCallLog::Enable(false);
    SetMessageBoxAnswerer(previousBoxes_);
    SetModalDriver(previousDriver_);
  }

  void Open(int rate = kRate, int channels = 1) {
    console = new TRecordControlForm(nullptr);
    console->RecordSampleRate = rate;
    console->RecordChannels = channels;
    console->Show();
  }

  // Moves the clock and pumps until the recorder has taken the captured frames.
  void RecordFor(UInt64 ms) {
    clock.Advance(ms);
    const std::int64_t target = script->DeliveredFrames;
    ASSERT_TRUE(PumpUntil([&] { return script->DeliveredFrames > target; }));
    testing_support::PumpFor(20);
  }

  std::vector<String> Log() const { return AudioCallLog::Lines(); }
  bool Logged(const String& line) const {
    const auto lines = Log();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  void Idle() { console->UpdateActionStates(); }

  TManualClock clock{EncodeDateTime(2026, 3, 14, 12, 0, 0, 0), 1000};
  TClockScope clockScope{clock};
  std::shared_ptr<ScriptedInputScript> script = std::make_shared<ScriptedInputScript>();
  ScriptedDevicesScope devices{script};
  testing_support::ScratchFolder scratch;
  TRecordControlForm* console = nullptr;
  std::vector<String> boxes;
  std::vector<UINT> boxFlags;
  std::vector<std::function<void(TCustomForm*)>> modalScripts;

 private:
  TMessageBoxAnswerer previousBoxes_;
  TModalScript previousDriver_;
};

// ---- opening -----------------------------------------------------------------------------------

TEST_F(RecordControlTest, WithoutAnInputLineTheConsoleSaysSoAndWritesNoVolume) {
  script->Lines.clear();
  AudioCallLog::Enable(true);
  Open();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], L"No Line In detected. Please check the audio device.");
  EXPECT_TRUE(boxFlags[0] & MB_ICONERROR);
  EXPECT_EQ(console->ComboBoxLineIn->Items()->Count(), 0);
  std::vector<String> selects;
  for (const String& line : Log())
    if (line.rfind(L"TAudioRecord2.SelectLine", 0) == 0) selects.push_back(line);
  EXPECT_EQ(selects, std::vector<String>{L"TAudioRecord2.SelectLine(0)"});
  EXPECT_FALSE(console->ImageSliderVolume->Enabled());
  // The handler's write goes to no line: the recorder answers SelectLine(0) with inert setters.
  AudioCallLog::Clear();
  console->ImageSliderVolume->SetValue(70);
  EXPECT_EQ(console->LabelCurrentVolume->Caption(), L"70 %");
  EXPECT_EQ(Log(), (std::vector<String>{L"TAudioRecord2.SelectLine(0)", L"TAudioRecord2.SetLineVolume(45874)"}));
  EXPECT_TRUE(script->Lines.empty());
}

TEST_F(RecordControlTest, OpeningListsTheLinesAppliesTheSelectedOneAndTheFormatInOrder) {
  AudioCallLog::Enable(true);
  Open(22050, 2);
  EXPECT_EQ(console->ComboBoxLineIn->Items()->Count(), 3);
  EXPECT_EQ(console->ComboBoxLineIn->ItemIndex(), 1);
  EXPECT_TRUE(console->ImageSliderVolume->Enabled());
  EXPECT_EQ(console->ImageSliderVolume->Value(), 50);
  EXPECT_EQ(console->LabelCurrentVolume->Caption(), L"50 %");
  EXPECT_EQ(script->Lines[1].Volume, 32768);  // shown, not written back
  const std::vector<String> expected = {
      L"TAudioRecord2.SetOption(1)",        L"TAudioRecord2.GetLineCount()",   L"TAudioRecord2.SelectLine(1)",
      L"TAudioRecord2.GetLineName()",       L"TAudioRecord2.IsLineSelected()", L"TAudioRecord2.SelectLine(2)",
      L"TAudioRecord2.GetLineName()",       L"TAudioRecord2.IsLineSelected()", L"TAudioRecord2.SelectLine(3)",
      L"TAudioRecord2.GetLineName()",       L"TAudioRecord2.IsLineSelected()", L"TAudioRecord2.SelectLine(2)",
      L"TAudioRecord2.SetLineSelected(true)", L"TAudioRecord2.LineHasVolume()", L"TAudioRecord2.GetLineVolume()",
      L"TAudioRecord2.SetRecordingFormat(22050, 2)", L"TAudioFile2.SetWaveFormat(22050, 2, 16)"};
  std::vector<String> log = Log();
  log.resize(std::min(log.size(), expected.size()));
  EXPECT_EQ(log, expected);
  for (TAction* action : {console->ActionRecord, console->ActionPause, console->ActionDelete,
                          console->ActionTimerRecord, console->ActionMixer, console->ActionTestDevice})
    EXPECT_EQ(action->Caption().substr(0, 8), L"       " + action->Caption().substr(7, 1)) << action->Caption();
  EXPECT_EQ(console->ActionRecord->Caption(), L"       Record");
}

// ---- volume -----------------------------------------------------------------------------------

TEST_F(RecordControlTest, TheSliderWritesTheVolumeOnceAndAnotherLineIsOnlyShown) {
  Open();
  AudioCallLog::Enable(true);
  console->ImageSliderVolume->SetValue(33);
  EXPECT_EQ(script->Lines[1].Volume, static_cast<int>(std::nearbyint(33 / 100.0 * 65535)));
  int writes = 0;
  for (const String& line : Log()) writes += line.rfind(L"TAudioRecord2.SetLineVolume", 0) == 0;
  EXPECT_EQ(writes, 1);
  EXPECT_EQ(console->LabelCurrentVolume->Caption(), L"33 %");

  AudioCallLog::Clear();
  console->ComboBoxLineIn->SetItemIndex(2);
  console->ComboBoxLineInChange(console->ComboBoxLineIn);
  EXPECT_EQ(console->ImageSliderVolume->Value(), 0);  // a line without volume answers 0
  EXPECT_FALSE(console->ImageSliderVolume->Enabled());
  EXPECT_EQ(script->Lines[2].Volume, 1000);
  for (const String& line : Log()) EXPECT_EQ(line.find(L"SetLineVolume"), String::npos) << line;

  console->ComboBoxLineIn->SetItemIndex(1);
  console->ComboBoxLineInChange(console->ComboBoxLineIn);
  const struct {
    void (TRecordControlForm::*Click)(TObject*);
    int Value;
  } labels[] = {{&TRecordControlForm::LabelVolume0Click, 0},
                {&TRecordControlForm::LabelVolume100Click, 100},
                {&TRecordControlForm::LabelCurrentVolumeClick, 50}};
  for (const auto& label : labels) {
    (console->*label.Click)(nullptr);
    EXPECT_EQ(console->ImageSliderVolume->Value(), label.Value);
    EXPECT_EQ(script->Lines[1].Volume, static_cast<int>(std::nearbyint(label.Value / 100.0 * 65535)));
  }
}

// ---- a take ----------------------------------------------------------------------------------

TEST_F(RecordControlTest, ATakeWithAPauseIsKeptAsAClosedWavOfExactlyItsBlocks) {
  Open();
  AudioCallLog::Enable(true);
  console->ActionRecordExecute(nullptr);
  ASSERT_TRUE(console->Recording());
  RecordFor(450);  // two blocks
  console->ActionPauseExecute(nullptr);
  EXPECT_TRUE(console->Paused());
  console->ActionRecordExecute(nullptr);
  ASSERT_TRUE(console->Recording());
  RecordFor(250);  // one block
  console->ActionKeepExecute(nullptr);
  EXPECT_EQ(console->ModalResult, mrOk);
  EXPECT_TRUE(console->NothingToKeep());

  // The silence settings reached the recorder in their order before the start.
  const std::vector<String> silence = {
      L"TAudioRecord2.SetSilenceDetection(false)", L"TAudioRecord2.SetAttackLevel(-45)",
      L"TAudioRecord2.SetAttackTime(100)", L"TAudioRecord2.SetReleaseLevel(-45)",
      L"TAudioRecord2.SetReleaseTime(300)"};
  const auto log = Log();
  const auto first = std::find(log.begin(), log.end(), silence[0]);
  ASSERT_NE(first, log.end());
  EXPECT_EQ(std::vector<String>(first, first + 5), silence);

  // Renaming proves the writer let go of the file.
  const String moved = scratch.File(L"kept.wav");
  ASSERT_TRUE(MoveFileW(GlobalVars.RecordingFilePath.c_str(), moved.c_str()));
  ObjectPtr<TAudioFile2> reader(NewObject<TAudioFile2>(nullptr));
  reader->OpenRead(moved, 0, 1);
  EXPECT_EQ(reader->GetSampleRate(), kRate);
  EXPECT_EQ(reader->GetChannels(), 1);
  ASSERT_EQ(reader->GetLength(), 3 * kBlockFrames);
  const SampleBuffer all = reader->ReadBlock(3 * kBlockFrames);
  // The first two blocks are the material's start; the third goes on after the pause.
  for (int i : {0, 1, kBlockFrames * 2 - 1}) EXPECT_NEAR(all.Data()[i], script->Material[i], 1.0 / 16384) << i;
}

TEST_F(RecordControlTest, NoWaitingBlockWritesNothing) {
  Open();
  console->ActionRecordExecute(nullptr);
  console->AudioRecordEndArrayRecord(nullptr, 1);
  console->ActionKeepExecute(nullptr);
  ObjectPtr<TAudioFile2> reader(NewObject<TAudioFile2>(nullptr));
  reader->OpenRead(GlobalVars.RecordingFilePath, 0, 1);
  EXPECT_EQ(reader->GetLength(), 0);
}

// ---- states -------------------------------------------------------------------------------------

TEST_F(RecordControlTest, TheStateTable) {
  Open();
  Idle();
  EXPECT_EQ(console->LabelLabelStatus->Caption(), L"[ Ready ]");
  EXPECT_FALSE(console->ActionKeep->Enabled());
  EXPECT_FALSE(console->ActionPause->Enabled());

  // Ready, Record, start fails -> Ready with the message.
  script->FailStartWith = 4;
  console->ActionRecordExecute(nullptr);
  Idle();
  EXPECT_EQ(boxes, std::vector<String>{L"Error when start recording."});
  EXPECT_EQ(console->LabelLabelStatus->Caption(), L"[ Ready ]");
  EXPECT_FALSE(console->ActionKeep->Enabled());
  script->FailStartWith = 0;

  // Ready -> Recording -> Paused -> Recording.
  console->ActionRecordExecute(nullptr);
  Idle();
  EXPECT_EQ(console->LabelLabelStatus->Caption(), L"[ Recording ]");
  EXPECT_FALSE(console->ActionRecord->Enabled());
  EXPECT_TRUE(console->ActionPause->Enabled());
  EXPECT_TRUE(console->ActionKeep->Enabled());
  console->ActionPauseExecute(nullptr);
  Idle();
  EXPECT_EQ(console->LabelLabelStatus->Caption(), L"[ Paused ]");
  console->ActionRecordExecute(nullptr);
  Idle();
  EXPECT_EQ(console->LabelLabelStatus->Caption(), L"[ Recording ]");

  // Paused, resume fails -> Ready, file closed; Keep stays enabled (kept as specified).
  console->ActionPauseExecute(nullptr);
  script->FailStartWith = 4;
  console->ActionRecordExecute(nullptr);
  Idle();
  EXPECT_EQ(boxes.back(), L"Error when continue recording.");
  EXPECT_EQ(console->LabelLabelStatus->Caption(), L"[ Ready ]");
  EXPECT_TRUE(console->ActionKeep->Enabled());
  EXPECT_TRUE(DeleteFile(GlobalVars.RecordingFilePath));  // closed
  script->FailStartWith = 0;

  // Recording, Delete -> Ready, file deleted.
  console->ActionRecordExecute(nullptr);
  console->ActionDeleteExecute(nullptr);
  Idle();
  EXPECT_EQ(console->LabelLabelStatus->Caption(), L"[ Ready ]");
  EXPECT_FALSE(FileExists(GlobalVars.RecordingFilePath));
  EXPECT_FALSE(console->ActionKeep->Enabled());

  // The device test that fails.
  script->FailStartWith = 4;
  console->ActionTestDeviceExecute(nullptr);
  EXPECT_EQ(boxes.back(), L"Error when testing device.");
  EXPECT_FALSE(console->TestingDevice());
  EXPECT_EQ(console->ActionTestDevice->Caption(), L"       Test Device");
}

// ---- level -----------------------------------------------------------------------------------------

TEST_F(RecordControlTest, TheLevelWarningShowsAbove89AndGoesAtTheNextTickAfterTheLevelsFell) {
  Open();
  console->AudioRecordTimer(nullptr, 0, 89, 89);
  EXPECT_FALSE(console->LabelHigh->Visible());
  for (const auto& levels : {std::pair{90, 0}, std::pair{0, 90}}) {
    console->AudioRecordTimer(nullptr, 0, levels.first, levels.second);
    EXPECT_TRUE(console->LabelHigh->Visible());
    EXPECT_TRUE(console->ButtonVolumeHelp->Visible());
    console->TimerLevelHighTimer(nullptr);
    EXPECT_TRUE(console->LabelHigh->Visible());
    console->AudioRecordTimer(nullptr, 0, 89, 89);
    EXPECT_TRUE(console->LabelHigh->Visible());
    console->TimerLevelHighTimer(nullptr);
    EXPECT_FALSE(console->LabelHigh->Visible());
    EXPECT_FALSE(console->ButtonVolumeHelp->Visible());
  }
}

TEST_F(RecordControlTest, LoudMaterialRaisesTheWarningThroughTheRecorder) {
  script->Material.assign(static_cast<std::size_t>(kRate), 1.0f);
  Open();
  console->ActionTestDeviceExecute(nullptr);
  ASSERT_TRUE(console->TestingDevice());
  RecordFor(200);
  ASSERT_TRUE(PumpUntil([&] { return console->LevelTooHigh(); }));
  EXPECT_TRUE(console->LabelHigh->Visible());
}

// ---- the device test and closing (faults mended) --------------------------------------------------

TEST_F(RecordControlTest, TheDeviceTestNeverTouchesATakeAndWritesNothing) {
  Open();
  console->ActionRecordExecute(nullptr);
  RecordFor(250);
  Idle();
  EXPECT_FALSE(console->ActionTestDevice->Enabled());
  console->ActionPauseExecute(nullptr);
  Idle();
  EXPECT_FALSE(console->ActionTestDevice->Enabled());
  console->ActionTestDeviceExecute(nullptr);  // even when called, the take stays
  EXPECT_TRUE(console->Paused());
  EXPECT_TRUE(FileExists(GlobalVars.RecordingFilePath));
  console->ActionDeleteExecute(nullptr);
  Idle();
  EXPECT_TRUE(console->ActionTestDevice->Enabled());

  console->ActionTestDeviceExecute(nullptr);
  ASSERT_TRUE(console->TestingDevice());
  EXPECT_EQ(console->ActionTestDevice->Caption(), L"       Stop Test");
  RecordFor(450);
  EXPECT_FALSE(FileExists(GlobalVars.RecordingFilePath));
  console->ActionDeleteExecute(nullptr);  // does nothing during the test
  EXPECT_TRUE(console->TestingDevice());
  console->ActionTestDeviceExecute(nullptr);
  EXPECT_FALSE(console->TestingDevice());
  EXPECT_EQ(console->ActionTestDevice->Caption(), L"       Test Device");
}

TEST_F(RecordControlTest, DiscardAndTheCloseBoxStopTheRecorderAndCloseTheFileFirst) {
  for (bool closeBox : {false, true}) {
    Open();
    console->ActionRecordExecute(nullptr);
    RecordFor(250);
    if (closeBox) console->Close();
    else {
      console->ActionDiscardExecute(nullptr);
      EXPECT_EQ(console->ModalResult, mrCancel);
      console->Close();
    }
    EXPECT_FALSE(console->AudioRecord->Recording());
    EXPECT_EQ(console->AudioVisualization, nullptr);
    const std::int64_t delivered = script->DeliveredFrames;
    clock.Advance(500);
    testing_support::PumpFor(100);
    EXPECT_EQ(script->DeliveredFrames, delivered);
    EXPECT_TRUE(DeleteFile(GlobalVars.RecordingFilePath)) << closeBox;
    console->Free();
    console = nullptr;
  }
}

// ---- time display ---------------------------------------------------------------------------------

TEST_F(RecordControlTest, TheTimeDisplaySubtractsPausesAndCountsWholeHours) {
  clock.SetNow(EncodeDateTime(2026, 3, 14, 23, 59, 58, 0));
  Open();
  console->ActionRecordExecute(nullptr);
  clock.SetNow(clock.Now() + 1.5 * kSecond);
  console->ActionPauseExecute(nullptr);
  clock.SetNow(clock.Now() + 10 * kSecond);  // across midnight while paused
  console->ActionRecordExecute(nullptr);
  clock.SetNow(clock.Now() + 2.25 * kSecond);
  console->TimerTimeDisplayTimer(nullptr);
  EXPECT_EQ(console->LabelTime->Caption(), L"00:00:03:750");
  clock.SetNow(clock.Now() + 25.0 / 24);
  console->TimerTimeDisplayTimer(nullptr);
  EXPECT_EQ(console->LabelTime->Caption(), L"25:00:03:750");
}

// ---- timed recording --------------------------------------------------------------------------------

TEST_F(RecordControlTest, TheTimerDialogIsFilledFromTheConsolesState) {
  Open();
  struct TSeen {
    bool Automatically, PickersEnabled, RadiosEnabled;
    TDateTime Start;
  } seen{};
  const auto look = [&](TCustomForm* form) {
    auto* d = static_cast<TRecordingTimerForm*>(form);
    seen = {d->RadioButtonAutomatically->Checked(), d->DateTimePickerAutomaticallyData->Enabled(),
            d->RadioButtonManually->Enabled(), d->StartMoment()};
  };
  // Ready, nothing pending: manually, pickers at now.
  modalScripts.push_back(look);
  console->ActionTimerRecordExecute(nullptr);
  EXPECT_FALSE(seen.Automatically);
  EXPECT_TRUE(seen.RadiosEnabled);
  EXPECT_NEAR(seen.Start, clock.Now(), kSecond);

  // A pending start: automatically, pickers at it.
  const TDateTime later = EncodeDateTime(2026, 3, 16, 10, 0, 0, 0);
  modalScripts.push_back([&](TCustomForm* form) {
    auto* d = static_cast<TRecordingTimerForm*>(form);
    d->RadioButtonAutomatically->SetChecked(true);
    d->DateTimePickerAutomaticallyData->SetDateTime(later);
    d->DateTimePickerAutomaticallyTime->SetDateTime(later);
    d->ButtonStartClick(nullptr);
  });
  console->ActionTimerRecordExecute(nullptr);
  ASSERT_TRUE(console->TimedStart());
  EXPECT_NEAR(console->StartAt(), later, kSecond / 10);
  Idle();
  EXPECT_TRUE(console->LabelRecordingTimer->Visible());
  EXPECT_FALSE(console->ActionRecord->Visible());
  modalScripts.push_back(look);
  console->ActionTimerRecordExecute(nullptr);
  EXPECT_TRUE(seen.Automatically);
  EXPECT_TRUE(seen.PickersEnabled);
  EXPECT_NEAR(seen.Start, later, kSecond / 10);

  // The start waits for that day's 10:00, not an earlier day's.
  clock.SetNow(EncodeDateTime(2026, 3, 15, 10, 0, 0, 0));
  console->TimerAutoStartTimer(nullptr);
  EXPECT_FALSE(console->Recording());
  clock.SetNow(later - 2 * kSecond);
  console->TimerAutoStartTimer(nullptr);
  EXPECT_FALSE(console->Recording());
  // A tick three seconds late still starts (fault 4).
  clock.SetNow(later + 3 * kSecond);
  console->TimerAutoStartTimer(nullptr);
  EXPECT_TRUE(console->Recording());
  EXPECT_FALSE(console->TimedStart());
  EXPECT_FALSE(console->TimerAutoStart->Enabled());

  // Recording: manually, radios and start pickers disabled.
  modalScripts.push_back(look);
  console->ActionTimerRecordExecute(nullptr);
  EXPECT_FALSE(seen.Automatically);
  EXPECT_FALSE(seen.RadiosEnabled);
  EXPECT_FALSE(seen.PickersEnabled);
}

TEST_F(RecordControlTest, TheTimerDialogRefusesAPastStartOnlyWhenAutomaticAndMakesZeroTenSeconds) {
  Open();
  for (bool automatically : {false, true}) {
    boxes.clear();
    ObjectPtr<TRecordingTimerForm> d(new TRecordingTimerForm(console));
    d->Show();
    (automatically ? d->RadioButtonAutomatically : d->RadioButtonManually)->SetChecked(true);
    d->DateTimePickerAutomaticallyData->SetDateTime(clock.Now() - 1);
    d->DateTimePickerAutomaticallyTime->SetDateTime(clock.Now() - 1);
    d->DateTimePickerWhenRecordingTime->SetTime(0);
    d->ButtonStartClick(nullptr);
    if (automatically) {
      EXPECT_EQ(boxes, std::vector<String>{L"The entered starting date and time has already passed."});
      EXPECT_EQ(d->ModalResult, mrNone);
    } else {
      EXPECT_TRUE(boxes.empty());
      EXPECT_EQ(d->ModalResult, mrOk);
      EXPECT_EQ(TimeToStr(d->Duration()), TimeToStr(StrToTime(L"00:00:10")));
    }
  }
}

TEST_F(RecordControlTest, TheAutomaticStopCountsDownRestartsAfterTheDialogAndStopsOnALateTick) {
  Open();
  console->ActionRecordExecute(nullptr);
  const auto arm = [&](bool confirm) {
    modalScripts.push_back([confirm](TCustomForm* form) {
      auto* d = static_cast<TRecordingTimerForm*>(form);
      d->CheckBoxStopAfter->SetChecked(true);
      d->DateTimePickerWhenRecordingTime->SetTime(StrToTime(L"00:00:10"));
      if (confirm) d->ButtonStartClick(nullptr);
    });
    console->ActionTimerRecordExecute(nullptr);
  };
  arm(true);
  ASSERT_TRUE(console->StopAfter());
  EXPECT_TRUE(console->TimerAutoStop->Enabled());
  clock.SetNow(clock.Now() + 4 * kSecond);
  console->TimerAutoStopTimer(nullptr);
  EXPECT_EQ(console->LabelRecordingStops->Caption(), L"Recording stops after: 00:00:06");
  // Cancelling the dialog while recording restarts the countdown at this moment.
  arm(false);
  console->TimerAutoStopTimer(nullptr);
  EXPECT_EQ(console->LabelRecordingStops->Caption(), L"Recording stops after: 00:00:10");
  // A tick three seconds late stops at once (fault 3).
  clock.SetNow(clock.Now() + 13 * kSecond);
  console->TimerAutoStopTimer(nullptr);
  EXPECT_TRUE(console->Paused());
  EXPECT_FALSE(console->StopAfter());
  EXPECT_FALSE(console->TimerAutoStop->Enabled());
  EXPECT_EQ(console->LabelRecordingStops->Caption(), L"Recording stops after: 00:00:00");
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back(), L"The timed recording is completed.\n\rClick on the Keep button to open the recording in "
                          L"the sound editor.");
}

TEST_F(RecordControlTest, PauseDisarmsTheAutomaticStopAndResumeDoesNotReArmIt) {
  Open();
  console->ActionRecordExecute(nullptr);
  modalScripts.push_back([](TCustomForm* form) {
    auto* d = static_cast<TRecordingTimerForm*>(form);
    d->CheckBoxStopAfter->SetChecked(true);
    d->ButtonStartClick(nullptr);
  });
  console->ActionTimerRecordExecute(nullptr);
  ASSERT_TRUE(console->StopAfter());
  console->ActionPauseExecute(nullptr);
  EXPECT_FALSE(console->StopAfter());
  console->ActionRecordExecute(nullptr);
  EXPECT_FALSE(console->StopAfter());
  EXPECT_FALSE(console->TimerAutoStop->Enabled());
}

// ---- recording without silence --------------------------------------------------------------------

TEST_F(RecordControlTest, TheSilenceDialogChecksTheLevelsAttackFirst) {
  Open();
  struct TCase {
    const wchar_t *Attack, *Release;
    const wchar_t* Message;  // null: accepted
  };
  const TCase cases[] = {
      {L"-90", L"0", nullptr},
      {L"0", L"-90", nullptr},
      {L"-91", L"1", L"Attack Level must be less than 0 and more than -90. Please try again."},
      {L"1", L"-45", L"Attack Level must be less than 0 and more than -90. Please try again."},
      {L"-45", L"-91", L"Release Level must be less than 0 and more than -90. Please try again."},
      {L"-45", L"1", L"Release Level must be less than 0 and more than -90. Please try again."},
  };
  for (const TCase& c : cases) {
    boxes.clear();
    ObjectPtr<TRecordingWithoutSilenceForm> d(new TRecordingWithoutSilenceForm(console));
    d->Show();
    d->LoadValues(GlobalVars);
    d->EditAttackLevel->SetText(c.Attack);
    d->EditReleaseLevel->SetText(c.Release);
    d->ButtonOKClick(nullptr);
    if (c.Message) {
      EXPECT_EQ(boxes, std::vector<String>{c.Message}) << c.Attack << L" " << c.Release;
      EXPECT_EQ(d->ModalResult, mrNone);
    } else {
      EXPECT_TRUE(boxes.empty());
      EXPECT_EQ(d->ModalResult, mrOk);
    }
  }
}

TEST_F(RecordControlTest, TheMinusSignPassesOnlyAtTheStartOrOverAWholeSelection) {
  Open();
  ObjectPtr<TRecordingWithoutSilenceForm> d(new TRecordingWithoutSilenceForm(console));
  d->Show();
  TEdit* edit = d->EditAttackLevel;
  struct TCase {
    const wchar_t* Text;
    int SelStart, SelLength;
    wchar_t Key;
    bool Passes;
  };
  const TCase cases[] = {
      {L"45", 0, 0, L'-', true},  {L"45", 1, 0, L'-', false}, {L"45", 0, 2, L'-', true},
      {L"-45", 0, 0, L'-', false}, {L"-45", 0, 3, L'-', true}, {L"", 0, 0, L'-', true},
      {L"45", 1, 0, L'7', true},  {L"45", 1, 0, L'.', true},  {L"45", 1, 0, L'a', false},
      {L"45", 1, 0, L'\b', true},
  };
  for (const TCase& c : cases) {
    edit->SetText(c.Text);
    edit->SetSelStart(c.SelStart);
    edit->SetSelLength(c.SelLength);
    wchar_t key = c.Key;
    d->LevelKeyPress(edit, key);
    EXPECT_EQ(key != 0, c.Passes) << c.Text << L" at " << c.SelStart << L"+" << c.SelLength << L" key " << static_cast<int>(c.Key);
  }
}

TEST_F(RecordControlTest, AnEmptyTimeIsZeroAndCancelLeavesTheOptionOff) {
  Open();
  EXPECT_TRUE(console->ImageUnCheck->Visible());
  EXPECT_FALSE(console->ImageCheck->Visible());
  modalScripts.push_back([](TCustomForm* form) {
    auto* d = static_cast<TRecordingWithoutSilenceForm*>(form);
    EXPECT_EQ(d->EditAttackLevel->Text(), L"-45");
    d->EditAttackTime->SetText(L"");
    d->EditReleaseTime->SetText(L"250");
    d->ButtonOKClick(nullptr);
  });
  console->WithoutSilenceClick(nullptr);
  EXPECT_TRUE(GlobalVars.AccuEnabled);
  EXPECT_EQ(GlobalVars.AccuAttackTime, 0);
  EXPECT_EQ(GlobalVars.AccuReleaseTime, 250);
  EXPECT_TRUE(console->ImageCheck->Visible());
  console->WithoutSilenceClick(nullptr);  // ticked: a click clears it
  EXPECT_FALSE(GlobalVars.AccuEnabled);
  EXPECT_TRUE(console->ImageUnCheck->Visible());
  modalScripts.push_back([](TCustomForm*) {});  // cancelled
  console->WithoutSilenceClick(nullptr);
  EXPECT_FALSE(GlobalVars.AccuEnabled);
  EXPECT_TRUE(console->ImageUnCheck->Visible());
  EXPECT_FALSE(console->ImageCheck->Visible());
}

// ---- pixels -----------------------------------------------------------------------------------------

// The colour at a client point of a shown control, after everything is painted (0x00BBGGRR).
COLORREF PixelAt(TWinControl* control, int x, int y) {
  RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = GetDC(control->Handle());
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(control->Handle(), dc);
  return pixel;
}

// How many pixels of the rectangle have the colour.
int CountColour(TWinControl* control, const TRect& r, COLORREF colour) {
  RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = GetDC(control->Handle());
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) count += GetPixel(dc, x, y) == colour;
  ReleaseDC(control->Handle(), dc);
  return count;
}

TEST_F(RecordControlTest, TheTimeDisplayAndTheOptionPicturesAsPainted) {
  Open();
  SetWindowPos(console->Handle(), HWND_TOPMOST, 10, 10, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  testing_support::PumpFor(50);
  TPanel* panel = console->PanelTime;
  EXPECT_EQ(PixelAt(panel, panel->Width() - 8, 4), static_cast<COLORREF>(0xA76E34));
  const TRect text = console->LabelTime->BoundsRect();
  EXPECT_GT(CountColour(panel, text, 0xFFFFFF), 20);
  console->ActionRecordExecute(nullptr);
  EXPECT_GT(CountColour(panel, text, 0x004080FF), 20);
  EXPECT_EQ(CountColour(panel, text, 0xFFFFFF), 0);
  console->ActionDeleteExecute(nullptr);  // reset
  EXPECT_EQ(CountColour(panel, text, 0x004080FF), 0);
  EXPECT_GT(CountColour(panel, text, 0xFFFFFF), 20);

  // The tick's middle: green when ticked, the box's white when not.
  const int x = console->ImageCheck->Left() + 7, y = console->ImageCheck->Top() + 10;
  const COLORREF unticked = PixelAt(console, x, y);
  console->ImageUnCheck->SetVisible(false);
  console->ImageCheck->SetVisible(true);
  const COLORREF ticked = PixelAt(console, x, y);
  EXPECT_EQ(unticked, static_cast<COLORREF>(0xFFFFFF));
  EXPECT_NE(ticked, unticked);
  EXPECT_GT(GetGValue(ticked), GetRValue(ticked) + 60) << std::hex << ticked;
}

// ---- mixer ------------------------------------------------------------------------------------------

std::vector<String> launched;
TOSVersion version{6, 1};

TEST_F(RecordControlTest, TheMixerStartsTheCommandOfTheWindowsVersion) {
  Open();
  const TCommandLauncher previous = SetWindowsMixerLauncher([](const String& line) { launched.push_back(line); });
  Bound().OSVersion = [] { return version; };
  launched.clear();
  for (int major : {5, 6}) {
    version.Major = major;
    console->ActionMixerExecute(nullptr);
  }
  SetWindowsMixerLauncher(previous);
  ResetBoundFunctions();
  ASSERT_EQ(launched.size(), 2u);
  const String folder = AddTrailingBackslash(SystemFolderPath());
  EXPECT_EQ(launched[0], folder + L"sndvol32.exe /r");
  EXPECT_EQ(launched[1], folder + L"control.exe mmsys.cpl,,1");
}

}  // namespace
