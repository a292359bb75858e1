// Toolbar windows on a shown form: docked rows and their pixels, vertical sites, the move loop fed
// with posted mouse messages, double clicks, the floating close button, hiding and restoring, and
// the layout store with windows.

#include <gtest/gtest.h>

#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/rtl/Seams.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/Bars.h"
#include "ui/bars/DockControl.h"

using namespace bar_testing;
using window_testing::DibSection;
using window_testing::ProcessMessages;

namespace {

// Holds Ctrl down as the move loop reads it (the asynchronous key state).
SHORT WINAPI CtrlDown(int Key) { return Key == VK_CONTROL ? SHORT(0x8000) : SHORT(0); }
class HeldCtrl {
 public:
  HeldCtrl() : saved_(Bound().GetAsyncKeyState) { Bound().GetAsyncKeyState = &CtrlDown; }
  ~HeldCtrl() { Bound().GetAsyncKeyState = saved_; }

 private:
  SHORT(WINAPI* saved_)(int);
};

// Thread-timer procedures of the move tests: the cursor follows a posted move; the button is released.
POINT g_cursorTarget{};
void CALLBACK MoveCursorLater(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  SetCursorPos(g_cursorTarget.x, g_cursorTarget.y);
}
void CALLBACK ReleaseLater(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  PostMessageW(GetCapture(), WM_LBUTTONUP, 0, 0);
}

class ToolbarWindowTest : public BarWindowFixture {
 protected:
  void SetUp() override {
    BarWindowFixture::SetUp();
    form->SetBounds(100, 100, 640, 360);
    form->Show();
    ProcessMessages();
  }

  // A toolbar of Buttons buttons, docked on Style (or floating for dsNone) and shown.
  TdxBar* NewBar(const String& Caption, int Buttons, TdxBarDockingStyle Style = dsTop, int DockedLeft = 0) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(Caption);
    for (int i = 0; i < Buttons; ++i) {
      TdxBarButton* item = NewItem(Caption + std::to_wstring(i), L"B");
      bar->ItemLinks()->AddItemLink(item);
    }
    bar->SetDockingStyle(Style);
    bar->SetDockedLeft(DockedLeft);
    bar->SetFloatLeft(300);
    bar->SetFloatTop(300);
    bar->SetVisible(true);
    ProcessMessages();
    return bar;
  }

  TdxDockControl* Site(TdxBarDockingStyle Style) { return manager->Bars()->DefaultSite(Style); }

  // A window point as the client-coordinate lParam of a mouse message to the window.
  static LPARAM ClientLParam(TdxBarControl* Window, int X, int Y) {
    const TPoint o = Window->ClientOriginInWindow();
    return MAKELPARAM(X - o.x, Y - o.y);
  }
  // A window point as the screen-coordinate lParam of a non-client mouse message.
  static LPARAM ScreenLParam(TdxBarControl* Window, int X, int Y) {
    const TRect w = ScreenRect(Window);
    return MAKELPARAM(w.left + X, w.top + Y);
  }
  // Presses the window point Press (a caption target) with the release already posted at Release.
  static void PressAndRelease(TdxBarControl* Window, const TPoint& Press, const TPoint& Release) {
    PostMessageW(Window->Handle(), WM_LBUTTONUP, 0, ClientLParam(Window, Release.x, Release.y));
    SendMessageW(Window->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, ScreenLParam(Window, Press.x, Press.y));
  }
  // The frame as the window paints it.
  static DWORD FramePixel(TdxBarControl* Window, const TPoint& P) {
    DibSection frame(Window->Width(), Window->Height());
    Window->PaintNonClientArea(frame.DC());
    return frame.Pixel(P.x, P.y);
  }
  static TPoint Centre(const TRect& R) { return TPoint{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }

  static TRect ScreenRect(TWinControl* Window) {
    RECT r{};
    GetWindowRect(Window->Handle(), &r);
    return r;
  }

  // Runs the move loop of the bar's window on the messages posted by Post (to the capture window,
  // in screen coordinates).
  void Drag(TdxBar* Bar, const std::function<void(HWND Capture)>& Post) {
    HWND capture = manager->MessageWindow();
    Post(capture);
    manager->Bars()->DragBar(Bar->Control());
  }
  // The move arrives first; the cursor follows it as soon as the loop runs (the loop starts from
  // the cursor's place, and the delayed docking looks where the cursor is).
  static void PostMove(HWND Capture, int X, int Y) {
    PostMessageW(Capture, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(X, Y));
    g_cursorTarget = POINT{X, Y};
    SetTimer(nullptr, 0, 1, &MoveCursorLater);
  }
};

TEST_F(ToolbarWindowTest, ThreeToolbarsShareTheTopRowAndPaintGripAndButtons) {
  TdxBar* a = NewBar(L"Editing", 3);
  TdxBar* b = NewBar(L"Transport", 2, dsTop, 200);
  TdxBar* c = NewBar(L"Zoom", 1, dsTop, 400);
  TdxDockControl* top = Site(dsTop);
  ASSERT_EQ(top->RowCount(), 1);
  EXPECT_EQ(top->RowAt(0)->ColumnCount(), 3);
  TdxBarControl* windows[] = {a->Control(), b->Control(), c->Control()};
  for (TdxBarControl* window : windows) {
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window->Handle()), top->Handle());
    EXPECT_EQ(window->Top(), 0);
  }
  EXPECT_EQ(windows[0]->Left(), 0);
  EXPECT_GE(windows[1]->Left(), windows[0]->Left() + windows[0]->Width());
  EXPECT_GE(windows[2]->Left(), windows[1]->Left() + windows[1]->Width());
  EXPECT_EQ(top->Height(), windows[0]->Height());
  // A window: drag handle 8 + the buttons + 2, 2 above and below.
  const TdxBarItemControl* first = a->ItemLinks()->LinkAt(0)->ItemControl();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(windows[0]->ClientWidth(), 3 * const_cast<TdxBarItemControl*>(first)->MeasureWidth());
  EXPECT_EQ(windows[0]->Width(), windows[0]->ClientWidth() + 10);

  // The frame as the window paints it, its client through WM_PAINT, the site's background.
  DibSection frame(windows[0]->Width(), windows[0]->Height());
  windows[0]->PaintNonClientArea(frame.DC());
  EXPECT_EQ(frame.Pixel(3, windows[0]->Height() / 2), kTestGrip);
  EXPECT_EQ(frame.Pixel(windows[0]->Width() - 1, 0), kTestBarFrame);
  DibSection client(windows[0]->ClientWidth(), windows[0]->ClientHeight());
  windows[0]->Perform(WM_PAINT, reinterpret_cast<WPARAM>(client.DC()), 0);
  const TRect button = a->ItemLinks()->LinkAt(1)->ItemControl()->BoundsInBar();
  EXPECT_EQ(client.Pixel((button.left + button.right) / 2, (button.top + button.bottom) / 2), TestColor(teButton, tsNormal));
  DibSection site(top->Width(), top->Height());
  top->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(site.DC()), 0);
  EXPECT_EQ(site.Pixel(windows[2]->Left() + windows[2]->Width() + 20, 5), kTestDockBackground);
}

