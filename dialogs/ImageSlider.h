#pragma once
// TImageSlider: the numeric slider of every dialog, drawn from four bitmaps (a thumb and a ruler
// for each orientation). The ruler image is stretched to the control's length by repeating its
// middle; the thumb moves over it; tick marks may be drawn beside it. The user drags the thumb,
// presses on the ruler (one step at once, then one per 400 ms while the button is held) or uses
// Home, End and the arrow keys. TImageCustomSlider holds the behaviour, TImageSlider publishes it.
// The geometry lives in TSliderGeometry (SliderGeometry.h).
//
// The default images are the bitmap resources "W95_HTB", "W95_HRL", "W95_VTB" and "W95_VRL",
// linked into every program that links the dialogs library.

#include <array>
#include <memory>

#include "dialogs/SliderGeometry.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/windows/Controls.h"

// The three masked-drawing routines. TransparentColor $1FFFFFFF draws without transparency,
// $20000000 takes the bitmap's bottom-left pixel; a monochrome bitmap is transparent in white.
constexpr TColor clNoTransparency = 0x1FFFFFFF;
constexpr TColor clBottomLeftPixel = 0x20000000;
// A destination width or height below 1 takes the bitmap's; a source width or height below 1 takes
// the whole bitmap.
void DrawImageMasked(TCanvas* Canvas, TBitmap* Bitmap, TColor TransparentColor, const TRect& Source,
                     const TRect& Dest);
// That rectangle of the bitmap at the point, at its own size.
void DrawImagePartMasked(TCanvas* Canvas, TPoint Point, TColor TransparentColor, TBitmap* Bitmap,
                         const TRect& Part);
// The whole bitmap at the point.
void DrawImageAtMasked(TCanvas* Canvas, TPoint Point, TColor TransparentColor, TBitmap* Bitmap);

// The image indexes of the four pictures.
enum TSliderImage { siHThumb, siHRuler, siVThumb, siVRuler };

class TImageCustomSlider : public TCustomControl {
  DECLARE_CLASS(TImageCustomSlider, TCustomControl)
 public:
  explicit TImageCustomSlider(TComponent* AOwner);
  ~TImageCustomSlider() override;
  void BeforeDestruction() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // Reading gives the slider's own bitmap; writing copies the bitmap in and marks it the user's;
  // writing null restores the default image (and, outside loading, clears the matching opaque
  // option).
  TBitmap* Image(TSliderImage Index) const { return images_[Index].get(); }
  void SetImage(TSliderImage Index, TBitmap* Value);
  TBitmap* ImageHThumb() const { return Image(siHThumb); }
  TBitmap* ImageHRuler() const { return Image(siHRuler); }
  TBitmap* ImageVThumb() const { return Image(siVThumb); }
  TBitmap* ImageVRuler() const { return Image(siVRuler); }
  void SetImageHThumb(TBitmap* Value) { SetImage(siHThumb, Value); }
  void SetImageHRuler(TBitmap* Value) { SetImage(siHRuler, Value); }
  void SetImageVThumb(TBitmap* Value) { SetImage(siVThumb, Value); }
  void SetImageVRuler(TBitmap* Value) { SetImage(siVRuler, Value); }
  // Bit i set: image i was assigned by the user.
  Byte UserImages() const { return userImages_; }

  int MinValue() const { return geometry_.MinValue; }
  void SetMinValue(int Value);
  int MaxValue() const { return geometry_.MaxValue; }
  void SetMaxValue(int Value);
  // 1 .. MaxValue - MinValue; anything else raises "Value must be between 1 and N".
  int Increment() const { return geometry_.Increment; }
  void SetIncrement(int Value);
  int NumThumbStates() const { return geometry_.NumThumbStates; }
  void SetNumThumbStates(int Value);
  TSliderOrientation Orientation() const { return geometry_.Orientation; }
  void SetOrientation(TSliderOrientation Value);
  int EdgeSize() const { return edgeSize_; }
  void SetEdgeSize(int Value);
  TSliderOptions Options() const { return options_; }
  void SetOptions(TSliderOptions Value);
  TPanelBevel BevelStyle() const { return bevelStyle_; }
  void SetBevelStyle(TPanelBevel Value);
  int Value() const { return value_; }
  void SetValue(int Value);

  // The laid-out state.
  const TSliderGeometry& Geometry() const { return geometry_; }
  TBitmap* RulerBitmap() const { return ruler_.get(); }
  TRect ThumbRect() const { return geometry_.ThumbRect; }
  TPoint RulerOrigin() const { return geometry_.RulerOrigin; }
  TRect TickArea() const { return geometry_.TickArea; }
  bool Tracking() const { return tracking_; }
  bool Dragging() const { return dragging_; }

  // Draws the tick marks on the control's canvas; for OnDrawPoints handlers.
  void DrawTickMarks(int Step, int TickLength, int ExtremeTickLength);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanged;
  TNotifyEvent OnDrawPoints;

  // The repeat timer of a ruler press: timer 1 of the control's window.
  static constexpr UINT_PTR RepeatTimerId = 1;
  static constexpr UINT RepeatInterval = 400;

 protected:
  virtual bool AllowsUserChange() { return true; }
  virtual TRect GetSliderRect();
  virtual int GetCurrentValue() { return value_; }
  virtual void UpdateLayout();
  virtual void EmptyHook() {}
  virtual void ThumbMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void ThumbMouseMove(TShiftState Shift, int X, int Y);
  virtual void ThumbMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void Change();
  virtual void Changed();

  void DefineProperties(TFiler& Filer) override;
  void Loaded() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;

  void WMSize(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMTimer(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMFocusChanged(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_SIZE, WMSize)
  MESSAGE_HANDLER(WM_SETCURSOR, WMSetCursor)
  MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
  MESSAGE_HANDLER(WM_TIMER, WMTimer)
  MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
  MESSAGE_HANDLER(CM_FOCUSCHANGED, CMFocusChanged)
  MESSAGE_MAP_END

 private:
  class TImageMask;
  bool Streaming() const;
  void LoadDefaultImage(TSliderImage Index);
  void ImageChanged(TObject* Sender);
  void BuildRuler();
  void SetRange(int NewMin, int NewMax);
  void MoveThumb(int Pixel);
  void InvalidateThumb();
  void StepValue(TTrackDirection Direction);
  void RepeatStep();
  void StopTracking();
  void DrawThumb(TPoint Point, bool Second);
  void DrawBevel(TRect& R);
  void ReadUserImages(TStream& Stream);
  void WriteUserImages(TStream& Stream);

  std::array<std::unique_ptr<TBitmap>, 4> images_;
  std::array<std::unique_ptr<TImageMask>, 4> masks_;
  std::unique_ptr<TBitmap> ruler_;
  std::unique_ptr<TImageMask> rulerMask_;
  TSliderGeometry geometry_;
  Byte userImages_ = 0;
  int value_ = 0;
  int edgeSize_ = 2;
  int bevelWidth_ = 1;
  TSliderOptions options_{soShowFocus, soShowPoints, soSmooth};
  TPanelBevel bevelStyle_ = bvNone;
  bool creating_ = true;
  bool thumbDown_ = false;
  bool dragging_ = false;
  int dragOffset_ = 0;
  bool hasFocus_ = false;
  bool tracking_ = false;
  bool timerRunning_ = false;
  TPoint pointer_;
  TTrackDirection trackDirection_ = tdNone;
};

class TImageSlider : public TImageCustomSlider {
  DECLARE_CLASS(TImageSlider, TImageCustomSlider)
 public:
  using TImageCustomSlider::TImageCustomSlider;
};
