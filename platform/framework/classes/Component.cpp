#include "platform/framework/classes/Component.h"
#include "platform/framework/rtl/SysUtils.h"

#include <algorithm>

namespace {

void EraseOne(std::vector<TComponent*>& list, TComponent* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
}

TComponentStateReader stateReader = nullptr;
TComponentStateWriter stateWriter = nullptr;

std::vector<TComponent*>& Roots() {
  static std::vector<TComponent*> roots;
  return roots;
}

}  // namespace

// ---- TPersistent ------------------------------------------------------------------------------

DEFINE_CLASS(TPersistent)

void TPersistent::Assign(TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
  } else {
    throw EConvertError(Format(L"Cannot assign a %s to a %s", {L"nil", ClassName()}));
  }
}

void TPersistent::AssignTo(TPersistent* Dest) {
  throw EConvertError(Format(L"Cannot assign a %s to a %s", {ClassName(), Dest ? Dest->ClassName() : String(L"nil")}));
}

TPersistent* TPersistent::GetOwner() { return nullptr; }

String TPersistent::GetNamePath() {
  String result = ClassName();
  if (TPersistent* owner = GetOwner()) {
    String ownerPath = owner->GetNamePath();
    if (!ownerPath.empty()) result = ownerPath + L"." + result;
  }
  return result;
}

void TPersistent::DefineProperties(TFiler&) {}

DEFINE_CLASS(TInterfacedPersistent)

// ---- TComponent -------------------------------------------------------------------------------

DEFINE_CLASS(TComponent)

void RaiseAbstractCreate(TClass cls) {
  throw EInvalidOperation(Format(L"Cannot create an instance of abstract class %s", {cls->ClassName()}));
}

bool IsValidIdent(const String& Ident) {
  if (Ident.empty()) return false;
  auto alpha = [](wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_'; };
  auto digit = [](wchar_t c) { return c >= L'0' && c <= L'9'; };
  if (!alpha(Ident[0])) return false;
  return std::all_of(Ident.begin() + 1, Ident.end(), [&](wchar_t c) { return alpha(c) || digit(c); });
}

void SetComponentStateHandlers(TComponentStateReader Reader, TComponentStateWriter Writer) {
  stateReader = Reader;
  stateWriter = Writer;
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

// A destructor must not throw: what a receiver throws goes to the exception sink, and the
// bookkeeping (unlinking, leaving the owner) happens whatever the receivers do.
TComponent::~TComponent() {
  Destroying();
  // Each watcher is unlinked before it hears of the free, so a Notification override that does not
  // call the base cannot make this loop forever.
  while (!freeNotifies_.empty()) {
    TComponent* watcher = freeNotifies_.back();
    freeNotifies_.pop_back();
    EraseOne(watcher->freeNotifies_, this);
    Guarded([&] { watcher->Notification(this, opRemove); });
  }
  while (!components_.empty()) {
    TComponent* instance = components_.back();
    Remove(instance);
    Guarded([&] { instance->Free(); });
  }
  if (TComponent* owner = owner_) {
    Guarded([&] { owner->Notification(this, opRemove); });
    owner->Remove(this);
  }
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount()) RaiseListIndexError(Index);
  return components_[Index];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& siblings = owner_->components_;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TComponent::SetComponentIndex(int Value) {
  if (!owner_) return;
  auto& siblings = owner_->components_;
  int current = ComponentIndex();
  Value = std::clamp(Value, 0, static_cast<int>(siblings.size()) - 1);
  if (Value == current) return;
  siblings.erase(siblings.begin() + current);
  siblings.insert(siblings.begin() + Value, this);
}

void TComponent::InsertComponent(TComponent* AComponent) {
  ValidateInsert(AComponent);
  ValidateRename(AComponent, L"", AComponent->name_);
  // A component has one owner: joining this one means leaving the previous one.
  if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
  Insert(AComponent);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  components_.push_back(AComponent);
  AComponent->owner_ = this;
}

void TComponent::Remove(TComponent* AComponent) {
  EraseOne(components_, AComponent);
  AComponent->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  // Freeing one component may free others (a list freeing its items): take the last one each time.
  while (!components_.empty()) {
    TComponent* instance = components_.back();
    Remove(instance);
    instance->Free();
  }
}

TComponent* TComponent::FindComponent(const String& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* component : components_) {
    if (SameText(component->name_, AName)) return component;
  }
  return nullptr;
}

void TComponent::SetName(const String& NewName) {
  if (name_ == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName)) {
    throw EComponentError(Format(L"\"%s\" is not a valid component name", {NewName}));
  }
  if (owner_) {
    owner_->ValidateRename(this, name_, NewName);
  } else {
    ValidateRename(nullptr, name_, NewName);
  }
  ChangeName(NewName);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
  if (NewName.empty()) return;
  if (AComponent && SameText(CurName, NewName)) return;  // a change of case only
  TComponent* holder = FindComponent(NewName);
  if (holder && holder != AComponent) {
    throw EComponentError(Format(L"A component named %s already exists", {NewName}));
  }
}

