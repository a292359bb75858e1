#include "platform/audio/codecs/ApeTags.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "platform/framework/base/Utf8.h"

namespace {

constexpr std::int64_t kFooterBytes = 32;
constexpr std::uint32_t kMaxTagBytes = 1u << 24;

std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

bool SameKey(const char* key, std::size_t size, const char* name) {
  if (std::strlen(name) != size) return false;
  for (std::size_t i = 0; i < size; ++i)
    if (std::tolower(static_cast<unsigned char>(key[i])) != std::tolower(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

String* FieldOf(AudioTags& tags, const char* key, std::size_t size) {
  if (SameKey(key, size, "title")) return &tags.Title;
  if (SameKey(key, size, "artist")) return &tags.Artist;
  if (SameKey(key, size, "album")) return &tags.Album;
  if (SameKey(key, size, "year")) return &tags.Year;
  if (SameKey(key, size, "comment")) return &tags.Comment;
  if (SameKey(key, size, "genre")) return &tags.Genre;
  return nullptr;
}

String TextOf(const std::uint8_t* bytes, std::size_t size) {
  const AnsiString text(reinterpret_cast<const char*>(bytes), size);
  if (IsValidUtf8(text)) return Utf8Decode(text);
  String latin1;
  for (unsigned char c : text) latin1 += static_cast<wchar_t>(c);
  return latin1;
}

}  // namespace

void ReadApeTags(const ByteSource& source, AudioTags& tags) {
  std::int64_t end = source.Size();
  std::uint8_t id3[3] = {};
  if (end >= 128 && source.ReadAt(end - 128, id3, 3) == 3 && !std::memcmp(id3, "TAG", 3)) end -= 128;
  std::uint8_t footer[kFooterBytes] = {};
  if (end < kFooterBytes || source.ReadAt(end - kFooterBytes, footer, sizeof footer) != sizeof footer ||
      std::memcmp(footer, "APETAGEX", 8) != 0)
    return;
  const std::uint32_t size = Le32(footer + 12), count = Le32(footer + 16);
  if (size < kFooterBytes || size > kMaxTagBytes || size > end) return;
  std::vector<std::uint8_t> items(size - kFooterBytes);
  if (source.ReadAt(end - size, items.data(), items.size()) != items.size()) return;
  std::size_t at = 0;
  for (std::uint32_t i = 0; i < count && at + 9 <= items.size(); ++i) {
    const std::uint32_t valueSize = Le32(&items[at]);
    const std::uint32_t flags = Le32(&items[at + 4]);
    const char* key = reinterpret_cast<const char*>(&items[at + 8]);
    const auto* keyEnd = static_cast<const std::uint8_t*>(std::memchr(key, 0, items.size() - at - 8));
    if (!keyEnd) return;
    const std::size_t keySize = static_cast<std::size_t>(keyEnd - &items[at + 8]);
    const std::size_t value = at + 8 + keySize + 1;
    if (valueSize > items.size() - value) return;
    String* field = FieldOf(tags, key, keySize);
    const bool text = ((flags >> 1) & 3) == 0;  // not binary, not a link
    if (field && text) *field = TextOf(&items[value], valueSize);
    at = value + valueSize;
  }
}
