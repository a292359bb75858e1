#include "ui/extras/frames/FrameColors.h"

#include <algorithm>
#include <cmath>

namespace {

// Rounds to nearest with ties to even, as the platform's default rounding does.
int RoundEven(double value) { return int(std::nearbyint(value)); }

Byte ChannelByte(double channel) { return Byte(RoundEven(std::min(channel, 1.0) * 255)); }

}  // namespace

THslColor DecomposeColor(TColor Color) {
  const TColor rgb = ColorToRGB(Color);
  const double r = GetRValue(rgb) / 255.0, g = GetGValue(rgb) / 255.0, b = GetBValue(rgb) / 255.0;
  const double max = std::max({r, g, b}), min = std::min({r, g, b});
  const double l = (max + min) / 2;
  double h = 0, s = 0;
  if (max != min) {
    const double d = max - min;
    s = l < 0.5 ? d / (max + min) : d / (2 - max - min);
    if (r == max) h = (g - b) / d;
    else if (g == max) h = 2 + (b - r) / d;
    else h = 4 + (r - g) / d;
    h /= 6;
    if (h < 0) h += 1;
  }
  return {RoundEven(h * 240), RoundEven(s * 240), RoundEven(l * 240)};
}

TColor ComposeColor(int Hue, int Saturation, int Lightness) {
  // The hue divides by 239 while DecomposeColor scales by 240; kept so shades match other code
  // that tints the same way.
  double h = Hue / 239.0;
  const double s = Saturation / 240.0, l = Lightness / 240.0;
  const double v = l < 0.5 ? l * (1 + s) : l + s - l * s;
  if (v <= 0) return clBlack;
  const double m = 2 * l - v;
  const double sv = (v - m) / v;
  h *= 6;
  const int sextant = int(h);
  const double f = h - sextant;
  const double vsf = v * sv * f;
  const double mid1 = m + vsf, mid2 = v - vsf;
  double r, g, b;
  switch (sextant) {
    case 1: r = mid2, g = v, b = m; break;
    case 2: r = m, g = v, b = mid1; break;
    case 3: r = m, g = mid2, b = v; break;
    case 4: r = mid1, g = m, b = v; break;
    case 5: r = v, g = m, b = mid2; break;
    default: r = v, g = mid1, b = m; break;  // sextant 0, and 6 for hue 239
  }
  return RGBColor(ChannelByte(r), ChannelByte(g), ChannelByte(b));
}

TColor DarkenColor(TColor Color, int Amount) {
  const THslColor hsl = DecomposeColor(Color);
  return ComposeColor(hsl.Hue, hsl.Saturation, std::max(hsl.Lightness - Amount, 0));
}

TColor LightenColor(TColor Color, int Amount) {
  const THslColor hsl = DecomposeColor(Color);
  return ComposeColor(hsl.Hue, hsl.Saturation, std::min(hsl.Lightness + Amount, 255));
}
