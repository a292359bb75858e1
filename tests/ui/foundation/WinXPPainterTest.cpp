// The WinXP painter against the recording fake: the (class, part, state) each row of its state
// tables draws, the Standard painter's pixels when the class is missing, metrics and colours from
// the theme, the one-pixel themed border and the minimal thumb length from the gripper.

#include <functional>

#include "tests/ui/foundation/PainterTestSupport.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/StandardPainter.h"
#include "ui/foundation/WinXPPainter.h"

using namespace painter_testing;
using theme_testing::FakeThemeApi;
using theme_testing::ThemeCall;

namespace {

const TcxWinXPPainterMetaClass& XP() { return TcxWinXPLookAndFeelPainter::ClassInfo(); }
const TcxStandardPainterMetaClass& Standard() { return TcxStandardLookAndFeelPainter::ClassInfo(); }

class WinXPPainter : public testing::Test {
 protected:
  void SetUp() override {
    StartUnits();
    for (const wchar_t* name : {L"Button", L"ScrollBar", L"Header", L"Window", L"ComboBox", L"Tab", L"ToolBar",
                                L"TreeView", L"ExplorerBar", L"ListView", L"Progress"})
      fake.AddClass(name);
    fake.ThemeFile = L"C:\\Themes\\Plain.msstyles";
    fake.Active = true;
    AnnounceThemeChange();
  }
  void TearDown() override {
    fake.Active = false;
    AnnounceThemeChange();
  }
  // The (part, state) of every background drawn by Draw, in order.
  std::vector<std::pair<int, int>> Drawn(const String& Class, const std::function<void(TcxCanvas*)>& Draw) {
    fake.Calls.clear();
    Surface s(40, 40);
    Draw(s.canvas());
    std::vector<std::pair<int, int>> parts;
    for (const ThemeCall& call : fake.Calls) {
      EXPECT_EQ(call.Class, Class);
      if (call.Call == L"background") parts.emplace_back(call.Part, call.State);
    }
    return parts;
  }
  PinnedSystem pinned;
  FakeThemeApi fake;
};

const TRect kBox{0, 0, 20, 20};
const TcxPaintButtonState kStates[] = {pbsDefault, pbsNormal, pbsHot, pbsPressed, pbsDisabled};

TEST_F(WinXPPainter, StateTablesByButtonState) {
  using Draw = std::function<void(TcxCanvas*, TcxPaintButtonState)>;
  struct Row {
    const char* Name;
    String Class;
    int Part;
    int States[5];  // for pbsDefault .. pbsDisabled
    Draw Paint;
  };
  const Row rows[] = {
      {"push button", L"BUTTON", 1, {5, 1, 2, 3, 4},
       [](TcxCanvas* c, TcxPaintButtonState s) { XP().PaintButton(c, kBox, false, clDefault, clDefault, true, s, L""); }},
      {"arrow frame", L"BUTTON", 1, {5, 1, 2, 3, 4},
       [](TcxCanvas* c, TcxPaintButtonState s) { XP().PaintArrowFrame(c, kBox, s); }},
      {"check box", L"BUTTON", 3, {1, 1, 2, 3, 4},
       [](TcxCanvas* c, TcxPaintButtonState s) { XP().PaintCheckMark(c, kBox, clBlack, false, s); }},
      {"checked check box", L"BUTTON", 3, {5, 5, 6, 7, 8},
       [](TcxCanvas* c, TcxPaintButtonState s) { XP().PaintCheckMark(c, kBox, clBlack, true, s); }},
      {"checked radio button", L"BUTTON", 2, {5, 5, 6, 7, 8},
       [](TcxCanvas* c, TcxPaintButtonState s) { XP().PaintRadioButton(c, 0, 0, s, true, false, clDefault, false); }},
      {"header item", L"HEADER", 1, {1, 1, 2, 3, 1},
       [](TcxCanvas* c, TcxPaintButtonState s) {
         XP().PaintHeaderCell(c, kBox, kBox, {}, cxBordersAll, s, {}, nullptr, false);
       }},
      {"small close button", L"WINDOW", 19, {1, 1, 2, 3, 4},
       [](TcxCanvas* c, TcxPaintButtonState s) { XP().PaintFilterCloseButton(c, kBox, s); }},
      {"combo drop-down button", L"COMBOBOX", 1, {1, 1, 2, 3, 4},
       [](TcxCanvas* c, TcxPaintButtonState s) { XP().PaintFilterDropDownButton(c, kBox, s, false); }},
      {"tab item", L"TAB", 1, {1, 1, 2, 3, 4},
       [](TcxCanvas* c, TcxPaintButtonState s) {
         XP().PaintTab(c, kBox, false, clDefault, clDefault, nullptr, false, s, L"", cxBordersAll);
       }},
      {"toolbar button", L"TOOLBAR", 1, {2, 2, 5, 3, 4},
       [](TcxCanvas* c, TcxPaintButtonState s) { XP().PaintSchedulerNavigatorButton(c, kBox, s); }},
      {"scroll arrow up", L"SCROLLBAR", 1, {1, 1, 2, 3, 4},
       [](TcxCanvas* c, TcxPaintButtonState s) { XP().PaintScrollArrow(c, kBox, true, padUp, s); }},
      {"scroll arrow right", L"SCROLLBAR", 1, {13, 13, 14, 15, 16},
       [](TcxCanvas* c, TcxPaintButtonState s) { XP().PaintScrollArrow(c, kBox, true, padRight, s); }},
      {"vertical line-down button", L"SCROLLBAR", 1, {5, 5, 6, 7, 8},
       [](TcxCanvas* c, TcxPaintButtonState s) { XP().PaintScrollBarPart(c, false, kBox, sppLineDown, s); }},
      {"horizontal page-up track", L"SCROLLBAR", 4, {1, 1, 2, 3, 4},
       [](TcxCanvas* c, TcxPaintButtonState s) { XP().PaintScrollBarPart(c, true, kBox, sppPageUp, s); }},
      {"vertical page-down track", L"SCROLLBAR", 7, {1, 1, 2, 3, 4},
       [](TcxCanvas* c, TcxPaintButtonState s) { XP().PaintScrollBarPart(c, false, kBox, sppPageDown, s); }},
  };
  for (const Row& row : rows)
    for (int i = 0; i < 5; ++i) {
      const auto parts = Drawn(row.Class, [&](TcxCanvas* c) { row.Paint(c, kStates[i]); });
      const std::vector<std::pair<int, int>> expected{{row.Part, row.States[i]}};
      EXPECT_EQ(parts, expected) << row.Name << ", state " << i;
    }
}

TEST_F(WinXPPainter, PartsDrawnTogether) {
  struct Row {
    const char* Name;
    String Class;
    std::function<void(TcxCanvas*)> Paint;
    std::vector<std::pair<int, int>> Expected;
  };
  const Row rows[] = {
      {"horizontal thumb", L"SCROLLBAR", [](TcxCanvas* c) { XP().PaintScrollBarPart(c, true, kBox, sppThumb, pbsHot); },
       {{2, 2}, {8, 0}}},
      {"vertical disabled thumb", L"SCROLLBAR",
       [](TcxCanvas* c) { XP().PaintScrollBarPart(c, false, kBox, sppThumb, pbsDisabled); }, {{3, 4}, {9, 0}}},
      {"size grip", L"SCROLLBAR", [](TcxCanvas* c) { XP().PaintSizeGrip(c, kBox, clRed); }, {{10, 1}}},
      {"collapsed tree glyph", L"TREEVIEW", [](TcxCanvas* c) { XP().PaintExpandButton(c, kBox, clDefault, false); },
       {{2, 1}}},
      {"expanded tree glyph", L"TREEVIEW", [](TcxCanvas* c) { XP().PaintSmallExpandButton(c, kBox, clDefault, clRed, true); },
       {{2, 2}}},
      {"collapsed group, hot", L"EXPLORERBAR",
       [](TcxCanvas* c) { XP().PaintGroupExpandButton(c, kBox, pbsHot, false); }, {{7, 2}}},
      {"expanded group, pressed", L"EXPLORERBAR",
       [](TcxCanvas* c) { XP().PaintGroupExpandButton(c, kBox, pbsPressed, true); }, {{6, 3}}},
      {"expanded group, disabled", L"EXPLORERBAR",
       [](TcxCanvas* c) { XP().PaintGroupExpandButton(c, kBox, pbsDisabled, true); }, {{6, 1}}},
      {"border", L"LISTVIEW", [](TcxCanvas* c) { XP().PaintBorder(c, kBox); }, {{5, 0}}},
      {"tabs area", L"TAB", [](TcxCanvas* c) { XP().PaintTabsArea(c, kBox, false, cxBordersAll); }, {{9, 1}}},
      {"event progress", L"PROGRESS",
       [](TcxCanvas* c) { XP().PaintSchedulerEventProgress(c, kBox, false, {}, {2, 2, 8, 8}); }, {{1, 1}, {3, 1}}},
  };
  for (const Row& row : rows) EXPECT_EQ(Drawn(row.Class, row.Paint), row.Expected) << row.Name;
}

TEST_F(WinXPPainter, ThemedBorderPaintsOnlyItsRim) {
  EXPECT_EQ(XP().BorderThickness(), 1);
  Surface s(20, 20);
  XP().PaintBorder(s.canvas(), kBox);
  EXPECT_EQ(s.At(0, 0), FakeThemeApi::DrawColor(5, 0));
  EXPECT_EQ(s.At(19, 10), FakeThemeApi::DrawColor(5, 0));
  EXPECT_EQ(s.At(1, 1), rgb(1, 2, 3));
  EXPECT_EQ(s.At(10, 10), rgb(1, 2, 3));
}

TEST_F(WinXPPainter, StandardPixelsWhenTheClassIsMissing) {
  using Draw = void (*)(const TcxStandardPainterMetaClass&, TcxCanvas*);
  struct Row {
    const char* Name;
    const wchar_t* Class;
    Draw Paint;
  };
  const Row rows[] = {
      {"border", L"ListView", [](const TcxStandardPainterMetaClass& p, TcxCanvas* c) { p.PaintBorder(c, kBox); }},
      {"pressed button", L"Button", [](const TcxStandardPainterMetaClass& p, TcxCanvas* c) {
         p.PaintButton(c, kBox, false, clDefault, clDefault, true, pbsPressed, L"");
       }},
      {"default button", L"Button", [](const TcxStandardPainterMetaClass& p, TcxCanvas* c) {
         p.PaintButton(c, kBox, false, clDefault, clDefault, true, pbsDefault, L"");
       }},
      {"thumb", L"ScrollBar", [](const TcxStandardPainterMetaClass& p, TcxCanvas* c) {
         p.PaintScrollBarPart(c, false, kBox, sppThumb, pbsNormal);
       }},
      {"pressed track", L"ScrollBar", [](const TcxStandardPainterMetaClass& p, TcxCanvas* c) {
         p.PaintScrollBarPart(c, true, kBox, sppPageDown, pbsPressed);
       }},
      {"header", L"Header", [](const TcxStandardPainterMetaClass& p, TcxCanvas* c) {
         TcxCellText cell;
         cell.BkColor = clRed;
         p.PaintHeaderCell(c, kBox, kBox, {nLeft}, cxBordersAll, pbsNormal, cell, nullptr, false);
       }},
  };
  for (const Row& row : rows) {
    fake.RemoveClass(row.Class);
    AnnounceThemeChange();
    Surface themed(20, 20), standard(20, 20);
    row.Paint(XP(), themed.canvas());
    row.Paint(Standard(), standard.canvas());
    int differing = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) differing += themed.At(x, y) != standard.At(x, y);
    EXPECT_EQ(differing, 0) << row.Name;
    fake.AddClass(row.Class);
  }
  fake.RemoveClass(L"ListView");
  AnnounceThemeChange();
  EXPECT_EQ(XP().BorderThickness(), 2);
}

