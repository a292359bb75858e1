#pragma once
// TPitchChangeForm ("Pitch Change"): the new pitch in percent; leaving the edit and OK refuse a
// value outside 10 to 300 % with an error box and the focus back in the edit. A member of the parameter
// dialog family (ParameterDialog.h).

#include "dialogs/FamilyMember.h"
#include "dialogs/SingleValue.h"

class TPitchChangeForm : public TForm, public TFamilyMember {
  DECLARE_CLASS(TPitchChangeForm, TForm)
 public:
  explicit TPitchChangeForm(TComponent* AOwner);

  TLabel* LabelPitchAdjust = nullptr;
  TEdit* EditPitchAdjust = nullptr;

  void EditPitchAdjustExit(TObject* Sender);
  void ButtonOKClick(TObject* Sender);

 private:
  TCheckedSingleValue check_;
};
