#include "ui/navbar/NavPaneAccessibility.h"

#include "ui/navbar/NavPaneController.h"
#include "ui/navbar/NavPaneViewInfo.h"

DEFINE_CLASS(TdxNavBarItemCollectionAccessibilityHelper)
DEFINE_CLASS(TdxNavBarItemCollectionItemAccessibilityHelper)
DEFINE_CLASS(TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper)
DEFINE_CLASS(TdxNavBarNavigationPaneOverflowPanelItemAccessibilityHelper)
DEFINE_CLASS(TdxNavBarNavigationPaneOverflowPanelSignAccessibilityHelper)
DEFINE_CLASS(TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper)
DEFINE_CLASS(TdxNavBarNavigationPaneHeaderSignAccessibilityHelper)
DEFINE_CLASS(TdxNavBarItemPanelAccessibilityHelper)
DEFINE_CLASS(TdxNavBarItemPanelCollapseBarAccessibilityHelper)
DEFINE_CLASS(TdxNavBarItemPanelItemAccessibilityHelper)

namespace {

constexpr int kInvisible = STATE_SYSTEM_INVISIBLE;
constexpr int kUnavailable = STATE_SYSTEM_UNAVAILABLE;

TdxNavBarCustomAccessibilityHelper* RootOf(TdxCustomNavBar* Bar) {
  IdxNavBarAccessibilityHelper* root = Bar->AccessibilityHelper();
  return root ? root->NavBarHelperObject() : nullptr;
}

int RootState(TdxCustomNavBar* Bar) {
  TdxNavBarCustomAccessibilityHelper* root = RootOf(Bar);
  return root ? root->StateFlags(cxAccessibleObjectSelfID) : 0;
}

TdxNavBarNavigationPaneController* PaneControllerOf(TdxCustomNavBar* Bar) {
  return dynamic_cast<TdxNavBarNavigationPaneController*>(Bar->Controller());
}

}  // namespace

// ---- the generic collection -----------------------------------------------------------------------------

TdxNavBarItemCollectionAccessibilityHelper::~TdxNavBarItemCollectionAccessibilityHelper() { UpdateItemHelpers(0); }

void TdxNavBarItemCollectionAccessibilityHelper::MarkOwnerDestroyed() {
  UpdateItemHelpers(0);
  TdxNavBarCustomAccessibilityHelper::MarkOwnerDestroyed();
}

void TdxNavBarItemCollectionAccessibilityHelper::UpdateItemHelpers(int ACount) {
  while (int(itemHelpers_.size()) < ACount) {
    InterfacePtr<IdxNavBarAccessibilityHelper> helper =
        dxNavBarCreateAccessibilityHelper(ItemHelperClass(), this, NavBar());
    if (auto* item = dynamic_cast<TdxNavBarItemCollectionItemAccessibilityHelper*>(helper->NavBarHelperObject()))
      item->ItemIndex = int(itemHelpers_.size());
    itemHelpers_.push_back(helper);
  }
  while (int(itemHelpers_.size()) > ACount) {
    dxNavBarReleaseAccessibilityHelper(itemHelpers_.back());
    itemHelpers_.pop_back();
  }
}

IdxNavBarAccessibilityHelper* TdxNavBarItemCollectionAccessibilityHelper::ItemHelper(int AIndex) {
  if (IsOwnerObjectLive()) UpdateItemHelpers(ItemCount());
  return AIndex >= 0 && AIndex < int(itemHelpers_.size()) ? itemHelpers_[size_t(AIndex)].get() : nullptr;
}

