// The navigation pane (views 13 and 17) in real windows: layout and overflow, painting probes,
// collapse and the popup, the splitter, the accessibility objects, the skin-based pane, and the main
// window's three-bar configuration.

#include <gtest/gtest.h>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/controls/Buttons.h"
#include "platform/framework/windows/ActnList.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/navbar/NavBarTestSupport.h"
#include "tests/ui/navbar/SkinPngProbe.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarGraphics.h"
#include "ui/navbar/NavBarItems.h"
#include "ui/navbar/NavBarOffice12Views.h"
#include "ui/navbar/NavBarStyles.h"
#include "ui/navbar/NavBarViews.h"
#include "ui/navbar/NavPaneAccessibility.h"
#include "ui/navbar/NavPaneController.h"
#include "ui/navbar/NavPanePainter.h"

using namespace window_testing;
using navbar_testing::AddGroupWithLinks;
using navbar_testing::ElementPng;
using navbar_testing::NearRgb;

namespace {

DWORD Rgb(TColor Color) {
  const DWORD c = DWORD(ColorToRGB(Color));
  return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

class NavPane : public FormFixture {
 protected:
  void SetUp() override {
    InitializeUnits();
    FormFixture::SetUp();
    bar = Place<TdxNavBar>(0, 0, 200, 290);
    bar->SetName(L"dxNavBar1");
    bar->SetView(13);
  }
  void TearDown() override {
    bar->OnCustomDraw()->NavigationPaneSplitter = nullptr;
    FormFixture::TearDown();
  }
  TdxNavBarGroup* AddGroup(const String& caption, int links) { return AddGroupWithLinks(bar, caption, links); }
  void AddGroups(int count) {
    for (int i = 0; i < count; ++i) AddGroup(L"Group" + IntToStr(i + 1), 3);
  }
  void Layout() {
    bar->InvalidateAll(nbiRebuild);
    bar->Painter()->PrepareToPaint();
  }
  TdxNavBarNavigationPaneViewInfo* Pane() { return static_cast<TdxNavBarNavigationPaneViewInfo*>(bar->ViewInfo()); }
  TdxNavBarNavigationPaneController* Controller() {
    return static_cast<TdxNavBarNavigationPaneController*>(bar->Controller());
  }
  TdxNavBarNavigationPaneViewOptions* ViewOptions() { return bar->OptionsView()->NavigationPane(); }
  TdxNavBarNavigationPaneBehaviorOptions* Behavior() { return bar->OptionsBehavior()->NavigationPane(); }
  // The bar painted into a DIB.
  std::unique_ptr<DibSection> Painted() {
    bar->Update();
    auto dib = std::make_unique<DibSection>(bar->Width(), bar->Height());
    bar->PaintTo(dib->DC(), 0, 0);
    return dib;
  }
  void ClickAt(const TRect& R) {
    const int x = (R.left + R.right) / 2, y = (R.top + R.bottom) / 2;
    SendMouse(bar->Handle(), WM_MOUSEMOVE, x, y);
    SendMouse(bar->Handle(), WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    SendMouse(bar->Handle(), WM_LBUTTONUP, x, y);
  }
  TdxNavBar* bar = nullptr;
};

}  // namespace

// ---- registry and layout ----------------------------------------------------------------------------

TEST_F(NavPane, BothPanesAreRegisteredAndFillTheClientHeight) {
  TdxNavBarViewsFactory* factory = dxNavBarViewsFactory();
  EXPECT_EQ(factory->NameAt(factory->IndexOfID(13)), L"Office11NavigationPaneView");
  EXPECT_EQ(factory->PainterClassAt(factory->IndexOfID(13)), &TdxNavBarOffice11NavPanePainter::ClassInfo());
  EXPECT_EQ(factory->NameAt(factory->IndexOfID(17)), L"Office12NavigationPaneView");
  EXPECT_EQ(factory->PainterClassAt(factory->IndexOfID(17)), &TdxNavBarOffice12NavPanePainter::ClassInfo());
  AddGroups(3);
  ShowForm();
  Layout();
  TdxNavBarNavigationPaneViewInfo* pane = Pane();
  // Client view info of the active group, then one button per group.
  ASSERT_EQ(pane->GroupCount(), 4);
  EXPECT_EQ(pane->FirstButtonIndex(), 1);
  EXPECT_FALSE(pane->GroupAt(0)->IsCaptionVisible());
  EXPECT_EQ(pane->GroupAt(0)->LinkCount(), 3);
  EXPECT_EQ(pane->HeaderBounds.left, 1);
  EXPECT_EQ(pane->HeaderBounds.top, 0);
  EXPECT_EQ(pane->HeaderBounds.Height(), pane->HeaderHeight());
  EXPECT_EQ(pane->GroupAt(0)->Rect.top, pane->HeaderBounds.bottom);
  EXPECT_EQ(pane->SplitterBounds.top, pane->GroupAt(0)->Rect.bottom);
  EXPECT_EQ(pane->SplitterBounds.Height(), 7);
  EXPECT_EQ(pane->GroupAt(1)->Rect.top, pane->SplitterBounds.bottom);
  EXPECT_EQ(pane->OverflowBounds().top, pane->GroupAt(3)->Rect.bottom);
  EXPECT_EQ(pane->OverflowBounds().bottom, pane->ClientHeight());
}

TEST_F(NavPane, FitGroupsMovesButtonsIntoTheOverflowPanel) {
  struct Row {
    const char* what;
    int height;
    int maxVisible;
    bool overflowShown;
    bool captions;
    int buttons;
    int overflow;
  };
  const Row rows[] = {
      {"room for all", 400, -1, true, true, 5, 0},
      {"MaxVisibleGroups hides the last ones", 400, 3, true, true, 3, 2},
      {"a short pane moves buttons, last first", 190, -1, true, true, 3, 2},
      {"without the overflow panel nothing moves", 190, -1, false, true, 5, 0},
      {"captions off: every group goes to the panel", 400, -1, true, false, 0, 5},
  };
  AddGroups(5);
  ShowForm();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    bar->SetHeight(row.height);
    ViewOptions()->SetMaxVisibleGroups(row.maxVisible);
    ViewOptions()->SetShowOverflowPanel(row.overflowShown);
    bar->OptionsView()->Common()->SetShowGroupCaptions(row.captions);
    Layout();
    TdxNavBarNavigationPaneViewInfo* pane = Pane();
    EXPECT_EQ(pane->ButtonCount(), row.buttons);
    EXPECT_EQ(pane->OverflowItemCount(), row.overflow);
    // Overflow items keep the groups' order.
    for (int i = 0; i < pane->OverflowItemCount(); ++i)
      EXPECT_EQ(pane->OverflowItem(i)->Group->IndexInCollection(), 5 - row.overflow + i);
    if (!row.overflowShown) {
      EXPECT_TRUE(RectIsAllZero(pane->SplitterBounds));
      EXPECT_EQ(pane->OverflowPanel()->Height(), 0);
    } else {
      // The pane fills the client height: the item panel takes what is left.
      EXPECT_EQ(pane->OverflowBounds().bottom, pane->ClientHeight());
    }
    EXPECT_GE(pane->ItemPanel()->Bounds.Height(), pane->ItemPanel()->MinimumHeight());
  }
}

TEST_F(NavPane, OverflowIconsAreRightAlignedAndANarrowPanelListsThemInTheMenu) {
  AddGroups(5);
  ViewOptions()->SetMaxVisibleGroups(2);
  ShowForm();
  Layout();
  TdxNavBarNavigationPaneViewInfo* pane = Pane();
  ASSERT_EQ(pane->OverflowItemCount(), 3);
  EXPECT_EQ(pane->OverflowVisibleItemCount(), 3);
  EXPECT_EQ(pane->OverflowSignBounds().Width(), 18);
  EXPECT_EQ(pane->OverflowItem(2)->Bounds.right, pane->OverflowSignBounds().left);
  EXPECT_EQ(pane->OverflowItem(0)->Bounds.Width(), 2 * 3 + 16);
  EXPECT_EQ(pane->OverflowItem(1)->Bounds.left, pane->OverflowItem(0)->Bounds.right);
  // Narrower than one icon next to the sign: no icons, every overflow group after the separator.
  bar->SetWidth(2 + 18 + 21);
  Layout();
  EXPECT_EQ(pane->OverflowVisibleItemCount(), 0);
  pane->BuildCustomizeMenu();
  TMenuItem* root = pane->CustomizeMenu()->Items();
  int separator = -1;
  for (int i = 0; i < root->Count(); ++i)
    if (root->Items(i)->IsLine()) separator = i;
  ASSERT_GE(separator, 0);
  ASSERT_EQ(root->Count() - separator - 1, 3);
  EXPECT_EQ(root->Items(separator + 1)->Caption(), L"Group3");
  EXPECT_EQ(root->Items(separator + 3)->Caption(), L"Group5");
}

TEST_F(NavPane, TheCustomizationMenuOffersItsItemsWithTheirStates) {
  AddGroups(3);
  bar->Groups()->GroupAt(2)->SetVisible(false);
  ShowForm();
  Layout();
  TdxNavBarNavigationPaneViewInfo* pane = Pane();
  pane->BuildCustomizeMenu();
  TMenuItem* root = pane->CustomizeMenu()->Items();
  ASSERT_EQ(root->Count(), 4);
  EXPECT_EQ(root->Items(0)->Caption(), L"Show &More Buttons");
  EXPECT_FALSE(root->Items(0)->Enabled());  // MaxVisibleGroups -1: nothing hidden
  EXPECT_EQ(root->Items(1)->Caption(), L"Show &Fewer Buttons");
  EXPECT_TRUE(root->Items(1)->Enabled());
  TMenuItem* addRemove = root->Items(2);
  EXPECT_EQ(addRemove->Caption(), L"&Add or Remove Buttons");
  ASSERT_EQ(addRemove->Count(), 3);
  EXPECT_TRUE(addRemove->Items(0)->Checked());
  EXPECT_FALSE(addRemove->Items(2)->Checked());
  EXPECT_TRUE(root->Items(3)->IsLine());
  // Clicks: fewer buttons, and a hidden group shown again.
  root->Items(1)->Click();
  EXPECT_EQ(ViewOptions()->MaxVisibleGroups(), 1);
  addRemove->Items(2)->Click();
  EXPECT_TRUE(bar->Groups()->GroupAt(2)->Visible());
  // The menu images: the two arrows and the default image after the bar's (none here).
  EXPECT_EQ(pane->MenuImageOrigin(), 0);
  EXPECT_EQ(pane->MenuImages()->Count(), 3);
  // Without AllowCustomizing there is no add-or-remove item.
  Behavior()->AllowCustomizing = false;
  pane->BuildCustomizeMenu();
  EXPECT_EQ(pane->CustomizeMenu()->Items()->Find(L"Add or Remove Buttons"), nullptr);
}

TEST_F(NavPane, CollapsedWidthsFollowTheWidestPart) {
  AddGroups(2);
  ShowForm();
  Layout();
  // The 16-pixel button images with their indents (2 x 4) beat the sign (18); plus 2 x GroupsOrigin.x.
  EXPECT_EQ(Pane()->CollapsedWidth(), 2 * 4 + 16 + 2);
  EXPECT_EQ(Pane()->MinExpandedWidth(), 2 * (2 * 4 + 16 + 2));
  ViewOptions()->SetOverflowPanelUseSmallImages(false);
  Layout();
  EXPECT_EQ(Pane()->CollapsedWidth(), 2 * 4 + 32 + 2);
}

TEST_F(NavPane, TheCollapsedStripHangsItsItemsAtTheBottom) {
  TdxNavBarGroup* group = AddGroup(L"Mail", 3);
  bar->SetHeight(600);
  ShowForm();
  Behavior()->SetCollapsible(true);
  Behavior()->SetCollapsed(true);
  bar->Update();
  EXPECT_EQ(bar->Width(), Pane()->CollapsedWidth());
  TdxNavBarItemPanelViewInfo* panel = Pane()->ItemPanel();
  EXPECT_TRUE(panel->Collapsed);
  EXPECT_EQ(Pane()->FirstButtonIndex(), 0);
  ASSERT_EQ(panel->ItemCount(), 3);
  EXPECT_EQ(panel->Item(2)->Bounds.bottom, panel->Bounds.bottom);
  EXPECT_EQ(panel->CollapseBarBounds.bottom, panel->Item(0)->Bounds.top);
  // Each item is as tall as its caption is wide (written vertically), across the strip.
  bar->Update();
  EXPECT_EQ(panel->Item(0)->TextBounds.Height(), TextWidthForFont(panel->Item(0)->Font, L"Mail1") + 2 * 4);
  EXPECT_EQ(panel->Item(0)->TextBounds.Width(), bar->ClientWidth() - 2);
  // A short pane keeps only the items that fit, from the first.
  for (int i = 0; i < 20; ++i) group->AddLinkForItem(bar->Items()->ItemAt(0));
  bar->Update();
  EXPECT_LT(panel->ItemCount(), 23);
  EXPECT_GT(panel->ItemCount(), 0);
  EXPECT_EQ(panel->Item(panel->ItemCount() - 1)->Bounds.bottom, panel->Bounds.bottom);
  EXPECT_GE(panel->CollapseBarBounds.Height(), panel->MinimumHeight());
}

// ---- painting ------------------------------------------------------------------------------------------

TEST_F(NavPane, PaintsBorderHeaderGradientAndSplitterUnlessTheEventHandlesIt) {
  AddGroups(2);
  ShowForm();
  const TOffice11NavPaneColors colors = Office11NavPaneColors();
  auto dib = Painted();
  TdxNavBarNavigationPaneViewInfo* pane = Pane();
  // The one-pixel border in the Border colour.
  EXPECT_EQ(dib->Pixel(0, 100), Rgb(colors.Border));
  EXPECT_EQ(dib->Pixel(199, 100), Rgb(colors.Border));
  EXPECT_EQ(dib->Pixel(100, 0), Rgb(colors.Border));
  // A header left at clNone is a vertical gradient Header1 -> Header2.
  const TRect h = pane->HeaderBounds;
  EXPECT_EQ(dib->Pixel(3, h.top + 1), Rgb(colors.Header1));
  EXPECT_EQ(dib->Pixel(3, h.bottom - 1), Rgb(colors.Header2));
  EXPECT_EQ(dib->Pixel(3, h.top + 1), dib->Pixel(60, h.top + 1));
  // The splitter: a white line on top; without a known Office11 scheme its own colours.
  const TRect s = pane->SplitterBounds;
  EXPECT_EQ(dib->Pixel(5, s.top), 0xFFFFFFu);
  const DWORD splitter = dib->Pixel(5, s.top + 3);
  EXPECT_NE(splitter, 0xFFFFFFu);
  // A handled custom draw suppresses splitter and grip.
  bar->OnCustomDraw()->NavigationPaneSplitter = [](TObject*, TCanvas*, TdxNavBarViewInfo*, bool& handled) {
    handled = true;
  };
  bar->InvalidateAll(nbiRepaint);
  auto handled = Painted();
  EXPECT_NE(handled->Pixel(5, s.top + 3), splitter);
  EXPECT_NE(handled->Pixel((s.left + s.right) / 2, s.top + 3), dib->Pixel((s.left + s.right) / 2, s.top + 3));
}

TEST_F(NavPane, TheCollapsedStripIsTheHalfMixAndItsCaptionIsWrittenVertically) {
  AddGroup(L"Mail", 1);
  ShowForm();
  Behavior()->SetCollapsible(true);
  Behavior()->SetCollapsed(true);
  auto dib = Painted();
  TdxNavBarNavigationPaneViewInfo* pane = Pane();
  const TRect bar_ = pane->ItemPanel()->CollapseBarBounds;
  const TColor mix = BlendColorsPercent(pane->GroupHeaderDefaultBackColor(), pane->GroupHeaderDefaultBackColor2(), 50);
  EXPECT_EQ(dib->Pixel(bar_.left + 1, bar_.top + 1), Rgb(mix));
  EXPECT_EQ(dib->Pixel(bar_.left + 1, bar_.bottom - 1), 0x000000u);
  // Text pixels in the collapsed-text colour run down the bar's middle, and none in its corners.
  int text = 0;
  for (int y = bar_.top; y < bar_.bottom; ++y)
    for (int x = bar_.left; x < bar_.right; ++x)
      if (dib->Pixel(x, y) != Rgb(mix) && y != bar_.bottom - 1) ++text;
  EXPECT_GT(text, 10);
  // No header text while collapsed: the header holds only the gradient and the sign.
  EXPECT_TRUE(pane->HeaderTextBounds.right <= pane->HeaderSignBounds.left);
}

TEST_F(NavPane, RotatedTextRunsUpTheStrip) {
  DibSection dib(30, 120);
  TCanvas canvas;
  canvas.SetHandle(dib.DC());
  TcxCanvas cx(&canvas);
  cx.FillAreaWithColor({0, 0, 30, 120}, clWhite);
  auto font = std::make_unique<TFont>();
  DrawRotatedText(&cx, font.get(), L"Navigation", {0, 0, 30, 120}, clBlack);
  int top = 120, bottom = -1, left = 30, right = -1;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 30; ++x)
      if (dib.Pixel(x, y) != 0xFFFFFFu) {
        top = std::min(top, y), bottom = std::max(bottom, y);
        left = std::min(left, x), right = std::max(right, x);
      }
  canvas.SetHandle(nullptr);
  ASSERT_GE(bottom, 0);
  EXPECT_GT(bottom - top, 2 * (right - left));
}

