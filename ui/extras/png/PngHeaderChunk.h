#pragma once
// The header chunk: the image's size and format, and the pixel frame with its alpha plane.

#include <memory>
#include <vector>

#include "ui/extras/png/PngChunk.h"
#include "ui/extras/png/PngFrame.h"
#include "ui/extras/png/PngSamples.h"

class TChunkIHDR : public TChunk {
  PNG_CHUNK_CLASS(TChunkIHDR, TChunk, "IHDR")

  // Header fields of the format.
  Cardinal Width = 0;
  Cardinal Height = 0;
  Byte BitDepth = 0;
  Byte ColorType = 0;
  Byte CompressionMethod = 0;
  Byte FilterMethod = 0;
  Byte InterlaceMethod = 0;

  void AssignChunk(const TChunk& source) override;
  bool ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) override;
  bool WriteChunk(IPngByteStream& stream) override;

  // Builds a zero frame (and alpha plane) for the header fields. Raises EPngInvalidIHDR for a
  // colour type and bit depth the codec lacks or a zero size, EPNGOutMemory above the frame limit
  // or when the memory cannot be had; the header is then 0 x 0 without a frame.
  void PrepareFrame();
  void ReleaseFrame();

  TPngSampleFormat SampleFormat() const { return {ColorType, BitDepth}; }
  const TPngFrameLayout& FrameLayout() const { return layout_; }
  bool HasFrame() const { return frame_ != nullptr; }
  bool HasColorTable() const { return layout_.HasColorTable; }
  std::size_t RowStride() const { return std::size_t(layout_.RowStride()); }
  IPngFrame* Frame() const { return frame_.get(); }
  Byte* FrameBits() const { return frame_ ? frame_->Bits() : nullptr; }
  TPngRgbQuad* ColorTable() const { return frame_ ? frame_->ColorTable() : nullptr; }
  // Image row y (0 is the top) of the bottom-up frame.
  Byte* PixelRow(Cardinal y) const { return FrameBits() + RowStride() * (Height - 1 - y); }
  // Alpha row y, or null without an alpha plane.
  Byte* AlphaRow(Cardinal y) const {
    return alpha_.empty() ? nullptr : const_cast<Byte*>(alpha_.data()) + std::size_t(Width) * y;
  }
  // Grey becomes grey with alpha, RGB becomes RGBA, with an alpha plane of full opacity. Grey
  // frames of 1 or 4 bits are first widened to 8 bits showing the same levels. Raises
  // EPNGOutMemory (leaving the image unchanged) above the frame limit or without memory.
  void AddAlphaPlane();
  // Fills the colour table with the grey levels of the frame's depth, through the gamma table.
  void MakeGreyColorTable();

 private:
  TPngFrameLayout layout_;
  std::unique_ptr<IPngFrame> frame_;
  std::vector<Byte> alpha_;
};
