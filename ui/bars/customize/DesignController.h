#pragma once
// The process-wide controller of bars being designed or customized: the last selected bar object,
// deleting the selection, the internal items of its menus, the toolbars popup and the entries of a
// link's context menu.

#include <functional>
#include <vector>

#include "ui/bars/BarManager.h"
#include "ui/bars/BarSupport.h"
#include "ui/foundation/Controls.h"

class TcxObjectLink;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarManager;
class TdxBarPainter;
class TdxBarPopupMenu;
class TCustomdxBarControl;
class TdxBarControl;

// The operations of a link's context menu; bit n of an operation set is operation n.
enum TdxBarLinkOperation {
  loReset = 0,
  loDeleteLinks = 1,
  loDeleteItems = 2,
  loDeleteLink = 3,
  loName = 4,
  loPaintStyle = 5,
  loPosition = 6,
  loViewLevels = 7,
  loButtonGroup = 8,
  loBeginGroup = 9,
  loVisible = 10,
  loMostRecentlyUsed = 11
};

// A link editor: one entry of a link's context menu at design time that adds a new item next to the
// customized link. Stateless; one object per kind.
class TdxBarControlEditor {
 public:
  virtual ~TdxBarControlEditor() = default;
  // The item class a clicked entry stands for.
  virtual TClass ItemClassFor(const String& /*Caption*/) const { return nullptr; }
  virtual String EntryCaption() const { return String(); }
  // Binds the entry's click and enabled state.
  virtual void SetupEntry(TdxBarItemLink* /*Entry*/) const {}
  // The class of the entry itself.
  virtual TClass EntryClass() const { return nullptr; }
  virtual void InitNewLink(TdxBarItemLink* /*Link*/, const String& /*Caption*/) const {}
  // Adds the entry (an internal link) to Links.
  virtual void AddToMenu(TdxBarItemLinks* Links, bool BeginGroup) const;
};
// "Add &SubItem", "Add &Button", "Add &Separator": a click adds an item of that class.
class TdxAddSubItemEditor : public TdxBarControlEditor {
 public:
  TClass ItemClassFor(const String& Caption) const override;
  String EntryCaption() const override;
  void SetupEntry(TdxBarItemLink* Entry) const override;
  TClass EntryClass() const override;
};
class TdxAddButtonEditor : public TdxAddSubItemEditor {
 public:
  TClass ItemClassFor(const String& Caption) const override;
  String EntryCaption() const override;
};
class TdxAddSeparatorEditor : public TdxAddSubItemEditor {
 public:
  TClass ItemClassFor(const String& Caption) const override;
  String EntryCaption() const override;
};
// "Add &Item": a sub-menu with one entry per item class the new-item dialog offers.
class TdxItemsEditorEx : public TdxBarControlEditor {
 public:
  TClass ItemClassFor(const String& Caption) const override;
  String EntryCaption() const override;
  void SetupEntry(TdxBarItemLink* Entry) const override;
  TClass EntryClass() const override;
};

// What a kind of bar window leaves out of its links' context menus, and which editors it offers.
class TCustomdxBarControlDesignHelper {
 public:
  virtual ~TCustomdxBarControlDesignHelper() = default;
  virtual int RestrictedOperations() const { return 0x09E0; }
  void ExcludeOperations(int& Operations) const { Operations &= ~RestrictedOperations(); }
  // Every registered editor.
  virtual void CollectEditors(std::vector<const TdxBarControlEditor*>& List) const;
};
// Toolbars offer the paint styles.
class TdxBarControlDesignHelper : public TCustomdxBarControlDesignHelper {
 public:
  int RestrictedOperations() const override { return 0x09C0; }
};
// Menus offer "most recently used".
class TdxBarSubMenuControlDesignHelper : public TCustomdxBarControlDesignHelper {
 public:
  int RestrictedOperations() const override { return 0x01E0; }
  // With the separator editor too.
  void CollectEditors(std::vector<const TdxBarControlEditor*>& List) const override;
};

class TdxBarDesignController : public TcxDesignController {
  DECLARE_CLASS(TdxBarDesignController, TcxDesignController)
 public:
  TdxBarDesignController();
  ~TdxBarDesignController() override;

