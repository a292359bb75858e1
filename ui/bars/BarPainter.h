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
#include "ui/bars/BarItemControls.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/LookAndFeelPainters.h"
#include "ui/foundation/Office11Colors.h"

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

class TcxLookAndFeel;
class TFont;

// What the part bounds of an edit-like control are computed from (Bounds: the control's rectangle).
struct TdxBarEditLayoutInput {
  TRect Bounds{};
  bool ShowsCaption = false;
  int CaptionTextWidth = 0;
  int IconAreaWidth = 0;
  bool InMenu = false;
  int ComboButtonWidth = 0;
  // The colour combo's custom-colour button is shown.
  bool ButtonShown = true;
  int PaintType = 0;
};

class TdxBarSubMenuControlBase;

// The draw states a glyph face or a button part is drawn in.
struct TdxBarPaintStates {
  bool DroppedDown = false;
  bool Pressed = false;
  bool Checked = false;
  bool Selected = false;
  bool Enabled = true;
  bool RarelyUsed = false;
};

// Every bar window, dock site, menu and item control is measured and drawn by its manager's painter:
// a stateless object whose operations the windows call each time (they keep no painter). The base
// class gives every operation the classic three-dimensional look; the painter classes of
// ui/bars/painters override a part of them. Operations call each other only through the virtual
// table, so an override changes every use. Rectangles are in the painting window's client
// coordinates unless named otherwise; brushes returned belong to someone else.
class TdxBarPainter : public TObject {
 public:
  using MetaClass = TdxBarPainterMetaClass;
  DECLARE_CLASS(TdxBarPainter, TObject)

 public:
  // The base constructor sets nothing from the skin painter; a skinned painter keeps it.
  explicit TdxBarPainter(TcxCustomLookAndFeelPainterClass) {}
  TdxBarPainterClass PainterClass() const { return static_cast<TdxBarPainterClass>(ClassType()); }

