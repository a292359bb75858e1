// The bar library's thread hooks on a shown form: the keyboard rules (menu keys, dragging, consumed
// keys, shortcuts and accelerators across managers), the mouse rules (closing menus, the wheel), the
// owner's messages (minimize and restore, the layout at destruction), hook lifetime, and a few
// end-to-end runs with injected input.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/rtl/Seams.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/Bars.h"
#include "ui/bars/customize/DesignController.h"

using namespace bar_testing;
using window_testing::HeldKeys;
using window_testing::ProcessMessages;

namespace {

constexpr LPARAM kUp = LPARAM(0xC0000000);
constexpr LPARAM kAltFlag = LPARAM(1) << 29;

int g_sunk = 0;
void CountingSink(const std::exception_ptr&) { ++g_sunk; }

// A test hook that sits after the bar hooks in the chain and counts what reaches it.
int g_nextKeyboard = 0, g_nextMouse = 0;
HHOOK g_testKeyboard = nullptr, g_testMouse = nullptr;
LRESULT CALLBACK CountKeyboard(int Code, WPARAM w, LPARAM l) {
  if (Code >= 0) ++g_nextKeyboard;
  return CallNextHookEx(g_testKeyboard, Code, w, l);
}
LRESULT CALLBACK CountMouse(int Code, WPARAM w, LPARAM l) {
  if (Code >= 0) ++g_nextMouse;
  return CallNextHookEx(g_testMouse, Code, w, l);
}

// A menu-kind window whose reaction to an outside press raises.
class TRaisingBarControl : public TTestBarControl {
 public:
  using TTestBarControl::TTestBarControl;
  void MouseDownOutside(const TPoint&) override { throw Exception(L"outside press failed"); }
};

class BarHooksTest : public BarWindowFixture {
 protected:
  void SetUp() override {
    BarWindowFixture::SetUp();
    form->SetBounds(100, 100, 640, 360);
    form->Show();
    ProcessMessages();
    menuBar = NewBar(L"Menu", {L"&File", L"&Edit"}, dsTop, nullptr, nullptr, true);
    SetForegroundWindow(form->Handle());
    SetFocus(form->Handle());
    ProcessMessages();
    BarHookFlags() = TdxBarHookFlags{};
  }
  void TearDown() override {
    if (BarNavigationController()) BarNavigationController()->StopKeyboardHandling();
    CloseActiveBarMenus();
    BarHookFlags() = TdxBarHookFlags{};
    BarWindowFixture::TearDown();
  }

  TdxBar* NewBar(const String& Caption, std::initializer_list<const wchar_t*> Captions, TdxBarDockingStyle Style,
                 TdxBarManager* Manager = nullptr, TComponent* Owner = nullptr, bool MainMenu = false) {
    if (!Manager) Manager = manager;
    TdxBar* bar = Manager->Bars()->Add();
    bar->SetCaption(Caption);
    for (const wchar_t* c : Captions) {
      auto* item = new TdxBarButton(Owner ? Owner : form);
      item->SetCaption(c);
      item->SetPaintStyle(psCaption);
      bar->ItemLinks()->AddItemLink(item);
    }
    if (MainMenu) bar->SetIsMainMenu(true);
    bar->SetDockingStyle(Style);
    bar->SetFloatLeft(400);
    bar->SetFloatTop(300);
    bar->SetVisible(true);
    ProcessMessages();
    return bar;
  }
  TdxBarButton* ButtonOf(TdxBar* Bar, int Index) {
    return static_cast<TdxBarButton*>(Bar->ItemLinks()->LinkAt(Index)->Item());
  }
  // Counts the clicks of a button.
  void CountClicks(TdxBarButton* Button, int* Counter) {
    counters[Button] = Counter;
    Button->OnClick = TNotifyEvent(this, &BarHooksTest::Clicked);
  }
  void Clicked(TObject* Sender) { ++*counters[static_cast<TdxBarButton*>(Sender)]; }

