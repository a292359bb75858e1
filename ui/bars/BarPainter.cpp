#include "ui/bars/BarPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarHints.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/Bars.h"
#include "ui/bars/DockControl.h"
#include "ui/bars/SubMenuControl.h"
#include "ui/bars/painters/PainterSupport.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/Themes.h"

DEFINE_CLASS(TdxBarPainter)

using namespace bar_painting;

namespace {

TdxBarPainterClass g_painterClasses[5] = {};
TdxBarPainterClass g_skinnedPainterClass = nullptr;

TdxBarManager* ManagerOf(TCustomdxBarControl* BarControl) {
  return BarControl ? BarControl->OwningBarManager() : nullptr;
}

TFont* BarFontOf(TdxBarControl* BarControl) {
  TdxBar* bar = BarControl ? BarControl->Bar() : nullptr;
  if (bar && bar->UseOwnFont()) return bar->Font();
  TdxBarManager* manager = ManagerOf(BarControl);
  return manager ? manager->Font() : nullptr;
}

bool ShowsDragHandle(TdxBarControl* BarControl) {
  TdxBar* bar = BarControl->Bar();
  return BarControl->IsDocked() && bar && bar->IsMovable();
}


}  // namespace

namespace bar_painting {

TdxBarItemControl* ControlOf(TdxBarItemControlDrawParams* P) { return P ? P->OwnerItemControl() : nullptr; }
HDC DCOf(TdxBarItemControlDrawParams* P) { return P && P->Canvas ? P->Canvas->DCHandle() : nullptr; }
TdxBarButtonLikeControlDrawParams* ButtonParams(TdxBarItemControlDrawParams* P) {
  return dynamic_cast<TdxBarButtonLikeControlDrawParams*>(P);
}

TdxBarPaintStates StatesOf(TdxBarItemControlDrawParams* P) {
  TdxBarPaintStates s;
  s.Selected = P->Selected;
  s.Pressed = P->Pressed;
  s.DroppedDown = P->DroppedDown;
  s.Enabled = P->Enabled;
  if (auto* b = ButtonParams(P)) s.Checked = b->Down;
  if (TdxBarItemControl* c = P->OwnerItemControl()) s.RarelyUsed = c->NonRecent;
  return s;
}

bool HasSplitPart(TdxBarItemControlDrawParams* P) {
  auto* b = ButtonParams(P);
  return b && b->IsButton && P->HasDropDown;
}

void DrawClassicMenuItemBackground(TdxBarPainter* Painter, TCustomdxBarControl* SubMenu,
                                   TdxBarItemControlDrawParams* P, const TRect& R, HBRUSH OwnBrush) {
  HDC dc = DCOf(P);
  TdxBarItemControl* control = ControlOf(P);
  const TdxBarPaintStates s = StatesOf(P);
  const bool fill = s.Selected || s.RarelyUsed;
  const TRect icon = Painter->MenuItemIconRect(R, Painter->MenuIconAreaSize(SubMenu));
  HBRUSH selected = Painter->SelectedBrush(SubMenu);
  HBRUSH around = s.Selected && !s.Checked && !P->ContentParts.Contains(cpIcon) ? selected : OwnBrush;
  Painter->FillItemBackground(control, dc, fill, around, TRect{icon.right, R.top, icon.right + 1, R.bottom});
  Painter->FillItemBackground(control, dc, fill, around, TRect{icon.left, R.top, icon.right, icon.top});
  Painter->FillItemBackground(control, dc, fill, around, TRect{icon.left, icon.bottom, icon.right, R.bottom});
  Painter->FillItemBackground(control, dc, fill, s.Selected ? selected : OwnBrush,
                              TRect{icon.right + 1, R.top, R.right, R.bottom});
}

void LineSolid(HDC DC, int X1, int Y1, int X2, int Y2, TColor Color) {
  TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(Color)));
  TSelected selected(DC, pen);
  MoveToEx(DC, X1, Y1, nullptr);
  LineTo(DC, X2, Y2);
}

void DrawCheckPattern(HDC DC, int X, int Y, int S, TColor Color) {
  static const char* const kRows[7] = {"........#", ".......##", "#.....###", "##...###.",
                                       "###.###..", ".#####...", "..###...."};
  TGdiObject<HBRUSH> brush(CreateSolidBrush(COLORREF(ColorToRGB(Color))));
  for (int row = 0; row < 7; ++row)
    for (int column = 0; column < 9; ++column)
      if (kRows[row][column] == '#') {
        const RECT r{X + column * S, Y + row * S, X + (column + 1) * S, Y + (row + 1) * S};
        FillRect(DC, &r, brush);
      }
}

void PolylineSolid(HDC DC, const POINT* Points, int Count, TColor Color) {
  TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(Color)));
  TSelected selected(DC, pen);
  Polyline(DC, Points, Count);
}

}  // namespace bar_painting

// ======== bars ===================================================================================

void TdxBarPainter::DrawBarControlBackground(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  DrawBarBackground(BarControl, DC, TPoint{0, 0}, BarControl->BackgroundBrush(), R);
}

void TdxBarPainter::DrawBarNonClientArea(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  const TRect margins = BarControl->FrameMargins();
  // The frame's background: the bar's own background seen from the window's origin.
  DrawBarBackground(BarControl, DC, TPoint{-margins.left, -margins.top}, BarControl->BackgroundBrush(), R);
  if (!BarControl->IsDocked()) DrawFloatingBarBorder(BarControl, DC, R, ToolbarBrushFor(BarControl));
}

void TdxBarPainter::PaintCaptionCloseButton(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  PaintCaptionCloseButton(BarControl, DC, R, BarControl->CloseButtonState());
}

void TdxBarPainter::DrawMark(TdxBarControl* BarControl, TcxCanvas* Canvas, const TRect& R, HBRUSH) {
  DrawMark(BarControl, Canvas->DCHandle(), R);
}

void TdxBarPainter::DrawCaptionMark(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  DrawCaptionMark(BarControl, DC, R, BarControl->MarkState());
}

void TdxBarPainter::DrawBarSizeGrip(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) {
  FillBrush(DC, R, Brush);
  PaintSizeGrip(BarControl, DC, R);
}

TRect TdxBarPainter::FloatingCaptionRect(const TRect& R) {
  TRect c = Deflated(R, FrameWidth(), FrameHeight());
  c.bottom = c.top + SmallCaptionHeight();
  return c;
}

