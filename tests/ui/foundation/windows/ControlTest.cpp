// The custom-control base in real windows: press handling, keys and menus, its own scroll bars laid
// out for a content size, wheel and middle-button scrolling, and its drag-and-drop engine.

#include <gtest/gtest.h>

#include <utility>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/foundation/Control.h"

using namespace window_testing;

namespace {

struct Scrolled {
  TScrollBarKind kind;
  TScrollCode code;
};

// A control whose content has a given size; it scrolls by recording.
class TContentControl : public TcxControl {
 public:
  using TcxControl::TcxControl;
  TSize content{0, 0};
  bool hideable = false;
  std::vector<Scrolled> scrolled;
  std::function<void()> onScroll;
  int parentBackgroundChanges = 0;

  void SetContent(int width, int height) {
    content = {width, height};
    RecalcScrollBars();
  }

 protected:
  void InitScrollBarsParameters() override {
    TRect r;
    ContentBounds(r);
    SetScrollBarInfo(sbHorizontal, 0, content.cx - 1, 1, r.Width(), 0, true, true);
    SetScrollBarInfo(sbVertical, 0, content.cy - 1, 1, r.Height(), 0, true, true);
  }
  bool CanHideScrollBar(TScrollBarKind) override { return hideable; }
  void ScrollContent(TScrollBarKind Kind, TScrollCode Code, int&) override {
    scrolled.push_back({Kind, Code});
    if (onScroll) onScroll();
  }
  void ParentBackgroundChanged() override { ++parentBackgroundChanges; }
};

// A layout that shows the horizontal bar exactly while it is hidden.
class TFlipControl : public TcxControl {
 public:
  using TcxControl::TcxControl;

 protected:
  void InitScrollBarsParameters() override {
    const bool show = !HScrollBar()->Visible();
    SetScrollBarInfo(sbHorizontal, 0, show ? 999 : 9, 1, 100, 0, true, true);
    SetScrollBarInfo(sbVertical, 0, 9, 1, 100, 0, true, true);
  }
};

class TRecordingMenu : public TComponent, public IcxPopupMenu {
 public:
  using TComponent::TComponent;
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
  bool IsShortCutKey(TMessage& Message) override { return Message.WParam == VK_F9; }
  void Popup(int X, int Y) override { shownAt.push_back({X, Y}); }
  std::vector<TPoint> shownAt;
};

// Lets the control's own loops run unscripted for one test.
class AllowedLoops {
 public:
  AllowedLoops() : saved_(SetModalDriver([](const TModalLoop&) {})) {}
  ~AllowedLoops() { SetModalDriver(saved_); }

 private:
  TModalScript saved_;
};

// Puts the cursor on a screen point and lets the move it makes arrive before the test goes on.
void PlaceCursor(const TPoint& p) {
  SetCursorPos(p.x, p.y);
  ProcessMessages();
}

class Controls : public FormFixture {
 protected:
  void SetUp() override {
    InitializeUnits();
    FormFixture::SetUp();
    control = Place<TContentControl>(10, 10, 200, 100);
    ShowForm();
  }
  TContentControl* control = nullptr;
};

int Thickness() { return GetSystemMetrics(SM_CXVSCROLL); }

}  // namespace

// ---- presses, keys and menus ---------------------------------------------------------------------

