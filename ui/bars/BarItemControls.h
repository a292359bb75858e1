#pragma once
// Item controls: the visual object of one link while it is shown in an open bar window. A control
// answers its window's questions (its size at a view level and paint style, its parts, its glyph,
// whether it can be selected), draws itself through the window's painter, tracks its hot part and
// turns a click into the item's command. Here the base with its draw parameters, view info and glyph
// cache, and the static, separator, button and application-menu button controls.

#include <vector>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/graphics/ImageList.h"
#include "platform/framework/windows/ShortCuts.h"
#include "ui/bars/BarHints.h"
#include "ui/bars/BarTypes.h"
#include "ui/bars/painters/SkinInterfaces.h"
#include "ui/foundation/Classes.h"
#include "ui/foundation/Graphics.h"

class TCustomdxBarControl;
class TdxBarAccessibilityHelper;
class TdxBarAccessibilityHelperMetaClass;
class TdxFader;
class TdxBarItemControl;
class TdxBarButton;
class TcxCanvas;
class TcxStyle;

// ---- content parts ------------------------------------------------------------------------------

// Stored as one byte: cpIcon 2, cpText 4.
enum TdxBarContentPart { cpNone, cpIcon, cpText };
using TdxBarContentParts = TSet<TdxBarContentPart>;

// The glyph sizes of ViewSize: 0 small, 1 large icons on toolbars, 2 large glyph.
enum TdxBarViewSize { bvsSmall = 0, bvsLargeIcons = 1, bvsLarge = 2 };

// ---- draw parameters ----------------------------------------------------------------------------

// The values a control hands to the painter.
class TdxBarItemControlDrawParams : public TObject {
  DECLARE_CLASS(TdxBarItemControlDrawParams, TObject)
 public:
  explicit TdxBarItemControlDrawParams(TdxBarItemControl* AOwner) : owner_(AOwner) {}
  TdxBarItemControl* OwnerItemControl() const { return owner_; }
  // Stores the view size; a change drops the owner's cached glyph.
  void ChangeViewSize(Byte Value);

  Byte ViewSize = bvsSmall;
  TcxCanvas* Canvas = nullptr;
  String Caption;
  String Description;
  String ShortCutText;
  // 0 normal, 1 menu, 2 rotated text.
  Byte PaintType = 0;
  TdxBarContentParts ContentParts;
  bool Enabled = true;
  bool CanSelect = true;
  bool Selected = false;
  bool DroppedDown = false;
  bool HasDropDown = false;
  int HotPart = -1;
  bool Customizing = false;
  bool Pressed = false;
  bool KeyboardSelected = false;
  TSize GlyphCellSize{};

 private:
  TdxBarItemControl* owner_;
};

class TdxBarStaticLikeControlDrawParams : public TdxBarItemControlDrawParams {
  DECLARE_CLASS(TdxBarStaticLikeControlDrawParams, TdxBarItemControlDrawParams)
 public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  // Filled by the static item's control; the other static-like controls keep the defaults.
  TAlignment Alignment = taLeftJustify;
  bool IsStatic = false;
  TRect BorderMargins{};
  TdxBarStaticBorderStyle BorderStyle = sbsNone;
};

class TdxBarSeparatorControlDrawParams : public TdxBarStaticLikeControlDrawParams {
  DECLARE_CLASS(TdxBarSeparatorControlDrawParams, TdxBarStaticLikeControlDrawParams)
 public:
  using TdxBarStaticLikeControlDrawParams::TdxBarStaticLikeControlDrawParams;
  bool IsFirstShown = false;
};

// The draw parameters of edit-like controls: Focused while the in-place editor is open; ExtraState
// the control's own query (drawn as a plain frame around the whole control).
class TdxBarEditLikeControlDrawParams : public TdxBarItemControlDrawParams {
  DECLARE_CLASS(TdxBarEditLikeControlDrawParams, TdxBarItemControlDrawParams)
 public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  bool Focused = false;
  bool ExtraState = false;
};

class TdxBarButtonLikeControlDrawParams : public TdxBarItemControlDrawParams {
  DECLARE_CLASS(TdxBarButtonLikeControlDrawParams, TdxBarItemControlDrawParams)
 public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  bool Down = false;
  bool PressedState = false;
  bool ArrowPressed = false;
  bool IsButton = false;
  bool DropDownEnabled = false;
  bool SplitEdgeHot = false;
  bool SplitEdgeVisible = false;
  int ExtraFlag = 0;
  bool Lowered = false;
  // The drop-down arrow's width and the bar window's arrow height.
  TSize ArrowSize{};
  TdxBarButtonGroupPosition PositionInButtonGroup = bgpNone;
};

