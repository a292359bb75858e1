#pragma once
// The skinned menus: TsSkinableMenus, the menu painter of a skin manager, makes the application's
// menus owner-drawn and paints them from the active skin. A popup menu gets a background with a
// border cut to the skin's corners, an optional band down its left side (the extra line), an icon
// column, skinned highlights, check marks, dividers and caption items; the top-level items of a
// form's main menu are painted over the menu line of the form's skinning provider.
//
// Only one popup menu is open at a time, so the painted background of the open popup and the facts
// of its extra line are kept once for the whole program (the unit state below).

#include <vector>

#include "platform/framework/controls/Menus.h"
#include "platform/framework/graphics/Bitmap.h"
#include "ui/skins/core/SkinCommon.h"
#include "ui/skins/core/SkinManager.h"

enum TsMenuItemType { smCaption, smDivider, smNormal, smTopLine };
using TsMenuManagerDrawItemEvent =
    TEvent<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State, TsMenuItemType ItemType)>;

// What the menu-bar painter needs of a form's skinning provider; the form skinning provider
// implements it beside its provider interface, and a form hands it out through the provider
// command (scGetProvider).
class TacMenuLineProvider {
 public:
  virtual ~TacMenuLineProvider() = default;
  // The image of the form's menu bar line, which the menu-bar items are painted over.
  virtual TBitmap* MenuLineImage() = 0;
  // The caption's height plus the frame's top height: where the menu line starts in the window.
  virtual int CaptionAndFrameHeight() = 0;
  // The frame's width plus the form's border width.
  virtual int LeftFrameOffset() = 0;
  // True when the provider's form is an MDI frame whose active child is maximized.
  virtual bool MDIChildMaximized() = 0;
};

// The provider of the MDI frame form, set by that provider while it runs MDI support.
TacMenuLineProvider*& MDIFrameMenuProvider();
// True when the MDI frame's provider reports a maximized active child.
bool MDIChildMaximized();

// The kind of a popup item by its caption: "-" a divider, "-word-" a caption item, else normal.
TsMenuItemType MenuItemTypeOf(const String& caption);
// The text a caption item shows: the caption's first word between hyphens.
String CaptionItemText(const String& caption);
// The item's picture size, else its menu's image size, else 16 x 16.
TSize GlyphSize(TMenuItem* item);

class TsSkinableMenus : public TPersistent {
  DECLARE_CLASS(TsSkinableMenus, TPersistent)
 public:
  explicit TsSkinableMenus(TsSkinManager* owner);
  ~TsSkinableMenus() override;

