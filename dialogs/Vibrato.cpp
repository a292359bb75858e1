#include "dialogs/Vibrato.h"

DEFINE_CLASS(TVibratoForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkSliderEdit, L"SweepDepth", L"Sweep Depth (%):", 0, 100, 3, L"0 %", L"100 %", &G::DefVibratoSweepDepth},
    {pkSliderEdit, L"SweepRate", L"Sweep Frequency (hz):", 0, 50, 3, L"0 hz", L"50 hz", &G::DefVibratoSweepRate},
    {pkSliderEdit, L"SweepPhase", L"Sweep Phase (Deg):", 0, 359, 3, L"0 Deg", L"359 Deg", &G::DefVibratoSweepPhase},
};

const TPresetSpec kPresets[] = {
    {L"Fast Vibrato", {40, 15, 95}},
    {L"Robotic Voice", {70, 20, 90}},
    {L"Slow Vibrato", {40, 1, 95}},
};

const TParameterDialogSpec kSpec = {L"Vibrato", 21, L"Effects", kParameters, kPresets};

}  // namespace

TVibratoForm::TVibratoForm(TComponent* AOwner) : TForm(AOwner, 0), TFamilyMember(*this, kSpec) {
  TLoadingBracket loading(*this);
  SetName(L"VibratoForm");
  BuildRowLayout(loading, 342);
  const TParameterControls& sweepDepth = family_.Controls(0);
  const TParameterControls& sweepRate = family_.Controls(1);
  const TParameterControls& sweepPhase = family_.Controls(2);
  LabelSweepDepth = sweepDepth.Caption;
  ImageSliderSweepDepth = sweepDepth.Slider;
  EditSweepDepth = sweepDepth.Edit;
  LabelSweepDepthMin = sweepDepth.MinLabel;
  LabelSweepDepthMax = sweepDepth.MaxLabel;
  LabelSweepRate = sweepRate.Caption;
  ImageSliderSweepRate = sweepRate.Slider;
  EditSweepRate = sweepRate.Edit;
  LabelSweepRateMin = sweepRate.MinLabel;
  LabelSweepRateMax = sweepRate.MaxLabel;
  LabelSweepPhase = sweepPhase.Caption;
  ImageSliderSweepPhase = sweepPhase.Slider;
  EditSweepPhase = sweepPhase.Edit;
  LabelSweepPhaseMin = sweepPhase.MinLabel;
  LabelSweepPhaseMax = sweepPhase.MaxLabel;
  ImageSliderSweepDepth->OnChange = {this, &TVibratoForm::ImageSliderSweepDepthChange};
  EditSweepDepth->OnChange = {this, &TVibratoForm::EditSweepDepthChange};
  EditSweepDepth->OnExit = {this, &TVibratoForm::EditSweepDepthExit};
  ImageSliderSweepRate->OnChange = {this, &TVibratoForm::ImageSliderSweepRateChange};
  EditSweepRate->OnChange = {this, &TVibratoForm::EditSweepRateChange};
  EditSweepRate->OnExit = {this, &TVibratoForm::EditSweepRateExit};
  ImageSliderSweepPhase->OnChange = {this, &TVibratoForm::ImageSliderSweepPhaseChange};
  EditSweepPhase->OnChange = {this, &TVibratoForm::EditSweepPhaseChange};
  EditSweepPhase->OnExit = {this, &TVibratoForm::EditSweepPhaseExit};
  BindCommonHandlers(*this, true);
  loading.End();
}

void TVibratoForm::ImageSliderSweepDepthChange(TObject* Sender) { family_.SliderChange(Sender); }
void TVibratoForm::EditSweepDepthChange(TObject* Sender) { family_.EditChange(Sender); }
void TVibratoForm::EditSweepDepthExit(TObject* Sender) { family_.EditExit(Sender); }
void TVibratoForm::ImageSliderSweepRateChange(TObject* Sender) { family_.SliderChange(Sender); }
void TVibratoForm::EditSweepRateChange(TObject* Sender) { family_.EditChange(Sender); }
void TVibratoForm::EditSweepRateExit(TObject* Sender) { family_.EditExit(Sender); }
void TVibratoForm::ImageSliderSweepPhaseChange(TObject* Sender) { family_.SliderChange(Sender); }
void TVibratoForm::EditSweepPhaseChange(TObject* Sender) { family_.EditChange(Sender); }
void TVibratoForm::EditSweepPhaseExit(TObject* Sender) { family_.EditExit(Sender); }
