#pragma once
// Items: the commands of the bar library. An item is a component of the form registered with one
// manager and placed any number of times through item links. This file holds the item base with its
// action link and styles data, and the simple items: buttons, labels, separators, window items and
// the application-menu button item.

#include <memory>
#include <vector>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/ImageList.h"
#include "platform/framework/windows/ActnList.h"
#include "platform/framework/windows/ShortCuts.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarSupport.h"
#include "ui/bars/BarTypes.h"
#include "ui/foundation/Classes.h"
#include "ui/foundation/Styles.h"

class TdxBarItemActionLink;

// ---- styles data --------------------------------------------------------------------------------

// Change kinds of the styles data: a repaint, a relayout, or nothing.
enum TdxBarItemStyleChange { iscRepaint = 0, iscRelayout = 1, iscNone = 2 };

// Watches an item's styles and turns a change of one into a repaint (colours) or a relayout (font).
class TdxBarItemStylesData : public TcxInterfacedPersistent, public IcxStyleWatcher {
  DECLARE_CLASS(TdxBarItemStylesData, TcxInterfacedPersistent)
 public:
  TdxBarItemStylesData(TPersistent* AOwner, int AStyleCount);
  ~TdxBarItemStylesData() override;

  int StyleCount() const { return int(slots_.size()); }
  TcxStyle* GetStyle(int Index) const { return slots_.at(Index).Style; }
  void SetStyle(int Index, TcxStyle* Style);
  void StyleChanged(TcxCustomStyle* Sender) override;
  void StyleRemoved(TcxCustomStyle* Sender) override;
  void BeginChange();
  void EndChange();

  TEvent<void(TdxBarItemStyleChange Kind)> OnChange;

 private:
  struct Snapshot {
    TcxStyleValues Assigned;
    TColor Color = clDefault;
    int FontHeight = 0;
    TFontPitch FontPitch = fpDefault;
    TFontStyles FontStyle;
    TFontCharset FontCharset = DEFAULT_CHARSET;
    String FontName;  // at most 31 characters
    TColor TextColor = clDefault;
  };
  struct Slot {
    TcxStyle* Style = nullptr;
    Snapshot Snap;
  };
  static Snapshot SnapshotOf(TcxStyle* Style);
  // The change kind between the slot's snapshot and its style now; the snapshot is renewed.
  void Refresh(Slot& ASlot);
  void Report(TdxBarItemStyleChange Kind);
  bool HeldByOtherSlot(TcxStyle* Style, int Except) const;

  std::vector<Slot> slots_;
  int changeLockCount_ = 0;
  TdxBarItemStyleChange pendingChange_ = iscNone;
  bool destroying_ = false;
};

// ---- the item base ------------------------------------------------------------------------------

class TdxBarItem : public TdxBarComponent {
  DECLARE_CLASS(TdxBarItem, TdxBarComponent)
 public:
  explicit TdxBarItem(TComponent* AOwner) : TdxBarItem(AOwner, 1) {}
  ~TdxBarItem() override;
  // Fires OnDestroy, then deletes every link.
  void BeforeDestruction() override;
  void Assign(TPersistent* Source) override;
  void Loaded() override;
  void ReadState(TReader& Reader) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetName(const String& NewName) override;
  // Items with a category are streamed as children of their manager.
  bool HasParent() const override { return category_ >= 0; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  // ---- published properties
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TdxBarItemAlign Align() const { return align_; }
  void SetAlign(TdxBarItemAlign Value);
  String Caption() const { return GetCaption(); }
  int Category() const { return category_; }
  // While loading stored as is; else only a category of the manager, and the item moves next to
  // that category's last item.
  void SetCategory(int Value);
  const String& Description() const { return description_; }
  void SetDescription(const String& Value);
  // True while the manager customizes (for an item with a category), whatever is stored.
  bool Enabled() const { return GetEnabled(); }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int Value);
  const String& Hint() const { return hint_; }
  void SetHint(const String& Value);
  String KeyTip;
  TdxBarItemMergeKind MergeKind = mkAdd;
  int MergeOrder() const { return mergeOrder_; }
  void SetMergeOrder(int Value) { mergeOrder_ = Value < 0 ? 0 : Value; }
  TcxStyle* Style() const { return stylesData_->GetStyle(0); }
  void SetStyle(TcxStyle* Value) { stylesData_->SetStyle(0, Value); }
  TdxBarItemVisible Visible() const { return visible_; }
  TNotifyEvent OnDestroy;
  TNotifyEvent OnClick;
  TNotifyEvent OnAfterLoading;

