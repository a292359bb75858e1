#pragma once
// Toolbars: TdxBar (one bar of a manager: its links and where they are shown, docked on a site or
// floating), its caption buttons, its merge data, and TdxBars (the manager's collection of toolbars,
// which owns the four default dock sites and moves toolbars between sites).

#include <vector>

#include "platform/framework/classes/Collection.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Graphics.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarTypes.h"
#include "ui/foundation/Classes.h"

class TCustomIniFile;
class TdxBar;
class TdxBars;
class TdxBarControl;
class TdxDockControl;
class TdxDockRow;
class TdxBarScreenTip;

enum TdxBarBorderStyle { bbsNone, bbsSingle };

// ---- caption buttons ----------------------------------------------------------------------------

class TdxBarAccessibilityHelper;
class TdxBarAccessibilityHelperMetaClass;

class TdxBarCaptionButton : public TCollectionItem {
  DECLARE_CLASS(TdxBarCaptionButton, TCollectionItem)
 public:
  explicit TdxBarCaptionButton(TCollection* ACollection);
  ~TdxBarCaptionButton() override;
  void Assign(TPersistent* Source) override;

  enum TState { stNormal = 0, stDisabled = 1, stHot = 2, stPressed = 4 };
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  int State() const { return state_; }
  void SetState(int Value);
  TBitmap* Glyph() const { return glyph_.get(); }
  TdxBarScreenTip* ScreenTip() const { return screenTip_; }
  void SetScreenTip(TdxBarScreenTip* Value);
  void SetOnClick(const TNotifyEvent& Value);
  // Fires OnClick.
  void Click();
  TdxBarAccessibilityHelper* AccessibilityHelper();
  virtual const TdxBarAccessibilityHelperMetaClass* AccessibilityHelperClass();
  // The window of the owning toolbar, null when none.
  TdxBarControl* BarControl() const;
  // The hint texts: true with the hint only while hot.
  bool GetHintTexts(String& Hint, String& ShortCutText) const;

  String Hint;
  String KeyTip;
  TRect Bounds{};
  TNotifyEvent OnClick;

 private:
  void ScreenTipFreed(TObject* Sender);
  bool enabled_ = true;
  int state_ = stNormal;
  ObjectPtr<TBitmap> glyph_;
  TdxBarScreenTip* screenTip_ = nullptr;
  ObjectPtr<TcxFreeNotificator> freeNotificator_;
  TdxBarAccessibilityHelper* accessibilityHelper_ = nullptr;
};

class TdxBarCaptionButtons : public TCollection {
  DECLARE_CLASS(TdxBarCaptionButtons, TCollection)
 public:
  explicit TdxBarCaptionButtons(TdxBar* ABar);
  ~TdxBarCaptionButtons() override;
  TdxBarAccessibilityHelper* AccessibilityHelper();
  virtual const TdxBarAccessibilityHelperMetaClass* AccessibilityHelperClass();
  TdxBar* Bar() const { return bar_; }
  TdxBarCaptionButton* ButtonAt(int Index) const { return static_cast<TdxBarCaptionButton*>(Items(Index)); }
  TdxBarCaptionButton* AddButton() { return static_cast<TdxBarCaptionButton*>(Add()); }
  // The first enabled button whose bounds hold P; -1 when none.
  int ButtonIndexAt(const TPoint& P) const;
  // The union of the non-empty bounds of every button.
  TRect ButtonsBounds() const;
  // Every enabled button under P becomes pressed (with Pressed) or hot, the others normal.
  void UpdateHotStates(const TPoint& P, bool Pressed);
  TPersistent* GetOwner() override;

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TdxBar* bar_;
  TdxBarAccessibilityHelper* accessibilityHelper_ = nullptr;
};

// ---- merge data ---------------------------------------------------------------------------------

class TdxBarMergeData : public TObject {
  DECLARE_CLASS(TdxBarMergeData, TObject)
 public:
  explicit TdxBarMergeData(TdxBar* ABar);
  ~TdxBarMergeData() override;

  TdxBar* MergedWith = nullptr;
  bool VisibleBeforeMerging = false;
  bool CreatedByMerging = false;
  bool VisibleOfCreated = false;
  std::vector<TdxBar*> MergedBars;
  int SavedCount() const { return int(saved_.size()); }
  TdxBar* SavedBar(int Index) const { return saved_.at(Index); }
  void SaveMerged();
  void ClearSaved();

