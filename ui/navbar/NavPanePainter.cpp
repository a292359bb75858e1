#include "ui/navbar/NavPanePainter.h"

#include <algorithm>
#include <memory>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/windows/Forms.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/navbar/NavBarAccessibility.h"
#include "ui/navbar/NavBarExplorerBarViews.h"
#include "ui/navbar/NavBarGraphics.h"
#include "ui/navbar/NavBarViews.h"
#include "ui/navbar/NavPaneController.h"

DEFINE_CLASS(TdxNavBarNavigationPanePainter)
DEFINE_CLASS(TdxNavBarOffice11NavPanePainter)

namespace {

template <class Event>
bool PaneEventHandled(const Event& AEvent, TdxCustomNavBar* ABar, TCanvas* ACanvas, TdxNavBarViewInfo* AInfo) {
  bool handled = false;
  if (AEvent) AEvent(ABar, ACanvas, AInfo, handled);
  return handled;
}

TRect CenteredRect(const TRect& Area, int Width, int Height) {
  const int left = Area.left + (Area.Width() - Width) / 2;
  const int top = Area.top + (Area.Height() - Height) / 2;
  return {left, top, left + Width, top + Height};
}

// A bitmap transparent by its bottom-left pixel, drawn at P.
void DrawPaneBitmap(TcxCanvas* ACanvas, TBitmap* ABitmap, const TPoint& P) {
  if (!ABitmap || ABitmap->Width() == 0) return;
  const COLORREF key = GetPixel(ABitmap->Canvas()->Handle(), 0, ABitmap->Height() - 1);
  TransparentBlt(ACanvas->DCHandle(), P.x, P.y, ABitmap->Width(), ABitmap->Height(), ABitmap->Canvas()->Handle(), 0, 0,
                 ABitmap->Width(), ABitmap->Height(), key);
}

}  // namespace

// ---- button painters -------------------------------------------------------------------------------------

void TdxNavBarNavigationPaneButtonPainter::DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture* Picture,
                                                      TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2,
                                                      int GradientMode, TColor BorderColor, int State) const {
  TdxNavBarCustomButtonPainter::DrawButton(Canvas, R, Picture, Color1, Color2, Alpha1, Alpha2, GradientMode,
                                           BorderColor, State);
  Canvas->DrawFrameBorders(R, BorderColor, 1);
}

void TdxNavBarOffice11NavPaneGroupButtonPainter::DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture* Picture,
                                                            TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2,
                                                            int GradientMode, TColor BorderColor, int State) const {
  TRect r = R;
  r.top += 1;
  TdxNavBarCustomButtonPainter::DrawButton(Canvas, r, Picture, Color1, Color2, Alpha1, Alpha2, GradientMode,
                                           BorderColor, State);
  Canvas->FillAreaWithColor({R.left, R.top, R.right, R.top + 1}, BorderColor);
}

void DrawRotatedText(TcxCanvas* Canvas, TFont* Font, const String& Text, const TRect& R, TColor Color) {
  const TSize size = MeasureTextForFont(Font, Text);
  if (size.cx <= 0 || size.cy <= 0) return;
  // Taller than wide: the text's extent runs up the strip, read from the bottom.
  const TRect place = CenteredRect(R, size.cy, size.cx);
  LOGFONTW logFont{};
  GetObjectW(Font->Handle(), sizeof(logFont), &logFont);
  logFont.lfEscapement = logFont.lfOrientation = 900;
  HFONT rotated = CreateFontIndirectW(&logFont);
  HDC dc = Canvas->DCHandle();
  Canvas->PushClipRegion();
  Canvas->ClipToRect(R);
  HGDIOBJ old = SelectObject(dc, rotated);
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF color = SetTextColor(dc, COLORREF(ColorToRGB(Color)));
  const UINT align = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  TextOutW(dc, place.left, place.bottom, Text.c_str(), int(Text.size()));
  SetTextAlign(dc, align);
  SetTextColor(dc, color);
  SetBkMode(dc, mode);
  SelectObject(dc, old);
  DeleteObject(rotated);
  Canvas->PopClipRegion();
}

// ---- the painter ----------------------------------------------------------------------------------------

TdxNavBarNavigationPaneViewInfo* TdxNavBarNavigationPanePainter::PaneViewInfo() const {
  return static_cast<TdxNavBarNavigationPaneViewInfo*>(ViewInfo());
}