// ---- controller: collapse, splitter, popup -----------------------------------------------------------

TEST_F(NavPane, TheHeaderSignAndTheWidthCollapseAndExpandThePane) {
  AddGroups(2);
  Behavior()->SetCollapsible(true);
  ShowForm();
  bar->Update();
  ClickAt(Pane()->HeaderSignBounds);
  bar->Update();
  EXPECT_TRUE(Behavior()->Collapsed());
  EXPECT_EQ(bar->Width(), Pane()->CollapsedWidth());
  EXPECT_EQ(bar->OriginalWidth(), 200);
  ClickAt(Pane()->HeaderSignBounds);
  bar->Update();
  EXPECT_FALSE(Behavior()->Collapsed());
  EXPECT_EQ(bar->Width(), 200);
  // Narrower than the minimum expanded width collapses; a collapsed pane made wide enough expands.
  bar->SetWidth(Pane()->MinExpandedWidth() - 1);
  bar->Update();
  EXPECT_TRUE(Behavior()->Collapsed());
  EXPECT_EQ(bar->Width(), Pane()->CollapsedWidth());
  bar->SetWidth(150);
  bar->Update();
  EXPECT_FALSE(Behavior()->Collapsed());
  EXPECT_EQ(bar->Width(), 150);
  EXPECT_EQ(bar->OriginalWidth(), 150);
  // Expanding after the minimum grew: never narrower than the new minimum.
  Behavior()->SetCollapsed(true);
  bar->Update();
  bar->SetOriginalWidth(10);
  Behavior()->SetCollapsed(false);
  bar->Update();
  EXPECT_GE(bar->Width(), Pane()->MinExpandedWidth());
}

