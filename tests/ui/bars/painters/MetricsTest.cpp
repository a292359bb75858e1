// The painters' metrics and geometry: one table of the answers per painter, the row-height, progress
// and spin-arrow rules with their mended edges, part bounds, glyph places and the drop-down client
// rectangle.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/ThemeState.h"
#include "tests/support/FakeThemeApi.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/painters/BarPainters.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/Themes.h"

using theme_testing::FakeThemeApi;

namespace {

// Pins the frame metrics the painters read through the bound table.
int WINAPI PinnedMetrics(int Index) {
  switch (Index) {
    case SM_CXFRAME: return 4;
    case SM_CYFRAME: return 5;
    case SM_CXHSCROLL: return 16;
    case SM_CYHSCROLL: return 17;
    default: return ::GetSystemMetrics(Index);
  }
}

class PainterMetrics : public bar_testing::BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    Bound().GetSystemMetrics = &PinnedMetrics;
    // The theme's parts the XP painter reads in its constructor.
    for (const wchar_t* cls : {L"ComboBox", L"Edit", L"Progress", L"Rebar", L"Spin", L"Status", L"ToolBar", L"Window"})
      fake.AddClass(cls);
    fake.SetPartSize(L"ToolBar", 5, 0, 1, SIZE{8, 22});
    fake.SetPartSize(L"ToolBar", 5, 1, 1, SIZE{8, 22});
    fake.SetPartSize(L"ToolBar", 6, 1, 1, SIZE{22, 7});
    fake.SetPartSize(L"Window", 19, 1, 1, SIZE{15, 14});
    fake.SetContentMargins(L"ToolBar", 3, 1, RECT{4, 5, 4, 5});
    fake.SetPartSize(L"ComboBox", 1, 1, 1, SIZE{19, 20});
    fake.SetContentMargins(L"Edit", 1, 1, RECT{3, 2, 3, 2});
    fake.SetPartSize(L"Rebar", 1, 1, 1, SIZE{5, 20});
    fake.SetPartSize(L"Progress", 3, 1, 1, SIZE{8, 13});
    fake.SetContentMargins(L"Progress", 1, 1, RECT{2, 3, 2, 3});
    fake.SetPartSize(L"Status", 3, 0, 1, SIZE{18, 19});
    fake.Active = true;
    SendMessageW(ThemeState().Window(), WM_THEMECHANGED, 0, 0);
    painters.emplace_back(new TdxBarPainter(nullptr));
    painters.emplace_back(new TdxBarStandardPainter(nullptr));
    painters.emplace_back(new TdxBarEnhancedPainter(nullptr));
    painters.emplace_back(new TdxBarFlatPainter(nullptr));
    painters.emplace_back(new TdxBarOffice11Painter(nullptr));
    painters.emplace_back(new TdxBarXPPainter(nullptr));
  }
  void TearDown() override {
    Bound().GetSystemMetrics = &::GetSystemMetrics;
    painters.clear();
    fake.Active = false;
    SendMessageW(ThemeState().Window(), WM_THEMECHANGED, 0, 0);
    BarFixture::TearDown();
  }

  FakeThemeApi fake;
  std::vector<std::unique_ptr<TdxBarPainter>> painters;
};

struct MetricRow {
  const char* Name;
  std::function<int(TdxBarPainter*)> Read;
  // base, Standard, Enhanced, Flat, Office11, XP
  int Expected[6];
};

