#pragma once
// The borderless form that hosts a control on a bar (the control-container item puts its control
// on one): its background is the bar's, lined up with the bar window under it.

#include "platform/framework/windows/Forms.h"

class TdxBarItemControl;

class TPlaceForm : public TCustomForm {
  DECLARE_CLASS(TPlaceForm, TCustomForm)
 public:
  explicit TPlaceForm(TComponent* AOwner);

  // The item control the form belongs to; null while it has none.
  TdxBarItemControl* ItemControl = nullptr;
  // The brush the background is filled with (not owned); the button face without one.
  HBRUSH Brush() const { return brush_ ? brush_ : GetSysColorBrush(COLOR_BTNFACE); }
  void SetBrush(HBRUSH Value) { brush_ = Value; }

 protected:
  void WMEraseBkgnd(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
  MESSAGE_MAP_END

 private:
  // The bar's background under the client rectangle, through the item control's painter.
  void FillWithBarBackground(HDC DC);

  HBRUSH brush_ = nullptr;
};