 private:
  void BarFreed(TObject* Sender);
  TdxBar* bar_;
  std::vector<TdxBar*> saved_;
  ObjectPtr<TcxFreeNotificator> notificator_;
};

// ---- the toolbar --------------------------------------------------------------------------------

class TdxBar : public TcxComponentCollectionItem, public IdxBarLinksOwner {
  DECLARE_CLASS(TdxBar, TcxComponentCollectionItem)
 public:
  explicit TdxBar(TComponent* AOwner);
  ~TdxBar() override;
  void BeforeDestruction() override;
  void Assign(TPersistent* Source) override;
  void SetParentComponent(TComponent* AParent) override;
  void SetName(const String& Value) override;

  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
  // IdxBarLinksOwner
  bool CanAddItem(TdxBarItem* Item, String& ErrorText) override;
  TCustomdxBarControl* CreateBarControl() override;
  TComponent* OwnerComponent() override { return this; }
  TdxBarItemLinks* OwnedItemLinks() override { return itemLinks_; }

  // ---- derived values
  TdxBarManager* BarManager() const { return barManager_; }
  TdxBars* Bars() const;
  TdxBarControl* Control() const;
  TdxDockControl* EffectiveDockControl() const;
  TdxBarPainter* Painter() const;
  TdxBar* NextBar() const;
  bool ActsAsStatusBar() const;
  bool ShowsSizeGrip() const;
  bool ClosableByUser() const;
  bool CanBeReset() const { return predefined_ && AllowReset; }
  bool IsMovable() const;
  bool IsFloatingWithWindow() const;
  bool IsPredefined() const { return predefined_; }
  void SetPredefined(bool Value) { predefined_ = Value; }
  bool HandleShortCut(TShortCut ShortCut) { return itemLinks_ && itemLinks_->HandleShortCut(ShortCut); }
  TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
  void SetItemLinks(TdxBarItemLinks* Value) { itemLinks_->Assign(Value); }
  TdxBarCaptionButtons* CaptionButtons() const { return captionButtons_; }
  TdxBarMergeData* MergeData() const { return mergeData_.get(); }
  TdxDockRow* DockRow() const { return dockRow_; }

