#pragma once
// The favourites' parameter lists: comma-separated signed integers read into one process-wide
// array of ten slots.

#include <array>

#include "platform/framework/base/Types.h"

// Slots 0 to 9, filled by ParseParameterList and read by the favourite appliers and editor.
extern std::array<int, 10> FavoriteParams;

// Splits the list at each "," and converts every piece (optional blanks, optional sign, decimal
// digits) into the next slot, slot 0 first; the slots after the last value become 0. Returns the
// number of values, so a caller can refuse a list shorter than it needs. A piece that is not an
// integer (the empty one included) raises EConvertError "'<piece>' is not a valid integer value";
// an eleventh value raises EConvertError as well. On an error no slot changes.
int ParseParameterList(const String& text);
