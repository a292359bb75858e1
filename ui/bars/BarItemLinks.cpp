#include "ui/bars/BarItemLinks.h"

#include <algorithm>
#include <climits>
#include <cwctype>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/Stream.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarRoutines.h"

DEFINE_CLASS(TdxBarItemOptions)
DEFINE_CLASS(TdxBarItemLink)
DEFINE_CLASS(TdxBarItemLinks)
DEFINE_CLASS(TdxBarControlItemLinks)
DEFINE_CLASS(TdxBarSubMenuControlItemLinks)

namespace {

TdxBar* g_mergingToolbar = nullptr;

// The recent-item keys are stored while the effective style is not bmsStandard and the collection
// keeps recent items.
bool StoresRecentKeys(TdxBarItemLinks* Links) {
  TdxBarManager* manager = Links->BarManager();
  return manager && manager->EffectiveStyle() != bmsStandard && Links->UseRecentItems;
}

template <class T>
void EraseValue(std::vector<T>& Vector, const T& Value) {
  auto it = std::find(Vector.begin(), Vector.end(), Value);
  if (it != Vector.end()) Vector.erase(it);
}

int IndexIn(const std::vector<TdxBarItemLink*>& Vector, const TdxBarItemLink* Link) {
  auto it = std::find(Vector.begin(), Vector.end(), Link);
  return it == Vector.end() ? -1 : int(it - Vector.begin());
}

// The first byte of a binary value; -1 when it has none.
int ReadFirstByte(TCustomIniFile& Store, const String& Section, const String& Ident) {
  TMemoryStream stream;
  if (Store.ReadBinaryStream(Section, Ident, stream) <= 0) return -1;
  return static_cast<const Byte*>(stream.Memory())[0];
}

void WriteByteValue(TCustomIniFile& Store, const String& Section, const String& Ident, Byte Value) {
  TMemoryStream stream;
  stream.WriteBuffer(&Value, 1);
  stream.SetPosition(0);
  Store.WriteBinaryStream(Section, Ident, stream);
}

}  // namespace

TdxBarItemLinks* OwnedLinksOf(TObject* Object) {
  IdxBarLinksOwner* owner = Supports<IdxBarLinksOwner>(Object);
  return owner ? owner->OwnedItemLinks() : nullptr;
}

TdxBar* MergingToolbar() { return g_mergingToolbar; }
void SetMergingToolbar(TdxBar* Toolbar) { g_mergingToolbar = Toolbar; }

// ---- item options -------------------------------------------------------------------------------

void TdxBarItemOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarItemOptions*>(Source);
  if (!source) return TPersistent::Assign(Source);
  assignedValues_ = source->assignedValues_;
  showDescriptions_ = source->showDescriptions_;
  showShortCuts_ = source->showShortCuts_;
  size_ = source->size_;
}

TPersistent* TdxBarItemOptions::GetOwner() { return links_; }

void TdxBarItemOptions::SetShowDescriptions(bool Value) {
  showDescriptions_ = Value;
  assignedValues_.Include(ioShowDescriptions);
}

void TdxBarItemOptions::SetShowShortCuts(bool Value) {
  showShortCuts_ = Value;
  assignedValues_.Include(ioShowShortCuts);
}

void TdxBarItemOptions::SetSize(TdxBarMenuItemSize Value) {
  size_ = Value;
  assignedValues_.Include(ioSize);
}

int TdxBarItemOptions::Value(TdxBarItemOptionValue Option) const {
  switch (Option) {
    case ioShowDescriptions: return showDescriptions_;
    case ioShowShortCuts: return showShortCuts_;
    case ioSize: return size_;
  }
  return 0;
}

void TdxBarItemOptions::InitValue(TdxBarItemOptionValue Option, int Value) {
  switch (Option) {
    case ioShowDescriptions: showDescriptions_ = Value != 0; break;
    case ioShowShortCuts: showShortCuts_ = Value != 0; break;
    case ioSize: size_ = TdxBarMenuItemSize(Value); break;
  }
}

// ---- the link: life ------------------------------------------------------------------------------

TdxBarItemLink::TdxBarItemLink(TCollection* Collection) : TCollectionItem(Collection), userGlyph_(new TBitmap) {
  userGlyph_->OnChange = [this](TObject*) { UserGlyphChanged(); };
  TdxBarManager* manager = BarManager();
  useCount_ = manager ? manager->RecentItemsUseCountThreshold() : 0;
  if (manager && !manager->IsLoading() && manager->OnItemLinkAdd) manager->OnItemLinkAdd(manager, this);
}

TdxBarItemLink::~TdxBarItemLink() {
  if (!detached_) LeaveItem();
  InvalidateObjectLinks(this);
}

void TdxBarItemLink::BeforeDestruction() {
  if (!detached_) {
    detached_ = true;
    TdxBarManager* manager = BarManager();
    if (manager && !manager->BeingDestroyed() && manager->OnItemLinkDelete) manager->OnItemLinkDelete(manager, this);
    if (itemControl_) {
      TCustomdxBarControl* window = itemControl_->BarControl();
      if (window && IsLiveBarControl(window) && !window->IsDestroying()) window->ForgetLink(this);
    }
    DestroyItemControl();
    LeaveItem();
    userGlyph_->OnChange = nullptr;
  }
  TCollectionItem::BeforeDestruction();
}

void TdxBarItemLink::LeaveItem() {
  if (!item_) return;
  EraseValue(item_->links_, this);
  item_ = nullptr;
}

void TdxBarItemLink::UserGlyphChanged() {
  if (itemControl_ && userDefine_.Contains(udGlyph)) itemControl_->GlyphChanged();
}

// ---- the item control ---------------------------------------------------------------------------

void TdxBarItemLink::CreateItemControl() {
  TCustomdxBarControl* window = OwnerBarControl();
  if (itemControl_ || !item_ || !window || window->IsDestroying()) return;
  TdxBarItemControlClass controlClass = item_->ItemControlClass(window->IsVertical());
  if (controlClass) itemControl_ = controlClass->CreateControl(this);
}

void TdxBarItemLink::DestroyItemControl() {
  TdxBarItemControl* control = itemControl_;
  itemControl_ = nullptr;
  if (control) control->Free();
}

void TdxBarItemLink::RecreateItemControl() {
  TdxBarManager* manager = BarManager();
  if (manager && manager->IsUpdateLocked()) return;
  DestroyItemControl();
  CreateItemControl();
}

TPoint TdxBarItemLink::ScreenToItemPoint(const TPoint& ScreenPoint) const {
  TCustomdxBarControl* window = OwnerBarControl();
  TPoint p = ScreenPoint;
  if (window && window->HandleAllocated()) p = window->ScreenToClient(ScreenPoint);
  return TPoint{p.x - itemRect_.left, p.y - itemRect_.top};
}

TdxBarItemLinks* TdxBarItemLink::OwnerLinks() const { return dynamic_cast<TdxBarItemLinks*>(Collection()); }

