#include "ui/bars/customize/DesignController.h"

#include <algorithm>
#include <functional>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/windows/ShortCuts.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/Bars.h"
#include "ui/bars/PopupMenus.h"
#include "ui/bars/SubItems.h"
#include "ui/bars/SubMenuControl.h"
#include "ui/bars/customize/QuickCustomization.h"
#include "ui/foundation/Classes.h"

DEFINE_CLASS(TdxBarDesignController)

namespace {

TdxBarDesignController* g_controller = nullptr;
bool g_finalizing = false;

// The selectable objects of the manager's selection.
std::vector<TObject*> CleanedSelection(TdxBarManager* Manager) {
  std::vector<TObject*> result;
  if (!Manager) return result;
  TList list;
  Manager->GetFilteredSelection(list);
  for (int i = 0; i < list.Count(); ++i) {
    auto* object = static_cast<TObject*>(list.Items(i));
    if (Supports<IdxBarSelectableItem>(object)) result.push_back(object);
  }
  return result;
}

bool ManagerUsable(TdxBarManager* Manager, bool NeedWindow) {
  if (!Manager) return false;
  if (!NeedWindow) return true;
  auto* owner = dynamic_cast<TWinControl*>(Manager->Owner());
  return owner && owner->HandleAllocated();
}

int CountOf(TObject* Object, const std::vector<TObject*>& List) {
  return static_cast<int>(std::count(List.begin(), List.end(), Object));
}

}  // namespace

TdxBarDesignController::TdxBarDesignController() {
  static const TdxBarControlDesignHelper toolbars;
  static const TdxBarSubMenuControlDesignHelper menus;
  RegisterDesignHelper(&TdxBarControl::ClassInfo(), &toolbars);
  RegisterDesignHelper(&TdxBarSubMenuControl::ClassInfo(), &menus);
  static const TdxAddSubItemEditor subItems;
  static const TdxAddButtonEditor buttons;
  static const TdxItemsEditorEx items;
  RegisterBarControlEditor(&subItems);
  RegisterBarControlEditor(&buttons);
  RegisterBarControlEditor(&items);
}

TdxBarDesignController::~TdxBarDesignController() {
  if (toolbarsPopup_) toolbarsPopup_->Free();
  toolbarsPopup_ = nullptr;
  if (linkPopup_) linkPopup_->Free();
  linkPopup_ = nullptr;
  if (customizedLink_) ReleaseObjectLink(customizedLink_);
  if (quickCustomizationBar_) ReleaseObjectLink(quickCustomizationBar_);
  ClearInternalItems();
  if (lastSelected_) ReleaseObjectLink(lastSelected_);
}

TdxBarDesignController* DesignControllerInstance() {
  if (g_finalizing) return nullptr;
  if (!g_controller) g_controller = new TdxBarDesignController;
  return g_controller;
}

void FinalizeDesignController() {
  g_finalizing = true;
  delete g_controller;
  g_controller = nullptr;
}

// ---- design helpers -----------------------------------------------------------------------------

void TdxBarDesignController::RegisterDesignHelper(TClass WindowClass, const TCustomdxBarControlDesignHelper* Helper) {
  UnregisterDesignHelper(WindowClass);
  helpers_.push_back({WindowClass, Helper});
}

void TdxBarDesignController::UnregisterDesignHelper(TClass WindowClass) {
  helpers_.erase(std::remove_if(helpers_.begin(), helpers_.end(),
                                [&](const HelperEntry& e) { return e.WindowClass == WindowClass; }),
                 helpers_.end());
}

const TCustomdxBarControlDesignHelper* TdxBarDesignController::DesignHelperFor(TClass WindowClass) const {
  static const TCustomdxBarControlDesignHelper kDefault;
  // The nearest registered ancestor of the window's class answers.
  for (TClass cls = WindowClass; cls; cls = cls->ClassParent()) {
    for (const HelperEntry& e : helpers_) {
      if (e.WindowClass == cls) return e.Helper;
    }
  }
  return &kDefault;
}

// ---- selection ----------------------------------------------------------------------------------

IdxBarSelectableItem* TdxBarDesignController::LastSelected() {
  return lastSelected_ ? Supports<IdxBarSelectableItem>(lastSelected_->Ref) : nullptr;
}

void TdxBarDesignController::SetLastSelected(IdxBarSelectableItem* Item) {
  IdxBarSelectableItem* previous = LastSelected();
  if (previous == Item) return;
  if (lastSelected_) ReleaseObjectLink(lastSelected_);
  lastSelected_ = Item ? AcquireObjectLink(Item->SelectableInstance()) : nullptr;
  if (previous) previous->InvalidateSelection();
  if (Item) Item->InvalidateSelection();
}

void TdxBarDesignController::ForgetLastSelected(IdxBarSelectableItem* Item) {
  if (Item && LastSelected() == Item) SetLastSelected(nullptr);
}

bool TdxBarDesignController::IsItemLastSelected(TObject* Object) {
  IdxBarSelectableItem* last = LastSelected();
  return Object && last && last->SelectableInstance() == Object;
}

