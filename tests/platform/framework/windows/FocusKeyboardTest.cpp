// Focus and keyboard with real edits and buttons: exit/enter order, default and cancel buttons, tab
// order, arrows the control keeps, key preview, consumed keys, accelerators, activation.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

class Focus : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    edit1 = Place<TTestEdit>(10, 10, 100, 22);
    edit2 = Place<TTestEdit>(10, 40, 100, 22);
    ok = Place<TTestButton>(10, 80, 80, 25);
    ok->Default = true;
    ok->SetCaption(L"OK");
    ShowForm();
    edit1->SetFocus();
    ProcessMessages();
  }

  void Record(TWinControl* control, const String& name) {
    control->OnEnter = [this, name](TObject*) { trace.push_back(name + L".enter"); };
    control->OnExit = [this, name](TObject*) { trace.push_back(name + L".exit"); };
  }

  TTestEdit* edit1 = nullptr;
  TTestEdit* edit2 = nullptr;
  TTestButton* ok = nullptr;
  std::vector<String> trace;
};

// A control with an "&" caption that answers its accelerator.
class TAccelProbe : public TCustomControl {
  DECLARE_CLASS(TAccelProbe, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
  int Hits = 0;

 protected:
  void CMDialogChar(TMessage& Message) {
    if (IsAccel(static_cast<Word>(Message.WParam), Caption())) {
      ++Hits;
      Message.Result = 1;
      return;
    }
    Inherited::Dispatch(Message);
  }
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
  MESSAGE_MAP_END
};
DEFINE_CLASS(TAccelProbe)

}  // namespace

TEST_F(Focus, EnterClicksDefaultWithoutExitAndSetFocusInClickRunsExitAtOnce) {
  ASSERT_EQ(GetFocus(), edit1->Handle());
  Record(edit1, L"edit1");
  ok->OnClick = [&](TObject*) {
    trace.push_back(L"click");
    edit2->SetFocus();
    trace.push_back(L"after SetFocus");
  };
  PressKey(VK_RETURN);
  EXPECT_EQ(trace, (std::vector<String>{L"click", L"edit1.exit", L"after SetFocus"}));
  EXPECT_EQ(GetFocus(), edit2->Handle());
}

TEST_F(Focus, SetFocusBackFromOwnExitKeepsTheFocus) {
  int edit2Entered = 0;
  edit2->OnEnter = [&](TObject*) { ++edit2Entered; };
  bool refocused = false;
  edit1->OnExit = [&](TObject*) {
    if (refocused) return;
    refocused = true;
    edit1->SetFocus();
  };
  edit2->SetFocus();
  ProcessMessages();
  EXPECT_TRUE(refocused);
  EXPECT_EQ(GetFocus(), edit1->Handle());
  EXPECT_EQ(form->ActiveControl(), edit1);
  EXPECT_EQ(edit2Entered, 0);
  // edit1 keeps the focus into the teardown: its handler must not outlive what it captured.
  edit1->OnExit = nullptr;
  edit2->OnEnter = nullptr;
}

TEST_F(Focus, EscapeClicksTheCancelButtonOnlyWhenThereIsOne) {
  for (bool withCancel : {true, false}) {
    auto* cancel = Place<TTestButton>(100, 80, 80, 25);
    cancel->Cancel = withCancel;
    int cancelClicks = 0, okClicks = 0;
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    ok->OnClick = [&](TObject*) { ++okClicks; };
    edit1->SetFocus();
    ProcessMessages();
    PressKey(VK_ESCAPE);
    EXPECT_EQ(cancelClicks, withCancel ? 1 : 0);
    EXPECT_EQ(okClicks, 0);
    EXPECT_EQ(GetFocus(), edit1->Handle());
    cancel->Free();
  }
}

TEST_F(Focus, MouseClickFocusesTheButtonBeforeItsClick) {
  Record(edit1, L"edit1");
  Record(ok, L"ok");
  ok->OnClick = [&](TObject*) { trace.push_back(L"ok.click"); };
  Click(ok->Handle(), 10, 10);
  EXPECT_EQ(trace, (std::vector<String>{L"edit1.exit", L"ok.enter", L"ok.click"}));
}

