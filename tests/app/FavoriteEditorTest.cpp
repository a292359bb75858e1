// The favourite editor's logic with scripted answers, and its window's Close and close box.

#include "app/FavoriteEditor.h"
#include "app/ShortCuts.h"
#include "dialogs/Amplify.h"
#include "dialogs/Reverb.h"
#include "app/core/Globals.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/windows/ShortCuts.h"
#include "tests/app/CommandsFixture.h"

namespace {

class FavoriteEditorTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    std::vector<String> captions;
    for (int i = 0; i < form->ActionList->ActionCount(); ++i)
      captions.push_back(static_cast<TAction*>(form->ActionList->Actions(i))->Caption());
    editor.Load(FavoriteFilePath(), ShortcutFilePath(), captions);
  }
  std::vector<String> Names() const {
    std::vector<String> names;
    for (const auto& favorite : editor.Favorites) names.push_back(favorite->Name);
    return names;
  }
  int EffectIndex(const wchar_t* name) const {
    return static_cast<int>(FindFavoriteEffect(name) - FavoriteEffects().data());
  }
  static std::vector<String> FileSections(const String& path) {
    TIniFile ini(path);
    TStringList sections;
    ini.ReadSections(sections);
    std::vector<String> names;
    for (int i = 0; i < sections.Count(); ++i) names.push_back(sections.Strings(i));
    return names;
  }
  TFavoriteEditor editor;
};

TEST_F(FavoriteEditorTest, ANewFavouriteUnderAnExistingNameAsksAndReplacesOnYesOnly) {
  editor.New();
  EXPECT_EQ(editor.Fields.Name, L"Untitled");
  editor.Fields.Name = L"  half volume ";
  editor.ChooseEffect(EffectIndex(L"Fade"));
  answers = {IDNO};
  EXPECT_FALSE(editor.Save());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, L"The specified name is already used. Do you want to overwrite it?");
  EXPECT_EQ(boxes[0].Caption, L"Overwrite Shortcut key");
  EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(editor.Mode, L"New");
  EXPECT_EQ(editor.Favorites.size(), 12u);

  answers = {IDYES};
  EXPECT_TRUE(editor.Save());
  EXPECT_EQ(editor.Mode, L"");
  ASSERT_EQ(editor.Favorites.size(), 12u);
  EXPECT_EQ(editor.SelectedIndex, 0);
  EXPECT_EQ(editor.Favorites[0]->Name, L"half volume");
  EXPECT_EQ(editor.Favorites[0]->EffectName, L"Fade");
}

