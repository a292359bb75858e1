#include "ui/ribbon/Ribbon.h"

#include <algorithm>

#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/bars/painters/Fader.h"
#include "ui/navbar/skins/GdiPlus.h"
#include "ui/ribbon/ApplicationButton.h"
#include "ui/ribbon/BarSkins.h"
#include "ui/ribbon/RibbonController.h"
#include "ui/ribbon/RibbonGroups.h"
#include "ui/ribbon/RibbonPainters.h"
#include "ui/ribbon/RibbonSkins.h"
#include "ui/ribbon/RibbonViewInfo.h"

DEFINE_CLASS(TdxRibbonGroupsDockControl)
DEFINE_CLASS(TdxRibbonTabGroup)
DEFINE_CLASS(TdxRibbonTabGroups)
DEFINE_CLASS(TdxRibbonTab)
DEFINE_CLASS(TdxRibbonTabCollection)
DEFINE_CLASS(TdxRibbonFonts)
DEFINE_CLASS(TdxRibbonQuickAccessToolbar)
DEFINE_CLASS(TdxCustomRibbon)
DEFINE_CLASS(TdxRibbon)

namespace {

// Colours of the skin's colour table that the fonts take.
constexpr int kGroupFontColor = 10133;
constexpr int kGroupHeaderFontColor = 10134;
constexpr int kCaptionFontColor = 10130;
constexpr int kTabHeaderFontColor = 10132;

bool IsBeingFreed(const TComponent* C) { return C && C->ComponentState().Contains(csDestroying); }

}  // namespace

// ---- module routines ----------------------------------------------------------------------------

void MoveBarToDockControl(TdxBar* Bar, TdxBarDockControl* DockControl) {
  if (!Bar || Bar->DockControl() == DockControl) return;
  if (Bar->ComponentState().Contains(csLoading) ||
      (Bar->BarManager() && Bar->BarManager()->ComponentState().Contains(csLoading))) {
    Bar->SetDockControl(DockControl);
    return;
  }
  const bool wasVisible = Bar->Visible();
  Bar->SetVisible(false);
  try {
    Bar->SetDockControl(DockControl);
  } catch (...) {
    Bar->SetVisible(wasVisible);
    throw;
  }
  Bar->SetVisible(wasVisible);
}

void UndockBarCompletely(TdxBar* Bar) {
  if (!Bar || IsBeingFreed(Bar)) return;
  const bool wasVisible = Bar->Visible();
  Bar->SetVisible(false);
  Bar->SetDockControl(nullptr);
  Bar->SetDockedDockControl(nullptr);
  Bar->SetDockedDockingStyle(dsNone);
  Bar->SetDockingStyle(dsNone);
  Bar->SetVisible(wasVisible);
}

// ---- groups dock control ------------------------------------------------------------------------

// The dock control itself: RibbonGroups.cpp.

// ---- tab groups ---------------------------------------------------------------------------------

TdxRibbonTabGroup::TdxRibbonTabGroup(TCollection* Collection) : TCollectionItem(Collection) {}

TdxRibbonTabGroup::~TdxRibbonTabGroup() {
  // A group that still shows a toolbar lets it go (another tab's group keeps it docked there).
  if (toolbar_) {
    TdxBar* bar = toolbar_;
    toolbar_ = nullptr;
    TdxRibbonTab* tab = Tab();
    if (tab && !IsBeingFreed(bar)) {
      bool usedElsewhere = false;
      for (int i = 0; i < tab->Groups()->Count(); ++i)
        if (tab->Groups()->GroupAt(i) != this && tab->Groups()->GroupAt(i)->toolbar_ == bar) usedElsewhere = true;
      if (!usedElsewhere) tab->RemoveFreeNotification(bar);
      ReleaseToolbar(bar);
    }
  }
}

TdxRibbonTab* TdxRibbonTabGroup::Tab() const {
  auto* groups = static_cast<TdxRibbonTabGroups*>(Collection());
  return groups ? groups->Tab() : nullptr;
}

TdxCustomRibbon* TdxRibbonTabGroup::Ribbon() const {
  TdxRibbonTab* tab = Tab();
  return tab ? tab->Ribbon() : nullptr;
}

void TdxRibbonTabGroup::SetCanCollapse(bool Value) { canCollapse_ = Value; }

TdxBar* TdxRibbonTabGroup::ToolBar() const {
  TdxRibbonTab* tab = Tab();
  if (!toolbar_ && tab && tab->ComponentState().Contains(csLoading) && !LoadedToolbarName.empty()) {
    TdxCustomRibbon* ribbon = tab->Ribbon();
    if (ribbon && ribbon->BarManager()) {
      TdxBars* bars = ribbon->BarManager()->Bars();
      for (int i = 0; i < bars->ItemCount(); ++i)
        if (SameText(bars->BarAt(i)->Name(), LoadedToolbarName)) return bars->BarAt(i);
    }
  }
  return toolbar_;
}

void TdxRibbonTabGroup::ResolveLoadedToolbar() {
  if (LoadedToolbarName.empty()) return;
  TdxBar* bar = ToolBar();
  LoadedToolbarName.clear();
  if (bar && bar != toolbar_) SetToolBar(bar);
}

