// The effect commands and the preview on the real main window: the dialog each command shows, the
// editor call it ends in (the call log), the preview's buffer calls by number, its failures and its
// progress, the Effect menu and the enabling rows.

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "app/EffectCalls.h"
#include "app/core/Globals.h"
#include "app/core/Progress.h"
#include "dialogs/Echo.h"
#include "dialogs/Envelope.h"
#include "dialogs/SpeedChange.h"
#include "platform/audio/core/AudioEngine.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/devices/ScriptedDevices.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/audio/processing/AudioTransform2.h"
#include "platform/audio/transport/AudioPlayer2.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/Utf8.h"
#include "platform/framework/rtl/DateUtils.h"
#include "tests/app/CommandsFixture.h"

namespace {

using testing_support::PumpUntil;

// The settings every effect reads, each at a value of its own inside its dialog's range, so that a
// call shows which field went where.
void DistinctEffectSettings() {
  TGlobalVars& g = GlobalVars;
  g.DefAmplify = 31, g.DefNormalize = 77, g.DefHighPass = 1500;
  g.DefCompressorThreshold = -7, g.DefCompressorRate = 33;
  g.DefEchoDelayTime = 250, g.DefEchoMixDepth = 61, g.DefEchoFeedbackGain = 42;
  g.DefReverbDelayTime = 31, g.DefReverbMixDepth = 62, g.DefReverbFeedbackGain = 63, g.DefReverbGain = 34;
  g.DefReverbFrequency = 11000, g.DefReverbTaps = 7;
  g.DefFadeInt = 21, g.DefFadeFin = 81;
  g.DefMixChanLL = 11, g.DefMixChanLR = 12, g.DefMixChanRL = 13, g.DefMixChanRR = 14;
  g.DefNoiseReductionThreshold = -20, g.DefNoiseReductionRate = 44, g.DefNoiseReductionRMSTime = 66;
  g.DefSpeedChange = 150, g.DefPitchChange = 120;
  g.DefPhaserDelayTime = 301, g.DefPhaserMixDepth = 31, g.DefPhaserFeedbackGain = 46;
  g.DefFlangerDelayRate = 15, g.DefFlangerMixDepth = 51, g.DefFlangerFeedbackGain = 32;
  g.DefFlangerSweepDepth = 97, g.DefFlangerSweepRate = 19, g.DefFlangerSweepPhase = 41;
  g.DefChorusDelayRate = 11, g.DefChorusMixDepth = 21, g.DefChorusFeedbackGain = 61;
  g.DefChorusSweepDepth = 1, g.DefChorusSweepRate = 2, g.DefChorusSweepPhase = 91;
  g.DefVibratoSweepDepth = 41, g.DefVibratoSweepRate = 16, g.DefVibratoSweepPhase = 96;
  g.DefPeakEQFrequency = 9000, g.DefPeakEQSteepness = 51, g.DefPeakEQGain = -11;
  g.DefNotchFrequency = 8000, g.DefNotchSteepness = 52;
  g.DefBandPassFrequency = 7000, g.DefBandPassSteepness = 53;
  g.DefLowPassFrequency = 6000, g.DefLowPassSteepness = 54;
  g.DefLowShelfFrequency = 5000, g.DefLowShelfSteepness = 55, g.DefLowShelfGain = -12;
  g.DefHighShelfFrequency = 4000, g.DefHighShelfSteepness = 56, g.DefHighShelfGain = -13;
}

std::vector<String> Matching(const std::vector<String>& lines, const String& prefix) {
  std::vector<String> found;
  for (const String& line : lines)
    if (line.rfind(prefix, 0) == 0) found.push_back(line);
  return found;
}

// Index of the first line starting with the prefix, or -1.
int IndexOf(const std::vector<String>& lines, const String& prefix) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].rfind(prefix, 0) == 0) return int(i);
  return -1;
}

class CommandsEffectsTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    AssignDefaultValues(GlobalVars);
    AudioCallLog::Clear();
    AudioCallLog::Enable(true);
  }
  void TearDown() override {
    AudioCallLog::Enable(false);
    AssignDefaultValues(GlobalVars);
    CommandsTest::TearDown();
  }
  std::vector<String> Calls() const { return AudioCallLog::Lines(); }
  std::vector<String> EditorTransforms() const { return Matching(Calls(), L"TAudioEditor2.Transform."); }
  std::vector<String> BufferEffects() const { return Matching(Calls(), L"TAudioTransform2."); }
  // A preview from the echo dialog, then the dialog closed with the result.
  void PreviewThenClose(TModalResult result, int delay, bool& wasPreviewing) {
    OnNextModalForm([this, &wasPreviewing, result, delay](TCustomForm* modal) {
      auto* echo = dynamic_cast<TEchoForm*>(modal);
      echo->ImageSliderDelayTime->SetValue(delay);
      echo->ButtonPreviewClick(echo->ButtonPreview);
      wasPreviewing = form->Previewing();
      modal->ModalResult = result;
    });
  }

  TManualClock clock{0, 1000};
  TClockScope clockScope{clock};
  std::shared_ptr<ScriptedOutputScript> output = std::make_shared<ScriptedOutputScript>();
  ScriptedDevicesScope devices{output};
};

using TCommand = void (TMainForm::*)(TObject*);

struct TCommandRow {
  const char* what;
  TCommand command;
  const wchar_t* dialogClass;  // null: no dialog
  const wchar_t* call;         // the editor calls, in order, with DistinctEffectSettings
};

const TCommandRow kCommandRows[] = {
    {"Amplify", &TMainForm::ActionAmplifyExecute, L"TAmplifyForm", L"Amplify(31)"},
    {"Normalize", &TMainForm::ActionNormalizeExecute, L"TNormalizeForm", L"Normalize(77, -1)"},
    {"Compressor", &TMainForm::ActionDynamicRangeCompressorExecute, L"TDynamicRangeCompressorForm",
     L"CompressDynamics(-7, 33, 100)"},
    {"High Pass", &TMainForm::ActionHighPassExecute, L"THighPassForm", L"HighPass(1500, 100)"},
    {"Equalizer", &TMainForm::ActionEqualizerExecute, L"TEqualizerForm", L"Equalizer(12, 12)"},
    {"Echo", &TMainForm::ActionEchoExecute, L"TEchoForm", L"Echo(250, 61, 42)"},
    {"Reverb", &TMainForm::ActionReverbExecute, L"TReverbForm", L"Reverb(31, 62, 63, 34, 11000, 7)"},
    {"Reverse", &TMainForm::ActionReverseExecute, nullptr, L"Reverse()"},
    {"Fade In", &TMainForm::ActionFadeInExecute, nullptr, L"Fade(0, 100)"},
    {"Fade Out", &TMainForm::ActionFadeOutExecute, nullptr, L"Fade(100, 0)"},
    {"Fade Out and Trim", &TMainForm::ActionFadeOutAndTrimExecute, nullptr, L"Fade(100, 0)"},
    {"CrossFade", &TMainForm::ActionCrossFadeExecute, L"TCossFadeForm", L"Fade(21, 81)"},
    {"Envelope", &TMainForm::ActionEnvelopeExecute, L"TEnvelopeForm", L"Envelope(100000)"},
    {"Mix Stereo", &TMainForm::ActionMixStereoExecute, L"TMixStereoForm", L"MixStereo(11, 12, 13, 14)"},
    {"Noise Reduction", &TMainForm::ActionNoiseReductionExecute, L"TNoiseReductionForm",
     L"NoiseReduction(-20, 44, 66)"},
    {"Speed Change", &TMainForm::ActionSpeedChangeExecute, L"TSpeedChangeForm", L"SpeedChange(150)"},
    {"Pitch Change", &TMainForm::ActionPitchChangeExecute, L"TPitchChangeForm", L"PitchChange(120)"},
    {"Phaser", &TMainForm::ActionPhaserExecute, L"TPhaserForm", L"Phaser(301, 31, 46)"},
    {"Flanger", &TMainForm::ActionFlangerExecute, L"TFlangerForm", L"Flanger(15, 51, 32, 97, 19, 41)"},
    {"Chorus", &TMainForm::ActionChorusExecute, L"TChorusForm", L"Chorus(11, 21, 61, 1, 2, 91)"},
    {"Vibrato", &TMainForm::dxBarButtonVibratoClick, L"TVibratoForm", L"Vibrato(41, 16, 96)"},
    {"Peak EQ", &TMainForm::dxBarButtonPeakEQClick, L"TPeakEQForm", L"PeakEQ(-11, 9000, 51)"},
    {"Notch", &TMainForm::dxBarButtonNotchFilterClick, L"TNotchForm", L"Notch(8000, 52)"},
    {"Band Pass", &TMainForm::dxBarButtonBandPassClick, L"TBandPassForm", L"BandPass(7000, 53)"},
    {"Low Pass", &TMainForm::dxBarButtonLowPassClick, L"TLowPassForm", L"LowPass(6000, 54)"},
    {"Low Shelf", &TMainForm::dxBarButtonLowShelfClick, L"TLowShelfForm", L"LowShelf(5000, -12, 55)"},
    {"High Shelf", &TMainForm::dxBarButtonHighShelfClick, L"THighShelfForm", L"HighShelf(4000, -13, 56)"},
    {"Invert", &TMainForm::dxBarButtonInvertClick, nullptr, L"Invert()"},
    {"Cassette", &TMainForm::dxBarButtonCassetteNoiseReductionClick, nullptr, L"NoiseReduction(-13, 99, 55)"},
    {"Voice Breath", &TMainForm::dxBarButtonVoiceBreathNoiseReductionClick, nullptr, L"NoiseReduction(-30, 25, 30)"},
};

