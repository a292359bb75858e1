#include "ui/navbar/NavBarItems.h"

#include "platform/framework/classes/Filer.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/navbar/NavBarAccessibility.h"
#include "ui/navbar/NavBarPainter.h"

DEFINE_CLASS(TdxNavBarCustomItem)
DEFINE_CLASS(TdxNavBarItemLink)
DEFINE_CLASS(TdxNavBarItemLinks)
DEFINE_CLASS(TdxNavBarGroupExpansionOptions)
DEFINE_CLASS(TdxNavBarGroupControlOptions)
DEFINE_CLASS(TdxNavBarGroup)
DEFINE_CLASS(TdxNavBarItemActionLink)
DEFINE_CLASS(TdxNavBarItem)
DEFINE_CLASS(TdxNavBarCustomItems)
DEFINE_CLASS(TdxNavBarGroups)
DEFINE_CLASS(TdxNavBarItems)
DEFINE_CLASS(TdxNavBarGroupControl)

void RaiseInvalidGroupControl() { throw Exception(dxNavBarResourceString(sdxNavBarInvalidGroupControl)); }

// ---- TdxNavBarCustomItem ----------------------------------------------------------------------

void TdxNavBarCustomItem::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarCustomItem*>(Source);
  if (!source) return TdxNavBarComponentCollectionItem::Assign(Source);
  SetLargeImageIndex(source->largeImageIndex_);
  SetSmallImageIndex(source->smallImageIndex_);
  SetVisible(source->visible_);
  SetCaption(source->caption_);
  SetHint(source->hint_);
}

void TdxNavBarCustomItem::SetName(const String& NewName) {
  const bool followName = !IsLoading() && !Name().empty() && Name() == caption_;
  TdxNavBarComponentCollectionItem::SetName(NewName);
  if (followName) SetCaption(NewName);
}

void TdxNavBarCustomItem::SetCaption(const String& Value) {
  if (caption_ == Value) return;
  caption_ = Value;
  ReportItemChange(false);
}

void TdxNavBarCustomItem::SetLargeImageIndex(int Value) {
  if (largeImageIndex_ == Value) return;
  largeImageIndex_ = Value;
  ReportItemChange(false);
}

void TdxNavBarCustomItem::SetSmallImageIndex(int Value) {
  if (smallImageIndex_ == Value) return;
  smallImageIndex_ = Value;
  ReportItemChange(false);
}

void TdxNavBarCustomItem::SetVisible(bool Value) {
  if (visible_ != Value) ApplyVisible(Value);
}

void TdxNavBarCustomItem::ApplyVisible(bool Value) {
  visible_ = Value;
  ReportItemChange(true);
}

// ---- links --------------------------------------------------------------------------------------

TdxNavBarItemLink::TdxNavBarItemLink(TCollection* ACollection) : TCollectionItem(ACollection) {}

TdxNavBarItemLink::~TdxNavBarItemLink() {
  // A link deleted without Free still leaves its group whole.
  if (TdxNavBarGroup* group = Group())
    if (group->selectedLink_ == this) group->selectedLink_ = nullptr;
}

void TdxNavBarItemLink::BeforeDestruction() {
  dxNavBarReleaseAccessibilityHelper(accessibilityObject_);
  TdxNavBarGroup* group = Group();
  const bool tell = group && !group->ComponentState().Contains(csDestroying);
  if (IsSelected()) Select(false);
  if (group && group->selectedLink_ == this) group->selectedLink_ = nullptr;
  item_ = nullptr;
  TCollectionItem::BeforeDestruction();
  if (tell) group->LinkRemoved(this);
}

void TdxNavBarItemLink::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarItemLink*>(Source);
  if (!source) return TCollectionItem::Assign(Source);
  SetItem(source->item_);
  Data = source->Data;
}

void TdxNavBarItemLink::SetItem(TdxNavBarItem* Value) {
  if (item_ == Value) return;
  item_ = Value;
  if (TdxNavBarGroup* group = Group()) group->FreeNotification(item_);
  Changed(false);
}

