#pragma once
// TsuiTitleBar: a drawn caption bar made of section pictures, caption buttons (control box or
// application icon, help, minimize, maximize/restore, close, custom), the caption and a system
// menu. On its own it drags its form and acts on the form's window state; the themed form reads
// its composed pictures for the window's top band.

#include "platform/framework/classes/Collection.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "ui/extras/skinpack/ThemeFiles.h"
#include "ui/extras/skinpack/ThemedMenus.h"

class TsuiTitleBar;

enum TsuiTitleBarBtnType : Byte { suiMax = 0, suiMin = 1, suiClose = 2, suiHelp = 3, suiControlBox = 4, suiCustom = 5 };
enum TsuiTitleBarAlign : Byte { suiLeft = 0, suiRight = 1, suiClient = 2 };
using TsuiTitleBarButtonClickEvent = TEvent<void(TObject* Sender, int ButtonIndex)>;

// The private message a title bar asks its form for the left frame width.
constexpr UINT SUI_FRAME_LEFT = 0x26C3;

class TsuiTitleBarButton : public TCollectionItem {
  DECLARE_CLASS(TsuiTitleBarButton, TCollectionItem)
 public:
  explicit TsuiTitleBarButton(TCollection* Collection);
  ~TsuiTitleBarButton() override;
  void Assign(TPersistent* Source) override;

