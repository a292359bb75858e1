#include "ui/bars/items/InPlaceSubItem.h"

#include <algorithm>

#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/SubMenuControl.h"

DEFINE_CLASS(TdxBarInPlaceSubItem)
DEFINE_CLASS(TdxBarInPlaceSubItemControlDrawParams)
DEFINE_CLASS(TdxBarInPlaceSubItemControl)

// ---- the item -----------------------------------------------------------------------------------

std::vector<TCustomdxBarControl*> TdxBarInPlaceSubItem::MenusShowingLinks() const {
  std::vector<TCustomdxBarControl*> menus;
  for (int i = 0; i < LinkCount(); ++i) {
    TdxBarItemLinks* owner = LinkAt(i)->OwnerLinks();
    TCustomdxBarControl* window = owner ? owner->BarControl() : nullptr;
    if (auto* menu = dynamic_cast<TdxBarSubMenuControl*>(window);
        menu && IsLiveBarControl(menu) && std::find(menus.begin(), menus.end(), menu) == menus.end())
      menus.push_back(menu);
  }
  return menus;
}

void TdxBarInPlaceSubItem::SetExpanded(bool Value) {
  if (expanded_ == Value) return;
  // The links are taken first: the rebuild adds and frees generated links, not the item's own.
  std::vector<TdxBarItemLink*> links;
  for (int i = 0; i < LinkCount(); ++i) links.push_back(LinkAt(i));
  if (!Value)
    for (TdxBarItemLink* link : links) DoBeforeCollapse(link);
  expanded_ = Value;
  if (!IsLoading()) {
    changing_ = true;
    try {
      for (TCustomdxBarControl* menu : MenusShowingLinks()) menu->Recalculate(true);
    } catch (...) {
      changing_ = false;
      throw;
    }
    changing_ = false;
  }
  if (Value)
    for (TdxBarItemLink* link : links) DoAfterExpand(link);
}

void TdxBarInPlaceSubItem::AddListedItemLinks(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OriginLink,
                                              bool CallGetData) {
  if (expanded_) TdxBarContainerItem::AddListedItemLinks(Links, Index, OriginLink, CallGetData);
}

void TdxBarInPlaceSubItem::DeleteListedItemLinks(TdxBarItemLinks* Links, int Index) {
  if (!Links || Index <= 0 || Index >= Links->Count()) return;
  TdxBarItemLink* own = Links->LinkAt(Index - 1);
  if (own->Item() != this || Links->LinkAt(Index)->OriginLink() != own) return;
  TdxBarContainerItem::DeleteListedItemLinks(Links, Index);
}

void TdxBarInPlaceSubItem::DoAfterExpand(TdxBarItemLink* Link) {
  if (OnAfterExpand) OnAfterExpand(this, Link);
  KeepBeginGroup(Link, true);
}

void TdxBarInPlaceSubItem::DoBeforeCollapse(TdxBarItemLink* Link) {
  if (OnBeforeCollapse) OnBeforeCollapse(this, Link);
  KeepBeginGroup(Link, false);
}

void TdxBarInPlaceSubItem::KeepBeginGroup(TdxBarItemLink* Link, bool Value) {
  TdxBarItemLinks* links = Link ? Link->OwnerLinks() : nullptr;
  if (!KeepBeginGroupWhileExpanded || !links || links->OwnerIsToolbar()) return;
  const int own = IsDesigning() ? 0 : ItemLinks()->ShownLinkCount();
  const int index = Link->ShownIndex() + own + 1;
  if (Link->ShownIndex() < 0 || index >= links->ShownLinkCount()) return;
  links->ShownLinkAt(index)->SetBeginGroup(Value);
}

// ---- the control --------------------------------------------------------------------------------

bool TdxBarInPlaceSubItemControl::InSubMenu() const { return BarControl() && BarControl()->BarKind() == 2; }

void TdxBarInPlaceSubItemControl::CalcDrawParams(bool Full) {
  TdxBarContainerItemControl::CalcDrawParams(Full);
  auto* p = static_cast<TdxBarInPlaceSubItemControlDrawParams*>(DrawParams());
  p->Expanded = InPlaceItem() && InPlaceItem()->Expanded();
  TdxBarPainter* painter = Painter();
  p->TextSize = InSubMenu() && painter ? painter->StaticTextSize(p) : 0;
}

void TdxBarInPlaceSubItemControl::DrawContent(const TRect& R, int PaintType) {
  TdxBarPainter* painter = Painter();
  if (InSubMenu() && painter)
    painter->DrawInPlaceSubItem(DrawParams(), R, InPlaceItem() && InPlaceItem()->Expanded());
  else
    TdxBarContainerItemControl::DrawContent(R, PaintType);
}

bool TdxBarInPlaceSubItemControl::HasDropDown() const { return !InSubMenu() && TdxBarContainerItemControl::HasDropDown(); }

bool TdxBarInPlaceSubItemControl::CanDropDown() { return !InSubMenu() && TdxBarContainerItemControl::CanDropDown(); }

void TdxBarInPlaceSubItemControl::Toggle() {
  TdxBarInPlaceSubItem* item = InPlaceItem();
  TCustomdxBarControl* menu = BarControl();
  TdxBarItemLink* link = Link();
  if (!item || !menu || !link) return;
  TdxBarItemLinks* links = link->OwnerLinks();
  const int position = links ? links->IndexOfLink(link) : -1;
  TdxBarItemLink* origin = link->OriginLink();
  item->DirectClick();
  if (!IsLiveBarControl(menu)) return;
  item->SetExpanded(!item->Expanded());
  if (!IsLiveBarControl(menu) || !links || position < 0 || position >= links->Count()) return;
  TdxBarItemLink* now = links->LinkAt(position);
  if (now->OriginLink() == origin && now->ItemControl()) menu->SetSelected(now->ItemControl());
}

void TdxBarInPlaceSubItemControl::BeforeClick(bool ByMouse, Word Key) {
  if (!InSubMenu()) return TdxBarContainerItemControl::BeforeClick(ByMouse, Key);
  if (IsEnabledConst()) Toggle();
}

bool TdxBarInPlaceSubItemControl::ProcessKey(Word Key) {
  if (!InSubMenu()) return TdxBarContainerItemControl::ProcessKey(Key);
  const bool expanded = InPlaceItem() && InPlaceItem()->Expanded();
  return (Key == VK_RIGHT && !expanded) || (Key == VK_LEFT && expanded) || Key == VK_RETURN;
}

void TdxBarInPlaceSubItemControl::KeyDown(Word Key) {
  if (!InSubMenu()) return TdxBarContainerItemControl::KeyDown(Key);
  if (ProcessKey(Key)) ControlClick(false, Key);
}

int TdxBarInPlaceSubItemControl::Height() {
  const int height = TdxBarContainerItemControl::Height();
  return InSubMenu() ? height + 1 : height;
}

int TdxBarInPlaceSubItemControl::Width() {
  if (!InSubMenu()) return TdxBarContainerItemControl::Width();
  TdxBarPainter* painter = Painter();
  const int indent = painter ? painter->StaticTextIndent() : 0;
  return indent + CaptionWidth() + BarControl()->TextSize();
}
