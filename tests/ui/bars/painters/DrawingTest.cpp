// The painters on real toolbars and DIB sections: frame margins and mark rectangles, the mark's
// arrow and chevrons, the drag handles, the Office11 dock gradient and its cache, progress chunks,
// check marks, screen tips, the edit rectangle of a real EDIT window and the manager's style switch.
#include <gtest/gtest.h>

#include <memory>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/windows/ThemeState.h"
#include "tests/support/FakeThemeApi.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarHints.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/bars/DockControl.h"
#include "ui/bars/painters/BarPainters.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Office11Colors.h"

using namespace bar_testing;
using theme_testing::FakeThemeApi;
using window_testing::DibSection;
using window_testing::ProcessMessages;

namespace {

int WINAPI PinnedMetrics(int Index) {
  switch (Index) {
    case SM_CXFRAME: return 4;
    case SM_CYFRAME: return 5;
    default: return ::GetSystemMetrics(Index);
  }
}

DWORD Sys(int SysColor) {
  const COLORREF c = GetSysColor(SysColor);
  return (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c);
}
DWORD Rgb(TColor Color) {
  const COLORREF c = COLORREF(ColorToRGB(Color));
  return (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c);
}
void Fill(HDC DC, int W, int H, COLORREF Color) {
  // A drawing may leave parts excluded from the clip (its caller restores the DC): start afresh.
  SelectClipRgn(DC, nullptr);
  HBRUSH brush = CreateSolidBrush(Color);
  RECT r{0, 0, W, H};
  FillRect(DC, &r, brush);
  DeleteObject(brush);
}
constexpr COLORREF kPaper = RGB(0x12, 0x34, 0x56);
constexpr DWORD kPaperRgb = 0x123456;

class PainterDrawing : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    Bound().GetSystemMetrics = &PinnedMetrics;
    form->SetBounds(100, 100, 640, 360);
    form->Show();
    ProcessMessages();
  }
  void TearDown() override {
    BarFixture::TearDown();
    Bound().GetSystemMetrics = &::GetSystemMetrics;
  }
  TdxBar* NewBar(const String& Caption, int Buttons, TdxBarDockingStyle Style = dsTop) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(Caption);
    for (int i = 0; i < Buttons; ++i) bar->ItemLinks()->AddItemLink(NewItem(Caption + std::to_wstring(i), L"B"));
    bar->SetDockingStyle(Style);
    bar->SetFloatLeft(300);
    bar->SetFloatTop(300);
    bar->SetVisible(true);
    ProcessMessages();
    return bar;
  }
  TdxBarPainter* Painter() { return manager->Painter(); }
};

TEST_F(PainterDrawing, DockedAndFloatingFramesTakeTheirBordersHandlesAndCaptions) {
  struct Case {
    TdxBarManagerStyle Style;
    TdxBarDockingStyle Docking;
    TRect Margins;
  } cases[] = {
      {bmsStandard, dsTop, {2 + 9, 2, 2, 2}},  {bmsEnhanced, dsTop, {2 + 6, 2, 2, 2}},
      {bmsFlat, dsTop, {2 + 6, 2, 2, 2}},      {bmsOffice11, dsTop, {2 + 6, 0, 2, 0}},
      {bmsStandard, dsLeft, {2, 2 + 9, 2, 2}}, {bmsOffice11, dsLeft, {0, 2 + 6, 0, 2}},
  };
  TdxBar* bar = NewBar(L"Tools", 3);
  for (const Case& c : cases) {
    manager->SetStyle(c.Style);
    bar->SetDockingStyle(c.Docking);
    ProcessMessages();
    EXPECT_EQ(Painter()->CalcBarBorderRect(bar->Control()), c.Margins) << int(c.Style) << "/" << int(c.Docking);
  }
  // Without a border: the top margin only.
  manager->SetStyle(bmsEnhanced);
  bar->SetDockingStyle(dsTop);
  bar->SetBorderStyle(bbsNone);
  ProcessMessages();
  EXPECT_EQ(Painter()->CalcBarBorderRect(bar->Control()), (TRect{0, 2, 0, 0}));
  // Floating: the frame metrics, the caption and the Standard look's extras.
  bar->SetBorderStyle(bbsSingle);
  bar->SetDockingStyle(dsNone);
  ProcessMessages();
  const int caption = Painter()->SmallCaptionHeight() + 1;
  EXPECT_EQ(Painter()->CalcBarBorderRect(bar->Control()), (TRect{4 + 4, 5 + caption + 2, 4 + 4, 5 + 1}));
  manager->SetStyle(bmsOffice11);
  ProcessMessages();
  EXPECT_EQ(Painter()->CalcBarBorderRect(bar->Control()), (TRect{3, 3 + caption, 3, 3}));
  // The window's frame follows the painter.
  const TRect m = bar->Control()->FrameMargins();
  EXPECT_EQ(m, Painter()->CalcBarBorderRect(bar->Control()));
}

