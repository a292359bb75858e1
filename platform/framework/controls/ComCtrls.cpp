#include "platform/framework/controls/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TCustomListView)
DEFINE_CLASS(TListView)
DEFINE_CLASS(TTabSheet)
DEFINE_CLASS(TPageControl)
DEFINE_CLASS(TProgressBar)
DEFINE_CLASS(TDateTimePicker)
DEFINE_CLASS(THotKey)

namespace {

LRESULT Send(TWinControl* control, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(control->Handle(), msg, wParam, lParam);
}

bool SameTextIgnoringCase(const String& a, const String& b) {
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                        static_cast<int>(b.size())) == CSTR_EQUAL;
}

}  // namespace

void InitCommonControlClasses(DWORD Classes) {
  static DWORD done = 0;
  if ((done & Classes) == Classes) return;
  INITCOMMONCONTROLSEX init{sizeof init, Classes};
  if (InitCommonControlsEx(&init)) done |= Classes;
}

// ---- TListColumn / TListColumns ------------------------------------------------------------------

void TListColumn::Apply() {
  HWND w = owner_->Window();
  if (!w) return;
  static constexpr int kFormat[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.pszText = const_cast<wchar_t*>(caption_.c_str());
  column.cx = width_;
  column.fmt = kFormat[alignment_];
  SendMessageW(w, LVM_SETCOLUMNW, static_cast<WPARAM>(index_), reinterpret_cast<LPARAM>(&column));
}

void TListColumn::SetCaption(const String& Value) {
  caption_ = Value;
  Apply();
}

void TListColumn::SetWidth(int Value) {
  width_ = Value;
  Apply();
}

void TListColumn::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Apply();
}

TListColumn* TListColumns::Add() {
  columns_.push_back(std::make_unique<TListColumn>(owner_, Count()));
  owner_->InsertColumn(columns_.back().get());
  return columns_.back().get();
}

void TListColumns::Clear() {
  if (HWND w = owner_->Window()) {
    while (SendMessageW(w, LVM_DELETECOLUMN, 0, 0)) {
    }
  }
  columns_.clear();
}

// ---- TListItem -----------------------------------------------------------------------------------

TListItem::TListItem(TListItems* owner) : owner_(owner), subItems_(std::make_unique<TStringList>()) {
  subItems_->OnChange = [this](TObject*) { SubItemsChanged(); };
}

TListItem::~TListItem() { subItems_->OnChange = nullptr; }

TCustomListView* TListItem::ListView() const { return owner_->Owner(); }

int TListItem::Index() const { return owner_->IndexOf(this); }

void TListItem::SetCaption(const String& Value) {
  caption_ = Value;
  ListView()->UpdateWindowItem(this);
}

void TListItem::SetImageIndex(int Value) {
  imageIndex_ = Value;
  ListView()->UpdateWindowItem(this);
}

void TListItem::SubItemsChanged() { ListView()->UpdateWindowItem(this); }

bool TListItem::State(UINT mask) const {
  if (HWND w = ListView()->Window()) {
    return (SendMessageW(w, LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), mask) & mask) != 0;
  }
  return (state_ & mask) != 0;
}

void TListItem::SetState(UINT mask, bool on) {
  state_ = on ? (state_ | mask) : (state_ & ~mask);
  if (HWND w = ListView()->Window()) {
    LVITEMW item{};
    item.stateMask = mask;
    item.state = on ? mask : 0;
    SendMessageW(w, LVM_SETITEMSTATE, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
  }
}

bool TListItem::Selected() const { return State(LVIS_SELECTED); }
void TListItem::SetSelected(bool Value) { SetState(LVIS_SELECTED, Value); }
bool TListItem::Focused() const { return State(LVIS_FOCUSED); }
void TListItem::SetFocused(bool Value) { SetState(LVIS_FOCUSED, Value); }

void TListItem::MakeVisible(bool PartialOK) {
  if (HWND w = ListView()->Window()) SendMessageW(w, LVM_ENSUREVISIBLE, static_cast<WPARAM>(Index()), PartialOK);
}

TRect TListItem::DisplayRect() const {
  RECT r{};
  r.left = LVIR_BOUNDS;
  if (HWND w = ListView()->Window()) SendMessageW(w, LVM_GETITEMRECT, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&r));
  return r;
}

