#include "ui/bars/BarSupport.h"

#include <algorithm>
#include <atomic>

#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/PopupMenus.h"
#include "ui/foundation/Classes.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

DEFINE_CLASS(TdxBarPersistent)
DEFINE_CLASS(TdxObjectList)
DEFINE_CLASS(TdxComponentList)
DEFINE_CLASS(TdxBarComponentList)
DEFINE_CLASS(TdxBarComponent)
DEFINE_CLASS(TdxBarGroup)
DEFINE_CLASS(TdxBarCanvas)
DEFINE_CLASS(TdxBarSystemController)
DEFINE_CLASS(TdxBarPopupMenuLink)
DEFINE_CLASS(TdxBarPopupMenuLinks)
DEFINE_CLASS(TdxBarBackgrounds)


// ---- TdxBarPersistent ---------------------------------------------------------------------------

TPersistent* TdxBarPersistent::GetOwner() { return barManager_; }

// ---- lists --------------------------------------------------------------------------------------

void TdxObjectList::CopyToList(TList& Target) const {
  Target.Clear();
  Target.SetCapacity(Capacity());
  auto* unique = dynamic_cast<TdxObjectList*>(&Target);
  for (int i = 0; i < Count(); ++i) {
    if (unique)
      AddUniqueObject(*unique, Items(i));
    else
      Target.Add(Items(i));
  }
}

int AddUniqueObject(TList& List, TObject* Object) {
  if (!Object) return -1;
  const int index = List.IndexOf(Object);
  return index >= 0 ? index : List.Add(Object);
}

TdxComponentList::~TdxComponentList() { Empty(); }

void TdxComponentList::Empty() {
  updateCount_ = 1;
  while (Count() > 0) {
    if (OwnsObjects())
      Delete(Count() - 1);
    else
      Extract(Last());
  }
}

void TdxComponentList::EndUpdate(bool Changed) {
  if (updateCount_ > 0) --updateCount_;
  if (Changed) ReportChange(nullptr, clcChanged);
}

void TdxComponentList::ReportChange(TComponent* Component, TdxComponentListChange Change) {
  if (updateCount_ == 0 && OnChanged) OnChanged(this, Component, Change);
}

void TdxComponentList::Notify(void* Item, TListNotification Action) {
  auto* component = static_cast<TComponent*>(Item);
  if (rejecting_) {
    TComponentList::Notify(Item, Action);
    return;
  }
  if (Action == lnAdded) {
    TComponentList::Notify(Item, Action);
    if (!component->InheritsFrom(EntryClass())) {
      // Not of the entry class: out again, unannounced.
      rejecting_ = true;
      Extract(component);
      rejecting_ = false;
      return;
    }
    ComponentAdded(component);
    if (OnNotify) OnNotify(this, component, Action);
    ReportChange(component, clcAdded);
    return;
  }
  ComponentRemoved(component);
  if (OnNotify) OnNotify(this, component, Action);
  ReportChange(component, Action == lnExtracted ? clcExtracted : clcDeleted);
  TComponentList::Notify(Item, Action);
}

TdxBarComponentList::~TdxBarComponentList() { Empty(); }

TdxBarComponent* TdxBarComponentList::ComponentAt(int Index) const { return static_cast<TdxBarComponent*>(Items(Index)); }

TClass TdxBarComponentList::EntryClass() const { return &TdxBarComponent::ClassInfo(); }

void TdxBarComponentList::ComponentAdded(TComponent* Component) {
  static_cast<TdxBarComponent*>(Component)->lists_.push_back(this);
}

void TdxBarComponentList::ComponentRemoved(TComponent* Component) {
  if (Component->ComponentState().Contains(csDestroying)) return;
  auto& lists = static_cast<TdxBarComponent*>(Component)->lists_;
  auto it = std::find(lists.begin(), lists.end(), this);
  if (it != lists.end()) lists.erase(it);
}

// ---- TdxBarComponent ----------------------------------------------------------------------------

TdxBarComponent::~TdxBarComponent() { InvalidateObjectLinks(this); }

void TdxBarComponent::NotifyLists(bool Destroying) {
  if (ComponentState().Contains(csDestroying)) return;
  const std::vector<TdxBarComponentList*> lists = lists_;
  for (TdxBarComponentList* list : lists) list->ReportChange(Destroying ? nullptr : this, clcChanged);
}

