#include "ui/bars/Bars.h"

#include <algorithm>

#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarHints.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/DockControl.h"

DEFINE_CLASS(TdxBarCaptionButton)
DEFINE_CLASS(TdxBarCaptionButtons)
DEFINE_CLASS(TdxBarMergeData)
DEFINE_CLASS(TdxBar)
DEFINE_CLASS(TdxBars)

namespace {

String BarText(int Id, std::initializer_list<String> Args) {
  String text = dxBarString(Id);
  for (const String& arg : Args) {
    const size_t at = text.find(L"%s");
    if (at == String::npos) break;
    text.replace(at, 2, arg);
  }
  return text;
}

[[noreturn]] void RaiseBarError(int Id, std::initializer_list<String> Args = {}) {
  throw EdxBarException(BarText(Id, Args));
}

// A floating rectangle that lies on no monitor moves into the work area of the nearest one.
TRect FloatingBoundsOnScreen(const TRect& R) {
  auto fromRect = Bound().MonitorFromRect.Get();
  auto monitorInfo = Bound().GetMonitorInfoW.Get();
  if (!fromRect || !monitorInfo) return R;
  const RECT r = R;
  if (fromRect(&r, MONITOR_DEFAULTTONULL)) return R;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!monitorInfo(fromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return R;
  const TRect work = info.rcWork;
  const int left = std::clamp(int(R.left), int(work.left), std::max(int(work.left), int(work.right) - int(R.Width())));
  const int top = std::clamp(int(R.top), int(work.top), std::max(int(work.top), int(work.bottom) - int(R.Height())));
  return TRect{left, top, left + R.Width(), top + R.Height()};
}

bool IsDefaultSiteOf(TdxBarManager* Manager, TdxDockControl* Site) {
  if (!Manager || !Manager->Bars() || !Site) return false;
  for (int style = dsLeft; style <= dsBottom; ++style) {
    if (Manager->Bars()->DefaultSite(TdxBarDockingStyle(style)) == Site) return true;
  }
  return false;
}

}  // namespace

// ---- caption buttons ----------------------------------------------------------------------------

TdxBarCaptionButton::TdxBarCaptionButton(TCollection* ACollection) : TCollectionItem(ACollection) {
  glyph_.reset(new TBitmap);
  glyph_->OnChange = [this](TObject*) { Changed(false); };
  freeNotificator_.reset(new TcxFreeNotificator(nullptr));
  freeNotificator_->OnFreeNotification = TNotifyEvent(this, &TdxBarCaptionButton::ScreenTipFreed);
}

TdxBarCaptionButton::~TdxBarCaptionButton() {
  DetachAccessibilityHelper(accessibilityHelper_);
  freeNotificator_.reset();
  glyph_.reset();
}

void TdxBarCaptionButton::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarCaptionButton*>(Source);
  if (!source) return TCollectionItem::Assign(Source);
  SetEnabled(source->enabled_);
  glyph_->Assign(source->glyph_.get());
  Hint = source->Hint;
  KeyTip = source->KeyTip;
  Bounds = source->Bounds;
  OnClick = source->OnClick;
}

void TdxBarCaptionButton::SetEnabled(bool Value) {
  enabled_ = Value;
  SetState(Value ? stNormal : stDisabled);
}

void TdxBarCaptionButton::SetState(int Value) {
  if (state_ == Value) return;
  state_ = Value;
  if (TdxBarControl* window = BarControl()) {
    if (TdxBarManager* manager = window->OwningBarManager()) {
      if (Value == stHot)
        manager->ShowItemHint(true, Hint);
      else
        manager->HideItemHint();
    }
  }
  Changed(false);
}

void TdxBarCaptionButton::SetScreenTip(TdxBarScreenTip* Value) {
  if (screenTip_ == Value) return;
  if (screenTip_) freeNotificator_->UnwatchComponent(screenTip_);
  screenTip_ = Value;
  if (screenTip_) freeNotificator_->WatchComponent(screenTip_);
}

void TdxBarCaptionButton::ScreenTipFreed(TObject* Sender) {
  if (Sender == screenTip_) screenTip_ = nullptr;
}

void TdxBarCaptionButton::SetOnClick(const TNotifyEvent& Value) {
  OnClick = Value;
  Changed(true);
}

void TdxBarCaptionButton::Click() {
  if (OnClick) OnClick(this);
}

TdxBarControl* TdxBarCaptionButton::BarControl() const {
  auto* buttons = static_cast<TdxBarCaptionButtons*>(Collection());
  return buttons && buttons->Bar() ? buttons->Bar()->Control() : nullptr;
}

bool TdxBarCaptionButton::GetHintTexts(String& HintText, String& ShortCutText) const {
  HintText.clear();
  ShortCutText.clear();
  if (state_ != stHot) return false;
  HintText = Hint;
  return true;
}

TdxBarCaptionButtons::TdxBarCaptionButtons(TdxBar* ABar)
    : TCollection(&TdxBarCaptionButton::ClassInfo()), bar_(ABar) {}

TdxBarCaptionButtons::~TdxBarCaptionButtons() { DetachAccessibilityHelper(accessibilityHelper_); }

TPersistent* TdxBarCaptionButtons::GetOwner() { return bar_; }

int TdxBarCaptionButtons::ButtonIndexAt(const TPoint& P) const {
  for (int i = 0; i < Count(); ++i) {
    TdxBarCaptionButton* button = ButtonAt(i);
    if (button->Enabled() && button->Bounds.Contains(P)) return i;
  }
  return -1;
}

TRect TdxBarCaptionButtons::ButtonsBounds() const {
  TRect result{};
  for (int i = 0; i < Count(); ++i) {
    const TRect& r = ButtonAt(i)->Bounds;
    if (r.IsEmpty()) continue;
    if (result.IsEmpty())
      result = r;
    else
      result = TRect{std::min(result.left, r.left), std::min(result.top, r.top), std::max(result.right, r.right),
                     std::max(result.bottom, r.bottom)};
  }
  return result;
}

void TdxBarCaptionButtons::UpdateHotStates(const TPoint& P, bool Pressed) {
  for (int i = 0; i < Count(); ++i) {
    TdxBarCaptionButton* button = ButtonAt(i);
    if (!button->Enabled()) continue;
    if (button->Bounds.Contains(P))
      button->SetState(Pressed ? TdxBarCaptionButton::stPressed : TdxBarCaptionButton::stHot);
    else
      button->SetState(TdxBarCaptionButton::stNormal);
  }
}

void TdxBarCaptionButtons::Update(TCollectionItem* Item) {
  TCollection::Update(Item);
  if (bar_) bar_->CaptionButtonsChanged(Item);
}

// ---- merge data ---------------------------------------------------------------------------------

TdxBarMergeData::TdxBarMergeData(TdxBar* ABar) : bar_(ABar) {
  notificator_.reset(new TcxFreeNotificator(nullptr));
  notificator_->OnFreeNotification = TNotifyEvent(this, &TdxBarMergeData::BarFreed);
}

TdxBarMergeData::~TdxBarMergeData() { ClearSaved(); }

