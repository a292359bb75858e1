// The navigation controller on small trees of fake navigation objects with a recording key-tip
// windows manager: key tips shown, filtered and executed, Esc one level up, the waiting timer, and
// moving the selection with Tab and the arrows.

#include <gtest/gtest.h>

#include <map>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/rtl/Seams.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarNavigation.h"

using window_testing::HeldKeys;

namespace {

// Records the key-tip windows shown.
class RecordingWindows : public IdxBarKeyTipWindowsManager {
 public:
  void Add(const String& Text, const TPoint&, bool, Byte, Byte, void*& Window) override {
    Window = reinterpret_cast<void*>(++next);
    shown[Window] = Text;
  }
  void Delete(void* Window) override { shown.erase(Window); }
  void Show() override { ++commits; }
  std::vector<String> Texts() const {
    std::vector<String> r;
    for (auto& [w, t] : shown) r.push_back(t);
    return r;
  }
  std::map<void*, String> shown;
  intptr_t next = 0;
  int commits = 0;
};

// A node of a fake tree: its children are both its selectable objects and its key tips.
class FakeNode : public TObject, public IdxBarAccessibilityHelper {
 public:
  FakeNode(String ATip, FakeNode* AParent, RecordingWindows* AWindows = nullptr)
      : tip(std::move(ATip)), parent(AParent), windows(AWindows) {
    if (parent) parent->children.push_back(this);
  }
  TObject* HelperObject() override { return this; }
  IdxBarKeyTipWindowsManager* KeyTipsSupported() override { return windows; }
  bool ChildrenNavigable(Word) override { return true; }
  IdxBarAccessibilityHelper* BarHelperObject() override { return parent ? parent->BarHelperObject() : this; }
  TdxBarManager* BarManager() override { return nullptr; }
  IdxBarAccessibilityHelper* DefaultSelectableObject() override {
    return children.empty() ? nullptr : children.front();
  }
  IdxBarAccessibilityHelper* FirstSelectableInTree() override { return DefaultSelectableObject(); }
  IdxBarAccessibilityHelper* FindNextInDirection(int Direction) override {
    // Left and up go back, right and down forward, along the siblings.
    return SiblingInDirection(Direction == bndRight || Direction == bndDown);
  }
  bool ProcessNavigationKey(Word) override { return false; }
  bool WantsKey(Word) override { return false; }
  IdxBarAccessibilityHelper* SiblingInDirection(bool Forward) override {
    if (!parent) return nullptr;
    auto& s = parent->children;
    const int n = int(s.size());
    for (int i = 0; i < n; ++i) {
      if (s[size_t(i)] == this) return s[size_t((i + (Forward ? 1 : n - 1)) % n)];
    }
    return nullptr;
  }
  void TakeSelection(int Reason) override {
    lastReason = Reason;
    BarNavigationController()->SetSelected(this, parent);
  }
  void ReleaseSelection(IdxBarAccessibilityHelper*) override {
    if (BarNavigationController()->StoredSelected() == this) BarNavigationController()->SetSelected(nullptr, nullptr);
  }
  void CollectKeyTips(TdxBarKeyTipList& List) override {
    for (FakeNode* child : children) {
      TdxBarKeyTipInfo info;
      info.KeyTip = child->tip;
      info.OnExecute = [child] { child->Execute(); };
      List.push_back(std::make_unique<TdxBarKeyTipData>(info));
    }
  }
  void EscapeKeyTips() override { BarNavigationController()->SetKeyTipsContainer(parent, String()); }
  // A node with children opens their key tips; a leaf records its execution.
  void Execute() {
    ++executed;
    if (!children.empty()) BarNavigationController()->SetKeyTipsContainer(this, String());
  }

