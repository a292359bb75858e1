// Edit and combo controls in real bar windows: the in-place editor's life, what Enter, Escape and a
// lost focus store, long texts, the right button, combo browsing by keys and wheel, the drop-down
// list's opening, closing and choosing, its size, buffered painting, the customizing resize and
// opening an editor from the item.

#include <gtest/gtest.h>

#include "platform/framework/rtl/SysUtils.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarEditControls.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"

using namespace bar_testing;
using window_testing::ProcessMessages;

namespace {

// Hardware-like mouse input (the list's drag gesture needs the real button state).
void InjectMouse(const TPoint& Screen, DWORD Flags) {
  const int width = GetSystemMetrics(SM_CXSCREEN) - 1, height = GetSystemMetrics(SM_CYSCREEN) - 1;
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(Screen.x, 65535, width);
  input.mi.dy = MulDiv(Screen.y, 65535, height);
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | Flags;
  SendInput(1, &input, sizeof(INPUT));
  ProcessMessages();
}

template <class Condition>
bool WaitUntil(Condition Done) {
  const DWORD start = GetTickCount();
  while (!Done()) {
    if (GetTickCount() - start > 10000) return false;
    ProcessMessages();
    Sleep(10);
  }
  return true;
}

// A bar window that asks its editors for buffered painting.
class TBufferedBarControl : public TTestBarControl {
  DECLARE_CLASS(TBufferedBarControl, TTestBarControl)
 public:
  using TTestBarControl::TTestBarControl;
  bool ItemNeedsGlassBuffer(TdxBarItemControl*) const override { return true; }
};
DEFINE_CLASS(TBufferedBarControl)

class EditControlTest : public BarWindowFixture {
 protected:
  void TearDown() override {
    if (other_) DestroyWindow(other_);
    BarWindowFixture::TearDown();
  }
  TTestBarControl* Show(int Kind, std::initializer_list<TdxBarItem*> Items) {
    TTestBarControl* window = NewWindow(Kind, Kind == 2 ? pkMenu : pkToolbar);
    for (TdxBarItem* item : Items) window->ItemLinks()->AddItemLink(item);
    if (Kind == 2)
      window->ShowAt(200, 200, 260, 200);
    else
      window->ShowAt(200, 200, 400, 40);
    return window;
  }
  template <class T = TdxBarEditControl>
  static T* ControlAt(TCustomdxBarControl* Window, int Index) {
    return dynamic_cast<T*>(Window->ItemLinks()->LinkAt(Index)->ItemControl());
  }
  // As the click road does it: the window becomes active and selects the control, which is clicked.
  static HWND OpenEditor(TCustomdxBarControl* Window, TdxBarWinControl* Control) {
    Window->RequestActive(true);
    Window->SetSelected(Control);
    Control->ControlClick(false, 0);
    return Control->EditorWindow();
  }
  static void Key(HWND Editor, Word Key, LPARAM Flags = 1) { SendMessageW(Editor, WM_KEYDOWN, Key, Flags); }
  static void Type(HWND Editor, const wchar_t* Text) {
    for (const wchar_t* c = Text; *c; ++c) SendMessageW(Editor, WM_CHAR, *c, 1);
  }
  static String TextOf(HWND Editor) {
    wchar_t buffer[64] = {};
    GetWindowTextW(Editor, buffer, 64);
    return buffer;
  }
  // A top-level window that can take the focus away from an editor.
  HWND OtherWindow() {
    if (!other_)
      other_ = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 10, 10, 60, 20, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    return other_;
  }
  TdxBarCombo* NewCombo(std::initializer_list<const wchar_t*> Strings) {
    auto* combo = NewItem<TdxBarCombo>(L"Combo");
    for (const wchar_t* s : Strings) combo->Items()->Add(s);
    return combo;
  }