class TdxBarApplicationMenuButtonControlDrawParams : public TdxBarButtonLikeControlDrawParams {
  DECLARE_CLASS(TdxBarApplicationMenuButtonControlDrawParams, TdxBarButtonLikeControlDrawParams)
 public:
  using TdxBarButtonLikeControlDrawParams::TdxBarButtonLikeControlDrawParams;
  int ButtonWidth = 0;
};

// ---- view info ----------------------------------------------------------------------------------

// An item that shows its content in columns (an in-ribbon gallery): a group layout narrows it by
// columns, then collapses it to a single button.
class IdxRibbonMultiColumnItem : public virtual IInterface {
 public:
  virtual bool CanCollapse() = 0;
  virtual bool Collapsed() = 0;
  virtual int ColumnCount() = 0;
  virtual int MaxColumnCount() = 0;
  virtual int MinColumnCount() = 0;
  virtual int GetWidth(int AColumnCount) = 0;
  virtual void SetCollapsed(bool Value) = 0;
  virtual void SetColumnCount(int Value) = 0;

 protected:
  ~IdxRibbonMultiColumnItem() override = default;
};

// What a group layout reads of a control's view info and writes back.
class IdxBarItemControlViewInfo : public virtual IInterface {
 public:
  virtual TdxBarItemAlign GetAlign() = 0;
  virtual TdxBarItemViewLevels GetAllowedViewLevels() = 0;
  virtual TRect GetBounds() = 0;
  virtual void SetBounds(const TRect& R) = 0;
  // The number of item rows of the column the layout put the control in.
  virtual void SetColumnRowCount(int Value) = 0;
  // The link's position: a new row, a new column, or on in the previous item's row.
  virtual TdxBarItemPosition GetPosition() = 0;
  // The link's button-group kind (bgpNone unless the control acts as a button).
  virtual TdxBarButtonGroupPosition GetPositionInButtonGroup() = 0;
  // The layout's button-group code: 0 none, 1 a start with members after it, 2 a member followed
  // by another, 3 the last member, 4 a start without members.
  virtual int GetButtonGroupPosition() = 0;
  virtual void SetButtonGroupPosition(int Value) = 0;
  virtual int GetRow() = 0;
  virtual void SetRow(int Value) = 0;
  virtual TdxBarItemViewLevel GetViewLevel() = 0;
  virtual void SetViewLevel(TdxBarItemViewLevel Value) = 0;
  // The level a control starts with while it is in a button group.
  virtual TdxBarItemViewLevel GetButtonGroupViewLevel() = 0;
  virtual int GetWidth(TdxBarItemViewLevel Level) = 0;
  virtual bool GetBeginGroup() = 0;
  // True with the control's multi-column face; with CheckCollapsed false while it is collapsed.
  virtual bool IsMultiColumn(bool CheckCollapsed, IdxRibbonMultiColumnItem*& Item) = 0;
  virtual void FinishLayout() = 0;

 protected:
  ~IdxBarItemControlViewInfo() override = default;
};

// The layout record of a control, listed by its bar window's view info while laid out.
class TdxBarItemControlViewInfo : public TcxInterfacedPersistent, public IdxBarItemControlViewInfo {
  DECLARE_CLASS(TdxBarItemControlViewInfo, TcxInterfacedPersistent)
 public:
  explicit TdxBarItemControlViewInfo(TdxBarItemControl* AControl);
  // Leaves the bar window's view info unless that window is being destroyed.
  ~TdxBarItemControlViewInfo() override;
  virtual void ResetWidthCache();

  TdxBarItemControl* Control() const { return control_; }
  TRect BoundsRect() const { return bounds_; }
  void SetBounds(const TRect& R) override { bounds_ = R; }
  TRect ImageBounds{};
  TdxBarItemViewLevels AllowedViewLevels() const { return allowedViewLevels_; }
  TdxBarItemViewLevel MinPossibleViewLevel() const { return minPossibleViewLevel_; }
  TdxBarItemViewLevel ViewLevelForButtonGroup() const { return viewLevelForButtonGroup_; }
  TdxBarItemViewLevel ViewLevel() const { return viewLevel_; }
  void SetViewLevel(TdxBarItemViewLevel Value) override { viewLevel_ = Value; }
  TdxBarButtonGroupPosition PositionInButtonGroup();
  // The width at a level of AllowedViewLevels (measured once, cached until ResetWidthCache); any
  // other level raises "Testing! The level is not allowed".
  int WidthForViewLevel(TdxBarItemViewLevel Level);