TEST_F(NavPane, TheSplitterChangesOneButtonPerCrossing) {
  AddGroups(5);
  bar->SetHeight(400);
  ShowForm();
  // Laid out directly: a window covered by other windows gets no paint from Update(), and the bar
  // ignores mouse moves until its layout is valid.
  Layout();
  TdxNavBarNavigationPaneViewInfo* pane = Pane();
  EXPECT_EQ(Controller()->PartState({nppSplitter, -1}), 0);
  const TRect s = pane->SplitterBounds;
  const int x = (s.left + s.right) / 2, centre = (s.top + s.bottom) / 2;
  SendMouse(bar->Handle(), WM_MOUSEMOVE, x, centre);
  EXPECT_EQ(bar->Controller()->CustomCursor(), crSizeNS);
  SendMouse(bar->Handle(), WM_LBUTTONDOWN, x, centre, MK_LBUTTON);
  // The press can move the focus to the pane's object, which asks for a relayout; on screen the paint
  // comes before the next move.
  bar->Painter()->PrepareToPaint();
  // Dragged down past the threshold: one button fewer; the splitter moved down with it.
  const int distance = s.Height() / 2 + pane->GroupAt(pane->FirstButtonIndex())->Rect.Height();
  SendMouse(bar->Handle(), WM_MOUSEMOVE, x, centre + distance + 1, MK_LBUTTON);
  EXPECT_EQ(pane->ButtonCount(), 4);
  SendMouse(bar->Handle(), WM_MOUSEMOVE, x, centre + distance + 2, MK_LBUTTON);
  EXPECT_EQ(pane->ButtonCount(), 4);
  // Back up past the other threshold: one more again.
  const int now = (pane->SplitterBounds.top + pane->SplitterBounds.bottom) / 2;
  SendMouse(bar->Handle(), WM_MOUSEMOVE, x, now - distance - 1, MK_LBUTTON);
  EXPECT_EQ(pane->ButtonCount(), 5);
  SendMouse(bar->Handle(), WM_LBUTTONUP, x, now - distance - 1);
  // With captions off the splitter gives no sizing cursor.
  bar->OptionsView()->Common()->SetShowGroupCaptions(false);
  Layout();
  const TRect s2 = pane->SplitterBounds;
  SendMouse(bar->Handle(), WM_MOUSEMOVE, x, (s2.top + s2.bottom) / 2);
  EXPECT_EQ(bar->Controller()->CustomCursor(), crDefault);
}