void TdxBarMergeData::SaveMerged() {
  for (TdxBar* bar : MergedBars) {
    saved_.push_back(bar);
    notificator_->WatchComponent(bar);
  }
}

void TdxBarMergeData::ClearSaved() {
  for (TdxBar* bar : saved_) notificator_->UnwatchComponent(bar);
  saved_.clear();
}

void TdxBarMergeData::BarFreed(TObject* Sender) {
  saved_.erase(std::remove(saved_.begin(), saved_.end(), Sender), saved_.end());
}

// ---- the toolbar --------------------------------------------------------------------------------

TdxBar::TdxBar(TComponent* AOwner) : TcxComponentCollectionItem(AOwner) {
  backgroundBitmap_.reset(new TBitmap);
  backgroundBitmap_->OnChange = [this](TObject*) { RefreshBarWindow(); };
  editFont_.reset(new TFont);
  font_.reset(new TFont);
  font_->OnChange = TNotifyEvent(this, &TdxBar::FontChanged);
  glyph_.reset(new TBitmap);
  glyph_->OnChange = [this](TObject*) {
    if (Control()) Control()->Invalidate();
  };
  mergeData_.reset(new TdxBarMergeData(this));
  captionButtons_ = new TdxBarCaptionButtons(this);
}

void TdxBar::BeforeDestruction() {
  if (OnDestruction) OnDestruction(this);
  if (barManager_ && !barManager_->BeingDestroyed() && barManager_->OnBarDelete) barManager_->OnBarDelete(barManager_, this);
  // The window goes before the caption buttons it draws and routes the mouse to.
  if (mergeData_->MergedWith) mergeData_->MergedWith->UnMerge(this, false);
  if (!mergeData_->MergedBars.empty()) UnMerge(nullptr, false);
  if (barManager_) barManager_->RemoveRestoringBar(this);
  visible_ = false;
  if (itemLinks_) {
    itemLinks_->Clear();
    itemLinks_->FreeBarControl();
  }
  LeaveDockRow();
  TcxComponentCollectionItem::BeforeDestruction();
}

TdxBar::~TdxBar() {
  delete captionButtons_;
  captionButtons_ = nullptr;
  mergeData_.reset();
  if (barManager_ && barManager_->MainMenuBar() == this) barManager_->SetMainMenuBar(nullptr);
  if (barManager_) barManager_->RemoveRestoringBar(this);
  delete itemLinks_;
  itemLinks_ = nullptr;
  InvalidateObjectLinks(this);
}

TcxComponentCollection* TdxBar::CollectionOfParent(TComponent* AParent) {
  auto* manager = dynamic_cast<TdxBarManager*>(AParent);
  return manager ? manager->Bars() : nullptr;
}

void TdxBar::SetParentComponent(TComponent* AParent) {
  TcxComponentCollectionItem::SetParentComponent(AParent);
  auto* manager = dynamic_cast<TdxBarManager*>(AParent);
  if (!manager || barManager_) return;
  barManager_ = manager;
  itemLinks_ = new TdxBarControlItemLinks(manager, this);
  const TNotifyEvent handler = font_->OnChange;
  font_->OnChange = nullptr;
  font_->Assign(manager->Font());
  font_->OnChange = handler;
  if (!manager->IsLoading()) {
    if (manager->OnBarAdd) manager->OnBarAdd(manager, this);
    Changed();
  }
}

void TdxBar::SetName(const String& Value) {
  TcxComponentCollectionItem::SetName(Value);
}

bool TdxBar::CanAddItem(TdxBarItem* Item, String& ErrorText) {
  return Item && Item->CanBePlacedOn(pkToolbar, this, ErrorText);
}

TCustomdxBarControl* TdxBar::CreateBarControl() {
  TdxDockControl* site = EffectiveDockControl();
  TdxBarControl* window = site ? site->CreateBarControlFor(this) : new TdxBarControl(barManager_, this);
  window->ApplyFont();
  return window;
}

TdxBars* TdxBar::Bars() const { return barManager_ ? barManager_->Bars() : nullptr; }

TdxBarControl* TdxBar::Control() const {
  return itemLinks_ ? static_cast<TdxBarControl*>(itemLinks_->BarControl()) : nullptr;
}

TdxDockControl* TdxBar::EffectiveDockControl() const {
  if (dockControl_) return dockControl_;
  const TdxBarDockingStyle style = DockingStyle();
  if (style == dsNone || !Bars()) return nullptr;
  return Bars()->DefaultSite(style);
}

TdxBarPainter* TdxBar::Painter() const {
  if (TdxDockControl* site = EffectiveDockControl()) return site->Painter();
  return barManager_ ? barManager_->Painter() : nullptr;
}

TdxBar* TdxBar::NextBar() const {
  TdxBars* bars = Bars();
  if (!bars || bars->Count() < 2) return nullptr;
  return bars->BarAt((bars->IndexOfBar(this) + 1) % bars->Count());
}

bool TdxBar::ActsAsStatusBar() const { return borderStyle_ == bbsNone && DockingStyle() == dsBottom && wholeRow_; }

bool TdxBar::ShowsSizeGrip() const {
  if (!ActsAsStatusBar() || !sizeGrip_ || !barManager_) return false;
  auto* owner = dynamic_cast<TWinControl*>(barManager_->Owner());
  if (owner && owner->HandleAllocated() && IsZoomed(owner->Handle())) return false;
  TdxBarControl* window = Control();
  if (!window || !window->HandleAllocated()) return true;
  HWND child = window->Handle();
  while (HWND parent = GetParent(child)) {
    if (!(GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD)) break;
    RECT c{}, r{};
    GetClientRect(parent, &c);
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    if (r.bottom != c.bottom) return false;
    if (GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_MDICHILD) break;
    child = parent;
  }
  return true;
}

bool TdxBar::ClosableByUser() const {
  return allowClose_ && !isMainMenu_ && (!Control() || Control()->AllowsClosing());
}

bool TdxBar::IsMovable() const {
  const TdxBarDockingStyles all{dsNone, dsLeft, dsTop, dsRight, dsBottom};
  bool own = true, manager = true;
  for (int s = dsNone; s <= dsBottom; ++s) {
    own = own && notDocking_.Contains(TdxBarDockingStyle(s));
    manager = manager && barManager_ && barManager_->NotDocking().Contains(TdxBarDockingStyle(s));
  }
  (void)all;
  return !(own || manager);
}

bool TdxBar::IsFloatingWithWindow() const { return Control() && DockingStyle() == dsNone; }

bool TdxBar::ManagerLoading() const { return barManager_ && barManager_->IsLoading(); }

void TdxBar::Changed() {
  ReportItemChange(false);
}

// ---- visibility and docking ---------------------------------------------------------------------

bool TdxBar::Visible() const { return visible_; }

