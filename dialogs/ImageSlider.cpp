#include "dialogs/ImageSlider.h"

#include <algorithm>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TImageCustomSlider)
DEFINE_CLASS(TImageSlider)

namespace {

const wchar_t* const kDefaultImageNames[4] = {L"W95_HTB", L"W95_HRL", L"W95_VTB", L"W95_VRL"};
const wchar_t* const kImagePropertyNames[4] = {L"ImageHThumb", L"ImageHRuler", L"ImageVThumb", L"ImageVRuler"};

bool IsThumb(TSliderImage index) { return index == siHThumb || index == siVThumb; }

// The stretch copy of the masked routines: the source copied into a colour bitmap of its size, a
// monochrome mask of the transparent colour (transparent pixels white) and its inverse, and a work
// bitmap of the destination size that receives the destination, ANDed with the stretched mask, then
// ORed with the stretched, inverse-masked copy, and copied back.
void MaskedStretchCopy(HDC dest, const TRect& to, HDC source, const TRect& from, COLORREF transparent,
                       HPALETTE palette) {
  const int sw = from.Width(), sh = from.Height(), dw = to.Width(), dh = to.Height();
  HDC copyDC = CreateCompatibleDC(dest), maskDC = CreateCompatibleDC(dest), invDC = CreateCompatibleDC(dest),
      workDC = CreateCompatibleDC(dest);
  HBITMAP copy = CreateCompatibleBitmap(dest, sw, sh), mask = CreateBitmap(sw, sh, 1, 1, nullptr),
          inverse = CreateBitmap(sw, sh, 1, 1, nullptr), work = CreateCompatibleBitmap(dest, dw, dh);
  HGDIOBJ oldCopy = SelectObject(copyDC, copy), oldMask = SelectObject(maskDC, mask),
          oldInv = SelectObject(invDC, inverse), oldWork = SelectObject(workDC, work);
  HPALETTE oldPalettes[2] = {};
  if (palette) {
    oldPalettes[0] = SelectPalette(copyDC, palette, FALSE);
    oldPalettes[1] = SelectPalette(workDC, palette, FALSE);
    RealizePalette(copyDC);
    RealizePalette(workDC);
  }
  SetMapMode(source, GetMapMode(dest));
  BitBlt(copyDC, 0, 0, sw, sh, source, from.left, from.top, SRCCOPY);
  SetBkColor(copyDC, palette ? (transparent | 0x02000000) : transparent);
  BitBlt(maskDC, 0, 0, sw, sh, copyDC, 0, 0, SRCCOPY);
  BitBlt(invDC, 0, 0, sw, sh, maskDC, 0, 0, NOTSRCCOPY);
  SetTextColor(workDC, RGB(0, 0, 0));
  SetBkColor(workDC, RGB(255, 255, 255));
  SetTextColor(copyDC, RGB(0, 0, 0));
  SetBkColor(copyDC, RGB(255, 255, 255));
  SetStretchBltMode(workDC, COLORONCOLOR);
  BitBlt(workDC, 0, 0, dw, dh, dest, to.left, to.top, SRCCOPY);
  StretchBlt(workDC, 0, 0, dw, dh, maskDC, 0, 0, sw, sh, SRCAND);
  BitBlt(copyDC, 0, 0, sw, sh, invDC, 0, 0, SRCAND);
  StretchBlt(workDC, 0, 0, dw, dh, copyDC, 0, 0, sw, sh, SRCPAINT);
  BitBlt(dest, to.left, to.top, dw, dh, workDC, 0, 0, SRCCOPY);
  if (palette) {
    SelectPalette(copyDC, oldPalettes[0], TRUE);
    SelectPalette(workDC, oldPalettes[1], TRUE);
  }
  SelectObject(copyDC, oldCopy);
  SelectObject(maskDC, oldMask);
  SelectObject(invDC, oldInv);
  SelectObject(workDC, oldWork);
  DeleteObject(copy);
  DeleteObject(mask);
  DeleteObject(inverse);
  DeleteObject(work);
  DeleteDC(copyDC);
  DeleteDC(maskDC);
  DeleteDC(invDC);
  DeleteDC(workDC);
}

}  // namespace