TdxNavBarGroup* TdxNavBarItemLink::Group() const {
  auto* links = dynamic_cast<TdxNavBarItemLinks*>(Collection());
  return links ? links->Group() : nullptr;
}

bool TdxNavBarItemLink::IsSelected() const {
  TdxNavBarGroup* group = Group();
  return group && group->selectedLink_ == this;
}

void TdxNavBarItemLink::Select(bool AValue) {
  TdxNavBarGroup* group = Group();
  if (!group || IsSelected() == AValue || group->ComponentState().Contains(csDestroying)) return;
  group->SetSelectedLinkIndex(AValue ? Index() : -1);
}

bool TdxNavBarItemLink::CanSelect() const { return item_ && item_->IsEnabled(); }

IdxNavBarAccessibilityHelper* TdxNavBarItemLink::AccessibilityObject() {
  TdxNavBarGroup* group = Group();
  if (!accessibilityObject_ && group && group->NavBar())
    accessibilityObject_ = dxNavBarCreateAccessibilityHelper(&TdxNavBarItemLinkAccessibilityHelper::ClassInfo(), this,
                                                             group->NavBar());
  return accessibilityObject_.get();
}

void TdxNavBarItemLink::UpdateActionLink() {
  if (item_ && item_->ActionLink()) item_->ActionLink()->Update();
}

void TdxNavBarItemLink::DefineProperties(TFiler& Filer) {
  Filer.DefineProperty(
      L"Item",
      [this](TReader& Reader) {
        const String name = Reader.ReadString();
        TComponent* owner = Reader.Owner() ? Reader.Owner() : Reader.Root();
        auto* item = owner ? dynamic_cast<TdxNavBarItem*>(owner->FindComponent(name)) : nullptr;
        if (!item) throw EReadError(Format(L"Error reading link: no item '%s'", {name}));
        SetItem(item);
      },
      [this](TWriter& Writer) { Writer.WriteString(item_->Name()); }, item_ != nullptr);
}

TdxNavBarItemLinks::TdxNavBarItemLinks(TdxNavBarGroup* AGroup)
    : TOwnedCollection(AGroup, &TdxNavBarItemLink::ClassInfo()), group_(AGroup) {}

void TdxNavBarItemLinks::Update(TCollectionItem* Item) {
  if (group_) group_->LinksChanged(static_cast<TdxNavBarItemLink*>(Item));
}

void TdxNavBarItemLinks::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  TOwnedCollection::Notify(Item, Action);
  if (group_ && Action == cnAdded) group_->LinkAdded(static_cast<TdxNavBarItemLink*>(Item));
}

// ---- group options ----------------------------------------------------------------------------

TdxNavBarGroupExpansionOptions::TdxNavBarGroupExpansionOptions(TdxNavBarGroup* AGroup)
    : TcxOwnedPersistent(AGroup), group_(AGroup) {}

void TdxNavBarGroupExpansionOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarGroupExpansionOptions*>(Source);
  if (!source) return TcxOwnedPersistent::Assign(Source);
  SetExpandable(source->expandable_);
  SetExpanded(source->expanded_);
  SetShowExpandButton(source->showExpandButton_);
}

void TdxNavBarGroupExpansionOptions::SetExpanded(bool Value) {
  if (expanded_ == Value) return;
  expanded_ = Value;
  group_->ReportItemChange(true);
  if (Value)
    group_->DoExpanded();
  else
    group_->DoCollapsed();
}

void TdxNavBarGroupExpansionOptions::SetShowExpandButton(bool Value) {
  if (showExpandButton_ == Value) return;
  showExpandButton_ = Value;
  group_->ReportItemChange(false);
}

TdxNavBarGroupControlOptions::TdxNavBarGroupControlOptions(TdxNavBarGroup* AGroup)
    : TcxOwnedPersistent(AGroup), group_(AGroup) {}

void TdxNavBarGroupControlOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarGroupControlOptions*>(Source);
  if (!source) return TcxOwnedPersistent::Assign(Source);
  SetAllowControlResizing(source->allowControlResizing_);
  SetUseControl(source->useControl_);
  SetShowControl(source->showControl_);
}

