#include "ui/navbar/NavPaneViewInfo.h"

#include <algorithm>

#include "platform/framework/graphics/Graphics.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/navbar/NavBarAccessibility.h"
#include "ui/navbar/NavBarGraphics.h"
#include "ui/navbar/NavBarStyles.h"
#include "ui/navbar/NavPaneAccessibility.h"
#include "ui/navbar/NavPanePainter.h"

DEFINE_CLASS(TdxNavBarNavigationPaneCustomViewInfo)
DEFINE_CLASS(TdxNavBarOverflowPanelViewInfo)
DEFINE_CLASS(TdxNavBarItemPanelViewInfo)
DEFINE_CLASS(TdxNavBarPopupControlViewInfo)
DEFINE_CLASS(TdxNavBarNavigationPaneViewInfo)
DEFINE_CLASS(TdxNavBarOffice11NavPaneViewInfo)
DEFINE_CLASS(TdxNavBarNavigationPaneGroupViewInfo)
DEFINE_CLASS(TdxNavBarOffice11NavPaneGroupViewInfo)

namespace {

int LineHeight(TFont* Font) { return ScreenCanvas()->FontLineHeight(Font); }

TRect CenteredIn(const TRect& Area, int Width, int Height) {
  const int left = Area.left + (Area.Width() - Width) / 2;
  const int top = Area.top + (Area.Height() - Height) / 2;
  return {left, top, left + Width, top + Height};
}

bool ListHolds(TCustomImageList* List, int Index) { return List && Index >= 0 && Index < List->Count(); }

void AttachToRoot(TdxCustomNavBar* Bar, IdxNavBarAccessibilityHelper* Helper) {
  if (Helper) Bar->AccessibilityHelper()->AddChildObject(Helper);
}

void DetachFromRoot(TdxCustomNavBar* Bar, IdxNavBarAccessibilityHelper* Helper) {
  if (Helper && !Bar->IsDestroying()) Bar->AccessibilityHelper()->RemoveChildObject(Helper);
}

}  // namespace

bool NavPaneStateColors(int AState, TColor& AColor1, TColor& AColor2) {
  const TOffice11NavPaneColors colors = Office11NavPaneColors();
  switch (AState) {
    case 1: AColor1 = colors.ButtonHot1, AColor2 = colors.ButtonHot2; return true;
    case 2: AColor1 = colors.ButtonActiveHot1, AColor2 = colors.ButtonActiveHot2; return true;
    case 3: AColor1 = colors.ButtonActive1, AColor2 = colors.ButtonActive2; return true;
    case 4:
    case 5: AColor1 = colors.ButtonActiveHot1, AColor2 = colors.ButtonActiveHot2; return true;
    default: return false;
  }
}

// ---- part view infos -------------------------------------------------------------------------------

TdxNavBarNavigationPaneCustomViewInfo::TdxNavBarNavigationPaneCustomViewInfo(TdxNavBarNavigationPaneViewInfo* AViewInfo)
    : viewInfo_(AViewInfo) {}
TdxNavBarPainter* TdxNavBarNavigationPaneCustomViewInfo::Painter() const { return viewInfo_->Painter(); }
TdxCustomNavBar* TdxNavBarNavigationPaneCustomViewInfo::NavBar() const { return viewInfo_->NavBar(); }

TdxNavBarOverflowPanelViewInfo::~TdxNavBarOverflowPanelViewInfo() {
  Clear();
  if (accessibilityHelper_) DetachFromRoot(NavBar(), accessibilityHelper_.get());
  dxNavBarReleaseAccessibilityHelper(accessibilityHelper_);
}

IdxNavBarAccessibilityHelper* TdxNavBarOverflowPanelViewInfo::AccessibilityHelper() {
  if (!accessibilityHelper_)
    accessibilityHelper_ = dxNavBarCreateAccessibilityHelper(AccessibilityHelperClass(), this, NavBar());
  return accessibilityHelper_.get();
}

TdxNavBarAccessibilityHelperClass TdxNavBarOverflowPanelViewInfo::AccessibilityHelperClass() {
  return &TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::ClassInfo();
}

int TdxNavBarOverflowPanelViewInfo::Height() {
  if (!NavBar()->OptionsView()->NavigationPane()->ShowOverflowPanel()) return 0;
  TdxNavBarNavigationPaneViewInfo* info = ViewInfo();
  const int image = info->UniformButtonImageHeight ? std::max(info->MaxButtonImageHeight, ImageHeight()) : ImageHeight();
  return VerticalPadding() + image;
}

void TdxNavBarOverflowPanelViewInfo::ComputeLayout(int X, int Y) {
  if (!NavBar()->OptionsView()->NavigationPane()->ShowOverflowPanel()) return;
  Bounds = {X, Y, ViewInfo()->ClientWidth() - X, Y + Height()};
  const TRect content = DeflateRectByMargins(Bounds, ContentMargins());
  SignBounds = content;
  SignBounds.left = SignBounds.right - SignWidth();
  TRect area;
  if (!NavBar()->IsCollapsed()) {
    area = content;
    area.right = SignBounds.left - SignSpacing();
  }
  const int w = 2 * ItemPadding() + ImageWidth();
  VisibleItemCount = std::min(std::max(int(area.Width()), 0) / w, ItemCount());
  for (int i = 0; i < ItemCount(); ++i) {
    TdxNavBarOverflowPanelViewInfoItem* item = Item(i);
    if (i >= VisibleItemCount) {
      item->Bounds = item->ImageBounds = {};
      continue;
    }
    const int left = area.right - w * VisibleItemCount + w * i;
    item->Bounds = {left, area.top, left + w, area.bottom};
    const int top = area.top + (area.Height() - ImageHeight()) / 2;
    item->ImageBounds = {left + ItemPadding(), top, left + w - ItemPadding(), top + ImageHeight()};
  }
}

void TdxNavBarOverflowPanelViewInfo::Offset(int DY) {
  Bounds = OffsetRectBy(Bounds, 0, DY);
  SignBounds = OffsetRectBy(SignBounds, 0, DY);
  for (auto& item : items_) {
    if (RectIsAllZero(item->Bounds)) continue;
    item->Bounds = OffsetRectBy(item->Bounds, 0, DY);
    item->ImageBounds = OffsetRectBy(item->ImageBounds, 0, DY);
  }
}

