#pragma once
// The palette chunk and the transparency chunk.

#include <array>

#include "ui/extras/png/PngChunk.h"
#include "ui/extras/png/PngFrame.h"

class TChunkPLTE : public TChunk {
  PNG_CHUNK_CLASS(TChunkPLTE, TChunk, "PLTE")

  int EntryCount = 0;

  void AssignChunk(const TChunk& source) override;
  bool ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) override;
  bool WriteChunk(IPngByteStream& stream) override;
  // Colour-table entry index as blue | green << 8 | red << 16; raises EPngError beyond the palette.
  Cardinal Item(int index) const;
};

class TChunktRNS : public TChunk {
  PNG_CHUNK_CLASS(TChunktRNS, TChunk, "tRNS")

  bool SingleTransparent = false;
  std::array<Byte, 256> AlphaTable{};

  void AssignChunk(const TChunk& source) override;
  bool ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) override;
  bool WriteChunk(IPngByteStream& stream) override;
  // True when the payload holds the whole key sample of its colour type (grey 2 bytes, RGB 6).
  bool HoldsKeySample() const;
  // The key colour as the frame shows it; see TPngImageCore::KeyColor.
  TPngColor TransparentColor() const;
  void SetTransparentColor(TPngColor color);
};
