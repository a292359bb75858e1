#pragma once
// TacScrollWnd: a subclass object that draws a window's standard scroll bars (WS_HSCROLL,
// WS_VSCROLL) from the skin in the window's non-client area. The window keeps its scroll
// information and its scrolling logic; the object reserves the room for the bars itself (the
// previous procedure computes the client area with the scroll styles removed), paints, hit-tests and
// tracks the mouse over them and sends the window the WM_HSCROLL/WM_VSCROLL messages the system's
// own bars would send.
//
// The mouse state is process-wide: only one bar can hold the mouse at a time. Timers on the window:
// hover kScrollHoverTimer (20 ms), first repeat kScrollFirstRepeatTimer (300 ms), repeat
// kScrollRepeatTimer (55 ms).

#include <memory>

#include "ui/skins/windows/SubclassWnd.h"

class TacScrollWnd;

inline constexpr UINT_PTR kScrollHoverTimer = 0xFFF2;
inline constexpr UINT_PTR kScrollFirstRepeatTimer = 0xFFFD;
inline constexpr UINT_PTR kScrollRepeatTimer = 0xFFFE;
inline constexpr UINT kScrollHoverInterval = 20;
inline constexpr UINT kScrollFirstRepeatDelay = 300;
inline constexpr UINT kScrollRepeatInterval = 55;

// Parts of a bar; the codes equal the scroll requests sent for them.
enum : int {
  kScrollPartNone = -1,
  kScrollPartFirstArrow = SB_LINEUP,
  kScrollPartSecondArrow = SB_LINEDOWN,
  kScrollPartFirstTrack = SB_PAGEUP,
  kScrollPartSecondTrack = SB_PAGEDOWN,
  kScrollPartThumb = SB_THUMBTRACK,
};

static_assert(sizeof(SCROLLINFO) == 28, "the scroll information is the platform's 28-byte structure");

// The state of one bar.
class TacScrollBar : public TObject {
  DECLARE_CLASS(TacScrollBar, TObject)
 public:
  TacScrollBar(TacScrollWnd* owner, int kind);

  Word Flags = 0;        // 8 while the window's style has the bar's style bit
  bool Visible = false;  // shown: style bit set and room for it
  SCROLLINFO Info{};
  int ArrowLength = -1;  // -n: n times the system size
  int Thickness = -1;    // -n: n times the system size
  Word Kind = SB_HORZ;
  int MinThumbSize = 10;
  TacScrollWnd* Owner = nullptr;
};

// Thumb length and start along a bar.
struct TacThumb {
  int Length = 0;
  int Start = 0;
};

class TacScrollWnd : public TacMainWnd {
  DECLARE_CLASS(TacScrollWnd, TacMainWnd)
 public:
  TacScrollWnd(HWND handle, TsCommonData* skinData, TsSkinManager* manager, const String& section);
  ~TacScrollWnd() override;
  // Sets up the bars and subclasses the window.
  void Attach(bool repaint) override;
  void ProcessMessage(TMessage& message) override;

  void InitScrollBars(bool repaint);
  // What 0: arrow length, 1: thickness; UseSkin widens the arrows to the skin's frames when the
  // skin asks for it.
  int BarMetric(const TacScrollBar* bar, int what, bool useSkin) const;
  // Screen rectangles of the bars (a hidden bar counts as thickness 0) and of the corner.
  TRect HorzBarRect() const;
  TRect VertBarRect() const;
  TRect BarRect(int kind) const;
  TRect CornerRect() const;
  TacThumb ThumbGeometry(const TacScrollBar* bar, const TRect& barRect) const;
  // The part under a screen point, or kScrollPartNone.
  int HitTestBar(const TacScrollBar* bar, const TRect& barRect, int y, int x) const;
  bool BarEnabled(const TacScrollBar* bar) const;
  // True when the window sits in the bottom-right (left with a left bar) corner of a top-level
  // parent's client area: the corner then shows a size grip.
  bool SizeGripShown() const;
  // Paints both bars and the corner into DC (0: the window DC). ThumbOverride -1: the thumb where
  // the scroll information puts it.
  LRESULT PaintScrollBars(HDC dc, int thumbOverride);
  void PaintBar(TacScrollBar* bar, HDC dc, int thumbOverride, int downPart, const TRect& barRect);
  void SendScroll(UINT message, int code, int position);
  void RefreshScrollInfo(bool repaint);
  TacScrollBar* Bar(int kind) const { return kind == SB_HORZ ? HorzBar.get() : VertBar.get(); }

  std::unique_ptr<TacScrollBar, TFreeDeleter> HorzBar;
  std::unique_ptr<TacScrollBar, TFreeDeleter> VertBar;
  bool DraggingThumb = false;
  bool LeftScrollBar = false;
  int EdgeLeft = 0, EdgeRight = 0, EdgeTop = 0, EdgeBottom = 0;
  bool StyleLocked = false;

 protected:
  // Releases the window in the scroll form: also frees both bars.
  void ReleaseScrollWindow();

 private:
  void NCCalcSize(TMessage& message);
  void NCHitTest(TMessage& message);
  void NCMouseMove(TMessage& message);
  void NCLButtonDown(TMessage& message);
  void Timer(TMessage& message);
  void HoverTick();
  void MouseMove(TMessage& message);
  // An arrow or track part is held: the pressed state follows the pointer.
  void FollowPointer(TPoint pointer);
  void LButtonUp(TMessage& message);
  void NCPaint(TMessage& message);
  void DragThumb(TPoint pointer);
  // Passes the message on with WS_HSCROLL/WS_VSCROLL removed from the style around the call.
  void PassOnWithoutScrollStyles(TMessage& message);
  // The bar image: tracks split at the thumb's middle, arrows, thumb (thumbState -1: none).
  void DrawBar(TacScrollBar* bar, HDC dc, const TRect& barRect, const int arrowStates[2], const int trackStates[2],
               int thumbStart, int thumbState, bool enabled);
  void RepaintBar(int kind, int downPart);
  // Bitmaps kept between paints (0: the bar image, 1: a part or the corner), at least W x H.
  TBitmap* Scratch(int slot, int width, int height);

  std::unique_ptr<TBitmap, TFreeDeleter> scratch_[2];
};

// The process-wide mouse state of the skinned scroll bars.
struct TacScrollMouseState {
  HWND TrackWindow = nullptr;
  int CaptureKind = -1;
  int ClickedPart = -1;
  int DownPart = -1;
  UINT ScrollMessage = 0;
  UINT_PTR RepeatTimer = 0;
  UINT_PTR HoverTimer = 0;
  int HotKind = -1;
  int HotPart = -1;
  int LastHoverPart = -1;
  TRect HotBarRect;
  int LastTrackPos = -1;
  int DragThumbLength = 0;
  int DragThumbStart = 0;
  TRect DragBarRect;
  int DragGrabOffset = 0;
  int DragStartThumb = 0;
};
extern TacScrollMouseState ScrollMouse;

// Which 0 horizontal, 1 vertical, 3 both; false when the window has no scroll object.
bool SetMinThumbSize(HWND handle, int which, int size);
// The bar of the window's scroll object, or none (also for a kind other than 0 and 1).
TacScrollBar* FindScrollBar(HWND handle, int kind);
