#include "platform/framework/controls/Menus.h"

#include <algorithm>
#include <unordered_map>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/graphics/ImageList.h"

DEFINE_CLASS(TMenuItem)
DEFINE_CLASS(TMenuActionLink)
DEFINE_CLASS(TMenu)
DEFINE_CLASS(TMainMenu)
DEFINE_CLASS(TPopupMenu)

TPopupList PopupList;

namespace {

// ---- Command ids ---------------------------------------------------------------------------------

std::unordered_map<UINT, TMenuItem*>& Commands() {
  static std::unordered_map<UINT, TMenuItem*> commands;
  return commands;
}

// WM_COMMAND carries 16 bits; ids are reused only once free.
UINT NewCommand(TMenuItem* item) {
  static UINT next = 0;
  auto& commands = Commands();
  do {
    next = next % 0xFFFF + 1;
  } while (commands.count(next));
  commands[next] = item;
  return next;
}

TMenuItem* ItemOfCommand(UINT command) {
  auto it = Commands().find(command);
  return it == Commands().end() ? nullptr : it->second;
}

// ---- The popup being shown -----------------------------------------------------------------------

constexpr UINT kRunDriverMessage = WM_APP + 0x1C0;
constexpr UINT_PTR kOverrunTimer = 1;

struct ShownPopup {
  TPopupMenu* Menu = nullptr;
  UINT Chosen = 0;
  bool DriverRan = false;
  DWORD Started = 0;
};

ShownPopup& Shown() {
  static ShownPopup shown;
  return shown;
}

TModalLoop PopupLoop() { return TModalLoop{L"popup menu", PopupList.WindowHandle(), [] { EndMenu(); }}; }

void ShowControlPopup(TControl* control, TPopupMenu* menu, TPoint pos) {
  if (!menu->AutoPopup) return;
  menu->PopupComponent = control;
  menu->Popup(pos.x, pos.y);
}

}  // namespace

String StripHotkey(const String& Text) {
  String result;
  result.reserve(Text.size());
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == L'&') {
      if (i + 1 < Text.size() && Text[i + 1] == L'&') result += L'&';
      ++i;
      if (i < Text.size() && Text[i] != L'&') result += Text[i];
      continue;
    }
    result += Text[i];
  }
  return result;
}

// ---- TMenuItem -----------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) { command_ = NewCommand(this); }

TMenuItem::~TMenuItem() {
  actionLink_.reset();
  Commands().erase(command_);
  while (!items_.empty()) {
    TMenuItem* child = items_.back();
    items_.pop_back();
    child->parent_ = nullptr;
    Guarded([&] { child->Free(); });
  }
  if (parent_) parent_->Remove(this);
  if (menu_ && handle_) DestroyMenu(handle_);
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->parent_) throw EMenuError(L"Menu inserted twice");
  InsertAt(std::clamp(Index, 0, Count()), Item);
}

void TMenuItem::InsertAt(int Index, TMenuItem* Item) {
  items_.insert(items_.begin() + Index, Item);
  Item->parent_ = this;
  Changed(true);
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(items_.begin(), items_.end(), Item);
  if (it == items_.end()) return;
  items_.erase(it);
  Item->parent_ = nullptr;
  Item->ReleaseHandles();
  Changed(true);
}

void TMenuItem::Delete(int Index) {
  TMenuItem* item = Items(Index);
  Remove(item);
  item->Free();
}

void TMenuItem::Clear() {
  while (!items_.empty()) Delete(Count() - 1);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(items_.begin(), items_.end(), Item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int Value) {
  if (!parent_) return;
  TMenuItem* parent = parent_;
  const int from = parent->IndexOf(this);
  Value = std::clamp(Value, 0, parent->Count() - 1);
  if (from == Value) return;
  parent->items_.erase(parent->items_.begin() + from);
  parent->items_.insert(parent->items_.begin() + Value, this);
  Changed(true);
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->parent_) item = item->parent_;
  return item->menu_;
}