  // ---- kept by the base, published by descendants
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* Value) { glyph_->Assign(Value); }
  TBitmap* LargeGlyph() const { return largeGlyph_.get(); }
  void SetLargeGlyph(TBitmap* Value) { largeGlyph_->Assign(Value); }
  int ImageIndex() const { return imageIndex_; }
  int LargeImageIndex() const { return largeImageIndex_; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut Value);
  TdxBarPaintStyle PaintStyle() const { return paintStyle_; }
  void SetPaintStyle(TdxBarPaintStyle Value);
  int Width() const { return GetWidth(); }
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool Value);
  TdxBarGlyphLayout GlyphLayout() const { return glyphLayout_; }
  void SetGlyphLayout(TdxBarGlyphLayout Value);
  bool UnclickAfterDoing = false;
  NativeInt Data = 0;
  bool CanSelect = true;
  // The link whose control is clicking the item, while the click runs.
  TdxBarItemLink* ClickedLink = nullptr;
  // The screen tip the item's hint shows (a tip of a repository); freed tips are forgotten.
  TdxBarScreenTip* ScreenTip() const { return screenTip_; }
  void SetScreenTip(TdxBarScreenTip* Value);

  // ---- state
  TdxBarItemActionLink* ActionLink() const { return actionLink_.get(); }
  void AssignTo(TPersistent* Dest) override;
  int LinkCount() const { return int(links_.size()); }
  TdxBarItemLink* LinkAt(int Index) const;
  // The first link whose item control is active (dropped down or editing), or null.
  TdxBarItemLink* ActiveLink() const;
  TdxBarItemVisible LoadedVisible() const { return loadedVisible_; }
  TdxBarItemStylesData* StylesData() const { return stylesData_.get(); }
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  bool IsDesigning() const { return ComponentState().Contains(csDesigning); }

  // ---- queries
  // Visible ivAlways with content (or while customizing), or ivInCustomizing while customizing.
  bool IsShowable() const;
  int ItemIndexInManager() const;
  void MoveInManager(int NewIndex);
  bool HasValidImageIndex() const;
  static bool IsValidImage(TCustomImageList* Images, int Index);
  bool IsValidImage(int Index) const { return IsValidImage(GetImages(), Index); }
  // The caption without its first "&" and then its first "...".
  String CaptionWithoutAccelerator() const;
  // The short part of Hint (before "|") is the caption without accelerator.
  bool HintFollowsCaption() const;
  // The library's defaults, each replaced by the style's value where the style assigns one.
  TcxViewParamSet ViewParamsFor(TcxStyle* AStyle) const;
  TcxViewParamSet ViewParams() const { return ViewParamsFor(Style()); }
  // The text colour and colour of the first style.
  void StyleParams(TColor& TextColor, TColor& Color) const;
  static bool CanMerge(TdxBarItem* A, TdxBarItem* B) { return A->CanMergeWith(B) && B->CanMergeWith(A); }
  void ShowDefaultEventHandler();
  void DeleteAllLinks();
  // Tells the lists that hold the item about a change of it (of everything with AllNull).
  void Changed(bool AllNull = false) { NotifyLists(AllNull); }

  // ---- clicks
  // DirectClick when CanClick.
  virtual void ClickFromLink();
  // Nothing while disabled; else the manager's OnClickItem and Click, inside a guard that hands any
  // exception to the application with the item as sender.
  void DirectClick();
  // OnClick, or the action when OnClick is its OnExecute (or unset).
  virtual void Click();
  // Disabled: False. The item's own shortcut clicks it; else the links it owns are offered it.
  virtual bool IsShortCut(TShortCut AShortCut);

  // ---- the item controls of the links
  // Every link's control recalculates its draw parameters and parts and repaints.
  virtual void RefreshControls();
  virtual void RepaintControls();
  // Every control measures itself again (its bar window lays out anew).
  void ResizeControls();
  // The bar windows of the given kinds (0 toolbar, 1 quick-customization bar, 2 menu) that show a
  // control of the item recalculate their layout.
  virtual void RebuildBars(TSet<int> Kinds);
  // The control class registered for the item's exact class; null when none.
  virtual TdxBarItemControlClass ItemControlClass(bool Vertical) const;

  // ---- overridable operations
  virtual int GetWidth() const { return width_; }
  virtual void SetWidth(int Value);
  virtual void BarManagerAssigned() {}
  virtual bool CanBePlacedOn(TdxBarItemPlaceKind Kind, TComponent* AOwner, String& ErrorText);
  virtual bool SupportsPaintStyle() const { return false; }
  virtual bool CanClick() const { return true; }
  // The item's entry in the customizing dialog's command list, drawn by the dialog's painter: the
  // caption without accelerators as a button entry (edit-like items draw an edit entry instead).
  virtual void DrawCustomizingImage(TCanvas* ACanvas, const TRect& R, bool Selected);
  // The customizing dialog's list entry background.
  virtual void DrawCustomizingImageContent(TCanvas* ACanvas, const TRect& R, bool Selected);
  virtual int GetLinkedImageIndex() const { return ImageIndex(); }
  virtual void SetLinkedImageIndex(int Value) { SetImageIndex(Value); }
  virtual TControl* HostedControl() const { return nullptr; }
  virtual TdxBarItemLinks* GetItemLinks() const { return nullptr; }
  virtual bool AcceptsAccelerator(TdxBarItemLink* Link) const;
  virtual void HostedControlHidden(TControl*) {}
  virtual bool HasContent() const { return true; }
  virtual bool CanMergeWith(TdxBarItem*) const { return false; }
  virtual bool UsesStyleBackground() const { return false; }
  virtual bool HostsControl() const { return false; }
  virtual void BarNotification(TOperation, TdxBar*) {}
  virtual bool HasHotImage() const { return false; }
  virtual bool HasImageIndex() const { return imageIndex_ >= 0 || largeImageIndex_ >= 0; }
  virtual void SetImageIndex(int Value);
  virtual void SetLargeImageIndex(int Value);
  virtual void CaptionChanged();
  virtual void EnabledChanged();
  virtual void GlyphChanged();
  virtual void HotGlyphChanged();
  virtual void LargeGlyphChanged();
  virtual void PaintStyleChanged() {}
  virtual void ShortCutChanged();
  virtual void VisibleChanged();
  virtual void WidthChanged();
  virtual String GetCaption() const { return caption_; }
  virtual bool IsCaptionStored() const;
  virtual void SetCaption(const String& Value);
  virtual bool GetEnabled() const;
  virtual void SetEnabled(bool Value);
  virtual void SetVisible(TdxBarItemVisible Value);
  virtual void RestoreFromLayout(TCustomIniFile&, const String&) {}
  virtual void LoadLayout(TCustomIniFile&, const String&, int) {}
  virtual void ResetUsageFromLayout(TCustomIniFile&, const String&) {}
  virtual void SaveLayout(TCustomIniFile&, const String&, int) {}
  virtual String GetDefaultCaption() const;
  virtual String GetQuickAccessName() const { return String(); }
  virtual TCustomImageList* GetImages() const;
  virtual bool IsExecutable() const { return true; }
  virtual bool HiddenInRunTimeCommands() const { return false; }
  virtual bool IsLinkNavigable(TdxBarItemLink*) const { return Enabled(); }
  virtual void HideControl(TdxBarItemControl*) {}
  virtual bool WantsHiddenLinkNotice() const { return false; }
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  // Does a caption change carry the hint along (when the hint follows the caption)? Sub-items answer
  // False.
  virtual bool CaptionSetsHint() const { return true; }

  // Stored tests: written only while the action does not supply the value.
  bool IsEnabledStored() const;
  bool IsHelpContextStored() const;
  bool IsHintStored() const;
  bool IsImageIndexStored() const;
  bool IsShortCutStored() const;
  bool IsVisibleStored() const;
  bool IsOnClickStored() const;

  // ---- design selection
  bool AllowsDelete(bool DeleteComponent) override;
  void DeleteSelected(IdxBarSelectableItem*& Reference, bool DeleteComponent) override;
  int SelectionStatus() override;
  int DesignMenuFlags() override;
  bool IsComplexSelection() override { return LinkCount() > 1; }
  void Select(int Mode) override;
  void SelectionChanged() override {}
  // The link the design selection works through: the first one (the manager's last selected link
  // takes precedence once the design controller exists).
  TdxBarItemLink* CurrentLink() const { return LinkCount() > 0 ? links_.front() : nullptr; }

 protected:
  TdxBarItem(TComponent* AOwner, int AStyleCount);
  void SetBarManager(TdxBarManager* Value);
  // Takes the item out of its manager's item list (customization never lists it); it keeps its
  // manager.
  void LeaveManagerItemList();
  const std::vector<TdxBarItemLink*>& Links() const { return links_; }
  // A style changed: relayout or repaint of the item's controls.
  virtual void StyleChanged(TdxBarItemStyleChange Kind);
  virtual TdxBarItemActionLink* CreateActionLink();

 private:
  friend class TdxBarItemLink;
  friend class TdxBarItemActionLink;
  friend class TdxBarManager;
  friend class TdxBarManagerCategories;
  void DoActionChange(TObject* Sender);
  // The visibility read while loading becomes the item's own.
  void ApplyLoadedVisible();

  ObjectPtr<TdxBarItemActionLink> actionLink_;
  TdxBarItemAlign align_ = iaLeft;
  String caption_;
  int category_ = -1;
  String description_;
  bool enabled_ = true;
  int helpContext_ = 0;
  String hint_;
  int mergeOrder_ = 0;
  TdxBarItemVisible visible_ = ivAlways;
  TdxBarItemVisible loadedVisible_ = ivAlways;
  ObjectPtr<TBitmap> glyph_;
  ObjectPtr<TBitmap> largeGlyph_;
  int imageIndex_ = -1;
  int largeImageIndex_ = -1;
  TShortCut shortCut_ = scNone;
  TdxBarPaintStyle paintStyle_ = psStandard;
  int width_ = 0;
  bool showCaption_ = false;
  TdxBarGlyphLayout glyphLayout_ = glTop;
  bool checkDefaults_ = false;
  std::vector<TdxBarItemLink*> links_;
  ObjectPtr<TdxBarItemStylesData> stylesData_;
  TdxBarScreenTip* screenTip_ = nullptr;
};

