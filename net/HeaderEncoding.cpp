#include "net/HeaderEncoding.h"

#include <climits>

#include "net/Base64.h"
#include "net/QuotedPrintable.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/Utf8.h"

const TAnsiCharSet Rfc822Specials("(),.:;<>@[\\]\"");

namespace {

constexpr int kMinimumFoldColumn = 25;
const char kContinuation[] = "\r\n\t";

AnsiString LowerAscii(AnsiString text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return text;
}

AnsiString EncodeQ(const AnsiString& text, const TAnsiCharSet& Specials, int MaxCol, bool Fold,
                   const AnsiString& prefix) {
  const TAnsiCharSet escaped = Specials + " =?_";
  const int pieceLimit = MaxCol - int(prefix.size()) - 2;
  AnsiString result;
  int pos = 1;
  while (std::size_t(pos) <= text.size()) {
    AnsiString piece = QuotedPrintablePiece(text, pieceLimit, escaped, pos, true, Fold);
    if (!piece.empty() && piece.back() == '=') piece.pop_back();
    if (!result.empty()) result += kContinuation;
    result += prefix + piece + "?=";
  }
  return result;
}

AnsiString EncodeB(const AnsiString& text, int MaxCol, bool Fold, const AnsiString& prefix) {
  const int limit = Fold ? MaxCol : INT_MAX;
  const int startColumn = int(prefix.size()) + 2;
  AnsiString result = prefix;
  int column = startColumn;
  bool wordHasGroup = false;
  for (std::size_t at = 0; at < text.size(); at += 3) {
    // A word always holds at least one group, however small the limit.
    if (limit < column + 4 && wordHasGroup) {
      result += "?=";
      result += kContinuation;
      result += prefix;
      column = startColumn;
    }
    result += Base64EncodeText(text.substr(at, 3));
    column += 4;
    wordHasGroup = true;
  }
  return result + "?=";
}

}  // namespace

AnsiString HdrEncodeInLine(const AnsiString& text, const TAnsiCharSet& Specials, char EncType, int MaxCol,
                           bool Fold, const AnsiString& CharSet) {
  if (Fold && MaxCol < kMinimumFoldColumn) MaxCol = kMinimumFoldColumn;
  if (CharSet.size() < 4)
    throw Exception(L"Function 'HdrEncodeInLine', invalid CharSet: " + Utf8Decode(CharSet));
  if (EncType != 'B' && EncType != 'Q')
    throw Exception(L"Function 'HdrEncodeInLine', invalid EncType: " + String(1, wchar_t(static_cast<unsigned char>(EncType))));
  const AnsiString prefix = "=?" + LowerAscii(CharSet) + "?" + EncType + "?";
  return EncType == 'Q' ? EncodeQ(text, Specials, MaxCol, Fold, prefix) : EncodeB(text, MaxCol, Fold, prefix);
}
