// Toolbars without windows: their setters, rows, merging and caption buttons, the toolbar collection
// and the manager's toolbar operations.

#include <gtest/gtest.h>

#include "platform/framework/rtl/Seams.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/Bars.h"
#include "ui/bars/DockControl.h"

using namespace bar_testing;

namespace {

class ToolbarTest : public BarFixture {
 protected:
  TdxBar* NewBar(const String& Caption) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(Caption);
    return bar;
  }
};

TEST_F(ToolbarTest, TheCollectionHoldsFourDefaultSitesAndNamesNewToolbarsAfterTheManager) {
  TdxBars* bars = manager->Bars();
  for (int style = dsLeft; style <= dsBottom; ++style) {
    TdxDockControl* site = bars->DefaultSite(TdxBarDockingStyle(style));
    ASSERT_NE(site, nullptr);
    EXPECT_EQ(site->DockingStyle(), style);
    EXPECT_EQ(site->Parent(), form);
    EXPECT_EQ(site->BarManager(), manager);
  }
  EXPECT_EQ(manager->DockControlCount(), 4);
  TdxBar* bar = bars->Add();
  EXPECT_EQ(bar->Name().substr(0, 13), L"BarManagerBar");
  EXPECT_EQ(bar->BarManager(), manager);
  ASSERT_NE(bar->ItemLinks(), nullptr);
  EXPECT_TRUE(bar->ItemLinks()->OwnerIsToolbar());
}

TEST_F(ToolbarTest, SettersClampAndRefuseAsTheToolbarRulesSay) {
  TdxBar* a = NewBar(L"Editing");
  TdxBar* b = NewBar(L"Transport");
  b->SetCaption(L"Editing");
  EXPECT_EQ(b->Caption(), L"Transport") << "captions are unique among the toolbars";
  a->SetDockedLeft(-5);
  EXPECT_EQ(a->DockedLeft(), 0);
  a->SetFloatLeft(-5);
  EXPECT_EQ(a->FloatLeft(), -5);
  a->SetRow(-3);
  EXPECT_EQ(a->Row(), 0);

  a->SetIsMainMenu(true);
  EXPECT_EQ(manager->MainMenuBar(), a);
  b->SetIsMainMenu(true);
  EXPECT_FALSE(a->IsMainMenu()) << "only one main menu";
  EXPECT_EQ(manager->MainMenuBar(), b);
  EXPECT_TRUE(b->WholeRow());
  EXPECT_TRUE(b->MultiLine());
  b->SetMultiLine(false);
  EXPECT_TRUE(b->MultiLine()) << "the main menu always wraps";
  EXPECT_FALSE(b->ClosableByUser());
}

TEST_F(ToolbarTest, RowAppendsOneRowPerCallUnlessUpdatesAreLocked) {
  TdxBar* first = NewBar(L"First");
  first->SetDockingStyle(dsTop);
  TdxDockControl* top = manager->Bars()->DefaultSite(dsTop);
  first->SetRow(0);
  ASSERT_EQ(top->RowCount(), 1);

  TdxBar* bar = NewBar(L"Second");
  bar->SetDockingStyle(dsTop);
  bar->SetRow(3);
  EXPECT_EQ(top->RowCount(), 2);
  EXPECT_EQ(bar->Row(), 1);

  TdxBar* locked = NewBar(L"Third");
  locked->SetDockingStyle(dsTop);
  manager->BeginBarsUpdate();
  locked->SetRow(4);
  EXPECT_EQ(top->RowCount(), 5);
  EXPECT_EQ(locked->Row(), 4);
  manager->EndBarsUpdate();
  EXPECT_EQ(top->RowCount(), 3) << "the redraw pass drops the empty rows";
  EXPECT_EQ(locked->Row(), 2);
}

TEST_F(ToolbarTest, MergingRaisesItsFiveErrorsAndKeepsTheLinksApart) {
  TdxBarButton* one = NewItem(L"One");
  TdxBarButton* two = NewItem(L"Two");
  TdxBar* a = NewBar(L"A");
  TdxBar* b = NewBar(L"B");
  TdxBar* c = NewBar(L"C");
  a->ItemLinks()->AddItemLink(one);
  b->ItemLinks()->AddItemLink(two);

  auto message = [](auto&& Call) {
    try {
      Call();
    } catch (const EdxBarException& e) {
      return String(e.Message());
    }
    return String(L"no error");
  };
  EXPECT_EQ(message([&] { a->Merge(nullptr); }), dxBarString(dxbsCannotMerge));
  EXPECT_EQ(message([&] { a->Merge(a); }), dxBarString(dxbsCannotMerge));
  a->Merge(b);
  EXPECT_EQ(a->ItemLinks()->Count(), 2);
  EXPECT_EQ(b->MergeData()->MergedWith, a);
  EXPECT_EQ(message([&] { a->Merge(b); }), L"The 'B' toolbar is already merged with the 'A' toolbar");
  EXPECT_EQ(message([&] { b->Merge(c); }), dxBarString(dxbsCannotMergeMerged));
  EXPECT_EQ(message([&] { c->Merge(a); }), L"The 'A' toolbar has merged toolbars");
  EXPECT_EQ(message([&] { a->UnMerge(a); }), dxBarString(dxbsCannotUnmerge));
  c->Merge(NewBar(L"D"));
  EXPECT_EQ(message([&] { c->UnMerge(b); }), L"The 'B' toolbar is not merged with the 'C' toolbar");

  a->UnMerge(b);
  EXPECT_EQ(a->ItemLinks()->Count(), 1);
  EXPECT_EQ(b->MergeData()->MergedWith, nullptr);
  EXPECT_EQ(b->ItemLinks()->Count(), 1);
}

