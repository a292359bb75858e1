#include "ui/bars/painters/BarPainters.h"

#include <algorithm>
#include <memory>

#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/Bars.h"
#include "ui/bars/DockControl.h"
#include "ui/bars/SubMenuControl.h"
#include "ui/bars/painters/PainterSupport.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Themes.h"

DEFINE_CLASS(TdxBarStandardPainter)
DEFINE_CLASS(TdxBarEnhancedPainter)
DEFINE_CLASS(TdxBarFlatPainter)
DEFINE_CLASS(TdxBarOffice11Painter)
DEFINE_CLASS(TdxBarXPPainter)

using namespace bar_painting;

namespace {

TdxBarManager* ManagerOf(TCustomdxBarControl* BarControl) {
  return BarControl ? BarControl->OwningBarManager() : nullptr;
}
bool ShowsHandle(TdxBarControl* BarControl) {
  TdxBar* bar = BarControl->Bar();
  return BarControl->IsDocked() && bar && bar->IsMovable();
}
bool HasBorder(TdxBarControl* BarControl) {
  TdxBar* bar = BarControl->Bar();
  return bar && bar->BorderStyle() == bbsSingle;
}
bool IsMainMenuBar(TdxBarControl* BarControl) {
  TdxBar* bar = BarControl->Bar();
  return bar && bar->IsMainMenu();
}
HBRUSH BarBrushOf(TdxBarItemControl* Control) {
  return Control && Control->BarControl() ? Control->BarControl()->BackgroundBrush() : GetSysColorBrush(COLOR_BTNFACE);
}
void SetPixelColor(HDC DC, int X, int Y, TColor Color) { SetPixel(DC, X, Y, COLORREF(ColorToRGB(Color))); }

}  // namespace

// ======== Standard ===============================================================================

void TdxBarStandardPainter::DrawMarkFace(TdxBarControl* BarControl, HDC DC, const TRect& R, int) {
  DrawBarBackground(BarControl, DC, TPoint{0, 0}, BarControl->BackgroundBrush(), R);
}

void TdxBarStandardPainter::DrawDragHandle(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  Edge(DC, R, BDR_RAISEDINNER, BF_RECT);
  const TRect inner = Deflated(R, 2, 2);
  if (!ShowsHandle(BarControl)) return;
  const bool vertical = BarControl->IsVertical();
  for (int i = 0; i < 2; ++i) {
    const int offset = DragHandleOffset() + i * DragHandleWidth();
    TRect line = vertical ? TRect{inner.left, inner.top + offset, inner.right, inner.top + offset + DragHandleWidth()}
                          : TRect{inner.left + offset, inner.top, inner.left + offset + DragHandleWidth(), inner.bottom};
    Edge(DC, line, BDR_RAISEDINNER, BF_RECT);
    if (vertical)
      SetPixelColor(DC, line.right - 1, line.top, SystemColor(COLOR_BTNHIGHLIGHT));
    else
      SetPixelColor(DC, line.left, line.bottom - 1, SystemColor(COLOR_BTNHIGHLIGHT));
    FillSys(DC, Deflated(line, 1, 1), COLOR_BTNFACE);
    ExcludeClipRect(DC, line.left, line.top, line.right, line.bottom);
  }
}

