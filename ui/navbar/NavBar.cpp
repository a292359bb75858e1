#include "ui/navbar/NavBar.h"

#include <algorithm>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/navbar/NavBarAccessibility.h"
#include "ui/navbar/NavBarController.h"
#include "ui/navbar/NavBarPainter.h"
#include "ui/navbar/NavBarScrollBar.h"

DEFINE_CLASS(TdxNavBarCursors)
DEFINE_CLASS(TdxNavBarCustomDrawEvents)
DEFINE_CLASS(TdxNavBarCommonBehaviorOptions)
DEFINE_CLASS(TdxNavBarNavigationPaneBehaviorOptions)
DEFINE_CLASS(TdxNavBarSideBarBehaviorOptions)
DEFINE_CLASS(TdxNavBarBehaviorOptions)
DEFINE_CLASS(TdxNavBarCommonViewOptions)
DEFINE_CLASS(TdxNavBarExplorerBarViewOptions)
DEFINE_CLASS(TdxNavBarNavigationPaneViewOptions)
DEFINE_CLASS(TdxNavBarViewOptions)
DEFINE_CLASS(TdxNavBarImageOptions)
DEFINE_CLASS(TdxCustomNavBar)
DEFINE_CLASS(TdxNavBar)

String dxNavBarResourceString(int AId) { return ResourceStringWithOverride(AId); }

namespace {

// The three cursors, loaded into the screen's table at the unit's start and destroyed at its end.
struct NavBarCursor {
  TCursor Id;
  const wchar_t* Name;
};
const NavBarCursor cursorTable[] = {
    {dxcrDrag, L"dxNavBarDragCursor"},
    {dxcrDragCopy, L"dxNavBarDragCopyCursor"},
    {dxcrLinks, L"dxNavBarLinksCursor"},
};

void StartUnit() {
  RegisterClasses({&TdxNavBar::ClassInfo(), &TdxNavBarItemLink::ClassInfo(), &TdxNavBarItemLinks::ClassInfo(),
                   &TdxNavBarGroupControl::ClassInfo(), &TdxNavBarGroup::ClassInfo(), &TdxNavBarItem::ClassInfo(),
                   &TdxNavBarStyleItem::ClassInfo()});
  SetNavBarDragObject(nullptr);
  if (!Screen) return;
  const HINSTANCE module = GetModuleHandleW(nullptr);
  for (const NavBarCursor& cursor : cursorTable) Screen->SetCursors(cursor.Id, CursorFromResource(module, cursor.Name));
}

void FinalizeUnit() {
  if (!Screen) return;
  for (const NavBarCursor& cursor : cursorTable) {
    if (HCURSOR handle = Screen->Cursors(cursor.Id)) DestroyCursor(handle);
    Screen->SetCursors(cursor.Id, nullptr);
  }
}

const TUnitRegistration unit(StartUnit, FinalizeUnit);

}  // namespace

// ---- cursors and custom-draw events -----------------------------------------------------------

void TdxNavBarCursors::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarCursors*>(Source);
  if (!source) return TdxNavBarPersistent::Assign(Source);
  SetCursor(source->Cursor());
  SetDragCursor(source->DragCursor());
  DragCopyCursor = source->DragCopyCursor;
  HotTrackedGroupCursor = source->HotTrackedGroupCursor;
  HotTrackedLinkCursor = source->HotTrackedLinkCursor;
}

TCursor TdxNavBarCursors::Cursor() const { return NavBar()->Cursor(); }
void TdxNavBarCursors::SetCursor(TCursor Value) { NavBar()->SetCursor(Value); }
TCursor TdxNavBarCursors::DragCursor() const { return NavBar()->DragCursor; }
void TdxNavBarCursors::SetDragCursor(TCursor Value) { NavBar()->DragCursor = Value; }

void TdxNavBarCustomDrawEvents::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarCustomDrawEvents*>(Source);
  if (!source) return TdxNavBarPersistent::Assign(Source);
  Background = source->Background;
  GroupCaption = source->GroupCaption;
  GroupClientBackground = source->GroupClientBackground;
  GroupClientForeground = source->GroupClientForeground;
  GroupHint = source->GroupHint;
  Link = source->Link;
  LinkHint = source->LinkHint;
  BottomScrollButton = source->BottomScrollButton;
  TopScrollButton = source->TopScrollButton;
  NavigationPaneHeader = source->NavigationPaneHeader;
  NavigationPaneSplitter = source->NavigationPaneSplitter;
  NavigationPaneOverflowPanel = source->NavigationPaneOverflowPanel;
  NavigationPaneOverflowPanelHint = source->NavigationPaneOverflowPanelHint;
}

// ---- behaviour options -------------------------------------------------------------------------

void TdxNavBarCommonBehaviorOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarCommonBehaviorOptions*>(Source);
  if (!source) return TdxNavBarPersistent::Assign(Source);
  DragDropFlags = source->DragDropFlags;
  ShowGroupsHint = source->ShowGroupsHint;
  ShowLinksHint = source->ShowLinksHint;
}

void TdxNavBarNavigationPaneBehaviorOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarNavigationPaneBehaviorOptions*>(Source);
  if (!source) return TdxNavBarPersistent::Assign(Source);
  AdjustWidthByPopup = source->AdjustWidthByPopup;
  AllowCustomizing = source->AllowCustomizing;
  ShowOverflowPanelHints = source->ShowOverflowPanelHints;
  SetCollapsible(source->collapsible_);
  SetCollapsed(source->collapsed_);
}

void TdxNavBarNavigationPaneBehaviorOptions::SetCollapsible(bool Value) {
  if (collapsible_ == Value) return;
  collapsible_ = Value;
  TdxCustomNavBar* bar = NavBar();
  SetCollapsed(Value && bar->Width() < bar->ViewInfo()->MinExpandedWidth());
  if (bar->Width() == 0) bar->CheckCollapseState();
  bar->InvalidateAll(nbiRelayout);
}

void TdxNavBarNavigationPaneBehaviorOptions::SetCollapsed(bool Value) {
  if (collapsed_ == Value || (Value && !collapsible_)) return;
  collapsed_ = Value;
  TdxCustomNavBar* bar = NavBar();
  if (Value && !bar->IsLoading()) bar->originalWidth_ = std::max(bar->Width(), bar->ViewInfo()->MinExpandedWidth());
  bar->InvalidateAll(nbiRebuild);
}

void TdxNavBarSideBarBehaviorOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarSideBarBehaviorOptions*>(Source);
  if (!source) return TdxNavBarPersistent::Assign(Source);
  SetAllowSelectLinks(source->allowSelectLinks_);
  SetEachGroupHasSelectedLink(source->eachGroupHasSelectedLink_);
}

void TdxNavBarSideBarBehaviorOptions::SetAllowSelectLinks(bool Value) {
  if (allowSelectLinks_ == Value) return;
  allowSelectLinks_ = Value;
  if (!Value) NavBar()->DeselectAllLinks();
  NavBar()->InvalidateAll(nbiRepaint);
}

void TdxNavBarSideBarBehaviorOptions::SetEachGroupHasSelectedLink(bool Value) {
  if (eachGroupHasSelectedLink_ == Value) return;
  eachGroupHasSelectedLink_ = Value;
  if (!Value) NavBar()->DeselectAllLinks();
  NavBar()->InvalidateAll(nbiRepaint);
}

TdxNavBarBehaviorOptions::TdxNavBarBehaviorOptions(TdxCustomNavBar* ANavBar)
    : TdxNavBarPersistent(ANavBar),
      common_(new TdxNavBarCommonBehaviorOptions(ANavBar)),
      navigationPane_(new TdxNavBarNavigationPaneBehaviorOptions(ANavBar)),
      sideBar_(new TdxNavBarSideBarBehaviorOptions(ANavBar)) {}

TdxNavBarBehaviorOptions::~TdxNavBarBehaviorOptions() {
  sideBar_->Free();
  navigationPane_->Free();
  common_->Free();
}

void TdxNavBarBehaviorOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarBehaviorOptions*>(Source);
  if (!source) return TdxNavBarPersistent::Assign(Source);
  common_->Assign(source->common_);
  navigationPane_->Assign(source->navigationPane_);
  sideBar_->Assign(source->sideBar_);
}

// ---- view options ------------------------------------------------------------------------------

void TdxNavBarCommonViewOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarCommonViewOptions*>(Source);
  if (!source) return TdxNavBarPersistent::Assign(Source);
  SetShowGroupCaptions(source->showGroupCaptions_);
}

void TdxNavBarCommonViewOptions::SetShowGroupCaptions(bool Value) {
  if (showGroupCaptions_ == Value) return;
  showGroupCaptions_ = Value;
  NavBar()->InvalidateAll(nbiRebuild);
}

void TdxNavBarExplorerBarViewOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarExplorerBarViewOptions*>(Source);
  if (!source) return TdxNavBarPersistent::Assign(Source);
  SetShowSpecialGroup(source->showSpecialGroup_);
  SetSpaceBetweenGroups(source->spaceBetweenGroups_);
}

void TdxNavBarExplorerBarViewOptions::SetShowSpecialGroup(bool Value) {
  if (showSpecialGroup_ == Value) return;
  showSpecialGroup_ = Value;
  NavBar()->InvalidateAll(nbiRebuild);
}

void TdxNavBarExplorerBarViewOptions::SetSpaceBetweenGroups(int Value) {
  Value = std::max(Value, 0);
  if (spaceBetweenGroups_ == Value) return;
  spaceBetweenGroups_ = Value;
  NavBar()->InvalidateAll(nbiRelayout);
}

void TdxNavBarNavigationPaneViewOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarNavigationPaneViewOptions*>(Source);
  if (!source) return TdxNavBarPersistent::Assign(Source);
  SetMaxVisibleGroups(source->maxVisibleGroups_);
  SetOverflowPanelUseSmallImages(source->overflowPanelUseSmallImages_);
  SetShowHeader(source->showHeader_);
  SetShowOverflowPanel(source->showOverflowPanel_);
}

void TdxNavBarNavigationPaneViewOptions::SetMaxVisibleGroups(int Value) {
  Value = std::max(Value, -1);
  if (maxVisibleGroups_ == Value) return;
  maxVisibleGroups_ = Value;
  NavBar()->InvalidateAll(nbiRebuild);
}

void TdxNavBarNavigationPaneViewOptions::Set(bool& Field, bool Value) {
  if (Field == Value) return;
  Field = Value;
  NavBar()->InvalidateAll(nbiRebuild);
}

void TdxNavBarNavigationPaneViewOptions::SetOverflowPanelUseSmallImages(bool Value) {
  Set(overflowPanelUseSmallImages_, Value);
}
void TdxNavBarNavigationPaneViewOptions::SetShowHeader(bool Value) { Set(showHeader_, Value); }
void TdxNavBarNavigationPaneViewOptions::SetShowOverflowPanel(bool Value) { Set(showOverflowPanel_, Value); }

TdxNavBarViewOptions::TdxNavBarViewOptions(TdxCustomNavBar* ANavBar)
    : TdxNavBarPersistent(ANavBar),
      common_(new TdxNavBarCommonViewOptions(ANavBar)),
      explorerBar_(new TdxNavBarExplorerBarViewOptions(ANavBar)),
      navigationPane_(new TdxNavBarNavigationPaneViewOptions(ANavBar)) {}

TdxNavBarViewOptions::~TdxNavBarViewOptions() {
  navigationPane_->Free();
  explorerBar_->Free();
  common_->Free();
}

void TdxNavBarViewOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarViewOptions*>(Source);
  if (!source) return TdxNavBarPersistent::Assign(Source);
  common_->Assign(source->common_);
  explorerBar_->Assign(source->explorerBar_);
  navigationPane_->Assign(source->navigationPane_);
}

// ---- image options -----------------------------------------------------------------------------

TdxNavBarImageOptions::TdxNavBarImageOptions(TdxCustomNavBar* ANavBar) : TdxNavBarNexusPersistent(ANavBar) {
  for (TChangeLink*& link : links_) {
    link = new TChangeLink;
    link->OnChange = {this, &TdxNavBarImageOptions::ImageListChanged};
  }
}

TdxNavBarImageOptions::~TdxNavBarImageOptions() {
  for (int kind = 0; kind < ikCount; ++kind) {
    if (lists_[kind]) lists_[kind]->UnRegisterChanges(links_[kind]);
    links_[kind]->Free();
  }
}

void TdxNavBarImageOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarImageOptions*>(Source);
  if (!source) return TdxNavBarNexusPersistent::Assign(Source);
  for (int kind = 0; kind < ikCount; ++kind) SetImages(TImageKind(kind), source->lists_[kind]);
}

void TdxNavBarImageOptions::SetImages(TImageKind AKind, TCustomImageList* Value) {
  TCustomImageList*& field = lists_[AKind];
  if (field == Value) return;
  if (field) {
    field->UnRegisterChanges(links_[AKind]);
    if (std::count(std::begin(lists_), std::end(lists_), field) == 1) FreeNotificator()->UnwatchComponent(field);
  }
  field = Value;
  if (field) {
    field->RegisterChanges(links_[AKind]);
    FreeNotificator()->WatchComponent(field);
  }
  ImageListChanged(this);
}

void TdxNavBarImageOptions::FreeNotification(TComponent* AComponent) {
  bool changed = false;
  for (int kind = 0; kind < ikCount; ++kind)
    if (lists_[kind] && lists_[kind] == AComponent) {
      lists_[kind]->UnRegisterChanges(links_[kind]);
      lists_[kind] = nullptr;
      changed = true;
    }
  if (changed) ImageListChanged(this);
}

void TdxNavBarImageOptions::ImageListChanged(TObject*) {
  if (OnChange) OnChange(this);
}

// ---- TdxCustomNavBar: construction ------------------------------------------------------------

namespace {

void CheckViewsRegistered() {
  TdxNavBarViewsFactory* factory = dxNavBarViewsFactory();
  if (!factory || factory->Count() == 0)
    throw EInvalidOperation(L"A navigation bar needs a registered view, and no view is registered");
}

}  // namespace

