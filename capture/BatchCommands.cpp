#include "capture/BatchCommands.h"

#include <array>
#include <functional>

#include "app/core/Globals.h"
#include "app/core/SampleRates.h"
#include "dialogs/Amplify.h"
#include "dialogs/Chorus.h"
#include "dialogs/ConvertSampleRate.h"
#include "dialogs/DialogProtocol.h"
#include "dialogs/DynamicRangeCompressor.h"
#include "dialogs/Echo.h"
#include "dialogs/Equalizer.h"
#include "dialogs/Flanger.h"
#include "dialogs/HighPass.h"
#include "dialogs/InsertSilence.h"
#include "dialogs/MixStereo.h"
#include "dialogs/NoiseReduction.h"
#include "dialogs/Normalize.h"
#include "dialogs/Phaser.h"
#include "dialogs/PitchChange.h"
#include "dialogs/Reverb.h"
#include "dialogs/SpeedChange.h"
#include "platform/audio/processing/AudioTransform2.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TBatchCommand)

namespace {

using G = TGlobalVars;
using K = TBatchCommandKind;

constexpr const wchar_t* kEchoText = L"Delay Time (ms) = %d, Mix Depth (%%) = %d, Feedback Gain (%%) = %d";
constexpr const wchar_t* kSweepText =
    L"Delay Rate (%%) = %d, Mix Depth (%%) = %d, Feedback Gain (%%) = %d, Sweep Depth (%%) = %d, Sweep Rate (%%) = "
    L"%d, Sweep Phase (Deg) = %d";
constexpr const wchar_t* kSilenceText = L"Silence Time (ms) = %d";

// One command: its name, settings text and the settings fields its values start from (in field
// order). The convert row has no fields: its defaults are fixed.
struct TCommandSpec {
  K Kind;
  const wchar_t* Name;
  const wchar_t* Text;
  std::vector<int G::*> Fields;
};

const std::array<TCommandSpec, kBatchCommandCount>& Specs() {
  static const std::array<TCommandSpec, kBatchCommandCount> specs = {{
      {K::InsertSilenceAtTheStart, L"Insert Silence At The Start", kSilenceText, {&G::InsertSilenceTime}},
      {K::InsertSilenceAtTheEnd, L"Insert Silence At The End", kSilenceText, {&G::InsertSilenceTime}},
      {K::Amplify, L"Amplify", L"Amplify Gain (%%) = %d", {&G::DefAmplify}},
      {K::Normalize, L"Normalize", L"Normalize Peak Level (%%) = %d", {&G::DefNormalize}},
      {K::HighPass, L"High-Pass Filter", L"Frequency (Hz) = %d", {&G::DefHighPass}},
      {K::Equalizer, L"Equalizer", L"Click on Settings to view or change.",
       {&G::EqualizerBuf1, &G::EqualizerBuf2, &G::EqualizerBuf3, &G::EqualizerBuf4, &G::EqualizerBuf5,
        &G::EqualizerBuf6, &G::EqualizerBuf7, &G::EqualizerBuf8, &G::EqualizerBuf9, &G::EqualizerBuf10,
        &G::EqualizerBuf11, &G::EqualizerBuf12}},
      {K::Echo, L"Echo", kEchoText, {&G::DefEchoDelayTime, &G::DefEchoMixDepth, &G::DefEchoFeedbackGain}},
      {K::Reverb, L"Reverb",
       L"Delay Time (ms) = %d, Mix Depth (%%) = %d, Feedback Gain (%%) = %dReverb Gain (%%) = %d, Reverb Frequency: "
       L"(Hz) = %d, Taps Before delay Feedback = %d",
       {&G::DefReverbDelayTime, &G::DefReverbMixDepth, &G::DefReverbFeedbackGain, &G::DefReverbGain,
        &G::DefReverbFrequency, &G::DefReverbTaps}},
      {K::NoiseReduction, L"Noise Reduction",
       L"Threshold (dB) = %d, Rate (%%) = %d, Root-Mean-Square Time (ms) = %d",
       {&G::DefNoiseReductionThreshold, &G::DefNoiseReductionRate, &G::DefNoiseReductionRMSTime}},
      {K::SpeedChange, L"Speed Change", L"Speed Adjust (%%) = %d", {&G::DefSpeedChange}},
      {K::PitchChange, L"Pitch Change", L"Pitch Adjust (%%) = %d", {&G::DefPitchChange}},
      {K::Compressor, L"Dynamic Range Compressor", L"Threshold (dB) = %d, Rate (%%) = %d",
       {&G::DefCompressorThreshold, &G::DefCompressorRate}},
      {K::ConvertSampleType, L"Convert Sample Rate And Channel", L"", {}},
      {K::MixStereoChannels, L"Mix Stereo Channels",
       L"New Left Channel, Left (%%) = %d, New Left Channel, Right (%%) = %d, New Right Channel, Left (%%) = %d, "
       L"New Right Channel, Right (%%) = %d",
       {&G::DefMixChanLL, &G::DefMixChanLR, &G::DefMixChanRL, &G::DefMixChanRR}},
      {K::Phaser, L"Phaser", kEchoText, {&G::DefPhaserDelayTime, &G::DefPhaserMixDepth, &G::DefPhaserFeedbackGain}},
      {K::Flanger, L"Flanger", kSweepText,
       {&G::DefFlangerDelayRate, &G::DefFlangerMixDepth, &G::DefFlangerFeedbackGain, &G::DefFlangerSweepDepth,
        &G::DefFlangerSweepRate, &G::DefFlangerSweepPhase}},
      {K::Chorus, L"Chorus", kSweepText,
       {&G::DefChorusDelayRate, &G::DefChorusMixDepth, &G::DefChorusFeedbackGain, &G::DefChorusSweepDepth,
        &G::DefChorusSweepRate, &G::DefChorusSweepPhase}},
  }};
  return specs;
}

const TCommandSpec& SpecOf(K kind) { return Specs().at(static_cast<std::size_t>(kind)); }

// The convert row: rate index 3 (44100), stereo.
const std::vector<int> kConvertDefaults = {3, 0};

std::size_t ValueCountOf(K kind) {
  return kind == K::ConvertSampleType ? kConvertDefaults.size() : SpecOf(kind).Fields.size();
}

TBatchCommand* MakeCommand(K kind) {
  switch (kind) {
    case K::InsertSilenceAtTheStart: return new TBatchInsertSilenceAtTheStart;
    case K::InsertSilenceAtTheEnd: return new TBatchInsertSilenceAtTheEnd;
    case K::Amplify: return new TBatchAmplify;
    case K::Normalize: return new TBatchNormalize;
    case K::HighPass: return new TBatchHighPass;
    case K::Equalizer: return new TBatchEqualizer;
    case K::Echo: return new TBatchEcho;
    case K::Reverb: return new TBatchReverb;
    case K::NoiseReduction: return new TBatchNoiseReduction;
    case K::SpeedChange: return new TBatchSpeedChange;
    case K::PitchChange: return new TBatchPitchChange;
    case K::Compressor: return new TBatchCompressor;
    case K::ConvertSampleType: return new TBatchConvertSampleType;
    case K::MixStereoChannels: return new TBatchMixStereoChannels;
    case K::Phaser: return new TBatchPhaser;
    case K::Flanger: return new TBatchFlanger;
    case K::Chorus: return new TBatchChorus;
  }
  return nullptr;
}

// ---- editing ---------------------------------------------------------------------------------------

// The index of the command's value that the dialog parameter's settings field stands for; -1 if none.
int ValueIndexOf(const TCommandSpec& spec, int G::*field) {
  for (std::size_t i = 0; i < spec.Fields.size(); ++i)
    if (spec.Fields[i] == field) return static_cast<int>(i);
  return -1;
}

// Calls Visit(controls, value index) for every parameter of the family dialog whose settings field
// is one of the command's: a dialog's parameters are matched to the command's values by the settings
// field each stands for, so neither side's order matters.
template <class TVisit>
void ForEachValueControl(TParameterDialog& family, const TCommandSpec& spec, TVisit&& Visit) {
  for (int i = 0; i < family.ParameterCount(); ++i)
    if (const int at = ValueIndexOf(spec, family.Spec().Parameters[i].Field); at >= 0) Visit(family.Controls(i), at);
}

template <class TDialog>
TBatchCommandPtr EditInFamilyDialog(TWinControl* caller, const TBatchCommand& command) {
  const TCommandSpec& spec = SpecOf(command.Kind());
  std::vector<int> values = command.Values;
  const bool ok = ExecuteParameterDialog<TDialog>(
      caller,
      [&](TDialog& d) {
        ForEachValueControl(d.Family(), spec, [&](const TParameterControls& c, int at) {
          if (c.Slider) c.Slider->SetValue(values[at]);
          else c.Edit->SetText(IntToStr(values[at]));
        });
      },
      true,
      [&](TDialog& d) {
        ForEachValueControl(d.Family(), spec, [&](const TParameterControls& c, int at) {
          values[at] = c.Slider ? c.Slider->Value() : StrToInt(c.Edit->Text());
        });
      },
      false);
  return ok ? NewBatchCommand(command.Kind(), std::move(values)) : nullptr;
}

TBatchCommandPtr EditSilence(TWinControl* caller, const TBatchCommand& command) {
  int value = command.Values.at(0);
  const bool ok = ExecuteDialog<TInsertSilenceForm>(
      caller, [&](TInsertSilenceForm& d) { d.EditSilenceTime->SetText(IntToStr(value)); },
      [&](TInsertSilenceForm& d) { value = StrToInt(d.EditSilenceTime->Text()); });
  return ok ? NewBatchCommand(command.Kind(), {value}) : nullptr;
}

TBatchCommandPtr EditConvert(TWinControl* caller, const TBatchCommand& command) {
  std::vector<int> values = command.Values;
  const bool ok = ExecuteDialog<TConvertSampleRateForm>(
      caller,
      [&](TConvertSampleRateForm& d) {
        d.ComboBoxRate->SetItemIndex(values[0]);
        d.GroupBoxSChannels->SetItemIndex(values[1] == 1 ? 0 : 1);
      },
      [&](TConvertSampleRateForm& d) {
        if (d.ComboBoxRate->ItemIndex() >= 0) values[0] = d.ComboBoxRate->ItemIndex();
        if (d.GroupBoxSChannels->ItemIndex() >= 0) values[1] = d.GroupBoxSChannels->ItemIndex() == 0 ? 1 : 0;
      });
  return ok ? NewBatchCommand(command.Kind(), std::move(values)) : nullptr;
}

// ---- applying ------------------------------------------------------------------------------------

const std::vector<float> kEqualizerCentres = {31.25f, 62.5f, 125, 250, 500, 1000, 2000, 4000, 6000, 9000, 12000, 16000};

void ApplyRow(TAudioTransform2& t, const TBatchCommand& row, const TNormalizeGain& gain, SampleBuffer& b) {
  const std::vector<int>& v = row.Values;
  auto f = [&](std::size_t i) { return static_cast<float>(v.at(i)); };
  switch (row.Kind()) {
    case K::Amplify: t.Amplify(b, f(0)); break;
    case K::Normalize:
      if (gain.Apply) t.Amplify(b, gain.Percent);
      break;
    case K::HighPass: t.HighPass(b, f(0), 100.0f); break;
    case K::SpeedChange: t.SpeedChange(b, f(0)); break;
    case K::PitchChange: t.PitchChange(b, f(0)); break;
    case K::Compressor: t.CompressDynamics(b, f(0), f(1), 100.0f); break;
    case K::Echo: t.Echo(b, f(0), f(1), f(2)); break;
    case K::Phaser: t.Phaser(b, f(0), f(1), f(2)); break;
    case K::NoiseReduction: t.NoiseReduction(b, f(0), f(1), f(2)); break;
    case K::Reverb: t.Reverb(b, f(0), f(1), f(2), f(3), f(4), v.at(5)); break;
    case K::Flanger: t.Flanger(b, f(0), f(1), f(2), f(3), f(4), f(5)); break;
    case K::Chorus: t.Chorus(b, f(0), f(1), f(2), f(3), f(4), f(5)); break;
    case K::MixStereoChannels:
      // Mixing the two channels of a mono chunk leaves it as it is.
      if (b.Channels() == 2) t.MixStereo(b, f(0), f(1), f(2), f(3));
      break;
    case K::Equalizer: {
      std::vector<float> gains;
      for (int band : v) gains.push_back(static_cast<float>(band) / 100.0f);
      t.Equalizer(b, gains, kEqualizerCentres);
      break;
    }
    case K::InsertSilenceAtTheStart:
    case K::InsertSilenceAtTheEnd:
    case K::ConvertSampleType:
      break;
  }
}

}  // namespace

