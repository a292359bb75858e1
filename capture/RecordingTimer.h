#pragma once
// TRecordingTimerForm ("Recording Timer "): a timed start and an automatic stop for the recording
// console, which fills and reads the controls itself.

#include "platform/framework/controls/ComCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TRecordingTimerForm : public TForm {
  DECLARE_CLASS(TRecordingTimerForm, TForm)
 public:
  explicit TRecordingTimerForm(TComponent* AOwner);

  TLabel* LabelStart = nullptr;
  TRadioButton* RadioButtonManually = nullptr;
  TRadioButton* RadioButtonAutomatically = nullptr;
  TDateTimePicker* DateTimePickerAutomaticallyData = nullptr;
  TDateTimePicker* DateTimePickerAutomaticallyTime = nullptr;
  TLabel* LabelWhenRecording = nullptr;
  TCheckBox* CheckBoxStopAfter = nullptr;
  TDateTimePicker* DateTimePickerWhenRecordingTime = nullptr;
  TLabel* LabelHours = nullptr;
  TButton* ButtonStart = nullptr;
  TButton* ButtonCancel = nullptr;

  // The start moment as the two pickers give it: the date's text, a blank and the time's text, read
  // back (so seconds are whole).
  TDateTime StartMoment();
  // The duration read back from the duration picker's text.
  TDateTime Duration();

  void FormShow(TObject* Sender);
  void ControlsClick(TObject* Sender);
  void ButtonStartClick(TObject* Sender);
};
