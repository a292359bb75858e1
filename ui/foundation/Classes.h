#pragma once
// The bottom of the control foundation: owned persistents, the component base with weak-link
// invalidation, owning object lists, multicast events, class registries, proportional widths, weak
// object links, free notification, the component collection with its change protocol, unique item
// names and a few shared routines.

#include <vector>

#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Lists.h"
#include "platform/framework/graphics/Graphics.h"

// An interface-implementing object whose lifetime is not counted: its owner frees it.
class TcxIUnknownObject : public TObject, public virtual IInterface {
  DECLARE_CLASS(TcxIUnknownObject, TObject)
 public:
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
};

class TcxInterfacedPersistent : public TInterfacedPersistent {
  DECLARE_CLASS(TcxInterfacedPersistent, TInterfacedPersistent)
 public:
  explicit TcxInterfacedPersistent(TPersistent* AOwner) : owner_(AOwner) {}
  TPersistent* GetOwner() override { return owner_; }

 private:
  TPersistent* owner_;
};

class TcxOwnedPersistent : public TPersistent {
  DECLARE_CLASS(TcxOwnedPersistent, TPersistent)
 public:
  explicit TcxOwnedPersistent(TPersistent* AOwner) : owner_(AOwner) {}
  TPersistent* GetOwner() override { return owner_; }

 private:
  TPersistent* owner_;
};

// A component whose weak links die with it; it keeps up to three links to the components it refers
// to for a form designer (filled only at design time).
class TcxComponent : public TComponent {
  DECLARE_CLASS(TcxComponent, TComponent)
 public:
  explicit TcxComponent(TComponent* AOwner) : TComponent(AOwner) {}
  ~TcxComponent() override;
  void Loaded() override;

  TComponent* FakeComponentLink1 = nullptr;
  TComponent* FakeComponentLink2 = nullptr;
  TComponent* FakeComponentLink3 = nullptr;
  void RefreshFakeLinks();

 protected:
  // The components this one refers to; none here.
  virtual void CollectLinkedComponents(TList& AList) { (void)AList; }
};

// A list that owns its objects; Clear frees them from the first to the last.
class TcxObjectList : public TList {
  DECLARE_CLASS(TcxObjectList, TList)
 public:
  ~TcxObjectList() override { Clear(); }
  void Clear();
  TObject* ItemAt(int Index) const { return static_cast<TObject*>(Items(Index)); }
};

// A multicast event. Handlers are (Sender, EventArgs) method pointers, each listed once.
using TcxEventHandler = TEvent<void(TObject* Sender, const void* EventArgs)>;

class TcxEventHandlerCollection : public TObject {
  DECLARE_CLASS(TcxEventHandlerCollection, TObject)
 public:
  void AddHandler(const TcxEventHandler& Handler);
  void RemoveHandler(const TcxEventHandler& Handler);
  // Calls the handlers listed when the call starts, in the order they were added; a handler removed
  // by an earlier one in the same call is skipped.
  void CallAll(TObject* Sender, const void* EventArgs);
  int Count() const { return int(handlers_.size()); }

 private:
  int IndexOf(const TcxEventHandler& Handler) const;
  std::vector<TcxEventHandler> handlers_;
};

// Maps item classes to registered classes; a lookup finds the pair of the nearest registered
// ancestor (or the class itself). A class's pair stands after its ancestors' pairs.
class TcxRegisteredClassList : public TObject {
  DECLARE_CLASS(TcxRegisteredClassList, TObject)
 public:
  TClass LookupRegisteredClass(TClass AItemClass) const;
  virtual bool LocateItemClass(TClass AItemClass, int& Index) const;
  virtual void AddPair(TClass AItemClass, TClass ARegisteredClass);
  virtual void RemovePair(TClass AItemClass, TClass ARegisteredClass);
  int Count() const { return int(pairs_.size()); }

 private:
  struct Pair {
    TClass ItemClass;
    TClass RegisteredClass;
  };
  std::vector<Pair> pairs_;
};

