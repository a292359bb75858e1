// Views 0 and 1: the registry entries, fitting the active group, making links visible, and the
// element painter's insertion mark.

#include <gtest/gtest.h>

#include "NavBarTestSupport.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarBaseViews.h"
#include "ui/navbar/NavBarItems.h"
#include "ui/navbar/NavBarViews.h"

using namespace navbar_testing;

namespace {

// A base view that counts the insertion marks it is asked to draw.
class TMarkCountingPainter : public TdxNavBarBasePainter {
  DECLARE_CLASS(TMarkCountingPainter, TdxNavBarBasePainter)
 public:
  using TdxNavBarBasePainter::TdxNavBarBasePainter;
  void DrawDropTargetLink(TdxNavBarGroupViewInfo*, TdxNavBarLinkViewInfo*, TdxNavBarLinkViewInfo*) override {
    ++Marks;
  }
  int Marks = 0;
};
DEFINE_CLASS(TMarkCountingPainter)
constexpr int kMarkCountingView = 1002;

class BaseView : public NavBarFixture {
 protected:
  void SetUp() override {
    InitializeUnits();
    NavBarFixture::SetUp();
    bar->SetView(0);
    bar->SetBounds(0, 0, 150, 200);
  }
  TdxNavBarBaseViewInfo* Info() { return static_cast<TdxNavBarBaseViewInfo*>(bar->ViewInfo()); }
  TdxNavBarElementPainter* ElementPainter() { return static_cast<TdxNavBarElementPainter*>(bar->Painter()); }
};

}  // namespace

TEST_F(BaseView, ViewsZeroAndOneAreRegistered) {
  TdxNavBarViewsFactory* factory = dxNavBarViewsFactory();
  const int base = factory->IndexOfID(0), flat = factory->IndexOfID(1);
  ASSERT_GE(base, 0);
  ASSERT_GE(flat, 0);
  EXPECT_EQ(factory->NameAt(base), L"BaseView");
  EXPECT_EQ(factory->NameAt(flat), L"FlatView");
  EXPECT_EQ(factory->PainterClassAt(base), &TdxNavBarBasePainter::ClassInfo());
  EXPECT_EQ(factory->PainterClassAt(flat), &TdxNavBarFlatPainter::ClassInfo());
  EXPECT_EQ(bar->Painter()->ClassType(), &TdxNavBarBasePainter::ClassInfo());
  EXPECT_TRUE(Is<TdxNavBarNavigationBarController>(bar->Controller()));
  bar->SetView(1);
  EXPECT_EQ(ElementPainter()->ButtonPainterClass(), TdxNavBarFlatButtonPainter::Instance());
}

TEST_F(BaseView, TheActiveGroupFillsTheClientAndKeepsItsMinimum) {
  AddGroup(L"A", 3);
  AddGroup(L"B", 3);
  AddGroup(L"C", 3);
  bar->SetActiveGroupIndex(1);
  Layout();
  TdxNavBarGroupViewInfo* active = Info()->GroupAt(1);
  // The captions stack; the active group's items take the rest of the 200 pixels.
  EXPECT_EQ(Info()->GroupAt(2)->Rect.bottom, 200);
  EXPECT_GT(active->ItemsRect.Height(), 50);
  // Captions that fill the client still leave the active group 50 pixels (2 x 16 + 3 x 6).
  for (int i = 0; i < 12; ++i) AddGroup(L"More" + IntToStr(i));
  Layout();
  EXPECT_EQ(Info()->ActiveGroupMinItemsHeight(), 50);
  EXPECT_EQ(Info()->GroupAt(1)->ItemsRect.Height(), 50);
  EXPECT_GT(Info()->GroupAt(Info()->GroupCount() - 1)->Rect.bottom, 200);
}

TEST_F(BaseView, MakeLinkVisibleSwitchesGroupsAndScrollsOneLinkAtATime) {
  TdxNavBarGroup* first = AddGroup(L"A", 2);
  TdxNavBarGroup* second = AddGroup(L"B", 20);
  bar->SetActiveGroup(first);
  Layout();
  TdxNavBarItemLink* last = second->LinkAt(19);
  Info()->MakeLinkVisible(last, false);
  EXPECT_EQ(bar->ActiveGroup(), second);
  Layout();
  TdxNavBarGroupViewInfo* group = Info()->GroupViewInfoOf(second);
  TdxNavBarLinkViewInfo* link = group->LinkViewInfoOf(last);
  ASSERT_NE(link, nullptr);
  EXPECT_LE(link->Rect.bottom, group->ItemsRect.bottom);
  // One link less would leave it below the items area: the scrolling stopped at the first fit.
  const int top = second->TopVisibleLinkIndex();
  EXPECT_GT(top, 0);
  second->SetTopVisibleLinkIndex(top - 1);
  Layout();
  group = Info()->GroupViewInfoOf(second);
  EXPECT_GT(group->LinkViewInfoOf(last)->Rect.bottom, group->ItemsRect.bottom);
  // At top: the link becomes the first visible one.
  Info()->MakeLinkVisible(second->LinkAt(5), true);
  EXPECT_EQ(second->TopVisibleLinkIndex(), 5);
}

