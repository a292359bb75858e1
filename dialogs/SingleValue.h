#pragma once
// The checks of the single-value members that refuse to close while their value is out of bounds
// (speed change, pitch change, normalize). The value is the edit's text as an integer; text that is
// not one raises the framework's EConvertError, which the application's handler shows.

#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

// False for a value outside Min .. Max: the focus goes back to the edit and an error box with the
// application title and the error icon shows Message.
bool AcceptSingleValue(TEdit* Edit, int Min, int Max, const wchar_t* Message);

// The speed and pitch dialogs check their value when the edit is left and on OK, which first takes
// the focus and closes only when the value passes. Leaving the edit for OK (a click on it, Enter)
// leaves the check to OK's handler, so a value is checked, and an error reported, once per press.
class TCheckedSingleValue {
 public:
  TCheckedSingleValue(int Min, int Max, const wchar_t* Message) : min_(Min), max_(Max), message_(Message) {}

  void Exit(TEdit* Edit, TButton* ButtonOK);
  void OK(TCustomForm& Form, TButton* ButtonOK, TEdit* Edit);

 private:
  int min_, max_;
  const wchar_t* message_;
};