TColor TdxBarPainter::FloatingCaptionColor(bool Active) {
  return SystemColor(Active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
}

TColor TdxBarPainter::CaptionTextColor() { return SystemColor(COLOR_CAPTIONTEXT); }

TColor TdxBarPainter::MarkArrowColor(TdxBarControl*, int) { return SystemColor(COLOR_CAPTIONTEXT); }

void TdxBarPainter::PaintSizeGrip(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  TdxBarManager* manager = ManagerOf(BarControl);
  if (manager && manager->ThemeAvailable() && NativeBackground())
    DrawThemedSizeGrip(DC, R);
  else
    DrawTransparentSizeGrip(DC, R);
}

void TdxBarPainter::DrawMarkArrow(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState) {
  const int x = (R.left + R.right - 7) / 2;
  const int sum = R.top + R.bottom - 4;
  const int y = sum / 2 + (sum % 2 != 0 ? 1 : 0);
  const POINT points[3] = {{x, y}, {x + 6, y}, {x + 3, y + 3}};
  FillPolygonSolid(DC, points, 3, MarkArrowColor(BarControl, MarkState));
}

void TdxBarPainter::DrawMarkChevron(TdxBarControl* /*BarControl*/, HDC DC, int X, int Y, bool Vertical) {
  const TColor color = SystemColor(COLOR_BTNTEXT);
  if (!Vertical) {
    const POINT a[3] = {{X, Y}, {X + 2, Y + 2}, {X - 1, Y + 5}};
    const POINT b[3] = {{X + 1, Y}, {X + 3, Y + 2}, {X, Y + 5}};
    PolylineSolid(DC, a, 3, color);
    PolylineSolid(DC, b, 3, color);
  } else {
    const POINT a[3] = {{X, Y}, {X + 2, Y + 2}, {X + 5, Y - 1}};
    const POINT b[3] = {{X, Y + 1}, {X + 2, Y + 3}, {X + 5, Y}};
    PolylineSolid(DC, a, 3, color);
    PolylineSolid(DC, b, 3, color);
  }
}

void TdxBarPainter::DrawMarkFace(TdxBarControl*, HDC, const TRect&, int) {}

void TdxBarPainter::DrawBarMark(TdxBarControl* BarControl, HDC DC, const TRect& R, bool HasHiddenLinks) {
  const bool vertical = BarControl->IsVertical();
  const TColor color = MarkElementColor(BarControl, BarControl->MarkState());
  if (AllowsQuickCustomizing()) {
    if (!vertical) {
      const int y = R.bottom - 7 + (IsShortBar(R) ? 1 : 0);
      const POINT p[3] = {{R.left + 3, y}, {R.left + 7, y}, {R.left + 5, y + 2}};
      FillPolygonSolid(DC, p, 3, color);
    } else {
      const POINT p[3] = {{R.left + 5, R.top + 3}, {R.left + 5, R.top + 7}, {R.left + 3, R.top + 5}};
      FillPolygonSolid(DC, p, 3, color);
    }
  }
  if (!HasHiddenLinks) return;
  if (!vertical) {
    const int y = IsShortBar(R) ? 3 : 4;
    DrawMarkChevron(BarControl, DC, R.left + 2, R.top + y, false);
    DrawMarkChevron(BarControl, DC, R.left + 6, R.top + y, false);
  } else {
    const int x = BarControl->ClientRect().right - 8;
    DrawMarkChevron(BarControl, DC, x, R.top + 2, true);
    DrawMarkChevron(BarControl, DC, x, R.top + 6, true);
  }
}

void TdxBarPainter::OffsetFloatingCaption(TdxBarControl*, TRect& TextR, const TRect& MarkR) {
  TextR.left = MarkR.right + 3;
}

TColor TdxBarPainter::MarkElementColor(TdxBarControl*, int) { return SystemColor(COLOR_BTNTEXT); }

void TdxBarPainter::FillRectWithColor(HDC DC, const TRect& R, TColor Color) { FillRectSolid(DC, R, Color); }

TRect TdxBarPainter::CalcBarBorderRect(TdxBarControl* BarControl) {
  TdxBar* bar = BarControl->Bar();
  if (BarControl->IsDocked()) {
    if (bar && bar->BorderStyle() == bbsSingle) {
      TRect r = BarBorderRect(BarControl);
      const int handle = ShowsDragHandle(BarControl) ? DragHandleSize() : FloatingBarMargin();
      if (BarControl->IsVertical())
        r.top += handle;
      else
        r.left += handle;
      return r;
    }
    TRect r{};
    r.top += DockedBarTopMargin();
    const TRect extra = DockedBarMargins(BarControl);
    r.left += extra.left;
    r.top += extra.top;
    r.right += extra.right;
    r.bottom += extra.bottom;
    if (bar && bar->ShowsSizeGrip()) r.right += SizeGripSize(ManagerOf(BarControl)).cx;
    return r;
  }
  TRect r{FrameWidth(), FrameHeight(), FrameWidth(), FrameHeight()};
  if (!BarControl->HasFloatingCaption()) return r;
  r.left += FloatingBorderExtra();
  r.right += FloatingBorderExtra();
  r.top += CaptionHeight() + FloatingCaptionGap();
  r.bottom += FloatingBorderBottom();
  return r;
}

int TdxBarPainter::CaptionHeightFor(TcxCanvas* Canvas) {
  return (Canvas ? Canvas->TextPixelHeight(L"Wg") : 13) + 6;
}

void TdxBarPainter::FillBarBackgroundPart(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) {
  DrawBarBackground(BarControl, DC, TPoint{0, 0}, Brush ? Brush : BarControl->BackgroundBrush(), R);
}

int TdxBarPainter::FrameWidth() { return SystemMetric(SM_CXFRAME); }
int TdxBarPainter::FrameHeight() { return SystemMetric(SM_CYFRAME); }

void TdxBarPainter::DrawDockBackground(TdxDockControl* Site, HDC DC, const TRect& R, const TRect& Client,
                                       HBRUSH Brush, TColor Color) {
  FillRectColorOrBitmap(DC, R, Client, Brush, Color, Site ? Site->BackgroundBitmap() : nullptr);
}

bool TdxBarPainter::PainterOptionN(TCustomdxBarControl* BarControl) {
  return UsesSelectedOffset() && !(BarControl && BarControl->GlyphColumnOption());
}

HBRUSH TdxBarPainter::BarControlOwnerBrush(TCustomdxBarControl* BarControl) {
  return BarControl->BackgroundBrush();
}

void TdxBarPainter::DrawDockedBarBackground(TdxBarControl* BarControl, HDC DC, const TPoint& Origin, HBRUSH Brush,
                                            const TRect& R) {
  TdxDockControl* site = BarControl->DockControl();
  if (!site) {
    FillBrush(DC, R, Brush);
    return;
  }
  // The toolbar's client origin in the site's client area.
  const TRect bounds = BarControl->BoundsRect();
  const TRect margins = BarControl->FrameMargins();
  const int dx = bounds.left + margins.left - Origin.x, dy = bounds.top + margins.top - Origin.y;
  TSavedDC saved(DC);
  POINT old{};
  OffsetWindowOrgEx(DC, dx, dy, &old);
  const TRect r{R.left + dx, R.top + dy, R.right + dx, R.bottom + dy};
  site->FillBackground(DC, r, Brush, site->Color());
}

void TdxBarPainter::DrawManagerBackground(TdxBarControl* BarControl, HDC DC, const TPoint&, HBRUSH Brush,
                                          const TRect& R) {
  TdxBarManager* manager = ManagerOf(BarControl);
  TBitmap* picture = manager && manager->Backgrounds() ? manager->Backgrounds()->Bar() : nullptr;
  FillRectColorOrBitmap(DC, R, BarControl->ClientRect(), Brush, clNone,
                        picture && !picture->Empty() ? picture : nullptr);
}

void TdxBarPainter::FillBarClientArea(TCustomdxBarControl* BarControl, HDC DC, const TRect& R) {
  if (!R.IsEmpty()) FillBrush(DC, R, BarControl->BackgroundBrush());
}

HBRUSH TdxBarPainter::ToolbarBrush(TCustomdxBarControl*) { return GetSysColorBrush(COLOR_BTNFACE); }

TRect TdxBarPainter::CaptionButtonMargins(TdxBarControl*) {
  const int i = CaptionButtonIndent();
  return TRect{i, i, i, i};
}

void TdxBarPainter::FillToolbarBackground(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  FillBrush(DC, R, ToolbarBrush(BarControl));
}

int TdxBarPainter::SmallCaptionHeight() {
  NONCLIENTMETRICSW metrics = GetNonClientMetrics();
  return metrics.iSmCaptionHeight;
}

TSize TdxBarPainter::GetCaptionButtonSize() {
  const int h = SmallCaptionHeight();
  return TSize{h, h};
}

void TdxBarPainter::DrawBarBackground(TdxBarControl* BarControl, HDC DC, const TPoint& Origin, HBRUSH Brush,
                                      const TRect& R) {
  TdxBar* bar = BarControl->Bar();
  TdxBarManager* manager = ManagerOf(BarControl);
  TBitmap* own = bar ? bar->BackgroundBitmap() : nullptr;
  if (own && !own->Empty()) {
    const TRect client = BarControl->ClientRect();
    FillRectColorOrBitmap(DC, R, TRect{-Origin.x, -Origin.y, client.right - Origin.x, client.bottom - Origin.y},
                          Brush, clNone, own);
    return;
  }
  TBitmap* managerPicture = manager && manager->Backgrounds() ? manager->Backgrounds()->Bar() : nullptr;
  const bool managerHasPicture = managerPicture && !managerPicture->Empty();
  if (bar && bar->ActsAsStatusBar() && !managerHasPicture) {
    const TRect whole = BarControl->WindowRectAtOrigin();
    TSavedDC saved(DC);
    IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
    DrawThemedOrPlainBackground(BarControl, DC, TRect{0, 0, whole.Width(), whole.Height()}, Brush);
    return;
  }
  if (bar && bar->Color() != clDefault) {
    FillRectSolid(DC, R, bar->Color());
  } else if (BarControl->IsDocked() && BarControl->DockControl()) {
    DrawDockedBarBackground(BarControl, DC, Origin, Brush, R);
  } else {
    DrawManagerBackground(BarControl, DC, Origin, Brush, R);
  }
}

void TdxBarPainter::DrawBarSeparator(TdxBarControl* BarControl, HDC DC, const TRect& R, bool Horizontal) {
  const int half = HalfSeparatorSize();
  TRect a = R, b = R, line = R;
  if (Horizontal) {
    a.bottom = a.top + half;
    b.top = b.bottom - half;
    line.top = a.bottom;
    line.bottom = b.top;
  } else {
    a.right = a.left + half;
    b.left = b.right - half;
    line.left = a.right;
    line.right = b.left;
  }
  HBRUSH brush = BarControl->BackgroundBrush();
  DrawBarBackground(BarControl, DC, TPoint{0, 0}, brush, a);
  DrawBarBackground(BarControl, DC, TPoint{0, 0}, brush, b);
  Edge(DC, line, EDGE_ETCHED, Horizontal ? BF_TOP : BF_LEFT);
}

void TdxBarPainter::DrawCaptionButtonFace(TdxBarControl* BarControl, HDC DC, const TRect& R, int State) {
  if (State == 0) {
    FillRectSolid(DC, R, FloatingCaptionColor(BarControl->IsActive()));
    return;
  }
  DrawSelectionFrame(DC, R);
  FillBrush(DC, Deflated(R, 1, 1), State == 1 ? SelectedBrush(BarControl) : DownedSelectedBrush(BarControl));
}

TRect TdxBarPainter::DrawFloatingBarBorder(TdxBarControl*, HDC, const TRect& R, HBRUSH) {
  return Deflated(R, FrameWidth(), FrameHeight());
}

void TdxBarPainter::DrawFloatingCaption(TdxBarControl* BarControl, HDC DC, HBRUSH Brush, const TRect& Caption) {
  TRect r = Caption;
  FillBrush(DC, TRect{r.left, r.bottom, r.right, r.bottom + 1}, Brush);
  const bool background = DrawsCaptionBackground();
  if (background) FillToolbarBackground(BarControl, DC, r);
  // The window draws its caption buttons (in their states) after the caption.
  if (BarControl->AllowsClosing()) r.right -= SmallCaptionHeight();
  TRect text = r;
  const bool markInCaption = BarControl->ShowsMark() && !BarControl->IsDocked();
  TRect mark{};
  if (markInCaption) {
    mark = MarkRectFor(BarControl);
    OffsetFloatingCaption(BarControl, text, mark);
  } else {
    text.left = r.left + 2;
  }
  if (!r.IsEmpty()) {
    TdxBar* bar = BarControl->Bar();
    const String caption = bar ? bar->Caption() : String();
    TdxBarManager* manager = ManagerOf(BarControl);
    TGdiObject<HFONT> font(CreateMenuFontHandle(BarFontOf(BarControl), manager && manager->UseSystemFont()));
    TSelected selected(DC, font);
    const COLORREF oldText = SetTextColor(DC, ColorToRGB(CaptionTextColor()));
    const COLORREF oldBack = SetBkColor(DC, ColorToRGB(FloatingCaptionColor(BarControl->IsActive())));
    TEXTMETRICW tm{};
    GetTextMetricsW(DC, &tm);
    const int y = r.top + (r.Height() - tm.tmHeight) / 2;
    RECT clip = r;
    const UINT options = background ? ETO_CLIPPED : (ETO_OPAQUE | ETO_CLIPPED);
    const int oldMode = SetBkMode(DC, background ? TRANSPARENT : OPAQUE);
    if (!background && text.left > r.left)
      FillRectSolid(DC, TRect{r.left, r.top, std::min(text.left, r.right), r.bottom},
                    FloatingCaptionColor(BarControl->IsActive()));
    RECT textClip{std::max(text.left, r.left), r.top, r.right, r.bottom};
    (void)clip;
    ExtTextOutW(DC, text.left, y, options, &textClip, caption.c_str(), UINT(caption.size()), nullptr);
    SetBkMode(DC, oldMode);
    SetTextColor(DC, oldText);
    SetBkColor(DC, oldBack);
  }
  if (markInCaption) DrawCaptionMark(BarControl, DC, mark, BarControl->MarkState());
}

void TdxBarPainter::DrawCaptionMark(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState) {
  DrawMarkArrow(BarControl, DC, R, MarkState);
}

void TdxBarPainter::DrawMark(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  DrawMarkFace(BarControl, DC, R, BarControl->MarkState());
  DrawBarMark(BarControl, DC, R, BarControl->FitTruncated);
}

void TdxBarPainter::DrawBarSizeGrip(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  const TRect inner = Deflated(R, DockedBarMargins(BarControl));
  const TSize size = SizeGripSize(ManagerOf(BarControl));
  const TRect grip{inner.right - size.cx, inner.bottom - size.cy, inner.right, inner.bottom};
  const TRect margins = BarControl->FrameMargins();
  DrawBarBackground(BarControl, DC, TPoint{-margins.left, -margins.top}, BarControl->BackgroundBrush(), grip);
  PaintSizeGrip(BarControl, DC, grip);
}

void TdxBarPainter::FillDockedBarTopMargin(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  const TRect strip{R.left, R.top, R.right, R.top + DockedBarTopMargin()};
  DrawBarBackground(BarControl, DC, TPoint{0, 0}, BarControl->BackgroundBrush(), strip);
}

TRect TdxBarPainter::MarkRect(TdxBarControl* BarControl) {
  const TRect client = BarControl->ClientRect();
  const int size = BarControl->MarkSize > 0 ? BarControl->MarkSize : MarkSize();
  switch (BarControl->DockingStyle()) {
    case dsLeft:
    case dsRight: return TRect{client.left, client.bottom - size, client.right, client.bottom};
    case dsTop:
    case dsBottom: return TRect{client.right - size, client.top, client.right, client.bottom};
    default: break;
  }
  const TRect caption = FloatingCaptionRect(BarControl->WindowRectAtOrigin());
  const int h = caption.Height();
  int right = caption.right;
  if (BarControl->AllowsClosing()) right -= GetCaptionButtonSize().cx + 1;
  int left = std::max<int>(caption.left, right - h);
  return TRect{left, caption.top, left + h, caption.bottom};
}

void TdxBarPainter::InvalidateMark(TdxBarControl* BarControl) {
  if (!BarControl->HandleAllocated()) return;
  if (BarControl->IsDocked()) {
    RECT r = MarkRect(BarControl);
    InvalidateRect(BarControl->Handle(), &r, FALSE);
    return;
  }
  HDC dc = GetWindowDC(BarControl->Handle());
  TScopeExit release([&] { ReleaseDC(BarControl->Handle(), dc); });
  BarControl->PaintNonClientArea(dc);
}

void TdxBarPainter::DrawThemedOrPlainBackground(TCustomdxBarControl* BarControl, HDC DC, const TRect& R,
                                                HBRUSH Brush) {
  TdxBarManager* manager = ManagerOf(BarControl);
  if (NativeBackground() && manager && manager->ThemeAvailable())
    DrawThemedStatusBackground(DC, R);
  else
    FillRectColorOrBitmap(DC, R, R, Brush, clNone, nullptr);
}

TSize TdxBarPainter::SizeGripSize(TdxBarManager* Manager) {
  if (Manager && Manager->ThemeAvailable() && NativeBackground()) {
    const TSize themed = ThemedSizeBoxExtent();
    if (themed.cx > 0 && themed.cy > 0) return themed;
  }
  return TSize{SystemMetric(SM_CXHSCROLL), SystemMetric(SM_CYHSCROLL)};
}

void TdxBarPainter::DrawBarSeparatorOn(TdxBarControl* BarControl, TcxCanvas* Canvas, const TRect& R,
                                       bool Horizontal) {
  DrawBarSeparator(BarControl, Canvas->DCHandle(), R, Horizontal);
}

void TdxBarPainter::SetLookAndFeelFor(TdxBarManager* Manager, TcxLookAndFeel* LookAndFeel) {
  if (!Manager || !LookAndFeel) return;
  switch (Manager->EffectiveStyle()) {
    case bmsStandard: LookAndFeel->SetKind(lfStandard); LookAndFeel->SetNativeStyle(false); break;
    case bmsEnhanced: LookAndFeel->SetKind(lfFlat); LookAndFeel->SetNativeStyle(false); break;
    case bmsFlat: LookAndFeel->SetKind(lfUltraFlat); LookAndFeel->SetNativeStyle(false); break;
    case bmsXP: LookAndFeel->SetNativeStyle(true); break;
    case bmsOffice11: LookAndFeel->SetKind(lfOffice11); LookAndFeel->SetNativeStyle(false); break;
    default: break;
  }
}

void TdxBarPainter::HintPosition(TCustomdxBarControl*, const TRect&, const TPoint& Cursor, int, TPoint& Position) {
  Position = TPoint{Cursor.x, Cursor.y + 20};
}

TdxBarCustomHintViewInfo* TdxBarPainter::CreateHintViewInfo(TdxBarManager* Manager, const String& HintText,
                                                            const String& ShortCutText, TdxBarScreenTip* ScreenTip) {
  return CreateBarHintViewInfo(Manager, HintText, ShortCutText, ScreenTip, this);
}

void TdxBarPainter::DrawScreenTipBackground(TcxCanvas* Canvas, const TRect& R) {
  FillRectSolid(Canvas->DCHandle(), R, Application ? Application->HintColor : clInfoBk);
}

int TdxBarPainter::IconAreaWidth(TCustomdxBarControl* BarControl) {
  TdxBarManager* manager = ManagerOf(BarControl);
  const int glyph = manager ? manager->GlyphSize() : 16;
  return std::max(BarControl->TextSize(), glyph + 4);
}

int TdxBarPainter::ReferenceTextSize() {
  if (referenceTextSize_ == 0) {
    TBitmap bitmap(1, 1);
    TFont font;
    font.SetPixelsPerInch(96);
    TcxCanvas canvas(bitmap.Canvas());
    canvas.UseFont(&font);
    referenceTextSize_ = TextRowHeightFor(&canvas);
  }
  return referenceTextSize_;
}

// ======== menus ==================================================================================

void TdxBarPainter::DrawScrollArrow(HDC DC, const TRect& R, bool Up, int TextSize, TColor Color) {
  const int size = std::max(1, ScrollArrowSize(TextSize));
  const int cx = (R.left + R.right) / 2, cy = (R.top + R.bottom) / 2;
  POINT p[3];
  if (Up) {
    p[0] = {cx - size, cy + size / 2};
    p[1] = {cx + size, cy + size / 2};
    p[2] = {cx, cy - size / 2 - 1};
  } else {
    p[0] = {cx - size, cy - size / 2};
    p[1] = {cx + size, cy - size / 2};
    p[2] = {cx, cy + size / 2 + 1};
  }
  TGdiObject<HRGN> region(CreatePolygonRgn(p, 3, WINDING));
  TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color)));
  FillRgn(DC, region, brush);
}

void TdxBarPainter::DrawScrollButton(TCustomdxBarControl* SubMenu, HDC DC, const TRect& ItemsRect, bool Top,
                                     bool FirstBeginsGroup, bool Selected) {
  const TRect r = ScrollButtonRect(SubMenu, ItemsRect, Top);
  DrawScrollArrow(DC, r, Top, ScrollButtonHeight(SubMenu), SystemColor(COLOR_BTNTEXT));
  TSavedDC saved(DC);
  const TRect arrow = r;
  ExcludeClipRect(DC, (arrow.left + arrow.right) / 2 - ScrollArrowSize(r.Height()) - 1, arrow.top,
                  (arrow.left + arrow.right) / 2 + ScrollArrowSize(r.Height()) + 2, arrow.bottom);
  DrawScrollButtonFrame(SubMenu, DC, r);
  if (Top && FirstBeginsGroup) DrawScrollButtonLine(SubMenu, DC, r, Selected);
  FillScrollButton(SubMenu, DC, r);
}

