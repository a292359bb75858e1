#pragma once
// The navigation pane's input: clicks on the overflow icons and sign, the header's collapse sign,
// the splitter drag that shows more or fewer group buttons, the collapsed strip; collapsing by sign
// or by width; and the popup that shows the whole pane beside a collapsed strip. The popup hosts a
// private bar that mirrors the collapsed bar's active group and copies its links back on closing.

#include "ui/foundation/PopupWindow.h"
#include "ui/navbar/NavBarBaseViews.h"
#include "ui/navbar/NavPaneViewInfo.h"

class TdxNavBarPopupControl;

class TdxNavBarNavigationPaneController : public TdxNavBarNavigationBarController {
  DECLARE_CLASS(TdxNavBarNavigationPaneController, TdxNavBarNavigationBarController)
 public:
  explicit TdxNavBarNavigationPaneController(TdxCustomNavBar* ANavBar);
  ~TdxNavBarNavigationPaneController() override;

  TdxNavBarNavigationPaneViewInfo* PaneViewInfo() const;
  // Null until first shown.
  TdxNavBarPopupControl* Popup() const { return popup_; }
  // The part whose menu or popup is open; nbNone when none.
  TdxNavBarPartRef DropDownPart = nbNone;
  // The last mouse-down closed the popup.
  bool PopupMouseDown = false;

  void PartAt(const TPoint& P, TdxNavBarPartRef& APart) override;
  bool CanFocusOnClick(const TPoint& P) override;
  TCursor CustomCursor() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, const TPoint& P) override;
  void MouseMove(TShiftState Shift, const TPoint& P) override;
  void MouseLeave() override;
  void DoPartClick(const TdxNavBarPartRef& APart) override;
  void HotPartChanged(const TdxNavBarPartRef& APart) override;
  void PressedPartChanged(const TdxNavBarPartRef& APart) override;
  void PrepareHint(THintInfo& AHintInfo) override;
  void CheckBounds(int& ALeft, int& ATop, int& AWidth, int& AHeight) override;

  virtual void PrepareOverflowHint(THintInfo& AHintInfo);
  // The hint of a pane part (accelerator marks removed).
  String PaneHintText(const TdxNavBarPartRef& APart);
  void ClosePopup();
  // Only with an active group.
  void ShowPopup();
  // 0 none, 1 hot, 2 pressed, 3 active, 4 active hot, 5 dropped down.
  int PartState(const TdxNavBarPartRef& APart);
  // Rebuilds the customization menu and shows it at the screen point; the mouse path marks the
  // overflow sign as dropped down while the menu is open.
  void ShowCustomizeMenu(const TPoint& AScreenPoint, bool AMarkDropDown);
  // Opens the popup from the strip caption: not while it is open, nor for the press that closed it.
  void OpenPopupFromStrip();

 private:
  TdxNavBarPopupControl* popup_ = nullptr;
};

// The bar inside the popup.
class TdxNavBarPopupInnerControl : public TdxCustomNavBar {
  DECLARE_CLASS(TdxNavBarPopupInnerControl, TdxCustomNavBar)
 public:
  explicit TdxNavBarPopupInnerControl(TdxNavBarPopupControl* APopup);
  TdxCustomNavBar* MasterBar() const { return masterBar_; }
  bool IsPopupNavBar() override { return true; }
  // The master's view, view style, options and items; the active group's links as links to the
  // items of the same index, each remembering its master link in Data; the group settings.
  void CopyFromMaster();
  // New links get master links, master links follow the own order, surplus master links go.
  void CopyBackToMaster();

 private:
  TdxCustomNavBar* masterBar_;
};

// Copies a group's settings between the active groups of two bars (its control moves along).
void CopyNavPaneGroupSettings(TdxCustomNavBar* ASource, TdxCustomNavBar* ATarget, bool AFromMaster);

class TdxNavBarPopupControl : public TcxCustomPopupWindow {
  DECLARE_CLASS(TdxNavBarPopupControl, TcxCustomPopupWindow)
 public:
  explicit TdxNavBarPopupControl(TdxCustomNavBar* AMasterBar);
  ~TdxNavBarPopupControl() override;

  TdxCustomNavBar* MasterBar() const { return masterBar_; }
  TdxNavBarPopupInnerControl* InnerBar() const { return innerBar_; }
  TdxNavBarPopupControlViewInfo* PopupViewInfo() const { return viewInfo_; }
  int PopupWidth = 0;
  bool Sizing() const { return sizing_; }
  bool MouseOverSizingEdge = false;
  TcxSizeFrame* SizeFrame() const { return sizeFrame_; }

  void ShowPopup(TWinControl* AFocusedControl) override;
  void ClosePopup() override;
  bool HandlesHookedMessage(HWND Window, UINT Msg, const TPoint& Pt, TShiftState Shift) override;
  void TakeOwnerFont() override;
  void AdjustSize() override;
  void CalculatePosition(TPoint& P) override;
  // Sizing, in the popup's client coordinates.
  void BeginSizing(const TPoint& P);
  void MoveSizing(const TPoint& P);
  void EndSizing(bool ACancel);

 protected:
  void Paint() override;
  void FireShowed() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  TdxCustomNavBar* masterBar_;
  TdxNavBarPopupInnerControl* innerBar_ = nullptr;
  TdxNavBarPopupControlViewInfo* viewInfo_ = nullptr;
  TcxSizeFrame* sizeFrame_ = nullptr;
  bool sizing_ = false;
  int sizingOffset_ = 0;
};

class TdxNavBarPopupInnerControlController : public TdxNavBarNavigationPaneController {
  DECLARE_CLASS(TdxNavBarPopupInnerControlController, TdxNavBarNavigationPaneController)
 public:
  using TdxNavBarNavigationPaneController::TdxNavBarNavigationPaneController;
  bool MouseOverSizingEdge = false;
  // Selects the link when allowed, closes the master's popup and clicks the master link.
  void DoLinkClick(TdxCustomNavBar* ANavBar, TdxNavBarItemLink* ALink) override;
  TCursor CustomCursor() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, const TPoint& P) override;
  void MouseMove(TShiftState Shift, const TPoint& P) override;

 private:
  TdxNavBarPopupControl* OwnerPopup() const;
};
