#pragma once
// The deterministic painter of the bar tests: fixed metrics that depend on no font and no theme, and
// every element drawn as a flat rectangle whose colour encodes the element and its state, so pixel
// probes show what was painted where. It stays the layout tests' painter once the real painters
// exist.

#include <vector>

#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarPainter.h"

namespace bar_testing {

// The elements and states the colours encode: red = element, green = state, blue 0x5A.
enum TTestElement { teButton = 0x10, teStatic = 0x20, teSeparator = 0x30, teAppButton = 0x40, teArrow = 0x50 };
enum TTestState { tsNormal = 0x00, tsHot = 0x40, tsPressed = 0x80, tsDisabled = 0xC0 };
// As 0x00RRGGBB, the way the DIB probes read pixels.
constexpr DWORD TestColor(TTestElement Element, TTestState State) {
  return (DWORD(Element) << 16) | (DWORD(State) << 8) | 0x5A;
}
constexpr TColor ToTColor(DWORD Rgb) { return TColor(((Rgb & 0xFF) << 16) | (Rgb & 0xFF00) | ((Rgb >> 16) & 0xFF)); }
// The window background and the separator strip colours.
constexpr DWORD kTestBackground = 0x00E0E0E0;
constexpr DWORD kTestScreenTipBackground = 0x00F0F0D0;
// The toolbar and dock-site parts: the site's background, a toolbar window's frame, its drag handle,
// the floating caption and its close button.
constexpr DWORD kTestDockBackground = 0x00C8D8E8;
constexpr DWORD kTestBarFrame = 0x00606060;
constexpr DWORD kTestGrip = 0x00702070;
constexpr DWORD kTestCaption = 0x00203080;
constexpr DWORD kTestCloseButton = 0x00A02020;
// The menu window's parts: its frame, background, the non-recent background the painter draws
// itself (when asked to), the scroll arrows, the expand mark (normal and hot), a separator and the
// tear-off strip (normal and hot).
constexpr DWORD kTestMenuFrame = 0x00404080;
constexpr DWORD kTestMenuBackground = 0x00F0F0F0;
constexpr DWORD kTestScrollArrow = 0x00208020;
constexpr DWORD kTestExpandMark = 0x00806020;
constexpr DWORD kTestExpandMarkHot = 0x00C09040;
constexpr DWORD kTestMenuSeparator = 0x00505050;
constexpr DWORD kTestTearOff = 0x00902090;
constexpr DWORD kTestTearOffHot = 0x00D040D0;
// The close button in its states (0 normal, 1 hot, 2 pressed), a caption button in its states (0
// normal, 1 disabled, 2 hot, 4 pressed), the mark in its states (0, 1 hot, 2 open), the status-bar
// margin and size grip, separators inside a row and between rows, MDI buttons (index, state).
constexpr DWORD CloseButtonColor(int State) { return kTestCloseButton | (DWORD(State) << 14); }
constexpr DWORD CaptionButtonColor(int State) { return 0x0030C000 | DWORD(State << 4); }
constexpr DWORD MarkColor(int State) { return 0x00F08000 | DWORD(State << 4); }
constexpr DWORD kTestStatusMargin = 0x00407040;
constexpr DWORD kTestSizeGrip = 0x00109010;
constexpr DWORD kTestItemSeparator = 0x00303030;
constexpr DWORD kTestRowSeparator = 0x00505050;
constexpr DWORD MDIButtonColor(int Index, int State) { return 0x00000000 | DWORD((0x80 + Index * 0x10) << 8) | DWORD(State << 4); }

class TTestBarPainter : public TdxBarPainter {
  DECLARE_CLASS(TTestBarPainter, TdxBarPainter)
 public:
  explicit TTestBarPainter(TcxCustomLookAndFeelPainterClass Skin);
  ~TTestBarPainter() override;

  // The metrics (process-wide, so every painter object of the class answers the same).
  static int TextHeight;
  static int ReferenceText;
  static int CharWidth;
  static bool Shadow;
  static bool JoinShown;

