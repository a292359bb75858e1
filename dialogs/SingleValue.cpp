#include "dialogs/SingleValue.h"

#include "platform/framework/rtl/SysUtils.h"

bool AcceptSingleValue(TEdit* Edit, int Min, int Max, const wchar_t* Message) {
  const int value = StrToInt(Edit->Text());
  if (value >= Min && value <= Max) return true;
  if (Edit->CanFocus()) Edit->SetFocus();
  Application->MessageBox(Message, Application->Title(), MB_OK | MB_ICONERROR);
  return false;
}

void TCheckedSingleValue::Exit(TEdit* Edit, TButton* ButtonOK) {
  // The control taking the focus is the active one while the edit is left.
  if (Screen->ActiveControl() == ButtonOK) return;
  AcceptSingleValue(Edit, min_, max_, message_);
}

void TCheckedSingleValue::OK(TCustomForm& Form, TButton* ButtonOK, TEdit* Edit) {
  if (ButtonOK->CanFocus()) ButtonOK->SetFocus();
  if (AcceptSingleValue(Edit, min_, max_, message_)) Form.ModalResult = mrOk;
}
