// The Customize dialog in a real window: opened and closed through the manager's customizing mode,
// its toolbar list, its frame, its options, and the windows it disables while shown.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/rtl/Seams.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "tests/ui/bars/customize/RecordingDesigner.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/Bars.h"
#include "ui/bars/DockControl.h"
#include "ui/bars/PopupMenus.h"
#include "ui/bars/customize/CustomizingForm.h"
#include "ui/bars/customize/DesignController.h"
#include "ui/bars/customize/ItemEditors.h"
#include "ui/bars/customize/NameDialog.h"
#include "ui/bars/customize/SelectionController.h"

using namespace bar_testing;

namespace {

int beeps = 0;
UINT lines = 0;

// Answers the wheel's line count with `lines`; every other question goes to the system.
BOOL WINAPI WheelLinesAnswer(UINT Action, UINT Param, PVOID Value, UINT Flags) {
  if (Action != SPI_GETWHEELSCROLLLINES) return ::SystemParametersInfoW(Action, Param, Value, Flags);
  *static_cast<UINT*>(Value) = lines;
  return TRUE;
}
void CountBeep() { ++beeps; }

// A shown form whose manager has three toolbars: "Standard", "Hidden" (left out at run time) and
// "Locked" (the user may not close it).
class CustomizingFormFixture : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    form->SetBounds(40, 40, 500, 400);
    form->Show();
    standard = NewBar(L"Standard");
    hidden = NewBar(L"Hidden");
    hidden->SetHidden(true);
    locked = NewBar(L"Locked");
    locked->SetAllowClose(false);
    beeps = 0;
    savedBeep = TdxBarCustomizingForm::Beep;
    TdxBarCustomizingForm::Beep = CountBeep;
    manager->OnHideCustomizingForm = [this](TObject*) { ++hides; };
  }
  void TearDown() override {
    manager->SetCustomizingMode(false);
    window_testing::ProcessMessages();
    TdxBarCustomizingForm::Beep = savedBeep;
    EXPECT_EQ(ActiveCustomizingForm(), nullptr);
    BarFixture::TearDown();
  }
  TdxBar* NewBar(const String& Caption) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(Caption);
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    return bar;
  }
  TdxBarCustomizingForm* Open() {
    manager->SetCustomizingMode(true);
    TdxBarCustomizingForm* dialog = ActiveCustomizingForm();
    EXPECT_NE(dialog, nullptr);
    return dialog;
  }
  static std::vector<String> Entries(TListBox* List) {
    std::vector<String> result;
    for (int i = 0; i < List->Items()->Count(); ++i) result.push_back(List->Items()->Strings(i));
    return result;
  }
  // Client point of the middle of entry Index, at x.
  static LPARAM EntryPoint(TListBox* List, int Index, int X) {
    const TRect r = List->ItemRect(Index);
    return MAKELPARAM(X, (r.top + r.bottom) / 2);
  }

  TdxBar *standard = nullptr, *hidden = nullptr, *locked = nullptr;
  void (*savedBeep)() = nullptr;
  int hides = 0;
};

}  // namespace

TEST_F(CustomizingFormFixture, OpensWithTheRunTimeSelectionAndListsTheToolbarsUsersSee) {
  TdxBarCustomizingForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(manager->IsCustomizing());
  EXPECT_TRUE(IsWindowVisible(dialog->Handle()));
  EXPECT_EQ(dialog->Caption(), L"Customize");
  EXPECT_EQ(Entries(dialog->lbBarsList), (std::vector<String>{L"Standard", L"Locked"}));
  // The first toolbar is selected through the run-time controller the dialog installed.
  ASSERT_NE(dynamic_cast<TdxBarRunTimeSelectionController*>(manager->Designer()), nullptr);
  EXPECT_TRUE(manager->Designer()->IsSelected(standard));
  EXPECT_EQ(dialog->lbBarsList->ItemIndex(), 0);
  // Run time: no all-commands or groups pages, no reset for a toolbar that was never stored.
  EXPECT_FALSE(dialog->tsCommands->TabVisible());
  EXPECT_FALSE(dialog->tsGroups->TabVisible());
  EXPECT_TRUE(dialog->aDeleteToolBar->Enabled());
  EXPECT_FALSE(dialog->aResetToolBar->Enabled());
  // The owner window owns the dialog.
  EXPECT_EQ(GetWindow(dialog->Handle(), GW_OWNER), form->Handle());
  // A second request while it is open changes nothing.
  manager->SetCustomizingMode(true);
  EXPECT_EQ(ActiveCustomizingForm(), dialog);
}