int TdxNavBarOverflowPanelViewInfo::ItemAt(const TPoint& P) const {
  for (int i = 0; i < VisibleItemCount; ++i)
    if (RectContainsPoint(items_[size_t(i)]->Bounds, P)) return i;
  return -1;
}

TdxNavBarOverflowPanelViewInfoItem* TdxNavBarOverflowPanelViewInfo::AddItem() {
  items_.insert(items_.begin(), std::make_unique<TdxNavBarOverflowPanelViewInfoItem>());
  return items_.front().get();
}

void TdxNavBarOverflowPanelViewInfo::Clear() {
  items_.clear();
  VisibleItemCount = 0;
}

void TdxNavBarOverflowPanelViewInfo::ClearRects() {
  Bounds = SignBounds = {};
  for (auto& item : items_) item->Bounds = item->ImageBounds = {};
}

int TdxNavBarOverflowPanelViewInfo::ImageHeight() {
  return NavBar()->OptionsView()->NavigationPane()->OverflowPanelUseSmallImages() ? ViewInfo()->SmallImageHeight()
                                                                                  : ViewInfo()->LargeImageHeight();
}

int TdxNavBarOverflowPanelViewInfo::ImageWidth() {
  return NavBar()->OptionsView()->NavigationPane()->OverflowPanelUseSmallImages() ? ViewInfo()->SmallImageWidth()
                                                                                  : ViewInfo()->LargeImageWidth();
}

TCustomImageList* TdxNavBarOverflowPanelViewInfo::Images() {
  TdxNavBarImageOptions* images = NavBar()->OptionsImage();
  return NavBar()->OptionsView()->NavigationPane()->OverflowPanelUseSmallImages() ? images->SmallImages()
                                                                                  : images->LargeImages();
}

int TdxNavBarOverflowPanelViewInfo::ImageIndexOf(TdxNavBarGroup* AGroup) {
  return NavBar()->OptionsView()->NavigationPane()->OverflowPanelUseSmallImages() ? AGroup->SmallImageIndex()
                                                                                  : AGroup->LargeImageIndex();
}

TdxNavBarItemPanelViewInfo::TdxNavBarItemPanelViewInfo(TdxNavBarNavigationPaneViewInfo* AViewInfo)
    : TdxNavBarNavigationPaneCustomViewInfo(AViewInfo) {}

TdxNavBarItemPanelViewInfo::~TdxNavBarItemPanelViewInfo() {
  if (accessibilityHelper_) DetachFromRoot(NavBar(), accessibilityHelper_.get());
  dxNavBarReleaseAccessibilityHelper(accessibilityHelper_);
}

IdxNavBarAccessibilityHelper* TdxNavBarItemPanelViewInfo::AccessibilityHelper() {
  if (!accessibilityHelper_)
    accessibilityHelper_ = dxNavBarCreateAccessibilityHelper(AccessibilityHelperClass(), this, NavBar());
  return accessibilityHelper_.get();
}

TdxNavBarAccessibilityHelperClass TdxNavBarItemPanelViewInfo::AccessibilityHelperClass() {
  return &TdxNavBarItemPanelAccessibilityHelper::ClassInfo();
}

String TdxNavBarItemPanelViewInfo::Caption() { return dxNavBarResourceString(sdxNavPaneCaption); }
TFont* TdxNavBarItemPanelViewInfo::CaptionFont() { return ViewInfo()->PaneHeaderFont(); }
TFont* TdxNavBarItemPanelViewInfo::ItemFont() { return NavBar()->DefaultStyles()->Item()->Font(); }

int TdxNavBarItemPanelViewInfo::MinimumHeight() {
  if (Collapsed) return TextWidthForFont(CaptionFont(), Caption()) + 2 * ScaleValue(4);
  return ViewInfo()->ActiveGroupMinItemsHeight();
}

void TdxNavBarItemPanelViewInfo::ComputeLayout(int& X, int& Y) {
  if (!ActiveGroupViewInfo || Collapsed) {
    Bounds = {X, Y, ViewInfo()->ClientWidth() - X, Y + MinimumHeight()};
    Y = Bounds.bottom;
  } else {
    ActiveGroupViewInfo->CalculateBounds(X, Y);
    Bounds = ActiveGroupViewInfo->Rect;
  }
  if (Collapsed) {
    CollapseBarBounds = Bounds;
    LayoutItems();
  } else {
    CollapseBarBounds = {};
  }
}

void TdxNavBarItemPanelViewInfo::LayoutItems() {
  const int padding = ScaleValue(4);
  int top = CollapseBarBounds.bottom;
  for (auto& item : items_) {
    const int textHeight = TextWidthForFont(item->Font, item->ItemLink->Item()->Caption()) + 2 * padding;
    item->TextBounds = {Bounds.left, top, Bounds.right, top + textHeight};
    const bool image = ListHolds(item->ImageList, item->ImageIndex);
    const int w = image ? item->ImageList->Width() : 0, h = image ? item->ImageList->Height() : 0;
    item->ImageBounds =
        CenteredIn({Bounds.left, item->TextBounds.bottom, Bounds.right, item->TextBounds.bottom + h}, w, h);
    item->Bounds = {Bounds.left, top, Bounds.right, item->TextBounds.bottom + h + (image ? padding : 0)};
    top = item->Bounds.bottom;
  }
}

void TdxNavBarItemPanelViewInfo::Grow(int DY) {
  Bounds.bottom += DY;
  if (!Collapsed) {
    if (ActiveGroupViewInfo) ActiveGroupViewInfo->AdjustBounds(0, DY);
  } else {
    int rest = DY;
    size_t kept = 0;
    while (kept < items_.size() && items_[kept]->Bounds.Height() <= rest) rest -= items_[kept++]->Bounds.Height();
    items_.resize(kept);
    CollapseBarBounds.bottom += rest;
    for (auto& item : items_) {
      item->Bounds = OffsetRectBy(item->Bounds, 0, rest);
      item->TextBounds = OffsetRectBy(item->TextBounds, 0, rest);
      item->ImageBounds = OffsetRectBy(item->ImageBounds, 0, rest);
    }
  }
  if (auto* helper = dynamic_cast<TdxNavBarItemCollectionAccessibilityHelper*>(
          accessibilityHelper_ ? accessibilityHelper_->NavBarHelperObject() : nullptr))
    helper->UpdateItemHelpers(ItemCount());
}