TMenuItem* TMenuItem::Find(const String& ACaption) const {
  const String wanted = StripHotkey(ACaption);
  for (TMenuItem* item : items_) {
    if (StripHotkey(item->caption_) == wanted) return item;
  }
  return nullptr;
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->menu_) return parent_->menu_;
  return parent_;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (parent_) parent_->Remove(this);
  if (auto* menu = dynamic_cast<TMenu*>(Value)) menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(Value)) item->Add(this);
}

void TMenuItem::GetChildren(TGetChildProc Proc, TComponent*) {
  for (TMenuItem* item : items_) Proc(item);
}

void TMenuItem::SetCaption(const String& Value) {
  if (caption_ == Value) return;
  const bool lineChanged = IsLine() != (Value == L"-");
  caption_ = Value;
  Changed(lineChanged);
}

void TMenuItem::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  Changed(false);
}

void TMenuItem::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  Changed(true);
}

void TMenuItem::SetChecked(bool Value) {
  if (checked_ == Value) return;
  checked_ = Value;
  if (Value && radioItem_) TurnSiblingsOff();
  Changed(false);
}

void TMenuItem::TurnSiblingsOff() {
  if (!parent_) return;
  for (TMenuItem* sibling : parent_->items_) {
    if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) sibling->SetChecked(false);
  }
}

void TMenuItem::SetRadioItem(bool Value) {
  if (radioItem_ == Value) return;
  radioItem_ = Value;
  if (checked_ && radioItem_) TurnSiblingsOff();
  Changed(false);
}

void TMenuItem::SetGroupIndex(Byte Value) {
  if (groupIndex_ == Value) return;
  groupIndex_ = Value;
  if (checked_ && radioItem_) TurnSiblingsOff();
}

void TMenuItem::SetDefault(bool Value) {
  if (default_ == Value) return;
  default_ = Value;
  Changed(false);
}

void TMenuItem::SetBreak(TMenuBreak Value) {
  if (break_ == Value) return;
  break_ = Value;
  Changed(false);
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (shortCut_ == Value) return;
  shortCut_ = Value;
  Changed(false);
}

void TMenuItem::SetImageIndex(int Value) {
  if (imageIndex_ == Value) return;
  imageIndex_ = Value;
  Changed(false);
}

TBitmap* TMenuItem::Bitmap() {
  if (!bitmap_) bitmap_ = std::make_unique<TBitmap>();
  return bitmap_.get();
}

bool TMenuItem::HasBitmap() const { return bitmap_ && !bitmap_->Empty(); }

void TMenuItem::SetBitmap(TBitmap* Value) {
  Bitmap()->Assign(Value);
  Changed(false);
}

void TMenuItem::Changed(bool Rebuild) {
  // A menu being freed with its items is not rebuilt item by item.
  if (ComponentState().Contains(csDestroying)) return;
  TMenu* menu = GetParentMenu();
  if (menu && !menu->ComponentState().Contains(csDestroying)) menu->MenuChanged(this, Rebuild);
}

// ---- Actions -------------------------------------------------------------------------------------

TBasicAction* TMenuItem::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

TMenuActionLink* TMenuItem::CreateActionLink() { return new TMenuActionLink(this); }

void TMenuItem::SetAction(TBasicAction* Value) {
  if (!Value) {
    actionLink_.reset();
    return;
  }
  if (!actionLink_) actionLink_.reset(CreateActionLink());
  actionLink_->SetAction(Value);
  actionLink_->OnChange = [this](TObject* Sender) {
    if (Sender == Action()) ActionChange(Sender, false);
  };
  ActionChange(Value, Value->ComponentState().Contains(csLoading));
}

void TMenuItem::InitiateAction() {
  if (actionLink_) actionLink_->Update();
}