  // IdxBarItemControlViewInfo
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
  TdxBarItemAlign GetAlign() override;
  TdxBarItemViewLevels GetAllowedViewLevels() override { return allowedViewLevels_; }
  TRect GetBounds() override { return bounds_; }
  TdxBarButtonGroupPosition GetPositionInButtonGroup() override { return PositionInButtonGroup(); }
  TdxBarItemViewLevel GetViewLevel() override { return viewLevel_; }
  int GetWidth(TdxBarItemViewLevel Level) override { return WidthForViewLevel(Level); }
  void SetColumnRowCount(int Value) override { columnRowCount_ = Value; }
  TdxBarItemPosition GetPosition() override;
  int GetButtonGroupPosition() override { return buttonGroupPosition_; }
  void SetButtonGroupPosition(int Value) override { buttonGroupPosition_ = Value; }
  int GetRow() override { return row_; }
  void SetRow(int Value) override { row_ = Value; }
  TdxBarItemViewLevel GetButtonGroupViewLevel() override { return viewLevelForButtonGroup_; }
  bool GetBeginGroup() override;
  // A control whose view info offers IdxRibbonMultiColumnItem is multi-column.
  bool IsMultiColumn(bool CheckCollapsed, IdxRibbonMultiColumnItem*& Item) override;
  void FinishLayout() override {}
  int ColumnRowCount() const { return columnRowCount_; }

 private:
  TdxBarItemControl* control_;
  TRect bounds_{};
  TdxBarItemViewLevels allowedViewLevels_;
  TdxBarItemViewLevel minPossibleViewLevel_ = ivlLargeIconWithText;
  TdxBarItemViewLevel viewLevelForButtonGroup_ = ivlLargeIconWithText;
  TdxBarItemViewLevel viewLevel_ = ivlDefault;
  int widths_[4] = {};
  bool widthValid_[4] = {};
  int columnRowCount_ = 0;
  int buttonGroupPosition_ = 0;
  int row_ = 0;
};

// The most reduced level of a set: the highest member searched from 3 down; 255 for the empty set.
int MostReducedViewLevel(TdxBarItemViewLevels Levels);

// ---- the glyph cache ----------------------------------------------------------------------------

// A control's glyph rendered once in a paint mode and reused while the source and mode stay.
class TdxCachedImageOptions : public TObject {
  DECLARE_CLASS(TdxCachedImageOptions, TObject)
 public:
  TdxCachedImageOptions();
  bool Valid = false;
  TcxBitmap* Glyph() const { return glyph_.get(); }
  Byte ViewSize = 0;
  TCustomImageList* Images = nullptr;
  int ImageIndex = -1;
  TBitmap* SourceGlyph = nullptr;
  TcxGlyphPaintMode Mode = gpmNormal;
  // The cache holds this rendering.
  bool Holds(Byte AViewSize, TBitmap* ASourceGlyph, TCustomImageList* AImages, int AImageIndex,
             TcxGlyphPaintMode AMode, const TSize& Size) const;
  void Invalidate() { Valid = false; }

 private:
  ObjectPtr<TcxBitmap> glyph_;
};

// ---- the item control ---------------------------------------------------------------------------

class TdxBarItemControl;

// Item-control classes are made through their class reference with the link they show.
class TdxBarItemControlMetaClass : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;
  virtual TdxBarItemControl* CreateControl(TdxBarItemLink* Link) const = 0;
  template <class Self>
  class Of;
};
using TdxBarItemControlClass = const TdxBarItemControlMetaClass*;

// The hint of an item control: IdxBarHintSource. A control's view info and draw parameters are made
// through the virtual class operations once the control is fully built (AfterConstruction).
class TdxBarItemControl : public TcxIUnknownObject, public IdxBarHintSource, public IdxFadingObject {
 public:
  using MetaClass = TdxBarItemControlMetaClass;
  DECLARE_CLASS(TdxBarItemControl, TcxIUnknownObject)
 public:
  explicit TdxBarItemControl(TdxBarItemLink* ALink);
  ~TdxBarItemControl() override;
  // The class of the control's accessibility object, made on first use and kept while it lives.
  virtual const TdxBarAccessibilityHelperMetaClass* AccessibilityHelperClass();
  TdxBarAccessibilityHelper* AccessibilityHelper();
  // Draw parameters, glyph cache and view info from the class operations; the item font's text
  // size; the draw parameters; the view level the window chooses.
  void AfterConstruction() override;
  void BeforeDestruction() override;