void TdxBarDesignController::RecheckLastSelected() {
  if (recheckLock_ > 0) return;
  IdxBarSelectableItem* last = LastSelected();
  if (!last) return;
  if (!last->IsSelected() || !GetActiveWindow()) SetLastSelected(nullptr);
}

void TdxBarDesignController::ApplySelection(IdxBarSelectableItem* Item, int Operation) {
  if (!Item) return;
  Item->Select(Operation);
  if (Operation == soExtend)
    RecheckLastSelected();
  else if (Operation == soAdd || Operation == soExclusive)
    SetLastSelected(Item);
}

void TdxBarDesignController::SelectPersistent(TObject* Object, int Operation) {
  if (IdxBarSelectableItem* item = Supports<IdxBarSelectableItem>(Object)) return ApplySelection(item, Operation);
  if (TdxBarManager* manager = CustomizingManager(false)) manager->SelectInDesigner(Object, Operation);
}

TdxBarManager* TdxBarDesignController::CustomizingManager(bool NeedWindow) {
  TdxBarManager* manager = nullptr;
  if (IdxBarSelectableItem* last = LastSelected()) manager = last->SelectionBarManager();
  if (!manager && BarManagerList()) {
    for (int i = 0; i < BarManagerList()->Count() && !manager; ++i) {
      TdxBarManager* candidate = BarManagerList()->ManagerAt(i);
      if (!CleanedSelection(candidate).empty()) manager = candidate;
    }
  }
  if (!manager && BarManagerList()) manager = BarManagerList()->CustomizingManager();
  return ManagerUsable(manager, NeedWindow) ? manager : nullptr;
}

bool TdxBarDesignController::DeleteSelectedObjects(bool DeleteItems, bool NeedFocus) {
  TdxBarManager* manager = CustomizingManager(NeedFocus);
  if (!manager) return false;
  if (!manager->IsDesigning()) {
    // At run time an item may be held by the program (a command of its window): only placements go.
    if (DeleteItems) return false;
    std::vector<TdxBarItemLink*> links;
    for (TObject* object : CleanedSelection(manager)) {
      if (auto* link = dynamic_cast<TdxBarItemLink*>(object)) links.push_back(link);
    }
    if (TdxBarItemControl* control = manager->SelectedItemControl(); control && manager->IsCustomizing()) {
      TdxBarItemLink* link = control->Link();
      if (link && std::find(links.begin(), links.end(), link) == links.end()) links.push_back(link);
    }
    if (links.empty()) return false;
    std::vector<TcxObjectLink*> watched;
    for (TdxBarItemLink* link : links) watched.push_back(AcquireObjectLink(link));
    manager->SelectItemControl(nullptr);
    bool deleted = false;
    manager->BeginBarsUpdate();
    try {
      for (size_t i = watched.size(); i-- > 0;) {
        auto* link = static_cast<TdxBarItemLink*>(watched[i]->Ref);
        if (!link) continue;
        IdxBarSelectableItem* reference = link;
        link->DeleteSelected(reference, false);
        deleted = true;
      }
    } catch (...) {
      manager->EndBarsUpdate();
      for (TcxObjectLink* w : watched) ReleaseObjectLink(w);
      throw;
    }
    manager->EndBarsUpdate();
    for (TcxObjectLink* w : watched) ReleaseObjectLink(w);
    return deleted;
  }

  // Design time: the selection deletes itself.
  std::vector<TObject*> selection = CleanedSelection(manager);
  selection.erase(std::remove_if(selection.begin(), selection.end(),
                                 [&](TObject* o) {
                                   IdxBarSelectableItem* s = Supports<IdxBarSelectableItem>(o);
                                   return !s || !s->AllowsDelete(DeleteItems);
                                 }),
                  selection.end());
  if (DeleteItems) {
    // Objects inside another selected object go with it.
    std::vector<TObject*> kept;
    for (TObject* object : selection) {
      bool inside = false;
      for (TObject* other : selection) {
        if (other == object) continue;
        TList children;
        Supports<IdxBarSelectableItem>(other)->AddSelectionComponents(children);
        if (children.IndexOf(object) >= 0) inside = true;
      }
      if (!inside) kept.push_back(object);
    }
    selection = kept;
  }
  if (selection.empty()) return false;
  if (!DeleteItems) {
    for (TObject* object : selection) {
      auto* item = dynamic_cast<TdxBarItem*>(object);
      if (item && item->LinkCount() > 1) {
        if (Application->MessageBox(dxBarString(dxbsSeveralLinksQuestion), Application->Title(),
                                      MB_YESNO | MB_ICONQUESTION) != IDYES)
          return true;
        break;
      }
    }
  }
  // The next object to select: the first selectable after the last selected one that is not
  // selected itself, else its parent.
  TObject* next = nullptr;
  if (IdxBarSelectableItem* last = Supports<IdxBarSelectableItem>(selection.back())) {
    IdxBarSelectableItem* walk = last;
    for (int guard = 0; guard < 10000; ++guard) {
      IdxBarSelectableItem* following = nullptr;
      walk->NextSelectable(following);
      if (!following || following == last) break;
      if (!CountOf(following->SelectableInstance(), selection)) {
        next = following->SelectableInstance();
        break;
      }
      walk = following;
    }
    if (!next) {
      TPersistent* parent = last->SelectionParent();
      if (parent && !CountOf(parent, selection) && Supports<IdxBarSelectableItem>(parent)) next = parent;
    }
  }
  TcxObjectLink* nextLink = AcquireObjectLink(next);
  manager->BeginBarsUpdate();
  try {
    std::vector<TcxObjectLink*> watched;
    for (TObject* object : selection) watched.push_back(AcquireObjectLink(object));
    for (size_t i = watched.size(); i-- > 0;) {
      if (IdxBarSelectableItem* s = Supports<IdxBarSelectableItem>(watched[i]->Ref)) {
        IdxBarSelectableItem* reference = s;
        s->DeleteSelected(reference, DeleteItems);
      }
      ReleaseObjectLink(watched[i]);
    }
  } catch (...) {
    manager->EndBarsUpdate();
    ReleaseObjectLink(nextLink);
    throw;
  }
  manager->EndBarsUpdate();
  if (nextLink->Ref) SelectPersistent(nextLink->Ref, soExclusive);
  ReleaseObjectLink(nextLink);
  manager->NotifyDesignerModified();
  return true;
}

