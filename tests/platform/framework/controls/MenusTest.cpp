#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/framework/controls/Menus.h"
#include "platform/framework/base/Utf8.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

class ScriptedModal {
 public:
  explicit ScriptedModal(TModalScript script) : saved_(SetModalDriver(std::move(script))) {}
  ~ScriptedModal() { SetModalDriver(saved_); }

 private:
  TModalScript saved_;
};

class MenuTest : public FormFixture {
 protected:
  TMenuItem* NewItem(TMenuItem* parent, const String& caption) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }

  static String MenuText(HMENU menu, UINT command) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, command, text, 128, MF_BYCOMMAND);
    return text;
  }
};

TEST_F(MenuTest, PopupReturnsAfterTheChosenItemsClickHasRun) {
  auto* popup = new TPopupMenu(form);
  TMenuItem* open = NewItem(popup->Items(), L"&Open");
  NewItem(popup->Items(), L"-");
  TMenuItem* close = NewItem(popup->Items(), L"&Close");
  String clicked;
  open->OnClick = [&](TObject*) { clicked = L"open"; };
  close->OnClick = [&](TObject*) { clicked = L"close"; };
  String loopKind;
  ShowForm();
  {
    ScriptedModal driver([&](const TModalLoop& loop) {
      loopKind = loop.Kind;
      // The menu's own window is up: the system's popup-menu class.
      wchar_t className[32] = {};
      GetClassNameW(FindWindowW(L"#32768", nullptr), className, 32);
      EXPECT_STREQ(className, L"#32768");
      ChoosePopupCommand(close->Command());
    });
    popup->Popup(100, 100);
    EXPECT_EQ(clicked, L"close");
  }
  EXPECT_EQ(loopKind, L"popup menu");

  clicked.clear();
  {
    ScriptedModal driver([](const TModalLoop& loop) { loop.End(); });
    popup->Popup(100, 100);
  }
  EXPECT_EQ(clicked, L"");
}

TEST_F(MenuTest, PopupShowsTheItemsAsTheyAreWhenItOpens) {
  auto* popup = new TPopupMenu(form);
  TMenuItem* item = NewItem(popup->Items(), L"First");
  TMenuItem* added = nullptr;
  popup->OnPopup = [&](TObject*) {
    item->SetCaption(L"Renamed");
    added = NewItem(popup->Items(), L"Added");
  };
  String shownText;
  ShowForm();
  ScriptedModal driver([&](const TModalLoop& loop) {
    shownText = MenuText(popup->Handle(), item->Command()) + L"," + MenuText(popup->Handle(), added->Command());
    loop.End();
  });
  popup->Popup(100, 100);
  EXPECT_EQ(shownText, L"Renamed,Added");
}

TEST_F(MenuTest, HiddenAndDeletedItemsLeaveTheSystemMenuAndSubMenusFollow) {
  auto* popup = new TPopupMenu(form);
  TMenuItem* keep = NewItem(popup->Items(), L"Keep");
  TMenuItem* hide = NewItem(popup->Items(), L"Hide");
  TMenuItem* sub = NewItem(popup->Items(), L"Sub");
  NewItem(sub, L"Child");
  HMENU menu = popup->Handle();
  ASSERT_EQ(GetMenuItemCount(menu), 3);
  hide->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(menu), 2);
  popup->Items()->Delete(popup->Items()->IndexOf(keep));
  EXPECT_EQ(GetMenuItemCount(menu), 1);
  NewItem(sub, L"Second child");
  ASSERT_NE(sub->Handle(), nullptr);
  EXPECT_EQ(GetSubMenu(menu, 0), sub->Handle());
  EXPECT_EQ(GetMenuItemCount(sub->Handle()), 2);
  hide->SetVisible(true);
  EXPECT_EQ(MenuText(menu, hide->Command()), L"Hide");
}