  // ======== bars: backgrounds, borders, captions, caption buttons, drag handles, the mark
  virtual void DrawBarControlBackground(TdxBarControl* BarControl, HDC DC, const TRect& R);
  // The background of a toolbar window's non-client area (R: the window rectangle at the origin)
  // and a floating one's border; the window draws the handle, caption and buttons through the
  // part operations below.
  virtual void DrawBarNonClientArea(TdxBarControl* BarControl, HDC DC, const TRect& R);
  virtual TRect FloatingCaptionRect(const TRect& R);
  // The painter draws a bar window's whole non-client area itself.
  virtual bool HasOwnBackground() { return false; }
  virtual bool AllowsLargeIcons() { return true; }
  virtual bool IsShortBar(const TRect& MarkRect) { return MarkRect.Height() <= 16; }
  virtual TColor FloatingCaptionColor(bool Active);
  virtual TColor CaptionTextColor();
  virtual TColor MarkArrowColor(TdxBarControl* BarControl, int MarkState);
  virtual void PaintSizeGrip(TdxBarControl* BarControl, HDC DC, const TRect& R);
  virtual void DrawMarkArrow(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState);
  virtual void DrawMarkChevron(TdxBarControl* BarControl, HDC DC, int X, int Y, bool Vertical);
  virtual void DrawMarkFace(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState);
  virtual void DrawBarMark(TdxBarControl* BarControl, HDC DC, const TRect& R, bool HasHiddenLinks);
  // The caption text's rectangle (adjusted in place) beside the caption mark MarkR.
  virtual void OffsetFloatingCaption(TdxBarControl* BarControl, TRect& TextR, const TRect& MarkR);
  virtual TColor MarkElementColor(TdxBarControl* BarControl, int MarkState);
  virtual void FillRectWithColor(HDC DC, const TRect& R, TColor Color);
  virtual TRect CalcBarBorderRect(TdxBarControl* BarControl);
  // The gap between two rows of a dock site.
  virtual int DockRowGap() { return 0; }
  virtual int CaptionHeightFor(TcxCanvas* Canvas);
  // The toolbar's background (its picture, gradient or brush) under R, in its client coordinates.
  virtual void FillBarBackgroundPart(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush);
  virtual bool IsFlat() { return false; }
  virtual int DragHandleOffset() { return 0; }
  virtual int FrameWidth();
  virtual int FrameHeight();
  virtual int FloatingBarMargin() { return 0; }
  virtual int DragHandleSize() { return 0; }
  virtual int DragHandleWidth() { return 3; }
  // A dock site's background over R (Client: the site's client rectangle).
  virtual void DrawDockBackground(TdxDockControl* Site, HDC DC, const TRect& R, const TRect& Client, HBRUSH Brush,
                                  TColor Color);
  virtual bool NativeBackground() { return false; }
  virtual bool UsesFlatDockBackground() { return false; }
  virtual bool PainterOptionN(TCustomdxBarControl* BarControl);
  virtual bool PainterOptionO(TCustomdxBarControl* BarControl) { return PainterOptionN(BarControl); }
  // The brush of the strip between a window and the item that opened it.
  virtual HBRUSH BarControlOwnerBrush(TCustomdxBarControl* BarControl);
  // The dock site draws its background under a docked toolbar (R in the toolbar DC's coordinates,
  // Origin: where the DC's origin lies in the site's client area).
  virtual void DrawDockedBarBackground(TdxBarControl* BarControl, HDC DC, const TPoint& Origin, HBRUSH Brush,
                                       const TRect& R);
  virtual void DrawManagerBackground(TdxBarControl* BarControl, HDC DC, const TPoint& Origin, HBRUSH Brush,
                                     const TRect& R);
  virtual void FillBarClientArea(TCustomdxBarControl* BarControl, HDC DC, const TRect& R);
  virtual HBRUSH ToolbarBrush(TCustomdxBarControl* BarControl);
  virtual HBRUSH ToolbarBrushFor(TCustomdxBarControl* BarControl) { return ToolbarBrush(BarControl); }
  virtual bool AllowsQuickCustomizing() { return true; }
  virtual int HalfSeparatorSize() { return (SeparatorSize() - 2) / 2; }
  virtual int SeparatorSize() { return 6; }
  virtual TRect CaptionButtonMargins(TdxBarControl* BarControl);
  virtual int CaptionButtonIndent() { return 1; }
  virtual TRect BarBorderRect(TdxBarControl* /*BarControl*/) { return TRect{2, 2, 2, 2}; }
  virtual int CaptionHeight() { return SmallCaptionHeight() + 1; }
  virtual void FillToolbarBackground(TdxBarControl* BarControl, HDC DC, const TRect& R);
  virtual int SmallCaptionHeight();
  virtual bool DrawsCaptionBackground() { return false; }
  virtual TSize GetCaptionButtonSize();
  // The bar's background (Origin: where the DC's origin lies in the bar window's client area).
  virtual void DrawBarBackground(TdxBarControl* BarControl, HDC DC, const TPoint& Origin, HBRUSH Brush,
                                 const TRect& R);
  virtual void DrawBarSeparator(TdxBarControl* BarControl, HDC DC, const TRect& R, bool Horizontal);
  virtual void DrawCaptionButtonFace(TdxBarControl* BarControl, HDC DC, const TRect& R, int State);
  virtual void PaintCaptionCloseButton(TdxBarControl* /*BarControl*/, HDC /*DC*/, const TRect& /*R*/, int /*State*/) {}
  virtual void DrawDragHandle(TdxBarControl* /*BarControl*/, HDC /*DC*/, const TRect& /*R*/) {}
  // The floating border; returns the window rectangle less the frame widths.
  virtual TRect DrawFloatingBarBorder(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush);
  virtual void DrawFloatingCaption(TdxBarControl* BarControl, HDC DC, HBRUSH Brush, const TRect& R);
  virtual void DrawCaptionMark(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState);
  virtual void DrawMark(TdxBarControl* BarControl, HDC DC, const TRect& R);
  // Kind: 0 minimize, 1 restore, 2 close; State: 0 normal, 1 disabled, 2 hot, 3 pressed out, 4 pressed.
  virtual void DrawMDIButton(TdxBarControl* /*BarControl*/, HDC /*DC*/, const TRect& /*R*/, int /*Kind*/, int /*State*/) {}
  virtual void DrawBarSizeGrip(TdxBarControl* BarControl, HDC DC, const TRect& R);
  virtual void FillDockedBarTopMargin(TdxBarControl* BarControl, HDC DC, const TRect& R);
  virtual int FloatingBorderExtra() { return 0; }
  virtual TRect MarkRectFor(TdxBarControl* BarControl) { return MarkRect(BarControl); }
  // The mark's rectangle: in client coordinates when docked, in window coordinates when floating.
  virtual TRect MarkRect(TdxBarControl* BarControl);
  virtual void InvalidateMark(TdxBarControl* BarControl);
  virtual int FloatingCaptionGap() { return 0; }
  virtual int FloatingBorderBottom() { return 0; }
  virtual bool PainterOptionQ() { return false; }
  virtual bool PainterOptionR() { return false; }
  virtual int MarkSize() { return 11; }
  virtual void DrawThemedOrPlainBackground(TCustomdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush);
  // Extra margins added to the corners of a borderless docked toolbar.
  virtual TRect DockedBarMargins(TdxBarControl* /*BarControl*/) { return TRect{}; }
  virtual int DockedBarTopMargin() { return 2; }
  virtual TSize SizeGripSize(TdxBarManager* Manager);
  // The background brush of the window's items.
  virtual HBRUSH AlternateToolbarBrush(TCustomdxBarControl* BarControl) { return ToolbarBrushFor(BarControl); }
  virtual bool CanPaintBarPartly() { return false; }
  virtual void DrawBarSeparatorOn(TdxBarControl* BarControl, TcxCanvas* Canvas, const TRect& R, bool Horizontal);
  // Copies the painter's style into a look-and-feel object.
  virtual void SetLookAndFeelFor(TdxBarManager* Manager, TcxLookAndFeel* LookAndFeel);
  // Dock sites paint their background through a memory bitmap.
  virtual bool BufferedPainting() { return false; }
  // The close button belongs to the non-client area (else the window reports it as client).
  virtual bool CloseButtonIsNonClient() { return false; }
  // The close button of a floating caption follows the mouse.
  virtual bool CloseButtonHotTracks() { return false; }

  // ---- hints and screen tips
  virtual void HintPosition(TCustomdxBarControl* BarControl, const TRect& ItemRect, const TPoint& Cursor,
                            int HintHeight, TPoint& Position);
  virtual TdxBarCustomHintViewInfo* CreateHintViewInfo(TdxBarManager* Manager, const String& HintText,
                                                       const String& ShortCutText, TdxBarScreenTip* ScreenTip);
  virtual TColor ScreenTipDescriptionTextColor() { return clDefault; }
  virtual TColor ScreenTipTextColor() { return clDefault; }
  virtual int ScreenTipFooterLineHeight() { return 3; }
  virtual void DrawScreenTipBackground(TcxCanvas* Canvas, const TRect& R);
  virtual void DrawScreenTipFooterLine(TcxCanvas*, const TRect&) {}

  // ---- the answers the bar windows ask besides the slots above
  virtual int IconAreaWidth(TCustomdxBarControl* BarControl);
  virtual bool AttachesDropDowns(TCustomdxBarControl*) { return false; }
  virtual bool HasShadow(TCustomdxBarControl*) { return false; }
  virtual bool OwnerJoinShown(TCustomdxBarControl*) { return false; }
  // The text height at which sizes given for scaling ratio 1 hold: TextRowHeightFor of the default
  // font at 96 DPI, measured once per painter object.
  virtual int ReferenceTextSize();

