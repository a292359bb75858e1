#include "ui/navbar/NavBarToolBoxView.h"

#include <algorithm>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/windows/Forms.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarGraphics.h"
#include "ui/navbar/NavBarItems.h"
#include "ui/navbar/NavBarStyles.h"
#include "ui/navbar/NavBarViews.h"

DEFINE_CLASS(TdxNavBarVSToolBoxViewInfo)
DEFINE_CLASS(TdxNavBarVSToolBoxLinkViewInfo)
DEFINE_CLASS(TdxNavBarVSToolBoxController)
DEFINE_CLASS(TdxNavBarVSToolBoxPainter)

// ---- layout -------------------------------------------------------------------------------------

namespace {

// The caption's height square right of the caption row (which the layout shortened by height + 2).
TRect SquareRightOf(const TRect& Caption) {
  const int h = Caption.Height();
  return OffsetRectBy(TRect(Caption.right - h, Caption.top, Caption.right, Caption.bottom), h + 2, 0);
}

}  // namespace

void TdxNavBarVSToolBoxViewInfo::TopScrollButtonRect(TRect& R) {
  TdxNavBarGroupViewInfo* active = ActiveGroupViewInfo();
  R = GroupCount() == 0 || !active ? TRect() : SquareRightOf(active->CaptionRect);
}

void TdxNavBarVSToolBoxViewInfo::BottomScrollButtonRect(TRect& R) {
  TdxNavBarGroupViewInfo* active = ActiveGroupViewInfo();
  if (GroupCount() == 0 || !active) {
    R = {};
    return;
  }
  const int next = IndexOf(active) + 1;
  if (next < GroupCount()) {
    R = SquareRightOf(GroupAt(next)->CaptionRect);
  } else {
    TopScrollButtonRect(R);
    R = OffsetRectBy(R, 0, active->ItemsRect.Height());
  }
}

void TdxNavBarVSToolBoxViewInfo::AssignBackgroundDefaults() {
  ResetStyle(dsBackground);
  SetBackColors(DefaultStyle(dsBackground), clBtnFace);
}
void TdxNavBarVSToolBoxViewInfo::AssignGroupBackgroundDefaults() {
  ResetStyle(dsGroupBackground);
  SetBackColors(DefaultStyle(dsGroupBackground), clBtnFace);
}
void TdxNavBarVSToolBoxViewInfo::AssignGroupHeaderDefaults() {
  TdxNavBarDefaultStyle* style = DefaultStyle(dsGroupHeader);
  style->ResetValues();
  SetBackColors(style, clBtnFace);
  style->Font()->SetColor(clBtnText);
}
void TdxNavBarVSToolBoxViewInfo::AssignItemDefaults() {
  TdxNavBarDefaultStyle* style = DefaultStyle(dsItem);
  style->ResetValues();
  style->Font()->SetColor(clBtnText);
  style->SetHAlignment(haCenter);
}
void TdxNavBarVSToolBoxViewInfo::AssignItemDisabledDefaults() {
  CopyStyle(dsItemDisabled, dsItem);
  DefaultStyle(dsItemDisabled)->Font()->SetColor(clBtnShadow);
}

// ---- the controller -----------------------------------------------------------------------------

void TdxNavBarVSToolBoxController::LinkHintText(TdxNavBarItemLink* ALink, String& AText) {
  TdxNavBarNavigationBarController::LinkHintText(ALink, AText);
  if (AText.empty() && ALink->Item()) AText = ALink->Item()->Caption();
}

void TdxNavBarVSToolBoxController::CalcLinkHintRect(TdxNavBarItemLink* ALink, TRect& R) {
  TdxNavBarLinkViewInfo* link = ViewInfo()->LinkViewInfoOf(ALink);
  if (!link) {
    R = {};
    return;
  }
  R = link->ImageFrameRect();
  TcxScreenCanvas* canvas = ScreenCanvas();
  canvas->UseFont(ViewInfo()->HintFont());
  TRect text{0, 0, 0, 0};
  RenderTextInRect(canvas->DCHandle(), ViewInfo()->HintText, text,
                   DT_CALCRECT | DT_NOPREFIX | (link->CaptionDrawFlags() & ctfSingleLine ? DT_SINGLELINE : 0));
  if (text.Width() > link->CaptionRect.Width()) R.right = link->CaptionRect.left + text.Width() + 4;
}

void TdxNavBarVSToolBoxController::PrepareLinkHint(THintInfo& AHintInfo, TdxNavBarLinkViewInfo* ALinkViewInfo) {
  TdxNavBarNavigationBarController::PrepareLinkHint(AHintInfo, ALinkViewInfo);
  AHintInfo.HintPos = NavBar()->ClientOrigin();
}

