#pragma once
// TFlangerForm ("Flanger"): delay rate, depth, gain and the sweep's depth, rate and phase of
// the flanger effect, a member of the parameter dialog family (ParameterDialog.h).

#include "dialogs/EffectControls.h"
#include "dialogs/FamilyMember.h"

class TFlangerForm : public TForm, public TFamilyMember, public TSweepEffectControls {
  DECLARE_CLASS(TFlangerForm, TForm)
 public:
  explicit TFlangerForm(TComponent* AOwner);
};