TCustomdxBarControl* TdxBarItemLink::OwnerBarControl() const {
  TdxBarItemLinks* links = OwnerLinks();
  return links ? links->BarControl() : nullptr;
}

TdxBarManager* TdxBarItemLink::BarManager() const {
  TdxBarItemLinks* links = OwnerLinks();
  return links ? links->BarManager() : nullptr;
}

int TdxBarItemLink::ShownIndex() const {
  TdxBarItemLinks* links = OwnerLinks();
  return links ? links->ShownIndexOf(this) : -1;
}

int TdxBarItemLink::ShowableIndex() const {
  TdxBarItemLinks* links = OwnerLinks();
  return links ? links->ShowableIndexOf(this) : -1;
}

void TdxBarItemLink::StoreItemRect(const TRect& Rect) {
  itemRect_ = Rect;
  if (itemControl_) itemControl_->BoundsChanged();
}

// ---- the item -----------------------------------------------------------------------------------

TdxBarItem* TdxBarItemLink::Item() const {
  TdxBarItemLinks* links = OwnerLinks();
  if (!pendingItemName_.empty() && links && links->LinksOwnerComponent() && links->BarManager() &&
      IsAncestorStreamLoading(links->LinksOwnerComponent()))
    return links->BarManager()->ItemByName(pendingItemName_);
  return item_;
}

void TdxBarItemLink::SetItem(TdxBarItem* Value) {
  if (Value == item_) return;
  TdxBarItemLinks* links = OwnerLinks();
  TdxBarManager* manager = BarManager();
  if (links) links->BeginUpdate();
  bool freeLink = false;
  try {
    LeaveItem();
    if (Value) {
      String error;
      if (links && !links->CanAcceptItem(Value, error)) {
        if (manager && links->UpdateCount() == 1) manager->DoItemLinkChange(this);
        throw EdxBarException(error);
      }
      item_ = Value;
      Value->links_.push_back(this);
      if (links) {
        links->RefreshLinkLists();
        TComponent* owner = links->LinksOwnerComponent();
        if (owner && !owner->ComponentState().Contains(csLoading)) ResetUsage();
        if (manager && links->UpdateCount() == 1) manager->DoItemLinkChange(this);
      }
    } else {
      freeLink = true;
    }
  } catch (...) {
    if (links) links->EndUpdate();
    throw;
  }
  if (freeLink) Free();
  if (links) links->EndUpdate();
}

void TdxBarItemLink::ResolveLoadedItemName() {
  if (pendingItemName_.empty()) return;
  const String name = std::exchange(pendingItemName_, String());
  TdxBarManager* manager = BarManager();
  TdxBarItem* item = manager ? manager->ItemByName(name) : nullptr;
  if (item) SetItem(item);
}

void TdxBarItemLink::DefineProperties(TFiler& Filer) {
  TCollectionItem::DefineProperties(Filer);
  // There is no ancestor to compare with: the name is written whenever the link has an item.
  Filer.DefineProperty(
      L"ItemName",
      [this](TReader& Reader) { ReadNamedProperty(*this, L"ItemName", [&] { pendingItemName_ = Reader.ReadString(); }); },
      [this](TWriter& Writer) { Writer.WriteString(item_ ? item_->Name() : String()); }, item_ != nullptr);
}

// ---- properties of the place --------------------------------------------------------------------

bool TdxBarItemLink::BeginGroup() const {
  const int i = ShownIndex();
  if (beginGroup_ && i != 0) return true;
  if (i <= 0) return false;
  // Items aligned to the centre or the right of a window that aligns its items start no group; that
  // needs the window and the item control.
  TdxBarItemLinks* links = OwnerLinks();
  const int from = links->IndexOfLink(links->ShownLinkAt(i - 1));
  const int to = links->IndexOfLink(this);
  for (int j = from + 1; j < to; ++j) {
    if (links->LinkAt(j)->beginGroup_) return true;
  }
  return false;
}

void TdxBarItemLink::SetBeginGroup(bool Value) {
  if (beginGroup_ == Value) return;
  beginGroup_ = Value;
  if (itemControl_) itemControl_->RebuildBar();
  Changed(false);
}

void TdxBarItemLink::SetButtonGroup(TdxBarButtonGroupPosition Value) {
  if (buttonGroup_ == Value) return;
  buttonGroup_ = Value;
  Changed(true);
}

void TdxBarItemLink::SetPosition(TdxBarItemPosition Value) {
  if (position_ == Value) return;
  position_ = Value;
  Changed(true);
}

void TdxBarItemLink::SetViewLevels(TdxBarItemViewLevels Value) {
  if (viewLevels_ == Value) return;
  viewLevels_ = Value;
  Changed(true);
}

void TdxBarItemLink::SetVisible(bool Value) {
  TdxBarManager* manager = BarManager();
  TdxBarItemLinks* links = OwnerLinks();
  if ((manager && manager->IsLoading()) || (links && links->IsAssigning())) {
    loadedVisible_ = Value;
    return;
  }
  if (visible_ == Value) return;
  visible_ = Value;
  if (!(manager && manager->IsDesigning())) {
    if (links) links->RefreshLinkLists();
    if (Value) {
      MarkRecentlyUsed(false);
      if (links && links->BarControl()) {
        CreateItemControl();
        if (itemControl_) itemControl_->ItemVisibleChanged();
      }
    } else {
      MoveToRecentEnd();
      if (itemControl_) {
        itemControl_->ItemVisibleChanged();
        DestroyItemControl();
      }
    }
  }
  Changed(false);
}

void TdxBarItemLink::SetMostRecentlyUsed(bool Value) {
  if (mostRecentlyUsed_ == Value) return;
  mostRecentlyUsed_ = Value;
  ResetUsage();
  if (TCustomdxBarControl* window = OwnerBarControl()) window->Recalculate(true);
  Changed(false);
}

// ---- user overrides -----------------------------------------------------------------------------

void TdxBarItemLink::ApplyUserDefineChange(TdxBarUserDefines Value) {
  for (TdxBarUserDefine flag : {udCaption, udGlyph, udPaintStyle, udWidth}) {
    const bool had = userDefine_.Contains(flag), has = Value.Contains(flag);
    if (had == has) continue;
    if (has) {
      userDefine_.Include(flag);
    } else {
      userDefine_.Exclude(flag);
      switch (flag) {
        case udCaption: userCaption_.clear(); break;
        case udGlyph: {
          TBitmap empty;
          userGlyph_->Assign(&empty);
          break;
        }
        case udPaintStyle: userPaintStyle_ = psStandard; break;
        case udWidth: userWidth_ = 0; break;
      }
    }
    if (!itemControl_) continue;
    switch (flag) {
      case udCaption: itemControl_->SizeAffectingChange(); break;
      case udGlyph: itemControl_->GlyphChanged(); break;
      case udPaintStyle: itemControl_->PaintStyleChanged(); break;
      case udWidth: itemControl_->WidthChanged(); break;
    }
  }
}

