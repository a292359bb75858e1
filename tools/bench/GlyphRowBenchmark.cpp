// A 1280-pixel row of 40 glyph cells from an image list painted by the glyph painter: half 16 x 16
// normal or disabled, half stretched from 16 to 32 through the software resampler. The limit is a
// quarter of a full-width bar's 8 ms frame.

#include <cstdio>

#include "TimingLoop.h"
#include "ui/foundation/ImageList.h"

int main(int argc, char** argv) {
  TcxImageList list(nullptr, 16, 16);
  TBitmap strip(16 * 8, 16, pf32bit);
  for (int i = 0; i < 8; ++i) {
    strip.Canvas()->Brush()->SetColor(RGBColor(Byte(30 * i), Byte(200 - 20 * i), 90));
    strip.Canvas()->FillRect(Bounds(i * 16 + 2, 2, 12, 12));
  }
  list.AddMaskedImage(&strip, clBlack);
  TBitmap row(1280, 32, pf32bit);
  HDC dc = row.Canvas()->Handle();
  const bool quick = timing::Quick(argc, argv);
  const bool within = timing::Run("PaintImageOrGlyph: 40 cells in a 1280 x 32 row", quick ? 3 : 200, 2.0, [&] {
    for (int cell = 0; cell < 40; ++cell) {
      const TRect box = Bounds(cell * 32, 0, 32, 32);
      const int image = cell % 8;
      if (cell % 2 == 0) {
        const TRect glyph = CenterWHInRect(box, 16, 16);
        PaintImageOrGlyph(dc, glyph, box, nullptr, &list, image, cell % 4 == 0 ? gpmNormal : gpmDisabled);
      } else {
        PaintImageOrGlyph(dc, box, box, nullptr, &list, image, gpmNormal, true);
      }
    }
  });
  return quick || within ? 0 : 1;
}
