#include "platform/audio/processing/RecordingFileSink.h"

#include <algorithm>
#include <cstring>

#include "platform/audio/core/AudioError.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/base/Win32.h"

namespace {

void PutLe32(unsigned char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

std::uint32_t Le32(const unsigned char* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

}  // namespace

std::unique_ptr<RecordingFileSink> RecordingFileSink::Create(const String& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    throw EAudioError(L"Cannot create the file " + path + L": " + SysErrorMessage(GetLastError()));
  return std::unique_ptr<RecordingFileSink>(new RecordingFileSink(path, file));
}

RecordingFileSink::~RecordingFileSink() { CloseHandle(static_cast<HANDLE>(file_)); }

void RecordingFileSink::Write(const void* data, std::size_t count) { WriteAt(size_, data, count); }

void RecordingFileSink::WriteAt(std::int64_t offset, const void* data, std::size_t count) {
  if (offset < static_cast<std::int64_t>(sizeof header_)) {
    const std::size_t kept = std::min<std::size_t>(count, sizeof header_ - static_cast<std::size_t>(offset));
    std::memcpy(header_ + offset, data, kept);
  }
  LARGE_INTEGER at;
  at.QuadPart = offset;
  const auto* bytes = static_cast<const unsigned char*>(data);
  bool written = SetFilePointerEx(static_cast<HANDLE>(file_), at, nullptr, FILE_BEGIN) != 0;
  while (written && count > 0) {
    DWORD done = 0;
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
    written = WriteFile(static_cast<HANDLE>(file_), bytes, piece, &done, nullptr) && done == piece;
    bytes += piece;
    count -= piece;
    offset += piece;
  }
  if (!written) throw EAudioError(L"Cannot write the file " + path_ + L": " + SysErrorMessage(GetLastError()));
  size_ = std::max(size_, offset);
}

std::int64_t RecordingFileSink::DataChunkAt() const {
  if (size_ < 12 || std::memcmp(header_, "RIFF", 4) != 0) return -1;
  for (std::size_t at = 12; at + 8 <= sizeof header_ && static_cast<std::int64_t>(at + 8) <= size_;) {
    if (!std::memcmp(header_ + at, "data", 4)) return static_cast<std::int64_t>(at);
    const std::uint32_t size = Le32(header_ + at + 4);
    at += 8 + size + (size & 1);
  }
  return -1;
}

void RecordingFileSink::UpdateWavSizes() {
  const std::int64_t data = DataChunkAt();
  if (data < 0) return;
  unsigned char size[4];
  const std::int64_t riffBytes = std::min<std::int64_t>(size_ - 8, 0xFFFFFFFFll);
  const std::int64_t dataBytes = std::min<std::int64_t>(size_ - data - 8, 0xFFFFFFFFll);
  const std::int64_t end = size_;
  PutLe32(size, static_cast<std::uint32_t>(dataBytes));
  WriteAt(data + 4, size, 4);
  PutLe32(size, static_cast<std::uint32_t>(riffBytes));
  WriteAt(4, size, 4);
  size_ = end;
}
