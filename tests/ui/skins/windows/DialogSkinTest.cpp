// The thread hook's work: popup menu objects, system dialogs skinned from templates (frame,
// caption buttons, hit codes, children), the rules that keep windows plain, and the counts that
// must not grow.

#include <gtest/gtest.h>

#include "platform/framework/windows/Forms.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinCommon.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"
#include "ui/skins/windows/DialogSkin.h"
#include "ui/skins/windows/EditWnd.h"
#include "ui/skins/windows/MenuWnd.h"
#include "ui/skins/windows/StdCtrlWnd.h"

using namespace skin_testing;
using window_testing::DibSection;
using window_testing::FormFixture;

namespace {

// A dialog template in memory: the header, then items of the system's predefined classes.
class TDialogTemplate {
 public:
  TDialogTemplate(DWORD style, DWORD exStyle, short cx, short cy, const wchar_t* title) {
    Dword(style);
    Dword(exStyle);
    words_.push_back(0);  // item count
    for (short v : {short(10), short(10), cx, cy}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the dialog class
    Text(title);
  }
  // Class atoms: 0x80 button, 0x81 edit, 0x82 static, 0x83 list box.
  TDialogTemplate& Item(WORD atom, DWORD style, short x, short y, short cx, short cy, WORD id, const wchar_t* text) {
    if (words_.size() % 2) words_.push_back(0);
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(atom);
    Text(text);
    words_.push_back(0);
    ++words_[4];
    return *this;
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Dword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
  }
  void Text(const wchar_t* text) {
    while (*text) words_.push_back(static_cast<WORD>(*text++));
    words_.push_back(0);
  }
  std::vector<WORD> words_;
};

// Sets no focus at WM_INITDIALOG, so the dialog is first activated when a test shows it.
INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

constexpr DWORD kSizingDialog =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_MODALFRAME;

DWORD GdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

class DialogSkin : public testing::Test {
 protected:
  void SetUp() override {
    manager = NewInternalManager(L"c:\\nowhere");
    manager->SetSkinName(L"Harbour Blue (internal)");
    manager->SetSkinningRules({srStdDialogs});
    ASSERT_TRUE(manager->SkinData().Active);
    ASSERT_TRUE(manager->HookInstalled());
  }
  void TearDown() override {
    for (HWND d : dialogs)
      if (IsWindow(d)) DestroyWindow(d);
    manager.reset();
    EXPECT_TRUE(HookMenuObjects().empty());
    EXPECT_TRUE(DialogProviders().empty());
  }
  // A dialog from the template, hidden; Show activates it (the hook then skins it).
  HWND Make(const TDialogTemplate& t) {
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.Get(), nullptr, &PlainDialogProc, 0);
    dialogs.push_back(dialog);
    return dialog;
  }
  HWND Show(HWND dialog) {
    ShowWindow(dialog, SW_SHOW);
    window_testing::ProcessMessages();
    return dialog;
  }
  HWND MakeSizing(DWORD exStyle = 0, const wchar_t* title = L"Skinned dialog") {
    TDialogTemplate t(kSizingDialog, exStyle, 200, 120, title);
    t.Item(0x81, ES_AUTOHSCROLL | WS_BORDER, 8, 8, 100, 12, 100, L"text")
        .Item(0x80, BS_PUSHBUTTON, 8, 30, 50, 14, IDOK, L"OK")
        .Item(0x82, SS_LEFT, 8, 50, 80, 10, 101, L"A label")
        .Item(0x83, WS_BORDER | WS_VSCROLL, 110, 8, 80, 60, 102, L"");
    HWND dialog = Make(t);
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconW(nullptr, IDI_APPLICATION)));
    return Show(dialog);
  }
  static TacDialogWnd* Object(HWND dialog) { return dynamic_cast<TacDialogWnd*>(FindSubclassObject(dialog)); }
  static TPoint Centre(const TRect& r) { return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
  // WM_NCHITTEST at a point in window coordinates.
  static LRESULT HitAt(HWND dialog, TPoint p) {
    RECT wr{};
    GetWindowRect(dialog, &wr);
    return SendMessageW(dialog, WM_NCHITTEST, 0, MAKELPARAM(wr.left + p.x, wr.top + p.y));
  }
  // The window's image as painted, read from its window DC.
  static std::unique_ptr<DibSection> Shot(HWND window) {
    RECT wr{};
    GetWindowRect(window, &wr);
    auto dib = std::make_unique<DibSection>(wr.right - wr.left, wr.bottom - wr.top);
    HDC dc = GetWindowDC(window);
    BitBlt(dib->DC(), 0, 0, wr.right - wr.left, wr.bottom - wr.top, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    GdiFlush();
    return dib;
  }

  ManagerPtr manager;
  std::vector<HWND> dialogs;
};

// ---- the popup-menu branch ---------------------------------------------------------------------------

class DialogHookMenus : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    manager = NewInternalManager(L"c:\\nowhere");
    manager->SetSkinName(L"Harbour Blue (internal)");
    manager->SetSkinningRules({});
    ShowForm();
  }
  void TearDown() override {
    FormFixture::TearDown();
    manager.reset();
  }
  ManagerPtr manager;
};