// A toolbar no longer shown by this group goes to another tab's group that shows it, else out of
// every dock control.
void TdxRibbonTabGroup::ReleaseToolbar(TdxBar* Bar) {
  TdxRibbonTab* tab = Tab();
  TdxCustomRibbon* ribbon = tab ? tab->Ribbon() : nullptr;
  if (!ribbon || !Bar) return;
  TdxRibbonTab* holder = nullptr;
  for (int i = 0; i < ribbon->Tabs()->ItemCount() && !holder; ++i) {
    TdxRibbonTab* other = ribbon->Tabs()->TabAt(i);
    if (other == tab) continue;
    for (int j = 0; j < other->Groups()->Count(); ++j)
      if (other->Groups()->GroupAt(j)->toolbar_ == Bar) holder = other;
  }
  if (holder)
    MoveBarToDockControl(Bar, holder->GroupsDockControl());
  else
    UndockBarCompletely(Bar);
}

void TdxRibbonTabGroup::SetToolBar(TdxBar* Value) {
  if (Value == toolbar_) return;
  TdxRibbonTab* tab = Tab();
  TdxCustomRibbon* ribbon = Ribbon();
  if (Value && (!ribbon || !ribbon->BarManager() || Value->BarManager() != ribbon->BarManager())) return;
  // Every check first: a refused toolbar leaves the group, the toolbars and their docking alone.
  if (Value) {
    if (ribbon->QuickAccessToolbar()->Toolbar() == Value)
      throw EdxRibbonException(L"This toolbar is already used as the QuickAccessToolbar");
    for (int i = 0; i < tab->Groups()->Count(); ++i)
      if (tab->Groups()->GroupAt(i) != this && tab->Groups()->GroupAt(i)->toolbar_ == Value)
        throw EdxRibbonException(L"At least one group in this tab already contains this toolbar");
  }
  TdxBar* old = toolbar_;
  toolbar_ = nullptr;
  if (old) ReleaseToolbar(old);
  if (Value) {
    toolbar_ = Value;
    tab->FreeNotification(Value);
    DockToolbar(Value);
  } else {
    Free();
  }
}

void TdxRibbonTabGroup::DockToolbar(TdxBar* Bar) {
  TdxRibbonTab* tab = Tab();
  TdxCustomRibbon* ribbon = tab ? tab->Ribbon() : nullptr;
  if (!tab || !Bar) return;
  if (ribbon && ribbon->ActiveTab() && ribbon->ActiveTab() != tab &&
      Bar->DockControl() == ribbon->ActiveTab()->GroupsDockControl())
    return;
  MoveBarToDockControl(Bar, tab->GroupsDockControl());
}

void TdxRibbonTabGroup::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TdxRibbonTabGroup*>(Source)) {
    SetCanCollapse(source->CanCollapse());
    SetToolBar(source->ToolBar());
    return;
  }
  TCollectionItem::Assign(Source);
}

TdxRibbonTabGroups::TdxRibbonTabGroups(TdxRibbonTab* ATab)
    : TCollection(ATab->GroupClass()), tab_(ATab) {}

TPersistent* TdxRibbonTabGroups::GetOwner() { return tab_; }

// ---- tabs ---------------------------------------------------------------------------------------

TdxRibbonTab::TdxRibbonTab(TComponent* AOwner) : TcxComponentCollectionItem(AOwner) {
  groupsDockControl_ = new TdxRibbonGroupsDockControl(this);
  groups_.reset(new TdxRibbonTabGroups(this));
}

TdxRibbonTab::~TdxRibbonTab() = default;

void TdxRibbonTab::BeforeDestruction() {
  lastIndex_ = Collection() ? Collection()->IndexOf(this) : -1;
  groups_.reset();
  TcxComponentCollectionItem::BeforeDestruction();
  if (groupsDockControl_) groupsDockControl_->Free();
  groupsDockControl_ = nullptr;
}

TcxComponentCollection* TdxRibbonTab::CollectionOfParent(TComponent* AParent) {
  auto* ribbon = dynamic_cast<TdxCustomRibbon*>(AParent);
  return ribbon ? ribbon->Tabs() : nullptr;
}

bool TdxRibbonTab::Active() const { return ribbon_ && ribbon_->ActiveTab() == this; }

void TdxRibbonTab::SetActive(bool Value) {
  if (!ribbon_) return;
  if (Value)
    ribbon_->SetActiveTab(this);
  else if (Active())
    ribbon_->SetActiveTab(nullptr);
}

void TdxRibbonTab::SetCaption(const String& Value) {
  if (caption_ == Value) return;
  caption_ = Value;
  Changed();
}

void TdxRibbonTab::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  if (!Value && Active()) ribbon_->ActivateNearestVisibleTab(this);
  Changed();
}

int TdxRibbonTab::VisibleIndex() const {
  if (!visible_ || !ribbon_) return -1;
  int index = 0;
  for (int i = 0; i < ribbon_->Tabs()->ItemCount(); ++i) {
    TdxRibbonTab* tab = ribbon_->Tabs()->TabAt(i);
    if (tab == this) return index;
    if (tab->Visible()) ++index;
  }
  return -1;
}

