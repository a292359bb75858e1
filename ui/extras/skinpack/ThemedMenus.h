#pragma once
// TsuiPopupMenu and TsuiMainMenu: the framework's menus with every item drawn by the component (a
// plain or gradient side bar, the background, a framed highlight, caption and shortcut, check mark
// or image, a thin separator), in the colours of the UI style or theme file; MacOS draws background,
// highlight and separator from bitmaps. Both share their look through TsuiMenu.

#include "platform/framework/controls/Menus.h"
#include "platform/framework/graphics/ImageList.h"
#include "ui/extras/skinpack/ThemeFiles.h"

class TsuiForm;

// Item drawing routines shared by the menus and the title bar's system menu.
void HookMenuItemEvents(TMenuItem* Item, const TMenuMeasureItemEvent& Measure, const TMenuDrawItemEvent& Draw);
void FrameRectColor(TCanvas* ACanvas, const TRect& Rect, TColor Color);
void FillRectColor(TCanvas* ACanvas, const TRect& Rect, TColor Color);
void DrawMenuSeparator(TCanvas* ACanvas, const TRect& Rect, TColor Color, int BarWidth, bool LeftToRight);
void DrawMacMenuSeparator(TCanvas* ACanvas, const TRect& Rect);
void DrawMacMenuSelected(TCanvas* ACanvas, const TRect& Rect);
void DrawMacMenuItem(TCanvas* ACanvas, const TRect& Rect);
void DrawFlatMenuBorder(HWND MenuWindow, TColor FrameColor, TColor LineColor);
// The system's menu font and clMenuText; the font stays as it is when the metrics cannot be read.
void GetSystemMenuFont(TFont* Font);
// The check-mark picture "MENU_CHECKED" (16 x 16, white as mask) in a list of its own.
TCustomImageList* CreateCheckedImageList();

template <class MenuBase>
class TsuiMenu : public MenuBase {
 public:
  explicit TsuiMenu(TComponent* AOwner);

  // Always true: the items are drawn by the menu.
  bool OwnerDraw() const { return true; }
  void SetOwnerDraw(bool) {}
  TsuiFileTheme* FileTheme() const { return fileTheme_; }
  void SetFileTheme(TsuiFileTheme* Value);
  TsuiUIStyle UIStyle() const { return uiStyle_; }
  void SetUIStyle(TsuiUIStyle Value);
  int MenuItemHeight() const { return menuItemHeight_; }
  void SetMenuItemHeight(int Value);
  int SeparatorHeight() const { return separatorHeight_; }
  void SetSeparatorHeight(int Value);
  int BarWidth = 0;
  TColor BarColor = clBtnFace;
  TColor BarToColor = clBtnFace;
  TColor Color = 0xFFFFFF;
  TColor SeparatorColor = 0x808080;
  TColor SelectedBorderColor = clHighlight;
  TColor SelectedColor = clHighlight;
  TColor SelectedFontColor = 0xFFFFFF;
  TColor FontColor = 0xFFFFFF;
  TColor BorderColor = 0;
  bool FlatMenu = false;
  String FontName = L"MS Sans Serif";
  int FontSize = 8;
  TFontCharset FontCharset = 1;
  bool UseSystemFont() const { return useSystemFont_; }
  virtual void SetUseSystemFont(bool Value) { useSystemFont_ = Value; }

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Every item and sub-item gets this menu's measure and draw handlers.
  virtual void HookMenuItems();
  // The handlers themselves, reachable for tests and for menus drawn elsewhere.
  void MeasureItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height);
  void DrawItem(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected);

 protected:
  // The popup menu keeps MenuItemHeight in MacOS; the main menu takes any.
  virtual bool KeepsItemHeight() const = 0;
  void ApplyMenuFont(TFont* Font);

 private:
  void DrawSideBar(TCanvas* ACanvas, const TRect& R, bool leftToRight);
  void DrawGlyph(TMenuItem* item, TCanvas* ACanvas, const TRect& R, bool leftToRight);

  TsuiFileTheme* fileTheme_ = nullptr;
  TsuiUIStyle uiStyle_ = DeepBlue;
  int menuItemHeight_ = 21;
  int separatorHeight_ = 21;
  bool useSystemFont_ = true;
};

class TsuiPopupMenu : public TsuiMenu<TPopupMenu> {
  DECLARE_CLASS(TsuiPopupMenu, TsuiMenu<TPopupMenu>)
 public:
  explicit TsuiPopupMenu(TComponent* AOwner);

 protected:
  bool KeepsItemHeight() const override { return true; }
};

class TsuiMainMenu : public TsuiMenu<TMainMenu> {
  DECLARE_CLASS(TsuiMainMenu, TsuiMenu<TMainMenu>)
 public:
  // A main menu owned by a form takes the form's native menu bar away.
  explicit TsuiMainMenu(TComponent* AOwner);
  ~TsuiMainMenu() override;
  // The list set by the user; none while the menu's own check-mark list is in use.
  TCustomImageList* Images() const;
  void SetImages(TCustomImageList* Value);
  // The themed form showing this menu in its menu bar (set by the form).
  TsuiForm* ThemedForm() const { return themedForm_; }
  void SetThemedForm(TsuiForm* Value) { themedForm_ = Value; }
  void HookMenuItems() override;
  void SetUseSystemFont(bool Value) override;

 protected:
  bool KeepsItemHeight() const override { return false; }
  // The themed form's bar follows captions and enabled states.
  void MenuChanged(TMenuItem* Item, bool Rebuild) override;

 private:
  ObjectPtr<TCustomImageList> checkedImages_;
  TsuiForm* themedForm_ = nullptr;
};