 private:
  HWND other_ = nullptr;
};

TEST_F(EditControlTest, TypingThenEnterStoresTheTextAndClosesTheWindow) {
  for (int kind : {0, 2}) {
    SCOPED_TRACE(kind == 2 ? "menu" : "toolbar");
    auto* edit = NewItem<TdxBarEdit>(kind == 2 ? L"MenuFind" : L"Find");
    int changes = 0, current = 0;
    edit->OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    edit->OnCurChange = TNotifyEvent([&](TObject*) { ++current; });
    edit->SetText(L"old");
    changes = 0;
    TTestBarControl* window = Show(kind, {edit});
    TdxBarEditControl* control = ControlAt(window, 0);
    ASSERT_NE(control, nullptr);
    HWND editor = OpenEditor(window, control);
    ASSERT_TRUE(editor);
    EXPECT_TRUE(control->Focused());
    EXPECT_TRUE(control->IsEditing());
    EXPECT_TRUE(IsWindowVisible(editor));
    EXPECT_EQ(GetFocus(), editor);
    EXPECT_EQ(TextOf(editor), L"old");
    EXPECT_EQ(current, 0);  // loading the text is no change of the user's
    // The whole text is selected: typing replaces it.
    Type(editor, L"ab");
    EXPECT_EQ(TextOf(editor), L"ab");
    EXPECT_EQ(current, 2);
    EXPECT_EQ(edit->Text(), L"old");
    EXPECT_EQ(edit->DisplayedText(), L"ab");
    Key(editor, VK_RETURN);
    EXPECT_EQ(edit->Text(), L"ab");
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(control->Focused());
    EXPECT_FALSE(IsWindowVisible(editor));
    EXPECT_FALSE(window->IsActive());
    EXPECT_EQ(ActiveBarControl(), nullptr);
  }
}

TEST_F(EditControlTest, EscapeAndALostFocusStoreOnlyWithAlwaysSaveText) {
  struct Case {
    const char* What;
    bool AlwaysSave;
    bool Escape;  // else the focus moves to another window
    const wchar_t* Stored;
  };
  const Case cases[] = {
      {"escape, always save", true, true, L"old"},
      {"escape", false, true, L"old"},
      {"focus lost, always save", true, false, L"new"},
      {"focus lost", false, false, L"old"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    manager->AlwaysSaveText = c.AlwaysSave;
    auto* edit = NewItem<TdxBarEdit>(L"Edit");
    edit->SetText(L"old");
    TTestBarControl* window = Show(0, {edit});
    TdxBarEditControl* control = ControlAt(window, 0);
    HWND editor = OpenEditor(window, control);
    Type(editor, L"new");
    if (c.Escape)
      Key(editor, VK_ESCAPE);
    else
      SetFocus(OtherWindow());
    EXPECT_EQ(edit->Text(), c.Stored);
    EXPECT_FALSE(control->Focused());
    EXPECT_FALSE(IsWindowVisible(editor));
    if (!c.Escape) {
      EXPECT_EQ(GetFocus(), OtherWindow());  // the focus stays where it went
    }
    edit->Free();
  }
}

TEST_F(EditControlTest, TextLengthFollowsMaxLength) {
  struct Case {
    int MaxLength;
    size_t Inserted, Stored;
  };
  for (const Case& c : {Case{0, 1000, 1000}, Case{5, 8, 5}}) {
    SCOPED_TRACE(c.MaxLength);
    auto* edit = NewItem<TdxBarEdit>(L"Long");
    edit->SetMaxLength(c.MaxLength);
    TTestBarControl* window = Show(0, {edit});
    HWND editor = OpenEditor(window, ControlAt(window, 0));
    const String text(c.Inserted, L'x');
    SendMessageW(editor, EM_REPLACESEL, FALSE, LPARAM(text.c_str()));
    Key(editor, VK_RETURN);
    EXPECT_EQ(edit->Text().size(), c.Stored);
    edit->Free();
  }
}

TEST_F(EditControlTest, RightPressReachesTheBarWindowInItsCoordinates) {
  auto* edit = NewItem<TdxBarEdit>(L"Edit");
  TTestBarControl* window = Show(0, {edit});
  TdxBarEditControl* control = ControlAt(window, 0);
  HWND editor = OpenEditor(window, control);
  std::vector<TPoint> presses;
  const TWindowProcHook hook([&](TMessage& Message, TWindowProcChain& Next) {
    if (Message.Msg == WM_RBUTTONDOWN) presses.push_back(TPoint{Message.XPos(), Message.YPos()});
    Next(Message);
  });
  window->InstallWindowProcHook(hook);
  SendMessageW(editor, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 4));
  window->RemoveWindowProcHook(hook);
  ASSERT_EQ(presses.size(), 1u);
  const TRect e = control->EditorRect();
  EXPECT_EQ(presses[0], (TPoint{e.left + 3, e.top + 4}));
}

TEST_F(EditControlTest, TypedLettersFindTheEntryByPrefix) {
  TdxBarCombo* combo = NewCombo({L"Apple", L"abacus", L"abd"});
  TTestBarControl* window = Show(0, {combo});
  auto* control = ControlAt<TdxBarComboControl>(window, 0);
  HWND editor = OpenEditor(window, control);
  Type(editor, L"a");
  EXPECT_EQ(control->LocalItemIndex(), 0);
  Type(editor, L"b");
  EXPECT_EQ(control->LocalItemIndex(), 1);
  EXPECT_EQ(TextOf(editor), L"ab");  // the typed text stays
  EXPECT_EQ(combo->CurrentItemIndex(), 1);
  EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(EditControlTest, KeysAndWheelBrowseAClosedCombo) {
  TdxBarCombo* combo = NewCombo({L"One", L"Two", L"Three"});
  combo->SetItemIndex(0);
  TTestBarControl* window = Show(0, {combo});
  auto* control = ControlAt<TdxBarComboControl>(window, 0);
  HWND editor = OpenEditor(window, control);
  struct Step {
    const char* What;
    UINT Msg;
    WPARAM WParam;
    int Index;
  };
  const Step steps[] = {
      {"wheel down", WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 1},
      {"wheel down", WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 2},
      {"wheel down at the last", WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 2},
      {"wheel up", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 1},
      {"up", WM_KEYDOWN, VK_UP, 0},
      {"up at the first", WM_KEYDOWN, VK_UP, 0},
      {"down", WM_KEYDOWN, VK_DOWN, 1},
  };
  for (const Step& s : steps) {
    SendMessageW(editor, s.Msg, s.WParam, s.Msg == WM_KEYDOWN ? 1 : 0);
    EXPECT_EQ(control->LocalItemIndex(), s.Index) << s.What;
    EXPECT_EQ(TextOf(editor), combo->Items()->Strings(s.Index)) << s.What;
  }
  EXPECT_FALSE(control->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 0);  // browsing is not choosing
  Key(editor, VK_RETURN);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), L"Two");
}

