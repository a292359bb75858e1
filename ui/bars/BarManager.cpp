#include "ui/bars/BarManager.h"

#include "ui/bars/PopupMenus.h"
#include "ui/bars/SubItems.h"

#include <algorithm>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarEditControls.h"
#include "ui/bars/customize/CustomizingForm.h"
#include "ui/bars/customize/DesignController.h"
#include "ui/bars/customize/QuickCustomization.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarHints.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/bars/DockControl.h"
#include "ui/bars/painters/BarPainters.h"
#include "ui/bars/PopupMenus.h"
#include "platform/framework/classes/IniFiles.h"
#include "ui/foundation/Controls.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/Office11Colors.h"

DEFINE_CLASS(TdxBarImageOptions)
DEFINE_CLASS(TdxBarCategoryData)
DEFINE_CLASS(TdxBarManagerCategories)
DEFINE_CLASS(TdxBarManager)
DEFINE_CLASS(TdxBarManagerList)

// Defined in BarRoutines.cpp and BarItemControls.cpp.
void SetBarUnitFinalizing(bool Value);
void FreeSharedBarCanvas();
void FreeDropDownTimers();

namespace {

TdxBarManagerList* g_managers = nullptr;
TdxBarSystemController* g_systemController = nullptr;

// The drag, copy, no-drop and edit-sizing cursors in the screen's table while the library runs.
struct BarCursor {
  TCursor Id;
  const wchar_t* Name;
};
const BarCursor kBarCursors[] = {{crdxBarDrag, L"DXBARDRAGCURSOR"},
                                 {crdxBarDragCopy, L"DXBARDRAGCOPYCURSOR"},
                                 {crdxBarDragNoDrop, L"DXBARDRAGNODROPCURSOR"},
                                 {crdxBarEditSizing, L"DXBAREDITSIZINGCURSOR"}};

void LoadBarCursors() {
  if (!Screen) return;
  const HINSTANCE module = GetModuleHandleW(nullptr);
  for (const BarCursor& cursor : kBarCursors) Screen->SetCursors(cursor.Id, CursorFromResource(module, cursor.Name));
}

void FreeBarCursors() {
  if (!Screen) return;
  for (const BarCursor& cursor : kBarCursors) {
    if (HCURSOR handle = Screen->Cursors(cursor.Id)) DestroyCursor(handle);
    Screen->SetCursors(cursor.Id, nullptr);
  }
}

// True when this code runs inside a DLL rather than the program's own module.
bool IsLibraryModule() {
  HMODULE own = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&IsLibraryModule), &own);
  return own && own != GetModuleHandleW(nullptr);
}

void StartBarUnit() {
  RegisterBarPainterClasses();
  RegisterClasses({&TdxBarGroup::ClassInfo(), &TdxBarScreenTipRepository::ClassInfo(), &TdxBarScreenTip::ClassInfo()});
  ReadBarOSFlags();
  if (!g_managers) g_managers = new TdxBarManagerList;
  RebuildCheckerBrush();
  CreateBarNavigationController();
  if (!g_systemController) g_systemController = new TdxBarSystemController;
  // The item classes in the order of the new-item list.
  RegisterItemControlClass(&TdxBarButton::ClassInfo(), &TdxBarButtonControl::ClassInfo(), true);
  RegisterItemControlClass(&TdxBarEdit::ClassInfo(), &TdxBarEditControl::ClassInfo(), true);
  RegisterItemControlClass(&TCustomdxBarCombo::ClassInfo(), &TCustomdxBarComboControl::ClassInfo(), true);
  RegisterItemControlClass(&TdxBarCombo::ClassInfo(), &TdxBarComboControl::ClassInfo(), true);
  RegisterItemControlClass(&TdxBarSubItem::ClassInfo(), &TdxBarSubItemControl::ClassInfo(), true);
  RegisterItemControlClass(&TdxBarListItem::ClassInfo(), &TdxBarContainerItemControl::ClassInfo(), true);
  RegisterItemControlClass(&TdxBarContainerItem::ClassInfo(), &TdxBarContainerItemControl::ClassInfo(), true);
  RegisterItemControlClass(&TdxBarExtraPaneListItem::ClassInfo(), &TdxBarContainerItemControl::ClassInfo(), false);
  RegisterItemControlClass(&TdxBarLabel::ClassInfo(), &TdxBarCustomStaticControl::ClassInfo(), false);
  RegisterItemControlClass(&TdxBarSeparator::ClassInfo(), &TdxBarSeparatorControl::ClassInfo(), true);
  RegisterItemControlClass(&TdxBarApplicationMenuButtonItem::ClassInfo(),
                           &TdxBarApplicationMenuButtonControl::ClassInfo(), false);
  RegisterQuickCustomizationItems();
  RegisterItemControlClass(&TSystemMenuSubItem::ClassInfo(), &TSystemMenuSubItemControl::ClassInfo(), false);
  LoadBarCursors();
  // In a program (not a library) a playing menu sound stops once the application has initialised.
  if (!IsLibraryModule()) AddInitProc([] { StopMenuSound(); });
}

void EndBarUnit() {
  SetBarUnitFinalizing(true);
  RemoveBarHooks();
  FinalizeDesignController();
  // Every registration goes, the last first.
  if (TdxBarItemList* registry = ItemClassRegistry()) {
    for (int i = registry->Count() - 1; i >= 0; --i) UnregisterItemControlClass(registry->ItemClassAt(i));
  }
  FreeBarNavigationController();
  FreeBarCursors();
  FreeBarHintWindow();
  FreeDropDownTimers();
  FreeAndNil(g_systemController);
  FreeSharedBarCanvas();
  FreeCheckerBrush();
  FreeItemClassRegistry();
  FreeFlatPainterInstance();
  FreeAndNil(g_managers);
}

const TUnitRegistration barUnit(&StartBarUnit, &EndBarUnit);

// The owner a new manager sits on: the application's main form for null; a TWinControl that no
// other manager has, else the constructor fails before anything is made or registered.
TComponent* CheckedManagerOwner(TComponent* AOwner) {
  if (!AOwner && Application) AOwner = Application->MainForm();
  if (!dynamic_cast<TWinControl*>(AOwner)) throw EdxBarException(dxBarString(dxbsOwnerNotWinControl));
  if (FindBarManagerOwnedBy(AOwner)) throw EdxBarException(dxBarString(dxbsOneManagerPerControl));
  return AOwner;
}

TColor ScaledChannels(TColor Color, int (*Channel)(int)) {
  const TColor rgb = ColorToRGB(Color);
  const int r = Channel(GetRValue(rgb)), g = Channel(GetGValue(rgb)), b = Channel(GetBValue(rgb));
  return TColor(RGB(r, g, b));
}

}  // namespace

// ---- image options ------------------------------------------------------------------------------

