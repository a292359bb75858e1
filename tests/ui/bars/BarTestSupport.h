#pragma once
// The fixtures of the bar tests: a form with a manager, an owner of a link collection (toolbars,
// menus and sub-items come later), an item that owns links, and an item that records what reaches it.

#include <vector>

#include <gtest/gtest.h>

#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"

namespace bar_testing {

// Owns a link collection as a toolbar (pkToolbar) or a menu (pkMenu) would: it refuses items that
// cannot be placed on it and items whose links lead back to it.
class TTestLinksOwner : public TComponent, public IdxBarLinksOwner {
  DECLARE_CLASS(TTestLinksOwner, TComponent)
 public:
  TTestLinksOwner(TComponent* AOwner, TdxBarManager* Manager, TdxBarItemPlaceKind Kind = pkMenu);
  ~TTestLinksOwner() override;

  TdxBarItemLinks* Links() const { return links_; }
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
  bool CanAddItem(TdxBarItem* Item, String& ErrorText) override;
  TCustomdxBarControl* CreateBarControl() override { return nullptr; }
  TComponent* OwnerComponent() override { return this; }
  TdxBarItemLinks* OwnedItemLinks() override { return links_; }

 private:
  TdxBarItemPlaceKind kind_;
  TdxBarItemLinks* links_;
};

// A sub-item-like item: it owns links, merges with its kind and keeps its hint when its caption changes.
class TTestLinksItem : public TdxBarItem, public IdxBarLinksOwner {
  DECLARE_CLASS(TTestLinksItem, TdxBarItem)
 public:
  explicit TTestLinksItem(TComponent* AOwner);
  ~TTestLinksItem() override;

  TdxBarItemLinks* GetItemLinks() const override { return links_; }
  bool CanMergeWith(TdxBarItem* Item) const override { return Is<TTestLinksItem>(Item); }
  bool CaptionSetsHint() const override { return false; }
  bool CanClick() const override { return false; }
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
  bool CanAddItem(TdxBarItem* Item, String& ErrorText) override;
  TCustomdxBarControl* CreateBarControl() override { return nullptr; }
  TComponent* OwnerComponent() override { return this; }
  TdxBarItemLinks* OwnedItemLinks() override { return links_; }

 private:
  TdxBarItemLinks* links_;
};

// Records the change notifications it hears.
class TRecordingItem : public TdxBarButton {
  DECLARE_CLASS(TRecordingItem, TdxBarButton)
 public:
  explicit TRecordingItem(TComponent* AOwner) : TdxBarButton(AOwner) {}
  std::vector<String> Heard;
  // The manager's bars-update lock seen when Visible changed.
  std::vector<int> VisibleLocks;
  bool HotImage = false;
  void GlyphChanged() override { Heard.push_back(L"glyph"); }
  void HotGlyphChanged() override { Heard.push_back(L"hot"); }
  void LargeGlyphChanged() override { Heard.push_back(L"large"); }
  bool HasHotImage() const override { return HotImage; }
  void VisibleChanged() override {
    VisibleLocks.push_back(BarManager()->BarsUpdateLockCount());
    TdxBarButton::VisibleChanged();
  }
};

// A shown-free form with a manager; freed afterwards.
class BarFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  template <class T = TdxBarButton>
  T* NewItem(const String& Name, const String& Caption = L"", int Category = 0) {
    T* item = new T(form);
    item->SetName(Name);
    item->SetCaption(Caption.empty() ? Name : Caption);
    item->SetCategory(Category);
    return item;
  }
  // A menu-kind (or toolbar-kind) owner of links on the form.
  TTestLinksOwner* NewOwner(TdxBarItemPlaceKind Kind = pkMenu) { return new TTestLinksOwner(form, manager, Kind); }

  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
};

// The names of the links' items, in the order of a list.
std::vector<String> NamesOf(const TdxBarItemLinks* Links, int (TdxBarItemLinks::*Count)() const,
                            TdxBarItemLink* (TdxBarItemLinks::*At)(int) const);
std::vector<String> ShownNames(const TdxBarItemLinks* Links);

}  // namespace bar_testing
