#pragma once
// The bar painter: the class that draws every bar window of a manager. A painter class's virtual
// constructor is CreatePainter (the look and feel's skin painter, or none); the manager keeps one
// painter object, made anew on each style change from the process-wide table of painter classes by
// resolved style. The painter classes (and their operations) belong to the bar-painting part of the
// library, which fills the table when the library starts; with an empty table a manager has none.

#include <type_traits>
#include <vector>

#include "platform/framework/classes/Object.h"
#include "ui/bars/BarTypes.h"
#include "ui/foundation/LookAndFeelPainters.h"

class TdxBarPainter;

class TdxBarPainterMetaClass : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;
  // A new painter of the class.
  virtual TdxBarPainter* CreatePainter(TcxCustomLookAndFeelPainterClass SkinPainter) const = 0;

  template <class Self>
  class Of;
};
using TdxBarPainterClass = const TdxBarPainterMetaClass*;

class TCustomdxBarControl;
class TdxBarControl;
class TdxDockControl;
class TdxBarItemControl;
class TdxBarSubMenuControl;
struct TdxBarSeparatorInfo;
class TdxBarItemControlDrawParams;
class TdxBarCustomHintViewInfo;
class TdxBarScreenTip;
class TcxCanvas;

// The operations below are the ones the bar windows, their item controls, the drop-down list and
// the hint window call. The bar-painting part of the library gives each its base behaviour and adds
// the painter's other operations; a bar window asks its painter every time and keeps none.
class TdxBarPainter : public TObject {
 public:
  using MetaClass = TdxBarPainterMetaClass;
  DECLARE_CLASS(TdxBarPainter, TObject)

 public:
  // The base constructor sets nothing from the skin painter; a skinned painter keeps it.
  explicit TdxBarPainter(TcxCustomLookAndFeelPainterClass) {}
  TdxBarPainterClass PainterClass() const { return static_cast<TdxBarPainterClass>(ClassType()); }

  // ---- bar windows
  // The window's frame answer (0, 1 or 2); a sub-item opening its menu beside a menu entry moves the
  // menu up by the menu's answer.
  virtual int MenuItemIndent(TCustomdxBarControl* BarControl) = 0;
  // The icon column's width for the window.
  virtual int IconAreaWidth(TCustomdxBarControl* BarControl) = 0;
  // The text height measured on the canvas (with its current font).
  virtual int CaptionHeightFor(TcxCanvas* Canvas) = 0;
  // The text height at which sizes given for scaling ratio 1 hold.
  virtual int ReferenceTextSize() = 0;
  // The brush of the strip between a window and the item that opened it.
  virtual HBRUSH BarControlOwnerBrush(TCustomdxBarControl* BarControl) = 0;
  // The background brush of the window's items.
  virtual HBRUSH AlternateToolbarBrush(TCustomdxBarControl* BarControl) = 0;
  // The pattern brush some button faces are filled with.
  virtual HBRUSH DownedBrush(TCustomdxBarControl* BarControl) = 0;
  virtual HBRUSH ToolbarBrush(TCustomdxBarControl* BarControl) = 0;
  virtual HBRUSH SelectedBrush(TCustomdxBarControl* BarControl) = 0;
  // The combo arrow's width and the edit height, from the width and height of the text "0".
  virtual int ComboButtonWidthFor(TCustomdxBarControl* BarControl, int ZeroWidth) = 0;
  virtual int EditHeightFor(TCustomdxBarControl* BarControl, int ZeroHeight) = 0;
  // Gives a popup bar window its shape after a resize (R: the window rectangle at the origin).
  virtual void EditBorderChanged(HWND Window, const TRect& R, bool Redraw) = 0;
  // The window casts a shadow.
  virtual bool HasShadow(TCustomdxBarControl* BarControl) = 0;
  // The shadow leaves the strip towards the opening item open.
  virtual bool OwnerJoinShown(TCustomdxBarControl* BarControl) = 0;
  // Menus and drop-downs opened from the window's items are attached to the opening item.
  virtual bool AttachesDropDowns(TCustomdxBarControl* BarControl) = 0;