TEST_F(CommandsEffectsTest, EachCommandShowsItsDialogAndOnOKCallsTheEditorWithTheStoredValues) {
  OpenPattern(L"song.wav", 8000);
  for (const TCommandRow& row : kCommandRows) {
    SCOPED_TRACE(row.what);
    DistinctEffectSettings();
    Select(1000, 3000);
    form->SetModified(false);
    String shown;
    if (row.dialogClass)
      OnNextModalForm([&shown](TCustomForm* modal) {
        shown = modal->ClassName();
        modal->ModalResult = mrOk;
      });
    AudioCallLog::Clear();
    (form->*row.command)(form);
    EXPECT_TRUE(modalScripts.empty());
    modalScripts.clear();
    EXPECT_EQ(shown, row.dialogClass ? row.dialogClass : L"");
    const std::vector<String> transforms = EditorTransforms();
    ASSERT_FALSE(transforms.empty());
    EXPECT_EQ(transforms[0], String(L"TAudioEditor2.Transform.") + row.call);
    EXPECT_EQ(transforms.size(), 1u);
    EXPECT_TRUE(form->IsModified());
    EXPECT_EQ(IndexOf(Calls(), L"TAudioEditor2.Play("), -1);
    EXPECT_EQ(ErrorBoxes(), 0);
  }
}

TEST_F(CommandsEffectsTest, CancelCallsNothingAndLeavesTheDocumentClean) {
  OpenPattern(L"song.wav", 8000);
  for (const TCommandRow& row : kCommandRows) {
    if (!row.dialogClass) continue;
    SCOPED_TRACE(row.what);
    // Nothing selected: the whole document is selected before the dialog shows.
    Select(500, 500);
    std::int64_t start = -1, end = -1;
    OnNextModalForm([&](TCustomForm* modal) {
      start = SelectionStart(), end = SelectionEnd();
      modal->ModalResult = mrCancel;
    });
    AudioCallLog::Clear();
    (form->*row.command)(form);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 8000);
    EXPECT_TRUE(EditorTransforms().empty());
    EXPECT_FALSE(form->IsModified());
  }
  EXPECT_EQ(Samples(0, 8000), PatternFloats(0, 8000));
}

