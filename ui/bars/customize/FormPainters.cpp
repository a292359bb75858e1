#include "ui/bars/customize/FormPainters.h"

#include "ui/bars/BarItems.h"
#include "ui/bars/customize/CustomizingForm.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/SubItems.h"
#include "ui/bars/painters/BarPainters.h"
#include "ui/foundation/Office11Colors.h"

namespace {

constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP;  // 0x924
constexpr int kTailWidth = 13;

void FrameWith(HDC DC, const TRect& R, TColor Color) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
  RECT r = R;
  FrameRect(DC, &r, brush);
  DeleteObject(brush);
}

void VerticalLine(HDC DC, int X, int Top, int Bottom, TColor Color) {
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(Color));
  HGDIOBJ old = SelectObject(DC, pen);
  MoveToEx(DC, X, Top, nullptr);
  LineTo(DC, X, Bottom);
  SelectObject(DC, old);
  DeleteObject(pen);
}

void DrawEntryText(TCanvas* Canvas, const TRect& R, const String& Text, TColor Color) {
  HDC dc = Canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Color));
  RECT r = R;
  DrawTextW(dc, Text.c_str(), static_cast<int>(Text.size()), &r, kCaptionFormat);
}

// Edit items live in another library that stands on this one.
bool InheritsFromClassNamed(TObject* Object, const wchar_t* Name) {
  for (TClass c = Object ? Object->ClassType() : nullptr; c; c = c->ClassParent())
    if (c->ClassName() == Name) return true;
  return false;
}



}  // namespace

// ---- base (the standard look) -------------------------------------------------------------------

void TdxBarCustomizingFormPainter::FillRect(TCanvas* Canvas, const TRect& R, TColor Color) const {
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(R);
}

bool TdxBarCustomizingFormPainter::HasGlyph(TdxBarItem* Item) {
  if (!Item) return false;
  if (Item->Glyph() && !Item->Glyph()->Empty()) return true;
  return Item->HasValidImageIndex();
}

bool TdxBarCustomizingFormPainter::IsDropDownButton(TdxBarItem* Item) {
  auto* button = dynamic_cast<TdxBarButton*>(Item);
  return button && button->ButtonStyle() == bsDropDown;
}

bool TdxBarCustomizingFormPainter::IsContainer(TdxBarItem* Item) {
  return dynamic_cast<TCustomdxBarContainerItem*>(Item) != nullptr;
}

bool TdxBarCustomizingFormPainter::IsSubItem(TdxBarItem* Item) {
  return dynamic_cast<TCustomdxBarSubItem*>(Item) != nullptr;
}

TColor TdxBarCustomizingFormPainter::EntryBackColor(bool Selected, TdxBarItem*) const {
  return Selected ? clHighlight : clBtnFace;
}

TColor TdxBarCustomizingFormPainter::EntryTextColor(bool Selected) const {
  return Selected ? clHighlightText : clBtnText;
}

void TdxBarCustomizingFormPainter::DrawCaptionText(TCanvas* Canvas, TRect& R, bool Selected, TdxBarItem* Item,
                                                   const String& Text) const {
  TRect fill = R;
  fill.right += 3;
  FillRect(Canvas, fill, EntryBackColor(Selected, Item));
  TRect text = R;
  text.left += 2;
  DrawEntryText(Canvas, text, Text, EntryTextColor(Selected));
  FillRect(Canvas, TRect(fill.right, R.top, fill.right + 4, R.bottom), EntryBackColor(false, Item));
  R.right = fill.right + 4;
}

void TdxBarCustomizingFormPainter::DrawItemCaption(TCanvas* Canvas, TRect& R, bool Selected, TdxBarItem* Item) const {
  const String text = StripHotkeyPrefix(Item ? Item->Caption() : String());
  TRect area = R;
  area.right = area.left + Canvas->TextWidth(text) + 4;
  DrawCaptionText(Canvas, area, Selected, Item, text);
  R.left = area.right;
}