bool TdxBarDesignController::HandleEscapeOnSelection() {
  TdxBarManager* manager = CustomizingManager(true);
  if (!manager) return false;
  std::vector<TObject*> selection = CleanedSelection(manager);
  if (selection.empty()) return false;
  IdxBarSelectableItem* last = Supports<IdxBarSelectableItem>(selection.back());
  return last && last->SelectParent();
}

// ---- internal items -----------------------------------------------------------------------------

int TdxBarDesignController::InternalItemCount() const {
  return static_cast<int>(std::count_if(internalItems_.begin(), internalItems_.end(),
                                        [](TcxObjectLink* l) { return l->Ref != nullptr; }));
}

void TdxBarDesignController::AddInternalItem(TdxBarItem* Item) {
  if (!Item) return;
  for (TcxObjectLink* l : internalItems_) {
    if (l->Ref == Item) return;
  }
  internalItems_.push_back(AcquireObjectLink(Item));
  if (TdxBarManager* manager = Item->BarManager()) manager->TakeOutInternalItem(Item);
}

TdxBarItemLink* TdxBarDesignController::AddInternalItemLink(TdxBarItemLinks* Links, TComponentClass ItemClass,
                                                            bool BeginGroup, NativeInt Tag,
                                                            const TNotifyEvent& OnClick, const String& Caption) {
  TdxBarItemLink* link = Links->AddLinkToNewItem(ItemClass);
  TdxBarItem* item = link->Item();
  AddInternalItem(item);
  item->SetCaption(Caption);
  item->OnClick = OnClick;
  item->Tag = Tag;
  link->SetBeginGroup(BeginGroup);
  return link;
}

void TdxBarDesignController::FreeLinkedItems(TdxBarItemLinks* Links) {
  if (!Links) return;
  for (int i = Links->Count() - 1; i >= 0; --i) {
    if (i >= Links->Count()) continue;
    TdxBarItem* item = Links->LinkAt(i)->Item();
    for (size_t j = 0; item && j < internalItems_.size(); ++j) {
      if (internalItems_[j]->Ref != item) continue;
      ReleaseObjectLink(internalItems_[j]);
      internalItems_.erase(internalItems_.begin() + static_cast<std::ptrdiff_t>(j));
      FreeLinkedItems(item->GetItemLinks());  // a sub-menu's entries first
      item->Free();  // its links go with it
      break;
    }
  }
  Links->Clear();
}

void TdxBarDesignController::ClearInternalItems() {
  std::vector<TcxObjectLink*> items;
  items.swap(internalItems_);
  for (size_t i = items.size(); i-- > 0;) {
    if (TObject* item = items[i]->Ref) item->Free();
    ReleaseObjectLink(items[i]);
  }
}

TdxBarItemLink* TdxBarDesignController::AddCustomizeLink(TdxBarItemLinks* Links, TdxBarManager* Manager,
                                                         bool BeginGroup, TComponentClass EntryClass) {
  if (!Manager || !Manager->CanCustomize) return nullptr;
  TdxBarItemLink* link =
      AddInternalItemLink(Links, EntryClass ? EntryClass : &TdxBarButton::ClassInfo(), BeginGroup, 0,
                          [Manager](TObject*) { Manager->SetCustomizingMode(true); }, dxBarString(dxbsCustomize));
  link->Item()->SetEnabled(!Manager->IsCustomizing());
  return link;
}

// ---- the quick-customization bar ----------------------------------------------------------------

TCustomdxBarControl* TdxBarDesignController::QuickCustomizationBar() const {
  auto* bar = static_cast<TCustomdxBarControl*>(ObjectLinkTarget(quickCustomizationBar_));
  return IsLiveBarControl(bar) ? bar : nullptr;
}

void TdxBarDesignController::SetQuickCustomizationBar(TCustomdxBarControl* Bar) {
  ReleaseAndClearObjectLink(quickCustomizationBar_);
  if (Bar) quickCustomizationBar_ = AcquireObjectLink(Bar);
}