void TMenuItem::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || caption_.empty()) SetCaption(action->Caption());
  if (!CheckDefaults || !checked_) SetChecked(action->Checked());
  if (!CheckDefaults || enabled_) SetEnabled(action->Enabled());
  if (!CheckDefaults || HelpContext == 0) HelpContext = action->HelpContext();
  if (!CheckDefaults || hint_.empty()) SetHint(action->Hint());
  if (!CheckDefaults || imageIndex_ == -1) SetImageIndex(action->ImageIndex());
  if (!CheckDefaults || shortCut_ == scNone) SetShortCut(action->ShortCut());
  if (!CheckDefaults || visible_) SetVisible(action->Visible());
  if (!CheckDefaults || !OnClick) OnClick = action->OnExecute;
}

void TMenuItem::Click() {
  if (!enabled_) return;
  TBasicAction* action = Action();
  auto* custom = dynamic_cast<TCustomAction*>(action);
  if (AutoCheck && !(custom && custom->AutoCheck)) SetChecked(!checked_);
  if (action && !ComponentState().Contains(csDesigning) && (!OnClick || SameHandler(OnClick, action->OnExecute))) {
    actionLink_->Execute(this);
    return;
  }
  if (OnClick) OnClick(this);
}

bool TMenuActionLink::IsCaptionLinked() {
  return TActionLink::IsCaptionLinked() && item_->Caption() == static_cast<TCustomAction*>(Action())->Caption();
}
bool TMenuActionLink::IsCheckedLinked() {
  return TActionLink::IsCheckedLinked() && item_->Checked() == static_cast<TCustomAction*>(Action())->Checked();
}
bool TMenuActionLink::IsEnabledLinked() {
  return TActionLink::IsEnabledLinked() && item_->Enabled() == static_cast<TCustomAction*>(Action())->Enabled();
}
bool TMenuActionLink::IsHelpContextLinked() {
  return TActionLink::IsHelpContextLinked() &&
         item_->HelpContext == static_cast<TCustomAction*>(Action())->HelpContext();
}
bool TMenuActionLink::IsHintLinked() {
  return TActionLink::IsHintLinked() && item_->Hint() == static_cast<TCustomAction*>(Action())->Hint();
}
bool TMenuActionLink::IsGroupIndexLinked() { return false; }
bool TMenuActionLink::IsImageIndexLinked() {
  return TActionLink::IsImageIndexLinked() &&
         item_->ImageIndex() == static_cast<TCustomAction*>(Action())->ImageIndex();
}
bool TMenuActionLink::IsShortCutLinked() {
  return TActionLink::IsShortCutLinked() && item_->ShortCut() == static_cast<TCustomAction*>(Action())->ShortCut();
}
bool TMenuActionLink::IsVisibleLinked() {
  return TActionLink::IsVisibleLinked() && item_->Visible() == static_cast<TCustomAction*>(Action())->Visible();
}
bool TMenuActionLink::IsOnExecuteLinked() { return Action() && SameHandler(item_->OnClick, Action()->OnExecute); }

// ---- System menus --------------------------------------------------------------------------------

