#include "app/Regions.h"

#include <memory>

#include "app/Bookmarks.h"
#include "app/ExportRegion.h"
#include "app/MainForm.h"
#include "app/MarkerNamePrompt.h"
#include "app/SampleTimes.h"
#include "app/core/Centring.h"
#include "app/core/DataItems.h"
#include "app/core/Globals.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/rtl/FileUtils.h"

DEFINE_CLASS(TRegionForm)

TRegionForm* RegionForm = nullptr;

namespace {

TAudioEditor2& Editor() { return *MainForm->AudioEditor; }

void FocusMainWindow() {
  if (MainForm->CanFocus()) MainForm->SetFocus();
}

TRegion* CopyOf(const TRegion& From) {
  auto* record = new TRegion;
  record->Name = From.Name;
  record->TimeRangeText = From.TimeRangeText;
  record->FileName = From.FileName;
  record->MarkerId = From.MarkerId;
  record->StartSample = From.StartSample;
  record->EndSample = From.EndSample;
  return record;
}

// Enables the list view again on every path.
class TListDisabled {
 public:
  explicit TListDisabled(TListView* List) : list_(List) { list_->SetEnabled(false); }
  ~TListDisabled() { list_->SetEnabled(true); }
  TListDisabled(const TListDisabled&) = delete;
  TListDisabled& operator=(const TListDisabled&) = delete;

 private:
  TListView* list_;
};

}  // namespace

TRegionForm::~TRegionForm() {
  if (RegionForm == this) RegionForm = nullptr;
}

TRegionForm::TRegionForm(TComponent* AOwner)
    : TMarkerListForm(AOwner, L"RegionForm", L"Region List", L"ListViewRegionList") {
  ListViewRegionList = List();
  const std::pair<const wchar_t*, int> columns[] = {{L"Name", 140}, {L"Time", 150}, {L"File", 120}};
  for (const auto& [caption, width] : columns) {
    TListColumn* column = ListViewRegionList->Columns()->Add();
    column->SetCaption(caption);
    column->SetWidth(width);
  }

  ActionSelect = AddRowAction(L"ActionSelect", L"Select", L"", {this, &TRegionForm::ActionSelectExecute});
  ActionRename = AddRowAction(L"ActionRename", L"&Rename", L"F2", {this, &TRegionForm::ActionRenameExecute});
  ActionSave = AddRowAction(L"ActionSave", L"&Save", L"", {this, &TRegionForm::ActionSaveExecute});
  ActionCopyToNew =
      AddRowAction(L"ActionCopyToNew", L"Copy To &New", L"", {this, &TRegionForm::ActionCopyToNewExecute});
  ActionDelete = AddRowAction(L"ActionDelete", L"Delete", L"Del", {this, &TRegionForm::ActionDeleteExecute});
  ActionSelectAll =
      AddRowAction(L"ActionSelectAll", L"Select All", L"Ctrl+A", {this, &TRegionForm::ActionSelectAllExecute});
  ActionExport = AddRowAction(L"ActionExport", L"&Export Region(s) to Folder...", L"",
                              {this, &TRegionForm::ActionExportExecute});
  ActionHelp = AddRowAction(L"ActionHelp", L"Help", L"F1", {this, &TRegionForm::ActionHelpExecute});
  rowActions_ = {ActionSelect, ActionRename, ActionSave, ActionCopyToNew, ActionDelete, ActionExport};
  SelectAllAction = ActionSelectAll;
  HelpAction = ActionHelp;
  DefaultAction = ActionSelect;

  AddMenuItem(ActionSelect);
  AddMenuSeparator();
  AddMenuItem(ActionRename);
  AddMenuItem(ActionSave);
  AddMenuItem(ActionCopyToNew);
  AddMenuItem(ActionDelete);
  AddMenuItem(ActionSelectAll);
  AddMenuSeparator();
  AddMenuItem(ActionExport);
  AddMenuSeparator();
  AddMenuItem(ActionHelp);

  OnClose = {this, &TRegionForm::FormClose};
  RowActions()->OnUpdate = {this, &TRegionForm::ActionListRegionUpdate};
  ListViewRegionList->OnColumnClick = {this, &TRegionForm::ListViewRegionListColumnClick};
}

TRegion* TRegionForm::RecordOf(TListItem* Item) { return static_cast<TRegion*>(static_cast<TObject*>(Item->Data)); }

int TRegionForm::RowMarkerId(TListItem* Item) const { return RecordOf(Item)->MarkerId; }

