// Popup menus without windows: creation, the side bar size, the font watch, recursion.
#include <gtest/gtest.h>

#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/PopupMenus.h"

using namespace bar_testing;

namespace {

TEST(PopupMenuCreation, RefusedBeforeAnyManagerExists) {
  ASSERT_EQ(BarManagerList()->Count(), 0);
  try {
    delete new TdxBarPopupMenu(nullptr);
    FAIL() << "created without a manager";
  } catch (const EdxBarException& e) {
    EXPECT_EQ(e.Message(), L"There are no TdxBarManagers available");
  }
}

class PopupMenu : public BarFixture {
 protected:
  TdxBarPopupMenu* NewPopup() {
    auto* popup = new TdxBarPopupMenu(form);
    return popup;
  }
};

TEST_F(PopupMenu, TakesTheFormsManagerAndItsFont) {
  TdxBarPopupMenu* popup = NewPopup();
  EXPECT_EQ(popup->BarManager(), manager);
  ASSERT_EQ(manager->PopupMenuCount(), 1);
  EXPECT_EQ(manager->PopupMenuAt(0), popup);
  EXPECT_EQ(popup->Font()->Name(), manager->Font()->Name());
  EXPECT_FALSE(popup->UseOwnFont());
  EXPECT_FALSE(popup->UseRecentItems());
  EXPECT_TRUE(popup->Animate);
  EXPECT_TRUE(popup->RunsOwnLoop);
  popup->SetBarSize(-5);
  EXPECT_EQ(popup->BarSize(), 0);
  popup->SetBarSize(12);
  EXPECT_EQ(popup->BarSize(), 12);
  delete popup;
  EXPECT_EQ(manager->PopupMenuCount(), 0);
}

TEST_F(PopupMenu, SettingTheFontMakesItOwnAndSwitchingBackTakesTheManagers) {
  TdxBarPopupMenu* popup = NewPopup();
  popup->Font()->SetSize(manager->Font()->Size() + 4);
  EXPECT_TRUE(popup->UseOwnFont());
  popup->SetUseOwnFont(false);
  EXPECT_FALSE(popup->UseOwnFont());
  EXPECT_EQ(popup->Font()->Size(), manager->Font()->Size());
}

TEST_F(PopupMenu, RecursiveMenusAreRefused) {
  TdxBarPopupMenu* popup = NewPopup();
  TdxBarButton* button = NewItem(L"Opener");
  button->SetButtonStyle(bsDropDown);
  button->SetDropDownMenu(popup);
  // The button's drop-down menu is this popup: it cannot go into its own menu.
  try {
    popup->ItemLinks()->AddItemLink(button);
    FAIL() << "recursive menu accepted";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"You cannot create recursive menus");
  }
  EXPECT_EQ(popup->ItemLinks()->Count(), 0);

  // A popup that holds the button cannot become its drop-down menu; the old one stays.
  TdxBarPopupMenu* other = NewPopup();
  other->ItemLinks()->AddItemLink(button);
  EXPECT_THROW(button->SetDropDownMenu(other), EdxBarException);
  EXPECT_EQ(button->DropDownMenu(), popup);
  // A freed drop-down menu is forgotten.
  delete popup;
  EXPECT_EQ(button->DropDownMenu(), nullptr);
}

}  // namespace
