#pragma once
// The small classes the bar manager and the bar windows stand on: the painting canvas with its
// stack of saved states, the system controller (a message window for thread synchronisation), the
// base component of items, groups and popup menus with its design-selection interface, the two
// lists that do not own their entries, item groups, the links that attach a bar popup menu to a
// control's context menu, and the manager's two background bitmaps.

#include <memory>
#include <vector>

#include "platform/framework/classes/Collection.h"
#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/classes/Thread.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/windows/Controls.h"
#include "platform/framework/windows/ShortCuts.h"
#include "ui/bars/BarTypes.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Controls.h"
#include "ui/foundation/Messages.h"

// Runs a defined property's reader; a failure becomes an EReadError that names the property.
template <class Body>
void ReadNamedProperty(TPersistent& Owner, const String& Name, Body&& body) {
  try {
    body();
  } catch (const Exception& error) {
    String owner = Owner.GetNamePath();
    if (owner.empty()) owner = Owner.ClassName();
    const String prefix = L"Error reading " + owner + L"." + Name + L": ";
    if (error.Message().compare(0, prefix.size(), prefix) == 0) throw;
    throw EReadError(prefix + error.Message());
  }
}

// ---- design selection -------------------------------------------------------------------------

// What a design selection (the form designer, or customizing mode at run time) asks of a bar object:
// items, groups, popup menus, links and toolbars. Query it with Supports; the manager itself does not
// implement it.
class IdxBarSelectableItem : public virtual IInterface {
 public:
  // DeleteComponent: the request is for the component itself, not only its placements.
  virtual bool AllowsDelete(bool DeleteComponent) = 0;
  // Deletes the object when allowed; clears Reference first.
  virtual void DeleteSelected(IdxBarSelectableItem*& Reference, bool DeleteComponent) = 0;
  // Copies one customizing command's value from Model (the link whose customizing menu is open).
  virtual void ApplyCustomizingCommand(TdxBarItemLink* Model, int Command) = 0;
  virtual TdxBarManager* SelectionBarManager() = 0;
  virtual TObject* SelectableInstance() = 0;
  virtual void AddSelectionComponents(TList& List) = 0;
  virtual void NextSelectable(IdxBarSelectableItem*& Reference) = 0;
  virtual TPersistent* SelectionParent() = 0;
  virtual int SelectionStatus() = 0;
  virtual int DesignMenuFlags() = 0;
  virtual void InvalidateSelection() = 0;
  virtual bool IsComplexSelection() = 0;
  virtual bool IsSelected() = 0;
  virtual void Select(int Mode) = 0;
  virtual bool SelectParent() = 0;
  virtual void SelectionChanged() = 0;

 protected:
  ~IdxBarSelectableItem() override = default;
};

// The selectable-item interface of an object, or null.
inline IdxBarSelectableItem* SelectableItemOf(TObject* Object) { return Supports<IdxBarSelectableItem>(Object); }

// The selection service a manager asks while it is designed or customized: the form designer at
// design time, the customizing form's run-time selection controller at run time. Counted: the manager
// holds a reference while it is attached.
class IdxBarDesigner : public virtual IInterface {
 public:
  virtual bool CanDelete(TObject* Object) = 0;
  // Appends every selected object to List.
  virtual void CollectSelection(TList& List) = 0;
  virtual bool SelectionState(TObject* Object) = 0;
  virtual bool IsSelected(TObject* Object) = 0;
  // Operation: a TdxBarSelectionOperation.
  virtual void SelectObject(TObject* Object, int Operation) = 0;
  virtual void ReplaceSelection(TList& List) = 0;
  virtual void OpenDefaultHandler(TObject* Item) = 0;
  virtual String MakeUniqueName(const String& BaseName) = 0;

 protected:
  ~IdxBarDesigner() override = default;
};

// ---- a persistent owned by a manager ----------------------------------------------------------

class TdxBarPersistent : public TPersistent {
  DECLARE_CLASS(TdxBarPersistent, TPersistent)
 public:
  explicit TdxBarPersistent(TdxBarManager* ABarManager) : barManager_(ABarManager) {}
  TdxBarManager* BarManager() const { return barManager_; }
  TPersistent* GetOwner() override;

 private:
  TdxBarManager* barManager_;
};

// ---- lists that do not own their entries ------------------------------------------------------