  // ---- fields
  TdxBarItemLink* Link() const { return link_; }
  TCustomdxBarControl* BarControl() const { return barControl_; }
  TdxBarItemControlDrawParams* DrawParams() const { return drawParams_.get(); }
  TdxBarItemControlViewInfo* ViewInfo() const { return viewInfo_.get(); }
  TdxCachedImageOptions* CachedImage() const { return cachedImage_.get(); }
  bool Active() const { return active_; }
  bool NonRecent = false;
  bool Clicking() const { return clicking_; }
  void SetClicking(bool Value);
  bool SelectedByMouse = false;
  int OwnTextSize() const { return ownTextSize_; }
  int HotPart() const { return hotPart_; }
  const std::vector<TRect>& PartBounds() const { return partBounds_; }
  HBRUSH OwnBrush() const { return ownBrush_; }
  bool HasOwnBrush() const { return ownBrush_ != nullptr; }
  // Set only while the control paints into a canvas its caller supplied.
  TcxCanvas* CanvasOverride = nullptr;

  // ---- queries used by the window, the painters and the other controls
  TdxBarManager* LinkedBarManager() const;
  TdxBarItem* LinkedItem() const;
  TCustomdxBarControl* ParentSubMenu() const;
  void BoundsInBar(TRect& R) const;
  TRect BoundsInBar() const;
  TcxCanvas* PaintCanvas() const;
  HBRUSH BackgroundBrush() const;
  bool IsSelected() const;
  bool IsPressedUnderMouse() const;
  int TextSize() const;
  int SizeAlongBar(const TSize& Pair) const;
  int SizeAcrossBar(const TSize& Pair) const;
  int TextWidth(const String& Text) const;
  int TextHeight() const;
  void DrawGraphicAtTopLeft(TGraphic* Graphic);
  void BeginNonRecentPaint();
  void EndNonRecentPaint();
  TdxBarItemAlign EffectiveAlign() const;
  // GetPossibleViewLevels; a class whose set is empty raises "<class name>.GetPossibleViewLevels = []".
  TdxBarItemViewLevels PossibleViewLevels() const;
  TdxBarItemViewLevels AllowedViewLevels() const;
  // -1 outside the control, the first part containing P, 100 when none does.
  int HitTestPart(const TPoint& P) const;
  bool ShowsShortCuts() const;
  bool ShowsShortCut() const { return ShowsShortCuts(); }
  bool ShowsDescriptions() const;
  bool UnclickAfterDoing() const;
  bool HasGlyphFor(Byte ViewSize) const;
  bool NeedsGlyphDrawing(Byte ViewSize, TdxBarContentParts Parts) const;
  virtual Byte GlyphKindForViewLevel() const;
  bool UsesLargeIcons() const;
  bool UsesLargeImagesFor(Byte ViewSize) const;
  // The control is in a toolbar window (a menu window answers False).
  bool IsInToolbarWindow() const;
  bool CanSelectWhileCustomizing() const { return CanSelect(); }
  bool IsForeignItemWhileCustomizing() const;
  // Paints into a caller's canvas (the ribbon, the edit control).
  void PaintTo(TcxCanvas* Canvas, const TRect& R, int PaintType) { Paint(Canvas, R, PaintType); }
  void Paint(TcxCanvas* Canvas, const TRect& R, int PaintType);
  void SetPressed(bool Value);
  bool Pressed() const { return pressed_; }
  int MeasureHeight();
  int MeasureWidth();
  // A scrolled menu tells each control whether it lies in the visible area.
  virtual void VisibleInViewChanged(bool) {}
  // The link stored a new rectangle: the parts follow it.
  virtual void BoundsChanged();
  // The bar window's handle is gone (window controls drop their editors).
  virtual void BarWindowHandleGone() {}
  // The control shows the item's drop-down part, and the part is open.
  virtual bool HasDropDownPart() const { return HasDropDown(); }
  virtual bool IsDroppedDownPart() const { return IsDroppedDown(); }
  // The glyph area of the control.
  virtual TSize GlyphAreaSize();

