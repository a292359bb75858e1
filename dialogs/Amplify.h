#pragma once
// TAmplifyForm ("Amplify"): the gain in percent, one digits-only edit that takes any value
// it can hold; a member of the parameter dialog family (ParameterDialog.h) without an OK check.

#include "dialogs/FamilyMember.h"

class TAmplifyForm : public TForm, public TFamilyMember {
  DECLARE_CLASS(TAmplifyForm, TForm)
 public:
  explicit TAmplifyForm(TComponent* AOwner);

  TLabel* LabelAmplify = nullptr;
  TEdit* EditAmplify = nullptr;
};
