#include "ui/bars/customize/SelectionController.h"

#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/Classes.h"

DEFINE_CLASS(TdxBarRunTimeSelectionController)

namespace {

// Toolbars form one family, everything else the other (a link counts with the items).
bool IsBarFamily(TObject* Object) { return dynamic_cast<TdxBar*>(Object) != nullptr; }

bool IsItemFamily(TObject* Object) {
  return dynamic_cast<TdxBarItem*>(Object) != nullptr || dynamic_cast<TdxBarItemLink*>(Object) != nullptr;
}

}  // namespace

TdxBarRunTimeSelectionController::~TdxBarRunTimeSelectionController() {
  for (TcxObjectLink* link : selection_) ReleaseObjectLink(link);
}

void TdxBarRunTimeSelectionController::Prune() {
  for (size_t i = selection_.size(); i-- > 0;) {
    if (!selection_[i]->Ref) {
      ReleaseObjectLink(selection_[i]);
      selection_.erase(selection_.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}

int TdxBarRunTimeSelectionController::SelectedCount() {
  Prune();
  return static_cast<int>(selection_.size());
}

void TdxBarRunTimeSelectionController::CollectSelection(TList& List) {
  Prune();
  for (TcxObjectLink* link : selection_) List.Add(link->Ref);
}

bool TdxBarRunTimeSelectionController::IsSelected(TObject* Object) {
  if (!Object) return false;
  for (TcxObjectLink* link : selection_) {
    if (link->Ref == Object) return true;
  }
  return false;
}

void TdxBarRunTimeSelectionController::Repaint(TObject* Object) {
  // Not every selectable object answers the selectable-item interface (the manager does not).
  if (IdxBarSelectableItem* item = Supports<IdxBarSelectableItem>(Object)) item->SelectionChanged();
}

void TdxBarRunTimeSelectionController::Changed(TObject* Object) {
  lastChanged_ = Object;
  if (updateCount_ > 0) {
    changedWhileUpdating_ = true;
    return;
  }
  if (OnSelectionChanged) OnSelectionChanged(this, Object);
}

void TdxBarRunTimeSelectionController::Remove(size_t Index) {
  TObject* object = selection_[Index]->Ref;
  ReleaseObjectLink(selection_[Index]);
  selection_.erase(selection_.begin() + static_cast<std::ptrdiff_t>(Index));
  Repaint(object);
  Changed(object);
}

bool TdxBarRunTimeSelectionController::Select(TObject* Object) {
  Prune();
  if (IsSelected(Object)) return false;
  const bool bar = IsBarFamily(Object);
  bool changed = false;
  for (size_t i = selection_.size(); i-- > 0;) {
    TObject* selected = selection_[i]->Ref;
    if (bar ? IsBarFamily(selected) : IsItemFamily(selected)) {
      Remove(i);
      changed = true;
    }
  }
  if (Object) {
    selection_.push_back(AcquireObjectLink(Object));
    Repaint(Object);
    Changed(Object);
    changed = true;
  }
  return changed;
}

void TdxBarRunTimeSelectionController::SelectObject(TObject* Object, int Operation) {
  if (Operation == soAdd || Operation == soExclusive) Select(Object);
}

void TdxBarRunTimeSelectionController::ReplaceSelection(TList& List) {
  ++updateCount_;
  changedWhileUpdating_ = false;
  try {
    for (int i = 0; i < List.Count(); ++i) Select(static_cast<TObject*>(List.Items(i)));
  } catch (...) {
    --updateCount_;
    throw;
  }
  --updateCount_;
  if (changedWhileUpdating_ && updateCount_ == 0) {
    changedWhileUpdating_ = false;
    if (OnSelectionChanged) OnSelectionChanged(this, lastChanged_);
  }
}
