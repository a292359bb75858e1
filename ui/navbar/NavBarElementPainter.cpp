#include "ui/navbar/NavBarElementPainter.h"

#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarController.h"
#include "ui/navbar/NavBarGraphics.h"

DEFINE_CLASS(TdxNavBarElementPainter)

int NavBarStateFlags(TdxNavBarItemStates States) {
  int flags = 0;
  if (States.Contains(sActive)) flags |= nbisActive;
  if (States.Contains(sDisabled)) flags |= nbisDisabled;
  if (States.Contains(sExpanded)) flags |= nbisExpanded;
  if (States.Contains(sHotTracked)) flags |= nbisHot;
  if (States.Contains(sPressed)) flags |= nbisPressed;
  if (States.Contains(sSelected)) flags |= nbisSelected;
  if (States.Contains(sSpecial)) flags |= nbisSpecial;
  if (States.Contains(sFocused)) flags |= nbisFocused;
  return flags;
}

// ---- the element painter classes of the view ----------------------------------------------------

TdxNavBarBackgroundPainterClass TdxNavBarElementPainter::BackgroundPainterClass() {
  return TdxNavBarCustomBackgroundPainter::Instance();
}
TdxNavBarButtonPainterClass TdxNavBarElementPainter::ButtonPainterClass() {
  return TdxNavBarCustomButtonPainter::Instance();
}
TdxNavBarDropTargetGroupPainterClass TdxNavBarElementPainter::DropTargetGroupPainterClass() {
  return TdxNavBarCustomDropTargetGroupPainter::Instance();
}
TdxNavBarDropTargetLinkPainterClass TdxNavBarElementPainter::DropTargetLinkPainterClass() {
  return TdxNavBarCustomDropTargetLinkPainter::Instance();
}
TdxNavBarGroupBackgroundPainterClass TdxNavBarElementPainter::GroupBackgroundPainterClass() {
  return TdxNavBarCustomGroupBackgroundPainter::Instance();
}
TdxNavBarGroupBorderPainterClass TdxNavBarElementPainter::GroupBorderPainterClass() {
  return TdxNavBarCustomGroupBorderPainter::Instance();
}
TdxNavBarImagePainterClass TdxNavBarElementPainter::ImagePainterClass() {
  return TdxNavBarCustomImagePainter::Instance();
}
TdxNavBarScrollButtonsPainterClass TdxNavBarElementPainter::ScrollButtonsPainterClass() {
  return TdxNavBarCustomScrollButtonsPainter::Instance();
}
TdxNavBarSelectionPainterClass TdxNavBarElementPainter::SelectionPainterClass() {
  return TdxNavBarCustomSelectionPainter::Instance();
}
TdxNavBarSignPainterClass TdxNavBarElementPainter::SignPainterClass() { return TdxNavBarCustomSignPainter::Instance(); }

int TdxNavBarElementPainter::DropTargetLinkMarkWidth() { return ViewInfo()->ScaleValue(4); }
int TdxNavBarElementPainter::DropTargetLinkMarkHeight() { return ViewInfo()->ScaleValue(8); }

// ---- the drawing steps ------------------------------------------------------------------------

void TdxNavBarElementPainter::DrawBackground() {
  TdxNavBarViewInfo* info = ViewInfo();
  BackgroundPainterClass()->DrawBackground(cxCanvas(), NavBar()->GetClientRect(), info->BackgroundImage(), true,
                                           NavBar()->Color(), info->BackgroundBackColor(),
                                           info->BackgroundBackColor2(), info->BackgroundAlphaBlending(),
                                           info->BackgroundAlphaBlending2(), int(info->BackgroundGradientMode()));
}

void TdxNavBarElementPainter::DrawGroupBackground(TdxNavBarGroupViewInfo* AGroup) {
  GroupBackgroundPainterClass()->DrawGroupBackground(
      cxCanvas(), AGroup->ItemsRect, AGroup->BackgroundImage(), AGroup->BackgroundBackColor(),
      AGroup->BackgroundBackColor2(), AGroup->BackgroundAlphaBlending(), AGroup->BackgroundAlphaBlending2(),
      int(AGroup->BackgroundGradientMode()));
}

void TdxNavBarElementPainter::DrawGroupBorder(TdxNavBarGroupViewInfo* AGroup) {
  GroupBorderPainterClass()->DrawGroupBorder(cxCanvas(), AGroup->ItemsRect, AGroup->BorderColor(), false);
}