void TdxBar::RecordPlacement() {
  TdxBarControl* window = Control();
  if (!window || !window->HandleAllocated()) return;
  if (window->IsDocked()) {
    TdxDockControl* site = window->DockControl();
    if ((site && site->RecreatingBarWindows()) || (barManager_ && barManager_->RestoringLayout())) return;
    dockedDockingStyle_ = window->DockingStyle();
    dockedDockControl_ = site && !site->IsDefaultSite() ? static_cast<TdxBarDockControl*>(site) : nullptr;
    oneOnRow_ = dockRow_ && dockRow_->ColumnCount() == 1;
    dockedLeft_ = std::max(window->Left(), 0);
    dockedTop_ = std::max(window->Top(), 0);
  } else {
    RECT r{};
    GetWindowRect(window->Handle(), &r);
    floatLeft_ = r.left;
    floatTop_ = r.top;
    floatClientWidth_ = window->ClientWidth();
    floatClientHeight_ = window->ClientHeight();
  }
}

void TdxBar::SetVisible(bool Value) {
  if (Value && barManager_ && barManager_->BeingDestroyed()) return;
  if (!visible_ && !Value && barManager_) barManager_->RemoveRestoringBar(this);
  if (ManagerLoading()) {
    if (Value != loadedVisible_) internallyHidden_ = false;
    loadedVisible_ = Value;
    return;
  }
  if (Value == visible_) return;
  internallyHidden_ = false;
  if (!Value) RecordPlacement();
  visible_ = Value;
  if (Value) {
    // A window its site took along when it went is no more than an object: a new one comes.
    if (Control() && !Control()->HandleAllocated() && itemLinks_) itemLinks_->FreeBarControl();
    if (itemLinks_) itemLinks_->CreateBarControl();
    ShowBarWindow();
  } else {
    TdxDockControl* site = Control() ? Control()->DockControl() : nullptr;
    if (site) site->RemoveBar(Control(), nullptr, false);
    if (itemLinks_) itemLinks_->FreeBarControl();
    if (site) site->UpdateDockLayout();
  }
  Changed();
  if (barManager_ && !barManager_->BeingDestroyed() && barManager_->OnBarVisibleChange)
    barManager_->OnBarVisibleChange(barManager_, this);
}

TdxBarDockControl* TdxBar::DockControl() const { return dockControl_; }

void TdxBar::SetDockControl(TdxBarDockControl* Value) {
  if (Value && Value->BarManager() != barManager_) return;
  if (ManagerLoading()) {
    loadedDockControl_ = Value;
    return;
  }
  if (Value == dockControl_) return;
  const TdxBarDockingStyle remembered = DockingStyle();
  TdxBarControl* window = Control();
  bool rehide = false;
  if (window && !changingDockingStyle_) {
    const bool otherSite = Value && Value != window->DockControl();
    const bool leavesUserSite = !Value && window->IsDocked() && window->DockControl() &&
                                !window->DockControl()->IsDefaultSite();
    rehide = otherSite || leavesUserSite;
  }
  if (rehide) SetVisible(false);
  dockControl_ = Value;
  if (itemLinks_) itemLinks_->SetShownLimit(-1);
  const bool fromOther = changingDockingStyle_;
  if (!fromOther) {
    changingDockingStyle_ = true;
    try {
      SetDockingStyle(Value ? Value->DockingStyle() : remembered);
    } catch (...) {
      changingDockingStyle_ = false;
      throw;
    }
    changingDockingStyle_ = false;
  }
  if (rehide) SetVisible(true);
  if (!fromOther && barManager_) barManager_->DoBarDockingStyleChange(this);
}

TdxBarDockingStyle TdxBar::DockingStyle() const {
  if (dockControl_) return dockControl_->DockingStyle();
  return dockingStyle_;
}

void TdxBar::SetDockingStyle(TdxBarDockingStyle Value) {
  if (ManagerLoading()) {
    loadedDockingStyle_ = Value;
    return;
  }
  if (Value == DockingStyle() && !changingDockingStyle_) return;
  TdxBarControl* window = Control();
  bool rehide = window && !changingDockingStyle_ && Value != window->DockingStyle();
  if (rehide) SetVisible(false);
  dockingStyle_ = Value;
  const bool fromOther = changingDockingStyle_;
  if (!fromOther && dockControl_) {
    changingDockingStyle_ = true;
    dockControl_ = nullptr;
    changingDockingStyle_ = false;
  }
  if (itemLinks_) itemLinks_->SetShownLimit(-1);
  if (rehide) SetVisible(true);
  if (!fromOther && barManager_) barManager_->DoBarDockingStyleChange(this);
}

TdxBarDockingStyle TdxBar::DockedDockingStyle() const {
  return dockedDockControl_ ? dockedDockControl_->DockingStyle() : dockedDockingStyle_;
}

void TdxBar::SetDockedDockControl(TdxBarDockControl* Value) {
  if (Value && Value->BarManager() != barManager_) return;
  if (dockedDockControl_ == Value) return;
  dockedDockControl_ = Value;
  Changed();
}

void TdxBar::SetDockingStyleAndControl(TdxBarDockingStyle Style, TdxDockControl* Site) {
  if (IsDefaultSiteOf(barManager_, Site)) Site = nullptr;
  if (Style == DockingStyle() || (Site && Site != dockControl_))
    SetDockControl(static_cast<TdxBarDockControl*>(Site));
  else
    SetDockingStyle(Style);
}

// ---- positions ----------------------------------------------------------------------------------

namespace {
void StorePosition(TdxBar* Bar, int& Field, int Value, bool& Pending, int Updating) {
  if (Field == Value) return;
  Field = Value;
  if (Updating > 0)
    Pending = true;
  else
    Bar->UpdateWindowPosition();
}
}  // namespace

void TdxBar::SetDockedLeft(int Value) {
  StorePosition(this, dockedLeft_, std::max(Value, 0), positionUpdatePending_, positionUpdating_);
  Changed();
}
void TdxBar::SetDockedTop(int Value) {
  StorePosition(this, dockedTop_, std::max(Value, 0), positionUpdatePending_, positionUpdating_);
  Changed();
}
void TdxBar::SetFloatLeft(int Value) {
  StorePosition(this, floatLeft_, Value, positionUpdatePending_, positionUpdating_);
  Changed();
}
void TdxBar::SetFloatTop(int Value) {
  StorePosition(this, floatTop_, Value, positionUpdatePending_, positionUpdating_);
  Changed();
}
void TdxBar::SetFloatClientWidth(int Value) {
  StorePosition(this, floatClientWidth_, Value, positionUpdatePending_, positionUpdating_);
  Changed();
}
void TdxBar::SetFloatClientHeight(int Value) {
  StorePosition(this, floatClientHeight_, Value, positionUpdatePending_, positionUpdating_);
  Changed();
}

void TdxBar::BeginPositionUpdate() {
  if (positionUpdating_++ == 0) positionUpdatePending_ = false;
}

void TdxBar::EndPositionUpdate() {
  if (--positionUpdating_ == 0 && positionUpdatePending_) {
    positionUpdatePending_ = false;
    UpdateWindowPosition();
  }
}

int TdxBar::Row() const {
  if (dockRow_) {
    const int index = dockRow_->DockControl()->IndexOfRow(dockRow_);
    if (index >= 0) return index;
  }
  return row_;
}

