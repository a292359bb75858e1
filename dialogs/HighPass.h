#pragma once
// THighPassForm ("High-Pass Filter"): the high-pass filter's frequency in Hz, one digits-only edit
// that takes any value it can hold; a member of the parameter dialog family (ParameterDialog.h) without
// an OK check.

#include "dialogs/FamilyMember.h"

class THighPassForm : public TForm, public TFamilyMember {
  DECLARE_CLASS(THighPassForm, TForm)
 public:
  explicit THighPassForm(TComponent* AOwner);

  TLabel* LabelFrequency = nullptr;
  TEdit* EditFrequency = nullptr;
};