TEST_F(CustomizingFormFixture, ClosingFreesTheDialogOnceAndEndsCustomizingOnce) {
  struct Case {
    const char* name;
    std::function<void(TdxBarCustomizingForm*, TdxBarManager*)> close;
  };
  const Case cases[] = {
      {"close button", [](TdxBarCustomizingForm* d, TdxBarManager*) { d->BClose->Click(); }},
      {"system close", [](TdxBarCustomizingForm* d, TdxBarManager*) { SendMessageW(d->Handle(), WM_CLOSE, 0, 0); }},
      {"Escape", [](TdxBarCustomizingForm* d, TdxBarManager*) { SendMessageW(d->BClose->Handle(), CM_DIALOGKEY, VK_ESCAPE, 0); }},
      {"manager", [](TdxBarCustomizingForm*, TdxBarManager* m) { m->SetCustomizingMode(false); }},
  };
  const TNotifyEvent ownChange = [](TObject*) {};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    hides = 0;
    int barsChanges = 0;
    manager->Bars()->OnChange = [&](TObject*, TcxComponentCollectionItem*, TcxCollectionChangeKind) { ++barsChanges; };
    TdxBarCustomizingForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    // The dialog chains the manager's event: the old handler still hears of changes.
    standard->SetCaption(L"Renamed");
    EXPECT_GT(barsChanges, 0);
    EXPECT_EQ(dialog->lbBarsList->Items()->Strings(0), L"Renamed");
    standard->SetCaption(L"Standard");
    c.close(dialog, manager);
    window_testing::ProcessMessages();
    EXPECT_EQ(ActiveCustomizingForm(), nullptr);
    EXPECT_FALSE(manager->IsCustomizing());
    EXPECT_EQ(hides, 1);
    EXPECT_EQ(manager->Designer(), nullptr);
    // The event is the manager's own again.
    barsChanges = 0;
    standard->SetCaption(L"Again");
    EXPECT_GT(barsChanges, 0);
    standard->SetCaption(L"Standard");
  }
}

TEST_F(CustomizingFormFixture, ToolbarsToggleOnceByKeyPressAndDoubleClick) {
  TdxBarCustomizingForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  HWND list = dialog->lbBarsList->Handle();
  const int square = dialog->lbBarsList->ItemHeight();
  struct Case {
    const char* name;
    std::function<void(int Index)> act;
  };
  const Case cases[] = {
      {"space", [&](int Index) {
         dialog->lbBarsList->SetItemIndex(Index);
         SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
       }},
      {"press in the check box", [&](int Index) {
         SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, EntryPoint(dialog->lbBarsList, Index, square / 2));
         SendMessageW(list, WM_LBUTTONUP, 0, EntryPoint(dialog->lbBarsList, Index, square / 2));
       }},
      {"double click on the caption", [&](int Index) {
         SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, EntryPoint(dialog->lbBarsList, Index, square + 20));
         SendMessageW(list, WM_LBUTTONUP, 0, EntryPoint(dialog->lbBarsList, Index, square + 20));
       }},
      {"double click in the check box", [&](int Index) {
         SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, EntryPoint(dialog->lbBarsList, Index, square / 2));
         SendMessageW(list, WM_LBUTTONUP, 0, EntryPoint(dialog->lbBarsList, Index, square / 2));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const bool before = standard->Visible();
    c.act(0);
    EXPECT_NE(standard->Visible(), before);
    // The toolbar the user may not close stays and beeps.
    beeps = 0;
    c.act(1);
    EXPECT_TRUE(locked->Visible());
    EXPECT_EQ(beeps, 1);
  }
  // A press on the caption only selects.
  const bool before = standard->Visible();
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, EntryPoint(dialog->lbBarsList, 0, square + 20));
  SendMessageW(list, WM_LBUTTONUP, 0, EntryPoint(dialog->lbBarsList, 0, square + 20));
  EXPECT_EQ(standard->Visible(), before);
}

