#pragma once
// The skinned bar painter: draws bars, menus and item controls as numbered bar parts that its skin
// owner's IdxSkin draws in an element state. It knows no image itself. Every operation asks the
// owner afresh for its IdxSkin and lets go of it when the operation ends, so a skin change shows at
// the next call; an owner without a skin gets the Office11 painter's drawing for that operation.
//
// Element states: 0 normal, 1 disabled, 2 hot (the hot part of a selectable control; a selected
// menu item, open drop-down part, focused edit's buttons, hovered scroll button, hot bar or mark),
// 3 selected (or another of the control's parts is hot), 4 pressed, 5 dropped down, 6 checked,
// 7 checked and hot, 8 disabled while selected.
//
// Bar parts: 1 bar; 3 button face, 4 split drop-down part, 5 split main part (6, 7, 8 the same for a
// large button); 9 edit background colour; 10 edit and static border colour; 11 edit box (unnamed
// skin); 12 hot edit frame colour; 13, 14 combo and colour-combo buttons, 15, 16 spin buttons (named
// skin); 19 calendar header colour; 20 separator item colour; 30, 31, 32 progress background, chunk,
// frame; 40 screen-tip background; 41 its footer line colour; 335 item text on bars; 336, 337 the
// bar mark without and with hidden links; 340 drop-down arrow; 360 arrow fill; 362 item text in
// menus; 365, 366 menu arrows down and right; 370 detach caption; 375 detachable menu colour; 380
// menu icon column; 390 menu text area; 395 extra pane colour; 400 menu separator; 410 strip after
// the icon column; 420 split menu line colour; 425 selected menu edit line colour; 430 checked glyph
// background; 440 check mark; 442 expand chevrons; 446 menu scroll button; 450 menu border; 452
// application menu frame; 453, 454 areas above and below it; 455, 456, 457 its side, outer and
// inner frame colours; 458 application menu button; 460 button-group member; 470, 490 group caps;
// 480 group separator; 500 split member separator.

#include "ui/bars/painters/BarPainters.h"
#include "ui/bars/painters/SkinInterfaces.h"

// What the state rules read of a control's draw parameters.
struct TdxSkinStateInput {
  int HotPart = -1;
  bool CanSelect = true;
  bool Selected = false;
  bool Enabled = true;
  bool Customizing = false;
  bool Pressed = false;
  bool Checked = false;
  bool DroppedDown = false;
  bool HasDropDown = false;
  bool Split = false;
  bool SelectedByKey = false;
  bool Focused = false;
  // The spin button held down (3 the upper one), -1 none.
  int PressedButton = -1;
  Byte ViewSize = 0;
};

// The skin of an owner for the length of one operation (the reference is released at the end).
class TdxSkinReference {
 public:
  explicit TdxSkinReference(TObject* Owner) : skin_(Supports<IdxSkin>(Owner)) {
    if (skin_) skin_->_AddRef();
  }
  ~TdxSkinReference() {
    if (skin_) skin_->_Release();
  }
  TdxSkinReference(const TdxSkinReference&) = delete;
  TdxSkinReference& operator=(const TdxSkinReference&) = delete;
  explicit operator bool() const { return skin_ != nullptr; }
  IdxSkin* operator->() const { return skin_; }
  IdxSkin* Get() const { return skin_; }
  // The owner answers a look-and-feel skin name.
  bool Named() const { return skin_ && !skin_->GetSkinName().empty(); }

 private:
  IdxSkin* skin_;
};

class TdxBarSkinnedPainter : public TdxBarOffice11Painter {
  DECLARE_CLASS(TdxBarSkinnedPainter, TdxBarOffice11Painter)
 public:
  // Through the painter-class table: no owner (every operation draws as the Office11 painter).
  explicit TdxBarSkinnedPainter(TcxCustomLookAndFeelPainterClass SkinPainter) : TdxBarOffice11Painter(SkinPainter) {}
  // The owner (not owned) supplies the skin and must outlive the painter.
  static TdxBarSkinnedPainter* CreatePainter(TObject* SkinOwner);
  TObject* SkinOwner() const { return skinOwner_; }

 protected:
  // For painters that derive from this one (the ribbon's), with their skin owner.
  TdxBarSkinnedPainter(TcxCustomLookAndFeelPainterClass SkinPainter, TObject* SkinOwner)
      : TdxBarOffice11Painter(SkinPainter), skinOwner_(SkinOwner) {}

 public:

