#include "ui/extras/frames/HotKeyEdit.h"

#include "platform/framework/classes/Filer.h"
#include "platform/framework/windows/ThemeState.h"

DEFINE_CLASS(TRzHotKeyEdit)

namespace {

void RegisterHotKeyEditProperties() {
  using E = TRzHotKeyEdit;
  RegisterProperties(
      &E::ClassInfo(),
      {
          OrdinalProperty(L"Color", &TControl::Color, &TControl::SetColor),
          OrdinalProperty(L"DisabledColor", &E::DisabledColor, &E::SetDisabledColor),
          OrdinalProperty(L"FocusColor", &E::FocusColor, &E::SetFocusColor),
          OrdinalProperty(L"FrameColor", &E::FrameColor, &E::SetFrameColor),
          ObjectProperty(L"FrameController", &E::FrameController, &E::SetFrameController),
          SetProperty(L"FrameControllerNotifications", &E::FrameControllerNotifications,
                      &E::SetFrameControllerNotifications),
          OrdinalProperty(L"FrameHotColor", &E::FrameHotColor, &E::SetFrameHotColor),
          OrdinalProperty(L"FrameHotTrack", &E::FrameHotTrack, &E::SetFrameHotTrack),
          OrdinalProperty(L"FrameHotStyle", &E::FrameHotStyle, &E::SetFrameHotStyle),
          SetProperty(L"FrameSides", &E::FrameSides, &E::SetFrameSides),
          OrdinalProperty(L"FrameStyle", &E::FrameStyle, &E::SetFrameStyle),
          OrdinalProperty(L"FrameVisible", &E::FrameVisible, &E::SetFrameVisible),
          OrdinalProperty(L"FramingPreference", &E::FramingPreference, &E::SetFramingPreference),
      });
}

}  // namespace

TRzHotKeyEdit::TRzHotKeyEdit(TComponent* AOwner)
    : THotKey(AOwner), frameCanvas_(std::make_unique<TControlCanvas>(this)) {
  static const bool registered = (RegisterHotKeyEditProperties(), true);
  (void)registered;
  SetHeight(21);
}

TRzHotKeyEdit::~TRzHotKeyEdit() {
  if (frameController_) frameController_->DetachControl(this);
}

void TRzHotKeyEdit::Loaded() {
  THotKey::Loaded();
  ApplyStateColor();
  FrameStateChanged(false, false);
}

void TRzHotKeyEdit::Notification(TComponent* AComponent, TOperation Operation) {
  THotKey::Notification(AComponent, Operation);
  // The controller is going away: it has no list left to leave.
  if (Operation == opRemove && AComponent == frameController_) frameController_ = nullptr;
}

bool TRzHotKeyEdit::ThemedFraming() { return framingPreference_ == fpXPThemes && ThemeState().Enabled(); }

void TRzHotKeyEdit::InvalidateFrameArea() {
  if (HandleAllocated()) InvalidateNonClientFrame(Handle(), ClientRect());
}

// ---- state colour -------------------------------------------------------------------------------

void TRzHotKeyEdit::ApplyStateColor() {
  if (ComponentState().Contains(csLoading)) return;
  updatingColor_ = true;
  try {
    SetColor(!Enabled() ? disabledColor_ : Focused() ? focusColor_ : normalColor_);
  } catch (...) {
    updatingColor_ = false;
    throw;
  }
  updatingColor_ = false;
}

void TRzHotKeyEdit::TakeColorAsNormal() {
  if (focusColor_ == normalColor_) focusColor_ = Color();
  normalColor_ = Color();
}

void TRzHotKeyEdit::CMColorChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (!updatingColor_) TakeColorAsNormal();
  if (OwnFrameShown()) InvalidateFrameArea();
}

void TRzHotKeyEdit::CMParentColorChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (ParentColor()) TakeColorAsNormal();
  if (OwnFrameShown()) InvalidateFrameArea();
}

void TRzHotKeyEdit::CMEnabledChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  ApplyStateColor();
}

void TRzHotKeyEdit::CNCtlColor(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  SetTextColor(dc, COLORREF(ColorToRGB(Font()->Color())));
  SetBkColor(dc, COLORREF(ColorToRGB(Color())));
  Message.Result = reinterpret_cast<LRESULT>(brush_.Get(Color()));
}

// ---- focus and mouse ----------------------------------------------------------------------------

void TRzHotKeyEdit::FrameStateChanged(bool ViaMouse, bool Active) {
  if (ViaMouse) overControl_ = Active;
  if (frameHotTrack_) InvalidateFrameArea();
  ApplyStateColor();
}

void TRzHotKeyEdit::CMEnter(TMessage& Message) {
  FrameStateChanged(false, true);
  Inherited::Dispatch(Message);
}

void TRzHotKeyEdit::CMExit(TMessage& Message) {
  Inherited::Dispatch(Message);
  FrameStateChanged(false, false);
}