int TdxNavBarItemPanelViewInfo::ItemAt(const TPoint& P) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (RectContainsPoint(items_[i]->Bounds, P)) return int(i);
  return -1;
}

void TdxNavBarItemPanelViewInfo::FillItems() {
  items_.clear();
  if (!Collapsed || !CollapsedGroup) return;
  for (int i = 0; i < CollapsedGroup->LinkCount(); ++i) {
    TdxNavBarItemLink* link = CollapsedGroup->LinkAt(i);
    if (!link->Item() || !link->Item()->Visible()) continue;
    auto item = std::make_unique<TdxNavBarItemPanelViewInfoItem>();
    item->Index = int(items_.size());
    item->ItemLink = link;
    item->Font = ItemFont();
    item->ImageList = NavBar()->OptionsImage()->SmallImages();
    item->ImageIndex = link->Item()->SmallImageIndex();
    items_.push_back(std::move(item));
  }
}

// ---- the popup's view info ----------------------------------------------------------------------------

void TdxNavBarPopupControlViewInfo::ComputeLayout(int AWidth) {
  const TRect margins = Margins();
  TdxNavBarGroup* group = NavBar()->EffectiveActiveGroup();
  int height = 0;
  bool hostsControl = false;
  if (group) {
    TdxNavBarGroupViewInfo* info = Painter()->CreateGroupViewInfo(ViewInfo(), group, true, false);
    info->RecreateLinks();
    int y = 0;
    info->CalculateBounds(0, y);
    height = info->Rect.Height();
    hostsControl = info->ShownControl() != nullptr;
    info->Free();
  }
  Bounds = {0, 0, AWidth + margins.left + margins.right, height + margins.top + margins.bottom};
  if (hostsControl || MaxHeight() < Bounds.Height()) Bounds.bottom = MaxHeight();
}

TPoint TdxNavBarPopupControlViewInfo::Origin() {
  TdxCustomNavBar* bar = NavBar();
  const TPoint p{bar->Width() - ViewInfo()->BorderWidth(), ViewInfo()->HeaderBounds.Height() - 1};
  return bar->HandleAllocated() ? bar->ClientToScreen(p) : p;
}

int TdxNavBarPopupControlViewInfo::MaxHeight() {
  const TRect margins = Margins();
  // The active group may have no view info here (a collapsed pane shows its button, or not even
  // that): the base minimum of room for both scroll buttons holds then.
  TdxNavBarNavigationPaneViewInfo* info = ViewInfo();
  const int items = std::max(info->ActiveGroupMinItemsHeight(),
                             2 * info->ScrollButtonHeight() + 3 * info->ScrollButtonVertIndent());
  const int floor = margins.top + margins.bottom + items;
  return std::max(ViewInfo()->ClientHeight() - 2 * ViewInfo()->HeaderHeight(), floor);
}

int TdxNavBarPopupControlViewInfo::MinimumWidth() {
  const TRect margins = Margins();
  return margins.left + ViewInfo()->MinExpandedWidth() + margins.right;
}

bool TdxNavBarPopupControlViewInfo::IsOnSizingEdge(const TPoint& P) { return P.x >= Bounds.Width() - Margins().right; }

// ---- the pane's view info -------------------------------------------------------------------------------

TdxNavBarNavigationPaneViewInfo::TdxNavBarNavigationPaneViewInfo(TdxNavBarPainter* APainter)
    : TdxNavBarOffice3ViewInfo(APainter) {
  menuImages_ = new TImageList(NavBar());
  customizeMenu_ = new TPopupMenu(NavBar());
  customizeMenu_->SetOwnerDraw(true);
}

TdxNavBarNavigationPaneViewInfo::~TdxNavBarNavigationPaneViewInfo() {
  TdxCustomNavBar* bar = NavBar();
  DetachFromRoot(bar, activeCaptionPanelHelper_.get());
  DetachFromRoot(bar, headerSignHelper_.get());
  dxNavBarReleaseAccessibilityHelper(activeCaptionPanelHelper_);
  dxNavBarReleaseAccessibilityHelper(headerSignHelper_);
  // Group view infos refer to nothing of the parts; the parts go before the base frees them.
  customizeMenu_->Free();
  menuImages_->Free();
  FreeAndNil(itemPanel_);
  FreeAndNil(overflowPanel_);
}

void TdxNavBarNavigationPaneViewInfo::EnsureParts() {
  if (itemPanel_) return;
  TdxCustomNavBar* bar = NavBar();
  itemPanel_ = new TdxNavBarItemPanelViewInfo(this);
  overflowPanel_ = CreateOverflowPanel();
  AttachToRoot(bar, itemPanel_->AccessibilityHelper());
  AttachToRoot(bar, ActiveCaptionPanelHelper());
  AttachToRoot(bar, HeaderSignHelper());
  AttachToRoot(bar, overflowPanel_->AccessibilityHelper());
}

TdxNavBarOverflowPanelViewInfo* TdxNavBarNavigationPaneViewInfo::OverflowPanel() {
  EnsureParts();
  return overflowPanel_;
}

TdxNavBarItemPanelViewInfo* TdxNavBarNavigationPaneViewInfo::ItemPanel() {
  EnsureParts();
  return itemPanel_;
}

TdxNavBarOverflowPanelViewInfo* TdxNavBarNavigationPaneViewInfo::CreateOverflowPanel() {
  return new TdxNavBarOverflowPanelViewInfo(this);
}

