#include "dialogs/InsertSilence.h"

#include "dialogs/DialogParts.h"

DEFINE_CLASS(TInsertSilenceForm)

TInsertSilenceForm::TInsertSilenceForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  const TOneValueControls c = BuildOneValueDialog(loading, *this, L"InsertSilenceForm", L"Insert Silence", L"LabelSilenceTime",
                                                  L"Silence &Time (ms):", L"EditSilenceTime", 6, L"0");
  LabelSilenceTime = c.Label, EditSilenceTime = c.Edit, ButtonOK = c.OK, ButtonCancel = c.Cancel;
  OnShow = {this, &TInsertSilenceForm::FormShow};
  loading.End();
}

void TInsertSilenceForm::FormShow(TObject*) { ApplyDialogShowSteps(*this, {EditSilenceTime}); }
