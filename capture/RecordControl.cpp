#include "capture/RecordControl.h"

#include <cmath>

#include "app/core/FontNames.h"
#include "app/core/Globals.h"
#include "app/core/Help.h"
#include "app/core/WaitCursor.h"
#include "app/core/WindowsMixer.h"
#include "capture/RecordingTimer.h"
#include "capture/RecordingWithoutSilence.h"
#include "dialogs/DialogParts.h"
#include "dialogs/DialogProtocol.h"
#include "dialogs/ImageSlider.h"
#include "platform/audio/displays/AudioVisualizationEx2.h"
#include "platform/audio/processing/AudioFile2.h"
#include "platform/audio/transport/AudioRecord2.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/FormBuilding.h"
#include "ui/extras/png/PngObject.h"

DEFINE_CLASS(TRecordControlForm)

namespace {

constexpr TDateTime kOneSecond = 1.0 / 86400.0;
constexpr const wchar_t* kImageButtonIndent = L"       ";
constexpr int kImageButtonTag = 1000;

// A picture drawn at build time (tools/art) and carried as a resource of the program.
ObjectPtr<TPNGObject> LoadArt(const wchar_t* Name) {
  ObjectPtr<TPNGObject> png(NewObject<TPNGObject>());
  TResourceStream art(GetModuleHandleW(nullptr), Name, RT_RCDATA);
  png->LoadFromStream(art);
  return png;
}

// Rounds to the nearest integer, ties to even.
int RoundEven(double Value) { return static_cast<int>(std::nearbyint(Value)); }

// Hours as a total, so that a take longer than a day reads right.
void SplitDuration(TDateTime Value, long long& Hours, int& Minutes, int& Seconds, int& Milliseconds) {
  const long long ms = std::llround(Value * 86400000.0);
  Hours = ms / 3600000;
  Minutes = static_cast<int>(ms / 60000 % 60);
  Seconds = static_cast<int>(ms / 1000 % 60);
  Milliseconds = static_cast<int>(ms % 1000);
}

String TwoDigits(long long Value) { return Value < 10 ? L"0" + std::to_wstring(Value) : std::to_wstring(Value); }

String DurationText(TDateTime Value, bool WithMilliseconds) {
  long long hours;
  int minutes, seconds, ms;
  SplitDuration(Value, hours, minutes, seconds, ms);
  String text = TwoDigits(hours) + L":" + TwoDigits(minutes) + L":" + TwoDigits(seconds);
  if (WithMilliseconds) text += L":" + Format(L"%.3d", {ms});
  return text;
}

}  // namespace

TRecordControlForm::TRecordControlForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  SetName(L"RecordControlForm");
  SetCaption(L"Recording");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});
  Font()->SetName(L"Tahoma");
  Font()->SetHeight(-11);
  SetClientWidth(528);
  SetClientHeight(282);
  CreateControls(loading);
  OnShow = {this, &TRecordControlForm::FormShow};
  OnClose = {this, &TRecordControlForm::FormClose};
  loading.End();
}

TSpeedButton* TRecordControlForm::AddImageButton(TLoadingBracket& Loading, const wchar_t* Name, TAction* Action,
                                                  const wchar_t* Picture, const TRect& Bounds) {
  auto* button = PlaceControl(Loading, new TSpeedButton(this), this, Name, Bounds);
  button->Tag = kImageButtonTag;
  button->SetFlat(true);
  button->SetLayout(blGlyphLeft);
  button->SetAction(Action);
  // The normal picture on the button face.
  ObjectPtr<TPNGObject> png = LoadArt(Picture);
  ObjectPtr<TBitmap> glyph(NewObject<TBitmap>(png->Width(), png->Height()));
  glyph->Canvas()->Brush()->SetColor(clBtnFace);
  glyph->Canvas()->FillRect(TRect(0, 0, png->Width(), png->Height()));
  glyph->Canvas()->Draw(0, 0, png.get());
  button->SetGlyph(glyph.get());
  return button;
}

