// The run-time selection controller, group members chosen in a dialog, and the design controller's
// delete, internal items, toolbar entries and link operations, on a manager with toolbars.
#include <gtest/gtest.h>

#include <vector>

#include "platform/framework/rtl/Seams.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/Bars.h"
#include "ui/bars/SubMenuControl.h"
#include "ui/bars/customize/DesignController.h"
#include "ui/bars/customize/SelectionController.h"

using namespace bar_testing;

namespace {

// Records its selection repaints.
class TPaintRecordingItem : public TdxBarButton {
  DECLARE_CLASS(TPaintRecordingItem, TdxBarButton)
 public:
  explicit TPaintRecordingItem(TComponent* AOwner) : TdxBarButton(AOwner) {}
  int Repaints = 0;
  int Flags = -1;
  void SelectionChanged() override { ++Repaints; }
  int DesignMenuFlags() override { return Flags >= 0 ? Flags : TdxBarButton::DesignMenuFlags(); }
};
DEFINE_CLASS(TPaintRecordingItem)

class Customize : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    controller = new TdxBarRunTimeSelectionController;
    controller->OnSelectionChanged = [this](TObject*, TObject*) { ++changes; };
    manager->SetDesigner(controller);
  }
  void TearDown() override {
    manager->SetDesigner(nullptr);
    BarFixture::TearDown();
  }
  TdxBar* NewBar(const String& Caption) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(Caption);
    return bar;
  }
  std::vector<TObject*> Selection() {
    TList list;
    controller->CollectSelection(list);
    std::vector<TObject*> result;
    for (int i = 0; i < list.Count(); ++i) result.push_back(static_cast<TObject*>(list.Items(i)));
    return result;
  }

  TdxBarRunTimeSelectionController* controller = nullptr;
  int changes = 0;
};

}  // namespace

TEST_F(Customize, TheRunTimeSelectionKeepsOneToolbarAndOneItem) {
  TdxBar* first = NewBar(L"First");
  TdxBar* second = NewBar(L"Second");
  auto* item = NewItem<TPaintRecordingItem>(L"Item");
  controller->SelectObject(first, soExclusive);
  controller->SelectObject(item, soExclusive);
  EXPECT_EQ(Selection(), (std::vector<TObject*>{first, item}));
  controller->SelectObject(second, soAdd);
  EXPECT_EQ(Selection(), (std::vector<TObject*>{item, second}));
  EXPECT_EQ(item->Repaints, 1);
  EXPECT_EQ(changes, 4);  // first, item, first dropped, second
  controller->SelectObject(item, soExclusive);  // already selected: nothing
  controller->SelectObject(first, soExtend);    // operation 1: nothing
  EXPECT_EQ(Selection(), (std::vector<TObject*>{item, second}));
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(controller->MakeUniqueName(L"dxBarButton"), String());
  EXPECT_TRUE(manager->IsSelectedInDesigner(item));
}

TEST_F(Customize, ReplacingTheSelectionReportsOnce) {
  TdxBar* bar = NewBar(L"Bar");
  TdxBarItem* item = NewItem(L"Item");
  TList list;
  list.Add(bar);
  list.Add(item);
  controller->ReplaceSelection(list);
  EXPECT_EQ(Selection(), (std::vector<TObject*>{bar, item}));
  EXPECT_EQ(changes, 1);
}

TEST_F(Customize, TheManagerItselfIsSelectedWithoutARepaint) {
  // The manager answers no selectable-item interface; the form selects it when nothing is chosen.
  auto* item = NewItem<TPaintRecordingItem>(L"Item");
  controller->SelectObject(item, soExclusive);
  controller->SelectObject(manager, soExclusive);
  EXPECT_EQ(Selection(), (std::vector<TObject*>{manager}));
  EXPECT_EQ(item->Repaints, 2);
}

TEST_F(Customize, AFreedObjectLeavesTheSelection) {
  TdxBarItem* item = NewItem(L"Item");
  controller->SelectObject(item, soExclusive);
  item->Free();
  EXPECT_TRUE(Selection().empty());
}

