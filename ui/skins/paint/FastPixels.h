#pragma once
// Scan-line access to 24- and 32-bit DIB sections: the address of row 0 and the row stride (negative
// for bottom-up bitmaps), so any pixel is one multiplication and one addition away. No bounds checks:
// callers clip. Bitmaps below 2 x 2 pixels are refused.

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Graphics.h"

class TacFast24 : public TObject {
 public:
  bool Attach(TBitmap* bitmap);
  TColor Pixel(int x, int y) const {
    const Byte* p = Address(x, y);
    return TColor(p[2]) | TColor(p[1]) << 8 | TColor(p[0]) << 16;
  }
  void SetPixel(int x, int y, TColor color) {
    Byte* p = Address(x, y);
    p[0] = Byte(color >> 16);
    p[1] = Byte(color >> 8);
    p[2] = Byte(color);
  }
  Byte* Address(int x, int y) const { return start_ + std::ptrdiff_t(y) * stride_ + 3 * std::ptrdiff_t(x); }

  TBitmap* Bitmap = nullptr;
  int Width = 0;
  int Height = 0;

 private:
  Byte* start_ = nullptr;
  std::ptrdiff_t stride_ = 0;
};

class TacFast32 : public TObject {
 public:
  bool Attach(TBitmap* bitmap);
  // The colour in the low three bytes; the top byte carries no meaning.
  TColor Pixel(int x, int y) const {
    const Byte* p = Address(x, y);
    return TColor(p[2]) | TColor(p[1]) << 8 | TColor(p[0]) << 16 | TColor(p[3]) << 24;
  }
  void SetPixel(int x, int y, TColor color) {
    Byte* p = Address(x, y);
    p[0] = Byte(color >> 16);
    p[1] = Byte(color >> 8);
    p[2] = Byte(color);
    p[3] = Byte(std::uint32_t(color) >> 24);
  }
  Byte* Address(int x, int y) const { return start_ + std::ptrdiff_t(y) * stride_ + 4 * std::ptrdiff_t(x); }

  TBitmap* Bitmap = nullptr;
  int Width = 0;
  int Height = 0;

 private:
  Byte* start_ = nullptr;
  std::ptrdiff_t stride_ = 0;
};

// Blends a source rectangle into a destination rectangle of the same size with the weight A:
// D := (D x A + S x (255 - A) + 127) >> 8.
class TacFastSum24 : public TObject {
 public:
  bool Attach(TBitmap* source, TBitmap* destination);
  void BlendRect();

  Byte Alpha = 0;
  TRect DstRect;
  TRect SrcRect;
  int Width = 0;
  int Height = 0;

 private:
  TacFast24 src_;
  TacFast24 dst_;
};

// The four library-wide instances, alive from unit start to unit end.
TacFast24& Fast24Src();
TacFast24& Fast24Dst();
TacFastSum24& FastSum24();
TacFast32& Fast32();
// Frees the four instances (unit end); the next use makes them again.
void ReleaseFastPixels();
