#include "dialogs/WaveCustomFormat.h"

#include "dialogs/DialogParts.h"

DEFINE_CLASS(TWaveFormatSpecifyForm)

TWaveFormatSpecifyForm::TWaveFormatSpecifyForm(TComponent* AOwner) : TSettingsForm(AOwner) {
  TLoadingBracket loading(*this);
  BuildDialogForm(*this, L"WaveFormatSpecifyForm", L"Configure Wave Settings", 262, 148);
  LabelSampleRate = AddLabel(loading, *this, this, L"LabelSampleRate", L"Sample Rate:", Bounds(12, 15, 80, 14));
  ComboBoxSampleRate = AddDropDownList(loading, *this, this, L"ComboBoxSampleRate", Bounds(100, 12, 150, 21),
                                       {L"8000 Hz", L"11025 Hz", L"12000 Hz", L"16000 Hz", L"22050 Hz", L"24000 Hz",
                                        L"32000 Hz", L"44100 Hz", L"48000 Hz", L"96000 Hz"},
                                       7);
  LabelBitDepth = AddLabel(loading, *this, this, L"LabelBitDepth", L"Bit Depth:", Bounds(12, 45, 80, 14));
  ComboBoxBitDepth = AddDropDownList(loading, *this, this, L"ComboBoxBitDepth", Bounds(100, 42, 150, 21),
                                     {L"8 bits", L"16 bits", L"24 bits", L"32 bits"}, 1);
  LabelChannels = AddLabel(loading, *this, this, L"LabelChannels", L"Channels:", Bounds(12, 76, 80, 14));
  RadioButtonStereo =
      AddRadioButton(loading, *this, this, L"RadioButtonStereo", L"&Stereo", Bounds(100, 75, 70, 17), true);
  RadioButtonMono = AddRadioButton(loading, *this, this, L"RadioButtonMono", L"&Mono", Bounds(176, 75, 70, 17));
  ButtonOK = AddButton(loading, *this, this, L"ButtonOK", L"&OK", Bounds(94, 112, 75, 25), mrOk, true);
  ButtonCancel = AddButton(loading, *this, this, L"ButtonCancel", L"&Cancel", Bounds(175, 112, 75, 25), mrCancel);
  OnShow = {this, &TWaveFormatSpecifyForm::FormShow};
  loading.End();
}

void TWaveFormatSpecifyForm::LoadFromSettings() {
  ComboBoxSampleRate->SetItemIndex(GlobalVars.OutputWAVSampleType);
  ComboBoxBitDepth->SetItemIndex(GlobalVars.OutputWAVBitesPerSample);
  RadioButtonStereo->SetChecked(GlobalVars.OutputWAVMode == 0);
  RadioButtonMono->SetChecked(GlobalVars.OutputWAVMode == 1);
}

void TWaveFormatSpecifyForm::StoreToSettings() {
  StoreItemIndex(ComboBoxSampleRate, GlobalVars.OutputWAVSampleType);
  StoreItemIndex(ComboBoxBitDepth, GlobalVars.OutputWAVBitesPerSample);
  if (RadioButtonStereo->Checked()) GlobalVars.OutputWAVMode = 0;
  else if (RadioButtonMono->Checked()) GlobalVars.OutputWAVMode = 1;
}

void TWaveFormatSpecifyForm::FormShow(TObject*) { ApplyDialogShowSteps(*this); }