void TdxBarDesignController::ResetQuickCustomizationBar() {
  TCustomdxBarControl* bar = QuickCustomizationBar();
  if (!bar) return;
  TCustomdxBarControl* opener = bar->ParentBar();
  if (IsLiveBarControl(opener)) opener->SetMarkState(0);
  // The opener's mark freed it, unless the mark was already back to normal.
  if ((bar = QuickCustomizationBar()) != nullptr) {
    SetQuickCustomizationBar(nullptr);
    bar->Free();
  }
}

TCustomdxBarControl* TdxBarDesignController::ShowQuickCustomizeBar(TdxBarControl* Window, const TRect& MarkRect) {
  if (!IsLiveBarControl(Window) || !Window->HandleAllocated()) return nullptr;
  if (TCustomdxBarControl* open = QuickCustomizationBar()) {
    if (open->ParentBar() != Window) {
      ResetQuickCustomizationBar();
    } else {
      SetQuickCustomizationBar(nullptr);
      open->Free();
    }
    if (!IsLiveBarControl(Window)) return nullptr;
  }
  auto* quick = new TdxBarQuickControl(Window);
  try {
    quick->SetOwnPainter(Window->Painter());
    SetQuickCustomizationBar(quick);
    Window->FillQuickCustomizeLinks(quick->ItemLinks());
    quick->ShowAtMark(MarkRect);
  } catch (...) {
    SetQuickCustomizationBar(nullptr);
    quick->Free();
    throw;
  }
  PlayMenuSound(0);
  return quick;
}

bool TdxBarDesignController::FreeQuickCustomizationBarOf(TCustomdxBarControl* Window) {
  TCustomdxBarControl* bar = QuickCustomizationBar();
  if (!bar || bar->ParentBar() != Window) return false;
  SetQuickCustomizationBar(nullptr);
  const bool self = bar == Window;
  bar->Free();
  return self || !IsLiveBarControl(Window);
}

void TdxBarDesignController::StartQuickBarLeaveTimer(TCustomdxBarControl* From) {
  auto* bar = dynamic_cast<TdxBarQuickControl*>(QuickCustomizationBar());
  if (bar && bar != From && !bar->IsActive()) bar->StartLeaveTimer();
}

// ---- the toolbars popup ---------------------------------------------------------------------------

void TdxBarDesignController::FillToolbarEntries(TdxBarItemLinks* Links, TdxBarManager* Manager) {
  FreeLinkedItems(Links);
  if (!Manager || !Manager->Bars()) return;
  TdxBars* bars = Manager->Bars();
  for (int i = 0; i < bars->Count(); ++i) {
    TdxBar* bar = bars->BarAt(i);
    const bool merged = bar->MergeData() && bar->MergeData()->MergedWith;
    if (!bar->ClosableByUser() || bar->Hidden() || merged) continue;
    TdxBarItemLink* link = AddInternalItemLink(
        Links, &TdxBarButton::ClassInfo(), false, reinterpret_cast<NativeInt>(bar),
        [Manager](TObject* Sender) {
          auto* button = static_cast<TdxBarButton*>(Sender);
          auto* target = reinterpret_cast<TdxBar*>(button->Tag);
          TdxBars* list = Manager->Bars();
          for (int j = 0; list && j < list->Count(); ++j) {
            if (list->BarAt(j) == target) target->SetVisible(!target->Visible());
          }
        },
        bar->Caption());
    auto* button = static_cast<TdxBarButton*>(link->Item());
    button->SetButtonStyle(bsChecked);
    button->SetDown(bar->Visible());
  }
  AddCustomizeLink(Links, Manager, true);
}

void TdxBarDesignController::ShowPopup(TdxBarManager* Manager, TdxBarPopupMenu*& Slot,
                                       const std::function<void(TdxBarItemLinks*)>& Fill,
                                       const TdxBarShowPopupEvent& Event) {
  if (!Manager || Slot) return;
  ClearInternalItems();
  auto* popup = new TdxBarPopupMenu(Manager->Owner());
  Slot = popup;
  popup->SetBarManager(Manager);
  // The entries and the popup go on every path, also when a fill or the popup's loop raises.
  struct PopupEnd {
    TdxBarDesignController* Self;
    TdxBarPopupMenu* Popup;
    TdxBarPopupMenu*& Slot;
    ~PopupEnd() {
      Self->FreeLinkedItems(Popup->ItemLinks());
      Slot = nullptr;
      Popup->Free();
    }
  } end{this, popup, Slot};
  Fill(popup->ItemLinks());
  if (Event) Event(Manager, popup->ItemLinks());
  if (popup->ItemLinks()->Count() == 0) return;
  popup->PopupAtCursor();
}

void TdxBarDesignController::ShowToolbarsPopup(TdxBarManager* Manager) {
  if (!Manager) return;
  ShowPopup(Manager, toolbarsPopup_, [&](TdxBarItemLinks* Links) { FillToolbarEntries(Links, Manager); },
            Manager->OnShowToolbarsPopup);
}

