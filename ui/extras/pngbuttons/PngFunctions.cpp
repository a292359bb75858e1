#include "ui/extras/pngbuttons/PngFunctions.h"

#include <algorithm>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Icon.h"
#include "platform/framework/graphics/ImageList.h"
#include "ui/extras/png/PngHeaderChunk.h"
#include "ui/extras/png/PngObject.h"
#include "ui/extras/png/PngPaletteChunks.h"

DEFINE_ENUM_INFO(TPngOption, L"pngBlendOnDisabled", L"pngGrayscaleOnDisabled")

namespace {

// numerator / denominator rounded to the nearest integer, ties to even (both non-negative).
unsigned RoundHalfEven(unsigned numerator, unsigned denominator) {
  const unsigned quotient = numerator / denominator;
  const unsigned twiceRest = 2 * (numerator % denominator);
  if (twiceRest > denominator) return quotient + 1;
  if (twiceRest == denominator) return quotient + (quotient & 1);
  return quotient;
}

Byte ScaledAlpha(Byte alpha, Byte amount) { return Byte(RoundHalfEven(unsigned(alpha) * (amount + 1u), 256)); }

// One channel blended toward the pixel's grey by amount (255: the grey itself).
struct TGreyBlend {
  explicit TGreyBlend(Byte amount) : keep(255u - amount), toward(amount + 1u) {}
  void Apply(Byte& r, Byte& g, Byte& b) const {
    const unsigned grey = RoundHalfEven(30u * r + 59u * g + 11u * b, 100);
    const unsigned greyPart = RoundHalfEven(grey * toward, 256);
    r = Byte(RoundHalfEven(r * keep, 256) + greyPart);
    g = Byte(RoundHalfEven(g * keep, 256) + greyPart);
    b = Byte(RoundHalfEven(b * keep, 256) + greyPart);
  }
  unsigned keep, toward;
};

// The colour-table index at x of a 1-, 4- or 8-bit frame row.
unsigned FrameIndex(const Byte* row, Cardinal x, int depth) {
  const std::size_t bit = std::size_t(x) * depth;
  return (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
}

// Grey and palette images: an RGBA copy of what the image shows, alpha 0 on the key colour and
// amount elsewhere (a palette's own per-entry alpha is scaled like an alpha plane instead).
void FadeIndexedImage(TPNGObject& image, Byte amount) {
  const TPngTransparency kind = image.TransparencyKind();
  const bool keyed = kind == trColorKey;
  const TPngColor key = image.KeyColor();
  const TChunkIHDR& header = image.HeaderChunk();
  const auto* trns = image.ChunkList().FindByClass<TChunktRNS>();
  const bool entryAlpha = kind == trAlpha && header.ColorType == 3 && trns;
  const int depth = header.FrameLayout().BitsPerPixel;

  TBitmap blank(image.Width(), image.Height(), pf24bit);
  TPNGObject faded;
  faded.Assign(&blank);
  faded.AddAlphaChannel();
  for (Cardinal y = 0; y < header.Height; ++y) {
    const Byte* source = header.PixelRow(y);
    Byte* target = faded.PixelRow(y);
    Byte* alpha = faded.AlphaRow(y);
    for (Cardinal x = 0; x < header.Width; ++x) {
      const TPngColor color = image.PixelColor(int(x), int(y));
      target[3 * x] = Byte(color >> 16);
      target[3 * x + 1] = Byte(color >> 8);
      target[3 * x + 2] = Byte(color);
      if (keyed && color == key) alpha[x] = 0;
      else if (entryAlpha) alpha[x] = ScaledAlpha(trns->AlphaTable[FrameIndex(source, x, depth)], amount);
      else alpha[x] = amount;
    }
  }
  image.Assign(&faded);
}

}  // namespace

void FadeImage(TPNGObject* Image, Byte Amount) {
  const bool keyed = Image->TransparencyKind() == trColorKey;
  const TPngColor key = Image->KeyColor();
  const Byte colorType = Image->HeaderChunk().ColorType;
  if (colorType == 0 || colorType == 3) return FadeIndexedImage(*Image, Amount);
  if (colorType == 2) Image->AddAlphaChannel();
  const TChunkIHDR& header = Image->HeaderChunk();
  if (header.ColorType != 4 && header.ColorType != 6) return;
  for (Cardinal y = 0; y < header.Height; ++y) {
    Byte* alpha = header.AlphaRow(y);
    for (Cardinal x = 0; x < header.Width; ++x) {
      if (keyed && Image->PixelColor(int(x), int(y)) == key) alpha[x] = 0;
      else alpha[x] = ScaledAlpha(alpha[x], Amount);
    }
  }
  // An RGB key now lives in the alpha plane; an RGBA image may not carry a transparency chunk.
  if (colorType == 2) Image->ChunkList().RemoveAndFree(Image->ChunkList().FindByClass<TChunktRNS>());
  Image->SetModified(true);
}

void DesaturateImage(TPNGObject* Image, Byte Amount) {
  const TChunkIHDR& header = Image->HeaderChunk();
  const TGreyBlend blend(Amount);
  switch (header.ColorType) {
    case 0:
    case 4: return;
    case 3: {
      HPALETTE palette = Image->Palette();
      PALETTEENTRY entries[256];
      const UINT count = palette ? GetPaletteEntries(palette, 0, 256, entries) : 0;
      for (UINT i = 0; i < count; ++i) blend.Apply(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
      if (count) SetPaletteEntries(palette, 0, count, entries);
      Image->SetPalette(palette);
      return;
    }
    default:
      for (Cardinal y = 0; y < header.Height; ++y) {
        Byte* pixel = header.PixelRow(y);
        for (Cardinal x = 0; x < header.Width; ++x, pixel += 3) blend.Apply(pixel[2], pixel[1], pixel[0]);
      }
      Image->SetModified(true);
  }
}

void MakeDisabledLook(TPNGObject& Look, TPNGObject* Image, TPngOptions Options) {
  Look.Assign(Image);
  if (Options.Contains(pngBlendOnDisabled)) FadeImage(&Look, 127);
  if (Options.Contains(pngGrayscaleOnDisabled)) DesaturateImage(&Look, 255);
}

void DrawPngWithOptions(TPNGObject* Image, TCanvas* Canvas, const TRect& Rect, TPngOptions Options) {
  if (!Image || !Image->HasHeader()) return;
  if (Options.Empty()) return Canvas->StretchDraw(Rect, Image);
  TPNGObject look;
  MakeDisabledLook(look, Image, Options);
  Canvas->StretchDraw(Rect, &look);
}

void ImageListEntryToPng(TPNGObject* Image, TCustomImageList* List, int Index) {
  TIcon icon;
  List->GetIcon(Index, &icon);
  ICONINFO info{};
  if (!icon.Handle() || !GetIconInfo(icon.Handle(), &info)) return;
  // Both bitmaps are adopted at once, so they are freed however this ends.
  TBitmap color, mask;
  mask.SetHandle(info.hbmMask);
  if (!info.hbmColor) return;
  color.SetHandle(info.hbmColor);
  color.SetPixelFormat(pf24bit);
  Image->Assign(&color);
  Image->AddAlphaChannel();
  const int width = std::min(Image->Width(), mask.Width());
  const int height = std::min(Image->Height(), mask.Height());
  for (int y = 0; y < height; ++y) {
    Byte* alpha = Image->AlphaRow(Cardinal(y));
    for (int x = 0; x < width; ++x) alpha[x] = (mask.Canvas()->Pixels(x, y) & 0xFFFFFF) == 0 ? 255 : 0;
  }
  Image->SetModified(true);
}
