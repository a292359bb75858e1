#include "ui/navbar/NavBarSkinBasedViews.h"

#include <functional>
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarGraphics.h"
#include "ui/navbar/NavBarItems.h"
#include "ui/navbar/skins/GdiPlus.h"
#include "ui/navbar/skins/SkinNames.h"

DEFINE_CLASS(TdxNavBarSkin)
DEFINE_CLASS(TdxNavBarSkinInfo)
DEFINE_CLASS(TdxNavBarSkinBasedPainterHelper)
DEFINE_CLASS(TdxNavBarSkinBasedExplorerBarViewInfo)
DEFINE_CLASS(TdxNavBarSkinBasedExplorerBarGroupViewInfo)
DEFINE_CLASS(TdxNavBarSkinBasedExplorerBarLinkViewInfo)
DEFINE_CLASS(TdxNavBarSkinBasedExplorerBarPainter)

// ---- the skin and its info ------------------------------------------------------------------------

namespace {
int skinLoads = 0;
}  // namespace

int NavBarSkinLoadCount() { return skinLoads; }

void TdxNavBarSkin::LoadFromResource(HINSTANCE Module) {
  ++skinLoads;
  TdxSkin::LoadFromResource(Module);
}

String TdxNavBarSkin::ResourceType() { return SkinName(sdxSkinNavBarResourceType); }

TdxNavBarSkinInfo::TdxNavBarSkinInfo(TdxSkin* Skin) : TdxSkinInfo(nullptr) { SetSkin(Skin); }

void TdxNavBarSkinInfo::InitializeInfo() {
  TdxSkinInfo::InitializeInfo();
  ++lookingUp_;
  struct Done {
    int& count;
    ~Done() { --count; }
  } done{lookingUp_};
  DragDropItemTarget = Take(sgNavBar, sdxSkinNavBarDragDropItemTarget);
  Separator = Take(sgNavBar, sdxSkinNavBarSeparator);
}

// ---- the painter helper ---------------------------------------------------------------------------

TdxNavBarSkinBasedPainterHelper::TdxNavBarSkinBasedPainterHelper(const String& AColorSchemeName)
    : colorSchemeName_(AColorSchemeName) {}

TdxNavBarSkinBasedPainterHelper::~TdxNavBarSkinBasedPainterHelper() {
  OnChanged = nullptr;
  if (skinInfo_) skinInfo_->Free();
}

void TdxNavBarSkinBasedPainterHelper::Changed() {
  if (OnChanged) OnChanged(this);
}

String TdxNavBarSkinBasedPainterHelper::SkinName() { return colorSchemeName_; }

TdxSkinInfo* TdxNavBarSkinBasedPainterHelper::CreateSkinInfo(TdxSkin* Skin) { return new TdxNavBarSkinInfo(Skin); }

bool TdxNavBarSkinBasedPainterHelper::GetSkinInfo(TdxSkinInfo*& AInfo) {
  if (!skinInfo_ && !loadFailed_ && GdiPlusAvailable()) {
    TdxNavBarSkin* skin = new TdxNavBarSkin(SkinName());
    try {
      skin->LoadFromResource(GetModuleHandleW(nullptr));
      skinInfo_ = CreateSkinInfo(skin);
    } catch (...) {
      // Drawing never reports: the views draw without skin until the scheme changes.
      if (!skinInfo_) skin->Free();
      loadFailed_ = true;
    }
  }
  AInfo = skinInfo_;
  return skinInfo_ != nullptr;
}

TdxSkinInfo* TdxNavBarSkinBasedPainterHelper::SkinInfo() {
  TdxSkinInfo* info = nullptr;
  GetSkinInfo(info);
  return info;
}

bool TdxNavBarSkinBasedPainterHelper::HasSkin() { return SkinInfo() != nullptr; }

void TdxNavBarSkinBasedPainterHelper::ApplyColorScheme(const String& Name) {
  if (Name == colorSchemeName_) return;
  if (skinInfo_) {
    TdxSkinInfo* info = skinInfo_;
    skinInfo_ = nullptr;
    info->Free();
  }
  loadFailed_ = false;
  colorSchemeName_ = Name;
  Changed();
}

TdxSkinElement* TdxNavBarSkinBasedPainterHelper::Real(TdxSkinElement* Element) const {
  // The cache stands a placeholder in for an element the skin lacks: that step falls back.
  return Element && Element->UsageMark != kSkinMarkPlaceholder ? Element : nullptr;
}

TdxSkinElement* TdxNavBarSkinBasedPainterHelper::Lookup(TdxSkinGroupKind Group, TdxSkinNameId Name) {
  TdxSkinInfo* info = SkinInfo();
  return info ? Real(info->Element(Group, Name)) : nullptr;
}

