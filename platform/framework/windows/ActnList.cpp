#include "platform/framework/windows/ActnList.h"

#include <algorithm>

#include "platform/framework/windows/Forms.h"
#include "platform/framework/graphics/ImageList.h"

DEFINE_CLASS(TBasicActionLink)
DEFINE_CLASS(TActionLink)
DEFINE_CLASS(TBasicAction)
DEFINE_CLASS(TContainedAction)
DEFINE_CLASS(TCustomAction)
DEFINE_CLASS(TAction)
DEFINE_CLASS(THintAction)
DEFINE_CLASS(TCustomActionList)
DEFINE_CLASS(TActionList)
DEFINE_CLASS(TControlActionLink)

namespace {

std::vector<TCustomActionList*>& LiveLists() {
  static std::vector<TCustomActionList*> lists;
  return lists;
}

// Sets ActionComponent for the duration of an execute.
class ActionComponentScope {
 public:
  ActionComponentScope(TBasicAction* action, TComponent* component)
      : action_(action), saved_(action->ActionComponent()) {
    action_->SetActionComponent(component);
  }
  ~ActionComponentScope() { action_->SetActionComponent(saved_); }

 private:
  TBasicAction* action_;
  TComponent* saved_;
};

}  // namespace

bool SameHandler(const TNotifyEvent& A, const TNotifyEvent& B) { return A == B || A.SameCode(B); }

// ---- TBasicActionLink ----------------------------------------------------------------------------

TBasicActionLink::~TBasicActionLink() {
  if (action_) action_->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (Value == action_) return;
  if (action_) action_->UnRegisterChanges(this);
  action_ = Value;
  if (action_) action_->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent) {
  if (!action_) return false;
  ActionComponentScope scope(action_, AComponent);
  return action_->Execute();
}

bool TBasicActionLink::Update() { return action_ && action_->Update(); }

void TBasicActionLink::Change() {
  if (OnChange) OnChange(action_);
}

// ---- TActionLink ---------------------------------------------------------------------------------

bool TActionLink::IsCaptionLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsCheckedLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsEnabledLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsGroupIndexLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsHelpContextLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsHintLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsImageIndexLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsShortCutLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsVisibleLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }

// ---- TBasicAction --------------------------------------------------------------------------------

TBasicAction::~TBasicAction() {
  // Every client forgets the action; a link may unregister others while it is told.
  while (!clients_.empty()) {
    TBasicActionLink* link = clients_.back();
    clients_.pop_back();
    Guarded([&] { link->ActionFreed(); });
  }
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

void TBasicAction::SetOnExecute(const TNotifyEvent& Value) {
  if (Value == OnExecute) return;
  for (TBasicActionLink* link : clients_) {
    if (link->IsOnExecuteLinked()) link->SetOnExecute(Value);
  }
  OnExecute = Value;
  Change();
}

void TBasicAction::Change() {
  // By index: a link's handler may add or remove links.
  for (std::size_t i = 0; i < clients_.size(); ++i) clients_[i]->Change();
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link) { clients_.push_back(Link); }

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link) {
  auto it = std::find(clients_.begin(), clients_.end(), Link);
  if (it != clients_.end()) clients_.erase(it);
}

// ---- TContainedAction ----------------------------------------------------------------------------

TContainedAction::~TContainedAction() {
  if (actionList_) actionList_->RemoveAction(this);
}

void TContainedAction::SetActionList(TCustomActionList* Value) {
  if (Value == actionList_) return;
  if (actionList_) actionList_->RemoveAction(this);
  if (Value) Value->AddAction(this);
}

int TContainedAction::Index() const { return actionList_ ? actionList_->IndexOfAction(this) : -1; }

void TContainedAction::SetIndex(int Value) {
  if (actionList_) actionList_->MoveAction(this, Value);
}

bool TContainedAction::Execute() {
  if (actionList_ && actionList_->ExecuteAction(this)) return true;
  return TBasicAction::Execute();
}

bool TContainedAction::Update() {
  if (actionList_ && actionList_->UpdateAction(this)) return true;
  return TBasicAction::Update();
}

TComponent* TContainedAction::GetParentComponent() const { return actionList_; }

