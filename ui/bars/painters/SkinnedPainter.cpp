#include "ui/bars/painters/SkinnedPainter.h"

#include <algorithm>
#include <cmath>

#include "platform/framework/classes/Strings.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/Bars.h"
#include "ui/bars/SubMenuControl.h"
#include "ui/bars/painters/PainterSupport.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/LookAndFeel.h"

using namespace bar_painting;

DEFINE_CLASS(TdxBarSkinnedPainter)

namespace {

void FillColor(HDC DC, const TRect& R, TColor Color) {
  if (R.IsEmpty()) return;
  TGdiObject<HBRUSH> brush(CreateSolidBrush(COLORREF(ColorToRGB(Color))));
  RECT r = R;
  FillRect(DC, &r, brush);
}

void FrameColor(HDC DC, const TRect& R, TColor Color) {
  if (R.IsEmpty()) return;
  TGdiObject<HBRUSH> brush(CreateSolidBrush(COLORREF(ColorToRGB(Color))));
  RECT r = R;
  FrameRect(DC, &r, brush);
}

TRect Grown(const TRect& R, int D) { return TRect{R.left - D, R.top - D, R.right + D, R.bottom + D}; }

TRect CenteredIn(const TRect& R, int W, int H) {
  const int x = R.left + (R.Width() - W) / 2;
  const int y = R.top + (R.Height() - H) / 2;
  return TRect{x, y, x + W, y + H};
}

// The client rectangle of a window in its window coordinates.
TRect ClientInWindow(HWND Window) {
  RECT window{}, client{};
  GetWindowRect(Window, &window);
  GetClientRect(Window, &client);
  POINT origin{0, 0};
  ClientToScreen(Window, &origin);
  const int dx = origin.x - window.left, dy = origin.y - window.top;
  return TRect{client.left + dx, client.top + dy, client.right + dx, client.bottom + dy};
}

HDC CanvasDC(TcxCanvas* Canvas) { return Canvas ? Canvas->DCHandle() : nullptr; }

}  // namespace

TdxBarSkinnedPainter* TdxBarSkinnedPainter::CreatePainter(TObject* SkinOwner) {
  return new TdxBarSkinnedPainter(TcxCustomLookAndFeelPainterClass{}, SkinOwner);
}

// ---- state rules ----------------------------------------------------------------------------------

TdxSkinStateInput TdxBarSkinnedPainter::StateInputOf(TdxBarItemControlDrawParams* P) {
  TdxSkinStateInput in;
  if (!P) return in;
  in.HotPart = P->HotPart;
  in.CanSelect = P->CanSelect;
  in.Selected = P->Selected;
  in.Enabled = P->Enabled;
  in.Customizing = P->Customizing;
  in.Pressed = P->Pressed;
  in.DroppedDown = P->DroppedDown;
  in.HasDropDown = P->HasDropDown;
  in.SelectedByKey = P->KeyboardSelected;
  in.ViewSize = P->ViewSize;
  if (auto* b = ButtonParams(P)) {
    in.Checked = b->Down;
    in.Split = b->IsButton;
  }
  if (auto* e = dynamic_cast<TdxBarEditLikeControlDrawParams*>(P)) in.Focused = e->Focused;
  return in;
}

int TdxBarSkinnedPainter::ItemPartState(const TdxSkinStateInput& P, int Part) {
  if (Part == P.HotPart && P.CanSelect) return 2;
  if ((P.CanSelect && P.Selected) || P.HotPart != -1) return P.Enabled ? 3 : 8;
  return P.Enabled ? 0 : 1;
}

int TdxBarSkinnedPainter::ButtonPartState(const TdxSkinStateInput& P, int Part) {
  if (P.Customizing) return P.Checked ? 6 : P.DroppedDown ? 5 : 0;
  if (Part == 0) {
    if (P.Pressed) return 4;
    if (P.Checked) {
      if (P.DroppedDown) return 3;
      if (P.HotPart == 0 || (P.SelectedByKey && !P.HasDropDown)) return 7;
      return 6;
    }
    if (P.DroppedDown) return P.HasDropDown && P.Split ? 3 : 5;
    return ItemPartState(P, 0);
  }
  if (Part == 1) {
    if (P.DroppedDown) return 5;
    if (P.Checked && P.HotPart == -1 && !P.SelectedByKey) return 6;
    return ItemPartState(P, 1);
  }
  return 0;
}

int TdxBarSkinnedPainter::EditPartState(const TdxSkinStateInput& P, int Part) {
  if (P.Customizing) return 0;
  switch (Part) {
    case 0:
      if (P.DroppedDown) return 5;
      if (P.Focused) return 4;
      return ItemPartState(P, 0);
    case 3:
      if (P.DroppedDown) return 5;
      if ((P.Pressed && P.HotPart == 3) || P.Focused) return 2;
      return ItemPartState(P, 3);
    case 4:
      if (P.Pressed) return 4;
      if (P.DroppedDown || P.Focused) return 2;
      return ItemPartState(P, 4);
    default: return 0;
  }
}

int TdxBarSkinnedPainter::SpinPartState(const TdxSkinStateInput& P, int Part) {
  if (P.Customizing) return 0;
  if (Part == P.PressedButton && Part == P.HotPart) return 5;
  const int s = ItemPartState(P, Part);
  if (s == 3 && (P.HotPart == -1 || P.HotPart == 1 || P.HotPart == 2 || P.HotPart == 100)) return 0;
  return s;
}

int TdxBarSkinnedPainter::MenuItemPartState(const TdxSkinStateInput& P, int Part) {
  if (Part == 1 && P.DroppedDown) return 2;
  if (Part == 0 && P.Selected && P.ViewSize != 2) return 2;
  return ItemPartState(P, Part);
}

