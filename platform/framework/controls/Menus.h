#pragma once
// Menus: items in a tree over system menus, the popup menu with its hidden popup-list window, the
// main menu of a form, owner drawing, and the shortcut dispatch of a form.
//
// Every item has a command id from one process-wide table; WM_COMMAND, WM_MENUSELECT,
// WM_INITMENUPOPUP, WM_MEASUREITEM/WM_DRAWITEM (ODT_MENU) and WM_MENUCHAR find the item through it.
// Popup menus are owned by the popup list (PopupList.WindowHandle()); a main menu's messages are
// taken from its form through a WindowProc hook.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CONTROLS);

#include <memory>
#include <vector>

#include "platform/framework/windows/ActnList.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/controls/StdCtrls.h"

FRAMEWORK_EXCEPTION(EMenuError, Exception);

class TMenu;
class TMenuItem;
class TBitmap;

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };

using TMenuMeasureItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent =
    TEvent<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State)>;

// ---- TMenuItem -----------------------------------------------------------------------------------

class TMenuActionLink;

class TMenuItem : public TComponent {
  DECLARE_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  // Sub-items.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int Index) const { return items_.at(Index); }
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes the sub-item out without freeing it.
  void Remove(TMenuItem* Item);
  // Frees the sub-item at Index.
  void Delete(int Index);
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  int MenuIndex() const;
  void SetMenuIndex(int Value);
  TMenuItem* Parent() const { return parent_; }
  // The menu the item belongs to, or null.
  TMenu* GetParentMenu() const;
  // The sub-item with this caption ("&" ignored), or null.
  TMenuItem* Find(const String& ACaption) const;
  bool IsLine() const { return caption_ == L"-"; }

  // The sub-menu's handle; null for an item without sub-items or before the menu is built.
  HMENU Handle() const { return handle_; }
  UINT Command() const { return command_; }

  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  bool Checked() const { return checked_; }
  // Checking a radio item unchecks the radio items of its group among its siblings.
  void SetChecked(bool Value);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool Value);
  Byte GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(Byte Value);
  bool AutoCheck = false;
  bool Default() const { return default_; }
  void SetDefault(bool Value);
  TMenuBreak Break() const { return break_; }
  void SetBreak(TMenuBreak Value);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut Value);
  const String& Hint() const { return hint_; }
  void SetHint(const String& Value) { hint_ = Value; }
  int HelpContext = 0;
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  // The item's own picture, made on first use.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* Value);
  bool HasBitmap() const;

  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  virtual void InitiateAction();

  virtual void Click();
  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;
  TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

  // Owner drawing (the popup list and forms call these for ODT_MENU).
  virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
  virtual void AdvancedDrawItem(TCanvas* ACanvas, TRect ARect, TOwnerDrawState State, bool TopLevel);

 protected:
  friend class TMenu;
  friend class TMenuActionLink;
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  virtual TMenuActionLink* CreateActionLink();
  TMenuActionLink* ActionLink() const { return actionLink_.get(); }
  // A property changed: the system menu shows it.
  void Changed(bool Rebuild);
  virtual void DoDrawText(TCanvas* ACanvas, const String& ACaption, TRect& Rect, bool Selected, UINT Flags);

 private:
  friend class TPopupList;
  void InsertAt(int Index, TMenuItem* Item);
  void FillHandle(HMENU menu, bool ownerDraw);
  void ReleaseHandles();
  void TurnSiblingsOff();

  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item only
  HMENU handle_ = nullptr;
  UINT command_ = 0;
  String caption_;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  bool radioItem_ = false;
  Byte groupIndex_ = 0;
  bool default_ = false;
  TMenuBreak break_ = mbNone;
  TShortCut shortCut_ = scNone;
  String hint_;
  int imageIndex_ = -1;
  std::unique_ptr<TBitmap> bitmap_;
  std::unique_ptr<TMenuActionLink> actionLink_;
};

class TMenuActionLink : public TActionLink {
  DECLARE_CLASS(TMenuActionLink, TActionLink)
 public:
  explicit TMenuActionLink(TMenuItem* AClient) : TActionLink(AClient), item_(AClient) {}
  TMenuItem* Item() const { return item_; }

  bool IsCaptionLinked() override;
  bool IsCheckedLinked() override;
  bool IsEnabledLinked() override;
  bool IsHelpContextLinked() override;
  bool IsHintLinked() override;
  bool IsGroupIndexLinked() override;
  bool IsImageIndexLinked() override;
  bool IsShortCutLinked() override;
  bool IsVisibleLinked() override;
  bool IsOnExecuteLinked() override;
  void SetCaption(const String& Value) override { item_->SetCaption(Value); }
  void SetChecked(bool Value) override { item_->SetChecked(Value); }
  void SetEnabled(bool Value) override { item_->SetEnabled(Value); }
  void SetHelpContext(int Value) override { item_->HelpContext = Value; }
  void SetHint(const String& Value) override { item_->SetHint(Value); }
  void SetImageIndex(int Value) override { item_->SetImageIndex(Value); }
  void SetShortCut(TShortCut Value) override { item_->SetShortCut(Value); }
  void SetVisible(bool Value) override { item_->SetVisible(Value); }
  void SetOnExecute(const TNotifyEvent& Value) override { item_->OnClick = Value; }

