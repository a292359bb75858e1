#include "ui/navbar/NavBarPainter.h"

#include "platform/framework/windows/HintWindow.h"
#include "ui/foundation/Graphics.h"
#include "ui/navbar/NavBarController.h"

DEFINE_CLASS(TdxNavBarPainter)

TdxNavBarPainter::~TdxNavBarPainter() {
  FreeAndNil(paintCanvas_);
  FreeAndNil(controller_);
  // While the view's own override is still in force (its destructor would reach only the base's).
  if (viewInfo_) viewInfo_->ReleaseColors();
  FreeAndNil(viewInfo_);
}

void TdxNavBarPainter::AfterConstruction() {
  TdxNavBarPersistent::AfterConstruction();
  viewInfo_ = CreateViewInfo();
  // The view's colour sets and bitmaps, once it is fully built: its constructor would reach only
  // the base's empty step.
  viewInfo_->CreateColors();
  controller_ = CreateController();
}

void TdxNavBarPainter::Assign(TPersistent* Source) {
  if (dynamic_cast<TdxNavBarPainter*>(Source)) return;
  TdxNavBarPersistent::Assign(Source);
}

TdxNavBarViewInfo* TdxNavBarPainter::CreateViewInfo() { return new TdxNavBarViewInfo(this); }

TdxNavBarGroupViewInfo* TdxNavBarPainter::CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                                              bool AItemsVisible, bool ACaptionVisible) {
  return new TdxNavBarGroupViewInfo(AViewInfo, AGroup, AItemsVisible, ACaptionVisible);
}

TdxNavBarLinkViewInfo* TdxNavBarPainter::CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo,
                                                            TdxNavBarItemLink* ALink, bool AImageVisible,
                                                            bool ACaptionVisible) {
  return new TdxNavBarLinkViewInfo(AGroupViewInfo, ALink, AImageVisible, ACaptionVisible);
}

TdxNavBarController* TdxNavBarPainter::CreateController() { return new TdxNavBarController(NavBar()); }

TComponentClass TdxNavBarPainter::ScrollBarClass() { return &TcxControlScrollBar::ClassInfo(); }

TcxScrollBar* TdxNavBarPainter::CreateScrollBar() {
  TComponent* control = ScrollBarClass()->Create(nullptr);
  if (auto* bar = dynamic_cast<TcxScrollBar*>(control)) return bar;
  control->Free();
  throw EInvalidOperation(L"A navigation-bar painter's scroll-bar class must be a scroll bar");
}

// ---- flags and painting ------------------------------------------------------------------------

void TdxNavBarPainter::SetChangeFlags(TdxNavBarInvalidation AKind) {
  switch (AKind) {
    case nbiRebuild:
      recreatePending_ = true;
      [[fallthrough]];
    case nbiRelayout:
      recalcPending_ = true;
      [[fallthrough]];
    case nbiRepaint:
      redrawPending_ = true;
  }
}

void TdxNavBarPainter::PrepareToPaint() {
  TdxCustomNavBar* bar = NavBar();
  if (bar->UpdateLock() == 0) {
    TBitmap* bitmap = bar->CanvasBitmap();
    const TRect client = bar->ClientRect();
    if (bitmap->Width() == 0) bitmap->SetWidth(client.Width());
    if (bitmap->Height() == 0) bitmap->SetHeight(client.Height());
    // A bar resized while it had no window did not grow its bitmap then.
    if (bitmap->Width() < client.Width()) bitmap->SetWidth(client.Width() + 10);
    if (bitmap->Height() < client.Height()) bitmap->SetHeight(client.Height() + 10);
    if (recreatePending_) viewInfo_->RecreateInfos();
    if (recalcPending_) viewInfo_->CalculateBounds();
    if (redrawPending_) DrawNavBar();
  }
  // Cleared while locked too: the final EndUpdate raises them again.
  recreatePending_ = recalcPending_ = redrawPending_ = false;
}

void TdxNavBarPainter::Paint(TCanvas* AWindowCanvas) {
  PrepareToPaint();
  TdxCustomNavBar* bar = NavBar();
  bar->CheckCollapseState();
  const TRect client = bar->ClientRect();
  BitBlt(AWindowCanvas->Handle(), 0, 0, client.Width(), client.Height(), DC(), 0, 0, SRCCOPY);
  SelectClipRgn(DC(), nullptr);
}

void TdxNavBarPainter::InvalidateScrollButtons() {
  TdxCustomNavBar* bar = NavBar();
  if (!bar->HandleAllocated()) return;
  for (const TRect* r : {&viewInfo_->TopScrollRect(), &viewInfo_->BottomScrollRect()}) {
    if (RectHasNoArea(*r)) continue;
    // The bitmap is drawn again, or the window would get the old look of the button back.
    redrawPending_ = true;
    InvalidateRect(bar->Handle(), r, TRUE);
  }
}

