#pragma once
// The painter classes a bar manager chooses from its style: Standard (classic raised edges, double
// drag handle), Enhanced (the Standard look with one handle line and the quick-customizing mark),
// Flat (one-pixel frames, flat selection brushes, joined menus), Office11 (gradients and the Office11
// colour set) and XP (the visual style's parts). The library's start puts them in the table of
// painter classes (0 Standard, 1 Enhanced, 2 Flat, 3 XP, 4 Office11; entry 5 keeps Standard).

#include <array>
#include <memory>
#include <vector>

#include "platform/framework/graphics/Bitmap.h"
#include "ui/bars/BarPainter.h"
#include "ui/foundation/Themes.h"

class TdxBarStandardPainter : public TdxBarPainter {
  DECLARE_CLASS(TdxBarStandardPainter, TdxBarPainter)
 public:
  using TdxBarPainter::TdxBarPainter;

  int DragHandleOffset() override { return 2; }
  int DragHandleSize() override { return 2 * DragHandleWidth() + DragHandleOffset() + 1; }
  int FloatingBorderExtra() override { return 4; }
  int FloatingCaptionGap() override { return 2; }
  int FloatingBorderBottom() override { return 1; }
  bool IsShortBar(const TRect&) override { return false; }
  bool AllowsQuickCustomizing() override { return false; }
  bool CanPaintBarPartly() override { return true; }
  bool SeparatesRecentRuns() override { return true; }
  bool PainterOptionQ() override { return true; }
  bool PainterOptionR() override { return true; }
  void DrawMarkFace(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState) override;
  void DrawDragHandle(TdxBarControl* BarControl, HDC DC, const TRect& R) override;
  void DrawMarkChevron(TdxBarControl* BarControl, HDC DC, int X, int Y, bool Vertical) override;
  TRect MarkRect(TdxBarControl* BarControl) override;
  void PaintCaptionCloseButton(TdxBarControl* BarControl, HDC DC, const TRect& R, int State) override;
  TRect DrawFloatingBarBorder(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) override;
  void DrawMDIButton(TdxBarControl* BarControl, HDC DC, const TRect& R, int Kind, int State) override;

  void PaintGlyphFrame(TdxBarItemControlDrawParams* P, HDC DC, const TRect& G, bool HasBorderRoom, HBRUSH Brush,
                       bool NoImage) override;
  void DrawCheckGlyph(HDC DC, int X, int Y, bool DoubleSize, bool Enabled) override;
  void DrawDisabledShadow(HDC DC, const TRect& R) override;
  HBRUSH ItemBackgroundBrush(TdxBarItemControl* Control, int PaintType, const TdxBarPaintStates& S) override;
  void DrawButtonPart(TdxBarItemControlDrawParams* P, const TRect& R, HBRUSH Brush) override;
  void DrawEditButtonFrame(TdxBarItemControl* Control, HDC DC, const TRect& R, bool Pressed, bool Selected,
                           bool Enabled) override;
  TRect EditBorderRect() override { return TRect{2, 1, 2, 1}; }
  TRect EditTextMargins() override { return TRect{0, 0, 0, 2}; }
  bool HasMenuBackgroundBrush() override { return false; }
  int CheckedGlyphShift() override { return 1; }
  int PressedGlyphShift(bool) override { return 1; }
  bool PainterOptionM() override { return true; }
  void DrawComboButton(TdxBarItemControl* Control, HDC DC, TRect& R, HBRUSH Brush, const TdxBarPaintStates& S,
                       int PaintType) override;
  void DrawDropDownListBorder(HDC DC, TColor Color, const TRect& R) override;

  int MenuItemIndent(TCustomdxBarControl*) override { return 2; }
  int MenuSeparatorIndent() override { return 2; }
  int MenuBorderSize() override { return 2; }
  TRect MenuBorderRect(TCustomdxBarControl* SubMenu, bool HasDetachCaption) override;
  void DrawMenuItemBackground(TCustomdxBarControl* SubMenu, TdxBarItemControlDrawParams* P, const TRect& R) override;
  void DrawMenuItemFrame(TCustomdxBarControl* SubMenu, TdxBarItemControl* Control, int Index, const TRect& R,
                         HDC DC) override;

};

class TdxBarEnhancedPainter : public TdxBarStandardPainter {
  DECLARE_CLASS(TdxBarEnhancedPainter, TdxBarStandardPainter)
 public:
  using TdxBarStandardPainter::TdxBarStandardPainter;

