#pragma once
// The layout of a navigation bar: one object per shown group and per shown link with their
// rectangles and states, the scroll-button rectangles, the hint rectangle and text, and the virtual
// metrics and style values each view overrides. The painter owns it, rebuilds it on nbiRebuild and
// lays it out again on nbiRelayout; the controller asks it for hit tests.

#include <vector>

#include "ui/foundation/Canvas.h"
#include "ui/navbar/NavBar.h"

class TdxNavBarViewInfo;
class TdxNavBarGroupViewInfo;
class TdxNavBarLinkViewInfo;

// Link bounds are computed by a calculator class (a class operation, no instance).
class TdxNavBarCustomGroupItemCalculatorMetaClass : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;
  virtual void CalculateBounds(int X, int Y, TdxNavBarLinkViewInfo* ALinkViewInfo) const = 0;
  template <class Self>
  class Of;
};

class TdxNavBarCustomGroupItemCalculator : public TObject {
 public:
  using MetaClass = TdxNavBarCustomGroupItemCalculatorMetaClass;
  DECLARE_CLASS(TdxNavBarCustomGroupItemCalculator, TObject)
 public:
  static void CalculateBounds(int X, int Y, TdxNavBarLinkViewInfo* ALinkViewInfo) {
    (void)X, (void)Y, (void)ALinkViewInfo;
  }
};

template <class Self>
class TdxNavBarCustomGroupItemCalculatorMetaClass::Of : public TdxNavBarCustomGroupItemCalculatorMetaClass {
 public:
  using TdxNavBarCustomGroupItemCalculatorMetaClass::TdxNavBarCustomGroupItemCalculatorMetaClass;
  void CalculateBounds(int X, int Y, TdxNavBarLinkViewInfo* ALinkViewInfo) const override {
    Self::CalculateBounds(X, Y, ALinkViewInfo);
  }
};

// The base layout of a link: icon view, a row with a small image, or a large image over the caption.
class TdxNavBarItemCalculator : public TdxNavBarCustomGroupItemCalculator {
  DECLARE_CLASS(TdxNavBarItemCalculator, TdxNavBarCustomGroupItemCalculator)
 public:
  static void CalculateBounds(int X, int Y, TdxNavBarLinkViewInfo* ALinkViewInfo);
};

// ---- view-info objects ------------------------------------------------------------------------

class TdxNavBarCustomViewInfo : public TObject {
  DECLARE_CLASS(TdxNavBarCustomViewInfo, TObject)
 public:
  TdxNavBarCustomViewInfo();
  // max(screen pixels per inch / 96, 1), fixed at construction.
  double ScaleRatio() const { return scaleRatio_; }
  int ScaleValue(int AValue) const;

 private:
  double scaleRatio_;
};

class TdxNavBarCustomItemViewInfo : public TdxNavBarCustomViewInfo {
  DECLARE_CLASS(TdxNavBarCustomItemViewInfo, TdxNavBarCustomViewInfo)
 public:
  explicit TdxNavBarCustomItemViewInfo(TdxNavBarViewInfo* AOwnerViewInfo);
  ~TdxNavBarCustomItemViewInfo() override;

  TdxNavBarViewInfo* OwnerViewInfo() const { return ownerViewInfo_; }
  TdxNavBarPainter* Painter() const { return painter_; }
  TdxCustomNavBar* NavBar() const { return navBar_; }

  virtual TdxNavBarCustomItem* Component() const = 0;
  virtual TCustomImageList* ImageList();
  virtual TdxNavBarItemStates State() { return {}; }
  virtual bool UseDisabledImages();
  virtual bool UseHotImages();
  virtual bool UsesLargeImages() { return false; }
  virtual void Offset(int DX, int DY);
  virtual int ImageIndex();

  // Client coordinates.
  TRect CaptionRect;
  TRect DesignRect;
  TRect ImageRect;
  TRect FocusRect;
  TRect Rect;