TCanvas* TdxNavBarPainter::Canvas() const { return NavBar()->CanvasBitmap()->Canvas(); }

TcxCanvas* TdxNavBarPainter::cxCanvas() {
  TCanvas* canvas = Canvas();
  if (!paintCanvas_ || paintCanvas_->Canvas() != canvas) {
    FreeAndNil(paintCanvas_);
    paintCanvas_ = new TcxCanvas(canvas);
  }
  return paintCanvas_;
}

HDC TdxNavBarPainter::DC() const { return Canvas()->Handle(); }

void TdxNavBarPainter::DrawFocusFrame(const TRect& R, TColor AColor) {
  if (RectHasNoArea(R)) return;
  const TRect r = InflateRectBy(R, -1, -1);
  if (RectHasNoArea(r)) return;
  const COLORREF color = COLORREF(ColorToRGB(AColor));
  const HDC dc = DC();
  auto dot = [&](int x, int y) {
    if ((x + y) & 1) SetPixelV(dc, x, y, color);
  };
  for (int x = r.left; x < r.right; ++x) {
    dot(x, r.top);
    dot(x, r.bottom - 1);
  }
  for (int y = r.top; y < r.bottom; ++y) {
    dot(r.left, y);
    dot(r.right - 1, y);
  }
}

// ---- the drawing order -----------------------------------------------------------------------------

namespace {

template <class Event, class... Args>
bool Handled(const Event& AEvent, Args&&... AArgs) {
  bool handled = false;
  if (AEvent) AEvent(std::forward<Args>(AArgs)..., handled);
  return handled;
}

}  // namespace

void TdxNavBarPainter::DrawNavBar() {
  TdxCustomNavBar* bar = NavBar();
  if (!Handled(bar->OnCustomDraw()->Background, bar, Canvas(), viewInfo_)) DrawBackground();
  const HDC dc = DC();
  for (int i = 0; i < viewInfo_->GroupCount(); ++i) {
    TdxNavBarGroupViewInfo* group = viewInfo_->GroupAt(i);
    if (RectVisible(dc, &group->Rect)) DrawGroup(group);
  }
  DrawScrollButtons();
  DrawDropTargetGroupSelection();
  DrawDropTargetLinkSelection();
}

void TdxNavBarPainter::DrawGroup(TdxNavBarGroupViewInfo* AGroup) {
  DrawGroupClient(AGroup);
  if (!AGroup->IsCaptionVisible()) return;
  TdxCustomNavBar* bar = NavBar();
  if (!Handled(bar->OnCustomDraw()->GroupCaption, bar, Canvas(), AGroup)) DrawGroupCaption(AGroup);
  DrawGroupFocusRect(AGroup);
  DrawGroupDesignRect(AGroup);
}

void TdxNavBarPainter::DrawGroupClient(TdxNavBarGroupViewInfo* AGroup) {
  TdxCustomNavBar* bar = NavBar();
  if (!Handled(bar->OnCustomDraw()->GroupClientBackground, bar, Canvas(), AGroup)) {
    DrawGroupBackground(AGroup);
    if (!RectIsAllZero(viewInfo_->GroupEdges())) DrawGroupBorder(AGroup);
  }
  if (AGroup->ShownControl()) return;
  if (!Handled(bar->OnCustomDraw()->GroupClientForeground, bar, Canvas(), AGroup)) DrawGroupItems(AGroup);
}

void TdxNavBarPainter::DrawGroupCaption(TdxNavBarGroupViewInfo* AGroup) {
  DrawGroupCaptionBackground(AGroup);
  DrawGroupCaptionText(AGroup);
  const TRect& caption = AGroup->CaptionRect;
  const TRect& image = AGroup->ImageRect;
  const bool signs = viewInfo_->ShowGroupSigns();
  if (viewInfo_->ShowGroupCaptionImages() && caption.left <= image.left && image.right <= caption.right &&
      (!signs || image.right < AGroup->SignRect.left))
    DrawGroupCaptionImage(AGroup);
  if (signs && caption.left <= AGroup->SignRect.left && AGroup->SignRect.right <= caption.right)
    DrawGroupCaptionSign(AGroup);
}

void TdxNavBarPainter::DrawGroupCaptionText(TdxNavBarGroupViewInfo* AGroup) {
  TcxCanvas* canvas = cxCanvas();
  canvas->CurrentBrush()->SetStyle(bsClear);
  canvas->UseFont(AGroup->HeaderFont());
  canvas->CurrentFont()->SetColor(AGroup->HeaderFontColor());
  canvas->DrawTextWithEnabledState(AGroup->Group()->Caption(), AGroup->CaptionTextRect, AGroup->CaptionDrawFlags());
}

void TdxNavBarPainter::DrawGroupDesignRect(TdxNavBarGroupViewInfo* AGroup) {
  // Nothing is selected without a designer.
  if (!RectHasNoArea(AGroup->DesignRect)) DrawHatchedMarker(cxCanvas(), AGroup->DesignRect, 0);
}

