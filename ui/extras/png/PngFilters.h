#pragma once
// The five row filters of the format: undoing them while decoding, and the candidates and the
// choice between them while encoding.

#include <array>
#include <vector>

#include "platform/framework/base/Types.h"

enum TPngRowFilter { rfNone, rfSub, rfUp, rfAverage, rfPaeth };
// A set of TPngRowFilter values: bit 1 << filter.
using TPngRowFilters = Byte;
inline constexpr TPngRowFilters PngFilterBit(TPngRowFilter f) { return TPngRowFilters(1u << f); }

inline Byte PaethPredictor(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = p > a ? p - a : a - p;
  const int pb = p > b ? p - b : b - p;
  const int pc = p > c ? p - c : c - p;
  if (pa <= pb && pa <= pc) return Byte(a);
  return pb <= pc ? Byte(b) : Byte(c);
}

// Undoes filter type on row (length bytes, without the type byte) against the row above.
// Unknown filter types leave the row as it is.
void UnfilterRow(int filterType, Byte* row, const Byte* above, std::size_t length, int pixelStep);

// Working buffers of the encoder: the raw row, the previous raw row and one candidate per filter,
// each candidate with its filter-type byte in front.
class TPngFilterChooser {
 public:
  TPngFilterChooser(TPngRowFilters filters, std::size_t rowLength, int pixelStep);

  Byte* RawRow() { return raw_.data(); }
  // Restarts for a row of this length with a zero row above (each Adam7 pass).
  void StartPass(std::size_t rowLength);
  // Filters the raw row, remembers it as the row above the next one, and answers the chosen
  // candidate: its type byte followed by rowLength bytes.
  const Byte* FilterRow();

 private:
  int Choose() const;
  int RunScore(const Byte* candidate) const;

  TPngRowFilters filters_;
  std::size_t length_;
  int step_;
  std::vector<Byte> raw_;
  std::vector<Byte> previous_;
  std::array<std::vector<Byte>, 5> candidates_;
};