TEST_F(FavoriteEditorTest, EditAsksBeforeRenamingOntoAnotherAndKeepsOneSectionPerName) {
  editor.ListClick(1);  // Double Volume
  editor.Edit();
  editor.Fields.Name = L"RADIO";
  answers = {IDNO};
  EXPECT_FALSE(editor.Save());
  EXPECT_EQ(editor.Mode, L"Edit");
  EXPECT_EQ(editor.Favorites.size(), 12u);
  answers = {IDYES};
  EXPECT_TRUE(editor.Save());
  ASSERT_EQ(editor.Favorites.size(), 11u);
  EXPECT_EQ(editor.Favorites[1]->Name, L"RADIO");
  EXPECT_EQ(editor.Favorites[1]->ParamList, L"200");
  EXPECT_EQ(editor.SelectedIndex, 1);
  // Its own name in another case is no question.
  editor.Edit();
  editor.Fields.Name = L"radio";
  EXPECT_TRUE(editor.Save());
  EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(FavoriteEditorTest, NamesWithABracketOrALineBreakAreRefused) {
  for (const wchar_t* name : {L"Loud]", L"Two\r\nLines", L"Tab\tName"}) {
    editor.New();
    editor.Fields.Name = name;
    editor.ChooseEffect(EffectIndex(L"Amplify"));
    EXPECT_FALSE(editor.Save());
    EXPECT_EQ(boxes.back().Text, L"A favorite name cannot contain \"]\" or line breaks.");
  }
  editor.Fields.Name = L"Loud";
  editor.Fields.EffectIndex = -1;
  EXPECT_FALSE(editor.Save());
  EXPECT_EQ(boxes.back().Text, L"You must select a function.");
  EXPECT_EQ(boxes.back().Flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(editor.Favorites.size(), 12u);
}

TEST_F(FavoriteEditorTest, ChoosingAnotherEffectGivesItsDefaultsAndTheStoredEffectItsStoredList) {
  GlobalVars.DefEchoDelayTime = 300;
  GlobalVars.DefEchoMixDepth = 40;
  GlobalVars.DefEchoFeedbackGain = 20;
  editor.ListClick(0);
  editor.Edit();
  editor.ChooseEffect(EffectIndex(L"Echo"));
  EXPECT_EQ(editor.Fields.ParamList, L"300,40,20");
  editor.ChooseEffect(EffectIndex(L"Amplify"));
  EXPECT_EQ(editor.Fields.ParamList, L"50");
  editor.ChooseEffect(EffectIndex(L"Invert"));
  EXPECT_EQ(editor.Fields.ParamList, L"");
  EXPECT_TRUE(editor.SettingsValues().empty());
  EXPECT_EQ(boxes.back().Text, L"No options in this command.");
}

TEST_F(FavoriteEditorTest, EditSettingsCompletesAShortListFromTheEffectsDefaults) {
  GlobalVars.DefReverbGain = 31;
  GlobalVars.DefReverbFrequency = 8000;
  GlobalVars.DefReverbTaps = 4;
  GlobalVars.DefReverbFeedbackGain = 12;
  editor.New();
  editor.ChooseEffect(EffectIndex(L"Reverb"));
  editor.Fields.ParamList = L"30,60";
  EXPECT_EQ(editor.SettingsValues(), (std::vector<int>{30, 60, 12, 31, 8000, 4}));
}

// "&Edit Settings..." through the window: the effect's dialog over the editor without Preview, set
// from the memo; OK gives the memo the controls as they read, Cancel leaves it. The settings record
// is not touched.
TEST_F(FavoriteEditorTest, EditSettingsShowsTheDialogWithoutPreviewAndOKGivesTheEditsTextUnchanged) {
  GlobalVars.DefAmplify = 100;
  String shown, afterOK, afterCancel;
  bool previewShown = true;
  OnNextModalForm([&](TCustomForm* modal) {
    auto* window = static_cast<TFavoriteForm*>(modal);
    window->ListBoxFavorite->SetItemIndex(0);  // Half Volume, Amplify 50
    window->ListBoxFavoriteClick(window);
    window->EditActionExecute(window);
    window->EditFunctionActionExecute(window);
    afterOK = window->ParamerMemo->Lines()->Strings(0);
    window->EditFunctionActionExecute(window);
    afterCancel = window->ParamerMemo->Lines()->Strings(0);
    window->CancelActionExecute(window);
    modal->Close();
  });
  OnNextModalForm([&](TCustomForm* modal) {
    auto* amplify = dynamic_cast<TAmplifyForm*>(modal);
    ASSERT_NE(amplify, nullptr);
    shown = amplify->EditAmplify->Text();
    previewShown = amplify->ButtonPreview->Visible();
    amplify->EditAmplify->SetText(L"075");
    modal->ModalResult = mrOk;
  });
  OnNextModalForm([](TCustomForm* modal) {
    dynamic_cast<TAmplifyForm*>(modal)->EditAmplify->SetText(L"99");
    modal->ModalResult = mrCancel;
  });
  form->ButtonEditFClick(form);
  EXPECT_EQ(shown, L"50");
  EXPECT_FALSE(previewShown);
  EXPECT_EQ(afterOK, L"075");
  EXPECT_EQ(afterCancel, L"075");
  EXPECT_EQ(GlobalVars.DefAmplify, 100);
}

TEST_F(FavoriteEditorTest, EditSettingsOnAShortListOpensWithTheMissingValuesAtTheDefaultsAndOKCompletesIt) {
  GlobalVars.DefReverbFeedbackGain = 12;
  GlobalVars.DefReverbGain = 31;
  GlobalVars.DefReverbFrequency = 8000;
  GlobalVars.DefReverbTaps = 4;
  String memo;
  std::vector<int> shown;
  OnNextModalForm([&](TCustomForm* modal) {
    auto* window = static_cast<TFavoriteForm*>(modal);
    window->NewActionExecute(window);
    window->FunctionComboBox->SetItemIndex(EffectIndex(L"Reverb"));
    window->FunctionComboBoxChange(window);
    window->Editor.Fields.ParamList = L"30,60";
    window->EditFunctionActionExecute(window);
    memo = window->ParamerMemo->Lines()->Strings(0);
    window->CancelActionExecute(window);
    modal->Close();
  });
  OnNextModalForm([&](TCustomForm* modal) {
    auto* reverb = dynamic_cast<TReverbForm*>(modal);
    ASSERT_NE(reverb, nullptr);
    for (TImageSlider* slider : {reverb->ImageSliderDelayTime, reverb->ImageSliderMixDepth,
                                 reverb->ImageSliderFeedbackGain, reverb->ImageSliderReverbGain,
                                 reverb->ImageSliderReverbFrequency, reverb->ImageSliderTaps})
      shown.push_back(slider->Value());
    modal->ModalResult = mrOk;
  });
  form->ButtonEditFClick(form);
  EXPECT_EQ(shown, (std::vector<int>{30, 60, 12, 31, 8000, 4}));
  EXPECT_EQ(memo, L"30,60,12,31,8000,4");
}

TEST_F(FavoriteEditorTest, AKeyOfAFavouriteOrACommandIsAskedAboutOnce) {
  editor.New();
  answers = {IDNO};
  EXPECT_EQ(editor.KeyPressed(L"Ctrl+H"), L"");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text,
            L"The specified shortcut key is already used by the \"Half Volume\" favorite. Do you want to overwrite it?");
  answers = {IDYES};
  EXPECT_EQ(editor.KeyPressed(L"Ctrl+H"), L"Ctrl+H");
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_EQ(editor.Favorites[0]->ShortCutText, L"");

  answers = {IDYES};
  EXPECT_EQ(editor.KeyPressed(L"Ctrl+Z"), L"Ctrl+Z");
  EXPECT_EQ(boxes.back().Text,
            L"The specified shortcut key is already used by the \"Undo\" command. Do you want to overwrite it?");
  EXPECT_EQ(editor.CommandShortCuts[0]->ShortCutText, L"");
  editor.Fields.Name = L"Undoer";
  editor.ChooseEffect(EffectIndex(L"Reverse"));
  ASSERT_TRUE(editor.Save());
  editor.WriteFiles(FavoriteFilePath(), ShortcutFilePath());
  EXPECT_EQ(TIniFile(ShortcutFilePath()).ReadString(L"Action1", L"Shortcut", L"?"), L"");
  EXPECT_EQ(TIniFile(FavoriteFilePath()).ReadString(L"Undoer", L"ShortCut", L"?"), L"Ctrl+Z");
}

TEST_F(FavoriteEditorTest, DeletingTheOnlyFavouriteResetsTheFieldsAndCloseWritesNoSectionForIt) {
  while (editor.Favorites.size() > 1) {
    editor.ListClick(0);
    answers = {IDYES};
    editor.Delete();
  }
  EXPECT_EQ(boxes.back().Caption, L"Confirm Favorite Delete");
  EXPECT_EQ(Names(), (std::vector<String>{L"Cassette Noise Reduce"}));
  answers = {IDNO};
  editor.Delete();
  EXPECT_EQ(editor.Favorites.size(), 1u);
  answers = {IDYES};
  editor.Delete();
  EXPECT_TRUE(editor.Favorites.empty());
  EXPECT_EQ(editor.SelectedIndex, -1);
  EXPECT_EQ(editor.Fields.Name, L"Untitled");
  EXPECT_EQ(editor.Fields.ShortCutText, L"");
  EXPECT_EQ(editor.Fields.EffectIndex, -1);
  EXPECT_EQ(editor.Fields.ParamList, L"");
  editor.WriteFiles(FavoriteFilePath(), ShortcutFilePath());
  EXPECT_TRUE(FileSections(FavoriteFilePath()).empty());
}

TEST_F(FavoriteEditorTest, UpAndDownSwapWithTheNeighbourAndFollowTheMovedFavourite) {
  editor.ListClick(1);
  editor.Up();
  EXPECT_EQ(editor.SelectedIndex, 0);
  EXPECT_EQ(Names()[0], L"Double Volume");
  EXPECT_FALSE(editor.CanMoveUp());
  editor.ListClick(11);
  EXPECT_FALSE(editor.CanMoveDown());
  editor.Down();
  EXPECT_EQ(editor.SelectedIndex, 11);
  editor.ListClick(10);
  editor.Down();
  EXPECT_EQ(Names()[11], L"Radio");
  EXPECT_EQ(editor.Fields.Name, L"Radio");
}

TEST_F(FavoriteEditorTest, TheCloseBoxOutsideAnEditWritesNothingAndCloseWritesAndReloads) {
  const AnsiString favorites = testing_support::ReadFileBytes(FavoriteFilePath());
  OnNextModalForm([this](TCustomForm* modal) {
    auto* window = static_cast<TFavoriteForm*>(modal);
    EXPECT_EQ(window->ListBoxFavorite->Items()->Count(), 12);
    answers = {IDYES};
    window->Editor.ListClick(0);
    window->DeleteActionExecute(window);
    modal->Close();
  });
  form->ButtonEditFClick(form);
  EXPECT_EQ(testing_support::ReadFileBytes(FavoriteFilePath()), favorites);
  EXPECT_EQ(form->ActionListFavorite->ActionCount(), 12);

  OnNextModalForm([this](TCustomForm* modal) {
    auto* window = static_cast<TFavoriteForm*>(modal);
    answers = {IDYES};
    window->Editor.ListClick(0);
    window->DeleteActionExecute(window);
    window->CloseButton->Click();
  });
  form->ButtonEditFClick(form);
  EXPECT_EQ(FileSections(FavoriteFilePath()).size(), 11u);
  EXPECT_EQ(form->ActionListFavorite->ActionCount(), 11);
}

TEST_F(FavoriteEditorTest, ClosingWhileEditingAsksAndNoDropsTheChangesButWrites) {
  OnNextModalForm([this](TCustomForm* modal) {
    auto* window = static_cast<TFavoriteForm*>(modal);
    window->NewActionExecute(window);
    window->NameEdit->SetText(L"Pending");
    bool canClose = true;
    answers = {IDCANCEL};
    window->FormCloseQuery(window, canClose);
    EXPECT_FALSE(canClose);
    canClose = true;
    answers = {IDNO};
    window->FormCloseQuery(window, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(window->ModalResult, mrOk);
  });
  form->ButtonEditFClick(form);
  ASSERT_GE(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].Text,
            L"You are currently editing the \"Pending\". Do you want to save your changes before continuing?");
  EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
  EXPECT_EQ(FileSections(FavoriteFilePath()).size(), 12u);
}

}  // namespace