  // ---- state rules
  static TdxSkinStateInput StateInputOf(TdxBarItemControlDrawParams* P);
  static int ItemPartState(const TdxSkinStateInput& P, int Part);
  static int ButtonPartState(const TdxSkinStateInput& P, int Part);
  static int EditPartState(const TdxSkinStateInput& P, int Part);
  static int SpinPartState(const TdxSkinStateInput& P, int Part);
  static int MenuItemPartState(const TdxSkinStateInput& P, int Part);
  static int BarState(TCustomdxBarControl* BarControl);
  static int MarkStateOf(TCustomdxBarControl* BarControl);

  // ---- bars
  void DrawBarControlBackground(TdxBarControl* BarControl, HDC DC, const TRect& R) override;
  void DrawBarNonClientArea(TdxBarControl* BarControl, HDC DC, const TRect& R) override;
  void DrawDockedBarBackground(TdxBarControl* BarControl, HDC DC, const TPoint& Origin, HBRUSH Brush,
                               const TRect& R) override;
  void DrawBarBackground(TdxBarControl* BarControl, HDC DC, const TPoint& Origin, HBRUSH Brush,
                         const TRect& R) override;
  TRect CalcBarBorderRect(TdxBarControl* BarControl) override;
  int DockRowGap() override;
  TRect FloatingCaptionRect(const TRect& R) override;
  void DrawBarMark(TdxBarControl* BarControl, HDC DC, const TRect& R, bool HasHiddenLinks) override;
  void DrawBarSeparator(TdxBarControl* BarControl, HDC DC, const TRect& R, bool Horizontal) override;
  void DrawBarSeparatorOn(TdxBarControl* BarControl, TcxCanvas* Canvas, const TRect& R, bool Horizontal) override;
  // Two one-pixel lines centred in R: across it (dark, then light below) or along it (light, then
  // dark to its right).
  static void DrawSeparatorLines(HDC DC, const TRect& R, TColor Dark, TColor Light, bool Horizontal);

  // ---- menus
  void DrawMenuItemBackground(TCustomdxBarControl* SubMenu, TdxBarItemControlDrawParams* P, const TRect& R) override;
  using TdxBarOffice11Painter::FillMenuBackground;
  void FillMenuBackground(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, const TRect& R) override;
  using TdxBarOffice11Painter::DrawSubMenuBorder;
  void DrawSubMenuBorder(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) override;
  using TdxBarOffice11Painter::DrawSubMenuInnerBorder;
  void DrawSubMenuInnerBorder(TdxBarSubMenuControl*, HDC, HBRUSH, const TRect&) override {}
  using TdxBarOffice11Painter::FillDetachCaption;
  void FillDetachCaption(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) override;
  using TdxBarOffice11Painter::DrawMenuSeparatorItem;
  void DrawMenuSeparatorItem(TdxBarSubMenuControl* Menu, TdxBarItemControl* Control,
                             const TdxBarSeparatorInfo& Separator, TcxCanvas* Canvas) override;
  void DrawMenuSeparatorLine(HDC DC, const TRect& R) override;
  using TdxBarOffice11Painter::DrawScrollButton;
  void DrawScrollButton(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, int Index) override;
  void FillScrollButton(TCustomdxBarControl*, HDC, const TRect&) override {}
  using TdxBarOffice11Painter::ScrollButtonHeight;
  int ScrollButtonHeight(TCustomdxBarControl* SubMenu) override;
  int ScrollArrowSize(int Height) override { return Height / 7; }
  void DrawExpandChevrons(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R, int ChevronSize,
                          bool Selected) override;
  void DrawExpandButtonSelected(TCustomdxBarControl* SubMenu, HDC DC, const TRect& R) override;
  void DrawDropDownListBorder(HDC DC, TColor Color, const TRect& R) override;
  void DrawStaticBackgroundInMenu(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R) override;
  using TdxBarOffice11Painter::DrawSubMenuFrame;
  void DrawSubMenuFrame(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) override;
  void FillRectWithColor(HDC DC, const TRect& R, TColor Color) override;

  // ---- the application menu
  void DrawApplicationMenuButton(TdxBarItemControlDrawParams* P, const TRect& R) override;
  using TdxBarOffice11Painter::FillApplicationMenuBackground;
  // Content: its client rectangle K; R: the area around it (the button column W).
  void FillApplicationMenuBackground(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, const TRect& R,
                                     const TRect& Content) override;
  void FillExtraPaneBackground(TCustomdxBarControl* Menu, HDC DC, const TRect& R) override;
  TRect ApplicationMenuMargins() override { return TRect{4, 16, 4, 27}; }