// ---- the link context menu ------------------------------------------------------------------------

int TdxBarDesignController::LinkOperations(TdxBarItemLink* Link, TClass WindowClass) {
  if (!Link) return 0;
  int operations = Link->DesignMenuFlags();
  TdxBarManager* manager = Link->BarManager();
  if (manager && manager->IsDesigning()) {
    for (TObject* object : CleanedSelection(manager)) {
      if (IdxBarSelectableItem* s = Supports<IdxBarSelectableItem>(object)) operations &= s->DesignMenuFlags();
    }
  }
  DesignHelperFor(WindowClass)->ExcludeOperations(operations);
  return operations;
}

bool TdxBarDesignController::ApplyLinkOperation(TdxBarItemLink* Link, int Operation, int Index) {
  if (!Link) return false;
  switch (Operation) {
    case loReset:
      Link->SetUserDefine(TdxBarUserDefines{});
      break;
    case loPaintStyle:
      if (Index < psStandard || Index > psCaptionGlyph) return false;
      Link->SetUserPaintStyle(TdxBarPaintStyle(Index));
      break;
    case loPosition:
      if (Index < ipBeginsNewRow || Index > ipContinuesRow) return false;
      Link->SetPosition(TdxBarItemPosition(Index));
      break;
    case loViewLevels: {
      // 0-3 toggle one level, 4 all four, 5-8 exactly one.
      TdxBarItemViewLevels levels = Link->ViewLevels();
      if (Index >= 0 && Index < 4) {
        const auto level = TdxBarItemViewLevel(Index);
        if (levels.Contains(level))
          levels.Exclude(level);
        else
          levels.Include(level);
      } else if (Index == 4) {
        levels = TdxBarItemViewLevels{ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly};
      } else if (Index >= 5 && Index < 9) {
        levels = TdxBarItemViewLevels{TdxBarItemViewLevel(Index - 5)};
      } else {
        return false;
      }
      Link->SetViewLevels(levels);
      break;
    }
    case loButtonGroup: {
      // 0-2 the value, 3 "Group", 4 "Ungroup" (over the selected links of the same links).
      if (Index >= bgpNone && Index <= bgpMember) {
        Link->SetButtonGroup(TdxBarButtonGroupPosition(Index));
        break;
      }
      if (Index != 3 && Index != 4) return false;
      TdxBarItemLinks* links = Link->OwnerLinks();
      TdxBarManager* manager = Link->BarManager();
      if (!links) return false;
      links->BeginUpdate();
      try {
        bool first = true;
        for (int i = 0; i < links->Count(); ++i) {
          TdxBarItemLink* l = links->LinkAt(i);
          const bool selected = l == Link || (manager && (manager->IsSelectedInDesigner(l) ||
                                                          (l->Item() && manager->IsSelectedInDesigner(l->Item()))));
          if (!selected) continue;
          l->SetButtonGroup(Index == 4 ? bgpNone : first ? bgpStart : bgpMember);
          first = false;
        }
      } catch (...) {
        links->EndUpdate();
        throw;
      }
      links->EndUpdate();
      return true;
    }
    case loBeginGroup:
      Link->SetBeginGroup(!Link->BeginGroupFlag());
      break;
    case loVisible:
      Link->SetVisible(!Link->Visible());
      break;
    case loMostRecentlyUsed:
      Link->SetMostRecentlyUsed(!Link->MostRecentlyUsed());
      break;
    default:
      return false;
  }
  // The change made on one link is copied to every selected object.
  if (TdxBarManager* manager = Link->BarManager()) {
    for (TObject* object : CleanedSelection(manager)) {
      if (object == Link || object == Link->Item()) continue;
      if (IdxBarSelectableItem* s = Supports<IdxBarSelectableItem>(object)) s->ApplyCustomizingCommand(Link, Operation);
    }
    if (manager->IsDesigning()) manager->NotifyDesignerModified();
  }
  return true;
}

bool TdxBarDesignController::RenameLink(TdxBarItemLink* Link, const String& Name) {
  if (!Link) return false;
  if (Name.empty()) {
    Application->MessageBox(dxBarString(dxbsBlankCommandName), Application->Title(), MB_OK | MB_ICONERROR);
    return false;
  }
  TdxBarManager* manager = Link->BarManager();
  if (manager && manager->IsDesigning()) {
    if (Link->Item()) Link->Item()->SetCaption(Name);
    for (TObject* object : CleanedSelection(manager)) {
      if (object == Link || object == Link->Item()) continue;
      if (IdxBarSelectableItem* s = Supports<IdxBarSelectableItem>(object)) s->ApplyCustomizingCommand(Link, loName);
    }
    manager->NotifyDesignerModified();
  } else {
    Link->SetUserCaption(Name);
  }
  return true;
}

// ---- the context menu's entries -------------------------------------------------------------------

namespace {

const wchar_t* const kPositionNames[] = {L"ipBeginsNewRow", L"ipBeginsNewColumn", L"ipContinuesRow"};
const wchar_t* const kViewLevelNames[] = {L"ivlLargeIconWithText", L"ivlSmallIconWithText", L"ivlSmallIcon",
                                          L"ivlControlOnly"};
const wchar_t* const kButtonGroupNames[] = {L"bgpNone", L"bgpStart", L"bgpMember"};

constexpr int kPaintStyleGroupIndex = -1000;

}  // namespace