  int DragHandleOffset() override { return 1; }
  int DragHandleSize() override { return DragHandleWidth() + DragHandleOffset() + 2; }
  int MenuSeparatorIndent() override { return 12; }
  bool AllowsQuickCustomizing() override { return true; }
  void DrawMarkChevron(TdxBarControl* BarControl, HDC DC, int X, int Y, bool Vertical) override;
  void DrawMarkFace(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState) override;
  void DrawDragHandle(TdxBarControl* BarControl, HDC DC, const TRect& R) override;
};

class TdxBarFlatPainter : public TdxBarPainter {
  DECLARE_CLASS(TdxBarFlatPainter, TdxBarPainter)
 public:
  using TdxBarPainter::TdxBarPainter;

  // ---- the operations the flat painter adds
  virtual void FrameFlatItem(TdxBarItemControl* Control, bool Checked, bool Selected, int PaintType, HBRUSH Brush,
                             const TRect& R);
  virtual HBRUSH FlatToolbarsBrush(TCustomdxBarControl* BarControl);
  virtual HBRUSH FlatShadowBrush() { return GetSysColorBrush(COLOR_BTNSHADOW); }
  virtual void DrawOwnerJoin(TCustomdxBarControl* BarControl, HDC DC, const TRect& R);
  virtual void ClipOwnerJoin(TCustomdxBarControl* BarControl, HDC DC, const TRect& R);
  virtual void FrameWithFlatBrush(TCustomdxBarControl* BarControl, HDC DC, const TRect& R);
  virtual void FillOwnerLink(TCustomdxBarControl* BarControl, HDC DC, TdxBarItemControl* Control, const TRect& L,
                             const TRect& C);
  virtual TColor FlatShadowColor() { return SystemColor(COLOR_BTNSHADOW); }

  // ---- overrides
  bool IsFlat() override { return true; }
  bool IsFlatForArrows() override { return true; }
  bool PainterOptionK() override { return true; }
  bool PainterOptionM() override { return true; }
  bool PainterOptionS() override { return true; }
  bool UsesFlatDockBackground() override { return true; }
  int SeparatorSize() override { return 5; }
  int HalfSeparatorSize() override { return (SeparatorSize() - 1) / 2; }
  int DragHandleOffset() override { return 1; }
  int DragHandleSize() override { return DragHandleWidth() + 1 + 2; }
  int ButtonGlyphSizeForManager(TdxBarManager* Manager) override {
    return TdxBarPainter::ButtonGlyphSizeForManager(Manager) - 1;
  }
  int SubMenuItemExtra(TdxBarItemControl* Control) override;
  HBRUSH ToolbarBrush(TCustomdxBarControl* BarControl) override;
  HBRUSH ToolbarBrushFor(TCustomdxBarControl* BarControl) override;
  HBRUSH DownedBrush(TCustomdxBarControl* BarControl) override;
  HBRUSH DownedSelectedBrush(TCustomdxBarControl* BarControl) override;
  HBRUSH SelectedBrush(TCustomdxBarControl* BarControl) override;
  HBRUSH AlternateToolbarBrush(TCustomdxBarControl*) override { return GetSysColorBrush(COLOR_WINDOW); }
  TColor FloatingCaptionColor(bool) override { return SystemColor(COLOR_INACTIVECAPTION); }
  TColor MarkArrowColor(TdxBarControl* BarControl, int MarkState) override;
  TColor MarkElementColor(TdxBarControl* BarControl, int MarkState) override;
  void OffsetFloatingCaption(TdxBarControl* BarControl, TRect& TextR, const TRect& MarkR) override;
  void DrawMarkFace(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState) override;
  void DrawBarSeparator(TdxBarControl* BarControl, HDC DC, const TRect& R, bool Horizontal) override;
  void DrawDragHandle(TdxBarControl* BarControl, HDC DC, const TRect& R) override;
  void PaintCaptionCloseButton(TdxBarControl* BarControl, HDC DC, const TRect& R, int State) override;
  TRect DrawFloatingBarBorder(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) override;
  void DrawCaptionMark(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState) override;
  void DrawMDIButton(TdxBarControl* BarControl, HDC DC, const TRect& R, int Kind, int State) override;
  void DrawSelectionFrame(HDC DC, const TRect& R) override;
  bool AttachesDropDowns(TCustomdxBarControl*) override { return true; }
  bool HasShadow(TCustomdxBarControl*) override { return true; }
  bool OwnerJoinShown(TCustomdxBarControl*) override { return true; }
  bool CloseButtonHotTracks() override { return true; }