TdxBarImageOptions::TdxBarImageOptions(TdxBarManager* ABarManager)
    : TdxBarPersistent(ABarManager), freeNotificator_(new TcxFreeNotificator(nullptr)) {
  freeNotificator_->OnFreeNotification = TNotifyEvent(this, &TdxBarImageOptions::ListFreed);
  for (int kind = 0; kind < 5; ++kind) {
    lists_[kind].Link.reset(new TChangeLink);
    lists_[kind].Link->OnChange = [this, kind](TObject*) {
      if (OnImageListChanged) OnImageListChanged(TdxBarImageListKind(kind));
    };
  }
}

TdxBarImageOptions::~TdxBarImageOptions() {
  for (ListSlot& slot : lists_) {
    if (slot.List && slot.Link->Sender() == slot.List) slot.List->UnRegisterChanges(slot.Link.get());
    slot.List = nullptr;
  }
}

void TdxBarImageOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarImageOptions*>(Source);
  if (!source) return TdxBarPersistent::Assign(Source);
  CacheGlyphs = source->CacheGlyphs;
  for (int kind = 0; kind < 5; ++kind) SetImageList(TdxBarImageListKind(kind), source->lists_[kind].List);
  SetImageListBkColor(source->ImageListBkColor());
  SetLargeIcons(source->LargeIcons());
  SetMakeDisabledImagesFaded(source->MakeDisabledImagesFaded());
  SmoothGlyphs = source->SmoothGlyphs;
  StretchGlyphs = source->StretchGlyphs;
  SetUseLargeImagesForLargeIcons(source->UseLargeImagesForLargeIcons());
  SetUseLeftBottomPixelAsTransparent(source->UseLeftBottomPixelAsTransparent());
}

void TdxBarImageOptions::SetImageList(TdxBarImageListKind Kind, TCustomImageList* Value) {
  ListSlot& slot = lists_[Kind];
  TCustomImageList* old = slot.List;
  if (old == Value) return;
  if (old) {
    if (slot.Link->Sender() == old) old->UnRegisterChanges(slot.Link.get());
    bool heldElsewhere = false;
    for (const ListSlot& other : lists_) heldElsewhere |= &other != &slot && other.List == old;
    if (!heldElsewhere) freeNotificator_->UnwatchComponent(old);
  }
  slot.List = Value;
  if (Value) {
    Value->RegisterChanges(slot.Link.get());
    freeNotificator_->WatchComponent(Value);
  }
  if (OnImageListChanged) OnImageListChanged(Kind);
  if (Kind == ilkLarge && largeIcons_ && useLargeImagesForLargeIcons_) LargeIconsChanged();
}

void TdxBarImageOptions::ListFreed(TObject* Component) {
  // Every property that holds the freed list lets it go (a list may serve several of them). The list
  // is past its own destructor: its links are already released.
  static const TdxBarImageListKind order[] = {ilkDisabledLarge, ilkDisabled, ilkHot, ilkImages, ilkLarge};
  for (TdxBarImageListKind kind : order) {
    if (lists_[kind].List != Component) continue;
    lists_[kind].List = nullptr;
    if (OnImageListChanged) OnImageListChanged(kind);
    if (kind == ilkLarge && largeIcons_ && useLargeImagesForLargeIcons_) LargeIconsChanged();
  }
}

void TdxBarImageOptions::SetImageListBkColor(TColor Value) {
  if (imageListBkColor_ == Value) return;
  imageListBkColor_ = Value;
  Changed();
}

void TdxBarImageOptions::SetLargeIcons(bool Value) {
  if (largeIcons_ == Value) return;
  largeIcons_ = Value;
  LargeIconsChanged();
}

void TdxBarImageOptions::SetMakeDisabledImagesFaded(bool Value) {
  if (makeDisabledImagesFaded_ == Value) return;
  makeDisabledImagesFaded_ = Value;
  Changed();
}

void TdxBarImageOptions::SetUseLargeImagesForLargeIcons(bool Value) {
  if (useLargeImagesForLargeIcons_ == Value) return;
  useLargeImagesForLargeIcons_ = Value;
  Changed();
}

void TdxBarImageOptions::SetUseLeftBottomPixelAsTransparent(bool Value) {
  if (useLeftBottomPixelAsTransparent_ == Value) return;
  useLeftBottomPixelAsTransparent_ = Value;
  Changed();
}

int TdxBarImageOptions::GlyphSize() const {
  if (!largeIcons_) return 16;
  if (useLargeImagesForLargeIcons_ && LargeImages()) return LargeImages()->Width();
  return 32;
}

bool TdxBarImageOptions::IsLoading() const {
  for (const ListSlot& slot : lists_) {
    if (slot.List && slot.List->ComponentState().Contains(csLoading)) return true;
  }
  return false;
}

void TdxBarImageOptions::Changed() {
  if (OnChanged) OnChanged(BarManager());
}

void TdxBarImageOptions::LargeIconsChanged() {
  if (OnLargeIconsChanged) OnLargeIconsChanged(BarManager());
}

// ---- categories ---------------------------------------------------------------------------------

TdxBarManagerCategories::~TdxBarManagerCategories() {
  for (int i = 0; i < Count(); ++i) {
    TObject* data = Objects(i);
    SetObjects(i, nullptr);
    if (data) data->Free();
  }
}

TdxBarCategoryData* TdxBarManagerCategories::Data(int Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return dynamic_cast<TdxBarCategoryData*>(Objects(Index));
}

TdxBarCategoryData* TdxBarManagerCategories::EnsureData(int Index) {
  TdxBarCategoryData* data = Data(Index);
  if (!data) {
    data = new TdxBarCategoryData;
    SetObjects(Index, data);
  }
  return data;
}

void TdxBarManagerCategories::Clear() {
  for (int i = 0; i < Count(); ++i) {
    if (TObject* data = Objects(i)) {
      SetObjects(i, nullptr);
      data->Free();
    }
  }
  TStringList::Clear();
}

void TdxBarManagerCategories::ShiftCategory(int From, int To) {
  TdxBarComponentList* items = barManager_->ItemList();
  for (int i = 0; i < items->Count(); ++i) {
    auto* item = static_cast<TdxBarItem*>(items->Items(i));
    if (item->category_ == From) item->category_ = To;
  }
}

void TdxBarManagerCategories::Insert(int Index, const String& Text) {
  if (!renumbering_) {
    for (int c = Count() - 1; c >= Index; --c) ShiftCategory(c, c + 1);
  }
  TStringList::Insert(Index, Text);
}

void TdxBarManagerCategories::Delete(int Index) {
  if (renumbering_) return TStringList::Delete(Index);
  CheckIndex(Index, Count());
  {
    TObjectList doomed(true);
    TList items;
    barManager_->AllItemsOfCategory(Index, items);
    for (int i = 0; i < items.Count(); ++i) doomed.Add(static_cast<TObject*>(items.Items(i)));
  }
  for (int c = Index + 1; c < Count(); ++c) ShiftCategory(c, c - 1);
  if (TObject* data = Objects(Index)) {
    SetObjects(Index, nullptr);
    data->Free();
  }
  TStringList::Delete(Index);
  if (Count() == 0) Add(dxBarString(dxbsDefaultCategory));
}

