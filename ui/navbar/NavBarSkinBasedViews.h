#pragma once
// The skin-based views: a painter helper that loads a named skin from the program's resources on
// first use, caches a skin info over it and switches between colour schemes; and the skin-based
// explorer bar, which draws its captions, signs, group clients, sizers, separators and drop marks
// with the skin's elements and falls back to the Office11 explorer bar's drawing for every element
// the skin does not have.

#include <functional>

#include "ui/navbar/NavBarExplorerBarViews.h"
#include "ui/navbar/NavBarOfficeViews.h"
#include "ui/navbar/NavPanePainter.h"
#include "ui/navbar/skins/Skin.h"
#include "ui/navbar/skins/SkinInfo.h"

// A skin of the "DXNAVBARSKINS" resources (names match regardless of letter case).
class TdxNavBarSkin : public TdxSkin {
  DECLARE_CLASS(TdxNavBarSkin, TdxSkin)
 public:
  using TdxSkin::TdxSkin;
  void LoadFromResource(HINSTANCE Module) override;

 protected:
  String ResourceType() override;
};
// Resource loads made by navigation-bar skins so far (tests count loads with it).
int NavBarSkinLoadCount();

// The skin info of the views: also the NavBar elements "DragDropItemTarget" and "Separator".
class TdxNavBarSkinInfo : public TdxSkinInfo {
  DECLARE_CLASS(TdxNavBarSkinInfo, TdxSkinInfo)
 public:
  explicit TdxNavBarSkinInfo(TdxSkin* Skin);
  void InitializeInfo() override;
  TdxSkinElement* DragDropItemTarget = nullptr;
  TdxSkinElement* Separator = nullptr;
};

// The colour schemes a painter offers.
class IdxNavBarColorSchemes : public virtual IInterface {
 public:
  virtual int GetSchemeCount() = 0;
  virtual String GetSchemeName(int Index) = 0;
  virtual String GetColorSchemeName() = 0;
  virtual void ApplyColorScheme(const String& Name) = 0;
};

class TdxNavBarSkinBasedPainterHelper;
using TdxNavBarSkinBasedPainterHelperClass = TdxNavBarSkinBasedPainterHelper* (*)(const String& ColorSchemeName);

// Skin infos are shared by the helpers of one class that name the same skin (the main window's
// three bars load one skin per scheme switch): the first loads it, the last one releasing it frees
// it. Acquire answers null when no helper holds that skin.
TdxSkinInfo* AcquireSharedSkinInfo(TClass AHelperClass, const String& ASkinName);
void ReleaseSharedSkinInfo(TdxSkinInfo*& AInfo);
int SharedSkinInfoCount();

class TdxNavBarSkinBasedPainterHelper : public TcxIUnknownObject, public IdxNavBarColorSchemes {
  DECLARE_CLASS(TdxNavBarSkinBasedPainterHelper, TcxIUnknownObject)
 public:
  explicit TdxNavBarSkinBasedPainterHelper(const String& AColorSchemeName);
  ~TdxNavBarSkinBasedPainterHelper() override;

  std::function<void(TObject*)> OnChanged;

  virtual void Changed();
  // The skin's resource name: the scheme name itself here.
  virtual String SkinName();
  virtual int SchemeCount() { return 0; }
  virtual String SchemeName(int) { return String(); }
  virtual TdxSkinInfo* CreateSkinInfo(TdxSkin* Skin);
  // Loads the skin on first use (with GDI+), or shares the one another helper of its class holds. A skin that cannot be loaded (no resource, a damaged
  // stream, a wrong property) is freed and remembered as failed for this scheme name until the
  // scheme changes, so drawing never raises and never retries at every paint.
  bool GetSkinInfo(TdxSkinInfo*& AInfo);
  TdxSkinInfo* SkinInfo();
  bool HasSkin();
  // A different name (compared case-sensitively) frees the skin info and calls Changed.
  void ApplyColorScheme(const String& Name) override;

  // IdxNavBarColorSchemes
  int GetSchemeCount() override { return SchemeCount(); }
  String GetSchemeName(int Index) override { return SchemeName(Index); }
  String GetColorSchemeName() override { return colorSchemeName_; }