void TdxBarCustomizingFormPainter::DrawEditFrame(TCanvas* Canvas, TRect& R, bool Selected, TdxBarItem*) const {
  HDC dc = Canvas->Handle();
  RECT r = R;
  if (Selected) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  else FrameRect(dc, &r, Canvas->Brush()->Handle());
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, Canvas->Brush()->Handle());
  InflateRect(&r, -1, -1);
  R = r;
}

void TdxBarCustomizingFormPainter::DrawEditContent(TCanvas* Canvas, TRect R, bool WithButton, bool Selected,
                                                   TdxBarItem* Item) const {
  if (WithButton) {
    TRect button(R.right - DropDownButtonWidth(), R.top, R.right, R.bottom);
    DrawDropDownButton(Canvas, Item, Selected, button);
    R.right = button.left;
  }
  DrawItemContent(Canvas, R, Selected, Item);
}

void TdxBarCustomizingFormPainter::DrawItemContent(TCanvas* Canvas, const TRect& R, bool Selected,
                                                   TdxBarItem* Item) const {
  Canvas->Font()->SetColor(EntryTextColor(false));
  if (Item) Item->DrawCustomizingImageContent(Canvas, R, Selected);
}

void TdxBarCustomizingFormPainter::DrawSubItemArrow(TCanvas* Canvas, int X, bool Selected, int Y) const {
  const TColor color = Selected && ButtonFaceIsWhite() ? clWhite : Canvas->Font()->Color();
  HDC dc = Canvas->Handle();
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(color));
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  const POINT points[3] = {{X, Y}, {X, Y + 6}, {X + 3, Y + 3}};
  Polygon(dc, points, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void TdxBarCustomizingFormPainter::DrawDropDownButton(TCanvas* Canvas, TdxBarItem* Item, bool Selected,
                                                      TRect R) const {
  HDC dc = Canvas->Handle();
  ++R.left;
  RECT r = R;
  TColor line;
  if (Selected) {
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    line = EntryBackColor(false, Item);
  } else {
    FrameWith(dc, R, clBtnHighlight);
    line = clBtnHighlight;
  }
  VerticalLine(dc, R.left - 1, R.top, R.bottom, line);
  InflateRect(&r, -1, -1);
  FillRect(Canvas, r, EntryBackColor(false, Item));
  TRect arrow = r;
  arrow.left -= 2;
  arrow.right += 2;
  DrawItemArrowInRect(dc, arrow, true, true, false, false, clBtnText);
}

void TdxBarCustomizingFormPainter::DrawEditLikeItem(TCanvas* Canvas, TRect R, bool WithButton, bool Selected,
                                                    TdxBarItem* Item) const {
  DrawItemCaption(Canvas, R, Selected, Item);
  DrawEditFrame(Canvas, R, Selected, Item);
  DrawEditContent(Canvas, R, WithButton, Selected, Item);
}

void TdxBarCustomizingFormPainter::DrawFocusFrame(TCanvas* Canvas, const TRect& R, TdxBarItem*) const {
  HDC dc = Canvas->Handle();
  SetTextColor(dc, ColorToRGB(EntryTextColor(true)));
  SetBkColor(dc, ColorToRGB(EntryBackColor(true, nullptr)));
  RECT r = R;
  DrawFocusRect(dc, &r);
}

void TdxBarCustomizingFormPainter::DrawGlyph(TCanvas* Canvas, TdxBarItem* Item, const TRect& Box) const {
  if (!Item) return;
  TdxBarManager* manager = Item->BarManager();
  TBitmap* glyph = Item->Glyph() && !Item->Glyph()->Empty() ? Item->Glyph() : nullptr;
  TCustomImageList* images = manager ? manager->Images() : nullptr;
  int width = 0, height = 0;
  if (glyph) {
    width = glyph->Width();
    height = glyph->Height();
  } else if (images && Item->HasValidImageIndex()) {
    width = images->Width();
    height = images->Height();
  } else {
    return;
  }
  const int x = Box.left + (Box.Width() - width) / 2;
  const int y = Box.top + (Box.Height() - height) / 2;
  const TRect dest(x, y, x + width, y + height);
  const TColor back = manager ? manager->ImageListBkColor() : clNone;
  const bool transparent = manager && manager->ImageOptions()->UseLeftBottomPixelAsTransparent();
  DrawGlyphUncached(Canvas->Handle(), nullptr, dest, dest, glyph, glyph ? nullptr : images,
                    glyph ? -1 : Item->ImageIndex(), back, false, false, false, false, false, false, false, false,
                    false, transparent || glyph != nullptr);
}

void TdxBarCustomizingFormPainter::DrawButtonItem(TCanvas* Canvas, const TRect& R, bool Selected, const String& Text,
                                                  TdxBarItem* Item) const {
  HDC dc = Canvas->Handle();
  const bool glyph = HasGlyph(Item);
  TRect box(R.left, R.top, R.left + GlyphBoxWidth, R.bottom);
  const TColor boxColor = EntryBackColor(!glyph && Selected, Item);
  FillRect(Canvas, box, boxColor);
  VerticalLine(dc, box.right, R.top, R.bottom, boxColor);
  if (glyph) {
    if (Selected) {
      RECT r = box;
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    }
    DrawGlyph(Canvas, Item, box);
  }
  const bool dropDown = IsDropDownButton(Item);
  TRect text = R;
  if (dropDown) text.right -= kTailWidth;
  text.left = R.left + TextAreaLeft;
  FillRect(Canvas, text, EntryBackColor(Selected, Item));
  TRect caption = text;
  caption.left += 2;
  DrawEntryText(Canvas, caption, IsContainer(Item) ? L"(" + Text + L")" : Text, EntryTextColor(Selected));
  const int arrowX = R.right - 9, arrowY = R.top + 7;
  if (dropDown) {
    TRect tail(text.right, R.top, R.right, R.bottom);
    RECT r = tail;
    if (Selected) {
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
      InflateRect(&r, -1, -1);
    } else {
      DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT);
      r.left += 2;
    }
    FillRect(Canvas, r, EntryBackColor(false, Item));
    Canvas->Font()->SetColor(EntryTextColor(false));
    DrawSubItemArrow(Canvas, arrowX, false, arrowY);
  } else if (IsSubItem(Item) && !IsContainer(Item)) {
    Canvas->Font()->SetColor(EntryTextColor(Selected));
    DrawSubItemArrow(Canvas, arrowX, Selected, arrowY);
  }
}