 protected:
  TFont* TextFont() const { return textFont_; }

 public:
  // A square of ASize centred in the right-most 20 px of R at design time; else empty.
  static TRect DesignMarkRectOf(TdxCustomNavBar* ANavBar, const TRect& R, int ASize);

 private:
  bool IsHotState();
  TdxNavBarViewInfo* ownerViewInfo_;
  TdxNavBarPainter* painter_;
  TdxCustomNavBar* navBar_;
  TFont* textFont_;
};

class TdxNavBarLinkViewInfo : public TdxNavBarCustomItemViewInfo {
  DECLARE_CLASS(TdxNavBarLinkViewInfo, TdxNavBarCustomItemViewInfo)
 public:
  TdxNavBarLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink, bool AImageVisible,
                        bool ACaptionVisible);

  TdxNavBarGroupViewInfo* GroupViewInfo() const { return groupViewInfo_; }
  TdxNavBarItemLink* Link() const { return link_; }
  TdxNavBarItem* Item() const { return item_; }
  bool ImageShown;
  bool CaptionShown;

  TdxNavBarCustomItem* Component() const override;
  TdxNavBarItemStates State() override;
  bool UsesLargeImages() override;

  virtual void CalculateBounds(int X, int Y);
  // Text height of Font + 4.
  virtual int CaptionHeight();
  // Small images: vertical centre and single line; large images: centre and word break.
  virtual int CaptionDrawFlags();
  virtual int ImageHeight();
  virtual int ImageWidth();
  virtual TdxNavBarStyleItem* CustomStyle();
  virtual TdxNavBarBaseStyle* DefaultStyle();
  virtual TFont* Font();
  virtual TColor FontColor();
  // ImageRect inflated by 2.
  virtual TRect ImageFrameRect();

 private:
  TdxNavBarGroupViewInfo* groupViewInfo_;
  TdxNavBarItemLink* link_;
  TdxNavBarItem* item_;
};