void TdxNavBarGroupControlOptions::SetAllowControlResizing(bool Value) {
  if (allowControlResizing_ == Value) return;
  allowControlResizing_ = Value;
  group_->ReportItemChange(true);
}

void TdxNavBarGroupControlOptions::SetShowControl(bool Value) {
  if (showControl_ == Value) return;
  showControl_ = Value;
  if (Value && !useControl_ && !group_->IsLoading()) {
    useControl_ = true;
    group_->CreateControl();
  }
  group_->ReportItemChange(true);
}

void TdxNavBarGroupControlOptions::SetUseControl(bool Value) {
  if (useControl_ == Value) return;
  useControl_ = Value;
  if (!group_->IsLoading()) {
    showControl_ = Value;
    if (Value)
      group_->CreateControl();
    else
      group_->DestroyControl();
  }
  group_->ReportItemChange(true);
}

// ---- TdxNavBarGroup ---------------------------------------------------------------------------

TdxNavBarGroup::TdxNavBarGroup(TComponent* AOwner)
    : TdxNavBarCustomItem(AOwner),
      optionsExpansion_(new TdxNavBarGroupExpansionOptions(this)),
      optionsGroupControl_(new TdxNavBarGroupControlOptions(this)),
      customStyles_(new TdxNavBarGroupCustomStyles(this)),
      links_(new TdxNavBarItemLinks(this)) {
  customStyles_->OnChange = {this, &TdxNavBarGroup::CustomStylesChanged};
}

TdxNavBarGroup::~TdxNavBarGroup() {
  // Freed while being destroyed: the links tell nobody, the control is dropped.
  FreeAndNil(customStyles_);
  DestroyControl();
  FreeAndNil(links_);
  selectedLink_ = nullptr;
  FreeAndNil(optionsGroupControl_);
  FreeAndNil(optionsExpansion_);
}

void TdxNavBarGroup::BeforeDestruction() {
  dxNavBarReleaseAccessibilityHelper(linkContainerAccessibilityObject_);
  dxNavBarReleaseAccessibilityHelper(captionPanelAccessibilityObject_);
  dxNavBarReleaseAccessibilityHelper(accessibilityObject_);
  TdxNavBarCustomItem::BeforeDestruction();
}

namespace {

IdxNavBarAccessibilityHelper* AccessibilityObjectOf(InterfacePtr<IdxNavBarAccessibilityHelper>& AObject,
                                                    TdxNavBarAccessibilityHelperClass AClass, TObject* AOwner,
                                                    TdxCustomNavBar* ANavBar) {
  if (!AObject && ANavBar) AObject = dxNavBarCreateAccessibilityHelper(AClass, AOwner, ANavBar);
  return AObject.get();
}

}  // namespace

IdxNavBarAccessibilityHelper* TdxNavBarGroup::AccessibilityObject() {
  return AccessibilityObjectOf(accessibilityObject_, AccessibilityHelperClass(), this, NavBar());
}

IdxNavBarAccessibilityHelper* TdxNavBarGroup::CaptionPanelAccessibilityObject() {
  return AccessibilityObjectOf(captionPanelAccessibilityObject_, CaptionPanelAccessibilityHelperClass(), this,
                               NavBar());
}

IdxNavBarAccessibilityHelper* TdxNavBarGroup::LinkContainerAccessibilityObject() {
  return AccessibilityObjectOf(linkContainerAccessibilityObject_, LinkContainerAccessibilityHelperClass(), this,
                               NavBar());
}

TdxNavBarAccessibilityHelperClass TdxNavBarGroup::AccessibilityHelperClass() {
  return &TdxNavBarGroupAccessibilityHelper::ClassInfo();
}

TdxNavBarAccessibilityHelperClass TdxNavBarGroup::CaptionPanelAccessibilityHelperClass() {
  return &TdxNavBarGroupCaptionPanelAccessibilityHelper::ClassInfo();
}

TdxNavBarAccessibilityHelperClass TdxNavBarGroup::LinkContainerAccessibilityHelperClass() {
  return &TdxNavBarItemLinkContainerAccessibilityHelper::ClassInfo();
}

