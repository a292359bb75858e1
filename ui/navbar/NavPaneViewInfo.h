#pragma once
// The navigation pane's layout (views 13 and 17): a header with the active group's caption and the
// collapse sign, the active group's links (the client view info), a splitter, one button per
// visible group and an overflow panel of small icon buttons for the groups that no longer fit, with
// its customization menu. Collapsed, the pane is a narrow strip with a vertical caption and the
// active group's links written vertically; the popup's view info sizes the window that shows the
// whole pane beside the strip.

#include <memory>
#include <vector>

#include "platform/framework/controls/Menus.h"
#include "platform/framework/graphics/ImageList.h"
#include "ui/navbar/NavBarAccessibility.h"
#include "ui/navbar/NavBarOfficeViews.h"

class TdxNavBarNavigationPaneViewInfo;
class TdxNavBarNavigationPanePainter;

// The pane's own parts, as the Major of a part reference (Minor = the index where it has one).
constexpr int nppOverflowSign = 0;
constexpr int nppOverflowItem = 1;
constexpr int nppHeaderSign = 2;
constexpr int nppSplitter = 3;
constexpr int nppStripItem = 4;
constexpr int nppStripCaption = 5;
inline bool IsNavPanePart(const TdxNavBarPartRef& APart) { return APart.Major >= 0 && APart.Major <= 5; }

// Resource strings of the pane (resources/navbar/NavBar.rc).
constexpr int sdxNavPaneCaption = 64963;          // "Navigation Pane"
constexpr int sdxNavPaneShowMoreButtons = 64964;  // "Show &More Buttons"
constexpr int sdxNavPaneShowFewerButtons = 64965; // "Show &Fewer Buttons"
constexpr int sdxNavPaneAddRemoveButtons = 64966; // "&Add or Remove Buttons"
constexpr int sdxNavPaneConfigureButtons = 64967; // "Configure buttons"
constexpr int sdxNavPaneExpand = 64968;           // "Expand Navigation Pane"
constexpr int sdxNavPaneMinimize = 64969;         // "Minimize Navigation Pane"
constexpr int sdxNavPaneClickToExpand = 64970;    // "Click to expand Navigation Pane"

// The common base of the pane's part view infos: the owning view info, its painter and bar.
class TdxNavBarNavigationPaneCustomViewInfo : public TdxNavBarCustomViewInfo {
  DECLARE_CLASS(TdxNavBarNavigationPaneCustomViewInfo, TdxNavBarCustomViewInfo)
 public:
  explicit TdxNavBarNavigationPaneCustomViewInfo(TdxNavBarNavigationPaneViewInfo* AViewInfo);
  TdxNavBarNavigationPaneViewInfo* ViewInfo() const { return viewInfo_; }
  TdxNavBarPainter* Painter() const;
  TdxCustomNavBar* NavBar() const;

 private:
  TdxNavBarNavigationPaneViewInfo* viewInfo_;
};

struct TdxNavBarOverflowPanelViewInfoItem {
  TdxNavBarGroup* Group = nullptr;
  TRect ImageBounds;
  TRect Bounds;
};

class TdxNavBarOverflowPanelViewInfo : public TdxNavBarNavigationPaneCustomViewInfo {
  DECLARE_CLASS(TdxNavBarOverflowPanelViewInfo, TdxNavBarNavigationPaneCustomViewInfo)
 public:
  using TdxNavBarNavigationPaneCustomViewInfo::TdxNavBarNavigationPaneCustomViewInfo;
  ~TdxNavBarOverflowPanelViewInfo() override;

  // Made on first request.
  IdxNavBarAccessibilityHelper* AccessibilityHelper();
  int ItemCount() const { return int(items_.size()); }
  TdxNavBarOverflowPanelViewInfoItem* Item(int Index) const { return items_.at(size_t(Index)).get(); }
  TRect Bounds;
  TRect SignBounds;
  // How many items are drawn as icons; the rest appear only in the customization menu.
  int VisibleItemCount = 0;

  virtual TdxNavBarAccessibilityHelperClass AccessibilityHelperClass();
  // 0 while the panel is hidden.
  virtual int Height();
  virtual int ItemPadding() { return 3; }
  virtual int SignWidth() { return 18; }
  virtual int VerticalPadding() { return 8; }
  virtual int MenuImagePadding() { return 3; }
  virtual int MenuTextIndent() { return 4; }
  virtual int SignSpacing() { return 0; }
  virtual TRect ContentMargins() { return {0, 1, 0, 1}; }

