#pragma once
// The geometry of a skinned form's frame (title bar, frames, client shift, icon, menu rows), the
// screen snap and the rubber band that moves or sizes a window with an inverted frame. The sizes
// are pure functions of the form's state and the bound system metrics.

#include <functional>
#include <vector>

#include "platform/framework/windows/Forms.h"

// What the frame geometry needs of a form.
struct TacFormFacts {
  TFormBorderStyle BorderStyle = bsSizeable;
  bool MDIChild = false;
  DWORD Style = WS_OVERLAPPEDWINDOW;
  bool Iconic = false;
  int BorderWidth = 0;
  int WindowWidth = 0, WindowHeight = 0;
  int ClientWidth = 0, ClientHeight = 0;
  int FormWidth = 0;           // the form's Width (the window's when iconic)
  bool HasMainMenu = false;
  int VertBarWidth = 0;        // the shown skinned vertical scroll bar
  int HorzBarHeight = 0;       // the shown skinned horizontal scroll bar
  bool ShowAppIcon = true;
  int TitleIconWidth = 0, TitleIconHeight = 0;  // 0: by the title bar height
};

bool HasFrame(const TacFormFacts& f);
int TitleBarHeight(const TacFormFacts& f);
int SideFrameWidth(const TacFormFacts& f);
int FrameHeight(const TacFormFacts& f);
int FullFrame(const TacFormFacts& f);
int MenuBarHeight(const TacFormFacts& f);
int TopBandHeight(const TacFormFacts& f);
TPoint ClientShift(const TacFormFacts& f);
// 0 below 9, 8 up to 16, 16 up to 27, else 32.
int IconSizeForHeight(int height);
bool IconShown(const TacFormFacts& f);
TSize TitleIconSize(const TacFormFacts& f);
TRect TitleIconRect(const TacFormFacts& f);
// Rows of a menu bar whose hooked, visible items have these widths.
int MenuRows(const TacFormFacts& f, const std::vector<int>& itemWidths);

// ---- screen snap ------------------------------------------------------------------------------------

// Snaps a moving window's position to the work area's edges within Buffer pixels: right, bottom,
// left (against the monitor's left), top (against the monitor's top), in that order. A position of
// (0, 0) and a maximized window are left alone. True when something was looked at.
bool SnapWindowPos(int& x, int& y, int width, int height, const TRect& workArea, TPoint monitorOrigin, int buffer,
                   bool maximized);

// ---- rubber band ---------------------------------------------------------------------------------

// The frame drawn (and erased: it inverts) on the desktop; tests replace it to record the calls.
using TacBandPainter = std::function<void(HDC dc, const TRect& frame)>;
void SetRubberBandPainter(TacBandPainter painter);
void DrawRubberBand(HDC dc, const TRect& frame);

// One window's move or size with an inverted frame; the window moves once, at the release.
class TacRubberBand {
 public:
  // Edge codes: HTCAPTION or 0 moves... sizing takes HTLEFT..HTBOTTOMRIGHT.
  void Begin(HWND window, const TRect& windowRect, bool moving, int edge, TPoint cursor, TSize minimum);
  // Follows the pointer (screen coordinates).
  void Move(TPoint cursor);
  // Ends the band: the final rectangle, or the window rectangle unchanged when sizing never moved.
  TRect End();
  bool Active() const { return active_; }
  bool Moving() const { return moving_; }
  // The frame drawn now.
  TRect Frame() const;

 private:
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
  int saved_ = 0;
  bool active_ = false;
  bool firstMove_ = false;
  bool moving_ = false;
  int edge_ = 0;
  TRect start_;
  int top_ = 0, left_ = 0, bottom_ = 0, right_ = 0;
  int lastX_ = 0, lastY_ = 0;
  TSize minimum_;
};

// The band rectangle while sizing by that edge (pure): Start is the window before the drag, Last
// the pointer at the first move.
TRect SizeBandRect(int edge, TPoint cursor, TPoint last, const TRect& start, TSize minimum, TRect band);
