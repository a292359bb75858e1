#include "ui/extras/skinpack/ThemedButtons.h"

#include <algorithm>

#include "platform/framework/controls/ComCtrls.h"
#include "platform/framework/graphics/ImageList.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/extras/skinpack/SkinPackRoutines.h"

DEFINE_CLASS(TsuiCustomButton)
DEFINE_CLASS(TsuiImageButton)

namespace {

// The size of the state image when its picture cannot be turned into a bitmap.
constexpr int kFallbackWidth = 74;
constexpr int kFallbackHeight = 21;
// A disabled button with this tag draws its caption like an enabled one.
constexpr int kPlainDisabledCaptionTag = 1000;

void RegisterButtonProperties() {
  using B = TsuiCustomButton;
  RegisterProperties(&B::ClassInfo(), {
      StringProperty(L"Caption", &B::Caption, &B::SetCaption),
      OrdinalProperty(L"AutoSize", &B::AutoSize, &B::SetAutoSize),
      OrdinalProperty(L"Transparent", &B::Transparent, &B::SetTransparent),
      OrdinalProperty(L"Cancel", &B::Cancel, &B::SetCancel),
      OrdinalProperty(L"Default", &B::Default, &B::SetDefault),
      OrdinalProperty(L"ModalResult", &B::ModalResult, &B::SetModalResult),
      OrdinalProperty(L"UIStyle", &B::UIStyle, &B::SetUIStyle),
      OrdinalProperty(L"FocusedRectMargin", &B::FocusedRectMargin, &B::SetFocusedRectMargin),
      OrdinalProperty(L"MouseContinuouslyDownInterval", &B::MouseContinuouslyDownInterval,
                      &B::SetMouseContinuouslyDownInterval),
  });
  using I = TsuiImageButton;
  RegisterProperties(&I::ClassInfo(), {
      ObjectProperty(L"PicNormal", &I::PicNormal, &I::SetPicNormal),
      ObjectProperty(L"PicMouseOn", &I::PicMouseOn, &I::SetPicMouseOn),
      ObjectProperty(L"PicMouseDown", &I::PicMouseDown, &I::SetPicMouseDown),
      ObjectProperty(L"PicDisabled", &I::PicDisabled, &I::SetPicDisabled),
      OrdinalProperty(L"Stretch", &I::Stretch, &I::SetStretch),
      OrdinalProperty(L"DrawFocused", &I::DrawFocused, &I::SetDrawFocused),
  });
}

}  // namespace

// ---- TsuiCustomButton ----------------------------------------------------------------------------

TsuiCustomButton::TsuiCustomButton(TComponent* AOwner) : TCustomControl(AOwner) {
  static const bool registered = (RegisterButtonProperties(), true);
  (void)registered;
  ControlStyle.Exclude(csAcceptsControls);
  ControlStyle.Exclude(csDoubleClicks);
  SetTabStop(true);
  SetUIStyle(GetOwnerUIStyle(AOwner));
}

TsuiCustomButton::~TsuiCustomButton() = default;

void TsuiCustomButton::SetAutoSize(bool Value) {
  Inherited::SetAutoSize(Value);
  ApplyAutoSize();
  Invalidate();
}

void TsuiCustomButton::SetCaption(const String& Value) {
  caption_ = Value;
  if (GetText() != Value) SetText(Value);
  AfterCaptionChange();
  Invalidate();
}

