#pragma once
// The skin-info cache: created over one skin (which it owns), it looks up once, at creation and at
// every change of the skin, each group, element, colour and property that skinned painters may
// need, so painters never search by name while drawing. An element the skin lacks is added to it
// as a placeholder (a red cross on white), so a painter always has something to draw.

#include <map>
#include <memory>
#include <utility>

#include "ui/foundation/Classes.h"
#include "ui/navbar/skins/Skin.h"
#include "ui/navbar/skins/SkinNames.h"

struct TdxSkinScrollInfo {
  TdxSkinElement* Element = nullptr;
  int ImageIndex = 0;
};

// The twelve groups, in lookup order.
enum TdxSkinGroupKind {
  sgBars,
  sgCommon,
  sgDocking,
  sgEditors,
  sgRibbon,
  sgForm,
  sgGrid,
  sgPageControl,
  sgScheduler,
  sgVerticalGrid,
  sgNavBar,
  sgNavPane
};
constexpr int kSkinGroupCount = 12;

// Usage marks the lookups leave on skin objects.
constexpr int kSkinMarkUsed = 1;
constexpr int kSkinMarkPlaceholder = 2;

class TdxSkinInfo : public TcxIUnknownObject, public IdxSkinOwner, public IdxSkinChangeListener {
  DECLARE_CLASS(TdxSkinInfo, TcxIUnknownObject)
 public:
  explicit TdxSkinInfo(TdxSkin* Skin);
  ~TdxSkinInfo() override;

  TdxSkin* GetSkin() override { return skin_; }
  // A change of the skin refreshes every entry; changes the lookups themselves make are ignored.
  void SkinChanged(TdxSkin* Skin) override;
  // The same skin again does nothing; nil leaves every entry nil.
  void SetSkin(TdxSkin* Skin);

  virtual void InitializeInfo();
  virtual void FinalizeInfo();
  virtual void RefreshInfo();

  // Lookups (they mark what they find 1 and what they add 2; a placeholder keeps its 2).
  TdxSkinControlGroup* LookupGroup(TdxSkinNameId Name);
  TdxSkinElement* LookupElement(TdxSkinControlGroup* Group, TdxSkinNameId Name, bool CreateIfMissing = true);
  TdxSkinElement* AddPlaceholderElement(TdxSkinControlGroup* Group, const String& Name);
  // The skin's own colour list for the skin; the property list of groups and elements. A property
  // of another class under the name raises EInvalidCast.
  TdxSkinColor* LookupColor(TdxSkinPersistent* Container, TdxSkinNameId Name);
  TdxSkinIntegerProperty* LookupIntegerProperty(TdxSkinPersistent* Container, TdxSkinNameId Name);
  TdxSkinBooleanProperty* LookupBooleanProperty(TdxSkinPersistent* Container, TdxSkinNameId Name);
  TColor ColorValue(TdxSkinPersistent* Container, TdxSkinNameId Name);
  int IntegerValue(TdxSkinPersistent* Container, TdxSkinNameId Name, int Default);

  // ---- the entries ----
  TdxSkinControlGroup* Group(TdxSkinGroupKind Kind) const { return groups_[Kind]; }
  // Any element the lookups took, by its group and name (nil when absent or not looked up).
  TdxSkinElement* Element(TdxSkinGroupKind Group, TdxSkinNameId Name) const;
  // Any colour or colour value the lookups took: Owner is the group or element name id, or 0 for
  // the skin's own colours.
  TdxSkinColor* Color(int Owner, TdxSkinNameId Name) const;
  TColor ColorValueOf(int Owner, TdxSkinNameId Name) const;
  // The copied integers (grow amounts, indents, offsets, the ribbon's font delta), by name.
  int Integer(TdxSkinNameId Name) const;
  // Scroll-bar parts: Kind 0 vertical, 1 horizontal; parts 1, 2 buttons, 3 thumb, 4, 5 pages.
  const TdxSkinScrollInfo* ScrollBarPart(int Kind, int Part) const;

  // The navigation bar's elements.
  TdxSkinElement *NavBarBackground = nullptr, *NavBarGroupClient = nullptr, *NavBarItem = nullptr,
                 *NavBarGroupHeader = nullptr, *NavBarGroupCloseButton = nullptr, *NavBarGroupOpenButton = nullptr;
  // The navigation pane's.
  TdxSkinElement *NavPaneCollapseButton = nullptr, *NavPaneCollapsedGroupClient = nullptr,
                 *NavPaneExpandButton = nullptr, *NavPanePopupBorder = nullptr, *NavPanePopupSizeGrip = nullptr,
                 *NavPaneGroupButton = nullptr, *NavPaneGroupButtonSelected = nullptr, *NavPaneCaption = nullptr,
                 *NavPaneSplitter = nullptr, *NavPaneScrollUpButton = nullptr, *NavPaneScrollDownButton = nullptr,
                 *NavPaneOverflowPanel = nullptr, *NavPaneOverflowPanelItem = nullptr,
                 *NavPaneOverflowPanelExpandItem = nullptr, *NavPaneGroupClient = nullptr, *NavPaneItem = nullptr,
                 *NavPaneItemSelected = nullptr;
  TdxSkinIntegerProperty *NavPaneCaptionHeight = nullptr, *NavPaneCaptionFontSize = nullptr;
  // The form frame rows (0 small, 1 normal form: left, caption, right, bottom) and their widths.
  TdxSkinElement* FormFrames[2][4] = {};
  TRect FormFrameWidths[2];
  // max(1, "FontDelta" of the normal form's caption).
  int FormFontDelta = 1;

 protected:
  // Lookups made by InitializeInfo, so later painters (and descendants) reach them.
  void KeepElement(TdxSkinGroupKind Group, TdxSkinNameId Name, TdxSkinElement* Element);
  void KeepColor(int Owner, TdxSkinNameId Name, TdxSkinColor* Color);
  void KeepColorValue(int Owner, TdxSkinNameId Name, TColor Value);
  void KeepInteger(TdxSkinNameId Name, int Value);
  // Looks an element of a group up and keeps it.
  TdxSkinElement* Take(TdxSkinGroupKind Group, TdxSkinNameId Name, bool CreateIfMissing = true);
  // While above 0, the skin's notifications come from the cache's own lookups.
  int lookingUp_ = 0;

 private:
  void ResetEntries();
  void InitializeForm();
  void InitializeScrollInfo();

  TdxSkin* skin_ = nullptr;
  TdxSkinControlGroup* groups_[kSkinGroupCount] = {};
  std::map<std::pair<int, int>, TdxSkinElement*> elements_;
  std::map<std::pair<int, int>, TdxSkinColor*> colors_;
  std::map<std::pair<int, int>, TColor> colorValues_;
  std::map<int, int> integers_;
  std::unique_ptr<TdxSkinScrollInfo> scrollInfo_[2][6];
};
