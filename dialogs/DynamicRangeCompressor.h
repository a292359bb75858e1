#pragma once
// TDynamicRangeCompressorForm ("Dynamic Range Compressor"): the threshold in dB (a signed edit) and
// the rate of the dynamics compressor, a member of the parameter dialog family (ParameterDialog.h).

#include "dialogs/EffectControls.h"
#include "dialogs/FamilyMember.h"

class TDynamicRangeCompressorForm : public TForm, public TFamilyMember, public TThresholdControls {
  DECLARE_CLASS(TDynamicRangeCompressorForm, TForm)
 public:
  explicit TDynamicRangeCompressorForm(TComponent* AOwner);
};
