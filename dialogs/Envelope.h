#pragma once
// TEnvelopeForm ("Envelope"): a volume envelope drawn over the selection in the audio layer's curve
// display TD, in dB from -20 to +20 over the selection's samples. Of the parameter dialog family it
// has the form conventions, OK, Cancel and Help: no presets, no preview, no settings. The Envelope
// command fits the display to the selection, shows the dialog and, on OK, reads the curve from TD
// while the dialog still exists.

#include "dialogs/ParameterDialog.h"
#include "platform/audio/displays/AudioTransformDisplay2.h"

class TEnvelopeForm : public TForm {
  DECLARE_CLASS(TEnvelopeForm, TForm)
 public:
  explicit TEnvelopeForm(TComponent* AOwner);

  TAudioTransformDisplay2* TD = nullptr;
  TBevel* Bevel = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;

  // The horizontal scale becomes the selection of the main window's editor: ScaleXMin := its start,
  // then ScaleXMax := its end, each through its setter. An empty selection leaves a zero span, which
  // the display counts as one sample. Without an editor the scale stays as it is.
  void FitToSelection();

  void FormShow(TObject* Sender);
  void ButtonHelpClick(TObject* Sender);

 private:
  TParameterDialog family_;
};