void TdxBarItemLink::SetUserDefine(TdxBarUserDefines Value) {
  if (Value == userDefine_) return;
  ApplyUserDefineChange(Value);
  Changed(false);
}

void TdxBarItemLink::SetUserCaption(const String& Value) {
  if (userCaption_ == Value) return;
  userCaption_ = Value;
  userDefine_.Exclude(udCaption);
  SetUserDefine(userDefine_ + TdxBarUserDefines{udCaption});
}

void TdxBarItemLink::SetUserGlyph(TBitmap* Value) {
  if (Value == userGlyph_.get()) return;
  TBitmap empty;
  userGlyph_->Assign(Value ? Value : &empty);
  userDefine_.Exclude(udGlyph);
  SetUserDefine(userDefine_ + TdxBarUserDefines{udGlyph});
}

void TdxBarItemLink::SetUserPaintStyle(TdxBarPaintStyle Value) {
  if (Value == PaintStyle()) return;
  userPaintStyle_ = Value;
  userDefine_.Exclude(udPaintStyle);
  SetUserDefine(userDefine_ + TdxBarUserDefines{udPaintStyle});
}

void TdxBarItemLink::SetUserWidth(int Value) {
  if (Value == Width()) return;
  userWidth_ = Value;
  userDefine_.Exclude(udWidth);
  SetUserDefine(userDefine_ + TdxBarUserDefines{udWidth});
}

// ---- what is shown ------------------------------------------------------------------------------

String TdxBarItemLink::DisplayCaption() const {
  return userDefine_.Contains(udCaption) || !item_ ? userCaption_ : item_->Caption();
}

TBitmap* TdxBarItemLink::DisplayGlyph() const {
  return userDefine_.Contains(udGlyph) || !item_ ? userGlyph_.get() : item_->Glyph();
}

TdxBarPaintStyle TdxBarItemLink::PaintStyle() const {
  return userDefine_.Contains(udPaintStyle) || !item_ ? userPaintStyle_ : item_->PaintStyle();
}

bool TdxBarItemLink::SupportsPaintStyle() const { return item_ && item_->SupportsPaintStyle(); }

int TdxBarItemLink::Width() const {
  // Without udWidth the item's own width counts (edit items have one; the others answer 0).
  return userDefine_.Contains(udWidth) ? userWidth_ : (item_ ? item_->Width() : 0);
}

bool TdxBarItemLink::CanBeShown() const { return item_ && item_->IsShowable() && visible_; }

TdxBarItemLink* TdxBarItemLink::FollowingShownLink() const {
  TdxBarItemLinks* links = OwnerLinks();
  if (!links) return nullptr;
  TdxBarItemLink* next = links->NextShownLink(const_cast<TdxBarItemLink*>(this), true);
  return next == this ? nullptr : next;
}

int TdxBarItemLink::RecentIndex() const {
  TdxBarItemLinks* links = OwnerLinks();
  return links ? links->IndexOfRecent(this) : savedRecentIndex_;
}

bool TdxBarItemLink::MatchesAccelerator(Word Key, TShiftState& Shift) const {
  const String caption = DisplayCaption();
  const int index = AcceleratorCharIndex(caption);
  if (index == 0) return false;
  const wchar_t ch = caption[size_t(index - 1)];
  const wchar_t lower = wchar_t(std::towlower(ch));
  if (ch != lower) Shift.Exclude(ssShift);
  const TShiftState shift = Shift - TShiftState{ssAlt};
  if (lower >= L'0' && lower <= L'9') return Key == Word(lower) && shift.Empty();
  const SHORT scan = VkKeyScanW(lower);
  if (scan == -1 || (scan & 0xFF) != Key) return false;
  TShiftState expected;
  if (scan & 0x100) expected.Include(ssShift);
  if (scan & 0x200) expected.Include(ssCtrl);
  return shift == expected;
}

bool TdxBarItemLink::LeadsToOwner(IdxBarLinksOwner* Owner) const {
  IdxBarLinksOwner* itemOwner = Supports<IdxBarLinksOwner>(item_);
  if (!itemOwner) return false;
  if (itemOwner == Owner) return true;
  TdxBarItemLinks* links = itemOwner->OwnedItemLinks();
  return links && links->LeadsToOwner(Owner);
}

bool TdxBarItemLink::IsSelectedInDesigner() const {
  TdxBarManager* manager = BarManager();
  if (!manager) return false;
  return manager->IsSelectedInDesigner(const_cast<TdxBarItemLink*>(this)) ||
         (item_ && manager->IsSelectedInDesigner(item_));
}

void TdxBarItemLink::UpdateItemAction() {
  if (item_ && item_->ActionLink()) item_->ActionLink()->Update();
}

int TdxBarItemLink::SupportedOperations() const { return item_ ? item_->DesignMenuFlags() : 0; }

// ---- recent list --------------------------------------------------------------------------------

void TdxBarItemLink::SetRecentIndex(int Index) {
  TdxBarItemLinks* links = OwnerLinks();
  if (!links) {
    savedRecentIndex_ = Index;
    return;
  }
  links->MoveInRecent(this, std::max(0, std::min(Index, links->RecentLinkCount() - 1)));
  links->RefreshLinkLists();
}

void TdxBarItemLink::MoveToRecentTop(bool IncrementUse) {
  TdxBarItemLinks* links = OwnerLinks();
  if (links && !links->UsesRecentItems()) return;
  SetRecentIndex(0);
  if (IncrementUse) ++useCount_;
}

void TdxBarItemLink::MoveToRecentEnd() {
  TdxBarItemLinks* links = OwnerLinks();
  const int shownIndex = ShownIndex();
  SetRecentIndex(links ? links->RecentLinkCount() - 1 : savedRecentIndex_);
  if (shownIndex >= 0) {
    if (TCustomdxBarControl* window = OwnerBarControl()) window->LinkShownNotice();
  }
}

void TdxBarItemLink::MarkRecentlyUsed(bool IncrementUse) {
  if (!CanBeShown()) return;
  const int shownIndex = ShownIndex();
  MoveToRecentTop(IncrementUse);
  if (ShowableIndex() < 0) return;
  if (shownIndex < 0) {
    if (TCustomdxBarControl* window = OwnerBarControl()) window->LinkShownNotice();
  }
  // Using an item in a nested menu marks the links of the menu items that opened it too, once
  // sub-items and popup menus exist.
}

void TdxBarItemLink::ResetUsage() {
  TdxBarManager* manager = BarManager();
  if (mostRecentlyUsed_) {
    useCount_ = manager ? manager->RecentItemsUseCountThreshold() : 0;
    MarkRecentlyUsed(false);
  } else {
    useCount_ = 0;
    MoveToRecentEnd();
  }
}