IdxNavBarAccessibilityHelper* TdxNavBarNavigationPaneViewInfo::ActiveCaptionPanelHelper() {
  if (!activeCaptionPanelHelper_)
    activeCaptionPanelHelper_ = dxNavBarCreateAccessibilityHelper(ActiveCaptionPanelHelperClass(), this, NavBar());
  return activeCaptionPanelHelper_.get();
}

IdxNavBarAccessibilityHelper* TdxNavBarNavigationPaneViewInfo::HeaderSignHelper() {
  if (!headerSignHelper_)
    headerSignHelper_ = dxNavBarCreateAccessibilityHelper(HeaderSignHelperClass(), this, NavBar());
  return headerSignHelper_.get();
}

TdxNavBarAccessibilityHelperClass TdxNavBarNavigationPaneViewInfo::ActiveCaptionPanelHelperClass() {
  return &TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper::ClassInfo();
}

TdxNavBarAccessibilityHelperClass TdxNavBarNavigationPaneViewInfo::HeaderSignHelperClass() {
  return &TdxNavBarNavigationPaneHeaderSignAccessibilityHelper::ClassInfo();
}

void TdxNavBarNavigationPaneViewInfo::CreateColors() {
  if (colorsHeld_) return;
  AcquireNavPaneBitmaps();
  colorsHeld_ = true;
}
void TdxNavBarNavigationPaneViewInfo::RefreshColors() { RefreshNavPaneBitmaps(); }
void TdxNavBarNavigationPaneViewInfo::ReleaseColors() {
  if (!colorsHeld_) return;
  colorsHeld_ = false;
  ReleaseNavPaneBitmaps();
}

TRect TdxNavBarNavigationPaneViewInfo::GroupEdges() {
  TRect edges = TdxNavBarOffice3ViewInfo::GroupEdges();
  TdxCustomNavBar* bar = NavBar();
  TdxNavBarNavigationPaneViewOptions* options = bar->OptionsView()->NavigationPane();
  if (!options->ShowHeader()) edges.top += BorderWidth();
  if (!options->ShowOverflowPanel() && !bar->ShowGroupCaptions()) edges.bottom += BorderWidth();
  return edges;
}

int TdxNavBarNavigationPaneViewInfo::HeaderHeight() {
  return 8 + std::max(LineHeight(PaneHeaderFont()), int(GroupSignSize().cy));
}

int TdxNavBarNavigationPaneViewInfo::SizeGripSize() { return NavBar()->IsPopupNavBar() ? 15 : 0; }

int TdxNavBarNavigationPaneViewInfo::SplitterHeight() {
  return NavBar()->OptionsView()->NavigationPane()->ShowOverflowPanel() ? 7 : 0;
}

TColor TdxNavBarNavigationPaneViewInfo::BorderColor() { return Office11NavPaneColors().Border; }

int TdxNavBarNavigationPaneViewInfo::CollapsedWidth() {
  TdxNavBarOverflowPanelViewInfo* overflow = OverflowPanel();
  const TRect margins = overflow->ContentMargins();
  const TRect signMargins = HeaderSignMargins();
  const int width = std::max({int(margins.left + overflow->SignWidth() + margins.right),
                              2 * GroupImageIndent() + MaxButtonImageWidth,
                              int(signMargins.left + HeaderSignBounds.Width() + signMargins.right)});
  return width + 2 * GroupsOrigin().x;
}

void TdxNavBarNavigationPaneViewInfo::DeleteGroupInfo(int AIndex) { ExtractGroupInfo(AIndex)->Free(); }

void TdxNavBarNavigationPaneViewInfo::CreateGroupInfos() {
  TdxCustomNavBar* bar = NavBar();
  TdxNavBarGroup* active = bar->EffectiveActiveGroup();
  if (!bar->IsCollapsed() && active) {
    TdxNavBarGroupViewInfo* info = Painter()->CreateGroupViewInfo(this, active, true, false);
    AddGroupInfo(info);
    info->RecreateLinks();
  }
  firstButtonIndex_ = GroupCount();
  if (bar->OptionsView()->NavigationPane()->ShowOverflowPanel() || bar->ShowGroupCaptions()) {
    for (int i = 0; i < bar->Groups()->Count(); ++i) {
      TdxNavBarGroup* group = bar->Groups()->GroupAt(i);
      if (!group->Visible()) continue;
      TdxNavBarGroupViewInfo* info = Painter()->CreateGroupViewInfo(this, group, false, true);
      AddGroupInfo(info);
      info->RecreateLinks();
    }
  }
  // The focus on the active group's own caption panel moves to the pane's stand-in for it.
  if (active && bar->FocusedObject() && bar->FocusedObject()->NavBarHelperObject() ==
                                            (active->CaptionPanelAccessibilityObject()
                                                 ? active->CaptionPanelAccessibilityObject()->NavBarHelperObject()
                                                 : nullptr))
    bar->SetFocusedObject(ActiveCaptionPanelHelper());
}

void TdxNavBarNavigationPaneViewInfo::RecreateInfos() {
  TdxNavBarOffice3ViewInfo::RecreateInfos();
  TdxCustomNavBar* bar = NavBar();
  MoveGroupsToOverflow(bar->ShowGroupCaptions() ? bar->HiddenGroupCount() : 0, true);
  TdxNavBarItemPanelViewInfo* panel = ItemPanel();
  panel->ActiveGroupViewInfo = GroupCount() > 0 && firstButtonIndex_ == 1 ? GroupAt(0) : nullptr;
  panel->Collapsed = bar->IsCollapsed();
  panel->CollapsedGroup = bar->EffectiveActiveGroup();
  panel->FillItems();
}

void TdxNavBarNavigationPaneViewInfo::MoveGroupsToOverflow(int ACount, bool AClearFirst) {
  TdxNavBarOverflowPanelViewInfo* overflow = OverflowPanel();
  if (AClearFirst) overflow->Clear();
  if (!NavBar()->OptionsView()->NavigationPane()->ShowOverflowPanel()) return;
  while (overflow->ItemCount() < ACount && ButtonCount() > 0) {
    const int last = GroupCount() - 1;
    overflow->AddItem()->Group = GroupAt(last)->Group();
    DeleteGroupInfo(last);
  }
}

