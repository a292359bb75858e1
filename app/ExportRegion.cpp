#include "app/ExportRegion.h"

#include "app/ExportFileNames.h"
#include "app/MainForm.h"
#include "app/OutputFormats.h"
#include "app/core/DataItems.h"
#include "app/core/Globals.h"
#include "app/core/ShellCommands.h"
#include "dialogs/FormatDialog.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/windows/FormBuilding.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TExportRegionForm)

TExportRegionForm::TExportRegionForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  SetName(L"ExportRegionForm");
  SetCaption(L"Export Region(s)");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});
  Font()->SetName(L"Tahoma");
  Font()->SetSize(8);
  SetClientSize(400, 150);

  LabelFolder = PlaceControl(loading, new TLabel(this), this, L"LabelFolder", Bounds(12, 14, 90, 14));
  LabelFolder->SetCaption(L"Export Folder:");
  EditFolder = PlaceControl(loading, new TEdit(this), this, L"EditFolder", Bounds(104, 10, 250, 21));
  EditFolder->SetReadOnly(true);
  ButtonFolder = PlaceControl(loading, new TButton(this), this, L"ButtonFolder", Bounds(360, 9, 28, 23));
  ButtonFolder->SetCaption(L"...");
  ButtonFolder->OnClick = {this, &TExportRegionForm::ButtonFolderClick};

  LabelFormat = PlaceControl(loading, new TLabel(this), this, L"LabelFormat", Bounds(12, 50, 90, 14));
  LabelFormat->SetCaption(L"Export Format:");
  ComboBoxFormat = PlaceControl(loading, new TComboBox(this), this, L"ComboBoxFormat", Bounds(104, 46, 120, 21));
  ComboBoxFormat->SetStyle(csDropDownList);
  for (int index = 0; !ExportFormatExtension(index).empty(); ++index)
    ComboBoxFormat->Items()->Add(ExportFormatExtension(index));
  ComboBoxFormat->SetItemIndex(0);
  ButtonFormatSettings =
      PlaceControl(loading, new TButton(this), this, L"ButtonFormatSettings", Bounds(234, 45, 120, 23));
  ButtonFormatSettings->SetCaption(L"Format Settings");
  ButtonFormatSettings->OnClick = {this, &TExportRegionForm::ButtonFormatSettingsClick};

  BevelTop = PlaceControl(loading, new TBevel(this), this, L"BevelTop", Bounds(12, 96, 376, 2));
  BevelTop->SetShape(bsTopLine);
  ButtonOK = PlaceControl(loading, new TButton(this), this, L"ButtonOK", Bounds(232, 112, 75, 25));
  ButtonOK->SetCaption(L"&OK");
  ButtonOK->SetDefault(true);
  ButtonOK->ModalResult = mrOk;
  ButtonCancel = PlaceControl(loading, new TButton(this), this, L"ButtonCancel", Bounds(313, 112, 75, 25));
  ButtonCancel->SetCaption(L"&Cancel");
  ButtonCancel->Cancel = true;
  ButtonCancel->ModalResult = mrCancel;
  loading.End();
}

void TExportRegionForm::LoadFromSettings() {
  EditFolder->SetText(GlobalVars.ExportFolder);
  ComboBoxFormat->SetItemIndex(GlobalVars.ExportFormat);
}

void TExportRegionForm::StoreToSettings() {
  GlobalVars.ExportFolder = EditFolder->Text();
  GlobalVars.ExportFormat = ComboBoxFormat->ItemIndex();
}

void TExportRegionForm::ButtonFolderClick(TObject*) {
  String folder = GlobalVars.ExportFolder;
  if (!BrowseForFolder(Handle(), folder, L"Please select a folder", 65)) return;
  GlobalVars.ExportFolder = folder;
  EditFolder->SetText(folder);
}

void TExportRegionForm::ButtonFormatSettingsClick(TObject*) {
  ExecuteOutputFormatDialog(ExportFormatExtension(ComboBoxFormat->ItemIndex()), this);
}

bool CheckExportFolder(const String& Folder) {
  if (!Folder.empty() && DirectoryExists(Folder)) return true;
  const String shown = Folder.empty() ? String(L"(none)") : Folder;
  Application->MessageBox(Format(L"The export folder \"%s\" does not exist. Please choose a folder.", {shown}),
                          Application->Title(), MB_OK | MB_ICONERROR);
  return false;
}

void ExportRegionRow(TListItem* Row, int FormatIndex, const String& Folder) {
  const int fileType = ExportFormatFileType(FormatIndex);
  if (fileType == 0) return;
  const auto* region = static_cast<const TRegion*>(static_cast<TObject*>(Row->Data));
  TAudioEditor2& editor = *MainForm->AudioEditor;
  if (MainForm->CanFocus()) MainForm->SetFocus();
  IAudioEditor2Markers* markers = editor.Markers();
  markers->SelectMarker(region->MarkerId);
  const std::int64_t start = markers->GetMarkerPosition();
  const std::int64_t length = markers->GetMarkerLength();
  IAudioEditor2Position* position = editor.Position();
  position->SetSelectionChannel(0);
  position->SetCursorPosition(start);
  position->SetSelectionChannel(-1);
  position->SetSelectionStart(start);
  position->SetSelectionEnd(start + length);
  const String path = ExportRegionPath(Folder, region->Name, ExportFormatExtension(FormatIndex));
  MainForm->ApplyOutputFormat(fileType);
  editor.SaveRangeAs(path, -1, fileType);
}