// ---- standard -----------------------------------------------------------------------------------

void TdxBarCustomizingFormStandardPainter::DrawFocusFrame(TCanvas* Canvas, const TRect& R, TdxBarItem* Item) const {
  TRect r = R;
  InflateRect(&r, -2, -2);
  TdxBarCustomizingFormPainter::DrawFocusFrame(Canvas, r, Item);
}

// ---- flat ---------------------------------------------------------------------------------------

TColor TdxBarCustomizingFormFlatPainter::SelectionFrameColor() const { return clHighlight; }
TColor TdxBarCustomizingFormFlatPainter::FrameColor() const { return clBtnShadow; }

TColor TdxBarCustomizingFormFlatPainter::EntryBackColor(bool Selected, TdxBarItem* Item) const {
  if (!Selected) return clWindow;
  TdxBarManager* manager = Item ? Item->BarManager() : nullptr;
  return manager ? manager->FlatLightColor() : clHighlight;
}

TColor TdxBarCustomizingFormFlatPainter::EntryTextColor(bool Selected) const {
  return Selected && ButtonFaceIsWhite() ? clBtnFace : UnselectedTextColor();
}

void TdxBarCustomizingFormFlatPainter::DrawEditFrame(TCanvas* Canvas, TRect& R, bool Selected, TdxBarItem* Item) const {
  Canvas->Brush()->SetColor(EntryBackColor(false, Item));
  FrameWith(Canvas->Handle(), R, Selected ? SelectionFrameColor() : FrameColor());
  InflateRect(&R, -1, -1);
}

