#pragma once
// TPasteMixForm ("Paste Mix"): the two mix levels and what happens when the mixed-in audio is longer
// than the selection. The caller fills and reads the controls; OK checks the levels.

#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TPasteMixForm : public TForm {
  DECLARE_CLASS(TPasteMixForm, TForm)
 public:
  explicit TPasteMixForm(TComponent* AOwner);

  TGroupBox* GroupBoxMixVolume = nullptr;
  TLabel* LabelSelectePart = nullptr;
  TEdit* EditSelectPart = nullptr;
  TLabel* LabelAudioInBuffer = nullptr;
  TEdit* EditAudioInBuffer = nullptr;
  TGroupBox* GroupBoxIfMix = nullptr;
  TRadioButton* RadioButtonIncreaseSelection = nullptr;
  TRadioButton* RadioButtonInsertSilence = nullptr;
  TButton* btnOK = nullptr;
  TButton* btnCancel = nullptr;
  TButton* btnHelp = nullptr;

  void FormShow(TObject* Sender);
  // Each level converted in turn (an emptied edit raises the conversion error and the dialog stays
  // open); the first above 100 is reported and takes the focus; both at most 100 close with OK.
  void btnOKClick(TObject* Sender);
  void btnHelpClick(TObject* Sender);
};
