#include <gtest/gtest.h>

#include "platform/framework/rtl/TextEncoding.h"
#include "platform/framework/base/Win32.h"

namespace {

TEST(TextEncoding, DecodingFollowsBomThenUtf8ThenAnsi) {
  struct Case {
    const char* what;
    AnsiString bytes;
    TTextEncoding encoding;
    String text;
  };
  const Case cases[] = {
      {"UTF-8 BOM", "\xEF\xBB\xBF" "a\xC3\xA9", TTextEncoding::Utf8Bom, L"a\u00e9"},
      {"UTF-16LE BOM", AnsiString("\xFF\xFE" "a\0\x3C\xD8\xB5\xDF", 8), TTextEncoding::Utf16LE, L"a\U0001F3B5"},
      {"UTF-16BE BOM", AnsiString("\xFE\xFF\0a\xD8\x3C\xDF\xB5", 8), TTextEncoding::Utf16BE, L"a\U0001F3B5"},
      {"valid UTF-8", "\xE2\x82\xAC 5", TTextEncoding::Utf8, L"\u20ac 5"},
      {"plain ASCII", "abc", TTextEncoding::Utf8, L"abc"},
      {"empty", "", TTextEncoding::Utf8, L""},
      {"BOM only", "\xEF\xBB\xBF", TTextEncoding::Utf8Bom, L""},
      {"not UTF-8", "caf\xE9", TTextEncoding::Ansi, AnsiToString("caf\xE9")},
  };
  for (const Case& c : cases) {
    TTextEncoding detected = TTextEncoding::Utf8Bom;
    EXPECT_EQ(DecodeText(c.bytes, &detected), c.text) << c.what;
    EXPECT_EQ(detected, c.encoding) << c.what;
  }
}

TEST(TextEncoding, EncodingWritesTheMarkAndRoundTrips) {
  const String text = L"x\u00e9\U0001F3B5";
  EXPECT_EQ(EncodeText(text, TTextEncoding::Utf8Bom), "\xEF\xBB\xBFx\xC3\xA9\xF0\x9F\x8E\xB5");
  EXPECT_EQ(EncodeText(text, TTextEncoding::Utf8), "x\xC3\xA9\xF0\x9F\x8E\xB5");
  EXPECT_EQ(EncodeText(L"x", TTextEncoding::Utf16LE), AnsiString("\xFF\xFEx\0", 4));
  EXPECT_EQ(EncodeText(L"x", TTextEncoding::Utf16BE), AnsiString("\xFE\xFF\0x", 4));
  for (TTextEncoding encoding : {TTextEncoding::Utf8Bom, TTextEncoding::Utf16LE, TTextEncoding::Utf16BE})
    EXPECT_EQ(DecodeText(EncodeText(text, encoding)), text) << static_cast<int>(encoding);
}

TEST(TextEncoding, AnsiCodePage) {
  EXPECT_EQ(AnsiToString(StringToAnsi(L"plain")), L"plain");
  // Windows-1252 has the euro sign at 0x80 and no CJK characters.
  EXPECT_EQ(AnsiToString("\x80", 1252), L"\u20ac");
  EXPECT_EQ(StringToAnsi(L"\u20ac\u65e5", 1252), "\x80?");
  EXPECT_EQ(StringToAnsi(L"\u00e9", CP_UTF8), "\xC3\xA9");
}

}  // namespace
