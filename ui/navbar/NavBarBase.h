#pragma once
// The types every part of the navigation bar shares: change kinds, drawn states, part references,
// the persistent bases that belong to a bar, and the component collections of groups, items and
// style items.

#include "ui/foundation/Classes.h"

class TdxCustomNavBar;

// What a change asks of the bar: recreate the view infos, lay them out again, or only repaint.
enum TdxNavBarInvalidation { nbiRebuild = 0, nbiRelayout = 1, nbiRepaint = 2 };

// The states a group or a link is drawn in.
enum TdxNavBarItemState { sActive, sDisabled, sExpanded, sFocused, sHotTracked, sPressed, sSelected, sSpecial };
using TdxNavBarItemStates = TSet<TdxNavBarItemState>;

// A part of a view that the controller tracks (scroll buttons, splitters...); (-1, -1) is none.
struct TdxNavBarPartRef {
  int Major = -1;
  int Minor = -1;
  friend bool operator==(const TdxNavBarPartRef& A, const TdxNavBarPartRef& B) {
    return A.Major == B.Major && A.Minor == B.Minor;
  }
};
constexpr TdxNavBarPartRef nbNone{-1, -1};

// The bar a persistent belongs to: the first bar up its owner chain, or null.
TdxCustomNavBar* NavBarOfPersistent(TPersistent* APersistent);

// A persistent object that is a property of a bar (cursors, options, the painter).
class TdxNavBarPersistent : public TPersistent {
  DECLARE_CLASS(TdxNavBarPersistent, TPersistent)
 public:
  explicit TdxNavBarPersistent(TdxCustomNavBar* ANavBar) : navBar_(ANavBar) {}
  TdxCustomNavBar* NavBar() const { return navBar_; }
  TPersistent* GetOwner() override;

 private:
  TdxCustomNavBar* navBar_;
};

// An owned persistent that hears when components it refers to are freed.
class TdxNavBarNexusPersistent : public TcxOwnedPersistent {
  DECLARE_CLASS(TdxNavBarNexusPersistent, TcxOwnedPersistent)
 public:
  explicit TdxNavBarNexusPersistent(TPersistent* AOwner);
  ~TdxNavBarNexusPersistent() override;

 protected:
  TcxFreeNotificator* FreeNotificator() const { return notificator_; }
  // A watched component is being freed; descendants drop their references to it.
  virtual void FreeNotification(TComponent* AComponent) { (void)AComponent; }

 private:
  TcxFreeNotificator* notificator_;
};

// An item of a bar's collection (group, item, style item).
class TdxNavBarComponentCollectionItem : public TcxComponentCollectionItem {
  DECLARE_CLASS(TdxNavBarComponentCollectionItem, TcxComponentCollectionItem)
 public:
  explicit TdxNavBarComponentCollectionItem(TComponent* AOwner) : TcxComponentCollectionItem(AOwner) {}
  // The bar whose collection holds the item, or null.
  TdxCustomNavBar* NavBar() const;
  virtual void UpdateActionLinks() {}
  // Clamped to the collection; nothing outside one.
  void MoveToIndex(int AIndex) override;
};

// A collection whose parent component is a bar: new items are owned by the bar's owner and named
// after the bar ("<bar>Group1", "<bar>Item1", "<bar>StyleItem1").
class TdxNavBarComponentCollection : public TcxComponentCollection {
  DECLARE_CLASS(TdxNavBarComponentCollection, TcxComponentCollection)
 public:
  TdxNavBarComponentCollection(TComponent* AParentComponent, TComponentClass AItemClass)
      : TcxComponentCollection(AParentComponent, AItemClass) {}
  TdxNavBarComponentCollectionItem* Add();
  // The first item of that name (case-sensitive), or null.
  TdxNavBarComponentCollectionItem* FindByName(const String& AName) const;
  void UpdateActionLinks();
  TdxNavBarComponentCollectionItem* ItemAt(int Index) const {
    return static_cast<TdxNavBarComponentCollectionItem*>(TcxComponentCollection::ItemAt(Index));
  }

 protected:
  void AssignItemName(TcxComponentCollectionItem* AItem) override;
};
