#pragma once
// Views 18 "Office12ExplorerBarView" (colour schemes "Blue", "Black" and "Silver", each its own
// embedded skin, and a scroll bar drawn with the skin) and 19 "VistaExplorerBarView" (one skin, its
// elements only while visual styles are active).

#include "ui/foundation/Control.h"
#include "ui/navbar/NavBarSkinBasedViews.h"

// The scheme the last ApplyColorScheme on any Office12 helper set ("Blue" at the unit start): new
// Office12 painters start with it.
String DefaultOffice12Scheme();

class TdxNavBarOffice12PainterHelper : public TdxNavBarSkinBasedPainterHelper {
  DECLARE_CLASS(TdxNavBarOffice12PainterHelper, TdxNavBarSkinBasedPainterHelper)
 public:
  using TdxNavBarSkinBasedPainterHelper::TdxNavBarSkinBasedPainterHelper;
  // "Office12_" and the scheme name.
  String SkinName() override;
  int SchemeCount() override { return 3; }
  String SchemeName(int Index) override;
  void ApplyColorScheme(const String& Name) override;
};

class TdxNavBarOffice12ExplorerBarPainter;

// The explorer bar's scroll bar, drawn with the skin's scroll-bar parts. Its painter is the one of
// the bar it sits on while that is an Office12 explorer bar: a bar keeps its scroll-bar control when
// a new painter of the same class replaces the old one, so a stored pointer could outlive it.
class TdxNavBarcxOffice12ScrollBar : public TcxControlScrollBar {
  DECLARE_CLASS(TdxNavBarcxOffice12ScrollBar, TcxControlScrollBar)
 public:
  explicit TdxNavBarcxOffice12ScrollBar(TComponent* AOwner) : TcxControlScrollBar(AOwner) {}
  TdxNavBarOffice12ExplorerBarPainter* Painter() const;

 protected:
  void PaintPart(TcxCanvas* ACanvas, const TRect& R, TcxScrollBarPart Part, int State) override;
  bool PainterHotTracks() override { return Painter() ? true : TcxControlScrollBar::PainterHotTracks(); }
  int MinThumbLength() override;
};

class TdxNavBarOffice12ExplorerBarPainter : public TdxNavBarSkinBasedExplorerBarPainter {
  DECLARE_CLASS(TdxNavBarOffice12ExplorerBarPainter, TdxNavBarSkinBasedExplorerBarPainter)
 public:
  using TdxNavBarSkinBasedExplorerBarPainter::TdxNavBarSkinBasedExplorerBarPainter;
  String ColorSchemeName() { return GetColorSchemeName(); }
  void SetColorSchemeName(const String& Value) { ApplyColorScheme(Value); }
  String DefaultColorSchemeName() override { return DefaultOffice12Scheme(); }
  TdxNavBarSkinBasedPainterHelperClass HelperClass() override;
  // From a painter of this class: its scheme; else the base assignment.
  void Assign(TPersistent* Source) override;
  TComponentClass ScrollBarClass() override;
  // No link selection backgrounds.
  void DrawLinkSelection(TdxNavBarLinkViewInfo*) override {}
  // The first group's header is drawn grown by its content offsets.
  bool HeaderUsesContentOffsets(TdxNavBarGroupViewInfo* AGroup) override;
};

// View 17: the Office12 navigation pane (the main window's command bar).
class TdxNavBarOffice12NavPanePainter : public TdxNavBarSkinBasedNavPanePainter {
  DECLARE_CLASS(TdxNavBarOffice12NavPanePainter, TdxNavBarSkinBasedNavPanePainter)
 public:
  using TdxNavBarSkinBasedNavPanePainter::TdxNavBarSkinBasedNavPanePainter;
  String ColorSchemeName() { return GetColorSchemeName(); }
  void SetColorSchemeName(const String& Value) { ApplyColorScheme(Value); }
  String DefaultColorSchemeName() override { return DefaultOffice12Scheme(); }
  TdxNavBarSkinBasedPainterHelperClass HelperClass() override;
  // From a painter of this class: its scheme; else the base assignment.
  void Assign(TPersistent* Source) override;
};

// ---- Vista ------------------------------------------------------------------------------------

// Visual styles as IsThemeActive answers now (false when the library is missing).
bool VistaVisualStylesActive();

class TdxNavBarVistaPainterHelper : public TdxNavBarSkinBasedPainterHelper {
  DECLARE_CLASS(TdxNavBarVistaPainterHelper, TdxNavBarSkinBasedPainterHelper)
 public:
  using TdxNavBarSkinBasedPainterHelper::TdxNavBarSkinBasedPainterHelper;
  TdxSkinElement* BackgroundElement() override;
  TdxSkinElement* GroupHeaderElement() override;
  TdxSkinElement* ItemElement() override;
  TdxSkinElement* DropTargetElement() override { return nullptr; }
  TdxSkinElement* SeparatorElement() override { return nullptr; }
};