int TdxBarSkinnedPainter::BarState(TCustomdxBarControl* BarControl) {
  return BarControl && BarControl->ViewState() == bvsHot ? 2 : 0;
}

int TdxBarSkinnedPainter::MarkStateOf(TCustomdxBarControl* BarControl) {
  switch (BarControl ? BarControl->MarkState() : 0) {
    case 1: return 2;
    case 2: return 4;
    default: return 0;
  }
}

// ---- bars ---------------------------------------------------------------------------------------

void TdxBarSkinnedPainter::DrawBarControlBackground(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawBarControlBackground(BarControl, DC, R);
  skin->DrawBackground(DC, R, 1, BarState(BarControl));
}

void TdxBarSkinnedPainter::DrawBarNonClientArea(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawBarNonClientArea(BarControl, DC, R);
  TSavedDC saved(DC);
  if (BarControl && BarControl->HandleAllocated()) {
    const TRect client = ClientInWindow(BarControl->Handle());
    ExcludeClipRect(DC, client.left, client.top, client.right, client.bottom);
  }
  const int state = BarState(BarControl);
  skin->DrawBackground(DC, R, 1, state);
  TRect caption = skin->CaptionBoundsOf(R, 1);
  TdxBar* bar = BarControl ? BarControl->Bar() : nullptr;
  if (bar && bar->CaptionButtons() && bar->CaptionButtons()->Count() > 0)
    caption.right -= bar->CaptionButtons()->ButtonsBounds().Width() + skin->ContentMarginsOf(1).right;
  skin->DrawCaption(DC, bar ? bar->Caption() : String(), caption, 1, state);
}

void TdxBarSkinnedPainter::DrawDockedBarBackground(TdxBarControl* BarControl, HDC DC, const TPoint& Origin,
                                                   HBRUSH Brush, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawDockedBarBackground(BarControl, DC, Origin, Brush, R);
  skin->DrawBackground(DC, R, 1, BarState(BarControl));
}

void TdxBarSkinnedPainter::DrawBarBackground(TdxBarControl* BarControl, HDC DC, const TPoint& Origin, HBRUSH Brush,
                                             const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawBarBackground(BarControl, DC, Origin, Brush, R);
  TSavedDC saved(DC);
  IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
  TRect whole = R;
  if (BarControl && BarControl->HandleAllocated()) {
    RECT client{};
    GetClientRect(BarControl->Handle(), &client);
    whole = TRect{client.left - Origin.x, client.top - Origin.y, client.right - Origin.x, client.bottom - Origin.y};
  }
  DrawBarControlBackground(BarControl, DC, whole);
}

TRect TdxBarSkinnedPainter::CalcBarBorderRect(TdxBarControl* BarControl) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::CalcBarBorderRect(BarControl);
  return skin->ContentMarginsOf(1);
}

int TdxBarSkinnedPainter::DockRowGap() {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DockRowGap();
  return skin->GetPartOffset(1);
}

TRect TdxBarSkinnedPainter::FloatingCaptionRect(const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::FloatingCaptionRect(R);
  return skin->CaptionBoundsOf(R, 1);
}

void TdxBarSkinnedPainter::DrawBarMark(TdxBarControl* BarControl, HDC DC, const TRect& R, bool HasHiddenLinks) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawBarMark(BarControl, DC, R, HasHiddenLinks);
  skin->DrawBackground(DC, R, HasHiddenLinks ? 337 : 336, MarkStateOf(BarControl));
}

void TdxBarSkinnedPainter::DrawSeparatorLines(HDC DC, const TRect& R, TColor Dark, TColor Light, bool Horizontal) {
  if (Horizontal) {
    const int y = R.top + (R.Height() - 2) / 2;
    FillColor(DC, TRect{R.left, y, R.right, y + 1}, Dark);
    FillColor(DC, TRect{R.left, y + 1, R.right, y + 2}, Light);
  } else {
    const int x = R.left + (R.Width() - 2) / 2;
    FillColor(DC, TRect{x, R.top, x + 1, R.bottom}, Light);
    FillColor(DC, TRect{x + 1, R.top, x + 2, R.bottom}, Dark);
  }
}

void TdxBarSkinnedPainter::DrawBarSeparator(TdxBarControl* BarControl, HDC DC, const TRect& R, bool Horizontal) {
  if (!Supports<IdxSkin>(skinOwner_)) return TdxBarOffice11Painter::DrawBarSeparator(BarControl, DC, R, Horizontal);
  DrawSeparatorLines(DC, R, TColor(0xAAA6A2), TColor(0xEBE8E6), Horizontal);
}

void TdxBarSkinnedPainter::DrawBarSeparatorOn(TdxBarControl* BarControl, TcxCanvas* Canvas, const TRect& R,
                                              bool Horizontal) {
  if (!Supports<IdxSkin>(skinOwner_))
    return TdxBarOffice11Painter::DrawBarSeparatorOn(BarControl, Canvas, R, Horizontal);
  DrawSeparatorLines(CanvasDC(Canvas), R, TColor(0xD8D8D8), TColor(0xF5F5F5), Horizontal);
}

// ---- menus ----------------------------------------------------------------------------------------

