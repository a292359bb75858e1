#pragma once
// TRecordControlForm ("Recording"): the modal recording console. It records from an input line of
// the sound card into one WAV file at GlobalVars.RecordingFilePath, with pause, resume, delete, a
// device test, timed start and stop and recording without silence. Modal result 1 (Keep) hands back
// a finished, closed file; any other result leaves the caller to delete it.
//
// The seven transport buttons are speed buttons bound to their actions (Tag 1000, the normal
// picture as glyph) until the skinned image button exists; only the fields' class changes then.

#include "platform/framework/classes/Filer.h"
#include "platform/framework/controls/Buttons.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/ActnList.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/windows/Timer.h"

class TAudioRecord2;
class TAudioFile2;
class TAudioVisualizationEx2;
class TImageSlider;

class TRecordControlForm : public TForm {
  DECLARE_CLASS(TRecordControlForm, TForm)
 public:
  explicit TRecordControlForm(TComponent* AOwner);

  // Where the Record button sits in the client area (the end-to-end test clicks there).
  static constexpr int kRecordButtonLeft = 8, kRecordButtonTop = 66, kImageButtonWidth = 76,
                       kImageButtonHeight = 30;
  // The time display's panel colour and the text colour while a take runs.
  static constexpr TColor kTimePanelColor = 0xA76E34;
  static constexpr TColor kRecordingTextColor = 0x004080FF;

  // Transport.
  TPanel* PanelTime = nullptr;
  TLabel* LabelTime = nullptr;
  TLabel* LabelLabelStatus = nullptr;
  TLabel* LabelRecordingTimer = nullptr;
  TLabel* LabelRecordingStops = nullptr;
  TSpeedButton* ButtonRecord = nullptr;
  TSpeedButton* ButtonPause = nullptr;
  TSpeedButton* ButtonDelete = nullptr;
  TSpeedButton* ButtonTimerControl = nullptr;
  // Input.
  TComboBox* ComboBoxLineIn = nullptr;
  TSpeedButton* ButtonMixer = nullptr;
  TImageSlider* ImageSliderVolume = nullptr;
  TLabel* LabelVolume0 = nullptr;
  TLabel* LabelVolume100 = nullptr;
  TLabel* LabelCurrentVolume = nullptr;
  // Level.
  TAudioVisualizationEx2* AudioVisualization = nullptr;
  TLabel* LabelHigh = nullptr;
  TSpeedButton* ButtonVolumeHelp = nullptr;
  TSpeedButton* ButtonDevice = nullptr;
  // Silence skipping.
  TImage* ImageCheck = nullptr;
  TImage* ImageUnCheck = nullptr;
  TLabel* LabelWithoutSilence = nullptr;
  // Bottom.
  TButton* ButtonKeep = nullptr;
  TButton* ButtonDiscard = nullptr;
  TButton* ButtonHelp = nullptr;
  // Timers.
  TTimer* TimerTimeDisplay = nullptr;
  TTimer* TimerAutoStop = nullptr;
  TTimer* TimerAutoStart = nullptr;
  TTimer* TimerLevelHigh = nullptr;
  // Actions.
  TActionList* ActionList = nullptr;
  TAction* ActionRecord = nullptr;
  TAction* ActionPause = nullptr;
  TAction* ActionDelete = nullptr;
  TAction* ActionTimerRecord = nullptr;
  TAction* ActionMixer = nullptr;
  TAction* ActionTestDevice = nullptr;
  TAction* ActionVolumeHelp = nullptr;
  TAction* ActionKeep = nullptr;
  TAction* ActionDiscard = nullptr;
  TAction* ActionHelp = nullptr;
  // The external components.
  TAudioRecord2* AudioRecord = nullptr;
  TAudioFile2* AudioFile = nullptr;

  // Set by the opener before the console shows.
  int RecordSampleRate = 44100;
  int RecordChannels = 2;

  bool NothingToKeep() const { return FNothingToKeep; }
  bool LevelTooHigh() const { return FLevelTooHigh; }
  bool TestingDevice() const { return FTestingDevice; }
  bool Recording() const { return FRecording; }
  bool Paused() const { return FPaused; }
  bool TimedStart() const { return FTimedStart; }
  TDateTime StartAt() const { return FStartAt; }
  bool StopAfter() const { return FStopAfter; }
  TDateTime StopAfterTime() const { return FStopAfterTime; }

  // The idle update pass: enabled and visible states and the status text.
  void UpdateActionStates();

  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ActionRecordExecute(TObject* Sender);
  void ActionPauseExecute(TObject* Sender);
  void ActionDeleteExecute(TObject* Sender);
  void ActionTimerRecordExecute(TObject* Sender);
  void ActionMixerExecute(TObject* Sender);
  void ActionTestDeviceExecute(TObject* Sender);
  void ActionKeepExecute(TObject* Sender);
  void ActionDiscardExecute(TObject* Sender);
  void ActionHelpExecute(TObject* Sender);
  void ActionListUpdate(TBasicAction* Action, bool& Handled);
  void ComboBoxLineInChange(TObject* Sender);
  void ImageSliderVolumeChange(TObject* Sender);
  void LabelVolume0Click(TObject* Sender);
  void LabelVolume100Click(TObject* Sender);
  void LabelCurrentVolumeClick(TObject* Sender);
  void WithoutSilenceClick(TObject* Sender);
  void TimerTimeDisplayTimer(TObject* Sender);
  void TimerAutoStopTimer(TObject* Sender);
  void TimerAutoStartTimer(TObject* Sender);
  void TimerLevelHighTimer(TObject* Sender);
  void AudioRecordTimer(TObject* Sender, std::int64_t CurrentSamples, int LevelLeft, int LevelRight);
  void AudioRecordEndArrayRecord(TObject* Sender, int nBlock);

 private:
  void CreateControls(TLoadingBracket& Loading);
  TSpeedButton* AddImageButton(TLoadingBracket& Loading, const wchar_t* Name, TAction* Action, const wchar_t* Picture,
                               const TRect& Bounds);
  void FillLines();
  void ApplyLine();
  void ApplyRecordingFormat();
  void StartNewRecording();
  void ResumeRecording();
  void EndDeviceTest();
  void Reset();
  void PauseRecording();
  void ClearMeter();
  void ShowTimeText(TDateTime Elapsed);
  void ShowSilenceOption(bool Enabled);
  void ErrorBox(const wchar_t* Text);

  bool FNothingToKeep = true;
  bool FLevelTooHigh = false;
  bool FVolumeUpdating = false;
  bool FTestingDevice = false;
  bool FRecording = false;
  bool FPaused = false;
  int FBufferSamples = 0;
  TDateTime FStartTime = 0;
  TDateTime FPauseTime = 0;
  TDateTime FResumeTime = 0;
  TDateTime FPausedTotal = 0;
  bool FTimedStart = false;
  TDateTime FStartAt = 0;
  bool FStopAfter = false;
  TDateTime FStopCountFrom = 0;
  TDateTime FStopAfterTime = 0;
  // Set once the console closed: recorder events that still arrive are ignored.
  bool FClosed = false;
};
