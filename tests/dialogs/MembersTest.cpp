// The eight members as one table: captions, ranges, lengths, bound captions, a new run's values,
// the load and store steps, presets and the help address.

#include <functional>
#include <vector>

#include "DialogFixture.h"
#include "app/core/Help.h"
#include "platform/framework/base/Utf8.h"
#include "dialogs/BandPass.h"
#include "dialogs/Equalizer.h"
#include "dialogs/HighShelf.h"
#include "dialogs/LowPass.h"
#include "dialogs/LowShelf.h"
#include "dialogs/Notch.h"
#include "dialogs/PeakEQ.h"
#include "dialogs/Vibrato.h"

namespace dialog_testing {
namespace {

// One parameter as the dialog must show it. A slider row has an "ImageSlider" + name (a band: the
// name itself); an edit row only "Edit" + name.
struct Param {
  const wchar_t* name;
  bool slider;
  const wchar_t* caption;  // null: no caption label
  int min, max, maxLength;
  const wchar_t* minCaption;
  const wchar_t* maxCaption;
  int TGlobalVars::*field;
  int newRun;
};

struct Member {
  const char* what;
  std::function<TForm*(TComponent*)> make;
  const wchar_t* caption;
  int previewNumber;
  std::vector<Param> params;
  std::vector<const wchar_t*> presetNames;
  std::vector<std::vector<int>> presetValues;
};

template <class T>
std::function<TForm*(TComponent*)> Maker() {
  return [](TComponent* owner) { return new T(owner); };
}

const Param kSteep{L"Steepness", true, L"&Steepness (%):", 0, 100, 4, L"0 %", L"100 %", nullptr, 50};
const Param kGain{L"Gain", true, L"&Gain (dB):", -90, 90, 4, L"-90 dB", L"90 dB", nullptr, -10};

Param Frequency(int TGlobalVars::*field) {
  return {L"Frequency", false, L"Frequency (Hz):", 0, 0, 5, nullptr, nullptr, field, 10000};
}
Param With(Param p, int TGlobalVars::*field) {
  p.field = field;
  return p;
}

Member Filter(const char* what, std::function<TForm*(TComponent*)> make, const wchar_t* caption, int number,
              std::vector<Param> params, std::vector<const wchar_t*> names) {
  const bool gain = params.size() == 3;
  std::vector<std::vector<int>> values;
  for (int hz : {10000, 1000, 200}) values.push_back(gain ? std::vector<int>{hz, 50, -10} : std::vector<int>{hz, 50});
  return {what, make, caption, number, params, names, values};
}

std::vector<Member> Members() {
  using G = TGlobalVars;
  std::vector<Member> m;
  m.push_back(Filter("notch", Maker<TNotchForm>(), L"Notch Filter", 15,
                     {Frequency(&G::DefNotchFrequency), With(kSteep, &G::DefNotchSteepness)},
                     {L"Notch Filter 10kHz", L"Notch Filter 1kHz", L"Notch Filter 200Hz"}));
  m.push_back(Filter("band-pass", Maker<TBandPassForm>(), L"BandPass Filter", 16,
                     {Frequency(&G::DefBandPassFrequency), With(kSteep, &G::DefBandPassSteepness)},
                     {L"BandPass Filter 10kHz", L"BandPass Filter 1kHz", L"BandPass Filter 200Hz"}));
  m.push_back(Filter("low-pass", Maker<TLowPassForm>(), L"LowPass Filter", 17,
                     {Frequency(&G::DefLowPassFrequency), With(kSteep, &G::DefLowPassSteepness)},
                     {L"LowPass Filter 10kHz", L"LowPass Filter 1kHz", L"LowPass Filter 200Hz"}));
  m.push_back(Filter("low-shelf", Maker<TLowShelfForm>(), L"LowShelf Filter", 18,
                     {Frequency(&G::DefLowShelfFrequency), With(kSteep, &G::DefLowShelfSteepness),
                      With(kGain, &G::DefLowShelfGain)},
                     {L"LowShelf Filter 10kHz", L"LowShelf Filter 1kHz", L"LowShelf Filter 200Hz"}));
  m.push_back(Filter("high-shelf", Maker<THighShelfForm>(), L"HighShelf Filter", 19,
                     {Frequency(&G::DefHighShelfFrequency), With(kSteep, &G::DefHighShelfSteepness),
                      With(kGain, &G::DefHighShelfGain)},
                     {L"HighShelf Filter 10kHz", L"HighShelf Filter 1kHz", L"HighShelf Filter 200Hz"}));
  m.push_back(Filter("peak", Maker<TPeakEQForm>(), L"PeakEQ Filter", 20,
                     {Frequency(&G::DefPeakEQFrequency), With(kSteep, &G::DefPeakEQSteepness),
                      With(kGain, &G::DefPeakEQGain)},
                     {L"PeakEQ Filter 10kHz", L"PeakEQ Filter 1kHz", L"PeakEQ Filter 200Hz"}));
  m.push_back({"vibrato", Maker<TVibratoForm>(), L"Vibrato", 21,
               {{L"SweepDepth", true, L"Sweep Depth (%):", 0, 100, 3, L"0 %", L"100 %", &G::DefVibratoSweepDepth, 40},
                {L"SweepRate", true, L"Sweep Frequency (hz):", 0, 50, 3, L"0 hz", L"50 hz", &G::DefVibratoSweepRate,
                 15},
                {L"SweepPhase", true, L"Sweep Phase (Deg):", 0, 359, 3, L"0 Deg", L"359 Deg", &G::DefVibratoSweepPhase,
                 95}},
               {L"Fast Vibrato", L"Robotic Voice", L"Slow Vibrato"},
               {{40, 15, 95}, {70, 20, 90}, {40, 1, 95}}});
  Member eq{"equalizer", Maker<TEqualizerForm>(), L"Equalizer", 4, {}, {}, {}};
  int G::*bands[12] = {&G::EqualizerBuf1, &G::EqualizerBuf2,  &G::EqualizerBuf3,  &G::EqualizerBuf4,
                       &G::EqualizerBuf5, &G::EqualizerBuf6,  &G::EqualizerBuf7,  &G::EqualizerBuf8,
                       &G::EqualizerBuf9, &G::EqualizerBuf10, &G::EqualizerBuf11, &G::EqualizerBuf12};
  static const wchar_t* const bandNames[12] = {L"Band1", L"Band2", L"Band3", L"Band4",  L"Band5",  L"Band6",
                                               L"Band7", L"Band8", L"Band9", L"Band10", L"Band11", L"Band12"};
  for (int i = 0; i < 12; ++i)
    eq.params.push_back({bandNames[i], true, nullptr, -180, 180, 0, nullptr, nullptr, bands[i], 0});
  eq.presetNames = {L"Basic Low Boost", L"Basic High Boost", L"1960s", L"Classic V", L"Basic Mid Boost",
                    L"Basic High Cut", L"Basic Low Cut", L"Basic Mid Cut",
                    L"Ghetto Fab (Attention: extreme  bass boost)", L"Lo Fi", L"Raver Neighhor", L"Telephonic",
                    L"Just Bass", L"Just Treble", L"1k Notch", L"Vocal Presence Boost", L"Vocal Presence Cut",
                    L"Remove Sub-Bass", L"Notch Every 2nd Octave", L"AM Radio"};
  eq.presetValues = {{30, 55, 30, 15, 0, 0, 0, 0, 0, 0, 0, 0},
                     {0, 0, 0, 0, 0, 0, 10, 20, 30, 40, 50, 60},
                     {-50, -180, -50, 0, -30, 80, 0, 75, 45, 30, 15, 0},
                     {0, 20, -30, -55, -90, -80, -60, -50, -20, 10, 10, 0},
                     {0, 0, 0, 0, 15, 30, 30, 15, 0, 0, 0, 0},
                     {0, 0, 0, 0, 0, 0, -15, -30, -45, -60, -75, -90},
                     {-20, -50, -35, -20, -10, 0, 0, 0, 0, 0, 0, 0},
                     {0, 0, 0, 0, -20, -40, -40, -10, 0, 0, 0, 0},
                     {120, 140, 120, 65, 0, 0, 0, 0, 0, 0, 0, 0},
                     {-180, -180, -180, -90, 90, 90, 90, -90, -180, -180, -180, -180},
                     {0, 10, 20, 0, -50, -90, -140, -180, -180, -180, -180, -180},
                     {-180, -180, 0, 0, 0, 0, -40, -100, -160, -180, -180, -180},
                     {0, 0, 0, 0, -50, -110, -180, -180, -180, -180, -180, -180},
                     {-180, -180, -180, -180, -130, -50, 0, 0, 0, 0, 0, 0},
                     {0, 0, 0, 0, 0, 90, 0, 0, 0, 0, 0, 0},
                     {0, 0, 0, 0, 0, 10, 25, 10, 0, 0, 0, 0},
                     {0, 0, 0, 0, 0, -10, -25, -10, 0, 0, 0, 0},
                     {-180, -50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                     {-180, 90, -180, 90, -180, 90, -180, 90, -180, 90, -180, 90},
                     {-55, -180, 0, -115, 20, -10, -40, -70, -100, -130, -160, -180}};
  m.push_back(eq);
  return m;
}

TImageSlider* SliderOf(TForm* dialog, const Param& p) {
  const String name = p.maxLength ? String(L"ImageSlider") + p.name : String(p.name);
  return dynamic_cast<TImageSlider*>(dialog->FindComponent(name));
}
TEdit* EditOf(TForm* dialog, const Param& p) {
  return dynamic_cast<TEdit*>(dialog->FindComponent(String(L"Edit") + p.name));
}
TLabel* LabelOf(TForm* dialog, const String& name) { return dynamic_cast<TLabel*>(dialog->FindComponent(name)); }

// The value a parameter's control shows.
int Shown(TForm* dialog, const Param& p) {
  if (p.slider) return SliderOf(dialog, p)->Value();
  return std::stoi(EditOf(dialog, p)->Text());
}

using MembersTable = DialogFixture;

TEST_F(MembersTable, ControlsRangesAndCaptionsAreTheTables) {
  for (const Member& m : Members()) {
    SCOPED_TRACE(m.what);
    ObjectPtr<TForm> dialog(m.make(host));
    EXPECT_EQ(dialog->Caption(), m.caption);
    EXPECT_EQ(dialog->BorderStyle(), bsSingle);
    EXPECT_EQ(dialog->BorderIcons(), TBorderIcons{biSystemMenu});
    TFamilyMember& member = MemberOf(dialog.get());
    EXPECT_EQ(member.ButtonPreview->Caption(), L"&Preview");
    EXPECT_TRUE(member.ButtonOK->Default());
    EXPECT_EQ(member.ButtonCancel->ModalResult, mrCancel);
    EXPECT_FALSE(member.ButtonCancel->Cancel);
    EXPECT_EQ(member.TimerMonitor->Interval(), 50u);
    EXPECT_EQ(member.LabelPreset->Caption(), L"&Presets:");
    ASSERT_EQ(member.ComboBoxPreset->Items()->Count(), int(m.presetNames.size()) + 1);
    EXPECT_EQ(member.ComboBoxPreset->Items()->Strings(0), L"Select Preset");
    for (std::size_t i = 0; i < m.presetNames.size(); ++i)
      EXPECT_EQ(member.ComboBoxPreset->Items()->Strings(int(i) + 1), m.presetNames[i]);
    for (const Param& p : m.params) {
      SCOPED_TRACE(testing::PrintToString(std::wstring(p.name)));
      if (p.caption) {
        EXPECT_EQ(LabelOf(dialog.get(), String(L"Label") + p.name)->Caption(), p.caption);
      }
      if (p.slider) {
        TImageSlider* slider = SliderOf(dialog.get(), p);
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->MinValue(), p.min);
        EXPECT_EQ(slider->MaxValue(), p.max);
        EXPECT_EQ(slider->Increment(), 1);
        EXPECT_EQ(slider->Options(), TSliderOptions{soSmooth});
        EXPECT_GT(slider->Geometry().TravelLength(), 0);
      }
      if (p.maxLength) {
        EXPECT_EQ(EditOf(dialog.get(), p)->MaxLength(), p.maxLength);
      }
      if (p.minCaption) {
        EXPECT_EQ(LabelOf(dialog.get(), String(L"Label") + p.name + L"Min")->Caption(), p.minCaption);
        EXPECT_EQ(LabelOf(dialog.get(), String(L"Label") + p.name + L"Max")->Caption(), p.maxCaption);
      }
      EXPECT_EQ(Shown(dialog.get(), p), p.newRun);
    }
  }
}

TEST_F(MembersTable, LoadAndStoreRoundTripAndOnlyStoreWritesThePreviewNumber) {
  for (const Member& m : Members()) {
    SCOPED_TRACE(m.what);
    ObjectPtr<TForm> dialog(m.make(host));
    TFamilyMember& member = MemberOf(dialog.get());
    AssignDefaultValues(GlobalVars);
    member.LoadFromSettings();
    for (const Param& p : m.params) EXPECT_EQ(Shown(dialog.get(), p), p.newRun);
    int k = 0;
    for (const Param& p : m.params) GlobalVars.*p.field = p.slider ? p.min + 1 + k++ : 99999;
    GlobalVars.PreviewOperationTypes = -1;
    member.LoadFromSettings();
    EXPECT_EQ(GlobalVars.PreviewOperationTypes, -1);
    for (const Param& p : m.params) GlobalVars.*p.field = 12345;
    member.StoreToSettings();
    EXPECT_EQ(GlobalVars.PreviewOperationTypes, m.previewNumber);
    k = 0;
    for (const Param& p : m.params) EXPECT_EQ(GlobalVars.*p.field, p.slider ? p.min + 1 + k++ : 99999);
  }
}

TEST_F(MembersTable, StoredValuesOutsideTheRangeAreShownClamped) {
  GlobalVars.EqualizerBuf1 = 400;
  GlobalVars.EqualizerBuf2 = -999;
  GlobalVars.DefLowShelfGain = 120;
  ObjectPtr<TEqualizerForm> equalizer(new TEqualizerForm(host));
  equalizer->LoadFromSettings();
  EXPECT_EQ(equalizer->Band1->Value(), 180);
  EXPECT_EQ(equalizer->Band2->Value(), -180);
  ObjectPtr<TLowShelfForm> shelf(new TLowShelfForm(host));
  shelf->LoadFromSettings();
  EXPECT_EQ(shelf->ImageSliderGain->Value(), 90);
  EXPECT_EQ(shelf->EditGain->Text(), L"90");
}

TEST_F(MembersTable, PresetsSetEveryParameterInOrderAndSelectPresetDoesNothing) {
  for (const Member& m : Members()) {
    SCOPED_TRACE(m.what);
    ObjectPtr<TForm> dialog(m.make(host));
    TFamilyMember& member = MemberOf(dialog.get());
    member.FormShow(dialog.get());  // the show step fills the edits from the sliders
    // Where every change lands, in order.
    std::vector<String> order;
    for (const Param& p : m.params)
      if (p.slider) {
        TImageSlider* slider = SliderOf(dialog.get(), p);
        const TNotifyEvent previous = slider->OnChange;
        slider->OnChange = [&order, p, previous](TObject* s) {
          order.push_back(p.name);
          if (previous) previous(s);
        };
      }
    for (std::size_t i = 0; i < m.presetValues.size(); ++i) {
      SCOPED_TRACE(testing::PrintToString(std::wstring(m.presetNames[i])));
      order.clear();
      member.ComboBoxPreset->SetItemIndex(int(i) + 1);
      member.ComboBoxPresetChange(member.ComboBoxPreset);
      // The sliders move in parameter order.
      std::vector<String> sorted;
      for (const Param& p : m.params)
        for (const String& moved : order)
          if (moved == p.name) sorted.push_back(moved);
      EXPECT_EQ(order, sorted);
      for (std::size_t k = 0; k < m.params.size(); ++k) {
        EXPECT_EQ(Shown(dialog.get(), m.params[k]), m.presetValues[i][k]);
        if (m.params[k].slider && EditOf(dialog.get(), m.params[k])) {
          EXPECT_EQ(EditOf(dialog.get(), m.params[k])->Text(), std::to_wstring(m.presetValues[i][k]));
        }
      }
    }
    std::vector<int> before;
    for (const Param& p : m.params) before.push_back(Shown(dialog.get(), p));
    member.ComboBoxPreset->SetItemIndex(0);
    member.ComboBoxPresetChange(member.ComboBoxPreset);
    for (std::size_t k = 0; k < m.params.size(); ++k) EXPECT_EQ(Shown(dialog.get(), m.params[k]), before[k]);
  }
}

TEST_F(MembersTable, HelpOpensTheEffectsTopic) {
  HelpRequests help;
  for (const Member& m : Members()) {
    ObjectPtr<TForm> dialog(m.make(host));
    MemberOf(dialog.get()).ButtonHelpClick(nullptr);
  }
  const std::vector<String>& paths = help.Paths();
  ASSERT_EQ(paths.size(), 8u);
  for (const String& path : paths) {
    EXPECT_EQ(path, HelpFilePath() + L"::/effects.htm");
  }
}

}  // namespace
}  // namespace dialog_testing

