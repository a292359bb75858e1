#include "net/MimeFiles.h"

#include "net/Base64.h"

namespace {

constexpr int kGroupsPerLine = 18;

struct ExtensionType {
  const wchar_t* Extension;
  const char* ContentType;
};

constexpr ExtensionType kContentTypes[] = {
    {L"htm", "text/html"},   {L"html", "text/html"},  {L"gif", "image/gif"}, {L"bmp", "image/bmp"},
    {L"jpg", "image/jpeg"},  {L"jpeg", "image/jpeg"}, {L"txt", "text/plain"},
};

// The extension of the file name without its dot, in lower case; empty when there is none.
String LowerExtension(const String& fileName) {
  const std::size_t dot = fileName.find_last_of(L".\\/:");
  if (dot == String::npos || fileName[dot] != L'.') return {};
  String extension = fileName.substr(dot + 1);
  for (wchar_t& c : extension)
    if (c >= L'A' && c <= L'Z') c = wchar_t(c - L'A' + L'a');
  return extension;
}

}  // namespace

AnsiString ContentTypeOfFile(const String& FileName) {
  const String extension = LowerExtension(FileName);
  for (const auto& entry : kContentTypes)
    if (extension == entry.Extension) return entry.ContentType;
  return "application/octet-stream";
}

std::unique_ptr<TFileStream> OpenFileShared(const String& FileName, Word ShareMode) {
  return std::make_unique<TFileStream>(FileName, Word(fmOpenRead | ShareMode));
}

void FreeFileStream(std::unique_ptr<TFileStream>& Stream) { Stream.reset(); }

AnsiString Base64LineFromStream(TStream& Stream, bool& More) {
  AnsiString line;
  More = true;
  for (int group = 0; group < kGroupsPerLine && More; ++group) {
    char bytes[3];
    const Int64 count = Stream.Read(bytes, 3);
    More = count == 3;
    if (count > 0) line += Base64EncodeText(AnsiString(bytes, std::size_t(count)));
  }
  return line;
}