TdxNavBarViewInfo* TdxNavBarNavigationPanePainter::CreateViewInfo() { return new TdxNavBarNavigationPaneViewInfo(this); }

TdxNavBarGroupViewInfo* TdxNavBarNavigationPanePainter::CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo,
                                                                            TdxNavBarGroup* AGroup, bool AItemsVisible,
                                                                            bool ACaptionVisible) {
  return new TdxNavBarNavigationPaneGroupViewInfo(AViewInfo, AGroup, AItemsVisible, ACaptionVisible);
}

TdxNavBarController* TdxNavBarNavigationPanePainter::CreateController() {
  if (NavBar()->IsPopupNavBar()) return new TdxNavBarPopupInnerControlController(NavBar());
  return new TdxNavBarNavigationPaneController(NavBar());
}

TdxNavBarButtonPainterClass TdxNavBarNavigationPanePainter::ButtonPainterClass() {
  return TdxNavBarNavigationPaneButtonPainter::Instance();
}

TdxNavBarButtonPainterClass TdxNavBarNavigationPanePainter::GroupButtonPainterClass() {
  return TdxNavBarOffice11NavPaneGroupButtonPainter::Instance();
}

TdxNavBarPopupControlViewInfo* TdxNavBarNavigationPanePainter::CreatePopupViewInfo() {
  return new TdxNavBarPopupControlViewInfo(PaneViewInfo());
}

int TdxNavBarNavigationPanePainter::PaneState(const TdxNavBarPartRef& APart) {
  auto* controller = dynamic_cast<TdxNavBarNavigationPaneController*>(Controller());
  int state = controller ? controller->PartState(APart) : 0;
  IdxNavBarAccessibilityHelper* helper = PaneViewInfo()->AccessibilityHelperOfPart(APart);
  if (helper && helper->IsDown()) state = std::max(state, 2);
  if (state == 0 && APart.Major >= nppOverflowSign && APart.Major <= nppHeaderSign && helper && helper->HasFocus())
    state = 1;
  return state;
}

bool TdxNavBarNavigationPanePainter::PartFocused(const TdxNavBarPartRef& APart) {
  IdxNavBarAccessibilityHelper* helper = PaneViewInfo()->AccessibilityHelperOfPart(APart);
  return helper && helper->HasFocus();
}

void TdxNavBarNavigationPanePainter::DrawPartBackground(TcxCanvas* ACanvas, const TRect& R, int AState) {
  TColor first, second;
  if (!NavPaneStateColors(AState, first, second)) return;
  BackgroundPainterClass()->DrawBackground(ACanvas, R, nullptr, false, clNone, first, second, 255, 255, gmVertical);
}

void TdxNavBarNavigationPanePainter::DrawNavBar() {
  TdxNavBarOffice3Painter::DrawNavBar();
  DoDrawHeader();
  DrawItemPanel();
  DoDrawOverflowPanel();
  DoDrawSplitter();
  DrawBorder();
  if (NavBar()->IsPopupNavBar()) PaintSizeGrip(cxCanvas(), PaneViewInfo()->SizeGripBounds);
}

void TdxNavBarNavigationPanePainter::DrawGroupCaptionBackground(TdxNavBarGroupViewInfo* AGroup) {
  GroupButtonPainterClass()->DrawButton(cxCanvas(), AGroup->CaptionRect, AGroup->HeaderImage(), AGroup->HeaderBackColor(),
                                        AGroup->HeaderBackColor2(), AGroup->HeaderAlphaBlending(),
                                        AGroup->HeaderAlphaBlending2(), int(AGroup->HeaderGradientMode()),
                                        AGroup->HeaderBorderColor(), NavBarStateFlags(AGroup->State()));
}

void TdxNavBarNavigationPanePainter::DrawHintWindow(THintWindow* AHintWindow) {
  auto* controller = dynamic_cast<TdxNavBarNavigationPaneController*>(Controller());
  if (controller && IsNavPanePart(controller->HotTrackPart()))
    return DrawOverflowHint(AHintWindow->Canvas(), AHintWindow->ClientRect());
  TdxNavBarOffice3Painter::DrawHintWindow(AHintWindow);
}

