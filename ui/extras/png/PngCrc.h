#pragma once
// The PNG file signature and the chunk CRC (reflected polynomial 0xEDB88320), table built at
// compile time.

#include <array>
#include <cstddef>

#include "platform/framework/base/Types.h"

inline constexpr std::array<Byte, 8> PngSignature = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

namespace png_crc_detail {
// Eight tables: table 0 is the classic byte table, table k advances a byte k more positions, so the
// loop can take eight bytes per step.
using Tables = std::array<std::array<Cardinal, 256>, 8>;
constexpr Tables MakeTables() {
  Tables t{};
  for (Cardinal n = 0; n < 256; ++n) {
    Cardinal c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][n] = c;
  }
  for (int k = 1; k < 8; ++k)
    for (int n = 0; n < 256; ++n) t[k][n] = t[0][t[k - 1][n] & 0xFF] ^ (t[k - 1][n] >> 8);
  return t;
}
inline constexpr Tables Table = MakeTables();
}  // namespace png_crc_detail

inline constexpr Cardinal PngCrcStart = 0xFFFFFFFFu;

// Continues a running (not yet complemented) CRC over the bytes.
inline Cardinal UpdatePngCrc(Cardinal crc, const Byte* data, std::size_t size) {
  const auto& t = png_crc_detail::Table;
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    const Cardinal lo = crc ^ (Cardinal(data[i]) | Cardinal(data[i + 1]) << 8 |
                               Cardinal(data[i + 2]) << 16 | Cardinal(data[i + 3]) << 24);
    crc = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
          t[3][data[i + 4]] ^ t[2][data[i + 5]] ^ t[1][data[i + 6]] ^ t[0][data[i + 7]];
  }
  for (; i < size; ++i) crc = t[0][(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc;
}

// The finished CRC of a chunk: over its type and data, complemented.
inline Cardinal PngChunkCrc(const Byte* type, const Byte* data, std::size_t size) {
  return ~UpdatePngCrc(UpdatePngCrc(PngCrcStart, type, 4), data, size);
}
