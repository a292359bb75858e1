#include "dialogs/FamilyMember.h"

namespace {

constexpr int kMargin = 8;
constexpr int kSliderLeft = 128, kSliderWidth = 150, kSliderHeight = 28;
constexpr int kEditRow = 32, kSliderRow = 48;

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

void TFamilyMember::BindCommonHandlers(TForm& Form, bool OKHandler) {
  Form.OnShow = {this, &TFamilyMember::FormShow};
  ComboBoxPreset->OnChange = {this, &TFamilyMember::ComboBoxPresetChange};
  ButtonPreview->OnClick = {this, &TFamilyMember::ButtonPreviewClick};
  if (OKHandler) ButtonOK->OnClick = {this, &TFamilyMember::ButtonOKClick};
  ButtonHelp->OnClick = {this, &TFamilyMember::ButtonHelpClick};
  TimerMonitor->SetOnTimer({this, &TFamilyMember::TimerMonitorTimer});
}
