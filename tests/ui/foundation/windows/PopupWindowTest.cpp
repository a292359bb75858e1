// The custom popup window: its hook rules fed with fabricated input, the one-shot message lock, a
// real click through SendInput, the own loop of a focus-capturing popup, and the private messages.

#include <gtest/gtest.h>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/foundation/PopupWindow.h"

using namespace window_testing;

namespace {

class TOwnerButton : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int presses = 0;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    ++presses;
    TCustomControl::MouseDown(Button, Shift, X, Y);
  }
};

// A popup below its owner that says it handles presses on its owner.
class TTestPopup : public TcxCustomPopupWindow {
 public:
  explicit TTestPopup(TControl* owner) : TcxCustomPopupWindow(owner) {
    SetBounds(0, 0, 120, 80);
    Adjustable = false;
    OwnerBounds = owner->BoundsRect();
  }
  bool handles = true;
  bool raiseInHook = false;
  bool HandlesHookedMessage(HWND Window, UINT, const TPoint&, TShiftState) override {
    if (raiseInHook) throw Exception(L"hooked handler failed");
    return handles && WindowBelongsTo(OwnerControl(), Window, true);
  }
};

CWPSTRUCT Sent(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
  return CWPSTRUCT{lParam, wParam, msg, window};
}

TPoint ScreenCentre(TWinControl* control) {
  RECT r;
  GetWindowRect(control->Handle(), &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class Popups : public FormFixture {
 protected:
  void SetUp() override {
    InitializeUnits();
    FormFixture::SetUp();
    owner = Place<TOwnerButton>(10, 10, 80, 24);
    other = Place<TOwnerButton>(200, 200, 80, 24);
    ShowForm();
    popup = new TTestPopup(owner);
    popup->ChangeFocusCapturing(false);
  }
  void TearDown() override {
    if (!released) popup->Free();
    FormFixture::TearDown();
  }
  void Open(TTestPopup* p) {
    p->ShowPopup(nullptr);
    ProcessMessages();
    ASSERT_TRUE(IsPopupOpen(p));
  }

  TOwnerButton* owner = nullptr;
  TOwnerButton* other = nullptr;
  TTestPopup* popup = nullptr;
  bool released = false;
};

}  // namespace

TEST_F(Popups, ShowsBelowItsOwnerWithoutTakingTheActivation) {
  ASSERT_TRUE(PopupHooksInstalled());
  Open(popup);
  EXPECT_TRUE(IsWindowVisible(popup->Handle()));
  EXPECT_EQ(GetAncestor(popup->Handle(), GA_PARENT), GetDesktopWindow());
  EXPECT_TRUE(GetWindowLongPtrW(popup->Handle(), GWL_STYLE) & WS_CHILD);
  EXPECT_EQ(GetActiveWindow(), form->Handle());
  const TPoint below = owner->ClientToScreen({0, owner->Height()});
  EXPECT_EQ(popup->Left(), below.x);
  EXPECT_EQ(popup->Top(), below.y);
  popup->ClosePopup();
  EXPECT_FALSE(IsPopupOpen(popup));
  EXPECT_FALSE(IsWindowVisible(popup->Handle()));
}

TEST_F(Popups, MouseRuleTable) {
  // A press on the owner closes the popup, lets the press through and marks the owner click.
  Open(popup);
  const TPoint onOwner = ScreenCentre(owner);
  EXPECT_TRUE(cxPopupMouseRule(owner->Handle(), WM_LBUTTONDOWN, onOwner));
  EXPECT_FALSE(IsPopupOpen(popup));
  EXPECT_TRUE(popup->ConsumeClosedByOwnerClick());
  EXPECT_FALSE(popup->ConsumeClosedByOwnerClick());

  // A press elsewhere in the form closes it and the press arrives; no owner click.
  Open(popup);
  EXPECT_TRUE(cxPopupMouseRule(other->Handle(), WM_LBUTTONDOWN, ScreenCentre(other)));
  EXPECT_FALSE(IsPopupOpen(popup));
  EXPECT_FALSE(popup->ConsumeClosedByOwnerClick());

  // A popup that handles presses elsewhere has them swallowed.
  struct TGreedyPopup : TTestPopup {
    using TTestPopup::TTestPopup;
    bool HandlesHookedMessage(HWND, UINT, const TPoint&, TShiftState) override { return true; }
  };
  auto* greedy = new TGreedyPopup(owner);
  greedy->ChangeFocusCapturing(false);
  Open(greedy);
  EXPECT_FALSE(cxPopupMouseRule(other->Handle(), WM_RBUTTONDOWN, ScreenCentre(other)));
  EXPECT_FALSE(IsPopupOpen(greedy));
  greedy->Free();

  // A press inside the popup keeps it open; so does a press in a window of no interest.
  Open(popup);
  EXPECT_TRUE(cxPopupMouseRule(popup->Handle(), WM_LBUTTONDOWN, ScreenCentre(popup)));
  EXPECT_TRUE(IsPopupOpen(popup));
  EXPECT_TRUE(cxPopupMouseRule(GetDesktopWindow(), WM_LBUTTONDOWN, {1, 1}));
  EXPECT_TRUE(IsPopupOpen(popup));
}

TEST_F(Popups, NestedPopupKeepsTheFirstOpenAndAPressInTheFirstClosesOnlyTheSecond) {
  Open(popup);
  auto* inner = new TOwnerButton(popup);
  inner->SetBounds(5, 5, 60, 20);
  inner->SetParent(popup);
  ProcessMessages();
  auto* second = new TTestPopup(inner);
  second->ChangeFocusCapturing(false);
  Open(second);
  EXPECT_TRUE(cxPopupMouseRule(second->Handle(), WM_LBUTTONDOWN, ScreenCentre(second)));
  EXPECT_TRUE(IsPopupOpen(popup));
  EXPECT_TRUE(IsPopupOpen(second));
  // The first popup's own window (not the second's owner) is pressed.
  EXPECT_TRUE(cxPopupMouseRule(popup->Handle(), WM_LBUTTONDOWN, popup->ClientToScreen({100, 70})));
  EXPECT_TRUE(IsPopupOpen(popup));
  EXPECT_FALSE(IsPopupOpen(second));
  second->Free();
}

TEST_F(Popups, CallWindowRuleTable) {
  // The owner form's caption about to turn inactive is swallowed while a popup is open.
  Open(popup);
  EXPECT_TRUE(cxPopupCallWndProcRule(Sent(form->Handle(), WM_NCACTIVATE, FALSE)));
  EXPECT_FALSE(cxPopupCallWndProcRule(Sent(form->Handle(), WM_NCACTIVATE, TRUE)));
  EXPECT_FALSE(cxPopupCallWndProcRule(Sent(other->Handle(), WM_NCACTIVATE, FALSE)));

  // The application losing the activation closes a popup that does not hold the active form.
  EXPECT_FALSE(cxPopupCallWndProcRule(Sent(form->Handle(), WM_ACTIVATEAPP, FALSE)));
  EXPECT_FALSE(IsPopupOpen(popup));
  MSG posted;
  EXPECT_TRUE(PeekMessageW(&posted, form->Handle(), WM_NCACTIVATE, WM_NCACTIVATE, PM_REMOVE));
  EXPECT_EQ(posted.wParam, 0u);
  EXPECT_FALSE(cxPopupCallWndProcRule(Sent(form->Handle(), WM_NCACTIVATE, FALSE)));  // nothing open

  // Hiding the owner closes its popup.
  Open(popup);
  ShowWindow(owner->Handle(), SW_HIDE);
  EXPECT_FALSE(IsPopupOpen(popup));
  ShowWindow(owner->Handle(), SW_SHOW);

  // Moving the owner out of view (hidden without WM_SHOWWINDOW) closes it too.
  Open(popup);
  SetWindowPos(owner->Handle(), nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_FALSE(IsPopupOpen(popup));
  SetWindowPos(owner->Handle(), nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);

  // Closing the owner form closes a popup that does not capture the focus.
  Open(popup);
  EXPECT_FALSE(cxPopupCallWndProcRule(Sent(form->Handle(), WM_CLOSE)));
  EXPECT_FALSE(IsPopupOpen(popup));
}

TEST_F(Popups, ActivationNoticesAreSwallowedWhileAPopupCloses) {
  int activations = 0;
  form->OnActivate = [&](TObject*) { ++activations; };
  Open(popup);
  bool ruleDuringClose = false;
  popup->OnClosing = [&](TObject*) {
    ruleDuringClose = cxPopupCallWndProcRule(Sent(form->Handle(), CM_DEACTIVATE));
    // Through the real hook: the notice never reaches the form.
    SendMessageW(form->Handle(), CM_ACTIVATE, 0, 0);
  };
  popup->ClosePopup();
  EXPECT_TRUE(ruleDuringClose);
  EXPECT_EQ(activations, 0);
  // Outside a close the same notice arrives, and the lock did not outlive its one message.
  EXPECT_FALSE(cxPopupCallWndProcRule(Sent(form->Handle(), CM_ACTIVATE)));
  SendMessageW(form->Handle(), CM_ACTIVATE, 0, 0);
  EXPECT_EQ(activations, 1);
}

TEST_F(Popups, LockSwallowsOneMessageAndKeepsOtherHooksWhole) {
  std::vector<UINT> seen;
  TWindowProcHook first = [&](TMessage& m, TWindowProcChain& next) {
    if (m.Msg == WM_USER + 1) seen.push_back(1);
    next(m);
  };
  TWindowProcHook second = [&](TMessage& m, TWindowProcChain& next) {
    if (m.Msg == WM_USER + 1) seen.push_back(2);
    next(m);
  };
  other->InstallWindowProcHook(first);
  LockMessage(other->Handle());
  other->InstallWindowProcHook(second);
  EXPECT_EQ(SendMessageW(other->Handle(), WM_USER + 1, 0, 0), 1);
  EXPECT_EQ(seen, (std::vector<UINT>{2}));  // the lock sat between the two
  // The first hook is removed before the second: the chain stays whole.
  other->RemoveWindowProcHook(first);
  seen.clear();
  SendMessageW(other->Handle(), WM_USER + 1, 0, 0);
  EXPECT_EQ(seen, (std::vector<UINT>{2}));
  other->RemoveWindowProcHook(second);

  // A window outside the framework: a one-shot subclass that puts the old procedure back.
  HWND edit = CreateWindowExW(0, L"EDIT", L"abc", WS_CHILD, 0, 0, 50, 20, form->Handle(), nullptr, nullptr, nullptr);
  const LONG_PTR proc = GetWindowLongPtrW(edit, GWLP_WNDPROC);
  LockMessage(edit);
  EXPECT_EQ(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0), 1);
  EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), proc);
  EXPECT_EQ(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0), 3);
  DestroyWindow(edit);
}