  // ---- bar and menu metrics
  bool HasOwnBackground() override { return true; }
  bool AllowsLargeIcons() override { return false; }
  int CaptionHeightFor(TcxCanvas* Canvas) override;
  int TextRowHeightFor(TcxCanvas* Canvas) override {
    return CaptionHeightFor(Canvas) + 2 * (PainterOptionU() + PainterOptionV());
  }
  int MenuItemIndent(TCustomdxBarControl*) override { return 2; }
  int MenuItemHeight(TCustomdxBarControl* SubMenu, bool LargeItems, double ScaleFactor) override;
  int MenuIconAreaWidth(TCustomdxBarControl* SubMenu) override { return MenuIconAreaSize(SubMenu) + PainterOptionU() - 2; }
  using TdxBarOffice11Painter::MenuIconAreaWidth;
  int MenuItemTextIndentFor(TCustomdxBarControl* SubMenu) override;
  TRect MenuItemIconRect(const TRect& R, int IconAreaSize) override {
    return TdxBarPainter::MenuItemIconRect(R, IconAreaSize);
  }
  void AdjustMenuMetric(int&) override {}
  bool HasMenuBand() override { return true; }
  int MenuArrowWidth(int TextSize) override { return TextSize; }
  int MenuBeginGroupSize() override { return 3; }
  int MenuBorderIndent() override { return 2; }
  int MenuBorderSize() override { return 0; }
  int DetachCaptionAreaSize(int CaptionHeight) override { return CaptionHeight + 3; }
  using TdxBarOffice11Painter::DetachCaptionAreaSize;
  int PainterOptionU() override { return 2; }
  int PainterOptionV() override { return 1; }
  int PainterOptionW() override { return 22; }
  bool SeparateScrollArrowAreas() override { return true; }
  bool PainterOptionO(TCustomdxBarControl*) override { return false; }

  // ---- item controls
  void DrawButtonControl(TdxBarItemControlDrawParams* P, const TRect& R) override;
  // The button's faces: whole, or main and drop-down part of a split button, in their groups.
  void DrawButtonBackground(TdxBarItemControlDrawParams* P, const TRect& R);
  // Part Index (0 main or whole, 1 drop-down) as bar part Part, with the button-group strips.
  void DrawButtonGroupPart(TdxBarItemControlDrawParams* P, const TRect& R, int Index, int Part);
  // The rectangle of part Index of the control (0 main or whole, 1 drop-down).
  TRect PartRect(TdxBarItemControlDrawParams* P, const TRect& R, int Index);
  TRect DropDownPartRect(TdxBarItemControlDrawParams* P, const TRect& R);
  // Part 340 (5 x 4) centred in R.
  void DrawSkinArrow(HDC DC, const TRect& R, int State);
  // Direction 3 points right (part 366), any other down (365).
  void DrawMenuArrow(TdxBarItemControlDrawParams* P, int Direction, const TRect& R);
  void DrawButtonArrow(TdxBarItemControlDrawParams* P, const TRect& R) override;
  void DrawSplitButtonArrow(TdxBarItemControlDrawParams* P, const TRect& R) override;
  void DrawSubItemArrowPart(TdxBarItemControlDrawParams* P, const TRect& R) override { DrawButtonArrow(P, R); }
  void DrawStaticArrow(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R, bool Expanded) override;

  // ---- large buttons: the glyph over a caption of two lines, a drop-down's arrow after its last
  // word (or alone in the empty second line of a one-line caption)
  // Without a drop-down empty; else one space and the dots that reach the arrow's width.
  String ArrowSpacerText(TdxBarItemControlDrawParams* P);
  // The large caption (with its arrow's room) laid out in two rows; otherwise the base rectangle.
  void TextBoundsOf(TdxBarItemControlDrawParams* P, TRect& R) override;
  // A large drop-down button's main part lies over its caption, the drop-down part is the caption.
  void AdjustButtonPartBounds(TdxBarItemControlDrawParams* P, std::vector<TRect>& Parts, const TRect& R,
                              int LastIndex) override;
  void CalcButtonTextRect(TdxBarItemControlDrawParams* P, TRect& T, int& Alignment, const TRect& G,
                          TdxBarGlyphLayout Layout, const TSize& GlyphArea) override;
  // A large glyph is centred in its area (the area above the caption).
  TRect CalcGlyphPosition(const TRect& G, const TSize& GlyphSize, TdxBarGlyphLayout Layout, bool ShowsText,
                          int PaintType) override;
  void DrawPartText(TdxBarItemControlDrawParams* P, HDC DC, const TRect& R, int Alignment) override;
  // Draws one caption line at R's top with the drop-down arrow after it; an empty line gets the
  // arrow in its middle.
  void DrawLargeCaptionArrow(TdxBarItemControlDrawParams* P, HDC DC, const String& Line, const TRect& R,
                             UINT Flags);
  // In a menu a checked control gets part 430 behind its glyph or part 440 as its check mark.
  void DrawItemGlyph(TdxBarItemControlDrawParams* P, HDC DC, const TdxBarPaintStates& S, const TRect& G,
                     const TSize& ImageSize, bool HasImage) override;