  void PaintGlyphFrame(TdxBarItemControlDrawParams* P, HDC DC, const TRect& G, bool HasBorderRoom, HBRUSH Brush,
                       bool NoImage) override;
  void DrawCheckGlyph(HDC DC, int X, int Y, bool DoubleSize, bool Enabled) override;
  void DrawSunkenFrame(HDC DC, TRect& R) override;
  void DrawEditButtonFrame(TdxBarItemControl* Control, HDC DC, const TRect& R, bool Pressed, bool Selected,
                           bool Enabled) override;
  HBRUSH ItemBackgroundBrush(TdxBarItemControl* Control, int PaintType, const TdxBarPaintStates& S) override;
  bool FillsGlyphBackground(TdxBarItemControl* Control, bool HasImage, const TdxBarPaintStates& S) override;
  void DrawButtonPart(TdxBarItemControlDrawParams* P, const TRect& R, HBRUSH Brush) override;
  HBRUSH ItemBrushFor(TdxBarItemControl* Control, const TdxBarPaintStates& S) override;
  TColor StandardTextColor(TdxBarItemControl* Control, const TdxBarPaintStates& S) override;
  HBRUSH ArrowBrushFor(TdxBarItemControl* Control, const TdxBarPaintStates& S, int PaintType) override;
  void DrawComboButton(TdxBarItemControl* Control, HDC DC, TRect& R, HBRUSH Brush, const TdxBarPaintStates& S,
                       int PaintType) override;
  TRect EditButtonMargins() override { return TRect{1, 1, 1, 1}; }
  int EditTextIndent(TdxBarItemControl*) override { return 6; }
  int EditCaptionRightMargin() override { return 5; }
  TRect MenuEditMargins(TdxBarItemControl*) override { return TRect{7, 0, 0, 0}; }
  HBRUSH EditBrushFor(TdxBarItemControl* Control) override;
  bool PainterOptionAD(bool Asked, int PaintType) override { return Asked && PaintType == 1; }
  void DrawEditBorder(TdxBarItemControlDrawParams* P, HDC DC, TRect& R) override;
  bool EditCaptionGapFillsBackground(TdxBarItemControlDrawParams* P) override;
  void DrawComboListEntry(HDC DC, const TRect& R, const String& Text, int Offset) override {
    TdxBarPainter::DrawComboListEntry(DC, R, Text, 2 * Offset);
  }
  void CalcSpinEditPartBounds(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts) override;
  void DrawSpinArrow(HDC DC, const TRect& R, bool Up, bool Enabled, bool Selected) override;
  void DrawSpinButton(TdxBarItemControl* Control, HDC DC, const TRect& R, int Part, int State, const TSize& ArrowSize,
                      bool Selected) override;
  bool StaticShowsArrow(bool Selected) override { return !Selected || ButtonFaceIsWhite(); }
  void DrawStaticBorder(TdxBarItemControlDrawParams* P, HDC DC, TRect& R, TdxBarStaticBorderStyle Style) override;
  int ProgressChunkGap() override { return 9; }
  bool IsCalendarFlat() override { return true; }
  void DrawCalendarButton(TdxBarManager* Manager, HDC DC, const TRect& R, const String& Text, bool Pressed) override;

  int MenuItemIndent(TCustomdxBarControl*) override { return 1; }
  int MenuSeparatorHeight(TCustomdxBarControl* SubMenu) override {
    return TdxBarPainter::MenuSeparatorHeight(SubMenu) - 1;
  }
  int MenuSeparatorIndent() override { return 8; }
  int MenuArrowsOffset() override { return 1; }
  int MenuBeginGroupSize() override { return 5; }
  int DetachCaptionAreaSize(int CaptionHeight) override { return CaptionHeight + 1; }
  int MenuHeightStep(int H) override;
  int PainterOptionW() override { return 20; }
  TRect DeflateMenuContent(const TRect& R) override;
  int TextRowHeightFor(TcxCanvas* Canvas) override { return TdxBarPainter::TextRowHeightFor(Canvas) + 1; }
  void AdjustMenuMetric(int& Value) override { Value += 2; }
  void AdjustMenuMetric2(int& Value) override { Value += 9; }
  HBRUSH MenuBackgroundBrush(TCustomdxBarControl*) override { return GetSysColorBrush(COLOR_WINDOW); }
  int SubMenuRowHeight(int H) override;
  TRect MenuItemIconRect(const TRect& R, int IconAreaSize) override;
  TRect MenuItemTextRect(TCustomdxBarControl* SubMenu, const TRect& R) override;
  int MenuItemTextIndentFor(TCustomdxBarControl* SubMenu) override {
    return TdxBarPainter::MenuItemTextIndentFor(SubMenu) + 6;
  }
  TRect MenuSeparatorRect(TCustomdxBarControl* SubMenu, int Top, bool FirstOfRarelyUsedRun) override;
  void DrawMenuItemBackground(TCustomdxBarControl* SubMenu, TdxBarItemControlDrawParams* P, const TRect& R) override;
  void DrawMenuSeparatorItem(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, bool RarelyUsed, bool FirstOfRun,
                             int IconAreaSize, int OwnerBarSize) override;
  void DrawMenuSeparatorLine(HDC DC, const TRect& R) override;
  void DrawSubMenuBorder(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, int DetachCaptionHeight,
                         bool DetachSelected) override;
  void DrawSubMenuInnerBorder(TCustomdxBarControl* SubMenu, HDC DC, const TRect& ItemsRect, HBRUSH Brush,
                              bool Detachable) override;
  void FillDetachCaption(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, bool Selected) override;
  void DrawScrollButtonLine(TCustomdxBarControl*, HDC, const TRect&, bool) override {}
  void DrawExpandButtonSelected(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R) override;
  void DrawDropDownNonClient(HWND Window, bool BandShown, int Corner, bool CloseHot, bool ClosePressed,
                             TRect& CloseRect, TRect& GripRect) override;

