#pragma once
// The gamma chunk and the time chunk.

#include "ui/extras/png/PngChunk.h"

class TChunkgAMA : public TChunk {
 public:
  static constexpr char ClassTypeName[] = "gAMA";
  // A new chunk holds 1.
  explicit TChunkgAMA(TPngImageCore* owner);
  AnsiString ChunkTypeName() const override { return ClassTypeName; }
  std::unique_ptr<TChunk> CreateSameClass(TPngImageCore* owner) const override {
    return std::make_unique<TChunkgAMA>(owner);
  }

  // The file gamma x 100000, unsigned; a payload of the wrong size answers 1.
  Cardinal Gamma() const;
  void SetGamma(Cardinal value);
  // A payload of exactly 4 bytes; a damaged chunk is kept and written back as read, but its
  // value never reaches the gamma tables.
  bool HoldsGamma() const { return PayloadSize() == 4; }

  // Copies the payload: a well-formed value, or a damaged chunk as it stands.
  void AssignChunk(const TChunk& source) override;
  bool ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) override;
};

class TChunktIME : public TChunk {
  PNG_CHUNK_CLASS(TChunktIME, TChunk, "tIME")

  Word Year = 0;
  Byte Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;

  void AssignChunk(const TChunk& source) override;
  bool ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) override;
  bool WriteChunk(IPngByteStream& stream) override;
};
