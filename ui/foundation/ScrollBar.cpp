#include "ui/foundation/ScrollBar.h"

#include <algorithm>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TcxScrollBarViewInfo)
DEFINE_CLASS(TcxScrollBar)

namespace {

constexpr UINT kFirstRepeat = 400;
constexpr UINT kNextRepeat = 60;
// How far the pointer may stray from a tracked bar: along it and across it.
constexpr int kTrackSlackAlong = 34;
constexpr int kTrackSlackAcross = 136;

bool IsArrowOrPage(TcxScrollBarPart part) {
  return part == sbpLineUp || part == sbpLineDown || part == sbpPageUp || part == sbpPageDown;
}

}  // namespace

TSize SystemScrollBarSize() {
  return {Bound().GetSystemMetrics(SM_CXVSCROLL), Bound().GetSystemMetrics(SM_CYHSCROLL)};
}

// ---- view info -----------------------------------------------------------------------------------

void TcxScrollBarViewInfo::LayoutParts() {
  const bool horizontal = scrollBar_->Horizontal();
  const int arrow = Bound().GetSystemMetrics(horizontal ? SM_CYHSCROLL : SM_CXVSCROLL);
  cxLayoutScrollBarArrows(horizontal, scrollBar_->Width(), scrollBar_->Height(), arrow, Layout);
  PlaceThumb();
}

void TcxScrollBarViewInfo::PlaceThumb() {
  const bool horizontal = scrollBar_->Horizontal();
  const int noPageThumb = Bound().GetSystemMetrics(horizontal ? SM_CXHTHUMB : SM_CYVTHUMB);
  cxPlaceScrollBarThumb(horizontal, scrollBar_->Enabled(), scrollBar_->range_, noPageThumb, MinThumbLength, Layout);
}

// ---- construction --------------------------------------------------------------------------------

TcxScrollBar::TcxScrollBar(TComponent* AOwner)
    : TCustomControl(AOwner), bitmap_(new TBitmap(1, 1)), bitmapCanvas_(new TcxCanvas(bitmap_->Canvas())) {
  ControlStyle = {csCaptureMouse, csFramed, csOpaque};
  SetBounds(Left(), Top(), 121, Bound().GetSystemMetrics(SM_CYHSCROLL));
  timer_ = new TcxTimer(nullptr);
  timer_->SetEnabled(false);
  timer_->SetInterval(kFirstRepeat);
  timer_->SetOnTimer(TNotifyEvent(this, &TcxScrollBar::RepeatTimerTick));
  lookAndFeel_ = new TcxLookAndFeel(this);
  lookAndFeel_->OnChanged = TcxLookAndFeelChangedEvent(this, &TcxScrollBar::LookAndFeelChanged);
  themeNotificator_ = new TdxThemeChangedNotificator();
  themeNotificator_->OnThemeChanged = [this] { ThemeChanged(); };
}

TcxScrollBar::~TcxScrollBar() {
  timer_->Free();
  themeNotificator_->Free();
  lookAndFeel_->Free();
  if (viewInfo_) viewInfo_->Free();
  bitmapCanvas_->Free();
  bitmap_->Free();
}

TcxScrollBarViewInfoClass TcxScrollBar::ViewInfoClassRef() { return &cxScrollBarViewInfoOf<TcxScrollBarViewInfo>; }

// Made on first use, once the bar is fully built, so a descendant's view-info class and minimal thumb
// length are the ones asked.
TcxScrollBarViewInfo* TcxScrollBar::ViewInfo() {
  if (!viewInfo_) {
    viewInfo_ = ViewInfoClassRef()(this);
    ViewInfo()->MinThumbLength = MinThumbLength();
    Relayout();
  }
  return viewInfo_;
}

void TcxScrollBar::Relayout() {
  // The off-screen bitmap only grows: a bar resized with its control keeps its pixels' memory.
  if (bitmap_->Width() < Width() || bitmap_->Height() < Height())
    bitmap_->SetSize(std::max({Width(), bitmap_->Width(), 1}), std::max({Height(), bitmap_->Height(), 1}));
  ViewInfo()->RedoLayout();
}

void TcxScrollBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const bool resized = AWidth != Width() || AHeight != Height();
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (resized && viewInfo_ && Width() > 0 && Height() > 0) Relayout();
}

void TcxScrollBar::SetKind(TScrollBarKind Value) {
  if (kind_ == Value) return;
  kind_ = Value;
  if (ComponentState().Contains(csLoading)) {
    Relayout();
    return;
  }
  // Turning the bar exchanges its width and height.
  SetBounds(Left(), Top(), Height(), Width());
  Relayout();
  Invalidate();
}

// ---- range ---------------------------------------------------------------------------------------

void TcxScrollBar::ApplyScrollRange(int AMin, int AMax, int APageSize, int APosition, bool ARedraw) {
  // A page may cover the whole range but not more; a negative Min is a range like any other.
  if (AMax < AMin || APageSize < 0 || static_cast<long long>(APageSize) > static_cast<long long>(AMax) - AMin + 1)
    throw EInvalidOperation(L"Scrollbar property out of range");
  const bool redraw = ARedraw && HandleAllocated();
  APosition = std::clamp(APosition, AMin, AMax);
  if (AMin == range_.Min && AMax == range_.Max && APageSize == range_.PageSize && APosition == range_.Position)
    return;
  range_.Min = AMin;
  range_.Max = AMax;
  range_.PageSize = APageSize;
  if (APosition != range_.Position) {
    SetEnabled(true);
    range_.Position = APosition;
    ViewInfo()->PlaceThumb();
    if (redraw) Repaint();
    RaiseOnChange();
  } else {
    ViewInfo()->PlaceThumb();
    if (redraw) Repaint();
  }
}

void TcxScrollBar::RaiseOnChange() {
  if (OnChange) OnChange(this);
}

void TcxScrollBar::RaiseOnScroll(TScrollCode Code, int& APosition) {
  if (OnScroll) OnScroll(this, Code, APosition);
}

// ---- scrolling -----------------------------------------------------------------------------------

void TcxScrollBar::InternalScroll(TScrollCode Code) {
  int position = range_.Position;
  switch (Code) {
    case scLineUp: position -= SmallChange; break;
    case scLineDown: position += SmallChange; break;
    case scPageUp: position -= LargeChange; break;
    case scPageDown: position += LargeChange; break;
    case scTop: position = range_.Min; break;
    case scBottom: position = range_.Max; break;
    default: break;
  }
  position = std::clamp(position, range_.Min, range_.Max);
  const std::weak_ptr<void> alive = LifeToken();
  RaiseOnScroll(Code, position);
  if (alive.expired()) return;
  position = std::clamp(position, range_.Min, range_.Max);
  if (position == range_.Position) return;
  if (Code == scTrack) {
    range_.Position = position;
    Repaint();
  } else {
    SetPosition(position);
  }
}

void TcxScrollBar::ScrollStep(TcxScrollBarPart Part) {
  static constexpr TScrollCode kCodes[] = {scEndScroll, scLineUp, scLineDown, scTrack, scPageUp, scPageDown};
  if (Part != sbpNone) InternalScroll(kCodes[Part]);
}

void TcxScrollBar::CNScroll(TMessage& Message) {
  InternalScroll(static_cast<TScrollCode>(LOWORD(Message.WParam)));
}

TcxScrollBarPart TcxScrollBar::PartAt(const TPoint& P) {
  return cxScrollBarHitTest(ViewInfo()->Layout, Width(), Height(), P);
}

// ---- mouse ---------------------------------------------------------------------------------------

void TcxScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const std::weak_ptr<void> alive = LifeToken();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (alive.expired() || Button != mbLeft) return;
  const TcxScrollBarPart part = PartAt({X, Y});
  if (part == sbpNone) return;
  if (part == sbpThumbnail) {
    mouseDownPoint_ = {X, Y};
    savedPosition_ = range_.Position;
    savedThumbOrigin_ = ViewInfo()->Layout.Thumb.TopLeft();
    InternalScroll(scTrack);
    if (alive.expired()) return;
  }
  pressedPart_ = hotPart_ = part;
  if (part != sbpThumbnail) {
    ScrollStep(part);
    if (alive.expired()) return;
    timer_->SetInterval(kFirstRepeat);
    timer_->SetEnabled(true);
  }
  Repaint();
}