void TdxRibbonTab::SetName(const String& NewName) {
  const String old = Name();
  TcxComponentCollectionItem::SetName(NewName);
  const bool loading = ComponentState().Contains(csLoading) || (ribbon_ && ribbon_->IsLoading());
  if (!loading && caption_ == old) SetCaption(NewName);
}

String TdxRibbonTab::GetDisplayName() const { return Format(L"%s - '%s'", {Name(), caption_}); }

void TdxRibbonTab::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxRibbonTab*>(Source);
  if (!source) {
    TcxComponentCollectionItem::Assign(Source);
    return;
  }
  if (ribbon_) ribbon_->BeginUpdate();
  try {
    SetCaption(source->Caption());
    SetKeyTip(source->KeyTip());
    SetVisible(source->Visible());
    while (groups_->Count() > 0) groups_->GroupAt(groups_->Count() - 1)->Free();
    for (int i = 0; i < source->Groups()->Count(); ++i) groups_->Add()->Assign(source->Groups()->GroupAt(i));
    if (source->Active()) SetActive(true);
  } catch (...) {
    if (ribbon_) ribbon_->EndUpdate();
    throw;
  }
  if (ribbon_) ribbon_->EndUpdate();
}

void TdxRibbonTab::Loaded() {
  TcxComponentCollectionItem::Loaded();
  for (int i = groups_->Count() - 1; i >= 0; --i) groups_->GroupAt(i)->ResolveLoadedToolbar();
}

void TdxRibbonTab::Notification(TComponent* AComponent, TOperation Operation) {
  TcxComponentCollectionItem::Notification(AComponent, Operation);
  if (Operation != opRemove || IsBeingFreed(this) || !groups_) return;
  for (int i = groups_->Count() - 1; i >= 0; --i) {
    TdxRibbonTabGroup* group = groups_->GroupAt(i);
    if (group->toolbar_ == AComponent) {
      group->toolbar_ = nullptr;
      group->Free();
    }
  }
}

void TdxRibbonTab::Changed() {
  if (ribbon_) ribbon_->Changed();
}

void TdxRibbonTab::Activate() {
  visible_ = true;
  if (!ribbon_) return;
  if (!ribbon_->ShowTabGroups()) {
    DockToolbars();
    return;
  }
  UpdateDockControl();
  DockToolbars();
  if (!ribbon_->Hidden()) groupsDockControl_->SetVisible(true);
}

void TdxRibbonTab::Deactivate() {
  if (!IsBeingFreed(this) && groupsDockControl_) groupsDockControl_->SetVisible(false);
}

TCollectionItemClass TdxRibbonTab::GroupClass() const { return &TdxRibbonTabGroup::ClassInfo(); }

void TdxRibbonTab::UpdateGroupsLayout() {
  if (groupsDockControl_ && groupsDockControl_->HandleAllocated()) groupsDockControl_->Invalidate();
}

void TdxRibbonTab::UpdateDockControl() {
  if (!ribbon_ || ribbon_->IsLocked()) return;
  // In the minimised ribbon's popup the dock fills the popup's site.
  if (ribbon_->TabGroupsPopupShowing() && Active()) {
    groupsDockControl_->Recalculate(GetDockControlBounds());
    return;
  }
  const bool show = visible_ && !ribbon_->Hidden() && ribbon_->ShowTabGroups() && Active();
  groupsDockControl_->SetVisible(show);
  if (show) groupsDockControl_->Recalculate(GetDockControlBounds());
}

TRect TdxRibbonTab::GetDockControlBounds() {
  return ribbon_ ? ribbon_->GroupsDockControlSite()->DockControlBounds() : TRect{};
}

void TdxRibbonTab::DockToolbars() {
  for (int i = 0; i < groups_->Count(); ++i) groups_->GroupAt(i)->DockToolbar(groups_->GroupAt(i)->toolbar_);
}

TdxRibbonTabCollection::TdxRibbonTabCollection(TdxCustomRibbon* ARibbon)
    : TcxComponentCollection(ARibbon, ARibbon->TabClass()), ribbon_(ARibbon) {}

void TdxRibbonTabCollection::AssignItemName(TcxComponentCollectionItem* AItem) {
  if (ribbon_->Owner()) AItem->SetName(MakeUniqueItemName(ribbon_->Owner(), ribbon_, AItem, L"Tdx", nullptr));
}

void TdxRibbonTabCollection::ItemNotification(TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction) {
  TcxComponentCollection::ItemNotification(AItem, AAction);
  auto* tab = static_cast<TdxRibbonTab*>(AItem);
  switch (AAction) {
    case cckAdded:
      ribbon_->TabAdded(tab);
      break;
    case cckRemoved:
      ribbon_->TabRemoved(tab);
      break;
    case cckChanged:
      if (!ribbon_->IsLocked()) ribbon_->Changed();
      break;
    default:
      break;
  }
}

// ---- fonts --------------------------------------------------------------------------------------

