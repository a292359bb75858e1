#pragma once
// A 32-bit DIB section filled with one colour, to paint on and probe pixel by pixel.

#include "platform/framework/graphics/Bitmap.h"

namespace extras_test {

class PaintSurface {
 public:
  PaintSurface(int width, int height, TColor fill) : bitmap_(width, height, pf32bit) {
    bitmap_.Canvas()->Brush()->SetColor(fill);
    bitmap_.Canvas()->FillRect(Rect(0, 0, width, height));
  }
  TCanvas* Canvas() { return bitmap_.Canvas(); }
  HDC DC() { return bitmap_.Canvas()->Handle(); }
  // The pixel as a colour (red in the low byte).
  TColor At(int x, int y) { return bitmap_.Canvas()->Pixels(x, y) & 0xFFFFFF; }

 private:
  TBitmap bitmap_;
};

// True when every channel of a and b differs by at most tolerance.
inline bool NearColor(TColor a, TColor b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
    if (d > tolerance || d < -tolerance) return false;
  }
  return true;
}

}  // namespace extras_test
