#pragma once
// The status bar: a bar docked at the bottom of a form that shows a row of panels separated by small
// gaps, with an optional size grip in the bottom-right corner. Each panel has a width policy, a bevel,
// a text, click events and an owned panel style that draws its content (StatusBarStyles.h). All
// drawing goes through a painter chosen from the paint style (StatusBarPainters.h). The layout is
// computed once per change and kept in the view info; painting and hit testing walk its widths.

#include <vector>

#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/graphics/ImageList.h"
#include "ui/foundation/Classes.h"
#include "ui/foundation/Control.h"
#include "ui/foundation/Themes.h"

class TdxCustomStatusBar;
class TdxStatusBarPanel;
class TdxStatusBarPanels;
class TdxStatusBarPanelStyle;
class TdxStatusBarPainter;
using TdxStatusBarPainterClass = const TdxStatusBarPainter*;

enum TdxStatusBarPanelBevel : Byte { dxpbNone, dxpbLowered, dxpbRaised };

// The paint style codes of the bar.
enum : Byte { stpsStandard = 0, stpsFlat = 1, stpsXP = 2, stpsOffice11 = 3, stpsUseLookAndFeel = 4 };

// ---- panel styles ---------------------------------------------------------------------------------

// The style family's metaclass: the virtual constructor takes the panel; RequiresRibbonStatusBar is
// the class function of the family.
class TdxStatusBarPanelStyleMetaClass : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;
  virtual TdxStatusBarPanelStyle* CreateForPanel(TdxStatusBarPanel* APanel) const = 0;
  virtual bool RequiresRibbonStatusBar() const = 0;
  template <class Self>
  class Of;
};
using TdxStatusBarPanelStyleClass = const TdxStatusBarPanelStyleMetaClass*;

class TdxStatusBarPanelStyle : public TPersistent {
 public:
  using MetaClass = TdxStatusBarPanelStyleMetaClass;
  DECLARE_CLASS(TdxStatusBarPanelStyle, TPersistent)

 public:
  // CreateForPanel: the owner, a font of its own, ParentFont on.
  explicit TdxStatusBarPanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarPanelStyle() override;
  static bool RequiresRibbonStatusBar() { return false; }

  void Assign(TPersistent* Source) override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  TColor Color();
  void SetColor(TColor Value);
  bool ColorAssigned() const { return colorAssigned_; }
  TFont* Font() const { return font_; }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool Value);
  TdxStatusBarPanel* Owner() const { return owner_; }
  TdxCustomStatusBar* StatusBar() const;
  bool PanelFixed() const;

  virtual void AdjustTextColor(TColor& AColor, bool Active);
  virtual bool CanBeDeleted() { return true; }
  virtual bool HasAdjustableWidth() { return true; }
  virtual void Changed();
  virtual void ExcludeSizeGrip(TRect& R);
  virtual TColor DefaultColor();
  virtual void CopyFrom(TdxStatusBarPanelStyle* Source);
  virtual void DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter);
  virtual int DefaultMinWidth() { return 20; }
  virtual bool DrawsOwnBorder() { return false; }
  virtual void AfterLoad() {}
  virtual void VisibilityChanged() {}
  virtual void SyncParentFont();
  virtual void RestoreDefaults();

 protected:
  void FontChanged(TObject* Sender);

 private:
  TAlignment alignment_ = taLeftJustify;
  TColor color_ = clDefault;
  bool colorAssigned_ = false;
  TFont* font_;
  TdxStatusBarPanel* owner_;
  bool parentFont_ = true;
};

template <class Self>
class TdxStatusBarPanelStyleMetaClass::Of : public TdxStatusBarPanelStyleMetaClass {
 public:
  using TdxStatusBarPanelStyleMetaClass::TdxStatusBarPanelStyleMetaClass;
  TdxStatusBarPanelStyle* CreateForPanel(TdxStatusBarPanel* APanel) const override {
    if constexpr (!std::is_abstract_v<Self> && std::is_constructible_v<Self, TdxStatusBarPanel*>) {
      return NewObject<Self>(APanel);
    } else {
      RaiseAbstractCreate(this);
    }
  }
  bool RequiresRibbonStatusBar() const override { return Self::RequiresRibbonStatusBar(); }
};

// The process-wide registry of panel styles (description -> class), made on first use.
TcxRegisteredClasses* PanelStyleRegistry();

// ---- panels ---------------------------------------------------------------------------------------

class TdxStatusBarPanel;
using TdxStatusBarDrawPanelEvent =
    TEvent<void(TdxStatusBarPanel* Sender, TcxCanvas* ACanvas, const TRect& ARect, bool& ADone)>;

