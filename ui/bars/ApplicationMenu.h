#pragma once
// The application menu: a popup menu whose window has the item column at the left, an extra pane
// at the right for a titled list of recent documents, and a right-aligned strip of buttons along
// the bottom that stand for ordinary buttons of the manager.

#include "platform/framework/classes/Collection.h"
#include "ui/bars/PopupMenus.h"
#include "ui/bars/SubItems.h"

class TdxBarCustomApplicationMenu;
class TdxBarExtraPaneDockControl;

// ---- the extra pane's items ---------------------------------------------------------------------

class TdxBarExtraPaneItem : public TCollectionItem {
  DECLARE_CLASS(TdxBarExtraPaneItem, TCollectionItem)
 public:
  explicit TdxBarExtraPaneItem(TCollection* Collection) : TCollectionItem(Collection) {}
  void Assign(TPersistent* Source) override;
  int Data = 0;
  int ImageIndex = -1;
  const String& DisplayText() const { return displayText_; }
  void SetDisplayText(const String& Value);
  const String& Text() const { return text_; }
  void SetText(const String& Value);

 private:
  String displayText_;
  String text_;
};

class TdxBarExtraPaneItems : public TOwnedCollection {
  DECLARE_CLASS(TdxBarExtraPaneItems, TOwnedCollection)
 public:
  explicit TdxBarExtraPaneItems(TPersistent* AOwner)
      : TOwnedCollection(AOwner, &TdxBarExtraPaneItem::ClassInfo()) {}
  TdxBarExtraPaneItem* ItemAt(int Index) const { return static_cast<TdxBarExtraPaneItem*>(Items(Index)); }
  TdxBarExtraPaneItem* InsertAt(int Index) { return static_cast<TdxBarExtraPaneItem*>(Insert(Index)); }
  TdxBarExtraPaneItem* AddItem() { return static_cast<TdxBarExtraPaneItem*>(Add()); }
  // The first item whose Text equals Text exactly (case counts); -1 for none.
  int IndexOfText(const String& Text) const;
};

using TdxBarExtraPaneItemClickEvent = TEvent<void(TObject* Sender, int Index)>;

class TdxBarApplicationMenuExtraPane : public TPersistent {
  DECLARE_CLASS(TdxBarApplicationMenuExtraPane, TPersistent)
 public:
  explicit TdxBarApplicationMenuExtraPane(TdxBarCustomApplicationMenu* AMenu);
  ~TdxBarApplicationMenuExtraPane() override;
  void Assign(TPersistent* Source) override;

  TdxBarCustomApplicationMenu* Menu() const { return menu_; }
  // The pane width at the painter's reference text size; 0 lets WidthRatio decide.
  int Size = 0;
  // The pane width as a multiple of the item column's width.
  double WidthRatio = 2.5;
  TdxBarExtraPaneItems* Items() const { return items_.get(); }
  TdxBarExtraPaneListItem* ListItem() const { return listItem_; }
  String Header() const;
  void SetHeader(const String& Value);
  TdxBarExtraPaneItemClickEvent OnItemClick;
  TdxBarExtraPaneListItem::TdxBarEntryDisplayTextEvent OnGetItemDisplayText;

  // The list item's entries from Items (text and item), for the next showing.
  void RefillEntries();

 private:
  TdxBarCustomApplicationMenu* menu_;
  ObjectPtr<TdxBarExtraPaneItems> items_;
  TdxBarExtraPaneListItem* listItem_ = nullptr;
};

// ---- the buttons --------------------------------------------------------------------------------

class TdxBarApplicationMenuButton : public TCollectionItem {
  DECLARE_CLASS(TdxBarApplicationMenuButton, TCollectionItem)
 public:
  explicit TdxBarApplicationMenuButton(TCollection* Collection);
  ~TdxBarApplicationMenuButton() override;
  void Assign(TPersistent* Source) override;

  // The button it stands for; the internal item follows its caption, state, glyph, hint, image,
  // screen tip and visibility, and a click on the internal item clicks it.
  TdxBarButton* Item() const { return item_; }
  void SetItem(TdxBarButton* Value);
  TdxBarApplicationMenuButtonItem* InternalItem() const { return internalItem_; }
  int Width() const;
  void SetWidth(int Value);

 private:
  void Follow();
  void Forget();
  TdxBarApplicationMenuButtonItem* internalItem_ = nullptr;
  TdxBarButton* item_ = nullptr;
  ObjectPtr<TdxBarComponentList> watch_;
  // Hears when the owner form frees the internal item first.
  ObjectPtr<TdxBarComponentList> own_;
};

class TdxBarApplicationMenuButtons : public TOwnedCollection {
  DECLARE_CLASS(TdxBarApplicationMenuButtons, TOwnedCollection)
 public:
  explicit TdxBarApplicationMenuButtons(TdxBarCustomApplicationMenu* AMenu);
  TdxBarApplicationMenuButton* ButtonAt(int Index) const { return static_cast<TdxBarApplicationMenuButton*>(Items(Index)); }
  TdxBarApplicationMenuButton* AddButton() { return static_cast<TdxBarApplicationMenuButton*>(Add()); }
  TdxBarCustomApplicationMenu* Menu() const { return menu_; }

 private:
  TdxBarCustomApplicationMenu* menu_;
};

