#pragma once
// TsSkinManager: the one component that owns an application's skin. It finds and loads the skin
// (a packed file, a skin folder or an internal skin), keeps the skin data arrays, applies the hue and
// saturation changes, tells every form and control of each change through the skin command message,
// hooks popup creation on the GUI thread and carries the library-wide settings.

#include <memory>

#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Reflection.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/windows/Forms.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinData.h"
#include "ui/skins/core/StoredSkins.h"

class TsSkinManager;
class TsSkinableMenus;
class TMenuItem;

// Asked once for each opened popup menu: the extra line's section, caption, glyph and visibility.
using TacGetExtraLineData = TEvent<void(TMenuItem* FirstItem, String& SkinSection, String& Caption, TBitmap*& Glyph,
                                        bool& LineVisible)>;
class TSkinIniText;
class TacSkinConvertor;

struct TacFormAnimation {
  bool Active = true;
  Word Time = 0;
};

class TacAnimEffects : public TPersistent {
  DECLARE_CLASS(TacAnimEffects, TPersistent)
 public:
  explicit TacAnimEffects(TsSkinManager* manager) : manager_(manager) {}
  // The button events that animate: the library-wide set; written on the default manager only.
  TacBtnEvents ButtonEvents() const;
  void SetButtonEvents(TacBtnEvents events);

  TacFormAnimation DialogShow{true, 100};
  TacFormAnimation FormShow{true, 0};
  TacFormAnimation PageChange{true, 0};
  TacFormAnimation SkinChanging{true, 100};

 private:
  TsSkinManager* manager_;
};

class TacMenuSupport : public TPersistent {
  DECLARE_CLASS(TacMenuSupport, TPersistent)
 public:
  TacMenuSupport();
  ~TacMenuSupport() override;
  String IcoLineSkin;
  bool UseExtraLine = false;
  int ExtraLineWidth = 32;
  TFont* ExtraLineFont;
};

// Class names of foreign controls, by category, one name a line.
class ThirdPartyList : public TPersistent {
  DECLARE_CLASS(ThirdPartyList, TPersistent)
 public:
  static constexpr int kCount = 13;
  String Lists[kCount];  // ThirdEdits .. ThirdVirtualTrees
};
// The default class names of a category, CR LF separated.
String DefaultThirdPartyList(int index);
// Lists stored in the older order move to the current one; empty lists take their defaults.
void CorrectThirdPartyLists(String (&lists)[ThirdPartyList::kCount]);

enum TacSkinningRule { srStdForms, srStdDialogs, srThirdParty };
using TacSkinningRules = TSet<TacSkinningRule>;
DECLARE_ENUM_INFO(TacSkinningRule);

// Kinds of skin listing.
enum TacSkinListKind { slFolders = 0, slPackedFiles = 1, slBoth = 2 };

// True on the NT family, which every system the program runs on belongs to.
extern const bool IsNTPlatform;
extern TsSkinManager* DefaultManager;
extern bool SkinLoading;
extern bool SkinApplying;
extern bool SkinRemoving;

class TsSkinManager : public TComponent {
  DECLARE_CLASS(TsSkinManager, TComponent)
 public:
  explicit TsSkinManager(TComponent* owner);
  void BeforeDestruction() override;
  ~TsSkinManager() override;
  void Loaded() override;

  // ---- properties --------------------------------------------------------------------------------
  bool SkinnedPopups() const { return skinnedPopups_; }
  void SetSkinnedPopups(bool value);
  TacAnimEffects* AnimEffects() const { return animEffects_; }
  bool IsDefault() const { return DefaultManager == this; }
  void SetIsDefault(bool value);
  bool Active() const { return active_; }
  void SetActive(bool value);
  TStringList* CommonSections() const { return commonSections_; }
  void SetCommonSections(const TStrings& lines);
  int Saturation() const { return saturation_; }
  void SetSaturation(int value);
  int HueOffset() const { return hueOffset_; }
  void SetHueOffset(int value);
  TsStoredSkins* InternalSkins() const { return internalSkins_; }
  TacMenuSupport* MenuSupport() const { return menuSupport_; }
  const String& SkinDirectory() const { return skinDirectory_; }
  void SetSkinDirectory(const String& value);
  const String& SkinName() const { return skinName_; }
  void SetSkinName(const String& value);
  // The loaded skin's version, or "N/A" while no skin is active.
  String SkinInfo() const;
  TacSkinningRules SkinningRules() const { return skinningRules_; }
  void SetSkinningRules(TacSkinningRules value) { skinningRules_ = value; }
  ThirdPartyList* ThirdParty() const { return thirdParty_; }
  String Version() const { return L"5.50"; }
  TNotifyEvent OnAfterChange;
  TNotifyEvent OnBeforeChange;
  TacGetExtraLineData OnGetMenuExtraLineData;
  // The menu painter: makes the menus owner-drawn and paints them from the skin.
  TsSkinableMenus* SkinableMenus() const { return skinableMenus_; }