  // ======== menus, sub-menus and drop-down windows (SubMenu: the menu window)
  // Recent-item runs of a menu are set apart.
  virtual bool SeparatesRecentRuns() { return false; }
  virtual void DrawScrollArrow(HDC DC, const TRect& R, bool Up, int TextSize, TColor Color);
  virtual void DrawScrollButton(TCustomdxBarControl* SubMenu, HDC DC, const TRect& ItemsRect, bool Top,
                                bool FirstBeginsGroup, bool Selected);
  virtual void FillScrollButton(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R);
  virtual void DrawScrollButtonLine(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, bool Selected);
  virtual TRect ScrollButtonRect(TCustomdxBarControl* SubMenu, const TRect& ItemsRect, bool Top);
  virtual int ScrollButtonHeight(TCustomdxBarControl* SubMenu);
  virtual int ScrollArrowSize(int Height) { return Height / 3 - 1; }
  virtual void DrawExpandChevrons(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, int ChevronSize,
                                  bool Selected);
  virtual void DrawExpandButton(TCustomdxBarControl* SubMenu, TcxCanvas* Canvas, const TRect& R, int ChevronSize,
                                bool Selected);
  virtual void DrawExpandButtonSelected(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R);
  // The scroll arrows of a long menu have areas of their own.
  virtual bool SeparateScrollArrowAreas() { return false; }
  // The window's frame answer (0, 1 or 2).
  virtual int MenuItemIndent(TCustomdxBarControl*) { return 0; }
  virtual int MenuItemHeight(TCustomdxBarControl* SubMenu, bool LargeItems, double ScaleFactor);
  virtual int PopupBorderWidth() { return 2; }
  virtual void DrawMenuItemBackground(TCustomdxBarControl*, TdxBarItemControlDrawParams*, const TRect&) {}
  virtual bool PainterOptionL() { return true; }
  // The extra width of a menu entry's text area.
  virtual int SubMenuItemExtra(TdxBarItemControl* Control);
  virtual int MenuSeparatorHeight(TCustomdxBarControl* SubMenu);
  virtual int MenuSeparatorIndent() { return 0; }
  virtual int PainterOptionP() { return 0; }
  virtual bool HasMenuBackgroundBrush() { return true; }
  virtual int MenuIconAreaSize(TCustomdxBarControl* SubMenu);
  virtual TSize PainterOptionT() { return TSize{5, 3}; }
  virtual void AdjustMenuMetric(int&) {}
  virtual void AdjustMenuMetric2(int&) {}
  virtual int DropDownListBorderSize() { return 2; }
  virtual void DrawDropDownListBorder(HDC DC, TColor Color, const TRect& R);
  virtual bool HasMenuBand() { return false; }
  virtual int MenuArrowsOffset() { return 2; }
  virtual int MenuArrowWidth(int TextSize) { return TextSize / 4 * 3 + 1; }
  virtual int MenuBeginGroupSize() { return 10; }
  virtual int MenuContentIndent() { return MenuBorderSize() + MenuBorderIndent(); }
  virtual int MenuBorderIndent() { return 1; }
  virtual int MenuBorderSize() { return 1; }
  // The menu's row height (TextSize) and arrow width from the text height of "0" on the canvas.
  virtual void GetSubMenuMetrics(TcxCanvas* Canvas, int Size, int& TextSize, int& ArrowWidth);
  // The row height of GetSubMenuMetrics from the measured height H ("0" + 1).
  virtual int SubMenuRowHeight(int H);
  virtual TRect MenuBorderRect(TCustomdxBarControl* SubMenu, bool HasDetachCaption);
  virtual int DetachCaptionAreaSize(int CaptionHeight) { return CaptionHeight + 3; }
  virtual int MenuIconAreaWidth(TCustomdxBarControl* SubMenu) { return MenuIconAreaSize(SubMenu); }
  virtual int MenuTextOffset(TCustomdxBarControl* SubMenu, int OwnerBarSize);
  virtual int PainterOptionU() { return 0; }
  virtual int PainterOptionV() { return 0; }
  virtual int MenuHeightStep(int H) { return (H - 6) / 2; }
  virtual int PainterOptionW() { return 19; }
  virtual TRect MenuItemIconRect(const TRect& R, int IconAreaSize);
  virtual TRect MenuItemTextRect(TCustomdxBarControl* SubMenu, const TRect& R);
  virtual int MenuItemTextIndentFor(TCustomdxBarControl* SubMenu) { return MenuIconAreaWidth(SubMenu) + 3; }
  virtual TRect MenuSeparatorRect(TCustomdxBarControl* SubMenu, int Top, bool FirstOfRarelyUsedRun);
  virtual TRect DeflateMenuContent(const TRect& R);
  virtual void DrawScrollButtonFrame(TCustomdxBarControl*, HDC, const TRect&) {}
  virtual void FillMenuBackground(TCustomdxBarControl* SubMenu, HDC DC, HBRUSH Brush, const TRect& R,
                                  bool RarelyUsed);
  virtual void DrawSubMenuBorder(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, int DetachCaptionHeight,
                                 bool DetachSelected);
  virtual void DrawSubMenuInnerBorder(TCustomdxBarControl* SubMenu, HDC DC, const TRect& ItemsRect, HBRUSH Brush,
                                      bool Detachable);
  virtual void FillDetachCaption(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, bool Selected);
  virtual void DrawMenuSeparatorItem(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, bool RarelyUsed,
                                     bool FirstOfRun, int IconAreaSize, int OwnerBarSize);
  virtual void DrawMenuItemFrame(TCustomdxBarControl*, TdxBarItemControl*, int, const TRect&, HDC) {}
  virtual void DrawMenuSeparatorLine(HDC DC, const TRect& R);
  virtual void QueryMenuBackgroundBrush(TCustomdxBarControl* SubMenu, HBRUSH& Brush);
  virtual int TextRowHeightFor(TcxCanvas* Canvas) { return CaptionHeightFor(Canvas); }
  virtual HBRUSH MenuBackgroundBrush(TCustomdxBarControl* SubMenu);
  virtual void DrawSubMenuFrame(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, int DetachCaptionHeight,
                                bool DetachSelected) {
    DrawSubMenuBorder(SubMenu, DC, R, DetachCaptionHeight, DetachSelected);
  }
  virtual void DrawApplicationMenuButton(TdxBarItemControlDrawParams*, const TRect&) {}
  virtual void FillApplicationMenuBackground(TCustomdxBarControl* Menu, HDC DC, const TRect& R,
                                             const TRect& ButtonRect);
  virtual TRect ApplicationMenuMargins() { return TRect{6, 18, 6, 29}; }
  virtual void FillExtraPaneBackground(TCustomdxBarControl* Menu, HDC DC, const TRect& R);
  // The client rectangle of a resizable drop-down window (R: its window rectangle at the origin;
  // OwnerRect and WindowRect in screen coordinates). Corner: where the size grip goes, or -1.
  virtual TRect DropDownClientRect(const TRect& R, bool BandShown, bool HasOwner, const TRect& OwnerRect,
                                   const TRect& WindowRect, int& Corner);
  // Draws the non-client area of a drop-down window; returns the close button and size grip
  // rectangles in screen coordinates (both empty without the band).
  virtual void DrawDropDownNonClient(HWND Window, bool BandShown, int Corner, bool CloseHot, bool ClosePressed,
                                     TRect& CloseRect, TRect& GripRect);
  virtual int DropDownNonClientHeight() { return SizeGripBandHeight(); }
  virtual int MenuBandOffsetFor(TCustomdxBarControl*, bool) { return 0; }
  // Offsets of a menu entry's text (left and right).
  virtual void MenuTextOffsets(TdxBarItemControlDrawParams*, int, TRect& R) { R = TRect{3, 0, 3, 0}; }