int TdxNavBarItemCollectionAccessibilityHelper::ElementChildCount() {
  if (!IsOwnerObjectLive()) return 0;
  UpdateItemHelpers(ItemCount());
  return int(itemHelpers_.size()) + (ExtraChild() ? 1 : 0);
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarItemCollectionAccessibilityHelper::ElementChildAt(int Index) {
  if (!IsOwnerObjectLive()) return nullptr;
  UpdateItemHelpers(ItemCount());
  if (Index < int(itemHelpers_.size())) return itemHelpers_[size_t(Index)]->NavBarHelperObject();
  return Index == int(itemHelpers_.size()) ? ExtraChild() : nullptr;
}

// ---- overflow panel ----------------------------------------------------------------------------------------

TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::~TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper() {
  dxNavBarReleaseAccessibilityHelper(signHelper_);
}

void TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::MarkOwnerDestroyed() {
  dxNavBarReleaseAccessibilityHelper(signHelper_);
  TdxNavBarItemCollectionAccessibilityHelper::MarkOwnerDestroyed();
}

TdxNavBarOverflowPanelViewInfo* TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::Panel() const {
  return static_cast<TdxNavBarOverflowPanelViewInfo*>(OwnerObject());
}

IdxNavBarAccessibilityHelper* TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::SignHelper() {
  if (!signHelper_ && IsOwnerObjectLive())
    signHelper_ = dxNavBarCreateAccessibilityHelper(SignHelperClass(), this, NavBar());
  return signHelper_.get();
}

TdxNavBarAccessibilityHelperClass TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::SignHelperClass() {
  return &TdxNavBarNavigationPaneOverflowPanelSignAccessibilityHelper::ClassInfo();
}

TcxAccessibilityHelper* TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::ParentHelper() {
  return RootOf(NavBar());
}

int TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::StateFlags(int) {
  int flags = RootState(NavBar());
  if (!NavBar()->OptionsView()->NavigationPane()->ShowOverflowPanel()) flags |= kInvisible;
  return flags;
}

TRect TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::Bounds() {
  return IsOwnerObjectLive() ? Panel()->Bounds : TRect();
}

int TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::ItemCount() {
  return IsOwnerObjectLive() ? Panel()->ItemCount() : 0;
}

TdxNavBarAccessibilityHelperClass TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::ItemHelperClass() {
  return &TdxNavBarNavigationPaneOverflowPanelItemAccessibilityHelper::ClassInfo();
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::ExtraChild() {
  IdxNavBarAccessibilityHelper* sign = SignHelper();
  return sign ? sign->NavBarHelperObject() : nullptr;
}

namespace {
TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper* OverflowOwner(TObject* AOwner) {
  return dynamic_cast<TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper*>(AOwner);
}
}  // namespace

int TdxNavBarNavigationPaneOverflowPanelItemAccessibilityHelper::StateFlags(int) {
  auto* owner = OverflowOwner(OwnerObject());
  int flags = owner->StateFlags(cxAccessibleObjectSelfID);
  if (!owner->IsOwnerObjectLive() || ItemIndex >= owner->Panel()->VisibleItemCount) flags |= kInvisible;
  return flags;
}

TRect TdxNavBarNavigationPaneOverflowPanelItemAccessibilityHelper::Bounds() {
  auto* owner = OverflowOwner(OwnerObject());
  if (!owner->IsOwnerObjectLive() || ItemIndex >= owner->Panel()->ItemCount()) return {};
  return owner->Panel()->Item(ItemIndex)->Bounds;
}

void TdxNavBarNavigationPaneOverflowPanelItemAccessibilityHelper::Click(Word) {
  auto* owner = OverflowOwner(OwnerObject());
  if (!owner->IsOwnerObjectLive() || ItemIndex >= owner->Panel()->ItemCount()) return;
  NavBar()->DoGroupMouseUp(owner->Panel()->Item(ItemIndex)->Group);
}

TcxAccessibilityHelper* TdxNavBarNavigationPaneOverflowPanelSignAccessibilityHelper::ParentHelper() {
  return OverflowOwner(OwnerObject());
}

int TdxNavBarNavigationPaneOverflowPanelSignAccessibilityHelper::StateFlags(int) {
  return OverflowOwner(OwnerObject())->StateFlags(cxAccessibleObjectSelfID);
}

TRect TdxNavBarNavigationPaneOverflowPanelSignAccessibilityHelper::Bounds() {
  auto* owner = OverflowOwner(OwnerObject());
  return owner->IsOwnerObjectLive() ? owner->Panel()->SignBounds : TRect();
}

void TdxNavBarNavigationPaneOverflowPanelSignAccessibilityHelper::Click(Word) {
  TdxNavBarNavigationPaneController* controller = PaneControllerOf(NavBar());
  if (!controller) return;
  const TRect r = ScreenBounds(cxAccessibleObjectSelfID);
  controller->ShowCustomizeMenu({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, false);
}

// ---- active group caption panel and header sign ------------------------------------------------------

TdxNavBarNavigationPaneViewInfo* TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper::Pane() const {
  return static_cast<TdxNavBarNavigationPaneViewInfo*>(OwnerObject());
}

TdxNavBarGroupViewInfo* TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper::ActiveButton() {
  if (!IsOwnerObjectLive()) return nullptr;
  TdxNavBarNavigationPaneViewInfo* pane = Pane();
  TdxNavBarGroup* active = NavBar()->EffectiveActiveGroup();
  if (!active || !active->Visible() || !NavBar()->ShowGroupCaptions()) return nullptr;
  for (int i = pane->FirstButtonIndex(); i < pane->GroupCount(); ++i)
    if (pane->GroupAt(i)->Group() == active) return pane->GroupAt(i);
  return nullptr;
}

TcxAccessibilityHelper* TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper::ParentHelper() {
  return RootOf(NavBar());
}

int TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper::StateFlags(int) {
  int flags = RootState(NavBar());
  if (!ActiveButton()) flags |= kInvisible | kUnavailable;
  return flags;
}

TRect TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper::Bounds() {
  TdxNavBarGroupViewInfo* button = ActiveButton();
  return button ? button->Rect : TRect();
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper::FocusProxy() {
  if (!ActiveButton()) return nullptr;
  IdxNavBarAccessibilityHelper* caption = NavBar()->EffectiveActiveGroup()->CaptionPanelAccessibilityObject();
  return caption ? caption->NavBarHelperObject() : nullptr;
}

TdxNavBarNavigationPaneViewInfo* TdxNavBarNavigationPaneHeaderSignAccessibilityHelper::Pane() const {
  return static_cast<TdxNavBarNavigationPaneViewInfo*>(OwnerObject());
}

TcxAccessibilityHelper* TdxNavBarNavigationPaneHeaderSignAccessibilityHelper::ParentHelper() {
  return RootOf(NavBar());
}

int TdxNavBarNavigationPaneHeaderSignAccessibilityHelper::StateFlags(int) {
  int flags = RootState(NavBar());
  if (!NavBar()->OptionsBehavior()->NavigationPane()->Collapsible()) flags |= kInvisible | kUnavailable;
  return flags;
}

TRect TdxNavBarNavigationPaneHeaderSignAccessibilityHelper::Bounds() {
  return IsOwnerObjectLive() ? Pane()->HeaderSignBounds : TRect();
}

void TdxNavBarNavigationPaneHeaderSignAccessibilityHelper::Click(Word) {
  TdxNavBarNavigationPaneBehaviorOptions* options = NavBar()->OptionsBehavior()->NavigationPane();
  options->SetCollapsed(!options->Collapsed());
}

// ---- item panel (the collapsed strip) ---------------------------------------------------------------

TdxNavBarItemPanelAccessibilityHelper::~TdxNavBarItemPanelAccessibilityHelper() {
  dxNavBarReleaseAccessibilityHelper(collapseBarHelper_);
}

void TdxNavBarItemPanelAccessibilityHelper::MarkOwnerDestroyed() {
  dxNavBarReleaseAccessibilityHelper(collapseBarHelper_);
  TdxNavBarItemCollectionAccessibilityHelper::MarkOwnerDestroyed();
}

TdxNavBarItemPanelViewInfo* TdxNavBarItemPanelAccessibilityHelper::Panel() const {
  return static_cast<TdxNavBarItemPanelViewInfo*>(OwnerObject());
}

IdxNavBarAccessibilityHelper* TdxNavBarItemPanelAccessibilityHelper::CollapseBarHelper() {
  if (!collapseBarHelper_ && IsOwnerObjectLive())
    collapseBarHelper_ = dxNavBarCreateAccessibilityHelper(CollapseBarHelperClass(), this, NavBar());
  return collapseBarHelper_.get();
}

TdxNavBarAccessibilityHelperClass TdxNavBarItemPanelAccessibilityHelper::CollapseBarHelperClass() {
  return &TdxNavBarItemPanelCollapseBarAccessibilityHelper::ClassInfo();
}

TcxAccessibilityHelper* TdxNavBarItemPanelAccessibilityHelper::ParentHelper() { return RootOf(NavBar()); }

int TdxNavBarItemPanelAccessibilityHelper::StateFlags(int) {
  int flags = RootState(NavBar());
  if (!NavBar()->IsCollapsed()) flags |= kInvisible;
  return flags;
}

TRect TdxNavBarItemPanelAccessibilityHelper::Bounds() { return IsOwnerObjectLive() ? Panel()->Bounds : TRect(); }

int TdxNavBarItemPanelAccessibilityHelper::ItemCount() { return IsOwnerObjectLive() ? Panel()->ItemCount() : 0; }

TdxNavBarAccessibilityHelperClass TdxNavBarItemPanelAccessibilityHelper::ItemHelperClass() {
  return &TdxNavBarItemPanelItemAccessibilityHelper::ClassInfo();
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarItemPanelAccessibilityHelper::ExtraChild() {
  IdxNavBarAccessibilityHelper* bar = CollapseBarHelper();
  return bar ? bar->NavBarHelperObject() : nullptr;
}

namespace {
TdxNavBarItemPanelAccessibilityHelper* ItemPanelOwner(TObject* AOwner) {
  return dynamic_cast<TdxNavBarItemPanelAccessibilityHelper*>(AOwner);
}
}  // namespace

TcxAccessibilityHelper* TdxNavBarItemPanelCollapseBarAccessibilityHelper::ParentHelper() {
  return ItemPanelOwner(OwnerObject());
}

TRect TdxNavBarItemPanelCollapseBarAccessibilityHelper::Bounds() {
  auto* owner = ItemPanelOwner(OwnerObject());
  return owner->IsOwnerObjectLive() ? owner->Panel()->CollapseBarBounds : TRect();
}

void TdxNavBarItemPanelCollapseBarAccessibilityHelper::Click(Word) {
  if (TdxNavBarNavigationPaneController* controller = PaneControllerOf(NavBar())) controller->ShowPopup();
}

TRect TdxNavBarItemPanelItemAccessibilityHelper::Bounds() {
  auto* owner = ItemPanelOwner(OwnerObject());
  if (!owner || !owner->IsOwnerObjectLive() || ItemIndex >= owner->Panel()->ItemCount()) return {};
  return owner->Panel()->Item(ItemIndex)->Bounds;
}

void TdxNavBarItemPanelItemAccessibilityHelper::Click(Word) {
  auto* owner = ItemPanelOwner(OwnerObject());
  if (!owner || !owner->IsOwnerObjectLive() || ItemIndex >= owner->Panel()->ItemCount()) return;
  TdxNavBarItemLink* link = owner->Panel()->Item(ItemIndex)->ItemLink;
  if (TdxNavBarNavigationPaneController* controller = PaneControllerOf(NavBar()))
    controller->DoLinkClick(NavBar(), link);
}