TEST_F(PainterDrawing, MarkRectanglesSitAtTheFarEndOrInTheCaption) {
  manager->SetStyle(bmsEnhanced);
  TdxBar* bar = NewBar(L"Tools", 3);
  TdxBarControl* window = bar->Control();
  window->MarkSize = 11;
  const TRect client = window->ClientRect();
  EXPECT_EQ(Painter()->MarkRect(window), (TRect{client.right - 11, 0, client.right, client.bottom}));
  bar->SetDockingStyle(dsLeft);
  ProcessMessages();
  const TRect vclient = window->ClientRect();
  EXPECT_EQ(Painter()->MarkRect(window), (TRect{0, vclient.bottom - 11, vclient.right, vclient.bottom}));
  // Floating with its close button: a caption-high square left of the button (the base rule; the
  // Standard and Enhanced looks put the mark at the caption's left).
  manager->SetStyle(bmsFlat);
  bar->SetDockingStyle(dsNone);
  ProcessMessages();
  const TRect caption = Painter()->FloatingCaptionRect(window->WindowRectAtOrigin());
  const TRect floating = Painter()->MarkRect(window);
  EXPECT_EQ(floating.Height(), caption.Height());
  EXPECT_EQ(floating.Width(), caption.Height());
  EXPECT_EQ(floating.right, caption.right - Painter()->GetCaptionButtonSize().cx - 1);
  // The Standard look keeps the mark at the caption's left, 13 wide.
  manager->SetStyle(bmsStandard);
  ProcessMessages();
  const TRect standard = Painter()->MarkRect(window);
  EXPECT_EQ(standard.left, Painter()->FloatingCaptionRect(window->WindowRectAtOrigin()).left);
  EXPECT_EQ(standard.Width(), 13);
  TRect text{standard.left, 0, 100, 10};
  Painter()->OffsetFloatingCaption(window, text, standard);
  EXPECT_EQ(text.left, standard.right + 3);
}

