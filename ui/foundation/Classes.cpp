#include "ui/foundation/Classes.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>

#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TcxIUnknownObject)
DEFINE_CLASS(TcxInterfacedPersistent)
DEFINE_CLASS(TcxOwnedPersistent)
DEFINE_CLASS(TcxComponent)
DEFINE_CLASS(TcxObjectList)
DEFINE_CLASS(TcxEventHandlerCollection)
DEFINE_CLASS(TcxRegisteredClassList)
DEFINE_CLASS(TcxRegisteredClasses)
DEFINE_CLASS(TcxAutoWidthItem)
DEFINE_CLASS(TcxAutoWidthObject)
DEFINE_CLASS(TcxObjectLink)
DEFINE_CLASS(TcxFreeNotificator)
DEFINE_CLASS(TcxComponentCollectionItem)
DEFINE_CLASS(TcxComponentCollection)

// ---- TcxComponent -----------------------------------------------------------------------------

TcxComponent::~TcxComponent() { InvalidateObjectLinks(this); }

void TcxComponent::Loaded() {
  TComponent::Loaded();
  RefreshFakeLinks();
}

void TcxComponent::RefreshFakeLinks() {
  const TComponentState state = ComponentState();
  if (!state.Contains(csDesigning) || state.Contains(csDestroying) || !Owner()) return;
  TList linked;
  CollectLinkedComponents(linked);
  TComponent** links[] = {&FakeComponentLink1, &FakeComponentLink2, &FakeComponentLink3};
  for (int i = 0; i < 3; ++i)
    *links[i] = i < linked.Count() ? static_cast<TComponent*>(linked.Items(i)) : nullptr;
}

// ---- TcxObjectList ----------------------------------------------------------------------------

void TcxObjectList::Clear() {
  for (int i = 0; i < Count(); ++i)
    if (TObject* object = ItemAt(i)) object->Free();
  TList::Clear();
}

// ---- TcxEventHandlerCollection ----------------------------------------------------------------

int TcxEventHandlerCollection::IndexOf(const TcxEventHandler& Handler) const {
  for (std::size_t i = 0; i < handlers_.size(); ++i)
    if (MethodsEqual(handlers_[i], Handler)) return int(i);
  return -1;
}

void TcxEventHandlerCollection::AddHandler(const TcxEventHandler& Handler) {
  if (IndexOf(Handler) < 0) handlers_.push_back(Handler);
}

void TcxEventHandlerCollection::RemoveHandler(const TcxEventHandler& Handler) {
  const int index = IndexOf(Handler);
  if (index >= 0) handlers_.erase(handlers_.begin() + index);
}

void TcxEventHandlerCollection::CallAll(TObject* Sender, const void* EventArgs) {
  const std::vector<TcxEventHandler> snapshot = handlers_;
  for (const TcxEventHandler& handler : snapshot)
    if (IndexOf(handler) >= 0) handler(Sender, EventArgs);
}

// ---- TcxRegisteredClassList -------------------------------------------------------------------

bool TcxRegisteredClassList::LocateItemClass(TClass AItemClass, int& Index) const {
  for (int i = int(pairs_.size()) - 1; i >= 0; --i) {
    const TClass registered = pairs_[i].ItemClass;
    if (AItemClass->InheritsFrom(registered)) {
      Index = i;
      return true;
    }
    if (registered->InheritsFrom(AItemClass)) Index = i;
  }
  return false;
}

void TcxRegisteredClassList::AddPair(TClass AItemClass, TClass ARegisteredClass) {
  int index = -1;
  const Pair pair{AItemClass, ARegisteredClass};
  if (LocateItemClass(AItemClass, index))
    pairs_.insert(pairs_.begin() + index + 1, pair);
  else if (index == -1)
    pairs_.push_back(pair);
  else
    pairs_.insert(pairs_.begin() + index, pair);
}

void TcxRegisteredClassList::RemovePair(TClass AItemClass, TClass ARegisteredClass) {
  for (int i = int(pairs_.size()) - 1; i >= 0; --i)
    if (pairs_[i].ItemClass == AItemClass && pairs_[i].RegisteredClass == ARegisteredClass)
      pairs_.erase(pairs_.begin() + i);
}

