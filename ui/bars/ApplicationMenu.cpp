#include "ui/bars/ApplicationMenu.h"

#include <cmath>

#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/bars/ExtraPane.h"
#include "ui/bars/BarRoutines.h"
#include "ui/foundation/Canvas.h"

DEFINE_CLASS(TdxBarExtraPaneItem)
DEFINE_CLASS(TdxBarExtraPaneItems)
DEFINE_CLASS(TdxBarApplicationMenuExtraPane)
DEFINE_CLASS(TdxBarApplicationMenuButton)
DEFINE_CLASS(TdxBarApplicationMenuButtons)
DEFINE_CLASS(TdxBarApplicationMenuItemLinks)
DEFINE_CLASS(TdxBarApplicationMenuControl)
DEFINE_CLASS(TdxBarCustomApplicationMenu)
DEFINE_CLASS(TdxBarApplicationMenu)

namespace {
constexpr int kButtonGap = 6;
}  // namespace

// ---- the extra pane's items ---------------------------------------------------------------------

void TdxBarExtraPaneItem::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarExtraPaneItem*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  Data = source->Data;
  displayText_ = source->displayText_;
  ImageIndex = source->ImageIndex;
  text_ = source->text_;
  Changed(false);
}

void TdxBarExtraPaneItem::SetDisplayText(const String& Value) {
  if (displayText_ == Value) return;
  displayText_ = Value;
  Changed(false);
}

void TdxBarExtraPaneItem::SetText(const String& Value) {
  if (text_ == Value) return;
  text_ = Value;
  Changed(false);
}

int TdxBarExtraPaneItems::IndexOfText(const String& Text) const {
  for (int i = 0; i < Count(); ++i) {
    if (ItemAt(i)->Text() == Text) return i;
  }
  return -1;
}

// ---- the extra pane -----------------------------------------------------------------------------

TdxBarApplicationMenuExtraPane::TdxBarApplicationMenuExtraPane(TdxBarCustomApplicationMenu* AMenu)
    : menu_(AMenu), items_(new TdxBarExtraPaneItems(AMenu)) {
  listItem_ = new TdxBarExtraPaneListItem(nullptr);
  listItem_->SetCaption(L"Recent Documents");
  listItem_->EntryDisplayText = [this](int Index) {
    return Index < items_->Count() ? items_->ItemAt(Index)->DisplayText() : String();
  };
  listItem_->EntryImageIndex = [this](int Index) { return Index < items_->Count() ? items_->ItemAt(Index)->ImageIndex : -1; };
  listItem_->OnGetEntryDisplayText = [this](TObject*, int Index, String& Text) {
    if (OnGetItemDisplayText) OnGetItemDisplayText(menu_, Index, Text);
  };
  listItem_->OnClick = [this](TObject*) {
    if (OnItemClick) OnItemClick(menu_, listItem_->ItemIndex);
  };
}

TdxBarApplicationMenuExtraPane::~TdxBarApplicationMenuExtraPane() {
  listItem_->OnClick = nullptr;
  listItem_->Free();
}

String TdxBarApplicationMenuExtraPane::Header() const { return listItem_->Caption(); }
void TdxBarApplicationMenuExtraPane::SetHeader(const String& Value) { listItem_->SetCaption(Value); }

void TdxBarApplicationMenuExtraPane::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarApplicationMenuExtraPane*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  WidthRatio = source->WidthRatio;
  Size = source->Size;
  items_->Assign(source->items_.get());
  SetHeader(source->Header());
  OnItemClick = source->OnItemClick;
}

void TdxBarApplicationMenuExtraPane::RefillEntries() {
  TStringList* entries = listItem_->Items();
  entries->BeginUpdate();
  entries->Clear();
  for (int i = 0; i < items_->Count(); ++i) entries->Add(items_->ItemAt(i)->Text());
  entries->EndUpdate();
}

// ---- the buttons --------------------------------------------------------------------------------

