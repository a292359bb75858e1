// List view, page control, progress bar, date-time picker and hot-key field over the common controls.

#include <gtest/gtest.h>

#include "platform/framework/controls/ComCtrls.h"
#include "platform/framework/rtl/DateUtils.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

class CommonControls : public FormFixture {
 protected:
  TListView* MakeList(std::initializer_list<const wchar_t*> captions) {
    auto* list = Place<TListView>(10, 10, 300, 200);
    list->SetViewStyle(vsReport);
    list->Columns()->Add()->SetCaption(L"Name");
    list->Columns()->Add()->SetCaption(L"Size");
    int n = 0;
    for (const wchar_t* caption : captions) {
      TListItem* item = list->Items()->Add();
      item->SetCaption(caption);
      item->SubItems()->Add(std::to_wstring(++n));
      item->Data = reinterpret_cast<void*>(static_cast<INT_PTR>(n));
    }
    return list;
  }
  static String WindowText(TListView* list, int row, int column) {
    wchar_t text[64] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(list->Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
  }
};

int ByDataDescending(TListItem* a, TListItem* b, LPARAM direction) {
  const auto da = reinterpret_cast<INT_PTR>(a->Data), db = reinterpret_cast<INT_PTR>(b->Data);
  return static_cast<int>((db - da) * direction);
}

}  // namespace

TEST_F(CommonControls, ListViewCustomSortReordersItemsAndWindowAlike) {
  for (bool withWindow : {false, true}) {
    TListView* list = MakeList({L"b", L"c", L"a"});
    if (withWindow) list->HandleNeeded();
    ASSERT_TRUE(list->CustomSort(&ByDataDescending, 1));
    list->HandleNeeded();
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(list->Items()->Item(i)->Index(), i);
      EXPECT_EQ(WindowText(list, i, 0), list->Items()->Item(i)->Caption()) << i << " window " << withWindow;
    }
    EXPECT_EQ(WindowText(list, 0, 1), L"3");  // sub-items travel with their row
    ASSERT_TRUE(list->AlphaSort());
    EXPECT_EQ(list->Items()->Item(0)->Caption(), L"a");
    EXPECT_EQ(WindowText(list, 2, 0), L"c");
    list->Free();
  }
}

TEST_F(CommonControls, ListViewFindCaptionIgnoresCase) {
  TListView* list = MakeList({L"Intro", L"verse", L"Chorus", L"VERSE 2"});
  struct Case {
    int start;
    const wchar_t* value;
    bool partial, inclusive, wrap;
    int expected;
  };
  const Case cases[] = {
      {0, L"VERSE", false, true, false, 1}, {0, L"chorus", false, true, false, 2}, {0, L"verse", true, true, false, 1},
      {1, L"verse", true, false, false, 3}, {2, L"intro", false, true, false, -1}, {2, L"intro", false, true, true, 0},
      {0, L"vers", false, true, false, -1}, {0, L"outro", true, true, true, -1},
  };
  for (const Case& c : cases) {
    TListItem* found = list->FindCaption(c.start, c.value, c.partial, c.inclusive, c.wrap);
    EXPECT_EQ(found ? found->Index() : -1, c.expected) << c.start << " " << static_cast<int>(c.value[0]);
  }
}

