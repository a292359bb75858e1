#include "dialogs/Equalizer.h"

#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/FormBuilding.h"

DEFINE_CLASS(TEqualizerForm)

namespace {

#define EQUALIZER_BAND(n) \
  {pkSlider, L"Band" #n, nullptr, -180, 180, 0, nullptr, nullptr, &TGlobalVars::EqualizerBuf##n}
const TParameterSpec kParameters[] = {
    EQUALIZER_BAND(1), EQUALIZER_BAND(2), EQUALIZER_BAND(3),  EQUALIZER_BAND(4),
    EQUALIZER_BAND(5), EQUALIZER_BAND(6), EQUALIZER_BAND(7),  EQUALIZER_BAND(8),
    EQUALIZER_BAND(9), EQUALIZER_BAND(10), EQUALIZER_BAND(11), EQUALIZER_BAND(12),
};
#undef EQUALIZER_BAND

const TPresetSpec kPresets[] = {
    {L"Basic Low Boost", {30, 55, 30, 15, 0, 0, 0, 0, 0, 0, 0, 0}},
    {L"Basic High Boost", {0, 0, 0, 0, 0, 0, 10, 20, 30, 40, 50, 60}},
    {L"1960s", {-50, -180, -50, 0, -30, 80, 0, 75, 45, 30, 15, 0}},
    {L"Classic V", {0, 20, -30, -55, -90, -80, -60, -50, -20, 10, 10, 0}},
    {L"Basic Mid Boost", {0, 0, 0, 0, 15, 30, 30, 15, 0, 0, 0, 0}},
    {L"Basic High Cut", {0, 0, 0, 0, 0, 0, -15, -30, -45, -60, -75, -90}},
    {L"Basic Low Cut", {-20, -50, -35, -20, -10, 0, 0, 0, 0, 0, 0, 0}},
    {L"Basic Mid Cut", {0, 0, 0, 0, -20, -40, -40, -10, 0, 0, 0, 0}},
    {L"Ghetto Fab (Attention: extreme  bass boost)", {120, 140, 120, 65, 0, 0, 0, 0, 0, 0, 0, 0}},
    {L"Lo Fi", {-180, -180, -180, -90, 90, 90, 90, -90, -180, -180, -180, -180}},
    {L"Raver Neighhor", {0, 10, 20, 0, -50, -90, -140, -180, -180, -180, -180, -180}},
    {L"Telephonic", {-180, -180, 0, 0, 0, 0, -40, -100, -160, -180, -180, -180}},
    {L"Just Bass", {0, 0, 0, 0, -50, -110, -180, -180, -180, -180, -180, -180}},
    {L"Just Treble", {-180, -180, -180, -180, -130, -50, 0, 0, 0, 0, 0, 0}},
    {L"1k Notch", {0, 0, 0, 0, 0, 90, 0, 0, 0, 0, 0, 0}},
    {L"Vocal Presence Boost", {0, 0, 0, 0, 0, 10, 25, 10, 0, 0, 0, 0}},
    {L"Vocal Presence Cut", {0, 0, 0, 0, 0, -10, -25, -10, 0, 0, 0, 0}},
    {L"Remove Sub-Bass", {-180, -50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {L"Notch Every 2nd Octave", {-180, 90, -180, 90, -180, 90, -180, 90, -180, 90, -180, 90}},
    {L"AM Radio", {-55, -180, 0, -115, 20, -10, -40, -70, -100, -130, -160, -180}},
};

const TParameterDialogSpec kSpec = {L"Equalizer", 4, L"Effects", kParameters, kPresets};

const wchar_t* const kBandCaptions[12] = {L"31", L"62", L"125", L"252", L"500", L"1k",
                                          L"2k", L"4k", L"6k",  L"9k",  L"12k", L"16k"};

// Band sliders: 25 x 145, left edges 24 pixels apart, from this left inside the group box.
constexpr int kFirstBandLeft = 48, kBandStep = 24, kBandTop = 18, kBandWidth = 25, kBandHeight = 145;

TLabel* SmallLabel(TLoadingBracket& loading, TForm* form, TWinControl* parent, const String& name,
                   const wchar_t* caption, const TRect& bounds) {
  TLabel* label = PlaceControl(loading, new TLabel(form), parent, name.c_str(), bounds);
  label->SetCaption(caption);
  label->Font()->SetName(L"Tahoma");
  label->Font()->SetSize(7);
  return label;
}

}  // namespace

TEqualizerForm::TEqualizerForm(TComponent* AOwner) : TForm(AOwner, 0), TFamilyMember(*this, kSpec) {
  TLoadingBracket loading(*this);
  SetName(L"EqualizerForm");
  family_.BuildForm(362, 307);
  GroupBoxEqualizer = PlaceControl(loading, new TGroupBox(this), this, L"GroupBoxEqualizer", Bounds(8, 8, 346, 186));
  GroupBoxEqualizer->SetCaption(L"Equalizer");
  for (int i = 0; i < 12; ++i) {
    const int left = kFirstBandLeft + i * kBandStep;
    family_.BuildParameter(loading, i, GroupBoxEqualizer, Bounds(left, kBandTop, kBandWidth, kBandHeight), 0, 0);
    LabelBands[i] = SmallLabel(loading, this, GroupBoxEqualizer, L"LabelBand" + IntToStr(i + 1), kBandCaptions[i],
                               Bounds(left, kBandTop + kBandHeight + 2, kBandWidth, 12));
    LabelBands[i]->SetAlignment(taCenter);
  }
  Label18dB = SmallLabel(loading, this, GroupBoxEqualizer, L"Label18dB", L"18 dB", Bounds(8, kBandTop + 4, 38, 12));
  Label10dB = SmallLabel(loading, this, GroupBoxEqualizer, L"Label10dB", L"0 dB",
                         Bounds(8, kBandTop + kBandHeight / 2 - 6, 38, 12));
  Label18dB2 = SmallLabel(loading, this, GroupBoxEqualizer, L"Label18dB2", L"-18 dB",
                          Bounds(8, kBandTop + kBandHeight - 16, 38, 12));
  GroupBoxSelectPresets =
      PlaceControl(loading, new TGroupBox(this), this, L"GroupBoxSelectPresets", Bounds(8, 200, 346, 56));
  GroupBoxSelectPresets->SetCaption(L"&Select Presets");
  family_.BuildPresets(loading, GroupBoxSelectPresets, Bounds(10, 26, 52, 14), Bounds(64, 22, 270, 21));
  family_.BuildButtons(loading, 270, 8, 362 - 8 - 75 - 2 * 81, -1);
  TakeCommonControls();
  TImageSlider** bands[12] = {&Band1, &Band2, &Band3, &Band4, &Band5, &Band6,
                              &Band7, &Band8, &Band9, &Band10, &Band11, &Band12};
  for (int i = 0; i < 12; ++i) {
    *bands[i] = family_.Controls(i).Slider;
    family_.AddEnabledControl(LabelBands[i]);
  }
  for (TLabel* label : {Label18dB, Label10dB, Label18dB2}) family_.AddEnabledControl(label);
  Label18dB->OnDblClick = {this, &TEqualizerForm::Label18dBDblClick};
  Label10dB->OnDblClick = {this, &TEqualizerForm::Label10dBDblClick};
  Label18dB2->OnDblClick = {this, &TEqualizerForm::Label18dB2DblClick};
  BindCommonHandlers(*this, false);
  loading.End();
}

void TEqualizerForm::Label18dBDblClick(TObject*) { family_.SetAllSliders(180); }
void TEqualizerForm::Label10dBDblClick(TObject*) { family_.SetAllSliders(0); }
void TEqualizerForm::Label18dB2DblClick(TObject*) { family_.SetAllSliders(-180); }