TdxBarApplicationMenuButtons::TdxBarApplicationMenuButtons(TdxBarCustomApplicationMenu* AMenu)
    : TOwnedCollection(AMenu, &TdxBarApplicationMenuButton::ClassInfo()), menu_(AMenu) {}

TdxBarApplicationMenuButton::TdxBarApplicationMenuButton(TCollection* Collection)
    : TCollectionItem(Collection), watch_(new TdxBarComponentList), own_(new TdxBarComponentList) {
  auto* buttons = dynamic_cast<TdxBarApplicationMenuButtons*>(Collection);
  TdxBarManager* manager = buttons && buttons->Menu() ? buttons->Menu()->BarManager() : nullptr;
  internalItem_ = new TdxBarApplicationMenuButtonItem(manager ? manager->Owner() : nullptr);
  internalItem_->SetVisible(ivNever);
  own_->Add(internalItem_);
  own_->OnNotify = [this](TdxComponentList*, TComponent* Component, TListNotification Action) {
    if (Action != lnAdded && Component == internalItem_) internalItem_ = nullptr;
  };
  internalItem_->OnClick = [this](TObject*) {
    if (item_ && item_->OnClick) item_->OnClick(item_);
  };
  watch_->OnChanged = [this](TdxComponentList*, TComponent*, TdxComponentListChange) { Follow(); };
  watch_->OnNotify = [this](TdxComponentList*, TComponent* Component, TListNotification Action) {
    if (Action != lnAdded && Component == item_) Forget();
  };
}

TdxBarApplicationMenuButton::~TdxBarApplicationMenuButton() {
  watch_->OnNotify = nullptr;
  watch_->OnChanged = nullptr;
  watch_.reset();
  own_->OnNotify = nullptr;
  TdxBarApplicationMenuButtonItem* internal = internalItem_;
  internalItem_ = nullptr;
  own_.reset();
  if (internal) {
    internal->OnClick = nullptr;
    internal->Free();
  }
}

void TdxBarApplicationMenuButton::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarApplicationMenuButton*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetWidth(source->Width());
  SetItem(source->Item());
}

int TdxBarApplicationMenuButton::Width() const { return internalItem_ ? internalItem_->GetWidth() : 0; }
void TdxBarApplicationMenuButton::SetWidth(int Value) {
  if (internalItem_) internalItem_->SetWidth(Value);
}

void TdxBarApplicationMenuButton::SetItem(TdxBarButton* Value) {
  if (item_ == Value) return;
  if (item_) watch_->Remove(item_);
  item_ = Value;
  if (item_) watch_->Add(item_);
  if (item_)
    Follow();
  else
    Forget();
  Changed(false);
}

void TdxBarApplicationMenuButton::Follow() {
  if (!item_ || !internalItem_) return;
  internalItem_->SetCaption(item_->Caption());
  internalItem_->SetEnabled(item_->Enabled());
  internalItem_->SetGlyph(item_->Glyph());
  internalItem_->SetHint(item_->Hint());
  internalItem_->SetImageIndex(item_->ImageIndex());
  internalItem_->SetScreenTip(item_->ScreenTip());
  internalItem_->SetVisible(item_->Visible());
}

void TdxBarApplicationMenuButton::Forget() {
  item_ = nullptr;
  if (!internalItem_) return;
  internalItem_->SetCaption(String());
  internalItem_->SetEnabled(true);
  TBitmap empty;
  internalItem_->SetGlyph(&empty);
  internalItem_->SetHint(String());
  internalItem_->SetImageIndex(-1);
  internalItem_->SetScreenTip(nullptr);
  internalItem_->SetVisible(ivNever);
}

// ---- the links ----------------------------------------------------------------------------------

int TdxBarApplicationMenuItemLinks::DefaultOptionValue(TdxBarItemOptionValue Option) const {
  switch (Option) {
    case ioShowDescriptions: return 0;
    case ioShowShortCuts: return 0;
    case ioSize: return misLarge;
  }
  return TdxBarSubMenuControlItemLinks::DefaultOptionValue(Option);
}

// ---- the window ---------------------------------------------------------------------------------

