// The subclass objects of statics, push buttons, check boxes and group boxes on real system
// windows, probed through WM_PRINT output.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include <commctrl.h>
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/windows/StdCtrlWnd.h"

using namespace skin_testing;
using namespace controls_skin;
using testing_support::ScratchFolder;
using window_testing::DibSection;

namespace {

class StdCtrlWindows : public testing::Test {
 protected:
  ScratchFolder folder;
  ManagerPtr manager;
  HWND host = nullptr;

  void SetUp() override {
    TControlsSkinOptions options;
    options.Edits = true;
    manager = NewControlsManager(folder.Path().substr(0, folder.Path().size() - 1), options);
    ASSERT_TRUE(manager->SkinData().Active);
    host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 60, 60, 400, 300, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
  void TearDown() override {
    if (IsWindow(host)) DestroyWindow(host);
    manager.reset();
  }
  HWND Make(const wchar_t* cls, const wchar_t* text, DWORD style, int w = 120, int h = 24, DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 10, 10, w, h, host, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
  template <class T>
  std::unique_ptr<T, TFreeDeleter> Skin(HWND window, const wchar_t* section) {
    return MakeSubclass<T>(false, window, nullptr, manager.get(), String(section));
  }
  static std::unique_ptr<DibSection> Print(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    auto dib = std::make_unique<DibSection>(r.right - r.left, r.bottom - r.top);
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dib->DC()), PRF_CLIENT | PRF_ERASEBKGND);
    return dib;
  }
};

TEST_F(StdCtrlWindows, StaticsShowTheSectionButThoseWithATabStopOrStaticEdgeStayAsTheyAre) {
  struct TCase {
    DWORD Style, ExStyle;
    bool Skinned;
  } cases[] = {{SS_LEFT, 0, true}, {SS_LEFT | WS_TABSTOP, 0, false}, {SS_LEFT, WS_EX_STATICEDGE, false}};
  for (const TCase& c : cases) {
    HWND window = Make(L"STATIC", L"", c.Style, 120, 24, c.ExStyle);
    auto object = Skin<TacStaticWnd>(window, L"LABEL");
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(window);
    const TColor centre = static_cast<TColor>(GetPixel(dc, 60, 12));
    ReleaseDC(window, dc);
    EXPECT_EQ(centre == kLabelBg, c.Skinned) << c.Style << " " << c.ExStyle;
    object.reset();
    DestroyWindow(window);
  }
}

TEST_F(StdCtrlWindows, PushButtonStatesAndFaces) {
  HWND plain = Make(L"BUTTON", L"OK", BS_PUSHBUTTON);
  HWND byDefault = Make(L"BUTTON", L"OK", BS_DEFPUSHBUTTON);
  auto a = Skin<TacBtnWnd>(plain, L"SCROLLBTNLEFT");
  auto b = Skin<TacBtnWnd>(byDefault, L"SCROLLBTNLEFT");
  EXPECT_EQ(a->ButtonState(), 0);
  EXPECT_EQ(b->ButtonState(), 1);
  EXPECT_EQ(FromDib(Print(plain)->Pixel(0, 0)), kBtnFrames[0]);
  SendMessageW(plain, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(a->ButtonState(), 2);
  EXPECT_EQ(FromDib(Print(plain)->Pixel(0, 0)), kBtnFrames[2]);
  SendMessageW(plain, BM_SETSTATE, FALSE, 0);
  EnableWindow(byDefault, FALSE);
  EXPECT_EQ(b->ButtonState(), 0);
}

TEST_F(StdCtrlWindows, APushButtonWrapsItsCaptionOnlyWithoutMultiline) {
  const wchar_t* text = L"A caption far too long for one line of this button";
  HWND wrapping = Make(L"BUTTON", text, BS_PUSHBUTTON, 80, 60);
  HWND multiline = Make(L"BUTTON", text, BS_PUSHBUTTON | BS_MULTILINE, 80, 60);
  auto a = Skin<TacBtnWnd>(wrapping, L"SCROLLBTNLEFT");
  auto b = Skin<TacBtnWnd>(multiline, L"SCROLLBTNLEFT");
  Print(wrapping);
  Print(multiline);
  TSize wrapped{}, single{};
  a->GetCaptionSize(wrapped);
  b->GetCaptionSize(single);
  EXPECT_GT(wrapped.cy, single.cy);
  EXPECT_EQ(a->GetMaxCaptionWidth(), 78);
  // The caption rectangle is centred, and moves by a pixel while pushed.
  TRect up, down;
  a->CalcCaptionRect(up);
  SendMessageW(wrapping, BM_SETSTATE, TRUE, 0);
  a->CalcCaptionRect(down);
  EXPECT_EQ(up.left, (80 - wrapped.cx) / 2 - 1);
  EXPECT_EQ(down.left, up.left + 1);
  EXPECT_EQ(down.top, up.top + 1);
}

TEST_F(StdCtrlWindows, CheckGlyphNamesFollowTheButtonType) {
  struct TCase {
    DWORD Type;
    bool Radio;
  } cases[] = {{BS_CHECKBOX, false},     {BS_AUTOCHECKBOX, false}, {BS_3STATE, false},
               {BS_AUTO3STATE, false},   {BS_RADIOBUTTON, true},   {BS_AUTORADIOBUTTON, true}};
  for (const TCase& c : cases) {
    const DWORD style = c.Type | BS_MULTILINE | BS_RIGHTBUTTON;
    EXPECT_EQ(String(TacCheckBoxWnd::GlyphName(style, 0)), c.Radio ? L"RADIOUNCHECKED" : L"BOXUNCHECKED") << c.Type;
    EXPECT_EQ(String(TacCheckBoxWnd::GlyphName(style, 1)), c.Radio ? L"RADIOCHECKED" : L"BOXCHECKED") << c.Type;
    EXPECT_EQ(String(TacCheckBoxWnd::GlyphName(style, 2)), L"BOXGRAYED") << c.Type;
  }
  // On real windows: a checked auto radio button shows the radio glyph, a check box the box glyph,
  // at the left or, with BS_RIGHTBUTTON, at the right edge.
  struct TWindowCase {
    DWORD Style;
    TColor Glyph;
    bool Right;
  } windows[] = {{BS_AUTORADIOBUTTON, kRadio[0], false},
                 {BS_AUTOCHECKBOX, kBox[0], false},
                 {BS_AUTOCHECKBOX | BS_RIGHTBUTTON, kBox[0], true}};
  for (const TWindowCase& c : windows) {
    HWND window = Make(L"BUTTON", L"", c.Style, 100, 20);
    SendMessageW(window, BM_SETCHECK, BST_CHECKED, 0);
    auto object = Skin<TacCheckBoxWnd>(window, L"LABEL");
    auto dib = Print(window);
    const int x = c.Right ? 100 - 3 : 2;
    EXPECT_EQ(FromDib(dib->Pixel(x, 10)), c.Glyph) << c.Style;
    EXPECT_EQ(FromDib(dib->Pixel(50, 10)), kLabelBg) << c.Style;
    object.reset();
    DestroyWindow(window);
  }
}

TEST_F(StdCtrlWindows, GlyphSizeReadsAnImageCountOfNoneAsOneWithoutChangingTheSkin) {
  TsMaskData mask;
  mask.R = TRect(0, 0, 12, 6);
  mask.ImageCount = 0;
  const TSize size = TacCheckBoxWnd::GlyphSize(mask);
  EXPECT_EQ(size.cx, 12);
  EXPECT_EQ(size.cy, 6);
  EXPECT_EQ(mask.ImageCount, 0);
  // The skin's own entries keep their counts after a paint.
  HWND window = Make(L"BUTTON", L"", BS_AUTOCHECKBOX, 100, 20);
  SendMessageW(window, BM_SETCHECK, BST_CHECKED, 0);
  auto object = Skin<TacCheckBoxWnd>(window, L"LABEL");
  std::vector<int> counts;
  for (const TsMaskData& m : manager->Masks()) counts.push_back(m.ImageCount);
  Print(window);
  for (size_t i = 0; i < counts.size(); ++i) EXPECT_EQ(manager->Masks()[i].ImageCount, counts[i]);
}

TEST_F(StdCtrlWindows, GroupBoxCaptionBandAndItsHeight) {
  HWND window = Make(L"BUTTON", L"Group", BS_GROUPBOX, 200, 100);
  auto object = Skin<TacGroupBoxWnd>(window, L"LABEL");
  const TRect caption = object->CaptionRect();
  EXPECT_EQ(caption.left, 6);
  EXPECT_EQ(caption.top, 0);
  EXPECT_GE(caption.bottom, 6);
  EXPECT_EQ(SendMessageW(window, SM_ALPHACMD, SkinCommandWParam(scGetCaptionHeight), 0), caption.bottom);
  auto dib = Print(window);
  // The band's corner shows what lies behind the box, the lower part the section's face.
  EXPECT_NE(FromDib(dib->Pixel(1, 1)), kLabelBg);
  EXPECT_EQ(FromDib(dib->Pixel(100, 60)), kLabelBg);
}

}  // namespace

// ---- panels, up-down buttons and tool bars --------------------------------------------------------

#include "platform/framework/controls/ExtCtrls.h"
#include "ui/skins/windows/PanelWnd.h"

namespace {

TEST(PanelSections, FollowTheBevelsAndTheBorder) {
  struct TCase {
    TPanelBevel Outer, Inner;
    TBorderStyle Border;
    const wchar_t* Section;
  } cases[] = {
      {bvLowered, bvRaised, bsNone, L"GROUPBOX"}, {bvLowered, bvNone, bsNone, L"PANEL_LOW"},
      {bvRaised, bvLowered, bsNone, L"GROUPBOX"}, {bvRaised, bvNone, bsNone, L"PANEL"},
      {bvNone, bvNone, bsSingle, L"PANEL_LOW"},   {bvNone, bvRaised, bsNone, L"CHECKBOX"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(TacPanelWnd::SectionForBevels(c.Outer, c.Inner, c.Border), c.Section) << c.Outer << c.Inner;
}

TEST_F(StdCtrlWindows, ADialogPanelOfClassTPanelTakesCheckBoxAndTheGlobalColour) {
  auto* form = new TForm(Application, 0);
  form->SetBounds(0, 0, 200, 200);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* other = new TCustomPanel(form);
  other->SetParent(form);
  HWND stray = Make(L"STATIC", L"", 0);
  auto a = MakeSubclass<TacDlgPanelWnd>(false, panel->Handle(), nullptr, manager.get(), String(L"PANEL"));
  auto b = MakeSubclass<TacDlgPanelWnd>(false, other->Handle(), nullptr, manager.get(), String(L"PANEL"));
  auto c = MakeSubclass<TacDlgPanelWnd>(false, stray, nullptr, manager.get(), String(L"PANEL"));
  EXPECT_EQ(a->PanelControl, panel);
  EXPECT_EQ(a->SkinData->SkinSection(), L"CHECKBOX");
  EXPECT_EQ(panel->Color(), manager->GlobalColor());
  EXPECT_EQ(b->SkinData->SkinSection(), L"GROUPBOX");
  EXPECT_EQ(c->PanelControl, nullptr);
  EXPECT_EQ(c->SkinData->SkinSection(), L"GROUPBOX");
  a.reset();
  b.reset();
  form->Free();
}

TEST_F(StdCtrlWindows, SpinHalvesFollowTheCursorAndTheButton) {
  HWND spin = Make(UPDOWN_CLASSW, L"", UDS_ARROWKEYS, 20, 40);
  auto object = Skin<TacSpinWnd>(spin, L"SCROLLBTNLEFT");
  RECT wr{};
  GetWindowRect(spin, &wr);
  struct TCase {
    POINT Cursor;
    bool Down;
    int Up, Low;
  } cases[] = {
      {{wr.left + 5, wr.top + 5}, false, 1, 0},
      {{wr.left + 5, wr.top + 5}, true, 2, 0},
      {{wr.left + 5, wr.bottom - 5}, true, 0, 2},
      {{wr.right + 30, wr.top + 5}, false, 0, 0},
  };
  for (const TCase& c : cases) {
    SetCursorPos(c.Cursor.x, c.Cursor.y);
    object->MouseDown = c.Down;
    DibSection dib(20, 40);
    SendMessageW(spin, WM_PAINT, reinterpret_cast<WPARAM>(dib.DC()), 0);
    EXPECT_EQ(object->UpState, c.Up);
    EXPECT_EQ(object->DownState, c.Low);
    EXPECT_EQ(FromDib(dib.Pixel(0, 0)), kBtnFrames[c.Up]);
    EXPECT_EQ(FromDib(dib.Pixel(0, 39)), kBtnFrames[c.Low]);
  }
}

TEST(ToolButtonText, BreaksBeforeTheFirstWordThatNoLongerFits) {
  HDC dc = CreateCompatibleDC(nullptr);
  auto widthOf = [&](const wchar_t* text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
    return static_cast<int>(size.cx);
  };
  struct TCase {
    const wchar_t* Text;
    int Width;
    const wchar_t* First;
    const wchar_t* Second;
  } cases[] = {
      {L"Open file now", widthOf(L"Open file now"), L"Open file now", L""},
      {L"Open file now", widthOf(L"Open file"), L"Open file", L"now"},
      {L"Open file now", widthOf(L"Open"), L"Open", L"file now"},
      {L"Unbreakable", 5, L"Unbreakable", L""},
  };
  for (const TCase& c : cases) {
    String first, second;
    TacToolBarWnd::SplitButtonText(dc, c.Text, c.Width, first, second);
    EXPECT_EQ(first, c.First) << c.Width;
    EXPECT_EQ(second, c.Second) << c.Width;
  }
  DeleteDC(dc);
}

}  // namespace

// ---- bitmap buttons and tool bars ---------------------------------------------------------------

namespace {

TEST_F(StdCtrlWindows, ABitmapButtonWithoutOwnerTakesItsGlyphSizeFromTheRecordedDimension) {
  HWND button = Make(L"BUTTON", L"Go", BS_PUSHBUTTON | BS_BITMAP, 100, 30);
  HBITMAP bitmap = CreateBitmap(16, 12, 1, 32, nullptr);
  SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  auto object = Skin<TacBitBtnWnd>(button, L"SCROLLBTNLEFT");
  TSize size{-1, -1};
  object->GetGlyphSize(size);
  EXPECT_EQ(size.cx, 0);
  EXPECT_EQ(size.cy, 0);
  SetBitmapDimensionEx(bitmap, 16, 12, nullptr);
  object->GetGlyphSize(size);
  EXPECT_EQ(size.cx, 16);
  EXPECT_EQ(size.cy, 12);
  object.reset();
  DestroyWindow(button);
  DeleteObject(bitmap);
}

TEST_F(StdCtrlWindows, ToolButtonsShowTheirStates) {
  HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NODIVIDER |
                             TBSTYLE_FLAT, 10, 10, 300, 40, host, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBBUTTON buttons[3] = {};
  const BYTE states[3] = {TBSTATE_ENABLED, TBSTATE_ENABLED | TBSTATE_PRESSED, 0};
  for (int i = 0; i < 3; ++i) {
    buttons[i].iBitmap = I_IMAGENONE;
    buttons[i].idCommand = 100 + i;
    buttons[i].fsState = states[i];
    buttons[i].fsStyle = BTNS_BUTTON;
  }
  SendMessageW(bar, TB_ADDBUTTONSW, 3, reinterpret_cast<LPARAM>(buttons));
  SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(40, 30));
  SetCursorPos(0, 0);
  auto object = Skin<TacToolBarWnd>(bar, L"LABEL");
  RECT client{};
  GetClientRect(bar, &client);
  DibSection dib(client.right, client.bottom);
  SendMessageW(bar, WM_PAINT, reinterpret_cast<WPARAM>(dib.DC()), 0);
  auto probe = [&](int index) {
    RECT r{};
    SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return FromDib(dib.Pixel(r.left + 4, r.top + 4));
  };
  EXPECT_EQ(probe(0), kToolButton);
  EXPECT_EQ(probe(1), kToolButtonHot);
  const TColor disabled = probe(2);
  EXPECT_NE(disabled, kToolButton);
  EXPECT_NE(disabled, kToolButtonHot);
}

}  // namespace
