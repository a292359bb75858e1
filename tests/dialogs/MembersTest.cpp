// The eight members as one table: captions, ranges, lengths, bound captions, a new run's values,
// the load and store steps, presets and the help address.

#include <functional>
#include <vector>

#include "DialogFixture.h"
#include "app/core/Help.h"
#include "platform/framework/base/Utf8.h"
#include "dialogs/Amplify.h"
#include "dialogs/BandPass.h"
#include "dialogs/Chorus.h"
#include "dialogs/CossFade.h"
#include "dialogs/DynamicRangeCompressor.h"
#include "dialogs/Echo.h"
#include "dialogs/Flanger.h"
#include "dialogs/HighPass.h"
#include "dialogs/MixStereo.h"
#include "dialogs/NoiseReduction.h"
#include "dialogs/Normalize.h"
#include "dialogs/Phaser.h"
#include "dialogs/PitchChange.h"
#include "dialogs/Reverb.h"
#include "dialogs/SpeedChange.h"
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
  const wchar_t* captionName = nullptr;  // where the caption label is not "Label" + name
};

struct Member {
  const char* what;
  std::function<TForm*(TComponent*)> make;
  const wchar_t* caption;
  int previewNumber;  // -1: no preview, no Preview button, no timer
  std::vector<Param> params;
  std::vector<const wchar_t*> presetNames;
  std::vector<std::vector<int>> presetValues;
  int width = 342, height = 0;  // height 0: follows the rows
  std::vector<int> presetOrder = {};  // empty: parameter order
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

Param Edit(const wchar_t* name, const wchar_t* caption, int maxLength, int TGlobalVars::*field, int newRun) {
  return {name, false, caption, 0, 0, maxLength, nullptr, nullptr, field, newRun};
}
Param Percent(const wchar_t* name, const wchar_t* caption, int TGlobalVars::*field, int newRun, int maxLength = 3) {
  return {name, true, caption, 0, 100, maxLength, L"0 %", L"100 %", field, newRun};
}

Member Single(const char* what, std::function<TForm*(TComponent*)> make, const wchar_t* caption, int number, Param p,
              std::vector<const wchar_t*> names, std::vector<int> values, int width, int height) {
  std::vector<std::vector<int>> rows;
  for (int v : values) rows.push_back({v});
  return {what, make, caption, number, {p}, names, rows, width, height};
}

// The fourteen effect members.
std::vector<Member> EffectMembers() {
  using G = TGlobalVars;
  std::vector<Member> m;
  m.push_back(Single("amplify", Maker<TAmplifyForm>(), L"Amplify", 2,
                     Edit(L"Amplify", L"&Amplify Gain (%):", 3, &G::DefAmplify, 25),
                     {L"Quarter Volume", L"Half Volume", L"Double Volume", L"Triple Volume"}, {25, 50, 200, 300}, 331,
                     115));
  m.push_back(Single("normalize", Maker<TNormalizeForm>(), L"Normalize", -1,
                     Edit(L"NormalizePeak", L"&Normalize Peak Level:", 3, &G::DefNormalize, 100),
                     {L"Very Soft Audio Level", L"Soft Audio Level", L"Normal Audio Level", L"Maximun Audio Level"},
                     {20, 40, 75, 100}, 281, 114));
  m.push_back(Single("speed", Maker<TSpeedChangeForm>(), L"Speed Change", 10,
                     Edit(L"SpeedAdjust", L"Speed Adjust (%)", 3, &G::DefSpeedChange, 100),
                     {L"Double Speed", L"Slow Down", L"Speed Up"}, {200, 70, 150}, 331, 115));
  m.push_back(Single("pitch", Maker<TPitchChangeForm>(), L"Pitch Change", 11,
                     Edit(L"PitchAdjust", L"Pitch Adjust (%)", 3, &G::DefPitchChange, 100),
                     {L"Alto", L"Bass", L"Helium", L"Soprano"}, {140, 170, 60, 80}, 331, 115));
  m.push_back(Single("high-pass", Maker<THighPassForm>(), L"High-Pass Filter", 3,
                     Edit(L"Frequency", L"Frequency (Hz):", 4, &G::DefHighPass, 200),
                     {L"General Audio Cleanup", L"Radio / Telephone Quality Audio"}, {200, 4000}, 326, 113));

  const auto delay = [](int maxDelay, int G::*time, int G::*mix, int G::*feedback, std::vector<int> newRun) {
    const wchar_t* maxCaption = maxDelay == 5000 ? L"5000 ms" : L"1000 ms";
    return std::vector<Param>{{L"DelayTime", true, L"&Delay Time:", 0, maxDelay, 4, L"0 ms", maxCaption, time,
                               newRun[0]},
                              Percent(L"MixDepth", L"&Mix Depth:", mix, newRun[1]),
                              Percent(L"FeedbackGain", L"&Feedback &Gain:", feedback, newRun[2])};
  };
  m.push_back({"echo", Maker<TEchoForm>(), L"Echo", 5,
               delay(5000, &G::DefEchoDelayTime, &G::DefEchoMixDepth, &G::DefEchoFeedbackGain, {200, 70, 40}),
               {L"Echo", L"Elvis Left Channel", L"Elvis Right Channel", L"Large Cavern", L"Large Tunnel",
                L"Many Echoes", L"Phylarmonic hall", L"Psychodelic reverb", L"Small Cavern", L"Small Echo",
                L"Small Tunnel", L"Very Large Cavern"},
               {{200, 70, 40}, {120, 50, 0}, {60, 50, 0}, {300, 25, 30}, {80, 70, 60}, {500, 50, 70}, {340, 10, 70},
                {750, 30, 70}, {200, 70, 10}, {200, 70, 0}, {26, 60, 10}, {360, 35, 50}},
               342, 220});
  m.push_back({"phaser", Maker<TPhaserForm>(), L"Phaser", 12,
               delay(5000, &G::DefPhaserDelayTime, &G::DefPhaserMixDepth, &G::DefPhaserFeedbackGain, {300, 30, 45}),
               {L"Gymnastic Hall", L"Large Hall", L"Shower Room", L"Stadium"},
               {{300, 30, 45}, {239, 80, 85}, {60, 30, 60}, {400, 25, 50}},
               343, 220});
  Member reverb{"reverb", Maker<TReverbForm>(), L"Reverb", 6,
                delay(1000, &G::DefReverbDelayTime, &G::DefReverbMixDepth, &G::DefReverbFeedbackGain, {30, 60, 60}),
                {L"Allien Saying", L"Cellar", L"Metal", L"Metal Flanger", L"Metal Resonance (Second Metal Voice)",
                 L"Room Left Channel", L"Room Right Channel", L"Small Room Left Channel", L"Small Room Right Channel"},
                {{30, 60, 60, 30, 11025, 8}, {30, 60, 25, 60, 11025, 10}, {25, 40, 8, 40, 11025, 10},
                 {4, 41, 28, 20, 11025, 10}, {4, 10, 97, 0, 11025, 10}, {15, 10, 28, 88, 11025, 10},
                 {15, 11, 35, 92, 11025, 10}, {2, 10, 31, 59, 11025, 10}, {2, 10, 29, 61, 11025, 10}},
                413, 339};
  reverb.params.push_back(Percent(L"ReverbGain", L"&Reverb Gain:", &G::DefReverbGain, 30));
  reverb.params.push_back({L"ReverbFrequency", true, L"Reverb &Frequency:", 10, 22500, 3, L"10 Hz", L"22050 Hz",
                           &G::DefReverbFrequency, 11025});
  reverb.params.push_back({L"Taps", true, L"Taps Before delay Feedback:", 0, 10, 3, L"1", L"10", &G::DefReverbTaps, 8});
  m.push_back(reverb);

  const auto sweep = [](std::array<int G::*, 6> f, std::array<int, 6> v) {
    return std::vector<Param>{
        Percent(L"DelayRate", L"&Delay Rate (%):", f[0], v[0], 4),
        Percent(L"MixDepth", L"Depth &Percent (%):", f[1], v[1]),
        Percent(L"FeedbackGain", L"&Gain Percent (%):", f[2], v[2]),
        Percent(L"SweepDepth", L"Sweep Depth (%):", f[3], v[3]),
        Percent(L"SweepRate", L"Sweep Rate (%):", f[4], v[4]),
        {L"SweepPhase", true, L"Sweep Phase (Deg):", 0, 359, 3, L"0 Deg", L"359 Deg", f[5], v[5]}};
  };
  m.push_back({"flanger", Maker<TFlangerForm>(), L"Flanger", 13,
               sweep({&G::DefFlangerDelayRate, &G::DefFlangerMixDepth, &G::DefFlangerFeedbackGain,
                      &G::DefFlangerSweepDepth, &G::DefFlangerSweepRate, &G::DefFlangerSweepPhase},
                     {14, 50, 30, 99, 18, 40}),
               {L"Blur", L"Classic Flanger", L"Crying Flanger", L"Deep Slow Flanger", L"Fast Sweeping Loop",
                L"Flanger-Vibrato", L"Light Chorus", L"Light Reflective Room", L"Little Steel Balls", L"Metal Bunker",
                L"Old TV-Set", L"Receiver", L"Reflective Room", L"Slow & Easy Flanger", L"Slow Flanger",
                L"Soft Spread", L"Up & Down"},
               {{14, 50, 30, 99, 18, 40}, {14, 50, 30, 99, 10, 70}, {14, 35, 70, 99, 7, 70}, {80, 70, 50, 10, 1, 20},
                {100, 50, 85, 90, 30, 90}, {6, 49, 10, 54, 53, 40}, {70, 50, 1, 99, 0, 50}, {100, 10, 90, 10, 10, 90},
                {100, 50, 85, 99, 100, 90}, {70, 45, 88, 99, 0, 50}, {14, 50, 75, 99, 0, 120}, {100, 50, 85, 80, 15, 90},
                {14, 8, 41, 1, 42, 40}, {10, 50, 1, 99, 1, 35}, {3, 35, 10, 40, 4, 40}, {15, 72, 18, 22, 11, 12},
                {80, 50, 70, 10, 19, 20}},
               356, 329});
  m.push_back({"chorus", Maker<TChorusForm>(), L"Chorus", 14,
               sweep({&G::DefChorusDelayRate, &G::DefChorusMixDepth, &G::DefChorusFeedbackGain,
                      &G::DefChorusSweepDepth, &G::DefChorusSweepRate, &G::DefChorusSweepPhase},
                     {10, 20, 60, 0, 0, 90}),
               {L"Bathroom", L"Bathroom with Light Flanger", L"Cassete Tape Hard Stretched",
                L"Cassete Tape Light Stretched", L"Electronic Voice", L"Flying Hard Flanger", L"Psychedelic",
                L"Simple Chorus", L"Slow Metallic Flanger", L"Stereo Chorus Left", L"Stereo Chorus Right"},
               {{10, 20, 60, 0, 0, 90}, {31, 45, 60, 25, 12, 90}, {31, 45, 60, 90, 25, 0}, {8, 50, 25, 1, 25, 90},
                {7, 60, 0, 15, 90, 90}, {90, 50, 90, 2, 12, 90}, {31, 70, 50, 1, 1, 90}, {7, 45, 2, 0, 1, 90},
                {31, 45, 60, 12, 9, 120}, {5, 30, 60, 2, 12, 90}, {7, 30, 60, 3, 10, 90}},
               356, 329});
  m.push_back({"compressor", Maker<TDynamicRangeCompressorForm>(), L"Dynamic Range Compressor", 1,
               {{L"Threshold", true, L"&Threshold:", -40, 0, 4, L"-40 dB", L"0 dB", &G::DefCompressorThreshold, -10},
                Percent(L"Rate", L"&Rate:", &G::DefCompressorRate, 50)},
               {L"General Voice Level", L"TV / Radio Advertisement"},
               {{-10, 50}, {-6, 50}},
               335, 171, {1, 0}});
  m.push_back({"noise reduction", Maker<TNoiseReductionForm>(), L"Noise Reduction", 9,
               {{L"Threshold", true, L"&Threshold:", -96, 10, 4, L"-96 dB", L"10 dB", &G::DefNoiseReductionThreshold,
                 -13},
                {L"Rate", true, L"&Rate:", 1, 100, 3, L"1 %", L"100 %", &G::DefNoiseReductionRate, 99},
                {L"RMSTime", true, L"&Root-Mean-Square Time:", 0, 1000, 3, L"0 ms", L"1000 ms",
                 &G::DefNoiseReductionRMSTime, 55}},
               {L"Cassette Noise Reduce", L"Expand for Music", L"Expand -30dB", L"Expand -40dB", L"Expand -50dB",
                L"Soft Expand for Music", L"Voice Breath Reduce"},
               {{-13, 99, 55}, {-12, 40, 100}, {-30, 100, 100}, {-40, 100, 100}, {-50, 100, 100}, {-15, 20, 100},
                {-30, 25, 30}},
               391, 217});
  Param initial = Percent(L"Initial", L"Initial &Amplification:", &G::DefFadeInt, 50);
  initial.captionName = L"LabelMixDepth";
  m.push_back({"fade", Maker<TCossFadeForm>(), L"Coss Fade", 7,
               {initial, Percent(L"Final", L"&Final Amplification:", &G::DefFadeFin, 50)},
               {L"Full Fade In", L"Soft Fade In 80%", L"Soft Fade In 50%", L"Full Fade Out", L"Soft Fade Out 50%",
                L"Soft Fade Out 80%"},
               {{0, 100}, {20, 100}, {50, 100}, {100, 0}, {100, 50}, {100, 20}},
               356, 179});
  m.push_back({"stereo mix", Maker<TMixStereoForm>(), L"Mix Stereo Channels", 8,
               {Percent(L"NewLeftChannelLeft", L"&Left:", &G::DefMixChanLL, 50),
                Percent(L"NewLeftChannelRight", L"&R&ight:", &G::DefMixChanLR, 50),
                Percent(L"NewRightChannelLeft", L"&Left:", &G::DefMixChanRL, 50),
                Percent(L"NewRightChannelRight", L"&R&ight:", &G::DefMixChanRR, 50)},
               {L"50/50 Mixing", L"Both = Left", L"Both = Right", L"Full Mix", L"Less Stereo -20%",
                L"Less Stereo -30%", L"Swap Channels"},
               {{50, 50, 50, 50}, {100, 0, 100, 0}, {0, 100, 0, 100}, {100, 100, 100, 100}, {80, 20, 20, 80},
                {70, 30, 30, 70}, {0, 100, 100, 0}},
               340, 317});
  return m;
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
  eq.width = 362;
  eq.height = 307;
  m.push_back(eq);
  for (Member& effect : EffectMembers()) m.push_back(effect);
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
    if (m.previewNumber >= 0) {
      EXPECT_EQ(member.ButtonPreview->Caption(), L"&Preview");
      EXPECT_EQ(member.TimerMonitor->Interval(), 50u);
    } else {
      EXPECT_EQ(member.ButtonPreview, nullptr);
      EXPECT_EQ(member.TimerMonitor, nullptr);
      EXPECT_EQ(dialog->FindComponent(L"ButtonPreview"), nullptr);
    }
    EXPECT_EQ(dialog->ClientWidth(), m.width);
    if (m.height) {
      EXPECT_EQ(dialog->ClientHeight(), m.height);
    }
    EXPECT_TRUE(member.ButtonOK->Default());
    EXPECT_EQ(member.ButtonCancel->ModalResult, mrCancel);
    EXPECT_FALSE(member.ButtonCancel->Cancel);
    EXPECT_EQ(member.LabelPreset->Caption(), L"&Presets:");
    ASSERT_EQ(member.ComboBoxPreset->Items()->Count(), int(m.presetNames.size()) + 1);
    EXPECT_EQ(member.ComboBoxPreset->Items()->Strings(0), L"Select Preset");
    for (std::size_t i = 0; i < m.presetNames.size(); ++i)
      EXPECT_EQ(member.ComboBoxPreset->Items()->Strings(int(i) + 1), m.presetNames[i]);
    for (const Param& p : m.params) {
      SCOPED_TRACE(testing::PrintToString(std::wstring(p.name)));
      if (p.caption) {
        const String labelName = p.captionName ? String(p.captionName) : String(L"Label") + p.name;
        EXPECT_EQ(LabelOf(dialog.get(), labelName)->Caption(), p.caption);
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
      std::vector<int> sequence = m.presetOrder;
      if (sequence.empty())
        for (int k = 0; k < int(m.params.size()); ++k) sequence.push_back(k);
      for (int k : sequence)
        for (const String& moved : order)
          if (moved == m.params[k].name) sorted.push_back(moved);
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
  ASSERT_EQ(paths.size(), Members().size());
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
    EXPECT_EQ(dialog->ClientWidth(), m.width);
    if (m.height) {
      EXPECT_EQ(dialog->ClientHeight(), m.height);
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
