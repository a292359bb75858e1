#pragma once
// File helpers of the mail encoder: content types by extension, shared opening, and 72-column
// Base64 lines read from a stream.

#include <memory>

#include "platform/framework/classes/Stream.h"
#include "platform/framework/base/Types.h"

// "text/html", "image/gif", "image/bmp", "image/jpeg", "text/plain" by the (case-blind) extension,
// else "application/octet-stream".
AnsiString ContentTypeOfFile(const String& FileName);

// Opens the file for reading with the given fmShare* mode; raises EFOpenError.
std::unique_ptr<TFileStream> OpenFileShared(const String& FileName, Word ShareMode);
void FreeFileStream(std::unique_ptr<TFileStream>& Stream);

// Reads up to 54 bytes, 3 at a time, and returns their Base64 form (at most 72 characters).
// More is true when the last read gave 3 bytes, so a stream whose length is a multiple of 54 ends
// with one empty line.
AnsiString Base64LineFromStream(TStream& Stream, bool& More);