  // Elements (nil without skin info, or when the skin lacks the element).
  virtual TdxSkinElement* BackgroundElement();
  virtual TdxSkinElement* DropTargetElement();
  virtual TdxSkinElement* GroupHeaderElement();
  TdxSkinElement* GroupClientElement();
  TdxSkinElement* GroupSignElement(bool Expanded);
  virtual TdxSkinElement* ItemElement();
  const TdxSkinScrollInfo* ScrollBarPart(int Kind, int Part);
  virtual TdxSkinElement* SeparatorElement();
  // -1 when the skin does not say.
  int SkinCaptionFontSize();
  int SkinCaptionHeight();
  TdxSkinElement* GroupButtonElement(bool Selected);
  TdxSkinElement* PaneGroupClientElement();
  TdxSkinElement* CaptionElement();
  TdxSkinElement* HeaderSignElement(bool Expanded);
  TdxSkinElement* PaneItemElement(bool Selected);
  TdxSkinElement* CollapsedGroupClientElement();
  TdxSkinElement* OverflowPanelElement();
  TdxSkinElement* OverflowExpandItemElement();
  TdxSkinElement* OverflowItemElement();
  virtual TdxSkinElement* PopupFrameElement() { return BackgroundElement(); }
  TdxSkinElement* MenuElement();
  TdxSkinElement* MenuSelectedElement();
  TdxSkinElement* MenuSeparatorElement();
  TdxSkinElement* MenuSideStripElement();
  TdxSkinElement* ScrollButtonElement(int Index);
  TdxSkinElement* SplitterElement();
  TdxSkinElement* PopupSizeGripElement();

  // True while the last load failed for the current scheme name.
  bool LoadFailed() const { return loadFailed_; }

 protected:
  TdxSkinElement* Real(TdxSkinElement* Element) const;
  TdxSkinElement* Lookup(TdxSkinGroupKind Group, TdxSkinNameId Name);

 private:
  String colorSchemeName_;
  TdxSkinInfo* skinInfo_ = nullptr;
  bool loadFailed_ = false;
};

// Draws the element on R (grown by its content offsets, or by its border widths when those are all
// zero, when asked) clipped to R; false without an element.
bool DrawSkinElement(TdxSkinElement* Element, TcxCanvas* Canvas, const TRect& R, bool WithContentOffsets,
                     TdxSkinElementState State, int ImageIndex = 0);
// The element state of a group or link.
TdxSkinElementState SkinStateOf(int NavBarState);

// ---- the skin-based explorer bar ------------------------------------------------------------------

class TdxNavBarSkinBasedExplorerBarPainter;

class TdxNavBarSkinBasedExplorerBarViewInfo : public TdxNavBarOffice11ExplorerBarViewInfo {
  DECLARE_CLASS(TdxNavBarSkinBasedExplorerBarViewInfo, TdxNavBarOffice11ExplorerBarViewInfo)
 public:
  using TdxNavBarOffice11ExplorerBarViewInfo::TdxNavBarOffice11ExplorerBarViewInfo;
  TdxNavBarSkinBasedPainterHelper* Helper();
  TRect GroupEdges() override;
};

// Its base is the Office11 explorer bar's group view info, so that without skin the captions get
// that bar's colours (a plain explorer-bar group leaves them clNone and draws no caption at all).
class TdxNavBarSkinBasedExplorerBarGroupViewInfo : public TdxNavBarOffice11ExplorerBarGroupViewInfo {
  DECLARE_CLASS(TdxNavBarSkinBasedExplorerBarGroupViewInfo, TdxNavBarOffice11ExplorerBarGroupViewInfo)
 public:
  using TdxNavBarOffice11ExplorerBarGroupViewInfo::TdxNavBarOffice11ExplorerBarGroupViewInfo;
  TdxNavBarSkinBasedPainterHelper* Helper();
  void CalculateBounds(int X, int& Y) override;
  TColor HeaderFontColor() override;
};

class TdxNavBarSkinBasedExplorerBarLinkViewInfo : public TdxNavBarOffice3LinkViewInfo {
  DECLARE_CLASS(TdxNavBarSkinBasedExplorerBarLinkViewInfo, TdxNavBarOffice3LinkViewInfo)
 public:
  using TdxNavBarOffice3LinkViewInfo::TdxNavBarOffice3LinkViewInfo;
  TdxNavBarSkinBasedPainterHelper* Helper();
  TColor FontColor() override;
};