void TRecordControlForm::CreateControls(TLoadingBracket& Loading) {
  ActionList = Loading.Add(new TActionList(this));
  ActionList->SetName(L"ActionList");
  ActionList->OnUpdate = {this, &TRecordControlForm::ActionListUpdate};
  const struct {
    TAction* TRecordControlForm::*Field;
    const wchar_t* Name;
    const wchar_t* Caption;
    void (TRecordControlForm::*Execute)(TObject*);
  } actions[] = {
      {&TRecordControlForm::ActionRecord, L"ActionRecord", L"Record", &TRecordControlForm::ActionRecordExecute},
      {&TRecordControlForm::ActionPause, L"ActionPause", L"Pause", &TRecordControlForm::ActionPauseExecute},
      {&TRecordControlForm::ActionDelete, L"ActionDelete", L"Delete", &TRecordControlForm::ActionDeleteExecute},
      {&TRecordControlForm::ActionTimerRecord, L"ActionTimerRecord", L"Timer Record",
       &TRecordControlForm::ActionTimerRecordExecute},
      {&TRecordControlForm::ActionMixer, L"ActionMixer", L"Mixer", &TRecordControlForm::ActionMixerExecute},
      {&TRecordControlForm::ActionTestDevice, L"ActionTestDevice", L"Test Device",
       &TRecordControlForm::ActionTestDeviceExecute},
      {&TRecordControlForm::ActionVolumeHelp, L"ActionVolumeHelp", L"", nullptr},
      {&TRecordControlForm::ActionKeep, L"ActionKeep", L"&Keep", &TRecordControlForm::ActionKeepExecute},
      {&TRecordControlForm::ActionDiscard, L"ActionDiscard", L"&Discard", &TRecordControlForm::ActionDiscardExecute},
      {&TRecordControlForm::ActionHelp, L"ActionHelp", L"&Help", &TRecordControlForm::ActionHelpExecute},
  };
  for (const auto& a : actions) {
    auto* action = Loading.Add(new TAction(this));
    action->SetName(a.Name);
    action->SetCaption(a.Caption);
    action->SetActionList(ActionList);
    if (a.Execute) action->SetOnExecute({this, a.Execute});
    this->*a.Field = action;
  }

  // The time display.
  PanelTime = PlaceControl(Loading, new TPanel(this), this, L"PanelTime", Bounds(8, 8, 304, 52));
  PanelTime->SetBevelOuter(bvLowered);
  PanelTime->SetColor(kTimePanelColor);
  PanelTime->SetCaption(L"");
  LabelTime = PlaceControl(Loading, new TLabel(this), PanelTime, L"LabelTime", Bounds(10, 4, 190, 28));
  LabelTime->Font()->SetColor(clWhite);
  LabelTime->Font()->SetHeight(-24);
  LabelTime->Font()->SetStyle({fsBold});
  LabelTime->SetCaption(L"00:00:00:000");
  LabelLabelStatus = PlaceControl(Loading, new TLabel(this), PanelTime, L"LabelLabelStatus", Bounds(206, 12, 92, 14));
  LabelLabelStatus->Font()->SetColor(clWhite);
  LabelLabelStatus->SetCaption(L"[ ]");
  LabelRecordingTimer =
      PlaceControl(Loading, new TLabel(this), PanelTime, L"LabelRecordingTimer", Bounds(10, 34, 200, 14));
  LabelRecordingTimer->Font()->SetColor(clLime);
  LabelRecordingTimer->SetCaption(L"Recording Timer...");
  LabelRecordingTimer->SetVisible(false);
  LabelRecordingStops =
      PlaceControl(Loading, new TLabel(this), PanelTime, L"LabelRecordingStops", Bounds(150, 34, 150, 14));
  LabelRecordingStops->Font()->SetColor(clLime);
  LabelRecordingStops->SetCaption(L"Recording stops after: 00:00:00");
  LabelRecordingStops->SetVisible(false);

  // The transport buttons.
  const int w = kImageButtonWidth, h = kImageButtonHeight, top = kRecordButtonTop;
  ButtonRecord = AddImageButton(Loading, L"ButtonRecord", ActionRecord, L"RecordButtonRecord",
                                Bounds(kRecordButtonLeft, top, w, h));
  ButtonPause = AddImageButton(Loading, L"ButtonPause", ActionPause, L"RecordButtonPause",
                               Bounds(kRecordButtonLeft + w, top, w, h));
  ButtonDelete = AddImageButton(Loading, L"ButtonDelete", ActionDelete, L"RecordButtonDelete",
                                Bounds(kRecordButtonLeft + 2 * w, top, w, h));
  ButtonTimerControl = AddImageButton(Loading, L"ButtonTimerControl", ActionTimerRecord, L"RecordButtonTimer",
                                      Bounds(kRecordButtonLeft + 3 * w, top, w + 6, h));

  // The input line and its volume.
  AddLabel(Loading, *this, this, L"LabelLineIn", L"Input line:", Bounds(8, 108, 60, 14));
  ComboBoxLineIn = PlaceControl(Loading, new TComboBox(this), this, L"ComboBoxLineIn", Bounds(70, 104, 156, 21));
  ComboBoxLineIn->SetStyle(csDropDownList);
  ComboBoxLineIn->OnChange = {this, &TRecordControlForm::ComboBoxLineInChange};
  ButtonMixer = AddImageButton(Loading, L"ButtonMixer", ActionMixer, L"RecordButtonMixer", Bounds(232, 100, w, h));
  ImageSliderVolume =
      PlaceControl(Loading, new TImageSlider(this), this, L"ImageSliderVolume", Bounds(8, 140, 304, 28));
  ImageSliderVolume->SetMinValue(0);
  ImageSliderVolume->SetMaxValue(100);
  ImageSliderVolume->SetIncrement(1);
  ImageSliderVolume->SetOptions({soSmooth});
  ImageSliderVolume->SetEdgeSize(8);
  ImageSliderVolume->SetEnabled(false);
  ImageSliderVolume->OnChange = {this, &TRecordControlForm::ImageSliderVolumeChange};
  LabelVolume0 = AddLabel(Loading, *this, this, L"LabelVolume0", L"0 %", Bounds(8, 170, 40, 14));
  LabelVolume0->OnClick = {this, &TRecordControlForm::LabelVolume0Click};
  LabelCurrentVolume = AddLabel(Loading, *this, this, L"LabelCurrentVolume", L"0 %", Bounds(140, 170, 40, 14));
  LabelVolume100 = AddLabel(Loading, *this, this, L"LabelVolume100", L"100 %", Bounds(276, 170, 36, 14));
  LabelVolume100->OnClick = {this, &TRecordControlForm::LabelVolume100Click};
  LabelCurrentVolume->OnClick = {this, &TRecordControlForm::LabelCurrentVolumeClick};

  // The level: the meter is created here and set up on show.
  AudioVisualization = PlaceControl(Loading, new TAudioVisualizationEx2(this), this, L"AudioVisualization",
                                    Bounds(320, 32, 198, 125));
  LabelHigh = AddLabel(Loading, *this, this, L"LabelHigh", L"Volume too high! Please adjust the Volume!",
                       Bounds(320, 162, 170, 28));
  LabelHigh->SetWordWrap(true);
  LabelHigh->Font()->SetColor(clLime);
  LabelHigh->SetVisible(false);
  ButtonVolumeHelp =
      AddImageButton(Loading, L"ButtonVolumeHelp", ActionVolumeHelp, L"RecordButtonVolumeHelp", Bounds(492, 160, 26, 26));
  ButtonVolumeHelp->SetVisible(false);
  ButtonDevice = AddImageButton(Loading, L"ButtonDevice", ActionTestDevice, L"RecordButtonDevice",
                                Bounds(320, 194, 120, h));

  // Recording without silence.
  ImageCheck = PlaceControl(Loading, new TImage(this), this, L"ImageCheck", Bounds(8, 200, 16, 16));
  ImageCheck->Picture()->SetGraphic(LoadArt(L"RecordCheck").get());
  ImageUnCheck = PlaceControl(Loading, new TImage(this), this, L"ImageUnCheck", Bounds(8, 200, 16, 16));
  ImageUnCheck->Picture()->SetGraphic(LoadArt(L"RecordUnCheck").get());
  LabelWithoutSilence =
      AddLabel(Loading, *this, this, L"LabelWithoutSilence", L"Recording without silence", Bounds(28, 201, 180, 14));
  for (TControl* control : {static_cast<TControl*>(ImageCheck), static_cast<TControl*>(ImageUnCheck),
                            static_cast<TControl*>(LabelWithoutSilence)})
    control->OnClick = {this, &TRecordControlForm::WithoutSilenceClick};

  // The bottom row.
  AddTopLine(Loading, *this, L"BevelBottom", Bounds(8, 236, 512, 2));
  ButtonKeep = PlaceControl(Loading, new TButton(this), this, L"ButtonKeep", Bounds(282, 248, 75, 25));
  ButtonKeep->SetAction(ActionKeep);
  ButtonDiscard = PlaceControl(Loading, new TButton(this), this, L"ButtonDiscard", Bounds(363, 248, 75, 25));
  ButtonDiscard->SetAction(ActionDiscard);
  ButtonDiscard->ModalResult = mrCancel;
  ButtonHelp = PlaceControl(Loading, new TButton(this), this, L"ButtonHelp", Bounds(444, 248, 75, 25));
  ButtonHelp->SetAction(ActionHelp);

  const struct {
    TTimer* TRecordControlForm::*Field;
    Cardinal Interval;
    void (TRecordControlForm::*Handler)(TObject*);
  } timers[] = {
      {&TRecordControlForm::TimerTimeDisplay, 40, &TRecordControlForm::TimerTimeDisplayTimer},
      {&TRecordControlForm::TimerAutoStop, 50, &TRecordControlForm::TimerAutoStopTimer},
      {&TRecordControlForm::TimerAutoStart, 50, &TRecordControlForm::TimerAutoStartTimer},
      {&TRecordControlForm::TimerLevelHigh, 2000, &TRecordControlForm::TimerLevelHighTimer},
  };
  for (const auto& t : timers) {
    auto* timer = Loading.Add(new TTimer(this));
    timer->SetEnabled(false);
    timer->SetInterval(t.Interval);
    timer->SetOnTimer({this, t.Handler});
    this->*t.Field = timer;
  }

  AudioRecord = Loading.Add(new TAudioRecord2(this));
  AudioRecord->OnTimer = {this, &TRecordControlForm::AudioRecordTimer};
  AudioRecord->OnEndArrayRecord = {this, &TRecordControlForm::AudioRecordEndArrayRecord};
  AudioFile = Loading.Add(new TAudioFile2(this));
}

