#pragma once
// TChorusForm ("Chorus"): the flanger dialog's six parameters for the chorus effect, a member of
// the parameter dialog family (ParameterDialog.h).

#include "dialogs/EffectControls.h"
#include "dialogs/FamilyMember.h"

class TChorusForm : public TForm, public TFamilyMember, public TSweepEffectControls {
  DECLARE_CLASS(TChorusForm, TForm)
 public:
  explicit TChorusForm(TComponent* AOwner);
};
