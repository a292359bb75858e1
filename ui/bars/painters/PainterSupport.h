#pragma once
// Small helpers the painters share: scope guards for GDI state and objects (released and restored
// also when a drawing call raises), system metrics through the framework's bound table, and plain
// fills.

#include <utility>

#include "platform/framework/rtl/Seams.h"
#include "ui/bars/BarPainter.h"
#include "ui/foundation/Geometry.h"

namespace bar_painting {

// Runs a function when the scope ends.
template <class F>
class TScopeExit {
 public:
  explicit TScopeExit(F f) : f_(std::move(f)) {}
  ~TScopeExit() { f_(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  F f_;
};

// Saves the DC's state (clip, origin, selected objects) and restores it at the end of the scope.
class TSavedDC {
 public:
  explicit TSavedDC(HDC DC) : dc_(DC), saved_(SaveDC(DC)) {}
  ~TSavedDC() { RestoreDC(dc_, saved_); }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// A GDI object deleted at the end of the scope.
template <class H>
class TGdiObject {
 public:
  explicit TGdiObject(H Handle) : handle_(Handle) {}
  ~TGdiObject() {
    if (handle_) DeleteObject(handle_);
  }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  H Get() const { return handle_; }
  operator H() const { return handle_; }

 private:
  H handle_;
};

// An object selected into a DC for the scope.
class TSelected {
 public:
  TSelected(HDC DC, HGDIOBJ Object) : dc_(DC), previous_(SelectObject(DC, Object)) {}
  ~TSelected() { SelectObject(dc_, previous_); }
  TSelected(const TSelected&) = delete;
  TSelected& operator=(const TSelected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The system metric through the bound table (tests pin it).
inline int SystemMetric(int Index) { return Bound().GetSystemMetrics(Index); }

inline void FillSys(HDC DC, const TRect& R, int SysColor) {
  RECT r = R;
  FillRect(DC, &r, GetSysColorBrush(SysColor));
}
inline void FrameSys(HDC DC, const TRect& R, int SysColor) {
  RECT r = R;
  FrameRect(DC, &r, GetSysColorBrush(SysColor));
}
inline void FillBrush(HDC DC, const TRect& R, HBRUSH Brush) {
  RECT r = R;
  if (Brush && !R.IsEmpty()) FillRect(DC, &r, Brush);
}
inline void FrameBrush(HDC DC, const TRect& R, HBRUSH Brush) {
  RECT r = R;
  if (Brush) FrameRect(DC, &r, Brush);
}
inline void Edge(HDC DC, const TRect& R, UINT EdgeKind, UINT Flags) {
  RECT r = R;
  DrawEdge(DC, &r, EdgeKind, Flags);
}
inline TRect Deflated(const TRect& R, int DX, int DY) {
  return TRect{R.left + DX, R.top + DY, R.right - DX, R.bottom - DY};
}
inline TRect Deflated(const TRect& R, const TRect& M) {
  return TRect{R.left + M.left, R.top + M.top, R.right - M.right, R.bottom - M.bottom};
}
// A solid pen line from (X1, Y1) to (X2, Y2), end point excluded.
void LineSolid(HDC DC, int X1, int Y1, int X2, int Y2, TColor Color);
// The draw parameters' control, DC, button-like view, states, and whether the button has a split
// drop-down part.
TdxBarItemControl* ControlOf(TdxBarItemControlDrawParams* P);
HDC DCOf(TdxBarItemControlDrawParams* P);
TdxBarButtonLikeControlDrawParams* ButtonParams(TdxBarItemControlDrawParams* P);
TdxBarPaintStates StatesOf(TdxBarItemControlDrawParams* P);
bool HasSplitPart(TdxBarItemControlDrawParams* P);
// A menu entry's background in the classic looks: the column right of the icon, the rows around it
// and the text area, with OwnBrush where the entry is not selected.
void DrawClassicMenuItemBackground(TdxBarPainter* Painter, TCustomdxBarControl* SubMenu,
                                   TdxBarItemControlDrawParams* P, const TRect& R, HBRUSH OwnBrush);
// The check mark: a 9 x 7 pattern at (X, Y), each of its pixels an S x S block.
void DrawCheckPattern(HDC DC, int X, int Y, int S, TColor Color);
// A one-pixel polyline in a colour.
void PolylineSolid(HDC DC, const POINT* Points, int Count, TColor Color);

}  // namespace bar_painting
