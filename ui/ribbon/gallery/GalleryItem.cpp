#include "ui/ribbon/gallery/GalleryItem.h"

#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/ribbon/Ribbon.h"
#include "ui/ribbon/RibbonGroups.h"

DEFINE_CLASS(TdxRibbonGalleryItem)

TdxRibbonGalleryItem::TdxRibbonGalleryItem(TComponent* AOwner)
    : TCustomdxBarSubItem(AOwner),
      options_(new TdxRibbonGalleryOptions(this)),
      groups_(new TdxRibbonGalleryGroups(this)),
      filter_(new TdxRibbonGalleryFilter(this)) {}

TdxRibbonGalleryItem::~TdxRibbonGalleryItem() = default;

void TdxRibbonGalleryItem::BeforeDestruction() {
  destroying_ = true;
  selectedItem_ = nullptr;
  filter_.reset();
  groups_.reset();
  options_.reset();
  TCustomdxBarSubItem::BeforeDestruction();
}

void TdxRibbonGalleryItem::Loaded() {
  TCustomdxBarSubItem::Loaded();
  if (options_->ItemSelectionMode() == gsmSingle) {
    TdxRibbonGalleryEventLock lock(this);
    TdxRibbonGalleryGroupItem* flagged = nullptr;
    for (int g = 0; g < groups_->Count(); ++g) {
      TdxRibbonGalleryGroupItems* items = groups_->GroupAt(g)->Items();
      for (int i = 0; i < items->Count(); ++i) {
        TdxRibbonGalleryGroupItem* item = items->ItemAt(i);
        if (!item->selected_) continue;
        item->selected_ = false;
        flagged = item;
        break;
      }
    }
    if (flagged) SetSelectedItem(flagged);
  }
  filter_->ApplyLoadedActiveCategoryIndex();
}

void TdxRibbonGalleryItem::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomdxBarSubItem::Notification(AComponent, Operation);
  if (Operation != opRemove || AComponent == this || destroying_) return;
  if (options_->Images() == AComponent) options_->SetImages(nullptr);
  for (int g = 0; g < groups_->Count(); ++g) groups_->GroupAt(g)->ImagesFreed(AComponent);
}

void TdxRibbonGalleryItem::SetSelectedItem(TdxRibbonGalleryGroupItem* Value) {
  if (options_->ItemSelectionMode() != gsmSingle || Value == selectedItem_) return;
  TdxRibbonGalleryGroupItem* previous = selectedItem_;
  selectedItem_ = Value;
  if (previous) previous->Click();
  if (Value) Value->Click();
  DoGroupItemClick(Value);
  RepaintControls();
}

void TdxRibbonGalleryItem::Click() {
  if (!ClickedLink) return TCustomdxBarSubItem::Click();
  TdxRibbonGalleryGroupItem* clicked = ClickedGroupItem;
  if (!clicked) return;
  TdxRibbonGalleryGroup* group = clicked->Group();
  const TdxRibbonGalleryItemSelectionMode mode = options_->ItemSelectionMode();
  if ((group && group->Options()->ItemPullHighlighting()->Active()) || mode == gsmNone) {
    clicked->Click();
    DoGroupItemClick(clicked);
  } else if (mode == gsmSingle) {
    if (clicked != selectedItem_)
      SetSelectedItem(clicked);
    else if (options_->ItemAllowDeselect)
      SetSelectedItem(nullptr);
  } else {
    clicked->SetSelected(!clicked->Selected());
  }
}

void TdxRibbonGalleryItem::DoGroupItemClick(TdxRibbonGalleryGroupItem* AItem) {
  if (!EventsLocked() && OnGroupItemClick) OnGroupItemClick(this, AItem);
}

void TdxRibbonGalleryItem::DoHotTrackedItemChanged(TdxRibbonGalleryGroupItem* Prev, TdxRibbonGalleryGroupItem* New) {
  if (OnHotTrackedItemChanged) OnHotTrackedItemChanged(Prev, New);
}

void TdxRibbonGalleryItem::DoFilterChanged() {
  if (OnFilterChanged) OnFilterChanged(this);
}

void TdxRibbonGalleryItem::DoInitFilterMenu(TdxBarItemLinks* AItemLinks) {
  if (OnInitFilterMenu) OnInitFilterMenu(this, AItemLinks);
}

void TdxRibbonGalleryItem::ForgetGroupItem(TdxRibbonGalleryGroupItem* AItem) {
  if (selectedItem_ == AItem) selectedItem_ = nullptr;
  if (ClickedGroupItem == AItem) ClickedGroupItem = nullptr;
}

void TdxRibbonGalleryItem::LockEvents(bool Lock) {
  if (Lock) {
    ++eventLockCount_;
    return;
  }
  if (eventLockCount_ == 0) throw Exception(L"Gallery event lock released more often than taken");
  --eventLockCount_;
}