TEST_F(Customize, GroupMembersAreCheckedBeforeAnyIsAdded) {
  TdxBarGroup* outer = manager->CreateGroup();
  TdxBarGroup* inner = manager->CreateGroup();
  TdxBarItem* a = NewItem(L"A");
  TdxBarItem* b = NewItem(L"B");
  inner->AddMember(outer);
  // Header entries give null members; the recursive group comes last, after two good members.
  EXPECT_FALSE(outer->AddMembers({nullptr, a, b, inner}));
  EXPECT_EQ(outer->ItemCountOf(), 0);
  EXPECT_TRUE(outer->AddMembers({nullptr, a, nullptr, b}));
  EXPECT_EQ(outer->ItemCountOf(), 2);
  EXPECT_EQ(outer->ItemAt(1), b);
}

TEST_F(Customize, DeleteAtRunTimeTakesLinksAndNeverAnItem) {
  TdxBar* bar = NewBar(L"Bar");
  TdxBarItem* item = NewItem(L"Command");
  TdxBarItemLink* link = bar->ItemLinks()->AddItemLink(item);
  TdxBarItemLink* other = bar->ItemLinks()->AddItemLink(NewItem(L"Other"));
  manager->SetCustomizingMode(true);
  // The Customize dialog installed its own run-time selection.
  IdxBarDesigner* selection = manager->Designer();
  ASSERT_NE(selection, nullptr);
  TdxBarDesignController* design = DesignControllerInstance();
  // The item pushed from the Commands page: Ctrl+Del passes on, the item lives.
  selection->SelectObject(item, soExclusive);
  EXPECT_FALSE(design->DeleteSelectedObjects(true, false));
  EXPECT_FALSE(design->DeleteSelectedObjects(false, false));  // no link selected
  EXPECT_EQ(bar->ItemLinks()->Count(), 2);
  // A selected link goes; its item stays.
  selection->SelectObject(link, soExclusive);
  EXPECT_TRUE(design->DeleteSelectedObjects(false, false));
  ASSERT_EQ(bar->ItemLinks()->Count(), 1);
  EXPECT_EQ(bar->ItemLinks()->LinkAt(0), other);
  EXPECT_EQ(item->LinkCount(), 0);
  EXPECT_GE(manager->ItemCount(), 2);
  EXPECT_EQ(item->Name(), L"Command");
  manager->SetCustomizingMode(false);
}

TEST_F(Customize, ToolbarEntriesLeaveOutHiddenUnclosableAndMergedToolbars) {
  TdxBar* shown = NewBar(L"Shown");
  shown->SetVisible(true);
  NewBar(L"Closed");
  NewBar(L"Hidden")->SetHidden(true);
  NewBar(L"Fixed")->SetAllowClose(false);
  TdxBar* merged = NewBar(L"Merged");
  shown->Merge(merged);
  const int items = manager->ItemCount();
  TdxBarDesignController* design = DesignControllerInstance();
  TTestLinksOwner* owner = NewOwner();
  design->FillToolbarEntries(owner->Links(), manager);
  std::vector<String> captions;
  for (int i = 0; i < owner->Links()->Count(); ++i) captions.push_back(owner->Links()->LinkAt(i)->Item()->Caption());
  EXPECT_EQ(captions, (std::vector<String>{L"Shown", L"Closed", dxBarString(dxbsCustomize)}));
  EXPECT_TRUE(static_cast<TdxBarButton*>(owner->Links()->LinkAt(0)->Item())->Down());
  EXPECT_FALSE(static_cast<TdxBarButton*>(owner->Links()->LinkAt(1)->Item())->Down());
  EXPECT_TRUE(owner->Links()->LinkAt(2)->BeginGroupFlag());
  EXPECT_EQ(manager->ItemCount(), items);  // the entries are the controller's, not the manager's
  // A click toggles its toolbar.
  owner->Links()->LinkAt(1)->Item()->Click();
  EXPECT_TRUE(manager->Bars()->BarAt(1)->Visible());
  // Filling again frees the previous entries first.
  const int internal = design->InternalItemCount();
  design->FillToolbarEntries(owner->Links(), manager);
  EXPECT_EQ(design->InternalItemCount(), internal);
  design->FreeLinkedItems(owner->Links());
  EXPECT_EQ(owner->Links()->Count(), 0);
  shown->UnMerge(merged);
}