namespace {

// The entry of an item in its parent's system menu; text must outlive the call that uses info.
void DescribeItem(TMenuItem* item, bool ownerDraw, MENUITEMINFOW& info, String& text) {
  info = MENUITEMINFOW{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
  info.wID = item->Command();
  info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
  if (item->IsLine()) {
    // In an owner-drawn menu the separators are measured and drawn by their items too.
    info.fType = MFT_SEPARATOR | (ownerDraw ? MFT_OWNERDRAW : 0);
    return;
  }
  if (ownerDraw) info.fType |= MFT_OWNERDRAW;
  if (item->RadioItem()) info.fType |= MFT_RADIOCHECK;
  if (item->Break() == mbBreak) info.fType |= MFT_MENUBREAK;
  if (item->Break() == mbBarBreak) info.fType |= MFT_MENUBARBREAK;
  if (item->Checked()) info.fState |= MFS_CHECKED;
  if (!item->Enabled()) info.fState |= MFS_GRAYED;
  if (item->Default()) info.fState |= MFS_DEFAULT;
  if (!ownerDraw && item->HasBitmap()) {
    info.fMask |= MIIM_BITMAP;
    info.hbmpItem = item->Bitmap()->Handle();
  }
  text = item->Caption();
  if (item->ShortCut() != scNone) text += L"\t" + ShortCutToText(item->ShortCut());
  info.fMask |= MIIM_STRING;
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
}

}  // namespace

void TMenuItem::FillHandle(HMENU menu, bool ownerDraw) {
  UINT position = 0;
  for (TMenuItem* item : items_) {
    if (!item->visible_) continue;
    MENUITEMINFOW info;
    String text;
    DescribeItem(item, ownerDraw, info, text);
    if (!item->items_.empty()) {
      item->handle_ = CreatePopupMenu();
      item->FillHandle(item->handle_, ownerDraw);
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = item->handle_;
    }
    InsertMenuItemW(menu, position++, TRUE, &info);
  }
}

// The system destroyed the sub-menus with their parent; forget them.
void TMenuItem::ReleaseHandles() {
  if (!menu_) handle_ = nullptr;
  for (TMenuItem* item : items_) item->ReleaseHandles();
}

// ---- TMenu ---------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  HMENU handle = items_->handle_;
  items_->handle_ = nullptr;
  items_->menu_ = nullptr;
  items_.reset();
  if (handle) DestroyMenu(handle);
}

HMENU TMenu::Handle() {
  if (!items_->handle_) {
    items_->handle_ = CreateRootHandle();
    items_->FillHandle(items_->handle_, ownerDraw_);
  }
  return items_->handle_;
}

void TMenu::RebuildHandle() {
  HMENU root = items_->handle_;
  if (!root) return;
  while (GetMenuItemCount(root) > 0) DeleteMenu(root, 0, MF_BYPOSITION);
  for (TMenuItem* item : items_->items_) item->ReleaseHandles();
  items_->FillHandle(root, ownerDraw_);
}

void TMenu::MenuChanged(TMenuItem* Item, bool Rebuild) {
  if (!HandleAllocated()) return;
  TMenuItem* parent = Item->Parent();
  if (!Rebuild && !Item->visible_) return;
  if (Rebuild || !parent || !parent->handle_) {
    RebuildHandle();
    return;
  }
  MENUITEMINFOW info;
  String text;
  DescribeItem(Item, ownerDraw_, info, text);
  SetMenuItemInfoW(parent->handle_, Item->Command(), FALSE, &info);
}

void TMenu::SetImages(TCustomImageList* Value) {
  if (images_ == Value) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = Value;
  if (images_) images_->FreeNotification(this);
  MenuChanged(items_.get(), true);
}

void TMenu::SetOwnerDraw(bool Value) {
  if (ownerDraw_ == Value) return;
  ownerDraw_ = Value;
  MenuChanged(items_.get(), true);
}

TBiDiMode TMenu::BiDiMode() const {
  if (parentBiDiMode_)
    if (auto* control = dynamic_cast<TControl*>(Owner())) return control->BiDiMode();
  return biDiMode_;
}

void TMenu::SetBiDiMode(TBiDiMode Value) {
  biDiMode_ = Value;
  parentBiDiMode_ = false;
}

bool TMenu::UseRightToLeftAlignment() const { return BiDiMode() != bdLeftToRight && SysLocaleMiddleEast(); }

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) images_ = nullptr;
}

void TMenu::GetChildren(TGetChildProc Proc, TComponent* Root) { items_->GetChildren(Proc, Root); }

namespace {

TMenuItem* FindShortCutIn(TMenuItem* parent, TShortCut shortCut) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (!item->Visible()) continue;
    if (item->ShortCut() == shortCut) return item;
    if (TMenuItem* found = FindShortCutIn(item, shortCut)) return found;
  }
  return nullptr;
}

}  // namespace

TMenuItem* TMenu::FindShortCut(TShortCut ShortCut) const {
  if (ShortCut == scNone) return nullptr;
  return FindShortCutIn(items_.get(), ShortCut);
}