void TdxBarManagerCategories::Exchange(int Index1, int Index2) {
  if (Index1 != Index2) {
    ShiftCategory(Index1, -1000);
    ShiftCategory(Index2, Index1);
    ShiftCategory(-1000, Index2);
  }
  TStringList::Exchange(Index1, Index2);
}

void TdxBarManagerCategories::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex, Count());
  CheckIndex(NewIndex, Count());
  ShiftCategory(CurIndex, -1000);
  if (CurIndex < NewIndex) {
    for (int c = CurIndex + 1; c <= NewIndex; ++c) ShiftCategory(c, c - 1);
  } else {
    for (int c = CurIndex - 1; c >= NewIndex; --c) ShiftCategory(c, c + 1);
  }
  ShiftCategory(-1000, NewIndex);
  renumbering_ = true;
  try {
    TStringList::Move(CurIndex, NewIndex);
  } catch (...) {
    renumbering_ = false;
    throw;
  }
  renumbering_ = false;
}

void TdxBarManagerCategories::Changed() {
  TStringList::Changed();
  if (UpdateCount() == 0) barManager_->NotifyDesignerModified();
}

void TdxBarManagerCategories::DefineCategoryProperties(TFiler& Filer, const String& Prefix) {
  Filer.DefineProperty(Prefix + L"ItemsVisibles", TReaderProc(this, &TdxBarManagerCategories::ReadItemsVisibles),
                       TWriterProc(this, &TdxBarManagerCategories::WriteItemsVisibles), Count() > 0);
  Filer.DefineProperty(Prefix + L"Visibles", TReaderProc(this, &TdxBarManagerCategories::ReadVisibles),
                       TWriterProc(this, &TdxBarManagerCategories::WriteVisibles), Count() > 0);
}

void TdxBarManagerCategories::ReadItemsVisibles(TReader& Reader) {
  ReadNamedProperty(*barManager_, L"Categories.ItemsVisibles", [&] {
    Reader.ReadListBegin();
    for (int i = 0; !Reader.EndOfList(); ++i) {
      const int value = Reader.ReadInteger();
      if (value < ivNever || value > ivAlways) throw EReadError(L"Invalid property value");
      if (i < Count()) barManager_->SetCategoryItemsVisible(i, TdxBarItemVisible(value));
    }
    Reader.ReadListEnd();
  });
}

void TdxBarManagerCategories::WriteItemsVisibles(TWriter& Writer) {
  Writer.WriteListBegin();
  for (int i = 0; i < Count(); ++i) Writer.WriteInteger(barManager_->CategoryItemsVisible(i));
  Writer.WriteListEnd();
}

void TdxBarManagerCategories::ReadVisibles(TReader& Reader) {
  ReadNamedProperty(*barManager_, L"Categories.Visibles", [&] {
    Reader.ReadListBegin();
    for (int i = 0; !Reader.EndOfList(); ++i) {
      const bool value = Reader.ReadBoolean();
      if (i < Count()) barManager_->SetCategoryVisible(i, value);
    }
    Reader.ReadListEnd();
  });
}

void TdxBarManagerCategories::WriteVisibles(TWriter& Writer) {
  Writer.WriteListBegin();
  for (int i = 0; i < Count(); ++i) Writer.WriteBoolean(barManager_->CategoryVisible(i));
  Writer.WriteListEnd();
}

// ---- the manager --------------------------------------------------------------------------------

int RecentItemsThresholdFor(int Percents) {
  if (Percents >= 100) return 0;
  int n = 1;
  while (n * (100 - Percents) / 100 <= 0) ++n;
  return n;
}

TdxBarManager::TdxBarManager(TComponent* AOwner) : TComponent(CheckedManagerOwner(AOwner)) {
  for (int kind = htShow; kind <= htQuick; ++kind) {
    hintTimers_[kind].reset(new TcxTimer(nullptr));
    hintTimers_[kind]->SetEnabled(false);
    hintTimers_[kind]->SetInterval(kind == htQuick ? 400 : 1000);
    hintTimers_[kind]->SetOnTimer([this, kind](TObject*) { HintTimerFired(THintTimer(kind)); });
  }
  RegisterBarManager(this);
  try {
    backgrounds_.reset(new TdxBarBackgrounds(this));
    lookAndFeel_.reset(new TcxLookAndFeel(this));
    lookAndFeel_->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) {
      if (!BeingDestroyed()) StyleChanged();
    };
    style_ = bmsEnhanced;
    StyleChanged();
    AllowReset = true;
    autoDockColor_ = true;
    hiddenItems_.reset(new TdxBarComponentList(true));
    items_.reset(new TdxBarComponentList(false));
    categories_.reset(new TdxBarManagerCategories(this));
    if (!IsLoading()) categories_->Add(dxBarString(dxbsDefaultCategory));
    groups_.reset(new TdxBarComponentList(false));
    readIniFileHandlers_.reset(new TcxEventHandlerCollection);
    writeIniFileHandlers_.reset(new TcxEventHandlerCollection);
    mdiStateChangedHandlers_.reset(new TcxEventHandlerCollection);
    systemFontChangedHandlers_.reset(new TcxEventHandlerCollection);
    CanCustomize = true;
    dockColor_ = clBtnFace;
    barCaptionFont_.reset(new TFont);
    editFont_.reset(new TFont);
    font_.reset(new TFont);
    font_->OnChange = TNotifyEvent(this, &TdxBarManager::FontChanged);
    helpButtonGlyph_.reset(new TBitmap);
    hideFloatingBarsWhenInactive_ = true;
    themeNotificator_.reset(new TdxThemeChangedNotificator);
    themeNotificator_->OnThemeChanged = [this] { StyleChanged(); };
    buttonArrowWidth_ = 11;
    largeButtonArrowWidth_ = 13;
    menusShowRecentItemsFirst_ = true;
    SetMostRecentItemsPercents(95);
    popupMenuLinks_.reset(new TdxBarPopupMenuLinks(this));
    scaled_ = true;
    showFullMenusAfterDelay_ = true;
    showHint_ = true;
    ShowHintForDisabledItems = true;
    UseF10ForMenu = true;
    SetUseSystemFont(true);
    waitForDockingTime_ = 21;
    CreateColors();
    imageOptions_.reset(new TdxBarImageOptions(this));
    imageOptions_->OnImageListChanged = [this](TdxBarImageListKind Kind) { ImageListChanged(Kind); };
    imageOptions_->OnChanged = TNotifyEvent(this, &TdxBarManager::ImageOptionsChanged);
    imageOptions_->OnLargeIconsChanged = TNotifyEvent(this, &TdxBarManager::LargeIconsChanged);
    bars_.reset(new TdxBars(this));
  } catch (...) {
    bars_.reset();
    UnregisterBarManager(this);
    ReleaseColors();
    throw;
  }
}

