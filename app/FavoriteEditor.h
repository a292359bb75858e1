#pragma once
// The favourite editor: the window "Favorites" (TFavoriteForm) and the editing it drives
// (TFavoriteEditor), which works on copies of "Favorite.dat" and of the commands' shortcuts and
// writes both files only through the "Close" steps. Questions go through the message box.

#include <vector>

#include "app/FavoriteData.h"
#include "platform/framework/windows/ActnList.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

class TRzHotKeyEdit;

class TFavoriteEditor {
 public:
  // The fields of the shown favourite.
  struct TFields {
    String Name;
    String ShortCutText;
    int EffectIndex = -1;  // into FavoriteEffects(), -1 for none
    String ParamList;
    bool ShowDialog = false;
  };

  // Reads both files; the commands' captions give the names the key question uses.
  void Load(const String& FavoriteFile, const String& ShortcutFile, const std::vector<String>& CommandCaptions);

  TFavoriteList Favorites;
  std::vector<ObjectPtr<TShortCut_>> CommandShortCuts;
  // "", "New" or "Edit".
  String Mode;
  int SelectedIndex = -1;
  TFields Fields;

  bool Editing() const { return !Mode.empty(); }
  void ShowFavorite(int Index);
  void ListClick(int Index);
  void New();
  void Edit();
  void Cancel();
  // The effect list's choice.
  void ChooseEffect(int EffectIndex);
  // A key pressed in the hot-key box: the text the box holds afterwards (empty when refused).
  String KeyPressed(const String& Text);
  void ClearKey() { Fields.ShortCutText.clear(); }
  // "&Save": true when the favourite was stored (the mode then ends).
  bool Save();
  void Delete();
  void Up();
  void Down();
  // The values "&Edit Settings..." sets the effect's dialog from: the memo's list, with the values
  // a short list lacks taken from the effect's default list. Empty for Invert and Reverse (after
  // the message); a list that is no list of integers raises the conversion error.
  std::vector<int> SettingsValues();
  // The "Close" steps: erase and rewrite "Favorite.dat", rewrite "Shortcut.dat".
  void WriteFiles(const String& FavoriteFile, const String& ShortcutFile) const;

  // Enabling of the window's actions.
  bool CanEditOrDelete() const { return !Editing() && SelectedIndex >= 0; }
  bool CanMoveUp() const { return CanEditOrDelete() && SelectedIndex != 0; }
  bool CanMoveDown() const {
    return CanEditOrDelete() && SelectedIndex != static_cast<int>(Favorites.size()) - 1;
  }
  bool CanSave() const;

 private:
  bool SaveCurrent();
  bool NameIsValid(const String& Name) const;
  ObjectPtr<TFavorite> NewRecord(const String& Name) const;
  void CheckFavoriteConflict(const String& Text);
  void CheckCommandConflict(const String& Text);
  void ResetFields();

  std::vector<String> captions_;
};

class TFavoriteForm : public TForm {
  DECLARE_CLASS(TFavoriteForm, TForm)
 public:
  explicit TFavoriteForm(TComponent* AOwner);

  TListBox* ListBoxFavorite = nullptr;
  TButton* ButtonNew = nullptr;
  TButton* ButtonEdit = nullptr;
  TButton* ButtonDelete = nullptr;
  TButton* ButtonUp = nullptr;
  TButton* ButtonDown = nullptr;
  TGroupBox* GroupBoxProperties = nullptr;
  TEdit* NameEdit = nullptr;
  TButton* ButtonSave = nullptr;
  TButton* ButtonCancel = nullptr;
  TGroupBox* GroupBoxShortCut = nullptr;
  TRzHotKeyEdit* HotKey = nullptr;
  TButton* ButtonClear = nullptr;
  TComboBox* FunctionComboBox = nullptr;
  TMemo* ParamerMemo = nullptr;
  TButton* ButtonEditSettings = nullptr;
  TCheckBox* CheckBoxShowDialog = nullptr;
  TButton* CloseButton = nullptr;
  TButton* HelpButton = nullptr;
  TActionList* ActionList = nullptr;
  TAction* NewAction = nullptr;
  TAction* EditAction = nullptr;
  TAction* DeleteAction = nullptr;
  TAction* UpAction = nullptr;
  TAction* DownAction = nullptr;
  TAction* SaveAction = nullptr;
  TAction* CancelAction = nullptr;
  TAction* EditFunctionAction = nullptr;

  TFavoriteEditor Editor;

  void FormShow(TObject* Sender);
  void ListBoxFavoriteClick(TObject* Sender);
  void NewActionExecute(TObject* Sender);
  void EditActionExecute(TObject* Sender);
  void SaveActionExecute(TObject* Sender);
  void CancelActionExecute(TObject* Sender);
  void DeleteActionExecute(TObject* Sender);
  void UpActionExecute(TObject* Sender);
  void DownActionExecute(TObject* Sender);
  void FunctionComboBoxChange(TObject* Sender);
  void EditFunctionActionExecute(TObject* Sender);
  void HotKeyChange(TObject* Sender);
  void ButtonClearClick(TObject* Sender);
  void ActionListUpdate(TBasicAction* Action, bool& Handled);
  void CloseButtonClick(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);

 private:
  TAction* AddAction(const wchar_t* Name, const wchar_t* Caption, void (TFavoriteForm::*Execute)(TObject*));
  void CloseSteps();
  // The editor's state into the controls, and the fields the user types back into the editor.
  void ShowEditor();
  void ReadFields();
};