TEST_F(DialogHookMenus, FiftyMenusLeaveNoObjectBehind) {
  auto* popup = new TPopupMenu(form);
  for (const wchar_t* caption : {L"One", L"Two"}) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    popup->Items()->Add(item);
  }
  int opened = 0;
  window_testing::ScopedModalDriver driver([&](const TModalLoop& loop) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu) {
      ++opened;
      EXPECT_EQ(HookMenuObjects().size(), 1u);
      EXPECT_NE(dynamic_cast<TacMnuWnd*>(FindSubclassObject(menu)), nullptr);
    }
    loop.End();
  });
  for (int i = 0; i < 50; ++i) {
    popup->Popup(200, 150);
    window_testing::ProcessMessages();
  }
  EXPECT_EQ(opened, 50);
  EXPECT_TRUE(HookMenuObjects().empty());
}

TEST_F(DialogHookMenus, RemovingTheHookFreesTheObjectsStillAttached) {
  // A window the hook takes for a popup menu window (the event is called directly).
  SkinCbtEvent(HCBT_CREATEWND, form->Handle(), L"#32768");
  ASSERT_EQ(HookMenuObjects().size(), 1u);
  EXPECT_NE(GetPropW(form->Handle(), kSubclassProperty), nullptr);
  manager->RemoveSkin();
  EXPECT_TRUE(HookMenuObjects().empty());
  EXPECT_EQ(GetPropW(form->Handle(), kSubclassProperty), nullptr);
}

bool* plainBoxSeen = nullptr;

// Looks at the box from inside its own loop and closes it.
void CALLBACK CheckPlainBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindWindowW(L"#32770", L"Plain box");
  if (!box) return;
  KillTimer(nullptr, id);
  EXPECT_EQ(FindSubclassObject(box), nullptr);
  EXPECT_EQ(ProviderOf(box), nullptr);
  EXPECT_TRUE(GetWindowLongW(box, GWL_STYLE) & WS_SYSMENU);
  *plainBoxSeen = true;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(DialogHookMenus, WithoutRulesASystemMessageBoxStaysPlain) {
  bool seen = false;
  plainBoxSeen = &seen;
  const UINT_PTR check = SetTimer(nullptr, 0, 50, &CheckPlainBox);
  MessageBoxW(form->Handle(), L"Nothing skins this box.", L"Plain box", MB_OK);
  KillTimer(nullptr, check);
  EXPECT_TRUE(seen);
  EXPECT_TRUE(DialogProviders().empty());
}

// ---- which windows the hook takes ------------------------------------------------------------------