  // A shown menu-kind window with two entries, active with its first entry selected.
  TTestBarControl* OpenMenu(TTestBarControl* Window = nullptr) {
    TTestBarControl* w = Window ? Window : NewWindow(2, pkMenu);
    for (int i = 0; i < 2; ++i) w->ItemLinks()->AddItemLink(NewItem(L"Entry" + std::to_wstring(i) + std::to_wstring(windows.size())));
    w->Transient = true;
    w->ShowAt(150, 200, 120, 60);
    w->Relayout();
    w->SelectAndActivate(w->ItemLinks()->LinkAt(0)->ItemControl());
    ProcessMessages();
    return w;
  }

  TdxBar* menuBar = nullptr;
  std::map<TdxBarButton*, int*> counters;
};

// ---- the keyboard procedure ---------------------------------------------------------------------

TEST_F(BarHooksTest, TheKeyboardRulesDecideByCodeDraggingAndConsumedKeys) {
  struct Case {
    const char* name;
    int code;
    bool dragging;
    bool consumed;
    WPARAM key;
    LPARAM flags;
    LRESULT expected;
  } cases[] = {
      {"negative code while dragging passes", -1, true, false, 'A', 0, 0},
      {"no-remove code passes", HC_NOREMOVE, false, false, 'A', 0, 0},
      {"any key while dragging is swallowed", HC_ACTION, true, false, 'A', 0, 1},
      {"key-up while dragging is swallowed", HC_ACTION, true, false, VK_RETURN, kUp, 1},
      {"the IME's key passes", HC_ACTION, false, false, VK_PROCESSKEY, 0, 0},
      {"a consumed key's key-up is swallowed", HC_ACTION, false, true, 'Q', kUp, 1},
      {"another key passes", HC_ACTION, false, false, 'Q', kUp, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BarHookFlags() = TdxBarHookFlags{};
    BarHookFlags().ToolbarDragging = c.dragging;
    BarHookFlags().KeyConsumed = c.consumed;
    BarHookFlags().ConsumedKey = 'Q';
    EXPECT_EQ(BarKeyboardHookStep(c.code, c.key, c.flags), c.expected);
    if (c.consumed) {
      EXPECT_FALSE(BarHookFlags().KeyConsumed);
    }
  }
}

TEST_F(BarHooksTest, AltAloneEntersNavigationOnKeyUpAndAltWithCtrlDoesNot) {
  {
    HeldKeys ctrl({VK_CONTROL});
    EXPECT_EQ(BarKeyboardHookStep(HC_ACTION, VK_MENU, 0), 0);
    EXPECT_EQ(BarKeyboardHookStep(HC_ACTION, VK_MENU, kUp), 0);
    EXPECT_EQ(ActiveBarControl(), nullptr);
  }
  EXPECT_EQ(BarKeyboardHookStep(HC_ACTION, VK_MENU, kAltFlag), 0);
  EXPECT_TRUE(BarHookFlags().MenuKeyPressed);
  EXPECT_EQ(BarKeyboardHookStep(HC_ACTION, VK_MENU, kUp), 1);
  TdxBarControl* window = menuBar->Control();
  ASSERT_EQ(ActiveBarControl(), window);
  EXPECT_EQ(window->SelectedLink(), menuBar->ItemLinks()->LinkAt(0));
  EXPECT_TRUE(BarNavigationController()->NavigationMode());
}

TEST_F(BarHooksTest, F10FollowsUseF10ForMenuAndADirectCallReportsTheSwallowedKey) {
  manager->UseF10ForMenu = false;
  EXPECT_EQ(BarKeyboardDirectCall(VK_F10, 0), 0);
  EXPECT_EQ(BarKeyboardDirectCall(VK_F10, kUp), 0);
  EXPECT_EQ(ActiveBarControl(), nullptr);
  manager->UseF10ForMenu = true;
  EXPECT_EQ(BarKeyboardDirectCall(VK_F10, 0), 0);
  EXPECT_EQ(BarKeyboardDirectCall(VK_F10, kUp), 1);
  EXPECT_EQ(ActiveBarControl(), menuBar->Control());
  EXPECT_FALSE(BarHookFlags().DirectCall);
}

TEST_F(BarHooksTest, KeysGoToTheActiveBarWindowAndTheirKeyUpIsSwallowed) {
  TTestBarControl* menu = OpenMenu();
  ASSERT_EQ(ActiveBarControl(), menu);
  EXPECT_EQ(BarKeyboardHookStep(HC_ACTION, VK_DOWN, 0), 1);
  EXPECT_EQ(menu->SelectedLink(), menu->ItemLinks()->LinkAt(1));
  EXPECT_EQ(BarKeyboardHookStep(HC_ACTION, VK_DOWN, kUp), 1);
}

TEST_F(BarHooksTest, ShortcutsAndAcceleratorsFollowTheManagersOrder) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 200, 300, 100);
  auto* inner = new TdxBarManager(panel);
  TdxBar* innerBar = NewBar(L"Inner", {L"&Open", L"Save"}, dsNone, inner, panel, true);
  ProcessMessages();
  int outerClicks = 0, innerClicks = 0, acceleratorClicks = 0;
  TdxBarButton* outerSave = ButtonOf(menuBar, 1);
  TdxBarButton* innerSave = ButtonOf(innerBar, 1);
  outerSave->SetShortCut(scCtrl + 'K');
  innerSave->SetShortCut(scCtrl + 'K');
  CountClicks(outerSave, &outerClicks);
  CountClicks(innerSave, &innerClicks);
  CountClicks(ButtonOf(menuBar, 0), &acceleratorClicks);
  {
    HeldKeys ctrl({VK_CONTROL});
    EXPECT_TRUE(ProcessBarShortCut(inner, 'K', 0));
    EXPECT_EQ(innerClicks, 1);
    EXPECT_EQ(outerClicks, 0);
    EXPECT_TRUE(ProcessBarShortCut(manager, 'K', 0));
    EXPECT_EQ(outerClicks, 1);
    EXPECT_EQ(innerClicks, 1);
    EXPECT_FALSE(ProcessBarShortCut(manager, 'J', 0));
  }
  // Alt+F: no shortcut; the main menu's accelerator clicks File.
  EXPECT_TRUE(ProcessBarShortCut(inner, 'F', kAltFlag));
  EXPECT_EQ(acceleratorClicks, 1);
  EXPECT_FALSE(ProcessBarShortCut(manager, 'F', 0));
  EXPECT_EQ(NextManager(manager, true), inner);
  EXPECT_EQ(NextManager(inner, false), manager);
  ButtonOf(menuBar, 0)->OnClick = nullptr;
  outerSave->OnClick = nullptr;
  innerSave->OnClick = nullptr;
}