void TdxBarSkinnedPainter::DrawMenuItemBackground(TCustomdxBarControl* SubMenu, TdxBarItemControlDrawParams* P,
                                                  const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawMenuItemBackground(SubMenu, P, R);
  HDC dc = DCOf(P);
  FillItemBackground(ControlOf(P), dc, false, nullptr, R);
  if (!P->Selected) return;
  const TdxSkinStateInput in = StateInputOf(P);
  if (in.Split && in.HasDropDown) {
    skin->DrawBackground(dc, PartRect(P, R, 0), 5, MenuItemPartState(in, 0));
    skin->DrawBackground(dc, PartRect(P, R, 1), 4, MenuItemPartState(in, 1));
  } else {
    skin->DrawBackground(dc, PartRect(P, R, 0), 3, MenuItemPartState(in, 0));
  }
}

void TdxBarSkinnedPainter::FillMenuBackground(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin || !Menu) return TdxBarPainter::FillMenuBackground(Menu, Canvas, R);
  HDC dc = CanvasDC(Canvas);
  TRect c = Menu->ClientRect();
  c = TRect{std::max<int>(c.left, R.left), std::max<int>(c.top, R.top), std::min<int>(c.right, R.right),
            std::min<int>(c.bottom, R.bottom)};
  if (c.IsEmpty()) return;
  const int iconLeft = std::max(c.left, Menu->ItemsRect.left);
  const int iconRight = iconLeft + Menu->ImageColumnWidth();
  const bool large = Menu->ItemLinks() && Menu->ItemLinks()->ItemSizeOption() == misLarge;
  const TRect icon{iconLeft, c.top, std::min<int>(iconRight, c.right), c.bottom};
  const TRect strip{icon.right, c.top, std::min<int>(icon.right + 2, c.right), c.bottom};
  const TRect text{strip.right, c.top, c.right, c.bottom};
  if (icon.left > c.left) skin->DrawBackground(dc, TRect{c.left, c.top, icon.left, c.bottom}, 390, 0);
  skin->DrawBackground(dc, icon, large ? 390 : 380, 0);
  skin->DrawBackground(dc, strip, large ? 390 : 410, 0);
  if (!text.IsEmpty()) skin->DrawBackground(dc, text, 390, 0);
}

void TdxBarSkinnedPainter::DrawSubMenuBorder(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin || !Menu) return TdxBarPainter::DrawSubMenuBorder(Menu, DC, R);
  TSavedDC saved(DC);
  if (Menu->HandleAllocated()) {
    const TRect client = ClientInWindow(Menu->Handle());
    ExcludeClipRect(DC, client.left, client.top, client.right, client.bottom);
  }
  skin->DrawBackground(DC, R, 450, 0);
  if (Menu->ShowsDetachCaption()) {
    const int indent = MenuContentIndent();
    FillColor(DC, Deflated(R, indent, indent), skin->PartColorOf(375, 0));
    FillDetachCaption(Menu, DC, Menu->DetachStripRect());
  }
}

void TdxBarSkinnedPainter::FillDetachCaption(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin || !Menu) return TdxBarPainter::FillDetachCaption(Menu, DC, R);
  skin->DrawBackground(DC, R, 370, Menu->TearOffHot ? 2 : 0);
}

void TdxBarSkinnedPainter::DrawMenuSeparatorItem(TdxBarSubMenuControl* Menu, TdxBarItemControl* Control,
                                                 const TdxBarSeparatorInfo& Separator, TcxCanvas* Canvas) {
  TdxSkinReference skin(skinOwner_);
  if (!skin || !Menu) return TdxBarPainter::DrawMenuSeparatorItem(Menu, Control, Separator, Canvas);
  const TRect& i = Separator.Bounds;
  FillMenuBackground(Menu, Canvas, i);
  const int left = i.left + Menu->LeftColumnsWidth() + 7;
  DrawMenuSeparatorLine(CanvasDC(Canvas), TRect{left, i.bottom - SeparatorLineHeight(), i.right, i.bottom});
}

void TdxBarSkinnedPainter::DrawMenuSeparatorLine(HDC DC, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawMenuSeparatorLine(DC, R);
  skin->DrawBackground(DC, R, 400, 0);
}

void TdxBarSkinnedPainter::DrawScrollButton(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, int Index) {
  TdxSkinReference skin(skinOwner_);
  if (!skin || !Menu) return TdxBarPainter::DrawScrollButton(Menu, Canvas, Index);
  HDC dc = CanvasDC(Canvas);
  TRect r{};
  ScrollButtonRect(Menu, Index, r);
  POINT cursor{};
  GetCursorPos(&cursor);
  if (Menu->HandleAllocated()) ScreenToClient(Menu->Handle(), &cursor);
  const int state = r.Contains(TPoint{cursor.x, cursor.y}) ? 2 : 0;
  {
    TSavedDC saved(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    FillMenuBackground(Menu, Canvas, r);
  }
  skin->DrawBackground(dc, r, 446, state);
  ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
}

int TdxBarSkinnedPainter::ScrollButtonHeight(TCustomdxBarControl* SubMenu) {
  return (TdxBarOffice11Painter::ScrollButtonHeight(SubMenu) * 3 - 18) / 4;
}

void TdxBarSkinnedPainter::DrawExpandChevrons(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, int ChevronSize,
                                              bool Selected) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawExpandChevrons(SubMenu, DC, R, ChevronSize, Selected);
  // The chevrons' place as the Office11 look draws them: a square of the chevron size in the middle.
  const int size = std::max(ChevronSize, 1) * 2 + 1;
  skin->DrawBackground(DC, CenteredIn(R, size, size), 442, 0);
}

void TdxBarSkinnedPainter::DrawExpandButtonSelected(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawExpandButtonSelected(SubMenu, DC, R);
  skin->DrawBackground(DC, R, 3, 2);
}

void TdxBarSkinnedPainter::DrawDropDownListBorder(HDC DC, TColor Color, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawDropDownListBorder(DC, Color, R);
  skin->DrawBackground(DC, R, 450, 0);
}

