#pragma once
// The commands' keyboard shortcuts: "Shortcut.dat" (sections "Action1" ... "ActionN" in command
// order, key "Shortcut"; readers take the sections by their order in the file, not by name), and
// the window "Keyboard Shortcuts" with the logic it drives.

#include <vector>

#include "app/FavoriteData.h"
#include "platform/framework/controls/ComCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

// DataFolder + "Shortcut.dat".
String ShortcutFilePath();
// The "Shortcut" text of every section, in file order; empty when the file is missing.
std::vector<String> ReadShortcutTexts(const String& Path);
// Section "Action" + (k + 1), key "Shortcut" := text k, for every text.
void WriteShortcutTexts(const String& Path, const std::vector<String>& Texts);

// The editing of the shortcut window without the window: one row per command, the favourites read
// when it opens, the conflict lines. Questions and messages go through the message box.
class TShortCutEditor {
 public:
  struct TRow {
    String Caption;
    String ShortCutText;
  };

  // Rows from the commands' captions (without "&") and the texts of "Shortcut.dat" (missing
  // sections read as empty); the favourites from "Favorite.dat".
  void Load(const std::vector<String>& Captions, const String& ShortcutFile, const String& FavoriteFile);
  const std::vector<TRow>& Rows() const { return rows_; }
  const TFavoriteList& Favorites() const { return favorites_; }
  const std::vector<String>& Conflicts() const { return conflicts_; }
  const String& PreviousShortCut() const { return previousShortCut_; }
  int Selected() const { return selected_; }

  // Selecting a row: remembers its text.
  void Select(int Row);
  // A key pressed for the selected row; false when the hot-key box is to be emptied.
  bool KeyPressed(const String& Text);
  // "Clear": the selected row loses its shortcut.
  void Clear();
  // OK: false (after the message) while conflicts are listed; otherwise writes both files.
  bool Accept(const String& ShortcutFile, const String& FavoriteFile);

 private:
  bool CheckFavoriteConflict(const String& Text);
  void RebuildConflicts();
  bool ConflictListed(const String& Line) const;

  std::vector<TRow> rows_;
  TFavoriteList favorites_;
  std::vector<String> conflicts_;
  String previousShortCut_;
  int selected_ = -1;
};

class TFormShortCut : public TForm {
  DECLARE_CLASS(TFormShortCut, TForm)
 public:
  explicit TFormShortCut(TComponent* AOwner);

  TListView* ShortCutListView = nullptr;
  TGroupBox* GroupBoxShortCut = nullptr;
  TLabel* LabelPress = nullptr;
  THotKey* HotKey = nullptr;
  TButton* ClearButton = nullptr;
  TLabel* LabelConflicts = nullptr;
  TMemo* ConflictMemo = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  TShortCutEditor Editor;

  void FormShow(TObject* Sender);
  void ShortCutListViewSelectItem(TObject* Sender, TListItem* Item, bool Selected);
  void HotKeyChange(TObject* Sender);
  void ClearButtonClick(TObject* Sender);
  void ButtonOKClick(TObject* Sender);

 private:
  void FillCommandList();
  void ShowRowText(int Row);
  void ShowConflicts();
};