void TListItem::Delete() { owner_->Delete(Index()); }

// ---- TListItems ----------------------------------------------------------------------------------

TListItems::~TListItems() {
  for (TListItem* item : items_) delete item;
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int Index) {
  if (Index < 0 || Index > Count()) RaiseListIndexError(Index);
  auto* item = new TListItem(this);
  items_.insert(items_.begin() + Index, item);
  owner_->InsertWindowItem(Index, item);
  return item;
}

int TListItems::IndexOf(const TListItem* Item) const {
  const auto it = std::find(items_.begin(), items_.end(), Item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TListItems::Delete(int Index) {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  TListItem* item = items_[Index];
  // The window forgets the item first, so no notification reaches it half gone.
  if (HWND w = owner_->Window()) SendMessageW(w, LVM_DELETEITEM, static_cast<WPARAM>(Index), 0);
  items_.erase(items_.begin() + Index);
  delete item;
}

void TListItems::Clear() {
  if (HWND w = owner_->Window()) SendMessageW(w, LVM_DELETEALLITEMS, 0, 0);
  for (TListItem* item : items_) delete item;
  items_.clear();
}

void TListItems::BeginUpdate() {
  if (updateCount_++ == 0) {
    if (HWND w = owner_->Window()) SendMessageW(w, WM_SETREDRAW, FALSE, 0);
  }
}

void TListItems::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0) return;
  if (HWND w = owner_->Window()) {
    SendMessageW(w, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(w, nullptr, TRUE);
  }
}

// ---- TCustomListView -----------------------------------------------------------------------------

TCustomListView::TCustomListView(TComponent* AOwner) : TWinControl(AOwner) {
  // Clicks come from the control's own notifications, not from the mouse messages.
  ControlStyle = {csDoubleClicks};
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
}

TCustomListView::~TCustomListView() {
  // The window goes before the items it points at.
  DestroyHandle();
}

void TCustomListView::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses(ICC_LISTVIEW_CLASSES);
  TWinControl::CreateParams(Params);
  Params.SystemClass = WC_LISTVIEWW;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
  static constexpr DWORD kView[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  Params.Style |= kView[viewStyle_] | LVS_SHAREIMAGELISTS;
  if (!multiSelect_) Params.Style |= LVS_SINGLESEL;
  if (!readOnly_) Params.Style |= LVS_EDITLABELS;
  if (!hideSelection_) Params.Style |= LVS_SHOWSELALWAYS;
}

void TCustomListView::InitializeHandle() {
  ApplyExtendedStyle();
  if (smallImages_) Send(this, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_->Handle()));
  for (int i = 0; i < columns_.Count(); ++i) InsertColumn(columns_[i]);
  filling_ = true;
  try {
    for (int i = 0; i < items_.Count(); ++i) InsertWindowItem(i, items_[i]);
  } catch (...) {
    filling_ = false;
    throw;
  }
  filling_ = false;
}

void TCustomListView::DestroyWnd() {
  // Item states live in the items until the next window.
  HWND w = Handle();
  for (int i = 0; i < items_.Count(); ++i) {
    items_[i]->state_ = static_cast<UINT>(SendMessageW(w, LVM_GETITEMSTATE, i, LVIS_SELECTED | LVIS_FOCUSED));
  }
  TWinControl::DestroyWnd();
}

void TCustomListView::ApplyExtendedStyle() {
  if (!HandleAllocated()) return;
  Send(this, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, rowSelect_ ? LVS_EX_FULLROWSELECT : 0);
}

