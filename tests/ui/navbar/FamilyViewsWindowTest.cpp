// The office side bars, the explorer bars and the skin-based explorer bars in real windows: the
// registry entries, layouts and scroll bar, element painters on DIBs, the colour schemes and their
// skins.

#include <gtest/gtest.h>

#include <cmath>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/navbar/NavBarTestSupport.h"
#include "tests/ui/navbar/SkinPngProbe.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarExplorerBarViews.h"
#include "ui/navbar/NavBarGraphics.h"
#include "ui/navbar/NavBarItems.h"
#include "ui/navbar/NavBarOffice12Views.h"
#include "ui/navbar/NavBarOfficeViews.h"
#include "ui/navbar/NavBarScrollBar.h"
#include "ui/navbar/NavBarViews.h"
#include "ui/navbar/NavBarToolBoxView.h"
#include "ui/navbar/NavBarXPViews.h"
#include "platform/framework/windows/ActnList.h"
#include "ui/navbar/NavBarStyles.h"
#include "tests/support/FakeThemeApi.h"

using namespace window_testing;
using navbar_testing::AddGroupWithLinks;
using navbar_testing::ElementPng;
using navbar_testing::NearRgb;

namespace {

BOOL WINAPI ThemesOff() { return FALSE; }
BOOL WINAPI ThemesOn() { return TRUE; }

DWORD Rgb(TColor Color) {
  const DWORD c = DWORD(ColorToRGB(Color));
  return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

// A canvas over a DIB section's DC.
struct DibCanvas {
  DibCanvas(int w, int h) : dib(w, h) {
    canvas.SetHandle(dib.DC());
    cx = new TcxCanvas(&canvas);
  }
  ~DibCanvas() {
    delete cx;
    canvas.SetHandle(nullptr);
  }
  DibSection dib;
  TCanvas canvas;
  TcxCanvas* cx;
};

class FamilyViews : public FormFixture {
 protected:
  void SetUp() override {
    InitializeUnits();
    FormFixture::SetUp();
    bar = Place<TdxNavBar>(0, 0, 180, 260);
    bar->SetName(L"dxNavBar1");
  }
  TdxNavBarGroup* AddGroup(const String& caption, int links) { return AddGroupWithLinks(bar, caption, links); }
  void Layout() {
    bar->InvalidateAll(nbiRebuild);
    bar->Painter()->PrepareToPaint();
  }
  TdxNavBarExplorerBarViewInfo* Explorer() { return static_cast<TdxNavBarExplorerBarViewInfo*>(bar->ViewInfo()); }
  TdxNavBar* bar = nullptr;
};

}  // namespace

// ---- registry -------------------------------------------------------------------------------------

TEST_F(FamilyViews, EveryViewIsRegisteredWithItsPainter) {
  struct Row {
    int id;
    const wchar_t* name;
    TClass painter;
  };
  const Row rows[] = {
      {2, L"Office1View", &TdxNavBarOffice1Painter::ClassInfo()},
      {3, L"Office2View", &TdxNavBarOffice2Painter::ClassInfo()},
      {4, L"Office3View", &TdxNavBarOffice3Painter::ClassInfo()},
      {5, L"VSToolBoxView", &TdxNavBarVSToolBoxPainter::ClassInfo()},
      {6, L"XP1View", &TdxNavBarXP1Painter::ClassInfo()},
      {7, L"XP2View", &TdxNavBarXP2Painter::ClassInfo()},
      {11, L"XPExplorerBarView", &TdxNavBarXPExplorerBarPainter::ClassInfo()},
      {8, L"ExplorerBarView", &TdxNavBarExplorerBarPainter::ClassInfo()},
      {9, L"UltraFlatExplorerBarView", &TdxNavBarUltraFlatExplorerBarPainter::ClassInfo()},
      {10, L"AdvExplorerBarView", &TdxNavBarAdvExplorerBarPainter::ClassInfo()},
      {12, L"Office11TaskPaneView", &TdxNavBarOffice11Painter::ClassInfo()},
      {16, L"Office11ExplorerBarView", &TdxNavBarOffice11ExplorerBarPainter::ClassInfo()},
      {18, L"Office12ExplorerBarView", &TdxNavBarOffice12ExplorerBarPainter::ClassInfo()},
      {19, L"VistaExplorerBarView", &TdxNavBarVistaExplorerBarPainter::ClassInfo()},
  };
  TdxNavBarViewsFactory* factory = dxNavBarViewsFactory();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    const int index = factory->IndexOfID(row.id);
    ASSERT_GE(index, 0);
    EXPECT_EQ(factory->NameAt(index), row.name);
    EXPECT_EQ(factory->PainterClassAt(index), row.painter);
    bar->SetView(row.id);
    EXPECT_EQ(bar->Painter()->ClassType(), row.painter);
  }
}

