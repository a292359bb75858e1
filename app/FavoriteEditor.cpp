#include "app/FavoriteEditor.h"

#include <algorithm>

#include "app/FavoriteDialog.h"
#include "app/FormControls.h"
#include "app/MainForm.h"
#include "app/ShortCuts.h"
#include "app/core/ParameterList.h"
#include "app/core/TextRoutines.h"
#include "platform/framework/windows/ShortCuts.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/extras/frames/HotKeyEdit.h"

DEFINE_CLASS(TFavoriteForm)

namespace {

int Ask(const String& Text, const String& Caption) {
  return Application->MessageBox(Text, Caption, MB_YESNO | MB_ICONQUESTION);
}

void Inform(const String& Text) { Application->MessageBox(Text, Application->Title(), MB_OK | MB_ICONINFORMATION); }

bool SameName(const String& A, const String& B) { return CompareText(A, B) == 0; }

}  // namespace

// ---- The editing ---------------------------------------------------------------------------------

void TFavoriteEditor::Load(const String& FavoriteFile, const String& ShortcutFile,
                           const std::vector<String>& CommandCaptions) {
  Favorites = ReadFavoriteFile(FavoriteFile);
  CommandShortCuts.clear();
  for (const String& text : ReadShortcutTexts(ShortcutFile)) {
    ObjectPtr<TShortCut_> entry(new TShortCut_);
    entry->ShortCutText = text;
    CommandShortCuts.push_back(std::move(entry));
  }
  captions_ = CommandCaptions;
  SelectedIndex = -1;
  Mode.clear();
}

void TFavoriteEditor::ShowFavorite(int Index) {
  const TFavorite& favorite = *Favorites.at(Index);
  Fields.ShowDialog = favorite.ShowDialog;
  Fields.Name = favorite.Name;
  Fields.ShortCutText = ShortCutToText(TextToShortCut(favorite.ShortCutText));
  if (const TFavoriteEffect* effect = FindFavoriteEffect(favorite.EffectName))
    Fields.EffectIndex = static_cast<int>(effect - FavoriteEffects().data());
  Fields.ParamList = favorite.ParamList;
}

void TFavoriteEditor::ListClick(int Index) {
  SelectedIndex = Index;
  if (Index >= 0) ShowFavorite(Index);
}

void TFavoriteEditor::ResetFields() {
  Fields = TFields();
  Fields.Name = L"Untitled";
}

void TFavoriteEditor::New() {
  Mode = L"New";
  ResetFields();
}

void TFavoriteEditor::Edit() { Mode = L"Edit"; }

void TFavoriteEditor::Cancel() {
  Mode.clear();
  if (SelectedIndex >= 0) ShowFavorite(SelectedIndex);
}

void TFavoriteEditor::ChooseEffect(int EffectIndex) {
  Fields.EffectIndex = EffectIndex;
  if (EffectIndex < 0) return;
  const TFavoriteEffect& effect = FavoriteEffects()[EffectIndex];
  if (Mode == L"Edit" && SelectedIndex >= 0 && Favorites[SelectedIndex]->EffectName == effect.Name)
    Fields.ParamList = Favorites[SelectedIndex]->ParamList;
  else
    Fields.ParamList = DefaultParameterList(effect, GlobalVars);
}

String TFavoriteEditor::KeyPressed(const String& Text) {
  Fields.ShortCutText = Text;
  CheckFavoriteConflict(Text);
  // Asked with the box's text read again, so a refused key is not asked about a second time.
  CheckCommandConflict(Fields.ShortCutText);
  return Fields.ShortCutText;
}

void TFavoriteEditor::CheckFavoriteConflict(const String& Text) {
  if (Text.empty()) return;
  for (std::size_t i = 0; i < Favorites.size(); ++i) {
    if (Favorites[i]->ShortCutText != Text) continue;
    if (Mode == L"Edit" && static_cast<int>(i) == SelectedIndex) continue;
    const String question = L"The specified shortcut key is already used by the \"" + Favorites[i]->Name +
                            L"\" favorite. Do you want to overwrite it?";
    if (Ask(question, Application->Title()) == IDYES)
      Favorites[i]->ShortCutText.clear();
    else
      Fields.ShortCutText.clear();
    return;
  }
}