// ---- the action link ----------------------------------------------------------------------------

// The item follows its action property by property, while the item's value still equals the
// action's.
class TdxBarItemActionLink : public TActionLink {
  DECLARE_CLASS(TdxBarItemActionLink, TActionLink)
 public:
  explicit TdxBarItemActionLink(TdxBarItem* AClient) : TActionLink(AClient), item_(AClient) {}
  TdxBarItem* ItemClient() const { return item_; }

  bool IsCaptionLinked() override;
  bool IsCheckedLinked() override;
  bool IsEnabledLinked() override;
  bool IsHelpContextLinked() override;
  bool IsHintLinked() override;
  bool IsImageIndexLinked() override;
  bool IsShortCutLinked() override;
  bool IsVisibleLinked() override;
  bool IsOnExecuteLinked() override;
  void SetCaption(const String& Value) override;
  void SetChecked(bool Value) override;
  void SetEnabled(bool Value) override;
  void SetHelpContext(int Value) override;
  void SetHint(const String& Value) override;
  void SetImageIndex(int Value) override;
  void SetShortCut(TShortCut Value) override;
  void SetVisible(bool Value) override;
  void SetOnExecute(const TNotifyEvent& Value) override;

 protected:
  // The action has stored a new value, which the setters above already passed on to the item where
  // the item follows it; reapplying every value here would make an item that was set away follow
  // again.
  void Change() override {}

