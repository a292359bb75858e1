#pragma once
// UI styles of the skin pack: five built-in styles (a table of bitmap resources, colours, sizes and
// flags) and theme files (TsuiFileTheme) whose values stand under 84 fixed key names. UsesFileTheme
// decides which of the two a component reads.

#include <memory>

#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Reflection.h"
#include "platform/framework/graphics/Bitmap.h"

class Tsk2SkinFileReader;

enum TsuiUIStyle : Byte { FromThemeFile = 0, MacOS = 1, WinXP = 2, DeepBlue = 3, Protein = 4, BlueGlass = 5 };

// Kinds of the built-in style table's entries.
enum TsuiStyleEntryKind { sekInteger = 0, sekColor = 1, sekBitmap = 2, sekFlag = 3 };

// The built-in table: entry 1..48 of styles 1..5 (low 7 bits of Style). Any other style, or an
// entry outside the table, gives kind integer and value -1. Bitmap entries give their resource
// name in Name (empty for the entries this system does not use).
struct TsuiStyleEntry {
  TsuiStyleEntryKind Kind = sekInteger;
  std::int32_t Value = -1;
  const wchar_t* Name = L"";
};
TsuiStyleEntry GetStyleEntry(TsuiUIStyle Style, int Entry);
// The value when the entry is of that kind; else 0, -1 and false.
TColor GetStyleColor(TsuiUIStyle Style, int Entry);
int GetStyleInt(TsuiUIStyle Style, int Entry);
bool GetStyleBool(TsuiUIStyle Style, int Entry);
// Loads the entry's bitmap resource into Bitmap; leaves it as it is for other kinds.
void LoadStyleBitmap(TsuiUIStyle Style, int Entry, TBitmap* Bitmap);
// Count 0: the whole bitmap; otherwise part Part (1-based) of Count equal horizontal parts.
void GetStyleBitmapPart(TsuiUIStyle Style, int Entry, TBitmap* Graphic, int Count, int Part);
// The UIStyle of the first TsuiForm among the owner form's child controls; DeepBlue otherwise.
TsuiUIStyle GetOwnerUIStyle(TComponent* Owner);

// Theme-file keys: group and index within the group.
enum TsuiThemeKeyGroup { tkColor, tkBitmap, tkInteger, tkFlag };
// The key name of (Group, Index); empty outside the group.
String ThemeKeyName(TsuiThemeKeyGroup Group, int Index);

// Colour, bitmap, integer and flag indexes this system reads.
enum {
  SKIN2_TRANSCOLOR = 0, SKIN2_TITLEFONTCOLOR = 1, SKIN2_FORMCOLOR = 2, SKIN2_MENUBARSTARTCOLOR = 3,
  SKIN2_MENUBARENDCOLOR = 4, SKIN2_TOPSELECTEDMENUCOLOR = 5, SKIN2_TOPSELECTEDMENUBORDERCOLOR = 6,
  SKIN2_TOPSELECTEDMENUFONTCOLOR = 7, SKIN2_TOPMENUFONTCOLOR = 8, SKIN2_LEFTBARSTARTCOLOR = 9,
  SKIN2_LEFTBARENDCOLOR = 10, SKIN2_MENUITEMCOLOR = 11, SKIN2_MENUITEMFONTCOLOR = 12,
  SKIN2_SELECTEDMENUCOLOR = 13, SKIN2_SELECTEDMENUBORDERCOLOR = 14, SKIN2_SELECTEDMENUFONTCOLOR = 15,
};
enum {
  SKIN2_TITLEBAR1 = 0, SKIN2_TITLEBAR2 = 1, SKIN2_TITLEBAR3 = 2, SKIN2_TITLEBAR4 = 3, SKIN2_TITLEBAR5 = 4,
  SKIN2_FORMLEFTBORDER = 5, SKIN2_FORMRIGHTBORDER = 6, SKIN2_FORMBOTTOMBORDER1 = 7, SKIN2_FORMBOTTOMBORDER2 = 8,
  SKIN2_FORMBOTTOMBORDER3 = 9, SKIN2_TITLEBUTTONS = 11, SKIN2_CHECKEDMENUICON = 12, SKIN2_MENUBAR = 13,
  SKIN2_BUTTON = 15,
};
enum {
  SKIN2_TITLEBARICONPOSX = 0, SKIN2_TITLEBARICONPOSY = 1, SKIN2_TITLEBARCAPTIONTOP = 2,
  SKIN2_TITLEBARBUTTONPOSX = 3, SKIN2_TITLEBARBUTTONPOSY = 4, SKIN2_TITLEBARREGIONMINY = 5,
  SKIN2_TITLEBARREGIONMAXY = 6, SKIN2_BOTTOMREGIONMINY = 7, SKIN2_BOTTOMREGIONMAXY = 8,
};
enum {
  SKIN2_TITLEFIVESECT = 0, SKIN2_BOTTOMBORDERTHREESECT = 1, SKIN2_TITLEBARNEEDREGION = 2,
  SKIN2_BOTTOMBORDERNEEDREGION = 3, SKIN2_TITLEBTNTRANS = 4, SKIN2_BUTTONTRANS = 5,
};

