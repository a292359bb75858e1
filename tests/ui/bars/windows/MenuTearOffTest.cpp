// Tearing a detachable sub-item's menu off its toolbar: the hot strip, and the drag fed with posted
// mouse messages to the capture window (the toolbar the menu opened from).
#include <gtest/gtest.h>

#include <functional>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarHints.h"
#include "ui/bars/Bars.h"
#include "ui/bars/MenuTearOff.h"
#include "ui/bars/SubItems.h"

using namespace bar_testing;
using window_testing::ProcessMessages;

namespace {

// Ends a drag that would otherwise wait for input forever.
void CALLBACK ReleaseCaptureLater(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  ReleaseCapture();
}

class MenuTearOff : public BarWindowFixture {
 protected:
  void SetUp() override {
    BarWindowFixture::SetUp();
    form->SetBounds(100, 100, 640, 360);
    form->Show();
    ProcessMessages();
    tools = NewBar(L"Tools");
    sub = NewItem<TdxBarSubItem>(L"sub");
    sub->ItemLinks()->AddItemLink(NewItem(L"x"));
    sub->ItemLinks()->AddItemLink(NewItem(L"y"));
    sub->Detachable = true;
    sub->OnDetaching = [this](TObject*) { ++detachings; };
    tools->ItemLinks()->AddItemLink(sub);
    tools->SetVisible(true);
    floating = NewBar(L"Floating");
    floating->ItemLinks()->AddItemLink(NewItem(L"f"));
    floating->SetDockedLeft(300);
    floating->SetVisible(true);
    ProcessMessages();
    sub->SetDetachingBar(manager->Bars()->IndexOfBar(floating));
  }

  TdxBar* NewBar(const String& Caption) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(Caption);
    bar->SetDockingStyle(dsTop);
    return bar;
  }
  TdxBarSubItemControl* Opener() const {
    return dynamic_cast<TdxBarSubItemControl*>(tools->ItemLinks()->LinkAt(0)->ItemControl());
  }
  TdxBarSubMenuControl* Menu() const { return dynamic_cast<TdxBarSubMenuControl*>(sub->ItemLinks()->BarControl()); }
  TdxBarSubMenuControl* OpenMenu() {
    Opener()->DropDownMenu(false);
    TdxBarSubMenuControl* menu = Menu();
    if (menu) ProcessMessages();
    return menu;
  }
  // The middle of the strip as a client point of the menu (the strip lies above the client).
  static TPoint StripPoint(TdxBarSubMenuControl* Menu) {
    const TRect strip = Menu->DetachStripRect();
    const TPoint o = Menu->ClientOriginInWindow();
    return TPoint{(strip.left + strip.right) / 2 - o.x, (strip.top + strip.bottom) / 2 - o.y};
  }
  // Presses the hot strip with the messages Post already queued; the drag runs on them.
  void PressStrip(TdxBarSubMenuControl* Menu, const std::function<void(HWND Capture, TPoint Strip)>& Post) {
    const TPoint p = StripPoint(Menu);
    MoveTo(Menu, p.x, p.y);
    ASSERT_TRUE(Menu->TearOffHot);
    const HWND capture = tools->Control()->Handle();
    Post(capture, Menu->ClientToScreen(p));
    const UINT_PTR guard = SetTimer(nullptr, 0, 10000, &ReleaseCaptureLater);
    Press(Menu, p.x, p.y);
    KillTimer(nullptr, guard);
    ProcessMessages();
  }
  static void PostMove(HWND Capture, TPoint Screen) {
    POINT p{Screen.x, Screen.y};
    ScreenToClient(Capture, &p);
    PostMessageW(Capture, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  }

  TdxBar* tools = nullptr;
  TdxBar* floating = nullptr;
  TdxBarSubItem* sub = nullptr;
  int detachings = 0;
};

TEST_F(MenuTearOff, TheStripIsHotUnderThePointerWithTheMoveCursorAndTheHint) {
  TdxBarSubMenuControl* menu = OpenMenu();
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->ShowsDetachCaption());
  const TPoint strip = StripPoint(menu);
  ASSERT_LT(strip.y, 0);
  MoveTo(menu, strip.x, strip.y);
  EXPECT_TRUE(menu->TearOffHot);
  EXPECT_EQ(menu->Cursor(), crSizeAll);
  ASSERT_NE(BarHintWindow(), nullptr);
  EXPECT_TRUE(BarHintWindow()->HintShown());
  MoveTo(menu, strip.x, 4);
  EXPECT_FALSE(menu->TearOffHot);
  EXPECT_EQ(menu->Cursor(), crDefault);
  // A sub-item that cannot be detached shows no strip.
  sub->Detachable = false;
  EXPECT_FALSE(menu->ShowsDetachCaption());
}

