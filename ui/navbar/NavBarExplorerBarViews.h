#pragma once
// The explorer-bar family: every visible group at once, a caption with an expand sign over its
// links; groups aligned to the top or the bottom of the bar, the bar's vertical scroll bar when
// they do not fit, and a sizer under a hosted control. Views 8 "ExplorerBarView",
// 9 "UltraFlatExplorerBarView", 10 "AdvExplorerBarView", 12 "Office11TaskPaneView" and
// 16 "Office11ExplorerBarView".

#include <vector>

#include "ui/navbar/NavBarBasePainters.h"
#include "ui/navbar/NavBarController.h"
#include "ui/navbar/NavBarElementPainter.h"
#include "ui/navbar/NavBarViewInfo.h"

class TBitmap;

// ---- view infos ---------------------------------------------------------------------------------

class TdxNavBarExplorerBarViewInfo : public TdxNavBarViewInfo {
  DECLARE_CLASS(TdxNavBarExplorerBarViewInfo, TdxNavBarViewInfo)
 public:
  using TdxNavBarViewInfo::TdxNavBarViewInfo;

  bool ShowsActiveGroup() override { return false; }
  bool CanHaveSpecialGroup() override { return true; }
  bool ShowGroupCaptionImages() override { return true; }
  bool ShowGroupSigns() override { return true; }
  bool CanShowAsIconView() override { return false; }
  bool AllowHideGroupCaption() override { return true; }
  bool GroupShowsLinks(TdxNavBarGroup* AGroup) override;
  bool IsGroupOpen(TdxNavBarGroup* AGroup) override;

  TRect GroupEdges() override { return {1, 1, 1, 1}; }
  int GroupCaptionHeightAddon() override { return 12; }
  TSize GroupSignSize() override { return {18, 18}; }
  int DefaultSpaceBetweenGroups() override { return ScaleValue(15); }
  TPoint GroupsOrigin() override { return {ScaleValue(12), ScaleValue(12)}; }
  TRect LinkImageEdges() override;
  // The unscaled edges (left, top, right, bottom); LinkImageEdges scales left and right.
  virtual TRect LinkImageEdgesUnscaled() { return {13, 4, 7, 4}; }

  // Top-aligned groups first, then bottom-aligned ones, each in collection order.
  void CreateGroupInfos() override;
  // Bottom-aligned groups move down into the free height.
  void CalculateGroupsBounds(int X, int Y) override;
  void FitGroups() override;
  // Shows or hides the bar's scroll bar for the groups' height; a change of its visibility changes
  // the client width and lays the groups out once more (at most once per layout). Else the groups
  // move up by the scroll position.
  virtual void UpdateScrollBar();
  void OpenGroup(TdxNavBarGroup* AGroup) override;
  void CloseGroup(TdxNavBarGroup* AGroup) override;
  void MakeLinkVisible(TdxNavBarItemLink* ALink, bool AAtTop) override;
  void MakeGroupVisible(TdxNavBarGroup* AGroup, bool AExpand, bool AAtTop) override;
  // Index of the first group whose control sizer holds the point, else -1.
  int ControlSizerAt(const TPoint& P);
  class TdxNavBarExplorerBarGroupViewInfo* ControlSizerGroupAt(const TPoint& P);

  void AssignBackgroundDefaults() override;
  void AssignGroupBackgroundDefaults() override;
  void AssignGroupHeaderDefaults() override;
  void AssignGroupHeaderActiveDefaults() override;
  void AssignItemDefaults() override;
  void AssignItemDisabledDefaults() override;
  void AssignItemHotTrackedDefaults() override;

  // How many times the last layout laid the groups out (1, or 2 after a scroll-bar change).
  int LastLayoutPasses() const { return layoutPasses_; }

 private:
  void Scroll(int DY);
  int relayouts_ = 0;
  int layoutPasses_ = 0;
};

