#pragma once
// A painted tool bar holding tool buttons in a row: buttons, check buttons (grouped ones latch
// exclusively), separators and dividers, with images from the bar's image list.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CONTROLS);

#include <memory>

#include "platform/framework/graphics/ImageList.h"
#include "platform/framework/controls/StdCtrls.h"

class TToolBar;

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
  bool MouseInControl() const { return mouseInControl_; }
  // Pressed by the mouse right now.
  bool Pressed() const { return pressed_; }
  void SetParent(TWinControl* AParent) override;
  void Click() override;

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
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Paint() override;

 private:
  void ButtonsChanged();
  bool flat_ = false;
  TCustomImageList* images_ = nullptr;
  std::unique_ptr<TChangeLink> imageLink_;
  int buttonWidth_ = 23;
  int buttonHeight_ = 22;
  bool showCaptions_ = false;
};
