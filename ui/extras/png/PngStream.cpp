#include "ui/extras/png/PngStream.h"

#include <algorithm>
#include <cstring>

std::size_t TPngMemoryStream::Read(void* buffer, std::size_t size) {
  if (position_ >= bytes_.size()) return 0;
  const std::size_t count = std::min<UInt64>(size, bytes_.size() - position_);
  std::memcpy(buffer, bytes_.data() + position_, count);
  position_ += count;
  return count;
}

void TPngMemoryStream::Write(const void* buffer, std::size_t size) {
  if (size == 0) return;
  const UInt64 end = position_ + size;
  if (end > bytes_.size()) bytes_.resize(end);
  std::memcpy(bytes_.data() + position_, buffer, size);
  position_ = end;
}

void TPngMemoryStream::Skip(UInt64 count) { position_ += count; }