void TdxBarPainter::FillScrollButton(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R) {
  FillBrush(DC, R, MenuBackgroundBrush(SubMenu));
}

void TdxBarPainter::DrawScrollButtonLine(TCustomdxBarControl*, HDC DC, const TRect& R, bool Selected) {
  const TRect line{R.left, R.bottom, R.right, R.bottom + 1};
  FillSys(DC, line, Selected ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
  ExcludeClipRect(DC, line.left, line.top, line.right, line.bottom);
}

TRect TdxBarPainter::ScrollButtonRect(TCustomdxBarControl* SubMenu, const TRect& ItemsRect, bool Top) {
  const int h = ScrollButtonHeight(SubMenu);
  return Top ? TRect{ItemsRect.left, ItemsRect.top, ItemsRect.right, ItemsRect.top + h}
             : TRect{ItemsRect.left, ItemsRect.bottom - h, ItemsRect.right, ItemsRect.bottom};
}

int TdxBarPainter::ScrollButtonHeight(TCustomdxBarControl* SubMenu) { return SubMenu ? SubMenu->TextSize() : 0; }

void TdxBarPainter::DrawExpandChevrons(TCustomdxBarControl*, HDC DC, const TRect& R, int N, bool Selected) {
  const TColor color =
      SystemColor(IsFlat() && Selected && ButtonFaceIsWhite() ? COLOR_BTNFACE : COLOR_BTNTEXT);
  const int depth = N / 2;
  const int left = R.left + (R.Width() - (N + 1)) / 2;
  const int top = R.top + (R.Height() - 2 * N) / 2;
  for (int chevron = 0; chevron < 2; ++chevron) {
    const int y0 = top + chevron * N;
    for (int line = 0; line < depth; ++line) {
      const POINT p[3] = {{left, y0 + line}, {left + N / 2, y0 + line + N / 2}, {left + N + 1, y0 + line - 1}};
      PolylineSolid(DC, p, 3, color);
    }
  }
}

void TdxBarPainter::DrawExpandButton(TCustomdxBarControl* SubMenu, TcxCanvas* Canvas, const TRect& R, int N,
                                     bool Selected) {
  if (R.IsEmpty()) return;
  HDC target = Canvas->DCHandle();
  HDC memory = CreateCompatibleDC(target);
  TScopeExit freeDC([&] { DeleteDC(memory); });
  TGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(target, R.Width(), R.Height()));
  TSelected selected(memory, bitmap);
  SetWindowOrgEx(memory, R.left, R.top, nullptr);
  FillMenuBackground(SubMenu, memory, MenuBackgroundBrush(SubMenu), R, false);
  if (Selected) DrawExpandButtonSelected(SubMenu, memory, R);
  DrawExpandChevrons(SubMenu, memory, R, N, Selected);
  SetWindowOrgEx(memory, 0, 0, nullptr);
  BitBlt(target, R.left, R.top, R.Width(), R.Height(), memory, 0, 0, SRCCOPY);
  ExcludeClipRect(target, R.left, R.top, R.right, R.bottom);
}

void TdxBarPainter::DrawExpandButtonSelected(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R) {
  Edge(DC, R, BDR_RAISEDINNER, BF_RECT);
  FillBrush(DC, Deflated(R, 1, 1), SubMenu ? SubMenu->HighlightBrush() : GetSysColorBrush(COLOR_BTNHIGHLIGHT));
}

int TdxBarPainter::MenuItemHeight(TCustomdxBarControl* SubMenu, bool LargeItems, double ScaleFactor) {
  int h = LargeItems ? int(40 * ScaleFactor + 0.5) : (SubMenu ? SubMenu->TextSize() : 0);
  AdjustMenuMetric(h);
  return h;
}

int TdxBarPainter::SubMenuItemExtra(TdxBarItemControl* Control) {
  TCustomdxBarControl* bar = Control ? Control->BarControl() : nullptr;
  if (!bar || bar->BarKind() != 2) return 0;
  return bar->TextSize() + 1;
}

int TdxBarPainter::MenuSeparatorHeight(TCustomdxBarControl* SubMenu) { return SubMenu ? SubMenu->SeparatorSize() : 0; }

// The icon area the window stores from IconAreaWidth. Not the window's IconAreaSize(): a menu
// window answers that from MenuIconAreaWidth, which comes back here.
int TdxBarPainter::MenuIconAreaSize(TCustomdxBarControl* SubMenu) { return SubMenu ? IconAreaWidth(SubMenu) : 0; }

void TdxBarPainter::DrawDropDownListBorder(HDC DC, TColor Color, const TRect& R) {
  FrameSys(DC, R, COLOR_BTNSHADOW);
  FrameRectSolid(DC, Deflated(R, 1, 1), Color);
}

int TdxBarPainter::SubMenuRowHeight(int H) {
  const int step = MenuHeightStep(H);
  // An odd step gives rows of 2 x step + 4, but never lower than the text needs.
  if (step % 2 != 0) return std::max(H, 2 * step + 4);
  return H;
}

void TdxBarPainter::GetSubMenuMetrics(TcxCanvas* Canvas, int Size, int& TextSize, int& ArrowWidth) {
  ArrowWidth = MenuArrowWidth(Size);
  const int h = (Canvas ? Canvas->TextPixelHeight(L"0") : Size) + 1;
  TextSize = SubMenuRowHeight(h);
}

TRect TdxBarPainter::MenuBorderRect(TCustomdxBarControl*, bool) {
  const int s = MenuBorderSize();
  return TRect{s, s, s, s};
}

int TdxBarPainter::MenuTextOffset(TCustomdxBarControl* SubMenu, int OwnerBarSize) {
  int offset = OwnerBarSize + MenuIconAreaSize(SubMenu);
  AdjustMenuMetric(offset);
  return offset;
}

TRect TdxBarPainter::MenuItemIconRect(const TRect& R, int IconAreaSize) {
  return TRect{R.left, R.top, R.left + IconAreaSize, R.bottom};
}

TRect TdxBarPainter::MenuItemTextRect(TCustomdxBarControl* SubMenu, const TRect& R) {
  return TRect{R.left + MenuItemTextIndentFor(SubMenu), R.top, R.right, R.bottom};
}

TRect TdxBarPainter::MenuSeparatorRect(TCustomdxBarControl* SubMenu, int Top, bool FirstOfRarelyUsedRun) {
  const int bottom = FirstOfRarelyUsedRun ? Top - 1 : Top;
  return TRect{0, bottom - MenuSeparatorHeight(SubMenu), 0, bottom};
}

TRect TdxBarPainter::DeflateMenuContent(const TRect& R) { return Deflated(R, 3, 3); }

void TdxBarPainter::FillMenuBackground(TCustomdxBarControl* SubMenu, HDC DC, HBRUSH Brush, const TRect& R, bool) {
  TdxBarManager* manager = ManagerOf(SubMenu);
  TBitmap* picture = manager && manager->Backgrounds() ? manager->Backgrounds()->SubMenu() : nullptr;
  FillRectColorOrBitmap(DC, R, SubMenu ? SubMenu->ClientRect() : R, Brush, clNone,
                        picture && !picture->Empty() ? picture : nullptr);
}

