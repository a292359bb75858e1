#include "ui/bars/SubItems.h"

#include <algorithm>

#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/Classes.h"

DEFINE_CLASS(TCustomdxBarSubItem)
DEFINE_CLASS(TdxBarSubItem)
DEFINE_CLASS(TCustomdxBarContainerItem)
DEFINE_CLASS(TdxBarListItem)
DEFINE_CLASS(TdxBarExtraPaneListItem)
DEFINE_CLASS(TdxBarContainerItem)
DEFINE_CLASS(TdxBarSubItemControl)
DEFINE_CLASS(TdxBarContainerItemControl)
DEFINE_CLASS(TContainerItemSubMenuControl)

// ---- sub-items ----------------------------------------------------------------------------------

TCustomdxBarSubItem::TCustomdxBarSubItem(TComponent* AOwner) : TdxBarItem(AOwner) {
  itemLinks_ = new TdxBarSubMenuControlItemLinks(BarManager(), this);
}

TCustomdxBarSubItem::~TCustomdxBarSubItem() {
  detachingBar_ = nullptr;
  itemLinks_->Free();
  itemLinks_ = nullptr;
}

void TCustomdxBarSubItem::BarManagerAssigned() { itemLinks_->SetBarManager(BarManager()); }

int TCustomdxBarSubItem::DetachingBar() const {
  TdxBarManager* manager = BarManager();
  if (!detachingBar_ || !manager || !manager->Bars()) return -1;
  return manager->Bars()->IndexOfBar(detachingBar_);
}

void TCustomdxBarSubItem::SetDetachingBar(int Value) {
  TdxBarManager* manager = BarManager();
  const int count = manager && manager->Bars() ? manager->Bars()->Count() : 0;
  if (Value < -1 || Value >= count || count == 0) Value = -1;
  if (Value == DetachingBar()) return;
  detachingBar_ = Value < 0 ? nullptr : manager->Bars()->BarAt(Value);
}

void TCustomdxBarSubItem::BarNotification(TOperation Operation, TdxBar* Bar) {
  if (Operation == opRemove && Bar == detachingBar_) detachingBar_ = nullptr;
}

void TCustomdxBarSubItem::Popup() {
  if (OnPopup) OnPopup(this);
}

void TCustomdxBarSubItem::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomdxBarSubItem::Detaching() {
  if (OnDetaching) OnDetaching(this);
}

bool TCustomdxBarSubItem::CanAddItem(TdxBarItem* Item, String& ErrorText) { return CanAddMenuItem(this, Item, ErrorText); }

TCustomdxBarControl* TCustomdxBarSubItem::CreateBarControl() {
  TdxBarManager* manager = BarManager();
  if (TdxBarItemLink* active = ActiveLink(); active && active->BarManager()) manager = active->BarManager();
  return manager ? new TdxBarSubMenuControl(manager) : nullptr;
}

void TCustomdxBarSubItem::PaintBar(TCanvas* Canvas, const TRect& R) {
  if (OnPaintBar) OnPaintBar(this, Canvas, R);
}

void TCustomdxBarSubItem::LoadLayout(TCustomIniFile& Store, const String& Base, int Flag) {
  if (Name().empty()) return;
  const String section = LayoutSection(Base);
  if (Store.ReadInteger(section, L"ItemLinkCount", -1) >= 0) itemLinks_->ReadLayout(Store, section, Flag);
}

void TCustomdxBarSubItem::SaveLayout(TCustomIniFile& Store, const String& Base, int Flag) {
  if (Name().empty()) return;
  itemLinks_->WriteLayout(Store, LayoutSection(Base), Flag);
}

void TCustomdxBarSubItem::ResetUsageFromLayout(TCustomIniFile& Store, const String& Base) {
  itemLinks_->ReadMostRecentlyUsedFlags(Store, LayoutSection(Base));
}

void TCustomdxBarSubItem::RestoreFromLayout(TCustomIniFile& Store, const String& Base) {
  LoadLayout(Store, Base, 0);
  ResetUsageFromLayout(Store, Base);
  for (int i = 0; i < itemLinks_->Count(); ++i) {
    if (TdxBarItem* item = itemLinks_->LinkAt(i)->Item(); item && item != this) item->RestoreFromLayout(Store, Base);
  }
}

// ---- container items ----------------------------------------------------------------------------

TCustomdxBarContainerItem::~TCustomdxBarContainerItem() = default;