TEST_F(CustomizingFormFixture, TheFrameResizesOnlyInHeightAndNotBelowItsFirstHeight) {
  TdxBarCustomizingForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  RECT w;
  GetWindowRect(dialog->Handle(), &w);
  const int midX = (w.left + w.right) / 2, midY = (w.top + w.bottom) / 2;
  struct Case {
    const char* name;
    POINT at;
    LRESULT expected;
  };
  const Case cases[] = {
      {"left", {w.left + 1, midY}, HTCLIENT},         {"right", {w.right - 2, midY}, HTCLIENT},
      {"top", {midX, w.top + 1}, HTTOP},              {"bottom", {midX, w.bottom - 2}, HTBOTTOM},
      {"top left", {w.left + 1, w.top + 1}, HTTOP},   {"top right", {w.right - 2, w.top + 1}, HTTOP},
      {"bottom left", {w.left + 1, w.bottom - 2}, HTBOTTOM}, {"bottom right", {w.right - 2, w.bottom - 2}, HTBOTTOM},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SendMessageW(dialog->Handle(), WM_NCHITTEST, 0, MAKELPARAM(c.at.x, c.at.y)), c.expected);
  }
  MINMAXINFO info{};
  SendMessageW(dialog->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.y, w.bottom - w.top);
}

TEST_F(CustomizingFormFixture, OptionsFollowTheManagerBothWays) {
  TdxBarCustomizingForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->EnhancedOptionsPanel->Visible());
  EXPECT_FALSE(dialog->StandardOptionsPanel->Visible());
  struct Case {
    const char* name;
    TCheckBox* box;
    std::function<bool()> value;
  };
  const Case cases[] = {
      {"large icons", dialog->CBLargeIconsEx, [&] { return manager->LargeIcons(); }},
      {"hints", dialog->CBHint1Ex, [&] { return manager->ShowHint(); }},
      {"shortcuts in hints", dialog->CBHint2Ex, [&] { return manager->ShowShortCutInHint(); }},
      {"recent first", dialog->CBMenusShowRecentItemsFirst, [&] { return manager->MenusShowRecentItemsFirst(); }},
      {"full menus", dialog->CBShowFullMenusAfterDelay, [&] { return manager->ShowFullMenusAfterDelay(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.box->Checked(), c.value());
    c.box->SetChecked(!c.box->Checked());
    EXPECT_EQ(c.box->Checked(), c.value());
  }
  // The dependent boxes follow their leaders.
  dialog->CBHint1Ex->SetChecked(false);
  EXPECT_FALSE(dialog->CBHint2Ex->Enabled());
  dialog->CBMenusShowRecentItemsFirst->SetChecked(false);
  EXPECT_FALSE(dialog->CBShowFullMenusAfterDelay->Enabled());
  // A change of the manager reaches the boxes.
  manager->SetShowHint(true);
  CustomizingFormOptionsChanged();
  EXPECT_TRUE(dialog->CBHint1Ex->Checked());
  EXPECT_TRUE(dialog->CBHint2Ex->Enabled());
  // The animation combo: five entries, the manager's value selected, a choice goes back.
  TComboBox* combo = dialog->ComboBoxMenuAnimationsEx;
  ASSERT_EQ(combo->Items()->Count(), 5);
  EXPECT_EQ(combo->Items()->Strings(0), L"(None)");
  EXPECT_EQ(combo->Items()->Strings(4), L"Fade");
  EXPECT_EQ(combo->ItemIndex(), int(manager->MenuAnimations()));
  combo->SetItemIndex(3);
  dialog->ComboBoxMenuAnimationsClick(combo);
  EXPECT_EQ(int(manager->MenuAnimations()), 3);
}

TEST_F(CustomizingFormFixture, TheStandardStyleShowsOnlyTheStandardOptions) {
  manager->SetStyle(bmsStandard);
  TdxBarCustomizingForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->StandardOptionsPanel->Visible());
  EXPECT_FALSE(dialog->EnhancedOptionsPanel->Visible());
  EXPECT_EQ(dialog->CBHint1->Caption(), L"Show Tool&Tips on toolbars");
  EXPECT_EQ(dialog->ComboBoxMenuAnimations->Items()->Count(), 5);
  // The combo sits at least 10 px right of its label's text.
  EXPECT_GE(dialog->ComboBoxMenuAnimations->Left(),
            dialog->LabelMenuAnimations->Left() + dialog->Canvas()->TextWidth(L"Menu animations:") + 10);
}