 protected:
  // A menu entry: the selection frame, or a ring in RingIcon (icon column) and RingText; inside, the
  // column and rows around the icon in Around and the text area in Text unless selected.
  void DrawFlatMenuItemBackground(TCustomdxBarControl* SubMenu, TdxBarItemControlDrawParams* P, const TRect& R,
                                  HBRUSH RingIcon, HBRUSH RingText, HBRUSH Around, HBRUSH Text);
};

// The Office11 painter's colour roles: each names one slot of the Office11 palette.
enum TdxOffice11Role {
  o11rDockStart,
  o11rDockEnd,
  o11rToolbarStart,
  o11rToolbarEnd,
  o11rMarkStartNormal,
  o11rMarkStartHot,
  o11rMarkStartPressed,
  o11rMarkEndNormal,
  o11rMarkEndHot,
  o11rMarkEndPressed,
  o11rMarkCornerNormal,
  o11rMarkCornerHot,
  o11rMarkCornerPressed,
  o11rMarkBorderNormal,
  o11rMarkBorderHot,
  o11rMarkBorderPressed,
  o11rToolbarBottomLine,
  o11rToolbarCorner,
  o11rGripDark,
  o11rGripLight,
  o11rSeparatorDark,
  o11rSeparatorLight,
  o11rMarkArrowDark,
  o11rMarkArrowLight,
  o11rFloatingBorderOuter,
  o11rFloatingBorderInner,
  o11rFloatingCaption,
  o11rCaptionText,
  o11rMarkArrowCaptionHot,
  o11rMarkArrowCaptionPressed,
  o11rDropDownStart,
  o11rDropDownEnd,
  o11rMenuBandStart,
  o11rMenuBandEnd,
  o11rMenuBandRareStart,
  o11rMenuBandRareEnd,
  o11rHotStart,
  o11rHotEnd,
  o11rPressedStart,
  o11rPressedEnd,
  o11rChecked,
  o11rFallback,
  o11rItemText,
  o11rDisabledText,
  o11rSelectedText,
  o11rCalendarHeader,
  o11rMenu,
  o11rBorder,
  o11rInnerBorder,
  o11rMenuBorder,
  o11rSelected,
  o11rDowned,
  o11rDownedSelected,
  o11rCheckedFrame,
  o11rDetachCaptionHot,
  o11rDetachCaption,
  o11rShadow1,
  o11rShadow2,
  o11rShadowColor,
  o11rSelectionFrame,
  o11rRoleCount
};
// The palette slot of each role.
extern const std::array<TOffice11ColorSlot, o11rRoleCount> kOffice11RoleSlots;

class TdxBarOffice11Painter : public TdxBarFlatPainter {
  DECLARE_CLASS(TdxBarOffice11Painter, TdxBarFlatPainter)
 public:
  using TdxBarFlatPainter::TdxBarFlatPainter;
  ~TdxBarOffice11Painter() override;

  // The colour and a solid brush of a role (the brush belongs to the palette or to this painter).
  static TColor RoleColor(TdxOffice11Role Role) { return Office11Color(kOffice11RoleSlots[Role]); }
  HBRUSH RoleBrush(TdxOffice11Role Role);

  // ---- the operations the Office11 painter adds
  virtual void DrawGripDots(HDC DC, const TRect& R, bool Column);
  virtual int Office11HandleExtra() { return 2; }