  // ---- hints and screen tips
  // The hint's screen position for a window's item (ItemRect in screen coordinates).
  virtual void HintPosition(TCustomdxBarControl* BarControl, const TRect& ItemRect, const TPoint& Cursor,
                            int HintHeight, TPoint& Position) = 0;
  // A new view info for the bar hint window (which owns it).
  virtual TdxBarCustomHintViewInfo* CreateHintViewInfo(TdxBarManager* Manager, const String& HintText,
                                                       const String& ShortCutText, TdxBarScreenTip* ScreenTip) = 0;
  // Text colours of a screen tip's description and of its header and footer; clDefault keeps the
  // band font's colour.
  virtual TColor ScreenTipDescriptionTextColor() = 0;
  virtual TColor ScreenTipTextColor() = 0;
  // The height of the line above a footer band.
  virtual int ScreenTipFooterLineHeight() = 0;
  virtual void DrawScreenTipBackground(TcxCanvas* Canvas, const TRect& R) = 0;
  virtual void DrawScreenTipFooterLine(TcxCanvas* Canvas, const TRect& R) = 0;

  // ---- drop-down lists and edits
  // The frame width of a combo's drop-down list on each side.
  virtual int DropDownListBorderSize() = 0;
  // Draws the list's frame; the inner rectangle is already out of the clip.
  virtual void DrawDropDownListBorder(HDC DC, TColor Color, const TRect& R) = 0;
  // The edit part's text and background colours.
  virtual void EditColors(TdxBarItemControl* EditControl, TColor& TextColor, TColor& BackgroundColor) = 0;

  // ---- item controls
  // Large icons are drawn at all.
  virtual bool AllowsLargeIcons() = 0;
  // The rectangle the caption of the draw parameters needs on their canvas.
  virtual void TextBoundsOf(TdxBarItemControlDrawParams* DrawParams, TRect& R) = 0;
  // Offsets between a glyph and the caption on toolbars (the control adds the left value).
  virtual void GlyphTextGap(TRect& R) = 0;
  // Lets the painter widen a button.
  virtual void TextOffset(TdxBarItemControlDrawParams* DrawParams, int& Width) = 0;
  // Left and right text offsets of a menu entry.
  virtual void MenuTextOffsets(TdxBarItemControlDrawParams* DrawParams, int Kind, TRect& R) = 0;
  // The extra width of a menu entry's text area; also the control's painter query.
  virtual int SubMenuItemExtra(TdxBarItemControl* Control) = 0;
  // The last adjustments of a menu entry's height and width.
  virtual void AdjustMenuMetric(int& Height) = 0;
  virtual void AdjustMenuMetric2(int& Width) = 0;
  // The glyph cell of a button with that glyph and text size.
  virtual TSize PaddedButtonSize(int GlyphSize, int TextSize) = 0;
  // The glyph size a button of the manager shows outside menus.
  virtual int ButtonGlyphSizeForManager(TdxBarManager* Manager) = 0;
  virtual void DrawButtonControl(TdxBarItemControlDrawParams* DrawParams, const TRect& R) = 0;
  virtual void DrawStaticControl(TdxBarItemControlDrawParams* DrawParams, const TRect& R) = 0;
  virtual void DrawSeparatorControl(TdxBarItemControlDrawParams* DrawParams, const TRect& R) = 0;
  virtual void DrawApplicationMenuButton(TdxBarItemControlDrawParams* DrawParams, const TRect& R) = 0;
  // The offsets of a separator's caption.
  virtual void SeparatorMargins(TdxBarItemControlDrawParams* DrawParams, int Kind, TRect& R) = 0;
  // A captioned separator in a menu adds two of these (one when it is the first shown link).
  virtual int SeparatorLineHeight() = 0;
  // Splits a button's rectangle into button part 0 and arrow part 1 (Parts holds LastIndex + 1).
  virtual void AdjustButtonPartBounds(TdxBarItemControlDrawParams* DrawParams, std::vector<TRect>& Parts,
                                      const TRect& R, int LastIndex) = 0;
  // The manager's drop-down arrow width for its icon size.
  virtual int DropDownArrowWidth(TdxBarManager* Manager) = 0;
  // The answers that decide the split-button look.
  virtual bool SplitButtonsSupported() = 0;
  virtual bool SplitEdgeVisibleDefault() = 0;
  virtual bool SplitEdgeHotForControl(TdxBarItemControl* Control) = 0;
  virtual bool SplitEdgeHotWhenPressed() = 0;
  virtual bool DrawsPressedArrow() = 0;
  // A lowered button grows by twice this in both directions.
  virtual int LoweredBorderWidth(TdxBarItemControl* Control) = 0;

