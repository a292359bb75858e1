#pragma once
// View 5 "VSToolBoxView": thin caption rows, small images in tight rows, the scroll buttons at the
// right end of caption rows, and a link whose caption is cut off shows it whole in a hint drawn like
// the link itself.

#include "ui/navbar/NavBarBaseViews.h"
#include "ui/navbar/NavBarOfficeViews.h"

class TdxNavBarVSToolBoxViewInfo : public TdxNavBarBaseViewInfo {
  DECLARE_CLASS(TdxNavBarVSToolBoxViewInfo, TdxNavBarBaseViewInfo)
 public:
  using TdxNavBarBaseViewInfo::TdxNavBarBaseViewInfo;
  int GroupCaptionHeightAddon() override { return 4; }
  int DefaultSpaceBetweenGroups() override { return 1; }
  int LinksPadding() override { return 2; }
  bool AllowLargeLinkImages() override { return false; }
  bool LinkHitWholeRow() override { return true; }
  bool ScrollButtonsOverlapCaptions() override { return true; }
  // A square of the active caption's height just right of the active caption row.
  void TopScrollButtonRect(TRect& R) override;
  // The same on the row of the group after the active one; with the last group active, the top
  // square moved down by the active group's client height.
  void BottomScrollButtonRect(TRect& R) override;
  void AssignBackgroundDefaults() override;
  void AssignGroupBackgroundDefaults() override;
  void AssignGroupHeaderDefaults() override;
  void AssignItemDefaults() override;
  void AssignItemDisabledDefaults() override;
};

class TdxNavBarVSToolBoxLinkViewInfo : public TdxNavBarOffice3LinkViewInfo {
  DECLARE_CLASS(TdxNavBarVSToolBoxLinkViewInfo, TdxNavBarOffice3LinkViewInfo)
 public:
  using TdxNavBarOffice3LinkViewInfo::TdxNavBarOffice3LinkViewInfo;
};

class TdxNavBarVSToolBoxController : public TdxNavBarNavigationBarController {
  DECLARE_CLASS(TdxNavBarVSToolBoxController, TdxNavBarNavigationBarController)
 public:
  using TdxNavBarNavigationBarController::TdxNavBarNavigationBarController;
  // The base text, else the item's caption.
  void LinkHintText(TdxNavBarItemLink* ALink, String& AText) override;
  // The link's selection rectangle, widened to the caption's left + text width + 4 when the text is
  // wider than the caption rectangle.
  void CalcLinkHintRect(TdxNavBarItemLink* ALink, TRect& R) override;
  // The hint sits at the bar's client origin (screen coordinates), over the link.
  void PrepareLinkHint(THintInfo& AHintInfo, TdxNavBarLinkViewInfo* ALinkViewInfo) override;
};

class TdxNavBarVSToolBoxSelectionPainter : public TdxNavBarBaseSelectionPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarVSToolBoxSelectionPainter)
  void GetSelectionColors(int State, TColor BackColor, TColor& FillColor, TColor& TopLeftOuter,
                          TColor& BottomRightOuter, TColor& TopLeftInner, TColor& BottomRightInner) const override;
};

class TdxNavBarVSToolBoxButtonPainter : public TdxNavBarBaseButtonPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarVSToolBoxButtonPainter)
  void FrameColors(int State, TColor C, TColor (&Colors)[4]) const override;
};

class TdxNavBarVSToolBoxPainter : public TdxNavBarFlatPainter {
  DECLARE_CLASS(TdxNavBarVSToolBoxPainter, TdxNavBarFlatPainter)
 public:
  using TdxNavBarFlatPainter::TdxNavBarFlatPainter;
  TdxNavBarViewInfo* CreateViewInfo() override;
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink,
                                            bool AImageVisible, bool ACaptionVisible) override;
  TdxNavBarController* CreateController() override;
  TdxNavBarButtonPainterClass ButtonPainterClass() override;
  TdxNavBarSelectionPainterClass SelectionPainterClass() override;
  // The hot link redrawn at hint-window coordinates: its group's background, a hot selection, the
  // image and the whole caption.
  void DrawLinkHint(TCanvas* ACanvas, const TRect& R) override;
};

void StartToolBoxViewUnit();
void EndToolBoxViewUnit();