void TCustomdxBarContainerItem::AddListedItemLinks(TdxBarItemLinks*, int, TdxBarItemLink*, bool CallGetData) {
  if (needClearItemList_) ClearItemList();
  if (!CallGetData || !OnGetData) return;
  inOnGetData_ = true;
  try {
    OnGetData(this);
  } catch (...) {
    inOnGetData_ = false;
    throw;
  }
  inOnGetData_ = false;
}

void TCustomdxBarContainerItem::ItemsChanged() {
  if (inOnGetData_ || BarUnitFinalizing()) return;
  VisibleChanged();
}

// ---- list items ---------------------------------------------------------------------------------

TdxBarListItem::TdxBarListItem(TComponent* AOwner) : TCustomdxBarContainerItem(AOwner), items_(new TStringList) {
  items_->OnChange = [this](TObject*) { ItemsChanged(); };
}

TdxBarListItem::~TdxBarListItem() {
  // Generated items still linked somewhere stay with their owner form; the rest go.
  ClearItemList();
  items_->OnChange = nullptr;
}

String TdxBarListItem::EntryNumber(int K) {
  const wchar_t digit = K < 9 ? wchar_t(L'1' + K) : wchar_t(L'A' + (K - 9));
  return String(L"&") + digit + L" ";
}

int TdxBarListItem::EntryCount() const {
  int count = 0;
  for (int i = 0; i < items_->Count(); ++i) {
    if (items_->Strings(i) != L"-") ++count;
  }
  return count;
}

int TdxBarListItem::DataIndex() const {
  if (ItemIndex < 0 || ItemIndex >= items_->Count()) return -1;
  int count = 0;
  for (int i = 0; i <= ItemIndex; ++i) {
    if (items_->Strings(i) != L"-") ++count;
  }
  return count - 1;
}

void TdxBarListItem::SetDataIndex(int Value) {
  // An entry position that no entry has selects nothing (not the string at the entry count).
  ItemIndex = -1;
  int k = 0;
  for (int i = 0; i < items_->Count(); ++i) {
    if (items_->Strings(i) == L"-") continue;
    if (k == Value) {
      ItemIndex = i;
      return;
    }
    ++k;
  }
}

void TdxBarListItem::AddListedItemLinks(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OriginLink,
                                        bool CallGetData) {
  TCustomdxBarContainerItem::AddListedItemLinks(Links, Index, OriginLink, CallGetData);
  const bool reuse = !itemList_.empty();
  TComponent* formOwner = BarManager() ? BarManager()->Owner() : Owner();
  int k = 0;
  bool groupNext = true;
  for (int i = 0; i < items_->Count(); ++i) {
    if (items_->Strings(i) == L"-") {
      groupNext = true;
      continue;
    }
    TdxBarButton* button = nullptr;
    if (!reuse) {
      button = new TdxBarButton(formOwner);
      AddToItemList(button);
      button->SetAction(Action());
      if (ShowCheck && i == ItemIndex) {
        button->SetButtonStyle(bsChecked);
        button->SetDown(true);
      }
      button->SetCaption((ShowNumbers ? EntryNumber(k) : String()) + GetEntryCaption(i));
      button->SetHint(GetEntryHint(items_->Strings(i)));
      button->Tag = i;
      button->OnClick = [this](TObject* Sender) { EntryClick(Sender); };
      button->SetEnabled(Enabled());
    } else {
      // The buttons of the earlier fill, in entry order (the extra pane's header label skipped).
      int seen = 0;
      for (TdxBarItem* made : itemList_) {
        auto* b = dynamic_cast<TdxBarButton*>(made);
        if (!b) continue;
        if (seen++ == k) {
          button = b;
          break;
        }
      }
      if (!button) break;
    }
    TdxBarItemLink* link = Links->InsertLink(std::min(Index + k, Links->Count()));
    link->SetOriginLink(OriginLink);
    link->SetItem(button);
    link->SetBeginGroup(groupNext);
    if (OriginLink) link->CopyRecentUsage(OriginLink);
    groupNext = false;
    ++k;
  }
}

void TdxBarListItem::DeleteListedItemLinks(TdxBarItemLinks* Links, int Index) {
  const int entries = EntryCount();
  for (int i = 0; i < entries && Index < Links->Count(); ++i) Links->LinkAt(Index)->Free();
}

void TdxBarListItem::ClearItemList() {
  if (!itemList_.empty() && itemList_.front()->LinkCount() == 0) {
    const std::vector<TdxBarItem*> made = itemList_;
    itemList_.clear();
    for (auto it = made.rbegin(); it != made.rend(); ++it) (*it)->Free();
  }
  TCustomdxBarContainerItem::ClearItemList();
}

