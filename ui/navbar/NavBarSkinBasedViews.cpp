#include "ui/navbar/NavBarSkinBasedViews.h"

#include <functional>
#include <vector>
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarGraphics.h"
#include "ui/navbar/NavBarItems.h"
#include "ui/navbar/NavPaneController.h"
#include "ui/foundation/Graphics.h"
#include "ui/navbar/skins/GdiPlus.h"
#include "ui/navbar/skins/SkinNames.h"

DEFINE_CLASS(TdxNavBarSkin)
DEFINE_CLASS(TdxNavBarSkinInfo)
DEFINE_CLASS(TdxNavBarSkinBasedPainterHelper)
DEFINE_CLASS(TdxNavBarSkinBasedExplorerBarViewInfo)
DEFINE_CLASS(TdxNavBarSkinBasedExplorerBarGroupViewInfo)
DEFINE_CLASS(TdxNavBarSkinBasedExplorerBarLinkViewInfo)
DEFINE_CLASS(TdxNavBarSkinBasedExplorerBarPainter)
DEFINE_CLASS(TdxNavBarSkinBasedNavPaneViewInfo)
DEFINE_CLASS(TdxNavBarSkinBasedNavPaneGroupViewInfo)
DEFINE_CLASS(TdxNavBarSkinBasedNavPaneLinkViewInfo)
DEFINE_CLASS(TdxNavBarSkinBasedOverflowPanelViewInfo)
DEFINE_CLASS(TdxNavBarSkinBasedPopupControlViewInfo)
DEFINE_CLASS(TdxNavBarSkinBasedNavPanePainter)

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
  ReleaseSharedSkinInfo(skinInfo_);
}

void TdxNavBarSkinBasedPainterHelper::Changed() {
  if (OnChanged) OnChanged(this);
}

String TdxNavBarSkinBasedPainterHelper::SkinName() { return colorSchemeName_; }

TdxSkinInfo* TdxNavBarSkinBasedPainterHelper::CreateSkinInfo(TdxSkin* Skin) { return new TdxNavBarSkinInfo(Skin); }

// ---- skin infos shared by the helpers that name the same skin ------------------------------------

namespace {

struct SharedSkinInfo {
  TClass HelperClass;
  String SkinName;
  TdxSkinInfo* Info;
  int References;
};

std::vector<SharedSkinInfo>& SharedSkinInfos() {
  static std::vector<SharedSkinInfo> infos;
  return infos;
}

}  // namespace

TdxSkinInfo* AcquireSharedSkinInfo(TClass AHelperClass, const String& ASkinName) {
  for (SharedSkinInfo& shared : SharedSkinInfos())
    if (shared.HelperClass == AHelperClass && shared.SkinName == ASkinName) {
      ++shared.References;
      return shared.Info;
    }
  return nullptr;
}

void ReleaseSharedSkinInfo(TdxSkinInfo*& AInfo) {
  TdxSkinInfo* info = AInfo;
  AInfo = nullptr;
  if (!info) return;
  std::vector<SharedSkinInfo>& infos = SharedSkinInfos();
  for (auto it = infos.begin(); it != infos.end(); ++it)
    if (it->Info == info) {
      if (--it->References > 0) return;
      infos.erase(it);
      break;
    }
  info->Free();
}

int SharedSkinInfoCount() { return int(SharedSkinInfos().size()); }

