#include "ui/skins/controls/SkinScrollBar.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/framework/classes/Reflection.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/windows/ThemeState.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/CommonData.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"

DEFINE_CLASS(TsScrollBar)

// The system's scroll information record; nTrackPos is answered only to a record of this size.
static_assert(sizeof(SCROLLINFO) == 28, "SCROLLINFO keeps one layout on both targets");

namespace {

using BitmapPtr = std::unique_ptr<TBitmap, TFreeDeleter>;

// Set while a scroll bar recreates its window as the skinned window: CreateParams builds a plain
// window then, and the skin commands do not recreate again.
bool creatingSkinnedWindow = false;

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

bool Contains(const TRect& r, const TPoint& p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

bool Empty(const TRect& r) { return r.right <= r.left || r.bottom <= r.top; }

const bool scrollBarProperties = [] {
  RegisterProperties(&TsScrollBar::ClassInfo(),
                     {ObjectProperty(L"SkinData", &TsScrollBar::SkinData, nullptr),
                      ObjectProperty(L"SkinManager", &TsScrollBar::SkinManager, &TsScrollBar::SetSkinManager)});
  return true;
}();

// The frame of a glyph mask: a third of its own image's width or half its height, else the frame
// of the master bitmap's piece.
TSize GlyphFrame(const TsMaskData& mask) {
  if (mask.Bmp) return TSize(mask.Bmp->Width() / 3, mask.Bmp->Height() / 2);
  TFrameSize frame = MaskFrame(mask);
  return TSize(frame.Width, frame.Height);
}

// A glyph of the mask in a state, centred in the part; one that does not fit is clipped to it.
void DrawCentredGlyph(TBitmap* target, const TsMaskData& mask, int state, const TRect& part, int shift) {
  TSize frame = GlyphFrame(mask);
  const int w = part.right - part.left, h = part.bottom - part.top;
  if (w <= 0 || h <= 0 || frame.cx <= 0 || frame.cy <= 0) return;
  const int x = (w - frame.cx) / 2 + shift, y = (h - frame.cy) / 2 + shift;
  if (x >= 0 && y >= 0 && x + frame.cx <= w && y + frame.cy <= h) {
    DrawSkinGlyph(target, TPoint(part.left + x, part.top + y), state, mask, 1);
    return;
  }
  BitmapPtr piece(CreateBmp24(w, h));
  BitBlt(piece->Canvas()->Handle(), 0, 0, w, h, target->Canvas()->Handle(), part.left, part.top, SRCCOPY);
  DrawSkinGlyph(piece.get(), TPoint(x, y), state, mask, 1);
  BitBlt(target->Canvas()->Handle(), part.left, part.top, w, h, piece->Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace

TsScrollBar::TsScrollBar(TComponent* owner) : TScrollBar(owner), skinData_(new TsCommonData(this, true)) {
  skinData_->ClassCode = kClassCodeScrollBar;
  ownCache_ = MakeCacheRef(skinData_->CacheBmp, 0, 0);
}

TsScrollBar::~TsScrollBar() {
  StopTimer();
  skinData_->Free();
}

void TsScrollBar::AfterConstruction() {
  TScrollBar::AfterConstruction();
  if (!ComponentState().Contains(csLoading)) FinishLoading();
}

void TsScrollBar::Loaded() {
  TScrollBar::Loaded();
  FinishLoading();
}

void TsScrollBar::FinishLoading() {
  skinData_->AfterLoad();
  if (ThemeState().Enabled() && !IsSkinned()) ControlStyle.Exclude(csParentBackground);
  if (recreatePending_) {
    recreatePending_ = false;
    RecreateKeepingPosition(true);
  }
}

void TsScrollBar::SetDisabledKind(TsDisabledKind value) {
  if (disabledKind_ == value) return;
  disabledKind_ = value;
  skinData_->InvalidateCache();
}

TsSkinManager* TsScrollBar::SkinManager() const { return skinData_->SkinManager(); }

void TsScrollBar::SetSkinManager(TsSkinManager* value) { skinData_->SetSkinManager(value); }

bool TsScrollBar::IsSkinned() {
  if (!skinData_->SkinManagerField()) skinData_->SetSkinManager(DefaultManager);
  TsSkinManager* manager = skinData_->SkinManager();
  return manager && manager->SkinData().Active;
}

// ---- window ----------------------------------------------------------------------------------------

void TsScrollBar::CreateParams(TCreateParams& params) {
  if (creatingSkinnedWindow) {
    // A plain window of this class that keeps the scroll information itself.
    TWinControl::CreateParams(params);
    params.WindowClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    params.Background = nullptr;
    ownWindow_ = true;
    return;
  }
  TScrollBar::CreateParams(params);
  ownWindow_ = false;
  if (IsSkinned()) recreatePending_ = true;
}

void TsScrollBar::RecreateKeepingPosition(bool skinned) {
  const int position = Position();
  const bool saved = creatingSkinnedWindow;
  creatingSkinnedWindow = skinned;
  struct TFlagEnd {
    bool Saved;
    ~TFlagEnd() { creatingSkinnedWindow = Saved; }
  } end{saved};
  RecreateWnd();
  SetPosition(position);
}

// ---- geometry --------------------------------------------------------------------------------------

int TsScrollBar::ButtonSize() const { return Bound().GetSystemMetrics(Horizontal() ? SM_CXHSCROLL : SM_CYVSCROLL); }

int TsScrollBar::BarLength() const { return Horizontal() ? Width() : Height(); }

TRect TsScrollBar::Span(int a, int b) const { return Horizontal() ? TRect(a, 0, b, Height()) : TRect(0, a, Width(), b); }

TRect TsScrollBar::FirstButtonRect() const { return Span(0, std::min(ButtonSize(), BarLength() / 2)); }

TRect TsScrollBar::SecondButtonRect() const {
  const int l = BarLength();
  return Span(l - std::min(ButtonSize(), l / 2), l);
}

TRect TsScrollBar::ButtonPaintRect(bool first) const {
  int length = ButtonSize();
  if (TsSkinManager* manager = skinData_->SkinManager(); manager && manager->SkinData().Active) {
    const TacConstIndexes& c = manager->ConstIndexes();
    const TacScrollBtnIndexes& b = Horizontal() ? (first ? c.BtnLeft : c.BtnRight) : (first ? c.BtnTop : c.BtnBottom);
    if (manager->IsValidSkinIndex(b.Section) && manager->Sections()[size_t(b.Section)].ReservedBoolean &&
        manager->IsValidMaskIndex(b.BordersMask)) {
      const TsMaskData& mask = manager->Masks()[size_t(b.BordersMask)];
      int frame;
      if (mask.Bmp)
        frame = Horizontal() ? mask.Bmp->Width() / 3 : mask.Bmp->Height() / 2;
      else
        frame = Horizontal() ? MaskFrame(mask).Width : MaskFrame(mask).Height;
      length = std::max(length, frame);
    }
  }
  const int l = BarLength();
  length = std::min(length, l / 2);
  return first ? Span(0, length) : Span(l - length, l);
}

int TsScrollBar::ThumbLength() const {
  const TacScrollInfo& i = info_;
  if (i.Page == 0) return 14;
  const int track = BarLength() - 2 * ButtonSize();
  const int span = i.Max + i.Page - std::max(i.Page - 1, 0) - i.Min;
  return std::max(RoundHalfEven(double(track) / span * i.Page), 14);
}

int TsScrollBar::MaxPosition() const { return info_.Max - std::max(info_.Page - 1, 0); }

int TsScrollBar::ThumbCentre() const {
  const int l = BarLength(), b = ButtonSize(), t = ThumbLength();
  if (!Enabled()) return l / 2;
  const int range = info_.Max - info_.Min - std::max(info_.Page - 1, 0);
  if (range == 0) return 0;
  return b + t / 2 + RoundHalfEven(double(l - 2 * b - t) / range * (current_ - info_.Min));
}

TRect TsScrollBar::ThumbRect() const {
  const int t = ThumbLength(), start = ThumbCentre() - t / 2;
  return Span(start, start + t);
}

TRect TsScrollBar::FirstTrackRect() const { return Span(0, ThumbCentre()); }

TRect TsScrollBar::SecondTrackRect() const { return Span(ThumbCentre(), BarLength()); }

int TsScrollBar::PositionAt(int coordinate) const {
  if (!Enabled()) return 0;
  const int b = ButtonSize(), t = ThumbLength();
  const int free = BarLength() - 2 * b - t;
  // A thumb that fills the track leaves nowhere to move to.
  if (free <= 0) return 0;
  const int range = info_.Max - info_.Min - std::max(info_.Page - 1, 0);
  return info_.Min + RoundHalfEven((coordinate - b - t / 2.0) * range / free);
}

int TsScrollBar::PositionUnderCursor() const {
  POINT cursor;
  GetCursorPos(&cursor);
  return PositionAt(Along(const_cast<TsScrollBar*>(this)->ScreenToClient(TPoint(cursor.x, cursor.y))));
}

int TsScrollBar::HotFlag() const { return skinData_->IsActive() ? 1 : 0; }

// ---- scroll information and notifications ----------------------------------------------------------

void TsScrollBar::SetScrollInfoMessage(TMessage& message) {
  const auto* si = reinterpret_cast<const SCROLLINFO*>(message.LParam);
  const bool redraw = message.WParam != 0;
  if (!si) return;
  if ((si->fMask & SIF_PAGE) && int(si->nPage) != info_.Page) {
    info_.Page = int(si->nPage);
    repaintNeeded_ = redraw;
  }
  if ((si->fMask & SIF_POS) && si->nPos != info_.Pos) {
    info_.Pos = si->nPos;
    repaintNeeded_ = redraw;
  }
  if (si->fMask & SIF_RANGE) {
    const int newMin = si->nMax < si->nMin ? 0 : si->nMin;
    const int newMax = si->nMax < si->nMin ? 0 : si->nMax;
    if (newMin != info_.Min || newMax != info_.Max) {
      info_.Min = newMin;
      info_.Max = newMax;
      repaintNeeded_ = redraw;
    }
  }
  info_.Page = std::clamp(info_.Page, 0, info_.Max - info_.Min + 1);
  info_.Pos = std::clamp(info_.Pos, info_.Min, std::max(info_.Min, MaxPosition()));
  if (scrollCode_ != SB_THUMBTRACK) current_ = info_.Pos;
  RepaintIfNeeded();
}

void TsScrollBar::GetScrollInfoMessage(TMessage& message) {
  auto* si = reinterpret_cast<SCROLLINFO*>(message.LParam);
  if (!si) return;
  if (si->fMask & SIF_PAGE) si->nPage = UINT(info_.Page);
  if (si->fMask & SIF_POS) si->nPos = info_.Pos;
  if (si->fMask & SIF_RANGE) {
    si->nMin = info_.Min;
    si->nMax = info_.Max;
  }
  if ((si->fMask & SIF_TRACKPOS) && si->cbSize == sizeof(SCROLLINFO)) si->nTrackPos = info_.TrackPos;
}

void TsScrollBar::ScrollBy(int delta) { SetScrollPosition(current_ + delta); }

void TsScrollBar::SetScrollPosition(int value) {
  value = std::clamp(value, info_.Min, std::max(info_.Min, MaxPosition()));
  current_ = value;
  if (scrollCode_ == SB_THUMBTRACK) {
    if (info_.TrackPos == value && !thumbMoved_) return;
    thumbMoved_ = false;
    info_.TrackPos = value;
  } else {
    info_.Pos = value;
  }
  const bool withPosition = scrollCode_ == SB_THUMBPOSITION || scrollCode_ == SB_THUMBTRACK;
  const WPARAM wParam = MAKEWPARAM(scrollCode_, withPosition ? Word(value & 0xFFFF) : 0);
  const auto life = LifeToken();
  SendMessageW(Handle(), Horizontal() ? WM_HSCROLL : WM_VSCROLL, wParam, reinterpret_cast<LPARAM>(Handle()));
  if (life.expired()) return;
  repaintNeeded_ = true;
  RepaintIfNeeded();
}

void TsScrollBar::SetPartState(TacScrollPart part, int state) {
  if (states_[part] == state) return;
  repaintNeeded_ = true;
  states_[part] = state;
  if (state != 1 && state != 2) return;
  switch (part) {
    case spFirstButton:
    case spSecondButton:
    case spThumb:
      for (TacScrollPart other : {spFirstButton, spSecondButton, spThumb})
        if (other != part) states_[other] = 0;
      states_[spFirstTrack] = states_[spSecondTrack] = 1;
      break;
    case spFirstTrack:
    case spSecondTrack:
      states_[spFirstButton] = states_[spSecondButton] = states_[spThumb] = 0;
      states_[part == spFirstTrack ? spSecondTrack : spFirstTrack] = 1;
      break;
  }
}

// ---- mouse -----------------------------------------------------------------------------------------

void TsScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (!ControlIsReady(this)) return;
  if (button == mbLeft && ownWindow_ && IsSkinned() && Enabled()) {
    if (Application) {
      savedShowHint_ = Application->ShowHint();
      hintsHeld_ = true;
      Application->SetShowHint(false);
    }
    dragOffset_ = 0;
    if (CanFocus()) SetFocus();
    const TPoint p(x, y);
    if (Contains(FirstButtonRect(), p)) {
      scrollCode_ = SB_LINEUP;
      if (states_[spFirstButton] != 2) {
        SetPartState(spFirstButton, 2);
        paintSuppressed_ = true;
        ScrollBy(-1);
        StartTimer(TTimerKind::Button);
      }
    } else if (Contains(SecondButtonRect(), p)) {
      if (states_[spSecondButton] != 2) {
        SetPartState(spSecondButton, 2);
        scrollCode_ = SB_LINEDOWN;
        ScrollBy(1);
        StartTimer(TTimerKind::Button);
      }
    } else if (Contains(ThumbRect(), p)) {
      scrollCode_ = SB_THUMBTRACK;
      if (states_[spThumb] != 2) {
        dragOffset_ = PositionAt(Along(p)) - current_;
        SetPartState(spThumb, 2);
        thumbMoved_ = true;
        ScrollBy(0);
        StartTimer(TTimerKind::Thumb);
      }
    } else if (Contains(FirstTrackRect(), p)) {
      scrollCode_ = SB_PAGEUP;
      if (states_[spFirstTrack] != 2) {
        SetPartState(spFirstTrack, 2);
        states_[spSecondTrack] = HotFlag();
        ScrollBy(-std::max(info_.Page, 1));
        StartTimer(TTimerKind::Page);
      }
    } else {
      scrollCode_ = SB_PAGEDOWN;
      if (states_[spSecondTrack] != 2) {
        SetPartState(spSecondTrack, 2);
        states_[spFirstTrack] = HotFlag();
        ScrollBy(std::max(info_.Page, 1));
        StartTimer(TTimerKind::Page);
      }
    }
    RepaintIfNeeded();
  }
  TScrollBar::MouseDown(button, shift, x, y);
}

void TsScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (!ControlIsReady(this)) return;
  if (button != mbLeft || !ownWindow_ || !IsSkinned() || !Enabled()) {
    TScrollBar::MouseUp(button, shift, x, y);
    return;
  }
  StopTimer();
  const TPoint p(x, y);
  const bool thumbPressed = states_[spThumb] == 2;
  if (Contains(ThumbRect(), p) || thumbPressed) {
    scrollCode_ = SB_THUMBPOSITION;
    states_[spFirstTrack] = HotFlag();
    states_[spSecondTrack] = states_[spFirstTrack];
    repaintNeeded_ = true;
    if (thumbPressed) {
      ScrollBy(0);
      SetPartState(spThumb, Contains(ThumbRect(), p) ? 1 : 0);
    }
  } else if (states_[spFirstButton] == 2 && Contains(FirstButtonRect(), p)) {
    SetPartState(spFirstButton, 1);
  } else if (states_[spSecondButton] == 2 && Contains(SecondButtonRect(), p)) {
    SetPartState(spSecondButton, 1);
  } else if (states_[spFirstTrack] == 2) {
    SetPartState(spFirstTrack, HotFlag());
  } else if (states_[spSecondTrack] == 2) {
    SetPartState(spSecondTrack, HotFlag());
  }
  RepaintIfNeeded();
  ReleaseCapture();
  const auto life = LifeToken();
  TScrollBar::MouseUp(button, shift, x, y);
  if (life.expired()) return;
  scrollCode_ = SB_ENDSCROLL;
  ScrollBy(0);
  if (life.expired()) return;
  if (hintsHeld_ && Application) Application->SetShowHint(savedShowHint_);
  hintsHeld_ = false;
}

void TsScrollBar::NCHitTest(TMessage& message) {
  if (ownWindow_ && IsSkinned() && Enabled() && !ComponentState().Contains(csDesigning) && ControlIsReady(this)) {
    const TPoint p = ScreenToClient(TPoint(short(LOWORD(message.LParam)), short(HIWORD(message.LParam))));
    if (states_[spThumb] == 2) {
      const int position = PositionAt(Along(p)) - dragOffset_;
      if (position != current_) {
        paintSuppressed_ = true;
        SetScrollPosition(position);
      }
    }
    // A pressed thumb stays pressed until the button is released.
    if (Contains(ThumbRect(), p)) {
      if (states_[spThumb] != 2) SetPartState(spThumb, 1);
    } else if (Contains(FirstButtonRect(), p)) {
      if (states_[spFirstButton] != 2) SetPartState(spFirstButton, 1);
    } else if (Contains(SecondButtonRect(), p)) {
      if (states_[spSecondButton] != 2) SetPartState(spSecondButton, 1);
    } else {
      if (states_[spThumb] != 2) SetPartState(spThumb, 0);
      SetPartState(spFirstButton, 0);
      SetPartState(spSecondButton, 0);
    }
    RepaintIfNeeded();
  }
  TScrollBar::WndProc(message);
}

void TsScrollBar::MouseEntered() {
  // Entering again during a thumb drag leaves the pressed thumb alone.
  if (states_[spThumb] == 2) return;
  SetPartState(spFirstTrack, 1);
  SetPartState(spSecondTrack, 1);
  RepaintIfNeeded();
}

void TsScrollBar::MouseLeft() {
  SetPartState(spFirstButton, 0);
  SetPartState(spSecondButton, 0);
  if (states_[spThumb] != 2) {
    SetPartState(spThumb, 0);
    SetPartState(spFirstTrack, 0);
    SetPartState(spSecondTrack, 0);
  }
  RepaintIfNeeded();
}

// ---- timers ----------------------------------------------------------------------------------------

void TsScrollBar::StartTimer(TTimerKind kind) {
  StopTimer();
  timerKind_ = kind;
  timer_ = new TTimer(nullptr);
  timer_->SetInterval(kind == TTimerKind::Thumb ? 50 : 500);
  timer_->SetOnTimer(TNotifyEvent(this, &TsScrollBar::TimerTick));
  if (kind == TTimerKind::Thumb) SetCapture(Handle());
}

void TsScrollBar::StopTimer() {
  if (!timer_) return;
  TTimer* timer = std::exchange(timer_, nullptr);
  timerKind_ = TTimerKind::None;
  timer->Free();
}

void TsScrollBar::TimerTick(TObject*) {
  if (ComponentState().Contains(csDestroying) || !timer_) return;
  switch (timerKind_) {
    case TTimerKind::Button:
      if (states_[spFirstButton] == 2) {
        ScrollBy(-1);
      } else if (states_[spSecondButton] == 2) {
        ScrollBy(1);
      } else {
        StopTimer();
        return;
      }
      break;
    case TTimerKind::Page: {
      const int under = PositionUnderCursor(), step = std::max(info_.Page, 1);
      if (states_[spFirstTrack] == 2 && under < current_) {
        ScrollBy(-step);
      } else if (states_[spSecondTrack] == 2 && under > current_) {
        ScrollBy(step);
      } else {
        StopTimer();
        return;
      }
      break;
    }
    case TTimerKind::Thumb:
      if (ControlIsReady(this) && !skinData_->MouseAbove) {
        SetScrollPosition(PositionUnderCursor() - dragOffset_);
        SetCapture(Handle());
      }
      return;
    case TTimerKind::None:
      return;
  }
  if (timer_) timer_->SetInterval(50);
}

// ---- painting --------------------------------------------------------------------------------------

void TsScrollBar::RepaintIfNeeded() {
  paintSuppressed_ = false;
  if (repaintNeeded_ && ownWindow_ && HandleAllocated()) PaintSkinnedBar(nullptr);
}

void TsScrollBar::WMPaint(TMessage& message) {
  const bool destroying = ComponentState().Contains(csDestroying);
  if (!ownWindow_ ||
      ((ControlState.Contains(csCreating) || !IsSkinned() || destroying) && !paintSuppressed_)) {
    TScrollBar::WndProc(message);
    return;
  }
  skinData_->SetUpdating(skinData_->IsUpdating());
  try {
    PaintSkinnedBar(reinterpret_cast<HDC>(message.WParam));
  } catch (...) {
    // A failed paint leaves the bar as it was; the next paint tries again.
  }
}

void TsScrollBar::PaintSkinnedBar(HDC given) {
  PAINTSTRUCT ps;
  BeginPaint(Handle(), &ps);
  struct TPaintEnd {
    HWND Window;
    PAINTSTRUCT& Ps;
    HDC Own = nullptr;
    ~TPaintEnd() {
      if (Own) ReleaseDC(Window, Own);
      EndPaint(Window, &Ps);
    }
  } end{Handle(), ps};
  HDC dc = given;
  if (!dc) dc = end.Own = GetDC(Handle());
  const int saved = SaveDC(dc);
  TsSkinManager* manager = skinData_->SkinManager();
  const TComponentState state = ComponentState();
  const bool quiet = paintSuppressed_ || !ControlIsReady(this) || SkinApplying || !manager ||
                     state.Contains(csLoading) || state.Contains(csDestroying) || skinData_->IsUpdating();
  if (!quiet) {
    repaintNeeded_ = false;
    skinData_->InitCacheBmp();
    ownCache_ = MakeCacheRef(skinData_->CacheBmp, 0, 0);
    BitmapPtr disabled;
    TBitmap* target = skinData_->CacheBmp;
    if (!Enabled()) {
      disabled.reset(CreateBmpLike(skinData_->CacheBmp));
      target = disabled.get();
    }
    if (PaintParts(target))
      BitBlt(dc, 0, 0, Width(), Height(), target->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  RestoreDC(dc, saved);
}

bool TsScrollBar::PaintParts(TBitmap* target) {
  TsSkinManager* manager = skinData_->SkinManager();
  const TacConstIndexes& c = manager->ConstIndexes();
  const bool h = Horizontal();
  TBitmap* cache = skinData_->CacheBmp;
  const TsCacheRef ci = skinData_->GetParentCache();
  const int enabled = Enabled() ? 1 : 0;

  // The two tracks into the cache; without their sections nothing is drawn.
  struct TTrack {
    const TacScrollBarIndexes& Indexes;
    const wchar_t* Section;
    TRect Rect;
    TacScrollPart Part;
  } tracks[] = {{h ? c.Bar1H : c.Bar1V, h ? L"SCROLLBAR1H" : L"SCROLLBAR1V", FirstTrackRect(), spFirstTrack},
                {h ? c.Bar2H : c.Bar2V, h ? L"SCROLLBAR2H" : L"SCROLLBAR2V", SecondTrackRect(), spSecondTrack}};
  for (const TTrack& track : tracks) {
    if (Empty(track.Rect)) continue;
    if (!manager->IsValidSkinIndex(track.Indexes.Section)) return false;
    const int shown = (states_[track.Part] != 0 ? states_[track.Part] : HotFlag()) * enabled;
    PaintItemFast(track.Indexes.Section, track.Indexes.BordersMask, track.Indexes.Pattern, track.Indexes.HotPattern,
                  manager, cache, TPoint(Left() + track.Rect.left, Top() + track.Rect.top), track.Rect, shown, true, ci,
                  track.Section);
  }
  const int width = Width(), height = Height();
  if (target != cache)
    BitBlt(target->Canvas()->Handle(), 0, 0, width, height, cache->Canvas()->Handle(), 0, 0, SRCCOPY);

  // The buttons and their arrows over the tracks.
  const TsCacheRef onTarget = MakeCacheRef(target, 0, 0);
  for (bool first : {true, false}) {
    const TacScrollBtnIndexes& b = h ? (first ? c.BtnLeft : c.BtnRight) : (first ? c.BtnTop : c.BtnBottom);
    const wchar_t* section = h ? (first ? L"SCROLLBTNLEFT" : L"SCROLLBTNRIGHT") : (first ? L"SCROLLBTNTOP" : L"SCROLLBTNBOTTOM");
    const int shown = states_[first ? spFirstButton : spSecondButton];
    if (manager->IsValidSkinIndex(b.Section)) {
      const TRect r = ButtonPaintRect(first);
      PaintItemFast(b.Section, b.BordersMask, b.Pattern, b.HotPattern, manager, target, TPoint(r.left, r.top), r, shown,
                    true, onTarget, section);
    }
    if (manager->IsValidMaskIndex(b.GlyphMask))
      DrawCentredGlyph(target, manager->Masks()[size_t(b.GlyphMask)], shown, first ? FirstButtonRect() : SecondButtonRect(), 0);
  }

  // The thumb, also for a disabled bar, when it fits between the buttons.
  const TacScrollSliderIndexes& s = h ? c.SliderH : c.SliderV;
  const TRect thumb = ThumbRect();
  const int room = h ? SecondButtonRect().left - FirstButtonRect().right : SecondButtonRect().top - FirstButtonRect().bottom;
  if (room >= ThumbLength() && manager->IsValidSkinIndex(s.Section)) {
    const int tw = thumb.right - thumb.left, th = thumb.bottom - thumb.top;
    BitmapPtr image(CreateBmp24(tw, th));
    BitBlt(image->Canvas()->Handle(), 0, 0, tw, th, cache->Canvas()->Handle(), thumb.left, thumb.top, SRCCOPY);
    PaintItemFast(s.Section, s.BordersMask, s.Pattern, s.HotPattern, manager, image.get(), TPoint(thumb.left, thumb.top),
                  TRect(0, 0, tw, th), states_[spThumb], true, ownCache_, h ? L"SCROLLSLIDERH" : L"SCROLLSLIDERV");
    BitBlt(target->Canvas()->Handle(), thumb.left, thumb.top, tw, th, image->Canvas()->Handle(), 0, 0, SRCCOPY);
    if (manager->IsValidMaskIndex(s.GlyphMask))
      DrawCentredGlyph(target, manager->Masks()[size_t(s.GlyphMask)], states_[spThumb], thumb,
                       states_[spThumb] == 2 ? 1 : 0);
  }

  if (!Enabled()) DisabledLook(target, disabledKind_, Parent(), ci, TPoint(Left(), Top()));
  return true;
}

// ---- messages --------------------------------------------------------------------------------------

bool TsScrollBar::HandleOwnSkinCommand(TMessage& message) {
  const bool own = reinterpret_cast<TsSkinManager*>(message.LParam) == skinData_->SkinManager();
  switch (message.WParamHi()) {
    case scApplySkin:
      if (own) skinData_->HandleWindowMessage(message);
      return true;
    case scRemoveSkin:
      if (own) {
        skinData_->HandleWindowMessage(message);
        if (!creatingSkinnedWindow) RecreateKeepingPosition(false);
      }
      return true;
    case scRefresh:
      if (own) {
        skinData_->HandleWindowMessage(message);
        skinData_->BGChanged = true;
        if (!creatingSkinnedWindow) RecreateKeepingPosition(true);
      }
      return true;
    case scParentUpdated:
      skinData_->SetUpdating(false);
      repaintNeeded_ = true;
      RepaintIfNeeded();
      return true;
    case scIsSkinned:
    case scGetApplication:
      skinData_->HandleSkinCommand(message);
      return true;
    default:
      return false;
  }
}

void TsScrollBar::WndProc(TMessage& message) {
  if (message.Msg == SM_ALPHACMD && !ComponentState().Contains(csDestroying) && HandleOwnSkinCommand(message)) return;
  if (message.Msg == WM_PRINT && DefaultManager && DefaultManager->Active()) {
    Perform(WM_PAINT, message.WParam, message.LParam);
    Perform(WM_NCPAINT, 0, 0);
    return;
  }
  if (recreatePending_ && (message.Msg == WM_PAINT || message.Msg == WM_NCHITTEST) && HandleAllocated()) {
    recreatePending_ = false;
    RecreateKeepingPosition(true);
    message.Result = message.Msg == WM_NCHITTEST ? HTCLIENT : 0;
    return;
  }
  if (message.Msg == SM_ALPHACMD) {
    if (!skinData_->HandleWindowMessage(message)) TScrollBar::WndProc(message);
    return;
  }
  skinData_->HandleWindowMessage(message);
  if (ownWindow_) {
    switch (message.Msg) {
      case WM_PAINT:
        WMPaint(message);
        return;
      case WM_ERASEBKGND:
        if (paintSuppressed_) {
          message.Result = 1;
          return;
        }
        break;
      case SBM_SETSCROLLINFO:
        SetScrollInfoMessage(message);
        TScrollBar::WndProc(message);
        message.Result = info_.Pos;
        return;
      case SBM_GETSCROLLINFO:
        GetScrollInfoMessage(message);
        TScrollBar::WndProc(message);
        message.Result = TRUE;
        return;
      case WM_HSCROLL:
      case WM_VSCROLL:
        // The bar's own notifications reach the framework's scroll handling.
        if (HandleAllocated() && reinterpret_cast<HWND>(message.LParam) == Handle()) {
          message.Result = Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
          return;
        }
        break;
      case WM_NCHITTEST:
        NCHitTest(message);
        return;
      default:
        break;
    }
  }
  const bool self = reinterpret_cast<TControl*>(message.LParam) == this;
  TScrollBar::WndProc(message);
  if (!ownWindow_ || !self || !IsSkinned()) return;
  if (message.Msg == CM_MOUSEENTER) MouseEntered();
  if (message.Msg == CM_MOUSELEAVE) MouseLeft();
}
