#include "dialogs/InsertSilence.h"

#include "dialogs/DialogParts.h"

DEFINE_CLASS(TInsertSilenceForm)

TInsertSilenceForm::TInsertSilenceForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  BuildDialogForm(*this, L"InsertSilenceForm", L"Insert Silence", 220, 86);
  LabelSilenceTime =
      AddLabel(loading, *this, this, L"LabelSilenceTime", L"Silence &Time (ms):", Bounds(12, 15, 110, 14));
  EditSilenceTime = AddEdit(loading, *this, this, L"EditSilenceTime", Bounds(130, 12, 78, 21), 6, L"0");
  LabelSilenceTime->SetFocusControl(EditSilenceTime);
  ButtonOK = AddButton(loading, *this, this, L"ButtonOK", L"&OK", Bounds(52, 50, 75, 25), mrOk, true);
  ButtonCancel = AddButton(loading, *this, this, L"ButtonCancel", L"&Cancel", Bounds(133, 50, 75, 25), mrCancel);
  OnShow = {this, &TInsertSilenceForm::FormShow};
  loading.End();
}

void TInsertSilenceForm::FormShow(TObject*) { ApplyDialogShowSteps(*this, {EditSilenceTime}); }