  // ---- design helpers by bar-window class (the most derived registered class answers)
  void RegisterDesignHelper(TClass WindowClass, const TCustomdxBarControlDesignHelper* Helper);
  void UnregisterDesignHelper(TClass WindowClass);
  const TCustomdxBarControlDesignHelper* DesignHelperFor(TClass WindowClass) const;

  void RegisterBarControlEditor(const TdxBarControlEditor* Editor);
  const std::vector<const TdxBarControlEditor*>& Editors() const { return editors_; }

  // A new item of the class with a link next to the customized link (in the links of the open context
  // menu): owned by the manager's owner, in the category "Default", uniquely named, with its class's
  // default caption.
  TdxBarItemLink* AddNewItemAtCustomizedLink(TClass ItemClass);
  // The links the context menu was opened for (the customized link's own links unless set).
  void SetTargetLinks(TdxBarItemLinks* Links) { targetLinks_ = Links; }

  // ---- selection
  // The item selects itself; soExtend re-checks the last selected, soAdd and soExclusive make the
  // item the last selected.
  void ApplySelection(IdxBarSelectableItem* Item, int Operation);
  // Through the object's selectable item, else the customizing manager's designer.
  void SelectPersistent(TObject* Object, int Operation);
  IdxBarSelectableItem* LastSelected();
  void SetLastSelected(IdxBarSelectableItem* Item);
  void ForgetLastSelected(IdxBarSelectableItem* Item);
  bool IsItemLastSelected(TObject* Object);
  // Drops the last selected when it is no longer selected; nothing while the re-check is locked.
  void RecheckLastSelected();
  // Held while the focus moves into the customizing form, so the move does not drop the selection.
  void LockSelectionRecheck() { ++recheckLock_; }
  void UnlockSelectionRecheck() {
    if (recheckLock_ > 0) --recheckLock_;
  }
  bool SelectionRecheckLocked() const { return recheckLock_ > 0; }
  // The manager of the last selected, else the first manager with a selection; null when it is not
  // usable (NeedWindow: its owner's window must exist).
  TdxBarManager* CustomizingManager(bool NeedWindow);

  // Del (links) and Ctrl+Del (items). At run time only links are deleted (the selected links and the
  // link of the selected control in customizing mode), never an item: DeleteItems answers False. At
  // design time the selection deletes itself. True when something was handled.
  bool DeleteSelectedObjects(bool DeleteItems, bool NeedFocus);
  // The last selected object of the customizing manager handles Escape.
  bool HandleEscapeOnSelection();

  // ---- internal items (entries of the controller's menus, kept out of the managers' item lists)
  TdxBarItemLink* AddInternalItemLink(TdxBarItemLinks* Links, TComponentClass ItemClass, bool BeginGroup,
                                      NativeInt Tag, const TNotifyEvent& OnClick, const String& Caption);
  void AddInternalItem(TdxBarItem* Item);
  // Frees the internal items of those links and empties them.
  void FreeLinkedItems(TdxBarItemLinks* Links);
  void ClearInternalItems();
  int InternalItemCount() const;
  // "&Customize..." (only when the manager may be customized; disabled while it is customizing).
  TdxBarItemLink* AddCustomizeLink(TdxBarItemLinks* Links, TdxBarManager* Manager, bool BeginGroup,
                                   TComponentClass EntryClass = nullptr);

  // ---- the toolbars popup
  // One checked entry per toolbar the user may close that is neither hidden nor merged, then
  // "&Customize...".
  void FillToolbarEntries(TdxBarItemLinks* Links, TdxBarManager* Manager);
  // Shows the toolbars popup at the cursor (its own loop); nothing without entries.
  void ShowToolbarsPopup(TdxBarManager* Manager);
  TdxBarPopupMenu* ToolbarsPopup() const { return toolbarsPopup_; }

