#include "ui/ribbon/statusbar/StatusBarPainters.h"

#include "platform/framework/rtl/Seams.h"
#include "ui/bars/BarRoutines.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/Themes.h"
#include "ui/ribbon/statusbar/StatusBarStyles.h"

namespace {

// The visual-style parts of the "Status" class.
constexpr int kStatusBackground = 0, kStatusPane = 1, kStatusGripper = 3;
// GetThemePartSize's kind for the true size.
constexpr int kTrueSize = 1;

void Fill(TcxCanvas* ACanvas, const TRect& R, TColor Color) { FillRectSolid(ACanvas->DCHandle(), R, Color); }

TdxTheme StatusTheme() { return ThemeHandleFor(totStatus); }

}  // namespace

// ---- the base painter -----------------------------------------------------------------------------

TdxStatusBarPainterClass TdxStatusBarPainter::Class() {
  static const TdxStatusBarPainter painter;
  return &painter;
}

void TdxStatusBarPainter::AdjustTextColor(TdxCustomStatusBar*, TColor&, bool) const {}

TRect TdxStatusBarPainter::BorderSizes(TdxCustomStatusBar* ABar) const {
  const int b = ABar->BorderWidth();
  return {b, b + TopBorderHeight(), b, b};
}

void TdxStatusBarPainter::DrawBorder(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, TRect& R) const {
  FillTopBorder(ABar, ACanvas, TRect(R.left, R.top, R.right, R.top + TopBorderHeight()));
  R.top += TopBorderHeight();
  const int b = ABar->BorderWidth();
  if (b < 1) return;
  const TColor color = ABar->Color();
  Fill(ACanvas, TRect(R.left, R.top, R.right, R.top + b), color);
  R.top += b;
  Fill(ACanvas, TRect(R.left, R.bottom - b, R.right, R.bottom), color);
  R.bottom -= b;
  Fill(ACanvas, TRect(R.left, R.top, R.left + b, R.bottom), color);
  R.left += b;
  Fill(ACanvas, TRect(R.right - b, R.top, R.right, R.bottom), color);
  R.right -= b;
}

void TdxStatusBarPainter::DrawEmptyArea(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, TRect R) const {
  DrawPanelBevel(ABar, dxpbLowered, R, ACanvas);
  FillPanelBackground(ABar, nullptr, R, ACanvas);
}

void TdxStatusBarPainter::DrawPanel(TdxCustomStatusBar* ABar, TdxStatusBarPanel* APanel, TRect R,
                                    TcxCanvas* ACanvas) const {
  if (!APanel) {
    DrawPanelBevel(ABar, dxpbLowered, R, ACanvas);
    FillPanelBackground(ABar, nullptr, R, ACanvas);
    return;
  }
  if (!APanel->Visible()) {
    FillPanelBackground(ABar, nullptr, R, ACanvas);
    return;
  }
  DrawPanelBevel(ABar, EffectiveBevel(APanel), R, ACanvas);
  if (APanel->OnDrawPanel) {
    bool done = false;
    APanel->OnDrawPanel(APanel, ACanvas, R, done);
    if (done) return;
  }
  if (TdxStatusBarPanelStyle* style = APanel->PanelStyle())
    style->DrawContent(ACanvas, R, this);
  else
    FillPanelBackground(ABar, APanel, R, ACanvas);
}

void TdxStatusBarPainter::DrawPanelBevel(TdxCustomStatusBar*, TdxStatusBarPanelBevel, TRect&, TcxCanvas*) const {}

void TdxStatusBarPainter::DrawSeparator(TdxCustomStatusBar*, TcxCanvas*, const TRect&) const {}