 private:
  TCustomAction* CustomAction() const;
  TdxBarItem* item_;
};

// ---- simple items -------------------------------------------------------------------------------

class TdxBarLabel : public TdxBarItem {
  DECLARE_CLASS(TdxBarLabel, TdxBarItem)
 public:
  explicit TdxBarLabel(TComponent* AOwner);
};

// A dividing line; in a menu its caption shows as a group header. Not on toolbars.
class TdxBarSeparator : public TdxBarLabel {
  DECLARE_CLASS(TdxBarSeparator, TdxBarLabel)
 public:
  explicit TdxBarSeparator(TComponent* AOwner) : TdxBarLabel(AOwner) {}
  int DesignMenuFlags() override { return TdxBarLabel::DesignMenuFlags() & ~0x800; }
  bool CanBePlacedOn(TdxBarItemPlaceKind Kind, TComponent* AOwner, String& ErrorText) override;
  String GetDefaultCaption() const override;
};

using TdxBarKeyEvent = TEvent<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TdxBarKeyPressEvent = TEvent<void(TObject* Sender, wchar_t& Key)>;

// Base of the items that edit a text in place.
class TdxBarWindowItem : public TdxBarItem {
  DECLARE_CLASS(TdxBarWindowItem, TdxBarItem)
 public:
  explicit TdxBarWindowItem(TComponent* AOwner) : TdxBarItem(AOwner) {}
  bool CanClick() const override { return false; }
  // A window that lays its controls out vertically shows the item as a plain button.
  TdxBarItemControlClass ItemControlClass(bool Vertical) const override;
  String Text() const { return GetText(); }
  virtual String GetText() const { return text_; }
  virtual void SetText(const String& Value);
  // The text of the in-place editor while one of the item's controls edits, else the stored text.
  String DisplayedText() const;
  // Into the editing control's editor while one edits, else through SetText.
  void SetDisplayedText(const String& Value);
  // The active link when its control is a window control that is editing; null otherwise.
  TdxBarItemLink* EditingLink() const;
  // Opens the editor of the first link shown by a window control (with RequireEnabledWindow the
  // first whose bar window is enabled with its parents): its toolbar window selects it and it is
  // clicked as by keyboard. A link in any other kind of window raises EdxBarException.
  void ActivateEditor(bool RequireEnabledWindow);
  // The control draws the text itself and shows no editor window.
  bool EmptyWindow = false;