void TdxBarItemLink::CopyRecentUsage(TdxBarItemLink* Source) {
  useCount_ = Source->useCount_;
  SetRecentIndex(Source->RecentIndex());
}

void TdxBarItemLink::SaveRecentIndex() { savedRecentIndex_ = RecentIndex(); }

void TdxBarItemLink::RestoreRecentIndex() { SetRecentIndex(savedRecentIndex_); }

// ---- layout -------------------------------------------------------------------------------------

String TdxBarItemLink::LayoutSectionName(const String& Base, int Kind, int N) {
  return Base + (Kind == 1 ? L"\\" : L".") + L"ItemLink" + std::to_wstring(N);
}

bool TdxBarItemLink::ReadLayout(TCustomIniFile& Store, const String& Base, int N, int Kind) {
  const String section = LayoutSectionName(Base, Kind, N);
  const String name = Store.ReadString(section, L"ItemName", L"");
  if (name.empty()) return true;
  TdxBarManager* manager = BarManager();
  TdxBarItem* item = manager ? manager->ItemByName(name) : nullptr;
  if (!item) {
    Free();
    return false;
  }
  try {
    SetItem(item);
  } catch (const EdxBarException&) {
    // An item the collection refuses (a separator stored for a toolbar): the link goes.
    Free();
    return false;
  }
  TdxBarItemLinks* links = OwnerLinks();
  SetBeginGroup(Store.ReadBool(section, L"BeginGroup", false));

  int define = -1;
  if (Kind == 0) {
    const String text = Store.ReadString(section, L"UserDefine", L"");
    if (text.size() == 1 && text[0] >= L'0' && text[0] <= L'9') define = text[0] - L'0';
  }
  if (define < 0) define = ReadFirstByte(Store, section, L"UserDefine");
  userDefine_ = TdxBarUserDefines::FromBits(define < 0 ? 0 : define & 0x0F);
  if (userDefine_.Contains(udCaption)) SetUserCaption(Store.ReadString(section, L"UserCaption", L""));
  if (userDefine_.Contains(udPaintStyle)) {
    const int style = Store.ReadInteger(section, L"UserPaintStyle", 0);
    if (style >= psStandard && style <= psCaptionGlyph) SetUserPaintStyle(TdxBarPaintStyle(style));
  }
  if (userDefine_.Contains(udWidth)) SetUserWidth(Store.ReadInteger(section, L"UserWidth", 100));
  if (userDefine_.Contains(udGlyph) && Kind == 1) {
    TMemoryStream stream;
    bool read = true;
    if (Store.ReadBinaryStream(section, L"UserGlyph", stream) > 0) {
      stream.SetPosition(0);
      TBitmap glyph;
      try {
        glyph.LoadFromStream(stream);
        read = !glyph.Empty();
      } catch (const Exception&) {
        read = false;
      }
      if (read) SetUserGlyph(&glyph);
    }
    // A glyph that cannot be read leaves the link without a user glyph.
    if (!read) userDefine_.Exclude(udGlyph);
  }
  if (links && links->OwnerIsToolbar()) {
    const int group = Store.ReadInteger(section, L"ButtonGroup", 0);
    if (group >= bgpNone && group <= bgpMember) SetButtonGroup(TdxBarButtonGroupPosition(group));
    const int position = Store.ReadInteger(section, L"Position", 0);
    if (position >= ipBeginsNewRow && position <= ipContinuesRow) SetPosition(TdxBarItemPosition(position));
    const int levels = ReadFirstByte(Store, section, L"ViewLevels");
    if (levels >= 0) SetViewLevels(TdxBarItemViewLevels::FromBits(levels & 0x1F));
    loadedVisible_ = Store.ReadBool(section, L"Visible", true);
  }
  if (links && StoresRecentKeys(links)) {
    loadedUseCount_ = Store.ReadInteger(section, L"UseCount", 0);
    loadedRecentIndex_ = Store.ReadInteger(section, L"RecentIndex", -1);
  }
  return true;
}

void TdxBarItemLink::WriteLayout(TCustomIniFile& Store, const String& Base, int N, int Kind) {
  const String section = LayoutSectionName(Base, Kind, N);
  TdxBarItemLinks* links = OwnerLinks();
  Store.WriteString(section, L"ItemName", item_ ? item_->Name() : String());
  Store.WriteBool(section, L"BeginGroup", BeginGroup());
  WriteByteValue(Store, section, L"UserDefine", Byte(userDefine_.Bits()));
  if (userDefine_.Contains(udCaption)) Store.WriteString(section, L"UserCaption", userCaption_);
  if (userDefine_.Contains(udPaintStyle)) Store.WriteInteger(section, L"UserPaintStyle", userPaintStyle_);
  if (userDefine_.Contains(udWidth)) Store.WriteInteger(section, L"UserWidth", userWidth_);
  if (userDefine_.Contains(udGlyph) && Kind == 1) {
    TMemoryStream stream;
    userGlyph_->SaveToStream(stream);
    stream.SetPosition(0);
    Store.WriteBinaryStream(section, L"UserGlyph", stream);
  }
  if (links && links->OwnerIsToolbar()) {
    Store.WriteInteger(section, L"ButtonGroup", buttonGroup_);
    Store.WriteInteger(section, L"Position", position_);
    WriteByteValue(Store, section, L"ViewLevels", Byte(viewLevels_.Bits()));
    Store.WriteBool(section, L"Visible", visible_);
  }
  if (links && StoresRecentKeys(links)) {
    Store.WriteInteger(section, L"UseCount", useCount_);
    Store.WriteInteger(section, L"RecentIndex", RecentIndex());
  }
  TdxBarManager* manager = BarManager();
  if (manager && manager->WritingInitialLayout()) Store.WriteBool(section, L"MostRecentlyUsed", mostRecentlyUsed_);
}

void TdxBarItemLink::ReadMostRecentlyUsed(TCustomIniFile& Store, const String& Base, int N) {
  mostRecentlyUsed_ = Store.ReadBool(LayoutSectionName(Base, 0, N), L"MostRecentlyUsed", true);
}

// ---- copying ------------------------------------------------------------------------------------

void TdxBarItemLink::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarItemLink*>(Source);
  if (!source) return TCollectionItem::Assign(Source);
  Data = source->Data;
  userCaption_ = source->userCaption_;
  const TNotifyEvent glyphHandler = userGlyph_->OnChange;
  userGlyph_->OnChange = nullptr;
  userGlyph_->Assign(source->userGlyph_.get());
  userGlyph_->OnChange = glyphHandler;
  userPaintStyle_ = source->userPaintStyle_;
  userWidth_ = source->userWidth_;

  // While a toolbar is reset from the saved layout the item is looked up among the owner's
  // components (with the toolbars).
  TdxBarItem* item = nullptr;
  if (TdxBarItem* sourceItem = source->Item()) {
    TdxBarManager* manager = BarManager();
    TdxBarItemLinks* links = OwnerLinks();
    TComponent* owner = links ? links->LinksOwnerComponent() : nullptr;
    const bool updating = (manager && manager->ComponentState().Contains(csUpdating)) ||
                          (owner && owner->ComponentState().Contains(csUpdating));
    item = updating && manager ? manager->ItemByName(sourceItem->Name()) : sourceItem;
  }
  // A copy without an item keeps the link (an empty Item would free it).
  if (item)
    SetItem(item);
  else
    LeaveItem();
  SetUserDefine(source->userDefine_);
  SetBeginGroup(source->BeginGroup());
  SetButtonGroup(source->buttonGroup_);
  SetPosition(source->position_);
  SetViewLevels(source->viewLevels_);
  SetVisible(source->visible_);
  mergedFrom_ = MergingToolbar();
}