// ---- opening -------------------------------------------------------------------------------------

void TRecordControlForm::FormShow(TObject*) {
  ReplaceFontName(this, L"Tahoma", Screen->HintFont()->Name());
  // 1. The captions clear the buttons' icons.
  for (TAction* action :
       {ActionRecord, ActionPause, ActionDelete, ActionTimerRecord, ActionMixer, ActionTestDevice, ActionVolumeHelp})
    action->SetCaption(kImageButtonIndent + action->Caption());
  // 2. The default recording device.
  AudioRecord->SetOption(1);
  // 3 and 4. The lines.
  FillLines();
  // The line's volume is shown, not written back.
  FVolumeUpdating = true;
  ApplyLine();
  FVolumeUpdating = false;
  // 5. The format.
  ApplyRecordingFormat();
  // 6. The state.
  FTestingDevice = false;
  FVolumeUpdating = false;
  TimerLevelHigh->SetInterval(2000);
  TimerLevelHigh->SetEnabled(true);
  FLevelTooHigh = false;
  FRecording = false;
  FPaused = false;
  FStartTime = FPauseTime = FResumeTime = FPausedTotal = 0;
  FTimedStart = false;
  FStopAfter = false;
  TimerAutoStart->SetEnabled(false);
  TimerAutoStop->SetEnabled(false);
  FNothingToKeep = true;
  // 7. The meter.
  TAudioVisualizationEx2* m = AudioVisualization;
  m->SetBounds(320, 32, 198, 125);
  m->SetAutoSize(false);
  for (auto setter : {&TAudioVisualizationEx2::SetBackColor, &TAudioVisualizationEx2::SetBackLineLowColor,
                      &TAudioVisualizationEx2::SetBackLineMidColor, &TAudioVisualizationEx2::SetBackLineHighColor,
                      &TAudioVisualizationEx2::SetBorderColor})
    (m->*setter)(clBlack);
  m->SetLineLowColor(0x00FF00);
  m->SetLineMidColor(0x00FFFF);
  m->SetLineHighColor(0x0000FF);
  m->SetLineCount(196);
  m->SetLineInterval(0);
  m->SetHighPoint(60);
  m->SetMidPoint(20);
  m->SetSpotHeight(1);
  m->SetSpotInterval(0);
  m->SetTickDelayTime(200);
  m->SetTickReleaseTime(10);
  m->SetBorderStyle(0);
  m->SetLineType(1);
  m->SetXPos(1);
  m->SetYPos(1);
  m->SetFFTWindowType(3);
  m->SetFFTViewType(0);
  // 8. The time display and the silence option.
  PanelTime->DoubleBuffered = true;
  ShowSilenceOption(GlobalVars.AccuEnabled);
  UpdateActionStates();
}

