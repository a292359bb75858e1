#include "platform/audio/core/ByteStream.h"

#include <algorithm>
#include <cstring>

#include "platform/audio/core/AudioError.h"

std::size_t MemorySource::ReadAt(std::int64_t offset, void* data, std::size_t count) const {
  if (count == 0 || offset < 0 || offset >= Size()) return 0;
  const std::size_t n = std::min<std::size_t>(count, bytes_.size() - static_cast<std::size_t>(offset));
  std::memcpy(data, bytes_.data() + offset, n);
  return n;
}

void MemorySink::Write(const void* data, std::size_t count) {
  bytes_.append(static_cast<const char*>(data), count);
}

void MemorySink::WriteAt(std::int64_t offset, const void* data, std::size_t count) {
  if (offset < 0 || static_cast<std::size_t>(offset) + count > bytes_.size())
    throw EAudioError(L"Write past the end of the output.");
  std::memcpy(bytes_.data() + offset, data, count);
}

void ReadExactly(const ByteSource& source, std::int64_t offset, void* data, std::size_t count) {
  if (source.ReadAt(offset, data, count) != count) throw EAudioError(L"The file is truncated.");
}