void TContainedAction::SetParentComponent(TComponent* Value) {
  SetActionList(dynamic_cast<TCustomActionList*>(Value));
}

// ---- TCustomAction -------------------------------------------------------------------------------

template <class T>
void TCustomAction::Assign(T& field, const T& value, bool (TActionLink::*isLinked)(),
                           void (TActionLink::*set)(const T&)) {
  if (field == value) return;
  for (std::size_t i = 0; i < clients_.size(); ++i) {
    if (auto* link = dynamic_cast<TActionLink*>(clients_[i]); link && (link->*isLinked)()) (link->*set)(value);
  }
  field = value;
  Change();
}

template <class T>
void TCustomAction::AssignValue(T& field, T value, bool (TActionLink::*isLinked)(), void (TActionLink::*set)(T)) {
  if (field == value) return;
  for (std::size_t i = 0; i < clients_.size(); ++i) {
    if (auto* link = dynamic_cast<TActionLink*>(clients_[i]); link && (link->*isLinked)()) (link->*set)(value);
  }
  field = value;
  Change();
}

void TCustomAction::SetCaption(const String& Value) {
  Assign(caption_, Value, &TActionLink::IsCaptionLinked, &TActionLink::SetCaption);
}

void TCustomAction::SetChecked(bool Value) {
  if (checked_ == Value) return;
  AssignValue(checked_, Value, &TActionLink::IsCheckedLinked, &TActionLink::SetChecked);
  if (!Value || groupIndex_ <= 0 || !ActionList()) return;
  TCustomActionList* list = ActionList();
  for (int i = 0; i < list->ActionCount(); ++i) {
    auto* other = dynamic_cast<TCustomAction*>(list->Actions(i));
    if (other && other != this && other->groupIndex_ == groupIndex_) other->SetChecked(false);
  }
}

void TCustomAction::SetEnabled(bool Value) {
  AssignValue(enabled_, Value, &TActionLink::IsEnabledLinked, &TActionLink::SetEnabled);
}

void TCustomAction::SetGroupIndex(int Value) {
  AssignValue(groupIndex_, Value, &TActionLink::IsGroupIndexLinked, &TActionLink::SetGroupIndex);
}

void TCustomAction::SetHelpContext(int Value) {
  AssignValue(helpContext_, Value, &TActionLink::IsHelpContextLinked, &TActionLink::SetHelpContext);
}

void TCustomAction::SetHint(const String& Value) {
  Assign(hint_, Value, &TActionLink::IsHintLinked, &TActionLink::SetHint);
}

void TCustomAction::SetImageIndex(int Value) {
  AssignValue(imageIndex_, Value, &TActionLink::IsImageIndexLinked, &TActionLink::SetImageIndex);
}

void TCustomAction::SetShortCut(TShortCut Value) {
  AssignValue(shortCut_, Value, &TActionLink::IsShortCutLinked, &TActionLink::SetShortCut);
}

void TCustomAction::SetVisible(bool Value) {
  AssignValue(visible_, Value, &TActionLink::IsVisibleLinked, &TActionLink::SetVisible);
}

bool TCustomAction::Execute() {
  Update();
  if (!enabled_) return false;
  if (AutoCheck && !(checked_ && groupIndex_ > 0)) SetChecked(!checked_);
  return TContainedAction::Execute();
}

bool TCustomAction::DoHint(String& HintStr) {
  bool canShow = true;
  if (OnHint) OnHint(HintStr, canShow);
  return canShow;
}

// ---- Action lists --------------------------------------------------------------------------------

const std::vector<TCustomActionList*>& ActionLists() { return LiveLists(); }

TCustomActionList::TCustomActionList(TComponent* AOwner) : TComponent(AOwner) { LiveLists().push_back(this); }

TCustomActionList::~TCustomActionList() {
  auto& lists = LiveLists();
  lists.erase(std::remove(lists.begin(), lists.end(), this), lists.end());
  while (!actions_.empty()) {
    TContainedAction* action = actions_.back();
    Guarded([&] { action->Free(); });
    // A destructor that failed still left the list.
    if (!actions_.empty() && actions_.back() == action) actions_.pop_back();
  }
}

