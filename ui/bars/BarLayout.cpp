// The manager's side of toolbars and dock sites: the registered sites, docking decisions, the
// restoring list, the end of loading and the redraw pass, the layout format (registry and INI), the
// saved initial layout, and the operations the customizing code calls.

#include <algorithm>

#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/Bars.h"
#include "ui/bars/DockControl.h"
#include "ui/bars/customize/DesignController.h"
#include "ui/bars/customize/NameDialog.h"

// ---- dock sites ---------------------------------------------------------------------------------

void TdxBarManager::AddDockControl(TdxDockControl* Site) {
  if (std::find(dockControls_.begin(), dockControls_.end(), Site) == dockControls_.end())
    dockControls_.push_back(Site);
}

void TdxBarManager::RemoveDockControl(TdxDockControl* Site) {
  dockControls_.erase(std::remove(dockControls_.begin(), dockControls_.end(), Site), dockControls_.end());
  if (bars_) {
    bars_->ForgetSite(Site);
    // Toolbars on a user site that leaves the manager lose it.
    for (int i = 0; i < bars_->Count(); ++i) {
      TdxBar* bar = bars_->BarAt(i);
      if (static_cast<TdxDockControl*>(bar->DockControl()) == Site && !BeingDestroyed()) bar->SetDockControl(nullptr);
      if (static_cast<TdxDockControl*>(bar->DockedDockControl()) == Site) bar->SetDockedDockControl(nullptr);
      if (bar->DockRow() && bar->DockRow()->DockControl() == Site) bar->ForgetDockRow();
    }
  }
}

bool TdxBarManager::CanDock(TdxBar* Bar, TdxBarDockingStyle Style, TdxDockControl* Site) {
  bool allowed;
  if (Bar && Bar->NotDocking().Contains(Style)) {
    allowed = false;
  } else if (Site && !Site->IsDefaultSite()) {
    allowed = Site->AllowsDocking(Bar);
  } else {
    allowed = !notDocking_.Contains(Style);
  }
  if (OnDocking) OnDocking(Bar, Style, static_cast<TdxBarDockControl*>(Site && !Site->IsDefaultSite() ? Site : nullptr), allowed);
  return allowed;
}

void TdxBarManager::DoBarDockingStyleChange(TdxBar* Bar) {
  if (OnBarDockingStyleChange) OnBarDockingStyleChange(this, Bar);
}

namespace {
const wchar_t kMessageWindowClass[] = L"TdxBarManagerMessageWindow";

LRESULT CALLBACK MessageWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  return DefWindowProcW(Window, Msg, WParam, LParam);
}
}  // namespace

