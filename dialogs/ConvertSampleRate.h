#pragma once
// TConvertSampleRateForm ("Convert Sample Rate"): a target rate and channel count, for the
// conversion command, the options dialog's default format and the batch converter. Callers fill
// and read the controls themselves.

#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TConvertSampleRateForm : public TForm {
  DECLARE_CLASS(TConvertSampleRateForm, TForm)
 public:
  explicit TConvertSampleRateForm(TComponent* AOwner);

  TGroupBox* GroupBoxSampleRate = nullptr;
  TLabel* LabelNewSampleRate = nullptr;
  // The conversion rate list (ConversionSampleRateOfIndex, app/core/SampleRates.h).
  TComboBox* ComboBoxRate = nullptr;
  // "Mono" (0) and "Stereo" (1).
  TRadioGroup* GroupBoxSChannels = nullptr;
  TLabel* LabelSampleRate = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  void FormShow(TObject* Sender);
};