void TdxBarListItem::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomdxBarContainerItem::Notification(AComponent, Operation);
  if (Operation == opRemove)
    itemList_.erase(std::remove(itemList_.begin(), itemList_.end(), AComponent), itemList_.end());
}

void TdxBarListItem::EntryClick(TObject* Sender) {
  if (auto* component = dynamic_cast<TComponent*>(Sender)) ItemIndex = int(component->Tag);
  if (!ActiveLink()) DirectClick();
}

// ---- the extra pane's list item ----------------------------------------------------------------

String TdxBarExtraPaneListItem::GetEntryCaption(int Index) {
  String text = EntryDisplayText ? EntryDisplayText(Index) : String();
  if (OnGetEntryDisplayText) OnGetEntryDisplayText(this, Index, text);
  if (text.empty()) text = ChangeFileExt(ExtractFileName(Items()->Strings(Index)), L"");
  return text;
}

void TdxBarExtraPaneListItem::AddListedItemLinks(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OriginLink,
                                                 bool CallGetData) {
  const bool reuse = ItemListCount() > 0;
  TdxBarListItem::AddListedItemLinks(Links, Index, OriginLink, CallGetData);
  if (!reuse) {
    bool anyImage = false;
    int k = 0;
    for (int i = 0; i < Items()->Count(); ++i) {
      if (Items()->Strings(i) == L"-") continue;
      const int image = EntryImageIndex ? EntryImageIndex(i) : -1;
      if (image != -1 && k < ItemListCount()) {
        ItemListAt(k)->SetImageIndex(image);
        anyImage = true;
      }
      ++k;
    }
    for (int j = 0; j < ItemListCount(); ++j) {
      if (auto* button = dynamic_cast<TdxBarButton*>(ItemListAt(j)))
        button->SetPaintStyle(anyImage ? psCaptionGlyph : psStandard);
    }
  }
  // The header above the entries.
  TComponent* formOwner = BarManager() ? BarManager()->Owner() : Owner();
  auto* header = new TdxBarLabel(formOwner);
  header->SetCaption(Caption());
  AddToItemList(header);
  TdxBarItemLink* link = Links->InsertLink(std::min(Index, Links->Count()));
  link->SetOriginLink(OriginLink);
  link->SetItem(header);
}

void TdxBarExtraPaneListItem::DeleteListedItemLinks(TdxBarItemLinks* Links, int Index) {
  // The header's link goes with the entries' links (entries + 1), so none stays behind.
  TdxBarListItem::DeleteListedItemLinks(Links, Index);
  if (Index < Links->Count()) Links->LinkAt(Index)->Free();
}

// ---- container items that copy their links ------------------------------------------------------

TdxBarContainerItem::TdxBarContainerItem(TComponent* AOwner) : TCustomdxBarContainerItem(AOwner) {
  ItemLinks()->OnChange = [this](TObject*) { ItemsChanged(); };
}

bool TdxBarContainerItem::HasShowableLinks() const {
  TdxBarItemLinks* links = ItemLinks();
  if (links->Count() == 0) return false;
  bool anyItem = false;
  for (int i = 0; i < links->Count(); ++i) {
    TdxBarItem* item = links->LinkAt(i)->Item();
    if (!item) continue;
    anyItem = true;
    if (item->IsShowable()) return true;
  }
  return !anyItem;
}

void TdxBarContainerItem::AddListedItemLinks(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OriginLink,
                                             bool CallGetData) {
  TCustomdxBarContainerItem::AddListedItemLinks(Links, Index, OriginLink, CallGetData);
  TdxBarItemLinks* own = ItemLinks();
  if (Links == own) return;
  Links->BeginUpdate();
  try {
    for (int i = 0; i < own->ShowableLinkCount(); ++i) {
      TdxBarItemLink* link = Links->InsertLink(std::min(Index + i, Links->Count()));
      link->SetOriginLink(OriginLink);
      link->Assign(own->ShowableLinkAt(i));
      if (i == 0 && ExpandsInPlace()) link->SetBeginGroup(true);
      if (OriginLink) link->CopyRecentUsage(OriginLink);
    }
  } catch (...) {
    Links->EndUpdate();
    throw;
  }
  Links->EndUpdate();
}

void TdxBarContainerItem::DeleteListedItemLinks(TdxBarItemLinks* Links, int Index) {
  TdxBarItemLinks* own = ItemLinks();
  if (Links == own) return;
  const int count = own->ShowableLinkCount();
  for (int i = 0; i < count && Index < Links->Count(); ++i) Links->LinkAt(Index)->Free();
}

// ---- the sub-item control -----------------------------------------------------------------------