// A non-owning object list.
class TdxObjectList : public TObjectList {
  DECLARE_CLASS(TdxObjectList, TObjectList)
 public:
  TdxObjectList() : TObjectList(false) {}
  // Clears Target, gives it this list's capacity and copies the entries in order (uniquely into
  // another TdxObjectList).
  void CopyToList(TList& Target) const;
  TObject* LastObject() const { return Count() > 0 ? Items(Count() - 1) : nullptr; }
  TObject* ObjectAt(int Index) const { return Index >= 0 && Index < Count() ? Items(Index) : nullptr; }
};

// Adds the object unless null or present; its position (-1 for null).
int AddUniqueObject(TList& List, TObject* Object);

class TdxComponentList;
// Change codes of TdxComponentList::OnChanged.
enum TdxComponentListChange { clcAdded = 0, clcChanged = 1, clcExtracted = 3, clcDeleted = 4 };
using TdxComponentListNotifyEvent =
    TEvent<void(TdxComponentList* List, TComponent* Component, TListNotification Action)>;
using TdxComponentListChangedEvent =
    TEvent<void(TdxComponentList* List, TComponent* Component, TdxComponentListChange Change)>;

// A component list that does not own its components unless told to, with an update counter, a
// notify event for every insertion and removal, and a changed event while not updating. It accepts
// only components of its entry class: another one that gets added is taken out again at once.
class TdxComponentList : public TComponentList {
  DECLARE_CLASS(TdxComponentList, TComponentList)
 public:
  explicit TdxComponentList(bool AOwnsObjects = false) : TComponentList(AOwnsObjects) {}
  // Empties the list with the counter held, so no changed event fires.
  ~TdxComponentList() override;

  void BeginUpdate() { ++updateCount_; }
  // With Changed, the changed event fires (null, clcChanged) unless still updating.
  void EndUpdate(bool Changed = true);
  int UpdateCount() const { return updateCount_; }
  // Fires the changed event unless updating.
  void ReportChange(TComponent* Component, TdxComponentListChange Change);

  TdxComponentListNotifyEvent OnNotify;
  TdxComponentListChangedEvent OnChanged;

 protected:
  virtual TClass EntryClass() const { return &TComponent::ClassInfo(); }
  // An accepted component joined; one is leaving (before an owning list frees it).
  virtual void ComponentAdded(TComponent*) {}
  virtual void ComponentRemoved(TComponent*) {}
  void Notify(void* Item, TListNotification Action) override;
  // Takes every entry out (or frees it when owning); destructors of descendants call it while their
  // overrides are in place.
  void Empty();

 private:
  int updateCount_ = 0;
  bool rejecting_ = false;
};

// The list of bar components: each component knows the lists it is in.
class TdxBarComponentList : public TdxComponentList {
  DECLARE_CLASS(TdxBarComponentList, TdxComponentList)
 public:
  explicit TdxBarComponentList(bool AOwnsObjects = false) : TdxComponentList(AOwnsObjects) {}
  ~TdxBarComponentList() override;
  TdxBarComponent* ComponentAt(int Index) const;

 protected:
  TClass EntryClass() const override;
  void ComponentAdded(TComponent* Component) override;
  void ComponentRemoved(TComponent* Component) override;
};

// ---- the base component -----------------------------------------------------------------------

// Base of items, groups and popup menus: a component of the form that belongs to a bar manager.
class TdxBarComponent : public TComponent, public IdxBarSelectableItem {
  DECLARE_CLASS(TdxBarComponent, TComponent)
 public:
  explicit TdxBarComponent(TComponent* AOwner) : TComponent(AOwner) {}
  ~TdxBarComponent() override;

  TdxBarManager* BarManager() const { return barManager_; }
  // Every list that holds the component reports a change of it (null when Destroying); nothing
  // while the component is being destroyed.
  virtual void NotifyLists(bool Destroying);
  int ListCount() const { return int(lists_.size()); }

  int _AddRef() override { return -1; }
  int _Release() override { return -1; }

  // IdxBarSelectableItem: inert at run time, through the manager's designer wrappers.
  bool AllowsDelete(bool DeleteComponent) override;
  void DeleteSelected(IdxBarSelectableItem*& Reference, bool DeleteComponent) override;
  void ApplyCustomizingCommand(TdxBarItemLink*, int) override {}
  TdxBarManager* SelectionBarManager() override { return barManager_; }
  TObject* SelectableInstance() override { return this; }
  void AddSelectionComponents(TList& List) override;
  void NextSelectable(IdxBarSelectableItem*& Reference) override { Reference = nullptr; }
  TPersistent* SelectionParent() override { return Owner(); }
  int SelectionStatus() override;
  int DesignMenuFlags() override { return 2; }
  void InvalidateSelection() override {}
  bool IsComplexSelection() override { return false; }
  bool IsSelected() override;
  void Select(int Mode) override;
  bool SelectParent() override { return false; }
  void SelectionChanged() override {}

