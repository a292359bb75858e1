// Items: the click path, the hint that follows the caption, the action link's rules, the button
// group rule, shortcuts, placement refusals and the styles data.

#include <gtest/gtest.h>

#include "platform/framework/windows/ActnList.h"
#include "platform/framework/base/Utf8.h"
#include "tests/support/TestSupport.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarStrings.h"

using namespace bar_testing;
using testing_support::MessageOf;

namespace {

using ItemTest = BarFixture;

// Records who ran a handler, and which component the action ran for.
struct Recorder {
  std::vector<String> Log;
  void Handler(TObject* Sender) {
    auto* action = dynamic_cast<TBasicAction*>(Sender);
    Log.push_back(action ? L"action for " + action->ActionComponent()->Name() : L"click " + Name(Sender));
  }
  void Raise(TObject*) { throw EInvalidOperation(L"broken command"); }
  static String Name(TObject* Object) {
    auto* component = dynamic_cast<TComponent*>(Object);
    return component ? component->Name() : L"?";
  }
};

TEST_F(ItemTest, ClickPath) {
  Recorder recorder;
  std::vector<String> clickedItems;
  manager->OnClickItem = [&](TdxBarManager*, TdxBarItem* Item) { clickedItems.push_back(Item->Name()); };
  auto* list = new TActionList(form);
  auto* action = new TAction(form);
  action->SetName(L"ActionOpen");
  action->SetActionList(list);
  action->OnExecute = TNotifyEvent(&recorder, &Recorder::Handler);

  struct Case {
    const wchar_t* name;
    bool withAction, sameHandler, enabled;
    std::vector<String> log;
  };
  const Case cases[] = {
      {L"Plain", false, false, true, {L"click Plain"}},
      {L"Linked", true, true, true, {L"action for Linked"}},
      {L"Own", true, false, true, {L"click Own"}},
      {L"Disabled", false, false, false, {}},
  };
  for (const Case& c : cases) {
    TdxBarButton* item = NewItem(c.name);
    if (c.withAction) item->SetAction(action);  // OnClick takes the action's OnExecute
    if (c.withAction && !c.sameHandler) item->OnClick = [&recorder, item](TObject*) { recorder.Handler(item); };
    if (!c.withAction) item->OnClick = TNotifyEvent(&recorder, &Recorder::Handler);
    item->SetEnabled(c.enabled);
    recorder.Log.clear();
    clickedItems.clear();
    item->DirectClick();
    EXPECT_EQ(recorder.Log, c.log) << Utf8Encode(c.name);
    EXPECT_EQ(clickedItems.size(), c.log.size()) << Utf8Encode(c.name);
    item->SetAction(nullptr);
  }

  // A disabled action disables its item: nothing runs.
  TdxBarButton* follower = NewItem(L"Follower");
  follower->SetAction(action);
  action->SetEnabled(false);
  EXPECT_FALSE(follower->Enabled());
  recorder.Log.clear();
  follower->DirectClick();
  EXPECT_TRUE(recorder.Log.empty());
}

TEST_F(ItemTest, AnExceptionOfAClickGoesToTheApplicationWithTheItemAsSender) {
  Recorder recorder;
  TdxBarButton* item = NewItem(L"Broken");
  item->OnClick = TNotifyEvent(&recorder, &Recorder::Raise);
  TObject* sender = nullptr;
  String message;
  const TExceptionEvent saved = Application->OnException;
  Application->OnException = [&](TObject* Sender, const Exception& E) {
    sender = Sender;
    message = E.Message();
  };
  EXPECT_NO_THROW(item->DirectClick());
  Application->OnException = saved;
  EXPECT_EQ(sender, item);
  EXPECT_EQ(message, L"broken command");
}

TEST_F(ItemTest, TheHintFollowsTheCaptionUntilItIsSetAway) {
  struct Case {
    const wchar_t *caption, *hint, *newCaption, *expected;
    bool subItem;
  };
  const Case cases[] = {
      {L"", L"", L"&Open...", L"Open", false},
      {L"&Open...", L"Open|Opens a file", L"&Save as...", L"Save as|Opens a file", false},
      {L"Open", L"Open", L"Cl&ose", L"Close", false},
      {L"Open", L"Loads a document", L"Close", L"Loads a document", false},
      {L"", L"", L"&File", L"", true},
  };
  for (const Case& c : cases) {
    TdxBarItem* item = c.subItem ? static_cast<TdxBarItem*>(new TTestLinksItem(form)) : new TdxBarButton(form);
    item->SetCaption(c.caption);
    item->SetHint(c.hint);
    item->SetCaption(c.newCaption);
    EXPECT_EQ(item->Hint(), c.expected) << Utf8Encode(c.newCaption);
    item->Free();
  }
}

TEST_F(ItemTest, AnItemFollowsItsActionPropertyByProperty) {
  auto* action = new TAction(form);
  action->SetCaption(L"&Play");
  action->SetHint(L"Play|Plays the document");
  action->SetImageIndex(4);
  action->SetShortCut(ShortCut(VK_SPACE, {}));
  TdxBarButton* follower = NewItem(L"Follower", L"");
  auto* toggle = NewItem(L"Toggle", L"");
  toggle->SetButtonStyle(bsChecked);
  TdxBarButton* own = NewItem(L"Own", L"");
  for (TdxBarButton* item : {follower, toggle, own}) item->SetAction(action);
  EXPECT_EQ(follower->Caption(), L"&Play");
  EXPECT_EQ(follower->Hint(), L"Play|Plays the document");
  EXPECT_EQ(follower->ImageIndex(), 4);
  EXPECT_EQ(follower->ShortCut(), ShortCut(VK_SPACE, {}));
  EXPECT_FALSE(follower->IsCaptionStored());

  own->SetCaption(L"My play");
  action->SetCaption(L"&Pause");
  action->SetChecked(true);
  action->SetVisible(false);
  EXPECT_EQ(follower->Caption(), L"&Pause");
  EXPECT_EQ(own->Caption(), L"My play");
  EXPECT_TRUE(own->IsCaptionStored());
  EXPECT_TRUE(toggle->Down());
  EXPECT_FALSE(follower->Down());  // not checkable
  EXPECT_EQ(follower->Visible(), ivNever);

  // An item assigned to an action copies what an action carries.
  auto* copy = new TAction(form);
  own->SetEnabled(false);
  own->AssignTo(copy);
  EXPECT_EQ(copy->Caption(), L"My play");
  EXPECT_FALSE(copy->Enabled());
  EXPECT_FALSE(copy->Visible());
  action->Free();
  EXPECT_EQ(follower->Action(), nullptr);
}

TEST_F(ItemTest, GroupRule) {
  TdxBarButton* buttons[3];
  for (int i = 0; i < 3; ++i) {
    buttons[i] = NewItem(L"B" + std::to_wstring(i));
    buttons[i]->SetButtonStyle(bsChecked);
    buttons[i]->SetGroupIndex(2);
  }
  auto downs = [&] { return std::vector<bool>{buttons[0]->Down(), buttons[1]->Down(), buttons[2]->Down()}; };
  struct Step {
    int button;
    bool down;
    std::vector<bool> expected;
  };
  const Step steps[] = {
      {0, true, {true, false, false}},
      {1, true, {false, true, false}},   // the group's former down button goes up
      {1, false, {false, true, false}},  // the only down one stays down without AllowAllUp
      {2, false, {false, true, false}},
  };
  for (const Step& s : steps) {
    buttons[s.button]->SetDown(s.down);
    EXPECT_EQ(downs(), s.expected) << s.button << s.down;
  }
  buttons[0]->SetAllowAllUp(true);
  EXPECT_TRUE(buttons[1]->AllowAllUp() && buttons[2]->AllowAllUp());
  buttons[1]->SetDown(false);
  EXPECT_EQ(downs(), (std::vector<bool>{false, false, false}));

  TdxBarButton* plain = NewItem(L"Plain");
  plain->SetGroupIndex(2);
  plain->SetDown(true);
  EXPECT_EQ(plain->GroupIndex(), 0);
  EXPECT_FALSE(plain->Down());

  buttons[0]->SetDown(true);
  buttons[0]->SetButtonStyle(bsCheckedDropDown);  // a style change releases it
  EXPECT_FALSE(buttons[0]->Down());

  // A click through a link toggles first; the handler sees the new state.
  bool seen = false;
  buttons[2]->OnClick = [&](TObject*) { seen = buttons[2]->Down(); };
  buttons[2]->ClickFromLink();
  EXPECT_TRUE(seen);
}

TEST_F(ItemTest, CustomizingEnablesItemsWithACategory) {
  TdxBarButton* categorised = NewItem(L"Cut");
  auto* loose = new TdxBarButton(form);
  categorised->SetEnabled(false);
  loose->SetEnabled(false);
  manager->SetCustomizingMode(true);
  EXPECT_TRUE(categorised->Enabled());
  EXPECT_FALSE(loose->Enabled());
  manager->SetCustomizingMode(false);
  EXPECT_FALSE(categorised->Enabled());
}

TEST_F(ItemTest, ShortCutsClickTheItemOrReachTheLinksItOwns) {
  TTestLinksOwner* menu = NewOwner();
  TdxBarButton* open = NewItem(L"Open");
  open->SetShortCut(ShortCut('O', {ssCtrl}));
  auto* sub = NewItem<TTestLinksItem>(L"File");
  TdxBarButton* save = NewItem(L"Save");
  save->SetShortCut(ShortCut('S', {ssCtrl}));
  sub->GetItemLinks()->AddItemLink(save);
  menu->Links()->AddItemLink(open);
  menu->Links()->AddItemLink(sub);
  std::vector<String> clicked;
  for (TdxBarButton* b : {open, save}) b->OnClick = [&clicked, b](TObject*) { clicked.push_back(b->Name()); };

  EXPECT_TRUE(menu->Links()->HandleShortCut(ShortCut('S', {ssCtrl})));
  EXPECT_TRUE(menu->Links()->HandleShortCut(ShortCut('O', {ssCtrl})));
  EXPECT_FALSE(menu->Links()->HandleShortCut(scNone));
  open->SetEnabled(false);
  EXPECT_FALSE(menu->Links()->HandleShortCut(ShortCut('O', {ssCtrl})));
  EXPECT_EQ(clicked, (std::vector<String>{L"Save", L"Open"}));
}

TEST_F(ItemTest, ASeparatorIsRefusedOnToolbars) {
  TTestLinksOwner* toolbar = NewOwner(pkToolbar);
  TTestLinksOwner* menu = NewOwner(pkMenu);
  auto* separator = NewItem<TdxBarSeparator>(L"Sep");
  EXPECT_EQ(MessageOf<EdxBarException>([&] { toolbar->Links()->AddItemLink(separator); }),
            L"A separator item cannot be placed on the specified toolbar");
  EXPECT_EQ(toolbar->Links()->Count(), 0);
  EXPECT_EQ(separator->LinkCount(), 0);
  menu->Links()->AddItemLink(separator);
  EXPECT_EQ(separator->LinkCount(), 1);
  EXPECT_TRUE(separator->ShowCaption());
  EXPECT_EQ(separator->GetDefaultCaption(), L"New Separator");
}

TEST_F(ItemTest, ACategoryChangeMovesTheItemBehindTheCategorysLastItem) {
  manager->Categories()->SetText(L"File\nEdit\n");
  TdxBarButton* a = NewItem(L"A", L"", 0);
  TdxBarButton* b = NewItem(L"B", L"", 1);
  TdxBarButton* c = NewItem(L"C", L"", 0);
  TdxBarButton* d = NewItem(L"D", L"", 1);
  EXPECT_EQ(manager->ItemAt(1), c);  // C moved behind A
  EXPECT_EQ(manager->ItemAt(3), d);
  a->SetCategory(1);
  EXPECT_EQ(a->ItemIndexInManager(), 3);
  b->SetCategory(7);  // no such category: nothing changes
  EXPECT_EQ(b->Category(), 1);
}

TEST_F(ItemTest, DestroyingAnItemFreesItsLinksAndTellsOnDestroyFirst) {
  TTestLinksOwner* menu = NewOwner();
  TdxBarButton* item = NewItem(L"Doomed");
  menu->Links()->AddItemLink(item);
  menu->Links()->AddItemLink(item);
  int linksSeenByOnDestroy = -1;
  item->OnDestroy = [&](TObject*) { linksSeenByOnDestroy = menu->Links()->Count(); };
  item->Free();
  EXPECT_EQ(linksSeenByOnDestroy, 2);
  EXPECT_EQ(menu->Links()->Count(), 0);
  EXPECT_EQ(manager->ItemCount(), 0);
}

TEST(ItemStylesData, FontsRelayoutColoursRepaint) {
  std::vector<int> heard;
  TcxStyle style(nullptr), other(nullptr);
  TdxBarItemStylesData data(nullptr, 2);
  data.OnChange = [&](TdxBarItemStyleChange Kind) { heard.push_back(Kind); };
  data.SetStyle(0, &style);
  data.SetStyle(1, &style);  // one listener for both slots
  EXPECT_EQ(style.ListenerCount(), 1);
  EXPECT_TRUE(heard.empty());  // nothing assigned: nothing changed

  struct Step {
    void (*change)(TcxStyle&);
    std::vector<int> expected;  // one report, however many slots hold the style
  };
  const Step steps[] = {
      {[](TcxStyle& s) { s.SetColor(clRed); }, {iscRepaint}},
      {[](TcxStyle& s) { s.Font()->SetName(L"Arial"); }, {iscRelayout}},
      {[](TcxStyle& s) { TBitmap b(2, 2); s.SetBitmap(&b); }, {}},
  };
  for (const Step& step : steps) {
    heard.clear();
    step.change(style);
    EXPECT_EQ(heard, step.expected);
  }

  // Under a change lock a relayout is never downgraded to a repaint.
  data.SetStyle(1, &other);
  heard.clear();
  data.BeginChange();
  style.Font()->SetHeight(-20);
  style.SetTextColor(clBlue);
  data.EndChange();
  EXPECT_EQ(heard, (std::vector<int>{iscRelayout}));
  EXPECT_EQ(other.ListenerCount(), 1);
}

}  // namespace
