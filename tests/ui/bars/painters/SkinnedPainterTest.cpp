// The skinned painter with a recording skin: the state rules as tables, the parts and rectangles of
// bars, menus, the application menu, screen tips and button groups, the named and unnamed skin
// metrics, the skin references held only for the length of a call (also when the skin raises), and
// an owner without a skin drawing the Office11 pixels.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/Bars.h"
#include "ui/bars/painters/SkinnedPainter.h"
#include "ui/foundation/Canvas.h"

using window_testing::DibSection;

namespace {

// Records every call with its part, state and rectangle; fills drawn parts with a colour of the
// part number; answers margins, colours, offsets and the name from its tables.
class RecordingSkin : public TObject, public IdxSkin {
 public:
  struct Call {
    String op;
    int part = 0, state = 0;
    TRect r{};
  };
  int _AddRef() override {
    ++refs;
    maxRefs = std::max(maxRefs, refs);
    return refs;
  }
  int _Release() override { return --refs; }
  void DrawBackground(HDC DC, const TRect& R, int Part, int State) override {
    calls.push_back({L"bg", Part, State, R});
    if (raise) throw Exception(L"skin failed");
    HBRUSH brush = CreateSolidBrush(RGB(Part & 0xFF, State * 20, 0x40));
    RECT r = R;
    FillRect(DC, &r, brush);
    DeleteObject(brush);
  }
  void DrawCaption(HDC, const String&, const TRect& R, int Part, int State) override {
    calls.push_back({L"caption", Part, State, R});
  }
  TRect CaptionBoundsOf(const TRect& R, int Part) override {
    calls.push_back({L"captionBounds", Part, 0, R});
    return TRect{R.left + 3, R.top, R.right - 3, R.top + 20};
  }
  TRect ContentMarginsOf(int Part) override { return margins.count(Part) ? margins[Part] : TRect{}; }
  String GetSkinName() override { return name; }
  TColor PartColorOf(int Part, int State) override {
    calls.push_back({L"color", Part, State, TRect{}});
    return TColor(RGB(Part & 0xFF, State * 20, 0x80));
  }
  int GetPartOffset(int Part) override { return Part == 1 ? 7 : 0; }

