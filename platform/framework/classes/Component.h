#pragma once
// Persistent objects and components: TPersistent (Assign, DefineProperties), TComponent (owner
// and owned components, names, state, notifications, child hooks), TComponentList, and the global
// lookup of components by dotted path over the application's root components (its forms).

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CLASSES);

#include <memory>
#include <vector>

#include "platform/framework/classes/Events.h"
#include "platform/framework/classes/Lists.h"
#include "platform/framework/classes/Object.h"

class TFiler;
class TReader;
class TWriter;
class TComponent;

class TPersistent : public TObject {
  DECLARE_CLASS(TPersistent, TObject)
 public:
  // Copies source into this object. The base asks source->AssignTo(this); when nobody knows how,
  // EConvertError "Cannot assign a <source class> to a <this class>" ("nil" for a null source).
  virtual void Assign(TPersistent* Source);
  // The owner in the persistence sense (the object this one is a property of), or null.
  virtual TPersistent* GetOwner();
  // The dotted path of this object below its owner chain, for messages.
  virtual String GetNamePath();

 protected:
  virtual void AssignTo(TPersistent* Dest);
  // Declares the object's non-property data (TFiler::DefineProperty/DefineBinaryProperty).
  virtual void DefineProperties(TFiler& Filer);

  friend class TFiler;
  friend class TReader;
  friend class TWriter;
};

// Owner-controlled interface lifetime: reference counting does nothing, the owner frees it.
class TInterfacedPersistent : public TPersistent, public virtual IInterface {
  DECLARE_CLASS(TInterfacedPersistent, TPersistent)
 public:
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
};

enum TOperation { opInsert, opRemove };

enum TComponentStateItem {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csAncestor,
  csUpdating,
  csDesigning,  // exists for completeness; never set: there is no designer
  csInline,     // likewise never set
};
using TComponentState = TSet<TComponentStateItem>;

using TGetChildProc = TEvent<void(TComponent* Child)>;

// EInvalidOperation "Cannot create an instance of abstract class <name>".
[[noreturn]] void RaiseAbstractCreate(TClass cls);

// The component family's metaclass: its virtual constructor takes the owner.
class TComponentMetaClass : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;
  // A new instance of the class, owned by owner. Abstract classes raise EInvalidOperation.
  virtual TComponent* Create(TComponent* Owner) const = 0;

  template <class Self>
  class Of;
};
using TComponentClass = const TComponentMetaClass*;

class TComponent : public TPersistent {
 public:
  using MetaClass = TComponentMetaClass;
  DECLARE_CLASS(TComponent, TPersistent)

 public:
  // Joins the owner (when given) here in the base constructor: if a derived constructor throws,
  // this destructor takes the component out again, so the owner never holds a half-built one.
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int Index) const;
  // Position in the owner's list; -1 without an owner. The setter moves within the owner's list.
  int ComponentIndex() const;
  void SetComponentIndex(int Value);
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Frees the owned components, last first; copes with frees that free other owned components.
  void DestroyComponents();
  // The owned component with that name, compared without regard to case; null when none.
  TComponent* FindComponent(const String& AName) const;

  const String& Name() const { return name_; }
  // Empty or an identifier, unique among the owner's components without regard to case, else
  // EComponentError and the old name stays.
  virtual void SetName(const String& NewName);

  // Free for the application's use; pointer-sized.
  NativeInt Tag = 0;

  TComponentState ComponentState() const { return state_; }
  // State changes for the loading bracket, the filer and the update protocol.
  void SetComponentState(TComponentState Flags) { state_ += Flags; }
  void ClearComponentState(TComponentState Flags) { state_ -= Flags; }

  // Called once after loading, in creation order; the base clears csLoading.
  virtual void Loaded();
  // Reads this component's data from the reader (default: its defined properties).
  virtual void ReadState(TReader& Reader);
  // Writes this component's data (default: its defined properties).
  virtual void WriteState(TWriter& Writer);
  virtual void Updating() { state_.Include(csUpdating); }
  virtual void Updated() { state_.Exclude(csUpdating); }

  // Links this component and AComponent both ways: whichever of the two is freed first tells the
  // other through Notification(opRemove), and the link is gone.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Free runs this first: it sets csDestroying (here and on every owned component) before any
  // destructor body runs, so receivers of notifications see the flag. Free components with Free
  // (owners do); a plain delete sets the flag only once the derived destructors have run.
  void BeforeDestruction() override;
  void Destroying();

  // Child hooks used by streaming and by container components.
  virtual void GetChildren(TGetChildProc Proc, TComponent* Root);
  virtual TComponent* GetChildOwner() { return nullptr; }
  virtual TComponent* GetChildParent() { return this; }
  virtual void SetChildOrder(TComponent* Child, int Order);
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* Value);

  TPersistent* GetOwner() override { return owner_; }
  String GetNamePath() override { return name_; }

  // Told about insertions into and removals from the owner's family and about freed components
  // linked through FreeNotification. The base forgets freed components it was linked to and passes
  // the news on to its own components.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

 protected:
  // Checks NewName for AComponent among this component's owned components.
  virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
  virtual void ValidateInsert(TComponent* AComponent);
  // Changes the name without checks.
  void ChangeName(const String& NewName) { name_ = NewName; }

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void NotifyAll(TComponent* AComponent, TOperation Operation);
  void AddFreeNotifier(TComponent* AComponent);
  void RemoveFreeNotifier(TComponent* AComponent);

  TComponent* owner_ = nullptr;
  String name_;
  TComponentState state_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
};

