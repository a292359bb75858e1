#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/framework/controls/ActnLinks.h"
#include "platform/framework/windows/ActnList.h"
#include "platform/framework/controls/Buttons.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/controls/ToolBar.h"
#include "platform/framework/windows/Forms.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

// A button whose link records the action's caption at the moment the link is told the new one.
class TRecordingLink : public TControlActionLink {
 public:
  using TControlActionLink::TControlActionLink;
  void SetCaption(const String& Value) override {
    SeenByLink.push_back(static_cast<TCustomAction*>(Action())->Caption() + L"->" + Value);
    TControlActionLink::SetCaption(Value);
  }
  std::vector<String> SeenByLink;
};

class TRecordingButton : public TTestButton {
 public:
  using TTestButton::TTestButton;
  TRecordingLink* Link() const { return static_cast<TRecordingLink*>(ActionLink()); }

 protected:
  TControlActionLink* CreateActionLink() override { return new TRecordingLink(this); }
};

class ActionTest : public FormFixture {
 protected:
  TAction* NewAction(TCustomActionList* list, const String& caption) {
    auto* action = new TAction(form);
    action->SetCaption(caption);
    action->SetActionList(list);
    return action;
  }
};

TEST_F(ActionTest, LinkedButtonFollowsCaptionEnabledVisibleAndRunsTheAction) {
  auto* list = new TActionList(form);
  TAction* action = NewAction(list, L"&Preview");
  int runs = 0;
  action->OnExecute = [&](TObject*) { ++runs; };
  auto* button = Place<TTestButton>(10, 10, 80, 24);
  button->SetAction(action);
  EXPECT_EQ(button->Caption(), L"&Preview");

  action->SetCaption(L"&Stop");
  action->SetEnabled(false);
  action->SetVisible(false);
  EXPECT_EQ(button->Caption(), L"&Stop");
  EXPECT_FALSE(button->Enabled());
  EXPECT_FALSE(button->Visible());

  action->SetEnabled(true);
  button->Click();
  EXPECT_EQ(runs, 1);
  // A click handler of the button's own replaces the action's.
  bool own = false;
  button->OnClick = [&](TObject*) { own = true; };
  button->Click();
  EXPECT_TRUE(own);
  EXPECT_EQ(runs, 1);
}

TEST_F(ActionTest, LinkHearsTheChangeBeforeTheActionStoresItAndAnOverriddenCaptionStays) {
  auto* list = new TActionList(form);
  TAction* action = NewAction(list, L"Old");
  auto* follower = Place<TRecordingButton>(10, 10, 80, 24);
  auto* overridden = Place<TRecordingButton>(10, 40, 80, 24);
  follower->SetAction(action);
  overridden->SetAction(action);
  overridden->SetCaption(L"Mine");

  action->SetCaption(L"New");
  ASSERT_EQ(follower->Link()->SeenByLink.size(), 1u);
  EXPECT_EQ(follower->Link()->SeenByLink[0], L"Old->New");
  EXPECT_EQ(follower->Caption(), L"New");
  EXPECT_TRUE(overridden->Link()->SeenByLink.empty());
}

TEST_F(ActionTest, SettingTheCurrentValueTellsNoLink) {
  auto* list = new TActionList(form);
  TAction* action = NewAction(list, L"A");
  auto* button = Place<TTestButton>(10, 10, 80, 24);
  button->SetAction(action);
  int changes = 0;
  auto* watcher = new TBasicActionLink(nullptr);
  watcher->SetAction(action);
  watcher->OnChange = [&](TObject*) { ++changes; };
  action->SetEnabled(true);
  action->SetCaption(L"A");
  action->SetChecked(false);
  EXPECT_EQ(changes, 0);
  action->SetEnabled(false);
  EXPECT_EQ(changes, 1);
  watcher->Free();
}