bool TdxBarComponent::AllowsDelete(bool) { return !barManager_ || barManager_->CanDeleteComponent(this); }

void TdxBarComponent::DeleteSelected(IdxBarSelectableItem*& Reference, bool DeleteComponent) {
  if (!AllowsDelete(DeleteComponent)) return;
  Reference = nullptr;
  Free();
}

void TdxBarComponent::AddSelectionComponents(TList& List) {
  if (Owner() && List.IndexOf(Owner()) < 0) List.Add(Owner());
}

int TdxBarComponent::SelectionStatus() { return barManager_ ? barManager_->SelectionStatusOf(this) : 0; }

bool TdxBarComponent::IsSelected() { return barManager_ && barManager_->IsSelectedInDesigner(this); }

void TdxBarComponent::Select(int Mode) {
  if (barManager_) barManager_->SelectInDesigner(this, Mode);
}

// ---- TdxBarGroup --------------------------------------------------------------------------------

TdxBarGroup::TdxBarGroup(TComponent* AOwner) : TdxBarComponent(AOwner), members_(new TdxBarComponentList(false)) {}

TdxBarGroup::~TdxBarGroup() = default;

void TdxBarGroup::Loaded() {
  TdxBarComponent::Loaded();
  if (pendingNames_) {
    std::unique_ptr<TStringList> names = std::move(pendingNames_);
    AddMembersNamed(*names);
  }
}

template <class Apply>
void TdxBarGroup::ApplyToMembers(Apply&& apply) {
  // The design controller's quick-customization window, when it exists, keeps Enabled as it is.
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying) || !barManager_) return;
  barManager_->BeginBarsUpdate();
  try {
    for (int i = 0; i < members_->Count(); ++i) {
      TdxBarComponent* member = members_->ComponentAt(i);
      if (auto* item = dynamic_cast<TdxBarItem*>(member))
        apply(item);
      else if (auto* group = dynamic_cast<TdxBarGroup*>(member))
        apply(group);
    }
  } catch (...) {
    barManager_->EndBarsUpdate(true);
    throw;
  }
  barManager_->EndBarsUpdate(true);
}

void TdxBarGroup::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  ApplyToMembers([Value](auto* member) { member->SetEnabled(Value); });
}

void TdxBarGroup::SetVisible(TdxBarItemVisible Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  ApplyToMembers([Value](auto* member) { member->SetVisible(Value); });
}

int TdxBarGroup::ItemCountOf() const {
  if (pendingNames_ && IsAncestorStreamLoading(const_cast<TdxBarGroup*>(this))) return pendingNames_->Count();
  return members_->Count();
}

TdxBarComponent* TdxBarGroup::ItemAt(int Index) const {
  return Index >= 0 && Index < members_->Count() ? members_->ComponentAt(Index) : nullptr;
}

String TdxBarGroup::ItemNameAt(int Index) const {
  if (pendingNames_ && IsAncestorStreamLoading(const_cast<TdxBarGroup*>(this))) return pendingNames_->Strings(Index);
  TdxBarComponent* member = ItemAt(Index);
  return member ? member->Name() : String();
}

bool TdxBarGroup::Contains(TdxBarGroup* Group) const {
  if (Group == this) return true;
  for (int i = 0; i < members_->Count(); ++i) {
    auto* nested = dynamic_cast<TdxBarGroup*>(members_->ComponentAt(i));
    if (nested && nested->Contains(Group)) return true;
  }
  return false;
}

void TdxBarGroup::AddMember(TComponent* Component) {
  if (!Component || IndexOfMember(Component) >= 0) return;
  if (auto* group = dynamic_cast<TdxBarGroup*>(Component); group && group->Contains(this))
    throw EdxBarException(dxBarString(dxbsRecursiveGroups));
  members_->Add(Component);
}

bool TdxBarGroup::AddMembers(const std::vector<TComponent*>& Chosen) {
  for (TComponent* component : Chosen) {
    if (auto* group = dynamic_cast<TdxBarGroup*>(component); group && group->Contains(this)) return false;
  }
  members_->BeginUpdate();
  struct UpdateEnd {
    TdxBarComponentList* List;
    ~UpdateEnd() { List->EndUpdate(); }
  } end{members_.get()};
  for (TComponent* component : Chosen) AddMember(component);
  return true;
}

int TdxBarGroup::IndexOfMember(TComponent* Component) const { return members_->IndexOf(Component); }