  // ======== item controls (P: the control's draw parameters)
  virtual void CalcButtonTextRect(TdxBarItemControlDrawParams* P, TRect& T, int& Alignment, const TRect& G,
                                  TdxBarGlyphLayout Layout, const TSize& GlyphArea);
  virtual void PaintGlyphFrame(TdxBarItemControlDrawParams* /*P*/, HDC /*DC*/, const TRect& /*G*/, bool /*HasBorderRoom*/,
                               HBRUSH /*Brush*/, bool /*NoImage*/) {}
  virtual void DrawCheckGlyph(HDC /*DC*/, int /*X*/, int /*Y*/, bool /*DoubleSize*/, bool /*Enabled*/) {}
  virtual void DrawMenuCheckMark(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R, bool Checked, bool Large);
  virtual void DrawCenteredArrow(HDC DC, const TRect& R, TColor Color, bool Down, bool Enabled, bool Selected,
                                 bool Flat);
  virtual void DrawArrowWithSize(HDC DC, const TRect& R, TColor Color, bool Down, int Size, bool Enabled,
                                 bool Selected, bool Flat);
  virtual void DrawSelectionFrame(HDC, const TRect&) {}
  virtual TColor ItemTextColorFor(TdxBarItemControl* Control, bool Selected, bool Flat);
  virtual void DisabledTextColors(bool Selected, bool Flat, TColor& Text, TColor& Shadow);
  virtual TColor ItemTextColor(TdxBarItemControl* Control, bool Selected, bool Flat) {
    return ItemTextColorFor(Control, Selected, Flat);
  }
  virtual TColor ItemControlTextColor(TdxBarItemControlDrawParams* P);
  virtual bool MakesDisabledImagesFaded(TdxBarManager* Manager);
  // The menu draws the background of its items that are not rarely used itself.
  virtual bool DrawsNonRecentBackground() { return false; }
  virtual bool PainterOptionD(TdxBarItemControl*) { return false; }
  virtual bool PainterOptionE() { return false; }
  virtual void DrawPartText(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R, int Alignment);
  virtual TRect EditCaptionMargins() { return TRect{4, 0, 0, 0}; }
  // The rectangle the caption of the draw parameters needs on their canvas.
  virtual void TextBoundsOf(TdxBarItemControlDrawParams* P, TRect& R);
  virtual void TextOffset(TdxBarItemControlDrawParams* P, int& Width);
  virtual int ArrowScale(int Size) { return Size; }
  virtual TRect CalcSplitPartRect(const TRect& R, const TRect& EditRect, bool ButtonShown, int PaintType);
  virtual int SplitPartWidth(int PaintType, const TRect& R);
  virtual void DrawEllipsisDot(HDC DC, const TRect& R, bool Enabled, bool Selected);
  virtual void DrawEllipsis(HDC DC, const TRect& R, bool Enabled, bool Selected, bool Pressed);
  virtual void DrawSubItemArrow(HDC DC, const TRect& R, int Size, bool Enabled, bool Selected, TColor Color);
  virtual TRect EditContentRect(const TRect& R);
  virtual void DrawSpinArrow(HDC DC, const TRect& R, bool Up, bool Enabled, bool Selected);
  virtual void DrawCalendarButtonText(HDC DC, const TRect& R, const String& Text, bool Pressed, int Offset);
  // Splits a button's rectangle into button part 0 and arrow part 1 (Parts holds LastIndex + 1).
  virtual void AdjustButtonPartBounds(TdxBarItemControlDrawParams* P, std::vector<TRect>& Parts, const TRect& R,
                                      int LastIndex);
  // Edit-like part bounds: 0 caption, 1 icon, 2 edit, 3 the button or the up button, 4 the down button.
  virtual void CalcColorComboPartBounds(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts);
  virtual void CalcComboPartBounds(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts);
  virtual void CalcEditPartBounds(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts);
  virtual void CalcSpinEditPartBounds(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts);
  virtual void ItemTextColors(TdxBarItemControl* Control, bool Enabled, bool Selected, bool Flat, TColor& Text,
                              TColor& Shadow);
  virtual int HalfFontHeight(TFont* BarFont);
  virtual TRect CalcGlyphPosition(const TRect& G, const TSize& GlyphSize, TdxBarGlyphLayout Layout,
                                  bool ShowsText, int PaintType);
  virtual void FillItemBackground(TdxBarItemControl* Control, HDC DC, bool Fill, HBRUSH Brush, const TRect& R);
  virtual void FrameItemBackground(TdxBarItemControl* Control, HDC DC, bool Fill, HBRUSH Brush, const TRect& R);
  virtual void DrawDisabledShadow(HDC DC, const TRect& R);
  virtual void DrawItemGlyphAt(TdxBarItemControlDrawParams* P, const TRect& GlyphArea, const TdxBarPaintStates& S);
  virtual void DrawItemGlyph(TdxBarItemControlDrawParams* P, HDC DC, const TdxBarPaintStates& S, const TRect& G,
                             const TSize& ImageSize, bool HasImage);
  virtual void DrawItemText(TdxBarItemControl* Control, HDC DC, const String& Text, TRect R, int Alignment,
                            bool Enabled, bool Selected, bool Vertical, bool Clip, UINT Flags);
  virtual void DrawSunkenFrame(HDC DC, TRect& R);
  virtual void DrawEditButtonFrame(TdxBarItemControl*, HDC, const TRect&, bool, bool, bool) {}
  virtual TRect EditBorderRect() { return TRect{2, 2, 2, 3}; }
  virtual HBRUSH ItemBackgroundBrush(TdxBarItemControl* Control, int PaintType, const TdxBarPaintStates& S);
  virtual int CheckedGlyphShift() { return 0; }
  virtual int PressedGlyphShift(bool /*Checked*/) { return 0; }
  virtual bool IsFlatForArrows() { return false; }
  virtual bool ShowsFlatArrows() { return IsFlat() && !ButtonFaceIsWhite(); }
  virtual bool PainterOptionJ() { return false; }
  virtual bool FillsGlyphBackground(TdxBarItemControl* Control, bool HasImage, const TdxBarPaintStates& S);
  virtual bool PainterOptionK() { return false; }
  virtual bool ItemShowsBarBackground(TdxBarItemControl* Control, bool RarelyUsed);
  virtual bool PainterOptionM() { return false; }
  virtual int ButtonGlyphSizeForManager(TdxBarManager* Manager);
  virtual HBRUSH DownedBrush(TCustomdxBarControl* BarControl);
  virtual HBRUSH DownedSelectedBrush(TCustomdxBarControl*) { return GetSysColorBrush(COLOR_BTNFACE); }
  virtual HBRUSH SelectedBrush(TCustomdxBarControl*) { return GetSysColorBrush(COLOR_HIGHLIGHT); }
  virtual int ComboButtonWidthFor(TCustomdxBarControl*, int ZeroWidth) { return 2 * ZeroWidth - 1; }
  virtual int EditHeightFor(TCustomdxBarControl* BarControl, int ZeroHeight);
  // Top and bottom text margins of an edit (left and right unused).
  virtual TRect EditTextMargins() { return TRect{0, 2, 0, 2}; }
  // Gives a popup bar window its shape after a resize (R: the window rectangle at the origin).
  virtual void EditBorderChanged(HWND, const TRect&, bool) {}
  virtual TRect ColorBoxRect(const TRect& R);
  virtual void DrawColorBoxSelection(TdxBarItemControl*, HDC, bool, const TRect&, const TRect&) {}
  virtual bool PainterOptionS() { return false; }
  virtual TRect CalendarMargins() { return TRect{3, 0, 3, 0}; }
  virtual HBRUSH ItemBrushFor(TdxBarItemControl* Control, const TdxBarPaintStates& S);
  virtual bool ButtonPartFillsBackground(const TdxBarPaintStates& S);
  virtual bool ShowsPressedButton(const TdxBarPaintStates& S, bool InMenu);
  virtual bool UsesSelectedOffset() { return IsFlat(); }
  virtual bool UsesFlatColors() { return IsFlat(); }
  virtual int ButtonVertPadding() { return 6; }
  virtual int ButtonHorzPadding() { return 7; }
  virtual int PaddedHeight(int A) { return A + ButtonVertPadding(); }
  virtual int PaddedWidth(int A) { return A + ButtonHorzPadding(); }
  // The glyph cell of a button with that glyph and text size.
  virtual TSize PaddedButtonSize(int GlyphSize, int) { return TSize{PaddedWidth(GlyphSize), PaddedHeight(GlyphSize)}; }
  virtual void PressedTextOffset(TRect& R, bool State1, bool State2);
  virtual void PressedGlyphOffset(TRect& R, bool Pressed);
  virtual void DrawButtonControl(TdxBarItemControlDrawParams* P, const TRect& R);
  virtual void DrawButtonCaptionOnly(TdxBarItemControlDrawParams* P, const TRect& R);
  virtual void DrawButtonArrow(TdxBarItemControlDrawParams* P, const TRect& R);
  virtual void DrawButtonPart(TdxBarItemControlDrawParams* P, const TRect& R, HBRUSH Brush);
  virtual void DrawSplitButtonArrow(TdxBarItemControlDrawParams* P, const TRect& R);
  virtual void DrawSubItemArrowPart(TdxBarItemControlDrawParams* P, const TRect& R);
  virtual TColor StandardTextColor(TdxBarItemControl*, const TdxBarPaintStates&) { return clBtnText; }
  virtual HBRUSH ArrowBrushFor(TdxBarItemControl* Control, const TdxBarPaintStates& S, int /*PaintType*/) {
    return ItemBrushFor(Control, S);
  }
  virtual int SplitPartGap() { return 1; }
  virtual TRect ComboBorderRect() { return EditBorderRect(); }
  virtual void DrawComboDropDownButton(TdxBarItemControl* Control, HDC DC, const TRect& R,
                                       const TdxBarPaintStates& S, int PaintType);
  virtual void DrawComboButton(TdxBarItemControl*, HDC, TRect&, HBRUSH, const TdxBarPaintStates&, int) {}
  virtual void DrawListEntry(HDC DC, const TRect& R, HBRUSH Brush, const String& Text);
  virtual TColor EditBackColor() { return TColor(clWindow); }
  virtual TColor DisabledEditBackColor(TCustomdxBarControl* BarControl);
  virtual TColor EditBackgroundColor(TdxBarItemControl* Control, bool Enabled);
  virtual TColor EditTextColor() { return TColor(clWindowText); }
  virtual TColor DisabledEditTextColor() { return TColor(clGrayText); }
  virtual TColor EditPartTextColor(TdxBarItemControl* Control, bool Enabled);
  // The edit part's text and background colours.
  virtual void EditColors(TdxBarItemControl* EditControl, TColor& TextColor, TColor& BackgroundColor);
  virtual bool PainterOptionX() { return true; }
  virtual int PainterOptionY() { return 0; }
  virtual bool EditIsSelected(TdxBarItemControlDrawParams* P) { return P->Selected; }
  virtual int PainterOptionZ() { return 0; }
  virtual bool PainterOptionAA(int) { return false; }
  virtual void EditBeforePaint(TdxBarItemControlDrawParams*, const TRect&) {}
  virtual void DrawEditCaptionBackground(TdxBarItemControlDrawParams*, HDC, const TRect&) {}
  virtual void EditAfterPaint(TdxBarItemControlDrawParams*, const TRect&) {}
  virtual void DrawComboListEntry(HDC DC, const TRect& R, const String& Text, int Offset);
  virtual void DrawEditControl(TdxBarItemControlDrawParams* P, const TRect& R, const std::vector<TRect>& Parts);
  virtual TRect EditButtonMargins() { return TRect{2, 2, 2, 2}; }
  virtual void DrawEditFrameArea(TdxBarItemControlDrawParams* P, HDC DC, const std::vector<TRect>& Parts);
  // Draws the edit's two rings; R shrinks by them.
  virtual void DrawEditBorder(TdxBarItemControlDrawParams* P, HDC DC, TRect& R);
  virtual void DrawEditCaption(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R);
  virtual void DrawSelectedMenuEdit(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R);
  virtual void DrawEditGlyph(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R);
  virtual bool EditCaptionFillsBackground(TdxBarItemControlDrawParams* P);
  virtual bool EditCaptionGapFillsBackground(TdxBarItemControlDrawParams* P);
  // Sets the canvas colours from EditColors and clips to R; the caller draws the value then.
  virtual void DrawEditContent(TdxBarItemControlDrawParams* P, TcxCanvas* Canvas, const TRect& R);
  // The value of an edit: 2 px from the left, vertically centred, single line, no prefix.
  virtual void DrawEditItemText(TcxCanvas* Canvas, const TRect& R, const String& Text);
  virtual int CalendarWidth() { return 132; }
  virtual bool PainterOptionAB(int /*Flags*/) { return false; }
  virtual TRect EditPartMargins(TdxBarItemControlDrawParams* P, int TextWidth, int PartWidth);
  virtual int CaptionPartWidth(bool HasCaption, bool InMenu);
  virtual int MenuEditTextIndent(TCustomdxBarControl*) { return 2; }
  virtual int EditTextIndent(TdxBarItemControl*) { return 2; }
  virtual int EditCaptionRightMargin() { return 4; }
  virtual TRect MenuEditMargins(TdxBarItemControl*) { return TRect{4, 0, 0, 0}; }
  virtual HBRUSH EditBrushFor(TdxBarItemControl* Control);
  // An edit in a menu shows its item's icon.
  virtual bool EditShowsIcon(TdxBarItemControl*) { return false; }
  virtual void SetEditRect(HWND Edit, const TRect& EditRect);
  virtual void SelectAllEditText(HWND Edit, bool NotifyChange);
  virtual bool PainterOptionAD(bool /*Asked*/, int /*PaintType*/) { return false; }
  virtual bool UsesEditButtonFrame() { return false; }
  virtual bool HasEditButtonPart(const TRect& ButtonPart) { return !ButtonPart.IsEmpty(); }
  virtual int EditButtonPartWidth(const TRect& ButtonPart);
  virtual TRect EditButtonPartMargins() { return TRect{1, 2, 1, 2}; }
  virtual void DrawColorComboButton(TdxBarItemControl* Control, HDC DC, const TRect& R, const TdxBarPaintStates& S);
  virtual void DrawColorComboFrame(TdxBarItemControl* Control, HDC DC, const TRect& R);
  virtual bool IsCalendarFlat() { return false; }
  virtual void DrawCalendarButton(TdxBarManager* Manager, HDC DC, const TRect& R, const String& Text, bool Pressed);
  virtual TColor CalendarHeaderColor() { return clBtnFace; }
  // Part 3 is the up button, 4 the down button.
  virtual TPoint SpinArrowPosition(const TRect& Button, int Part, const TSize& ArrowSize);
  virtual int SpinButtonsWidth(int AreaWidth) { return AreaWidth - SpinButtonsMargins().left; }
  virtual TSize SpinArrowSize(int Height);
  virtual TRect SpinButtonRect(const TRect& R, const TRect& EditRect, int Part);
  virtual TRect SpinButtonsMargins() { return TRect{1, 0, 1, 0}; }
  virtual int SpinButtonWidthFor(int Height);
  // 4 disabled, 3 pressed, 2 hot, 1 otherwise.
  virtual int SpinButtonState(bool Enabled, int Part, int PressedPart, int HotPart);
  virtual void DrawSpinButton(TdxBarItemControl* Control, HDC DC, const TRect& R, int Part, int State,
                              const TSize& ArrowSize, bool Selected);
  virtual void FillSpinButtonsBackground(TdxBarItemControl* Control, HDC DC, const TRect& R);
  virtual TColor HighlightColor() { return TColor(clHighlight); }
  virtual int ProgressBarMinHeight() { return 12; }
  virtual void DrawProgressBar(TdxBarItemControl* Control, HDC DC, const TRect& R, TColor Color, int Min, int Max,
                               int Position, bool Smooth, bool Vertical);
  virtual void DrawProgressFrame(TdxBarItemControl* Control, HDC DC, TRect& R);
  virtual void FillRectWithBrush(HDC DC, const TRect& R, HBRUSH Brush) { FillRect(DC, &R, Brush); }
  virtual void FillProgressChunk(HDC DC, const TRect& R, HBRUSH Brush) { FillRectWithBrush(DC, R, Brush); }
  virtual int ProgressChunkGap() { return 0; }
  virtual HBRUSH ShadowBrush() { return GetSysColorBrush(COLOR_BTNSHADOW); }
  virtual int StaticTextSize(TCustomdxBarControl* SubMenu);
  // The width of a static-like control's arrow area in a menu (the menu's text size).
  virtual int StaticTextSize(TdxBarItemControlDrawParams* P);
  virtual int StaticTextIndent() { return 5; }
  virtual bool StaticDrawsSelected(TdxBarItemControlDrawParams* P) { return P->Selected; }
  virtual bool StaticShowsArrow(bool /*Selected*/) { return true; }
  virtual void DrawStaticArrow(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R, bool Expanded);
  virtual void DrawStaticBackgroundInMenu(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R);
  virtual void DrawInPlaceSubItem(TdxBarItemControlDrawParams* P, const TRect& R, bool Expanded);
  virtual void DrawStaticBackground(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R);
  virtual void DrawStaticBorder(TdxBarItemControlDrawParams* P, HDC DC, TRect& R, TdxBarStaticBorderStyle Style);
  virtual void DrawStaticControl(TdxBarItemControlDrawParams* P, const TRect& R);
  virtual void DrawStaticFrame(TdxBarItemControlDrawParams* P, HDC DC, TRect& R, TdxBarStaticBorderStyle Style,
                               int LeftIndent, int RightIndent);
  virtual bool StaticFillsBackground(TdxBarItemControl* Control);
  virtual TRect StaticBorderRect(TdxBarStaticBorderStyle Style);
  // The DrawItemText alignment of a text alignment: 0 left, 1 centre, 2 right.
  static int TextAlignmentCode(TAlignment Alignment);
  // The offsets of a separator's caption.
  virtual void SeparatorMargins(TdxBarItemControlDrawParams*, int, TRect& R) { R = TRect{6, 0, 0, 0}; }
  virtual int SeparatorLineHeight() { return 2; }
  virtual void DrawSeparatorBackground(TdxBarItemControlDrawParams* P, const TRect& R) { DrawStaticControl(P, R); }
  virtual void DrawSeparatorControl(TdxBarItemControlDrawParams* P, const TRect& R);