  // What the painter was asked to draw, in order: element and state per control.
  static std::vector<DWORD> Drawn;

  int MenuItemIndent(TCustomdxBarControl*) override { return 0; }
  int IconAreaWidth(TCustomdxBarControl*) override { return 24; }
  int CaptionHeightFor(TcxCanvas*) override { return TextHeight; }
  int ReferenceTextSize() override { return ReferenceText; }
  HBRUSH BarControlOwnerBrush(TCustomdxBarControl*) override { return background_; }
  HBRUSH AlternateToolbarBrush(TCustomdxBarControl*) override { return background_; }
  HBRUSH DownedBrush(TCustomdxBarControl*) override { return background_; }
  HBRUSH ToolbarBrush(TCustomdxBarControl*) override { return background_; }
  HBRUSH SelectedBrush(TCustomdxBarControl*) override { return background_; }
  int ComboButtonWidthFor(TCustomdxBarControl*, int) override { return 11; }
  int EditHeightFor(TCustomdxBarControl*, int) override { return 20; }
  void EditBorderChanged(HWND, const TRect&, bool) override { ++BorderChanges; }
  bool HasShadow(TCustomdxBarControl*) override { return Shadow; }
  bool OwnerJoinShown(TCustomdxBarControl*) override { return JoinShown; }
  bool AttachesDropDowns(TCustomdxBarControl*) override { return false; }

  void HintPosition(TCustomdxBarControl*, const TRect&, const TPoint& Cursor, int, TPoint& Position) override {
    Position = TPoint{Cursor.x, Cursor.y + 20};
  }
  TdxBarCustomHintViewInfo* CreateHintViewInfo(TdxBarManager* Manager, const String& HintText,
                                               const String& ShortCutText, TdxBarScreenTip* ScreenTip) override;
  TColor ScreenTipDescriptionTextColor() override { return clDefault; }
  TColor ScreenTipTextColor() override { return clDefault; }
  int ScreenTipFooterLineHeight() override { return 1; }
  void DrawScreenTipBackground(TcxCanvas* Canvas, const TRect& R) override;
  void DrawScreenTipFooterLine(TcxCanvas* Canvas, const TRect& R) override;

  int DropDownListBorderSize() override { return 2; }
  void DrawDropDownListBorder(HDC DC, TColor Color, const TRect& R) override;
  void EditColors(TdxBarItemControl*, TColor& Text, TColor& Background) override {
    Text = clBlack;
    Background = clWhite;
  }

  bool AllowsLargeIcons() override { return true; }
  // Seven pixels a character of the caption (without its "&"), one text height high.
  void TextBoundsOf(TdxBarItemControlDrawParams* DrawParams, TRect& R) override;
  void GlyphTextGap(TRect& R) override { R = TRect{4, 0, 0, 0}; }
  // A drop-down button takes its arrow's width once.
  void TextOffset(TdxBarItemControlDrawParams* DrawParams, int& Width) override;
  void MenuTextOffsets(TdxBarItemControlDrawParams*, int, TRect& R) override { R = TRect{3, 0, 3, 0}; }
  int SubMenuItemExtra(TdxBarItemControl*) override { return 0; }
  void AdjustMenuMetric(int&) override {}
  void AdjustMenuMetric2(int&) override {}
  TSize PaddedButtonSize(int GlyphSize, int) override { return TSize{GlyphSize + 7, GlyphSize + 6}; }
  int ButtonGlyphSizeForManager(TdxBarManager* Manager) override;
  void DrawButtonControl(TdxBarItemControlDrawParams* DrawParams, const TRect& R) override;
  void DrawStaticControl(TdxBarItemControlDrawParams* DrawParams, const TRect& R) override;
  void DrawSeparatorControl(TdxBarItemControlDrawParams* DrawParams, const TRect& R) override;
  void DrawApplicationMenuButton(TdxBarItemControlDrawParams* DrawParams, const TRect& R) override;
  void SeparatorMargins(TdxBarItemControlDrawParams*, int, TRect& R) override { R = TRect{6, 0, 0, 0}; }
  int SeparatorLineHeight() override { return 2; }
  // The arrow part is the arrow's width at the right.
  void AdjustButtonPartBounds(TdxBarItemControlDrawParams* DrawParams, std::vector<TRect>& Parts, const TRect& R,
                              int LastIndex) override;
  int DropDownArrowWidth(TdxBarManager* Manager) override;
  bool SplitButtonsSupported() override { return false; }
  bool SplitEdgeVisibleDefault() override { return false; }
  bool SplitEdgeHotForControl(TdxBarItemControl*) override { return false; }
  bool SplitEdgeHotWhenPressed() override { return true; }
  bool DrawsPressedArrow() override { return SplitButtonsSupported(); }
  int LoweredBorderWidth(TdxBarItemControl*) override { return 2; }

