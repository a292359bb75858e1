// Layout: link rows measured with the screen canvas's text height, icon-view rows, scrolled links,
// drop targets, link hits, accelerators and the scroll buttons' states.

#include <gtest/gtest.h>

#include "NavBarTestSupport.h"
#include "platform/framework/graphics/ImageList.h"

using namespace navbar_testing;

namespace {

class NavBarLayout : public NavBarFixture {
 protected:
  TdxNavBarViewInfo* Info() { return bar->ViewInfo(); }
  TdxNavBarLinkViewInfo* LinkInfo(TdxNavBarGroup* group, int index) {
    return Info()->LinkViewInfoOf(group->LinkAt(index));
  }
  static TPoint Mid(const TRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
};

TEST_F(NavBarLayout, SmallImageRowsFromTheMeasuredTextHeight) {
  TdxNavBarGroup* group = AddGroup(L"A", 2);
  group->LinkAt(1)->Item()->SetCaption(L"Two\nLines");
  Layout();
  TdxNavBarGroupViewInfo* info = Info()->GroupViewInfoOf(group);
  const int headerHeight = ScreenCanvas()->FontLineHeight(info->HeaderFont());
  EXPECT_EQ(info->CaptionRect, TRect(0, 0, 150, 6 + headerHeight));
  TdxNavBarLinkViewInfo* first = LinkInfo(group, 0);
  TdxNavBarLinkViewInfo* second = LinkInfo(group, 1);
  const int text = ScreenCanvas()->FontLineHeight(first->Font());
  const int row = std::max(16, text + 4) + 6;
  EXPECT_EQ(first->Rect, TRect(0, info->CaptionRect.bottom + 8, 150, info->CaptionRect.bottom + 8 + row));
  EXPECT_EQ(second->Rect.top, first->Rect.bottom);
  EXPECT_EQ(second->Rect.Height(), row);
  // The caption: one line whatever it holds (as the platform measures one line), centred in the
  // row beside the image.
  const int line = first->CaptionRect.Height();
  ASSERT_GT(line, 0);
  ASSERT_LT(line, row);
  EXPECT_EQ(second->CaptionRect.Height(), line);
  EXPECT_EQ(second->CaptionRect.top - second->Rect.top, row / 2 - line / 2);
  EXPECT_EQ(second->ImageRect, TRect(4, second->Rect.top + (row - 16) / 2, 20, second->Rect.top + (row - 16) / 2 + 16));
  EXPECT_EQ(second->CaptionRect.left, 24);
  EXPECT_EQ(info->Rect.bottom, second->Rect.bottom + 8);
  // A taller image list sets the row.
  TImageList images(root);
  images.SetSize(40, 40);
  bar->OptionsImage()->SetSmallImages(&images);
  Layout();
  EXPECT_EQ(LinkInfo(group, 0)->Rect.Height(), std::max(40, text + 4) + 6);
}

TEST_F(NavBarLayout, IconViewWrapsWhenARowIsFull) {
  TdxNavBarGroup* group = AddGroup(L"A", 8);
  group->SetShowAsIconView(true);
  Layout();
  // 4 + 16 + 4 pixels a link: six fit the 150 pixels, the seventh starts a row at the left.
  for (int i = 0; i < 6; ++i) EXPECT_EQ(LinkInfo(group, i)->Rect.left, 24 * i) << i;
  EXPECT_EQ(LinkInfo(group, 6)->Rect.left, 0);
  EXPECT_EQ(LinkInfo(group, 6)->Rect.top, LinkInfo(group, 5)->Rect.bottom);
  EXPECT_EQ(LinkInfo(group, 7)->Rect.left, 24);
  EXPECT_EQ(LinkInfo(group, 7)->Rect.top, LinkInfo(group, 6)->Rect.top);
  EXPECT_TRUE(RectHasNoArea(LinkInfo(group, 0)->CaptionRect));
}

TEST_F(NavBarLayout, TopVisibleLinkShiftsTheRowsUp) {
  Painter()->Metrics.FitActiveGroup = true;
  TdxNavBarGroup* group = AddGroup(L"A", 6);
  Layout();
  const int row = LinkInfo(group, 0)->Rect.Height();
  std::vector<int> tops;
  for (int i = 0; i < 6; ++i) tops.push_back(LinkInfo(group, i)->Rect.top);
  group->SetTopVisibleLinkIndex(3);
  Layout();
  for (int i = 0; i < 6; ++i) EXPECT_EQ(LinkInfo(group, i)->Rect.top, tops[size_t(i)] - 3 * row) << i;
}

TEST_F(NavBarLayout, DropTargets) {
  TdxNavBarGroup* a = AddGroup(L"A", 3);
  TdxNavBarGroup* b = AddGroup(L"B", 2);
  bar->SetActiveGroup(a);
  Layout();
  const TRect second = LinkInfo(a, 1)->Rect;
  const int middle = (second.top + second.bottom) / 2;
  struct Case {
    TPoint point;
    TdxNavBarGroup* group;
    TdxNavBarItemLink* next;
    TdxNavBarItemLink* previous;
    int index;
  };
  TdxNavBarGroupViewInfo* infoA = Info()->GroupViewInfoOf(a);
  TdxNavBarGroupViewInfo* infoB = Info()->GroupViewInfoOf(b);
  const Case cases[] = {
      {{10, middle - 1}, a, a->LinkAt(1), a->LinkAt(0), 1},                // above the middle line
      {{10, middle}, a, a->LinkAt(2), a->LinkAt(1), 2},                    // exactly on it: below
      {{10, middle + 1}, a, a->LinkAt(2), a->LinkAt(1), 2},                // below
      {{10, infoA->CaptionRect.bottom + 2}, a, a->LinkAt(0), nullptr, 0},  // above the first link
      {{10, infoA->Rect.bottom - 2}, a, nullptr, a->LinkAt(2), 3},         // below the last
      {Mid(infoB->CaptionRect), b, nullptr, nullptr, 0},                   // a caption: its group, no links laid out
      {{10, 1000}, nullptr, nullptr, nullptr, -1},
  };
  for (const Case& c : cases) {
    TdxNavBarGroup* group = nullptr;
    TdxNavBarItemLink *next = nullptr, *previous = nullptr;
    EXPECT_EQ(Info()->DropTargetAt(c.point, group, next, previous), c.index) << c.point.y;
    EXPECT_EQ(group, c.group) << c.point.y;
    EXPECT_EQ(next, c.next) << c.point.y;
    EXPECT_EQ(previous, c.previous) << c.point.y;
  }
  // The caption of the group showing links offers its first link.
  TdxNavBarGroup* group = nullptr;
  TdxNavBarItemLink *next = nullptr, *previous = nullptr;
  EXPECT_EQ(Info()->DropTargetAt(Mid(infoA->CaptionRect), group, next, previous), 0);
  EXPECT_EQ(next, a->LinkAt(0));
}

TEST_F(NavBarLayout, LinkHitsOnImageAndCaptionOrTheWholeRow) {
  TdxNavBarGroup* group = AddGroup(L"A", 2);
  group->LinkAt(0)->Item()->SetCaption(L"Go");
  Layout();
  TdxNavBarLinkViewInfo* link = LinkInfo(group, 0);
  const TPoint onImage = Mid(link->ImageRect);
  const TPoint onCaption = Mid(link->CaptionRect);
  const TPoint beyondCaption{link->CaptionRect.right + 5, onCaption.y};
  const TPoint betweenImageAndCaption{link->ImageRect.right + 2, onCaption.y};
  ASSERT_LT(beyondCaption.x, link->Rect.right);
  EXPECT_EQ(Info()->LinkAtHit(onImage), link);
  EXPECT_EQ(Info()->LinkAtHit(onCaption), link);
  EXPECT_EQ(Info()->LinkAtHit(betweenImageAndCaption), link);
  EXPECT_EQ(Info()->LinkAtHit(beyondCaption), nullptr);
  EXPECT_EQ(Info()->LinkAtPos(beyondCaption), link);
  Painter()->Metrics.LinkHitWholeRow = true;
  EXPECT_EQ(Info()->LinkAtHit(beyondCaption), link);
  group->LinkAt(0)->Item()->SetEnabled(false);
  Layout();
  EXPECT_EQ(Info()->LinkAtHit(onImage), nullptr);
}

TEST_F(NavBarLayout, AcceleratorsPreferTheLaterGroup) {
  Painter()->Metrics.AllGroupsShowLinks = true;
  TdxNavBarGroup* a = AddGroup(L"&First", 2);
  TdxNavBarGroup* b = AddGroup(L"Second", 2);
  a->LinkAt(1)->Item()->SetCaption(L"&Save");
  b->LinkAt(0)->Item()->SetCaption(L"&Search");
  b->LinkAt(1)->Item()->SetCaption(L"Sa&ve");
  Layout();
  EXPECT_EQ(Info()->LinkByAccel('S')->Link(), b->LinkAt(0));
  EXPECT_EQ(Info()->LinkByAccel('v')->Link(), b->LinkAt(1));
  EXPECT_EQ(Info()->GroupByAccel('F')->Group(), a);
  EXPECT_EQ(Info()->LinkByAccel('Q'), nullptr);
}

TEST_F(NavBarLayout, ScrollButtonStates) {
  Painter()->Metrics.FitActiveGroup = true;
  bar->SetBounds(0, 0, 150, 120);
  TdxNavBarGroup* group = AddGroup(L"A", 8);
  Layout();
  EXPECT_EQ(Info()->TopScrollButtonState(), dxNavBarScrollButtonDisabled);
  EXPECT_EQ(Info()->BottomScrollButtonState(), 0);
  EXPECT_TRUE(RectHasNoArea(Info()->TopScrollRect()));
  const TRect bottom = Info()->BottomScrollRect();
  TdxNavBarGroupViewInfo* info = Info()->GroupViewInfoOf(group);
  EXPECT_EQ(bottom, TRect(info->ItemsRect.right - 22, info->ItemsRect.bottom - 22, info->ItemsRect.right - 6,
                          info->ItemsRect.bottom - 6));
  bar->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(bottom.left + 2, bottom.top + 2));
  EXPECT_EQ(Info()->BottomScrollButtonState(), dxNavBarScrollButtonHot);
  EXPECT_EQ(bar->LinkHitAtPos(bar->MousePos()), nullptr);  // a button hides the link under it
  bar->DoBottomScrollButtonDown();
  EXPECT_EQ(group->TopVisibleLinkIndex(), 1);
  EXPECT_TRUE(bar->ScrollTimer()->Enabled());
  EXPECT_EQ(bar->ScrollTimer()->Interval(), 300u);
  EXPECT_EQ(Info()->BottomScrollButtonState(), dxNavBarScrollButtonHot | dxNavBarScrollButtonPressed);
  Layout();
  EXPECT_EQ(Info()->TopScrollButtonState(), 0);
  bar->DoBottomScrollButtonUp();
  EXPECT_FALSE(bar->ScrollTimer()->Enabled());
  group->SetTopVisibleLinkIndex(7);
  Layout();
  EXPECT_EQ(Info()->BottomScrollButtonState() & dxNavBarScrollButtonDisabled, dxNavBarScrollButtonDisabled);
}

}  // namespace