void TCustomListView::InsertColumn(TListColumn* Column) {
  HWND w = Window();
  if (!w) return;
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<wchar_t*>(Column->caption_.c_str());
  column.cx = Column->width_;
  SendMessageW(w, LVM_INSERTCOLUMNW, static_cast<WPARAM>(Column->index_), reinterpret_cast<LPARAM>(&column));
  Column->Apply();
}

void TCustomListView::InsertWindowItem(int Index, TListItem* Item) {
  HWND w = Window();
  if (!w) return;
  LVITEMW row{};
  row.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
  row.iItem = Index;
  row.pszText = const_cast<wchar_t*>(Item->caption_.c_str());
  row.lParam = reinterpret_cast<LPARAM>(Item);
  row.iImage = Item->imageIndex_;
  row.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  row.state = Item->state_;
  SendMessageW(w, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
  UpdateWindowItem(Item);
}

void TCustomListView::UpdateWindowItem(TListItem* Item) {
  HWND w = Window();
  if (!w) return;
  const int index = Item->Index();
  if (index < 0) return;
  LVITEMW row{};
  row.mask = LVIF_TEXT | LVIF_IMAGE;
  row.iItem = index;
  row.pszText = const_cast<wchar_t*>(Item->caption_.c_str());
  row.iImage = Item->imageIndex_;
  SendMessageW(w, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&row));
  for (int i = 0; i < Item->subItems_->Count(); ++i) {
    const String text = Item->subItems_->Strings(i);
    LVITEMW sub{};
    sub.iSubItem = i + 1;
    sub.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(w, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
  }
}

void TCustomListView::SetViewStyle(TViewStyle Value) {
  if (viewStyle_ == Value) return;
  viewStyle_ = Value;
  RecreateWnd();
}

void TCustomListView::SetMultiSelect(bool Value) {
  if (multiSelect_ == Value) return;
  multiSelect_ = Value;
  RecreateWnd();
}

void TCustomListView::SetRowSelect(bool Value) {
  rowSelect_ = Value;
  ApplyExtendedStyle();
}

void TCustomListView::SetReadOnly(bool Value) {
  if (readOnly_ == Value) return;
  readOnly_ = Value;
  RecreateWnd();
}

void TCustomListView::SetHideSelection(bool Value) {
  if (hideSelection_ == Value) return;
  hideSelection_ = Value;
  RecreateWnd();
}

void TCustomListView::SetSmallImages(TCustomImageList* Value) {
  if (smallImages_) smallImages_->RemoveFreeNotification(this);
  smallImages_ = Value;
  if (Value) Value->FreeNotification(this);
  if (HandleAllocated()) {
    Send(this, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(Value ? Value->Handle() : nullptr));
  }
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == smallImages_) SetSmallImages(nullptr);
}

TListItem* TCustomListView::Selected() {
  for (TListItem* item : items_.items_) {
    if (item->Selected()) return item;
  }
  return nullptr;
}

void TCustomListView::SetSelected(TListItem* Value) {
  for (TListItem* item : items_.items_) {
    if (item != Value && item->Selected()) item->SetSelected(false);
  }
  if (Value) Value->SetSelected(true);
}

int TCustomListView::SelCount() {
  if (HandleAllocated()) return static_cast<int>(Send(this, LVM_GETSELECTEDCOUNT));
  return static_cast<int>(std::count_if(items_.items_.begin(), items_.items_.end(),
                                        [](TListItem* item) { return item->Selected(); }));
}

TListItem* TCustomListView::ItemFocused() {
  for (TListItem* item : items_.items_) {
    if (item->Focused()) return item;
  }
  return nullptr;
}

void TCustomListView::SetItemFocused(TListItem* Value) {
  if (Value) Value->SetFocused(true);
  else if (TListItem* focused = ItemFocused()) focused->SetFocused(false);
}