void TdxBarDesignController::SetPopupTopmost(bool Value) {
  TCustomdxBarControl* menu = linkPopup_ ? linkPopup_->ItemLinks()->BarControl() : nullptr;
  if (!IsLiveBarControl(menu) || !menu->HandleAllocated()) return;
  constexpr UINT kFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  // The chain of bar windows of the customized link, the link's own window first.
  std::vector<HWND> chain;
  TdxBarItemLink* link = CustomizedLink();
  TdxBarItemControl* control = link ? link->ItemControl() : nullptr;
  for (TCustomdxBarControl* w = control ? control->BarControl() : nullptr; IsLiveBarControl(w); w = w->ParentBar()) {
    if (w->HandleAllocated() && !(GetWindowLongPtrW(w->Handle(), GWL_STYLE) & WS_CHILD)) chain.push_back(w->Handle());
  }
  if (Value) {
    SetWindowPos(menu->Handle(), HWND_TOPMOST, 0, 0, 0, 0, kFlags);
    HWND above = menu->Handle();
    for (HWND window : chain) {
      SetWindowPos(window, above, 0, 0, 0, 0, kFlags);
      above = window;
    }
  } else {
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) SetWindowPos(*it, HWND_NOTOPMOST, 0, 0, 0, 0, kFlags);
    SetWindowPos(menu->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, kFlags);
  }
}

TdxBarItemLink* TdxBarDesignController::CustomizedLink() const {
  return customizedLink_ ? static_cast<TdxBarItemLink*>(customizedLink_->Ref) : nullptr;
}

void TdxBarDesignController::EntryClick(TObject* Sender) {
  auto* item = dynamic_cast<TdxBarItem*>(Sender);
  TdxBarItemLink* link = CustomizedLink();
  if (!item || !link) return;
  const int operation = int((item->Tag >> 16) & 0xFFFF);
  const int index = int(item->Tag & 0xFFFF);
  TdxBarManager* manager = link->BarManager();
  switch (operation) {
    case loDeleteLinks:
      DeleteSelectedObjects(false, false);
      return;
    case loDeleteItems:
      DeleteSelectedObjects(true, false);
      return;
    case loDeleteLink:
      if (manager) manager->SelectItemControl(nullptr);
      link->Free();
      return;
    default:
      ApplyLinkOperation(link, operation, index);
  }
}

TdxBarItem* TdxBarDesignController::AddEntry(TdxBarItemLinks* Links, TComponentClass ItemClass, int Operation,
                                             int Index, const String& Caption, bool BeginGroup) {
  TdxBarItemLink* link = AddInternalItemLink(Links, ItemClass, BeginGroup, NativeInt(Operation) << 16 | Index,
                                             [this](TObject* Sender) { EntryClick(Sender); }, Caption);
  return link->Item();
}