TClass TcxRegisteredClassList::LookupRegisteredClass(TClass AItemClass) const {
  int index = -1;
  return LocateItemClass(AItemClass, index) ? pairs_[index].RegisteredClass : nullptr;
}

// ---- TcxRegisteredClasses ---------------------------------------------------------------------

namespace {
String TextBeforeBar(const String& text) { return text.substr(0, text.find(L'|')); }
}  // namespace

void TcxRegisteredClasses::RegisterEntry(TClass AClass, const String& ADescription) {
  if (IndexOfClass(AClass) >= 0) return;
  entries_.push_back({ADescription, AClass});
  if (sorted_) SortByDescription();
  if (registerClasses_) RegisterClass(AClass);
}

void TcxRegisteredClasses::UnregisterEntry(TClass AClass) {
  const int index = IndexOfClass(AClass);
  if (index >= 0) entries_.erase(entries_.begin() + index);
}

TClass TcxRegisteredClasses::ClassByName(const String& AName) const {
  for (const Entry& entry : entries_)
    if (entry.Class->ClassName() == AName) return entry.Class;
  return nullptr;
}

String TcxRegisteredClasses::Descriptions(int Index) const {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  return TextBeforeBar(entries_[Index].Description);
}

TClass TcxRegisteredClasses::Items(int Index) const {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  return entries_[Index].Class;
}

int TcxRegisteredClasses::IndexOfClass(TClass AClass) const {
  for (int i = 0; i < Count(); ++i)
    if (entries_[i].Class == AClass) return i;
  return -1;
}

void TcxRegisteredClasses::SetSorted(bool Value) {
  if (sorted_ == Value) return;
  sorted_ = Value;
  if (sorted_) SortByDescription();
}

int TcxRegisteredClasses::CompareDescriptions(int Index1, int Index2) const {
  return AnsiCompareText(Descriptions(Index1), Descriptions(Index2));
}

void TcxRegisteredClasses::SortByDescription() {
  // Insertion sort through CompareDescriptions, so descendants decide the order; the lists are short.
  for (int i = 1; i < Count(); ++i)
    for (int j = i; j > 0 && CompareDescriptions(j - 1, j) > 0; --j) std::swap(entries_[j - 1], entries_[j]);
}

// ---- TcxAutoWidthObject -----------------------------------------------------------------------

TcxAutoWidthObject::TcxAutoWidthObject(int ACapacity) { items_.reserve(std::max(ACapacity, 0)); }

TcxAutoWidthObject::~TcxAutoWidthObject() {
  for (TcxAutoWidthItem* item : items_) item->Free();
}

TcxAutoWidthItem* TcxAutoWidthObject::NewItem() {
  items_.push_back(new TcxAutoWidthItem);
  return items_.back();
}

TcxAutoWidthItem* TcxAutoWidthObject::ItemAt(int Index) const {
  if (Index < 0 || Index >= ItemCount()) RaiseListIndexError(Index);
  return items_[Index];
}

int TcxAutoWidthObject::TotalWidth() const {
  int total = 0;
  for (const TcxAutoWidthItem* item : items_) total += item->Width;
  return total;
}

// Passes that pin items to their minimum repeat with the width left; the first pass that pins
// nothing is followed by a final pass that hands out cumulative shares, which add up exactly.
void TcxAutoWidthObject::DistributeWidths() {
  int avail = AvailableWidth;
  int total = TotalWidth();
  for (TcxAutoWidthItem* item : items_) {
    item->AutoWidth = -1;
    if (!item->Fixed) continue;
    item->AutoWidth = item->Width;
    avail -= item->AutoWidth;
    total -= item->Width;
  }
  bool finalPass = false;
  bool changed = false;
  do {
    const int width = avail;
    const int divisor = total;
    int acc = 0;
    changed = false;
    for (TcxAutoWidthItem* item : items_) {
      if (item->AutoWidth != -1) continue;
      const int share = MulDiv(acc + item->Width, width, divisor) - MulDiv(acc, width, divisor);
      if (finalPass) {
        item->AutoWidth = share;
      } else if (item->MinWidth >= share) {
        item->AutoWidth = item->MinWidth;
        avail -= item->MinWidth;
        total -= item->Width;
        changed = true;
      }
      acc += item->Width;
    }
    if (!changed) finalPass = !finalPass;
  } while (total != 0 && (changed || finalPass));
}