// The inherited handlers raise OnMouseEnter and OnMouseLeave.
void TRzHotKeyEdit::CMMouseEnter(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (Message.LParam == reinterpret_cast<LPARAM>(this)) FrameStateChanged(true, true);
}

void TRzHotKeyEdit::CMMouseLeave(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (Message.LParam == reinterpret_cast<LPARAM>(this)) FrameStateChanged(true, false);
}

void TRzHotKeyEdit::WMSize(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (OwnFrameShown()) InvalidateFrameArea();
}

// ---- frame --------------------------------------------------------------------------------------

void TRzHotKeyEdit::WMNCPaint(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (!OwnFrameShown()) return;
  HDC dc = GetWindowDC(Handle());
  if (!dc) return;
  frameCanvas_->SetPaintHandle(dc);
  try {
    const bool hot = frameHotTrack_ && (Focused() || overControl_);
    DrawControlFrame(frameCanvas_.get(), Width(), Height(), hot ? frameHotStyle_ : frameStyle_, Color(),
                     hot ? frameHotColor_ : frameColor_, frameSides_);
  } catch (...) {
    frameCanvas_->SetHandle(nullptr);
    ReleaseDC(Handle(), dc);
    throw;
  }
  frameCanvas_->SetHandle(nullptr);
  ReleaseDC(Handle(), dc);
  Message.Result = 0;
}

// ---- setters ------------------------------------------------------------------------------------

void TRzHotKeyEdit::SetDisabledColor(TColor Value) {
  disabledColor_ = Value;
  if (!Enabled()) ApplyStateColor();
}

void TRzHotKeyEdit::SetFocusColor(TColor Value) {
  focusColor_ = Value;
  if (HandleAllocated() && Focused()) ApplyStateColor();
}

void TRzHotKeyEdit::SetFrameColor(TColor Value) {
  if (Value == frameColor_) return;
  frameColor_ = Value;
  InvalidateFrameArea();
}

void TRzHotKeyEdit::SetFrameHotColor(TColor Value) {
  if (Value == frameHotColor_) return;
  frameHotColor_ = Value;
  InvalidateFrameArea();
}

void TRzHotKeyEdit::SetFrameHotStyle(TFrameStyle Value) {
  if (Value == frameHotStyle_) return;
  frameHotStyle_ = Value;
  InvalidateFrameArea();
}

void TRzHotKeyEdit::SetFrameSides(TSides Value) {
  if (Value == frameSides_) return;
  frameSides_ = Value;
  InvalidateFrameArea();
}

void TRzHotKeyEdit::SetFrameStyle(TFrameStyle Value) {
  if (Value == frameStyle_) return;
  frameStyle_ = Value;
  InvalidateFrameArea();
}

void TRzHotKeyEdit::SetFrameController(TRzFrameController* Value) {
  if (frameController_) frameController_->DetachControl(this);
  frameController_ = Value;
  if (!Value) return;
  Value->AttachControl(this);
  Value->FreeNotification(this);
}

void TRzHotKeyEdit::SetFrameHotTrack(bool Value) {
  if (Value == frameHotTrack_) return;
  frameHotTrack_ = Value;
  if (Value) {
    SetFrameVisible(true);
    if (!ComponentState().Contains(csLoading)) SetFrameSides(AllSides);
  }
  InvalidateFrameArea();
  Invalidate();
}

void TRzHotKeyEdit::SetFrameVisible(bool Value) {
  if (Value == frameVisible_) return;
  frameVisible_ = Value;
  if (Value) SetCtl3D(true);
  // The standard border is rebuilt with the window.
  if (HandleAllocated()) RecreateWnd();
}

void TRzHotKeyEdit::SetFramingPreference(TFramingPreference Value) {
  if (Value == framingPreference_) return;
  framingPreference_ = Value;
  if (Value == fpCustomFraming) InvalidateFrameArea();
}

// ---- form data ----------------------------------------------------------------------------------

bool TRzHotKeyEdit::PushedByController(TRzFrameControllerProperty Property) const {
  return frameController_ && notifications_.Contains(Property);
}

bool TRzHotKeyEdit::IsColorStored() { return !PushedByController(fcpColor) && Enabled(); }

bool TRzHotKeyEdit::IsFocusColorStored() {
  if (PushedByController(fcpFocusColor)) return false;
  return ColorToRGB(focusColor_) != ColorToRGB(Color());
}

bool TRzHotKeyEdit::IsFrameSettingStored(TRzFrameControllerProperty Property) const {
  return !PushedByController(Property);
}

void TRzHotKeyEdit::DefineProperties(TFiler& Filer) {
  THotKey::DefineProperties(Filer);
  DefineOldFrameProperties(Filer, {{this, &TRzHotKeyEdit::SetFrameHotTrack},
                                   {this, &TRzHotKeyEdit::SetFrameStyle},
                                   {this, &TRzHotKeyEdit::SetFrameHotStyle}});
}
