#include "app/ShortCuts.h"

#include <memory>

#include "app/FormControls.h"
#include "app/MainForm.h"
#include "app/core/Centring.h"
#include "app/core/TextRoutines.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/windows/ShortCuts.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TFormShortCut)

// ---- The file ------------------------------------------------------------------------------------

String ShortcutFilePath() { return GlobalVars.DataFolder + L"Shortcut.dat"; }

std::vector<String> ReadShortcutTexts(const String& Path) {
  std::vector<String> texts;
  if (!FileExists(Path)) return texts;
  TIniFile ini(Path);
  TStringList sections;
  ini.ReadSections(sections);
  for (int i = 0; i < sections.Count(); ++i) texts.push_back(ini.ReadString(sections.Strings(i), L"Shortcut", L""));
  return texts;
}

void WriteShortcutTexts(const String& Path, const std::vector<String>& Texts) {
  TIniFile ini(Path);
  for (std::size_t k = 0; k < Texts.size(); ++k) ini.WriteString(L"Action" + IntToStr(k + 1), L"Shortcut", Texts[k]);
}

// ---- The main window's part ----------------------------------------------------------------------

void TMainForm::WriteDefaultShortcuts() {
  const String path = ShortcutFilePath();
  if (FileExists(path)) return;
  std::vector<String> texts;
  for (int i = 0; i < ActionList->ActionCount(); ++i)
    texts.push_back(ShortCutToText(static_cast<TAction*>(ActionList->Actions(i))->ShortCut()));
  WriteShortcutTexts(path, texts);
}

void TMainForm::LoadShortcuts() {
  const std::vector<String> texts = ReadShortcutTexts(ShortcutFilePath());
  const int count = std::min(static_cast<int>(texts.size()), ActionList->ActionCount());
  for (int i = 0; i < count; ++i)
    static_cast<TAction*>(ActionList->Actions(i))->SetShortCut(TextToShortCut(texts[i]));
}

void TMainForm::dxBarLargeButtonKeyboardClick(TObject*) {
  std::unique_ptr<TFormShortCut> window(new TFormShortCut(this));
  CentreOver(window.get(), this);
  window->ShowModal();
}

// ---- The editing ---------------------------------------------------------------------------------

void TShortCutEditor::Load(const std::vector<String>& Captions, const String& ShortcutFile,
                           const String& FavoriteFile) {
  const std::vector<String> texts = ReadShortcutTexts(ShortcutFile);
  rows_.clear();
  for (std::size_t i = 0; i < Captions.size(); ++i)
    rows_.push_back({StripAmpersands(Captions[i]), i < texts.size() ? texts[i] : String()});
  favorites_ = ReadFavoriteFile(FavoriteFile);
  previousShortCut_.clear();
  selected_ = -1;
  RebuildConflicts();
}

void TShortCutEditor::Select(int Row) {
  selected_ = Row;
  previousShortCut_ = rows_.at(Row).ShortCutText;
}

bool TShortCutEditor::KeyPressed(const String& Text) {
  if (selected_ < 0) return true;
  rows_[selected_].ShortCutText = Text;
  const bool kept = CheckFavoriteConflict(Text);
  if (!kept) rows_[selected_].ShortCutText = previousShortCut_;
  RebuildConflicts();
  return kept;
}

void TShortCutEditor::Clear() {
  if (selected_ < 0) return;
  rows_[selected_].ShortCutText.clear();
  RebuildConflicts();
}

bool TShortCutEditor::CheckFavoriteConflict(const String& Text) {
  if (Text.empty()) return true;
  for (const ObjectPtr<TFavorite>& favorite : favorites_) {
    if (favorite->ShortCutText != Text) continue;
    const String question = L"The specified shorcut Key is already used by the \"" + favorite->Name +
                            L"\" favorite. Do you want to overwrite it";
    if (Application->MessageBox(question, L"Overwrite Shortcut key", MB_YESNO | MB_ICONQUESTION) != IDYES)
      return false;
    favorite->ShortCutText.clear();
    return true;
  }
  return true;
}

void TShortCutEditor::RebuildConflicts() {
  conflicts_.clear();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const String& text = rows_[i].ShortCutText;
    if (text.empty()) continue;
    for (std::size_t j = i + 1; j < rows_.size(); ++j) {
      if (rows_[j].ShortCutText != text) continue;
      for (const String& line : {L"[" + text + L"]" + rows_[i].Caption, L"[" + text + L"]" + rows_[j].Caption})
        if (!ConflictListed(line)) conflicts_.push_back(line);
    }
  }
}

bool TShortCutEditor::ConflictListed(const String& Line) const {
  for (const String& listed : conflicts_)
    if (listed == Line) return true;
  return false;
}

bool TShortCutEditor::Accept(const String& ShortcutFile, const String& FavoriteFile) {
  if (!conflicts_.empty()) {
    Application->MessageBox(L"You must resolve any keyboard shortcut conflicts bofore continuing.",
                            Application->Title(), MB_OK | MB_ICONINFORMATION);
    return false;
  }
  std::vector<String> texts;
  for (const TRow& row : rows_) texts.push_back(row.ShortCutText);
  WriteShortcutTexts(ShortcutFile, texts);
  WriteFavoriteSections(FavoriteFile, favorites_);
  return true;
}

// ---- The window ----------------------------------------------------------------------------------

