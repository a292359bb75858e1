#pragma once
// The ribbon form's status bar: a status bar that takes its colours and its background, panel,
// separator and size-grip images from the colour skin of the ribbon it is bound to, registers with
// that ribbon so the form can draw its frame's bottom edge around it, and answers that frame through
// IdxRibbonStatusBarFrameInfo. Without a ribbon it draws in button-face colours.

#include "ui/bars/DockControl.h"
#include "ui/bars/painters/SkinnedPainter.h"
#include "ui/ribbon/RibbonGroups.h"
#include "ui/ribbon/statusbar/StatusBar.h"
#include "ui/ribbon/statusbar/StatusBarPainters.h"

class TdxCustomRibbon;
class TdxCustomRibbonSkin;

// What the ribbon form asks of a status bar to draw the bottom of its frame.
class IdxRibbonStatusBarFrameInfo {
 public:
  virtual ~IdxRibbonStatusBarFrameInfo() = default;
  // The status bar is visible and its owner is AForm.
  virtual bool IsShownFor(TCustomForm* AForm) = 0;
  virtual int GetHeight() = 0;
  // Index 0: the size grip is drawn; index 1: the first visible panel is raised.
  virtual bool GetEdgeFlag(int Index) = 0;
};

class TdxRibbonStatusBar;
class TdxStatusBarToolbarPanelStyle;

// The painter of toolbar panels while the status bar has no ribbon skin.
class TdxDefaultRibbonStatusBarBarControlPainter : public TdxBarFlatPainter {
  DECLARE_CLASS(TdxDefaultRibbonStatusBarBarControlPainter, TdxBarFlatPainter)
 public:
  explicit TdxDefaultRibbonStatusBarBarControlPainter(TcxCustomLookAndFeelPainterClass SkinPainter = nullptr)
      : TdxBarFlatPainter(SkinPainter) {}
  TRect CalcBarBorderRect(TdxBarControl*) override { return {2, 2, 2, 1}; }
  int MarkSize() override { return 0; }
  int ButtonVertPadding() override;
};

// The painter of toolbar panels on a ribbon's status bar: the panel's image behind the toolbar, the
// skin's toolbar separators and panel text colours; the ribbon is the skin owner of its items.
class TdxRibbonStatusBarBarControlPainter : public TdxBarSkinnedPainter {
  DECLARE_CLASS(TdxRibbonStatusBarBarControlPainter, TdxBarSkinnedPainter)
 public:
  TdxRibbonStatusBarBarControlPainter(TdxRibbonStatusBar* AStatusBar, TObject* ARibbon);
  // Through the painter-class table: no status bar, the skinned painter's drawing.
  explicit TdxRibbonStatusBarBarControlPainter(TcxCustomLookAndFeelPainterClass SkinPainter)
      : TdxBarSkinnedPainter(SkinPainter) {}
  TRect CalcBarBorderRect(TdxBarControl*) override { return {2, 2, 2, 1}; }
  int SeparatorSize() override { return 2; }
  int MarkSize() override { return 0; }
  int ButtonVertPadding() override;
  void DrawBarControlBackground(TdxBarControl* BarControl, HDC DC, const TRect& R) override;
  void DrawBarNonClientArea(TdxBarControl* BarControl, HDC DC, const TRect& R) override;
  void DrawBarSeparator(TdxBarControl* BarControl, HDC DC, const TRect& R, bool Horizontal) override;
  void DisabledTextColors(bool Selected, bool Flat, TColor& Text, TColor& Shadow) override;
  TColor ItemTextColor(TdxBarItemControl* Control, bool Selected, bool Flat) override;

 private:
  // The panel's image over R, stretched from the status bar's top to its bottom.
  bool DrawPanelImage(TdxBarControl* BarControl, HDC DC, const TRect& R);
  TdxCustomRibbonSkin* Skin() const;
  TdxRibbonStatusBar* statusBar_ = nullptr;
};

// The site of a toolbar panel's toolbar: a child window of the status bar over its panel.
class TdxRibbonStatusBarDockControl : public TdxBarDockControl {
  DECLARE_CLASS(TdxRibbonStatusBarDockControl, TdxBarDockControl)
 public:
  explicit TdxRibbonStatusBarDockControl(TdxStatusBarToolbarPanelStyle* AStyle);
  TdxStatusBarToolbarPanelStyle* PanelStyle() const { return style_; }
  TdxRibbonStatusBar* StatusBar() const;
  TdxStatusBarPanel* Panel() const;
  TdxBarControl* CreateBarControlFor(TdxBar* Bar) override;
  // The panel's image behind the toolbar, stretched over the status bar's height.
  void FillBackground(HDC DC, const TRect& R, HBRUSH Brush, TColor Color) override;
  bool NeedsDoubleBuffering() override { return true; }
  // The ribbon painter while the status bar has a ribbon, else the status bar's default painter.
  TdxBarPainter* Painter() override;

 private:
  TdxStatusBarToolbarPanelStyle* style_;
  ObjectPtr<TdxRibbonStatusBarBarControlPainter> painter_;
};

// The window of a toolbar shown in a toolbar panel: no glyph, no mark.
class TdxRibbonStatusBarBarControl : public TdxRibbonCustomBarControl {
  DECLARE_CLASS(TdxRibbonStatusBarBarControl, TdxRibbonCustomBarControl)
 public:
  using TdxRibbonCustomBarControl::TdxRibbonCustomBarControl;
  // Its site's painter.
  TdxBarPainter* Painter() override;
};