  // ---- the flat painter's operations
  void FrameFlatItem(TdxBarItemControl* Control, bool Checked, bool Selected, int PaintType, HBRUSH Brush,
                     const TRect& R) override;
  HBRUSH FlatToolbarsBrush(TCustomdxBarControl* BarControl) override;
  HBRUSH FlatShadowBrush() override { return RoleBrush(o11rShadow1); }
  void FrameWithFlatBrush(TCustomdxBarControl* BarControl, HDC DC, const TRect& R) override;
  void FillOwnerLink(TCustomdxBarControl* BarControl, HDC DC, TdxBarItemControl* Control, const TRect& L,
                     const TRect& C) override;
  TColor FlatShadowColor() override { return RoleColor(o11rShadowColor); }

  // ---- metrics and answers
  int FrameWidth() override { return 3; }
  int FrameHeight() override { return 3; }
  int FloatingBarMargin() override { return 2; }
  int DragHandleOffset() override { return TdxBarFlatPainter::DragHandleOffset() + Office11HandleExtra(); }
  int ComboButtonWidthFor(TCustomdxBarControl*, int) override { return 13; }
  TRect BarBorderRect(TdxBarControl* BarControl) override;
  TRect CaptionButtonMargins(TdxBarControl* BarControl) override { return BarBorderRect(BarControl); }
  TRect DeflateMenuContent(const TRect& R) override;
  int DetachCaptionAreaSize(int CaptionHeight) override { return CaptionHeight + 5; }
  int SubMenuRowHeight(int H) override;
  TRect EditButtonMargins() override { return TRect{1, 1, 1, 1}; }
  int MenuBandOffsetFor(TCustomdxBarControl* SubMenu, bool HasIconPart) override;
  bool NativeBackground() override { return true; }
  bool HasMenuBand() override { return true; }
  bool IsFlatForArrows() override { return false; }
  bool PainterOptionK() override { return false; }
  bool MakesDisabledImagesFaded(TdxBarManager*) override { return true; }
  bool DrawsNonRecentBackground() override { return true; }
  bool PainterOptionL() override { return !Office11UsesSchemeColors(); }
  bool PainterOptionN(TCustomdxBarControl* BarControl) override;
  bool PainterOptionAA(int State) override { return State == 0 || State == 3; }
  bool PainterOptionAB(int Flags) override { return Flags == 1; }
  bool EditCaptionFillsBackground(TdxBarItemControlDrawParams* P) override;
  bool EditCaptionGapFillsBackground(TdxBarItemControlDrawParams* P) override;
  bool BufferedPainting() override { return true; }

  // ---- colours and brushes
  TColor ItemTextColorFor(TdxBarItemControl* Control, bool Selected, bool Flat) override;
  void DisabledTextColors(bool Selected, bool Flat, TColor& Text, TColor& Shadow) override;
  TColor StandardTextColor(TdxBarItemControl* Control, const TdxBarPaintStates& S) override;
  TColor FloatingCaptionColor(bool) override { return RoleColor(o11rFloatingCaption); }
  TColor CaptionTextColor() override { return RoleColor(o11rCaptionText); }
  TColor MarkArrowColor(TdxBarControl* BarControl, int MarkState) override;
  TColor DisabledEditBackColor(TCustomdxBarControl*) override { return SystemColor(COLOR_BTNFACE); }
  TColor DisabledEditTextColor() override { return RoleColor(o11rDisabledText); }
  TColor CalendarHeaderColor() override { return RoleColor(o11rCalendarHeader); }
  HBRUSH ToolbarBrush(TCustomdxBarControl*) override { return RoleBrush(o11rMenu); }
  HBRUSH MenuBackgroundBrush(TCustomdxBarControl*) override { return RoleBrush(o11rMenu); }
  HBRUSH AlternateToolbarBrush(TCustomdxBarControl*) override { return RoleBrush(o11rMenu); }
  HBRUSH ToolbarBrushFor(TCustomdxBarControl* BarControl) override;
  HBRUSH DownedBrush(TCustomdxBarControl*) override { return RoleBrush(o11rDowned); }
  HBRUSH DownedSelectedBrush(TCustomdxBarControl*) override { return RoleBrush(o11rDownedSelected); }
  HBRUSH SelectedBrush(TCustomdxBarControl*) override { return RoleBrush(o11rSelected); }
  HBRUSH BarControlOwnerBrush(TCustomdxBarControl* BarControl) override { return ToolbarBrush(BarControl); }
  void FillBarClientArea(TCustomdxBarControl* BarControl, HDC DC, const TRect& R) override;
  HBRUSH ShadowBrush() override { return RoleBrush(o11rShadow2); }
  HBRUSH ItemBrushFor(TdxBarItemControl* Control, const TdxBarPaintStates& S) override;
  HBRUSH ArrowBrushFor(TdxBarItemControl* Control, const TdxBarPaintStates& S, int PaintType) override;

