#pragma once
// Popup menus: non-visual components that own a list of item links and show it, on request, in a
// menu window at a screen point or under a control. By default the popup runs its own message loop
// until the menu closes, so PopupAt returns only after the menu has gone.

#include "platform/framework/graphics/Bitmap.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarSupport.h"
#include "ui/bars/SubMenuControl.h"

using TdxBarPaintBarEvent = TEvent<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;

class TdxBarCustomPopupMenu : public TdxBarComponent, public IdxBarLinksOwner, public IdxBarSubMenuOwner {
  DECLARE_CLASS(TdxBarCustomPopupMenu, TdxBarComponent)
 public:
  // Raises "There are no TdxBarManagers available" while no manager exists.
  explicit TdxBarCustomPopupMenu(TComponent* AOwner);
  ~TdxBarCustomPopupMenu() override;
  void BeforeDestruction() override;
  void Loaded() override;

  int _AddRef() override { return -1; }
  int _Release() override { return -1; }

  void SetBarManager(TdxBarManager* Value);
  // The manager is going: the popup forgets it (it cannot open any more).
  void ForgetBarManager();
  TBitmap* BackgroundBitmap() const { return backgroundBitmap_.get(); }
  void SetBackgroundBitmap(TBitmap* Value) { backgroundBitmap_->Assign(Value); }
  int BarSize() override { return barSize_; }
  void SetBarSize(int Value) { barSize_ = std::max(Value, 0); }
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  TFont* EditFont() const { return editFont_.get(); }
  bool UseOwnFont() const { return useOwnFont_; }
  void SetUseOwnFont(bool Value);
  TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
  void SetItemLinks(TdxBarItemLinks* Value) { itemLinks_->Assign(Value); }

  // Set for one opening (PopupFromControl) or by the item control whose drop-down this is.
  const TRect* AnchorBounds = nullptr;
  TdxBarItemControl* OpenerItemControl = nullptr;
  TControl* AnchorControl = nullptr;
  int AnchorWidth = 0;
  int AnchorHeight = 0;
  bool Animate = true;
  bool RunsOwnLoop = true;
  bool IsOpen() const { return isOpen_; }

  TNotifyEvent OnCloseUp;
  TNotifyEvent OnPopup;
  TdxBarPaintBarEvent OnPaintBar;

  // The menu window while the popup is open.
  TdxBarSubMenuControl* MenuWindow() const;
  // Opens the menu with its top-left at the screen point (nothing while it is open); with
  // RunsOwnLoop returns when it has closed.
  void PopupAt(int X, int Y);
  void PopupAtCursor();
  // PopupAt for one opening from a control; the defaults come back afterwards.
  void PopupFromControl(int X, int Y, TControl* Control, bool RunOwnLoop, const TRect* Bounds, bool AAnimate,
                        int AAnchorHeight, int AAnchorWidth);
  // Offers the shortcut of a key message (key code, Shift, Ctrl, Alt from bit 29 of the key data) to
  // the items; True when one took it.
  bool ShortCutPressed(Word Key, LPARAM KeyData);

  // ---- the virtual operations the popup introduces
  virtual TdxBarItemLinks* CreateItemLinks();
  virtual bool HandlesShortCut(TShortCut) { return false; }
  virtual TdxBarSubMenuControl* CreateMenuWindow();
  void PaintBar(TCanvas* Canvas, const TRect& R) override;

  // ---- IdxBarLinksOwner
  bool CanAddItem(TdxBarItem* Item, String& ErrorText) override;
  TCustomdxBarControl* CreateBarControl() override { return CreateMenuWindow(); }
  TComponent* OwnerComponent() override { return this; }
  TdxBarItemLinks* OwnedItemLinks() override { return itemLinks_; }

 protected:
  // The links of a descendant's own class take the place of the base's.
  void ReplaceItemLinks(TdxBarItemLinks* Links) {
    itemLinks_->Free();
    itemLinks_ = Links;
    itemLinks_->UseRecentItems = false;
  }
  void MenuPopup(TObject* Sender);
  void MenuCloseUp(TObject* Sender);
  void FontChanged(TObject* Sender);
  void RunLoop();

 private:
  ObjectPtr<TBitmap> backgroundBitmap_;
  ObjectPtr<TFont> editFont_;
  ObjectPtr<TFont> font_;
  TdxBarItemLinks* itemLinks_ = nullptr;
  int barSize_ = 0;
  bool applyingFont_ = false;
  bool useOwnFont_ = false;
  bool isOpen_ = false;
  // Cleared by the destructor while the own loop runs.
  bool* alive_ = nullptr;
};

class TdxBarPopupMenu : public TdxBarCustomPopupMenu {
  DECLARE_CLASS(TdxBarPopupMenu, TdxBarCustomPopupMenu)
 public:
  explicit TdxBarPopupMenu(TComponent* AOwner) : TdxBarCustomPopupMenu(AOwner) {}
  TdxBarItemOptions* ItemOptions() const { return ItemLinks()->ItemOptions(); }
  void SetItemOptions(TdxBarItemOptions* Value) { ItemLinks()->SetItemOptions(Value); }
  bool UseRecentItems() const { return ItemLinks()->UseRecentItems; }
  void SetUseRecentItems(bool Value) { ItemLinks()->UseRecentItems = Value; }
};

// A manager that is not being destroyed has a popup menu that is open.
bool AnyBarPopupMenuOpen();