TEST_F(PainterMetrics, EachPainterAnswersItsMetricsAndOptions) {
  const MetricRow rows[] = {
      {"DragHandleOffset", [](TdxBarPainter* p) { return p->DragHandleOffset(); }, {0, 2, 1, 1, 3, 0}},
      {"DragHandleWidth", [](TdxBarPainter* p) { return p->DragHandleWidth(); }, {3, 3, 3, 3, 3, 5}},
      {"DragHandleSize", [](TdxBarPainter* p) { return p->DragHandleSize(); }, {0, 9, 6, 6, 6, 7}},
      {"FrameWidth", [](TdxBarPainter* p) { return p->FrameWidth(); }, {4, 4, 4, 4, 3, 4}},
      {"FrameHeight", [](TdxBarPainter* p) { return p->FrameHeight(); }, {5, 5, 5, 5, 3, 5}},
      {"FloatingBarMargin", [](TdxBarPainter* p) { return p->FloatingBarMargin(); }, {0, 0, 0, 0, 2, 0}},
      {"FloatingBorderExtra", [](TdxBarPainter* p) { return p->FloatingBorderExtra(); }, {0, 4, 4, 0, 0, 0}},
      {"FloatingCaptionGap", [](TdxBarPainter* p) { return p->FloatingCaptionGap(); }, {0, 2, 2, 0, 0, 0}},
      {"FloatingBorderBottom", [](TdxBarPainter* p) { return p->FloatingBorderBottom(); }, {0, 1, 1, 0, 0, 0}},
      {"SeparatorSize", [](TdxBarPainter* p) { return p->SeparatorSize(); }, {6, 6, 6, 5, 5, 8}},
      {"HalfSeparatorSize", [](TdxBarPainter* p) { return p->HalfSeparatorSize(); }, {2, 2, 2, 2, 2, 3}},
      {"CaptionButtonIndent", [](TdxBarPainter* p) { return p->CaptionButtonIndent(); }, {1, 1, 1, 1, 1, 0}},
      {"MarkSize", [](TdxBarPainter* p) { return p->MarkSize(); }, {11, 11, 11, 11, 11, 11}},
      {"DockedBarTopMargin", [](TdxBarPainter* p) { return p->DockedBarTopMargin(); }, {2, 2, 2, 2, 2, 2}},
      {"AllowsQuickCustomizing", [](TdxBarPainter* p) { return int(p->AllowsQuickCustomizing()); }, {1, 0, 1, 1, 1, 1}},
      {"CanPaintBarPartly", [](TdxBarPainter* p) { return int(p->CanPaintBarPartly()); }, {0, 1, 1, 0, 0, 0}},
      {"IsFlat", [](TdxBarPainter* p) { return int(p->IsFlat()); }, {0, 0, 0, 1, 1, 0}},
      {"IsFlatForArrows", [](TdxBarPainter* p) { return int(p->IsFlatForArrows()); }, {0, 0, 0, 1, 0, 1}},
      {"NativeBackground", [](TdxBarPainter* p) { return int(p->NativeBackground()); }, {0, 0, 0, 0, 1, 1}},
      {"UsesFlatDockBackground", [](TdxBarPainter* p) { return int(p->UsesFlatDockBackground()); }, {0, 0, 0, 1, 1, 0}},
      {"SeparatesRecentRuns", [](TdxBarPainter* p) { return int(p->SeparatesRecentRuns()); }, {0, 1, 1, 0, 0, 0}},
      {"DrawsNonRecentBackground", [](TdxBarPainter* p) { return int(p->DrawsNonRecentBackground()); }, {0, 0, 0, 0, 1, 0}},
      {"PainterOptionK", [](TdxBarPainter* p) { return int(p->PainterOptionK()); }, {0, 0, 0, 1, 0, 0}},
      {"PainterOptionM", [](TdxBarPainter* p) { return int(p->PainterOptionM()); }, {0, 1, 1, 1, 1, 0}},
      {"PainterOptionS", [](TdxBarPainter* p) { return int(p->PainterOptionS()); }, {0, 0, 0, 1, 1, 1}},
      {"PainterOptionQ", [](TdxBarPainter* p) { return int(p->PainterOptionQ()); }, {0, 1, 1, 0, 0, 0}},
      {"PainterOptionW", [](TdxBarPainter* p) { return p->PainterOptionW(); }, {19, 19, 19, 20, 20, 19}},
      {"HasMenuBand", [](TdxBarPainter* p) { return int(p->HasMenuBand()); }, {0, 0, 0, 0, 1, 0}},
      {"HasMenuBackgroundBrush", [](TdxBarPainter* p) { return int(p->HasMenuBackgroundBrush()); }, {1, 0, 0, 1, 1, 1}},
      {"MenuItemIndent", [](TdxBarPainter* p) { return p->MenuItemIndent(nullptr); }, {0, 2, 2, 1, 1, 0}},
      {"MenuSeparatorIndent", [](TdxBarPainter* p) { return p->MenuSeparatorIndent(); }, {0, 2, 12, 8, 8, 0}},
      {"MenuBorderSize", [](TdxBarPainter* p) { return p->MenuBorderSize(); }, {1, 2, 2, 1, 1, 1}},
      {"MenuBeginGroupSize", [](TdxBarPainter* p) { return p->MenuBeginGroupSize(); }, {10, 10, 10, 5, 5, 7}},
      {"MenuArrowsOffset", [](TdxBarPainter* p) { return p->MenuArrowsOffset(); }, {2, 2, 2, 1, 1, 1}},
      {"MenuArrowWidth(16)", [](TdxBarPainter* p) { return p->MenuArrowWidth(16); }, {13, 13, 13, 13, 13, 13}},
      {"DetachCaptionAreaSize(10)", [](TdxBarPainter* p) { return p->DetachCaptionAreaSize(10); }, {13, 13, 13, 11, 15, 11}},
      {"AdjustMenuMetric(10)", [](TdxBarPainter* p) { int v = 10; p->AdjustMenuMetric(v); return v; }, {10, 10, 10, 12, 12, 11}},
      {"AdjustMenuMetric2(10)", [](TdxBarPainter* p) { int v = 10; p->AdjustMenuMetric2(v); return v; }, {10, 10, 10, 19, 19, 10}},
      {"DeflateMenuContent.top", [](TdxBarPainter* p) { return p->DeflateMenuContent(TRect{0, 0, 50, 50}).top; }, {3, 3, 3, 2, 4, 2}},
      {"DeflateMenuContent.left", [](TdxBarPainter* p) { return p->DeflateMenuContent(TRect{0, 0, 50, 50}).left; }, {3, 3, 3, 2, 2, 2}},
      {"ComboButtonWidthFor(8)", [](TdxBarPainter* p) { return p->ComboButtonWidthFor(nullptr, 8); }, {15, 15, 15, 15, 13, 19}},
      {"ButtonVertPadding", [](TdxBarPainter* p) { return p->ButtonVertPadding(); }, {6, 6, 6, 6, 6, 10}},
      {"ButtonHorzPadding", [](TdxBarPainter* p) { return p->ButtonHorzPadding(); }, {7, 7, 7, 7, 7, 10}},
      {"EditBorderRect.top", [](TdxBarPainter* p) { return int(p->EditBorderRect().top); }, {2, 1, 1, 2, 2, 2}},
      {"EditTextMargins.top", [](TdxBarPainter* p) { return int(p->EditTextMargins().top); }, {2, 0, 0, 2, 2, 2}},
      {"EditHeightFor(13)", [](TdxBarPainter* p) { return p->EditHeightFor(nullptr, 13); }, {22, 17, 17, 22, 22, 22}},
      {"EditButtonMargins.left", [](TdxBarPainter* p) { return int(p->EditButtonMargins().left); }, {2, 2, 2, 1, 1, 3}},
      {"EditTextIndent", [](TdxBarPainter* p) { return p->EditTextIndent(nullptr); }, {2, 2, 2, 6, 6, 6}},
      {"EditCaptionRightMargin", [](TdxBarPainter* p) { return p->EditCaptionRightMargin(); }, {4, 4, 4, 5, 5, 5}},
      {"MenuEditMargins.left", [](TdxBarPainter* p) { return int(p->MenuEditMargins(nullptr).left); }, {4, 4, 4, 7, 7, 5}},
      {"SpinButtonsMargins.left", [](TdxBarPainter* p) { return int(p->SpinButtonsMargins().left); }, {1, 1, 1, 1, 1, 0}},
      {"CheckedGlyphShift", [](TdxBarPainter* p) { return p->CheckedGlyphShift(); }, {0, 1, 1, 0, 0, 1}},
      {"PressedGlyphShift(false)", [](TdxBarPainter* p) { return p->PressedGlyphShift(false); }, {0, 1, 1, 0, 0, 1}},
      {"PressedGlyphShift(true)", [](TdxBarPainter* p) { return p->PressedGlyphShift(true); }, {0, 1, 1, 0, 0, 0}},
      {"ProgressChunkGap", [](TdxBarPainter* p) { return p->ProgressChunkGap(); }, {0, 0, 0, 9, 9, 0}},
      {"ProgressBarMinHeight", [](TdxBarPainter* p) { return p->ProgressBarMinHeight(); }, {12, 12, 12, 12, 12, 17}},
      {"SeparatorLineHeight", [](TdxBarPainter* p) { return p->SeparatorLineHeight(); }, {2, 2, 2, 2, 2, 7}},
      {"SplitPartGap", [](TdxBarPainter* p) { return p->SplitPartGap(); }, {1, 1, 1, 1, 1, 0}},
      {"ArrowScale(3)", [](TdxBarPainter* p) { return p->ArrowScale(3); }, {3, 3, 3, 3, 3, 6}},
      {"IsCalendarFlat", [](TdxBarPainter* p) { return int(p->IsCalendarFlat()); }, {0, 0, 0, 1, 1, 1}},
      {"CalendarWidth", [](TdxBarPainter* p) { return p->CalendarWidth(); }, {132, 132, 132, 132, 132, 132}},
      {"StaticTextIndent", [](TdxBarPainter* p) { return p->StaticTextIndent(); }, {5, 5, 5, 5, 5, 5}},
      {"ScreenTipFooterLineHeight", [](TdxBarPainter* p) { return p->ScreenTipFooterLineHeight(); }, {3, 3, 3, 3, 3, 3}},
      {"PopupBorderWidth", [](TdxBarPainter* p) { return p->PopupBorderWidth(); }, {2, 2, 2, 2, 2, 2}},
      {"DropDownListBorderSize", [](TdxBarPainter* p) { return p->DropDownListBorderSize(); }, {2, 2, 2, 2, 2, 2}},
      {"SizeGripSize(no manager).cx", [](TdxBarPainter* p) { return int(p->SizeGripSize(nullptr).cx); }, {16, 16, 16, 16, 16, 16}},
      {"AttachesDropDowns", [](TdxBarPainter* p) { return int(p->AttachesDropDowns(nullptr)); }, {0, 0, 0, 1, 1, 0}},
      {"HasShadow", [](TdxBarPainter* p) { return int(p->HasShadow(nullptr)); }, {0, 0, 0, 1, 1, 0}},
      {"CloseButtonHotTracks", [](TdxBarPainter* p) { return int(p->CloseButtonHotTracks()); }, {0, 0, 0, 1, 1, 1}},
      {"BufferedPainting", [](TdxBarPainter* p) { return int(p->BufferedPainting()); }, {0, 0, 0, 0, 1, 0}},
      {"LoweredBorderWidth", [](TdxBarPainter* p) { return p->LoweredBorderWidth(nullptr); }, {0, 0, 0, 0, 0, 0}},
      {"EditWindowStyle", [](TdxBarPainter* p) { return p->EditWindowStyle(); }, {ES_MULTILINE | ES_AUTOHSCROLL, ES_MULTILINE | ES_AUTOHSCROLL, ES_MULTILINE | ES_AUTOHSCROLL, ES_MULTILINE | ES_AUTOHSCROLL, ES_MULTILINE | ES_AUTOHSCROLL, ES_MULTILINE | ES_AUTOHSCROLL}},
  };
  const char* names[6] = {"base", "Standard", "Enhanced", "Flat", "Office11", "XP"};
  for (const MetricRow& row : rows)
    for (int i = 0; i < 6; ++i) EXPECT_EQ(row.Read(painters[i].get()), row.Expected[i]) << row.Name << " of " << names[i];
}

