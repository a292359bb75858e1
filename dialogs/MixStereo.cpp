#include "dialogs/MixStereo.h"

#include "platform/framework/windows/FormBuilding.h"

DEFINE_CLASS(TMixStereoForm)

namespace {

using G = TGlobalVars;
const TParameterSpec kParameters[] = {
    {pkSliderEdit, L"NewLeftChannelLeft", L"&Left:", 0, 100, 3, L"0 %", L"100 %", &G::DefMixChanLL},
    {pkSliderEdit, L"NewLeftChannelRight", L"&R&ight:", 0, 100, 3, L"0 %", L"100 %", &G::DefMixChanLR},
    {pkSliderEdit, L"NewRightChannelLeft", L"&Left:", 0, 100, 3, L"0 %", L"100 %", &G::DefMixChanRL},
    {pkSliderEdit, L"NewRightChannelRight", L"&R&ight:", 0, 100, 3, L"0 %", L"100 %", &G::DefMixChanRR},
};

const TPresetSpec kPresets[] = {
    {L"50/50 Mixing", {50, 50, 50, 50}},     {L"Both = Left", {100, 0, 100, 0}},
    {L"Both = Right", {0, 100, 0, 100}},     {L"Full Mix", {100, 100, 100, 100}},
    {L"Less Stereo -20%", {80, 20, 20, 80}}, {L"Less Stereo -30%", {70, 30, 30, 70}},
    {L"Swap Channels", {0, 100, 100, 0}},
};

const TParameterDialogSpec kSpec = {L"Mix Stereo Channels", 8, L"Effects", kParameters, kPresets};

// Two group boxes of two slider rows each between the preset list and the buttons.
constexpr int kWidth = 340, kHeight = 317;
constexpr int kFirstGroupTop = 36, kGroupHeight = 113, kGroupStep = 121;
constexpr int kRowsTop = 18, kSliderLeft = 64;

TGroupBox* MakeChannelGroup(TLoadingBracket& loading, TForm* form, const wchar_t* name, const wchar_t* caption,
                            int top) {
  TGroupBox* group = PlaceControl(loading, new TGroupBox(form), form, name, Bounds(8, top, kWidth - 16, kGroupHeight));
  group->SetCaption(caption);
  return group;
}

}  // namespace

TMixStereoForm::TMixStereoForm(TComponent* AOwner) : TForm(AOwner, 0), TFamilyMember(*this, kSpec) {
  TLoadingBracket loading(*this);
  SetName(L"MixStereoForm");
  family_.BuildForm(kWidth, kHeight);
  family_.BuildPresets(loading, this, Bounds(8, 12, 56, 14), Bounds(64, 8, 214, 21));
  GroupBoxNewLeftChannel =
      MakeChannelGroup(loading, this, L"GroupBoxNewLeftChannel", L"New &Left Channel:", kFirstGroupTop);
  GroupBoxNewRightChannel =
      MakeChannelGroup(loading, this, L"GroupBoxNewRightChannel", L"New &Right Channel:", kFirstGroupTop + kGroupStep);
  BuildRows(loading, GroupBoxNewLeftChannel, 0, 2, kRowsTop, kGroupHeight - 4, kSliderLeft);
  BuildRows(loading, GroupBoxNewRightChannel, 2, 2, kRowsTop, kGroupHeight - 4, kSliderLeft);
  BuildBottomButtons(loading);
  TakeControls(family_, 0, LabelNewLeftChannelLeft, ImageSliderNewLeftChannelLeft, EditNewLeftChannelLeft,
               LabelNewLeftChannelLeftMin, LabelNewLeftChannelLeftMax);
  TakeControls(family_, 1, LabelNewLeftChannelRight, ImageSliderNewLeftChannelRight, EditNewLeftChannelRight,
               LabelNewLeftChannelRightMin, LabelNewLeftChannelRightMax);
  TakeControls(family_, 2, LabelNewRightChannelLeft, ImageSliderNewRightChannelLeft, EditNewRightChannelLeft,
               LabelNewRightChannelLeftMin, LabelNewRightChannelLeftMax);
  TakeControls(family_, 3, LabelNewRightChannelRight, ImageSliderNewRightChannelRight, EditNewRightChannelRight,
               LabelNewRightChannelRightMin, LabelNewRightChannelRightMax);
  ImageSliderNewLeftChannelLeft->OnChange = {this, &TMixStereoForm::ImageSliderNewLeftChannelLeftChange};
  EditNewLeftChannelLeft->OnChange = {this, &TMixStereoForm::EditNewLeftChannelLeftChange};
  EditNewLeftChannelLeft->OnExit = {this, &TMixStereoForm::EditNewLeftChannelLeftExit};
  ImageSliderNewLeftChannelRight->OnChange = {this, &TMixStereoForm::ImageSliderNewLeftChannelRightChange};
  EditNewLeftChannelRight->OnChange = {this, &TMixStereoForm::EditNewLeftChannelRightChange};
  EditNewLeftChannelRight->OnExit = {this, &TMixStereoForm::EditNewLeftChannelRightExit};
  ImageSliderNewRightChannelLeft->OnChange = {this, &TMixStereoForm::ImageSliderNewRightChannelLeftChange};
  EditNewRightChannelLeft->OnChange = {this, &TMixStereoForm::EditNewRightChannelLeftChange};
  EditNewRightChannelLeft->OnExit = {this, &TMixStereoForm::EditNewRightChannelLeftExit};
  ImageSliderNewRightChannelRight->OnChange = {this, &TMixStereoForm::ImageSliderNewRightChannelRightChange};
  EditNewRightChannelRight->OnChange = {this, &TMixStereoForm::EditNewRightChannelRightChange};
  EditNewRightChannelRight->OnExit = {this, &TMixStereoForm::EditNewRightChannelRightExit};
  BindCommonHandlers(*this, true);
  loading.End();
}

void TMixStereoForm::ImageSliderNewLeftChannelLeftChange(TObject* Sender) { family_.SliderChange(Sender); }
void TMixStereoForm::EditNewLeftChannelLeftChange(TObject* Sender) { family_.EditChange(Sender); }
void TMixStereoForm::EditNewLeftChannelLeftExit(TObject* Sender) { family_.EditExit(Sender); }
void TMixStereoForm::ImageSliderNewLeftChannelRightChange(TObject* Sender) { family_.SliderChange(Sender); }
void TMixStereoForm::EditNewLeftChannelRightChange(TObject* Sender) { family_.EditChange(Sender); }
void TMixStereoForm::EditNewLeftChannelRightExit(TObject* Sender) { family_.EditExit(Sender); }
void TMixStereoForm::ImageSliderNewRightChannelLeftChange(TObject* Sender) { family_.SliderChange(Sender); }
void TMixStereoForm::EditNewRightChannelLeftChange(TObject* Sender) { family_.EditChange(Sender); }
void TMixStereoForm::EditNewRightChannelLeftExit(TObject* Sender) { family_.EditExit(Sender); }
void TMixStereoForm::ImageSliderNewRightChannelRightChange(TObject* Sender) { family_.SliderChange(Sender); }
void TMixStereoForm::EditNewRightChannelRightChange(TObject* Sender) { family_.EditChange(Sender); }
void TMixStereoForm::EditNewRightChannelRightExit(TObject* Sender) { family_.EditExit(Sender); }