void TRecordControlForm::FillLines() {
  ComboBoxLineIn->Items()->Clear();
  const int count = AudioRecord->GetLineCount();
  if (count < 1) {
    ErrorBox(L"No Line In detected. Please check the audio device.");
    return;
  }
  int selected = 0;
  for (int i = 1; i <= count; ++i) {
    AudioRecord->SelectLine(i);
    ComboBoxLineIn->Items()->Add(AudioRecord->GetLineName());
    if (AudioRecord->IsLineSelected()) selected = i - 1;
  }
  ComboBoxLineIn->SetItemIndex(selected);
}

void TRecordControlForm::ApplyLine() {
  AudioRecord->SelectLine(ComboBoxLineIn->ItemIndex() + 1);
  AudioRecord->SetLineSelected(true);
  ImageSliderVolume->SetEnabled(AudioRecord->LineHasVolume());
  ImageSliderVolume->SetValue(RoundEven(AudioRecord->GetLineVolume() / 65535.0 * 100));
  LabelCurrentVolume->SetCaption(Format(L"%d %%", {ImageSliderVolume->Value()}));
}

void TRecordControlForm::ApplyRecordingFormat() {
  AudioRecord->SetRecordingFormat(RecordSampleRate, RecordChannels);
  AudioFile->SetWaveFormat(RecordSampleRate, RecordChannels, 16);
}

