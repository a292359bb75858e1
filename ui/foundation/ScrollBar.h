#pragma once
// TcxScrollBar: a scroll bar drawn by the look-and-feel painter on an off-screen bitmap: two arrow
// buttons, a proportional thumb and two page areas, hot tracking when the painter wants it,
// auto-repeat of arrows and page areas (first after 400 ms, then every 60 ms), and thumb tracking
// that snaps back when the pointer strays too far from the bar.

#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/graphics/Bitmap.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Controls.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/ScrollBarGeometry.h"

class TcxScrollBar;

// The laid-out parts of one bar.
class TcxScrollBarViewInfo : public TObject {
  DECLARE_CLASS(TcxScrollBarViewInfo, TObject)
 public:
  explicit TcxScrollBarViewInfo(TcxScrollBar* AScrollBar) : scrollBar_(AScrollBar) {}
  virtual void LayoutParts();
  virtual void RedoLayout() { LayoutParts(); }
  void PlaceThumb();
  TcxScrollBar* ScrollBar() const { return scrollBar_; }
  TcxScrollBarLayout Layout;
  int MinThumbLength = 0;

 private:
  TcxScrollBar* scrollBar_;
};
// A view-info class: makes the view info of a bar.
using TcxScrollBarViewInfoClass = TcxScrollBarViewInfo* (*)(TcxScrollBar* AScrollBar);
template <class T>
TcxScrollBarViewInfo* cxScrollBarViewInfoOf(TcxScrollBar* AScrollBar) {
  return new T(AScrollBar);
}

class TcxScrollBar : public TCustomControl {
  DECLARE_CLASS(TcxScrollBar, TCustomControl)
 public:
  explicit TcxScrollBar(TComponent* AOwner);
  ~TcxScrollBar() override;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // The one writer of the range: EInvalidOperation when Max < Min or the page is larger than the
  // range (PageSize > Max - Min + 1); the position is clamped to Min .. Max.
  void ApplyScrollRange(int AMin, int AMax, int APageSize, int APosition, bool ARedraw = true);

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind Value);
  int Min() const { return range_.Min; }
  int Max() const { return range_.Max; }
  int PageSize() const { return range_.PageSize; }
  int Position() const { return range_.Position; }
  void SetMin(int Value) { ApplyScrollRange(Value, range_.Max, range_.PageSize, range_.Position); }
  void SetMax(int Value) { ApplyScrollRange(range_.Min, Value, range_.PageSize, range_.Position); }
  void SetPageSize(int Value) { ApplyScrollRange(range_.Min, range_.Max, Value, range_.Position); }
  void SetPosition(int Value) { ApplyScrollRange(range_.Min, range_.Max, range_.PageSize, Value); }
  Word SmallChange = 1;
  Word LargeChange = 1;
  bool UnlimitedTracking = false;
  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

  // Made on first use with ViewInfoClassRef and laid out.
  TcxScrollBarViewInfo* ViewInfo();
  // The bar's own look and feel; assigning copies the values.
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_; }
  void SetLookAndFeel(TcxLookAndFeel* Value) { lookAndFeel_->Assign(Value); }
  // The painter of the scroll-bar theme part.
  TcxCustomLookAndFeelPainterClass Painter() const;
  TcxScrollBarPart PressedPart() const { return pressedPart_; }
  TcxScrollBarPart HotPart() const { return hotPart_; }
  TcxTimer* RepeatTimer() const { return timer_; }
  // The part under a client point.
  TcxScrollBarPart PartAt(const TPoint& P);
  // Scrolls as the code says; OnScroll may change the new position.
  void Scroll(TScrollCode Code) { InternalScroll(Code); }

 protected:
  void Paint() override;
  virtual void RaiseOnChange();
  virtual TcxScrollBarViewInfoClass ViewInfoClassRef();
  virtual void PaintAllParts(TcxCanvas* ACanvas);
  virtual void PaintPart(TcxCanvas* ACanvas, const TRect& R, TcxScrollBarPart Part, int State);
  virtual bool PainterHotTracks();
  virtual void RaiseOnScroll(TScrollCode Code, int& APosition);
  virtual int MinThumbLength();

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CancelScroll();
  void InternalScroll(TScrollCode Code);
  // The state a part is painted in: 1 normal, 2 hot, 3 pressed, 4 disabled.
  int PartState(TcxScrollBarPart Part);

  void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }
  void WMCancelMode(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CNScroll(TMessage& Message);
  void CNCtlColorScrollBar(TMessage& Message);
  void WMSysColorChange(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CN_CTLCOLORSCROLLBAR, CNCtlColorScrollBar)
  MESSAGE_HANDLER(WM_SYSCOLORCHANGE, WMSysColorChange)
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
  MESSAGE_HANDLER(WM_CANCELMODE, WMCancelMode)
  MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
  MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged)
  MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
  MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
  MESSAGE_HANDLER(CN_HSCROLL, CNScroll)
  MESSAGE_HANDLER(CN_VSCROLL, CNScroll)
  MESSAGE_MAP_END

 private:
  friend class TcxScrollBarViewInfo;
  void RepeatTimerTick(TObject* Sender);
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues);
  void ThemeChanged();
  void ScrollStep(TcxScrollBarPart Part);
  void Relayout();
  void TrackThumb(int X, int Y);
  bool Horizontal() const { return kind_ == sbHorizontal; }

  TBitmap* bitmap_;
  TcxCanvas* bitmapCanvas_;
  TPoint mouseDownPoint_;
  TScrollBarKind kind_ = sbHorizontal;
  TcxScrollBarRange range_;
  int savedPosition_ = 0;
  TPoint savedThumbOrigin_;
  TcxTimer* timer_;
  TcxLookAndFeel* lookAndFeel_;
  TdxThemeChangedNotificator* themeNotificator_;
  TcxScrollBarPart pressedPart_ = sbpNone;
  TcxScrollBarPart hotPart_ = sbpNone;
  TcxScrollBarViewInfo* viewInfo_ = nullptr;
};

// The system's scroll-bar thickness: cx = SM_CXVSCROLL, cy = SM_CYHSCROLL.
TSize SystemScrollBarSize();
