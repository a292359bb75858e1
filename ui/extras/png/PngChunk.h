#pragma once
// The generic chunk: length, four-byte type, data and CRC. Registered types derive from it; any
// other ancillary chunk is kept as a generic chunk and written back unchanged.

#include <array>
#include <memory>
#include <vector>

#include "platform/framework/base/Types.h"
#include "ui/extras/png/PngStream.h"

class TPngImageCore;
class TChunkIHDR;

using TPngChunkType = std::array<Byte, 4>;

// Converts "IHDR" to its four type bytes.
constexpr TPngChunkType PngChunkType(const char (&name)[5]) {
  return {Byte(name[0]), Byte(name[1]), Byte(name[2]), Byte(name[3])};
}

// Chunks may hold at most this many data bytes (the format's own limit).
inline constexpr Cardinal PngMaxChunkLength = 0x7FFFFFFFu;

class TChunk {
 public:
  explicit TChunk(TPngImageCore* owner) : owner_(owner) {}
  virtual ~TChunk() = default;
  TChunk(const TChunk&) = delete;
  TChunk& operator=(const TChunk&) = delete;

  // The four type letters of the class; empty for the generic chunk.
  virtual AnsiString ChunkTypeName() const { return {}; }
  virtual void AssignChunk(const TChunk& source);
  // A new chunk of the same class owned by owner (the virtual constructor).
  virtual std::unique_ptr<TChunk> CreateSameClass(TPngImageCore* owner) const;
  // Reads size data bytes and the CRC; false stops reading the file after this chunk.
  virtual bool ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size);
  virtual bool WriteChunk(IPngByteStream& stream);

  const std::vector<Byte>& Payload() const { return payload_; }
  std::vector<Byte>& Payload() { return payload_; }
  Cardinal PayloadSize() const { return Cardinal(payload_.size()); }
  void ResizePayload(Cardinal size) { payload_.resize(size); }
  TPngImageCore* OwnerImage() const { return owner_; }
  const TPngChunkType& TypeCode() const { return type_; }
  void SetTypeCode(const TPngChunkType& type) { type_ = type; }
  // Position in the owner's chunk list, -1 when absent.
  int IndexInList() const;
  // The owner's first chunk as a header; raises EInvalidCast when it is not one.
  TChunkIHDR& HeaderOf() const;

 private:
  TPngImageCore* owner_;
  TPngChunkType type_{};
  std::vector<Byte> payload_;
};

// Writes one complete chunk: length, type, data and CRC.
void WritePngChunk(IPngByteStream& stream, const TPngChunkType& type, const Byte* data, Cardinal size);

// Declares the boilerplate of a registered chunk class.
#define PNG_CHUNK_CLASS(Name, Base, Type)                                                   \
 public:                                                                                    \
  static constexpr char ClassTypeName[] = Type;                                             \
  explicit Name(TPngImageCore* owner) : Base(owner) { SetTypeCode(PngChunkType(Type)); }    \
  AnsiString ChunkTypeName() const override { return ClassTypeName; }                       \
  std::unique_ptr<TChunk> CreateSameClass(TPngImageCore* owner) const override {            \
    return std::make_unique<Name>(owner);                                                   \
  }

class TChunkIEND : public TChunk {
  PNG_CHUNK_CLASS(TChunkIEND, TChunk, "IEND")
};