TEST_F(CustomizingFormFixture, OtherManagersWindowsAreDisabledWhileItIsShown) {
  TForm* other = new TForm(nullptr, 0);
  other->SetBounds(600, 40, 300, 200);
  auto* otherManager = new TdxBarManager(other);
  TdxBar* otherBar = otherManager->Bars()->Add();
  otherBar->SetCaption(L"Other");
  otherBar->SetVisible(true);
  other->Show();
  ASSERT_NE(otherBar->Control(), nullptr);
  HWND otherBarWindow = otherBar->Control()->Handle();
  ASSERT_TRUE(IsWindowEnabled(other->Handle()));

  Open();
  EXPECT_FALSE(IsWindowEnabled(other->Handle()));
  EXPECT_FALSE(IsWindowEnabled(form->Handle()));
  EXPECT_FALSE(IsWindowEnabled(otherBarWindow));
  manager->SetCustomizingMode(false);
  window_testing::ProcessMessages();
  EXPECT_TRUE(IsWindowEnabled(other->Handle()));
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_TRUE(IsWindowEnabled(otherBarWindow));
  FreeAndNil(other);
}

TEST_F(CustomizingFormFixture, WithNothingSelectedTheManagerItselfIsSelected) {
  // The run-time controller has no selectable face for the manager: selecting it must not call one.
  TdxBarCustomizingForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  dialog->lbBarsList->SetItemIndex(-1);
  dialog->lbBarsList->OnClick(dialog->lbBarsList);
  EXPECT_TRUE(manager->Designer()->IsSelected(manager));
}

TEST_F(CustomizingFormFixture, TheWheelScrollsAPageForThePageSetting) {
  for (int i = 0; i < 30; ++i) NewBar(L"Bar " + std::to_wstring(i));
  TdxBarCustomizingForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  TListBox* list = dialog->lbBarsList;
  auto& bound = Bound();
  auto saved = bound.SystemParametersInfoW;
  bound.SystemParametersInfoW = WheelLinesAnswer;

  // The pointer is over the toolbar list (a window of another test process may lie above it on
  // the shared desktop), and the focus is not on a list.
  static HWND listWindow = nullptr;
  listWindow = list->Handle();
  auto savedWindowAt = TdxBarCustomizingForm::WindowAtPoint;
  TdxBarCustomizingForm::WindowAtPoint = [](POINT) { return listWindow; };
  SetFocus(dialog->BClose->Handle());
  RECT r;
  GetWindowRect(list->Handle(), &r);
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  const int page = (list->ClientHeight() / list->ItemHeight());
  struct Case {
    const char* name;
    UINT lines;
    int expectedTop;
  };
  const Case cases[] = {{"three lines", 3, 3}, {"a page", WHEEL_PAGESCROLL, page}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    lines = c.lines;
    list->SetTopIndex(0);
    SendMessageW(dialog->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), at);
    EXPECT_NEAR(list->TopIndex(), c.expectedTop, 1);
  }
  bound.SystemParametersInfoW = saved;
  TdxBarCustomizingForm::WindowAtPoint = savedWindowAt;
}