void TdxBar::SetRow(int Value) {
  Value = std::max(Value, 0);
  if (Value == Row() && dockRow_) return;
  row_ = Value;
  TdxDockControl* site = EffectiveDockControl();
  if (site && !ManagerLoading()) {
    if (Value < site->RowCount()) {
      SetDockRow(site->RowAt(Value));
    } else {
      const bool many = barManager_->IsUpdateLocked() || barManager_->InLoadingPhase();
      TdxDockRow* row = nullptr;
      if (many) {
        while (site->RowCount() <= Value) row = site->AppendRow();
      } else {
        row = site->AppendRow();
      }
      SetDockRow(row);
      row_ = site->IndexOfRow(row);
    }
  }
  Changed();
  if (site) site->UpdateDockLayout();
}

void TdxBar::SetOneOnRow(bool Value) {
  TdxDockControl* site = EffectiveDockControl();
  if (site && site->RecreatingBarWindows()) return;
  oneOnRow_ = Value;
}

void TdxBar::SetWholeRow(bool Value) {
  if (wholeRow_ == Value) return;
  wholeRow_ = Value;
  TdxBarControl* window = Control();
  if (window && window->IsDocked() && !ManagerLoading()) {
    SetVisible(false);
    SetVisible(true);
  }
}

void TdxBar::SetUseRestSpace(bool Value) {
  if (useRestSpace_ == Value) return;
  useRestSpace_ = Value;
  if (Control()) Control()->Relayout();
  if (TdxDockControl* site = EffectiveDockControl()) site->UpdateDockLayout();
}

void TdxBar::SetMultiLine(bool Value) {
  if (multiLine_ == Value || (!Value && isMainMenu_)) return;
  multiLine_ = Value;
  if (Control() && Control()->IsDocked()) {
    Control()->Relayout();
    if (TdxDockControl* site = EffectiveDockControl()) site->UpdateDockLayout();
  }
}

void TdxBar::SetIsMainMenu(bool Value) {
  if (isMainMenu_ == Value) return;
  if (barManager_) barManager_->BeginBarsUpdate();
  try {
    if (Value && barManager_ && barManager_->MainMenuBar() && barManager_->MainMenuBar() != this)
      barManager_->MainMenuBar()->SetIsMainMenu(false);
    isMainMenu_ = Value;
    if (Value) {
      if (barManager_) barManager_->SetMainMenuBar(this);
      SetWholeRow(true);
      multiLine_ = true;
    } else {
      if (barManager_ && barManager_->MainMenuBar() == this) barManager_->SetMainMenuBar(nullptr);
      multiLine_ = false;
      SetWholeRow(false);
    }
  } catch (...) {
    if (barManager_) barManager_->EndBarsUpdate(true);
    throw;
  }
  if (barManager_) barManager_->EndBarsUpdate(true);
  if (!ManagerLoading()) {
    if (Control()) Control()->Relayout();
    Changed();
  }
}

