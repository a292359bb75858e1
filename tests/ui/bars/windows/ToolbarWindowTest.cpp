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

}  // namespace
