#include "ui/extras/skinpack/ThemeFiles.h"

#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/windows/Forms.h"
#include "ui/extras/skinpack/SkinFileReader.h"
#include "ui/extras/skinpack/SkinPackRoutines.h"

DEFINE_CLASS(TsuiFileThemeMgr)
DEFINE_CLASS(TsuiFileTheme)
DEFINE_ENUM_INFO(TsuiUIStyle, L"FromThemeFile", L"MacOS", L"WinXP", L"DeepBlue", L"Protein", L"BlueGlass")

namespace {

constexpr int kEntries = 48;

// Kinds of entries 1..48, the same for every style.
constexpr TsuiStyleEntryKind kKinds[kEntries] = {
    sekBitmap, sekFlag,    sekBitmap,  sekBitmap,  sekBitmap, sekFlag,    sekInteger, sekInteger,  // 1-8
    sekInteger, sekBitmap, sekBitmap,  sekBitmap,  sekInteger, sekInteger, sekColor, sekColor,     // 9-16
    sekInteger, sekColor,  sekColor,   sekColor,   sekColor,  sekColor,   sekColor,   sekBitmap,   // 17-24
    sekColor,  sekColor,   sekColor,   sekBitmap,  sekBitmap, sekBitmap,  sekColor,   sekBitmap,   // 25-32
    sekBitmap, sekBitmap,  sekColor,   sekColor,   sekColor,  sekBitmap,  sekBitmap,  sekBitmap,   // 33-40
    sekBitmap, sekBitmap,  sekBitmap,  sekColor,   sekBitmap, sekBitmap,  sekInteger, sekColor,    // 41-48
};

struct TStyleRow {
  int entry;
  std::int32_t values[5];
};

// The numeric entries this system reads, per style: MacOS, WinXP, DeepBlue, Protein, BlueGlass.
constexpr TStyleRow kNumbers[] = {
    {6, {0, 0, 0, 1, 1}},
    {7, {3, 2, 0, 0, 4}},
    {8, {-2, -2, 0, 0, -3}},
    {9, {4, 5, 2, 2, 6}},
    {13, {130, 150, 130, 130, 270}},
    {14, {0, 13, 0, 0, 11}},
    {15, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
    {16, {0x7F7F7F, 0xC82C00, 0x000000, 0x000000, 0x000000}},
    {17, {1, 3, 1, 1, 1}},
    {18, {0xC47339, 0xC66931, 0xA04A44, 0xC4302D, 0xEC5E5E}},
    {19, {0xC47339, 0xEFD3C6, 0xA04A44, 0xC4302D, 0xEC5E5E}},
    {20, {0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
    {21, {0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xE7E7E7}},
    {22, {0x000000, 0x000000, 0x000000, 0x000000, 0x000000}},
    {23, {0x000000, 0xCED3D6, 0xCED3D6, 0xCED3D6, 0xCED3D6}},
};

struct TBitmapRow {
  int entry;
  const wchar_t* part;
};
constexpr TBitmapRow kBitmaps[] = {
    {1, L"_BUTTON"}, {5, L"_TITLEBTN"}, {10, L"_TITLE_LEFT"}, {11, L"_TITLE_CLIENT"}, {12, L"_TITLE_RIGHT"},
};
constexpr const wchar_t* kStyleWords[5] = {L"MACOS", L"WINXP", L"DEEPBLUE", L"PROTEIN", L"BLUEGLASS"};

// The resource names, made once: style word + part.
const wchar_t* BitmapName(int style, int entry) {
  static const auto names = [] {
    std::vector<std::vector<String>> table(5, std::vector<String>(kEntries + 1));
    for (int s = 0; s < 5; ++s)
      for (const TBitmapRow& row : kBitmaps) table[s][row.entry] = String(kStyleWords[s]) + row.part;
    return table;
  }();
  return names[style][entry].c_str();
}

const wchar_t* const kKeys[84] = {
    L"SKIN2_TRANSCOLOR", L"SKIN2_TITLEFONTCOLOR", L"SKIN2_FORMCOLOR", L"SKIN2_MENUBARSTARTCOLOR",
    L"SKIN2_MENUBARENDCOLOR", L"SKIN2_TOPSELECTEDMENUCOLOR", L"SKIN2_TOPSELECTEDMENUBORDERCOLOR",
    L"SKIN2_TOPSELECTEDMENUFONTCOLOR", L"SKIN2_TOPMENUFONTCOLOR", L"SKIN2_LEFTBARSTARTCOLOR",
    L"SKIN2_LEFTBARENDCOLOR", L"SKIN2_MENUITEMCOLOR", L"SKIN2_MENUITEMFONTCOLOR", L"SKIN2_SELECTEDMENUCOLOR",
    L"SKIN2_SELECTEDMENUBORDERCOLOR", L"SKIN2_SELECTEDMENUFONTCOLOR", L"SKIN2_TOOLBARSTARTCOLOR",
    L"SKIN2_TOOLBARENDCOLOR", L"SKIN2_TOOLBARONCOLOR", L"SKIN2_TOOLBARBORDERCOLOR", L"SKIN2_TOOLBARDOWNCOLOR",
    L"SKIN2_CONTROLCOLOR", L"SKIN2_CONTROLBORDERCOLOR", L"SKIN2_CONTROLFONTCOLOR", L"SKIN2_BUTTONFONTCOLOR",
    L"SKIN2_SCROLLBARCOLOR", L"SKIN2_TABCONTROLCOLOR", L"SKIN2_TABCONTROLBORDERCOLOR",
    L"SKIN2_TABCONTROLACTIVEFONTCOLOR", L"SKIN2_TABCONTROLINACTIVEFONTCOLOR", L"SKIN2_SIDECHANNELCOLOR",
    L"SKIN2_SIDECHANNELBORDERCOLOR",
    L"SKIN2_TITLEBAR1", L"SKIN2_TITLEBAR2", L"SKIN2_TITLEBAR3", L"SKIN2_TITLEBAR4", L"SKIN2_TITLEBAR5",
    L"SKIN2_FORMLEFTBORDER", L"SKIN2_FORMRIGHTBORDER", L"SKIN2_FORMBOTTOMBORDER1", L"SKIN2_FORMBOTTOMBORDER2",
    L"SKIN2_FORMBOTTOMBORDER3", L"SKIN2_MINIMIZEDTITLE", L"SKIN2_TITLEBUTTONS", L"SKIN2_CHECKEDMENUICON",
    L"SKIN2_MENUBAR", L"SKIN2_TOOLBAR", L"SKIN2_BUTTON", L"SKIN2_CHECKBOX", L"SKIN2_CHECKBOXLIST",
    L"SKIN2_RADIOBUTTON", L"SKIN2_PROGRESSBAR1", L"SKIN2_PROGRESSBAR2", L"SKIN2_PROGRESSBAR3",
    L"SKIN2_PROGRESSBAR4", L"SKIN2_TRACKBAR", L"SKIN2_TRACKBARSLIDER", L"SKIN2_TRACKBARVSLIDER",
    L"SKIN2_SCROLLBARUPBUTTON", L"SKIN2_SCROLLBAR", L"SKIN2_SCROLLBARDOWNBUTTON", L"SKIN2_TABCONTROL",
    L"SKIN2_TABCONTROLLINE", L"SKIN2_SIDECHANNELBAR", L"SKIN2_SIDECHANNELTITLE", L"SKIN2_SCROLLBUTTON",
    L"SKIN2_TITLEBARICONPOSX", L"SKIN2_TITLEBARICONPOSY", L"SKIN2_TITLEBARCAPTIONTOP",
    L"SKIN2_TITLEBARBUTTONPOSX", L"SKIN2_TITLEBARBUTTONPOSY", L"SKIN2_TITLEBARREGIONMINY",
    L"SKIN2_TITLEBARREGIONMAXY", L"SKIN2_BOTTOMREGIONMINY", L"SKIN2_BOTTOMREGIONMAXY",
    L"SKIN2_TITLEFIVESECT", L"SKIN2_BOTTOMBORDERTHREESECT", L"SKIN2_TITLEBARNEEDREGION",
    L"SKIN2_BOTTOMBORDERNEEDREGION", L"SKIN2_TITLEBTNTRANS", L"SKIN2_BUTTONTRANS", L"SKIN2_CHECKBOXTRANS",
    L"SKIN2_RADIOBUTTONTRANS", L"SKIN2_TABCONTROLTRANS",
};
constexpr int kGroupOffset[4] = {0, 32, 66, 75};
constexpr int kGroupSize[4] = {32, 34, 9, 9};

void RegisterFileThemeProperties() {
  using T = TsuiFileTheme;
  RegisterProperties(&T::ClassInfo(), {
                                          StringProperty(L"ThemeFile", &T::ThemeFile, &T::SetThemeFile),
                                          OrdinalProperty(L"Ready", &T::Ready, &T::SetReady),
                                          StringProperty(L"Password", &T::Password, &T::SetPassword),
                                      });
}

}  // namespace

TsuiStyleEntry GetStyleEntry(TsuiUIStyle Style, int Entry) {
  TsuiStyleEntry result;
  const int style = Style & 0x7F;
  if (style < 1 || style > 5 || Entry < 1 || Entry > kEntries) return result;
  result.Kind = kKinds[Entry - 1];
  result.Value = 0;
  if (result.Kind == sekBitmap) {
    result.Name = BitmapName(style - 1, Entry);
    return result;
  }
  for (const TStyleRow& row : kNumbers)
    if (row.entry == Entry) result.Value = row.values[style - 1];
  return result;
}

TColor GetStyleColor(TsuiUIStyle Style, int Entry) {
  const TsuiStyleEntry e = GetStyleEntry(Style, Entry);
  return e.Kind == sekColor ? e.Value : 0;
}

int GetStyleInt(TsuiUIStyle Style, int Entry) {
  const TsuiStyleEntry e = GetStyleEntry(Style, Entry);
  return e.Kind == sekInteger ? e.Value : -1;
}

bool GetStyleBool(TsuiUIStyle Style, int Entry) {
  const TsuiStyleEntry e = GetStyleEntry(Style, Entry);
  return e.Kind == sekFlag && e.Value != 0;
}

void LoadStyleBitmap(TsuiUIStyle Style, int Entry, TBitmap* Bitmap) {
  const TsuiStyleEntry e = GetStyleEntry(Style, Entry);
  if (!Bitmap || e.Kind != sekBitmap || !*e.Name) return;
  Bitmap->LoadFromResourceName(GetModuleHandleW(nullptr), e.Name);
}

void GetStyleBitmapPart(TsuiUIStyle Style, int Entry, TBitmap* Graphic, int Count, int Part) {
  if (!Graphic) return;
  if (Count == 0) {
    LoadStyleBitmap(Style, Entry, Graphic);
    return;
  }
  TBitmap whole;
  LoadStyleBitmap(Style, Entry, &whole);
  CutBitmapPart(&whole, Graphic, Count, Part);
}

TsuiUIStyle GetOwnerUIStyle(TComponent* Owner) {
  auto* form = dynamic_cast<TCustomForm*>(Owner);
  if (!form) return DeepBlue;
  for (int i = 0; i < form->ControlCount(); ++i) {
    TControl* control = form->Controls(i);
    if (control->ClassName() == L"TsuiForm" && HasPublishedProperty(control, L"UIStyle"))
      return static_cast<TsuiUIStyle>(GetOrdProp(control, L"UIStyle"));
  }
  return DeepBlue;
}

String ThemeKeyName(TsuiThemeKeyGroup Group, int Index) {
  if (Index < 0 || Index >= kGroupSize[Group]) return String();
  return kKeys[kGroupOffset[Group] + Index];
}

bool UsesFileTheme(TsuiFileTheme* Theme, TsuiUIStyle& Style) {
  if (Style != FromThemeFile) return false;
  if (Theme && Theme->Ready()) return true;
  Style = DeepBlue;
  return false;
}

// ---- TsuiFileThemeMgr --------------------------------------------------------------------------

TsuiFileThemeMgr::TsuiFileThemeMgr() = default;
TsuiFileThemeMgr::~TsuiFileThemeMgr() = default;

bool TsuiFileThemeMgr::LoadFromFile(const String& FileName, const String& Password) {
  if (!FileExists(FileName)) return false;
  reader_.reset();
  try {
    auto reader = std::make_unique<Tsk2SkinFileReader>(FileName, Password);
    if (reader->Loaded()) reader_ = std::move(reader);
  } catch (const Exception&) {
    // A damaged or unreadable theme file leaves the theme not ready; nothing reaches the user.
  }
  return reader_ != nullptr;
}

TBitmap* TsuiFileThemeMgr::GetBitmap(int Index) const {
  return reader_ ? reader_->GetBitmap(ThemeKeyName(tkBitmap, Index)) : nullptr;
}

TColor TsuiFileThemeMgr::GetColor(int Index) const {
  return reader_ ? reader_->GetInteger(ThemeKeyName(tkColor, Index)) : 0;
}

int TsuiFileThemeMgr::GetInt(int Index) const {
  return reader_ ? reader_->GetInteger(ThemeKeyName(tkInteger, Index)) : 0;
}

bool TsuiFileThemeMgr::GetBool(int Index) const {
  return reader_ && reader_->GetBool(ThemeKeyName(tkFlag, Index));
}

// ---- TsuiFileTheme -----------------------------------------------------------------------------

TsuiFileTheme::TsuiFileTheme(TComponent* AOwner) : TComponent(AOwner), mgr_(std::make_unique<TsuiFileThemeMgr>()) {
  static const bool registered = (RegisterFileThemeProperties(), true);
  (void)registered;
}

TsuiFileTheme::~TsuiFileTheme() = default;

String TsuiFileTheme::FindThemeFile(const String& Path) const {
  if (FileExists(Path)) return Path;
  const String name = ExtractFileName(Path);
  wchar_t folder[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, folder, MAX_PATH);
  String candidate = IncludeTrailingPathDelimiter(ExtractFilePath(folder)) + name;
  if (FileExists(candidate)) return candidate;
  GetWindowsDirectoryW(folder, MAX_PATH);
  candidate = IncludeTrailingPathDelimiter(folder) + name;
  if (FileExists(candidate)) return candidate;
  GetSystemDirectoryW(folder, MAX_PATH);
  candidate = IncludeTrailingPathDelimiter(folder) + name;
  if (FileExists(candidate)) return candidate;
  return String();
}

void TsuiFileTheme::SetThemeFile(const String& Value) {
  const bool wasEmpty = themeFile_.empty();
  const String found = FindThemeFile(Value);
  if (found.empty()) return;
  themeFile_ = found;
  ready_ = mgr_->LoadFromFile(themeFile_, password_);
  if (ready_) ReloadOwnerComponents(wasEmpty);
}

void TsuiFileTheme::ReloadOwnerComponents(bool wasEmpty) {
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  if (!form) return;
  bool themedForm = false;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    TComponent* component = form->Components(i);
    const String name = component->ClassName();
    if (name.compare(0, 4, L"Tsui") != 0 || !HasPublishedProperty(component, L"FileTheme")) continue;
    if (GetObjectProp(component, L"FileTheme") != this) continue;
    if (name == L"TsuiForm") themedForm = true;
    SetObjectProp(component, L"FileTheme", nullptr);
    SetObjectProp(component, L"FileTheme", this);
  }
  if (themedForm && !wasEmpty && form->HandleAllocated())
    SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TsuiFileTheme::SetPassword(const String& Value) {
  password_ = Value;
  if (!Value.empty()) SetThemeFile(themeFile_);
}

void GetFileThemeBitmapPart(TsuiFileTheme* Theme, int Index, TBitmap* Graphic, int Count, int Part) {
  if (!Theme || !Graphic) return;
  TBitmap* whole = Theme->GetBitmap(Index);
  if (!whole) return;
  if (Count == 0 || Part == 0)
    Graphic->Assign(whole);
  else
    CutBitmapPart(whole, Graphic, Count, Part);
}