  // ---- toolbars and dock sites
  // The gap between two rows of a dock site.
  virtual int DockRowGap() = 0;
  // The painter draws the quick-customizing mark of docked toolbars.
  virtual bool AllowsQuickCustomizing() = 0;
  // Dock sites paint their background through a memory bitmap.
  virtual bool BufferedPainting() = 0;
  // A dock site's background over R (Client: the site's client rectangle).
  virtual void DrawDockBackground(TdxDockControl* Site, HDC DC, const TRect& R, const TRect& Client, HBRUSH Brush,
                                  TColor Color) = 0;
  // The non-client margins of a docked toolbar window (left, top, right, bottom widths), the drag
  // handle included.
  virtual TRect DockedBarMargins(TdxBarControl* BarControl) = 0;
  // The non-client margins of a floating toolbar window, its caption included.
  virtual TRect CalcBarBorderRect(TdxBarControl* BarControl) = 0;
  // The height of a floating toolbar's caption.
  virtual int SmallCaptionHeight() = 0;
  // The whole non-client area of a toolbar window (R: the window rectangle at the origin): the
  // drag handle of a docked one, the border, caption and close button of a floating one.
  virtual void DrawBarNonClientArea(TdxBarControl* BarControl, HDC DC, const TRect& R) = 0;
  // The client background of a toolbar window.
  virtual void DrawBarControlBackground(TdxBarControl* BarControl, HDC DC, const TRect& R) = 0;
  // The close button belongs to the non-client area (else the window reports it as client).
  virtual bool CloseButtonIsNonClient() = 0;

