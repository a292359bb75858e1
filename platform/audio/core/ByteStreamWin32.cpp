// Files of the Windows build, over CreateFileW with positional reads and writes.
#include <algorithm>
#include <string>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/ByteStream.h"
#include "platform/framework/base/Win32.h"

namespace {

String LastErrorText() {
  const DWORD code = GetLastError();
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  String result = text ? String(text) : L"error " + std::to_wstring(code);
  if (text) LocalFree(text);
  while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' '))
    result.pop_back();
  return result;
}

OVERLAPPED At(std::int64_t offset) {
  OVERLAPPED overlapped{};
  overlapped.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset) & 0xFFFFFFFFu);
  overlapped.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
  return overlapped;
}

constexpr std::size_t kMaxTransfer = 1u << 30;

std::size_t ReadFileAt(HANDLE file, std::int64_t offset, void* data, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    OVERLAPPED overlapped = At(offset + static_cast<std::int64_t>(done));
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min(count - done, kMaxTransfer));
    if (!ReadFile(file, static_cast<char*>(data) + done, chunk, &read, &overlapped)) {
      if (GetLastError() == ERROR_HANDLE_EOF) break;
      throw EAudioError(L"Cannot read the file: " + LastErrorText());
    }
    if (read == 0) break;
    done += read;
  }
  return done;
}

void WriteFileAt(HANDLE file, std::int64_t offset, const void* data, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    OVERLAPPED overlapped = At(offset + static_cast<std::int64_t>(done));
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min(count - done, kMaxTransfer));
    if (!WriteFile(file, static_cast<const char*>(data) + done, chunk, &written, &overlapped) || written == 0)
      throw EAudioError(L"Cannot write the file: " + LastErrorText());
    done += written;
  }
}

class Win32Source : public ByteSource {
 public:
  Win32Source(HANDLE file, std::int64_t size) : file_(file), size_(size) {}
  ~Win32Source() override { CloseHandle(file_); }
  std::int64_t Size() const override { return size_; }
  std::size_t ReadAt(std::int64_t offset, void* data, std::size_t count) const override {
    return ReadFileAt(file_, offset, data, count);
  }

 private:
  HANDLE file_;
  std::int64_t size_;
};

class Win32Sink : public ByteSink {
 public:
  Win32Sink(String target, String temp, HANDLE file)
      : target_(std::move(target)), temp_(std::move(temp)), file_(file) {}
  ~Win32Sink() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    if (!committed_) DeleteFileW(temp_.c_str());
  }
  void Write(const void* data, std::size_t count) override {
    WriteFileAt(file_, position_, data, count);
    position_ += static_cast<std::int64_t>(count);
  }
  void WriteAt(std::int64_t offset, const void* data, std::size_t count) override {
    WriteFileAt(file_, offset, data, count);
  }
  std::int64_t Position() const override { return position_; }
  void Commit() override {
    HANDLE file = file_;
    file_ = INVALID_HANDLE_VALUE;
    if (!CloseHandle(file) ||
        !MoveFileExW(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      throw EAudioError(L"Cannot write the file " + target_ + L": " + LastErrorText());
    committed_ = true;
  }

 private:
  String target_, temp_;
  HANDLE file_;
  std::int64_t position_ = 0;
  bool committed_ = false;
};

class Win32Scratch : public ScratchFile {
 public:
  explicit Win32Scratch(HANDLE file) : file_(file) {}
  ~Win32Scratch() override { CloseHandle(file_); }
  void WriteAt(std::int64_t offset, const void* data, std::size_t count) override {
    WriteFileAt(file_, offset, data, count);
  }
  void ReadAt(std::int64_t offset, void* data, std::size_t count) const override {
    if (ReadFileAt(file_, offset, data, count) != count)
      throw EAudioError(L"The spill file is shorter than expected.");
  }

 private:
  HANDLE file_;
};

String FolderOf(const String& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == String::npos ? String(L".") : path.substr(0, slash + 1);
}

}  // namespace

std::shared_ptr<ByteSource> OpenFileSource(const String& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw EAudioError(L"Cannot open the file " + path + L": " + LastErrorText());
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) {
    CloseHandle(file);
    throw EAudioError(L"Cannot open the file " + path + L": " + LastErrorText());
  }
  return std::make_shared<Win32Source>(file, static_cast<std::int64_t>(size.QuadPart));
}

std::unique_ptr<ByteSink> CreateFileSink(const String& path) {
  wchar_t temp[MAX_PATH + 1] = {};
  if (!GetTempFileNameW(FolderOf(path).c_str(), L"aud", 0, temp))
    throw EAudioError(L"Cannot create the file " + path + L": " + LastErrorText());
  HANDLE file = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DeleteFileW(temp);
    throw EAudioError(L"Cannot create the file " + path + L": " + LastErrorText());
  }
  return std::make_unique<Win32Sink>(path, temp, file);
}

std::unique_ptr<ScratchFile> CreateScratchFile(const String& folder) {
  wchar_t dir[MAX_PATH + 1] = {};
  if (folder.empty()) GetTempPathW(MAX_PATH, dir);
  const String where = folder.empty() ? String(dir) : folder;
  wchar_t name[MAX_PATH + 1] = {};
  if (!GetTempFileNameW(where.c_str(), L"spl", 0, name))
    throw EAudioError(L"Cannot create a spill file in " + where + L": " + LastErrorText());
  HANDLE file = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DeleteFileW(name);
    throw EAudioError(L"Cannot create a spill file in " + where + L": " + LastErrorText());
  }
  return std::make_unique<Win32Scratch>(file);
}

bool DeleteFileAt(const String& path) { return DeleteFileW(path.c_str()) != 0; }

bool IsSameFile(const String& a, const String& b) {
  auto identity = [](const String& path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool ok = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return ok;
  };
  BY_HANDLE_FILE_INFORMATION x{}, y{};
  if (!identity(a, x) || !identity(b, y)) return false;
  return x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
         x.nFileIndexLow == y.nFileIndexLow;
}

#include "platform/audio/core/BlockStore.h"

std::int64_t PhysicalMemoryBytes() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof(status);
  return GlobalMemoryStatusEx(&status) ? static_cast<std::int64_t>(status.ullTotalPhys) : 0;
}