TEST_F(CommandsEffectsTest, WithTheOptionAnEffectPlaysAfterwardsAndFadeOutAndTrimEndsAtTheSelection) {
  OpenPattern(L"song.wav", 8000);
  GlobalVars.OP_PlayAfterEdit = true;
  Select(0, 0);
  form->ActionFadeInExecute(form);
  const std::vector<String> calls = Calls();
  EXPECT_LT(IndexOf(calls, L"TAudioEditor2.Transform.Fade(0, 100)"), IndexOf(calls, L"TAudioEditor2.Play(1)"));
  GlobalVars.OP_PlayAfterEdit = false;

  form->ActionUndoExecute(form);
  Select(2000, 5000);
  form->SetModified(false);
  form->ActionFadeOutAndTrimExecute(form);
  EXPECT_EQ(Length(), 5000);
  EXPECT_TRUE(form->IsModified());
  EXPECT_EQ(Samples(0, 2000), PatternFloats(0, 2000));
  // Faded from full to silence over the selection.
  EXPECT_NEAR(Samples(4999, 5000)[0], 0.0f, 1e-3f);
}

TEST_F(CommandsEffectsTest, EmptiedEditAndSpeedZeroApplyNothingAndLeaveTheDocumentClean) {
  OpenPattern(L"song.wav", 8000);
  Select(1000, 3000);
  OnNextModalForm([](TCustomForm* modal) {
    dynamic_cast<TEdit*>(modal->FindComponent(L"EditAmplify"))->SetText(L"");
    modal->ModalResult = mrOk;
  });
  EXPECT_THROW(form->ActionAmplifyExecute(form), EConvertError);
  OnNextModalForm([](TCustomForm* modal) {
    dynamic_cast<TEdit*>(modal->FindComponent(L"EditSpeedAdjust"))->SetText(L"0");
    modal->ModalResult = mrOk;
  });
  try {
    form->ActionSpeedChangeExecute(form);
    ADD_FAILURE() << "a speed of 0 % was applied";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Speed change must be between 10 % and 1000 %.");
  }
  EXPECT_EQ(GlobalVars.DefSpeedChange, 0);
  EXPECT_FALSE(form->IsModified());
  EXPECT_FALSE(Editor().CanUndo());
  EXPECT_EQ(Samples(0, 8000), PatternFloats(0, 8000));
}

TEST_F(CommandsEffectsTest, EnvelopeAppliesOneCallOfTheCurvesGainsAndAFlatCurveChangesNothingAudible) {
  OpenPattern(L"song.wav", 8000);
  Select(1000, 3000);
  float scaleMin = -1, scaleMax = -1;
  OnNextModalForm([&](TCustomForm* modal) {
    auto* envelope = dynamic_cast<TEnvelopeForm*>(modal);
    scaleMin = envelope->TD->ScaleXMin();
    scaleMax = envelope->TD->ScaleXMax();
    modal->ModalResult = mrOk;
  });
  form->ActionEnvelopeExecute(form);
  EXPECT_EQ(scaleMin, 1000.0f);
  EXPECT_EQ(scaleMax, 3000.0f);
  EXPECT_EQ(EditorTransforms(), std::vector<String>{L"TAudioEditor2.Transform.Envelope(100000)"});
  const std::vector<float> after = Samples(0, 8000), before = PatternFloats(0, 8000);
  for (std::size_t i = 0; i < after.size(); ++i) ASSERT_NEAR(after[i], before[i], 1e-5f) << i;
  EXPECT_TRUE(form->IsModified());
}

TEST(EffectCalls, DecibelsBecomeGainsOverEveryValueReceived) {
  std::vector<float> values = {0.0f, -6.0206f, 20.0f, -20.0f, 6.0206f};
  DecibelsToGains(values);
  ASSERT_EQ(values.size(), 5u);
  EXPECT_FLOAT_EQ(values[0], 1.0f);
  EXPECT_NEAR(values[1], 0.5f, 1e-4f);
  EXPECT_NEAR(values[2], 10.0f, 1e-4f);
  EXPECT_NEAR(values[3], 0.1f, 1e-5f);
  EXPECT_NEAR(values[4], 2.0f, 1e-4f);
}

