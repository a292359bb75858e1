#pragma once
// The process-wide controller of bars being designed or customized: the last selected bar object,
// deleting the selection, the internal items of its menus, the toolbars popup and the entries of a
// link's context menu.

#include <vector>

#include "ui/bars/BarSupport.h"
#include "ui/foundation/Controls.h"

class TcxObjectLink;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarManager;
class TdxBarPainter;
class TdxBarPopupMenu;
class TCustomdxBarControl;

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

// What a kind of bar window leaves out of its links' context menus.
class TCustomdxBarControlDesignHelper {
 public:
  virtual ~TCustomdxBarControlDesignHelper() = default;
  virtual int RestrictedOperations() const { return 0x09E0; }
  void ExcludeOperations(int& Operations) const { Operations &= ~RestrictedOperations(); }
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
  TdxBarItemLink* AddCustomizeLink(TdxBarItemLinks* Links, TdxBarManager* Manager, bool BeginGroup);

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
  // Renames through the name box: an empty name changes nothing and shows "A command name cannot be
  // blank. Please enter a name."; at run time the link's user caption, at design time the item's
  // caption.
  bool RenameLink(TdxBarItemLink* Link, const String& Name);

  // Bit 0: a link drag is running.
  int StateFlags = 0;

 private:
  struct HelperEntry {
    TClass WindowClass;
    const TCustomdxBarControlDesignHelper* Helper;
  };
  std::vector<HelperEntry> helpers_;
  // Weak: an internal item's owner (the manager's owner) may free it first.
  std::vector<TcxObjectLink*> internalItems_;
  TcxObjectLink* lastSelected_ = nullptr;
  int recheckLock_ = 0;
  TdxBarPopupMenu* toolbarsPopup_ = nullptr;
  TdxBarPopupMenu* linkPopup_ = nullptr;
  TcxObjectLink* customizedLink_ = nullptr;
  // Runs the entry's operation on the customized link.
  void EntryClick(TObject* Sender);
  TdxBarItem* AddEntry(TdxBarItemLinks* Links, TComponentClass ItemClass, int Operation, int Index,
                       const String& Caption, bool BeginGroup);
};

// The controller, made on first use; null once the bar library is finalizing.
TdxBarDesignController* DesignControllerInstance();
// Frees the controller; later calls of DesignControllerInstance answer null.
void FinalizeDesignController();
