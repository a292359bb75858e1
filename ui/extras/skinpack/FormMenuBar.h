#pragma once
// TsuiMenuBar: the themed form's menu bar, a flat tool bar with one button per top-level item of
// the form's menu; each button opens its item's drop-down. The form draws the bar and its buttons.

#include "platform/framework/controls/ToolBar.h"

class TsuiForm;

// A bar button drawn highlighted carries this tag until its next custom draw.
constexpr int kHighlightedMenuButtonTag = 888;

class TsuiMenuBar : public TToolBar {
  DECLARE_CLASS(TsuiMenuBar, TToolBar)
 public:
  explicit TsuiMenuBar(TComponent* AOwner);
  TsuiForm* Form() const { return form_; }
  void SetForm(TsuiForm* Value) { form_ = Value; }

 protected:
  // With Alt the bar's own accelerator handling; without Alt only while a button is highlighted.
  void CMDialogChar(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
  MESSAGE_MAP_END

 private:
  bool AnyButtonHighlighted() const;
  TsuiForm* form_ = nullptr;
};