TEST(EffectCalls, TheEqualizerArraysAreTheBandsInHundredthsAndTheFixedCentres) {
  TGlobalVars vars;
  AssignDefaultValues(vars);
  vars.EqualizerBuf1 = -180, vars.EqualizerBuf6 = 90, vars.EqualizerBuf12 = 55;
  const TEqualizerArrays arrays = EqualizerArrays(vars);
  const std::vector<float> frequencies = {31.25f, 62.5f, 125, 250, 500, 1000, 2000, 4000, 6000, 9000, 12000, 16000};
  EXPECT_EQ(arrays.Frequencies, frequencies);
  ASSERT_EQ(arrays.Gains.size(), 12u);
  EXPECT_FLOAT_EQ(arrays.Gains[0], -1.8f);
  EXPECT_FLOAT_EQ(arrays.Gains[5], 0.9f);
  EXPECT_FLOAT_EQ(arrays.Gains[11], 0.55f);
  EXPECT_FLOAT_EQ(arrays.Gains[1], 0.0f);
}

// ---- preview ---------------------------------------------------------------------------------------

TEST_F(CommandsEffectsTest, EachPreviewNumberRunsItsBufferEffectWithTheFilterGainFirst) {
  OpenPattern(L"song.wav", 8000);
  DistinctEffectSettings();
  const std::pair<int, const wchar_t*> rows[] = {
      {1, L"CompressDynamics(4000, -7, 33, 100)"},
      {2, L"Amplify(4000, 31)"},
      {3, L"HighPass(4000, 1500, 100)"},
      {4, L"Equalizer(4000, 12, 12)"},
      {5, L"Echo(4000, 250, 61, 42)"},
      {6, L"Reverb(4000, 31, 62, 63, 34, 11000, 7)"},
      {7, L"Fade(4000, 21, 81)"},
      {8, L"MixStereo(4000, 11, 12, 13, 14)"},
      {9, L"NoiseReduction(4000, -20, 44, 66)"},
      {10, L"SpeedChange(4000, 150)"},
      {11, L"PitchChange(4000, 120)"},
      {12, L"Phaser(4000, 301, 31, 46)"},
      {13, L"Flanger(4000, 15, 51, 32, 97, 19, 41)"},
      {14, L"Chorus(4000, 11, 21, 61, 1, 2, 91)"},
      {15, L"Notch(4000, 8000, 52)"},
      {16, L"BandPass(4000, 7000, 53)"},
      {17, L"LowPass(4000, 6000, 54)"},
      {18, L"LowShelf(4000, -12, 5000, 55)"},
      {19, L"HighShelf(4000, -13, 4000, 56)"},
      {20, L"PeakEQ(4000, -11, 9000, 51)"},
      {21, L"Vibrato(4000, 41, 16, 96)"},
  };
  for (const auto& [number, call] : rows) {
    SCOPED_TRACE(number);
    Select(1000, 3000);
    GlobalVars.PreviewOperationTypes = number;
    AudioCallLog::Clear();
    form->StartPreview();
    EXPECT_TRUE(form->Previewing());
    EXPECT_EQ(form->PreviewLength, 2000);
    EXPECT_EQ(BufferEffects(), std::vector<String>{String(L"TAudioTransform2.") + call});
    const std::vector<String> calls = Calls();
    EXPECT_GE(IndexOf(calls, L"TAudioPlayer2.QueueBuffer("), 0);
    form->StopPreview();
    EXPECT_FALSE(form->Previewing());
  }
  EXPECT_FALSE(form->IsModified());
  EXPECT_EQ(Samples(0, 8000), PatternFloats(0, 8000));
}