TEST_F(CustomizingFormFixture, ARightClickOnADockedToolbarShowsTheToolbarsPopup) {
  // The popup's own loop is time-boxed: a right click once hung before that loop started.
  SetModalTimeLimit(10000, [](const TModalLoop&) { ADD_FAILURE() << "the popup loop overran"; });
  ASSERT_NE(standard->Control(), nullptr);
  ASSERT_TRUE(standard->Control()->HandleAllocated());
  // The entries are read as the manager hears of the popup; the popup's own showing is the popup
  // menu's (another test process may take the activation and close it before its loop).
  std::vector<String> entries;
  int requests = 0;
  manager->OnShowToolbarsPopup = [&](TdxBarManager*, TdxBarItemLinks* Links) {
    ++requests;
    for (int i = 0; i < Links->Count(); ++i) entries.push_back(Links->LinkAt(i)->Item()->Caption());
  };
  window_testing::ScopedModalDriver driver([&](const TModalLoop& loop) { PostMessageW(loop.Window, WM_KEYDOWN, VK_ESCAPE, 0); });
  HWND window = standard->Control()->Handle();
  SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
  SendMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(requests, 1);
  // Closable, not hidden toolbars, then the way into customizing.
  EXPECT_EQ(entries, (std::vector<String>{L"Standard", L"&Customize..."}));
  // The popup and its entries are gone again.
  EXPECT_EQ(DesignControllerInstance()->ToolbarsPopup(), nullptr);
  EXPECT_EQ(DesignControllerInstance()->InternalItemCount(), 0);
  // While customizing a right click shows no toolbars popup.
  manager->SetCustomizingMode(true);
  SendMessageW(standard->Control()->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
  SendMessageW(standard->Control()->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(requests, 1);
  SetModalTimeLimit(0, nullptr);
  manager->OnShowToolbarsPopup = nullptr;
}

TEST_F(CustomizingFormFixture, ADockDoubleClickAndTheCustomizeEntryOpenTheDialog) {
  ASSERT_NE(standard->Control(), nullptr);
  TdxDockControl* site = standard->Control()->DockControl();
  ASSERT_NE(site, nullptr);
  manager->CanCustomize = false;
  SendMessageW(site->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 1));
  EXPECT_EQ(ActiveCustomizingForm(), nullptr);
  manager->CanCustomize = true;
  SendMessageW(site->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 1));
  EXPECT_NE(ActiveCustomizingForm(), nullptr);
  manager->SetCustomizingMode(false);
  ASSERT_EQ(ActiveCustomizingForm(), nullptr);

  TTestLinksOwner* owner = NewOwner();
  TdxBarItemLink* entry = DesignControllerInstance()->AddCustomizeLink(owner->Links(), manager, false);
  ASSERT_NE(entry, nullptr);
  entry->Item()->Click();
  EXPECT_NE(ActiveCustomizingForm(), nullptr);
  DesignControllerInstance()->FreeLinkedItems(owner->Links());
}