void TdxNavBarGroup::Loaded() {
  TdxNavBarCustomItem::Loaded();
  if (!control_) {
    optionsGroupControl_->useControl_ = false;
    optionsGroupControl_->showControl_ = false;
  }
  SetTopVisibleLinkIndex(topVisibleLinkIndex_);
  SetSelectedLinkIndex(loadedSelectedLinkIndex_);
}

void TdxNavBarGroup::Notification(TComponent* AComponent, TOperation Operation) {
  TdxNavBarCustomItem::Notification(AComponent, Operation);
  if (Operation != opRemove || !links_) return;
  if (auto* item = dynamic_cast<TdxNavBarItem*>(AComponent)) RemoveLinksOfItem(item);
  if (AComponent == control_ && control_) {
    control_ = nullptr;
    optionsGroupControl_->useControl_ = false;
    optionsGroupControl_->showControl_ = false;
    ReportItemChange(true);
  }
}

void TdxNavBarGroup::SetName(const String& NewName) {
  const String oldName = Name();
  TdxNavBarCustomItem::SetName(NewName);
  // At design time the control's name follows; there is no designer at run time.
  if (control_ && ComponentState().Contains(csDesigning) && !oldName.empty() &&
      control_->Name().compare(0, oldName.size(), oldName) == 0) {
    try {
      control_->SetName(NewName + control_->Name().substr(oldName.size()));
    } catch (const EComponentError&) {
    }
  }
}

void TdxNavBarGroup::UpdateActionLinks() {
  for (int i = 0; i < LinkCount(); ++i) LinkAt(i)->UpdateActionLink();
}

TcxComponentCollection* TdxNavBarGroup::CollectionOfParent(TComponent* AParent) {
  auto* bar = dynamic_cast<TdxCustomNavBar*>(AParent);
  return bar ? bar->Groups() : nullptr;
}

void TdxNavBarGroup::ApplyVisible(bool Value) {
  TdxCustomNavBar* bar = NavBar();
  const bool react = bar && !IsLoading() && !bar->IsLoading();
  TdxNavBarGroup* previous = react ? bar->EffectiveActiveGroup() : nullptr;
  StoreVisible(Value);
  if (control_) control_->SetVisible(Value);
  ReportItemChange(true);
  if (!react) return;
  if (Value && !previous)
    bar->SetActiveGroup(this);
  else if (!Value && previous == this)
    bar->SetActiveGroup(nullptr);
}

void TdxNavBarGroup::SetAlign(TdxBarStyleVAlignment Value) {
  if (align_ == Value) return;
  align_ = Value;
  ReportItemChange(true);
}

void TdxNavBarGroup::SetLinksUseSmallImages(bool Value) {
  if (linksUseSmallImages_ == Value) return;
  linksUseSmallImages_ = Value;
  ReportItemChange(false);
}

void TdxNavBarGroup::SetShowAsIconView(bool Value) {
  if (showAsIconView_ == Value) return;
  showAsIconView_ = Value;
  ReportItemChange(false);
}

void TdxNavBarGroup::SetShowCaption(bool Value) {
  if (showCaption_ == Value) return;
  showCaption_ = Value;
  ReportItemChange(false);
}

void TdxNavBarGroup::SetUseSmallImages(bool Value) {
  if (useSmallImages_ == Value) return;
  useSmallImages_ = Value;
  ReportItemChange(false);
}

int TdxNavBarGroup::SelectedLinkIndex() const {
  if (IsLoading()) return loadedSelectedLinkIndex_;
  return selectedLink_ ? selectedLink_->Index() : -1;
}

void TdxNavBarGroup::SetSelectedLinkIndex(int Value) {
  if (IsLoading()) {
    loadedSelectedLinkIndex_ = Value;
    return;
  }
  TdxCustomNavBar* bar = NavBar();
  if (Value < -1 || !bar || !bar->AllowSelectLinks()) Value = -1;
  if (Value > LinkCount() - 1) Value = LinkCount() - 1;
  if (Value == SelectedLinkIndex()) return;
  if (!bar->EachGroupHasSelectedLink() && !selectedLink_ && Value != -1) bar->DeselectAllLinks();
  selectedLink_ = Value == -1 ? nullptr : LinkAt(Value);
  ReportItemChange(false);
  DoSelectedLinkChanged();
}

