// The bar's accessibility tree in a window: element states, the keyboard focus and its keys, the
// directional search (on a tree of fixed rectangles), link bounds and one hit test through the
// foundation's IAccessible.

#include <gtest/gtest.h>

#include "NavBarWindowFixture.h"
#include "ui/navbar/NavBarAccessibility.h"

using namespace navbar_testing;
using namespace window_testing;

namespace {

TdxNavBarCustomAccessibilityHelper* Element(IdxNavBarAccessibilityHelper* AObject) {
  return AObject ? AObject->NavBarHelperObject() : nullptr;
}

int States(IdxNavBarAccessibilityHelper* AObject) {
  return Element(AObject)->StateFlags(cxAccessibleObjectSelfID);
}

constexpr int kInvisible = STATE_SYSTEM_INVISIBLE;
constexpr int kUnavailable = STATE_SYSTEM_UNAVAILABLE;

class NavBarAccessibility : public NavBarWindow {
 protected:
  IdxNavBarAccessibilityHelper* Root() { return bar->AccessibilityHelper(); }
  IdxNavBarAccessibilityHelper* Caption() { return group->CaptionPanelAccessibilityObject(); }
  IdxNavBarAccessibilityHelper* LinkObject(int index) { return group->LinkAt(index)->AccessibilityObject(); }
  void Focus() {
    bar->SetTabStop(true);
    bar->SetFocus();
    ProcessMessages();
  }
};

TEST_F(NavBarAccessibility, TreeAndStates) {
  TdxNavBarGroup* second = bar->Groups()->Add();
  second->SetCaption(L"View");
  second->AddLinkForItem(Item(0));
  TdxNavBarItemLink* orphan = group->Links()->Add();  // a link without item
  bar->Update();
  ASSERT_EQ(Element(Root())->ChildCount(), 2);
  EXPECT_EQ(Element(Root())->NavBarChildAt(1), Element(second->AccessibilityObject()));
  ASSERT_EQ(Element(second->AccessibilityObject())->ChildCount(), 2);
  EXPECT_EQ(Element(second->LinkContainerAccessibilityObject())->ChildCount(), 1);
  EXPECT_EQ(Element(group->LinkContainerAccessibilityObject())->ChildCount(), 4);
  EXPECT_EQ(States(Root()), 0);

  // A link without item is unavailable and never invisible; a disabled item's link is unavailable.
  EXPECT_EQ(States(orphan->AccessibilityObject()), kUnavailable);
  Item(1)->SetEnabled(false);
  EXPECT_EQ(States(LinkObject(1)), kUnavailable);
  Item(1)->SetEnabled(true);

  // A hidden group stays the bar's child and hides everything below it.
  second->SetVisible(false);
  bar->Update();
  EXPECT_EQ(Element(Root())->ChildCount(), 2);
  for (IdxNavBarAccessibilityHelper* object :
       {second->AccessibilityObject(), second->CaptionPanelAccessibilityObject(),
        second->LinkContainerAccessibilityObject(), second->LinkAt(0)->AccessibilityObject()})
    EXPECT_EQ(States(object) & kInvisible, kInvisible);
  second->SetVisible(true);

  // A group showing a control has an invisible link container, links or not.
  group->OptionsGroupControl()->SetUseControl(true);
  group->OptionsGroupControl()->SetShowControl(true);
  bar->Update();
  EXPECT_EQ(States(group->LinkContainerAccessibilityObject()) & kInvisible, kInvisible);
  EXPECT_EQ(States(Caption()) & kInvisible, 0);

  // A disabled bar makes everything unavailable and takes no focus; a hidden one hides everything.
  bar->SetEnabled(false);
  EXPECT_EQ(States(Caption()) & kUnavailable, kUnavailable);
  EXPECT_FALSE(Root()->CanReceiveFocus(false));
  bar->SetEnabled(true);
  EXPECT_TRUE(Root()->CanReceiveFocus(true));
  bar->SetVisible(false);
  EXPECT_EQ(States(LinkObject(0)) & kInvisible, kInvisible);
  EXPECT_FALSE(Root()->CanReceiveFocus(false));
}

TEST_F(NavBarAccessibility, ArrowKeysWalkCaptionAndLinks) {
  Focus();
  // Entering the bar focuses the first element it offers.
  EXPECT_EQ(Element(bar->FocusedObject()), Element(Caption()));
  EXPECT_TRUE(Caption()->HasFocus());
  PressKey(VK_DOWN);
  EXPECT_EQ(Element(bar->FocusedObject()), Element(LinkObject(0)));
  EXPECT_TRUE(bar->ViewInfo()->LinkViewInfoOf(group->LinkAt(0))->State().Contains(sFocused));
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  EXPECT_EQ(Element(bar->FocusedObject()), Element(LinkObject(2)));
  PressKey(VK_DOWN);  // nothing below the last link
  EXPECT_EQ(Element(bar->FocusedObject()), Element(LinkObject(2)));
  PressKey(VK_UP);
  EXPECT_EQ(Element(bar->FocusedObject()), Element(LinkObject(1)));
  // A mouse press focuses the element under it.
  const TPoint p = LinkPoint(2);
  SendMouse(bar->Handle(), WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
  SendMouse(bar->Handle(), WM_LBUTTONUP, p.x, p.y);
  EXPECT_EQ(Element(bar->FocusedObject()), Element(LinkObject(2)));
}

TEST_F(NavBarAccessibility, ClickKeysClickOnKeyUpOnly) {
  std::vector<String> clicks;
  bar->OnLinkClick = [&](TObject*, TdxNavBarItemLink* link) { clicks.push_back(link->Item()->Caption()); };
  Focus();
  bar->SetFocusedObject(LinkObject(1));
  IdxNavBarAccessibilityHelper* link = LinkObject(1);
  link->HandleKeyDown(VK_RETURN, {});
  EXPECT_TRUE(link->IsDown());
  EXPECT_TRUE(clicks.empty());
  link->HandleKeyUp(VK_RETURN, {});
  EXPECT_FALSE(link->IsDown());
  EXPECT_EQ(clicks, std::vector<String>{L"Open"});
  link->HandleKeyDown(VK_ESCAPE, {});
  EXPECT_FALSE(link->IsDown());
  link->HandleKeyUp(VK_ESCAPE, {});
  EXPECT_EQ(clicks.size(), 1u);
  // Through the bar's key handling.
  PressKey(VK_SPACE);
  EXPECT_EQ(clicks, (std::vector<String>{L"Open", L"Open"}));
}

TEST_F(NavBarAccessibility, CaptionClickKeysByViewKind) {
  int groupClicks = 0;
  bar->OnGroupClick = [&](TObject*, TdxNavBarGroup*) { ++groupClicks; };
  Focus();
  IdxNavBarAccessibilityHelper* caption = Caption();
  auto press = [&](Word key) {
    caption->HandleKeyDown(key, {});
    caption->HandleKeyUp(key, {});
  };
  // A view with an active group: Enter and Space are group clicks.
  press(VK_RETURN);
  press(VK_SPACE);
  press(VK_ADD);
  EXPECT_EQ(groupClicks, 2);

  // A view without one: Space toggles, VK_ADD expands, VK_SUBTRACT collapses, Enter does nothing.
  static_cast<TTestPainter*>(bar->Painter())->Metrics.ShowsActiveGroup = false;
  ASSERT_TRUE(group->Expanded());
  struct Case {
    Word Key;
    bool Expanded;
  };
  for (const Case& c : {Case{VK_SPACE, false}, Case{VK_SPACE, true}, Case{VK_SUBTRACT, false},
                        Case{VK_SUBTRACT, false}, Case{VK_ADD, true}, Case{VK_RETURN, true}}) {
    press(c.Key);
    EXPECT_EQ(group->Expanded(), c.Expanded) << c.Key;
  }
  group->OptionsExpansion()->SetExpandable(false);
  press(VK_SPACE);
  EXPECT_TRUE(group->Expanded());
  EXPECT_EQ(groupClicks, 2);
}

TEST_F(NavBarAccessibility, FocusedLinkFallsBackToItsGroupCaption) {
  Focus();
  bar->SetFocusedObject(LinkObject(1));
  LinkObject(1)->RemoveFocus();
  EXPECT_EQ(Element(bar->FocusedObject()), Element(Caption()));
  bar->OptionsView()->Common()->SetShowGroupCaptions(false);
  bar->Update();
  bar->SetFocusedObject(LinkObject(1));
  LinkObject(1)->RemoveFocus();
  EXPECT_EQ(bar->FocusedObject(), nullptr);
  // A focused link that goes away leaves no focused element behind.
  bar->SetFocusedObject(LinkObject(2));
  group->RemoveLinkAt(2);
  EXPECT_EQ(bar->FocusedObject(), nullptr);
}

TEST_F(NavBarAccessibility, LinkBoundsAreTheFrameOrTheUnion) {
  TdxNavBarLinkViewInfo* info = bar->ViewInfo()->LinkViewInfoOf(group->LinkAt(0));
  TdxNavBarCustomAccessibilityHelper* link = Element(LinkObject(0));
  struct Case {
    TRect Image, Caption, Bounds;
  };
  const TRect image{10, 10, 26, 26};
  for (const Case& c : {
           Case{image, {}, {8, 8, 28, 28}},                        // icon view: the frame
           Case{image, {12, 12, 20, 20}, {8, 8, 28, 28}},          // both inside the frame
           Case{image, {30, 10, 80, 24}, {10, 10, 80, 26}},        // caption beside it: the union
           Case{{}, {30, 10, 80, 24}, {30, 10, 80, 24}},           // no image: the caption
       }) {
    info->ImageRect = c.Image;
    info->CaptionRect = c.Caption;
    EXPECT_EQ(link->Bounds(), c.Bounds);
  }
}

TEST_F(NavBarAccessibility, HitTestThroughIAccessible) {
  const TPoint p = bar->ClientToScreen(LinkPoint(1));
  IAccessible* root = Element(Root())->Accessible();
  VARIANT hit;
  ASSERT_EQ(root->accHitTest(p.x, p.y, &hit), S_OK);
  ASSERT_EQ(hit.vt, VT_DISPATCH);
  EXPECT_EQ(hit.pdispVal, static_cast<IDispatch*>(Element(group->AccessibilityObject())->Accessible()));
  hit.pdispVal->Release();
  // The bar's own search goes down to the link.
  EXPECT_EQ(Element(Root())->HitTest(p), Element(LinkObject(1)));
}

// ---- the directional search on a tree of fixed rectangles ----------------------------------------

class TFakeElement : public TdxNavBarCustomAccessibilityHelper {
 public:
  TFakeElement(TdxCustomNavBar* ABar, TFakeElement* AParent, const TRect& ABounds, bool AContainer)
      : TdxNavBarCustomAccessibilityHelper(ABar, ABar), parent_(AParent), bounds_(ABounds), container_(AContainer) {
    if (AParent) AParent->AddChildObject(this);
  }
  TcxAccessibilityHelper* ParentHelper() override { return parent_; }
  TRect Bounds() override { return bounds_; }
  bool IsContainer() override { return container_; }
  bool IsFocusable() override { return !container_; }
  bool ScrolledContent(int& AExtent, int& AOffset) override {
    if (!scrolled_) return false;
    TFakeElement* first = static_cast<TFakeElement*>(NavBarChildAt(0));
    TFakeElement* last = static_cast<TFakeElement*>(NavBarChildAt(ChildCount() - 1));
    AExtent = last->bounds_.bottom - first->bounds_.top - bounds_.Height();
    AOffset = first->ScreenBounds(cxAccessibleObjectSelfID).top;
    return true;
  }
  bool scrolled_ = false;

 private:
  TFakeElement* parent_;
  TRect bounds_;
  bool container_;
};

class NavBarFocusSearch : public NavBarWindow {
 protected:
  TFakeElement* Add(TFakeElement* parent, const TRect& bounds, bool container = false) {
    auto* element = new TFakeElement(bar, parent, bounds, container);
    if (!parent) root_ = element;
    return element;
  }
  TdxNavBarCustomAccessibilityHelper* From(TdxNavBarCustomAccessibilityHelper* current, int direction) {
    IdxNavBarAccessibilityHelper* target = current->NextFocusTarget(direction);
    return target ? target->NavBarHelperObject() : nullptr;
  }
  void TearDown() override {
    root_.reset();
    NavBarWindow::TearDown();
  }
  InterfacePtr<IdxNavBarAccessibilityHelper> root_;
};

// Distances are measured along the direction only: in a grid, the row or column beside is as near
// as the diagonal, and the smallest top (left, right) or left (up, down) wins.
TEST_F(NavBarFocusSearch, NearestInEachDirection) {
  TFakeElement* root = Add(nullptr, {0, 0, 150, 260}, true);
  TFakeElement* a = Add(root, {0, 0, 50, 20});
  TFakeElement* b = Add(root, {60, 0, 110, 20});
  TFakeElement* c = Add(root, {0, 30, 50, 50});
  TFakeElement* d = Add(root, {60, 30, 110, 50});
  TFakeElement* e = Add(root, {0, 80, 50, 100});
  EXPECT_EQ(From(root, 0), a);  // the first element: downward from above the bar
  struct Case {
    TFakeElement* From;
    int Direction;
    TFakeElement* To;
  };
  for (const Case& t : {Case{a, 2, b}, Case{a, 4, c}, Case{c, 4, e}, Case{e, 3, c}, Case{d, 1, a}, Case{d, 3, a},
                        Case{b, 4, c}, Case{c, 2, b}, Case{a, 1, nullptr}, Case{a, 3, nullptr}, Case{b, 2, nullptr},
                        Case{e, 4, nullptr}})
    EXPECT_EQ(From(t.From, t.Direction), t.To) << t.Direction;
}

TEST_F(NavBarFocusSearch, TiesGoToTheAlignedThenTheLeftmost) {
  TFakeElement* root = Add(nullptr, {0, 0, 150, 260}, true);
  TFakeElement* x = Add(root, {20, 0, 70, 20});
  Add(root, {0, 20, 30, 30});                 // touching, not aligned, further left
  TFakeElement* aligned = Add(root, {20, 20, 70, 30});
  EXPECT_EQ(From(x, 4), aligned);
  TFakeElement* y = Add(root, {20, 100, 70, 120});
  Add(root, {40, 130, 60, 140});
  TFakeElement* left = Add(root, {10, 130, 30, 140});
  EXPECT_EQ(From(y, 4), left);
}

// A group's links scrolled down by one: the hidden first link lies under the caption. Up from the
// first visible link reaches it, not the caption.
TEST_F(NavBarFocusSearch, ScrolledContainerReachesItsHiddenLinks) {
  TFakeElement* root = Add(nullptr, {0, 0, 150, 260}, true);
  TFakeElement* caption = Add(root, {0, 0, 100, 20});
  TFakeElement* links = Add(root, {0, 20, 100, 60}, true);
  TFakeElement* hidden = Add(links, {0, 0, 100, 20});
  TFakeElement* first = Add(links, {0, 20, 100, 40});
  TFakeElement* second = Add(links, {0, 40, 100, 60});
  EXPECT_EQ(From(first, 3), caption);  // as laid out, the caption comes first
  links->scrolled_ = true;
  EXPECT_EQ(From(first, 3), hidden);
  EXPECT_EQ(From(hidden, 3), caption);
  EXPECT_EQ(From(first, 4), second);
}

}  // namespace