TFormShortCut::TFormShortCut(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  SetName(L"FormShortCut");
  SetCaption(L"Keyboard Shortcuts");
  SetBorderStyle(bsDialog);
  Font()->SetName(L"Tahoma");
  Font()->SetSize(8);
  SetClientSize(420, 470);

  ShortCutListView = AddControl<TListView>(loading, this, this, L"ShortCutListView", 8, 8, 404, 270);
  ShortCutListView->SetViewStyle(vsReport);
  ShortCutListView->SetReadOnly(true);
  ShortCutListView->SetRowSelect(true);
  ShortCutListView->SetHideSelection(false);
  TListColumn* name = ShortCutListView->Columns()->Add();
  name->SetCaption(L"Name");
  name->SetWidth(280);
  TListColumn* shortcut = ShortCutListView->Columns()->Add();
  shortcut->SetCaption(L"Shortcut");
  shortcut->SetWidth(100);
  ShortCutListView->OnSelectItem = {this, &TFormShortCut::ShortCutListViewSelectItem};

  GroupBoxShortCut = AddControl<TGroupBox>(loading, this, this, L"GroupBoxShortCut", 8, 284, 404, 52);
  GroupBoxShortCut->SetCaption(L"Shortcut key");
  LabelPress = AddControl<TLabel>(loading, this, GroupBoxShortCut, L"LabelPress", 10, 22, 120, 14);
  LabelPress->SetCaption(L"Press new shortcut key:");
  HotKey = AddControl<THotKey>(loading, this, GroupBoxShortCut, L"HotKey", 136, 19, 170, 21);
  HotKey->SetInvalidKeys({});
  HotKey->SetModifiers({});
  HotKey->OnChange = {this, &TFormShortCut::HotKeyChange};
  ClearButton = AddControl<TButton>(loading, this, GroupBoxShortCut, L"ClearButton", 314, 17, 75, 25);
  ClearButton->SetCaption(L"Clear");
  ClearButton->OnClick = {this, &TFormShortCut::ClearButtonClick};

  LabelConflicts = AddControl<TLabel>(loading, this, this, L"LabelConflicts", 8, 344, 200, 14);
  LabelConflicts->SetCaption(L"Conflicting keys:");
  ConflictMemo = AddControl<TMemo>(loading, this, this, L"ConflictMemo", 8, 360, 404, 66);
  ConflictMemo->SetReadOnly(true);
  ConflictMemo->SetScrollBars(ssVertical);

  ButtonOK = AddControl<TButton>(loading, this, this, L"ButtonOK", 256, 436, 75, 25);
  ButtonOK->SetCaption(L"&OK");
  ButtonOK->SetDefault(true);
  ButtonOK->OnClick = {this, &TFormShortCut::ButtonOKClick};
  ButtonCancel = AddControl<TButton>(loading, this, this, L"ButtonCancel", 337, 436, 75, 25);
  ButtonCancel->SetCaption(L"&Cancel");
  ButtonCancel->Cancel = true;
  ButtonCancel->ModalResult = mrCancel;

  OnShow = {this, &TFormShortCut::FormShow};
  loading.End();
}

void TFormShortCut::FormShow(TObject*) {
  DoubleBuffered = true;
  FillCommandList();
  ShowConflicts();
}

void TFormShortCut::FillCommandList() {
  std::vector<String> captions;
  for (int i = 0; i < MainForm->ActionList->ActionCount(); ++i)
    captions.push_back(static_cast<TAction*>(MainForm->ActionList->Actions(i))->Caption());
  Editor.Load(captions, ShortcutFilePath(), FavoriteFilePath());
  TListItems* items = ShortCutListView->Items();
  items->BeginUpdate();
  items->Clear();
  for (const TShortCutEditor::TRow& row : Editor.Rows()) {
    TListItem* item = items->Add();
    item->SetCaption(row.Caption);
    item->SubItems()->Add(row.ShortCutText);
  }
  items->EndUpdate();
  if (items->Count() > 0) {
    ShortCutListView->SetSelected(items->Item(0));
    ShortCutListViewSelectItem(ShortCutListView, items->Item(0), true);
  }
}

void TFormShortCut::ShortCutListViewSelectItem(TObject*, TListItem* Item, bool Selected) {
  if (!Item || !Selected) return;
  Editor.Select(Item->Index());
  HotKey->SetHotKey(TextToShortCut(Editor.PreviousShortCut()));
}

void TFormShortCut::HotKeyChange(TObject*) {
  if (Editor.Selected() < 0) return;
  if (!Editor.KeyPressed(ShortCutToText(HotKey->HotKey()))) HotKey->SetHotKey(scNone);
  ShowRowText(Editor.Selected());
  ShowConflicts();
}

void TFormShortCut::ClearButtonClick(TObject*) {
  if (Editor.Selected() < 0) return;
  HotKey->SetHotKey(scNone);
  Editor.Clear();
  ShowRowText(Editor.Selected());
  ShowConflicts();
}

void TFormShortCut::ButtonOKClick(TObject*) {
  if (!Editor.Accept(ShortcutFilePath(), FavoriteFilePath())) return;
  MainForm->LoadFavorites();
  MainForm->LoadShortcuts();
  ModalResult = mrOk;
}

void TFormShortCut::ShowRowText(int Row) {
  ShortCutListView->Items()->Item(Row)->SubItems()->SetStrings(0, Editor.Rows()[Row].ShortCutText);
}

void TFormShortCut::ShowConflicts() {
  ConflictMemo->Lines()->Clear();
  for (const String& line : Editor.Conflicts()) ConflictMemo->Lines()->Add(line);
}
