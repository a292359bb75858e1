#include "net/TextWrap.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/base/Win32.h"

namespace {

const char kFoldBreak[] = "\r\n\t";
const TAnsiCharSet kHeaderBreakChars("\t ,;>]");
constexpr int kHeaderColumns = 76;

bool MatchesNoCase(const AnsiString& line, std::size_t at, const AnsiString& text) {
  if (line.size() - at < text.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char a = static_cast<unsigned char>(line[at + i]), b = static_cast<unsigned char>(text[i]);
    if (a != b && std::tolower(a) != std::tolower(b)) return false;
  }
  return true;
}

// Calls add with every trimmed piece of text.
template <class Add>
void ForEachFoldedPiece(const AnsiString& text, const TAnsiCharSet& breakChars, int maxCol, Add add) {
  int pos = 1;
  bool first = true;
  do {
    const AnsiString piece = Trim(NextWrappedPiece(text, kFoldBreak, breakChars, maxCol, TAnsiCharSet(), pos));
    // A continuation of blanks only would be an empty folded line.
    if (first || !piece.empty()) add(piece, first);
    first = false;
  } while (pos >= 1 && std::size_t(pos) <= text.size());
}

}  // namespace

AnsiString NextWrappedPiece(const AnsiString& Line, const AnsiString& BreakStr, const TAnsiCharSet& BreakChars,
                            int MaxCol, const TAnsiCharSet& QuoteChars, int& Pos) {
  // 0-based indexes below; Pos and the result of the scan are 1-based.
  const std::size_t start = std::size_t(std::max(Pos, 1)) - 1;
  std::size_t breakAt = AnsiString::npos;
  bool existingBreak = false;
  char openQuote = 0;
  int column = 1;
  for (std::size_t i = start; i < Line.size(); ++i, ++column) {
    const char c = Line[i];
    if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < Line.size()) {
      ++i;
    } else if (openQuote == 0 && !BreakStr.empty() && c == BreakStr[0] && MatchesNoCase(Line, i, BreakStr)) {
      existingBreak = true;
      i += BreakStr.size() - 1;
      breakAt = i;
    } else if (openQuote == 0 && BreakChars.Contains(c)) {
      breakAt = i;
    } else if (QuoteChars.Contains(c)) {
      if (openQuote == c)
        openQuote = 0;
      else if (openQuote == 0)
        openQuote = c;
    }
    if (openQuote != 0) continue;
    if (existingBreak || (column + 1 > MaxCol && breakAt != AnsiString::npos && breakAt > start)) {
      const std::size_t end = existingBreak ? breakAt + 1 - BreakStr.size() : breakAt + 1;
      Pos = int(breakAt) + 2;
      return Line.substr(start, end - start);
    }
  }
  Pos = INT_MAX;
  return start < Line.size() ? Line.substr(start) : AnsiString();
}

void FoldHeaderToList(TStrings& List, const AnsiString& HeaderLine) {
  ForEachFoldedPiece(HeaderLine, kHeaderBreakChars, kHeaderColumns, [&](const AnsiString& piece, bool first) {
    List.Add(AnsiToString(first ? piece : "\t" + piece));
  });
}

AnsiString FoldText(const AnsiString& Text, const TAnsiCharSet& BreakChars, int MaxCol) {
  AnsiString folded;
  ForEachFoldedPiece(Text, BreakChars, MaxCol, [&](const AnsiString& piece, bool first) {
    if (!first) folded += kFoldBreak;
    folded += piece;
  });
  return folded;
}
