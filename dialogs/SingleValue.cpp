#include "dialogs/SingleValue.h"

#include "platform/framework/rtl/SysUtils.h"

bool AcceptSingleValue(TEdit* Edit, int Min, int Max, const wchar_t* Message) {
  const int value = StrToInt(Edit->Text());
  if (value >= Min && value <= Max) return true;
  if (Edit->CanFocus()) Edit->SetFocus();
  Application->MessageBox(Message, Application->Title(), MB_OK | MB_ICONERROR);
  return false;
}

void TCheckedSingleValue::Exit(TEdit* Edit) {
  // Stays set when the conversion raises: the error has then been reported here.
  refused_ = true;
  refused_ = !AcceptSingleValue(Edit, min_, max_, message_);
}

void TCheckedSingleValue::OK(TCustomForm& Form, TButton* ButtonOK, TEdit* Edit) {
  refused_ = false;
  if (ButtonOK->CanFocus()) ButtonOK->SetFocus();
  if (refused_) return;
  const int value = StrToInt(Edit->Text());
  if (value >= min_ && value <= max_) Form.ModalResult = mrOk;
}