void TdxNavBarGroup::SetTopVisibleLinkIndex(int Value) {
  if (IsLoading()) {
    topVisibleLinkIndex_ = Value;
    return;
  }
  Value = std::max(std::min(Value, LinkCount() - 1), 0);
  if (Value == topVisibleLinkIndex_) return;
  topVisibleLinkIndex_ = Value;
  ReportItemChange(false);
  DoTopVisibleLinkChanged();
}

TdxNavBarItemLink* TdxNavBarGroup::AddLinkForItem(TdxNavBarItem* AItem) {
  TdxNavBarItemLink* link = links_->Add();
  link->SetItem(AItem);
  return link;
}

void TdxNavBarGroup::RemoveLinksOfItem(TdxNavBarItem* AItem) {
  for (int i = LinkCount() - 1; i >= 0; --i)
    if (i < LinkCount() && LinkAt(i)->Item() == AItem) links_->Delete(i);
}

void TdxNavBarGroup::LinkAdded(TdxNavBarItemLink* ALink) {
  if (auto* groups = dynamic_cast<TdxNavBarGroups*>(Collection())) groups->LinksChanged(ALink);
  SetTopVisibleLinkIndex(topVisibleLinkIndex_);
}

void TdxNavBarGroup::LinkRemoved(TdxNavBarItemLink* ALink) { LinkAdded(ALink); }

void TdxNavBarGroup::LinksChanged(TdxNavBarItemLink* ALink) {
  if (ComponentState().Contains(csDestroying)) return;
  ReportItemChange(ALink == nullptr);
}

void TdxNavBarGroup::CustomStylesChanged(TObject*) { ReportItemChange(true); }

void TdxNavBarGroup::DoCollapsed() { InvokeNotifyEvent(this, OnCollapsed); }
void TdxNavBarGroup::DoExpanded() { InvokeNotifyEvent(this, OnExpanded); }
void TdxNavBarGroup::DoSelectedLinkChanged() { InvokeNotifyEvent(this, OnSelectedLinkChanged); }
void TdxNavBarGroup::DoTopVisibleLinkChanged() { InvokeNotifyEvent(this, OnTopVisibleLinkChanged); }

void TdxNavBarGroup::DefineProperties(TFiler& Filer) {
  TdxNavBarCustomItem::DefineProperties(Filer);
  Filer.DefineProperty(L"Links", {this, &TdxNavBarGroup::ReadLinks}, {this, &TdxNavBarGroup::WriteLinks}, true);
}

void TdxNavBarGroup::ReadLinks(TReader& Reader) {
  // Read aside first: damaged data leaves the group's links as they were.
  TdxNavBarItemLinks scratch(nullptr);
  Reader.ReadCollection(scratch);
  links_->BeginUpdate();
  try {
    links_->Clear();
    for (int i = 0; i < scratch.Count(); ++i) links_->Add()->Assign(scratch.Items(i));
  } catch (...) {
    links_->EndUpdate();
    throw;
  }
  links_->EndUpdate();
}

void TdxNavBarGroup::WriteLinks(TWriter& Writer) { Writer.WriteCollection(*links_); }

void TdxNavBarGroup::LinkControl(TdxNavBarGroupControl* AControl) {
  control_ = AControl;
  AControl->ownerGroup_ = this;
  FreeNotification(AControl);
}

void TdxNavBarGroup::CreateControl() {
  if (IsLoading() || control_ || !Collection()) return;
  auto* control = new TdxNavBarGroupControl(Owner());
  try {
    LinkControl(control);
    if (!Name().empty()) {
      const String base = L"Control";
      control->SetName(MakeUniqueItemName(Owner(), this, control, L"", &base));
    }
    control->SetParent(NavBar());
  } catch (...) {
    control_ = nullptr;
    control->ownerGroup_ = nullptr;
    control->Free();
    throw;
  }
}

