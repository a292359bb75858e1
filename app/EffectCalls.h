#pragma once
// What the effect commands and the preview hand to the audio layer. An effect's arguments come from
// the effects table the favourites apply (FavoriteData.h): its settings fields, taken in the editor
// transform's order, as 32-bit floats (integers where the table says so). The preview runs the same
// effects on a sample buffer, chosen by the preview number the dialogs store.

#include <array>
#include <vector>

#include "app/FavoriteData.h"
#include "platform/audio/core/SampleBuffer.h"

class TAudioTransform2;

// The effect of the table that ends in this transform.
const TFavoriteEffect& EffectOf(TTransformOperation Operation);
// The effect's values from its settings fields, in the table's slot order.
std::array<int, 10> SettingsValues(const TFavoriteEffect& Effect, const TGlobalVars& Vars);

// The equalizer's two arrays: band i's gain is EqualizerBuf(i + 1) / 100 (its tenths of a dB as
// dB / 10), the frequencies are the twelve fixed band centres from 31.25 Hz to 16 kHz.
struct TEqualizerArrays {
  std::vector<float> Gains;
  std::vector<float> Frequencies;
};
TEqualizerArrays EqualizerArrays(const TGlobalVars& Vars);

// The envelope curve's values in dB become gain factors 10^(v / 20), every value of the array.
void DecibelsToGains(std::vector<float>& Values);

// Runs the buffer effect of preview number Number (1 ... 21) over Buffer with the values of Vars; the
// buffer effects take a filter's gain first. False, with the buffer as it was, for any other number.
bool ApplyPreviewEffect(TAudioTransform2& Transform, SampleBuffer& Buffer, int Number, const TGlobalVars& Vars);
