// The subclass object on real windows: windows without a framework control (comctl32's subclass)
// and framework controls (WindowProc hooks), release order, the pass-through, skin commands, the
// theme switch, several subclassers on one window, geometry and the two frame painters.

#include <gtest/gtest.h>


#include <vector>

#include "platform/framework/controls/ExtCtrls.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/windows/SubclassWnd.h"

using namespace skin_testing;
using testing_support::ScratchFolder;
using window_testing::FormFixture;

namespace {

struct TSeen {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  bool HadProperty;
};
std::vector<TSeen> seen;
LRESULT clientOffsetAnswer = 0;
TColor bgColorAnswer = clFuchsia;

// The previous procedure of the tests' windows: records what reaches it, answers the parent's skin
// commands the geometry and corner routines ask.
LRESULT CALLBACK RecordingProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  seen.push_back({msg, wParam, lParam, GetPropW(window, kSubclassProperty) != nullptr});
  if (msg == SM_ALPHACMD) {
    if (HIWORD(wParam) == scGetClientOffset) return clientOffsetAnswer;
    if (HIWORD(wParam) == scGetBgColor && bgColorAnswer != clFuchsia) SharedTransparentColor = bgColorAnswer;
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

const wchar_t* RecorderClass() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &RecordingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SubclassRecorder";
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
  return L"SubclassRecorder";
}

HWND MakeRecorder(HWND parent, int x, int y, int w, int h) {
  return CreateWindowExW(0, RecorderClass(), L"start", (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE, x, y, w, h,
                         parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

int CountSeen(UINT msg) {
  int n = 0;
  for (const TSeen& s : seen) n += s.Msg == msg ? 1 : 0;
  return n;
}

using SubclassPtr = std::unique_ptr<TacMainWnd, TFreeDeleter>;

struct TThemeCall {
  HWND Window;
  bool NullNames;
  String App;
};
std::vector<TThemeCall> themeCalls;
HRESULT WINAPI RecordTheme(HWND window, LPCWSTR app, LPCWSTR ids) {
  themeCalls.push_back({window, app == nullptr && ids == nullptr, app ? String(app) : String()});
  return S_OK;
}

class SubclassWindows : public testing::Test {
 protected:
  HWND parent = nullptr;
  HWND window = nullptr;
  TSetWindowThemeProc savedTheme = nullptr;
  void SetUp() override {
    savedTheme = SetWindowThemeProc;
    SetWindowThemeProc = &RecordTheme;
    themeCalls.clear();
    parent = MakeRecorder(nullptr, 50, 60, 300, 200);
    window = MakeRecorder(parent, 10, 20, 100, 50);
    seen.clear();
    clientOffsetAnswer = 0;
    bgColorAnswer = clFuchsia;
  }
  void TearDown() override {
    if (IsWindow(parent)) DestroyWindow(parent);
    SetWindowThemeProc = savedTheme;
    DroppingAllItems = false;
  }
};

TEST_F(SubclassWindows, DestroyReleasesBeforeThePreviousProcedureSeesIt) {
  SubclassPtr object = MakeSubclass<TacMainWnd>(false, window, nullptr, nullptr, String(L"EDIT"));
  EXPECT_EQ(FindSubclassObject(window), object.get());
  DestroyWindow(window);
  bool sawDestroy = false;
  for (const TSeen& s : seen)
    if (s.Msg == WM_DESTROY) {
      sawDestroy = true;
      EXPECT_FALSE(s.HadProperty);
    }
  EXPECT_TRUE(sawDestroy);
  EXPECT_EQ(CountSeen(WM_DESTROY), 1);
  EXPECT_TRUE(object->Released);
}

TEST_F(SubclassWindows, SetTextPassesOnOnceAndCaptionFollows) {
  SubclassPtr object = MakeSubclass<TacMainWnd>(false, window, nullptr, nullptr, String(L"EDIT"));
  EXPECT_EQ(object->Caption, L"start");
  SetWindowTextW(window, L"\x00C5ngstr\x00F6m");
  EXPECT_EQ(CountSeen(WM_SETTEXT), 1);
  EXPECT_EQ(object->Caption, L"\x00C5ngstr\x00F6m");
}

TEST_F(SubclassWindows, InactiveManagerPassesEverythingButTheTakenMessages) {
  SubclassPtr object = MakeSubclass<TacMainWnd>(false, window, nullptr, nullptr, String(L"EDIT"));
  const struct {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    int Reaches;
  } cases[] = {
      {WM_USER + 7, 11, 22, 1},
      {WM_SIZE, 0, MAKELPARAM(100, 50), 1},
      {SM_ALPHACMD, SkinCommandWParam(scIsSkinned), 0, 1},
      {SM_ALPHACMD, SkinCommandWParam(scGetCache), 0, 1},
      {WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0, 0},
      {WM_PRINT, 0, PRF_CLIENT, 0},
  };
  for (const auto& c : cases) {
    seen.clear();
    SendMessageW(window, c.Msg, c.WParam, c.LParam);
    int reached = 0;
    for (const TSeen& s : seen)
      if (s.Msg == c.Msg) {
        ++reached;
        EXPECT_EQ(s.WParam, c.WParam) << c.Msg;
        EXPECT_EQ(s.LParam, c.LParam) << c.Msg;
      }
    EXPECT_EQ(reached, c.Reaches) << c.Msg;
  }
  seen.clear();
  SendMessageW(window, WM_PRINT, 0, PRF_CLIENT);
  EXPECT_EQ(CountSeen(WM_PAINT), 1);  // WM_PRINT becomes a paint
}

TEST_F(SubclassWindows, ActiveManagerAnswersIsSkinnedItself) {
  ScratchFolder folder;
  ManagerPtr manager = NewControlsManager(folder.Path().substr(0, folder.Path().size() - 1));
  ASSERT_TRUE(manager->Active());
  SubclassPtr object = MakeSubclass<TacMainWnd>(false, window, nullptr, manager.get(), String(L"EDIT"));
  seen.clear();
  EXPECT_EQ(SendMessageW(window, SM_ALPHACMD, SkinCommandWParam(scIsSkinned), 0), 1);
  EXPECT_EQ(CountSeen(SM_ALPHACMD), 0);
  SharedCacheRef = {};
  SendMessageW(window, SM_ALPHACMD, SkinCommandWParam(scGetCache), 0);
  EXPECT_EQ(SharedCacheRef.Bmp, object->SkinData->CacheBmp);
  EXPECT_EQ(CountSeen(SM_ALPHACMD), 0);
  SendMessageW(window, SM_ALPHACMD, SkinCommandWParam(scStopFading), 0);
  EXPECT_EQ(CountSeen(SM_ALPHACMD), 1);
}

TEST_F(SubclassWindows, ThemeOffExceptForDialogAndBackOnAtDestroy) {
  {
    SubclassPtr dialog = MakeSubclass<TacMainWnd>(false, window, nullptr, nullptr, String(L"DIALOG"));
    EXPECT_TRUE(themeCalls.empty());
  }
  themeCalls.clear();
  SubclassPtr edit = MakeSubclass<TacMainWnd>(false, window, nullptr, nullptr, String(L"EDIT"));
  ASSERT_EQ(themeCalls.size(), 1u);
  EXPECT_EQ(themeCalls[0].App, L" ");
  EXPECT_FALSE(themeCalls[0].NullNames);
  edit.reset();
  ASSERT_EQ(themeCalls.size(), 2u);
  EXPECT_TRUE(themeCalls[1].NullNames);
  EXPECT_EQ(themeCalls[1].Window, window);
}

TEST_F(SubclassWindows, SubclassersComeOffInEitherOrder) {
  for (bool reverse : {false, true}) {
    SubclassPtr first = MakeSubclass<TacMainWnd>(false, window, nullptr, nullptr, String(L"EDIT"));
    SubclassPtr second = MakeSubclass<TacMainWnd>(false, window, nullptr, nullptr, String(L"EDIT"));
    if (reverse) {
      second.reset();
      first.reset();
    } else {
      first.reset();
      SetWindowTextW(window, L"middle");
      EXPECT_EQ(second->Caption, L"middle");
      second.reset();
    }
    seen.clear();
    SetWindowTextW(window, reverse ? L"after reverse" : L"after order");
    EXPECT_EQ(CountSeen(WM_SETTEXT), 1);
    EXPECT_EQ(GetPropW(window, kSubclassProperty), nullptr);
    wchar_t text[32] = {};
    GetWindowTextW(window, text, 32);
    EXPECT_STREQ(text, reverse ? L"after reverse" : L"after order");
  }
}

TEST_F(SubclassWindows, BulkCleanUpStillUnsubclassesLiveWindows) {
  SubclassPtr object = MakeSubclass<TacMainWnd>(false, window, nullptr, nullptr, String(L"EDIT"));
  DroppingAllItems = true;
  object.reset();
  DroppingAllItems = false;
  EXPECT_EQ(GetPropW(window, kSubclassProperty), nullptr);
  seen.clear();
  SetWindowTextW(window, L"still works");  // would run the freed object while subclassed
  EXPECT_EQ(CountSeen(WM_SETTEXT), 1);
  // The look is left as it is in the bulk clean-up: no theme switch back.
  for (const TThemeCall& call : themeCalls) EXPECT_FALSE(call.NullNames);
}

TEST_F(SubclassWindows, GeometryFollowsTheParentsClientOffset) {
  SubclassPtr object = MakeSubclass<TacMainWnd>(false, window, nullptr, nullptr, String(L"EDIT"));
  RECT wr{}, pr{};
  GetWindowRect(window, &wr);
  GetWindowRect(parent, &pr);
  for (LRESULT answer : {LRESULT(0), LRESULT(MAKELONG(3, 5))}) {
    clientOffsetAnswer = answer;
    UpdateGeometry(window, object->ParentHandle, object->WindowRect, object->ParentRect, object->WindowSize,
                   object->ParentOffset);
    EXPECT_EQ(object->ParentHandle, parent);
    EXPECT_EQ(object->WindowSize, TPoint(100, 50));
    EXPECT_EQ(object->ParentOffset.x, wr.left - pr.left - (answer ? 3 : 0));
    EXPECT_EQ(object->ParentOffset.y, wr.top - pr.top - (answer ? 5 : 0));
  }
}

TEST_F(SubclassWindows, FrameCacheAndTransparentCornersByProbe) {
  using namespace controls_skin;
  ScratchFolder folder;
  ManagerPtr manager = NewControlsManager(folder.Path().substr(0, folder.Path().size() - 1));
  SubclassPtr object = MakeSubclass<TacMainWnd>(false, window, nullptr, manager.get(), String(L"MAINMENU"));
  TsCommonData* data = object->SkinData;
  data->UpdateIndexes();
  ASSERT_TRUE(manager->IsValidMaskIndex(data->BorderIndex));
  data->BGChanged = true;
  PrepareFrameCache(data, window, false);
  ASSERT_NE(data->CacheBmp, nullptr);
  EXPECT_EQ(data->CacheBmp->Width(), 100);
  EXPECT_EQ(data->CacheBmp->Height(), 50);
  EXPECT_FALSE(data->BGChanged);
  EXPECT_EQ(Pixel24(data->CacheBmp, 0, 25), kMenuFrame);   // left border band
  EXPECT_EQ(Pixel24(data->CacheBmp, 50, 25), kMenuBg);     // face

  // Corners: the key-coloured pixels of each border corner take the parent's colour.
  UpdateGeometry(window, object->ParentHandle, object->WindowRect, object->ParentRect, object->WindowSize,
                 object->ParentOffset);
  const TColor marker = 0x123456, behind = 0x0A0B0C;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 100; ++x) SetPixel24(data->CacheBmp, x, y, marker);
  bgColorAnswer = behind;
  FillTransparentCorners(data, 0, object.get());
  const struct {
    int X, Y;
    TColor Expected;
  } probes[] = {{0, 0, behind}, {1, 0, behind}, {0, 1, behind}, {1, 1, marker}, {2, 0, marker},
                {99, 0, behind}, {98, 0, behind}, {99, 49, behind}, {0, 49, behind}, {98, 48, marker}};
  for (const auto& p : probes) EXPECT_EQ(Pixel24(data->CacheBmp, p.X, p.Y), p.Expected) << p.X << "," << p.Y;
  EXPECT_EQ(SharedTransparentColor, clFuchsia);
}

// A framework control takes the object through its WindowProc hooks.
class SubclassControls : public FormFixture {};

TEST_F(SubclassControls, HookedControlReleasesOnDestroyAndLeavesOtherHooks) {
  auto* panel = Place<TPanel>(10, 10, 80, 40);
  ShowForm();
  HWND handle = panel->Handle();
  TsCommonData data(panel, true);
  SubclassPtr first = MakeSubclass<TacMainWnd>(false, handle, &data, nullptr, String(L"PANEL"));
  SubclassPtr second = MakeSubclass<TacMainWnd>(false, handle, &data, nullptr, String(L"PANEL"));
  panel->SetCaption(L"one");
  EXPECT_EQ(first->Caption, L"one");
  EXPECT_EQ(second->Caption, L"one");
  first.reset();
  panel->SetCaption(L"two");
  EXPECT_EQ(second->Caption, L"two");
  EXPECT_EQ(panel->Caption(), L"two");
  second.reset();
  // An earlier hook sees WM_DESTROY after the object (the most recent hook) has come off.
  bool propertyAtDestroy = true;
  panel->InstallWindowProcHook([&](TMessage& m, TWindowProcChain& next) {
    if (m.Msg == WM_DESTROY) propertyAtDestroy = GetPropW(handle, kSubclassProperty) != nullptr;
    next(m);
  });
  SubclassPtr third = MakeSubclass<TacMainWnd>(false, handle, &data, nullptr, String(L"PANEL"));
  panel->Free();
  EXPECT_FALSE(propertyAtDestroy);
  EXPECT_TRUE(third->Released);
}

}  // namespace