TEST_F(ToolbarTest, UnmergeBarsKeepsTheMergesForRemergeBars) {
  TdxBarButton* one = NewItem(L"One");
  TdxBar* a = NewBar(L"A");
  TdxBar* b = NewBar(L"B");
  b->ItemLinks()->AddItemLink(one);
  a->Merge(b, true);
  manager->UnmergeBars(nullptr, true);
  EXPECT_EQ(b->MergeData()->MergedWith, nullptr);
  EXPECT_EQ(a->ItemLinks()->Count(), 0);
  manager->RemergeBars();
  EXPECT_EQ(b->MergeData()->MergedWith, a);
  EXPECT_EQ(a->ItemLinks()->Count(), 1);
}

TEST_F(ToolbarTest, CaptionButtonsFindEnabledButtonsAndKeepDisabledOnesDisabled) {
  TdxBar* bar = NewBar(L"A");
  TdxBarCaptionButtons* buttons = bar->CaptionButtons();
  TdxBarCaptionButton* first = buttons->AddButton();
  TdxBarCaptionButton* second = buttons->AddButton();
  first->Bounds = TRect{0, 0, 10, 10};
  second->Bounds = TRect{10, 0, 20, 10};
  second->SetEnabled(false);
  EXPECT_EQ(buttons->ButtonIndexAt(TPoint{15, 5}), -1) << "a disabled button is not found";
  EXPECT_EQ(buttons->ButtonIndexAt(TPoint{5, 5}), 0);
  EXPECT_EQ(buttons->ButtonsBounds(), (TRect{0, 0, 20, 10})) << "the bounds include disabled buttons";
  buttons->UpdateHotStates(TPoint{15, 5}, true);
  EXPECT_EQ(second->State(), TdxBarCaptionButton::stDisabled);
  buttons->UpdateHotStates(TPoint{5, 5}, true);
  EXPECT_EQ(first->State(), TdxBarCaptionButton::stPressed);
  buttons->UpdateHotStates(TPoint{5, 5}, false);
  EXPECT_EQ(first->State(), TdxBarCaptionButton::stHot);
  first->Hint = L"Close all";
  String hint, shortcut;
  EXPECT_TRUE(first->GetHintTexts(hint, shortcut));
  EXPECT_EQ(hint, L"Close all");
  EXPECT_FALSE(second->GetHintTexts(hint, shortcut));
  EXPECT_TRUE(hint.empty());
  second->SetEnabled(true);
  EXPECT_EQ(second->State(), TdxBarCaptionButton::stNormal);
  int clicks = 0;
  first->SetOnClick([&](TObject* Sender) { clicks += Sender == first; });
  first->Click();
  EXPECT_EQ(clicks, 1);
}

TEST_F(ToolbarTest, CanDockAsksTheToolbarTheSiteAndThenOnDocking) {
  TdxBar* bar = NewBar(L"A");
  TdxDockControl* left = manager->Bars()->DefaultSite(dsLeft);
  EXPECT_TRUE(manager->CanDock(bar, dsLeft, left));
  bar->SetNotDocking(TdxBarDockingStyles{dsLeft});
  EXPECT_FALSE(manager->CanDock(bar, dsLeft, left));
  manager->SetNotDocking(TdxBarDockingStyles{dsTop});
  EXPECT_FALSE(manager->CanDock(bar, dsTop, nullptr));
  auto* site = new TdxBarDockControl(form);
  site->SetBarManager(manager);
  EXPECT_TRUE(manager->CanDock(bar, dsTop, site)) << "a user site answers for itself";
  site->AllowDocking = false;
  EXPECT_FALSE(manager->CanDock(bar, dsTop, site));
  manager->OnDocking = [](TdxBar*, TdxBarDockingStyle, TdxBarDockControl*, bool& Can) { Can = true; };
  EXPECT_TRUE(manager->CanDock(bar, dsTop, site));
  EXPECT_TRUE(bar->IsMovable());
  bar->SetNotDocking(TdxBarDockingStyles{dsNone, dsLeft, dsTop, dsRight, dsBottom});
  EXPECT_FALSE(bar->IsMovable());
}

TEST_F(ToolbarTest, AskResetUsageDataAsksAYesNoWarning) {
  UINT flags = 0;
  String text;
  auto previous = SetMessageBoxAnswerer([&](HWND, const String& Text, const String&, UINT Flags) {
    flags = Flags;
    text = Text;
    return IDNO;
  });
  EXPECT_FALSE(manager->AskResetUsageData());
  SetMessageBoxAnswerer(previous);
  EXPECT_EQ(flags, 308u);
  EXPECT_EQ(text.rfind(L"This will delete the record of the commands you've used in this application", 0), 0u);
}

}  // namespace