void TdxBarManager::AddPopupMenu(TdxBarCustomPopupMenu* Menu) {
  if (Menu && std::find(popupMenus_.begin(), popupMenus_.end(), Menu) == popupMenus_.end()) popupMenus_.push_back(Menu);
}

void TdxBarManager::RemovePopupMenu(TdxBarCustomPopupMenu* Menu) {
  popupMenus_.erase(std::remove(popupMenus_.begin(), popupMenus_.end(), Menu), popupMenus_.end());
}

TdxBarManager::~TdxBarManager() {
  // The hint is hidden first and its timers stop, so nothing the manager frees is asked for a hint
  // later; then customizing mode ends while everything it uses is still here; only then the manager
  // leaves the list (the last one frees the hint window) and its helpers go.
  StopHint();
  if (mdiChild_) ReleaseObjectLink(mdiChild_);
  mdiChild_ = nullptr;
  for (auto& timer : hintTimers_) timer.reset();
  SetCustomizingMode(false);
  designer_ = nullptr;
  InvalidateObjectLinks(this);
  // The toolbars (their windows and links) and the default sites go while the items are here.
  bars_.reset();
  while (!dockControls_.empty()) dockControls_.back()->SetBarManager(nullptr);
  while (!popupMenus_.empty()) popupMenus_.back()->ForgetBarManager();
  if (messageWindow_) DestroyWindow(messageWindow_);
  UnregisterBarManager(this);
  imageOptions_.reset();
  if (lookAndFeel_) lookAndFeel_->OnChanged = nullptr;
  lookAndFeel_.reset();
  themeNotificator_.reset();
  ReleaseColors();

  if (groups_) {
    groups_->SetOwnsObjects(true);
    groups_.reset();
  }
  hiddenItems_.reset();
  if (items_) {
    items_->SetOwnsObjects(true);
    items_.reset();
  }
  categories_.reset();
  popupMenuLinks_.reset();
  backgrounds_.reset();
  painter_.reset();
}

void TdxBarManager::Loaded() {
  TComponent::Loaded();
  // Under a held bars-update lock the toolbars are placed and the stored layout read when the lock
  // is released; skipping them would let the next write replace the user's layout.
  if (barsUpdateLock_ > 0) {
    loadedPending_ = true;
    return;
  }
  FinishLoaded();
}

void TdxBarManager::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove || !popupMenuLinks_) return;
  for (int i = 0; i < popupMenuLinks_->Count(); ++i) {
    TdxBarPopupMenuLink* link = popupMenuLinks_->LinkAt(i);
    if (link->Control() == AComponent) link->ControlFreed();
  }
}

void TdxBarManager::ReadState(TReader& Reader) {
  ++readStateCount_;
  TComponent::ReadState(Reader);
}

void TdxBarManager::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (int i = 0; i < ItemCount(); ++i) {
    TdxBarItem* item = ItemAt(i);
    if (item->Category() >= 0 && item->Owner() == Root) Proc(item);
  }
  for (int i = 0; i < GroupCount(); ++i) {
    if (GroupAt(i)->Owner() == Root) Proc(GroupAt(i));
  }
}

void TdxBarManager::SetChildOrder(TComponent* Child, int Order) {
  if (auto* item = dynamic_cast<TdxBarItem*>(Child)) {
    const int current = items_->IndexOf(item);
    if (current >= 0 && Order >= 0 && Order < ItemCount()) items_->Move(current, Order);
  } else if (auto* group = dynamic_cast<TdxBarGroup*>(Child)) {
    const int current = groups_->IndexOf(group);
    const int index = Order - ItemCount();
    if (current >= 0 && index >= 0 && index < GroupCount()) groups_->Move(current, index);
  }
}

void TdxBarManager::DefineProperties(TFiler& Filer) {
  TComponent::DefineProperties(Filer);
  Filer.DefineProperty(L"DockControlHeights", TReaderProc(this, &TdxBarManager::ReadDockControlHeights),
                       TWriterProc(this, &TdxBarManager::WriteDockControlHeights), true);
  categories_->DefineCategoryProperties(Filer, L"Categories.");
}

void TdxBarManager::ReadDockControlHeights(TReader& Reader) {
  ReadNamedProperty(*this, L"DockControlHeights", [&] {
    int values[4];
    Reader.ReadListBegin();
    for (int& value : values) {
      if (Reader.EndOfList()) throw EReadError(L"Invalid property value");
      value = Reader.ReadInteger();
      if (value < 0) throw EReadError(L"Invalid property value");
    }
    if (!Reader.EndOfList()) throw EReadError(L"Invalid property value");
    Reader.ReadListEnd();
    std::copy(values, values + 4, dockControlHeights_);
  });
}

void TdxBarManager::WriteDockControlHeights(TWriter& Writer) {
  Writer.WriteListBegin();
  for (int value : dockControlHeights_) Writer.WriteInteger(value);
  Writer.WriteListEnd();
}

// ---- queries ------------------------------------------------------------------------------------

bool TdxBarManager::OwnerAllowsEditing() const {
  const TComponentState state = Owner() ? Owner()->ComponentState() : TComponentState();
  return !(state.Contains(csDesigning) && state.Contains(csInline));
}

TdxBarManager* TdxBarManager::ParentManager() const {
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  if (!owner || !owner->HandleAllocated()) return nullptr;
  TWinControl* parent = ChildWindowControlParent(owner->Handle());
  return parent ? BarManagerForComponent(parent) : nullptr;
}

int TdxBarManager::ItemCount() const { return items_ ? items_->Count() : 0; }

TdxBarItem* TdxBarManager::ItemAt(int Index) const {
  if (Index < 0 || Index >= ItemCount()) return nullptr;
  return static_cast<TdxBarItem*>(items_->Items(Index));
}

int TdxBarManager::GroupCount() const { return groups_ ? groups_->Count() : 0; }

TdxBarGroup* TdxBarManager::GroupAt(int Index) const {
  if (Index < 0 || Index >= GroupCount()) return nullptr;
  return static_cast<TdxBarGroup*>(groups_->Items(Index));
}

bool TdxBarManager::UsesLargeImagesForLargeIcons() const {
  return imageOptions_->UseLargeImagesForLargeIcons() && imageOptions_->LargeImages();
}

HWND TdxBarManager::MessageBoxParentHandle() const {
  // While customizing, the customizing dialog's window comes first once that dialog exists.
  if (Application && Application->Handle() && IsWindowVisible(Application->Handle())) return Application->Handle();
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  return owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
}

TdxBarItem* TdxBarManager::ItemByName(const String& Name) const {
  for (int i = 0; i < ItemCount(); ++i) {
    if (AnsiSameText(ItemAt(i)->Name(), Name)) return ItemAt(i);
  }
  return nullptr;
}

