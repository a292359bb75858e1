#include "ui/extras/png/PngStreamAdapter.h"

#include "platform/framework/classes/Stream.h"

std::size_t TPngStreamAdapter::Read(void* buffer, std::size_t size) {
  // A stream may hand out less than asked before its end (a pipe, a file on a slow share).
  auto* to = static_cast<Byte*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const Int64 got = stream_.Read(to + done, Int64(size - done));
    if (got <= 0) break;
    done += std::size_t(got);
  }
  return done;
}

void TPngStreamAdapter::Write(const void* buffer, std::size_t size) {
  if (size) stream_.WriteBuffer(buffer, Int64(size));
}

void TPngStreamAdapter::Skip(UInt64 count) { stream_.Seek(Int64(count), soCurrent); }