namespace {

struct SortContext {
  TLVCompare compare;
  LPARAM data;
};

int CompareCaptions(TListItem* a, TListItem* b, LPARAM) {
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a->Caption().c_str(), -1, b->Caption().c_str(), -1) - 2;
}

int CALLBACK SortCallback(LPARAM item1, LPARAM item2, LPARAM context) {
  const auto* sort = reinterpret_cast<const SortContext*>(context);
  return Guarded(0, [&] {
    return sort->compare(reinterpret_cast<TListItem*>(item1), reinterpret_cast<TListItem*>(item2), sort->data);
  });
}

}  // namespace

bool TCustomListView::CustomSort(TLVCompare SortProc, LPARAM Data) {
  SortContext context{SortProc ? SortProc : &CompareCaptions, Data};
  if (HandleAllocated()) {
    if (!Send(this, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&context), reinterpret_cast<LPARAM>(&SortCallback))) {
      return false;
    }
    ReadOrderFromWindow();
    return true;
  }
  std::stable_sort(items_.items_.begin(), items_.items_.end(),
                   [&](TListItem* a, TListItem* b) { return context.compare(a, b, Data) < 0; });
  return true;
}

void TCustomListView::ReadOrderFromWindow() {
  std::vector<TListItem*> order;
  order.reserve(items_.items_.size());
  for (int i = 0; i < items_.Count(); ++i) {
    LVITEMW row{};
    row.mask = LVIF_PARAM;
    row.iItem = i;
    Send(this, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&row));
    order.push_back(reinterpret_cast<TListItem*>(row.lParam));
  }
  items_.items_ = std::move(order);
}

TListItem* TCustomListView::FindCaption(int StartIndex, const String& Value, bool Partial, bool Inclusive, bool Wrap) {
  const int count = items_.Count();
  if (count == 0) return nullptr;
  const int first = std::max(0, Inclusive ? StartIndex : StartIndex + 1);
  auto matches = [&](TListItem* item) {
    const String& caption = item->Caption();
    if (!Partial) return SameTextIgnoringCase(caption, Value);
    return caption.size() >= Value.size() && SameTextIgnoringCase(caption.substr(0, Value.size()), Value);
  };
  for (int i = first; i < count; ++i) {
    if (matches(items_[i])) return items_[i];
  }
  if (Wrap) {
    for (int i = 0; i < std::min(first, count); ++i) {
      if (matches(items_[i])) return items_[i];
    }
  }
  return nullptr;
}