TEST_F(WinXPPainter, MetricsAndColoursFromTheTheme) {
  fake.SetContentMargins(L"Button", 1, 1, {3, 4, 5, 6});
  fake.SetColor(L"Button", 1, 2, 204, rgb(10, 20, 30));
  fake.SetColor(L"Button", 1, 3, 3803, rgb(40, 50, 60));
  fake.SetColor(L"ComboBox", 1, 1, 3801, rgb(70, 80, 90));
  fake.SetPartSize(L"TreeView", 2, 1, 1, {9, 9});
  fake.SetPartSize(L"Button", 2, 1, 1, {13, 12});
  EXPECT_EQ(XP().ButtonFrameWidth(pbsNormal), 3);
  EXPECT_EQ(XP().ButtonFrameWidth(pbsDefault), 3);  // no content rectangle for that state: Standard's
  EXPECT_EQ(XP().ButtonGroupFrameWidths(2, 0), (TRect{3, 4, 5, 6}));
  fake.SetPartiallyTransparent(L"Button", 1, 1, true);
  EXPECT_EQ(XP().ButtonGroupFrameWidths(2, 0), (TRect{2, 3, 4, 5}));
  EXPECT_EQ(XP().GroupButtonDisplayBounds(kBox, 2, 0), InflateRectBy(kBox, 1, 1));
  EXPECT_EQ(XP().ButtonFaceColor(pbsHot), rgb(10, 20, 30));
  EXPECT_EQ(XP().ButtonFaceColor(pbsNormal), clBtnFace);  // the property is missing
  EXPECT_EQ(XP().ButtonGlyphColor(pbsPressed, clDefault), rgb(40, 50, 60));
  EXPECT_EQ(XP().SchedulerBorderColor(), rgb(70, 80, 90));
  EXPECT_EQ(XP().ExpandButtonExtent(), 9);
  EXPECT_EQ(XP().SmallExpandButtonExtent(), 9);
  EXPECT_EQ(XP().RadioButtonExtent(), (TSize{13, 12}));
  EXPECT_EQ(XP().ButtonTextOffset(), 2);
  EXPECT_EQ(XP().ButtonTextShift(), 0);
  EXPECT_EQ(XP().CheckFrameWidth(), 0);
  EXPECT_FALSE(XP().PaintsExpandButtonFirst());
}