void TdxBarSkinnedPainter::DrawStaticBackgroundInMenu(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawStaticBackgroundInMenu(P, DC, R);
  if (P->Selected) {
    TdxBarItemControl* control = ControlOf(P);
    DrawMenuItemBackground(control ? control->BarControl() : nullptr, P, R);
  } else {
    skin->DrawBackground(DC, R, 380, 0);
  }
}

void TdxBarSkinnedPainter::DrawSubMenuFrame(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarPainter::DrawSubMenuFrame(Menu, DC, R);
  TSavedDC saved(DC);
  const TRect inner = Deflated(R, PainterOptionU(), PainterOptionU());
  ExcludeClipRect(DC, inner.left, inner.top, inner.right, inner.bottom);
  skin->DrawBackground(DC, R, 452, 0);
}

void TdxBarSkinnedPainter::FillRectWithColor(HDC DC, const TRect& R, TColor Color) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::FillRectWithColor(DC, R, Color);
  skin->DrawBackground(DC, R, 360, 0);
}

// ---- the application menu -------------------------------------------------------------------------

void TdxBarSkinnedPainter::DrawApplicationMenuButton(TdxBarItemControlDrawParams* P, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawApplicationMenuButton(P, R);
  HDC dc = DCOf(P);
  FillItemBackground(ControlOf(P), dc, false, nullptr, R);
  skin->DrawBackground(dc, R, 458, P->Selected ? 2 : 0);
  TRect content = R;
  if (auto* a = dynamic_cast<TdxBarApplicationMenuButtonControlDrawParams*>(P))
    content.left += std::max<int>((R.Width() - a->ButtonWidth) / 2, 0);
  DrawItemGlyphAt(P, content, StatesOf(P));
  DrawButtonCaptionOnly(P, content);
}

void TdxBarSkinnedPainter::FillApplicationMenuBackground(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas,
                                                         const TRect& R, const TRect& Content) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarPainter::FillApplicationMenuBackground(Menu, Canvas, R, Content);
  HDC dc = CanvasDC(Canvas);
  const TRect k1 = Grown(Content, 1), k2 = Grown(Content, 2);
  FrameColor(dc, k1, skin->PartColorOf(457, 0));
  FrameColor(dc, k2, skin->PartColorOf(456, 0));
  skin->DrawBackground(dc, TRect{R.left, R.top, R.right, k2.top}, 453, 0);
  skin->DrawBackground(dc, TRect{R.left, k2.bottom, R.right, R.bottom}, 454, 0);
  const TColor side = skin->PartColorOf(455, 0);
  FillColor(dc, TRect{R.left, k2.top, k2.left, k2.bottom}, side);
  FillColor(dc, TRect{k2.right, k2.top, R.right, k2.bottom}, side);
}

void TdxBarSkinnedPainter::FillExtraPaneBackground(TCustomdxBarControl* Menu, HDC DC, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::FillExtraPaneBackground(Menu, DC, R);
  TSavedDC saved(DC);
  IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
  skin->DrawBackground(DC, TRect{R.left, R.top, R.left + 2, R.bottom}, 410, 0);
  FillColor(DC, TRect{R.left + 2, R.top, R.right, R.bottom}, skin->PartColorOf(395, 0));
}

// ---- bar and menu metrics -------------------------------------------------------------------------

int TdxBarSkinnedPainter::CaptionHeightFor(TcxCanvas* Canvas) {
  HDC dc = CanvasDC(Canvas);
  SIZE size{};
  if (dc) GetTextExtentPoint32W(dc, L"Wg", 2, &size);
  return size.cy + 3;
}

int TdxBarSkinnedPainter::MenuItemHeight(TCustomdxBarControl* SubMenu, bool LargeItems, double ScaleFactor) {
  const int base = TdxBarOffice11Painter::MenuItemHeight(SubMenu, LargeItems, ScaleFactor);
  return dynamic_cast<TdxBarSubMenuControl*>(SubMenu) && !LargeItems ? base + 2 : base;
}

int TdxBarSkinnedPainter::MenuItemTextIndentFor(TCustomdxBarControl* SubMenu) {
  const bool large = SubMenu && SubMenu->ItemLinks() && SubMenu->ItemLinks()->ItemSizeOption() == misLarge;
  return MenuIconAreaSize(SubMenu) + (large ? 4 : 7);
}

// ---- item controls --------------------------------------------------------------------------------

TRect TdxBarSkinnedPainter::PartRect(TdxBarItemControlDrawParams* P, const TRect& R, int Index) {
  TdxBarItemControl* control = ControlOf(P);
  if (control && int(control->PartBounds().size()) > Index && !control->PartBounds()[Index].IsEmpty())
    return control->PartBounds()[Index];
  // Without the control's part rectangles: the drop-down part at the right, as wide as its arrow.
  const TdxSkinStateInput in = StateInputOf(P);
  if (!(in.Split && in.HasDropDown)) return R;
  auto* b = ButtonParams(P);
  const int split = R.right - (b ? b->ArrowSize.cx : 0);
  return Index == 1 ? TRect{split, R.top, R.right, R.bottom} : TRect{R.left, R.top, split, R.bottom};
}

TRect TdxBarSkinnedPainter::DropDownPartRect(TdxBarItemControlDrawParams* P, const TRect& R) {
  TRect r = R;
  auto* b = ButtonParams(P);
  if (P->PaintType != 1) r.right -= MenuItemIndent(nullptr);
  r.left = r.right - (b ? b->ArrowSize.cx : 0);
  return r;
}