TEST_F(PainterDrawing, TheMarkArrowIsASevenByFourTriangleAndChevronsMoveUpOnShortBars) {
  // The flat look keeps the base mark (the Standard family has no short bars).
  manager->SetStyle(bmsFlat);
  TdxBar* bar = NewBar(L"Tools", 2);
  TdxBarControl* window = bar->Control();
  DibSection dib(40, 40);
  Fill(dib.DC(), 40, 40, kPaper);
  Painter()->DrawMarkArrow(window, dib.DC(), TRect{0, 0, 11, 12}, 0);
  // x = (0 + 11 - 7) div 2 = 2; y = (0 + 12 - 4) / 2 = 4.
  const DWORD arrow = Sys(COLOR_CAPTIONTEXT);
  for (int x = 2; x <= 8; ++x) EXPECT_EQ(dib.Pixel(x, 4), arrow) << x;
  EXPECT_EQ(dib.Pixel(1, 4), kPaperRgb);
  EXPECT_EQ(dib.Pixel(9, 4), kPaperRgb);
  EXPECT_EQ(dib.Pixel(5, 7), arrow);
  EXPECT_EQ(dib.Pixel(4, 7), kPaperRgb);
  EXPECT_EQ(dib.Pixel(5, 8), kPaperRgb);

  // The chevrons' top row: 4 on a tall mark, 3 on a short one (at most 16 pixels).
  const DWORD text = Sys(COLOR_BTNTEXT);
  for (int height : {22, 16}) {
    Fill(dib.DC(), 40, 40, kPaper);
    Painter()->DrawBarMark(window, dib.DC(), TRect{0, 0, 12, height}, true);
    const int top = height > 16 ? 4 : 3;
    EXPECT_EQ(dib.Pixel(2, top), text) << height;
    EXPECT_EQ(dib.Pixel(2, top - 1), kPaperRgb) << height;
    EXPECT_EQ(dib.Pixel(6, top), text) << height;
  }
  // All links fit: the arrow of quick customizing and no chevrons.
  Fill(dib.DC(), 40, 40, kPaper);
  Painter()->DrawBarMark(window, dib.DC(), TRect{0, 0, 12, 22}, false);
  EXPECT_EQ(dib.Pixel(2, 4), kPaperRgb);
  EXPECT_EQ(dib.Pixel(5, 22 - 7), text);
  // The Standard look (no quick customizing): the chevrons only.
  manager->SetStyle(bmsStandard);
  ProcessMessages();
  Fill(dib.DC(), 40, 40, kPaper);
  Painter()->DrawBarMark(window, dib.DC(), TRect{0, 0, 12, 22}, false);
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(dib.Pixel(x, y), kPaperRgb) << x << "," << y;
}

TEST_F(PainterDrawing, StandardHasANinePixelDoubleHandleAndEnhancedASixPixelSingleOne) {
  TdxBar* bar = NewBar(L"Tools", 2);
  DibSection dib(60, 40);
  const TRect r{0, 0, 60, 30};
  const int mid = 15;
  const DWORD light = Sys(COLOR_BTNHIGHLIGHT), dark = Sys(COLOR_BTNSHADOW);
  manager->SetStyle(bmsStandard);
  ProcessMessages();
  Fill(dib.DC(), 60, 40, kPaper);
  Painter()->DrawDragHandle(bar->Control(), dib.DC(), r);
  // Lines 2 in from the border (x = 2 + 2): 4..6 and 7..9.
  EXPECT_EQ(dib.Pixel(4, mid), light);
  EXPECT_EQ(dib.Pixel(6, mid), dark);
  EXPECT_EQ(dib.Pixel(7, mid), light);
  EXPECT_EQ(dib.Pixel(9, mid), dark);
  EXPECT_EQ(dib.Pixel(10, mid), kPaperRgb);
  manager->SetStyle(bmsEnhanced);
  ProcessMessages();
  Fill(dib.DC(), 60, 40, kPaper);
  Painter()->DrawDragHandle(bar->Control(), dib.DC(), r);
  EXPECT_EQ(dib.Pixel(3, mid), light);
  EXPECT_EQ(dib.Pixel(5, mid), dark);
  EXPECT_EQ(dib.Pixel(7, mid), kPaperRgb);
  EXPECT_EQ(dib.Pixel(9, mid), kPaperRgb);
}