  TsuiUIStyle UIStyle() const { return uiStyle_; }
  void SetUIStyle(TsuiUIStyle Value);
  TsuiTitleBarBtnType ButtonType() const { return buttonType_; }
  void SetButtonType(TsuiTitleBarBtnType Value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  int Top() const { return top_; }
  void SetTop(int Value);
  TPopupMenu* ControlBoxMenu() const { return controlBoxMenu_; }
  void SetControlBoxMenu(TPopupMenu* Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  TPicture* PicNormal() const { return pictures_[0].get(); }
  TPicture* PicMouseOn() const { return pictures_[1].get(); }
  TPicture* PicMouseDown() const { return pictures_[2].get(); }
  // Reloads the pictures of the button's type from the style or theme (custom buttons keep theirs).
  void ReloadPictures();

 private:
  TsuiTitleBar* TitleBar() const;
  void Repaint() const;

  TsuiUIStyle uiStyle_ = DeepBlue;
  TsuiTitleBarBtnType buttonType_ = suiCustom;
  bool transparent_ = false;
  int top_ = 2;
  TPopupMenu* controlBoxMenu_ = nullptr;
  bool visible_ = true;
  ObjectPtr<TPicture> pictures_[3];
};

class TsuiTitleBarSection : public TCollectionItem {
  DECLARE_CLASS(TsuiTitleBarSection, TCollectionItem)
 public:
  explicit TsuiTitleBarSection(TCollection* Collection);
  ~TsuiTitleBarSection() override;
  void Assign(TPersistent* Source) override;

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  int Width() const { return width_; }
  void SetWidth(int Value);
  TsuiTitleBarAlign Align() const { return align_; }
  void SetAlign(TsuiTitleBarAlign Value);
  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(TPicture* Value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool Value);
  bool CapSec() const { return capSec_; }
  void SetCapSec(bool Value);

 private:
  void Repaint() const;

  bool autoSize_ = false;
  int width_ = 10;
  TsuiTitleBarAlign align_ = suiLeft;
  ObjectPtr<TPicture> picture_;
  bool stretch_ = false;
  bool capSec_ = false;
};

// Collections owned by a title bar; a change of an item repaints it.
class TsuiTitleBarButtons : public TOwnedCollection {
  DECLARE_CLASS(TsuiTitleBarButtons, TOwnedCollection)
 public:
  explicit TsuiTitleBarButtons(TsuiTitleBar* TitleBar);
  TsuiTitleBarButton* Items(int Index) const { return static_cast<TsuiTitleBarButton*>(TCollection::Items(Index)); }
  TsuiTitleBarButton* Add() { return static_cast<TsuiTitleBarButton*>(TCollection::Add()); }

 protected:
  void Update(TCollectionItem* Item) override;
};

class TsuiTitleBarSections : public TOwnedCollection {
  DECLARE_CLASS(TsuiTitleBarSections, TOwnedCollection)
 public:
  explicit TsuiTitleBarSections(TsuiTitleBar* TitleBar);
  TsuiTitleBarSection* Items(int Index) const { return static_cast<TsuiTitleBarSection*>(TCollection::Items(Index)); }
  TsuiTitleBarSection* Add() { return static_cast<TsuiTitleBarSection*>(TCollection::Add()); }

 protected:
  void Update(TCollectionItem* Item) override;
};

// The title bar's system menu: Minimize, Maximize/Restore, a separator, Close.
class TsuiTitleBarPopupMenu : public TsuiPopupMenu {
  DECLARE_CLASS(TsuiTitleBarPopupMenu, TsuiPopupMenu)
 public:
  TsuiTitleBarPopupMenu(TComponent* AOwner, TsuiTitleBar* TitleBar);
  void Popup(int X, int Y) override;
  // Enables each command as the title bar has a visible button for it.
  void UpdateItems();

 private:
  TsuiTitleBar* titleBar_;
};

class TsuiTitleBar : public TCustomPanel {
  DECLARE_CLASS(TsuiTitleBar, TCustomPanel)
 public:
  explicit TsuiTitleBar(TComponent* AOwner);
  ~TsuiTitleBar() override;

  bool Custom() const { return custom_; }
  void SetCustom(bool Value) { custom_ = Value; }
  TsuiFileTheme* FileTheme() const { return fileTheme_; }
  void SetFileTheme(TsuiFileTheme* Value);
  TsuiUIStyle UIStyle() const { return uiStyle_; }
  void SetUIStyle(TsuiUIStyle Value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value) override;
  TsuiTitleBarSections* Sections() const { return sections_.get(); }
  TsuiTitleBarButtons* Buttons() const { return buttons_.get(); }
  int ButtonInterval() const { return buttonInterval_; }
  void SetButtonInterval(int Value);
  String Caption() const { return caption_; }
  void SetCaption(const String& Value);
  bool FormActive() const { return formActive_; }
  void SetFormActive(bool Value);
  int LeftBtnXOffset() const { return leftBtnXOffset_; }
  void SetLeftBtnXOffset(int Value);
  int RightBtnXOffset() const { return rightBtnXOffset_; }
  void SetRightBtnXOffset(int Value);
  bool DrawAppIcon() const { return drawAppIcon_; }
  void SetDrawAppIcon(bool Value);
  int RoundCorner() const { return roundCorner_; }
  void SetRoundCorner(int Value) { roundCorner_ = Value; }
  int RoundCornerBottom() const { return roundCornerBottom_; }
  void SetRoundCornerBottom(int Value) { roundCornerBottom_ = Value; }
  TColor InactiveCaptionColor() const { return inactiveCaptionColor_; }
  void SetInactiveCaptionColor(TColor Value);
  TsuiTitleBarPopupMenu* SystemMenu() const { return systemMenu_; }

  // -1 the frame bitmap, -2 the composed bitmap, 0.. the section pictures (with more than two).
  TBitmap* GetPicture(int Index);
  // Exactly 3 sections with pictures, or 5 with pictures in sections 1, 2 and the last three.
  bool HasFullSectionSet() const;
  // Every maximize button shows the picture of its form's state.
  void UpdateMaximizeButtons();
  // What a caption button does (also the system menu's commands).
  void ProcessButtonAction(TsuiTitleBarButton* Button);
  // The form this bar sits on, or null.
  TCustomForm* ParentForm();
  // True when the bar's parent is a themed form panel.
  bool OnThemedForm() const;
  // A right-to-left BiDiMode on a Middle-East system: the caption sits at the buttons' end and the
  // menus open 176 pixels further right.
  bool RightToLeft() const;
  int ButtonTop() const { return buttonTop_; }

  TsuiTitleBarButtonClickEvent OnCustomBtnsClick;
  TsuiTitleBarButtonClickEvent OnHelpBtnClick;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Paint() override;
  virtual void PaintSections(TBitmap* Buffer);
  virtual void PaintButtonsAndCaption(TBitmap* Buffer);
  void DblClick() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  void WMNCMouse(TMessage& Message);
  void CMRepaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_NCMOUSEMOVE, WMNCMouse)
  MESSAGE_HANDLER(WM_NCLBUTTONDOWN, WMNCMouse)
  MESSAGE_HANDLER(WM_NCLBUTTONUP, WMNCMouse)
  MESSAGE_HANDLER(CM_FONTCHANGED, CMRepaint)
  MESSAGE_HANDLER(CM_MOUSELEAVE, CMRepaint)
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
  MESSAGE_MAP_END

 private:
  int FrameLeftAnswer();
  void ApplyThemeSections(TsuiFileTheme* theme);
  void ApplyStyleSections(TsuiUIStyle style);
  void AddSection(TBitmap* picture, bool autoSize, TsuiTitleBarAlign align, bool capSec = false);
  int ButtonPartWidth() const { return titleButtonsWidth_ / 18; }

  TsuiUIStyle uiStyle_ = DeepBlue;
  TsuiFileTheme* fileTheme_ = nullptr;
  ObjectPtr<TsuiTitleBarSections> sections_;
  ObjectPtr<TsuiTitleBarButtons> buttons_;
  bool autoSize_ = false;
  int buttonInterval_ = 0;
  String caption_;
  bool formActive_ = true;
  int leftBtnXOffset_ = 0;
  int rightBtnXOffset_ = 0;
  int roundCorner_ = 0;
  int roundCornerBottom_ = 0;
  bool drawAppIcon_ = true;
  bool insideThemeChange_ = false;
  bool pressed_ = false;
  TsuiTitleBarPopupMenu* systemMenu_ = nullptr;
  bool custom_ = false;
  bool fiveSections_ = false;
  String fittedCaption_;
  TBitmap frameBitmap_;
  TBitmap composedBitmap_;
  TBitmap buffer_;
  TColor backgroundColor_ = clBtnFace;
  TColor keyColor_ = clFuchsia;
  TColor inactiveCaptionColor_ = clInactiveCaption;
  int hotIndex_ = -1;
  int titleButtonsWidth_ = 0;
  int titleButtonsHeight_ = 0;
  int buttonTop_ = 2;
  int iconTop_ = 2;
  int captionTop_ = 2;
};
