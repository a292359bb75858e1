#include "app/FavoriteData.h"

#include "dialogs/Amplify.h"
#include "dialogs/BandPass.h"
#include "dialogs/Chorus.h"
#include "dialogs/CossFade.h"
#include "dialogs/DynamicRangeCompressor.h"
#include "dialogs/Echo.h"
#include "dialogs/Flanger.h"
#include "dialogs/HighPass.h"
#include "dialogs/HighShelf.h"
#include "dialogs/LowPass.h"
#include "dialogs/LowShelf.h"
#include "dialogs/MixStereo.h"
#include "dialogs/NoiseReduction.h"
#include "dialogs/Normalize.h"
#include "dialogs/Notch.h"
#include "dialogs/PeakEQ.h"
#include "dialogs/Phaser.h"
#include "dialogs/PitchChange.h"
#include "dialogs/Reverb.h"
#include "dialogs/SpeedChange.h"
#include "dialogs/Vibrato.h"
#include "platform/audio/editor/AudioEditorTransform.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

using S = TSlotControl;
using G = TGlobalVars;
using O = TTransformOperation;

constexpr TTransformArgument V(int slot) { return {slot, 0.0f, false}; }
constexpr TTransformArgument Int(int slot) { return {slot, 0.0f, true}; }
constexpr TTransformArgument Const(float value) { return {-1, value, false}; }
constexpr TTransformArgument IntConst(float value) { return {-1, value, true}; }