void TdxBarCustomizingFormFlatPainter::DrawCaptionText(TCanvas* Canvas, TRect& R, bool Selected, TdxBarItem* Item,
                                                       const String& Text) const {
  TRect fill = R;
  fill.right += 11;
  FillRect(Canvas, fill, EntryBackColor(Selected, Item));
  if (Selected) {
    TRect frame = fill;
    frame.right += 1;
    FrameWith(Canvas->Handle(), frame, SelectionFrameColor());
  }
  TRect text = R;
  text.left += 5;
  DrawEntryText(Canvas, text, Text, EntryTextColor(Selected));
  R.right = fill.right;
}

void TdxBarCustomizingFormFlatPainter::FillGlyphBand(TCanvas* Canvas, const TRect& Band, TdxBarItem*) const {
  FillRect(Canvas, Band, clBtnFace);
}

void TdxBarCustomizingFormFlatPainter::DrawButtonItem(TCanvas* Canvas, const TRect& R, bool Selected,
                                                      const String& Text, TdxBarItem* Item) const {
  HDC dc = Canvas->Handle();
  const int band = R.Height();
  const TRect bandRect(R.left, R.top, R.left + band, R.bottom);
  if (Selected) {
    FillRect(Canvas, R, EntryBackColor(true, Item));
  } else {
    FillGlyphBand(Canvas, bandRect, Item);
    FillRect(Canvas, TRect(bandRect.right, R.top, R.right, R.bottom), EntryBackColor(false, Item));
  }
  if (HasGlyph(Item)) {
    TRect box = bandRect;
    box.right += 1;
    box.bottom += 1;
    DrawGlyph(Canvas, Item, box);
  }
  const bool dropDown = IsDropDownButton(Item);
  TRect text = R;
  if (dropDown) text.right -= kTailWidth;
  text.left = R.left + band + 10;
  DrawEntryText(Canvas, text, IsContainer(Item) ? L"(" + Text + L")" : Text, EntryTextColor(Selected));
  const int arrowX = R.right - 9, arrowY = R.top + 7;
  if (dropDown) {
    const TRect tail(text.right, R.top, R.right, R.bottom);
    FrameWith(dc, tail, Selected ? SelectionFrameColor() : FrameColor());
    Canvas->Font()->SetColor(EntryTextColor(false));
    DrawSubItemArrow(Canvas, arrowX, false, arrowY);
  } else if (IsSubItem(Item) && !IsContainer(Item)) {
    Canvas->Font()->SetColor(EntryTextColor(Selected));
    DrawSubItemArrow(Canvas, arrowX, Selected, arrowY);
  }
  if (Selected) FrameWith(dc, R, SelectionFrameColor());
}

void TdxBarCustomizingFormFlatPainter::DrawDropDownButton(TCanvas* Canvas, TdxBarItem* Item, bool Selected,
                                                          TRect R) const {
  HDC dc = Canvas->Handle();
  if (Selected) {
    TRect frame = R;
    InflateRect(&frame, 1, 1);
    FrameWith(dc, frame, SelectionFrameColor());
    FillRect(Canvas, R, EntryBackColor(true, Item));
  } else {
    FrameWith(dc, R, clBtnHighlight);
    VerticalLine(dc, R.left - 1, R.top, R.bottom, clBtnHighlight);
  }
  const TColor arrow = Selected && ButtonFaceIsWhite() ? clWhite : clBtnText;
  DrawItemArrowInRect(dc, R, true, true, false, true, arrow);
}

// ---- Office11 -----------------------------------------------------------------------------------

TColor TdxBarCustomizingFormOffice11Painter::SelectionFrameColor() const {
  return TdxBarOffice11Painter::RoleColor(o11rSelectionFrame);
}
TColor TdxBarCustomizingFormOffice11Painter::FrameColor() const { return TdxBarOffice11Painter::RoleColor(o11rBorder); }
TColor TdxBarCustomizingFormOffice11Painter::UnselectedTextColor() const {
  return TdxBarOffice11Painter::RoleColor(o11rItemText);
}
TColor TdxBarCustomizingFormOffice11Painter::ListBackColor() const { return TdxBarOffice11Painter::RoleColor(o11rMenu); }

TColor TdxBarCustomizingFormOffice11Painter::EntryBackColor(bool Selected, TdxBarItem*) const {
  return TdxBarOffice11Painter::RoleColor(Selected ? o11rSelected : o11rMenu);
}

