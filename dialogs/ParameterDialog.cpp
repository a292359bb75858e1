#include "dialogs/ParameterDialog.h"

#include <limits>

#include "app/core/FontNames.h"
#include "app/core/Help.h"
#include "app/core/WaitCursor.h"
#include "dialogs/DialogHost.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/FormBuilding.h"

const wchar_t kPreviewCaption[] = L"&Preview";
const wchar_t kStopCaption[] = L"&Stop";

namespace {

constexpr int kButtonWidth = 75, kButtonHeight = 25;

// The values a form starts with, as its stored description holds them: the record's defaults.
const TGlobalVars& DesignValues() {
  static const TGlobalVars values = [] {
    TGlobalVars v;
    AssignDefaultValues(v);
    return v;
  }();
  return values;
}

}  // namespace

TParameterDialog::TParameterDialog(TForm& Form, const TParameterDialogSpec& Spec)
    : form_(Form), spec_(Spec), controls_(Spec.Parameters.size()) {}

bool TParameterDialog::ParseInteger(const String& Text, int& Value) {
  std::size_t i = !Text.empty() && Text[0] == L'-' ? 1 : 0;
  if (i == Text.size() || Text.size() - i > 10) return false;
  long long magnitude = 0;
  for (std::size_t k = i; k < Text.size(); ++k) {
    if (Text[k] < L'0' || Text[k] > L'9') return false;
    magnitude = magnitude * 10 + (Text[k] - L'0');
  }
  const long long value = i ? -magnitude : magnitude;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return false;
  Value = int(value);
  return true;
}

// ---- building --------------------------------------------------------------------------------

void TParameterDialog::BuildForm(int ClientWidth, int ClientHeight) {
  form_.SetCaption(spec_.Caption);
  form_.SetBorderStyle(bsSingle);
  form_.SetBorderIcons({biSystemMenu});
  form_.Font()->SetName(L"Tahoma");
  form_.Font()->SetSize(8);
  form_.SetClientSize(ClientWidth, ClientHeight);
}

TLabel* TParameterDialog::MakeLabel(TLoadingBracket& Loading, TWinControl* Parent, const String& Name,
                                    const wchar_t* Caption, const TRect& Bounds) {
  auto* label = PlaceControl(Loading, new TLabel(&form_), Parent, Name.c_str(), Bounds);
  label->SetCaption(Caption);
  return label;
}

TParameterControls& TParameterDialog::BuildParameter(TLoadingBracket& Loading, int Index, TWinControl* Parent,
                                                     const TRect& SliderBounds, int CaptionLeft, int EditLeft) {
  const TParameterSpec& p = spec_.Parameters[Index];
  TParameterControls& c = controls_.at(Index);
  const String name = p.Name;
  if (p.Caption)
    c.Caption = MakeLabel(Loading, Parent, p.CaptionName ? String(p.CaptionName) : L"Label" + name, p.Caption,
                          Bounds(CaptionLeft, SliderBounds.top + 4, SliderBounds.left - CaptionLeft - 4, 14));
  if (p.Kind == pkEdit) {
    c.Edit = PlaceControl(Loading, new TEdit(&form_), Parent, (L"Edit" + name).c_str(), SliderBounds);
    c.Edit->SetMaxLength(p.MaxLength);
    if (p.Field) c.Edit->SetText(IntToStr(DesignValues().*p.Field));
    return c;
  }
  // Published order: MinValue, MaxValue, Increment, Options, Orientation, ..., Value.
  // A slider alone carries the parameter's own name (the equalizer's "Band1" ...).
  const String sliderName = p.Kind == pkSlider ? name : L"ImageSlider" + name;
  c.Slider = PlaceControl(Loading, new TImageSlider(&form_), Parent, sliderName.c_str(), SliderBounds);
  c.Slider->SetMinValue(p.MinValue);
  c.Slider->SetMaxValue(p.MaxValue);
  c.Slider->SetIncrement(1);
  c.Slider->SetOptions({soSmooth});
  if (SliderBounds.Height() > SliderBounds.Width()) c.Slider->SetOrientation(soVertical);
  if (p.Field) c.Slider->SetValue(DesignValues().*p.Field);
  if (p.Kind == pkSlider) return c;
  c.Edit = PlaceControl(Loading, new TEdit(&form_), Parent, (L"Edit" + name).c_str(),
                        Bounds(EditLeft, SliderBounds.top + 3, 50, 21));
  c.Edit->SetMaxLength(p.MaxLength);
  const int below = SliderBounds.bottom;
  c.MinLabel = MakeLabel(Loading, Parent, L"Label" + name + L"Min", p.MinCaption,
                         Bounds(SliderBounds.left + 6, below, 60, 14));
  c.MaxLabel = MakeLabel(Loading, Parent, L"Label" + name + L"Max", p.MaxCaption,
                         Bounds(SliderBounds.right - 66, below, 60, 14));
  c.MaxLabel->SetAlignment(taRightJustify);
  return c;
}