void TRecordControlForm::ErrorBox(const wchar_t* Text) {
  Application->MessageBox(Text, Application->Title(), MB_OK | MB_ICONERROR);
}

// ---- the idle pass ---------------------------------------------------------------------------------

void TRecordControlForm::ActionListUpdate(TBasicAction*, bool&) { UpdateActionStates(); }

void TRecordControlForm::UpdateActionStates() {
  ActionRecord->SetEnabled(!FRecording);
  ActionPause->SetEnabled(FRecording);
  // A device test would stop the take's recorder: it runs only while no take exists.
  ActionTestDevice->SetEnabled(!FRecording && !FPaused);
  LabelLabelStatus->SetCaption(FRecording ? L"[ Recording ]" : FPaused ? L"[ Paused ]" : L"[ Ready ]");
  LabelRecordingStops->SetVisible(FStopAfter);
  LabelRecordingTimer->SetVisible(FTimedStart);
  for (TAction* action : {ActionRecord, ActionPause, ActionDelete}) action->SetVisible(!FTimedStart);
  ActionKeep->SetEnabled(!FNothingToKeep);
}

// ---- recording -------------------------------------------------------------------------------------

void TRecordControlForm::EndDeviceTest() {
  if (!FTestingDevice) return;
  FTestingDevice = false;
  ActionTestDevice->SetCaption(L"        Test Device");
  AudioRecord->StopRecording();
  ClearMeter();
}

void TRecordControlForm::ClearMeter() {
  if (AudioVisualization) AudioVisualization->ShowSamples(nullptr);
}

void TRecordControlForm::ActionRecordExecute(TObject*) {
  if (FRecording) return;
  EndDeviceTest();
  if (FPaused) ResumeRecording();
  else StartNewRecording();
}

