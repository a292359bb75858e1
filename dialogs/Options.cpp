#include "dialogs/Options.h"

#include "app/core/Centring.h"
#include "app/core/Globals.h"
#include "app/core/Help.h"
#include "app/core/SampleRates.h"
#include "app/core/ShellCommands.h"
#include "dialogs/ConvertSampleRate.h"
#include "dialogs/DialogHost.h"
#include "dialogs/DialogParts.h"
#include "platform/framework/windows/FormBuilding.h"

DEFINE_CLASS(TOptionsForm)

namespace {

TTabSheet* AddSheet(TLoadingBracket& loading, TForm& form, TPageControl* pages, const wchar_t* name,
                    const wchar_t* caption) {
  auto* sheet = loading.Add(new TTabSheet(&form));
  sheet->SetName(name);
  sheet->SetPageControl(pages);
  sheet->SetCaption(caption);
  return sheet;
}

}  // namespace

TOptionsForm::TOptionsForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  BuildDialogForm(*this, L"OptionsForm", L"Options", 380, 312, bsSingle, {biSystemMenu, biMaximize});
  PageControl = PlaceControl(loading, new TPageControl(this), this, L"PageControl", Bounds(8, 8, 364, 260));

  TabSheetGeneral = AddSheet(loading, *this, PageControl, L"TabSheetGeneral", L"General");
  GroupBoxNewFile = AddGroupBox(loading, *this, TabSheetGeneral, L"GroupBoxNewFile", L"&When creating a new file",
                                Bounds(8, 8, 340, 100));
  RadioButtonPrompt = AddRadioButton(loading, *this, GroupBoxNewFile, L"RadioButtonPrompt",
                                     L"&Prompt for Sample Rate and Channels", Bounds(12, 20, 300, 17), true);
  RadioButtonUseDefault = AddRadioButton(loading, *this, GroupBoxNewFile, L"RadioButtonUseDefault",
                                         L"&Use Default Sample Rate and Channels", Bounds(12, 42, 300, 17));
  ButtonSetDefault = AddButton(loading, *this, GroupBoxNewFile, L"ButtonSetDefault",
                               L"&Set Default Sample Rate and Channels", Bounds(28, 64, 240, 25));
  GroupBoxOptions = AddGroupBox(loading, *this, TabSheetGeneral, L"GroupBoxOptions", L"Options", Bounds(8, 116, 340, 84));
  // The caption names the application once shown.
  CheckBoxAddToExplore = AddCheckBox(loading, *this, GroupBoxOptions, L"CheckBoxAddToExplore",
                                     L"&Add into Windows &Explorer context menu", Bounds(12, 20, 320, 17), true);
  ButtonDeleteRecent = AddButton(loading, *this, GroupBoxOptions, L"ButtonDeleteRecent", L"Delete &Recent Files List",
                                 Bounds(12, 46, 160, 25));

  TabSheetAudio = AddSheet(loading, *this, PageControl, L"TabSheetAudio", L"Audio Processing");
  GroupBoxFolder = AddGroupBox(loading, *this, TabSheetAudio, L"GroupBoxFolder", L"Audio &Working Folder",
                               Bounds(8, 8, 340, 96));
  RadioButtonUseDefaultFolder = AddRadioButton(loading, *this, GroupBoxFolder, L"RadioButtonUseDefaultFolder",
                                               L"Use Default User Data Folder", Bounds(12, 20, 300, 17), true);
  RadioButtonUseSpecifiedFolder = AddRadioButton(loading, *this, GroupBoxFolder, L"RadioButtonUseSpecifiedFolder",
                                                 L"Use this Specified Folder", Bounds(12, 42, 300, 17));
  EditFolder = AddEdit(loading, *this, GroupBoxFolder, L"EditFolder", Bounds(28, 64, 268, 21));
  EditFolder->SetReadOnly(true);
  ButtonFolder = AddButton(loading, *this, GroupBoxFolder, L"ButtonFolder", L"...", Bounds(300, 63, 28, 23));
  GroupBoxPlay = AddGroupBox(loading, *this, TabSheetAudio, L"GroupBoxPlay", L"Play Options", Bounds(8, 112, 340, 112));
  CheckBoxPlayAfterOpen = AddCheckBox(loading, *this, GroupBoxPlay, L"CheckBoxPlayAfterOpen",
                                      L"Play file automatically when opened", Bounds(12, 20, 320, 17));
  CheckBoxPlayAfterEdit = AddCheckBox(loading, *this, GroupBoxPlay, L"CheckBoxPlayAfterEdit",
                                      L"Automatic &playback after any edit or effect", Bounds(12, 42, 320, 17));
  CheckBoxPlayAfterBookbark = AddCheckBox(loading, *this, GroupBoxPlay, L"CheckBoxPlayAfterBookbark",
                                          L"Play file automatically after go to bookmark", Bounds(12, 64, 320, 17));
  CheckBoxPlayAfterRegion = AddCheckBox(loading, *this, GroupBoxPlay, L"CheckBoxPlayAfterRegion",
                                        L"Play file automatically after select region", Bounds(12, 86, 320, 17));
  PageControl->SetActivePageIndex(0);

  ButtonOK = AddButton(loading, *this, this, L"ButtonOK", L"&OK", Bounds(135, 278, 75, 25), mrOk, true);
  ButtonCancel = AddButton(loading, *this, this, L"ButtonCancel", L"&Cancel", Bounds(216, 278, 75, 25), mrCancel);
  ButtonHelp = AddButton(loading, *this, this, L"ButtonHelp", L"&Help", Bounds(297, 278, 75, 25));

  OnShow = {this, &TOptionsForm::FormShow};
  RadioButtonPrompt->OnClick = {this, &TOptionsForm::RadioButtonPromptClick};
  RadioButtonUseDefault->OnClick = {this, &TOptionsForm::RadioButtonUseDefaultClick};
  RadioButtonUseDefaultFolder->OnClick = {this, &TOptionsForm::RadioButtonUseDefaultFolderClick};
  RadioButtonUseSpecifiedFolder->OnClick = {this, &TOptionsForm::RadioButtonUseSpecifiedFolderClick};
  ButtonSetDefault->OnClick = {this, &TOptionsForm::ButtonSetDefaultClick};
  ButtonFolder->OnClick = {this, &TOptionsForm::ButtonFolderClick};
  ButtonDeleteRecent->OnClick = {this, &TOptionsForm::ButtonDeleteRecentClick};
  ButtonHelp->OnClick = {this, &TOptionsForm::ButtonHelpClick};
  loading.End();
}

