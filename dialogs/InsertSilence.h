#pragma once
// TInsertSilenceForm ("Insert Silence"): a silence length in milliseconds (up to six digits). The
// caller fills and reads the edit.

#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TInsertSilenceForm : public TForm {
  DECLARE_CLASS(TInsertSilenceForm, TForm)
 public:
  explicit TInsertSilenceForm(TComponent* AOwner);

  TLabel* LabelSilenceTime = nullptr;
  TEdit* EditSilenceTime = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  void FormShow(TObject* Sender);
};
