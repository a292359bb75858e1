#include "dialogs/RepeatLoop.h"

#include "dialogs/DialogParts.h"

DEFINE_CLASS(TRepeatLoopForm)

TRepeatLoopForm::TRepeatLoopForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  const TOneValueControls c = BuildOneValueDialog(loading, *this, L"RepeatLoopForm", L"Repeat Loop", L"LabelRepeatTimes",
                                                  L"&Repeat number of times:", L"EditRepeatTimes", 1, L"1");
  LabelRepeatTimes = c.Label, EditRepeatTimes = c.Edit, ButtonOK = c.OK, ButtonCancel = c.Cancel;
  OnShow = {this, &TRepeatLoopForm::FormShow};
  loading.End();
}

void TRepeatLoopForm::FormShow(TObject*) { ApplyDialogShowSteps(*this, {EditRepeatTimes}); }
