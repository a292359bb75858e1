// The brand table, the brand file and the icons.

#include <gtest/gtest.h>

#include "app/core/Brands.h"
#include "app/core/Globals.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/rtl/SysUtils.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(Brands, RowsInTheOrderTheCreationStepTestsThem) {
  struct Row {
    int Number;
    const wchar_t* Title;
    const wchar_t* Icon;
    const wchar_t* Scheme;
    TBrandButtons Buttons;
    TBrandActions Actions;
    int Saturation;
    TColor LabelColor;
  } expected[] = {
      {1, L"Zentavo", L"ZentavoIcon", L"Blue", TBrandButtons::Never, TBrandActions::Hidden, 0, 0x825A3B},
      {2, L"Marquel", L"ZentavoIcon", L"Blue", TBrandButtons::Always, TBrandActions::Visible, 0, 0x825A3B},
      {3, L"Orvanta", L"OrvantaIcon", L"Silver", TBrandButtons::Always, TBrandActions::Unchanged, -100, 0x5C534C},
      {4, L"Pelliston", L"PellistonIcon", L"Silver", TBrandButtons::Always, TBrandActions::Unchanged, -100, 0x5C534C},
      {5, L"Draxby", L"DraxbyIcon", L"Silver", TBrandButtons::Always, TBrandActions::Unchanged, -100, 0x5C534C},
      {6, L"Kestova", L"KestovaIcon", L"Silver", TBrandButtons::Always, TBrandActions::Unchanged, -100, 0x5C534C},
      {9, L"Brontal", L"BrontalIcon", L"Black", TBrandButtons::Always, TBrandActions::Unchanged, -100, 0x5C534C},
      {7, L"Lumivar", L"ZentavoIcon", L"Silver", TBrandButtons::Always, TBrandActions::Unchanged, -100, 0x5C534C},
      {8, L"Tessaly", L"KestovaIcon", L"Silver", TBrandButtons::Always, TBrandActions::Unchanged, -100, 0x5C534C},
  };
  const auto table = BrandTable();
  ASSERT_EQ(table.size(), std::size(expected));
  for (size_t i = 0; i < table.size(); ++i) {
    const TBrand& b = table[i];
    const Row& e = expected[i];
    SCOPED_TRACE(testing::PrintToString(String(e.Title)));
    EXPECT_EQ(b.Number, e.Number);
    EXPECT_STREQ(b.Title, e.Title);
    EXPECT_STREQ(b.IconResource, e.Icon);
    EXPECT_STREQ(b.ColorScheme, e.Scheme);
    EXPECT_EQ(b.CDToolButtons, e.Buttons);
    EXPECT_EQ(b.CDToolActions, e.Actions);
    EXPECT_EQ(b.SkinSaturation, e.Saturation);
    EXPECT_EQ(b.DesaturatesSkin, e.Saturation != 0);
    EXPECT_EQ(b.TimeTitleLabelColor, e.LabelColor);
    const String root = L"https://www." + LowerCase(e.Title) + L".example/";
    EXPECT_EQ(b.CompanyHomepageAddress, root);
    EXPECT_EQ(b.ProductPageAddress, root + L"product.html");
    EXPECT_EQ(b.TechnicalSupportAddress, root + L"support.html");
  }
}

TEST(Brands, TitlesMatchExactly) {
  ASSERT_NE(FindBrand(L"Brontal"), nullptr);
  EXPECT_EQ(FindBrand(L"Brontal")->Number, 9);
  for (const wchar_t* title : {L"zentavo", L"ZENTAVO", L"Zentavo ", L"", L"Other"})
    EXPECT_EQ(FindBrand(title), nullptr) << testing::PrintToString(String(title));
}

TEST(Brands, AddressesGoIntoTheSettingsRecord) {
  TGlobalVars vars;
  ApplyBrandAddresses(*FindBrand(L"Kestova"), vars);
  EXPECT_EQ(vars.CompanyHomepageAddress, L"https://www.kestova.example/");
  EXPECT_EQ(vars.ProductPageAddress, L"https://www.kestova.example/product.html");
  EXPECT_EQ(vars.TechnicalSupportAddress, L"https://www.kestova.example/support.html");
}

TEST(Brands, BrandFileGivesTitleAndVersion) {
  testing_support::ScratchFolder folder;
  const String file = folder.File(L"lame.dll");
  EXPECT_EQ(ReadBrandTitle(file), L"");
  TIniFile ini(file);
  ini.WriteString(L"SYSTEM", L"Name", L"Orvanta");
  EXPECT_EQ(ReadBrandTitle(file), L"Orvanta");
  EXPECT_EQ(MainWindowCaption(ReadBrandTitle(file), ReadBrandVersion(file)), L"Orvanta ");
  ini.WriteString(L"system", L"Version", L"2.1");
  EXPECT_EQ(MainWindowCaption(ReadBrandTitle(file), ReadBrandVersion(file)), L"Orvanta 2.1");
  EXPECT_EQ(ExtractFileName(BrandFilePath()), L"lame.dll");
}

TEST(Brands, EveryListedTitleHasItsIcon) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  for (const TBrand& brand : BrandTable()) {
    HICON icon = LoadBrandIcon(module, brand.Title);
    EXPECT_NE(icon, nullptr) << brand.Number;
    if (icon) DestroyIcon(icon);
  }
  EXPECT_EQ(LoadBrandIcon(module, L"zentavo"), nullptr);
}

}  // namespace
