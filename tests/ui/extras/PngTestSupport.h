#pragma once
// Helpers for the codec tests: loading and saving through memory, and reading frame samples
// straight from the frame memory.

#include <memory>

#include "PngTestImages.h"
#include "platform/framework/base/Exceptions.h"
#include "ui/extras/png/PngHeaderChunk.h"
#include "ui/extras/png/PngImageCore.h"

namespace png_test {

inline ImageShape Shape(int colorType, int bitDepth, std::uint32_t width, std::uint32_t height = 1) {
  ImageShape shape;
  shape.ColorType = colorType;
  shape.BitDepth = bitDepth;
  shape.Width = width;
  shape.Height = height;
  return shape;
}

inline std::unique_ptr<TPngImageCore> Load(const Bytes& file) {
  auto image = std::make_unique<TPngImageCore>();
  TPngMemoryStream stream(file);
  image->LoadFromStream(stream);
  return image;
}

inline Bytes Save(TPngImageCore& image) {
  TPngMemoryStream stream;
  image.SaveToStream(stream);
  return stream.Bytes();
}

// The frame sample at (x, y): a packed index or grey value for 1-, 4- and 8-bit frames.
inline unsigned FrameSample(const TChunkIHDR& header, std::uint32_t x, std::uint32_t y) {
  const Byte* row = header.FrameBits() + header.RowStride() * (header.Height - 1 - y);
  const int depth = header.FrameLayout().BitsPerPixel;
  const std::size_t bit = std::size_t(x) * depth;
  return (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
}

// Blue, green, red of a 24-bit frame pixel.
inline std::array<Byte, 3> FrameBgr(const TChunkIHDR& header, std::uint32_t x, std::uint32_t y) {
  const Byte* p = header.FrameBits() + header.RowStride() * (header.Height - 1 - y) + 3 * std::size_t(x);
  return {p[0], p[1], p[2]};
}

inline Byte FrameAlpha(const TChunkIHDR& header, std::uint32_t x, std::uint32_t y) { return header.AlphaRow(y)[x]; }

// Which exception a load ends in ("" for success).
inline std::string LoadOutcome(const Bytes& file) {
  try {
    Load(file);
    return "";
  } catch (const Exception& e) {
    std::wstring name = e.ClassName();
    return std::string(name.begin(), name.end());
  }
}

}  // namespace png_test
