#pragma once
// A painted tool bar holding tool buttons in a row: buttons, check buttons (grouped ones latch
// exclusively), separators and dividers, with images from the bar's image list. Custom drawing
// events can replace the bar's and the buttons' own painting; a button with a menu item opens the
// item's drop-down as a popup menu owned by the bar (also on Alt and its accelerator); the bar can
// wrap its buttons into rows and fit its height to them.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CONTROLS);

#include <memory>

#include "platform/framework/graphics/ImageList.h"
#include "platform/framework/controls/Menus.h"
#include "platform/framework/controls/StdCtrls.h"

class TToolBar;
class TToolButton;

// Custom drawing: the canvas is in the bar's coordinates; clearing DefaultDraw skips the bar's own
// painting of the background or of the button.
using TTBCustomDrawEvent = TEvent<void(TToolBar* Sender, TCanvas* ACanvas, const TRect& ARect, bool& DefaultDraw)>;
using TTBCustomDrawBtnEvent =
    TEvent<void(TToolBar* Sender, TToolButton* Button, TCanvas* ACanvas, TOwnerDrawState State, bool& DefaultDraw)>;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolButton : public TGraphicControl {
  DECLARE_CLASS(TToolButton, TGraphicControl)
 public:
  explicit TToolButton(TComponent* AOwner);
  TToolBar* ToolBar() const;
  TToolButtonStyle Style() const { return style_; }
  void SetStyle(TToolButtonStyle Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  // Check buttons stay down; of adjacent grouped check buttons at most one is down.
  bool Down() const { return down_; }
  void SetDown(bool Value);
  bool Grouped() const { return grouped_; }
  void SetGrouped(bool Value) { grouped_ = Value; }
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool Value) { allowAllUp_ = Value; }
  // The item whose drop-down the button opens (its caption and enabled state are taken over);
  // an item without sub-items is clicked instead.
  TMenuItem* MenuItem() const { return menuItem_; }
  void SetMenuItem(TMenuItem* Value);
  bool MouseInControl() const { return mouseInControl_; }
  // Pressed by the mouse right now.
  bool Pressed() const { return pressed_; }
  void SetParent(TWinControl* AParent) override;
  void Click() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Paint() override;
  TControlActionLink* CreateActionLink() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMTextChanged(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
  MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
  MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
  MESSAGE_MAP_END

 private:
  void UpdateGroup();
  TToolButtonStyle style_ = tbsButton;
  int imageIndex_ = -1;
  bool down_ = false;
  bool grouped_ = false;
  bool allowAllUp_ = false;
  bool mouseInControl_ = false;
  bool pressed_ = false;
  bool dragging_ = false;
  TMenuItem* menuItem_ = nullptr;
};

class TToolBar : public TCustomControl {
  DECLARE_CLASS(TToolBar, TCustomControl)
 public:
  explicit TToolBar(TComponent* AOwner);
  ~TToolBar() override;
  bool Flat() const { return flat_; }
  void SetFlat(bool Value);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int Value);
  int ButtonHeight() const { return buttonHeight_; }
  void SetButtonHeight(int Value);
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool Value);
  int ButtonCount() const;
  TToolButton* Buttons(int Index) const;
  // Buttons that do not fit the bar's width continue on a new row.
  bool Wrapable() const { return wrapable_; }
  void SetWrapable(bool Value);
  // The bar's height follows its rows of buttons.
  void SetAutoSize(bool Value) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Opens the button's menu item as a popup menu owned by the bar, below the button; returns when
  // the menu has closed.
  void TrackMenu(TToolButton* Button);
  // The button whose menu is open, or null.
  TToolButton* MenuButton() const { return menuButton_; }

  TTBCustomDrawEvent OnCustomDraw;
  TTBCustomDrawBtnEvent OnCustomDrawButton;

 protected:
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Paint() override;
  // Alt and a button's accelerator open the button's menu (or click it).
  void CMDialogChar(TMessage& Message);
  // Opens the menu of (or clicks) the button whose accelerator Key is; false when none has it.
  bool DoAccelerator(Word Key);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
  MESSAGE_MAP_END

 private:
  void ButtonsChanged();
  bool flat_ = false;
  TCustomImageList* images_ = nullptr;
  std::unique_ptr<TChangeLink> imageLink_;
  int buttonWidth_ = 23;
  int buttonHeight_ = 22;
  bool showCaptions_ = false;
  bool wrapable_ = false;
  // The button whose menu is open.
  TToolButton* menuButton_ = nullptr;
};
