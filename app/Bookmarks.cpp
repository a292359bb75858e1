#include "app/Bookmarks.h"

#include <algorithm>
#include <memory>

#include "app/MainForm.h"
#include "app/MarkerNamePrompt.h"
#include "app/Regions.h"
#include "app/SampleTimes.h"
#include "app/SelectToBookmark.h"
#include "app/core/Centring.h"
#include "app/core/DataItems.h"
#include "app/core/Globals.h"
#include "platform/audio/editor/AudioEditor.h"

DEFINE_CLASS(TBookmarkForm)

TBookmarkForm* BookmarkForm = nullptr;

namespace {

TAudioEditor2& Editor() { return *MainForm->AudioEditor; }

void FocusMainWindow() {
  if (MainForm->CanFocus()) MainForm->SetFocus();
}

// Selects the bookmark's marker and answers its position.
std::int64_t MarkerPositionOf(const TBookmark& Bookmark) {
  IAudioEditor2Markers* markers = Editor().Markers();
  markers->SelectMarker(Bookmark.MarkerId);
  return markers->GetMarkerPosition();
}

// A new record equal to the old one (records are replaced, never changed in place).
TBookmark* CopyOf(const TBookmark& From) {
  auto* record = new TBookmark;
  record->Name = From.Name;
  record->TimeText = From.TimeText;
  record->PositionSample = From.PositionSample;
  record->MarkerId = From.MarkerId;
  return record;
}

}  // namespace

TBookmarkForm::~TBookmarkForm() {
  if (BookmarkForm == this) BookmarkForm = nullptr;
}

TBookmarkForm::TBookmarkForm(TComponent* AOwner)
    : TMarkerListForm(AOwner, L"BookmarkForm", L"Bookmark List", L"ListViewBookmarkList") {
  ListViewBookmarkList = List();
  TListColumn* name = ListViewBookmarkList->Columns()->Add();
  name->SetCaption(L"Name");
  name->SetWidth(200);
  TListColumn* time = ListViewBookmarkList->Columns()->Add();
  time->SetCaption(L"Time");
  time->SetWidth(120);

  ActionGotoBookmark = AddRowAction(L"ActionGotoBookmark", L"&Goto Bookmark", L"",
                                    {this, &TBookmarkForm::ActionGotoBookmarkExecute});
  ActionSelectToBookmark = AddRowAction(L"ActionSelectToBookmark", L"Select To Bookmark", L"",
                                        {this, &TBookmarkForm::ActionSelectToBookmarkExecute});
  ActionRename = AddRowAction(L"ActionRename", L"&Rename", L"F2", {this, &TBookmarkForm::ActionRenameExecute});
  ActionDelete = AddRowAction(L"ActionDelete", L"&Delete", L"Del", {this, &TBookmarkForm::ActionDeleteExecute});
  ActionSelectAll =
      AddRowAction(L"ActionSelectAll", L"Select All", L"", {this, &TBookmarkForm::ActionSelectAllExecute});
  ActionHelp = AddRowAction(L"ActionHelp", L"Help", L"F1", {this, &TBookmarkForm::ActionHelpExecute});
  rowActions_ = {ActionGotoBookmark, ActionSelectToBookmark, ActionRename, ActionDelete};
  SelectAllAction = ActionSelectAll;
  HelpAction = ActionHelp;
  DefaultAction = ActionGotoBookmark;

  AddMenuItem(ActionGotoBookmark);
  AddMenuItem(ActionSelectToBookmark);
  AddMenuSeparator();
  AddMenuItem(ActionRename);
  AddMenuItem(ActionDelete);
  AddMenuItem(ActionSelectAll);
  AddMenuSeparator();
  AddMenuItem(ActionHelp);

  OnClose = {this, &TBookmarkForm::FormClose};
  RowActions()->OnUpdate = {this, &TBookmarkForm::ActionListBookListUpdate};
  ListViewBookmarkList->OnColumnClick = {this, &TBookmarkForm::ListViewBookmarkListColumnClick};
}

TBookmark* TBookmarkForm::RecordOf(TListItem* Item) { return static_cast<TBookmark*>(static_cast<TObject*>(Item->Data)); }

int TBookmarkForm::RowMarkerId(TListItem* Item) const { return RecordOf(Item)->MarkerId; }