TEST_F(NavPane, AnOverflowIconActivatesItsGroupAndShowsItsState) {
  AddGroups(4);
  ViewOptions()->SetMaxVisibleGroups(2);
  ShowForm();
  bar->Update();
  TdxNavBarNavigationPaneViewInfo* pane = Pane();
  ASSERT_EQ(pane->OverflowVisibleItemCount(), 2);
  ClickAt(pane->OverflowItem(1)->Bounds);
  EXPECT_EQ(bar->ActiveGroupIndex(), 3);
  bar->Update();
  // The active group's icon is drawn active (hot: active hot while the mouse rests on it).
  EXPECT_EQ(Controller()->PartState({nppOverflowItem, 1}), 4);
  SendMouse(bar->Handle(), WM_MOUSEMOVE, 5, 5);
  EXPECT_EQ(Controller()->PartState({nppOverflowItem, 1}), 3);
  EXPECT_EQ(Controller()->PaneHintText({nppOverflowItem, 1}), L"Group4");
  EXPECT_EQ(Controller()->PaneHintText({nppOverflowSign, -1}), L"Configure buttons");
  // An overflow group's accelerator reaches it though it has no button.
  bar->Groups()->GroupAt(2)->SetCaption(L"&Tasks");
  bar->Update();
  EXPECT_EQ(Pane()->GroupOfAccel('T'), bar->Groups()->GroupAt(2));
  bar->SetTabStop(true);
  EXPECT_EQ(bar->Perform(CM_DIALOGCHAR, 'T', 0), 1);
  EXPECT_EQ(bar->ActiveGroupIndex(), 2);
}

