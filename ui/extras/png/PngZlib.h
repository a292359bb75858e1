#pragma once
// zlib glue of the codec: owned inflate and deflate streams, the error texts, and the whole-buffer
// compression of text chunks.

#include <optional>

#include <zlib.h>

#include "platform/framework/base/Types.h"

// The description of a zlib result code, as the codec reports it ("data error (-3)").
String PngZlibResultText(int code);
// Raises EPNGZLIBError for the result code.
[[noreturn]] void RaisePngZlibError(int code);

// An inflate stream with the default 15-bit window, ended when the object goes.
class TPngInflater {
 public:
  TPngInflater();
  ~TPngInflater();
  TPngInflater(const TPngInflater&) = delete;
  TPngInflater& operator=(const TPngInflater&) = delete;
  z_stream& Stream() { return stream_; }

 private:
  z_stream stream_{};
};

class TPngDeflater {
 public:
  explicit TPngDeflater(int level);
  ~TPngDeflater();
  TPngDeflater(const TPngDeflater&) = delete;
  TPngDeflater& operator=(const TPngDeflater&) = delete;
  z_stream& Stream() { return stream_; }

 private:
  z_stream stream_{};
};

// Largest text a compressed-text chunk may inflate to.
inline constexpr std::size_t PngTextInflateLimit = std::size_t(8) << 20;

// Inflates a whole zlib stream; empty when it is damaged, incomplete, needs a dictionary or
// exceeds limit bytes.
std::optional<AnsiString> PngInflateText(const Byte* data, std::size_t size, std::size_t limit);
// Deflates bytes at level; empty when zlib fails.
std::optional<AnsiString> PngDeflateText(const AnsiString& text, int level);