void TCustomActionList::AddAction(TContainedAction* Action) {
  if (!Action || Action->actionList_ == this) return;
  if (Action->actionList_) Action->actionList_->RemoveAction(Action);
  actions_.push_back(Action);
  Action->actionList_ = this;
  if (OnChange) OnChange(this);
}

void TCustomActionList::RemoveAction(TContainedAction* Action) {
  auto it = std::find(actions_.begin(), actions_.end(), Action);
  if (it == actions_.end()) return;
  actions_.erase(it);
  Action->actionList_ = nullptr;
  if (OnChange && !ComponentState().Contains(csDestroying)) OnChange(this);
}

int TCustomActionList::IndexOfAction(const TContainedAction* Action) const {
  auto it = std::find(actions_.begin(), actions_.end(), Action);
  return it == actions_.end() ? -1 : static_cast<int>(it - actions_.begin());
}

void TCustomActionList::MoveAction(TContainedAction* Action, int NewIndex) {
  const int from = IndexOfAction(Action);
  if (from < 0) return;
  NewIndex = std::clamp(NewIndex, 0, ActionCount() - 1);
  actions_.erase(actions_.begin() + from);
  actions_.insert(actions_.begin() + NewIndex, Action);
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
  bool handled = false;
  if (OnExecute) OnExecute(Action, handled);
  return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action) {
  bool handled = false;
  if (OnUpdate) OnUpdate(Action, handled);
  return handled;
}

bool TCustomActionList::IsShortCut(TShortCut ShortCut) {
  if (ShortCut == scNone) return false;
  for (std::size_t i = 0; i < actions_.size(); ++i) {
    auto* action = dynamic_cast<TCustomAction*>(actions_[i]);
    if (action && action->ShortCut() == ShortCut && action->Execute()) return true;
  }
  return false;
}

void TCustomActionList::SetImages(TCustomImageList* Value) {
  if (images_ == Value) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = Value;
  if (images_) images_->FreeNotification(this);
  for (TContainedAction* action : actions_) {
    if (auto* custom = dynamic_cast<TCustomAction*>(action)) custom->Change();
  }
}

TCustomForm* TCustomActionList::Form() const {
  for (TComponent* owner = Owner(); owner; owner = owner->Owner()) {
    if (auto* form = dynamic_cast<TCustomForm*>(owner)) return form;
  }
  return nullptr;
}

void TCustomActionList::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TContainedAction* action : actions_) {
    if (action->Owner() == Root) Proc(action);
  }
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) images_ = nullptr;
}

bool ActionListsShortCut(TCustomForm* Form, TShortCut ShortCut) {
  const auto& lists = LiveLists();
  for (std::size_t i = 0; i < lists.size(); ++i) {
    if (lists[i]->Form() == Form && lists[i]->IsShortCut(ShortCut)) return true;
  }
  return false;
}

// ---- Controls as clients -------------------------------------------------------------------------

namespace {

TCustomAction* CustomAction(TBasicActionLink* link) { return dynamic_cast<TCustomAction*>(link->Action()); }

}  // namespace

bool TControlActionLink::IsCaptionLinked() {
  return TActionLink::IsCaptionLinked() && control_->Caption() == CustomAction(this)->Caption();
}

bool TControlActionLink::IsEnabledLinked() {
  return TActionLink::IsEnabledLinked() && control_->Enabled() == CustomAction(this)->Enabled();
}

bool TControlActionLink::IsHelpContextLinked() {
  return TActionLink::IsHelpContextLinked() && control_->HelpContext == CustomAction(this)->HelpContext();
}

bool TControlActionLink::IsHintLinked() {
  return TActionLink::IsHintLinked() && control_->Hint() == CustomAction(this)->Hint();
}

bool TControlActionLink::IsVisibleLinked() {
  return TActionLink::IsVisibleLinked() && control_->Visible() == CustomAction(this)->Visible();
}

bool TControlActionLink::IsOnExecuteLinked() {
  return Action() && SameHandler(control_->OnClick, Action()->OnExecute);
}