void TdxBarItemLink::PassGroupStartOn() {
  TdxBarItemLinks* links = OwnerLinks();
  if (!item_ || !links) return;
  TdxBarItemLink* next = nullptr;
  bool first = true;
  for (int i = 0; i < links->ShowableLinkCount(); ++i) {
    TdxBarItemLink* link = links->ShowableLinkAt(i);
    if (link == this) continue;
    if (links->IndexOfLink(link) < links->IndexOfLink(this))
      first = false;
    else if (!next)
      next = link;
  }
  if (!next) return;
  if (first) {
    if (next->BeginGroup()) next->SetBeginGroup(false);
  } else if (BeginGroup() && !next->BeginGroup()) {
    next->SetBeginGroup(true);
  }
}

void TdxBarItemLink::ApplyCustomizingCommand(TdxBarItemLink* Model, int Command) {
  if (!Model) return;
  switch (Command) {
    case 0: SetUserDefine({}); break;
    case 4:
      if (item_) item_->SetCaption(Model->DisplayCaption());
      break;
    case 5: SetUserPaintStyle(Model->UserPaintStyle()); break;
    case 6: SetPosition(Model->Position()); break;
    case 7: SetViewLevels(Model->ViewLevels()); break;
    case 8: SetButtonGroup(Model->ButtonGroup()); break;
    case 9: SetBeginGroup(Model->BeginGroup()); break;
    case 10: SetVisible(Model->Visible()); break;
    case 11: SetMostRecentlyUsed(Model->MostRecentlyUsed()); break;
    default: break;
  }
}

// ---- design selection ---------------------------------------------------------------------------

void TdxBarItemLink::DeleteSelected(IdxBarSelectableItem*& Reference, bool) {
  Reference = nullptr;
  Free();
}

void TdxBarItemLink::AddSelectionComponents(TList& List) {
  // The bar window's design owner joins too, with the bar windows.
  if (item_) AddUniqueObject(List, item_);
}

void TdxBarItemLink::NextSelectable(IdxBarSelectableItem*& Reference) { Reference = FollowingShownLink(); }

TPersistent* TdxBarItemLink::SelectionParent() {
  // The design owner of the bar window showing the link; none without a window.
  return nullptr;
}

int TdxBarItemLink::SelectionStatus() {
  TdxBarManager* manager = BarManager();
  return manager ? manager->SelectionStatusOf(this) : 0;
}

int TdxBarItemLink::DesignMenuFlags() { return item_ ? item_->DesignMenuFlags() : 0; }

void TdxBarItemLink::Select(int Mode) {
  TdxBarManager* manager = BarManager();
  if (!manager) return;
  if (Mode == soExtend) manager->SelectInDesigner(this, Mode);
  manager->SelectInDesigner(item_, Mode);
}

bool TdxBarItemLink::SelectParent() {
  if (TdxBarManager* manager = BarManager()) manager->SetSelectedItemControl(nullptr);
  return true;
}

void TdxBarItemLink::SelectionChanged() {
  if (item_) item_->SelectionChanged();
}

// ---- the collection -----------------------------------------------------------------------------

TdxBarItemLinks::TdxBarItemLinks(TdxBarManager* ABarManager, IdxBarLinksOwner* AOwner)
    : TCollection(&TdxBarItemLink::ClassInfo()),
      barManager_(ABarManager),
      owner_(AOwner),
      itemOptions_(new TdxBarItemOptions(this)) {
  for (TdxBarItemOptionValue option : {ioShowDescriptions, ioShowShortCuts, ioSize})
    itemOptions_->InitValue(option, DefaultOptionValue(option));
}

TdxBarItemLinks::~TdxBarItemLinks() = default;

void TdxBarItemLinks::BeforeDestruction() {
  if (barControl_ && !barControl_->IsDestroying()) FreeBarControl();
  barControl_ = nullptr;
  TCollection::BeforeDestruction();
}

TCustomdxBarControl* TdxBarItemLinks::CreateBarControl() {
  if (!owner_) return nullptr;
  TCustomdxBarControl* window = owner_->CreateBarControl();
  if (window) window->AssignItemLinks(this);
  return window;
}

void TdxBarItemLinks::FreeBarControl() {
  TCustomdxBarControl* window = barControl_;
  barControl_ = nullptr;
  if (window) window->Free();
}

bool TdxBarItemLinks::BarControlShowing() const {
  return barControl_ && barControl_->HandleAllocated() && IsWindowVisible(barControl_->Handle());
}

TPersistent* TdxBarItemLinks::GetOwner() { return LinksOwnerComponent(); }

TComponent* TdxBarItemLinks::LinksOwnerComponent() const { return owner_ ? owner_->OwnerComponent() : nullptr; }

void TdxBarItemLinks::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  TCollection::Notify(Item, Action);
  auto* link = static_cast<TdxBarItemLink*>(Item);
  if (Action == cnAdded) {
    if (IndexIn(recent_, link) < 0) recent_.push_back(link);
  } else {
    RemoveFromLists(link);
  }
}

void TdxBarItemLinks::RemoveFromLists(TdxBarItemLink* Link) {
  EraseValue(recent_, Link);
  EraseValue(usable_, Link);
  EraseValue(showable_, Link);
  EraseValue(shown_, Link);
}

void TdxBarItemLinks::MoveInRecent(TdxBarItemLink* Link, int Index) {
  EraseValue(recent_, Link);
  Index = std::max(0, std::min(Index, int(recent_.size())));
  recent_.insert(recent_.begin() + Index, Link);
}

bool TdxBarItemLinks::AllShownFit() const { return !OwnerIsToolbar(); }

int TdxBarItemLinks::DefaultOptionValue(TdxBarItemOptionValue Option) const {
  switch (Option) {
    case ioShowDescriptions: return 0;
    case ioShowShortCuts: return 1;
    case ioSize: return misNormal;
  }
  return 0;
}

int TdxBarItemLinks::OptionValue(TdxBarItemOptionValue Option, TdxBarItemLinks* Requester) const {
  TdxBarItemLinks* parent = ParentLinks();
  if (itemOptions_->AssignedValues().Contains(Option) || !parent) return itemOptions_->Value(Option);
  return parent->OptionValue(Option, Requester);
}