TEST_F(EditControlTest, AltArrowsAndF4OpenAndCloseTheList) {
  TdxBarCombo* combo = NewCombo({L"One", L"Two"});
  TTestBarControl* window = Show(0, {combo});
  auto* control = ControlAt<TdxBarComboControl>(window, 0);
  HWND editor = OpenEditor(window, control);
  const LPARAM alt = 0x20000001;
  struct Step {
    const char* What;
    UINT Msg;
    Word Key;
    LPARAM Flags;
    bool Open;
  };
  const Step steps[] = {
      {"alt+down", WM_SYSKEYDOWN, VK_DOWN, alt, true},  {"alt+up", WM_SYSKEYDOWN, VK_UP, alt, false},
      {"f4", WM_KEYDOWN, VK_F4, 1, true},               {"f4 again", WM_KEYDOWN, VK_F4, 1, false},
      {"alt+down again", WM_SYSKEYDOWN, VK_DOWN, alt, true},
  };
  for (const Step& s : steps) {
    SendMessageW(editor, s.Msg, s.Key, s.Flags);
    EXPECT_EQ(control->DroppedDown(), s.Open) << s.What;
    HWND list = combo->ListBox()->HandleAllocated() ? combo->ListBox()->Handle() : nullptr;
    EXPECT_EQ(list && IsWindowVisible(list), s.Open) << s.What;
    EXPECT_EQ(combo->IsDroppedDownNow(), s.Open) << s.What;
  }
  // An open list takes the arrows, and the editor shows the entry it selects; Escape closes both.
  Key(editor, VK_DOWN);
  const int selected = combo->ListBox()->ItemIndex();
  EXPECT_GE(selected, 0);
  EXPECT_EQ(control->LocalItemIndex(), selected);
  EXPECT_EQ(TextOf(editor), combo->Items()->Strings(std::max(selected, 0)));
  HWND list = combo->ListBox()->Handle();
  Key(editor, VK_ESCAPE);
  EXPECT_FALSE(control->DroppedDown());
  EXPECT_FALSE(IsWindow(list) && IsWindowVisible(list));
}

