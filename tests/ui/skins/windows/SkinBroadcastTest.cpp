// The skin command protocol in real windows: what the manager's apply, refresh and removal reach,
// the registered forms, the thread hook, the form fade and the control imaging routines.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/framework/windows/Messages.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/core/FormFade.h"
#include "ui/skins/paint/DrawingRoutines.h"

using namespace skin_testing;
using window_testing::FormFixture;

namespace {

// A windowed control that handles skin commands itself and records them.
class TRecordingControl : public TCustomControl {
  DECLARE_CLASS(TRecordingControl, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
  std::vector<int> Commands;
  TBitmap* Cache = nullptr;
  std::function<void(int)> OnCommand;

 protected:
  void WndProc(TMessage& message) override {
    if (message.Msg != SM_ALPHACMD) return TCustomControl::WndProc(message);
    int command = message.WParamHi();
    if (command == scIsSkinned) {
      message.LParam = 1;
      message.Result = 1;
      return;
    }
    Commands.push_back(command);
    if (command == scGetCache && Cache) SharedCacheRef = MakeCacheRef(Cache, 0, 0);
    if (OnCommand) OnCommand(command);
  }
};
DEFINE_CLASS(TRecordingControl)

// A graphic control that fills itself with one colour.
class TColorBlock : public TGraphicControl {
  DECLARE_CLASS(TColorBlock, TGraphicControl)
 public:
  using TGraphicControl::TGraphicControl;
  TColor Fill = 0;
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(TRect(0, 0, Width(), Height()));
  }
};
DEFINE_CLASS(TColorBlock)

// A form that handles skin commands itself (as a form with a skin provider does) and records them.
class TSkinnedForm : public TForm {
  DECLARE_CLASS(TSkinnedForm, TForm)
 public:
  explicit TSkinnedForm(TComponent* owner) : TForm(owner, 0) {}
  std::vector<int> Commands;

 protected:
  void WndProc(TMessage& message) override {
    if (message.Msg != SM_ALPHACMD) return TForm::WndProc(message);
    if (message.WParamHi() == scIsSkinned) {
      message.LParam = 1;
      message.Result = 1;
      return;
    }
    Commands.push_back(message.WParamHi());
  }
};
DEFINE_CLASS(TSkinnedForm)

std::vector<int> SkinCommandsOnly(const std::vector<int>& commands) {
  std::vector<int> result;
  for (int c : commands)
    if (c == scApplySkin || c == scRemoveSkin || c == scRefresh || c == scStopFading) result.push_back(c);
  return result;
}

class SkinBroadcast : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    ShowForm();
    control = Place<TRecordingControl>(10, 10, 50, 30);
    control->HandleNeeded();
    RegisterForm(form);
  }
  void TearDown() override {
    UnregisterForm(form);
    FormFixture::TearDown();
  }
  testing_support::ScratchFolder folder;
  TRecordingControl* control = nullptr;
};

TEST_F(SkinBroadcast, ApplyRefreshAndRemoveReachSkinnedControls) {
  ManagerPtr m = NewInternalManager(L"c:\\nowhere");
  EXPECT_FALSE(m->HookInstalled());
  m->SetSkinName(L"Harbour Blue (internal)");
  EXPECT_EQ(SkinCommandsOnly(control->Commands), (std::vector<int>{scApplySkin, scStopFading, scRefresh}));
  EXPECT_TRUE(m->HookInstalled());
  control->Commands.clear();
  m->RemoveSkin();
  EXPECT_EQ(SkinCommandsOnly(control->Commands), (std::vector<int>{scRemoveSkin}));
  EXPECT_FALSE(m->HookInstalled());
}

TEST_F(SkinBroadcast, SaturationReloadsAndRefreshesWithoutApplying) {
  ManagerPtr m = NewInternalManager(L"c:\\nowhere");
  m->SetSkinName(L"Harbour Blue (internal)");
  int changes = 0;
  m->OnAfterChange = [&](TObject*) { ++changes; };
  control->Commands.clear();
  m->SetSaturation(-100);
  EXPECT_EQ(SkinCommandsOnly(control->Commands), (std::vector<int>{scStopFading, scRefresh}));
  EXPECT_EQ(changes, 0);
  const TsGeneralData& global = m->Sections()[size_t(m->GetSkinIndex(L"GLOBALINFO"))];
  EXPECT_EQ(global.Color & 0xFF, (global.Color >> 8) & 0xFF);
  EXPECT_EQ(global.Color & 0xFF, (global.Color >> 16) & 0xFF);
}

