#pragma once
// The groups of the active tab on screen: the site below the tab headers that hosts the active tab's
// groups dock control and paints the groups' scroll buttons, the dock control's view info (which fits
// the groups into the width and scrolls what still does not fit), and the group bar windows: one per
// group, laid out by the group layout calculator, drawn by the bar manager's painter with their
// dialog-launcher buttons, shown as one button while collapsed.

#include <vector>

#include "ui/bars/BarControl.h"
#include "ui/bars/painters/SkinInterfaces.h"
#include "ui/foundation/Control.h"
#include "ui/ribbon/GroupLayout.h"
#include "ui/ribbon/GroupsFitting.h"
#include "ui/ribbon/Ribbon.h"

class TdxRibbonGroupBarControl;

// ---- groups dock control view info --------------------------------------------------------------

class TdxRibbonGroupsDockControlViewInfo : public TObject {
  DECLARE_CLASS(TdxRibbonGroupsDockControlViewInfo, TObject)
 public:
  explicit TdxRibbonGroupsDockControlViewInfo(TdxRibbonGroupsDockControl* ADockControl) : dockControl_(ADockControl) {}

  TdxRibbonGroupsDockControl* DockControl() const { return dockControl_; }
  // The group bars docked in the dock control, in tab-group order.
  std::vector<TdxRibbonGroupBarControl*> GroupBars() const;
  int GroupCount() const { return int(GroupBars().size()); }
  int TotalWidth() const;
  bool FitsIn(int Width) const;
  TdxRibbonGroupsScrollButtons ScrollButtons() const { return scroll_.ScrollButtons; }
  int ScrollPosition() const { return scroll_.ScrollPosition; }
  // Where the first group starts in the dock control: the scroll position, plus the groups area's
  // left margin less the dock's left while the left scroll button shows.
  int FirstGroupLeft() const;

  virtual void UpdateScrollButtons(int Width);
  // Scrolls and places the dock control again.
  virtual void Scroll(int Delta, int Width);
  // Fits the groups into Bounds' width, updates the scroll buttons and fires the ribbon's collapse
  // and expand events for the groups whose state changed.
  virtual void ComputeLayout(const TRect& Bounds);
  virtual void ScrollStep(bool ToRight, int Width);

 private:
  TdxRibbonGroupsDockControl* dockControl_;
  TdxRibbonGroupsScrollInfo scroll_;
};

// ---- groups site ----------------------------------------------------------------------------------

class TdxRibbonGroupsDockControlSite;

class TdxRibbonGroupsDockControlSiteViewInfo : public TObject {
  DECLARE_CLASS(TdxRibbonGroupsDockControlSiteViewInfo, TObject)
 public:
  explicit TdxRibbonGroupsDockControlSiteViewInfo(TdxRibbonGroupsDockControlSite* ASite) : site_(ASite) {}
  // The scroll buttons of the active tab's dock control at the sides of the site.
  void ComputeLayout();
  // 5 over the left scroll button, 6 over the right one, else 0 (P in ribbon coordinates).
  int HitTest(const TPoint& P);

  TdxRibbonGroupsDockControlSite* Site() const { return site_; }
  TRect LeftButtonBounds{};
  TRect RightButtonBounds{};
  TdxRibbonGroupsScrollButtons ScrollButtons;

 private:
  TdxRibbonGroupsDockControlSite* site_;
};

// The child window of the ribbon below the tab headers; the active tab's dock control lives in it.
class TdxRibbonGroupsDockControlSite : public TcxControl {
  DECLARE_CLASS(TdxRibbonGroupsDockControlSite, TcxControl)
 public:
  explicit TdxRibbonGroupsDockControlSite(TdxCustomRibbon* ARibbon);
  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  TdxRibbonGroupsDockControlSiteViewInfo* ViewInfo() const { return viewInfo_.get(); }
  // The dock controls' client area: the site less the groups-area margins.
  TRect DockControlBounds();
  // The site's client rectangle in the ribbon's coordinates (also while it sits in a popup).
  TPoint OriginInRibbon();
  // Paints the groups-area background over R of a DC whose origin is the site's client origin.
  void PaintBackground(HDC DC, const TRect& R);
  bool CanFocus() override { return false; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  bool HasScrollBars() override { return false; }
  void AlignControls(TControl*, TRect&) override {}
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void FireMouseLeave(TControl* AControl) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

 private:
  TPoint ToRibbon(int X, int Y);
  TdxCustomRibbon* ribbon_;
  ObjectPtr<TdxRibbonGroupsDockControlSiteViewInfo> viewInfo_;
};

// ---- the ribbon's bar windows -----------------------------------------------------------------------

// The common base of the ribbon's bar windows: never a main menu, no MDI buttons, no mark, not
// dragged, no floating close button, no double clicks outside design time.
class TdxRibbonCustomBarControl : public TdxBarControl {
  DECLARE_CLASS(TdxRibbonCustomBarControl, TdxBarControl)
 public:
  using TdxBarControl::TdxBarControl;
  bool IsMainMenu() override { return false; }
  bool ShowsMark() override { return false; }
  bool AllowsItemAlign(TdxBarItemControl*) override { return true; }