  // ---- the link context menu
  // The operations offered for Link in a window of the class: the link's own, less what the window's helper
  // restricts; at design time only what every selected object offers too.
  int LinkOperations(TdxBarItemLink* Link, TClass WindowClass);
  // Applies one operation (with its entry index, for the paint style, position, view levels and button
  // group) to Link; True when something changed.
  bool ApplyLinkOperation(TdxBarItemLink* Link, int Operation, int Index);
  // Adds the context menu's entries for Link in a window of the class to Links: one entry per offered
  // operation in the order of the operations (the paint styles as four radio entries, the position,
  // view levels and button group as sub-menus). Each entry's Tag holds the operation in its high word
  // and the entry index in its low word; a click applies it to the link.
  void FillLinkContextEntries(TdxBarItemLinks* Links, TdxBarItemLink* Link, TClass WindowClass);
  // The link context menu of a customizing bar window at the cursor (its own loop).
  void ShowLinkContextMenu(TCustomdxBarControl* Window, TdxBarItemLink* Link);
  // The link the open context menu was built for (null once it was freed).
  TdxBarItemLink* CustomizedLink() const;
  bool IsCustomizationPopupShown() const { return linkPopup_ != nullptr; }
  // True: the open context menu's window goes topmost, and the bar windows of the customized link's
  // chain (its window, that window's parent, ...) each just below the one before, so the chain stays
  // visible over a topmost dialog. False: the chain from its top down, then the menu, go back.
  void SetPopupTopmost(bool Value);
  // Renames through the name box: an empty name changes nothing and shows "A command name cannot be
  // blank. Please enter a name."; at run time the link's user caption, at design time the item's
  // caption.
  bool RenameLink(TdxBarItemLink* Link, const String& Name);

  // Bit 0: a link drag is running.
  int StateFlags = 0;

  // ---- the quick-customization bar (the check list a toolbar's mark opens while customizing is off)
  // Held weakly; null when none is open.
  TCustomdxBarControl* QuickCustomizationBar() const;
  void SetQuickCustomizationBar(TCustomdxBarControl* Bar);
  // The toolbar window that opened it sets its mark state to 0, which closes the bar.
  void ResetQuickCustomizationBar();
  // Made for the toolbar window (with its painter), filled by it and shown at the mark's screen
  // rectangle.
  TCustomdxBarControl* ShowQuickCustomizeBar(TdxBarControl* Window, const TRect& MarkRect);
  // Frees the bar when Window opened it; True when Window itself went with it.
  bool FreeQuickCustomizationBarOf(TCustomdxBarControl* Window);
  // The selection moved into From: an open bar that is neither From nor active starts its leave timer.
  void StartQuickBarLeaveTimer(TCustomdxBarControl* From);

 private:
  struct HelperEntry {
    TClass WindowClass;
    const TCustomdxBarControlDesignHelper* Helper;
  };
  std::vector<HelperEntry> helpers_;
  std::vector<const TdxBarControlEditor*> editors_;
  TdxBarItemLinks* targetLinks_ = nullptr;
  // Weak: an internal item's owner (the manager's owner) may free it first.
  std::vector<TcxObjectLink*> internalItems_;
  TcxObjectLink* lastSelected_ = nullptr;
  int recheckLock_ = 0;
  TdxBarPopupMenu* toolbarsPopup_ = nullptr;
  TdxBarPopupMenu* linkPopup_ = nullptr;
  TcxObjectLink* customizedLink_ = nullptr;
  TcxObjectLink* quickCustomizationBar_ = nullptr;
  // Makes the popup in Slot, fills it, lets the manager's event add entries and shows it at the cursor;
  // frees its entries and itself when it closed.
  void ShowPopup(TdxBarManager* Manager, TdxBarPopupMenu*& Slot, const std::function<void(TdxBarItemLinks*)>& Fill,
                 const TdxBarShowPopupEvent& Event);
  // Runs the entry's operation on the customized link.
  void EntryClick(TObject* Sender);
  TdxBarItem* AddEntry(TdxBarItemLinks* Links, TComponentClass ItemClass, int Operation, int Index,
                       const String& Caption, bool BeginGroup);
};

// The controller, made on first use; null once the bar library is finalizing.
TdxBarDesignController* DesignControllerInstance();
// Frees the controller; later calls of DesignControllerInstance answer null.
void FinalizeDesignController();
