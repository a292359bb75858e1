#pragma once
// The window that shows a hint: a topmost tool popup that is never activated, painted in the hint
// colour with the screen's hint font.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(WINDOWS);

#include "platform/framework/windows/Controls.h"

class THintWindow : public TCustomControl {
  DECLARE_CLASS(THintWindow, TCustomControl)
 public:
  explicit THintWindow(TComponent* AOwner);

  // The size the text needs, no wider than MaxWidth; positioned at (0, 0).
  virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData);
  // Shows the text over Rect (screen coordinates) without taking the activation.
  virtual void ActivateHint(const TRect& Rect, const String& AHint);
  virtual void ActivateHintData(const TRect& Rect, const String& AHint, void* AData);
  // True when a message should take the hint down.
  virtual bool IsHintMsg(const MSG& Msg);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void WMNCHitTest(TMessage& Message) { Message.Result = HTTRANSPARENT; }
  void WMMouseActivate(TMessage& Message) { Message.Result = MA_NOACTIVATE; }

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest)
  MESSAGE_HANDLER(WM_MOUSEACTIVATE, WMMouseActivate)
  MESSAGE_MAP_END
};
