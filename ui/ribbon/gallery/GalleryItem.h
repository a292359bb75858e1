#pragma once
// The gallery bar item: owns the gallery's groups, options and filter, keeps the selection, fires
// the group-item clicks, and batches refreshes and events under counted locks.

#include "ui/bars/SubItems.h"
#include "ui/ribbon/gallery/GalleryModel.h"

class TdxRibbonGalleryItem;

using TdxRibbonGalleryFilterChangedEvent = TEvent<void(TdxRibbonGalleryItem* Sender)>;
using TdxRibbonGalleryGroupItemClickEvent = TEvent<void(TdxRibbonGalleryItem* Sender, TdxRibbonGalleryGroupItem* AItem)>;
using TdxRibbonGalleryHotTrackedItemChangedEvent =
    TEvent<void(TdxRibbonGalleryGroupItem* APrevHotTrackedGroupItem, TdxRibbonGalleryGroupItem* ANewHotTrackedGroupItem)>;
using TdxRibbonGalleryInitFilterMenuEvent = TEvent<void(TdxRibbonGalleryItem* Sender, TdxBarItemLinks* AItemLinks)>;

class TdxRibbonGalleryItem : public TCustomdxBarSubItem {
  DECLARE_CLASS(TdxRibbonGalleryItem, TCustomdxBarSubItem)
 public:
  explicit TdxRibbonGalleryItem(TComponent* AOwner);
  ~TdxRibbonGalleryItem() override;
  void BeforeDestruction() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TdxRibbonGalleryFilter* GalleryFilter() const { return filter_.get(); }
  void SetGalleryFilter(TdxRibbonGalleryFilter* Value) { filter_->Assign(Value); }
  TdxRibbonGalleryGroups* GalleryGroups() const { return groups_.get(); }
  void SetGalleryGroups(TdxRibbonGalleryGroups* Value) { groups_->Assign(Value); }
  TdxRibbonGalleryOptions* GalleryOptions() const { return options_.get(); }
  void SetGalleryOptions(TdxRibbonGalleryOptions* Value) { options_->Assign(Value); }

  TdxRibbonGalleryFilterChangedEvent OnFilterChanged;
  TdxRibbonGalleryGroupItemClickEvent OnGroupItemClick;
  TdxRibbonGalleryHotTrackedItemChangedEvent OnHotTrackedItemChanged;
  TdxRibbonGalleryInitFilterMenuEvent OnInitFilterMenu;

  // ---- selection and clicks
  TdxRibbonGalleryGroupItem* SelectedItem() const { return selectedItem_; }
  // Single selection only: the previous and the new item are clicked, then one group-item click.
  void SetSelectedItem(TdxRibbonGalleryGroupItem* Value);
  // Set by the item control before it clicks the gallery.
  TdxRibbonGalleryGroupItem* ClickedGroupItem = nullptr;
  void Click() override;
  void DoGroupItemClick(TdxRibbonGalleryGroupItem* AItem);
  void DoHotTrackedItemChanged(TdxRibbonGalleryGroupItem* Prev, TdxRibbonGalleryGroupItem* New);
  void DoFilterChanged();
  void DoInitFilterMenu(TdxBarItemLinks* AItemLinks);
  // Drops every reference to a group item that goes.
  virtual void ForgetGroupItem(TdxRibbonGalleryGroupItem* AItem);

  // ---- locks, refresh and rebuild
  // Counted; a release below zero raises.
  void LockEvents(bool Lock);
  bool EventsLocked() const { return eventLockCount_ > 0; }
  // Counted; the last release refreshes; a release below zero raises.
  void LockRefresh(bool Lock);
  bool IsRefreshing() const { return inRefresh_; }
  // Every control of the gallery lays out again and repaints (not while the refresh lock is held).
  void RefreshControls() override;
  // Every bar that shows the gallery rebuilds.
  virtual void GalleryChanged();

  // ---- placement and the item family
  bool CanBePlacedOn(TdxBarItemPlaceKind Kind, TComponent* AOwner, String& ErrorText) override;
  bool CanMergeWith(TdxBarItem*) const override { return false; }
  String GetDefaultCaption() const override { return L"New Gallery"; }
  static String ItemKindDescription() { return L"Gallery"; }
  // A copy marked internal, in the same manager, that selects nothing.
  virtual TdxRibbonGalleryItem* CreateInternalCopy();
  bool IsInternalCopy() const { return internalCopy_; }
  // A group filter test: visible (or Visible ignored), with items or a visible header, and listed by
  // the active category when one is active.
  bool GroupPassesFilter(int GroupIndex, bool IgnoreVisible = false) const;
  bool IsFilterBandVisible() const;
  String FilterCaptionText() const;
  bool IsDestroying() const { return destroying_; }

  // ---- pull highlighting (a gallery in a menu)
  // -1 for items of groups with the gallery's pull-highlighting settings (one zone across them),
  // else the item's group index.
  int PullZone(const TdxRibbonGalleryGroupItem* Item) const;
  // Drawn hot: in a ribbon, or without pull highlighting in its group, only the hot item itself;
  // else every item of the hot item's zone from the zone's start (or end) up to the hot item.
  bool IsItemHot(const TdxRibbonGalleryGroupItem* Item, const TdxRibbonGalleryGroupItem* Hot, bool InRibbon) const;

 private:
  ObjectPtr<TdxRibbonGalleryOptions> options_;
  ObjectPtr<TdxRibbonGalleryGroups> groups_;
  ObjectPtr<TdxRibbonGalleryFilter> filter_;
  TdxRibbonGalleryGroupItem* selectedItem_ = nullptr;
  int eventLockCount_ = 0;
  int refreshLockCount_ = 0;
  bool inRefresh_ = false;
  bool internalCopy_ = false;
  bool destroying_ = false;
};

// Holds the gallery's events (or refreshes) for a scope.
class TdxRibbonGalleryEventLock {
 public:
  explicit TdxRibbonGalleryEventLock(TdxRibbonGalleryItem* Item) : item_(Item) { item_->LockEvents(true); }
  ~TdxRibbonGalleryEventLock() { item_->LockEvents(false); }
  TdxRibbonGalleryEventLock(const TdxRibbonGalleryEventLock&) = delete;
  TdxRibbonGalleryEventLock& operator=(const TdxRibbonGalleryEventLock&) = delete;

 private:
  TdxRibbonGalleryItem* item_;
};

class TdxRibbonGalleryRefreshLock {
 public:
  explicit TdxRibbonGalleryRefreshLock(TdxRibbonGalleryItem* Item) : item_(Item) { item_->LockRefresh(true); }
  ~TdxRibbonGalleryRefreshLock() noexcept(false) { item_->LockRefresh(false); }
  TdxRibbonGalleryRefreshLock(const TdxRibbonGalleryRefreshLock&) = delete;
  TdxRibbonGalleryRefreshLock& operator=(const TdxRibbonGalleryRefreshLock&) = delete;

 private:
  TdxRibbonGalleryItem* item_;
};