int TdxBarManager::AllItemsOfCategory(int Index, TList& List) const {
  List.Clear();
  if (Index < 0 || Index >= categories_->Count()) return 0;
  for (int i = 0; i < ItemCount(); ++i) {
    if (ItemAt(i)->Category() == Index) List.Add(ItemAt(i));
  }
  return List.Count();
}

int TdxBarManager::ItemsOfCategory(int Index, TList& List) const {
  if (IsDesigning()) return AllItemsOfCategory(Index, List);
  List.Clear();
  if (Index < 0 || Index >= categories_->Count()) return 0;
  for (int i = 0; i < ItemCount(); ++i) {
    TdxBarItem* item = ItemAt(i);
    if (item->Category() == Index && item->IsShowable() && !item->HostedControl() &&
        !item->HiddenInRunTimeCommands())
      List.Add(item);
  }
  return List.Count();
}

int TdxBarManager::CategoryIndexOfVisible(int N) const {
  if (IsDesigning()) return N;
  int visible = -1;
  for (int i = 0; i < categories_->Count(); ++i) {
    if (CategoryVisible(i) && ++visible == N) return i;
  }
  return -1;
}

// ---- categories ---------------------------------------------------------------------------------

void TdxBarManager::SetCategories(TStrings* Value) { categories_->Assign(Value); }

TdxBarItemVisible TdxBarManager::CategoryItemsVisible(int Index) const {
  if (Index < 0 || Index >= categories_->Count()) return ivNever;
  TdxBarCategoryData* data = categories_->Data(Index);
  return data ? data->ItemsVisible : ivAlways;
}

bool TdxBarManager::CategoryVisible(int Index) const {
  if (Index < 0 || Index >= categories_->Count()) return false;
  TdxBarCategoryData* data = categories_->Data(Index);
  return data ? data->Visible : true;
}

void TdxBarManager::SetCategoryItemsVisible(int Index, TdxBarItemVisible Value) {
  if (Index < 0 || Index >= categories_->Count()) return;
  const TdxBarItemVisible old = CategoryItemsVisible(Index);
  TdxBarCategoryData* data = categories_->EnsureData(Index);
  if (IsLoading()) {
    data->LoadedItemsVisible = Value;
    return;
  }
  data->ItemsVisible = Value;
  if (!IsDesigning()) ApplyCategoryItemsVisible(Index, old, Value);
  if (old != Value) NotifyDesignerModified();
}

void TdxBarManager::ApplyCategoryItemsVisible(int Index, TdxBarItemVisible OldValue, TdxBarItemVisible Value) {
  // With AutoHideEmptyBars the toolbars that become empty (or usable again) follow once toolbars exist.
  BeginBarsUpdate();
  try {
    TList items;
    AllItemsOfCategory(Index, items);
    auto apply = [&](int i) {
      auto* item = static_cast<TdxBarItem*>(items.Items(i));
      if (item->Visible() == OldValue) item->SetVisible(Value);
    };
    if (Value == ivAlways) {
      for (int i = items.Count() - 1; i >= 0; --i) apply(i);
    } else {
      for (int i = 0; i < items.Count(); ++i) apply(i);
    }
  } catch (...) {
    EndBarsUpdate(true);
    throw;
  }
  EndBarsUpdate(true);
}

void TdxBarManager::SetCategoryVisible(int Index, bool Value) {
  if (Index < 0 || Index >= categories_->Count() || CategoryVisible(Index) == Value) return;
  categories_->EnsureData(Index)->Visible = Value;
  NotifyDesignerModified();
}

// ---- items and groups ---------------------------------------------------------------------------

void TdxBarManager::AddGroup(TdxBarGroup* Group) {
  if (!Group) return;
  if (groups_->IndexOf(Group) < 0) groups_->Add(Group);
  Group->barManager_ = this;
}

TdxBarGroup* TdxBarManager::CreateGroup() {
  auto* group = new TdxBarGroup(Owner());
  AddGroup(group);
  return group;
}

void TdxBarManager::TakeOutInternalItem(TdxBarItem* Item) {
  if (items_) items_->Remove(Item);
}

TdxBarItem* TdxBarManager::CreateItem(TComponentClass ItemClass) {
  auto* item = As<TdxBarItem>(ItemClass->Create(this));
  const int index = categories_->IndexOf(dxBarString(dxbsDefaultCategory));
  item->SetCategory(index >= 0 ? index : 0);
  return item;
}

void TdxBarManager::MoveItem(int CurIndex, int NewIndex) {
  items_->Move(CurIndex, NewIndex);
  NotifyDesignerModified();
}

String TdxBarManager::UniqueItemName(TClass ItemClass) const {
  const String base = ItemClass->ClassName().substr(1);
  for (int n = 1;; ++n) {
    const String name = base + std::to_wstring(n);
    if (!ItemByName(name)) return name;
  }
}

// ---- locking and notification -------------------------------------------------------------------

void TdxBarManager::BeginBarsUpdate() { ++barsUpdateLock_; }

void TdxBarManager::EndBarsUpdate(bool) {
  if (barsUpdateLock_ > 0) --barsUpdateLock_;
  if (barsUpdateLock_ > 0) return;
  // The last unlock: the steps of a Loaded that waited for it, then the redraw pass.
  if (loadedPending_ && !IsLoading()) FinishLoaded();
  RedrawPass();
}

void TdxBarManager::NotifyDesignerModified() {
  if (IsLoading() || insideLoaded_ || BeingDestroyed()) return;
  if (designerLock_ > 0) {
    designerNotifyPending_ = true;
    return;
  }
  modified_ = true;
}

void TdxBarManager::LockDesignerModified(bool Lock, bool NotifyOnUnlock) {
  if (Lock) {
    if (designerLock_ == 0) designerNotifyPending_ = false;
    ++designerLock_;
    return;
  }
  if (designerLock_ > 0) --designerLock_;
  if (designerLock_ == 0 && NotifyOnUnlock && designerNotifyPending_) NotifyDesignerModified();
}

void TdxBarManager::ForEachItem(const TEvent<void(TdxBarItem* Item)>& Proc) {
  if (IsLoading() || BeingDestroyed()) return;
  BeginBarsUpdate();
  try {
    for (int i = 0; i < ItemCount(); ++i) Proc(ItemAt(i));
  } catch (...) {
    EndBarsUpdate(true);
    throw;
  }
  EndBarsUpdate(true);
}

bool TdxBarManager::CanDeleteComponent(TComponent* Component) const {
  return !designer_ || designer_->CanDelete(Component);
}

void TdxBarManager::GetDesignSelection(TList& List) const {
  List.Clear();
  if (designer_) designer_->CollectSelection(List);
}

int TdxBarManager::SelectionStatusOf(TObject* Object) const {
  return designer_ && Object && designer_->SelectionState(Object) ? 1 : 0;
}

