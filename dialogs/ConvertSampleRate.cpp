#include "dialogs/ConvertSampleRate.h"

#include "dialogs/DialogParts.h"
#include "platform/framework/windows/FormBuilding.h"

DEFINE_CLASS(TConvertSampleRateForm)

TConvertSampleRateForm::TConvertSampleRateForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  BuildDialogForm(*this, L"ConvertSampleRateForm", L"Convert Sample Rate", 260, 160);
  GroupBoxSampleRate =
      AddGroupBox(loading, *this, this, L"GroupBoxSampleRate", L"Sample Rate:", Bounds(12, 8, 236, 52));
  LabelNewSampleRate =
      AddLabel(loading, *this, GroupBoxSampleRate, L"LabelNewSampleRate", L"New Sample Rate:", Bounds(12, 23, 92, 14));
  ComboBoxRate = AddDropDownList(loading, *this, GroupBoxSampleRate, L"ComboBoxRate", Bounds(108, 20, 116, 21),
                                 {L"96000 Hz", L"88200 Hz", L"48000 Hz", L"44100 Hz", L"32000 Hz", L"22050 Hz",
                                  L"16000 Hz", L"11025 Hz", L"8000 Hz", L"6000 Hz"},
                                 3);
  ComboBoxRate->SetDropDownCount(10);
  GroupBoxSChannels = PlaceControl(loading, new TRadioGroup(this), this, L"GroupBoxSChannels", Bounds(12, 66, 236, 44));
  GroupBoxSChannels->SetCaption(L"Channels");
  GroupBoxSChannels->Items()->Add(L"Mono");
  GroupBoxSChannels->Items()->Add(L"Stereo");
  GroupBoxSChannels->SetColumns(2);
  GroupBoxSChannels->SetItemIndex(1);
  LabelSampleRate = AddLabel(loading, *this, this, L"LabelSampleRate", L"", Bounds(12, 128, 70, 14));
  ButtonOK = AddButton(loading, *this, this, L"ButtonOK", L"&OK", Bounds(92, 124, 75, 25), mrOk, true);
  ButtonCancel = AddButton(loading, *this, this, L"ButtonCancel", L"&Cancel", Bounds(173, 124, 75, 25), mrCancel);
  OnShow = {this, &TConvertSampleRateForm::FormShow};
  loading.End();
}

void TConvertSampleRateForm::FormShow(TObject*) { ApplyDialogShowSteps(*this); }
