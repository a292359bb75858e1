// The command list and its keyboard shortcuts: the placeholders, "Shortcut.dat" at the first start,
// loading by section order, and the shortcut window's editing (conflicts, the favourite question,
// OK and Cancel).

#include <set>

#include "app/ShortCuts.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/windows/ShortCuts.h"
#include "platform/framework/rtl/FileUtils.h"
#include "tests/app/CommandsFixture.h"

namespace {

using ShortCutsTest = CommandsTest;

TAction* ActionAt(TMainForm* form, int index) { return static_cast<TAction*>(form->ActionList->Actions(index)); }

void CollectMenuActions(TMenuItem* item, std::set<TBasicAction*>& actions) {
  for (int i = 0; i < item->Count(); ++i) {
    if (item->Items(i)->Action()) actions.insert(item->Items(i)->Action());
    CollectMenuActions(item->Items(i), actions);
  }
}

TEST_F(ShortCutsTest, PlaceholdersAreDisabledWithoutHandlerOrMenuAndTheirKeysDoNothing) {
  const std::set<String> placeholders = {
      L"ActionStatusBar", L"ActionTopTransportBar", L"ActionTopZoomBar"};
  OpenPattern(L"song.wav", 4000);
  form->UpdateCommandStates();
  std::set<TBasicAction*> inMenus;
  CollectMenuActions(form->MainMenu->Items(), inMenus);
  std::set<String> withoutHandler;
  for (int i = 0; i < form->ActionList->ActionCount(); ++i) {
    TAction* action = ActionAt(form, i);
    if (action->OnExecute) continue;
    withoutHandler.insert(action->Name());
    SCOPED_TRACE(action->Name());
    EXPECT_FALSE(action->Enabled());
    EXPECT_EQ(inMenus.count(action), 0u);
  }
  EXPECT_EQ(withoutHandler, placeholders);
  // F5 is the record command's, which the enabling pass leaves enabled.
  EXPECT_EQ(ShortCutToText(form->ActionRecord->ShortCut()), L"F5");
  EXPECT_TRUE(form->ActionRecord->Enabled());
  EXPECT_EQ(SelectionStart(), 0);
}

TEST_F(ShortCutsTest, AFirstStartWritesEveryCommandsBuiltInShortcutInCommandOrder) {
  TIniFile ini(dataFolder + L"Shortcut.dat");
  TStringList sections;
  ini.ReadSections(sections);
  ASSERT_EQ(sections.Count(), 109);
  for (int i = 0; i < 109; ++i) EXPECT_EQ(sections.Strings(i), L"Action" + std::to_wstring(i + 1));
  EXPECT_EQ(ini.ReadString(L"Action1", L"Shortcut", L"?"), L"Ctrl+Z");
  EXPECT_EQ(ini.ReadString(L"Action2", L"Shortcut", L"?"), L"");
  EXPECT_EQ(ini.ReadString(L"Action39", L"Shortcut", L"?"), L"F5");
  EXPECT_EQ(ini.ReadString(L"Action82", L"Shortcut", L"?"), L"Space");
}

TEST_F(ShortCutsTest, LoadShortcutsGivesTheSectionsToTheCommandsByTheirOrderOnly) {
  const String path = dataFolder + L"Shortcut.dat";
  DeleteFile(path);
  {
    TIniFile ini(path);
    ini.WriteString(L"Zulu", L"Shortcut", L"F11");  // first section: Undo
    ini.WriteString(L"Alpha", L"Shortcut", L"");    // second: Redo
    ini.WriteString(L"Mike", L"Shortcut", L"nonsense");
  }
  form->LoadShortcuts();
  EXPECT_EQ(ShortCutToText(form->ActionUndo->ShortCut()), L"F11");
  EXPECT_EQ(form->ActionRedo->ShortCut(), scNone);
  EXPECT_EQ(form->ActionCut->ShortCut(), scNone);
  // Commands beyond the file's sections keep their keys.
  EXPECT_EQ(ShortCutToText(form->ActionCopy->ShortCut()), L"Ctrl+C");
}

class ShortCutEditorTest : public CommandsTest {
 protected:
  void Load() {
    std::vector<String> captions;
    for (int i = 0; i < form->ActionList->ActionCount(); ++i) captions.push_back(ActionAt(form, i)->Caption());
    editor.Load(captions, ShortcutFilePath(), FavoriteFilePath());
  }
  int RowOf(const String& caption) const {
    for (std::size_t i = 0; i < editor.Rows().size(); ++i)
      if (editor.Rows()[i].Caption == caption) return static_cast<int>(i);
    return -1;
  }
  TShortCutEditor editor;
};

TEST_F(ShortCutEditorTest, ASharedKeyIsListedRefusedOnOkAndClearingItLetsOkWrite) {
  Load();
  editor.Select(RowOf(L"Copy"));
  EXPECT_EQ(editor.PreviousShortCut(), L"Ctrl+C");
  EXPECT_TRUE(editor.KeyPressed(L"Ctrl+X"));
  EXPECT_EQ(editor.Conflicts(), (std::vector<String>{L"[Ctrl+X]Cut", L"[Ctrl+X]Copy"}));
  const AnsiString before = testing_support::ReadFileBytes(ShortcutFilePath());
  EXPECT_FALSE(editor.Accept(ShortcutFilePath(), FavoriteFilePath()));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, L"You must resolve any keyboard shortcut conflicts bofore continuing.");
  EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(testing_support::ReadFileBytes(ShortcutFilePath()), before);