bool TdxNavBarSkinBasedPainterHelper::GetSkinInfo(TdxSkinInfo*& AInfo) {
  if (!skinInfo_ && !loadFailed_ && GdiPlusAvailable())
    skinInfo_ = AcquireSharedSkinInfo(ClassType(), SkinName());
  if (!skinInfo_ && !loadFailed_ && GdiPlusAvailable()) {
    TdxNavBarSkin* skin = new TdxNavBarSkin(SkinName());
    try {
      skin->LoadFromResource(GetModuleHandleW(nullptr));
      skinInfo_ = CreateSkinInfo(skin);
      SharedSkinInfos().push_back({ClassType(), SkinName(), skinInfo_, 1});
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
  ReleaseSharedSkinInfo(skinInfo_);
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
  if (auto* pane = dynamic_cast<TdxNavBarSkinBasedNavPanePainter*>(Painter)) return pane->Helper();
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
  if (!DrawSkinDropTarget(helper_->DropTargetElement(), cxCanvas(), ABefore, AAfter, DropTargetLinkMarkHeight()))
    TdxNavBarOffice11ExplorerBarPainter::DrawDropTargetLink(AGroup, ABefore, AAfter);
}

bool DrawSkinDropTarget(TdxSkinElement* Element, TcxCanvas* Canvas, TdxNavBarLinkViewInfo* ABefore,
                        TdxNavBarLinkViewInfo* AAfter, int AFallbackHeight) {
  if (!Element || (!ABefore && !AAfter)) return false;
  const int height = Element->MinSize().cy > 0 ? Element->MinSize().cy : AFallbackHeight;
  const TRect r = ABefore ? TRect(ABefore->Rect.left, ABefore->Rect.bottom - height, ABefore->Rect.right,
                                  ABefore->Rect.bottom)
                          : TRect(AAfter->Rect.left, AAfter->Rect.top, AAfter->Rect.right, AAfter->Rect.top + height);
  return DrawSkinElement(Element, Canvas, r, false, esNormal);
}

// ---- the skin-based navigation pane ------------------------------------------------------------------

TdxSkinElementState SkinStateOfPart(int APartState) {
  static constexpr TdxSkinElementState states[] = {esNormal, esHot, esPressed, esChecked, esHotCheck, esDroppedDown};
  return APartState >= 0 && APartState < 6 ? states[APartState] : esNormal;
}

TdxNavBarSkinBasedPainterHelper* TdxNavBarSkinBasedNavPaneViewInfo::Helper() { return HelperOf(Painter()); }

bool TdxNavBarSkinBasedNavPaneViewInfo::HasSkin() {
  TdxNavBarSkinBasedPainterHelper* helper = Helper();
  return helper && helper->HasSkin();
}

TPoint TdxNavBarSkinBasedNavPaneViewInfo::GroupsOrigin() {
  return HasSkin() ? TPoint{0, 0} : TdxNavBarNavigationPaneViewInfo::GroupsOrigin();
}

TRect TdxNavBarSkinBasedNavPaneViewInfo::GroupEdges() {
  TRect edges = TdxNavBarNavigationPaneViewInfo::GroupEdges();
  edges.left += BorderWidth();
  edges.right += BorderWidth();
  return edges;
}

int TdxNavBarSkinBasedNavPaneViewInfo::SplitterHeight() {
  const int base = TdxNavBarNavigationPaneViewInfo::SplitterHeight();
  return base != 0 && HasSkin() ? 8 : base;
}

int TdxNavBarSkinBasedNavPaneViewInfo::HeaderHeight() {
  const int base = TdxNavBarNavigationPaneViewInfo::HeaderHeight();
  return HasSkin() ? std::max(Helper()->SkinCaptionHeight(), base) : base;
}

TColor TdxNavBarSkinBasedNavPaneViewInfo::BorderColor() {
  TdxSkinElement* background = HasSkin() ? Helper()->BackgroundElement() : nullptr;
  const TColor color = background ? background->Borders()->Left()->Color() : clNone;
  return color == clNone || color == clDefault ? TdxNavBarNavigationPaneViewInfo::BorderColor() : color;
}

TColor TdxNavBarSkinBasedNavPaneViewInfo::PaneHeaderFontColor() {
  return TextColorOr(HasSkin() ? Helper()->CaptionElement() : nullptr,
                     TdxNavBarNavigationPaneViewInfo::PaneHeaderFontColor());
}

TColor TdxNavBarSkinBasedNavPaneViewInfo::CollapsedTextColor() {
  return TextColorOr(HasSkin() ? Helper()->CollapsedGroupClientElement() : nullptr,
                     TdxNavBarNavigationPaneViewInfo::CollapsedTextColor());
}

void TdxNavBarSkinBasedNavPaneViewInfo::AssignNavigationPaneHeaderDefaults() {
  TdxNavBarNavigationPaneViewInfo::AssignNavigationPaneHeaderDefaults();
  const int size = HasSkin() ? Helper()->SkinCaptionFontSize() : -1;
  if (size > 0) DefaultStyle(dsNavigationPaneHeader)->Font()->SetSize(size);
}

TdxNavBarOverflowPanelViewInfo* TdxNavBarSkinBasedNavPaneViewInfo::CreateOverflowPanel() {
  return new TdxNavBarSkinBasedOverflowPanelViewInfo(this);
}

TColor TdxNavBarSkinBasedNavPaneGroupViewInfo::HeaderFontColor() {
  TdxNavBarSkinBasedPainterHelper* helper = HelperOf(OwnerViewInfo()->Painter());
  return TextColorOr(helper && helper->HasSkin() ? helper->GroupButtonElement(false) : nullptr,
                     TdxNavBarNavigationPaneGroupViewInfo::HeaderFontColor());
}

TColor TdxNavBarSkinBasedNavPaneLinkViewInfo::FontColor() {
  TdxNavBarSkinBasedPainterHelper* helper = HelperOf(GroupViewInfo()->OwnerViewInfo()->Painter());
  const bool enabled = !Item() || Item()->Enabled();
  return TextColorOr(enabled && helper && helper->HasSkin() ? helper->PaneItemElement(false) : nullptr,
                     TdxNavBarLinkViewInfo::FontColor());
}

TRect TdxNavBarSkinBasedNavPaneLinkViewInfo::ImageFrameRect() { return InflateRectBy(Rect, -2, 0); }

TRect TdxNavBarSkinBasedOverflowPanelViewInfo::ContentMargins() {
  TdxNavBarSkinBasedPainterHelper* helper = HelperOf(Painter());
  TdxSkinElement* element = helper && helper->HasSkin() ? helper->OverflowPanelElement() : nullptr;
  return element ? element->ContentOffset() : TdxNavBarOverflowPanelViewInfo::ContentMargins();
}

int TdxNavBarSkinBasedOverflowPanelViewInfo::SignWidth() {
  TdxNavBarSkinBasedPainterHelper* helper = HelperOf(Painter());
  TdxSkinElement* element = helper && helper->HasSkin() ? helper->OverflowExpandItemElement() : nullptr;
  return element && element->MinSize().cx > 0 ? int(element->MinSize().cx)
                                               : TdxNavBarOverflowPanelViewInfo::SignWidth();
}

TRect TdxNavBarSkinBasedPopupControlViewInfo::Margins() {
  TdxNavBarSkinBasedPainterHelper* helper = HelperOf(Painter());
  TdxSkinElement* element = helper && helper->HasSkin() ? helper->PopupFrameElement() : nullptr;
  return element ? element->ContentOffset() : TdxNavBarPopupControlViewInfo::Margins();
}

TdxNavBarSkinBasedNavPanePainter::TdxNavBarSkinBasedNavPanePainter(TdxCustomNavBar* ANavBar)
    : TdxNavBarNavigationPanePainter(ANavBar) {}

TdxNavBarSkinBasedNavPanePainter::~TdxNavBarSkinBasedNavPanePainter() {
  if (helper_) {
    helper_->OnChanged = nullptr;
    helper_->Free();
  }
}

void TdxNavBarSkinBasedNavPanePainter::AfterConstruction() {
  // The helper first: the view info the base makes reads its skin.
  helper_ = CreateHelper();
  helper_->OnChanged = [this](TObject* Sender) { SkinChanged(Sender); };
  TdxNavBarNavigationPanePainter::AfterConstruction();
}

TdxNavBarSkinBasedPainterHelper* TdxNavBarSkinBasedNavPanePainter::CreateHelper() {
  return HelperClass()(DefaultColorSchemeName());
}

TdxNavBarSkinBasedPainterHelperClass TdxNavBarSkinBasedNavPanePainter::HelperClass() {
  return &MakePainterHelper<TdxNavBarSkinBasedPainterHelper>;
}

void TdxNavBarSkinBasedNavPanePainter::SkinChanged(TObject*) {
  if (NavBar()) NavBar()->InvalidateAll(nbiRebuild);
}

int TdxNavBarSkinBasedNavPanePainter::SplitterImageIndex() { return NavBar()->IsCollapsed() ? 0 : 1; }

TdxNavBarViewInfo* TdxNavBarSkinBasedNavPanePainter::CreateViewInfo() { return new TdxNavBarSkinBasedNavPaneViewInfo(this); }

TdxNavBarGroupViewInfo* TdxNavBarSkinBasedNavPanePainter::CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo,
                                                                              TdxNavBarGroup* AGroup,
                                                                              bool AItemsVisible,
                                                                              bool ACaptionVisible) {
  return new TdxNavBarSkinBasedNavPaneGroupViewInfo(AViewInfo, AGroup, AItemsVisible, ACaptionVisible);
}

TdxNavBarLinkViewInfo* TdxNavBarSkinBasedNavPanePainter::CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo,
                                                                            TdxNavBarItemLink* ALink,
                                                                            bool AImageVisible, bool ACaptionVisible) {
  return new TdxNavBarSkinBasedNavPaneLinkViewInfo(AGroupViewInfo, ALink, AImageVisible, ACaptionVisible);
}