// A panel that shows a toolbar of the form's bar manager.
class TdxStatusBarToolbarPanelStyle : public TdxStatusBarPanelStyle {
  DECLARE_CLASS(TdxStatusBarToolbarPanelStyle, TdxStatusBarPanelStyle)
 public:
  explicit TdxStatusBarToolbarPanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarToolbarPanelStyle() override;
  static bool RequiresRibbonStatusBar() { return true; }

  TdxRibbonStatusBarDockControl* DockControl() const { return dockControl_; }
  TdxBar* Toolbar() const { return toolbar_; }
  void SetToolbar(TdxBar* Value);
  // The bar manager of the status bar's form; raises when there is none.
  TdxBarManager* BarManager();
  // The bar of the name in the form's bar manager (raises without one), or null.
  TdxBar* FindToolbar(const String& AName);
  // The toolbar's window when it shows in this panel.
  TdxRibbonStatusBarBarControl* BarControl() const;

  // A fixed panel is as wide as its toolbar's one row + 2; 50 without a toolbar.
  int DefaultMinWidth() override;
  void DrawContent(TcxCanvas*, TRect, TdxStatusBarPainterClass) override {}
  void VisibilityChanged() override;
  void CopyFrom(TdxStatusBarPanelStyle* Source) override;

 private:
  TdxRibbonStatusBarDockControl* dockControl_ = nullptr;
  TdxBar* toolbar_ = nullptr;
};

// Places each toolbar panel's dock control over its panel after the inherited layout.
class TdxRibbonStatusBarViewInfo : public TdxStatusBarViewInfo {
  DECLARE_CLASS(TdxRibbonStatusBarViewInfo, TdxStatusBarViewInfo)
 public:
  using TdxStatusBarViewInfo::TdxStatusBarViewInfo;
  void ComputeLayout(const TRect& R) override;
};

class TdxRibbonStatusBar : public TdxCustomStatusBar, public IdxRibbonStatusBarFrameInfo {
  DECLARE_CLASS(TdxRibbonStatusBar, TdxCustomStatusBar)
 public:
  // Refuses, before anything is made, what the ribbon refuses (no GDI+, an owner that is not a form,
  // a second ribbon status bar on the form).
  explicit TdxRibbonStatusBar(TComponent* AOwner);
  ~TdxRibbonStatusBar() override;

  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  void SetRibbon(TdxCustomRibbon* Value);
  // A ribbon is set and is not being destroyed.
  bool HasRibbon() const;
  // The bound ribbon's colour skin; null without HasRibbon or without a skin.
  TdxCustomRibbonSkin* Skin() const;
  // The colour as set; clDefault follows the skin's status-bar colour.
  TColor ColorValue() const { return colorValue_; }
  void SetColor(TColor Value);
  void UpdateColor();

  bool LastPanelFlat() const { return lastPanelFlat_; }
  bool SizeGripShown() const { return sizeGripShown_; }
  bool FirstPanelRaised() const { return firstPanelRaised_; }
  TdxDefaultRibbonStatusBarBarControlPainter* DefaultBarPainter() const { return defaultBarPainter_.get(); }

  bool IsShownFor(TCustomForm* AForm) override;
  int GetHeight() override { return Height(); }
  bool GetEdgeFlag(int Index) override;

  void AdjustDefaultTextColor(TColor& AColor, bool Active) override;
  TdxStatusBarViewInfo* CreateViewInfo() override;
  TdxStatusBarPainterClass SelectPainterClass() override;
  bool AcceptsPanelStyleClass(TdxStatusBarPanelStyleClass) override { return true; }
  // Grows to hold the tallest toolbar of its toolbar panels.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void CalculateLayout() override;
  // The parent must sit on a form; the bar then goes below every other bottom-aligned control.
  void SetParent(TWinControl* AParent) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void CMBarVisibleChanged(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_VISIBLECHANGED, CMBarVisibleChanged)
  MESSAGE_MAP_END

 private:
  static TComponent* CheckOwner(TComponent* AOwner);
  void ColorSchemeChanged(TObject* Sender, const void* Args);
  void RecomputeFlags();
  // Makes the owner form recompute its frame (the bottom edge follows the bar).
  void UpdateFormFrame();
  // Every toolbar panel's style (visible or not).
  std::vector<TdxStatusBarToolbarPanelStyle*> ToolbarStyles() const;

  ObjectPtr<TdxDefaultRibbonStatusBarBarControlPainter> defaultBarPainter_;
  TColor colorValue_ = clDefault;
  TdxCustomRibbon* ribbon_ = nullptr;
  bool lastPanelFlat_ = true;
  bool sizeGripShown_ = false;
  bool firstPanelRaised_ = false;
};

// Draws in the bound ribbon's skin; without one a button-face bar with a shadow frame.
class TdxRibbonStatusBarPainter : public TdxStatusBarPainter {
 public:
  static TdxStatusBarPainterClass Class();
  TRect BorderSizes(TdxCustomStatusBar*) const override { return {1, 1, 1, 0}; }
  TSize SizeGripSize() const override { return {19, 19}; }
  int SeparatorWidth() const override { return 3; }
  int TopBorderHeight() const override { return 0; }
  TdxStatusBarPanelBevel EffectiveBevel(TdxStatusBarPanel* APanel) const override;
  void DrawBorder(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, TRect& R) const override;
  void DrawEmptyArea(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, TRect R) const override;
  void DrawPanelBevel(TdxCustomStatusBar* ABar, TdxStatusBarPanelBevel ABevel, TRect& R,
                      TcxCanvas* ACanvas) const override;
  void DrawSeparator(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, const TRect& R) const override;
  void PaintSizeGrip(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, bool Overlapped, const TRect& R) const override;
};