struct DragCase {
  const char* Name;
  // Pointer offsets from the strip's middle, posted in order; then Escape or the release.
  std::vector<TPoint> Moves;
  enum { Release, Escape, None } End;
  bool MenuOpenAfter;
  bool BarFloatingAfter;
  bool BarDockedAfter;
};

TEST_F(MenuTearOff, TheDragFloatsTheToolbarPutsTheMenuBackOrCancels) {
  const int away = kTearOffZone + 60;
  const DragCase cases[] = {
      {"released far away", {{away, away}, {away + 40, away + 30}}, DragCase::Release, false, true, false},
      {"back into the zone", {{away, away}, {kTearOffZone - 2, 0}}, DragCase::None, true, false, false},
      {"escape inside the zone", {{kTearOffZone - 5, 2}}, DragCase::Escape, true, false, true},
      {"escape after tearing off", {{0, away}}, DragCase::Escape, true, false, false},
      {"released inside the zone", {{4, 4}}, DragCase::Release, true, false, true},
  };
  for (const DragCase& c : cases) {
    SCOPED_TRACE(c.Name);
    floating->SetDockingStyle(dsTop);
    floating->SetVisible(true);
    ProcessMessages();
    TdxBarSubMenuControl* menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    const int captionHeight = menu->Painter()->CaptionHeight();
    const int detachingsBefore = detachings;
    TPoint last{};
    PressStrip(menu, [&](HWND capture, TPoint strip) {
      for (const TPoint& d : c.Moves) {
        last = TPoint{strip.x + d.x, strip.y + d.y};
        PostMove(capture, last);
      }
      if (c.End == DragCase::Release) PostMessageW(capture, WM_LBUTTONUP, 0, 0);
      if (c.End == DragCase::Escape) PostMessageW(capture, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(detachings, detachingsBefore + 1);
    EXPECT_NE(GetCapture(), tools->Control()->Handle());
    TdxBarSubMenuControl* after = Menu();
    EXPECT_EQ(after != nullptr && after->HandleAllocated() && IsWindowVisible(after->Handle()), c.MenuOpenAfter);
    EXPECT_EQ(floating->Visible() && floating->DockingStyle() == dsNone, c.BarFloatingAfter);
    EXPECT_EQ(floating->Visible() && floating->DockingStyle() == dsTop, c.BarDockedAfter);
    if (c.BarFloatingAfter) {
      // Centred on the last pointer position, its caption's middle under it.
      RECT r{};
      GetWindowRect(floating->Control()->Handle(), &r);
      EXPECT_EQ((r.left + r.right) / 2, last.x) << r.left << " " << r.right;
      EXPECT_EQ(r.top, last.y - captionHeight / 2);
    }
    if (after) Opener()->CloseUp(true);
    ProcessMessages();
  }
}

TEST_F(MenuTearOff, AMenuWhoseDetachingToolbarIsItsOwnStartsNoDrag) {
  sub->SetDetachingBar(manager->Bars()->IndexOfBar(tools));
  TdxBarSubMenuControl* menu = OpenMenu();
  ASSERT_NE(menu, nullptr);
  PressStrip(menu, [](HWND, TPoint) {});
  EXPECT_EQ(detachings, 1);
  EXPECT_EQ(Menu(), menu);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(tools->DockingStyle(), dsTop);
  EXPECT_TRUE(tools->Visible());
}

}  // namespace