void TdxBarManager::SelectInDesigner(TObject* Object, int Operation) {
  if (designer_) designer_->SelectObject(Object, Operation);
}

void TdxBarManager::ShowDefaultEventHandler(TdxBarItem* Item) {
  if (designer_) designer_->OpenDefaultHandler(Item);
}

void TdxBarManager::DesignerUniqueName(const String& BaseName, String& Name) const {
  if (designer_) Name = designer_->MakeUniqueName(BaseName);
}

void TdxBarManager::GetFilteredSelection(TList& List) const {
  GetDesignSelection(List);
  for (int i = List.Count() - 1; i >= 0; --i) {
    if (SelectionStatusOf(static_cast<TObject*>(List.Items(i))) != 1) List.Delete(i);
  }
}

void TdxBarManager::SetCustomizingMode(bool Value) {
  if (customizing_ == Value || (Value && ActiveCustomizingForm())) return;
  if (bars_) {
    for (int i = bars_->Count() - 1; i >= 0; --i) {
      if (i >= bars_->Count()) continue;
      TdxBarControl* window = bars_->BarAt(i)->Control();
      if (!window) continue;
      const int count = bars_->Count();
      window->GuardedClose();
      if (count == bars_->Count() && IsLiveBarControl(window)) window->DestroyItemControls();
    }
  }
  customizing_ = Value;
  if (!bars_) return;
  for (int i = 0; i < bars_->Count(); ++i) {
    TdxBar* bar = bars_->BarAt(i);
    if (bar->ItemLinks()) bar->ItemLinks()->RefreshLinkLists();
    if (TdxBarControl* window = bar->Control(); window && window->HandleAllocated()) window->CreateItemControls();
  }
  if (!BeingDestroyed() || !Value) ShowCustomizingForm(this, Value);
  for (int i = 0; i < bars_->Count(); ++i) {
    if (TdxBarControl* window = bars_->BarAt(i)->Control(); window && window->HandleAllocated()) {
      window->SettingsChanged();
      window->Relayout();
    }
  }
}

// ---- style and painter --------------------------------------------------------------------------

TdxBarManagerStyle TdxBarManager::EffectiveStyle() const {
  return EffectiveBarStyle(style_, lookAndFeel_->Kind(), lookAndFeel_->NativeStyle(), themeAvailable_);
}

int TdxBarManager::ResolvePainterStyle() const {
  return ::ResolvePainterStyle(style_, lookAndFeel_->Kind(), lookAndFeel_->NativeStyle(), themeAvailable_,
                               lookAndFeel_->ActiveSkinPainter() != nullptr);
}

TdxBarPainterClass TdxBarManager::PainterClass() const { return BarPainterClassFor(ResolvePainterStyle()); }

void TdxBarManager::StyleChanged() {
  styleChanging_ = true;
  try {
    UpdatePainter();
  } catch (...) {
    styleChanging_ = false;
    throw;
  }
  styleChanging_ = false;
  // The toolbar windows and the dock sites take the new painter: frames, layouts and backgrounds.
  if (!bars_) return;
  for (TdxDockControl* site : dockControls_) {
    site->UpdateDoubleBuffered();
    if (site->HandleAllocated()) site->Invalidate();
  }
  for (int i = 0; i < bars_->Count(); ++i) bars_->BarAt(i)->RefreshBarWindow();
  for (TdxDockControl* site : dockControls_) site->UpdateDockLayout();
}

void TdxBarManager::UpdatePainter() {
  themeAvailable_ = VisualStylesActiveFor(
      {totComboBox, totEdit, totProgress, totRebar, totScrollBar, totSpin, totStatus, totToolBar, totWindow});
  painter_.reset();
  if (TdxBarPainterClass painterClass = PainterClass())
    painter_.reset(painterClass->CreatePainter(lookAndFeel_->ActiveSkinPainter()));
}

// ---- colours ------------------------------------------------------------------------------------

TColor TdxBarManager::FlatShadowColor() const {
  return NearestScreenColor(ScaledChannels(clBtnShadow, [](int c) { return MulDiv(c, 8, 10); }));
}

TColor TdxBarManager::FlatToolbarColor() const {
  return NearestScreenColor(ScaledChannels(clBtnFace, [](int c) { return c + MulDiv(255 - c, 16, 100); }));
}

TColor TdxBarManager::FlatDownColor() const { return NearestScreenColor(MixSystemColors(11, 9, 73)); }
TColor TdxBarManager::FlatDownSelectedColor() const { return NearestScreenColor(MixSystemColors(14, 44, 40)); }
TColor TdxBarManager::FlatLightColor() const { return NearestScreenColor(MixSystemColors(-2, 30, 72)); }

void TdxBarManager::CreateBrushes() {
  const TColor colors[5] = {FlatShadowColor(), FlatToolbarColor(), FlatDownColor(), FlatDownSelectedColor(),
                            FlatLightColor()};
  for (int i = 0; i < 5; ++i) flatBrushes_[i] = CreateSolidBrush(ColorToRGB(colors[i]));
  if (themeAvailable_) themeToolbarBrush_ = CreateSolidBrush(ColorToRGB(ToolbarThemeColor()));
}

void TdxBarManager::DeleteBrushes() {
  if (themeToolbarBrush_) DeleteObject(themeToolbarBrush_);
  themeToolbarBrush_ = nullptr;
  for (HBRUSH& brush : flatBrushes_) {
    if (brush) DeleteObject(brush);
    brush = nullptr;
  }
}

void TdxBarManager::CreateColors() {
  CreateBrushes();
  if (!office11Acquired_) {
    AcquireOffice11Colors();
    office11Acquired_ = true;
  }
  // The dock sites and toolbar windows refresh their colours and backgrounds, once they exist.
}

void TdxBarManager::ReleaseColors() {
  DeleteBrushes();
  if (office11Acquired_) {
    office11Acquired_ = false;
    UnacquireOffice11Colors();
  }
}

void TdxBarManager::RefreshColors() {
  DeleteBrushes();
  CreateBrushes();
  RefreshOffice11Palette();
}

// ---- fonts --------------------------------------------------------------------------------------

void TdxBarManager::SetUseSystemFont(bool Value) {
  if (useSystemFont_ == Value) return;
  useSystemFont_ = Value;
  if (Value) ApplySystemFont();
}

void TdxBarManager::SetScaled(bool Value) {
  if (scaled_ == Value) return;
  scaled_ = Value;
  if (Value && !useSystemFont_) ApplySystemFont();
}

void TdxBarManager::ApplySystemFont() {
  const NONCLIENTMETRICSW metrics = ReadNonClientMetrics();
  if (useSystemFont_) {
    internalFontChange_ = true;
    try {
      font_->SetHandle(CreateFontIndirectW(&metrics.lfMenuFont));
    } catch (...) {
      internalFontChange_ = false;
      throw;
    }
    internalFontChange_ = false;
  } else if (scaled_) {
    font_->SetHeight(metrics.lfMenuFont.lfHeight);
  }
}