void DrawImageMasked(TCanvas* Canvas, TBitmap* Bitmap, TColor TransparentColor, const TRect& Source,
                     const TRect& Dest) {
  if (!Canvas || !Bitmap || Bitmap->Empty()) return;
  TRect to = Dest, from = Source;
  if (to.Width() < 1) to.right = to.left + Bitmap->Width();
  if (to.Height() < 1) to.bottom = to.top + Bitmap->Height();
  if (from.Width() < 1 || from.Height() < 1) from = Rect(0, 0, Bitmap->Width(), Bitmap->Height());
  HDC dest = Canvas->Handle();
  const bool monochrome = Bitmap->Monochrome();
  const int oldStretch = monochrome ? 0 : SetStretchBltMode(dest, COLORONCOLOR);
  TCanvas* source = Bitmap->Canvas();
  source->Lock();
  const TNotifyEvent onChange = Bitmap->OnChange;
  Bitmap->OnChange = nullptr;
  try {
    HDC sourceDC = source->Handle();
    if (TransparentColor == clNoTransparency) {
      StretchBlt(dest, to.left, to.top, to.Width(), to.Height(), sourceDC, from.left, from.top, from.Width(),
                 from.Height(), Canvas->CopyMode);
    } else {
      TColor key = TransparentColor;
      if (key == clBottomLeftPixel) key = TColor(GetPixel(sourceDC, 0, Bitmap->Height() - 1));
      if (monochrome) key = clWhite;
      const TPixelFormat format = Bitmap->PixelFormat();
      HPALETTE palette = format == pf8bit || format == pf4bit ? Bitmap->Palette() : nullptr;
      MaskedStretchCopy(dest, to, sourceDC, from, COLORREF(ColorToRGB(key)), palette);
    }
  } catch (...) {
    Bitmap->OnChange = onChange;
    source->Unlock();
    if (!monochrome) SetStretchBltMode(dest, oldStretch);
    throw;
  }
  Bitmap->OnChange = onChange;
  source->Unlock();
  if (!monochrome) SetStretchBltMode(dest, oldStretch);
}

void DrawImagePartMasked(TCanvas* Canvas, TPoint Point, TColor TransparentColor, TBitmap* Bitmap,
                         const TRect& Part) {
  DrawImageMasked(Canvas, Bitmap, TransparentColor, Part, Bounds(Point.x, Point.y, Part.Width(), Part.Height()));
}

void DrawImageAtMasked(TCanvas* Canvas, TPoint Point, TColor TransparentColor, TBitmap* Bitmap) {
  if (!Bitmap) return;
  DrawImageMasked(Canvas, Bitmap, TransparentColor, Rect(0, 0, Bitmap->Width(), Bitmap->Height()),
                  Bounds(Point.x, Point.y, Bitmap->Width(), Bitmap->Height()));
}

// The monochrome mask of one image's transparent colour (1 = transparent), made when the image
// changes and used by every paint, so painting allocates nothing.
class TImageCustomSlider::TImageMask {
 public:
  explicit TImageMask(TBitmap& image) {
    if (image.Empty()) return;
    HDC source = image.Canvas()->Handle();
    mask_ = CreateBitmap(image.Width(), image.Height(), 1, 1, nullptr);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, mask_);
    const COLORREF oldBack = SetBkColor(source, COLORREF(ColorToRGB(image.TransparentColor())));
    BitBlt(dc_, 0, 0, image.Width(), image.Height(), source, 0, 0, SRCCOPY);
    SetBkColor(source, oldBack);
  }
  ~TImageMask() {
    if (dc_) {
      SelectObject(dc_, old_);
      DeleteDC(dc_);
    }
    if (mask_) DeleteObject(mask_);
  }
  TImageMask(const TImageMask&) = delete;
  TImageMask& operator=(const TImageMask&) = delete;

  // Draws the part of the image at the point; opaque draws every pixel.
  void Draw(HDC target, TPoint at, TBitmap& image, const TRect& part, bool opaque) const {
    HDC source = image.Canvas()->Handle();
    const int w = part.Width(), h = part.Height();
    if (opaque || !dc_) {
      BitBlt(target, at.x, at.y, w, h, source, part.left, part.top, SRCCOPY);
      return;
    }
    // target ^ source, cleared where opaque, ^ source again.
    const COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(target, RGB(255, 255, 255));
    BitBlt(target, at.x, at.y, w, h, source, part.left, part.top, SRCINVERT);
    BitBlt(target, at.x, at.y, w, h, dc_, part.left, part.top, SRCAND);
    BitBlt(target, at.x, at.y, w, h, source, part.left, part.top, SRCINVERT);
    SetTextColor(target, oldText);
    SetBkColor(target, oldBack);
  }

 private:
  HBITMAP mask_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