TEST_F(ToolbarWindowTest, WhileAnotherManagerCustomizesTheFrameAndClientAreShaded) {
  TdxBar* bar = NewBar(L"Tools", 2);
  TdxBarControl* window = bar->Control();
  ASSERT_NE(window, nullptr);
  const TPoint grip{3, window->Height() / 2};
  const TRect button = bar->ItemLinks()->LinkAt(0)->ItemControl()->BoundsInBar();
  const TPoint inButton{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  auto paint = [&](DWORD& Frame, DWORD& Client) {
    DibSection frame(window->Width(), window->Height());
    window->PaintFrame(frame.DC());
    Frame = frame.Pixel(grip.x, grip.y);
    DibSection client(window->ClientWidth(), window->ClientHeight());
    window->Perform(WM_PAINT, reinterpret_cast<WPARAM>(client.DC()), 0);
    Client = client.Pixel(inButton.x, inButton.y);
  };
  DWORD frame = 0, client = 0;
  paint(frame, client);
  EXPECT_EQ(frame, kTestGrip);
  EXPECT_EQ(client, TestColor(teButton, tsNormal));
  auto* other = new TForm(nullptr, 0);
  auto* customizing = new TdxBarManager(other);
  customizing->SetCustomizingMode(true);
  paint(frame, client);
  EXPECT_NE(frame, kTestGrip);
  EXPECT_NE(client, TestColor(teButton, tsNormal));
  // Its own manager customizing shades nothing.
  customizing->SetCustomizingMode(false);
  manager->SetCustomizingMode(true);
  paint(frame, client);
  EXPECT_EQ(frame, kTestGrip);
  manager->SetCustomizingMode(false);
  other->Free();
}

TEST_F(ToolbarWindowTest, AVerticalSiteTurnsItsWindows) {
  TdxBar* bar = NewBar(L"Tools", 3, dsLeft);
  TdxBarControl* window = bar->Control();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->IsDockedVertically());
  EXPECT_GT(window->Height(), window->Width());
  EXPECT_EQ(Site(dsLeft)->Width(), window->Width());
  const TRect r0 = bar->ItemLinks()->LinkAt(0)->ItemControl()->BoundsInBar();
  const TRect r1 = bar->ItemLinks()->LinkAt(1)->ItemControl()->BoundsInBar();
  EXPECT_EQ(r1.top, r0.bottom) << "stacked";

  auto* user = new TdxBarDockControl(form);
  user->SetBarManager(manager);
  user->SetParent(form);
  bar->SetDockControl(user);
  ProcessMessages();
  ASSERT_NE(bar->Control(), nullptr);
  EXPECT_FALSE(bar->Control()->IsDockedVertically());
  user->SetDockAlign(dalLeft);
  EXPECT_TRUE(bar->Control()->IsDockedVertically());
  EXPECT_EQ(bar->DockingStyle(), dsLeft);
}

