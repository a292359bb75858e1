#pragma once
// The selection service of customizing mode at run time: what the customizing form and the bar
// windows select while no form designer is attached.

#include <vector>

#include "ui/bars/BarSupport.h"

class TcxObjectLink;

// The run-time selection: at most one toolbar and one item (or link) at a time. Selected objects are
// watched weakly, so one that is freed simply leaves the selection. Counted: the manager that holds it
// as its designer frees it when it lets go.
class TdxBarRunTimeSelectionController : public TInterfacedObject, public IdxBarDesigner {
  DECLARE_CLASS(TdxBarRunTimeSelectionController, TInterfacedObject)
 public:
  TdxBarRunTimeSelectionController() = default;
  ~TdxBarRunTimeSelectionController() override;

  // IdxBarDesigner
  bool CanDelete(TObject*) override { return true; }
  void CollectSelection(TList& List) override;
  bool SelectionState(TObject* Object) override { return IsSelected(Object); }
  bool IsSelected(TObject* Object) override;
  // soAdd and soExclusive select the object; soExtend changes nothing.
  void SelectObject(TObject* Object, int Operation) override;
  // Selects each object in turn; one change event at the end when anything changed.
  void ReplaceSelection(TList& List) override;
  void OpenDefaultHandler(TObject*) override {}
  String MakeUniqueName(const String&) override { return String(); }

  int SelectedCount();
  // Fires after every change of the selection (Object: the one added or removed last).
  TEvent<void(TObject* Sender, TObject* Object)> OnSelectionChanged;

 private:
  // Drops the links of objects that were freed.
  void Prune();
  bool Select(TObject* Object);
  void Remove(size_t Index);
  void Repaint(TObject* Object);
  void Changed(TObject* Object);

  std::vector<TcxObjectLink*> selection_;
  int updateCount_ = 0;
  bool changedWhileUpdating_ = false;
  TObject* lastChanged_ = nullptr;
};