template <class Self>
class TComponentMetaClass::Of : public TComponentMetaClass {
 public:
  using TComponentMetaClass::TComponentMetaClass;
  TComponent* Create(TComponent* Owner) const override {
    if constexpr (!std::is_abstract_v<Self> && std::is_constructible_v<Self, TComponent*>) {
      return new Self(Owner);
    } else {
      RaiseAbstractCreate(this);
    }
  }
};

// True for an empty name or an identifier (letter or underscore, then letters, digits, underscores).
bool IsValidIdent(const String& Ident);

// The filer installs the routine that hands a component's data to its DefineProperties; the
// default ReadState/WriteState call it. Without one they do nothing.
using TComponentStateReader = void (*)(TReader& Reader, TComponent& Component);
using TComponentStateWriter = void (*)(TWriter& Writer, TComponent& Component);
void SetComponentStateHandlers(TComponentStateReader Reader, TComponentStateWriter Writer);

// A list of components that drops a component when it is freed elsewhere. Owning by default: the
// list frees what it deletes, clears or still holds at its end.
class TComponentList : public TObjectList {
  DECLARE_CLASS(TComponentList, TObjectList)
 public:
  explicit TComponentList(bool AOwnsObjects = true);
  ~TComponentList() override;

  TComponent* Items(int Index) const { return static_cast<TComponent*>(TList::Items(Index)); }
  void SetItems(int Index, TComponent* AComponent) { TList::SetItems(Index, AComponent); }
  TComponent* operator[](int Index) const { return Items(Index); }
  TComponent* First() const { return Items(0); }
  TComponent* Last() const { return Items(Count() - 1); }
  int Add(TComponent* AComponent) { return TList::Add(AComponent); }
  void Insert(int Index, TComponent* AComponent) { TList::Insert(Index, AComponent); }
  int Remove(TComponent* AComponent) { return TList::Remove(AComponent); }
  TComponent* Extract(TComponent* AComponent) { return static_cast<TComponent*>(TList::Extract(AComponent)); }
  int IndexOf(const TComponent* AComponent) const { return TList::IndexOf(AComponent); }

 protected:
  // Watches added components for their free and stops watching removed ones.
  void Notify(void* Item, TListNotification Action) override;

 private:
  class TNexus;
  std::unique_ptr<TNexus> nexus_;
};

// ---- global lookup ----------------------------------------------------------------------------

// The application's root components (its forms) register here as they are created and leave as
// they are freed; the global lookup searches them by name.
void RegisterRootComponent(TComponent* Root);
void UnregisterRootComponent(TComponent* Root);
// The registered root of that name (without regard to case), or null.
TComponent* FindGlobalComponent(const String& Name);
// A dotted path below root: "Panel1.Button1" is Button1 among the components owned by Panel1,
// which root owns. Null when a step is missing.
TComponent* FindNestedComponent(TComponent* Root, const String& NamePath);
// "Form1.Panel1.Button1": the first part names a global root, the rest a nested path inside it;
// a path without a dot names a root.
TComponent* FindGlobalComponentPath(const String& Path);
