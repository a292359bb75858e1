// The themed form: its client rectangle, frame styles, window region, title-bar visibility, the
// system menu on Alt+Space, starting maximized, FormPanel, the menu bar, and a form whose themed
// panel is freed.
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/extras/skinpack/SkinPackRoutines.h"
#include "ui/extras/skinpack/ThemedButtons.h"
#include "ui/extras/skinpack/ThemedForm.h"

using namespace window_testing;

namespace {

using RestoreModalDriver = ScopedModalDriver;

LONG_PTR StyleOf(TCustomForm* form) { return GetWindowLongPtrW(form->Handle(), GWL_STYLE); }

bool InWindowRegion(TCustomForm* form, int x, int y) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const bool has = GetWindowRgn(form->Handle(), region) != ERROR;
  const bool inside = has && PtInRegion(region, x, y);
  DeleteObject(region);
  return inside;
}

TMenuItem* AddItem(TMenuItem* parent, TComponent* owner, const String& caption) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

}  // namespace

TEST(ThemedFormClientRect, Table) {
  struct Case {
    const char* what;
    int bottomFrame, sideFrame, themeLeft, themeRight, themeBottom, borderWidth;
    TRect expected;
  };
  const TRect window(100, 50, 500, 350);
  const Case cases[] = {
      {"built-in, border 1", 3, 3, 0, 0, 0, 1, TRect(100, 50, 500, 351)},
      {"built-in, border 3", 3, 3, 0, 0, 0, 3, TRect(100, 50, 500, 350)},
      {"built-in, wide frames", 8, 8, 0, 0, 0, 1, TRect(96, 46, 504, 355)},
      {"theme borders", 8, 8, 6, 5, 4, 1, TRect(99, 46, 502, 353)},
      {"thin theme borders", 3, 3, 2, 2, 2, 1, TRect(101, 50, 499, 349)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ThemedFormClientRect(window, c.bottomFrame, c.sideFrame, c.themeLeft, c.themeRight, c.themeBottom,
                                   c.borderWidth),
              c.expected)
        << c.what;
}

class ThemedForm : public FormFixture {};

TEST_F(ThemedForm, FrameStyles) {
  form->SetBorderStyle(bsSingle);
  new TsuiForm(form);
  EXPECT_EQ(form->BorderStyle(), bsDialog);
  EXPECT_EQ(StyleOf(form) & WS_CAPTION, 0);
  EXPECT_EQ(StyleOf(form) & WS_THICKFRAME, 0);

  auto* sizeable = new TForm(nullptr, 0);
  sizeable->SetBorderStyle(bsSizeable);
  new TsuiForm(sizeable);
  EXPECT_EQ(sizeable->BorderStyle(), bsSizeable);
  EXPECT_NE(StyleOf(sizeable) & WS_THICKFRAME, 0);
  EXPECT_EQ(StyleOf(sizeable) & WS_CAPTION, 0);
  sizeable->Free();
}

TEST_F(ThemedForm, SecondThemedPanelStaysInert) {
  auto* first = new TsuiForm(form);
  auto* second = new TsuiForm(form);
  EXPECT_NE(first->TitleBar(), nullptr);
  EXPECT_EQ(second->TitleBar(), nullptr);
}

TEST_F(ThemedForm, BlueGlassRoundsTheTopCorners) {
  auto* themed = new TsuiForm(form);
  ShowForm();
  themed->SetUIStyle(BlueGlass);
  EXPECT_EQ(themed->RoundCorner(), 11);
  const int w = form->Width(), h = form->Height();
  EXPECT_FALSE(InWindowRegion(form, 0, 0));
  EXPECT_FALSE(InWindowRegion(form, w - 1, 0));
  EXPECT_TRUE(InWindowRegion(form, w / 2, 0));
  EXPECT_TRUE(InWindowRegion(form, 0, h / 2));
  EXPECT_TRUE(InWindowRegion(form, 0, h - 1)) << "square bottom corners";
  themed->SetUIStyle(DeepBlue);
  EXPECT_TRUE(InWindowRegion(form, 0, 0));
}

TEST_F(ThemedForm, HiddenTitleBarReadsNoRoundCorner) {
  auto* themed = new TsuiForm(form);
  themed->SetUIStyle(BlueGlass);
  EXPECT_EQ(themed->RoundCorner(), 11);
  themed->SetTitleBarVisible(false);
  EXPECT_EQ(themed->RoundCorner(), 0);
}

TEST_F(ThemedForm, FrameIsPaintedInTheBorderColour) {
  auto* themed = new TsuiForm(form);
  ShowForm();
  themed->SetUIStyle(DeepBlue);
  themed->PaintFrame();
  HDC dc = GetWindowDC(form->Handle());
  const COLORREF border = GetPixel(dc, 0, form->Height() / 2);
  const COLORREF gap = GetPixel(dc, 1, form->Height() / 2);
  ReleaseDC(form->Handle(), dc);
  EXPECT_EQ(border, RGB(0, 0, 0));
  EXPECT_EQ(gap, RGB(0xE8, 0xE8, 0xE8));
}

TEST_F(ThemedForm, AltSpaceOpensTheSystemMenu) {
  new TsuiForm(form);
  ShowForm();
  String kind;
  int items = 0;
  {
    RestoreModalDriver driver([&](const TModalLoop& loop) {
      kind = loop.Kind;
      loop.End();
    });
    PostMessageW(form->Handle(), WM_SYSCHAR, VK_SPACE, 0x20000000);
    ProcessMessages();
  }
  EXPECT_EQ(kind, L"popup menu");
  (void)items;
}

TEST_F(ThemedForm, StartedMaximizedCoversTheWorkArea) {
  form->SetWindowState(wsMaximized);
  new TsuiForm(form);
  ShowForm();
  const TRect work = GetWorkAreaRect();
  EXPECT_EQ(form->Left(), work.left - 2);
  EXPECT_EQ(form->Top(), work.top - 2);
  EXPECT_EQ(form->Width(), work.Width() + 4);
  EXPECT_EQ(form->Height(), work.Height() + 1);
}

TEST_F(ThemedForm, FormPanelCannotBeItself) {
  std::vector<String> boxes;
  const auto previous = SetMessageBoxAnswerer([&](HWND, const String& text, const String&, UINT) {
    boxes.push_back(text);
    return IDOK;
  });
  auto* themed = new TsuiForm(form);
  themed->SetFormPanel(themed);
  SetMessageBoxAnswerer(previous);
  EXPECT_EQ(themed->FormPanel(), nullptr);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], L"Sorry, you can't select the Form assign to FormPanel property");
}