void TdxBarDesignController::FillLinkContextEntries(TdxBarItemLinks* Links, TdxBarItemLink* Link,
                                                    TClass WindowClass) {
  if (!Links || !Link) return;
  if (customizedLink_) ReleaseObjectLink(customizedLink_);
  customizedLink_ = AcquireObjectLink(Link);
  TdxBarManager* manager = Link->BarManager();
  const bool designing = manager && manager->IsDesigning();
  const int operations = LinkOperations(Link, WindowClass);
  auto offered = [&](int op) { return (operations & (1 << op)) != 0; };
  auto button = [&](TdxBarItemLinks* L, int op, int index, const String& caption, bool beginGroup) {
    return static_cast<TdxBarButton*>(AddEntry(L, &TdxBarButton::ClassInfo(), op, index, caption, beginGroup));
  };
  auto check = [](TdxBarButton* b, bool down, int groupIndex = 0) {
    b->SetButtonStyle(bsChecked);
    if (groupIndex) b->SetGroupIndex(groupIndex);
    b->SetDown(down);
  };
  auto subMenu = [&](int op, const String& caption, bool beginGroup) {
    auto* sub = static_cast<TdxBarSubItem*>(AddEntry(Links, &TdxBarSubItem::ClassInfo(), op, 0, caption, beginGroup));
    return sub->ItemLinks();
  };
  if (designing && CleanedSelection(manager).size() <= 1) {
    std::vector<const TdxBarControlEditor*> editors;
    DesignHelperFor(WindowClass)->CollectEditors(editors);
    for (const TdxBarControlEditor* editor : editors) editor->AddToMenu(Links, false);
  }
  if (offered(loReset)) button(Links, loReset, 0, dxBarString(dxbsLinkReset), !designing ? false : Links->Count() > 0);
  if (offered(loDeleteLinks)) {
    TdxBarButton* b = button(Links, loDeleteLinks, 0, dxBarString(dxbsLinkDelete), false);
    b->SetShortCut(VK_DELETE);
    IdxBarSelectableItem* s = Supports<IdxBarSelectableItem>(Link);
    b->SetEnabled(s && s->AllowsDelete(false));
  }
  if (offered(loDeleteItems)) {
    TdxBarButton* b = button(Links, loDeleteItems, 0, dxBarString(dxbsDeleteItem), false);
    b->SetShortCut(TShortCut(scCtrl | VK_DELETE));
    b->SetEnabled(Link->Item() && Link->Item()->AllowsDelete(true) && designing);
  }
  if (offered(loDeleteLink))
    button(Links, loDeleteLink, 0, dxBarString(designing ? dxbsDeleteLink : dxbsLinkDelete), false);
  if (offered(loPaintStyle)) {
    const TdxBarStringId names[] = {dxbsDefaultStyle, dxbsTextOnlyAlways, dxbsTextOnlyInMenus, dxbsImageAndText};
    for (int i = 0; i < 4; ++i) {
      TdxBarButton* b = button(Links, loPaintStyle, i, dxBarString(names[i]), i == 0);
      check(b, Link->PaintStyle() == TdxBarPaintStyle(i), kPaintStyleGroupIndex);
      b->SetEnabled(Link->SupportsPaintStyle());
    }
  }
  if (offered(loPosition)) {
    TdxBarItemLinks* sub = subMenu(loPosition, dxBarString(dxbsPosition), true);
    for (int i = 0; i < 3; ++i) check(button(sub, loPosition, i, kPositionNames[i], false), Link->Position() == i, 1);
  }
  if (offered(loViewLevels)) {
    TdxBarItemLinks* sub = subMenu(loViewLevels, dxBarString(dxbsViewLevels), false);
    const TdxBarItemViewLevels levels = Link->ViewLevels();
    for (int i = 0; i < 4; ++i) {
      TdxBarButton* b = button(sub, loViewLevels, i, kViewLevelNames[i], false);
      check(b, levels.Contains(TdxBarItemViewLevel(i)));
      b->CloseSubMenuOnClick = false;
    }
    button(sub, loViewLevels, 4, dxBarString(dxbsViewLevelsAll), true)->CloseSubMenuOnClick = false;
    for (int i = 0; i < 4; ++i) {
      button(sub, loViewLevels, 5 + i, String(kViewLevelNames[i]) + dxBarString(dxbsViewLevelOnly), i == 0)
          ->CloseSubMenuOnClick = false;
    }
  }
  if (offered(loButtonGroup)) {
    TdxBarItemLinks* sub = subMenu(loButtonGroup, dxBarString(dxbsButtonGroup), false);
    for (int i = 0; i < 3; ++i) check(button(sub, loButtonGroup, i, kButtonGroupNames[i], false), Link->ButtonGroup() == i, 1);
    button(sub, loButtonGroup, 3, dxBarString(dxbsGroup), true);
    button(sub, loButtonGroup, 4, dxBarString(dxbsUngroup), false);
  }
  if (offered(loBeginGroup)) {
    TdxBarButton* b = button(Links, loBeginGroup, 0, dxBarString(dxbsBeginGroup), true);
    check(b, Link->BeginGroupFlag());
    b->SetEnabled(Link->Index() > 0);
  }
  if (offered(loVisible)) check(button(Links, loVisible, 0, dxBarString(dxbsLinkVisible), !offered(loBeginGroup)), Link->Visible());
  if (offered(loMostRecentlyUsed))
    check(button(Links, loMostRecentlyUsed, 0, dxBarString(dxbsMostRecentlyUsed), false), Link->MostRecentlyUsed());
}

void TdxBarDesignController::ShowLinkContextMenu(TCustomdxBarControl* Window, TdxBarItemLink* Link) {
  if (!Window || !Link) return;
  TdxBarManager* manager = Window->OwningBarManager();
  if (!manager) return;
  ShowPopup(manager, linkPopup_,
            [&](TdxBarItemLinks* Links) { FillLinkContextEntries(Links, Link, Window->ClassType()); },
            manager->OnShowCustomizingPopup);
}

// ---- link editors --------------------------------------------------------------------------------

namespace {

const TdxAddSeparatorEditor g_separatorEditor;

// The entry's click: the class of the clicked entry's caption, added at the customized link.
void EditorEntryClick(const TdxBarControlEditor* Editor, TObject* Sender) {
  auto* entry = dynamic_cast<TdxBarItem*>(Sender);
  TdxBarDesignController* controller = DesignControllerInstance();
  if (!entry || !controller) return;
  const String caption = entry->Caption();
  TClass itemClass = Editor->ItemClassFor(caption);
  if (!itemClass) return;
  if (TdxBarItemLink* link = controller->AddNewItemAtCustomizedLink(itemClass)) Editor->InitNewLink(link, caption);
}

bool CustomizedOwnerAllowsEditing() {
  TdxBarDesignController* controller = DesignControllerInstance();
  TdxBarItemLink* link = controller ? controller->CustomizedLink() : nullptr;
  TdxBarManager* manager = link ? link->BarManager() : nullptr;
  return manager && manager->OwnerAllowsEditing();
}

}  // namespace