TImageCustomSlider::TImageCustomSlider(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(Left(), Top(), 150, 40);
  ControlStyle = {csOpaque, csCaptureMouse, csClickEvents, csDoubleClicks, csAcceptsControls};
  SetParentColor(true);
  DoubleBuffered = true;
  SetTabStop(true);
  ruler_ = std::make_unique<TBitmap>();
  for (int i = 0; i < 4; ++i) {
    images_[i] = std::make_unique<TBitmap>();
    LoadDefaultImage(TSliderImage(i));
    images_[i]->OnChange = {this, &TImageCustomSlider::ImageChanged};
  }
  creating_ = false;
  UpdateLayout();
}

TImageCustomSlider::~TImageCustomSlider() {
  OnChange = nullptr;
  OnChanged = nullptr;
  OnDrawPoints = nullptr;
  for (auto& image : images_) image->OnChange = nullptr;
}

void TImageCustomSlider::BeforeDestruction() {
  if (timerRunning_ && HandleAllocated()) KillTimer(Handle(), RepeatTimerId);
  timerRunning_ = false;
  TCustomControl::BeforeDestruction();
}

bool TImageCustomSlider::Streaming() const {
  return ComponentState().Contains(csLoading) || ComponentState().Contains(csReading);
}

void TImageCustomSlider::LoadDefaultImage(TSliderImage Index) {
  images_[Index]->LoadFromResourceName(GetModuleHandleW(nullptr), kDefaultImageNames[Index]);
  masks_[Index] = std::make_unique<TImageMask>(*images_[Index]);
}

void TImageCustomSlider::SetImage(TSliderImage Index, TBitmap* Value) {
  if (Value) {
    if (Value != images_[Index].get()) images_[Index]->Assign(Value);
    userImages_ |= Byte(1u << Index);
    ImageChanged(images_[Index].get());
    return;
  }
  userImages_ &= Byte(~(1u << Index));
  LoadDefaultImage(Index);
  ImageChanged(images_[Index].get());
  if (Streaming()) return;
  options_.Exclude(IsThumb(Index) ? soThumbOpaque : soRulerOpaque);
  Invalidate();
}

void TImageCustomSlider::ImageChanged(TObject* Sender) {
  for (int i = 0; i < 4; ++i)
    if (images_[i].get() == Sender) masks_[i] = std::make_unique<TImageMask>(*images_[i]);
  if (!creating_) UpdateLayout();
}

TRect TImageCustomSlider::GetSliderRect() {
  TRect r = Rect(0, 0, Width(), Height());
  if (HandleAllocated()) r = GetClientRect();
  if (bevelStyle_ != bvNone) {
    r.left += bevelWidth_, r.top += bevelWidth_;
    r.right -= bevelWidth_, r.bottom -= bevelWidth_;
  }
  return r;
}