// The panel's destructor hands the form back: its procedure chain, caption and frame.
TEST_F(ThemedForm, FormOutlivesItsThemedPanel) {
  auto* themed = new TsuiForm(form);
  ShowForm();
  EXPECT_NE(form->Perform(SUI_FRAME_LEFT), 0);
  themed->Free();
  EXPECT_EQ(form->Perform(SUI_FRAME_LEFT), 0) << "no hook answers any more";
  EXPECT_NE(StyleOf(form) & WS_CAPTION, 0);
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  ProcessMessages();
  form->Close();
  ProcessMessages();
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(ThemedForm, MenuBarFollowsTheMenu) {
  auto* themed = new TsuiForm(form);
  auto* menu = new TsuiMainMenu(form);
  TMenuItem* items[3];
  int index = 0;
  for (const wchar_t* caption : {L"&File", L"&Edit", L"&Help"}) items[index++] = AddItem(menu->Items(), form, caption);
  themed->SetMenu(menu);
  ASSERT_NE(themed->MenuBar(), nullptr);
  ASSERT_EQ(themed->MenuBar()->ButtonCount(), 3);
  EXPECT_EQ(themed->MenuBar()->Buttons(0)->Caption(), L"&File");
  EXPECT_EQ(themed->MenuBar()->Buttons(1)->Caption(), L"&Edit");
  EXPECT_EQ(themed->MenuBar()->Buttons(2)->Caption(), L"&Help");
  EXPECT_LT(themed->MenuBar()->Buttons(0)->Left(), themed->MenuBar()->Buttons(1)->Left());
  items[1]->SetCaption(L"&Change");
  items[2]->SetEnabled(false);
  EXPECT_EQ(themed->MenuBar()->Buttons(1)->Caption(), L"&Change");
  EXPECT_FALSE(themed->MenuBar()->Buttons(2)->Enabled());
  themed->SetMenu(nullptr);
  EXPECT_EQ(themed->MenuBar(), nullptr);
  EXPECT_EQ(themed->MenuBarHeight(), 0);
}

TEST_F(ThemedForm, AcceleratorWithoutAltWaitsForAHighlightedButton) {
  auto* themed = new TsuiForm(form);
  auto* menu = new TsuiMainMenu(form);
  TMenuItem* file = AddItem(menu->Items(), form, L"&File");
  AddItem(menu->Items(), form, L"&Edit");
  int clicks = 0;
  file->OnClick = [&](TObject*) { ++clicks; };
  themed->SetMenu(menu);
  TsuiMenuBar* bar = themed->MenuBar();
  bar->Perform(CM_DIALOGCHAR, L'f', 0);
  EXPECT_EQ(clicks, 0);
  bar->Buttons(1)->Tag = kHighlightedMenuButtonTag;
  bar->Perform(CM_DIALOGCHAR, L'f', 0);
  EXPECT_EQ(clicks, 1);
  bar->Buttons(1)->Tag = 0;
  bar->Perform(CM_DIALOGCHAR, L'f', 0x20000000);
  EXPECT_EQ(clicks, 2) << "with Alt";
}

TEST_F(ThemedForm, MenuBarButtonsAreDrawnHighlighted) {
  auto* themed = new TsuiForm(form);
  auto* menu = new TsuiMainMenu(form);
  AddItem(menu->Items(), form, L"&File");
  themed->SetMenu(menu);
  TsuiMenuBar* bar = themed->MenuBar();
  TToolButton* button = bar->Buttons(0);
  button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(button));
  DibSection dib(bar->Width(), bar->Height());
  bar->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dib.DC()), 0);
  EXPECT_EQ(button->Tag, kHighlightedMenuButtonTag);
  // DeepBlue's selected fill ($A04A44) inside the button.
  EXPECT_EQ(dib.Pixel(button->Left() + 2, button->Top() + 2), 0x444AA0u);
}

