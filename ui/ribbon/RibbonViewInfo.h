#pragma once
// The ribbon's layout: from its client rectangle, its settings and the skin's metrics the view info
// places the application button, the quick-access toolbar, the tab headers with their scroll
// buttons, the help and MDI buttons and the groups area, gives the ribbon its height, answers hit
// tests and paints the ribbon in a fixed order through the ribbon painter. Sizes are for 96 pixels
// per inch; the application button's are scaled to the screen.

#include <array>
#include <memory>
#include <vector>

#include "platform/framework/graphics/Graphics.h"
#include "ui/foundation/Canvas.h"

class TdxCustomRibbon;
class TdxRibbonPainter;
class TdxRibbonTab;
class TdxRibbonTabPainter;
class TdxRibbonTabsViewInfo;
class TdxRibbonViewInfo;

// What lies under a point of the ribbon.
enum TdxRibbonHitTest {
  rhtNone = 0,
  rhtTab = 1,
  rhtApplicationButton = 2,
  rhtTabScrollLeft = 3,
  rhtTabScrollRight = 4,
  rhtGroupsScrollLeft = 5,
  rhtGroupsScrollRight = 6,
  rhtHelpButton = 7,
  rhtMDIMinimizeButton = 8,
  rhtMDIRestoreButton = 9,
  rhtMDICloseButton = 10,
};

struct TdxRibbonHitInfo {
  int Kind = rhtNone;
  TdxRibbonTab* Tab = nullptr;
};

// One tab header.
class TdxRibbonTabViewInfo {
 public:
  TdxRibbonTabViewInfo(TdxRibbonTabsViewInfo* AOwner, TdxRibbonTab* ATab);
  virtual ~TdxRibbonTabViewInfo();

  // TextWidth, OptimalWidth (text + 27) and MinWidth (the first three characters + 10, at least 27).
  virtual void CalculateWidths();
  virtual void ComputeLayout(const TRect& R, int SeparatorAlpha);
  // 0 normal, 1 hot or active without the groups, 2 active, 3 active and hot, 4 keyboard-selected.
  virtual int StateOf();
  // The tab-header font's state: 3 the active tab with its groups, 2 another tab drawn above state 0.
  int FontState();
  void Paint(TcxCanvas* Canvas);

  TdxRibbonTab* Tab() const { return tab_; }
  TdxRibbonTabPainter* Painter() const { return painter_.get(); }
  bool HasSeparator = false;
  int MinWidth = 0;
  int OptimalWidth = 0;
  int TextWidth = 0;
  int SeparatorAlpha = 0;
  int Width = 0;
  TRect Bounds;
  TRect TextBounds;
  TRect SeparatorBounds;

 private:
  TdxRibbonTabsViewInfo* owner_;
  TdxRibbonTab* tab_;
  std::unique_ptr<TdxRibbonTabPainter> painter_;
};

// The tab strip: one view info per visible tab; the widths fit the strip as they are, compressed
// (separators fade in, padding goes) or, when even the least widths do not fit, scrolled.
class TdxRibbonTabsViewInfo {
 public:
  explicit TdxRibbonTabsViewInfo(TdxRibbonViewInfo* AOwner) : owner_(AOwner) {}
  ~TdxRibbonTabsViewInfo();

  // Makes one view info per visible tab, in collection order.
  void Rebuild();
  // Forgets the view info of a tab that leaves the ribbon.
  void Remove(TdxRibbonTab* Tab);
  void ComputeLayout(const TRect& R);
  TdxRibbonHitInfo HitTest(const TPoint& P) const;
  void Paint(TcxCanvas* Canvas);
  // Scrolls the strip so that the tab shows whole; lays the ribbon out again when it moved.
  void MakeTabVisible(TdxRibbonTab* Tab);
  // Scrolls by Delta pixels (clamped); lays the ribbon out again when it moved.
  void ScrollBy(int Delta);

  int Count() const { return int(items_.size()); }
  TdxRibbonTabViewInfo* Item(int Index) const { return items_[Index].get(); }
  TdxRibbonTabViewInfo* Find(TdxRibbonTab* Tab) const;
  TdxRibbonViewInfo* Owner() const { return owner_; }
  TRect Bounds;
  bool HasButtonsAfter = false;
  bool Scrolling = false;
  // Bit 0: the left button shows; bit 1: the right one.
  int ScrollButtons = 0;
  std::array<TRect, 2> ScrollButtonBounds{};
  int ScrollOffset = 0;
  int MaxScrollOffset = 0;
  int SeparatorAlpha = 0;
  int TotalMinWidth = 0;
  int TotalOptimalWidth = 0;
  // The scroll button held down or under the mouse (0 left, 1 right, -1 none), from the controller.
  int PressedScrollButton() const;
  int HotScrollButton() const;
  // The strip between the scroll buttons.
  TRect TabsArea() const;

 private:
  void CalculateOptimal();
  void CalculateScrolled();
  void CalculateCompressed();
  // Lays the tabs out one after the other from Left with their widths.
  void PlaceTabs(int Left);
  TdxRibbonViewInfo* owner_;
  std::vector<std::unique_ptr<TdxRibbonTabViewInfo>> items_;
};