TEST_F(CustomizingFormFixture, AtDesignTimeGroupMembersAreCheckedBeforeAnyIsAdded) {
  form->SetComponentState(TComponentState{csDesigning});
  manager->SetComponentState(TComponentState{csDesigning});
  auto* designer = new TRecordingDesigner;
  manager->SetDesigner(designer);
  TdxBarGroup* outer = manager->CreateGroup();
  outer->SetName(L"Outer");
  TdxBarGroup* inner = manager->CreateGroup();
  inner->SetName(L"Inner");
  inner->AddMember(outer);
  NewItem(L"A");
  NewItem(L"B");
  TdxBarCustomizingForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->tsGroups->TabVisible());
  EXPECT_TRUE(dialog->tsCommands->TabVisible());
  EXPECT_EQ(Entries(dialog->lbGroups), (std::vector<String>{L"Outer", L"Inner"}));
  designer->Selection = {outer};
  dialog->SynchronizeAll();
  ASSERT_TRUE(dialog->lbGroups->Selected(0));
  EXPECT_TRUE(dialog->aAddGroupItem->Enabled());

  std::vector<String> messages;
  TMessageBoxAnswerer saved = SetMessageBoxAnswerer([&](HWND, const String& Text, const String&, UINT) {
    messages.push_back(Text);
    return IDOK;
  });
  // Chooses the entries whose text passes Pick, then OK.
  std::function<bool(const String&)> pick;
  std::vector<String> listed;
  window_testing::ScopedModalDriver driver([&](const TModalLoop& loop) {
    auto* chooser = dynamic_cast<TfrmAddGroupItems*>(FindControl(loop.Window));
    if (!chooser) return loop.End();
    listed = Entries(chooser->lbGroupItems);
    for (int i = 0; i < chooser->lbGroupItems->Items()->Count(); ++i)
      chooser->lbGroupItems->SetSelected(i, pick(chooser->lbGroupItems->Items()->Strings(i)));
    chooser->btnOk->Click();
  });
  // The recursive group comes last, after the header and two good members: nothing is added.
  pick = [](const String&) { return true; };
  dialog->aAddGroupItem->Execute();
  EXPECT_EQ(listed, (std::vector<String>{L"~< Groups >", L"Inner", L"~Default", L"A", L"B"}));
  EXPECT_EQ(outer->ItemCountOf(), 0);
  EXPECT_EQ(messages, (std::vector<String>{L"You cannot create recursive groups"}));
  // Without it the header is skipped and the items join.
  messages.clear();
  pick = [](const String& Text) { return Text != L"Inner"; };
  dialog->aAddGroupItem->Execute();
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(Entries(dialog->lbGroupItems), (std::vector<String>{L"A", L"B"}));
  SetMessageBoxAnswerer(saved);
  manager->SetCustomizingMode(false);
  manager->SetDesigner(nullptr);
}

TEST_F(CustomizingFormFixture, TheNameDialogRefusesAnotherToolbarsNameAndCancelAddsNothing) {
  std::vector<String> messages;
  TMessageBoxAnswerer saved = SetMessageBoxAnswerer([&](HWND, const String& Text, const String&, UINT) {
    messages.push_back(Text);
    return IDOK;
  });
  // Each answer is typed and confirmed in turn; an empty answer cancels.
  std::vector<String> answers;
  size_t next = 0;
  String firstShown;
  bool okForEmpty = true;
  window_testing::ScopedModalDriver driver([&](const TModalLoop& loop) {
    auto* dialog = dynamic_cast<TdxBarNameEd*>(FindControl(loop.Window));
    if (!dialog) return loop.End();
    firstShown = dialog->EName->Text();
    dialog->EName->SetText(L"");
    okForEmpty = dialog->BOK->Enabled();
    while (next < answers.size()) {
      const String answer = answers[next++];
      if (answer.empty()) return loop.End();
      dialog->EName->SetText(answer);
      // What OK does: the modal result, then the close query the loop runs.
      dialog->ModalResult = mrOk;
      if (dialog->CloseQuery()) return;
      dialog->ModalResult = mrNone;  // refused: the dialog stays open for the next answer
    }
    loop.End();
  });
  const int before = manager->Bars()->Count();
  answers = {L""};
  EXPECT_EQ(manager->AddNewToolbar(false, true), nullptr);
  EXPECT_EQ(manager->Bars()->Count(), before);
  EXPECT_EQ(firstShown, L"Custom 1");
  EXPECT_FALSE(okForEmpty);

  answers = {L"Standard", L"Fresh"};
  next = 0;
  TdxBar* added = manager->AddNewToolbar(false, true);
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->Caption(), L"Fresh");
  EXPECT_EQ(messages, (std::vector<String>{L"A toolbar named 'Standard' already exists. Type another name."}));

  // A toolbar keeps its own name on rename.
  messages.clear();
  answers = {L"Standard"};
  next = 0;
  manager->RenameBar(standard);
  EXPECT_EQ(standard->Caption(), L"Standard");
  EXPECT_TRUE(messages.empty());
  SetMessageBoxAnswerer(saved);
}

