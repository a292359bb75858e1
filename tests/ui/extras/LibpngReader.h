#pragma once
// Decodes a file with the system's reference decoder into plain samples, for differential tests.

#include <png.h>

#include <optional>

#include "PngTestImages.h"

namespace png_test {

struct Decoded {
  std::uint32_t Width = 0, Height = 0;
  int ColorType = 0, BitDepth = 0;
  std::vector<std::uint16_t> Samples;  // row-major, channels interleaved
  Bytes Palette;
};

// The bytes the reference decoder reads, and how far it has read.
struct LibpngMemory {
  const Bytes* File;
  std::size_t At = 0;
};
// Points the reference decoder's reads at `memory`; a read past its end is a decoder error.
void ReadLibpngFromMemory(png_structp png, LibpngMemory& memory);

// Empty when the reference decoder refuses the file.
std::optional<Decoded> DecodeWithLibpng(const Bytes& file);

}  // namespace png_test