TEST_F(SkinBroadcast, RegisteredFormsAreReachedEvenWhenComponentsGoAway) {
  // Two forms of the application that go away during the walk, made first so that the walk's index
  // runs past the shortened component list.
  std::vector<TForm*> doomed{new TForm(Application, 0), new TForm(Application, 0)};
  for (TForm* f : doomed) f->HandleNeeded();
  // A skinned form (answers scIsSkinned) is reached only as a registered form, once.
  auto* skinned = new TSkinnedForm(Application);
  skinned->HandleNeeded();
  RegisterForm(skinned);
  // The last form of the application: its control frees the two while it handles the apply.
  auto* dropper = new TForm(Application, 0);
  auto* dropperControl = new TRecordingControl(dropper);
  dropperControl->SetParent(dropper);
  dropper->HandleNeeded();
  dropperControl->OnCommand = [&](int command) {
    if (command != scApplySkin) return;
    for (TForm*& f : doomed) FreeAndNil(f);
  };
  TMessage message = MakeMessage(SM_ALPHACMD, SkinCommandWParam(scApplySkin), 0, 0);
  BroadcastToForms(message);
  EXPECT_EQ(std::count(skinned->Commands.begin(), skinned->Commands.end(), scApplySkin), 1);
  EXPECT_TRUE(doomed[0] == nullptr && doomed[1] == nullptr);
  UnregisterForm(skinned);
  skinned->Free();
  dropper->Free();
}

TEST_F(SkinBroadcast, AChildBeingDestroyedEndsTheWalkOfItsList) {
  auto* dying = Place<TRecordingControl>(70, 10, 20, 20);
  auto* after = Place<TRecordingControl>(100, 10, 20, 20);
  auto* graphic = Place<window_testing::TProbeControl>(130, 10, 20, 20);
  dying->HandleNeeded();
  after->HandleNeeded();
  TMessage message = MakeMessage(SM_ALPHACMD, SkinCommandWParam(scRefresh), 0, 0);
  BroadcastToChildren(form, message);
  EXPECT_EQ(SkinCommandsOnly(after->Commands), (std::vector<int>{scRefresh}));
  EXPECT_EQ(std::count(graphic->Messages.begin(), graphic->Messages.end(), SM_ALPHACMD), 1);
  dying->SetComponentState({csDestroying});
  BroadcastToChildren(form, message);
  EXPECT_EQ(SkinCommandsOnly(control->Commands), (std::vector<int>{scRefresh, scRefresh}));
  EXPECT_EQ(SkinCommandsOnly(after->Commands), (std::vector<int>{scRefresh}));
  EXPECT_EQ(std::count(graphic->Messages.begin(), graphic->Messages.end(), SM_ALPHACMD), 1);
  dying->ClearComponentState({csDestroying});
}

TEST_F(SkinBroadcast, QueriesAndNumbers) {
  auto* unplaced = new TRecordingControl(form);
  EXPECT_TRUE(QuerySkinCommand(unplaced, scIsSkinned));  // answered through the handler, no window
  EXPECT_FALSE(QuerySkinCommand(form, scIsSkinned));
  EXPECT_EQ(SM_ALPHACMD, 0xA100u);
  const UINT frameworkMessages[] = {CM_BASE,CM_ACTIVATE,CM_DEACTIVATE,CM_GOTFOCUS,CM_LOSTFOCUS,CM_CANCELMODE,CM_DIALOGKEY,CM_DIALOGCHAR,CM_FOCUSCHANGED,CM_PARENTFONTCHANGED,CM_PARENTCOLORCHANGED,CM_HITTEST,CM_VISIBLECHANGED,CM_ENABLEDCHANGED,CM_COLORCHANGED,CM_FONTCHANGED,CM_CURSORCHANGED,CM_TEXTCHANGED,CM_MOUSEENTER,CM_MOUSELEAVE,CM_MENUCHANGED,CM_APPKEYDOWN,CM_APPSYSCOMMAND,CM_BUTTONPRESSED,CM_SHOWINGCHANGED,CM_ENTER,CM_EXIT,CM_DESIGNHITTEST,CM_ICONCHANGED,CM_WANTSPECIALKEY,CM_INVOKEHELP,CM_WINDOWHOOK,CM_RELEASE,CM_SHOWHINTCHANGED,CM_PARENTSHOWHINTCHANGED,CM_SYSCOLORCHANGE,CM_WININICHANGE,CM_FONTCHANGE,CM_TIMECHANGE,CM_TABSTOPCHANGED,CM_UIACTIVATE,CM_UIDEACTIVATE,CM_DOCWINDOWACTIVATE,CM_CONTROLLISTCHANGE,CM_GETDATALINK,CM_CHILDKEY,CM_DRAG,CM_HINTSHOW,CM_DIALOGHANDLE,CM_ISTOOLCONTROL,CM_RECREATEWND,CM_INVALIDATE,CM_SYSFONTCHANGED,CM_CONTROLCHANGE,CM_CHANGED,CM_DOCKCLIENT,CM_UNDOCKCLIENT,CM_FLOAT,CM_BORDERCHANGED,CM_BIDIMODECHANGED,CM_PARENTBIDIMODECHANGED,CM_ALLCHILDRENFLIPPED,CM_ACTIONUPDATE,CM_ACTIONEXECUTE,CM_HINTSHOWPAUSE,CM_DOCKNOTIFICATION,CM_MOUSEWHEEL,CM_ISSHORTCUT,CM_THEMECHANGED,CM_PARENTVISIBLECHANGED,CM_CAPTURECHANGED,CN_BASE,CN_CHARTOITEM,CN_COMMAND,CN_COMPAREITEM,CN_CTLCOLORBTN,CN_CTLCOLORDLG,CN_CTLCOLOREDIT,CN_CTLCOLORLISTBOX,CN_CTLCOLORMSGBOX,CN_CTLCOLORSCROLLBAR,CN_CTLCOLORSTATIC,CN_DELETEITEM,CN_DRAWITEM,CN_HSCROLL,CN_MEASUREITEM,CN_PARENTNOTIFY,CN_VKEYTOITEM,CN_VSCROLL,CN_KEYDOWN,CN_KEYUP,CN_CHAR,CN_SYSKEYDOWN,CN_SYSCHAR,CN_NOTIFY};
  for (UINT number : {SM_ALPHACMD, kMsgPaintPopupItem, kMsgPaintPopupWindow, kMsgFrameRepaint})
    EXPECT_EQ(std::count(std::begin(frameworkMessages), std::end(frameworkMessages), number), 0) << number;
  TColorBlock block(nullptr);
  block.SetColor(clRed);
  EXPECT_EQ(GetControlBgColor(&block), 0x0000FF);
}