void TdxBarSubItemControl::BeforeDestruction() {
  SetActiveFlag(false);
  TdxBarButtonLikeControl::BeforeDestruction();
}

TCustomdxBarControl* TdxBarSubItemControl::DropDownWindow() const {
  TCustomdxBarSubItem* sub = SubItem();
  return sub ? dynamic_cast<TdxBarSubMenuControl*>(sub->ItemLinks()->BarControl()) : nullptr;
}

bool TdxBarSubItemControl::IsDroppedDown() const {
  auto* menu = dynamic_cast<TdxBarSubMenuControl*>(DropDownWindow());
  return menu && Active() && menu->SubItemControl == this;
}

bool TdxBarSubItemControl::CanDropDown() {
  TCustomdxBarSubItem* sub = SubItem();
  if (sub && !sub->Enabled() && sub->InternalItemLinks()) return false;
  return TdxBarButtonLikeControl::CanDropDown();
}

void TdxBarSubItemControl::DropDownByKey(bool Value) {
  TdxBarButtonLikeControl::DropDownByKey(Value);
  // Opened by the keyboard: the menu selects its first entry.
  ControlClick(false, 0);
}

bool TdxBarSubItemControl::ProcessKey(Word Key) {
  return TdxBarButtonLikeControl::ProcessKey(Key) || Key == VK_RETURN;
}

TdxBarContentParts TdxBarSubItemControl::ContentPartsByPaintStyle() const {
  TCustomdxBarSubItem* sub = SubItem();
  const bool inMenu = BarControl() && BarControl()->BarKind() == 2;
  TdxBarContentParts parts;
  const bool text = (sub && sub->ShowCaption) || inMenu;
  if (text) parts.Include(cpText);
  if (!(text && sub && !sub->HasImageIndex())) parts.Include(cpIcon);
  return parts;
}

bool TdxBarSubItemControl::SplitEdgeHot() {
  TdxBarPainter* painter = Painter();
  if (!IsDrawnSelected() || !painter) return false;
  if (!painter->SplitButtonsSupported()) return painter->SubItemSplitEdgeHot();
  return !IsDroppedDown() || TdxBarButtonLikeControl::SplitEdgeHot();
}

void TdxBarSubItemControl::EnterSelected(bool ByKey) {
  if (FollowsSelection()) SelectByKeyboard(ByKey);
}

TdxBarSubMenuControl* TdxBarSubItemControl::CreateMenuWindow() {
  TCustomdxBarSubItem* sub = SubItem();
  if (!sub) return nullptr;
  if (auto* open = dynamic_cast<TdxBarSubMenuControl*>(sub->ItemLinks()->BarControl())) return open;
  return dynamic_cast<TdxBarSubMenuControl*>(sub->ItemLinks()->CreateBarControl());
}

void TdxBarSubItemControl::MenuPlacement(TPoint& P, int& AnchorWidth, int& AnchorHeight) {
  TCustomdxBarControl* window = BarControl();
  const TRect r = BoundsInBar();
  AnchorWidth = AnchorHeight = 0;
  if (window && window->BarKind() == 2) {
    P = TPoint{r.right, r.top - window->PainterFrameQuery()};
    AnchorWidth = r.Width();
  } else if (window && window->IsVertical()) {
    P = TPoint{r.right, r.top};
    AnchorWidth = r.Width();
  } else {
    P = TPoint{r.left, r.bottom};
    AnchorHeight = r.Height();
  }
  if (window && window->HandleAllocated()) P = window->ClientToScreen(P);
}

void TdxBarSubItemControl::DropDownMenu(bool) {
  TCustomdxBarSubItem* sub = SubItem();
  TCustomdxBarControl* window = BarControl();
  if (!sub || !window) return;
  TcxObjectLink* self = AcquireObjectLink(this);
  bool alive = true;
  try {
    sub->Popup();
    alive = self->Ref != nullptr;
    if (alive) sub->DirectClick();
    alive = self->Ref != nullptr && IsLiveBarControl(window) && window->HasLinkControl(this);
  } catch (...) {
    ReleaseObjectLink(self);
    throw;
  }
  ReleaseObjectLink(self);
  if (!alive) return;
  TdxBarSubMenuControl* menu = CreateMenuWindow();
  if (!menu) return;
  menu->SubItemControl = this;
  if (window->HandleAllocated()) {
    menu->SetOwnerBounds(window->ItemControlScreenRect(this));
    menu->SetOwnerControl(this);
  }
  TPoint p;
  int anchorWidth = 0, anchorHeight = 0;
  MenuPlacement(p, anchorWidth, anchorHeight);
  menu->AnchorWidth = anchorWidth;
  menu->AnchorHeight = anchorHeight;
  menu->SetBounds(p.x, p.y, menu->Width(), menu->Height());
  menu->SetParentBar(window);
  window->SetChildBar(menu);
  if (window->BarKind() != 2) Repaint();
  menu->Animate = AnimateDropDown;
  AnimateDropDown = false;
  menu->ShowSubMenuWindow();
}