TdxNavBarPopupControlViewInfo* TdxNavBarSkinBasedNavPanePainter::CreatePopupViewInfo() {
  return new TdxNavBarSkinBasedPopupControlViewInfo(PaneViewInfo());
}

void TdxNavBarSkinBasedNavPanePainter::DrawHeaderBackground() {
  if (!DrawSkinElement(helper_->CaptionElement(), cxCanvas(), PaneViewInfo()->HeaderBounds, false, esNormal))
    TdxNavBarNavigationPanePainter::DrawHeaderBackground();
}

void TdxNavBarSkinBasedNavPanePainter::DrawHeaderSign() {
  if (!DrawSkinElement(helper_->HeaderSignElement(!NavBar()->IsCollapsed()), cxCanvas(),
                       PaneViewInfo()->HeaderSignBounds, false, SkinStateOfPart(PaneState({nppHeaderSign, -1}))))
    TdxNavBarNavigationPanePainter::DrawHeaderSign();
}

void TdxNavBarSkinBasedNavPanePainter::DrawGroupCaptionBackground(TdxNavBarGroupViewInfo* AGroup) {
  const int state = NavBarStateFlags(AGroup->State());
  TRect r = AGroup->CaptionRect;
  r.top -= 1;
  if (!DrawSkinElement(helper_->GroupButtonElement((state & nbisActive) != 0), cxCanvas(), r, false,
                       SkinStateOf(state)))
    TdxNavBarNavigationPanePainter::DrawGroupCaptionBackground(AGroup);
}