class TdxNavBarVistaExplorerBarViewInfo : public TdxNavBarExplorerBarViewInfo {
  DECLARE_CLASS(TdxNavBarVistaExplorerBarViewInfo, TdxNavBarExplorerBarViewInfo)
 public:
  using TdxNavBarExplorerBarViewInfo::TdxNavBarExplorerBarViewInfo;
  TRect GroupEdges() override { return {}; }
  int GroupCaptionHeightAddon() override { return 9; }
  int GroupImageIndent() override { return 2; }
  int DefaultSpaceBetweenGroups() override { return 0; }
  TPoint GroupsOrigin() override;
  TRect LinkImageEdgesUnscaled() override { return {7, 4, 9, 4}; }
  bool LinkHitWholeRow() override { return true; }
  void AssignItemHotTrackedDefaults() override;
};

class TdxNavBarVistaExplorerBarGroupViewInfo : public TdxNavBarExplorerBarGroupViewInfo {
  DECLARE_CLASS(TdxNavBarVistaExplorerBarGroupViewInfo, TdxNavBarExplorerBarGroupViewInfo)
 public:
  TdxNavBarVistaExplorerBarGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup, bool AItemsVisible,
                                         bool ACaptionVisible);
  ~TdxNavBarVistaExplorerBarGroupViewInfo() override;
  int ControlSizerHeight() override { return 4; }
  TColor HeaderBackColor() override;
  TColor HeaderBackColor2() override { return HeaderBackColor(); }
  TFont* HeaderFont() override;
  TColor HeaderFontColor() override;

 private:
  TFont* font_;
};

class TdxNavBarVistaExplorerBarLinkViewInfo : public TdxNavBarSkinBasedExplorerBarLinkViewInfo {
  DECLARE_CLASS(TdxNavBarVistaExplorerBarLinkViewInfo, TdxNavBarSkinBasedExplorerBarLinkViewInfo)
 public:
  TdxNavBarVistaExplorerBarLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink,
                                        bool AImageVisible, bool ACaptionVisible);
  ~TdxNavBarVistaExplorerBarLinkViewInfo() override;
  TFont* Font() override;
  TColor FontColor() override;

 private:
  TFont* font_;
};

// The base selection in clActiveCaption.
class TdxNavBarVistaExplorerBarSelectionPainter : public TdxNavBarCustomSelectionPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarVistaExplorerBarSelectionPainter)
  void GetSelectionColors(int State, TColor BackColor, TColor& FillColor, TColor& TopLeftOuter,
                          TColor& BottomRightOuter, TColor& TopLeftInner, TColor& BottomRightInner) const override;
};

// Fills the button with its background colour only.
class TdxNavBarVistaExplorerBarButtonPainter : public TdxNavBarCustomButtonPainter {
  DX_NAVBAR_PAINTER_CLASS(TdxNavBarVistaExplorerBarButtonPainter)
  void DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, TColor Color1, TColor Color2, Byte Alpha1,
                  Byte Alpha2, int GradientMode, TColor BorderColor, int State) const override;
};

class TdxNavBarVistaExplorerBarPainter : public TdxNavBarSkinBasedExplorerBarPainter {
  DECLARE_CLASS(TdxNavBarVistaExplorerBarPainter, TdxNavBarSkinBasedExplorerBarPainter)
 public:
  using TdxNavBarSkinBasedExplorerBarPainter::TdxNavBarSkinBasedExplorerBarPainter;
  String DefaultColorSchemeName() override { return L"Vista"; }
  TdxNavBarSkinBasedPainterHelperClass HelperClass() override;
  TdxNavBarViewInfo* CreateViewInfo() override;
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                              bool AItemsVisible, bool ACaptionVisible) override;
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink,
                                            bool AImageVisible, bool ACaptionVisible) override;
  TdxNavBarButtonPainterClass ButtonPainterClass() override;
  TdxNavBarSelectionPainterClass SelectionPainterClass() override;
  void DrawBackground() override;
  void DrawLinkSelection(TdxNavBarLinkViewInfo* ALink) override;
  // A raised divider at the sizer's top.
  void DrawGroupControlSizer(TdxNavBarExplorerBarGroupViewInfo* AGroup) override;
};

void StartOffice12ViewsUnit();
void EndOffice12ViewsUnit();
