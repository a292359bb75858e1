#include "ui/extras/png/PngInfoChunks.h"

#include "ui/extras/png/PngExceptions.h"
#include "ui/extras/png/PngImageCore.h"

TChunkgAMA::TChunkgAMA(TPngImageCore* owner) : TChunk(owner) {
  SetTypeCode(PngChunkType(ClassTypeName));
  SetGamma(1);
}

Cardinal TChunkgAMA::Gamma() const { return HoldsGamma() ? ReadBigEndian32(Payload().data()) : 1; }

void TChunkgAMA::SetGamma(Cardinal value) {
  ResizePayload(4);
  WriteBigEndian32(Payload().data(), value);
}

void TChunkgAMA::AssignChunk(const TChunk& source) {
  auto* other = dynamic_cast<const TChunkgAMA*>(&source);
  if (!other || typeid(*other) != typeid(*this)) RaisePng<EPngError>(EPngIncompatibleChunkText);
  TChunk::AssignChunk(source);
}

bool TChunkgAMA::ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) {
  TChunk::ReadChunk(stream, type, size);
  // A damaged value would wash every colour out; the picture shows as if the chunk were absent.
  if (HoldsGamma()) OwnerImage()->ApplyGamma(Gamma());
  return true;
}

void TChunktIME::AssignChunk(const TChunk& source) {
  TChunk::AssignChunk(source);
  if (auto* other = dynamic_cast<const TChunktIME*>(&source)) {
    Year = other->Year, Month = other->Month, Day = other->Day;
    Hour = other->Hour, Minute = other->Minute, Second = other->Second;
  }
}

bool TChunktIME::ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) {
  TChunk::ReadChunk(stream, type, size);
  if (size == 7) {
    const Byte* p = Payload().data();
    Year = Word(p[0] << 8 | p[1]);
    Month = p[2], Day = p[3], Hour = p[4], Minute = p[5], Second = p[6];
  }
  return true;
}

bool TChunktIME::WriteChunk(IPngByteStream& stream) {
  ResizePayload(7);
  Byte* p = Payload().data();
  p[0] = Byte(Year >> 8), p[1] = Byte(Year);
  p[2] = Month, p[3] = Day, p[4] = Hour, p[5] = Minute, p[6] = Second;
  return TChunk::WriteChunk(stream);
}