TdxCustomNavBar::TdxCustomNavBar(TComponent* AOwner) : TdxNavBarControlBase(AOwner) {
  CheckViewsRegistered();
  SetTabStop(false);
  UpdateScrollBarsPresence();
  canvasBitmap_ = new TBitmap;
  canvasBitmap_->SetPixelFormat(pf32bit);
  scrollBar_ = new TdxNavBarScrollBar(this, sbVertical);
  scrollBar_->OnScroll = TScrollEvent(this, &TdxCustomNavBar::ScrollBarScrolled);
  AssignWantedKeys(TcxWantedKeys{wkArrows});
  groupActivateTimer_ = new TcxTimer(nullptr);
  groupActivateTimer_->SetEnabled(false);
  groupActivateTimer_->SetInterval(300);
  groupActivateTimer_->SetOnTimer({this, &TdxCustomNavBar::GroupActivateTimerTick});
  scrollTimer_ = new TcxTimer(nullptr);
  scrollTimer_->SetEnabled(false);
  scrollTimer_->SetInterval(300);
  scrollTimer_->SetOnTimer({this, &TdxCustomNavBar::ScrollTimerTick});
  cursors_ = new TdxNavBarCursors(this);
  DragCursor = dxcrDrag;
  customDrawEvents_ = new TdxNavBarCustomDrawEvents(this);
  optionsStyle_ = new TdxNavBarStyleOptions(this);
  optionsStyle_->OnChange = [this](TObject*) { InvalidateAll(nbiRebuild); };
  optionsBehavior_ = new TdxNavBarBehaviorOptions(this);
  optionsView_ = new TdxNavBarViewOptions(this);
  optionsImage_ = new TdxNavBarImageOptions(this);
  optionsImage_->OnChange = [this](TObject*) { InvalidateAll(nbiRebuild); };
  groups_ = new TdxNavBarGroups(this, GroupClass());
  groups_->OnChange = {this, &TdxCustomNavBar::GroupsChanged};
  groups_->OnLinksChange = {this, &TdxCustomNavBar::LinksChanged};
  items_ = new TdxNavBarItems(this, ItemClass());
  items_->OnChange = {this, &TdxCustomNavBar::ItemsChanged};
  themeNotificator_ = new TdxThemeChangedNotificator;
  themeNotificator_->OnThemeChanged = [this] { ThemeChanged(); };
  ControlStyle -= TControlStyle{csAcceptsControls, csSetCaption};
  ControlStyle += TControlStyle{csActionClient};
  SetBounds(Left(), Top(), 150, 300);
  SetShowHint(true);
  ResetDefaultStyles();
  UpdateScrollBarLookAndFeel();
}

TdxCustomNavBar::~TdxCustomNavBar() {
  dxNavBarReleaseAccessibilityHelper(accessibilityHelper_);
  focusedObject_.reset();
  FreeAndNil(groupActivateTimer_);
  FreeAndNil(scrollTimer_);
  FreeAndNil(scrollBar_);
  FreeAndNil(themeNotificator_);
  if (TdxNavBarDragObject* drag = dxNavBarDragObject(); drag && drag->SourceBar() == this) SetNavBarDragObject(nullptr);
  FreeAndNil(items_);
  FreeAndNil(groups_);
  FreeAndNil(optionsImage_);
  FreeAndNil(optionsView_);
  FreeAndNil(optionsBehavior_);
  FreeAndNil(optionsStyle_);
  FreeAndNil(customDrawEvents_);
  FreeAndNil(cursors_);
  FreeAndNil(viewPainter_);
  FreeAndNil(canvasBitmap_);
  InvalidateObjectLinks(this);
}

void TdxCustomNavBar::BeforeDestruction() { TdxNavBarControlBase::BeforeDestruction(); }

TComponentClass TdxCustomNavBar::GroupClass() { return &TdxNavBarGroup::ClassInfo(); }
TComponentClass TdxCustomNavBar::ItemClass() { return &TdxNavBarItem::ClassInfo(); }

void TdxCustomNavBar::Loaded() {
  TdxNavBarControlBase::Loaded();
  if (loadedActiveGroupIndex_ >= 0 && loadedActiveGroupIndex_ < groups_->Count())
    activeGroup_ = groups_->GroupAt(loadedActiveGroupIndex_);
  DefaultStyles()->ResetToDefaults(true);
  InvalidateAll(nbiRebuild);
}

void TdxCustomNavBar::DefineProperties(TFiler& Filer) {
  TdxNavBarControlBase::DefineProperties(Filer);
  Filer.DefineProperty(L"OriginalWidth", {this, &TdxCustomNavBar::ReadOriginalWidth},
                       {this, &TdxCustomNavBar::WriteOriginalWidth},
                       optionsBehavior_->NavigationPane()->Collapsed());
}

void TdxCustomNavBar::ReadOriginalWidth(TReader& Reader) { originalWidth_ = Reader.ReadInteger(); }
void TdxCustomNavBar::WriteOriginalWidth(TWriter& Writer) { Writer.WriteInteger(originalWidth_); }