void TdxBar::SetCaption(const String& Value) {
  if (caption_ == Value) return;
  if (TdxBars* bars = Bars()) {
    for (int i = 0; i < bars->Count(); ++i) {
      if (bars->BarAt(i) != this && bars->BarAt(i)->Caption() == Value) return;
    }
  }
  caption_ = Value;
  if (Control() && !Control()->IsDocked() && Control()->HandleAllocated())
    SetWindowPos(Control()->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Changed();
}

void TdxBar::SetAllowClose(bool Value) {
  if (allowClose_ == Value) return;
  allowClose_ = Value;
  if (Control() && !Control()->IsDocked() && Control()->HandleAllocated())
    RedrawWindow(Control()->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  Changed();
}

void TdxBar::SetAllowQuickCustomizing(bool Value) {
  if (allowQuickCustomizing_ == Value) return;
  allowQuickCustomizing_ = Value;
  if (Control()) Control()->Relayout();
}

void TdxBar::SetAlphaBlendValue(Byte Value) {
  if (alphaBlendValue_ == Value) return;
  alphaBlendValue_ = Value;
  TdxBarControl* window = Control();
  if (window && !window->IsDocked() && window->HandleAllocated()) SetWindowAlphaLevel(window->Handle(), Value);
}

void TdxBar::SetBorderStyle(TdxBarBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  RefreshBarWindow();
}

void TdxBar::SetColor(TColor Value) {
  if (color_ == Value) return;
  color_ = Value;
  RefreshBarWindow();
}

void TdxBar::SetShowMark(bool Value) {
  if (showMark_ == Value) return;
  showMark_ = Value;
  if (Control()) Control()->Relayout();
}

void TdxBar::SetSizeGrip(bool Value) {
  if (sizeGrip_ == Value) return;
  sizeGrip_ = Value;
  if (ActsAsStatusBar()) RefreshBarWindow();
}

void TdxBar::SetRotateWhenVertical(bool Value) {
  if (rotateWhenVertical_ == Value) return;
  rotateWhenVertical_ = Value;
  if (Control() && Control()->HandleAllocated()) Control()->Perform(CM_FONTCHANGED);
}

void TdxBar::SetUseRecentItems(bool Value) {
  if (!itemLinks_ || itemLinks_->UseRecentItems == Value) return;
  itemLinks_->UseRecentItems = Value;
  itemLinks_->RefreshLinkLists();
  if (Control()) Control()->Relayout();
}

void TdxBar::SetBackgroundBitmap(TBitmap* Value) {
  const bool wasEmpty = backgroundBitmap_->Empty();
  const TNotifyEvent handler = backgroundBitmap_->OnChange;
  backgroundBitmap_->OnChange = nullptr;
  backgroundBitmap_->Assign(Value);
  backgroundBitmap_->OnChange = handler;
  if (!wasEmpty || !backgroundBitmap_->Empty()) RefreshBarWindow();
}

void TdxBar::FontChanged(TObject*) {
  if (!internalFontChange_) useOwnFont_ = true;
  if (useOwnFont_) editFont_->Assign(font_.get());
  if (TdxBarControl* window = Control()) {
    window->ApplyFont();
    if (window->HandleAllocated()) window->Perform(CM_FONTCHANGED);
  }
}

void TdxBar::SetUseOwnFont(bool Value) {
  if (useOwnFont_ == Value) return;
  useOwnFont_ = Value;
  internalFontChange_ = true;
  try {
    if (Value)
      FontChanged(this);
    else if (barManager_)
      font_->Assign(barManager_->Font());
  } catch (...) {
    internalFontChange_ = false;
    throw;
  }
  internalFontChange_ = false;
}

void TdxBar::RefreshBarWindow() {
  TdxBarControl* window = Control();
  if (!window || !window->HandleAllocated()) return;
  SetWindowPos(window->Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  window->Relayout();
}

void TdxBar::CaptionButtonsChanged(TCollectionItem*) {
  if (TdxBarControl* window = Control()) {
    if (window->HandleAllocated())
      RedrawWindow(window->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  }
}

// ---- window placement ---------------------------------------------------------------------------

bool TdxBar::WindowDocked() const { return Control() && Control()->IsDocked(); }

void TdxBar::UpdateWindowPosition() {
  TdxBarControl* window = Control();
  if (!window || (Bars() && Bars()->IsMoving()) || window->Repositioning()) return;
  if (DockingStyle() != dsNone) {
    if (TdxDockControl* site = window->DockControl()) {
      if (window->Column) window->Column->Pos = TPoint{dockedLeft_, dockedTop_};
      site->UpdateDockLayout();
    }
    ShowBarWindow();
  } else {
    const TSize size = window->SizeForStyle(dsNone);
    window->SetBoundsIfChanged(TRect{floatLeft_, floatTop_, floatLeft_ + size.cx, floatTop_ + size.cy});
  }
}

void TdxBar::ShowBarWindow() {
  TdxBarControl* window = Control();
  if (!window || !barManager_) return;
  const TdxBarDockingStyle style = DockingStyle();
  TdxDockControl* site = EffectiveDockControl();
  if (style != dsNone && site && !site->HandleAllocated() && !site->Parent()) {
    // The site has no window yet: the toolbar waits in the restoring list.
    barManager_->AddRestoringBar(this);
  }
  window->BeginStateChange();
  try {
    if (style != dsNone && site) {
      if (window->DockControl() != site || window->DockingStyle() != style) {
        if (window->DockControl()) window->DockControl()->RemoveBar(window, nullptr, false);
        window->ChangeDockingState(style, site);
        TPoint p{dockedLeft_, dockedTop_};
        if (site->HandleAllocated()) ClientToScreen(site->Handle(), reinterpret_cast<POINT*>(&p));
        Bars()->DockBarAt(style, site, p, window);
      }
    } else {
      if (window->DockControl()) Bars()->UndockBar(window->DockingStyle(), window->DockControl(), window);
      window->ChangeDockingState(dsNone, nullptr);
      const TSize size = window->SizeForStyle(dsNone);
      window->SetBoundsIfChanged(FloatingBoundsOnScreen(TRect{floatLeft_, floatTop_, floatLeft_ + size.cx, floatTop_ + size.cy}));
    }
  } catch (...) {
    window->EndStateChange();
    throw;
  }
  window->EndStateChange();
  bool show = style != dsNone;
  if (!show) {
    auto* owner = dynamic_cast<TWinControl*>(barManager_->Owner());
    const bool ownerShown = owner && owner->HandleAllocated() && IsWindowVisible(owner->Handle());
    TCustomForm* form = barManager_->MainFormOf();
    const bool active = form && form->HandleAllocated() && GetActiveWindow() == form->Handle();
    show = ownerShown && (!barManager_->HideFloatingBarsWhenInactive() || barManager_->IsCustomizing() || active);
  }
  if (show && window->HandleAllocated()) {
    ShowWindow(window->Handle(), SW_SHOWNA);
    window->TControl::SetVisible(true);
  }
  if (!show || (site && site->HandleAllocated()) || style == dsNone) barManager_->RemoveRestoringBar(this);
}

void TdxBar::SetVisibleKeepingOwnerBounds(bool Value) {
  if (visible_ == Value) return;
  auto* form = dynamic_cast<TCustomForm*>(barManager_ ? barManager_->Owner() : nullptr);
  const bool mdiChild = form && form->HandleAllocated() && (GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
  TRect saved{};
  if (mdiChild) saved = form->BoundsRect();
  SetVisible(Value);
  if (mdiChild) form->SetBounds(saved.left, saved.top, saved.Width(), saved.Height());
}

void TdxBar::LeaveDockRow() {
  if (!dockRow_) return;
  TdxDockRow* row = dockRow_;
  dockRow_ = nullptr;
  row->RemoveBar(this, false);
}

void TdxBar::SetDockRow(TdxDockRow* Row) {
  if (Row == dockRow_ || (barManager_ && barManager_->BeingDestroyed())) return;
  LeaveDockRow();
  dockRow_ = Row;
  if (Row) Row->AddBar(this);
}

void TdxBar::ApplyLoadedPlacement() {
  predefined_ = true;
  if (loadedDockControl_) {
    SetDockControl(loadedDockControl_);
  } else {
    SetDockingStyle(loadedDockingStyle_);
  }
  SetVisible(loadedVisible_);
}

// ---- copying ------------------------------------------------------------------------------------

void TdxBar::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBar*>(Source);
  if (!source) return TcxComponentCollectionItem::Assign(Source);
  SetAllowClose(source->allowClose_);
  AllowCustomizing = source->AllowCustomizing;
  SetAllowQuickCustomizing(source->allowQuickCustomizing_);
  AllowReset = source->AllowReset;
  SetBorderStyle(source->borderStyle_);
  SetCaption(source->caption_);
  captionButtons_->Assign(source->captionButtons_);
  SetDockedDockControl(source->dockedDockControl_);
  dockedDockingStyle_ = source->DockedDockingStyle();
  SetDockedLeft(source->dockedLeft_);
  SetDockedTop(source->dockedTop_);
  SetFloatLeft(source->floatLeft_);
  SetFloatTop(source->floatTop_);
  SetFloatClientWidth(source->floatClientWidth_);
  SetFloatClientHeight(source->floatClientHeight_);
  SetHidden(source->hidden_);
  SetIsMainMenu(source->isMainMenu_);
  if (itemLinks_ && source->itemLinks_) itemLinks_->Assign(source->itemLinks_);
  SetNotDocking(source->notDocking_);
  OldName = source->OldName;
  SetOneOnRow(source->oneOnRow_);
  SetRotateWhenVertical(source->rotateWhenVertical_);
  SetRow(source->Row());
  SetShowMark(source->showMark_);
  SetSizeGrip(source->sizeGrip_);
  SetWholeRow(source->wholeRow_);
  SetDockingStyleAndControl(source->DockingStyle(), source->dockControl_);
  SetUseRecentItems(source->UseRecentItems());
  SetUseRestSpace(source->useRestSpace_);
  SetColor(source->color_);
  font_->Assign(source->font_.get());
  SetUseOwnFont(source->useOwnFont_);
  SetVisible(source->visible_);
}

// ---- reset --------------------------------------------------------------------------------------

void TdxBar::ResetToSaved() {
  if (!barManager_) return;
  const int index = barManager_->SavedBarIndexByCaption(caption_);
  if (index < 0) return;
  barManager_->DoBarBeforeReset(this);
  barManager_->BeginBarsUpdate();
  const bool full = barManager_->UseFullReset;
  const bool wasVisible = visible_;
  if (full) SetVisible(false);
  try {
    TMemIniFile* saved = barManager_->SavedLayout();
    const String base = barManager_->IniBase();
    barManager_->SetResettingBar(true);
    try {
      ReadLayout(*saved, base, full, 0, index);
      ReadMostRecentlyUsedFlags(*saved, base, index);
      if (itemLinks_) itemLinks_->RestoreItemStates(*saved, LayoutSectionName(base, index));
    } catch (...) {
      barManager_->SetResettingBar(false);
      throw;
    }
    barManager_->SetResettingBar(false);
  } catch (...) {
    if (full) SetVisible(wasVisible);
    barManager_->EndBarsUpdate(true);
    throw;
  }
  if (full) SetVisible(wasVisible);
  barManager_->EndBarsUpdate(true);
  barManager_->DoBarAfterReset(this);
}

void TdxBar::ConfirmReset() {
  if (ShowAppTitledMessage(BarText(dxbsResetToolbarQuestion, {caption_}), MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
    ResetToSaved();
}

// ---- merging ------------------------------------------------------------------------------------

void TdxBar::Merge(TdxBar* Bar, bool KeepVisibility) {
  if (mergeData_->MergedWith) RaiseBarError(dxbsCannotMergeMerged);
  if (!Bar || Bar == this) RaiseBarError(dxbsCannotMerge);
  if (Bar->mergeData_->MergedWith == this) RaiseBarError(dxbsToolbarAlreadyMerged, {Bar->caption_, caption_});
  if (!Bar->mergeData_->MergedBars.empty()) RaiseBarError(dxbsToolbarHasMerged, {Bar->caption_});
  const bool wasMerged = Bar->mergeData_->MergedWith != nullptr;
  if (wasMerged) Bar->mergeData_->MergedWith->UnMerge(Bar, false);
  SetMergingToolbar(Bar);
  try {
    Bar->mergeData_->MergedWith = this;
    mergeData_->MergedBars.push_back(Bar);
    if (barManager_) barManager_->BeginBarsUpdate();
    try {
      itemLinks_->MergeFrom(Bar->itemLinks_);
    } catch (...) {
      if (barManager_) barManager_->EndBarsUpdate(true);
      throw;
    }
    if (barManager_) barManager_->EndBarsUpdate(true);
  } catch (...) {
    SetMergingToolbar(nullptr);
    throw;
  }
  SetMergingToolbar(nullptr);
  if (KeepVisibility && !wasMerged) Bar->mergeData_->VisibleBeforeMerging = Bar->visible_;
  Bar->SetVisibleKeepingOwnerBounds(false);
}

void TdxBar::UnMerge(TdxBar* Bar, bool RestoreVisibility) {
  if (Bar == this) RaiseBarError(dxbsCannotUnmerge);
  if (Bar && Bar->mergeData_->MergedWith && Bar->mergeData_->MergedWith != this)
    RaiseBarError(dxbsToolbarNotMerged, {Bar->caption_, caption_});
  if (Bar && !Bar->mergeData_->MergedWith) return;
  std::vector<TdxBar*>& merged = mergeData_->MergedBars;
  if (!merged.empty()) {
    if (barManager_) barManager_->BeginBarsUpdate();
    try {
      itemLinks_->RemoveMergedLinks(Bar);
    } catch (...) {
      if (barManager_) barManager_->EndBarsUpdate(true);
      throw;
    }
    if (barManager_) barManager_->EndBarsUpdate(true);
    std::vector<TdxBar*> leaving;
    if (Bar)
      leaving.push_back(Bar);
    else
      leaving.assign(merged.rbegin(), merged.rend());
    for (TdxBar* bar : leaving) {
      bar->mergeData_->MergedWith = nullptr;
      merged.erase(std::remove(merged.begin(), merged.end(), bar), merged.end());
      if (RestoreVisibility) bar->SetVisibleKeepingOwnerBounds(bar->mergeData_->VisibleBeforeMerging);
    }
  }
  if (merged.empty() && mergeData_->CreatedByMerging) {
    if (KeptWhenEmpty) {
      mergeData_->VisibleOfCreated = visible_;
      SetVisibleKeepingOwnerBounds(false);
      SetHidden(true);
    } else {
      Free();
    }
  }
}

void TdxBar::UnmergeFromManager(TdxBarManager* Manager, bool RestoreVisibility) {
  TcxObjectLink* self = AcquireObjectLink(this);
  std::vector<TdxBar*> merged = mergeData_->MergedBars;
  for (auto it = merged.rbegin(); it != merged.rend() && self->Ref; ++it) {
    if (!Manager || (*it)->BarManager() == Manager) UnMerge(*it, RestoreVisibility);
  }
  ReleaseObjectLink(self);
}

void TdxBar::Remerge() {
  std::vector<TdxBar*> saved;
  for (int i = 0; i < mergeData_->SavedCount(); ++i) saved.push_back(mergeData_->SavedBar(i));
  mergeData_->ClearSaved();
  for (TdxBar* bar : saved) Merge(bar, bar->BarManager() == barManager_);
}

void TdxBar::SaveMergesForRemerge() { mergeData_->SaveMerged(); }

// ---- layout -------------------------------------------------------------------------------------

void TdxBar::WriteLayout(TCustomIniFile& Store, const String& Base, int Kind, int Index) {
  const String section = LayoutSectionName(Base, Index);
  TComponent* owner = barManager_ ? barManager_->Owner() : nullptr;
  Store.WriteString(section, L"Caption", caption_);
  if (dockControl_) {
    const String path = DockControlPath(dockControl_, owner);
    if (!path.empty()) Store.WriteString(section, L"DockControl", path);
  }
  if (dockedDockControl_) {
    const String path = DockControlPath(dockedDockControl_, owner);
    if (!path.empty()) Store.WriteString(section, L"DockedDockControl", path);
  }
  Store.WriteInteger(section, L"DockedDockingStyle", DockedDockingStyle());
  Store.WriteInteger(section, L"DockedLeft", dockedLeft_);
  Store.WriteInteger(section, L"DockedTop", dockedTop_);
  Store.WriteInteger(section, L"DockingStyle", DockingStyle());
  Store.WriteInteger(section, L"FloatClientHeight", floatClientHeight_);
  Store.WriteInteger(section, L"FloatClientWidth", floatClientWidth_);
  Store.WriteInteger(section, L"FloatLeft", floatLeft_);
  Store.WriteInteger(section, L"FloatTop", floatTop_);
  Store.WriteBool(section, L"OneOnRow", oneOnRow_);
  Store.WriteInteger(section, L"Row", Row());
  bool visible;
  if (mergeData_->MergedWith)
    visible = mergeData_->VisibleBeforeMerging;
  else
    visible = visible_ || (barManager_ && barManager_->RestoringBarIndex(this) >= 0);
  Store.WriteBool(section, L"Visible", visible);
  if (itemLinks_) itemLinks_->WriteLayout(Store, section, Kind);
}

namespace {
// A stored docking style; a value outside the enumeration keeps the current one.
TdxBarDockingStyle ReadStyle(TCustomIniFile& Store, const String& Section, const String& Key, TdxBarDockingStyle Current) {
  const int value = Store.ReadInteger(Section, Key, Current);
  return value >= dsNone && value <= dsBottom ? TdxBarDockingStyle(value) : Current;
}
}  // namespace

void TdxBar::ReadLayout(TCustomIniFile& Store, const String& Base, bool WithPlacement, int Kind, int Index) {
  const String section = LayoutSectionName(Base, Index);
  if (itemLinks_) itemLinks_->ReadLayout(Store, section, Kind);
  if (!WithPlacement) return;
  try {
    SetCaption(Store.ReadString(section, L"Caption", caption_));
    SetDockedDockControl(barManager_->FindDockControl(Store.ReadString(section, L"DockedDockControl", L"")));
    dockedDockingStyle_ = ReadStyle(Store, section, L"DockedDockingStyle", dockedDockingStyle_);
    SetDockedLeft(Store.ReadInteger(section, L"DockedLeft", dockedLeft_));
    SetDockedTop(Store.ReadInteger(section, L"DockedTop", dockedTop_));
    SetOneOnRow(Store.ReadBool(section, L"OneOnRow", oneOnRow_));
    SetFloatLeft(Store.ReadInteger(section, L"FloatLeft", floatLeft_));
    SetFloatTop(Store.ReadInteger(section, L"FloatTop", floatTop_));
    // A size that is not positive keeps the toolbar's natural floating size.
    const int width = Store.ReadInteger(section, L"FloatClientWidth", floatClientWidth_);
    if (width > 0) SetFloatClientWidth(width);
    const int height = Store.ReadInteger(section, L"FloatClientHeight", floatClientHeight_);
    if (height > 0) SetFloatClientHeight(height);
    if (TdxBarDockControl* site = barManager_->FindDockControl(Store.ReadString(section, L"DockControl", L""))) {
      SetDockControl(site);
    } else if (dockControl_ && dockControl_->ReleasesBarsOnLayoutRead()) {
      // Only a site that releases its toolbars lets them go; the sites of other components (which
      // write no path) keep theirs.
      SetDockControl(nullptr);
    }
    SetDockingStyle(ReadStyle(Store, section, L"DockingStyle", DockingStyle()));
    const int bars = Bars() ? Bars()->Count() : 0;
    SetRow(std::min(Store.ReadInteger(section, L"Row", Row()), std::max(bars - 1, 0)));
    SetVisible(Store.ReadBool(section, L"Visible", false));
    mergeData_->MergedWith = nullptr;
  } catch (const Exception&) {
    SetVisible(true);
  }
}

void TdxBar::ReadMostRecentlyUsedFlags(TCustomIniFile& Store, const String& Base, int Index) {
  if (itemLinks_) itemLinks_->ReadMostRecentlyUsedFlags(Store, LayoutSectionName(Base, Index));
}

// ---- the collection -----------------------------------------------------------------------------

namespace {
UINT_PTR g_dockingTimer = 0;
TdxBarManager* g_dockingManager = nullptr;

void CALLBACK DockingTimerProc(HWND, UINT, UINT_PTR, DWORD) { TdxBars::FireDockingTimer(); }
}  // namespace

TdxBars::TdxBars(TdxBarManager* Manager) : TcxComponentCollection(Manager, &TdxBar::ClassInfo()), barManager_(Manager) {
  auto* owner = dynamic_cast<TWinControl*>(Manager->Owner());
  for (int style = dsLeft; style <= dsBottom; ++style) {
    auto* site = new TdxDockControl(nullptr, TdxBarDockingStyle(style), Manager);
    sites_[style] = site;
    if (owner) site->SetParent(owner);
  }
}

TdxBars::~TdxBars() {
  BeforeDestruction();
  for (int style = dsLeft; style <= dsBottom; ++style) {
    delete sites_[style];
    sites_[style] = nullptr;
  }
}

void TdxBars::ForgetSite(TdxDockControl* Site) {
  for (auto& site : sites_) {
    if (site == Site) site = nullptr;
  }
}

TdxDockControl* TdxBars::DefaultSite(TdxBarDockingStyle Style) const {
  return Style >= dsLeft && Style <= dsBottom ? sites_[Style] : nullptr;
}

void TdxBars::AssignItemName(TcxComponentCollectionItem* AItem) {
  const String base = barManager_->Name() + L"Bar";
  AItem->SetName(MakeUniqueItemName(barManager_->Owner(), nullptr, AItem, L"T", &base));
}

void TdxBars::FireChange(TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction) {
  TcxComponentCollection::FireChange(AItem, AAction);
  if (AAction == cckChanged) barManager_->NotifyDesignerModified();
}

void TdxBars::DockBarAt(TdxBarDockingStyle Style, TdxDockControl* Site, const TPoint& ScreenPoint,
                        TdxBarControl* Window) {
  if (!Site) Site = DefaultSite(Style);
  if (Site) Site->InsertBar(Window, ScreenPoint, true);
}

void TdxBars::UndockBar(TdxBarDockingStyle Style, TdxDockControl* Site, TdxBarControl* Window) {
  if (!Site) Site = DefaultSite(Style);
  if (Site) Site->RemoveBar(Window, nullptr, true);
}

void TdxBars::RebuildAll() {
  for (int i = 0; i < Count(); ++i) {
    if (TdxBarControl* window = BarAt(i)->Control()) window->Relayout();
  }
}

bool TdxBars::TryStyle(TdxBar* Bar, TdxBarDockingStyle Style, const TPoint& P, TdxDockControl*& Site) {
  for (int i = 0; i < barManager_->DockControlCount(); ++i) {
    TdxDockControl* site = barManager_->DockControlAt(i);
    if (site->DockingStyle() != Style) continue;
    if (!site->CanFocus() && !barManager_->IsDesigning()) continue;
    if (!barManager_->CanDock(Bar, Style, site)) continue;
    if (!site->DockingZoneRect().Contains(P)) continue;
    if (site->HandleAllocated()) {
      HWND parent = GetParent(site->Handle());
      HWND grand = parent ? GetParent(parent) : nullptr;
      if (grand) {
        POINT q = P;
        ScreenToClient(grand, &q);
        if (ChildWindowFromPointEx(grand, q, CWP_SKIPINVISIBLE) != parent) continue;
      }
    }
    Site = site;
    return true;
  }
  return false;
}

void TdxBars::FindDockSite(TdxBar* Bar, const TPoint& P, TdxBarDockingStyle& Style, TdxDockControl*& Site) {
  Style = dsNone;
  Site = nullptr;
  if (moving_ && (Bound().GetAsyncKeyState(VK_CONTROL) & 0x8000)) return;
  static const TdxBarDockingStyle order[] = {dsLeft, dsRight, dsTop, dsBottom};
  for (TdxBarDockingStyle style : order) {
    if (TryStyle(Bar, style, P, Site)) {
      Style = style;
      return;
    }
  }
  if (!moving_) return;
  const TPoint q{P.x - dragOffset_.x, P.y - dragOffset_.y};
  for (TdxBarDockingStyle style : order) {
    if (TryStyle(Bar, style, q, Site)) {
      Style = style;
      return;
    }
  }
}

void TdxBars::KillDockingTimer() {
  if (g_dockingTimer) KillTimer(nullptr, g_dockingTimer);
  g_dockingTimer = 0;
}

bool TdxBars::DockingTimerRunning() { return g_dockingTimer != 0; }

void TdxBars::FireDockingTimer() {
  if (g_dockingTimer) KillTimer(nullptr, g_dockingTimer);
  g_dockingTimer = 0;
  TdxBarManager* manager = g_dockingManager;
  if (!manager || !manager->Bars()) return;
  TdxBars* bars = manager->Bars();
  if (bars->movingWindow_) {
    POINT cursor{};
    GetCursorPos(&cursor);
    bars->timerPass_ = true;
    try {
      bars->MoveBarTo(bars->movingWindow_, TPoint{cursor.x + bars->dragOffset_.x, cursor.y + bars->dragOffset_.y});
    } catch (...) {
      bars->timerPass_ = false;
      g_dockingManager = nullptr;
      throw;
    }
    bars->timerPass_ = false;
  }
  g_dockingManager = nullptr;
}

void TdxBars::MoveBarTo(TdxBarControl* Window, const TPoint& Point) {
  TdxBar* bar = Window->Bar();
  TdxBarDockingStyle style;
  TdxDockControl* site;
  FindDockSite(bar, Point, style, site);
  if (!barManager_->CanDock(bar, style, site)) return;
  if (!timerPass_ && !Window->IsDocked() && style != dsNone) {
    KillDockingTimer();
    g_dockingManager = barManager_;
    g_dockingTimer = SetTimer(nullptr, 0, UINT(barManager_->WaitForDockingTime()), &DockingTimerProc);
    style = dsNone;
    site = nullptr;
  }
  TPoint p = Point;
  if (style == dsNone) p = TPoint{p.x - dragOffset_.x, p.y - dragOffset_.y};
  if (style == Window->DockingStyle() && site == Window->DockControl()) {
    if (site) {
      site->MoveBar(Window, p);
    } else {
      const TPoint grab = Window->DragSizeFor(dsNone);
      SetWindowPos(Window->Handle(), nullptr, p.x - grab.x, p.y - grab.y, 0, 0,
                   SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    return;
  }
  Window->HideWindowStep();
  if (Window->IsDocked()) {
    UndockBar(Window->DockingStyle(), Window->DockControl(), Window);
    if (bar->ItemLinks()) bar->ItemLinks()->SetShownLimit(-1);
  }
  if (style != dsNone) {
    Window->BeginStateChange();
    try {
      Window->ChangeDockingState(style, site);
      bar->dockingStyle_ = style;
      bar->dockControl_ = site && !site->IsDefaultSite() ? static_cast<TdxBarDockControl*>(site) : nullptr;
      Window->EndStateChange();
    } catch (...) {
      Window->EndStateChange();
      throw;
    }
    DockBarAt(style, site, p, Window);
  } else {
    Window->BeginStateChange();
    Window->ChangeDockingState(dsNone, nullptr);
    bar->dockingStyle_ = dsNone;
    bar->dockControl_ = nullptr;
    Window->EndStateChange();
    const TSize size = Window->SizeForStyle(dsNone);
    const TPoint grab = Window->DragSizeFor(dsNone);
    SetWindowPos(Window->Handle(), nullptr, p.x - grab.x, p.y - grab.y, size.cx, size.cy,
                 SWP_NOACTIVATE | SWP_NOZORDER);
  }
  ShowWindow(Window->Handle(), SW_SHOWNA);
}

TPoint TdxBars::DockedDragOffset(TdxBarControl* Window, const TPoint& Cursor) {
  TdxDockControl* site = Window->DockControl();
  TdxDockRow* row = Window->Column->Row;
  const int index = site->IndexOfRow(row);
  if (index < 0 || !site->HandleAllocated()) return TPoint{};
  // The rows as they are once the window has left: a row it had to itself goes, and on a near-side
  // site the later rows close up.
  TdxDockRowGeometry g = site->Geometry();
  if (row->ColumnCount() == 1 && index < int(g.Rows.size())) {
    const int gone = index + 1 < int(g.Rows.size()) ? g.Rows[index + 1].first - g.Rows[index].first
                                                     : g.Rows[index].second - g.Rows[index].first;
    g.Rows.erase(g.Rows.begin() + index);
    if (!g.FarSide)
      for (size_t i = index; i < g.Rows.size(); ++i) {
        g.Rows[i].first -= gone;
        g.Rows[i].second -= gone;
      }
  }
  const int middle = g.RowMiddle(std::min(index, int(g.Rows.size())), Window->Bar()->OneOnRow());
  POINT origin{0, 0};
  ClientToScreen(site->Handle(), &origin);
  // The cursor is moved across the rows to where the toolbar's row would take it back.
  if (site->IsHorizontal()) return TPoint{0, origin.y + middle - Cursor.y};
  return TPoint{origin.x + middle - Cursor.x, 0};
}

void TdxBars::DragBar(TdxBarControl* Window) {
  TdxBar* bar = Window->Bar();
  if (!bar->IsMovable()) return;
  if (Window->IsDocked() && Window->Column) Window->Column->Pos = TPoint{bar->DockedLeft(), bar->DockedTop()};
  moving_ = true;
  movingWindow_ = Window;
  POINT cursor{};
  GetCursorPos(&cursor);
  dragStartStyle_ = Window->DockingStyle();
  dragOffset_ = TPoint{};
  grabOffset_ = TPoint{};
  {
    RECT r{};
    GetWindowRect(Window->Handle(), &r);
    grabOffset_ = TPoint{cursor.x - r.left, cursor.y - r.top};
  }
  if (Window->IsDocked() && Window->DockControl() && Window->Column && Window->Column->Row)
    dragOffset_ = DockedDragOffset(Window, TPoint{cursor.x, cursor.y});
  DispatchPendingPaintMessages();
  HWND capture = barManager_->MessageWindow();
  SetCapture(capture);
  TPoint last{cursor.x, cursor.y};
  try {
    MSG msg;
    while (GetCapture() == capture) {
      const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
      if (got == -1) break;
      if (!got) {
        PostQuitMessage(int(msg.wParam));
        break;
      }
      bool forceMove = false;
      if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_CONTROL) {
        GetCursorPos(&cursor);
        msg.message = WM_MOUSEMOVE;
        msg.hwnd = capture;
        msg.lParam = MAKELPARAM(cursor.x, cursor.y);
        ScreenToClient(capture, &cursor);
        msg.lParam = MAKELPARAM(cursor.x, cursor.y);
        forceMove = true;
      }
      if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
        continue;
      }
      if (msg.message == WM_MOUSEMOVE) {
        POINT p{short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam))};
        ClientToScreen(msg.hwnd ? msg.hwnd : capture, &p);
        if (!forceMove && p.x == last.x && p.y == last.y) continue;
        MoveBarTo(Window, TPoint{p.x + dragOffset_.x, p.y + dragOffset_.y});
        last = TPoint{p.x, p.y};
        continue;
      }
      if (msg.message == WM_LBUTTONUP) break;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  } catch (...) {
    KillDockingTimer();
    g_dockingManager = nullptr;
    if (GetCapture() == capture) ReleaseCapture();
    moving_ = false;
    movingWindow_ = nullptr;
    throw;
  }
  if (g_dockingTimer) g_dockingManager = nullptr;
  KillDockingTimer();
  if (GetCapture() == capture) ReleaseCapture();
  if (Window->IsDocked() && Window->DockControl()) Window->DockControl()->RememberColumnPositions();
  moving_ = false;
  movingWindow_ = nullptr;
}