void TImageCustomSlider::BuildRuler() {
  TBitmap& source = *images_[geometry_.Vertical() ? siVRuler : siHRuler];
  const TSize size = geometry_.RulerSize();
  ruler_->SetSize(size.cx, size.cy);
  if (size.cx > 0 && size.cy > 0) {
    HDC to = ruler_->Canvas()->Handle();
    HDC from = source.Canvas()->Handle();
    const bool vertical = geometry_.Vertical();
    const int length = vertical ? size.cy : size.cx;
    const int sourceLength = vertical ? source.Height() : source.Width();
    for (const TRulerPiece& piece : RulerPieces(length, sourceLength, edgeSize_)) {
      if (vertical)
        BitBlt(to, 0, piece.Dest, size.cx, piece.Length, from, 0, piece.Source, SRCCOPY);
      else
        BitBlt(to, piece.Dest, 0, piece.Length, size.cy, from, piece.Source, 0, SRCCOPY);
    }
  }
  rulerMask_ = std::make_unique<TImageMask>(*ruler_);
}

void TImageCustomSlider::UpdateLayout() {
  const int remembered = value_;
  geometry_.Slider = GetSliderRect();
  geometry_.ClientHeight = HandleAllocated() ? ClientHeight() : Height();
  geometry_.HRuler = {images_[siHRuler]->Width(), images_[siHRuler]->Height()};
  geometry_.VRuler = {images_[siVRuler]->Width(), images_[siVRuler]->Height()};
  geometry_.HThumb = {images_[siHThumb]->Width(), images_[siHThumb]->Height()};
  geometry_.VThumb = {images_[siVThumb]->Width(), images_[siVThumb]->Height()};
  geometry_.Smooth = options_.Contains(soSmooth);
  BuildRuler();
  geometry_.Layout();
  value_ = std::clamp(remembered, geometry_.MinValue, std::max(geometry_.MinValue, geometry_.MaxValue));
  MoveThumb(geometry_.ValueToPixel(value_));
  Invalidate();
  if (value_ != remembered) Change();
}

void TImageCustomSlider::SetRange(int NewMin, int NewMax) {
  if (!Streaming() && NewMin >= NewMax) return;
  geometry_.MinValue = NewMin;
  geometry_.MaxValue = NewMax;
  if (!Streaming() && NewMax < NewMin + geometry_.Increment) geometry_.Increment = NewMax - NewMin;
  if (options_.Contains(soShowPoints)) Invalidate();
  SetValue(value_);
  EmptyHook();
}

void TImageCustomSlider::SetMinValue(int Value) {
  if (Value != geometry_.MinValue) SetRange(Value, geometry_.MaxValue);
}

void TImageCustomSlider::SetMaxValue(int Value) {
  if (Value != geometry_.MaxValue) SetRange(geometry_.MinValue, Value);
}

void TImageCustomSlider::SetIncrement(int Value) {
  const int range = geometry_.MaxValue - geometry_.MinValue;
  if (!Streaming() && (Value <= 0 || Value > range))
    throw Exception(Format(L"Value must be between %d and %d", {1, range}));
  if (Value <= 0 || Value == geometry_.Increment) return;
  geometry_.Increment = Value;
  SetValue(value_);
  Invalidate();
}

void TImageCustomSlider::SetNumThumbStates(int Value) {
  Value = std::clamp(Value, 1, 2);
  if (Value == geometry_.NumThumbStates) return;
  geometry_.NumThumbStates = Value;
  UpdateLayout();
}

void TImageCustomSlider::SetOrientation(TSliderOrientation Value) {
  if (Value == geometry_.Orientation) return;
  geometry_.Orientation = Value;
  UpdateLayout();
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csUpdating)) return;
  SetBounds(Left(), Top(), Height(), Width());
}

void TImageCustomSlider::SetEdgeSize(int Value) {
  const TBitmap& ruler = *images_[geometry_.Vertical() ? siVRuler : siHRuler];
  const int length = geometry_.Vertical() ? ruler.Height() : ruler.Width();
  if (Value < 0 || 2 * Value >= length || Value == edgeSize_) return;
  edgeSize_ = Value;
  UpdateLayout();
}

void TImageCustomSlider::SetOptions(TSliderOptions Value) {
  if (Value == options_) return;
  options_ = Value;
  geometry_.Smooth = options_.Contains(soSmooth);
  Invalidate();
}

void TImageCustomSlider::SetBevelStyle(TPanelBevel Value) {
  if (Value == bevelStyle_) return;
  bevelStyle_ = Value;
  UpdateLayout();
  Repaint();
}