TEST_F(BaseView, TheInsertionMarkIsAnArrowedLineOrAVerticalLineInIconLayout) {
  TdxNavBarGroup* group = AddGroup(L"A", 3);
  Layout();
  TdxNavBarGroupViewInfo* info = Info()->GroupViewInfoOf(group);
  TdxNavBarLinkViewInfo* first = info->LinkAt(0);
  TdxNavBarLinkViewInfo* second = info->LinkAt(1);
  TPoint points[6];
  ASSERT_TRUE(ElementPainter()->DropTargetLinkPoints(info, first, second, points));
  const int w = ElementPainter()->DropTargetLinkMarkWidth(), h = ElementPainter()->DropTargetLinkMarkHeight();
  const TPoint s(first->Rect.left, first->Rect.bottom);
  const int W = info->Rect.Width();
  EXPECT_EQ(points[0], TPoint(s.x + w, s.y));
  EXPECT_EQ(points[1], TPoint(s.x, s.y - h / 2));
  EXPECT_EQ(points[2], TPoint(s.x, s.y + h / 2));
  EXPECT_EQ(points[3], TPoint(W + s.x + w - 2 * w - 1, first->Rect.bottom));
  EXPECT_EQ(points[4], TPoint(W + s.x - 1, s.y - h / 2));
  EXPECT_EQ(points[5], TPoint(W + s.x - 1, s.y + h / 2));
  // Without a link before, from the top of the link after: only the lower arrowheads open.
  ASSERT_TRUE(ElementPainter()->DropTargetLinkPoints(info, nullptr, first, points));
  EXPECT_EQ(points[1], TPoint(first->Rect.left, first->Rect.top));
  // Icon layout: a vertical line from the link's top-right to its bottom-right, no arrowheads.
  group->SetShowAsIconView(true);
  Layout();
  info = Info()->GroupViewInfoOf(group);
  first = info->LinkAt(0);
  ASSERT_TRUE(ElementPainter()->DropTargetLinkPoints(info, first, nullptr, points));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(points[i], TPoint(first->Rect.right, first->Rect.top));
  for (int i = 3; i < 6; ++i) EXPECT_EQ(points[i], TPoint(first->Rect.right, first->Rect.bottom));
}

// While a link is dragged, a drop position right before or after the link itself shows no mark; any
// other position does, and so does the same position while an item is dragged in.
TEST_F(BaseView, NoInsertionMarkNextToTheDraggedLink) {
  RegisterView(kMarkCountingView, L"MarkCountingView", &TMarkCountingPainter::ClassInfo());
  bar->SetView(kMarkCountingView);
  TdxNavBarGroup* group = AddGroup(L"A", 4);
  Layout();
  auto* painter = static_cast<TMarkCountingPainter*>(bar->Painter());
  struct Case {
    const char* what;
    int previous, next;  // link indexes, -1 for none
    bool itemDragged;
    int marks;
  } cases[] = {
      {"after itself", 1, 2, false, 0},
      {"before itself", 0, 1, false, 0},
      {"elsewhere", 2, 3, false, 1},
      {"an item next to the link", 0, 1, true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TdxNavBarItemLink* dragged = group->LinkAt(1);
    TdxNavBarDragObject drag(bar, group, c.itemDragged ? nullptr : dragged,
                             c.itemDragged ? dragged->Item() : nullptr);
    drag.TargetGroup = group;
    drag.TargetPrevious = c.previous >= 0 ? group->LinkAt(c.previous) : nullptr;
    drag.TargetNext = c.next >= 0 ? group->LinkAt(c.next) : nullptr;
    SetNavBarDragObject(&drag);
    painter->Marks = 0;
    painter->DrawDropTargetLinkSelection();
    SetNavBarDragObject(nullptr);
    EXPECT_EQ(painter->Marks, c.marks);
  }
  bar->SetView(0);
  UnregisterView(kMarkCountingView);
}