TEST_F(PainterDrawing, FlatSeparatorsAndHandlesAreOnePixelShadowLines) {
  manager->SetStyle(bmsFlat);
  TdxBar* bar = NewBar(L"Tools", 2);
  DibSection dib(40, 40);
  Fill(dib.DC(), 40, 40, kPaper);
  Painter()->DrawDragHandle(bar->Control(), dib.DC(), TRect{0, 0, 40, 30});
  // Alternating rows from 3 in: shadow, brush, shadow.
  EXPECT_EQ(dib.Pixel(2, 3), Sys(COLOR_BTNSHADOW));
  EXPECT_NE(dib.Pixel(2, 4), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(dib.Pixel(2, 5), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(dib.Pixel(0, 0), Sys(COLOR_BTNFACE));
}

TEST_F(PainterDrawing, TheOffice11DockIsAHorizontalGradientCachedOncePerSize) {
  manager->SetStyle(bmsOffice11);
  NewBar(L"Tools", 2);
  TdxDockControl* top = manager->Bars()->DefaultSite(dsTop);
  const TRect client = top->ClientRect();
  ASSERT_GT(client.Width(), 100);
  DibSection dib(client.Width(), std::max<int>(client.Height(), 1));
  top->ClearBackgroundCache();
  const int fills = top->BackgroundCacheFills();
  Painter()->DrawDockBackground(top, dib.DC(), client, client, nullptr, clNone);
  Painter()->DrawDockBackground(top, dib.DC(), client, client, nullptr, clNone);
  EXPECT_EQ(top->BackgroundCacheFills(), fills + 1);
  EXPECT_EQ(dib.Pixel(0, 0), Rgb(TdxBarOffice11Painter::RoleColor(o11rDockStart)));
  EXPECT_EQ(dib.Pixel(client.Width() - 1, 0), Rgb(TdxBarOffice11Painter::RoleColor(o11rDockEnd)));
  // Another size: a new cache.
  top->ClearBackgroundCache();
  Painter()->DrawDockBackground(top, dib.DC(), client, client, nullptr, clNone);
  EXPECT_EQ(top->BackgroundCacheFills(), fills + 2);
  // A site aligned left shows one colour, the gradient's start.
  TdxDockControl* left = manager->Bars()->DefaultSite(dsLeft);
  const TRect wide{0, 0, 60, 20};
  DibSection side(60, 20);
  auto* office11 = dynamic_cast<TdxBarOffice11Painter*>(Painter());
  ASSERT_NE(office11, nullptr);
  office11->TdxBarOffice11Painter::DrawDockBackground(left, side.DC(), wide, wide, nullptr, clNone);
  EXPECT_EQ(side.Pixel(0, 5), Rgb(TdxBarOffice11Painter::RoleColor(o11rDockStart)));
  EXPECT_EQ(side.Pixel(59, 5), Rgb(TdxBarOffice11Painter::RoleColor(o11rDockStart)));
}

TEST_F(PainterDrawing, TheOffice11RolesTakeTheirFixedPaletteSlots) {
  struct Fixed {
    TdxOffice11Role Role;
    TOffice11ColorSlot Slot;
  } fixed[] = {
      {o11rGripDark, Office11GripDarkColor},      {o11rGripLight, Office11GripLightColor},
      {o11rSelectionFrame, Office11SelectionBorderColor}, {o11rHotStart, Office11HotColor},
      {o11rHotEnd, Office11HotColor2},            {o11rPressedStart, Office11PressedColor},
      {o11rPressedEnd, Office11PressedColor2},    {o11rItemText, Office11TextColor},
      {o11rDisabledText, Office11DisabledTextColor}, {o11rShadowColor, Office11ShadowColor},
      {o11rMarkStartNormal, Office11BarLight0},   {o11rMarkEndPressed, Office11BarDark2},
      {o11rMarkCornerHot, Office11BarLightMid1},  {o11rMarkBorderPressed, Office11BarDarkMid2},
  };
  for (const Fixed& f : fixed) EXPECT_EQ(kOffice11RoleSlots[f.Role], f.Slot) << int(f.Role);
  // Under a blue scheme the roles follow the scheme's palette.
  FakeThemeApi fake;
  fake.AddClass(L"Button");
  fake.Active = true;
  auto savedVersion = Bound().OSVersion;
  Bound().OSVersion = [] { return TOSVersion{5, 1}; };
  SendMessageW(ThemeState().Window(), WM_THEMECHANGED, 0, 0);
  RefreshOffice11Palette();
  const TOffice11Scheme scheme = CurrentOffice11Scheme();
  const TColor blueHot = TdxBarOffice11Painter::RoleColor(o11rHotStart);
  EXPECT_EQ(blueHot, Office11Color(Office11HotColor));
  fake.Active = false;
  Bound().OSVersion = savedVersion;
  SendMessageW(ThemeState().Window(), WM_THEMECHANGED, 0, 0);
  RefreshOffice11Palette();
  EXPECT_EQ(scheme, o11sBlue);
  EXPECT_EQ(CurrentOffice11Scheme(), o11sNone);
  EXPECT_EQ(TdxBarOffice11Painter::RoleColor(o11rHotStart), Office11Color(Office11HotColor));
  EXPECT_NE(TdxBarOffice11Painter::RoleColor(o11rHotStart), blueHot);
}

TEST_F(PainterDrawing, ProgressChunksStartAtMinAndAreCutAtTheEnd) {
  TdxBarPainter base(nullptr);
  DibSection dib(60, 20);
  const TRect r{0, 0, 49, 14};
  // Min = Max: nothing filled, no division by zero.
  Fill(dib.DC(), 60, 20, kPaper);
  base.DrawProgressBar(nullptr, dib.DC(), r, clRed, 150, 150, 150, false, false);
  EXPECT_EQ(dib.Pixel(5, 7), kPaperRgb);
  Fill(dib.DC(), 60, 20, kPaper);
  base.DrawProgressBar(nullptr, dib.DC(), r, clRed, 0, 100, 0, false, false);
  EXPECT_EQ(dib.Pixel(2, 7), kPaperRgb);
  // At Max: inner 47 pixels (1 to 47), chunks of MulDiv(12, 2, 3) = 8 and gaps of 2; the last one
  // (41 to 47) cut at the end.
  Fill(dib.DC(), 60, 20, kPaper);
  base.DrawProgressBar(nullptr, dib.DC(), r, clRed, 0, 100, 100, false, false);
  const DWORD red = 0xFF0000;
  EXPECT_EQ(dib.Pixel(1, 7), red);
  EXPECT_EQ(dib.Pixel(8, 7), red);
  EXPECT_EQ(dib.Pixel(9, 7), kPaperRgb);
  EXPECT_EQ(dib.Pixel(11, 7), red);
  EXPECT_EQ(dib.Pixel(41, 7), red);
  EXPECT_EQ(dib.Pixel(47, 7), red);
  EXPECT_NE(dib.Pixel(48, 7), red);
}

TEST_F(PainterDrawing, CheckMarksAreNineBySevenOrDoubleForLargeFonts) {
  TdxBarStandardPainter standard(nullptr);
  for (bool large : {false, true}) {
    DibSection dib(40, 40);
    Fill(dib.DC(), 40, 40, kPaper);
    standard.DrawMenuCheckMark(nullptr, dib.DC(), TRect{0, 0, 40, 40}, true, large);
    int left = 40, right = -1, top = 40, bottom = -1;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x)
        if (dib.Pixel(x, y) != kPaperRgb) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
    EXPECT_EQ(right - left + 1, large ? 18 : 9) << large;
    EXPECT_EQ(bottom - top + 1, large ? 14 : 7) << large;
  }
}

TEST_F(PainterDrawing, ScreenTipsGetTheirOwnViewAndAHintColouredBackground) {
  manager->SetStyle(bmsOffice11);
  auto* repository = new TdxBarScreenTipRepository(form);
  TdxBarScreenTip* tip = repository->Items()->Add();
  tip->Header()->SetText(L"Open");
  tip->Description()->SetText(L"Opens a file");
  for (TdxBarPainterClass cls : {BarPainterClassFor(brsStandard), BarPainterClassFor(brsFlat),
                                 BarPainterClassFor(brsOffice11), BarPainterClassFor(brsXP)}) {
    std::unique_ptr<TdxBarPainter> painter(cls->CreatePainter(nullptr));
    std::unique_ptr<TdxBarCustomHintViewInfo> info(painter->CreateHintViewInfo(manager, L"Open", L"", tip));
    EXPECT_NE(dynamic_cast<TdxBarScreenTipViewInfo*>(info.get()), nullptr) << cls->ClassName();
  }
  DibSection dib(20, 20);
  Fill(dib.DC(), 20, 20, kPaper);
  TBitmap bitmap(1, 1);
  TcxCanvas canvas(bitmap.Canvas());
  HDC saved = nullptr;
  (void)saved;
  // Drawn through a canvas on the DIB.
  TCanvas target;
  target.SetHandle(dib.DC());
  TcxCanvas onDib(&target);
  Painter()->DrawScreenTipBackground(&onDib, TRect{0, 0, 10, 10});
  target.SetHandle(nullptr);
  EXPECT_EQ(dib.Pixel(5, 5), Rgb(Application->HintColor));
  EXPECT_EQ(dib.Pixel(15, 15), kPaperRgb);
}

TEST_F(PainterDrawing, TheEditRectangleReachesARealEditWindow) {
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL, 0, 0, 100, 22,
                              form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  TdxBarPainter base(nullptr);
  base.SetEditRect(edit, TRect{10, 5, 110, 27});
  RECT r{};
  SendMessageW(edit, EM_GETRECT, 0, LPARAM(&r));
  // The content inside Rect(2, 2, 2, 3) and the text margins 2 and 2, at the edit window's origin
  // (the edit keeps whole text lines: its bottom may lie lower).
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 2);
  EXPECT_EQ(r.right, 96);
  EXPECT_GE(r.bottom, 15);
  SetWindowTextW(edit, L"value");
  base.SelectAllEditText(edit, false);
  DWORD from = 0, to = 0;
  SendMessageW(edit, EM_GETSEL, WPARAM(&from), LPARAM(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 5u);
  DestroyWindow(edit);
}

// The sub-item arrow's place counts the bar font's height as negative: a font sized in pixels keeps
// the arrow inside the control.
TEST_F(PainterDrawing, ASubItemArrowStaysInsideItsControlWithAFontSizedInPixels) {
  manager->SetStyle(bmsEnhanced);
  manager->SetScaled(false);
  manager->SetUseSystemFont(false);
  TdxBar* bar = NewBar(L"Tools", 1);
  manager->Font()->SetHeight(30);
  ProcessMessages();
  TdxBarItemControl* control = bar->ItemLinks()->LinkAt(0)->ItemControl();
  ASSERT_NE(control, nullptr);
  ASSERT_GT(manager->Font()->Height(), 0);
  auto* params = dynamic_cast<TdxBarButtonLikeControlDrawParams*>(control->DrawParams());
  ASSERT_NE(params, nullptr);
  DibSection dib(100, 60);
  Fill(dib.DC(), 100, 60, kPaper);
  TCanvas target;
  target.SetHandle(dib.DC());
  TcxCanvas canvas(&target);
  TcxCanvas* savedCanvas = params->Canvas;
  params->Canvas = &canvas;
  params->PaintType = 0;
  params->Enabled = true;
  params->HasDropDown = true;
  params->ArrowSize = TSize{11, 4};
  const TRect r{0, 0, 60, 40};
  Painter()->DrawSubItemArrowPart(params, r);
  params->Canvas = savedCanvas;
  target.SetHandle(nullptr);
  bool inside = false;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x) {
      if (dib.Pixel(x, y) == kPaperRgb) continue;
      EXPECT_LT(x, r.right) << "arrow pixel outside at " << x << "," << y;
      inside = true;
    }
  EXPECT_TRUE(inside);
}