// ---- the mouse procedure ------------------------------------------------------------------------

MOUSEHOOKSTRUCT RecordAt(HWND Window, POINT Screen) {
  MOUSEHOOKSTRUCT r{};
  r.hwnd = Window;
  r.pt = Screen;
  r.wHitTestCode = HTCLIENT;
  return r;
}

TEST_F(BarHooksTest, APressOutsideClosesTheMenusAndThePressInsideKeepsThem) {
  TTestBarControl* menu = OpenMenu();
  const TPoint inside = menu->ClientToScreen(TPoint{5, 5});
  MOUSEHOOKSTRUCT r = RecordAt(menu->Handle(), POINT{inside.x, inside.y});
  EXPECT_EQ(BarMouseHookStep(HC_ACTION, WM_LBUTTONDOWN, r), 0);
  EXPECT_EQ(ActiveBarControl(), menu);
  // The wheel over a plain active window is swallowed (mode 0); without one it passes.
  EXPECT_EQ(ActiveBarControlWheelMode(), 0);
  EXPECT_EQ(BarMouseHookStep(HC_ACTION, WM_MOUSEWHEEL, r), 1);
  r = RecordAt(form->Handle(), POINT{120, 130});
  BarMouseHookStep(HC_ACTION, WM_LBUTTONDOWN, r);
  EXPECT_EQ(ActiveBarControl(), nullptr);
  EXPECT_EQ(ActiveBarControlWheelMode(), 3);
  EXPECT_EQ(BarMouseHookStep(HC_ACTION, WM_MOUSEWHEEL, r), 0);
}

