#pragma once
// The window "Frequency Analysis": the spectrum (or the waveform) of the samples at the editor's
// position, drawn by the visualization control, with the frequency and level under the mouse. One
// instance for the whole run, created at start-up, shown modeless and on top of the other windows.

#include <cstdint>

#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TAudioVisualization2;
class SampleBuffer;

class TFreAnalysisForm : public TForm {
  DECLARE_CLASS(TFreAnalysisForm, TForm)
 public:
  explicit TFreAnalysisForm(TComponent* AOwner);
  ~TFreAnalysisForm() override;

  TAudioVisualization2* AudioVisualization = nullptr;
  TPanel* PanelBottom = nullptr;
  TBevel* Bevel = nullptr;
  TLabel* LabelFreqTitle = nullptr;
  TLabel* LabelFreq = nullptr;
  TLabel* LabelValueTitle = nullptr;
  TLabel* LabelValue = nullptr;
  TLabel* LabelTypeTitle = nullptr;
  TComboBox* ComboBoxViewType = nullptr;
  TLabel* LabelFFTSizeTitle = nullptr;
  TComboBox* ComboBoxFFTSize = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void ComboBoxViewTypeClick(TObject* Sender);
  void ComboBoxFFTSizeClick(TObject* Sender);
  void AudioVisualizationMouseMove(TObject* Sender, int X, int Y, int XValue, int YValue);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ApplyAnalysisSettings();
  // The window's bounds into the settings record.
  void StoreBounds();
  // Draws the samples; counts the refreshes and keeps the number of frames drawn last.
  void ShowSamples(const SampleBuffer& Samples);
  int Refreshes() const { return refreshes_; }
  std::int64_t LastFrames() const { return lastFrames_; }

 private:
  int refreshes_ = 0;
  std::int64_t lastFrames_ = 0;
};

// The window of the running program (set when it is created).
extern TFreAnalysisForm* FreAnalysisForm;