 protected:
  void CreateParams(TCreateParams& Params) override;
};

// ---- group bar view info ----------------------------------------------------------------------------

// The three item-row base lines and the bottom base line of a group's key tips (window coordinates
// until asked for; see TdxRibbonGroupBarControlViewInfo).
struct TdxRibbonGroupKeyTipsBaseLinePositions {
  bool Calculated = false;
  int RowKeyTipsBaseLines[3] = {};
  int BottomKeyTipsBaseLine = 0;
};

class TdxRibbonGroupBarControlViewInfo : public TCustomdxBarControlViewInfo, public IdxRibbonFittedGroup {
  DECLARE_CLASS(TdxRibbonGroupBarControlViewInfo, TCustomdxBarControlViewInfo)
 public:
  explicit TdxRibbonGroupBarControlViewInfo(TdxRibbonGroupBarControl* ABarControl);
  ~TdxRibbonGroupBarControlViewInfo() override;
  TdxRibbonGroupBarControl* GroupBar() const;

  // IdxRibbonFittedGroup
  void PrepareCalculation() override;
  void ComputeLayout() override;
  void InitReductionPass() override;
  bool DecreaseMultiColumnItemColumnCount() override;
  bool CollapseMultiColumnItem() override;
  bool ReduceItemControlsViewLevel(int Stage) override;
  void Collapse() override;
  void FinishCalculation() override;
  bool Collapsed() const override { return collapsed_; }
  bool CanCollapse() const override;
  int Width() const override { return contentSize_.cx + nonContentSize_.cx; }

  // The bar's size: content and borders.
  TSize Size() const { return TSize{Width(), contentSize_.cy + nonContentSize_.cy}; }
  const TSize& ContentSize() const { return contentSize_; }
  void SetContentSize(const TSize& Value) { contentSize_ = Value; }
  const TSize& NonContentSize() const { return nonContentSize_; }
  int GroupRowHeight() const { return groupRowHeight_; }

  // Key tips: row 0 the top of the client area within the window, row 2 the top of the caption, row 1
  // halfway; the bottom one 2 pixels above the bar's bottom. Raises Exception with an empty message
  // for a bar without a visible window, and for a row outside 0..2.
  void CalculateKeyTipsBaseLines();
  // In screen coordinates.
  int RowKeyTipBaseLine(int Index);
  int BottomKeyTipBaseLine();
  const TdxRibbonGroupKeyTipsBaseLinePositions& KeyTipsBaseLinePositions() const { return keyTips_; }

 protected:
  virtual IdxRibbonGroupLayoutCalculator* CreateLayoutCalculator();
  virtual TSize GetNonContentSize();