  // ---- the virtual operations, in slot order
  // The fader of the control's bar window (the ribbon's for its bar windows), or none.
  virtual TdxFader* Fader() const;
  // IdxFadingObject: a control supplies no pictures, so it is never faded; it draws a picture it is
  // given at its bounds' top-left corner on its bar window's canvas.
  bool CanFade() override { return false; }
  void DrawFadeImage(TBitmap* Image) override;
  void GetFadingParams(TBitmap*&, TBitmap*&, int&, int&, int&, int&) override {}
  bool GetHintTexts(bool& Handled, String& Hint, String& ShortCutText) override;
  TdxBarCustomHintViewInfo* CreateHintViewInfo(const String& HintText, const String& ShortCutText) override;
  bool IsEnabled() override;
  bool IsEnabledConst() const;
  void CalcHintPosition(int HintHeight, const TPoint& Cursor, TPoint& Position) override;
  virtual void RebuildBar();
  virtual void SizeAffectingChange();
  virtual void EnabledChanged();
  virtual void GlyphChanged();
  virtual void HotGlyphChanged() {}
  virtual void LargeGlyphChanged();
  virtual void Recalculate();
  virtual void PaintStyleChanged() {}
  virtual void ClickingChanged();
  virtual void ItemVisibleChanged() { RebuildBar(); }
  virtual void WidthChanged();
  virtual bool ActsAsButton() const { return false; }
  virtual bool FiresItemClick() const { return true; }
  virtual bool IsOwnManagerItem() const;
  virtual bool AllowsCloseFor(TdxBarManager*) { return true; }
  virtual bool CanSelectForKeyboard() const { return CanSelect(); }
  virtual bool CanSelect() const;
  virtual void UpdateHotPart(const TPoint& P);
  virtual void ControlClick(bool ByMouse, Word Key);
  virtual void Activate(bool Immediately);
  virtual void Deactivate(bool Immediately);
  virtual void BeforeClick(bool, Word) {}
  virtual void DoItemClick(bool ByMouse);
  virtual void SelectByKeyboard(bool Flag);
  virtual bool IsDrawnSelected() const { return IsSelected(); }
  virtual bool ProcessKey(Word) { return false; }
  virtual TdxBarItemViewLevels GetPossibleViewLevels() const;
  virtual TdxBarContentParts ContentPartsForViewLevel() const;
  virtual TdxBarContentParts ContentPartsByPaintStyle() const { return {}; }
  virtual Byte DefaultViewSize() const;
  virtual int PaintType() const;
  virtual int PartCount() const { return 1; }
  virtual TdxBarItemControlViewInfo* CreateViewInfo() { return new TdxBarItemControlViewInfo(this); }
  virtual String Caption() const;
  virtual TControl* HostedControl() const { return nullptr; }
  virtual TdxBarItemControlDrawParams* CreateDrawParams() { return new TdxBarItemControlDrawParams(this); }
  virtual TBitmap* Glyph() const;
  virtual bool DrawsGlyphAsIs() const;
  virtual int ImageIndex() const;
  virtual TCustomImageList* ImagesFor(Byte ViewSize) const;
  virtual TCustomImageList* SmallImages() const;
  virtual String HintText() const;
  virtual TCustomImageList* HotImages() const;
  virtual TBitmap* LargeGlyph() const;
  virtual int LargeImageIndex() const;
  virtual TCustomImageList* LargeImages() const;
  virtual TdxBarMenuItemSize MenuItemSize() const;
  virtual TdxBarPainter* Painter() const;
  virtual TShortCut ShortCut() const;
  virtual int PainterControlQuery() const;
  virtual void CalcDrawParams(bool Full);
  virtual void CalcPartBounds();
  virtual void PrepareWithItemFont();
  virtual void PrepareColors();
  virtual void DrawContent(const TRect&, int) {}
  virtual bool SelectItemFont(TFont* Font, TcxStyle* Style, TFont*& Saved);
  virtual void RestoreItemFont(TFont* Saved);
  virtual TCustomdxBarControl* SubMenuWindow() const { return nullptr; }
  virtual TRect TextAreaRect() const { return TRect{}; }
  virtual int CaptionWidth();
  virtual bool GetImageInfo(Byte ViewSize, TdxBarContentParts Flags, int& AImageIndex, TCustomImageList*& Images,
                            TBitmap*& AGlyph) const;
  virtual int ImageIndexFor(Byte ViewSize) const;
  virtual TSize GlyphSize(Byte ViewSize) const;
  virtual void TextOffsets(int Kind, TRect& R);
  virtual int TextAreaWidth();
  virtual int ExtraWidth() { return 0; }
  virtual int IconAreaWidth();
  virtual int HalfFontSize() const;
  virtual int Height();
  virtual int Width();
  virtual int MenuContentWidth();
  virtual int LargeWidth();
  virtual int MenuHeight();
  virtual int MenuWidth();
  virtual int MinHeight() { return 1; }
  virtual int MinWidth() { return 1; }
  virtual int LargeHeight();
  virtual int SmallHeight();
  virtual int HeightForViewSize();
  virtual int WidthForViewSize();
  virtual bool HasHintText() const;
  virtual bool IsFocusable() const { return CanSelect() || FiresItemClick(); }
  virtual bool OwnsWindow(HWND Window) const;
  virtual bool ClosesMenusOnClick() const { return true; }
  virtual bool HasDropDown() const { return false; }
  virtual bool DoubleClickExpandsMenu() const { return false; }
  // A left press on the control in a toolbar window makes it the clicked control and captures.
  virtual bool CapturesOnPress() const { return false; }
  // A point over the control counts as over its bar window.
  virtual bool CountsAsBarArea() const { return true; }
  virtual bool IsOnVerticalBar() const;
  // The query after IsOnVerticalBar (buttons of the quick-customization bar).
  virtual bool IsQuickCustomizationButton() const { return false; }
  virtual bool IsWindowedControl() const { return false; }
  virtual bool IsDroppedDown() const { return false; }
  // An edit control whose in-place editor is open: it keeps its keys and the wheel.
  virtual bool IsEditing() const { return false; }
  virtual void Repaint();
  // The painters draw the glyph in gray scale (the gray flag of the glyph routine).
  virtual bool DrawsGlyphInGrayScale() const { return false; }
  // The hook the base's ExtraFlag query answers (0 here).
  virtual int ExtraFlagQuery() const { return 0; }