void TRecordControlForm::StartNewRecording() {
  ApplyRecordingFormat();
  AudioFile->CreateForWriting(GlobalVars.RecordingFilePath, 1);
  AudioRecord->SetRecordingFormat(AudioFile->GetFormatSampleRate(), AudioFile->GetFormatChannels());
  AudioRecord->SetSilenceDetection(GlobalVars.AccuEnabled);
  AudioRecord->SetAttackLevel(static_cast<float>(GlobalVars.AccuAttackLevel));
  AudioRecord->SetAttackTime(GlobalVars.AccuAttackTime);
  AudioRecord->SetReleaseLevel(static_cast<float>(GlobalVars.AccuReleaseLevel));
  AudioRecord->SetReleaseTime(GlobalVars.AccuReleaseTime);
  FBufferSamples = AudioRecord->SamplesForMilliseconds(200);
  AudioRecord->SetBufferSize(FBufferSamples);
  AudioRecord->StartRecording();
  if (AudioRecord->GetLastError() != 0) {
    ErrorBox(L"Error when start recording.");
    Reset();
    return;
  }
  FNothingToKeep = false;
  FStartTime = Now();
  TimerTimeDisplay->SetEnabled(true);
  LabelTime->Font()->SetColor(kRecordingTextColor);
  if (FStopAfter) {
    FStopCountFrom = Now();
    TimerAutoStop->SetEnabled(true);
  }
  FRecording = true;
  FPaused = false;
}

void TRecordControlForm::ResumeRecording() {
  AudioRecord->StartRecording();
  if (AudioRecord->GetLastError() != 0) {
    ErrorBox(L"Error when continue recording.");
    Reset();
    FRecording = FPaused = false;
    return;
  }
  FResumeTime = Now();
  FPausedTotal += FResumeTime - FPauseTime;
  TimerTimeDisplay->SetEnabled(true);
  LabelTime->Font()->SetColor(clWhite);
  if (FStopAfter) {
    FStopCountFrom = Now();
    TimerAutoStop->SetEnabled(true);
  }
  FRecording = true;
  FPaused = false;
}

void TRecordControlForm::PauseRecording() {
  AudioRecord->StopRecording();
  ClearMeter();
  FPauseTime = Now();
  TimerTimeDisplay->SetEnabled(false);
  LabelTime->Font()->SetColor(kRecordingTextColor);
  FStopAfter = false;
  TimerAutoStop->SetEnabled(false);
  FRecording = false;
  FPaused = true;
}

void TRecordControlForm::ActionPauseExecute(TObject*) {
  if (FRecording) PauseRecording();
}

void TRecordControlForm::Reset() {
  AudioRecord->StopRecording();
  AudioFile->CloseAudioFile();
  ClearMeter();
  FStartTime = FPauseTime = FResumeTime = FPausedTotal = 0;
  TimerTimeDisplay->SetEnabled(false);
  LabelTime->SetCaption(L"00:00:00:000");
  LabelTime->Font()->SetColor(clWhite);
  FStopAfter = false;
  TimerAutoStop->SetEnabled(false);
}

void TRecordControlForm::ActionDeleteExecute(TObject*) {
  if (FTestingDevice) return;
  Reset();
  FRecording = FPaused = false;
  DeleteFile(GlobalVars.RecordingFilePath);
  FNothingToKeep = true;
}

void TRecordControlForm::ActionKeepExecute(TObject*) {
  EndDeviceTest();
  Reset();
  FRecording = FPaused = false;
  FNothingToKeep = true;
  ModalResult = mrOk;
}

void TRecordControlForm::ActionDiscardExecute(TObject*) { ModalResult = mrCancel; }

void TRecordControlForm::FormClose(TObject*, TCloseAction&) {
  // Whatever closes the console, the recorder stops and the file is closed before the meter goes,
  // so the caller can delete the file and no recorder event comes after this.
  EndDeviceTest();
  Reset();
  FRecording = FPaused = false;
  TimerAutoStart->SetEnabled(false);
  TimerLevelHigh->SetEnabled(false);
  FClosed = true;
  TAudioVisualizationEx2* meter = AudioVisualization;
  AudioVisualization = nullptr;
  if (meter) meter->Free();
}