  String tip;
  FakeNode* parent;
  RecordingWindows* windows;
  std::vector<FakeNode*> children;
  int executed = 0;
  int lastReason = -1;
};

int g_beeps = 0;
void CountBeep() { ++g_beeps; }

class NavigationTest : public testing::Test {
 protected:
  void SetUp() override {
    nav = BarNavigationController();
    ASSERT_NE(nav, nullptr);
    saved = SetBarBeepProc(&CountBeep);
    g_beeps = 0;
    BarHookFlags() = TdxBarHookFlags{};
  }
  void TearDown() override {
    nav->StopKeyboardHandling();
    SetBarBeepProc(saved);
    BarHookFlags() = TdxBarHookFlags{};
  }
  TdxBarNavigationController* nav = nullptr;
  TdxBarBeepProc saved = nullptr;
  RecordingWindows windows;
};

TEST_F(NavigationTest, TheFirstPrefixMatchCountsAndAnExactMatchExecutes) {
  FakeNode root(L"", nullptr, &windows);
  FakeNode fa(L"FA", &root, &windows), f(L"F", &root, &windows), h(L"H", &root, &windows);
  nav->SetKeyTipsContainer(&root, String());
  EXPECT_EQ(windows.Texts(), (std::vector<String>{L"FA", L"F", L"H"}));
  // "F": FA comes first and only begins with it: the prefix grows, H hides, F is not run.
  nav->HandleKey('F', nullptr, nullptr);
  EXPECT_EQ(nav->TypedPrefix(), L"F");
  EXPECT_EQ(f.executed, 0);
  EXPECT_EQ(windows.Texts(), (std::vector<String>{L"FA", L"F"}));
  nav->HandleKey('A', nullptr, nullptr);
  EXPECT_EQ(fa.executed, 1);
  // A character that matches nothing beeps; the tips stay.
  nav->SetKeyTipsContainer(&root, String());
  nav->HandleKey('Z', nullptr, nullptr);
  EXPECT_EQ(g_beeps, 1);
  EXPECT_TRUE(nav->KeyTipsShowing());
}

TEST_F(NavigationTest, EscGoesUpOneLevelOfKeyTips) {
  FakeNode root(L"", nullptr, &windows);
  FakeNode home(L"H", &root, &windows);
  FakeNode paste(L"V", &home, &windows);
  nav->SetKeyTipsContainer(&root, String());
  nav->HandleKey('H', nullptr, nullptr);
  ASSERT_EQ(nav->KeyTipsContainer(), &home);
  EXPECT_EQ(windows.Texts(), (std::vector<String>{L"V"}));
  nav->HandleKey(VK_ESCAPE, nullptr, nullptr);
  EXPECT_EQ(nav->KeyTipsContainer(), &root);
  EXPECT_EQ(windows.Texts(), (std::vector<String>{L"H"}));
  EXPECT_EQ(paste.executed, 0);
}

TEST_F(NavigationTest, AltHeldUntilTheTimerShowsTheTipsAndAReleasedAltEndsTheWait) {
  FakeNode root(L"", nullptr, &windows);
  FakeNode file(L"F", &root, &windows);
  BarHookFlags().MenuKeyPressed = true;
  nav->StartKeyTipsWaiting(&root);
  EXPECT_TRUE(nav->IsKeyTipsWaiting());
  nav->KeyTipsTimerFired();
  EXPECT_FALSE(nav->IsKeyTipsWaiting());
  EXPECT_EQ(nav->KeyTipsContainer(), &root);
  EXPECT_EQ(windows.Texts(), (std::vector<String>{L"F"}));
  nav->StopKeyTips();
  EXPECT_TRUE(windows.shown.empty());

  // The timer fires after Alt went up: the wait ends with nothing shown and no timer left running.
  nav->StartKeyTipsWaiting(&root);
  BarHookFlags().MenuKeyPressed = false;
  nav->KeyTipsTimerFired();
  EXPECT_FALSE(nav->IsKeyTipsWaiting());
  EXPECT_FALSE(nav->HasKeyTipsTimer());
  EXPECT_FALSE(nav->KeyTipsShowing());
  // A new wait can start at once.
  nav->StartKeyTipsWaiting(&root);
  EXPECT_TRUE(nav->IsKeyTipsWaiting());
}

TEST_F(NavigationTest, AWaitForASecondRootOrWithoutARootRaises) {
  FakeNode root(L"", nullptr, &windows), other(L"", nullptr, &windows);
  EXPECT_THROW(nav->StartKeyTipsWaiting(nullptr), Exception);
  nav->StartKeyTipsWaiting(&root);
  EXPECT_THROW(nav->StartKeyTipsWaiting(&other), Exception);
  nav->StartKeyTipsWaiting(&root);  // the same root again changes nothing
  EXPECT_TRUE(nav->IsKeyTipsWaiting());
  // A character typed while waiting opens the root's tips with it as prefix.
  FakeNode a(L"AB", &root, &windows), b(L"AC", &root, &windows);
  nav->HandleKey('A', nullptr, nullptr);
  EXPECT_FALSE(nav->IsKeyTipsWaiting());
  EXPECT_EQ(nav->KeyTipsContainer(), &root);
  EXPECT_EQ(nav->TypedPrefix(), L"A");
}

TEST_F(NavigationTest, TabAndArrowsMoveTheSelectionShiftTabGoesBackAndCtrlTabIsNoNavigationKey) {
  FakeNode root(L"", nullptr);
  FakeNode one(L"1", &root), two(L"2", &root), three(L"3", &root);
  nav->SelectDefaultObject(&root);
  EXPECT_TRUE(nav->NavigationMode());
  ASSERT_EQ(nav->CurrentSelected(), &one);
  EXPECT_TRUE(nav->WantsNavigationKey(VK_TAB));
  nav->HandleKey(VK_TAB, nullptr, nullptr);
  EXPECT_EQ(nav->CurrentSelected(), &two);
  EXPECT_EQ(two.lastReason, 1);
  nav->HandleKey(VK_RIGHT, nullptr, nullptr);
  EXPECT_EQ(nav->CurrentSelected(), &three);
  EXPECT_EQ(three.lastReason, 0);
  {
    HeldKeys shift({VK_SHIFT});
    nav->HandleKey(VK_TAB, nullptr, nullptr);
    EXPECT_EQ(nav->CurrentSelected(), &two);
  }
  {
    HeldKeys ctrl({VK_CONTROL});
    EXPECT_FALSE(nav->IsNavigationKey(VK_TAB));
    EXPECT_FALSE(nav->WantsNavigationKey(VK_TAB));
  }
  // Esc ends navigation.
  nav->HandleKey(VK_ESCAPE, nullptr, nullptr);
  EXPECT_EQ(nav->CurrentSelected(), nullptr);
}

TEST_F(NavigationTest, AnObjectThatGoesIsForgotten) {
  FakeNode root(L"", nullptr, &windows);
  FakeNode one(L"1", &root);
  nav->SelectDefaultObject(&root);
  nav->SetKeyTipsContainer(&root, String());
  nav->UnassignObject(&root);
  EXPECT_EQ(nav->CurrentSelected(), nullptr);
  EXPECT_EQ(nav->CurrentSelectedParent(), nullptr);
  EXPECT_FALSE(nav->KeyTipsShowing());
}

}  // namespace
