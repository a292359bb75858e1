// A view-0 bar in a real window: painted through the base view's painters, and a click on a link
// runs its item's action.

#include <gtest/gtest.h>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/windows/ActnList.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarBaseViews.h"
#include "ui/navbar/NavBarItems.h"

using namespace window_testing;

namespace {

class BaseViewWindow : public FormFixture {
 protected:
  void SetUp() override {
    InitializeUnits();
    FormFixture::SetUp();
    bar = Place<TdxNavBar>(0, 0, 160, 240);
    bar->SetName(L"dxNavBar1");
    bar->SetView(0);
    for (const wchar_t* caption : {L"Edit", L"View"}) {
      TdxNavBarGroup* group = bar->Groups()->Add();
      group->SetCaption(caption);
      for (int i = 0; i < 3; ++i) {
        TdxNavBarItem* item = bar->Items()->AddNewItem();
        item->SetCaption(String(caption) + L" item");
        group->AddLinkForItem(item);
      }
    }
    ShowForm();
    bar->Update();
  }
  TdxNavBar* bar = nullptr;
};

}  // namespace

TEST_F(BaseViewWindow, ALinkClickRunsItsItemsAction) {
  int runs = 0;
  TAction action(form);
  action.SetCaption(L"Amplify");
  action.OnExecute = [&](TObject*) { ++runs; };
  TdxNavBarGroup* active = bar->EffectiveActiveGroup();
  ASSERT_NE(active, nullptr);
  active->LinkAt(1)->Item()->SetAction(&action);
  bar->Update();
  TdxNavBarLinkViewInfo* link = bar->ViewInfo()->LinkViewInfoOf(active->LinkAt(1));
  ASSERT_NE(link, nullptr);
  const TRect r = link->CaptionRect;
  const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
  SendMouse(bar->Handle(), WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  SendMouse(bar->Handle(), WM_LBUTTONUP, x, y);
  EXPECT_EQ(runs, 1);
  // The base view drew the active caption as a raised button with its black bottom line.
  DibSection dib(160, 240);
  bar->PaintTo(dib.DC(), 0, 0);
  TdxNavBarGroupViewInfo* caption = bar->ViewInfo()->GroupViewInfoOf(active);
  EXPECT_EQ(dib.Pixel(caption->CaptionRect.left + 20, caption->CaptionRect.bottom - 1), 0x000000u);
}
