#pragma once
// The navigation pane's painter (views 13 and, through the skin-based painter, 17): header with
// caption and collapse sign, the active group's links or the collapsed strip with vertical text,
// splitter and grip, group buttons, overflow panel with icons and sign, the pane border, the size
// grip of the popup's bar, the overflow hint, the popup frame and the owner-drawn customization menu.

#include "ui/navbar/NavBarOfficeViews.h"
#include "ui/navbar/NavPaneViewInfo.h"

// The base button, then a one-pixel outline in the border colour.
class TdxNavBarNavigationPaneButtonPainter : public TdxNavBarCustomButtonPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarNavigationPaneButtonPainter)
  void DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, TColor Color1, TColor Color2, Byte Alpha1,
                  Byte Alpha2, int GradientMode, TColor BorderColor, int State) const override;
};

class TdxNavBarOffice11NavPaneButtonPainter : public TdxNavBarNavigationPaneButtonPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarOffice11NavPaneButtonPainter)
};

// A group button: the base button one pixel lower, a border-coloured line along its top.
class TdxNavBarOffice11NavPaneGroupButtonPainter : public TdxNavBarCustomButtonPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarOffice11NavPaneGroupButtonPainter)
  void DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, TColor Color1, TColor Color2, Byte Alpha1,
                  Byte Alpha2, int GradientMode, TColor BorderColor, int State) const override;
};

// Draws the text turned a quarter counter-clockwise (read from the bottom), centred in R and clipped
// to it, over what the canvas shows there.
void DrawRotatedText(TcxCanvas* Canvas, TFont* Font, const String& Text, const TRect& R, TColor Color);

class TdxNavBarNavigationPanePainter : public TdxNavBarOffice3Painter {
  DECLARE_CLASS(TdxNavBarNavigationPanePainter, TdxNavBarOffice3Painter)
 public:
  using TdxNavBarOffice3Painter::TdxNavBarOffice3Painter;
  TdxNavBarNavigationPaneViewInfo* PaneViewInfo() const;

  TdxNavBarViewInfo* CreateViewInfo() override;
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                              bool AItemsVisible, bool ACaptionVisible) override;
  // The popup's inner bar gets the inner controller.
  TdxNavBarController* CreateController() override;
  TdxNavBarButtonPainterClass ButtonPainterClass() override;
  virtual TdxNavBarButtonPainterClass GroupButtonPainterClass();
  virtual TdxNavBarPopupControlViewInfo* CreatePopupViewInfo();

  void DrawNavBar() override;
  void DrawGroupCaptionBackground(TdxNavBarGroupViewInfo* AGroup) override;
  void DrawHintWindow(THintWindow* AHintWindow) override;

  // A pane part's state for painting: the controller's, raised to 2 while its accessibility object
  // is down, and to 1 for a focused sign (kinds 0-2).
  int PaneState(const TdxNavBarPartRef& APart);
  bool PartFocused(const TdxNavBarPartRef& APart);

  virtual void DrawHeader();
  virtual void DrawOverflowPanel();
  virtual void DrawSplitter();
  virtual void PaintSizeGrip(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawItemPanel();
  virtual void DrawCollapseBar(TdxNavBarItemPanelViewInfo* APanel);
  virtual void DrawItemPanelBackground(const TRect& R, int AState);
  virtual void DrawItemPanelItem(TdxNavBarItemPanelViewInfoItem* AItem, int AState);
  virtual void DrawBorder();
  virtual void DoDrawHeader();
  virtual void DrawHeaderBackground();
  virtual void DrawHeaderSign();
  virtual void DrawHeaderText();
  virtual void DoDrawOverflowPanel();
  virtual void DrawOverflowPanelBackground();
  virtual void DrawOverflowPanelSign();
  virtual void DrawOverflowPanelItems();
  virtual void DrawOverflowHint(TCanvas* ACanvas, const TRect& R);
  virtual void DrawPopupFrame(TCanvas* ACanvas, TdxNavBarPopupControlViewInfo* APopupViewInfo);
  virtual void DoDrawSplitter();
  virtual void DrawSplitterGrip();
  // State bits: 0x20 selected, 1 checked, 2 disabled.
  virtual void DrawOverflowMenuItem(TCanvas* ACanvas, const TRect& R, int AState, const String& ACaption,
                                    int AImageIndex, TCustomImageList* AImages);

 protected:
  // The state colours (or nothing for state 0) on R.
  void DrawPartBackground(TcxCanvas* ACanvas, const TRect& R, int AState);
  // The group's image from the overflow list, else the default bitmap of that size.
  void DrawOverflowItemImage(TdxNavBarOverflowPanelViewInfoItem* AItem);
};

// View 13 "Office11NavigationPaneView".
class TdxNavBarOffice11NavPanePainter : public TdxNavBarNavigationPanePainter {
  DECLARE_CLASS(TdxNavBarOffice11NavPanePainter, TdxNavBarNavigationPanePainter)
 public:
  using TdxNavBarNavigationPanePainter::TdxNavBarNavigationPanePainter;
  TdxNavBarViewInfo* CreateViewInfo() override;
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                              bool AItemsVisible, bool ACaptionVisible) override;
  TdxNavBarButtonPainterClass ButtonPainterClass() override;
};

void StartNavPaneViewsUnit();
void EndNavPaneViewsUnit();
