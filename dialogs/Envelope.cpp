#include "dialogs/Envelope.h"

#include "dialogs/DialogHost.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/windows/FormBuilding.h"

DEFINE_CLASS(TEnvelopeForm)

namespace {

const TParameterDialogSpec kSpec = {L"Envelope", -1, L"Effects", {}, {}};

constexpr int kWidth = 555, kHeight = 252;
// Where FormShow puts the display, and the colour of its value read-out.
const TRect kDisplayBounds = Bounds(8, 0, 545, 200);
constexpr TColor kDisplayFontColor = RGBColor(168, 220, 248);
constexpr int kShownLineArraySize = 100000;

}  // namespace

TEnvelopeForm::TEnvelopeForm(TComponent* AOwner) : TForm(AOwner, 0), family_(*this, kSpec) {
  TLoadingBracket loading(*this);
  SetName(L"EnvelopeForm");
  family_.BuildForm(kWidth, kHeight);
  TD = PlaceControl(loading, new TAudioTransformDisplay2(this), this, L"TD", Bounds(8, 8, 537, 192));
  // The display's stored state.
  TD->SetBorderColor(clBlack);
  TD->SetBackColor(clBlack);
  TD->SetGridColor(RGBColor(112, 112, 112));
  TD->SetScaleColor(clBtnFace);
  TD->SetTextColor(clBtnText);
  TD->SetColor(RGBColor(64, 255, 64));
  TD->SetPointColor(clYellow);
  TD->SetGridVisible(true);
  TD->SetScaleXVisible(true);
  TD->SetScaleYVisible(true);
  TD->SetLineArraySize(1024);
  TD->SetSplineType(1);
  TD->SetSplineSteepnes(32);
  TD->SetScaleXMin(0);
  TD->SetScaleXMax(22050);
  TD->SetScaleYMin(-20);
  TD->SetScaleYMax(20);
  TD->SetLogScale(false);
  TD->SetScaleXCaption(L"Hz");
  TD->SetScaleYCaption(L"dB");
  TD->Font()->SetName(L"Small Fonts");
  family_.BuildButtons(loading, kHeight - 35, 8, kWidth - 8 - 75 - 2 * 81, kHeight - 45);
  Bevel = family_.Bevel();
  ButtonOK = family_.ButtonOK();
  ButtonCancel = family_.ButtonCancel();
  ButtonHelp = family_.ButtonHelp();
  OnShow = {this, &TEnvelopeForm::FormShow};
  ButtonHelp->OnClick = {this, &TEnvelopeForm::ButtonHelpClick};
  loading.End();
}

void TEnvelopeForm::FitToSelection() {
  IEditorHost* host = FindDialogHost<IEditorHost>(this);
  TAudioEditor2* editor = host ? host->DocumentEditor() : nullptr;
  if (!editor) return;
  IAudioEditor2Position* position = editor->Position();
  const std::int64_t start = position->GetSelectionStart();
  const std::int64_t end = position->GetSelectionEnd();
  TD->SetScaleXMin(static_cast<float>(start));
  TD->SetScaleXMax(static_cast<float>(end));
}

void TEnvelopeForm::FormShow(TObject*) {
  family_.FormShow();
  TD->SetBoundsRect(kDisplayBounds);
  TD->Font()->SetName(L"Tahoma");
  TD->Font()->SetSize(7);
  TD->Font()->SetColor(kDisplayFontColor);
  TD->SetGridVisible(true);
  TD->SetScaleXCaption(L"smpl");
  TD->SetLineArraySize(kShownLineArraySize);
}

void TEnvelopeForm::ButtonHelpClick(TObject*) { family_.HelpClick(); }
