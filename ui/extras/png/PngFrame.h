#pragma once
// The pixel frame an image decodes into: rows bottom-up, RowStride bytes each (a multiple of 4),
// 24-bit pixels as blue, green, red, and a 256-entry colour table for 1-, 4- and 8-bit frames.
// The alpha plane lives beside it in the header chunk. In the program the frame is a DIB section;
// the core asks its image for one through CreateFrame and only ever sees this interface.

#include <memory>
#include <vector>

#include "platform/framework/base/Types.h"

// One colour-table entry, byte for byte the graphics interface's RGBQUAD.
struct TPngRgbQuad {
  Byte rgbBlue;
  Byte rgbGreen;
  Byte rgbRed;
  Byte rgbReserved;
};
static_assert(sizeof(TPngRgbQuad) == 4);

// A colour with red in the low byte, then green, then blue (the graphics interface's COLORREF).
using TPngColor = Cardinal;
constexpr TPngColor PngRgb(Byte r, Byte g, Byte b) { return TPngColor(r) | TPngColor(g) << 8 | TPngColor(b) << 16; }

inline constexpr int PngColorTableSize = 256;
// Frame plus alpha plane may not exceed this many bytes (16384 x 16384 RGBA).
inline constexpr UInt64 PngFrameByteLimit = UInt64(1) << 30;

struct TPngFrameLayout {
  Cardinal Width = 0;
  Cardinal Height = 0;
  int BitsPerPixel = 0;  // 1, 4, 8 or 24
  bool HasColorTable = false;
  bool HasAlpha = false;

  // Bytes per frame row, rounded up to whole 32-bit words.
  UInt64 RowStride() const { return (UInt64(BitsPerPixel) * Width + 31) / 32 * 4; }
  UInt64 FrameBytes() const { return RowStride() * Height; }
  UInt64 AlphaBytes() const { return HasAlpha ? UInt64(Width) * Height : 0; }
};

class IPngFrame {
 public:
  virtual ~IPngFrame() = default;
  // RowStride x Height bytes, all zero when the frame is created.
  virtual Byte* Bits() = 0;
  // 256 entries, all zero when the frame is created.
  virtual TPngRgbQuad* ColorTable() = 0;
};

// A frame in ordinary memory: the core's own, used wherever no graphics interface is at hand.
class TPngMemoryFrame : public IPngFrame {
 public:
  explicit TPngMemoryFrame(const TPngFrameLayout& layout);
  Byte* Bits() override { return bits_.data(); }
  TPngRgbQuad* ColorTable() override { return colors_.data(); }

 private:
  std::vector<Byte> bits_;
  std::vector<TPngRgbQuad> colors_;
};