// ---- painters -----------------------------------------------------------------------------------

void TdxNavBarVSToolBoxSelectionPainter::GetSelectionColors(int State, TColor BackColor, TColor& FillColor,
                                                            TColor& TopLeftOuter, TColor& BottomRightOuter,
                                                            TColor& TopLeftInner, TColor& BottomRightInner) const {
  TdxNavBarBaseSelectionPainter::GetSelectionColors(State, BackColor, FillColor, TopLeftOuter, BottomRightOuter,
                                                    TopLeftInner, BottomRightInner);
  FillColor = LightenColorPercent(BackColor, 70);
  if (State & nbisPressed) TopLeftOuter = BottomRightOuter = DarkenColorPercent(BackColor, 70);
}

void TdxNavBarVSToolBoxButtonPainter::FrameColors(int State, TColor C, TColor (&Colors)[4]) const {
  if (State & nbisPressed) {
    Colors[0] = DarkenColorPercent(C, 20);
    Colors[1] = clNone;
    Colors[2] = DarkenColorPercent(C, 70);
    Colors[3] = LightenColorPercent(C, 20);
  } else {
    Colors[0] = LightenColorPercent(C, 20);
    Colors[1] = clNone;
    Colors[2] = LightenColorPercent(C, 70);
    Colors[3] = DarkenColorPercent(C, 20);
  }
}

TdxNavBarViewInfo* TdxNavBarVSToolBoxPainter::CreateViewInfo() { return new TdxNavBarVSToolBoxViewInfo(this); }
TdxNavBarLinkViewInfo* TdxNavBarVSToolBoxPainter::CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo,
                                                                     TdxNavBarItemLink* ALink, bool AImageVisible,
                                                                     bool ACaptionVisible) {
  return new TdxNavBarVSToolBoxLinkViewInfo(AGroupViewInfo, ALink, AImageVisible, ACaptionVisible);
}
TdxNavBarController* TdxNavBarVSToolBoxPainter::CreateController() {
  return new TdxNavBarVSToolBoxController(NavBar());
}
TdxNavBarButtonPainterClass TdxNavBarVSToolBoxPainter::ButtonPainterClass() {
  return TdxNavBarVSToolBoxButtonPainter::Instance();
}
TdxNavBarSelectionPainterClass TdxNavBarVSToolBoxPainter::SelectionPainterClass() {
  return TdxNavBarVSToolBoxSelectionPainter::Instance();
}

void TdxNavBarVSToolBoxPainter::DrawLinkHint(TCanvas* ACanvas, const TRect& R) {
  TdxNavBarLinkViewInfo* link = ViewInfo()->LinkViewInfoOf(NavBar()->HotLink());
  if (!link) return TdxNavBarFlatPainter::DrawLinkHint(ACanvas, R);
  TcxCanvas canvas(ACanvas);
  // Hint-window coordinates: the link's selection rectangle starts at the window's origin; a hint
  // wider than the row gets the extra width too.
  const TRect frame = link->ImageFrameRect();
  const int dx = -frame.left, dy = -frame.top;
  const int extra = std::max(0, int(R.Width() - frame.Width()));
  TRect row = OffsetRectBy(frame, dx, dy);
  row.right += extra;
  TdxNavBarGroupViewInfo* group = link->GroupViewInfo();
  BackgroundPainterClass()->DrawBackground(&canvas, R, group->BackgroundImage(), false, clNone,
                                           group->BackgroundBackColor(), group->BackgroundBackColor2(),
                                           group->BackgroundAlphaBlending(), group->BackgroundAlphaBlending2(),
                                           int(group->BackgroundGradientMode()));
  SelectionPainterClass()->DrawSelection(&canvas, row, group->BackgroundBackColor(), nbisHot);
  ImagePainterClass()->DrawImage(&canvas, link->ImageList(), link->ImageIndex(),
                                 OffsetRectBy(link->ImageRect, dx, dy), true);
  if (!link->Item()) return;
  TRect caption = OffsetRectBy(link->CaptionRect, dx, dy);
  caption.right += extra;
  canvas.CurrentBrush()->SetStyle(bsClear);
  canvas.UseFont(link->Font());
  canvas.CurrentFont()->SetColor(link->FontColor());
  canvas.DrawTextWithEnabledState(link->Item()->Caption(), caption, link->CaptionDrawFlags());
}

// ---- the unit -------------------------------------------------------------------------------------

void StartToolBoxViewUnit() { RegisterView(5, L"VSToolBoxView", &TdxNavBarVSToolBoxPainter::ClassInfo()); }
void EndToolBoxViewUnit() { UnregisterView(5); }

namespace {
const TUnitRegistration toolBoxViewUnit(&StartToolBoxViewUnit, &EndToolBoxViewUnit);
}