void TdxBarSkinnedPainter::DrawSkinArrow(HDC DC, const TRect& R, int State) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return;
  const TSize t = PainterOptionT();
  skin->DrawBackground(DC, CenteredIn(R, t.cx, t.cy), 340, State);
}

void TdxBarSkinnedPainter::DrawMenuArrow(TdxBarItemControlDrawParams* P, int Direction, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return;
  const TRect r = DropDownPartRect(P, R);
  TdxBarItemControl* control = ControlOf(P);
  TCustomdxBarControl* menu = control ? control->BarControl() : nullptr;
  const double k = menu && ReferenceTextSize() > 0 ? std::max(1.0, double(menu->TextSize()) / ReferenceTextSize()) : 1.0;
  if (Direction == 3)
    skin->DrawBackground(DCOf(P), CenteredIn(r, int(std::lround(4 * k)), int(std::trunc(7 * k))), 366, 0);
  else
    skin->DrawBackground(DCOf(P), CenteredIn(r, int(std::trunc(7 * k)), int(std::lround(4 * k))), 365, 0);
}

void TdxBarSkinnedPainter::DrawButtonArrow(TdxBarItemControlDrawParams* P, const TRect& R) {
  if (!Supports<IdxSkin>(skinOwner_)) return TdxBarOffice11Painter::DrawButtonArrow(P, R);
  if (P->PaintType == 1) return DrawMenuArrow(P, 3, R);
  if (P->ViewSize != 2) DrawSkinArrow(DCOf(P), DropDownPartRect(P, R), ButtonPartState(StateInputOf(P), 1));
}

void TdxBarSkinnedPainter::DrawSplitButtonArrow(TdxBarItemControlDrawParams* P, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawSplitButtonArrow(P, R);
  DrawButtonArrow(P, R);
  if (P->PaintType != 1 || P->ViewSize == 2 || P->Selected) return;
  TRect r = DropDownPartRect(P, R);
  const int h = r.Height();
  const double k = std::max(double(h) / PainterOptionW(), 1.0);
  const int cut = int(std::lround((h - 14 * k) / 2));
  r.top += cut;
  r.bottom -= cut;
  FillColor(DCOf(P), TRect{r.left, r.top, r.left + 1, r.bottom}, skin->PartColorOf(420, 0));
}

void TdxBarSkinnedPainter::DrawStaticArrow(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R, bool Expanded) {
  if (!Supports<IdxSkin>(skinOwner_)) return TdxBarOffice11Painter::DrawStaticArrow(P, DC, R, Expanded);
  DrawMenuArrow(P, Expanded ? 0 : 3, R);
}

void TdxBarSkinnedPainter::DrawButtonControl(TdxBarItemControlDrawParams* P, const TRect& R) {
  if (!Supports<IdxSkin>(skinOwner_) || P->PaintType == 1) {
    if (P->PaintType == 1) return TdxBarPainter::DrawButtonControl(P, R);
    return TdxBarOffice11Painter::DrawButtonControl(P, R);
  }
  DrawButtonBackground(P, R);
  const TdxBarPaintStates s = StatesOf(P);
  TRect glyphArea = PartRect(P, R, 0);
  if (P->ViewSize == 0 && P->GlyphCellSize.cx > 0) glyphArea.right = glyphArea.left + P->GlyphCellSize.cx;
  if (P->ViewSize == 2) {
    // The large glyph sits in the button above its two caption lines.
    TRect caption{};
    TextBoundsOf(P, caption);
    glyphArea = TRect{R.left + 1, R.top + 1, R.right - 1, R.bottom - 1 - caption.Height()};
  }
  if (P->ContentParts.Contains(cpIcon)) DrawItemGlyphAt(P, glyphArea, s);
  if (P->ContentParts.Contains(cpText)) DrawButtonCaptionOnly(P, R);
  if (P->HasDropDown) {
    if (StateInputOf(P).Split)
      DrawSplitButtonArrow(P, R);
    else
      DrawSubItemArrowPart(P, R);
  }
}

// ---- large captions ---------------------------------------------------------------------------------

String TdxBarSkinnedPainter::ArrowSpacerText(TdxBarItemControlDrawParams* P) {
  if (!P->HasDropDown || !P->Canvas) return String();
  String dots = L".";
  const int arrow = PainterOptionT().cx;
  while (P->Canvas->TextPixelWidth(dots) < arrow) dots += L".";
  return L" " + dots;
}

void TdxBarSkinnedPainter::TextBoundsOf(TdxBarItemControlDrawParams* P, TRect& R) {
  if (!Supports<IdxSkin>(skinOwner_) || P->ViewSize != 2 || P->PaintType == 1 || !P->Canvas)
    return TdxBarOffice11Painter::TextBoundsOf(P, R);
  const String text = P->Caption + ArrowSpacerText(P);
  P->Canvas->MeasureText(L"");  // selects the canvas's font
  CalcTextRectForRows(P->Canvas->DCHandle(), text, 2, true, R);
}

void TdxBarSkinnedPainter::AdjustButtonPartBounds(TdxBarItemControlDrawParams* P, std::vector<TRect>& Parts,
                                                  const TRect& R, int LastIndex) {
  if (!Supports<IdxSkin>(skinOwner_) || !P->HasDropDown || P->PaintType == 1 || P->ViewSize == 0 || LastIndex < 1 ||
      Parts.size() < 2)
    return TdxBarOffice11Painter::AdjustButtonPartBounds(P, Parts, R, LastIndex);
  TRect caption{};
  TextBoundsOf(P, caption);
  const int boundary = R.bottom - caption.Height() - 2;
  Parts[0] = TRect{R.left, R.top, R.right, boundary};
  Parts[1] = TRect{R.left, boundary, R.right, R.bottom};
}