void TFavoriteEditor::CheckCommandConflict(const String& Text) {
  if (Text.empty()) return;
  for (std::size_t i = 0; i < captions_.size() && i < CommandShortCuts.size(); ++i) {
    if (CommandShortCuts[i]->ShortCutText != Text) continue;
    const String question = L"The specified shortcut key is already used by the \"" +
                            StripAmpersands(captions_[i]) + L"\" command. Do you want to overwrite it?";
    if (Ask(question, Application->Title()) == IDYES)
      CommandShortCuts[i]->ShortCutText.clear();
    else
      Fields.ShortCutText.clear();
    return;
  }
}

bool TFavoriteEditor::CanSave() const { return Editing() && !Trim(Fields.Name).empty(); }

bool TFavoriteEditor::NameIsValid(const String& Name) const {
  for (wchar_t ch : Name)
    if (ch == L']' || ch < L' ' || ch == 0x7F) return false;
  return true;
}

ObjectPtr<TFavorite> TFavoriteEditor::NewRecord(const String& Name) const {
  ObjectPtr<TFavorite> record(new TFavorite);
  record->Name = Name;
  record->ShortCutText = Fields.ShortCutText;
  record->ParamList = Fields.ParamList;
  record->EffectName = FavoriteEffects()[Fields.EffectIndex].Name;
  record->ShowDialog = Fields.ShowDialog;
  return record;
}

bool TFavoriteEditor::Save() {
  if (!SaveCurrent()) return false;
  Mode.clear();
  return true;
}

bool TFavoriteEditor::SaveCurrent() {
  if (Fields.EffectIndex < 0) {
    Inform(L"You must select a function.");
    return false;
  }
  const String name = Trim(Fields.Name);
  if (!NameIsValid(name)) {
    Application->MessageBox(L"A favorite name cannot contain \"]\" or line breaks.", Application->Title(),
                            MB_OK | MB_ICONERROR);
    return false;
  }
  const int count = static_cast<int>(Favorites.size());
  const String question = L"The specified name is already used. Do you want to overwrite it?";
  if (Mode == L"New") {
    int n = count;
    for (int i = 0; i < count; ++i)
      if (SameName(Favorites[i]->Name, name)) n = Ask(question, L"Overwrite Shortcut key") == IDYES ? i : -1;
    if (n < 0) return false;
    if (n == count)
      Favorites.push_back(NewRecord(name));
    else
      Favorites[n] = NewRecord(name);
    SelectedIndex = n;
  } else {
    std::vector<int> others;
    for (int i = 0; i < count; ++i)
      if (i != SelectedIndex && SameName(Favorites[i]->Name, name)) others.push_back(i);
    for (std::size_t k = 0; k < others.size(); ++k)
      if (Ask(question, L"Overwrite Shortcut key") != IDYES) return false;
    Favorites[SelectedIndex] = NewRecord(name);
    for (auto it = others.rbegin(); it != others.rend(); ++it) {
      Favorites.erase(Favorites.begin() + *it);
      if (*it < SelectedIndex) --SelectedIndex;
    }
  }
  ShowFavorite(SelectedIndex);
  return true;
}

void TFavoriteEditor::Delete() {
  if (SelectedIndex < 0) return;
  if (Ask(L"Are you sure you want to delete this favorite?", L"Confirm Favorite Delete") != IDYES) return;
  Favorites.erase(Favorites.begin() + SelectedIndex);
  if (SelectedIndex > 0)
    --SelectedIndex;
  else if (Favorites.empty())
    SelectedIndex = -1;
  if (SelectedIndex < 0) ResetFields();
  ListClick(SelectedIndex);
}

void TFavoriteEditor::Up() {
  if (SelectedIndex <= 0) return;
  std::swap(Favorites[SelectedIndex - 1], Favorites[SelectedIndex]);
  ListClick(SelectedIndex - 1);
}

void TFavoriteEditor::Down() {
  if (SelectedIndex < 0 || SelectedIndex >= static_cast<int>(Favorites.size()) - 1) return;
  std::swap(Favorites[SelectedIndex], Favorites[SelectedIndex + 1]);
  ListClick(SelectedIndex + 1);
}

std::vector<int> TFavoriteEditor::SettingsValues() {
  if (Fields.EffectIndex < 0) return {};
  const TFavoriteEffect& effect = FavoriteEffects()[Fields.EffectIndex];
  if (effect.ValueCount == 0) {
    Inform(L"No options in this command.");
    return {};
  }
  const int count = ParseParameterList(Fields.ParamList);
  std::vector<int> values;
  for (int k = 0; k < effect.ValueCount; ++k)
    values.push_back(k < count ? FavoriteParams[k] : GlobalVars.*effect.DefaultFields[k]);
  return values;
}