void TdxNavBarGroup::DestroyControl() {
  TdxNavBarGroupControl* control = control_;
  if (!control) return;
  control_ = nullptr;
  control->ownerGroup_ = nullptr;
  RemoveFreeNotification(control);
  if (!control->ComponentState().Contains(csDestroying)) control->Free();
}

void TdxNavBarGroup::AttachControl(TdxNavBarGroupControl* AControl) {
  if (!Collection() || !AControl || AControl->Parent() != NavBar()) return;
  LinkControl(AControl);
}

void TdxNavBarGroup::DetachControl() {
  if (!control_) return;
  control_->ownerGroup_ = nullptr;
  RemoveFreeNotification(control_);
  control_ = nullptr;
}

// ---- items --------------------------------------------------------------------------------------

namespace {

TCustomAction* CustomActionOf(TBasicActionLink* Link) { return dynamic_cast<TCustomAction*>(Link->Action()); }

}  // namespace

TdxNavBarItemActionLink::TdxNavBarItemActionLink(TdxNavBarItem* AClient) : TActionLink(AClient), item_(AClient) {}

bool TdxNavBarItemActionLink::IsCaptionLinked() {
  return TActionLink::IsCaptionLinked() && item_->Caption() == CustomActionOf(this)->Caption();
}

bool TdxNavBarItemActionLink::IsEnabledLinked() {
  return TActionLink::IsEnabledLinked() && item_->Enabled() == CustomActionOf(this)->Enabled();
}

bool TdxNavBarItemActionLink::IsHintLinked() {
  return TActionLink::IsHintLinked() && item_->Hint() == CustomActionOf(this)->Hint();
}

bool TdxNavBarItemActionLink::IsImageIndexLinked() {
  if (!TActionLink::IsImageIndexLinked()) return false;
  const int index = CustomActionOf(this)->ImageIndex();
  return item_->LargeImageIndex() == index && item_->SmallImageIndex() == index;
}

bool TdxNavBarItemActionLink::IsVisibleLinked() {
  return TActionLink::IsVisibleLinked() && item_->Visible() == CustomActionOf(this)->Visible();
}

void TdxNavBarItemActionLink::SetCaption(const String& Value) { item_->SetCaption(Value); }
void TdxNavBarItemActionLink::SetEnabled(bool Value) { item_->SetEnabled(Value); }
void TdxNavBarItemActionLink::SetHint(const String& Value) { item_->SetHint(Value); }
void TdxNavBarItemActionLink::SetImageIndex(int Value) {
  item_->SetLargeImageIndex(Value);
  item_->SetSmallImageIndex(Value);
}
void TdxNavBarItemActionLink::SetVisible(bool Value) { item_->SetVisible(Value); }

TdxNavBarItem::TdxNavBarItem(TComponent* AOwner)
    : TdxNavBarCustomItem(AOwner), customStyles_(new TdxNavBarItemCustomStyles(this)) {
  customStyles_->OnChange = {this, &TdxNavBarItem::CustomStylesChanged};
}

TdxNavBarItem::~TdxNavBarItem() {
  FreeAndNil(customStyles_);
  FreeAndNil(actionLink_);
}

void TdxNavBarItem::Assign(TPersistent* Source) {
  TdxNavBarCustomItem::Assign(Source);
  if (auto* source = dynamic_cast<TdxNavBarItem*>(Source)) SetEnabled(source->enabled_);
}

void TdxNavBarItem::Loaded() {
  TdxNavBarCustomItem::Loaded();
  if (Action()) ActionChange(Action(), true);
}

void TdxNavBarItem::Notification(TComponent* AComponent, TOperation Operation) {
  TdxNavBarCustomItem::Notification(AComponent, Operation);
  // The action tells its links first; a link without an action is one whose action went.
  if (Operation == opRemove && actionLink_ && (AComponent == actionLink_->Action() || !actionLink_->Action()))
    FreeAndNil(actionLink_);
}

void TdxNavBarItem::SetAction(TBasicAction* Value) {
  if (!Value) {
    if (actionLink_ && actionLink_->Action()) RemoveFreeNotification(actionLink_->Action());
    FreeAndNil(actionLink_);
    return;
  }
  if (!actionLink_) actionLink_ = new TdxNavBarItemActionLink(this);
  // The action passes each changed value to the link while the item still shares it; the link's
  // change notice, which the framework sends after every change of the action, takes nothing more
  // (taking all values again would overwrite those the item no longer shares).
  actionLink_->SetAction(Value);
  ActionChange(Value, Value->ComponentState().Contains(csLoading));
  Value->FreeNotification(this);
}

