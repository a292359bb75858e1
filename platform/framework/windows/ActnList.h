#pragma once
// Actions: commands with a caption, state and handlers, shared by every client that shows them
// (buttons, menu items, bar items). A client follows its action through an action link; the action
// tells its links about a change before it stores the new value, so a link can still compare the
// client's value with the old one to decide whether the client follows.
//
// Action lists hold the actions of a form. When the message queue becomes idle, every action of
// every list of every visible form is updated (UpdateActionsAtIdle), then the visible controls
// refresh from their actions (InitiateAction).

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(WINDOWS);

#include <vector>

#include "platform/framework/windows/Controls.h"
#include "platform/framework/windows/ShortCuts.h"

class TBasicAction;
class TCustomActionList;
class TCustomImageList;

// ---- Links ---------------------------------------------------------------------------------------

class TBasicActionLink : public TObject {
  DECLARE_CLASS(TBasicActionLink, TObject)
 public:
  explicit TBasicActionLink(TObject* AClient) : client_(AClient) {}
  ~TBasicActionLink() override;

  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* Value);
  TObject* Client() const { return client_; }
  virtual bool Execute(TComponent* AComponent = nullptr);
  virtual bool Update();
  // Called with the action after every change of it.
  TNotifyEvent OnChange;

  virtual bool IsOnExecuteLinked() { return true; }
  virtual void SetOnExecute(const TNotifyEvent&) {}

 protected:
  friend class TBasicAction;
  virtual void Change();
  // The action is going away; the link forgets it.
  virtual void ActionFreed() { action_ = nullptr; }

 private:
  TObject* client_;
  TBasicAction* action_ = nullptr;
};

// Follows a TCustomAction: each Is…Linked says whether the client follows that property, each Set…
// passes a new value on when it does.
class TActionLink : public TBasicActionLink {
  DECLARE_CLASS(TActionLink, TBasicActionLink)
 public:
  using TBasicActionLink::TBasicActionLink;

  virtual bool IsCaptionLinked();
  virtual bool IsCheckedLinked();
  virtual bool IsEnabledLinked();
  virtual bool IsGroupIndexLinked();
  virtual bool IsHelpContextLinked();
  virtual bool IsHintLinked();
  virtual bool IsImageIndexLinked();
  virtual bool IsShortCutLinked();
  virtual bool IsVisibleLinked();

  virtual void SetCaption(const String&) {}
  virtual void SetChecked(bool) {}
  virtual void SetEnabled(bool) {}
  virtual void SetGroupIndex(int) {}
  virtual void SetHelpContext(int) {}
  virtual void SetHint(const String&) {}
  virtual void SetImageIndex(int) {}
  virtual void SetShortCut(TShortCut) {}
  virtual void SetVisible(bool) {}
};

// ---- Actions -------------------------------------------------------------------------------------

class TBasicAction : public TComponent {
  DECLARE_CLASS(TBasicAction, TComponent)
 public:
  explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
  ~TBasicAction() override;

  // Runs the action; true when something ran it.
  virtual bool Execute();
  // Refreshes the action's state; true when a handler did.
  virtual bool Update();
  virtual bool HandlesTarget(TObject*) { return false; }
  virtual void ExecuteTarget(TObject*) {}
  virtual void UpdateTarget(TObject*) {}
  // The client that runs the action, during Execute through a link.
  TComponent* ActionComponent() const { return actionComponent_; }
  void SetActionComponent(TComponent* Value) { actionComponent_ = Value; }

  // Assigning the field leaves the clients alone; SetOnExecute also gives it to the clients that
  // run the action's handler as their own click.
  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;
  void SetOnExecute(const TNotifyEvent& Value);

  int ClientCount() const { return static_cast<int>(clients_.size()); }
  TBasicActionLink* Clients(int Index) const { return clients_.at(Index); }

 protected:
  friend class TBasicActionLink;
  friend class TCustomActionList;
  // Tells every link that the action changed.
  virtual void Change();
  void RegisterChanges(TBasicActionLink* Link);
  void UnRegisterChanges(TBasicActionLink* Link);
  std::vector<TBasicActionLink*> clients_;

 private:
  TComponent* actionComponent_ = nullptr;
};

class TContainedAction : public TBasicAction {
  DECLARE_CLASS(TContainedAction, TBasicAction)
 public:
  explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  ~TContainedAction() override;

  TCustomActionList* ActionList() const { return actionList_; }
  void SetActionList(TCustomActionList* Value);
  const String& Category() const { return category_; }
  void SetCategory(const String& Value) { category_ = Value; }
  // Position in the list; -1 outside a list.
  int Index() const;
  void SetIndex(int Value);

  // The list's OnExecute/OnUpdate first; when it does not handle the action, the action's own.
  bool Execute() override;
  bool Update() override;
  bool HasParent() const override { return actionList_ != nullptr; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

 private:
  friend class TCustomActionList;
  TCustomActionList* actionList_ = nullptr;
  String category_;
};

using THintEvent = TEvent<void(String& HintStr, bool& CanShow)>;

class TCustomAction : public TContainedAction {
  DECLARE_CLASS(TCustomAction, TContainedAction)
 public:
  explicit TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