HWND TdxBarManager::MessageWindow() {
  if (messageWindow_ && IsWindow(messageWindow_)) return messageWindow_;
  WNDCLASSW wc{};
  if (!GetClassInfoW(GetModuleHandleW(nullptr), kMessageWindowClass, &wc)) {
    wc.lpfnWndProc = &MessageWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kMessageWindowClass;
    RegisterClassW(&wc);
  }
  // A hidden top-level window: it keeps the capture while the toolbar's own window changes parent.
  messageWindow_ = CreateWindowExW(WS_EX_TOOLWINDOW, kMessageWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
  return messageWindow_;
}

// ---- the restoring list -------------------------------------------------------------------------

void TdxBarManager::FreeRestoringList() {
  hasRestoringList_ = false;
  restoringBars_.clear();
}

void TdxBarManager::AddRestoringBar(TdxBar* Bar) {
  if (!hasRestoringList_) return;
  if (std::find(restoringBars_.begin(), restoringBars_.end(), Bar) == restoringBars_.end())
    restoringBars_.push_back(Bar);
}

void TdxBarManager::RemoveRestoringBar(TdxBar* Bar) {
  restoringBars_.erase(std::remove(restoringBars_.begin(), restoringBars_.end(), Bar), restoringBars_.end());
}

int TdxBarManager::RestoringBarIndex(TdxBar* Bar) const {
  const auto it = std::find(restoringBars_.begin(), restoringBars_.end(), Bar);
  return it == restoringBars_.end() ? -1 : int(it - restoringBars_.begin());
}

void TdxBarManager::ShowRestoredBars(TdxDockControl* Site) {
  if (!Site) {
    for (TdxDockControl* site : dockControls_) {
      if (site->Parent() && !site->HandleAllocated()) site->HandleNeeded();
    }
  }
  restoringLayout_ = true;
  try {
    for (int i = int(restoringBars_.size()) - 1; i >= 0; --i) {
      if (i >= int(restoringBars_.size())) continue;
      TdxBar* bar = restoringBars_[i];
      TdxDockControl* site = bar->DockControl();
      const bool show = Site ? (site == Site && bar->DockingStyle() != dsNone) : (!site || site->HandleAllocated());
      if (!show) continue;
      RemoveRestoringBar(bar);
      bar->SetVisible(true);
    }
  } catch (...) {
    restoringLayout_ = false;
    throw;
  }
  restoringLayout_ = false;
  if (!Site && restoringBars_.empty()) FreeRestoringList();
}

// ---- the end of loading and the redraw pass -----------------------------------------------------

void TdxBarManager::FinishLoaded() {
  loadedPending_ = false;
  insideLoaded_ = true;
  try {
    if (bars_) {
      for (int i = 0; i < bars_->Count(); ++i) {
        if (TdxBarItemLinks* links = bars_->BarAt(i)->ItemLinks()) links->Loaded();
      }
    }
    placingBars_ = true;
    // Items take the visibility they read (an item still loading applies it in its own Loaded).
    for (int i = 0; i < ItemCount(); ++i) ItemAt(i)->ApplyLoadedVisible();
    if (bars_) {
      for (int i = 0; i < bars_->Count(); ++i) bars_->BarAt(i)->ApplyLoadedPlacement();
    }
    placingBars_ = false;
    savedLayout_.reset(new TMemIniFile(L""));
    writingInitialLayout_ = true;
    try {
      WriteLayout(*savedLayout_, IniBase(), false);
    } catch (...) {
      writingInitialLayout_ = false;
      throw;
    }
    writingInitialLayout_ = false;
    if (!IsDesigning()) {
      if (StoreInRegistry) ReadLayoutFromRegistry(registryPath_);
      if (StoreInIniFile) ReadLayoutFromIni(IniFileName);
    }
  } catch (...) {
    placingBars_ = false;
    insideLoaded_ = false;
    throw;
  }
  insideLoaded_ = false;
  for (int i = 0; i < categories_->Count(); ++i) {
    if (TdxBarCategoryData* data = categories_->Data(i)) SetCategoryItemsVisible(i, data->LoadedItemsVisible);
  }
  for (TdxDockControl* site : dockControls_) site->UpdateDockLayout();
}

void TdxBarManager::RedrawPass() {
  if (BeingDestroyed()) return;
  for (TdxDockControl* site : dockControls_) {
    site->DeleteEmptyRows();
    site->UpdateDockLayout();
  }
  if (!bars_) return;
  for (int i = 0; i < bars_->Count(); ++i) {
    TdxBar* bar = bars_->BarAt(i);
    if (!bar->NeedsRepaint()) continue;
    bar->ClearRepaintMark();
    if (TdxBarControl* window = bar->Control()) window->Relayout();
  }
}

// ---- the layout ---------------------------------------------------------------------------------

namespace {

String NormalisedRegistryPath(const String& Path) {
  if (Path.empty()) return Path;
  String result = Path;
  if (result.front() != L'\\') result.insert(result.begin(), L'\\');
  if (result.back() != L'\\') result.push_back(L'\\');
  return result;
}

// Booleans and enumerations read through a default of the current value: anything outside the
// enumeration keeps it.
int ReadEnum(TCustomIniFile& Store, const String& Section, const String& Key, int Current, int Last) {
  const int value = Store.ReadInteger(Section, Key, Current);
  return value >= 0 && value <= Last ? value : Current;
}

}  // namespace

String TdxBarManager::IniBase() const {
  String base = Name() + L".";
  for (TComponent* owner = Owner(); owner; owner = owner->Owner()) {
    if (owner->Name().empty()) break;
    base = owner->Name() + L"." + base;
    if (dynamic_cast<TCustomForm*>(owner)) break;
  }
  return base;
}

void TdxBarManager::WriteLayout(TCustomIniFile& Store, const String& Base, bool IsRegistry) {
  const int kind = IsRegistry ? 1 : 0;
  const String sep = IsRegistry ? L"\\" : L".";
  const String main = IsRegistry ? Base : Base + L"Main";
  // Erase everything under the base first (the registry's whole key tree included).
  TStringList sections;
  Store.ReadSections(sections);
  for (int i = 0; i < sections.Count(); ++i) {
    const String& name = sections.Strings(i);
    if (name.compare(0, Base.size(), Base) == 0) Store.EraseSection(name);
  }
  if (IsRegistry) Store.EraseSection(Base);

  Store.WriteInteger(main, L"Version", 35);
  if (EffectiveStyle() != bmsStandard) {
    Store.WriteBool(main, L"MenusShowRecentItemsFirst", menusShowRecentItemsFirst_);
    Store.WriteBool(main, L"ShowFullMenusAfterDelay", showFullMenusAfterDelay_);
  }
  Store.WriteBool(main, L"LargeIcons", LargeIcons());
  Store.WriteInteger(main, L"MenuAnimations", menuAnimations_);
  Store.WriteBool(main, L"ShowHint", showHint_);
  Store.WriteBool(main, L"ShowShortCutInHint", showShortCutInHint_);
  // Toolbars merged into another manager's toolbar are not written; the written ones are numbered
  // without gaps, so BarCount sections follow one another.
  std::vector<TdxBar*> written;
  if (bars_) {
    for (int i = 0; i < bars_->Count(); ++i) {
      TdxBar* bar = bars_->BarAt(i);
      TdxBar* into = bar->MergeData()->MergedWith;
      if (into && into->BarManager() != this) continue;
      written.push_back(bar);
    }
  }
  Store.WriteInteger(main, L"BarCount", int(written.size()));
  const String items = Base + L"Items";
  Store.WriteInteger(items, L"ItemCount", ItemCount());
  for (int i = 0; i < ItemCount(); ++i) Store.WriteBool(items, ItemAt(i)->Name(), true);
  for (size_t i = 0; i < written.size(); ++i) written[i]->WriteLayout(Store, Base, kind, int(i));
  for (int i = 0; i < ItemCount(); ++i) ItemAt(i)->SaveLayout(Store, Base, kind);
  TdxBarIniFileEventData data{&Store, IsRegistry ? 1 : 0, Base, sep};
  writeIniFileHandlers_->CallAll(this, &data);
}

void TdxBarManager::ReadLayout(TCustomIniFile& Store, const String& Base, bool IsRegistry) {
  const int kind = IsRegistry ? 1 : 0;
  const String sep = IsRegistry ? L"\\" : L".";
  const String main = IsRegistry ? Base : Base + L"Main";
  TStringList newNames;
  BeginBarsUpdate();
  const bool wasRestoring = restoringLayout_;
  restoringLayout_ = true;
  try {
    if (EffectiveStyle() != bmsStandard) {
      SetMenusShowRecentItemsFirst(Store.ReadBool(main, L"MenusShowRecentItemsFirst", menusShowRecentItemsFirst_));
      SetShowFullMenusAfterDelay(Store.ReadBool(main, L"ShowFullMenusAfterDelay", showFullMenusAfterDelay_));
    }
    SetLargeIcons(Store.ReadBool(main, L"LargeIcons", LargeIcons()));
    SetMenuAnimations(TdxBarMenuAnimations(ReadEnum(Store, main, L"MenuAnimations", menuAnimations_, maFade)));
    SetShowHint(Store.ReadBool(main, L"ShowHint", showHint_));
    SetShowShortCutInHint(Store.ReadBool(main, L"ShowShortCutInHint", showShortCutInHint_));
    const int barCount = Store.ReadInteger(main, L"BarCount", 0);
    const String items = Base + L"Items";
    if (Store.ReadInteger(items, L"ItemCount", -1) >= 0) {
      for (int i = 0; i < ItemCount(); ++i) {
        if (!Store.ReadBool(items, ItemAt(i)->Name(), false)) newNames.Add(ItemAt(i)->Name());
      }
      SetNewItemNames(&newNames);
    }
    if (barCount > 0 && bars_) {
      for (int i = 0; i < bars_->Count(); ++i) {
        bars_->BarAt(i)->SetVisible(false);
        bars_->BarAt(i)->LeaveDockRow();
      }
      // Only the sections present are read: a count beyond them makes no empty toolbars.
      for (int i = 0; i < barCount; ++i) {
        if (!Store.SectionExists(TdxBar::LayoutSectionName(Base, i))) break;
        while (bars_->Count() <= i) bars_->Add();
        bars_->BarAt(i)->ReadLayout(Store, Base, true, kind, i);
      }
    }
    for (int i = 0; i < ItemCount(); ++i) ItemAt(i)->LoadLayout(Store, Base, kind);
  } catch (...) {
    SetNewItemNames(nullptr);
    restoringLayout_ = wasRestoring;
    EndBarsUpdate(true);
    throw;
  }
  SetNewItemNames(nullptr);
  restoringLayout_ = wasRestoring;
  EndBarsUpdate(true);
  TdxBarIniFileEventData data{&Store, IsRegistry ? 1 : 0, Base, sep};
  readIniFileHandlers_->CallAll(this, &data);
}

void TdxBarManager::ReadLayoutFromRegistry(const String& Path) {
  const String base = NormalisedRegistryPath(Path);
  if (base.empty()) return;
  TRegistryIniFile store(base);
  ReadLayout(store, base, true);
}

void TdxBarManager::WriteLayoutToRegistry(const String& Path) {
  const String base = NormalisedRegistryPath(Path);
  if (base.empty()) return;
  TRegistryIniFile store(base);
  WriteLayout(store, base, true);
}

void TdxBarManager::ReadLayoutFromIni(const String& FileName) {
  if (FileName.empty() && !LayoutStream) return;
  TMemIniFile store(FileName);
  if (LayoutStream) {
    TStringList lines;
    lines.LoadFromStream(*LayoutStream);
    store.SetStrings(lines);
  }
  ReadLayout(store, IniBase(), false);
}

void TdxBarManager::WriteLayoutToIni(const String& FileName) {
  if (FileName.empty() && !LayoutStream) return;
  TMemIniFile store(FileName);
  WriteLayout(store, IniBase(), false);
  if (LayoutStream) {
    TStringList lines;
    store.GetStrings(lines);
    lines.SaveToStream(*LayoutStream);
  } else {
    store.UpdateFile();
  }
}

int TdxBarManager::SavedBarIndexByCaption(const String& Caption) const {
  if (!savedLayout_) return -1;
  const String base = IniBase();
  const int count = savedLayout_->ReadInteger(base + L"Main", L"BarCount", 0);
  for (int i = 0; i < count; ++i) {
    if (savedLayout_->ReadString(TdxBar::LayoutSectionName(base, i), L"Caption", L"\x0001") == Caption) return i;
  }
  return -1;
}

TdxBarDockControl* TdxBarManager::FindDockControl(const String& Path) const {
  if (Path.empty()) return nullptr;
  TComponent* found = nullptr;
  const size_t dot = Path.find(L'.');
  if (dot != String::npos) {
    found = FindGlobalComponentPath(Path);
  } else if (Owner()) {
    found = Owner()->FindComponent(Path);
  }
  return dynamic_cast<TdxBarDockControl*>(found);
}

// ---- the customizing operations -----------------------------------------------------------------

String TdxBarManager::UniqueBarCaption(const String& Prefix) const {
  for (int n = 1;; ++n) {
    const String caption = Prefix + std::to_wstring(n);
    bool used = false;
    for (int i = 0; bars_ && i < bars_->Count() && !used; ++i) used = bars_->BarAt(i)->Caption() == caption;
    if (!used) return caption;
  }
}

TdxBar* TdxBarManager::AddNewToolbar(bool IsMainMenu, bool AskName) {
  if (!bars_) return nullptr;
  String caption = UniqueBarCaption(dxBarString(dxbsCustomToolbarPrefix));
  if (AskName && !ExecuteBarNameDialog(caption, 0, 0, nullptr, this)) return nullptr;
  TdxBar* bar = nullptr;
  BeginBarsUpdate();
  bars_->LockUpdates();
  try {
    bar = bars_->Add();
    bar->SetCaption(caption);
    if (auto* owner = dynamic_cast<TControl*>(Owner())) {
      TRect bounds = owner->BoundsRect();
      if (auto* win = dynamic_cast<TWinControl*>(owner); win && win->HandleAllocated()) {
        RECT r{};
        GetWindowRect(win->Handle(), &r);
        bounds = r;
      }
      const TRect work = WorkAreaAt(TPoint{bounds.left, bounds.top});
      int left = bounds.left - 50;
      if (left < work.left) left = bounds.right + 10;
      int top = bounds.top;
      if (top < work.top) top = work.top + 10;
      bar->SetFloatLeft(left);
      bar->SetFloatTop(top);
    }
    bar->SetDockingStyle(dsTop);
    if (IsMainMenu) {
      bar->SetRow(0);
      bar->SetIsMainMenu(true);
      bar->SetVisible(true);
    } else {
      TdxDockControl* site = bar->EffectiveDockControl();
      bar->SetRow(site ? site->RowCount() : 0);
      bar->SetOneOnRow(true);
      bar->SetVisible(true);
      bar->SetOneOnRow(false);
    }
  } catch (...) {
    bars_->UnlockUpdates(false);
    EndBarsUpdate(true);
    throw;
  }
  if (TdxBarDesignController* design = DesignControllerInstance()) design->SelectPersistent(bar, soExclusive);
  bars_->UnlockUpdates(false);
  EndBarsUpdate(true);
  return bar;
}

void TdxBarManager::RenameBar(TdxBar* Bar) {
  if (!Bar) return;
  String caption = Bar->Caption();
  if (ExecuteBarNameDialog(caption, 0, 1, Bar, this)) Bar->SetCaption(caption);
}

void TdxBarManager::ResetBar(TdxBar* Bar) {
  if (Bar) Bar->ResetToSaved();
}

void TdxBarManager::ResetUsageData() {
  if (!savedLayout_) return;
  const String base = IniBase();
  BeginBarsUpdate();
  try {
    for (int i = 0; i < ItemCount(); ++i) ItemAt(i)->ResetUsageFromLayout(*savedLayout_, base);
    for (int i = 0; bars_ && i < bars_->Count(); ++i) {
      TdxBar* bar = bars_->BarAt(i);
      const int index = SavedBarIndexByCaption(bar->Caption());
      if (index >= 0) bar->ReadMostRecentlyUsedFlags(*savedLayout_, base, index);
    }
  } catch (...) {
    EndBarsUpdate(true);
    throw;
  }
  EndBarsUpdate(true);
}

bool TdxBarManager::AskResetUsageData() {
  if (ShowAppTitledMessage(dxBarString(dxbsResetUsageQuestion), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) return false;
  ResetUsageData();
  return true;
}

void TdxBarManager::DisableFloatingBars() {
  for (int i = 0; bars_ && i < bars_->Count(); ++i) {
    TdxBarControl* window = bars_->BarAt(i)->Control();
    if (!window || window->IsDocked() || !window->HandleAllocated() || !IsWindowEnabled(window->Handle())) continue;
    EnableWindow(window->Handle(), FALSE);
    disabledFloating_.push_back(window);
  }
}

void TdxBarManager::EnableFloatingBars() {
  for (TCustomdxBarControl* window : disabledFloating_) {
    if (IsLiveBarControl(window) && window->HandleAllocated()) EnableWindow(window->Handle(), TRUE);
  }
  disabledFloating_.clear();
}

void TdxBarManager::DisableBarWindows() {
  for (int i = 0; bars_ && i < bars_->Count(); ++i) {
    TdxBarControl* window = bars_->BarAt(i)->Control();
    if (!window || !window->HandleAllocated() || !IsWindowEnabled(window->Handle())) continue;
    EnableWindow(window->Handle(), FALSE);
    disabledWindows_.push_back(window);
  }
}

void TdxBarManager::ReenableBarWindows() {
  for (TCustomdxBarControl* window : disabledWindows_) {
    if (IsLiveBarControl(window) && window->HandleAllocated()) EnableWindow(window->Handle(), TRUE);
  }
  disabledWindows_.clear();
}

void TdxBarManager::UnmergeBars(TdxBarManager* Other, bool All) {
  if (!bars_) return;
  std::vector<TdxBar*> ownMerged;
  if (All) {
    for (int i = 0; i < bars_->Count(); ++i) {
      TdxBar* into = bars_->BarAt(i)->MergeData()->MergedWith;
      if (into && into->BarManager() == this) ownMerged.push_back(bars_->BarAt(i));
    }
    Other = nullptr;
  }
  for (int i = bars_->Count() - 1; i >= 0; --i) {
    if (i >= bars_->Count()) continue;
    TdxBar* bar = bars_->BarAt(i);
    TcxObjectLink* link = AcquireObjectLink(bar);
    if (All) {
      bar->SaveMergesForRemerge();
      if (bar->MergeData()->CreatedByMerging) bar->KeptWhenEmpty = true;
    }
    bar->UnmergeFromManager(Other, !All);
    if (link->Ref) bar->KeptWhenEmpty = false;
    ReleaseObjectLink(link);
  }
  for (TdxBar* bar : ownMerged) bar->SetVisibleKeepingOwnerBounds(bar->MergeData()->VisibleBeforeMerging);
}

void TdxBarManager::RemergeBars() {
  if (!bars_) return;
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < bars_->Count(); ++i) {
      TdxBar* bar = bars_->BarAt(i);
      if (bar->MergeData()->CreatedByMerging != (pass == 1)) continue;
      bar->Remerge();
      if (pass == 1) {
        bar->SetHidden(false);
        bar->SetVisibleKeepingOwnerBounds(bar->MergeData()->VisibleOfCreated);
      }
    }
  }
}