void TdxBarManager::FontChanged(TObject*) {
  if (!internalFontChange_) useSystemFont_ = false;
  if (scaled_) {
    const TNotifyEvent handler = font_->OnChange;
    font_->OnChange = nullptr;
    try {
      ApplySystemFont();
    } catch (...) {
      font_->OnChange = handler;
      throw;
    }
    font_->OnChange = handler;
  }
  CopyFontWithSystemHeight(font_.get(), editFont_.get(), scaled_);
  barCaptionFont_->SetHandle(CreateMenuFontHandle(font_.get(), useSystemFont_));
  systemFontChangedHandlers_->CallAll(this, nullptr);
  // Toolbars and registered popup menus refresh their fonts once they exist.
}

// ---- property setters ---------------------------------------------------------------------------

void TdxBarManager::SetAutoAlignBars(bool Value) { autoAlignBars_ = Value; }
void TdxBarManager::SetAutoDockColor(bool Value) { autoDockColor_ = Value; }
void TdxBarManager::SetAutoHideEmptyBars(bool Value) { autoHideEmptyBars_ = Value; }

void TdxBarManager::SetButtonArrowWidth(int Value) {
  if (Value != buttonArrowWidth_ && Value >= 2) buttonArrowWidth_ = Value;
}

void TdxBarManager::SetLargeButtonArrowWidth(int Value) {
  if (Value != largeButtonArrowWidth_ && Value >= 2) largeButtonArrowWidth_ = Value;
}

TColor TdxBarManager::DockColor() const {
  if (autoDockColor_) {
    if (auto* owner = dynamic_cast<TControl*>(Owner())) return owner->Color();
  }
  return dockColor_;
}

void TdxBarManager::SetDockColor(TColor Value) {
  dockColor_ = Value;
  autoDockColor_ = false;
}

void TdxBarManager::SetFlatCloseButton(bool Value) { flatCloseButton_ = Value; }
void TdxBarManager::SetHideFloatingBarsWhenInactive(bool Value) {
  if (hideFloatingBarsWhenInactive_ == Value) return;
  hideFloatingBarsWhenInactive_ = Value;
  if (!IsLoading()) UpdateFloatingBarsVisibility(mainFormActive_ || !Value, false, nullptr);
}

void TdxBarManager::SetMenuAnimations(TdxBarMenuAnimations Value) {
  if (menuAnimations_ == Value) return;
  menuAnimations_ = Value;
  NotifyDesignerModified();
}

void TdxBarManager::SetMenusShowRecentItemsFirst(bool Value) {
  if (menusShowRecentItemsFirst_ == Value) return;
  menusShowRecentItemsFirst_ = Value;
  NotifyDesignerModified();
}

void TdxBarManager::SetMostRecentItemsPercents(Byte Value) {
  mostRecentItemsPercents_ = std::min<int>(Value, 100);
  UpdateRecentItemsThreshold();
}

void TdxBarManager::UpdateRecentItemsThreshold() {
  recentItemsUseCountThreshold_ = RecentItemsThresholdFor(mostRecentItemsPercents_);
}

void TdxBarManager::SetNotDocking(TdxBarDockingStyles Value) {
  if (notDocking_ == Value) return;
  notDocking_ = Value;
  StyleChanged();
}

void TdxBarManager::SetRegistryPath(const String& Value) {
  registryPath_ = Value;
  if (registryPath_.empty()) return;
  if (registryPath_.front() != L'\\') registryPath_.insert(0, 1, L'\\');
  if (registryPath_.back() != L'\\') registryPath_.push_back(L'\\');
}

void TdxBarManager::SetShowCloseButton(bool Value) { showCloseButton_ = Value; }

void TdxBarManager::SetShowFullMenusAfterDelay(bool Value) {
  if (showFullMenusAfterDelay_ == Value) return;
  showFullMenusAfterDelay_ = Value;
  NotifyDesignerModified();
}

void TdxBarManager::SetShowHelpButton(bool Value) { showHelpButton_ = Value; }

void TdxBarManager::SetShowHint(bool Value) {
  if (showHint_ == Value) return;
  showHint_ = Value;
  NotifyDesignerModified();
}

void TdxBarManager::SetShowShortCutInHint(bool Value) {
  if (showShortCutInHint_ == Value) return;
  showShortCutInHint_ = Value;
  NotifyDesignerModified();
}

void TdxBarManager::SetStyle(TdxBarManagerStyle Value) {
  if (style_ == Value) return;
  style_ = Value;
  StyleChanged();
}

void TdxBarManager::SetSunkenBorder(bool Value) { sunkenBorder_ = Value; }

void TdxBarManager::SetWaitForDockingTime(int Value) {
  if (Value >= 0) waitForDockingTime_ = Value;
}

// ---- image options ------------------------------------------------------------------------------

void TdxBarManager::ImageListChanged(TdxBarImageListKind Kind) {
  switch (Kind) {
    case ilkImages:
    case ilkDisabled:
      ForEachItem([](TdxBarItem* item) {
        if (item->ImageIndex() >= 0) item->GlyphChanged();
      });
      break;
    case ilkHot:
      ForEachItem([](TdxBarItem* item) {
        if (item->HasHotImage()) item->HotGlyphChanged();
      });
      break;
    case ilkLarge:
    case ilkDisabledLarge:
      ForEachItem([](TdxBarItem* item) {
        if (item->HasImageIndex()) item->LargeGlyphChanged();
      });
      break;
  }
}

void TdxBarManager::ImageOptionsChanged(TObject*) {
  // Every toolbar window re-reads its settings, once toolbar windows exist.
}

void TdxBarManager::LargeIconsChanged(TObject*) {
  NotifyDesignerModified();
}

// ---- overridable notifications ------------------------------------------------------------------

void TdxBarManager::DoClickItem(TdxBarItem* Item) {
  if (OnClickItem) OnClickItem(this, Item);
}
void TdxBarManager::DoBarAfterReset(TdxBar* Bar) {
  if (OnBarAfterReset) OnBarAfterReset(this, Bar);
}
void TdxBarManager::DoBarBeforeReset(TdxBar* Bar) {
  if (OnBarBeforeReset) OnBarBeforeReset(this, Bar);
}
void TdxBarManager::DoBarClose(TdxBar* Bar) {
  if (OnBarClose) OnBarClose(this, Bar);
}
void TdxBarManager::DoCloseButtonClick() {
  if (OnCloseButtonClick) OnCloseButtonClick(this);
}
void TdxBarManager::DoHelpButtonClick() {
  if (OnHelpButtonClick) OnHelpButtonClick(this);
}
void TdxBarManager::DoShowCustomizingPopup(TdxBarItemLinks* Popup) {
  if (OnShowCustomizingPopup) OnShowCustomizingPopup(this, Popup);
}
void TdxBarManager::DoShowToolbarsPopup(TdxBarItemLinks* Popup) {
  if (OnShowToolbarsPopup) OnShowToolbarsPopup(this, Popup);
}
void TdxBarManager::DoItemLinkChange(TdxBarItemLink* Link) {
  if (!IsLoading() && OnItemLinkChange) OnItemLinkChange(this, Link);
}
void TdxBarManager::DoMergeItemLink(TdxBarItemLinks* Dst, TdxBarItemLinks* Src, TdxBarItemLink* SrcLink,
                                    TdxBarItemMergeKind& Kind, int& Index) {
  if (OnMergeItemLink) OnMergeItemLink(this, Dst, Src, SrcLink, Kind, Index);
}