void TdxNavBarNavigationPaneViewInfo::ClearRects() {
  TdxNavBarOffice3ViewInfo::ClearRects();
  SizeGripBounds = HeaderBounds = HeaderSignBounds = HeaderTextBounds = SplitterBounds = {};
  OverflowPanel()->ClearRects();
  ItemPanel()->Bounds = ItemPanel()->CollapseBarBounds = {};
}

void TdxNavBarNavigationPaneViewInfo::MeasureButtonImages() {
  TdxNavBarOverflowPanelViewInfo* overflow = OverflowPanel();
  MaxButtonImageWidth = overflow->ImageWidth();
  MaxButtonImageHeight = overflow->ImageHeight();
  UniformButtonImageHeight = false;
  TdxNavBarGroups* groups = NavBar()->Groups();
  int first = -1;
  bool uniform = groups->Count() > 0;
  for (int i = 0; i < groups->Count(); ++i) {
    TdxNavBarGroupViewInfo* info = Painter()->CreateGroupViewInfo(this, groups->GroupAt(i), false, true);
    const int w = info->ImageWidth(), h = info->ImageHeight();
    info->Free();
    if (first < 0) first = h;
    uniform = uniform && h == first;
    MaxButtonImageWidth = std::max(MaxButtonImageWidth, w);
    MaxButtonImageHeight = std::max(MaxButtonImageHeight, h);
  }
  UniformButtonImageHeight = uniform;
}

void TdxNavBarNavigationPaneViewInfo::CalculateHeader(int X, int& Y) {
  if (!NavBar()->OptionsView()->NavigationPane()->ShowHeader()) {
    HeaderTextBounds = HeaderSignBounds = {};
    return;
  }
  HeaderBounds = {X, Y, ClientWidth() - X, Y + HeaderHeight()};
  HeaderTextBounds = DeflateRectByMargins(HeaderBounds, HeaderTextMargins());
  if (NavBar()->OptionsBehavior()->NavigationPane()->Collapsible()) {
    const TRect margins = HeaderSignMargins();
    const TSize sign = GroupSignSize();
    TRect area = HeaderTextBounds;
    area.right -= margins.right;
    area.left = area.right - sign.cx;
    HeaderTextBounds.right = area.left - margins.left;
    HeaderSignBounds = CenteredIn(area, sign.cx, sign.cy);
  } else {
    HeaderSignBounds = {};
  }
  Y = HeaderBounds.bottom + SpaceBetweenGroups();
}

void TdxNavBarNavigationPaneViewInfo::CalculateSplitter(int X, int& Y) {
  if (!NavBar()->OptionsView()->NavigationPane()->ShowOverflowPanel()) return;
  SplitterBounds = {X, Y, ClientWidth() - X, Y + SplitterHeight()};
  Y = SplitterBounds.bottom + SpaceBetweenGroups();
}

void TdxNavBarNavigationPaneViewInfo::CalculateGroupsBounds(int X, int Y) {
  MeasureButtonImages();
  CalculateHeader(X, Y);
  ItemPanel()->ComputeLayout(X, Y);
  CalculateSplitter(X, Y);
  for (int i = firstButtonIndex_; i < GroupCount(); ++i) GroupAt(i)->CalculateBounds(X, Y);
}

void TdxNavBarNavigationPaneViewInfo::FitGroups() {
  TdxCustomNavBar* bar = NavBar();
  TdxNavBarOverflowPanelViewInfo* overflow = OverflowPanel();
  TdxNavBarItemPanelViewInfo* panel = ItemPanel();
  const int available = ClientHeight() - overflow->Height() - (ButtonCount() == 0 ? SplitterHeight() : 0);
  const int used = GroupCount() > 0 ? int(GroupAt(GroupCount() - 1)->Rect.bottom)
                                    : panel->MinimumHeight() + int(HeaderBounds.bottom);
  int free = available - used;
  const int minimum = panel->MinimumHeight(), height = panel->Bounds.Height();
  int shortfall = 0;
  if (free < minimum - height) {
    shortfall = minimum - height - free;
    free = minimum - height;
  }
  if (bar->OptionsView()->NavigationPane()->ShowOverflowPanel()) {
    int target = bar->HiddenGroupCount();
    if (!bar->ShowGroupCaptions()) {
      target = GroupCount() - 1;
    } else if (shortfall > 0) {
      for (int i = GroupCount() - 1; i >= firstButtonIndex_ && shortfall > 0; --i) {
        shortfall -= GroupAt(i)->Rect.Height();
        ++target;
      }
      free -= shortfall;
    }
    MoveGroupsToOverflow(target, false);
    const int y = ButtonCount() > 0 && bar->ShowGroupCaptions() ? int(GroupAt(GroupCount() - 1)->Rect.bottom)
                                                                 : int(SplitterBounds.bottom);
    overflow->ComputeLayout(SplitterBounds.left, y);
  }
  panel->Grow(free);
  for (int i = firstButtonIndex_; i < GroupCount(); ++i) GroupAt(i)->Offset(0, free);
  if (!RectIsAllZero(SplitterBounds)) SplitterBounds = OffsetRectBy(SplitterBounds, 0, free);
  if (!RectIsAllZero(overflow->Bounds)) overflow->Offset(free);
  CalculateScrollButtonRects();
  CalculateSizeGrip();
}

void TdxNavBarNavigationPaneViewInfo::CalculateScrollButtonRects() {
  // Only the client view info scrolls.
  if (firstButtonIndex_ == 1) TdxNavBarOffice3ViewInfo::CalculateScrollButtonRects();
}

void TdxNavBarNavigationPaneViewInfo::CalculateSizeGrip() {
  const int size = SizeGripSize();
  SizeGripBounds = {ClientWidth() - size, ClientHeight() - size, ClientWidth(), ClientHeight()};
  if (size == 0) SizeGripBounds = {};
}

bool TdxNavBarNavigationPaneViewInfo::IsOverflowSignAt(const TPoint& P) {
  return RectContainsPoint(OverflowPanel()->SignBounds, P);
}