// ---- MDI child windows --------------------------------------------------------------------------

TCustomForm* TdxBarManager::RememberedMDIChild() const {
  return mdiChild_ ? static_cast<TCustomForm*>(mdiChild_->Ref) : nullptr;
}

void TdxBarManager::CheckMDIState() {
  auto* frame = dynamic_cast<TCustomForm*>(Owner());
  TCustomForm* child = frame && frame->FormStyle() == fsMDIForm && frame->ClientHandle() ? frame->ActiveMDIChild()
                                                                                          : nullptr;
  const bool maximized = child && child->HandleAllocated() && IsZoomed(child->Handle());
  const bool maximizedChanged = maximized != mdiMaximized_;
  mdiMaximized_ = maximized;
  TCustomForm* previous = RememberedMDIChild();
  // The current child is remembered first (weakly: a child freed meanwhile reads as none), so a
  // handler that runs the check again sees no change.
  if (mdiChild_) ReleaseObjectLink(mdiChild_);
  mdiChild_ = child ? AcquireObjectLink(child) : nullptr;
  TcxObjectLink* self = AcquireObjectLink(this);
  try {
    if (child != previous) {
      MDIStateChanged(1, previous);
      if (self->Ref) MDIStateChanged(0, child);
    } else if (maximizedChanged) {
      MDIStateChanged(2, child);
    }
    if (self->Ref && maximizedChanged && mainMenuBar_ && mainMenuBar_->Control()) mainMenuBar_->Control()->SettingsChanged();
  } catch (...) {
    ReleaseObjectLink(self);
    throw;
  }
  ReleaseObjectLink(self);
}