TEST(DialogChoiceRules, FormsDialogsAndTheRules) {
  struct TCase {
    const wchar_t* Class;
    bool IsForm;
    int Tag;
    bool Forms, Dialogs;
    int Visible;
    bool Toolbar;
    TacDialogChoice Expected;
  } cases[] = {
      {L"#32770", false, 0, true, true, 0, false, TacDialogChoice::Dialog},
      {L"#32770", false, 0, true, false, 0, false, TacDialogChoice::None},
      {L"#32770", false, 0, false, false, 0, false, TacDialogChoice::None},
      // A second dialog while one is shown only with a toolbar (the file dialogs).
      {L"#32770", false, 0, true, true, 1, false, TacDialogChoice::None},
      {L"#32770", false, 0, true, true, 1, true, TacDialogChoice::Dialog},
      {L"TApplication", false, 0, true, true, 0, false, TacDialogChoice::None},
      {L"TQRStandardPreview", false, 0, true, true, 0, false, TacDialogChoice::None},
      {L"TMessageForm", true, 0, false, true, 0, false, TacDialogChoice::Form},
      {L"TMessageForm", true, 0, true, false, 0, false, TacDialogChoice::None},
      {L"TForm1", true, 0, true, false, 0, false, TacDialogChoice::Form},
      {L"TForm1", true, -98, true, true, 0, false, TacDialogChoice::None},
      {L"TForm1", true, 0, false, true, 0, false, TacDialogChoice::None},
  };
  for (const TCase& c : cases) {
    TacDialogFacts f;
    f.HasManager = true;
    f.ClassName = c.Class;
    f.IsForm = c.IsForm;
    f.Tag = c.Tag;
    f.Rules[srStdForms] = c.Forms;
    f.Rules[srStdDialogs] = c.Dialogs;
    f.VisibleDialogs = c.Visible;
    f.HasToolbarChild = c.Toolbar;
    EXPECT_EQ(DialogChoice(f), c.Expected) << c.Class << " tag " << c.Tag << " visible " << c.Visible;
  }
  TacDialogFacts skinned;
  skinned.HasManager = true;
  skinned.IsSkinned = true;
  skinned.ClassName = L"#32770";
  skinned.Rules[srStdDialogs] = true;
  EXPECT_EQ(DialogChoice(skinned), TacDialogChoice::None);
  skinned.IsSkinned = false;
  skinned.HasManager = false;
  EXPECT_EQ(DialogChoice(skinned), TacDialogChoice::None);
}

TEST(DialogGeometry, BorderKindsMetricsAndButtons) {
  struct TCase {
    DWORD Style;
    int Kind;
  } kinds[] = {
      {WS_POPUP | WS_THICKFRAME, 2},
      {WS_POPUP | WS_CAPTION | WS_THICKFRAME, 3},
      {WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0},
      {WS_POPUP | WS_CAPTION, 3},
      {WS_CHILD, 3},
  };
  for (const TCase& c : kinds) EXPECT_EQ(DialogBorderKind(c.Style), c.Kind) << std::hex << c.Style;
  const TacDialogMetrics none = DialogMetrics(2, WS_POPUP | WS_THICKFRAME);
  EXPECT_EQ(none.FrameWidth + none.FrameHeight + none.CaptionHeight, 0);
  const TacDialogMetrics modal = DialogMetrics(0, WS_CAPTION);
  EXPECT_EQ(modal.FrameWidth, GetSystemMetrics(SM_CXDLGFRAME));
  EXPECT_EQ(modal.CaptionHeight, GetSystemMetrics(SM_CYCAPTION));
  const TacDialogMetrics tool = DialogMetrics(5, WS_CAPTION);
  EXPECT_EQ(tool.FrameHeight, GetSystemMetrics(SM_CYFRAME));
  EXPECT_EQ(tool.CaptionHeight, GetSystemMetrics(SM_CYSMCAPTION));

  const DWORD all = WS_SYSMENU | WS_MAXIMIZEBOX | WS_MINIMIZEBOX;
  TacDialogButtons b = DialogButtons(3, all, WS_EX_CONTEXTHELP, false, false, false);
  EXPECT_TRUE(b.Close && b.Maximize && b.Minimize && b.Help);
  EXPECT_TRUE(b.CloseEnabled && b.MaximizeEnabled && b.MinimizeEnabled);
  EXPECT_FALSE(b.RestoreEnabled);
  b = DialogButtons(0, all, 0, true, false, false);  // modal frame, class without close
  EXPECT_FALSE(b.MaximizeEnabled);
  EXPECT_FALSE(b.CloseEnabled);
  b = DialogButtons(3, all, 0, false, true, false);  // zoomed
  EXPECT_FALSE(b.MaximizeEnabled);
  EXPECT_TRUE(b.RestoreEnabled);
  b = DialogButtons(3, all, 0, false, false, true);  // iconic
  EXPECT_FALSE(b.MinimizeEnabled);
  EXPECT_TRUE(b.RestoreEnabled);
}

