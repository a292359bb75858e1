#include "app/FreAnalysis.h"

#include "app/FormControls.h"
#include "app/MainForm.h"
#include "app/core/Globals.h"
#include "platform/audio/displays/AudioVisualization2.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TFreAnalysisForm)

TFreAnalysisForm* FreAnalysisForm = nullptr;

TFreAnalysisForm::TFreAnalysisForm(TComponent* AOwner) : TForm(AOwner, 0) {
  FreAnalysisForm = this;
  TLoadingBracket loading(*this);
  SetName(L"FreAnalysisForm");
  SetCaption(L"Frequency Analysis");
  SetBorderStyle(bsSingle);
  SetFormStyle(fsStayOnTop);
  Font()->SetName(L"Tahoma");
  Font()->SetSize(8);
  SetBounds(0, 0, 550, 300);

  PanelBottom = AddControl<TPanel>(loading, this, this, L"PanelBottom", 0, 0, 550, 36);
  PanelBottom->SetAlign(alBottom);
  PanelBottom->SetBevelOuter(bvNone);
  PanelBottom->SetCaption(L"");
  Bevel = AddControl<TBevel>(loading, this, PanelBottom, L"Bevel", 0, 0, 550, 2);
  Bevel->SetAlign(alTop);
  Bevel->SetShape(bsTopLine);
  LabelFreqTitle = AddControl<TLabel>(loading, this, PanelBottom, L"LabelFreqTitle", 8, 12, 30, 14);
  LabelFreqTitle->SetCaption(L"Freq:");
  LabelFreq = AddControl<TLabel>(loading, this, PanelBottom, L"LabelFreq", 40, 12, 70, 14);
  LabelFreq->SetCaption(L"0 Hz");
  LabelValueTitle = AddControl<TLabel>(loading, this, PanelBottom, L"LabelValueTitle", 112, 12, 34, 14);
  LabelValueTitle->SetCaption(L"Value:");
  LabelValue = AddControl<TLabel>(loading, this, PanelBottom, L"LabelValue", 148, 12, 60, 14);
  LabelValue->SetCaption(L"0 dB");
  LabelTypeTitle = AddControl<TLabel>(loading, this, PanelBottom, L"LabelTypeTitle", 214, 12, 30, 14);
  LabelTypeTitle->SetCaption(L"Type:");
  ComboBoxViewType = AddControl<TComboBox>(loading, this, PanelBottom, L"ComboBoxViewType", 246, 8, 100, 21);
  ComboBoxViewType->SetStyle(csDropDownList);
  for (const wchar_t* type : {L"Analog", L"Linear", L"Normal", L"Fire", L"Glass", L"Kryptonite"})
    ComboBoxViewType->Items()->Add(type);
  ComboBoxViewType->SetItemIndex(0);
  ComboBoxViewType->OnChange = {this, &TFreAnalysisForm::ComboBoxViewTypeClick};
  LabelFFTSizeTitle = AddControl<TLabel>(loading, this, PanelBottom, L"LabelFFTSizeTitle", 356, 12, 50, 14);
  LabelFFTSizeTitle->SetCaption(L"FFT Size:");
  ComboBoxFFTSize = AddControl<TComboBox>(loading, this, PanelBottom, L"ComboBoxFFTSize", 408, 8, 80, 21);
  ComboBoxFFTSize->SetStyle(csDropDownList);
  for (const wchar_t* size : {L"256", L"1024", L"4096"}) ComboBoxFFTSize->Items()->Add(size);
  ComboBoxFFTSize->SetItemIndex(1);
  ComboBoxFFTSize->OnChange = {this, &TFreAnalysisForm::ComboBoxFFTSizeClick};

  AudioVisualization = AddControl<TAudioVisualization2>(loading, this, this, L"AudioVisualization", 0, 0, 550, 230);
  AudioVisualization->SetAlign(alClient);
  AudioVisualization->OnMouseMove = {this, &TFreAnalysisForm::AudioVisualizationMouseMove};

  OnCreate = {this, &TFreAnalysisForm::FormCreate};
  OnShow = {this, &TFreAnalysisForm::FormShow};
  OnClose = {this, &TFreAnalysisForm::FormClose};
  loading.End();
}

TFreAnalysisForm::~TFreAnalysisForm() {
  if (FreAnalysisForm == this) FreAnalysisForm = nullptr;
}

void TFreAnalysisForm::FormCreate(TObject*) {
  AudioVisualization->Font()->SetName(L"Tahoma");
  AudioVisualization->Font()->SetSize(7);
}

void TFreAnalysisForm::FormShow(TObject*) { ApplyAnalysisSettings(); }

void TFreAnalysisForm::ComboBoxViewTypeClick(TObject*) { ApplyAnalysisSettings(); }

void TFreAnalysisForm::ComboBoxFFTSizeClick(TObject*) { ApplyAnalysisSettings(); }

void TFreAnalysisForm::ApplyAnalysisSettings() {
  AudioVisualization->SetVisType(ComboBoxViewType->ItemIndex());
  AudioVisualization->SetWindowFFTType(0);
  AudioVisualization->SetWindowArraySize(StrToInt(ComboBoxFFTSize->Items()->Strings(ComboBoxFFTSize->ItemIndex())));
  if (MainForm) MainForm->RefreshAnalysis();
}

void TFreAnalysisForm::AudioVisualizationMouseMove(TObject*, int, int, int XValue, int YValue) {
  LabelValue->SetCaption(Format(L"%d dB", {YValue}));
  LabelFreq->SetCaption(Format(AudioVisualization->VisType() == 0 ? L"%d smpl" : L"%d hz", {XValue}));
}

void TFreAnalysisForm::FormClose(TObject*, TCloseAction&) {
  LabelFreq->SetCaption(Format(L"%d hz", {0}));
  LabelValue->SetCaption(Format(L"%d dB", {0}));
  StoreBounds();
}

void TFreAnalysisForm::StoreBounds() {
  GlobalVars.FreAnalysisFormLeft = Left();
  GlobalVars.FreAnalysisFormTop = Top();
  GlobalVars.FreAnalysisFormWidth = Width();
  GlobalVars.FreAnalysisFormHeight = Height();
}

void TFreAnalysisForm::ShowSamples(const SampleBuffer& Samples) {
  ++refreshes_;
  lastFrames_ = Samples.Frames();
  AudioVisualization->ShowSamples(&Samples);
}

// ---- The main window's part ----------------------------------------------------------------------

void TMainForm::RefreshAnalysis() {
  if (!FreAnalysisForm || !FreAnalysisForm->Visible()) return;
  const int n = FreAnalysisForm->AudioVisualization->WindowArraySize();
  const SampleBuffer samples = AudioEditor->ReadSamples(2 * static_cast<std::int64_t>(n));
  FreAnalysisForm->ShowSamples(samples);
}

void TMainForm::ActionFrequencyAnalysisExecute(TObject*) {
  FreAnalysisForm->SetBounds(GlobalVars.FreAnalysisFormLeft, GlobalVars.FreAnalysisFormTop,
                             GlobalVars.FreAnalysisFormWidth, GlobalVars.FreAnalysisFormHeight);
  FreAnalysisForm->Show();
  // The window's show step runs before it is visible, when a refresh still reads nothing.
  RefreshAnalysis();
}
