#include "dialogs/Mp3CustomSettings.h"

#include "dialogs/DialogParts.h"
#include "dialogs/Mp3Format.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/FormBuilding.h"

DEFINE_CLASS(TMp3SettingsSpecifyForm)

namespace {

constexpr int kQualityMax = 9;

// A list of bit rates ("32 kbps" ...) with the item at ItemIndex selected.
TComboBox* AddRateList(TLoadingBracket& loading, TForm& form, TWinControl* parent, const wchar_t* name,
                       const TRect& bounds, std::span<const int> rates, int itemIndex) {
  TComboBox* list = AddDropDownList(loading, form, parent, name, bounds, {}, -1);
  for (int rate : rates) list->Items()->Add(IntToStr(rate) + L" kbps");
  list->SetItemIndex(itemIndex);
  return list;
}

}  // namespace

TMp3SettingsSpecifyForm::TMp3SettingsSpecifyForm(TComponent* AOwner) : TSettingsForm(AOwner) {
  TLoadingBracket loading(*this);
  BuildDialogForm(*this, L"Mp3SettingsSpecifyForm", L"Configure MP3 Settings", 372, 326);
  LabelMode = AddLabel(loading, *this, this, L"LabelMode", L"Mode:", Bounds(12, 15, 90, 14));
  ComboBoxMode = AddDropDownList(loading, *this, this, L"ComboBoxMode", Bounds(110, 12, 150, 21),
                                 {L"Stereo", L"Joint Stereo", L"Dual Channels", L"Mono"}, 0);
  RadioButtonConstant = AddRadioButton(loading, *this, this, L"RadioButtonConstant", L"&Constant Bit Rate",
                                       Bounds(12, 44, 150, 17), true);
  ComboBoxConstant =
      AddRateList(loading, *this, this, L"ComboBoxConstant", Bounds(170, 42, 100, 21), Mp3BitRates(), 10);
  RadioButtonVariable =
      AddRadioButton(loading, *this, this, L"RadioButtonVariable", L"&Variable Bit Rate", Bounds(12, 72, 150, 17));

  GroupBoxVariable = AddGroupBox(loading, *this, this, L"GroupBoxVariable", L"", Bounds(12, 92, 348, 172));
  TGroupBox* group = GroupBoxVariable;
  LabelMin = AddLabel(loading, *this, group, L"LabelMin", L"Min. Bit Rate:", Bounds(12, 21, 80, 14));
  ComboBoxMin = AddRateList(loading, *this, group, L"ComboBoxMin", Bounds(94, 18, 82, 21), Mp3MinBitRates(), 8);
  LabelMax = AddLabel(loading, *this, group, L"LabelMax", L"Max. Bit Rate:", Bounds(184, 21, 72, 14));
  ComboBoxMax = AddRateList(loading, *this, group, L"ComboBoxMax", Bounds(258, 18, 80, 21), Mp3MaxBitRates(), 12);
  RadioButtonQuality =
      AddRadioButton(loading, *this, group, L"RadioButtonQuality", L"&Quality Level", Bounds(12, 50, 120, 17), true);
  LabelLow = AddLabel(loading, *this, group, L"LabelLow", L"Low: 9", Bounds(12, 80, 40, 14));
  ImageSliderQuality =
      PlaceControl(loading, new TImageSlider(this), group, L"ImageSliderQuality", Bounds(56, 73, 200, 28));
  ImageSliderQuality->SetMinValue(0);
  ImageSliderQuality->SetMaxValue(kQualityMax);
  ImageSliderQuality->SetIncrement(1);
  ImageSliderQuality->SetOptions({soShowPoints});
  ImageSliderQuality->SetValue(kQualityMax - 2);
  LabelHigh = AddLabel(loading, *this, group, L"LabelHigh", L"High: 0", Bounds(262, 80, 44, 14));
  LabelQuality = AddLabel(loading, *this, group, L"LabelQuality", L"2", Bounds(312, 80, 24, 14));
  RadioButtonSetAverage = AddRadioButton(loading, *this, group, L"RadioButtonSetAverage", L"Set &Average Bit Rate:",
                                         Bounds(12, 112, 140, 17));
  ComboBoxSetAverage =
      AddRateList(loading, *this, group, L"ComboBoxSetAverage", Bounds(160, 110, 100, 21), Mp3BitRates(), 10);
  CheckBoxWriteXING = AddCheckBox(loading, *this, group, L"CheckBoxWriteXING",
                                  L"Write &XING compatible variable bit rate header", Bounds(12, 142, 320, 17), true);

  LabelFlags = AddLabel(loading, *this, this, L"LabelFlags", L"Set Flags:", Bounds(12, 276, 60, 14));
  CheckBoxChecksum = AddCheckBox(loading, *this, this, L"CheckBoxChecksum", L"Check&sum", Bounds(80, 275, 100, 17));
  ButtonOK = AddButton(loading, *this, this, L"ButtonOK", L"&OK", Bounds(204, 290, 75, 25), mrOk, true);
  ButtonCancel = AddButton(loading, *this, this, L"ButtonCancel", L"&Cancel", Bounds(285, 290, 75, 25), mrCancel);

  OnShow = {this, &TMp3SettingsSpecifyForm::FormShow};
  RadioButtonConstant->OnClick = {this, &TMp3SettingsSpecifyForm::RadioButtonConstantClick};
  RadioButtonVariable->OnClick = {this, &TMp3SettingsSpecifyForm::RadioButtonVariableClick};
  RadioButtonQuality->OnClick = {this, &TMp3SettingsSpecifyForm::RadioButtonQualityClick};
  RadioButtonSetAverage->OnClick = {this, &TMp3SettingsSpecifyForm::RadioButtonSetAverageClick};
  ComboBoxMin->OnChange = {this, &TMp3SettingsSpecifyForm::ComboBoxMinChange};
  ComboBoxMax->OnChange = {this, &TMp3SettingsSpecifyForm::ComboBoxMaxChange};
  ImageSliderQuality->OnChange = {this, &TMp3SettingsSpecifyForm::ImageSliderQualityChange};
  loading.End();
}

