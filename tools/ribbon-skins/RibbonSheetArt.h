#pragma once
// The art of the ribbon colour skins: the seven PNG sheets (the common sheet and, per scheme, the
// colour and form sheets), drawn into the rectangles of the skins' part table, the status bar's
// seven indicator bitmaps, and a review sheet per scheme. Windows-free; the same sources always
// give the same bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "ui/ribbon/SkinParts.h"

namespace ribbon_art {

using ribbon_skin::TPartSet;
using ribbon_skin::TScheme;
using ribbon_skin::TSheet;

struct TRgba {
  std::uint8_t R = 0, G = 0, B = 0, A = 0;
  bool operator==(const TRgba&) const = default;
};

// Straight-alpha pixels, top-down rows.
struct TImage {
  TImage(int AWidth, int AHeight) : Width(AWidth), Height(AHeight), Pixels(std::size_t(AWidth) * AHeight) {}
  int Width, Height;
  std::vector<TRgba> Pixels;
  TRgba& At(int X, int Y) { return Pixels[std::size_t(Y) * Width + X]; }
  const TRgba& At(int X, int Y) const { return Pixels[std::size_t(Y) * Width + X]; }
};

// A sheet; the common sheet is the same for every scheme. Pixels outside every part are transparent.
TImage DrawSheet(TSheet Sheet, TScheme Scheme);

// The first ID of the set whose picture holds this set's pixels: sets that overlap on a sheet are
// drawn as one picture (the caption holds the maximised caption, the upper borders and the caption
// strip). The set's own first ID when it has a picture of its own.
int PictureOwner(const TPartSet& Set);

// PNG file bytes: 8-bit RGBA, not interlaced, chunks IHDR, IDAT and IEND only.
std::vector<std::uint8_t> EncodeSheetPng(const TImage& Image);

// The BMP file of an indicator (0 grey ... 6 purple): 17 x 8, 4 bits per pixel with the standard
// 16-colour palette, bottom-up rows.
std::vector<std::uint8_t> IndicatorBitmap(int Index);

// Every part of the scheme's skin, enlarged twice, at its own size and stretched, on a grey
// checker (for the eye only); and its PNG bytes (8-bit RGB).
TImage DrawReviewSheet(TScheme Scheme);
std::vector<std::uint8_t> EncodeReviewPng(const TImage& Image);

// The file names the generator writes (resource script inputs).
std::string SheetFileName(TSheet Sheet, TScheme Scheme);

}  // namespace ribbon_art