  // ---- item-control answers the bar windows ask besides the slots above
  // Offsets between a glyph and the caption on toolbars (the control adds the left value).
  virtual void GlyphTextGap(TRect& R) { R = TRect{4, 0, 0, 0}; }
  virtual int DropDownArrowWidth(TdxBarManager* Manager);
  virtual bool SplitButtonsSupported() { return false; }
  virtual bool SplitEdgeVisibleDefault() { return false; }
  virtual bool SplitEdgeHotForControl(TdxBarItemControl*) { return false; }
  virtual bool SplitEdgeHotWhenPressed() { return true; }
  virtual bool DrawsPressedArrow() { return SplitButtonsSupported(); }
  // A lowered button grows by twice this in both directions.
  virtual int LoweredBorderWidth(TdxBarItemControl*) { return 0; }
  virtual int EditWindowStyle() { return ES_MULTILINE | ES_AUTOHSCROLL; }
  // A container's menu entry: the button drawing with the menu paint type.
  void DrawContainerMenuEntry(TdxBarItemControlDrawParams* P, const TRect& R);

  // The themed routines of the XP painter the base behaviour calls when the manager has themes.
  static void DrawThemedStatusBackground(HDC DC, const TRect& R);
  static void DrawThemedSizeGrip(HDC DC, const TRect& R);