void TdxCustomNavBar::GetChildren(TGetChildProc Proc, TComponent* Root) {
  auto run = [&](TcxComponentCollection* collection) {
    for (int i = 0; i < collection->ItemCount(); ++i)
      if (collection->ItemAt(i)->Owner() == Root) Proc(collection->ItemAt(i));
  };
  run(groups_);
  run(items_);
  run(optionsStyle_->CustomStyleRepository());
  for (int i = 0; i < groups_->Count(); ++i)
    if (TdxNavBarGroupControl* control = groups_->GroupAt(i)->Control(); control && control->Owner() == Root)
      Proc(control);
}

void TdxCustomNavBar::SetChildOrder(TComponent* Child, int Order) {
  TcxComponentCollection* runs[] = {groups_, items_, optionsStyle_->CustomStyleRepository()};
  for (TcxComponentCollection* run : runs) {
    if (auto* item = dynamic_cast<TcxComponentCollectionItem*>(Child); item && item->Collection() == run) {
      item->MoveToIndex(Order);
      return;
    }
    Order -= run->ItemCount();
  }
  TdxNavBarControlBase::SetChildOrder(Child, Order);
}

void TdxCustomNavBar::SetName(const String& NewName) {
  const String oldName = Name();
  TdxNavBarControlBase::SetName(NewName);
  if (!IsDesigning() || oldName.empty()) return;
  TcxComponentCollection* runs[] = {groups_, items_, optionsStyle_->CustomStyleRepository()};
  for (TcxComponentCollection* run : runs)
    for (int i = 0; i < run->ItemCount(); ++i) {
      TComponent* child = run->ItemAt(i);
      if (child->Name().compare(0, oldName.size(), oldName) != 0) continue;
      try {
        child->SetName(NewName + child->Name().substr(oldName.size()));
      } catch (const EComponentError&) {
      }
    }
}

void TdxCustomNavBar::Notification(TComponent* AComponent, TOperation Operation) {
  TdxNavBarControlBase::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (auto* group = dynamic_cast<TdxNavBarGroup*>(AComponent)) ForgetGroup(group);
}

void TdxCustomNavBar::ForgetGroup(TdxNavBarGroup* AGroup) {
  auto linkOf = [AGroup](TdxNavBarItemLink*& link) {
    if (link && link->Group() == AGroup) link = nullptr;
  };
  linkOf(hotLink_);
  linkOf(pressedLink_);
  linkOf(clickLink_);
  if (hotGroup_ == AGroup) hotGroup_ = nullptr;
  if (pressedGroup_ == AGroup) pressedGroup_ = nullptr;
  if (clickGroup_ == AGroup) clickGroup_ = nullptr;
  if (dragTargetGroup_ == AGroup) dragTargetGroup_ = nullptr;
  if (TdxNavBarDragObject* drag = dxNavBarDragObject()) drag->ForgetGroup(AGroup);
  if (activeGroup_ != AGroup) return;
  if (IsDestroying())
    activeGroup_ = nullptr;
  else
    SetActiveGroup(nullptr);
  // A veto cannot keep a group that is going away.
  if (activeGroup_ == AGroup) activeGroup_ = nullptr;
}

void TdxCustomNavBar::ForgetLink(TdxNavBarItemLink* ALink) {
  if (hotLink_ == ALink) hotLink_ = nullptr;
  if (pressedLink_ == ALink) pressedLink_ = nullptr;
  if (clickLink_ == ALink) clickLink_ = nullptr;
  if (TdxNavBarDragObject* drag = dxNavBarDragObject()) drag->ForgetLink(ALink);
}

// ---- changes -----------------------------------------------------------------------------------

void TdxCustomNavBar::InvalidateAll(TdxNavBarInvalidation AKind) {
  if (IsLoading() || IsDestroying()) return;
  if (viewPainter_) viewPainter_->SetChangeFlags(AKind);
  if (!HandleAllocated()) return;
  if (AKind == nbiRebuild) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN);
  TdxNavBarControlBase::Invalidate();
}

void TdxCustomNavBar::EndUpdate() {
  if (updateLock_ == 0) return;
  if (--updateLock_ == 0) InvalidateAll(nbiRebuild);
}

void TdxCustomNavBar::Invalidate() {
  if (viewPainter_) viewPainter_->SetChangeFlags(nbiRepaint);
  TdxNavBarControlBase::Invalidate();
}

void TdxCustomNavBar::GroupsChanged(TObject*, TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction) {
  const bool single = AItem && AAction == cckChanged && optionsView_->NavigationPane()->MaxVisibleGroups() == -1;
  InvalidateAll(single ? nbiRelayout : nbiRebuild);
}

void TdxCustomNavBar::ItemsChanged(TObject*, TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction) {
  InvalidateAll(AItem && AAction == cckChanged ? nbiRelayout : nbiRebuild);
}

