// A manager in design state (csDesigning on it and its form) with a recording designer: the link
// editors' entries of the context menu and the items they add.
#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/bars/BarTestSupport.h"
#include "tests/ui/bars/customize/RecordingDesigner.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/Bars.h"
#include "ui/bars/SubItems.h"
#include "ui/bars/SubMenuControl.h"
#include "ui/bars/customize/DesignController.h"

using namespace bar_testing;

namespace {


class DesignState : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    form->SetComponentState(TComponentState{csDesigning});
    manager->SetComponentState(TComponentState{csDesigning});
    designer = new TRecordingDesigner;
    manager->SetDesigner(designer);
  }
  void TearDown() override {
    manager->SetDesigner(nullptr);
    BarFixture::TearDown();
  }
  TRecordingDesigner* designer = nullptr;
};

std::vector<String> Captions(TdxBarItemLinks* Links) {
  std::vector<String> result;
  for (int i = 0; i < Links->Count(); ++i) result.push_back(Links->LinkAt(i)->Item()->Caption());
  return result;
}

}  // namespace

TEST_F(DesignState, TheEditorsAddItemsNextToTheCustomizedLink) {
  ASSERT_TRUE(manager->IsDesigning());
  TdxBar* bar = manager->Bars()->Add();
  TdxBarItemLink* first = bar->ItemLinks()->AddItemLink(NewItem(L"First"));
  bar->ItemLinks()->AddItemLink(NewItem(L"Last"));
  designer->Selection = {first};
  TdxBarDesignController* design = DesignControllerInstance();
  TTestLinksOwner* owner = NewOwner();

  design->FillLinkContextEntries(owner->Links(), first, &TdxBarSubMenuControl::ClassInfo());
  const std::vector<String> captions = Captions(owner->Links());
  ASSERT_GE(captions.size(), 4u);
  EXPECT_EQ(std::vector<String>(captions.begin(), captions.begin() + 4),
            (std::vector<String>{dxBarString(dxbsAddSubItem), dxBarString(dxbsAddButton), dxBarString(dxbsAddItem),
                                 dxBarString(dxbsAddSeparator)}));
  // "Add &Item" lists the classes the new-item dialog offers.
  auto* classes = static_cast<TdxBarSubItem*>(owner->Links()->LinkAt(2)->Item());
  EXPECT_GT(classes->ItemLinks()->Count(), 0);

  const int items = manager->ItemCount();
  owner->Links()->LinkAt(1)->Item()->Click();  // "Add &Button"
  ASSERT_EQ(bar->ItemLinks()->Count(), 3);
  TdxBarItem* added = bar->ItemLinks()->LinkAt(1)->Item();  // just after the customized link
  EXPECT_TRUE(Is<TdxBarButton>(added));
  EXPECT_EQ(added->Owner(), form);
  EXPECT_EQ(manager->ItemCount(), items + 1);
  EXPECT_FALSE(added->Name().empty());
  design->FreeLinkedItems(owner->Links());
  EXPECT_EQ(design->InternalItemCount(), 0);
}

TEST_F(DesignState, AToolbarOffersNoSeparatorEditor) {
  TdxBar* bar = manager->Bars()->Add();
  TdxBarItemLink* link = bar->ItemLinks()->AddItemLink(NewItem(L"Only"));
  designer->Selection = {link};
  TdxBarDesignController* design = DesignControllerInstance();
  TTestLinksOwner* owner = NewOwner();
  design->FillLinkContextEntries(owner->Links(), link, &TdxBarControl::ClassInfo());
  const std::vector<String> captions = Captions(owner->Links());
  EXPECT_EQ(std::count(captions.begin(), captions.end(), dxBarString(dxbsAddSeparator)), 0);
  EXPECT_EQ(std::count(captions.begin(), captions.end(), dxBarString(dxbsAddButton)), 1);
  design->FreeLinkedItems(owner->Links());
}
