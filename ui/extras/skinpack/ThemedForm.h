#pragma once
// TsuiForm: a panel that gives the whole form the skin pack's look. It takes over the form's frame
// (no system caption, a thin border it paints itself, through a hook in the form's window-procedure
// chain), places a title bar at its top and a menu bar under it, fills the rest of the form, paints
// the background and shapes the window (round corners, or a region cut out of theme bitmaps).

#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/windows/AppEvnts.h"
#include "ui/extras/skinpack/FormMenuBar.h"
#include "ui/extras/skinpack/ThemedMenus.h"
#include "ui/extras/skinpack/TitleBar.h"

// The client rectangle the form's previous procedure is given for WM_NCCALCSIZE, from the window
// rectangle W and the frame sizes (theme sizes 0 with a built-in style).
TRect ThemedFormClientRect(const TRect& W, int BottomFrame, int SideFrame, int ThemeLeftWidth, int ThemeRightWidth,
                           int ThemeBottomHeight, int BorderWidth);

class TsuiForm : public TCustomPanel {
  DECLARE_CLASS(TsuiForm, TCustomPanel)
 public:
  explicit TsuiForm(TComponent* AOwner);
  ~TsuiForm() override;

  bool TitleBarCustom() const { return titleBar_ && titleBar_->Custom(); }
  void SetTitleBarCustom(bool Value);
  TsuiFileTheme* FileTheme() const { return fileTheme_; }
  void SetFileTheme(TsuiFileTheme* Value);
  TsuiUIStyle UIStyle() const { return uiStyle_; }
  void SetUIStyle(TsuiUIStyle Value);
  bool UIStyleAutoUpdateSub = false;
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor Value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int Value);
  bool TitleBarVisible() const { return titleBar_ && titleBar_->Visible(); }
  void SetTitleBarVisible(bool Value);
  String Caption() const { return titleBar_ ? titleBar_->Caption() : String(); }
  void SetCaption(const String& Value);
  TCustomPanel* FormPanel() const { return formPanel_; }
  void SetFormPanel(TCustomPanel* Value);
  TsuiTitleBar* TitleBar() const { return titleBar_; }
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* Value);
  TsuiMenuBar* MenuBar() const { return menuBar_; }
  TColor MenuBarColor() const { return menuBarColor_; }
  void SetMenuBarColor(TColor Value);
  TColor MenuBarToColor() const { return menuBarToColor_; }
  void SetMenuBarToColor(TColor Value);
  int MenuBarHeight() const;
  void SetMenuBarHeight(int Value);
  int RoundCorner() const { return TitleBarVisible() ? titleBar_->RoundCorner() : 0; }
  void SetRoundCorner(int Value);
  int RoundCornerBottom() const { return TitleBarVisible() ? titleBar_->RoundCornerBottom() : 0; }
  void SetRoundCornerBottom(int Value);
  String Version() const { return L"6.2"; }
  TColor InactiveCaptionColor() const { return titleBar_ ? titleBar_->InactiveCaptionColor() : clInactiveCaption; }

  // Menu bar upkeep (the main menu calls these on its changes).
  void RebuildMenuBar();
  void SyncMenuBarButtons();
  void ApplyMenuBarFont();
  // Repaints the frame this panel draws around the form.
  void PaintFrame();
  // Rebuilds the window region.
  void UpdateRegion();

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Loaded() override;
  void Paint() override;
  void Resize() override;
  void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
  MESSAGE_MAP_END

 private:
  void FormHook(TMessage& Message, TWindowProcChain& Next);
  void ApplicationMessage(MSG& Msg, bool& Handled);
  bool MenuShortcut(MSG& Msg);
  void RecomputeFrame();
  void RemoveCaptionStyle();
  void OnSize();
  // A child of an MDI frame: hides its title bar and scrolls its contents up while maximized.
  void MdiChildSized(bool Maximized);
  bool IsMdiChild() const;
  // The MDI client window this child lives in, or null.
  HWND MdiClient() const;
  void CreateMenuBar();
  void RemoveMenuBar();
  void MenuBarCustomDraw(TToolBar* Sender, TCanvas* ACanvas, const TRect& ARect, bool& DefaultDraw);
  void MenuBarCustomDrawButton(TToolBar* Sender, TToolButton* Button, TCanvas* ACanvas, TOwnerDrawState State,
                               bool& DefaultDraw);
  void PaintBuiltInFrame(TCanvas* canvas, int W, int H, int T);
  void PaintThemeFrame(TCanvas* canvas, int W, int H, int T);
  void FillMenuBarGap(TCanvas* canvas, const TRect& R);
  // The style and theme the menu bar draws with: those of a TsuiMainMenu in Menu, else the form's.
  TsuiUIStyle MenuStyle(TsuiFileTheme*& theme) const;
  bool Themed() const;

  bool built_ = false;
  TCustomForm* form_ = nullptr;
  TsuiTitleBar* titleBar_ = nullptr;
  TsuiMenuBar* menuBar_ = nullptr;
  TMainMenu* menu_ = nullptr;
  int themeBottomHeight_ = 0, themeLeftWidth_ = 0, themeRightWidth_ = 0;
  int bottomFrame_ = 0, sideFrame_ = 0;
  TBitmap bottomBuffer_;
  TColor keyColor_ = clFuchsia;
  bool titleRegion_ = false, bottomRegion_ = false;
  int titleRegionFirst_ = 0, titleRegionLast_ = 0, bottomRegionFirst_ = 0, bottomRegionLast_ = 0;
  // A maximized MDI child; one restored before; one maximized when it was made.
  bool mdiMaximized_ = false, mdiRestoredOnce_ = false, mdiMaximizedAtStart_ = false;
  TFormBorderStyle formerBorderStyle_ = bsSizeable;
  bool destroying_ = false;
  int menuBarHeight_ = 22;
  TApplicationEvents* appEvents_ = nullptr;
  TWindowProcHook hook_;
  TRect savedBounds_;
  bool startedMaximized_ = false;
  bool userTitleBarVisible_ = true;
  bool internalChange_ = false;
  bool inSize_ = false;
  TColor borderColor_ = clBlack;
  TCustomPanel* formPanel_ = nullptr;
  int borderWidth_ = 1;
  TsuiUIStyle uiStyle_ = DeepBlue;
  TsuiFileTheme* fileTheme_ = nullptr;
  TColor menuBarColor_ = clBtnFace;
  TColor menuBarToColor_ = clBtnFace;
  TBitmap background_;
};
