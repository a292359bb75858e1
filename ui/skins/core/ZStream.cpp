#include "ui/skins/core/ZStream.h"

DEFINE_CLASS(TCustomZStream)
DEFINE_CLASS(TZDecompressionStream)

TCustomZStream::TCustomZStream(TStream& source)
    : source_(source), sourcePosition_(source.Position()), buffer_(static_cast<size_t>(kBufferSize)) {}

TZDecompressionStream::TZDecompressionStream(TStream& source) : TCustomZStream(source) {
  inflater_.Stream().next_in = buffer_.data();
  inflater_.Stream().avail_in = 0;
}

TZDecompressionStream::~TZDecompressionStream() = default;

void TZDecompressionStream::Invalid() { throw EZDecompressionError(Z_STREAM_ERROR, L"Invalid ZStream operation!"); }

Int64 TZDecompressionStream::Read(void* buffer, Int64 count) {
  if (source_.Position() != sourcePosition_) source_.Seek(sourcePosition_, soBeginning);
  z_stream& z = inflater_.Stream();
  z.next_out = static_cast<Bytef*>(buffer);
  z.avail_out = static_cast<uInt>(count);
  while (z.avail_out > 0 && !ended_) {
    if (z.avail_in == 0) {
      Int64 got = source_.Read(buffer_.data(), kBufferSize);
      sourcePosition_ += got;
      if (got == 0) break;
      z.next_in = buffer_.data();
      z.avail_in = static_cast<uInt>(got);
      if (OnProgress) OnProgress(this);
    }
    int result = inflate(&z, Z_NO_FLUSH);
    if (result < 0 && result != Z_BUF_ERROR) throw EZDecompressionError(result, SkinZlibErrorText(result));
    if (result == Z_STREAM_END) {
      ended_ = true;
      // Give back what the zlib stream did not use.
      sourcePosition_ = source_.Seek(-Int64(z.avail_in), soCurrent);
      z.avail_in = 0;
    }
  }
  Int64 done = count - z.avail_out;
  produced_ += done;
  return done;
}

Int64 TZDecompressionStream::Write(const void*, Int64) { Invalid(); }

void TZDecompressionStream::Restart() {
  inflater_.Reset();
  inflater_.Stream().avail_in = 0;
  ended_ = false;
  produced_ = 0;
  sourcePosition_ = source_.Seek(0, soBeginning);
}

Int64 TZDecompressionStream::Seek(Int64 offset, TSeekOrigin origin) {
  if (offset == 0 && origin == soBeginning) {
    Restart();
    return 0;
  }
  Int64 skip = -1;
  if (origin == soCurrent && offset >= 0) skip = offset;
  if (origin == soBeginning && offset >= produced_) skip = offset - produced_;
  if (origin == soEnd && offset == 0) skip = INT64_MAX;
  if (skip < 0) Invalid();
  Byte scratch[8192];
  while (skip > 0) {
    Int64 got = Read(scratch, std::min<Int64>(skip, sizeof scratch));
    if (got == 0) break;
    skip -= got;
  }
  return produced_;
}