TEST_F(ActionTest, CheckingAnActionOfAGroupUnchecksTheOthersOfThatGroupOnly) {
  auto* list = new TActionList(form);
  TAction* a = NewAction(list, L"a");
  TAction* b = NewAction(list, L"b");
  TAction* c = NewAction(list, L"c");
  TAction* other = NewAction(list, L"other");
  for (TAction* action : {a, b, c}) action->SetGroupIndex(1);
  other->SetGroupIndex(2);
  other->SetChecked(true);

  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(c->Checked());
  EXPECT_TRUE(other->Checked());

  // AutoCheck through Execute keeps the group exclusive too.
  c->AutoCheck = true;
  c->OnExecute = [](TObject*) {};
  EXPECT_TRUE(c->Execute());
  EXPECT_TRUE(c->Checked());
  EXPECT_FALSE(b->Checked());
}

TEST_F(ActionTest, ExecuteUpdatesFirstAndRefusesWhileDisabled) {
  auto* list = new TActionList(form);
  TAction* action = NewAction(list, L"Delete toolbar");
  bool allowed = false;
  int runs = 0;
  action->OnUpdate = [&](TObject*) { action->SetEnabled(allowed); };
  action->OnExecute = [&](TObject*) { ++runs; };
  EXPECT_FALSE(action->Execute());
  EXPECT_EQ(runs, 0);
  allowed = true;
  EXPECT_TRUE(action->Execute());
  EXPECT_EQ(runs, 1);
}

TEST_F(ActionTest, ActionComponentIsTheClientOnlyWhileItExecutes) {
  auto* list = new TActionList(form);
  TAction* action = NewAction(list, L"Run");
  TComponent* seen = nullptr;
  action->OnExecute = [&](TObject*) { seen = action->ActionComponent(); };
  auto* button = Place<TTestButton>(10, 10, 80, 24);
  button->SetAction(action);
  button->Click();
  EXPECT_EQ(seen, button);
  EXPECT_EQ(action->ActionComponent(), nullptr);
}

TEST_F(ActionTest, FreeingARunTimeListFreesItsActionsAndTheirClientsForgetThem) {
  auto* list = new TActionList(form);
  TAction* action = NewAction(list, L"Favourite");
  action->SetName(L"Favourite1");
  action->SetShortCut(TextToShortCut(L"Ctrl+F1"));
  auto* button = Place<TTestButton>(10, 10, 80, 24);
  button->SetAction(action);

  list->Free();
  EXPECT_EQ(form->FindComponent(L"Favourite1"), nullptr);
  EXPECT_EQ(button->Action(), nullptr);
  for (TCustomActionList* live : ActionLists()) EXPECT_NE(live, list);
}

// The buttons as they take their links.
class TLinkedSpeedButton : public TSpeedButton {
 public:
  using TSpeedButton::TSpeedButton;

 protected:
  TControlActionLink* CreateActionLink() override { return new TSpeedButtonActionLink(this); }
};

class TLinkedToolButton : public TToolButton {
 public:
  using TToolButton::TToolButton;

 protected:
  TControlActionLink* CreateActionLink() override { return new TToolButtonActionLink(this); }
};

class TLinkedCheckBox : public TCheckBox {
 public:
  using TCheckBox::TCheckBox;

 protected:
  TControlActionLink* CreateActionLink() override { return new TButtonActionLink(this); }
};

TEST_F(ActionTest, ButtonLinksFollowCheckedGroupAndImage) {
  auto* list = new TActionList(form);
  TAction* waveform = NewAction(list, L"Waveform");
  TAction* spectral = NewAction(list, L"Spectral");
  for (TAction* action : {waveform, spectral}) action->SetGroupIndex(5);
  auto* speed = Place<TLinkedSpeedButton>(10, 10, 24, 24);
  speed->SetAllowAllUp(true);
  speed->SetAction(spectral);
  EXPECT_EQ(speed->GroupIndex(), 5);
  auto* tool = Place<TLinkedToolButton>(40, 10, 24, 24);
  tool->SetStyle(tbsCheck);
  tool->SetAction(spectral);
  auto* box = Place<TLinkedCheckBox>(70, 10, 80, 24);
  box->SetAction(spectral);

  spectral->SetChecked(true);
  spectral->SetImageIndex(3);
  EXPECT_TRUE(speed->Down());
  EXPECT_TRUE(tool->Down());
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(tool->ImageIndex(), 3);

  waveform->SetChecked(true);
  EXPECT_FALSE(spectral->Checked());
  EXPECT_FALSE(speed->Down());
  EXPECT_FALSE(tool->Down());
  EXPECT_FALSE(box->Checked());
}

