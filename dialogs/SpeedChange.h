#pragma once
// TSpeedChangeForm ("Speed Change"): the new speed in percent; leaving the edit and OK refuse a
// value above 300 % with an error box and the focus back in the edit. A member of the parameter dialog
// family (ParameterDialog.h).

#include "dialogs/FamilyMember.h"
#include "dialogs/SingleValue.h"

class TSpeedChangeForm : public TForm, public TFamilyMember {
  DECLARE_CLASS(TSpeedChangeForm, TForm)
 public:
  explicit TSpeedChangeForm(TComponent* AOwner);

  TLabel* LabelSpeedAdjust = nullptr;
  TEdit* EditSpeedAdjust = nullptr;

  void EditSpeedAdjustExit(TObject* Sender);
  void ButtonOKClick(TObject* Sender);

 private:
  TCheckedSingleValue check_;
};