TEST_F(Customize, TheCustomizeEntryNeedsCanCustomize) {
  TdxBarDesignController* design = DesignControllerInstance();
  TTestLinksOwner* owner = NewOwner();
  manager->CanCustomize = false;
  EXPECT_EQ(design->AddCustomizeLink(owner->Links(), manager, false), nullptr);
  manager->CanCustomize = true;
  TdxBarItemLink* link = design->AddCustomizeLink(owner->Links(), manager, false);
  ASSERT_NE(link, nullptr);
  link->Item()->Click();
  EXPECT_TRUE(manager->IsCustomizing());
  manager->SetCustomizingMode(false);
  design->FreeLinkedItems(owner->Links());
}

TEST_F(Customize, EachKindOfWindowOffersItsOperations) {
  TdxBar* bar = NewBar(L"Bar");
  auto* item = NewItem<TPaintRecordingItem>(L"Item");
  item->Flags = 0xFFF;
  TdxBarItemLink* link = bar->ItemLinks()->AddItemLink(item);
  TdxBarDesignController* design = DesignControllerInstance();
  const int toolbar = design->LinkOperations(link, &TdxBarControl::ClassInfo());
  const int menu = design->LinkOperations(link, &TdxBarSubMenuControl::ClassInfo());
  EXPECT_TRUE(toolbar & (1 << loPaintStyle));
  EXPECT_FALSE(toolbar & (1 << loMostRecentlyUsed));
  EXPECT_FALSE(toolbar & (1 << loButtonGroup));
  EXPECT_TRUE(menu & (1 << loMostRecentlyUsed));
  EXPECT_FALSE(menu & (1 << loPaintStyle));
  EXPECT_EQ(toolbar & ~0x09C0, 0xFFF & ~0x09C0);
}

TEST_F(Customize, OperationsChangeTheLink) {
  TdxBar* bar = NewBar(L"Bar");
  std::vector<TdxBarItemLink*> links;
  for (int i = 0; i < 3; ++i) links.push_back(bar->ItemLinks()->AddItemLink(NewItem(L"I" + std::to_wstring(i))));
  TdxBarDesignController* design = DesignControllerInstance();
  TdxBarItemLink* link = links[1];
  EXPECT_TRUE(design->ApplyLinkOperation(link, loPaintStyle, psCaptionGlyph));
  EXPECT_EQ(link->PaintStyle(), psCaptionGlyph);
  EXPECT_TRUE(design->ApplyLinkOperation(link, loPosition, ipContinuesRow));
  EXPECT_EQ(link->Position(), ipContinuesRow);
  EXPECT_TRUE(design->ApplyLinkOperation(link, loViewLevels, 5 + ivlSmallIcon));  // " ONLY"
  EXPECT_EQ(link->ViewLevels(), TdxBarItemViewLevels{ivlSmallIcon});
  EXPECT_TRUE(design->ApplyLinkOperation(link, loViewLevels, ivlControlOnly));     // toggle one
  EXPECT_EQ(link->ViewLevels(), (TdxBarItemViewLevels{ivlSmallIcon, ivlControlOnly}));
  EXPECT_TRUE(design->ApplyLinkOperation(link, loViewLevels, 4));                   // "All"
  EXPECT_EQ(link->ViewLevels(),
            (TdxBarItemViewLevels{ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly}));
  EXPECT_TRUE(design->ApplyLinkOperation(link, loReset, 0));
  EXPECT_TRUE(link->UserDefine().Empty());
  // "Group" over the selected links: the first starts, the rest are members; "Ungroup" clears them.
  controller->SelectObject(links[2], soExclusive);
  EXPECT_TRUE(design->ApplyLinkOperation(links[0], loButtonGroup, 3));
  EXPECT_EQ(links[0]->ButtonGroup(), bgpStart);
  EXPECT_EQ(links[1]->ButtonGroup(), bgpNone);
  EXPECT_EQ(links[2]->ButtonGroup(), bgpMember);
  EXPECT_TRUE(design->ApplyLinkOperation(links[0], loButtonGroup, 4));
  EXPECT_EQ(links[2]->ButtonGroup(), bgpNone);
  EXPECT_FALSE(design->ApplyLinkOperation(link, loPosition, 7));
}

