// The bar's layout in an INI file: a round trip, the sections saving erases, a bad file changing
// nothing, picture classes only, and how items are found again.

#include <gtest/gtest.h>

#include "NavBarTestSupport.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarItems.h"
#include "ui/navbar/NavBarStyles.h"

using namespace navbar_testing;

namespace {

class LayoutIni : public NavBarFixture {
 protected:
  void SetUp() override {
    NavBarFixture::SetUp();
    ini = std::make_unique<TMemIniFile>(String());
  }
  TdxNavBarStyleRepository* Repository() { return bar->OptionsStyle()->CustomStyleRepository(); }
  std::vector<String> Sections() {
    TStringList list;
    ini->ReadSections(list);
    std::vector<String> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list[i]);
    return names;
  }
  std::unique_ptr<TMemIniFile> ini;
};

}  // namespace

TEST_F(LayoutIni, ARoundTripRestoresGroupsItemsLinksAndStyles) {
  TdxNavBarGroup* edit = AddGroup(L"Edit", 3);
  AddGroup(L"View", 1);
  edit->SetExpanded(false);
  edit->SetTopVisibleLinkIndex(1);
  TdxNavBarStyleItem* style = Repository()->Add();
  style->Style()->SetBackColor(0x123456);
  style->Style()->Font()->SetStyle({fsBold});
  ObjectPtr<TBitmap> picture(new TBitmap(4, 2, pf24bit));
  picture->Canvas()->Brush()->SetColor(clRed);
  picture->Canvas()->FillRect(TRect(0, 0, 4, 2));
  style->Style()->Image()->SetBitmap(picture.get());
  style->Tag = 77;
  bar->OptionsStyle()->CustomStyles()->SetStyleAt(csHint, style);
  edit->CustomStyles()->SetStyleAt(gcsHeader, style);
  bar->Items()->ItemAt(1)->CustomStyles()->SetStyleAt(icsItemHotTracked, style);
  bar->SetActiveGroupIndex(1);
  bar->SaveToIniFile(ini.get(), true);
  EXPECT_EQ(ini->ReadString(L"Style0", L"ImageClass", String()), L"TBitmap");
  EXPECT_EQ(ini->ReadInteger(L"Layout", L"StyleHintStyleIndex", -1), 0);

  TComponent* otherRoot = new TComponent(nullptr);
  TdxNavBar* other = new TdxNavBar(otherRoot);
  other->SetView(kTestView);
  other->LoadFromIniFile(ini.get(), true);
  ASSERT_EQ(other->Groups()->Count(), 2);
  ASSERT_EQ(other->Items()->Count(), 4);
  TdxNavBarGroup* loaded = other->Groups()->GroupAt(0);
  EXPECT_EQ(loaded->Caption(), L"Edit");
  EXPECT_FALSE(loaded->Expanded());
  ASSERT_EQ(loaded->LinkCount(), 3);
  EXPECT_EQ(loaded->LinkAt(2)->Item()->Caption(), L"Edit3");
  EXPECT_EQ(loaded->TopVisibleLinkIndex(), 1);
  EXPECT_EQ(other->ActiveGroupIndex(), 1);
  TdxNavBarStyleRepository* repository = other->OptionsStyle()->CustomStyleRepository();
  ASSERT_EQ(repository->ItemCount(), 1);
  TdxNavBarStyleItem* loadedStyle = repository->ItemAt(0);
  EXPECT_EQ(loadedStyle->Style()->BackColor(), 0x123456);
  EXPECT_TRUE(loadedStyle->Style()->Font()->Style().Contains(fsBold));
  EXPECT_EQ(loadedStyle->Tag, 77);
  ASSERT_NE(loadedStyle->Style()->Image()->Graphic(), nullptr);
  EXPECT_EQ(loadedStyle->Style()->Image()->Graphic()->Width(), 4);
  EXPECT_EQ(other->OptionsStyle()->CustomStyles()->StyleAt(csHint), loadedStyle);
  EXPECT_EQ(loaded->CustomStyles()->StyleAt(gcsHeader), loadedStyle);
  EXPECT_EQ(other->Items()->ItemAt(1)->CustomStyles()->StyleAt(icsItemHotTracked), loadedStyle);
  FreeAndNil(otherRoot);
}