// ---- weak links -------------------------------------------------------------------------------

namespace {

// Exists from the first acquisition to the last release.
struct TcxObjectLinkController {
  std::vector<TcxObjectLink*> Links;
};
TcxObjectLinkController* linkController = nullptr;
int linkReferences = 0;

}  // namespace

TcxObjectLink* AcquireObjectLink(TObject* AObject) {
  if (!AObject) return nullptr;
  if (linkReferences++ == 0) linkController = new TcxObjectLinkController;
  auto* link = new TcxObjectLink;
  link->Ref = AObject;
  linkController->Links.push_back(link);
  return link;
}

void ReleaseObjectLink(TcxObjectLink* ALink) {
  if (!ALink) return;
  if (ALink->Ref) {
    auto& links = linkController->Links;
    links.erase(std::find(links.begin(), links.end(), ALink));
  }
  ALink->Free();
  if (--linkReferences == 0) {
    delete linkController;
    linkController = nullptr;
  }
}

void InvalidateObjectLinks(TObject* AObject) {
  if (!linkController) return;
  auto& links = linkController->Links;
  for (int i = int(links.size()) - 1; i >= 0; --i) {
    if (links[i]->Ref != AObject) continue;
    links[i]->Ref = nullptr;
    links.erase(links.begin() + i);
  }
}

int ObjectLinkCount() { return linkReferences; }

// ---- TcxFreeNotificator -----------------------------------------------------------------------

void TcxFreeNotificator::WatchComponent(TComponent* AComponent) {
  if (AComponent) AComponent->FreeNotification(this);
}

void TcxFreeNotificator::UnwatchComponent(TComponent* AComponent) {
  if (AComponent) AComponent->RemoveFreeNotification(this);
}

void TcxFreeNotificator::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && OnFreeNotification) OnFreeNotification(AComponent);
}

// ---- TcxComponentCollectionItem ---------------------------------------------------------------

TcxComponentCollectionItem::~TcxComponentCollectionItem() { MoveToCollection(nullptr); }

void TcxComponentCollectionItem::BeforeDestruction() {
  TComponent::BeforeDestruction();
  MoveToCollection(nullptr);
}

int TcxComponentCollectionItem::IndexInCollection() const { return collection_ ? collection_->IndexOf(this) : -1; }

void TcxComponentCollectionItem::MoveToCollection(TcxComponentCollection* ACollection) {
  if (ACollection == collection_) return;
  if (collection_) collection_->RemoveItem(this);
  if (ACollection) ACollection->InsertItem(this);
}

void TcxComponentCollectionItem::MoveToIndex(int AIndex) {
  if (!collection_ || AIndex == IndexInCollection()) return;
  collection_->MoveItem(this, AIndex);
  ReportItemChange(true);
}

void TcxComponentCollectionItem::ReportItemChange(bool AAllItems) {
  if (ComponentState().Contains(csDestroying) || !collection_) return;
  collection_->ReportChange(AAllItems ? nullptr : this, cckChanged);
}

TComponent* TcxComponentCollectionItem::GetParentComponent() const {
  return collection_ ? collection_->ParentComponent() : TComponent::GetParentComponent();
}

void TcxComponentCollectionItem::SetParentComponent(TComponent* AParent) {
  MoveToCollection(CollectionOfParent(AParent));
}

// ---- TcxComponentCollection -------------------------------------------------------------------

TcxComponentCollection::TcxComponentCollection(TComponent* AParentComponent, TComponentClass AItemClass)
    : itemClass_(AItemClass), parent_(AParentComponent) {}

TcxComponentCollection::~TcxComponentCollection() { BeforeDestruction(); }

void TcxComponentCollection::BeforeDestruction() {
  updateCount_ = 1;
  while (!items_.empty()) items_.back()->Free();
}