void TcxScrollBar::RepeatTimerTick(TObject*) {
  if (GetCaptureControl() == this && HandleAllocated() && GetCapture() == Handle() && IsArrowOrPage(pressedPart_)) {
    if (timer_->Interval() == kFirstRepeat) timer_->SetInterval(kNextRepeat);
    const std::weak_ptr<void> alive = LifeToken();
    ScrollStep(pressedPart_);
    if (alive.expired()) return;
    timer_->SetEnabled(PartAt(ScreenToClient(SafeCursorPos())) == pressedPart_);
    return;
  }
  CancelScroll();
}

void TcxScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
  const std::weak_ptr<void> alive = LifeToken();
  TCustomControl::MouseMove(Shift, X, Y);
  if (alive.expired()) return;
  if (pressedPart_ == sbpThumbnail) {
    TrackThumb(X, Y);
    return;
  }
  const TcxScrollBarPart part = PartAt({X, Y});
  if (pressedPart_ != sbpNone) timer_->SetEnabled(part == pressedPart_);
  if (part != hotPart_) {
    hotPart_ = part;
    if (PainterHotTracks()) Repaint();
  }
}

void TcxScrollBar::TrackThumb(int X, int Y) {
  const bool horizontal = Horizontal();
  TRect tolerance = ClientRect();
  if (horizontal) tolerance = {-kTrackSlackAlong, -kTrackSlackAcross, Width() + kTrackSlackAlong, Height() + kTrackSlackAcross};
  else tolerance = {-kTrackSlackAcross, -kTrackSlackAlong, Width() + kTrackSlackAcross, Height() + kTrackSlackAlong};
  if (UnlimitedTracking || tolerance.Contains({X, Y})) {
    TcxScrollBarLayout& layout = ViewInfo()->Layout;
    const int trackStart = horizontal ? layout.FirstArrow.right : layout.FirstArrow.bottom;
    const int trackEnd = horizontal ? layout.SecondArrow.left : layout.SecondArrow.top;
    const int length = horizontal ? layout.Thumb.Width() : layout.Thumb.Height();
    const int origin = horizontal ? savedThumbOrigin_.x : savedThumbOrigin_.y;
    const int move = horizontal ? X - mouseDownPoint_.x : Y - mouseDownPoint_.y;
    const int start = std::clamp(origin + move, trackStart, std::max(trackStart, trackEnd - length));
    if (horizontal) {
      layout.Thumb.left = start;
      layout.Thumb.right = start + length;
      layout.PageBefore.right = start;
      layout.PageAfter.left = start + length;
    } else {
      layout.Thumb.top = start;
      layout.Thumb.bottom = start + length;
      layout.PageBefore.bottom = start;
      layout.PageAfter.top = start + length;
    }
    Repaint();
    const int position = cxScrollBarPositionFromThumb(horizontal, range_, layout);
    if (position != range_.Position) {
      range_.Position = position;
      InternalScroll(scTrack);
    }
    return;
  }
  // Too far away: the thumb snaps back to where the drag began.
  if (range_.Position != savedPosition_) {
    const std::weak_ptr<void> alive = LifeToken();
    SetPosition(savedPosition_);
    if (alive.expired()) return;
    InternalScroll(scTrack);
  }
}

void TcxScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const std::weak_ptr<void> alive = LifeToken();
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (alive.expired()) return;
  CancelScroll();
  if (alive.expired()) return;
  hotPart_ = PartAt({X, Y});
}

void TcxScrollBar::CancelScroll() {
  if (pressedPart_ == sbpNone) return;
  const std::weak_ptr<void> alive = LifeToken();
  if (pressedPart_ == sbpThumbnail) {
    range_.Position = cxScrollBarPositionFromThumb(Horizontal(), range_, ViewInfo()->Layout);
    InternalScroll(scPosition);
    if (alive.expired()) return;
  }
  timer_->SetEnabled(false);
  pressedPart_ = hotPart_ = sbpNone;
  InternalScroll(scEndScroll);
  if (alive.expired()) return;
  ViewInfo()->PlaceThumb();
  Invalidate();
}

