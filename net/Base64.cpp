#include "net/Base64.h"

#include <algorithm>
#include <array>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr Byte kPadValue = 64;
constexpr Byte kNotInAlphabet = 255;

constexpr std::array<Byte, 256> MakeDecodingTable() {
  std::array<Byte, 256> table{};
  for (auto& value : table) value = kNotInAlphabet;
  for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(kAlphabet[i])] = Byte(i);
  table['='] = kPadValue;
  return table;
}

constexpr std::array<Byte, 256> kDecoding = MakeDecodingTable();

// Encodes up to 3 bytes of s from the 0-based index at, padding a short group with "=".
void AppendGroup(const AnsiString& s, std::size_t at, AnsiString& out) {
  const std::size_t count = std::min<std::size_t>(3, s.size() - at);
  Cardinal bits = 0;
  for (std::size_t i = 0; i < 3; ++i) bits = bits << 8 | (i < count ? static_cast<unsigned char>(s[at + i]) : 0);
  for (std::size_t i = 0; i < 4; ++i) out += i <= count ? kAlphabet[(bits >> (18 - 6 * i)) & 63] : '=';
}

void DecodeGroup(const Byte group[4], AnsiString& out) {
  // A pad in the first two places carries no byte; the group is dropped.
  if (group[0] == kPadValue || group[1] == kPadValue) return;
  const Cardinal bits = Cardinal(group[0]) << 18 | Cardinal(group[1]) << 12 |
                        Cardinal(group[2] == kPadValue ? 0 : group[2]) << 6 |
                        Cardinal(group[3] == kPadValue ? 0 : group[3]);
  out += char(bits >> 16);
  if (group[2] == kPadValue) return;
  out += char(bits >> 8);
  if (group[3] == kPadValue) return;
  out += char(bits);
}

}  // namespace

AnsiString Base64EncodeText(const AnsiString& text) {
  AnsiString out;
  out.reserve((text.size() + 2) / 3 * 4);
  for (std::size_t at = 0; at < text.size(); at += 3) AppendGroup(text, at, out);
  return out;
}

void Base64EncodeUpTo(const AnsiString& s, int MaxCol, int& Pos, AnsiString& result) {
  while (Pos >= 1 && std::size_t(Pos) <= s.size() && result.size() < std::size_t(std::max(MaxCol, 0))) {
    AppendGroup(s, std::size_t(Pos) - 1, result);
    Pos += 3;
  }
}

AnsiString Base64DecodeText(const AnsiString& text) {
  AnsiString out;
  out.reserve(text.size() / 4 * 3);
  Byte group[4];
  int filled = 0;
  for (char c : text) {
    const Byte value = kDecoding[static_cast<unsigned char>(c)];
    if (value == kNotInAlphabet) continue;
    group[filled++] = value;
    if (filled == 4) {
      DecodeGroup(group, out);
      filled = 0;
    }
  }
  return out;
}