void TRecordControlForm::AudioRecordEndArrayRecord(TObject*, int) {
  if (FClosed || FTestingDevice) return;
  const SampleBuffer block = AudioRecord->GetRecordedBlock();
  if (block.UpperBound() >= 1) AudioFile->WriteBlock(block);
}

// ---- displays ----------------------------------------------------------------------------------------

void TRecordControlForm::ShowTimeText(TDateTime Elapsed) { LabelTime->SetCaption(DurationText(Elapsed, true)); }

void TRecordControlForm::TimerTimeDisplayTimer(TObject*) { ShowTimeText(Now() - FStartTime - FPausedTotal); }

void TRecordControlForm::AudioRecordTimer(TObject*, std::int64_t, int LevelLeft, int LevelRight) {
  if (FClosed) return;
  const SampleBuffer samples = AudioRecord->GetDisplaySamples(1024);
  if (AudioVisualization) AudioVisualization->ShowSamples(&samples);
  FLevelTooHigh = LevelLeft > 89 || LevelRight > 89;
  if (FLevelTooHigh) {
    LabelHigh->SetVisible(true);
    ButtonVolumeHelp->SetVisible(true);
  }
}

void TRecordControlForm::TimerLevelHighTimer(TObject*) {
  if (FLevelTooHigh) return;
  LabelHigh->SetVisible(false);
  ButtonVolumeHelp->SetVisible(false);
}

// ---- volume ------------------------------------------------------------------------------------------

void TRecordControlForm::ImageSliderVolumeChange(TObject*) {
  if (FVolumeUpdating) return;
  FVolumeUpdating = true;
  LabelCurrentVolume->SetCaption(Format(L"%d %%", {ImageSliderVolume->Value()}));
  AudioRecord->SelectLine(ComboBoxLineIn->ItemIndex() + 1);
  AudioRecord->SetLineVolume(RoundEven(ImageSliderVolume->Value() / 100.0 * 65535));
  FVolumeUpdating = false;
}

void TRecordControlForm::ComboBoxLineInChange(TObject*) {
  FVolumeUpdating = true;
  ApplyLine();
  FVolumeUpdating = false;
}

void TRecordControlForm::LabelVolume0Click(TObject*) { ImageSliderVolume->SetValue(0); }

void TRecordControlForm::LabelVolume100Click(TObject*) { ImageSliderVolume->SetValue(100); }

void TRecordControlForm::LabelCurrentVolumeClick(TObject*) { ImageSliderVolume->SetValue(50); }

// ---- device test, mixer, help ------------------------------------------------------------------------

void TRecordControlForm::ActionTestDeviceExecute(TObject*) {
  // The test never touches a take: the action is enabled only while none exists.
  if (FRecording || FPaused) return;
  if (FTestingDevice) {
    FTestingDevice = false;
    ActionTestDevice->SetCaption(L"       Test Device");
    AudioRecord->StopRecording();
    ClearMeter();
    return;
  }
  FTestingDevice = true;
  ActionTestDevice->SetCaption(L"       Stop Test");
  AudioRecord->StartRecording();
  if (AudioRecord->GetLastError() != 0) {
    ErrorBox(L"Error when testing device.");
    FTestingDevice = false;
    ActionTestDevice->SetCaption(L"       Test Device");
    AudioRecord->StopRecording();
    ClearMeter();
  }
}

void TRecordControlForm::ActionMixerExecute(TObject*) {
  TWaitCursor wait;
  StartWindowsMixer();
}

void TRecordControlForm::ActionHelpExecute(TObject*) { ShowHelpTopic(Handle(), L"recordcontrol"); }

// ---- timed recording ---------------------------------------------------------------------------------