bool TMenu::IsShortCut(TMessage& Message) {
  TMenuItem* item = FindShortCut(ShortCutFromMessage(Message));
  if (!item) return false;
  if (item->Action()) item->Action()->Update();
  if (!item->Enabled()) return false;
  item->Click();
  return true;
}

TMenuItem* TMenu::FindItem(UINT Value, bool ByHandle) const {
  if (!ByHandle) {
    TMenuItem* item = ItemOfCommand(Value);
    return item && item->GetParentMenu() == this ? item : nullptr;
  }
  for (const auto& [command, item] : Commands()) {
    if (item->handle_ && reinterpret_cast<UINT_PTR>(item->handle_) == Value && item->GetParentMenu() == this)
      return item;
  }
  return nullptr;
}

bool TMenu::DispatchCommand(UINT Command) {
  TMenuItem* item = FindItem(Command, false);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchPopup(HMENU SubMenu) {
  if (SubMenu == items_->handle_) return true;
  TMenuItem* item = FindItem(static_cast<UINT>(reinterpret_cast<UINT_PTR>(SubMenu)), true);
  if (!item) return false;
  // The sub-items show their actions' states as of now, not of the last idle update (a menu opened
  // before the program was ever idle, or during a long command, would offer stale states).
  for (TMenuItem* child : item->items_) child->InitiateAction();
  // The handler may change the sub-items; only this sub-menu is refilled, the open ones stay.
  item->Click();
  if (item->handle_ == SubMenu) {
    while (GetMenuItemCount(SubMenu) > 0) DeleteMenu(SubMenu, 0, MF_BYPOSITION);
    for (TMenuItem* child : item->items_) child->ReleaseHandles();
    item->FillHandle(SubMenu, ownerDraw_);
  }
  return true;
}

bool TMenu::HandleMenuMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_COMMAND:
      if (Message.LParam != 0 || HIWORD(Message.WParam) != 0) return false;
      return DispatchCommand(LOWORD(Message.WParam));
    case WM_INITMENUPOPUP:
      return DispatchPopup(reinterpret_cast<HMENU>(Message.WParam));
    case WM_MENUSELECT: {
      const UINT flags = HIWORD(Message.WParam);
      if (flags == 0xFFFF && Message.LParam == 0) return false;
      TMenuItem* item = nullptr;
      if (flags & MF_POPUP) {
        HMENU sub = GetSubMenu(reinterpret_cast<HMENU>(Message.LParam), LOWORD(Message.WParam));
        item = FindItem(static_cast<UINT>(reinterpret_cast<UINT_PTR>(sub)), true);
      } else {
        item = FindItem(LOWORD(Message.WParam), false);
      }
      if (!item) return false;
      if (Application) Application->SetHint(GetLongHint(item->Hint()));
      return true;
    }
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
      if (measure->CtlType != ODT_MENU) return false;
      TMenuItem* item = FindItem(measure->itemID, false);
      if (!item || reinterpret_cast<ULONG_PTR>(item) != measure->itemData) return false;
      HDC dc = GetDC(nullptr);
      TCanvas canvas;
      canvas.SetHandle(dc);
      if (Screen) canvas.SetFont(Screen->MenuFont());
      int width = 0, height = 0;
      Guarded([&] { item->MeasureItem(&canvas, width, height); });
      canvas.SetHandle(nullptr);
      ReleaseDC(nullptr, dc);
      measure->itemWidth = static_cast<UINT>(std::max(width, 0));
      measure->itemHeight = static_cast<UINT>(std::max(height, 0));
      Message.Result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      if (draw->CtlType != ODT_MENU) return false;
      TMenuItem* item = FindItem(draw->itemID, false);
      if (!item || reinterpret_cast<ULONG_PTR>(item) != draw->itemData) return false;
      const int saved = SaveDC(draw->hDC);
      TCanvas canvas;
      canvas.SetHandle(draw->hDC);
      if (Screen) canvas.SetFont(Screen->MenuFont());
      const bool topLevel = item->Parent() == items_.get() && dynamic_cast<TMainMenu*>(this);
      Guarded([&] { item->AdvancedDrawItem(&canvas, TRect(draw->rcItem), OwnerDrawStateFromItemState(draw->itemState), topLevel); });
      canvas.SetHandle(nullptr);
      RestoreDC(draw->hDC, saved);
      Message.Result = TRUE;
      return true;
    }
    case WM_MENUCHAR: {
      HMENU menu = reinterpret_cast<HMENU>(Message.LParam);
      TMenuItem* parent = menu == items_->handle_ ? items_.get()
                                                   : FindItem(static_cast<UINT>(reinterpret_cast<UINT_PTR>(menu)), true);
      if (!parent) return false;
      const Word key = LOWORD(Message.WParam);
      int position = 0;
      for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible()) continue;
        if (item->Enabled() && IsAccel(key, item->Caption())) {
          Message.Result = MAKELRESULT(position, MNC_EXECUTE);
          return true;
        }
        ++position;
      }
      return false;
    }
    default:
      return false;
  }
}