// ---- skinned dialogs -----------------------------------------------------------------------------------

TEST_F(DialogSkin, AModelessDialogGetsItsFrameButtonsHitCodesAndChildObjects) {
  HWND dialog = MakeSizing();
  TacDialogWnd* object = Object(dialog);
  ASSERT_NE(object, nullptr);
  ASSERT_NE(ProviderOf(dialog), nullptr);
  EXPECT_FALSE(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU) << "the skinned buttons replace the system ones";
  EXPECT_EQ(object->BorderKind, 3);

  // Children: the table's objects.
  EXPECT_NE(dynamic_cast<TacEditWnd*>(FindSubclassObject(GetDlgItem(dialog, 100))), nullptr);
  EXPECT_NE(dynamic_cast<TacBtnWnd*>(FindSubclassObject(GetDlgItem(dialog, IDOK))), nullptr);
  EXPECT_NE(dynamic_cast<TacStaticWnd*>(FindSubclassObject(GetDlgItem(dialog, 101))), nullptr);
  EXPECT_NE(dynamic_cast<TacEditWnd*>(FindSubclassObject(GetDlgItem(dialog, 102))), nullptr);
  EXPECT_EQ(ProviderOf(dialog)->Children.size(), 4u);

  // Buttons from the right: close, maximize, minimize, each next to the other.
  EXPECT_EQ(object->CloseButton.Bounds.right, object->WndSize.cx - object->Metrics.FrameWidth);
  EXPECT_EQ(object->MaxButton.Bounds.right, object->CloseButton.Bounds.left);
  EXPECT_EQ(object->MinButton.Bounds.right, object->MaxButton.Bounds.left);
  EXPECT_TRUE(object->HelpButton.Bounds.IsEmpty());

  const int band = object->NonClientTop();
  struct THit {
    TPoint At;
    LRESULT Code;
  } hits[] = {
      {Centre(object->CloseButton.Bounds), HTCLOSE},
      {Centre(object->MaxButton.Bounds), HTMAXBUTTON},
      {Centre(object->MinButton.Bounds), HTMINBUTTON},
      {TPoint(object->Metrics.FrameWidth + 2, band / 2), HTSYSMENU},
      {TPoint(object->WndSize.cx / 2, band / 2), HTCAPTION},
      {TPoint(object->WndSize.cx - object->Metrics.FrameWidth - 1, object->WndSize.cy - object->Metrics.FrameHeight - 1),
       HTBOTTOMRIGHT},
      {TPoint(object->WndSize.cx / 2, object->WndSize.cy / 2), HTCLIENT},
  };
  for (const THit& h : hits) EXPECT_EQ(HitAt(dialog, h.At), h.Code) << h.At.x << "," << h.At.y;
}