TBatchCommand::TBatchCommand(TBatchCommandKind Kind) : kind_(Kind) {}

String TBatchCommand::Name() const { return BatchCommandName(kind_); }

String TBatchCommand::SettingsText() const {
  if (kind_ == K::ConvertSampleType)
    return L"Convert Sample Rate = " + IntToStr(ConversionSampleRateOfIndex(Values.at(0))) +
           (Values.at(1) == 1 ? L", Convert Channel = Mono" : L", Convert Channel = Stereo");
  std::vector<TVarRec> args;
  for (int value : Values) args.emplace_back(value);
  return Format(SpecOf(kind_).Text, args.data(), args.size());
}

TBatchInsertSilenceAtTheStart::TBatchInsertSilenceAtTheStart() : TBatchCommand(K::InsertSilenceAtTheStart) {}
TBatchInsertSilenceAtTheEnd::TBatchInsertSilenceAtTheEnd() : TBatchCommand(K::InsertSilenceAtTheEnd) {}
TBatchAmplify::TBatchAmplify() : TBatchCommand(K::Amplify) {}
TBatchNormalize::TBatchNormalize() : TBatchCommand(K::Normalize) {}
TBatchHighPass::TBatchHighPass() : TBatchCommand(K::HighPass) {}
TBatchEqualizer::TBatchEqualizer() : TBatchCommand(K::Equalizer) {}
TBatchEcho::TBatchEcho() : TBatchCommand(K::Echo) {}
TBatchReverb::TBatchReverb() : TBatchCommand(K::Reverb) {}
TBatchNoiseReduction::TBatchNoiseReduction() : TBatchCommand(K::NoiseReduction) {}
TBatchSpeedChange::TBatchSpeedChange() : TBatchCommand(K::SpeedChange) {}
TBatchPitchChange::TBatchPitchChange() : TBatchCommand(K::PitchChange) {}
TBatchCompressor::TBatchCompressor() : TBatchCommand(K::Compressor) {}
TBatchConvertSampleType::TBatchConvertSampleType() : TBatchCommand(K::ConvertSampleType) {}
TBatchMixStereoChannels::TBatchMixStereoChannels() : TBatchCommand(K::MixStereoChannels) {}
TBatchPhaser::TBatchPhaser() : TBatchCommand(K::Phaser) {}
TBatchFlanger::TBatchFlanger() : TBatchCommand(K::Flanger) {}
TBatchChorus::TBatchChorus() : TBatchCommand(K::Chorus) {}

