#pragma once
// TMarkerListForm: what the bookmark list and the region list windows share. Each row mirrors one
// marker of the editor control and carries its record (TBookmark or TRegion) as its data; the
// record's MarkerId addresses the marker (the control numbers markers from 1 in the order they were
// added, and deleting one moves every later one down). Records are replaced, never changed in place.
//
// The window is modeless, owned by the main window so that it stays above it, and keeps its own
// action list (updated at idle) behind its popup menu.

#include <functional>
#include <initializer_list>

#include "platform/framework/windows/ActnList.h"
#include "platform/framework/controls/ComCtrls.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/controls/Menus.h"

class TAudioEditor2;

// Orders two texts of a column: case-insensitive, with empty texts after all others.
int CompareMarkerTexts(const String& First, const String& Second);
// Column 0 compares the captions, column c > 0 the sub-items c - 1 (absent ones count as empty).
int CompareMarkerRows(TListItem* Item1, TListItem* Item2, int Column);

class TMarkerListForm : public TForm {
  DECLARE_CLASS(TMarkerListForm, TForm)
 public:
  ~TMarkerListForm() override;

  TListView* List() const { return list_; }
  TActionList* RowActions() const { return actions_; }
  TPopupMenu* RowMenu() const { return menu_; }
  // The column last sorted ascending, -1 after a descending sort.
  int SortColumn = 0;

  // Removes every row and frees its record.
  void ClearRows();
  // Every row whose marker id is above Deleted gets a record with the id one lower.
  void RenumberAfter(int Deleted);
  // The marker id of a row.
  virtual int RowMarkerId(TListItem* Item) const = 0;
  // Sorts as a click on the column does: descending when it is the sort column, else ascending.
  // Each list's column-click handler calls it.
  void ColumnClick(int Column);
  // Places the window from the four settings fields, then shows it.
  void ShowAt(int Left, int Top, int Width, int Height);
  // Writes the window's bounds into the four settings fields.
  void StoreBounds(int& Left, int& Top, int& Width, int& Height);

 protected:
  TMarkerListForm(TComponent* AOwner, const wchar_t* Name, const wchar_t* Caption, const wchar_t* ListName);
  // The main window owns the list window whoever owns the component, so the list stays above it
  // without being top-most.
  void CreateParams(TCreateParams& Params) override;
  // A row with the caption, the sub-items and the record.
  TListItem* AppendRow(const String& Caption, std::initializer_list<String> SubItems, TObject* Record);
  TAction* AddRowAction(const wchar_t* Name, const wchar_t* Caption, const wchar_t* ShortCut, TNotifyEvent Execute);
  void AddMenuItem(TAction* Action);
  void AddMenuSeparator();
  // The record of a row replaced by one with the new marker id (sub-item text included).
  virtual void ReplaceRowMarkerId(TListItem* Item, int MarkerId) = 0;

  // Deletes the row's marker from the editor, then the row and its record, then renumbers the rows
  // of every list in Lists (regions first, then bookmarks).
  void DeleteMarkerRow(TListItem* Item, TAudioEditor2& Editor, std::initializer_list<TMarkerListForm*> Lists);

  // Shared handlers.
  void SelectAllRows();
  // Asks the question; on Yes removes the selected rows from the last to the first through
  // DeleteRow (which deletes the marker, the row and renumbers).
  void DeleteSelectedRows(const String& Question, const std::function<void(TListItem*)>& DeleteRow);
  void ShowHelp();
  // The idle update of the row actions, called by each list's action-list update handler.
  void UpdateRowActions();
  void ListDblClick(TObject* Sender);
  // The action a double click on a row runs.
  TAction* DefaultAction = nullptr;
  // Enabled when a row is selected; SelectAllAction when the list has rows; HelpAction always.
  std::vector<TAction*> rowActions_;
  TAction* SelectAllAction = nullptr;
  TAction* HelpAction = nullptr;

 private:
  TListView* list_ = nullptr;
  TActionList* actions_ = nullptr;
  TPopupMenu* menu_ = nullptr;
};