  // ---- the menu window's calls (its own argument lists: the menu window itself, out-parameters);
  // each asks the slot above of the same meaning with what the menu window knows. Calls that have the
  // slot's own argument list (ScrollArrowSize, MenuArrowsOffset, MenuBeginGroupSize, MenuContentIndent,
  // MenuBorderIndent, TextRowHeightFor, GetSubMenuMetrics) go to the slot directly.
  // The upper (Index 0) or lower (1) scroll arrow over the menu's items rectangle.
  virtual void DrawScrollButton(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, int Index);
  virtual void ScrollButtonRect(TdxBarSubMenuControl* Menu, int Index, TRect& R);
  virtual int ScrollButtonHeight(TdxBarSubMenuControl* Menu);
  // The expand mark of a personalised menu (Hot in mark state 1), on the menu's current canvas.
  virtual void DrawExpandButton(TdxBarSubMenuControl* Menu, const TRect& R, bool Hot);
  virtual void MenuBorderRect(TdxBarSubMenuControl* Menu, TRect& R);
  virtual int DetachCaptionAreaSize(TdxBarSubMenuControl* Menu);
  virtual void DeflateMenuContent(TdxBarSubMenuControl* Menu, TRect& R);
  // The tear-off strip, hot or not after the menu's TearOffHot.
  virtual void FillDetachCaption(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R);
  virtual int MenuIconAreaWidth(TdxBarSubMenuControl* Menu);
  virtual int MenuTextOffset(TdxBarSubMenuControl* Menu);
  virtual void FillMenuBackground(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, const TRect& R);
  virtual void DrawSubMenuInnerBorder(TdxBarSubMenuControl* Menu, HDC DC, HBRUSH Brush, const TRect& R);
  virtual void DrawSubMenuBorder(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R);
  virtual void DrawMenuSeparatorItem(TdxBarSubMenuControl* Menu, TdxBarItemControl* Control,
                                     const TdxBarSeparatorInfo& Separator, TcxCanvas* Canvas);
  virtual void DrawMenuItemFrame(TdxBarSubMenuControl* Menu, TdxBarItemControl* Control, int ShownIndex,
                                 const TRect& R, HDC DC);
  virtual void QueryMenuBackgroundBrush(TdxBarSubMenuControl* Menu, HBRUSH& Brush);
  virtual HBRUSH MenuBackgroundBrush(TdxBarSubMenuControl* Menu);
  // The separator above a control that begins a group: the caller's left and right stay, the slot
  // gives the top and bottom above ItemRect.
  virtual void MenuSeparatorRect(TdxBarSubMenuControl* Menu, TdxBarItemControl* Control, TRect& Separator,
                                 const TRect& ItemRect);
  // Half the height of the font of the control's bar window.
  virtual int HalfFontHeight(TdxBarItemControl* Control);
  // A selected sub-item's split edge is hot in painters without split buttons.
  virtual bool SubItemSplitEdgeHot() { return false; }
  virtual void DrawSubMenuFrame(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R);
  // The application menu's background over R (its item column, extra pane and side strip); Content is
  // its content rectangle, to which the caller clips; nothing is left out of the fill.
  virtual void FillApplicationMenuBackground(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, const TRect& R,
                                             const TRect& Content);
  virtual void ApplicationMenuMargins(TRect& R) { R = ApplicationMenuMargins(); }

