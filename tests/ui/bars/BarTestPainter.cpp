#include "tests/ui/bars/BarTestPainter.h"

#include "ui/bars/BarControl.h"
#include "ui/bars/Bars.h"
#include "ui/bars/BarHints.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/SubMenuControl.h"
#include "ui/foundation/Canvas.h"

namespace bar_testing {

DEFINE_CLASS(TTestBarPainter)

int TTestBarPainter::TextHeight = 16;
int TTestBarPainter::ReferenceText = 13;
int TTestBarPainter::CharWidth = 7;
bool TTestBarPainter::Shadow = false;
bool TTestBarPainter::JoinShown = false;
int TTestBarPainter::BorderChanges = 0;
int TTestBarPainter::RowGap = 0;
bool TTestBarPainter::Buffered = false;
bool TTestBarPainter::SeparateArrows = false;
bool TTestBarPainter::MenuBand = false;
bool TTestBarPainter::PaintsNonRecent = false;
bool TTestBarPainter::SeparatesRuns = false;
int TTestBarPainter::Mark = 0;
bool TTestBarPainter::CloseHotTracks = true;
std::vector<DWORD> TTestBarPainter::Drawn;

namespace {

void Fill(HDC DC, const TRect& R, DWORD Rgb) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(ToTColor(Rgb)));
  const RECT r = R;
  FillRect(DC, &r, brush);
  DeleteObject(brush);
}

HDC DCOfParams(TdxBarItemControlDrawParams* DrawParams) { return DrawParams->Canvas->DCHandle(); }

}  // namespace

void TTestBarPainter::Reset() {
  TextHeight = 16;
  ReferenceText = 13;
  CharWidth = 7;
  Shadow = false;
  JoinShown = false;
  BorderChanges = 0;
  RowGap = 0;
  Buffered = false;
  SeparateArrows = false;
  MenuBand = false;
  PaintsNonRecent = false;
  SeparatesRuns = false;
  Mark = 0;
  CloseHotTracks = true;
  Drawn.clear();
}

void TTestBarPainter::DrawDockBackground(TdxDockControl*, HDC DC, const TRect& R, const TRect&, HBRUSH, TColor) {
  Fill(DC, R, kTestDockBackground);
}

TRect TTestBarPainter::DockedBarMargins(TdxBarControl* BarControl) {
  TdxBar* bar = BarControl->Bar();
  if (bar && bar->BorderStyle() == bbsNone)
    return BarControl->IsStatusBar() ? TRect{0, 3, BarControl->ShowsSizeGrip() ? 10 : 0, 0} : TRect{};
  return BarControl->IsDockedVertically() ? TRect{2, 8, 2, 2} : TRect{8, 2, 2, 2};
}

void TTestBarPainter::DrawBarNonClientArea(TdxBarControl*, HDC DC, const TRect& R) { Fill(DC, R, kTestBarFrame); }

void TTestBarPainter::DrawDragHandle(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH) {
  Fill(DC,
       BarControl->IsDockedVertically() ? TRect{R.left, R.top, R.right, R.top + 8}
                                        : TRect{R.left, R.top, R.left + 8, R.bottom},
       kTestGrip);
}

void TTestBarPainter::DrawFloatingCaption(TdxBarControl* BarControl, HDC DC, const TRect& R, HBRUSH) {
  Fill(DC, R, kTestCaption);
  if (TdxBarCaptionButtons* buttons = BarControl->Bar() ? BarControl->Bar()->CaptionButtons() : nullptr) {
    for (int i = 0; i < buttons->Count(); ++i)
      Fill(DC, buttons->ButtonAt(i)->Bounds, CaptionButtonColor(buttons->ButtonAt(i)->State()));
  }
}

void TTestBarPainter::PaintCaptionCloseButton(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  Fill(DC, R, CloseButtonColor(BarControl->CloseButtonState()));
}

void TTestBarPainter::MarkRectFor(TdxBarControl* BarControl, TRect& R) {
  const TRect c = BarControl->ClientRect();
  R = BarControl->IsDockedVertically() ? TRect{c.left, c.bottom - Mark, c.right, c.bottom}
                                       : TRect{c.right - Mark, c.top, c.right, c.bottom};
}

void TTestBarPainter::DrawMark(TdxBarControl* BarControl, TcxCanvas* Canvas, const TRect& R, HBRUSH) {
  Fill(Canvas->DCHandle(), R, MarkColor(BarControl->MarkState()));
}