void TdxNavBarElementPainter::DrawGroupCaptionBackground(TdxNavBarGroupViewInfo* AGroup) {
  ButtonPainterClass()->DrawButton(cxCanvas(), AGroup->CaptionRect, AGroup->HeaderImage(), AGroup->HeaderBackColor(),
                                   AGroup->HeaderBackColor2(), AGroup->HeaderAlphaBlending(),
                                   AGroup->HeaderAlphaBlending2(), int(AGroup->HeaderGradientMode()),
                                   AGroup->HeaderBorderColor(), NavBarStateFlags(AGroup->State()));
}

void TdxNavBarElementPainter::DrawGroupCaptionImage(TdxNavBarGroupViewInfo* AGroup) {
  ImagePainterClass()->DrawImage(cxCanvas(), AGroup->ImageList(), AGroup->ImageIndex(), AGroup->ImageRect, true);
}

void TdxNavBarElementPainter::DrawGroupCaptionSign(TdxNavBarGroupViewInfo* AGroup) {
  if (!AGroup->Group()->OptionsExpansion()->ShowExpandButton()) return;
  SignPainterClass()->DrawSign(cxCanvas(), AGroup->SignRect, AGroup->SignForeColor(), AGroup->HeaderBackColor(),
                               AGroup->HeaderBackColor2(), NavBarStateFlags(AGroup->State()));
}

void TdxNavBarElementPainter::DrawGroupControl(TCanvas* ACanvas, const TRect& R, TdxNavBarGroupViewInfo* AGroup) {
  TcxCanvas canvas(ACanvas);
  GroupBackgroundPainterClass()->DrawGroupBackground(&canvas, R, AGroup->ControlImage(), AGroup->ControlBackColor(),
                                                     AGroup->ControlBackColor2(), AGroup->ControlAlphaBlending(),
                                                     AGroup->ControlAlphaBlending2(),
                                                     int(AGroup->ControlGradientMode()));
}

void TdxNavBarElementPainter::DrawLinkImage(TdxNavBarLinkViewInfo* ALink) {
  const bool enabled = ALink->Item() && ALink->Item()->IsEnabled();
  ImagePainterClass()->DrawImage(cxCanvas(), ALink->ImageList(), ALink->ImageIndex(), ALink->ImageRect, enabled);
  // A link that shows no caption marks its focus around the image.
  if (ALink->CaptionRect.IsEmpty() && ALink->State().Contains(sFocused)) {
    const TRect r = ALink->ImageRect;
    DrawFocusFrame(TRect(r.left - 1, r.top - 1, r.right + 1, r.bottom + 1), ALink->FontColor());
  }
}

void TdxNavBarElementPainter::DrawLinkSelection(TdxNavBarLinkViewInfo* ALink) {
  SelectionPainterClass()->DrawSelection(cxCanvas(), ALink->ImageFrameRect(),
                                         ALink->GroupViewInfo()->BackgroundBackColor(),
                                         NavBarStateFlags(ALink->State()));
}

void TdxNavBarElementPainter::DrawBottomScrollButton() {
  TdxNavBarViewInfo* info = ViewInfo();
  const TRect r = info->BottomScrollRect();
  ScrollButtonsPainterClass()->DrawBottomButton(
      cxCanvas(), r, ButtonPainterClass(), info->BottomScrollButtonBackColor(), info->BottomScrollButtonBackColor2(),
      info->BottomScrollButtonAlphaBlending(), info->BottomScrollButtonAlphaBlending2(),
      int(info->BottomScrollButtonGradientMode()), info->BorderColor(), info->BottomScrollButtonState());
  // Later drawing leaves the button alone.
  cxCanvas()->SubtractFromClip(r);
}

void TdxNavBarElementPainter::DrawTopScrollButton() {
  TdxNavBarViewInfo* info = ViewInfo();
  const TRect r = info->TopScrollRect();
  ScrollButtonsPainterClass()->DrawTopButton(
      cxCanvas(), r, ButtonPainterClass(), info->TopScrollButtonBackColor(), info->TopScrollButtonBackColor2(),
      info->TopScrollButtonAlphaBlending(), info->TopScrollButtonAlphaBlending2(),
      int(info->TopScrollButtonGradientMode()), info->BorderColor(), info->TopScrollButtonState());
  cxCanvas()->SubtractFromClip(r);
}

