#include "dialogs/FormatDialog.h"

#include "app/core/Help.h"
#include "dialogs/DialogParts.h"
#include "dialogs/DialogProtocol.h"
#include "dialogs/Mp3Format.h"
#include "dialogs/OGGFormat.h"
#include "dialogs/WMAFormat.h"
#include "dialogs/WaveFormat.h"
#include "platform/framework/windows/FormBuilding.h"

DEFINE_CLASS(TSettingsForm)
DEFINE_CLASS(TOutputFormatForm)

namespace {

constexpr int kClientWidth = 400;
constexpr int kSliderLeft = 84, kSliderWidth = 217, kSliderHeight = 40;
constexpr int kButtonWidth = 75, kButtonHeight = 25, kButtonStep = 81;

}  // namespace

bool ExecuteSettingsForm(TSettingsForm& Dialog, TControl* Over) {
  return RunDialogProtocol({&Dialog, Over, nullptr, [&] { Dialog.LoadFromSettings(); }, false,
                            [&] { Dialog.StoreToSettings(); }, false});
}

void StoreItemIndex(TComboBox* List, Byte& Field) {
  if (List->ItemIndex() >= 0) Field = static_cast<Byte>(List->ItemIndex());
}

const TPresetLabel* PresetLabelOf(std::span<const TPresetLabel> Labels, int Value) {
  return Value >= 0 && Value < static_cast<int>(Labels.size()) ? &Labels[Value] : nullptr;
}

TOutputFormatForm::TOutputFormatForm(TComponent* AOwner, const TOutputFormatSpec& Spec)
    : TSettingsForm(AOwner), spec_(Spec) {
  TLoadingBracket loading(*this);
  // The preset row sits below the preset radio button in a two-way dialog, at the top otherwise.
  const int sliderTop = TwoWay() ? 32 : 12;
  const int buttonsTop = TwoWay() ? 196 : 100;
  BuildDialogForm(*this, Spec.Name, Spec.Caption, kClientWidth, buttonsTop + kButtonHeight + 10);

  if (TwoWay())
    RadioButtonPresetQuality = AddRadioButton(loading, *this, this, L"RadioButtonPresetQuality",
                                              L"&Preset Quality:", Bounds(12, 10, 200, 17), true);
  LabelLowQuality =
      AddLabel(loading, *this, this, L"LabelLowQuality", L"Low Quality,\r\nSmall Size", Bounds(12, sliderTop + 6, 68, 28));
  ImageSliderPreset = PlaceControl(loading, new TImageSlider(this), this, L"ImageSliderPreset",
                                   Bounds(kSliderLeft, sliderTop, kSliderWidth, kSliderHeight));
  ImageSliderPreset->SetMinValue(0);
  ImageSliderPreset->SetMaxValue(Spec.PresetMax);
  ImageSliderPreset->SetIncrement(1);
  ImageSliderPreset->SetOptions({soShowPoints});
  ImageSliderPreset->SetValue(Spec.PresetValue);
  LabelHighQuality = AddLabel(loading, *this, this, L"LabelHighQuality", L"High Quality,\r\nLarge Size",
                              Bounds(kSliderLeft + kSliderWidth + 6, sliderTop + 6, 80, 28));
  const TPresetLabel* design = PresetLabelOf(Spec.PresetLabels, Spec.PresetValue);
  for (TLabel** label : {&LabelPresetQuality1, &LabelPresetQuality2}) {
    const bool first = label == &LabelPresetQuality1;
    *label = AddLabel(loading, *this, this, first ? L"LabelPresetQuality1" : L"LabelPresetQuality2",
                      first ? design->Quality : design->Description,
                      Bounds(12, sliderTop + kSliderHeight + (first ? 4 : 20), kClientWidth - 24, 14));
    (*label)->SetAutoSize(false);
    (*label)->SetAlignment(taCenter);
  }

  if (TwoWay()) {
    RadioButtonSpecifySettings = AddRadioButton(loading, *this, this, L"RadioButtonSpecifySettings",
                                                L"&Specify Settings:", Bounds(12, 118, 200, 17));
    LabelSpecifySettings = AddLabel(loading, *this, this, L"LabelSpecifySettings", L"", Bounds(28, 140, 270, 42));
    LabelSpecifySettings->SetAutoSize(false);
    LabelSpecifySettings->SetWordWrap(true);
    ButtonConfigure = AddButton(loading, *this, this, L"ButtonConfigure", L"&Configure...", Bounds(306, 138, 82, 25));
  }
  const int okLeft = kClientWidth - 12 - kButtonWidth - 2 * kButtonStep;
  ButtonOK = AddButton(loading, *this, this, L"ButtonOK", L"&OK", Bounds(okLeft, buttonsTop, kButtonWidth, kButtonHeight),
                       mrOk, true);
  ButtonCancel = AddButton(loading, *this, this, L"ButtonCancel", L"&Cancel",
                           Bounds(okLeft + kButtonStep, buttonsTop, kButtonWidth, kButtonHeight), mrCancel);
  ButtonHelp = AddButton(loading, *this, this, L"ButtonHelp", L"&Help",
                         Bounds(okLeft + 2 * kButtonStep, buttonsTop, kButtonWidth, kButtonHeight));

  OnShow = {this, &TOutputFormatForm::FormShow};
  ImageSliderPreset->OnChange = {this, &TOutputFormatForm::ImageSliderPresetChange};
  if (TwoWay()) {
    RadioButtonPresetQuality->OnClick = {this, &TOutputFormatForm::RadioButtonPresetQualityClick};
    RadioButtonSpecifySettings->OnClick = {this, &TOutputFormatForm::RadioButtonSpecifySettingsClick};
    ButtonConfigure->OnClick = {this, &TOutputFormatForm::ButtonConfigureClick};
  }
  ButtonHelp->OnClick = {this, &TOutputFormatForm::ButtonHelpClick};
  loading.End();
}

