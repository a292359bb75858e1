#pragma once
// The favourites' data: the file "Favorite.dat" (one section per favourite, in list order, keys
// "ShortCut", "Effect" = the parameter list, "Flag" = the effect name, "ShowDialog"), the twelve
// default favourites, and the table of the 23 effects a favourite can apply.

#include <array>
#include <span>
#include <vector>

#include "app/core/DataItems.h"
#include "app/core/Globals.h"
#include "platform/framework/classes/Component.h"

class IAudioEditor2Transform;

using TFavoriteList = std::vector<ObjectPtr<TFavorite>>;

// DataFolder + "Favorite.dat".
String FavoriteFilePath();
// Every section in file order with all five fields; empty when the file is missing.
TFavoriteList ReadFavoriteFile(const String& Path);
// Writes the four keys of every favourite's section, in list order; other sections stay.
void WriteFavoriteSections(const String& Path, const TFavoriteList& Favorites);
// Erases every section of the file.
void EraseFavoriteSections(const String& Path);
// The twelve default favourites, written in their order.
void WriteDefaultFavoriteSections(const String& Path);

// "Half Volume (Ctrl+H)", or the name alone without a shortcut.
String FavoriteCaption(const String& Name, const String& ShortCutText);
// The caption, two blanks and "[Effect: <list>]".
String FavoriteHint(const String& Caption, const String& ParamList);

// ---- The 23 effects ------------------------------------------------------------------------------

enum class TSlotControl { Slider, Edit };

// A dialog's class reference, as its ClassInfo gives it.
using TDialogClassRef = const TComponentMetaClass& (*)();

// The editor transform a favourite ends in.
enum class TTransformOperation {
  Echo, Vibrato, Reverb, Amplify, Fade, Normalize, CompressDynamics, Chorus, Flanger, Phaser, SpeedChange,
  PitchChange, PeakEQ, Notch, BandPass, LowPass, HighPass, LowShelf, HighShelf, MixStereo, Invert, Reverse,
  NoiseReduction
};

// One argument of the transform call: the value of a slot, or a constant; passed as a 32-bit float
// unless Integer.
struct TTransformArgument {
  int Slot;  // -1: Constant
  float Constant;
  bool Integer;
};

struct TFavoriteEffect {
  const wchar_t* Name;
  int ValueCount;
  // The effect's dialog class (null: no dialog) and, per slot, the control a value sets and its kind.
  TDialogClassRef DialogClass;
  std::array<const wchar_t*, 6> Controls;
  std::array<TSlotControl, 6> Kinds;
  // The settings fields a fresh list is formed from, and a confirmed dialog stores into.
  std::array<int TGlobalVars::*, 6> DefaultFields;
  TTransformOperation Operation;
  int ArgumentCount;
  std::array<TTransformArgument, 6> Arguments;
};

// In the dispatcher's order (the favourite editor's effect list has the same).
std::span<const TFavoriteEffect> FavoriteEffects();
// The effect of exactly that name, or null.
const TFavoriteEffect* FindFavoriteEffect(const String& Name);
// The effect's settings fields as decimal integers joined by ","; empty without parameters.
String DefaultParameterList(const TFavoriteEffect& Effect, const TGlobalVars& Vars);

struct TTransformValue {
  float Value;
  bool Integer;
  bool operator==(const TTransformValue&) const = default;
};
// The transform's arguments in call order from the list's values (slot k = the k-th value).
std::vector<TTransformValue> TransformArguments(const TFavoriteEffect& Effect, const std::array<int, 10>& Values);
// Calls the effect's transform with those arguments.
void CallTransform(IAudioEditor2Transform& Transform, TTransformOperation Operation,
                   const std::vector<TTransformValue>& Arguments);
