#pragma once
// TNewFileForm ("New Sample"): the sample rate and channels of a new, empty document. Callers fill
// and read the controls themselves.

#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TNewFileForm : public TForm {
  DECLARE_CLASS(TNewFileForm, TForm)
 public:
  explicit TNewFileForm(TComponent* AOwner);

  TLabel* labSamplerRate = nullptr;
  // The new-file rate list (NewFileSampleRateOfIndex, app/core/SampleRates.h).
  TComboBox* cbSampleRate = nullptr;
  TLabel* labChannels = nullptr;
  TRadioButton* rbStereo = nullptr;
  TRadioButton* rbMono = nullptr;
  TBevel* Bevel = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;

  void FormShow(TObject* Sender);
  void ButtonHelpClick(TObject* Sender);
};
