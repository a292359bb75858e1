#include <gtest/gtest.h>

#include <algorithm>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/base/Win32.h"

namespace {

// Runs a test with known settings and puts the process's settings back afterwards.
class SysUtilsTest : public ::testing::Test {
 protected:
  SysUtilsTest() : saved_(FormatSettings) { FormatSettings = InvariantFormatSettings(); }
  ~SysUtilsTest() override { FormatSettings = saved_; }

 private:
  TFormatSettings saved_;
};

template <class F>
String ConvertErrorOf(F&& f) {
  try {
    f();
  } catch (const EConvertError& e) {
    return e.Message();
  }
  return L"(no error)";
}

TEST_F(SysUtilsTest, FormatSpecifiers) {
  struct Case {
    const wchar_t* format;
    std::initializer_list<TVarRec> args;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"%s (%s)", {L"Half Volume", String(L"Ctrl+H")}, L"Half Volume (Ctrl+H)"},
      {L"[%d]", {-42}, L"[-42]"},
      {L"%.2d:%2.2d", {5, 7}, L"05:07"},
      {L"%4.4d|%.3d|%.1d", {12, 7, 123}, L"0012|007|123"},
      {L"%.3d", {-5}, L"-005"},
      {L"%5d|%-5d|", {42, 42}, L"   42|42   |"},
      {L"%x %X %8.8x", {255, 255, 0xBEEF}, L"ff FF 0000beef"},
      {L"%x", {-1}, L"ffffffff"},
      {L"%u", {4000000000u}, L"4000000000"},
      {L"100%%", {}, L"100%"},
      {L"%1:s-%0:s", {L"a", L"b"}, L"b-a"},
      {L"%*d", {4, 7}, L"   7"},
      {L"%.2f|%.0f", {3.14159, 2.5}, L"3.14|2"},
      {L"%s", {AnsiString("bytes")}, L"bytes"},
      {L"%d", {Int64(-9000000000LL)}, L"-9000000000"},
      {L"%.3s", {L"abcdef"}, L"abc"},
      {L"%d", {rfIgnoreCase}, L"2"},
  };
  for (const Case& c : cases) EXPECT_EQ(Format(c.format, c.args), c.expected) << c.format;
}

TEST_F(SysUtilsTest, FormatMismatchRaisesConvertError) {
  EXPECT_EQ(ConvertErrorOf([] { Format(L"%d", {L"text"}); }), L"Format '%d' invalid or incompatible with argument");
  EXPECT_EQ(ConvertErrorOf([] { Format(L"%s", {3.5}); }), L"Format '%s' invalid or incompatible with argument");
  EXPECT_EQ(ConvertErrorOf([] { Format(L"%d %d", {1}); }), L"No argument for format '%d %d'");
  EXPECT_EQ(ConvertErrorOf([] { Format(L"%q", {1}); }), L"Format '%q' invalid or incompatible with argument");
  EXPECT_EQ(ConvertErrorOf([] { Format(L"50%", {}); }), L"Format '50%' invalid or incompatible with argument");
}

