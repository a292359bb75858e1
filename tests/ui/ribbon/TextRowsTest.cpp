// Multi-line text: measured rows and heights, line ends, row limits, breaking between words and
// characters, the ellipsis, justification and the highlighted run, on a DIB with a real font.

#include <string>

#include "RibbonTestSupport.h"
#include "ui/foundation/Geometry.h"
#include "ui/ribbon/TextRows.h"

namespace {

using namespace ribbon_testing;

class TextRows : public testing::Test {
 protected:
  TextRows() : dib_(400, 200) {
    font_ = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Tahoma");
    oldFont_ = SelectObject(dib_.DC(), font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dib_.DC(), &metrics);
    line_ = metrics.tmHeight;
  }
  ~TextRows() override {
    SelectObject(dib_.DC(), oldFont_);
    DeleteObject(font_);
    SetAnsiCodePageQuery(nullptr);
  }
  HDC DC() const { return dib_.DC(); }
  int Width(const std::wstring& text) const { return TextExtent(DC(), text.c_str(), int(text.size()), false).cx; }
  // Measures: the measured rectangle and the row count.
  TRect Measure(const std::wstring& text, int width, int flags, int maxRows = 0, int* rows = nullptr) const {
    TRect r(10, 10, 10 + width, 190);
    DrawTextRows(DC(), text.c_str(), r, 0, 0, maxRows, clBlack, clNone, 0, -1, flags | dtrCalcRect);
    if (rows) {
      TRect again(10, 10, 10 + width, 190);
      *rows = DrawTextRows(DC(), text.c_str(), again, 0, 0, maxRows, clBlack, clNone, 0, -1,
                           flags | dtrCalcRect | dtrRowCountResult);
    }
    return r;
  }
  void Clear() { FillDib(dib_, 400, 200, clWhite); }
  int Draw(const std::wstring& text, TRect r, int flags, TColor highlightText = clBlack,
           TColor highlightBack = clNone, int highlightLength = 0, int highlightStart = -1) {
    SetTextColor(DC(), 0);
    return DrawTextRows(DC(), text.c_str(), r, 0, 0, 0, highlightText, highlightBack, highlightLength, highlightStart,
                        flags);
  }
  // The rightmost column with ink (a non-white pixel) between rows top and bottom; -1 when none.
  int RightmostInk(int top, int bottom) const {
    for (int x = 399; x >= 0; --x)
      for (int y = top; y < bottom; ++y)
        if (dib_.Pixel(x, y) != 0xFFFFFF) return x;
    return -1;
  }
  bool Same(const DibSection& other, int w, int h) const {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (dib_.Pixel(x, y) != other.Pixel(x, y)) return false;
    return true;
  }

