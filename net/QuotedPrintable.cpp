#include "net/QuotedPrintable.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsPrintable(char c) { return c >= ' ' && c <= '~'; }

}  // namespace

bool HasNonPrintable(const AnsiString& s) {
  for (char c : s)
    if (!IsPrintable(c) && c != '\t' && c != '\n' && c != '\r') return true;
  return false;
}

AnsiString QuotedPrintablePiece(const AnsiString& s, int MaxCol, const TAnsiCharSet& Specials, int& Pos,
                                bool ShortSpace, bool Fold) {
  if (!Fold) MaxCol = int(s.size());
  AnsiString piece;
  if (Pos < 1) Pos = 1;
  while (std::size_t(Pos) <= s.size()) {
    const char c = s[std::size_t(Pos) - 1];
    const int column = int(piece.size()) + 1;
    AnsiString encoded;
    int room;  // the last column at which this form still fits before a soft break
    if (IsPrintable(c) && !Specials.Contains(c) && c != '=') {
      encoded = c;
      room = MaxCol - 1;
    } else if (c == ' ' && ShortSpace) {
      encoded = '_';
      room = MaxCol - 1;
    } else {
      const unsigned char byte = static_cast<unsigned char>(c);
      encoded = {'=', kHexDigits[byte >> 4], kHexDigits[byte & 15]};
      room = MaxCol - 3;
    }
    if (column > room && !piece.empty()) {
      piece += '=';
      break;
    }
    piece += encoded;
    ++Pos;
  }
  return piece;
}