  // Updates first and does nothing while disabled; AutoCheck toggles Checked before the handler.
  bool Execute() override;
  // OnHint may change the text or refuse it; true when the hint is to be shown.
  virtual bool DoHint(String& HintStr);

  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  bool Checked() const { return checked_; }
  // Checking an action of a group (GroupIndex > 0) unchecks the others of its list in that group.
  void SetChecked(bool Value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int Value);
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int Value);
  const String& Hint() const { return hint_; }
  void SetHint(const String& Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  bool AutoCheck = false;
  THintEvent OnHint;

 private:
  // Passes the value to the links that follow the property, then stores it and tells the links.
  template <class T>
  void Assign(T& field, const T& value, bool (TActionLink::*isLinked)(), void (TActionLink::*set)(const T&));
  template <class T>
  void AssignValue(T& field, T value, bool (TActionLink::*isLinked)(), void (TActionLink::*set)(T));

  String caption_;
  bool checked_ = false;
  bool enabled_ = true;
  int groupIndex_ = 0;
  int helpContext_ = 0;
  String hint_;
  int imageIndex_ = -1;
  TShortCut shortCut_ = scNone;
  bool visible_ = true;
};

class TAction : public TCustomAction {
  DECLARE_CLASS(TAction, TCustomAction)
 public:
  explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

// Carries Application.Hint to whoever shows it (a status bar with an automatic hint panel).
class THintAction : public TCustomAction {
  DECLARE_CLASS(THintAction, TCustomAction)
 public:
  explicit THintAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

// ---- Action lists --------------------------------------------------------------------------------

using TActionEvent = TEvent<void(TBasicAction* Action, bool& Handled)>;

class TCustomActionList : public TComponent {
  DECLARE_CLASS(TCustomActionList, TComponent)
 public:
  explicit TCustomActionList(TComponent* AOwner);
  // Frees the actions it holds; they leave their owners.
  ~TCustomActionList() override;

  int ActionCount() const { return static_cast<int>(actions_.size()); }
  TContainedAction* Actions(int Index) const { return actions_.at(Index); }
  void AddAction(TContainedAction* Action);
  void RemoveAction(TContainedAction* Action);
  int IndexOfAction(const TContainedAction* Action) const;
  void MoveAction(TContainedAction* Action, int NewIndex);

  // OnExecute/OnUpdate; true when the handler says it handled the action.
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);
  // Runs the first action with the key's shortcut that is enabled after its update.
  virtual bool IsShortCut(TShortCut ShortCut);

  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  // The form the list works for: the first form among its owners; null when none.
  TCustomForm* Form() const;

  TActionEvent OnExecute;
  TActionEvent OnUpdate;
  TNotifyEvent OnChange;

  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::vector<TContainedAction*> actions_;
  TCustomImageList* images_ = nullptr;
};

class TActionList : public TCustomActionList {
  DECLARE_CLASS(TActionList, TCustomActionList)
 public:
  explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};

// Every live action list, in creation order.
const std::vector<TCustomActionList*>& ActionLists();
// Runs the first shortcut match among Form's action lists, in creation order.
bool ActionListsShortCut(TCustomForm* Form, TShortCut ShortCut);

// ---- Controls as clients -------------------------------------------------------------------------

// Follows an action with a control's caption, enabled state, hint, visibility, help context and
// click. A client follows a property while its value still equals the action's.
class TControlActionLink : public TActionLink {
  DECLARE_CLASS(TControlActionLink, TActionLink)
 public:
  explicit TControlActionLink(TControl* AClient) : TActionLink(AClient), control_(AClient) {}
  TControl* Control() const { return control_; }

  bool IsCaptionLinked() override;
  bool IsEnabledLinked() override;
  bool IsHelpContextLinked() override;
  bool IsHintLinked() override;
  bool IsVisibleLinked() override;
  bool IsOnExecuteLinked() override;
  void SetCaption(const String& Value) override;
  void SetEnabled(bool Value) override;
  void SetHelpContext(int Value) override;
  void SetHint(const String& Value) override;
  void SetVisible(bool Value) override;
  void SetOnExecute(const TNotifyEvent& Value) override;
  // Called at the end of the control's ActionChange: links of controls with more state (checked,
  // down, image) take it from the action here.
  virtual void ActionChanged(TCustomAction*, bool /*CheckDefaults*/) {}

 private:
  TControl* control_;
};

// True when two handlers run the same code: equal bindings, or the same member function.
bool SameHandler(const TNotifyEvent& A, const TNotifyEvent& B);

// ---- The idle pass and the hint action -----------------------------------------------------------

// Updates every action of every action list of every visible form, then lets the visible
// controls of those forms refresh from their actions. Allocates nothing.
void UpdateActionsAtIdle();
// Offers an action to the controls of a form (CM_ACTIONEXECUTE, then HandlesTarget/ExecuteTarget);
// true when one took it.
bool ExecuteActionOnForm(TBasicAction* Action, TCustomForm* Form);
// Application.Hint changed without an OnHint handler: a hint action with the text goes to the
// main form's controls.
void ExecuteHintAction(const String& Hint);