// A view holds its colour set and bitmaps while it is the bar's view, from its first paint on, and
// gives them back when the bar changes view.
TEST_F(FamilyViews, EachViewHoldsItsColourSetAndBitmapsWhileItIsShown) {
  struct Row {
    int id;
    int (*count)();
    TBitmap* (*bitmap)();
  };
  const Row rows[] = {
      {10, &ExplorerBarColorsCount, [] { return ExplorerBarSignBitmap(true); }},
      {12, &TaskPaneColorsCount, [] { return TaskPaneSignBitmap(true); }},
      {16, &NavPaneBitmapsCount, [] { return NavPaneBitmap(npbSplitter); }},
      {11, &ShellStyleCount, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    bar->SetView(0);
    const int before = row.count();
    bar->SetView(row.id);
    EXPECT_EQ(row.count(), before + 1);
    if (row.bitmap) {
      ASSERT_NE(row.bitmap(), nullptr);
      EXPECT_FALSE(row.bitmap()->Empty());
    }
    bar->SetView(0);
    EXPECT_EQ(row.count(), before);
  }
}

// ---- office views ---------------------------------------------------------------------------------

TEST_F(FamilyViews, OfficeButtonFramesByState) {
  const TColor c = TColor(0x808080);
  struct Row {
    int state;
    TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
  };
  const Row rows[] = {
      {nbisPressed, DarkenColorPercent(c, 20), clNone, DarkenColorPercent(c, 70), LightenColorPercent(c, 20)},
      {nbisHot, LightenColorPercent(c, 20), DarkenColorPercent(c, 70), LightenColorPercent(c, 70),
       DarkenColorPercent(c, 20)},
      {0, LightenColorPercent(c, 20), clNone, clNone, DarkenColorPercent(c, 20)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.state);
    DibCanvas d(40, 20);
    const TRect r(0, 0, 40, 20);
    TdxNavBarOfficeButtonPainter::Instance()->DrawButton(d.cx, r, nullptr, c, c, 255, 255, 0, clNone, row.state);
    auto expect = [&](int x, int y, TColor color) {
      EXPECT_EQ(d.dib.Pixel(x, y), Rgb(color == clNone ? c : color)) << x << "," << y;
    };
    expect(10, 0, row.outerTopLeft);
    expect(10, 19, row.outerBottomRight);
    expect(10, 1, row.innerTopLeft);
    expect(10, 18, row.innerBottomRight);
    expect(20, 10, c);
  }
  // The active button has a black bottom line over its frame.
  DibCanvas d(40, 20);
  TdxNavBarOfficeButtonPainter::Instance()->DrawButton(d.cx, TRect(0, 0, 40, 20), nullptr, c, c, 255, 255, 0, clNone,
                                                       nbisActive);
  EXPECT_EQ(d.dib.Pixel(20, 19), 0x000000u);
}

TEST_F(FamilyViews, Office3LinksHitOnTheirWholeRowAndSelectOnePixelInside) {
  bar->SetView(4);
  AddGroup(L"Edit", 3);
  Layout();
  TdxNavBarGroup* group = bar->EffectiveActiveGroup();
  TdxNavBarLinkViewInfo* link = bar->ViewInfo()->LinkViewInfoOf(group->LinkAt(1));
  ASSERT_NE(link, nullptr);
  const TRect row = link->Rect;
  EXPECT_EQ(link->ImageFrameRect(), TRect(row.left + 1, row.top + 1, row.right - 1, row.bottom - 1));
  // A point on the row but beside image and caption still hits the link.
  EXPECT_EQ(bar->LinkHitAtPos(TPoint(row.right - 2, (row.top + row.bottom) / 2)), group->LinkAt(1));
  bar->SetView(2);
  Layout();
  link = bar->ViewInfo()->LinkViewInfoOf(group->LinkAt(1));
  EXPECT_EQ(bar->LinkHitAtPos(TPoint(link->Rect.right - 2, (link->Rect.top + link->Rect.bottom) / 2)), nullptr);
}

// ---- explorer bar: layout and scroll bar ----------------------------------------------------------

TEST_F(FamilyViews, BottomAlignedGroupsStayAtTheBottomWhileThereIsRoom) {
  bar->SetView(8);
  AddGroup(L"Top", 1);
  TdxNavBarGroup* bottom = AddGroup(L"Bottom", 1);
  bottom->SetAlign(vaBottom);
  AddGroup(L"Second", 1);
  Layout();
  // Top-aligned groups first, then the bottom-aligned one, pushed to the client's bottom less the origin.
  ASSERT_EQ(Explorer()->GroupCount(), 3);
  EXPECT_EQ(Explorer()->GroupAt(2)->Group(), bottom);
  EXPECT_EQ(Explorer()->GroupAt(2)->Rect.bottom, bar->ClientRect().Height() - Explorer()->GroupsOrigin().y);
  EXPECT_FALSE(bar->ScrollBar()->Visible());
  // Without room it follows the others (and scrolls with them).
  for (int i = 0; i < 4; ++i) AddGroup(L"More" + IntToStr(i), 4);
  Layout();
  TdxNavBarGroupViewInfo* last = Explorer()->GroupAt(Explorer()->GroupCount() - 1);
  TdxNavBarGroupViewInfo* beforeLast = Explorer()->GroupAt(Explorer()->GroupCount() - 2);
  EXPECT_EQ(last->Group(), bottom);
  EXPECT_EQ(last->Rect.top, beforeLast->Rect.bottom + Explorer()->SpaceBetweenGroups());
}

TEST_F(FamilyViews, TheScrollBarPageAndRangeAndOneMoreLayoutWhenItAppears) {
  bar->SetView(8);
  for (int i = 0; i < 5; ++i) AddGroup(L"G" + IntToStr(i), 4);
  Layout();
  TdxNavBarScrollBar* scrollBar = bar->ScrollBar();
  ASSERT_TRUE(scrollBar->Visible());
  // Showing the scroll bar narrowed the client: the groups were laid out once more, and only once.
  EXPECT_EQ(Explorer()->LastLayoutPasses(), 2);
  const int clientHeight = bar->ClientRect().Height();
  const int total = Explorer()->GroupsOrigin().y + Explorer()->GroupAt(4)->Rect.bottom;
  const int page = int(std::nearbyint(double(clientHeight) * scrollBar->Height() / total));
  EXPECT_EQ(scrollBar->Page(), page);
  EXPECT_EQ(scrollBar->Max(), total + page - clientHeight);
  EXPECT_EQ(scrollBar->LineStep(), 18);
  EXPECT_EQ(Explorer()->GroupAt(0)->Rect.right, bar->ClientRect().Width() - Explorer()->GroupsOrigin().x);
  // A scrolled position moves every group up by it; the scroll bar stays, so one layout pass.
  const int top = Explorer()->GroupAt(0)->Rect.top;
  scrollBar->SetPosition(30);
  Layout();
  EXPECT_EQ(Explorer()->GroupAt(0)->Rect.top, top - 30);
  EXPECT_EQ(Explorer()->LastLayoutPasses(), 1);
}

TEST_F(FamilyViews, ChevronPointsFollowTheExpandedState) {
  TPoint up[3], down[3];
  TdxNavBarExplorerBarSignPainter::ChevronPoints(TRect(0, 0, 18, 18), true, up);
  TdxNavBarExplorerBarSignPainter::ChevronPoints(TRect(0, 0, 18, 18), false, down);
  EXPECT_EQ(up[1], TPoint(8, 5));
  EXPECT_EQ(up[0], TPoint(5, 8));
  EXPECT_EQ(up[2], TPoint(12, 9));
  EXPECT_EQ(down[1], TPoint(8, 13));
  EXPECT_EQ(down[0], TPoint(5, 10));
  EXPECT_EQ(down[2], TPoint(12, 9));
  // Drawn: the apex and the second stroke below it carry the colour, the sign's corner does not.
  DibCanvas d(18, 18);
  d.cx->FillAreaWithColor(TRect(0, 0, 18, 18), clWhite);
  TdxNavBarExplorerBarSignPainter::Instance()->DrawSign(d.cx, TRect(0, 0, 18, 18), clRed, clWhite, clWhite,
                                                        nbisExpanded);
  EXPECT_EQ(d.dib.Pixel(8, 5), 0xFF0000u);
  EXPECT_EQ(d.dib.Pixel(8, 6), 0xFF0000u);
  EXPECT_EQ(d.dib.Pixel(8, 9), 0xFF0000u);
  EXPECT_EQ(d.dib.Pixel(0, 0), 0xFFFFFFu);
}

TEST(SignRecolouring, AdvPureRedTakesTheColourAndOtherPixelsBlend) {
  const DWORD transparent = 0xFF00FF;
  const std::vector<DWORD> sign = {0xFF0000, 0x000000, 0xFF00FF, 0x808080};
  std::vector<DWORD> canvas = {0x112233, 0xFFFFFF, 0x445566, 0x000000};
  RecolorAdvSign(sign, transparent, 0x0000FF, canvas);
  EXPECT_EQ(canvas[0], 0x0000FFu);   // pure red: the sign colour
  EXPECT_EQ(canvas[1], 0x000000u);   // red 0: all bitmap
  EXPECT_EQ(canvas[2], 0x445566u);   // transparent: untouched
  EXPECT_EQ(canvas[3], 0x3E3E3Eu);   // red 128: 49 % of the grey over black
}

TEST(SignRecolouring, Office11MixesByRedLevelAndOneLevelTakesTheFirstColour) {
  const DWORD transparent = 0xFF00FF, first = 0xFFFFFF, second = 0x000000;
  std::vector<DWORD> canvas(3, 0x123456);
  RecolorOffice11Sign({0x000000, 0x808080, 0xFFFFFF}, transparent, first, second, canvas);
  EXPECT_EQ(canvas[0], second);       // the darkest: 100 %
  EXPECT_EQ(canvas[2], first);        // the lightest: 0 %
  EXPECT_EQ(canvas[1], 0x7F7F7Fu);    // in between
  // A bitmap of one red level has no range: no division by zero, every pixel the first colour.
  std::vector<DWORD> flat(4, 0x123456);
  RecolorOffice11Sign({0x404040, 0x404040, 0xFF00FF, 0x404040}, transparent, first, second, flat);
  EXPECT_EQ(flat[0], first);
  EXPECT_EQ(flat[1], first);
  EXPECT_EQ(flat[2], 0x123456u);
  EXPECT_EQ(flat[3], first);
}

TEST_F(FamilyViews, DraggingABottomGroupsSizerStopsAtHeightZero) {
  bar->SetView(8);
  AddGroup(L"Top", 1);
  TdxNavBarGroup* hosting = AddGroup(L"Host", 0);
  hosting->SetAlign(vaBottom);
  hosting->OptionsGroupControl()->SetUseControl(true);
  hosting->OptionsGroupControl()->SetShowControl(true);
  hosting->OptionsGroupControl()->SetAllowControlResizing(true);
  ASSERT_NE(hosting->Control(), nullptr);
  hosting->Control()->SetHeight(40);
  ShowForm();
  bar->Update();
  Layout();
  auto* info = static_cast<TdxNavBarExplorerBarGroupViewInfo*>(Explorer()->GroupViewInfoOf(hosting));
  ASSERT_FALSE(info->ControlSizerBounds.IsEmpty());
  // A bottom-aligned group's sizer lies above it.
  EXPECT_EQ(info->ControlSizerBounds.bottom, info->Rect.top);
  const TPoint p((info->ControlSizerBounds.left + info->ControlSizerBounds.right) / 2, info->ControlSizerBounds.top + 1);
  auto* controller = static_cast<TdxNavBarExplorerBarController*>(bar->Controller());
  controller->MouseDown(mbLeft, {ssLeft}, p);
  EXPECT_EQ(controller->CustomCursor(), crSizeNS);
  const int start = controller->StartDragHeight;
  ASSERT_GT(start, 1);
  // Upwards the control grows; downwards it shrinks, never to 0 or below.
  controller->MouseMove({ssLeft}, TPoint(p.x, p.y - 20));
  EXPECT_EQ(hosting->Control()->OriginalHeight(), start + 20);
  controller->MouseMove({ssLeft}, TPoint(p.x, p.y + start - 1));
  EXPECT_EQ(hosting->Control()->OriginalHeight(), 1);
  controller->MouseMove({ssLeft}, TPoint(p.x, p.y + start + 20));
  EXPECT_EQ(hosting->Control()->OriginalHeight(), 1);
  controller->MouseUp(mbLeft, {}, TPoint(p.x, p.y + 60));
  EXPECT_EQ(controller->PushedPart().Major, -1);
}

// ---- skin-based views and colour schemes ----------------------------------------------------------

namespace {

class SkinViews : public FamilyViews {
 protected:
  void SetUp() override {
    FamilyViews::SetUp();
    ResetBoundFunctions();
    bar->SetView(18);
    for (const wchar_t* caption : {L"Files", L"Edit"}) AddGroup(caption, 3);
    ShowForm();
    bar->Update();
  }
  void TearDown() override {
    ResetBoundFunctions();
    FamilyViews::TearDown();
  }
  TdxNavBarOffice12ExplorerBarPainter* Office12() {
    return static_cast<TdxNavBarOffice12ExplorerBarPainter*>(bar->Painter());
  }
  // The bar painted into a DIB, and the pixel at the middle of the first group's caption, left part.
  DWORD CaptionProbe() {
    DibSection dib(180, 260);
    bar->PaintTo(dib.DC(), 0, 0);
    const TRect r = bar->ViewInfo()->GroupAt(1)->CaptionRect;
    return dib.Pixel(r.left + 6, (r.top + r.bottom) / 2);
  }
};

}  // namespace

TEST_F(SkinViews, EachSchemeLoadsItsSkinAndTheCaptionCornersAreItsOwnArt) {
  std::vector<DWORD> probes;
  for (const wchar_t* scheme : {L"Blue", L"Black", L"Silver"}) {
    SCOPED_TRACE(String(scheme));
    Office12()->SetColorSchemeName(scheme);
    // Nothing hot: a pointer that another program left over the bar would make the caption hot.
    bar->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(Office12()->HasSkin());
    TdxSkinElement* header = Office12()->Helper()->GroupHeaderElement();
    ASSERT_TRUE(header != nullptr);
    bar->Update();
    DibSection dib(180, 260);
    bar->PaintTo(dib.DC(), 0, 0);
    // The caption's corners are copied 1:1 from the state's frame of the "GroupHeader" picture, so
    // every opaque corner pixel is the art's own.
    const TRect r = bar->ViewInfo()->GroupAt(1)->CaptionRect;
    const TRect frame = header->Image()->FrameRect(0, SkinStateOf(NavBarStateFlags(bar->ViewInfo()->GroupAt(1)->State())));
    const TRect margins = header->Image()->Margins();
    const ElementPng art(L"Office12_" + String(scheme), "NavBar", "GroupHeader");
    ASSERT_TRUE(art.Loaded());
    bool sawOpaque = false;
    for (int j = 0; j < margins.top; ++j)
      for (int i = 0; i < margins.left; ++i) {
        const struct { int dx, dy, sx, sy; } corners[] = {
            {r.left + i, r.top + j, frame.left + i, frame.top + j},
            {r.right - 1 - i, r.bottom - 1 - j, frame.right - 1 - i, frame.bottom - 1 - j}};
        for (const auto& c : corners) {
          if (art.Alpha(c.sx, c.sy) != 255) continue;
          sawOpaque = true;
          EXPECT_TRUE(NearRgb(dib.Pixel(c.dx, c.dy), art.Rgb(c.sx, c.sy), 1)) << c.dx << "," << c.dy;
        }
      }
    EXPECT_TRUE(sawOpaque);
    probes.push_back(dib.Pixel(r.left + margins.left - 1, r.top + margins.top - 1));
  }
  EXPECT_NE(probes[0], probes[1]);
}

TEST_F(SkinViews, AnUnknownSchemeDrawsWithoutSkinRaisesNothingAndDoesNotReload) {
  Office12()->SetColorSchemeName(L"Purple");
  const int loads = NavBarSkinLoadCount();
  EXPECT_NO_THROW(CaptionProbe());
  EXPECT_FALSE(Office12()->HasSkin());
  EXPECT_EQ(NavBarSkinLoadCount(), loads + 1);
  // Painted again: the failure is remembered for this name.
  EXPECT_NO_THROW(CaptionProbe());
  EXPECT_NO_THROW(CaptionProbe());
  EXPECT_EQ(NavBarSkinLoadCount(), loads + 1);
  // Without skin the bar draws as the Office11 explorer bar does.
  const DWORD unskinned = CaptionProbe();
  bar->SetView(16);
  bar->Update();
  EXPECT_EQ(CaptionProbe(), unskinned);
  bar->SetView(18);
  bar->Update();
  // A known name loads again.
  Office12()->SetColorSchemeName(L"Blue");
  EXPECT_TRUE(Office12()->HasSkin());
}

TEST_F(SkinViews, TheSameNameDoesNotReloadAndACaseChangeReloadsTheSameResource) {
  Office12()->SetColorSchemeName(L"Blue");
  ASSERT_TRUE(Office12()->HasSkin());
  const int loads = NavBarSkinLoadCount();
  Office12()->SetColorSchemeName(L"Blue");
  EXPECT_TRUE(Office12()->HasSkin());
  EXPECT_EQ(NavBarSkinLoadCount(), loads);
  Office12()->SetColorSchemeName(L"BLUE");
  EXPECT_TRUE(Office12()->HasSkin());
  EXPECT_EQ(NavBarSkinLoadCount(), loads + 1);
}

TEST_F(SkinViews, SchemesReachTheMainWindowThroughTheViewStyle) {
  IdxNavBarColorSchemes* schemes = Supports<IdxNavBarColorSchemes>(bar->ViewStyle());
  ASSERT_NE(schemes, nullptr);
  EXPECT_EQ(schemes->GetSchemeCount(), 3);
  EXPECT_EQ(schemes->GetSchemeName(0), L"Blue");
  EXPECT_EQ(schemes->GetSchemeName(1), L"Black");
  EXPECT_EQ(schemes->GetSchemeName(2), L"Silver");
  schemes->ApplyColorScheme(L"Silver");
  EXPECT_EQ(Office12()->ColorSchemeName(), L"Silver");
  // The last scheme set on any Office12 bar is the next new bar's.
  TdxNavBar* next = Place<TdxNavBar>(200, 0, 100, 100);
  next->SetView(18);
  EXPECT_EQ(static_cast<TdxNavBarOffice12ExplorerBarPainter*>(next->Painter())->ColorSchemeName(), L"Silver");
  // Assign copies the scheme from the same class only.
  schemes->ApplyColorScheme(L"Black");
  auto* nextPainter = static_cast<TdxNavBarOffice12ExplorerBarPainter*>(next->Painter());
  nextPainter->Assign(Office12());
  EXPECT_EQ(nextPainter->ColorSchemeName(), L"Black");
  next->SetView(19);
  nextPainter = nullptr;
  static_cast<TdxNavBarSkinBasedExplorerBarPainter*>(next->Painter())->Assign(Office12());
  EXPECT_EQ(static_cast<TdxNavBarSkinBasedExplorerBarPainter*>(next->Painter())->GetColorSchemeName(), L"Vista");
  // Views without schemes do not answer.
  next->SetView(8);
  EXPECT_EQ(Supports<IdxNavBarColorSchemes>(next->ViewStyle()), nullptr);
  Office12()->SetColorSchemeName(L"Blue");
}

TEST_F(SkinViews, TheScrollBarIsSkinnedAndItsThumbKeepsTheSkinMinimum) {
  Office12()->SetColorSchemeName(L"Blue");
  ASSERT_TRUE(Office12()->HasSkin());
  auto* scrollBar = dynamic_cast<TdxNavBarcxOffice12ScrollBar*>(bar->ScrollBar()->Control());
  ASSERT_NE(scrollBar, nullptr);
  EXPECT_EQ(scrollBar->Painter(), Office12());
  const TdxSkinScrollInfo* thumb = Office12()->Helper()->ScrollBarPart(0, int(sbpThumbnail));
  ASSERT_NE(thumb, nullptr);
  ASSERT_TRUE(thumb->Element != nullptr);
  EXPECT_EQ(thumb->Element->MinSize().cy, 12);
  // Many links: a long range and a short page, yet the thumb is at least the skin's minimum.
  for (int i = 0; i < 6; ++i) AddGroup(L"More" + IntToStr(i), 12);
  bar->Update();
  ASSERT_TRUE(bar->ScrollBar()->Visible());
  scrollBar->SetMax(10000);
  scrollBar->SetPageSize(10);
  EXPECT_GE(scrollBar->ViewInfo()->Layout.Thumb.Height(), 12);
}

TEST_F(SkinViews, VistaUsesItsElementsOnlyWithVisualStyles) {
  bar->SetView(19);
  auto* vista = static_cast<TdxNavBarVistaExplorerBarPainter*>(bar->Painter());
  Bound().IsThemeActive.Set(&ThemesOff);
  EXPECT_TRUE(vista->HasSkin());
  EXPECT_TRUE(vista->Helper()->GroupHeaderElement() == nullptr);
  EXPECT_TRUE(vista->Helper()->BackgroundElement() == nullptr);
  EXPECT_EQ(bar->ViewInfo()->GroupsOrigin(), TPoint(0, 0));
  Bound().IsThemeActive.Set(&ThemesOn);
  EXPECT_TRUE(vista->Helper()->GroupHeaderElement() != nullptr);
  EXPECT_TRUE(vista->Helper()->BackgroundElement() != nullptr);
  EXPECT_TRUE(vista->Helper()->DropTargetElement() == nullptr);
  EXPECT_EQ(bar->ViewInfo()->GroupsOrigin(), TPoint(1, 1));
}

// ---- XP views ---------------------------------------------------------------------------------------

namespace {

// The whole bar painted into a DIB, as 0x00RRGGBB pixels.
std::vector<DWORD> Paint(TdxNavBar* bar) {
  bar->Update();
  DibSection dib(180, 260);
  bar->PaintTo(dib.DC(), 0, 0);
  std::vector<DWORD> pixels;
  for (int y = 0; y < 260; ++y)
    for (int x = 0; x < 180; ++x) pixels.push_back(dib.Pixel(x, y));
  return pixels;
}

}  // namespace

TEST_F(FamilyViews, WithoutAThemeTheXPViewsDrawLikeTheirBases) {
  // No theme opens (as under Wine without visual styles): every themed step takes its base's path.
  theme_testing::FakeThemeApi fake;
  CloseAllThemes();
  AddGroup(L"Files", 3);
  AddGroup(L"Edit", 3);
  ShowForm();
  ASSERT_TRUE(ThemeHandleFor(totButton) == nullptr);
  const std::pair<int, int> pairs[] = {{7, 2}, {11, 8}};
  for (const auto& [xp, base] : pairs) {
    SCOPED_TRACE(xp);
    bar->SetView(base);
    const std::vector<DWORD> expected = Paint(bar);
    bar->SetView(xp);
    EXPECT_TRUE(Paint(bar) == expected);
  }
  CloseAllThemes();
}

TEST_F(FamilyViews, TheXPPaintersAskTheThemeForTheirPartsAndStates) {
  theme_testing::FakeThemeApi fake;
  for (const wchar_t* name : {L"Button", L"ToolBar", L"ScrollBar", L"Tab"}) fake.AddClass(name);
  CloseAllThemes();
  DibCanvas d(40, 20);
  const TRect r(0, 0, 40, 20);
  struct Row {
    int state;
    int button, selection;
  };
  const Row rows[] = {{nbisPressed, 3, 3}, {nbisHot, 2, 2}, {nbisActive, 5, 0}, {nbisSelected, 1, 3}, {0, 1, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.state);
    fake.Calls.clear();
    TdxNavBarXPButtonPainter::Instance()->DrawButton(d.cx, r, nullptr, clBtnFace, clBtnFace, 255, 255, 0, clNone,
                                                     row.state);
    TdxNavBarXPSelectionPainter::Instance()->DrawSelection(d.cx, r, clBtnFace, row.state);
    ASSERT_GE(fake.Calls.size(), 1u);
    EXPECT_EQ(fake.Calls[0].Class, L"BUTTON");
    EXPECT_EQ(fake.Calls[0].Part, 1);
    EXPECT_EQ(fake.Calls[0].State, row.button);
    if (row.selection == 0) {
      EXPECT_EQ(fake.Calls.size(), 1u);  // nothing to select
    } else {
      ASSERT_EQ(fake.Calls.size(), 2u);
      EXPECT_EQ(fake.Calls[1].Class, L"TOOLBAR");
      EXPECT_EQ(fake.Calls[1].State, row.selection);
    }
  }
  fake.Calls.clear();
  TdxNavBarXPScrollButtonsPainter::Instance()->DrawTopButton(d.cx, TRect(0, 0, 16, 16), nullptr, clBtnFace,
                                                             clBtnFace, 255, 255, 0, clNone, nbisHot);
  TdxNavBarXPScrollButtonsPainter::Instance()->DrawBottomButton(d.cx, TRect(20, 0, 36, 16), nullptr, clBtnFace,
                                                                clBtnFace, 255, 255, 0, clNone, nbisPressed);
  TdxNavBarXPBackgroundPainter::Instance()->DrawBackground(d.cx, r, nullptr, false, clNone, clRed, clRed, 255, 255, 0);
  ASSERT_EQ(fake.Calls.size(), 3u);
  EXPECT_EQ(fake.Calls[0].Class, L"SCROLLBAR");
  EXPECT_EQ(fake.Calls[0].State, 2);
  EXPECT_EQ(fake.Calls[1].State, 7);
  EXPECT_EQ(fake.Calls[2].Class, L"TAB");
  EXPECT_EQ(fake.Calls[2].Part, 10);
  // The themed background is the theme's colour, not the style colour.
  EXPECT_EQ(d.dib.Pixel(38, 18), Rgb(TColor(theme_testing::FakeThemeApi::DrawColor(10, 0))));
  // The scroll buttons were cut out of the clip: the background left the down arrow as drawn.
  EXPECT_EQ(d.dib.Pixel(30, 10), Rgb(TColor(theme_testing::FakeThemeApi::DrawColor(1, 7))));
  CloseAllThemes();
}

TEST(XPAlphaBlend, TransparentPixelsStayAndOpaqueOnesCopy) {
  std::vector<DWORD> destination = {0x00000000, 0x00102030, 0x00FFFFFF, 0x00000000, 0x00102030};
  const std::vector<DWORD> source = {0x00FFFFFF, 0xFF405060, 0x80000000, 0x80FFFFFF, 0x00FFFFFF};
  AlphaBlendPixels(source, destination);
  EXPECT_EQ(destination[0], 0x00000000u);  // A = 0: the destination, black not one level brighter
  EXPECT_EQ(destination[4], 0x00102030u);
  EXPECT_EQ(destination[1], 0xFF405060u);  // A = 255: the source
  EXPECT_EQ(destination[2], 0x807F7F7Fu);  // half over white
  EXPECT_EQ(destination[3], 0x80808080u);  // half white over black
}

TEST_F(FamilyViews, RepaintedSignsDoNotBrightenWhatTheyLeaveUntouched) {
  TBitmap sign(4, 4, pf32bit);
  for (int y = 0; y < 4; ++y) {
    auto* row = static_cast<DWORD*>(sign.ScanLine(y));
    for (int x = 0; x < 4; ++x) row[x] = x < 2 ? 0x00FFFFFFu : 0xFF0000FFu;  // left half fully transparent
  }
  DibCanvas d(4, 4);
  d.cx->FillAreaWithColor(TRect(0, 0, 4, 4), clBlack);
  for (int i = 0; i < 5; ++i) AlphaBlendBitmap(d.dib.DC(), 0, 0, &sign);
  EXPECT_EQ(d.dib.Pixel(0, 0), 0x000000u);
  EXPECT_EQ(d.dib.Pixel(1, 3), 0x000000u);
  EXPECT_EQ(d.dib.Pixel(3, 3), 0x0000FFu);
}

// ---- VS toolbox ---------------------------------------------------------------------------------------

TEST_F(FamilyViews, ToolBoxScrollButtonsSitRightOfTheCaptionRows) {
  bar->SetView(5);
  AddGroup(L"A", 3);
  AddGroup(L"B", 3);
  AddGroup(L"C", 3);
  bar->SetActiveGroupIndex(0);
  Layout();
  TdxNavBarViewInfo* info = bar->ViewInfo();
  const TRect first = info->GroupAt(0)->CaptionRect, second = info->GroupAt(1)->CaptionRect;
  const int h = first.Height();
  // The active caption row and the one after it are shortened by h + 2; the squares fill that room.
  EXPECT_EQ(first.right, bar->ClientRect().Width() - h - 2);
  TRect top, bottom;
  info->TopScrollButtonRect(top);
  info->BottomScrollButtonRect(bottom);
  EXPECT_EQ(top, TRect(first.right + 2, first.top, first.right + h + 2, first.bottom));
  EXPECT_EQ(bottom, TRect(second.right + 2, second.top, second.right + h + 2, second.bottom));
  // With the last group active the bottom button sits at the bottom of its links.
  bar->SetActiveGroupIndex(2);
  Layout();
  TdxNavBarGroupViewInfo* last = info->GroupAt(2);
  info->TopScrollButtonRect(top);
  info->BottomScrollButtonRect(bottom);
  EXPECT_EQ(bottom, OffsetRectBy(top, 0, last->ItemsRect.Height()));
  EXPECT_EQ(top.top, last->CaptionRect.top);
}

TEST_F(FamilyViews, ToolBoxHintsWidenOnlyForCutOffCaptions) {
  bar->SetView(5);
  TdxNavBarGroup* group = AddGroup(L"A", 2);
  group->LinkAt(1)->Item()->SetCaption(L"A caption much too long to fit into the narrow tool box row");
  bar->SetActiveGroupIndex(0);
  Layout();
  auto* controller = static_cast<TdxNavBarVSToolBoxController*>(bar->Controller());
  TdxNavBarViewInfo* info = bar->ViewInfo();
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    TdxNavBarLinkViewInfo* link = info->LinkViewInfoOf(group->LinkAt(i));
    ASSERT_NE(link, nullptr);
    controller->LinkHintText(group->LinkAt(i), info->HintText);
    EXPECT_EQ(info->HintText, group->LinkAt(i)->Item()->Caption());  // no hint: the caption
    TRect r;
    controller->CalcLinkHintRect(group->LinkAt(i), r);
    EXPECT_EQ(r.left, link->ImageFrameRect().left);
    if (i == 0)
      EXPECT_EQ(r.right, link->ImageFrameRect().right);
    else
      EXPECT_GT(r.right, link->ImageFrameRect().right);
  }
}