namespace dialog_testing {
namespace {

TEST_F(MembersTable, LayoutFitsEveryControlInsideItsParent) {
  for (const Member& m : Members()) {
    SCOPED_TRACE(m.what);
    ObjectPtr<TForm> dialog(m.make(host));
    const bool equalizer = m.previewNumber == 4;
    EXPECT_EQ(dialog->ClientWidth(), equalizer ? 362 : 342);
    if (equalizer) {
      EXPECT_EQ(dialog->ClientHeight(), 307);
    }
    for (int i = 0; i < dialog->ComponentCount(); ++i) {
      auto* control = dynamic_cast<TControl*>(dialog->Components(i));
      if (!control) continue;
      const TRect r = control->BoundsRect();
      TWinControl* parent = control->Parent();
      EXPECT_GE(r.left, 0) << Utf8Encode(control->Name());
      EXPECT_GE(r.top, 0) << Utf8Encode(control->Name());
      EXPECT_LE(r.right, parent->ClientWidth()) << Utf8Encode(control->Name());
      EXPECT_LE(r.bottom, parent->ClientHeight()) << Utf8Encode(control->Name());
    }
  }
  ObjectPtr<TEqualizerForm> equalizer(new TEqualizerForm(host));
  for (int n = 1; n <= 12; ++n) {
    EXPECT_EQ(equalizer->Band(n)->Width(), 25);
    EXPECT_EQ(equalizer->Band(n)->Height(), 145);
    EXPECT_EQ(equalizer->Band(n)->Orientation(), soVertical);
    if (n > 1) {
      EXPECT_EQ(equalizer->Band(n)->Left() - equalizer->Band(n - 1)->Left(), 24);
    }
  }
}

}  // namespace
}  // namespace dialog_testing
