// The real painters behind a menu window: each style opens, lays out and paints a long menu with
// groups in a short work area, and the menu window's own calls give what the painter's operations
// give for that window; the parts a painter draws on an open menu (rarely used runs, the Office11
// band, the expand chevrons, stretched glyphs) probed on DIB sections.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/SubMenuControl.h"
#include "ui/bars/painters/BarPainters.h"
#include "ui/foundation/Canvas.h"

using namespace bar_testing;
using window_testing::DibSection;
using window_testing::ProcessMessages;

namespace {

// A menu placed in a work area 200 pixels high, so that a long menu scrolls.
class TShortWorkMenu : public TdxBarSubMenuControl {
 public:
  using TdxBarSubMenuControl::TdxBarSubMenuControl;
  TRect WorkAreaFor(const TPoint&) override { return TRect{0, 0, 800, 200}; }
};

class PainterMenuWindow : public BarFixture {
 protected:
  void TearDown() override {
    CloseMenu();
    BarFixture::TearDown();
  }
  void CloseMenu() {
    if (menu && IsLiveBarControl(menu)) menu->Free();
    menu = nullptr;
  }
  // Opens a menu of Count entries under the style; Groups marks entries that begin a group.
  void OpenMenu(TdxBarManagerStyle Style, int Count, std::initializer_list<int> Groups = {}) {
    manager->SetStyle(Style);
    TTestLinksOwner* owner = NewOwner(pkMenu);
    for (int i = 0; i < Count; ++i) {
      TdxBarItemLink* link = owner->Links()->AddItemLink(NewItem(L"entry" + IntToStr(i)));
      for (int g : Groups)
        if (g == i) link->SetBeginGroup(true);
    }
    menu = new TShortWorkMenu(manager);
    menu->AssignItemLinks(owner->Links());
    menu->SetBounds(20, 20, 0, 0);
    menu->ShowSubMenuWindow();
    ProcessMessages();
    ASSERT_TRUE(menu->HandleAllocated());
  }
  TdxBarItemControl* Entry(int Index) { return menu->ItemLinks()->ShownLinkAt(Index)->ItemControl(); }
  TRect EntryRect(int Index) { return Entry(Index)->ViewInfo()->BoundsRect(); }

