#pragma once
// TRepeatLoopForm ("Repeat Loop"): how many times the selection is repeated (one digit). The caller
// reads the edit after OK.

#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TRepeatLoopForm : public TForm {
  DECLARE_CLASS(TRepeatLoopForm, TForm)
 public:
  explicit TRepeatLoopForm(TComponent* AOwner);

  TLabel* LabelRepeatTimes = nullptr;
  TEdit* EditRepeatTimes = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  void FormShow(TObject* Sender);
};