// ---- imaging and fade ---------------------------------------------------------------------------

int fadeWaits = 0;
void CountWait(DWORD) { ++fadeWaits; }

TEST_F(SkinBroadcast, FadeBlendsThirteenFramesForAHundredMilliseconds) {
  TFadeWait previous = SetFadeWait(&CountWait);
  fadeWaits = 0;
  AnimateForm(form, 7);
  EXPECT_EQ(fadeWaits, 0);
  AnimateForm(form, 100);
  EXPECT_EQ(fadeWaits, 13);
  SetFadeWait(previous);
}

TEST_F(SkinBroadcast, PaintControlToSkipsInvisibleControls) {
  auto* block = Place<TColorBlock>(0, 0, 20, 20);
  block->Fill = 0x00FF00;
  std::unique_ptr<TBitmap, TFreeDeleter> bmp(CreateBmp24(20, 20));
  FillDC(bmp->Canvas()->Handle(), TRect(0, 0, 20, 20), 0x0000FF);
  block->SetVisible(false);
  PaintControlTo(bmp.get(), block, 0, 0);
  EXPECT_EQ(GetPixel(bmp->Canvas()->Handle(), 5, 5), RGB(255, 0, 0));
  block->SetVisible(true);
  PaintControlTo(bmp.get(), block, 0, 0);
  EXPECT_EQ(GetPixel(bmp->Canvas()->Handle(), 5, 5), RGB(0, 255, 0));
}

TEST_F(SkinBroadcast, GraphicChildrenPaintOverTheParentCache) {
  auto* parent = Place<TRecordingControl>(100, 100, 60, 40);
  parent->HandleNeeded();
  auto* plain = new TColorBlock(form);
  plain->SetBounds(5, 5, 10, 10);
  plain->Fill = 0x00FF00;
  plain->SetParent(parent);
  auto* keyed = new TColorBlock(form);
  keyed->SetBounds(30, 5, 10, 10);
  keyed->Fill = clFuchsia;
  keyed->SetParent(parent);
  window_testing::DibSection target(60, 40);
  // No cache: nothing is painted.
  PaintGraphicChildren(target.DC(), parent, TPoint(0, 0));
  EXPECT_EQ(plain->Paints, 0);
  EXPECT_EQ(target.Pixel(8, 8), 0x000000u);
  std::unique_ptr<TBitmap, TFreeDeleter> cache(CreateBmp24(60, 40));
  FillDC(cache->Canvas()->Handle(), TRect(0, 0, 60, 40), 0x808080);
  parent->Cache = cache.get();
  PaintGraphicChildren(target.DC(), parent, TPoint(0, 0));
  EXPECT_EQ(plain->Paints, 1);
  EXPECT_EQ(target.Pixel(8, 8), 0x00FF00u);
  EXPECT_EQ(target.Pixel(33, 8), 0x000000u);  // a fuchsia corner: not copied
}

// An empty clip box means out of view for a parent with graphic children to paint; a parent whose
// windowed children cover it has an empty clip box too, and is not marked.
TEST_F(SkinBroadcast, AnEmptyClipMarksTheParentOutOfViewOnlyWhenItHasGraphicChildren) {
  auto* withGraphic = Place<TRecordingControl>(0, 0, 60, 40);
  (new TColorBlock(form))->SetParent(withGraphic);
  auto* windowedOnly = Place<TRecordingControl>(100, 0, 60, 40);
  auto* cover = new TRecordingControl(form);
  cover->SetBounds(0, 0, 60, 40);
  cover->SetParent(windowedOnly);
  window_testing::DibSection target(60, 40);
  IntersectClipRect(target.DC(), 0, 0, 0, 0);
  for (TRecordingControl* parent : {withGraphic, windowedOnly}) {
    parent->Commands.clear();
    PaintGraphicChildren(target.DC(), parent, TPoint(0, 0));
    bool marked = std::count(parent->Commands.begin(), parent->Commands.end(), int(scMarkOutOfView)) == 1;
    EXPECT_EQ(marked, parent == withGraphic);
  }
}

}  // namespace