void TFavoriteEditor::WriteFiles(const String& FavoriteFile, const String& ShortcutFile) const {
  EraseFavoriteSections(FavoriteFile);
  WriteFavoriteSections(FavoriteFile, Favorites);
  std::vector<String> texts;
  for (const ObjectPtr<TShortCut_>& entry : CommandShortCuts) texts.push_back(entry->ShortCutText);
  WriteShortcutTexts(ShortcutFile, texts);
}

// ---- The window ----------------------------------------------------------------------------------

TFavoriteForm::TFavoriteForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  SetName(L"FavoriteForm");
  SetCaption(L"Favorites");
  SetBorderStyle(bsDialog);
  Font()->SetName(L"Tahoma");
  Font()->SetSize(8);
  SetClientSize(560, 400);

  ActionList = new TActionList(this);
  ActionList->SetName(L"ActionList");
  ActionList->OnUpdate = {this, &TFavoriteForm::ActionListUpdate};
  NewAction = AddAction(L"NewAction", L"&New", &TFavoriteForm::NewActionExecute);
  EditAction = AddAction(L"EditAction", L"&Edit", &TFavoriteForm::EditActionExecute);
  DeleteAction = AddAction(L"DeleteAction", L"&Delete", &TFavoriteForm::DeleteActionExecute);
  UpAction = AddAction(L"UpAction", L"&Up", &TFavoriteForm::UpActionExecute);
  DownAction = AddAction(L"DownAction", L"&Down", &TFavoriteForm::DownActionExecute);
  SaveAction = AddAction(L"SaveAction", L"&Save", &TFavoriteForm::SaveActionExecute);
  CancelAction = AddAction(L"CancelAction", L"&Cancel", &TFavoriteForm::CancelActionExecute);
  EditFunctionAction =
      AddAction(L"EditFunctionAction", L"&Edit Settings...", &TFavoriteForm::EditFunctionActionExecute);

  ListBoxFavorite = AddControl<TListBox>(loading, this, this, L"ListBoxFavorite", 8, 8, 200, 345);
  ListBoxFavorite->OnClick = {this, &TFavoriteForm::ListBoxFavoriteClick};
  const std::pair<TButton**, TAction*> sideButtons[] = {
      {&ButtonNew, NewAction}, {&ButtonEdit, EditAction}, {&ButtonDelete, DeleteAction},
      {&ButtonUp, UpAction}, {&ButtonDown, DownAction}};
  const wchar_t* sideNames[] = {L"ButtonNew", L"ButtonEdit", L"ButtonDelete", L"ButtonUp", L"ButtonDown"};
  for (int i = 0; i < 5; ++i) {
    *sideButtons[i].first = AddControl<TButton>(loading, this, this, sideNames[i], 214, 8 + i * 31, 75, 25);
    (*sideButtons[i].first)->SetAction(sideButtons[i].second);
  }

  GroupBoxProperties = AddControl<TGroupBox>(loading, this, this, L"GroupBoxProperties", 296, 8, 256, 345);
  GroupBoxProperties->SetCaption(L"Properties");
  TLabel* nameLabel = AddControl<TLabel>(loading, this, GroupBoxProperties, L"LabelName", 10, 22, 40, 14);
  nameLabel->SetCaption(L"N&ame");
  NameEdit = AddControl<TEdit>(loading, this, GroupBoxProperties, L"NameEdit", 56, 19, 190, 21);
  nameLabel->SetFocusControl(NameEdit);
  ButtonSave = AddControl<TButton>(loading, this, GroupBoxProperties, L"ButtonSave", 90, 46, 75, 25);
  ButtonSave->SetAction(SaveAction);
  ButtonCancel = AddControl<TButton>(loading, this, GroupBoxProperties, L"ButtonCancel", 171, 46, 75, 25);
  ButtonCancel->SetAction(CancelAction);

  GroupBoxShortCut = AddControl<TGroupBox>(loading, this, GroupBoxProperties, L"GroupBoxShortCut", 10, 78, 236, 52);
  GroupBoxShortCut->SetCaption(L"Press new shortcut key: ");
  HotKey = AddControl<TRzHotKeyEdit>(loading, this, GroupBoxShortCut, L"HotKey", 10, 20, 135, 21);
  HotKey->SetInvalidKeys({});
  HotKey->SetModifiers({});
  HotKey->OnChange = {this, &TFavoriteForm::HotKeyChange};
  ButtonClear = AddControl<TButton>(loading, this, GroupBoxShortCut, L"ButtonClear", 151, 18, 75, 25);
  ButtonClear->SetCaption(L"&Clear");
  ButtonClear->OnClick = {this, &TFavoriteForm::ButtonClearClick};

  TLabel* effectLabel = AddControl<TLabel>(loading, this, GroupBoxProperties, L"LabelEffect", 10, 142, 40, 14);
  effectLabel->SetCaption(L"E&ffect");
  FunctionComboBox = AddControl<TComboBox>(loading, this, GroupBoxProperties, L"FunctionComboBox", 56, 139, 190, 21);
  FunctionComboBox->SetStyle(csDropDownList);
  FunctionComboBox->SetDropDownCount(15);
  for (const TFavoriteEffect& effect : FavoriteEffects()) FunctionComboBox->Items()->Add(effect.Name);
  FunctionComboBox->OnChange = {this, &TFavoriteForm::FunctionComboBoxChange};
  effectLabel->SetFocusControl(FunctionComboBox);
  ParamerMemo = AddControl<TMemo>(loading, this, GroupBoxProperties, L"ParamerMemo", 10, 168, 236, 100);
  ParamerMemo->SetReadOnly(true);
  ButtonEditSettings =
      AddControl<TButton>(loading, this, GroupBoxProperties, L"ButtonEditSettings", 10, 276, 110, 25);
  ButtonEditSettings->SetAction(EditFunctionAction);
  CheckBoxShowDialog = AddControl<TCheckBox>(loading, this, GroupBoxProperties, L"CheckBoxShowDialog", 10, 310, 150, 17);
  CheckBoxShowDialog->SetCaption(L"Show Dialog");

  CloseButton = AddControl<TButton>(loading, this, this, L"CloseButton", 396, 366, 75, 25);
  CloseButton->SetCaption(L"Close");
  CloseButton->SetDefault(true);
  CloseButton->OnClick = {this, &TFavoriteForm::CloseButtonClick};
  HelpButton = AddControl<TButton>(loading, this, this, L"HelpButton", 477, 366, 75, 25);
  HelpButton->SetCaption(L"Help");

  OnShow = {this, &TFavoriteForm::FormShow};
  OnCloseQuery = {this, &TFavoriteForm::FormCloseQuery};
  loading.End();
}