TdxRibbonFonts::TdxRibbonFonts(TdxCustomRibbon* ARibbon) : ribbon_(ARibbon) {
  captionFont_.reset(new TFont());
  resultFont_.reset(new TFont());
  for (auto& font : fonts_) {
    font.reset(new TFont());
    font->OnChange = TNotifyEvent(this, &TdxRibbonFonts::FontChanged);
  }
}

TdxRibbonFonts::~TdxRibbonFonts() {
  for (auto& font : fonts_)
    if (font) font->OnChange = nullptr;
}

void TdxRibbonFonts::SetAssignedFonts(TdxRibbonAssignedFonts Value) {
  if (assignedFonts_ == Value) return;
  assignedFonts_ = Value;
  UpdateFonts();
  ribbon_->Changed();
}

void TdxRibbonFonts::SetDocumentNameColor(TColor Value) {
  if (documentNameColor_ == Value) return;
  documentNameColor_ = Value;
  ribbon_->RedrawForm();
}

void TdxRibbonFonts::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxRibbonFonts*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  ribbon_->BeginUpdate();
  try {
    SetDocumentNameColor(source->DocumentNameColor());
    for (int i = 0; i < 3; ++i) fonts_[i]->Assign(source->fonts_[i].get());
    SetAssignedFonts(source->AssignedFonts());
  } catch (...) {
    ribbon_->EndUpdate();
    throw;
  }
  ribbon_->EndUpdate();
}

void TdxRibbonFonts::UpdateFonts() {
  const NONCLIENTMETRICSW metrics = GetNonClientMetrics();
  captionFont_->SetHandle(CreateFontIndirectW(&metrics.lfCaptionFont));
  const bool wasLocked = locked_;
  locked_ = true;
  try {
    for (int i = 0; i < 3; ++i) {
      const auto which = TdxRibbonAssignedFont(i);
      if (assignedFonts_.Contains(which)) continue;
      fonts_[i]->Assign(ribbon_->Font());
      if (ribbon_->BarManagerUsable()) fonts_[i]->Assign(ribbon_->BarManager()->Font());
      if (TdxCustomRibbonSkin* skin = ribbon_->ColorScheme()) {
        if (which == afGroup) fonts_[i]->SetColor(skin->PartColorOf(kGroupFontColor, 0));
        if (which == afGroupHeader) fonts_[i]->SetColor(skin->PartColorOf(kGroupHeaderFontColor, 0));
      }
    }
  } catch (...) {
    locked_ = wasLocked;
    throw;
  }
  locked_ = wasLocked;
}

void TdxRibbonFonts::FontChanged(TObject* Sender) {
  if (locked_ || ribbon_->IsLoading()) return;
  ribbon_->BeginUpdate();
  try {
    for (int i = 0; i < 3; ++i)
      if (fonts_[i].get() == Sender) assignedFonts_.Include(TdxRibbonAssignedFont(i));
    ribbon_->Changed();
  } catch (...) {
    ribbon_->EndUpdate();
    throw;
  }
  ribbon_->EndUpdate();
  if (ribbon_->ActiveTab() && ribbon_->Visible()) ribbon_->ActiveTab()->UpdateGroupsLayout();
  ribbon_->RedrawForm();
}

TFont* TdxRibbonFonts::GetFormCaptionFont(bool IsActive) {
  resultFont_->Assign(captionFont_.get());
  if (TdxCustomRibbonSkin* skin = ribbon_->ColorScheme())
    resultFont_->SetColor(skin->PartColorOf(kCaptionFontColor, IsActive ? 0 : 1));
  return resultFont_.get();
}

TFont* TdxRibbonFonts::GetGroupFont() {
  resultFont_->Assign(fonts_[afGroup].get());
  return resultFont_.get();
}

TFont* TdxRibbonFonts::GetGroupHeaderFont() {
  resultFont_->Assign(fonts_[afGroupHeader].get());
  if (TdxCustomRibbonSkin* skin = ribbon_->ColorScheme())
    resultFont_->SetColor(skin->PartColorOf(kGroupHeaderFontColor, 0));
  return resultFont_.get();
}

TFont* TdxRibbonFonts::GetTabHeaderFont(int State) {
  resultFont_->Assign(fonts_[afTabHeader].get());
  if (TdxCustomRibbonSkin* skin = ribbon_->ColorScheme())
    resultFont_->SetColor(skin->PartColorOf(kTabHeaderFontColor, State));
  return resultFont_.get();
}

// ---- quick-access toolbar settings --------------------------------------------------------------

void TdxRibbonQuickAccessToolbar::SetPosition(TdxQuickAccessToolbarPosition Value) {
  if (position_ == Value) return;
  position_ = Value;
  ribbon_->Changed();
}

void TdxRibbonQuickAccessToolbar::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  ribbon_->Changed();
}