TdxSkinElement* TdxNavBarSkinBasedPainterHelper::BackgroundElement() {
  return Lookup(sgNavBar, sdxSkinNavBarBackground);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::DropTargetElement() {
  return Lookup(sgNavBar, sdxSkinNavBarDragDropItemTarget);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::GroupHeaderElement() {
  return Lookup(sgNavBar, sdxSkinNavBarGroupHeader);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::GroupClientElement() {
  return Lookup(sgNavBar, sdxSkinNavBarGroupClient);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::GroupSignElement(bool Expanded) {
  return Lookup(sgNavBar, Expanded ? sdxSkinNavBarGroupCloseButton : sdxSkinNavBarGroupOpenButton);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::ItemElement() { return Lookup(sgNavBar, sdxSkinNavBarItem); }
const TdxSkinScrollInfo* TdxNavBarSkinBasedPainterHelper::ScrollBarPart(int Kind, int Part) {
  TdxSkinInfo* info = SkinInfo();
  return info ? info->ScrollBarPart(Kind, Part) : nullptr;
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::SeparatorElement() {
  return Lookup(sgNavBar, sdxSkinNavBarSeparator);
}
int TdxNavBarSkinBasedPainterHelper::SkinCaptionFontSize() {
  TdxSkinInfo* info = SkinInfo();
  return info && info->NavPaneCaptionFontSize ? info->NavPaneCaptionFontSize->Value() : -1;
}
int TdxNavBarSkinBasedPainterHelper::SkinCaptionHeight() {
  TdxSkinInfo* info = SkinInfo();
  return info && info->NavPaneCaptionHeight ? info->NavPaneCaptionHeight->Value() : -1;
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::GroupButtonElement(bool Selected) {
  return Lookup(sgNavPane, Selected ? sdxSkinNavPaneGroupButtonSelected : sdxSkinNavPaneGroupButton);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::PaneGroupClientElement() {
  return Lookup(sgNavPane, sdxSkinNavPaneGroupClient);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::CaptionElement() { return Lookup(sgNavPane, sdxSkinNavPaneCaption); }
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::HeaderSignElement(bool Expanded) {
  return Lookup(sgNavPane, Expanded ? sdxSkinNavPaneCollapseButton : sdxSkinNavPaneExpandButton);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::PaneItemElement(bool Selected) {
  return Lookup(sgNavPane, Selected ? sdxSkinNavPaneItemSelected : sdxSkinNavPaneItem);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::CollapsedGroupClientElement() {
  return Lookup(sgNavPane, sdxSkinNavPaneCollapsedGroupClient);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::OverflowPanelElement() {
  return Lookup(sgNavPane, sdxSkinNavPaneOverflowPanel);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::OverflowExpandItemElement() {
  return Lookup(sgNavPane, sdxSkinNavPaneOverflowPanelExpandItem);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::OverflowItemElement() {
  return Lookup(sgNavPane, sdxSkinNavPaneOverflowPanelItem);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::MenuElement() { return Lookup(sgBars, sdxSkinBarsPopupMenu); }
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::MenuSelectedElement() {
  return Lookup(sgBars, sdxSkinBarsPopupMenuLinkSelected);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::MenuSeparatorElement() {
  return Lookup(sgBars, sdxSkinBarsPopupMenuSeparator);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::MenuSideStripElement() {
  return Lookup(sgBars, sdxSkinBarsPopupMenuSideStrip);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::ScrollButtonElement(int Index) {
  return Lookup(sgNavPane, Index == 0 ? sdxSkinNavPaneScrollUpButton : sdxSkinNavPaneScrollDownButton);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::SplitterElement() {
  return Lookup(sgNavPane, sdxSkinNavPaneSplitter);
}
TdxSkinElement* TdxNavBarSkinBasedPainterHelper::PopupSizeGripElement() {
  return Lookup(sgNavPane, sdxSkinNavPanePopupSizeGrip);
}

// ---- drawing --------------------------------------------------------------------------------------

bool DrawSkinElement(TdxSkinElement* Element, TcxCanvas* Canvas, const TRect& R, bool WithContentOffsets,
                     TdxSkinElementState State, int ImageIndex) {
  if (!Element) return false;
  HDC dc = Canvas->DCHandle();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, R.left, R.top, R.right, R.bottom);
  TRect target = R;
  if (WithContentOffsets) {
    TRect grow = Element->ContentOffset();
    if (grow.left == 0 && grow.top == 0 && grow.right == 0 && grow.bottom == 0) {
      TdxSkinBorders* borders = Element->Borders();
      grow = {borders->Left()->Thin(), borders->Top()->Thin(), borders->Right()->Thin(), borders->Bottom()->Thin()};
    }
    target = {R.left - grow.left, R.top - grow.top, R.right + grow.right, R.bottom + grow.bottom};
  }
  Element->Draw(dc, target, ImageIndex, State);
  RestoreDC(dc, saved);
  return true;
}

TdxSkinElementState SkinStateOf(int NavBarState) {
  if (NavBarState & nbisPressed) return esPressed;
  if (NavBarState & nbisHot) return esHot;
  if (NavBarState & nbisDisabled) return esDisabled;
  return esNormal;
}

// ---- the skin-based explorer bar ------------------------------------------------------------------

namespace {

TdxNavBarSkinBasedPainterHelper* HelperOf(TdxNavBarPainter* Painter) {
  auto* painter = dynamic_cast<TdxNavBarSkinBasedExplorerBarPainter*>(Painter);
  return painter ? painter->Helper() : nullptr;
}

// The element's text colour when it sets one, else the fallback.
TColor TextColorOr(TdxSkinElement* Element, TColor Fallback) {
  if (!Element) return Fallback;
  const TColor color = Element->TextColor();
  return color == clDefault || color == clNone ? Fallback : color;
}

}  // namespace

TdxNavBarSkinBasedPainterHelper* TdxNavBarSkinBasedExplorerBarViewInfo::Helper() { return HelperOf(Painter()); }

TRect TdxNavBarSkinBasedExplorerBarViewInfo::GroupEdges() {
  TdxNavBarSkinBasedPainterHelper* helper = Helper();
  TdxSkinElement* element = helper ? helper->GroupClientElement() : nullptr;
  return element ? element->ContentOffset() : TdxNavBarOffice11ExplorerBarViewInfo::GroupEdges();
}

TdxNavBarSkinBasedPainterHelper* TdxNavBarSkinBasedExplorerBarGroupViewInfo::Helper() {
  return HelperOf(OwnerViewInfo()->Painter());
}

void TdxNavBarSkinBasedExplorerBarGroupViewInfo::CalculateBounds(int X, int& Y) {
  TdxNavBarOffice11ExplorerBarGroupViewInfo::CalculateBounds(X, Y);
  if (!IsCaptionVisible() || ImageRect.IsEmpty()) return;
  TdxNavBarSkinBasedPainterHelper* helper = Helper();
  TdxSkinElement* header = helper ? helper->GroupHeaderElement() : nullptr;
  if (!header) return;
  const int shift = header->ContentOffset().left;
  ImageRect = OffsetRectBy(ImageRect, shift, 0);
  CaptionTextRect.left += shift;
}

TColor TdxNavBarSkinBasedExplorerBarGroupViewInfo::HeaderFontColor() {
  TdxNavBarSkinBasedPainterHelper* helper = Helper();
  return TextColorOr(helper ? helper->GroupHeaderElement() : nullptr,
                     TdxNavBarOffice11ExplorerBarGroupViewInfo::HeaderFontColor());
}

TdxNavBarSkinBasedPainterHelper* TdxNavBarSkinBasedExplorerBarLinkViewInfo::Helper() {
  return HelperOf(GroupViewInfo()->OwnerViewInfo()->Painter());
}

TColor TdxNavBarSkinBasedExplorerBarLinkViewInfo::FontColor() {
  TdxNavBarSkinBasedPainterHelper* helper = Helper();
  return TextColorOr(helper ? helper->ItemElement() : nullptr, TdxNavBarOffice3LinkViewInfo::FontColor());
}

TdxNavBarSkinBasedExplorerBarPainter::TdxNavBarSkinBasedExplorerBarPainter(TdxCustomNavBar* ANavBar)
    : TdxNavBarOffice11ExplorerBarPainter(ANavBar) {}

TdxNavBarSkinBasedExplorerBarPainter::~TdxNavBarSkinBasedExplorerBarPainter() {
  if (helper_) {
    helper_->OnChanged = nullptr;
    helper_->Free();
  }
}

void TdxNavBarSkinBasedExplorerBarPainter::AfterConstruction() {
  // The helper first: the view info the base makes reads its skin.
  helper_ = CreateHelper();
  helper_->OnChanged = [this](TObject* Sender) { SkinChanged(Sender); };
  TdxNavBarOffice11ExplorerBarPainter::AfterConstruction();
}

TdxNavBarSkinBasedPainterHelper* TdxNavBarSkinBasedExplorerBarPainter::CreateHelper() {
  return HelperClass()(DefaultColorSchemeName());
}

TdxNavBarSkinBasedPainterHelperClass TdxNavBarSkinBasedExplorerBarPainter::HelperClass() {
  return &MakePainterHelper<TdxNavBarSkinBasedPainterHelper>;
}

void TdxNavBarSkinBasedExplorerBarPainter::SkinChanged(TObject*) {
  if (NavBar()) NavBar()->InvalidateAll(nbiRebuild);
}

TdxNavBarViewInfo* TdxNavBarSkinBasedExplorerBarPainter::CreateViewInfo() {
  return new TdxNavBarSkinBasedExplorerBarViewInfo(this);
}
TdxNavBarGroupViewInfo* TdxNavBarSkinBasedExplorerBarPainter::CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo,
                                                                                  TdxNavBarGroup* AGroup,
                                                                                  bool AItemsVisible,
                                                                                  bool ACaptionVisible) {
  return new TdxNavBarSkinBasedExplorerBarGroupViewInfo(AViewInfo, AGroup, AItemsVisible, ACaptionVisible);
}
TdxNavBarLinkViewInfo* TdxNavBarSkinBasedExplorerBarPainter::CreateLinkViewInfo(
    TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink, bool AImageVisible, bool ACaptionVisible) {
  return new TdxNavBarSkinBasedExplorerBarLinkViewInfo(AGroupViewInfo, ALink, AImageVisible, ACaptionVisible);
}

void TdxNavBarSkinBasedExplorerBarPainter::DrawGroupBackground(TdxNavBarGroupViewInfo* AGroup) {
  if (!DrawSkinElement(helper_->GroupClientElement(), cxCanvas(), AGroup->ItemsRect, false, esNormal))
    TdxNavBarOffice11ExplorerBarPainter::DrawGroupBackground(AGroup);
}

void TdxNavBarSkinBasedExplorerBarPainter::DrawGroupBorder(TdxNavBarGroupViewInfo* AGroup) {
  // The group client element draws its own border.
  if (!helper_->GroupClientElement()) TdxNavBarOffice11ExplorerBarPainter::DrawGroupBorder(AGroup);
}

void TdxNavBarSkinBasedExplorerBarPainter::DrawGroupCaptionBackground(TdxNavBarGroupViewInfo* AGroup) {
  if (!DrawSkinElement(helper_->GroupHeaderElement(), cxCanvas(), AGroup->CaptionRect,
                       HeaderUsesContentOffsets(AGroup), SkinStateOf(NavBarStateFlags(AGroup->State()))))
    TdxNavBarOffice11ExplorerBarPainter::DrawGroupCaptionBackground(AGroup);
}

void TdxNavBarSkinBasedExplorerBarPainter::DrawGroupCaptionSign(TdxNavBarGroupViewInfo* AGroup) {
  if (!AGroup->Group()->OptionsExpansion()->ShowExpandButton()) return;
  const int state = NavBarStateFlags(AGroup->State());
  if (!DrawSkinElement(helper_->GroupSignElement((state & nbisExpanded) != 0), cxCanvas(), AGroup->SignRect, false,
                       SkinStateOf(state)))
    TdxNavBarOffice11ExplorerBarPainter::DrawGroupCaptionSign(AGroup);
}

void TdxNavBarSkinBasedExplorerBarPainter::DrawGroupControlSizer(TdxNavBarExplorerBarGroupViewInfo* AGroup) {
  if (!DrawSkinElement(helper_->SplitterElement(), cxCanvas(), AGroup->ControlSizerBounds, true, esNormal))
    TdxNavBarOffice11ExplorerBarPainter::DrawGroupControlSizer(AGroup);
}

void TdxNavBarSkinBasedExplorerBarPainter::DrawSeparator(TdxNavBarLinkViewInfo* ALink) {
  if (!DrawSkinElement(helper_->SeparatorElement(), cxCanvas(), ALink->Rect, false, esNormal))
    TdxNavBarOffice11ExplorerBarPainter::DrawSeparator(ALink);
}

void TdxNavBarSkinBasedExplorerBarPainter::DrawDropTargetLink(TdxNavBarGroupViewInfo* AGroup,
                                                              TdxNavBarLinkViewInfo* ABefore,
                                                              TdxNavBarLinkViewInfo* AAfter) {
  TdxSkinElement* element = helper_->DropTargetElement();
  if (!element || (!ABefore && !AAfter))
    return TdxNavBarOffice11ExplorerBarPainter::DrawDropTargetLink(AGroup, ABefore, AAfter);
  const int height = element->MinSize().cy > 0 ? element->MinSize().cy : DropTargetLinkMarkHeight();
  const TRect r = ABefore ? TRect(ABefore->Rect.left, ABefore->Rect.bottom - height, ABefore->Rect.right,
                                  ABefore->Rect.bottom)
                          : TRect(AAfter->Rect.left, AAfter->Rect.top, AAfter->Rect.right, AAfter->Rect.top + height);
  DrawSkinElement(element, cxCanvas(), r, false, esNormal);
}
