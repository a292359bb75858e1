#pragma once
// Views 6 "XP1View", 7 "XP2View" and 11 "XPExplorerBarView": the side bars and the explorer bar
// drawn with visual styles where a theme is open; without one each draws like its base (flat,
// Office 1, explorer bar).

#include <vector>

#include "ui/foundation/Themes.h"
#include "ui/navbar/NavBarExplorerBarViews.h"
#include "ui/navbar/NavBarOfficeViews.h"

// The owner of the theme-drawing routine: DrawThemeBackground of the kind's open theme; false when
// the kind has no open theme (the caller then draws without it).
class TdxNavBarXPPainter {
 public:
  static bool DrawThemed(TdxThemedObjectKind Kind, HDC DC, int Part, int State, const TRect& R);
};

// Alpha blending of a 32-bit sign over what lies beneath, per channel:
// (A x source + (255 - A) x destination + 127) / 255, the destination alpha becoming A. A = 0 leaves
// the destination, A = 255 copies the source. Both are 0xAARRGGBB, Width x Height, top row first.
void AlphaBlendPixels(const std::vector<DWORD>& Source, std::vector<DWORD>& Destination);
// Blends a 32-bit bitmap onto the DC at (X, Y) through two DIB sections.
void AlphaBlendBitmap(HDC DC, int X, int Y, TBitmap* Bitmap);

class TdxNavBarXPBackgroundPainter : public TdxNavBarCustomBackgroundPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarXPBackgroundPainter)
  void DrawBackground(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, bool Erase, TColor EraseColor,
                      TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode) const override;
};

class TdxNavBarXPGroupBackgroundPainter : public TdxNavBarCustomGroupBackgroundPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarXPGroupBackgroundPainter)
  void DrawGroupBackground(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, TColor Color1, TColor Color2,
                           Byte Alpha1, Byte Alpha2, int GradientMode) const override;
};

class TdxNavBarXPSelectionPainter : public TdxNavBarBaseSelectionPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarXPSelectionPainter)
  void DrawSelection(TcxCanvas* Canvas, const TRect& R, TColor BackColor, int State) const override;
};

class TdxNavBarXPButtonPainter : public TdxNavBarOfficeButtonPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarXPButtonPainter)
  void DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, TColor Color1, TColor Color2, Byte Alpha1,
                  Byte Alpha2, int GradientMode, TColor BorderColor, int State) const override;
};

class TdxNavBarXPScrollButtonsPainter : public TdxNavBarBaseScrollButtonsPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarXPScrollButtonsPainter)
  void DrawBottomButton(TcxCanvas* Canvas, const TRect& R, TdxNavBarButtonPainterClass ButtonPainter, TColor Color1,
                        TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode, TColor BorderColor,
                        int State) const override;
  void DrawTopButton(TcxCanvas* Canvas, const TRect& R, TdxNavBarButtonPainterClass ButtonPainter, TColor Color1,
                     TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode, TColor BorderColor,
                     int State) const override;
};

// ---- XP 1 and XP 2 --------------------------------------------------------------------------------

class TdxNavBarXP1ViewInfo : public TdxNavBarBaseViewInfo {
  DECLARE_CLASS(TdxNavBarXP1ViewInfo, TdxNavBarBaseViewInfo)
 public:
  using TdxNavBarBaseViewInfo::TdxNavBarBaseViewInfo;
  void AssignBackgroundDefaults() override;
  void AssignGroupBackgroundDefaults() override;
  void AssignGroupHeaderDefaults() override;
  void AssignItemDefaults() override;
  void AssignItemDisabledDefaults() override;
};

class TdxNavBarXP1GroupViewInfo : public TdxNavBarExplorerBarGroupViewInfo {
  DECLARE_CLASS(TdxNavBarXP1GroupViewInfo, TdxNavBarExplorerBarGroupViewInfo)
 public:
  using TdxNavBarExplorerBarGroupViewInfo::TdxNavBarExplorerBarGroupViewInfo;
  TColor BackgroundBackColor() override;
  TColor BackgroundBackColor2() override;
  Byte BackgroundAlphaBlending() override;
  Byte BackgroundAlphaBlending2() override;
  TdxBarStyleGradientMode BackgroundGradientMode() override;
  TColor HeaderBackColor() override;
  TColor HeaderBackColor2() override;
  Byte HeaderAlphaBlending() override;
  Byte HeaderAlphaBlending2() override;
  TdxBarStyleGradientMode HeaderGradientMode() override;
};

class TdxNavBarXP1Painter : public TdxNavBarFlatPainter {
  DECLARE_CLASS(TdxNavBarXP1Painter, TdxNavBarFlatPainter)
 public:
  using TdxNavBarFlatPainter::TdxNavBarFlatPainter;
  TdxNavBarViewInfo* CreateViewInfo() override;
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                              bool AItemsVisible, bool ACaptionVisible) override;
  TdxNavBarScrollButtonsPainterClass ScrollButtonsPainterClass() override;
  TdxNavBarSelectionPainterClass SelectionPainterClass() override;
  // The caption's colours lightened by 40 and 80 % while the group is pressed.
  void DrawGroupCaptionBackground(TdxNavBarGroupViewInfo* AGroup) override;
};