// Only the sections a layout writes go: a shared file keeps "WindowLayout", "MenuItems" or
// "Group1x".
TEST_F(LayoutIni, SavingErasesOnlyTheLayoutsOwnSections) {
  for (const wchar_t* section : {L"WindowLayout", L"MenuItems", L"Group1x", L"Styles", L"Item7", L"Group12"})
    ini->WriteString(section, L"Key", L"value");
  AddGroup(L"A", 1);
  bar->SaveToIniFile(ini.get(), false);
  for (const wchar_t* kept : {L"WindowLayout", L"MenuItems", L"Group1x", L"Styles"})
    EXPECT_EQ(ini->ReadString(kept, L"Key", String()), L"value") << kept;
  EXPECT_FALSE(ini->ValueExists(L"Item7", L"Key"));
  EXPECT_FALSE(ini->SectionExists(L"Group12"));
  EXPECT_TRUE(ini->SectionExists(L"Group0"));
}

// A bad style index or bad picture text anywhere in the file raises before anything changes.
TEST_F(LayoutIni, ABadFileChangesNothing) {
  AddGroup(L"Kept", 2);
  Repository()->Add();
  struct Case {
    const char* what;
    std::function<void(TMemIniFile&)> damage;
    String className;
  } cases[] = {
      {"group style index", [](TMemIniFile& f) { f.WriteInteger(L"Group0", L"StyleHeaderStyleIndex", 5); },
       L"EListError"},
      {"bar style index", [](TMemIniFile& f) { f.WriteInteger(L"Layout", L"StyleHintStyleIndex", -2); },
       L"EListError"},
      {"odd picture text", [](TMemIniFile& f) { f.WriteString(L"Style0", L"Image", L"ABC"); }, L"EReadError"},
      {"picture text", [](TMemIniFile& f) { f.WriteString(L"Style0", L"Image", L"GG"); }, L"EReadError"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TMemIniFile file{String()};
    file.WriteInteger(L"Layout", L"StyleCount", 1);
    file.WriteInteger(L"Layout", L"GroupCount", 1);
    file.WriteString(L"Group0", L"Caption", L"Replaced");
    file.WriteInteger(L"Layout", L"ItemCount", 1);
    file.WriteString(L"Item0", L"Caption", L"New item");
    c.damage(file);
    try {
      bar->LoadFromIniFile(&file, true);
      ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
      EXPECT_EQ(e.ClassName(), c.className);
    }
    EXPECT_EQ(bar->Groups()->GroupAt(0)->Caption(), L"Kept");
    EXPECT_EQ(bar->Items()->Count(), 2);
    EXPECT_EQ(Repository()->ItemCount(), 1);
  }
}

// "ImageClass" makes pictures only: a registered class of another kind leaves the picture alone.
TEST_F(LayoutIni, ImageClassMakesOnlyPictures) {
  const int components = root->ComponentCount();
  TMemIniFile file{String()};
  file.WriteInteger(L"Layout", L"StyleCount", 1);
  file.WriteString(L"Style0", L"ImageClass", L"TdxNavBarStyleItem");
  file.WriteString(L"Style0", L"Image", L"00");
  bar->LoadFromIniFile(&file, true);
  ASSERT_EQ(Repository()->ItemCount(), 1);
  EXPECT_EQ(Repository()->ItemAt(0)->Style()->Image()->Graphic(), nullptr);
  EXPECT_EQ(root->ComponentCount(), components + 1);  // the style item only; nothing else was made
}

TEST_F(LayoutIni, ItemsAreFoundByNameThenCaptionElseAdded) {
  TdxNavBarItem* named = bar->Items()->AddNewItem();
  named->SetName(L"itemSave");
  named->SetCaption(L"Save");
  TdxNavBarItem* captioned = bar->Items()->AddNewItem();
  captioned->SetCaption(L"Open");
  TMemIniFile file{String()};
  file.WriteInteger(L"Layout", L"ItemCount", 3);
  file.WriteString(L"Item0", L"Name", L"itemSave");
  file.WriteString(L"Item0", L"Caption", L"Save as");
  file.WriteString(L"Item1", L"Name", L"missing");
  file.WriteString(L"Item1", L"Caption", L"Open");
  file.WriteInteger(L"Item1", L"Tag", 5);
  file.WriteString(L"Item2", L"Name", L"itemNew");
  file.WriteString(L"Item2", L"Caption", L"Close");
  bar->LoadFromIniFile(&file, false);
  ASSERT_EQ(bar->Items()->Count(), 3);
  EXPECT_EQ(named->Caption(), L"Save as");
  EXPECT_EQ(captioned->Tag, 5);
  TdxNavBarItem* added = bar->Items()->ItemAt(2);
  EXPECT_EQ(added->Caption(), L"Close");
  EXPECT_NE(added->Name(), L"itemNew");
}