  // ---- bars
  void DrawDockBackground(TdxDockControl* Site, HDC DC, const TRect& R, const TRect& Client, HBRUSH Brush,
                          TColor Color) override;
  void DrawDockedBarBackground(TdxBarControl* BarControl, HDC DC, const TPoint& Origin, HBRUSH Brush,
                               const TRect& R) override;
  void DrawManagerBackground(TdxBarControl* BarControl, HDC DC, const TPoint& Origin, HBRUSH Brush,
                             const TRect& R) override;
  void DrawDragHandle(TdxBarControl* BarControl, HDC DC, const TRect& R) override;
  void DrawBarMark(TdxBarControl* BarControl, HDC DC, const TRect& R, bool HasHiddenLinks) override;
  void DrawMarkFace(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState) override;
  void DrawBarSeparator(TdxBarControl* BarControl, HDC DC, const TRect& R, bool Horizontal) override;
  TRect DrawFloatingBarBorder(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) override;
  void DrawFloatingCaption(TdxBarControl* BarControl, HDC DC, HBRUSH Brush, const TRect& R) override;
  TRect MarkRectFor(TdxBarControl* BarControl) override;
  void InvalidateMark(TdxBarControl* BarControl) override;
  void DrawCaptionButtonFace(TdxBarControl* BarControl, HDC DC, const TRect& R, int State) override;
  void DrawColorBoxSelection(TdxBarItemControl* Control, HDC DC, bool Selected, const TRect& Box,
                             const TRect& Frame) override;

  // ---- items
  void DrawCenteredArrow(HDC DC, const TRect& R, TColor Color, bool Down, bool Enabled, bool Selected,
                         bool Flat) override;
  void DrawArrowWithSize(HDC DC, const TRect& R, TColor Color, bool Down, int Size, bool Enabled, bool Selected,
                         bool Flat) override;
  void DrawSelectionFrame(HDC DC, const TRect& R) override { FrameOffice11Selection(DC, R); }
  void PaintGlyphFrame(TdxBarItemControlDrawParams* P, HDC DC, const TRect& G, bool HasBorderRoom, HBRUSH Brush,
                       bool NoImage) override;
  void DrawEditButtonFrame(TdxBarItemControl* Control, HDC DC, const TRect& R, bool Pressed, bool Selected,
                           bool Enabled) override;
  void DrawComboButton(TdxBarItemControl* Control, HDC DC, TRect& R, HBRUSH Brush, const TdxBarPaintStates& S,
                       int PaintType) override;
  void DrawEditBorder(TdxBarItemControlDrawParams* P, HDC DC, TRect& R) override;
  void DrawEditCaptionBackground(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R) override;
  void DrawDropDownListBorder(HDC DC, TColor Color, const TRect& R) override;
  void DrawCalendarButton(TdxBarManager* Manager, HDC DC, const TRect& R, const String& Text, bool Pressed) override;
  void DrawExpandChevrons(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, int ChevronSize,
                          bool Selected) override;

  // ---- menus
  void FillMenuBackground(TCustomdxBarControl* SubMenu, HDC DC, HBRUSH Brush, const TRect& R,
                          bool RarelyUsed) override;
  void DrawMenuItemBackground(TCustomdxBarControl* SubMenu, TdxBarItemControlDrawParams* P, const TRect& R) override;
  void DrawSubMenuBorder(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, int DetachCaptionHeight,
                         bool DetachSelected) override;
  void DrawSubMenuInnerBorder(TCustomdxBarControl* SubMenu, HDC DC, const TRect& ItemsRect, HBRUSH Brush,
                              bool Detachable) override;
  void FillDetachCaption(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, bool Selected) override;

  // The item-face gradient ends for the states (false when the face is not a gradient).
  bool ItemFaceGradient(TdxBarItemControl* Control, const TdxBarPaintStates& S, int PaintType, TColor& Start,
                        TColor& End);

 private:
  // The 50 % blend of two colours (the corner pixels).
  TColor Blend50(TColor A, TColor B);
  // A one-pixel strip of the toolbar gradient for a bar's thickness (kept while it fits).
  HDC GradientStrip(int Thickness, bool Vertical);

  HBRUSH ownBrushes_[o11rRoleCount] = {};
  TColor ownBrushColors_[o11rRoleCount] = {};
  std::unique_ptr<TBitmap> strip_;
  int stripThickness_ = 0;
  bool stripVertical_ = false;
  TColor stripStart_ = 0, stripEnd_ = 0;
  struct TBlend {
    TColor A, B, Result;
  };
  std::vector<TBlend> blends_;
};