void TControlActionLink::SetCaption(const String& Value) { control_->SetCaption(Value); }
void TControlActionLink::SetEnabled(bool Value) { control_->SetEnabled(Value); }
void TControlActionLink::SetHelpContext(int Value) { control_->HelpContext = Value; }
void TControlActionLink::SetHint(const String& Value) { control_->SetHint(Value); }
void TControlActionLink::SetVisible(bool Value) { control_->SetVisible(Value); }
void TControlActionLink::SetOnExecute(const TNotifyEvent& Value) { control_->OnClick = Value; }

// TControl's share of actions lives here, beside the links.

TControlActionLink* TControl::ActionLink() const { return static_cast<TControlActionLink*>(actionLink_.get()); }

TBasicAction* TControl::Action() const { return actionLink_ ? ActionLink()->Action() : nullptr; }

TControlActionLink* TControl::CreateActionLink() { return new TControlActionLink(this); }

void TControl::SetAction(TBasicAction* Value) {
  if (!Value) {
    actionLink_.reset();
    return;
  }
  if (!actionLink_) actionLink_.reset(CreateActionLink());
  TControlActionLink* link = ActionLink();
  link->SetAction(Value);
  link->OnChange = [this](TObject* Sender) {
    if (Sender == Action()) ActionChange(Sender, false);
  };
  ActionChange(Value, Value->ComponentState().Contains(csLoading));
}

void TControl::InitiateAction() {
  if (actionLink_) ActionLink()->Update();
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || Caption().empty() || Caption() == Name()) SetCaption(action->Caption());
  if (!CheckDefaults || Enabled()) SetEnabled(action->Enabled());
  if (!CheckDefaults || HelpContext == 0) HelpContext = action->HelpContext();
  if (!CheckDefaults || Hint().empty()) SetHint(action->Hint());
  if (!CheckDefaults || Visible()) SetVisible(action->Visible());
  if (!CheckDefaults || !OnClick) OnClick = action->OnExecute;
  if (actionLink_) ActionLink()->ActionChanged(action, CheckDefaults);
}

bool TControl::ClickAction() {
  TBasicAction* action = Action();
  if (!action || ComponentState().Contains(csDesigning)) return false;
  if (OnClick && !SameHandler(OnClick, action->OnExecute)) return false;
  ActionLink()->Execute(this);
  return true;
}

// ---- The idle pass and the hint action -----------------------------------------------------------

namespace {

void InitiateActions(TWinControl* parent) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    if (!control->Visible()) continue;
    control->InitiateAction();
    if (auto* win = dynamic_cast<TWinControl*>(control)) InitiateActions(win);
  }
}

bool OfferAction(TBasicAction* action, TWinControl* parent) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    if (control->Perform(CM_ACTIONEXECUTE, 0, reinterpret_cast<LPARAM>(action)) != 0) return true;
    if (action->HandlesTarget(control)) {
      action->ExecuteTarget(control);
      return true;
    }
    if (auto* win = dynamic_cast<TWinControl*>(control); win && OfferAction(action, win)) return true;
  }
  return false;
}

}  // namespace

void UpdateActionsAtIdle() {
  if (!Screen) return;
  const auto& lists = LiveLists();
  for (int f = 0; f < Screen->FormCount(); ++f) {
    TCustomForm* form = Screen->Forms(f);
    if (!form->Visible()) continue;
    for (std::size_t l = 0; l < lists.size(); ++l) {
      TCustomActionList* list = lists[l];
      if (list->Form() != form) continue;
      for (int a = 0; a < list->ActionCount(); ++a) list->Actions(a)->Update();
    }
    form->InitiateAction();
    InitiateActions(form);
  }
}

bool ExecuteActionOnForm(TBasicAction* Action, TCustomForm* Form) {
  if (!Action || !Form) return false;
  if (Form->Perform(CM_ACTIONEXECUTE, 0, reinterpret_cast<LPARAM>(Action)) != 0) return true;
  return OfferAction(Action, Form);
}

void ExecuteHintAction(const String& Hint) {
  if (!Application || !Application->MainForm()) return;
  THintAction action(nullptr);
  action.SetHint(Hint);
  ExecuteActionOnForm(&action, Application->MainForm());
}

