#pragma once
// TVibratoForm ("Vibrato"): sweep depth, rate and phase of the vibrato effect, a member of the
// parameter dialog family (ParameterDialog.h).

#include "dialogs/EffectControls.h"

class TVibratoForm : public TForm, public TFamilyMember, public TSweepControls {
  DECLARE_CLASS(TVibratoForm, TForm)
 public:
  explicit TVibratoForm(TComponent* AOwner);
};