class TdxNavBarGroupViewInfo : public TdxNavBarCustomItemViewInfo {
  DECLARE_CLASS(TdxNavBarGroupViewInfo, TdxNavBarCustomItemViewInfo)
 public:
  TdxNavBarGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup, bool AItemsVisible,
                         bool ACaptionVisible);
  ~TdxNavBarGroupViewInfo() override;

  TdxNavBarGroup* Group() const { return group_; }
  int LinkCount() const { return int(linkInfos_.size()); }
  TdxNavBarLinkViewInfo* LinkAt(int Index) const { return linkInfos_.at(size_t(Index)); }
  int IndexOfLink(const TdxNavBarLinkViewInfo* AInfo) const;
  // The link's view info, or null when it is not laid out.
  TdxNavBarLinkViewInfo* LinkViewInfoOf(const TdxNavBarItemLink* ALink) const;
  bool CaptionShown;
  bool LinksShown;
  TRect SignRect;
  TRect CaptionTextRect;
  TRect ItemsRect;

  // Derived answers.
  bool IsCaptionVisible();
  bool IsItemsVisible();
  bool IsSmallImages();
  bool IsLinksUseSmallImages();
  bool IsIconView();
  // The group's control when it shows one, else null.
  TdxNavBarGroupControl* ShownControl();

  TdxNavBarCustomItem* Component() const override;
  TdxNavBarItemStates State() override;
  bool UsesLargeImages() override { return !IsSmallImages(); }
  void Offset(int DX, int DY) override;

  virtual void CreateLinks();
  virtual void ItemsClientRect(TRect& R);
  virtual void AdjustControl();
  virtual void RecreateLinks();
  virtual void CalculateBounds(int X, int& Y);
  // Widens Rect and ItemsRect, then scrolls the links so that TopVisibleLinkIndex is on top.
  virtual void AdjustBounds(int DX, int DY);
  virtual int CaptionHeight();
  virtual int CaptionDrawFlags();
  virtual int ImageHeight();
  virtual int ImageWidth();
  virtual TColor BorderColor();
  virtual TPicture* BackgroundImage();
  virtual TColor BackgroundBackColor();
  virtual TColor BackgroundBackColor2();
  virtual Byte BackgroundAlphaBlending();
  virtual Byte BackgroundAlphaBlending2();
  virtual TdxBarStyleGradientMode BackgroundGradientMode();
  virtual TdxNavBarStyleItem* HeaderCustomStyle();
  virtual TdxNavBarBaseStyle* HeaderDefaultStyle();
  virtual TPicture* HeaderImage();
  virtual TColor HeaderBorderColor() { return clNone; }
  virtual TColor HeaderBackColor();
  virtual TColor HeaderBackColor2();
  virtual Byte HeaderAlphaBlending();
  virtual Byte HeaderAlphaBlending2();
  virtual TdxBarStyleGradientMode HeaderGradientMode();
  virtual TFont* HeaderFont();
  virtual TColor HeaderFontColor();
  virtual TColor SignForeColor() { return HeaderFontColor(); }
  virtual TdxBarStyleHAlignment HeaderHAlignment();
  virtual TdxBarStyleVAlignment HeaderVAlignment();
  virtual TPicture* ControlImage();
  virtual TColor ControlBackColor();
  virtual TColor ControlBackColor2();
  virtual Byte ControlAlphaBlending();
  virtual Byte ControlAlphaBlending2();
  virtual TdxBarStyleGradientMode ControlGradientMode();

 protected:
  void ClearLinks();
  void AddLink(TdxNavBarLinkViewInfo* AInfo) { linkInfos_.push_back(AInfo); }

 private:
  const TdxNavBarBaseStyle* Header(TdxBarStyleAssignedValue AValue);
  const TdxNavBarBaseStyle* Background(TdxBarStyleAssignedValue AValue);
  const TdxNavBarBaseStyle* ControlStyle(TdxBarStyleAssignedValue AValue);
  bool ControlFallsBack();
  void LayoutLinks(int X);
  TdxNavBarGroup* group_;
  std::vector<TdxNavBarLinkViewInfo*> linkInfos_;
};

// Scroll-button state flags.
constexpr int dxNavBarScrollButtonDisabled = 2;
constexpr int dxNavBarScrollButtonHot = 8;
constexpr int dxNavBarScrollButtonPressed = 16;

class TdxNavBarViewInfo : public TdxNavBarCustomViewInfo {
  DECLARE_CLASS(TdxNavBarViewInfo, TdxNavBarCustomViewInfo)
 public:
  explicit TdxNavBarViewInfo(TdxNavBarPainter* APainter);
  ~TdxNavBarViewInfo() override;

  TdxNavBarPainter* Painter() const { return painter_; }
  TdxCustomNavBar* NavBar() const { return navBar_; }
  int GroupCount() const { return int(groupInfos_.size()); }
  TdxNavBarGroupViewInfo* GroupAt(int Index) const { return groupInfos_.at(size_t(Index)); }
  const TRect& TopScrollRect() const { return topScrollRect_; }
  const TRect& BottomScrollRect() const { return bottomScrollRect_; }
  TRect HintRect;
  String HintText;

  // The whole layout: ClearRects, groups from GroupsOrigin, FitGroups, AdjustGroupControls.
  void CalculateBounds();
  TdxNavBarGroupViewInfo* ActiveGroupViewInfo();
  TdxNavBarGroupViewInfo* GroupViewInfoOf(const TdxNavBarGroup* AGroup) const;
  TdxNavBarLinkViewInfo* LinkViewInfoOf(const TdxNavBarItemLink* ALink) const;
  int IndexOf(const TdxNavBarGroupViewInfo* AInfo) const;
  int ClientWidth();
  int ClientHeight();
  // The bar's option when above 0, else DefaultSpaceBetweenGroups.
  int SpaceBetweenGroups();
  int TopScrollButtonState();
  int BottomScrollButtonState();
  int PaneHeaderDrawFlags();
  // Of the bar's lists; 32 and 16 when a list is missing.
  int LargeImageWidth();
  int LargeImageHeight();
  int SmallImageWidth();
  int SmallImageHeight();
  // Fills default style AIndex with the view's values (one of the 20 Assign...Defaults).
  void AssignDefaultStyle(int AIndex);

