#pragma once
// TRegionForm ("Region List"): one row per region of the document; from it the user selects, saves,
// copies, exports, renames and deletes regions.

#include "app/MarkerListForm.h"

class TRegion;
class IAudioEditor2Markers;

class TRegionForm : public TMarkerListForm {
  DECLARE_CLASS(TRegionForm, TMarkerListForm)
 public:
  explicit TRegionForm(TComponent* AOwner);
  ~TRegionForm() override;

  TListView* ListViewRegionList = nullptr;
  TAction* ActionSelect = nullptr;
  TAction* ActionRename = nullptr;
  TAction* ActionSave = nullptr;
  TAction* ActionCopyToNew = nullptr;
  TAction* ActionDelete = nullptr;
  TAction* ActionSelectAll = nullptr;
  TAction* ActionExport = nullptr;
  TAction* ActionHelp = nullptr;

  // A row for the editor's selected marker, in the document at DocumentPath.
  void AddRegionRow(IAudioEditor2Markers* Markers, const String& DocumentPath);
  static TRegion* RecordOf(TListItem* Item);
  int RowMarkerId(TListItem* Item) const override;

  void ActionSelectExecute(TObject* Sender);
  void ActionRenameExecute(TObject* Sender);
  void ActionSaveExecute(TObject* Sender);
  void ActionCopyToNewExecute(TObject* Sender);
  void ActionDeleteExecute(TObject* Sender);
  void ActionSelectAllExecute(TObject* Sender);
  void ActionExportExecute(TObject* Sender);
  void ActionHelpExecute(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ActionListRegionUpdate(TBasicAction* Action, bool& Handled);
  void ListViewRegionListColumnClick(TObject* Sender, TListColumn* Column);
  // Exports the selected rows from the last to the first with the stored folder and format.
  void ExportSelectedRows();

 protected:
  void ReplaceRowMarkerId(TListItem* Item, int MarkerId) override;

 private:
  void ReplaceRecord(TListItem* Item, TRegion* Record);
  void DeleteRegionRow(TListItem* Item);
  // Selects the selected row's range in the editor; false when no row is selected.
  bool SelectRegion();
};

// The auto-created region list (null until it is created).
extern TRegionForm* RegionForm;