class TdxRibbonViewInfo {
 public:
  explicit TdxRibbonViewInfo(TdxCustomRibbon* ARibbon);
  virtual ~TdxRibbonViewInfo();

  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  TdxRibbonTabsViewInfo* Tabs() const { return tabs_.get(); }
  TdxRibbonPainter* Painter() const;

  // Lays the ribbon out in R (its client rectangle) and sets its height.
  virtual void ComputeLayout(const TRect& R);
  TdxRibbonHitInfo HitTest(int X, int Y) const;
  TdxRibbonTab* TabAtPoint(int X, int Y) const;
  void Paint(TcxCanvas* Canvas);
  // The pixel width of a text in a font; the tab layout measures through it.
  virtual int TextWidth(TFont* Font, const String& Text);

  // ---- the element tests (Force ignores Hidden)
  bool AreTabHeadersVisible(bool Force = false) const;
  bool HasBarManager(bool Force = false) const;
  bool IsQuickAccessVisible(bool Force = false) const;
  bool IsQuickAccessBelow() const;
  bool IsQuickAccessInCaption() const;
  bool IsApplicationButtonVisible(bool Force = false) const;
  bool AreGroupsShown(bool Force = false) const;
  bool IsHelpButtonVisible() const;
  bool AreMDIButtonsVisible() const;
  bool IsFormActive() const;
  bool ShouldBeHidden() const;
  bool PaintsFormFrame() const { return paintsFormFrame_; }
  bool UseGlass() const { return useGlass_; }
  int TabScrollButtonWidth() const { return GetTabsHeight() / 2 + 1; }

  // ---- the laid-out rectangles
  const TRect& Bounds() const { return bounds_; }
  const TRect& ApplicationButtonArea() const { return applicationButtonArea_; }
  const TRect& ApplicationButtonBounds() const { return applicationButtonBounds_; }
  const TRect& CaptionTextBounds() const { return captionTextBounds_; }
  const TRect& HelpButtonBounds() const { return helpButtonBounds_; }
  // The groups area of the active tab (the groups site's bounds) and the dock control's rectangle
  // inside it, in the site's own coordinates.
  const TRect& GroupsAreaBounds() const { return groupsAreaBounds_; }
  const TRect& GroupsDockBounds() const { return groupsDockBounds_; }
  // Minimise, restore, close.
  const std::array<TRect, 3>& MDIButtonBounds() const { return mdiButtonBounds_; }
  const TSize& QuickAccessSize() const { return quickAccessSize_; }
  const TRect& QuickAccessBounds() const { return quickAccessBounds_; }
  bool DesignPlaceholder() const { return designPlaceholder_; }
  int RibbonHeight() const { return ribbonHeight_; }

  // ---- positions
  int GetTabsHeight() const;
  int GetTabsTop() const;
  int GetCaptionAreaHeight() const;
  TRect GetTabsBounds() const;
  // Force: the height the groups take also while they are not shown (the minimised ribbon's popup).
  TRect GetGroupsAreaBounds(bool Force = false) const;
  int GetGroupsAreaHeight(bool Force) const;
  TRect GetGroupsDockMargins() const { return TRect{4, 3, 4, 4}; }
  TRect GetGroupsDockBounds() const;
  int GetRibbonHeight();
  TRect GetQuickAccessMargins() const;
  int GetQuickAccessLeft() const;
  int GetQuickAccessTop() const;
  int GetQuickAccessWidth() const;
  int GetQuickAccessHeight() const;
  int GetQuickAccessMaxWidth() const;
  TRect GetQuickAccessBounds() const;
  TRect GetQuickAccessToolbarBounds() const;
  // The state of an element kind from the controller's hot and pressed kinds.
  int ElementState(int Kind) const;
  // An MDI button's state (Index 0 minimise, 1 restore, 2 close): 3 when the maximised child's
  // system menu has the command disabled (restore is always enabled), else ElementState.
  int MDIButtonState(int Index) const;
  // Repaint the help button's square, the MDI buttons' span or the tab strip.
  void InvalidateHelpButton() const;
  void InvalidateMDIButtons() const;
  void InvalidateTabs() const;
  int GetApplicationButtonState() const;
  // The controller's hot and pressed element kinds (TdxRibbonHitTest).
  int HotKind() const;
  int PressedKind() const;

 protected:
  virtual void CalculateApplicationButton();
  virtual void CalculateQuickAccessToolbar();
  virtual void CalculateGroupsArea();
  virtual void CalculateTabs();
  void CalculateMDIButtons();
  void CalculateHelpButton();
  void SetRibbonHeight(int Value);

 private:
  // The row of the MDI and help buttons: the tab strip's height less 2, at the tabs' top.
  TRect ButtonRow() const;
  void InvalidateRect(const TRect& R) const;
  TdxCustomRibbon* ribbon_;
  std::unique_ptr<TdxRibbonTabsViewInfo> tabs_;
  TRect bounds_;
  TRect applicationButtonArea_;
  TRect applicationButtonBounds_;
  TRect captionTextBounds_;
  TRect helpButtonBounds_;
  TRect groupsAreaBounds_;
  TRect groupsDockBounds_;
  std::array<TRect, 3> mdiButtonBounds_{};
  TSize quickAccessSize_{0, 0};
  TRect quickAccessBounds_;
  bool paintsFormFrame_ = false;
  bool useGlass_ = false;
  bool designPlaceholder_ = false;
  int ribbonHeight_ = 0;
};