  // ---- dynamic operations
  virtual bool AcceptsDoubleClick() const;
  virtual void DoubleClick() {}
  virtual void KeyDown(Word Key);
  virtual void MouseDown(TMouseButton, TShiftState, int, int) {}
  virtual void MouseEnter(TShiftState, int X, int Y) { UpdateHotPart(TPoint{X, Y}); }
  virtual void MouseMove(TShiftState, int X, int Y) { UpdateHotPart(TPoint{X, Y}); }
  virtual void MouseLeave() { UpdateHotPart(TPoint{-1, -1}); }
  virtual void MouseUp(TMouseButton, TShiftState, int, int) {}

 protected:
  // The control was removed from the fader, the manager, its link and its window.
  void DetachFromOwners();
  std::vector<TRect>& PartBoundsRef() { return partBounds_; }
  void SetActiveFlag(bool Value) { active_ = Value; }

 private:
  TdxBarItemLink* link_;
  TCustomdxBarControl* barControl_;
  TdxBarAccessibilityHelper* accessibilityHelper_ = nullptr;
  ObjectPtr<TdxBarItemControlDrawParams> drawParams_;
  ObjectPtr<TdxCachedImageOptions> cachedImage_;
  ObjectPtr<TdxBarItemControlViewInfo> viewInfo_;
  HBRUSH ownBrush_ = nullptr;
  bool active_ = false;
  bool clicking_ = false;
  bool pressed_ = false;
  int ownTextSize_ = 0;
  int hotPart_ = -1;
  std::vector<TRect> partBounds_;
  bool detached_ = false;
};

template <class Self>
class TdxBarItemControlMetaClass::Of : public TdxBarItemControlMetaClass {
 public:
  using TdxBarItemControlMetaClass::TdxBarItemControlMetaClass;
  TdxBarItemControl* CreateControl(TdxBarItemLink* Link) const override {
    if constexpr (std::is_abstract_v<Self>) {
      throw EInvalidOperation(L"Cannot create an instance of abstract class " + ClassName());
    } else {
      return NewObject<Self>(Link);
    }
  }
};

// ---- static and separator controls --------------------------------------------------------------

class TdxBarCustomStaticControl : public TdxBarItemControl {
  DECLARE_CLASS(TdxBarCustomStaticControl, TdxBarItemControl)
 public:
  using TdxBarItemControl::TdxBarItemControl;
  TdxBarStaticLikeControlDrawParams* StaticDrawParams() const {
    return static_cast<TdxBarStaticLikeControlDrawParams*>(DrawParams());
  }
  bool FiresItemClick() const override { return false; }
  bool CanSelect() const override;
  TdxBarContentParts ContentPartsByPaintStyle() const override;
  TdxBarItemControlDrawParams* CreateDrawParams() override { return new TdxBarStaticLikeControlDrawParams(this); }
  void DrawContent(const TRect& R, int PaintType) override;
};