  // ---- the toolbar window's calls for its parts (its own argument order; each asks the slot above)
  // The drag handle of a docked toolbar (R: the window rectangle at the origin).
  virtual void DrawDragHandle(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH /*Brush*/) {
    DrawDragHandle(BarControl, DC, R);
  }
  // A floating caption over R (window coordinates).
  virtual void DrawFloatingCaption(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) {
    DrawFloatingCaption(BarControl, DC, Brush, R);
  }
  // The floating close button in the window's close-button state (0 normal, 1 hot, 2 pressed).
  virtual void PaintCaptionCloseButton(TdxBarControl* BarControl, HDC DC, const TRect& R);
  virtual void GetCaptionButtonSize(TSize& Size) { Size = GetCaptionButtonSize(); }
  virtual int MarkSize(TdxBarControl* /*BarControl*/) { return MarkSize(); }
  virtual void MarkRectFor(TdxBarControl* BarControl, TRect& R) { R = MarkRectFor(BarControl); }
  virtual void DrawMark(TdxBarControl* BarControl, TcxCanvas* Canvas, const TRect& R, HBRUSH /*Brush*/);
  virtual void DrawCaptionMark(TdxBarControl* BarControl, HDC DC, const TRect& R);
  virtual void FillDockedBarTopMargin(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH /*Brush*/) {
    FillDockedBarTopMargin(BarControl, DC, R);
  }
  // The size grip in the bottom-right square R of the window.
  virtual void DrawBarSizeGrip(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush);
  virtual void SizeGripSize(TdxBarManager* Manager, TSize& Size) { Size = SizeGripSize(Manager); }
  virtual void DrawBarSeparator(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH /*Brush*/,
                                bool Horizontal) {
    DrawBarSeparator(BarControl, DC, R, Horizontal);
  }
  virtual void DrawMDIButton(TdxBarControl* BarControl, int Index, int State, HDC DC, const TRect& R) {
    DrawMDIButton(BarControl, DC, R, Index, State);
  }

  // ---- entries of the quick-customization popup
  // The check area of an entry: the square as wide as the entry is high at its left, filled through
  // FillItemBackground with the control's brush when selected, else with the bar's background.
  virtual void DrawQuickCustomizeCheckArea(TdxBarItemControl* Control, HDC DC, const TRect& Entry, bool Selected);
  // The check mark centred in Square when checked, with the selection frame around Square inset by 1.
  virtual void DrawQuickCustomizeCheck(TdxBarItemControl* Control, HDC DC, const TRect& Square, bool Checked);
  // The square check area of an entry rectangle.
  static TRect QuickCustomizeCheckSquare(const TRect& Entry) {
    return TRect{Entry.left, Entry.top, Entry.left + Entry.Height(), Entry.bottom};
  }

 protected:
  // The drop-down window's non-client drawing in the flat or raised look, themed or not.
  void DrawDropDownNonClientWith(HWND Window, bool BandShown, int Corner, bool CloseHot, bool ClosePressed, bool Flat,
                                 bool Themed, TRect& CloseRect, TRect& GripRect);

 private:
  int referenceTextSize_ = 0;
};

// The filled length of a progress bar of that length; nothing when Max does not exceed Min.
int ProgressFilledLength(int Length, int Min, int Max, int Position);

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