void TdxRibbonQuickAccessToolbar::SetToolbar(TdxBar* Value) {
  if (toolbar_ == Value) return;
  ribbon_->BeginUpdate();
  try {
    if (toolbar_) {
      if (!IsBeingFreed(toolbar_)) {
        ribbon_->RemoveFreeNotification(toolbar_);
        UndockBarCompletely(toolbar_);
      }
    }
    toolbar_ = nullptr;
    if (Value) {
      // The groups that show the new toolbar disappear.
      for (int i = 0; i < ribbon_->Tabs()->ItemCount(); ++i) {
        TdxRibbonTabGroups* groups = ribbon_->Tabs()->TabAt(i)->Groups();
        for (int j = groups->Count() - 1; j >= 0; --j)
          if (groups->GroupAt(j)->ToolBar() == Value) groups->GroupAt(j)->SetToolBar(nullptr);
      }
      toolbar_ = Value;
      ribbon_->FreeNotification(Value);
    }
  } catch (...) {
    ribbon_->EndUpdate();
    throw;
  }
  ribbon_->EndUpdate();
  ribbon_->Changed();
}

void TdxRibbonQuickAccessToolbar::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxRibbonQuickAccessToolbar*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  ribbon_->BeginUpdate();
  try {
    SetPosition(source->Position());
    SetVisible(source->Visible());
    SetToolbar(source->Toolbar());
  } catch (...) {
    ribbon_->EndUpdate();
    throw;
  }
  ribbon_->EndUpdate();
}

// ---- the ribbon ---------------------------------------------------------------------------------

TComponent* TdxCustomRibbon::CheckOwner(TComponent* AOwner, TClass ARibbonClass) {
  const String name = ARibbonClass->ClassName();
  if (!GdiPlusAvailable()) throw Exception(Format(L"%s requires the GDI+ library to be installed", {name}));
  TComponent* owner = AOwner ? AOwner : static_cast<TComponent*>(Application->MainForm());
  if (!dynamic_cast<TCustomForm*>(owner))
    throw Exception(Format(L"%s should have TCustomForm as its Owner", {name}));
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (owner->Components(i)->InheritsFrom(ARibbonClass))
      throw Exception(Format(L"There should be only one %s instance on the form", {name}));
  return owner;
}

TdxCustomRibbon::TdxCustomRibbon(TComponent* AOwner, TClass ARibbonClass)
    : TcxControl(CheckOwner(AOwner, ARibbonClass)) {
  DoubleBuffered = true;
  suppressDesignerNotify_ = true;
  fonts_.reset(new TdxRibbonFonts(this));
  tabs_.reset(new TdxRibbonTabCollection(this));
  quickAccessToolbar_.reset(new TdxRibbonQuickAccessToolbar(this));
  applicationButton_ = std::make_unique<TdxRibbonApplicationButton>(this);
  fader_ = std::make_unique<TdxFader>();
  colorSchemeHandlers_.reset(new TcxEventHandlerCollection());
  groupsDockControlSite_ = new TdxRibbonGroupsDockControlSite(this);
  groupsDockControlSite_->SetParent(this);
  controller_.reset(new TdxRibbonController(this));
  SetAlign(alTop);
  TdxBarSkinManager* skins = BarSkinManager();
  for (int i = 0; i < skins->SkinCount(); ++i)
    if (auto* skin = dynamic_cast<TdxCustomRibbonSkin*>(skins->Skins(i))) {
      colorScheme_ = skin;
      break;
    }
  suppressDesignerNotify_ = false;
}

TdxCustomRibbon::~TdxCustomRibbon() = default;

void TdxCustomRibbon::AddStatusBar(TObject* AStatusBar) {
  if (std::find(statusBars_.begin(), statusBars_.end(), AStatusBar) == statusBars_.end())
    statusBars_.push_back(AStatusBar);
}

void TdxCustomRibbon::RemoveStatusBar(TObject* AStatusBar) { std::erase(statusBars_, AStatusBar); }

void TdxCustomRibbon::BeforeDestruction() {
  TcxControl::BeforeDestruction();
  if (tabGroupsPopup_) tabGroupsPopup_->Free();
  tabGroupsPopup_ = nullptr;
  ClearPopupButtons();
  controller_.reset();
  SetBarManager(nullptr);
  hotObject_ = nullptr;
  fader_.reset();
  if (quickAccessToolbar_ && quickAccessToolbar_->toolbar_) {
    RemoveFreeNotification(quickAccessToolbar_->toolbar_);
    quickAccessToolbar_->toolbar_ = nullptr;
  }
  tabs_.reset();
  activeTab_ = nullptr;
  colorSchemeHandlers_.reset();
}

TComponentClass TdxCustomRibbon::TabClass() const { return &TdxRibbonTab::ClassInfo(); }

bool TdxCustomRibbon::BarManagerUsable() const { return barManager_ && !IsBeingFreed(barManager_); }

void TdxCustomRibbon::RegisterLayoutHandlers(bool Register) {
  if (!BarManagerUsable()) return;
  const TcxEventHandler read(this, &TdxCustomRibbon::LayoutRead);
  const TcxEventHandler write(this, &TdxCustomRibbon::LayoutWritten);
  const TcxEventHandler font(this, &TdxCustomRibbon::SystemFontChanged);
  if (Register) {
    barManager_->ReadIniFileHandlers()->AddHandler(read);
    barManager_->WriteIniFileHandlers()->AddHandler(write);
    barManager_->SystemFontChangedHandlers()->AddHandler(font);
  } else {
    barManager_->ReadIniFileHandlers()->RemoveHandler(read);
    barManager_->WriteIniFileHandlers()->RemoveHandler(write);
    barManager_->SystemFontChangedHandlers()->RemoveHandler(font);
  }
}

