#pragma once
// A skin picture's PNG bytes decoded by the PNG codec core into straight 32-bit pixels, Windows-free.
// The skin engine makes its GDI+ images from these pixels: decoding the PNG through GDI+ under Wine
// took most of a skin's load time.

#include <cstdint>
#include <vector>

namespace dxskin {

struct DecodedPicture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Bgra;  // top-down rows, 4 bytes a pixel: blue, green, red, alpha
};

// True and the pixels for an 8-bit RGB or RGBA picture without a gamma of its own; false for
// anything else (other formats, damaged bytes), which the caller leaves to a general decoder.
bool DecodeSkinPicture(const std::vector<std::uint8_t>& Png, DecodedPicture& Picture);

}  // namespace dxskin