void TTestBarPainter::DrawCaptionMark(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  Fill(DC, R, MarkColor(BarControl->MarkState()));
}

void TTestBarPainter::InvalidateMark(TdxBarControl* BarControl) {
  if (!BarControl->HandleAllocated()) return;
  TRect r;
  MarkRectFor(BarControl, r);
  const RECT rr = r;
  InvalidateRect(BarControl->Handle(), &rr, FALSE);
}

void TTestBarPainter::FillDockedBarTopMargin(TdxBarControl*, HDC DC, const TRect& R, HBRUSH) {
  Fill(DC, R, kTestStatusMargin);
}

void TTestBarPainter::DrawBarSizeGrip(TdxBarControl*, HDC DC, const TRect& R, HBRUSH) { Fill(DC, R, kTestSizeGrip); }

void TTestBarPainter::DrawBarSeparator(TdxBarControl*, HDC DC, const TRect& R, HBRUSH, bool Horizontal) {
  Fill(DC, R, Horizontal ? kTestRowSeparator : kTestItemSeparator);
}

void TTestBarPainter::DrawMDIButton(TdxBarControl*, int Index, int State, HDC DC, const TRect& R) {
  Fill(DC, R, MDIButtonColor(Index, State));
}

void TTestBarPainter::DrawBarControlBackground(TdxBarControl*, HDC DC, const TRect& R) { Fill(DC, R, kTestBackground); }

TTestBarPainter::TTestBarPainter(TcxCustomLookAndFeelPainterClass Skin)
    : TdxBarPainter(Skin),
      background_(CreateSolidBrush(ColorToRGB(ToTColor(kTestBackground)))),
      menuBackground_(CreateSolidBrush(ColorToRGB(ToTColor(kTestMenuBackground)))) {}

TTestBarPainter::~TTestBarPainter() {
  DeleteObject(background_);
  DeleteObject(menuBackground_);
}

void TTestBarPainter::DrawScrollButton(TdxBarSubMenuControl* Menu, TcxCanvas* Canvas, int Index) {
  TRect r;
  ScrollButtonRect(Menu, Index, r);
  Fill(Canvas->DCHandle(), r, kTestScrollArrow);
}

void TTestBarPainter::ScrollButtonRect(TdxBarSubMenuControl* Menu, int Index, TRect& R) {
  R = Menu->ItemsRect;
  if (Index == 0)
    R.bottom = R.top + 12;
  else
    R.top = R.bottom - 12;
}

void TTestBarPainter::DrawExpandButton(TdxBarSubMenuControl* Menu, const TRect& R, bool Hot) {
  Fill(Menu->CurrentCanvas()->DCHandle(), R, Hot ? kTestExpandMarkHot : kTestExpandMark);
}

void TTestBarPainter::FillDetachCaption(TdxBarSubMenuControl* Menu, HDC DC, const TRect& R) {
  Fill(DC, R, Menu->TearOffHot ? kTestTearOffHot : kTestTearOff);
}

int TTestBarPainter::MenuTextOffset(TdxBarSubMenuControl* Menu) { return Menu->OwnerBarSize() + 24; }

void TTestBarPainter::FillMenuBackground(TdxBarSubMenuControl*, TcxCanvas* Canvas, const TRect& R) {
  Fill(Canvas->DCHandle(), R, kTestMenuBackground);
}

void TTestBarPainter::DrawSubMenuBorder(TdxBarSubMenuControl*, HDC DC, const TRect& R) { Fill(DC, R, kTestMenuFrame); }

void TTestBarPainter::DrawMenuSeparatorItem(TdxBarSubMenuControl*, TdxBarItemControl*,
                                            const TdxBarSeparatorInfo& Separator, TcxCanvas* Canvas) {
  Fill(Canvas->DCHandle(), Separator.Bounds, kTestMenuSeparator);
}

void TTestBarPainter::MenuSeparatorRect(TdxBarSubMenuControl*, TdxBarItemControl*, TRect& Separator,
                                        const TRect& ItemRect) {
  Separator = TRect{ItemRect.left, ItemRect.top - 6, ItemRect.right, ItemRect.top};
}

TdxBarCustomHintViewInfo* TTestBarPainter::CreateHintViewInfo(TdxBarManager* Manager, const String& HintText,
                                                              const String& ShortCutText, TdxBarScreenTip* ScreenTip) {
  return CreateBarHintViewInfo(Manager, HintText, ShortCutText, ScreenTip, this);
}

