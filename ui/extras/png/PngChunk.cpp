#include "ui/extras/png/PngChunk.h"

#include <algorithm>

#include "ui/extras/png/PngCrc.h"
#include "ui/extras/png/PngExceptions.h"
#include "ui/extras/png/PngHeaderChunk.h"
#include "ui/extras/png/PngImageCore.h"

namespace {
// Chunk data arrives in pieces of this size, so a lying length never allocates more than the
// stream actually holds.
constexpr std::size_t ReadPiece = std::size_t(1) << 20;
}  // namespace

void TChunk::AssignChunk(const TChunk& source) {
  type_ = source.type_;
  payload_ = source.payload_;
}

std::unique_ptr<TChunk> TChunk::CreateSameClass(TPngImageCore* owner) const {
  return std::make_unique<TChunk>(owner);
}

bool TChunk::ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) {
  if (size > PngMaxChunkLength) RaisePng<EPngInvalidCRC>(EPngInvalidCRCText);
  payload_.clear();
  bool cut = false;
  while (payload_.size() < size && !cut) {
    const std::size_t offset = payload_.size();
    const std::size_t piece = std::min<std::size_t>(ReadPiece, size - offset);
    payload_.resize(offset + piece);
    const std::size_t got = stream.Read(payload_.data() + offset, piece);
    if (got < piece) {
      payload_.resize(offset + got);
      cut = true;
    }
  }
  Byte crc[4];
  if (cut || stream.Read(crc, 4) != 4 || ReadBigEndian32(crc) != PngChunkCrc(type.data(), payload_.data(), payload_.size()))
    RaisePng<EPngInvalidCRC>(EPngInvalidCRCText);
  return true;
}

bool TChunk::WriteChunk(IPngByteStream& stream) {
  WritePngChunk(stream, type_, payload_.data(), PayloadSize());
  return true;
}

int TChunk::IndexInList() const { return owner_ ? owner_->ChunkList().IndexOf(this) : -1; }

TChunkIHDR& TChunk::HeaderOf() const {
  auto* header = owner_ ? dynamic_cast<TChunkIHDR*>(owner_->ChunkList().Item(0)) : nullptr;
  if (!header) throw EInvalidCast(L"Invalid class typecast");
  return *header;
}

void WritePngChunk(IPngByteStream& stream, const TPngChunkType& type, const Byte* data, Cardinal size) {
  Byte head[8];
  WriteBigEndian32(head, size);
  std::copy(type.begin(), type.end(), head + 4);
  stream.Write(head, 8);
  if (size > 0) stream.Write(data, size);
  Byte crc[4];
  WriteBigEndian32(crc, PngChunkCrc(type.data(), data, size));
  stream.Write(crc, 4);
}