TEST_F(WinXPPainter, MinimalThumbLengthFromTheBarsGripper) {
  struct Case {
    bool HasMinimum, HasTrue;
    SIZE Minimum, True;
    int Vertical, Horizontal;
  };
  // The vertical bar's gripper is part 9, the horizontal bar's part 8; both given the same sizes
  // here, measured along the bar: heights for the vertical one, widths for the other.
  const Case cases[] = {
      {true, true, {5, 6}, {12, 10}, 14, 16},
      {true, false, {20, 30}, {}, 30, 20},
      {true, true, {2, 3}, {1, 2}, 8, 8},  // never below 8
      {false, true, {}, {40, 40}, 8, 8},   // no minimum size: 8
  };
  for (const Case& c : cases) {
    fake.ClearPartSizes();
    for (int part : {8, 9}) {
      if (c.HasMinimum) fake.SetPartSize(L"ScrollBar", part, 1, 0, c.Minimum);
      if (c.HasTrue) fake.SetPartSize(L"ScrollBar", part, 1, 1, c.True);
    }
    EXPECT_EQ(XP().MinScrollThumbLength(true), c.Vertical) << c.Minimum.cx;
    EXPECT_EQ(XP().MinScrollThumbLength(false), c.Horizontal) << c.Minimum.cx;
  }
  // Each bar measures its own gripper.
  fake.SetPartSize(L"ScrollBar", 9, 1, 0, {7, 25});
  fake.SetPartSize(L"ScrollBar", 8, 1, 0, {11, 7});
  fake.SetPartSize(L"ScrollBar", 9, 1, 1, {7, 7});
  fake.SetPartSize(L"ScrollBar", 8, 1, 1, {7, 7});
  EXPECT_EQ(XP().MinScrollThumbLength(true), 25);
  EXPECT_EQ(XP().MinScrollThumbLength(false), 11);
  fake.RemoveClass(L"ScrollBar");
  AnnounceThemeChange();
  EXPECT_EQ(XP().MinScrollThumbLength(true), 8);
}

TEST_F(WinXPPainter, ANativeLookAndFeelDrawsThroughTheTheme) {
  TcxLookAndFeel lookAndFeel(nullptr);
  lookAndFeel.SetNativeStyle(true);
  ASSERT_EQ(lookAndFeel.ActivePainter(), &XP());
  fake.Calls.clear();
  Surface s(20, 20);
  lookAndFeel.ActivePainter()->PaintButton(s.canvas(), kBox, false, clDefault, clDefault, true, pbsHot, L"OK");
  const std::vector<ThemeCall> expected = {{L"background", L"BUTTON", 1, 2, {0, 0, 20, 20}, L""},
                                           {L"text", L"BUTTON", 1, 2, {0, 0, 20, 20}, L"OK"}};
  EXPECT_EQ(fake.Calls, expected);
  // Themes switched off: the next paint is the Standard look, before the painter is chosen again.
  fake.Active = false;
  AnnounceThemeChange();
  fake.Calls.clear();
  lookAndFeel.ActivePainter()->PaintButton(s.canvas(), kBox, false, clDefault, clDefault, true, pbsHot, L"");
  EXPECT_TRUE(fake.Calls.empty());
}

}  // namespace