TListItem* TCustomListView::GetItemAt(int X, int Y) {
  LVHITTESTINFO hit{};
  hit.pt = {X, Y};
  const int index = static_cast<int>(Send(this, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return index >= 0 && index < items_.Count() ? items_[index] : nullptr;
}

void TCustomListView::DoSelectItem(TListItem* Item, bool Selected) {
  if (OnSelectItem) OnSelectItem(this, Item, Selected);
}

void TCustomListView::ColClick(TListColumn* Column) {
  if (OnColumnClick) OnColumnClick(this, Column);
}

void TCustomListView::CNNotify(TMessage& Message) {
  const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
  switch (header->code) {
    case LVN_ITEMCHANGED: {
      const auto* change = reinterpret_cast<const NMLISTVIEW*>(Message.LParam);
      if (!(change->uChanged & LVIF_STATE) || !((change->uOldState ^ change->uNewState) & LVIS_SELECTED)) break;
      if (filling_ || change->iItem < 0 || change->iItem >= items_.Count()) break;
      DoSelectItem(items_[change->iItem], (change->uNewState & LVIS_SELECTED) != 0);
      break;
    }
    case LVN_COLUMNCLICK: {
      const auto* click = reinterpret_cast<const NMLISTVIEW*>(Message.LParam);
      if (click->iSubItem >= 0 && click->iSubItem < columns_.Count()) ColClick(columns_[click->iSubItem]);
      break;
    }
    case NM_DBLCLK: DblClick(); break;
    case NM_CLICK: Click(); break;
    default: break;
  }
}

// ---- TTabSheet -----------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = {csAcceptsControls, csParentBackground};
  SetVisible(false);
  SetAlign(alClient);
  SetColor(clBtnFace);
}

TTabSheet::~TTabSheet() { SetPageControl(nullptr); }

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (pageControl_ == Value) return;
  if (pageControl_) pageControl_->RemovePage(this);
  pageControl_ = Value;
  SetParent(Value);
  if (Value) Value->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  const auto& pages = pageControl_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

int TTabSheet::TabIndex() const {
  if (!pageControl_ || !tabVisible_) return -1;
  int index = 0;
  for (TTabSheet* page : pageControl_->pages_) {
    if (page == this) return index;
    if (page->tabVisible_) ++index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
  if (tabVisible_ == Value) return;
  tabVisible_ = Value;
  if (pageControl_) pageControl_->UpdateTabs();
}

void TTabSheet::CMTextChanged(TMessage& Message) {
  if (pageControl_) pageControl_->UpdateTabs();
  Inherited::Dispatch(Message);
}

// ---- TPageControl --------------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = {csAcceptsControls, csDoubleClicks};
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

TPageControl::~TPageControl() {
  for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
}

void TPageControl::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses(ICC_TAB_CLASSES);
  TWinControl::CreateParams(Params);
  Params.SystemClass = WC_TABCONTROLW;
  Params.Style |= WS_CLIPCHILDREN;
}

void TPageControl::InitializeHandle() { UpdateTabs(); }

void TPageControl::InsertPage(TTabSheet* Page) {
  pages_.push_back(Page);
  UpdateTabs();
  if (!activePage_) SetActivePage(Page);
}

void TPageControl::RemovePage(TTabSheet* Page) {
  const bool wasActive = activePage_ == Page;
  pages_.erase(std::remove(pages_.begin(), pages_.end(), Page), pages_.end());
  if (wasActive) {
    activePage_ = nullptr;
    if (!pages_.empty()) SetActivePage(pages_.front());
  }
  UpdateTabs();
}

TTabSheet* TPageControl::PageForTab(int TabIndex) const {
  for (TTabSheet* page : pages_) {
    if (page->TabIndex() == TabIndex && TabIndex >= 0) return page;
  }
  return nullptr;
}

void TPageControl::UpdateTabs() {
  if (!HandleAllocated()) return;
  Send(this, TCM_DELETEALLITEMS);
  int index = 0;
  for (TTabSheet* page : pages_) {
    if (!page->tabVisible_) continue;
    const String caption = page->Caption();
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    Send(this, TCM_INSERTITEMW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
  }
  Send(this, TCM_SETCURSEL, static_cast<WPARAM>(activePage_ ? activePage_->TabIndex() : -1));
  Realign();
  Invalidate();
}

void TPageControl::SetActivePage(TTabSheet* Value) {
  if (Value && Value->pageControl_ != this) return;
  if (activePage_ == Value) return;
  TTabSheet* previous = activePage_;
  activePage_ = Value;
  if (Value) {
    Value->BringToFront();
    Value->SetVisible(true);
  }
  if (previous) previous->SetVisible(false);
  if (HandleAllocated()) Send(this, TCM_SETCURSEL, static_cast<WPARAM>(Value ? Value->TabIndex() : -1));
}

void TPageControl::SetActivePageIndex(int Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? pages_[Value] : nullptr);
}

void TPageControl::AdjustClientRect(TRect& Rect) {
  TWinControl::AdjustClientRect(Rect);
  if (!HandleAllocated() || Send(this, TCM_GETITEMCOUNT) == 0) return;
  RECT r = Rect;
  Send(this, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  Rect = r;
}

void TPageControl::Change() {
  if (OnChange) OnChange(this);
}

void TPageControl::CNNotify(TMessage& Message) {
  const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
  if (header->code == TCN_SELCHANGE) {
    if (TTabSheet* page = PageForTab(static_cast<int>(Send(this, TCM_GETCURSEL)))) {
      SetActivePage(page);
      Change();
    }
  }
}

void TPageControl::WMSize(TMessage& Message) {
  Inherited::Dispatch(Message);
  Realign();
}

// ---- TProgressBar --------------------------------------------------------------------------------

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses(ICC_PROGRESS_CLASS);
  TWinControl::CreateParams(Params);
  Params.SystemClass = PROGRESS_CLASSW;
}

void TProgressBar::InitializeHandle() {
  Send(this, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  Send(this, PBM_SETPOS, static_cast<WPARAM>(position_));
}

void TProgressBar::SetMin(int Value) {
  min_ = Value;
  if (HandleAllocated()) InitializeHandle();
}

void TProgressBar::SetMax(int Value) {
  max_ = Value;
  if (HandleAllocated()) InitializeHandle();
}

int TProgressBar::Position() {
  return HandleAllocated() ? static_cast<int>(Send(this, PBM_GETPOS)) : position_;
}

void TProgressBar::SetPosition(int Value) {
  position_ = std::clamp(Value, std::min(min_, max_), std::max(min_, max_));
  if (HandleAllocated()) Send(this, PBM_SETPOS, static_cast<WPARAM>(position_));
}

// ---- TDateTimePicker -----------------------------------------------------------------------------

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 186, 21);
  SetTabStop(true);
  value_ = Now();
}