 protected:
  TdxBarManager* barManager_ = nullptr;

 private:
  friend class TdxBarComponentList;
  std::vector<TdxBarComponentList*> lists_;
};

// ---- groups -----------------------------------------------------------------------------------

// Switches Enabled and Visible of many items (and nested groups) at once. Streamed as a child of its
// manager; its members as the defined property "Items" (their names).
class TdxBarGroup : public TdxBarComponent {
  DECLARE_CLASS(TdxBarGroup, TdxBarComponent)
 public:
  explicit TdxBarGroup(TComponent* AOwner);
  ~TdxBarGroup() override;
  void Loaded() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  TdxBarItemVisible Visible() const { return visible_; }
  void SetVisible(TdxBarItemVisible Value);

  int ItemCountOf() const;
  TdxBarComponent* ItemAt(int Index) const;
  String ItemNameAt(int Index) const;
  // Nothing for null or a member; a group that is this one or contains it at any depth raises
  // "You cannot create recursive groups".
  void AddMember(TComponent* Component);
  // Adds every component of Chosen that is not null and not a member yet, inside one update of the
  // members that closes on every path. When one of them would make the groups recursive nothing is
  // added and False comes back.
  bool AddMembers(const std::vector<TComponent*>& Chosen);
  int IndexOfMember(TComponent* Component) const;
  void RemoveMember(TComponent* Component);
  // Moves the member at From to To (the customizing dialog's group-item moves).
  void MoveMember(int From, int To);
  // The same member names in the same order.
  bool SameItemsAs(TdxBarGroup* Other) const;
  // True when Group is this group or a member of it at any depth.
  bool Contains(TdxBarGroup* Group) const;
  int IndexInManager() const;
  void SetIndexInManager(int Index);

  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return barManager_ != nullptr; }
  void SetParentComponent(TComponent* Value) override;
  void SetName(const String& NewName) override;

 protected:
  void DefineProperties(TFiler& Filer) override;

 private:
  friend class TdxBarManager;
  void ReadItems(TReader& Reader);
  void WriteItems(TWriter& Writer);
  void AddMembersNamed(const TStrings& Names);
  // Apply to each item and nested group, inside one bars update.
  template <class Apply>
  void ApplyToMembers(Apply&& apply);

  bool enabled_ = true;
  TdxBarItemVisible visible_ = ivAlways;
  ObjectPtr<TdxBarComponentList> members_;
  std::unique_ptr<TStringList> pendingNames_;
};

// ---- the painting canvas ----------------------------------------------------------------------

// A canvas over a TCanvas of its own, with a stack of saved states: PushDC paints on another device
// context, PushCanvas on another canvas; PopState undoes the last of them.
class TdxBarCanvas : public TcxCanvas {
  DECLARE_CLASS(TdxBarCanvas, TcxCanvas)
 public:
  TdxBarCanvas();
  ~TdxBarCanvas() override;

  void PushDC(HDC DC);
  void PushCanvas(TCanvas* ACanvas);
  // Nothing on an empty stack.
  void PopState();
  bool HasHandle() const { return Canvas()->HandleAllocated(); }
  int StateCount() const { return int(states_.size()); }

 private:
  struct SavedState {
    TCanvas* PreviousCanvas = nullptr;  // set for PushCanvas
    HDC PreviousHandle = nullptr;
    HDC DC = nullptr;
    int SaveIndex = 0;
    bool CanvasStateSaved = false;
  };
  ObjectPtr<TCanvas> ownCanvas_;
  std::vector<SavedState> states_;
};

// ---- the system controller --------------------------------------------------------------------

// True when this code runs in a library (a DLL) rather than in the program's executable.
bool ModuleIsLibrary();

// A message window. In a library it takes over the framework's main-thread wake-up hook, so that
// worker threads' Synchronize requests post DXM_BAR_SYNCHRONIZE to it and its handler runs the
// queue; its destructor gives the previous hook (and the previous controller) back. In an
// executable it is a plain message window.
class TdxBarSystemController : public TcxMessageWindow {
  DECLARE_CLASS(TdxBarSystemController, TcxMessageWindow)
 public:
  explicit TdxBarSystemController(bool AIsLibrary = ModuleIsLibrary());
  ~TdxBarSystemController() override;
  bool IsLibrary() const { return isLibrary_; }