  virtual void CreateColors() {}
  virtual void RefreshColors() {}
  virtual void ReleaseColors() {}
  virtual TRect GroupEdges() { return {}; }
  virtual int GroupCaptionHeightAddon() { return 6; }
  virtual int GroupImageTextSpace() { return 4; }
  virtual int GroupImageIndent() { return 0; }
  virtual int DefaultSpaceBetweenGroups() { return 0; }
  virtual TSize GroupSignSize() { return {16, 16}; }
  virtual TPoint GroupsOrigin() { return {0, 0}; }
  virtual int LinksPadding() { return 8; }
  virtual int LargeLinkPadding() { return 6; }
  virtual int SmallLinkPadding() { return 6; }
  virtual TRect LinkImageEdges() { return {4, 4, 4, 4}; }
  virtual int CollapsedWidth() { return 0; }
  virtual int MinExpandedWidth() { return 0; }
  virtual int ScrollButtonVertIndent() { return 6; }
  virtual int ScrollButtonHorzIndent() { return 6; }
  virtual int ScrollButtonHeight() { return 16; }
  virtual int ScrollButtonWidth() { return 16; }
  virtual bool CanCollapse() { return false; }
  virtual bool ShowsActiveGroup() { return true; }
  virtual bool CanHaveSpecialGroup() { return false; }
  virtual bool ScrollButtonsOverlapCaptions() { return false; }
  virtual bool ShowGroupCaptionImages() { return false; }
  virtual bool ShowGroupSigns() { return false; }
  virtual bool CanShowAsIconView() { return true; }
  virtual bool AllowHideGroupCaption() { return false; }
  virtual bool GroupShowsLinks(TdxNavBarGroup* AGroup);
  virtual bool KeepGroupImageInsideCaption() { return false; }
  virtual bool AllowLargeGroupImages() { return true; }
  virtual bool AllowLargeLinkImages() { return true; }
  virtual bool LinkHitWholeRow() { return false; }
  virtual void AdjustGroupControls();
  virtual void FitGroups() {}
  virtual TdxNavBarInvalidation ResizeInvalidation() { return nbiRelayout; }
  virtual void TopScrollButtonRect(TRect& R);
  virtual void BottomScrollButtonRect(TRect& R);
  virtual void CreateGroupInfos();
  virtual void CalculateGroupsBounds(int X, int Y);
  virtual bool IsGroupOpen(TdxNavBarGroup* AGroup) { (void)AGroup; return false; }
  virtual void ToggleGroup(TdxNavBarGroup* AGroup);
  virtual void OpenGroup(TdxNavBarGroup* AGroup) { (void)AGroup; }
  virtual void CloseGroup(TdxNavBarGroup* AGroup) { (void)AGroup; }
  virtual void MakeLinkVisible(TdxNavBarItemLink* ALink, bool AAtTop) { (void)ALink, (void)AAtTop; }
  virtual void MakeGroupVisible(TdxNavBarGroup* AGroup, bool AExpand, bool AAtTop) {
    (void)AGroup, (void)AExpand, (void)AAtTop;
  }
  virtual void RecreateInfos();
  virtual void CalculateScrollButtonRects();
  virtual void ClearRects();