void TsuiCustomButton::SetDefault(bool Value) {
  default_ = Value;
  if (!HandleAllocated()) return;
  if (TCustomForm* form = GetParentForm(this))
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TsuiCustomButton::SetTransparent(bool Value) {
  transparent_ = Value;
  ApplyTransparent();
  Invalidate();
}

void TsuiCustomButton::SetUIStyle(TsuiUIStyle Value) {
  uiStyle_ = Value;
  AfterUIStyleChange();
  Invalidate();
}

void TsuiCustomButton::SetFocusedRectMargin(int Value) {
  focusedRectMargin_ = Value;
  Invalidate();
}

void TsuiCustomButton::SetEnabled(bool Value) {
  Inherited::SetEnabled(Value);
  AfterEnabledChange();
  Invalidate();
}

void TsuiCustomButton::StopRepeat() {
  if (repeatTimer_) {
    TTimer* timer = repeatTimer_;
    repeatTimer_ = nullptr;
    timer->Free();
  }
}

void TsuiCustomButton::Click() {
  if (pressed_) {
    StopRepeat();
    pressed_ = false;
    Invalidate();
  }
  if (Parent())
    if (TCustomForm* form = GetParentForm(this)) form->ModalResult = modalResult_;
  Inherited::Click();
}

void TsuiCustomButton::ApplyAutoSize() {
  if (!AutoSize()) return;
  // The stored style as it is: FromThemeFile has no BUTTON strip and falls back to 74 x 21.
  TBitmap strip;
  LoadStyleBitmap(uiStyle_, 1, &strip);
  const int height = strip.Height() == 0 ? kFallbackHeight : strip.Height();
  const int width = strip.Width() == 0 ? kFallbackWidth : strip.Width();
  SetHeight(height);
  SetWidth(width / 3);
}

void TsuiCustomButton::ApplyFont() {
  Canvas()->SetFont(Font());
  Invalidate();
}

void TsuiCustomButton::ApplyTransparent() {
  transparentImage_ = transparent_;
  Invalidate();
}

void TsuiCustomButton::LoadStylePart(TBitmap* Graphic, int Part) {
  TsuiUIStyle style = uiStyle_;
  UsesFileTheme(nullptr, style);
  GetStyleBitmapPart(style, 1, Graphic, 3, Part);
}

void TsuiCustomButton::LoadNormalPicture(TBitmap* Graphic) { LoadStylePart(Graphic, 1); }
void TsuiCustomButton::LoadMouseOnPicture(TBitmap* Graphic) { LoadStylePart(Graphic, 2); }
void TsuiCustomButton::LoadMouseDownPicture(TBitmap* Graphic) { LoadStylePart(Graphic, 3); }
void TsuiCustomButton::LoadDisabledPicture(TBitmap* Graphic) { LoadStylePart(Graphic, 1); }

void TsuiCustomButton::DrawMaskedBitmap(TCanvas* ACanvas, TBitmap* Bitmap) {
  if (Bitmap->Width() == 0 || Bitmap->Height() == 0) return;
  const TColor key = Bitmap->Canvas()->Pixels(0, 0);
  TCustomImageList list(nullptr, Bitmap->Width(), Bitmap->Height());
  if (transparentImage_)
    list.AddMasked(Bitmap, key);
  else
    list.Add(Bitmap, nullptr);
  list.Draw(ACanvas, 0, 0, 0, Enabled());
}

void TsuiCustomButton::DrawCaptionText(TCanvas* ACanvas, const String& ACaption) {
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->SetFont(Font());
  const TRect client = ClientRect();
  // Measured and drawn with the same flags, so a caption that wraps is drawn wrapped.
  auto centred = [&](TRect r) {
    HDC dc = ACanvas->Handle();
    ACanvas->TextExtent(L"");  // selects the canvas font and colour into the DC
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(ACanvas->Font()->Color())));
    RECT measured = r;
    const UINT flags = DT_EXPANDTABS | DT_WORDBREAK;
    DrawTextW(dc, ACaption.c_str(), static_cast<int>(ACaption.size()), &measured, flags | DT_CALCRECT);
    OffsetRect(&measured, (r.Width() - (measured.right - measured.left)) / 2,
               (r.Height() - (measured.bottom - measured.top)) / 2);
    DrawTextW(dc, ACaption.c_str(), static_cast<int>(ACaption.size()), &measured, flags | DT_CENTER);
  };
  TRect r = client;
  if (!Enabled() && Tag != kPlainDisabledCaptionTag) {
    const TColor fontColor = ACanvas->Font()->Color();
    ACanvas->Font()->SetColor(MakeRGB(255, 255, 255));
    centred(TRect(r.left + 1, r.top + 1, r.right + 1, r.bottom + 1));
    ACanvas->Font()->SetColor(MakeRGB(128, 128, 128));
    centred(client);
    ACanvas->Font()->SetColor(fontColor);
    return;
  }
  if (pressed_) r = TRect(r.left + 1, r.top + 1, r.right + 1, r.bottom + 1);
  centred(r);
}