class TdxBarSeparatorControl : public TdxBarCustomStaticControl {
  DECLARE_CLASS(TdxBarSeparatorControl, TdxBarCustomStaticControl)
 public:
  using TdxBarCustomStaticControl::TdxBarCustomStaticControl;
  TdxBarMenuItemSize MenuItemSize() const override { return misNormal; }
  void CalcDrawParams(bool Full) override;
  TdxBarItemControlDrawParams* CreateDrawParams() override { return new TdxBarSeparatorControlDrawParams(this); }
  void DrawContent(const TRect& R, int PaintType) override;
  bool SelectItemFont(TFont* Font, TcxStyle* Style, TFont*& Saved) override;
  TdxBarContentParts ContentPartsByPaintStyle() const override;
  void TextOffsets(int Kind, TRect& R) override;
  int IconAreaWidth() override { return 0; }
  int MenuHeight() override;
  int MinWidth() override;
  int HeightForViewSize() override { return TextSize(); }
  int WidthForViewSize() override;
};

// ---- button-like controls -----------------------------------------------------------------------

// What can be pressed or dropped down. The drop-down opens at once on toolbars and after 400 ms of
// rest in menus; leaving an open drop-down in a menu closes it after 400 ms.
class TdxBarButtonLikeControl : public TdxBarItemControl {
  DECLARE_CLASS(TdxBarButtonLikeControl, TdxBarItemControl)
 public:
  using TdxBarItemControl::TdxBarItemControl;
  const TdxBarAccessibilityHelperMetaClass* AccessibilityHelperClass() override;
  // Stops its timers and closes its drop-down window first.
  void BeforeDestruction() override;
  TdxBarButtonLikeControlDrawParams* ButtonLikeDrawParams() const {
    return static_cast<TdxBarButtonLikeControlDrawParams*>(DrawParams());
  }
  bool AnimateDropDown = false;
  // Set by a press of the window's mouse on the control; the button draws pressed by it.
  bool PressedByMouse = false;

  bool ActsAsButton() const override { return true; }
  void Activate(bool Immediately) override;
  void Deactivate(bool Immediately) override;
  void SelectByKeyboard(bool Flag) override;
  bool ProcessKey(Word Key) override;
  void CalcDrawParams(bool Full) override;
  TdxBarItemControlDrawParams* CreateDrawParams() override { return new TdxBarButtonLikeControlDrawParams(this); }
  void DrawContent(const TRect& R, int PaintType) override;
  void KeyDown(Word Key) override;
  TSize GlyphAreaSize() override;

  // Closes the drop-down when WasOpen, stops the timers, repaints.
  virtual void CloseUp(bool WasOpen);
  // The drop-down opens (buttons: DropDown; sub-items: their menu).
  virtual void OpenDropDown(bool ByMouse) { (void)ByMouse; }

  // ---- added virtual operations, in slot order
  virtual int ArrowWidth();
  virtual bool CanDropDown();
  virtual void DropDownByKey(bool Value);
  virtual TCustomdxBarControl* DropDownWindow() const { return nullptr; }
  virtual bool SplitEdgeVisible();
  virtual bool SplitEdgeHot();
};

// The shared 400 ms drop-down timers of the button-like controls: at most one control each.
class TdxBarDropDownTimers {
 public:
  static constexpr UINT Interval = 400;
  // Starting the open timer stops the close timer when it belongs to the control, and any running
  // open timer.
  static void StartOpen(TdxBarButtonLikeControl* Control);
  // Only for a control whose drop-down is open; stops any running close timer.
  static void StartClose(TdxBarButtonLikeControl* Control);
  // The control's timers stop (it is destroyed or closed).
  static void StopFor(TdxBarButtonLikeControl* Control);
  static TdxBarButtonLikeControl* OpenTimerControl();
  static TdxBarButtonLikeControl* CloseTimerControl();
  // Runs a timer now, as when it fires: Activate (resp. Deactivate) with the immediate flag; stops it.
  static void FireOpen();
  static void FireClose();
};

// A button: the split button with its arrow part, the checkable state and the drop-down menu.
class TdxBarButtonControl : public TdxBarButtonLikeControl {
  DECLARE_CLASS(TdxBarButtonControl, TdxBarButtonLikeControl)
 public:
  using TdxBarButtonLikeControl::TdxBarButtonLikeControl;
  const TdxBarAccessibilityHelperMetaClass* AccessibilityHelperClass() override;
  // The button item; null for another item class (window items on vertical bars).
  TdxBarButton* ButtonItem() const;
  bool ButtonDown() const;
  bool ButtonDropDownEnabled() const;
  bool ButtonLowered() const;
  bool DroppedDown = false;