TEST_F(PainterMetrics, TheReferenceTextSizeIsTheRowHeightOfTheDefaultFontMeasuredOnce) {
  for (auto& painter : painters) {
    const int first = painter->ReferenceTextSize();
    EXPECT_GT(first, 6);
    EXPECT_EQ(painter->ReferenceTextSize(), first);
  }
  // The flat row is one pixel higher than the base one.
  EXPECT_EQ(painters[3]->ReferenceTextSize(), painters[0]->ReferenceTextSize() + 1);
}

// A row height taken from an odd step is never lower than the measured text (h = 17: step 5 would
// give 14); an even step keeps h.
TEST_F(PainterMetrics, MenuRowsNeverCutTheirText) {
  struct Case {
    int H;
    int Base;
    int Flat;
  } cases[] = {
      {17, 17, 17},  // base step 5 (odd): 14 < 17 keeps 17
      {16, 16, 16},  // base step 5: 14 < 16
      {13, 13, 13},  // base step 3: 10 < 13
      {14, 14, 14},  // base step 4 (even)
      {9, 9, 9},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(painters[0]->SubMenuRowHeight(c.H), c.Base) << c.H;
    EXPECT_EQ(painters[3]->SubMenuRowHeight(c.H), c.Flat) << c.H;
    EXPECT_GE(painters[0]->SubMenuRowHeight(c.H), c.H);
    EXPECT_GE(painters[3]->SubMenuRowHeight(c.H), c.H);
  }
  // The flat step is lowered to even from 5 up: h = 14 gives 5, lowered to 4.
  EXPECT_EQ(painters[3]->MenuHeightStep(14), 4);
  EXPECT_EQ(painters[3]->MenuHeightStep(12), 4);
  EXPECT_EQ(painters[3]->MenuHeightStep(10), 3);
  EXPECT_EQ(painters[0]->MenuHeightStep(17), 5);
}