// A theme whose title needs a region: the key-coloured pixels of the title bitmap's region rows
// fall out of the window, the rest stays.
TEST_F(ThemedForm, ThemeTitleRegionLeavesOutTheKeyColour) {
  auto* theme = new TsuiFileTheme(form);
  theme->SetThemeFile(testing_support::ExecutableFolder() + L"..\\skinpack\\TestTheme.sk");
  ASSERT_TRUE(theme->Ready());
  auto* themed = new TsuiForm(form);
  ShowForm();
  themed->SetUIStyle(FromThemeFile);
  themed->SetFileTheme(theme);
  themed->TitleBar()->Repaint();
  themed->UpdateRegion();
  const int w = form->Width(), h = form->Height();
  EXPECT_FALSE(InWindowRegion(form, 0, 0)) << "the left section's key-coloured corner";
  EXPECT_TRUE(InWindowRegion(form, 1, 0));
  EXPECT_TRUE(InWindowRegion(form, w / 2, 0));
  EXPECT_TRUE(InWindowRegion(form, 0, 10));
  EXPECT_TRUE(InWindowRegion(form, w - 1, h - 1));
  EXPECT_EQ(form->Perform(SUI_FRAME_LEFT), 4) << "the theme's left border width";
  theme->Free();
  EXPECT_EQ(themed->UIStyle(), DeepBlue);
}

TEST_F(ThemedForm, ComponentsTakeTheThemedFormsStyle) {
  auto* themed = new TsuiForm(form);
  themed->SetUIStyle(WinXP);
  EXPECT_EQ(GetOwnerUIStyle(form), WinXP);
  auto* button = new TsuiCustomButton(form);
  EXPECT_EQ(button->UIStyle(), WinXP);
  auto* menu = new TsuiPopupMenu(form);
  EXPECT_EQ(menu->UIStyle(), WinXP);
  EXPECT_EQ(GetOwnerUIStyle(nullptr), DeepBlue);
}

TEST_F(ThemedForm, StyleChangeReachesChildrenWhenAsked) {
  auto* themed = new TsuiForm(form);
  auto* bar = new TsuiTitleBar(form);
  bar->SetParent(themed);
  themed->SetUIStyle(MacOS);
  EXPECT_EQ(bar->UIStyle(), DeepBlue);
  themed->UIStyleAutoUpdateSub = true;
  themed->SetUIStyle(Protein);
  EXPECT_EQ(bar->UIStyle(), Protein);
}

// ---- MDI -----------------------------------------------------------------------------------------

namespace {

class TMdiFrame : public TForm {
 public:
  explicit TMdiFrame(TComponent* AOwner) : TForm(AOwner, 0) {}
};

// A pixel-by-pixel copy of a picture, to compare a button's pictures before and after.
std::vector<TColor> PixelsOf(TPicture* picture) {
  TBitmap bitmap(picture->Width(), picture->Height(), pf24bit);
  bitmap.Canvas()->Draw(0, 0, picture->Graphic());
  std::vector<TColor> pixels;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) pixels.push_back(bitmap.Canvas()->Pixels(x, y));
  return pixels;
}