void TdxNavBarSkinBasedNavPanePainter::DrawLinkSelection(TdxNavBarLinkViewInfo* ALink) {
  const int state = NavBarStateFlags(ALink->State());
  const TdxSkinElementState skinState = SkinStateOf(state);
  const bool selected = skinState == esNormal && (state & nbisSelected);
  TdxSkinElement* element = helper_->PaneItemElement(selected);
  if (!element) return TdxNavBarNavigationPanePainter::DrawLinkSelection(ALink);
  if (skinState == esNormal && !selected) return;
  DrawSkinElement(element, cxCanvas(), ALink->ImageFrameRect(), false, skinState);
}

void TdxNavBarSkinBasedNavPanePainter::DrawItemPanelBackground(const TRect& R, int AState) {
  if (!DrawSkinElement(helper_->CollapsedGroupClientElement(), cxCanvas(), R, false, SkinStateOfPart(AState)))
    TdxNavBarNavigationPanePainter::DrawItemPanelBackground(R, AState);
}

void TdxNavBarSkinBasedNavPanePainter::DrawOverflowPanelBackground() {
  if (!DrawSkinElement(helper_->OverflowPanelElement(), cxCanvas(), PaneViewInfo()->OverflowBounds(), false, esNormal))
    TdxNavBarNavigationPanePainter::DrawOverflowPanelBackground();
}