void TdxCustomRibbon::SetBarManager(TdxBarManager* Value) {
  if (barManager_ == Value) return;
  TdxBarManager* old = barManager_;
  const bool oldUsable = BarManagerUsable();
  if (oldUsable) {
    RegisterLayoutHandlers(false);
    RemoveFreeNotification(old);
  }
  // Groups whose toolbars belong to the old manager let them go before the manager changes.
  if (tabs_)
    for (int i = 0; i < tabs_->ItemCount(); ++i) {
      TdxRibbonTabGroups* groups = tabs_->TabAt(i)->Groups();
      for (int j = groups->Count() - 1; j >= 0; --j)
        if (groups->GroupAt(j)->toolbar_ && (!Value || groups->GroupAt(j)->toolbar_->BarManager() != Value))
          groups->GroupAt(j)->SetToolBar(nullptr);
    }
  barManager_ = Value;
  if (BarManagerUsable()) {
    FreeNotification(barManager_);
    fonts_->UpdateFonts();
    RegisterLayoutHandlers(true);
  }
  if (tabs_)
    for (int i = 0; i < tabs_->ItemCount(); ++i) {
      TdxRibbonTab* tab = tabs_->TabAt(i);
      tab->GroupsDockControl()->SetBarManager(BarManagerUsable() ? barManager_ : nullptr);
      tab->DockToolbars();
    }
  Changed();
}

void TdxCustomRibbon::Notification(TComponent* AComponent, TOperation Operation) {
  TcxControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == barManager_) {
    RegisterLayoutHandlers(false);
    barManager_ = nullptr;
    if (tabs_)
      for (int i = 0; i < tabs_->ItemCount(); ++i) tabs_->TabAt(i)->GroupsDockControl()->SetBarManager(nullptr);
  }
  if (quickAccessToolbar_ && AComponent == quickAccessToolbar_->toolbar_) quickAccessToolbar_->toolbar_ = nullptr;
}

void TdxCustomRibbon::LayoutRead(TObject*, const void* Args) {
  const auto* data = static_cast<const TdxBarIniFileEventData*>(Args);
  if (data && data->IniFile) LoadRibbonLayout(*data->IniFile, data->BaseSection);
}

void TdxCustomRibbon::LayoutWritten(TObject*, const void* Args) {
  const auto* data = static_cast<const TdxBarIniFileEventData*>(Args);
  if (data && data->IniFile) SaveRibbonLayout(*data->IniFile, data->BaseSection);
}

