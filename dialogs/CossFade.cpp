#include "dialogs/CossFade.h"

DEFINE_CLASS(TCossFadeForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkSliderEdit, L"Initial", L"Initial &Amplification:", 0, 100, 3, L"0 %", L"100 %", &G::DefFadeInt, false,
     L"LabelMixDepth"},
    {pkSliderEdit, L"Final", L"&Final Amplification:", 0, 100, 3, L"0 %", L"100 %", &G::DefFadeFin},
};

const TPresetSpec kPresets[] = {
    {L"Full Fade In", {0, 100}},  {L"Soft Fade In 80%", {20, 100}},  {L"Soft Fade In 50%", {50, 100}},
    {L"Full Fade Out", {100, 0}}, {L"Soft Fade Out 50%", {100, 50}}, {L"Soft Fade Out 80%", {100, 20}},
};

const TParameterDialogSpec kSpec = {L"Coss Fade", 7, L"Effects", kParameters, kPresets};

}  // namespace

TCossFadeForm::TCossFadeForm(TComponent* AOwner) : TForm(AOwner, 0), TFamilyMember(*this, kSpec) {
  TLoadingBracket loading(*this);
  SetName(L"CossFadeForm");
  BuildFixedLayout(loading, 356, 179);
  TakeControls(family_, 0, LabelMixDepth, ImageSliderInitial, EditInitial, LabelInitialMin, LabelInitialMax);
  TakeControls(family_, 1, LabelFinal, ImageSliderFinal, EditFinal, LabelFinalMin, LabelFinalMax);
  ImageSliderInitial->OnChange = {this, &TCossFadeForm::ImageSliderInitialChange};
  EditInitial->OnChange = {this, &TCossFadeForm::EditInitialChange};
  EditInitial->OnExit = {this, &TCossFadeForm::EditInitialExit};
  ImageSliderFinal->OnChange = {this, &TCossFadeForm::ImageSliderFinalChange};
  EditFinal->OnChange = {this, &TCossFadeForm::EditFinalChange};
  EditFinal->OnExit = {this, &TCossFadeForm::EditFinalExit};
  BindCommonHandlers(*this, true);
  loading.End();
}

void TCossFadeForm::ImageSliderInitialChange(TObject* Sender) { family_.SliderChange(Sender); }
void TCossFadeForm::EditInitialChange(TObject* Sender) { family_.EditChange(Sender); }
void TCossFadeForm::EditInitialExit(TObject* Sender) { family_.EditExit(Sender); }
void TCossFadeForm::ImageSliderFinalChange(TObject* Sender) { family_.SliderChange(Sender); }
void TCossFadeForm::EditFinalChange(TObject* Sender) { family_.EditChange(Sender); }
void TCossFadeForm::EditFinalExit(TObject* Sender) { family_.EditExit(Sender); }