String BatchCommandName(TBatchCommandKind Kind) { return SpecOf(Kind).Name; }

TBatchCommandPtr NewBatchCommand(TBatchCommandKind Kind, const TGlobalVars& Vars) {
  if (Kind == K::ConvertSampleType) return NewBatchCommand(Kind, kConvertDefaults);
  std::vector<int> values;
  for (int G::*field : SpecOf(Kind).Fields) values.push_back(Vars.*field);
  return NewBatchCommand(Kind, std::move(values));
}

TBatchCommandPtr NewBatchCommand(TBatchCommandKind Kind, std::vector<int> Values) {
  if (Values.size() != ValueCountOf(Kind))
    throw Exception(L"The command \"" + BatchCommandName(Kind) + L"\" takes " + IntToStr(Int64(ValueCountOf(Kind))) +
                    L" values.");
  TBatchCommandPtr command(MakeCommand(Kind));
  command->Values = std::move(Values);
  return command;
}

TBatchCommandPtr EditBatchCommand(TWinControl* Caller, const TBatchCommand& Command) {
  switch (Command.Kind()) {
    case K::InsertSilenceAtTheStart:
    case K::InsertSilenceAtTheEnd: return EditSilence(Caller, Command);
    case K::ConvertSampleType: return EditConvert(Caller, Command);
    case K::Amplify: return EditInFamilyDialog<TAmplifyForm>(Caller, Command);
    case K::Normalize: return EditInFamilyDialog<TNormalizeForm>(Caller, Command);
    case K::HighPass: return EditInFamilyDialog<THighPassForm>(Caller, Command);
    case K::Equalizer: return EditInFamilyDialog<TEqualizerForm>(Caller, Command);
    case K::Echo: return EditInFamilyDialog<TEchoForm>(Caller, Command);
    case K::Reverb: return EditInFamilyDialog<TReverbForm>(Caller, Command);
    case K::NoiseReduction: return EditInFamilyDialog<TNoiseReductionForm>(Caller, Command);
    case K::SpeedChange: return EditInFamilyDialog<TSpeedChangeForm>(Caller, Command);
    case K::PitchChange: return EditInFamilyDialog<TPitchChangeForm>(Caller, Command);
    case K::Compressor: return EditInFamilyDialog<TDynamicRangeCompressorForm>(Caller, Command);
    case K::MixStereoChannels: return EditInFamilyDialog<TMixStereoForm>(Caller, Command);
    case K::Phaser: return EditInFamilyDialog<TPhaserForm>(Caller, Command);
    case K::Flanger: return EditInFamilyDialog<TFlangerForm>(Caller, Command);
    case K::Chorus: return EditInFamilyDialog<TChorusForm>(Caller, Command);
  }
  return nullptr;
}

void ApplyCommandList(TAudioTransform2& Transform, std::span<const TBatchCommand* const> Rows,
                      std::span<const TNormalizeGain> Gains, SampleBuffer& Chunk) {
  if (Rows.empty()) return;
  Transform.SetChunkMode(-1);
  try {
    for (std::size_t i = 0; i < Rows.size(); ++i)
      ApplyRow(Transform, *Rows[i], i < Gains.size() ? Gains[i] : TNormalizeGain{}, Chunk);
  } catch (...) {
    Transform.SetChunkMode(0);
    throw;
  }
  Transform.SetChunkMode(0);
}
