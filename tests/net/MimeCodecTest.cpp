#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/Base64.h"
#include "net/HeaderEncoding.h"
#include "net/QuotedPrintable.h"
#include "platform/framework/base/Exceptions.h"

namespace {

struct TextCase {
  std::string input;
  std::string expected;
};

TEST(Base64, EncodesAndDecodesTheStandardVectors) {
  const TextCase cases[] = {{"", ""},          {"f", "Zg=="},         {"fo", "Zm8="},
                            {"foo", "Zm9v"},   {"foob", "Zm9vYg=="},  {"fooba", "Zm9vYmE="},
                            {"foobar", "Zm9vYmFy"}, {std::string("\0\xff\xfe", 3), "AP/+"},
                            // the answer of a CRAM-MD5 exchange
                            {"tim b913a602c7eda7a495b4e6e7334d3890", "dGltIGI5MTNhNjAyYzdlZGE3YTQ5NWI0ZTZlNzMzNGQzODkw"}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, Base64EncodeText(c.input)) << c.input;
    EXPECT_EQ(c.input, Base64DecodeText(c.expected)) << c.expected;
  }
}

TEST(Base64, DecodingSkipsGarbageAndIgnoresAnIncompleteGroup) {
  const TextCase cases[] = {
      {"Zm9v\r\nYmFy\r\n", "foobar"},
      {"Zm 9v!Ym*Fy", "foobar"},
      {"Zm9vYg", "foo"},       // incomplete last group
      {"Zm9vY", "foo"},
      {"Z", ""},
      {"====", ""},            // pads where bytes must be
      {"Zg==Zm8=", "ffo"},     // padded groups followed by more
      {"\x80\xff\x01", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, Base64DecodeText(c.input)) << c.input;
}

TEST(Base64, EncodeUpToFillsLinesOfTheColumnLimit) {
  std::string data(100, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = char(i * 13);
  int pos = 1;
  std::string first, second;
  Base64EncodeUpTo(data, 76, pos, first);
  EXPECT_EQ(76u, first.size());
  EXPECT_EQ(58, pos);  // 19 groups of 3 bytes
  Base64EncodeUpTo(data, 76, pos, second);
  EXPECT_GT(pos, 100);
  EXPECT_EQ(Base64EncodeText(data), first + second);
  // An existing result counts against the limit.
  std::string result(74, 'x');
  pos = 1;
  Base64EncodeUpTo(data, 76, pos, result);
  EXPECT_EQ(78u, result.size());
  EXPECT_EQ(4, pos);
}

TEST(QuotedPrintable, HasNonPrintable) {
  EXPECT_FALSE(HasNonPrintable("plain text ~\t\r\n"));
  EXPECT_FALSE(HasNonPrintable(""));
  EXPECT_TRUE(HasNonPrintable("caf\xe9"));
  EXPECT_TRUE(HasNonPrintable(std::string("a\0b", 3)));
  EXPECT_TRUE(HasNonPrintable("bell\x07"));
  EXPECT_TRUE(HasNonPrintable("del\x7f"));
}

std::vector<std::string> AllPieces(const std::string& text, int maxCol, const TAnsiCharSet& specials,
                                   bool shortSpace, bool fold) {
  std::vector<std::string> pieces;
  int pos = 1;
  while (std::size_t(pos) <= text.size() && pieces.size() <= text.size()) {
    const int before = pos;
    pieces.push_back(QuotedPrintablePiece(text, maxCol, specials, pos, shortSpace, fold));
    EXPECT_GT(pos, before) << "piece consumed nothing";
  }
  return pieces;
}

TEST(QuotedPrintable, BodyPiecesKeepTheLimitAndEscape) {
  const std::string text = "a=b caf\xe9\r\nline " + std::string(100, 'x');
  const auto pieces = AllPieces(text, 75, TAnsiCharSet(), false, true);
  ASSERT_EQ(2u, pieces.size());
  EXPECT_EQ(75u, pieces[0].size());
  EXPECT_EQ("a=3Db caf=E9=0D=0Aline " + std::string(51, 'x') + "=", pieces[0]);
  EXPECT_EQ(std::string(49, 'x'), pieces[1]);
}

TEST(QuotedPrintable, EscapesAreNeverSplitByTheSoftBreak) {
  // "xx" fills columns 1-2; "=E9" would need columns 3-5 of a 5-column piece with its soft break.
  EXPECT_EQ((std::vector<std::string>{"xx=", "=E9x=", "x"}),
            AllPieces("xx\xe9xx", 5, TAnsiCharSet(), false, true));
  EXPECT_EQ((std::vector<std::string>{"a_b=", "=3F"}), AllPieces("a b?", 5, TAnsiCharSet(" ?"), true, true));
}

TEST(QuotedPrintable, LimitsTooSmallForAnEscapeStillConsumeACharacter) {
  EXPECT_EQ((std::vector<std::string>{"=E9=", "=E9"}), AllPieces("\xe9\xe9", 2, TAnsiCharSet(), false, true));
  EXPECT_EQ((std::vector<std::string>{"a=", "b"}), AllPieces("ab", 1, TAnsiCharSet(), false, true));
  // Without folding the limit is the text's length.
  EXPECT_EQ((std::vector<std::string>{"=E9"}), AllPieces("\xe9", 40, TAnsiCharSet(), false, false));
}

// Decodes one "Q" encoded word's text ("_" is a blank).
std::string DecodeQ(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '_')
      out += ' ';
    else if (text[i] == '=' && i + 2 < text.size())
      out += char(std::stoi(text.substr(i + 1, 2), nullptr, 16)), i += 2;
    else
      out += text[i];
  }
  return out;
}

