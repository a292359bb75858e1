#include "dialogs/RepeatLoop.h"

#include "dialogs/DialogParts.h"

DEFINE_CLASS(TRepeatLoopForm)

TRepeatLoopForm::TRepeatLoopForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  BuildDialogForm(*this, L"RepeatLoopForm", L"Repeat Loop", 220, 86);
  LabelRepeatTimes =
      AddLabel(loading, *this, this, L"LabelRepeatTimes", L"&Repeat number of times:", Bounds(12, 15, 140, 14));
  EditRepeatTimes = AddEdit(loading, *this, this, L"EditRepeatTimes", Bounds(160, 12, 48, 21), 1, L"1");
  LabelRepeatTimes->SetFocusControl(EditRepeatTimes);
  ButtonOK = AddButton(loading, *this, this, L"ButtonOK", L"&OK", Bounds(52, 50, 75, 25), mrOk, true);
  ButtonCancel = AddButton(loading, *this, this, L"ButtonCancel", L"&Cancel", Bounds(133, 50, 75, 25), mrCancel);
  OnShow = {this, &TRepeatLoopForm::FormShow};
  loading.End();
}

void TRepeatLoopForm::FormShow(TObject*) { ApplyDialogShowSteps(*this, {EditRepeatTimes}); }
