// The bound-function table, the non-client metrics helper, and the theme and colour broadcasts.

#include <gtest/gtest.h>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/ThemeState.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

BOOL WINAPI WideMetricsOnly(UINT action, UINT size, PVOID data, UINT) {
  if (action != SPI_GETNONCLIENTMETRICS || size != sizeof(NONCLIENTMETRICSW)) return FALSE;
  auto* metrics = static_cast<NONCLIENTMETRICSW*>(data);
  if (metrics->cbSize != sizeof(NONCLIENTMETRICSW)) return FALSE;
  wcscpy(metrics->lfStatusFont.lfFaceName, L"Probe Sans");
  metrics->lfStatusFont.lfHeight = -11;
  return TRUE;
}

HRESULT WINAPI NamedTheme(LPWSTR file, int, LPWSTR color, int, LPWSTR, int) {
  wcscpy(file, L"C:\\Themes\\probe.msstyles");
  wcscpy(color, L"Probe");
  return S_OK;
}

bool g_themeActive = false;
BOOL WINAPI FakeThemeActive() { return g_themeActive; }

// Counts one component message on a control.
struct MessageCounter {
  MessageCounter(TControl* control, UINT msg) {
    control->InstallWindowProcHook([this, msg](TMessage& Message, TWindowProcChain& Next) {
      if (Message.Msg == msg) ++Count;
      Next(Message);
    });
  }
  int Count = 0;
};

class Broadcasts : public FormFixture {};

}  // namespace

TEST(BoundFunctions, ReplacedEntryWinsUntilReset) {
  EXPECT_NE(Bound().AnimateWindow.Get(), nullptr);
  Bound().AnimateWindow.Set(nullptr);
  EXPECT_EQ(Bound().AnimateWindow.Get(), nullptr);
  Bound().AnimateWindow.Reset();
  EXPECT_NE(Bound().AnimateWindow.Get(), nullptr);
  TBoundFunction<void(WINAPI*)()> missing{L"user32.dll", "NoSuchEntryPoint"};
  EXPECT_EQ(missing.Get(), nullptr);
}

TEST(BoundFunctions, VisualStyleEntriesResolveAndCanBeReplaced) {
  TBoundFunctions& bound = Bound();
  EXPECT_NE(bound.GetCurrentThemeName.Get(), nullptr);
  EXPECT_NE(bound.GetThemeColor.Get(), nullptr);
  EXPECT_NE(bound.GetThemePartSize.Get(), nullptr);
  EXPECT_NE(bound.GetThemeBackgroundContentRect.Get(), nullptr);
  EXPECT_NE(bound.IsThemeBackgroundPartiallyTransparent.Get(), nullptr);
  EXPECT_NE(bound.GetThemeBackgroundRegion.Get(), nullptr);
  EXPECT_NE(bound.DrawThemeText.Get(), nullptr);
  EXPECT_NE(bound.DrawThemeEdge.Get(), nullptr);
  bound.GetCurrentThemeName.Set(&NamedTheme);
  wchar_t file[64] = {}, color[64] = {}, size[64] = {};
  EXPECT_EQ(bound.GetCurrentThemeName.Get()(file, 64, color, 64, size, 64), S_OK);
  EXPECT_STREQ(color, L"Probe");
  ResetBoundFunctions();
  EXPECT_NE(bound.GetCurrentThemeName.Get(), &NamedTheme);
}

TEST(NonClientMetrics, AskedWithTheWideStructureSize) {
  auto* saved = Bound().SystemParametersInfoW;
  Bound().SystemParametersInfoW = &WideMetricsOnly;
  const NONCLIENTMETRICSW metrics = GetNonClientMetrics();
  Screen->UpdateSystemFonts();
  Bound().SystemParametersInfoW = saved;
  EXPECT_STREQ(metrics.lfStatusFont.lfFaceName, L"Probe Sans");
  EXPECT_EQ(Screen->HintFont()->Name(), L"Probe Sans");
  Screen->UpdateSystemFonts();
}

TEST_F(Broadcasts, ThemeChangeUpdatesTheStateBeforeControlsHearOfIt) {
  auto* edit = Place<TTestEdit>(10, 10, 100, 22);
  auto* probe = Place<TProbeControl>(10, 50, 10, 10);
  form->HandleNeeded();
  HWND themeWindow = ThemeState().Window();
  EXPECT_EQ(GetAncestor(themeWindow, GA_PARENT), GetDesktopWindow());
  EXPECT_NE(themeWindow, Application->Handle());
  Bound().IsThemeActive.Set(&FakeThemeActive);
  Bound().IsAppThemed.Set(&FakeThemeActive);
  std::vector<bool> seenByEdit;
  edit->InstallWindowProcHook([&](TMessage& Message, TWindowProcChain& Next) {
    if (Message.Msg == CM_THEMECHANGED) seenByEdit.push_back(ThemeState().Enabled());
    Next(Message);
  });
  MessageCounter graphic(probe, CM_THEMECHANGED);
  for (bool active : {true, false}) {
    g_themeActive = active;
    SendMessageW(themeWindow, WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(ThemeState().Enabled(), active);
  }
  Bound().IsThemeActive.Reset();
  Bound().IsAppThemed.Reset();
  EXPECT_EQ(seenByEdit, (std::vector<bool>{true, false}));
  EXPECT_EQ(graphic.Count, 2);
}

TEST_F(Broadcasts, ThemeListenersHearInOrderBeforeAnyForm) {
  auto* edit = Place<TTestEdit>(10, 10, 100, 22);
  form->HandleNeeded();
  std::vector<String> heard;
  edit->InstallWindowProcHook([&](TMessage& Message, TWindowProcChain& Next) {
    if (Message.Msg == CM_THEMECHANGED) heard.push_back(L"form");
    Next(Message);
  });
  struct Listener {
    std::vector<String>* heard;
    String name;
    TNotifyEvent* removeOnCall = nullptr;
    void Changed(TObject*) {
      heard->push_back(name);
      if (removeOnCall) ThemeState().RemoveListener(*removeOnCall);
    }
  };
  Listener first{&heard, L"first"}, second{&heard, L"second"}, third{&heard, L"third"};
  TNotifyEvent a(&first, &Listener::Changed), b(&second, &Listener::Changed), c(&third, &Listener::Changed);
  ThemeState().AddListener(a);
  ThemeState().AddListener(b);
  ThemeState().AddListener(a);  // listed once
  ThemeState().AddListener(c);
  first.removeOnCall = &b;  // b is removed before its turn and not called
  SendMessageW(ThemeState().Window(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(heard, (std::vector<String>{L"first", L"third", L"form"}));
  heard.clear();
  first.removeOnCall = nullptr;
  ThemeState().RemoveListener(a);
  ThemeState().RemoveListener(c);
  SendMessageW(ThemeState().Window(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(heard, (std::vector<String>{L"form"}));
}

TEST_F(Broadcasts, SystemColourChangeReachesEveryControl) {
  auto* edit = Place<TTestEdit>(10, 10, 100, 22);
  auto* probe = Place<TProbeControl>(10, 50, 10, 10);
  MessageCounter windowed(edit, CM_SYSCOLORCHANGE), graphic(probe, CM_SYSCOLORCHANGE);
  SendMessageW(form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(windowed.Count, 1);
  EXPECT_EQ(graphic.Count, 1);
}
