#pragma once
// TRzHotKeyEdit: the hot-key control with a background colour that follows its state (normal,
// focused, disabled), an optional frame of its own drawn in the non-client area in one of the
// frame styles, hot tracking while focused or under the mouse, and a link to a frame controller.

#include <memory>

#include "platform/framework/controls/ComCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "ui/extras/frames/FrameController.h"

class TRzHotKeyEdit : public THotKey {
  DECLARE_CLASS(TRzHotKeyEdit, THotKey)
 public:
  explicit TRzHotKeyEdit(TComponent* AOwner);
  ~TRzHotKeyEdit() override;

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TColor DisabledColor() const { return disabledColor_; }
  virtual void SetDisabledColor(TColor Value);
  TColor FocusColor() const { return focusColor_; }
  virtual void SetFocusColor(TColor Value);
  // The colour shown while neither focused nor disabled; follows every change of Color made from
  // outside.
  TColor NormalColor() const { return normalColor_; }
  TColor FrameColor() const { return frameColor_; }
  virtual void SetFrameColor(TColor Value);
  TRzFrameController* FrameController() const { return frameController_; }
  virtual void SetFrameController(TRzFrameController* Value);
  TRzFrameControllerNotifications FrameControllerNotifications() const { return notifications_; }
  void SetFrameControllerNotifications(TRzFrameControllerNotifications Value) { notifications_ = Value; }
  TColor FrameHotColor() const { return frameHotColor_; }
  virtual void SetFrameHotColor(TColor Value);
  bool FrameHotTrack() const { return frameHotTrack_; }
  virtual void SetFrameHotTrack(bool Value);
  TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
  virtual void SetFrameHotStyle(TFrameStyle Value);
  TSides FrameSides() const { return frameSides_; }
  virtual void SetFrameSides(TSides Value);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  virtual void SetFrameStyle(TFrameStyle Value);
  bool FrameVisible() const { return frameVisible_; }
  virtual void SetFrameVisible(bool Value);
  TFramingPreference FramingPreference() const { return framingPreference_; }
  virtual void SetFramingPreference(TFramingPreference Value);
  bool OverControl() const { return overControl_; }

  // Visual styles draw the frame instead (fpXPThemes while the theme services report them on).
  virtual bool ThemedFraming();

  // What form data stores: Color neither while a controller pushes it nor while disabled (Color
  // then holds DisabledColor); FocusColor only when it differs from Color and no controller
  // pushes it; the other frame settings unless a controller pushes them.
  bool IsColorStored();
  bool IsFocusColorStored();
  bool IsFrameSettingStored(TRzFrameControllerProperty Property) const;

 protected:
  virtual void ApplyStateColor();
  virtual void FrameStateChanged(bool ViaMouse, bool Active);
  virtual void InvalidateFrameArea();
  // Reads the properties of older versions; they are never written.
  void DefineProperties(TFiler& Filer) override;

  void CMColorChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CNCtlColor(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMSize(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged)
  MESSAGE_HANDLER(CM_PARENTCOLORCHANGED, CMParentColorChanged)
  MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
  MESSAGE_HANDLER(CM_ENTER, CMEnter)
  MESSAGE_HANDLER(CM_EXIT, CMExit)
  MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
  MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
  MESSAGE_HANDLER(CN_CTLCOLOREDIT, CNCtlColor)
  MESSAGE_HANDLER(CN_CTLCOLORSTATIC, CNCtlColor)
  MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint)
  MESSAGE_HANDLER(WM_SIZE, WMSize)
  MESSAGE_MAP_END

 private:
  bool OwnFrameShown() { return frameVisible_ && !ThemedFraming(); }
  bool PushedByController(TRzFrameControllerProperty Property) const;
  void TakeColorAsNormal();

  bool updatingColor_ = false;
  TColor disabledColor_ = clBtnFace;
  TColor focusColor_ = clWindow;
  TColor normalColor_ = clWindow;
  TColor frameColor_ = clBtnShadow;
  TRzFrameController* frameController_ = nullptr;
  TRzFrameControllerNotifications notifications_ = AllFrameControllerNotifications;
  TColor frameHotColor_ = clBtnShadow;
  bool frameHotTrack_ = false;
  TFrameStyle frameHotStyle_ = fsFlatBold;
  TSides frameSides_ = AllSides;
  TFrameStyle frameStyle_ = fsFlat;
  bool frameVisible_ = false;
  TFramingPreference framingPreference_ = fpXPThemes;
  std::unique_ptr<TControlCanvas> frameCanvas_;
  bool overControl_ = false;
  // The background brush answered to the control's colour requests.
  TColorBrush brush_;
};
