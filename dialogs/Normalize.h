#pragma once
// TNormalizeForm ("Normalize"): the peak level in percent; OK refuses a value above 500 % with an
// error box and leaves the focus where it is. A member of the parameter dialog family
// (ParameterDialog.h) without a preview.

#include "dialogs/FamilyMember.h"
#include "dialogs/SingleValue.h"

class TNormalizeForm : public TForm, public TFamilyMember {
  DECLARE_CLASS(TNormalizeForm, TForm)
 public:
  explicit TNormalizeForm(TComponent* AOwner);

  TLabel* LabelNewSampleRate = nullptr;
  TLabel* LabelNormalizePeak = nullptr;
  TEdit* EditNormalizePeak = nullptr;

  // Without a preview it has nothing to enable or disable while one starts.
  void SetControlsEnabled(bool Enabled) = delete;

  void ButtonOKClick(TObject* Sender);
};