TEST_F(DialogSkin, TheFrameIsPaintedFromTheSkin) {
  HWND dialog = MakeSizing();
  TacDialogWnd* object = Object(dialog);
  ASSERT_NE(object, nullptr);
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  auto shot = Shot(dialog);
  const int w = object->WndSize.cx, h = object->WndSize.cy, band = object->NonClientTop();
  // The same sections painted on their own: the dialog over the whole window, the title band.
  BitmapPtr body(new TBitmap());
  body->SetPixelFormat(pf24bit);
  body->SetSize(w, h);
  PaintItem(object->SkinData, EmptyCacheRef, false, 1, TRect(0, 0, w, h), TPoint(0, 0), body.get(), false);
  BitmapPtr title = FilledBmp24(w, band, clBlack);
  const int titleIndex = manager->GetSkinIndex(L"FORMTITLE");
  PaintItemByIndex(titleIndex, L"FORMTITLE", MakeCacheRef(body.get(), 0, 0), -1, -1, manager.get(), title.get(),
                   TPoint(0, 0), TRect(0, 0, w, band), 1, true);
  EXPECT_EQ(FromDib(shot->Pixel(w / 2, 1)), Pixel24(title.get(), w / 2, 1)) << "top band";
  EXPECT_EQ(FromDib(shot->Pixel(1, h / 2)), Pixel24(body.get(), 1, h / 2)) << "left border";
  EXPECT_EQ(FromDib(shot->Pixel(w - 2, h / 2)), Pixel24(body.get(), w - 2, h / 2)) << "right border";
  EXPECT_EQ(FromDib(shot->Pixel(w / 2, h - 2)), Pixel24(body.get(), w / 2, h - 2)) << "bottom border";
  EXPECT_NE(FromDib(shot->Pixel(w / 2, 1)), ColorToRGB(clActiveCaption));
}

// The region leaves out the runs of transparent pixels in the border mask's corners.
TEST(DialogRegion, TheRegionLeavesOutTheBorderMasksCornerRuns) {
  testing_support::ScratchFolder folder;
  const String dir = folder.Path().substr(0, folder.Path().size() - 1);
  TSkinPackage skin = ControlsSkin();
  skin.Ini.Section("DIALOG").Key("PARENTCLASS", "MAINMENU");
  skin.WriteFolder(Narrow(dir) + "/Dialogs");
  ManagerPtr m = NewManager(dir);
  m->SetSkinName(L"Dialogs");
  m->SetSkinningRules({srStdDialogs});
  ASSERT_TRUE(m->SkinData().Active);
  TDialogTemplate t(kSizingDialog, 0, 160, 90, L"Region");
  HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.Get(), nullptr, &PlainDialogProc, 0);
  ShowWindow(dialog, SW_SHOW);
  window_testing::ProcessMessages();
  auto* object = dynamic_cast<TacDialogWnd*>(FindSubclassObject(dialog));
  ASSERT_NE(object, nullptr);
  const int w = object->WndSize.cx, h = object->WndSize.cy;
  const TsMaskData& mask = m->Masks()[size_t(m->GetMaskIndex(m->GetSkinIndex(L"DIALOG"), L"DIALOG", L"BORDERSMASK"))];
  std::vector<TRect> expected;
  AddCornerRects(expected, w, mask, false, 0);
  AddCornerRects(expected, w, mask, true, h - mask.WB);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(object->RegionRects, expected);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(dialog, region), ERROR);
  for (const TRect& r : expected) EXPECT_FALSE(PtInRegion(region, r.left, r.top)) << r.left << "," << r.top;
  for (TPoint inside : {TPoint(w / 2, 0), TPoint(0, h / 2), TPoint(w - 1, h / 2), TPoint(w / 2, h - 1)})
    EXPECT_TRUE(PtInRegion(region, inside.x, inside.y)) << inside.x << "," << inside.y;
  DeleteObject(region);
  DestroyWindow(dialog);
  m.reset();
  EXPECT_TRUE(DialogProviders().empty());
}

TEST_F(DialogSkin, HelpFollowsCloseWithTheContextHelpStyle) {
  TDialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_CONTEXTHELP, 160, 80, L"Help");
  HWND dialog = Show(Make(t));
  TacDialogWnd* object = Object(dialog);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->BorderKind, 0);
  EXPECT_FALSE(object->HelpButton.Bounds.IsEmpty());
  EXPECT_EQ(object->HelpButton.Bounds.right, object->CloseButton.Bounds.left);
  EXPECT_EQ(HitAt(dialog, Centre(object->HelpButton.Bounds)), HTHELP);
}