TAction* TFavoriteForm::AddAction(const wchar_t* Name, const wchar_t* Caption,
                                  void (TFavoriteForm::*Execute)(TObject*)) {
  auto* action = new TAction(this);
  action->SetName(Name);
  action->SetCaption(Caption);
  action->OnExecute = {this, Execute};
  action->SetActionList(ActionList);
  return action;
}

void TFavoriteForm::FormShow(TObject*) {
  std::vector<String> captions;
  for (int i = 0; i < MainForm->ActionList->ActionCount(); ++i)
    captions.push_back(static_cast<TAction*>(MainForm->ActionList->Actions(i))->Caption());
  Editor.Load(FavoriteFilePath(), ShortcutFilePath(), captions);
  ShowEditor();
}

void TFavoriteForm::ShowEditor() {
  ListBoxFavorite->Items()->BeginUpdate();
  ListBoxFavorite->Items()->Clear();
  for (const ObjectPtr<TFavorite>& favorite : Editor.Favorites) ListBoxFavorite->Items()->Add(favorite->Name);
  ListBoxFavorite->Items()->EndUpdate();
  ListBoxFavorite->SetItemIndex(Editor.SelectedIndex);
  const TFavoriteEditor::TFields& fields = Editor.Fields;
  CheckBoxShowDialog->SetChecked(fields.ShowDialog);
  NameEdit->SetText(fields.Name);
  HotKey->SetHotKey(TextToShortCut(fields.ShortCutText));
  FunctionComboBox->SetItemIndex(fields.EffectIndex);
  ParamerMemo->Lines()->SetText(fields.ParamList);
}