const TFavoriteEffect kEffects[] = {
    {L"Echo", 3, &TEchoForm::ClassInfo, {L"ImageSliderDelayTime", L"ImageSliderMixDepth", L"ImageSliderFeedbackGain"},
     {S::Slider, S::Slider, S::Slider}, {&G::DefEchoDelayTime, &G::DefEchoMixDepth, &G::DefEchoFeedbackGain},
     O::Echo, 3, {V(0), V(1), V(2)}},
    {L"Vibrato", 3, &TVibratoForm::ClassInfo,
     {L"ImageSliderSweepDepth", L"ImageSliderSweepRate", L"ImageSliderSweepPhase"},
     {S::Slider, S::Slider, S::Slider},
     {&G::DefVibratoSweepDepth, &G::DefVibratoSweepRate, &G::DefVibratoSweepPhase}, O::Vibrato, 3,
     {V(0), V(1), V(2)}},
    {L"Reverb", 6, &TReverbForm::ClassInfo,
     {L"ImageSliderDelayTime", L"ImageSliderMixDepth", L"ImageSliderFeedbackGain", L"ImageSliderReverbGain",
      L"ImageSliderReverbFrequency", L"ImageSliderTaps"},
     {S::Slider, S::Slider, S::Slider, S::Slider, S::Slider, S::Slider},
     {&G::DefReverbDelayTime, &G::DefReverbMixDepth, &G::DefReverbFeedbackGain, &G::DefReverbGain,
      &G::DefReverbFrequency, &G::DefReverbTaps},
     O::Reverb, 6, {V(0), V(1), V(2), V(3), V(4), Int(5)}},
    {L"Amplify", 1, &TAmplifyForm::ClassInfo, {L"EditAmplify"}, {S::Edit}, {&G::DefAmplify}, O::Amplify, 1, {V(0)}},
    {L"Fade", 2, &TCossFadeForm::ClassInfo, {L"ImageSliderInitial", L"ImageSliderFinal"}, {S::Slider, S::Slider},
     {&G::DefFadeInt, &G::DefFadeFin}, O::Fade, 2, {V(0), V(1)}},
    {L"Normalize", 1, &TNormalizeForm::ClassInfo, {L"EditNormalizePeak"}, {S::Edit}, {&G::DefNormalize},
     O::Normalize, 2, {V(0), IntConst(-1)}},
    {L"Compressor", 2, &TDynamicRangeCompressorForm::ClassInfo, {L"ImageSliderThreshold", L"ImageSliderRate"},
     {S::Slider, S::Slider}, {&G::DefCompressorThreshold, &G::DefCompressorRate}, O::CompressDynamics, 3,
     {V(0), V(1), Const(100.0f)}},
    {L"Chorus", 6, &TChorusForm::ClassInfo,
     {L"ImageSliderDelayRate", L"ImageSliderMixDepth", L"ImageSliderFeedbackGain", L"ImageSliderSweepDepth",
      L"ImageSliderSweepRate", L"ImageSliderSweepPhase"},
     {S::Slider, S::Slider, S::Slider, S::Slider, S::Slider, S::Slider},
     {&G::DefChorusDelayRate, &G::DefChorusMixDepth, &G::DefChorusFeedbackGain, &G::DefChorusSweepDepth,
      &G::DefChorusSweepRate, &G::DefChorusSweepPhase},
     O::Chorus, 6, {V(0), V(1), V(2), V(3), V(4), V(5)}},
    {L"Flanger", 6, &TFlangerForm::ClassInfo,
     {L"ImageSliderDelayRate", L"ImageSliderMixDepth", L"ImageSliderFeedbackGain", L"ImageSliderSweepDepth",
      L"ImageSliderSweepRate", L"ImageSliderSweepPhase"},
     {S::Slider, S::Slider, S::Slider, S::Slider, S::Slider, S::Slider},
     {&G::DefFlangerDelayRate, &G::DefFlangerMixDepth, &G::DefFlangerFeedbackGain, &G::DefFlangerSweepDepth,
      &G::DefFlangerSweepRate, &G::DefFlangerSweepPhase},
     O::Flanger, 6, {V(0), V(1), V(2), V(3), V(4), V(5)}},
    {L"Phaser", 3, &TPhaserForm::ClassInfo,
     {L"ImageSliderDelayTime", L"ImageSliderMixDepth", L"ImageSliderFeedbackGain"},
     {S::Slider, S::Slider, S::Slider}, {&G::DefPhaserDelayTime, &G::DefPhaserMixDepth, &G::DefPhaserFeedbackGain},
     O::Phaser, 3, {V(0), V(1), V(2)}},
    {L"Speed Change", 1, &TSpeedChangeForm::ClassInfo, {L"EditSpeedAdjust"}, {S::Edit}, {&G::DefSpeedChange},
     O::SpeedChange, 1, {V(0)}},
    {L"Pitch Change", 1, &TPitchChangeForm::ClassInfo, {L"EditPitchAdjust"}, {S::Edit}, {&G::DefPitchChange},
     O::PitchChange, 1, {V(0)}},
    {L"PeakEQ", 3, &TPeakEQForm::ClassInfo, {L"EditFrequency", L"ImageSliderSteepness", L"ImageSliderGain"},
     {S::Edit, S::Slider, S::Slider}, {&G::DefPeakEQFrequency, &G::DefPeakEQSteepness, &G::DefPeakEQGain},
     O::PeakEQ, 3, {V(2), V(0), V(1)}},
    {L"Notch Filter", 2, &TNotchForm::ClassInfo, {L"EditFrequency", L"ImageSliderSteepness"}, {S::Edit, S::Slider},
     {&G::DefNotchFrequency, &G::DefNotchSteepness}, O::Notch, 2, {V(0), V(1)}},
    {L"Band Pass", 2, &TBandPassForm::ClassInfo, {L"EditFrequency", L"ImageSliderSteepness"}, {S::Edit, S::Slider},
     {&G::DefBandPassFrequency, &G::DefBandPassSteepness}, O::BandPass, 2, {V(0), V(1)}},
    {L"Low Pass", 2, &TLowPassForm::ClassInfo, {L"EditFrequency", L"ImageSliderSteepness"}, {S::Edit, S::Slider},
     {&G::DefLowPassFrequency, &G::DefLowPassSteepness}, O::LowPass, 2, {V(0), V(1)}},
    {L"High Pass", 1, &THighPassForm::ClassInfo, {L"EditFrequency"}, {S::Edit}, {&G::DefHighPass}, O::HighPass, 2,
     {V(0), Const(100.0f)}},
    {L"Low Shelf", 3, &TLowShelfForm::ClassInfo, {L"EditFrequency", L"ImageSliderSteepness", L"ImageSliderGain"},
     {S::Edit, S::Slider, S::Slider},
     {&G::DefLowShelfFrequency, &G::DefLowShelfSteepness, &G::DefLowShelfGain}, O::LowShelf, 3,
     {V(0), V(2), V(1)}},
    {L"High Shelf", 3, &THighShelfForm::ClassInfo, {L"EditFrequency", L"ImageSliderSteepness", L"ImageSliderGain"},
     {S::Edit, S::Slider, S::Slider},
     {&G::DefHighShelfFrequency, &G::DefHighShelfSteepness, &G::DefHighShelfGain}, O::HighShelf, 3,
     {V(0), V(2), V(1)}},
    {L"Mix Stereo", 4, &TMixStereoForm::ClassInfo,
     {L"ImageSliderNewLeftChannelLeft", L"ImageSliderNewLeftChannelRight", L"ImageSliderNewRightChannelLeft",
      L"ImageSliderNewRightChannelRight"},
     {S::Slider, S::Slider, S::Slider, S::Slider},
     {&G::DefMixChanLL, &G::DefMixChanLR, &G::DefMixChanRL, &G::DefMixChanRR}, O::MixStereo, 4,
     {V(0), V(1), V(2), V(3)}},
    {L"Invert", 0, nullptr, {}, {}, {}, O::Invert, 0, {}},
    {L"Reverse", 0, nullptr, {}, {}, {}, O::Reverse, 0, {}},
    {L"Noise Reduction", 3, &TNoiseReductionForm::ClassInfo,
     {L"ImageSliderThreshold", L"ImageSliderRate", L"ImageSliderRMSTime"}, {S::Slider, S::Slider, S::Slider},
     {&G::DefNoiseReductionThreshold, &G::DefNoiseReductionRate, &G::DefNoiseReductionRMSTime},
     O::NoiseReduction, 3, {V(0), V(1), V(2)}},
};

