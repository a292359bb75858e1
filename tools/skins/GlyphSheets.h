#pragma once
// The skinning library's built-in glyph sheets, drawn with the art rasteriser: a folder with an
// arrow ("SF"), a folder ("SR"), a calendar page ("SD"), an ellipsis ("SE") and a calculator ("SC").
// Each sheet holds three frames side by side (normal, hot, pressed) in its upper half and their grey
// masks below (black opaque, white transparent); transparent image pixels hold the key colour.

#include <string>
#include <vector>

#include "tools/skins/SkinBuilder.h"

struct TGlyphSheet {
  std::string Name;  // resource name; the file is Name + ".bmp"
  TSkinBitmap Bitmap;
};

std::vector<TGlyphSheet> DrawGlyphSheets();