TEST_F(Controls, AutomaticDragModeStillFiresMouseDownAndAReleaseStartsNoDrag) {
  control->SetDragMode(dmAutomatic);
  AllowedLoops loops;
  PlaceCursor(control->ClientToScreen({20, 20}));
  int downs = 0, ups = 0;
  control->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  control->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
  PostMessageW(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  SendMouse(control->Handle(), WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(CurrentDragObject(), nullptr);
  EXPECT_NE(GetCapture(), control->Handle());
}

TEST_F(Controls, DragDetectLoopAnswersReleaseMoveAndEscape) {
  AllowedLoops loops;
  PlaceCursor(control->ClientToScreen({50, 50}));
  PostMessageW(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
  EXPECT_EQ(TcxControl::DragDetectLoop(control->Handle()), 0);
  // A move within the square goes on; one out of it ends the loop.
  const int t = Mouse->DragThreshold;
  PostMessageW(control->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50 + t - 1, 50));
  PostMessageW(control->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50 + t, 50));
  EXPECT_EQ(TcxControl::DragDetectLoop(control->Handle()), 1);
  PostMessageW(control->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(TcxControl::DragDetectLoop(control->Handle()), 2);
  EXPECT_NE(GetCapture(), control->Handle());
}

TEST_F(Controls, AClickTheControlCannotTakeTheFocusForIsDropped) {
  auto* edit = Place<TTestEdit>(250, 10, 100, 20);
  edit->SetFocus();
  ProcessMessages();
  // Focusing the control sends the focus on at once: it never holds it.
  control->OnEnter = [&](TObject*) { edit->SetFocus(); };
  int downs = 0;
  control->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  SendMouse(control->Handle(), WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  EXPECT_EQ(downs, 0);
  EXPECT_NE(GetCapture(), control->Handle());
  EXPECT_FALSE(control->MouseButtonPressed());
}

TEST_F(Controls, DialogCodesFollowTheWantedKeysAndTheCtrlKey) {
  struct Case {
    TcxWantedKeys keys;
    bool ctrl;
    LRESULT code;
  } cases[] = {
      {{}, false, 0},
      {{wkArrows}, false, DLGC_WANTARROWS},
      {{wkAllKeys, wkChars}, false, DLGC_WANTALLKEYS | DLGC_WANTCHARS},
      {{wkTab, wkArrows}, false, DLGC_WANTTAB | DLGC_WANTARROWS},
      {{wkTab, wkArrows}, true, DLGC_WANTARROWS},
  };
  for (const Case& c : cases) {
    control->AssignWantedKeys(c.keys);
    if (c.ctrl) {
      HeldKeys held({VK_CONTROL});
      EXPECT_EQ(SendMessageW(control->Handle(), WM_GETDLGCODE, 0, 0), c.code);
    } else {
      EXPECT_EQ(SendMessageW(control->Handle(), WM_GETDLGCODE, 0, 0), c.code);
    }
  }
}

TEST_F(Controls, PopupMenusOfTheBarKindAndUnsupportedComponents) {
  auto* menu = new TRecordingMenu(form);
  control->SetPopupMenuComponent(menu);
  EXPECT_EQ(control->PopupMenuComponent(), menu);
  // The keyboard's request shows the menu at the client origin.
  SendMessageW(control->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control->Handle()), MAKELPARAM(-1, -1));
  ASSERT_EQ(menu->shownAt.size(), 1u);
  EXPECT_EQ(menu->shownAt[0], control->ClientToScreen({0, 0}));
  // A request from outside the client area goes elsewhere.
  SendMessageW(control->Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(menu->shownAt.size(), 1u);
  // The menu's shortcut is consumed before the control sees the key.
  EXPECT_EQ(SendMessageW(control->Handle(), CN_KEYDOWN, VK_F9, 0), 1);
  // A freed menu leaves the property empty.
  menu->Free();
  EXPECT_EQ(control->PopupMenuComponent(), nullptr);
  // A component that is no popup menu is stored as none.
  auto* plain = new TComponent(form);
  control->SetPopupMenuComponent(plain);
  EXPECT_EQ(control->PopupMenuComponent(), nullptr);
}

TEST_F(Controls, AMouseHandlerThatFreesTheControlEndsTheMessageQuietly) {
  // The handler lives in the control it frees: everything it captured is read before the Free.
  control->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
    std::exchange(control, nullptr)->Free();
  };
  HWND window = control->Handle();
  SendMouse(window, WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  EXPECT_EQ(control, nullptr);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(Controls, ParentBackgroundChangeIsReportedOnceAtTheNextPaint) {
  control->SetParentBackground(false);
  RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(control->parentBackgroundChanges, 1);
}

TEST_F(Controls, FocusAndMouseEnterEvents) {
  auto* edit = Place<TTestEdit>(250, 10, 100, 20);
  edit->SetFocus();
  ProcessMessages();
  std::vector<String> events;
  control->OnFocusChanged = [&](TObject*) { events.push_back(control->Focused() ? L"focus" : L"blur"); };
  control->OnMouseEnter = [&](TObject* sender) { events.push_back(sender == control ? L"enter" : L"?"); };
  control->SetFocus();
  control->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(events, (std::vector<String>{L"focus", L"enter"}));
  // The form's teardown takes the focus away from the control: the handlers must not outlive events.
  control->OnFocusChanged = nullptr;
  control->OnMouseEnter = nullptr;
}

// ---- scroll bars ---------------------------------------------------------------------------------

TEST_F(Controls, ScrollBarsShowForTheContentThatDoesNotFit) {
  const int t = Thickness();
  struct Case {
    const char* name;
    TSize content;
    TScrollStyle style;
    bool h, v, grip;
  } cases[] = {
      {"fits", {150, 80}, ssBoth, false, false, false},
      {"too wide", {300, 80}, ssBoth, true, false, false},
      {"too high", {150, 150}, ssBoth, false, true, false},
      {"both", {300, 150}, ssBoth, true, true, true},
      {"wide and the bar makes it high", {300, 100 - t / 2}, ssBoth, true, true, true},
      {"vertical only", {300, 150}, ssVertical, false, true, false},
      {"horizontal only", {300, 150}, ssHorizontal, true, false, false},
      {"none", {300, 150}, ssNone, false, false, false},
  };
  for (const Case& c : cases) {
    control->SetScrollBars(c.style);
    control->SetContent(c.content.cx, c.content.cy);
    EXPECT_EQ(control->HScrollBar()->Visible(), c.h) << c.name;
    EXPECT_EQ(control->VScrollBar()->Visible(), c.v) << c.name;
    EXPECT_EQ(control->SizeGrip()->Visible(), c.grip) << c.name;
    if (c.h) {
      EXPECT_TRUE(control->HScrollBar()->Enabled()) << c.name;
      EXPECT_EQ(control->HScrollBar()->BoundsRect(), TRect(0, 100 - t, c.v ? 200 - t : 200, 100)) << c.name;
    }
    if (c.grip) {
      EXPECT_EQ(control->SizeGrip()->BoundsRect(), TRect(200 - t, 100 - t, 200, 100)) << c.name;
    }
  }
}

TEST_F(Controls, ABarThatIsNotAllowedToHideShowsDisabled) {
  struct TStubborn : TContentControl {
    using TContentControl::TContentControl;
    void InitScrollBarsParameters() override {
      SetScrollBarInfo(sbHorizontal, 0, 9, 1, 100, 0, true, false);
      SetScrollBarInfo(sbVertical, 0, 9, 1, 100, 0, true, true);
    }
  };
  auto* stubborn = Place<TStubborn>(10, 120, 200, 100);
  stubborn->RecalcScrollBars();
  EXPECT_TRUE(stubborn->HScrollBar()->Visible());
  EXPECT_FALSE(stubborn->HScrollBar()->Enabled());
  EXPECT_FALSE(stubborn->VScrollBar()->Visible());
}

TEST_F(Controls, ALayoutThatFlipsABarEndsWithTheBarShownDisabled) {
  auto* flip = Place<TFlipControl>(10, 120, 200, 100);
  flip->RecalcScrollBars();
  EXPECT_TRUE(flip->HScrollBar()->Visible());
  EXPECT_FALSE(flip->HScrollBar()->Enabled());
  EXPECT_FALSE(flip->VScrollBar()->Visible());
}

TEST_F(Controls, SettingsMessageResizesTheBarsToTheSystemMetrics) {
  control->SetContent(300, 150);
  control->HScrollBar()->SetHeight(5);
  control->VScrollBar()->SetWidth(5);
  SendMessageW(control->Handle(), CXM_SETTINGSCHANGED, 0, 0);
  EXPECT_EQ(control->HScrollBar()->Height(), GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(control->VScrollBar()->Width(), GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(control->HScrollBar()->Top(), 100 - GetSystemMetrics(SM_CYHSCROLL));
}

// ---- wheel and middle button ---------------------------------------------------------------------

namespace {

UINT g_wheelLines = 3;
BOOL WINAPI PinnedWheelLines(UINT action, UINT param, PVOID value, UINT flags) {
  if (action == SPI_GETWHEELSCROLLLINES) {
    *static_cast<UINT*>(value) = g_wheelLines;
    return TRUE;
  }
  return ::SystemParametersInfoW(action, param, value, flags);
}

// Finds the visible "STATIC" window owned by pair.first into pair.second.
BOOL CALLBACK FindAnchorWindow(HWND w, LPARAM data) {
  auto* found = reinterpret_cast<std::pair<HWND, HWND>*>(data);
  wchar_t name[16] = {};
  GetClassNameW(w, name, 16);
  if (GetWindow(w, GW_OWNER) == found->first && IsWindowVisible(w) && _wcsicmp(name, L"STATIC") == 0) found->second = w;
  return TRUE;
}

}  // namespace

TEST_F(Controls, WheelScrollsWholeNotchesAndKeepsTheRemainder) {
  Bound().SystemParametersInfoW = &PinnedWheelLines;
  control->SetContent(150, 500);
  struct Step {
    int delta;
    std::size_t lines;
    TScrollCode code;
  } steps[] = {{120, 3, scLineUp}, {40, 0, scLineUp}, {40, 0, scLineUp}, {40, 3, scLineUp}, {-120, 3, scLineDown}};
  for (const Step& s : steps) {
    control->scrolled.clear();
    EXPECT_TRUE(control->DoMouseWheel({}, s.delta, {0, 0}));
    ASSERT_EQ(control->scrolled.size(), s.lines) << s.delta;
    for (const Scrolled& x : control->scrolled) {
      EXPECT_EQ(x.kind, sbVertical);
      EXPECT_EQ(x.code, s.code);
    }
  }
  // Only a horizontal bar: the base leaves the wheel alone.
  control->SetContent(300, 50);
  EXPECT_FALSE(control->DoMouseWheel({}, 120, {0, 0}));
  ResetBoundFunctions();
}

TEST_F(Controls, MiddleButtonAnchorScrollsTowardsThePointerUntilReleased) {
  control->SetContent(300, 500);
  PlaceCursor(control->ClientToScreen({100, 50}));
  control->onScroll = [&] {
    if (control->scrolled.size() == 3) PostMessageW(control->Handle(), WM_MBUTTONUP, 0, MAKELPARAM(100, 150));
  };
  bool scrollingInLoop = false;
  RECT anchor{};
  TModalScript saved = SetModalDriver([&](const TModalLoop& loop) {
    EXPECT_EQ(loop.Kind, L"scroll anchor");
    scrollingInLoop = control->IsScrollingContent();
    // The anchor: a "STATIC" popup (owned by the control's top-level window), 29 x 29, centred on the
    // pointer.
    std::pair<HWND, HWND> search{form->Handle(), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindAnchorWindow, reinterpret_cast<LPARAM>(&search));
    if (search.second) GetWindowRect(search.second, &anchor);
    // 100 pixels below the anchor: full speed, every 20 ms tick scrolls down. The pointer goes there
    // too, so the move the system makes when the anchor window appears under it agrees.
    const TPoint below = control->ClientToScreen({100, 150});
    SetCursorPos(below.x, below.y);
    PostMessageW(control->Handle(), WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(100, 150));
  });
  SendMouse(control->Handle(), WM_MBUTTONDOWN, 100, 50, MK_MBUTTON);
  SetModalDriver(saved);
  EXPECT_TRUE(scrollingInLoop);
  const TPoint centre = control->ClientToScreen({100, 50});
  EXPECT_EQ(TRect(anchor), TRect(centre.x - 14, centre.y - 14, centre.x + 15, centre.y + 15));
  EXPECT_FALSE(control->IsScrollingContent());
  EXPECT_NE(GetCapture(), control->Handle());
  ASSERT_EQ(control->scrolled.size(), 3u);
  for (const Scrolled& x : control->scrolled) {
    EXPECT_EQ(x.kind, sbVertical);
    EXPECT_EQ(x.code, scLineDown);
  }
}

TEST_F(Controls, MiddleButtonReleasedInPlaceKeepsTheModeUntilEscape) {
  control->SetContent(300, 500);
  PlaceCursor(control->ClientToScreen({100, 50}));
  bool stillScrolling = false;
  TModalScript saved = SetModalDriver([&](const TModalLoop&) {
    PostMessageW(control->Handle(), WM_MBUTTONUP, 0, MAKELPARAM(100, 50));
    PostMessageW(control->Handle(), WM_USER + 7, 0, 0);
    PostMessageW(control->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  control->InstallWindowProcHook([&](TMessage& m, TWindowProcChain& next) {
    if (m.Msg == WM_USER + 7) stillScrolling = control->IsScrollingContent();
    next(m);
  });
  SendMouse(control->Handle(), WM_MBUTTONDOWN, 100, 50, MK_MBUTTON);
  SetModalDriver(saved);
  EXPECT_TRUE(stillScrolling);
  EXPECT_FALSE(control->IsScrollingContent());
  EXPECT_TRUE(control->scrolled.empty());
}

TEST(AnchorArt, ThreePicturesShowTheDirectionsTheyScroll) {
  struct Case {
    const wchar_t* name;
    bool horizontal, vertical;
  } cases[] = {{L"CX_VERSCROLLBITMAP", false, true},
               {L"CX_HORSCROLLBITMAP", true, false},
               {L"CX_FULLSCROLLBITMAP", true, true}};
  for (const Case& c : cases) {
    HBITMAP picture = LoadBitmapW(GetModuleHandleW(nullptr), c.name);
    ASSERT_NE(picture, nullptr);
    BITMAP info{};
    GetObjectW(picture, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 29);
    EXPECT_EQ(info.bmHeight, 29);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    const COLORREF mark = RGB(64, 64, 64);
    EXPECT_EQ(GetPixel(dc, 14, 14), mark);
    EXPECT_EQ(GetPixel(dc, 14, 4) == mark, c.vertical);
    EXPECT_EQ(GetPixel(dc, 4, 14) == mark, c.horizontal);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(picture);
  }
}

// ---- drag and drop -------------------------------------------------------------------------------

namespace {

std::vector<String>* g_calls = nullptr;

class TRecordingDragObject : public TcxDragAndDropObject {
 public:
  using TcxDragAndDropObject::TcxDragAndDropObject;
  void BeginDragAndDrop() override {
    g_calls->push_back(L"begin");
    TcxDragAndDropObject::BeginDragAndDrop();
  }
  void DragAndDrop(const TPoint& P, bool& Accepted) override {
    g_calls->push_back(L"move");
    TcxDragAndDropObject::DragAndDrop(P, Accepted);
  }
  void EndDragAndDrop(bool Accepted) override { g_calls->push_back(Accepted ? L"end accepted" : L"end refused"); }
  ~TRecordingDragObject() override { g_calls->push_back(L"freed"); }
};

class TDragControl : public TContentControl {
 public:
  using TContentControl::TContentControl;
  bool CanStartDragAndDrop(const TPoint&) override { return true; }
};

}  // namespace

TEST_F(Controls, OwnDragAndDropStateMachine) {
  auto* drag = Place<TDragControl>(10, 120, 200, 100);
  drag->DragAndDropObjectClassValue = &cxDragAndDropObjectOf<TRecordingDragObject>;
  ProcessMessages();
  const int t = Mouse->DragThreshold;
  struct Case {
    const char* name;
    int moveBy;     // pixels moved after the press
    UINT ending;    // the message that ends it
    TcxDragAndDropState before;
    std::vector<String> calls;
  } cases[] = {
      {"released within the threshold", t - 1, WM_LBUTTONUP, ddStarting, {L"freed"}},
      {"released after leaving it", t, WM_LBUTTONUP, ddDragging, {L"begin", L"move", L"end accepted", L"freed"}},
      {"escape", t + 5, WM_KEYDOWN, ddDragging, {L"begin", L"move", L"end refused", L"freed"}},
      {"cancel mode", t + 5, WM_CANCELMODE, ddDragging, {L"begin", L"move", L"end refused", L"freed"}},
  };
  for (const Case& c : cases) {
    std::vector<String> calls;
    g_calls = &calls;
    Screen->SetCursor(crHandPoint);
    SendMouse(drag->Handle(), WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    EXPECT_EQ(drag->DragAndDropState(), ddStarting) << c.name;
    SendMouse(drag->Handle(), WM_MOUSEMOVE, 20 + c.moveBy, 20, MK_LBUTTON);
    if (c.before == ddDragging) SendMouse(drag->Handle(), WM_MOUSEMOVE, 25 + c.moveBy, 20, MK_LBUTTON);
    EXPECT_EQ(drag->DragAndDropState(), c.before) << c.name;
    if (c.before == ddDragging) {
      EXPECT_EQ(Screen->Cursor(), crNoDrop) << c.name;
    }
    if (c.ending == WM_KEYDOWN) SendMessageW(drag->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    else SendMouse(drag->Handle(), c.ending, 30, 20);
    EXPECT_EQ(drag->DragAndDropState(), ddNone) << c.name;
    EXPECT_EQ(calls, c.calls) << c.name;
    EXPECT_EQ(Screen->Cursor(), crHandPoint) << c.name;
    EXPECT_NE(GetCapture(), drag->Handle()) << c.name;
    g_calls = nullptr;
  }
  Screen->SetCursor(crDefault);
}

namespace {
SHORT WINAPI CtrlDown(int key) { return key == VK_CONTROL ? SHORT(0x8000) : 0; }
}  // namespace

TEST_F(Controls, FrameworkDragOfferTheCopyCursorWhileCtrlIsHeld) {
  auto* object = new TcxDragControlObject(control);
  EXPECT_EQ(object->GetDragCursor(true, 0, 0), crDrag);
  Bound().GetAsyncKeyState = &CtrlDown;
  EXPECT_EQ(object->GetDragCursor(true, 0, 0), TCursor(2100));
  EXPECT_EQ(object->GetDragCursor(false, 0, 0), crNoDrop);
  ResetBoundFunctions();
  object->Finished(nullptr, 0, 0, false);  // frees itself
  // Without drag images there is nothing to show.
  EXPECT_EQ(control->GetDragImages(), nullptr);
}
