#include <gtest/gtest.h>

#include "platform/framework/windows/ActnList.h"
#include "platform/framework/controls/Buttons.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/controls/ToolBar.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

template <class T>
T* PlaceOn(TForm* form) {
  T* control = new T(form);
  control->SetBounds(10, 10, 80, 24);
  control->SetParent(form);
  return control;
}

TControl* NewCheckBox(TForm* form) { return PlaceOn<TCheckBox>(form); }
TControl* NewRadioButton(TForm* form) { return PlaceOn<TRadioButton>(form); }
TControl* NewSpeedButton(TForm* form) {
  auto* button = PlaceOn<TSpeedButton>(form);
  button->SetAllowAllUp(true);
  return button;
}
TControl* NewCheckToolButton(TForm* form) {
  auto* button = PlaceOn<TToolButton>(form);
  button->SetStyle(tbsCheck);
  return button;
}

// The checked state as each kind of button shows it.
bool Shown(TControl* control) {
  if (auto* box = dynamic_cast<TCheckBox*>(control)) return box->Checked();
  if (auto* radio = dynamic_cast<TRadioButton*>(control)) return radio->Checked();
  if (auto* speed = dynamic_cast<TSpeedButton*>(control)) return speed->Down();
  return static_cast<TToolButton*>(control)->Down();
}

class ButtonActionLinkTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    list = new TActionList(form);
  }

  // An action of the fixture's list whose every run is counted.
  TAction* NewAction(bool checked, int groupIndex = 0, int imageIndex = -1) {
    auto* action = new TAction(form);
    action->SetActionList(list);
    action->SetChecked(checked);
    action->SetGroupIndex(groupIndex);
    action->SetImageIndex(imageIndex);
    action->OnExecute = [this](TObject*) { ++runs; };
    return action;
  }

  TActionList* list = nullptr;
  int runs = 0;
};

struct KindCase {
  const char* name;
  TControl* (*place)(TForm*);
};

const KindCase kKinds[] = {
    {"check box", NewCheckBox},
    {"radio button", NewRadioButton},
    {"speed button", NewSpeedButton},
    {"check tool button", NewCheckToolButton},
};

TEST_F(ButtonActionLinkTest, EachButtonFollowsTheCheckedStateWithoutRunningTheAction) {
  for (const KindCase& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    TAction* action = NewAction(true, 3);
    TControl* control = kind.place(form);
    control->SetAction(action);
    EXPECT_TRUE(Shown(control));
    action->SetChecked(false);
    EXPECT_FALSE(Shown(control));
    action->SetChecked(true);
    EXPECT_TRUE(Shown(control));
    EXPECT_EQ(runs, 0);
    delete control;
  }
}

TEST_F(ButtonActionLinkTest, CheckBoxAndRadioButtonStillRunTheActionWhenCheckedByCode) {
  const auto check = [](TControl* control) {
    if (auto* box = dynamic_cast<TCheckBox*>(control)) box->SetChecked(true);
    else static_cast<TRadioButton*>(control)->SetChecked(true);
  };
  for (const KindCase& kind : {kKinds[0], kKinds[1]}) {
    SCOPED_TRACE(kind.name);
    runs = 0;
    TAction* action = NewAction(true);
    TControl* control = kind.place(form);
    control->SetAction(action);
    action->SetChecked(false);
    check(control);
    EXPECT_EQ(runs, 1);
    delete control;
  }
}

// What a button keeps of its own when it takes an action. While the action is loading, only
// the button's defaults (unchecked, up, group 0, no image) give way; otherwise the action wins.
struct TakeCase {
  const char* name;
  TControl* (*place)(TForm*);
  void (*setOwn)(TControl*);  // null: the button keeps its defaults
  int (*read)(TControl*);
  bool actionChecked;
  int actionGroup;
  int actionImage;
  bool loading;
  int expected;
};

void CheckOwnBox(TControl* c) { static_cast<TCheckBox*>(c)->SetChecked(true); }
void CheckOwnRadio(TControl* c) { static_cast<TRadioButton*>(c)->SetChecked(true); }
void DownOwnTool(TControl* c) { static_cast<TToolButton*>(c)->SetDown(true); }
void OwnGroup(TControl* c) { static_cast<TSpeedButton*>(c)->SetGroupIndex(7); }
void OwnImage(TControl* c) { static_cast<TToolButton*>(c)->SetImageIndex(2); }
int ReadShown(TControl* c) { return Shown(c) ? 1 : 0; }
int ReadGroup(TControl* c) { return static_cast<TSpeedButton*>(c)->GroupIndex(); }
int ReadImage(TControl* c) { return static_cast<TToolButton*>(c)->ImageIndex(); }

const TakeCase kTakeCases[] = {
    {"box keeps its check while loading", NewCheckBox, CheckOwnBox, ReadShown, false, 0, -1, true, 1},
    {"box takes the action's check", NewCheckBox, nullptr, ReadShown, true, 0, -1, true, 1},
    {"box gives up its check outside loading", NewCheckBox, CheckOwnBox, ReadShown, false, 0, -1, false, 0},
    {"radio keeps its check while loading", NewRadioButton, CheckOwnRadio, ReadShown, false, 0, -1, true, 1},
    {"radio gives up its check outside loading", NewRadioButton, CheckOwnRadio, ReadShown, false, 0, -1, false, 0},
    {"speed button keeps its group while loading", NewSpeedButton, OwnGroup, ReadGroup, false, 3, -1, true, 7},
    {"speed button takes the action's group", NewSpeedButton, nullptr, ReadGroup, false, 3, -1, true, 3},
    {"speed button gives up its group outside loading", NewSpeedButton, OwnGroup, ReadGroup, false, 3, -1, false, 3},
    {"speed button in the taken group goes down", NewSpeedButton, nullptr, ReadShown, true, 3, -1, true, 1},
    {"tool button keeps its down state while loading", NewCheckToolButton, DownOwnTool, ReadShown, false, 0, -1, true, 1},
    {"tool button gives up its down state outside loading", NewCheckToolButton, DownOwnTool, ReadShown, false, 0, -1, false, 0},
    {"tool button keeps its image while loading", NewCheckToolButton, OwnImage, ReadImage, false, 0, 5, true, 2},
    {"tool button takes the action's image", NewCheckToolButton, nullptr, ReadImage, false, 0, 5, true, 5},
    {"tool button gives up its image outside loading", NewCheckToolButton, OwnImage, ReadImage, false, 0, 5, false, 5},
};

TEST_F(ButtonActionLinkTest, LoadingActionReplacesOnlyTheButtonsDefaults) {
  for (const TakeCase& c : kTakeCases) {
    SCOPED_TRACE(c.name);
    TAction* action = NewAction(c.actionChecked, c.actionGroup, c.actionImage);
    TControl* control = c.place(form);
    if (c.setOwn) c.setOwn(control);
    if (c.loading) action->SetComponentState({csLoading});
    control->SetAction(action);
    EXPECT_EQ(c.read(control), c.expected);
    delete control;
  }
}

TEST_F(ButtonActionLinkTest, ToolButtonFollowsTheActionsImage) {
  TAction* action = NewAction(false, 0, 1);
  auto* button = static_cast<TToolButton*>(NewCheckToolButton(form));
  button->SetAction(action);
  action->SetImageIndex(4);
  EXPECT_EQ(button->ImageIndex(), 4);
}

}  // namespace