TcxComponentCollectionItem* TcxComponentCollection::CreateItem() {
  TComponent* owner = parent_ ? parent_->Owner() : nullptr;
  auto* item = static_cast<TcxComponentCollectionItem*>(itemClass_->Create(owner));
  item->SetParentComponent(parent_);
  AssignItemName(item);
  return item;
}

TcxComponentCollectionItem* TcxComponentCollection::ItemAt(int Index) const {
  if (Index < 0 || Index >= ItemCount()) RaiseListIndexError(Index);
  return items_[Index];
}

int TcxComponentCollection::IndexOf(const TcxComponentCollectionItem* AItem) const {
  const auto it = std::find(items_.begin(), items_.end(), AItem);
  return it == items_.end() ? -1 : int(it - items_.begin());
}

void TcxComponentCollection::FreeAllItems() {
  if (items_.empty()) return;
  LockUpdates();
  try {
    while (!items_.empty()) items_.back()->Free();
  } catch (...) {
    UnlockUpdates(true);
    throw;
  }
  UnlockUpdates(true);
}

void TcxComponentCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxComponentCollection*>(Source);
  if (!source) return TPersistent::Assign(Source);
  LockUpdates();
  try {
    FreeAllItems();
    for (int i = 0; i < source->ItemCount(); ++i) CreateItem()->Assign(source->ItemAt(i));
  } catch (...) {
    UnlockUpdates(true);
    throw;
  }
  UnlockUpdates(true);
}

void TcxComponentCollection::UnlockUpdates(bool AForce) {
  --updateCount_;
  if (AForce) ReportChange(nullptr, cckChanged);
}

void TcxComponentCollection::ItemNotification(TcxComponentCollectionItem*, TcxCollectionChangeKind) {}

void TcxComponentCollection::FireChange(TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction) {
  if (OnChange) OnChange(this, AItem, AAction);
}

void TcxComponentCollection::ReportChange(TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction) {
  if (updateCount_ == 0) FireChange(AItem, AAction);
}

void TcxComponentCollection::InsertItem(TcxComponentCollectionItem* AItem) {
  if (!AItem->InheritsFrom(itemClass_)) return;
  items_.push_back(AItem);
  AItem->collection_ = this;
  AItem->id_ = nextID_++;
  ItemNotification(AItem, cckAdded);
  ReportChange(AItem, cckAdded);
}

void TcxComponentCollection::RemoveItem(TcxComponentCollectionItem* AItem) {
  ItemNotification(AItem, cckRemoving);
  items_.erase(std::find(items_.begin(), items_.end(), AItem));
  AItem->collection_ = nullptr;
  ItemNotification(AItem, cckRemoved);
  ReportChange(AItem, cckRemoved);
}

void TcxComponentCollection::MoveItem(TcxComponentCollectionItem* AItem, int AIndex) {
  if (AIndex < 0 || AIndex >= ItemCount()) RaiseListIndexError(AIndex);
  const int from = IndexOf(AItem);
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + AIndex, AItem);
}

// ---- unique item names ------------------------------------------------------------------------