  // ---- properties with setters
  bool Visible() const;
  void SetVisible(bool Value);
  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  TdxBarDockControl* DockControl() const;
  void SetDockControl(TdxBarDockControl* Value);
  TdxBarDockingStyle DockingStyle() const;
  void SetDockingStyle(TdxBarDockingStyle Value);
  TdxBarDockControl* DockedDockControl() const { return dockedDockControl_; }
  void SetDockedDockControl(TdxBarDockControl* Value);
  TdxBarDockingStyle DockedDockingStyle() const;
  void SetDockedDockingStyle(TdxBarDockingStyle Value) { dockedDockingStyle_ = Value; }
  int DockedLeft() const { return dockedLeft_; }
  void SetDockedLeft(int Value);
  int DockedTop() const { return dockedTop_; }
  void SetDockedTop(int Value);
  int FloatLeft() const { return floatLeft_; }
  void SetFloatLeft(int Value);
  int FloatTop() const { return floatTop_; }
  void SetFloatTop(int Value);
  int FloatClientWidth() const { return floatClientWidth_; }
  void SetFloatClientWidth(int Value);
  int FloatClientHeight() const { return floatClientHeight_; }
  void SetFloatClientHeight(int Value);
  int Row() const;
  void SetRow(int Value);
  bool OneOnRow() const { return oneOnRow_; }
  void SetOneOnRow(bool Value);
  bool WholeRow() const { return wholeRow_; }
  void SetWholeRow(bool Value);
  bool UseRestSpace() const { return useRestSpace_; }
  void SetUseRestSpace(bool Value);
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool Value);
  bool IsMainMenu() const { return isMainMenu_; }
  void SetIsMainMenu(bool Value);
  bool Hidden() const { return hidden_; }
  void SetHidden(bool Value) { hidden_ = Value; }
  TdxBarDockingStyles NotDocking() const { return notDocking_; }
  void SetNotDocking(TdxBarDockingStyles Value) { notDocking_ = Value; }
  bool AllowClose() const { return allowClose_; }
  void SetAllowClose(bool Value);
  bool AllowQuickCustomizing() const { return allowQuickCustomizing_; }
  void SetAllowQuickCustomizing(bool Value);
  Byte AlphaBlendValue() const { return alphaBlendValue_; }
  void SetAlphaBlendValue(Byte Value);
  TdxBarBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TdxBarBorderStyle Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  bool ShowMark() const { return showMark_; }
  void SetShowMark(bool Value);
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool Value);
  bool RotateWhenVertical() const { return rotateWhenVertical_; }
  void SetRotateWhenVertical(bool Value);
  bool UseOwnFont() const { return useOwnFont_; }
  void SetUseOwnFont(bool Value);
  bool UseRecentItems() const { return itemLinks_ ? itemLinks_->UseRecentItems : true; }
  void SetUseRecentItems(bool Value);
  TFont* Font() const { return font_.get(); }
  TFont* EditFont() const { return editFont_.get(); }
  TBitmap* Glyph() const { return glyph_.get(); }
  TBitmap* BackgroundBitmap() const { return backgroundBitmap_.get(); }
  void SetBackgroundBitmap(TBitmap* Value);

  bool AllowCustomizing = true;
  bool AllowReset = true;
  String KeyTip;
  String OldName;
  // Called first thing in the destructor.
  TNotifyEvent OnDestruction;

  // ---- the repaint mark the manager's redraw pass reads
  bool NeedsRepaint() const { return repaintMark_; }
  void MarkForRepaint() { repaintMark_ = true; }
  void ClearRepaintMark() { repaintMark_ = false; }

  // ---- operations
  void SetDockingStyleAndControl(TdxBarDockingStyle Style, TdxDockControl* Site);
  void UpdateWindowPosition();
  void ShowBarWindow();
  void SetVisibleKeepingOwnerBounds(bool Value);
  void LeaveDockRow();
  void SetDockRow(TdxDockRow* Row);
  // The dock row a site drops without telling the toolbar.
  void ForgetDockRow() { dockRow_ = nullptr; }
  void RefreshBarWindow();
  void CaptionButtonsChanged(TCollectionItem* Item);
  // Components updating state: position changes wait until Updated.
  void BeginPositionUpdate();
  void EndPositionUpdate();
  // The values held back while the manager loads, applied at the end of its loading.
  void ApplyLoadedPlacement();
  TdxBarDockControl* LoadedDockControl() const { return loadedDockControl_; }
  bool LoadedVisible() const { return loadedVisible_; }
  void SetLoadedDockingStyle(TdxBarDockingStyle Value) { loadedDockingStyle_ = Value; }
  void SetInternallyHidden(bool Value) { internallyHidden_ = Value; }
  bool InternallyHidden() const { return internallyHidden_; }

  // ---- reset and merging
  void ResetToSaved();
  // Asks first; resets on OK.
  void ConfirmReset();
  void Merge(TdxBar* Bar, bool KeepVisibility = false);
  void UnMerge(TdxBar* Bar = nullptr, bool RestoreVisibility = true);
  void UnmergeFromManager(TdxBarManager* Manager, bool RestoreVisibility);
  void Remerge();
  void SaveMergesForRemerge();
  bool KeptWhenEmpty = false;

  // ---- layout
  static String LayoutSectionName(const String& Base, int Index) { return Base + L"Bar" + std::to_wstring(Index); }
  void WriteLayout(TCustomIniFile& Store, const String& Base, int Kind, int Index);
  void ReadLayout(TCustomIniFile& Store, const String& Base, bool WithPlacement, int Kind, int Index);
  void ReadMostRecentlyUsedFlags(TCustomIniFile& Store, const String& Base, int Index);

 protected:
  TcxComponentCollection* CollectionOfParent(TComponent* AParent) override;

 private:
  friend class TdxBarControl;
  friend class TdxDockRow;
  friend class TdxDockControl;
  friend class TdxBarDockControl;
  friend class TdxBars;
  void FontChanged(TObject* Sender);
  void Changed();
  bool ManagerLoading() const;
  bool WindowDocked() const;
  // Records the window's placement before it is destroyed.
  void RecordPlacement();

  TdxBarManager* barManager_ = nullptr;
  TdxBarItemLinks* itemLinks_ = nullptr;
  TdxBarCaptionButtons* captionButtons_ = nullptr;
  ObjectPtr<TdxBarMergeData> mergeData_;
  ObjectPtr<TFont> font_;
  ObjectPtr<TFont> editFont_;
  ObjectPtr<TBitmap> glyph_;
  ObjectPtr<TBitmap> backgroundBitmap_;
  TdxDockRow* dockRow_ = nullptr;

  bool allowClose_ = true;
  bool allowQuickCustomizing_ = true;
  Byte alphaBlendValue_ = 255;
  TdxBarBorderStyle borderStyle_ = bbsSingle;
  String caption_;
  TColor color_ = clDefault;
  bool repaintMark_ = false;
  bool changingDockingStyle_ = false;
  TdxBarDockControl* dockControl_ = nullptr;
  TdxBarDockControl* dockedDockControl_ = nullptr;
  TdxBarDockingStyle dockedDockingStyle_ = dsTop;
  int dockedLeft_ = 0;
  int dockedTop_ = 0;
  TdxBarDockingStyle dockingStyle_ = dsNone;
  int floatLeft_ = 0;
  int floatTop_ = 0;
  int floatClientWidth_ = 0;
  int floatClientHeight_ = 0;
  bool hidden_ = false;
  bool internalFontChange_ = false;
  bool internallyHidden_ = false;
  bool isMainMenu_ = false;
  bool predefined_ = false;
  TdxBarDockControl* loadedDockControl_ = nullptr;
  TdxBarDockingStyle loadedDockingStyle_ = dsNone;
  bool loadedVisible_ = false;
  bool positionUpdatePending_ = false;
  int positionUpdating_ = 0;
  TdxBarDockingStyles notDocking_;
  bool multiLine_ = false;
  bool oneOnRow_ = false;
  bool rotateWhenVertical_ = true;
  int row_ = 0;
  bool showMark_ = true;
  bool sizeGrip_ = true;
  bool useOwnFont_ = false;
  bool useRestSpace_ = false;
  bool visible_ = false;
  bool wholeRow_ = false;
};