TEST_F(SysUtilsTest, StrToIntAcceptsBlanksSignsAndHex) {
  struct Case {
    const wchar_t* text;
    int expected;
  };
  const Case cases[] = {
      {L"42", 42},         {L"  -7", -7},   {L"+3", 3},   {L"$1F", 31},
      {L"0x1f", 31},       {L"0X10", 16},   {L"-$10", -16},
      {L"2147483647", 2147483647},          {L"-2147483648", -2147483647 - 1},
      {L"$FFFFFFFF", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(StrToInt(c.text), c.expected) << c.text;
  EXPECT_EQ(StrToInt64(L"9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToInt64(L"-9223372036854775808"), INT64_MIN);
}

TEST_F(SysUtilsTest, IntegerConversionErrorsQuoteTheTextAsGiven) {
  const wchar_t* invalid[] = {L"", L"   ", L"12 ", L"1.5", L"abc", L"--1", L"$", L"0x", L"2147483648", L"-2147483649",
                              L"$100000000", L"1,2"};
  for (const wchar_t* text : invalid) {
    EXPECT_EQ(ConvertErrorOf([&] { StrToInt(text); }), L"'" + String(text) + L"' is not a valid integer value") << text;
    int untouched = 99;
    EXPECT_FALSE(TryStrToInt(text, untouched));
    EXPECT_EQ(untouched, 99);
    EXPECT_EQ(StrToIntDef(text, -5), -5);
  }
  EXPECT_EQ(ConvertErrorOf([] { StrToInt64(L"9223372036854775808"); }),
            L"'9223372036854775808' is not a valid integer value");
}

TEST_F(SysUtilsTest, IntToStrAndHex) {
  EXPECT_EQ(IntToStr(INT64_MIN), L"-9223372036854775808");
  EXPECT_EQ(IntToHex(0xABC, 8), L"00000ABC");
  EXPECT_EQ(IntToHex(-1, 2), L"FFFFFFFFFFFFFFFF");
}

TEST_F(SysUtilsTest, FloatTextFollowsTheDecimalSeparator) {
  EXPECT_EQ(FloatToStr(1.5), L"1.5");
  EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat(L" 2.25 ")), 2.25);
  DecimalSeparator = L',';
  EXPECT_EQ(FloatToStr(-1.5), L"-1,5");
  EXPECT_EQ(FormatFloat(L"0.###", 0.125), L"0,125");
  EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat(L"2,5")), 2.5);
  EXPECT_EQ(ConvertErrorOf([] { StrToFloat(L"2.5"); }), L"'2.5' is not a valid floating point value");
  EXPECT_EQ(ConvertErrorOf([] { StrToFloat(L""); }), L"'' is not a valid floating point value");
}

TEST_F(SysUtilsTest, FloatToStrKeepsFifteenSignificantDigits) {
  struct Case {
    double value;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {0, L"0"},           {0.1 + 0.2, L"0.3"},      {1.0 / 3, L"0.333333333333333"},
      {100, L"100"},       {123456789012345.0, L"123456789012345"},
      {1e15, L"1E15"},     {0.0001, L"0.0001"},      {0.00001, L"1E-5"},
      {-2.5e-7, L"-2.5E-7"},
  };
  for (const Case& c : cases) EXPECT_EQ(FloatToStr(c.value), c.expected) << c.value;
}

TEST_F(SysUtilsTest, FormatFloatPictures) {
  struct Case {
    const wchar_t* format;
    double value;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"0.###", 1.5, L"1.5"},        {L"0.###", 2, L"2"},          {L"0.###", 0.12345, L"0.123"},
      {L"0.###", -0.0001, L"0"},      {L"0.###", -3.25, L"-3.25"},  {L"0.00", 1.005e2, L"100.50"},
      {L"#,##0", 1234567, L"1,234,567"}, {L"#.##", 0.5, L".5"},     {L"000", 7, L"007"},
      {L"0.0 'dB'", -6, L"-6.0 dB"},  {L"0.00E+00", 12345, L"1.23E+04"},
      {L"0;(0);zero", -5, L"(5)"},    {L"0;(0);zero", 0, L"zero"},  {L"0.0;-0.0;zero", -0.04, L"zero"},  {L"", 2.5, L"2.5"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFloat(c.format, c.value), c.expected) << c.format << " " << c.value;
}

TEST_F(SysUtilsTest, RoundTakesHalvesToTheEvenNeighbour) {
  struct Case {
    Extended value;
    Int64 expected;
  };
  const Case cases[] = {{0.5L, 0}, {1.5L, 2}, {2.5L, 2}, {3.5L, 4}, {-0.5L, 0}, {-1.5L, -2}, {-2.5L, -2},
                        {2.4999L, 2}, {2.5001L, 3}, {-2.6L, -3}, {1e12L + 0.5L, 1000000000000}};
  for (const Case& c : cases) EXPECT_EQ(Round(c.value), c.expected) << static_cast<double>(c.value);
  EXPECT_EQ(Trunc(-2.7L), -2);
}