  // ---- menu windows
  // Non-recent items of personalised menus get their background from the painter (else the menu
  // fills them with its own non-recent brush first).
  virtual bool PainterOptionC() = 0;
  // Runs of recent and non-recent items are one pixel apart.
  virtual bool PainterOptionB() = 0;
  // The scroll arrows have areas of their own above and below the items (the menu then scrolls
  // every 200 ms instead of every 80 ms).
  virtual bool PainterOptionF() = 0;
  // The upper (Index 0) or lower (1) scroll arrow, called only for an arrow that can scroll.
  virtual void DrawScrollButton(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, int Index) = 0;
  // The client rectangle of that arrow.
  virtual void ScrollButtonRect(TdxBarSubMenuControl* Menu, int Index, TRect& R) = 0;
  // The height an arrow takes from the items area when the arrows have their own areas.
  virtual int ScrollButtonHeight(TdxBarSubMenuControl* Menu) = 0;
  // The expand mark of a personalised menu (Hot in mark state 1).
  virtual void DrawExpandButton(TdxBarSubMenuControl* Menu, const TRect& R, bool Hot) = 0;
  // The size of the arrow drawn in the expand mark for a mark size.
  virtual int ScrollArrowSize(int MarkSize) = 0;
  // The margin of the expand mark inside the client rectangle (left after the side strip, right, bottom).
  virtual int MenuArrowsOffset() = 0;
  // The size of a separator in menus.
  virtual int MenuBeginGroupSize() = 0;
  // The menu window's answer to PainterFrameQuery.
  virtual int MenuContentIndent() = 0;
  // The frame width on each side of a menu window.
  virtual int MenuBorderIndent() = 0;
  // The margins between the client rectangle and the items (before the side strip and tear-off area).
  virtual void MenuBorderRect(TdxBarSubMenuControl* Menu, TRect& R) = 0;
  // The height of the tear-off area at the top of a detachable menu.
  virtual int DetachCaptionAreaSize(TdxBarSubMenuControl* Menu) = 0;
  // Turns the window-origin rectangle into the tear-off strip's rectangle (the caller cuts it to the
  // strip's height).
  virtual void DeflateMenuContent(TdxBarSubMenuControl* Menu, TRect& R) = 0;
  // The tear-off strip, hot or not after the menu's TearOffHot.
  virtual void FillDetachCaption(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) = 0;
  // The glyph column's width, and the side strip's plus the glyph column's.
  virtual int MenuIconAreaWidth(TdxBarSubMenuControl* Menu) = 0;
  virtual int MenuTextOffset(TdxBarSubMenuControl* Menu) = 0;
  // Fills a part of the menu's background.
  virtual void FillMenuBackground(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, const TRect& R) = 0;
  // The frame around the items area (the background is filled after it).
  virtual void DrawSubMenuInnerBorder(TdxBarSubMenuControl* Menu, HDC DC, HBRUSH Brush, const TRect& R) = 0;
  // The menu window's frame (R: the window rectangle at the origin).
  virtual void DrawSubMenuBorder(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) = 0;
  // The separator record that belongs to an item.
  virtual void DrawMenuSeparatorItem(TdxBarSubMenuControl* Menu, TdxBarItemControl* Control,
                                     const TdxBarSeparatorInfo& Separator, TcxCanvas* Canvas) = 0;
  // The band behind one item (ShownIndex: the link's shown index).
  virtual void DrawMenuItemFrame(TdxBarSubMenuControl* Menu, TdxBarItemControl* Control, int ShownIndex,
                                 const TRect& R, HDC DC) = 0;
  // The brush of an item's background; the out value is left alone when the painter has none.
  virtual void QueryMenuBackgroundBrush(TdxBarSubMenuControl* Menu, HBRUSH& Brush) = 0;
  // A menu window's text height.
  virtual int TextRowHeightFor(TcxCanvas* Canvas) = 0;
  // A menu window's background brush.
  virtual HBRUSH MenuBackgroundBrush(TdxBarSubMenuControl* Menu) = 0;
  // The rectangle of the separator above a control that begins a group (Separator in and out).
  virtual void MenuSeparatorRect(TdxBarSubMenuControl* Menu, TdxBarItemControl* Control, TRect& Separator,
                                 const TRect& ItemRect) = 0;
  // The row height and the menu arrow width for a menu of the text size.
  virtual void GetSubMenuMetrics(TcxCanvas* Canvas, int TextSize, int& RowHeight, int& ArrowWidth) = 0;
  // The side margin of a sub-item control's caption.
  virtual int HalfFontHeight(TdxBarItemControl* Control) = 0;
  // A selected sub-item's split edge is hot (painters without split buttons).
  virtual bool SubItemSplitEdgeHot() = 0;
  // The application menu window's frame (R: the window rectangle at the origin).
  virtual void DrawSubMenuFrame(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) = 0;
  // The application menu's background: R the union of its item column, extra pane and side strip,
  // Content its content rectangle.
  virtual void FillApplicationMenuBackground(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, const TRect& R,
                                             const TRect& Content) = 0;
  // The application menu's extra margins at scaling ratio 1 (the bottom one holds the button strip).
  virtual void ApplicationMenuMargins(TRect& R) = 0;
  // A container item's placeholder entry in a customized menu: drawn as a button.
  void DrawContainerMenuEntry(TdxBarItemControlDrawParams* DrawParams, const TRect& R) {
    DrawButtonControl(DrawParams, R);
  }
  // ---- toolbar window parts: drag handle, floating caption and its buttons, mark, status-bar
  // frame and size grip, separators, MDI buttons. Rectangles are in window coordinates for the
  // non-client parts and in client coordinates for the mark, separators and MDI buttons.
  // The drag handle of a docked toolbar (R: the window rectangle at the origin).
  virtual void DrawDragHandle(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) = 0;
  // A floating caption (its text and caption buttons, in their states) over R.
  virtual void DrawFloatingCaption(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) = 0;
  // The floating close button in the window's close-button state (0 normal, 1 hot, 2 pressed).
  virtual void PaintCaptionCloseButton(TdxBarControl* BarControl, HDC DC, const TRect& R) = 0;
  // The close button's size; it is centred in the caption's button area (SmallCaptionHeight wide).
  virtual void GetCaptionButtonSize(TSize& Size) = 0;
  // The close button follows the mouse.
  virtual bool CloseButtonHotTracks() = 0;
  // The mark's thickness along the bar, and its rectangle in the window's client area.
  virtual int MarkSize(TdxBarControl* BarControl) = 0;
  virtual void MarkRectFor(TdxBarControl* BarControl, TRect& R) = 0;
  // The mark in the window's mark state: on the client canvas, and straight onto a DC.
  virtual void DrawMark(TdxBarControl* BarControl, TcxCanvas* Canvas, const TRect& R, HBRUSH Brush) = 0;
  virtual void DrawCaptionMark(TdxBarControl* BarControl, HDC DC, const TRect& R) = 0;
  // Repaints the mark.
  virtual void InvalidateMark(TdxBarControl* BarControl) = 0;
  // A status-bar toolbar's top margin and its size grip; the size of a size grip.
  virtual void FillDockedBarTopMargin(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) = 0;
  virtual void DrawBarSizeGrip(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) = 0;
  virtual void SizeGripSize(TdxBarManager* Manager, TSize& Size) = 0;
  // A separator of a toolbar: between items of a row (Horizontal false, a vertical line) or
  // between rows (Horizontal true).
  virtual void DrawBarSeparator(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush, bool Horizontal) = 0;
  // MDI button Index (0 minimize, 1 restore, 2 close) in State (0 normal, 1 disabled, 2 hot,
  // 3 pressed, 4 pressed and hot).
  virtual void DrawMDIButton(TdxBarControl* BarControl, int Index, int State, HDC DC, const TRect& R) = 0;
};

