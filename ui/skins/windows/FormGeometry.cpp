#include "ui/skins/windows/FormGeometry.h"

#include <algorithm>
#include <cstdlib>

#include "platform/framework/rtl/Seams.h"

namespace {

int Metric(int index) { return Bound().GetSystemMetrics(index); }

TacBandPainter& BandPainter() {
  static TacBandPainter painter;
  return painter;
}

}  // namespace

bool HasFrame(const TacFormFacts& f) { return f.BorderStyle != bsNone || f.MDIChild; }

int TitleBarHeight(const TacFormFacts& f) {
  if ((HasFrame(f) && (f.Style & WS_CAPTION) == WS_CAPTION) || f.Iconic)
    return Metric(f.BorderStyle == bsToolWindow || f.BorderStyle == bsSizeToolWin ? SM_CYSMCAPTION : SM_CYCAPTION);
  return 0;
}

namespace {
bool DialogFrame(const TacFormFacts& f) {
  if (f.MDIChild) return f.BorderStyle == bsSingle || f.BorderStyle == bsToolWindow;
  return f.BorderStyle == bsSingle || f.BorderStyle == bsDialog || f.BorderStyle == bsToolWindow;
}
}  // namespace

int SideFrameWidth(const TacFormFacts& f) {
  if (!HasFrame(f)) return 0;
  return Metric(DialogFrame(f) ? SM_CXDLGFRAME : SM_CXFRAME);
}

int FrameHeight(const TacFormFacts& f) {
  if (!HasFrame(f)) return 0;
  return Metric(DialogFrame(f) ? SM_CYDLGFRAME : SM_CYFRAME);
}

int FullFrame(const TacFormFacts& f) { return FrameHeight(f) + f.BorderWidth; }

int MenuBarHeight(const TacFormFacts& f) { return f.HasMainMenu ? Metric(SM_CYMENU) - 1 : 0; }

int TopBandHeight(const TacFormFacts& f) {
  int height = TitleBarHeight(f) != 0 ? f.WindowHeight - f.ClientHeight - FrameHeight(f) - f.BorderWidth
                                      : f.WindowHeight - f.ClientHeight;
  height = std::max(height, 0);
  if (f.Iconic) height += FrameHeight(f);
  return height - f.HorzBarHeight;
}

TPoint ClientShift(const TacFormFacts& f) {
  const int x = (f.WindowWidth - f.ClientWidth - f.VertBarWidth) / 2;
  const int y = f.WindowHeight - f.ClientHeight - (TitleBarHeight(f) != 0 ? FullFrame(f) : 0) - f.HorzBarHeight;
  return TPoint(x, y);
}

int IconSizeForHeight(int height) {
  if (height < 9) return 0;
  if (height <= 16) return 8;
  if (height <= 27) return 16;
  return 32;
}

bool IconShown(const TacFormFacts& f) {
  return (f.BorderStyle == bsSingle || f.BorderStyle == bsSizeable) && f.ShowAppIcon;
}

TSize TitleIconSize(const TacFormFacts& f) {
  if (!IconShown(f)) return TSize(0, 0);
  const int bySize = IconSizeForHeight(TitleBarHeight(f));
  return TSize(f.TitleIconWidth != 0 ? f.TitleIconWidth : bySize, f.TitleIconHeight != 0 ? f.TitleIconHeight : bySize);
}

TRect TitleIconRect(const TacFormFacts& f) {
  const TSize size = TitleIconSize(f);
  const int left = SideFrameWidth(f);
  const int top = (TitleBarHeight(f) + FrameHeight(f) - size.cy) / 2;
  return TRect(left, top, left + size.cx, top + size.cy);
}

int MenuRows(const TacFormFacts& f, const std::vector<int>& itemWidths) {
  int rows = 1;
  const int side = SideFrameWidth(f);
  int x = side;
  if (!f.HasMainMenu) return rows;
  const int room = f.FormWidth - 2 * side - 2 * f.BorderWidth;
  for (int w : itemWidths) {
    if (room < x + w) {
      ++rows;
      x = side;
    }
    x += w;
  }
  return rows;
}

bool SnapWindowPos(int& x, int& y, int width, int height, const TRect& workArea, TPoint monitorOrigin, int buffer,
                   bool maximized) {
  if (maximized || (x == 0 && y == 0)) return false;
  auto snap = [buffer](int& p, int a, int b) {
    if (std::abs(p + b - a) < buffer) p = a - b;
  };
  snap(x, workArea.right, width);
  snap(y, workArea.bottom, height);
  snap(x, workArea.left, monitorOrigin.x);
  snap(y, workArea.top, monitorOrigin.y);
  return true;
}