int TdxNavBarNavigationPaneViewInfo::ThresholdDistance() {
  const int first = ButtonCount() > 0 ? int(GroupAt(firstButtonIndex_)->Rect.Height()) : 20;
  return SplitterBounds.Height() / 2 + first;
}

bool TdxNavBarNavigationPaneViewInfo::IsAboveShrinkThreshold(const TPoint& P) {
  const int centre = (SplitterBounds.top + SplitterBounds.bottom) / 2;
  return centre - P.y > ThresholdDistance();
}

bool TdxNavBarNavigationPaneViewInfo::IsBelowGrowThreshold(const TPoint& P) {
  const int centre = (SplitterBounds.top + SplitterBounds.bottom) / 2;
  return P.y - centre > ThresholdDistance();
}

IdxNavBarAccessibilityHelper* TdxNavBarNavigationPaneViewInfo::AccessibilityHelperOfPart(const TdxNavBarPartRef& APart) {
  auto itemOf = [](IdxNavBarAccessibilityHelper* AOwner, int AIndex) -> IdxNavBarAccessibilityHelper* {
    auto* owner = dynamic_cast<TdxNavBarItemCollectionAccessibilityHelper*>(AOwner->NavBarHelperObject());
    return owner ? owner->ItemHelper(AIndex) : nullptr;
  };
  switch (APart.Major) {
    case nppOverflowSign:
      return static_cast<TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper*>(
                 OverflowPanel()->AccessibilityHelper()->NavBarHelperObject())
          ->SignHelper();
    case nppOverflowItem: return itemOf(OverflowPanel()->AccessibilityHelper(), APart.Minor);
    case nppHeaderSign: return HeaderSignHelper();
    case nppStripItem: return itemOf(ItemPanel()->AccessibilityHelper(), APart.Minor);
    case nppStripCaption:
      return static_cast<TdxNavBarItemPanelAccessibilityHelper*>(ItemPanel()->AccessibilityHelper()->NavBarHelperObject())
          ->CollapseBarHelper();
    default: return nullptr;
  }
}

TdxNavBarGroup* TdxNavBarNavigationPaneViewInfo::GroupOfAccel(Word AKey) {
  if (TdxNavBarGroup* group = TdxNavBarOffice3ViewInfo::GroupOfAccel(AKey)) return group;
  TdxCustomNavBar* bar = NavBar();
  if (!bar->OptionsView()->NavigationPane()->ShowOverflowPanel() || bar->IsCollapsed()) return nullptr;
  for (int i = 0; i < OverflowItemCount(); ++i)
    if (IsAccel(AKey, OverflowItem(i)->Group->Caption())) return OverflowItem(i)->Group;
  return nullptr;
}

TdxNavBarItemLink* TdxNavBarNavigationPaneViewInfo::LinkOfAccel(Word AKey) {
  if (TdxNavBarItemLink* link = TdxNavBarOffice3ViewInfo::LinkOfAccel(AKey)) return link;
  TdxNavBarItemPanelViewInfo* panel = ItemPanel();
  for (int i = 0; i < panel->ItemCount(); ++i) {
    TdxNavBarItemLink* link = panel->Item(i)->ItemLink;
    if (link->Item() && IsAccel(AKey, link->Item()->Caption())) return link;
  }
  return nullptr;
}

TdxNavBarGroupViewInfo* TdxNavBarNavigationPaneViewInfo::GroupAtItems(const TPoint& P) {
  TdxNavBarGroupViewInfo* info = TdxNavBarOffice3ViewInfo::GroupAtItems(P);
  if (info && firstButtonIndex_ == 1 && info == GroupAt(0) && NavBar()->IsDragging() && NavBar()->DragGroup())
    return nullptr;
  return info;
}

int TdxNavBarNavigationPaneViewInfo::DropTargetAt(const TPoint& P, TdxNavBarGroup*& AGroup, TdxNavBarItemLink*& ANext,
                                                  TdxNavBarItemLink*& APrevious) {
  const int result = TdxNavBarOffice3ViewInfo::DropTargetAt(P, AGroup, ANext, APrevious);
  if (result < 0 || firstButtonIndex_ != 1 || !AGroup || AGroup != NavBar()->EffectiveActiveGroup()) return result;
  TdxNavBarGroupViewInfo* target = GroupAtCaption(P);
  if (!target || IndexOf(target) < firstButtonIndex_) return result;
  // A drop on the active group's button inserts at the top of its links.
  TdxNavBarGroupViewInfo* client = GroupAt(0);
  AGroup = client->Group();
  APrevious = nullptr;
  ANext = client->LinkCount() > 0 ? client->LinkAt(0)->Link() : nullptr;
  return 0;
}

// ---- default styles ------------------------------------------------------------------------------------

void TdxNavBarNavigationPaneViewInfo::AssignBackgroundDefaults() { AssignNavPaneColorSetDefault(dsBackground); }

void TdxNavBarNavigationPaneViewInfo::AssignButtonDefaults() { AssignNavPaneColorSetDefault(dsButton); }

void TdxNavBarNavigationPaneViewInfo::AssignGroupBackgroundDefaults() { AssignNavPaneColorSetDefault(dsGroupBackground); }

void TdxNavBarNavigationPaneViewInfo::AssignGroupHeaderDefaults() { AssignNavPaneColorSetDefault(dsGroupHeader); }

void TdxNavBarNavigationPaneViewInfo::AssignItemDefaults() {
  TdxNavBarDefaultStyle* style = DefaultStyle(dsItem);
  style->ResetValues();
  style->Font()->SetColor(clWindowText);
  style->SetHAlignment(haCenter);
}

void TdxNavBarNavigationPaneViewInfo::AssignItemDisabledDefaults() {
  CopyStyle(dsItemDisabled, dsItem);
  DefaultStyle(dsItemDisabled)->Font()->SetColor(clGrayText);
}

void TdxNavBarNavigationPaneViewInfo::AssignNavigationPaneHeaderDefaults() { AssignNavPaneColorSetDefault(dsNavigationPaneHeader); }

// ---- colours: clNone becomes the navigation-pane colour set ------------------------------------------