 private:
  TMenuItem* item_;
};

// ---- Menus ---------------------------------------------------------------------------------------

class TMenu : public TComponent {
  DECLARE_CLASS(TMenu, TComponent)
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  TMenuItem* Items() const { return items_.get(); }
  // The system menu, built on first use.
  HMENU Handle();
  bool HandleAllocated() const { return items_->handle_ != nullptr; }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool Value);
  // The reading order the menu's drawing follows; with ParentBiDiMode (the default) that of the
  // owning control. Setting it clears ParentBiDiMode.
  TBiDiMode BiDiMode() const;
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool Value) { parentBiDiMode_ = Value; }
  // A BiDiMode other than left-to-right on a Middle-East system.
  bool UseRightToLeftAlignment() const;

  // Finds the item with the key message's shortcut and clicks it, unless its action stays disabled
  // after its update; true when an item ran.
  virtual bool IsShortCut(TMessage& Message);
  // The item with that shortcut (visible and in this menu), or null.
  TMenuItem* FindShortCut(TShortCut ShortCut) const;
  // The item with that command id (WM_COMMAND, WM_MENUSELECT), or the item whose sub-menu that is.
  TMenuItem* FindItem(UINT Value, bool ByHandle) const;
  // Runs the item with that command id; true when the id is one of this menu's.
  bool DispatchCommand(UINT Command);
  // Runs the OnClick of the item whose sub-menu opens; true when the menu is one of this menu's.
  bool DispatchPopup(HMENU SubMenu);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

 protected:
  friend class TMenuItem;
  // The system menu of the root: a bar for a main menu, a popup for a popup menu.
  virtual HMENU CreateRootHandle() = 0;
  // Refreshes the system menu after a change (rebuilds it when Rebuild or when the entry moved).
  virtual void MenuChanged(TMenuItem* Item, bool Rebuild);
  void RebuildHandle();
  // Handles the menu messages owned by this menu's window; false when not one of them.
  bool HandleMenuMessage(TMessage& Message);

 private:
  std::unique_ptr<TMenuItem> items_;
  TCustomImageList* images_ = nullptr;
  bool ownerDraw_ = false;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool parentBiDiMode_ = true;
};

class TMainMenu : public TMenu {
  DECLARE_CLASS(TMainMenu, TMenu)
 public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
  ~TMainMenu() override;
  // The form showing the menu (TCustomForm::SetMenu sets it).
  TCustomForm* Form() const { return form_; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  HMENU CreateRootHandle() override { return CreateMenu(); }
  void MenuChanged(TMenuItem* Item, bool Rebuild) override;

 private:
  friend void AttachMainMenu(TCustomForm* Form, TMainMenu* Menu);
  friend class TCustomForm;
  void FormHook(TMessage& Message, TWindowProcChain& Next);
  TCustomForm* form_ = nullptr;
  TWindowProcHook hook_;
};

// Shows Menu as Form's menu bar (null removes it); TCustomForm::SetMenu calls it.
void AttachMainMenu(TCustomForm* Form, TMainMenu* Menu);

enum TPopupAlignment { paLeft, paRight, paCenter };
// How a popup menu unfolds: the directions of its slide, or maNoAnimation for no animation at all; an empty
// set leaves it to the system's setting.
enum TMenuAnimations { maLeftToRight, maRightToLeft, maTopToBottom, maBottomToTop, maNoAnimation };
using TMenuAnimation = TSet<TMenuAnimations>;
// The animation flags of the popup call for a set.
UINT MenuAnimationFlags(TMenuAnimation Animation);

class TPopupMenu : public TMenu {
  DECLARE_CLASS(TPopupMenu, TMenu)
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  // Shows the menu at the screen point and returns once the chosen item's OnClick has run, or the
  // menu was cancelled.
  virtual void Popup(int X, int Y);
  TComponent* PopupComponent = nullptr;
  TPopupAlignment Alignment = paLeft;
  TMenuAnimation MenuAnimation;
  bool AutoPopup = true;
  TNotifyEvent OnPopup;

 protected:
  HMENU CreateRootHandle() override { return CreatePopupMenu(); }
  virtual void DoPopup(TObject* Sender);

 private:
  friend class TPopupList;
  bool HandlePopupMessage(TMessage& Message) { return HandleMenuMessage(Message); }
};

// The hidden window that owns every open popup menu and hands its messages to the menus.
class TPopupList {
 public:
  HWND WindowHandle();
  void Add(TPopupMenu* Menu);
  void Remove(TPopupMenu* Menu);

 private:
  void WndProc(TMessage& Message);
  std::vector<TPopupMenu*> menus_;
  HWND window_ = nullptr;
};

extern TPopupList PopupList;

// Chooses the item with that command in the popup menu being shown (a modal driver's script calls
// it) and closes the menu; Popup runs the item as if the user had clicked it.
void ChoosePopupCommand(UINT Command);

// The shortcut dispatch of a form, after the focused control's CN_KEYDOWN and before dialog keys:
// the form's menu, its action lists in creation order, then the focused control's popup menu.
bool DispatchFormShortCut(TCustomForm* Form, TMessage& Message);

// "&" accelerators: the caption without "&" markers ("&&" stays one "&").
String StripHotkey(const String& Text);