// Text on a vertical bar: the turned text is centred across the rectangle, placed along it by the
// alignment, and its accelerator is a line beside the character instead of a prefix.
TEST_F(PainterDrawing, TurnedTextIsCentredAcrossItsRectangleWithTheAcceleratorLineBeside) {
  TdxBarStandardPainter standard(nullptr);
  DibSection dib(80, 140);
  LOGFONTW logFont{};
  logFont.lfHeight = -13;
  logFont.lfEscapement = logFont.lfOrientation = 2700;
  lstrcpyW(logFont.lfFaceName, L"Tahoma");
  HFONT font = CreateFontIndirectW(&logFont);
  HGDIOBJ oldFont = SelectObject(dib.DC(), font);
  TColor text = clDefault, shadow = clDefault;
  standard.ItemTextColors(nullptr, true, false, standard.UsesFlatColors(), text, shadow);
  SIZE extent{}, first{};
  GetTextExtentPoint32W(dib.DC(), L"Open", 4, &extent);
  GetTextExtentPoint32W(dib.DC(), L"O", 1, &first);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dib.DC(), &metrics);
  const TRect r{20, 10, 60, 130};
  const int bandLeft = r.left + (r.Width() - extent.cy) / 2, bandRight = bandLeft + extent.cy;
  struct Case {
    int Alignment;
    int Top;  // where the text starts along the rectangle
  } cases[] = {{0, r.top}, {1, r.top + (r.Height() - extent.cx) / 2}, {2, r.bottom - extent.cx}};
  for (const Case& c : cases) {
    Fill(dib.DC(), 80, 140, kPaper);
    standard.DrawItemText(nullptr, dib.DC(), L"&Open", r, c.Alignment, true, false, true, false, DT_SINGLELINE);
    int inked = 0;
    for (int y = 0; y < 140; ++y)
      for (int x = 0; x < 80; ++x) {
        if (dib.Pixel(x, y) == kPaperRgb) continue;
        ++inked;
        ASSERT_TRUE(x >= bandLeft - 1 && x <= bandRight) << c.Alignment << ": ink at x " << x;
        ASSERT_TRUE(y >= c.Top - 1 && y <= c.Top + extent.cx) << c.Alignment << ": ink at y " << y;
      }
    EXPECT_GT(inked, 0);
    // The accelerator line runs beside the "O" over its whole width, in the text colour.
    const int lineX = (r.left + r.right - extent.cy) / 2 + metrics.tmDescent - 2;
    for (int y = c.Top; y < c.Top + first.cx; ++y) EXPECT_EQ(dib.Pixel(lineX, y), Rgb(text)) << c.Alignment << "," << y;
  }
  SelectObject(dib.DC(), oldFont);
  DeleteObject(font);
}

