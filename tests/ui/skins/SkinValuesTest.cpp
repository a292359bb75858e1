// The value forms of the skin INI: mask values, gradient text, numbers, words, the inheriting reads
// and the colour changes.

#include <gtest/gtest.h>

#include "ui/skins/core/SkinIniText.h"
#include "ui/skins/core/SkinValues.h"

namespace {

TEST(SkinMaskValue, FormsGiveTheirFields) {
  auto border = ParseMaskValue(L"BORDERSMASK", L"^0052^0000^0062^0034^0002^0015^0002^0015^1^0^1^1");
  ASSERT_TRUE(border);
  EXPECT_EQ(border->ImgType, TacImgType::itisaBorder);
  EXPECT_EQ((std::vector<int>{border->Left, border->Top, border->Right, border->Bottom}), (std::vector<int>{52, 0, 62, 34}));
  EXPECT_EQ((std::vector<int>{border->WL, border->WT, border->WR, border->WB}), (std::vector<int>{2, 15, 2, 15}));
  EXPECT_EQ((std::vector<int>{border->ImageCount, border->MaskType, border->StretchMode, border->BorderWidth}),
            (std::vector<int>{1, 0, 1, 1}));

  auto glyph = ParseMaskValue(L"BOXCHECKED", L"@0124@0000@0163@0013@3@0");
  ASSERT_TRUE(glyph);
  EXPECT_EQ(glyph->ImgType, TacImgType::itisaGlyph);
  EXPECT_EQ((std::vector<int>{glyph->Left, glyph->Right, glyph->Bottom, glyph->ImageCount, glyph->MaskType, glyph->WL}),
            (std::vector<int>{124, 163, 13, 3, 0, 0}));

  auto texture = ParseMaskValue(L"PATTERN", L"~0010~0020~0050~0060~02~1");
  ASSERT_TRUE(texture);
  EXPECT_EQ(texture->ImgType, TacImgType::itisaTexture);
  EXPECT_EQ((std::vector<int>{texture->StretchMode, texture->MaskType, texture->ImageCount}), (std::vector<int>{2, 1, 1}));
  EXPECT_EQ(ParseMaskValue(L"PATTERN", L"~0010~0020~0050~0060~02")->MaskType, 0);

  auto own = ParseMaskValue(L"BORDERSMASK", L"!BUTTONHUGE.BMP!3!1!0!0047!0047!0047!0047");
  ASSERT_TRUE(own);
  EXPECT_EQ(own->Source, TMaskImageSource::OwnImage);
  EXPECT_EQ(own->ImageName, L"BUTTONHUGE.BMP");
  EXPECT_TRUE(own->HasBorders);
  EXPECT_EQ((std::vector<int>{own->ImageCount, own->MaskType, own->StretchMode, own->WL, own->WB}),
            (std::vector<int>{3, 1, 4, 47, 47}));
  EXPECT_FALSE(ParseMaskValue(L"BORDERSMASK", L"!buttonhuge.bmp!3!1!0"));

  auto rect = ParseMaskValue(L"BORDERSMASK", L"#M (10,20,40,50) (0,-2)");
  ASSERT_TRUE(rect);
  EXPECT_EQ((std::vector<int>{rect->Left, rect->Top, rect->Right, rect->Bottom}), (std::vector<int>{10, 20, 40, 50}));
  EXPECT_EQ((std::vector<int>{rect->ImageCount, rect->MaskType, rect->BorderWidth, rect->StretchMode}),
            (std::vector<int>{1, 0, 0, 1}));
  auto rectPattern = ParseMaskValue(L"HOTPATTERN", L"#M (0,0,9,9) (1,0,2,3)");
  EXPECT_EQ(rectPattern->ImgType, TacImgType::itisaTexture);
  EXPECT_EQ(rectPattern->StretchMode, 0);

  auto plain = ParseMaskValue(L"GLYPH", L"arrow.bmp");
  ASSERT_TRUE(plain);
  EXPECT_EQ((std::vector<int>{plain->ImageCount, plain->MaskType}), (std::vector<int>{3, 1}));
  EXPECT_TRUE(plain->WholeImage);

  for (const wchar_t* none : {L"", L"#", L"12345", L"TRUE", L"-1"}) EXPECT_FALSE(ParseMaskValue(L"K", none)) << none;
}

TEST(SkinMaskValue, ZeroBordersBecomeThirdsOfOneFrame) {
  auto mask = ParseMaskValue(L"BORDERSMASK", L"^0000^0000^0090^0060^0000^0000^0000^0000^3^1^1^0");
  ASSERT_TRUE(mask);  // frames of 30 x 30
  EXPECT_EQ((std::vector<int>{mask->WL, mask->WT, mask->WR, mask->WB}), (std::vector<int>{10, 10, 10, 10}));
  auto withWidth = ParseMaskValue(L"BORDERSMASK", L"^0000^0000^0090^0060^0000^0000^0000^0000^3^1^1^4");
  EXPECT_EQ((std::vector<int>{withWidth->WL, withWidth->WT, withWidth->WR, withWidth->WB}), (std::vector<int>{4, 4, 4, 4}));
}

TEST(SkinMaskValue, ImageCountZeroReadsAsOneFrame) {
  auto mask = ParseMaskValue(L"BORDERSMASK", L"^0000^0000^0090^0060^0000^0000^0000^0000^0^1^1^0");
  ASSERT_TRUE(mask);
  EXPECT_EQ(mask->ImageCount, 0);
  EXPECT_EQ(mask->WL, 30);
  EXPECT_EQ(MaskFrameSize(90, 60, 0, 1).Width, 90);
  EXPECT_EQ(MaskFrameSize(90, 60, 0, 1).Height, 30);
}

TEST(SkinMaskValue, NonNumericFieldsRaise) {
  for (const wchar_t* value : {L"^00x2^0000^0062^0034^0002^0015^0002^0015^1^0^1^1", L"@0124@0000@0163@0013@A@0",
                               L"^0052", L"!BUTTONHUGE.BMP!three!1!0", L"!BUTTONHUGE.BMP!3!1!7", L"#M (1,2,x,4) (1)"})
    EXPECT_THROW(ParseMaskValue(L"BORDERSMASK", value), ESkinValueError) << value;
}

TEST(SkinGradientText, SegmentsAreGroupsOfFive) {
  TsGradArray array;
  struct Case {
    const wchar_t* text;
    size_t segments;
  } cases[] = {{L"", 0}, {L"1;2;3;4", 0}, {L"1;2;3;4;5;6;7;8;9", 1}, {L"1;2;3;4;5;6;7;8;9;10", 2},
               {L"16711422;9533282;97;0;0;9533282;9533282;0;0;0", 2}};
  for (const Case& c : cases) {
    ParseGradientData(c.text, array);
    EXPECT_EQ(array.size(), c.segments) << c.text;
  }
  ParseGradientData(L"0;16777215;150;1;0", array);
  ASSERT_EQ(array.size(), 1u);
  EXPECT_EQ(array[0].Percent, 100);
  EXPECT_EQ(array[0].Color2, 16777215);
  EXPECT_EQ(array[0].Mode1, 1);
  EXPECT_THROW(ParseGradientData(L"1;2;x;4;5", array), ESkinValueError);
}

TEST(SkinColours, SaturationAndHue) {
  EXPECT_EQ(ChangeSaturation(0x0000FF, 100), 0x555555u);
  EXPECT_EQ(ChangeSaturation(0x123456, 0), 0x123456u);
  EXPECT_EQ(ChangeSaturation(0x808080, 100), 0x808080u);
  EXPECT_EQ(ChangeSaturation(0x402080, -100), 0x3500B5u);  // away from the grey 74.7, held to 0..255
  EXPECT_EQ(ChangeHue(120, 0x0000FF), 0x00FF00u);
  EXPECT_EQ(ChangeHue(240, 0x0000FF), 0xFF0000u);
  EXPECT_EQ(ChangeHue(-120, 0x0000FF), 0xFF0000u);
  EXPECT_EQ(ChangeHue(90, 0x777777), 0x777777u);
}

TEST(SkinNumbers, IntegerText) {
  struct Case {
    const wchar_t* text;
    bool ok;
    std::int32_t value;
  } cases[] = {{L"42", true, 42}, {L" -7 ", true, -7}, {L"0x1F", true, 31}, {L"$FF", true, 255}, {L"0x", false, 0},
               {L"", false, 0},   {L"1.5", false, 0},  {L"abc", false, 0},  {L"99999999999", false, 0}};
  for (const Case& c : cases) {
    std::int32_t value = 0;
    EXPECT_EQ(TryParseSkinInteger(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST(SkinWords, WordsHexAndReplace) {
  EXPECT_EQ(NthWord(2, L"one  two", L" "), L"two");
  EXPECT_EQ(NthWord(3, L"one  two", L" "), L"");
  EXPECT_EQ(CountWords(L"", L" "), 0);
  EXPECT_EQ(NthWordPos(2, L"one  two", L" "), 6);
  EXPECT_EQ(RemoveChar(L"a b c", L' '), L"abc");
  EXPECT_EQ(ReplaceAll(L"aaa", L"a", L"aa"), L"aaaaaa");
  EXPECT_EQ(ReplaceAll(L"abcabc", L"bc", L"x"), L"axax");
  EXPECT_EQ(HexToInt64(L"FFH"), 255);
  EXPECT_EQ(HexToInt64(L"ff"), 255);
  EXPECT_EQ(HexToInt64(L"1G"), 0);
  EXPECT_EQ(HexToInt64(L""), 0);
}

// A small skin INI for the inheritance cases.
const TSkinIniText& InheritanceIni() {
  static const TSkinIniText ini = TSkinIniText::FromText(
      L"[PAGECONTROLBOTTOM]\r\nCOLOR=123\r\nFONTCOLOR=7\r\nBORDERSMASK=x\r\n"
      L"[TABCONTROLBOTTOM]\r\nPARENTCLASS=PAGECONTROLBOTTOM\r\n"
      L"[CHILD]\r\nPARENTCLASS=PAGECONTROLBOTTOM\r\nCOLOR=-1\r\nFONTCOLOR=9\r\n"
      L"[SELF]\r\nPARENTCLASS=SELF\r\nCOLOR=5\r\n"
      L"[LOOPA]\r\nPARENTCLASS=LOOPB\r\nCOLOR=-1\r\n[LOOPB]\r\nPARENTCLASS=LOOPA\r\n"
      L"[ODD]\r\nCOLOR=abc\r\nFONTCOLOR=0x10\r\nKEY=first\r\nkey=second\r\nSPACED = 1\r\n");
  return ini;
}

TEST(SkinIniInheritance, ReadsFollowTheParentChain) {
  const TSkinIniText& ini = InheritanceIni();
  struct Case {
    const wchar_t* section;
    const wchar_t* key;
    std::int32_t expected;
  } cases[] = {
      {L"TABCONTROLBOTTOM", L"COLOR", 123}, {L"TABCONTROLBOTTOM", L"FONTCOLOR", 7}, {L"CHILD", L"COLOR", 123},
      {L"CHILD", L"FONTCOLOR", 9},          {L"SELF", L"COLOR", 5},                 {L"SELF", L"FONTCOLOR", 77},
      {L"LOOPA", L"COLOR", 77},             {L"LOOPB", L"FONTCOLOR", 77},           {L"MISSING", L"COLOR", 77},
      {L"ODD", L"COLOR", 77},               {L"ODD", L"FONTCOLOR", 16},
  };
  for (const Case& c : cases) EXPECT_EQ(InheritedInteger(ini, c.section, c.key, 77), c.expected) << c.section << L" " << c.key;
  EXPECT_EQ(InheritedString(ini, L"TABCONTROLBOTTOM", L"BORDERSMASK", L"-"), L"x");
  EXPECT_EQ(InheritedString(ini, L"LOOPA", L"BORDERSMASK", L"-"), L"-");
  EXPECT_EQ(ini.ReadString(L"odd", L"KEY", L""), L"first");
  EXPECT_EQ(ini.ReadString(L"ODD", L"SPACED", L"-"), L"1");
}

}  // namespace