class TdxNavBarXP2Painter : public TdxNavBarOffice1Painter {
  DECLARE_CLASS(TdxNavBarXP2Painter, TdxNavBarOffice1Painter)
 public:
  using TdxNavBarOffice1Painter::TdxNavBarOffice1Painter;
  TdxNavBarBackgroundPainterClass BackgroundPainterClass() override;
  TdxNavBarButtonPainterClass ButtonPainterClass() override;
  TdxNavBarGroupBackgroundPainterClass GroupBackgroundPainterClass() override;
  TdxNavBarScrollButtonsPainterClass ScrollButtonsPainterClass() override;
  TdxNavBarSelectionPainterClass SelectionPainterClass() override;
};

// ---- XP explorer bar ------------------------------------------------------------------------------

class TdxNavBarXPExplorerBarViewInfo : public TdxNavBarExplorerBarViewInfo {
  DECLARE_CLASS(TdxNavBarXPExplorerBarViewInfo, TdxNavBarExplorerBarViewInfo)
 public:
  using TdxNavBarExplorerBarViewInfo::TdxNavBarExplorerBarViewInfo;
  // The ExplorerBar theme's handle, 0 without one.
  static TdxTheme Theme();
  // A colour of the theme's part (state −1 for the bar's own part), or clNone.
  static TColor ThemeColor(int Part, int Property);
  TSize GroupSignSize() override { return Theme() ? TSize{22, 22} : TSize{18, 18}; }
  void CreateColors() override;
  void RefreshColors() override;
  void ReleaseColors() override;
  TColor BackgroundBackColor() override;
  TColor BackgroundBackColor2() override;
  Byte BackgroundAlphaBlending() override;
  Byte BackgroundAlphaBlending2() override;
  TdxBarStyleGradientMode BackgroundGradientMode() override;

 private:
  bool held_ = false;
};

class TdxNavBarXPExplorerBarGroupViewInfo : public TdxNavBarExplorerBarGroupViewInfo {
  DECLARE_CLASS(TdxNavBarXPExplorerBarGroupViewInfo, TdxNavBarExplorerBarGroupViewInfo)
 public:
  TdxNavBarXPExplorerBarGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup, bool AItemsVisible,
                                      bool ACaptionVisible);
  ~TdxNavBarXPExplorerBarGroupViewInfo() override;
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
  TFont* HeaderFont() override;
  TColor HeaderFontColor() override;

 private:
  TColor CaptionColor(bool Second);
  TFont* font_;
};

class TdxNavBarXPExplorerBarLinkViewInfo : public TdxNavBarLinkViewInfo {
  DECLARE_CLASS(TdxNavBarXPExplorerBarLinkViewInfo, TdxNavBarLinkViewInfo)
 public:
  TdxNavBarXPExplorerBarLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink,
                                     bool AImageVisible, bool ACaptionVisible);
  ~TdxNavBarXPExplorerBarLinkViewInfo() override;
  TFont* Font() override;
  TColor FontColor() override;

 private:
  TFont* font_;
};

class TdxNavBarXPExplorerBarBackgroundPainter : public TdxNavBarCustomBackgroundPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarXPExplorerBarBackgroundPainter)
  void DrawBackground(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, bool Erase, TColor EraseColor,
                      TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode) const override;
};

class TdxNavBarXPExplorerBarButtonPainter : public TdxNavBarCustomButtonPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarXPExplorerBarButtonPainter)
  void DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, TColor Color1, TColor Color2, Byte Alpha1,
                  Byte Alpha2, int GradientMode, TColor BorderColor, int State) const override;
};

class TdxNavBarXPExplorerBarSignPainter : public TdxNavBarExplorerBarSignPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarXPExplorerBarSignPainter)
  void DrawSign(TcxCanvas* Canvas, const TRect& R, TColor ForeColor, TColor BackColor1, TColor BackColor2,
                int State) const override;
};

class TdxNavBarXPExplorerBarPainter : public TdxNavBarExplorerBarPainter {
  DECLARE_CLASS(TdxNavBarXPExplorerBarPainter, TdxNavBarExplorerBarPainter)
 public:
  using TdxNavBarExplorerBarPainter::TdxNavBarExplorerBarPainter;
  TdxNavBarViewInfo* CreateViewInfo() override;
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                              bool AItemsVisible, bool ACaptionVisible) override;
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink,
                                            bool AImageVisible, bool ACaptionVisible) override;
  TdxNavBarBackgroundPainterClass BackgroundPainterClass() override;
  TdxNavBarButtonPainterClass ButtonPainterClass() override;
  TdxNavBarSignPainterClass SignPainterClass() override;
};

void StartXPViewsUnit();
void EndXPViewsUnit();