void TRecordControlForm::ActionTimerRecordExecute(TObject*) {
  const auto fill = [this](TRecordingTimerForm& dialog) {
    if (FRecording) {
      dialog.RadioButtonManually->SetChecked(true);
      dialog.DateTimePickerAutomaticallyData->SetDateTime(Now());
      dialog.DateTimePickerAutomaticallyTime->SetDateTime(Now());
      for (TControl* control : {static_cast<TControl*>(dialog.RadioButtonManually),
                                static_cast<TControl*>(dialog.RadioButtonAutomatically),
                                static_cast<TControl*>(dialog.DateTimePickerAutomaticallyData),
                                static_cast<TControl*>(dialog.DateTimePickerAutomaticallyTime)})
        control->SetEnabled(false);
    } else if (FTimedStart) {
      dialog.RadioButtonAutomatically->SetChecked(true);
      dialog.DateTimePickerAutomaticallyData->SetDateTime(FStartAt);
      dialog.DateTimePickerAutomaticallyTime->SetDateTime(FStartAt);
    } else {
      dialog.RadioButtonManually->SetChecked(true);
      dialog.DateTimePickerAutomaticallyData->SetDateTime(Now());
      dialog.DateTimePickerAutomaticallyTime->SetDateTime(Now());
    }
    dialog.CheckBoxStopAfter->SetChecked(FStopAfter);
    dialog.DateTimePickerWhenRecordingTime->SetTime(GlobalVars.RecordingStopAfter);
  };
  const auto accept = [this](TRecordingTimerForm& dialog) {
    FTimedStart = dialog.RadioButtonAutomatically->Checked();
    FStartAt = dialog.StartMoment();
    FStopAfter = dialog.CheckBoxStopAfter->Checked();
    FStopAfterTime = dialog.DateTimePickerWhenRecordingTime->Time();
    GlobalVars.RecordingStopAfter = FStopAfterTime;
  };
  ExecuteDialog<TRecordingTimerForm>(this, fill, accept);
  if (FStopAfter) {
    if (FRecording) {
      FStopCountFrom = Now();
      TimerAutoStop->SetEnabled(true);
    }
  } else {
    LabelRecordingStops->SetCaption(L"Recording stops after: " + DurationText(FStopAfterTime, false));
  }
  if (FTimedStart && !FRecording) {
    LabelRecordingTimer->SetCaption(
        Format(L"Recording Timer...  [ %s %s ]", {DateToStr(FStartAt), TimeToStr(FStartAt)}));
    TimerAutoStart->SetEnabled(true);
  }
  UpdateActionStates();
}

void TRecordControlForm::TimerAutoStartTimer(TObject*) {
  // A late tick still starts: the start is due once less than a second is left.
  if (!FTimedStart || FStartAt - Now() >= kOneSecond) return;
  TimerAutoStart->SetEnabled(false);
  FTimedStart = false;
  ActionRecordExecute(this);
  UpdateActionStates();
}

void TRecordControlForm::TimerAutoStopTimer(TObject*) {
  if (!FStopAfter) return;
  const TDateTime left = FStopAfterTime - (Now() - FStopCountFrom);
  // A late tick stops at once: the stop is due once less than a second is left.
  if (left >= kOneSecond) {
    LabelRecordingStops->SetCaption(L"Recording stops after: " + DurationText(left, false));
    return;
  }
  if (FRecording) PauseRecording();
  TimerAutoStop->SetEnabled(false);
  FStopAfter = false;
  LabelRecordingStops->SetCaption(L"Recording stops after: 00:00:00");
  UpdateActionStates();
  Application->MessageBox(String(L"The timed recording is completed.") + L"\n\r" +
                              L"Click on the Keep button to open the recording in the sound editor.",
                          Application->Title(), MB_OK | MB_ICONINFORMATION);
}

// ---- recording without silence -----------------------------------------------------------------------

void TRecordControlForm::ShowSilenceOption(bool Enabled) {
  ImageCheck->SetVisible(Enabled);
  ImageUnCheck->SetVisible(!Enabled);
}

void TRecordControlForm::WithoutSilenceClick(TObject*) {
  if (GlobalVars.AccuEnabled) {
    GlobalVars.AccuEnabled = false;
    ShowSilenceOption(false);
    return;
  }
  ShowSilenceOption(true);
  const bool accepted = ExecuteDialog<TRecordingWithoutSilenceForm>(
      this, [](TRecordingWithoutSilenceForm& dialog) { dialog.LoadValues(GlobalVars); },
      [](TRecordingWithoutSilenceForm& dialog) { dialog.StoreValues(GlobalVars); });
  if (accepted) GlobalVars.AccuEnabled = true;
  else ShowSilenceOption(false);
}