// ---- The idle pass -------------------------------------------------------------------------------

TEST_F(ActionTest, IdlePassUpdatesListFirstHonoursHandledAndCoversVisibleFormsOnly) {
  std::vector<String> log;
  auto* list = new TActionList(form);
  TAction* first = NewAction(list, L"first");
  TAction* second = NewAction(list, L"second");
  list->OnUpdate = [&](TBasicAction* action, bool& handled) {
    log.push_back(L"list:" + static_cast<TCustomAction*>(action)->Caption());
    handled = action == second;
  };
  first->OnUpdate = [&](TObject*) { log.push_back(L"own:first"); };
  second->OnUpdate = [&](TObject*) { log.push_back(L"own:second"); };

  auto* other = new TForm(nullptr, 0);
  auto* otherList = new TActionList(other);
  auto* otherAction = new TAction(other);
  otherAction->SetActionList(otherList);
  otherAction->OnUpdate = [&](TObject*) { log.push_back(L"own:other"); };
  auto* hidden = new TForm(nullptr, 0);
  auto* hiddenList = new TActionList(hidden);
  auto* hiddenAction = new TAction(hidden);
  hiddenAction->SetActionList(hiddenList);
  hiddenAction->OnUpdate = [&](TObject*) { log.push_back(L"own:hidden"); };

  ShowForm();
  other->Show();
  log.clear();
  UpdateActionsAtIdle();

  std::vector<String> mine;
  for (const String& entry : log) {
    if (entry != L"own:other") mine.push_back(entry);
  }
  EXPECT_EQ(mine, (std::vector<String>{L"list:first", L"own:first", L"list:second"}));
  EXPECT_NE(std::find(log.begin(), log.end(), L"own:other"), log.end());
  EXPECT_EQ(std::find(log.begin(), log.end(), L"own:hidden"), log.end());
  other->Free();
  hidden->Free();
}

TEST_F(ActionTest, IdlePassRefreshesLinkedControls) {
  auto* list = new TActionList(form);
  TAction* action = NewAction(list, L"Play");
  bool playing = false;
  action->OnUpdate = [&](TObject*) { action->SetEnabled(!playing); };
  auto* button = Place<TTestButton>(10, 10, 80, 24);
  button->SetAction(action);
  ShowForm();
  playing = true;
  UpdateActionsAtIdle();
  EXPECT_FALSE(button->Enabled());
}

TEST_F(ActionTest, IdlePassOverManyActionsStaysFarBelowAMillisecond) {
  constexpr int kActions = 120;
  constexpr int kPasses = 1000;
  auto* list = new TActionList(form);
  int updates = 0;
  for (int i = 0; i < kActions; ++i) {
    TAction* action = NewAction(list, L"Command");
    action->OnUpdate = [&updates, action](TObject*) {
      ++updates;
      action->SetEnabled(true);
    };
    if (i % 4 == 0) Place<TTestButton>(4 * (i % 20), 4 * (i / 20), 20, 20)->SetAction(action);
  }
  ShowForm();
  UpdateActionsAtIdle();
  const auto start = std::chrono::steady_clock::now();
  for (int pass = 0; pass < kPasses; ++pass) UpdateActionsAtIdle();
  const double perPass =
      std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / kPasses;
  std::printf("idle pass over %d actions: %.2f us per pass\n", kActions, perPass);
  EXPECT_GE(updates, kActions * kPasses);
  EXPECT_LT(perPass, 1000.0);
}

// ---- Shortcut dispatch ---------------------------------------------------------------------------