void TdxBarPainter::DrawSubMenuBorder(TCustomdxBarControl* SubMenu, HDC DC, const TRect& Whole,
                                      int DetachCaptionHeight, bool DetachSelected) {
  TRect r = Whole;
  FillSys(DC, TRect{r.left, r.top, r.left + 1, r.bottom - 1}, COLOR_BTNFACE);
  FillSys(DC, TRect{r.left + 1, r.top, r.right - 1, r.top + 1}, COLOR_BTNFACE);
  Edge(DC, r, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
  if (DetachCaptionHeight <= 0) return;
  r = Deflated(r, 1, 1);
  Edge(DC, r, BDR_RAISEDINNER, BF_LEFT | BF_TOP | BF_RIGHT);
  r = Deflated(r, 1, 1);
  r.bottom = r.top + DetachCaptionHeight - 1;
  FrameSys(DC, r, COLOR_BTNFACE);
  FillDetachCaption(SubMenu, DC, Deflated(r, 1, 1), DetachSelected);
}

void TdxBarPainter::DrawSubMenuInnerBorder(TCustomdxBarControl*, HDC DC, const TRect& ItemsRect, HBRUSH Brush,
                                           bool Detachable) {
  TRect r = ItemsRect;
  if (Detachable) r.top -= 2;
  Edge(DC, r, BDR_RAISEDINNER, BF_RECT);
  FrameBrush(DC, Deflated(r, 1, 1), Brush);
}

void TdxBarPainter::FillDetachCaption(TCustomdxBarControl*, HDC DC, const TRect& R, bool Selected) {
  FillSys(DC, R, Selected ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
}

void TdxBarPainter::DrawMenuSeparatorItem(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, bool RarelyUsed,
                                          bool FirstOfRun, int, int OwnerBarSize) {
  TRect r = R;
  HBRUSH brush = MenuBackgroundBrush(SubMenu);
  bool fill = false;
  if (RarelyUsed && !FirstOfRun) {
    fill = true;
    if (OwnerBarSize == 0) r.left -= 1;
    r.right += 2;
  } else if (RarelyUsed && FirstOfRun) {
    brush = ToolbarBrushFor(SubMenu);
  }
  if (fill)
    FillBrush(DC, r, brush);
  else
    FillMenuBackground(SubMenu, DC, brush, r, false);
  DrawMenuSeparatorLine(DC, Deflated(R, MenuSeparatorIndent(), 4));
}

void TdxBarPainter::DrawMenuSeparatorLine(HDC DC, const TRect& R) { Edge(DC, R, EDGE_ETCHED, BF_TOP); }

void TdxBarPainter::QueryMenuBackgroundBrush(TCustomdxBarControl* SubMenu, HBRUSH& Brush) {
  if (HasMenuBackgroundBrush()) Brush = MenuBackgroundBrush(SubMenu);
}

HBRUSH TdxBarPainter::MenuBackgroundBrush(TCustomdxBarControl*) { return GetSysColorBrush(COLOR_BTNFACE); }

void TdxBarPainter::FillApplicationMenuBackground(TCustomdxBarControl* Menu, HDC DC, const TRect& R,
                                                  const TRect& ButtonRect) {
  TSavedDC saved(DC);
  ExcludeClipRect(DC, ButtonRect.left, ButtonRect.top, ButtonRect.right, ButtonRect.bottom);
  FillMenuBackground(Menu, DC, MenuBackgroundBrush(Menu), R, false);
}

void TdxBarPainter::FillExtraPaneBackground(TCustomdxBarControl* Menu, HDC DC, const TRect& R) {
  TdxBarManager* manager = ManagerOf(Menu);
  TBitmap* picture = manager && manager->Backgrounds() ? manager->Backgrounds()->Bar() : nullptr;
  FillRectColorOrBitmap(DC, R, R, Menu ? Menu->BackgroundBrush() : GetSysColorBrush(COLOR_BTNFACE), clNone,
                        picture && !picture->Empty() ? picture : nullptr);
}

// ---- the menu window's calls: each asks the slot with what the menu window knows ----------------

namespace {

TCustomdxBarControl* AsBar(TdxBarSubMenuControl* Menu) { return Menu; }

int DetachHeightOf(TdxBarSubMenuControl* Menu) {
  return Menu && Menu->ShowsDetachCaption() ? Menu->DetachStripHeight() : 0;
}

}  // namespace

void TdxBarPainter::DrawScrollButton(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, int Index) {
  if (!Menu || !Canvas) return;
  bool firstBeginsGroup = false, selected = false;
  if (TdxBarItemControl* first = Menu->FirstVisibleItemControl(); first && first->Link()) {
    firstBeginsGroup = first->Link()->BeginGroup();
    selected = Menu->SelectedLink() == first->Link();
  }
  DrawScrollButton(AsBar(Menu), Canvas->DCHandle(), Menu->ItemsRect, Index == 0, firstBeginsGroup, selected);
}

void TdxBarPainter::ScrollButtonRect(TdxBarSubMenuControl* Menu, int Index, TRect& R) {
  R = Menu ? ScrollButtonRect(AsBar(Menu), Menu->ItemsRect, Index == 0) : TRect{};
}

int TdxBarPainter::ScrollButtonHeight(TdxBarSubMenuControl* Menu) { return ScrollButtonHeight(AsBar(Menu)); }

void TdxBarPainter::DrawExpandButton(TdxBarSubMenuControl* Menu, const TRect& R, bool Hot) {
  if (!Menu) return;
  DrawExpandButton(AsBar(Menu), Menu->CurrentCanvas(), R, Menu->ExpandArrowSize(), Hot);
}

void TdxBarPainter::MenuBorderRect(TdxBarSubMenuControl* Menu, TRect& R) {
  R = MenuBorderRect(AsBar(Menu), Menu && Menu->ShowsDetachCaption());
}

int TdxBarPainter::DetachCaptionAreaSize(TdxBarSubMenuControl* Menu) {
  return DetachCaptionAreaSize(Menu ? Menu->DetachStripHeight() : 0);
}

void TdxBarPainter::DeflateMenuContent(TdxBarSubMenuControl*, TRect& R) { R = DeflateMenuContent(R); }

void TdxBarPainter::FillDetachCaption(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) {
  FillDetachCaption(AsBar(Menu), DC, R, Menu && Menu->TearOffHot);
}

int TdxBarPainter::MenuIconAreaWidth(TdxBarSubMenuControl* Menu) { return MenuIconAreaWidth(AsBar(Menu)); }

int TdxBarPainter::MenuTextOffset(TdxBarSubMenuControl* Menu) {
  return MenuTextOffset(AsBar(Menu), Menu ? Menu->OwnerBarSize() : 0);
}

void TdxBarPainter::FillMenuBackground(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, const TRect& R) {
  if (!Canvas) return;
  FillMenuBackground(AsBar(Menu), Canvas->DCHandle(), MenuBackgroundBrush(AsBar(Menu)), R, false);
}

void TdxBarPainter::DrawSubMenuInnerBorder(TdxBarSubMenuControl* Menu, HDC DC, HBRUSH Brush, const TRect& R) {
  DrawSubMenuInnerBorder(AsBar(Menu), DC, R, Brush, Menu && Menu->ShowsDetachCaption());
}

void TdxBarPainter::DrawSubMenuBorder(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) {
  DrawSubMenuBorder(AsBar(Menu), DC, R, DetachHeightOf(Menu), Menu && Menu->TearOffHot);
}

void TdxBarPainter::DrawMenuSeparatorItem(TdxBarSubMenuControl* Menu, TdxBarItemControl*,
                                          const TdxBarSeparatorInfo& Separator, TcxCanvas* Canvas) {
  if (!Canvas) return;
  DrawMenuSeparatorItem(AsBar(Menu), Canvas->DCHandle(), Separator.Bounds, false, false, MenuIconAreaSize(AsBar(Menu)),
                        Menu ? Menu->OwnerBarSize() : 0);
}

void TdxBarPainter::DrawMenuItemFrame(TdxBarSubMenuControl* Menu, TdxBarItemControl* Control, int ShownIndex,
                                      const TRect& R, HDC DC) {
  DrawMenuItemFrame(AsBar(Menu), Control, ShownIndex, R, DC);
}

void TdxBarPainter::QueryMenuBackgroundBrush(TdxBarSubMenuControl* Menu, HBRUSH& Brush) {
  QueryMenuBackgroundBrush(AsBar(Menu), Brush);
}

HBRUSH TdxBarPainter::MenuBackgroundBrush(TdxBarSubMenuControl* Menu) { return MenuBackgroundBrush(AsBar(Menu)); }

void TdxBarPainter::MenuSeparatorRect(TdxBarSubMenuControl* Menu, TdxBarItemControl*, TRect& Separator,
                                      const TRect& ItemRect) {
  const TRect r = MenuSeparatorRect(AsBar(Menu), ItemRect.top, false);
  Separator.top = r.top;
  Separator.bottom = r.bottom;
}

int TdxBarPainter::HalfFontHeight(TdxBarItemControl* Control) {
  TCustomdxBarControl* bar = Control ? Control->BarControl() : nullptr;
  return HalfFontHeight(bar ? bar->ItemFont() : static_cast<TFont*>(nullptr));
}

void TdxBarPainter::DrawSubMenuFrame(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) {
  DrawSubMenuFrame(AsBar(Menu), DC, R, DetachHeightOf(Menu), Menu && Menu->TearOffHot);
}

void TdxBarPainter::FillApplicationMenuBackground(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, const TRect& R,
                                                  const TRect&) {
  if (Canvas) FillApplicationMenuBackground(AsBar(Menu), Canvas->DCHandle(), R, TRect{});
}

TRect TdxBarPainter::DropDownClientRect(const TRect& R, bool BandShown, bool HasOwner, const TRect& OwnerRect,
                                        const TRect& WindowRect, int& Corner) {
  TRect client = Deflated(R, 1, 1);
  Corner = -1;
  if (BandShown && HasOwner) {
    Corner = SizeGripCornerFor(OwnerRect, WindowRect);
    if (Corner == 0 || Corner == 1)
      client.top += DropDownNonClientHeight();
    else
      client.bottom -= DropDownNonClientHeight();
  }
  return client;
}

namespace {

// The drop-down window's non-client drawing shared by the flat and the raised looks. Themed: the
// size grip and close button come from the theme.
void DrawDropDownFrame(TdxBarPainter* Painter, HWND Window, bool BandShown, int Corner, bool Hot, bool Pressed,
                       bool Flat, bool Themed, TRect& CloseRect, TRect& GripRect) {
  CloseRect = TRect{};
  GripRect = TRect{};
  HDC dc = GetWindowDC(Window);
  if (!dc) return;
  TScopeExit release([&] { ReleaseDC(Window, dc); });
  TSavedDC saved(dc);
  RECT screen{};
  GetWindowRect(Window, &screen);
  RECT clientScreen{};
  GetClientRect(Window, &clientScreen);
  POINT origin{0, 0};
  ClientToScreen(Window, &origin);
  TRect w{0, 0, screen.right - screen.left, screen.bottom - screen.top};
  const TRect c{origin.x - screen.left, origin.y - screen.top, origin.x - screen.left + clientScreen.right,
                origin.y - screen.top + clientScreen.bottom};
  const int border = c.left - w.left;
  FrameSys(dc, w, Flat ? COLOR_BTNSHADOW : COLOR_WINDOWFRAME);
  if (!BandShown || Corner < 0) return;
  w = Deflated(w, border, border);
  const int h = SizeGripBandHeight();
  const bool top = Corner == 0 || Corner == 1;
  TRect band = w, line = w;
  if (top) {
    band.bottom = band.top + h - 1;
    line.top = band.bottom;
    line.bottom = line.top + 1;
  } else {
    band.top = band.bottom - (h - 1);
    line.bottom = band.top;
    line.top = line.bottom - 1;
  }
  FillSys(dc, line, Flat ? COLOR_BTNSHADOW : COLOR_WINDOWFRAME);
  // The size grip in the band's corner.
  TRect grip = band;
  if (Themed) {
    DrawThemedSizeBox(dc, grip, Corner);
  } else {
    FillSys(dc, band, COLOR_BTNFACE);
    PaintCornerSizeGrip(dc, grip, Corner);
  }
  ExcludeClipRect(dc, grip.left, grip.top, grip.right, grip.bottom);
  GripRect = TRect{grip.left + screen.left, grip.top + screen.top, grip.right + screen.left, grip.bottom + screen.top};
  // The close button at the band's other end.
  const int size = SystemMetric(SM_CXSIZE);
  TRect button;
  if (Corner == 1 || Corner == 3)
    button.left = band.left;
  else
    button.left = band.right - size;
  button.right = button.left + size;
  button.top = band.top + (band.Height() - (size + 1)) / 2 + (top ? 0 : 1);
  button.bottom = button.top + size + 1;
  button = Deflated(button, 1, 2);
  if (Themed) {
    DrawThemedSmallCloseButton(dc, button, Hot, Pressed, Corner);
  } else {
    if (Flat || (!Hot && !Pressed) || (Pressed && !Hot))
      FrameSys(dc, button, COLOR_BTNFACE);
    else if (Hot && !Pressed)
      Edge(dc, button, BDR_RAISEDINNER, BF_RECT);
    else
      Edge(dc, button, BDR_SUNKENOUTER, BF_RECT);
    const TRect inner = Deflated(button, 1, 1);
    FrameSys(dc, inner, COLOR_BTNFACE);
    TSavedDC clip(dc);
    const TRect glyphArea = Deflated(inner, 1, 1);
    IntersectClipRect(dc, glyphArea.left, glyphArea.top, glyphArea.right, glyphArea.bottom);
    RECT glyph = Deflated(button, -1, -1);
    if (size != 22) OffsetRect(&glyph, 0, 1);
    UINT state = DFCS_CAPTIONCLOSE | DFCS_FLAT;
    if (Hot && Pressed && !Flat) state |= DFCS_PUSHED;
    DrawFrameControl(dc, &glyph, DFC_CAPTION, state);
  }
  ExcludeClipRect(dc, button.left, button.top, button.right, button.bottom);
  CloseRect = TRect{button.left + screen.left, button.top + screen.top, button.right + screen.left,
                    button.bottom + screen.top};
  ExcludeClipRect(dc, c.left, c.top, c.right, c.bottom);
  FillSys(dc, w, COLOR_BTNFACE);
  const LONG style = GetWindowLongW(Window, GWL_STYLE);
  if (!top && (style & WS_HSCROLL) && (style & WS_VSCROLL)) {
    const int cx = SystemMetric(SM_CXVSCROLL), cy = SystemMetric(SM_CYHSCROLL);
    FillSys(dc, TRect{w.right - cx, band.top - 1 - cy, w.right, band.top - 1}, COLOR_BTNFACE);
  }
  (void)Painter;
}

}  // namespace

void TdxBarPainter::DrawDropDownNonClient(HWND Window, bool BandShown, int Corner, bool CloseHot, bool ClosePressed,
                                          TRect& CloseRect, TRect& GripRect) {
  DrawDropDownFrame(this, Window, BandShown, Corner, CloseHot, ClosePressed, false, false, CloseRect, GripRect);
}

void TdxBarPainter::DrawDropDownNonClientWith(HWND Window, bool BandShown, int Corner, bool CloseHot,
                                              bool ClosePressed, bool Flat, bool Themed, TRect& CloseRect,
                                              TRect& GripRect) {
  DrawDropDownFrame(this, Window, BandShown, Corner, CloseHot, ClosePressed, Flat, Themed, CloseRect, GripRect);
}

// ======== item controls ==========================================================================

namespace {

TRect Moved(const TRect& R, int DX, int DY) { return TRect{R.left + DX, R.top + DY, R.right + DX, R.bottom + DY}; }

}  // namespace

void TdxBarPainter::CalcButtonTextRect(TdxBarItemControlDrawParams* P, TRect& T, int& Alignment, const TRect& G,
                                       TdxBarGlyphLayout Layout, const TSize& GlyphArea) {
  const bool horizontal = P->PaintType != 2;
  if (P->ViewSize == bvsLarge) {
    switch (Layout) {
      case glLeft:
        Alignment = DT_LEFT;
        if (horizontal) T.left = G.right + 3; else T.top = G.bottom + 3;
        break;
      case glRight:
        Alignment = DT_RIGHT;
        if (horizontal) T.right = G.left - 3; else T.bottom = G.top - 3;
        break;
      case glTop:
        Alignment = DT_CENTER;
        if (horizontal) T.top = G.bottom; else T.right = G.left;
        break;
      case glBottom:
        Alignment = DT_CENTER;
        if (horizontal) T.bottom = G.top; else T.left = G.right;
        break;
    }
    return;
  }
  Alignment = DT_LEFT;
  TdxBarItemControl* control = ControlOf(P);
  const bool icon = P->ContentParts.Contains(cpIcon);
  const int shift = icon ? (horizontal ? GlyphArea.cx : GlyphArea.cy) : (control ? control->OwnTextSize() : 0);
  if (horizontal)
    T.left += shift;
  else
    T.top += shift;
  if (!PainterOptionD(control)) {
    auto* b = ButtonParams(P);
    PressedTextOffset(T, b && b->Down, P->Pressed);
  }
}

void TdxBarPainter::DrawMenuCheckMark(TdxBarItemControlDrawParams*, HDC DC, const TRect& R, bool Checked,
                                      bool Large) {
  if (!Checked) return;
  const int w = Large ? 18 : 9, h = Large ? 14 : 7;
  const int x = R.left + (R.Width() - w) / 2, y = R.top + (R.Height() - h) / 2;
  DrawCheckGlyph(DC, x, y, Large, true);
}

void TdxBarPainter::DrawQuickCustomizeCheckArea(TdxBarItemControl* Control, HDC DC, const TRect& Entry,
                                                bool Selected) {
  FillItemBackground(Control, DC, Selected, Control ? Control->BackgroundBrush() : nullptr,
                     QuickCustomizeCheckSquare(Entry));
}

void TdxBarPainter::DrawQuickCustomizeCheck(TdxBarItemControl*, HDC DC, const TRect& Square, bool Checked) {
  if (!Checked) return;
  constexpr int kGlyphWidth = 9, kGlyphHeight = 7;
  DrawCheckGlyph(DC, Square.left + (Square.Width() - kGlyphWidth) / 2,
                 Square.top + (Square.Height() - kGlyphHeight) / 2, false, true);
  DrawSelectionFrame(DC, TRect{Square.left + 1, Square.top + 1, Square.right - 1, Square.bottom - 1});
}

void TdxBarPainter::DrawCenteredArrow(HDC DC, const TRect& R, TColor Color, bool Down, bool Enabled, bool Selected,
                                      bool Flat) {
  DrawCenteredItemArrow(DC, R, Down ? 1 : 0, Enabled, Selected, Flat, Color);
}

void TdxBarPainter::DrawArrowWithSize(HDC DC, const TRect& R, TColor Color, bool Down, int Size, bool Enabled,
                                      bool Selected, bool Flat) {
  DrawItemArrowOfSize(DC, R, Down ? 1 : 0, Size, Selected, Enabled, Flat, Color);
}

TColor TdxBarPainter::ItemTextColorFor(TdxBarItemControl*, bool Selected, bool Flat) {
  return SystemColor(Selected && !Flat ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
}

void TdxBarPainter::DisabledTextColors(bool Selected, bool Flat, TColor& Text, TColor& Shadow) {
  if (Selected || Flat) {
    Text = Shadow = SystemColor(COLOR_GRAYTEXT);
  } else {
    Text = SystemColor(COLOR_BTNSHADOW);
    Shadow = SystemColor(COLOR_BTNHIGHLIGHT);
  }
}

TColor TdxBarPainter::ItemControlTextColor(TdxBarItemControlDrawParams* P) {
  if (!PainterOptionE()) return clDefault;
  TColor text = clDefault, shadow = clDefault;
  ItemTextColors(ControlOf(P), true, P->Selected, UsesFlatColors(), text, shadow);
  return text;
}

bool TdxBarPainter::MakesDisabledImagesFaded(TdxBarManager* Manager) {
  return Manager && Manager->MakeDisabledImagesFaded();
}

void TdxBarPainter::DrawPartText(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R, int Alignment) {
  DrawItemText(ControlOf(P), DC, P->Caption, R, Alignment, P->Enabled, P->Selected, P->PaintType == 2, false,
               DT_SINGLELINE);
}

void TdxBarPainter::TextBoundsOf(TdxBarItemControlDrawParams* P, TRect& R) {
  R = TRect{};
  if (!P->Canvas) return;
  RECT r{0, 0, 0, 0};
  DrawTextW(P->Canvas->DCHandle(), P->Caption.c_str(), int(P->Caption.size()), &r, DT_SINGLELINE | DT_CALCRECT);
  R = r;
}

void TdxBarPainter::TextOffset(TdxBarItemControlDrawParams* P, int& Width) {
  TdxBarItemControl* control = ControlOf(P);
  auto* b = ButtonParams(P);
  if (b && b->IsButton) {
    if (P->HasDropDown && P->PaintType != 1) Width += EditCaptionMargins().right + b->ArrowSize.cx;
    return;
  }
  if (P->HasDropDown && control && control->BarControl()) Width += control->BarControl()->TextSize() / 2;
}

TRect TdxBarPainter::CalcSplitPartRect(const TRect& R, const TRect& EditRect, bool ButtonShown, int PaintType) {
  const TRect m = EditButtonPartMargins();
  const int column = SplitPartWidth(PaintType, R) + m.left + m.right;
  if (!ButtonShown || column * 2 >= EditRect.Width()) return TRect{R.right, R.top, R.right, R.bottom};
  return TRect{R.right - column + m.left, R.top + m.top, R.right - m.right, R.bottom - m.bottom};
}

int TdxBarPainter::SplitPartWidth(int, const TRect& R) {
  const TRect m = EditButtonPartMargins();
  return (R.Height() - 4) / 7 * 7 - m.left - m.right + 4;
}

void TdxBarPainter::DrawEllipsisDot(HDC DC, const TRect& R, bool Enabled, bool Selected) {
  if (Enabled)
    FillSys(DC, R, Selected && ButtonFaceIsWhite() ? COLOR_BTNFACE : COLOR_BTNTEXT);
  else
    DrawDisabledShadow(DC, R);
}

void TdxBarPainter::DrawEllipsis(HDC DC, const TRect& R, bool Enabled, bool Selected, bool Pressed) {
  const int a = std::max<int>(1, R.Width() / 7);
  TRect area = R;
  PressedGlyphOffset(area, Pressed);
  const int left = area.left + (area.Width() - 5 * a) / 2;
  const int bottom = area.bottom - ArrowScale(a);
  for (int i = 0; i < 3; ++i) {
    const int x = left + i * 2 * a;
    DrawEllipsisDot(DC, TRect{x, bottom - a, x + a, bottom}, Enabled, Selected);
  }
}

void TdxBarPainter::DrawSubItemArrow(HDC DC, const TRect& R, int Size, bool Enabled, bool Selected, TColor Color) {
  const TColor color = IsFlat() || Enabled ? Color : clDefault;
  PaintItemArrow(DC, R, true, Size, Selected, Enabled, IsFlat(), color);
}

TRect TdxBarPainter::EditContentRect(const TRect& R) {
  const TRect b = EditBorderRect(), m = EditTextMargins();
  return TRect{R.left + b.left, R.top + b.top + m.top, R.right - b.right, R.bottom - b.bottom - m.bottom};
}

void TdxBarPainter::DrawSpinArrow(HDC DC, const TRect& R, bool Up, bool Enabled, bool) {
  auto triangle = [&](int dx, int dy, int sys) {
    const int w = R.Width(), h = R.Height();
    POINT p[3];
    if (Up) {
      p[0] = {R.left + dx, R.bottom - 1 + dy};
      p[1] = {R.left + w - 1 + dx, R.bottom - 1 + dy};
      p[2] = {R.left + (w - 1) / 2 + dx, R.bottom - h + dy};
    } else {
      p[0] = {R.left + dx, R.top + dy};
      p[1] = {R.left + w - 1 + dx, R.top + dy};
      p[2] = {R.left + (w - 1) / 2 + dx, R.top + h - 1 + dy};
    }
    FillPolygonSolid(DC, p, 3, SystemColor(sys));
  };
  if (R.IsEmpty()) return;
  if (Enabled) {
    triangle(0, 0, COLOR_BTNTEXT);
  } else {
    triangle(1, 1, COLOR_BTNHIGHLIGHT);
    triangle(0, 0, COLOR_BTNSHADOW);
  }
}

void TdxBarPainter::DrawCalendarButtonText(HDC DC, const TRect& R, const String& Text, bool Pressed, int Offset) {
  const COLORREF oldText = SetTextColor(DC, GetSysColor(COLOR_BTNTEXT));
  const COLORREF oldBack = SetBkColor(DC, GetSysColor(COLOR_BTNFACE));
  const int oldMode = SetBkMode(DC, Pressed ? OPAQUE : TRANSPARENT);
  RECT r = Moved(R, Offset, Offset);
  DrawTextW(DC, Text.c_str(), int(Text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SetBkMode(DC, oldMode);
  SetTextColor(DC, oldText);
  SetBkColor(DC, oldBack);
}

void TdxBarPainter::AdjustButtonPartBounds(TdxBarItemControlDrawParams* P, std::vector<TRect>& Parts, const TRect& R,
                                           int LastIndex) {
  if (LastIndex < 1 || Parts.size() < 2) return;
  auto* b = ButtonParams(P);
  const int arrow = b ? b->ArrowSize.cx : 0;
  Parts[0] = TRect{R.left, R.top, R.right - arrow, R.bottom};
  Parts[1] = TRect{R.right - arrow, R.top, R.right, R.bottom};
}

void TdxBarPainter::CalcEditPartBounds(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts) {
  Parts.assign(5, TRect{});
  TRect r = In.Bounds;
  int x = r.left;
  if (In.ShowsCaption && !In.InMenu) {
    const TRect m = EditCaptionMargins();
    const int w = In.CaptionTextWidth + m.left + m.right;
    Parts[0] = TRect{x, r.top, x + w, r.bottom};
    x += w;
  } else if (In.ShowsCaption) {
    Parts[0] = TRect{x, r.top, x + In.CaptionTextWidth, r.bottom};
    x += In.CaptionTextWidth;
  }
  if (In.IconAreaWidth > 0) {
    Parts[1] = TRect{x, r.top, x + In.IconAreaWidth, r.bottom};
    x += In.IconAreaWidth;
  }
  const TRect b = EditBorderRect();
  Parts[2] = TRect{x + b.left, r.top + b.top, r.right - b.right, r.bottom - b.bottom};
  if (Parts[2].right < Parts[2].left) Parts[2].right = Parts[2].left;
}

void TdxBarPainter::CalcComboPartBounds(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts) {
  CalcEditPartBounds(In, Parts);
  TRect& edit = Parts[2];
  const int w = std::min<int>(In.ComboButtonWidth, edit.Width());
  Parts[3] = TRect{edit.right - w, edit.top, edit.right, edit.bottom};
  edit.right -= w;
}

void TdxBarPainter::CalcColorComboPartBounds(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts) {
  CalcComboPartBounds(In, Parts);
  const TRect outer{Parts[2].left, In.Bounds.top, Parts[3].right, In.Bounds.bottom};
  const TRect button = CalcSplitPartRect(outer, Parts[2], In.ButtonShown, In.PaintType);
  Parts.push_back(button);
  if (HasEditButtonPart(button)) {
    const TRect m = EditButtonPartMargins();
    int end = button.left - m.left;
    if (!UsesEditButtonFrame()) end -= EditBorderRect().right;
    const int shift = Parts[3].right - end;
    Parts[3].left -= shift;
    Parts[3].right -= shift;
    Parts[2].right = std::max<int>(Parts[2].left, Parts[3].left);
  }
}

void TdxBarPainter::CalcSpinEditPartBounds(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts) {
  CalcEditPartBounds(In, Parts);
  const TRect editArea = Parts[2];
  const TRect outer{editArea.left, In.Bounds.top, In.Bounds.right, In.Bounds.bottom};
  Parts[3] = SpinButtonRect(outer, editArea, 3);
  Parts[4] = SpinButtonRect(outer, editArea, 4);
  if (!Parts[3].IsEmpty()) {
    const TRect m = SpinButtonsMargins();
    Parts[2].right = std::max<int>(Parts[2].left, Parts[3].left - m.left - EditBorderRect().right);
  }
}

void TdxBarPainter::ItemTextColors(TdxBarItemControl* Control, bool Enabled, bool Selected, bool Flat, TColor& Text,
                                   TColor& Shadow) {
  if (!Enabled) {
    DisabledTextColors(Selected, Flat, Text, Shadow);
    return;
  }
  Text = Shadow = ItemTextColorFor(Control, Selected, Flat);
}

int TdxBarPainter::HalfFontHeight(TFont* BarFont) {
  if (!BarFont) return 0;
  return std::abs(BarFont->Height()) / 2;
}

TRect TdxBarPainter::CalcGlyphPosition(const TRect& G, const TSize& Size, TdxBarGlyphLayout Layout, bool ShowsText,
                                       int PaintType) {
  int x = G.left + (G.Width() - Size.cx) / 2, y = G.top + (G.Height() - Size.cy) / 2;
  if (ShowsText && PaintType == 0) {
    switch (Layout) {
      case glLeft: x = G.left + 4; break;
      case glRight: x = G.right - Size.cx - 4; break;
      case glTop: y = G.top + 2; break;
      case glBottom: y = G.bottom - Size.cy - 2; break;
    }
  } else if (ShowsText && PaintType == 2) {
    switch (Layout) {
      case glLeft: y = G.top + 4; break;
      case glRight: y = G.bottom - Size.cy - 4; break;
      case glTop: x = G.right - Size.cx - 2; break;
      case glBottom: x = G.left + 2; break;
    }
  }
  return TRect{x, y, x + Size.cx, y + Size.cy};
}

void TdxBarPainter::FillItemBackground(TdxBarItemControl* Control, HDC DC, bool Fill, HBRUSH Brush, const TRect& R) {
  if (R.IsEmpty()) return;
  if (Fill || !Control || !Control->BarControl()) {
    FillBrush(DC, R, Brush);
    return;
  }
  TCustomdxBarControl* bar = Control->BarControl();
  if (auto* toolbar = dynamic_cast<TdxBarControl*>(bar)) {
    DrawBarBackground(toolbar, DC, TPoint{0, 0}, Brush, R);
    return;
  }
  if (bar->BarKind() == 2) {
    const bool previous = Control->NonRecent;
    FillMenuBackground(bar, DC, Brush, R, previous);
    return;
  }
  FillBrush(DC, R, Brush);
}

void TdxBarPainter::FrameItemBackground(TdxBarItemControl* Control, HDC DC, bool Fill, HBRUSH Brush, const TRect& R) {
  if (Fill) {
    FrameBrush(DC, R, Brush);
    return;
  }
  TSavedDC saved(DC);
  const TRect inner = Deflated(R, 1, 1);
  ExcludeClipRect(DC, inner.left, inner.top, inner.right, inner.bottom);
  FillItemBackground(Control, DC, false, Brush, R);
}

void TdxBarPainter::DrawDisabledShadow(HDC DC, const TRect& R) { FillSys(DC, R, COLOR_BTNSHADOW); }

void TdxBarPainter::DrawItemGlyphAt(TdxBarItemControlDrawParams* P, const TRect& GlyphArea,
                                    const TdxBarPaintStates& S) {
  TdxBarItemControl* control = ControlOf(P);
  HDC dc = DCOf(P);
  if (!control || !dc) return;
  int index = -1;
  TCustomImageList* images = nullptr;
  TBitmap* glyph = nullptr;
  const bool hasImage = control->GetImageInfo(P->ViewSize, P->ContentParts, index, images, glyph);
  TSize size{16, 16};
  if (glyph && !glyph->Empty())
    size = TSize{glyph->Width(), glyph->Height()};
  else if (images)
    size = TSize{images->Width(), images->Height()};
  else if (TdxBarManager* manager = control->LinkedBarManager())
    size = TSize{manager->GlyphSize(), manager->GlyphSize()};
  if (P->PaintType != 1 && control->UsesLargeIcons() && P->ViewSize != bvsLarge) {
    // Large icons: the manager's large list when it is used for them; else the item's own large
    // glyph when large images are wanted; else the small image doubled.
    TdxBarManager* manager = control->LinkedBarManager();
    TdxBarItem* item = control->LinkedItem();
    TBitmap* large = item ? item->LargeGlyph() : nullptr;
    const bool wantsLarge = manager && manager->UseLargeImagesForLargeIcons();
    if (wantsLarge && manager->LargeImages()) {
      size = TSize{manager->LargeImages()->Width(), manager->LargeImages()->Height()};
    } else if (wantsLarge && large && !large->Empty()) {
      size = TSize{large->Width(), large->Height()};
    } else {
      const TSize small = control->GlyphSize(bvsSmall);
      size = TSize{small.cx * 2, small.cy * 2};
    }
  }
  if (P->PaintType == 1) {
    // StretchGlyphs scales menu glyphs with the menu's font; an odd space left on both sides
    // takes one pixel off, so that the glyph sits exactly in the middle.
    TdxBarManager* manager = control->LinkedBarManager();
    TCustomdxBarControl* menu = control->BarControl();
    if (manager && manager->StretchGlyphs() && menu) {
      size = TSize{int(std::lround(size.cx * menu->Ratio())), int(std::lround(size.cy * menu->Ratio()))};
      if ((GlyphArea.Width() - size.cx) % 2 != 0 && (GlyphArea.Height() - size.cy) % 2 != 0)
        size = TSize{size.cx - 1, size.cy - 1};
    }
  }
  TRect g = GlyphArea;
  if (P->ViewSize == bvsLarge && P->PaintType != 1) {
    TdxBarItem* item = control->LinkedItem();
    g = CalcGlyphPosition(GlyphArea, size, item ? item->GlyphLayout() : glTop, P->ContentParts.Contains(cpText),
                          P->PaintType);
  } else {
    g = TRect{GlyphArea.left + (GlyphArea.Width() - size.cx) / 2, GlyphArea.top + (GlyphArea.Height() - size.cy) / 2,
              0, 0};
    g.right = g.left + size.cx;
    g.bottom = g.top + size.cy;
    int shift = 0;
    if (S.Checked) shift += CheckedGlyphShift();
    if (S.Pressed) shift += PressedGlyphShift(S.Checked);
    g = Moved(g, shift, shift);
  }
  if (control->ViewInfo()) control->ViewInfo()->ImageBounds = g;
  DrawItemGlyph(P, dc, S, GlyphArea, size, hasImage);
}

void TdxBarPainter::DrawItemGlyph(TdxBarItemControlDrawParams* P, HDC DC, const TdxBarPaintStates& S, const TRect& G,
                                  const TSize& ImageSize, bool HasImage) {
  TdxBarItemControl* control = ControlOf(P);
  TdxBarManager* manager = control ? control->LinkedBarManager() : nullptr;
  const int reference = HasImage ? ImageSize.cx : (manager ? manager->GlyphSize() : ImageSize.cx);
  const int referenceH = HasImage ? ImageSize.cy : reference;
  const bool border = G.Width() >= reference + 2 && G.Height() >= referenceH + 2;
  HBRUSH brush = ItemBackgroundBrush(control, P->PaintType, S);
  if (NativeBackground()) PaintGlyphFrame(P, DC, G, border, brush, !HasImage);
  const TRect inside = border ? Deflated(G, 1, 1) : G;
  const bool showsBar = ItemShowsBarBackground(control, S.RarelyUsed);
  if (!NativeBackground() && (!HasImage || showsBar))
    FillItemBackground(control, DC, FillsGlyphBackground(control, HasImage, S), brush, inside);
  if (!HasImage) {
    DrawMenuCheckMark(P, DC, inside, S.Checked && P->PaintType == 1, false);
  } else if (control) {
    int index = -1;
    TCustomImageList* images = nullptr;
    TBitmap* glyph = nullptr;
    control->GetImageInfo(P->ViewSize, P->ContentParts, index, images, glyph);
    const TRect dest{G.left + (G.Width() - ImageSize.cx) / 2, G.top + (G.Height() - ImageSize.cy) / 2, 0, 0};
    const TRect glyphRect{dest.left, dest.top, dest.left + ImageSize.cx, dest.top + ImageSize.cy};
    DrawGlyphWithCache(control, DC, showsBar ? nullptr : brush, inside, glyphRect, glyph, images, index, clNone,
                       S.Enabled, control->DrawsGlyphInGrayScale(), S.Pressed, S.Checked,
                       MakesDisabledImagesFaded(manager), PainterOptionK(), IsFlatForArrows(), false, false, true);
  }
  if (!NativeBackground()) PaintGlyphFrame(P, DC, G, border, brush, !HasImage);
}

void TdxBarPainter::DrawItemText(TdxBarItemControl* Control, HDC DC, const String& Text, TRect R, int Alignment,
                                 bool Enabled, bool Selected, bool Vertical, bool Clip, UINT Flags) {
  TColor text = clDefault, shadow = clDefault;
  ItemTextColors(Control, Enabled, Selected, UsesFlatColors(), text, shadow);
  const int oldMode = SetBkMode(DC, TRANSPARENT);
  const COLORREF oldColor = GetTextColor(DC);
  std::optional<TSavedDC> clipped;
  UINT flags = Flags;
  String shown = Text;
  TRect place = R;
  // The accelerator mark of turned text: a line beside the text (empty when there is none).
  TRect accelerator{};
  if (!Vertical) {
    flags |= UINT(Alignment == 1 ? DT_CENTER : Alignment == 2 ? DT_RIGHT : DT_LEFT) | DT_VCENTER;
    if (!Clip) flags |= DT_NOCLIP;
  } else {
    // The DC holds the bar's turned font: the text runs down from the rectangle's top-left point
    // and its thickness lies to the left of it, so it is placed by hand and never clipped by DrawText.
    flags |= DT_NOCLIP;
    if (Clip) {
      clipped.emplace(DC);
      IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
    }
    const int index = AcceleratorCharIndex(shown, true);
    // Removed prefix characters must not be read again ("&&" left a single "&").
    if (shown.size() != Text.size()) flags |= DT_NOPREFIX;
    SIZE extent{};
    GetTextExtentPoint32W(DC, shown.c_str(), int(shown.size()), &extent);
    const int length = extent.cx, thickness = extent.cy;
    const int offset = Alignment == 1 ? (R.Height() - length) / 2 : Alignment == 2 ? R.Height() - length : 0;
    place = Moved(R, (R.Width() + thickness) / 2, offset);
    if (index > 0 && index <= int(shown.size())) {
      SIZE before{}, character{};
      GetTextExtentPoint32W(DC, shown.c_str(), index - 1, &before);
      GetTextExtentPoint32W(DC, shown.c_str() + index - 1, 1, &character);
      TEXTMETRICW metrics{};
      GetTextMetricsW(DC, &metrics);
      const int x = (R.left + R.right - thickness) / 2 + metrics.tmDescent - 2;
      const int y = R.top + offset + before.cx;
      accelerator = TRect{x, y, x + 1, y + character.cx};
    }
  }
  auto draw = [&](int Shift, TColor Color) {
    SetTextColor(DC, ColorToRGB(Color));
    RECT rr = Moved(place, Shift, Shift);
    DrawTextW(DC, shown.c_str(), int(shown.size()), &rr, flags);
    if (!accelerator.IsEmpty()) {
      TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color)));
      RECT line = Moved(accelerator, Shift, Shift);
      FillRect(DC, &line, brush);
    }
  };
  if (text != shadow) draw(1, shadow);
  draw(0, text);
  clipped.reset();
  SetTextColor(DC, oldColor);
  SetBkMode(DC, oldMode);
}

void TdxBarPainter::DrawSunkenFrame(HDC DC, TRect& R) {
  Edge(DC, R, BDR_SUNKENOUTER, BF_RECT);
  R = Deflated(R, 1, 1);
}

HBRUSH TdxBarPainter::ItemBackgroundBrush(TdxBarItemControl* Control, int, const TdxBarPaintStates&) {
  if (Control && Control->HasOwnBrush()) return Control->OwnBrush();
  return Control && Control->BarControl() ? Control->BarControl()->BackgroundBrush() : GetSysColorBrush(COLOR_BTNFACE);
}

bool TdxBarPainter::FillsGlyphBackground(TdxBarItemControl* Control, bool HasImage, const TdxBarPaintStates& S) {
  if (!HasImage) return S.RarelyUsed || S.Checked || S.Pressed || S.Selected;
  return S.RarelyUsed || (Control && Control->HasOwnBrush());
}

bool TdxBarPainter::ItemShowsBarBackground(TdxBarItemControl* Control, bool RarelyUsed) {
  if (NativeBackground()) return true;
  if (RarelyUsed) return false;
  TdxBarControl* toolbar = Control ? dynamic_cast<TdxBarControl*>(Control->BarControl()) : nullptr;
  TdxBar* bar = toolbar ? toolbar->Bar() : nullptr;
  if (!bar) return false;
  return bar->Color() != clDefault || (bar->BackgroundBitmap() && !bar->BackgroundBitmap()->Empty());
}

int TdxBarPainter::ButtonGlyphSizeForManager(TdxBarManager* Manager) {
  const int glyph = Manager ? Manager->GlyphSize() : 16;
  int size = (1 + (Manager && Manager->LargeIcons() ? 1 : 0)) * glyph;
  if (size % 2 == 0) ++size;
  return size;
}

HBRUSH TdxBarPainter::DownedBrush(TCustomdxBarControl*) { return CheckerBrush(); }

int TdxBarPainter::EditHeightFor(TCustomdxBarControl*, int ZeroHeight) {
  const TRect b = EditBorderRect(), m = EditTextMargins();
  return b.top + b.bottom + m.top + m.bottom + ZeroHeight;
}

TRect TdxBarPainter::ColorBoxRect(const TRect& R) { return TRect{R.left, R.top, R.left + R.Height(), R.bottom}; }

HBRUSH TdxBarPainter::ItemBrushFor(TdxBarItemControl* Control, const TdxBarPaintStates& S) {
  return ItemBackgroundBrush(Control, 0, S);
}

bool TdxBarPainter::ButtonPartFillsBackground(const TdxBarPaintStates& S) {
  if (S.RarelyUsed) return true;
  return IsFlat() && (S.Selected || S.DroppedDown);
}

bool TdxBarPainter::ShowsPressedButton(const TdxBarPaintStates& S, bool InMenu) {
  if (IsFlat()) return (S.Selected && ButtonFaceIsWhite() && (InMenu || !S.DroppedDown)) || (S.DroppedDown && InMenu);
  return UsesSelectedOffset() && S.DroppedDown;
}

void TdxBarPainter::PressedTextOffset(TRect& R, bool State1, bool State2) {
  if (IsFlat()) return;
  if (State1 || State2) R = Moved(R, 1, 1);
  if (State1 && State2 && !UsesSelectedOffset()) R = Moved(R, 1, 1);
}

void TdxBarPainter::PressedGlyphOffset(TRect& R, bool Pressed) {
  if (Pressed && !IsFlat()) R = Moved(R, 1, 1);
}

void TdxBarPainter::DrawButtonControl(TdxBarItemControlDrawParams* P, const TRect& Bounds) {
  HDC dc = DCOf(P);
  if (!dc) return;
  TdxBarItemControl* control = ControlOf(P);
  auto* b = ButtonParams(P);
  const TdxBarPaintStates s = StatesOf(P);
  TRect r = Bounds;
  if (b && b->Lowered) DrawSunkenFrame(dc, r);
  if (P->PaintType == 1) {
    TCustomdxBarControl* menu = control ? control->BarControl() : nullptr;
    DrawMenuItemBackground(menu, P, r);
    const int icon = menu ? MenuIconAreaWidth(menu) : r.Height();
    DrawItemGlyphAt(P, MenuItemIconRect(r, icon), s);
    TRect text = MenuItemTextRect(menu, r);
    DrawItemText(control, dc, P->Caption, text, DT_LEFT, P->Enabled, P->Selected, false, false, DT_SINGLELINE);
    if (!P->ShortCutText.empty()) {
      text.right -= menu ? MenuArrowWidth(menu->TextSize()) : 0;
      DrawItemText(control, dc, P->ShortCutText, text, DT_RIGHT, P->Enabled, P->Selected, false, false,
                   DT_SINGLELINE);
    }
    if (P->HasDropDown && !(b && b->IsButton)) DrawSubItemArrowPart(P, r);
    return;
  }
  TRect r2 = r;
  const bool split = HasSplitPart(P);
  if (split && b) r2.right -= b->ArrowSize.cx;
  if (P->ViewSize == bvsLarge) {
    r2 = Deflated(r2, 1, 1);
    PressedTextOffset(r2, s.Checked, s.Pressed);
  }
  DrawButtonPart(P, r2, ItemBrushFor(control, s));
  // The glyph area along the bar: the draw parameters' cell at the leading edge.
  TRect glyphArea = r2;
  const TSize cell = P->GlyphCellSize;
  if (P->ViewSize != bvsLarge) {
    if (P->PaintType == 2)
      glyphArea.bottom = glyphArea.top + (cell.cy > 0 ? cell.cy : r2.Width());
    else
      glyphArea.right = glyphArea.left + (cell.cx > 0 ? cell.cx : r2.Height());
  }
  if (IsFlat() && s.DroppedDown) glyphArea = r;
  if (P->ContentParts.Contains(cpIcon)) DrawItemGlyphAt(P, glyphArea, s);
  if (P->ContentParts.Contains(cpText)) {
    TRect text = r2;
    int alignment = DT_LEFT;
    TdxBarItem* item = control ? control->LinkedItem() : nullptr;
    CalcButtonTextRect(P, text, alignment, glyphArea, item ? item->GlyphLayout() : glTop,
                       TSize{glyphArea.Width(), glyphArea.Height()});
    DrawItemText(control, dc, P->Caption, text, alignment, P->Enabled, P->Selected && !IsFlat(), P->PaintType == 2,
                 false, DT_SINGLELINE);
  }
  if (P->HasDropDown) {
    if (split)
      DrawSplitButtonArrow(P, r);
    else
      DrawSubItemArrowPart(P, r);
  }
}

void TdxBarPainter::DrawButtonCaptionOnly(TdxBarItemControlDrawParams* P, const TRect& R) {
  if (!P->ContentParts.Contains(cpText)) return;
  TRect text = R;
  int alignment = DT_LEFT;
  TdxBarItemControl* control = ControlOf(P);
  TdxBarItem* item = control ? control->LinkedItem() : nullptr;
  CalcButtonTextRect(P, text, alignment, TRect{R.left, R.top, R.left, R.bottom}, item ? item->GlyphLayout() : glTop,
                     TSize{});
  DrawPartText(P, DCOf(P), text, alignment);
}

void TdxBarPainter::DrawButtonArrow(TdxBarItemControlDrawParams* P, const TRect& R) {
  HDC dc = DCOf(P);
  auto* b = ButtonParams(P);
  TRect r = R;
  if (P->DroppedDown && !UsesSelectedOffset() && (r.Width() > 9 || P->PaintType == 1)) r = Moved(r, 1, 1);
  const TdxBarPaintStates s = StatesOf(P);
  const bool enabled = P->Enabled && (!b || b->DropDownEnabled || !b->IsButton);
  const TColor color = ItemControlTextColor(P);
  if (P->PaintType == 1)
    DrawArrowWithSize(dc, r, color, false, b ? b->ArrowSize.cy : 4, enabled, ShowsPressedButton(s, true),
                      UsesSelectedOffset());
  else
    DrawCenteredArrow(dc, r, color, true, enabled, ShowsPressedButton(s, false), UsesSelectedOffset());
}

void TdxBarPainter::DrawButtonPart(TdxBarItemControlDrawParams* P, const TRect& R, HBRUSH Brush) {
  HDC dc = DCOf(P);
  TRect r = R;
  const TdxBarPaintStates s = StatesOf(P);
  if (IsFlat() && P->PaintType != 1) {
    r.left -= 1;
    if (s.DroppedDown) return;
  }
  FillItemBackground(ControlOf(P), dc, ButtonPartFillsBackground(s), Brush, r);
}

void TdxBarPainter::DrawSplitButtonArrow(TdxBarItemControlDrawParams* P, const TRect& R) {
  auto* b = ButtonParams(P);
  const int w = b ? b->ArrowSize.cx : 0;
  const TRect part{R.right - w, R.top, R.right, R.bottom};
  const TdxBarPaintStates s = StatesOf(P);
  DrawButtonPart(P, part, ArrowBrushFor(ControlOf(P), s, P->PaintType));
  DrawButtonArrow(P, part);
}

void TdxBarPainter::DrawSubItemArrowPart(TdxBarItemControlDrawParams* P, const TRect& R) {
  HDC dc = DCOf(P);
  TdxBarItemControl* control = ControlOf(P);
  TCustomdxBarControl* bar = control ? control->BarControl() : nullptr;
  auto* b = ButtonParams(P);
  TRect r = R;
  if (P->PaintType != 1) PressedTextOffset(r, false, P->DroppedDown);
  int size = b ? b->ArrowSize.cy : 4;
  if (P->PaintType != 1) size -= 1;
  size = std::max(size, 1);
  const int textSize = bar ? bar->TextSize() : r.Height();
  TRect arrow;
  bool down = false;
  bool selected = false;
  if (P->PaintType == 1) {
    const int left = r.right + size - textSize;
    arrow = TRect{left, r.top, left + size, r.bottom};
    selected = P->Selected && !ShowsFlatArrows();
  } else {
    // The font's height counted as negative (a font sized in pixels has a positive height).
    TFont* font = bar ? bar->ItemFont() : nullptr;
    const int h = font ? -std::abs(font->Height()) : 0;
    if (P->PaintType == 0) {
      const int left = r.right + h / 2 - textSize / 2;
      arrow = TRect{left, r.top, left + size * 2 - 1, r.bottom};
      down = true;
    } else {
      const int top = r.bottom + h / 2 - textSize / 2;
      arrow = TRect{r.left, top, r.right, top + size * 2 - 1};
    }
    selected = b && b->SplitEdgeHot;
  }
  DrawArrowWithSize(dc, arrow, ItemControlTextColor(P), down, size, P->Enabled, selected, IsFlat());
}

void TdxBarPainter::DrawComboDropDownButton(TdxBarItemControl* Control, HDC DC, const TRect& R,
                                            const TdxBarPaintStates& S, int PaintType) {
  TRect r = R;
  DrawComboButton(Control, DC, r, ArrowBrushFor(Control, S, PaintType), S, PaintType);
  const int size = r.Width() / 4 + (r.Width() % 4 != 0 ? 1 : 0);
  DrawSubItemArrow(DC, r, size, S.Enabled, S.Selected, StandardTextColor(Control, S));
}

void TdxBarPainter::DrawListEntry(HDC DC, const TRect& R, HBRUSH Brush, const String& Text) {
  FillBrush(DC, R, Brush);
  const int oldMode = SetBkMode(DC, TRANSPARENT);
  RECT r = R;
  DrawTextW(DC, Text.c_str(), int(Text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SetBkMode(DC, oldMode);
}

TColor TdxBarPainter::DisabledEditBackColor(TCustomdxBarControl* BarControl) {
  LOGBRUSH lb{};
  HBRUSH brush = BarControl ? BarControl->BackgroundBrush() : GetSysColorBrush(COLOR_BTNFACE);
  ::GetObjectW(brush, sizeof(lb), &lb);
  return TColor(lb.lbColor);
}

TColor TdxBarPainter::EditBackgroundColor(TdxBarItemControl* Control, bool Enabled) {
  if (!Enabled) return DisabledEditBackColor(Control ? Control->BarControl() : nullptr);
  return EditBackColor();
}

TColor TdxBarPainter::EditPartTextColor(TdxBarItemControl*, bool Enabled) {
  return Enabled ? EditTextColor() : DisabledEditTextColor();
}

void TdxBarPainter::EditColors(TdxBarItemControl* EditControl, TColor& TextColor, TColor& BackgroundColor) {
  const bool enabled = !EditControl || EditControl->IsEnabledConst();
  TextColor = EditPartTextColor(EditControl, enabled);
  BackgroundColor = EditBackgroundColor(EditControl, enabled);
}

void TdxBarPainter::DrawComboListEntry(HDC DC, const TRect& R, const String& Text, int Offset) {
  RECT r = R;
  FillRect(DC, &r, HBRUSH(GetCurrentObject(DC, OBJ_BRUSH)));
  TEXTMETRICW tm{};
  GetTextMetricsW(DC, &tm);
  TextOutW(DC, R.left + 2, R.top + (R.Height() - tm.tmHeight) / 2 + Offset, Text.c_str(), int(Text.size()));
}

void TdxBarPainter::DrawEditControl(TdxBarItemControlDrawParams* P, const TRect& R, const std::vector<TRect>& Parts) {
  HDC dc = DCOf(P);
  if (!dc) return;
  DrawEditFrameArea(P, dc, Parts);
  if (P->PaintType == 1 && P->Selected) DrawSelectedMenuEdit(P, dc, R);
  EditBeforePaint(P, R);
  if (P->ContentParts.Contains(cpIcon) && Parts.size() > 1) DrawEditGlyph(P, dc, Parts[1]);
  if (P->ContentParts.Contains(cpText) && !Parts.empty()) DrawEditCaption(P, dc, Parts[0]);
  EditAfterPaint(P, R);
}

void TdxBarPainter::DrawEditFrameArea(TdxBarItemControlDrawParams* P, HDC DC, const std::vector<TRect>& Parts) {
  if (Parts.size() < 2) return;
  TdxBarItemControl* control = ControlOf(P);
  const bool caption = P->ContentParts.Contains(cpText);
  if (caption || (P->PaintType == 1 && HasMenuBand() && !P->ContentParts.Contains(cpIcon))) {
    TRect part = Parts[0];
    const int gap = EditCaptionRightMargin();
    TRect strip{part.right - gap, part.top, part.right, part.bottom};
    part.right -= gap;
    HBRUSH bar = control && control->BarControl() ? control->BarControl()->BackgroundBrush() : nullptr;
    FillItemBackground(control, DC, EditCaptionFillsBackground(P), bar, part);
    FillItemBackground(control, DC, EditCaptionGapFillsBackground(P), EditBrushFor(control), strip);
  }
  if (P->ContentParts.Contains(cpIcon) && P->PaintType != 1) {
    HBRUSH bar = control && control->BarControl() ? control->BarControl()->BackgroundBrush() : nullptr;
    FillItemBackground(control, DC, EditCaptionFillsBackground(P), bar, Parts[1]);
  }
}

void TdxBarPainter::DrawEditBorder(TdxBarItemControlDrawParams* P, HDC DC, TRect& R) {
  TdxBarItemControl* control = ControlOf(P);
  const TdxBarPaintStates s = StatesOf(P);
  HBRUSH bar = control && control->BarControl() ? control->BarControl()->BackgroundBrush()
                                                : GetSysColorBrush(COLOR_BTNFACE);
  if (P->Selected)
    Edge(DC, R, BDR_SUNKENOUTER, BF_RECT);
  else
    FrameItemBackground(control, DC, s.RarelyUsed, bar, R);
  R = Deflated(R, 1, 1);
  HBRUSH inner = P->Enabled ? bar : GetSysColorBrush(COLOR_BTNHIGHLIGHT);
  FrameItemBackground(control, DC, s.RarelyUsed || P->Selected || !P->Enabled, inner, R);
  R = Deflated(R, 1, 1);
}

void TdxBarPainter::DrawEditCaption(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R) {
  TRect r = R;
  r.right -= EditCaptionRightMargin();
  r.left += CaptionPartWidth(true, P->PaintType == 1);
  DrawItemText(ControlOf(P), DC, P->Caption, r, DT_LEFT, P->Enabled, P->Selected && P->PaintType == 1, false, false,
               DT_SINGLELINE);
  ExcludeClipRect(DC, R.left, R.top, R.right, R.bottom);
}

void TdxBarPainter::DrawSelectedMenuEdit(TdxBarItemControlDrawParams*, HDC DC, const TRect& R) {
  DrawSelectionFrame(DC, R);
}

void TdxBarPainter::DrawEditGlyph(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R) {
  TRect r = R;
  if (P->PaintType != 1) {
    const TRect m = EditCaptionMargins();
    r.left += m.left;
    r.right -= m.right;
  }
  DrawItemGlyphAt(P, r, StatesOf(P));
  ExcludeClipRect(DC, R.left, R.top, R.right, R.bottom);
}

bool TdxBarPainter::EditCaptionFillsBackground(TdxBarItemControlDrawParams* P) {
  return P->PaintType == 1 && (P->Selected || StatesOf(P).RarelyUsed);
}

bool TdxBarPainter::EditCaptionGapFillsBackground(TdxBarItemControlDrawParams* P) {
  return P->PaintType == 1 && StatesOf(P).RarelyUsed;
}

void TdxBarPainter::DrawEditContent(TdxBarItemControlDrawParams* P, TcxCanvas* Canvas, const TRect& R) {
  TColor text = clDefault, back = clDefault;
  EditColors(ControlOf(P), text, back);
  Canvas->CurrentFont()->SetColor(text);
  Canvas->ApplyBrushColor(back);
  Canvas->ClipToRect(R);
}

void TdxBarPainter::DrawEditItemText(TcxCanvas* Canvas, const TRect& R, const String& Text) {
  HDC dc = Canvas->DCHandle();
  RECT r{R.left + 2, R.top, R.right, R.bottom};
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, Text.c_str(), int(Text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SetBkMode(dc, oldMode);
}

TRect TdxBarPainter::EditPartMargins(TdxBarItemControlDrawParams* P, int TextWidth, int PartWidth) {
  if (P->ContentParts.Contains(cpText))
    return TRect{CaptionPartWidth(true, P->PaintType == 1), 0, EditCaptionRightMargin(), 0};
  if (P->PaintType == 1) return MenuEditMargins(ControlOf(P));
  const int side = std::max(0, (PartWidth - TextWidth) / 2);
  return TRect{side, 0, side, 0};
}

int TdxBarPainter::CaptionPartWidth(bool HasCaption, bool InMenu) {
  if (!HasCaption) return EditTextIndent(nullptr);
  return InMenu ? MenuEditTextIndent(nullptr) : 0;
}

HBRUSH TdxBarPainter::EditBrushFor(TdxBarItemControl* Control) {
  return Control && Control->BarControl() ? Control->BarControl()->BackgroundBrush() : GetSysColorBrush(COLOR_BTNFACE);
}

void TdxBarPainter::SetEditRect(HWND Edit, const TRect& EditRect) {
  const TRect content = EditContentRect(TRect{0, 0, EditRect.Width(), EditRect.Height()});
  const TRect b = EditBorderRect();
  RECT r{content.left - b.left, content.top - b.top, content.right - b.left, content.bottom - b.top};
  SendMessageW(Edit, EM_SETRECTNP, 0, LPARAM(&r));
}

void TdxBarPainter::SelectAllEditText(HWND Edit, bool NotifyChange) {
  if (NotifyChange)
    SendMessageW(Edit, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Edit), EN_CHANGE), LPARAM(Edit));
  SendMessageW(Edit, EM_SETSEL, 0, -1);
}

int TdxBarPainter::EditButtonPartWidth(const TRect& ButtonPart) {
  if (!UsesEditButtonFrame() || !HasEditButtonPart(ButtonPart)) return 0;
  const TRect m = EditButtonPartMargins();
  return ButtonPart.Width() + m.left + m.right;
}

void TdxBarPainter::DrawColorComboButton(TdxBarItemControl* Control, HDC DC, const TRect& R,
                                         const TdxBarPaintStates& S) {
  DrawEditButtonFrame(Control, DC, R, S.Pressed, S.Selected, S.Enabled);
  DrawEllipsis(DC, R, S.Enabled, S.Selected, S.Pressed);
}

void TdxBarPainter::DrawColorComboFrame(TdxBarItemControl* Control, HDC DC, const TRect& R) {
  HBRUSH bar = Control && Control->BarControl() ? Control->BarControl()->BackgroundBrush() : nullptr;
  FrameItemBackground(Control, DC, false, bar, R);
  FrameItemBackground(Control, DC, false, bar, Moved(R, 0, 1));
}

void TdxBarPainter::DrawCalendarButton(TdxBarManager*, HDC DC, const TRect& R, const String& Text, bool Pressed) {
  if (Pressed) {
    RECT r = R;
    DrawFrameControl(DC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  } else {
    const TRect o = R, i = Deflated(R, 1, 1);
    LineSolid(DC, o.left, o.bottom - 1, o.right, o.bottom - 1, SystemColor(COLOR_BTNTEXT));
    LineSolid(DC, o.right - 1, o.top, o.right - 1, o.bottom, SystemColor(COLOR_BTNTEXT));
    LineSolid(DC, o.left, o.top, o.right - 1, o.top, SystemColor(COLOR_BTNFACE));
    LineSolid(DC, o.left, o.top, o.left, o.bottom - 1, SystemColor(COLOR_BTNFACE));
    LineSolid(DC, i.left, i.bottom - 1, i.right, i.bottom - 1, SystemColor(COLOR_BTNSHADOW));
    LineSolid(DC, i.right - 1, i.top, i.right - 1, i.bottom, SystemColor(COLOR_BTNSHADOW));
    LineSolid(DC, i.left, i.top, i.right - 1, i.top, SystemColor(COLOR_BTNHIGHLIGHT));
    LineSolid(DC, i.left, i.top, i.left, i.bottom - 1, SystemColor(COLOR_BTNHIGHLIGHT));
    SetPixel(DC, i.right - 1, i.top, GetSysColor(COLOR_BTNFACE));
  }
  DrawCalendarButtonText(DC, Deflated(R, 2, 2), Text, Pressed, Pressed ? 1 : 0);
}

TPoint TdxBarPainter::SpinArrowPosition(const TRect& Button, int Part, const TSize& ArrowSize) {
  const int x = Button.left + ArrowSize.cy;
  int y = (Button.top + Button.bottom - ArrowSize.cy) / 2;
  if (Part == 3) y += ArrowSize.cy - 1;
  return TPoint{x, y};
}

TSize TdxBarPainter::SpinArrowSize(int Height) {
  const int half = Height / 2;
  const int size = (half - 2) / 2;
  // Small heights leave no room for an arrow: never a negative size.
  return TSize{std::max(0, 2 * size - 1), std::max(0, size)};
}

TRect TdxBarPainter::SpinButtonRect(const TRect& R, const TRect& EditRect, int Part) {
  const TRect m = SpinButtonsMargins();
  const int column = SpinButtonWidthFor(R.Height()) + m.left + m.right;
  if (column * 2 >= EditRect.Width()) return TRect{R.right, R.top, R.right, R.bottom};
  TRect r{R.right - column + m.left, R.top + m.top, R.right - m.right, R.bottom - m.bottom};
  const int middle = (r.top + r.bottom) / 2;
  if (Part == 3)
    r.bottom = middle;
  else
    r.top = middle;
  return r;
}

int TdxBarPainter::SpinButtonWidthFor(int Height) {
  const TSize arrow = SpinArrowSize(Height);
  const TRect m = SpinButtonsMargins();
  return arrow.cy + 2 * arrow.cx - (m.left + m.right) + 4;
}

int TdxBarPainter::SpinButtonState(bool Enabled, int Part, int PressedPart, int HotPart) {
  if (!Enabled) return 4;
  if (Part == PressedPart) return 3;
  if (Part == HotPart) return 2;
  return 1;
}

void TdxBarPainter::DrawSpinButton(TdxBarItemControl* Control, HDC DC, const TRect& R, int Part, int State,
                                   const TSize& ArrowSize, bool Selected) {
  DrawEditButtonFrame(Control, DC, R, State == 3, State == 2 || Selected, State != 4);
  TPoint p = SpinArrowPosition(R, Part, ArrowSize);
  if (State == 3) {
    p.x += 1;
    p.y += 1;
  }
  const TRect arrow = Part == 3 ? TRect{p.x, p.y - ArrowSize.cy + 1, p.x + ArrowSize.cx, p.y + 1}
                                : TRect{p.x, p.y, p.x + ArrowSize.cx, p.y + ArrowSize.cy};
  DrawSpinArrow(DC, arrow, Part == 3, State != 4, Selected);
}

void TdxBarPainter::FillSpinButtonsBackground(TdxBarItemControl* Control, HDC DC, const TRect& R) {
  const TRect m = SpinButtonsMargins();
  FillItemBackground(Control, DC, false, nullptr, TRect{R.left - m.left, R.top - m.top, R.right + m.right,
                                                        R.bottom + m.bottom});
}

int ProgressFilledLength(int Length, int Min, int Max, int Position) {
  // Min = Max has nothing to fill (no division by zero).
  if (Max <= Min || Length <= 0) return 0;
  const int p = std::clamp(Position, Min, Max);
  return MulDiv(Length, p - Min, Max - Min);
}

void TdxBarPainter::DrawProgressBar(TdxBarItemControl* Control, HDC DC, const TRect& R, TColor Color, int Min,
                                    int Max, int Position, bool Smooth, bool Vertical) {
  TRect inner = R;
  DrawProgressFrame(Control, DC, inner);
  const int length = Vertical ? inner.Height() : inner.Width();
  const int thickness = Vertical ? inner.Width() : inner.Height();
  const int filled = ProgressFilledLength(length, Min, Max, Position);
  if (filled <= 0) return;
  TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color)));
  auto part = [&](int from, int to) {
    return Vertical ? TRect{inner.left, inner.top + from, inner.right, inner.top + to}
                    : TRect{inner.left + from, inner.top, inner.left + to, inner.bottom};
  };
  if (Smooth) {
    FillRectWithBrush(DC, part(0, filled), brush);
    return;
  }
  const int chunk = std::max(1, MulDiv(thickness, 2, 3));
  const int gap = 2 + ProgressChunkGap();
  for (int at = 0; at < filled; at += chunk + gap) FillProgressChunk(DC, part(at, std::min(at + chunk, filled)), brush);
}

void TdxBarPainter::DrawProgressFrame(TdxBarItemControl* Control, HDC DC, TRect& R) {
  FillItemBackground(Control, DC, false, nullptr, R);
  Edge(DC, R, BDR_SUNKENOUTER, BF_RECT);
  R = Deflated(R, 1, 1);
}

int TdxBarPainter::StaticTextSize(TCustomdxBarControl* SubMenu) { return SubMenu ? SubMenu->TextSize() : 0; }

int TdxBarPainter::StaticTextSize(TdxBarItemControlDrawParams* P) {
  TdxBarItemControl* control = ControlOf(P);
  return StaticTextSize(control ? control->BarControl() : nullptr);
}

void TdxBarPainter::DrawStaticArrow(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R, bool Expanded) {
  auto* b = ButtonParams(P);
  const int size = b ? b->ArrowSize.cy : 4;
  TRect arrow = R;
  arrow.left = arrow.right - R.Height();
  DrawArrowWithSize(DC, arrow, ItemControlTextColor(P), Expanded, size, P->Enabled, P->Selected, IsFlat());
}

void TdxBarPainter::DrawStaticBackgroundInMenu(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R) {
  TdxBarItemControl* control = ControlOf(P);
  TCustomdxBarControl* bar = control ? control->BarControl() : nullptr;
  FillBrush(DC, TRect{R.left, R.bottom - 1, R.right, R.bottom}, bar ? bar->BackgroundBrush() : nullptr);
  const TRect rest{R.left, R.top, R.right, R.bottom - 1};
  FillItemBackground(control, DC, true, P->Selected ? SelectedBrush(bar) : ShadowBrush(), rest);
  if (P->Selected) DrawSelectionFrame(DC, rest);
}

void TdxBarPainter::DrawInPlaceSubItem(TdxBarItemControlDrawParams* P, const TRect& R, bool Expanded) {
  HDC dc = DCOf(P);
  DrawStaticBackgroundInMenu(P, dc, R);
  TRect text = R;
  text.left += StaticTextIndent();
  DrawItemText(ControlOf(P), dc, P->Caption, text, DT_LEFT, P->Enabled, P->Selected, false, false, DT_SINGLELINE);
  if (P->Enabled) DrawStaticArrow(P, dc, R, Expanded);
}

void TdxBarPainter::DrawStaticBackground(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R) {
  TdxBarItemControl* control = ControlOf(P);
  FillItemBackground(control, DC, StaticFillsBackground(control),
                     control && control->HasOwnBrush() ? control->OwnBrush()
                                                       : ItemBackgroundBrush(control, P->PaintType, StatesOf(P)),
                     R);
}

void TdxBarPainter::DrawStaticBorder(TdxBarItemControlDrawParams*, HDC DC, TRect& R, TdxBarStaticBorderStyle Style) {
  switch (Style) {
    case sbsNone: return;
    case sbsLowered: Edge(DC, R, BDR_SUNKENOUTER, BF_RECT); break;
    case sbsRaised: Edge(DC, R, BDR_RAISEDINNER, BF_RECT); break;
    case sbsEtched: Edge(DC, R, EDGE_ETCHED, BF_RECT); break;
    case sbsBump:
      Edge(DC, R, BDR_RAISEDINNER, BF_RECT);
      R = Deflated(R, 1, 1);
      Edge(DC, R, BDR_SUNKENOUTER, BF_RECT);
      R = Deflated(R, 1, 1);
      return;
  }
  R = Deflated(R, StaticBorderRect(Style));
}

void TdxBarPainter::DrawStaticControl(TdxBarItemControlDrawParams* P, const TRect& R) {
  HDC dc = DCOf(P);
  if (!dc) return;
  DrawStaticBackground(P, dc, R);
  TRect text = R;
  if (P->ContentParts.Contains(cpIcon)) {
    TRect glyph = R;
    TdxBarItemControl* control = ControlOf(P);
    if (P->PaintType == 1) {
      glyph = MenuItemIconRect(R, control ? MenuIconAreaWidth(control->BarControl()) : R.Height());
    } else {
      glyph.right = glyph.left + (P->GlyphCellSize.cx > 0 ? P->GlyphCellSize.cx : R.Height());
    }
    DrawItemGlyphAt(P, glyph, StatesOf(P));
    text.left = glyph.right;
  }
  if (P->ContentParts.Contains(cpText)) {
    auto* statics = dynamic_cast<TdxBarStaticLikeControlDrawParams*>(P);
    const TAlignment alignment = statics ? statics->Alignment : taLeftJustify;
    // A centred caption without glyph uses the whole width; otherwise it keeps 2 pixels off the edge.
    if (alignment != taCenter || P->ContentParts.Contains(cpIcon)) text.left += 2;
    DrawItemText(ControlOf(P), dc, P->Caption, text, TextAlignmentCode(alignment), P->Enabled, false,
                 P->PaintType == 2, false, DT_SINGLELINE);
  }
}

int TdxBarPainter::TextAlignmentCode(TAlignment Alignment) {
  switch (Alignment) {
    case taCenter: return 1;
    case taRightJustify: return 2;
    default: return 0;
  }
}

void TdxBarPainter::DrawStaticFrame(TdxBarItemControlDrawParams* P, HDC DC, TRect& R, TdxBarStaticBorderStyle Style,
                                    int LeftIndent, int RightIndent) {
  TdxBarItemControl* control = ControlOf(P);
  HBRUSH bar = control && control->BarControl() ? control->BarControl()->BackgroundBrush() : nullptr;
  if (LeftIndent > 0) FillItemBackground(control, DC, false, bar, TRect{R.left, R.top, R.left + LeftIndent, R.bottom});
  if (RightIndent > 0)
    FillItemBackground(control, DC, false, bar, TRect{R.right - RightIndent, R.top, R.right, R.bottom});
  R.left += LeftIndent;
  R.right -= RightIndent;
  DrawStaticBorder(P, DC, R, Style);
}

bool TdxBarPainter::StaticFillsBackground(TdxBarItemControl* Control) { return Control && Control->HasOwnBrush(); }

TRect TdxBarPainter::StaticBorderRect(TdxBarStaticBorderStyle Style) {
  static const int widths[5] = {0, 1, 1, 2, 2};
  const int w = widths[std::clamp(int(Style), 0, 4)];
  return TRect{w, w, w, w};
}

void TdxBarPainter::DrawSeparatorControl(TdxBarItemControlDrawParams* P, const TRect& R) {
  HDC dc = DCOf(P);
  if (!dc) return;
  TdxBarItemControl* control = ControlOf(P);
  TCustomdxBarControl* bar = control ? control->BarControl() : nullptr;
  if (!P->Caption.empty()) {
    DrawSeparatorBackground(P, R);
    const int h = SeparatorLineHeight();
    DrawMenuSeparatorLine(dc, TRect{R.left, R.top, R.right, R.top + h});
    DrawMenuSeparatorLine(dc, TRect{R.left, R.bottom - h, R.right, R.bottom});
    return;
  }
  if (P->PaintType == 1) {
    DrawMenuSeparatorItem(bar, dc, R, control && control->NonRecent, false, MenuIconAreaSize(bar), 0);
    return;
  }
  if (auto* toolbar = dynamic_cast<TdxBarControl*>(bar)) DrawBarSeparator(toolbar, dc, R, !toolbar->IsVertical());
}

int TdxBarPainter::DropDownArrowWidth(TdxBarManager* Manager) {
  int width = Manager ? (Manager->LargeIcons() ? 2 * Manager->ButtonArrowWidth() : Manager->ButtonArrowWidth()) : 11;
  if (width % 2 == 0) ++width;
  return width;
}

void TdxBarPainter::DrawContainerMenuEntry(TdxBarItemControlDrawParams* P, const TRect& R) {
  const Byte saved = P->PaintType;
  P->PaintType = 1;
  DrawButtonControl(P, R);
  P->PaintType = saved;
}

void TdxBarPainter::DrawThemedStatusBackground(HDC DC, const TRect& R) {
  TdxTheme theme = ThemeHandleFor(totStatus);
  RECT r = R;
  if (theme && Bound().DrawThemeBackground)
    Bound().DrawThemeBackground.Get()(theme, DC, 0, 0, &r, nullptr);
  else
    FillSys(DC, R, COLOR_BTNFACE);
}

void TdxBarPainter::DrawThemedSizeGrip(HDC DC, const TRect& R) {
  TdxTheme theme = ThemeHandleFor(totStatus);
  RECT r = R;
  if (theme && Bound().DrawThemeBackground)
    Bound().DrawThemeBackground.Get()(theme, DC, 3, 0, &r, nullptr);
  else
    DrawTransparentSizeGrip(DC, R);
}

// ======== the table of painter classes ======================================================

TdxBarPainterClass BarPainterClassFor(int ResolvedStyle) {
  if (ResolvedStyle >= brsStandard && ResolvedStyle < brsSkinned) return g_painterClasses[ResolvedStyle];
  if (ResolvedStyle == brsSkinned && g_skinnedPainterClass) return g_skinnedPainterClass;
  return g_painterClasses[brsStandard];
}

void SetBarPainterClass(int ResolvedStyle, TdxBarPainterClass PainterClass) {
  if (ResolvedStyle >= brsStandard && ResolvedStyle < brsSkinned)
    g_painterClasses[ResolvedStyle] = PainterClass;
  else if (ResolvedStyle == brsSkinned)
    g_skinnedPainterClass = PainterClass;
}

int ResolvePainterStyle(TdxBarManagerStyle Style, TcxLookAndFeelKind Kind, bool NativeStyle, bool ThemesAvailable,
                        bool HasSkinPainter) {
  switch (Style) {
    case bmsXP: return ThemesAvailable ? brsXP : brsEnhanced;
    case bmsUseLookAndFeel:
      if (NativeStyle && ThemesAvailable) return brsXP;
      if (HasSkinPainter) return brsSkinned;
      switch (Kind) {
        case lfFlat: return brsEnhanced;
        case lfStandard: return brsStandard;
        case lfUltraFlat: return brsFlat;
        case lfOffice11: return brsOffice11;
      }
      return brsStandard;
    default: return int(Style);
  }
}

TdxBarManagerStyle EffectiveBarStyle(TdxBarManagerStyle Style, TcxLookAndFeelKind Kind, bool NativeStyle,
                                     bool ThemesAvailable) {
  if (Style != bmsUseLookAndFeel) return Style;
  if (NativeStyle && ThemesAvailable) return bmsXP;
  switch (Kind) {
    case lfFlat: return bmsEnhanced;
    case lfStandard: return bmsStandard;
    case lfUltraFlat: return bmsFlat;
    case lfOffice11: return bmsOffice11;
  }
  return bmsStandard;
}