  DibSection dib_;
  HFONT font_;
  HGDIOBJ oldFont_;
  int line_ = 0;
};

TEST_F(TextRows, MeasuringCountsRowsAndHeights) {
  struct Case {
    const wchar_t* text;
    int flags, maxRows, rows;
  } cases[] = {
      {L"Alpha", 0, 0, 1},
      {L"One\r\nTwo\r\nThree", 0, 0, 3},
      {L"One\r\nTwo\r\n", 0, 0, 2},  // a line end at the very end adds no row
      {L"One\nTwo\rThree", 0, 0, 3},
      {L"One\r\nTwo\r\nThree", dtrSingleLine, 0, 1},
      {L"a\r\nb\r\nc\r\nd\r\ne", 0, 2, 2},
      {L"a\r\nb\r\nc\r\nd\r\ne", 0, 0, 5},
  };
  for (const Case& c : cases) {
    int rows = 0;
    const TRect r = Measure(c.text, 300, c.flags, c.maxRows, &rows);
    EXPECT_EQ(rows, c.rows) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(RectHeightOf(r), c.rows * line_) << testing::PrintToString(std::wstring(c.text));
  }
  EXPECT_EQ(RectWidthOf(Measure(L"Alpha\r\nBe", 300, 0)), Width(L"Alpha"));
  TRect empty(0, 0, 100, 100);
  EXPECT_EQ(DrawTextRows(DC(), L"", empty, 0, 0, 0, clBlack, clNone, 0, -1, dtrCalcRect), 0);
  // Indents shrink the area and come back in the measured rectangle.
  TRect indented(10, 10, 10 + Width(L"aaa") + 20, 100);
  int rows = DrawTextRows(DC(), L"aaa bbb", indented, 12, 8, 0, clBlack, clNone, 0, -1,
                          dtrCalcRect | dtrWordBreak | dtrRowCountResult);
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(indented.left, 10);
  EXPECT_EQ(RectWidthOf(indented), Width(L"aaa ") + 20) << "a row keeps the space it broke after";
}

TEST_F(TextRows, WordsBreakAtSpacesAndLongWordsOnlyWithCharacterBreaking) {
  const std::wstring words = L"aaa bbb ccc";
  int rows = 0;
  TRect r = Measure(words, Width(L"aaa bbb") + 2, dtrWordBreak, 0, &rows);
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(RectWidthOf(r), Width(L"aaa bbb ")) << "a row keeps the space it broke after";
  const std::wstring word = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const int narrow = Width(L"ABCDEFG");
  r = Measure(word, narrow, dtrWordBreak, 0, &rows);
  EXPECT_EQ(rows, 1) << "a long word overflows";
  EXPECT_EQ(RectWidthOf(r), Width(word));
  r = Measure(word, narrow, dtrWordBreak | dtrCharBreak, 0, &rows);
  EXPECT_GE(rows, 4);
  EXPECT_LE(RectWidthOf(r), narrow);
  // A far-east system breaks every word between characters.
  SetAnsiCodePageQuery([]() -> UINT { return 932; });
  r = Measure(word, narrow, dtrWordBreak, 0, &rows);
  EXPECT_GE(rows, 4);
}

TEST_F(TextRows, VeryLongTextsBreakWithinTheWidth) {
  // 200 characters, more than 8 times the row: each row starts from one measured character.
  const std::wstring text(200, L'W');
  const int w = Width(L"W");
  int rows = 0;
  const TRect r = Measure(text, w * 5 / 2, dtrWordBreak | dtrCharBreak, 0, &rows);
  EXPECT_EQ(rows, 100);
  EXPECT_EQ(RectWidthOf(r), 2 * w) << "no row takes a third character";
}

TEST_F(TextRows, SurrogatePairsStayWhole) {
  std::wstring text;
  for (int i = 0; i < 10; ++i) text += L"\xD835\xDC00";  // one character: two units
  const int w = Width(L"\xD835\xDC00");
  int rows = 0;
  const TRect r = Measure(text, w * 3 / 2, dtrWordBreak | dtrCharBreak, 0, &rows);
  EXPECT_EQ(rows, 10);
  EXPECT_EQ(RectWidthOf(r), w);
}

TEST_F(TextRows, EndEllipsisCutsTheTextToFitWithTheDots) {
  const std::wstring text = L"Hello wonderful world";
  const int width = Width(L"Hello wonde");
  const TRect r(0, 0, width, 40);
  Clear();
  Draw(text, r, dtrSingleLine | dtrEndEllipsis);
  // The longest prefix that leaves room for the dots, then the dots.
  std::wstring prefix = text;
  while (prefix.size() > 1 && Width(prefix) > width - Width(L"...")) prefix.pop_back();
  DibSection expected(400, 200);
  FillDib(expected, 400, 200, clWhite);
  HGDIOBJ old = SelectObject(expected.DC(), font_);
  SetBkMode(expected.DC(), TRANSPARENT);
  TextOutW(expected.DC(), 0, 0, prefix.c_str(), int(prefix.size()));
  TextOutW(expected.DC(), Width(prefix), 0, L"...", 3);
  SelectObject(expected.DC(), old);
  EXPECT_TRUE(Same(expected, 400, line_));
  EXPECT_LE(RightmostInk(0, line_), width);
}

TEST_F(TextRows, JustifiedRowsReachTheRightEdgeButNotTheLastOfAParagraph) {
  const std::wstring text = L"aa bb cc dd ee ff gg hh ii jj";
  const int width = Width(L"aa bb cc dd ee") + 6;
  int rows = 0;
  Measure(text, width, dtrWordBreak, 0, &rows);
  ASSERT_GE(rows, 2);
  const TRect r(0, 0, width, 190);
  for (int align : {dtrJustify, dtrDistribute}) {
    Clear();
    Draw(text, r, dtrWordBreak | align);
    const int firstRight = RightmostInk(0, line_), lastRight = RightmostInk((rows - 1) * line_, rows * line_);
    EXPECT_GE(firstRight, width - 3) << "align " << align << ": the first row is spread";
    if (align == dtrJustify)
      EXPECT_LT(lastRight, width - 6) << "the last row of the paragraph stays at the left";
    else
      EXPECT_GE(lastRight, width - 3) << "distributed: the last row is spread too";
  }
}

TEST_F(TextRows, AlignmentPlacesRowsInTheRectangle) {
  const TRect r(0, 0, 300, 100);
  Clear();
  EXPECT_EQ(Draw(L"Right", r, dtrRight | dtrBottom), 100) << "from the top to the last row's bottom";
  EXPECT_LE(RightmostInk(100 - line_, 100), 299);
  EXPECT_GE(RightmostInk(100 - line_, 100), 295);
  EXPECT_EQ(RightmostInk(0, 100 - line_), -1) << "bottom-aligned";
  Clear();
  Draw(L"Mid", r, dtrCenter | dtrVCenter);
  const int top = (100 - line_) / 2;
  EXPECT_EQ(RightmostInk(0, top), -1);
  EXPECT_NEAR(RightmostInk(top, top + line_), (300 + Width(L"Mid")) / 2, 3);
}

TEST_F(TextRows, TheHighlightedRunHasItsOwnColours) {
  const std::wstring text = L"Hello World";
  const TRect r(0, 0, 300, 40);
  Clear();
  Draw(text, r, dtrSingleLine, clWhite, 0x0000FF, 5, 6);
  const int runLeft = Width(L"Hello "), runRight = Width(text);
  EXPECT_EQ(dib_.Pixel(runLeft + 1, 0), 0xFF0000u) << "the run's background";
  EXPECT_EQ(dib_.Pixel(runRight - 1, line_ - 1), 0xFF0000u);
  EXPECT_EQ(dib_.Pixel(runLeft - 2, 0), 0xFFFFFFu) << "before the run";
  EXPECT_EQ(dib_.Pixel(runRight + 2, 0), 0xFFFFFFu) << "after the run";
  bool whiteInk = false;
  for (int x = runLeft; x < runRight; ++x)
    for (int y = 0; y < line_; ++y) whiteInk = whiteInk || dib_.Pixel(x, y) == 0xFFFFFF;
  EXPECT_TRUE(whiteInk) << "the run's text in its own colour";
  // A run starting past the text's end highlights nothing.
  Clear();
  Draw(text, r, dtrSingleLine, clWhite, 0x0000FF, 5, 40);
  for (int x = 0; x < runRight; ++x) ASSERT_NE(dib_.Pixel(x, 0), 0xFF0000u);
}

}  // namespace