// ---- header ------------------------------------------------------------------------------------------------

void TdxNavBarNavigationPanePainter::DoDrawHeader() {
  TdxCustomNavBar* bar = NavBar();
  if (!bar->OptionsView()->NavigationPane()->ShowHeader()) return;
  if (!PaneEventHandled(bar->OnCustomDraw()->NavigationPaneHeader, bar, Canvas(), ViewInfo())) DrawHeader();
}

void TdxNavBarNavigationPanePainter::DrawHeader() {
  DrawHeaderBackground();
  if (!NavBar()->IsCollapsed()) DrawHeaderText();
  if (NavBar()->OptionsBehavior()->NavigationPane()->Collapsible()) DrawHeaderSign();
}

void TdxNavBarNavigationPanePainter::DrawHeaderBackground() {
  TdxNavBarNavigationPaneViewInfo* info = PaneViewInfo();
  TRect r = info->HeaderBounds;
  r.top += 1;
  BackgroundPainterClass()->DrawBackground(cxCanvas(), r, info->PaneHeaderImage(), false, clNone,
                                           info->PaneHeaderBackColor(), info->PaneHeaderBackColor2(),
                                           info->PaneHeaderAlphaBlending(), info->PaneHeaderAlphaBlending2(),
                                           int(info->PaneHeaderGradientMode()));
}

void TdxNavBarNavigationPanePainter::DrawHeaderText() {
  TdxNavBarNavigationPaneViewInfo* info = PaneViewInfo();
  TdxNavBarGroup* group = NavBar()->EffectiveActiveGroup();
  const String text = group && group->Visible() ? group->Caption() : String();
  TRect r = info->HeaderTextBounds;
  r.left += info->HeaderTextIndent();
  TcxCanvas* canvas = cxCanvas();
  canvas->CurrentBrush()->SetStyle(bsClear);
  canvas->UseFont(info->PaneHeaderFont());
  canvas->CurrentFont()->SetColor(info->PaneHeaderFontColor());
  canvas->DrawTextWithEnabledState(text, r, info->PaneHeaderDrawFlags());
}

void TdxNavBarNavigationPanePainter::DrawHeaderSign() {
  TdxNavBarNavigationPaneViewInfo* info = PaneViewInfo();
  const TRect r = info->HeaderSignBounds;
  if (RectHasNoArea(r)) return;
  DrawPartBackground(cxCanvas(), r, PaneState({nppHeaderSign, -1}));
  const TColor color = info->PaneHeaderFontColor();
  TdxNavBarOffice11ExplorerBarSignPainter::Instance()->DrawSign(cxCanvas(), r, color, clNone, clNone,
                                                                NavBar()->IsCollapsed() ? 0 : int(nbisExpanded));
}

// ---- item panel (the collapsed strip) -----------------------------------------------------------------

void TdxNavBarNavigationPanePainter::DrawItemPanel() {
  if (!NavBar()->IsCollapsed()) return;
  TdxNavBarItemPanelViewInfo* panel = PaneViewInfo()->ItemPanel();
  DrawCollapseBar(panel);
  for (int i = 0; i < panel->ItemCount(); ++i) DrawItemPanelItem(panel->Item(i), PaneState({nppStripItem, i}));
}

void TdxNavBarNavigationPanePainter::DrawCollapseBar(TdxNavBarItemPanelViewInfo* APanel) {
  DrawItemPanelBackground(APanel->CollapseBarBounds, PaneState({nppStripCaption, -1}));
  DrawRotatedText(cxCanvas(), APanel->CaptionFont(), APanel->Caption(), APanel->CollapseBarBounds,
                  PaneViewInfo()->CollapsedTextColor());
  if (PartFocused({nppStripCaption, -1})) cxCanvas()->DrawFocusFrame(InflateRectBy(APanel->CollapseBarBounds, -1, -1));
}

void TdxNavBarNavigationPanePainter::DrawItemPanelBackground(const TRect& R, int AState) {
  TcxCanvas* canvas = cxCanvas();
  if (AState != 0) {
    DrawPartBackground(canvas, R, AState);
  } else {
    TdxNavBarNavigationPaneViewInfo* info = PaneViewInfo();
    canvas->FillAreaWithColor(R, BlendColorsPercent(info->GroupHeaderDefaultBackColor(), info->GroupHeaderDefaultBackColor2(), 50));
  }
  canvas->FillAreaWithColor({R.left, R.bottom - 1, R.right, R.bottom}, clBlack);
}