// Splits encoded words joined by CR LF TAB, checking each word's frame and length, and decodes them.
std::string DecodeWords(const std::string& encoded, const std::string& prefix, char type, std::size_t maxCol) {
  std::string decoded;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = encoded.find("\r\n\t", start);
    const std::string word = encoded.substr(start, end == std::string::npos ? std::string::npos : end - start);
    EXPECT_LE(word.size(), maxCol) << word;
    EXPECT_EQ(0u, word.rfind(prefix, 0)) << word;
    EXPECT_EQ("?=", word.substr(word.size() - 2)) << word;
    const std::string body = word.substr(prefix.size(), word.size() - prefix.size() - 2);
    decoded += type == 'Q' ? DecodeQ(body) : Base64DecodeText(body);
    if (end == std::string::npos) break;
    start = end + 3;
  }
  return decoded;
}

TEST(HeaderEncoding, EncodesWordsWithoutFolding) {
  const std::string naive = "na\xefve";
  EXPECT_EQ("=?iso-8859-1?Q?na?=\r\n\t=?iso-8859-1?Q?=EFv?=\r\n\t=?iso-8859-1?Q?e?=",
            HdrEncodeInLine(naive, Rfc822Specials, 'Q', 76, false, "ISO-8859-1"));
  EXPECT_EQ("=?iso-8859-1?B?" + Base64EncodeText(naive) + "?=",
            HdrEncodeInLine(naive, Rfc822Specials, 'B', 76, false, "ISO-8859-1"));
  EXPECT_EQ("", HdrEncodeInLine("", Rfc822Specials, 'Q', 76, false, "utf-8"));
  // A one-character text that needs an escape leaves a piece limit of 1: it must still end.
  EXPECT_EQ("=?utf-8?Q?=E9?=", HdrEncodeInLine("\xe9", Rfc822Specials, 'Q', 76, false, "utf-8"));
  EXPECT_EQ("=?utf-8?Q?=3C?=\r\n\t=?utf-8?Q?_?=\r\n\t=?utf-8?Q?=3E?=",
            HdrEncodeInLine("< >", Rfc822Specials, 'Q', 76, false, "UTF-8"));
}

TEST(HeaderEncoding, FoldedWordsFitTheColumnAndDecodeBack) {
  std::string text;
  for (int i = 0; i < 120; ++i) text += char(i % 3 == 0 ? 0xe0 + i % 16 : 'a' + i % 26);
  text += " (x, y) <@> \"q\" = ? _";
  for (char type : {'Q', 'B'}) {
    for (int maxCol : {66, 40, 10}) {
      const std::string encoded = HdrEncodeInLine(text, Rfc822Specials, type, maxCol, true, "ISO-8859-15");
      const std::size_t effective = std::size_t(std::max(maxCol, 25));
      EXPECT_EQ(text, DecodeWords(encoded, std::string("=?iso-8859-15?") + type + "?", type, effective))
          << type << maxCol;
      EXPECT_NE(std::string::npos, encoded.find("\r\n\t")) << type << maxCol;
    }
  }
}

TEST(HeaderEncoding, AVeryLongCharsetNameStillEnds) {
  const std::string charset(40, 'c');
  const std::string encoded = HdrEncodeInLine("\xe9\xe9", Rfc822Specials, 'Q', 30, true, charset);
  EXPECT_EQ("=?" + charset + "?Q?=E9?=\r\n\t=?" + charset + "?Q?=E9?=", encoded);
  EXPECT_EQ("=?" + charset + "?B?6ek=?=", HdrEncodeInLine("\xe9\xe9", Rfc822Specials, 'B', 30, true, charset));
}

TEST(HeaderEncoding, RejectsBadParameters) {
  try {
    HdrEncodeInLine("x", Rfc822Specials, 'Q', 76, false, "utf");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& error) {
    EXPECT_EQ(L"Function 'HdrEncodeInLine', invalid CharSet: utf", error.Message());
  }
  try {
    HdrEncodeInLine("x", Rfc822Specials, 'X', 76, false, "utf-8");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& error) {
    EXPECT_EQ(L"Function 'HdrEncodeInLine', invalid EncType: X", error.Message());
  }
}

}  // namespace