void TdxNavBarSkinBasedNavPanePainter::DrawOverflowPanelSign() {
  if (!DrawSkinElement(helper_->OverflowExpandItemElement(), cxCanvas(), PaneViewInfo()->OverflowSignBounds(), false,
                       SkinStateOfPart(PaneState({nppOverflowSign, -1}))))
    TdxNavBarNavigationPanePainter::DrawOverflowPanelSign();
}

void TdxNavBarSkinBasedNavPanePainter::DrawOverflowPanelItems() {
  TdxSkinElement* element = helper_->OverflowItemElement();
  if (!element) return TdxNavBarNavigationPanePainter::DrawOverflowPanelItems();
  TdxNavBarOverflowPanelViewInfo* overflow = PaneViewInfo()->OverflowPanel();
  TdxNavBarGroup* active = NavBar()->EffectiveActiveGroup();
  for (int i = 0; i < overflow->VisibleItemCount; ++i) {
    TdxNavBarOverflowPanelViewInfoItem* item = overflow->Item(i);
    int state = PaneState({nppOverflowItem, i});
    // The active group's icon shows its own image; checked is its normal look.
    if (state == 3) state = 0;
    else if (state == 4) state = 1;
    DrawSkinElement(element, cxCanvas(), item->Bounds, false, SkinStateOfPart(state), item->Group == active ? 1 : 0);
    DrawOverflowItemImage(item);
  }
}

void TdxNavBarSkinBasedNavPanePainter::DrawSplitter() {
  if (!DrawSkinElement(helper_->SplitterElement(), cxCanvas(), PaneViewInfo()->SplitterBounds, false, esNormal,
                       SplitterImageIndex()))
    TdxNavBarNavigationPanePainter::DrawSplitter();
}

void TdxNavBarSkinBasedNavPanePainter::DrawTopScrollButton() {
  TdxNavBarViewInfo* info = ViewInfo();
  const TRect r = info->TopScrollRect();
  if (!DrawSkinElement(helper_->ScrollButtonElement(0), cxCanvas(), r, false,
                       SkinStateOf(info->TopScrollButtonState())))
    return TdxNavBarNavigationPanePainter::DrawTopScrollButton();
  cxCanvas()->SubtractFromClip(r);
}

void TdxNavBarSkinBasedNavPanePainter::DrawBottomScrollButton() {
  TdxNavBarViewInfo* info = ViewInfo();
  const TRect r = info->BottomScrollRect();
  if (!DrawSkinElement(helper_->ScrollButtonElement(1), cxCanvas(), r, false,
                       SkinStateOf(info->BottomScrollButtonState())))
    return TdxNavBarNavigationPanePainter::DrawBottomScrollButton();
  cxCanvas()->SubtractFromClip(r);
}

void TdxNavBarSkinBasedNavPanePainter::DrawSeparator(TdxNavBarLinkViewInfo* ALink) {
  if (!DrawSkinElement(helper_->SeparatorElement(), cxCanvas(), ALink->Rect, false, esNormal))
    TdxNavBarNavigationPanePainter::DrawSeparator(ALink);
}

void TdxNavBarSkinBasedNavPanePainter::DrawDropTargetLink(TdxNavBarGroupViewInfo* AGroup, TdxNavBarLinkViewInfo* ABefore,
                                                          TdxNavBarLinkViewInfo* AAfter) {
  if (!DrawSkinDropTarget(helper_->DropTargetElement(), cxCanvas(), ABefore, AAfter, DropTargetLinkMarkHeight()))
    TdxNavBarNavigationPanePainter::DrawDropTargetLink(AGroup, ABefore, AAfter);
}