// The XP painter's theme metrics, read when an XP painter is made (process-wide).
struct TdxBarXPThemeMetrics {
  int SeparatorWidth = 6;
  TSize CaptionButtonSize{16, 16};
  int ButtonMargin = 6;
  int ComboButtonWidth = 17;
  TRect EditMargins{2, 2, 2, 2};
  int GripperWidth = 3;
  int ProgressMinHeight = 12;
  TSize SizeGripSize{16, 16};
  int SeparatorHeight = 6;
};
const TdxBarXPThemeMetrics& BarXPThemeMetrics();

class TdxBarXPPainter : public TdxBarPainter {
  DECLARE_CLASS(TdxBarXPPainter, TdxBarPainter)
 public:
  explicit TdxBarXPPainter(TcxCustomLookAndFeelPainterClass Skin);

  bool NativeBackground() override { return true; }
  bool UsesSelectedOffset() override { return true; }
  bool PainterOptionS() override { return true; }
  bool IsFlatForArrows() override { return true; }
  bool MakesDisabledImagesFaded(TdxBarManager*) override { return true; }
  bool PainterOptionD(TdxBarItemControl* Control) override;
  int DragHandleOffset() override { return 0; }
  int DragHandleWidth() override { return BarXPThemeMetrics().GripperWidth; }
  int DragHandleSize() override { return DragHandleWidth() + 2; }
  int CaptionButtonIndent() override { return 0; }
  int ButtonGlyphSizeForManager(TdxBarManager* Manager) override {
    return TdxBarPainter::ButtonGlyphSizeForManager(Manager) + 3;
  }
  int MenuSeparatorHeight(TCustomdxBarControl* SubMenu) override {
    return TdxBarPainter::MenuSeparatorHeight(SubMenu) + 3;
  }
  int SplitPartGap() override { return 0; }
  int SeparatorSize() override { return BarXPThemeMetrics().SeparatorWidth; }
  int HalfSeparatorSize() override { return (SeparatorSize() - 1) / 2; }
  TSize GetCaptionButtonSize() override { return BarXPThemeMetrics().CaptionButtonSize; }
  int ButtonVertPadding() override { return BarXPThemeMetrics().ButtonMargin; }
  int ButtonHorzPadding() override { return ButtonVertPadding(); }
  int ComboButtonWidthFor(TCustomdxBarControl*, int) override { return BarXPThemeMetrics().ComboButtonWidth; }
  TRect EditButtonMargins() override { return BarXPThemeMetrics().EditMargins; }
  int ProgressBarMinHeight() override { return BarXPThemeMetrics().ProgressMinHeight; }
  TSize SizeGripSize(TdxBarManager* Manager) override;
  int MenuBeginGroupSize() override { return BarXPThemeMetrics().SeparatorHeight; }
  int SeparatorLineHeight() override { return BarXPThemeMetrics().SeparatorHeight; }
  HBRUSH ToolbarBrush(TCustomdxBarControl* BarControl) override;
  HBRUSH ToolbarBrushFor(TCustomdxBarControl* BarControl) override { return ToolbarBrush(BarControl); }
  HBRUSH DownedSelectedBrush(TCustomdxBarControl*) override { return GetSysColorBrush(COLOR_BTNFACE); }
  HBRUSH SelectedBrush(TCustomdxBarControl*) override { return GetSysColorBrush(COLOR_HIGHLIGHT); }
  bool CloseButtonHotTracks() override { return true; }

  void DrawDockBackground(TdxDockControl* Site, HDC DC, const TRect& R, const TRect& Client, HBRUSH Brush,
                          TColor Color) override;
  void DrawMarkFace(TdxBarControl* BarControl, HDC DC, const TRect& R, int MarkState) override;
  void DrawDragHandle(TdxBarControl* BarControl, HDC DC, const TRect& R) override;
  void DrawBarSeparator(TdxBarControl* BarControl, HDC DC, const TRect& R, bool Horizontal) override;
  void FillToolbarBackground(TdxBarControl* BarControl, HDC DC, const TRect& R) override;
  bool DrawsCaptionBackground() override { return true; }
  void PaintCaptionCloseButton(TdxBarControl* BarControl, HDC DC, const TRect& R, int State) override;
  TRect DrawFloatingBarBorder(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) override;
  void DrawMDIButton(TdxBarControl* BarControl, HDC DC, const TRect& R, int Kind, int State) override;
  void OffsetFloatingCaption(TdxBarControl* BarControl, TRect& TextR, const TRect& MarkR) override;