class TdxNavBarSkinBasedExplorerBarPainter : public TdxNavBarOffice11ExplorerBarPainter,
                                             public IdxNavBarColorSchemes {
  DECLARE_CLASS(TdxNavBarSkinBasedExplorerBarPainter, TdxNavBarOffice11ExplorerBarPainter)
 public:
  explicit TdxNavBarSkinBasedExplorerBarPainter(TdxCustomNavBar* ANavBar);
  ~TdxNavBarSkinBasedExplorerBarPainter() override;
  void AfterConstruction() override;

  TdxNavBarSkinBasedPainterHelper* Helper() const { return helper_; }
  virtual TdxNavBarSkinBasedPainterHelper* CreateHelper();
  virtual TdxNavBarSkinBasedPainterHelperClass HelperClass();
  // Repaints the whole bar.
  virtual void SkinChanged(TObject* Sender);
  virtual String DefaultColorSchemeName() { return String(); }
  IdxNavBarColorSchemes* GetColorSchemes() { return helper_; }
  bool HasSkin() { return helper_ && helper_->HasSkin(); }
  virtual bool HeaderUsesContentOffsets(TdxNavBarGroupViewInfo*) { return false; }

  // IdxNavBarColorSchemes, forwarded to the helper.
  int GetSchemeCount() override { return helper_->GetSchemeCount(); }
  String GetSchemeName(int Index) override { return helper_->GetSchemeName(Index); }
  String GetColorSchemeName() override { return helper_->GetColorSchemeName(); }
  void ApplyColorScheme(const String& Name) override { helper_->ApplyColorScheme(Name); }
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }

  TdxNavBarViewInfo* CreateViewInfo() override;
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                              bool AItemsVisible, bool ACaptionVisible) override;
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink,
                                            bool AImageVisible, bool ACaptionVisible) override;

  void DrawGroupBackground(TdxNavBarGroupViewInfo* AGroup) override;
  void DrawGroupBorder(TdxNavBarGroupViewInfo* AGroup) override;
  void DrawGroupCaptionBackground(TdxNavBarGroupViewInfo* AGroup) override;
  void DrawGroupCaptionSign(TdxNavBarGroupViewInfo* AGroup) override;
  void DrawGroupControlSizer(TdxNavBarExplorerBarGroupViewInfo* AGroup) override;
  void DrawSeparator(TdxNavBarLinkViewInfo* ALink) override;
  void DrawDropTargetLink(TdxNavBarGroupViewInfo* AGroup, TdxNavBarLinkViewInfo* ABefore,
                          TdxNavBarLinkViewInfo* AAfter) override;

 private:
  TdxNavBarSkinBasedPainterHelper* helper_ = nullptr;
};

// ---- the skin-based navigation pane ----------------------------------------------------------------

class TdxNavBarSkinBasedNavPaneViewInfo : public TdxNavBarNavigationPaneViewInfo {
  DECLARE_CLASS(TdxNavBarSkinBasedNavPaneViewInfo, TdxNavBarNavigationPaneViewInfo)
 public:
  using TdxNavBarNavigationPaneViewInfo::TdxNavBarNavigationPaneViewInfo;
  TdxNavBarSkinBasedPainterHelper* Helper();
  bool HasSkin();
  TPoint GroupsOrigin() override;
  TRect GroupEdges() override;
  int HeaderTextIndent() override { return HasSkin() ? 8 : 4; }
  int SplitterHeight() override;
  int HeaderHeight() override;
  TColor BorderColor() override;
  TColor PaneHeaderFontColor() override;
  TColor CollapsedTextColor() override;
  void AssignNavigationPaneHeaderDefaults() override;
  TdxNavBarOverflowPanelViewInfo* CreateOverflowPanel() override;
};

class TdxNavBarSkinBasedNavPaneGroupViewInfo : public TdxNavBarNavigationPaneGroupViewInfo {
  DECLARE_CLASS(TdxNavBarSkinBasedNavPaneGroupViewInfo, TdxNavBarNavigationPaneGroupViewInfo)
 public:
  using TdxNavBarNavigationPaneGroupViewInfo::TdxNavBarNavigationPaneGroupViewInfo;
  TColor HeaderFontColor() override;
};

class TdxNavBarSkinBasedNavPaneLinkViewInfo : public TdxNavBarLinkViewInfo {
  DECLARE_CLASS(TdxNavBarSkinBasedNavPaneLinkViewInfo, TdxNavBarLinkViewInfo)
 public:
  using TdxNavBarLinkViewInfo::TdxNavBarLinkViewInfo;
  TColor FontColor() override;
  // The link's row less two pixels at each side.
  TRect ImageFrameRect() override;
};

class TdxNavBarSkinBasedOverflowPanelViewInfo : public TdxNavBarOverflowPanelViewInfo {
  DECLARE_CLASS(TdxNavBarSkinBasedOverflowPanelViewInfo, TdxNavBarOverflowPanelViewInfo)
 public:
  using TdxNavBarOverflowPanelViewInfo::TdxNavBarOverflowPanelViewInfo;
  TRect ContentMargins() override;
  int SignWidth() override;
};