void TImageCustomSlider::SetValue(int Value) {
  const int previous = value_;
  value_ = std::clamp(Value, geometry_.MinValue, std::max(geometry_.MinValue, geometry_.MaxValue));
  MoveThumb(geometry_.ValueToPixel(value_));
  if (value_ != previous) Change();
}

void TImageCustomSlider::InvalidateThumb() {
  if (!HandleAllocated()) return;
  const TRect r = geometry_.ThumbRect;
  InvalidateRect(Handle(), &r, FALSE);
}

void TImageCustomSlider::MoveThumb(int Pixel) {
  const int previous = value_;
  const int snapped = geometry_.SnapThumbPosition(Pixel);
  InvalidateThumb();
  geometry_.PlaceThumb(snapped);
  InvalidateThumb();
  if (!dragging_) return;
  value_ = geometry_.PixelToValue(snapped);
  if (value_ != previous) Change();
}

void TImageCustomSlider::StepValue(TTrackDirection Direction) {
  const int next = geometry_.StepValue(value_, Direction);
  if (next != value_) SetValue(next);
}

void TImageCustomSlider::Change() {
  if (OnChange) OnChange(this);
}

void TImageCustomSlider::Changed() {
  if (OnChanged) OnChanged(this);
}

void TImageCustomSlider::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || Shift.Contains(ssDouble)) return;
  if (CanFocus()) SetFocus();
  const TPoint point(X, Y);
  if (geometry_.ThumbRect.Contains(point)) {
    ThumbMouseDown(Button, Shift, X, Y);
    return;
  }
  if (!geometry_.RulerHitArea().Contains(point) || !AllowsUserChange()) return;
  SetCaptureControl(this);
  tracking_ = true;
  pointer_ = point;
  trackDirection_ = geometry_.HitDirection(X, Y);
  RepeatStep();
}

void TImageCustomSlider::RepeatStep() {
  if (geometry_.HitDirection(pointer_.x, pointer_.y) != trackDirection_) return;
  StepValue(trackDirection_);
  if (!timerRunning_ && HandleAllocated()) {
    SetTimer(Handle(), RepeatTimerId, RepeatInterval, nullptr);
    timerRunning_ = true;
  }
}

void TImageCustomSlider::MouseMove(TShiftState Shift, int X, int Y) {
  if (Shift.Contains(ssLeft) && dragging_) ThumbMouseMove(Shift, X, Y);
  else if (tracking_) pointer_ = TPoint(X, Y);
  TCustomControl::MouseMove(Shift, X, Y);
}

void TImageCustomSlider::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  StopTracking();
  if (dragging_) ThumbMouseUp(Button, Shift, X, Y);
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TImageCustomSlider::StopTracking() {
  if (!tracking_) return;
  if (timerRunning_ && HandleAllocated()) KillTimer(Handle(), RepeatTimerId);
  timerRunning_ = false;
  tracking_ = false;
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  Changed();
}

void TImageCustomSlider::ThumbMouseDown(TMouseButton Button, TShiftState, int X, int Y) {
  if (CanFocus()) SetFocus();
  if (Button != mbLeft || !AllowsUserChange()) return;
  dragging_ = thumbDown_ = true;
  dragOffset_ = geometry_.Vertical() ? Y - geometry_.ThumbRect.top : X - geometry_.ThumbRect.left;
  InvalidateThumb();
  Update();
}

void TImageCustomSlider::ThumbMouseMove(TShiftState Shift, int X, int Y) {
  if (!Shift.Contains(ssLeft) || !AllowsUserChange()) return;
  MoveThumb((geometry_.Vertical() ? Y : X) - dragOffset_);
}

void TImageCustomSlider::ThumbMouseUp(TMouseButton Button, TShiftState, int, int) {
  if (Button != mbLeft) return;
  dragging_ = thumbDown_ = false;
  InvalidateThumb();
  Update();
  if (AllowsUserChange()) Changed();
}