// ---- rubber band ---------------------------------------------------------------------------------------

void SetRubberBandPainter(TacBandPainter painter) { BandPainter() = std::move(painter); }

void DrawRubberBand(HDC dc, const TRect& frame) {
  if (BandPainter()) {
    BandPainter()(dc, frame);
    return;
  }
  if (!dc) return;
  const POINT points[5] = {{frame.left, frame.top},
                           {frame.right, frame.top},
                           {frame.right, frame.bottom},
                           {frame.left, frame.bottom},
                           {frame.left, frame.top}};
  Polyline(dc, points, 5);
}

TRect SizeBandRect(int edge, TPoint cursor, TPoint last, const TRect& start, TSize minimum, TRect band) {
  auto top = [&] {
    band.top = cursor.y + start.top - last.y;
    if (band.bottom - band.top < minimum.cy) band.top = band.bottom - minimum.cy;
  };
  auto left = [&] {
    band.left = cursor.x + start.left - last.x;
    if (band.right - band.left < minimum.cx) band.left = band.right - minimum.cx;
  };
  auto bottom = [&] {
    band.bottom = cursor.y + start.bottom - last.y;
    if (band.bottom - band.top < minimum.cy) band.bottom = start.top + minimum.cy;
  };
  auto right = [&] {
    band.right = cursor.x + start.right - last.x;
    if (band.right - band.left < minimum.cx) band.right = start.left + minimum.cx;
  };
  switch (edge) {
    case HTTOP:
      top();
      break;
    case HTTOPLEFT:
      top();
      left();
      break;
    case HTLEFT:
      left();
      break;
    case HTTOPRIGHT:
      top();
      right();
      break;
    case HTBOTTOM:
      bottom();
      break;
    case HTBOTTOMLEFT:
      bottom();
      left();
      break;
    case HTRIGHT:
      right();
      break;
    default:
      bottom();
      right();
      break;
  }
  return band;
}

TRect TacRubberBand::Frame() const {
  if (moving_) return TRect(left_, top_, left_ + start_.Width(), top_ + start_.Height());
  return TRect(left_, top_, right_, bottom_);
}

void TacRubberBand::Begin(HWND window, const TRect& windowRect, bool moving, int edge, TPoint cursor, TSize minimum) {
  window_ = window;
  start_ = windowRect;
  moving_ = moving;
  edge_ = edge;
  firstMove_ = true;
  active_ = true;
  dc_ = GetWindowDC(GetDesktopWindow());
  saved_ = dc_ ? SaveDC(dc_) : 0;
  if (dc_) SetROP2(dc_, R2_NOT);
  top_ = windowRect.top;
  left_ = windowRect.left;
  if (moving_) {
    lastX_ = cursor.x;
    lastY_ = cursor.y;
  } else {
    minimum_ = minimum;
    bottom_ = windowRect.bottom;
    right_ = windowRect.right;
  }
  DrawRubberBand(dc_, Frame());
}

void TacRubberBand::Move(TPoint cursor) {
  if (moving_) {
    firstMove_ = false;
    if (!active_) return;
    DrawRubberBand(dc_, Frame());
    left_ += cursor.x - lastX_;
    top_ += cursor.y - lastY_;
    lastX_ = cursor.x;
    lastY_ = cursor.y;
    DrawRubberBand(dc_, Frame());
    return;
  }
  if (firstMove_) {
    lastX_ = cursor.x;
    lastY_ = cursor.y;
    firstMove_ = false;
  }
  if (!active_) return;
  DrawRubberBand(dc_, Frame());
  const TRect band = SizeBandRect(edge_, cursor, TPoint(lastX_, lastY_), start_, minimum_,
                                  TRect(left_, top_, right_, bottom_));
  left_ = band.left;
  top_ = band.top;
  right_ = band.right;
  bottom_ = band.bottom;
  DrawRubberBand(dc_, Frame());
}

TRect TacRubberBand::End() {
  if (!active_) return start_;
  active_ = false;
  DrawRubberBand(dc_, Frame());
  if (dc_) {
    if (saved_) RestoreDC(dc_, saved_);
    ReleaseDC(GetDesktopWindow(), dc_);
  }
  dc_ = nullptr;
  TRect result = Frame();
  if (!moving_ && firstMove_) result = start_;
  firstMove_ = false;
  return result;
}