TEST_F(Focus, TabFollowsTabOrderAndSkipsControlsWithoutTabStop) {
  auto* noStop = Place<TTestEdit>(200, 10, 100, 22);
  noStop->SetTabStop(false);
  edit2->SetTabOrder(0);  // edit2, edit1, ok, noStop
  struct Case {
    TWinControl* From;
    bool Shift;
    TWinControl* To;
  } cases[] = {
      {edit2, false, edit1}, {edit1, false, ok}, {ok, false, edit2}, {edit2, true, ok}, {edit1, true, edit2},
  };
  for (const Case& c : cases) {
    c.From->SetFocus();
    ProcessMessages();
    if (c.Shift) {
      HeldKeys shift{VK_SHIFT};
      PressKey(VK_TAB);
    } else {
      PressKey(VK_TAB);
    }
    EXPECT_EQ(GetFocus(), c.To->Handle()) << "from " << c.From->TabOrder() << (c.Shift ? " back" : "");
  }
}

TEST_F(Focus, ArrowsMoveFocusUnlessTheControlKeepsThem) {
  // The edit keeps arrows (WM_GETDLGCODE); a button does not, so Down goes to the next control.
  PressKey(VK_DOWN);
  EXPECT_EQ(GetFocus(), edit1->Handle());
  ok->SetFocus();
  ProcessMessages();
  PressKey(VK_DOWN);
  EXPECT_EQ(GetFocus(), edit1->Handle());
}

TEST_F(Focus, KeyPreviewLetsTheFormConsumeKeysFirst) {
  std::vector<String> keys;
  edit1->OnKeyDown = [&](TObject*, Word&, TShiftState) { keys.push_back(L"edit"); };
  form->OnKeyDown = [&](TObject*, Word& key, TShiftState) {
    keys.push_back(L"form");
    if (key == VK_F2) key = 0;
  };
  PressKey(VK_F2);
  EXPECT_EQ(keys, std::vector<String>{L"edit"});
  keys.clear();
  form->SetKeyPreview(true);
  PressKey(VK_F2);
  EXPECT_EQ(keys, std::vector<String>{L"form"});
  keys.clear();
  PressKey(VK_F3);
  EXPECT_EQ(keys, (std::vector<String>{L"form", L"edit"}));
}

TEST_F(Focus, ZeroedKeyPressIsConsumed) {
  edit1->OnKeyPress = [](TObject*, wchar_t& key) {
    if (key == L'x') key = 0;
  };
  for (wchar_t ch : {L'a', L'x', L'b'}) PostMessageW(edit1->Handle(), WM_CHAR, ch, 1);
  ProcessMessages();
  EXPECT_EQ(edit1->Text(), L"ab");
}

TEST_F(Focus, AltLetterReachesTheAcceleratorThroughDialogChar) {
  auto* save = Place<TAccelProbe>(200, 200, 50, 20);
  save->SetCaption(L"&Save");
  PostMessageW(edit1->Handle(), WM_SYSCHAR, L'x', 0x20000001);
  PostMessageW(edit1->Handle(), WM_SYSCHAR, L's', 0x20000001);
  ProcessMessages();
  EXPECT_EQ(save->Hits, 1);
}

TEST_F(Focus, FocusChangeIsAnnouncedWithTheNewFocusOwner) {
  auto* probe = Place<TProbeControl>(300, 200, 10, 10);
  TWinControl* announced = nullptr;
  probe->InstallWindowProcHook([&](TMessage& Message, TWindowProcChain& Next) {
    if (Message.Msg == CM_FOCUSCHANGED) announced = reinterpret_cast<TWinControl*>(Message.LParam);
    Next(Message);
  });
  edit2->SetFocus();
  ProcessMessages();
  EXPECT_EQ(announced, edit2);
}

TEST_F(Focus, ActivatingAnotherFormDeactivatesThisOne) {
  std::vector<String> trace;
  auto record = [&](TCustomForm* f, const String& name) {
    f->InstallWindowProcHook([&trace, name](TMessage& Message, TWindowProcChain& Next) {
      if (Message.Msg == 0xB000) trace.push_back(name + L".activate");
      if (Message.Msg == 0xB001) trace.push_back(name + L".deactivate");
      Next(Message);
    });
  };
  auto* other = new TForm(nullptr, 0);
  other->SetBounds(500, 50, 200, 100);
  record(form, L"first");
  record(other, L"second");
  other->Show();
  ProcessMessages();
  SetActiveWindow(form->Handle());
  ProcessMessages();
  EXPECT_EQ(trace, (std::vector<String>{L"first.deactivate", L"second.activate", L"second.deactivate",
                                        L"first.activate"}));
  other->Free();
}

TEST_F(Focus, HardwareInputTakesTheSameRoute) {
  int clicks = 0;
  ok->OnClick = [&](TObject*) { ++clicks; };
  InjectKey(VK_TAB);
  EXPECT_EQ(GetFocus(), edit2->Handle());
  InjectClick(ok->ClientToScreen(TPoint(10, 10)));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(GetFocus(), ok->Handle());
}