 protected:
  void ProcessWindowMessage(TMessage& Message) override;

 private:
  static void WakeMainThread();
  bool isLibrary_;
  TWakeMainThread previousHook_ = nullptr;
  // The window of the controller that had the hook before this one.
  HWND previousWindow_ = nullptr;
};

// ---- popup-menu links -------------------------------------------------------------------------

class TdxBarPopupMenuLink;
using TdxBarPopupMenuLinkActionEvent =
    TEvent<void(TdxBarPopupMenuLink* Sender, int& X, int& Y, bool ClickedByMouse, bool& AllowPopup)>;

// Attaches a bar popup menu to a control's context menu, and lets the menu's shortcuts work while
// the control (or, with ProcessChildren, one of its children) has the focus. The link watches the
// control's messages through a window-procedure hook of its own, removed by identity, so any number
// of links (and other hooks) on one control can come and go in any order.
class TdxBarPopupMenuLink : public TCollectionItem {
  DECLARE_CLASS(TdxBarPopupMenuLink, TCollectionItem)
 public:
  explicit TdxBarPopupMenuLink(TCollection* Collection);
  ~TdxBarPopupMenuLink() override;
  void BeforeDestruction() override;
  void Assign(TPersistent* Source) override;

  TControl* Control() const { return control_; }
  // A control outside the manager's owner is taken as null.
  void SetControl(TControl* Value);
  // The control is being freed (its free notification reached the manager): forget it without
  // touching it, its hooks go with it.
  void ControlFreed() { control_ = nullptr; }
  TdxBarPopupMenu* PopupMenu() const { return popupMenu_; }
  bool ProcessChildren = true;
  TdxBarPopupMenuLinkActionEvent OnAction;

  TdxBarManager* BarManager() const;
  // Point in the control's client coordinates, (-1, -1) for the keyboard. True when the popup is
  // allowed (and, with a menu, shown).
  bool ShowPopup(TPoint Point);
  // OnAction as the shortcut path asks it: position (-1, -1), not by mouse. The answer to allow.
  bool AllowsShortCut();

 private:
  void HookProc(TMessage& Message, TWindowProcChain& Next);
  void ContextPopup(TObject* Sender, TPoint MousePos, bool& Handled);
  void Unhook();

  TControl* control_ = nullptr;
  TdxBarPopupMenu* popupMenu_ = nullptr;
  TContextPopupEvent previousContextPopup_;
  TWindowProcHook hook_;
  TContextPopupEvent handler_;
};

class TdxBarPopupMenuLinks : public TCollection {
  DECLARE_CLASS(TdxBarPopupMenuLinks, TCollection)
 public:
  explicit TdxBarPopupMenuLinks(TdxBarManager* ABarManager);
  TdxBarManager* BarManager() const { return barManager_; }
  TPersistent* GetOwner() override;
  TdxBarPopupMenuLink* LinkAt(int Index) const { return static_cast<TdxBarPopupMenuLink*>(Items(Index)); }
  TdxBarPopupMenuLink* Add() { return static_cast<TdxBarPopupMenuLink*>(TCollection::Add()); }
  // First the links on Control itself, then the links with ProcessChildren on a windowed control that
  // contains it; then the links of the manager around the manager's owner.
  bool IsShortCut(TControl* Control, TShortCut ShortCut);

 private:
  bool LinkHandlesShortCut(TdxBarPopupMenuLink* Link, TShortCut ShortCut);
  TdxBarManager* barManager_;
};

// ---- backgrounds ------------------------------------------------------------------------------

class TdxBarBackgrounds : public TdxBarPersistent {
  DECLARE_CLASS(TdxBarBackgrounds, TdxBarPersistent)
 public:
  explicit TdxBarBackgrounds(TdxBarManager* ABarManager);
  ~TdxBarBackgrounds() override;
  void Assign(TPersistent* Source) override;

  TBitmap* Bar() const { return bar_.get(); }
  // Runs the manager's style change when Value is given or the old bitmap was not empty.
  void SetBar(TBitmap* Value);
  TBitmap* SubMenu() const { return subMenu_.get(); }
  void SetSubMenu(TBitmap* Value);

 private:
  void BarChanged(TObject* Sender);
  ObjectPtr<TBitmap> bar_;
  ObjectPtr<TBitmap> subMenu_;
};
