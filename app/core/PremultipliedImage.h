#pragma once
// A picture file decoded by GDI+ into premultiplied 32-bit pixels, the form a layered window
// with per-pixel alpha takes.

#include <cstdint>
#include <vector>

#include "platform/framework/base/Types.h"

struct TPremultipliedImage {
  int Width = 0;
  int Height = 0;
  // Top-down rows of 0xAARRGGBB (in memory B, G, R, A), colour multiplied by alpha.
  std::vector<std::uint32_t> Pixels;
};

// Any format GDI+ reads (PNG, BMP, JPEG, GIF, ...); false when GDI+ or the file fails.
bool LoadPremultipliedImage(const String& fileName, TPremultipliedImage& image);