void TImageCustomSlider::KeyDown(Word& Key, TShiftState Shift) {
  if (!Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) {
    TTrackDirection direction = tdNone;
    const bool vertical = geometry_.Vertical();
    switch (Key) {
      case VK_HOME: direction = tdToMinimum; break;
      case VK_END: direction = tdToMaximum; break;
      case VK_LEFT: direction = vertical ? tdNone : tdDecrease; break;
      case VK_RIGHT: direction = vertical ? tdNone : tdIncrease; break;
      case VK_UP: direction = vertical ? tdIncrease : tdNone; break;
      case VK_DOWN: direction = vertical ? tdDecrease : tdNone; break;
      default: break;
    }
    if (direction != tdNone && AllowsUserChange()) {
      Key = 0;
      StepValue(direction);
      Changed();
    }
  }
  TCustomControl::KeyDown(Key, Shift);
}

void TImageCustomSlider::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const bool resized = AWidth != Width() || AHeight != Height();
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  // With a window, WM_SIZE lays out; without one the layout follows the bounds here.
  if (resized && !creating_ && !HandleAllocated() && !Streaming()) UpdateLayout();
}

void TImageCustomSlider::WMSize(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (!Streaming()) UpdateLayout();
}

void TImageCustomSlider::WMSetCursor(TMessage& Message) {
  POINT cursor;
  GetCursorPos(&cursor);
  ::ScreenToClient(Handle(), &cursor);
  if (reinterpret_cast<HWND>(Message.WParam) == Handle() && geometry_.ThumbRect.Contains(TPoint(cursor))) {
    ::SetCursor(LoadCursorW(nullptr, IDC_HAND));
    Message.Result = 1;
    return;
  }
  Inherited::Dispatch(Message);
}

void TImageCustomSlider::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS; }

void TImageCustomSlider::WMTimer(TMessage& Message) {
  if (Message.WParam == RepeatTimerId) RepeatStep();
  else Inherited::Dispatch(Message);
}

void TImageCustomSlider::CMEnabledChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  InvalidateThumb();
}

void TImageCustomSlider::CMFocusChanged(TMessage& Message) {
  const bool focused = reinterpret_cast<TControl*>(Message.LParam) == this;
  if (focused != hasFocus_) {
    hasFocus_ = focused;
    if (options_.Contains(soShowFocus)) Invalidate();
  }
  Inherited::Dispatch(Message);
}

void TImageCustomSlider::AlignControls(TControl* AControl, TRect& Rect) {
  if (bevelStyle_ != bvNone) {
    Rect.left += bevelWidth_, Rect.top += bevelWidth_;
    Rect.right -= bevelWidth_, Rect.bottom -= bevelWidth_;
  }
  TCustomControl::AlignControls(AControl, Rect);
}

void TImageCustomSlider::DrawBevel(TRect& R) {
  const bool lowered = bevelStyle_ == bvLowered;
  const TColor topLeft = lowered ? clBtnShadow : clBtnHighlight;
  const TColor bottomRight = lowered ? clBtnHighlight : clBtnShadow;
  TBrush* brush = Canvas()->Brush();
  brush->SetStyle(bsSolid);
  for (int i = 0; i < bevelWidth_; ++i) {
    brush->SetColor(topLeft);
    Canvas()->FillRect(Rect(R.left, R.top, R.right - 1, R.top + 1));
    Canvas()->FillRect(Rect(R.left, R.top, R.left + 1, R.bottom - 1));
    brush->SetColor(bottomRight);
    Canvas()->FillRect(Rect(R.left, R.bottom - 1, R.right, R.bottom));
    Canvas()->FillRect(Rect(R.right - 1, R.top, R.right, R.bottom));
    R.left += 1, R.top += 1, R.right -= 1, R.bottom -= 1;
  }
}

void TImageCustomSlider::DrawThumb(TPoint Point, bool Second) {
  const TSliderImage index = geometry_.Vertical() ? siVThumb : siHThumb;
  TBitmap& image = *images_[index];
  TRect part = Rect(0, 0, image.Width(), image.Height());
  if (geometry_.NumThumbStates == 2) {
    const int half = image.Width() / 2;
    part = Second ? Rect(half, 0, half * 2, image.Height()) : Rect(0, 0, half, image.Height());
  }
  masks_[index]->Draw(Canvas()->Handle(), Point, image, part, options_.Contains(soThumbOpaque));
}

