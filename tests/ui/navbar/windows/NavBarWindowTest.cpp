// The bar in a window: its window styles and dialog code, painting through its bitmap, the link
// click rule driven by mouse messages, handlers that free the bar, the scroll buttons' repeat, hints
// and accelerators.

#include <gtest/gtest.h>

#include "NavBarWindowFixture.h"
#include "platform/framework/windows/HintWindow.h"
#include "ui/navbar/NavBarScrollBar.h"

using namespace navbar_testing;
using namespace window_testing;

namespace {

TEST_F(NavBarWindow, WindowStylesAndDialogCode) {
  EXPECT_EQ(GetClassLongPtrW(bar->Handle(), GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW), 0);
  EXPECT_EQ(GetWindowLongPtrW(bar->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  bar->SetBorderStyle(bsSingle);
  EXPECT_NE(GetWindowLongPtrW(bar->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  bar->SetCtl3D(false);
  EXPECT_EQ(GetWindowLongPtrW(bar->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_NE(GetWindowLongPtrW(bar->Handle(), GWL_STYLE) & WS_BORDER, 0);
  EXPECT_NE(SendMessageW(bar->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, 0);
}

TEST_F(NavBarWindow, PaintCopiesTheBitmap) {
  bar->OnCustomDraw()->Background = [](TObject*, TCanvas* canvas, TdxNavBarViewInfo* info, bool& handled) {
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect({0, 0, info->ClientWidth(), info->ClientHeight()});
    handled = true;
  };
  bar->InvalidateAll(nbiRepaint);
  DibSection dib(150, 260);
  bar->PaintTo(dib.DC(), 0, 0);
  const TRect items = bar->ViewInfo()->GroupAt(0)->ItemsRect;
  EXPECT_EQ(dib.Pixel(2, items.bottom + 4), 0xFF0000u);
  EXPECT_EQ(dib.Pixel(149, 259), 0xFF0000u);
}

// Exactly one of the item's OnClick, its action and the bar's OnLinkClick runs.
TEST_F(NavBarWindow, LinkClickRule) {
  std::vector<String> calls;
  TAction action(form);
  action.SetCaption(L"Amplify");
  action.OnExecute = [&](TObject*) { calls.push_back(L"action"); };
  bar->OnLinkClick = [&](TObject*, TdxNavBarItemLink* link) {
    calls.push_back(L"OnLinkClick " + std::to_wstring(link->Index()));
  };
  Item(0)->SetAction(&action);
  Item(0)->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, Item(0));
    calls.push_back(L"OnClick");
  };
  Item(1)->SetAction(&action);
  ClickLink(0);
  ClickLink(1);
  ClickLink(2);
  EXPECT_EQ(calls, (std::vector<String>{L"OnClick", L"action", L"OnLinkClick 2"}));
  EXPECT_EQ(group->SelectedLinkIndex(), -1);
  bar->OptionsBehavior()->SideBar()->SetAllowSelectLinks(true);
  ClickLink(2);
  EXPECT_EQ(group->SelectedLinkIndex(), 2);
}

TEST_F(NavBarWindow, DisabledItemGivesNoPressAndNoClick) {
  int presses = 0, clicks = 0;
  bar->OnLinkPress = [&](TObject*, TdxNavBarItemLink*) { ++presses; };
  bar->OnLinkClick = [&](TObject*, TdxNavBarItemLink*) { ++clicks; };
  const TPoint p = LinkPoint(1);
  Item(1)->SetEnabled(false);
  bar->Update();
  SendMouse(bar->Handle(), WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
  EXPECT_EQ(bar->PressedLink(), nullptr);
  SendMouse(bar->Handle(), WM_LBUTTONUP, p.x, p.y);
  EXPECT_EQ(presses, 0);
  EXPECT_EQ(clicks, 0);
  Item(1)->SetEnabled(true);
  ClickLink(1);
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(NavBarWindow, ClickHandlerMayFreeTheBar) {
  const std::weak_ptr<void> alive = bar->LifeToken();
  bar->OnLinkClick = [&](TObject*, TdxNavBarItemLink*) { bar->Free(); };
  ClickLink(1);
  EXPECT_TRUE(alive.expired());
  ProcessMessages();
}

TEST_F(NavBarWindow, BottomScrollButtonRepeatsEvery300Ms) {
  static_cast<TTestPainter*>(bar->Painter())->Metrics.FitActiveGroup = true;
  for (int i = 0; i < 12; ++i) group->AddLinkForItem(Item(1));
  bar->Update();
  const TRect button = bar->ViewInfo()->BottomScrollRect();
  ASSERT_FALSE(RectHasNoArea(button));
  const TPoint p{button.left + 3, button.top + 3};
  SendMouse(bar->Handle(), WM_MOUSEMOVE, p.x, p.y);
  SendMouse(bar->Handle(), WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
  EXPECT_EQ(group->TopVisibleLinkIndex(), 1);
  TcxTimer* timer = bar->ScrollTimer();
  ASSERT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 300u);
  timer->OnTimer()(timer);
  EXPECT_EQ(group->TopVisibleLinkIndex(), 2);
  SendMouse(bar->Handle(), WM_MOUSEMOVE, 5, 5, MK_LBUTTON);  // off the button: the next tick stops
  timer->OnTimer()(timer);
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(group->TopVisibleLinkIndex(), 2);
  SendMouse(bar->Handle(), WM_LBUTTONUP, 5, 5);
}

TEST_F(NavBarWindow, LinkHintIsTheShortHintBesideTheLink) {
  Item(1)->SetHint(L"Open a file|Opens an audio file from disk");
  THintInfo info;
  info.HintControl = bar;
  info.CursorPos = LinkPoint(1);
  EXPECT_EQ(bar->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)), 1);  // links' hints off
  bar->OptionsBehavior()->Common()->ShowLinksHint = true;
  info.HintWindowClass = nullptr;
  ASSERT_EQ(bar->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)), 0);
  EXPECT_EQ(info.HintStr, L"Open a file");
  EXPECT_EQ(info.HintWindowClass, &TdxNavBarHintWindow::ClassInfo());
  EXPECT_EQ(info.HintData, &info);
  TdxNavBarLinkViewInfo* link = bar->ViewInfo()->LinkViewInfoOf(group->LinkAt(1));
  EXPECT_EQ(info.CursorRect, link->Rect);
  // The text measured in the hint font, grown by 6 and moved 20 pixels right.
  TRect text{0, 0, 150, 0};
  ScreenCanvas()->UseFont(bar->ViewInfo()->HintFont());
  ScreenCanvas()->MeasureText(L"");
  RenderTextInRect(ScreenCanvas()->DCHandle(), L"Open a file", text, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
  EXPECT_EQ(bar->ViewInfo()->HintRect, TRect(20, 0, text.right + 26, text.bottom + 6));
  TdxNavBarHintWindow window(nullptr);
  EXPECT_EQ(window.CalcHintRect(10, L"ignored", &info), bar->ViewInfo()->HintRect);
  EXPECT_EQ(window.HintBar(), bar);
}

TEST_F(NavBarWindow, AcceleratorClicksTheLink) {
  String clicked;
  bar->OnLinkClick = [&](TObject*, TdxNavBarItemLink* link) { clicked = link->Item()->Caption(); };
  EXPECT_EQ(bar->Perform(CM_DIALOGCHAR, 'S', 0), 0);  // a bar that cannot take the focus ignores it
  bar->SetTabStop(true);
  EXPECT_EQ(bar->Perform(CM_DIALOGCHAR, 'S', 0), 1);
  EXPECT_EQ(clicked, L"&Save");
}

}  // namespace