void TMp3SettingsSpecifyForm::LoadFromSettings() {
  ComboBoxMode->SetItemIndex(GlobalVars.OutputMP3Mode);
  RadioButtonConstant->SetChecked(GlobalVars.OutputMP3CBR);
  RadioButtonVariable->SetChecked(!GlobalVars.OutputMP3CBR);
  ComboBoxConstant->SetItemIndex(GlobalVars.OutputMP3CBRBitRate);
  ComboBoxMin->SetItemIndex(GlobalVars.OutputMP3VBRBitRateMin);
  ComboBoxMax->SetItemIndex(GlobalVars.OutputMP3VBRBitRateMax);
  RadioButtonQuality->SetChecked(GlobalVars.OutputMP3QualityLevel);
  RadioButtonSetAverage->SetChecked(!GlobalVars.OutputMP3QualityLevel);
  ImageSliderQuality->SetValue(kQualityMax - GlobalVars.OutputMP3QualityLevelValue);
  ComboBoxSetAverage->SetItemIndex(GlobalVars.OutputMP3ABRBitRate);
  CheckBoxWriteXING->SetChecked(GlobalVars.OutputMP3WriteXING);
  CheckBoxChecksum->SetChecked(GlobalVars.OutputMP3Checksum);
}

void TMp3SettingsSpecifyForm::StoreToSettings() {
  StoreItemIndex(ComboBoxMode, GlobalVars.OutputMP3Mode);
  GlobalVars.OutputMP3CBR = RadioButtonConstant->Checked();
  StoreItemIndex(ComboBoxConstant, GlobalVars.OutputMP3CBRBitRate);
  StoreItemIndex(ComboBoxMin, GlobalVars.OutputMP3VBRBitRateMin);
  StoreItemIndex(ComboBoxMax, GlobalVars.OutputMP3VBRBitRateMax);
  GlobalVars.OutputMP3QualityLevel = RadioButtonQuality->Checked();
  GlobalVars.OutputMP3QualityLevelValue = kQualityMax - ImageSliderQuality->Value();
  StoreItemIndex(ComboBoxSetAverage, GlobalVars.OutputMP3ABRBitRate);
  GlobalVars.OutputMP3WriteXING = CheckBoxWriteXING->Checked();
  GlobalVars.OutputMP3Checksum = CheckBoxChecksum->Checked();
}

void TMp3SettingsSpecifyForm::UpdateEnabling() {
  const bool variable = RadioButtonVariable->Checked();
  const bool quality = variable && RadioButtonQuality->Checked();
  ComboBoxConstant->SetEnabled(RadioButtonConstant->Checked());
  for (TControl* control : std::initializer_list<TControl*>{GroupBoxVariable, LabelMin, ComboBoxMin, LabelMax,
                                                            ComboBoxMax, RadioButtonQuality, RadioButtonSetAverage,
                                                            CheckBoxWriteXING})
    control->SetEnabled(variable);
  for (TControl* control : std::initializer_list<TControl*>{ImageSliderQuality, LabelLow, LabelHigh, LabelQuality})
    control->SetEnabled(quality);
  ComboBoxSetAverage->SetEnabled(variable && RadioButtonSetAverage->Checked());
}

void TMp3SettingsSpecifyForm::FormShow(TObject*) {
  ApplyDialogShowSteps(*this);
  UpdateEnabling();
  ImageSliderQualityChange(ImageSliderQuality);
}

void TMp3SettingsSpecifyForm::RadioButtonConstantClick(TObject*) { UpdateEnabling(); }
void TMp3SettingsSpecifyForm::RadioButtonVariableClick(TObject*) { UpdateEnabling(); }
void TMp3SettingsSpecifyForm::RadioButtonQualityClick(TObject*) { UpdateEnabling(); }
void TMp3SettingsSpecifyForm::RadioButtonSetAverageClick(TObject*) { UpdateEnabling(); }

void TMp3SettingsSpecifyForm::ComboBoxMinChange(TObject*) {
  if (ComboBoxMin->ItemIndex() > ComboBoxMax->ItemIndex()) ComboBoxMax->SetItemIndex(ComboBoxMin->ItemIndex());
}

void TMp3SettingsSpecifyForm::ComboBoxMaxChange(TObject*) {
  if (ComboBoxMax->ItemIndex() >= 0 && ComboBoxMax->ItemIndex() < ComboBoxMin->ItemIndex())
    ComboBoxMin->SetItemIndex(ComboBoxMax->ItemIndex());
}

void TMp3SettingsSpecifyForm::ImageSliderQualityChange(TObject*) {
  LabelQuality->SetCaption(Format(L"%d", {kQualityMax - ImageSliderQuality->Value()}));
}