  void ComputeLayout(int X, int Y);
  void Offset(int DY);
  // The index of the drawn item at P, or -1.
  int ItemAt(const TPoint& P) const;
  // A new item at position 0.
  TdxNavBarOverflowPanelViewInfoItem* AddItem();
  void Clear();
  void ClearRects();
  int ImageHeight();
  int ImageWidth();
  TCustomImageList* Images();
  int ImageIndexOf(TdxNavBarGroup* AGroup);

 private:
  std::vector<std::unique_ptr<TdxNavBarOverflowPanelViewInfoItem>> items_;
  InterfacePtr<IdxNavBarAccessibilityHelper> accessibilityHelper_;
};

struct TdxNavBarItemPanelViewInfoItem {
  int Index = 0;
  TdxNavBarItemLink* ItemLink = nullptr;
  TFont* Font = nullptr;
  TRect Bounds;
  TRect TextBounds;
  TRect ImageBounds;
  TCustomImageList* ImageList = nullptr;
  int ImageIndex = -1;
};

// The client area of the active group, or, collapsed, the strip: its caption bar and one item per
// link of the active group.
class TdxNavBarItemPanelViewInfo : public TdxNavBarNavigationPaneCustomViewInfo {
  DECLARE_CLASS(TdxNavBarItemPanelViewInfo, TdxNavBarNavigationPaneCustomViewInfo)
 public:
  explicit TdxNavBarItemPanelViewInfo(TdxNavBarNavigationPaneViewInfo* AViewInfo);
  ~TdxNavBarItemPanelViewInfo() override;

  // Made with the panel and attached to the bar's root object.
  IdxNavBarAccessibilityHelper* AccessibilityHelper();
  virtual TdxNavBarAccessibilityHelperClass AccessibilityHelperClass();

  TdxNavBarGroup* CollapsedGroup = nullptr;
  TRect CollapseBarBounds;
  TRect Bounds;
  TdxNavBarGroupViewInfo* ActiveGroupViewInfo = nullptr;
  bool Collapsed = false;
  int ItemCount() const { return int(items_.size()); }
  TdxNavBarItemPanelViewInfoItem* Item(int Index) const { return items_.at(size_t(Index)).get(); }

  // Collapsed: the caption's text width (it is written vertically) and the padding; expanded: the
  // base view's minimum items height.
  int MinimumHeight();
  void ComputeLayout(int& X, int& Y);
  void Grow(int DY);
  String Caption();
  TFont* CaptionFont();
  TFont* ItemFont();
  int ItemAt(const TPoint& P) const;
  void FillItems();

 private:
  void LayoutItems();
  std::vector<std::unique_ptr<TdxNavBarItemPanelViewInfoItem>> items_;
  InterfacePtr<IdxNavBarAccessibilityHelper> accessibilityHelper_;
};

// The popup of a collapsed pane: its window size.
class TdxNavBarPopupControlViewInfo : public TdxNavBarNavigationPaneCustomViewInfo {
  DECLARE_CLASS(TdxNavBarPopupControlViewInfo, TdxNavBarNavigationPaneCustomViewInfo)
 public:
  using TdxNavBarNavigationPaneCustomViewInfo::TdxNavBarNavigationPaneCustomViewInfo;
  TRect Bounds;
  // The active group's links at AWidth plus the margins, never taller than MaxHeight (a group
  // hosting a control always takes MaxHeight).
  virtual void ComputeLayout(int AWidth);
  // Screen point: beside the collapsed strip, one pixel above the header's bottom.
  virtual TPoint Origin();
  virtual TRect Margins() { return {2, 2, 2, 2}; }
  // The bar's client height less two header heights, never less than the margins plus the base
  // view's minimum items height (a short bar would give a popup without height).
  virtual int MaxHeight();
  virtual int MinimumWidth();
  virtual bool IsOnSizingEdge(const TPoint& P);
};

class TdxNavBarNavigationPaneViewInfo : public TdxNavBarOffice3ViewInfo {
  DECLARE_CLASS(TdxNavBarNavigationPaneViewInfo, TdxNavBarOffice3ViewInfo)
 public:
  explicit TdxNavBarNavigationPaneViewInfo(TdxNavBarPainter* APainter);
  ~TdxNavBarNavigationPaneViewInfo() override;