  void PaintStyleChanged() override { RebuildBar(); }
  void BeforeClick(bool ByMouse, Word Key) override;
  void DoItemClick(bool ByMouse) override;
  void SelectByKeyboard(bool Flag) override;
  bool IsDrawnSelected() const override;
  TdxBarContentParts ContentPartsForViewLevel() const override;
  TdxBarContentParts ContentPartsByPaintStyle() const override;
  int PartCount() const override { return HasDropDown() ? 2 : 1; }
  void CalcDrawParams(bool Full) override;
  void CalcPartBounds() override;
  TCustomdxBarControl* SubMenuWindow() const override { return DropDownWindow(); }
  int Height() override;
  int Width() override;
  int SmallHeight() override;
  bool ClosesMenusOnClick() const override;
  bool HasDropDown() const override;
  bool IsQuickCustomizationButton() const override;
  bool IsDroppedDown() const override;
  void DropDownByKey(bool Value) override;
  TCustomdxBarControl* DropDownWindow() const override;
  bool SplitEdgeVisible() override;
  bool SplitEdgeHot() override;
  void OpenDropDown(bool ByMouse) override { DropDown(ByMouse); }
  void CloseUp(bool WasOpen) override;

  virtual TdxBarPaintStyle EffectivePaintStyle() const;
  virtual void PaintStyleIfNoGlyph(TdxBarPaintStyle& Style) const;
  // Opens the drop-down menu of the button item.
  virtual void DropDown(bool ByMouse);
  // Pressed now: drawn selected, the mouse pressed on part 0, or clicking a non-checkable button.
  bool IsPressedNow() const;
  bool ArrowPartHot() const { return HasDropDown() && HotPart() == 1; }
};

class TdxBarApplicationMenuButtonControl : public TdxBarButtonLikeControl {
  DECLARE_CLASS(TdxBarApplicationMenuButtonControl, TdxBarButtonLikeControl)
 public:
  using TdxBarButtonLikeControl::TdxBarButtonLikeControl;
  void SizeAffectingChange() override;
  void GlyphChanged() override;
  void ItemVisibleChanged() override;
  void WidthChanged() override;
  TdxBarContentParts ContentPartsByPaintStyle() const override;
  int PaintType() const override { return 0; }
  void CalcDrawParams(bool Full) override;
  TdxBarItemControlDrawParams* CreateDrawParams() override {
    return new TdxBarApplicationMenuButtonControlDrawParams(this);
  }
  void DrawContent(const TRect& R, int PaintType) override;
  int WidthForViewSize() override;
};

// ---- the item class registry --------------------------------------------------------------------

// An item class, the control class that shows it, and whether the customizing dialog offers it.
class TRegItemRecord : public TObject {
  DECLARE_CLASS(TRegItemRecord, TObject)
 public:
  TClass ItemClass = nullptr;
  TdxBarItemControlClass ItemControlClass = nullptr;
  bool ShownInDialog = false;
};

class TdxBarItemList : public TObject {
  DECLARE_CLASS(TdxBarItemList, TObject)
 public:
  ~TdxBarItemList() override;
  int Count() const { return int(records_.size()); }
  TRegItemRecord* ItemAt(int Index) const { return records_.at(Index); }
  TClass ItemClassAt(int Index) const { return ItemAt(Index)->ItemClass; }
  int CountShownInDialog() const;
  // The n-th class flagged to be shown; null outside the range.
  TClass ShownItemClassAt(int Index) const;
  // The control class of the first record whose item class is exactly ItemClass; null when none.
  TdxBarItemControlClass ControlClassOf(TClass ItemClass) const;
  void Add(TClass ItemClass, TdxBarItemControlClass ControlClass, bool ShownInDialog);
  // The first record of the class goes.
  void Remove(TClass ItemClass);

 private:
  std::vector<TRegItemRecord*> records_;
};

// The process-wide registry, made on first use; null once the library is finalizing.
TdxBarItemList* ItemClassRegistry();
void FreeItemClassRegistry();
// Also registers the item class with the framework's class registry (streamed forms make it).
void RegisterItemControlClass(TClass ItemClass, TdxBarItemControlClass ControlClass, bool ShownInDialog = true);
void UnregisterItemControlClass(TClass ItemClass);

// ---- null-safe accessors and helpers -------------------------------------------------------------

TdxBarItemControl* LinkControlOrNil(TdxBarItemLink* Link);
TdxBarItemLink* ControlLinkOrNil(TdxBarItemControl* Control);
TdxBarItem* ControlItemOrNil(TdxBarItemControl* Control);
TdxBarItem* LinkItemOrNil(TdxBarItemLink* Link);
void RepaintItemControl(TdxBarItemControl* Control);
// The control's view-info bounds mapped to the screen through its bar window.
TRect ItemControlScreenBounds(TdxBarItemControl* Control);
// 1 when the control is enabled, else 4.
int EnabledThemeState(TdxBarItemControl* Control);
