#pragma once
// TEchoForm ("Echo"): the delay time, mix depth and feedback gain of the echo effect, the
// model member of the parameter dialog family (ParameterDialog.h).

#include "dialogs/EffectControls.h"
#include "dialogs/FamilyMember.h"

class TEchoForm : public TForm, public TFamilyMember, public TDelayEffectControls {
  DECLARE_CLASS(TEchoForm, TForm)
 public:
  explicit TEchoForm(TComponent* AOwner);
};