TEST_F(SysUtilsTest, MulDivRoundsAndFailsOnZero) {
  EXPECT_EQ(MulDiv(10, 3, 2), 15);
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(0x40000000, 8, 4), -1);  // the result does not fit
  EXPECT_EQ(MulDiv(0x40000000, 4, 8), 0x20000000);
  EXPECT_EQ(MulDiv(1, 2, 0), -1);
}

TEST_F(SysUtilsTest, OneBasedStringRoutines) {
  EXPECT_EQ(Pos(L"lo", L"hello"), 4);
  EXPECT_EQ(Pos(L"x", L"hello"), 0);
  EXPECT_EQ(Pos(L"", L"hello"), 0);
  EXPECT_EQ(PosEx(L"l", L"hello", 4), 4);
  EXPECT_EQ(Pos(AnsiString("b"), AnsiString("abc")), 2);

  struct CopyCase {
    int index, count;
    const wchar_t* expected;
  };
  const CopyCase copies[] = {{1, 2, L"ab"}, {2, 100, L"bcd"}, {4, 1, L"d"}, {5, 1, L""}, {0, 2, L"ab"}, {2, 0, L""}, {2, -1, L""}};
  for (const CopyCase& c : copies) EXPECT_EQ(Copy(String(L"abcd"), c.index, c.count), c.expected) << c.index << "," << c.count;

  String text = L"abcdef";
  Delete(text, 2, 2);
  EXPECT_EQ(text, L"adef");
  Delete(text, 4, 10);
  EXPECT_EQ(text, L"ade");
  Delete(text, 9, 1);
  EXPECT_EQ(text, L"ade");
  Insert(L"XY", text, 2);
  EXPECT_EQ(text, L"aXYde");
  Insert(L"!", text, 99);
  EXPECT_EQ(text, L"aXYde!");
}

TEST_F(SysUtilsTest, TrimAndCase) {
  EXPECT_EQ(Trim(String(L"\t x y \r\n")), L"x y");
  EXPECT_EQ(TrimLeft(String(L"  x ")), L"x ");
  EXPECT_EQ(TrimRight(String(L"  x \x01")), L"  x");
  EXPECT_EQ(Trim(AnsiString(" a ")), "a");
  // The ASCII routines leave other letters alone; the locale routines map them too.
  EXPECT_EQ(UpperCase(String(L"abc\u00e9")), L"ABC\u00e9");
  EXPECT_EQ(AnsiUpperCase(L"abc\u00e9"), L"ABC\u00c9");
  EXPECT_EQ(AnsiLowerCase(L"\u00c9X"), L"\u00e9x");
  EXPECT_TRUE(SameText(L"Stra\u00dfe \u00c9T\u00c9", L"stra\u00dfe \u00e9t\u00e9"));
  EXPECT_FALSE(SameText(L"abc", L"abd"));
  EXPECT_LT(AnsiCompareText(L"apple", L"Banana"), 0);
  EXPECT_EQ(CompareText(L"ABC", L"abc"), 0);
  EXPECT_NE(CompareStr(L"ABC", L"abc"), 0);
}

TEST_F(SysUtilsTest, CharactersStepByCodePoint) {
  const String text = L"a\U0001F3B5b";  // a, a surrogate pair, b
  EXPECT_EQ(NextCharIndex(text, 1), 2);
  EXPECT_EQ(NextCharIndex(text, 2), 4);
  EXPECT_EQ(CharLengthAt(text, 4), 1);
  EXPECT_EQ(CharLengthAt(L"\xD83C", 1), 1);  // a lone lead surrogate at the end
  // In the Japanese code page 0x82 leads a two-byte character, whose second byte may look like
  // a lead byte too; in Windows-1252 every byte stands alone.
  const AnsiString bytes = "x\x82\x82\x82\xA0";
  const TMbcsByteType japanese[] = {mbSingleByte, mbLeadByte, mbTrailByte, mbLeadByte, mbTrailByte};
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(ByteType(bytes, i, 932), japanese[i - 1]) << i;
    EXPECT_EQ(ByteType(bytes, i, 1252), mbSingleByte) << i;
  }
  EXPECT_EQ(ByteType("\x82", 1, 932), mbSingleByte);  // a lead byte with nothing after it
}