void TdxNavBarSkinBasedNavPanePainter::DrawPopupFrame(TCanvas* ACanvas, TdxNavBarPopupControlViewInfo* APopupViewInfo) {
  TdxSkinElement* element = helper_->PopupFrameElement();
  if (!element) return TdxNavBarNavigationPanePainter::DrawPopupFrame(ACanvas, APopupViewInfo);
  TcxCanvas canvas(ACanvas);
  canvas.PushClipRegion();
  canvas.SubtractFromClip(DeflateRectByMargins(APopupViewInfo->Bounds, APopupViewInfo->Margins()));
  DrawSkinElement(element, &canvas, APopupViewInfo->Bounds, false, esNormal);
  canvas.PopClipRegion();
}

void TdxNavBarSkinBasedNavPanePainter::DrawOverflowMenuItem(TCanvas* ACanvas, const TRect& R, int AState,
                                                            const String& ACaption, int AImageIndex,
                                                            TCustomImageList* AImages) {
  TdxSkinElement* menu = helper_->MenuElement();
  TdxSkinElement* selectedElement = helper_->MenuSelectedElement();
  TdxSkinElement* separator = helper_->MenuSeparatorElement();
  TdxSkinElement* strip = helper_->MenuSideStripElement();
  if (!menu || !selectedElement || !separator || !strip)
    return TdxNavBarNavigationPanePainter::DrawOverflowMenuItem(ACanvas, R, AState, ACaption, AImageIndex, AImages);
  const int w = R.Width(), h = R.Height();
  if (w <= 0 || h <= 0) return;
  auto bitmap = std::make_unique<TcxCustomBitmap>(w, h, pf32bit);
  TcxCanvas canvas(bitmap->Canvas());
  const int column = 2 * PaneViewInfo()->OverflowPanel()->MenuImagePadding() + PaneViewInfo()->SmallImageWidth();
  const TRect all{0, 0, w, h};
  const TRect borders{menu->Borders()->Items(0)->Thin(), menu->Borders()->Items(1)->Thin(),
                      menu->Borders()->Items(2)->Thin(), menu->Borders()->Items(3)->Thin()};
  menu->Draw(bitmap->Canvas()->Handle(), {-borders.left, -borders.top, w + borders.right, h + borders.bottom}, 0,
             esNormal);
  DrawSkinElement(strip, &canvas, {0, 0, column + 2, h}, false, esNormal);
  if (ACaption == L"-") {
    DrawSkinElement(separator, &canvas, {column + 4, h / 2, w, h / 2 + 1}, false, esNormal);
  } else {
    const bool selected = AState & 0x20, checked = AState & 1, disabled = AState & 2;
    if (selected) DrawSkinElement(selectedElement, &canvas, all, false, esNormal);
    if (checked) DrawSkinElement(selectedElement, &canvas, {0, 0, column, h}, false, esNormal);
    if (AImages && AImageIndex >= 0 && AImageIndex < AImages->Count()) {
      const int pad = PaneViewInfo()->OverflowPanel()->MenuImagePadding();
      ImagePainterClass()->DrawImage(&canvas, AImages, AImageIndex,
                                     {pad, pad, pad + AImages->Width(), pad + AImages->Height()}, !disabled);
    }
    TCanvas* c = bitmap->Canvas();
    c->SetFont(ACanvas->Font());
    c->Font()->SetColor(disabled ? clGrayText : clMenuText);
    c->Brush()->SetStyle(bsClear);
    RECT text{column + 4, 0, w, h};
    DrawTextW(c->Handle(), ACaption.c_str(), int(ACaption.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  }
  BitBlt(ACanvas->Handle(), R.left, R.top, w, h, bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
}
