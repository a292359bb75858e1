#include "dialogs/Normalize.h"

#include <limits>
DEFINE_CLASS(TNormalizeForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkEdit, L"NormalizePeak", L"&Normalize Peak Level:", 0, 999, 3, nullptr, nullptr, &G::DefNormalize},
};

const TPresetSpec kPresets[] = {
    {L"Very Soft Audio Level", {20}},
    {L"Soft Audio Level", {40}},
    {L"Normal Audio Level", {75}},
    {L"Maximun Audio Level", {100}},
};

const TParameterDialogSpec kSpec = {L"Normalize", -1, L"Effects", kParameters, kPresets};

const wchar_t kMessage[] = L"Normailze Peak Level must be less than 500%. Please try again.";

}  // namespace

TNormalizeForm::TNormalizeForm(TComponent* AOwner) : TForm(AOwner, 0), TFamilyMember(*this, kSpec) {
  TLoadingBracket loading(*this);
  SetName(L"NormalizeForm");
  BuildFixedLayout(loading, 281, 114, 136);
  TakeControls(family_, 0, LabelNormalizePeak, EditNormalizePeak);
  // The preset caption keeps the name it has always had.
  LabelNewSampleRate = LabelPreset;
  LabelNewSampleRate->SetName(L"LabelNewSampleRate");
  // OK closes only through its handler, once the value passes.
  ButtonOK->ModalResult = mrNone;
  BindCommonHandlers(*this, false);
  ButtonOK->OnClick = {this, &TNormalizeForm::ButtonOKClick};
  loading.End();
}

void TNormalizeForm::ButtonOKClick(TObject*) {
  if (AcceptSingleValue(EditNormalizePeak, std::numeric_limits<int>::min(), 500, kMessage)) ModalResult = mrOk;
}