class TdxNavBarExplorerBarGroupViewInfo : public TdxNavBarGroupViewInfo {
  DECLARE_CLASS(TdxNavBarExplorerBarGroupViewInfo, TdxNavBarGroupViewInfo)
 public:
  using TdxNavBarGroupViewInfo::TdxNavBarGroupViewInfo;
  TRect ControlSizerBounds;
  virtual int ControlSizerHeight() { return 3; }
  void CalculateBounds(int X, int& Y) override;
  void Offset(int DX, int DY) override;
  // Caption colours by state: disabled, hot/pressed/selected or normal of a colour set.
  static TColor StateColor(int State, TColor Normal, TColor Hot);
};

// Colours left at clNone come from the explorer-bar colour set (held while the view exists).
class TdxNavBarAdvExplorerBarViewInfo : public TdxNavBarExplorerBarViewInfo {
  DECLARE_CLASS(TdxNavBarAdvExplorerBarViewInfo, TdxNavBarExplorerBarViewInfo)
 public:
  using TdxNavBarExplorerBarViewInfo::TdxNavBarExplorerBarViewInfo;
  TSize GroupSignSize() override { return {22, 22}; }
  void CreateColors() override;
  void RefreshColors() override;
  void ReleaseColors() override;
  void AssignBackgroundDefaults() override;
  void AssignGroupBackgroundDefaults() override;
  void AssignGroupHeaderDefaults() override;
  void AssignGroupHeaderActiveDefaults() override;
  void AssignItemDefaults() override;
  TColor BackgroundBackColor() override;
  TColor BackgroundBackColor2() override;
  Byte BackgroundAlphaBlending() override;
  Byte BackgroundAlphaBlending2() override;
  TdxBarStyleGradientMode BackgroundGradientMode() override;

 private:
  bool held_ = false;
};

class TdxNavBarAdvExplorerBarGroupViewInfo : public TdxNavBarExplorerBarGroupViewInfo {
  DECLARE_CLASS(TdxNavBarAdvExplorerBarGroupViewInfo, TdxNavBarExplorerBarGroupViewInfo)
 public:
  using TdxNavBarExplorerBarGroupViewInfo::TdxNavBarExplorerBarGroupViewInfo;
  bool IsSpecial();
  TColor BackgroundBackColor() override;
  TColor BackgroundBackColor2() override;
  Byte BackgroundAlphaBlending() override;
  Byte BackgroundAlphaBlending2() override;
  TdxBarStyleGradientMode BackgroundGradientMode() override;
  TColor BorderColor() override;
  TColor HeaderBackColor() override;
  TColor HeaderBackColor2() override;
  Byte HeaderAlphaBlending() override;
  Byte HeaderAlphaBlending2() override;
  TdxBarStyleGradientMode HeaderGradientMode() override;
  TColor HeaderFontColor() override;
  TColor SignForeColor() override;
};

class TdxNavBarAdvExplorerBarLinkViewInfo : public TdxNavBarLinkViewInfo {
  DECLARE_CLASS(TdxNavBarAdvExplorerBarLinkViewInfo, TdxNavBarLinkViewInfo)
 public:
  using TdxNavBarLinkViewInfo::TdxNavBarLinkViewInfo;
  TColor FontColor() override;
};

// The Office11 task pane: colours left at clNone come from the task-pane colour set.
class TdxNavBarOffice11ViewInfo : public TdxNavBarExplorerBarViewInfo {
  DECLARE_CLASS(TdxNavBarOffice11ViewInfo, TdxNavBarExplorerBarViewInfo)
 public:
  using TdxNavBarExplorerBarViewInfo::TdxNavBarExplorerBarViewInfo;
  int DefaultSpaceBetweenGroups() override { return 4; }
  TPoint GroupsOrigin() override { return {10, 4}; }
  TRect LinkImageEdgesUnscaled() override { return {4, 4, 4, 4}; }
  void CreateColors() override;
  void RefreshColors() override;
  void ReleaseColors() override;
  void AssignBackgroundDefaults() override;
  void AssignGroupBackgroundDefaults() override;
  void AssignGroupHeaderDefaults() override;
  void AssignGroupHeaderActiveDefaults() override;
  void AssignItemDefaults() override;
  TColor BackgroundBackColor() override;
  TColor BackgroundBackColor2() override;
  TdxBarStyleGradientMode BackgroundGradientMode() override;

