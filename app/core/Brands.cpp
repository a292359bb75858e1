#include "app/core/Brands.h"

#include <array>

#include "app/core/Globals.h"
#include "app/core/Paths.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/classes/IniFiles.h"

namespace {

constexpr TColor kFormLabelColor = static_cast<TColor>(0x825A3B);
constexpr TColor kGreyLabelColor = static_cast<TColor>(0x5C534C);

#define BRAND_ADDRESSES(host) \
  L"https://www." host L".example/", L"https://www." host L".example/product.html", \
      L"https://www." host L".example/support.html"

const std::array<TBrand, 9> kBrands{{
    {1, L"Zentavo", L"ZentavoIcon", L"Blue", TBrandButtons::Never, TBrandActions::Hidden, false, 0,
     kFormLabelColor, BRAND_ADDRESSES(L"zentavo")},
    {2, L"Marquel", L"ZentavoIcon", L"Blue", TBrandButtons::Always, TBrandActions::Visible, false, 0,
     kFormLabelColor, BRAND_ADDRESSES(L"marquel")},
    {3, L"Orvanta", L"OrvantaIcon", L"Silver", TBrandButtons::Always, TBrandActions::Unchanged, true, -100,
     kGreyLabelColor, BRAND_ADDRESSES(L"orvanta")},
    {4, L"Pelliston", L"PellistonIcon", L"Silver", TBrandButtons::Always, TBrandActions::Unchanged, true, -100,
     kGreyLabelColor, BRAND_ADDRESSES(L"pelliston")},
    {5, L"Draxby", L"DraxbyIcon", L"Silver", TBrandButtons::Always, TBrandActions::Unchanged, true, -100,
     kGreyLabelColor, BRAND_ADDRESSES(L"draxby")},
    {6, L"Kestova", L"KestovaIcon", L"Silver", TBrandButtons::Always, TBrandActions::Unchanged, true, -100,
     kGreyLabelColor, BRAND_ADDRESSES(L"kestova")},
    {9, L"Brontal", L"BrontalIcon", L"Black", TBrandButtons::Always, TBrandActions::Unchanged, true, -100,
     kGreyLabelColor, BRAND_ADDRESSES(L"brontal")},
    {7, L"Lumivar", L"ZentavoIcon", L"Silver", TBrandButtons::Always, TBrandActions::Unchanged, true, -100,
     kGreyLabelColor, BRAND_ADDRESSES(L"lumivar")},
    {8, L"Tessaly", L"KestovaIcon", L"Silver", TBrandButtons::Always, TBrandActions::Unchanged, true, -100,
     kGreyLabelColor, BRAND_ADDRESSES(L"tessaly")},
}};

#undef BRAND_ADDRESSES

String ReadBrandKey(const String& brandFile, const wchar_t* key) {
  if (!FileExists(brandFile)) return String();
  return TIniFile(brandFile).ReadString(L"SYSTEM", key, L"");
}

}  // namespace

std::span<const TBrand> BrandTable() { return kBrands; }

const TBrand* FindBrand(const String& title) {
  for (const TBrand& brand : kBrands)
    if (title == brand.Title) return &brand;
  return nullptr;
}

String BrandFilePath() { return AddTrailingBackslash(ExtractFilePath(ParamStr(0))) + L"lame.dll"; }

String ReadBrandTitle(const String& brandFile) { return ReadBrandKey(brandFile, L"Name"); }
String ReadBrandVersion(const String& brandFile) { return ReadBrandKey(brandFile, L"Version"); }

String MainWindowCaption(const String& title, const String& version) { return title + L" " + version; }

HICON LoadBrandIcon(HINSTANCE module, const String& title) {
  const TBrand* brand = FindBrand(title);
  if (!brand) return nullptr;
  return static_cast<HICON>(LoadImageW(module, brand->IconResource, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
}

void ApplyBrandAddresses(const TBrand& brand, TGlobalVars& vars) {
  vars.CompanyHomepageAddress = brand.CompanyHomepageAddress;
  vars.ProductPageAddress = brand.ProductPageAddress;
  vars.TechnicalSupportAddress = brand.TechnicalSupportAddress;
}