void TdxBarGroup::RemoveMember(TComponent* Component) { members_->Remove(Component); }

void TdxBarGroup::MoveMember(int From, int To) {
  if (From == To || From < 0 || To < 0 || From >= ItemCountOf() || To >= ItemCountOf()) return;
  members_->Move(From, To);
  members_->ReportChange(nullptr, clcChanged);
}

bool TdxBarGroup::SameItemsAs(TdxBarGroup* Other) const {
  if (!Other || Other->ItemCountOf() != ItemCountOf()) return false;
  for (int i = 0; i < ItemCountOf(); ++i) {
    if (ItemNameAt(i) != Other->ItemNameAt(i)) return false;
  }
  return true;
}

int TdxBarGroup::IndexInManager() const { return barManager_ ? barManager_->groups_->IndexOf(this) : -1; }

void TdxBarGroup::SetIndexInManager(int Index) {
  const int current = IndexInManager();
  if (current < 0 || Index < 0 || Index >= barManager_->GroupCount() || Index == current) return;
  barManager_->groups_->Move(current, Index);
}

TComponent* TdxBarGroup::GetParentComponent() const { return barManager_; }

void TdxBarGroup::SetParentComponent(TComponent* Value) {
  if (auto* manager = dynamic_cast<TdxBarManager*>(Value)) manager->AddGroup(this);
}

void TdxBarGroup::SetName(const String& NewName) {
  TdxBarComponent::SetName(NewName);
  NotifyLists(false);
}

void TdxBarGroup::DefineProperties(TFiler& Filer) {
  TdxBarComponent::DefineProperties(Filer);
  // There is no ancestor to compare with: the member names are written whenever there are any.
  Filer.DefineProperty(L"Items", TReaderProc(this, &TdxBarGroup::ReadItems),
                       TWriterProc(this, &TdxBarGroup::WriteItems), ItemCountOf() > 0);
}

void TdxBarGroup::ReadItems(TReader& Reader) {
  ReadNamedProperty(*this, L"Items", [&] {
    auto names = std::make_unique<TStringList>();
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) names->Add(Reader.ReadString());
    Reader.ReadListEnd();
    if (ComponentState().Contains(csLoading)) {
      pendingNames_ = std::move(names);
    } else {
      members_->Clear();
      AddMembersNamed(*names);
    }
  });
}

void TdxBarGroup::WriteItems(TWriter& Writer) {
  Writer.WriteListBegin();
  for (int i = 0; i < ItemCountOf(); ++i) Writer.WriteString(ItemNameAt(i));
  Writer.WriteListEnd();
}

void TdxBarGroup::AddMembersNamed(const TStrings& Names) {
  TComponent* owner = barManager_ ? barManager_->Owner() : nullptr;
  if (!owner) return;
  for (int i = 0; i < Names.Count(); ++i) {
    if (TComponent* component = owner->FindComponent(Names.Strings(i))) AddMember(component);
  }
}

// ---- TdxBarCanvas -------------------------------------------------------------------------------

TdxBarCanvas::TdxBarCanvas() : TcxCanvas(new TCanvas) { ownCanvas_.reset(Canvas()); }

TdxBarCanvas::~TdxBarCanvas() {
  while (!states_.empty()) PopState();
  SetCanvas(ownCanvas_.get());
  if (ownCanvas_->HandleAllocated()) ownCanvas_->SetHandle(nullptr);
}

void TdxBarCanvas::PushDC(HDC DC) {
  SavedState state;
  if (HasHandle()) {
    TcxCanvas::PushState();
    state.CanvasStateSaved = true;
    state.PreviousHandle = Canvas()->Handle();
  }
  state.DC = DC;
  state.SaveIndex = SaveDC(DC);
  AdoptObjectsFromDC(DC);
  Canvas()->SetHandle(DC);
  states_.push_back(state);
}

void TdxBarCanvas::PushCanvas(TCanvas* ACanvas) {
  SavedState state;
  state.PreviousCanvas = Canvas();
  SetCanvas(ACanvas);
  PushClipRegion();
  TcxCanvas::PushState();
  states_.push_back(state);
}

