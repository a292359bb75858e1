#pragma once
// The application menu's extra pane: a hidden toolbar on a dock site of its own inside the menu
// window. The site keeps its one window over its whole client area; the window lays the pane's
// links out in one column (the list item stands as its header label and one button per entry) and
// answers as the application menu window for keys, closing, flags and the painter.

#include "ui/bars/BarControl.h"
#include "ui/bars/DockControl.h"

class TdxBarApplicationMenuControl;

class TdxBarExtraPaneControlViewInfo : public TCustomdxBarControlViewInfo {
  DECLARE_CLASS(TdxBarExtraPaneControlViewInfo, TCustomdxBarControlViewInfo)
 public:
  using TCustomdxBarControlViewInfo::TCustomdxBarControlViewInfo;
  // Every laid-out link, and above each one that begins a group a horizontal separator.
  void ComputeLayout() override;

 protected:
  void AddGroupSeparator(int ShownIndex, TdxBarItemLink* Link, TdxBarItemControl* Control, const TRect& R) override;
};

class TdxBarExtraPaneControl : public TdxBarControl {
  DECLARE_CLASS(TdxBarExtraPaneControl, TdxBarControl)
 public:
  using TdxBarControl::TdxBarControl;

  // The application menu window whose pane this is (null before the window is docked).
  TdxBarApplicationMenuControl* MenuWindow();

  // ---- answered by the application menu window
  TdxBarPainter* Painter() override;
  int FeatureFlags() override;
  void CloseByEscape() override;
  void Close() override;
  TdxBarItemLink* FindEnabledLinkByKey(Word Key, TShiftState Shift, TdxBarItemLink* After, bool& Ambiguous) override;
  void ActivateByKey(TdxBarItemControl* Control, bool NoEnter) override;
  bool ContextMenuOnPress(bool Down) override;
  void DesignPopupRequest(TdxBarItemLinks* Links) override;
  void ShowDesignPopup(TdxBarItemControl* Control) override;
  bool InActiveChain() override;

  // ---- its own layout and painting
  TCustomdxBarControlViewInfo* CreateViewInfo() override { return new TdxBarExtraPaneControlViewInfo(this); }
  void CalcItemsRect() override;
  void ArrangeLinks() override;
  void PaintNonClient(HDC DC, const TRect& R, HBRUSH Brush, TColor Color, bool Offset) override;

 protected:
  void Paint() override;
  void CreateControlsForLinks() override;
  void DestroyControlsForLinks() override;
  void WMNCCalcSizePane(TMessage& Message) { Message.Result = 0; }
  void WMNCPaintPane(TMessage& Message) { Message.Result = 0; }
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSizePane)
  MESSAGE_HANDLER(WM_NCPAINT, WMNCPaintPane)
  MESSAGE_MAP_END
};

class TdxBarExtraPaneDockControl : public TdxBarDockControl {
  DECLARE_CLASS(TdxBarExtraPaneDockControl, TdxBarDockControl)
 public:
  TdxBarExtraPaneDockControl(TComponent* AOwner, TdxBarApplicationMenuControl* AMenu);
  TdxBarApplicationMenuControl* MenuWindow() const { return menu_; }

  TdxBarControl* CreateBarControlFor(TdxBar* Bar) override;
  // The one window covers the client area.
  void FitRowsToLength() override;
  // The menu window gives the site its size.
  void AdjustSize() override {}

 private:
  TdxBarApplicationMenuControl* menu_;
};