// ---- the main window's explorer bars ------------------------------------------------------------------

namespace {

// The two view-18 bars of the main window's command bar, as form code builds them inside the loading
// bracket: "Favorites" with links made at run time, and the edit bar's six groups of items bound to
// actions, all default styles in 8-point "Tahoma".
class MainWindowBars : public FormFixture {
 protected:
  void SetUp() override {
    InitializeUnits();
    FormFixture::SetUp();
    favorites = Make(L"dxNavBarF", 0);
    edit = Make(L"dxNavBarEdit", 220);
    TdxNavBarGroup* group = favorites->Groups()->Add();
    group->SetCaption(L"Favorites");
    const int counts[] = {5, 4, 4, 4, 4, 4};
    const wchar_t* const captions[] = {L"Files", L"Edit", L"Effects", L"Tools", L"Bookmark", L"Region"};
    for (int g = 0; g < 6; ++g) {
      TdxNavBarGroup* editGroup = edit->Groups()->Add();
      editGroup->SetCaption(captions[g]);
      for (int i = 0; i < counts[g]; ++i) {
        auto* action = new TAction(form);
        action->SetCaption(String(captions[g]) + L" " + IntToStr(i + 1));
        action->OnExecute = [this, action](TObject*) { executed.push_back(action->Caption()); };
        TdxNavBarItem* item = edit->Items()->AddNewItem();
        item->SetAction(action);
        editGroup->AddLinkForItem(item);
      }
    }
    for (TdxNavBar* bar : {favorites, edit}) bar->EndUpdate();
    // Favourites are added at run time.
    for (const wchar_t* name : {L"Normalize", L"Fade in"}) {
      TdxNavBarItem* item = favorites->Items()->AddNewItem();
      item->SetCaption(name);
      favorites->Groups()->GroupAt(0)->AddLinkForItem(item);
    }
    ShowForm();
    favorites->Update();
    edit->Update();
  }
  TdxNavBar* Make(const wchar_t* name, int left) {
    TdxNavBar* bar = Place<TdxNavBar>(left, 0, 217, 300);
    bar->BeginUpdate();
    bar->SetName(name);
    bar->SetView(18);
    for (int i = 0; i < bar->DefaultStyles()->Count(); ++i) {
      TFont* font = bar->DefaultStyles()->StyleAt(i)->Font();
      font->SetName(L"Tahoma");
      font->SetSize(8);
    }
    return bar;
  }
  TdxNavBar* favorites = nullptr;
  TdxNavBar* edit = nullptr;
  std::vector<String> executed;
};

}  // namespace