void TParameterDialog::BuildPresets(TLoadingBracket& Loading, TWinControl* Parent, const TRect& LabelBounds,
                                    const TRect& ComboBounds) {
  labelPreset_ = MakeLabel(Loading, Parent, L"LabelPreset", L"&Presets:", LabelBounds);
  comboBoxPreset_ = PlaceControl(Loading, new TComboBox(&form_), Parent, L"ComboBoxPreset", ComboBounds);
  comboBoxPreset_->SetStyle(csDropDownList);
  comboBoxPreset_->Items()->Add(L"Select Preset");
  for (const TPresetSpec& preset : spec_.Presets) comboBoxPreset_->Items()->Add(preset.Name);
  comboBoxPreset_->SetItemIndex(0);
  labelPreset_->SetFocusControl(comboBoxPreset_);
}

TButton* TParameterDialog::MakeButton(TLoadingBracket& Loading, const wchar_t* Name, const wchar_t* Caption, int Left,
                                      int Top) {
  auto* button =
      PlaceControl(Loading, new TButton(&form_), &form_, Name, Bounds(Left, Top, kButtonWidth, kButtonHeight));
  button->SetCaption(Caption);
  return button;
}

void TParameterDialog::BuildButtons(TLoadingBracket& Loading, int Top, int PreviewLeft, int OKLeft, int BevelTop,
                                    int Step) {
  if (BevelTop >= 0) {
    bevel_ = PlaceControl(Loading, new TBevel(&form_), &form_, L"Bevel",
                          Bounds(8, BevelTop, form_.ClientWidth() - 16, 2));
    bevel_->SetShape(bsTopLine);
  }
  if (spec_.PreviewNumber >= 0)
    buttonPreview_ = MakeButton(Loading, L"ButtonPreview", kPreviewCaption, PreviewLeft, Top);
  buttonOK_ = MakeButton(Loading, L"ButtonOK", L"&OK", OKLeft, Top);
  buttonOK_->SetDefault(true);
  buttonOK_->ModalResult = mrOk;
  // Modal result Cancel, but not the Escape key's button.
  buttonCancel_ = MakeButton(Loading, L"ButtonCancel", L"&Cancel", OKLeft + Step, Top);
  buttonCancel_->ModalResult = mrCancel;
  buttonHelp_ = MakeButton(Loading, L"ButtonHelp", L"&Help", OKLeft + 2 * Step, Top);
  if (!buttonPreview_) return;
  timerMonitor_ = Loading.Add(new TTimer(&form_));
  timerMonitor_->SetName(L"TimerMonitor");
  timerMonitor_->SetEnabled(false);
  timerMonitor_->SetInterval(50);
}

// ---- behaviour -------------------------------------------------------------------------------

IPreviewHost* TParameterDialog::Host() const { return FindDialogHost<IPreviewHost>(&form_); }

void TParameterDialog::LoadFromSettings() {
  for (int i = 0; i < ParameterCount(); ++i) {
    const TParameterSpec& p = spec_.Parameters[i];
    const TParameterControls& c = controls_[i];
    if (c.Slider) c.Slider->SetValue(GlobalVars.*p.Field);
    else c.Edit->SetText(IntToStr(GlobalVars.*p.Field));
  }
}

void TParameterDialog::StoreToSettings() {
  if (spec_.PreviewNumber >= 0) GlobalVars.PreviewOperationTypes = spec_.PreviewNumber;
  for (int i = 0; i < ParameterCount(); ++i) {
    const TParameterSpec& p = spec_.Parameters[i];
    const TParameterControls& c = controls_[i];
    GlobalVars.*p.Field = c.Slider ? c.Slider->Value() : StrToInt(c.Edit->Text());
  }
}

void TParameterDialog::SetControlsEnabled(bool Enabled) {
  for (const TParameterControls& c : controls_) {
    for (TControl* control : {static_cast<TControl*>(c.Caption), static_cast<TControl*>(c.Slider),
                              static_cast<TControl*>(c.MinLabel), static_cast<TControl*>(c.MaxLabel)})
      if (control) control->SetEnabled(Enabled);
    if (c.Edit) c.Edit->SetReadOnly(!Enabled);
  }
  for (TControl* control : extraEnabled_) control->SetEnabled(Enabled);
  for (TControl* control : {static_cast<TControl*>(labelPreset_), static_cast<TControl*>(comboBoxPreset_),
                            static_cast<TControl*>(buttonOK_), static_cast<TControl*>(buttonCancel_),
                            static_cast<TControl*>(buttonHelp_), static_cast<TControl*>(buttonPreview_)})
    if (control) control->SetEnabled(Enabled);
}

void TParameterDialog::FormShow() {
  ReplaceFontName(&form_, L"Tahoma", Screen->HintFont()->Name());
  for (int i = 0; i < ParameterCount(); ++i)
    if (controls_[i].Edit && !spec_.Parameters[i].Signed) controls_[i].Edit->SetNumbersOnly(true);
  for (const TParameterControls& c : controls_)
    if (c.Slider && c.Edit && c.Slider->OnChange) c.Slider->OnChange(c.Slider);
  if (!buttonPreview_) return;
  if (IPreviewHost* host = Host()) host->ClearPreviewing();
  else buttonPreview_->SetVisible(false);
  timerMonitor_->SetEnabled(false);
}

