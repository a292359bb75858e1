#pragma once
// A source that reports a size of several gigabytes without holding it: the given bytes at its start
// and at its end, zeros between. Readers of very large files are tested with it in memory.

#include <algorithm>
#include <cstring>

#include "platform/audio/core/ByteStream.h"

namespace codec_test {

class SplicedSource : public ByteSource {
 public:
  SplicedSource(AnsiString head, AnsiString tail, std::int64_t size)
      : head_(std::move(head)), tail_(std::move(tail)), size_(size) {}

  std::int64_t Size() const override { return size_; }

  std::size_t ReadAt(std::int64_t offset, void* data, std::size_t count) const override {
    if (offset < 0 || offset >= size_) return 0;
    count = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(count), size_ - offset));
    auto* out = static_cast<char*>(data);
    const std::int64_t tailAt = size_ - static_cast<std::int64_t>(tail_.size());
    for (std::size_t done = 0; done < count;) {
      const std::int64_t at = offset + static_cast<std::int64_t>(done);
      const std::size_t left = count - done;
      std::size_t n;
      if (at < static_cast<std::int64_t>(head_.size())) {
        n = std::min(left, head_.size() - static_cast<std::size_t>(at));
        std::memcpy(out + done, head_.data() + at, n);
      } else if (at >= tailAt) {
        n = left;
        std::memcpy(out + done, tail_.data() + (at - tailAt), n);
      } else {
        n = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(left), tailAt - at));
        std::memset(out + done, 0, n);
      }
      done += n;
    }
    return count;
  }

 private:
  AnsiString head_, tail_;
  std::int64_t size_;
};

// Past 4 GB, with low 32 bits that read as a negative 32-bit number: a position cut to 32 bits
// anywhere shows.
inline constexpr std::int64_t kOverFourGigabytes = (std::int64_t{3} << 31) + 1000;

}  // namespace codec_test