void TdxNavBarPainter::DrawGroupItems(TdxNavBarGroupViewInfo* AGroup) {
  TcxCanvas* canvas = cxCanvas();
  canvas->PushClipRegion();
  canvas->ClipToRect(AGroup->ItemsRect);
  const TRect& items = AGroup->ItemsRect;
  for (int i = 0; i < AGroup->LinkCount(); ++i) {
    TdxNavBarLinkViewInfo* link = AGroup->LinkAt(i);
    if (link->Rect.top >= items.top && link->Rect.top <= items.bottom && link->Item())
      link->Item()->PaintLink(this, link);
  }
  canvas->PopClipRegion();
}

void TdxNavBarPainter::DrawGroupFocusRect(TdxNavBarGroupViewInfo* AGroup) {
  DrawFocusFrame(AGroup->FocusRect, AGroup->HeaderFontColor());
}

bool TdxNavBarPainter::LinkImageDrawable(TdxNavBarLinkViewInfo* ALink) {
  TCustomImageList* images = ALink->ImageList();
  const int index = ALink->ImageIndex();
  return images && index >= 0 && index < images->Count() && ALink->ImageShown &&
         ALink->Rect.left < ALink->ImageRect.left && ALink->ImageRect.right < ALink->Rect.right;
}

void TdxNavBarPainter::DrawLink(TdxNavBarLinkViewInfo* ALink) {
  TdxCustomNavBar* bar = NavBar();
  if (!Handled(bar->OnCustomDraw()->Link, bar, Canvas(), ALink)) {
    DrawLinkSelection(ALink);
    if (LinkImageDrawable(ALink)) DrawLinkImage(ALink);
    DrawLinkCaption(ALink);
  }
  DrawLinkFocusRect(ALink);
  DrawLinkDesignRect(ALink);
}

void TdxNavBarPainter::DrawLinkCaption(TdxNavBarLinkViewInfo* ALink) {
  if (!ALink->Item()) return;
  TcxCanvas* canvas = cxCanvas();
  canvas->CurrentBrush()->SetStyle(bsClear);
  canvas->UseFont(ALink->Font());
  canvas->CurrentFont()->SetColor(ALink->FontColor());
  canvas->DrawTextWithEnabledState(ALink->Item()->Caption(), ALink->CaptionRect,
                                   ALink->CaptionDrawFlags() | ctfEndEllipsis);
}

void TdxNavBarPainter::DrawLinkDesignRect(TdxNavBarLinkViewInfo* ALink) {
  if (!RectHasNoArea(ALink->DesignRect)) DrawHatchedMarker(cxCanvas(), ALink->DesignRect, 0);
}

void TdxNavBarPainter::DrawLinkFocusRect(TdxNavBarLinkViewInfo* ALink) {
  DrawFocusFrame(ALink->FocusRect, ALink->FontColor());
}

void TdxNavBarPainter::DrawSeparator(TdxNavBarLinkViewInfo* ALink) {
  const int y = (ALink->Rect.top + ALink->Rect.bottom) / 2;
  cxCanvas()->FillAreaWithColor({ALink->Rect.left + 7, y, ALink->Rect.right, y + 1}, ALink->FontColor());
}

void TdxNavBarPainter::DrawScrollButtons() {
  TdxCustomNavBar* bar = NavBar();
  if (!RectHasNoArea(viewInfo_->TopScrollRect()) &&
      !Handled(bar->OnCustomDraw()->TopScrollButton, bar, Canvas(), viewInfo_))
    DrawTopScrollButton();
  if (!RectHasNoArea(viewInfo_->BottomScrollRect()) &&
      !Handled(bar->OnCustomDraw()->BottomScrollButton, bar, Canvas(), viewInfo_))
    DrawBottomScrollButton();
}

void TdxNavBarPainter::DrawHintWindow(THintWindow* AHintWindow) {
  TdxCustomNavBar* bar = NavBar();
  TCanvas* canvas = AHintWindow->Canvas();
  const TRect r = AHintWindow->ClientRect();
  if (bar->HotGroup())
    DrawGroupHint(canvas, r);
  else if (bar->HotLink())
    DrawLinkHint(canvas, r);
  else
    DrawHint(canvas, r);
}

void TdxNavBarPainter::DrawGroupHint(TCanvas* ACanvas, const TRect& R) {
  TdxCustomNavBar* bar = NavBar();
  if (!Handled(bar->OnCustomDraw()->GroupHint, bar, ACanvas, bar->HotGroup(), viewInfo_->HintText, R))
    DrawHint(ACanvas, R);
}

void TdxNavBarPainter::DrawLinkHint(TCanvas* ACanvas, const TRect& R) {
  TdxCustomNavBar* bar = NavBar();
  if (!Handled(bar->OnCustomDraw()->LinkHint, bar, ACanvas, bar->HotLink(), viewInfo_->HintText, R))
    DrawHint(ACanvas, R);
}