void TdxCustomNavBar::LinksChanged(TObject*, TdxNavBarItemLink* ALink) {
  if (!ALink->Collection()) ForgetLink(ALink);
}

void TdxCustomNavBar::OptionsChanged(TObject*) { InvalidateAll(nbiRebuild); }

// ---- painter and view --------------------------------------------------------------------------

TdxNavBarPainter* TdxCustomNavBar::Painter() {
  if (!viewPainter_) viewPainter_ = CreatePainter();
  return viewPainter_;
}

TdxNavBarViewInfo* TdxCustomNavBar::ViewInfo() { return Painter()->ViewInfo(); }
TdxNavBarController* TdxCustomNavBar::Controller() { return Painter()->Controller(); }

int TdxCustomNavBar::EffectiveViewID(int AView) const {
  TdxNavBarViewsFactory* factory = dxNavBarViewsFactory();
  if (!factory) return -1;
  return factory->IsRegistered(AView) ? AView : factory->IDAt(factory->Count() - 1);
}

TdxNavBarPainter* TdxCustomNavBar::CreatePainter() {
  CheckViewsRegistered();
  TdxNavBarViewsFactory* factory = dxNavBarViewsFactory();
  TdxNavBarPainterClass painterClass = factory->PainterClassAt(factory->IndexOfID(EffectiveViewID(view_)));
  if (!painterClass) throw EInvalidOperation(Format(L"Navigation-bar view %d has no painter class", {view_}));
  return painterClass->Create(this);
}

void TdxCustomNavBar::SetView(int Value) {
  if (view_ == Value) return;
  view_ = EffectiveViewID(Value);
  SetViewStyle(CreatePainter());
}

void TdxCustomNavBar::SetViewStyle(TdxNavBarPainter* Value) {
  if (!Value || Value == viewPainter_) return;
  if (Value->NavBar() != this)
    throw EInvalidOperation(L"The navigation-bar painter was made for another bar and cannot draw this one");
  TdxNavBarPainter* old = viewPainter_;
  viewPainter_ = Value;
  if (old) old->Free();
  scrollBar_->SetVisible(false);
  ResetDefaultStyles();
  InvalidateAll(nbiRebuild);
  UpdateScrollBarLookAndFeel();
}

void TdxCustomNavBar::ResetDefaultStyles() {
  if (IsLoading()) return;
  DefaultStyles()->ResetToDefaults(false);
  InvalidateAll(nbiRelayout);
}

void TdxCustomNavBar::UpdateScrollBarLookAndFeel() {
  if (!scrollBar_->Control() || scrollBar_->Control()->ClassType() != Painter()->ScrollBarClass())
    scrollBar_->RecreateControl();
  TcxLookAndFeel* lookAndFeel = scrollBar_->Control()->LookAndFeel();
  switch (view_) {
    case 6: case 7: case 10: case 11: case 16: case 19: lookAndFeel->SetNativeStyle(true); return;
    default: break;
  }
  lookAndFeel->SetNativeStyle(false);
  switch (view_) {
    case 0: lookAndFeel->SetKind(lfStandard); break;
    case 1: case 2: case 3: case 4: lookAndFeel->SetKind(lfFlat); break;
    case 8: case 9: lookAndFeel->SetKind(lfUltraFlat); break;
    case 12: case 13: lookAndFeel->SetKind(lfOffice11); break;
    case 14:
      if (auto* master = dynamic_cast<TcxLookAndFeel*>(Painter()->LookAndFeel())) lookAndFeel->SetMasterLookAndFeel(master);
      break;
    default: break;
  }
}

void TdxCustomNavBar::ScrollBarScrolled(TObject*, TScrollCode, int&) {
  InvalidateAll(nbiRelayout);
  Update();
}

// ---- accessibility and keyboard focus ------------------------------------------------------------

TdxNavBarAccessibilityHelperClass TdxCustomNavBar::AccessibilityHelperClass() {
  return &TdxNavBarAccessibilityHelper::ClassInfo();
}

IdxNavBarAccessibilityHelper* TdxCustomNavBar::AccessibilityHelper() {
  if (!accessibilityHelper_)
    accessibilityHelper_ = dxNavBarCreateAccessibilityHelper(AccessibilityHelperClass(), this, this);
  return accessibilityHelper_.get();
}

void TdxCustomNavBar::SetFocusedObject(IdxNavBarAccessibilityHelper* AObject) {
  TdxNavBarCustomAccessibilityHelper* current = focusedObject_ ? focusedObject_->NavBarHelperObject() : nullptr;
  TdxNavBarCustomAccessibilityHelper* next = AObject ? AObject->NavBarHelperObject() : nullptr;
  if (current == next) return;
  InterfacePtr<IdxNavBarAccessibilityHelper> previous = focusedObject_;
  focusedObject_ = AObject;
  if (previous) previous->FocusStateChanged(true);
  if (focusedObject_) focusedObject_->FocusStateChanged(true);
}

