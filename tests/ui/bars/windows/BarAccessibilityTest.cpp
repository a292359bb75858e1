// The accessibility objects of docks, toolbars, menus and item controls on a shown form: the trees
// they form, key-tip texts and their uniqueness, default key tips, moving the selection with the
// arrows and Tab, the application menu's ring, key-tip activation, the objects' going, and the
// error of an operation a class does not answer.

#include <gtest/gtest.h>

#include "platform/framework/rtl/SysUtils.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/ApplicationMenu.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarEditControls.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/Bars.h"
#include "ui/bars/DockControl.h"
#include "ui/bars/SubItems.h"
#include "ui/bars/SubMenuControl.h"

using namespace bar_testing;
using window_testing::ProcessMessages;

namespace {

std::vector<String> UniqueTips(const std::vector<String>& Tips) {
  TdxBarKeyTipList list;
  for (const String& tip : Tips) {
    TdxBarKeyTipInfo info;
    info.KeyTip = tip;
    list.push_back(std::make_unique<TdxBarKeyTipData>(info));
  }
  MakeKeyTipsUnique(list);
  std::vector<String> result;
  for (const auto& data : list) result.push_back(data->Info.KeyTip);
  return result;
}

TEST(KeyTipTexts, CollidingTipsAreNumberedAndAPrefixOfAnotherGetsOne) {
  std::vector<String> twelveB(12, L"B"), numbered;
  for (int i = 1; i <= 12; ++i) numbered.push_back(Format(L"B%.2d", {i}));
  struct Case {
    const char* name;
    std::vector<String> tips, expected;
  } cases[] = {
      {"a pair collides, a longer tip stays", {L"F", L"F", L"FA"}, {L"F1", L"F2", L"FA"}},
      {"a prefix of another tip", {L"H", L"HO"}, {L"H1", L"HO"}},
      {"twelve equal tips get two digits", twelveB, numbered},
      {"distinct tips stay", {L"A", L"B"}, {L"A", L"B"}},
      {"a numbered tip that collides again is numbered again", {L"X", L"X", L"X1"}, {L"X11", L"X2", L"X12"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(UniqueTips(c.tips), c.expected);
  }
}

class BarAccessibilityTest : public BarWindowFixture {
 protected:
  void SetUp() override {
    BarWindowFixture::SetUp();
    form->SetBounds(100, 100, 640, 360);
    form->Show();
    ProcessMessages();
    nav = BarNavigationController();
  }
  void TearDown() override {
    nav->StopKeyboardHandling();
    CloseActiveBarMenus();
    BarWindowFixture::TearDown();
  }
  TdxBar* NewBar(const String& Caption, int Buttons, TdxBarDockingStyle Style = dsTop, int Row = 0,
                 int DockedLeft = 0) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(Caption);
    for (int i = 0; i < Buttons; ++i) bar->ItemLinks()->AddItemLink(NewItem(Caption + IntToStr(i), L"B"));
    bar->SetDockingStyle(Style);
    bar->SetRow(Row);
    bar->SetDockedLeft(DockedLeft);
    bar->SetVisible(true);
    ProcessMessages();
    return bar;
  }
  static TdxBarAccessibilityHelper* HelperOf(TdxBar* Bar, int Index) {
    return ItemControlAccessibilityHelper(Bar->ItemLinks()->LinkAt(Index)->ItemControl());
  }
  TdxBarNavigationController* nav = nullptr;
};

TEST_F(BarAccessibilityTest, EveryBarObjectNamesItsAccessibilityClass) {
  TdxBar* bar = NewBar(L"Tools", 1);
  auto* sub = NewItem<TdxBarSubItem>(L"Sub");
  bar->ItemLinks()->AddItemLink(sub);
  auto* label = NewItem<TdxBarLabel>(L"Label");
  bar->ItemLinks()->AddItemLink(label);
  bar->ItemLinks()->AddItemLink(NewItem<TdxBarEdit>(L"Edit"));
  ProcessMessages();
  TdxBarControl* window = bar->Control();
  ASSERT_NE(window, nullptr);
  struct Case {
    const char* name;
    TdxBarAccessibilityHelper* helper;
    TClass expected;
  } cases[] = {
      {"dock site", window->DockControl()->AccessibilityHelper(), &TdxDockControlAccessibilityHelper::ClassInfo()},
      {"toolbar", window->AccessibilityHelper(), &TdxBarControlAccessibilityHelper::ClassInfo()},
      {"mark", window->MarkAccessibilityHelper(), &TdxBarControlMarkAccessibilityHelper::ClassInfo()},
      {"button", HelperOf(bar, 0), &TdxBarButtonControlAccessibilityHelper::ClassInfo()},
      {"sub-item", HelperOf(bar, 1), &TdxBarSubItemControlAccessibilityHelper::ClassInfo()},
      {"label", HelperOf(bar, 2), &TdxBarItemControlAccessibilityHelper::ClassInfo()},
      {"edit", HelperOf(bar, 3), &TdxBarWinControlAccessibilityHelper::ClassInfo()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NE(c.helper, nullptr);
    EXPECT_EQ(c.helper->ClassType(), c.expected);
  }
  // A control keeps its object.
  EXPECT_EQ(HelperOf(bar, 0), HelperOf(bar, 0));
}

TEST_F(BarAccessibilityTest, ADockSitesChildrenRunRowByRowAndAToolbarEndsWithItsCaptionButtons) {
  TdxBar* a = NewBar(L"A", 2, dsTop, 0, 0);
  TdxBar* b = NewBar(L"B", 1, dsTop, 0, 300);
  TdxBar* c = NewBar(L"C", 1, dsTop, 1, 0);
  TdxDockControl* site = manager->Bars()->DefaultSite(dsTop);
  ASSERT_EQ(site->RowCount(), 2);
  TdxBarAccessibilityHelper* dock = site->AccessibilityHelper();
  ASSERT_EQ(dock->ChildCount(), 3);
  EXPECT_EQ(dock->ChildAt(0), a->Control()->AccessibilityHelper());
  EXPECT_EQ(dock->ChildAt(1), b->Control()->AccessibilityHelper());
  EXPECT_EQ(dock->ChildAt(2), c->Control()->AccessibilityHelper());
  EXPECT_EQ(dock->IndexOfChild(c->Control()->AccessibilityHelper()), 2);
  EXPECT_EQ(a->Control()->AccessibilityHelper()->ParentHelper(), dock);

  // Without caption buttons the group is still the last child, invisible and without key tips.
  TdxBarAccessibilityHelper* toolbar = a->Control()->AccessibilityHelper();
  ASSERT_EQ(toolbar->ChildCount(), 3);
  auto* group = dynamic_cast<TdxBarCaptionButtonsAccessibilityHelper*>(toolbar->ChildAt(2));
  ASSERT_NE(group, nullptr);
  EXPECT_FALSE(group->IsVisible());
  EXPECT_EQ(toolbar->IndexOfChild(group), 2);
  TdxBarKeyTipList tips;
  toolbar->CollectKeyTips(tips);
  EXPECT_EQ(tips.size(), 2u);
  // The group lists the buttons last first.
  TdxBarCaptionButtons* buttons = a->CaptionButtons();
  TdxBarCaptionButton* first = buttons->AddButton();
  TdxBarCaptionButton* second = buttons->AddButton();
  ASSERT_EQ(group->ChildCount(), 2);
  EXPECT_EQ(group->ChildAt(0), second->AccessibilityHelper());
  EXPECT_EQ(group->IndexOfChild(first->AccessibilityHelper()), 1);
}

TEST_F(BarAccessibilityTest, KeyTipsComeFromTheItemOrItsShortcutOrItsCaption) {
  TdxBar* bar = NewBar(L"Tools", 1);
  TdxBarButton* button = static_cast<TdxBarButton*>(bar->ItemLinks()->LinkAt(0)->Item());
  struct Case {
    const char* name;
    TShortCut shortCut;
    const wchar_t* caption;
    const wchar_t* keyTip;
    const wchar_t* expected;
  } cases[] = {
      {"Ctrl and a letter gives the letter", TShortCut(0x4053), L"Sa&ve", L"", L"S"},
      {"Ctrl+Shift is no letter shortcut: the accelerator", TShortCut(0x6053), L"Sa&ve", L"", L"V"},
      {"the accelerator in upper case", 0, L"&open", L"", L"O"},
      {"neither gives Y", 0, L"Plain", L"", L"Y"},
      {"an explicit tip wins", TShortCut(0x4053), L"Sa&ve", L"Q", L"Q"},
      {"an explicit tip is cut to three", 0, L"Plain", L"ABCD", L"ABC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    button->SetShortCut(c.shortCut);
    button->SetCaption(c.caption);
    button->KeyTip = c.keyTip;
    ProcessMessages();
    TdxBarAccessibilityHelper* helper = HelperOf(bar, 0);
    ASSERT_NE(helper, nullptr);
    EXPECT_EQ(helper->KeyTipText(), c.expected);
  }
}

TEST_F(BarAccessibilityTest, ArrowsCycleAlongAToolbarAndTabWrapsThroughTheTree) {
  TdxBar* bar = NewBar(L"Tools", 3);
  TdxBar* side = NewBar(L"Side", 2, dsLeft);
  struct Case {
    const char* name;
    TdxBar* bar;
    int from;
    Word key;
    bool shift;
    TdxBar* toBar;
    int to;
  } cases[] = {
      {"right moves along", bar, 0, VK_RIGHT, false, bar, 1},
      {"right from the last wraps to the first", bar, 2, VK_RIGHT, false, bar, 0},
      {"left from the first wraps to the last", bar, 0, VK_LEFT, false, bar, 2},
      {"down on a vertical toolbar moves along it", side, 0, VK_DOWN, false, side, 1},
      {"tab moves to the next control", bar, 1, VK_TAB, false, bar, 2},
      {"shift+tab moves back", bar, 1, VK_TAB, true, bar, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window_testing::HeldKeys shift(c.shift ? std::initializer_list<int>{VK_SHIFT} : std::initializer_list<int>{});
    nav->ChangeSelectedObject(0, HelperOf(c.bar, c.from), nullptr);
    ASSERT_EQ(nav->CurrentSelected(), HelperOf(c.bar, c.from));
    nav->HandleKey(c.key, nullptr, nullptr);
    EXPECT_EQ(nav->CurrentSelected(), HelperOf(c.toBar, c.to));
    EXPECT_EQ(c.toBar->Control()->SelectedLink(), c.toBar->ItemLinks()->LinkAt(c.to));
    nav->StopKeyboardHandling();
  }
  // Tab from the last object of the whole tree comes back to the first.
  TdxBarAccessibilityHelper* last = HelperOf(bar, 2);
  TdxBarAccessibilityHelper* dock = manager->Bars()->DefaultSite(dsTop)->AccessibilityHelper();
  EXPECT_EQ(last->SiblingInDirection(true), HelperOf(bar, 0));
  EXPECT_EQ(dock->FirstSelectableInTree(), HelperOf(bar, 0));
}

TEST_F(BarAccessibilityTest, TheApplicationMenusArrowsRunThroughItemsAndButtonsAsOneRing) {
  auto* menu = new TdxBarApplicationMenu(form);
  for (int i = 0; i < 3; ++i) menu->ItemLinks()->AddItemLink(NewItem(L"m" + IntToStr(i), L"Command " + IntToStr(i)));
  menu->Buttons()->AddButton()->SetItem(NewItem(L"Options", L"Options"));
  menu->Buttons()->AddButton()->SetItem(NewItem(L"ExitApp", L"Exit"));
  menu->RunsOwnLoop = false;
  menu->PopupAt(100, 100);
  auto* window = dynamic_cast<TdxBarApplicationMenuControl*>(menu->MenuWindow());
  ASSERT_NE(window, nullptr);
  auto* helper = dynamic_cast<TdxBarApplicationMenuControlAccessibilityHelper*>(window->AccessibilityHelper());
  ASSERT_NE(helper, nullptr);
  TdxBarItemLinks* items = window->ItemLinks();
  TdxBarItemLinks* buttons = window->ButtonLinks();
  ASSERT_EQ(buttons->FittingShownCount(), 2);
  struct Case {
    const char* name;
    TdxBarItemLink* from;
    bool forward;
    TdxBarItemLink* expected;
  } cases[] = {
      {"down from the last item to the first button", items->LinkAt(2), true, buttons->LinkAt(0)},
      {"down along the buttons", buttons->LinkAt(0), true, buttons->LinkAt(1)},
      {"down from the last button to the first item", buttons->LinkAt(1), true, items->LinkAt(0)},
      {"up from the first item to the last button", items->LinkAt(0), false, buttons->LinkAt(1)},
      {"up from the first button to the last item", buttons->LinkAt(0), false, items->LinkAt(2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(helper->AdjacentLink(c.from, c.forward), c.expected);
  }
  window->Free();
}

// Plain bars resume editing after a move (feature flag 2): every way onto an edit enters it.
TEST_F(BarAccessibilityTest, AnEditIsEnteredByAnArrowByTabAndByItsKeyTip) {
  TdxBar* bar = manager->Bars()->Add();
  bar->ItemLinks()->AddItemLink(NewItem(L"Go", L"Go"));
  bar->ItemLinks()->AddItemLink(NewItem<TdxBarEdit>(L"Find"));
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  ProcessMessages();
  ASSERT_TRUE(bar->Control()->FeatureFlags() & bfResumeAfterEdit);
  struct Case {
    const char* name;
    std::function<void()> arrive;
  } cases[] = {
      {"right", [&] { nav->HandleKey(VK_RIGHT, nullptr, nullptr); }},
      {"tab", [&] { nav->HandleKey(VK_TAB, nullptr, nullptr); }},
      {"the key tip", [&] { HelperOf(bar, 1)->KeyTipActivated(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    nav->ChangeSelectedObject(0, HelperOf(bar, 0), nullptr);
    c.arrive();
    ProcessMessages();
    auto* edit = dynamic_cast<TdxBarWinControl*>(bar->ItemLinks()->LinkAt(1)->ItemControl());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(bar->Control()->SelectedLink(), bar->ItemLinks()->LinkAt(1));
    EXPECT_TRUE(edit->IsEditing());
    edit->Deactivate(true);
    nav->StopKeyboardHandling();
    ProcessMessages();
  }
}

TEST_F(BarAccessibilityTest, ACaptionButtonsKeyTipHangsOnItsMiddleOnAPlainToolbar) {
  TdxBar* bar = NewBar(L"Tools", 1, dsNone);
  TdxBarCaptionButton* button = bar->CaptionButtons()->AddButton();
  button->KeyTip = L"Q";
  ProcessMessages();
  ASSERT_FALSE(button->Bounds.IsEmpty());
  TdxBarKeyTipList tips;
  bar->Control()->AccessibilityHelper()->CollectKeyTips(tips);
  const TRect r = button->AccessibilityHelper()->OwnScreenBounds();
  const TdxBarKeyTipInfo* tip = nullptr;
  for (const auto& data : tips)
    if (data->Info.KeyTip == L"Q") tip = &data->Info;
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(tip->BasePoint, (TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
  EXPECT_EQ(tip->HorzAlign, 2);
  EXPECT_EQ(tip->VertAlign, 2);
}

TEST_F(BarAccessibilityTest, APlainButtonsKeyTipClicksWithUnclickAfterDoingOffAndLeavesTheFlag) {
  TdxBar* bar = NewBar(L"Tools", 1);
  TdxBarButton* button = static_cast<TdxBarButton*>(bar->ItemLinks()->LinkAt(0)->Item());
  button->UnclickAfterDoing = true;
  bool flagDuringClick = true;
  int clicks = 0;
  button->OnClick = [&](TObject*) {
    ++clicks;
    flagDuringClick = button->UnclickAfterDoing;
  };
  nav->ChangeSelectedObject(0, HelperOf(bar, 0), nullptr);
  HelperOf(bar, 0)->KeyTipActivated();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(flagDuringClick);
  EXPECT_TRUE(button->UnclickAfterDoing);
  // Keyboard handling ended first.
  EXPECT_EQ(nav->StoredSelected(), nullptr);
}

TEST_F(BarAccessibilityTest, ASubItemsKeyTipOpensItsMenuAndShowsTheMenusKeyTips) {
  TdxBar* bar = NewBar(L"Tools", 0);
  auto* sub = NewItem<TdxBarSubItem>(L"File", L"&File");
  sub->ItemLinks()->AddItemLink(NewItem(L"Open", L"&Open"));
  sub->ItemLinks()->AddItemLink(NewItem(L"Save", L"&Save"));
  bar->ItemLinks()->AddItemLink(sub);
  ProcessMessages();
  HelperOf(bar, 0)->KeyTipActivated();
  ProcessMessages();
  auto* menu = dynamic_cast<TdxBarSubMenuControl*>(ActiveBarControl());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(nav->KeyTipsContainer(), menu->AccessibilityHelper());
  std::vector<String> texts;
  for (const auto& data : nav->KeyTipData()) texts.push_back(data->Info.KeyTip);
  EXPECT_EQ(texts, (std::vector<String>{L"O", L"S"}));
  // The menu's key-tip level goes back to the control that opened it.
  EXPECT_EQ(menu->AccessibilityHelper()->KeyTipParent(), HelperOf(bar, 0));
}

TEST_F(BarAccessibilityTest, AnObjectThatGoesLeavesNoSelectionBehind) {
  TdxBar* bar = NewBar(L"Tools", 2);
  nav->ChangeSelectedObject(0, HelperOf(bar, 1), nullptr);
  TdxBarAccessibilityHelper* helper = HelperOf(bar, 1);
  helper->_AddRef();  // a client still holding the object
  nav->SetSelected(helper, bar->Control()->AccessibilityHelper());
  bar->ItemLinks()->LinkAt(1)->Free();
  ProcessMessages();
  EXPECT_EQ(nav->StoredSelected(), nullptr);
  EXPECT_FALSE(helper->IsOwnerObjectLive());
  EXPECT_EQ(static_cast<TdxBarItemControlAccessibilityHelper*>(helper)->ItemControl(), nullptr);
  helper->_Release();
}

TEST_F(BarAccessibilityTest, AnOperationAClassDoesNotAnswerRaisesNamingClassAndOperation) {
  auto* helper = new TdxBarAccessibilityHelper(form);
  helper->_AddRef();
  struct Case {
    const wchar_t* operation;
    std::function<void()> call;
  } cases[] = {
      {L"TdxBarAccessibilityHelper.BarManager", [&] { helper->BarManager(); }},
      {L"TdxBarAccessibilityHelper.DefaultSelectableObject", [&] { helper->DefaultSelectableObject(); }},
      {L"TdxBarAccessibilityHelper.DefaultKeyTip", [&] { helper->DefaultKeyTip(); }},
  };
  for (const Case& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << "no exception";
    } catch (const EdxBarAccessibilityError& e) {
      EXPECT_NE(e.Message().find(c.operation), String::npos);
    }
  }
  helper->_Release();
}

TEST_F(BarAccessibilityTest, InAMenuTabAndArrowsMoveAndLeftClosesANestedMenuOntoItsSubItem) {
  TdxBar* bar = NewBar(L"Tools", 0);
  auto* file = NewItem<TdxBarSubItem>(L"File", L"&File");
  auto* recent = NewItem<TdxBarSubItem>(L"Recent", L"&Recent");
  recent->ItemLinks()->AddItemLink(NewItem(L"One", L"One"));
  file->ItemLinks()->AddItemLink(NewItem(L"Open", L"&Open"));
  file->ItemLinks()->AddItemLink(recent);
  file->ItemLinks()->AddItemLink(NewItem(L"Save", L"&Save"));
  bar->ItemLinks()->AddItemLink(file);
  ProcessMessages();
  static_cast<TdxBarButtonLikeControlAccessibilityHelper*>(HelperOf(bar, 0))->OpenSubMenuByKey();
  ProcessMessages();
  auto* menu = dynamic_cast<TdxBarSubMenuControl*>(ActiveBarControl());
  ASSERT_NE(menu, nullptr);
  TdxBarItemLinks* links = file->ItemLinks();
  struct Case {
    const char* name;
    int from;
    Word key;
    bool shift;
    int to;
  } cases[] = {
      {"down moves to the next entry", 0, VK_DOWN, false, 1},
      {"up from the first wraps to the last", 0, VK_UP, false, 2},
      {"tab moves down", 1, VK_TAB, false, 2},
      {"shift+tab moves up", 1, VK_TAB, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window_testing::HeldKeys shift(c.shift ? std::initializer_list<int>{VK_SHIFT} : std::initializer_list<int>{});
    menu->SetSelected(links->LinkAt(c.from)->ItemControl());
    ASSERT_TRUE(nav->WantsNavigationKey(c.key));
    nav->HandleKey(c.key, nullptr, nullptr);
    EXPECT_EQ(menu->SelectedLink(), links->LinkAt(c.to));
    EXPECT_EQ(ActiveBarControl(), menu);
  }
  // Left in the nested menu closes it and leaves the selection on its sub-item.
  menu->SetSelected(links->LinkAt(1)->ItemControl());
  static_cast<TdxBarButtonLikeControlAccessibilityHelper*>(ItemControlAccessibilityHelper(links->LinkAt(1)->ItemControl()))
      ->OpenSubMenuByKey();
  ProcessMessages();
  auto* nested = dynamic_cast<TdxBarSubMenuControl*>(ActiveBarControl());
  ASSERT_NE(nested, nullptr);
  ASSERT_NE(nested, menu);
  nav->HandleKey(VK_LEFT, nullptr, nullptr);
  ProcessMessages();
  EXPECT_EQ(ActiveBarControl(), menu);
  EXPECT_EQ(menu->SelectedLink(), links->LinkAt(1));
}

}  // namespace