void TdxNavBarElementPainter::DrawDropTargetGroupSelection() {
  TdxNavBarDragObject* drag = dxNavBarDragObject();
  TdxCustomNavBar* bar = NavBar();
  if (!drag || !drag->SourceGroup() || drag->SourceLink() || !bar->CanDropGroup()) return;
  TdxNavBarViewInfo* info = ViewInfo();
  const TPoint p = bar->MousePos();
  TdxNavBarGroupViewInfo* target = info->GroupAtCaption(p);
  if (!target) target = info->GroupAtItems(p);
  if (!target || target->Group() == drag->SourceGroup()) return;
  DropTargetGroupPainterClass()->DrawDropTargetGroup(
      cxCanvas(), target->Rect, info->DropTargetGroupBackColor(), info->DropTargetGroupBackColor2(),
      info->DropTargetGroupAlphaBlending(), info->DropTargetGroupAlphaBlending2(),
      int(info->DropTargetGroupGradientMode()));
}

void TdxNavBarElementPainter::DrawDropTargetLinkSelection() {
  TdxNavBarDragObject* drag = dxNavBarDragObject();
  if (!drag || !(drag->SourceLink() || drag->SourceItem()) || !NavBar()->CanDropLink() || !drag->TargetGroup) return;
  // A dragged link next to itself shows nothing.
  TdxNavBarItemLink* dragged = drag->SourceLink();
  if (dragged && !drag->DragItem() && (drag->TargetPrevious == dragged || drag->TargetNext == dragged)) return;
  TdxNavBarGroupViewInfo* group = ViewInfo()->GroupViewInfoOf(drag->TargetGroup);
  if (!group) return;
  TdxNavBarLinkViewInfo* before = drag->TargetPrevious ? group->LinkViewInfoOf(drag->TargetPrevious) : nullptr;
  TdxNavBarLinkViewInfo* after = drag->TargetNext ? group->LinkViewInfoOf(drag->TargetNext) : nullptr;
  if (before || after) DrawDropTargetLink(group, before, after);
}

bool TdxNavBarElementPainter::DropTargetLinkPoints(TdxNavBarGroupViewInfo* AGroup, TdxNavBarLinkViewInfo* ABefore,
                                                   TdxNavBarLinkViewInfo* AAfter, TPoint (&Points)[6]) {
  if (!ABefore && !AAfter) return false;
  const bool iconLayout = ViewInfo()->CanShowAsIconView() && AGroup->Group()->ShowAsIconView();
  TPoint s, e;
  if (ABefore) {
    const TRect& r = ABefore->Rect;
    s = iconLayout ? TPoint(r.right, r.top) : TPoint(r.left, r.bottom);
    e = TPoint(r.right, r.bottom);
  } else {
    const TRect& r = AAfter->Rect;
    s = TPoint(r.left, r.top);
    e = iconLayout ? TPoint(r.left, r.bottom) : TPoint(r.right, r.top);
  }
  const TRect& items = AGroup->ItemsRect;
  auto inside = [&](const TPoint& p) {
    return p.x >= items.left - 1 && p.x <= items.right + 1 && p.y >= items.top - 1 && p.y <= items.bottom + 1;
  };
  if (!inside(s) || !inside(e)) return false;
  for (int i = 0; i < 3; ++i) Points[i] = s;
  for (int i = 3; i < 6; ++i) Points[i] = e;
  if (!iconLayout) {
    const int w = DropTargetLinkMarkWidth(), h = DropTargetLinkMarkHeight(), W = AGroup->Rect.Width();
    Points[0].x = s.x + w;
    if (ABefore) Points[1].y = s.y - h / 2;
    if (AAfter) Points[2].y = s.y + h / 2;
    Points[3].x = W + Points[0].x - 2 * w - 1;
    Points[4] = TPoint(W + Points[1].x - 1, Points[1].y);
    Points[5] = TPoint(W + Points[2].x - 1, Points[2].y);
  }
  return true;
}

void TdxNavBarElementPainter::DrawDropTargetLink(TdxNavBarGroupViewInfo* AGroup, TdxNavBarLinkViewInfo* ABefore,
                                                 TdxNavBarLinkViewInfo* AAfter) {
  TPoint points[6];
  if (DropTargetLinkPoints(AGroup, ABefore, AAfter, points))
    DropTargetLinkPainterClass()->DrawDropTargetLink(cxCanvas(), points, ViewInfo()->DropTargetLinkColor());
}

void TdxNavBarElementPainter::DrawHint(TCanvas* ACanvas, const TRect& R) {
  TdxNavBarViewInfo* info = ViewInfo();
  TcxCanvas canvas(ACanvas);
  TdxNavBarCustomHintPainter::Instance()->DrawHint(&canvas, R, info->HintText, info->HintImage(),
                                                   info->HintBackColor(), info->HintBackColor2(),
                                                   info->HintAlphaBlending(), info->HintAlphaBlending2(),
                                                   int(info->HintGradientMode()), info->HintFont());
}