void TdxStatusBarPainter::PaintSizeGrip(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, bool Overlapped,
                                        const TRect& R) const {
  const TRect inner(R.left + 1, R.top + 1, R.right - 1, R.bottom - 1);
  const TSize g = SizeGripSize();
  const TRect grip(inner.right - g.cx, inner.bottom - g.cy, inner.right, inner.bottom);
  TRect clip = grip;
  if (Overlapped) clip.right += 1;
  const TColor color = ABar->Color();
  Fill(ACanvas, clip, color);
  DrawTransparentSizeGrip(ACanvas->DCHandle(), grip);
  const TSize m = SizeGripMarginSize();
  const TRect row(inner.right - m.cx, inner.bottom, inner.right + 1, inner.bottom + 1);
  const TRect column(inner.right, inner.bottom - m.cy, inner.right + 1, inner.bottom);
  Fill(ACanvas, row, color);
  Fill(ACanvas, column, color);
  ACanvas->SubtractFromClip(clip);
  ACanvas->SubtractFromClip(row);
  ACanvas->SubtractFromClip(column);
}

void TdxStatusBarPainter::FillTopBorder(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, const TRect& R) const {
  Fill(ACanvas, R, ABar->Color());
}

void TdxStatusBarPainter::FillPanelBackground(TdxCustomStatusBar*, TdxStatusBarPanel*, const TRect&,
                                              TcxCanvas*) const {}

TdxStatusBarPanelBevel TdxStatusBarPainter::EffectiveBevel(TdxStatusBarPanel* APanel) const {
  if (!APanel) return dxpbLowered;
  if (APanel->PanelStyle() && APanel->PanelStyle()->DrawsOwnBorder()) return dxpbNone;
  return APanel->Bevel();
}

TColor TdxStatusBarPainter::PanelBackgroundColor(TdxCustomStatusBar* ABar, TdxStatusBarPanel* APanel) const {
  if (APanel && APanel->PanelStyle()) return APanel->PanelStyle()->Color();
  return ABar->Color();
}

TRect TdxStatusBarPainter::AdjustPanelTextRect(TdxCustomStatusBar*, TdxStatusBarPanel*, const TRect& R) const {
  return R;
}

// ---- standard and flat ----------------------------------------------------------------------------

TdxStatusBarPainterClass TdxStatusBarStandardPainter::Class() {
  static const TdxStatusBarStandardPainter painter;
  return &painter;
}

void TdxStatusBarStandardPainter::DrawPanelBevel(TdxCustomStatusBar*, TdxStatusBarPanelBevel ABevel, TRect& R,
                                                 TcxCanvas* ACanvas) const {
  const UINT edge = ABevel == dxpbLowered ? BDR_SUNKENOUTER : ABevel == dxpbRaised ? BDR_RAISEDINNER : 0;
  RECT r = R;
  DrawEdge(ACanvas->DCHandle(), &r, edge, BF_RECT | BF_ADJUST);
  R = TRect(r.left, r.top, r.right, r.bottom);
}

void TdxStatusBarStandardPainter::DrawSeparator(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, const TRect& R) const {
  Fill(ACanvas, R, ABar->Color());
}

void TdxStatusBarStandardPainter::FillPanelBackground(TdxCustomStatusBar* ABar, TdxStatusBarPanel* APanel,
                                                      const TRect& R, TcxCanvas* ACanvas) const {
  Fill(ACanvas, R, PanelBackgroundColor(ABar, APanel));
}

TdxStatusBarPainterClass TdxStatusBarFlatPainter::Class() {
  static const TdxStatusBarFlatPainter painter;
  return &painter;
}

void TdxStatusBarFlatPainter::DrawPanelBevel(TdxCustomStatusBar*, TdxStatusBarPanelBevel ABevel, TRect& R,
                                             TcxCanvas* ACanvas) const {
  if (ABevel == dxpbNone) return;
  FrameRectSolid(ACanvas->DCHandle(), R, clBtnShadow);
  R = TRect(R.left + 1, R.top + 1, R.right - 1, R.bottom - 1);
}

// ---- Office11 -------------------------------------------------------------------------------------

TdxStatusBarPainterClass TdxStatusBarOffice11Painter::Class() {
  static const TdxStatusBarOffice11Painter painter;
  return &painter;
}

TRect TdxStatusBarOffice11Painter::BorderSizes(TdxCustomStatusBar*) const { return {1, 1, 1, 1}; }