// ---- the links ----------------------------------------------------------------------------------

// Large items without descriptions or shortcuts in the application menu itself; the menus opened
// from it show descriptions.
class TdxBarApplicationMenuItemLinks : public TdxBarSubMenuControlItemLinks {
  DECLARE_CLASS(TdxBarApplicationMenuItemLinks, TdxBarSubMenuControlItemLinks)
 public:
  using TdxBarSubMenuControlItemLinks::TdxBarSubMenuControlItemLinks;
  int DefaultOptionValue(TdxBarItemOptionValue Option) const override;
};

// ---- the window ---------------------------------------------------------------------------------

// The strip's layout: the shown buttons' widths in order, placed from the strip's left edge 6
// pixels apart while they fit, the row then moved right to end at the strip's right edge. The
// rectangles of the placed ones (fewer than the widths when some did not fit).
std::vector<TRect> ArrangeApplicationMenuButtons(const std::vector<int>& Widths, const TRect& Strip);

class TdxBarApplicationMenuControl : public TdxBarSubMenuControl {
  DECLARE_CLASS(TdxBarApplicationMenuControl, TdxBarSubMenuControl)
 public:
  TdxBarApplicationMenuControl(TdxBarManager* AOwner, TdxBarCustomApplicationMenu* AMenu);
  ~TdxBarApplicationMenuControl() override;
  const TdxBarAccessibilityHelperMetaClass* AccessibilityHelperClass() override;

  TdxBarCustomApplicationMenu* ApplicationMenu() const { return menu_; }
  TdxBarItemLinks* ButtonLinks() const { return buttonLinks_; }
  TRect ButtonsRect;
  TRect ExtraPaneRect;
  int ExtraPaneWidth = 0;
  bool ShowsExtraPane();
  // The pane's width for the item column's width.
  int CalcExtraPaneWidth(int ItemColumnWidth);

  void CalcNaturalSize(TSize& Size) override;
  void ContentMargins(TRect& R) override;
  void CalcItemsRect() override;
  void CalcLayout() override;
  void CalcViewInfo() override;
  void ShowMenuWindow() override;
  int FeatureFlags() override { return 158; }
  bool ChildMenuBounds(TRect& R) override;
  void DrawFrame(HDC DC, const TRect& R) override;
  void PaintContent() override;
  void CreateControlsForLinks() override;
  void DestroyControlsForLinks() override;
  bool HasLinkControl(TdxBarItemControl* Control) override;
  TdxBarItemControl* ButtonControlAt(const TPoint& P);
  // The pane's toolbar goes before the window does, so it is never registered for restoring.
  void DestroyWnd() override;

  // ---- the extra pane's toolbar (a hidden toolbar on a dock site of the window's own)
  virtual TdxBarExtraPaneDockControl* CreateExtraPaneDock();
  TdxBar* ExtraPaneBar() const { return extraPaneBar_; }
  TdxBarExtraPaneDockControl* ExtraPaneDock() const { return extraPaneDock_; }

 private:
  void CreateExtraPaneBar();
  void ShowExtraPaneBar();

  TdxBarCustomApplicationMenu* menu_;
  TdxBarItemLinks* buttonLinks_ = nullptr;
  TdxBar* extraPaneBar_ = nullptr;
  TdxBarExtraPaneDockControl* extraPaneDock_ = nullptr;
};

// ---- the component ------------------------------------------------------------------------------

class TdxBarCustomApplicationMenu : public TdxBarCustomPopupMenu {
  DECLARE_CLASS(TdxBarCustomApplicationMenu, TdxBarCustomPopupMenu)
 public:
  explicit TdxBarCustomApplicationMenu(TComponent* AOwner);
  ~TdxBarCustomApplicationMenu() override;

  TdxBarApplicationMenuButtons* Buttons() const { return buttons_.get(); }
  TdxBarApplicationMenuExtraPane* ExtraPane() const { return extraPane_.get(); }
  TNotifyEvent ExtraPaneEvents;

  TdxBarItemLinks* CreateItemLinks() override;
  TdxBarSubMenuControl* CreateMenuWindow() override;
  bool HandlesShortCut(TShortCut ShortCut) override;

  // The forwards to the extra pane.
  double ExtraPaneWidthRatio() const { return extraPane_->WidthRatio; }
  void SetExtraPaneWidthRatio(double Value) { extraPane_->WidthRatio = Value; }
  int ExtraPaneSize() const { return extraPane_->Size; }
  void SetExtraPaneSize(int Value) { extraPane_->Size = Value; }
  TdxBarExtraPaneItems* ExtraPaneItems() const { return extraPane_->Items(); }
  String ExtraPaneHeader() const { return extraPane_->Header(); }
  void SetExtraPaneHeader(const String& Value) { extraPane_->SetHeader(Value); }

 private:
  ObjectPtr<TdxBarApplicationMenuButtons> buttons_;
  ObjectPtr<TdxBarApplicationMenuExtraPane> extraPane_;
};

class TdxBarApplicationMenu : public TdxBarCustomApplicationMenu {
  DECLARE_CLASS(TdxBarApplicationMenu, TdxBarCustomApplicationMenu)
 public:
  using TdxBarCustomApplicationMenu::TdxBarCustomApplicationMenu;
};