TsuiTitleBarButton* MaximizeButton(TsuiForm* themed) {
  TsuiTitleBarButtons* buttons = themed->TitleBar()->Buttons();
  for (int i = 0; i < buttons->Count(); ++i)
    if (buttons->Items(i)->ButtonType() == suiMax) return buttons->Items(i);
  return nullptr;
}

}  // namespace

// The application's main form is an MDI frame; its children carry themed panels.
class ThemedMdiChild : public testing::Test {
 protected:
  void SetUp() override {
    Application->CreateForm(frame);
    frame->SetFormStyle(fsMDIForm);
    frame->SetBounds(40, 40, 700, 500);
    frame->Show();
    SetForegroundWindow(frame->Handle());
    ProcessMessages();
  }
  void TearDown() override {
    frame->Free();
    ProcessMessages();
  }
  TsuiForm* NewChild(TFormBorderStyle border = bsSizeable,
                     const std::function<void(TForm*)>& beforeTheming = nullptr) {
    auto* child = new TForm(frame, 0);
    child->SetFormStyle(fsMDIChild);
    child->SetBorderStyle(border);
    child->SetBounds(10, 10, 300, 200);
    if (beforeTheming) beforeTheming(child);
    auto* themed = new TsuiForm(child);
    child->Show();
    ProcessMessages();
    return themed;
  }
  static TCustomForm* FormOf(TsuiForm* themed) { return static_cast<TCustomForm*>(themed->Owner()); }
  TMdiFrame* frame = nullptr;
};

TEST_F(ThemedMdiChild, GetsNoMenuBar) {
  TsuiForm* themed = NewChild();
  auto* menu = new TsuiMainMenu(FormOf(themed));
  AddItem(menu->Items(), menu, L"&File");
  themed->SetMenu(menu);
  EXPECT_EQ(themed->Menu(), menu);
  EXPECT_EQ(themed->MenuBar(), nullptr);
  EXPECT_EQ(themed->MenuBarHeight(), 0);
  themed->SetMenu(nullptr);
  EXPECT_EQ(themed->Menu(), nullptr);
}

TEST_F(ThemedMdiChild, MaximizeAndRestore) {
  TsuiForm* themed = NewChild();
  TCustomForm* child = FormOf(themed);
  auto* edit = new TTestEdit(child);
  edit->SetBounds(10, 60, 80, 20);
  edit->SetParent(themed);
  ProcessMessages();
  const int shift = themed->TitleBar()->Height() - 3;
  const std::vector<TColor> maximizePicture = PixelsOf(MaximizeButton(themed)->PicNormal());
  HWND client = frame->ClientHandle();

  SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
  ProcessMessages();
  ASSERT_TRUE(IsZoomed(child->Handle()));
  EXPECT_FALSE(themed->TitleBarVisible()) << "the frame shows the maximized child's title";
  EXPECT_EQ(edit->Top(), 60 - shift) << "the contents scroll up by the title bar";
  EXPECT_NE(PixelsOf(MaximizeButton(themed)->PicNormal()), maximizePicture) << "the restore picture";
  EXPECT_EQ(frame->ActiveMDIChild(), child);

  SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->Handle()), 0);
  ProcessMessages();
  EXPECT_FALSE(IsZoomed(child->Handle()));
  EXPECT_TRUE(themed->TitleBarVisible());
  EXPECT_EQ(edit->Top(), 60) << "and back down once";
  EXPECT_EQ(PixelsOf(MaximizeButton(themed)->PicNormal()), maximizePicture);

  // A title bar the user hid stays hidden after a restore.
  themed->SetTitleBarVisible(false);
  SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
  ProcessMessages();
  SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->Handle()), 0);
  ProcessMessages();
  EXPECT_FALSE(themed->TitleBarVisible());
  EXPECT_EQ(edit->Top(), 60);
}