void TFavoriteForm::ReadFields() {
  Editor.Fields.Name = NameEdit->Text();
  Editor.Fields.ShowDialog = CheckBoxShowDialog->Checked();
}

void TFavoriteForm::ListBoxFavoriteClick(TObject*) {
  Editor.ListClick(ListBoxFavorite->ItemIndex());
  ShowEditor();
}

void TFavoriteForm::NewActionExecute(TObject*) {
  Editor.New();
  ShowEditor();
}

void TFavoriteForm::EditActionExecute(TObject*) { Editor.Edit(); }

void TFavoriteForm::SaveActionExecute(TObject*) {
  ReadFields();
  if (Editor.Save()) ShowEditor();
}

void TFavoriteForm::CancelActionExecute(TObject*) {
  Editor.Cancel();
  ShowEditor();
}

void TFavoriteForm::DeleteActionExecute(TObject*) {
  Editor.Delete();
  ShowEditor();
}

void TFavoriteForm::UpActionExecute(TObject*) {
  Editor.Up();
  ShowEditor();
}

void TFavoriteForm::DownActionExecute(TObject*) {
  Editor.Down();
  ShowEditor();
}

void TFavoriteForm::FunctionComboBoxChange(TObject*) {
  Editor.ChooseEffect(FunctionComboBox->ItemIndex());
  ParamerMemo->Lines()->SetText(Editor.Fields.ParamList);
}

// The effect's dialog over the editor, Preview hidden, set from the memo's list; its OK gives the
// memo the controls read back. The settings record is not touched.
void TFavoriteForm::EditFunctionActionExecute(TObject*) {
  const std::vector<int> values = Editor.SettingsValues();
  if (values.empty()) return;
  const TFavoriteEffect& effect = FavoriteEffects()[Editor.Fields.EffectIndex];
  String list;
  if (!ExecuteFavoriteDialog(effect, this, values, true,
                             [&](TForm& Dialog, TFamilyMember&) { list = ReadEffectControls(effect, Dialog); }, false))
    return;
  Editor.Fields.ParamList = list;
  ParamerMemo->Lines()->SetText(list);
}

void TFavoriteForm::HotKeyChange(TObject*) {
  const String kept = Editor.KeyPressed(ShortCutToText(HotKey->HotKey()));
  HotKey->SetHotKey(TextToShortCut(kept));
}

void TFavoriteForm::ButtonClearClick(TObject*) {
  Editor.ClearKey();
  HotKey->SetHotKey(scNone);
}

void TFavoriteForm::ActionListUpdate(TBasicAction*, bool& Handled) {
  ReadFields();
  const bool editing = Editor.Editing();
  ListBoxFavorite->SetEnabled(!editing);
  EditAction->SetEnabled(Editor.CanEditOrDelete());
  DeleteAction->SetEnabled(Editor.CanEditOrDelete());
  UpAction->SetEnabled(Editor.CanMoveUp());
  DownAction->SetEnabled(Editor.CanMoveDown());
  for (TWinControl* control : std::initializer_list<TWinControl*>{NameEdit, HotKey, FunctionComboBox,
                                                                  CheckBoxShowDialog, ButtonClear})
    control->SetEnabled(editing);
  CancelAction->SetEnabled(editing);
  SaveAction->SetEnabled(Editor.CanSave());
  EditFunctionAction->SetEnabled(editing && Editor.Fields.EffectIndex >= 0);
  for (TWinControl* control : std::initializer_list<TWinControl*>{FunctionComboBox, NameEdit})
    control->SetColor(control->Enabled() ? clWindow : clBtnFace);
  Handled = true;
}

void TFavoriteForm::CloseSteps() {
  Editor.WriteFiles(FavoriteFilePath(), ShortcutFilePath());
  ModalResult = mrOk;
}

void TFavoriteForm::CloseButtonClick(TObject*) { CloseSteps(); }

void TFavoriteForm::FormCloseQuery(TObject*, bool& CanClose) {
  if (!Editor.Editing()) return;
  ReadFields();
  const String question = L"You are currently editing the \"" + NameEdit->Text() +
                          L"\". Do you want to save your changes before continuing?";
  switch (Application->MessageBox(question, Application->Title(), MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      CanClose = Editor.Save();
      if (CanClose) CloseSteps();
      break;
    case IDNO:
      Editor.Mode.clear();
      CloseSteps();
      break;
    default:
      CanClose = false;
  }
}