void TdxCustomNavBar::FocusedObjectDestroyed(IdxNavBarAccessibilityHelper* AObject) {
  if (!focusedObject_ || !AObject || focusedObject_->NavBarHelperObject() != AObject->NavBarHelperObject()) return;
  focusedObject_.reset();
  InvalidateAll(nbiRelayout);
}

// ---- groups -------------------------------------------------------------------------------------

TdxNavBarGroup* TdxCustomNavBar::EffectiveActiveGroup() {
  if (groups_->Count() == 0) return nullptr;
  if (activeGroup_ && activeGroup_->Visible()) return activeGroup_;
  for (int i = 0; i < groups_->Count(); ++i) {
    TdxNavBarGroup* group = groups_->GroupAt(i);
    if (!group->Visible()) continue;
    if (!activeGroup_) activeGroup_ = group;
    return group;
  }
  return nullptr;
}

void TdxCustomNavBar::SetActiveGroup(TdxNavBarGroup* AGroup) {
  if (activeGroup_ == AGroup) return;
  bool allow = true;
  if (!IsLoading() && !IsDestroying() && OnActiveGroupChanging) OnActiveGroupChanging(this, AGroup, allow);
  if (!allow) return;
  activeGroup_ = AGroup;
  InvalidateAll(nbiRebuild);
  DoActiveGroupChanged();
}

int TdxCustomNavBar::ActiveGroupIndex() {
  TdxNavBarGroup* group = EffectiveActiveGroup();
  return group ? group->IndexInCollection() : -1;
}

void TdxCustomNavBar::SetActiveGroupIndex(int Value) {
  if (IsLoading()) {
    loadedActiveGroupIndex_ = Value;
    return;
  }
  if (Value >= 0 && Value < groups_->Count()) SetActiveGroup(groups_->GroupAt(Value));
}

void TdxCustomNavBar::DoActiveGroupChanged() {
  if (!IsLoading() && !IsDestroying()) InvokeNotifyEvent(this, OnActiveGroupChanged);
}

int TdxCustomNavBar::VisibleGroupCount() const {
  int count = 0;
  for (int i = 0; i < groups_->Count(); ++i)
    if (groups_->GroupAt(i)->Visible()) ++count;
  return count;
}

int TdxCustomNavBar::HiddenGroupCount() const {
  const int max = optionsView_->NavigationPane()->MaxVisibleGroups();
  if (IsLoading() || max == -1) return 0;
  return std::max(0, VisibleGroupCount() - max);
}

bool TdxCustomNavBar::CanShowMoreGroups() const { return ShowGroupCaptions() && HiddenGroupCount() > 0; }

bool TdxCustomNavBar::CanShowFewerGroups() const {
  return ShowGroupCaptions() && HiddenGroupCount() < VisibleGroupCount();
}

void TdxCustomNavBar::ShowMoreGroups() {
  TdxNavBarNavigationPaneViewOptions* options = optionsView_->NavigationPane();
  const int max = options->MaxVisibleGroups();
  options->SetMaxVisibleGroups(VisibleGroupCount() == max + 1 ? -1 : max + 1);
}

void TdxCustomNavBar::ShowFewerGroups() {
  TdxNavBarNavigationPaneViewOptions* options = optionsView_->NavigationPane();
  const int max = options->MaxVisibleGroups();
  const int fewer = max != -1 && VisibleGroupCount() >= max ? max - 1 : VisibleGroupCount() - 1;
  // Never below 0: -1 would mean "show all".
  options->SetMaxVisibleGroups(std::max(fewer, 0));
}

void TdxCustomNavBar::DeselectAllLinks() {
  for (int i = 0; i < groups_->Count(); ++i) groups_->GroupAt(i)->SetSelectedLinkIndex(-1);
}

bool TdxCustomNavBar::IsCollapsed() {
  return optionsBehavior_->NavigationPane()->Collapsed() && ViewInfo()->CanCollapse();
}

void TdxCustomNavBar::CheckCollapseState() {
  const bool applied = internalFlags_ & nbifCollapsedWidthApplied;
  if (IsCollapsed()) {
    if (applied) return;
    SetWidth(ViewInfo()->CollapsedWidth());
    internalFlags_ |= nbifCollapsedWidthApplied;
    InvokeNotifyEvent(this, CollapseStateNotify);
    InvokeNotifyEvent(this, OnNavigationPaneCollapsed);
  } else if (applied) {
    // Never narrower than the view's minimum: the pane would collapse again at once.
    SetWidth(std::max(originalWidth_, ViewInfo()->MinExpandedWidth()));
    internalFlags_ &= Byte(~nbifCollapsedWidthApplied);
    InvokeNotifyEvent(this, CollapseStateNotify);
    InvokeNotifyEvent(this, OnNavigationPaneExpanded);
  }
}

