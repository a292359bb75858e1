#include "ui/extras/png/PngZlib.h"

#include "ui/extras/png/PngExceptions.h"

String PngZlibResultText(int code) {
  switch (code) {
    case -6: return L"incompatible version (-6)";
    case -5: return L"buffer error (-5)";
    case -4: return L"insufficient memory (-4)";
    case -3: return L"data error (-3)";
    case -2: return L"stream error (-2)";
    case -1: return L"file error (-1)";
    case 0: return L"(0)";
    case 1: return L"stream end (1)";
    case 2: return L"need dictionary (2)";
    default: return L"(" + std::to_wstring(code) + L")";
  }
}

void RaisePngZlibError(int code) { throw EPNGZLIBError(EPNGZLIBErrorText + PngZlibResultText(code)); }

TPngInflater::TPngInflater() {
  const int result = inflateInit(&stream_);
  if (result != Z_OK) RaisePngZlibError(result);
}

TPngInflater::~TPngInflater() { inflateEnd(&stream_); }

TPngDeflater::TPngDeflater(int level) {
  const int result = deflateInit(&stream_, level);
  if (result != Z_OK) RaisePngZlibError(result);
}

TPngDeflater::~TPngDeflater() { deflateEnd(&stream_); }

namespace {
constexpr std::size_t TextBufferSize = 256;
}

std::optional<AnsiString> PngInflateText(const Byte* data, std::size_t size, std::size_t limit) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return std::nullopt;
  AnsiString text;
  Byte buffer[TextBufferSize];
  z.next_in = const_cast<Byte*>(data);
  z.avail_in = uInt(size);
  int result = Z_OK;
  while (result == Z_OK) {
    z.next_out = buffer;
    z.avail_out = sizeof buffer;
    const uInt inBefore = z.avail_in;
    result = inflate(&z, Z_NO_FLUSH);
    const std::size_t produced = sizeof buffer - z.avail_out;
    text.append(reinterpret_cast<const char*>(buffer), produced);
    if (text.size() > limit) break;
    // Input used up, or no step forward at all: the stream can never end.
    if (result == Z_OK && produced == 0 && z.avail_in == inBefore) break;
  }
  inflateEnd(&z);
  if (result != Z_STREAM_END || text.size() > limit) return std::nullopt;
  return text;
}

std::optional<AnsiString> PngDeflateText(const AnsiString& text, int level) {
  z_stream z{};
  if (deflateInit(&z, level) != Z_OK) return std::nullopt;
  AnsiString packed;
  Byte buffer[TextBufferSize];
  z.next_in = reinterpret_cast<Byte*>(const_cast<char*>(text.data()));
  z.avail_in = uInt(text.size());
  int result = Z_OK;
  while (result == Z_OK) {
    z.next_out = buffer;
    z.avail_out = sizeof buffer;
    result = deflate(&z, Z_FINISH);
    packed.append(reinterpret_cast<const char*>(buffer), sizeof buffer - z.avail_out);
  }
  deflateEnd(&z);
  if (result != Z_STREAM_END) return std::nullopt;
  return packed;
}