void TdxBarSubItemControl::CloseUp(bool WasOpen) {
  auto* menu = dynamic_cast<TdxBarSubMenuControl*>(DropDownWindow());
  if (WasOpen && menu) menu->SubItemControl = nullptr;
  TdxBarButtonLikeControl::CloseUp(WasOpen);
  if (WasOpen) {
    if (TCustomdxBarSubItem* sub = SubItem()) sub->CloseUp();
  }
}

void TdxBarSubItemControl::BeforeClick(bool ByMouse, Word) {
  TCustomdxBarControl* window = BarControl();
  TdxBarManager* manager = LinkedBarManager();
  if (IsDroppedDown()) {
    if ((window && window->IsCustomizing()) || (manager && manager->EffectiveStyle() == bmsStandard))
      Deactivate(true);
    return;
  }
  TcxObjectLink* self = AcquireObjectLink(this);
  try {
    Activate(true);
  } catch (...) {
    ReleaseObjectLink(self);
    throw;
  }
  const bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (!alive || ByMouse) return;
  if (auto* menu = dynamic_cast<TdxBarSubMenuControl*>(DropDownWindow()); menu && menu->SelectFirstOnKeyboardOpen()) {
    if (TdxBarItemLink* first = menu->ItemLinks()->FirstSelectableShown()) menu->SetSelected(first->ItemControl());
  }
}

// ---- the container control ----------------------------------------------------------------------

bool TdxBarContainerItemControl::TakesContainerBehaviour() const {
  TCustomdxBarControl* window = BarControl();
  return !(window && window->BarKind() == 2 && window->IsCustomizing());
}

bool TdxBarContainerItemControl::IsDrawnSelected() const {
  TCustomdxBarControl* window = BarControl();
  return IsSelected() && !(window && window->IsCustomizing());
}

bool TdxBarContainerItemControl::DoubleClickExpandsMenu() const {
  TCustomdxBarControl* window = BarControl();
  return !(window && window->IsCustomizing());
}

String TdxBarContainerItemControl::Caption() const {
  const String caption = TdxBarSubItemControl::Caption();
  TCustomdxBarControl* window = BarControl();
  TCustomdxBarContainerItem* container = ContainerItem();
  if (window && window->BarKind() != 0 && container && container->ExpandsInPlace()) return L"(" + caption + L")";
  return caption;
}

void TdxBarContainerItemControl::DrawContent(const TRect& R, int PaintType) {
  TdxBarPainter* painter = Painter();
  if (PaintType == 1 && painter)
    painter->DrawContainerMenuEntry(DrawParams(), R);
  else
    TdxBarSubItemControl::DrawContent(R, PaintType);
}

TdxBarSubMenuControl* TdxBarContainerItemControl::CreateMenuWindow() {
  TCustomdxBarContainerItem* container = ContainerItem();
  TCustomdxBarControl* window = BarControl();
  TdxBarManager* manager = LinkedBarManager();
  if (!container || !manager || (window && window->IsCustomizing()) || container->IsDesigning()) return nullptr;
  if (auto* open = dynamic_cast<TdxBarSubMenuControl*>(container->ItemLinks()->BarControl())) return open;
  auto* menu = new TContainerItemSubMenuControl(manager, container);
  menu->AssignItemLinks(container->ItemLinks());
  container->AddListedItemLinks(container->ItemLinks(), 0, Link(), true);
  return menu;
}

TContainerItemSubMenuControl::TContainerItemSubMenuControl(TdxBarManager* AOwner, TCustomdxBarContainerItem* AContainer)
    : TdxBarSubMenuControl(AOwner), container_(AContainer) {}

TContainerItemSubMenuControl::~TContainerItemSubMenuControl() {
  if (HandleAllocated()) DestroyHandle();
  container_->MarkItemListStale();
}

void TContainerItemSubMenuControl::DestroyWnd() {
  // Once the window is gone its generated entries go (nothing is laid out for them any more).
  const bool had = HandleAllocated();
  TdxBarSubMenuControl::DestroyWnd();
  if (had && !HandleAllocated() && ItemLinks()) container_->DeleteListedItemLinks(ItemLinks(), 0);
}