void TsuiCustomButton::DrawFocusFrame(TCanvas* ACanvas) {
  const int m = focusedRectMargin_;
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->DrawFocusRect(TRect(m, m, ClientWidth() - m, ClientHeight() - m));
}

void TsuiCustomButton::CreateWnd() {
  Inherited::CreateWnd();
  activeDefault_ = default_;
}

void TsuiCustomButton::Paint() {
  const TRect client = ClientRect();
  TBitmap image;
  try {
    if (!Enabled())
      LoadDisabledPicture(&image);
    else if (pressed_)
      LoadMouseDownPicture(&image);
    else if (hover_)
      LoadMouseOnPicture(&image);
    else
      LoadNormalPicture(&image);
  } catch (const Exception&) {
    image.SetSize(kFallbackWidth, kFallbackHeight);
  }
  image.SetTransparent(transparentImage_);
  if (buffer_.Width() != client.Width() || buffer_.Height() != client.Height())
    buffer_.SetSize(client.Width(), client.Height());
  TCanvas* canvas = buffer_.Canvas();
  if (transparent_) {
    TControl* behind = dynamic_cast<TTabSheet*>(Parent()) ? static_cast<TControl*>(Parent()) : this;
    PaintParentBackground(canvas, behind);
  } else {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(client);
  }
  DrawMaskedBitmap(canvas, &image);
  if (Focused() && TabStop()) DrawFocusFrame(canvas);
  canvas->SetFont(Font());
  Canvas()->SetFont(Font());
  if (!Trim(caption_).empty()) DrawCaptionText(canvas, caption_);
  Canvas()->CopyRect(client, canvas, client);
}

void TsuiCustomButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  Inherited::ActionChange(Sender, CheckDefaults);
  SetCaption(GetText());
}

void TsuiCustomButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    pressed_ = true;
    if (!repeatTimer_) {
      // Owned by the button, so a button freed while held takes its timer with it.
      repeatTimer_ = new TTimer(this);
      repeatTimer_->SetInterval(static_cast<Cardinal>(std::max(repeatInterval_, 0)));
      repeatTimer_->SetOnTimer([this](TObject*) {
        if (OnMouseContinuouslyDown) OnMouseContinuouslyDown(this);
      });
      repeatTimer_->SetEnabled(true);
    }
    if (TabStop() && CanFocus() && Enabled() && Visible()) {
      try {
        SetFocus();
      } catch (const Exception&) {
        // A button that cannot take the focus still presses.
      }
    }
    Invalidate();
  }
  Inherited::MouseDown(Button, Shift, X, Y);
}

void TsuiCustomButton::MouseMove(TShiftState Shift, int X, int Y) {
  Inherited::MouseMove(Shift, X, Y);
  if (X < 0 || Y < 0 || X > Width() || Y > Height()) {
    hover_ = pressed_ = false;
    Invalidate();
  }
}

void TsuiCustomButton::CMMouseEnter(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (Message.LParam != reinterpret_cast<LPARAM>(this) && Message.LParam != 0) return;
  if (ComponentState().Contains(csDesigning)) return;
  hover_ = true;
  Invalidate();
}

void TsuiCustomButton::CMMouseLeave(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (Message.LParam != reinterpret_cast<LPARAM>(this) && Message.LParam != 0) return;
  hover_ = pressed_ = false;
  StopRepeat();
  Invalidate();
  if (OnMouseExit) OnMouseExit(this);
}

void TsuiCustomButton::CMCancelMode(TMessage& Message) {
  Inherited::Dispatch(Message);
  hover_ = pressed_ = false;
  StopRepeat();
  Invalidate();
}

