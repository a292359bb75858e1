#pragma once
// Text files as bytes: decoding by byte-order mark, valid UTF-8 or the ANSI code page, and encoding
// as UTF-8 (with or without a BOM), UTF-16LE with a BOM, or the ANSI code page.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(RTL);

#include <cstddef>

#include "platform/framework/base/Types.h"

enum class TTextEncoding {
  Utf8Bom,   // EF BB BF, then UTF-8
  Utf8,      // UTF-8 without a BOM
  Utf16LE,   // FF FE, then UTF-16 little-endian
  Utf16BE,   // FE FF, then UTF-16 big-endian
  Ansi,      // the ANSI code page, no BOM
};

// Decodes a text file's bytes: a UTF-8, UTF-16LE or UTF-16BE byte-order mark decides; without one,
// valid UTF-8 is UTF-8 and anything else is in the ANSI code page. The BOM is not part of the text.
String DecodeText(const void* data, std::size_t size, TTextEncoding* detected = nullptr);
String DecodeText(const AnsiString& bytes, TTextEncoding* detected = nullptr);
// Encodes text with the byte-order mark the encoding carries.
AnsiString EncodeText(const String& text, TTextEncoding encoding);

// Code-page conversions; 0 is the ANSI code page. Characters the code page lacks become its default
// character.
String AnsiToString(const AnsiString& bytes, unsigned codePage = 0);
AnsiString StringToAnsi(const String& text, unsigned codePage = 0);
