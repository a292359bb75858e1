#include "ui/navbar/NavBarElementPainters.h"

#include <algorithm>

#include "platform/framework/graphics/Bitmap.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/navbar/NavBarGraphics.h"
#include "ui/navbar/skins/GdiPlus.h"

// ---- the pieces ------------------------------------------------------------------------------

void FillSoftwareGradient(HDC DC, const TRect& R, TColor Color1, TColor Color2, int GradientMode) {
  const int W = R.Width(), H = R.Height();
  if (W <= 0 || H <= 0) return;
  const TColor a = ColorToRGB(Color1), b = ColorToRGB(Color2);
  if (a == b) return FillRectSolid(DC, R, a);
  const int C = std::min(W, 256), Rows = std::min(H, 256);
  auto channel = [&](int shift, int c, int r) {
    const int from = a >> shift & 0xFF, to = b >> shift & 0xFF, d = to - from;
    const int along = C > 1 ? MulDiv(c, d, C - 1) : 0;
    const int down = Rows > 1 ? MulDiv(r, d, Rows - 1) : 0;
    switch (GradientMode) {
      case 0: return from + along;
      case 1: return from + down;
      case 2: return from + (along + down) / 2;
      default: return from + ((C > 1 ? MulDiv(C - 1 - c, d, C - 1) : 0) + down) / 2;
    }
  };
  const COLORREF savedBack = GetBkColor(DC);
  int top = R.top;
  for (int r = 0; r < Rows; ++r) {
    const int bottom = R.top + MulDiv(r + 1, H, Rows);
    int left = R.left;
    for (int c = 0; c < C; ++c) {
      const int right = R.left + MulDiv(c + 1, W, C);
      if (right > left && bottom > top) {
        const COLORREF color = RGB(std::clamp(channel(0, c, r), 0, 255), std::clamp(channel(8, c, r), 0, 255),
                                   std::clamp(channel(16, c, r), 0, 255));
        SetBkColor(DC, color);
        const RECT cell{left, top, right, bottom};
        ExtTextOutW(DC, 0, 0, ETO_OPAQUE, &cell, nullptr, 0, nullptr);
      }
      left = right;
    }
    top = bottom;
  }
  SetBkColor(DC, savedBack);
}

void TilePicture(HDC DC, const TRect& R, TPicture* Picture) {
  TGraphic* graphic = Picture ? Picture->Graphic() : nullptr;
  if (!graphic || graphic->Empty() || R.IsEmpty()) return;
  TBitmap* bitmap = dynamic_cast<TBitmap*>(graphic);
  ObjectPtr<TBitmap> drawn;
  if (!bitmap) {
    drawn.reset(new TBitmap(graphic->Width(), graphic->Height(), pf24bit));
    drawn->Canvas()->Draw(0, 0, graphic);
    bitmap = drawn.get();
  }
  const int w = bitmap->Width(), h = bitmap->Height();
  HDC source = bitmap->Canvas()->Handle();
  for (int y = R.top; y < R.bottom; y += h)
    for (int x = R.left; x < R.right; x += w)
      BitBlt(DC, x, y, std::min(w, int(R.right) - x), std::min(h, int(R.bottom) - y), source, 0, 0, SRCCOPY);
}

void FillAlphaGradient(HDC DC, const TRect& R, TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2,
                       int GradientMode) {
  if (GdiPlusAvailable())
    GradientFillGdiPlus(DC, R, Color1, Color2, Alpha1, Alpha2, GradientMode);
  else if (Alpha1 != 0 || Alpha2 != 0)
    FillSoftwareGradient(DC, R, Color1, Color2, GradientMode);
}

// ---- the painters ----------------------------------------------------------------------------

void TdxNavBarCustomImagePainter::DrawImage(TcxCanvas* Canvas, TCustomImageList* ImageList, int ImageIndex,
                                            const TRect& R, bool Enabled) const {
  if (!ImageList || ImageIndex < 0 || ImageIndex >= ImageList->Count()) return;
  Canvas->PushDCState();
  ImageList->Draw(Canvas->Canvas(), R.left, R.top, ImageIndex, Enabled);
  Canvas->PopDCState();
}

void TdxNavBarCustomSelectionPainter::GetSelectionColors(int, TColor, TColor& FillColor, TColor& TopLeftOuter,
                                                         TColor& BottomRightOuter, TColor& TopLeftInner,
                                                         TColor& BottomRightInner) const {
  FillColor = TopLeftOuter = BottomRightOuter = TopLeftInner = BottomRightInner = clNone;
}