void TdxStatusBarOffice11Painter::DrawBorder(TdxCustomStatusBar*, TcxCanvas* ACanvas, TRect& R) const {
  PaintTwoPhaseGradient(ACanvas->DCHandle(), R, Office11Color(Office11PaleGroupColor),
                        Office11Color(Office11PaleFaceColor), false);
  R = TRect(R.left + 1, R.top + 1, R.right - 1, R.bottom - 1);
}

void TdxStatusBarOffice11Painter::DrawPanelBevel(TdxCustomStatusBar*, TdxStatusBarPanelBevel ABevel, TRect& R,
                                                 TcxCanvas* ACanvas) const {
  if (ABevel == dxpbNone) return;
  FrameRectSolid(ACanvas->DCHandle(), R, BlendColorsPercent(Office11Color(Office11PaleFaceColor), clBlack, 90));
  R = TRect(R.left + 1, R.top + 1, R.right - 1, R.bottom - 1);
}

void TdxStatusBarOffice11Painter::DrawSeparator(TdxCustomStatusBar*, TcxCanvas*, const TRect&) const {}

void TdxStatusBarOffice11Painter::PaintSizeGrip(TdxCustomStatusBar*, TcxCanvas* ACanvas, bool Overlapped,
                                                const TRect& R) const {
  const TRect inner(R.left, R.top + 1, R.right, R.bottom - 1);
  const TSize g = SizeGripSize();
  const TRect grip(inner.right - g.cx, inner.bottom - g.cy, inner.right, inner.bottom);
  TRect clip = grip;
  if (!Overlapped) clip.right -= 1;
  DrawOffice11SizeGripDots(ACanvas->DCHandle(), grip);
  ACanvas->SubtractFromClip(clip);
}

// ---- XP -------------------------------------------------------------------------------------------

TdxStatusBarPainterClass TdxStatusBarXPPainter::Class() {
  static const TdxStatusBarXPPainter painter;
  return &painter;
}

TRect TdxStatusBarXPPainter::BorderSizes(TdxCustomStatusBar*) const { return {0, TopBorderHeight(), 0, 0}; }

TSize TdxStatusBarXPPainter::SizeGripSize() const {
  SIZE size{0, 0};
  if (auto fn = Bound().GetThemePartSize.Get()) fn(StatusTheme(), nullptr, kStatusGripper, 0, nullptr, kTrueSize, &size);
  return {size.cx, size.cy};
}

int TdxStatusBarXPPainter::SeparatorWidth() const {
  SIZE size{0, 0};
  HDC screen = GetDC(nullptr);
  if (auto fn = Bound().GetThemePartSize.Get()) fn(StatusTheme(), screen, kStatusPane, 0, nullptr, kTrueSize, &size);
  ReleaseDC(nullptr, screen);
  return size.cx;
}

void TdxStatusBarXPPainter::DrawBorder(TdxCustomStatusBar*, TcxCanvas* ACanvas, TRect& R) const {
  const RECT r = R;
  if (auto fn = Bound().DrawThemeBackground.Get()) fn(StatusTheme(), ACanvas->DCHandle(), kStatusBackground, 0, &r, nullptr);
  R.top += 2;
}

void TdxStatusBarXPPainter::DrawSeparator(TdxCustomStatusBar*, TcxCanvas* ACanvas, const TRect& R) const {
  const RECT r = R;
  if (auto fn = Bound().DrawThemeBackground.Get()) fn(StatusTheme(), ACanvas->DCHandle(), kStatusPane, 0, &r, nullptr);
}

void TdxStatusBarXPPainter::PaintSizeGrip(TdxCustomStatusBar*, TcxCanvas* ACanvas, bool Overlapped,
                                          const TRect& R) const {
  const TRect inner(R.left + 1, R.top, R.right - 1, R.bottom);
  const TSize g = SizeGripSize();
  const TRect grip(inner.right - g.cx, inner.bottom - g.cy, inner.right, inner.bottom);
  TRect clip = grip;
  if (Overlapped) clip.right += 1;
  const RECT r = grip;
  if (auto fn = Bound().DrawThemeBackground.Get()) fn(StatusTheme(), ACanvas->DCHandle(), kStatusGripper, 0, &r, nullptr);
  ACanvas->SubtractFromClip(clip);
}
