#include "ui/skins/core/SkinArchive.h"

#include <algorithm>
#include <cstring>

namespace {

const char kMagic[4] = {'A', 'S', 'z', 'f'};

[[noreturn]] void Damaged(const String& what) {
  throw ESkinArchiveError(L"damaged skin archive: " + what);
}

class TArchiveReader {
 public:
  TArchiveReader(const Byte* data, size_t size) : data_(data), size_(size) {}

  size_t Offset() const { return offset_; }
  size_t Left() const { return size_ - offset_; }

  Int64 ReadInt32(const wchar_t* what) {
    if (Left() < 4) Damaged(String(L"the archive ends inside ") + what);
    std::uint32_t value = std::uint32_t(data_[offset_]) | std::uint32_t(data_[offset_ + 1]) << 8 |
                          std::uint32_t(data_[offset_ + 2]) << 16 | std::uint32_t(data_[offset_ + 3]) << 24;
    offset_ += 4;
    return static_cast<std::int32_t>(value);
  }

  AnsiString ReadBytes(size_t count, const wchar_t* what) {
    if (Left() < count) Damaged(String(L"the archive ends inside ") + what);
    AnsiString text(reinterpret_cast<const char*>(data_ + offset_), count);
    offset_ += count;
    return text;
  }

  // Inflates one zlib stream at the offset to exactly size bytes and moves past it.
  std::vector<Byte> Inflate(size_t size, TSkinInflater& inflater) {
    inflater.Reset();
    std::vector<Byte> out(size);
    z_stream& z = inflater.Stream();
    z.next_in = const_cast<Byte*>(data_ + offset_);
    z.avail_in = static_cast<uInt>(std::min<size_t>(Left(), 0x7FFFFFFF));
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(size);
    int result = inflate(&z, Z_FINISH);
    if (result == Z_STREAM_END && z.avail_out == 0) {
      offset_ = static_cast<size_t>(z.next_in - data_);
      return out;
    }
    if (result == Z_STREAM_END) Damaged(L"an entry inflates to fewer bytes than its size");
    if (result == Z_BUF_ERROR && z.avail_out == 0 && z.avail_in > 0)
      Damaged(L"an entry inflates to more bytes than its size");
    if (result == Z_BUF_ERROR) Damaged(L"an entry's compressed data is truncated");
    Damaged(L"an entry's compressed data is corrupt (" + SkinZlibErrorText(result) + L")");
  }

 private:
  const Byte* data_;
  size_t size_;
  size_t offset_ = 0;
};

void PutInt32(std::vector<Byte>& out, Int64 value) {
  auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<Byte>(v >> (8 * i)));
}

}  // namespace

TSkinInflater::TSkinInflater() {
  if (inflateInit(&stream_) != Z_OK) throw ESkinArchiveError(L"insufficient memory");
}

TSkinInflater::~TSkinInflater() { inflateEnd(&stream_); }

void TSkinInflater::Reset() { inflateReset(&stream_); }

String SkinZlibErrorText(int code) {
  switch (code) {
    case Z_NEED_DICT: return L"need dictionary";
    case Z_ERRNO: return L"file error";
    case Z_STREAM_ERROR: return L"stream error";
    case Z_DATA_ERROR: return L"data error";
    case Z_MEM_ERROR: return L"insufficient memory";
    case Z_BUF_ERROR: return L"buffer error";
    case Z_VERSION_ERROR: return L"incompatible version";
    default: return L"zlib error " + std::to_wstring(code);
  }
}

bool IsSkinIniEntryName(const AnsiString& name) {
  static const char kIni[] = "options.dat";
  if (name.size() != sizeof(kIni) - 1) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kIni[i]) return false;
  }
  return true;
}

TSkinArchiveContents ParseSkinArchive(const Byte* data, size_t size) {
  TSkinArchiveContents contents;
  if (size < 4 || std::memcmp(data, kMagic, 4) != 0) return contents;
  contents.MagicOk = true;
  TArchiveReader reader(data + 4, size - 4);
  Int64 count = reader.ReadInt32(L"the entry count");
  if (count < 1 || count > kSkinArchiveMaxEntries)
    Damaged(L"entry count " + std::to_wstring(count) + L" outside 1 to 4096");
  TSkinInflater inflater;
  Int64 total = 0;
  for (Int64 i = 0; i < count; ++i) {
    Int64 nameLength = reader.ReadInt32(L"an entry's name length");
    if (nameLength < 1 || nameLength > kSkinArchiveMaxNameLength)
      Damaged(L"name length " + std::to_wstring(nameLength) + L" outside 1 to 260");
    TSkinArchiveEntry entry;
    entry.Name = reader.ReadBytes(static_cast<size_t>(nameLength), L"an entry's name");
    Int64 entrySize = reader.ReadInt32(L"an entry's size");
    if (entrySize < 1 || entrySize > kSkinArchiveMaxEntrySize)
      Damaged(L"entry size " + std::to_wstring(entrySize) + L" outside 1 byte to 64 MiB");
    total += entrySize;
    if (total > kSkinArchiveMaxTotalSize) Damaged(L"the entries inflate to more than 256 MiB");
    entry.Data = reader.Inflate(static_cast<size_t>(entrySize), inflater);
    contents.Entries.push_back(std::move(entry));
  }
  contents.EndOffset = 4 + reader.Offset();
  return contents;
}

std::vector<Byte> WriteSkinArchive(const std::vector<TSkinArchiveEntry>& entries) {
  std::vector<Byte> out(kMagic, kMagic + 4);
  PutInt32(out, static_cast<Int64>(entries.size()));
  for (const TSkinArchiveEntry& entry : entries) {
    PutInt32(out, static_cast<Int64>(entry.Name.size()));
    out.insert(out.end(), entry.Name.begin(), entry.Name.end());
    PutInt32(out, static_cast<Int64>(entry.Data.size()));
    uLongf packedSize = compressBound(static_cast<uLong>(entry.Data.size()));
    std::vector<Byte> packed(packedSize);
    if (compress2(packed.data(), &packedSize, entry.Data.data(), static_cast<uLong>(entry.Data.size()), 9) != Z_OK)
      throw ESkinArchiveError(L"could not compress the entry " + String(entry.Name.begin(), entry.Name.end()));
    out.insert(out.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(packedSize));
  }
  return out;
}