void TdxCustomNavBar::SetBorderStyle(TBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

// ---- hit tests -----------------------------------------------------------------------------------

TdxNavBarGroup* TdxCustomNavBar::GroupAtPos(const TPoint& P) {
  TdxNavBarGroupViewInfo* info = ViewInfo()->GroupAtCaption(P);
  if (!info || info->Group()->ComponentState().Contains(csDestroying)) return nullptr;
  return info->Group();
}

TdxNavBarItemLink* TdxCustomNavBar::LinkAtPos(const TPoint& P) {
  TdxNavBarLinkViewInfo* info = ViewInfo()->LinkAtPos(P);
  return info ? info->Link() : nullptr;
}

TdxNavBarItemLink* TdxCustomNavBar::LinkHitAtPos(const TPoint& P) {
  TdxNavBarLinkViewInfo* info = ViewInfo()->LinkAtHit(P);
  return info ? info->Link() : nullptr;
}

bool TdxCustomNavBar::IsGroupDesignMark(const TPoint& P) {
  TdxNavBarGroupViewInfo* info = ViewInfo()->GroupAtCaption(P);
  return info && RectContainsPoint(info->DesignRect, P);
}

bool TdxCustomNavBar::IsLinkDesignMark(const TPoint& P) {
  TdxNavBarLinkViewInfo* info = ViewInfo()->LinkAtPos(P);
  return info && RectContainsPoint(info->DesignRect, P);
}

bool TdxCustomNavBar::IsTopScrollButtonAt(const TPoint& P) { return RectContainsPoint(ViewInfo()->TopScrollRect(), P); }
bool TdxCustomNavBar::IsBottomScrollButtonAt(const TPoint& P) {
  return RectContainsPoint(ViewInfo()->BottomScrollRect(), P);
}
bool TdxCustomNavBar::TopScrollButtonShown() { return !RectHasNoArea(ViewInfo()->TopScrollRect()); }
bool TdxCustomNavBar::BottomScrollButtonShown() { return !RectHasNoArea(ViewInfo()->BottomScrollRect()); }

// ---- framework overrides -------------------------------------------------------------------------

void TdxCustomNavBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (viewPainter_) Controller()->CheckBounds(ALeft, ATop, AWidth, AHeight);
  const TRect before = BoundsRect();
  TdxNavBarControlBase::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (BoundsRect() == before || !HandleAllocated() || !viewPainter_) return;
  const TRect client = ClientRect();
  if (client.Width() >= canvasBitmap_->Width()) canvasBitmap_->SetWidth(client.Width() + 10);
  if (client.Height() >= canvasBitmap_->Height()) canvasBitmap_->SetHeight(client.Height() + 10);
  InvalidateAll(ViewInfo()->ResizeInvalidation());
}

TRect TdxCustomNavBar::GetClientRect() {
  TRect R = TdxNavBarControlBase::GetClientRect();
  if (scrollBar_ && scrollBar_->Visible()) R.right -= scrollBar_->Width();
  return R;
}

void TdxCustomNavBar::InitiateAction() {
  TdxNavBarControlBase::InitiateAction();
  groups_->UpdateActionLinks();
}

bool TdxCustomNavBar::CanFocus() { return TdxNavBarControlBase::CanFocus() && TabStop(); }

void TdxCustomNavBar::CreateParams(TCreateParams& Params) {
  TdxNavBarControlBase::CreateParams(Params);
  if (borderStyle_ == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
  Params.WindowClassStyle &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TdxCustomNavBar::CreateWindowHandle(const TCreateParams& Params) {
  TdxNavBarControlBase::CreateWindowHandle(Params);
  scrollBar_->Reset();
}

void TdxCustomNavBar::Paint() { Painter()->Paint(Canvas()); }

void TdxCustomNavBar::WMCreate(TMessage& Message) {
  Inherited::Dispatch(Message);
  InvalidateAll(nbiRebuild);
}

void TdxCustomNavBar::WMGetDlgCode(TMessage& Message) {
  Inherited::Dispatch(Message);
  Message.Result |= DLGC_WANTARROWS;
}

void TdxCustomNavBar::CMSysColorChange(TMessage& Message) {
  Inherited::Dispatch(Message);
  ViewInfo()->RefreshColors();
  InvalidateAll(nbiRepaint);
}

void TdxCustomNavBar::CMCtl3DChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (borderStyle_ == bsSingle && HandleAllocated()) RecreateWnd();
}

void TdxCustomNavBar::ThemeChanged() {
  if (static_cast<TdxNavBarPainterClass>(Painter()->ClassType())->RecreateOnThemeChange()) {
    SetViewStyle(CreatePainter());
    return;
  }
  ViewInfo()->RefreshColors();
  InvalidateAll(nbiRebuild);
}