  virtual void Change();
  virtual void CurChange();
  virtual void Enter();
  virtual void Exit();
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyPress(wchar_t& Key);
  virtual void KeyUp(Word& Key, TShiftState Shift);

  TNotifyEvent OnChange, OnCurChange, OnEnter, OnExit;
  TdxBarKeyEvent OnKeyDown, OnKeyUp;
  TdxBarKeyPressEvent OnKeyPress;

 protected:
  TdxBarWindowItem(TComponent* AOwner, int AStyleCount) : TdxBarItem(AOwner, AStyleCount) {}

 private:
  String text_;
};

class TdxBarButton : public TdxBarItem, public IdxBarLinksOwner {
  DECLARE_CLASS(TdxBarButton, TdxBarItem)
 public:
  explicit TdxBarButton(TComponent* AOwner);

  bool AllowAllUp() const { return allowAllUp_; }
  // Spread to every button of the same group.
  void SetAllowAllUp(bool Value);
  TdxBarButtonStyle ButtonStyle() const { return TdxBarButtonStyle(styleBits_); }
  // Releases the button.
  void SetButtonStyle(TdxBarButtonStyle Value);
  bool IsCheckable() const { return (styleBits_ & 1) != 0; }
  bool CloseSubMenuOnClick = true;
  bool DropDownEnabled() const { return dropDownEnabled_; }
  void SetDropDownEnabled(bool Value);
  int GroupIndex() const { return groupIndex_; }
  // Kept only for checkable styles (else 0); releases the button.
  void SetGroupIndex(int Value);
  bool Down() const { return down_; }
  // Only checkable buttons go down; a grouped one releases the group's other down button, and goes
  // up only with AllowAllUp or another button of the group down.
  void SetDown(bool Value);
  bool Lowered() const { return lowered_; }
  void SetLowered(bool Value);
  TdxBarPopupMenu* DropDownMenu() const { return dropDownMenu_; }
  // Raises "You cannot create recursive menus" (and keeps the old menu) when the menu holds the
  // button at any depth.
  void SetDropDownMenu(TdxBarPopupMenu* Value);
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Shows the drop-down menu for the control at the screen point (the popup menus open it).
  virtual void DropDown(TdxBarItemControl* Control, int X, int Y, bool ByMouse);
  bool IsDownStored() const;

  bool SupportsPaintStyle() const override { return true; }
  // The drop-down menu's links.
  TdxBarItemLinks* GetItemLinks() const override;
  void PaintStyleChanged() override;
  bool AcceptsAccelerator(TdxBarItemLink* Link) const override;
  String GetDefaultCaption() const override;
  // A checkable button toggles first (when enabled), then clicks.
  void ClickFromLink() override;
  int DesignMenuFlags() override { return TdxBarItem::DesignMenuFlags() | CustomizeOptions(); }
  // Does the link show the caption (psCaption or psCaptionGlyph)?
  virtual bool ShowsCaptionForLink(TdxBarItemLink* Link) const;
  // The design flags the button adds to the item's.
  virtual int CustomizeOptions() const { return IsDesigning() ? 0x120 : 0x20; }

  // IdxBarLinksOwner, through the drop-down menu.
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
  bool CanAddItem(TdxBarItem* Item, String& ErrorText) override;
  TCustomdxBarControl* CreateBarControl() override { return nullptr; }
  TComponent* OwnerComponent() override { return this; }
  TdxBarItemLinks* OwnedItemLinks() override { return GetItemLinks(); }

 private:
  bool allowAllUp_ = false;
  int styleBits_ = 0;
  bool dropDownEnabled_ = true;
  int groupIndex_ = 0;
  bool down_ = false;
  bool lowered_ = false;
  TdxBarPopupMenu* dropDownMenu_ = nullptr;
};

// The application-menu button's item: its registration selects the button's control. It is not in
// its manager's item list.
class TdxBarApplicationMenuButtonItem : public TdxBarItem {
  DECLARE_CLASS(TdxBarApplicationMenuButtonItem, TdxBarItem)
 public:
  explicit TdxBarApplicationMenuButtonItem(TComponent* AOwner) : TdxBarItem(AOwner) { LeaveManagerItemList(); }
};