  static int BorderChanges;
  // Toolbar metrics: the gap between dock rows, the docked margins (drag handle 8 on the leading
  // side, 2 elsewhere), the floating border 3 and caption 16; buffered dock painting.
  static int RowGap;
  static bool Buffered;
  static void Reset();

  int DockRowGap() override { return RowGap; }
  bool AllowsQuickCustomizing() override { return true; }
  bool BufferedPainting() override { return Buffered; }
  void DrawDockBackground(TdxDockControl*, HDC DC, const TRect& R, const TRect&, HBRUSH, TColor) override;
  TRect DockedBarMargins(TdxBarControl* BarControl) override;
  // Docked: the docked margins (none without a border); floating: border 3 and caption 16.
  TRect CalcBarBorderRect(TdxBarControl* BarControl) override;
  int SmallCaptionHeight() override { return 16; }
  void DrawBarNonClientArea(TdxBarControl* BarControl, HDC DC, const TRect& R) override;
  void DrawBarControlBackground(TdxBarControl*, HDC DC, const TRect& R) override;
  bool CloseButtonIsNonClient() override { return true; }

  // Menu metrics: frame 2 on every side, content margins 1, scroll arrows 12 high (in their own
  // areas when SeparateArrows), separators 6, mark margin 2, tear-off area 9, row height the text
  // height, menu arrow 9; the painter draws non-recent backgrounds itself when PaintsNonRecent.
  static bool SeparateArrows;
  static bool PaintsNonRecent;
  static bool SeparatesRuns;
  // Menus show a band beside their items.
  static bool MenuBand;
  bool HasMenuBand() override { return MenuBand; }
  bool DrawsNonRecentBackground() override { return PaintsNonRecent; }
  bool SeparatesRecentRuns() override { return SeparatesRuns; }
  bool SeparateScrollArrowAreas() override { return SeparateArrows; }
  void DrawScrollButton(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, int Index) override;
  void ScrollButtonRect(TdxBarSubMenuControl* Menu, int Index, TRect& R) override;
  int ScrollButtonHeight(TdxBarSubMenuControl*) override { return 12; }
  void DrawExpandButton(TdxBarSubMenuControl* Menu, const TRect& R, bool Hot) override;
  int ScrollArrowSize(int MarkSize) override { return MarkSize / 3 - 1; }
  int MenuArrowsOffset() override { return 2; }
  int MenuBeginGroupSize() override { return 6; }
  int MenuContentIndent() override { return 1; }
  int MenuBorderIndent() override { return 2; }
  void MenuBorderRect(TdxBarSubMenuControl*, TRect& R) override { R = TRect{1, 1, 1, 1}; }
  int DetachCaptionAreaSize(TdxBarSubMenuControl*) override { return 9; }
  void DeflateMenuContent(TdxBarSubMenuControl*, TRect& R) override { InflateRect(&R, -3, -3); }
  void FillDetachCaption(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) override;
  int MenuIconAreaWidth(TdxBarSubMenuControl*) override { return 24; }
  int MenuTextOffset(TdxBarSubMenuControl* Menu) override;
  void FillMenuBackground(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, const TRect& R) override;
  void DrawSubMenuInnerBorder(TdxBarSubMenuControl*, HDC, HBRUSH, const TRect&) override {}
  void DrawSubMenuBorder(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) override;
  void DrawMenuSeparatorItem(TdxBarSubMenuControl* Menu, TdxBarItemControl* Control,
                             const TdxBarSeparatorInfo& Separator, TcxCanvas* Canvas) override;
  void DrawMenuItemFrame(TdxBarSubMenuControl*, TdxBarItemControl*, int, const TRect&, HDC) override {}
  void QueryMenuBackgroundBrush(TdxBarSubMenuControl*, HBRUSH& Brush) override { Brush = menuBackground_; }
  int TextRowHeightFor(TcxCanvas*) override { return TextHeight; }
  HBRUSH MenuBackgroundBrush(TdxBarSubMenuControl*) override { return menuBackground_; }
  void MenuSeparatorRect(TdxBarSubMenuControl* Menu, TdxBarItemControl* Control, TRect& Separator,
                         const TRect& ItemRect) override;
  void GetSubMenuMetrics(TcxCanvas*, int TextSize, int& RowHeight, int& ArrowWidth) override {
    RowHeight = TextSize;
    ArrowWidth = 9;
  }
  int HalfFontHeight(TdxBarItemControl*) override { return TextHeight / 2; }
  bool SubItemSplitEdgeHot() override { return false; }
  // The application menu: its frame as a menu's, margins 4 with a 30-pixel button strip.
  void DrawSubMenuFrame(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) override { DrawSubMenuBorder(Menu, DC, R); }
  void FillApplicationMenuBackground(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, const TRect& R,
                                     const TRect&) override {
    FillMenuBackground(Menu, Canvas, R);
  }
  void ApplicationMenuMargins(TRect& R) override { R = TRect{4, 4, 4, 30}; }
  // The mark's size (0: no mark, so layouts keep their lengths) and whether the close button tracks
  // the mouse. The mark sits at the far end of the client area; the close button is 12 x 12; a
  // status bar has a top margin of 3 and a size grip 10 wide in its right margin.
  static int Mark;
  static bool CloseHotTracks;
  void DrawDragHandle(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) override;
  void DrawFloatingCaption(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH Brush) override;
  void PaintCaptionCloseButton(TdxBarControl* BarControl, HDC DC, const TRect& R) override;
  void GetCaptionButtonSize(TSize& Size) override { Size = TSize{12, 12}; }
  bool CloseButtonHotTracks() override { return CloseHotTracks; }
  int MarkSize(TdxBarControl*) override { return Mark; }
  void MarkRectFor(TdxBarControl* BarControl, TRect& R) override;
  void DrawMark(TdxBarControl* BarControl, TcxCanvas* Canvas, const TRect& R, HBRUSH Brush) override;
  void DrawCaptionMark(TdxBarControl* BarControl, HDC DC, const TRect& R) override;
  void InvalidateMark(TdxBarControl* BarControl) override;
  void FillDockedBarTopMargin(TdxBarControl*, HDC DC, const TRect& R, HBRUSH) override;
  void DrawBarSizeGrip(TdxBarControl*, HDC DC, const TRect& R, HBRUSH) override;
  void SizeGripSize(TdxBarManager*, TSize& Size) override { Size = TSize{10, 10}; }
  void DrawBarSeparator(TdxBarControl*, HDC DC, const TRect& R, HBRUSH, bool Horizontal) override;
  void DrawMDIButton(TdxBarControl*, int Index, int State, HDC DC, const TRect& R) override;

 private:
  HBRUSH background_;
  HBRUSH menuBackground_;
};

// The state a drawing reports: disabled, pressed, hot (drawn selected) or normal.
TTestState StateOf(TdxBarItemControlDrawParams* DrawParams);

}  // namespace bar_testing
