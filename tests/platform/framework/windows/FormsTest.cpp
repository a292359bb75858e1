// Forms and the application: modal loops through the driver, live border changes, termination
// inside ProcessMessages, and the exception box.

#include <gtest/gtest.h>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/classes/Thread.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

// Replaces the modal driver for one test and restores the failing default afterwards.
class ScriptedModal {
 public:
  explicit ScriptedModal(TModalScript script) : saved_(SetModalDriver(std::move(script))) {}
  ~ScriptedModal() { SetModalDriver(saved_); }

 private:
  TModalScript saved_;
};

struct Box {
  String Text, Caption;
  UINT Flags;
};

class RecordedBoxes {
 public:
  RecordedBoxes()
      : saved_(SetMessageBoxAnswerer([this](HWND, const String& text, const String& caption, UINT flags) {
          boxes.push_back({text, caption, flags});
          return IDOK;
        })) {}
  ~RecordedBoxes() { SetMessageBoxAnswerer(saved_); }
  std::vector<Box> boxes;

 private:
  TMessageBoxAnswerer saved_;
};

class Modal : public FormFixture {};

}  // namespace

TEST_F(Modal, ScriptedOkEndsTheLoopAndReEnablesTheOwner) {
  ShowForm();
  auto* dialog = new TForm(nullptr, 0);
  bool ownerDisabledMeanwhile = false, shownMeanwhile = false;
  ScriptedModal script([&](const TModalLoop& loop) {
    EXPECT_EQ(loop.Window, dialog->Handle());
    shownMeanwhile = IsWindowVisible(dialog->Handle()) != FALSE;
    ownerDisabledMeanwhile = !IsWindowEnabled(form->Handle());
    dialog->ModalResult = mrOk;
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_TRUE(shownMeanwhile);
  EXPECT_TRUE(ownerDisabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
  EXPECT_FALSE(dialog->FormState().Contains(fsModal));
  dialog->Free();
}

TEST_F(Modal, CloseBoxGivesCancel) {
  auto* dialog = new TForm(nullptr, 0);
  ScriptedModal script([&](const TModalLoop& loop) { PostMessageW(loop.Window, WM_CLOSE, 0, 0); });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  dialog->Free();
}

TEST_F(Modal, RefusedCloseQueryKeepsTheLoopRunning) {
  auto* dialog = new TForm(nullptr, 0);
  int queries = 0;
  dialog->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries > 1; };
  ScriptedModal script([&](const TModalLoop& loop) {
    dialog->ModalResult = mrOk;
    PostMessageW(loop.Window, WM_APP, 0, 0);
  });
  dialog->InstallWindowProcHook([&](TMessage& Message, TWindowProcChain& Next) {
    if (Message.Msg == WM_APP) dialog->ModalResult = mrYes;
    Next(Message);
  });
  EXPECT_EQ(dialog->ShowModal(), mrYes);
  EXPECT_EQ(queries, 2);
  dialog->Free();
}

TEST_F(Modal, PresetModalResultReturnsAtOnceUnshown) {
  auto* dialog = new TForm(nullptr, 0);
  bool shown = false;
  dialog->OnShow = [&](TObject*) { shown = true; };
  dialog->OnCreate = [&](TObject*) { dialog->ModalResult = mrCancel; };
  dialog->DoCreate();
  EXPECT_EQ(dialog->ShowModal(), mrCancel);  // the failing default driver would report a loop
  EXPECT_FALSE(shown);
  EXPECT_FALSE(dialog->HandleAllocated() && IsWindowVisible(dialog->Handle()));
  dialog->Free();
}

TEST(ApplicationLoop, TerminateInsideProcessMessagesEndsWithoutReposting) {
  const ExceptionSink sink = SetExceptionSink(nullptr);
  const TWakeMainThread wake = SetWakeMainThread(nullptr);
  {
    TApplication app(nullptr);
    SetExceptionSink(sink);
    HWND window = AllocateHWnd([&](TMessage& Message) {
      if (Message.Msg == WM_APP) app.Terminate();
      else DefaultWindowMessage(nullptr, Message);
    });
    PostMessageW(window, WM_APP, 0, 0);
    EXPECT_FALSE(app.Terminated());
    app.ProcessMessages();
    EXPECT_TRUE(app.Terminated());
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    DeallocateHWnd(window);
  }
  SetWakeMainThread(wake);
  SetExceptionSink(sink);
}

TEST(ApplicationExceptions, BoxShowsTheMessageUnchangedUnderTheTitle) {
  struct Case {
    std::function<void()> Throw;
    std::vector<String> Texts;
  } cases[] = {
      {[] { throw EConvertError(L"'x' is not a valid integer value"); }, {L"'x' is not a valid integer value"}},
      {[] { throw EInvalidOperation(L""); }, {L"EInvalidOperation"}},
      {[] { throw EAbort(L"quiet"); }, {}},
  };
  for (const Case& c : cases) {
    RecordedBoxes recorded;
    try {
      c.Throw();
    } catch (...) {
      Application->HandleException(nullptr);
    }
    std::vector<String> texts;
    for (const Box& box : recorded.boxes) {
      texts.push_back(box.Text);
      EXPECT_EQ(box.Caption, Application->Title());
      EXPECT_EQ(box.Flags & MB_ICONMASK, UINT(MB_ICONERROR));
    }
    EXPECT_EQ(texts, c.Texts);
  }
}

class BorderStyles : public FormFixture {};

TEST_F(BorderStyles, LiveChangeRestylesInPlaceKeepingChildren) {
  auto* child = Place<TTestEdit>(10, 10, 100, 22);
  ShowForm();
  HWND window = form->Handle();
  HWND childWindow = child->Handle();
  struct Case {
    TFormBorderStyle Style;
    DWORD Present, Absent, ExPresent;
  } cases[] = {
      {bsNone, 0, WS_CAPTION | WS_THICKFRAME, 0},
      {bsSingle, WS_CAPTION, WS_THICKFRAME, 0},
      {bsSizeable, WS_CAPTION | WS_THICKFRAME, 0, 0},
      {bsDialog, WS_CAPTION, WS_THICKFRAME, WS_EX_DLGMODALFRAME},
      {bsToolWindow, WS_CAPTION, WS_THICKFRAME, WS_EX_TOOLWINDOW},
      {bsSizeToolWin, WS_CAPTION | WS_THICKFRAME, 0, WS_EX_TOOLWINDOW},
  };
  for (const Case& c : cases) {
    form->SetBorderStyle(c.Style);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    EXPECT_EQ(style & c.Present, c.Present) << c.Style;
    EXPECT_EQ(style & c.Absent, 0u) << c.Style;
    EXPECT_EQ(exStyle & c.ExPresent, c.ExPresent) << c.Style;
    EXPECT_TRUE(style & WS_VISIBLE) << c.Style;
    EXPECT_EQ(form->Handle(), window);
    EXPECT_EQ(child->Handle(), childWindow);
    EXPECT_TRUE(IsChild(window, childWindow));
  }
  // A form of no size switches between a frame and none as well.
  form->SetBounds(form->Left(), form->Top(), 0, 0);
  form->SetBorderStyle(bsSingle);
  form->SetBorderStyle(bsNone);
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_EQ(form->Handle(), window);
}

TEST(FormOwners, SecondaryFormsAreOwnedByTheirOwnerFormAndTheMainFormIsNot) {
  auto* ownerForm = new TForm(nullptr, 0);
  auto* owned = new TForm(ownerForm, 0);
  auto* loose = new TForm(nullptr, 0);
  EXPECT_EQ(GetWindow(owned->Handle(), GW_OWNER), ownerForm->Handle());
  // Without a main form, windows belong to the application window.
  EXPECT_EQ(GetWindow(loose->Handle(), GW_OWNER), Application->Handle());
  loose->Free();
  ownerForm->Free();
}

TEST(FormPosition, OwnerCentredDialogTruncatesTheHalfDifferenceTowardZero) {
  // The owner is 400 x 300 at (200, 150); odd differences show the rounding on both sides of zero.
  struct Case {
    int width, height, left, top;
  } const cases[] = {
      {201, 101, 299, 249},  // smaller: 200 + 199 / 2, 150 + 199 / 2
      {501, 401, 150, 100},  // larger: 200 + (-101) / 2, 150 + (-101) / 2, not 149 / 99
      {400, 300, 200, 150},
  };
  for (const Case& c : cases) {
    auto* ownerForm = new TForm(nullptr, 0);
    ownerForm->SetBounds(200, 150, 400, 300);
    ownerForm->Show();
    auto* dialog = new TForm(ownerForm, 0);
    dialog->SetPosition(poOwnerFormCenter);
    dialog->SetBounds(0, 0, c.width, c.height);
    dialog->Show();
    RECT placed{};
    GetWindowRect(dialog->Handle(), &placed);
    EXPECT_EQ(placed.left, c.left) << c.width << " x " << c.height;
    EXPECT_EQ(placed.top, c.top) << c.width << " x " << c.height;
    EXPECT_EQ(placed.right - placed.left, c.width);
    ownerForm->Free();
  }
}

namespace {

// A component of the form that watches the form's window go.
class TDestroyWatcher : public TComponent {
  DECLARE_CLASS(TDestroyWatcher, TComponent)
 public:
  TDestroyWatcher(TCustomForm* form, std::vector<String>* trace) : TComponent(form), trace_(trace) {
    form->InstallWindowProcHook({this, &TDestroyWatcher::Hook});
  }
  ~TDestroyWatcher() override { trace_->push_back(L"component freed"); }

 private:
  void Hook(TMessage& Message, TWindowProcChain& Next) {
    if (Message.Msg == WM_DESTROY) {
      trace_->push_back(ComponentState().Contains(csDestroying) ? L"WM_DESTROY, component destroying"
                                                                 : L"WM_DESTROY, component not marked");
    }
    Next(Message);
  }
  std::vector<String>* trace_;
};
DEFINE_CLASS(TDestroyWatcher)

}  // namespace

TEST(FormDestruction, WindowGoesThroughTheHooksWhileComponentsLiveThenTheyAreFreed) {
  std::vector<String> trace;
  auto* form = new TForm(nullptr, 0);
  form->OnDestroy = [&](TObject*) { trace.push_back(L"OnDestroy"); };
  new TDestroyWatcher(form, &trace);
  form->HandleNeeded();
  form->Free();
  EXPECT_EQ(trace, (std::vector<String>{L"OnDestroy", L"WM_DESTROY, component destroying", L"component freed"}));
}

TEST(FormDestruction, ReleaseFreesTheFormOnceItsMessagesAreDone) {
  auto* form = new TForm(nullptr, 0);
  bool destroyed = false;
  form->OnDestroy = [&](TObject*) { destroyed = true; };
  form->HandleNeeded();
  form->OnClick = [&](TObject*) {
    form->Release();
    EXPECT_FALSE(destroyed);
  };
  form->Click();
  ProcessMessages();
  EXPECT_TRUE(destroyed);
}

TEST(ScreenCursors, StandardIdsAndRegisteredOnesResolve) {
  EXPECT_NE(Screen->Cursors(crDrag), nullptr);
  EXPECT_NE(Screen->Cursors(crNoDrop), nullptr);
  EXPECT_NE(Screen->Cursors(crDrag), Screen->Cursors(crDefault));
  EXPECT_EQ(Screen->Cursors(crHandPoint), LoadCursorW(nullptr, IDC_HAND));
  EXPECT_EQ(Screen->Cursors(crSizeWE), LoadCursorW(nullptr, IDC_SIZEWE));
  HCURSOR own = LoadCursorW(nullptr, IDC_CROSS);
  Screen->SetCursors(2100, own);
  EXPECT_EQ(Screen->Cursors(2100), own);
}

namespace {

// A dialog builds its controls against the client size it sets before its window exists; the window
// made later must have exactly that client area, whatever frame its border style gives it.
TEST(FormClientSize, ASizeSetBeforeTheWindowExistsHoldsOnceShown) {
  const TFormBorderStyle styles[] = {bsSingle, bsSizeable, bsDialog, bsToolWindow, bsNone};
  for (TFormBorderStyle style : styles) {
    SCOPED_TRACE(static_cast<int>(style));
    auto* form = new TForm(nullptr, 0);
    form->SetBorderStyle(style);
    form->SetClientSize(331, 115);
    EXPECT_EQ(form->ClientWidth(), 331);
    EXPECT_EQ(form->ClientHeight(), 115);
    form->Show();
    ProcessMessages();
    RECT client{};
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 331);
    EXPECT_EQ(client.bottom, 115);
    EXPECT_EQ(form->ClientWidth(), 331);
    form->Free();
  }
}

}  // namespace
