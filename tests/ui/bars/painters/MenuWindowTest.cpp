// The real painters behind a menu window: each style opens, lays out and paints a long menu with
// groups in a short work area, and the menu window's own calls give what the painter's operations
// give for that window.
#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/SubMenuControl.h"

using namespace bar_testing;
using window_testing::ProcessMessages;

namespace {

// A menu placed in a work area 200 pixels high, so that a long menu scrolls.
class TShortWorkMenu : public TdxBarSubMenuControl {
 public:
  using TdxBarSubMenuControl::TdxBarSubMenuControl;
  TRect WorkAreaFor(const TPoint&) override { return TRect{0, 0, 800, 200}; }
};

class PainterMenuWindow : public BarFixture {
 protected:
  void TearDown() override {
    CloseMenu();
    BarFixture::TearDown();
  }
  void CloseMenu() {
    if (menu && IsLiveBarControl(menu)) menu->Free();
    menu = nullptr;
  }
  TShortWorkMenu* menu = nullptr;
};

TEST_F(PainterMenuWindow, EveryStyleLaysOutAndPaintsAScrollingMenu) {
  TTestLinksOwner* owner = NewOwner(pkMenu);
  for (int i = 0; i < 30; ++i) {
    TdxBarItemLink* link = owner->Links()->AddItemLink(NewItem(L"entry" + IntToStr(i)));
    if (i % 4 == 3) link->SetBeginGroup(true);
  }
  for (TdxBarManagerStyle style : {bmsStandard, bmsEnhanced, bmsFlat, bmsXP, bmsOffice11}) {
    SCOPED_TRACE(int(style));
    manager->SetStyle(style);
    menu = new TShortWorkMenu(manager);
    menu->AssignItemLinks(owner->Links());
    menu->SetBounds(20, 20, 0, 0);
    menu->ShowSubMenuWindow();
    ProcessMessages();
    ASSERT_TRUE(menu->HandleAllocated());
    EXPECT_LE(menu->Height(), 200);
    EXPECT_TRUE(menu->CanScrollDown());
    TdxBarPainter* painter = menu->Painter();
    TCustomdxBarControl* asBar = menu;

    // The arrows sit at the ends of the items rectangle, as the painter's own rectangle has them.
    TRect up, down;
    painter->ScrollButtonRect(menu, 0, up);
    painter->ScrollButtonRect(menu, 1, down);
    EXPECT_EQ(up, painter->ScrollButtonRect(asBar, menu->ItemsRect, true));
    EXPECT_EQ(down, painter->ScrollButtonRect(asBar, menu->ItemsRect, false));
    EXPECT_EQ(down.bottom, menu->ItemsRect.bottom);
    EXPECT_GT(down.Height(), 0);

    // A separator keeps the caller's width and ends where the item begins.
    const TRect item{menu->ItemsRect.left, 60, menu->ItemsRect.right, 80};
    TRect separator{item.left, item.top, item.right, item.top};
    painter->MenuSeparatorRect(menu, nullptr, separator, item);
    EXPECT_EQ(separator.left, item.left);
    EXPECT_EQ(separator.right, item.right);
    EXPECT_EQ(separator.bottom, item.top);
    EXPECT_GT(separator.Height(), 0);

    // Margins and columns the menu window asks for come from the same operations.
    TRect margins;
    painter->MenuBorderRect(menu, margins);
    EXPECT_EQ(margins, painter->MenuBorderRect(asBar, false));
    EXPECT_EQ(painter->MenuTextOffset(menu), painter->MenuTextOffset(asBar, menu->OwnerBarSize()));
    EXPECT_EQ(painter->DetachCaptionAreaSize(menu), painter->DetachCaptionAreaSize(menu->DetachStripHeight()));

    // Scrolling down and painting again: the upper arrow appears, nothing is left unpainted.
    menu->SetScrollIndex(3);
    RedrawWindow(menu->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    ProcessMessages();
    EXPECT_TRUE(menu->CanScrollUp());
    CloseMenu();
  }
}

}  // namespace
