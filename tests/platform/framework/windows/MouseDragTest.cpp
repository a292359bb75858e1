// The mouse: enter and leave on a graphic control, hints, and drag and drop inside the process.

#include <gtest/gtest.h>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/windows/HintWindow.h"
#include "platform/framework/graphics/ImageList.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

class Mouse_ : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    probe = Place<TProbeControl>(10, 10, 50, 50);
    ShowForm();
  }
  TProbeControl* probe = nullptr;
};

// A control that changes or refuses the hint it is asked about.
class THintProbe : public TProbeControl {
  DECLARE_CLASS(THintProbe, TProbeControl)
 public:
  using TProbeControl::TProbeControl;
  bool Refuse = false;

 protected:
  void CMHintShow(TMessage& Message) {
    auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
    info->HintStr += L"!";
    Message.Result = Refuse ? 1 : 0;
  }
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_HINTSHOW, CMHintShow)
  MESSAGE_MAP_END
};
DEFINE_CLASS(THintProbe)

}  // namespace

TEST_F(Mouse_, EnterAndLeaveReachAGraphicControlAndItsParent) {
  std::vector<String> trace;
  probe->OnMouseEnter = [&](TObject*) { trace.push_back(L"enter"); };
  probe->OnMouseLeave = [&](TObject*) { trace.push_back(L"leave"); };
  TControl* seenByForm = nullptr;
  form->InstallWindowProcHook([&](TMessage& Message, TWindowProcChain& Next) {
    if (Message.Msg == CM_MOUSEENTER) seenByForm = reinterpret_cast<TControl*>(Message.LParam);
    Next(Message);
  });
  SendMouse(form->Handle(), WM_MOUSEMOVE, 20, 20);
  SendMouse(form->Handle(), WM_MOUSEMOVE, 25, 25);
  EXPECT_EQ(seenByForm, probe);
  SendMouse(form->Handle(), WM_MOUSEMOVE, 200, 200);
  EXPECT_EQ(trace, (std::vector<String>{L"enter", L"leave"}));
}

TEST_F(Mouse_, GraphicControlGetsMouseMessagesAndKeepsThemWhileCaptured) {
  probe->Messages.clear();
  SendMouse(form->Handle(), WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  SendMouse(form->Handle(), WM_MOUSEMOVE, 300, 200, MK_LBUTTON);  // outside, still captured
  SendMouse(form->Handle(), WM_LBUTTONUP, 300, 200);
  SendMouse(form->Handle(), WM_MOUSEMOVE, 300, 200);  // outside, released
  std::vector<UINT> mouse;
  for (UINT msg : probe->Messages) {
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) mouse.push_back(msg);
  }
  EXPECT_EQ(mouse, (std::vector<UINT>{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}));
}