template <class Self>
class TdxBarPainterMetaClass::Of : public TdxBarPainterMetaClass {
 public:
  using TdxBarPainterMetaClass::TdxBarPainterMetaClass;
  TdxBarPainter* CreatePainter(TcxCustomLookAndFeelPainterClass SkinPainter) const override {
    if constexpr (std::is_abstract_v<Self>) {
      throw EInvalidOperation(L"Cannot create an instance of abstract class " + ClassName());
    } else {
      return new Self(SkinPainter);
    }
  }
};

// The resolved painter styles: 0 standard, 1 enhanced, 2 flat, 3 XP (themed), 4 Office11, 5 skinned.
enum TdxBarResolvedStyle { brsStandard, brsEnhanced, brsFlat, brsXP, brsOffice11, brsSkinned };

// The painter class of a resolved style: entries 0 to 4 of the table; 5 the skinned painter class
// (which holds the standard painter's class until something sets another); any other value entry 0.
// Null while the table is empty.
TdxBarPainterClass BarPainterClassFor(int ResolvedStyle);
// Fills entry 0 to 4, or (5) the skinned painter class.
void SetBarPainterClass(int ResolvedStyle, TdxBarPainterClass PainterClass);

// The resolved style of a manager's Style and look and feel: bmsXP 3 with themes, else 1;
// bmsUseLookAndFeel 3 when native and themed, else 5 with a skin painter, else by Kind (lfFlat 1,
// lfStandard 0, lfUltraFlat 2, lfOffice11 4); otherwise the style's own number.
int ResolvePainterStyle(TdxBarManagerStyle Style, TcxLookAndFeelKind Kind, bool NativeStyle, bool ThemesAvailable,
                        bool HasSkinPainter);
// The style the layout and the recent-items logic see: Style, or for bmsUseLookAndFeel bmsXP when
// native and themed, else by Kind (lfFlat bmsEnhanced, lfStandard bmsStandard, lfUltraFlat bmsFlat,
// lfOffice11 bmsOffice11).
TdxBarManagerStyle EffectiveBarStyle(TdxBarManagerStyle Style, TcxLookAndFeelKind Kind, bool NativeStyle,
                                     bool ThemesAvailable);