void TImageCustomSlider::DrawTickMarks(int Step, int TickLength, int ExtremeTickLength) {
  TCanvas* canvas = Canvas();
  canvas->Pen()->SetColor(clWindowText);
  const TRect area = geometry_.TickArea;
  for (const TSliderTick& tick : geometry_.Ticks(Step, TickLength, ExtremeTickLength)) {
    if (geometry_.Vertical()) {
      canvas->MoveTo(area.left, tick.Position);
      canvas->LineTo(area.left + tick.Length, tick.Position);
    } else {
      canvas->MoveTo(tick.Position, area.top);
      canvas->LineTo(tick.Position, area.top + tick.Length);
    }
  }
}

void TImageCustomSlider::Paint() {
  const bool copy = ControlState.Contains(csPaintCopy);
  TPoint thumb = geometry_.ThumbRect.TopLeft();
  if (copy) {
    const int p = geometry_.SnapThumbPosition(geometry_.ValueToPixel(GetCurrentValue()));
    thumb = geometry_.Vertical() ? TPoint(geometry_.ThumbRect.left, p) : TPoint(p, geometry_.ThumbRect.top);
  }
  TRect r = Rect(0, 0, Width(), Height());
  if (HandleAllocated()) r = GetClientRect();
  if (bevelStyle_ != bvNone) DrawBevel(r);
  Canvas()->Brush()->SetStyle(bsSolid);
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(r);
  if (ruler_->Width() > 0 && ruler_->Height() > 0)
    rulerMask_->Draw(Canvas()->Handle(), geometry_.RulerOrigin, *ruler_, Rect(0, 0, ruler_->Width(), ruler_->Height()),
                     options_.Contains(soRulerOpaque));
  if (options_.Contains(soShowFocus) && hasFocus_) {
    TRect focus = GetSliderRect();
    focus.left += 2, focus.top += 2, focus.right -= 2, focus.bottom -= 2;
    Canvas()->DrawFocusRect(focus);
  }
  if (options_.Contains(soShowPoints)) {
    if (OnDrawPoints) OnDrawPoints(this);
    else DrawTickMarks(geometry_.Increment, 3, 5);
  }
  DrawThumb(thumb, copy ? !Enabled() : thumbDown_ || !Enabled());
}

void TImageCustomSlider::DefineProperties(TFiler& Filer) {
  TCustomControl::DefineProperties(Filer);
  for (int i = 0; i < 4; ++i) {
    const auto index = TSliderImage(i);
    Filer.DefineBinaryProperty(
        kImagePropertyNames[i],
        [this, index](TStream& stream) {
          TBitmap read;
          try {
            read.ReadData(stream);
          } catch (const EReadError&) {
            throw;
          } catch (const Exception& error) {
            throw EReadError(error.Message());
          }
          SetImage(index, &read);
        },
        [this, index](TStream& stream) { images_[index]->WriteData(stream); }, (userImages_ >> i) & 1);
  }
  Filer.DefineBinaryProperty(L"UserImages", {this, &TImageCustomSlider::ReadUserImages},
                             {this, &TImageCustomSlider::WriteUserImages}, userImages_ != 0);
}

void TImageCustomSlider::ReadUserImages(TStream& Stream) {
  Byte mask = 0;
  if (Stream.Size() != 1) throw EReadError(L"Invalid property value");
  Stream.ReadBuffer(&mask, 1);
  if (mask > 0x0F) throw EReadError(L"Invalid property value");
  userImages_ = mask;
}

void TImageCustomSlider::WriteUserImages(TStream& Stream) { Stream.WriteBuffer(&userImages_, 1); }

void TImageCustomSlider::Loaded() {
  TCustomControl::Loaded();
  for (int i = 0; i < 4; ++i)
    if ((userImages_ >> i) & 1) masks_[i] = std::make_unique<TImageMask>(*images_[i]);
  UpdateLayout();
}