struct TDefaultFavorite {
  const wchar_t* Name;
  const wchar_t* ShortCut;
  const wchar_t* Params;
  const wchar_t* Effect;
};

const TDefaultFavorite kDefaultFavorites[] = {
    {L"Half Volume", L"Ctrl+H", L"50", L"Amplify"},
    {L"Double Volume", L"Ctrl+D", L"200", L"Amplify"},
    {L"Fade In", L"", L"0,100", L"Fade"},
    {L"Fade Out", L"", L"100,0", L"Fade"},
    {L"Normalize Audio Level", L"", L"75", L"Normalize"},
    {L"Double Speed", L"Ctrl+1", L"200", L"Speed Change"},
    {L"Slow Down Speed", L"Ctrl+2", L"70", L"Speed Change"},
    {L"Many Echoes", L"Ctrl+3", L"500,50,70", L"Echo"},
    {L"Very Large Cavern Effect", L"Ctrl+4", L"360,35,50", L"Echo"},
    {L"Allien Saying Effect", L"Ctrl+5", L"30,60,60,30,11025,8", L"Reverb"},
    {L"Radio", L"Ctrl+6", L"2000", L"High Pass"},
    {L"Cassette Noise Reduce", L"Ctrl+7", L"-13,99,55", L"Noise Reduction"},
};

void WriteSection(TCustomIniFile& Ini, const TFavorite& Favorite) {
  Ini.WriteString(Favorite.Name, L"ShortCut", Favorite.ShortCutText);
  Ini.WriteString(Favorite.Name, L"Effect", Favorite.ParamList);
  Ini.WriteString(Favorite.Name, L"Flag", Favorite.EffectName);
  Ini.WriteString(Favorite.Name, L"ShowDialog", Favorite.ShowDialog ? L"1" : L"0");
}

}  // namespace

String FavoriteFilePath() { return GlobalVars.DataFolder + L"Favorite.dat"; }

TFavoriteList ReadFavoriteFile(const String& Path) {
  TFavoriteList favorites;
  if (!FileExists(Path)) return favorites;
  TIniFile ini(Path);
  TStringList sections;
  ini.ReadSections(sections);
  for (int i = 0; i < sections.Count(); ++i) {
    ObjectPtr<TFavorite> favorite(new TFavorite);
    favorite->Name = sections.Strings(i);
    favorite->ShortCutText = ini.ReadString(favorite->Name, L"ShortCut", L"");
    favorite->ParamList = ini.ReadString(favorite->Name, L"Effect", L"");
    favorite->EffectName = ini.ReadString(favorite->Name, L"Flag", L"");
    favorite->ShowDialog = ini.ReadInteger(favorite->Name, L"ShowDialog", 0) != 0;
    favorites.push_back(std::move(favorite));
  }
  return favorites;
}

void WriteFavoriteSections(const String& Path, const TFavoriteList& Favorites) {
  TIniFile ini(Path);
  for (const ObjectPtr<TFavorite>& favorite : Favorites) WriteSection(ini, *favorite);
}