TEST_F(MainWindowBars, LinksRunTheirActionsAndTheBrandSchemeReachesBothBars) {
  EXPECT_EQ(edit->ViewInfo()->GroupCount(), 6);
  EXPECT_EQ(favorites->ViewInfo()->GroupAt(0)->LinkCount(), 2);
  int links = 0;
  for (int g = 0; g < edit->ViewInfo()->GroupCount(); ++g) links += edit->ViewInfo()->GroupAt(g)->LinkCount();
  EXPECT_EQ(links, 25);
  // A click on a link of the edit bar runs its item's action.
  TdxNavBarLinkViewInfo* link = edit->ViewInfo()->GroupAt(1)->LinkAt(2);
  const TRect r = link->Rect;
  SendMouse(edit->Handle(), WM_LBUTTONDOWN, (r.left + r.right) / 2, (r.top + r.bottom) / 2, MK_LBUTTON);
  SendMouse(edit->Handle(), WM_LBUTTONUP, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  ASSERT_EQ(executed.size(), 1u);
  EXPECT_EQ(executed[0], L"Edit 3");
  // A hidden item leaves its group's links.
  edit->Groups()->GroupAt(1)->LinkAt(0)->Item()->SetVisible(false);
  edit->Update();
  EXPECT_EQ(edit->ViewInfo()->GroupAt(1)->LinkCount(), 3);
  // The brand's scheme, set through the view style of each bar.
  for (TdxNavBar* bar : {favorites, edit}) {
    IdxNavBarColorSchemes* schemes = Supports<IdxNavBarColorSchemes>(bar->ViewStyle());
    ASSERT_NE(schemes, nullptr);
    schemes->ApplyColorScheme(L"Black");
  }
  for (TdxNavBar* bar : {favorites, edit}) {
    auto* painter = static_cast<TdxNavBarOffice12ExplorerBarPainter*>(bar->Painter());
    EXPECT_EQ(painter->ColorSchemeName(), L"Black");
    EXPECT_TRUE(painter->HasSkin());
  }
  static_cast<TdxNavBarOffice12ExplorerBarPainter*>(edit->Painter())->SetColorSchemeName(L"Blue");
}