TEST_F(ActionTest, ShortCutOnTheSecondListRunsAndADisabledMatchLetsTheKeyGoOn) {
  auto* mainList = new TActionList(form);
  auto* favourites = new TActionList(form);
  TAction* disabled = NewAction(mainList, L"disabled");
  TAction* favourite = NewAction(favourites, L"favourite");
  TAction* onlyDisabled = NewAction(mainList, L"only disabled");
  disabled->SetShortCut(TextToShortCut(L"Ctrl+K"));
  favourite->SetShortCut(TextToShortCut(L"Ctrl+K"));
  onlyDisabled->SetShortCut(TextToShortCut(L"Ctrl+J"));
  disabled->SetEnabled(false);
  onlyDisabled->SetEnabled(false);
  int favouriteRuns = 0, disabledRuns = 0;
  favourite->OnExecute = [&](TObject*) { ++favouriteRuns; };
  disabled->OnExecute = [&](TObject*) { ++disabledRuns; };
  onlyDisabled->OnExecute = [&](TObject*) { ++disabledRuns; };

  auto* edit = Place<TTestEdit>(10, 10, 120, 24);
  std::vector<Word> keysReachingEdit;
  edit->OnKeyDown = [&](TObject*, Word& key, TShiftState) { keysReachingEdit.push_back(key); };
  ShowForm();
  edit->SetFocus();
  {
    HeldKeys ctrl{VK_CONTROL};
    PressKeyOn(edit->Handle(), 'K');
    PressKeyOn(edit->Handle(), 'J');
  }
  EXPECT_EQ(favouriteRuns, 1);
  EXPECT_EQ(disabledRuns, 0);
  EXPECT_EQ(keysReachingEdit, std::vector<Word>{'J'});
}

// A key that was queued before the form was disabled (a long command pumping messages) runs no
// command while the form stays disabled.
TEST_F(ActionTest, ADisabledFormRunsNoShortCut) {
  auto* list = new TActionList(form);
  TAction* save = NewAction(list, L"save");
  save->SetShortCut(TextToShortCut(L"Ctrl+S"));
  int runs = 0;
  save->OnExecute = [&](TObject*) { ++runs; };
  auto* edit = Place<TTestEdit>(10, 10, 120, 24);
  ShowForm();
  edit->SetFocus();
  HeldKeys ctrl{VK_CONTROL};
  for (bool enabled : {false, true}) {
    EnableWindow(form->Handle(), enabled ? TRUE : FALSE);
    PostMessageW(edit->Handle(), WM_KEYDOWN, 'S', 1);
    PostMessageW(edit->Handle(), WM_KEYUP, 'S', 0xC0000001);
    ProcessMessages();
    EXPECT_EQ(runs, enabled ? 1 : 0) << enabled;
  }
}

// ---- Executing on a form's controls --------------------------------------------------------------

class THintTaker : public TTestButton {
 public:
  using TTestButton::TTestButton;
  String Taken;

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == CM_ACTIONEXECUTE) {
      if (auto* hint = dynamic_cast<THintAction*>(reinterpret_cast<TBasicAction*>(Message.LParam))) {
        Taken = hint->Hint();
        Message.Result = 1;
        return;
      }
    }
    TTestButton::WndProc(Message);
  }
};

TEST_F(ActionTest, HintActionReachesTheControlThatTakesIt) {
  auto* taker = Place<THintTaker>(10, 10, 80, 24);
  THintAction hint(nullptr);
  hint.SetHint(L"Opens a file");
  EXPECT_TRUE(ExecuteActionOnForm(&hint, form));
  EXPECT_EQ(taker->Taken, L"Opens a file");
}

class TPlainForm : public TForm {
 public:
  explicit TPlainForm(TComponent* AOwner) : TForm(AOwner, 0) {}
};

TEST(HintActionTest, ApplicationHintWithoutOnHintGoesToTheMainFormsControls) {
  ASSERT_EQ(Application->MainForm(), nullptr);
  ASSERT_FALSE(Application->OnHint);
  TPlainForm* mainForm = nullptr;
  Application->CreateForm(mainForm);
  auto* taker = new THintTaker(mainForm);
  taker->SetParent(mainForm);
  Application->SetHint(L"Saves the file");
  EXPECT_EQ(taker->Taken, L"Saves the file");

  bool heard = false;
  Application->OnHint = [&](TObject*) { heard = true; };
  Application->SetHint(L"Closes the file");
  EXPECT_TRUE(heard);
  EXPECT_EQ(taker->Taken, L"Saves the file");
  Application->OnHint = nullptr;
  Application->SetHint(String());
  mainForm->Free();
  EXPECT_EQ(Application->MainForm(), nullptr);
}

}  // namespace