TEST_F(CommandsEffectsTest, AnUnknownNumberPlaysTheSelectionUnchangedUntilItsEnd) {
  OpenPattern(L"song.wav", 8000);
  Select(1000, 3000);
  GlobalVars.PreviewOperationTypes = -1;
  form->StartPreview();
  EXPECT_TRUE(BufferEffects().empty());
  EXPECT_EQ(Matching(Calls(), L"TAudioPlayer2.QueueBuffer("), std::vector<String>{L"TAudioPlayer2.QueueBuffer(4000)"});
  EXPECT_TRUE(form->Previewing());
  clock.Advance(1000);
  ASSERT_TRUE(PumpUntil([&] { return !form->Previewing(); }));
  EXPECT_EQ(output->PlayedFrames(), 2000);
  EXPECT_EQ(output->Played, PatternFloats(1000, 2000));
}


TEST_F(CommandsEffectsTest, CancelAfterAPreviewStopsItAndKeepsThePreviewedValues) {
  OpenPattern(L"song.wav", 8000);
  Select(1000, 3000);
  bool previewing = false;
  PreviewThenClose(mrCancel, 777, previewing);
  AudioCallLog::Clear();
  form->ActionEchoExecute(form);
  EXPECT_TRUE(previewing);
  EXPECT_FALSE(form->Previewing());
  EXPECT_EQ(Matching(Calls(), L"TAudioPlayer2.Stop()").size(), 1u);
  EXPECT_TRUE(EditorTransforms().empty());
  EXPECT_FALSE(form->IsModified());
  EXPECT_EQ(Samples(0, 8000), PatternFloats(0, 8000));
  EXPECT_EQ(GlobalVars.DefEchoDelayTime, 777);
  EXPECT_EQ(GlobalVars.PreviewOperationTypes, 5);
}

TEST_F(CommandsEffectsTest, OKWhilePreviewingStopsThePreviewBeforeTheEffect) {
  OpenPattern(L"song.wav", 8000);
  Select(1000, 3000);
  bool previewing = false;
  PreviewThenClose(mrOk, 120, previewing);
  AudioCallLog::Clear();
  form->ActionEchoExecute(form);
  EXPECT_TRUE(previewing);
  const std::vector<String> calls = Calls();
  const int stop = IndexOf(calls, L"TAudioPlayer2.Stop()");
  const int echo = IndexOf(calls, L"TAudioEditor2.Transform.Echo(120, 70, 40)");
  ASSERT_GE(stop, 0);
  EXPECT_GT(echo, stop);
  EXPECT_FALSE(form->Previewing());
  EXPECT_TRUE(form->IsModified());
}

TEST_F(CommandsEffectsTest, AFailingDeviceIsReportedAndNothingIsRead) {
  OpenPattern(L"song.wav", 8000);
  Select(1000, 3000);
  output->FailStartWith = 2;
  form->StartPreview();
  ASSERT_EQ(ErrorBoxes(), 1);
  EXPECT_EQ(boxes[0].Text, L"Starting audio device error.");
  EXPECT_EQ(boxes[0].Caption, Application->Title());
  EXPECT_EQ(IndexOf(Calls(), L"TAudioEditor2.ReadSamples("), -1);
  EXPECT_FALSE(form->Previewing());
}

std::vector<String> g_reported;
void RecordReported(const std::exception_ptr& error) { g_reported.push_back(DescribeException(error).Message); }

