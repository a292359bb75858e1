#pragma once
// Brands: one executable, nine titles. The brand file "lame.dll" beside the executable (an INI
// text, section "SYSTEM", keys "Name" and "Version") names the title; the title selects a row of
// the brand table. A title the table does not list ends the program during start-up.

#include <span>

#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

struct TGlobalVars;

// Visibility of the three ribbon buttons that start the CD sibling tools.
enum class TBrandButtons { Never, Always };
// What a brand does to the three actions behind those buttons.
enum class TBrandActions { Unchanged, Hidden, Visible };

struct TBrand {
  int Number;
  const wchar_t* Title;         // exact, case-sensitive
  const wchar_t* IconResource;  // icon resource name in the executable
  const wchar_t* ColorScheme;   // "Blue", "Silver" or "Black"
  TBrandButtons CDToolButtons;
  TBrandActions CDToolActions;
  bool DesaturatesSkin;          // skin saturation and label colour are applied
  int SkinSaturation;            // 0 = the form's own value
  TColor TimeTitleLabelColor;    // colour of the four time-title labels
  const wchar_t* CompanyHomepageAddress;
  const wchar_t* ProductPageAddress;
  const wchar_t* TechnicalSupportAddress;
};

// The rows in the order the main window's creation step tests them (brands 1 to 6, 9, 7, 8).
std::span<const TBrand> BrandTable();
// The row of that title (exact comparison), or null. Titles are unique, so the order of the
// search does not change the answer.
const TBrand* FindBrand(const String& title);

// "lame.dll" in the executable's folder.
String BrandFilePath();
// "Name" and "Version" of section "SYSTEM"; empty when the file or key is missing.
String ReadBrandTitle(const String& brandFile);
String ReadBrandVersion(const String& brandFile);
// Title + " " + version.
String MainWindowCaption(const String& title, const String& version);

// The brand's icon from the module's resources at the system's large-icon size; null for a title
// the table does not list (the program then keeps the executable's own icon).
HICON LoadBrandIcon(HINSTANCE module, const String& title);

// The three web page addresses into the settings record.
void ApplyBrandAddresses(const TBrand& brand, TGlobalVars& vars);