bool TdxBarItemLinks::CanAcceptItem(TdxBarItem* Item, String& ErrorText) {
  ErrorText.clear();
  return !owner_ || owner_->CanAddItem(Item, ErrorText);
}

bool TdxBarItemLinks::IsSelectableLink(TdxBarItemLink* Link) const {
  return Link && Link->ItemControl() && Link->ItemControl()->CanSelect();
}

// ---- lookups ------------------------------------------------------------------------------------

int TdxBarItemLinks::ShowableIndexOf(const TdxBarItemLink* Link) const { return IndexIn(showable_, Link); }
int TdxBarItemLinks::ShownIndexOf(const TdxBarItemLink* Link) const { return IndexIn(shown_, Link); }
int TdxBarItemLinks::IndexOfRecent(const TdxBarItemLink* Link) const { return IndexIn(recent_, Link); }

int TdxBarItemLinks::IndexOfLink(const TdxBarItemLink* Link) const {
  if (!Link || Link->Collection() != this) return -1;
  return Link->Index();
}

int TdxBarItemLinks::IndexOfItemName(const String& Name) const {
  for (int i = 0; i < Count(); ++i) {
    TdxBarItem* item = LinkAt(i)->item_;
    if (item && item->Name() == Name) return i;
  }
  return -1;
}

bool TdxBarItemLinks::HasItemControl(TdxBarItemControl* Control) const {
  for (int i = 0; i < Count(); ++i) {
    if (Control && LinkAt(i)->ItemControl() == Control) return true;
  }
  return false;
}

TdxBarItemLinks* TdxBarItemLinks::ParentLinks() const {
  TCustomdxBarControl* parent = barControl_ ? barControl_->ParentBar() : nullptr;
  return parent ? parent->ItemLinks() : nullptr;
}

bool TdxBarItemLinks::UsesRecentItems() const {
  if (!barManager_ || barManager_->EffectiveStyle() == bmsStandard || !UseRecentItems) return false;
  TdxBarItemLinks* parent = ParentLinks();
  return !parent || parent->UsesRecentItems();
}

int TdxBarItemLinks::FittingShownCount() const {
  if (AllShownFit()) return ShownLinkCount();
  // A toolbar's links fit as far as their rectangles lie inside its window's client area.
  if (!barControl_) return 0;
  const TRect client = barControl_->ClientRect();
  int count = 0;
  for (TdxBarItemLink* link : shown_) {
    const TRect& r = link->ItemRect();
    if (r.IsEmpty() || r.left < client.left || r.top < client.top || r.right > client.right ||
        r.bottom > client.bottom)
      break;
    ++count;
  }
  return count;
}