  virtual TPicture* BackgroundImage();
  virtual TColor BackgroundBackColor();
  virtual TColor BackgroundBackColor2();
  virtual Byte BackgroundAlphaBlending();
  virtual Byte BackgroundAlphaBlending2();
  virtual TdxBarStyleGradientMode BackgroundGradientMode();
  virtual TColor BorderColor() { return clNone; }
  virtual TdxNavBarStyleItem* BottomScrollButtonCustomStyle();
  virtual TdxNavBarBaseStyle* BottomScrollButtonDefaultStyle();
  virtual TPicture* BottomScrollButtonImage();
  virtual TColor BottomScrollButtonBackColor();
  virtual TColor BottomScrollButtonBackColor2();
  virtual Byte BottomScrollButtonAlphaBlending();
  virtual Byte BottomScrollButtonAlphaBlending2();
  virtual TdxBarStyleGradientMode BottomScrollButtonGradientMode();
  virtual TdxNavBarStyleItem* TopScrollButtonCustomStyle();
  virtual TdxNavBarBaseStyle* TopScrollButtonDefaultStyle();
  virtual TPicture* TopScrollButtonImage();
  virtual TColor TopScrollButtonBackColor();
  virtual TColor TopScrollButtonBackColor2();
  virtual Byte TopScrollButtonAlphaBlending();
  virtual Byte TopScrollButtonAlphaBlending2();
  virtual TdxBarStyleGradientMode TopScrollButtonGradientMode();
  virtual TPicture* HintImage();
  virtual TColor HintBackColor();
  virtual TColor HintBackColor2();
  virtual Byte HintAlphaBlending();
  virtual Byte HintAlphaBlending2();
  virtual TdxBarStyleGradientMode HintGradientMode();
  virtual TFont* HintFont();
  virtual TColor DropTargetLinkColor();
  virtual TColor DropTargetGroupBackColor();
  virtual TColor DropTargetGroupBackColor2();
  virtual Byte DropTargetGroupAlphaBlending();
  virtual Byte DropTargetGroupAlphaBlending2();
  virtual TdxBarStyleGradientMode DropTargetGroupGradientMode();
  virtual TPicture* PaneHeaderImage();
  virtual TColor PaneHeaderBackColor();
  virtual TColor PaneHeaderBackColor2();
  virtual Byte PaneHeaderAlphaBlending();
  virtual Byte PaneHeaderAlphaBlending2();
  virtual TdxBarStyleGradientMode PaneHeaderGradientMode();
  virtual TFont* PaneHeaderFont();
  virtual TColor PaneHeaderFontColor();
  virtual TdxBarStyleHAlignment PaneHeaderHAlignment();
  virtual TdxBarStyleVAlignment PaneHeaderVAlignment();
  virtual TPicture* GroupHeaderDefaultImage();
  virtual TColor GroupHeaderDefaultBackColor();
  virtual TColor GroupHeaderDefaultBackColor2();
  virtual Byte GroupHeaderDefaultAlphaBlending();
  virtual Byte GroupHeaderDefaultAlphaBlending2();
  virtual TdxBarStyleGradientMode GroupHeaderDefaultGradientMode();
  virtual TFont* GroupHeaderDefaultFont();
  virtual TColor GroupHeaderDefaultFontColor();
  virtual TColor SplitterBackColor() { return PaneHeaderBackColor(); }
  virtual TColor SplitterBackColor2() { return PaneHeaderBackColor2(); }
  virtual Byte SplitterAlphaBlending() { return PaneHeaderAlphaBlending(); }
  virtual Byte SplitterAlphaBlending2() { return PaneHeaderAlphaBlending2(); }
  virtual TdxBarStyleGradientMode SplitterGradientMode() { return PaneHeaderGradientMode(); }