  // ---- skin data ---------------------------------------------------------------------------------
  TBitmap* MasterBitmap() const { return arrays_.MasterBitmap; }
  const std::vector<TsMaskData>& Masks() const { return arrays_.Masks; }
  const std::vector<TsPatternData>& Patterns() const { return arrays_.Patterns; }
  const std::vector<TsGeneralData>& Sections() const { return arrays_.Sections; }
  TsSkinData& SkinData() { return skinData_; }
  const TacConstIndexes& ConstIndexes() const { return constIndexes_; }
  bool PackedSource() const { return packedSource_; }
  TStringList* ThirdLists(int index) const { return thirdLists_[index]; }

  int GetSkinIndex(const String& name) const;
  int GetMaskIndex(int sectionIndex, const String& section, const String& property) const;
  int GetTextureIndex(int sectionIndex, const String& section, const String& property) const;
  int GetPatternIndex(int sectionIndex, const String& section, const String& property) const;
  int GetMaskIndexExact(const String& section, const String& property) const;
  bool IsValidSkinIndex(int index) const;
  bool IsValidMaskIndex(int index) const;
  TSize MaskStateSize(int maskIndex) const;
  int MaskLeftWidth(int maskIndex) const;
  int MaskRightWidth(int maskIndex) const;
  int MaskBottomWidth(int maskIndex) const;
  TColor GlobalColor() const;
  TColor GlobalFontColor() const;
  TColor GlobalHotColor() const;

  // ---- sources -----------------------------------------------------------------------------------
  // The skin directory with "..", ".\" and bare names resolved against the program's folder; no
  // trailing backslash.
  String ResolvedSkinDir() const;
  // Fills the list with the available skins of a kind (sorted) and returns the first one found.
  String GetSkinNames(TStrings& list, TacSkinListKind kind = slBoth) const;

  // ---- broadcasts and hooks ----------------------------------------------------------------------
  void ApplySkin();
  void RemoveSkin();
  void RefreshSkin();
  void SetActiveControl(HWND window);
  HWND ActiveControlWindow() const { return activeControlWindow_; }
  void InstallHook();
  void RemoveHook();
  bool HookInstalled() const { return hookInstalled_; }
  bool PopupHook(TMessage& message);

 private:
  void FillThirdPartyLists();
  void SetDefaultManager();
  // Loads the skin of the current name and settings into fresh arrays and swaps them in; false
  // (with everything removed and the error shown) when any step fails.
  bool LoadSkin();
  bool LoadInto(TsSkinArrays& fresh, String& where);
  void LoadFromIni(const TSkinIniText& ini, const TacSkinConvertor* archive, const String& skinPath,
                   TsSkinArrays& fresh);
  void LoadFromStored(const TsStoredSkin& stored, TsSkinArrays& fresh);
  bool LoadingForm() const;
  void Reload(bool refresh);
  void FailLoad(const String& where, const String& reason);

  bool skinnedPopups_ = true;
  TacAnimEffects* animEffects_;
  bool active_ = true;
  TStringList* commonSections_;
  int saturation_ = 0;
  int hueOffset_ = 0;
  TsStoredSkins* internalSkins_;
  TacMenuSupport* menuSupport_;
  TsSkinableMenus* skinableMenus_ = nullptr;
  String skinDirectory_;
  String skinName_;
  TacSkinningRules skinningRules_{srStdForms, srStdDialogs, srThirdParty};
  ThirdPartyList* thirdParty_;
  TStringList* thirdLists_[ThirdPartyList::kCount] = {};

  TsSkinArrays arrays_;
  TsSkinData skinData_;
  TacConstIndexes constIndexes_;
  bool packedSource_ = false;
  bool skinLoaded_ = false;  // the arrays hold a whole skin (a failed load or a removal clears it)
  HWND activeControlWindow_ = nullptr;
  bool hookInstalled_ = false;
  HHOOK hook_ = nullptr;
  bool popupHookAttached_ = false;
};

// The default skin directory.
extern const wchar_t* const kDefaultSkinDirectory;