TEST_F(BarHooksTest, ARaisingHookBodyStillCallsTheNextHook) {
  // The test hooks go in first, so the bar hooks (installed again after them) run before them.
  RemoveBarHooks();
  g_testKeyboard = SetWindowsHookExW(WH_KEYBOARD, &CountKeyboard, nullptr, GetCurrentThreadId());
  g_testMouse = SetWindowsHookExW(WH_MOUSE, &CountMouse, nullptr, GetCurrentThreadId());
  InstallBarHooks();
  g_sunk = g_nextKeyboard = g_nextMouse = 0;
  const ExceptionSink saved = SetExceptionSink(&CountingSink);

  auto* menu = new TRaisingBarControl(manager, 2);
  menu->AssignItemLinks(NewOwner(pkMenu)->Links());
  windows.push_back(menu);
  OpenMenu(menu);
  window_testing::InjectClick(POINT{400, 330});
  EXPECT_GE(g_sunk, 1);
  EXPECT_GE(g_nextMouse, 1);

  g_sunk = 0;
  CloseActiveBarMenus();
  {
    // The key state the keyboard work reads raises.
    struct Raising {
      static SHORT WINAPI State(int) { throw Exception(L"key state failed"); }
    };
    auto savedState = Bound().GetKeyState;
    Bound().GetKeyState = &Raising::State;
    const int before = g_nextKeyboard;
    EXPECT_EQ(BarKeyboardHookProc(HC_ACTION, VK_F10, 0), 0);  // the raise does not leave the procedure
    Bound().GetKeyState = savedState;
    window_testing::InjectKey('Q');
    EXPECT_GT(g_nextKeyboard, before);
  }
  EXPECT_GE(g_sunk, 1);
  SetExceptionSink(saved);
  UnhookWindowsHookEx(g_testKeyboard);
  UnhookWindowsHookEx(g_testMouse);
}

// ---- owner messages and hook lifetime -------------------------------------------------------------

TEST_F(BarHooksTest, MinimizingTheOwnerHidesItsFloatingToolbarsAndRestoringShowsThem) {
  TdxBar* floating = NewBar(L"Floating", {L"One"}, dsNone);
  HWND window = floating->Control()->Handle();
  ASSERT_TRUE(IsWindowVisible(window));
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ProcessMessages();
  EXPECT_FALSE(IsWindowVisible(window));
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  ProcessMessages();
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(floating->Visible());
}

TEST_F(BarHooksTest, TheLayoutIsStoredWhenTheOwnerIsDestroyedNotWhenItsWindowIsRecreated) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / L"bar-hooks-layout.ini";
  std::filesystem::remove(file);
  manager->IniFileName = file.wstring();
  manager->StoreInIniFile = true;
  form->RecreateWnd();
  ProcessMessages();
  EXPECT_FALSE(std::filesystem::exists(file));
  FreeAndNil(form);
  EXPECT_TRUE(std::filesystem::exists(file));
  std::filesystem::remove(file);
  windows.clear();
  form = new TForm(nullptr, 0);  // the fixture's teardown frees a form
}

TEST_F(BarHooksTest, TheHooksExistWithTheFirstManagerAndGoWithTheLast) {
  for (int kind = 0; kind < 3; ++kind) EXPECT_NE(BarHookHandle(kind), nullptr);
  auto* second = new TForm(nullptr, 0);
  auto* other = new TdxBarManager(second);
  (void)other;
  FreeAndNil(form);
  windows.clear();
  for (int kind = 0; kind < 3; ++kind) EXPECT_NE(BarHookHandle(kind), nullptr);
  FreeAndNil(second);
  for (int kind = 0; kind < 3; ++kind) EXPECT_EQ(BarHookHandle(kind), nullptr);
  form = new TForm(nullptr, 0);
}