TEST_F(Customize, RenamingAtRunTimeChangesTheUserCaptionAndRefusesABlankName) {
  TdxBar* bar = NewBar(L"Bar");
  TdxBarItemLink* link = bar->ItemLinks()->AddItemLink(NewItem(L"Item", L"Open"));
  std::vector<String> boxes;
  TMessageBoxAnswerer previous = SetMessageBoxAnswerer([&](HWND, const String& text, const String&, UINT) {
    boxes.push_back(text);
    return IDOK;
  });
  TdxBarDesignController* design = DesignControllerInstance();
  EXPECT_FALSE(design->RenameLink(link, L""));
  EXPECT_EQ(boxes, (std::vector<String>{dxBarString(dxbsBlankCommandName)}));
  EXPECT_TRUE(design->RenameLink(link, L"Load"));
  EXPECT_EQ(link->UserCaption(), L"Load");
  EXPECT_EQ(link->Item()->Caption(), L"Open");
  SetMessageBoxAnswerer(previous);
}

TEST_F(Customize, TheLastSelectedIsKeptWhileTheRecheckIsLocked) {
  TdxBar* bar = NewBar(L"Bar");
  TdxBarItemLink* link = bar->ItemLinks()->AddItemLink(NewItem(L"Item"));
  TdxBarDesignController* design = DesignControllerInstance();
  design->SetLastSelected(link);
  EXPECT_TRUE(design->IsItemLastSelected(link));
  design->LockSelectionRecheck();
  design->RecheckLastSelected();  // not selected in the designer, but locked
  EXPECT_TRUE(design->IsItemLastSelected(link));
  design->UnlockSelectionRecheck();
  design->RecheckLastSelected();
  EXPECT_FALSE(design->IsItemLastSelected(link));
  design->SetLastSelected(link);
  link->Free();
  EXPECT_EQ(design->LastSelected(), nullptr);
}

TEST_F(Customize, TheContextMenuOffersTheLinksOperations) {
  TdxBar* bar = NewBar(L"Bar");
  auto* firstItem = NewItem<TPaintRecordingItem>(L"First");
  auto* secondItem = NewItem<TPaintRecordingItem>(L"Second");
  firstItem->Flags = secondItem->Flags = 0xFFF;
  TdxBarItemLink* first = bar->ItemLinks()->AddItemLink(firstItem);
  TdxBarItemLink* second = bar->ItemLinks()->AddItemLink(secondItem);
  TdxBarDesignController* design = DesignControllerInstance();
  TTestLinksOwner* owner = NewOwner();
  auto captions = [&]() {
    std::vector<String> result;
    for (int i = 0; i < owner->Links()->Count(); ++i) result.push_back(owner->Links()->LinkAt(i)->Item()->Caption());
    return result;
  };
  auto entry = [&](const String& caption) -> TdxBarItem* {
    for (int i = 0; i < owner->Links()->Count(); ++i) {
      if (owner->Links()->LinkAt(i)->Item()->Caption() == caption) return owner->Links()->LinkAt(i)->Item();
    }
    return nullptr;
  };
  design->FillLinkContextEntries(owner->Links(), first, &TdxBarControl::ClassInfo());
  EXPECT_EQ(captions(), (std::vector<String>{dxBarString(dxbsLinkReset), dxBarString(dxbsLinkDelete),
                                             dxBarString(dxbsDeleteItem), dxBarString(dxbsLinkDelete),
                                             dxBarString(dxbsDefaultStyle), dxBarString(dxbsTextOnlyAlways),
                                             dxBarString(dxbsTextOnlyInMenus), dxBarString(dxbsImageAndText),
                                             dxBarString(dxbsBeginGroup), dxBarString(dxbsLinkVisible)}));
  EXPECT_FALSE(entry(dxBarString(dxbsBeginGroup))->Enabled());  // the first link
  EXPECT_FALSE(entry(dxBarString(dxbsDeleteItem))->Enabled());  // never an item at run time
  entry(dxBarString(dxbsImageAndText))->Click();
  EXPECT_EQ(first->PaintStyle(), psCaptionGlyph);
  design->FreeLinkedItems(owner->Links());

  design->FillLinkContextEntries(owner->Links(), second, &TdxBarSubMenuControl::ClassInfo());
  EXPECT_TRUE(entry(dxBarString(dxbsBeginGroup))->Enabled());
  EXPECT_NE(entry(dxBarString(dxbsMostRecentlyUsed)), nullptr);
  EXPECT_EQ(entry(dxBarString(dxbsDefaultStyle)), nullptr);
  entry(dxBarString(dxbsBeginGroup))->Click();
  EXPECT_TRUE(second->BeginGroupFlag());
  entry(dxBarString(dxbsLinkVisible))->Click();
  EXPECT_FALSE(second->Visible());
  design->FreeLinkedItems(owner->Links());
  EXPECT_EQ(design->InternalItemCount(), 0);
}