void TdxBarSkinnedPainter::CalcButtonTextRect(TdxBarItemControlDrawParams* P, TRect& T, int& Alignment, const TRect& G,
                                              TdxBarGlyphLayout Layout, const TSize& GlyphArea) {
  if (!Supports<IdxSkin>(skinOwner_) || P->ViewSize != 2)
    return TdxBarOffice11Painter::CalcButtonTextRect(P, T, Alignment, G, Layout, GlyphArea);
  TRect text{};
  TextBoundsOf(P, text);
  const int left = T.left + (T.Width() - text.Width()) / 2;
  const int bottom = T.bottom - 1;
  T = TRect{left, bottom - text.Height(), left + text.Width(), bottom};
  Alignment = DT_CENTER;
}

TRect TdxBarSkinnedPainter::CalcGlyphPosition(const TRect& G, const TSize& GlyphSize, TdxBarGlyphLayout Layout,
                                              bool ShowsText, int PaintType) {
  if (!Supports<IdxSkin>(skinOwner_) || PaintType == 1)
    return TdxBarOffice11Painter::CalcGlyphPosition(G, GlyphSize, Layout, ShowsText, PaintType);
  return CenteredIn(G, GlyphSize.cx, GlyphSize.cy);
}

void TdxBarSkinnedPainter::DrawPartText(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R, int Alignment) {
  TdxSkinReference skin(skinOwner_);
  if (!skin || P->ViewSize != 2 || P->PaintType == 1 || !P->Canvas)
    return TdxBarOffice11Painter::DrawPartText(P, DC, R, Alignment);
  TColor text = clDefault, shadow = clDefault;
  if (TdxBarItemControl* control = ControlOf(P))
    ItemTextColors(control, P->Enabled, P->Selected, false, text, shadow);
  else
    text = skin->PartColorOf(335, ItemPartState(StateInputOf(P), 0));
  TSavedDC saved(DC);
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, COLORREF(ColorToRGB(text)));
  TStringList lines;
  WrapTextToLines(P->Caption, P->Canvas, R, &lines);
  while (lines.Count() < 2) lines.Add(String());
  SIZE row{};
  GetTextExtentPoint32W(DC, L"Wg", 2, &row);
  const UINT flags = UINT(Alignment) | DT_SINGLELINE | DT_TOP | DT_NOCLIP;
  TRect line{R.left, R.top, R.right, R.top + row.cy};
  for (int i = 0; i < lines.Count(); ++i) {
    if (i == lines.Count() - 1 && P->HasDropDown) {
      DrawLargeCaptionArrow(P, DC, lines.Strings(i), line, flags);
    } else {
      TRect r = line;
      RenderTextInRect(DC, lines.Strings(i), r, flags);
    }
    line = TRect{line.left, line.bottom, line.right, line.bottom + row.cy};
  }
}

void TdxBarSkinnedPainter::DrawLargeCaptionArrow(TdxBarItemControlDrawParams* P, HDC DC, const String& Line,
                                                 const TRect& R, UINT Flags) {
  const int arrowWidth = PainterOptionT().cx;
  TRect arrow = R;
  if (!Line.empty()) {
    const int textWidth = SingleLineTextSize(DC, Line).cx;
    const int wholeWidth = SingleLineTextSize(DC, Line + ArrowSpacerText(P)).cx;
    const int left = R.left + (R.Width() - wholeWidth) / 2;
    TRect text{left, R.top, left + textWidth, R.bottom};
    RenderTextInRect(DC, Line, text, (Flags & ~UINT(DT_CENTER | DT_RIGHT)) | DT_LEFT);
    arrow = TRect{left + wholeWidth - arrowWidth, R.top, left + wholeWidth, R.bottom};
  }
  DrawSkinArrow(DC, arrow, ButtonPartState(StateInputOf(P), 1));
}

void TdxBarSkinnedPainter::DrawItemGlyph(TdxBarItemControlDrawParams* P, HDC DC, const TdxBarPaintStates& S,
                                         const TRect& G, const TSize& ImageSize, bool HasImage) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawItemGlyph(P, DC, S, G, ImageSize, HasImage);
  if (P->PaintType == 1 && S.Checked) {
    const int side = std::min(G.Width(), G.Height());
    TRect square = CenteredIn(G, side, side);
    square = TRect{square.left + 1, square.top + 1, square.right - 1, square.bottom - 1};
    skin->DrawBackground(DC, square, HasImage ? 430 : 440, S.Enabled ? 0 : 1);
  }
  TdxBarItemControl* control = ControlOf(P);
  if (!HasImage || !control) return;
  int index = -1;
  TCustomImageList* images = nullptr;
  TBitmap* glyph = nullptr;
  control->GetImageInfo(P->ViewSize, P->ContentParts, index, images, glyph);
  TdxBarManager* manager = control->LinkedBarManager();
  const TRect glyphRect = CenteredIn(G, ImageSize.cx, ImageSize.cy);
  DrawGlyphWithCache(control, DC, nullptr, G, glyphRect, glyph, images, index, clNone, S.Enabled,
                     control->DrawsGlyphInGrayScale(), S.Pressed, S.Checked, MakesDisabledImagesFaded(manager),
                     PainterOptionK(), IsFlatForArrows(), false, false, true);
}