  int Margin = 2;
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value) {
    if (alignment_ != value) alignment_ = value;
  }
  int BevelWidth = 0;
  int BorderWidth = 3;
  TFont* CaptionFont() const { return captionFont_; }
  void SetCaptionFont(TFont* value) { captionFont_->Assign(value); }
  // The border of the skin's "MAINMENU" mask; a negative value is recomputed from the skin.
  int SkinBorderWidth();
  void SetSkinBorderWidth(int value) { skinBorderWidth_ = value; }
  int Spacing = 6;
  TsMenuManagerDrawItemEvent OnDrawItem;

  bool Active() const { return active_; }
  void SetActive(bool value);
  // Walks every component of the application and hooks or unhooks its menus.
  void HookAllMenus(bool value);
  // Follows the owner's skin: active while its skin is.
  void UpdateMenus();
  void HookItem(TMenuItem* item, bool value);
  void HookMainMenu(TMainMenu* menu, bool value);
  void HookPopupMenu(TPopupMenu* menu, bool value);
  void HookPopupItems(TMenuItem* parent, bool value);

  void MeasurePopupItem(TObject* sender, TCanvas* canvas, int& width, int& height);
  virtual void DrawPopupItem(TObject* sender, TCanvas* canvas, TRect r, TOwnerDrawState state);
  void MeasureMenuBarItem(TObject* sender, TCanvas* canvas, int& width, int& height);
  virtual void DrawMenuBarItem(TObject* sender, TCanvas* canvas, TRect r, TOwnerDrawState state);

  // Subclasses the popup window and cuts its region to the skin's corners.
  void SetMenuWindowRegion(HWND window, TBitmap* bmp);
  int ItemHeight(TCanvas* canvas, TMenuItem* item);
  int PopupWidth(TCanvas* canvas, TMenuItem* item);
  int PopupHeight(TCanvas* canvas, TMenuItem* item);
  int VisibleExtraLineWidth() const;
  // The painted background of the popup whose first item is given, W x H, for the window.
  void PrepareMenuBackground(TMenuItem* firstItem, int width, int height, HWND window);
  const std::vector<TRect>& RegionRects() const { return regionRects_; }
  TsSkinManager* Owner() const { return owner_; }
  void ForgetOwner() { owner_ = nullptr; }

 private:
  TAdvancedMenuDrawItemEvent PopupDrawHandler() { return TAdvancedMenuDrawItemEvent(this, &TsSkinableMenus::DrawPopupItem); }
  TMenuMeasureItemEvent PopupMeasureHandler() { return TMenuMeasureItemEvent(this, &TsSkinableMenus::MeasurePopupItem); }
  TAdvancedMenuDrawItemEvent BarDrawHandler() { return TAdvancedMenuDrawItemEvent(this, &TsSkinableMenus::DrawMenuBarItem); }
  TMenuMeasureItemEvent BarMeasureHandler() { return TMenuMeasureItemEvent(this, &TsSkinableMenus::MeasureMenuBarItem); }
  void HookComponents(TComponent* root, bool value);
  void SetPopupHandlers(TMenuItem* item, bool value);
  void ClearOwnHandlers(TMenuItem* item);
  void QueryExtraLine(TMenuItem* firstItem);
  void PrepareCanvasFont(TCanvas* canvas, TMenuItem* item, bool bold);
  void DrawDivider(TMenuItem* item, TCanvas* canvas, TRect r);
  void DrawCaptionItem(TMenuItem* item, TCanvas* canvas, TRect r);
  void PaintExtraLine(int height);
  bool SkinActive() const;

  TsSkinManager* owner_;
  TAlignment alignment_ = taLeftJustify;
  TFont* captionFont_;
  int skinBorderWidth_ = -1;
  std::vector<TRect> regionRects_;
  // The client area's offset in the popup window of the item being drawn.
  TPoint clientOffset_{3, 3};
  bool active_ = false;
  bool borderGuard_ = false;
};

// ---- the unit state ------------------------------------------------------------------------------

struct TacMenuState {
  // The whole open popup window: border, background, extra line and icon column (24-bit).
  TBitmap* MenuBackground = nullptr;
  // The first item of the menu whose background is kept: the cache's key.
  TMenuItem* CachedFirstItem = nullptr;
  int IconLineWidth = 0;
  int GlyphWidth = 0;
  String ExtraLineSection = L"EXTRALINE";
  String ExtraLineCaption;
  TBitmap* ExtraLineGlyph = nullptr;
  bool ExtraLineVisible = false;
  bool ExtraLineFetched = false;
  bool ExtraLineQuerying = false;
  TsMenuItemType CurrentItemType = smNormal;
  // A skinned popup is open: the popup-window subclass paints its frame from MenuBackground.
  bool SkinnedMenuOpen = false;
  // Replaces the screen's menu font when a program sets it.
  TFont* CustomMenuFont = nullptr;
};
TacMenuState& MenuState();
// Frees the background and forgets the cached menu and its extra line.
void ResetMenuCache();
// Frees the background only (a skin change).
void FreeMenuBackground();

// The item a popup that could not find its window asked the application window to paint the border
// of (message 48307): held weakly, gone once the item is freed.
void PostPaintPopupItem(TMenuItem* item);
TMenuItem* PostedPopupItem();
// The application window's answer to 48307 and 48308: the popup window's border from the background.
void PaintPostedPopup(UINT message, LPARAM lParam);