int TParameterDialog::IndexOfSlider(TObject* Sender) const {
  for (int i = 0; i < ParameterCount(); ++i)
    if (controls_[i].Slider && controls_[i].Slider == Sender) return i;
  return -1;
}

int TParameterDialog::IndexOfEdit(TObject* Sender) const {
  for (int i = 0; i < ParameterCount(); ++i)
    if (controls_[i].Edit && controls_[i].Edit == Sender) return i;
  return -1;
}

void TParameterDialog::SliderChange(TObject* Sender) {
  const int i = IndexOfSlider(Sender);
  if (i < 0 || !controls_[i].Edit) return;
  controls_[i].Edit->SetText(Format(L"%d", {controls_[i].Slider->Value()}));
}

void TParameterDialog::EditChange(TObject* Sender) {
  const int i = IndexOfEdit(Sender);
  if (i < 0 || !controls_[i].Slider) return;
  TEdit* edit = controls_[i].Edit;
  TImageSlider* slider = controls_[i].Slider;
  int value = 0;
  if (!ParseInteger(edit->Text(), value) || value < slider->MinValue() || value > slider->MaxValue()) {
    edit->Font()->SetColor(clRed);
    return;
  }
  edit->Font()->SetColor(clWindowText);
  slider->SetValue(value);
}

void TParameterDialog::EditExit(TObject* Sender) {
  const int i = IndexOfEdit(Sender);
  if (i < 0 || !controls_[i].Slider) return;
  TEdit* edit = controls_[i].Edit;
  TImageSlider* slider = controls_[i].Slider;
  int value = 0;
  if (!ParseInteger(edit->Text(), value)) edit->SetText(IntToStr(slider->MinValue()));
  else if (value < slider->MinValue()) edit->SetText(IntToStr(slider->MinValue()));
  else if (value > slider->MaxValue()) edit->SetText(IntToStr(slider->MaxValue()));
}

void TParameterDialog::SignedKeyPress(TObject* Sender, wchar_t& Key) {
  auto* edit = dynamic_cast<TEdit*>(Sender);
  if ((Key >= L'0' && Key <= L'9') || Key == 8 || Key == 13 || Key == L'.') return;
  if (Key == L'-' && edit) {
    const String text = edit->Text();
    // Decided by the caret's character index, not its pixel position, which depends on the font.
    if (int(text.size()) == edit->SelLength()) return;
    if (text.find(L'-') == String::npos && edit->SelStart() == 0) return;
  }
  Key = 0;
  MessageBeep(0);
}

void TParameterDialog::PresetChange() { ApplyPreset(comboBoxPreset_->ItemIndex()); }

void TParameterDialog::ApplyPreset(int Index) {
  if (Index < 1 || Index > int(spec_.Presets.size())) return;
  const TPresetSpec& preset = spec_.Presets[Index - 1];
  for (int k = 0; k < ParameterCount() && k < int(preset.Values.size()); ++k) {
    const int i = spec_.PresetOrder.empty() ? k : spec_.PresetOrder[k];
    const TParameterControls& c = controls_[i];
    if (c.Slider) c.Slider->SetValue(preset.Values[i]);
    else c.Edit->SetText(IntToStr(preset.Values[i]));
  }
}

void TParameterDialog::SetAllSliders(int Value) {
  for (const TParameterControls& c : controls_)
    if (c.Slider) c.Slider->SetValue(Value);
}

void TParameterDialog::PreviewClick() {
  TWaitCursor wait;
  IPreviewHost* host = Host();
  if (!host) return;
  if (host->Previewing()) {
    buttonPreview_->SetCaption(kPreviewCaption);
    host->StopPreview();
    return;
  }
  SetControlsEnabled(false);
  buttonPreview_->SetCaption(kStopCaption);
  try {
    StoreToSettings();
    host->StartPreview();
  } catch (...) {
    EndFailedStart();
    throw;
  }
  timerMonitor_->SetEnabled(true);
}

// A start that raised leaves nothing playing and the dialog idle and usable; the error then goes on
// to the application's handler (the wait cursor ends on the way).
void TParameterDialog::EndFailedStart() {
  try {
    if (IPreviewHost* host = Host()) host->StopPreview();
  } catch (...) {
    // The error of the start is the one reported.
  }
  SetControlsEnabled(true);
  buttonPreview_->SetCaption(kPreviewCaption);
  timerMonitor_->SetEnabled(false);
}

void TParameterDialog::MonitorTick() {
  IPreviewHost* host = Host();
  if (!host || !host->TransformBusy()) SetControlsEnabled(true);
  if (host && host->Previewing()) return;
  buttonPreview_->SetCaption(kPreviewCaption);
  timerMonitor_->SetEnabled(false);
}

void TParameterDialog::OKClick() {
  if (buttonOK_->CanFocus()) buttonOK_->SetFocus();
}

void TParameterDialog::HelpClick() { ShowHelpTopic(form_.Handle(), spec_.HelpTopic); }
