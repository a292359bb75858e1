#pragma once
// A shown form holding a bar of the first test view with one group "Edit" of three links ("&Save",
// "Open", "Close"), and the points and clicks the window tests use.

#include "NavBarTestSupport.h"
#include "tests/support/WindowTestSupport.h"

namespace navbar_testing {

using namespace window_testing;

class NavBarWindow : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    bar = Place<TdxNavBar>(0, 0, 150, 260);
    bar->SetName(L"dxNavBar1");
    bar->SetView(kTestView);
    group = bar->Groups()->Add();
    group->SetCaption(L"Edit");
    for (const wchar_t* caption : {L"&Save", L"Open", L"Close"}) {
      TdxNavBarItem* item = bar->Items()->AddNewItem();
      item->SetCaption(caption);
      group->AddLinkForItem(item);
    }
    ShowForm();
    bar->Update();
  }
  TdxNavBarItem* Item(int index) { return group->LinkAt(index)->Item(); }
  TPoint LinkPoint(int index) {
    bar->Update();
    TdxNavBarLinkViewInfo* link = bar->ViewInfo()->LinkViewInfoOf(group->LinkAt(index));
    return {(link->CaptionRect.left + link->CaptionRect.right) / 2, (link->CaptionRect.top + link->CaptionRect.bottom) / 2};
  }
  void ClickLink(int index) {
    const TPoint p = LinkPoint(index);
    SendMouse(bar->Handle(), WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
    SendMouse(bar->Handle(), WM_LBUTTONUP, p.x, p.y);
  }

  TdxNavBar* bar = nullptr;
  TdxNavBarGroup* group = nullptr;
};

}  // namespace navbar_testing
