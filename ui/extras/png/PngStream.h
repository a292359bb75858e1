#pragma once
// The byte stream the codec reads from and writes to. The framework's TStream adapts to it; the
// memory stream serves tests, generators and benchmarks.

#include <cstddef>
#include <vector>

#include "platform/framework/base/Types.h"

class IPngByteStream {
 public:
  virtual ~IPngByteStream() = default;
  // Reads up to size bytes and answers how many arrived (fewer only at the end of the stream).
  virtual std::size_t Read(void* buffer, std::size_t size) = 0;
  // Writes all bytes or raises.
  virtual void Write(const void* buffer, std::size_t size) = 0;
  // Moves the position forward; past the end, later reads yield nothing.
  virtual void Skip(UInt64 count) = 0;
};

class TPngMemoryStream : public IPngByteStream {
 public:
  TPngMemoryStream() = default;
  explicit TPngMemoryStream(std::vector<Byte> bytes) : bytes_(std::move(bytes)) {}

  std::size_t Read(void* buffer, std::size_t size) override;
  void Write(const void* buffer, std::size_t size) override;
  void Skip(UInt64 count) override;

  const std::vector<Byte>& Bytes() const { return bytes_; }
  UInt64 Position() const { return position_; }
  void Rewind() { position_ = 0; }

 private:
  std::vector<Byte> bytes_;
  UInt64 position_ = 0;
};

// Big-endian fields of the PNG layout.
inline Cardinal ReadBigEndian32(const Byte* p) {
  return Cardinal(p[0]) << 24 | Cardinal(p[1]) << 16 | Cardinal(p[2]) << 8 | Cardinal(p[3]);
}
inline void WriteBigEndian32(Byte* p, Cardinal v) {
  p[0] = Byte(v >> 24);
  p[1] = Byte(v >> 16);
  p[2] = Byte(v >> 8);
  p[3] = Byte(v);
}