  std::vector<Call> Backgrounds() const {
    std::vector<Call> out;
    for (const Call& c : calls)
      if (c.op == L"bg") out.push_back(c);
    return out;
  }
  std::vector<Call> calls;
  std::map<int, TRect> margins;
  String name;
  int refs = 0, maxRefs = 0;
  bool raise = false;
};

// Draw parameters on a DIB without a control.
struct ParamsOnDib {
  ParamsOnDib(int W, int H) : dib(W, H), params(nullptr) {
    target.SetHandle(dib.DC());
    canvas = std::make_unique<TcxCanvas>(&target);
    params.Canvas = canvas.get();
  }
  ~ParamsOnDib() {
    params.Canvas = nullptr;
    canvas.reset();
    target.SetHandle(nullptr);
  }
  DibSection dib;
  TCanvas target;
  std::unique_ptr<TcxCanvas> canvas;
  TdxBarButtonLikeControlDrawParams params;
};

using S = TdxBarSkinnedPainter;

TdxSkinStateInput In(std::initializer_list<std::pair<const char*, int>> Fields) {
  TdxSkinStateInput p;
  for (auto [name, v] : Fields) {
    const std::string n = name;
    if (n == "hot") p.HotPart = v;
    if (n == "canSelect") p.CanSelect = v;
    if (n == "selected") p.Selected = v;
    if (n == "enabled") p.Enabled = v;
    if (n == "customizing") p.Customizing = v;
    if (n == "pressed") p.Pressed = v;
    if (n == "checked") p.Checked = v;
    if (n == "dropped") p.DroppedDown = v;
    if (n == "hasDrop") p.HasDropDown = v;
    if (n == "split") p.Split = v;
    if (n == "byKey") p.SelectedByKey = v;
    if (n == "focused") p.Focused = v;
    if (n == "pressedButton") p.PressedButton = v;
    if (n == "view") p.ViewSize = Byte(v);
  }
  return p;
}

struct RuleCase {
  const char* name;
  TdxSkinStateInput in;
  int part, want;
};

void CheckRule(int (*Rule)(const TdxSkinStateInput&, int), std::initializer_list<RuleCase> Cases) {
  for (const RuleCase& c : Cases) EXPECT_EQ(Rule(c.in, c.part), c.want) << c.name << ", part " << c.part;
}

TEST(SkinnedPainterStates, ItemAndMenuItemRules) {
  CheckRule(&S::ItemPartState, {
      {"hot part", In({{"hot", 0}}), 0, 2},
      {"hot part, not selectable", In({{"hot", 0}, {"canSelect", 0}}), 0, 3},
      {"other part hot", In({{"hot", 1}}), 0, 3},
      {"selected", In({{"selected", 1}}), 0, 3},
      {"selected, disabled", In({{"selected", 1}, {"enabled", 0}}), 0, 8},
      {"selected, not selectable", In({{"selected", 1}, {"canSelect", 0}}), 0, 0},
      {"normal", In({}), 0, 0},
      {"disabled", In({{"enabled", 0}}), 0, 1},
  });
  CheckRule(&S::MenuItemPartState, {
      {"drop part open", In({{"dropped", 1}}), 1, 2},
      {"selected small", In({{"selected", 1}}), 0, 2},
      {"selected large", In({{"selected", 1}, {"view", 2}}), 0, 3},
      {"drop part closed", In({{"selected", 1}}), 1, 3},
  });
}

TEST(SkinnedPainterStates, ButtonRule) {
  CheckRule(&S::ButtonPartState, {
      {"customizing checked", In({{"customizing", 1}, {"checked", 1}, {"pressed", 1}}), 0, 6},
      {"customizing dropped", In({{"customizing", 1}, {"dropped", 1}}), 1, 5},
      {"customizing", In({{"customizing", 1}, {"hot", 0}}), 0, 0},
      {"pressed", In({{"pressed", 1}, {"checked", 1}}), 0, 4},
      {"checked, menu open", In({{"checked", 1}, {"dropped", 1}}), 0, 3},
      {"checked, hot", In({{"checked", 1}, {"hot", 0}}), 0, 7},
      {"checked, by key", In({{"checked", 1}, {"byKey", 1}}), 0, 7},
      {"checked, by key with drop-down", In({{"checked", 1}, {"byKey", 1}, {"hasDrop", 1}}), 0, 6},
      {"checked", In({{"checked", 1}}), 0, 6},
      {"dropped split", In({{"dropped", 1}, {"hasDrop", 1}, {"split", 1}}), 0, 3},
      {"dropped plain", In({{"dropped", 1}, {"hasDrop", 1}}), 0, 5},
      {"hot main", In({{"hot", 0}}), 0, 2},
      {"drop part dropped", In({{"dropped", 1}}), 1, 5},
      {"drop part checked", In({{"checked", 1}}), 1, 6},
      {"drop part checked, main hot", In({{"checked", 1}, {"hot", 0}}), 1, 3},
      {"drop part hot", In({{"hot", 1}}), 1, 2},
      {"other part", In({{"hot", 2}, {"pressed", 1}}), 2, 0},
  });
}

TEST(SkinnedPainterStates, EditAndSpinRules) {
  CheckRule(&S::EditPartState, {
      {"customizing", In({{"customizing", 1}, {"dropped", 1}}), 0, 0},
      {"box dropped", In({{"dropped", 1}, {"focused", 1}}), 0, 5},
      {"box focused", In({{"focused", 1}}), 0, 4},
      {"box hot", In({{"hot", 0}}), 0, 2},
      {"combo dropped", In({{"dropped", 1}}), 3, 5},
      {"combo pressed and hot", In({{"pressed", 1}, {"hot", 3}}), 3, 2},
      {"combo focused", In({{"focused", 1}}), 3, 2},
      {"combo, box hot", In({{"hot", 0}}), 3, 3},
      {"colour pressed", In({{"pressed", 1}, {"dropped", 1}}), 4, 4},
      {"colour dropped", In({{"dropped", 1}}), 4, 2},
      {"colour disabled", In({{"enabled", 0}}), 4, 1},
      {"other part", In({{"hot", 1}}), 1, 0},
  });
  CheckRule(&S::SpinPartState, {
      {"customizing", In({{"customizing", 1}, {"hot", 3}}), 3, 0},
      {"pressed and hot", In({{"pressed", 1}, {"pressedButton", 3}, {"hot", 3}}), 3, 5},
      {"hot", In({{"hot", 3}}), 3, 2},
      {"selected, nothing hot", In({{"selected", 1}}), 3, 0},
      {"other spin button hot", In({{"hot", 4}}), 3, 3},
      {"part 1 hot", In({{"hot", 1}}), 3, 0},
      {"part 2 hot", In({{"hot", 2}}), 3, 0},
      {"part 100 hot", In({{"hot", 100}}), 3, 0},
      {"selected, disabled", In({{"selected", 1}, {"enabled", 0}}), 4, 8},
  });
}

TEST(SkinnedPainterStates, AnEditsFocusReachesTheStateInput) {
  for (bool focused : {false, true}) {
    TdxBarEditLikeControlDrawParams edit(nullptr);
    edit.Focused = focused;
    const TdxSkinStateInput in = S::StateInputOf(&edit);
    EXPECT_EQ(in.Focused, focused);
    EXPECT_EQ(S::EditPartState(in, 0), focused ? 4 : 0);
  }
}

class SkinnedPainterTest : public testing::Test {
 protected:
  RecordingSkin skin;
  std::unique_ptr<TdxBarSkinnedPainter> painter{TdxBarSkinnedPainter::CreatePainter(&skin)};
};

TEST_F(SkinnedPainterTest, BarsMarksAndSeparators) {
  ParamsOnDib d(200, 60);
  HDC dc = d.dib.DC();
  painter->DrawBarControlBackground(nullptr, dc, TRect{0, 0, 100, 30});
  painter->DrawBarMark(nullptr, dc, TRect{0, 0, 10, 20}, false);
  painter->DrawBarMark(nullptr, dc, TRect{0, 0, 10, 20}, true);
  painter->DrawBarNonClientArea(nullptr, dc, TRect{0, 0, 120, 40});
  const auto bg = skin.Backgrounds();
  ASSERT_EQ(bg.size(), 4u);
  EXPECT_EQ(bg[0].part, 1);
  EXPECT_EQ(bg[0].r, (TRect{0, 0, 100, 30}));
  EXPECT_EQ(bg[1].part, 336);
  EXPECT_EQ(bg[2].part, 337);
  EXPECT_EQ(skin.calls.back().op, L"caption");
  EXPECT_EQ(skin.calls.back().r, (TRect{3, 0, 117, 20}));
  skin.margins[1] = TRect{1, 2, 3, 4};
  EXPECT_EQ(painter->CalcBarBorderRect(nullptr), (TRect{1, 2, 3, 4}));
  EXPECT_EQ(painter->DockRowGap(), 7);

  // Separators: dark line then light line across a horizontal one; light then dark along a vertical one.
  painter->DrawBarSeparator(nullptr, dc, TRect{0, 40, 20, 50}, true);
  EXPECT_EQ(d.dib.Pixel(5, 44), 0xA2A6AAu);
  EXPECT_EQ(d.dib.Pixel(5, 45), 0xE6E8EBu);
  painter->DrawBarSeparator(nullptr, dc, TRect{100, 40, 110, 60}, false);
  EXPECT_EQ(d.dib.Pixel(104, 50), 0xE6E8EBu);
  EXPECT_EQ(d.dib.Pixel(105, 50), 0xA2A6AAu);
}

TEST_F(SkinnedPainterTest, ApplicationMenuExtraPaneAndScreenTip) {
  ParamsOnDib d(200, 200);
  HDC dc = d.dib.DC();
  TcxCanvas* canvas = d.canvas.get();
  const TRect w{0, 0, 200, 200}, k{20, 30, 180, 170};
  painter->FillApplicationMenuBackground(nullptr, canvas, w, k);
  auto bg = skin.Backgrounds();
  ASSERT_EQ(bg.size(), 2u);
  EXPECT_EQ(bg[0].part, 453);
  EXPECT_EQ(bg[0].r, (TRect{0, 0, 200, 28}));
  EXPECT_EQ(bg[1].part, 454);
  EXPECT_EQ(bg[1].r, (TRect{0, 172, 200, 200}));
  auto rgb = [](int part) { return DWORD((part & 0xFF) << 16 | 0x80); };
  EXPECT_EQ(d.dib.Pixel(19, 100), rgb(457)) << "inner frame";
  EXPECT_EQ(d.dib.Pixel(18, 100), rgb(456)) << "outer frame";
  EXPECT_EQ(d.dib.Pixel(5, 100), rgb(455)) << "side";
  EXPECT_EQ(d.dib.Pixel(190, 100), rgb(455)) << "side";

  skin.calls.clear();
  painter->FillExtraPaneBackground(nullptr, dc, TRect{50, 0, 100, 40});
  bg = skin.Backgrounds();
  ASSERT_EQ(bg.size(), 1u);
  EXPECT_EQ(bg[0].part, 410);
  EXPECT_EQ(bg[0].r, (TRect{50, 0, 52, 40}));
  EXPECT_EQ(d.dib.Pixel(60, 10), rgb(395));
  EXPECT_EQ(d.dib.Pixel(100, 10), DWORD((453 & 0xFF) << 16 | 0x40)) << "nothing outside the pane";

  skin.calls.clear();
  painter->DrawScreenTipBackground(canvas, TRect{0, 100, 80, 150});
  painter->DrawScreenTipFooterLine(canvas, TRect{0, 120, 80, 140});
  EXPECT_EQ(skin.Backgrounds().at(0).part, 40);
  EXPECT_EQ(d.dib.Pixel(10, 120), rgb(41));
  EXPECT_EQ(d.dib.Pixel(10, 121), 0xFFFFFFu);
  EXPECT_EQ(painter->ApplicationMenuMargins(), (TRect{4, 16, 4, 27}));
}

// The strips and caps of a button-group member at each position, plain and split.
TEST_F(SkinnedPainterTest, ButtonGroupStripsAndCaps) {
  struct Case {
    int position;
    bool split;
    std::vector<std::pair<int, TRect>> want;  // part, rectangle
  } cases[] = {
      {0, false, {{3, {0, 0, 40, 22}}}},
      {1, false, {{460, {1, 0, 40, 22}}, {470, {0, 0, 2, 22}}, {480, {39, 0, 40, 22}}}},
      {2, false, {{460, {0, 0, 40, 22}}, {480, {39, 0, 40, 22}}}},
      {3, false, {{460, {0, 0, 39, 22}}, {490, {38, 0, 40, 22}}}},
      {4, false, {{460, {1, 0, 39, 22}}, {470, {0, 0, 2, 22}}, {490, {38, 0, 40, 22}}}},
      // An only split member: caps outside, 500 between the halves.
      {4, true, {{460, {1, 0, 29, 22}}, {470, {0, 0, 2, 22}}, {460, {29, 0, 39, 22}}, {490, {38, 0, 40, 22}},
                 {500, {28, 0, 30, 22}}}},
      {0, true, {{5, {0, 0, 29, 22}}, {4, {29, 0, 40, 22}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "position " << c.position << (c.split ? " split" : ""));
    ParamsOnDib d(60, 30);
    d.params.PositionInButtonGroup = TdxBarButtonGroupPosition(c.position);
    d.params.IsButton = c.split;
    d.params.HasDropDown = c.split;
    d.params.ArrowSize = TSize{11, 4};
    skin.calls.clear();
    painter->DrawButtonBackground(&d.params, TRect{0, 0, 40, 22});
    const auto bg = skin.Backgrounds();
    ASSERT_EQ(bg.size(), c.want.size());
    for (size_t i = 0; i < bg.size(); ++i) {
      EXPECT_EQ(bg[i].part, c.want[i].first) << i;
      EXPECT_EQ(bg[i].r, c.want[i].second) << i << " part " << bg[i].part;
    }
  }
}

TEST_F(SkinnedPainterTest, LargeButtonsUseTheirOwnParts) {
  ParamsOnDib d(60, 80);
  d.params.ViewSize = 2;
  d.params.IsButton = true;
  d.params.HasDropDown = true;
  d.params.ArrowSize = TSize{12, 4};
  d.params.HotPart = 1;
  painter->DrawButtonBackground(&d.params, TRect{0, 0, 40, 66});
  const auto bg = skin.Backgrounds();
  ASSERT_EQ(bg.size(), 2u);
  EXPECT_EQ(bg[0].part, 8);
  EXPECT_EQ(bg[0].state, 3);
  EXPECT_EQ(bg[1].part, 7);
  EXPECT_EQ(bg[1].state, 2);
  d.params.IsButton = false;
  d.params.HasDropDown = false;
  skin.calls.clear();
  painter->DrawButtonBackground(&d.params, TRect{0, 0, 40, 66});
  EXPECT_EQ(skin.Backgrounds().at(0).part, 6);
}

TEST_F(SkinnedPainterTest, NamedAndUnnamedSkinMetrics) {
  struct Case {
    const wchar_t* name;
    int combo, spin, optionY;
  } cases[] = {{L"", 10 + 8, ((22 / 2) * 8) / 5 + 1, 1}, {L"Lilac", 19, 17, 0}};
  for (const Case& c : cases) {
    skin.name = c.name;
    EXPECT_EQ(painter->ComboButtonWidthFor(nullptr, 10), c.combo) << c.name;
    EXPECT_EQ(painter->SpinButtonWidthFor(22), c.spin) << c.name;
    EXPECT_EQ(painter->PainterOptionY(), c.optionY) << c.name;
  }
  EXPECT_EQ(painter->SplitPartWidth(0, TRect{0, 0, 40, 22}), 19);

  struct Pad {
    TRect margins;
    int a, want;
  } pads[] = {{{0, 3, 0, 3}, 10, 22}, {{0, 2, 0, 3}, 10, 22}, {{0, 2, 0, 3}, 20, 26}, {{0, 1, 0, 1}, 31, 34}};
  for (const Pad& p : pads) {
    skin.margins[3] = p.margins;
    EXPECT_EQ(painter->PaddedHeight(p.a), p.want) << p.a;
    const int bare = std::max(16, p.a);
    EXPECT_EQ(painter->PaddedWidth(p.a), bare % 2 ? bare + 1 : bare) << "no horizontal padding";
  }
  EXPECT_EQ(painter->PainterOptionT(), (TSize{5, 4}));
  EXPECT_EQ(painter->EditCaptionMargins(), (TRect{3, 0, 2, 0}));
}

// A static in a menu gets the drop-down part's width as its arrow area, or the menu's text size
// when it has none.
TEST_F(SkinnedPainterTest, StaticTextSizeFallsBackWithoutADropDownPart) {
  ParamsOnDib d(10, 10);
  d.params.ArrowSize = TSize{14, 4};
  EXPECT_EQ(painter->StaticTextSize(&d.params), 14);
  d.params.ArrowSize = TSize{0, 0};
  EXPECT_EQ(painter->StaticTextSize(&d.params), painter->TdxBarOffice11Painter::StaticTextSize(&d.params));
}

TEST_F(SkinnedPainterTest, NoReferenceOutlivesACallAlsoWhenTheSkinRaises) {
  ParamsOnDib d(100, 40);
  HDC dc = d.dib.DC();
  painter->DrawBarControlBackground(nullptr, dc, TRect{0, 0, 10, 10});
  painter->FillRectWithBrush(dc, TRect{0, 0, 10, 10}, nullptr);
  painter->DrawButtonControl(&d.params, TRect{0, 0, 40, 22});
  (void)painter->ComboButtonWidthFor(nullptr, 8);
  EXPECT_EQ(skin.refs, 0);
  EXPECT_GE(skin.maxRefs, 1);
  skin.raise = true;
  const int saved = SaveDC(dc);
  EXPECT_THROW(painter->DrawBarNonClientArea(nullptr, dc, TRect{0, 0, 50, 20}), Exception);
  EXPECT_THROW(painter->DrawSubMenuFrame(nullptr, dc, TRect{0, 0, 50, 20}), Exception);
  EXPECT_THROW(painter->DrawButtonControl(&d.params, TRect{0, 0, 40, 22}), Exception);
  EXPECT_EQ(skin.refs, 0);
  // The clip the operations narrowed is back.
  RECT clip{};
  EXPECT_EQ(GetClipBox(dc, &clip), SIMPLEREGION);
  EXPECT_EQ(TRect(clip), (TRect{0, 0, 100, 40}));
  RestoreDC(dc, saved);
}

// An owner without a skin (or no owner) draws what the Office11 painter draws.
TEST(SkinnedPainterWithoutSkin, DrawsTheOffice11Pixels) {
  TObject plainOwner;
  std::unique_ptr<TdxBarSkinnedPainter> skinned{TdxBarSkinnedPainter::CreatePainter(&plainOwner)};
  TdxBarOffice11Painter office11{TcxCustomLookAndFeelPainterClass{}};
  auto draw = [](TdxBarPainter* P, ParamsOnDib& D) {
    HDC dc = D.dib.DC();
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RECT all{0, 0, 120, 60};
    FillRect(dc, &all, white);
    P->FillRectWithColor(dc, TRect{0, 0, 20, 10}, TColor(0x336699));
    P->FillRectWithBrush(dc, TRect{30, 0, 40, 10}, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    P->DrawScreenTipBackground(D.canvas.get(), TRect{50, 0, 70, 20});
    P->FillProgressChunk(dc, TRect{0, 20, 40, 40}, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    P->DrawScreenTipFooterLine(D.canvas.get(), TRect{0, 50, 40, 60});
    D.params.ArrowSize = TSize{11, 4};
    D.params.HasDropDown = true;
    P->DrawButtonArrow(&D.params, TRect{70, 20, 110, 42});
    TRect edit{0, 44, 40, 58};
    P->DrawStaticBorder(&D.params, dc, edit, sbsLowered);
  };
  ParamsOnDib a(120, 60), b(120, 60);
  draw(skinned.get(), a);
  draw(&office11, b);
  int differing = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x) differing += a.dib.Pixel(x, y) != b.dib.Pixel(x, y);
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(skinned->ComboButtonWidthFor(nullptr, 10), office11.ComboButtonWidthFor(nullptr, 10));
  EXPECT_EQ(skinned->PaddedHeight(10), office11.PaddedHeight(10));
  EXPECT_EQ(skinned->CalendarHeaderColor(), office11.CalendarHeaderColor());
  EXPECT_EQ(skinned->EditBackgroundColor(nullptr, true), office11.EditBackgroundColor(nullptr, true));
}

TEST_F(SkinnedPainterTest, EditBorderChangedGivesTheWindowARoundedRegion) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 40, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  painter->EditBorderChanged(window, TRect{0, 0, 40, 20}, false);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(window, region), ERROR);
  RECT box{};
  GetRgnBox(region, &box);
  EXPECT_EQ(TRect(box), (TRect{0, 0, 40, 20}));
  EXPECT_TRUE(PtInRegion(region, 20, 10));
  DeleteObject(region);
  DestroyWindow(window);
}

// ---- large captions -------------------------------------------------------------------------------

// The columns of a row band of the DIB that hold the colour.
std::vector<int> ColumnsWith(const DibSection& Dib, int Top, int Bottom, int Width, DWORD Colour) {
  std::vector<int> columns;
  for (int x = 0; x < Width; ++x)
    for (int y = Top; y < Bottom; ++y)
      if (Dib.Pixel(x, y) == Colour) {
        columns.push_back(x);
        break;
      }
  return columns;
}

TEST_F(SkinnedPainterTest, LargeCaptionsTakeTwoLinesWithTheArrowAfterTheLastWord) {
  const DWORD text = DWORD((335 & 0xFF) << 16 | 0x80);  // the colour of part 335 in state 0
  struct Case {
    const wchar_t* caption;
    bool dropDown;
    // The line holding the arrow (-1 none) and whether that line also holds text.
    int arrowLine;
    bool textBesideArrow;
  } cases[] = {
      {L"Open", true, 1, false},
      {L"Split button", true, 1, true},
      {L"Split button", false, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.caption, c.caption + wcslen(c.caption)) << (c.dropDown ? " with arrow" : ""));
    ParamsOnDib d(100, 90);
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RECT all{0, 0, 100, 90};
    FillRect(d.dib.DC(), &all, white);
    d.params.ViewSize = 2;
    d.params.Caption = c.caption;
    d.params.HasDropDown = c.dropDown;
    d.params.ContentParts = {cpText};
    TRect bounds{};
    painter->TextBoundsOf(&d.params, bounds);
    SIZE row{};
    GetTextExtentPoint32W(d.dib.DC(), L"Wg", 2, &row);
    EXPECT_EQ(bounds.Height(), 2 * row.cy);
    skin.calls.clear();
    const TRect button{0, 0, 100, 90};
    painter->DrawButtonCaptionOnly(&d.params, button);
    // The caption's rectangle is centred and ends one pixel above the button's bottom.
    const int top = 89 - bounds.Height();
    std::vector<RecordingSkin::Call> arrows;
    for (const auto& call : skin.Backgrounds())
      if (call.part == 340) arrows.push_back(call);
    if (c.arrowLine < 0) {
      EXPECT_TRUE(arrows.empty());
      continue;
    }
    ASSERT_EQ(arrows.size(), 1u);
    const TRect arrow = arrows[0].r;
    EXPECT_EQ(arrow.Width(), 5);
    EXPECT_EQ(arrow.Height(), 4);
    const int lineTop = top + c.arrowLine * row.cy;
    EXPECT_GE(arrow.top, lineTop);
    EXPECT_LE(arrow.bottom, lineTop + row.cy);
    const std::vector<int> first = ColumnsWith(d.dib, top, top + row.cy, 100, text);
    const std::vector<int> second = ColumnsWith(d.dib, lineTop, lineTop + row.cy, 100, text);
    EXPECT_FALSE(first.empty()) << "the first line is drawn";
    if (!c.textBesideArrow) {
      // A one-word caption: the second line is empty and the arrow sits in its middle.
      EXPECT_TRUE(second.empty());
      EXPECT_LE(std::abs((arrow.left + arrow.right) / 2 - 50), 1);
    } else {
      ASSERT_FALSE(second.empty());
      EXPECT_GT(arrow.left, second.back()) << "the arrow follows the last word";
      // The word and its arrow together are centred.
      EXPECT_LE(std::abs((second.front() + arrow.right) - 100), 4);
    }
  }
}

TEST_F(SkinnedPainterTest, ALargeDropDownSplitsAtItsCaptionAndItsGlyphSitsAbove) {
  ParamsOnDib d(60, 90);
  d.params.ViewSize = 2;
  d.params.Caption = L"Paste";
  d.params.HasDropDown = true;
  d.params.IsButton = true;
  TRect caption{};
  painter->TextBoundsOf(&d.params, caption);
  std::vector<TRect> parts(2);
  const TRect r{0, 0, 50, 80};
  painter->AdjustButtonPartBounds(&d.params, parts, r, 1);
  EXPECT_EQ(parts[0], (TRect{0, 0, 50, 80 - caption.Height() - 2}));
  EXPECT_EQ(parts[1], (TRect{0, 80 - caption.Height() - 2, 50, 80}));
  // Small buttons keep the arrow part at the right.
  d.params.ViewSize = 0;
  d.params.ArrowSize = TSize{11, 4};
  painter->AdjustButtonPartBounds(&d.params, parts, r, 1);
  EXPECT_EQ(parts[1], (TRect{39, 0, 50, 80}));
  // A large glyph is centred in the area it is given.
  EXPECT_EQ(painter->CalcGlyphPosition(TRect{0, 0, 50, 44}, TSize{32, 32}, glTop, true, 0), (TRect{9, 6, 41, 38}));
}

// A checked menu entry: part 430 behind its glyph, part 440 as the check mark without one.
TEST_F(SkinnedPainterTest, CheckedMenuGlyphsGetTheirBackgroundOrCheckPart) {
  struct Case {
    bool hasImage, enabled;
    int part, state;
  } cases[] = {{true, true, 430, 0}, {false, true, 440, 0}, {false, false, 440, 1}};
  for (const Case& c : cases) {
    ParamsOnDib d(40, 40);
    d.params.PaintType = 1;
    TdxBarPaintStates s;
    s.Checked = true;
    s.Enabled = c.enabled;
    skin.calls.clear();
    painter->DrawItemGlyph(&d.params, d.dib.DC(), s, TRect{2, 4, 26, 24}, TSize{16, 16}, c.hasImage);
    const auto bg = skin.Backgrounds();
    ASSERT_EQ(bg.size(), 1u);
    EXPECT_EQ(bg[0].part, c.part);
    EXPECT_EQ(bg[0].state, c.state);
    EXPECT_EQ(bg[0].r, (TRect{5, 5, 23, 23}));
  }
}

// On a real toolbar the caption ends where the caption buttons and the bar's right margin begin.
class SkinnedToolbarCaption : public bar_testing::BarFixture {};

TEST_F(SkinnedToolbarCaption, CaptionButtonsNarrowTheCaption) {
  RecordingSkin skin;
  skin.margins[1] = TRect{2, 3, 6, 4};
  std::unique_ptr<TdxBarSkinnedPainter> painter{TdxBarSkinnedPainter::CreatePainter(&skin)};
  form->Show();
  TdxBar* bar = manager->Bars()->Add();
  bar->SetCaption(L"Clipboard");
  bar->ItemLinks()->AddItemLink(new TdxBarButton(form));
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  window_testing::ProcessMessages();
  ASSERT_NE(bar->Control(), nullptr);
  DibSection dib(200, 60);
  const TRect r{0, 0, 200, 60};
  struct Case {
    int buttons;
    int narrowing;  // the buttons' bounds (16 each, 2 apart) and the right margin 6
  } cases[] = {{0, 0}, {1, 16 + 6}, {2, 34 + 6}};
  for (const Case& c : cases) {
    while (bar->CaptionButtons()->Count() < c.buttons) {
      TdxBarCaptionButton* button = bar->CaptionButtons()->AddButton();
      const int left = 150 + 18 * (bar->CaptionButtons()->Count() - 1);
      button->Bounds = TRect{left, 2, left + 16, 18};
    }
    skin.calls.clear();
    painter->DrawBarNonClientArea(bar->Control(), dib.DC(), r);
    ASSERT_EQ(skin.calls.back().op, L"caption");
    EXPECT_EQ(skin.calls.back().r, (TRect{3, 0, 197 - c.narrowing, 20})) << c.buttons << " buttons";
  }
}

}  // namespace
