// The shadow a bar window casts: its parts beside the window and the opening item, their alpha
// gradients, the solid strips of a 256-colour screen, and strips that let the mouse through.

#include <gtest/gtest.h>

#include "platform/framework/rtl/Seams.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarControl.h"

using namespace bar_testing;

namespace {

using Plan = std::vector<TdxBarShadowPartPlan>;

bool SamePlans(const Plan& A, const Plan& B) {
  if (A.size() != B.size()) return false;
  for (size_t i = 0; i < A.size(); ++i)
    if (A[i].Kind != B[i].Kind || A[i].Corners != B[i].Corners || A[i].Bounds != B[i].Bounds) return false;
  return true;
}

// The parts of a shadow as plans, slot by slot.
Plan PartsOf(TdxBarShadow* Shadow) {
  Plan parts;
  for (int i = 0; i < 5; ++i)
    if (TdxBarShadowPart* part = Shadow->Part(i)) parts.push_back({part->Kind(), part->Corners(), part->BoundsRect()});
  return parts;
}

TEST(BarShadowPlan, PartsBesideTheWindowAndTheOpeningItem) {
  const TRect w{100, 120, 300, 400};
  struct Case {
    const char* Name;
    bool Horizontal;
    TRect O;
    Plan Expected;
  };
  const Case cases[] = {
      {"at a point", true, TRect{},
       {{0, {1, 2}, TRect{104, 400, 304, 404}}, {1, {4}, TRect{300, 124, 304, 400}}}},
      {"below a narrower item", true, TRect{100, 100, 160, 120},
       {{1, {4}, TRect{160, 104, 164, 120}},
        {0, {1, 2}, TRect{104, 400, 304, 404}},
        {1, {4}, TRect{300, 124, 304, 400}}}},
      {"below a wider item", true, TRect{60, 100, 340, 120},
       {{1, {4}, TRect{340, 104, 344, 120}},
        {0, {1, 2}, TRect{104, 400, 304, 404}},
        {0, {1}, TRect{64, 120, 100, 124}},
        {0, {2}, TRect{300, 120, 344, 124}},
        {1, {}, TRect{300, 120, 304, 400}}}},
      {"right of a short item", false, TRect{20, 150, 100, 170},
       {{1, {4}, TRect{300, 124, 304, 400}},
        {1, {4}, TRect{100, 154, 104, 120}},  // empty: not made
        {0, {1}, TRect{24, 170, 100, 174}},
        {0, {1, 2}, TRect{104, 400, 304, 404}}}},
      {"right of a tall item", false, TRect{20, 100, 100, 450},
       {{1, {4}, TRect{300, 124, 304, 400}},
        {1, {4}, TRect{100, 104, 104, 120}},
        {0, {1, 2}, TRect{24, 450, 104, 454}},
        {1, {}, TRect{100, 400, 104, 450}},
        {0, {2}, TRect{100, 400, 304, 404}}}},
  };
  for (const Case& c : cases) {
    Plan expected;
    for (const TdxBarShadowPartPlan& p : c.Expected)
      if (!p.Bounds.IsEmpty()) expected.push_back(p);
    EXPECT_TRUE(SamePlans(PlanShadowParts(c.Horizontal, c.O, w, 4), expected)) << c.Name;
  }
}

class BarShadowTest : public BarWindowFixture {
 protected:
  void TearDown() override {
    BarWindowFixture::TearDown();
    ResetBoundFunctions();
  }
  TTestBarControl* Window() {
    TTestBarControl* window = NewWindow(2);
    window->ShowAt(300, 300, 120, 160);
    return window;
  }
};

TEST_F(BarShadowTest, AMenuOpenedUpwardsHasTheSamePartsAsOneOpenedDownwards) {
  ASSERT_TRUE(TdxBarShadow::IsTransparent());
  TTestBarControl* window = Window();
  TdxBarShadow* shadow = window->Shadow();
  const TRect item{300, 280, 350, 300}, menu{300, 300, 420, 460};
  shadow->SetRects(item, menu);
  EXPECT_TRUE(shadow->Horizontal());
  const Plan downwards = PartsOf(shadow);
  EXPECT_EQ(downwards.size(), 3u);
  // The window above the item: the rectangles are exchanged.
  shadow->SetRects(menu, item);
  EXPECT_EQ(shadow->OwnerRect(), item);
  EXPECT_TRUE(SamePlans(PartsOf(shadow), downwards));
  // At a point: the bottom and right strips only.
  shadow->SetRects(TRect{}, menu);
  EXPECT_EQ(shadow->PartCount(), 2);
}

TEST_F(BarShadowTest, TheAlphaFallsFromTheEdgeAndFadesAtTheCorners) {
  TTestBarControl* window = Window();
  TdxBarShadow* shadow = window->Shadow();
  shadow->SetRects(TRect{}, TRect{300, 300, 420, 460});
  TdxBarShadowPart* bottom = shadow->Part(0);
  TdxBarShadowPart* right = shadow->Part(1);
  ASSERT_TRUE(bottom && right);
  ASSERT_EQ(bottom->Kind(), 0);
  const int mid = bottom->Width() / 2;
  const int expected[] = {60, 45, 30, 15};
  for (int y = 0; y < 4; ++y) EXPECT_EQ(bottom->AlphaAt(mid, y), expected[y]) << y;
  for (int x = 0; x < 4; ++x) EXPECT_EQ(right->AlphaAt(x, right->Height() / 2), expected[x]) << x;
  // The faded ends: alpha × (d + 1) / 5 over the first four pixels.
  EXPECT_EQ(bottom->AlphaAt(0, 0), MulDiv(60, 1, 5));
  EXPECT_EQ(bottom->AlphaAt(3, 0), MulDiv(60, 4, 5));
  EXPECT_EQ(bottom->AlphaAt(4, 0), 60);
  EXPECT_EQ(bottom->AlphaAt(bottom->Width() - 1, 1), MulDiv(45, 1, 5));
  EXPECT_EQ(right->AlphaAt(0, 0), MulDiv(60, 1, 5));
  EXPECT_EQ(right->AlphaAt(1, 2), MulDiv(45, 3, 5));
  EXPECT_EQ(right->AlphaAt(1, 4), 45);

  shadow->ChangeVisibility(true);
  for (int i = 0; i < 2; ++i) {
    TdxBarShadowPart* part = shadow->Part(i);
    ASSERT_TRUE(part->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(part->Handle()));
    EXPECT_NE(GetWindowLongPtrW(part->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_NE(GetWindowLongPtrW(part->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    // Owned by the window, next to it in the z-order (the system keeps owned windows above their
    // owner, so "behind" lands right above it).
    EXPECT_EQ(GetWindow(part->Handle(), GW_OWNER), window->Handle());
  }
  const HWND nearest[] = {GetWindow(window->Handle(), GW_HWNDPREV), GetWindow(window->Handle(), GW_HWNDNEXT)};
  EXPECT_TRUE(nearest[0] == shadow->Part(1)->Handle() || nearest[1] == shadow->Part(1)->Handle());
  shadow->ChangeVisibility(false);
  EXPECT_FALSE(bottom->HandleAllocated());
}

TEST_F(BarShadowTest, At8BitsTwoSolidStripsTwoPixelsWide) {
  Bound().ScreenColorDepth = [] { return 8; };
  EXPECT_FALSE(TdxBarShadow::IsTransparent());
  EXPECT_EQ(TdxBarShadow::ShadowSize(), 2);
  TTestBarControl* window = Window();
  TdxBarShadow* shadow = window->Shadow();
  shadow->SetRects(TRect{}, TRect{300, 300, 420, 460});
  ASSERT_EQ(shadow->PartCount(), 2);
  EXPECT_EQ(shadow->Part(0)->Height(), 2);
  EXPECT_EQ(shadow->Part(1)->Width(), 2);
  shadow->ChangeVisibility(true);
  TdxBarShadowPart* bottom = shadow->Part(0);
  EXPECT_EQ(GetWindowLongPtrW(bottom->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  window_testing::DibSection dib(bottom->Width(), bottom->Height());
  bottom->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dib.DC()), 0);
  const COLORREF shadowColour = GetSysColor(COLOR_BTNSHADOW);
  const DWORD rgb = (DWORD(GetRValue(shadowColour)) << 16) | (DWORD(GetGValue(shadowColour)) << 8) | GetBValue(shadowColour);
  EXPECT_EQ(dib.Pixel(bottom->Width() / 2, 1), rgb);
}

TEST_F(BarShadowTest, APartWithCornersSmallerThanTheShadowIsNeverShown) {
  TTestBarControl* window = Window();
  TdxBarShadow* shadow = window->Shadow();
  shadow->ChangeVisibility(true);
  // An item only 6 pixels high: its right strip is 2 pixels high, with a faded top.
  shadow->SetRects(TRect{300, 294, 350, 300}, TRect{300, 300, 420, 460});
  TdxBarShadowPart* small = shadow->Part(0);
  ASSERT_NE(small, nullptr);
  ASSERT_EQ(small->Height(), 2);
  EXPECT_FALSE(small->LargeEnough());
  EXPECT_FALSE(small->HandleAllocated() && IsWindowVisible(small->Handle()));
  EXPECT_TRUE(small->Image()->Empty());
  EXPECT_TRUE(IsWindowVisible(shadow->Part(1)->Handle()));
}

TEST_F(BarShadowTest, StripsLetTheMouseThrough) {
  TTestBarControl* below = NewWindow();
  below->ShowAt(300, 300, 200, 200);
  TTestBarControl* window = Window();
  TdxBarShadow* shadow = window->Shadow();
  shadow->SetRects(TRect{}, TRect{300, 300, 420, 460});
  shadow->ChangeVisibility(true);
  TdxBarShadowPart* right = shadow->Part(1);
  EXPECT_EQ(SendMessageW(right->Handle(), WM_NCHITTEST, 0, MAKELPARAM(right->Left() + 1, right->Top() + 20)),
            HTTRANSPARENT);
  const POINT p{right->Left() + 1, right->Top() + 20};
  EXPECT_EQ(WindowFromPoint(p), below->Handle());
}

}  // namespace