void TOptionsForm::LoadFromSettings() {
  RadioButtonPrompt->SetChecked(GlobalVars.OP_PromptNewFile);
  RadioButtonUseDefault->SetChecked(!GlobalVars.OP_PromptNewFile);
  CheckBoxAddToExplore->SetChecked(GlobalVars.OP_AddToExplorer);
  RadioButtonUseDefaultFolder->SetChecked(GlobalVars.OP_UseDefFolder);
  RadioButtonUseSpecifiedFolder->SetChecked(!GlobalVars.OP_UseDefFolder);
  EditFolder->SetText(GlobalVars.OP_WorkingFolder);
  CheckBoxPlayAfterOpen->SetChecked(GlobalVars.OP_PlayAfterOpened);
  CheckBoxPlayAfterEdit->SetChecked(GlobalVars.OP_PlayAfterEdit);
  CheckBoxPlayAfterBookbark->SetChecked(GlobalVars.OP_PlayAfterBookmark);
  CheckBoxPlayAfterRegion->SetChecked(GlobalVars.OP_PlayAfterRegion);
}

void TOptionsForm::StoreToSettings() {
  GlobalVars.OP_PromptNewFile = RadioButtonPrompt->Checked();
  GlobalVars.OP_AddToExplorer = CheckBoxAddToExplore->Checked();
  GlobalVars.OP_UseDefFolder = RadioButtonUseDefaultFolder->Checked();
  GlobalVars.OP_WorkingFolder = EditFolder->Text();
  GlobalVars.OP_PlayAfterOpened = CheckBoxPlayAfterOpen->Checked();
  GlobalVars.OP_PlayAfterEdit = CheckBoxPlayAfterEdit->Checked();
  GlobalVars.OP_PlayAfterBookmark = CheckBoxPlayAfterBookbark->Checked();
  GlobalVars.OP_PlayAfterRegion = CheckBoxPlayAfterRegion->Checked();
}

void TOptionsForm::UpdateNewFileEnabling() { ButtonSetDefault->SetEnabled(RadioButtonUseDefault->Checked()); }

void TOptionsForm::UpdateFolderEnabling() {
  const bool specified = RadioButtonUseSpecifiedFolder->Checked();
  EditFolder->SetEnabled(specified);
  ButtonFolder->SetEnabled(specified);
}

void TOptionsForm::FormShow(TObject*) {
  ApplyDialogShowSteps(*this);
  CheckBoxAddToExplore->SetCaption(L"&Add " + Application->Title() + L" into Windows &Explorer context menu");
  UpdateNewFileEnabling();
  UpdateFolderEnabling();
}

void TOptionsForm::RadioButtonPromptClick(TObject*) { UpdateNewFileEnabling(); }
void TOptionsForm::RadioButtonUseDefaultClick(TObject*) { UpdateNewFileEnabling(); }
void TOptionsForm::RadioButtonUseDefaultFolderClick(TObject*) { UpdateFolderEnabling(); }
void TOptionsForm::RadioButtonUseSpecifiedFolderClick(TObject*) { UpdateFolderEnabling(); }

void TOptionsForm::ButtonSetDefaultClick(TObject*) {
  ObjectPtr<TConvertSampleRateForm> dialog(new TConvertSampleRateForm(this));
  CentreOver(dialog.get(), this);
  dialog->ComboBoxRate->SetItemIndex(ConversionRateIndexOf(GlobalVars.OP_DefSample));
  dialog->GroupBoxSChannels->SetItemIndex(GlobalVars.OP_DefChannel == 1 ? 0 : 1);
  if (dialog->ShowModal() != mrOk) return;
  GlobalVars.OP_DefSample = ConversionSampleRateOfIndex(dialog->ComboBoxRate->ItemIndex());
  GlobalVars.OP_DefChannel = dialog->GroupBoxSChannels->ItemIndex() == 0 ? 1 : 2;
}

void TOptionsForm::ButtonFolderClick(TObject*) {
  String folder = GlobalVars.OP_WorkingFolder;
  if (!BrowseForFolder(Handle(), folder, L"Please select a folder", 65)) return;
  GlobalVars.OP_WorkingFolder = folder;
  EditFolder->SetText(folder);
}

void TOptionsForm::ButtonDeleteRecentClick(TObject*) {
  if (Application->MessageBox(L"Are you sure you want to delete your recent files list?", Application->Title(),
                              MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
    return;
  if (IRecentFilesHost* host = FindDialogHost<IRecentFilesHost>(this)) host->ClearRecentFiles();
}

void TOptionsForm::ButtonHelpClick(TObject*) { ShowHelpTopic(Handle(), L"APPOptions"); }