  TShortWorkMenu* menu = nullptr;
};

DWORD Rgb(TColor Color) {
  const COLORREF c = COLORREF(ColorToRGB(Color));
  return (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c);
}
DWORD Sys(int SysColor) { return Rgb(TColor(GetSysColor(SysColor))); }
DWORD BrushRgb(HBRUSH Brush) {
  LOGBRUSH lb{};
  GetObjectW(Brush, sizeof lb, &lb);
  return Rgb(TColor(lb.lbColor));
}
void Fill(HDC DC, int W, int H, COLORREF Color) {
  SelectClipRgn(DC, nullptr);
  HBRUSH brush = CreateSolidBrush(Color);
  RECT r{0, 0, W, H};
  FillRect(DC, &r, brush);
  DeleteObject(brush);
}
constexpr COLORREF kPaper = RGB(0x12, 0x34, 0x56);
constexpr DWORD kPaperRgb = 0x123456;

TEST_F(PainterMenuWindow, EveryStyleLaysOutAndPaintsAScrollingMenu) {
  TTestLinksOwner* owner = NewOwner(pkMenu);
  for (int i = 0; i < 30; ++i) {
    TdxBarItemLink* link = owner->Links()->AddItemLink(NewItem(L"entry" + IntToStr(i)));
    if (i % 4 == 3) link->SetBeginGroup(true);
  }
  for (TdxBarManagerStyle style : {bmsStandard, bmsEnhanced, bmsFlat, bmsXP, bmsOffice11}) {
    SCOPED_TRACE(int(style));
    manager->SetStyle(style);
    menu = new TShortWorkMenu(manager);
    menu->AssignItemLinks(owner->Links());
    menu->SetBounds(20, 20, 0, 0);
    menu->ShowSubMenuWindow();
    ProcessMessages();
    ASSERT_TRUE(menu->HandleAllocated());
    EXPECT_LE(menu->Height(), 200);
    EXPECT_TRUE(menu->CanScrollDown());
    TdxBarPainter* painter = menu->Painter();
    TCustomdxBarControl* asBar = menu;

    // The arrows sit at the ends of the items rectangle, as the painter's own rectangle has them.
    TRect up, down;
    painter->ScrollButtonRect(menu, 0, up);
    painter->ScrollButtonRect(menu, 1, down);
    EXPECT_EQ(up, painter->ScrollButtonRect(asBar, menu->ItemsRect, true));
    EXPECT_EQ(down, painter->ScrollButtonRect(asBar, menu->ItemsRect, false));
    EXPECT_EQ(down.bottom, menu->ItemsRect.bottom);
    EXPECT_GT(down.Height(), 0);

    // A separator keeps the caller's width and ends where the item begins.
    const TRect item{menu->ItemsRect.left, 60, menu->ItemsRect.right, 80};
    TRect separator{item.left, item.top, item.right, item.top};
    painter->MenuSeparatorRect(menu, nullptr, separator, item);
    EXPECT_EQ(separator.left, item.left);
    EXPECT_EQ(separator.right, item.right);
    EXPECT_EQ(separator.bottom, item.top);
    EXPECT_GT(separator.Height(), 0);

    // Margins and columns the menu window asks for come from the same operations.
    TRect margins;
    painter->MenuBorderRect(menu, margins);
    EXPECT_EQ(margins, painter->MenuBorderRect(asBar, false));
    EXPECT_EQ(painter->MenuTextOffset(menu), painter->MenuTextOffset(asBar, menu->OwnerBarSize()));
    EXPECT_EQ(painter->DetachCaptionAreaSize(menu), painter->DetachCaptionAreaSize(menu->DetachStripHeight()));

    // Scrolling down and painting again: the upper arrow appears, nothing is left unpainted.
    menu->SetScrollIndex(3);
    RedrawWindow(menu->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    ProcessMessages();
    EXPECT_TRUE(menu->CanScrollUp());
    CloseMenu();
  }
}

// Standard menus set a run of rarely used entries off: a dark line where the run begins, a light one
// where it ends (above the separator of an entry that begins a group), the menu background beside
// rarely used entries, above the first and below the last, with a light corner pixel at each end.
TEST_F(PainterMenuWindow, StandardMenusSetRarelyUsedRunsOffWithLinesAndCornerPixels) {
  OpenMenu(bmsStandard, 5, {1});
  const bool rare[] = {true, false, false, true, true};
  for (int i = 0; i < 5; ++i) Entry(i)->NonRecent = rare[i];
  const int w = menu->ClientWidth(), h = menu->ClientHeight();
  DibSection dib(w, h);
  Fill(dib.DC(), w, h, kPaper);
  TdxBarPainter* painter = menu->Painter();
  for (int i = 0; i < 5; ++i) painter->DrawMenuItemFrame(menu, Entry(i), i, EntryRect(i), dib.DC());

  const DWORD back = BrushRgb(painter->MenuBackgroundBrush(menu));
  ASSERT_NE(back, Sys(COLOR_BTNHIGHLIGHT));
  ASSERT_NE(back, Sys(COLOR_BTNSHADOW));
  const TRect r0 = EntryRect(0), r1 = EntryRect(1), r2 = EntryRect(2), r3 = EntryRect(3), r4 = EntryRect(4);
  int separator = -1;
  ASSERT_TRUE(menu->ViewInfo()->FindSeparatorFor(Entry(1), separator));
  TdxBarSeparatorInfo info;
  menu->ViewInfo()->GetSeparatorInfo(separator, info);
  ASSERT_LT(info.Bounds.top, r1.top);
  const int mid = (r0.left + r0.right) / 2;
  struct Probe {
    const char* What;
    int X, Y;
    DWORD Colour;
  } probes[] = {
      {"row above the first entry", mid, r0.top - 1, back},
      {"its right end", r0.right + 1, r0.top - 1, back},
      {"corner pixel above it", r0.right + 1, r0.top - 2, Sys(COLOR_BTNHIGHLIGHT)},
      {"column left of a rare entry", r0.left - 1, (r0.top + r0.bottom) / 2, back},
      {"columns right of it", r0.right + 1, (r0.top + r0.bottom) / 2, back},
      {"run ends: light line above the separator", mid, info.Bounds.top - 1, Sys(COLOR_BTNHIGHLIGHT)},
      {"from one left of the entry", r1.left - 1, info.Bounds.top - 1, Sys(COLOR_BTNHIGHLIGHT)},
      {"to one right of it", r1.right, info.Bounds.top - 1, Sys(COLOR_BTNHIGHLIGHT)},
      {"the separator itself untouched", mid, r1.top - 1, kPaperRgb},
      {"an ordinary entry gets no columns", r2.left - 1, (r2.top + r2.bottom) / 2, kPaperRgb},
      {"run begins: dark line", mid, r3.top - 1, Sys(COLOR_BTNSHADOW)},
      {"below the last entry", mid, r4.bottom, back},
      {"down to the client bottom", mid, h - 1, back},
      {"corner pixel at the bottom left", r4.left - 2, h - 1, Sys(COLOR_BTNHIGHLIGHT)},
  };
  for (const Probe& p : probes) EXPECT_EQ(dib.Pixel(p.X, p.Y), p.Colour) << p.What;
}

// The Office11 band runs from the window's left edge over the icon column; a column of the band's
// extra width continues it in the end colour of the pair in use; the rest takes the brush.
TEST_F(PainterMenuWindow, TheOffice11BandEndsInAColumnOfItsEndColour) {
  OpenMenu(bmsOffice11, 3);
  TCustomdxBarControl* asBar = menu;
  const int band = asBar->IconAreaSize(), gap = menu->BandExtraWidth();
  ASSERT_GT(band, 2);
  ASSERT_GT(gap, 2);
  const int w = band + gap + 20, h = 20;
  HBRUSH brush = CreateSolidBrush(RGB(0xFE, 0x01, 0x7F));
  for (bool rare : {false, true}) {
    SCOPED_TRACE(rare);
    DibSection dib(w, h);
    Fill(dib.DC(), w, h, kPaper);
    menu->Painter()->FillMenuBackground(menu, dib.DC(), brush, TRect{0, 0, w, h}, rare);
    const TColor end =
        TdxBarOffice11Painter::RoleColor(rare ? o11rMenuBandRareEnd : o11rMenuBandEnd);
    const TColor start =
        TdxBarOffice11Painter::RoleColor(rare ? o11rMenuBandRareStart : o11rMenuBandStart);
    EXPECT_EQ(dib.Pixel(0, h / 2), Rgb(start));
    EXPECT_EQ(dib.Pixel(band, h / 2), Rgb(end));
    EXPECT_EQ(dib.Pixel(band + gap - 1, h / 2), Rgb(end));
    EXPECT_EQ(dib.Pixel(band + gap, h / 2), 0xFE017Fu);
  }
  DeleteObject(brush);
}

// The expand button's chevrons: two V shapes N + 1 wide and N div 2 deep, each of N div 2 lines,
// the second N rows below the first, the pair centred as 2N rows.
TEST_F(PainterMenuWindow, ExpandChevronsAreTwoCentredVsOfParallelLines) {
  TdxBarPainter base(nullptr);
  for (int n : {6, 8}) {
    SCOPED_TRACE(n);
    const TRect r{3, 2, 43, 32};
    DibSection dib(48, 36);
    Fill(dib.DC(), 48, 36, kPaper);
    base.DrawExpandChevrons(nullptr, dib.DC(), r, n, false);
    int left = 99, right = -1, top = 99, bottom = -1;
    for (int y = 0; y < 36; ++y)
      for (int x = 0; x < 48; ++x)
        if (dib.Pixel(x, y) != kPaperRgb) {
          EXPECT_EQ(dib.Pixel(x, y), Sys(COLOR_BTNTEXT));
          left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
        }
    EXPECT_EQ(right - left + 1, n + 1);
    EXPECT_EQ(bottom - top + 1, 2 * n);
    EXPECT_EQ(left, r.left + (r.Width() - (n + 1)) / 2);
    EXPECT_EQ(top, r.top + (r.Height() - 2 * n) / 2);
    // Each V: its ends on its first row, its tip N div 2 rows lower; the second V N rows below.
    for (int v = 0; v < 2; ++v) {
      const int y = top + v * n;
      EXPECT_EQ(dib.Pixel(left, y), Sys(COLOR_BTNTEXT));
      EXPECT_EQ(dib.Pixel(left + n, y), Sys(COLOR_BTNTEXT));
      EXPECT_EQ(dib.Pixel(left + n / 2, y), kPaperRgb);
      EXPECT_EQ(dib.Pixel(left + n / 2, y + n / 2), Sys(COLOR_BTNTEXT));
      EXPECT_EQ(dib.Pixel(left + n / 2, y + n / 2 - 1), kPaperRgb);
    }
  }
}

// With StretchGlyphs a menu glyph grows with the menu's font; an odd space on both sides takes a
// pixel off so that it stays centred.
TEST_F(PainterMenuWindow, StretchedMenuGlyphsFollowTheFontAndStayCentred) {
  auto* images = new TCustomImageList(form);
  TBitmap picture(16, 16);
  images->Add(&picture, nullptr);
  manager->SetImages(images);
  manager->SetScaled(false);
  manager->Font()->SetHeight(-30);
  OpenMenu(bmsEnhanced, 1);
  Entry(0)->LinkedItem()->SetImageIndex(0);
  ProcessMessages();
  TdxBarItemControl* control = Entry(0);
  ASSERT_NE(control, nullptr);
  ASSERT_NE(control->ViewInfo(), nullptr);
  ASSERT_NE(control->DrawParams(), nullptr);
  const double ratio = menu->Ratio();
  ASSERT_GT(ratio, 1.2);
  const int scaled = int(std::lround(16 * ratio));
  struct Case {
    bool Stretch;
    int Width, Height, Side;
  } cases[] = {
      {false, 41, 41, 16},
      {true, scaled + 8, scaled + 8, scaled},
      {true, scaled + 9, scaled + 9, scaled - 1},
      {true, scaled + 9, scaled + 8, scaled},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Stretch << " " << c.Width << " x " << c.Height);
    manager->ImageOptions()->StretchGlyphs = c.Stretch;
    TdxBarItemControlDrawParams* params = control->DrawParams();
    DibSection dib(80, 80);
    TCanvas target;
    target.SetHandle(dib.DC());
    TcxCanvas canvas(&target);
    TcxCanvas* savedCanvas = params->Canvas;
    params->Canvas = &canvas;
    params->PaintType = 1;
    params->ViewSize = bvsSmall;
    menu->Painter()->DrawItemGlyphAt(params, TRect{0, 0, c.Width, c.Height}, TdxBarPaintStates{});
    params->Canvas = savedCanvas;
    target.SetHandle(nullptr);
    const TRect g = control->ViewInfo()->ImageBounds;
    EXPECT_EQ(g.Width(), c.Side);
    EXPECT_EQ(g.Height(), c.Side);
    EXPECT_EQ(g.left, (c.Width - c.Side) / 2);
  }
}

}  // namespace