// A large-icon glyph takes the manager's large list when it serves large icons, else the small
// image doubled.
TEST_F(PainterDrawing, LargeIconGlyphsTakeTheLargeListOrTheSmallImageDoubled) {
  manager->SetStyle(bmsEnhanced);
  auto* images = new TCustomImageList(form);
  auto* large = new TCustomImageList(form, 24, 24);
  TBitmap picture(16, 16), largePicture(24, 24);
  images->Add(&picture, nullptr);
  large->Add(&largePicture, nullptr);
  manager->SetImages(images);
  manager->SetLargeImages(large);
  TdxBar* bar = NewBar(L"Tools", 1);
  TdxBarItem* item = bar->ItemLinks()->LinkAt(0)->Item();
  item->SetImageIndex(0);
  item->SetLargeImageIndex(0);
  manager->SetLargeIcons(true);
  struct Case {
    bool UseLarge;
    TSize Size;
  } cases[] = {{true, {24, 24}}, {false, {32, 32}}};
  for (const Case& c : cases) {
    manager->SetUseLargeImagesForLargeIcons(c.UseLarge);
    ProcessMessages();
    TdxBarItemControl* control = bar->ItemLinks()->LinkAt(0)->ItemControl();
    ASSERT_NE(control, nullptr);
    ASSERT_NE(control->ViewInfo(), nullptr);
    TdxBarItemControlDrawParams* params = control->DrawParams();
    DibSection dib(80, 80);
    TCanvas target;
    target.SetHandle(dib.DC());
    TcxCanvas canvas(&target);
    TcxCanvas* savedCanvas = params->Canvas;
    params->Canvas = &canvas;
    params->PaintType = 0;
    params->ViewSize = bvsLargeIcons;
    Painter()->DrawItemGlyphAt(params, TRect{0, 0, 60, 60}, TdxBarPaintStates{});
    params->Canvas = savedCanvas;
    target.SetHandle(nullptr);
    const TRect g = control->ViewInfo()->ImageBounds;
    EXPECT_EQ(g.Width(), c.Size.cx) << c.UseLarge;
    EXPECT_EQ(g.Height(), c.Size.cy) << c.UseLarge;
  }
}

