#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "net/TextWrap.h"
#include "platform/framework/classes/Strings.h"

namespace {

std::vector<std::string> AllPieces(const std::string& line, const std::string& breakStr, const TAnsiCharSet& breaks,
                                   int maxCol, const TAnsiCharSet& quotes) {
  std::vector<std::string> pieces;
  int pos = 1;
  while (pos >= 1 && std::size_t(pos) <= line.size() && pieces.size() <= line.size()) {
    pieces.push_back(NextWrappedPiece(line, breakStr, breaks, maxCol, quotes, pos));
  }
  EXPECT_EQ(INT_MAX, pos) << line;
  return pieces;
}

struct WrapCase {
  std::string line;
  std::string breakStr;
  std::string breaks;
  int maxCol;
  std::vector<std::string> pieces;
};

TEST(NextWrappedPiece, Table) {
  const WrapCase cases[] = {
      {"a, b, c", "", ",;", 1, {"a,", " b,", " c"}},
      {"\"x, y\" <a@b>, 'p;q' c", "", ",;", 1, {"\"x, y\" <a@b>,", " 'p;q' c"}},
      {"abc\r\n\tdef", "\r\n\t", " ", 76, {"abc", "def"}},
      {"a<BR>b<br>c", "<br>", " ", 76, {"a", "b", "c"}},
      {std::string(100, 'x'), "", " ", 10, {std::string(100, 'x')}},
      {"one two three four", "", " ", 8, {"one two ", "three ", "four"}},
      {"short line", "", " ", 76, {"short line"}},
      // A break character at the piece's start is no break point of its own.
      {" abc def", "", " ", 2, {" abc ", "def"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.pieces, AllPieces(c.line, c.breakStr, TAnsiCharSet(c.breaks), c.maxCol, "\"'")) << c.line;
}

TEST(FoldHeaderToList, FoldsLongAddressListsWithTabContinuations) {
  std::string header = "To: ";
  for (int i = 0; i < 12; ++i) header += (i ? ", " : "") + std::string("person") + char('a' + i) + "@example.org";
  ASSERT_GT(header.size(), 200u);
  TStringList list;
  FoldHeaderToList(list, header);
  ASSERT_GT(list.Count(), 2);
  std::wstring joined;
  for (int i = 0; i < list.Count(); ++i) {
    const String line = list[i];
    EXPECT_LE(line.size(), 80u) << i;
    EXPECT_EQ(i > 0, line[0] == L'\t') << i;
    joined += i ? L" " + line.substr(1) : line;
  }
  EXPECT_EQ(std::wstring(header.begin(), header.end()), joined);
}

TEST(FoldHeaderToList, KeepsShortLinesAndAddsNoBlankContinuation) {
  TStringList list;
  FoldHeaderToList(list, "Subject: hello");
  FoldHeaderToList(list, "X-Long: " + std::string(70, 'y') + " tail" + std::string(10, ' '));
  ASSERT_EQ(3, list.Count());
  EXPECT_EQ(L"Subject: hello", list[0]);
  // The blanks after "tail" would make a fourth, empty continuation line.
  EXPECT_EQ(L"X-Long:", list[1]);
  EXPECT_EQ(L"\t" + std::wstring(70, L'y') + L" tail", list[2]);
}

TEST(FoldText, JoinsTrimmedPiecesWithContinuations) {
  EXPECT_EQ("report of the\r\n\tyear", FoldText("report of the year", " ", 14));
  EXPECT_EQ("abc", FoldText("abc", " ", 14));
}

}  // namespace
