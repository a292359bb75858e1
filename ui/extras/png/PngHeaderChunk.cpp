#include "ui/extras/png/PngHeaderChunk.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "ui/extras/png/PngExceptions.h"
#include "ui/extras/png/PngImageCore.h"
#include "ui/extras/png/PngPaletteChunks.h"

namespace {
constexpr Cardinal MaxSide = 65535;
}

void TChunkIHDR::AssignChunk(const TChunk& source) {
  if (typeid(source) != typeid(*this)) RaisePng<EPngError>(EPngIncompatibleChunkText);
  const auto& other = static_cast<const TChunkIHDR&>(source);
  Width = other.Width, Height = other.Height;
  BitDepth = other.BitDepth, ColorType = other.ColorType;
  CompressionMethod = other.CompressionMethod, FilterMethod = other.FilterMethod;
  InterlaceMethod = other.InterlaceMethod;
  if (!other.HasFrame()) {
    Width = Height = 0;
    ReleaseFrame();
    return;
  }
  PrepareFrame();
  std::memcpy(FrameBits(), other.FrameBits(), std::size_t(layout_.FrameBytes()));
  alpha_ = other.alpha_;
  std::copy_n(other.ColorTable(), PngColorTableSize, ColorTable());
}

bool TChunkIHDR::ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) {
  TChunk::ReadChunk(stream, type, size);
  if (size < 13) RaisePng<EPngInvalidIHDR>(EPngInvalidIHDRText);
  const Byte* p = Payload().data();
  Width = ReadBigEndian32(p);
  Height = ReadBigEndian32(p + 4);
  BitDepth = p[8], ColorType = p[9], CompressionMethod = p[10], FilterMethod = p[11], InterlaceMethod = p[12];
  try {
    if (Width > MaxSide || Height > MaxSide) RaisePng<EPNGSizeExceeds>(EPNGSizeExceedsText);
    if (CompressionMethod != 0) RaisePng<EPNGUnknownCompression>(EPNGUnknownCompressionText);
    if (InterlaceMethod > 1) RaisePng<EPNGUnknownInterlace>(EPNGUnknownInterlaceText);
    OwnerImage()->Interlacing = TPngInterlacing(InterlaceMethod);
    PrepareFrame();
  } catch (...) {
    // A refused header describes no frame.
    Width = Height = 0;
    throw;
  }
  return true;
}

bool TChunkIHDR::WriteChunk(IPngByteStream& stream) {
  if (BitDepth == 2) {
    BitDepth = 4;
    // The frame holds 2-bit grey as 4-bit levels g * 5; a grey key sample must follow.
    auto* trns = ColorType == 0 ? OwnerImage()->ChunkList().FindByClass<TChunktRNS>() : nullptr;
    if (trns && trns->PayloadSize() >= 2) {
      auto& key = trns->Payload();
      key[0] = 0;
      key[1] = Byte((key[1] & 3) * 5);
      trns->AlphaTable[0] = key[0], trns->AlphaTable[1] = key[1];
    }
  }
  ResizePayload(13);
  Byte* p = Payload().data();
  WriteBigEndian32(p, Width);
  WriteBigEndian32(p + 4, Height);
  p[8] = BitDepth, p[9] = ColorType, p[10] = CompressionMethod, p[11] = FilterMethod;
  p[12] = Byte(OwnerImage()->Interlacing);
  return TChunk::WriteChunk(stream);
}

void TChunkIHDR::PrepareFrame() {
  ReleaseFrame();
  TPngFrameLayout layout;
  layout.Width = Width;
  layout.Height = Height;
  layout.BitsPerPixel = PngFrameBitsPerPixel(SampleFormat());
  layout.HasColorTable = ColorType == 0 || ColorType == 3 || ColorType == 4;
  layout.HasAlpha = ColorType == 4 || ColorType == 6;
  const bool valid = layout.BitsPerPixel != 0 && Width != 0 && Height != 0;
  const bool fits = layout.FrameBytes() + layout.AlphaBytes() <= PngFrameByteLimit;
  if (!valid || !fits) {
    Width = Height = 0;
    if (!valid) RaisePng<EPngInvalidIHDR>(EPngInvalidIHDRText);
    RaisePng<EPNGOutMemory>(EPNGOutMemoryText);
  }
  auto forget = [this] {
    alpha_ = {};
    Width = Height = 0;
  };
  try {
    alpha_.assign(std::size_t(layout.AlphaBytes()), 0);
    frame_ = OwnerImage()->CreateFrame(layout);
  } catch (const std::bad_alloc&) {
    forget();
    RaisePng<EPNGOutMemory>(EPNGOutMemoryText);
  } catch (...) {
    forget();
    throw;
  }
  layout_ = layout;
  OwnerImage()->FrameRebuilt();
}

void TChunkIHDR::ReleaseFrame() {
  frame_.reset();
  alpha_.clear();
  alpha_.shrink_to_fit();
  layout_ = {};
}

void TChunkIHDR::MakeGreyColorTable() {
  TPngRgbQuad* table = ColorTable();
  if (!table || layout_.BitsPerPixel > 8 || layout_.BitsPerPixel == 0) return;
  const int n = 1 << layout_.BitsPerPixel;
  const auto& gamma = OwnerImage()->GammaForward;
  for (int k = 0; k < n; ++k) {
    const Byte v = gamma[k * 255 / (n - 1)];
    table[k] = {v, v, v, 0};
  }
}

void TChunkIHDR::AddAlphaPlane() {
  if (!HasFrame() || (ColorType != 0 && ColorType != 2)) return;
  TPngFrameLayout target = layout_;
  if (ColorType == 0) target.BitsPerPixel = 8;
  target.HasAlpha = true;
  if (target.FrameBytes() + target.AlphaBytes() > PngFrameByteLimit) RaisePng<EPNGOutMemory>(EPNGOutMemoryText);
  // Everything new is made before anything changes, so a failure leaves the image as it was.
  std::vector<Byte> alpha;
  std::unique_ptr<IPngFrame> widened;
  try {
    alpha.assign(std::size_t(target.AlphaBytes()), 255);
    if (target.BitsPerPixel != layout_.BitsPerPixel) widened = OwnerImage()->CreateFrame(target);
  } catch (const std::bad_alloc&) {
    RaisePng<EPNGOutMemory>(EPNGOutMemoryText);
  }
  if (widened) {
    // Grey samples of 1 or 4 bits become the 8-bit levels their colour table showed.
    const int depth = layout_.BitsPerPixel;
    const unsigned scale = 255u / ((1u << depth) - 1);
    const std::size_t stride = std::size_t(target.RowStride());
    for (Cardinal y = 0; y < Height; ++y) {
      const Byte* from = PixelRow(y);
      Byte* to = widened->Bits() + stride * (Height - 1 - y);
      for (Cardinal x = 0; x < Width; ++x) {
        const UInt64 bit = UInt64(x) * depth;
        to[x] = Byte(((from[bit >> 3] >> (8 - depth - int(bit & 7))) & ((1u << depth) - 1)) * scale);
      }
    }
    frame_ = std::move(widened);
    BitDepth = 8;
  }
  layout_ = target;
  alpha_ = std::move(alpha);
  ColorType = ColorType == 0 ? 4 : 6;
  if (ColorType == 4) MakeGreyColorTable();
  OwnerImage()->FrameRebuilt();
}