void TdxBarControlEditor::AddToMenu(TdxBarItemLinks* Links, bool BeginGroup) const {
  TdxBarDesignController* controller = DesignControllerInstance();
  auto* entryClass = dynamic_cast<TComponentClass>(EntryClass());
  if (!controller || !entryClass) return;
  TdxBarItemLink* entry = controller->AddInternalItemLink(Links, entryClass, BeginGroup, 0, nullptr, EntryCaption());
  SetupEntry(entry);
}

TClass TdxAddSubItemEditor::ItemClassFor(const String&) const { return &TdxBarSubItem::ClassInfo(); }
String TdxAddSubItemEditor::EntryCaption() const { return dxBarString(dxbsAddSubItem); }
TClass TdxAddSubItemEditor::EntryClass() const { return &TdxBarButton::ClassInfo(); }
void TdxAddSubItemEditor::SetupEntry(TdxBarItemLink* Entry) const {
  Entry->Item()->OnClick = [this](TObject* Sender) { EditorEntryClick(this, Sender); };
  Entry->Item()->SetEnabled(CustomizedOwnerAllowsEditing());
}

TClass TdxAddButtonEditor::ItemClassFor(const String&) const { return &TdxBarButton::ClassInfo(); }
String TdxAddButtonEditor::EntryCaption() const { return dxBarString(dxbsAddButton); }

TClass TdxAddSeparatorEditor::ItemClassFor(const String&) const { return &TdxBarSeparator::ClassInfo(); }
String TdxAddSeparatorEditor::EntryCaption() const { return dxBarString(dxbsAddSeparator); }

TClass TdxItemsEditorEx::ItemClassFor(const String& Caption) const {
  TdxBarItemList* registry = ItemClassRegistry();
  for (int i = 0; registry && i < registry->CountShownInDialog(); ++i) {
    if (TClass cls = registry->ShownItemClassAt(i); cls && cls->ClassName() == Caption) return cls;
  }
  return nullptr;
}
String TdxItemsEditorEx::EntryCaption() const { return dxBarString(dxbsAddItem); }
TClass TdxItemsEditorEx::EntryClass() const { return &TdxBarSubItem::ClassInfo(); }
void TdxItemsEditorEx::SetupEntry(TdxBarItemLink* Entry) const {
  const bool enabled = CustomizedOwnerAllowsEditing();
  auto* sub = static_cast<TdxBarSubItem*>(Entry->Item());
  sub->SetEnabled(enabled);
  sub->ItemLinks()->Internal = true;
  TdxBarDesignController* controller = DesignControllerInstance();
  TdxBarItemList* registry = ItemClassRegistry();
  if (!enabled || !controller || !registry) return;
  for (int i = 0; i < registry->CountShownInDialog(); ++i) {
    TClass cls = registry->ShownItemClassAt(i);
    if (!cls) continue;
    controller->AddInternalItemLink(sub->ItemLinks(), &TdxBarButton::ClassInfo(), false, 0,
                                    [this](TObject* Sender) { EditorEntryClick(this, Sender); }, cls->ClassName());
  }
}

void TCustomdxBarControlDesignHelper::CollectEditors(std::vector<const TdxBarControlEditor*>& List) const {
  if (TdxBarDesignController* controller = DesignControllerInstance()) {
    for (const TdxBarControlEditor* editor : controller->Editors()) List.push_back(editor);
  }
}

void TdxBarSubMenuControlDesignHelper::CollectEditors(std::vector<const TdxBarControlEditor*>& List) const {
  TCustomdxBarControlDesignHelper::CollectEditors(List);
  List.push_back(&g_separatorEditor);
}

void TdxBarDesignController::RegisterBarControlEditor(const TdxBarControlEditor* Editor) {
  if (Editor && std::find(editors_.begin(), editors_.end(), Editor) == editors_.end()) editors_.push_back(Editor);
}

TdxBarItemLink* TdxBarDesignController::AddNewItemAtCustomizedLink(TClass ItemClass) {
  TdxBarItemLink* customized = CustomizedLink();
  auto* componentClass = dynamic_cast<TComponentClass>(ItemClass);
  TdxBarManager* manager = customized ? customized->BarManager() : nullptr;
  TdxBarItemLinks* links = targetLinks_ ? targetLinks_ : customized ? customized->OwnerLinks() : nullptr;
  if (!manager || !componentClass || !links) return nullptr;
  manager->BeginBarsUpdate();
  links->BeginUpdate();
  TdxBarItemLink* link = nullptr;
  try {
    auto* item = As<TdxBarItem>(componentClass->Create(manager->Owner()));
    const int category = manager->Categories()->IndexOf(dxBarString(dxbsDefaultCategory));
    item->SetCategory(category >= 0 ? category : 0);
    item->SetName(manager->UniqueItemName(ItemClass));
    item->SetCaption(item->GetDefaultCaption());
    link = links->AddItemLink(item);
    if (customized->OwnerLinks() == links) links->MoveLink(link->Index(), customized->Index() + 1);
  } catch (...) {
    links->EndUpdate();
    manager->EndBarsUpdate();
    throw;
  }
  links->EndUpdate();
  manager->EndBarsUpdate();
  manager->NotifyDesignerModified();
  return link;
}