  void PaintGlyphFrame(TdxBarItemControlDrawParams* P, HDC DC, const TRect& G, bool HasBorderRoom, HBRUSH Brush,
                       bool NoImage) override;
  void DrawCheckGlyph(HDC DC, int X, int Y, bool DoubleSize, bool Enabled) override;
  void DrawButtonPart(TdxBarItemControlDrawParams* P, const TRect& R, HBRUSH Brush) override;
  void DrawButtonArrow(TdxBarItemControlDrawParams* P, const TRect& R) override;
  int ArrowScale(int Size) override { return 2 * Size; }
  void DrawEllipsisDot(HDC DC, const TRect& R, bool Enabled, bool Selected) override;
  HBRUSH ItemBackgroundBrush(TdxBarItemControl* Control, int PaintType, const TdxBarPaintStates& S) override;
  int CheckedGlyphShift() override { return 1; }
  int PressedGlyphShift(bool Checked) override { return Checked ? 0 : 1; }
  void DrawComboDropDownButton(TdxBarItemControl* Control, HDC DC, const TRect& R, const TdxBarPaintStates& S,
                               int PaintType) override;
  TColor EditBackColor() override;
  TColor DisabledEditBackColor(TCustomdxBarControl*) override;
  TColor EditTextColor() override;
  TColor DisabledEditTextColor() override;
  void DrawEditBorder(TdxBarItemControlDrawParams* P, HDC DC, TRect& R) override;
  TRect EditButtonPartMargins() override { return TRect{1, 1, 1, 1}; }
  int EditTextIndent(TdxBarItemControl*) override { return 6; }
  int EditCaptionRightMargin() override { return 5; }
  TRect MenuEditMargins(TdxBarItemControl*) override { return TRect{5, 0, 0, 0}; }
  HBRUSH EditBrushFor(TdxBarItemControl* Control) override;
  bool EditCaptionGapFillsBackground(TdxBarItemControlDrawParams* P) override;
  void DrawColorComboButton(TdxBarItemControl* Control, HDC DC, const TRect& R, const TdxBarPaintStates& S) override;
  void DrawColorComboFrame(TdxBarItemControl* Control, HDC DC, const TRect& R) override;
  void DrawComboListEntry(HDC DC, const TRect& R, const String& Text, int Offset) override;
  TRect SpinButtonsMargins() override { return TRect{}; }
  void DrawSpinButton(TdxBarItemControl* Control, HDC DC, const TRect& R, int Part, int State, const TSize& ArrowSize,
                      bool Selected) override;
  TColor HighlightColor() override;
  void DrawProgressBar(TdxBarItemControl* Control, HDC DC, const TRect& R, TColor Color, int Min, int Max,
                       int Position, bool Smooth, bool Vertical) override;
  bool IsCalendarFlat() override { return true; }
  void DrawCalendarButton(TdxBarManager* Manager, HDC DC, const TRect& R, const String& Text, bool Pressed) override;

  int MenuArrowsOffset() override { return 1; }
  int DetachCaptionAreaSize(int CaptionHeight) override { return CaptionHeight + 1; }
  TRect DeflateMenuContent(const TRect& R) override;
  void AdjustMenuMetric(int& Value) override { Value += 1; }
  HBRUSH MenuBackgroundBrush(TCustomdxBarControl*) override { return GetSysColorBrush(COLOR_MENU); }
  TRect MenuSeparatorRect(TCustomdxBarControl* SubMenu, int Top, bool FirstOfRarelyUsedRun) override;
  void DrawMenuItemBackground(TCustomdxBarControl* SubMenu, TdxBarItemControlDrawParams* P, const TRect& R) override;
  void DrawSubMenuBorder(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, int DetachCaptionHeight,
                         bool DetachSelected) override;
  void DrawSubMenuInnerBorder(TCustomdxBarControl* SubMenu, HDC DC, const TRect& ItemsRect, HBRUSH Brush,
                              bool Detachable) override;
  void DrawMenuSeparatorItem(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, bool RarelyUsed, bool FirstOfRun,
                             int IconAreaSize, int OwnerBarSize) override;
  void DrawMenuSeparatorLine(HDC DC, const TRect& R) override;
  void DrawDropDownNonClient(HWND Window, bool BandShown, int Corner, bool CloseHot, bool ClosePressed,
                             TRect& CloseRect, TRect& GripRect) override;
  int DropDownNonClientHeight() override;

  // The themed parts the painter draws (also for the other painters when the manager has themes).
  static bool DrawThemePart(TdxThemedObjectKind Kind, HDC DC, int Part, int State, const TRect& R);
  static bool ThemePartPartlyTransparent(TdxThemedObjectKind Kind, int Part, int State);
};

// The one flat painter of the process, made on first use and freed at the library's end.
TdxBarFlatPainter* FlatPainterInstance();
// Fills the table of painter classes (the library's start calls it) and frees the flat painter.
void RegisterBarPainterClasses();
void FreeFlatPainterInstance();