void TdxNavBarNavigationPanePainter::DrawItemPanelItem(TdxNavBarItemPanelViewInfoItem* AItem, int AState) {
  DrawItemPanelBackground(AItem->Bounds, AState);
  DrawRotatedText(cxCanvas(), AItem->Font, AItem->ItemLink->Item()->Caption(), AItem->TextBounds,
                  PaneViewInfo()->CollapsedTextColor());
  ImagePainterClass()->DrawImage(cxCanvas(), AItem->ImageList, AItem->ImageIndex, AItem->ImageBounds, true);
  if (PartFocused({nppStripItem, AItem->Index})) cxCanvas()->DrawFocusFrame(InflateRectBy(AItem->Bounds, -1, -1));
}

// ---- border and size grip -----------------------------------------------------------------------------

void TdxNavBarNavigationPanePainter::DrawBorder() {
  TdxNavBarNavigationPaneViewInfo* info = PaneViewInfo();
  const TRect client{0, 0, info->ClientWidth(), info->ClientHeight()};
  cxCanvas()->DrawFrameBorders(client, info->BorderColor(), info->BorderWidth());
}

void TdxNavBarNavigationPanePainter::PaintSizeGrip(TcxCanvas* ACanvas, const TRect& R) {
  if (RectHasNoArea(R)) return;
  const int border = PaneViewInfo()->BorderWidth();
  const TRect r = OffsetRectBy(R, -border, -border);
  HDC dc = ACanvas->DCHandle();
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ old = SelectObject(dc, pen);
  for (int i = 1; i <= 3; ++i) {
    MoveToEx(dc, r.right - 4 * i, r.bottom - 1, nullptr);
    LineTo(dc, r.right, r.bottom - 4 * i - 1);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

// ---- splitter --------------------------------------------------------------------------------------------

void TdxNavBarNavigationPanePainter::DoDrawSplitter() {
  TdxCustomNavBar* bar = NavBar();
  if (!bar->OptionsView()->NavigationPane()->ShowOverflowPanel()) return;
  if (!PaneEventHandled(bar->OnCustomDraw()->NavigationPaneSplitter, bar, Canvas(), ViewInfo())) DrawSplitter();
}

void TdxNavBarNavigationPanePainter::DrawSplitter() {
  TdxNavBarNavigationPaneViewInfo* info = PaneViewInfo();
  const TRect r = info->SplitterBounds;
  if (RectHasNoArea(r)) return;
  cxCanvas()->FillAreaWithColor({r.left, r.top, r.right, r.top + 1}, clWhite);
  BackgroundPainterClass()->DrawBackground(cxCanvas(), {r.left, r.top + 1, r.right, r.bottom}, nullptr, false, clNone,
                                           info->SplitterBackColor(), info->SplitterBackColor2(),
                                           info->SplitterAlphaBlending(), info->SplitterAlphaBlending2(),
                                           int(info->SplitterGradientMode()));
  DrawSplitterGrip();
}

void TdxNavBarNavigationPanePainter::DrawSplitterGrip() {
  TdxNavBarNavigationPaneViewInfo* info = PaneViewInfo();
  TBitmap* grip = NavPaneBitmap(npbSplitter);
  if (!grip) return;
  const TRect r = CenteredRect(info->SplitterBounds, grip->Width(), grip->Height());
  if (r.left > info->OverflowBounds().left) DrawPaneBitmap(cxCanvas(), grip, {r.left, r.top});
}

// ---- overflow panel ----------------------------------------------------------------------------------------

void TdxNavBarNavigationPanePainter::DoDrawOverflowPanel() {
  TdxCustomNavBar* bar = NavBar();
  if (!bar->OptionsView()->NavigationPane()->ShowOverflowPanel()) return;
  if (!PaneEventHandled(bar->OnCustomDraw()->NavigationPaneOverflowPanel, bar, Canvas(), ViewInfo()))
    DrawOverflowPanel();
}

void TdxNavBarNavigationPanePainter::DrawOverflowPanel() {
  DrawOverflowPanelBackground();
  DrawOverflowPanelSign();
  DrawOverflowPanelItems();
}

void TdxNavBarNavigationPanePainter::DrawOverflowPanelBackground() {
  TdxNavBarNavigationPaneViewInfo* info = PaneViewInfo();
  GroupButtonPainterClass()->DrawButton(cxCanvas(), info->OverflowBounds(), info->GroupHeaderDefaultImage(),
                                        info->GroupHeaderDefaultBackColor(), info->GroupHeaderDefaultBackColor2(),
                                        info->GroupHeaderDefaultAlphaBlending(),
                                        info->GroupHeaderDefaultAlphaBlending2(),
                                        int(info->GroupHeaderDefaultGradientMode()), info->BorderColor(), 0);
}

void TdxNavBarNavigationPanePainter::DrawOverflowPanelSign() {
  TdxNavBarNavigationPaneViewInfo* info = PaneViewInfo();
  TBitmap* sign = NavPaneBitmap(npbOverflow);
  const TRect r = info->OverflowSignBounds();
  if (!sign || r.left <= info->OverflowBounds().left) return;
  DrawPartBackground(cxCanvas(), r, PaneState({nppOverflowSign, -1}));
  const TRect place = CenteredRect(r, sign->Width(), sign->Height());
  DrawPaneBitmap(cxCanvas(), sign, {place.left, place.top});
}

void TdxNavBarNavigationPanePainter::DrawOverflowItemImage(TdxNavBarOverflowPanelViewInfoItem* AItem) {
  TdxNavBarOverflowPanelViewInfo* overflow = PaneViewInfo()->OverflowPanel();
  TCustomImageList* images = overflow->Images();
  const int index = overflow->ImageIndexOf(AItem->Group);
  if (images && index >= 0 && index < images->Count())
    return ImagePainterClass()->DrawImage(cxCanvas(), images, index, AItem->ImageBounds, true);
  const bool small = NavBar()->OptionsView()->NavigationPane()->OverflowPanelUseSmallImages();
  DrawPaneBitmap(cxCanvas(), NavPaneBitmap(small ? npbDefaultSmall : npbDefaultLarge),
                 {AItem->ImageBounds.left, AItem->ImageBounds.top});
}

void TdxNavBarNavigationPanePainter::DrawOverflowPanelItems() {
  TdxNavBarOverflowPanelViewInfo* overflow = PaneViewInfo()->OverflowPanel();
  for (int i = 0; i < overflow->VisibleItemCount; ++i) {
    TdxNavBarOverflowPanelViewInfoItem* item = overflow->Item(i);
    DrawPartBackground(cxCanvas(), item->Bounds, PaneState({nppOverflowItem, i}));
    DrawOverflowItemImage(item);
  }
}

void TdxNavBarNavigationPanePainter::DrawOverflowHint(TCanvas* ACanvas, const TRect& R) {
  TdxCustomNavBar* bar = NavBar();
  TdxNavBarNavigationPaneViewInfo* info = PaneViewInfo();
  auto* controller = dynamic_cast<TdxNavBarNavigationPaneController*>(Controller());
  TdxNavBarGroup* group = nullptr;
  if (controller && controller->HotTrackPart().Major == nppOverflowItem &&
      controller->HotTrackPart().Minor < info->OverflowItemCount())
    group = info->OverflowItem(controller->HotTrackPart().Minor)->Group;
  bool handled = false;
  if (bar->OnCustomDraw()->NavigationPaneOverflowPanelHint)
    bar->OnCustomDraw()->NavigationPaneOverflowPanelHint(bar, ACanvas, group, info->HintText, R, handled);
  if (!handled) DrawHint(ACanvas, R);
}

void TdxNavBarNavigationPanePainter::DrawPopupFrame(TCanvas* ACanvas, TdxNavBarPopupControlViewInfo* APopupViewInfo) {
  TcxCanvas canvas(ACanvas);
  const TRect bounds = APopupViewInfo->Bounds;
  canvas.DrawFrameBorders(bounds, PaneViewInfo()->BorderColor(), 1);
  canvas.PushClipRegion();
  canvas.SubtractFromClip(DeflateRectByMargins(bounds, APopupViewInfo->Margins()));
  canvas.FillAreaWithColor(InflateRectBy(bounds, -1, -1), TColor(0xEEC6A9));
  canvas.PopClipRegion();
}

// ---- the customization menu's items -----------------------------------------------------------------

void TdxNavBarNavigationPanePainter::DrawOverflowMenuItem(TCanvas* ACanvas, const TRect& R, int AState,
                                                          const String& ACaption, int AImageIndex,
                                                          TCustomImageList* AImages) {
  TcxCanvas canvas(ACanvas);
  TdxNavBarNavigationPaneViewInfo* info = PaneViewInfo();
  TdxNavBarOverflowPanelViewInfo* overflow = info->OverflowPanel();
  const TOffice11NavPaneColors colors = Office11NavPaneColors();
  const int padding = overflow->MenuImagePadding();
  const int imageWidth = info->SmallImageWidth();
  TdxNavBarCustomBackgroundPainter::Instance()->DrawBackground(&canvas, R, nullptr, false, clNone, clMenu, clMenu, 255,
                                                               255, gmVertical);
  TRect column{R.left, R.top, R.left + 2 * padding + imageWidth, R.bottom};
  TdxNavBarCustomBackgroundPainter::Instance()->DrawBackground(&canvas, column, nullptr, false, clNone,
                                                               colors.ButtonNormal1, colors.ButtonNormal2, 255, 255,
                                                               gmHorizontal);
  if (ACaption == L"-") {
    const int y = (R.top + R.bottom) / 2;
    canvas.FillAreaWithColor({column.right + column.Width() / 2, y, R.right, y + 1},
                             DarkenColorPercent(colors.ButtonNormal2, 80));
    return;
  }
  column = InflateRectBy(column, -1, -1);
  const TdxNavBarCustomButtonPainter* button = GroupButtonPainterClass();
  const bool selected = AState & 0x20, checked = AState & 1, disabled = AState & 2;
  if (selected) {
    button->DrawButton(&canvas, R, nullptr, colors.ButtonHot1, colors.ButtonHot2, 255, 255, int(gmVertical),
                       colors.Border, 0);
    if (checked)
      button->DrawButton(&canvas, column, nullptr, colors.ButtonActive1, colors.ButtonActive2, 255, 255,
                         int(gmVertical), colors.Border, 0);
  } else if (checked) {
    button->DrawButton(&canvas, column, nullptr, colors.ButtonHot1, colors.ButtonHot1, 255, 255, int(gmVertical),
                       colors.Border, 0);
  }
  if (AImages && AImageIndex >= 0 && AImageIndex < AImages->Count()) {
    const TRect image{column.left + padding, column.top + padding, column.left + padding + AImages->Width(),
                      column.top + padding + AImages->Height()};
    ImagePainterClass()->DrawImage(&canvas, AImages, AImageIndex, image, !disabled);
  }
  TRect text = R;
  text.left = R.left + 2 * padding + imageWidth + overflow->MenuTextIndent();
  canvas.CurrentBrush()->SetStyle(bsClear);
  canvas.CurrentFont()->SetColor(disabled ? clGrayText : clMenuText);
  RECT r = text;
  DrawTextW(ACanvas->Handle(), ACaption.c_str(), int(ACaption.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

// ---- view 13 ---------------------------------------------------------------------------------------

TdxNavBarViewInfo* TdxNavBarOffice11NavPanePainter::CreateViewInfo() { return new TdxNavBarOffice11NavPaneViewInfo(this); }

TdxNavBarGroupViewInfo* TdxNavBarOffice11NavPanePainter::CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo,
                                                                             TdxNavBarGroup* AGroup, bool AItemsVisible,
                                                                             bool ACaptionVisible) {
  return new TdxNavBarOffice11NavPaneGroupViewInfo(AViewInfo, AGroup, AItemsVisible, ACaptionVisible);
}

TdxNavBarButtonPainterClass TdxNavBarOffice11NavPanePainter::ButtonPainterClass() {
  return TdxNavBarOffice11NavPaneButtonPainter::Instance();
}

void StartNavPaneViewsUnit() {
  RegisterView(13, L"Office11NavigationPaneView", &TdxNavBarOffice11NavPanePainter::ClassInfo());
}

void EndNavPaneViewsUnit() { UnregisterView(13); }

namespace {
const TUnitRegistration navPaneViewsUnit(&StartNavPaneViewsUnit, &EndNavPaneViewsUnit);
}  // namespace