void TdxBarSkinnedPainter::DrawButtonBackground(TdxBarItemControlDrawParams* P, const TRect& R) {
  auto* b = ButtonParams(P);
  const bool inGroup = b && b->PositionInButtonGroup != bgpNone;
  int whole = 3, main = 5, drop = 4;
  if (P->ViewSize != 0)
    whole = 6, main = 8, drop = 7;
  else if (inGroup)
    whole = main = drop = 460;
  const TdxSkinStateInput in = StateInputOf(P);
  if (in.Split && in.HasDropDown) {
    DrawButtonGroupPart(P, R, 0, main);
    DrawButtonGroupPart(P, R, 1, drop);
  } else {
    DrawButtonGroupPart(P, R, 0, whole);
  }
}

void TdxBarSkinnedPainter::DrawButtonGroupPart(TdxBarItemControlDrawParams* P, const TRect& R, int Index, int Part) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return;
  HDC dc = DCOf(P);
  const TdxSkinStateInput in = StateInputOf(P);
  const int s = ButtonPartState(in, Index);
  TRect b = PartRect(P, R, Index);
  TRect a{b.left, b.top, b.left + 2, b.bottom};
  TRect c{b.left - 1, b.top, b.left + 1, b.bottom};
  TRect e{b.right - 2, b.top, b.right, b.bottom};
  TRect d{b.right - 1, b.top, b.right, b.bottom};
  auto* bp = ButtonParams(P);
  int g = bp ? int(bp->PositionInButtonGroup) : 0;
  const bool split = in.Split && in.HasDropDown;
  if (split) {
    if (Index == 0) g = g == 3 ? 2 : g == 4 ? 1 : g;
    if (Index == 1) g = g == 1 ? 2 : g == 4 ? 3 : g;
  }
  const TRect none{};
  switch (g) {
    case 0: a = c = d = e = none; break;
    case 1: e = none; b.left += 1; break;
    case 2: a = e = none; break;
    case 3: a = d = none; b.right -= 1; break;
    case 4: d = none; b.left += 1; b.right -= 1; break;
    default: break;
  }
  skin->DrawBackground(dc, b, Part, s);
  if (!a.IsEmpty()) skin->DrawBackground(dc, a, 470, 0);
  if (!e.IsEmpty()) skin->DrawBackground(dc, e, 490, 0);
  if (!split) {
    if (!d.IsEmpty()) skin->DrawBackground(dc, d, 480, s);
  } else if (Index == 1) {
    if (!c.IsEmpty()) skin->DrawBackground(dc, c, 500, s);
    if (!d.IsEmpty()) skin->DrawBackground(dc, d, 480, s);
  }
}

TColor TdxBarSkinnedPainter::ItemTextColorFor(TdxBarItemControl* Control, bool Selected, bool Flat) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::ItemTextColorFor(Control, Selected, Flat);
  TdxSkinStateInput in;
  int part = 335;
  if (Control) {
    in.Selected = Selected;
    in.Enabled = Control->IsEnabled();
    if (TCustomdxBarControl* bar = Control->BarControl(); bar && bar->ItemPaintKind() == 1) part = 362;
  }
  return skin->PartColorOf(part, ItemPartState(in, 0));
}

void TdxBarSkinnedPainter::DisabledTextColors(bool Selected, bool Flat, TColor& Text, TColor& Shadow) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DisabledTextColors(Selected, Flat, Text, Shadow);
  TdxSkinStateInput in;
  in.Enabled = false;
  in.Selected = Selected;
  Text = Shadow = skin->PartColorOf(335, ItemPartState(in, 0));
}

void TdxBarSkinnedPainter::ItemTextColors(TdxBarItemControl* Control, bool Enabled, bool Selected, bool Flat,
                                          TColor& Text, TColor& Shadow) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::ItemTextColors(Control, Enabled, Selected, Flat, Text, Shadow);
  // The state says disabled: both colours are the part's colour, no embossed shadow.
  TdxSkinStateInput in;
  in.Enabled = Enabled;
  in.Selected = Selected;
  int part = 335;
  if (Control)
    if (TCustomdxBarControl* bar = Control->BarControl(); bar && bar->ItemPaintKind() == 1) part = 362;
  Text = Shadow = skin->PartColorOf(part, ItemPartState(in, 0));
}

TColor TdxBarSkinnedPainter::EditBackgroundColor(TdxBarItemControl* Control, bool Enabled) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::EditBackgroundColor(Control, Enabled);
  TdxSkinStateInput in;
  in.Enabled = Enabled;
  return skin->PartColorOf(9, EditPartState(in, 0));
}

void TdxBarSkinnedPainter::DrawEditBorder(TdxBarItemControlDrawParams* P, HDC DC, TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawEditBorder(P, DC, R);
  const TdxSkinStateInput in = StateInputOf(P);
  TdxBarItemControl* control = ControlOf(P);
  if (!(control && control->Active())) FrameColor(DC, R, skin->PartColorOf(10, EditPartState(in, 0)));
  R = Deflated(R, 1, 1);
}

int TdxBarSkinnedPainter::SpinButtonWidthFor(int Height) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::SpinButtonWidthFor(Height);
  if (skin.Named()) return 17;
  const TRect m = SpinButtonsMargins();
  return ((Height / 2) * 8) / 5 + 1 - m.left - m.right;
}

int TdxBarSkinnedPainter::ComboButtonWidthFor(TCustomdxBarControl* BarControl, int ZeroWidth) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::ComboButtonWidthFor(BarControl, ZeroWidth);
  return skin.Named() ? 19 : ZeroWidth + 8;
}

int TdxBarSkinnedPainter::SplitPartWidth(int PaintType, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (skin.Named()) return 19;
  return TdxBarOffice11Painter::SplitPartWidth(PaintType, R);
}