// ---- the collection -----------------------------------------------------------------------------

class TdxBars : public TcxComponentCollection {
  DECLARE_CLASS(TdxBars, TcxComponentCollection)
 public:
  explicit TdxBars(TdxBarManager* Manager);
  ~TdxBars() override;

  TdxBarManager* BarManager() const { return barManager_; }
  int Count() const { return ItemCount(); }
  TdxBar* BarAt(int Index) const { return static_cast<TdxBar*>(ItemAt(Index)); }
  TdxBar* Add() { return static_cast<TdxBar*>(CreateItem()); }
  int IndexOfBar(const TdxBar* Bar) const { return IndexOf(Bar); }
  // The default site of a style (null for dsNone).
  TdxDockControl* DefaultSite(TdxBarDockingStyle Style) const;
  static constexpr int DockingZoneSize = 23;

  void DockBarAt(TdxBarDockingStyle Style, TdxDockControl* Site, const TPoint& ScreenPoint, TdxBarControl* Window);
  void UndockBar(TdxBarDockingStyle Style, TdxDockControl* Site, TdxBarControl* Window);
  void RebuildAll();
  // The docking target for a screen point: dsNone and null when nothing docks there.
  void FindDockSite(TdxBar* Bar, const TPoint& P, TdxBarDockingStyle& Style, TdxDockControl*& Site);
  // One step of the move: docks, floats or moves the window to the screen point.
  void MoveBarTo(TdxBarControl* Window, const TPoint& P);
  // The drag offset of a move that starts docked: from the cursor to the middle of the toolbar's
  // row (as the rows are without the toolbar), across the rows.
  TPoint DockedDragOffset(TdxBarControl* Window, const TPoint& Cursor);
  // The modal move of a toolbar with the mouse; Esc or the release leave it where it last was.
  void DragBar(TdxBarControl* Window);

  bool IsMoving() const { return moving_; }
  TdxBarControl* MovingWindow() const { return movingWindow_; }
  TPoint DragOffset() const { return dragOffset_; }
  TPoint GrabOffset() const { return grabOffset_; }
  bool TimerPass() const { return timerPass_; }
  // The delayed-docking timer runs (for the tests: it fires as its message arrives).
  static bool DockingTimerRunning();
  // Runs the delayed step as the timer does.
  static void FireDockingTimer();
  // A default site is going (its parent frees it first): the collection forgets it.
  void ForgetSite(TdxDockControl* Site);

 protected:
  void AssignItemName(TcxComponentCollectionItem* AItem) override;
  void FireChange(TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction) override;

 private:
  bool TryStyle(TdxBar* Bar, TdxBarDockingStyle Style, const TPoint& P, TdxDockControl*& Site);
  void KillDockingTimer();

  TdxBarManager* barManager_;
  TdxDockControl* sites_[5] = {};
  bool timerPass_ = false;
  bool moving_ = false;
  TdxBarControl* movingWindow_ = nullptr;
  TdxBarDockingStyle dragStartStyle_ = dsNone;
  TPoint dragOffset_{};
  TPoint grabOffset_{};
};