TEST_F(MenuTest, ItemFollowsItsActionInTheSystemMenu) {
  auto* list = new TActionList(form);
  auto* action = new TAction(form);
  action->SetActionList(list);
  action->SetCaption(L"&Open...");
  action->SetShortCut(TextToShortCut(L"Ctrl+O"));
  int runs = 0;
  action->OnExecute = [&](TObject*) { ++runs; };
  auto* popup = new TPopupMenu(form);
  auto* item = new TMenuItem(form);
  popup->Items()->Add(item);
  item->SetAction(action);
  HMENU menu = popup->Handle();
  EXPECT_EQ(MenuText(menu, item->Command()), L"&Open...\tCtrl+O");

  action->SetEnabled(false);
  action->SetChecked(true);
  action->SetCaption(L"&Open file...");
  EXPECT_TRUE(GetMenuState(menu, item->Command(), MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(menu, item->Command(), MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_EQ(MenuText(menu, item->Command()), L"&Open file...\tCtrl+O");

  action->SetEnabled(true);
  popup->DispatchCommand(item->Command());
  EXPECT_EQ(runs, 1);
}

TEST_F(MenuTest, OwnerDrawnItemIsMeasuredAndDrawnThroughThePopupList) {
  auto* popup = new TPopupMenu(form);
  popup->SetOwnerDraw(true);
  TMenuItem* item = NewItem(popup->Items(), L"Drawn");
  item->SetChecked(true);
  item->OnMeasureItem = [](TObject*, TCanvas*, int& width, int& height) {
    width = 123;
    height = 45;
  };
  TOwnerDrawState drawnState;
  item->OnAdvancedDrawItem = [&](TObject*, TCanvas* canvas, TRect rect, TOwnerDrawState state) {
    drawnState = state;
    canvas->Brush()->SetColor(static_cast<TColor>(RGB(0, 0, 255)));
    canvas->FillRect(rect);
  };
  HWND list = PopupList.WindowHandle();

  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemID = item->Command();
  measure.itemData = reinterpret_cast<ULONG_PTR>(item);
  EXPECT_TRUE(SendMessageW(list, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
  EXPECT_EQ(measure.itemWidth, 123u);
  EXPECT_EQ(measure.itemHeight, 45u);

  DibSection dib(40, 20);
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_MENU;
  draw.itemID = item->Command();
  draw.itemData = reinterpret_cast<ULONG_PTR>(item);
  draw.itemState = ODS_SELECTED | ODS_CHECKED;
  draw.hDC = dib.DC();
  draw.rcItem = RECT{0, 0, 40, 20};
  EXPECT_TRUE(SendMessageW(list, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
  EXPECT_EQ(dib.Pixel(20, 10), 0x0000FFu);
  EXPECT_TRUE(drawnState.Contains(odSelected) && drawnState.Contains(odChecked) && !drawnState.Contains(odGrayed));

  // A record naming an item that is not this one is left alone.
  draw.itemData = 0;
  EXPECT_FALSE(SendMessageW(list, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
}

TEST_F(MenuTest, SeparatorsOfAnOwnerDrawnMenuAreOwnerDrawnToo) {
  auto* popup = new TPopupMenu(form);
  NewItem(popup->Items(), L"a");
  NewItem(popup->Items(), L"-");
  for (bool ownerDraw : {false, true}) {
    popup->SetOwnerDraw(ownerDraw);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoW(popup->Handle(), 1, TRUE, &info));
    EXPECT_EQ(info.fType, UINT(MFT_SEPARATOR | (ownerDraw ? MFT_OWNERDRAW : 0))) << ownerDraw;
  }
}

TEST_F(MenuTest, SubMenuOpeningRunsItsClickAndSelectionSetsTheApplicationHint) {
  auto* popup = new TPopupMenu(form);
  TMenuItem* recent = NewItem(popup->Items(), L"Recent");
  TMenuItem* first = NewItem(recent, L"first.wav");
  first->SetHint(L"Open|Opens first.wav");
  recent->OnClick = [&](TObject*) { NewItem(recent, L"second.wav"); };
  popup->Handle();
  HWND list = PopupList.WindowHandle();
  ASSERT_NE(recent->Handle(), nullptr);

  SendMessageW(list, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(recent->Handle()), MAKELPARAM(0, FALSE));
  EXPECT_EQ(GetMenuItemCount(recent->Handle()), 2);

  SendMessageW(list, WM_MENUSELECT, MAKEWPARAM(first->Command(), MF_STRING), reinterpret_cast<LPARAM>(recent->Handle()));
  EXPECT_EQ(Application->Hint(), L"Opens first.wav");
  SendMessageW(list, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(Application->Hint(), L"");
}

// A sub-menu opening updates its items' actions first, so it never offers the states of an older
// idle update.
TEST_F(MenuTest, SubMenuOpeningUpdatesItsItemsActions) {
  auto* list = new TActionList(form);
  auto* action = new TAction(form);
  action->SetActionList(list);
  action->SetCaption(L"Convert");
  action->OnExecute = [](TObject*) {};
  bool available = false;
  action->OnUpdate = [&](TObject*) { action->SetEnabled(available); };
  auto* popup = new TPopupMenu(form);
  TMenuItem* file = NewItem(popup->Items(), L"File");
  auto* item = new TMenuItem(form);
  file->Add(item);
  item->SetAction(action);
  popup->Handle();
  action->Update();
  EXPECT_TRUE(GetMenuState(file->Handle(), item->Command(), MF_BYCOMMAND) & MF_GRAYED);

  available = true;  // no idle update since
  SendMessageW(PopupList.WindowHandle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->Handle()), 0);
  EXPECT_TRUE(action->Enabled());
  EXPECT_FALSE(GetMenuState(file->Handle(), item->Command(), MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(MenuTest, MainMenuShortCutRunsBeforeActionListsAndADisabledItemLetsTheKeyGoOn) {
  auto* menu = new TMainMenu(form);
  TMenuItem* file = NewItem(menu->Items(), L"&File");
  TMenuItem* save = NewItem(file, L"&Save");
  save->SetShortCut(TextToShortCut(L"Ctrl+S"));
  TMenuItem* print = NewItem(file, L"&Print");
  print->SetShortCut(TextToShortCut(L"Ctrl+P"));
  print->SetEnabled(false);
  int saves = 0, listSaves = 0, prints = 0;
  save->OnClick = [&](TObject*) { ++saves; };
  print->OnClick = [&](TObject*) { ++prints; };
  auto* list = new TActionList(form);
  auto* listSave = new TAction(form);
  listSave->SetActionList(list);
  listSave->SetShortCut(TextToShortCut(L"Ctrl+S"));
  listSave->OnExecute = [&](TObject*) { ++listSaves; };
  form->SetMenu(menu);
  auto* edit = Place<TTestEdit>(10, 10, 120, 24);
  ShowForm();
  EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());
  edit->SetFocus();
  std::vector<Word> keysReachingEdit;
  edit->OnKeyDown = [&](TObject*, Word& key, TShiftState) { keysReachingEdit.push_back(key); };
  {
    HeldKeys ctrl{VK_CONTROL};
    PressKey('S');
    PressKey('P');
  }
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(listSaves, 0);
  EXPECT_EQ(prints, 0);
  EXPECT_EQ(keysReachingEdit, std::vector<Word>{'P'});

  // A menu command posted by the system reaches the item through the form.
  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(save->Command(), 0), 0);
  EXPECT_EQ(saves, 2);
}

TEST_F(MenuTest, MainMenuSurvivesANewFormWindowAndOnlyTheMenuObjectDestroysIt) {
  auto* menu = new TMainMenu(form);
  NewItem(menu->Items(), L"&File");
  form->SetMenu(menu);
  ShowForm();
  HMENU handle = menu->Handle();
  form->RecreateWnd();
  form->HandleNeeded();
  ProcessMessages();
  EXPECT_TRUE(IsMenu(handle));
  EXPECT_EQ(GetMenu(form->Handle()), handle);
  menu->Free();
  EXPECT_FALSE(IsMenu(handle));
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
  EXPECT_EQ(form->Menu(), nullptr);
}

TEST_F(MenuTest, FocusedControlsPopupMenuTakesShortCutsLast) {
  auto* popup = new TPopupMenu(form);
  TMenuItem* copy = NewItem(popup->Items(), L"&Copy marker");
  copy->SetShortCut(TextToShortCut(L"Ctrl+M"));
  int copies = 0;
  copy->OnClick = [&](TObject*) { ++copies; };
  auto* edit = Place<TTestEdit>(10, 10, 120, 24);
  edit->SetPopupMenu(popup);
  ShowForm();
  edit->SetFocus();
  {
    HeldKeys ctrl{VK_CONTROL};
    PressKey('M');
  }
  EXPECT_EQ(copies, 1);
}

TEST_F(MenuTest, ControlsPopupMenuOpensAtTheContextMenuPoint) {
  auto* popup = new TPopupMenu(form);
  TMenuItem* item = NewItem(popup->Items(), L"Delete marker");
  bool clicked = false;
  item->OnClick = [&](TObject*) { clicked = true; };
  auto* edit = Place<TTestEdit>(10, 10, 120, 24);
  edit->SetPopupMenu(popup);
  ShowForm();
  ScriptedModal driver([&](const TModalLoop&) { ChoosePopupCommand(item->Command()); });
  SendMessageW(edit->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit->Handle()), MAKELPARAM(120, 90));
  EXPECT_TRUE(clicked);
  EXPECT_EQ(popup->PopupComponent, edit);
}

TEST_F(MenuTest, RadioItemsOfAGroupAreExclusiveAndStripHotkeyKeepsDoubledAmpersands) {
  auto* popup = new TPopupMenu(form);
  TMenuItem* a = NewItem(popup->Items(), L"a");
  TMenuItem* b = NewItem(popup->Items(), L"b");
  TMenuItem* other = NewItem(popup->Items(), L"other");
  for (TMenuItem* item : {a, b}) {
    item->SetRadioItem(true);
    item->SetGroupIndex(3);
  }
  other->SetRadioItem(true);
  other->SetChecked(true);
  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(other->Checked());
  EXPECT_EQ(StripHotkey(L"&Save && exit"), L"Save & exit");
  EXPECT_EQ(popup->Items()->Find(L"&b"), b);
}

TEST(MenuAnimation, EachDirectionAndNoneGiveTheirPopupFlags) {
  const struct {
    TMenuAnimation Set;
    UINT Flags;
  } cases[] = {
      {{}, 0},
      {{maNoAnimation}, TPM_NOANIMATION},
      {{maLeftToRight}, TPM_HORPOSANIMATION},
      {{maRightToLeft}, TPM_HORNEGANIMATION},
      {{maTopToBottom, maBottomToTop}, TPM_VERPOSANIMATION | TPM_VERNEGANIMATION},
  };
  for (const auto& c : cases) EXPECT_EQ(MenuAnimationFlags(c.Set), c.Flags) << c.Set.Bits();
  TPopupMenu popup(nullptr);
  EXPECT_TRUE(popup.MenuAnimation.Empty());
}

}  // namespace