TEST_F(CommonControls, ListViewReportsSelectionChangesPerItem) {
  TListView* list = MakeList({L"a", L"b", L"c"});
  list->SetMultiSelect(true);
  list->HandleNeeded();
  std::vector<std::pair<String, bool>> seen;
  list->OnSelectItem = [&](TObject*, TListItem* item, bool selected) { seen.emplace_back(item->Caption(), selected); };
  list->Items()->Item(1)->SetSelected(true);
  list->Items()->Item(2)->SetSelected(true);
  EXPECT_EQ(list->SelCount(), 2);
  EXPECT_EQ(list->Selected(), list->Items()->Item(1));
  list->SetSelected(list->Items()->Item(0));
  EXPECT_EQ(list->SelCount(), 1);
  const std::vector<std::pair<String, bool>> expected{{L"b", true}, {L"c", true}, {L"b", false}, {L"c", false}, {L"a", true}};
  EXPECT_EQ(seen, expected);

  // The selection and the items survive a new window; deleting the selected item leaves none.
  list->Items()->Item(0)->SetFocused(true);
  list->RecreateWnd();
  EXPECT_EQ(seen.size(), expected.size());  // restoring the selection is no user's choice
  EXPECT_EQ(list->Selected(), list->Items()->Item(0));
  EXPECT_EQ(list->ItemFocused(), list->Items()->Item(0));
  list->Items()->Item(0)->Delete();
  EXPECT_EQ(list->Selected(), nullptr);
  EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(CommonControls, PageControlWithHiddenTabsSwitchesPagesByCode) {
  auto* pages = Place<TPageControl>(10, 10, 300, 200);
  std::vector<TTabSheet*> sheets;
  for (const wchar_t* caption : {L"Source", L"Options", L"Finish"}) {
    auto* sheet = new TTabSheet(form);
    sheet->SetCaption(caption);
    sheet->SetTabVisible(false);
    sheet->SetPageControl(pages);
    sheets.push_back(sheet);
  }
  ShowForm();
  int changes = 0;
  pages->OnChange = [&](TObject*) { ++changes; };
  EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  // Without tabs a sheet covers the whole control.
  EXPECT_EQ(sheets[0]->BoundsRect(), pages->ClientRect());

  pages->SetActivePageIndex(2);
  EXPECT_TRUE(IsWindowVisible(sheets[2]->Handle()));
  EXPECT_FALSE(IsWindowVisible(sheets[0]->Handle()));
  pages->SetActivePage(sheets[1]);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_TRUE(sheets[1]->Showing());
  EXPECT_FALSE(sheets[2]->Showing());
  EXPECT_EQ(changes, 0);  // only the user's tab clicks are changes

  // With tabs again, the user's choice of a tab shows its page.
  for (TTabSheet* sheet : sheets) sheet->SetTabVisible(true);
  EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_LT(sheets[1]->Height(), pages->ClientHeight());
  SendMessageW(pages->Handle(), TCM_SETCURSEL, 2, 0);
  NMHDR header{pages->Handle(), 0, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  EXPECT_EQ(changes, 1);
}

TEST_F(CommonControls, ProgressBarKeepsItsPositionInRange) {
  auto* bar = Place<TProgressBar>(10, 10, 200, 16);
  bar->SetMax(1000);
  bar->SetPosition(640);
  EXPECT_EQ(SendMessageW(bar->Handle(), PBM_GETPOS, 0, 0), 640);
  bar->SetPosition(5000);
  EXPECT_EQ(bar->Position(), 1000);
  bar->SetMin(100);
  bar->SetPosition(0);
  EXPECT_EQ(bar->Position(), 100);
}

TEST_F(CommonControls, TimePickerWithAClockFormatKeepsTheTime) {
  auto* picker = Place<TDateTimePicker>(10, 10, 150, 24);
  picker->SetKind(dtkTime);
  picker->SetFormat(L"HH:mm:ss");
  int changes = 0;
  picker->OnChange = [&](TObject*) { ++changes; };
  picker->SetDateTime(EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 58, 0));
  picker->SetTime(EncodeTime(13, 5, 9, 0));

  SYSTEMTIME st{};
  ASSERT_EQ(SendMessageW(picker->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)), GDT_VALID);
  EXPECT_EQ((std::vector<int>{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond}),
            (std::vector<int>{2024, 2, 29, 13, 5, 9}));
  Word h, m, s, ms;
  DecodeTime(picker->Time(), h, m, s, ms);
  EXPECT_EQ((std::vector<int>{h, m, s}), (std::vector<int>{13, 5, 9}));
  EXPECT_DOUBLE_EQ(picker->Date(), EncodeDate(2024, 2, 29));
  picker->RecreateWnd();
  DecodeTime(picker->Time(), h, m, s, ms);
  EXPECT_EQ(s, 9);
  EXPECT_EQ(changes, 0);

  // A change the control reports is the user's.
  NMDATETIMECHANGE change{};
  change.nmhdr = {picker->Handle(), 0, static_cast<UINT>(DTN_DATETIMECHANGE)};
  SendMessageW(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
  EXPECT_EQ(changes, 1);
}

TEST_F(CommonControls, HotKeyChangesOnlyForTypedKeys) {
  auto* field = Place<THotKey>(10, 10, 150, 22);
  int changes = 0;
  field->OnChange = [&](TObject*) { ++changes; };
  field->SetHotKey(0x4000 | 'K');  // Ctrl+K
  EXPECT_EQ(LOWORD(SendMessageW(field->Handle(), HKM_GETHOTKEY, 0, 0)), MAKEWORD('K', HOTKEYF_CONTROL));
  EXPECT_EQ(changes, 0);

  ShowForm();
  field->SetFocus();
  {
    HeldKeys held{VK_SHIFT};
    // The control reads the modifiers from the keyboard state.
    BYTE keys[256] = {};
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(field->Handle(), WM_KEYDOWN, VK_F5, 1);
    SendMessageW(field->Handle(), WM_KEYUP, VK_F5, 1 | (1u << 30) | (1u << 31));
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }
  // Shift alone is an invalid combination by default: the default modifier Alt replaces it.
  EXPECT_EQ(field->HotKey(), 0x8000 | VK_F5);
  EXPECT_GE(changes, 1);
  const int typed = changes;
  field->SetHotKey(0);
  EXPECT_EQ(changes, typed);
  EXPECT_EQ(field->HotKey(), 0);
}
