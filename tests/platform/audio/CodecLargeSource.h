#pragma once
// Sources that report a size of several gigabytes without holding it: a few pieces of bytes at given
// offsets, zeros everywhere else. Readers of very large files are tested with them in memory.

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/audio/core/ByteStream.h"

namespace codec_test {

// The given pieces at their offsets (they must not overlap), zeros between.
class SparseSource : public ByteSource {
 public:
  SparseSource(std::int64_t size, std::vector<std::pair<std::int64_t, AnsiString>> pieces)
      : size_(size), pieces_(std::move(pieces)) {}

  std::int64_t Size() const override { return size_; }

  std::size_t ReadAt(std::int64_t offset, void* data, std::size_t count) const override {
    if (offset < 0 || offset >= size_) return 0;
    count = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(count), size_ - offset));
    auto* out = static_cast<char*>(data);
    std::memset(out, 0, count);
    const std::int64_t end = offset + static_cast<std::int64_t>(count);
    for (const auto& [at, bytes] : pieces_) {
      const std::int64_t from = std::max(offset, at), to = std::min(end, at + static_cast<std::int64_t>(bytes.size()));
      if (from < to) std::memcpy(out + (from - offset), bytes.data() + (from - at), static_cast<std::size_t>(to - from));
    }
    return count;
  }

 private:
  std::int64_t size_;
  std::vector<std::pair<std::int64_t, AnsiString>> pieces_;
};

// The given bytes at its start and at its end.
class SplicedSource : public SparseSource {
 public:
  SplicedSource(AnsiString head, AnsiString tail, std::int64_t size)
      : SparseSource(size, {{0, std::move(head)}, {size - static_cast<std::int64_t>(tail.size()), tail}}) {}
};

// Past 4 GB, with low 32 bits that read as a negative 32-bit number: a position cut to 32 bits
// anywhere shows.
inline constexpr std::int64_t kOverFourGigabytes = (std::int64_t{3} << 31) + 1000;

}  // namespace codec_test
