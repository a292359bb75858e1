#include "capture/RecordingTimer.h"

#include "dialogs/DialogParts.h"
#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/windows/FormBuilding.h"

DEFINE_CLASS(TRecordingTimerForm)

namespace {

TDateTimePicker* AddPicker(TLoadingBracket& Loading, TForm& Form, const wchar_t* Name, TDateTimeKind Kind,
                           const TRect& Bounds) {
  auto* picker = PlaceControl(Loading, new TDateTimePicker(&Form), &Form, Name, Bounds);
  picker->SetKind(Kind);
  return picker;
}

}  // namespace

TRecordingTimerForm::TRecordingTimerForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  BuildDialogForm(*this, L"RecordingTimerForm", L"Recording Timer ", 330, 186, bsDialog);
  LabelStart = AddLabel(loading, *this, this, L"LabelStart", L"Start Recording:", Bounds(12, 12, 120, 14));
  RadioButtonManually = AddRadioButton(loading, *this, this, L"RadioButtonManually", L"&Manually",
                                       Bounds(24, 32, 120, 17), true);
  RadioButtonAutomatically = AddRadioButton(loading, *this, this, L"RadioButtonAutomatically",
                                            L"&Automatically On:", Bounds(24, 54, 120, 17));
  DateTimePickerAutomaticallyData =
      AddPicker(loading, *this, L"DateTimePickerAutomaticallyData", dtkDate, Bounds(150, 52, 90, 21));
  DateTimePickerAutomaticallyTime =
      AddPicker(loading, *this, L"DateTimePickerAutomaticallyTime", dtkTime, Bounds(244, 52, 76, 21));
  LabelWhenRecording = AddLabel(loading, *this, this, L"LabelWhenRecording", L"When Recording:", Bounds(12, 84, 120, 14));
  CheckBoxStopAfter = AddCheckBox(loading, *this, this, L"CheckBoxStopAfter", L"&Stop After", Bounds(24, 106, 100, 17));
  DateTimePickerWhenRecordingTime =
      AddPicker(loading, *this, L"DateTimePickerWhenRecordingTime", dtkTime, Bounds(150, 104, 90, 21));
  DateTimePickerWhenRecordingTime->SetFormat(L"HH:mm:ss");
  LabelHours = AddLabel(loading, *this, this, L"LabelHours", L"hours : minutes : seconds", Bounds(150, 128, 170, 14));
  ButtonStart = AddButton(loading, *this, this, L"ButtonStart", L"&Start Timer Record", Bounds(112, 152, 120, 25),
                          mrNone, true);
  ButtonCancel = AddButton(loading, *this, this, L"ButtonCancel", L"&Cancel", Bounds(240, 152, 80, 25), mrCancel);
  OnShow = {this, &TRecordingTimerForm::FormShow};
  for (TControl* control : {static_cast<TControl*>(RadioButtonManually), static_cast<TControl*>(RadioButtonAutomatically),
                            static_cast<TControl*>(CheckBoxStopAfter)})
    control->OnClick = {this, &TRecordingTimerForm::ControlsClick};
  ButtonStart->OnClick = {this, &TRecordingTimerForm::ButtonStartClick};
  loading.End();
}

void TRecordingTimerForm::FormShow(TObject* Sender) {
  ApplyDialogShowSteps(*this);
  ControlsClick(Sender);
}

void TRecordingTimerForm::ControlsClick(TObject*) {
  const bool automatically = RadioButtonAutomatically->Checked();
  DateTimePickerAutomaticallyData->SetEnabled(automatically);
  DateTimePickerAutomaticallyTime->SetEnabled(automatically);
  const bool stopAfter = CheckBoxStopAfter->Checked();
  DateTimePickerWhenRecordingTime->SetEnabled(stopAfter);
  LabelHours->SetEnabled(stopAfter);
}

TDateTime TRecordingTimerForm::StartMoment() {
  return StrToDateTime(DateToStr(DateTimePickerAutomaticallyData->Date()) + L" " +
                       TimeToStr(DateTimePickerAutomaticallyTime->Time()));
}

TDateTime TRecordingTimerForm::Duration() { return StrToTime(TimeToStr(DateTimePickerWhenRecordingTime->Time())); }

void TRecordingTimerForm::ButtonStartClick(TObject*) {
  if (RadioButtonAutomatically->Checked() && Now() > StartMoment()) {
    Application->MessageBox(L"The entered starting date and time has already passed.", Application->Title(),
                            MB_OK | MB_ICONERROR);
    if (DateTimePickerAutomaticallyTime->CanFocus()) DateTimePickerAutomaticallyTime->SetFocus();
    return;
  }
  if (Duration() == 0) DateTimePickerWhenRecordingTime->SetTime(StrToTime(L"00:00:10"));
  ModalResult = mrOk;
}