TEST_F(NavPane, ThePopupShowsTheActiveGroupAndCopiesItsLinksBack) {
  TdxNavBarGroup* mail = AddGroup(L"Mail", 3);
  Behavior()->SetCollapsible(true);
  Behavior()->AdjustWidthByPopup = true;
  ShowForm();
  bar->Update();
  Behavior()->SetCollapsed(true);
  bar->Update();
  std::vector<String> captions;
  bool frameSeen = false;
  {
    ScopedModalDriver driver([&](const TModalLoop& loop) {
      TdxNavBarPopupControl* popup = Controller()->Popup();
      ASSERT_NE(popup, nullptr);
      EXPECT_EQ(loop.Kind, L"popup");
      TdxNavBarPopupInnerControl* inner = popup->InnerBar();
      ASSERT_NE(inner, nullptr);
      EXPECT_TRUE(inner->IsPopupNavBar());
      TdxNavBarGroup* own = inner->EffectiveActiveGroup();
      for (int i = 0; i < own->LinkCount(); ++i) captions.push_back(own->LinkAt(i)->Item()->Caption());
      // The popup opens beside the strip and is never narrower than its minimum.
      EXPECT_GE(popup->Width(), popup->PopupViewInfo()->MinimumWidth());
      frameSeen = popup->PopupViewInfo()->Margins().left == 2;
      // Reorder and add inside the popup.
      own->LinkAt(2)->SetIndex(0);
      own->AddLinkForItem(inner->Items()->ItemAt(1));
      loop.End();
    });
    ClickAt(Pane()->ItemPanel()->CollapseBarBounds);
  }
  EXPECT_TRUE(frameSeen);
  EXPECT_EQ(captions, (std::vector<String>{L"Mail1", L"Mail2", L"Mail3"}));
  ASSERT_EQ(mail->LinkCount(), 4);
  EXPECT_EQ(mail->LinkAt(0)->Item()->Caption(), L"Mail3");
  EXPECT_EQ(mail->LinkAt(1)->Item()->Caption(), L"Mail1");
  EXPECT_EQ(mail->LinkAt(2)->Item()->Caption(), L"Mail2");
  EXPECT_EQ(mail->LinkAt(3)->Item()->Caption(), L"Mail2");
  EXPECT_EQ(Controller()->DropDownPart, nbNone);
}

TEST_F(NavPane, ThePressThatClosedThePopupDoesNotReopenIt) {
  AddGroup(L"Mail", 2);
  Behavior()->SetCollapsible(true);
  ShowForm();
  Behavior()->SetCollapsed(true);
  bar->Update();
  int opened = 0;
  ScopedModalDriver driver([&](const TModalLoop& loop) {
    ++opened;
    loop.End();
  });
  ClickAt(Pane()->ItemPanel()->CollapseBarBounds);
  EXPECT_EQ(opened, 1);
  // A press that the popup reported as its closing press is swallowed.
  Controller()->PopupMouseDown = true;
  Controller()->OpenPopupFromStrip();
  EXPECT_EQ(opened, 1);
  Controller()->PopupMouseDown = false;
  Controller()->OpenPopupFromStrip();
  EXPECT_EQ(opened, 2);
}

