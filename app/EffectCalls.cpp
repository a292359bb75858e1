#include "app/EffectCalls.h"

#include <cmath>

#include "platform/audio/processing/AudioTransform2.h"

namespace {

using O = TTransformOperation;

constexpr std::array<float, 12> kEqualizerFrequencies = {31.25f, 62.5f, 125,  250,  500,   1000,
                                                         2000,   4000,  6000, 9000, 12000, 16000};

// The preview numbers the dialogs store, and the effect each plays (4, the equalizer, is not in the
// effects table and has its own arrays).
struct TPreviewRow {
  int Number;
  O Operation;
};
const TPreviewRow kPreviewRows[] = {
    {1, O::CompressDynamics}, {2, O::Amplify},    {3, O::HighPass},  {5, O::Echo},         {6, O::Reverb},
    {7, O::Fade},             {8, O::MixStereo},  {9, O::NoiseReduction}, {10, O::SpeedChange}, {11, O::PitchChange},
    {12, O::Phaser},          {13, O::Flanger},   {14, O::Chorus},   {15, O::Notch},       {16, O::BandPass},
    {17, O::LowPass},         {18, O::LowShelf},  {19, O::HighShelf}, {20, O::PeakEQ},     {21, O::Vibrato},
};
constexpr int kEqualizerPreview = 4;

// The transform's arguments (in the editor's order) applied to a buffer.
void CallBufferTransform(TAudioTransform2& T, SampleBuffer& B, O Operation, const std::vector<TTransformValue>& Arguments) {
  const auto a = [&](std::size_t i) { return Arguments.at(i).Value; };
  const auto n = [&](std::size_t i) { return static_cast<int>(Arguments.at(i).Value); };
  switch (Operation) {
    case O::Echo: T.Echo(B, a(0), a(1), a(2)); break;
    case O::Vibrato: T.Vibrato(B, a(0), a(1), a(2)); break;
    case O::Reverb: T.Reverb(B, a(0), a(1), a(2), a(3), a(4), n(5)); break;
    case O::Amplify: T.Amplify(B, a(0)); break;
    case O::Fade: T.Fade(B, a(0), a(1)); break;
    case O::Normalize: T.Normalize(B, a(0), n(1)); break;
    case O::CompressDynamics: T.CompressDynamics(B, a(0), a(1), a(2)); break;
    case O::Chorus: T.Chorus(B, a(0), a(1), a(2), a(3), a(4), a(5)); break;
    case O::Flanger: T.Flanger(B, a(0), a(1), a(2), a(3), a(4), a(5)); break;
    case O::Phaser: T.Phaser(B, a(0), a(1), a(2)); break;
    case O::SpeedChange: T.SpeedChange(B, a(0)); break;
    case O::PitchChange: T.PitchChange(B, a(0)); break;
    // The editor's peak filter takes the gain first, as the buffer effects do.
    case O::PeakEQ: T.PeakEQ(B, a(0), a(1), a(2)); break;
    case O::Notch: T.Notch(B, a(0), a(1)); break;
    case O::BandPass: T.BandPass(B, a(0), a(1)); break;
    case O::LowPass: T.LowPass(B, a(0), a(1)); break;
    case O::HighPass: T.HighPass(B, a(0), a(1)); break;
    // The editor's shelves take the frequency first and the gain second; the buffer's the gain first.
    case O::LowShelf: T.LowShelf(B, a(1), a(0), a(2)); break;
    case O::HighShelf: T.HighShelf(B, a(1), a(0), a(2)); break;
    case O::MixStereo: T.MixStereo(B, a(0), a(1), a(2), a(3)); break;
    case O::NoiseReduction: T.NoiseReduction(B, a(0), a(1), a(2)); break;
    case O::Invert:
    case O::Reverse: break;  // no preview plays these
  }
}

}  // namespace

const TFavoriteEffect& EffectOf(TTransformOperation Operation) {
  for (const TFavoriteEffect& effect : FavoriteEffects())
    if (effect.Operation == Operation) return effect;
  throw Exception(L"No effect ends in this transform.");
}

std::array<int, 10> SettingsValues(const TFavoriteEffect& Effect, const TGlobalVars& Vars) {
  std::array<int, 10> values{};
  for (int k = 0; k < Effect.ValueCount; ++k) values[k] = Vars.*Effect.DefaultFields[k];
  return values;
}

TEqualizerArrays EqualizerArrays(const TGlobalVars& Vars) {
  const int bands[12] = {Vars.EqualizerBuf1, Vars.EqualizerBuf2,  Vars.EqualizerBuf3,  Vars.EqualizerBuf4,
                         Vars.EqualizerBuf5, Vars.EqualizerBuf6,  Vars.EqualizerBuf7,  Vars.EqualizerBuf8,
                         Vars.EqualizerBuf9, Vars.EqualizerBuf10, Vars.EqualizerBuf11, Vars.EqualizerBuf12};
  TEqualizerArrays arrays;
  for (int band : bands) arrays.Gains.push_back(static_cast<float>(band) / 100.0f);
  arrays.Frequencies.assign(kEqualizerFrequencies.begin(), kEqualizerFrequencies.end());
  return arrays;
}

void DecibelsToGains(std::vector<float>& Values) {
  for (float& value : Values) value = std::pow(10.0f, value / 20.0f);
}

bool ApplyPreviewEffect(TAudioTransform2& Transform, SampleBuffer& Buffer, int Number, const TGlobalVars& Vars) {
  if (Number == kEqualizerPreview) {
    const TEqualizerArrays arrays = EqualizerArrays(Vars);
    Transform.Equalizer(Buffer, arrays.Gains, arrays.Frequencies);
    return true;
  }
  for (const TPreviewRow& row : kPreviewRows) {
    if (row.Number != Number) continue;
    const TFavoriteEffect& effect = EffectOf(row.Operation);
    CallBufferTransform(Transform, Buffer, row.Operation, TransformArguments(effect, SettingsValues(effect, Vars)));
    return true;
  }
  return false;
}