TEST_F(EditControlTest, PressOnTheButtonOfAnOpenListClosesItOnRelease) {
  TdxBarCombo* combo = NewCombo({L"One", L"Two"});
  TTestBarControl* window = Show(0, {combo});
  auto* control = ControlAt<TdxBarComboControl>(window, 0);
  ASSERT_GE(control->PartBounds().size(), 4u);
  const TRect button = control->PartBounds()[3];
  const TPoint p{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  // The first press opens the list (the button was not held for a drag: nothing captured).
  MoveTo(window, p.x, p.y);
  Press(window, p.x, p.y);
  EXPECT_TRUE(control->DroppedDown());
  Release(window, p.x, p.y);
  EXPECT_TRUE(control->DroppedDown());
  Press(window, p.x, p.y);
  EXPECT_TRUE(control->DroppedDown());
  Release(window, p.x, p.y);
  EXPECT_FALSE(control->DroppedDown());
  EXPECT_FALSE(combo->ListBox()->HandleAllocated() && IsWindowVisible(combo->ListBox()->Handle()));
}

TEST_F(EditControlTest, ManyStringsShowEightRowsAndAScrollBar) {
  TdxBarCombo* combo = NewItem<TdxBarCombo>(L"Combo");
  for (int i = 0; i < 20; ++i) combo->Items()->Add(L"Entry " + IntToStr(i));
  TTestBarControl* window = Show(0, {combo});
  auto* control = ControlAt<TdxBarComboControl>(window, 0);
  HWND editor = OpenEditor(window, control);
  Key(editor, VK_F4);
  ASSERT_TRUE(control->DroppedDown());
  HWND list = combo->ListBox()->Handle();
  RECT client{}, outer{};
  GetClientRect(list, &client);
  GetWindowRect(list, &outer);
  const int row = combo->ListItemHeight(0);
  ASSERT_GT(row, 0);
  EXPECT_EQ(client.bottom / row, 8);
  EXPECT_EQ(client.bottom % row, 0);
  const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
  TRect edit;
  control->EditRect(edit);
  // The entries are narrower than the edit area: the list is as wide as it, the scroll bar inside.
  EXPECT_EQ(outer.right - outer.left, edit.Width());
  EXPECT_EQ((outer.right - outer.left) - client.right, 2 * 2 + scrollBar);
  EXPECT_TRUE(GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(EditControlTest, PressOnTheButtonDragIntoTheListReleaseChoosesTheEntry) {
  TdxBarCombo* combo = NewCombo({L"One", L"Two", L"Three"});
  TTestBarControl* window = Show(0, {combo});
  auto* control = ControlAt<TdxBarComboControl>(window, 0);
  const TRect button = control->PartBounds()[3];
  const TPoint onButton = window->ClientToScreen(TPoint{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
  InjectMouse(onButton, 0);
  InjectMouse(onButton, MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(WaitUntil([&] { return control->DroppedDown(); }));
  HWND list = combo->ListBox()->Handle();
  const int row = combo->ListItemHeight(0);
  POINT entry{4, row + row / 2};  // the second entry
  ClientToScreen(list, &entry);
  InjectMouse(TPoint{entry.x, entry.y}, 0);
  InjectMouse(TPoint{entry.x, entry.y}, MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil([&] { return !control->DroppedDown(); }));
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), L"Two");
}

TEST_F(EditControlTest, OpeningAnEditorOutsideAToolbarWindowNamesTheWindowClass) {
  auto* edit = NewItem<TdxBarEdit>(L"Edit");
  Show(2, {edit});
  try {
    edit->ActivateEditor(false);
    FAIL() << "no exception";
  } catch (const EdxBarException& e) {
    EXPECT_NE(e.Message().find(L"TTestBarControl"), String::npos);
  }
}

TEST_F(EditControlTest, DraggingTheRightBorderStopsAtTheMinimumWidth) {
  auto* edit = NewItem<TdxBarEdit>(L"Edit");
  edit->SetCaption(L"Find");
  edit->SetShowCaption(true);
  TTestBarControl* window = Show(0, {edit});
  TdxBarEditControl* control = ControlAt(window, 0);
  const TRect r = control->BoundsInBar();
  control->BeginSizing(TPoint{r.right - 2, r.top + 2});
  EXPECT_TRUE(control->RightBorderSizing);
  control->Sizing(TPoint{r.left + 3, r.top + 2});
  EXPECT_EQ(control->SizingEditWidth, control->MinWidth());
  const int minimumEdit = control->MinWidth() - control->CaptionPartWidth();
  control->EndSizing(true);
  TdxBarItemLink* link = window->ItemLinks()->LinkAt(0);
  EXPECT_EQ(link->UserWidth(), minimumEdit);
  EXPECT_EQ(link->Width(), minimumEdit);
}

// ---- buffered painting of the editor ----

int g_begun = 0, g_ended = 0;
HDC g_bufferDC = nullptr;
HBITMAP g_bufferBitmap = nullptr;

HPAINTBUFFER_ WINAPI FakeBeginBufferedPaint(HDC Target, const RECT* R, int, void*, HDC* Buffer) {
  ++g_begun;
  g_bufferDC = CreateCompatibleDC(Target);
  g_bufferBitmap = CreateCompatibleBitmap(Target, R->right - R->left, R->bottom - R->top);
  SelectObject(g_bufferDC, g_bufferBitmap);
  *Buffer = g_bufferDC;
  return HPAINTBUFFER_(g_bufferDC);
}

HRESULT WINAPI FakeEndBufferedPaint(HPAINTBUFFER_, BOOL) {
  ++g_ended;
  DeleteDC(g_bufferDC);
  DeleteObject(g_bufferBitmap);
  return S_OK;
}

TEST_F(EditControlTest, ABufferingWindowPaintsItsEditorThroughABuffer) {
  Bound().BeginBufferedPaint.Set(&FakeBeginBufferedPaint);
  Bound().EndBufferedPaint.Set(&FakeEndBufferedPaint);
  auto* edit = NewItem<TdxBarEdit>(L"Edit");
  TTestLinksOwner* owner = NewOwner(pkToolbar);
  owners.push_back(owner);
  auto* window = new TBufferedBarControl(manager, 0);
  windows.push_back(window);
  window->AssignItemLinks(owner->Links());
  owner->Links()->AddItemLink(edit);
  window->ShowAt(200, 200, 400, 40);
  TdxBarEditControl* control = ControlAt(window, 0);
  HWND editor = OpenEditor(window, control);
  EXPECT_TRUE(control->BufferedPaint());
  UpdateWindow(editor);
  g_begun = g_ended = 0;
  struct Step {
    const char* What;
    bool Invalid;
    int Painted;
  };
  for (const Step& s : {Step{"pending repaint", true, 1}, Step{"nothing pending", false, 0}}) {
    g_begun = g_ended = 0;
    if (s.Invalid) InvalidateRect(editor, nullptr, FALSE);
    SendMessageW(editor, WM_DXBAR_EDITREPAINT, 0, 0);
    EXPECT_EQ(g_begun, s.Painted) << s.What;
    EXPECT_EQ(g_ended, s.Painted) << s.What;
    EXPECT_FALSE(GetUpdateRect(editor, nullptr, FALSE)) << s.What;
  }
  g_begun = g_ended = 0;
  InvalidateRect(editor, nullptr, FALSE);
  UpdateWindow(editor);
  EXPECT_EQ(g_begun, 1);
  EXPECT_EQ(g_ended, 1);
}

}  // namespace

TEST_F(EditControlTest, AClosingEditorHandsTheFocusBackUnlessTheWindowForbidsIt) {
  struct Case {
    const char* What;
    int Flags;
    Word CloseKey;
    bool FocusBack;
  };
  const Case cases[] = {
      {"enter", 19, VK_RETURN, true},
      {"escape", 19, VK_ESCAPE, true},
      {"enter, kept", 19 | bfNoFocusReturnAfterEdit, VK_RETURN, false},
      {"escape, kept", 19 | bfNoFocusReturnAfterEdit, VK_ESCAPE, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    auto* edit = NewItem<TdxBarEdit>(L"Edit");
    TTestBarControl* window = Show(0, {edit});
    window->Flags = c.Flags;
    TdxBarEditControl* control = ControlAt(window, 0);
    SetFocus(OtherWindow());
    ASSERT_EQ(GetFocus(), OtherWindow());
    HWND editor = OpenEditor(window, control);
    ASSERT_EQ(GetFocus(), editor);
    Key(editor, c.CloseKey);
    EXPECT_FALSE(control->Focused());
    EXPECT_FALSE(IsWindowVisible(editor));
    EXPECT_EQ(GetFocus() == OtherWindow(), c.FocusBack);
    edit->Free();
  }
}
