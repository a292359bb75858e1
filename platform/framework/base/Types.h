#pragma once
// The framework's basic value types. Free of <windows.h> so that Windows-free code (codecs, DSP,
// protocol encodings) can use the same names.

#include <cstdint>
#include <string>

// UTF-16 text on Windows; every Win32 call takes the W entry point.
using String = std::wstring;
// Bytes: wire protocols, binary formats, code-page text.
using AnsiString = std::string;
using RawByteString = std::string;

using Byte = std::uint8_t;
using Word = std::uint16_t;
using Cardinal = std::uint32_t;
using LongWord = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using NativeInt = std::intptr_t;
using NativeUInt = std::uintptr_t;

// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;
// The 80-bit float on x86 targets.
using Extended = long double;