TEST_F(NavPane, SizingThePopupKeepsItsMinimumAndEscRestores) {
  AddGroup(L"Mail", 2);
  Behavior()->SetCollapsible(true);
  Behavior()->AdjustWidthByPopup = true;
  ShowForm();
  bar->Update();
  Behavior()->SetCollapsed(true);
  bar->Update();
  int widthAfterSizing = 0, widthAfterEsc = 0, minimum = 0;
  bool stillOpenAfterEsc = false;
  ScopedModalDriver driver([&](const TModalLoop& loop) {
    TdxNavBarPopupControl* popup = Controller()->Popup();
    minimum = popup->PopupViewInfo()->MinimumWidth();
    const int width = popup->Width();
    popup->BeginSizing({width - 1, 10});
    // Too narrow: the frame stays.
    popup->MoveSizing({5, 10});
    EXPECT_EQ(popup->SizeFrame()->Width(), width);
    popup->MoveSizing({width + 39, 10});
    EXPECT_EQ(popup->SizeFrame()->Width(), width + 40);
    // Esc cancels the sizing, a second Esc closes.
    SendMessageW(popup->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    widthAfterEsc = popup->Width();
    stillOpenAfterEsc = IsPopupOpen(popup);
    popup->BeginSizing({popup->Width() - 1, 10});
    popup->MoveSizing({popup->Width() + 29, 10});
    popup->EndSizing(false);
    widthAfterSizing = popup->Width();
    loop.End();
  });
  const int before = bar->OriginalWidth();
  Controller()->ShowPopup();
  EXPECT_TRUE(stillOpenAfterEsc);
  EXPECT_EQ(widthAfterEsc, before + 4);
  EXPECT_EQ(widthAfterSizing, before + 4 + 30);
  EXPECT_GE(widthAfterSizing, minimum);
  // AdjustWidthByPopup: the chosen width becomes the bar's expanded width.
  EXPECT_EQ(bar->OriginalWidth(), before + 30);
}

TEST_F(NavPane, ThePopupIsNeverWithoutHeight) {
  AddGroup(L"Mail", 6);
  Behavior()->SetCollapsible(true);
  ShowForm();
  Behavior()->SetCollapsed(true);
  bar->SetHeight(40);
  bar->Update();
  auto* painter = static_cast<TdxNavBarNavigationPanePainter*>(bar->Painter());
  std::unique_ptr<TdxNavBarPopupControlViewInfo> popup(painter->CreatePopupViewInfo());
  // Client height less two header heights is negative here; the floor is the margins plus the
  // base view's minimum items height.
  ASSERT_LT(Pane()->ClientHeight() - 2 * Pane()->HeaderHeight(), 0);
  EXPECT_EQ(popup->MaxHeight(), 4 + 2 * 16 + 3 * 6);
  popup->ComputeLayout(150);
  EXPECT_EQ(popup->Bounds.Height(), popup->MaxHeight());
  EXPECT_EQ(popup->Bounds.Width(), 154);
}

// ---- accessibility -----------------------------------------------------------------------------------

TEST_F(NavPane, PartObjectsFollowTheOptionsAndClickWithEnterAndSpace) {
  AddGroups(4);
  ViewOptions()->SetMaxVisibleGroups(2);
  ShowForm();
  bar->Update();
  TdxNavBarNavigationPaneViewInfo* pane = Pane();
  TdxNavBarCustomAccessibilityHelper* root = bar->AccessibilityHelper()->NavBarHelperObject();
  // The four pane objects come first, before the groups.
  ASSERT_EQ(root->ChildCount(), 4 + 4);
  EXPECT_NE(dynamic_cast<TdxNavBarItemPanelAccessibilityHelper*>(root->NavBarChildAt(0)), nullptr);
  EXPECT_NE(dynamic_cast<TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper*>(root->NavBarChildAt(1)),
            nullptr);
  auto* sign = root->NavBarChildAt(2);
  auto* overflow = dynamic_cast<TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper*>(root->NavBarChildAt(3));
  ASSERT_NE(overflow, nullptr);
  const int invisible = STATE_SYSTEM_INVISIBLE, unavailable = STATE_SYSTEM_UNAVAILABLE;
  // Not collapsible: the header sign is invisible and unavailable; the strip invisible while expanded.
  EXPECT_EQ(sign->StateFlags(0) & (invisible | unavailable), invisible | unavailable);
  EXPECT_TRUE(root->NavBarChildAt(0)->StateFlags(0) & invisible);
  EXPECT_FALSE(root->NavBarChildAt(1)->StateFlags(0) & invisible);
  // The overflow object: two items and the sign; an item only in the menu is invisible.
  EXPECT_EQ(overflow->ChildCount(), 2 + 1);
  ViewOptions()->SetMaxVisibleGroups(1);
  bar->Update();
  EXPECT_EQ(overflow->ChildCount(), 3 + 1);
  bar->SetWidth(2 + 18 + 2 * 22 + 5);
  bar->Update();
  ASSERT_EQ(pane->OverflowVisibleItemCount(), 2);
  EXPECT_FALSE(overflow->NavBarChildAt(1)->StateFlags(0) & invisible);
  EXPECT_TRUE(overflow->NavBarChildAt(2)->StateFlags(0) & invisible);
  // Enter on a visible item activates its group.
  TdxNavBarCustomAccessibilityHelper* item = overflow->NavBarChildAt(1);
  EXPECT_TRUE(item->IsClickKey(VK_RETURN));
  EXPECT_TRUE(item->IsClickKey(VK_SPACE));
  item->Click(VK_RETURN);
  EXPECT_EQ(bar->ActiveGroupIndex(), 2);
  // Removing groups shrinks the items at the next query.
  bar->Groups()->GroupAt(3)->Free();
  bar->Groups()->GroupAt(2)->Free();
  bar->Update();
  EXPECT_EQ(overflow->ChildCount(), pane->OverflowItemCount() + 1);
  // Without the overflow panel everything of it is invisible but stays in the tree.
  ViewOptions()->SetShowOverflowPanel(false);
  bar->Update();
  EXPECT_TRUE(overflow->StateFlags(0) & invisible);
  EXPECT_EQ(root->NavBarChildAt(3), overflow);
  // Captions off: the active group's button object is invisible and unavailable.
  bar->OptionsView()->Common()->SetShowGroupCaptions(false);
  bar->Update();
  EXPECT_EQ(root->NavBarChildAt(1)->StateFlags(0) & (invisible | unavailable), invisible | unavailable);
}

TEST_F(NavPane, KeysOnTheHeaderSignAndTheStripCollapseOpenAndClick) {
  TdxNavBarGroup* mail = AddGroup(L"Mail", 2);
  bar->SetHeight(600);
  std::vector<String> clicked;
  bar->OnLinkClick = [&](TObject*, TdxNavBarItemLink* link) { clicked.push_back(link->Item()->Caption()); };
  Behavior()->SetCollapsible(true);
  ShowForm();
  bar->Update();
  TdxNavBarCustomAccessibilityHelper* root = bar->AccessibilityHelper()->NavBarHelperObject();
  TdxNavBarCustomAccessibilityHelper* sign = root->NavBarChildAt(2);
  EXPECT_FALSE(sign->StateFlags(0) & STATE_SYSTEM_INVISIBLE);
  EXPECT_TRUE(sign->IsClickKey(VK_SPACE));
  sign->Click(VK_SPACE);
  bar->Update();
  EXPECT_TRUE(Behavior()->Collapsed());
  auto* strip = static_cast<TdxNavBarItemPanelAccessibilityHelper*>(root->NavBarChildAt(0));
  EXPECT_FALSE(strip->StateFlags(0) & STATE_SYSTEM_INVISIBLE);
  ASSERT_EQ(strip->ChildCount(), 2 + 1);
  strip->NavBarChildAt(1)->Click(VK_RETURN);
  EXPECT_EQ(clicked, (std::vector<String>{L"Mail2"}));
  // A strip link's accelerator reaches it.
  mail->LinkAt(0)->Item()->SetCaption(L"&Inbox");
  bar->Update();
  EXPECT_EQ(Pane()->LinkOfAccel('I'), mail->LinkAt(0));
  int opened = 0;
  {
    ScopedModalDriver driver([&](const TModalLoop& loop) {
      ++opened;
      loop.End();
    });
    strip->NavBarChildAt(2)->Click(VK_RETURN);
  }
  EXPECT_EQ(opened, 1);
  // Without an active group the collapse bar opens nothing.
  mail->SetVisible(false);
  bar->Update();
  {
    ScopedModalDriver driver([&](const TModalLoop& loop) {
      ++opened;
      loop.End();
    });
    strip->CollapseBarHelper()->NavBarHelperObject()->Click(VK_RETURN);
  }
  EXPECT_EQ(opened, 1);
  sign->Click(VK_RETURN);
  bar->Update();
  EXPECT_FALSE(Behavior()->Collapsed());
}

// ---- the skin-based pane (view 17) ---------------------------------------------------------------

TEST_F(NavPane, View17DrawsTheSchemeSkinAndFallsBackWithoutIt) {
  bar->SetView(17);
  AddGroups(3);
  ShowForm();
  auto* painter = static_cast<TdxNavBarOffice12NavPanePainter*>(bar->Painter());
  std::vector<DWORD> probes;
  for (const wchar_t* scheme : {L"Blue", L"Black"}) {
    SCOPED_TRACE(String(scheme));
    painter->SetColorSchemeName(scheme);
    auto dib = Painted();
    ASSERT_TRUE(painter->HasSkin());
    TdxNavBarNavigationPaneViewInfo* pane = Pane();
    EXPECT_EQ(pane->GroupsOrigin().x, 0);
    EXPECT_EQ(pane->SplitterBounds.Height(), 8);
    // The header is the "Caption" picture: its columns are alike, stretched across and kept 1:1 down
    // the skin's 27-pixel height, so beside the text every opaque row is the art's own (the first row
    // lies under the pane's border).
    const ElementPng art(L"Office12_" + String(scheme), "NavPane", "Caption");
    ASSERT_TRUE(art.Loaded());
    const TRect header = pane->HeaderBounds;
    ASSERT_EQ(header.Height(), 27);
    for (int x : {header.left + 2, header.right - 3})
      for (int j = 1; j < 27; ++j) {
        if (art.Alpha(4, j) != 255) continue;
        EXPECT_TRUE(NearRgb(dib->Pixel(x, header.top + j), art.Rgb(4, j), 1)) << x << "," << j;
      }
    const int x = header.left + 2, y = (header.top + header.bottom) / 2 + 3;
    probes.push_back(dib->Pixel(x, y));
  }
  EXPECT_NE(probes[0], probes[1]);
  // An unknown scheme: no skin, the unskinned metrics, no reload on the next paint.
  painter->SetColorSchemeName(L"Purple");
  const int loads = NavBarSkinLoadCount();
  EXPECT_NO_THROW(Painted());
  EXPECT_FALSE(painter->HasSkin());
  EXPECT_NO_THROW(Painted());
  EXPECT_EQ(NavBarSkinLoadCount(), loads + 1);
  EXPECT_EQ(Pane()->GroupsOrigin().x, 1);
  EXPECT_EQ(Pane()->SplitterBounds.Height(), 7);
  // The scheme interface through the view style; Assign copies the scheme between view-17 painters.
  IdxNavBarColorSchemes* schemes = Supports<IdxNavBarColorSchemes>(bar->ViewStyle());
  ASSERT_NE(schemes, nullptr);
  schemes->ApplyColorScheme(L"Silver");
  TdxNavBar* other = Place<TdxNavBar>(210, 0, 150, 200);
  other->SetView(17);
  EXPECT_EQ(static_cast<TdxNavBarOffice12NavPanePainter*>(other->Painter())->ColorSchemeName(), L"Silver");
  static_cast<TdxNavBarOffice12NavPanePainter*>(other->Painter())->SetColorSchemeName(L"Black");
  painter->Assign(other->Painter());
  EXPECT_EQ(painter->ColorSchemeName(), L"Black");
  painter->SetColorSchemeName(L"Blue");
}

// ---- the main window's configuration ---------------------------------------------------------------

namespace {

// The main window's command bar: a view-17 pane of two groups whose controls host two view-18 bars,
// built as form code builds it (inside the loading bracket).
class MainWindowPane : public FormFixture {
 protected:
  void SetUp() override {
    InitializeUnits();
    FormFixture::SetUp();
    quick = Make(L"dxNavBarQuick", 17, form);
    quick->SetBounds(0, 0, 217, 290);
    quick->SetParent(form);
    quick->OptionsBehavior()->NavigationPane()->AdjustWidthByPopup = true;
    quick->OptionsBehavior()->SideBar()->SetAllowSelectLinks(true);
    quick->OptionsBehavior()->SideBar()->SetEachGroupHasSelectedLink(true);
    quick->OptionsView()->NavigationPane()->SetShowHeader(false);
    quick->OptionsView()->NavigationPane()->SetShowOverflowPanel(false);
    favoritesGroup = quick->Groups()->Add();
    favoritesGroup->SetCaption(L"&Favorites");
    editGroup = quick->Groups()->Add();
    editGroup->SetCaption(L"&Quick Edit");
    for (TdxNavBarGroup* group : {favoritesGroup, editGroup}) {
      group->OptionsGroupControl()->SetUseControl(true);
      group->OptionsGroupControl()->SetShowControl(true);
    }
    quick->EndUpdate();
    favorites = Make(L"dxNavBarF", 18, favoritesGroup->Control());
    favorites->SetAlign(alClient);
    favorites->Groups()->Add()->SetCaption(L"Favorites");
    // The skinned "Edit Favorites..." button of the main window, here a plain speed button.
    editFavorites = new TSpeedButton(form);
    editFavorites->SetParent(favoritesGroup->Control());
    editFavorites->SetCaption(L"Edit Favorites...");
    editFavorites->SetHeight(25);
    editFavorites->SetAlign(alBottom);
    editFavorites->OnClick = [this](TObject*) { executed.push_back(L"Edit Favorites"); };
    edit = Make(L"dxNavBarEdit", 18, editGroup->Control());
    edit->SetAlign(alClient);
    const int counts[] = {5, 4, 4, 4, 4, 4};
    const wchar_t* const captions[] = {L"Files", L"Edit", L"Effects", L"Tools", L"Bookmark", L"Region"};
    for (int g = 0; g < 6; ++g) {
      TdxNavBarGroup* group = edit->Groups()->Add();
      group->SetCaption(captions[g]);
      for (int i = 0; i < counts[g]; ++i) {
        auto* action = new TAction(form);
        action->SetCaption(String(captions[g]) + L" " + IntToStr(i + 1));
        action->OnExecute = [this, action](TObject*) { executed.push_back(action->Caption()); };
        TdxNavBarItem* item = edit->Items()->AddNewItem();
        item->SetAction(action);
        group->AddLinkForItem(item);
      }
    }
    favorites->EndUpdate();
    edit->EndUpdate();
    TdxNavBarItem* item = favorites->Items()->AddNewItem();
    item->SetCaption(L"Normalize");
    favorites->Groups()->GroupAt(0)->AddLinkForItem(item);
    quick->SetActiveGroupIndex(1);  // BarQuickShowIndex
    ShowForm();
    quick->Update();
  }
  void TearDown() override {
    quick->OnActiveGroupChanged = nullptr;
    FormFixture::TearDown();
  }
  TdxNavBar* Make(const wchar_t* name, int view, TWinControl* parent) {
    auto* bar = new TdxNavBar(form);
    bar->BeginUpdate();
    bar->SetName(name);
    bar->SetView(view);
    for (int i = 0; i < bar->DefaultStyles()->Count(); ++i) {
      TFont* font = bar->DefaultStyles()->StyleAt(i)->Font();
      font->SetName(L"Tahoma");
      font->SetSize(8);
    }
    if (parent != form) bar->SetParent(parent);
    return bar;
  }
  TdxNavBar* quick = nullptr;
  TdxNavBar* favorites = nullptr;
  TdxNavBar* edit = nullptr;
  TdxNavBarGroup* favoritesGroup = nullptr;
  TdxNavBarGroup* editGroup = nullptr;
  TSpeedButton* editFavorites = nullptr;
  std::vector<String> executed;
};

}  // namespace

TEST_F(MainWindowPane, TheQuickBarHostsBothInnerBarsAndTakesTheBrandScheme) {
  auto* pane = static_cast<TdxNavBarNavigationPaneViewInfo*>(quick->ViewInfo());
  // No header, no overflow panel: the active group's client from the top, then the two buttons.
  EXPECT_EQ(quick->Width(), 217);
  ASSERT_EQ(pane->GroupCount(), 3);
  EXPECT_EQ(pane->GroupAt(0)->Group(), editGroup);
  EXPECT_TRUE(RectIsAllZero(pane->SplitterBounds));
  EXPECT_EQ(pane->GroupAt(2)->Rect.bottom, pane->ClientHeight());
  // The active group's control fills its client; the other one is hidden.
  TdxNavBarGroupControl* control = editGroup->Control();
  EXPECT_TRUE(control->Visible());
  EXPECT_FALSE(favoritesGroup->Control()->Visible());
  EXPECT_EQ(control->Top(), pane->GroupAt(0)->Rect.top + pane->GroupEdges().top);
  EXPECT_EQ(edit->Width(), control->ClientWidth());
  // A link of the inner edit bar runs its action.
  edit->Update();
  TdxNavBarLinkViewInfo* link = edit->ViewInfo()->GroupAt(0)->LinkAt(1);
  const TRect r = link->Rect;
  SendMouse(edit->Handle(), WM_LBUTTONDOWN, (r.left + r.right) / 2, (r.top + r.bottom) / 2, MK_LBUTTON);
  SendMouse(edit->Handle(), WM_LBUTTONUP, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  EXPECT_EQ(executed, (std::vector<String>{L"Files 2"}));
  // The brand's scheme reaches all three bars through their view styles; their helpers (one class)
  // share one skin.
  const int loads = NavBarSkinLoadCount();
  for (TdxNavBar* bar : {quick, favorites, edit}) {
    IdxNavBarColorSchemes* schemes = Supports<IdxNavBarColorSchemes>(bar->ViewStyle());
    ASSERT_NE(schemes, nullptr);
    schemes->ApplyColorScheme(L"Black");
    EXPECT_EQ(schemes->GetColorSchemeName(), L"Black");
  }
  for (TdxNavBar* bar : {quick, favorites, edit}) bar->Update();
  EXPECT_TRUE(static_cast<TdxNavBarOffice12NavPanePainter*>(quick->Painter())->HasSkin());
  auto* favoritesPainter = static_cast<TdxNavBarOffice12ExplorerBarPainter*>(favorites->Painter());
  auto* editPainter = static_cast<TdxNavBarOffice12ExplorerBarPainter*>(edit->Painter());
  EXPECT_EQ(favoritesPainter->Helper()->SkinInfo(), editPainter->Helper()->SkinInfo());
  EXPECT_EQ(NavBarSkinLoadCount(), loads + 1);
  // One bar leaving the scheme keeps the other's skin.
  favoritesPainter->SetColorSchemeName(L"Silver");
  EXPECT_TRUE(editPainter->HasSkin());
  EXPECT_NE(editPainter->Helper()->GroupClientElement(), nullptr);
  edit->Update();
  // The accelerators of the group captions switch the active group.
  quick->SetActiveGroupIndex(0);
  quick->Update();
  EXPECT_TRUE(favoritesGroup->Control()->Visible());
  static_cast<TdxNavBarOffice12NavPanePainter*>(quick->Painter())->SetColorSchemeName(L"Blue");
}

TEST_F(MainWindowPane, TheFavoritesGroupShowsItsListAboveTheEditButton) {
  quick->SetActiveGroupIndex(0);
  quick->Update();
  TdxNavBarGroupControl* control = favoritesGroup->Control();
  ASSERT_TRUE(control->Visible());
  EXPECT_EQ(editFavorites->Caption(), L"Edit Favorites...");
  EXPECT_EQ(editFavorites->Left(), 0);
  EXPECT_EQ(editFavorites->Width(), control->ClientWidth());
  EXPECT_EQ(editFavorites->Top() + editFavorites->Height(), control->ClientHeight());
  EXPECT_EQ(favorites->Top(), 0);
  EXPECT_EQ(favorites->Top() + favorites->Height(), editFavorites->Top());
  const int x = editFavorites->Left() + editFavorites->Width() / 2, y = editFavorites->Top() + 12;
  SendMouse(control->Handle(), WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  SendMouse(control->Handle(), WM_LBUTTONUP, x, y);
  EXPECT_EQ(executed, (std::vector<String>{L"Edit Favorites"}));
}