TEST_F(PainterMetrics, Office11RowsHoldTheCheckBitmapAndALargeFont) {
  AcquireOffice11Colors();
  TBitmap* check = Office11SubMenuExpandBitmap();
  ASSERT_NE(check, nullptr);
  const int bitmapRow = check->Height() + 2;
  // A small font: the bitmap decides; a large one: the font does.
  EXPECT_EQ(painters[4]->SubMenuRowHeight(8), std::max(bitmapRow, 8));
  EXPECT_EQ(painters[4]->SubMenuRowHeight(40), 40);
  UnacquireOffice11Colors();
}

TEST_F(PainterMetrics, TheProgressFillsNothingWhenMinMeetsMax) {
  struct Case {
    int Length, Min, Max, Position, Filled;
  } cases[] = {
      {100, 0, 100, 50, 50}, {100, 0, 100, 100, 100}, {100, 0, 100, 0, 0},  {100, 150, 150, 150, 0},
      {100, 150, 100, 120, 0}, {90, 10, 40, 25, 45},  {100, 0, 100, 180, 100}, {100, 0, 100, -5, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ProgressFilledLength(c.Length, c.Min, c.Max, c.Position), c.Filled)
        << c.Min << ".." << c.Max << " at " << c.Position;
}

TEST_F(PainterMetrics, SpinArrowsNeverGetNegativeSizes) {
  struct Case {
    int Height;
    LONG Width, ArrowHeight;
  } cases[] = {{22, 7, 4}, {16, 5, 3}, {12, 3, 2}, {8, 1, 1}, {7, 0, 0}, {4, 0, 0}, {0, 0, 0}};
  for (const Case& c : cases) {
    const TSize s = painters[0]->SpinArrowSize(c.Height);
    EXPECT_EQ(s.cx, c.Width) << c.Height;
    EXPECT_EQ(s.cy, c.ArrowHeight) << c.Height;
  }
}

TEST_F(PainterMetrics, SpinButtonsTakeTheRightColumnUnlessItIsHalfTheEdit) {
  TdxBarPainter* base = painters[0].get();
  const TRect control{0, 0, 120, 22};
  const int column = base->SpinButtonWidthFor(22) + 2;
  const TRect up = base->SpinButtonRect(control, TRect{0, 0, 100, 22}, 3);
  const TRect down = base->SpinButtonRect(control, TRect{0, 0, 100, 22}, 4);
  EXPECT_EQ(up, (TRect{120 - column + 1, 0, 119, 11}));
  EXPECT_EQ(down, (TRect{120 - column + 1, 11, 119, 22}));
  // A column at least half as wide as the edit: empty.
  EXPECT_TRUE(base->SpinButtonRect(control, TRect{0, 0, column * 2, 22}, 3).IsEmpty());
  // The colour combo's custom-colour button follows the same rule.
  EXPECT_TRUE(base->CalcSplitPartRect(TRect{0, 0, 40, 22}, TRect{0, 0, 20, 22}, true, 0).IsEmpty());
  EXPECT_TRUE(base->CalcSplitPartRect(TRect{0, 0, 200, 22}, TRect{0, 0, 180, 22}, false, 0).IsEmpty());
  const TRect split = base->CalcSplitPartRect(TRect{0, 0, 200, 22}, TRect{0, 0, 180, 22}, true, 0);
  EXPECT_EQ(split.Width(), base->SplitPartWidth(0, TRect{0, 0, 200, 22}));
  EXPECT_EQ(split.top, 2);
}

TEST_F(PainterMetrics, EditLikePartBoundsSplitTheControlLeftToRight) {
  TdxBarPainter* base = painters[0].get();
  TdxBarEditLayoutInput in;
  in.Bounds = TRect{10, 0, 210, 22};
  in.ShowsCaption = true;
  in.CaptionTextWidth = 30;
  in.IconAreaWidth = 20;
  in.ComboButtonWidth = 15;
  std::vector<TRect> parts;
  base->CalcEditPartBounds(in, parts);
  EXPECT_EQ(parts[0], (TRect{10, 0, 44, 22}));  // caption + margins 4 and 0
  EXPECT_EQ(parts[1], (TRect{44, 0, 64, 22}));
  EXPECT_EQ(parts[2], (TRect{66, 2, 208, 19}));  // inside Rect(2, 2, 2, 3)
  base->CalcComboPartBounds(in, parts);
  EXPECT_EQ(parts[3], (TRect{193, 2, 208, 19}));
  EXPECT_EQ(parts[2].right, 193);
  base->CalcSpinEditPartBounds(in, parts);
  EXPECT_FALSE(parts[3].IsEmpty());
  EXPECT_EQ(parts[3].bottom, parts[4].top);
  EXPECT_LE(parts[2].right, parts[3].left);
  // The flat spin edit's up button is one pixel taller.
  std::vector<TRect> flat;
  painters[3]->CalcSpinEditPartBounds(in, flat);
  EXPECT_EQ(flat[3].Height(), parts[3].Height() + 1);
  in.ButtonShown = true;
  base->CalcColorComboPartBounds(in, parts);
  ASSERT_EQ(parts.size(), 6u);
  EXPECT_FALSE(parts[5].IsEmpty());
  EXPECT_LE(parts[3].right, parts[5].left);
}

TEST_F(PainterMetrics, GlyphsArePlacedByTheirLayoutOnHorizontalAndVerticalBars) {
  TdxBarPainter* base = painters[0].get();
  const TRect g{0, 0, 40, 30};
  const TSize s{16, 16};
  struct Case {
    TdxBarGlyphLayout Layout;
    int PaintType;
    TPoint TopLeft;
  } cases[] = {
      {glLeft, 0, {4, 7}},   {glRight, 0, {20, 7}},  {glTop, 0, {12, 2}},   {glBottom, 0, {12, 12}},
      {glLeft, 2, {12, 4}},  {glRight, 2, {12, 10}}, {glTop, 2, {22, 7}},   {glBottom, 2, {2, 7}},
      {glLeft, 1, {12, 7}},
  };
  for (const Case& c : cases) {
    const TRect r = base->CalcGlyphPosition(g, s, c.Layout, true, c.PaintType);
    EXPECT_EQ(r.TopLeft().x, c.TopLeft.x) << int(c.Layout) << "/" << c.PaintType;
    EXPECT_EQ(r.TopLeft().y, c.TopLeft.y) << int(c.Layout) << "/" << c.PaintType;
  }
  // Without text it stays centred.
  EXPECT_EQ(base->CalcGlyphPosition(g, s, glLeft, false, 0).TopLeft().x, 12);
}

TEST_F(PainterMetrics, TheDropDownClientLeavesTheGripBandOnTheSideAwayFromTheOwner) {
  TdxBarPainter* base = painters[0].get();
  const int band = base->DropDownNonClientHeight();
  EXPECT_EQ(band, SizeGripBandHeight());
  const TRect window{0, 0, 200, 150};
  int corner = -1;
  // Opened below its owner: the band at the bottom.
  TRect client = base->DropDownClientRect(window, true, true, TRect{100, 50, 180, 70}, TRect{100, 70, 300, 220}, corner);
  EXPECT_GE(corner, 2);
  EXPECT_EQ(client, (TRect{1, 1, 199, 149 - band}));
  // Above its owner: the band at the top.
  client = base->DropDownClientRect(window, true, true, TRect{100, 300, 180, 320}, TRect{100, 100, 300, 250}, corner);
  EXPECT_LE(corner, 1);
  EXPECT_EQ(client, (TRect{1, 1 + band, 199, 149}));
  // Without the band only the border.
  client = base->DropDownClientRect(window, false, true, TRect{}, TRect{}, corner);
  EXPECT_EQ(client, (TRect{1, 1, 199, 149}));
  EXPECT_EQ(corner, -1);
}

TEST_F(PainterMetrics, StaticBordersTakeTheirStylesWidths) {
  const int widths[5] = {0, 1, 1, 2, 2};
  for (int style = sbsNone; style <= sbsBump; ++style)
    EXPECT_EQ(painters[0]->StaticBorderRect(TdxBarStaticBorderStyle(style)).left, widths[style]);
}

TEST_F(PainterMetrics, TheXPPainterReadsTheThemesSizesIntoItsMetrics) {
  const TdxBarXPThemeMetrics& m = BarXPThemeMetrics();
  EXPECT_EQ(m.SeparatorWidth, 8);
  EXPECT_EQ(m.CaptionButtonSize, (TSize{15, 14}));
  EXPECT_EQ(m.ButtonMargin, 10);
  EXPECT_EQ(m.ComboButtonWidth, 19);
  EXPECT_EQ(m.EditMargins, (TRect{3, 2, 3, 2}));
  EXPECT_EQ(m.GripperWidth, 5);
  EXPECT_EQ(m.ProgressMinHeight, 13 + 2 + 2);
  EXPECT_EQ(m.SizeGripSize, (TSize{18, 19}));
  EXPECT_EQ(m.SeparatorHeight, 7);
}

}  // namespace
