#pragma once
// TacCtrlAdapter: finds the ordinary controls of a skinned form by class name (the manager's
// third-party lists) and gives each a TacAdapterItem: a skin state of its own and the subclass object
// that paints the control from the skin. Plain labels become transparent in the skin's font colour.

#include <memory>
#include <vector>

#include "ui/skins/paint/CommonData.h"
#include "ui/skins/windows/SubclassWnd.h"

class TsSkinProvider;
class TacCtrlAdapter;

constexpr int kClassCodeAdapterItem = 227;
// A control with this Tag is never skinned.
constexpr int kSkipSkinTag = -98;

class TacAdapterItem : public TPersistent {
  DECLARE_CLASS(TacAdapterItem, TPersistent)
 public:
  explicit TacAdapterItem(TacCtrlAdapter* adapter);
  ~TacAdapterItem() override;
  // Gives a control with a window the subclass object of the first list naming its class exactly.
  virtual void HookControl(TWinControl* control);
  bool Live() const { return subclass_ && !subclass_->Released; }
  void DropSubclass();

  TWinControl* Control = nullptr;
  TsCommonData* SkinData() const { return skinData_.get(); }
  TacMainWnd* Subclass() const { return subclass_.get(); }

 private:
  TacCtrlAdapter* adapter_;
  std::unique_ptr<TsCommonData, TFreeDeleter> skinData_;
  std::unique_ptr<TacMainWnd, TFreeDeleter> subclass_;
};

class TacCtrlAdapter : public TPersistent {
  DECLARE_CLASS(TacCtrlAdapter, TPersistent)
 public:
  explicit TacCtrlAdapter(TsSkinProvider* provider);
  ~TacCtrlAdapter() override;

  virtual bool Accepts(TControl* control);
  virtual TacAdapterItem* ItemAt(int index) const;
  virtual void AdaptControl(TControl* control) { AdaptControlAs(control, defaultSection_); }
  virtual void AdaptControlAs(TControl* control, const String& section);
  // Frees the item, moves the last one into its place and shortens the list.
  virtual void DropItem(int index);
  // Sends the message to every adapted control with a live object and a parent.
  virtual void Broadcast(TMessage& message);

  // Adapts what the parent (none: the form) owns and holds, and their children in turn; only with
  // the manager's third-party rule.
  void ScanChildren(TWinControl* parent);
  int ItemCount() const { return int(items_.size()); }
  // Frees the items without a live object, the later ones moving up.
  void DropDeadItems();
  void DropAllItems();
  TsSkinProvider* Provider() const { return provider_; }

 private:
  int IndexOf(TControl* control) const;
  void AdaptChild(TControl* control, bool ownedComponent);

  String defaultSection_;
  std::vector<TacAdapterItem*> items_;
  TsSkinProvider* provider_;
};

// The list (0 ThirdEdits .. 12 ThirdVirtualTrees) whose lines name the class exactly first, or -1.
int ThirdPartyListOf(TsSkinManager* manager, const String& className);