  editor.Clear();
  EXPECT_TRUE(editor.Conflicts().empty());
  EXPECT_TRUE(editor.Accept(ShortcutFilePath(), FavoriteFilePath()));
  EXPECT_EQ(TIniFile(ShortcutFilePath()).ReadString(L"Action4", L"Shortcut", L"?"), L"");
  EXPECT_EQ(TIniFile(ShortcutFilePath()).ReadString(L"Action3", L"Shortcut", L"?"), L"Ctrl+X");
}

TEST_F(ShortCutEditorTest, AKeySharedByThreeGivesThreeLinesAndTextsDifferingInCaseDoNotConflict) {
  {
    TIniFile ini(ShortcutFilePath());
    ini.WriteString(L"Action2", L"Shortcut", L"ctrl+x");  // Redo, hand-edited
  }
  Load();
  EXPECT_TRUE(editor.Conflicts().empty());
  editor.Select(RowOf(L"Copy"));
  editor.KeyPressed(L"Ctrl+X");
  editor.Select(RowOf(L"Paste"));
  editor.KeyPressed(L"Ctrl+X");
  EXPECT_EQ(editor.Conflicts(), (std::vector<String>{L"[Ctrl+X]Cut", L"[Ctrl+X]Copy", L"[Ctrl+X]Paste"}));
}

TEST_F(ShortCutEditorTest, AFavouritesKeyIsTakenOnYesAndKeptOnNo) {
  Load();
  editor.Select(RowOf(L"Redo"));
  answers = {IDNO};
  EXPECT_FALSE(editor.KeyPressed(L"Ctrl+H"));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text,
            L"The specified shorcut Key is already used by the \"Half Volume\" favorite. Do you want to overwrite it");
  EXPECT_EQ(boxes[0].Caption, L"Overwrite Shortcut key");
  EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(editor.Rows()[RowOf(L"Redo")].ShortCutText, L"");

  answers = {IDYES};
  EXPECT_TRUE(editor.KeyPressed(L"Ctrl+H"));
  ASSERT_TRUE(editor.Accept(ShortcutFilePath(), FavoriteFilePath()));
  EXPECT_EQ(TIniFile(ShortcutFilePath()).ReadString(L"Action2", L"Shortcut", L"?"), L"Ctrl+H");
  TIniFile favorites(FavoriteFilePath());
  EXPECT_EQ(favorites.ReadString(L"Half Volume", L"ShortCut", L"?"), L"");
  EXPECT_EQ(favorites.ReadString(L"Half Volume", L"Effect", L"?"), L"50");
  EXPECT_EQ(favorites.ReadString(L"Double Volume", L"ShortCut", L"?"), L"Ctrl+D");
}

TEST_F(ShortCutsTest, TheWindowsOkReloadsTheKeysAndCancelLeavesBothFilesUntouched) {
  const AnsiString shortcuts = testing_support::ReadFileBytes(dataFolder + L"Shortcut.dat");
  const AnsiString favorites = testing_support::ReadFileBytes(dataFolder + L"Favorite.dat");
  OnNextModalForm([this](TCustomForm* modal) {
    auto* window = static_cast<TFormShortCut*>(modal);
    EXPECT_EQ(window->ShortCutListView->Items()->Count(), 109);
    EXPECT_EQ(window->ShortCutListView->Items()->Item(0)->Caption(), L"Undo");
    window->Editor.Select(0);
    answers = {IDYES};
    window->Editor.KeyPressed(L"Ctrl+H");
    modal->ModalResult = mrCancel;
  });
  form->dxBarLargeButtonKeyboardClick(form);
  EXPECT_EQ(testing_support::ReadFileBytes(dataFolder + L"Shortcut.dat"), shortcuts);
  EXPECT_EQ(testing_support::ReadFileBytes(dataFolder + L"Favorite.dat"), favorites);

  OnNextModalForm([](TCustomForm* modal) {
    auto* window = static_cast<TFormShortCut*>(modal);
    window->Editor.Select(0);
    window->Editor.KeyPressed(L"F11");
    window->ButtonOKClick(window);
  });
  form->dxBarLargeButtonKeyboardClick(form);
  EXPECT_EQ(ShortCutToText(form->ActionUndo->ShortCut()), L"F11");
}

}  // namespace