// Classes with description texts ("text|extra": Descriptions gives the part before the bar).
class TcxRegisteredClasses : public TObject {
  DECLARE_CLASS(TcxRegisteredClasses, TObject)
 public:
  explicit TcxRegisteredClasses(bool ARegisterClasses = false) : registerClasses_(ARegisterClasses) {}
  void RegisterEntry(TClass AClass, const String& ADescription);
  void UnregisterEntry(TClass AClass);
  TClass ClassByName(const String& AName) const;
  int Count() const { return int(entries_.size()); }
  String Descriptions(int Index) const;
  TClass Items(int Index) const;
  int IndexOfClass(TClass AClass) const;
  void Clear() { entries_.clear(); }
  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);

 protected:
  virtual int CompareDescriptions(int Index1, int Index2) const;
  virtual void SortByDescription();

 private:
  struct Entry {
    String Description;
    TClass Class;
  };
  std::vector<Entry> entries_;
  bool registerClasses_;
  bool sorted_ = false;
};

// ---- proportional widths ----------------------------------------------------------------------

class TcxAutoWidthItem : public TObject {
  DECLARE_CLASS(TcxAutoWidthItem, TObject)
 public:
  int MinWidth = 0;
  int Width = 0;
  bool Fixed = false;
  int AutoWidth = -1;  // -1 = not computed
};

class TcxAutoWidthObject : public TObject {
  DECLARE_CLASS(TcxAutoWidthObject, TObject)
 public:
  explicit TcxAutoWidthObject(int ACapacity = 0);
  ~TcxAutoWidthObject() override;
  TcxAutoWidthItem* NewItem();
  int ItemCount() const { return int(items_.size()); }
  TcxAutoWidthItem* ItemAt(int Index) const;
  int TotalWidth() const;
  // Shares AvailableWidth among the items in proportion to their widths (see the README).
  void DistributeWidths();

  int AvailableWidth = 0;

 private:
  std::vector<TcxAutoWidthItem*> items_;
};

// ---- weak links -------------------------------------------------------------------------------

class TcxObjectLink : public TObject {
  DECLARE_CLASS(TcxObjectLink, TObject)
 public:
  // The object, or null once it was destroyed.
  TObject* Ref = nullptr;
};

// A new link to the object (null for null); release it with ReleaseObjectLink.
TcxObjectLink* AcquireObjectLink(TObject* AObject);
void ReleaseObjectLink(TcxObjectLink* ALink);
// Empties every link to the object; destructors of linked objects call it.
void InvalidateObjectLinks(TObject* AObject);
// The number of links handed out and not released (0 when no controller exists).
int ObjectLinkCount();

// Reports the free of watched components through OnFreeNotification(component).
class TcxFreeNotificator : public TComponent {
  DECLARE_CLASS(TcxFreeNotificator, TComponent)
 public:
  using TComponent::TComponent;
  void WatchComponent(TComponent* AComponent);
  void UnwatchComponent(TComponent* AComponent);
  TNotifyEvent OnFreeNotification;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};

// ---- component collections --------------------------------------------------------------------

enum TcxCollectionChangeKind { cckAdded = 0, cckChanged = 1, cckRemoving = 2, cckRemoved = 3 };

class TcxComponentCollection;

// An item of a component collection: a named component owned by the form, a child of the
// collection's parent component.
class TcxComponentCollectionItem : public TComponent {
  DECLARE_CLASS(TcxComponentCollectionItem, TComponent)
 public:
  explicit TcxComponentCollectionItem(TComponent* AOwner) : TComponent(AOwner) {}
  ~TcxComponentCollectionItem() override;
  // Leaves the collection while every override is still in place.
  void BeforeDestruction() override;

  TcxComponentCollection* Collection() const { return collection_; }
  int ID() const { return id_; }
  int IndexInCollection() const;
  virtual String DisplayText() const { return Name(); }
  virtual void MoveToCollection(TcxComponentCollection* ACollection);
  virtual void MoveToIndex(int AIndex);
  void ReportItemChange(bool AAllItems);

  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return GetParentComponent() != nullptr; }
  void SetParentComponent(TComponent* AParent) override;

 protected:
  // The collection that a parent component holds for this kind of item.
  virtual TcxComponentCollection* CollectionOfParent(TComponent* AParent) = 0;

 private:
  friend class TcxComponentCollection;
  TcxComponentCollection* collection_ = nullptr;
  int id_ = 0;
};