void EraseFavoriteSections(const String& Path) {
  if (!FileExists(Path)) return;
  TIniFile ini(Path);
  TStringList sections;
  ini.ReadSections(sections);
  for (int i = 0; i < sections.Count(); ++i) ini.EraseSection(sections.Strings(i));
}

void WriteDefaultFavoriteSections(const String& Path) {
  TIniFile ini(Path);
  for (const TDefaultFavorite& row : kDefaultFavorites) {
    TFavorite favorite;
    favorite.Name = row.Name;
    favorite.ShortCutText = row.ShortCut;
    favorite.ParamList = row.Params;
    favorite.EffectName = row.Effect;
    WriteSection(ini, favorite);
  }
}

String FavoriteCaption(const String& Name, const String& ShortCutText) {
  return ShortCutText.empty() ? Name : Name + L" (" + ShortCutText + L")";
}

String FavoriteHint(const String& Caption, const String& ParamList) {
  return Caption + L"  [Effect: " + ParamList + L"]";
}

std::span<const TFavoriteEffect> FavoriteEffects() { return kEffects; }

const TFavoriteEffect* FindFavoriteEffect(const String& Name) {
  for (const TFavoriteEffect& effect : kEffects)
    if (Name == effect.Name) return &effect;
  return nullptr;
}

String DefaultParameterList(const TFavoriteEffect& Effect, const TGlobalVars& Vars) {
  String list;
  for (int k = 0; k < Effect.ValueCount; ++k) {
    if (k > 0) list += L",";
    list += IntToStr(Vars.*Effect.DefaultFields[k]);
  }
  return list;
}

std::vector<TTransformValue> TransformArguments(const TFavoriteEffect& Effect, const std::array<int, 10>& Values) {
  std::vector<TTransformValue> arguments;
  for (int i = 0; i < Effect.ArgumentCount; ++i) {
    const TTransformArgument& argument = Effect.Arguments[i];
    const float value = argument.Slot < 0 ? argument.Constant : static_cast<float>(Values[argument.Slot]);
    arguments.push_back({value, argument.Integer});
  }
  return arguments;
}

void CallTransform(IAudioEditor2Transform& T, TTransformOperation Operation,
                   const std::vector<TTransformValue>& Arguments) {
  const auto a = [&](std::size_t i) { return Arguments.at(i).Value; };
  const auto n = [&](std::size_t i) { return static_cast<int>(Arguments.at(i).Value); };
  switch (Operation) {
    case O::Echo: T.Echo(a(0), a(1), a(2)); break;
    case O::Vibrato: T.Vibrato(a(0), a(1), a(2)); break;
    case O::Reverb: T.Reverb(a(0), a(1), a(2), a(3), a(4), n(5)); break;
    case O::Amplify: T.Amplify(a(0)); break;
    case O::Fade: T.Fade(a(0), a(1)); break;
    case O::Normalize: T.Normalize(a(0), n(1)); break;
    case O::CompressDynamics: T.CompressDynamics(a(0), a(1), a(2)); break;
    case O::Chorus: T.Chorus(a(0), a(1), a(2), a(3), a(4), a(5)); break;
    case O::Flanger: T.Flanger(a(0), a(1), a(2), a(3), a(4), a(5)); break;
    case O::Phaser: T.Phaser(a(0), a(1), a(2)); break;
    case O::SpeedChange: T.SpeedChange(a(0)); break;
    case O::PitchChange: T.PitchChange(a(0)); break;
    case O::PeakEQ: T.PeakEQ(a(0), a(1), a(2)); break;
    case O::Notch: T.Notch(a(0), a(1)); break;
    case O::BandPass: T.BandPass(a(0), a(1)); break;
    case O::LowPass: T.LowPass(a(0), a(1)); break;
    case O::HighPass: T.HighPass(a(0), a(1)); break;
    case O::LowShelf: T.LowShelf(a(0), a(1), a(2)); break;
    case O::HighShelf: T.HighShelf(a(0), a(1), a(2)); break;
    case O::MixStereo: T.MixStereo(a(0), a(1), a(2), a(3)); break;
    case O::Invert: T.Invert(); break;
    case O::Reverse: T.Reverse(); break;
    case O::NoiseReduction: T.NoiseReduction(a(0), a(1), a(2)); break;
  }
}
