#pragma once
// Colours in a hue-saturation-lightness space on a 0..240 scale, and the darker and lighter
// shades the frame drawing tints its lines with.

#include "platform/framework/graphics/Graphics.h"

struct THslColor {
  int Hue = 0;
  int Saturation = 0;
  int Lightness = 0;
};

// System colours are resolved first. Each part is rounded to 0..240.
THslColor DecomposeColor(TColor Color);
// Lightness may exceed 240 (up to 255): the channels are then clipped to white.
TColor ComposeColor(int Hue, int Saturation, int Lightness);

// The colour with its lightness lowered by Amount, not below 0.
TColor DarkenColor(TColor Color, int Amount);
// The colour with its lightness raised by Amount, not above 255.
TColor LightenColor(TColor Color, int Amount);