// A read over the store's budget and a speed the effect refuses: reported once through the
// application's handler, the player started for the preview stopped, the dialog idle again.
TEST_F(CommandsEffectsTest, AFailedReadOrTransformStopsThePlayerAndLeavesTheDialogIdle) {
  OpenPattern(L"song.wav", 8000);
  const std::int64_t budget = Editor().Engine().Store().Budget();
  const ExceptionSink previousSink = SetExceptionSink(&RecordReported);
  for (bool overBudget : {true, false}) {
    SCOPED_TRACE(overBudget ? "over the budget" : "speed 0");
    Select(1000, 3000);
    g_reported.clear();
    if (overBudget) Editor().Engine().Store().SetBudget(1000);
    String caption;
    bool previewing = true, busy = true;
    OnNextModalForm([&](TCustomForm* modal) {
      auto* speed = dynamic_cast<TSpeedChangeForm*>(modal);
      speed->EditSpeedAdjust->SetText(overBudget ? L"150" : L"0");
      SendMessageW(speed->ButtonPreview->Handle(), BM_CLICK, 0, 0);
      caption = speed->ButtonPreview->Caption();
      previewing = form->Previewing();
      busy = !speed->ButtonOK->Enabled();
      modal->ModalResult = mrCancel;
    });
    AudioCallLog::Clear();
    form->ActionSpeedChangeExecute(form);
    Editor().Engine().Store().SetBudget(budget);
    ASSERT_EQ(g_reported.size(), 1u);
    EXPECT_EQ(g_reported[0], overBudget ? L"The selection is too long to process at once (1 MB)."
                                        : L"Speed change must be between 10 % and 1000 %.");
    const std::vector<String> calls = Calls();
    EXPECT_GT(IndexOf(calls, L"TAudioPlayer2.Stop()"), IndexOf(calls, L"TAudioPlayer2.Start()"));
    EXPECT_EQ(IndexOf(calls, L"TAudioPlayer2.QueueBuffer("), -1);
    EXPECT_FALSE(previewing);
    EXPECT_FALSE(busy);
    EXPECT_EQ(caption, L"&Preview");
    EXPECT_FALSE(form->IsModified());
  }
  SetExceptionSink(previousSink);
}

TEST_F(CommandsEffectsTest, ALongTransformShowsProgressWithoutDisablingTheMainWindow) {
  OpenPattern(L"song.wav", 8000);
  Select(0, 8000);
  form->AudioTransform->SetProgressThreshold(100);
  struct Seen {
    bool progressShown = false, busy = false, mainEnabled = false, dialogDisabled = false;
  } during;
  bool busyAfter = true, progressAfter = true, disabledBeforeTick = false, enabledAfterTick = false;
  OnNextModalForm([&](TCustomForm* modal) {
    auto* echo = dynamic_cast<TEchoForm*>(modal);
    const TTransformBlockEvent handler = form->AudioTransform->OnTransformBlock;
    form->AudioTransform->OnTransformBlock = [&, handler, echo](TObject* sender, int percent) {
      handler(sender, percent);
      during = {FormProgress->Visible(), form->TransformBusy(), form->Enabled(), !echo->ButtonOK->Enabled()};
    };
    echo->ButtonPreviewClick(echo->ButtonPreview);
    busyAfter = form->TransformBusy();
    progressAfter = FormProgress->Visible();
    disabledBeforeTick = !echo->ButtonOK->Enabled();
    echo->TimerMonitorTimer(echo->TimerMonitor);
    enabledAfterTick = echo->ButtonOK->Enabled();
    modal->ModalResult = mrCancel;
  });
  form->ActionEchoExecute(form);
  EXPECT_TRUE(during.progressShown);
  EXPECT_TRUE(during.busy);
  EXPECT_TRUE(during.mainEnabled);
  EXPECT_TRUE(during.dialogDisabled);
  EXPECT_FALSE(busyAfter);
  EXPECT_FALSE(progressAfter);
  EXPECT_TRUE(disabledBeforeTick);
  EXPECT_TRUE(enabledAfterTick);
}

TEST_F(CommandsEffectsTest, ATransformThatLeavesNothingIsReportedAndNothingPlays) {
  OpenPattern(L"song.wav", 8000);
  Select(1000, 1000);  // nothing to read
  GlobalVars.PreviewOperationTypes = 2;
  form->StartPreview();
  ASSERT_EQ(ErrorBoxes(), 1);
  EXPECT_EQ(boxes[0].Text, L"Preview Transform Buffer error.");
  EXPECT_FALSE(form->Previewing());
  EXPECT_FALSE(form->AudioPlayer->Playing());
  EXPECT_EQ(IndexOf(Calls(), L"TAudioPlayer2.QueueBuffer("), -1);
}

// ---- menu and enabling -------------------------------------------------------------------------------

std::vector<String> ItemCaptions(TMenuItem* menu) {
  std::vector<String> captions;
  for (int i = 0; i < menu->Count(); ++i) captions.push_back(menu->Items(i)->Caption());
  return captions;
}