void TRegionForm::AddRegionRow(IAudioEditor2Markers* Markers, const String& DocumentPath) {
  auto record = std::make_unique<TRegion>();
  record->Name = Markers->GetMarkerName();
  const std::int64_t start = Markers->GetMarkerPosition();
  const std::int64_t end = start + Markers->GetMarkerLength();
  record->StartSample = start;
  record->EndSample = end;
  record->MarkerId = Markers->GetMarkerId();
  record->FileName = ExtractFileName(DocumentPath);
  record->TimeRangeText = SampleTimeText(Editor(), start) + L"-" + SampleTimeText(Editor(), end);
  TRegion* row = record.release();
  AppendRow(row->Name, {row->TimeRangeText, row->FileName, std::to_wstring(row->MarkerId)}, row);
}

void TRegionForm::ReplaceRecord(TListItem* Item, TRegion* Record) {
  delete RecordOf(Item);
  Item->Data = static_cast<TObject*>(Record);
  Item->SetCaption(Record->Name);
  TStrings* subItems = Item->SubItems();
  subItems->SetStrings(0, Record->TimeRangeText);
  subItems->SetStrings(1, Record->FileName);
  subItems->SetStrings(2, std::to_wstring(Record->MarkerId));
}

void TRegionForm::ReplaceRowMarkerId(TListItem* Item, int MarkerId) {
  TRegion* record = CopyOf(*RecordOf(Item));
  record->MarkerId = MarkerId;
  ReplaceRecord(Item, record);
}

bool TRegionForm::SelectRegion() {
  TListItem* item = ListViewRegionList->Selected();
  if (!item) return false;
  FocusMainWindow();
  IAudioEditor2Markers* markers = Editor().Markers();
  markers->SelectMarker(RecordOf(item)->MarkerId);
  const std::int64_t start = markers->GetMarkerPosition();
  const std::int64_t length = markers->GetMarkerLength();
  IAudioEditor2Position* position = Editor().Position();
  position->SetSelectionChannel(0);
  position->SetCursorPosition(start);
  position->SetSelectionChannel(-1);
  position->SetSelectionStart(start);
  position->SetSelectionEnd(start + length);
  return true;
}

void TRegionForm::ActionSelectExecute(TObject*) {
  if (SelectRegion() && GlobalVars.OP_PlayAfterRegion) MainForm->ActionPlayExecute(this);
}

void TRegionForm::ActionSaveExecute(TObject* Sender) {
  if (SelectRegion()) MainForm->ActionSaveSelectExecute(Sender);
}

void TRegionForm::ActionCopyToNewExecute(TObject* Sender) {
  if (SelectRegion()) MainForm->ActionCopyToNewExecute(Sender);
}

void TRegionForm::ActionRenameExecute(TObject*) {
  TListItem* item = ListViewRegionList->Selected();
  if (!item) return;
  String name = RecordOf(item)->Name;
  if (!AskMarkerName(this, this, L"Enter Region Name", name)) return;
  TRegion* record = CopyOf(*RecordOf(item));
  record->Name = name;
  ReplaceRecord(item, record);
}

void TRegionForm::DeleteRegionRow(TListItem* Item) {
  FocusMainWindow();
  DeleteMarkerRow(Item, Editor(), {RegionForm, BookmarkForm});
}

void TRegionForm::ActionDeleteExecute(TObject*) {
  DeleteSelectedRows(L"Delete the selected region(s)?", [this](TListItem* Item) { DeleteRegionRow(Item); });
}

void TRegionForm::ActionSelectAllExecute(TObject*) { SelectAllRows(); }
void TRegionForm::ActionHelpExecute(TObject*) { ShowHelp(); }

void TRegionForm::ActionExportExecute(TObject*) {
  std::unique_ptr<TExportRegionForm> dialog(new TExportRegionForm(this));
  CentreOver(dialog.get(), MainForm);
  dialog->LoadFromSettings();
  if (dialog->ShowModal() != mrOk) return;
  dialog->StoreToSettings();
  ExportSelectedRows();
}

void TRegionForm::ExportSelectedRows() {
  if (!CheckExportFolder(GlobalVars.ExportFolder)) return;
  TListDisabled disabled(ListViewRegionList);
  if (ListViewRegionList->SelCount() == 0) return;
  TListItems* items = ListViewRegionList->Items();
  for (int i = items->Count() - 1; i >= 0; --i) {
    if (items->Item(i)->Selected()) ExportRegionRow(items->Item(i), GlobalVars.ExportFormat, GlobalVars.ExportFolder);
  }
}

void TRegionForm::ActionListRegionUpdate(TBasicAction*, bool&) { UpdateRowActions(); }

void TRegionForm::ListViewRegionListColumnClick(TObject*, TListColumn* Column) {
  ColumnClick(Column->Index());
}

void TRegionForm::FormClose(TObject*, TCloseAction&) {
  StoreBounds(GlobalVars.RegionFormLeft, GlobalVars.RegionFormTop, GlobalVars.RegionFormWidth,
              GlobalVars.RegionFormHeight);
}
