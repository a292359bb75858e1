#include "platform/framework/rtl/FileUtils.h"

#include <vector>

#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"
#include "platform/framework/base/Utf8.h"
#include "platform/framework/base/Win32.h"

namespace {

bool IsPathDelimiter(wchar_t c) { return c == L'\\' || c == L'/'; }

// Index just past the folder part: after the last '\', '/' or ':'.
std::size_t NameStart(const String& fileName) {
  const auto at = fileName.find_last_of(L"\\/:");
  return at == String::npos ? 0 : at + 1;
}

DWORD Attributes(const String& name) { return GetFileAttributesW(name.c_str()); }

// Calls fill(buffer, size) until the buffer was big enough; fill returns the length it needs
// (with the terminator) when the buffer is too small, or the length written.
template <class Fill>
String GrowingBuffer(Fill fill) {
  std::vector<wchar_t> buffer(MAX_PATH);
  while (true) {
    const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return String();
    if (length < buffer.size()) return String(buffer.data(), length);
    buffer.resize(std::max<std::size_t>(length + 1, buffer.size() * 2));
  }
}

TDateTime LocalTimeOf(const FILETIME& utc) {
  FILETIME local;
  SYSTEMTIME system;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &system)) return 0;
  return SystemTimeToDateTime(system);
}

// Moves rec to the first entry from the current one that the search's attributes allow.
int MatchFrom(TSearchRec& rec, WIN32_FIND_DATAW& data) {
  while (data.dwFileAttributes & static_cast<DWORD>(rec.ExcludeAttr)) {
    if (!FindNextFileW(static_cast<HANDLE>(rec.FindHandle), &data)) return static_cast<int>(GetLastError());
  }
  rec.Name = data.cFileName;
  rec.Size = (static_cast<Int64>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  rec.Attr = static_cast<int>(data.dwFileAttributes);
  rec.TimeStamp = LocalTimeOf(data.ftLastWriteTime);
  return 0;
}

struct CommandLine {
  std::vector<String> args;
  CommandLine() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return;
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
  }
};

const CommandLine& Arguments() {
  static const CommandLine commandLine;
  return commandLine;
}

[[noreturn]] void RaiseInOut(DWORD code) { throw EInOutError(SysErrorMessage(code), static_cast<int>(code)); }

}  // namespace

// ---- files and folders ------------------------------------------------------------------------

