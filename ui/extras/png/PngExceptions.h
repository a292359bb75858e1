#pragma once
// The PNG codec's exception classes and their message texts. Every class derives directly from the
// framework's Exception so callers can tell each failure apart.

#include "platform/framework/base/Exceptions.h"

FRAMEWORK_EXCEPTION(EPngError, Exception);
FRAMEWORK_EXCEPTION(EPNGInvalidFileHeader, Exception);
FRAMEWORK_EXCEPTION(EPngUnexpectedEnd, Exception);
FRAMEWORK_EXCEPTION(EPNGIHDRNotFirst, Exception);
FRAMEWORK_EXCEPTION(EPNGUnknownCriticalChunk, Exception);
FRAMEWORK_EXCEPTION(EPNGNoImageData, Exception);
FRAMEWORK_EXCEPTION(EPngInvalidCRC, Exception);
FRAMEWORK_EXCEPTION(EPngInvalidIHDR, Exception);
FRAMEWORK_EXCEPTION(EPNGSizeExceeds, Exception);
FRAMEWORK_EXCEPTION(EPNGUnknownCompression, Exception);
FRAMEWORK_EXCEPTION(EPNGUnknownInterlace, Exception);
FRAMEWORK_EXCEPTION(EPNGInvalidPalette, Exception);
FRAMEWORK_EXCEPTION(EPNGMissingMultipleIDAT, Exception);
FRAMEWORK_EXCEPTION(EPNGZLIBError, Exception);
FRAMEWORK_EXCEPTION(EPNGHeaderNotPresent, Exception);
FRAMEWORK_EXCEPTION(EPNGOutMemory, Exception);

inline constexpr wchar_t EPNGInvalidFileHeaderText[] =
    L"The file being readed is not a valid \"Portable Network Graphics\" image because it contains "
    L"an invalid header. This file may be corruped, try obtaining it again.";
inline constexpr wchar_t EPngUnexpectedEndText[] =
    L"This \"Portable Network Graphics\" image is invalid because the decoder found an unexpected "
    L"end of the file.";
inline constexpr wchar_t EPNGIHDRNotFirstText[] =
    L"This \"Portable Network Graphics\" image is not supported or it might be invalid.\r\n"
    L"(IHDR chunk is not the first)";
inline constexpr wchar_t EPNGUnknownCriticalChunkText[] =
    L"This \"Portable Network Graphics\" image contains an unknown critical part which could not "
    L"be decoded.";
inline constexpr wchar_t EPNGNoImageDataText[] =
    L"This \"Portable Network Graphics\" image contains no data.";
inline constexpr wchar_t EPngInvalidCRCText[] =
    L"This \"Portable Network Graphics\" image is not valid because it contains invalid pieces of "
    L"data (crc error)";
inline constexpr wchar_t EPngInvalidIHDRText[] =
    L"The \"Portable Network Graphics\" image could not be loaded because one of its main piece of "
    L"data (ihdr) might be corrupted";
inline constexpr wchar_t EPNGSizeExceedsText[] =
    L"This \"Portable Network Graphics\" image is not supported because either it's width or "
    L"height exceeds the maximum size, which is 65535 pixels length.";
inline constexpr wchar_t EPNGUnknownCompressionText[] =
    L"This \"Portable Network Graphics\" image is encoded with an unknown compression scheme which "
    L"could not be decoded.";
inline constexpr wchar_t EPNGUnknownInterlaceText[] =
    L"This \"Portable Network Graphics\" image uses an unknown interlace scheme which could not be "
    L"decoded.";
inline constexpr wchar_t EPNGInvalidPaletteText[] =
    L"The \"Portable Network Graphics\" image contains an invalid palette.";
inline constexpr wchar_t EPNGMissingMultipleIDATText[] =
    L"This \"Portable Network Graphics\" image is invalid because it has missing image parts.";
inline constexpr wchar_t EPNGZLIBErrorText[] =
    L"Could not decompress the image because it contains invalid compressed data.\r\n"
    L" Description: ";
inline constexpr wchar_t EPNGHeaderNotPresentText[] =
    L"This operation is not valid because the current image contains no valid header.";
inline constexpr wchar_t EPNGOutMemoryText[] =
    L"Some operation could not be performed because the system is out of resources. Close some "
    L"windows and try again.";
inline constexpr wchar_t EPngExistentText[] =
    L"The program tried to add a existent critical chunk to the current image which is not "
    L"allowed.";
inline constexpr wchar_t EPngInvalidNewChunkText[] =
    L"It's not allowed to add a new chunk because the current image is invalid.";
inline constexpr wchar_t EPngIncompatibleChunkText[] =
    L"The chunks must be compatible to be assigned.";
inline constexpr wchar_t EPngNoPaletteEntryText[] = L"There is no such palette entry.";
inline constexpr wchar_t EPngCannotResizeText[] =
    L"The \"Portable Network Graphics\" image can not be resize by changing width and height "
    L"properties. Try assigning the image from a bitmap.";

// Raises E with its standard text.
template <class E>
[[noreturn]] void RaisePng(const wchar_t* text) {
  throw E(String(text));
}
