#include "ui/bars/BarAnimation.h"

#include <algorithm>

#include "ui/bars/SubMenuControl.h"

// ---- the record ---------------------------------------------------------------------------------

TdxBarAnimationRecord MakeAnimationRecord(TdxBarMenuAnimations Kind, int Left, int Top, int ClientWidth,
                                          int ClientHeight, int FrameWidth, int FrameHeight, int HorzDirection,
                                          int VertDirection, bool FlippedX, bool FlippedY) {
  TdxBarAnimationRecord r;
  r.FinalLeft = Left;
  r.FinalTop = Top;
  r.FinalClientWidth = ClientWidth;
  r.FinalClientHeight = ClientHeight;
  r.FrameWidth = FrameWidth;
  r.FrameHeight = FrameHeight;
  r.GrowsLeftwards = (HorzDirection == 0 && !FlippedX) || (HorzDirection == 1 && FlippedX);
  r.GrowsUpwards = (VertDirection == 0 && !FlippedY) || (VertDirection == 1 && FlippedY);
  r.Kind = Kind;
  if (Kind == maUnfold) {
    const int d = ClientHeight - ClientWidth;
    r.StartOffset = d;
    if (d <= 0) {
      r.PreviousClientRect = TRect{0, 0, -d, 0};
      r.Distance = ClientHeight;
    } else {
      r.PreviousClientRect = TRect{0, 0, 0, d};
      r.Distance = ClientWidth;
    }
    r.StepSize = 8;
  } else {
    r.StartOffset = 0;
    r.PreviousClientRect = TRect{0, 0, ClientWidth, 0};
    r.Distance = ClientHeight;
    r.StepSize = 17;
  }
  return r;
}

TSize AnimationStepSize(const TdxBarAnimationRecord& R, int Index, int CurrentClientWidth) {
  const int a = Index * R.StepSize;
  if (R.Kind != maUnfold) return TSize{CurrentClientWidth, a};
  if (R.StartOffset < 0) return TSize{a - R.StartOffset, a};
  return TSize{a, a + R.StartOffset};
}

// ---- the worker ---------------------------------------------------------------------------------

DEFINE_CLASS(TdxBarAnimationThread)

TdxBarAnimationThread::TdxBarAnimationThread(const TdxBarAnimationRecord& Record)
    : TThread(true), record_(Record) {
  FreeOnTerminate = true;
  TdxBarSubMenuControl* menu = record_.Menu;
  window_ = menu->Handle();
  palette_ = menu->NonRecentPalette();
  HDC windowDC = GetDC(window_);
  memoryDC_ = CreateCompatibleDC(windowDC);
  HBITMAP bitmap = CreateCompatibleBitmap(windowDC, std::max(record_.FinalClientWidth, 1),
                                          std::max(record_.FinalClientHeight, 1));
  ReleaseDC(window_, windowDC);
  savedBitmap_ = SelectObject(memoryDC_, bitmap);
  menu->Perform(WM_PAINT, reinterpret_cast<WPARAM>(memoryDC_), 0);
}

TdxBarAnimationThread::~TdxBarAnimationThread() {
  if (memoryDC_) {
    HGDIOBJ bitmap = SelectObject(memoryDC_, savedBitmap_);
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memoryDC_);
  }
}

void TdxBarAnimationThread::Execute() {
  const int count = AnimationStepCount(record_);
  for (int i = 1; i <= count && !Terminated(); ++i) {
    const DWORD tick = GetTickCount();
    DrawStep(i);
    ++stepsDrawn_;
    // Each step lasts at least one system tick.
    Sleep(1);
    while (GetTickCount() == tick && !Terminated()) Sleep(0);
  }
}

void TdxBarAnimationThread::DrawStep(int Index) {
  HWND wnd = window_;
  RECT window{}, client{};
  GetWindowRect(wnd, &window);
  GetClientRect(wnd, &client);
  const TSize size = AnimationStepSize(record_, Index, client.right);
  const int w = size.cx, h = size.cy;
  const int left = record_.GrowsLeftwards ? window.left + client.right - w : window.left;
  const int top = record_.GrowsUpwards ? window.top + client.bottom - h : window.top;
  SetWindowPos(wnd, nullptr, left, top, record_.FrameWidth + w, h + record_.FrameHeight,
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);

  HDC dc = GetDC(wnd);
  HPALETTE palette = palette_;
  HPALETTE oldPalette = palette ? SelectPalette(dc, palette, TRUE) : nullptr;
  if (palette) RealizePalette(dc);

  // Where the window's client shows the image: vertically the image moves with the growing edge
  // (it slides out of the opener's side); horizontally it is fixed at the fixed edge and uncovered.
  const int sx = record_.GrowsLeftwards ? record_.FinalClientWidth - w : 0;
  const int sy = record_.GrowsUpwards ? 0 : record_.FinalClientHeight - h;
  const TRect& prev = record_.PreviousClientRect;
  const int pw = prev.Width(), ph = prev.Height();
  if (pw <= 0 || ph <= 0 || !hasPreviousSource_) {
    BitBlt(dc, 0, 0, w, h, memoryDC_, sx, sy, SRCCOPY);
  } else {
    // What is on screen moved with the window: it showed the image from (psx, psy).
    const int psx = previousSourceX_, psy = previousSourceY_;
    BitBlt(dc, psx - sx, psy - sy, pw, ph, dc, 0, 0, SRCCOPY);
    // The strips above and below the old part over the whole width, then those beside it.
    if (psy > sy) BitBlt(dc, 0, 0, w, psy - sy, memoryDC_, sx, sy, SRCCOPY);
    if (psy + ph < sy + h) BitBlt(dc, 0, psy + ph - sy, w, sy + h - psy - ph, memoryDC_, sx, psy + ph, SRCCOPY);
    if (psx > sx) BitBlt(dc, 0, psy - sy, psx - sx, ph, memoryDC_, sx, psy, SRCCOPY);
    if (psx + pw < sx + w) BitBlt(dc, psx + pw - sx, psy - sy, sx + w - psx - pw, ph, memoryDC_, psx + pw, psy, SRCCOPY);
  }
  RECT now{};
  GetClientRect(wnd, &now);
  record_.PreviousClientRect = TRect{now.left, now.top, now.right, now.bottom};
  previousSourceX_ = sx;
  previousSourceY_ = sy;
  hasPreviousSource_ = true;
  if (palette) {
    SelectPalette(dc, oldPalette ? oldPalette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), TRUE);
    UpdateColors(dc);
  }
  ReleaseDC(wnd, dc);
}

void TdxBarAnimationThread::DoTerminate() {
  Synchronize([this] {
    if (OnTerminate) OnTerminate(this);
    Finish();
  });
}

void TdxBarAnimationThread::Finish() {
  TdxBarSubMenuControl* menu = record_.Menu;
  if (menu->DestroyingWindow() || !menu->HandleAllocated()) return;
  menu->Animate = false;
  SetWindowPos(menu->Handle(), nullptr, record_.FinalLeft, record_.FinalTop,
               record_.FrameWidth + record_.FinalClientWidth, record_.FrameHeight + record_.FinalClientHeight,
               SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
  menu->Repaint();
}

void StopAnimationWorker(TdxBarAnimationThread* Worker) {
  if (!Worker) return;
  Worker->FreeOnTerminate = false;
  Worker->Terminate();
  try {
    Worker->WaitFor();
  } catch (...) {
    Worker->Free();
    throw;
  }
  Worker->Free();
}