void TdxBarCanvas::PopState() {
  if (states_.empty()) return;
  const SavedState state = states_.back();
  states_.pop_back();
  if (state.PreviousCanvas) {
    TcxCanvas::PopState();
    PopClipRegion();
    SetCanvas(state.PreviousCanvas);
    return;
  }
  Canvas()->SetHandle(state.PreviousHandle);
  RestoreDC(state.DC, state.SaveIndex);
  if (state.CanvasStateSaved && HasHandle()) TcxCanvas::PopState();
}

// ---- TdxBarSystemController ---------------------------------------------------------------------

namespace {
// The window the framework's wake-up hook posts to while a controller has taken it over.
std::atomic<HWND> g_synchronizeWindow{nullptr};
}  // namespace

bool ModuleIsLibrary() { return reinterpret_cast<HMODULE>(&__ImageBase) != GetModuleHandleW(nullptr); }

TdxBarSystemController::TdxBarSystemController(bool AIsLibrary) : isLibrary_(AIsLibrary) {
  if (!isLibrary_) return;
  previousWindow_ = g_synchronizeWindow.exchange(Handle());
  previousHook_ = SetWakeMainThread(&TdxBarSystemController::WakeMainThread);
}

TdxBarSystemController::~TdxBarSystemController() {
  if (!isLibrary_) return;
  SetWakeMainThread(previousHook_);
  g_synchronizeWindow.store(previousWindow_);
}

void TdxBarSystemController::WakeMainThread() {
  if (HWND window = g_synchronizeWindow.load()) PostMessageW(window, DXM_BAR_SYNCHRONIZE, 0, 0);
}

void TdxBarSystemController::ProcessWindowMessage(TMessage& Message) {
  if (Message.Msg == DXM_BAR_SYNCHRONIZE) {
    CheckSynchronize();
    Message.Result = 0;
    return;
  }
  TcxMessageWindow::ProcessWindowMessage(Message);
}

// ---- popup-menu links ---------------------------------------------------------------------------

TdxBarPopupMenuLink::TdxBarPopupMenuLink(TCollection* Collection)
    : TCollectionItem(Collection),
      hook_(this, &TdxBarPopupMenuLink::HookProc),
      handler_(this, &TdxBarPopupMenuLink::ContextPopup) {}

TdxBarPopupMenuLink::~TdxBarPopupMenuLink() {
  Unhook();
  InvalidateObjectLinks(this);
}

void TdxBarPopupMenuLink::BeforeDestruction() {
  Unhook();
  control_ = nullptr;
  TCollectionItem::BeforeDestruction();
}

TdxBarManager* TdxBarPopupMenuLink::BarManager() const {
  auto* links = dynamic_cast<TdxBarPopupMenuLinks*>(Collection());
  return links ? links->BarManager() : nullptr;
}

void TdxBarPopupMenuLink::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarPopupMenuLink*>(Source);
  if (!source) return TCollectionItem::Assign(Source);
  TdxBarManager* manager = BarManager();
  TComponent* owner = manager ? manager->Owner() : nullptr;
  TControl* control = nullptr;
  if (owner && source->Control()) control = dynamic_cast<TWinControl*>(owner->FindComponent(source->Control()->Name()));
  SetControl(control);
  ProcessChildren = source->ProcessChildren;
}

void TdxBarPopupMenuLink::SetControl(TControl* Value) {
  TdxBarManager* manager = BarManager();
  if (Value && !ManagerOwnerContains(manager, Value)) Value = nullptr;
  if (Value == control_) return;
  Unhook();
  control_ = Value;
  if (!control_) return;
  if (manager) manager->FreeNotification(control_);
  control_->InstallWindowProcHook(hook_);
}

void TdxBarPopupMenuLink::Unhook() {
  if (!control_) return;
  control_->RemoveWindowProcHook(hook_);
  if (control_->OnContextPopup == handler_) control_->OnContextPopup = previousContextPopup_;
}

