#pragma once
// A designer for tests of the design state (csDesigning on a manager and its form).

#include <algorithm>
#include <vector>

#include "ui/bars/BarSupport.h"
#include "ui/bars/BarTypes.h"

namespace bar_testing {

// Holds a plain selection and records what the bars ask of it.
class TRecordingDesigner : public TInterfacedObject, public IdxBarDesigner {
  DECLARE_CLASS(TRecordingDesigner, TInterfacedObject)
 public:
  std::vector<TObject*> Selection;
  std::vector<String> Calls;
  bool CanDelete(TObject*) override { return true; }
  void CollectSelection(TList& List) override {
    for (TObject* o : Selection) List.Add(o);
  }
  bool SelectionState(TObject* Object) override { return IsSelected(Object); }
  bool IsSelected(TObject* Object) override {
    return std::find(Selection.begin(), Selection.end(), Object) != Selection.end();
  }
  void SelectObject(TObject* Object, int Operation) override {
    Calls.push_back(L"select " + std::to_wstring(Operation));
    if (Operation == soExclusive) Selection.clear();
    if (Object && !IsSelected(Object)) Selection.push_back(Object);
  }
  void ReplaceSelection(TList& List) override {
    Selection.clear();
    CollectSelection(List);
  }
  void OpenDefaultHandler(TObject*) override { Calls.push_back(L"handler"); }
  String MakeUniqueName(const String& BaseName) override { return BaseName + L"1"; }
};

}  // namespace bar_testing