void TTestBarPainter::DrawScreenTipBackground(TcxCanvas* Canvas, const TRect& R) {
  Fill(Canvas->DCHandle(), R, kTestScreenTipBackground);
}

void TTestBarPainter::DrawScreenTipFooterLine(TcxCanvas* Canvas, const TRect& R) { Fill(Canvas->DCHandle(), R, 0); }

void TTestBarPainter::DrawDropDownListBorder(HDC DC, TColor Color, const TRect& R) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
  const RECT r = R;
  FillRect(DC, &r, brush);
  DeleteObject(brush);
}

void TTestBarPainter::TextBoundsOf(TdxBarItemControlDrawParams* DrawParams, TRect& R) {
  const String caption = StripHotkeyPrefix(DrawParams->Caption);
  R = TRect{0, 0, CharWidth * int(caption.size()), TextHeight};
}

void TTestBarPainter::TextOffset(TdxBarItemControlDrawParams* DrawParams, int& Width) {
  auto* params = dynamic_cast<TdxBarButtonLikeControlDrawParams*>(DrawParams);
  if (params && DrawParams->HasDropDown) Width += params->ArrowSize.cx;
}

int TTestBarPainter::ButtonGlyphSizeForManager(TdxBarManager* Manager) { return Manager ? Manager->GlyphSize() : 16; }

TTestState StateOf(TdxBarItemControlDrawParams* DrawParams) {
  if (!DrawParams->Enabled) return tsDisabled;
  if (DrawParams->Pressed) return tsPressed;
  if (DrawParams->Selected) return tsHot;
  return tsNormal;
}

void TTestBarPainter::DrawButtonControl(TdxBarItemControlDrawParams* DrawParams, const TRect& R) {
  const DWORD color = TestColor(teButton, StateOf(DrawParams));
  Drawn.push_back(color);
  Fill(DCOfParams(DrawParams), R, color);
  auto* params = dynamic_cast<TdxBarButtonLikeControlDrawParams*>(DrawParams);
  if (params && DrawParams->HasDropDown) {
    TRect arrow = R;
    arrow.left = R.right - params->ArrowSize.cx;
    Fill(DCOfParams(DrawParams), arrow, TestColor(teArrow, StateOf(DrawParams)));
  }
}

void TTestBarPainter::DrawStaticControl(TdxBarItemControlDrawParams* DrawParams, const TRect& R) {
  const DWORD color = TestColor(teStatic, StateOf(DrawParams));
  Drawn.push_back(color);
  Fill(DCOfParams(DrawParams), R, color);
}

void TTestBarPainter::DrawSeparatorControl(TdxBarItemControlDrawParams* DrawParams, const TRect& R) {
  const DWORD color = TestColor(teSeparator, StateOf(DrawParams));
  Drawn.push_back(color);
  Fill(DCOfParams(DrawParams), R, color);
}

void TTestBarPainter::DrawApplicationMenuButton(TdxBarItemControlDrawParams* DrawParams, const TRect& R) {
  const DWORD color = TestColor(teAppButton, StateOf(DrawParams));
  Drawn.push_back(color);
  Fill(DCOfParams(DrawParams), R, color);
}

void TTestBarPainter::AdjustButtonPartBounds(TdxBarItemControlDrawParams* DrawParams, std::vector<TRect>& Parts,
                                             const TRect& R, int LastIndex) {
  if (LastIndex < 1 || Parts.size() < 2) return;
  auto* params = dynamic_cast<TdxBarButtonLikeControlDrawParams*>(DrawParams);
  const int arrow = params ? params->ArrowSize.cx : 0;
  Parts[0] = TRect{R.left, R.top, R.right - arrow, R.bottom};
  Parts[1] = TRect{R.right - arrow, R.top, R.right, R.bottom};
}

int TTestBarPainter::DropDownArrowWidth(TdxBarManager* Manager) {
  int width = Manager ? Manager->ButtonArrowWidth() : 11;
  if (Manager && Manager->LargeIcons()) width *= 2;
  if (width % 2 == 0) ++width;
  return width;
}

}  // namespace bar_testing

namespace bar_testing {

TRect TTestBarPainter::CalcBarBorderRect(TdxBarControl* BarControl) {
  if (BarControl->IsDocked())
    return BarControl->Bar() && BarControl->Bar()->BorderStyle() == bbsNone && !BarControl->IsStatusBar()
               ? TRect{}
               : DockedBarMargins(BarControl);
  return TRect{3, 3 + 16, 3, 3};
}

}  // namespace bar_testing