void TdxRibbonGalleryItem::LockRefresh(bool Lock) {
  if (Lock) {
    ++refreshLockCount_;
    return;
  }
  if (refreshLockCount_ == 0) throw Exception(L"Gallery refresh lock released more often than taken");
  if (--refreshLockCount_ == 0) RefreshControls();
}

void TdxRibbonGalleryItem::RefreshControls() {
  if (refreshLockCount_ > 0 || destroying_) return;
  inRefresh_ = true;
  try {
    TCustomdxBarSubItem::RefreshControls();
  } catch (...) {
    inRefresh_ = false;
    throw;
  }
  inRefresh_ = false;
}

void TdxRibbonGalleryItem::GalleryChanged() {
  if (destroying_ || IsLoading()) return;
  RebuildBars({0, 2});
}

bool TdxRibbonGalleryItem::CanBePlacedOn(TdxBarItemPlaceKind Kind, TComponent* AOwner, String& ErrorText) {
  ErrorText.clear();
  if (Kind == pkMenu) return true;
  TdxBarManager* manager = BarManager();
  if (manager && manager->IsLoading()) return true;
  if (auto* bar = dynamic_cast<TdxBar*>(AOwner)) {
    if (Is<TdxRibbonCustomBarControl>(bar->Control()) || Is<TdxRibbonGroupsDockControl>(bar->DockControl()))
      return true;
  }
  ErrorText = L"You can place TdxRibbonGalleryItem only on the Ribbon";
  return false;
}

TdxRibbonGalleryItem* TdxRibbonGalleryItem::CreateInternalCopy() {
  auto* copy = new TdxRibbonGalleryItem(Owner());
  copy->internalCopy_ = true;
  copy->SetBarManager(BarManager());
  copy->options_->Assign(options_.get());
  copy->options_->SetItemSelectionMode(gsmNone);
  copy->groups_->Assign(groups_.get());
  copy->filter_->Assign(filter_.get());
  return copy;
}

bool TdxRibbonGalleryItem::GroupPassesFilter(int GroupIndex, bool IgnoreVisible) const {
  if (GroupIndex < 0 || GroupIndex >= groups_->Count()) return false;
  TdxRibbonGalleryGroup* group = groups_->GroupAt(GroupIndex);
  if (!IgnoreVisible && !group->Visible()) return false;
  if (group->Items()->Count() == 0 && !group->Header()->Visible()) return false;
  TdxRibbonGalleryFilterCategory* active = filter_->ActiveCategory();
  return !active || active->Groups()->Contains(group);
}

bool TdxRibbonGalleryItem::IsFilterBandVisible() const {
  if (!filter_->Visible) return false;
  if (filter_->Categories()->Count() > 0) return true;
  for (int g = 0; g < groups_->Count(); ++g)
    if (GroupPassesFilter(g, true)) return true;
  return false;
}

String TdxRibbonGalleryItem::FilterCaptionText() const {
  String text = filter_->Caption();
  if (text.empty()) {
    if (filter_->Categories()->Count() > 0) {
      if (TdxRibbonGalleryFilterCategory* active = filter_->ActiveCategory()) text = active->Caption;
    } else {
      for (int g = 0; g < groups_->Count(); ++g) {
        if (!GroupPassesFilter(g)) continue;
        if (!text.empty()) text += L",";
        text += groups_->GroupAt(g)->Header()->Caption();
      }
    }
  }
  return text.empty() ? String(L"<empty>") : text;
}

int TdxRibbonGalleryItem::PullZone(const TdxRibbonGalleryGroupItem* Item) const {
  TdxRibbonGalleryGroup* group = Item->Group();
  if (!group || group->Options()->ItemPullHighlighting()->SameAs(*options_->ItemPullHighlighting())) return -1;
  return group->Index();
}

bool TdxRibbonGalleryItem::IsItemHot(const TdxRibbonGalleryGroupItem* Item, const TdxRibbonGalleryGroupItem* Hot,
                                     bool InRibbon) const {
  TdxRibbonGalleryGroup* group = Item->Group();
  if (InRibbon || !group || !group->Options()->ItemPullHighlighting()->Active() || Item == Hot) return Item == Hot;
  if (!Hot || !Hot->Group()) return false;
  const std::pair<int, int> itemOrder{group->Index(), Item->Index()};
  const std::pair<int, int> hotOrder{Hot->Group()->Index(), Hot->Index()};
  const bool onPullSide = group->Options()->ItemPullHighlighting()->Direction() == gphdStartToFinish
                              ? itemOrder <= hotOrder
                              : itemOrder >= hotOrder;
  if (!onPullSide || PullZone(Item) != PullZone(Hot)) return false;
  const TdxRibbonGalleryItemPullHighlighting* all = options_->ItemPullHighlighting();
  return !all->Active() || group->Options()->ItemPullHighlighting()->SameAs(*all);
}