void TdxBarPopupMenuLink::HookProc(TMessage& Message, TWindowProcChain& Next) {
  if (Message.Msg != WM_CONTEXTMENU || control_->ComponentState().Contains(csDesigning)) {
    Next(Message);
    return;
  }
  if (control_->OnContextPopup == handler_) return;  // a nested request while this link handles one
  TControl* control = control_;
  previousContextPopup_ = control->OnContextPopup;
  control->OnContextPopup = handler_;
  TcxObjectLink* self = AcquireObjectLink(this);
  auto restore = [&] {
    // The control may have gone meanwhile (the manager then cleared it here), or the link itself.
    if (self->Ref && control_ == control && control->OnContextPopup == handler_)
      control->OnContextPopup = previousContextPopup_;
    ReleaseObjectLink(self);
  };
  try {
    Next(Message);
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

void TdxBarPopupMenuLink::ContextPopup(TObject* Sender, TPoint MousePos, bool& Handled) {
  if (previousContextPopup_) previousContextPopup_(Sender, MousePos, Handled);
  if (Handled || !control_) return;
  bool overNoChild = true;
  if (auto* windowed = dynamic_cast<TWinControl*>(control_))
    overNoChild = windowed->ControlAtPos(MousePos, true, true) == nullptr;
  if (ProcessChildren || overNoChild) Handled = ShowPopup(MousePos);
}

bool TdxBarPopupMenuLink::ShowPopup(TPoint Point) {
  bool allowPopup = popupMenu_ != nullptr;
  int x = Point.x, y = Point.y;
  if (OnAction) OnAction(this, x, y, !(Point.x == -1 && Point.y == -1), allowPopup);
  if (allowPopup && popupMenu_) {
    TPoint p{x, y};
    if (control_) p = control_->ClientToScreen(p);
    popupMenu_->PopupAt(p.x, p.y);
  }
  return allowPopup;
}

bool TdxBarPopupMenuLink::AllowsShortCut() {
  bool allowed = popupMenu_ != nullptr;
  int x = -1, y = -1;
  if (OnAction) OnAction(this, x, y, false, allowed);
  return allowed;
}

TdxBarPopupMenuLinks::TdxBarPopupMenuLinks(TdxBarManager* ABarManager)
    : TCollection(&TdxBarPopupMenuLink::ClassInfo()), barManager_(ABarManager) {}

TPersistent* TdxBarPopupMenuLinks::GetOwner() { return barManager_; }

bool TdxBarPopupMenuLinks::LinkHandlesShortCut(TdxBarPopupMenuLink* Link, TShortCut) {
  // With a popup menu the menu's links are offered the shortcut; the popup menus bring that step.
  Link->AllowsShortCut();
  return false;
}

bool TdxBarPopupMenuLinks::IsShortCut(TControl* Control, TShortCut ShortCut) {
  for (int i = 0; i < Count(); ++i) {
    if (LinkAt(i)->Control() == Control && LinkHandlesShortCut(LinkAt(i), ShortCut)) return true;
  }
  for (int i = 0; i < Count(); ++i) {
    TdxBarPopupMenuLink* link = LinkAt(i);
    auto* container = dynamic_cast<TWinControl*>(link->Control());
    if (link->ProcessChildren && container && container != Control && container->ContainsControl(Control) &&
        LinkHandlesShortCut(link, ShortCut))
      return true;
  }
  TdxBarManager* parent = barManager_ ? barManager_->ParentManager() : nullptr;
  return parent && parent != barManager_ && parent->PopupMenuLinks()->IsShortCut(Control, ShortCut);
}

// ---- TdxBarBackgrounds --------------------------------------------------------------------------

TdxBarBackgrounds::TdxBarBackgrounds(TdxBarManager* ABarManager)
    : TdxBarPersistent(ABarManager), bar_(new TBitmap), subMenu_(new TBitmap) {
  bar_->OnChange = TNotifyEvent(this, &TdxBarBackgrounds::BarChanged);
}

TdxBarBackgrounds::~TdxBarBackgrounds() { bar_->OnChange = nullptr; }

void TdxBarBackgrounds::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarBackgrounds*>(Source);
  if (!source) return TdxBarPersistent::Assign(Source);
  SetBar(source->Bar());
  SetSubMenu(source->SubMenu());
}

void TdxBarBackgrounds::SetBar(TBitmap* Value) {
  const bool wasEmpty = bar_->Empty();
  bar_->OnChange = nullptr;
  TBitmap empty;
  bar_->Assign(Value ? Value : &empty);
  bar_->OnChange = TNotifyEvent(this, &TdxBarBackgrounds::BarChanged);
  if ((Value || !wasEmpty) && BarManager()) BarManager()->StyleChanged();
}

void TdxBarBackgrounds::SetSubMenu(TBitmap* Value) {
  TBitmap empty;
  subMenu_->Assign(Value ? Value : &empty);
}

void TdxBarBackgrounds::BarChanged(TObject*) {
  if (BarManager() && !BarManager()->BeingDestroyed()) BarManager()->StyleChanged();
}
