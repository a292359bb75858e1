#pragma once
// TBookmarkForm ("Bookmark List"): one row per bookmark of the document; from it the user moves the
// cursor to a bookmark, selects from one bookmark to another, renames and deletes rows.

#include "app/MarkerListForm.h"

class TBookmark;
class IAudioEditor2Markers;

class TBookmarkForm : public TMarkerListForm {
  DECLARE_CLASS(TBookmarkForm, TMarkerListForm)
 public:
  explicit TBookmarkForm(TComponent* AOwner);
  ~TBookmarkForm() override;

  TListView* ListViewBookmarkList = nullptr;
  TAction* ActionGotoBookmark = nullptr;
  TAction* ActionSelectToBookmark = nullptr;
  TAction* ActionRename = nullptr;
  TAction* ActionDelete = nullptr;
  TAction* ActionSelectAll = nullptr;
  TAction* ActionHelp = nullptr;

  // A row for the editor's selected marker.
  void AddBookmarkRow(IAudioEditor2Markers* Markers);
  static TBookmark* RecordOf(TListItem* Item);
  int RowMarkerId(TListItem* Item) const override;

  void ActionGotoBookmarkExecute(TObject* Sender);
  void ActionSelectToBookmarkExecute(TObject* Sender);
  void ActionRenameExecute(TObject* Sender);
  void ActionDeleteExecute(TObject* Sender);
  void ActionSelectAllExecute(TObject* Sender);
  void ActionHelpExecute(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ActionListBookListUpdate(TBasicAction* Action, bool& Handled);
  void ListViewBookmarkListColumnClick(TObject* Sender, TListColumn* Column);

 protected:
  void ReplaceRowMarkerId(TListItem* Item, int MarkerId) override;

 private:
  void ReplaceRecord(TListItem* Item, TBookmark* Record);
  void DeleteBookmarkRow(TListItem* Item);
};

// The auto-created bookmark list (null until it is created).
extern TBookmarkForm* BookmarkForm;
