// Bookmarks and regions: default names, the list rows and their marker ids, deleting, renaming,
// sorting, and the upkeep by the document routines and the close step.

#include "app/Bookmarks.h"
#include "app/MarkerNamePrompt.h"
#include "app/Regions.h"
#include "app/SelectToBookmark.h"
#include "app/core/DataItems.h"
#include "app/core/Globals.h"
#include "platform/audio/editor/AudioEditor.h"
#include "tests/app/CommandsFixture.h"

namespace {

class MarkersListTest : public CommandsTest {
 protected:
  // Answers the next name prompt with OK, remembering the name it proposed; an empty answer
  // keeps the proposal.
  void AnswerNamePrompt(const String& answer = String()) {
    OnNextModalForm([this, answer](TCustomForm* modal) {
      auto* prompt = dynamic_cast<TAddRegionOrBookmarkForm*>(modal);
      ASSERT_NE(prompt, nullptr);
      proposed = prompt->EditName->Text();
      promptCaption = prompt->Caption();
      if (!answer.empty()) prompt->EditName->SetText(answer);
      prompt->ButtonOK->Click();
    });
  }
  void AddBookmark(std::int64_t at, const String& name) {
    Select(at, at);
    AnswerNamePrompt(name);
    form->ActionSetBookmarkExecute(form);
  }
  void AddRegion(std::int64_t from, std::int64_t to, const String& name) {
    Select(from, to);
    AnswerNamePrompt(name);
    form->ActionAddRegionExecute(form);
  }
  static std::vector<int> Ids(TMarkerListForm* list) {
    std::vector<int> ids;
    for (int i = 0; i < list->List()->Items()->Count(); ++i) ids.push_back(list->RowMarkerId(list->List()->Items()->Item(i)));
    return ids;
  }
  static std::vector<String> Captions(TMarkerListForm* list) {
    std::vector<String> captions;
    for (int i = 0; i < list->List()->Items()->Count(); ++i) captions.push_back(list->List()->Items()->Item(i)->Caption());
    return captions;
  }
  static void SelectRows(TMarkerListForm* list, std::initializer_list<int> rows) {
    TListItems* items = list->List()->Items();
    for (int i = 0; i < items->Count(); ++i) items->Item(i)->SetSelected(false);
    for (int row : rows) items->Item(row)->SetSelected(true);
  }