  // The default values of the view, one per default style (each view overrides them).
  virtual void AssignBackgroundDefaults();
  virtual void AssignButtonDefaults();
  virtual void AssignButtonPressedDefaults();
  virtual void AssignButtonHotTrackedDefaults();
  virtual void AssignGroupControlDefaults();
  virtual void AssignGroupBackgroundDefaults();
  virtual void AssignGroupHeaderDefaults();
  virtual void AssignGroupHeaderActiveDefaults();
  virtual void AssignGroupHeaderActiveHotTrackedDefaults();
  virtual void AssignGroupHeaderActivePressedDefaults();
  virtual void AssignGroupHeaderHotTrackedDefaults();
  virtual void AssignGroupHeaderPressedDefaults();
  virtual void AssignHintDefaults();
  virtual void AssignItemDefaults();
  virtual void AssignItemDisabledDefaults();
  virtual void AssignItemHotTrackedDefaults();
  virtual void AssignItemPressedDefaults();
  virtual void AssignDropTargetGroupDefaults();
  virtual void AssignDropTargetLinkDefaults();
  virtual void AssignNavigationPaneHeaderDefaults();

  virtual TdxNavBarGroupViewInfo* GroupAtCaption(const TPoint& P);
  virtual TdxNavBarGroupViewInfo* GroupAtItems(const TPoint& P);
  virtual TdxNavBarLinkViewInfo* LinkAtPos(const TPoint& P);
  virtual TdxNavBarLinkViewInfo* LinkAtHit(const TPoint& P);
  // The insertion index for a drop at P, -1 when no group is there.
  virtual int DropTargetAt(const TPoint& P, TdxNavBarGroup*& AGroup, TdxNavBarItemLink*& ANext,
                           TdxNavBarItemLink*& APrevious);
  virtual int IconViewDropTargetAt(const TPoint& P, TdxNavBarGroup*& AGroup, TdxNavBarItemLink*& ANext,
                                   TdxNavBarItemLink*& APrevious);
  virtual TdxNavBarGroupViewInfo* GroupByAccel(Word AKey);
  virtual TdxNavBarLinkViewInfo* LinkByAccel(Word AKey);
  // The group and the link an accelerator key reaches (also parts without view infos in a view).
  virtual TdxNavBarGroup* GroupOfAccel(Word AKey);
  virtual TdxNavBarItemLink* LinkOfAccel(Word AKey);

 protected:
  TdxNavBarDefaultStyles* DefaultStyles() const;
  TdxNavBarDefaultStyle* DefaultStyle(int AIndex) const;
  TdxNavBarStyleItem* BarCustomStyle(int AIndex) const;
  void AddGroupInfo(TdxNavBarGroupViewInfo* AInfo) { groupInfos_.push_back(AInfo); }
  void ClearGroupInfos();
  // Takes the group view info at AIndex out of the list; the caller frees it.
  TdxNavBarGroupViewInfo* ExtractGroupInfo(int AIndex);
  // Default style helpers of the Assign...Defaults overrides.
  void ResetStyle(int AIndex);
  void CopyStyle(int ATarget, int ASource);
  static void SetBackColors(TdxNavBarBaseStyle* Style, TColor Color);
  // The defaults the navigation-pane colour set fills in (the Office11 explorer bar and the
  // navigation pane): Background, Button, GroupBackground, GroupHeader and NavigationPaneHeader.
  void AssignNavPaneColorSetDefault(int AIndex);
  void SetScrollRects(const TRect& ATop, const TRect& ABottom) {
    topScrollRect_ = ATop;
    bottomScrollRect_ = ABottom;
  }

 private:
  const TdxNavBarBaseStyle* Resolved(int ACustom, int ADefault, TdxBarStyleAssignedValue AValue) const;
  const TdxNavBarBaseStyle* BottomButton(TdxBarStyleAssignedValue AValue);
  const TdxNavBarBaseStyle* TopButton(TdxBarStyleAssignedValue AValue);
  int ScrollButtonState(bool APressed, const TRect& ARect, bool AEnabled);

  TdxNavBarPainter* painter_;
  TdxCustomNavBar* navBar_;
  std::vector<TdxNavBarGroupViewInfo*> groupInfos_;
  TFont* paneHeaderFont_;
  TFont* hintFont_;
  TFont* groupHeaderDefaultFont_;
  TRect topScrollRect_;
  TRect bottomScrollRect_;
};
