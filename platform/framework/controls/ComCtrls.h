#pragma once
// Common controls over the system's classes: the list view, the page control and its sheets, the
// progress bar, the date-time picker and the hot-key field.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CONTROLS);

#include <memory>
#include <vector>

#include "platform/framework/graphics/ImageList.h"
#include "platform/framework/controls/StdCtrls.h"

// Registers the common control classes of the given ICC_ flags once per process.
void InitCommonControlClasses(DWORD Classes);

// ---- TListView -----------------------------------------------------------------------------------

class TCustomListView;
class TListItems;

class TListColumn {
 public:
  TListColumn(TCustomListView* owner, int index) : owner_(owner), index_(index) {}
  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  int Width() const { return width_; }
  void SetWidth(int Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  int Index() const { return index_; }

 private:
  friend class TCustomListView;
  void Apply();
  TCustomListView* owner_;
  int index_;
  String caption_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
};

class TListColumns {
 public:
  explicit TListColumns(TCustomListView* owner) : owner_(owner) {}
  TListColumn* Add();
  int Count() const { return static_cast<int>(columns_.size()); }
  TListColumn* Items(int Index) const { return columns_.at(Index).get(); }
  TListColumn* operator[](int Index) const { return Items(Index); }
  void Clear();

 private:
  TCustomListView* owner_;
  std::vector<std::unique_ptr<TListColumn>> columns_;
};

class TListItem {
 public:
  explicit TListItem(TListItems* owner);
  ~TListItem();
  TListItem(const TListItem&) = delete;
  TListItem& operator=(const TListItem&) = delete;

  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  // The texts of the further columns; changes show at once.
  TStrings* SubItems() { return subItems_.get(); }
  void* Data = nullptr;
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  bool Selected() const;
  void SetSelected(bool Value);
  bool Focused() const;
  void SetFocused(bool Value);
  int Index() const;
  TListItems* Owner() const { return owner_; }
  TCustomListView* ListView() const;
  void MakeVisible(bool PartialOK = false);
  TRect DisplayRect() const;
  // Removes and frees the item.
  void Delete();

 private:
  friend class TListItems;
  friend class TCustomListView;
  bool State(UINT mask) const;
  void SetState(UINT mask, bool on);
  void SubItemsChanged();
  TListItems* owner_;
  String caption_;
  std::unique_ptr<TStringList> subItems_;
  int imageIndex_ = -1;
  UINT state_ = 0;  // kept while the list view has no window
};

class TListItems {
 public:
  explicit TListItems(TCustomListView* owner) : owner_(owner) {}
  ~TListItems();
  TListItem* Add();
  TListItem* Insert(int Index);
  int Count() const { return static_cast<int>(items_.size()); }
  TListItem* Item(int Index) const { return items_.at(Index); }
  TListItem* operator[](int Index) const { return Item(Index); }
  int IndexOf(const TListItem* Item) const;
  void Delete(int Index);
  void Clear();
  // Nested; the window is redrawn once at the outermost EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  TCustomListView* Owner() const { return owner_; }

 private:
  friend class TCustomListView;
  friend class TListItem;
  TCustomListView* owner_;
  std::vector<TListItem*> items_;
  int updateCount_ = 0;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
// Orders two items: negative, zero or positive.
using TLVCompare = int (*)(TListItem* Item1, TListItem* Item2, LPARAM Data);
using TLVSelectItemEvent = TEvent<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = TEvent<void(TObject* Sender, TListColumn* Column)>;

class TCustomListView : public TWinControl {
  DECLARE_CLASS(TCustomListView, TWinControl)
 public:
  explicit TCustomListView(TComponent* AOwner);
  ~TCustomListView() override;

  TListColumns* Columns() { return &columns_; }
  TListItems* Items() { return &items_; }
  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle Value);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool Value);
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool Value);
  TCustomImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(TCustomImageList* Value);

  // The first selected item, or null; setting selects only that item (null clears the selection).
  TListItem* Selected();
  void SetSelected(TListItem* Value);
  int SelCount();
  TListItem* ItemFocused();
  void SetItemFocused(TListItem* Value);
  // Sorts the items with the comparer (by caption when it is null).
  bool CustomSort(TLVCompare SortProc, LPARAM Data);
  bool AlphaSort() { return CustomSort(nullptr, 0); }
  // The next item whose caption is Value (or starts with it, when Partial), ignoring case, searching
  // from StartIndex (included when Inclusive), wrapping to the top when Wrap.
  TListItem* FindCaption(int StartIndex, const String& Value, bool Partial, bool Inclusive, bool Wrap);
  TListItem* GetItemAt(int X, int Y);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TLVSelectItemEvent OnSelectItem;
  TLVColumnClickEvent OnColumnClick;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeHandle() override;
  void DestroyWnd() override;
  virtual void DoSelectItem(TListItem* Item, bool Selected);
  virtual void ColClick(TListColumn* Column);
  void CNNotify(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CN_NOTIFY, CNNotify)
  MESSAGE_MAP_END

 private:
  friend class TListColumn;
  friend class TListColumns;
  friend class TListItem;
  friend class TListItems;
  HWND Window() { return HandleAllocated() ? Handle() : nullptr; }
  void InsertColumn(TListColumn* Column);
  void InsertWindowItem(int Index, TListItem* Item);
  void UpdateWindowItem(TListItem* Item);
  void ApplyExtendedStyle();
  void ReadOrderFromWindow();

  TListColumns columns_{this};
  TListItems items_{this};
  TViewStyle viewStyle_ = vsIcon;
  bool multiSelect_ = false;
  bool rowSelect_ = false;
  bool readOnly_ = false;
  bool hideSelection_ = true;
  // Set while a new window is filled: the states it is given are no user's selection.
  bool filling_ = false;
  TCustomImageList* smallImages_ = nullptr;
};