void TComponent::ValidateInsert(TComponent*) {}

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::ReadState(TReader& Reader) {
  if (stateReader) stateReader(Reader, *this);
}

void TComponent::WriteState(TWriter& Writer) {
  if (stateWriter) stateWriter(Writer, *this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  NotifyAll(AComponent, Operation);
}

void TComponent::NotifyAll(TComponent* AComponent, TOperation Operation) {
  // A receiver may free components of this list: walk down and re-clamp after every call.
  int i = ComponentCount() - 1;
  while (i >= 0) {
    components_[i]->Notification(AComponent, Operation);
    --i;
    if (i >= ComponentCount()) i = ComponentCount() - 1;
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  AddFreeNotifier(AComponent);
  AComponent->AddFreeNotifier(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  RemoveFreeNotifier(AComponent);
  AComponent->RemoveFreeNotifier(this);
}

void TComponent::AddFreeNotifier(TComponent* AComponent) {
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end()) {
    freeNotifies_.push_back(AComponent);
  }
}

void TComponent::RemoveFreeNotifier(TComponent* AComponent) { EraseOne(freeNotifies_, AComponent); }

void TComponent::BeforeDestruction() {
  if (!state_.Contains(csDestroying)) Destroying();
}

void TComponent::Destroying() {
  if (state_.Contains(csDestroying)) return;
  state_.Include(csDestroying);
  for (TComponent* component : components_) component->Destroying();
}

void TComponent::GetChildren(TGetChildProc, TComponent*) {}
void TComponent::SetChildOrder(TComponent*, int) {}
void TComponent::SetParentComponent(TComponent*) {}

// ---- TComponentList --------------------------------------------------------------------------

// Receives the free notifications of the listed components on the list's behalf.
class TComponentList::TNexus : public TComponent {
 public:
  explicit TNexus(TComponentList& list) : TComponent(nullptr), list_(list) {}

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    if (Operation == opRemove && AComponent) {
      while (list_.IndexOf(AComponent) >= 0) list_.Extract(AComponent);
    }
    TComponent::Notification(AComponent, Operation);
  }

 private:
  TComponentList& list_;
};

DEFINE_CLASS(TComponentList)

TComponentList::TComponentList(bool AOwnsObjects) : TObjectList(AOwnsObjects), nexus_(new TNexus(*this)) {}

TComponentList::~TComponentList() {
  // The components are freed by TObjectList after this body: stop watching them first.
  while (Count() > 0) {
    if (OwnsObjects()) {
      Delete(Count() - 1);
    } else {
      Extract(Last());
    }
  }
}

void TComponentList::Notify(void* Item, TListNotification Action) {
  auto* component = static_cast<TComponent*>(Item);
  if (component) {
    if (Action == lnAdded) {
      nexus_->FreeNotification(component);
    } else if (IndexOf(component) < 0) {  // still listed elsewhere in this list: keep watching
      nexus_->RemoveFreeNotification(component);
    }
  }
  TObjectList::Notify(Item, Action);
}

// ---- global lookup ----------------------------------------------------------------------------

void RegisterRootComponent(TComponent* Root) {
  auto& roots = Roots();
  if (Root && std::find(roots.begin(), roots.end(), Root) == roots.end()) roots.push_back(Root);
}

void UnregisterRootComponent(TComponent* Root) { EraseOne(Roots(), Root); }

TComponent* FindGlobalComponent(const String& Name) {
  if (Name.empty()) return nullptr;
  for (TComponent* root : Roots()) {
    if (SameText(root->Name(), Name)) return root;
  }
  return nullptr;
}

TComponent* FindNestedComponent(TComponent* Root, const String& NamePath) {
  TComponent* current = Root;
  size_t start = 0;
  while (current) {
    size_t dot = NamePath.find(L'.', start);
    current = current->FindComponent(NamePath.substr(start, dot == String::npos ? String::npos : dot - start));
    if (dot == String::npos) return current;
    start = dot + 1;
  }
  return nullptr;
}

TComponent* FindGlobalComponentPath(const String& Path) {
  size_t dot = Path.find(L'.');
  if (dot == String::npos) return FindGlobalComponent(Path);
  return FindNestedComponent(FindGlobalComponent(Path.substr(0, dot)), Path.substr(dot + 1));
}