namespace {

String StripToIdentifierChars(const String& text) {
  String result;
  for (wchar_t c : text)
    if ((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_') result += c;
  return result;
}

String ComposeItemName(TComponent* Parent, TComponent* Item, const String& ClassPrefix, const String& BaseText, int N) {
  String text = StripToIdentifierChars(BaseText);
  if (text.empty() || (text[0] >= L'0' && text[0] <= L'9')) {
    const String className = Item->ClassName();
    if (!ClassPrefix.empty() && className.size() >= ClassPrefix.size() &&
        SameText(className.substr(0, ClassPrefix.size()), ClassPrefix)) {
      text = className.substr(ClassPrefix.size()) + text;
    } else {
      text = className + text;
      if (!text.empty() && text[0] == L'T') text.erase(0, 1);
    }
  }
  String name = (Parent ? Parent->Name() : String()) + text;
  if (N > 0) name += IntToStr(N);
  return name;
}

bool NameIsFreeInOwner(TComponent* Owner, TComponent* Item, const String& Name) {
  if (!Owner) return true;
  for (int i = 0; i < Owner->ComponentCount(); ++i) {
    TComponent* component = Owner->Components(i);
    if (component != Item && SameText(component->Name(), Name)) return false;
  }
  return true;
}

}  // namespace

String MakeUniqueItemName(TComponent* Owner, TComponent* Parent, TComponent* Item, const String& ClassPrefix,
                          const String* BaseText) {
  const String base = BaseText ? *BaseText : String();
  for (int n = BaseText ? 0 : 1;; ++n) {
    const String name = ComposeItemName(Parent, Item, ClassPrefix, base, n);
    if (NameIsFreeInOwner(Owner, Item, name) || n == INT_MAX) return name;
  }
}

// ---- resource strings -------------------------------------------------------------------------

namespace {

struct ResourceStringOverrides {
  TcxResourceStringOverrideMode Mode = rsoByDefaultText;
  std::map<int, String> ById;
  std::map<String, String> ByText;
};

ResourceStringOverrides& Overrides() {
  static ResourceStringOverrides overrides;
  return overrides;
}

}  // namespace

void SetResourceStringOverrideMode(TcxResourceStringOverrideMode Mode) { Overrides().Mode = Mode; }
void AddResourceStringOverride(int Id, const String& Text) { Overrides().ById[Id] = Text; }
void AddResourceStringOverride(const String& DefaultText, const String& Text) { Overrides().ByText[DefaultText] = Text; }

void ClearResourceStringOverrides() {
  Overrides().ById.clear();
  Overrides().ByText.clear();
}

String ResourceStringWithOverride(int Id, void* Module) {
  const String text = LoadResString(Module ? Module : GetModuleHandleW(nullptr), Id);
  const ResourceStringOverrides& overrides = Overrides();
  if (overrides.Mode == rsoByStringId) {
    const auto it = overrides.ById.find(Id);
    if (it != overrides.ById.end()) return it->second;
  } else if (overrides.Mode == rsoByDefaultText) {
    const auto it = overrides.ByText.find(text);
    if (it != overrides.ByText.end()) return it->second;
  }
  return text;
}

// ---- small routines ---------------------------------------------------------------------------

String LocaleInfoStrOrDefault(LCID Locale, LCTYPE Type, const String& Default) {
  const int size = GetLocaleInfoW(Locale, Type, nullptr, 0);
  if (size <= 0) return Default;
  String text(size_t(size), L'\0');
  GetLocaleInfoW(Locale, Type, text.data(), size);
  text.resize(size_t(size - 1));
  return text;
}

int CharByteLengthAt(const String& S, int Pos) { return NextCharPos(S, Pos) - Pos; }

namespace {
bool IsHigh(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

// A surrogate pair is one character.
int NextCharPos(const String& S, int Pos) {
  const size_t i = size_t(Pos - 1);
  if (i >= S.size()) return Pos;
  return Pos + ((IsHigh(S[i]) && i + 1 < S.size() && IsLow(S[i + 1])) ? 2 : 1);
}

int PrevCharPos(const String& S, int Pos) {
  if (Pos <= 1) return Pos;
  const size_t i = size_t(Pos - 2);
  return Pos - ((i > 0 && i < S.size() && IsLow(S[i]) && IsHigh(S[i - 1])) ? 2 : 1);
}

int RangeCenter(int A, int B) {
  const long long sum = (long long)A + B;
  return int(sum >= 0 ? sum / 2 : -((-sum + 1) / 2));
}

void ZeroBytes(void* Buf, int N) {
  if (N > 0) std::memset(Buf, 0, size_t(N));
}

void CopyBytes(const void* Src, void* Dst, int N) {
  if (N > 0) std::memmove(Dst, Src, size_t(N));
}

void CopyBytesAt(const void* Src, void* Dst, int SrcOfs, int DstOfs, int N) {
  CopyBytes(static_cast<const Byte*>(Src) + std::max(SrcOfs, 0), static_cast<Byte*>(Dst) + std::max(DstOfs, 0), N);
}

Byte ReadByteAt(const void* Src, int Ofs) { return static_cast<const Byte*>(Src)[Ofs]; }
void WriteByteAt(void* Dst, Byte Value, int Ofs) { static_cast<Byte*>(Dst)[Ofs] = Value; }