TEST_F(DialogSkin, AFrameWithoutCaptionGetsOnlyTheThreePixelBand) {
  TDialogTemplate t(WS_POPUP | WS_THICKFRAME, 0, 120, 60, L"");
  HWND dialog = Show(Make(t));
  TacDialogWnd* object = Object(dialog);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->BorderKind, 2);
  EXPECT_EQ(object->Metrics.CaptionHeight, 0);
  EXPECT_TRUE(object->CloseButton.Bounds.IsEmpty());
  EXPECT_TRUE(object->RegionRects.empty());
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  auto shot = Shot(dialog);
  const int w = object->WndSize.cx, h = object->WndSize.cy;
  BitmapPtr body(new TBitmap());
  body->SetPixelFormat(pf24bit);
  body->SetSize(w, h);
  PaintItem(object->SkinData, EmptyCacheRef, false, 1, TRect(0, 0, w, h), TPoint(0, 0), body.get(), false);
  for (int inset : {0, 1, 2}) EXPECT_EQ(FromDib(shot->Pixel(inset, h / 2)), Pixel24(body.get(), inset, h / 2)) << inset;
}

TEST_F(DialogSkin, ATitleDoubleClickTogglesMaximized) {
  HWND dialog = MakeSizing();
  ASSERT_NE(Object(dialog), nullptr);
  SendMessageW(dialog, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  EXPECT_TRUE(IsZoomed(dialog));
  SendMessageW(dialog, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  EXPECT_FALSE(IsZoomed(dialog));
}

TEST_F(DialogSkin, AHotButtonAsksForLeaveNotificationsAndBothLeavesResetIt) {
  HWND dialog = MakeSizing();
  TacDialogWnd* object = Object(dialog);
  ASSERT_NE(object, nullptr);
  for (UINT leave : {UINT(WM_NCMOUSELEAVE), UINT(WM_MOUSELEAVE)}) {
    EXPECT_EQ(HitAt(dialog, Centre(object->CloseButton.Bounds)), HTCLOSE);
    EXPECT_EQ(object->CloseButton.State, 1);
    EXPECT_EQ(object->HotButton, HTCLOSE);
    EXPECT_TRUE(object->TrackingLeave) << "the leave notifications are asked for";
    SendMessageW(dialog, leave, 0, 0);
    EXPECT_EQ(object->CloseButton.State, 0) << std::hex << leave;
    EXPECT_EQ(object->HotButton, 0);
  }
}

TEST_F(DialogSkin, TheBackgroundBrushIsMadeOncePerSkin) {
  HWND dialog = MakeSizing();
  ASSERT_NE(Object(dialog), nullptr);
  const LRESULT first = SendMessageW(dialog, WM_CTLCOLORDLG, 0, reinterpret_cast<LPARAM>(dialog));
  const DWORD before = GdiObjects();
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(SendMessageW(dialog, WM_CTLCOLORDLG, 0, reinterpret_cast<LPARAM>(dialog)), first);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  EXPECT_LE(GdiObjects(), before);
}

TEST_F(DialogSkin, ModalFrameDialogsLeaveNoProviderBehind) {
  DWORD before = 0;
  for (int i = 0; i < 10; ++i) {
    TDialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 120, 60, L"Modal frame");
    t.Item(0x80, BS_PUSHBUTTON, 8, 8, 50, 14, IDOK, L"OK");
    HWND dialog = Show(Make(t));
    ASSERT_NE(Object(dialog), nullptr);
    EXPECT_EQ(Object(dialog)->BorderKind, 0);
    DestroyWindow(dialog);
    window_testing::ProcessMessages();
    EXPECT_LE(DialogProviders().size(), 1u) << i;
    if (i == 1) before = GdiObjects();
  }
  EXPECT_LE(GdiObjects(), before + 2);
}

TEST_F(DialogSkin, TheWideTabControlKeepsTheSystemLook) {
  TDialogTemplate t(kSizingDialog, 0, 400, 300, L"Tabs");
  HWND dialog = Make(t);
  HWND tabs = CreateWindowExW(0, L"SysTabControl32", L"", WS_CHILD | WS_VISIBLE, 0, 0, 470, 349, dialog, nullptr,
                              nullptr, nullptr);
  ASSERT_NE(tabs, nullptr);
  Show(dialog);
  EXPECT_EQ(Object(dialog), nullptr);
  EXPECT_EQ(ProviderOf(dialog), nullptr);
  EXPECT_TRUE(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU);
  // One pixel narrower is skinned.
  TDialogTemplate t2(kSizingDialog, 0, 400, 300, L"Tabs 2");
  HWND other = Make(t2);
  CreateWindowExW(0, L"SysTabControl32", L"", WS_CHILD | WS_VISIBLE, 0, 0, 469, 349, other, nullptr, nullptr, nullptr);
  DestroyWindow(dialog);
  Show(other);
  EXPECT_NE(Object(other), nullptr);
}

TEST_F(DialogSkin, ASecondDialogIsSkinnedOnlyWithAToolbar) {
  HWND first = MakeSizing(0, L"First");
  ASSERT_NE(Object(first), nullptr);
  TDialogTemplate plain(kSizingDialog, 0, 120, 60, L"Second");
  HWND second = Show(Make(plain));
  EXPECT_EQ(Object(second), nullptr);
  TDialogTemplate withBar(kSizingDialog, 0, 120, 60, L"Third");
  HWND third = Make(withBar);
  CreateWindowExW(0, L"ToolbarWindow32", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 24, third, nullptr, nullptr, nullptr);
  Show(third);
  EXPECT_NE(Object(third), nullptr);
}

TEST_F(DialogSkin, TheRequestedMessageBoxPositionMovesTheDialog) {
  MessageBoxX = 37;
  MessageBoxY = 41;
  HWND dialog = MakeSizing();
  MessageBoxX = MessageBoxY = -1;
  ASSERT_NE(Object(dialog), nullptr);
  RECT r{};
  GetWindowRect(dialog, &r);
  EXPECT_EQ(r.left, 37);
  EXPECT_EQ(r.top, 41);
}

TEST_F(DialogSkin, ReleasingAwayFromThePressedButtonDoesNothing) {
  HWND dialog = MakeSizing();
  TacDialogWnd* object = Object(dialog);
  ASSERT_NE(object, nullptr);
  RECT wr{};
  GetWindowRect(dialog, &wr);
  SendMessageW(dialog, WM_NCLBUTTONDOWN, HTCLOSE, 0);
  EXPECT_EQ(object->CloseButton.State, 2);
  const TPoint minimize = Centre(object->MinButton.Bounds);
  SetCursorPos(wr.left + minimize.x, wr.top + minimize.y);
  SendMessageW(dialog, WM_NCLBUTTONUP, HTMINBUTTON, MAKELPARAM(wr.left + minimize.x, wr.top + minimize.y));
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_FALSE(IsIconic(dialog));
  EXPECT_EQ(object->CloseButton.State, 0);
}

TEST(CaptionButtons, SizesReadACountOfNoneAsOneFrame) {
  testing_support::ScratchFolder folder;
  const String dir = folder.Path().substr(0, folder.Path().size() - 1);
  SmallSkin("BICONCLOSE=@0000@0000@0020@0010@0@0\nBICONMAX=@0000@0000@0018@0010@2@1\n")
      .WriteFolder(Narrow(dir) + "/Zero");
  ManagerPtr m = NewManager(dir);
  m->SetSkinName(L"Zero");
  ASSERT_TRUE(m->SkinData().Active);
  const int close = m->GetMaskIndex(m->GetSkinIndex(L"GLOBALINFO"), L"GLOBALINFO", L"BICONCLOSE");
  const int max = m->GetMaskIndex(m->GetSkinIndex(L"GLOBALINFO"), L"GLOBALINFO", L"BICONMAX");
  ASSERT_GE(close, 0);
  EXPECT_EQ(CaptionButtonSize(m.get(), close), TSize(20, 10));
  EXPECT_EQ(CaptionButtonSize(m.get(), max), TSize(9, 5));
  EXPECT_EQ(CaptionButtonSize(m.get(), -1), TSize(21, 21));
}

}  // namespace