// ---- Owner drawing -------------------------------------------------------------------------------

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
  const TSize text = ACanvas->TextExtent(StripHotkey(caption_.empty() ? L" " : caption_));
  Height = IsLine() ? GetSystemMetrics(SM_CYMENUSIZE) / 2 : std::max<int>(text.cy + 4, GetSystemMetrics(SM_CYMENUSIZE));
  Width = text.cx + 2 * GetSystemMetrics(SM_CXMENUCHECK) + 8;
  if (shortCut_ != scNone) Width += ACanvas->TextWidth(ShortCutToText(shortCut_)) + 16;
  if (OnMeasureItem) OnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::DoDrawText(TCanvas* ACanvas, const String& ACaption, TRect& Rect, bool Selected, UINT Flags) {
  HDC dc = ACanvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(!enabled_ ? clGrayText : Selected ? clHighlightText : clMenuText));
  String text = ACaption;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &Rect, Flags);
}

void TMenuItem::AdvancedDrawItem(TCanvas* ACanvas, TRect ARect, TOwnerDrawState State, bool TopLevel) {
  if (OnAdvancedDrawItem) {
    OnAdvancedDrawItem(this, ACanvas, ARect, State);
    return;
  }
  const bool selected = State.Contains(odSelected);
  if (OnDrawItem) {
    OnDrawItem(this, ACanvas, ARect, selected);
    return;
  }
  ACanvas->Brush()->SetColor(selected && !TopLevel ? clHighlight : clMenu);
  ACanvas->FillRect(ARect);
  if (IsLine()) {
    TRect line = ARect;
    line.top += ARect.Height() / 2 - 1;
    DrawEdge(ACanvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  const int checkWidth = GetSystemMetrics(SM_CXMENUCHECK);
  TRect textRect = ARect;
  textRect.left += TopLevel ? 6 : checkWidth + 4;
  const UINT noPrefix = State.Contains(odNoAccel) ? DT_HIDEPREFIX : 0;
  if (!TopLevel && (checked_ || imageIndex_ >= 0 || HasBitmap())) {
    TMenu* menu = GetParentMenu();
    const int y = ARect.top + (ARect.Height() - checkWidth) / 2;
    if (menu && menu->Images() && imageIndex_ >= 0) {
      menu->Images()->Draw(ACanvas, ARect.left + 2, ARect.top + (ARect.Height() - menu->Images()->Height()) / 2,
                           imageIndex_, enabled_);
    } else if (HasBitmap()) {
      ACanvas->Draw(ARect.left + 2, ARect.top + (ARect.Height() - bitmap_->Height()) / 2, bitmap_.get());
    } else if (checked_) {
      TRect mark = Bounds(ARect.left + 2, y, checkWidth, checkWidth);
      DrawFrameControl(ACanvas->Handle(), &mark, DFC_MENU, radioItem_ ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
  }
  DoDrawText(ACanvas, caption_, textRect, selected, DT_SINGLELINE | DT_VCENTER | DT_LEFT | noPrefix);
  if (shortCut_ != scNone && !TopLevel) {
    TRect keyRect = ARect;
    keyRect.right -= checkWidth;
    DoDrawText(ACanvas, ShortCutToText(shortCut_), keyRect, selected, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
}

// ---- TMainMenu -----------------------------------------------------------------------------------

TMainMenu::~TMainMenu() {
  if (!form_) return;
  // The window must not keep a menu this object destroys.
  if (form_->HandleAllocated() && GetMenu(form_->Handle()) == Items()->Handle()) ::SetMenu(form_->Handle(), nullptr);
  if (!form_->ComponentState().Contains(csDestroying)) form_->SetMenu(nullptr);
}

void TMainMenu::MenuChanged(TMenuItem* Item, bool Rebuild) {
  TMenu::MenuChanged(Item, Rebuild);
  if (form_ && form_->HandleAllocated() && HandleAllocated() && !form_->ComponentState().Contains(csDestroying))
    DrawMenuBar(form_->Handle());
}

void TMainMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == form_) form_ = nullptr;
}

void TMainMenu::FormHook(TMessage& Message, TWindowProcChain& Next) {
  // A new window of the form (a re-created handle) gets the menu as it is made, or at the latest
  // before it shows.
  const bool showing = Message.Msg == WM_CREATE || Message.Msg == WM_SHOWWINDOW ||
                       (Message.Msg == WM_WINDOWPOSCHANGING &&
                        (reinterpret_cast<const WINDOWPOS*>(Message.LParam)->flags & SWP_SHOWWINDOW));
  if (showing && form_->HandleAllocated() && GetMenu(form_->Handle()) != Handle()) {
    ::SetMenu(form_->Handle(), Handle());
  }
  // The system destroys a window's menu with the window; this menu is the menu object's to destroy.
  if (Message.Msg == WM_DESTROY && form_->HandleAllocated() && GetMenu(form_->Handle()) == Items()->Handle()) {
    ::SetMenu(form_->Handle(), nullptr);
  }
  if (!HandleMenuMessage(Message)) Next(Message);
}

void AttachMainMenu(TCustomForm* Form, TMainMenu* Menu) {
  if (Menu) {
    Menu->form_ = Form;
    Menu->FreeNotification(Form);
    Menu->hook_ = TWindowProcHook(Menu, &TMainMenu::FormHook);
    Form->InstallWindowProcHook(Menu->hook_);
    if (Form->HandleAllocated()) ::SetMenu(Form->Handle(), Menu->Handle());
  }
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (menu_ == Value) return;
  if (TMainMenu* old = menu_) {
    Guarded([&] { RemoveWindowProcHook(old->hook_); });
    old->form_ = nullptr;
    if (HandleAllocated()) ::SetMenu(Handle(), nullptr);
  }
  menu_ = Value;
  AttachMainMenu(this, Value);
}

// ---- TPopupMenu ----------------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {
  PopupList.Add(this);
  if (Application && !Application->PopupHandler) Application->PopupHandler = &ShowControlPopup;
}

TPopupMenu::~TPopupMenu() {
  if (Shown().Menu == this) {
    Shown().Menu = nullptr;
    EndMenu();
  }
  PopupList.Remove(this);
}

void TPopupMenu::DoPopup(TObject* Sender) {
  if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Popup(int X, int Y) {
  DoPopup(this);
  if (HandleAllocated()) RebuildHandle();
  HMENU menu = Handle();
  UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD | MenuAnimationFlags(MenuAnimation);
  if (Alignment == paRight) flags |= TPM_RIGHTALIGN;
  else if (Alignment == paCenter) flags |= TPM_CENTERALIGN;
  ShownPopup saved = Shown();
  Shown() = ShownPopup{this, 0, false, GetTickCount()};
  HWND window = PopupList.WindowHandle();
  SetTimer(window, kOverrunTimer, 100, nullptr);
  UINT command = TrackPopupMenuEx(menu, flags, X, Y, window, nullptr);
  KillTimer(window, kOverrunTimer);
  const ShownPopup shown = Shown();
  Shown() = saved;
  if (!shown.Menu) return;  // freed while shown
  if (command == 0) command = shown.Chosen;
  if (Application) Application->SetHint(String());
  if (command != 0) DispatchCommand(command);
}

UINT MenuAnimationFlags(TMenuAnimation Animation) {
  static constexpr UINT kFlags[] = {TPM_HORPOSANIMATION, TPM_HORNEGANIMATION, TPM_VERPOSANIMATION,
                                    TPM_VERNEGANIMATION, TPM_NOANIMATION};
  UINT flags = 0;
  for (int i = maLeftToRight; i <= maNoAnimation; ++i)
    if (Animation.Contains(static_cast<TMenuAnimations>(i))) flags |= kFlags[i];
  return flags;
}

void ChoosePopupCommand(UINT Command) {
  if (!Shown().Menu) return;
  Shown().Chosen = Command;
  EndMenu();
}

// ---- TPopupList ----------------------------------------------------------------------------------

HWND TPopupList::WindowHandle() {
  if (!window_) window_ = AllocateHWnd(TWndMethod(this, &TPopupList::WndProc));
  return window_;
}

void TPopupList::Add(TPopupMenu* Menu) { menus_.push_back(Menu); }

void TPopupList::Remove(TPopupMenu* Menu) { menus_.erase(std::remove(menus_.begin(), menus_.end(), Menu), menus_.end()); }

void TPopupList::WndProc(TMessage& Message) {
  Guarded([&] {
    ShownPopup& shown = Shown();
    switch (Message.Msg) {
      case WM_INITMENUPOPUP:
        // The root opened: the test driver runs once the menu loop handles messages.
        if (shown.Menu && !shown.DriverRan && reinterpret_cast<HMENU>(Message.WParam) == shown.Menu->Handle()) {
          shown.DriverRan = true;
          PostMessageW(window_, kRunDriverMessage, 0, 0);
        }
        break;
      case kRunDriverMessage:
        if (shown.Menu) ModalLoopStarted(PopupLoop());
        return;
      case WM_TIMER:
        if (Message.WParam == kOverrunTimer && shown.Menu && ModalLoopOverran(PopupLoop(), shown.Started)) EndMenu();
        return;
      case WM_MENUSELECT:
        if (HIWORD(Message.WParam) == 0xFFFF && Message.LParam == 0 && Application) Application->SetHint(String());
        break;
      default:
        break;
    }
    for (std::size_t i = 0; i < menus_.size(); ++i) {
      if (menus_[i]->HandlePopupMessage(Message)) return;
    }
    DefaultWindowMessage(window_, Message);
  });
}

// ---- Shortcut dispatch ---------------------------------------------------------------------------

bool DispatchFormShortCut(TCustomForm* Form, TMessage& Message) {
  const TShortCut shortCut = ShortCutFromMessage(Message);
  if ((shortCut & 0xFF) == 0) return false;
  if (Form->Menu() && Form->Menu()->IsShortCut(Message)) return true;
  if (ActionListsShortCut(Form, shortCut)) return true;
  TWinControl* focused = FindControl(GetFocus());
  if (!focused) focused = Form->ActiveControl();
  if (focused && focused != Form) {
    if (TPopupMenu* popup = focused->GetPopupMenu(); popup && popup->IsShortCut(Message)) return true;
  }
  return false;
}

// Forms offer their keys to menus through this table (Forms.h).
namespace {
const bool shortCutDispatchInstalled = [] {
  ControlsLayerServices().DispatchFormShortCut = &DispatchFormShortCut;
  return true;
}();
}  // namespace
