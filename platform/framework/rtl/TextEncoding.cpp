#include "platform/framework/rtl/TextEncoding.h"

#include <cstring>

#include "platform/framework/base/Utf8.h"
#include "platform/framework/base/Win32.h"

namespace {

bool StartsWith(const unsigned char* data, std::size_t size, const char* bom, std::size_t bomSize) {
  return size >= bomSize && std::memcmp(data, bom, bomSize) == 0;
}

String DecodeUtf16(const unsigned char* data, std::size_t size, bool bigEndian) {
  String text(size / 2, L'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned hi = data[2 * i + (bigEndian ? 0 : 1)];
    const unsigned lo = data[2 * i + (bigEndian ? 1 : 0)];
    text[i] = static_cast<wchar_t>((hi << 8) | lo);
  }
  return text;
}

}  // namespace

String AnsiToString(const AnsiString& bytes, unsigned codePage) {
  if (bytes.empty()) return String();
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  String text(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), length);
  return text;
}

AnsiString StringToAnsi(const String& text, unsigned codePage) {
  if (text.empty()) return AnsiString();
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  AnsiString bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

String DecodeText(const void* data, std::size_t size, TTextEncoding* detected) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  TTextEncoding encoding;
  String text;
  if (StartsWith(bytes, size, "\xEF\xBB\xBF", 3)) {
    encoding = TTextEncoding::Utf8Bom;
    text = Utf8Decode(AnsiString(reinterpret_cast<const char*>(bytes) + 3, size - 3));
  } else if (StartsWith(bytes, size, "\xFF\xFE", 2)) {
    encoding = TTextEncoding::Utf16LE;
    text = DecodeUtf16(bytes + 2, size - 2, false);
  } else if (StartsWith(bytes, size, "\xFE\xFF", 2)) {
    encoding = TTextEncoding::Utf16BE;
    text = DecodeUtf16(bytes + 2, size - 2, true);
  } else {
    const AnsiString raw(reinterpret_cast<const char*>(bytes), size);
    if (IsValidUtf8(raw)) {
      encoding = TTextEncoding::Utf8;
      text = Utf8Decode(raw);
    } else {
      encoding = TTextEncoding::Ansi;
      text = AnsiToString(raw);
    }
  }
  if (detected) *detected = encoding;
  return text;
}

String DecodeText(const AnsiString& bytes, TTextEncoding* detected) {
  return DecodeText(bytes.data(), bytes.size(), detected);
}

AnsiString EncodeText(const String& text, TTextEncoding encoding) {
  switch (encoding) {
    case TTextEncoding::Utf8Bom:
      return "\xEF\xBB\xBF" + Utf8Encode(text);
    case TTextEncoding::Utf8:
      return Utf8Encode(text);
    case TTextEncoding::Utf16LE:
    case TTextEncoding::Utf16BE: {
      const bool bigEndian = encoding == TTextEncoding::Utf16BE;
      AnsiString bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
      for (wchar_t c : text) {
        const char hi = static_cast<char>((c >> 8) & 0xFF);
        const char lo = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? hi : lo;
        bytes += bigEndian ? lo : hi;
      }
      return bytes;
    }
    case TTextEncoding::Ansi:
      return StringToAnsi(text);
  }
  return AnsiString();
}