void TdxBarSkinnedPainter::EditBorderChanged(HWND Window, const TRect& R, bool Redraw) {
  if (!Supports<IdxSkin>(skinOwner_)) return TdxBarOffice11Painter::EditBorderChanged(Window, R, Redraw);
  HRGN region = CreateRoundRectRgn(0, 0, R.right + 1, R.bottom + 1, 2, 2);
  // The window owns the region once it has taken it.
  if (region && !SetWindowRgn(Window, region, Redraw)) DeleteObject(region);
}

void TdxBarSkinnedPainter::SetLookAndFeelFor(TdxBarManager* Manager, TcxLookAndFeel* LookAndFeel) {
  TdxSkinReference skin(skinOwner_);
  if (!skin || !LookAndFeel) return TdxBarOffice11Painter::SetLookAndFeelFor(Manager, LookAndFeel);
  LookAndFeel->SetNativeStyle(false);
  const String name = skin->GetSkinName();
  LookAndFeel->SetSkinName(name);
  if (!name.empty()) return;
  if (Manager && Manager->ThemeAvailable())
    LookAndFeel->ApplyStyleCode(3);
  else
    TdxBarPainter::SetLookAndFeelFor(Manager, LookAndFeel);
}

TColor TdxBarSkinnedPainter::CalendarHeaderColor() {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::CalendarHeaderColor();
  return skin->PartColorOf(19, 0);
}

void TdxBarSkinnedPainter::DrawProgressFrame(TdxBarItemControl* Control, HDC DC, TRect& R) {
  TdxSkinReference skin(skinOwner_);
  TRect frame = R;
  TdxBarOffice11Painter::DrawProgressFrame(Control, DC, frame);
  if (!skin) {
    R = frame;
    return;
  }
  skin->DrawBackground(DC, R, 32, 0);
  R = Deflated(R, 2, 2);
}

void TdxBarSkinnedPainter::FillRectWithBrush(HDC DC, const TRect& R, HBRUSH Brush) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::FillRectWithBrush(DC, R, Brush);
  skin->DrawBackground(DC, R, 30, 0);
}

void TdxBarSkinnedPainter::FillProgressChunk(HDC DC, const TRect& R, HBRUSH Brush) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::FillProgressChunk(DC, R, Brush);
  skin->DrawBackground(DC, R, 31, 0);
}

int TdxBarSkinnedPainter::StaticTextSize(TdxBarItemControlDrawParams* P) {
  // The drop-down part's width; a control without one keeps the menu's text size as its arrow area.
  auto* b = ButtonParams(P);
  const int width = b ? b->ArrowSize.cx : 0;
  if (width != 0 && Supports<IdxSkin>(skinOwner_)) return width;
  return TdxBarOffice11Painter::StaticTextSize(P);
}

void TdxBarSkinnedPainter::DrawStaticBorder(TdxBarItemControlDrawParams* P, HDC DC, TRect& R,
                                            TdxBarStaticBorderStyle Style) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawStaticBorder(P, DC, R, Style);
  if (Style == sbsNone) return;
  FrameColor(DC, R, skin->PartColorOf(10, 0));
  R = Deflated(R, 1, 1);
}

void TdxBarSkinnedPainter::DrawSeparatorBackground(TdxBarItemControlDrawParams* P, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawSeparatorBackground(P, R);
  HDC dc = DCOf(P);
  FillColor(dc, R, skin->PartColorOf(20, 0));
  TRect margins{};
  SeparatorMargins(P, 0, margins);
  TRect text = R;
  text.left += margins.left;
  TdxBarItemControl* control = ControlOf(P);
  // Separators have no alignment of their own: the caption starts at the left margin.
  const int alignment = DT_LEFT;
  DrawItemText(control, dc, P->Caption, text, alignment, P->Enabled, false, P->PaintType == 2, false, DT_SINGLELINE);
}

void TdxBarSkinnedPainter::DrawScreenTipBackground(TcxCanvas* Canvas, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawScreenTipBackground(Canvas, R);
  skin->DrawBackground(CanvasDC(Canvas), R, 40, 0);
}

void TdxBarSkinnedPainter::DrawScreenTipFooterLine(TcxCanvas* Canvas, const TRect& R) {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::DrawScreenTipFooterLine(Canvas, R);
  HDC dc = CanvasDC(Canvas);
  FillColor(dc, TRect{R.left, R.top, R.right, R.top + 1}, skin->PartColorOf(41, 0));
  FillColor(dc, TRect{R.left, R.top + 1, R.right, R.top + 2}, TColor(0xFFFFFF));
}

int TdxBarSkinnedPainter::ButtonVertPadding() {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::ButtonVertPadding();
  const TRect m = skin->ContentMarginsOf(3);
  return m.top + m.bottom;
}

int TdxBarSkinnedPainter::ButtonHorzPadding() {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::ButtonHorzPadding();
  const TRect m = skin->ContentMarginsOf(3);
  return m.left + m.right;
}

int TdxBarSkinnedPainter::PainterOptionY() {
  TdxSkinReference skin(skinOwner_);
  if (!skin) return TdxBarOffice11Painter::PainterOptionY();
  return skin.Named() ? 0 : 1;
}

int TdxBarSkinnedPainter::PaddedHeight(int A) {
  if (!Supports<IdxSkin>(skinOwner_)) return TdxBarOffice11Painter::PaddedHeight(A);
  return Padded(A, ButtonVertPadding());
}

int TdxBarSkinnedPainter::PaddedWidth(int A) {
  if (!Supports<IdxSkin>(skinOwner_)) return TdxBarOffice11Painter::PaddedWidth(A);
  return Padded(A, ButtonHorzPadding());
}