// ---- injected input ---------------------------------------------------------------------------------

TEST_F(BarHooksTest, InjectedAltSelectsTheMainMenusFirstItemAndAClickOutsideClosesAMenu) {
  window_testing::InjectKey(VK_MENU);
  ASSERT_EQ(ActiveBarControl(), menuBar->Control());
  EXPECT_EQ(menuBar->Control()->SelectedLink(), menuBar->ItemLinks()->LinkAt(0));
  window_testing::InjectKey(VK_ESCAPE);
  CloseActiveBarMenus();

  TTestBarControl* menu = OpenMenu();
  ASSERT_EQ(ActiveBarControl(), menu);
  window_testing::InjectClick(POINT{400, 330});
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

// ---- customizing steps of the mouse procedure -------------------------------------------------------

TEST_F(BarHooksTest, WhileCustomizingAClickInsideAChildOwnerCountsAsOnItsFrame) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 200, 300, 100);
  auto* inner = new TPanel(form);
  inner->SetParent(panel);
  inner->SetBounds(10, 10, 100, 50);
  auto* owned = new TdxBarManager(panel);
  ProcessMessages();
  const TPoint onInner = inner->ClientToScreen(TPoint{20, 20});
  const TPoint outside = form->ClientToScreen(TPoint{500, 20});
  EXPECT_EQ(CustomizingChildOwnerUnder(form->Handle(), onInner), nullptr);  // nobody customizes
  owned->SetCustomizingMode(true);
  struct Case {
    const char* name;
    HWND from;
    TPoint at;
    HWND expected;
  } cases[] = {
      {"from the form down to the inner panel", form->Handle(), onInner, panel->Handle()},
      {"from the inner panel itself: not its owner", inner->Handle(), onInner, nullptr},
      {"elsewhere on the form", form->Handle(), outside, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CustomizingChildOwnerUnder(c.from, c.at), c.expected);
  }
  // The hook record becomes a non-client message on the owner with the error hit code.
  MOUSEHOOKSTRUCT record{};
  record.hwnd = form->Handle();
  record.pt = onInner;
  record.wHitTestCode = HTCLIENT;
  BarMouseHookStep(HC_ACTION, WM_MOUSEMOVE, record);
  EXPECT_EQ(record.hwnd, panel->Handle());
  EXPECT_EQ(record.wHitTestCode, UINT(HTERROR));
  owned->SetCustomizingMode(false);
  owned->Free();
}

TEST_F(BarHooksTest, APressOutsideTheQuickCustomizationBarClosesItThroughItsToolbarsMark) {
  TTestBarControl* toolbar = NewWindow(0);
  toolbar->ShowAt(150, 150, 120, 30);
  TTestBarControl* bar = NewWindow(2, pkMenu);
  bar->ItemLinks()->AddItemLink(NewItem(L"Check"));
  bar->ShowAt(150, 190, 120, 40);
  bar->SetParentBar(toolbar);
  TdxBarDesignController* controller = DesignControllerInstance();
  controller->SetQuickCustomizationBar(bar);
  // A press inside it keeps it.
  CloseQuickCustomizationBarOnPress(bar->Handle(), WM_LBUTTONDOWN);
  EXPECT_EQ(controller->QuickCustomizationBar(), bar);
  EXPECT_EQ(toolbar->MarkStateSet, -1);
  // A press on the form closes it: the toolbar's mark state goes to 0.
  MOUSEHOOKSTRUCT record{};
  record.hwnd = form->Handle();
  record.pt = form->ClientToScreen(TPoint{20, 20});
  BarMouseHookStep(HC_ACTION, WM_LBUTTONDOWN, record);
  EXPECT_EQ(toolbar->MarkStateSet, 0);
  EXPECT_EQ(controller->QuickCustomizationBar(), nullptr);
}

}  // namespace