bool FileExists(const String& fileName) {
  const DWORD attributes = Attributes(fileName);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const String& directory) {
  const DWORD attributes = Attributes(directory);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDir(const String& directory) { return CreateDirectoryW(directory.c_str(), nullptr) != FALSE; }

bool ForceDirectories(const String& directory) {
  if (directory.empty()) return false;
  const String full = ExcludeTrailingPathDelimiter(ExpandFileName(directory));
  if (DirectoryExists(full)) return true;
  const String parent = ExtractFileDir(full);
  if (parent.empty() || parent == full) return false;  // a root that does not exist
  return ForceDirectories(parent) && (CreateDir(full) || DirectoryExists(full));
}

bool RemoveDir(const String& directory) { return RemoveDirectoryW(directory.c_str()) != FALSE; }
bool DeleteFile(const String& fileName) { return DeleteFileW(fileName.c_str()) != FALSE; }

bool RenameFile(const String& oldName, const String& newName) {
  return MoveFileW(oldName.c_str(), newName.c_str()) != FALSE;
}

String GetCurrentDir() {
  return GrowingBuffer([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

bool SetCurrentDir(const String& directory) { return SetCurrentDirectoryW(directory.c_str()) != FALSE; }

// ---- path parts -------------------------------------------------------------------------------

String ExtractFileDrive(const String& fileName) {
  if (fileName.size() >= 2 && fileName[1] == L':') return fileName.substr(0, 2);
  if (fileName.size() >= 2 && IsPathDelimiter(fileName[0]) && IsPathDelimiter(fileName[1])) {
    // \\server\share: up to the delimiter after the share name.
    std::size_t at = fileName.find_first_of(L"\\/", 2);
    if (at == String::npos) return fileName;
    at = fileName.find_first_of(L"\\/", at + 1);
    return fileName.substr(0, at);
  }
  return String();
}

String ExtractFilePath(const String& fileName) { return fileName.substr(0, NameStart(fileName)); }

String ExtractFileDir(const String& fileName) {
  std::size_t end = NameStart(fileName);
  // Keep the delimiter of a root ("C:\", "\").
  if (end > 1 && IsPathDelimiter(fileName[end - 1]) && !IsPathDelimiter(fileName[end - 2]) && fileName[end - 2] != L':')
    --end;
  return fileName.substr(0, end);
}

String ExtractFileName(const String& fileName) { return fileName.substr(NameStart(fileName)); }

String ExtractFileExt(const String& fileName) {
  const auto dot = fileName.find_last_of(L'.');
  return dot == String::npos || dot < NameStart(fileName) ? String() : fileName.substr(dot);
}

String ChangeFileExt(const String& fileName, const String& extension) {
  const auto dot = fileName.find_last_of(L'.');
  const std::size_t end = dot == String::npos || dot < NameStart(fileName) ? fileName.size() : dot;
  return fileName.substr(0, end) + extension;
}

String IncludeTrailingPathDelimiter(const String& path) {
  return !path.empty() && IsPathDelimiter(path.back()) ? path : path + L'\\';
}

String ExcludeTrailingPathDelimiter(const String& path) {
  return !path.empty() && IsPathDelimiter(path.back()) ? path.substr(0, path.size() - 1) : path;
}

String ExpandFileName(const String& fileName) {
  if (fileName.empty()) return String();
  return GrowingBuffer(
      [&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(fileName.c_str(), size, buffer, nullptr); });
}

bool SameFileName(const String& a, const String& b) { return AnsiCompareText(a, b) == 0; }

// ---- folder search ----------------------------------------------------------------------------

int FindFirst(const String& path, int attr, TSearchRec& rec) {
  rec.ExcludeAttr = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  WIN32_FIND_DATAW data;
  HANDLE handle = FindFirstFileW(path.c_str(), &data);
  if (handle == INVALID_HANDLE_VALUE) {
    rec.FindHandle = nullptr;
    return static_cast<int>(GetLastError());
  }
  rec.FindHandle = handle;
  const int result = MatchFrom(rec, data);
  if (result != 0) FindClose(rec);
  return result;
}

int FindNext(TSearchRec& rec) {
  if (!rec.FindHandle) return ERROR_NO_MORE_FILES;
  WIN32_FIND_DATAW data;
  if (!FindNextFileW(static_cast<HANDLE>(rec.FindHandle), &data)) return static_cast<int>(GetLastError());
  return MatchFrom(rec, data);
}

void FindClose(TSearchRec& rec) {
  if (rec.FindHandle) ::FindClose(static_cast<HANDLE>(rec.FindHandle));
  rec.FindHandle = nullptr;
}

// ---- command line -----------------------------------------------------------------------------

int ParamCount() { return static_cast<int>(Arguments().args.size()); }

String ParamStr(int index) {
  if (index == 0)
    return GrowingBuffer([](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
  const auto& args = Arguments().args;
  return index > 0 && index <= static_cast<int>(args.size()) ? args[static_cast<std::size_t>(index - 1)] : String();
}

// ---- text files -------------------------------------------------------------------------------

TTextFileReader::~TTextFileReader() { Close(); }

bool TTextFileReader::TryOpen(const String& fileName) {
  Close();
  HANDLE handle = CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    lastError_ = GetLastError();
    return false;
  }
  handle_ = handle;
  lastError_ = 0;
  buffer_.clear();
  pos_ = 0;
  atEnd_ = false;
  unitSize_ = 1;
  bigEndian_ = false;
  utf8_ = false;
  Available(3);
  if (buffer_.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    utf8_ = true;
    pos_ = 3;
  } else if (buffer_.compare(0, 2, "\xFF\xFE") == 0 || buffer_.compare(0, 2, "\xFE\xFF") == 0) {
    unitSize_ = 2;
    bigEndian_ = buffer_[0] == '\xFE';
    pos_ = 2;
  }
  return true;
}

void TTextFileReader::Open(const String& fileName) {
  if (!TryOpen(fileName)) RaiseInOut(lastError_);
}

void TTextFileReader::Close() {
  if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
  buffer_.clear();
  pos_ = 0;
}

bool TTextFileReader::Fill() {
  if (atEnd_ || !handle_) return false;
  if (pos_ > 0) {
    buffer_.erase(0, pos_);
    pos_ = 0;
  }
  char chunk[65536];
  DWORD read = 0;
  if (!ReadFile(static_cast<HANDLE>(handle_), chunk, sizeof chunk, &read, nullptr)) RaiseInOut(GetLastError());
  if (read == 0) {
    atEnd_ = true;
    return false;
  }
  buffer_.append(chunk, read);
  return true;
}

bool TTextFileReader::Available(std::size_t bytes) {
  while (buffer_.size() - pos_ < bytes)
    if (!Fill()) return false;
  return true;
}

unsigned TTextFileReader::Unit(std::size_t at) const {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(buffer_[i]); };
  if (unitSize_ == 1) return byte(at);
  return bigEndian_ ? (byte(at) << 8) | byte(at + 1) : (byte(at + 1) << 8) | byte(at);
}

bool TTextFileReader::Eof() {
  if (!handle_) return true;
  return !Available(static_cast<std::size_t>(unitSize_));
}

String TTextFileReader::DecodeLine(const AnsiString& bytes) const {
  if (unitSize_ == 2) {
    String line(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < line.size(); ++i) {
      const unsigned a = static_cast<unsigned char>(bytes[2 * i]), b = static_cast<unsigned char>(bytes[2 * i + 1]);
      line[i] = static_cast<wchar_t>(bigEndian_ ? (a << 8) | b : (b << 8) | a);
    }
    return line;
  }
  return utf8_ || IsValidUtf8(bytes) ? Utf8Decode(bytes) : AnsiToString(bytes);
}

String TTextFileReader::ReadLn() {
  const std::size_t unit = static_cast<std::size_t>(unitSize_);
  AnsiString line;
  while (Available(unit)) {
    const unsigned c = Unit(pos_);
    if (c == '\r' || c == '\n') {
      pos_ += unit;
      if (c == '\r' && Available(unit) && Unit(pos_) == '\n') pos_ += unit;
      break;
    }
    line.append(buffer_, pos_, unit);
    pos_ += unit;
  }
  return DecodeLine(line);
}
