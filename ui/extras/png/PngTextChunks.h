#pragma once
// The text chunk and the compressed text chunk.

#include "ui/extras/png/PngChunk.h"

class TChunktEXt : public TChunk {
  PNG_CHUNK_CLASS(TChunktEXt, TChunk, "tEXt")

  AnsiString Keyword;
  AnsiString Text;

  void AssignChunk(const TChunk& source) override;
  bool ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) override;
  bool WriteChunk(IPngByteStream& stream) override;
};

class TChunkzTXt : public TChunktEXt {
  PNG_CHUNK_CLASS(TChunkzTXt, TChunktEXt, "zTXt")

  bool ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) override;
  bool WriteChunk(IPngByteStream& stream) override;
};
