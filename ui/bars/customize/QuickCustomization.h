#pragma once
// The quick-customization bar a toolbar's mark opens: the links cut off the toolbar and "&Add or
// Remove Buttons", whose menu lists every button of the toolbar with a check box (hide or show it
// at once), then "&Reset Toolbar" and "&Customize...".

#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/SubItems.h"
#include "ui/bars/SubMenuControl.h"

class TcxTimer;

// An entry with a check square at its left: the square, the button drawn right of it, then the
// check mark when checked.
class TdxCustomQuickCustItemControl : public TdxBarButtonControl {
  DECLARE_CLASS(TdxCustomQuickCustItemControl, TdxBarButtonControl)
 public:
  using TdxBarButtonControl::TdxBarButtonControl;
  void DrawContent(const TRect& R, int PaintType) override;
  // Room for the square (as wide as the entry is high).
  int Width() override;
  virtual bool IsChecked() const { return false; }
};

// One toolbar link: its caption, images, hint and shortcut; checked while the link is visible. A
// click keeps the menu open.
class TdxBarQuickCustItemControl : public TdxCustomQuickCustItemControl {
  DECLARE_CLASS(TdxBarQuickCustItemControl, TdxCustomQuickCustItemControl)
 public:
  using TdxCustomQuickCustItemControl::TdxCustomQuickCustItemControl;
  // The toolbar link the entry stands for (null when the entry holds none).
  TdxBarItemLink* RepresentedLink() const;
  void DoItemClick(bool ByMouse) override;
  String Caption() const override;
  TBitmap* Glyph() const override;
  int ImageIndex() const override;
  TCustomImageList* ImagesFor(Byte ViewSize) const override;
  String HintText() const override;
  TBitmap* LargeGlyph() const override;
  int LargeImageIndex() const override;
  TShortCut ShortCut() const override;
  bool ClosesMenusOnClick() const override { return false; }
  bool IsChecked() const override;
};

// "&Reset Toolbar" and "&Customize...": never checked.
class TdxBarQuickCustExtButtonControl : public TdxCustomQuickCustItemControl {
  DECLARE_CLASS(TdxBarQuickCustExtButtonControl, TdxCustomQuickCustItemControl)
 public:
  using TdxCustomQuickCustItemControl::TdxCustomQuickCustItemControl;
};

// The one button every entry links to; each entry link's Data holds the toolbar link it stands for.
class TdxBarQuickCustItem : public TdxBarButton {
  DECLARE_CLASS(TdxBarQuickCustItem, TdxBarButton)
 public:
  using TdxBarButton::TdxBarButton;
  // The represented link of the clicked entry changes its visibility.
  void Click() override;
};

class TdxBarQuickCustExtButton : public TdxBarButton {
  DECLARE_CLASS(TdxBarQuickCustExtButton, TdxBarButton)
 public:
  using TdxBarButton::TdxBarButton;
};

// "&Add or Remove Buttons": internal links, filled by its toolbar window when it opens.
class TdxBarQuickAccessItem : public TdxBarSubItem {
  DECLARE_CLASS(TdxBarQuickAccessItem, TdxBarSubItem)
 public:
  explicit TdxBarQuickAccessItem(TComponent* AOwner);
  ~TdxBarQuickAccessItem() override;
  // The toolbar window whose buttons the menu lists (held weakly).
  TdxBarControl* Toolbar() const;
  void SetToolbar(TdxBarControl* Window);
  // The previous list's items go, then the toolbar fills the list again.
  void Popup() override;
  TCustomdxBarControl* CreateBarControl() override;

 private:
  TcxObjectLink* toolbar_ = nullptr;
};

class TdxBarQuickAccessSubControl : public TdxBarSubMenuControl {
  DECLARE_CLASS(TdxBarQuickAccessSubControl, TdxBarSubMenuControl)
 public:
  using TdxBarSubMenuControl::TdxBarSubMenuControl;
  bool IsQuickCustomization() override { return true; }
};

// The bar window dropped from a toolbar's mark. It shows the links of a hidden internal toolbar,
// cannot be moved or sized, and closes through its toolbar's mark.
class TdxBarQuickControl : public TdxBarControl {
  DECLARE_CLASS(TdxBarQuickControl, TdxBarControl)
 public:
  // The internal toolbar is made in the manager's toolbars; the design controller's internal items
  // of the previous popup go first.
  explicit TdxBarQuickControl(TdxBarControl* ParentWindow);
  ~TdxBarQuickControl() override;

  TdxBarControl* ParentToolbar() const;
  // The parent window's items rectangle on the screen when the popup was made.
  TRect ParentRect;
  TcxTimer* LeaveTimer() const { return leaveTimer_; }
  // Called when the selection moves to another bar window.
  void StartLeaveTimer();
  // The timer's step: closes the popup when the manager's selected control lies in another bar window.
  void LeaveTimerTick();
  // The links' layout size with the frame.
  TSize PopupSize();
  // Below the mark's rectangle (right-aligned; left-aligned on a floating toolbar of a painter that
  // wants it), right of it on a vertical toolbar; inside the work area, not activated.
  void ShowAtMark(const TRect& MarkRect);

  // ---- answers as a bar window
  int BarKind() override { return 1; }
  bool HasFloatingCaption() override { return false; }
  bool IsPopupBar() override { return true; }
  bool IsQuickCustomization() override { return true; }
  bool InPopupChain() override { return true; }
  HBRUSH BackgroundBrush() override;
  // The close-up step: the parent's mark goes back to normal, which frees this window.
  void Close() override;

 protected:
  void WMNCHitTestQuick(TMessage& Message);
  void WMNCPaintQuick(TMessage& Message);
  void WMRButtonDownQuick(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTestQuick)
  MESSAGE_HANDLER(WM_NCPAINT, WMNCPaintQuick)
  MESSAGE_HANDLER(WM_RBUTTONDOWN, WMRButtonDownQuick)
  MESSAGE_MAP_END

 private:
  TdxBar* internalBar_ = nullptr;
  TcxTimer* leaveTimer_ = nullptr;
  bool mouseWasOver_ = false;
};

// The item and control classes of the quick-customization entries, in the item-class registry.
void RegisterQuickCustomizationItems();