namespace {
TColor Or(TColor Own, TColor Fallback) { return Own == clNone ? Fallback : Own; }
}  // namespace

TColor TdxNavBarNavigationPaneViewInfo::PaneHeaderBackColor() {
  return Or(TdxNavBarOffice3ViewInfo::PaneHeaderBackColor(), Office11NavPaneColors().Header1);
}
TColor TdxNavBarNavigationPaneViewInfo::PaneHeaderBackColor2() {
  return Or(TdxNavBarOffice3ViewInfo::PaneHeaderBackColor2(), Office11NavPaneColors().Header2);
}
TColor TdxNavBarNavigationPaneViewInfo::PaneHeaderFontColor() {
  return Or(TdxNavBarOffice3ViewInfo::PaneHeaderFontColor(), Office11NavPaneColors().HeaderText);
}
TColor TdxNavBarNavigationPaneViewInfo::GroupHeaderDefaultBackColor() {
  return Or(TdxNavBarOffice3ViewInfo::GroupHeaderDefaultBackColor(), Office11NavPaneColors().ButtonNormal1);
}
TColor TdxNavBarNavigationPaneViewInfo::GroupHeaderDefaultBackColor2() {
  return Or(TdxNavBarOffice3ViewInfo::GroupHeaderDefaultBackColor2(), Office11NavPaneColors().ButtonNormal2);
}

namespace {
void ScrollButtonPair(int AState, TColor& A, TColor& B) {
  const TOffice11NavPaneColors c = Office11NavPaneColors();
  if (AState & dxNavBarScrollButtonPressed) A = c.ButtonActive1, B = c.ButtonActive2;
  else if (AState & dxNavBarScrollButtonHot) A = c.ButtonHot1, B = c.ButtonHot2;
  else A = c.ButtonNormal1, B = c.ButtonNormal2;
}
}  // namespace

TColor TdxNavBarNavigationPaneViewInfo::TopScrollButtonBackColor() {
  TColor a, b;
  ScrollButtonPair(TopScrollButtonState(), a, b);
  return Or(TdxNavBarOffice3ViewInfo::TopScrollButtonBackColor(), a);
}
TColor TdxNavBarNavigationPaneViewInfo::TopScrollButtonBackColor2() {
  TColor a, b;
  ScrollButtonPair(TopScrollButtonState(), a, b);
  return Or(TdxNavBarOffice3ViewInfo::TopScrollButtonBackColor2(), b);
}
TColor TdxNavBarNavigationPaneViewInfo::BottomScrollButtonBackColor() {
  TColor a, b;
  ScrollButtonPair(BottomScrollButtonState(), a, b);
  return Or(TdxNavBarOffice3ViewInfo::BottomScrollButtonBackColor(), a);
}
TColor TdxNavBarNavigationPaneViewInfo::BottomScrollButtonBackColor2() {
  TColor a, b;
  ScrollButtonPair(BottomScrollButtonState(), a, b);
  return Or(TdxNavBarOffice3ViewInfo::BottomScrollButtonBackColor2(), b);
}

// With a known Office11 scheme the splitter takes the header's values, else its own colour pair.
TColor TdxNavBarNavigationPaneViewInfo::SplitterBackColor() {
  return CurrentOffice11Scheme() != o11sNone ? PaneHeaderBackColor() : Office11NavPaneColors().Splitter1;
}
TColor TdxNavBarNavigationPaneViewInfo::SplitterBackColor2() {
  return CurrentOffice11Scheme() != o11sNone ? PaneHeaderBackColor2() : Office11NavPaneColors().Splitter2;
}
Byte TdxNavBarNavigationPaneViewInfo::SplitterAlphaBlending() {
  return CurrentOffice11Scheme() != o11sNone ? PaneHeaderAlphaBlending() : Byte(255);
}
Byte TdxNavBarNavigationPaneViewInfo::SplitterAlphaBlending2() {
  return CurrentOffice11Scheme() != o11sNone ? PaneHeaderAlphaBlending2() : Byte(255);
}
TdxBarStyleGradientMode TdxNavBarNavigationPaneViewInfo::SplitterGradientMode() {
  return CurrentOffice11Scheme() != o11sNone ? PaneHeaderGradientMode() : gmVertical;
}

// ---- the customization menu ---------------------------------------------------------------------------

namespace {

// The menu item's part of the menu: what its click does and which image it shows.
struct MenuItemTag {
  enum Kind { kMore, kFewer, kAddRemove, kGroupVisible, kSeparator, kActivate } What;
  TdxNavBarGroup* Group;
  int ImageIndex;
};

}  // namespace