void TcxScrollBar::WMCancelMode(TMessage& Message) {
  CancelScroll();
  Inherited::Dispatch(Message);
}

void TcxScrollBar::CMEnabledChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  Relayout();
  if (!Enabled()) CancelScroll();
  Invalidate();
}

void TcxScrollBar::CMVisibleChanged(TMessage& Message) {
  if (!Visible()) CancelScroll();
  Inherited::Dispatch(Message);
}

void TcxScrollBar::CMMouseEnter(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (PainterHotTracks() || IsArrowOrPage(pressedPart_)) Repaint();
}

void TcxScrollBar::CMMouseLeave(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (pressedPart_ != sbpThumbnail) hotPart_ = sbpNone;
  if (PainterHotTracks() || IsArrowOrPage(pressedPart_)) Invalidate();
}

// ---- painting ------------------------------------------------------------------------------------

int TcxScrollBar::PartState(TcxScrollBarPart Part) {
  if (!Enabled()) return 4;
  if (Part == sbpThumbnail && !PainterHotTracks()) return 1;
  if (pressedPart_ != sbpNone) return Part == pressedPart_ && Part == hotPart_ ? 3 : 1;
  return Part == hotPart_ && !ComponentState().Contains(csDesigning) ? 2 : 1;
}

void TcxScrollBar::PaintAllParts(TcxCanvas* ACanvas) {
  const TcxScrollBarLayout& layout = ViewInfo()->Layout;
  if (layout.Thumb.IsEmpty()) {
    PaintPart(ACanvas, ClientRect(), sbpPageUp, Enabled() ? 1 : 4);
  } else {
    PaintPart(ACanvas, layout.Thumb, sbpThumbnail, PartState(sbpThumbnail));
  }
  PaintPart(ACanvas, layout.FirstArrow, sbpLineUp, PartState(sbpLineUp));
  PaintPart(ACanvas, layout.SecondArrow, sbpLineDown, PartState(sbpLineDown));
  if (!layout.Thumb.IsEmpty()) {
    if (!layout.PageBefore.IsEmpty()) PaintPart(ACanvas, layout.PageBefore, sbpPageUp, PartState(sbpPageUp));
    if (!layout.PageAfter.IsEmpty()) PaintPart(ACanvas, layout.PageAfter, sbpPageDown, PartState(sbpPageDown));
  }
}

void TcxScrollBar::Paint() {
  PaintAllParts(bitmapCanvas_);
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), bitmapCanvas_->DCHandle(), 0, 0, SRCCOPY);
}

TcxCustomLookAndFeelPainterClass TcxScrollBar::Painter() const {
  return lookAndFeel_->PainterForThemedType(totScrollBar);
}

bool TcxScrollBar::PainterHotTracks() { return Painter()->HotTracksButtons(); }

int TcxScrollBar::MinThumbLength() { return Painter()->MinScrollThumbLength(!Horizontal()); }

void TcxScrollBar::PaintPart(TcxCanvas* ACanvas, const TRect& R, TcxScrollBarPart Part, int State) {
  Painter()->PaintScrollBarPart(ACanvas, Horizontal(), R, static_cast<TcxScrollBarPaintPart>(Part),
                                static_cast<TcxPaintButtonState>(State));
}

void TcxScrollBar::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {
  if (!viewInfo_) return;
  viewInfo_->MinThumbLength = MinThumbLength();
  Relayout();
  Invalidate();
}

void TcxScrollBar::ThemeChanged() {
  if (viewInfo_) {
    viewInfo_->MinThumbLength = MinThumbLength();
    Relayout();
  }
  UpdateTrackPatterns();
  Invalidate();
  if (Parent()) Parent()->Realign();
}

void TcxScrollBar::WMSysColorChange(TMessage& Message) {
  UpdateTrackPatterns();
  Inherited::Dispatch(Message);
}

void TcxScrollBar::CNCtlColorScrollBar(TMessage& Message) {
  UpdateTrackPatterns();
  Message.Result = HandleAllocated() ? DefWindowProcW(Handle(), WM_CTLCOLORSCROLLBAR, Message.WParam, Message.LParam)
                                     : 0;
}