 private:
  friend class TdxRibbonGroupBarControlViewInfoHelper;
  IdxRibbonGroupLayoutCalculator* Calculator();
  IdxRibbonGroupContent* Content();
  InterfacePtr<IdxRibbonGroupLayoutCalculator> calculator_;
  InterfacePtr<IdxRibbonGroupContent> content_;
  TSize contentSize_{};
  TSize nonContentSize_{};
  bool collapsed_ = false;
  int groupRowHeight_ = 0;
  TdxRibbonGroupKeyTipsBaseLinePositions keyTips_;
};

// The group as the layout calculator sees it, over a group bar's view info.
class TdxRibbonGroupBarControlViewInfoHelper : public TInterfacedObject, public IdxRibbonGroupContent {
  DECLARE_CLASS(TdxRibbonGroupBarControlViewInfoHelper, TInterfacedObject)
 public:
  explicit TdxRibbonGroupBarControlViewInfoHelper(TdxRibbonGroupBarControlViewInfo* AViewInfo) : viewInfo_(AViewInfo) {}
  void AddSeparator(const TdxBarSeparatorInfo& Info) override;
  void RemoveSeparators() override;
  void GetContentSize(TSize& Size) override { Size = viewInfo_->ContentSize(); }
  int ItemControlTotal() override { return viewInfo_->ItemInfoCount(); }
  void ItemControlLayoutAt(int Index, IdxBarItemControlViewInfo*& Item) override;
  int MinimalWidth() override;
  void GetOffsets(TdxRibbonGroupOffsets& Offsets) override;
  int GetSeparatorCount() override { return viewInfo_->SeparatorCount(); }
  void GetSeparatorInfo(int Index, TdxBarSeparatorInfo& Info) override { viewInfo_->GetSeparatorInfo(Index, Info); }
  void SetContentSize(const TSize& Size) override { viewInfo_->SetContentSize(Size); }
  void SetSeparatorInfo(int Index, const TdxBarSeparatorInfo& Info) override { viewInfo_->SetSeparatorInfo(Index, Info); }

 private:
  TdxRibbonGroupBarControlViewInfo* viewInfo_;
};

// ---- group bar control --------------------------------------------------------------------------

// The window of one ribbon group: its toolbar's items as the group layout placed them, the caption
// strip with the toolbar's caption buttons as dialog launchers, or a single button while collapsed.
class TdxRibbonGroupBarControl : public TdxRibbonCustomBarControl, public IdxFadingObject {
  DECLARE_CLASS(TdxRibbonGroupBarControl, TdxRibbonCustomBarControl)
 public:
  // Made by the dock control a toolbar docks into; the group is that of the dock's tab.
  TdxRibbonGroupBarControl(TdxRibbonGroupsDockControl* ADockControl, TdxBar* ABar);

  TdxRibbonTabGroup* TabGroup() const { return tabGroup_; }
  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  TdxRibbonGroupBarControlViewInfo* GroupViewInfo() { return static_cast<TdxRibbonGroupBarControlViewInfo*>(ViewInfo()); }
  bool Collapsed() { return GroupViewInfo()->Collapsed(); }
  TdxRibbonGroupsDockControl* GroupsDockControl() const;

  // The caption strip (window coordinates) and the launcher buttons in it: the first ends one pixel
  // left of the caption's right edge, a square of the caption's height; each further one a pixel
  // and a side further left.
  TRect CaptionBounds();
  void CalcCaptionButtonRects();
  // The item's bounds brought into the dock control's view.
  void MakeItemVisible(TdxBarItemControl* ItemControl);
  // Where a collapsed group's popup of Height opens (screen coordinates): below the ribbon and the
  // bar, or above them when the work area ends first.
  TPoint GetCollapsedPopupPosition(int X, int Height, const TRect& WorkArea);

  // Lays the group out on its own (outside its dock control's fitting) and places its links.
  void CalculateAlone();

  // IdxFadingObject
  bool CanFade() override;
  void DrawFadeImage(TBitmap* Image) override;
  void GetFadingParams(TBitmap*& NormalImage, TBitmap*& HotImage, int& FadeInFrames, int& FadeInInterval,
                       int& FadeOutFrames, int& FadeOutInterval) override;

  TCustomdxBarControlViewInfo* CreateViewInfo() override;
  void LayoutLinks(int Kind, int FirstIndex) override;
  void CalcViewInfo() override;
  void ViewStateChanged(int State) override;
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }

 protected:
  void Paint() override;
  // The caption buttons over the caption strip, through the ribbon's skin.
  void PaintCaptionButtons(HDC DC);
  void WMNCHitTest(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest)
  MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint)
  MESSAGE_MAP_END

 private:
  bool capturingFades_ = false;
  TdxRibbonTabGroup* tabGroup_ = nullptr;
  TdxCustomRibbon* ribbon_ = nullptr;
};

// The group whose toolbar a bar window shows, in its dock control's tab; nil when none.
TdxRibbonTabGroup* FindTabGroupForBarControl(TdxRibbonGroupsDockControl* DockControl, TdxBar* Bar);