void TdxBarStandardPainter::DrawMarkChevron(TdxBarControl*, HDC DC, int X, int Y, bool Vertical) {
  const TColor first = SystemColor(Vertical ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
  const TColor second = SystemColor(Vertical ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
  if (!Vertical) {
    const POINT a[3] = {{X, Y}, {X + 2, Y + 2}, {X - 1, Y + 5}};
    const POINT b[3] = {{X + 1, Y + 1}, {X + 3, Y + 3}, {X, Y + 6}};
    PolylineSolid(DC, a, 3, first);
    PolylineSolid(DC, b, 3, second);
  } else {
    const POINT a[3] = {{X, Y}, {X + 2, Y + 2}, {X + 5, Y - 1}};
    const POINT b[3] = {{X + 1, Y + 1}, {X + 3, Y + 3}, {X + 6, Y}};
    PolylineSolid(DC, a, 3, first);
    PolylineSolid(DC, b, 3, second);
  }
}

TRect TdxBarStandardPainter::MarkRect(TdxBarControl* BarControl) {
  if (BarControl->IsDocked()) return TdxBarPainter::MarkRect(BarControl);
  const TRect caption = FloatingCaptionRect(BarControl->WindowRectAtOrigin());
  return TRect{caption.left, caption.top, caption.left + 13, caption.bottom};
}

void TdxBarStandardPainter::PaintCaptionCloseButton(TdxBarControl* BarControl, HDC DC, const TRect& R, int State) {
  FrameRectSolid(DC, R, FloatingCaptionColor(BarControl->IsActive()));
  RECT inner = Deflated(R, 1, 1);
  DrawFrameControl(DC, &inner, DFC_CAPTION, DFCS_CAPTIONCLOSE | (State == 2 ? DFCS_PUSHED : 0));
}

TRect TdxBarStandardPainter::DrawFloatingBarBorder(TdxBarControl*, HDC DC, const TRect& R, HBRUSH) {
  Edge(DC, R, EDGE_RAISED, BF_RECT);
  FrameSys(DC, Deflated(R, 2, 2), COLOR_BTNFACE);
  FrameSys(DC, Deflated(R, 3, 3), COLOR_BTNFACE);
  return Deflated(R, FrameWidth(), FrameHeight());
}

void TdxBarStandardPainter::DrawMDIButton(TdxBarControl* BarControl, HDC DC, const TRect& R, int Kind, int State) {
  static const UINT codes[3] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
  const UINT code = codes[std::clamp(Kind, 0, 2)];
  TdxBarManager* manager = ManagerOf(BarControl);
  // Only the close button of a bar that allows it (a floating main menu, or a bar showing the
  // manager's close button) goes flat; every other caption button stays three-dimensional.
  if (Kind == 2 && manager && manager->FlatCloseButton() && BarControl && BarControl->AllowsFlatCloseButton()) {
    TSavedDC saved(DC);
    const TRect inner = Deflated(R, 1, 1);
    IntersectClipRect(DC, inner.left, inner.top, inner.right, inner.bottom);
    RECT r = R;
    DrawFrameControl(DC, &r, DFC_CAPTION, code | DFCS_FLAT | (State == 1 ? DFCS_INACTIVE : 0));
    RestoreDC(DC, -1);
    Edge(DC, R, State == 4 ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    return;
  }
  RECT r = R;
  DrawFrameControl(DC, &r, DFC_CAPTION, code | (State == 1 ? DFCS_INACTIVE : 0) | (State == 4 ? DFCS_PUSHED : 0));
}

void TdxBarStandardPainter::PaintGlyphFrame(TdxBarItemControlDrawParams* P, HDC DC, const TRect& G,
                                            bool HasBorderRoom, HBRUSH Brush, bool NoImage) {
  const TdxBarPaintStates s = StatesOf(P);
  TdxBarItemControl* control = ControlOf(P);
  const bool inMenu = P->PaintType == 1;
  const bool selectedFrame = s.Selected && (!inMenu || !NoImage);
  if (s.Checked || selectedFrame) {
    const bool sunken = s.Checked || s.Pressed || (s.DroppedDown && !HasSplitPart(P));
    Edge(DC, G, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    return;
  }
  if (HasBorderRoom) {
    const bool fill = s.Checked || s.Selected || s.Pressed || s.RarelyUsed || (control && control->HasOwnBrush());
    FrameItemBackground(control, DC, fill, Brush, G);
  }
}

void TdxBarStandardPainter::DrawCheckGlyph(HDC DC, int X, int Y, bool DoubleSize, bool Enabled) {
  const int s = DoubleSize ? 2 : 1;
  if (!Enabled) {
    DrawCheckPattern(DC, X + 1, Y + 1, s, SystemColor(COLOR_BTNHIGHLIGHT));
    DrawCheckPattern(DC, X, Y, s, SystemColor(COLOR_BTNSHADOW));
    return;
  }
  // Black on a light face, white on a black one.
  DrawCheckPattern(DC, X, Y, s, ButtonFaceIsBlack() ? clWhite : clBlack);
}

void TdxBarStandardPainter::DrawDisabledShadow(HDC DC, const TRect& R) {
  FillSys(DC, TRect{R.left + 1, R.top + 1, R.right + 1, R.bottom + 1}, COLOR_BTNHIGHLIGHT);
  TdxBarPainter::DrawDisabledShadow(DC, R);
}

HBRUSH TdxBarStandardPainter::ItemBackgroundBrush(TdxBarItemControl* Control, int PaintType,
                                                  const TdxBarPaintStates& S) {
  TCustomdxBarControl* bar = Control ? Control->BarControl() : nullptr;
  if (S.Checked && S.Enabled) return S.Selected ? DownedSelectedBrush(bar) : DownedBrush(bar);
  if (S.Selected && PaintType == 1) return SelectedBrush(bar);
  return TdxBarPainter::ItemBackgroundBrush(Control, PaintType, S);
}

void TdxBarStandardPainter::DrawButtonPart(TdxBarItemControlDrawParams* P, const TRect& R, HBRUSH Brush) {
  TdxBarPainter::DrawButtonPart(P, R, Brush);
  HDC dc = DCOf(P);
  if (P->Selected) {
    Edge(dc, R, P->DroppedDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  } else if (P->PaintType == 1) {
    Edge(dc, TRect{R.left - 1, R.top, R.left + 1, R.bottom}, EDGE_ETCHED, BF_LEFT | BF_RIGHT);
  }
}

void TdxBarStandardPainter::DrawEditButtonFrame(TdxBarItemControl* Control, HDC DC, const TRect& R, bool Pressed,
                                                bool Selected, bool) {
  HBRUSH bar = BarBrushOf(Control);
  if (Selected)
    Edge(DC, R, Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  else
    FrameBrush(DC, R, bar);
  FillBrush(DC, Deflated(R, 1, 1), bar);
}

void TdxBarStandardPainter::DrawComboButton(TdxBarItemControl* Control, HDC DC, TRect& R, HBRUSH Brush,
                                            const TdxBarPaintStates& S, int) {
  HBRUSH frame = S.Enabled ? (Control && Control->HasOwnBrush() ? Control->OwnBrush() : BarBrushOf(Control))
                           : BarBrushOf(Control);
  if (S.Selected && S.Enabled) {
    Edge(DC, R, S.DroppedDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  } else {
    FrameBrush(DC, R, frame);
    FillBrush(DC, TRect{R.left - 1, R.top, R.left, R.bottom}, frame);
  }
  R = Deflated(R, 1, 1);
  FillBrush(DC, R, Brush);
  if (S.DroppedDown) {
    R.left += 1;
    R.top += 1;
    R.right += 1;
    R.bottom += 1;
  }
}

void TdxBarStandardPainter::DrawDropDownListBorder(HDC DC, TColor, const TRect& R) { Edge(DC, R, EDGE_RAISED, BF_RECT); }

TRect TdxBarStandardPainter::MenuBorderRect(TCustomdxBarControl* SubMenu, bool HasDetachCaption) {
  TRect r = TdxBarPainter::MenuBorderRect(SubMenu, HasDetachCaption);
  if (HasDetachCaption) r.top = 0;
  return r;
}

void TdxBarStandardPainter::DrawMenuItemBackground(TCustomdxBarControl* SubMenu, TdxBarItemControlDrawParams* P,
                                                   const TRect& R) {
  TdxBarItemControl* control = ControlOf(P);
  DrawClassicMenuItemBackground(this, SubMenu, P, R,
                                control && control->HasOwnBrush() ? control->OwnBrush() : BarBrushOf(control));
}

void TdxBarStandardPainter::DrawMenuItemFrame(TCustomdxBarControl* SubMenu, TdxBarItemControl* Control, int ShownIndex,
                                              const TRect& R, HDC DC) {
  auto* menu = dynamic_cast<TdxBarSubMenuControl*>(SubMenu);
  TdxBarItemLinks* links = menu ? menu->ItemLinks() : nullptr;
  if (!Control || !links || ShownIndex < 0 || ShownIndex >= links->ShownLinkCount()) return;
  const bool rare = Control->NonRecent;
  const bool sideBar = menu->OwnerBarSize() > 0;
  const int left = sideBar ? R.left : R.left - 1;
  const bool last = ShownIndex == links->ShownLinkCount() - 1;

  // Where a run of rarely used items begins or ends, a line above the item (above its separator
  // for an ordinary item): light over an ordinary item, dark over a rarely used one.
  TdxBarItemControl* above = ShownIndex > 0 ? links->ShownLinkAt(ShownIndex - 1)->ItemControl() : nullptr;
  if (above && above->NonRecent != rare) {
    int top = R.top;
    int separator = -1;
    if (!rare && menu->ViewInfo() && menu->ViewInfo()->FindSeparatorFor(Control, separator)) {
      TdxBarSeparatorInfo info;
      menu->ViewInfo()->GetSeparatorInfo(separator, info);
      top = info.Bounds.top;
    }
    FillSys(DC, TRect{left, top - 1, R.right + 1, top}, rare ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
  }
  if (!rare) return;

  // A rarely used item is set off from its neighbours by the menu's background.
  HBRUSH brush = MenuBackgroundBrush(SubMenu);
  if (ShownIndex == 0 && !menu->ShowsDetachCaption()) {
    FillBrush(DC, TRect{left, R.top - 1, R.right + 2, R.top}, brush);
    SetPixelV(DC, R.right + 1, R.top - 2, GetSysColor(COLOR_BTNHIGHLIGHT));
  }
  if (!sideBar) FillBrush(DC, TRect{R.left - 1, R.top, R.left, R.bottom}, brush);
  FillBrush(DC, TRect{R.right, R.top, R.right + 2, R.bottom}, brush);
  if (last) {
    const int bottom = menu->ClientHeight();
    FillBrush(DC, TRect{left, R.bottom, R.right + 2, bottom}, brush);
    if (!sideBar) SetPixelV(DC, R.left - 2, bottom - 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  }
}

// ======== Enhanced ===============================================================================

void TdxBarEnhancedPainter::DrawMarkChevron(TdxBarControl* BarControl, HDC DC, int X, int Y, bool Vertical) {
  TdxBarPainter::DrawMarkChevron(BarControl, DC, X, Y, Vertical);
}

void TdxBarEnhancedPainter::DrawMarkFace(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState) {
  if (MarkState == 1)
    Edge(DC, R, BDR_RAISEDINNER, BF_RECT);
  else if (MarkState == 2)
    Edge(DC, R, BDR_SUNKENOUTER, BF_RECT);
  else
    FrameBrush(DC, R, BarControl->BackgroundBrush());
  DrawBarBackground(BarControl, DC, TPoint{0, 0}, BarControl->BackgroundBrush(), Deflated(R, 1, 1));
}

void TdxBarEnhancedPainter::DrawDragHandle(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  Edge(DC, R, BDR_RAISEDINNER, BF_RECT);
  if (!ShowsHandle(BarControl)) return;
  const TRect inner = Deflated(R, 2, 2);
  const int offset = DragHandleOffset();
  const TRect line = BarControl->IsVertical()
                         ? TRect{inner.left + 1, inner.top + offset, inner.right - 1, inner.top + offset + DragHandleWidth()}
                         : TRect{inner.left + offset, inner.top + 1, inner.left + offset + DragHandleWidth(),
                                 inner.bottom - 1};
  Edge(DC, line, BDR_RAISEDINNER, BF_RECT);
  FillSys(DC, Deflated(line, 1, 1), COLOR_BTNFACE);
  ExcludeClipRect(DC, line.left, line.top, line.right, line.bottom);
}

// ======== Flat ===================================================================================

void TdxBarFlatPainter::FrameFlatItem(TdxBarItemControl* Control, bool Checked, bool Selected, int PaintType,
                                      HBRUSH, const TRect& R) {
  HDC dc = Control && Control->PaintCanvas() ? Control->PaintCanvas()->DCHandle() : nullptr;
  if (!dc) return;
  if (!Selected && !Checked && PaintType != 1)
    FrameBrush(dc, R, BarBrushOf(Control));
  else if (Selected || PaintType != 1)
    DrawSelectionFrame(dc, R);
  else
    FrameSys(dc, R, COLOR_BTNSHADOW);
}

HBRUSH TdxBarFlatPainter::FlatToolbarsBrush(TCustomdxBarControl* BarControl) {
  TdxBarManager* manager = ManagerOf(BarControl);
  return manager ? manager->FlatBrush(1) : GetSysColorBrush(COLOR_BTNFACE);
}

void TdxBarFlatPainter::DrawOwnerJoin(TCustomdxBarControl* BarControl, HDC DC, const TRect& R) {
  ClipOwnerJoin(BarControl, DC, R);
  FillBrush(DC, Deflated(R, 1, 1), BarControl->OwnerAreaBrush());
}

void TdxBarFlatPainter::ClipOwnerJoin(TCustomdxBarControl* BarControl, HDC DC, const TRect& R) {
  FrameWithFlatBrush(BarControl, DC, R);
}

void TdxBarFlatPainter::FrameWithFlatBrush(TCustomdxBarControl* BarControl, HDC DC, const TRect& R) {
  TdxBarManager* manager = ManagerOf(BarControl);
  FrameBrush(DC, R, manager ? manager->FlatBrush(0) : GetSysColorBrush(COLOR_BTNSHADOW));
}

void TdxBarFlatPainter::FillOwnerLink(TCustomdxBarControl* BarControl, HDC DC, TdxBarItemControl*, const TRect& L,
                                      const TRect&) {
  FillBrush(DC, L, BarControl->OwnerAreaBrush());
}

int TdxBarFlatPainter::SubMenuItemExtra(TdxBarItemControl* Control) {
  TCustomdxBarControl* bar = Control ? Control->BarControl() : nullptr;
  return bar && bar->BarKind() == 2 ? bar->TextSize() + 3 : 0;
}

HBRUSH TdxBarFlatPainter::ToolbarBrush(TCustomdxBarControl* BarControl) { return FlatToolbarsBrush(BarControl); }

HBRUSH TdxBarFlatPainter::ToolbarBrushFor(TCustomdxBarControl* BarControl) {
  auto* toolbar = dynamic_cast<TdxBarControl*>(BarControl);
  if (toolbar && toolbar->Bar() && toolbar->Bar()->ActsAsStatusBar()) return GetSysColorBrush(COLOR_BTNFACE);
  return TdxBarPainter::ToolbarBrushFor(BarControl);
}

HBRUSH TdxBarFlatPainter::DownedBrush(TCustomdxBarControl* BarControl) {
  TdxBarManager* manager = ManagerOf(BarControl);
  return manager ? manager->FlatBrush(2) : TdxBarPainter::DownedBrush(BarControl);
}

HBRUSH TdxBarFlatPainter::DownedSelectedBrush(TCustomdxBarControl* BarControl) {
  TdxBarManager* manager = ManagerOf(BarControl);
  return manager ? manager->FlatBrush(3) : GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH TdxBarFlatPainter::SelectedBrush(TCustomdxBarControl* BarControl) {
  TdxBarManager* manager = ManagerOf(BarControl);
  return manager ? manager->FlatBrush(4) : GetSysColorBrush(COLOR_HIGHLIGHT);
}

TColor TdxBarFlatPainter::MarkArrowColor(TdxBarControl*, int MarkState) {
  return SystemColor(MarkState == 1 || MarkState == 2 ? COLOR_BTNTEXT : COLOR_CAPTIONTEXT);
}

TColor TdxBarFlatPainter::MarkElementColor(TdxBarControl*, int MarkState) {
  return SystemColor(ButtonFaceIsWhite() && MarkState == 1 ? COLOR_BTNFACE : COLOR_BTNTEXT);
}

void TdxBarFlatPainter::OffsetFloatingCaption(TdxBarControl*, TRect& TextR, const TRect& MarkR) {
  TextR.left += 2;
  TextR.right = MarkR.left;
}

void TdxBarFlatPainter::DrawMarkFace(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState) {
  if (MarkState == 2) {
    DrawOwnerJoin(BarControl, DC, R);
    return;
  }
  if (MarkState == 1) {
    DrawSelectionFrame(DC, R);
    FillBrush(DC, Deflated(R, 1, 1), SelectedBrush(BarControl));
    return;
  }
  FrameBrush(DC, R, BarControl->BackgroundBrush());
  DrawBarBackground(BarControl, DC, TPoint{0, 0}, BarControl->BackgroundBrush(), Deflated(R, 1, 1));
}

void TdxBarFlatPainter::DrawBarSeparator(TdxBarControl* BarControl, HDC DC, const TRect& R, bool Horizontal) {
  const int half = HalfSeparatorSize();
  HBRUSH brush = BarControl->BackgroundBrush();
  if (Horizontal) {
    DrawBarBackground(BarControl, DC, TPoint{0, 0}, brush, TRect{R.left, R.top, R.right, R.top + half});
    DrawBarBackground(BarControl, DC, TPoint{0, 0}, brush, TRect{R.left, R.bottom - half, R.right, R.bottom});
    FillSys(DC, TRect{R.left, R.top + half, R.right, R.top + half + 1}, COLOR_BTNSHADOW);
  } else {
    DrawBarBackground(BarControl, DC, TPoint{0, 0}, brush, TRect{R.left, R.top, R.left + half, R.bottom});
    DrawBarBackground(BarControl, DC, TPoint{0, 0}, brush, TRect{R.right - half, R.top, R.right, R.bottom});
    FillSys(DC, TRect{R.left + half, R.top, R.left + half + 1, R.bottom}, COLOR_BTNSHADOW);
  }
}

void TdxBarFlatPainter::DrawDragHandle(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  FrameSys(DC, R, COLOR_BTNFACE);
  SetPixelColor(DC, R.left, R.top, SystemColor(COLOR_BTNFACE));
  SetPixelColor(DC, R.right - 1, R.top, SystemColor(COLOR_BTNFACE));
  SetPixelColor(DC, R.left, R.bottom - 1, SystemColor(COLOR_BTNFACE));
  SetPixelColor(DC, R.right - 1, R.bottom - 1, SystemColor(COLOR_BTNFACE));
  if (!ShowsHandle(BarControl)) return;
  const bool vertical = BarControl->IsVertical();
  const int w = DragHandleWidth(), off = DragHandleOffset();
  HBRUSH brush = BarControl->BackgroundBrush();
  if (!vertical) {
    const TRect strip{R.left + off, R.top + 3, R.left + off + w, R.bottom - 3};
    for (int y = strip.top; y < strip.bottom; ++y) {
      const TRect row{strip.left, y, strip.right, y + 1};
      if ((y - strip.top) % 2 == 0)
        FillSys(DC, row, COLOR_BTNSHADOW);
      else
        FillBrush(DC, row, brush);
    }
  } else {
    const TRect strip{R.left + 3, R.top + off, R.right - 3, R.top + off + w};
    for (int x = strip.left; x < strip.right; ++x) {
      const TRect column{x, strip.top, x + 1, strip.bottom};
      if ((x - strip.left) % 2 == 0)
        FillSys(DC, column, COLOR_BTNSHADOW);
      else
        FillBrush(DC, column, brush);
    }
  }
}

void TdxBarFlatPainter::PaintCaptionCloseButton(TdxBarControl* BarControl, HDC DC, const TRect& R, int State) {
  DrawCaptionButtonFace(BarControl, DC, R, State);
  TRect x = Deflated(R, 3, 4);
  int w = x.Width();
  if (w % 2 != 0) --w;
  w = std::min<int>(w, x.Height());
  x.right = x.left + w;
  x.bottom = x.top + w;
  const TColor color = MarkArrowColor(BarControl, State);
  for (int i = 0; i < 2; ++i) {
    LineSolid(DC, x.left + i, x.top, x.right + i - 1, x.bottom, color);
    LineSolid(DC, x.right - 1 - i, x.top, x.left - i, x.bottom, color);
  }
}

TRect TdxBarFlatPainter::DrawFloatingBarBorder(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) {
  FrameWithFlatBrush(BarControl, DC, R);
  FrameSys(DC, Deflated(R, 1, 1), COLOR_BTNHIGHLIGHT);
  for (int i = 2; i < std::max(FrameWidth(), FrameHeight()); ++i) FrameBrush(DC, Deflated(R, i, i), Brush);
  return Deflated(R, FrameWidth(), FrameHeight());
}

void TdxBarFlatPainter::DrawCaptionMark(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState) {
  if (BarControl->AllowsClosing())
    FillRectSolid(DC, TRect{R.right, R.top, R.right + 1, R.bottom}, FloatingCaptionColor(BarControl->IsActive()));
  if (MarkState == 2)
    DrawOwnerJoin(BarControl, DC, R);
  else
    DrawCaptionButtonFace(BarControl, DC, R, MarkState);
  TdxBarPainter::DrawCaptionMark(BarControl, DC, R, MarkState);
}

void TdxBarFlatPainter::DrawMDIButton(TdxBarControl* BarControl, HDC DC, const TRect& R, int Kind, int State) {
  static const UINT codes[3] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
  if (State >= 2) {
    HBRUSH brushes[3] = {SelectedBrush(BarControl), DownedBrush(BarControl), DownedSelectedBrush(BarControl)};
    FillBrush(DC, R, brushes[std::clamp(State - 2, 0, 2)]);
    DrawSelectionFrame(DC, R);
  } else {
    DrawBarBackground(BarControl, DC, TPoint{0, 0}, BarControl->BackgroundBrush(), R);
  }
  const TRect inner = Deflated(R, 1, 1);
  if (inner.IsEmpty()) return;
  TBitmap glyph(inner.Width(), inner.Height());
  HDC g = glyph.Canvas()->Handle();
  RECT gr{0, 0, inner.Width(), inner.Height()};
  DrawFrameControl(g, &gr, DFC_CAPTION, codes[std::clamp(Kind, 0, 2)] | DFCS_FLAT | (State == 1 ? DFCS_INACTIVE : 0));
  DrawBitmapGlyphByState(DC, inner, &glyph, State != 1);
}

void TdxBarFlatPainter::DrawSelectionFrame(HDC DC, const TRect& R) {
  if (ButtonFaceIsBlack() || ButtonFaceBlackTextNotWhite())
    FrameRectSolid(DC, R, clHighlightText);
  else
    FrameRectInHighlight(DC, R);
}

void TdxBarFlatPainter::PaintGlyphFrame(TdxBarItemControlDrawParams* P, HDC DC, const TRect& G, bool HasBorderRoom,
                                        HBRUSH Brush, bool) {
  const TdxBarPaintStates s = StatesOf(P);
  TdxBarItemControl* control = ControlOf(P);
  if (s.DroppedDown) {
    ClipOwnerJoin(control ? control->BarControl() : nullptr, DC, G);
  } else if (s.Checked || (s.Selected && P->PaintType != 1)) {
    DrawSelectionFrame(DC, G);
  } else if (HasBorderRoom) {
    const bool fill = s.Checked || s.Selected || s.Pressed || s.RarelyUsed || (control && control->HasOwnBrush());
    FrameItemBackground(control, DC, fill, Brush, G);
  }
}

void TdxBarFlatPainter::DrawCheckGlyph(HDC DC, int X, int Y, bool DoubleSize, bool Enabled) {
  TColor color = clBlack;
  if (!Enabled)
    color = SystemColor(COLOR_BTNSHADOW);
  else if (ButtonFaceIsWhite() || ButtonFaceBlackTextNotWhite())
    color = clWhite;
  DrawCheckPattern(DC, X, Y, DoubleSize ? 2 : 1, color);
}

void TdxBarFlatPainter::DrawSunkenFrame(HDC DC, TRect& R) {
  FrameSys(DC, R, COLOR_BTNSHADOW);
  R = Deflated(R, 1, 1);
}

void TdxBarFlatPainter::DrawEditButtonFrame(TdxBarItemControl* Control, HDC DC, const TRect& R, bool Pressed,
                                            bool Selected, bool) {
  TCustomdxBarControl* bar = Control ? Control->BarControl() : nullptr;
  if (Selected) {
    DrawSelectionFrame(DC, R);
    FillBrush(DC, Deflated(R, 1, 1), Pressed ? DownedSelectedBrush(bar) : SelectedBrush(bar));
    return;
  }
  FrameBrush(DC, R, BarBrushOf(Control));
  FillBrush(DC, Deflated(R, 1, 1), BarBrushOf(Control));
}

HBRUSH TdxBarFlatPainter::ItemBackgroundBrush(TdxBarItemControl* Control, int PaintType, const TdxBarPaintStates& S) {
  TCustomdxBarControl* bar = Control ? Control->BarControl() : nullptr;
  if (!S.DroppedDown && !S.Selected) {
    if (S.Checked) return DownedBrush(bar);
    if (PaintType == 1) return FlatToolbarsBrush(bar);
    return TdxBarPainter::ItemBackgroundBrush(Control, PaintType, S);
  }
  if (!S.DroppedDown) return !S.Checked && !S.Pressed ? SelectedBrush(bar) : DownedSelectedBrush(bar);
  return S.Checked ? DownedSelectedBrush(bar) : (bar ? bar->OwnerAreaBrush() : GetSysColorBrush(COLOR_BTNFACE));
}

bool TdxBarFlatPainter::FillsGlyphBackground(TdxBarItemControl* Control, bool HasImage, const TdxBarPaintStates& S) {
  if (!HasImage) return TdxBarPainter::FillsGlyphBackground(Control, HasImage, S);
  return TdxBarPainter::FillsGlyphBackground(Control, HasImage, S) || S.Checked || S.Pressed || S.Selected;
}

void TdxBarFlatPainter::DrawButtonPart(TdxBarItemControlDrawParams* P, const TRect& R, HBRUSH Brush) {
  TdxBarPainter::DrawButtonPart(P, R, Brush);
  const TdxBarPaintStates s = StatesOf(P);
  if (s.DroppedDown && P->PaintType != 1) return;
  TRect r = R;
  if (P->PaintType != 1) r.left -= 1;
  FrameFlatItem(ControlOf(P), s.Checked, s.Selected, P->PaintType, Brush, r);
}

HBRUSH TdxBarFlatPainter::ItemBrushFor(TdxBarItemControl* Control, const TdxBarPaintStates& S) {
  TCustomdxBarControl* bar = Control ? Control->BarControl() : nullptr;
  if (S.Selected) return S.DroppedDown || ButtonFaceIsWhite() ? DownedSelectedBrush(bar) : SelectedBrush(bar);
  return TdxBarPainter::ItemBrushFor(Control, S);
}

TColor TdxBarFlatPainter::StandardTextColor(TdxBarItemControl*, const TdxBarPaintStates& S) {
  if (S.Selected && (S.DroppedDown || ButtonFaceIsWhite())) return clHighlightText;
  if (!S.Selected && !S.Enabled) return SystemColor(COLOR_BTNSHADOW);
  return clBtnText;
}

HBRUSH TdxBarFlatPainter::ArrowBrushFor(TdxBarItemControl* Control, const TdxBarPaintStates& S, int PaintType) {
  if (PaintType == 1 && !S.Selected) return ToolbarBrushFor(Control ? Control->BarControl() : nullptr);
  return TdxBarPainter::ArrowBrushFor(Control, S, PaintType);
}

void TdxBarFlatPainter::DrawComboButton(TdxBarItemControl* Control, HDC DC, TRect& R, HBRUSH Brush,
                                        const TdxBarPaintStates& S, int) {
  if (S.Selected) {
    TRect grown{R.left - 1, R.top - 1, R.right + 1, R.bottom + 1};
    DrawSelectionFrame(DC, grown);
    FillBrush(DC, R, Brush);
    return;
  }
  HBRUSH frame = S.Enabled ? (Control && Control->HasOwnBrush() ? Control->OwnBrush() : BarBrushOf(Control))
                           : BarBrushOf(Control);
  FrameBrush(DC, R, frame);
  FillBrush(DC, TRect{R.left - 1, R.top, R.left, R.bottom}, frame);
  R = Deflated(R, 1, 1);
  FillBrush(DC, R, Brush);
}

HBRUSH TdxBarFlatPainter::EditBrushFor(TdxBarItemControl* Control) {
  return Control && Control->HasOwnBrush() ? Control->OwnBrush() : BarBrushOf(Control);
}

void TdxBarFlatPainter::DrawEditBorder(TdxBarItemControlDrawParams* P, HDC DC, TRect& R) {
  TdxBarItemControl* control = ControlOf(P);
  if (P->Selected)
    DrawSelectionFrame(DC, R);
  else if (P->PaintType == 1)
    FrameBrush(DC, R, ToolbarBrushFor(control ? control->BarControl() : nullptr));
  else if (P->Enabled)
    FrameItemBackground(control, DC, false, BarBrushOf(control), R);
  else
    FrameSys(DC, R, COLOR_BTNSHADOW);
  R = Deflated(R, 1, 1);
}

bool TdxBarFlatPainter::EditCaptionGapFillsBackground(TdxBarItemControlDrawParams* P) {
  return P->PaintType == 1 && (P->Selected || StatesOf(P).RarelyUsed);
}

void TdxBarFlatPainter::CalcSpinEditPartBounds(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts) {
  TdxBarPainter::CalcSpinEditPartBounds(In, Parts);
  if (!Parts[3].IsEmpty()) Parts[3].bottom += 1;
}

void TdxBarFlatPainter::DrawSpinArrow(HDC DC, const TRect& R, bool Up, bool Enabled, bool Selected) {
  if (R.IsEmpty()) return;
  const int color = !Enabled ? COLOR_BTNSHADOW : (Selected && ButtonFaceIsWhite() ? COLOR_BTNFACE : COLOR_BTNTEXT);
  const int w = R.Width(), h = R.Height();
  POINT p[3];
  if (Up) {
    p[0] = {R.left, R.bottom - 1};
    p[1] = {R.left + w - 1, R.bottom - 1};
    p[2] = {R.left + (w - 1) / 2, R.bottom - h};
  } else {
    p[0] = {R.left, R.top};
    p[1] = {R.left + w - 1, R.top};
    p[2] = {R.left + (w - 1) / 2, R.top + h - 1};
  }
  FillPolygonSolid(DC, p, 3, SystemColor(color));
}

void TdxBarFlatPainter::DrawSpinButton(TdxBarItemControl* Control, HDC DC, const TRect& R, int Part, int State,
                                       const TSize& ArrowSize, bool Selected) {
  DrawEditButtonFrame(Control, DC, R, State == 3, State == 2 || State == 3, State != 4);
  const TPoint p = SpinArrowPosition(R, Part, ArrowSize);
  const TRect arrow = Part == 3 ? TRect{p.x, p.y - ArrowSize.cy + 1, p.x + ArrowSize.cx, p.y + 1}
                                : TRect{p.x, p.y, p.x + ArrowSize.cx, p.y + ArrowSize.cy};
  DrawSpinArrow(DC, arrow, Part == 3, State != 4, Selected);
}

void TdxBarFlatPainter::DrawStaticBorder(TdxBarItemControlDrawParams*, HDC DC, TRect& R,
                                         TdxBarStaticBorderStyle Style) {
  const TRect content = Deflated(R, StaticBorderRect(Style));
  if (Style != sbsNone) {
    TSavedDC saved(DC);
    ExcludeClipRect(DC, content.left, content.top, content.right, content.bottom);
    FillBrush(DC, R, FlatShadowBrush());
  }
  R = content;
}

void TdxBarFlatPainter::DrawCalendarButton(TdxBarManager*, HDC DC, const TRect& R, const String& Text, bool) {
  FrameSys(DC, R, COLOR_BTNSHADOW);
  FrameSys(DC, Deflated(R, 1, 1), COLOR_BTNFACE);
  DrawCalendarButtonText(DC, Deflated(R, 2, 2), Text, false, 0);
}

int TdxBarFlatPainter::MenuHeightStep(int H) {
  int step = (H - 4) / 2;
  if (step >= 5 && step % 2 != 0) --step;
  return step;
}

TRect TdxBarFlatPainter::DeflateMenuContent(const TRect& R) { return Deflated(R, 2, 2); }

int TdxBarFlatPainter::SubMenuRowHeight(int H) {
  int size = TdxBarPainter::SubMenuRowHeight(H);
  const int step = MenuHeightStep(size - 2);
  // As in the base: an odd step's rows of 2 x step + 4 are taken only when they hold the text.
  if (step % 2 != 0) size = std::max(size, 2 * step + 4);
  return size;
}

TRect TdxBarFlatPainter::MenuItemIconRect(const TRect& R, int IconAreaSize) {
  return TRect{R.left + 1, R.top + 1, R.left + 1 + IconAreaSize - 2, R.bottom - 1};
}

TRect TdxBarFlatPainter::MenuItemTextRect(TCustomdxBarControl* SubMenu, const TRect& R) {
  TRect r = TdxBarPainter::MenuItemTextRect(SubMenu, R);
  r.top += 1;
  r.bottom -= 1;
  r.right -= 1;
  return r;
}

TRect TdxBarFlatPainter::MenuSeparatorRect(TCustomdxBarControl*, int Top, bool) {
  return TRect{0, Top - MenuBeginGroupSize(), 0, Top};
}

void TdxBarFlatPainter::DrawFlatMenuItemBackground(TCustomdxBarControl* SubMenu, TdxBarItemControlDrawParams* P,
                                                   const TRect& R, HBRUSH RingIcon, HBRUSH RingText,
                                                   HBRUSH Around, HBRUSH Text) {
  HDC dc = DCOf(P);
  TdxBarItemControl* control = ControlOf(P);
  const TdxBarPaintStates s = StatesOf(P);
  const bool fill = s.Selected || s.RarelyUsed;
  const int iconArea = MenuIconAreaSize(SubMenu);
  if (s.Selected) {
    DrawSelectionFrame(dc, R);
  } else {
    TSavedDC saved(dc);
    const TRect inner = Deflated(R, 1, 1);
    ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    const int split = R.left + iconArea + 1;
    FillItemBackground(control, dc, fill, RingIcon, TRect{R.left, R.top, split, R.bottom});
    FillItemBackground(control, dc, fill, RingText, TRect{split, R.top, R.right, R.bottom});
  }
  const TRect inner = Deflated(R, 1, 1);
  const TRect icon = MenuItemIconRect(R, iconArea);
  HBRUSH around = s.Selected ? SelectedBrush(SubMenu) : Around;
  FillItemBackground(control, dc, fill, around, TRect{icon.right, inner.top, icon.right + 2, inner.bottom});
  FillItemBackground(control, dc, fill, around, TRect{icon.left, inner.top, icon.right, icon.top});
  FillItemBackground(control, dc, fill, around, TRect{icon.left, icon.bottom, icon.right, inner.bottom});
  FillItemBackground(control, dc, fill, s.Selected ? SelectedBrush(SubMenu) : Text,
                     TRect{icon.right + 2, inner.top, inner.right, inner.bottom});
}

void TdxBarFlatPainter::DrawMenuItemBackground(TCustomdxBarControl* SubMenu, TdxBarItemControlDrawParams* P,
                                               const TRect& R) {
  TdxBarItemControl* control = ControlOf(P);
  HBRUSH flat = FlatToolbarsBrush(SubMenu);
  HBRUSH own = control && control->HasOwnBrush() ? control->OwnBrush() : MenuBackgroundBrush(SubMenu);
  DrawFlatMenuItemBackground(SubMenu, P, R, flat, MenuBackgroundBrush(SubMenu), flat, own);
}

void TdxBarFlatPainter::DrawMenuSeparatorItem(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, bool RarelyUsed,
                                              bool FirstOfRun, int IconAreaSize, int) {
  const bool fill = RarelyUsed && !FirstOfRun && !DrawsNonRecentBackground();
  FillBrush(DC, TRect{R.left, R.top, R.left + IconAreaSize, R.bottom},
            fill ? FlatToolbarsBrush(SubMenu) : FlatToolbarsBrush(SubMenu));
  const TRect rest{R.left + IconAreaSize, R.top, R.right, R.bottom};
  if (fill)
    FillBrush(DC, rest, MenuBackgroundBrush(SubMenu));
  else
    FillMenuBackground(SubMenu, DC, MenuBackgroundBrush(SubMenu), rest, false);
  const int y = (R.top + R.bottom) / 2;
  DrawMenuSeparatorLine(DC, TRect{R.left + IconAreaSize + MenuSeparatorIndent(), y, R.right, y + 1});
}

void TdxBarFlatPainter::DrawMenuSeparatorLine(HDC DC, const TRect& R) {
  FillRectSolid(DC, TRect{R.left, R.top, R.right, R.top + 1}, FlatShadowColor());
}

void TdxBarFlatPainter::DrawSubMenuBorder(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R,
                                          int DetachCaptionHeight, bool DetachSelected) {
  FrameWithFlatBrush(SubMenu, DC, R);
  if (DetachCaptionHeight <= 0) return;
  const TRect inner = Deflated(R, 1, 1);
  FillSys(DC, TRect{inner.left, inner.top, inner.right, inner.top + 1}, COLOR_WINDOW);
  FillSys(DC, TRect{inner.left, inner.top, inner.left + 1, inner.top + DetachCaptionHeight}, COLOR_WINDOW);
  FillSys(DC, TRect{inner.right - 1, inner.top, inner.right, inner.top + DetachCaptionHeight}, COLOR_WINDOW);
  FillDetachCaption(SubMenu, DC,
                    TRect{inner.left + 1, inner.top + 1, inner.right - 1, inner.top + DetachCaptionHeight},
                    DetachSelected);
}

void TdxBarFlatPainter::DrawSubMenuInnerBorder(TCustomdxBarControl* SubMenu, HDC DC, const TRect& ItemsRect,
                                               HBRUSH Brush, bool) {
  FrameBrush(DC, ItemsRect, MenuBackgroundBrush(SubMenu));
  FillBrush(DC, TRect{ItemsRect.left, ItemsRect.top, ItemsRect.left + 1, ItemsRect.bottom}, Brush);
}

void TdxBarFlatPainter::FillDetachCaption(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, bool Selected) {
  if (Selected) {
    DrawSelectionFrame(DC, R);
    FillBrush(DC, Deflated(R, 1, 1), SelectedBrush(SubMenu));
  } else {
    FillBrush(DC, R, FlatToolbarsBrush(SubMenu));
  }
  const int left = R.left + (R.Width() - 33) / 2;
  for (int y = R.top + 1; y < R.bottom - 1; y += 2)
    FillSys(DC, TRect{left, y, left + 33, y + 1}, Selected ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
}

void TdxBarFlatPainter::DrawExpandButtonSelected(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R) {
  DrawSelectionFrame(DC, R);
  FillBrush(DC, Deflated(R, 1, 1), SelectedBrush(SubMenu));
}

void TdxBarFlatPainter::DrawDropDownNonClient(HWND Window, bool BandShown, int Corner, bool CloseHot,
                                              bool ClosePressed, TRect& CloseRect, TRect& GripRect) {
  DrawDropDownNonClientWith(Window, BandShown, Corner, CloseHot, ClosePressed, true, false, CloseRect, GripRect);
}

// ======== Office11 ===============================================================================

// One role, one palette slot.
const std::array<TOffice11ColorSlot, o11rRoleCount> kOffice11RoleSlots = {
    Office11LightFaceColor,       // dock start
    Office11FaceColor,            // dock end
    Office11PaleGroupColor,       // toolbar start
    Office11PaleFaceColor,        // toolbar end
    Office11BarLight0,            // mark start, normal
    Office11BarLight1,            // mark start, hot
    Office11BarLight2,            // mark start, pressed
    Office11BarDark0,             // mark end, normal
    Office11BarDark1,             // mark end, hot
    Office11BarDark2,             // mark end, pressed
    Office11BarLightMid0,         // mark corner, normal
    Office11BarLightMid1,         // mark corner, hot
    Office11BarLightMid2,         // mark corner, pressed
    Office11BarDarkMid0,          // mark border, normal
    Office11BarDarkMid1,          // mark border, hot
    Office11BarDarkMid2,          // mark border, pressed
    TOffice11ColorSlot(10),              // toolbar bottom line
    TOffice11ColorSlot(11),              // toolbar corner
    Office11GripDarkColor,        // grip dots, dark
    Office11GripLightColor,       // grip dots, light
    Office11HeaderShadowTone,     // separator, dark
    Office11HeaderLightTone,      // separator, light
    TOffice11ColorSlot(22),              // mark arrow, dark
    TOffice11ColorSlot(23),              // mark arrow, light
    Office11FilterBoxColor,       // floating border, outer
    TOffice11ColorSlot(25),              // floating border, inner
    Office11FilterBoxColor,       // floating caption
    TOffice11ColorSlot(28),              // caption text
    TOffice11ColorSlot(29),              // mark arrow in the caption, hot
    TOffice11ColorSlot(30),              // mark arrow in the caption, pressed
    TOffice11ColorSlot(32),              // drop-down gradient start
    TOffice11ColorSlot(33),              // drop-down gradient end
    TOffice11ColorSlot(34),              // menu band start
    TOffice11ColorSlot(35),              // menu band end
    TOffice11ColorSlot(36),              // menu band start, rarely used items
    TOffice11ColorSlot(37),              // menu band end, rarely used items
    Office11HotColor,             // hot gradient start
    Office11HotColor2,            // hot gradient end
    Office11PressedColor,         // pressed gradient start
    Office11PressedColor2,        // pressed gradient end
    TOffice11ColorSlot(46),              // checked
    TOffice11ColorSlot(47),              // fallback
    Office11TextColor,            // item text
    Office11DisabledTextColor,    // disabled text
    TOffice11ColorSlot(30),              // selected text
    Office11DetailsSiteColor,     // calendar header
    TOffice11ColorSlot(31),              // menu
    Office11BorderColor,          // border
    TOffice11ColorSlot(39),              // inner border
    TOffice11ColorSlot(60),              // menu border
    Office11HighlightTint,        // selected
    TOffice11ColorSlot(46),              // downed
    TOffice11ColorSlot(48),              // downed selected
    Office11SelectionBorderColor, // checked frame
    TOffice11ColorSlot(47),              // detach caption, hot
    TOffice11ColorSlot(49),              // detach caption
    Office11ShadowColor,          // first shadow brush
    Office11GridLineColor,        // second shadow brush
    Office11ShadowColor,          // shadow colour
    Office11SelectionBorderColor, // selection frame
};

TdxBarOffice11Painter::~TdxBarOffice11Painter() {
  for (HBRUSH& brush : ownBrushes_)
    if (brush) DeleteObject(brush);
}

TColor TdxBarOffice11Painter::Blend50(TColor A, TColor B) {
  // The blend asks the screen for its nearest colour: remembered per pair of colours.
  for (const TBlend& b : blends_)
    if (b.A == A && b.B == B) return b.Result;
  const TColor result = BlendColorsPercent(A, B, 50);
  if (blends_.size() >= 256) blends_.clear();
  blends_.push_back(TBlend{A, B, result});
  return result;
}

HDC TdxBarOffice11Painter::GradientStrip(int Thickness, bool Vertical) {
  const TColor start = RoleColor(o11rToolbarStart), end = RoleColor(o11rToolbarEnd);
  const int w = Vertical ? Thickness : 1, h = Vertical ? 1 : Thickness;
  if (!strip_ || stripThickness_ != Thickness || stripVertical_ != Vertical || stripStart_ != start ||
      stripEnd_ != end) {
    strip_.reset(new TBitmap(std::max(w, 1), std::max(h, 1)));
    PaintTwoPhaseGradient(strip_->Canvas()->Handle(), TRect{0, 0, w, h}, start, end, Vertical);
    stripThickness_ = Thickness;
    stripVertical_ = Vertical;
    stripStart_ = start;
    stripEnd_ = end;
  }
  return strip_->Canvas()->Handle();
}

HBRUSH TdxBarOffice11Painter::RoleBrush(TdxOffice11Role Role) {
  const TOffice11ColorSlot slot = kOffice11RoleSlots[Role];
  if (HBRUSH shared = Office11Brush(slot)) return shared;
  const TColor color = Office11Color(slot);
  if (!ownBrushes_[Role] || ownBrushColors_[Role] != color) {
    if (ownBrushes_[Role]) DeleteObject(ownBrushes_[Role]);
    ownBrushes_[Role] = CreateSolidBrush(COLORREF(ColorToRGB(color)));
    ownBrushColors_[Role] = color;
  }
  return ownBrushes_[Role];
}

void TdxBarOffice11Painter::DrawGripDots(HDC DC, const TRect& R, bool Column) {
  DrawOffice11GripDots(DC, R, Column);
}

void TdxBarOffice11Painter::FrameFlatItem(TdxBarItemControl* Control, bool Checked, bool Selected, int PaintType,
                                          HBRUSH, const TRect& R) {
  HDC dc = Control && Control->PaintCanvas() ? Control->PaintCanvas()->DCHandle() : nullptr;
  if (!dc) return;
  if (!Selected && !Checked && PaintType != 1)
    FrameItemBackground(Control, dc, false, nullptr, R);
  else if (Selected || PaintType != 1)
    FrameOffice11Selection(dc, R);
  else
    FrameBrush(dc, R, RoleBrush(o11rSeparatorDark));
}

HBRUSH TdxBarOffice11Painter::FlatToolbarsBrush(TCustomdxBarControl* BarControl) {
  return BarControl ? BarControl->BackgroundBrush() : RoleBrush(o11rMenu);
}

void TdxBarOffice11Painter::FrameWithFlatBrush(TCustomdxBarControl*, HDC DC, const TRect& R) {
  FrameBrush(DC, R, RoleBrush(o11rBorder));
}

void TdxBarOffice11Painter::FillOwnerLink(TCustomdxBarControl* BarControl, HDC DC, TdxBarItemControl* Control,
                                          const TRect& L, const TRect& C) {
  const bool gradient = Control && Control->HasDropDown() && Control->IsDroppedDown() &&
                        !(BarControl && BarControl->IsQuickCustomization());
  if (!gradient) {
    TdxBarFlatPainter::FillOwnerLink(BarControl, DC, Control, L, C);
    return;
  }
  TColor color;
  if (L.Width() > L.Height())
    color = (C.top + C.bottom) / 2 < L.top ? RoleColor(o11rDropDownEnd) : RoleColor(o11rDropDownStart);
  else
    color = (C.left + C.right) / 2 < L.left ? RoleColor(o11rDropDownEnd) : RoleColor(o11rDropDownStart);
  FillRectSolid(DC, L, color);
}

TRect TdxBarOffice11Painter::BarBorderRect(TdxBarControl* BarControl) {
  if (BarControl && HasBorder(BarControl))
    return BarControl->IsVertical() ? TRect{0, 2, 0, 2} : TRect{2, 0, 2, 0};
  return TRect{2, 2, 2, 2};
}

TRect TdxBarOffice11Painter::DeflateMenuContent(const TRect& R) { return Deflated(R, 2, 4); }

int TdxBarOffice11Painter::SubMenuRowHeight(int H) {
  // The check bitmap's rows, but never fewer than the font needs.
  const int flat = TdxBarFlatPainter::SubMenuRowHeight(H);
  TBitmap* check = Office11SubMenuExpandBitmap();
  const int bitmap = check && !check->Empty() ? check->Height() + 2 : 0;
  return std::max(flat, bitmap);
}

int TdxBarOffice11Painter::MenuBandOffsetFor(TCustomdxBarControl* SubMenu, bool HasIconPart) {
  return HasIconPart || !SubMenu ? 0 : SubMenu->IconAreaSize();
}

bool TdxBarOffice11Painter::PainterOptionN(TCustomdxBarControl* BarControl) {
  return BarControl && BarControl->GlyphColumnOption();
}

bool TdxBarOffice11Painter::EditCaptionFillsBackground(TdxBarItemControlDrawParams* P) {
  return P->PaintType == 1 && P->Selected;
}

bool TdxBarOffice11Painter::EditCaptionGapFillsBackground(TdxBarItemControlDrawParams* P) {
  return P->PaintType == 1 && P->Selected;
}

TColor TdxBarOffice11Painter::ItemTextColorFor(TdxBarItemControl*, bool Selected, bool Flat) {
  if (Selected && !Flat) return ButtonFaceIsWhite() ? clWhite : RoleColor(o11rSelectedText);
  return RoleColor(o11rItemText);
}

void TdxBarOffice11Painter::DisabledTextColors(bool, bool, TColor& Text, TColor& Shadow) {
  Text = Shadow = RoleColor(o11rDisabledText);
}

TColor TdxBarOffice11Painter::StandardTextColor(TdxBarItemControl*, const TdxBarPaintStates& S) {
  if (!S.Enabled) return RoleColor(o11rDisabledText);
  if (S.Selected) {
    if (ButtonFaceIsWhite()) return RGB(255, 255, 255);
    if (S.DroppedDown && !Office11UsesSchemeColors()) return ColorToRGB(clHighlightText);
  }
  return RoleColor(o11rItemText);
}

TColor TdxBarOffice11Painter::MarkArrowColor(TdxBarControl*, int MarkState) {
  if (MarkState == 1) return RoleColor(o11rMarkArrowCaptionHot);
  if (MarkState == 2) return RoleColor(o11rMarkArrowCaptionPressed);
  return RoleColor(o11rCaptionText);
}

HBRUSH TdxBarOffice11Painter::ToolbarBrushFor(TCustomdxBarControl* BarControl) {
  auto* toolbar = dynamic_cast<TdxBarControl*>(BarControl);
  if (toolbar && toolbar->Bar() && toolbar->Bar()->ActsAsStatusBar()) return GetSysColorBrush(COLOR_BTNFACE);
  return TdxBarFlatPainter::ToolbarBrushFor(BarControl);
}

void TdxBarOffice11Painter::FillBarClientArea(TCustomdxBarControl*, HDC DC, const TRect& R) {
  if (!R.IsEmpty()) FillBrush(DC, R, RoleBrush(o11rInnerBorder));
}

HBRUSH TdxBarOffice11Painter::ItemBrushFor(TdxBarItemControl* Control, const TdxBarPaintStates& S) {
  TCustomdxBarControl* bar = Control ? Control->BarControl() : nullptr;
  if (!S.Enabled) return GetSysColorBrush(COLOR_BTNFACE);
  if (!S.Selected) return BarBrushOf(Control);
  return S.DroppedDown ? DownedSelectedBrush(bar) : SelectedBrush(bar);
}

HBRUSH TdxBarOffice11Painter::ArrowBrushFor(TdxBarItemControl* Control, const TdxBarPaintStates& S, int) {
  TCustomdxBarControl* bar = Control ? Control->BarControl() : nullptr;
  if (S.Selected) return SelectedBrush(bar);
  if (S.DroppedDown) return DownedSelectedBrush(bar);
  return ItemBrushFor(Control, S);
}

void TdxBarOffice11Painter::DrawDockBackground(TdxDockControl* Site, HDC DC, const TRect& R, const TRect& Client,
                                               HBRUSH, TColor) {
  TColor start = RoleColor(o11rDockStart), end = RoleColor(o11rDockEnd);
  const TdxBarDockingStyle style = Site ? Site->DockingStyle() : dsTop;
  if (style == dsLeft) end = start;
  if (style == dsRight) start = end;
  TBitmap* cache = Site ? Site->BackgroundCache() : nullptr;
  if (!cache) {
    TSavedDC saved(DC);
    IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
    PaintGradientRect(DC, Client, start, end, true);
    return;
  }
  if (cache->Empty() || cache->Width() != Client.Width() || cache->Height() != Client.Height()) {
    cache->SetSize(Client.Width(), Client.Height());
    PaintGradientRect(cache->Canvas()->Handle(), TRect{0, 0, Client.Width(), Client.Height()}, start, end, true);
    Site->NoteBackgroundCacheFilled();
  }
  BitBlt(DC, R.left, R.top, R.Width(), R.Height(), cache->Canvas()->Handle(), R.left - Client.left,
         R.top - Client.top, SRCCOPY);
}

void TdxBarOffice11Painter::DrawDockedBarBackground(TdxBarControl* BarControl, HDC DC, const TPoint& Origin,
                                                    HBRUSH Brush, const TRect& R) {
  if (!HasBorder(BarControl) || IsMainMenuBar(BarControl)) {
    TdxBarFlatPainter::DrawDockedBarBackground(BarControl, DC, Origin, Brush, R);
    return;
  }
  // The bar's window rectangle in the DC's coordinates, less one pixel at both ends along the bar.
  const TRect margins = BarControl->FrameMargins();
  const TRect window = BarControl->WindowRectAtOrigin();
  TRect bar{-margins.left - Origin.x, -margins.top - Origin.y, window.right - margins.left - Origin.x,
            window.bottom - margins.top - Origin.y};
  const bool vertical = BarControl->IsVertical();
  if (vertical) {
    bar.top += 1;
    bar.bottom -= 1;
  } else {
    bar.left += 1;
    bar.right -= 1;
  }
  // Outside the gradient (the bar's far ends) the dock shows.
  const bool inside = R.left >= bar.left && R.right <= bar.right && R.top >= bar.top && R.bottom <= bar.bottom;
  if (!inside) TdxBarFlatPainter::DrawDockedBarBackground(BarControl, DC, Origin, Brush, R);
  // The gradient across the bar, copied from a one-pixel strip the painter keeps per thickness.
  const TRect d{std::max(R.left, bar.left), std::max(R.top, bar.top), std::min(R.right, bar.right),
                std::min(R.bottom, bar.bottom)};
  if (d.IsEmpty()) return;
  HDC strip = GradientStrip(vertical ? bar.Width() : bar.Height(), vertical);
  if (vertical)
    StretchBlt(DC, d.left, d.top, d.Width(), d.Height(), strip, d.left - bar.left, 0, d.Width(), 1, SRCCOPY);
  else
    StretchBlt(DC, d.left, d.top, d.Width(), d.Height(), strip, 0, d.top - bar.top, 1, d.Height(), SRCCOPY);
}

void TdxBarOffice11Painter::DrawManagerBackground(TdxBarControl* BarControl, HDC DC, const TPoint& Origin,
                                                  HBRUSH Brush, const TRect& R) {
  TdxBarManager* manager = ManagerOf(BarControl);
  TBitmap* picture = manager && manager->Backgrounds() ? manager->Backgrounds()->Bar() : nullptr;
  if (picture && !picture->Empty()) {
    TdxBarFlatPainter::DrawManagerBackground(BarControl, DC, Origin, Brush, R);
    return;
  }
  const TRect client = BarControl->ClientRect();
  TSavedDC saved(DC);
  IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
  PaintGradientRect(DC, TRect{-Origin.x, -Origin.y, client.right - Origin.x, client.bottom - Origin.y},
                    RoleColor(o11rToolbarStart), RoleColor(o11rToolbarEnd), false);
}

void TdxBarOffice11Painter::DrawDragHandle(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  const bool vertical = BarControl->IsVertical();
  const int state = std::clamp(BarControl->MarkState(), 0, 2);
  const TColor markBorder = RoleColor(TdxOffice11Role(o11rMarkBorderNormal + state));
  auto dock = [&](const TRect& part) { DrawDockedBarBackground(BarControl, DC, TPoint{0, 0}, nullptr, part); };
  const TRect margins = BarControl->FrameMargins();
  // The dock's background under the frame's ends (the DC is at the window's origin).
  auto dockAt = [&](const TRect& part) {
    TdxDockControl* site = BarControl->DockControl();
    if (!site) return;
    const TRect bounds = BarControl->BoundsRect();
    TSavedDC saved(DC);
    OffsetWindowOrgEx(DC, bounds.left, bounds.top, nullptr);
    site->FillBackground(DC, TRect{part.left + bounds.left, part.top + bounds.top, part.right + bounds.left,
                                   part.bottom + bounds.top},
                         nullptr, site->Color());
  };
  (void)dock;
  (void)margins;
  if (IsMainMenuBar(BarControl)) {
    if (vertical) {
      dockAt(TRect{R.left, R.top, R.left + 2, R.bottom});
      dockAt(TRect{R.right - 2, R.top, R.right, R.bottom});
    } else {
      dockAt(TRect{R.left, R.top, R.right, R.top + 2});
      dockAt(TRect{R.left, R.bottom - 2, R.right, R.bottom});
    }
  } else if (HasBorder(BarControl)) {
    // Two-pixel ends in the dock's background, the far edge a line in the bottom-line colour, and
    // the corners blended into the gradients.
    const TRect gradientBar = vertical ? TRect{R.left, R.top + 1, R.right, R.bottom - 1}
                                       : TRect{R.left + 1, R.top, R.right - 1, R.bottom};
    if (vertical) {
      dockAt(TRect{R.left, R.top, R.right, R.top + 2});
      dockAt(TRect{R.left, R.bottom - 2, R.right, R.bottom});
    } else {
      dockAt(TRect{R.left, R.top, R.left + 2, R.bottom});
      dockAt(TRect{R.right - 2, R.top, R.right, R.bottom});
    }
    const TColor line = RoleColor(o11rToolbarBottomLine);
    const bool mark = BarControl->ShowsMark();
    const int markExtent = mark ? BarControl->MarkExtent() : 0;
    if (vertical)
      FillRectSolid(DC, TRect{R.right - 1, R.top + 2, R.right, R.bottom - 2 - markExtent}, line);
    else
      FillRectSolid(DC, TRect{R.left + 2, R.bottom - 1, R.right - 2 - markExtent, R.bottom}, line);
    const TColor start = RoleColor(o11rToolbarStart), end = RoleColor(o11rToolbarEnd);
    auto corner = [&](int x, int y, int xo, int yo, TColor border, bool farEdge) {
      const TColor g = GradientColorAt(gradientBar, vertical ? x : y, start, end, !vertical);
      const TColor blend = Blend50(farEdge ? border : g, g);
      SetPixelColor(DC, x + xo, y, blend);
      SetPixelColor(DC, x, y + yo, blend);
    };
    corner(R.left, R.top, 1, 1, line, false);
    corner(R.right - 1, R.top, -1, 1, line, vertical);
    corner(R.left, R.bottom - 1, 1, -1, line, !vertical);
    corner(R.right - 1, R.bottom - 1, -1, -1, mark ? markBorder : line, true);
  }
  if (!ShowsHandle(BarControl)) return;
  TRect handle = Deflated(R, 2, 2);
  const int off = DragHandleOffset(), w = DragHandleWidth();
  if (!vertical)
    handle = TRect{handle.left + off, handle.top + 3, handle.left + off + w, handle.bottom - 3};
  else
    handle = TRect{handle.left + 3, handle.top + off, handle.right - 3, handle.top + off + w};
  DrawGripDots(DC, handle, !vertical);
}

void TdxBarOffice11Painter::DrawBarMark(TdxBarControl* BarControl, HDC DC, const TRect& R, bool HasHiddenLinks) {
  const bool plain = !HasBorder(BarControl) || IsMainMenuBar(BarControl);
  const int k = plain ? 2 : 0, m = plain ? 1 : 0;
  const bool vertical = BarControl->IsVertical();
  for (int pass = 0; pass < 2; ++pass) {
    const int d = pass == 0 ? 1 : 0;
    const TColor color = RoleColor(pass == 0 ? o11rMarkArrowLight : o11rMarkArrowDark);
    if (!vertical) {
      const int x = R.right - 6 - k + d, y = R.bottom - 8 - m + d;
      FillRectSolid(DC, TRect{x, y, x + 5, y + 1}, color);
      const POINT t[3] = {{x, y + 3}, {x + 4, y + 3}, {x + 2, y + 5}};
      FillPolygonSolid(DC, t, 3, color);
      if (HasHiddenLinks) {
        for (int i = 0; i < 2; ++i) {
          const int cx = R.right - 7 - k + 4 * i + d, cy = R.top + 3 - m + d;
          for (int row = 0; row < 2; ++row) {
            const POINT c[3] = {{cx + row, cy}, {cx + 1 + row, cy + 1}, {cx + row, cy + 2}};
            PolylineSolid(DC, c, 3, color);
            SetPixelColor(DC, cx + row, cy + 2, color);
          }
        }
      }
    } else {
      const int x = R.right - 8 - m + d, y = R.bottom - 6 - k + d;
      FillRectSolid(DC, TRect{x, y, x + 1, y + 5}, color);
      const POINT t[3] = {{x + 3, y}, {x + 3, y + 4}, {x + 5, y + 2}};
      FillPolygonSolid(DC, t, 3, color);
      if (HasHiddenLinks) {
        for (int i = 0; i < 2; ++i) {
          const int cx = R.left + 3 - k + d, cy = R.bottom - 7 - m + 4 * i + d;
          for (int col = 0; col < 2; ++col) {
            const POINT c[3] = {{cx, cy + col}, {cx + 1, cy + 1 + col}, {cx + 2, cy + col}};
            PolylineSolid(DC, c, 3, color);
            SetPixelColor(DC, cx + 2, cy + col, color);
          }
        }
      }
    }
  }
}

void TdxBarOffice11Painter::DrawMarkFace(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState) {
  if (!HasBorder(BarControl) || IsMainMenuBar(BarControl)) return;
  const int state = std::clamp(MarkState, 0, 2);
  const bool vertical = BarControl->IsVertical();
  PaintGradientRect(DC, R, RoleColor(TdxOffice11Role(o11rMarkStartNormal + state)),
                    RoleColor(TdxOffice11Role(o11rMarkEndNormal + state)), vertical);
  const TRect bar = BarControl->ClientRect();
  const int x = R.right - 1, y = R.bottom - 1;
  const TColor g = GradientColorAt(bar, vertical ? x : y, RoleColor(o11rToolbarStart), RoleColor(o11rToolbarEnd),
                                   vertical);
  SetPixelColor(DC, x, y, Blend50(RoleColor(TdxOffice11Role(o11rMarkCornerNormal + state)), g));
}

void TdxBarOffice11Painter::DrawBarSeparator(TdxBarControl* BarControl, HDC DC, const TRect& R, bool Horizontal) {
  DrawBarBackground(BarControl, DC, TPoint{0, 0}, BarControl->BackgroundBrush(), R);
  const TColor dark = RoleColor(o11rSeparatorDark), light = RoleColor(o11rSeparatorLight);
  if (Horizontal) {
    const int y = R.top + R.Height() / 2 - 1;
    FillRectSolid(DC, TRect{R.left + 3, y, R.right - 4, y + 1}, dark);
    FillRectSolid(DC, TRect{R.left + 4, y + 1, R.right - 3, y + 2}, light);
  } else {
    const int x = R.left + R.Width() / 2 - 1;
    FillRectSolid(DC, TRect{x, R.top + 3, x + 1, R.bottom - 4}, dark);
    FillRectSolid(DC, TRect{x + 1, R.top + 4, x + 2, R.bottom - 3}, light);
  }
}

TRect TdxBarOffice11Painter::DrawFloatingBarBorder(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) {
  if (!BarControl->NotFlatFloating()) {
    FrameBrush(DC, R, RoleBrush(o11rBorder));
    for (int i = 1; i < FrameWidth(); ++i) FrameBrush(DC, Deflated(R, i, i), Brush);
    return Deflated(R, FrameWidth(), FrameHeight());
  }
  const TColor outer = RoleColor(o11rFloatingBorderOuter), inner = RoleColor(o11rFloatingBorderInner);
  FrameRectSolid(DC, R, outer);
  FrameRectSolid(DC, Deflated(R, 1, 1), outer);
  FrameRectSolid(DC, Deflated(R, 2, 2), inner);
  SetPixelColor(DC, R.left + 2, R.top + 2, outer);
  SetPixelColor(DC, R.right - 3, R.top + 2, outer);
  SetPixelColor(DC, R.left + 2, R.bottom - 3, outer);
  SetPixelColor(DC, R.right - 3, R.bottom - 3, outer);
  return Deflated(R, FrameWidth(), FrameHeight());
}

void TdxBarOffice11Painter::DrawFloatingCaption(TdxBarControl* BarControl, HDC DC, HBRUSH, const TRect& R) {
  TGdiObject<HBRUSH> brush(CreateSolidBrush(COLORREF(ColorToRGB(RoleColor(o11rFloatingCaption)))));
  TdxBarFlatPainter::DrawFloatingCaption(BarControl, DC, brush, R);
}

TRect TdxBarOffice11Painter::MarkRectFor(TdxBarControl* BarControl) {
  TRect r = MarkRect(BarControl);
  if (BarControl->IsDocked() && HasBorder(BarControl)) {
    if (BarControl->IsVertical()) {
      r.top -= 1;
      r.bottom += 2;
    } else {
      r.left -= 1;
      r.right += 2;
    }
  }
  return r;
}

void TdxBarOffice11Painter::InvalidateMark(TdxBarControl* BarControl) {
  TdxBarFlatPainter::InvalidateMark(BarControl);
  if (BarControl->IsDocked() && BarControl->HandleAllocated()) SendMessageW(BarControl->Handle(), WM_NCPAINT, 1, 0);
}

void TdxBarOffice11Painter::DrawCaptionButtonFace(TdxBarControl* BarControl, HDC DC, const TRect& R, int State) {
  if (State == 0) {
    TdxBarFlatPainter::DrawCaptionButtonFace(BarControl, DC, R, State);
    return;
  }
  FrameOffice11Selection(DC, R);
  FillRectSolid(DC, Deflated(R, 1, 1), RoleColor(State == 1 ? o11rHotStart : o11rPressedStart));
}

void TdxBarOffice11Painter::DrawColorBoxSelection(TdxBarItemControl* Control, HDC DC, bool Selected, const TRect& Box,
                                                  const TRect& Frame) {
  if (!Selected) return;
  FrameOffice11Selection(DC, Frame);
  FillBrush(DC, TRect{Box.right, Box.top, Box.right + 2, Box.bottom},
            SelectedBrush(Control ? Control->BarControl() : nullptr));
}

void TdxBarOffice11Painter::DrawCenteredArrow(HDC DC, const TRect& R, TColor, bool Down, bool Enabled, bool Selected,
                                              bool) {
  DrawOffice11ArrowInRect(DC, R, Down, Enabled, Selected);
}

void TdxBarOffice11Painter::DrawArrowWithSize(HDC DC, const TRect& R, TColor, bool Down, int Size, bool Enabled,
                                              bool Selected, bool) {
  DrawOffice11ArrowSized(DC, R, Down, Size, Selected, Enabled);
}

bool TdxBarOffice11Painter::ItemFaceGradient(TdxBarItemControl* Control, const TdxBarPaintStates& S, int PaintType,
                                             TColor& Start, TColor& End) {
  TCustomdxBarControl* bar = Control ? Control->BarControl() : nullptr;
  const bool dropDownKind = Control && Control->HasDropDown();
  if (S.DroppedDown && !S.Checked && dropDownKind && !(bar && bar->IsQuickCustomization())) {
    Start = RoleColor(o11rDropDownStart);
    End = RoleColor(o11rDropDownEnd);
    return true;
  }
  const bool active = S.Checked || S.Selected || S.Pressed;
  if (PaintType == 1 || !active) return false;
  const bool down = S.Pressed || S.Checked;
  if (bar && bar->GlyphColumnOption()) {
    Start = End = down ? RoleColor(o11rChecked) : RoleColor(o11rHotStart);
  } else if (S.Selected && !down) {
    Start = RoleColor(o11rHotStart);
    End = RoleColor(o11rHotEnd);
  } else if (down && S.Selected) {
    Start = RoleColor(o11rPressedEnd);
    End = RoleColor(o11rPressedStart);
  } else {
    Start = RoleColor(o11rPressedStart);
    End = RoleColor(o11rPressedEnd);
    if (Start == End) Start = End = RoleColor(o11rFallback);
  }
  return true;
}

void TdxBarOffice11Painter::PaintGlyphFrame(TdxBarItemControlDrawParams* P, HDC DC, const TRect& G,
                                            bool HasBorderRoom, HBRUSH Brush, bool NoImage) {
  TdxBarItemControl* control = ControlOf(P);
  const TdxBarPaintStates s = StatesOf(P);
  const bool inMenu = P->PaintType == 1;
  if ((inMenu && s.Selected && !s.Checked && NoImage) || (control && control->HasOwnBrush())) {
    FillBrush(DC, G, Brush);
    return;
  }
  const bool active = s.Checked || s.Selected || s.Pressed;
  TColor start = 0, end = 0;
  if (ItemFaceGradient(control, s, P->PaintType, start, end)) {
    auto* toolbar = control ? dynamic_cast<TdxBarControl*>(control->BarControl()) : nullptr;
    const bool acrossX = toolbar && toolbar->IsVertical();
    PaintGradientRect(DC, G, start, end, acrossX);
  } else {
    FillItemBackground(control, DC, active, Brush, G);
  }
  if (s.Checked || s.DroppedDown || (s.Selected && !inMenu)) {
    if (s.DroppedDown)
      ClipOwnerJoin(control ? control->BarControl() : nullptr, DC, G);
    else if (s.Selected || (s.Checked && s.Pressed))
      FrameOffice11Selection(DC, G);
    else
      FrameBrush(DC, G, RoleBrush(o11rCheckedFrame));
  } else if (HasBorderRoom) {
    FrameItemBackground(control, DC, active, Brush, G);
  }
}

void TdxBarOffice11Painter::DrawEditButtonFrame(TdxBarItemControl* Control, HDC DC, const TRect& R, bool Pressed,
                                                bool Selected, bool Enabled) {
  TCustomdxBarControl* bar = Control ? Control->BarControl() : nullptr;
  if (Selected) {
    FrameOffice11Selection(DC, R);
    FillBrush(DC, Deflated(R, 1, 1), Pressed ? DownedSelectedBrush(bar) : SelectedBrush(bar));
  } else if (Enabled) {
    FrameBrush(DC, R, BarBrushOf(Control));
    FillBrush(DC, Deflated(R, 1, 1), RoleBrush(o11rMenu));
  } else {
    FrameRectSolid(DC, R, RoleColor(o11rDisabledText));
    FillSys(DC, Deflated(R, 1, 1), COLOR_BTNFACE);
  }
}

void TdxBarOffice11Painter::DrawComboButton(TdxBarItemControl* Control, HDC DC, TRect& R, HBRUSH Brush,
                                            const TdxBarPaintStates& S, int PaintType) {
  if (S.Selected) {
    const TRect grown{R.left - 1, R.top - 1, R.right + 1, R.bottom + 1};
    FrameOffice11Selection(DC, grown);
    TdxBarPaintStates face = S;
    face.Pressed = S.DroppedDown;
    face.DroppedDown = false;
    TColor start = 0, end = 0;
    if (ItemFaceGradient(Control, face, 0, start, end))
      PaintGradientRect(DC, R, start, end, false);
    else
      FillBrush(DC, R, Brush);
  } else {
    HBRUSH frame = S.Enabled ? (Control && Control->HasOwnBrush() ? Control->OwnBrush() : BarBrushOf(Control)) : Brush;
    FrameBrush(DC, R, frame);
    FillBrush(DC, TRect{R.left - 1, R.top, R.left, R.bottom}, frame);
    R = Deflated(R, 1, 1);
    if (S.Enabled && PaintType == 1)
      FillBrush(DC, R, RoleBrush(o11rMenu));
    else
      FillItemBackground(Control, DC, !S.Enabled, Brush, R);
  }
  if (S.DroppedDown) {
    R.left += 1;
    R.top += 1;
    R.right += 1;
    R.bottom += 1;
  }
}

void TdxBarOffice11Painter::DrawEditBorder(TdxBarItemControlDrawParams* P, HDC DC, TRect& R) {
  TdxBarItemControl* control = ControlOf(P);
  if (P->Selected)
    FrameOffice11Selection(DC, R);
  else if (!P->Enabled)
    FrameRectSolid(DC, R, RoleColor(o11rDisabledText));
  else if (P->PaintType != 1)
    FrameItemBackground(control, DC, false, nullptr, R);
  else
    FrameBrush(DC, R, RoleBrush(o11rMenu));
  R = Deflated(R, 1, 1);
}

void TdxBarOffice11Painter::DrawEditCaptionBackground(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R) {
  if (P->PaintType == 1)
    FillBrush(DC, R, RoleBrush(o11rMenu));
  else
    FillItemBackground(ControlOf(P), DC, false, nullptr, R);
}

void TdxBarOffice11Painter::DrawDropDownListBorder(HDC DC, TColor, const TRect& R) {
  FrameBrush(DC, R, RoleBrush(o11rBorder));
  FrameBrush(DC, Deflated(R, 1, 1), RoleBrush(o11rInnerBorder));
}

void TdxBarOffice11Painter::DrawCalendarButton(TdxBarManager* Manager, HDC DC, const TRect& R, const String& Text,
                                               bool Pressed) {
  if (Manager && Manager->ThemeAvailable()) {
    FillSys(DC, R, COLOR_WINDOW);
    TdxBarXPPainter::DrawThemePart(totToolBar, DC, 1, Pressed ? 3 : 2, R);
    DrawCalendarButtonText(DC, R, Text, false, Pressed ? 1 : 0);
    return;
  }
  TdxBarFlatPainter::DrawCalendarButton(Manager, DC, R, Text, Pressed);
}

void TdxBarOffice11Painter::DrawExpandChevrons(TCustomdxBarControl*, HDC DC, const TRect& R, int, bool) {
  TBitmap* check = Office11SubMenuExpandBitmap();
  if (!check || check->Empty()) return;
  const int side = R.Height() - 2;
  const TRect square{R.left + (R.Width() - side) / 2, R.top + 1, R.left + (R.Width() - side) / 2 + side, R.top + 1 + side};
  const TRect glyph{square.left + (side - check->Width()) / 2, square.top + (side - check->Height()) / 2,
                    square.left + (side - check->Width()) / 2 + check->Width(),
                    square.top + (side - check->Height()) / 2 + check->Height()};
  DrawBitmapGlyphByState(DC, glyph, check, true);
}

void TdxBarOffice11Painter::FillMenuBackground(TCustomdxBarControl* SubMenu, HDC DC, HBRUSH Brush, const TRect& R,
                                               bool RarelyUsed) {
  TdxBarManager* manager = ManagerOf(SubMenu);
  TBitmap* picture = manager && manager->Backgrounds() ? manager->Backgrounds()->SubMenu() : nullptr;
  if (picture && !picture->Empty()) {
    TdxBarFlatPainter::FillMenuBackground(SubMenu, DC, Brush, R, RarelyUsed);
    return;
  }
  const int band = SubMenu ? SubMenu->IconAreaSize() : 0;
  auto* menu = dynamic_cast<TdxBarSubMenuControl*>(SubMenu);
  const int gap = menu ? menu->BandExtraWidth() : 0;
  // The second pair while the menu paints a rarely used item.
  if (SubMenu && SubMenu->PaintingNonRecent) RarelyUsed = true;
  const TColor start = RoleColor(RarelyUsed ? o11rMenuBandRareStart : o11rMenuBandStart);
  const TColor end = RoleColor(RarelyUsed ? o11rMenuBandRareEnd : o11rMenuBandEnd);
  TSavedDC saved(DC);
  IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
  PaintTwoPhaseGradient(DC, TRect{0, R.top, band, R.bottom}, start, end, true);
  // The band's extra width continues it in its end colour.
  FillRectSolid(DC, TRect{band, R.top, band + gap, R.bottom}, end);
  FillBrush(DC, TRect{std::max<int>(band + gap, R.left), R.top, R.right, R.bottom}, Brush);
}

void TdxBarOffice11Painter::DrawMenuItemBackground(TCustomdxBarControl* SubMenu, TdxBarItemControlDrawParams* P,
                                                   const TRect& R) {
  // The flat entry with the bar's brush on the ring, the column, the rows and the text area.
  HBRUSH bar = BarBrushOf(ControlOf(P));
  DrawFlatMenuItemBackground(SubMenu, P, R, bar, bar, bar, bar);
}

void TdxBarOffice11Painter::DrawSubMenuBorder(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R,
                                              int DetachCaptionHeight, bool DetachSelected) {
  FrameBrush(DC, R, RoleBrush(o11rBorder));
  if (DetachCaptionHeight <= 0) return;
  const TRect inner = Deflated(R, 1, 1);
  const TRect caption{inner.left, inner.top, inner.right, inner.top + DetachCaptionHeight + 5};
  FrameBrush(DC, caption, RoleBrush(o11rMenuBorder));
  FillDetachCaption(SubMenu, DC, Deflated(caption, 1, 1), DetachSelected);
}

void TdxBarOffice11Painter::DrawSubMenuInnerBorder(TCustomdxBarControl* SubMenu, HDC DC, const TRect& ItemsRect,
                                                   HBRUSH, bool) {
  TdxBarManager* manager = ManagerOf(SubMenu);
  TBitmap* picture = manager && manager->Backgrounds() ? manager->Backgrounds()->SubMenu() : nullptr;
  if (picture && !picture->Empty()) {
    FrameBrush(DC, ItemsRect, RoleBrush(o11rMenuBorder));
    return;
  }
  HBRUSH border = RoleBrush(o11rMenuBorder);
  FillBrush(DC, TRect{ItemsRect.left, ItemsRect.top, ItemsRect.right, ItemsRect.top + 1}, border);
  FillBrush(DC, TRect{ItemsRect.right - 1, ItemsRect.top, ItemsRect.right, ItemsRect.bottom}, border);
  FillBrush(DC, TRect{ItemsRect.left, ItemsRect.bottom - 1, ItemsRect.right, ItemsRect.bottom}, border);
  FillRectSolid(DC, TRect{ItemsRect.left, ItemsRect.top, ItemsRect.left + 1, ItemsRect.bottom},
                RoleColor(o11rMenuBandStart));
}

void TdxBarOffice11Painter::FillDetachCaption(TCustomdxBarControl*, HDC DC, const TRect& R, bool Selected) {
  if (Selected) {
    FrameOffice11Selection(DC, R);
    FillBrush(DC, Deflated(R, 1, 1), RoleBrush(o11rDetachCaptionHot));
  } else {
    FillBrush(DC, R, RoleBrush(o11rDetachCaption));
  }
  const int dx = (R.Width() + (Selected ? 0 : 2)) / 4;
  DrawGripDots(DC, Deflated(R, dx, Selected ? 1 : 2), false);
}

// ======== XP =====================================================================================

namespace {

TdxBarXPThemeMetrics g_xpMetrics;

SIZE ThemeTrueSize(TdxThemedObjectKind Kind, int Part, int State) {
  SIZE size{0, 0};
  TdxTheme theme = ThemeHandleFor(Kind);
  if (theme && Bound().GetThemePartSize) Bound().GetThemePartSize.Get()(theme, nullptr, Part, State, nullptr, 1, &size);
  return size;
}

// The content rectangle of a 100 x 100 part; false without the theme.
bool ThemeContentOf100(TdxThemedObjectKind Kind, int Part, int State, RECT& Content) {
  Content = RECT{0, 0, 100, 100};
  TdxTheme theme = ThemeHandleFor(Kind);
  const RECT whole{0, 0, 100, 100};
  return theme && Bound().GetThemeBackgroundContentRect &&
         SUCCEEDED(Bound().GetThemeBackgroundContentRect.Get()(theme, nullptr, Part, State, &whole, &Content));
}

void ReadXPThemeMetrics() {
  TdxBarXPThemeMetrics m;
  if (SIZE s = ThemeTrueSize(totToolBar, 5, 1); s.cx > 0) m.SeparatorWidth = s.cx;
  if (SIZE s = ThemeTrueSize(totWindow, 19, 1); s.cx > 0) m.CaptionButtonSize = TSize{s.cx, s.cy};
  RECT split{}, edit{}, bar{};
  if (ThemeContentOf100(totToolBar, 3, 1, split)) m.ButtonMargin = 100 - (split.bottom - split.top);
  if (SIZE s = ThemeTrueSize(totComboBox, 1, 1); s.cx > 0) m.ComboButtonWidth = s.cx;
  if (ThemeContentOf100(totEdit, 1, 1, edit))
    m.EditMargins = TRect{edit.left, edit.top, 100 - edit.right, 100 - edit.bottom};
  if (SIZE s = ThemeTrueSize(totRebar, 1, 1); s.cx > 0) m.GripperWidth = s.cx;
  const SIZE chunk = ThemeTrueSize(totProgress, 3, 1);
  ThemeContentOf100(totProgress, 1, 1, bar);
  if (chunk.cy > 0) m.ProgressMinHeight = chunk.cy + bar.left + (100 - bar.right);
  if (SIZE s = ThemeTrueSize(totStatus, 3, 0); s.cx > 0) m.SizeGripSize = TSize{s.cx, s.cy};
  if (SIZE s = ThemeTrueSize(totToolBar, 6, 1); s.cy > 0) m.SeparatorHeight = s.cy;
  g_xpMetrics = m;
}

}  // namespace

const TdxBarXPThemeMetrics& BarXPThemeMetrics() { return g_xpMetrics; }

TdxBarXPPainter::TdxBarXPPainter(TcxCustomLookAndFeelPainterClass Skin) : TdxBarPainter(Skin) {
  ReadXPThemeMetrics();
}

bool TdxBarXPPainter::DrawThemePart(TdxThemedObjectKind Kind, HDC DC, int Part, int State, const TRect& R) {
  TdxTheme theme = ThemeHandleFor(Kind);
  if (!theme || !Bound().DrawThemeBackground) return false;
  const RECT r = R;
  return SUCCEEDED(Bound().DrawThemeBackground.Get()(theme, DC, Part, State, &r, nullptr));
}

bool TdxBarXPPainter::ThemePartPartlyTransparent(TdxThemedObjectKind Kind, int Part, int State) {
  TdxTheme theme = ThemeHandleFor(Kind);
  if (!theme || !Bound().IsThemeBackgroundPartiallyTransparent) return false;
  return Bound().IsThemeBackgroundPartiallyTransparent.Get()(theme, Part, State) != FALSE;
}

bool TdxBarXPPainter::PainterOptionD(TdxBarItemControl* Control) {
  return Control && Control->BarControl() && Control->BarControl()->GlyphColumnOption();
}

TSize TdxBarXPPainter::SizeGripSize(TdxBarManager* Manager) {
  if (Manager && Manager->ThemeAvailable()) return BarXPThemeMetrics().SizeGripSize;
  return TdxBarPainter::SizeGripSize(Manager);
}

HBRUSH TdxBarXPPainter::ToolbarBrush(TCustomdxBarControl* BarControl) {
  TdxBarManager* manager = ManagerOf(BarControl);
  HBRUSH brush = manager ? manager->ThemeToolbarBrush() : nullptr;
  return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

void TdxBarXPPainter::DrawDockBackground(TdxDockControl* Site, HDC DC, const TRect& R, const TRect& Client, HBRUSH,
                                         TColor) {
  TBitmap* cache = Site ? Site->BackgroundCache() : nullptr;
  auto paint = [&](HDC target, const TRect& area) {
    if (!DrawThemePart(totRebar, target, 0, 0, area)) FillSys(target, area, COLOR_BTNFACE);
    if (!Site) return;
    const bool vertical = Site->DockingStyle() == dsLeft || Site->DockingStyle() == dsRight;
    const std::vector<std::pair<int, int>> rows = Site->RowExtents();
    for (size_t i = 0; i < rows.size(); ++i) {
      const auto [lo, hi] = rows[i];
      if (!Site->RowHasBorderedBars(int(i))) continue;
      const bool leading = !(i == 0 && (Site->DockingStyle() == dsTop || Site->DockingStyle() == dsLeft));
      const bool trailing = !Site->RowTouchesFarEdge(int(i));
      if (vertical) {
        if (leading) FillSys(target, TRect{lo, area.top, lo + 1, area.bottom}, COLOR_BTNHIGHLIGHT);
        if (trailing) FillSys(target, TRect{hi - 1, area.top, hi, area.bottom}, COLOR_BTNSHADOW);
      } else {
        if (leading) FillSys(target, TRect{area.left, lo, area.right, lo + 1}, COLOR_BTNHIGHLIGHT);
        if (trailing) FillSys(target, TRect{area.left, hi - 1, area.right, hi}, COLOR_BTNSHADOW);
      }
    }
  };
  if (!cache) {
    TSavedDC saved(DC);
    IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
    paint(DC, Client);
    return;
  }
  if (cache->Empty() || cache->Width() != Client.Width() || cache->Height() != Client.Height()) {
    cache->SetSize(Client.Width(), Client.Height());
    paint(cache->Canvas()->Handle(), TRect{0, 0, Client.Width(), Client.Height()});
    Site->NoteBackgroundCacheFilled();
  }
  BitBlt(DC, R.left, R.top, R.Width(), R.Height(), cache->Canvas()->Handle(), R.left - Client.left,
         R.top - Client.top, SRCCOPY);
}

void TdxBarXPPainter::DrawMarkFace(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState) {
  DrawBarBackground(BarControl, DC, TPoint{0, 0}, BarControl->BackgroundBrush(), R);
  if (HasBorder(BarControl)) return;
  const TRect face = BarControl->IsVertical() ? Deflated(R, 2, 0) : Deflated(R, 0, 2);
  static const int states[3] = {1, 2, 3};
  DrawThemePart(totToolBar, DC, 1, states[std::clamp(MarkState, 0, 2)], face);
}

void TdxBarXPPainter::DrawDragHandle(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  if (!ShowsHandle(BarControl)) return;
  const TRect inner = Deflated(R, 2, 2);
  const bool vertical = BarControl->IsVertical();
  const TRect strip = vertical ? TRect{inner.left, inner.top, inner.right, inner.top + DragHandleWidth()}
                               : TRect{inner.left, inner.top, inner.left + DragHandleWidth(), inner.bottom};
  DrawThemePart(totRebar, DC, vertical ? 2 : 1, 1, strip);
}

void TdxBarXPPainter::DrawBarSeparator(TdxBarControl* BarControl, HDC DC, const TRect& R, bool Horizontal) {
  DrawBarBackground(BarControl, DC, TPoint{0, 0}, BarControl->BackgroundBrush(), R);
  DrawThemePart(totToolBar, DC, Horizontal ? 6 : 5, 1, R);
}

void TdxBarXPPainter::FillToolbarBackground(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  TdxBarManager* manager = ManagerOf(BarControl);
  auto* form = manager ? dynamic_cast<TWinControl*>(manager->Owner()) : nullptr;
  const bool active = form && form->HandleAllocated() && IsActiveWindowHandle(form->Handle());
  FillSys(DC, R, active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
}

void TdxBarXPPainter::PaintCaptionCloseButton(TdxBarControl*, HDC DC, const TRect& R, int State) {
  DrawThemePart(totWindow, DC, 19, State == 2 ? 3 : State == 1 ? 2 : 1, R);
}

TRect TdxBarXPPainter::DrawFloatingBarBorder(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) {
  return FlatPainterInstance()->DrawFloatingBarBorder(BarControl, DC, R, Brush);
}

void TdxBarXPPainter::DrawMDIButton(TdxBarControl* BarControl, HDC DC, const TRect& R, int Kind, int State) {
  DrawBarBackground(BarControl, DC, TPoint{0, 0}, BarControl->BackgroundBrush(), R);
  static const int parts[3] = {16, 22, 20};
  const int state = State == 1 ? 4 : State == 2 ? 2 : State >= 3 ? 3 : 1;
  DrawThemePart(totWindow, DC, parts[std::clamp(Kind, 0, 2)], state, R);
}

void TdxBarXPPainter::OffsetFloatingCaption(TdxBarControl*, TRect& TextR, const TRect& MarkR) {
  TextR.left += 2;
  TextR.right = MarkR.left;
}

void TdxBarXPPainter::PaintGlyphFrame(TdxBarItemControlDrawParams* P, HDC DC, const TRect& G, bool, HBRUSH Brush,
                                      bool NoImage) {
  TdxBarItemControl* control = ControlOf(P);
  const TdxBarPaintStates s = StatesOf(P);
  const bool inMenu = P->PaintType == 1;
  if ((control && control->HasOwnBrush()) || (inMenu && NoImage && !s.Checked && (s.Selected || s.RarelyUsed))) {
    FillBrush(DC, G, Brush);
    return;
  }
  FillItemBackground(control, DC, false, Brush, G);
  if (!inMenu && PainterOptionD(control) && (s.Pressed || s.Selected || s.Checked || s.DroppedDown)) {
    FillSys(DC, G, COLOR_HIGHLIGHT);
    return;
  }
  const bool split = HasSplitPart(P);
  int state = 1;
  if (!s.Enabled)
    state = 4;
  else if (s.Pressed)
    state = 3;
  else if (s.Checked || (s.DroppedDown && !split))
    state = 5;
  else if (s.Selected)
    state = 2;
  DrawThemePart(totToolBar, DC, split ? 3 : 1, state, G);
}

void TdxBarXPPainter::DrawCheckGlyph(HDC DC, int X, int Y, bool DoubleSize, bool Enabled) {
  FlatPainterInstance()->DrawCheckGlyph(DC, X, Y, DoubleSize, Enabled);
}

void TdxBarXPPainter::DrawButtonPart(TdxBarItemControlDrawParams* P, const TRect& R, HBRUSH Brush) {
  TdxBarPainter::DrawButtonPart(P, R, Brush);
  const TdxBarPaintStates s = StatesOf(P);
  auto* b = ButtonParams(P);
  const bool inMenu = P->PaintType == 1;
  int state = 1;
  if (!s.Enabled || (b && b->IsButton && !b->DropDownEnabled))
    state = 4;
  else if (s.DroppedDown || (!inMenu && s.Pressed))
    state = 3;
  else if (!inMenu && s.Checked)
    state = 5;
  else if (s.Selected)
    state = 2;
  DrawThemePart(totToolBar, DCOf(P), inMenu ? 1 : 4, state, R);
}

void TdxBarXPPainter::DrawButtonArrow(TdxBarItemControlDrawParams* P, const TRect& R) {
  if (P->PaintType == 1) TdxBarPainter::DrawButtonArrow(P, R);
}

void TdxBarXPPainter::DrawEllipsisDot(HDC DC, const TRect& R, bool Enabled, bool Selected) {
  if (Enabled)
    FillSys(DC, R, COLOR_BTNTEXT);
  else
    TdxBarPainter::DrawEllipsisDot(DC, R, Enabled, Selected);
}

HBRUSH TdxBarXPPainter::ItemBackgroundBrush(TdxBarItemControl* Control, int PaintType, const TdxBarPaintStates& S) {
  if (PaintType == 1 && S.Selected && !S.Checked) return SelectedBrush(Control ? Control->BarControl() : nullptr);
  return TdxBarPainter::ItemBackgroundBrush(Control, PaintType, S);
}

void TdxBarXPPainter::DrawComboDropDownButton(TdxBarItemControl* Control, HDC DC, const TRect& R,
                                              const TdxBarPaintStates& S, int) {
  const int state = !S.Enabled ? 4 : S.DroppedDown ? 3 : S.Selected ? 2 : 1;
  if (ThemePartPartlyTransparent(totComboBox, 1, state))
    FillRectSolid(DC, R, EditBackgroundColor(Control, S.Enabled));
  DrawThemePart(totComboBox, DC, 1, state, R);
}

TColor TdxBarXPPainter::EditBackColor() { return EditBackColorFromTheme(1); }
TColor TdxBarXPPainter::DisabledEditBackColor(TCustomdxBarControl*) { return EditBackColorFromTheme(4); }
TColor TdxBarXPPainter::EditTextColor() { return EditTextColorFromTheme(1); }
TColor TdxBarXPPainter::DisabledEditTextColor() { return EditTextColorFromTheme(4); }

void TdxBarXPPainter::DrawEditBorder(TdxBarItemControlDrawParams* P, HDC DC, TRect& R) {
  TdxBarItemControl* control = ControlOf(P);
  const int state = P->Enabled ? 1 : 4;
  TRect content = R;
  TdxTheme theme = ThemeHandleFor(totEdit);
  if (theme && Bound().GetThemeBackgroundContentRect) {
    RECT whole = R, inner = R;
    Bound().GetThemeBackgroundContentRect.Get()(theme, DC, 1, state, &whole, &inner);
    content = inner;
  } else {
    content = Deflated(R, 1, 1);
  }
  TSavedDC saved(DC);
  ExcludeClipRect(DC, content.left, content.top, content.right, content.bottom);
  if ((P->Enabled && P->PaintType != 1) || (control && control->Active() && !P->Selected))
    FillItemBackground(control, DC, false, BarBrushOf(control), R);
  else
    DrawThemePart(totEdit, DC, 1, state, R);
  R = content;
}

HBRUSH TdxBarXPPainter::EditBrushFor(TdxBarItemControl* Control) {
  return Control && Control->HasOwnBrush() ? Control->OwnBrush() : BarBrushOf(Control);
}

bool TdxBarXPPainter::EditCaptionGapFillsBackground(TdxBarItemControlDrawParams* P) {
  return P->PaintType == 1 && (P->Selected || StatesOf(P).RarelyUsed);
}

void TdxBarXPPainter::DrawColorComboButton(TdxBarItemControl*, HDC DC, const TRect& R, const TdxBarPaintStates& S) {
  DrawThemePart(totToolBar, DC, 1, !S.Enabled ? 4 : S.Pressed ? 3 : S.Selected ? 2 : 1, R);
  DrawEllipsis(DC, R, S.Enabled, S.Selected, S.Pressed);
}

void TdxBarXPPainter::DrawColorComboFrame(TdxBarItemControl* Control, HDC DC, const TRect& R) {
  FrameItemBackground(Control, DC, false, BarBrushOf(Control), R);
}

void TdxBarXPPainter::DrawComboListEntry(HDC DC, const TRect& R, const String& Text, int Offset) {
  FlatPainterInstance()->DrawComboListEntry(DC, R, Text, Offset);
}

void TdxBarXPPainter::DrawSpinButton(TdxBarItemControl* Control, HDC DC, const TRect& R, int Part, int State,
                                     const TSize&, bool) {
  FillItemBackground(Control, DC, false, BarBrushOf(Control), R);
  DrawThemePart(totSpin, DC, Part == 3 ? 1 : 2, State, R);
}

TColor TdxBarXPPainter::HighlightColor() {
  TdxTheme theme = ThemeHandleFor(totProgress);
  COLORREF color = 0;
  if (theme && Bound().GetThemeColor && SUCCEEDED(Bound().GetThemeColor.Get()(theme, 3, 1, 3802, &color)))
    return TColor(color);
  return TColor(clHighlight);
}

void TdxBarXPPainter::DrawProgressBar(TdxBarItemControl* Control, HDC DC, const TRect& R, TColor Color, int Min,
                                      int Max, int Position, bool Smooth, bool Vertical) {
  const int barPart = Vertical ? 2 : 1;
  if (ThemePartPartlyTransparent(totProgress, barPart, 1)) FillItemBackground(Control, DC, false, nullptr, R);
  TRect content = Deflated(R, 1, 1);
  TdxTheme theme = ThemeHandleFor(totProgress);
  if (theme && Bound().GetThemeBackgroundContentRect) {
    RECT whole = R, inner = R;
    Bound().GetThemeBackgroundContentRect.Get()(theme, DC, barPart, 1, &whole, &inner);
    content = inner;
  }
  DrawThemePart(totProgress, DC, barPart, 1, R);
  const int length = Vertical ? content.Height() : content.Width();
  const int filled = ProgressFilledLength(length, Min, Max, Position);
  if (filled <= 0) return;
  const TRect part = Vertical ? TRect{content.left, content.bottom - filled, content.right, content.bottom}
                              : TRect{content.left, content.top, content.left + filled, content.bottom};
  if (Smooth) {
    TGdiObject<HBRUSH> brush(CreateSolidBrush(COLORREF(ColorToRGB(Color))));
    FillBrush(DC, part, brush);
  } else if (!DrawThemePart(totProgress, DC, Vertical ? 4 : 3, 1, part)) {
    TGdiObject<HBRUSH> brush(CreateSolidBrush(COLORREF(ColorToRGB(Color))));
    FillBrush(DC, part, brush);
  }
}

void TdxBarXPPainter::DrawCalendarButton(TdxBarManager*, HDC DC, const TRect& R, const String& Text, bool Pressed) {
  FillSys(DC, R, COLOR_WINDOW);
  DrawThemePart(totToolBar, DC, 1, Pressed ? 3 : 2, R);
  DrawCalendarButtonText(DC, R, Text, false, Pressed ? 1 : 0);
}

TRect TdxBarXPPainter::DeflateMenuContent(const TRect& R) { return Deflated(R, 2, 2); }

TRect TdxBarXPPainter::MenuSeparatorRect(TCustomdxBarControl* SubMenu, int Top, bool) {
  return TRect{0, Top - MenuSeparatorHeight(SubMenu), 0, Top};
}

void TdxBarXPPainter::DrawMenuItemBackground(TCustomdxBarControl* SubMenu, TdxBarItemControlDrawParams* P,
                                             const TRect& R) {
  // The Standard look's background with the bar's brush where that one takes the item's own.
  DrawClassicMenuItemBackground(this, SubMenu, P, R, BarBrushOf(ControlOf(P)));
}

void TdxBarXPPainter::DrawSubMenuBorder(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, int DetachCaptionHeight,
                                        bool DetachSelected) {
  FrameSys(DC, R, COLOR_BTNSHADOW);
  if (DetachCaptionHeight <= 0) return;
  const TRect inner = Deflated(R, 1, 1);
  const TRect caption{inner.left, inner.top, inner.right, inner.top + DetachCaptionHeight + 1};
  FrameBrush(DC, caption, MenuBackgroundBrush(SubMenu));
  FillDetachCaption(SubMenu, DC, Deflated(caption, 1, 1), DetachSelected);
}

void TdxBarXPPainter::DrawSubMenuInnerBorder(TCustomdxBarControl* SubMenu, HDC DC, const TRect& ItemsRect, HBRUSH,
                                             bool) {
  FrameBrush(DC, ItemsRect, MenuBackgroundBrush(SubMenu));
}

void TdxBarXPPainter::DrawMenuSeparatorItem(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, bool RarelyUsed,
                                            bool FirstOfRun, int, int) {
  if (RarelyUsed && !FirstOfRun)
    FillBrush(DC, R, MenuBackgroundBrush(SubMenu));
  else
    FillMenuBackground(SubMenu, DC, MenuBackgroundBrush(SubMenu), R, false);
  DrawMenuSeparatorLine(DC, R);
}

void TdxBarXPPainter::DrawMenuSeparatorLine(HDC DC, const TRect& R) {
  if (!DrawThemePart(totToolBar, DC, 6, 1, R)) TdxBarPainter::DrawMenuSeparatorLine(DC, R);
}

void TdxBarXPPainter::DrawDropDownNonClient(HWND Window, bool BandShown, int Corner, bool CloseHot, bool ClosePressed,
                                            TRect& CloseRect, TRect& GripRect) {
  DrawDropDownNonClientWith(Window, BandShown, Corner, CloseHot, ClosePressed, true, true, CloseRect, GripRect);
}

int TdxBarXPPainter::DropDownNonClientHeight() {
  return std::max<int>(SmallCloseButtonPartSize().cy + 4, ThemedSizeBoxExtent().cy + 1);
}

// ======== the table and the shared flat painter =================================================

namespace {
TdxBarFlatPainter* g_flatPainter = nullptr;
}  // namespace

TdxBarFlatPainter* FlatPainterInstance() {
  if (!g_flatPainter) g_flatPainter = new TdxBarFlatPainter(nullptr);
  return g_flatPainter;
}

void FreeFlatPainterInstance() {
  delete g_flatPainter;
  g_flatPainter = nullptr;
}

void RegisterBarPainterClasses() {
  SetBarPainterClass(brsStandard, &TdxBarStandardPainter::ClassInfo());
  SetBarPainterClass(brsEnhanced, &TdxBarEnhancedPainter::ClassInfo());
  SetBarPainterClass(brsFlat, &TdxBarFlatPainter::ClassInfo());
  SetBarPainterClass(brsXP, &TdxBarXPPainter::ClassInfo());
  SetBarPainterClass(brsOffice11, &TdxBarOffice11Painter::ClassInfo());
  SetBarPainterClass(brsSkinned, &TdxBarStandardPainter::ClassInfo());
}
