#include "dialogs/FamilyMember.h"

#include <algorithm>

namespace {

constexpr int kMargin = 8;
constexpr int kSliderLeft = 128, kSliderWidth = 150, kSliderHeight = 28;
constexpr int kEditRow = 32, kSliderRow = 48;
constexpr int kEditWidth = 50, kEditHeight = 21, kBoundHeight = 14;
constexpr int kButtonWidth = 75, kButtonHeight = 25, kButtonStep = 81, kButtonGap = 4;
constexpr int kPresetsBottom = 40;

}  // namespace

void TFamilyMember::FormShow(TObject*) { family_.FormShow(); }
void TFamilyMember::ComboBoxPresetChange(TObject*) { family_.PresetChange(); }
void TFamilyMember::ButtonPreviewClick(TObject*) { family_.PreviewClick(); }
void TFamilyMember::TimerMonitorTimer(TObject*) { family_.MonitorTick(); }
void TFamilyMember::ButtonOKClick(TObject*) { family_.OKClick(); }
void TFamilyMember::ButtonHelpClick(TObject*) { family_.HelpClick(); }

void TFamilyMember::BuildRowLayout(TLoadingBracket& Loading, int ClientWidth) {
  TForm& form = family_.Form();
  int height = 40;
  for (const TParameterSpec& p : family_.Spec().Parameters) height += p.Kind == pkEdit ? kEditRow : kSliderRow;
  const int buttonsTop = height + 12;
  family_.BuildForm(ClientWidth, buttonsTop + 25 + 10);
  family_.BuildPresets(Loading, &form, Bounds(kMargin, 12, 56, 14), Bounds(64, 8, 214, 21));
  const int editLeft = ClientWidth - kMargin - 50;
  int top = 40;
  for (int i = 0; i < family_.ParameterCount(); ++i) {
    if (family_.Spec().Parameters[i].Kind == pkEdit) {
      family_.BuildParameter(Loading, i, &form, Bounds(kSliderLeft, top, 60, 21), kMargin, editLeft);
      top += kEditRow;
    } else {
      family_.BuildParameter(Loading, i, &form, Bounds(kSliderLeft, top, kSliderWidth, kSliderHeight), kMargin,
                             editLeft);
      top += kSliderRow;
    }
  }
  family_.BuildButtons(Loading, buttonsTop, kMargin, ClientWidth - kMargin - 75 - 2 * 81, height + 2);
  TakeCommonControls();
}

void TFamilyMember::BuildFixedLayout(TLoadingBracket& Loading, int ClientWidth, int ClientHeight, int SliderLeft) {
  TForm& form = family_.Form();
  family_.BuildForm(ClientWidth, ClientHeight);
  family_.BuildPresets(Loading, &form, Bounds(kMargin, 12, 56, 14), Bounds(64, 8, 214, 21));
  BuildRows(Loading, &form, 0, family_.ParameterCount(), kPresetsBottom, ClientHeight - kButtonHeight - 2 * kMargin - 6,
            SliderLeft);
  BuildBottomButtons(Loading);
}

void TFamilyMember::BuildRows(TLoadingBracket& Loading, TWinControl* Parent, int First, int Count, int Top,
                              int Bottom, int SliderLeft) {
  if (Count <= 0) return;
  const int pitch = (Bottom - Top) / Count;
  const int editLeft = Parent->ClientWidth() - kMargin - kEditWidth;
  const int sliderHeight = std::min(kSliderHeight, pitch - kBoundHeight);
  for (int k = 0; k < Count; ++k) {
    const int i = First + k;
    const int top = Top + k * pitch;
    if (family_.Spec().Parameters[i].Kind == pkEdit) {
      family_.BuildParameter(Loading, i, Parent, Bounds(SliderLeft, top + (pitch - kEditHeight) / 2, 60, kEditHeight),
                             kMargin, editLeft);
    } else {
      family_.BuildParameter(Loading, i, Parent,
                             Bounds(SliderLeft, top, editLeft - kMargin - SliderLeft, sliderHeight), kMargin, editLeft);
    }
  }
}

void TFamilyMember::BuildBottomButtons(TLoadingBracket& Loading) {
  TForm& form = family_.Form();
  const int width = form.ClientWidth();
  const int top = form.ClientHeight() - kButtonHeight - kMargin - 2;
  // Preview on the left, OK, Cancel and Help on the right; closer together where the row is short.
  const int reserved = family_.Spec().PreviewNumber >= 0 ? kMargin + kButtonWidth + kButtonGap : kMargin;
  const int step = std::min(kButtonStep, (width - kMargin - reserved - kButtonWidth) / 2);
  family_.BuildButtons(Loading, top, kMargin, width - kMargin - kButtonWidth - 2 * step, top - 10, step);
  TakeCommonControls();
}

void TFamilyMember::TakeCommonControls() {
  LabelPreset = family_.LabelPreset();
  ComboBoxPreset = family_.ComboBoxPreset();
  ButtonPreview = family_.ButtonPreview();
  ButtonOK = family_.ButtonOK();
  ButtonCancel = family_.ButtonCancel();
  ButtonHelp = family_.ButtonHelp();
  Bevel = family_.Bevel();
  TimerMonitor = family_.TimerMonitor();
}

void TakeControls(const TParameterDialog& Family, int Index, TLabel*& Caption, TImageSlider*& Slider, TEdit*& Edit,
                  TLabel*& Min, TLabel*& Max) {
  const TParameterControls& c = Family.Controls(Index);
  Caption = c.Caption;
  Slider = c.Slider;
  Edit = c.Edit;
  Min = c.MinLabel;
  Max = c.MaxLabel;
}

void TakeControls(const TParameterDialog& Family, int Index, TLabel*& Caption, TEdit*& Edit) {
  Caption = Family.Controls(Index).Caption;
  Edit = Family.Controls(Index).Edit;
}

void TFamilyMember::BindCommonHandlers(TForm& Form, bool OKHandler) {
  Form.OnShow = {this, &TFamilyMember::FormShow};
  if (ComboBoxPreset) ComboBoxPreset->OnChange = {this, &TFamilyMember::ComboBoxPresetChange};
  if (ButtonPreview) ButtonPreview->OnClick = {this, &TFamilyMember::ButtonPreviewClick};
  if (OKHandler) ButtonOK->OnClick = {this, &TFamilyMember::ButtonOKClick};
  ButtonHelp->OnClick = {this, &TFamilyMember::ButtonHelpClick};
  if (TimerMonitor) TimerMonitor->SetOnTimer({this, &TFamilyMember::TimerMonitorTimer});
}