void TBookmarkForm::AddBookmarkRow(IAudioEditor2Markers* Markers) {
  auto record = std::make_unique<TBookmark>();
  record->Name = Markers->GetMarkerName();
  const std::int64_t position = Markers->GetMarkerPosition();
  record->PositionSample = position;
  record->TimeText = SampleTimeText(Editor(), position);
  record->MarkerId = Markers->GetMarkerId();
  TBookmark* row = record.release();
  AppendRow(row->Name, {row->TimeText, std::to_wstring(row->MarkerId)}, row);
}

void TBookmarkForm::ReplaceRecord(TListItem* Item, TBookmark* Record) {
  delete RecordOf(Item);
  Item->Data = static_cast<TObject*>(Record);
  Item->SetCaption(Record->Name);
  TStrings* subItems = Item->SubItems();
  subItems->SetStrings(0, Record->TimeText);
  subItems->SetStrings(1, std::to_wstring(Record->MarkerId));
}

void TBookmarkForm::ReplaceRowMarkerId(TListItem* Item, int MarkerId) {
  auto* record = CopyOf(*RecordOf(Item));
  record->MarkerId = MarkerId;
  ReplaceRecord(Item, record);
}

void TBookmarkForm::ActionGotoBookmarkExecute(TObject*) {
  TListItem* item = ListViewBookmarkList->Selected();
  if (!item) return;
  FocusMainWindow();
  const std::int64_t position = MarkerPositionOf(*RecordOf(item));
  IAudioEditor2Position* editorPosition = Editor().Position();
  editorPosition->SetSelectionChannel(0);
  editorPosition->SetCursorPosition(position);
  if (GlobalVars.OP_PlayAfterBookmark) MainForm->ActionPlayExecute(this);
}

void TBookmarkForm::ActionSelectToBookmarkExecute(TObject*) {
  TListItem* selected = ListViewBookmarkList->Selected();
  if (!selected) return;
  std::unique_ptr<TSelectToBookmarkForm> dialog(new TSelectToBookmarkForm(this));
  CentreOver(dialog.get(), MainForm);
  TListItems* items = ListViewBookmarkList->Items();
  for (int i = 0; i < items->Count(); ++i) {
    if (items->Item(i) != selected) dialog->ComboBoxBookmark->Items()->AddObject(items->Item(i)->Caption(), RecordOf(items->Item(i)));
  }
  if (dialog->ComboBoxBookmark->Items()->Count() > 0) dialog->ComboBoxBookmark->SetItemIndex(0);
  if (dialog->ShowModal() != mrOk) return;
  const int chosen = dialog->ComboBoxBookmark->ItemIndex();
  if (chosen < 0) return;
  const auto* target = static_cast<TBookmark*>(dialog->ComboBoxBookmark->Items()->Objects(chosen));
  FocusMainWindow();
  const std::int64_t a = MarkerPositionOf(*RecordOf(selected));
  const std::int64_t b = MarkerPositionOf(*target);
  IAudioEditor2Position* position = Editor().Position();
  position->SetSelectionChannel(0);
  position->SetCursorPosition(a);
  position->SetSelectionChannel(-1);
  position->SetSelectionStart(std::min(a, b));
  position->SetSelectionEnd(std::max(a, b));
}

void TBookmarkForm::ActionRenameExecute(TObject*) {
  TListItem* item = ListViewBookmarkList->Selected();
  if (!item) return;
  String name = RecordOf(item)->Name;
  if (!AskMarkerName(this, this, L"Enter Bookmark Name", name)) return;
  auto* record = CopyOf(*RecordOf(item));
  record->Name = name;
  ReplaceRecord(item, record);
}

void TBookmarkForm::DeleteBookmarkRow(TListItem* Item) {
  FocusMainWindow();
  DeleteMarkerRow(Item, Editor(), {RegionForm, BookmarkForm});
}

void TBookmarkForm::ActionDeleteExecute(TObject*) {
  DeleteSelectedRows(L"Delete the selected bookmark(s)?", [this](TListItem* Item) { DeleteBookmarkRow(Item); });
}

void TBookmarkForm::ActionSelectAllExecute(TObject*) { SelectAllRows(); }
void TBookmarkForm::ActionHelpExecute(TObject*) { ShowHelp(); }

void TBookmarkForm::ActionListBookListUpdate(TBasicAction*, bool&) { UpdateRowActions(); }

void TBookmarkForm::ListViewBookmarkListColumnClick(TObject*, TListColumn* Column) {
  ColumnClick(Column->Index());
}

void TBookmarkForm::FormClose(TObject*, TCloseAction&) {
  StoreBounds(GlobalVars.BookmarkFormLeft, GlobalVars.BookmarkFormTop, GlobalVars.BookmarkFormWidth,
              GlobalVars.BookmarkFormHeight);
}
