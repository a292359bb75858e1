#pragma once
// An effect's dialog as the favourites show it: created from the effects table, owned by and
// centred over the caller, its controls set from a favourite's values instead of the settings
// record, and run through the family's caller protocol. The appliers store what it holds into the
// settings record; the favourite editor reads it back as a parameter list.

#include <functional>
#include <span>

#include "app/FavoriteData.h"

class TFamilyMember;
class TForm;
class TWinControl;

// Sets control k of the effect from Values[k]: a slider to the value (it clamps to its range), an
// edit to the value's decimal text.
void SetEffectControls(const TFavoriteEffect& Effect, const TForm& Dialog, std::span<const int> Values);
// The controls read back in slot order, joined by ",": a slider's value in decimal, an edit's text
// as it stands.
String ReadEffectControls(const TFavoriteEffect& Effect, const TForm& Dialog);

// Shows the effect's dialog over Caller with its controls set from Values (the dialog's own load
// step is not run). On OK, OnOK gets the dialog; with StopPreview a preview still playing is
// stopped; the dialog is freed on every path. True when it was closed with OK.
bool ExecuteFavoriteDialog(const TFavoriteEffect& Effect, TWinControl* Caller, std::span<const int> Values,
                           bool HidePreview, const std::function<void(TForm&, TFamilyMember&)>& OnOK,
                           bool StopPreview);