TEST_F(CommandsEffectsTest, TheEffectMenuFollowsZoomWithTheDropDownsBlocks) {
  TMenuItem* root = form->MainMenu->Items();
  const std::vector<String> menus = ItemCaptions(root);
  const auto zoom = std::find(menus.begin(), menus.end(), L"&Zoom");
  ASSERT_NE(zoom, menus.end());
  ASSERT_NE(zoom + 1, menus.end());
  EXPECT_EQ(*(zoom + 1), L"Effe&ct");
  const std::vector<String> expected = {
      L"Ech&o...", L"Vibrato", L"-",
      L"&Amplify...", L"CrossFade...", L"&Fade In", L"&Fade Out", L"Fade Out and &Trim", L"&Normalize...",
      L"En&velope...", L"Dynamic Range Co&mpressor...", L"-",
      L"Chorus...", L"Flanger...", L"Phaser...", L"&Reverb...", L"-",
      L"S&peed Change...", L"&Pitch Change...", L"-",
      L"Peak EQ", L"Notch Filter", L"Band Pass", L"Low Pass", L"&High-Pass Filter...", L"Low Shelf", L"High Shelf",
      L"E&qualizer...", L"-",
      L"&Mix Stereo Channels...", L"Invert", L"Re&verse", L"-",
      L"&Noise Reduction...", L"Cassette Noise Reduction", L"Voice Breath Noise Reduction"};
  EXPECT_EQ(ItemCaptions(form->MenuEffect), expected);
  // The items without an action call their buttons' handlers.
  OpenPattern(L"song.wav", 8000);
  Select(1000, 3000);
  String shown;
  OnNextModalForm([&shown](TCustomForm* modal) {
    shown = modal->ClassName();
    modal->ModalResult = mrCancel;
  });
  form->MenuItemLowShelf->Click();
  EXPECT_EQ(shown, L"TLowShelfForm");
  AudioCallLog::Clear();
  form->MenuItemInvert->Click();
  EXPECT_EQ(EditorTransforms(), std::vector<String>{L"TAudioEditor2.Transform.Invert()"});
}

TEST_F(CommandsEffectsTest, EffectsNeedAudioAndTheFadesASelection) {
  const std::vector<TAction*> audio = {
      form->ActionAmplify,  form->ActionNormalize,     form->ActionDynamicRangeCompressor, form->ActionHighPass,
      form->ActionEqualizer, form->ActionEcho,         form->ActionReverb,                 form->ActionReverse,
      form->ActionEnvelope, form->ActionMixStereo,     form->ActionNoiseReduction,         form->ActionSpeedChange,
      form->ActionPitchChange, form->ActionPhaser,     form->ActionFlanger,                form->ActionChorus};
  const std::vector<TAction*> fades = {form->ActionFadeIn, form->ActionFadeOut, form->ActionFadeOutAndTrim,
                                       form->ActionCrossFade};
  const std::vector<TMenuItem*> items = {
      form->MenuItemVibrato,  form->MenuItemPeakEQ,    form->MenuItemNotchFilter,
      form->MenuItemBandPass, form->MenuItemLowPass,   form->MenuItemLowShelf,
      form->MenuItemHighShelf, form->MenuItemInvert,   form->MenuItemCassetteNoiseReduction,
      form->MenuItemVoiceBreathNoiseReduction};
  struct Case {
    const char* what;
    std::function<void()> prepare;
    bool audioOn, fadesOn;
  } cases[] = {
      {"no document", [] {}, false, false},
      {"a document without a selection", [this] { OpenPattern(L"song.wav", 8000); Select(100, 100); }, true, false},
      {"a selection", [this] { Select(100, 101); }, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.prepare();
    form->UpdateCommandStates();
    for (TAction* action : audio) EXPECT_EQ(action->Enabled(), c.audioOn) << Utf8Encode(action->Name());
    for (TAction* action : fades) EXPECT_EQ(action->Enabled(), c.fadesOn) << Utf8Encode(action->Name());
    for (TMenuItem* item : items) EXPECT_EQ(item->Enabled(), c.audioOn) << Utf8Encode(item->Caption());
  }
}

}  // namespace
