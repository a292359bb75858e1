#pragma once
// TPhaserForm ("Phaser"): the delay time, mix depth and feedback gain of the phaser effect, a
// member of the parameter dialog family (ParameterDialog.h) with the echo dialog's controls.

#include "dialogs/EffectControls.h"
#include "dialogs/FamilyMember.h"

class TPhaserForm : public TForm, public TFamilyMember, public TDelayEffectControls {
  DECLARE_CLASS(TPhaserForm, TForm)
 public:
  explicit TPhaserForm(TComponent* AOwner);
};