 private:
  bool held_ = false;
};

class TdxNavBarOffice11GroupViewInfo : public TdxNavBarExplorerBarGroupViewInfo {
  DECLARE_CLASS(TdxNavBarOffice11GroupViewInfo, TdxNavBarExplorerBarGroupViewInfo)
 public:
  using TdxNavBarExplorerBarGroupViewInfo::TdxNavBarExplorerBarGroupViewInfo;
  TColor BackgroundBackColor() override;
  TColor BackgroundBackColor2() override;
  TdxBarStyleGradientMode BackgroundGradientMode() override;
  TColor BorderColor() override;
  TColor HeaderBackColor() override;
  TColor HeaderBackColor2() override;
  TColor HeaderFontColor() override;
};

class TdxNavBarOffice11LinkViewInfo : public TdxNavBarLinkViewInfo {
  DECLARE_CLASS(TdxNavBarOffice11LinkViewInfo, TdxNavBarLinkViewInfo)
 public:
  using TdxNavBarLinkViewInfo::TdxNavBarLinkViewInfo;
  TColor FontColor() override;
};

// The explorer bar placed inside another bar's group control: no edges, no origin, whole-row links,
// captions in the navigation pane's button colours.
class TdxNavBarOffice11ExplorerBarViewInfo : public TdxNavBarExplorerBarViewInfo {
  DECLARE_CLASS(TdxNavBarOffice11ExplorerBarViewInfo, TdxNavBarExplorerBarViewInfo)
 public:
  using TdxNavBarExplorerBarViewInfo::TdxNavBarExplorerBarViewInfo;
  TRect GroupEdges() override { return {}; }
  int GroupCaptionHeightAddon() override { return 6; }
  int GroupImageIndent() override { return 2; }
  int DefaultSpaceBetweenGroups() override { return 0; }
  TPoint GroupsOrigin() override { return {0, 0}; }
  bool LinkHitWholeRow() override { return true; }
  void CreateColors() override;
  void RefreshColors() override;
  void ReleaseColors() override;
  void AssignBackgroundDefaults() override;
  void AssignGroupBackgroundDefaults() override;
  void AssignButtonDefaults() override;
  void AssignGroupHeaderDefaults() override;
  void AssignGroupHeaderActiveDefaults() override;
  void AssignItemDefaults() override;
  void AssignItemDisabledDefaults() override;
  void AssignNavigationPaneHeaderDefaults() override;

 private:
  bool held_ = false;
};

class TdxNavBarOffice11ExplorerBarGroupViewInfo : public TdxNavBarExplorerBarGroupViewInfo {
  DECLARE_CLASS(TdxNavBarOffice11ExplorerBarGroupViewInfo, TdxNavBarExplorerBarGroupViewInfo)
 public:
  using TdxNavBarExplorerBarGroupViewInfo::TdxNavBarExplorerBarGroupViewInfo;
  TColor HeaderBackColor() override;
  TColor HeaderBackColor2() override;
  Byte HeaderAlphaBlending() override;
  Byte HeaderAlphaBlending2() override;
  TdxBarStyleGradientMode HeaderGradientMode() override;
  TColor HeaderBorderColor() override;
};

// ---- controllers --------------------------------------------------------------------------------

// Part kind of a control sizer; the minor index is the group view info's position.
constexpr int nbpControlSizer = 3;

class TdxNavBarExplorerBarController : public TdxNavBarController {
  DECLARE_CLASS(TdxNavBarExplorerBarController, TdxNavBarController)
 public:
  using TdxNavBarController::TdxNavBarController;
  ~TdxNavBarExplorerBarController() override;
  int StartDragHeight = 0;
  TPoint StartDragPoint;