  String proposed;
  String promptCaption;
};

TEST_F(MarkersListTest, DefaultNamesAreTheFileNameAndTheSelectionTimes) {
  OpenPattern(L"song.wav", 500000, 8000, 1);
  AddBookmark(492000, String());  // 61.5 s
  EXPECT_EQ(promptCaption, L"Enter Bookmark Name");
  EXPECT_EQ(proposed, L"song.wav@0:01:01.500");
  AddRegion(8000, 18000, String());  // 1 s to 2.25 s
  EXPECT_EQ(promptCaption, L"Enter Region Name");
  EXPECT_EQ(proposed, L"song.wav@0:00:01.000-0:00:02.250");

  ASSERT_EQ(Captions(BookmarkForm), std::vector<String>{L"song.wav@0:01:01.500"});
  TListItem* region = RegionForm->List()->Items()->Item(0);
  EXPECT_EQ(region->SubItems()->Strings(0), L"0:00:01.000-0:00:02.250");
  EXPECT_EQ(region->SubItems()->Strings(1), L"song.wav");
  EXPECT_EQ(region->SubItems()->Strings(2), L"2");
  EXPECT_TRUE(BookmarkForm->Visible());
  EXPECT_TRUE(RegionForm->Visible());
}

TEST_F(MarkersListTest, ABlankNameIsRefusedAndCancelAddsNothing) {
  OpenPattern(L"song.wav", 4000);
  Select(100, 100);
  OnNextModalForm([](TCustomForm* modal) {
    auto* prompt = dynamic_cast<TAddRegionOrBookmarkForm*>(modal);
    prompt->EditName->SetText(L"   ");
    prompt->ButtonOK->Click();
  });
  form->ActionSetBookmarkExecute(form);
  ASSERT_EQ(ErrorBoxes(), 1);
  EXPECT_EQ(boxes[0].Text, L"You must enter a name. Please try again.");
  EXPECT_EQ(Editor().Markers()->GetMarkerCount(), 0);
  EXPECT_EQ(BookmarkForm->List()->Items()->Count(), 0);
  EXPECT_TRUE(BookmarkForm->Visible()) << "the list opens whatever the answer";
}

TEST_F(MarkersListTest, DeletingAMarkerRenumbersBothListsAndGotoFindsTheRightMarker) {
  OpenPattern(L"song.wav", 4000);
  AddBookmark(100, L"first");
  AddRegion(200, 300, L"middle");
  AddBookmark(400, L"third");
  ASSERT_EQ(Ids(BookmarkForm), (std::vector<int>{1, 3}));

  SelectRows(RegionForm, {0});
  answers = {IDYES};
  RegionForm->ActionDeleteExecute(RegionForm);
  EXPECT_EQ(boxes.back().Text, L"Delete the selected region(s)?");
  EXPECT_EQ(RegionForm->List()->Items()->Count(), 0);
  EXPECT_EQ(Ids(BookmarkForm), (std::vector<int>{1, 2}));
  EXPECT_EQ(BookmarkForm->List()->Items()->Item(1)->SubItems()->Strings(1), L"2");

  SelectRows(BookmarkForm, {1});
  BookmarkForm->ActionGotoBookmarkExecute(BookmarkForm);
  EXPECT_EQ(SelectionStart(), 400);
  EXPECT_EQ(SelectionEnd(), 400);
}

TEST_F(MarkersListTest, DeletingSelectedRowsRemovesTheirMarkersInAnySortOrder) {
  OpenPattern(L"song.wav", 4000);
  AddBookmark(100, L"alpha");
  AddBookmark(200, L"beta");
  AddBookmark(300, L"gamma");
  BookmarkForm->ColumnClick(0);  // the first click on the name column sorts descending
  ASSERT_EQ(Captions(BookmarkForm), (std::vector<String>{L"gamma", L"beta", L"alpha"}));
  SelectRows(BookmarkForm, {0, 2});
  answers = {IDYES};
  BookmarkForm->ActionDeleteExecute(BookmarkForm);
  ASSERT_EQ(Captions(BookmarkForm), std::vector<String>{L"beta"});
  EXPECT_EQ(Ids(BookmarkForm), std::vector<int>{1});
  IAudioEditor2Markers* markers = Editor().Markers();
  ASSERT_EQ(markers->GetMarkerCount(), 1);
  markers->SelectMarker(1);
  EXPECT_EQ(markers->GetMarkerName(), L"beta");
}

TEST_F(MarkersListTest, AnsweringNoToTheDeleteQuestionKeepsEverything) {
  OpenPattern(L"song.wav", 4000);
  AddBookmark(100, L"alpha");
  SelectRows(BookmarkForm, {0});
  answers = {IDNO};
  BookmarkForm->ActionDeleteExecute(BookmarkForm);
  EXPECT_EQ(BookmarkForm->List()->Items()->Count(), 1);
  EXPECT_EQ(Editor().Markers()->GetMarkerCount(), 1);
}

TEST_F(MarkersListTest, TheComparerSortsEmptyTextsLastWithoutRegardToCase) {
  struct TCase {
    const wchar_t* First;
    const wchar_t* Second;
    int Sign;
  };
  const TCase cases[] = {{L"a", L"b", -1}, {L"B", L"a", 1}, {L"abc", L"ABC", 0},
                         {L"", L"b", 1},   {L"b", L"", -1}, {L"", L"", 0}};
  for (const TCase& c : cases) {
    const int result = CompareMarkerTexts(c.First, c.Second);
    EXPECT_EQ((result > 0) - (result < 0), c.Sign) << "\"" << testing::PrintToString(String(c.First)) << "\"";
  }
}

TEST_F(MarkersListTest, ColumnClicksAlternateStartingDescendingOnTheNameColumn) {
  OpenPattern(L"song.wav", 4000);
  AddBookmark(300, L"b");
  AddBookmark(100, L"c");
  AddBookmark(200, L"a");
  ASSERT_EQ(BookmarkForm->SortColumn, 0);
  BookmarkForm->ColumnClick(0);
  EXPECT_EQ(Captions(BookmarkForm), (std::vector<String>{L"c", L"b", L"a"}));
  EXPECT_EQ(BookmarkForm->SortColumn, -1);
  BookmarkForm->ColumnClick(0);
  EXPECT_EQ(Captions(BookmarkForm), (std::vector<String>{L"a", L"b", L"c"}));
  TListView* list = BookmarkForm->List();
  list->OnColumnClick(list, list->Columns()->Items(1));  // as the list reports a click
  EXPECT_EQ(Captions(BookmarkForm), (std::vector<String>{L"c", L"a", L"b"})) << "by time";
}

TEST_F(MarkersListTest, RenameChangesOnlyTheRow) {
  OpenPattern(L"song.wav", 4000);
  AddRegion(100, 200, L"intro");
  SelectRows(RegionForm, {0});
  TRegion* before = TRegionForm::RecordOf(RegionForm->List()->Items()->Item(0));
  const String timeText = before->TimeRangeText;
  AnswerNamePrompt(L"chorus");
  RegionForm->ActionRenameExecute(RegionForm);
  EXPECT_EQ(proposed, L"intro");
  EXPECT_EQ(promptCaption, L"Enter Region Name");
  TListItem* row = RegionForm->List()->Items()->Item(0);
  EXPECT_EQ(row->Caption(), L"chorus");
  EXPECT_EQ(TRegionForm::RecordOf(row)->Name, L"chorus");
  EXPECT_EQ(TRegionForm::RecordOf(row)->TimeRangeText, timeText);
  Editor().Markers()->SelectMarker(1);
  EXPECT_EQ(Editor().Markers()->GetMarkerName(), L"intro");
}

TEST_F(MarkersListTest, SelectToBookmarkSelectsBetweenTheTwoWithTheCursorAtTheRowsBookmark) {
  OpenPattern(L"song.wav", 4000);
  AddBookmark(300, L"late");
  AddBookmark(100, L"early");
  SelectRows(BookmarkForm, {0});
  std::vector<String> offered;
  OnNextModalForm([&offered](TCustomForm* modal) {
    auto* dialog = dynamic_cast<TSelectToBookmarkForm*>(modal);
    for (int i = 0; i < dialog->ComboBoxBookmark->Items()->Count(); ++i)
      offered.push_back(dialog->ComboBoxBookmark->Items()->Strings(i));
    dialog->ModalResult = mrOk;
  });
  BookmarkForm->ActionSelectToBookmarkExecute(BookmarkForm);
  EXPECT_EQ(offered, std::vector<String>{L"early"});
  EXPECT_EQ(SelectionStart(), 100);
  EXPECT_EQ(SelectionEnd(), 300);
}

TEST_F(MarkersListTest, OpenNewAndCloseEmptyBothLists) {
  const std::function<void()> routines[] = {
      [this] { OpenPattern(L"other.wav", 4000); },
      [this] { ASSERT_TRUE(form->NewAudioDocument(L"Untitled", 44100, 2)); },
      [this] { form->ActionCloseFileExecute(form); },
  };
  int round = 0;
  for (const auto& routine : routines) {
    SCOPED_TRACE(round);
    OpenPattern(round == 0 ? L"a.wav" : round == 1 ? L"b.wav" : L"c.wav", 4000);
    AddBookmark(100, L"mark");
    AddRegion(100, 200, L"part");
    form->SetModified(false);
    routine();
    EXPECT_EQ(BookmarkForm->List()->Items()->Count(), 0);
    EXPECT_EQ(RegionForm->List()->Items()->Count(), 0);
    ++round;
  }
}

TEST_F(MarkersListTest, TheCloseStepStoresTheBoundsOfAShowingListWindow) {
  OpenPattern(L"song.wav", 4000);
  form->ActionOpenBookmarkListExecute(form);
  BookmarkForm->SetBounds(40, 50, 260, 190);
  GlobalVars.RegionFormLeft = 7;
  TCloseAction action = caHide;
  form->FormClose(form, action);
  EXPECT_EQ(GlobalVars.BookmarkFormLeft, 40);
  EXPECT_EQ(GlobalVars.BookmarkFormTop, 50);
  EXPECT_EQ(GlobalVars.BookmarkFormWidth, 260);
  EXPECT_EQ(GlobalVars.BookmarkFormHeight, 190);
  EXPECT_EQ(GlobalVars.RegionFormLeft, 7) << "a hidden list keeps its stored bounds";
}

// The lists stay above the main window without being above every other program, also when they are
// owned by the application as the program creates them.
TEST_F(MarkersListTest, TheListWindowsAreOwnedByTheMainWindowAndNotTopMost) {
  delete BookmarkForm;
  delete RegionForm;
  BookmarkForm = new TBookmarkForm(Application);
  RegionForm = new TRegionForm(Application);
  OpenPattern(L"song.wav", 4000);
  form->Show();
  form->ActionOpenBookmarkListExecute(form);
  form->ActionOpenRegionListExecute(form);
  for (TMarkerListForm* list : {static_cast<TMarkerListForm*>(BookmarkForm), static_cast<TMarkerListForm*>(RegionForm)}) {
    SCOPED_TRACE(list->Name());
    ASSERT_TRUE(list->Visible());
    EXPECT_EQ(GetWindow(list->Handle(), GW_OWNER), form->Handle());
    EXPECT_EQ(GetWindowLongPtrW(list->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    list->Hide();
  }
  form->Hide();
}

TEST_F(MarkersListTest, TheRowActionsNeedASelectedRow) {
  OpenPattern(L"song.wav", 4000);
  AddBookmark(100, L"mark");
  SelectRows(BookmarkForm, {});
  bool handled = false;
  BookmarkForm->RowActions()->OnUpdate(nullptr, handled);
  EXPECT_FALSE(BookmarkForm->ActionGotoBookmark->Enabled());
  EXPECT_TRUE(BookmarkForm->ActionSelectAll->Enabled());
  EXPECT_TRUE(BookmarkForm->ActionHelp->Enabled());
  SelectRows(BookmarkForm, {0});
  BookmarkForm->RowActions()->OnUpdate(nullptr, handled);
  EXPECT_TRUE(BookmarkForm->ActionDelete->Enabled());
}

}  // namespace