  TRect SizeGripBounds;
  TRect HeaderBounds;
  TRect HeaderSignBounds;
  TRect HeaderTextBounds;
  TRect SplitterBounds;
  int MaxButtonImageWidth = 0;
  int MaxButtonImageHeight = 0;
  bool UniformButtonImageHeight = false;
  // The part view infos are made on first use (through the virtual class choices) and attach their
  // accessibility objects, with the pane's own two, to the bar's root object.
  TdxNavBarOverflowPanelViewInfo* OverflowPanel();
  TdxNavBarItemPanelViewInfo* ItemPanel();
  TPopupMenu* CustomizeMenu() const { return customizeMenu_; }
  TImageList* MenuImages() const { return menuImages_; }
  // 1 when the client view info of the active group exists, else 0.
  int FirstButtonIndex() const { return firstButtonIndex_; }
  int ButtonCount() const { return GroupCount() - firstButtonIndex_; }
  // The index in MenuImages of the first of the menu's own images (arrow up, arrow down, default).
  int MenuImageOrigin() const { return menuImageOrigin_; }

  IdxNavBarAccessibilityHelper* ActiveCaptionPanelHelper();
  IdxNavBarAccessibilityHelper* HeaderSignHelper();

  // The pane's own answers to the base view info's layout questions.
  TPoint GroupsOrigin() override { return {1, 0}; }
  TRect GroupEdges() override;
  int GroupCaptionHeightAddon() override { return 4; }
  int GroupImageIndent() override { return 4; }
  int DefaultSpaceBetweenGroups() override { return 0; }
  bool CanCollapse() override { return true; }
  bool ShowGroupCaptionImages() override { return true; }
  bool ShowGroupSigns() override { return false; }
  bool CanShowAsIconView() override { return false; }
  bool KeepGroupImageInsideCaption() override { return true; }
  TdxNavBarInvalidation ResizeInvalidation() override { return nbiRebuild; }
  int CollapsedWidth() override;
  int MinExpandedWidth() override { return 2 * CollapsedWidth(); }
  void CreateColors() override;
  void RefreshColors() override;
  void ReleaseColors() override;
  void CreateGroupInfos() override;
  void CalculateGroupsBounds(int X, int Y) override;
  void FitGroups() override;
  void RecreateInfos() override;
  void ClearRects() override;
  void CalculateScrollButtonRects() override;
  // Also the overflow panel's groups (expanded) and the collapsed strip's links.
  TdxNavBarGroup* GroupOfAccel(Word AKey) override;
  TdxNavBarItemLink* LinkOfAccel(Word AKey) override;
  TdxNavBarGroupViewInfo* GroupAtItems(const TPoint& P) override;
  int DropTargetAt(const TPoint& P, TdxNavBarGroup*& AGroup, TdxNavBarItemLink*& ANext,
                   TdxNavBarItemLink*& APrevious) override;
  void AssignBackgroundDefaults() override;
  void AssignButtonDefaults() override;
  void AssignGroupBackgroundDefaults() override;
  void AssignGroupHeaderDefaults() override;
  void AssignItemDefaults() override;
  void AssignItemDisabledDefaults() override;
  void AssignNavigationPaneHeaderDefaults() override;
  // clNone colours of the styles become the Office11 navigation-pane colours.
  TColor PaneHeaderBackColor() override;
  TColor PaneHeaderBackColor2() override;
  TColor PaneHeaderFontColor() override;
  TColor GroupHeaderDefaultBackColor() override;
  TColor GroupHeaderDefaultBackColor2() override;
  TColor TopScrollButtonBackColor() override;
  TColor TopScrollButtonBackColor2() override;
  TColor BottomScrollButtonBackColor() override;
  TColor BottomScrollButtonBackColor2() override;
  TColor SplitterBackColor() override;
  TColor SplitterBackColor2() override;
  Byte SplitterAlphaBlending() override;
  Byte SplitterAlphaBlending2() override;
  TdxBarStyleGradientMode SplitterGradientMode() override;

  virtual int HeaderHeight();
  virtual int SizeGripSize();
  virtual int SplitterHeight();
  virtual TRect HeaderSignMargins() { return {4, 0, 4, 0}; }
  virtual TRect HeaderTextMargins() { return {}; }
  virtual int HeaderTextIndent() { return 4; }
  virtual int BorderWidth() { return 1; }
  TColor BorderColor() override;
  virtual TColor CollapsedTextColor() { return BorderColor(); }
  virtual TdxNavBarOverflowPanelViewInfo* CreateOverflowPanel();
  virtual TdxNavBarAccessibilityHelperClass ActiveCaptionPanelHelperClass();
  virtual TdxNavBarAccessibilityHelperClass HeaderSignHelperClass();
  virtual void MoveGroupsToOverflow(int ACount, bool AClearFirst);
  virtual void CalculateHeader(int X, int& Y);
  virtual void CalculateSplitter(int X, int& Y);
  virtual void MeasureButtonImages();
  virtual void CalculateSizeGrip();
  // Rebuilds MenuImages and the menu's items (each time the overflow sign opens it).
  virtual void BuildCustomizeMenu();