TEST_F(SysUtilsTest, ReplaceAndQuote) {
  EXPECT_EQ(StringReplace(L"a-b-c", L"-", L"+", rfReplaceAll), L"a+b+c");
  EXPECT_EQ(StringReplace(L"a-b-c", L"-", L"+", 0), L"a+b-c");
  EXPECT_EQ(StringReplace(L"Abc abc", L"ABC", L"x", rfReplaceAll | rfIgnoreCase), L"x x");
  EXPECT_EQ(QuotedStr(L"it's"), L"'it''s'");
  EXPECT_EQ(AnsiDequotedStr(L"\"a\"\"b\"", L'"'), L"a\"b");
  EXPECT_EQ(AnsiDequotedStr(L"plain", L'"'), L"plain");
}

TEST_F(SysUtilsTest, RandomRepeatsForASeedAndStaysInRange) {
  RandSeed = 12345;
  int first[20];
  for (int& v : first) v = Random(10);
  RandSeed = 12345;
  bool seen[10] = {};
  for (int v : first) {
    const int again = Random(10);
    EXPECT_EQ(again, v);
    ASSERT_GE(again, 0);
    ASSERT_LT(again, 10);
    seen[again] = true;
  }
  EXPECT_GT(std::count(std::begin(seen), std::end(seen), true), 3);
  const double fraction = Random();
  EXPECT_GE(fraction, 0.0);
  EXPECT_LT(fraction, 1.0);
  EXPECT_EQ(Random(0), 0);
}

TEST_F(SysUtilsTest, ResourceStringsAndSystemErrors) {
  EXPECT_EQ(LoadStr(0x7F00), L"");
  EXPECT_FALSE(SysErrorMessage(ERROR_FILE_NOT_FOUND).empty());
  try {
    RaiseLastOSError(ERROR_ACCESS_DENIED);
    FAIL();
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
    EXPECT_NE(e.Message().find(SysErrorMessage(ERROR_ACCESS_DENIED)), String::npos);
  }
}

TEST_F(SysUtilsTest, OleCheckRaisesForFailedResultsOnly) {
  EXPECT_NO_THROW(OleCheck(S_OK));
  EXPECT_NO_THROW(OleCheck(S_FALSE));
  try {
    OleCheck(E_OUTOFMEMORY);
    ADD_FAILURE() << "E_OUTOFMEMORY passed";
  } catch (const EOleSysError& e) {
    EXPECT_EQ(e.ErrorCode, E_OUTOFMEMORY);
    EXPECT_EQ(e.Message(), SysErrorMessage(static_cast<unsigned long>(E_OUTOFMEMORY)));
  }
}

}  // namespace

TEST(SysUtils, HexTextAndBytes) {
  const Byte bytes[] = {0x00, 0x7F, 0xA5, 0xFF};
  EXPECT_EQ(BinToHex(bytes, 4), L"007FA5FF");
  std::vector<Byte> back;
  ASSERT_TRUE(HexToBin(L"007fA5Ff", back));
  EXPECT_EQ(back, std::vector<Byte>(bytes, bytes + 4));
  for (const wchar_t* bad : {L"ABC", L"0G", L"12 4"}) {
    std::vector<Byte> kept{1};
    EXPECT_FALSE(HexToBin(bad, kept)) << bad;
    EXPECT_EQ(kept, std::vector<Byte>{1});
  }
  ASSERT_TRUE(HexToBin(L"", back));
  EXPECT_TRUE(back.empty());
}