  void PartAt(const TPoint& P, TdxNavBarPartRef& APart) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, const TPoint& P) override;
  void MouseMove(TShiftState Shift, const TPoint& P) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, const TPoint& P) override;
  TCursor CustomCursor() override;

 protected:
  bool SizerPressed() const { return PushedPart().Major == nbpControlSizer; }
};

// The controller of the explorer bar placed inside another bar's group control. The host's size
// grip belongs to a collapsed navigation pane's popup, which this library does not have yet, so the
// grip state stays clear.
class TdxNavBarOffice11ExplorerBarController : public TdxNavBarExplorerBarController {
  DECLARE_CLASS(TdxNavBarOffice11ExplorerBarController, TdxNavBarExplorerBarController)
 public:
  using TdxNavBarExplorerBarController::TdxNavBarExplorerBarController;
  // Bit 0: the mouse is over the host's size grip.
  int State = 0;
};

// ---- element painters ---------------------------------------------------------------------------

// A one-pixel frame; with OpenTop on the left, right and bottom only.
class TdxNavBarExplorerBarBorderPainter : public TdxNavBarCustomGroupBorderPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarExplorerBarBorderPainter)
  void DrawGroupBorder(TcxCanvas* Canvas, const TRect& R, TColor Color, bool OpenTop) const override;
};

// Two chevrons (up when expanded), each drawn twice; a hot sign sits on a raised edge.
class TdxNavBarExplorerBarSignPainter : public TdxNavBarCustomSignPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarExplorerBarSignPainter)
  void DrawSign(TcxCanvas* Canvas, const TRect& R, TColor ForeColor, TColor BackColor1, TColor BackColor2,
                int State) const override;
  virtual void DrawSignBackground(TcxCanvas* Canvas, const TRect& R, TColor BackColor1, TColor BackColor2,
                                  int State) const;
  // The first chevron's three points (left arm end, apex, right arm end) for a sign rectangle.
  static void ChevronPoints(const TRect& R, bool Expanded, TPoint (&Points)[3]);
};

// The expand and collapse bitmaps: pure red takes the sign colour, other pixels blend over the
// canvas by their red level.
class TdxNavBarAdvExplorerBarSignPainter : public TdxNavBarExplorerBarSignPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarAdvExplorerBarSignPainter)
  void DrawSign(TcxCanvas* Canvas, const TRect& R, TColor ForeColor, TColor BackColor1, TColor BackColor2,
                int State) const override;
};

// The task-pane bitmaps: each pixel becomes the mix of the background and the sign colour by its red
// level between the lightest and the darkest of the bitmap.
class TdxNavBarOffice11SignPainter : public TdxNavBarExplorerBarSignPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarOffice11SignPainter)
  void DrawSign(TcxCanvas* Canvas, const TRect& R, TColor ForeColor, TColor BackColor1, TColor BackColor2,
                int State) const override;
};

class TdxNavBarOffice11ExplorerBarSignPainter : public TdxNavBarExplorerBarSignPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarOffice11ExplorerBarSignPainter)
  void DrawSignBackground(TcxCanvas*, const TRect&, TColor, TColor, int) const override {}
};

// The base button with rounded top corners.
class TdxNavBarAdvExplorerButtonPainter : public TdxNavBarCustomButtonPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarAdvExplorerButtonPainter)
  void DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, TColor Color1, TColor Color2, Byte Alpha1,
                  Byte Alpha2, int GradientMode, TColor BorderColor, int State) const override;
};

// Recolouring of the bitmap signs over the pixels beneath (0x00RRGGBB each, row by row, Width x
// Height); pixels of the transparent colour stay. Exposed for tests.
void RecolorAdvSign(const std::vector<DWORD>& Sign, DWORD Transparent, DWORD Color, std::vector<DWORD>& Canvas);
void RecolorOffice11Sign(const std::vector<DWORD>& Sign, DWORD Transparent, DWORD First, DWORD Second,
                         std::vector<DWORD>& Canvas);
