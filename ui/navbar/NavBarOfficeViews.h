#pragma once
// Views 2 "Office1View", 3 "Office2View" and 4 "Office3View": the classic side bars of the base
// family with raised office buttons. Office 2 selects links with the ultra-flat selection; Office 3
// also hits links on their whole row and selects one pixel inside the row.

#include "ui/navbar/NavBarBaseViews.h"

class TdxNavBarOffice1ViewInfo : public TdxNavBarBaseViewInfo {
  DECLARE_CLASS(TdxNavBarOffice1ViewInfo, TdxNavBarBaseViewInfo)
 public:
  using TdxNavBarBaseViewInfo::TdxNavBarBaseViewInfo;
  int GroupCaptionHeightAddon() override { return 8; }
  int DefaultSpaceBetweenGroups() override { return 1; }
  void AssignBackgroundDefaults() override;
  void AssignGroupBackgroundDefaults() override;
  void AssignGroupHeaderDefaults() override;
  void AssignItemDefaults() override;
  void AssignItemDisabledDefaults() override;
};

class TdxNavBarOffice3ViewInfo : public TdxNavBarOffice1ViewInfo {
  DECLARE_CLASS(TdxNavBarOffice3ViewInfo, TdxNavBarOffice1ViewInfo)
 public:
  using TdxNavBarOffice1ViewInfo::TdxNavBarOffice1ViewInfo;
  int LargeLinkPadding() override { return 16; }
  bool LinkHitWholeRow() override { return true; }
};

// Its selection lies one pixel inside the link's row.
class TdxNavBarOffice3LinkViewInfo : public TdxNavBarLinkViewInfo {
  DECLARE_CLASS(TdxNavBarOffice3LinkViewInfo, TdxNavBarLinkViewInfo)
 public:
  using TdxNavBarLinkViewInfo::TdxNavBarLinkViewInfo;
  TRect ImageFrameRect() override;
};

// The base button with a four-colour frame lightened and darkened from the button colour (the
// base's frame routine, its active line kept).
class TdxNavBarOfficeButtonPainter : public TdxNavBarBaseButtonPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarOfficeButtonPainter)
  void FrameColors(int State, TColor C, TColor (&Colors)[4]) const override;
};

class TdxNavBarOffice1Painter : public TdxNavBarBasePainter {
  DECLARE_CLASS(TdxNavBarOffice1Painter, TdxNavBarBasePainter)
 public:
  using TdxNavBarBasePainter::TdxNavBarBasePainter;
  TdxNavBarViewInfo* CreateViewInfo() override;
  TdxNavBarButtonPainterClass ButtonPainterClass() override;
};

class TdxNavBarOffice2Painter : public TdxNavBarOffice1Painter {
  DECLARE_CLASS(TdxNavBarOffice2Painter, TdxNavBarOffice1Painter)
 public:
  using TdxNavBarOffice1Painter::TdxNavBarOffice1Painter;
  TdxNavBarSelectionPainterClass SelectionPainterClass() override;
};

class TdxNavBarOffice3Painter : public TdxNavBarOffice2Painter {
  DECLARE_CLASS(TdxNavBarOffice3Painter, TdxNavBarOffice2Painter)
 public:
  using TdxNavBarOffice2Painter::TdxNavBarOffice2Painter;
  TdxNavBarViewInfo* CreateViewInfo() override;
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink,
                                            bool AImageVisible, bool ACaptionVisible) override;
};

void StartOfficeViewsUnit();
void EndOfficeViewsUnit();
