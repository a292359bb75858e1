#include "dialogs/OGGCustomSettings.h"

#include "dialogs/DialogParts.h"
#include "dialogs/OGGFormat.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/FormBuilding.h"

DEFINE_CLASS(TOGGSettingsSpecifyForm)

TOGGSettingsSpecifyForm::TOGGSettingsSpecifyForm(TComponent* AOwner) : TSettingsForm(AOwner) {
  TLoadingBracket loading(*this);
  BuildDialogForm(*this, L"OGGSettingsSpecifyForm", L"Configure OGG Settings", 380, 204);
  RadioButtonAverage =
      AddRadioButton(loading, *this, this, L"RadioButtonAverage", L"&Average Bit Rate:", Bounds(12, 14, 130, 17));
  ComboBoxSetAverage = AddDropDownList(loading, *this, this, L"ComboBoxSetAverage", Bounds(150, 12, 100, 21), {}, -1);
  for (int rate : OggAverageBitRates()) ComboBoxSetAverage->Items()->Add(IntToStr(rate) + L" kbps");
  ComboBoxSetAverage->SetItemIndex(4);
  RadioButtonVariable = AddRadioButton(loading, *this, this, L"RadioButtonVariable", L"&Variable Bit Rate",
                                       Bounds(12, 46, 130, 17), true);
  LabelLowQuality = AddLabel(loading, *this, this, L"LabelLowQuality", L"Low Quality", Bounds(12, 78, 64, 14));
  ImageSliderQuality =
      PlaceControl(loading, new TImageSlider(this), this, L"ImageSliderQuality", Bounds(80, 70, 180, 28));
  ImageSliderQuality->SetMinValue(1);
  ImageSliderQuality->SetMaxValue(100);
  ImageSliderQuality->SetIncrement(1);
  ImageSliderQuality->SetOptions({soSmooth});
  ImageSliderQuality->SetValue(60);
  LabelHighQuality = AddLabel(loading, *this, this, L"LabelHighQuality", L"High Quality", Bounds(266, 78, 64, 14));
  LabelQuality = AddLabel(loading, *this, this, L"LabelQuality", L"60%", Bounds(334, 78, 36, 14));
  GroupBoxMode = PlaceControl(loading, new TRadioGroup(this), this, L"GroupBoxMode", Bounds(12, 108, 356, 44));
  GroupBoxMode->SetCaption(L"Mode");
  GroupBoxMode->Items()->Add(L"Stereo");
  GroupBoxMode->Items()->Add(L"Mono");
  GroupBoxMode->SetColumns(2);
  GroupBoxMode->SetItemIndex(0);
  ButtonOK = AddButton(loading, *this, this, L"ButtonOK", L"&OK", Bounds(212, 168, 75, 25), mrOk, true);
  ButtonCancel = AddButton(loading, *this, this, L"ButtonCancel", L"&Cancel", Bounds(293, 168, 75, 25), mrCancel);

  OnShow = {this, &TOGGSettingsSpecifyForm::FormShow};
  RadioButtonAverage->OnClick = {this, &TOGGSettingsSpecifyForm::RadioButtonAverageClick};
  RadioButtonVariable->OnClick = {this, &TOGGSettingsSpecifyForm::RadioButtonVariableClick};
  ImageSliderQuality->OnChange = {this, &TOGGSettingsSpecifyForm::ImageSliderQualityChange};
  loading.End();
}

void TOGGSettingsSpecifyForm::LoadFromSettings() {
  GroupBoxMode->SetItemIndex(GlobalVars.OutputOGGMode);
  RadioButtonAverage->SetChecked(GlobalVars.OutputOGGABR);
  RadioButtonVariable->SetChecked(!GlobalVars.OutputOGGABR);
  ComboBoxSetAverage->SetItemIndex(GlobalVars.OutputOGGABRBitRate);
  ImageSliderQuality->SetValue(GlobalVars.OutputOGGQualityValue);
}

void TOGGSettingsSpecifyForm::StoreToSettings() {
  if (GroupBoxMode->ItemIndex() >= 0) GlobalVars.OutputOGGMode = static_cast<Byte>(GroupBoxMode->ItemIndex());
  GlobalVars.OutputOGGABR = RadioButtonAverage->Checked();
  StoreItemIndex(ComboBoxSetAverage, GlobalVars.OutputOGGABRBitRate);
  GlobalVars.OutputOGGQualityValue = ImageSliderQuality->Value();
}

void TOGGSettingsSpecifyForm::UpdateEnabling() {
  ComboBoxSetAverage->SetEnabled(RadioButtonAverage->Checked());
  const bool variable = RadioButtonVariable->Checked();
  for (TControl* control :
       std::initializer_list<TControl*>{ImageSliderQuality, LabelLowQuality, LabelHighQuality, LabelQuality})
    control->SetEnabled(variable);
}

void TOGGSettingsSpecifyForm::FormShow(TObject*) {
  ApplyDialogShowSteps(*this);
  UpdateEnabling();
  ImageSliderQualityChange(ImageSliderQuality);
}

void TOGGSettingsSpecifyForm::RadioButtonAverageClick(TObject*) { UpdateEnabling(); }
void TOGGSettingsSpecifyForm::RadioButtonVariableClick(TObject*) { UpdateEnabling(); }

void TOGGSettingsSpecifyForm::ImageSliderQualityChange(TObject*) {
  LabelQuality->SetCaption(Format(L"%d%%", {ImageSliderQuality->Value()}));
}