void TdxNavBarItem::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || Caption().empty()) SetCaption(action->Caption());
  if (!CheckDefaults || Enabled()) SetEnabled(action->Enabled());
  if (!CheckDefaults || Hint().empty()) SetHint(action->Hint());
  if (!CheckDefaults || (LargeImageIndex() == -1 && SmallImageIndex() == -1)) {
    SetLargeImageIndex(action->ImageIndex());
    SetSmallImageIndex(action->ImageIndex());
  }
  if (!CheckDefaults || Visible()) SetVisible(action->Visible());
}

void TdxNavBarItem::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  ReportItemChange(false);
}

void TdxNavBarItem::UpdateActionLinks() {
  if (actionLink_) actionLink_->Update();
}

TdxNavBarItemCalculatorClass TdxNavBarItem::CalculatorClass() { return &TdxNavBarItemCalculator::ClassInfo(); }

void TdxNavBarItem::PaintLink(TdxNavBarPainter* APainter, TdxNavBarLinkViewInfo* ALinkViewInfo) {
  APainter->DrawLink(ALinkViewInfo);
}

TcxComponentCollection* TdxNavBarItem::CollectionOfParent(TComponent* AParent) {
  auto* bar = dynamic_cast<TdxCustomNavBar*>(AParent);
  return bar ? bar->Items() : nullptr;
}

void TdxNavBarItem::CustomStylesChanged(TObject*) { ReportItemChange(false); }

// ---- collections ------------------------------------------------------------------------------

TdxNavBarCustomItem* TdxNavBarCustomItems::FindByCaption(const String& ACaption) const {
  for (int i = 0; i < ItemCount(); ++i)
    if (ItemAt(i)->Caption() == ACaption) return ItemAt(i);
  return nullptr;
}

void TdxNavBarGroups::ItemNotification(TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction) {
  TdxNavBarCustomItems::ItemNotification(AItem, AAction);
  if (AAction != cckRemoving) return;
  if (auto* bar = dynamic_cast<TdxCustomNavBar*>(ParentComponent())) bar->Notification(AItem, opRemove);
}

void TdxNavBarItems::ItemNotification(TcxComponentCollectionItem* AItem, TcxCollectionChangeKind AAction) {
  TdxNavBarCustomItems::ItemNotification(AItem, AAction);
  auto* bar = dynamic_cast<TdxCustomNavBar*>(ParentComponent());
  if (AAction != cckRemoving || !bar || bar->IsDestroying()) return;
  auto* item = static_cast<TdxNavBarItem*>(AItem);
  for (int i = 0; i < bar->Groups()->Count(); ++i) bar->Groups()->GroupAt(i)->RemoveLinksOfItem(item);
}

void TdxNavBarItems::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarItems*>(Source);
  if (!source) return TdxNavBarCustomItems::Assign(Source);
  LockUpdates();
  try {
    FreeAllItems();
    TComponent* parent = ParentComponent();
    for (int i = 0; i < source->ItemCount(); ++i) {
      TdxNavBarItem* sourceItem = source->ItemAt(i);
      auto itemClass = static_cast<TComponentClass>(sourceItem->ClassType());
      auto* item = static_cast<TdxNavBarItem*>(itemClass->Create(parent ? parent->Owner() : nullptr));
      item->SetParentComponent(parent);
      AssignItemName(item);
      item->Assign(sourceItem);
    }
  } catch (...) {
    UnlockUpdates(true);
    throw;
  }
  UnlockUpdates(true);
}

// ---- TdxNavBarGroupControl --------------------------------------------------------------------

TdxNavBarGroupControl::TdxNavBarGroupControl(TComponent* AOwner) : TCustomPanel(AOwner) {
  SetBevelOuter(bvNone);
  SetBevelInner(bvNone);
  SetColor(clBtnFace);
  SetParentColor(false);
  SetTabStop(false);
  DoubleBuffered = true;
  SetParentBackground(false);
}