  TColor ItemTextColorFor(TdxBarItemControl* Control, bool Selected, bool Flat) override;
  TColor ItemTextColor(TdxBarItemControl* Control, bool Selected, bool Flat) override {
    return TdxBarPainter::ItemTextColorFor(Control, Selected, Flat);
  }
  void DisabledTextColors(bool Selected, bool Flat, TColor& Text, TColor& Shadow) override;
  void ItemTextColors(TdxBarItemControl* Control, bool Enabled, bool Selected, bool Flat, TColor& Text,
                      TColor& Shadow) override;
  TColor EditBackgroundColor(TdxBarItemControl* Control, bool Enabled) override;
  void DrawEditBorder(TdxBarItemControlDrawParams* P, HDC DC, TRect& R) override;
  int SpinButtonWidthFor(int Height) override;
  int ComboButtonWidthFor(TCustomdxBarControl* BarControl, int ZeroWidth) override;
  int SplitPartWidth(int PaintType, const TRect& R) override;
  void EditBorderChanged(HWND Window, const TRect& R, bool Redraw) override;
  void SetLookAndFeelFor(TdxBarManager* Manager, TcxLookAndFeel* LookAndFeel) override;
  TColor CalendarHeaderColor() override;
  void DrawProgressFrame(TdxBarItemControl* Control, HDC DC, TRect& R) override;
  void FillRectWithBrush(HDC DC, const TRect& R, HBRUSH Brush) override;
  void FillProgressChunk(HDC DC, const TRect& R, HBRUSH Brush) override;
  using TdxBarOffice11Painter::StaticTextSize;
  int StaticTextSize(TdxBarItemControlDrawParams* P) override;
  void DrawStaticBorder(TdxBarItemControlDrawParams* P, HDC DC, TRect& R, TdxBarStaticBorderStyle Style) override;
  void DrawSeparatorBackground(TdxBarItemControlDrawParams* P, const TRect& R) override;
  void DrawScreenTipBackground(TcxCanvas* Canvas, const TRect& R) override;
  void DrawScreenTipFooterLine(TcxCanvas* Canvas, const TRect& R) override;
  bool StaticFillsBackground(TdxBarItemControl*) override { return false; }

  // ---- item metrics
  int ButtonGlyphSizeForManager(TdxBarManager*) override { return 13; }
  bool PainterOptionM() override { return false; }
  int ButtonVertPadding() override;
  int ButtonHorzPadding() override;
  int PaddedHeight(int A) override;
  int PaddedWidth(int A) override;
  TSize PainterOptionT() override { return TSize{5, 4}; }
  int SplitPartGap() override { return 0; }
  TRect EditCaptionMargins() override { return TRect{3, 0, 2, 0}; }
  bool PainterOptionX() override { return false; }
  int PainterOptionY() override;
  int PainterOptionZ() override { return PainterOptionY(); }
  bool EditIsSelected(TdxBarItemControlDrawParams*) override { return true; }
  bool PainterOptionAA(int) override { return true; }
  bool EditCaptionFillsBackground(TdxBarItemControlDrawParams*) override { return false; }
  bool EditCaptionGapFillsBackground(TdxBarItemControlDrawParams* P) override { return EditCaptionFillsBackground(P); }
  bool PainterOptionAB(int) override { return true; }
  bool UsesEditButtonFrame() override { return true; }
  void DrawColorComboFrame(TdxBarItemControl*, HDC, const TRect&) override {}
  TSize SpinArrowSize(int) override { return TSize{5, 3}; }
  TRect SpinButtonsMargins() override { return TRect{}; }
  TRect ComboBorderRect() override { return TRect{}; }
  TRect EditButtonPartMargins() override { return TRect{}; }

 private:
  static int Padded(int A, int Padding) {
    const int sum = std::max(16, A) + Padding;
    return sum % 2 ? sum + 1 : sum;
  }
  TObject* skinOwner_ = nullptr;
};