// With FlatCloseButton only the close button of a bar that allows it is flat: a docked toolbar
// keeps the three-dimensional caption button (its dark outer corner), a floating main menu gets the
// single raised ring.
TEST_F(PainterDrawing, OnlyABarThatAllowsItGetsTheFlatCloseButton) {
  manager->SetStyle(bmsStandard);
  manager->SetFlatCloseButton(true);
  TdxBar* docked = NewBar(L"Tools", 1);
  TdxBar* menu = NewBar(L"Menu", 1, dsNone);
  menu->SetIsMainMenu(true);
  ProcessMessages();
  ASSERT_FALSE(docked->Control()->AllowsFlatCloseButton());
  ASSERT_TRUE(menu->Control()->AllowsFlatCloseButton());
  struct Case {
    TdxBar* Bar;
    DWORD Corner;
  } cases[] = {{docked, Sys(COLOR_3DDKSHADOW)}, {menu, Sys(COLOR_BTNSHADOW)}};
  for (const Case& c : cases) {
    DibSection dib(30, 30);
    Fill(dib.DC(), 30, 30, kPaper);
    Painter()->DrawMDIButton(c.Bar->Control(), dib.DC(), TRect{2, 2, 18, 16}, 2, 0);
    EXPECT_EQ(dib.Pixel(17, 15), c.Corner) << c.Bar->Caption();
  }
}