using TcxComponentCollectionChangeEvent =
    TEvent<void(TObject* Sender, TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction)>;

class TcxComponentCollection : public TPersistent {
  DECLARE_CLASS(TcxComponentCollection, TPersistent)
 public:
  TcxComponentCollection(TComponent* AParentComponent, TComponentClass AItemClass);
  ~TcxComponentCollection() override;
  // Frees the items, last first, while every override still hears of them; no change is reported.
  void BeforeDestruction() override;

  TcxComponentCollectionItem* CreateItem();
  int ItemCount() const { return int(items_.size()); }
  TcxComponentCollectionItem* ItemAt(int Index) const;
  int IndexOf(const TcxComponentCollectionItem* AItem) const;
  void FreeAllItems();
  void Assign(TPersistent* Source) override;
  virtual void LockUpdates() { ++updateCount_; }
  virtual void UnlockUpdates(bool AForce);
  int UpdateCount() const { return updateCount_; }
  TComponent* ParentComponent() const { return parent_; }
  TComponentClass ItemClass() const { return itemClass_; }
  int NextID() const { return nextID_; }
  TPersistent* GetOwner() override { return parent_; }

  TcxComponentCollectionChangeEvent OnChange;

 protected:
  virtual void ItemNotification(TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction);
  virtual void AssignItemName(TcxComponentCollectionItem* AItem) { (void)AItem; }
  virtual void FireChange(TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction);

 private:
  friend class TcxComponentCollectionItem;
  void InsertItem(TcxComponentCollectionItem* AItem);
  void RemoveItem(TcxComponentCollectionItem* AItem);
  void MoveItem(TcxComponentCollectionItem* AItem, int AIndex);
  void ReportChange(TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction);

  TComponentClass itemClass_;
  std::vector<TcxComponentCollectionItem*> items_;
  int nextID_ = 0;
  TComponent* parent_;
  int updateCount_ = 0;
};

// A component name for a new item that no other component of Owner has: Parent's name, the base
// text cut to identifier characters (or the class name without ClassPrefix, or without its "T",
// when that is empty or begins with a digit), and the first free number. A null BaseText numbers
// from 1, a given one from none.
String MakeUniqueItemName(TComponent* Owner, TComponent* Parent, TComponent* Item, const String& ClassPrefix,
                          const String* BaseText);

// ---- shared routines ---------------------------------------------------------------------------

inline void InvokeNotifyEvent(TObject* Sender, const TNotifyEvent& Event) {
  if (Event) Event(Sender);
}

// The libraries' resource strings: a replacement table, empty by default, looked up by the
// string's default text or by its id; mode rsoNone turns the table off.
enum TcxResourceStringOverrideMode { rsoByDefaultText, rsoByStringId, rsoNone };
void SetResourceStringOverrideMode(TcxResourceStringOverrideMode Mode);
void AddResourceStringOverride(int Id, const String& Text);
void AddResourceStringOverride(const String& DefaultText, const String& Text);
void ClearResourceStringOverrides();
// The string resource Id of the module (the program's by default), or its replacement.
String ResourceStringWithOverride(int Id, void* Module = nullptr);

// Locale information without its terminating zero; Default when the query fails.
String LocaleInfoStrOrDefault(LCID Locale, LCTYPE Type, const String& Default);
// Text units of the character at a 1-based position (2 for a surrogate pair), and the positions of
// the next and previous characters.
int CharByteLengthAt(const String& S, int Pos);
int NextCharPos(const String& S, int Pos);
int PrevCharPos(const String& S, int Pos);
// floor((A + B) / 2), also for negative sums.
int RangeCenter(int A, int B);
void ZeroBytes(void* Buf, int N);
void CopyBytes(const void* Src, void* Dst, int N);
// Offsets <= 0 count as 0.
void CopyBytesAt(const void* Src, void* Dst, int SrcOfs, int DstOfs, int N);
Byte ReadByteAt(const void* Src, int Ofs);
void WriteByteAt(void* Dst, Byte Value, int Ofs);
