#pragma once
// TExportRegionForm ("Export Region(s)"): the folder and the output format of a region export, and
// the export of region rows through the editor's save of the selection.

#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/controls/StdCtrls.h"

class TListItem;

class TExportRegionForm : public TForm {
  DECLARE_CLASS(TExportRegionForm, TForm)
 public:
  explicit TExportRegionForm(TComponent* AOwner);

  TLabel* LabelFolder = nullptr;
  TEdit* EditFolder = nullptr;
  TButton* ButtonFolder = nullptr;
  TLabel* LabelFormat = nullptr;
  TComboBox* ComboBoxFormat = nullptr;
  TButton* ButtonFormatSettings = nullptr;
  TBevel* BevelTop = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  // ExportFolder and ExportFormat into the controls, and back.
  void LoadFromSettings();
  void StoreToSettings();
  void ButtonFolderClick(TObject* Sender);
  // The format dialog of the chosen format over this dialog (none for an index outside 0 ... 3).
  void ButtonFormatSettingsClick(TObject* Sender);
};

// Writes one region row: selects its marker's range in the editor, sets up the format's output
// and saves the selection as folder\name + extension. A format index outside 0 ... 3 writes
// nothing.
void ExportRegionRow(TListItem* Row, int FormatIndex, const String& Folder);

// The folder check made before anything is written: false, after an error box naming the folder,
// when it is empty or does not exist.
bool CheckExportFolder(const String& Folder);