void TOutputFormatForm::LoadFromSettings() {
  if (TwoWay()) {
    const Byte type = GlobalVars.*spec_.TypeField;
    RadioButtonPresetQuality->SetChecked(type == 0);
    RadioButtonSpecifySettings->SetChecked(type == 1);
  }
  ImageSliderPreset->SetValue(GlobalVars.*spec_.PresetField);
}

void TOutputFormatForm::StoreToSettings() {
  if (TwoWay()) {
    if (RadioButtonPresetQuality->Checked()) GlobalVars.*spec_.TypeField = 0;
    else if (RadioButtonSpecifySettings->Checked()) GlobalVars.*spec_.TypeField = 1;
  }
  GlobalVars.*spec_.PresetField = static_cast<Byte>(ImageSliderPreset->Value());
}

void TOutputFormatForm::UpdatePresetEnabling() {
  if (!TwoWay()) return;
  const bool preset = RadioButtonPresetQuality->Checked();
  for (TControl* control : std::initializer_list<TControl*>{LabelPresetQuality1, LabelPresetQuality2, LabelLowQuality,
                                                            LabelHighQuality, ImageSliderPreset})
    control->SetEnabled(preset);
  const bool specify = RadioButtonSpecifySettings->Checked();
  LabelSpecifySettings->SetEnabled(specify);
  ButtonConfigure->SetEnabled(specify);
}

void TOutputFormatForm::UpdatePresetLabels() {
  const TPresetLabel* labels = PresetLabelOf(spec_.PresetLabels, ImageSliderPreset->Value());
  if (!labels) return;
  LabelPresetQuality1->SetCaption(labels->Quality);
  LabelPresetQuality2->SetCaption(labels->Description);
}

void TOutputFormatForm::FormShow(TObject*) {
  ApplyDialogShowSteps(*this);
  UpdatePresetEnabling();
  UpdatePresetLabels();
  if (TwoWay()) LabelSpecifySettings->SetCaption(spec_.Summary(GlobalVars));
}

void TOutputFormatForm::RadioButtonPresetQualityClick(TObject*) { UpdatePresetEnabling(); }
void TOutputFormatForm::RadioButtonSpecifySettingsClick(TObject*) { UpdatePresetEnabling(); }
void TOutputFormatForm::ImageSliderPresetChange(TObject*) { UpdatePresetLabels(); }

void TOutputFormatForm::ButtonConfigureClick(TObject*) {
  ObjectPtr<TSettingsForm> specify(spec_.NewSpecifyForm(this));
  if (ExecuteSettingsForm(*specify, this)) LabelSpecifySettings->SetCaption(spec_.Summary(GlobalVars));
}

void TOutputFormatForm::ButtonHelpClick(TObject*) { ShowHelpTopic(Handle(), spec_.HelpTopic); }

TOutputFormatForm* NewOutputFormatForm(const String& LowerExtension, TComponent* Owner) {
  if (LowerExtension == L".wav") return new TWaveFormatForm(Owner);
  if (LowerExtension == L".mp3") return new TMp3FormatForm(Owner);
  if (LowerExtension == L".ogg") return new TOGGFormatForm(Owner);
  if (LowerExtension == L".wma") return new TWMAFormatForm(Owner);
  return nullptr;
}

bool ExecuteOutputFormatDialog(const String& LowerExtension, TWinControl* Owner) {
  ObjectPtr<TOutputFormatForm> dialog(NewOutputFormatForm(LowerExtension, Owner));
  return dialog && ExecuteSettingsForm(*dialog, Owner);
}