  bool IsHeaderSignAt(const TPoint& P) const { return RectContainsPoint(HeaderSignBounds, P); }
  bool IsOverflowSignAt(const TPoint& P);
  bool IsSplitterAt(const TPoint& P) const { return RectContainsPoint(SplitterBounds, P); }
  // The splitter thresholds, measured from the splitter's vertical centre: more than half the
  // splitter height plus the first button's height (20 without buttons) above, or below.
  bool IsAboveShrinkThreshold(const TPoint& P);
  bool IsBelowGrowThreshold(const TPoint& P);
  int OverflowItemCount() { return OverflowPanel()->ItemCount(); }
  int OverflowVisibleItemCount() { return OverflowPanel()->VisibleItemCount; }
  TdxNavBarOverflowPanelViewInfoItem* OverflowItem(int Index) { return OverflowPanel()->Item(Index); }
  TRect OverflowBounds() { return OverflowPanel()->Bounds; }
  TRect OverflowSignBounds() { return OverflowPanel()->SignBounds; }
  IdxNavBarAccessibilityHelper* AccessibilityHelperOfPart(const TdxNavBarPartRef& APart);

  // The menu's item event handlers (bound to the menu items when built).
  void MenuMeasureItem(TObject* Sender, TCanvas* ACanvas, int& AWidth, int& AHeight);
  void MenuDrawItem(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState AState);

 protected:
  // Takes the group view info at AIndex out of the list and frees it.
  void DeleteGroupInfo(int AIndex);

 private:
  int ThresholdDistance();
  void EnsureParts();
  int firstButtonIndex_ = 0;
  int menuImageOrigin_ = 0;
  bool colorsHeld_ = false;
  TdxNavBarOverflowPanelViewInfo* overflowPanel_ = nullptr;
  TdxNavBarItemPanelViewInfo* itemPanel_ = nullptr;
  TPopupMenu* customizeMenu_ = nullptr;
  TImageList* menuImages_ = nullptr;
  InterfacePtr<IdxNavBarAccessibilityHelper> activeCaptionPanelHelper_;
  InterfacePtr<IdxNavBarAccessibilityHelper> headerSignHelper_;
};

// The Office11 navigation pane (view 13) uses the pane's classes unchanged.
class TdxNavBarOffice11NavPaneViewInfo : public TdxNavBarNavigationPaneViewInfo {
  DECLARE_CLASS(TdxNavBarOffice11NavPaneViewInfo, TdxNavBarNavigationPaneViewInfo)
 public:
  using TdxNavBarNavigationPaneViewInfo::TdxNavBarNavigationPaneViewInfo;
};

// A group of the pane: the client view info (links, no caption) or a group button (caption only).
// Caption colours left at clNone come from the Office11 navigation-pane colours by state.
class TdxNavBarNavigationPaneGroupViewInfo : public TdxNavBarGroupViewInfo {
  DECLARE_CLASS(TdxNavBarNavigationPaneGroupViewInfo, TdxNavBarGroupViewInfo)
 public:
  using TdxNavBarGroupViewInfo::TdxNavBarGroupViewInfo;
  TColor HeaderBackColor() override;
  TColor HeaderBackColor2() override;
  Byte HeaderAlphaBlending() override;
  Byte HeaderAlphaBlending2() override;
  TdxBarStyleGradientMode HeaderGradientMode() override;
  TColor HeaderBorderColor() override;

 private:
  bool StyleColorsNone();
  void StateColors(TColor& AColor1, TColor& AColor2);
};

class TdxNavBarOffice11NavPaneGroupViewInfo : public TdxNavBarNavigationPaneGroupViewInfo {
  DECLARE_CLASS(TdxNavBarOffice11NavPaneGroupViewInfo, TdxNavBarNavigationPaneGroupViewInfo)
 public:
  using TdxNavBarNavigationPaneGroupViewInfo::TdxNavBarNavigationPaneGroupViewInfo;
};

// The colour pair of a pane part's state (1 hot, 2 pressed, 3 active, 4 active hot, 5 dropped
// down); false for state 0 (nothing drawn).
bool NavPaneStateColors(int AState, TColor& AColor1, TColor& AColor2);