void TdxBarCustomizingFormOffice11Painter::FillGlyphBand(TCanvas* Canvas, const TRect& Band, TdxBarItem*) const {
  PaintTwoPhaseGradient(Canvas->Handle(), Band, TdxBarOffice11Painter::RoleColor(o11rToolbarStart),
                        TdxBarOffice11Painter::RoleColor(o11rToolbarEnd), true);
}

void TdxBarCustomizingFormOffice11Painter::DrawCaptionText(TCanvas* Canvas, TRect& R, bool Selected, TdxBarItem* Item,
                                                           const String& Text) const {
  const int height = R.Height();
  TRect box(R.left, R.top, R.right + height + 16, R.bottom);
  if (Selected) {
    FillRect(Canvas, box, EntryBackColor(true, Item));
    FrameWith(Canvas->Handle(), box, SelectionFrameColor());
  } else {
    FillGlyphBand(Canvas, TRect(box.left, box.top, box.left + height, box.bottom), Item);
    FillRect(Canvas, TRect(box.left + height, box.top, box.right, box.bottom), EntryBackColor(false, Item));
  }
  TRect text = R;
  text.left += height + 10;
  DrawEntryText(Canvas, text, Text, EntryTextColor(Selected));
  R.right = box.right;
}

// ---- XP -----------------------------------------------------------------------------------------

void TdxBarCustomizingFormXPPainter::DrawEditFrame(TCanvas* Canvas, TRect& R, bool, TdxBarItem*) const {
  RECT r = R;
  FrameRect(Canvas->Handle(), &r, Canvas->Brush()->Handle());
  InflateRect(&R, -1, -1);
}

void TdxBarCustomizingFormXPPainter::DrawItemContent(TCanvas* Canvas, const TRect& R, bool Selected,
                                                     TdxBarItem* Item) const {
  TRect inner = R;
  InflateRect(&inner, -1, -1);
  TdxBarCustomizingFormPainter::DrawItemContent(Canvas, inner, Selected, Item);
  RECT r = R;
  DrawEdge(Canvas->Handle(), &r, BDR_SUNKENOUTER, BF_RECT);
}

void TdxBarCustomizingFormXPPainter::DrawDropDownButton(TCanvas* Canvas, TdxBarItem*, bool Selected, TRect R) const {
  RECT r = R;
  DrawFrameControl(Canvas->Handle(), &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Selected ? DFCS_HOT : 0));
}

void TdxBarCustomizingFormXPPainter::DrawFocusFrame(TCanvas* Canvas, const TRect& R, TdxBarItem* Item) const {
  TRect r = R;
  if (HasGlyph(Item) && !InheritsFromClassNamed(Item, L"TdxBarEdit")) r.left += TextAreaLeft;
  TdxBarCustomizingFormPainter::DrawFocusFrame(Canvas, r, Item);
}

const TdxBarCustomizingFormPainter& CustomizingFormPainterFor(TClass BarPainterClass) {
  static const TdxBarCustomizingFormStandardPainter standard;
  static const TdxBarCustomizingFormFlatPainter flat;
  static const TdxBarCustomizingFormOffice11Painter office11;
  static const TdxBarCustomizingFormXPPainter xp;
  if (BarPainterClass == &TdxBarXPPainter::ClassInfo()) return xp;
  if (BarPainterClass == &TdxBarOffice11Painter::ClassInfo()) return office11;
  if (BarPainterClass == &TdxBarFlatPainter::ClassInfo()) return flat;
  return standard;
}

void DrawCustomizingEntry(TCanvas* Canvas, const TRect& R, int Kind, bool Selected, TdxBarItem* Item) {
  const TdxBarCustomizingFormPainter& painter = TdxBarCustomizingForm::FormPainterClass();
  if (Kind == 0 || Kind == 1) painter.DrawEditLikeItem(Canvas, R, Kind == 1, Selected, Item);
  else painter.DrawButtonItem(Canvas, R, Selected, StripHotkeyPrefix(Item ? Item->Caption() : String()), Item);
}
