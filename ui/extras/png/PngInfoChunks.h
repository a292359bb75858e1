#pragma once
// The gamma chunk and the time chunk.

#include "ui/extras/png/PngChunk.h"

class TChunkgAMA : public TChunk {
  PNG_CHUNK_CLASS(TChunkgAMA, TChunk, "gAMA")

  // The file gamma x 100000, unsigned; a payload of the wrong size reads as 1 (after being made
  // 4 bytes long).
  Cardinal Gamma();
  void SetGamma(Cardinal value);

  void AssignChunk(const TChunk& source) override;
  bool ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) override;
  // A chunk never given a value is written holding 1.
  bool WriteChunk(IPngByteStream& stream) override;
};

class TChunktIME : public TChunk {
  PNG_CHUNK_CLASS(TChunktIME, TChunk, "tIME")

  Word Year = 0;
  Byte Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;

  void AssignChunk(const TChunk& source) override;
  bool ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) override;
  bool WriteChunk(IPngByteStream& stream) override;
};