TdxBarItemLink* TdxBarItemLinks::FirstSelectableShown() const {
  const int n = FittingShownCount();
  for (int i = 0; i < n; ++i) {
    if (IsSelectableLink(shown_[i])) return shown_[i];
  }
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::LastSelectableShown() const {
  for (int i = FittingShownCount() - 1; i >= 0; --i) {
    if (IsSelectableLink(shown_[i])) return shown_[i];
  }
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::NextShownLink(TdxBarItemLink* Link, bool AnyKind) const {
  if (!Link) return FirstSelectableShown();
  const int n = FittingShownCount();
  if (n == 0) return nullptr;
  int index = ShownIndexOf(Link);
  if (index >= n) index = -1;
  for (int step = 1; step <= n; ++step) {
    TdxBarItemLink* candidate = shown_[size_t((index + step + n) % n)];
    if (AnyKind || IsSelectableLink(candidate)) return candidate;
  }
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::PriorShownLink(TdxBarItemLink* Link, bool AnyKind) const {
  if (!Link) return LastSelectableShown();
  const int n = FittingShownCount();
  if (n == 0) return nullptr;
  int index = ShownIndexOf(Link);
  if (index < 0 || index >= n) index = n;
  for (int step = 1; step <= n; ++step) {
    TdxBarItemLink* candidate = shown_[size_t(((index - step) % n + n) % n)];
    if (AnyKind || IsSelectableLink(candidate)) return candidate;
  }
  return nullptr;
}

int TdxBarItemLinks::RecentShownCount() const {
  if (!UsesRecentItems()) return -1;
  const int showable = ShowableLinkCount();
  if (showable == 0) return -1;
  int minCount = INT_MAX, maxCount = 0;
  for (TdxBarItemLink* link : showable_) {
    minCount = std::min(minCount, link->useCount_);
    maxCount = std::max(maxCount, link->useCount_);
  }
  const int threshold = minCount + MulDiv(maxCount - minCount, 100 - barManager_->MostRecentItemsPercents(), 100);
  int result = 0;
  for (int i = std::min(showable, RecentLinkCount()) - 1; i >= 0; --i) {
    if (recent_[size_t(i)]->useCount_ >= threshold && recent_[size_t(i)]->Collection() == this) {
      result = i + 1;
      break;
    }
  }
  return result == showable ? -1 : result;
}

bool CanAddMenuItem(IdxBarLinksOwner* Owner, TdxBarItem* Item, String& ErrorText) {
  if (!Item->CanBePlacedOn(pkMenu, Owner->OwnerComponent(), ErrorText)) return false;
  IdxBarLinksOwner* itemOwner = Supports<IdxBarLinksOwner>(Item);
  if (itemOwner && itemOwner->OwnedItemLinks() && itemOwner->OwnedItemLinks()->LeadsToOwner(Owner)) {
    ErrorText = dxBarString(dxbsRecursiveMenus);
    return false;
  }
  return true;
}

bool TdxBarItemLinks::LeadsToOwner(IdxBarLinksOwner* Owner) const {
  if (!Owner) return false;
  if (Owner->OwnedItemLinks() == this) return true;
  for (int i = 0; i < Count(); ++i) {
    if (LinkAt(i)->LeadsToOwner(Owner)) return true;
  }
  return false;
}

// ---- changing the content -----------------------------------------------------------------------

TdxBarItemLink* TdxBarItemLinks::AddItemLink(TdxBarItem* Item) {
  BeginUpdate();
  TdxBarItemLink* link = nullptr;
  try {
    link = AddLink();
    try {
      link->SetItem(Item);
    } catch (...) {
      // A refused item leaves no empty link behind.
      link->Free();
      throw;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return link;
}

TdxBarItemLink* TdxBarItemLinks::AppendNewItem(TComponentClass ItemClass) {
  return AddItemLink(barManager_->CreateItem(ItemClass));
}

TdxBarItemLink* TdxBarItemLinks::AddLinkToNewItem(TComponentClass ItemClass, TdxBarManager* Manager) {
  TdxBarItemLink* link = AddLink();
  TdxBarItem* item = nullptr;
  try {
    item = As<TdxBarItem>(ItemClass->Create(Manager ? Manager : barManager_));
    link->SetItem(item);
  } catch (...) {
    const bool attached = item && link->Item() == item;
    if (item) item->Free();  // its links go with it
    if (!attached) link->Free();
    throw;
  }
  return link;
}

void TdxBarItemLinks::MoveLink(int CurIndex, int NewIndex) {
  BeginUpdate();
  try {
    if (CurIndex != NewIndex && CurIndex >= 0 && CurIndex < Count() && NewIndex >= 0 && NewIndex < Count())
      LinkAt(CurIndex)->SetIndex(NewIndex);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  if (barControl_) barControl_->Recalculate(true);
}

void TdxBarItemLinks::SetShownLimit(int Limit) {
  previousShownLimit_ = shownLimit_;
  shownLimit_ = UsesRecentItems() ? Limit : -1;
  RefreshLinkLists();
}

void TdxBarItemLinks::RestoreShownLimit() {
  shownLimit_ = previousShownLimit_;
  RefreshLinkLists();
}

void TdxBarItemLinks::ClearItemRects() {
  for (int i = 0; i < Count(); ++i) LinkAt(i)->itemRect_ = TRect{};
}

void TdxBarItemLinks::UpdateActions() {
  for (int i = 0; i < Count(); ++i) LinkAt(i)->UpdateItemAction();
}

bool TdxBarItemLinks::HandleShortCut(TShortCut ShortCut) {
  if (ShortCut == scNone) return false;
  UpdateActions();
  const std::vector<TdxBarItemLink*> usable = usable_;
  for (TdxBarItemLink* link : usable) {
    if (link->item_ && link->item_->IsShortCut(ShortCut)) return true;
  }
  return false;
}

TdxBarItemLink* TdxBarItemLinks::FindAcceleratedLink(Word Key, TShiftState Shift, TdxBarItemLink* Start) {
  return FindAcceleratedLinkFrom(Key, Shift - TShiftState{ssAlt}, Start);
}

bool TdxBarItemLinks::AnswersAccelerator(TdxBarItemLink* Link, Word Key, TShiftState Shift) {
  return Link->item_ && Link->item_->AcceptsAccelerator(Link) && Link->MatchesAccelerator(Key, Shift);
}

TdxBarItemLink* TdxBarControlItemLinks::FindAcceleratedLinkFrom(Word Key, TShiftState Shift, TdxBarItemLink* Start) {
  if (!BarControlShowing()) return nullptr;
  TdxBarItemLink* stop = Start;
  TdxBarItemLink* link = Start;
  for (;;) {
    link = NextShownLink(link, false);
    if (!link || link == stop) return nullptr;
    if (!stop) stop = link;
    if (AnswersAccelerator(link, Key, Shift)) return link;
  }
}

TdxBarItemLink* TdxBarSubMenuControlItemLinks::FindAcceleratedLinkFrom(Word Key, TShiftState Shift,
                                                                         TdxBarItemLink* Start) {
  const int n = ShowableLinkCount();
  if (n == 0) return nullptr;
  int index = Start ? ShowableIndexOf(Start) : 0;
  if (index < 0) index = 0;
  for (int step = 1; step <= n; ++step) {
    TdxBarItemLink* link = showable_[size_t((index + step) % n)];
    if (AnswersAccelerator(link, Key, Shift)) return link;
  }
  return nullptr;
}

void TdxBarItemLinks::NotifyModified() {
  // A popup menu owner has its own designer-modified step, with the popup menus.
  if (barManager_) barManager_->NotifyDesignerModified();
}

void TdxBarItemLinks::RefreshLinkLists() {
  usable_.clear();
  showable_.clear();
  shown_.clear();
  const bool designing = barManager_ && barManager_->IsDesigning();
  for (int i = 0; i < Count(); ++i) {
    TdxBarItemLink* link = LinkAt(i);
    if (!link->item_) continue;
    if (!designing && !link->item_->IsShowable()) continue;
    usable_.push_back(link);
    if (!designing && !link->visible_) continue;
    showable_.push_back(link);
    if (designing || shownLimit_ == -1) shown_.push_back(link);
  }
  if (!designing && shownLimit_ > 0) {
    for (TdxBarItemLink* link : recent_) {
      if (int(shown_.size()) >= shownLimit_) break;
      if (IndexIn(showable_, link) >= 0) shown_.push_back(link);
    }
    std::sort(shown_.begin(), shown_.end(), [this](TdxBarItemLink* a, TdxBarItemLink* b) {
      return IndexIn(showable_, a) < IndexIn(showable_, b);
    });
  }
  if (designing || (barManager_ && barManager_->IsCustomizing()) || IsUpdating()) return;
  for (int i = int(shown_.size()) - 1; i >= 0; --i) {
    TdxBarItemLink* link = shown_[size_t(i)];
    if (!Is<TdxBarSeparator>(link->item_)) continue;
    const bool last = i == int(shown_.size()) - 1;
    if (last || Is<TdxBarSeparator>(shown_[size_t(i + 1)]->item_)) {
      shown_.erase(shown_.begin() + i);
      EraseValue(showable_, link);
    }
  }
}

void TdxBarItemLinks::Update(TCollectionItem* Item) {
  if (!Item) RefreshLinkLists();
  TComponent* owner = LinksOwnerComponent();
  if (owner && owner->ComponentState().Contains(csDestroying)) return;
  if (!Internal) NotifyModified();
  if (Item) {
    if (barManager_) barManager_->DoItemLinkChange(static_cast<TdxBarItemLink*>(Item));
    return;
  }
  if (barControl_ && barControl_->HandleAllocated() && IsWindowEnabled(barControl_->Handle()))
    barControl_->Recalculate(true);
  if (OnChange) OnChange(this);
}

void TdxBarItemLinks::Assign(TPersistent* Source) {
  if (!dynamic_cast<TdxBarItemLinks*>(Source)) return TCollection::Assign(Source);
  // A system-menu item in front of the links stays there, with the MDI system menus.
  assigning_ = true;
  try {
    TCollection::Assign(Source);
  } catch (...) {
    assigning_ = false;
    throw;
  }
  assigning_ = false;
  for (int i = 0; i < Count(); ++i) LinkAt(i)->SetVisible(LinkAt(i)->loadedVisible_);
}

// ---- merging ------------------------------------------------------------------------------------

void TdxBarItemLinks::MergeFrom(TdxBarItemLinks* Source) {
  if (!Source) return;
  std::vector<TdxBarItemLink*> sources;
  for (int i = 0; i < Source->Count(); ++i) sources.push_back(Source->LinkAt(i));
  for (TdxBarItemLink* sourceLink : sources) {
    TdxBarItem* sourceItem = sourceLink->Item();
    if (!sourceItem) continue;
    TdxBarItemMergeKind kind = mkNone;
    int position = -1;
    if (sourceItem->MergeKind != mkNone) {
      int found = -1;
      if (sourceItem->MergeKind == mkMergeByCaption) {
        for (int j = 0; j < Count(); ++j) {
          TdxBarItem* target = LinkAt(j)->Item();
          if (target && target->MergeKind == mkMergeByCaption &&
              LinkAt(j)->DisplayCaption() == sourceLink->DisplayCaption() && TdxBarItem::CanMerge(target, sourceItem))
            found = j;
        }
      }
      if (found >= 0) {
        kind = mkMergeByCaption;
        position = found;
      } else {
        kind = mkAdd;
        int best = -1;
        for (int j = 0; j < Count(); ++j) {
          TdxBarItem* target = LinkAt(j)->Item();
          if (!target || target->MergeOrder() > sourceItem->MergeOrder()) continue;
          if (best < 0 || target->MergeOrder() >= LinkAt(best)->Item()->MergeOrder()) best = j;
        }
        position = best + 1;
      }
    }
    if (barManager_) barManager_->DoMergeItemLink(this, Source, sourceLink, kind, position);
    if (position < 0) continue;
    if (kind == mkMergeByCaption) {
      if (position >= Count()) continue;
      TdxBarItem* target = LinkAt(position)->Item();
      if (!target || !TdxBarItem::CanMerge(target, sourceItem)) continue;
      TdxBarItemLinks* targetLinks = target->GetItemLinks();
      TdxBarItemLinks* sourceLinks = sourceItem->GetItemLinks();
      if (targetLinks && sourceLinks) targetLinks->MergeFrom(sourceLinks);
    } else if (kind == mkAdd) {
      if (position > Count()) continue;
      InsertLink(position)->Assign(sourceLink);
    }
  }
}

void TdxBarItemLinks::RemoveMergedLinks(TdxBar* Toolbar) {
  for (int i = Count() - 1; i >= 0; --i) {
    if (i >= Count()) continue;
    TdxBarItemLink* link = LinkAt(i);
    if (link->mergedFrom_ && (!Toolbar || link->mergedFrom_ == Toolbar)) {
      link->Free();
    } else if (link->item_) {
      if (TdxBarItemLinks* owned = link->item_->GetItemLinks()) owned->RemoveMergedLinks(Toolbar);
    }
  }
}

// ---- layout -------------------------------------------------------------------------------------

void TdxBarItemLinks::WriteLayout(TCustomIniFile& Store, const String& Section, int Kind) {
  int n = 0;
  for (int i = 0; i < Count(); ++i) {
    TdxBarItemLink* link = LinkAt(i);
    if (!link->item_ || link->item_->Name().empty() || link->mergedFrom_) continue;
    link->WriteLayout(Store, Section, n++, Kind);
  }
  Store.WriteInteger(Section, L"ItemLinkCount", n);
}

void TdxBarItemLinks::ReadLayout(TCustomIniFile& Store, const String& Section, int Kind) {
  BeginUpdate();
  try {
    TStrings* newNames = barManager_ ? barManager_->NewItemNames() : nullptr;
    std::vector<TdxBarItemLink*> kept;
    if (newNames && newNames->Count() > 0) {
      for (int i = Count() - 1; i >= 0; --i) {
        TdxBarItemLink* link = LinkAt(i);
        if (!link->item_ || newNames->IndexOf(link->item_->Name()) < 0) {
          link->Free();
          continue;
        }
        link->mergedFrom_ = nullptr;
        kept.insert(kept.begin(), link);
        TdxBarItemLink* before = i > 0 ? LinkAt(i - 1) : nullptr;
        link->previousItemName_ = before && before->item_ ? before->item_->Name() : String();
      }
    } else {
      Clear();
    }
    const int n = Store.ReadInteger(Section, L"ItemLinkCount", 0);
    // Only the link sections present are read: a count beyond them makes no empty links.
    for (int j = n - 1; j >= 0; --j) {
      if (!Store.SectionExists(TdxBarItemLink::LayoutSectionName(Section, Kind, j))) continue;
      InsertLink(0)->ReadLayout(Store, Section, j, Kind);
    }
    for (TdxBarItemLink* link : kept) {
      if (link->previousItemName_.empty()) {
        link->SetIndex(0);
        continue;
      }
      const int anchor = IndexOfItemName(link->previousItemName_);
      if (anchor < 0 || LinkAt(anchor) == link) continue;
      const int current = link->Index();
      link->SetIndex(current > anchor ? anchor + 1 : anchor);
    }
    ApplyLoadedState(true);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxBarItemLinks::ReadMostRecentlyUsedFlags(TCustomIniFile& Store, const String& Section) {
  const int n = Store.ReadInteger(Section, L"ItemLinkCount", 0);
  for (int i = 0; i < std::min(n, Count()); ++i) LinkAt(i)->ReadMostRecentlyUsed(Store, Section, i);
  ApplyLoadedState(false);
  // Every showable link comes before those that cannot be shown; the leading run keeps its order.
  std::vector<TdxBarItemLink*> compacted;
  size_t run = 0;
  while (run < recent_.size() && IndexIn(showable_, recent_[run]) >= 0) compacted.push_back(recent_[run++]);
  for (size_t i = run; i < recent_.size(); ++i) {
    if (IndexIn(showable_, recent_[i]) >= 0) compacted.push_back(recent_[i]);
  }
  for (size_t i = run; i < recent_.size(); ++i) {
    if (IndexIn(showable_, recent_[i]) < 0) compacted.push_back(recent_[i]);
  }
  recent_ = std::move(compacted);
  RefreshLinkLists();
}

void TdxBarItemLinks::RestoreItemStates(TCustomIniFile& Store, const String& Section) {
  for (int i = 0; i < Count(); ++i) {
    if (TdxBarItem* item = LinkAt(i)->item_) item->RestoreFromLayout(Store, Section);
  }
}

void TdxBarItemLinks::Loaded() {
  std::vector<TdxBarItemLink*> links;
  for (int i = 0; i < Count(); ++i) links.push_back(LinkAt(i));
  for (TdxBarItemLink* link : links) link->ResolveLoadedItemName();
  ApplyLoadedState(true);
}

void TdxBarItemLinks::ApplyLoadedState(bool WithVisibility) {
  for (int i = Count() - 1; i >= 0; --i) {
    if (LinkAt(i)->item_) LinkAt(i)->ResetUsage();
  }
  if (WithVisibility) {
    for (int i = Count() - 1; i >= 0; --i) LinkAt(i)->SetVisible(LinkAt(i)->loadedVisible_);
  }
  for (int i = 0; i < Count(); ++i) {
    for (int j = 0; j < Count(); ++j) {
      TdxBarItemLink* link = LinkAt(j);
      if (link->loadedRecentIndex_ != i) continue;
      link->useCount_ = link->loadedUseCount_;
      link->SetRecentIndex(i);
      link->loadedRecentIndex_ = -1;
    }
  }
  if (barControl_) {
    barControl_->DestroyItemControls();
    barControl_->CreateItemControls();
  }
}