// The header of a top-down 32-bit DIB of W x H.
BITMAPINFO TopDown32BitInfo(int W, int H);
// The bitmap's pixels as 0x00RRGGBB, top row first.
std::vector<DWORD> BitmapPixels(TBitmap* Bitmap);

// ---- painters -----------------------------------------------------------------------------------

class TdxNavBarExplorerBarPainter : public TdxNavBarElementPainter {
  DECLARE_CLASS(TdxNavBarExplorerBarPainter, TdxNavBarElementPainter)
 public:
  using TdxNavBarElementPainter::TdxNavBarElementPainter;
  TdxNavBarViewInfo* CreateViewInfo() override;
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                              bool AItemsVisible, bool ACaptionVisible) override;
  TdxNavBarController* CreateController() override;
  TdxNavBarSignPainterClass SignPainterClass() override;
  TdxNavBarGroupBorderPainterClass GroupBorderPainterClass() override;
  void DrawGroup(TdxNavBarGroupViewInfo* AGroup) override;
  virtual void DrawGroupControlSizer(TdxNavBarExplorerBarGroupViewInfo* AGroup) { (void)AGroup; }
};

class TdxNavBarUltraFlatExplorerBarPainter : public TdxNavBarExplorerBarPainter {
  DECLARE_CLASS(TdxNavBarUltraFlatExplorerBarPainter, TdxNavBarExplorerBarPainter)
 public:
  using TdxNavBarExplorerBarPainter::TdxNavBarExplorerBarPainter;
  TdxNavBarSelectionPainterClass SelectionPainterClass() override;
};

class TdxNavBarAdvExplorerBarPainter : public TdxNavBarExplorerBarPainter {
  DECLARE_CLASS(TdxNavBarAdvExplorerBarPainter, TdxNavBarExplorerBarPainter)
 public:
  using TdxNavBarExplorerBarPainter::TdxNavBarExplorerBarPainter;
  TdxNavBarViewInfo* CreateViewInfo() override;
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                              bool AItemsVisible, bool ACaptionVisible) override;
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink,
                                            bool AImageVisible, bool ACaptionVisible) override;
  TdxNavBarButtonPainterClass ButtonPainterClass() override;
  TdxNavBarSignPainterClass SignPainterClass() override;
  TdxNavBarGroupBorderPainterClass GroupBorderPainterClass() override;
};

class TdxNavBarOffice11Painter : public TdxNavBarExplorerBarPainter {
  DECLARE_CLASS(TdxNavBarOffice11Painter, TdxNavBarExplorerBarPainter)
 public:
  using TdxNavBarExplorerBarPainter::TdxNavBarExplorerBarPainter;
  TdxNavBarViewInfo* CreateViewInfo() override;
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                              bool AItemsVisible, bool ACaptionVisible) override;
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink,
                                            bool AImageVisible, bool ACaptionVisible) override;
  TdxNavBarButtonPainterClass ButtonPainterClass() override;
  TdxNavBarSignPainterClass SignPainterClass() override;
  TdxNavBarGroupBorderPainterClass GroupBorderPainterClass() override;
};

class TdxNavBarOffice11ExplorerBarPainter : public TdxNavBarExplorerBarPainter {
  DECLARE_CLASS(TdxNavBarOffice11ExplorerBarPainter, TdxNavBarExplorerBarPainter)
 public:
  using TdxNavBarExplorerBarPainter::TdxNavBarExplorerBarPainter;
  TdxNavBarViewInfo* CreateViewInfo() override;
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                              bool AItemsVisible, bool ACaptionVisible) override;
  TdxNavBarController* CreateController() override;
  TdxNavBarSignPainterClass SignPainterClass() override;
  TdxNavBarGroupBorderPainterClass GroupBorderPainterClass() override;
  // Like a navigation-pane group button in the caption's colours, the splitter grip centred on it.
  void DrawGroupControlSizer(TdxNavBarExplorerBarGroupViewInfo* AGroup) override;
};

void StartExplorerBarViewsUnit();
void EndExplorerBarViewsUnit();