std::vector<TRect> ArrangeApplicationMenuButtons(const std::vector<int>& Widths, const TRect& Strip) {
  std::vector<TRect> placed;
  int x = Strip.left;
  for (int width : Widths) {
    if (x + width > Strip.right) break;
    placed.push_back(TRect{x, Strip.top, x + width, Strip.bottom});
    x += width + kButtonGap;
  }
  if (!placed.empty()) {
    const int shift = Strip.right - placed.back().right;
    for (TRect& r : placed) OffsetRect(&r, shift, 0);
  }
  return placed;
}

TdxBarApplicationMenuControl::TdxBarApplicationMenuControl(TdxBarManager* AOwner, TdxBarCustomApplicationMenu* AMenu)
    : TdxBarSubMenuControl(AOwner), menu_(AMenu) {
  if (ShowsExtraPane()) CreateExtraPaneBar();
  buttonLinks_ = new TdxBarSubMenuControlItemLinks(AOwner, nullptr);
  buttonLinks_->Internal = true;
}

TdxBarApplicationMenuControl::~TdxBarApplicationMenuControl() {
  if (extraPaneBar_) {
    TdxBar* bar = extraPaneBar_;
    extraPaneBar_ = nullptr;
    bar->Free();
  }
  if (extraPaneDock_) {
    TdxBarExtraPaneDockControl* dock = extraPaneDock_;
    extraPaneDock_ = nullptr;
    dock->Free();
  }
  if (HandleAllocated()) DestroyHandle();
  buttonLinks_->SetBarControl(nullptr);
  delete buttonLinks_;
}

TdxBarExtraPaneDockControl* TdxBarApplicationMenuControl::CreateExtraPaneDock() {
  return new TdxBarExtraPaneDockControl(nullptr, this);
}

void TdxBarApplicationMenuControl::CreateExtraPaneBar() {
  TdxBarManager* manager = OwningBarManager();
  extraPaneDock_ = CreateExtraPaneDock();
  extraPaneDock_->SetBarManager(manager);
  extraPaneDock_->SetParent(this);
  manager->BeginBarsUpdate();
  try {
    extraPaneBar_ = manager->Bars()->Add();
    extraPaneBar_->SetAllowQuickCustomizing(false);
    extraPaneBar_->AllowCustomizing = false;
    extraPaneBar_->SetNotDocking(TdxBarDockingStyles{dsNone});
    extraPaneBar_->SetHidden(true);
    extraPaneBar_->Font()->Assign(Font());
    extraPaneBar_->SetUseOwnFont(false);
  } catch (...) {
    manager->EndBarsUpdate();
    throw;
  }
  manager->EndBarsUpdate();
}