// ---- the list of managers -----------------------------------------------------------------------

TdxBarManager* TdxBarManagerList::CustomizingManager() const {
  for (int i = 0; i < Count(); ++i) {
    if (ManagerAt(i)->IsCustomizing()) return ManagerAt(i);
  }
  return nullptr;
}

TdxBarManagerList* BarManagerList() { return g_managers; }

void RegisterBarManager(TdxBarManager* Manager) {
  if (!g_managers && !BarUnitFinalizing()) g_managers = new TdxBarManagerList;
  if (!g_managers || g_managers->IndexOf(Manager) >= 0) return;
  if (g_managers->Count() == 0) InstallBarHooks();
  g_managers->Add(Manager);
  if (!Manager->IsDesigning() && !BarHintWindow()) CreateBarHintWindow();
}

void UnregisterBarManager(TdxBarManager* Manager) {
  if (!g_managers) return;
  g_managers->Remove(Manager);
  if (g_managers->Count() == 0) {
    RemoveBarHooks();
    FreeBarHintWindow();
  }
}

// ---- selection, mouse tracking and item hints ---------------------------------------------------

void TdxBarManager::SelectItemControl(TdxBarItemControl* Control) {
  if (Control == selectedItemControl_) return;
  TdxBarItemControl* old = selectedItemControl_;
  if (InDesignOrCustomizing() && old && (!Control || Control->BarControl() != old->BarControl())) {
    if (TCustomdxBarControl* window = old->BarControl()) window->HotTrack(nullptr);
  }
  selectedItemControl_ = Control;
}

void TdxBarManager::StartMouseTracking(TCustomdxBarControl* BarControl) {
  if (mouseTrackedBar_ == BarControl) return;
  if (TCustomdxBarControl* previous = mouseTrackedBar_) {
    EndMouseTracking(previous);
    previous->MouseLeaveEvent();
  }
  if (!BarControl || !BarControl->HandleAllocated()) return;
  mouseTrackedBar_ = BarControl;
  WatchMouseLeave(BarControl, BarControl->ClientRect(), BarControl);
}

void TdxBarManager::EndMouseTracking(TCustomdxBarControl* BarControl) {
  if (mouseTrackedBar_ != BarControl || !BarControl) return;
  mouseTrackedBar_ = nullptr;
  UnwatchMouseLeave(BarControl);
}

namespace {

// The manager whose hint the bar hint window shows.
TdxBarManager* g_hintOwner = nullptr;

bool HintWindowShowing() {
  TdxBarHintWindow* window = BarHintWindow();
  return window && window->HintShown();
}

}  // namespace

void TdxBarManager::ShowItemHint(bool Show, const String& Text, TObject* HintObject) {
  if (IsCustomizing() || IsDesigning() || !ShowHint()) return;
  if (Show && HintWindowShowing()) HintHideStep(true);
  HintUpdate(Show, Text, HintObject);
}

void TdxBarManager::HintUpdate(bool Show, const String& Text, TObject* HintObject) {
  if (!Show && !hintRequested_) return;
  hintRequested_ = Show;
  hintText_ = Text;
  hintObject_ = HintObject;
  hintShown_ = false;
  hintTimers_[htShow]->SetEnabled(false);
  TdxBarItemControl* selected = selectedItemControl_;
  const bool wanted = Show && ((selected && selected->BarControl() && !selected->BarControl()->IsActive()) ||
                               !Text.empty() || HintObject);
  if (!wanted) return HintHideStep(Show);
  if (HintWindowShowing() || quickHint_) return ShowHintNow();
  TdxBarHintWindow* window = BarHintWindow();
  if (!window) return;
  hintTimers_[htShow]->SetInterval(UINT(window->InitialPause()));
  hintTimers_[htShow]->SetEnabled(true);
}

void TdxBarManager::HintHideStep(bool PartOfShowRequest) {
  hintTimers_[htHide]->SetEnabled(false);
  if (HintWindowShowing()) {
    BarHintWindow()->HideHint();
    if (g_hintOwner == this) g_hintOwner = nullptr;
    if (PartOfShowRequest) {
      hintTimers_[htQuick]->SetEnabled(false);
      quickHint_ = true;
      hintTimers_[htQuick]->SetEnabled(true);
    }
  }
}

void TdxBarManager::ShowHintNow() {
  TdxBarHintWindow* window = BarHintWindow();
  if (!window || BeingDestroyed()) return;
  String hint = hintText_, shortCut;
  if (hint.empty()) {
    auto* source = Supports<IdxBarHintSource>(hintObject_);
    bool handled = false;
    if (!source || !source->GetHintTexts(handled, hint, shortCut) ||
        (!source->IsEnabled() && !ShowHintForDisabledItems)) {
      HintHideStep(false);
      return;
    }
    if (!ShowShortCutInHint() && !(Application && Application->HintShortCuts)) shortCut.clear();
  }
  if (window->ShowHintFor(this, hint, shortCut)) {
    hintShown_ = true;
    g_hintOwner = this;
    hintTimers_[htHide]->SetEnabled(false);
    hintTimers_[htHide]->SetInterval(UINT(window->HidePause()));
    hintTimers_[htHide]->SetEnabled(true);
  } else {
    HintHideStep(false);
  }
}

void TdxBarManager::HintTimerFired(THintTimer Kind) {
  hintTimers_[Kind]->SetEnabled(false);
  switch (Kind) {
    case htShow:
      if (!BeingDestroyed()) ShowHintNow();
      break;
    case htHide:
      HintHideStep(false);
      hintRequested_ = false;
      hintObject_ = nullptr;
      break;
    case htQuick:
      quickHint_ = false;
      break;
  }
}

void TdxBarManager::StopHint() {
  for (auto& timer : hintTimers_) {
    if (timer) timer->SetEnabled(false);
  }
  if (g_hintOwner == this || hintShown_) {
    if (TdxBarHintWindow* window = BarHintWindow()) window->HideHint();
    g_hintOwner = nullptr;
  }
  hintRequested_ = false;
  hintShown_ = false;
  hintObject_ = nullptr;
}

void TdxBarManager::ForgetHintObject(TObject* Object) {
  if (!Object || hintObject_ != Object) return;
  StopHint();
}