void TdxCustomRibbon::SystemFontChanged(TObject*, const void*) {
  BeginUpdate();
  try {
    fonts_->UpdateFonts();
    if (activeTab_) activeTab_->UpdateGroupsLayout();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TdxCustomRibbon::GetRibbonIniSection(const String& BaseSection) const {
  String section = Name();
  for (TComponent* owner = Owner(); owner && !owner->Name().empty(); owner = owner->Owner())
    section = owner->Name() + L"_" + section;
  return BaseSection + section;
}

void TdxCustomRibbon::SaveRibbonLayout(TCustomIniFile& Store, const String& BaseSection) {
  const String section = GetRibbonIniSection(BaseSection);
  Store.WriteInteger(section, L"QuickAccessToolbarPosition", int(quickAccessToolbar_->Position()));
  Store.WriteBool(section, L"ShowTabGroups", showTabGroups_);
}

void TdxCustomRibbon::LoadRibbonLayout(TCustomIniFile& Store, const String& BaseSection) {
  const String section = GetRibbonIniSection(BaseSection);
  if (!Store.SectionExists(section)) return;
  // A position other than above (0) or below (1) leaves the toolbar where it stands.
  const int position = Store.ReadInteger(section, L"QuickAccessToolbarPosition", 0);
  if (position == 0 || position == 1) quickAccessToolbar_->SetPosition(TdxQuickAccessToolbarPosition(position));
  SetShowTabGroups(Store.ReadBool(section, L"ShowTabGroups", true));
}

String TdxCustomRibbon::ColorSchemeName() const { return colorScheme_ ? colorScheme_->SkinName() : String(); }

void TdxCustomRibbon::SetColorSchemeName(const String& Value) {
  auto* skin = dynamic_cast<TdxCustomRibbonSkin*>(BarSkinManager()->SkinByName(Value));
  if (!skin || skin == colorScheme_) return;
  colorScheme_ = skin;
  ColorSchemeChanged();
}

void TdxCustomRibbon::ColorSchemeChanged() {
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  const bool freeze = form && form->HandleAllocated() && form->Visible();
  if (freeze) SendMessageW(form->Handle(), WM_SETREDRAW, FALSE, 0);
  auto finish = [&] {
    if (colorSchemeHandlers_) colorSchemeHandlers_->CallAll(this, nullptr);
    if (freeze) {
      SendMessageW(form->Handle(), WM_SETREDRAW, TRUE, 0);
      RedrawWindow(form->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
  };
  try {
    fonts_->UpdateFonts();
    Changed();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TdxCustomRibbon::SetDocumentName(const String& Value) {
  if (documentName_ == Value) return;
  documentName_ = Value;
  Changed();
}

void TdxCustomRibbon::SetShowTabGroups(bool Value) {
  if (showTabGroups_ == Value) return;
  showTabGroups_ = Value;
  CloseTabGroupsPopup();
  if (!Value && activeTab_) activeTab_->GroupsDockControl()->SetVisible(false);
  Changed();
}

void TdxCustomRibbon::SetShowTabHeaders(bool Value) {
  if (showTabHeaders_ == Value) return;
  showTabHeaders_ = Value;
  CloseTabGroupsPopup();
  Changed();
  if (HandleAllocated()) RedrawWithChildren();
}

void TdxCustomRibbon::SetPopupMenuItems(TdxRibbonPopupMenuItems Value) {
  if (popupMenuItems_ == Value) return;
  popupMenuItems_ = Value;
  Changed();
}

void TdxCustomRibbon::BeginUpdate() { ++lockCount_; }

void TdxCustomRibbon::EndUpdate() {
  if (lockCount_ == 0) return;
  if (--lockCount_ == 0 && changePending_) Changed();
}

bool TdxCustomRibbon::IsLocked() const {
  return lockCount_ > 0 || !HandleAllocated() || !Showing() || IsLoading() || IsBeingDestroyed();
}

void TdxCustomRibbon::Changed() {
  if (IsLocked()) {
    // Only the update lock keeps the request: a ribbon without a window lays itself out when it shows.
    changePending_ = lockCount_ > 0;
    return;
  }
  changePending_ = false;
  Calculate();
}

void TdxCustomRibbon::Calculate() {
  if (calculating_) return;
  calculating_ = true;
  try {
    if (fader_ && !IsDesigning()) fader_->CompleteAll();
    ViewInfo()->ComputeLayout(ClientRect());
  } catch (...) {
    calculating_ = false;
    throw;
  }
  calculating_ = false;
  Invalidate();
}

// ---- layout and painting ----------------------------------------------------------------------

TdxRibbonPainter* TdxCustomRibbon::CreateRibbonPainter() { return new TdxRibbonPainter(this); }

TdxRibbonBarPainter* TdxCustomRibbon::CreateGroupsPainter() { return TdxRibbonBarPainter::CreatePainter(this); }

TdxRibbonViewInfo* TdxCustomRibbon::CreateViewInfo() { return new TdxRibbonViewInfo(this); }

// The painters and the view info come from the factory slots on first use, so that a descendant's
// own slots are the ones asked.
TdxRibbonViewInfo* TdxCustomRibbon::ViewInfo() {
  if (!viewInfo_) viewInfo_.reset(CreateViewInfo());
  return viewInfo_.get();
}

TdxRibbonPainter* TdxCustomRibbon::Painter() {
  if (!painter_) painter_.reset(CreateRibbonPainter());
  return painter_.get();
}

TdxRibbonBarPainter* TdxCustomRibbon::GroupsPainter() {
  if (!groupsPainter_) groupsPainter_.reset(CreateGroupsPainter());
  return groupsPainter_.get();
}

void TdxCustomRibbon::SetApplicationButtonState(Byte Value) {
  if (applicationButtonState_ == Value) return;
  applicationButtonState_ = Value;
  if (HandleAllocated()) InvalidateArea(Handle(), ViewInfo()->ApplicationButtonBounds(), false);
}

void TdxCustomRibbon::SetHotObject(TObject* Value) {
  if (hotObject_ == Value) return;
  const bool fade = FadingEnabled() && fader_ && !IsLocked() && !IsDesigning();
  if (fade && hotObject_) fader_->FadeOut(hotObject_);
  hotObject_ = Value;
  if (fade && hotObject_) fader_->FadeIn(hotObject_);
  if (!fade) ViewInfo()->InvalidateTabs();
}

int TdxCustomRibbon::GroupCaptionHeight() { return GroupsPainter()->GroupCaptionHeight(fonts_->GetGroupHeaderFont()); }

int TdxCustomRibbon::ItemRowHeight() {
  TcxScreenCanvas* canvas = ScreenCanvas();
  canvas->UseFont(fonts_->GetGroupFont());
  return GroupsPainter()->TextRowHeightFor(canvas);
}

int TdxCustomRibbon::GroupHeight() {
  const TRect margins = ContentMarginsOf(1);
  return GroupContentHeight() + margins.top + margins.bottom;
}

TSize TdxCustomRibbon::QuickAccessBarSize(int /*MaxWidth*/) { return TSize{0, ItemRowHeight()}; }

bool TdxCustomRibbon::CanResize(int& NewWidth, int& NewHeight) {
  const bool result = TcxControl::CanResize(NewWidth, NewHeight);
  if (viewInfo_ && viewInfo_->RibbonHeight() > 0) NewHeight = viewInfo_->RibbonHeight();
  return result;
}

void TdxCustomRibbon::Resize() {
  TcxControl::Resize();
  // The height the layout itself sets needs no second layout.
  if (!calculating_) Changed();
}

void TdxCustomRibbon::Paint() {
  if (IsLoading() || IsBeingDestroyed()) return;
  ViewInfo()->Paint(cxCanvas());
}

void TdxCustomRibbon::TabGroupCollapsed(TdxRibbonTab* ATab, TdxRibbonTabGroup* AGroup) {
  if (OnTabGroupCollapsed) OnTabGroupCollapsed(this, ATab, AGroup);
}

void TdxCustomRibbon::TabGroupExpanded(TdxRibbonTab* ATab, TdxRibbonTabGroup* AGroup) {
  if (OnTabGroupExpanded) OnTabGroupExpanded(this, ATab, AGroup);
}

void TdxCustomRibbon::CreateWindowHandle(const TCreateParams& Params) {
  TcxControl::CreateWindowHandle(Params);
  if (!ComponentState().Contains(csDesigning)) InstallRibbonMouseHook();
}

void TdxCustomRibbon::RedrawForm() {
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  if (form && form->HandleAllocated()) RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool TdxCustomRibbon::CanChangeTab(TdxRibbonTab* ATab) {
  bool allow = true;
  if (OnTabChanging) OnTabChanging(this, ATab, allow);
  return allow;
}

void TdxCustomRibbon::TabChanged() {
  if (OnTabChanged) OnTabChanged(this);
}

void TdxCustomRibbon::SetActiveTab(TdxRibbonTab* Value) {
  if (Value == activeTab_ || IsBeingDestroyed()) return;
  if (!CanChangeTab(Value)) return;
  CloseTabGroupsPopup();
  if (activeTab_) activeTab_->Deactivate();
  activeTab_ = Value;
  auto finish = [&] { Changed(); };
  try {
    if (Value) Value->Activate();
    Changed();
    TabChanged();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TdxCustomRibbon::ActivateNearestVisibleTab(TdxRibbonTab* ATab) {
  const bool destroying = ATab && IsBeingFreed(ATab);
  int index = 0;
  if (ATab) index = destroying ? ATab->LastIndex() : tabs_->IndexOf(ATab);
  index = std::max(index, 0);
  TdxRibbonTab* found = nullptr;
  for (int i = index; i < tabs_->ItemCount() && !found; ++i)
    if (tabs_->TabAt(i) != ATab && tabs_->TabAt(i)->Visible()) found = tabs_->TabAt(i);
  for (int i = std::min(index - 1, tabs_->ItemCount() - 1); i >= 0 && !found; --i)
    if (tabs_->TabAt(i) != ATab && tabs_->TabAt(i)->Visible()) found = tabs_->TabAt(i);
  const bool wasSuppressed = suppressDesignerNotify_;
  if (destroying) suppressDesignerNotify_ = true;
  try {
    SetActiveTab(found);
  } catch (...) {
    suppressDesignerNotify_ = wasSuppressed;
    throw;
  }
  suppressDesignerNotify_ = wasSuppressed;
}

void TdxCustomRibbon::TabAdded(TdxRibbonTab* ATab) {
  ATab->ribbon_ = this;
  ATab->GroupsDockControl()->SetBarManager(BarManagerUsable() ? barManager_ : nullptr);
  ATab->GroupsDockControl()->SetParent(groupsDockControlSite_);
  if (!activeTab_) SetActiveTab(ATab);
  Changed();
}

void TdxCustomRibbon::TabRemoved(TdxRibbonTab* ATab) {
  if (ATab == activeTab_) {
    if (IsBeingDestroyed()) {
      activeTab_ = nullptr;
    } else {
      ActivateNearestVisibleTab(ATab);
      // A veto cannot keep a removed tab active.
      if (activeTab_ == ATab) activeTab_ = nullptr;
    }
  }
  if (ATab->GroupsDockControl()) ATab->GroupsDockControl()->SetParent(nullptr);
  if (viewInfo_) viewInfo_->Tabs()->Remove(ATab);
  if (hotObject_ == ATab) hotObject_ = nullptr;
  ATab->ribbon_ = nullptr;
  Changed();
}

void TdxCustomRibbon::FormKeyDown(Word& Key, TShiftState Shift) {
  if (IsBeingDestroyed() || !HandleAllocated()) return;
  if (Key == VK_F1 && Shift.Contains(ssCtrl)) {
    if (!TabGroupsPopupShowing()) SetShowTabGroups(!showTabGroups_);
    Key = 0;
  }
}

void TdxCustomRibbon::Loaded() {
  BeginUpdate();
  try {
    TcxControl::Loaded();
    if (activeTab_) activeTab_->DockToolbars();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxCustomRibbon::GetChildren(TGetChildProc Proc, TComponent* Root) {
  (void)Root;
  for (int i = 0; i < tabs_->ItemCount(); ++i) Proc(tabs_->TabAt(i));
}