TEST_F(Mouse_, HintShowsTheShortTextAsTheControlLeftItAndLongTextGoesToTheApplication) {
  for (bool refuse : {false, true}) {
    auto* hinted = Place<THintProbe>(100, 100, 40, 40);
    hinted->Refuse = refuse;
    hinted->SetHint(L"Short|Long text");
    hinted->SetShowHint(true);
    SendMouse(form->Handle(), WM_MOUSEMOVE, 110, 110);
    EXPECT_EQ(Application->Hint(), L"Long text");
    Application->HintTimerExpired();
    THintWindow* window = Application->HintWindow();
    const bool visible = window && window->HandleAllocated() && IsWindowVisible(window->Handle());
    EXPECT_EQ(visible, !refuse);
    if (visible) {
      EXPECT_EQ(window->Caption(), L"Short!");
      EXPECT_FALSE(GetWindowLongPtrW(window->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
      EXPECT_NE(GetForegroundWindow(), window->Handle());
    }
    SendMouse(form->Handle(), WM_MOUSEMOVE, 300, 250);
    EXPECT_FALSE(window && window->HandleAllocated() && IsWindowVisible(window->Handle()));
    hinted->Free();
  }
}

namespace {

bool HintVisible() {
  THintWindow* window = Application->HintWindow();
  return window && window->HandleAllocated() && IsWindowVisible(window->Handle());
}

// Handles the application's messages until the hint's visibility changes or the real time runs out.
void PumpWhileHintStays(DWORD milliseconds) {
  const bool before = HintVisible();
  const DWORD start = GetTickCount();
  do {
    Application->ProcessMessages();
    Sleep(5);
  } while (HintVisible() == before && GetTickCount() - start < milliseconds);
}

}  // namespace

TEST_F(Mouse_, HintShowsAndHidesWhenTheClockPassesItsPausesWhateverTheRealTime) {
  TManualClock clock(0, 1000);
  TClockScope scope(clock);
  auto* hinted = Place<THintProbe>(100, 100, 40, 40);
  hinted->SetHint(L"Short|Long text");
  hinted->SetShowHint(true);
  POINT over{110, 110};
  ClientToScreen(form->Handle(), &over);
  SetCursorPos(over.x, over.y);
  SendMouse(form->Handle(), WM_MOUSEMOVE, 110, 110);
  const auto pause = static_cast<UInt64>(Application->HintPause);
  const auto hidePause = static_cast<UInt64>(Application->HintHidePause);
  // Unchanged states are watched for a while of real time; the first one for longer than the pause.
  struct Step {
    UInt64 advance;
    bool visible;
    DWORD watch;
  } const steps[] = {
      {0, false, 800}, {pause - 1, false, 150}, {1, true, 3000}, {hidePause - 1, true, 150}, {1, false, 3000},
  };
  for (const Step& step : steps) {
    clock.Advance(step.advance);
    PumpWhileHintStays(step.watch);
    EXPECT_EQ(HintVisible(), step.visible) << "after " << clock.TickCount() - 1000 << " ms";
  }
  hinted->Free();
}

// ---- Drag and drop -------------------------------------------------------------------------------

namespace {

class Drag : public Mouse_ {
 protected:
  void SetUp() override {
    Mouse_::SetUp();
    target = Place<TProbeControl>(200, 100, 60, 60);
    target->OnDragOver = [this](TObject*, TObject* source, int, int, TDragState state, bool& accept) {
      states.push_back(state);
      lastSource = source;
      accept = acceptDrop;
    };
    target->OnDragDrop = [this](TObject*, TObject*, int, int) { dropped = true; };
    probe->OnEndDrag = [this](TObject*, TObject* t, int, int) {
      ended = true;
      endTarget = t;
    };
    origin = probe->ClientToScreen(TPoint(5, 5));
    SetCursorPos(origin.x, origin.y);
    GetCursorPos(&origin);
  }

  // A mouse message to whoever holds the capture (the drag manager), at a screen point.
  void DragMouse(UINT msg, POINT screen) {
    HWND capture = GetCapture();
    ASSERT_NE(capture, nullptr);
    SetCursorPos(screen.x, screen.y);
    POINT client = screen;
    ScreenToClient(capture, &client);
    SendMessageW(capture, msg, msg == WM_MOUSEMOVE ? MK_LBUTTON : 0, MAKELPARAM(client.x, client.y));
  }

  POINT OverTarget() const { return target->ClientToScreen(TPoint(30, 30)); }

  TProbeControl* target = nullptr;
  POINT origin{};
  bool acceptDrop = true;
  std::vector<TDragState> states;
  bool dropped = false;
  bool ended = false;
  TObject* endTarget = nullptr;
  TTestEdit* edit_ = nullptr;
  TObject* lastSource = nullptr;
};

class TSelfFreeingDragObject : public TDragObject {
 public:
  explicit TSelfFreeingDragObject(bool* freed) : freed_(freed) {}
  ~TSelfFreeingDragObject() override { *freed_ = true; }
  void Finished(TObject*, int, int, bool) override { delete this; }

 private:
  bool* freed_;
};

}  // namespace

TEST_F(Drag, StartsOnlyPastTheThresholdAndDropsOnAnAcceptingTarget) {
  probe->BeginDrag(false, 5);
  ASSERT_TRUE(probe->Dragging());
  DragMouse(WM_MOUSEMOVE, {origin.x + 3, origin.y + 1});
  EXPECT_TRUE(states.empty());
  DragMouse(WM_MOUSEMOVE, OverTarget());
  DragMouse(WM_LBUTTONUP, OverTarget());
  ASSERT_FALSE(states.empty());
  EXPECT_EQ(states.front(), dsDragEnter);
  EXPECT_EQ(lastSource, probe);
  EXPECT_TRUE(dropped);
  EXPECT_TRUE(ended);
  EXPECT_EQ(endTarget, target);
  EXPECT_FALSE(probe->Dragging());
}

TEST_F(Drag, RefusedTargetGetsNoDrop) {
  acceptDrop = false;
  probe->BeginDrag(true);
  DragMouse(WM_MOUSEMOVE, OverTarget());
  DragMouse(WM_LBUTTONUP, OverTarget());
  EXPECT_FALSE(dropped);
  EXPECT_TRUE(ended);
  EXPECT_EQ(endTarget, nullptr);
}

TEST_F(Drag, EscapeCancels) {
  edit_ = Place<TTestEdit>(10, 200, 100, 22);
  edit_->SetFocus();
  ProcessMessages();
  probe->BeginDrag(true);
  DragMouse(WM_MOUSEMOVE, OverTarget());
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(probe->Dragging());
  EXPECT_FALSE(dropped);
  EXPECT_TRUE(ended);
  EXPECT_EQ(states.back(), dsDragLeave);
}

namespace {

class TImageSource : public TProbeControl {
  DECLARE_CLASS(TImageSource, TProbeControl)
 public:
  explicit TImageSource(TComponent* AOwner) : TProbeControl(AOwner), images(nullptr, 16, 16) {
    ControlStyle.Include(csDisplayDragImage);
    TBitmap picture;
    picture.SetSize(16, 16);
    images.AddMasked(&picture, clFuchsia);
  }
  TDragImageList* GetDragImages() override { return &images; }
  TImageList images;
};
DEFINE_CLASS(TImageSource)

}  // namespace

TEST_F(Drag, DragImageFollowsWhileTheSourceDisplaysIt) {
  auto* source = Place<TImageSource>(10, 200, 20, 20);
  const TPoint start = source->ClientToScreen(TPoint(5, 5));
  SetCursorPos(start.x, start.y);
  source->BeginDrag(true);
  DragMouse(WM_MOUSEMOVE, OverTarget());
  EXPECT_TRUE(source->images.Dragging());
  DragMouse(WM_LBUTTONUP, OverTarget());
  EXPECT_FALSE(source->images.Dragging());
  EXPECT_TRUE(dropped);
}

TEST_F(Drag, ObjectThatFreesItselfInFinishedIsLeftAlone) {
  bool freed = false;
  probe->OnStartDrag = [&](TObject*, TDragObject*& object) { object = new TSelfFreeingDragObject(&freed); };
  probe->BeginDrag(true);
  DragMouse(WM_MOUSEMOVE, OverTarget());
  DragMouse(WM_LBUTTONUP, OverTarget());
  EXPECT_TRUE(freed);
  EXPECT_TRUE(dropped);
  EXPECT_EQ(CurrentDragObject(), nullptr);
}

// ---- Wheel and context menu ----------------------------------------------------------------------

namespace {

class TPanelProbe : public TCustomControl {
  DECLARE_CLASS(TPanelProbe, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
};
DEFINE_CLASS(TPanelProbe)

}  // namespace

TEST_F(Mouse_, WheelGoesToTheFocusedControlFirstThenItsParents) {
  auto* panel = Place<TPanelProbe>(100, 100, 200, 100);
  auto* edit = new TTestEdit(form);
  edit->SetBounds(5, 5, 80, 22);
  edit->SetParent(panel);
  edit->SetFocus();
  ProcessMessages();
  std::vector<String> trace;
  edit->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool&) {
    trace.push_back(delta < 0 ? L"edit down" : L"edit up");
  };
  panel->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& handled) {
    trace.push_back(L"panel down");
    handled = true;
  };
  form->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool&) { trace.push_back(L"form"); };
  SendMessageW(form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(150, 150));
  EXPECT_EQ(trace, (std::vector<String>{L"edit down", L"panel down"}));
}

TEST_F(Mouse_, ContextMenuFromTheKeyboardArrivesAsMinusOne) {
  auto* panel = Place<TPanelProbe>(100, 100, 200, 100);
  TPoint seen(0, 0);
  panel->OnContextPopup = [&](TObject*, TPoint pos, bool& handled) {
    seen = pos;
    handled = true;
  };
  SendMessageW(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()), MAKELPARAM(-1, -1));
  EXPECT_EQ(seen, TPoint(-1, -1));
  const TPoint screen = panel->ClientToScreen(TPoint(7, 9));
  SendMessageW(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()),
               MAKELPARAM(screen.x, screen.y));
  EXPECT_EQ(seen, TPoint(7, 9));
}
