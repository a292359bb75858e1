#pragma once
// UTF-8 <-> UTF-16 conversion without the Windows API, so Windows-free code can use it too.
// Malformed UTF-8 decodes to U+FFFD per bad byte; lone surrogates encode as U+FFFD.

#include "platform/framework/base/Types.h"

AnsiString Utf8Encode(const String& text);
String Utf8Decode(const AnsiString& bytes);
// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(const AnsiString& bytes);