class TListView : public TCustomListView {
  DECLARE_CLASS(TListView, TCustomListView)
 public:
  using TCustomListView::TCustomListView;
};

// ---- TPageControl --------------------------------------------------------------------------------

class TPageControl;

// One page: the parent of the controls shown while it is active.
class TTabSheet : public TWinControl {
  DECLARE_CLASS(TTabSheet, TWinControl)
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  TPageControl* PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl* Value);
  // Whether the page has a tab; a page without one can still be made active by code.
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool Value);
  int PageIndex() const;
  // The position among the visible tabs, or -1.
  int TabIndex() const;

 protected:
  void CMTextChanged(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
  MESSAGE_MAP_END

 private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
};

class TPageControl : public TWinControl {
  DECLARE_CLASS(TPageControl, TWinControl)
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int Index) const { return pages_.at(Index); }
  TTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* Value);
  int ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }
  void SetActivePageIndex(int Value);
  void AdjustClientRect(TRect& Rect) override;

  // The user changed the page.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeHandle() override;
  virtual void Change();
  void CNNotify(TMessage& Message);
  void WMSize(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CN_NOTIFY, CNNotify)
  MESSAGE_HANDLER(WM_SIZE, WMSize)
  MESSAGE_MAP_END

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void UpdateTabs();
  TTabSheet* PageForTab(int TabIndex) const;

  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
};

// ---- TProgressBar --------------------------------------------------------------------------------

class TProgressBar : public TWinControl {
  DECLARE_CLASS(TProgressBar, TWinControl)
 public:
  explicit TProgressBar(TComponent* AOwner);
  int Min() const { return min_; }
  void SetMin(int Value);
  int Max() const { return max_; }
  void SetMax(int Value);
  int Position();
  void SetPosition(int Value);
  void StepBy(int Delta) { SetPosition(Position() + Delta); }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeHandle() override;

 private:
  int min_ = 0, max_ = 100, position_ = 0;
};

// ---- TDateTimePicker -----------------------------------------------------------------------------

enum TDateTimeKind { dtkDate, dtkTime };

class TDateTimePicker : public TWinControl {
  DECLARE_CLASS(TDateTimePicker, TWinControl)
 public:
  explicit TDateTimePicker(TComponent* AOwner);
  TDateTimeKind Kind() const { return kind_; }
  void SetKind(TDateTimeKind Value);
  // A display format in the control's own syntax ("HH:mm:ss"); empty = the system's.
  const String& Format() const { return format_; }
  void SetFormat(const String& Value);
  TDateTime DateTime();
  void SetDateTime(TDateTime Value);
  // The whole days and the fraction of a day of DateTime.
  TDateTime Date();
  void SetDate(TDateTime Value);
  TDateTime Time();
  void SetTime(TDateTime Value);

  // The user changed the value.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeHandle() override;
  void DestroyWnd() override;
  virtual void Change();
  void CNNotify(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CN_NOTIFY, CNNotify)
  MESSAGE_MAP_END

 private:
  TDateTimeKind kind_ = dtkDate;
  String format_;
  TDateTime value_ = 0;
  bool settingValue_ = false;
};

// ---- THotKey -------------------------------------------------------------------------------------

using TShortCut = Word;
enum THKModifier { hkShift, hkCtrl, hkAlt, hkExt };
using THKModifiers = TSet<THKModifier>;
enum THKInvalidKey { hcNone, hcShift, hcCtrl, hcAlt, hcShiftCtrl, hcShiftAlt, hcCtrlAlt, hcShiftCtrlAlt };
using THKInvalidKeys = TSet<THKInvalidKey>;

// A field the user types a key combination into. OnChange fires for keys the user presses, never
// when the program sets HotKey.
class THotKey : public TWinControl {
  DECLARE_CLASS(THotKey, TWinControl)
 public:
  explicit THotKey(TComponent* AOwner);
  // Virtual key with 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
  TShortCut HotKey();
  void SetHotKey(TShortCut Value);
  // Modifiers added to a key typed without any of the invalid combinations.
  THKModifiers Modifiers() const { return modifiers_; }
  void SetModifiers(THKModifiers Value);
  THKInvalidKeys InvalidKeys() const { return invalidKeys_; }
  void SetInvalidKeys(THKInvalidKeys Value);

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeHandle() override;
  void DestroyWnd() override;
  virtual void Change();
  void ApplyRules();
  void WndProc(TMessage& Message) override;

 private:
  TShortCut hotKey_ = 0;
  THKModifiers modifiers_{hkAlt};
  THKInvalidKeys invalidKeys_{hcNone, hcShift};
  bool settingKey_ = false;
};