void TdxBarManager::MDIStateChanged(int Kind, TCustomForm* Child) {
  bool locked = false;
  auto lock = [&] {
    if (locked) return;
    BeginBarsUpdate();
    locked = true;
  };
  try {
    const bool maximized = Child && Child->HandleAllocated() && IsZoomed(Child->Handle());
    if (mainMenuBar_) {
      if (Kind != 1 && maximized) {
        lock();
        AddSystemMenuItem(Child);
      } else if ((Kind == 1 || (Kind == 2 && !maximized)) && HiddenItemCount() > 0) {
        lock();
        RemoveHiddenItems();
      }
    }
    enum { none, merge, unmerge } decision = none;
    if (Kind == 2 && AlwaysMerge)
      decision = none;
    else if (Kind != 1 && (AlwaysMerge || maximized))
      decision = merge;
    else if (Kind == 1 || (Kind == 2 && !maximized))
      decision = unmerge;
    TdxBarManager* childManager = Child ? FindBarManagerOwnedBy(Child) : nullptr;
    if (childManager == this) childManager = nullptr;
    TdxBar* childMenu = childManager ? childManager->MainMenuBar() : nullptr;
    if (mainMenuBar_ && childMenu && decision == merge) {
      lock();
      if (OnMenuMerge) {
        OnMenuMerge(this, childManager, true);
        TdxBarMergeData* data = childMenu->MergeData();
        if (!data->MergedWith) {
          data->MergedWith = mainMenuBar_;
          data->VisibleBeforeMerging = childMenu->Visible();
          mainMenuBar_->MergeData()->MergedBars.push_back(childMenu);
        }
        childMenu->SetVisible(false);
      } else if (childMenu->MergeData()->MergedWith != mainMenuBar_) {
        mainMenuBar_->Merge(childMenu, true);
      }
    } else if (mainMenuBar_ && childMenu && decision == unmerge) {
      lock();
      const std::vector<TdxBar*> merged = mainMenuBar_->MergeData()->MergedBars;
      mainMenuBar_->UnMerge(nullptr, false);
      if (OnMenuMerge) OnMenuMerge(this, childManager, false);
      for (TdxBar* bar : merged) bar->SetVisible(bar->MergeData()->VisibleBeforeMerging);
    }
    if (OnMerge && childManager && decision != none) OnMerge(this, childManager, decision == merge);
    TdxBarMDIStateChangeEventData data{Kind, Child};
    MDIStateChangedHandlers()->CallAll(this, &data);
  } catch (...) {
    if (locked) EndBarsUpdate(true);
    throw;
  }
  if (locked) EndBarsUpdate(true);
}
