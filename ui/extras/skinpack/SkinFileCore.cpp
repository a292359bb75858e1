#include "ui/extras/skinpack/SkinFileCore.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <set>

namespace skinpack {
namespace {

constexpr std::uint32_t kEndSignature = 0x06054B50;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kDirectoryHeaderSize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kEncryptionHeaderSize = 12;
// Names of this length or longer do not fit the walker's name buffer.
constexpr std::size_t kMaxNameLength = 260;
// Deflate cannot expand more than this; a declared size above it is a lie.
constexpr std::size_t kMaxInflateRatio = 1032;

const std::array<std::uint32_t, 256>& CrcTable() {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

std::uint32_t CrcStep(std::uint32_t crc, Byte b) { return CrcTable()[(crc ^ b) & 0xFF] ^ (crc >> 8); }

// Little-endian reads inside a byte range; every read is checked by the caller's bounds.
std::uint16_t U16(const AnsiString& s, std::size_t at) {
  return static_cast<std::uint16_t>(Byte(s[at]) | Byte(s[at + 1]) << 8);
}
std::uint32_t U32(const AnsiString& s, std::size_t at) {
  return std::uint32_t(Byte(s[at])) | std::uint32_t(Byte(s[at + 1])) << 8 | std::uint32_t(Byte(s[at + 2])) << 16 |
         std::uint32_t(Byte(s[at + 3])) << 24;
}

AnsiString Upper(AnsiString s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

struct TDirectoryEntry {
  std::uint16_t Flags = 0;
  std::uint16_t Time = 0;
  std::uint32_t Crc = 0;
  std::uint32_t Size = 0;
  std::uint32_t LocalOffset = 0;
};

// Walks the central directory for Member; false when the archive is malformed or lacks it.
bool FindEntry(const AnsiString& archive, const AnsiString& member, TDirectoryEntry& entry) {
  const std::size_t endAt = archive.size() - kEndRecordSize;
  if (U32(archive, endAt) != kEndSignature || U16(archive, endAt + 20) != 0) return false;
  std::size_t pos = U32(archive, endAt + 16);
  const AnsiString wanted = Upper(member);
  while (pos < endAt) {
    if (endAt - pos < kDirectoryHeaderSize) return false;
    const std::size_t nameLength = U16(archive, pos + 28);
    const std::size_t extraLength = U16(archive, pos + 30);
    const std::size_t commentLength = U16(archive, pos + 32);
    if (nameLength >= kMaxNameLength) return false;
    const std::size_t next = pos + kDirectoryHeaderSize + nameLength + extraLength + commentLength;
    if (next > endAt) return false;
    if (Upper(archive.substr(pos + kDirectoryHeaderSize, nameLength)) == wanted) {
      entry.Flags = U16(archive, pos + 8);
      entry.Time = U16(archive, pos + 12);
      entry.Crc = U32(archive, pos + 16);
      entry.Size = U32(archive, pos + 24);
      entry.LocalOffset = U32(archive, pos + 42);
      return true;
    }
    pos = next;
  }
  return false;
}

// Raw inflation until the final block; false on bad data, truncation or output beyond Limit.
bool Inflate(const Byte* input, std::size_t size, std::size_t limit, AnsiString& output) {
  z_stream zs{};
  if (inflateInit2(&zs, -15) != Z_OK) return false;
  zs.next_in = const_cast<Byte*>(input);
  zs.avail_in = static_cast<uInt>(size);
  Byte buffer[16384];
  int status = Z_OK;
  while (status == Z_OK) {
    zs.next_out = buffer;
    zs.avail_out = sizeof buffer;
    status = inflate(&zs, Z_NO_FLUSH);
    output.append(reinterpret_cast<const char*>(buffer), sizeof buffer - zs.avail_out);
    if (output.size() > limit) break;
    if (status == Z_BUF_ERROR) break;  // input ran out before the final block
  }
  inflateEnd(&zs);
  return status == Z_STREAM_END;
}

std::int32_t I32(const AnsiString& s, std::size_t at) { return static_cast<std::int32_t>(U32(s, at)); }

// True when [offset, offset + size) lies inside a member of Total bytes.
bool InRange(std::int64_t offset, std::int64_t size, std::size_t total) {
  return offset >= 0 && size >= 0 && offset + size <= static_cast<std::int64_t>(total);
}

}  // namespace

std::uint32_t Crc32(std::uint32_t crc, const Byte* data, std::size_t size) {
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = CrcStep(crc, data[i]);
  return ~crc;
}

TZipCipher::TZipCipher(const AnsiString& password) : keys_{0x12345678u, 0x23456789u, 0x34567890u} {
  for (char c : password) UpdateKeys(static_cast<Byte>(c));
}

Byte TZipCipher::StreamByte() const {
  const std::uint32_t temp = (keys_[2] | 2) & 0xFFFF;
  return static_cast<Byte>((temp * (temp ^ 1)) >> 8);
}

void TZipCipher::UpdateKeys(Byte plain) {
  keys_[0] = CrcStep(keys_[0], plain);
  keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
  keys_[2] = CrcStep(keys_[2], static_cast<Byte>(keys_[1] >> 24));
}

Byte TZipCipher::DecryptByte(Byte cipher) {
  const Byte plain = cipher ^ StreamByte();
  UpdateKeys(plain);
  return plain;
}

Byte TZipCipher::EncryptByte(Byte plain) {
  const Byte cipher = plain ^ StreamByte();
  UpdateKeys(plain);
  return cipher;
}

int ExtractZipMember(const AnsiString& Archive, const AnsiString& Member, const AnsiString& Password,
                     AnsiString& Output) {
  Output.clear();
  if (Archive.size() < 4 || U16(Archive, 0) != 0x4B53) return kExtractFailed;
  if (Archive.size() < kEndRecordSize) return kExtractFailed;
  TDirectoryEntry entry;
  if (!FindEntry(Archive, Member, entry)) return kExtractFailed;

  std::size_t data = entry.LocalOffset;
  if (data > Archive.size() || Archive.size() - data < kLocalHeaderSize) return kExtractFailed;
  data += kLocalHeaderSize + U16(Archive, data + 26) + U16(Archive, data + 28);
  if (data > Archive.size()) return kExtractFailed;

  // The compressed input runs to the end of the file, as the format leaves its end to the inflater.
  AnsiString decrypted;
  const Byte* input = reinterpret_cast<const Byte*>(Archive.data()) + data;
  std::size_t inputSize = Archive.size() - data;
  if (entry.Flags & 1) {
    if (Password.empty()) return kExtractRefused;
    if (inputSize < kEncryptionHeaderSize) return kExtractFailed;
    TZipCipher cipher(Password);
    Byte last = 0;
    for (std::size_t i = 0; i < kEncryptionHeaderSize; ++i) last = cipher.DecryptByte(input[i]);
    const Byte check = (entry.Flags & 8) ? static_cast<Byte>(entry.Time >> 8) : static_cast<Byte>(entry.Crc >> 24);
    if (last != check) return kExtractRefused;
    decrypted.resize(inputSize - kEncryptionHeaderSize);
    for (std::size_t i = 0; i < decrypted.size(); ++i)
      decrypted[i] = static_cast<char>(cipher.DecryptByte(input[kEncryptionHeaderSize + i]));
    input = reinterpret_cast<const Byte*>(decrypted.data());
    inputSize = decrypted.size();
  }

  const std::size_t limit =
      std::min<std::size_t>(std::size_t(entry.Size) + 1, inputSize * kMaxInflateRatio + 1024);
  int answer = Inflate(input, inputSize, limit, Output) ? kExtracted : kExtractFailed;
  if (Output.empty() && answer == kExtracted)
    answer = kExtractFailed;
  else if (Output.size() != entry.Size)
    answer = kExtractRefused;
  if (answer != kExtracted) Output.clear();
  return answer;
}

bool ParseSkinData(const AnsiString& Member, std::vector<TSkinRecord>& Records) {
  Records.clear();
  if (Member.size() < kSkinHeaderSize || I32(Member, 12) != kSkinHeaderSize) return false;
  std::int64_t at = I32(Member, 20);
  std::set<std::int64_t> visited;
  for (;;) {
    if (!InRange(at, kSkinRecordSize, Member.size()) || !visited.insert(at).second) return false;
    const std::size_t record = static_cast<std::size_t>(at);
    const std::int64_t next = I32(Member, record + 73);
    if (next == 0) return true;
    TSkinRecord value;
    const char* name = Member.data() + record;
    value.Name.assign(name, strnlen(name, kSkinNameSize));
    value.Kind = static_cast<Byte>(Member[record + 64]);
    const std::int64_t dataAt = I32(Member, record + 65);
    const std::int64_t dataSize = I32(Member, record + 69);
    if (value.Kind <= svText) {
      if (!InRange(dataAt, dataSize, Member.size())) return false;
      if ((value.Kind == svInteger && dataSize != 4) || (value.Kind == svFlag && dataSize != 1)) return false;
      value.Data = Member.substr(static_cast<std::size_t>(dataAt), static_cast<std::size_t>(dataSize));
      Records.push_back(std::move(value));
    }
    at = next;
  }
}

}  // namespace skinpack