void TdxNavBarCustomSelectionPainter::DrawSelection(TcxCanvas* Canvas, const TRect& R, TColor BackColor,
                                                    int State) const {
  if (!(State & (nbisHot | nbisPressed | nbisSelected))) return;
  TColor fill, outerTL, outerBR, innerTL, innerBR;
  GetSelectionColors(State, BackColor, fill, outerTL, outerBR, innerTL, innerBR);
  DrawFrame(Canvas, R, outerTL, outerBR, innerTL, innerBR);
  if (fill != clNone) Canvas->FillAreaWithColor(TRect(R.left + 1, R.top + 1, R.right - 1, R.bottom - 1), fill);
}

bool TdxNavBarCustomSelectionPainter::IsSunken(int State) const { return State & (nbisPressed | nbisSelected); }

void TdxNavBarUltraFlatSelectionPainter::GetSelectionColors(int State, TColor, TColor& FillColor,
                                                            TColor& TopLeftOuter, TColor& BottomRightOuter,
                                                            TColor& TopLeftInner, TColor& BottomRightInner) const {
  FillColor = IsSunken(State) ? SelectionTintColor() : HotTintColor();
  TopLeftOuter = BottomRightOuter = clHighlight;
  TopLeftInner = BottomRightInner = clNone;
}

bool TdxNavBarUltraFlatSelectionPainter::IsSunken(int State) const {
  return (State & nbisPressed) && !(State & nbisSelected);
}

void TdxNavBarCustomBackgroundPainter::DrawBackground(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, bool Erase,
                                                      TColor EraseColor, TColor Color1, TColor Color2, Byte Alpha1,
                                                      Byte Alpha2, int GradientMode) const {
  HDC dc = Canvas->DCHandle();
  if (Picture && Picture->Graphic() && !Picture->Graphic()->Empty())
    TilePicture(dc, R, Picture);
  else if (Erase)
    FillRectSolid(dc, R, EraseColor);
  if (Color1 == clNone && Color2 == clNone) return;
  if (Color1 == Color2 && Alpha1 == 255 && Alpha2 == 255)
    FillRectSolid(dc, R, Color1);
  else
    FillAlphaGradient(dc, R, Color1, Color2, Alpha1, Alpha2, GradientMode);
}

void TdxNavBarCustomGroupBackgroundPainter::DrawGroupBackground(TcxCanvas* Canvas, const TRect& R, TPicture* Picture,
                                                                TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2,
                                                                int GradientMode) const {
  TdxNavBarCustomBackgroundPainter::Instance()->DrawBackground(Canvas, R, Picture, false, clNone, Color1, Color2,
                                                               Alpha1, Alpha2, GradientMode);
}

void TdxNavBarCustomHintPainter::DrawHint(TcxCanvas* Canvas, const TRect& R, const String& Hint, TPicture* Picture,
                                          TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode,
                                          TFont* Font) const {
  if (Hint.empty()) return;
  TdxNavBarCustomBackgroundPainter::Instance()->DrawBackground(Canvas, R, Picture, true, clInfoBk, Color1, Color2,
                                                               Alpha1, Alpha2, GradientMode);
  HDC dc = Canvas->DCHandle();
  RECT edge = R;
  DrawEdge(dc, &edge, BDR_RAISEDOUTER, BF_RECT);
  RECT text{R.left + 3, R.top + 3, R.right - 1, R.bottom - 1};
  Canvas->PushDCState();
  if (Font) Canvas->UseFont(Font);
  HGDIOBJ oldFont = SelectObject(dc, Canvas->CurrentFont()->Handle());
  SetTextColor(dc, COLORREF(ColorToRGB(Canvas->CurrentFont()->Color())));
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, Hint.c_str(), int(Hint.size()), &text, DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  Canvas->PopDCState();
}

void TdxNavBarCustomButtonPainter::DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, TColor Color1,
                                              TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode, TColor,
                                              int) const {
  TdxNavBarCustomBackgroundPainter::Instance()->DrawBackground(Canvas, R, Picture, false, clBtnFace, Color1, Color2,
                                                               Alpha1, Alpha2, GradientMode);
}

void TdxNavBarCustomDropTargetLinkPainter::DrawDropTargetLink(TcxCanvas* Canvas, const TPoint (&Points)[6],
                                                              TColor Color) const {
  if (Color == clNone) return;
  const POINT polygon[7] = {Points[0], Points[1], Points[2], Points[0], Points[3], Points[4], Points[5]};
  FillPolygonSolid(Canvas->DCHandle(), polygon, 7, Color);
}

void TdxNavBarCustomDropTargetGroupPainter::DrawDropTargetGroup(TcxCanvas* Canvas, const TRect& R, TColor Color1,
                                                                TColor Color2, Byte Alpha1, Byte Alpha2,
                                                                int GradientMode) const {
  if (GdiPlusAvailable()) {
    TdxNavBarCustomBackgroundPainter::Instance()->DrawBackground(Canvas, R, nullptr, false, clNone, Color1, Color2,
                                                                 Alpha1, Alpha2, GradientMode);
    return;
  }
  Canvas->DrawFrameBorders(R, Color1, 2);
}