class TdxStatusBarPanel : public TCollectionItem {
  DECLARE_CLASS(TdxStatusBarPanel, TCollectionItem)
 public:
  explicit TdxStatusBarPanel(TCollection* Collection);
  ~TdxStatusBarPanel() override;
  // A style that refuses deletion keeps its panel: the panel raises before it leaves the collection.
  void BeforeDestruction() override;
  void Assign(TPersistent* Source) override;

  TdxCustomStatusBar* StatusBar() const;
  TdxStatusBarPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TdxStatusBarPanelBevel Value);
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool Value);
  bool Fixed();
  bool StoredFixed() const { return fixed_; }
  void SetFixed(bool Value);
  int MinWidth();
  void SetMinWidth(int Value);
  bool MinWidthAssigned() const { return minWidthAssigned_; }
  int Width();
  void SetWidth(int Value);
  bool WidthAssigned() const { return widthAssigned_; }
  const String& Text() const { return text_; }
  void SetText(const String& Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  TdxStatusBarPanelStyle* PanelStyle() const { return panelStyle_; }
  void SetPanelStyle(TdxStatusBarPanelStyle* Value);
  TdxStatusBarPanelStyleClass PanelStyleClass() const { return panelStyleClass_; }
  void SetPanelStyleClass(TdxStatusBarPanelStyleClass Value);
  String PanelStyleClassName() const;
  void SetPanelStyleClassName(const String& Value);

  TNotifyEvent PanelStyleEvents;  // shows the style's events in a designer; nothing calls it
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TdxStatusBarDrawPanelEvent OnDrawPanel;

  virtual void Click();
  virtual void CreatePanelStyle();
  virtual void DblClick();
  virtual int DefaultMinWidth();
  virtual int DefaultWidth();
  virtual void FreePanelStyle();
  virtual int EffectiveMinWidth();
  virtual int EffectiveWidth();
  virtual void AddFrameExtent(int& W);
  virtual void NotifyChanged() { Changed(false); }
  virtual void RestoreDefaults();

 protected:
  String GetDisplayName() const override;

 private:
  void TakeBarBiDiMode();
  void CheckStyleCanBeDeleted();
  bool StyleAdjustsWidth() { return !panelStyle_ || panelStyle_->HasAdjustableWidth(); }

  TdxStatusBarPanelBevel bevel_ = dxpbLowered;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool fixed_ = true;
  bool minWidthAssigned_ = false;
  bool widthAssigned_ = false;
  int minWidth_ = 20;
  TdxStatusBarPanelStyle* panelStyle_ = nullptr;
  TdxStatusBarPanelStyleClass panelStyleClass_ = nullptr;
  bool parentBiDiMode_ = true;
  String text_;
  bool visible_ = true;
  int width_ = 50;
};

class TdxStatusBarPanels : public TCollection {
  DECLARE_CLASS(TdxStatusBarPanels, TCollection)
 public:
  // CreateForStatusBar.
  explicit TdxStatusBarPanels(TdxCustomStatusBar* AStatusBar);
  TPersistent* GetOwner() override;
  TdxCustomStatusBar* StatusBar() const { return statusBar_; }
  TdxStatusBarPanel* PanelAt(int Index) const { return static_cast<TdxStatusBarPanel*>(Items(Index)); }
  TdxStatusBarPanel* Add() { return static_cast<TdxStatusBarPanel*>(TCollection::Add()); }
  // Every panel's style hears that the bar was loaded.
  void NotifyStylesLoaded();

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TdxCustomStatusBar* statusBar_;
};

// ---- layout ---------------------------------------------------------------------------------------

class TdxStatusBarViewInfo : public TObject {
  DECLARE_CLASS(TdxStatusBarViewInfo, TObject)
 public:
  // CreateForBar.
  explicit TdxStatusBarViewInfo(TdxCustomStatusBar* AStatusBar) : statusBar_(AStatusBar) {}
  virtual void ComputeLayout(const TRect& R);
  TdxCustomStatusBar* StatusBar() const { return statusBar_; }
  // One width per visible panel and one per separator, left to right.
  const std::vector<int>& Widths() const { return widths_; }
  const std::vector<TdxStatusBarPanel*>& VisiblePanels() const { return panels_; }
  bool SizeGripOverlapped() const { return sizeGripOverlapped_; }

 private:
  TdxCustomStatusBar* statusBar_;
  std::vector<int> widths_;
  std::vector<TdxStatusBarPanel*> panels_;
  bool sizeGripOverlapped_ = false;
};