void TdxBarApplicationMenuControl::ShowExtraPaneBar() {
  if (!extraPaneBar_ || !extraPaneDock_ || !HandleAllocated()) return;
  extraPaneBar_->SetDockControl(extraPaneDock_);
  extraPaneBar_->SetBorderStyle(bbsNone);
  extraPaneBar_->SetVisible(true);
  const TRect& r = ExtraPaneRect;
  extraPaneDock_->SetBounds(r.left, r.top, r.Width(), r.Height());
  SetWindowPos(extraPaneDock_->Handle(), nullptr, r.left, r.top, r.Width(), r.Height(),
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
  extraPaneDock_->UpdateDockLayout();
}

void TdxBarApplicationMenuControl::DestroyWnd() {
  if (extraPaneBar_) extraPaneBar_->SetVisible(false);
  TdxBarSubMenuControl::DestroyWnd();
}

bool TdxBarApplicationMenuControl::ShowsExtraPane() { return !OwningBarManager()->IsCustomizing(); }

int TdxBarApplicationMenuControl::CalcExtraPaneWidth(int ItemColumnWidth) {
  TdxBarApplicationMenuExtraPane* pane = menu_->ExtraPane();
  if (pane->Size != 0) {
    const int reference = Painter()->ReferenceTextSize();
    return reference > 0 ? MulDiv(pane->Size, TextSize(), reference) : pane->Size;
  }
  return int(std::nearbyint(pane->WidthRatio * ItemColumnWidth));
}

void TdxBarApplicationMenuControl::CalcNaturalSize(TSize& Size) {
  TdxBarSubMenuControl::CalcNaturalSize(Size);
  if (Size.cx == 0) Size.cx = 100;
  ExtraPaneWidth = ShowsExtraPane() ? CalcExtraPaneWidth(Size.cx) : 0;
  Size.cx += ExtraPaneWidth;
}

void TdxBarApplicationMenuControl::ContentMargins(TRect& R) {
  TdxBarSubMenuControl::ContentMargins(R);
  TRect extra;
  Painter()->ApplicationMenuMargins(extra);
  const double ratio = Ratio();
  R.left += int(std::lround(extra.left * ratio));
  R.top += int(std::lround(extra.top * ratio));
  R.right += int(std::lround(extra.right * ratio));
  R.bottom += int(std::lround(extra.bottom * ratio));
}

void TdxBarApplicationMenuControl::CalcItemsRect() {
  TdxBarSubMenuControl::CalcItemsRect();
  TRect content;
  Painter()->MenuBorderRect(this, content);
  const TRect client = ClientRect();
  ButtonsRect = TRect{ItemsRect.left, ItemsRect.bottom + 4, ItemsRect.right + 1, client.bottom - content.bottom - 1};
  if (ShowsExtraPane()) {
    ExtraPaneRect = TRect{ItemsRect.right - ExtraPaneWidth, ItemsRect.top, ItemsRect.right, ItemsRect.bottom};
    ItemsRect.right -= ExtraPaneWidth;
  } else {
    ExtraPaneRect = TRect{};
  }
}

void TdxBarApplicationMenuControl::CalcLayout() {
  TdxBarSubMenuControl::CalcLayout();
  std::vector<int> widths;
  std::vector<TdxBarItemLink*> shown;
  buttonLinks_->ClearItemRects();
  for (int i = 0; i < buttonLinks_->ShownLinkCount(); ++i) {
    TdxBarItemLink* link = buttonLinks_->ShownLinkAt(i);
    if (!link->ItemControl()) continue;
    shown.push_back(link);
    widths.push_back(link->ItemControl()->MeasureWidth());
  }
  const std::vector<TRect> placed = ArrangeApplicationMenuButtons(widths, ButtonsRect);
  for (size_t i = 0; i < placed.size(); ++i) shown[i]->StoreItemRect(placed[i]);
}

void TdxBarApplicationMenuControl::CalcViewInfo() {
  TdxBarSubMenuControl::CalcViewInfo();
  for (int i = 0; i < buttonLinks_->ShownLinkCount(); ++i) {
    TdxBarItemLink* link = buttonLinks_->ShownLinkAt(i);
    if (!link->ItemControl() || link->ItemRect().IsEmpty()) continue;
    link->ItemControl()->ViewInfo()->SetBounds(link->ItemRect());
    ViewInfo()->AddItemInfo(link->ItemControl()->ViewInfo());
  }
}

void TdxBarApplicationMenuControl::ShowMenuWindow() {
  if (ShowsExtraPane() && extraPaneBar_) {
    menu_->ExtraPane()->RefillEntries();
    TdxBarItemLinks* links = extraPaneBar_->ItemLinks();
    if (links->Count() == 0) links->AddItemLink(menu_->ExtraPane()->ListItem());
  }
  HandleNeeded();
  ShowExtraPaneBar();
  TdxBarSubMenuControl::ShowMenuWindow();
}

void TdxBarApplicationMenuControl::CreateControlsForLinks() {
  // One button link per button of the menu, in their order.
  buttonLinks_->BeginUpdate();
  buttonLinks_->Clear();
  for (int i = 0; i < menu_->Buttons()->Count(); ++i) {
    if (TdxBarItem* item = menu_->Buttons()->ButtonAt(i)->InternalItem()) buttonLinks_->AddLink()->SetItem(item);
  }
  buttonLinks_->EndUpdate();
  TdxBarSubMenuControl::CreateControlsForLinks();
  buttonLinks_->SetBarControl(this);
  for (int i = 0; i < buttonLinks_->ShowableLinkCount(); ++i) buttonLinks_->ShowableLinkAt(i)->CreateItemControl();
}

void TdxBarApplicationMenuControl::DestroyControlsForLinks() {
  for (int i = buttonLinks_->ShowableLinkCount() - 1; i >= 0; --i) buttonLinks_->ShowableLinkAt(i)->DestroyItemControl();
  TdxBarSubMenuControl::DestroyControlsForLinks();
}

bool TdxBarApplicationMenuControl::HasLinkControl(TdxBarItemControl* Control) {
  return TdxBarSubMenuControl::HasLinkControl(Control) || (Control && buttonLinks_->HasItemControl(Control));
}

TdxBarItemControl* TdxBarApplicationMenuControl::ButtonControlAt(const TPoint& P) {
  for (int i = 0; i < buttonLinks_->ShownLinkCount(); ++i) {
    TdxBarItemLink* link = buttonLinks_->ShownLinkAt(i);
    if (link->ItemControl() && link->ItemRect().Contains(P)) return link->ItemControl();
  }
  return nullptr;
}

bool TdxBarApplicationMenuControl::ChildMenuBounds(TRect& R) {
  if (ExtraPaneRect.IsEmpty() || !HandleAllocated()) return false;
  R = TRect{ClientToScreen(ExtraPaneRect.TopLeft()), ClientToScreen(ExtraPaneRect.BottomRight())};
  return true;
}

void TdxBarApplicationMenuControl::DrawFrame(HDC DC, const TRect& R) { Painter()->DrawSubMenuFrame(this, DC, R); }

void TdxBarApplicationMenuControl::PaintContent() {
  // The items and buttons first (each leaves the clip), then the rest of the background.
  TdxBarSubMenuControl::PaintContent();
  TcxCanvas* canvas = CurrentCanvas();
  TRect margins;
  Painter()->MenuBorderRect(this, margins);
  const TRect client = ClientRect();
  const TRect content{client.left + margins.left, client.top + margins.top, client.right - margins.right,
                      client.bottom - margins.bottom};
  TRect area = ItemsRect;
  if (!ExtraPaneRect.IsEmpty()) UnionRect(&area, &area, &ExtraPaneRect);
  const TRect side = OwnerBarRect();
  if (!side.IsEmpty()) UnionRect(&area, &area, &side);
  canvas->PushClipRegion();
  try {
    canvas->ClipToRect(content);
    Painter()->FillApplicationMenuBackground(this, canvas, area, content);
  } catch (...) {
    canvas->PopClipRegion();
    throw;
  }
  canvas->PopClipRegion();
}

// ---- the component ------------------------------------------------------------------------------

TdxBarCustomApplicationMenu::TdxBarCustomApplicationMenu(TComponent* AOwner) : TdxBarCustomPopupMenu(AOwner) {
  buttons_.reset(new TdxBarApplicationMenuButtons(this));
  extraPane_.reset(new TdxBarApplicationMenuExtraPane(this));
  // The links were made by the base with the base's class; the menu's own class replaces them.
  ReplaceItemLinks(CreateItemLinks());
}

TdxBarCustomApplicationMenu::~TdxBarCustomApplicationMenu() {
  buttons_.reset();
  extraPane_.reset();
}

TdxBarItemLinks* TdxBarCustomApplicationMenu::CreateItemLinks() {
  return new TdxBarApplicationMenuItemLinks(BarManager(), this);
}

TdxBarSubMenuControl* TdxBarCustomApplicationMenu::CreateMenuWindow() {
  return new TdxBarApplicationMenuControl(BarManager(), this);
}

bool TdxBarCustomApplicationMenu::HandlesShortCut(TShortCut ShortCut) { return ItemLinks()->HandleShortCut(ShortCut); }