TEST_F(Popups, GetMessageRuleDropsSystemKeysThePopupRefuses) {
  Open(popup);
  MSG alt{popup->Handle(), WM_SYSKEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(cxPopupGetMessageRule(alt));
  EXPECT_EQ(alt.message, static_cast<UINT>(WM_NULL));
  MSG f4{popup->Handle(), WM_SYSKEYDOWN, VK_F4, 0, 0, {}};
  EXPECT_FALSE(cxPopupGetMessageRule(f4));
  MSG arrow{popup->Handle(), WM_SYSKEYDOWN, VK_DOWN, 0, 0, {}};
  EXPECT_FALSE(cxPopupGetMessageRule(arrow));
  EXPECT_EQ(arrow.message, static_cast<UINT>(WM_SYSKEYDOWN));
}

TEST_F(Popups, ARealClickOutsideClosesTheOpenPopup) {
  Open(popup);
  const TPoint target = ScreenCentre(other);
  InjectClick(target);
  testing_support::PumpUntil([&] { return !IsPopupOpen(popup); }, 2000);
  EXPECT_FALSE(IsPopupOpen(popup));
  EXPECT_EQ(other->presses, 1);
}

TEST_F(Popups, ARaisingHandlerInsideTheMouseHookIsReportedAndTheProcessGoesOn) {
  Open(popup);
  popup->raiseInHook = true;
  static int reported;
  reported = 0;
  const ExceptionSink saved = SetExceptionSink([](const std::exception_ptr&) { ++reported; });
  MOUSEHOOKSTRUCT info{};
  info.hwnd = other->Handle();
  info.pt = ScreenCentre(other);
  EXPECT_EQ(cxPopupMouseHook(HC_ACTION, WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(&info)), 0);
  SetExceptionSink(saved);
  EXPECT_EQ(reported, 1);
  popup->raiseInHook = false;
}

TEST_F(Popups, MdiRuleClosesOnPressesInTheFrame) {
  auto* frame = new TForm(nullptr, 0);
  frame->SetFormStyle(fsMDIForm);
  frame->SetBounds(60, 60, 600, 420);
  frame->Show();
  auto makeChild = [&](int left) {
    auto* child = new TForm(frame, 0);
    child->SetFormStyle(fsMDIChild);
    child->SetBounds(left, 10, 240, 200);
    child->Show();
    return child;
  };
  TForm* first = makeChild(10);
  TForm* second = makeChild(300);
  auto* button = new TOwnerButton(first);
  button->SetBounds(10, 10, 80, 24);
  button->SetParent(first);
  ProcessMessages();
  auto* mdiPopup = new TTestPopup(button);
  mdiPopup->ChangeFocusCapturing(false);
  mdiPopup->handles = false;
  Open(mdiPopup);
  // A press in the other child closes the popup, and the press arrives.
  EXPECT_TRUE(cxPopupMouseRule(second->Handle(), WM_LBUTTONDOWN, ScreenCentre(second)));
  EXPECT_FALSE(IsPopupOpen(mdiPopup));
  // A press on the client window does too.
  Open(mdiPopup);
  EXPECT_TRUE(cxPopupMouseRule(frame->ClientHandle(), WM_LBUTTONDOWN, {0, 0}));
  EXPECT_FALSE(IsPopupOpen(mdiPopup));
  mdiPopup->Free();
  frame->Free();
}

TEST_F(Popups, FocusCapturingLoopEndsOnModalResultAndWhenFreed) {
  auto* capturing = new TTestPopup(owner);
  auto* edit = new TTestEdit(capturing);
  edit->SetBounds(5, 5, 100, 20);
  edit->SetParent(capturing);
  edit->SetTabStop(true);
  int closed = 0;
  capturing->OnClosed = [&](TObject*) { ++closed; };
  bool focusedInLoop = false;
  TModalScript saved = SetModalDriver([&](const TModalLoop& loop) {
    EXPECT_EQ(loop.Kind, L"popup");
    focusedInLoop = GetFocus() == edit->Handle() && IsPopupOpen(capturing);
    capturing->ModalResult = mrOk;
  });
  capturing->ShowPopup(edit);  // returns when the loop ends
  EXPECT_TRUE(focusedInLoop);
  EXPECT_FALSE(IsPopupOpen(capturing));
  EXPECT_EQ(closed, 1);

  // Freed from inside its own loop.
  SetModalDriver([&](const TModalLoop&) { capturing->Release(); });
  capturing->ShowPopup(nullptr);
  SetModalDriver(saved);
  ProcessMessages();
  EXPECT_TRUE(OpenPopups().empty());
}

TEST_F(Popups, PrivateMessagesCloseAndShowAgain) {
  Open(popup);
  SendMessageW(popup->Handle(), CXM_CLOSEPOPUP, 0, 0);
  EXPECT_FALSE(IsPopupOpen(popup));
  SendMessageW(popup->Handle(), CXM_SHOWPOPUP, 0, 0);
  EXPECT_TRUE(IsPopupOpen(popup));
}

TEST_F(Popups, ClosingTheFocusCapturingPopupWindowClosesTheOwnersTopLevelWindow) {
  auto* capturing = new TTestPopup(owner);
  capturing->RunsOwnLoop = false;
  capturing->ShowPopup(nullptr);
  ProcessMessages();
  ASSERT_TRUE(IsPopupOpen(capturing));
  bool formClosed = false;
  form->OnCloseQuery = [&](TObject*, bool& canClose) {
    formClosed = true;
    canClose = false;
  };
  SendMessageW(capturing->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsPopupOpen(capturing));
  EXPECT_TRUE(formClosed);
  capturing->Free();
}
