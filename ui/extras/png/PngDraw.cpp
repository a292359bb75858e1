#include "ui/extras/png/PngDraw.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "ui/extras/png/PngExceptions.h"
#include "ui/extras/png/PngHeaderChunk.h"
#include "ui/extras/png/PngImageCore.h"
#include "ui/extras/png/PngPaletteChunks.h"

namespace {

// A memory context holding one bitmap; both are deleted with it. Raises EPNGOutMemory when either
// is missing (the bitmap is deleted then too).
class TScratchContext {
 public:
  TScratchContext(HDC compatible, HBITMAP bitmap) : dc_(CreateCompatibleDC(compatible)), bitmap_(bitmap) {
    if (!dc_ || !bitmap_) {
      if (dc_) DeleteDC(dc_);
      if (bitmap_) DeleteObject(bitmap_);
      RaisePng<EPNGOutMemory>(EPNGOutMemoryText);
    }
    old_ = SelectObject(dc_, bitmap_);
    SetStretchBltMode(dc_, COLORONCOLOR);
  }
  ~TScratchContext() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  TScratchContext(const TScratchContext&) = delete;
  TScratchContext& operator=(const TScratchContext&) = delete;

  HDC Dc() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_ = nullptr;
};

HBITMAP DeviceBitmapOfFrame(const TPngFrameInfo& info, const Byte* bits) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, bits, info.Get(), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

inline Byte Blend(unsigned value, unsigned background, unsigned alpha) {
  return Byte((value * alpha + (255 - alpha) * background + 255) >> 8);
}

// Index x of a 1-, 4- or 8-bit palette row, most significant bits first.
inline unsigned PaletteIndex(const Byte* row, Cardinal x, int depth) {
  switch (depth) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return x & 1 ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default: return row[x];
  }
}

// The palette as blending needs it: colours of the entries the palette holds and their alpha.
struct TBlendPalette {
  std::array<TPngRgbQuad, 256> Colors{};
  std::array<Byte, 256> Alpha{};
  unsigned EntryCount = 0;
};

TBlendPalette BlendPaletteOf(const TPngImageCore& image, const TChunkIHDR& header) {
  TBlendPalette palette;
  const auto* plte = image.ChunkList().FindByClass<TChunkPLTE>();
  const auto* trns = image.ChunkList().FindByClass<TChunktRNS>();
  palette.EntryCount = plte ? unsigned(std::clamp(plte->EntryCount, 0, 256)) : 0;
  std::copy_n(header.ColorTable(), palette.EntryCount, palette.Colors.begin());
  if (trns) palette.Alpha = trns->AlphaTable;
  else palette.Alpha.fill(255);
  return palette;
}

void BlendRow(const TChunkIHDR& header, const TBlendPalette* palette, Cardinal y, Byte* target) {
  const Byte* pixels = header.PixelRow(y);
  const Byte* alpha = header.AlphaRow(y);
  const Cardinal width = header.Width;
  if (palette) {
    const int depth = header.FrameLayout().BitsPerPixel;
    for (Cardinal x = 0; x < width; ++x, target += 4) {
      const unsigned index = PaletteIndex(pixels, x, depth);
      if (index >= palette->EntryCount) RaisePng<EPngError>(EPngNoPaletteEntryText);
      const TPngRgbQuad& c = palette->Colors[index];
      const unsigned a = palette->Alpha[index];
      target[0] = Blend(c.rgbBlue, target[0], a);
      target[1] = Blend(c.rgbGreen, target[1], a);
      target[2] = Blend(c.rgbRed, target[2], a);
    }
  } else if (header.FrameLayout().BitsPerPixel == 8) {
    for (Cardinal x = 0; x < width; ++x, target += 4)
      for (int c = 0; c < 3; ++c) target[c] = Blend(pixels[x], target[c], alpha[x]);
  } else {
    for (Cardinal x = 0; x < width; ++x, target += 4, pixels += 3)
      for (int c = 0; c < 3; ++c) target[c] = Blend(pixels[c], target[c], alpha[x]);
  }
}

}  // namespace

TPngFrameInfo FrameInfoOf(const TChunkIHDR& header) {
  TPngFrameInfo info = MakeFrameInfo(header.FrameLayout());
  if (header.HasColorTable() && header.ColorTable())
    std::copy_n(header.ColorTable(), PngColorTableSize, info.bmiColors);
  return info;
}

void DrawPngStretched(HDC target, const TChunkIHDR& header, const TRect& rect) {
  const TPngFrameInfo info = FrameInfoOf(header);
  StretchDIBits(target, rect.left, rect.top, rect.Width(), rect.Height(), 0, 0, int(header.Width),
                int(header.Height), header.FrameBits(), info.Get(), DIB_RGB_COLORS, SRCCOPY);
}

void DrawPngColorKeyed(HDC target, const TChunkIHDR& header, COLORREF key, const TRect& rect) {
  const int w = rect.Width(), h = rect.Height();
  if (w <= 0 || h <= 0) return;
  const int W = int(header.Width), H = int(header.Height);
  const TPngFrameInfo info = FrameInfoOf(header);
  TScratchContext image(nullptr, DeviceBitmapOfFrame(info, header.FrameBits()));
  TScratchContext inverseMask(nullptr, CreateBitmap(w, h, 1, 1, nullptr));
  TScratchContext mask(nullptr, CreateBitmap(w, h, 1, 1, nullptr));
  TScratchContext composed(target, CreateCompatibleBitmap(target, w, h));

  // Colour to monochrome: pixels of the background colour become white, all others black.
  const COLORREF oldBack = SetBkColor(image.Dc(), key);
  StretchBlt(mask.Dc(), 0, 0, w, h, image.Dc(), 0, 0, W, H, SRCCOPY);
  SetBkColor(image.Dc(), oldBack);
  BitBlt(inverseMask.Dc(), 0, 0, w, h, mask.Dc(), 0, 0, NOTSRCCOPY);

  // Background where the key was, black elsewhere; the image with its key pixels black; both OR-ed.
  BitBlt(composed.Dc(), 0, 0, w, h, target, rect.left, rect.top, SRCCOPY);
  BitBlt(composed.Dc(), 0, 0, w, h, mask.Dc(), 0, 0, SRCAND);
  StretchBlt(image.Dc(), 0, 0, W, H, inverseMask.Dc(), 0, 0, w, h, SRCAND);
  StretchBlt(composed.Dc(), 0, 0, w, h, image.Dc(), 0, 0, W, H, SRCPAINT);
  BitBlt(target, rect.left, rect.top, w, h, composed.Dc(), 0, 0, SRCCOPY);
}

void DrawPngAlphaBlended(HDC target, const TPngImageCore& image, const TRect& rect) {
  const TChunkIHDR& header = image.HeaderChunk();
  const int W = int(header.Width), H = int(header.Height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = W;
  info.bmiHeader.biHeight = -H;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section && !bits) {
    DeleteObject(section);
    section = nullptr;
  }
  TScratchContext blended(nullptr, section);

  BitBlt(blended.Dc(), 0, 0, W, H, target, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const bool indexed = header.ColorType == 3;
  const TBlendPalette palette = indexed ? BlendPaletteOf(image, header) : TBlendPalette{};
  auto* rows = static_cast<Byte*>(bits);
  for (int y = 0; y < H; ++y) BlendRow(header, indexed ? &palette : nullptr, Cardinal(y), rows + std::size_t(y) * W * 4);
  BitBlt(target, rect.left, rect.top, W, H, blended.Dc(), 0, 0, SRCCOPY);
}