TEST_F(ThemedMdiChild, ActivationDrivesTheCaption) {
  ASSERT_EQ(Application->MainForm(), frame);
  TsuiForm* first = NewChild();
  TsuiForm* second = NewChild();
  HWND client = frame->ClientHandle();
  SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FormOf(first)->Handle()), 0);
  ProcessMessages();
  EXPECT_TRUE(first->TitleBar()->FormActive());
  EXPECT_FALSE(second->TitleBar()->FormActive());
  EXPECT_TRUE(FormIsActive(frame)) << "an MDI frame main form always counts as active";
  if (Application->Active()) {
    EXPECT_TRUE(FormIsActive(FormOf(first))) << "the client's active child";
    EXPECT_FALSE(FormIsActive(FormOf(second)));
  }
  SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FormOf(second)->Handle()), 0);
  ProcessMessages();
  EXPECT_FALSE(first->TitleBar()->FormActive());
  EXPECT_TRUE(second->TitleBar()->FormActive());
}

// A child that had a single frame is not sized by its edges; a sizeable one is.
TEST_F(ThemedMdiChild, SingleFrameEdgesDoNotSize) {
  struct Case {
    TFormBorderStyle border;
    LRESULT answer;
  } cases[] = {{bsSingle, HTBORDER}, {bsSizeable, HTLEFT}};
  for (const Case& c : cases) {
    TsuiForm* themed = NewChild(c.border, [](TForm* child) {
      // The form's own procedure answers a sizing edge wherever it is asked.
      child->InstallWindowProcHook([](TMessage& Message, TWindowProcChain& Next) {
        Next(Message);
        if (Message.Msg == WM_NCHITTEST) Message.Result = HTLEFT;
      });
    });
    TCustomForm* child = FormOf(themed);
    RECT r;
    GetWindowRect(child->Handle(), &r);
    EXPECT_EQ(SendMessageW(child->Handle(), WM_NCHITTEST, 0, MAKELPARAM(r.left, r.top + 50)), c.answer)
        << int(c.border);
  }
}

// A maximized themed child keeps its whole rectangle: the theme's title region is not cut.
TEST_F(ThemedMdiChild, MaximizedChildHasNoThemeRegion) {
  TsuiForm* themed = NewChild();
  TCustomForm* child = FormOf(themed);
  auto* theme = new TsuiFileTheme(child);
  theme->SetThemeFile(testing_support::ExecutableFolder() + L"..\\skinpack\\TestTheme.sk");
  ASSERT_TRUE(theme->Ready());
  themed->SetUIStyle(FromThemeFile);
  themed->SetFileTheme(theme);
  themed->TitleBar()->Repaint();
  themed->UpdateRegion();
  EXPECT_FALSE(InWindowRegion(child, 0, 0));
  SendMessageW(frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
  ProcessMessages();
  EXPECT_TRUE(InWindowRegion(child, 0, 0));
}

// A child made maximized never scrolled its contents up, so its first restore does not scroll them
// down; the title bar is hidden while it is maximized and comes back with the restore.
TEST_F(ThemedMdiChild, StartedMaximizedRestoresWithoutScrolling) {
  TTestEdit* edit = nullptr;
  TsuiForm* themed = NewChild(bsSizeable, [](TForm* child) { child->SetWindowState(wsMaximized); });
  TCustomForm* child = FormOf(themed);
  edit = new TTestEdit(child);
  edit->SetBounds(10, 60, 80, 20);
  edit->SetParent(themed);
  ProcessMessages();
  ASSERT_TRUE(IsZoomed(child->Handle()));
  EXPECT_FALSE(themed->TitleBarVisible());
  SendMessageW(frame->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->Handle()), 0);
  ProcessMessages();
  EXPECT_FALSE(IsZoomed(child->Handle()));
  EXPECT_TRUE(themed->TitleBarVisible());
  EXPECT_EQ(edit->Top(), 60);
  // From then on a maximize scrolls up and a restore back down, as for any child.
  const int shift = themed->TitleBar()->Height() - 3;
  SendMessageW(frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
  ProcessMessages();
  EXPECT_EQ(edit->Top(), 60 - shift);
  SendMessageW(frame->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->Handle()), 0);
  ProcessMessages();
  EXPECT_EQ(edit->Top(), 60);
}

// Minimizing a maximized child leaves the maximized state without restoring the child, which would
// undo the minimize.
TEST_F(ThemedMdiChild, MinimizingAMaximizedChildStaysMinimized) {
  TsuiForm* themed = NewChild();
  TCustomForm* child = FormOf(themed);
  SendMessageW(frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
  ProcessMessages();
  ASSERT_TRUE(IsZoomed(child->Handle()));
  ShowWindow(child->Handle(), SW_MINIMIZE);
  ProcessMessages();
  EXPECT_TRUE(IsIconic(child->Handle()));
  EXPECT_TRUE(themed->TitleBarVisible());
}