// The loaded theme file of a TsuiFileTheme.
class TsuiFileThemeMgr : public TObject {
  DECLARE_CLASS(TsuiFileThemeMgr, TObject)
 public:
  TsuiFileThemeMgr();
  ~TsuiFileThemeMgr() override;
  // False when the file does not exist (the loaded file stays) or does not load (none stays).
  bool LoadFromFile(const String& FileName, const String& Password);
  // Null without a file or key; the bitmap stays the reader's.
  TBitmap* GetBitmap(int Index) const;
  // 0 without a file; -1 for a missing key.
  TColor GetColor(int Index) const;
  int GetInt(int Index) const;
  bool GetBool(int Index) const;

 private:
  std::unique_ptr<Tsk2SkinFileReader> reader_;
};

class TsuiFileTheme : public TComponent {
  DECLARE_CLASS(TsuiFileTheme, TComponent)
 public:
  explicit TsuiFileTheme(TComponent* AOwner);
  ~TsuiFileTheme() override;

  const String& ThemeFile() const { return themeFile_; }
  // Looks for the file as given, then by its name in the program's, the Windows and the system
  // folder; loads the one found (a name found nowhere changes nothing) and makes the owner form's
  // skin-pack components reload their look.
  void SetThemeFile(const String& Value);
  bool Ready() const { return ready_; }
  void SetReady(bool) {}
  const String& Password() const { return password_; }
  // A non-empty password reads the current file anew with it.
  void SetPassword(const String& Value);

  TBitmap* GetBitmap(int Index) const { return mgr_->GetBitmap(Index); }
  TColor GetColor(int Index) const { return mgr_->GetColor(Index); }
  int GetInt(int Index) const { return mgr_->GetInt(Index); }
  bool GetBool(int Index) const { return mgr_->GetBool(Index); }

 private:
  String FindThemeFile(const String& Path) const;
  void ReloadOwnerComponents(bool wasEmpty);

  String themeFile_;
  std::unique_ptr<TsuiFileThemeMgr> mgr_;
  bool ready_ = false;
  String password_;
};

// Count 0 or Part 0: the whole theme bitmap; otherwise part Part of Count equal parts.
void GetFileThemeBitmapPart(TsuiFileTheme* Theme, int Index, TBitmap* Graphic, int Count, int Part);

// True when a component of Style with Theme reads the theme file. Style is the effective style:
// FromThemeFile without a ready theme becomes DeepBlue.
bool UsesFileTheme(TsuiFileTheme* Theme, TsuiUIStyle& Style);

DECLARE_ENUM_INFO(TsuiUIStyle);