TEST_F(ToolbarWindowTest, HidingRecordsTheDockedPlaceAndShowingDocksThere) {
  TdxBar* a = NewBar(L"Editing", 2);
  TdxBar* b = NewBar(L"Transport", 2);
  b->SetDockedLeft(a->Control()->Width() + 40);
  ProcessMessages();
  const int left = b->Control()->Left();
  b->SetVisible(false);
  EXPECT_EQ(b->DockedLeft(), left);
  EXPECT_EQ(b->DockedTop(), 0);
  EXPECT_FALSE(b->OneOnRow());
  EXPECT_EQ(b->DockedDockingStyle(), dsTop);
  b->SetVisible(true);
  ProcessMessages();
  EXPECT_EQ(b->Control()->Left(), left);
  EXPECT_EQ(Site(dsTop)->RowCount(), 1);
}

TEST_F(ToolbarWindowTest, DoubleClicksFloatAndDockBackAndANeverDockedToolbarTakesANewLastRow) {
  TdxBar* docked = NewBar(L"Editing", 2);
  SendMessageW(docked->Control()->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  ProcessMessages();
  EXPECT_EQ(docked->DockingStyle(), dsNone);
  ASSERT_NE(docked->Control(), nullptr);
  EXPECT_FALSE(docked->Control()->IsDocked());
  SendMessageW(docked->Control()->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  ProcessMessages();
  EXPECT_EQ(docked->DockingStyle(), dsTop);

  TdxBar* floating = NewBar(L"Zoom", 1, dsNone);
  ASSERT_FALSE(floating->Control()->IsDocked());
  SendMessageW(floating->Control()->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  ProcessMessages();
  EXPECT_EQ(floating->DockingStyle(), dsTop);
  EXPECT_EQ(floating->Row(), 1);
  EXPECT_EQ(Site(dsTop)->RowCount(), 2);
}

TEST_F(ToolbarWindowTest, AFloatingRectangleOffEveryMonitorSnapsBack) {
  TdxBar* bar = manager->Bars()->Add();
  bar->ItemLinks()->AddItemLink(NewItem(L"Only"));
  bar->SetDockingStyle(dsNone);
  bar->SetFloatLeft(-5000);
  bar->SetFloatTop(-5000);
  bar->SetVisible(true);
  const TRect r = ScreenRect(bar->Control());
  const RECT rr = r;
  EXPECT_NE(MonitorFromRect(&rr, MONITOR_DEFAULTTONULL), nullptr);
}

TEST_F(ToolbarWindowTest, TheCloseButtonHidesTheToolbarFiresOnBarCloseOnceAndTheLayoutStoresItHidden) {
  TdxBar* bar = NewBar(L"Zoom", 2, dsNone);
  int closes = 0;
  manager->OnBarClose = [&](TdxBarManager*, TdxBar* Closed) { closes += Closed == bar; };
  manager->CreateRestoringList();
  TdxBarControl* window = bar->Control();
  const TRect close = window->CloseButtonRect();
  const TRect screen = ScreenRect(window);
  const LPARAM at = MAKELPARAM(screen.left + close.left + 2, screen.top + close.top + 2);
  EXPECT_EQ(SendMessageW(window->Handle(), WM_NCHITTEST, 0, at), HTCLOSE);
  DibSection frame(window->Width(), window->Height());
  window->PaintNonClientArea(frame.DC());
  EXPECT_EQ(frame.Pixel(close.left + 2, close.top + 2), kTestCloseButton);
  EXPECT_EQ(frame.Pixel(close.left - 4, close.top + 2), kTestCaption);
  // The close happens on the release over the button.
  PostMessageW(window->Handle(), WM_LBUTTONUP, 0, ClientLParam(window, close.left + 2, close.top + 2));
  SendMessageW(window->Handle(), WM_NCLBUTTONDOWN, HTCLOSE, at);
  EXPECT_FALSE(bar->Visible());
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(manager->RestoringBarIndex(bar), -1) << "a closed toolbar is not restored";
  TMemIniFile store(L"");
  manager->WriteLayout(store, manager->IniBase(), false);
  EXPECT_EQ(store.ReadString(manager->IniBase() + L"Bar0", L"Visible", L""), L"0");
}

TEST_F(ToolbarWindowTest, AWindowGoingWithItsSiteWaitsToBeShownAndIsStoredVisible) {
  TdxBar* bar = NewBar(L"Editing", 2);
  auto* user = new TdxBarDockControl(form);
  user->SetName(L"UserSite");
  user->SetBarManager(manager);
  user->SetParent(form);
  bar->SetDockControl(user);
  ProcessMessages();
  ASSERT_TRUE(bar->Control()->HandleAllocated());
  user->DestroyHandle();
  EXPECT_FALSE(bar->Visible());
  EXPECT_GE(manager->RestoringBarIndex(bar), 0);
  TMemIniFile store(L"");
  manager->WriteLayout(store, manager->IniBase(), false);
  EXPECT_EQ(store.ReadString(manager->IniBase() + L"Bar0", L"Visible", L""), L"1");
  user->HandleNeeded();
  ProcessMessages();
  EXPECT_TRUE(bar->Visible()) << "shown again when the site has its window";
  ASSERT_NE(bar->Control(), nullptr);
  EXPECT_EQ(GetParent(bar->Control()->Handle()), user->Handle());
}

TEST_F(ToolbarWindowTest, AWindowDestroyedWithItsFormTakesItsItemControlsWhenFreed) {
  TdxBar* bar = NewBar(L"Editing", 2);
  TdxBarControl* window = bar->Control();
  TdxBarItemLink* link = bar->ItemLinks()->LinkAt(0);
  ASSERT_NE(link->ItemControl(), nullptr);
  // The system destroys the toolbar's window with the form's; the object stays.
  DestroyWindow(form->Handle());
  ASSERT_TRUE(IsLiveBarControl(window));
  ASSERT_FALSE(window->HandleAllocated());
  window->Free();
  EXPECT_EQ(link->ItemControl(), nullptr) << "an item control outlived its bar window";
}

TEST_F(ToolbarWindowTest, DraggingDocksAFloatingToolbarOnlyAfterTheDelayAndKeepsItsWindow) {
  TdxBar* bar = NewBar(L"Zoom", 2, dsNone);
  manager->SetWaitForDockingTime(20);
  HWND window = bar->Control()->Handle();
  const TRect top = ScreenRect(form);
  const TRect start = ScreenRect(bar->Control());
  const int grabX = start.left + 2, grabY = start.top + 2;
  SetCursorPos(grabX, grabY);
  // Into the top site's zone and released at once: still floating.
  Drag(bar, [&](HWND Capture) {
    PostMove(Capture, top.left + 100, top.top + 40);
    PostMessageW(Capture, WM_LBUTTONUP, 0, MAKELPARAM(top.left + 100, top.top + 40));
  });
  EXPECT_EQ(bar->DockingStyle(), dsNone);
  EXPECT_FALSE(TdxBars::DockingTimerRunning());

  // Into the zone, held there past the delay: docked, the same window.
  const TRect now = ScreenRect(bar->Control());
  SetCursorPos(now.left + 2, now.top + 2);
  Drag(bar, [&](HWND Capture) {
    PostMove(Capture, top.left + 140, top.top + 40);
    SetTimer(nullptr, 0, 200, &ReleaseLater);
  });
  EXPECT_EQ(bar->DockingStyle(), dsTop);
  ASSERT_NE(bar->Control(), nullptr);
  EXPECT_EQ(bar->Control()->Handle(), window);
  EXPECT_EQ(GetParent(window), Site(dsTop)->Handle());

  // Out again, far from every zone: floating at once, the same window again.
  const TRect docked = ScreenRect(bar->Control());
  SetCursorPos(docked.left + 2, docked.top + 2);
  Drag(bar, [&](HWND Capture) {
    PostMove(Capture, top.left + 300, top.top + 250);
    PostMessageW(Capture, WM_LBUTTONUP, 0, 0);
  });
  EXPECT_EQ(bar->DockingStyle(), dsNone);
  EXPECT_EQ(bar->Control()->Handle(), window);
}

TEST_F(ToolbarWindowTest, CtrlKeepsTheToolbarFloatingAndEscapeLeavesItWhereItWas) {
  TdxBar* bar = NewBar(L"Zoom", 2, dsNone);
  manager->SetWaitForDockingTime(1);
  const TRect top = ScreenRect(form);
  const TRect start = ScreenRect(bar->Control());
  SetCursorPos(start.left + 2, start.top + 2);
  {
    HeldCtrl ctrl;
    Drag(bar, [&](HWND Capture) {
      PostMove(Capture, top.left + 100, top.top + 40);
      SetTimer(nullptr, 0, 100, &ReleaseLater);
    });
  }
  EXPECT_EQ(bar->DockingStyle(), dsNone);

  const TRect before = ScreenRect(bar->Control());
  SetCursorPos(before.left + 2, before.top + 2);
  Drag(bar, [&](HWND Capture) {
    PostMove(Capture, before.left + 42, before.top + 32);
    PostMessageW(Capture, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  const TRect after = ScreenRect(bar->Control());
  EXPECT_EQ(after.left, before.left + 40) << "Esc leaves the toolbar where it was last placed";
  EXPECT_EQ(after.top, before.top + 30);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ToolbarWindowTest, ANewToolbarLandsOnANewRowBelowTheOthers) {
  NewBar(L"Editing", 2);
  TdxBar* first = manager->AddNewToolbar(false);
  TdxBar* second = manager->AddNewToolbar(false);
  EXPECT_EQ(first->Caption(), L"Custom 1");
  EXPECT_EQ(second->Caption(), L"Custom 2");
  EXPECT_EQ(first->Row(), 1);
  EXPECT_EQ(second->Row(), 2);
  EXPECT_TRUE(second->Visible());
  EXPECT_FALSE(second->OneOnRow());
  first->SetCaption(L"Mine");
  EXPECT_EQ(manager->AddNewToolbar(false)->Caption(), L"Custom 1");
}

TEST_F(ToolbarWindowTest, AToolbarWhoseValuesRaiseIsShownAndTheReadGoesOn) {
  TdxBar* a = NewBar(L"Editing", 1);
  TdxBar* b = NewBar(L"Transport", 1);
  TMemIniFile store(L"");
  manager->WriteLayout(store, manager->IniBase(), false);
  store.WriteInteger(manager->IniBase() + L"Bar0", L"DockingStyle", dsBottom);
  store.WriteBool(manager->IniBase() + L"Bar0", L"Visible", false);
  store.WriteString(manager->IniBase() + L"Bar1", L"Caption", L"Read");
  store.WriteBool(manager->IniBase() + L"Bar1", L"Visible", false);
  bool raised = false;
  manager->OnBarDockingStyleChange = [&](TdxBarManager*, TdxBar* Bar) {
    if (Bar == a && !raised) {
      raised = true;
      throw Exception(L"refused");
    }
  };
  manager->ReadLayout(store, manager->IniBase(), false);
  EXPECT_TRUE(raised);
  EXPECT_TRUE(a->Visible()) << "the toolbar that raised is shown";
  EXPECT_EQ(b->Caption(), L"Read");
  EXPECT_FALSE(b->Visible());
}

TEST_F(ToolbarWindowTest, FreeingAVisibleToolbarWithAHotCaptionButtonDestroysTheWindowFirst) {
  TdxBar* bar = NewBar(L"Zoom", 1, dsNone);
  TdxBarCaptionButton* button = bar->CaptionButtons()->AddButton();
  button->Bounds = TRect{0, 0, 10, 10};
  bar->CaptionButtons()->UpdateHotStates(TPoint{5, 5}, false);
  ASSERT_EQ(button->State(), TdxBarCaptionButton::stHot);
  TdxBarControl* window = bar->Control();
  bar->Free();
  EXPECT_FALSE(IsLiveBarControl(window));
  EXPECT_EQ(manager->Bars()->Count(), 0);
}

TEST_F(ToolbarWindowTest, AManagerFreedInCustomizingModeWithToolbarsGoesCleanly) {
  NewBar(L"Editing", 2);
  NewBar(L"Zoom", 1, dsNone);
  manager->SetCustomizingMode(true);
  EXPECT_TRUE(manager->IsCustomizing());
  FreeAndNil(form);
  EXPECT_EQ(BarManagerList()->Count(), 0);
}

// The press loop's view of the close button, recorded by a timer while the button is held.
TdxBarControl* g_pressedWindow = nullptr;
int g_stateWhilePressed = -1;
POINT g_releaseAt{};
void CALLBACK RecordAndRelease(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  g_stateWhilePressed = g_pressedWindow->CloseButtonState();
  PostMessageW(g_pressedWindow->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(g_releaseAt.x, g_releaseAt.y));
}

TEST_F(ToolbarWindowTest, TheCloseButtonClosesOnTheReleaseOverItOnly) {
  TdxBar* bar = NewBar(L"Zoom", 2, dsNone);
  int closes = 0;
  manager->OnBarClose = [&](TdxBarManager*, TdxBar*) { ++closes; };
  TdxBarControl* window = bar->Control();
  const TPoint on = Centre(window->CloseButtonRect());
  const TPoint off{window->CaptionRect().left + 2, on.y};

  // Pressed, dragged off and released there: nothing happens.
  PostMessageW(window->Handle(), WM_MOUSEMOVE, MK_LBUTTON, ClientLParam(window, off.x, off.y));
  PressAndRelease(window, on, off);
  EXPECT_TRUE(bar->Visible());
  EXPECT_EQ(closes, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(window->CloseButtonState(), 0);

  // Held: drawn pressed; released over it: closed once.
  g_pressedWindow = window;
  g_stateWhilePressed = -1;
  const TPoint o = window->ClientOriginInWindow();
  g_releaseAt = POINT{on.x - o.x, on.y - o.y};
  SetTimer(nullptr, 0, 20, &RecordAndRelease);
  SendMessageW(window->Handle(), WM_NCLBUTTONDOWN, HTCLOSE, ScreenLParam(window, on.x, on.y));
  EXPECT_EQ(g_stateWhilePressed, 2);
  EXPECT_FALSE(bar->Visible());
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ToolbarWindowTest, ACaptionButtonIsDrawnInTheCaptionAndClicksOnTheReleaseOverIt) {
  TdxBar* bar = NewBar(L"Zoom", 2, dsNone);
  int clicks[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    TdxBarCaptionButton* button = bar->CaptionButtons()->AddButton();
    button->SetOnClick([&clicks, i](TObject*) { ++clicks[i]; });
  }
  TdxBarControl* window = bar->Control();
  window->LayoutCaptionButtons();
  const TRect b0 = bar->CaptionButtons()->ButtonAt(0)->Bounds, b1 = bar->CaptionButtons()->ButtonAt(1)->Bounds;
  const TRect close = window->CloseButtonRect();
  EXPECT_TRUE(window->CaptionRect().Contains(b0.TopLeft()));
  EXPECT_LE(b0.right, b1.left) << "in order, left of the close button";
  EXPECT_LE(b1.right, close.left);
  EXPECT_EQ(FramePixel(window, Centre(b1)), CaptionButtonColor(TdxBarCaptionButton::stNormal));

  PressAndRelease(window, Centre(b1), Centre(b1));
  EXPECT_EQ(clicks[0], 0);
  EXPECT_EQ(clicks[1], 1);
  PressAndRelease(window, Centre(b0), Centre(b1));
  EXPECT_EQ(clicks[0], 0) << "released over another button";
  EXPECT_EQ(clicks[1], 1);
  EXPECT_EQ(bar->CaptionButtons()->ButtonAt(0)->State(), TdxBarCaptionButton::stNormal);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(bar->DockingStyle(), dsNone) << "a caption button press does not move the toolbar";
}

TEST_F(ToolbarWindowTest, TheCloseButtonAndCaptionButtonsTrackTheMouse) {
  for (const bool hotTracks : {true, false}) {
    TTestBarPainter::CloseHotTracks = hotTracks;
    TdxBar* bar = NewBar(hotTracks ? L"Hot" : L"Cold", 1, dsNone);
    TdxBarCaptionButton* button = bar->CaptionButtons()->AddButton();
    TdxBarControl* window = bar->Control();
    window->LayoutCaptionButtons();
    const TPoint close = Centre(window->CloseButtonRect());
    SendMessageW(window->Handle(), WM_NCMOUSEMOVE, HTCLOSE, ScreenLParam(window, close.x, close.y));
    EXPECT_EQ(window->CloseButtonState(), hotTracks ? 1 : 0);
    EXPECT_EQ(FramePixel(window, close), CloseButtonColor(hotTracks ? 1 : 0));
    const TPoint on = Centre(button->Bounds);
    SendMessageW(window->Handle(), WM_NCMOUSEMOVE, HTCAPTION, ScreenLParam(window, on.x, on.y));
    EXPECT_EQ(window->CloseButtonState(), 0);
    EXPECT_EQ(button->State(), TdxBarCaptionButton::stHot);
    EXPECT_EQ(FramePixel(window, on), CaptionButtonColor(TdxBarCaptionButton::stHot));
    SendMessageW(window->Handle(), WM_NCMOUSELEAVE, 0, 0);
    EXPECT_EQ(button->State(), TdxBarCaptionButton::stNormal);
    bar->Free();
  }
}

TEST_F(ToolbarWindowTest, TheMarkTakesItsPlaceTracksHotTogglesOpenAndPaints) {
  TTestBarPainter::Mark = 11;
  TdxBar* bar = NewBar(L"Editing", 3);
  TdxBarControl* window = bar->Control();
  const int w = bar->ItemLinks()->LinkAt(0)->ItemControl()->MeasureWidth();
  EXPECT_EQ(window->ClientWidth(), 3 * w + 11);
  TRect mark;
  window->MarkRect(mark);
  EXPECT_EQ(mark, (TRect{3 * w, 0, 3 * w + 11, window->ClientHeight()}));
  EXPECT_EQ(window->MarkHintText(), L"More Buttons");

  const TPoint at = Centre(mark);
  SendMessageW(window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  EXPECT_EQ(window->MarkState(), 1);
  SendMessageW(window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  EXPECT_EQ(window->MarkState(), 2);
  DibSection client(window->ClientWidth(), window->ClientHeight());
  window->Perform(WM_PAINT, reinterpret_cast<WPARAM>(client.DC()), 0);
  EXPECT_EQ(client.Pixel(at.x, at.y), MarkColor(2));
  SendMessageW(window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(window->MarkState(), 2) << "an open mark stays open";
  SendMessageW(window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  EXPECT_EQ(window->MarkState(), 1);
  SendMessageW(window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(window->MarkState(), 0);

  // Without ShowMark the toolbar has no mark and no room for it.
  bar->SetShowMark(false);
  window->Relayout();
  ProcessMessages();
  window->MarkRect(mark);
  EXPECT_TRUE(mark.IsEmpty());
}

TEST_F(ToolbarWindowTest, AFloatingHotMarkGoesBackToNormalOnceTheCursorLeftIt) {
  TTestBarPainter::Mark = 11;
  TdxBar* bar = NewBar(L"Zoom", 2, dsNone);
  TdxBarControl* window = bar->Control();
  const TRect screen = ScreenRect(window);
  SetCursorPos(screen.right + 100, screen.bottom + 100);
  window->SetMarkState(1);
  EXPECT_EQ(window->MarkState(), 1);
  const DWORD until = GetTickCount() + 1000;
  while (window->MarkState() == 1 && GetTickCount() < until) {
    ProcessMessages();
    Sleep(10);
  }
  EXPECT_EQ(window->MarkState(), 0) << "the 50 ms timer saw the cursor away";
}

TEST_F(ToolbarWindowTest, AStatusBarPaintsItsTopMarginAndSizeGrip) {
  TdxBar* bar = manager->Bars()->Add();
  bar->SetCaption(L"Status");
  bar->ItemLinks()->AddItemLink(NewItem(L"Status0", L"B"));
  bar->SetBorderStyle(bbsNone);
  bar->SetWholeRow(true);
  bar->SetDockingStyle(dsBottom);
  bar->SetVisible(true);
  ProcessMessages();
  TdxBarControl* window = bar->Control();
  ASSERT_TRUE(bar->ActsAsStatusBar());
  ASSERT_TRUE(window->ShowsSizeGrip());
  EXPECT_EQ(window->Height(), window->ClientHeight() + 3);
  EXPECT_EQ(window->Width(), window->ClientWidth() + 10);
  const TRect grip = window->SizeGripRect();
  EXPECT_EQ(grip.right, window->Width());
  EXPECT_EQ(FramePixel(window, TPoint{window->Width() / 2, 1}), kTestStatusMargin);
  EXPECT_EQ(FramePixel(window, TPoint{grip.right - 2, grip.bottom - 2}), kTestSizeGrip);
}

TEST_F(ToolbarWindowTest, GroupsGetSeparatorsInsideARowAndBetweenWrappedRows) {
  TdxBar* bar = NewBar(L"Tools", 4, dsNone);
  bar->ItemLinks()->LinkAt(1)->SetBeginGroup(true);
  bar->ItemLinks()->LinkAt(2)->SetBeginGroup(true);
  TdxBarControl* window = bar->Control();
  const int w = bar->ItemLinks()->LinkAt(0)->ItemControl()->MeasureWidth();
  // Room for two buttons and a separator a row: a | b on the first row, c d on the second.
  bar->SetFloatClientWidth(2 * w + 6);
  bar->UpdateWindowPosition();
  window->Relayout();
  ProcessMessages();
  const TRect c = bar->ItemLinks()->LinkAt(2)->ItemRect();
  ASSERT_EQ(c.left, 0);
  ASSERT_GT(c.top, 0);
  std::vector<TdxBarSeparatorInfo> seps(window->ViewInfo()->SeparatorCount());
  for (size_t i = 0; i < seps.size(); ++i) window->ViewInfo()->GetSeparatorInfo(int(i), seps[i]);
  ASSERT_EQ(seps.size(), 2u);
  EXPECT_EQ(seps[0].Kind, 1);
  EXPECT_EQ(seps[1].Kind, 0);
  EXPECT_EQ(seps[1].Bounds, (TRect{0, c.top - 6, window->ClientWidth(), c.top}));
  DibSection client(window->ClientWidth(), window->ClientHeight());
  window->Perform(WM_PAINT, reinterpret_cast<WPARAM>(client.DC()), 0);
  EXPECT_EQ(client.Pixel(Centre(seps[0].Bounds).x, Centre(seps[0].Bounds).y), kTestItemSeparator);
  EXPECT_EQ(client.Pixel(window->ClientWidth() - 2, c.top - 3), kTestRowSeparator);
}

TEST_F(ToolbarWindowTest, OnlyTheLastLinkOfARestSpaceBarIsAligned) {
  TdxBar* bar = NewBar(L"Editing", 3);
  TdxBarItemLinks* links = bar->ItemLinks();
  for (int i = 0; i < 3; ++i) links->LinkAt(i)->Item()->SetAlign(iaRight);
  TdxBarControl* window = bar->Control();
  EXPECT_FALSE(window->AllowsItemAlign(links->LinkAt(2)->ItemControl())) << "UseRestSpace is off";
  bar->SetUseRestSpace(true);
  EXPECT_FALSE(window->AllowsItemAlign(links->LinkAt(1)->ItemControl()));
  EXPECT_TRUE(window->AllowsItemAlign(links->LinkAt(2)->ItemControl()));
  // Wider than its links: the last one goes to the far end, the others stay packed.
  window->SetBounds(window->Left(), window->Top(), window->Width() + 60, window->Height());
  window->Relayout();
  const int w = links->LinkAt(0)->ItemControl()->MeasureWidth();
  EXPECT_EQ(links->LinkAt(1)->ItemRect().left, w);
  EXPECT_EQ(links->LinkAt(2)->ItemRect().right, window->ClientWidth());
  // The item rectangle is stretched across its row.
  TRect r;
  window->ItemRectOf(links->LinkAt(0)->ItemControl(), r);
  EXPECT_EQ(r.Height(), links->LinkAt(0)->RowHeight);
}

TEST_F(ToolbarWindowTest, ADockedToolbarMovedAlongItsRowStaysThereWhereverItWasGrabbed) {
  NewBar(L"Editing", 2);
  TdxBar* shared = NewBar(L"Transport", 2, dsTop, 200);
  TdxBar* alone = NewBar(L"Zoom", 2, dsTop);
  alone->SetRow(1);
  ProcessMessages();
  TdxDockControl* top = Site(dsTop);
  ASSERT_EQ(top->RowCount(), 2);
  ASSERT_EQ(alone->Row(), 1);
  // Grabbed on the edge of its row (first row: top edge; own row: bottom edge), moved 30 to the right.
  struct Case {
    TdxBar* Bar;
    bool BottomEdge;
  };
  for (const Case& c : {Case{shared, false}, Case{alone, true}}) {
    const int row = c.Bar->Row();
    const TRect start = ScreenRect(c.Bar->Control());
    const int y = c.BottomEdge ? start.bottom - 1 : start.top;
    SetCursorPos(start.left + 4, y);
    Drag(c.Bar, [&](HWND Capture) {
      PostMove(Capture, start.left + 34, y);
      PostMessageW(Capture, WM_LBUTTONUP, 0, 0);
    });
    EXPECT_EQ(c.Bar->DockingStyle(), dsTop);
    EXPECT_EQ(top->RowCount(), 2) << c.Bar->Caption();
    EXPECT_EQ(c.Bar->Row(), row) << c.Bar->Caption();
    EXPECT_EQ(ScreenRect(c.Bar->Control()).top, start.top) << c.Bar->Caption();
  }
}

TEST_F(ToolbarWindowTest, SizingAFloatingToolbarSnapsToTheSizesItsLinksFill) {
  TdxBar* bar = NewBar(L"Tools", 8, dsNone);
  TdxBarControl* window = bar->Control();
  const int w = bar->ItemLinks()->LinkAt(0)->ItemControl()->MeasureWidth();
  const int h = bar->ItemLinks()->LinkAt(0)->ItemControl()->MeasureHeight();
  const int fw = window->FrameWidth(), fh = window->FrameHeight();
  ASSERT_LT(3 * w, 51);
  auto sizing = [&](int Edge, RECT R) {
    EXPECT_EQ(SendMessageW(window->Handle(), WM_SIZING, Edge, reinterpret_cast<LPARAM>(&R)), 1);
    return TRect(R);
  };
  // The right edge dragged to five and a half buttons: five a row, two rows.
  EXPECT_EQ(sizing(WMSZ_RIGHT, RECT{100, 100, 100 + fw + 5 * w + w / 2, 120}),
            (TRect{100, 100, 100 + fw + 5 * w, 100 + fh + 2 * h}));
  // The left edge keeps the right one.
  const TRect left = sizing(WMSZ_LEFT, RECT{100, 100, 400, 120});
  EXPECT_EQ(left.right, 400);
  EXPECT_EQ(left.Width(), fw + 8 * w);
  // The bottom edge dragged far down: as narrow as a floating toolbar gets (51, three buttons a
  // row), three rows.
  const TRect tall = sizing(WMSZ_BOTTOM, RECT{100, 100, 300, 100 + fh + 8 * h});
  EXPECT_EQ(tall.Width(), fw + 51);
  EXPECT_EQ(tall.Height(), fh + 3 * h);
  // A corner keeps the window's bounds; a window dragged above the screen comes back to -15.
  const TRect now = ScreenRect(window);
  EXPECT_EQ(sizing(WMSZ_BOTTOMRIGHT, RECT{0, 0, 10, 10}), now);
  EXPECT_EQ(sizing(WMSZ_BOTTOM, RECT{100, -100, 100 + fw + 5 * w, 0}).top, -15);
}

TEST_F(ToolbarWindowTest, RowExtentAndTheFlatCloseButton) {
  TdxBar* bar = NewBar(L"Editing", 2);
  TdxBarControl* window = bar->Control();
  const int h = bar->ItemLinks()->LinkAt(0)->ItemControl()->MeasureHeight();
  EXPECT_EQ(window->RowExtent(dsTop), h + 4);
  EXPECT_FALSE(window->AllowsFlatCloseButton()) << "docked";
  TdxBar* floating = NewBar(L"Zoom", 1, dsNone);
  manager->SetShowCloseButton(false);
  EXPECT_FALSE(floating->Control()->AllowsFlatCloseButton());
  manager->SetShowCloseButton(true);
  EXPECT_TRUE(floating->Control()->AllowsFlatCloseButton());
}

TEST_F(ToolbarWindowTest, WithRecentItemsASingleLineToolbarShowsTheLinksThatFit) {
  TdxBar* bar = NewBar(L"Editing", 4);
  TdxBarControl* window = bar->Control();
  TdxBarItemLinks* links = bar->ItemLinks();
  const int w = links->LinkAt(0)->ItemControl()->MeasureWidth();
  if (!links->UsesRecentItems()) manager->SetStyle(bmsFlat);
  ASSERT_TRUE(links->UsesRecentItems());
  // Two and a half buttons: two are shown.
  TSize size = window->SizeForWidth(dsTop, 2 * w + w / 2);
  EXPECT_EQ(links->ShownLimit(), 2);
  EXPECT_EQ(size.cx, 2 * w);
  EXPECT_EQ(window->OneRowWidth(dsTop), 4 * w) << "the one-row width counts every link";
  EXPECT_EQ(links->ShownLimit(), 2);
  // Room for all: no limit.
  size = window->SizeForWidth(dsTop, 10 * w);
  EXPECT_EQ(links->ShownLimit(), -1);
  EXPECT_EQ(size.cx, 4 * w);
  // Without recent items every link is measured, whatever the width.
  links->UseRecentItems = false;
  size = window->SizeForWidth(dsTop, w);
  EXPECT_EQ(links->ShownLimit(), -1);
  EXPECT_EQ(size.cx, 4 * w);
}

}  // namespace