void TsuiCustomButton::CMTextChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  SetCaption(GetText());
}

void TsuiCustomButton::CMDialogKey(TMessage& Message) {
  const bool key = (Message.WParam == VK_RETURN && activeDefault_) || (Message.WParam == VK_ESCAPE && cancel_);
  if (key && KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  Inherited::Dispatch(Message);
}

void TsuiCustomButton::CMDialogChar(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (IsAccel(static_cast<Word>(Message.WParam), caption_) && Parent() && Parent()->Enabled() && Enabled() &&
      Visible()) {
    Click();
    Message.Result = 1;
    return;
  }
  Message.Result = 0;
}

void TsuiCustomButton::CMFocusChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  activeDefault_ = default_;
  Invalidate();
}

void TsuiCustomButton::CMFontChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  ApplyFont();
}

void TsuiCustomButton::WMKeyDown(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (IsSpaceOrEnter(Message.WParam) && Focused() && Enabled()) {
    pressed_ = true;
    Invalidate();
  }
}

void TsuiCustomButton::WMKeyUp(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (IsSpaceOrEnter(Message.WParam) && Focused() && pressed_ && Enabled()) {
    pressed_ = false;
    Invalidate();
    Click();
  }
}

void TsuiCustomButton::WMFocus(TMessage& Message) {
  Inherited::Dispatch(Message);
  Invalidate();
}

// ---- TsuiImageButton -----------------------------------------------------------------------------

TsuiImageButton::TsuiImageButton(TComponent* AOwner) : TsuiCustomButton(AOwner) {
  for (auto& picture : pictures_) {
    picture.reset(new TPicture);
  }
}

TsuiImageButton::~TsuiImageButton() = default;

void TsuiImageButton::SetPicture(int Index, TPicture* Value) {
  pictures_[Index]->Assign(Value);
  ApplyAutoSize();
  Invalidate();
}

void TsuiImageButton::SetStretch(bool Value) {
  stretch_ = Value;
  Invalidate();
}

void TsuiImageButton::SetDrawFocused(bool Value) {
  drawFocused_ = Value;
  Invalidate();
}

void TsuiImageButton::SetParent(TWinControl* AParent) {
  Inherited::SetParent(AParent);
  ApplyAutoSize();
}

void TsuiImageButton::ApplyAutoSize() {
  if (!Parent() || !AutoSize() || !pictures_[0] || !pictures_[0]->Graphic()) return;
  SetHeight(pictures_[0]->Height());
  SetWidth(pictures_[0]->Width());
}

void TsuiImageButton::LoadPicture(int Index, TBitmap* Graphic) {
  TPicture* picture = pictures_[Index]->Graphic() ? pictures_[Index].get() : pictures_[0].get();
  if (picture->Graphic()) Graphic->Assign(picture->Graphic());
}

void TsuiImageButton::LoadNormalPicture(TBitmap* Graphic) { LoadPicture(0, Graphic); }
void TsuiImageButton::LoadMouseOnPicture(TBitmap* Graphic) { LoadPicture(1, Graphic); }
void TsuiImageButton::LoadMouseDownPicture(TBitmap* Graphic) { LoadPicture(2, Graphic); }
void TsuiImageButton::LoadDisabledPicture(TBitmap* Graphic) { LoadPicture(3, Graphic); }

void TsuiImageButton::DrawMaskedBitmap(TCanvas* ACanvas, TBitmap* Bitmap) {
  if (!Bitmap || Bitmap->Width() == 0 || Bitmap->Height() == 0) return;
  Bitmap->SetTransparentColor(Bitmap->Canvas()->Pixels(0, 0));
  if (Stretch())
    ACanvas->StretchDraw(TRect(0, 0, Width(), Height()), Bitmap);
  else
    ACanvas->Draw(0, 0, Bitmap);
}

void TsuiImageButton::DrawFocusFrame(TCanvas* ACanvas) {
  if (drawFocused_) Inherited::DrawFocusFrame(ACanvas);
}
