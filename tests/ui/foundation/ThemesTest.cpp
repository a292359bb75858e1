// The theme handle cache against the recording fake of the visual-styles API: one open per kind,
// reopening for another class list, closing everything on a theme change and reopening with the
// remembered list, every answer 0 with themes off, and the cache closed and the Office11 palette
// recomputed before any control of a form hears of the change.

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/foundation/PainterTestSupport.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/Themes.h"

using namespace painter_testing;
using theme_testing::FakeThemeApi;

namespace {

class ThemeCache : public testing::Test {
 protected:
  void SetUp() override {
    StartUnits();
    for (const wchar_t* name : {L"Button", L"ScrollBar", L"Header"}) fake.AddClass(name);
    AnnounceThemeChange();  // the cache reads the fake's answers
    fake.OpenRequests.clear();
  }
  void TearDown() override {
    fake.Active = false;
    AnnounceThemeChange();  // closes what the fake opened; the cache is left with themes off
  }
  FakeThemeApi fake;
};

TEST_F(ThemeCache, SameKindTwiceOpensOnce) {
  ASSERT_TRUE(ThemesActive());
  const TdxTheme first = ThemeHandleFor(totButton);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(ThemeHandleFor(totButton), first);
  EXPECT_EQ(ThemeHandleFor(totButton, L"BUTTON"), first);  // the same list, compared upper-cased
  EXPECT_EQ(fake.OpenRequests, std::vector<String>{L"Button"});
  EXPECT_TRUE(VisualStylesAvailable(totScrollBar));
  EXPECT_FALSE(VisualStylesAvailable(totTab));  // not in the theme
  EXPECT_TRUE(VisualStylesActiveFor({totButton, totHeader}));
  EXPECT_FALSE(VisualStylesActiveFor({totButton, totTab}));
  EXPECT_TRUE(VisualStylesActiveFor({}));
}

TEST_F(ThemeCache, AnotherClassListClosesAndReopens) {
  const TdxTheme plain = ThemeHandleFor(totButton);
  const TdxTheme scoped = ThemeHandleFor(totButton, L"Explorer::Button");
  EXPECT_NE(scoped, plain);
  EXPECT_EQ(fake.Closed, 1);
  ThemeHandleFor(totButton, L"Button");
  EXPECT_EQ(fake.Closed, 2);
  EXPECT_EQ(fake.OpenRequests, (std::vector<String>{L"Button", L"Explorer::Button", L"Button"}));
  EXPECT_EQ(fake.OpenHandles(), 1);
  EXPECT_EQ(CloseThemeFor(totButton), S_OK);
  EXPECT_EQ(CloseThemeFor(totButton), 0);  // nothing open
  // A list that does not open clears what was remembered: the default opens next time.
  EXPECT_EQ(ThemeHandleFor(totButton, L"NoSuchClass"), nullptr);
  ThemeHandleFor(totButton);
  EXPECT_EQ(fake.OpenRequests.back(), L"Button");
}

TEST_F(ThemeCache, ThemeChangeClosesAllThenReopensWithTheRememberedList) {
  ThemeHandleFor(totButton, L"Explorer::Button");
  ThemeHandleFor(totScrollBar);
  std::vector<String> heard;
  TdxThemeChangedNotificator first, second;
  first.OnThemeChanged = [&] { heard.push_back(L"first " + std::to_wstring(fake.OpenHandles())); };
  second.OnThemeChanged = [&] { heard.push_back(L"second"); };
  AnnounceThemeChange();
  EXPECT_EQ(heard, (std::vector<String>{L"first 0", L"second"}));  // handles closed before anyone hears
  fake.OpenRequests.clear();
  ThemeHandleFor(totButton);
  ThemeHandleFor(totScrollBar);
  EXPECT_EQ(fake.OpenRequests, (std::vector<String>{L"Explorer::Button", L"ScrollBar"}));
}

TEST_F(ThemeCache, ThemesOffEveryAnswerIsZero) {
  ThemeHandleFor(totButton);
  fake.Active = false;
  AnnounceThemeChange();
  EXPECT_FALSE(ThemesActive());
  for (int kind = 0; kind < kThemedObjectKindCount; ++kind) {
    EXPECT_EQ(ThemeHandleFor(TdxThemedObjectKind(kind)), nullptr) << kind;
    EXPECT_EQ(CloseThemeFor(TdxThemedObjectKind(kind)), 1) << kind;
    EXPECT_FALSE(VisualStylesAvailable(TdxThemedObjectKind(kind))) << kind;
  }
  EXPECT_FALSE(VisualStylesActiveFor({}));
  EXPECT_EQ(fake.OpenHandles(), 0);
}

TEST_F(ThemeCache, NotificatorMadeWithoutTheLibraryIsNeverCalled) {
  auto open = Bound().OpenThemeData.Get();
  Bound().OpenThemeData.Set(nullptr);
  int calls = 0;
  TdxThemeChangedNotificator orphan;
  orphan.OnThemeChanged = [&] { ++calls; };
  Bound().OpenThemeData.Set(open);
  AnnounceThemeChange();
  EXPECT_EQ(calls, 0);
}

using ThemeChangeBroadcast = window_testing::FormFixture;

TEST_F(ThemeChangeBroadcast, CacheClosedAndPaletteFreshBeforeAnyControlHears) {
  StartUnits();
  PinnedSystem pinned;
  FakeThemeApi fake;
  fake.AddClass(L"Button");
  AnnounceThemeChange();
  ASSERT_NE(ThemeHandleFor(totButton), nullptr);
  ASSERT_EQ(CurrentOffice11Scheme(), o11sBlue);
  auto* edit = Place<window_testing::TTestEdit>(10, 10, 100, 22);
  form->HandleNeeded();
  std::vector<std::pair<int, TOffice11Scheme>> seen;
  edit->InstallWindowProcHook([&](TMessage& Message, TWindowProcChain& Next) {
    if (Message.Msg == CM_THEMECHANGED) seen.emplace_back(fake.OpenHandles(), CurrentOffice11Scheme());
    Next(Message);
  });
  fake.ColorName = L"Metallic";
  AnnounceThemeChange();
  EXPECT_EQ(seen, (std::vector<std::pair<int, TOffice11Scheme>>{{0, o11sSilver}}));
  EXPECT_EQ(Office11Color(Office11FaceColor), 0xE5D7D7);
  fake.Active = false;
  AnnounceThemeChange();
  EXPECT_EQ(CurrentOffice11Scheme(), o11sNone);
}

TEST(ThemeClassLists, DefaultsByKind) {
  EXPECT_STREQ(DefaultThemeClassList(totButton), L"Button");
  EXPECT_STREQ(DefaultThemeClassList(totScrollBar), L"ScrollBar");
  EXPECT_STREQ(DefaultThemeClassList(totTrayNotify), L"TrayNotify");
  EXPECT_STREQ(DefaultThemeClassList(totWindow), L"Window");
}

}  // namespace