class TdxNavBarSkinBasedPopupControlViewInfo : public TdxNavBarPopupControlViewInfo {
  DECLARE_CLASS(TdxNavBarSkinBasedPopupControlViewInfo, TdxNavBarPopupControlViewInfo)
 public:
  using TdxNavBarPopupControlViewInfo::TdxNavBarPopupControlViewInfo;
  TRect Margins() override;
};

class TdxNavBarSkinBasedNavPanePainter : public TdxNavBarNavigationPanePainter, public IdxNavBarColorSchemes {
  DECLARE_CLASS(TdxNavBarSkinBasedNavPanePainter, TdxNavBarNavigationPanePainter)
 public:
  explicit TdxNavBarSkinBasedNavPanePainter(TdxCustomNavBar* ANavBar);
  ~TdxNavBarSkinBasedNavPanePainter() override;
  void AfterConstruction() override;

  TdxNavBarSkinBasedPainterHelper* Helper() const { return helper_; }
  virtual TdxNavBarSkinBasedPainterHelper* CreateHelper();
  virtual TdxNavBarSkinBasedPainterHelperClass HelperClass();
  // Rebuilds and repaints the whole bar.
  virtual void SkinChanged(TObject* Sender);
  IdxNavBarColorSchemes* GetColorSchemes() { return helper_; }
  virtual String DefaultColorSchemeName() { return String(); }
  bool HasSkin() { return helper_ && helper_->HasSkin(); }
  // 1 while expanded, 0 collapsed.
  virtual int SplitterImageIndex();

  // IdxNavBarColorSchemes, forwarded to the helper.
  int GetSchemeCount() override { return helper_->GetSchemeCount(); }
  String GetSchemeName(int Index) override { return helper_->GetSchemeName(Index); }
  String GetColorSchemeName() override { return helper_->GetColorSchemeName(); }
  void ApplyColorScheme(const String& Name) override { helper_->ApplyColorScheme(Name); }
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }

  TdxNavBarViewInfo* CreateViewInfo() override;
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                              bool AItemsVisible, bool ACaptionVisible) override;
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink,
                                            bool AImageVisible, bool ACaptionVisible) override;
  TdxNavBarPopupControlViewInfo* CreatePopupViewInfo() override;

  void DrawHeaderBackground() override;
  void DrawHeaderSign() override;
  void DrawGroupCaptionBackground(TdxNavBarGroupViewInfo* AGroup) override;
  void DrawLinkSelection(TdxNavBarLinkViewInfo* ALink) override;
  void DrawItemPanelBackground(const TRect& R, int AState) override;
  void DrawOverflowPanelBackground() override;
  void DrawOverflowPanelSign() override;
  void DrawOverflowPanelItems() override;
  void DrawSplitter() override;
  void DrawTopScrollButton() override;
  void DrawBottomScrollButton() override;
  void DrawSeparator(TdxNavBarLinkViewInfo* ALink) override;
  void DrawDropTargetLink(TdxNavBarGroupViewInfo* AGroup, TdxNavBarLinkViewInfo* ABefore,
                          TdxNavBarLinkViewInfo* AAfter) override;
  void DrawPopupFrame(TCanvas* ACanvas, TdxNavBarPopupControlViewInfo* APopupViewInfo) override;
  // Composed in a 32-bit bitmap from the four menu elements; without any of them the non-skinned item.
  void DrawOverflowMenuItem(TCanvas* ACanvas, const TRect& R, int AState, const String& ACaption, int AImageIndex,
                            TCustomImageList* AImages) override;

 private:
  TdxNavBarSkinBasedPainterHelper* helper_ = nullptr;
};

// The element state of a pane part state (0 normal, 1 hot, 2 pressed, 3 checked, 4 hot-checked,
// 5 dropped down).
TdxSkinElementState SkinStateOfPart(int APartState);
// The insertion mark as the skin's drop-target element: a strip at the bottom of the link before
// or at the top of the link after; false without the element.
bool DrawSkinDropTarget(TdxSkinElement* Element, TcxCanvas* Canvas, TdxNavBarLinkViewInfo* ABefore,
                        TdxNavBarLinkViewInfo* AAfter, int AFallbackHeight);

template <class Helper>
TdxNavBarSkinBasedPainterHelper* MakePainterHelper(const String& ColorSchemeName) {
  return new Helper(ColorSchemeName);
}
