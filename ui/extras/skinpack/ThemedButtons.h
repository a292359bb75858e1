#pragma once
// TsuiCustomButton: a push button painted wholly from a picture per state (normal, mouse over,
// pressed, disabled), with a centred caption, an optional focus rectangle and an optional
// see-through background; it clicks by mouse, Space, Enter, Escape and accelerator, hands its
// ModalResult to its form, and fires OnMouseContinuouslyDown while held. The base takes its
// pictures from the UI style's BUTTON strip; TsuiImageButton from four pictures of its own.

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/windows/Timer.h"
#include "ui/extras/skinpack/ThemeFiles.h"

class TsuiCustomButton : public TCustomControl {
  DECLARE_CLASS(TsuiCustomButton, TCustomControl)
 public:
  explicit TsuiCustomButton(TComponent* AOwner);
  ~TsuiCustomButton() override;

  bool AutoSize() const { return TControl::AutoSize(); }
  void SetAutoSize(bool Value) override;
  String Caption() { return caption_; }
  void SetCaption(const String& Value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool Value) { cancel_ = Value; }
  bool Default() const { return default_; }
  void SetDefault(bool Value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult Value) { modalResult_ = Value; }
  virtual TsuiUIStyle UIStyle() const { return uiStyle_; }
  void SetUIStyle(TsuiUIStyle Value);
  int MouseContinuouslyDownInterval() const { return repeatInterval_; }
  void SetMouseContinuouslyDownInterval(int Value) { repeatInterval_ = Value; }
  int FocusedRectMargin() const { return focusedRectMargin_; }
  void SetFocusedRectMargin(int Value);
  void SetEnabled(bool Value) override;
  void Click() override;

  // The mouse left the button (OnMouseEnter is the control's own).
  TNotifyEvent OnMouseExit;
  // Fires at every tick of the repeat timer while the left button is held on the button.
  TNotifyEvent OnMouseContinuouslyDown;

 protected:
  virtual void ApplyAutoSize();
  virtual void AfterCaptionChange() {}
  virtual void ApplyFont();
  virtual void ApplyTransparent();
  virtual void AfterEnabledChange() {}
  virtual void AfterUIStyleChange() {}
  virtual void DrawMaskedBitmap(TCanvas* ACanvas, TBitmap* Bitmap);
  virtual void DrawCaptionText(TCanvas* ACanvas, const String& ACaption);
  virtual void DrawFocusFrame(TCanvas* ACanvas);
  virtual void LoadNormalPicture(TBitmap* Graphic);
  virtual void LoadMouseOnPicture(TBitmap* Graphic);
  virtual void LoadMouseDownPicture(TBitmap* Graphic);
  virtual void LoadDisabledPicture(TBitmap* Graphic);

  void CreateWnd() override;
  void Paint() override;
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

  bool Pressed() const { return pressed_; }
  bool Hover() const { return hover_; }
  bool TransparentImage() const { return transparentImage_; }
  TTimer* RepeatTimer() const { return repeatTimer_; }

  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMCancelMode(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMFocusChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMKeyUp(TMessage& Message);
  void WMFocus(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
  MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
  MESSAGE_HANDLER(CM_CANCELMODE, CMCancelMode)
  MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
  MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey)
  MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
  MESSAGE_HANDLER(CM_FOCUSCHANGED, CMFocusChanged)
  MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged)
  MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDown)
  MESSAGE_HANDLER(WM_KEYUP, WMKeyUp)
  MESSAGE_HANDLER(WM_SETFOCUS, WMFocus)
  MESSAGE_HANDLER(WM_KILLFOCUS, WMFocus)
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
  MESSAGE_MAP_END

 private:
  void StopRepeat();
  void LoadStylePart(TBitmap* Graphic, int Part);
  bool IsSpaceOrEnter(WPARAM key) const { return key == VK_SPACE || key == VK_RETURN; }

  String caption_;
  bool cancel_ = false;
  bool default_ = false;
  bool transparent_ = false;
  TModalResult modalResult_ = mrNone;
  TsuiUIStyle uiStyle_ = DeepBlue;
  bool transparentImage_ = false;
  TTimer* repeatTimer_ = nullptr;
  int repeatInterval_ = 100;
  int focusedRectMargin_ = 2;
  bool activeDefault_ = false;
  bool hover_ = false;
  bool pressed_ = false;
  // The off-screen face, kept between paints and resized with the button.
  TBitmap buffer_;
};

class TsuiImageButton : public TsuiCustomButton {
  DECLARE_CLASS(TsuiImageButton, TsuiCustomButton)
 public:
  explicit TsuiImageButton(TComponent* AOwner);
  ~TsuiImageButton() override;

  // Always reads FromThemeFile; writing stores the style.
  TsuiUIStyle UIStyle() const override { return FromThemeFile; }
  TPicture* PicNormal() const { return pictures_[0].get(); }
  TPicture* PicMouseOn() const { return pictures_[1].get(); }
  TPicture* PicMouseDown() const { return pictures_[2].get(); }
  TPicture* PicDisabled() const { return pictures_[3].get(); }
  void SetPicNormal(TPicture* Value) { SetPicture(0, Value); }
  void SetPicMouseOn(TPicture* Value) { SetPicture(1, Value); }
  void SetPicMouseDown(TPicture* Value) { SetPicture(2, Value); }
  void SetPicDisabled(TPicture* Value) { SetPicture(3, Value); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool Value);
  bool DrawFocused() const { return drawFocused_; }
  void SetDrawFocused(bool Value);
  void SetParent(TWinControl* AParent) override;

 protected:
  void ApplyAutoSize() override;
  void DrawMaskedBitmap(TCanvas* ACanvas, TBitmap* Bitmap) override;
  void DrawFocusFrame(TCanvas* ACanvas) override;
  void LoadNormalPicture(TBitmap* Graphic) override;
  void LoadMouseOnPicture(TBitmap* Graphic) override;
  void LoadMouseDownPicture(TBitmap* Graphic) override;
  void LoadDisabledPicture(TBitmap* Graphic) override;

 private:
  void SetPicture(int Index, TPicture* Value);
  // The picture, else PicNormal when it is empty (Index 0 has no fallback).
  void LoadPicture(int Index, TBitmap* Graphic);

  ObjectPtr<TPicture> pictures_[4];
  bool stretch_ = false;
  bool drawFocused_ = false;
};
