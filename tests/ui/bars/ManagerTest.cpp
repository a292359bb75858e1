// The bar manager: setters with their rules, owner checks, categories that carry their items along,
// fonts, image lists reaching the right items, defined properties, loading and the resource texts.

#include <gtest/gtest.h>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/base/Utf8.h"
#include "tests/support/TestSupport.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/foundation/Graphics.h"

using namespace bar_testing;
using testing_support::MessageOf;

namespace {

using ManagerTest = BarFixture;

TEST_F(ManagerTest, SettersKeepTheirRules) {
  struct PercentCase {
    int value, stored, threshold;
  };
  for (const PercentCase& c : {PercentCase{150, 100, 0}, {95, 95, 20}, {90, 90, 10}, {0, 0, 1}, {100, 100, 0}}) {
    manager->SetMostRecentItemsPercents(Byte(c.value));
    EXPECT_EQ(manager->MostRecentItemsPercents(), c.stored) << c.value;
    EXPECT_EQ(manager->RecentItemsUseCountThreshold(), c.threshold) << c.value;
  }

  manager->SetButtonArrowWidth(1);
  manager->SetLargeButtonArrowWidth(1);
  EXPECT_EQ(manager->ButtonArrowWidth(), 11);
  EXPECT_EQ(manager->LargeButtonArrowWidth(), 13);
  manager->SetButtonArrowWidth(2);
  manager->SetLargeButtonArrowWidth(2);
  EXPECT_EQ(manager->ButtonArrowWidth(), 2);
  EXPECT_EQ(manager->LargeButtonArrowWidth(), 2);

  manager->SetWaitForDockingTime(-1);
  EXPECT_EQ(manager->WaitForDockingTime(), 21);
  manager->SetWaitForDockingTime(0);
  EXPECT_EQ(manager->WaitForDockingTime(), 0);

  form->SetColor(clTeal);
  EXPECT_TRUE(manager->AutoDockColor());
  EXPECT_EQ(manager->DockColor(), clTeal);
  EXPECT_FALSE(manager->IsDockColorStored());
  manager->SetDockColor(clBtnFace);
  EXPECT_FALSE(manager->AutoDockColor());
  EXPECT_EQ(manager->DockColor(), clBtnFace);
  EXPECT_TRUE(manager->IsDockColorStored());

  manager->SetRegistryPath(L"Software\\Du6");
  EXPECT_EQ(manager->RegistryPath(), L"\\Software\\Du6\\");
  manager->SetRegistryPath(L"");
  EXPECT_EQ(manager->RegistryPath(), L"");
}

TEST_F(ManagerTest, TheConstructorStartsWithTheDocumentedValues) {
  EXPECT_EQ(manager->Style(), bmsEnhanced);
  EXPECT_EQ(manager->Categories()->Count(), 1);
  EXPECT_EQ(manager->Categories()->Strings(0), L"Default");
  EXPECT_TRUE(manager->UseSystemFont());
  EXPECT_TRUE(manager->Scaled());
  EXPECT_TRUE(manager->ShowHint());
  EXPECT_EQ(manager->ImageListBkColor(), clFuchsia);
  EXPECT_EQ(manager->GlyphSize(), 16);
  EXPECT_EQ(BarManagerList()->ManagerAt(0), manager);
  EXPECT_EQ(FindBarManagerOwnedBy(form), manager);
}

TEST_F(ManagerTest, OwnerChecksRegisterNothing) {
  auto* plain = new TComponent(form);
  EXPECT_EQ(MessageOf<EdxBarException>([&] { new TdxBarManager(plain); }),
            L"TdxBarManager should have TWinControl as its Owner");
  EXPECT_EQ(MessageOf<EdxBarException>([&] { new TdxBarManager(form); }),
            L"A control should contain only a single TdxBarManager");
  ASSERT_EQ(BarManagerList()->Count(), 1);
  EXPECT_EQ(BarManagerList()->ManagerAt(0), manager);
  // The first manager still works: a new item joins it.
  TdxBarButton* button = NewItem(L"Open");
  EXPECT_EQ(button->BarManager(), manager);
  EXPECT_EQ(manager->ItemCount(), 1);
}

TEST_F(ManagerTest, CategoriesCarryTheirItemsAlong) {
  manager->Categories()->SetText(L"A\nB\nC\n");
  TdxBarButton* a = NewItem(L"a", L"", 0);
  TdxBarButton* b = NewItem(L"b", L"", 1);
  TdxBarButton* c = NewItem(L"c", L"", 2);
  auto categories = [&] { return std::vector<int>{a->Category(), b->Category(), c->Category()}; };

  manager->Categories()->Insert(1, L"New");
  EXPECT_EQ(categories(), (std::vector<int>{0, 2, 3}));
  manager->Categories()->Exchange(0, 3);
  EXPECT_EQ(categories(), (std::vector<int>{3, 2, 0}));
  manager->Categories()->Move(3, 1);  // A moves to 1; New and B shift down
  EXPECT_EQ(categories(), (std::vector<int>{1, 3, 0}));
  EXPECT_EQ(manager->Categories()->Text(), L"C\r\nA\r\nNew\r\nB\r\n");
  manager->Categories()->Move(0, 3);
  EXPECT_EQ(categories(), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(manager->Categories()->Text(), L"A\r\nNew\r\nB\r\nC\r\n");

  TdxBarItemLinks* links = NewOwner()->Links();
  links->AddItemLink(b);
  manager->Categories()->Delete(2);  // B's category: b is freed with its link
  EXPECT_EQ(manager->ItemCount(), 2);
  EXPECT_EQ(links->Count(), 0);
  EXPECT_EQ(manager->ItemByName(L"b"), nullptr);
  EXPECT_EQ(a->Category(), 0);
  EXPECT_EQ(c->Category(), 2);

  manager->Categories()->Delete(0);
  manager->Categories()->Delete(0);
  manager->Categories()->Delete(0);
  EXPECT_EQ(manager->ItemCount(), 0);
  ASSERT_EQ(manager->Categories()->Count(), 1);
  EXPECT_EQ(manager->Categories()->Strings(0), L"Default");
}

TEST_F(ManagerTest, CategoryVisibilityAndTheItemsOfCategories) {
  manager->Categories()->SetText(L"File\nEdit\nHelp\n");
  TdxBarButton* open = NewItem(L"Open", L"", 0);
  TdxBarButton* hidden = NewItem(L"Hidden", L"", 0);
  hidden->SetVisible(ivNever);
  manager->SetCategoryVisible(1, false);
  EXPECT_EQ(manager->CategoryIndexOfVisible(0), 0);
  EXPECT_EQ(manager->CategoryIndexOfVisible(1), 2);
  EXPECT_EQ(manager->CategoryIndexOfVisible(2), -1);
  EXPECT_FALSE(manager->CategoryVisible(7));
  EXPECT_EQ(manager->CategoryItemsVisible(7), ivNever);
  EXPECT_EQ(manager->CategoryItemsVisible(0), ivAlways);

  TList list;
  EXPECT_EQ(manager->AllItemsOfCategory(0, list), 2);
  EXPECT_EQ(manager->ItemsOfCategory(0, list), 1);
  EXPECT_EQ(list.Items(0), open);
  EXPECT_EQ(manager->ItemsOfCategory(9, list), 0);

  // Items whose own visibility equals the category's follow it; others keep theirs.
  manager->SetCategoryItemsVisible(0, ivNever);
  EXPECT_EQ(open->Visible(), ivNever);
  manager->SetCategoryItemsVisible(0, ivAlways);
  EXPECT_EQ(open->Visible(), ivAlways);
  EXPECT_EQ(hidden->Visible(), ivAlways);  // it was ivNever like the category, so it followed too
}

TEST_F(ManagerTest, AStreamedFontThenUseSystemFontEndsWithTheMenuFont) {
  const LOGFONTW menu = ReadNonClientMetrics().lfMenuFont;
  TLoadingBracket loading(*form);
  loading.Add(manager);
  manager->Font()->SetName(L"Courier New");
  manager->Font()->SetHeight(-20);
  EXPECT_FALSE(manager->UseSystemFont());
  manager->SetUseSystemFont(true);
  loading.End();
  EXPECT_TRUE(manager->UseSystemFont());
  EXPECT_EQ(manager->Font()->Name(), String(menu.lfFaceName));
  EXPECT_EQ(manager->Font()->Height(), menu.lfHeight);

  // Assigning a font clears UseSystemFont; with Scaled the height stays the menu font's.
  TFont courier;
  courier.SetName(L"Courier New");
  courier.SetHeight(-30);
  manager->SetFont(&courier);
  EXPECT_FALSE(manager->UseSystemFont());
  EXPECT_EQ(manager->Font()->Name(), L"Courier New");
  EXPECT_EQ(manager->Font()->Height(), menu.lfHeight);
  EXPECT_EQ(manager->BarCaptionFont()->Name(), L"Courier New");
  manager->SetScaled(false);
  manager->Font()->SetHeight(-30);
  EXPECT_EQ(manager->Font()->Height(), -30);
  manager->SetUseSystemFont(true);
  EXPECT_EQ(manager->Font()->Name(), String(menu.lfFaceName));
}

TEST_F(ManagerTest, ImageListChangesReachTheItemsThatUseThem) {
  auto* images = new TCustomImageList(form);
  auto* hot = new TCustomImageList(form);
  auto* large = new TCustomImageList(form, 32, 32);
  auto* indexed = NewItem<TRecordingItem>(L"Indexed");
  auto* plain = NewItem<TRecordingItem>(L"Plain");
  auto* largeOnly = NewItem<TRecordingItem>(L"LargeOnly");
  indexed->SetImageIndex(0);
  largeOnly->SetLargeImageIndex(2);
  plain->HotImage = true;
  manager->SetImages(images);
  manager->SetHotImages(hot);
  manager->SetLargeImages(large);
  for (TRecordingItem* item : {indexed, plain, largeOnly}) item->Heard.clear();

  TBitmap picture(16, 16);
  images->Add(&picture, nullptr);
  hot->Add(&picture, nullptr);
  TBitmap largePicture(32, 32);
  large->Add(&largePicture, nullptr);
  EXPECT_EQ(indexed->Heard, (std::vector<String>{L"glyph", L"large"}));
  EXPECT_EQ(plain->Heard, (std::vector<String>{L"hot"}));
  EXPECT_EQ(largeOnly->Heard, (std::vector<String>{L"large"}));

  // A list serving two properties: freeing it clears both.
  manager->SetDisabledImages(images);
  images->Free();
  EXPECT_EQ(manager->Images(), nullptr);
  EXPECT_EQ(manager->DisabledImages(), nullptr);

  // Large icons: the glyph size follows the large list when it is used for large icons.
  manager->SetLargeIcons(true);
  EXPECT_EQ(manager->GlyphSize(), 32);
  large->SetSize(24, 24);
  manager->SetUseLargeImagesForLargeIcons(true);
  EXPECT_EQ(manager->GlyphSize(), 24);
  EXPECT_TRUE(manager->UsesLargeImagesForLargeIcons());
}

// A property list of the manager's defined properties, as a form's data would give them.
AnsiString ManagerData(const std::vector<int>& ItemsVisibles, std::vector<bool> Visibles,
                       std::vector<int> Heights = {0, 0, 0, 0}) {
  TMemoryStream stream;
  TWriter writer(stream);
  writer.WritePropName(L"DockControlHeights");
  writer.WriteListBegin();
  for (int height : Heights) writer.WriteInteger(height);
  writer.WriteListEnd();
  writer.WritePropName(L"Categories.ItemsVisibles");
  writer.WriteListBegin();
  for (int value : ItemsVisibles) writer.WriteInteger(value);
  writer.WriteListEnd();
  writer.WritePropName(L"Categories.Visibles");
  writer.WriteListBegin();
  for (bool value : Visibles) writer.WriteBoolean(value);
  writer.WriteListEnd();
  writer.WriteListEnd();
  return AnsiString(static_cast<const char*>(stream.Memory()), size_t(stream.Size()));
}

TEST_F(ManagerTest, DefinedPropertiesAreAppliedWhenLoadingEnds) {
  TdxBarButton* hiddenByCategory = nullptr;
  TdxBarButton* ownVisibility = nullptr;
  {
    TLoadingBracket loading(*form);
    loading.Add(manager);
    manager->Categories()->SetText(L"File\nHelp\n");
    hiddenByCategory = loading.Add(new TdxBarButton(form));
    hiddenByCategory->SetName(L"Open");
    hiddenByCategory->SetCategory(0);
    ownVisibility = loading.Add(new TdxBarButton(form));
    ownVisibility->SetName(L"About");
    ownVisibility->SetCategory(1);
    ownVisibility->SetVisible(ivInCustomizing);
    EXPECT_EQ(ownVisibility->Visible(), ivAlways);  // held back while loading
    loading.SetData(manager, ManagerData({ivNever, ivAlways, ivNever}, {true, false}, {0, 0, 26, 0}));
    loading.End();
  }
  EXPECT_EQ(manager->CategoryItemsVisible(0), ivNever);
  EXPECT_EQ(hiddenByCategory->Visible(), ivNever);
  EXPECT_EQ(ownVisibility->Visible(), ivInCustomizing);
  EXPECT_FALSE(manager->CategoryVisible(1));
  EXPECT_EQ(manager->DockControlHeight(2), 26);

  // Written back, the same values come out.
  TMemoryStream stream;
  TWriter writer(stream);
  writer.WriteProperties(*manager);
  writer.WriteListEnd();
  stream.SetPosition(0);
  const AnsiString written(static_cast<const char*>(stream.Memory()), size_t(stream.Size()));
  EXPECT_EQ(written, ManagerData({ivNever, ivAlways}, {true, false}, {0, 0, 26, 0}));
}

TEST_F(ManagerTest, BadDataStopsTheFormAndLeavesNothingRegistered) {
  struct Case {
    AnsiString data;
    const wchar_t* property;
  };
  const Case cases[] = {
      {ManagerData({ivAlways, 5}, {true}), L"Categories.ItemsVisibles"},
      {ManagerData({ivAlways}, {true}, {0, 0, 0}), L"DockControlHeights"},
      {ManagerData({ivAlways}, {true}, {0, -4, 0, 0}), L"DockControlHeights"},
  };
  for (const Case& c : cases) {
    auto* other = new TForm(nullptr, 0);
    other->SetName(L"OtherForm");
    const String message = MessageOf<EReadError>([&] {
      TLoadingBracket loading(*other);
      auto* second = loading.Add(new TdxBarManager(other));
      second->SetName(L"SecondManager");
      second->Categories()->SetText(L"One\nTwo\n");
      loading.SetData(second, c.data);
      loading.End();
    });
    EXPECT_NE(message.find(String(L"SecondManager.") + c.property), String::npos) << Utf8Encode(message);
    other->Free();
    EXPECT_EQ(BarManagerList()->Count(), 1);
  }
}

TEST_F(ManagerTest, FlatColoursComeFromTheSystemColours) {
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), face = GetSysColor(COLOR_BTNFACE);
  auto scale = [](COLORREF c, int (*f)(int)) { return TColor(RGB(f(GetRValue(c)), f(GetGValue(c)), f(GetBValue(c)))); };
  EXPECT_EQ(manager->FlatShadowColor(), NearestScreenColor(scale(shadow, [](int c) { return MulDiv(c, 8, 10); })));
  EXPECT_EQ(manager->FlatToolbarColor(),
            NearestScreenColor(scale(face, [](int c) { return c + MulDiv(255 - c, 16, 100); })));
  EXPECT_EQ(manager->FlatDownColor(), NearestScreenColor(MixSystemColors(11, 9, 73)));
  EXPECT_EQ(manager->FlatDownSelectedColor(), NearestScreenColor(MixSystemColors(14, 44, 40)));
  EXPECT_EQ(manager->FlatLightColor(), NearestScreenColor(MixSystemColors(-2, 30, 72)));
}

TEST_F(ManagerTest, ItemsAndGroupsAreChildrenOfTheManager) {
  TdxBarButton* open = NewItem(L"Open");
  auto* uncategorised = new TdxBarButton(form);  // Category -1: not a child
  TdxBarGroup* group = manager->CreateGroup();
  std::vector<TComponent*> children;
  manager->GetChildren([&](TComponent* child) { children.push_back(child); }, form);
  EXPECT_EQ(children, (std::vector<TComponent*>{open, group}));
  EXPECT_EQ(open->GetParentComponent(), manager);
  EXPECT_EQ(uncategorised->GetParentComponent(), nullptr);
  EXPECT_EQ(group->GetParentComponent(), manager);

  TdxBarItem* created = manager->CreateItem(&TdxBarButton::ClassInfo());
  EXPECT_EQ(created->Owner(), manager);
  EXPECT_EQ(created->Category(), 0);
  EXPECT_EQ(manager->UniqueItemName(&TdxBarButton::ClassInfo()), L"dxBarButton1");
  open->SetName(L"dxBarButton1");
  EXPECT_EQ(manager->UniqueItemName(&TdxBarButton::ClassInfo()), L"dxBarButton2");
}

TEST(BarStrings, TextsByIdAsTheProgramShowsThem) {
  struct Case {
    int id;
    const wchar_t* text;
  };
  const Case cases[] = {
      {dxbsCustomToolbarPrefix, L"Custom "},
      {dxbsAddRemoveButtons, L"&Add or Remove Buttons"},
      {dxbsExpandMenu, L"Expand (Ctrl-Down)"},
      {dxbsSeparatorOnToolbar, L"A separator item cannot be placed on the specified toolbar"},
      {dxbsToolbarAlreadyMerged, L"The '%s' toolbar is already merged with the '%s' toolbar"},
      {dxbsDefaultCategory, L"Default"},
      {dxbsNewSeparator, L"New Separator"},
      {dxbsResetUsageQuestion,
       L"This will delete the record of the commands you've used in this application and restore the default set "
       L"of visible commands to the menus and toolbars. It will not undo any explicit customizations.   Are you "
       L"sure you want to proceed?"},
      {dxbsNoManagers, L"There are no TdxBarManagers available"},
      {dxbsRecursiveGroups, L"You cannot create recursive groups"},
      {dxbsResetToolbarQuestion, L"Are you sure you want to reset the changes made to the '%s' toolbar?"},
  };
  for (const Case& c : cases) EXPECT_EQ(dxBarString(c.id), c.text) << c.id;
}

}  // namespace