void TdxNavBarNavigationPaneViewInfo::BuildCustomizeMenu() {
  TdxCustomNavBar* bar = NavBar();
  TCustomImageList* small = bar->OptionsImage()->SmallImages();
  menuImages_->Clear();
  if (small) menuImages_->SetSize(small->Width(), small->Height());
  menuImageOrigin_ = small ? small->Count() : 0;
  const TColor back = menuImages_->BkColor() == clNone ? clFuchsia : menuImages_->BkColor();
  for (TdxNavPaneBitmap which : {npbArrowUp, npbArrowDown, npbDefaultSmall}) {
    auto owned = std::make_unique<TBitmap>();
    TBitmap& bitmap = *owned;
    bitmap.SetWidth(menuImages_->Width());
    bitmap.SetHeight(menuImages_->Height());
    bitmap.Canvas()->Brush()->SetColor(back);
    bitmap.Canvas()->FillRect({0, 0, menuImages_->Width(), menuImages_->Height()});
    if (TBitmap* source = NavPaneBitmap(which)) {
      const int side = std::min(menuImages_->Width(), menuImages_->Height());
      const TRect r = CenteredIn({0, 0, menuImages_->Width(), menuImages_->Height()}, side, side);
      StretchBlt(bitmap.Canvas()->Handle(), r.left, r.top, side, side, source->Canvas()->Handle(), 0, 0,
                 source->Width(), source->Height(), SRCCOPY);
    }
    menuImages_->AddMasked(&bitmap, back);
  }

  TMenuItem* root = customizeMenu_->Items();
  root->Clear();
  customizeMenu_->SetImages(menuImages_);
  auto imageOf = [&](TdxNavBarGroup* AGroup) {
    return ListHolds(small, AGroup->SmallImageIndex()) ? AGroup->SmallImageIndex() : menuImageOrigin_ + 2;
  };
  auto add = [&](TMenuItem* AParent, const String& ACaption, int AImage) {
    auto* item = new TMenuItem(customizeMenu_);
    item->SetCaption(ACaption);
    item->SetImageIndex(AImage);
    if (ACaption != L"-") item->OnMeasureItem = {this, &TdxNavBarNavigationPaneViewInfo::MenuMeasureItem};
    item->OnAdvancedDrawItem = {this, &TdxNavBarNavigationPaneViewInfo::MenuDrawItem};
    AParent->Add(item);
    return item;
  };
  TMenuItem* more = add(root, dxNavBarResourceString(sdxNavPaneShowMoreButtons), menuImageOrigin_);
  more->SetEnabled(bar->CanShowMoreGroups());
  more->OnClick = [bar](TObject*) { bar->ShowMoreGroups(); };
  TMenuItem* fewer = add(root, dxNavBarResourceString(sdxNavPaneShowFewerButtons), menuImageOrigin_ + 1);
  fewer->SetEnabled(bar->CanShowFewerGroups());
  fewer->OnClick = [bar](TObject*) { bar->ShowFewerGroups(); };
  if (bar->OptionsBehavior()->NavigationPane()->AllowCustomizing) {
    TMenuItem* addRemove = add(root, dxNavBarResourceString(sdxNavPaneAddRemoveButtons), -1);
    addRemove->SetEnabled(bar->Groups()->Count() > 0);
    for (int i = 0; i < bar->Groups()->Count(); ++i) {
      TdxNavBarGroup* group = bar->Groups()->GroupAt(i);
      if (!group->VisibleForCustomization()) continue;
      TMenuItem* item = add(addRemove, group->Caption(), imageOf(group));
      item->SetChecked(group->Visible());
      item->AutoCheck = true;
      item->OnClick = [group, item](TObject*) { group->SetVisible(item->Checked()); };
    }
  }
  add(root, L"-", -1);
  TdxNavBarOverflowPanelViewInfo* overflow = OverflowPanel();
  for (int i = overflow->VisibleItemCount; i < overflow->ItemCount(); ++i) {
    TdxNavBarGroup* group = overflow->Item(i)->Group;
    TMenuItem* item = add(root, group->Caption(), imageOf(group));
    item->SetChecked(group == bar->EffectiveActiveGroup());
    item->OnClick = [bar, group](TObject*) { bar->SetActiveGroup(group); };
  }
}

void TdxNavBarNavigationPaneViewInfo::MenuMeasureItem(TObject*, TCanvas*, int&, int& AHeight) {
  AHeight = 2 * OverflowPanel()->MenuImagePadding() + SmallImageHeight();
}

void TdxNavBarNavigationPaneViewInfo::MenuDrawItem(TObject* Sender, TCanvas* ACanvas, TRect ARect,
                                                   TOwnerDrawState AState) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  auto* painter = dynamic_cast<TdxNavBarNavigationPanePainter*>(Painter());
  if (!item || !painter) return;
  int state = 0;
  if (AState.Contains(odSelected)) state |= 0x20;
  if (item->Checked()) state |= 1;
  if (!item->Enabled()) state |= 2;
  TCustomImageList* small = NavBar()->OptionsImage()->SmallImages();
  int index = item->ImageIndex();
  TCustomImageList* images = small;
  if (!ListHolds(small, index)) {
    images = menuImages_;
    index -= menuImageOrigin_;
  }
  painter->DrawOverflowMenuItem(ACanvas, ARect, state, item->Caption(), index, images);
}

// ---- group view info ---------------------------------------------------------------------------------

bool TdxNavBarNavigationPaneGroupViewInfo::StyleColorsNone() {
  return TdxNavBarGroupViewInfo::HeaderBackColor() == clNone || TdxNavBarGroupViewInfo::HeaderBackColor2() == clNone;
}

void TdxNavBarNavigationPaneGroupViewInfo::StateColors(TColor& AColor1, TColor& AColor2) {
  const TOffice11NavPaneColors c = Office11NavPaneColors();
  const int state = NavBarStateFlags(State());
  const bool active = state & nbisActive, hot = state & nbisHot;
  if (active && hot) AColor1 = c.ButtonActiveHot1, AColor2 = c.ButtonActiveHot2;
  else if (active) AColor1 = c.ButtonActive1, AColor2 = c.ButtonActive2;
  else if (hot) AColor1 = c.ButtonHot1, AColor2 = c.ButtonHot2;
  else AColor1 = c.ButtonNormal1, AColor2 = c.ButtonNormal2;
}

TColor TdxNavBarNavigationPaneGroupViewInfo::HeaderBackColor() {
  if (!StyleColorsNone()) return TdxNavBarGroupViewInfo::HeaderBackColor();
  TColor a, b;
  StateColors(a, b);
  return a;
}
TColor TdxNavBarNavigationPaneGroupViewInfo::HeaderBackColor2() {
  if (!StyleColorsNone()) return TdxNavBarGroupViewInfo::HeaderBackColor2();
  TColor a, b;
  StateColors(a, b);
  return b;
}
Byte TdxNavBarNavigationPaneGroupViewInfo::HeaderAlphaBlending() {
  return StyleColorsNone() ? Byte(255) : TdxNavBarGroupViewInfo::HeaderAlphaBlending();
}
Byte TdxNavBarNavigationPaneGroupViewInfo::HeaderAlphaBlending2() {
  return StyleColorsNone() ? Byte(255) : TdxNavBarGroupViewInfo::HeaderAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarNavigationPaneGroupViewInfo::HeaderGradientMode() {
  return StyleColorsNone() ? gmVertical : TdxNavBarGroupViewInfo::HeaderGradientMode();
}
TColor TdxNavBarNavigationPaneGroupViewInfo::HeaderBorderColor() { return Office11NavPaneColors().Border; }