TEST_F(Customize, DeletingTheLinkFromItsMenuKeepsTheItem) {
  TdxBar* bar = NewBar(L"Bar");
  TdxBarItem* item = NewItem(L"Item");
  TdxBarItemLink* link = bar->ItemLinks()->AddItemLink(item);
  TdxBarDesignController* design = DesignControllerInstance();
  TTestLinksOwner* owner = NewOwner();
  design->FillLinkContextEntries(owner->Links(), link, &TdxBarControl::ClassInfo());
  TdxBarItem* deleteLink = nullptr;
  for (int i = 0; i < owner->Links()->Count(); ++i) {
    TdxBarItem* e = owner->Links()->LinkAt(i)->Item();
    if (((e->Tag >> 16) & 0xFFFF) == loDeleteLink) deleteLink = e;
  }
  ASSERT_NE(deleteLink, nullptr);
  deleteLink->Click();
  EXPECT_EQ(bar->ItemLinks()->Count(), 0);
  EXPECT_EQ(design->CustomizedLink(), nullptr);
  EXPECT_EQ(item->LinkCount(), 0);
  deleteLink->Click();  // the link is gone: nothing
  design->FreeLinkedItems(owner->Links());
}

TEST_F(Customize, TheKeyboardHookHandsDelAndEscToTheDesignSelection) {
  TdxBar* bar = NewBar(L"Bar");
  TdxBarItem* item = NewItem(L"Command");
  TdxBarItemLink* link = bar->ItemLinks()->AddItemLink(item);
  bar->ItemLinks()->AddItemLink(NewItem(L"Other"));
  form->HandleNeeded();
  manager->SetCustomizingMode(true);
  // The Customize dialog brings its own selection controller and selects the first toolbar.
  auto* active = dynamic_cast<TdxBarRunTimeSelectionController*>(manager->Designer());
  ASSERT_NE(active, nullptr);
  TList none;
  active->ReplaceSelection(none);
  // Nothing selected: Del and Esc pass on.
  EXPECT_EQ(BarKeyboardHookStep(HC_ACTION, VK_DELETE, 0), 0);
  EXPECT_EQ(BarKeyboardHookStep(HC_ACTION, VK_ESCAPE, 0), 0);
  active->SelectObject(link, soExclusive);
  {
    // Ctrl+Del would delete items: at run time it deletes nothing and the key passes.
    window_testing::HeldKeys ctrl({VK_CONTROL});
    EXPECT_EQ(BarKeyboardHookStep(HC_ACTION, VK_DELETE, 0), 0);
    EXPECT_EQ(bar->ItemLinks()->Count(), 2);
  }
  // Esc goes to the selected link (it hands the selection back) and is swallowed; its key-up passes.
  EXPECT_EQ(BarKeyboardHookStep(HC_ACTION, VK_ESCAPE, 0), 1);
  EXPECT_EQ(BarKeyboardHookStep(HC_ACTION, VK_ESCAPE, LPARAM(0xC0000000)), 0);
  // Del deletes the selected link and is swallowed.
  EXPECT_EQ(BarKeyboardHookStep(HC_ACTION, VK_DELETE, 0), 1);
  ASSERT_EQ(bar->ItemLinks()->Count(), 1);
  EXPECT_EQ(item->LinkCount(), 0);
  manager->SetCustomizingMode(false);
}