TEST_F(CustomizingFormFixture, CommandEntriesAreDrawnByTheirItemsInTheDialogsLook) {
  TdxBarButton* glyphed = NewItem(L"Glyphed");
  TBitmap glyph;
  glyph.SetWidth(16);
  glyph.SetHeight(16);
  glyphed->Glyph()->Assign(&glyph);
  NewItem(L"Plain");
  TdxBarCustomizingForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  dialog->PageControl->SetActivePage(dialog->tsItems);
  TListBox* list = dialog->lbItems;
  ASSERT_EQ(Entries(list), (std::vector<String>{L"Glyphed", L"Plain"}));
  list->SetItemIndex(0);
  SetWindowPos(dialog->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  list->Repaint();
  const TRect first = list->ItemRect(0), second = list->ItemRect(1);
  const int mid0 = (first.top + first.bottom) / 2, mid1 = (second.top + second.bottom) / 2;
  HDC dc = GetDC(list->Handle());
  // The selected entry with a glyph: a raised glyph box on the plain background, the text area
  // selected from 24 px on. The list's own drawing would fill the whole row.
  EXPECT_EQ(GetPixel(dc, 0, mid0), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(dc, 3, first.top + 2), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetPixel(dc, 150, first.top + 1), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(GetPixel(dc, 150, mid1), GetSysColor(COLOR_BTNFACE));
  // Below the last entry: the painter's background.
  EXPECT_EQ(GetPixel(dc, 150, second.bottom + 10), GetSysColor(COLOR_BTNFACE));
  ReleaseDC(list->Handle(), dc);
}

TEST_F(CustomizingFormFixture, TheGroupButtonsShowTheirPictures) {
  TdxBarCustomizingForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  TCustomImageList* images = dialog->imgGroups;
  ASSERT_EQ(images->Count(), 6);
  ASSERT_EQ(images->Width(), 16);
  // Each picture drawn on paper: its background lets the paper through, its sign shows its colour.
  struct Case {
    int image;
    int x, y;
    DWORD rgb;
  } cases[] = {
      {0, 5, 8, 0xFFFF00},  {0, 12, 14, 0x008000}, {1, 5, 8, 0xFFFF00}, {1, 15, 15, 0xFF0000},
      {2, 7, 5, 0x000080},  {3, 7, 10, 0x000080},  {4, 5, 5, 0xFFFFFF}, {4, 12, 14, 0x008000},
      {5, 5, 5, 0xFFFFFF},  {5, 15, 15, 0xFF0000}, {2, 0, 0, 0x123456}, {4, 0, 0, 0x123456},
  };
  window_testing::DibSection dib(16, 16);
  for (const Case& c : cases) {
    HBRUSH paper = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    RECT all{0, 0, 16, 16};
    FillRect(dib.DC(), &all, paper);
    DeleteObject(paper);
    ImageList_Draw(images->Handle(), c.image, dib.DC(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(dib.Pixel(c.x, c.y), c.rgb) << c.image << " at " << c.x << "," << c.y;
  }
}