// ---- the bar --------------------------------------------------------------------------------------

// The constructor calls the virtual factories (CreateViewInfo, CreatePanels, SelectPainterClass) of this
// class; a descendant that overrides them makes its own again in its constructor.
class TdxCustomStatusBar : public TcxControl {
  DECLARE_CLASS(TdxCustomStatusBar, TcxControl)
 public:
  explicit TdxCustomStatusBar(TComponent* AOwner);
  ~TdxCustomStatusBar() override;

  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int Value);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  TdxStatusBarPanels* Panels() const { return panels_; }
  void SetPanels(TdxStatusBarPanels* Value) { panels_->Assign(Value); }
  // Hides TcxControl's size-grip window accessor: a status bar has no scroll bars, its grip is drawn.
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool Value);
  void SetLookAndFeel(TcxLookAndFeel* Value);
  TdxStatusBarPainterClass Painter() const { return painter_; }
  Byte PaintStyle() const { return paintStyle_; }
  bool ThemesAvailable() const { return themesAvailable_; }
  TdxStatusBarViewInfo* ViewInfo() const { return viewInfo_; }
  TNotifyEvent OnHint;

  virtual void AdjustDefaultTextColor(TColor& AColor, bool Active) { (void)AColor, (void)Active; }
  virtual TdxStatusBarViewInfo* CreateViewInfo();
  virtual void CalculateLayout();
  virtual TdxStatusBarPanel* AddPanel();
  virtual TdxStatusBarPanels* CreatePanels();
  virtual bool FireHint();
  virtual TdxStatusBarPanelStyleClass DefaultPanelStyleClass();
  virtual TdxStatusBarPainterClass SelectPainterClass();
  virtual Byte EffectivePaintStyle();
  virtual TCollectionItemClass PanelClass();
  virtual void UpdatePainter();
  virtual void PainterChanged();
  virtual bool IsSizeGripVisible();
  virtual void ThemeChanged() { PainterChanged(); }
  virtual void UpdateLayout();
  virtual bool AcceptsPanelStyleClass(TdxStatusBarPanelStyleClass AClass);
  virtual TdxStatusBarPanel* PanelAtPoint(int X, int Y);

  void Recalculate();
  TRect PanelsBounds();
  TPoint PointToParentForm(const TPoint& P);
  // The bar is being loaded, read, destroyed, or its panels are being updated.
  bool IsLoadingOrReading() const;
  bool IsUpdating() const;
  // Loading, reading, being destroyed or updating: styles and controls are only forgotten then.
  bool IsLoadingDestroyingOrUpdating() const { return IsLoadingOrReading() || IsBeingDestroyed() || IsUpdating(); }

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool HasScrollBars() override { return false; }
  bool NeedsEraseBackground() override { return false; }
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void NotifyFontListeners() override;
  void ColorChanged() override { UpdateLayout(); }
  void LookAndFeelUpdated() override { PainterChanged(); }

 protected:
  void Paint() override;
  void SetPaintStyle(Byte Value);
  // Frees the view info and makes it again through CreateViewInfo (a descendant's constructor).
  void RecreateViewInfo();
  void CMActionExecute(TMessage& Message);
  void CMBiDiModeChanged(TMessage& Message);
  void CMRelayout(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void WMNCHitTest(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_ACTIONEXECUTE, CMActionExecute)
  MESSAGE_HANDLER(CM_BIDIMODECHANGED, CMBiDiModeChanged)
  MESSAGE_HANDLER(CM_PARENTFONTCHANGED, CMRelayout)
  MESSAGE_HANDLER(CM_WININICHANGE, CMRelayout)
  MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
  MESSAGE_HANDLER(CM_SYSCOLORCHANGE, CMSysColorChange)
  MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest)
  MESSAGE_MAP_END

 private:
  void ImageListChanged(TObject* Sender) { (void)Sender, UpdateLayout(); }

  int borderWidth_ = 0;
  TCustomImageList* images_ = nullptr;
  TChangeLink* imageChangeLink_ = nullptr;
  TdxStatusBarPainterClass painter_ = nullptr;
  Byte paintStyle_ = stpsStandard;
  TdxStatusBarPanels* panels_ = nullptr;
  bool sizeGrip_ = true;
  bool themesAvailable_ = false;
  TdxThemeChangedNotificator* themeNotificator_ = nullptr;
  TdxStatusBarViewInfo* viewInfo_ = nullptr;
  bool office11Acquired_ = false;
};