TdxNavBarGroupControl::~TdxNavBarGroupControl() {
  if (TdxNavBarGroup* group = ownerGroup_) {
    ownerGroup_ = nullptr;
    if (group->control_ == this) group->Notification(this, opRemove);
  }
}

void TdxNavBarGroupControl::SetParent(TWinControl* AParent) {
  if (AParent) {
    const bool loadingIntoBar = ComponentState().Contains(csLoading) && dynamic_cast<TdxCustomNavBar*>(AParent);
    if (!loadingIntoBar && !(ownerGroup_ && ownerGroup_->NavBar() == AParent)) RaiseInvalidGroupControl();
  }
  TCustomPanel::SetParent(AParent);
}

void TdxNavBarGroupControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (boundsLock_ == 0) originalHeight_ = AHeight;
  const bool differs = ALeft != Left() || ATop != Top() || AWidth != Width() || AHeight != Height();
  if (!differs || !(Visible() || boundsLock_ > 0)) return;
  TCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (boundsLock_ == 0 && ownerGroup_) ownerGroup_->ReportItemChange(true);
}

void TdxNavBarGroupControl::AdjustBounds(const TRect& ARect, bool AVisible) {
  const int height = originalHeight_;
  ++boundsLock_;
  try {
    SetVisible(AVisible);
    SetBounds(ARect.left, ARect.top, ARect.Width(), ARect.Height());
  } catch (...) {
    --boundsLock_;
    originalHeight_ = height;
    throw;
  }
  --boundsLock_;
  originalHeight_ = height;
}

void TdxNavBarGroupControl::SetUseStyle(bool Value) {
  if (useStyle_ == Value) return;
  useStyle_ = Value;
  Invalidate();
}

void TdxNavBarGroupControl::CMVisibleChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (boundsLock_ == 0 && ownerGroup_) ownerGroup_->ReportItemChange(true);
}

void TdxNavBarGroupControl::DefineProperties(TFiler& Filer) {
  TCustomPanel::DefineProperties(Filer);
  Filer.DefineProperty(
      L"GroupIndex", [this](TReader& Reader) { loadedGroupIndex_ = Reader.ReadInteger(); },
      [this](TWriter& Writer) { Writer.WriteInteger(ownerGroup_->IndexInCollection()); }, ownerGroup_ != nullptr);
  Filer.DefineProperty(
      L"OriginalHeight", [this](TReader& Reader) { originalHeight_ = Reader.ReadInteger(); },
      [this](TWriter& Writer) { Writer.WriteInteger(originalHeight_); }, true);
}

void TdxNavBarGroupControl::ReadState(TReader& Reader) {
  TCustomPanel::ReadState(Reader);
  auto* bar = dynamic_cast<TdxCustomNavBar*>(Reader.Parent());
  if (!bar || loadedGroupIndex_ < 0 || loadedGroupIndex_ >= bar->Groups()->Count()) RaiseInvalidGroupControl();
  TdxNavBarGroup* group = bar->Groups()->GroupAt(loadedGroupIndex_);
  if (group->control_ && group->control_ != this) RaiseInvalidGroupControl();
  group->LinkControl(this);
  if (!group->optionsGroupControl_->useControl_) {
    group->optionsGroupControl_->useControl_ = true;
    group->optionsGroupControl_->showControl_ = true;
  }
}

void TdxNavBarGroupControl::Paint() {
  TdxCustomNavBar* bar = ownerGroup_ ? ownerGroup_->NavBar() : nullptr;
  if (!useStyle_ || !bar) return TCustomPanel::Paint();
  TdxNavBarPainter* painter = bar->Painter();
  TdxNavBarGroupViewInfo* info = painter->ViewInfo()->GroupViewInfoOf(ownerGroup_);
  if (!info) {
    painter->PrepareToPaint();
    info = painter->ViewInfo()->GroupViewInfoOf(ownerGroup_);
  }
  if (info) painter->DrawGroupControl(Canvas(), ClientRect(), info);
}