void TDateTimePicker::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses(ICC_DATE_CLASSES);
  TWinControl::CreateParams(Params);
  Params.SystemClass = DATETIMEPICK_CLASSW;
  if (kind_ == dtkTime) Params.Style |= DTS_TIMEFORMAT;
}

void TDateTimePicker::InitializeHandle() {
  if (!format_.empty()) Send(this, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format_.c_str()));
  SetDateTime(value_);
}

void TDateTimePicker::DestroyWnd() {
  value_ = DateTime();
  TWinControl::DestroyWnd();
}

void TDateTimePicker::SetKind(TDateTimeKind Value) {
  if (kind_ == Value) return;
  kind_ = Value;
  RecreateWnd();
}

void TDateTimePicker::SetFormat(const String& Value) {
  format_ = Value;
  if (HandleAllocated()) Send(this, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format_.empty() ? nullptr : format_.c_str()));
}

TDateTime TDateTimePicker::DateTime() {
  if (!HandleAllocated()) return value_;
  SYSTEMTIME st{};
  if (Send(this, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) return value_;
  return SystemTimeToDateTime(st);
}

void TDateTimePicker::SetDateTime(TDateTime Value) {
  value_ = Value;
  if (!HandleAllocated()) return;
  SYSTEMTIME st{};
  DateTimeToSystemTime(Value, st);
  settingValue_ = true;
  Send(this, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
  settingValue_ = false;
}

TDateTime TDateTimePicker::Date() { return std::floor(DateTime()); }

void TDateTimePicker::SetDate(TDateTime Value) { SetDateTime(std::floor(Value) + Time()); }

TDateTime TDateTimePicker::Time() {
  const TDateTime value = DateTime();
  return value - std::floor(value);
}

void TDateTimePicker::SetTime(TDateTime Value) { SetDateTime(Date() + (Value - std::floor(Value))); }

void TDateTimePicker::Change() {
  if (OnChange) OnChange(this);
}

void TDateTimePicker::CNNotify(TMessage& Message) {
  const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
  if (header->code == DTN_DATETIMECHANGE && !settingValue_) {
    value_ = DateTime();
    Change();
  }
}

// ---- THotKey -------------------------------------------------------------------------------------

namespace {

constexpr TShortCut kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000;

TShortCut FromControlValue(LRESULT value) {
  const Byte key = LOBYTE(LOWORD(value));
  const Byte flags = HIBYTE(LOWORD(value));
  TShortCut result = key;
  if (flags & HOTKEYF_SHIFT) result |= kShift;
  if (flags & HOTKEYF_CONTROL) result |= kCtrl;
  if (flags & HOTKEYF_ALT) result |= kAlt;
  return result;
}

WPARAM ToControlValue(TShortCut value) {
  Byte flags = 0;
  if (value & kShift) flags |= HOTKEYF_SHIFT;
  if (value & kCtrl) flags |= HOTKEYF_CONTROL;
  if (value & kAlt) flags |= HOTKEYF_ALT;
  return MAKEWORD(LOBYTE(value), flags);
}

}  // namespace

THotKey::THotKey(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 19);
  SetTabStop(true);
}

void THotKey::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses(ICC_HOTKEY_CLASS);
  TWinControl::CreateParams(Params);
  Params.SystemClass = HOTKEY_CLASSW;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void THotKey::InitializeHandle() {
  ApplyRules();
  settingKey_ = true;
  Send(this, HKM_SETHOTKEY, ToControlValue(hotKey_));
  settingKey_ = false;
}

void THotKey::DestroyWnd() {
  hotKey_ = HotKey();
  TWinControl::DestroyWnd();
}

void THotKey::ApplyRules() {
  if (!HandleAllocated()) return;
  static constexpr WORD kInvalid[] = {HKCOMB_NONE, HKCOMB_S, HKCOMB_C, HKCOMB_A, HKCOMB_SC, HKCOMB_SA, HKCOMB_CA, HKCOMB_SCA};
  WORD invalid = 0;
  for (int i = hcNone; i <= hcShiftCtrlAlt; ++i) {
    if (invalidKeys_.Contains(static_cast<THKInvalidKey>(i))) invalid |= kInvalid[i];
  }
  Byte modifiers = 0;
  if (modifiers_.Contains(hkShift)) modifiers |= HOTKEYF_SHIFT;
  if (modifiers_.Contains(hkCtrl)) modifiers |= HOTKEYF_CONTROL;
  if (modifiers_.Contains(hkAlt)) modifiers |= HOTKEYF_ALT;
  if (modifiers_.Contains(hkExt)) modifiers |= HOTKEYF_EXT;
  Send(this, HKM_SETRULES, invalid, MAKELPARAM(modifiers, 0));
}

TShortCut THotKey::HotKey() {
  return HandleAllocated() ? FromControlValue(Send(this, HKM_GETHOTKEY)) : hotKey_;
}

void THotKey::SetHotKey(TShortCut Value) {
  hotKey_ = Value;
  if (!HandleAllocated()) return;
  settingKey_ = true;
  Send(this, HKM_SETHOTKEY, ToControlValue(Value));
  settingKey_ = false;
}

void THotKey::SetModifiers(THKModifiers Value) {
  modifiers_ = Value;
  ApplyRules();
}

void THotKey::SetInvalidKeys(THKInvalidKeys Value) {
  invalidKeys_ = Value;
  ApplyRules();
}

void THotKey::Change() {
  if (OnChange) OnChange(this);
}

void THotKey::WndProc(TMessage& Message) {
  // Only keys change the value behind the program's back; compare around them.
  const bool key = Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN || Message.Msg == WM_KEYUP ||
                   Message.Msg == WM_SYSKEYUP || Message.Msg == WM_CHAR;
  if (!key || !HandleAllocated() || settingKey_) {
    TWinControl::WndProc(Message);
    return;
  }
  const LRESULT before = Send(this, HKM_GETHOTKEY);
  const std::weak_ptr<void> alive = LifeToken();
  TWinControl::WndProc(Message);
  if (alive.expired() || !HandleAllocated()) return;
  if (Send(this, HKM_GETHOTKEY) != before) {
    hotKey_ = HotKey();
    Change();
  }
}