TEST_F(PainterDrawing, EachStyleMakesItsPainterAndXPWithoutThemesIsEnhanced) {
  struct Case {
    TdxBarManagerStyle Style;
    TdxBarPainterClass Class;
  } cases[] = {
      {bmsStandard, &TdxBarStandardPainter::ClassInfo()}, {bmsEnhanced, &TdxBarEnhancedPainter::ClassInfo()},
      {bmsFlat, &TdxBarFlatPainter::ClassInfo()},         {bmsOffice11, &TdxBarOffice11Painter::ClassInfo()},
      {bmsXP, manager->ThemeAvailable() ? static_cast<TdxBarPainterClass>(&TdxBarXPPainter::ClassInfo())
                                        : &TdxBarEnhancedPainter::ClassInfo()},
  };
  TdxBar* bar = NewBar(L"Tools", 2);
  for (const Case& c : cases) {
    manager->SetStyle(c.Style);
    ProcessMessages();
    ASSERT_NE(Painter(), nullptr);
    EXPECT_EQ(Painter()->PainterClass(), c.Class) << int(c.Style);
    // The next frame is drawn by the new painter: the margins are its own.
    EXPECT_EQ(bar->Control()->FrameMargins(), Painter()->CalcBarBorderRect(bar->Control()));
  }
  // The main window's setting: the look and feel's Office11 kind.
  manager->SetStyle(bmsUseLookAndFeel);
  manager->LookAndFeel()->SetKind(lfOffice11);
  manager->LookAndFeel()->SetNativeStyle(false);
  EXPECT_EQ(Painter()->PainterClass(), &TdxBarOffice11Painter::ClassInfo());
  // Its dock paints the Office11 gradient.
  TdxDockControl* top = manager->Bars()->DefaultSite(dsTop);
  const TRect client = top->ClientRect();
  DibSection dib(client.Width(), std::max<int>(1, client.Height()));
  top->ClearBackgroundCache();
  top->FillBackground(dib.DC(), client, nullptr, top->Color());
  EXPECT_EQ(dib.Pixel(0, 0), Rgb(TdxBarOffice11Painter::RoleColor(o11rDockStart)));
  // The shared flat painter is one object.
  EXPECT_EQ(FlatPainterInstance(), FlatPainterInstance());
}

}  // namespace
