#pragma once
// The accessibility objects of the bar library: one per dock site, bar window, toolbar mark, caption
// button group, caption button and item control, created by their owner on first use and told when
// the owner goes. They answer the foundation's accessibility queries and drive keyboard navigation
// and key tips (moving in a direction or to the next sibling, taking and releasing the selection,
// collecting key tips with unique texts).

#include "ui/bars/BarNavigation.h"
#include "ui/foundation/Accessibility.h"

class TCustomdxBarControl;
class TdxBarControl;
class TdxBarSubMenuControl;
class TdxBarApplicationMenuControl;
class TdxBarItemControl;
class TdxBarButtonLikeControl;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarCaptionButton;
class TdxBarCaptionButtons;
class TdxDockControl;
class TdxBarAccessibilityHelper;

// The accessibility classes' metaclass: a virtual constructor taking the owner object.
class TdxBarAccessibilityHelperMetaClass : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;
  virtual TdxBarAccessibilityHelper* Create(TObject* AOwnerObject) const = 0;
  template <class Self>
  class Of;
};
using TdxBarAccessibilityHelperClass = const TdxBarAccessibilityHelperMetaClass*;

// An operation that a class must answer and does not (a class that forgot an override).
class EdxBarAccessibilityError : public Exception {
 public:
  using Exception::Exception;
  const wchar_t* ClassName() const override { return L"EdxBarAccessibilityError"; }
};

class TdxBarAccessibilityHelper : public TcxAccessibilityHelper, public IdxBarAccessibilityHelper {
 public:
  using MetaClass = TdxBarAccessibilityHelperMetaClass;
  DECLARE_CLASS(TdxBarAccessibilityHelper, TcxAccessibilityHelper)
 public:
  explicit TdxBarAccessibilityHelper(TObject* AOwnerObject) : TcxAccessibilityHelper(AOwnerObject) {}
  int _AddRef() override { return TcxAccessibilityHelper::_AddRef(); }
  int _Release() override { return TcxAccessibilityHelper::_Release(); }

  // ---- IdxBarAccessibilityHelper
  TcxAccessibilityHelper* HelperObject() override { return this; }
  IdxBarKeyTipWindowsManager* KeyTipsSupported() override;
  bool ChildrenNavigable(Word Key) override;
  IdxBarAccessibilityHelper* BarHelperObject() override { return this; }
  TdxBarManager* BarManager() override;
  IdxBarAccessibilityHelper* DefaultSelectableObject() override;
  IdxBarAccessibilityHelper* FindNextInDirection(int Direction) override;
  bool ProcessNavigationKey(Word Key) override;
  bool WantsKey(Word Key) override;
  IdxBarAccessibilityHelper* SiblingInDirection(bool Forward) override;
  void TakeSelection(int Reason) override;
  void ReleaseSelection(IdxBarAccessibilityHelper* NewSelection) override;
  IdxBarAccessibilityHelper* FirstSelectableInTree() override;
  void CollectKeyTips(TdxBarKeyTipList& List) override;
  void EscapeKeyTips() override { ReturnToParentKeyTips(); }
  IdxBarAccessibilityHelper* KeyTipsParent() override { return KeyTipParent(); }

  // ---- key tips
  virtual String ExplicitKeyTip();
  virtual String DefaultKeyTip();
  // The explicit tip when set, else the default one; cut to three characters.
  String KeyTipText();
  std::unique_ptr<TdxBarKeyTipData> CreateKeyTipData();
  virtual void FillKeyTipInfo(TdxBarKeyTipInfo& Info);
  void AddOwnKeyTip(TdxBarKeyTipList& List) { List.push_back(CreateKeyTipData()); }
  virtual void AddChildKeyTips(TdxBarKeyTipList& List);
  virtual TdxBarAccessibilityHelper* KeyTipParent() { return ParentAsBarHelper(); }
  virtual bool IsKeyTipContainer() { return IsNavigable(); }
  virtual void KeyTipActivated() {}
  virtual void ReturnToParentKeyTips();

  // ---- the tree in keyboard order
  virtual TdxBarAccessibilityHelper* NavigationChildAt(int Index) { return ChildAsBarHelper(Index); }
  virtual int NavigationChildCount() { return ChildCount(); }
  virtual int NavigationIndexOf(TdxBarAccessibilityHelper* Child) { return IndexOfChild(Child); }
  // From the child at Index onwards (or backwards): the first navigable child, or the first navigable
  // object inside a child; past the ends the search goes on from this object's place in its parent,
  // and at the root from the root's other end. Null when nothing is navigable.
  TdxBarAccessibilityHelper* NextNavigableInOrder(int Index, bool Forward);
  // The first (or last) navigable object among this object's visible descendants, depth first.
  TdxBarAccessibilityHelper* NavigableInside(bool Forward);

  IdxBarAccessibilityHelper* RootInterface() { return RootAsBarHelper(); }
  TdxBarAccessibilityHelper* RootAsBarHelper();
  bool HoldsSelection();
  TdxBarAccessibilityHelper* ChildAsBarHelper(int Index);
  TdxBarAccessibilityHelper* ParentAsBarHelper();
  TRect OwnScreenBounds() { return ScreenBounds(cxAccessibleObjectSelfID); }
  // Every visible navigable object of Node's subtree but Start that lies in Direction from R.
  static void CollectCandidates(TdxBarAccessibilityHelper* Start, TdxBarAccessibilityHelper* Node,
                                std::vector<TdxBarAccessibilityHelper*>& List, bool RequireOverlap, int Direction,
                                const TRect& R);
  // The nearest candidate of Node's subtree in Direction from R, or null.
  static TdxBarAccessibilityHelper* NearestInSubtree(TdxBarAccessibilityHelper* Start, TdxBarAccessibilityHelper* Node,
                                                     int Direction, const TRect& R, bool Wrap);

 protected:
  // Raises naming this class and the operation.
  [[noreturn]] void RaiseUnanswered(const wchar_t* Operation);
};

// The direction test of a candidate's bounds B against the start rectangle R.
bool LiesInDirection(const TRect& R, const TRect& B, int Direction, bool RequireOverlap);
// The suffixes that make colliding key tips unique: a group of equal texts gets 1..n (zero-padded to
// the digits of n), a text that begins another one gets 1; repeated until nothing changes.
void MakeKeyTipsUnique(TdxBarKeyTipList& List);

// ---- docks --------------------------------------------------------------------------------------

class TdxDockControlAccessibilityHelper : public TdxBarAccessibilityHelper {
  DECLARE_CLASS(TdxDockControlAccessibilityHelper, TdxBarAccessibilityHelper)
 public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  TdxDockControl* DockControl();
  TdxBarManager* BarManager() override;
  TcxAccessibilityHelper* ChildAt(int Index) override;
  int ChildCount() override;
  int IndexOfChild(TcxAccessibilityHelper* Child) override;
  HWND OwnerWindow() override;
  TRect ScreenBounds(int Index) override;
  int StateFlags(int Index) override;
};

// ---- bar windows ----------------------------------------------------------------------------------

class TCustomdxBarControlAccessibilityHelper : public TdxBarAccessibilityHelper {
  DECLARE_CLASS(TCustomdxBarControlAccessibilityHelper, TdxBarAccessibilityHelper)
 public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  // The window, null once it is gone.
  virtual TCustomdxBarControl* BarWindow();
  TdxBarManager* BarManager() override;
  TcxAccessibilityHelper* ChildAt(int Index) override;
  int ChildCount() override;
  int IndexOfChild(TcxAccessibilityHelper* Child) override;
  bool ChildrenNavigable(Word Key) override;
  HWND OwnerWindow() override;
  TRect ScreenBounds(int Index) override;
  int StateFlags(int Index) override;

  // Makes hidden children reachable (a collapsed group's popup); here it raises.
  virtual TCustomdxBarControlAccessibilityHelper* OpenChildrenPopup();
  virtual void ChildKeyTipAnchor(TdxBarItemControl* Child, TPoint& Point, Byte& VertAlign, Byte& HorzAlign);
  virtual TdxBarAccessibilityHelper* NearestChildInDirection(TdxBarItemControl* Child, int Direction);
  virtual bool HidesChildren() { return false; }
  virtual void ReleaseChildSelection();

 protected:
  int ItemControlCount();
  TdxBarItemControl* ItemControlAt(int Index);
};

class TdxBarControlAccessibilityHelper : public TCustomdxBarControlAccessibilityHelper {
  DECLARE_CLASS(TdxBarControlAccessibilityHelper, TCustomdxBarControlAccessibilityHelper)
 public:
  using TCustomdxBarControlAccessibilityHelper::TCustomdxBarControlAccessibilityHelper;
  TdxBarControl* Toolbar();
  TcxAccessibilityHelper* ChildAt(int Index) override;
  int ChildCount() override;
  int IndexOfChild(TcxAccessibilityHelper* Child) override;
  TcxAccessibilityHelper* ParentHelper() override;
  IdxBarAccessibilityHelper* DefaultSelectableObject() override { return this; }
  bool ProcessNavigationKey(Word Key) override;
  void TakeSelection(int Reason) override;
  void ReleaseSelection(IdxBarAccessibilityHelper* NewSelection) override;
  TdxBarAccessibilityHelper* NearestChildInDirection(TdxBarItemControl* Child, int Direction) override;
  // Where a caption button's key tip hangs: on its middle here (the ribbon's bars place it their way).
  virtual void CaptionButtonKeyTipPosition(TdxBarCaptionButton* Button, int& Y, Byte& VertAlign);
};

class TdxBarSubMenuControlAccessibilityHelper : public TCustomdxBarControlAccessibilityHelper {
  DECLARE_CLASS(TdxBarSubMenuControlAccessibilityHelper, TCustomdxBarControlAccessibilityHelper)
 public:
  using TCustomdxBarControlAccessibilityHelper::TCustomdxBarControlAccessibilityHelper;
  TdxBarSubMenuControl* Menu();
  TdxBarManager* BarManager() override;
  void ChildKeyTipAnchor(TdxBarItemControl* Child, TPoint& Point, Byte& VertAlign, Byte& HorzAlign) override;
  TdxBarAccessibilityHelper* KeyTipParent() override;
  bool IsKeyTipContainer() override { return true; }
  void ReturnToParentKeyTips() override;
  void ReleaseChildSelection() override;
  bool ProcessNavigationKey(Word Key) override;

  virtual TdxBarItemLink* AdjacentLink(TdxBarItemLink* Link, bool Forward);
  virtual void MoveSelectionHorizontally(bool Left);
  virtual void MoveSelectionVertically(bool Up, bool ByTab);
};

class TdxBarApplicationMenuControlAccessibilityHelper : public TdxBarSubMenuControlAccessibilityHelper {
  DECLARE_CLASS(TdxBarApplicationMenuControlAccessibilityHelper, TdxBarSubMenuControlAccessibilityHelper)
 public:
  using TdxBarSubMenuControlAccessibilityHelper::TdxBarSubMenuControlAccessibilityHelper;
  TdxBarApplicationMenuControl* ApplicationMenuWindow();
  void ChildKeyTipAnchor(TdxBarItemControl* Child, TPoint& Point, Byte& VertAlign, Byte& HorzAlign) override;
  TdxBarItemLink* AdjacentLink(TdxBarItemLink* Link, bool Forward) override;
  TdxBarAccessibilityHelper* NearestChildInDirection(TdxBarItemControl* Child, int Direction) override;
  TdxBarAccessibilityHelper* KeyTipParent() override;

  // The navigable link lists in ring order: the items when one of them fits, then the button strip.
  std::vector<TdxBarItemLinks*> LinkListsInOrder();
  TdxBarItemLinks* NextLinkList(TdxBarItemLinks* Links);
  TdxBarItemLinks* PriorLinkList(TdxBarItemLinks* Links);
  TdxBarItemLink* AdjacentLinkAcrossLists(TdxBarItemLinks* Links, TdxBarItemLink* Link, int FirstIndex,
                                          bool Backward);
};

// The application menu's opener (the ribbon's application button) gives the key-tip level above it.
class IdxBarApplicationMenuOwner {
 public:
  virtual ~IdxBarApplicationMenuOwner() = default;
  virtual TdxBarAccessibilityHelper* ApplicationMenuKeyTipParent() = 0;
};

// ---- the toolbar's mark and caption buttons ---------------------------------------------------------

class TdxBarControlMarkAccessibilityHelper : public TdxBarAccessibilityHelper {
  DECLARE_CLASS(TdxBarControlMarkAccessibilityHelper, TdxBarAccessibilityHelper)
 public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  TdxBarControl* Toolbar();
  TdxBarManager* BarManager() override;
  HWND OwnerWindow() override;
  TcxAccessibilityHelper* ParentHelper() override;
  TRect ScreenBounds(int Index) override;
  bool IsNavigable() override { return IsVisible(); }
  int StateFlags(int Index) override;
  bool WantsKey(Word Key) override;
  bool ProcessNavigationKey(Word Key) override;
  void TakeSelection(int Reason) override;
  void ReleaseSelection(IdxBarAccessibilityHelper* NewSelection) override;
  // The quick-access popup closed by Esc: the mark takes the selection back while navigating.
  void ReselectMarkIfNavigating(bool ClosedByEscape);

 private:
  void OpenMarkDropDown();
  void InvalidateMark();
};

class TdxBarCaptionButtonsAccessibilityHelper : public TdxBarAccessibilityHelper {
  DECLARE_CLASS(TdxBarCaptionButtonsAccessibilityHelper, TdxBarAccessibilityHelper)
 public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  TdxBarCaptionButtons* Buttons();
  TdxBarControl* Toolbar();
  TdxBarManager* BarManager() override;
  HWND OwnerWindow() override;
  TcxAccessibilityHelper* ParentHelper() override;
  TcxAccessibilityHelper* ChildAt(int Index) override;
  int ChildCount() override;
  int IndexOfChild(TcxAccessibilityHelper* Child) override;
  TRect ScreenBounds(int Index) override;
  int StateFlags(int Index) override;
  void ReleaseSelection(IdxBarAccessibilityHelper* NewSelection) override;
  // The caption buttons go back to their mouse-driven look.
  void UpdateCaptionButtonsHot();
};

class TdxBarCaptionButtonAccessibilityHelper : public TdxBarAccessibilityHelper {
  DECLARE_CLASS(TdxBarCaptionButtonAccessibilityHelper, TdxBarAccessibilityHelper)
 public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  TdxBarCaptionButton* Button();
  TdxBarCaptionButtonsAccessibilityHelper* Group();
  TdxBarManager* BarManager() override;
  HWND OwnerWindow() override;
  TcxAccessibilityHelper* ParentHelper() override;
  TRect ScreenBounds(int Index) override;
  bool IsNavigable() override { return IsVisible(); }
  int StateFlags(int Index) override;
  bool WantsKey(Word Key) override;
  bool ProcessNavigationKey(Word Key) override;
  void TakeSelection(int Reason) override;
  void ReleaseSelection(IdxBarAccessibilityHelper* NewSelection) override;
  String ExplicitKeyTip() override;
  String DefaultKeyTip() override { return L"Y"; }
  void FillKeyTipInfo(TdxBarKeyTipInfo& Info) override;
  void KeyTipActivated() override;

 private:
  void ClickCaptionButton();
};

// ---- item controls ------------------------------------------------------------------------------

class TdxBarItemControlAccessibilityHelper : public TdxBarAccessibilityHelper {
  DECLARE_CLASS(TdxBarItemControlAccessibilityHelper, TdxBarAccessibilityHelper)
 public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  // The control, null once it is gone.
  TdxBarItemControl* ItemControl();
  TCustomdxBarControlAccessibilityHelper* ParentBarHelper();
  TdxBarManager* BarManager() override;
  HWND OwnerWindow() override;
  TcxAccessibilityHelper* ParentHelper() override;
  TRect ScreenBounds(int Index) override;
  bool IsNavigable() override;
  int StateFlags(int Index) override;
  IdxBarAccessibilityHelper* DefaultSelectableObject() override { return this; }
  IdxBarAccessibilityHelper* FindNextInDirection(int Direction) override;
  bool ProcessNavigationKey(Word Key) override;
  void TakeSelection(int Reason) override;
  void ReleaseSelection(IdxBarAccessibilityHelper* NewSelection) override;
  String ExplicitKeyTip() override;
  String DefaultKeyTip() override;
  void FillKeyTipInfo(TdxBarKeyTipInfo& Info) override;
  virtual bool OpensPopupOnKeyTip() { return false; }
  // The key tip of a control hidden in a collapsed group: the popup that shows it opens first.
  void DeferredKeyTipActivated();
};

class TdxBarButtonLikeControlAccessibilityHelper : public TdxBarItemControlAccessibilityHelper {
  DECLARE_CLASS(TdxBarButtonLikeControlAccessibilityHelper, TdxBarItemControlAccessibilityHelper)
 public:
  using TdxBarItemControlAccessibilityHelper::TdxBarItemControlAccessibilityHelper;
  TdxBarButtonLikeControl* ButtonLikeControl();
  void KeyTipActivated() override;
  bool OpensPopupOnKeyTip() override { return DropsDownOnKeyTip(); }
  // Ends keyboard handling and clicks the control with UnclickAfterDoing off for the click.
  virtual void ExecuteByKeyTip();
  virtual bool DropsDownOnKeyTip() { return false; }
  // Opens the control's menu as by keyboard; True when it is open.
  virtual bool OpenSubMenuByKey();
};

class TdxBarButtonControlAccessibilityHelper : public TdxBarButtonLikeControlAccessibilityHelper {
  DECLARE_CLASS(TdxBarButtonControlAccessibilityHelper, TdxBarButtonLikeControlAccessibilityHelper)
 public:
  using TdxBarButtonLikeControlAccessibilityHelper::TdxBarButtonLikeControlAccessibilityHelper;
  bool DropsDownOnKeyTip() override;
};

class TdxBarSubItemControlAccessibilityHelper : public TdxBarButtonLikeControlAccessibilityHelper {
  DECLARE_CLASS(TdxBarSubItemControlAccessibilityHelper, TdxBarButtonLikeControlAccessibilityHelper)
 public:
  using TdxBarButtonLikeControlAccessibilityHelper::TdxBarButtonLikeControlAccessibilityHelper;
  bool DropsDownOnKeyTip() override { return true; }
};

// Edit-like controls: a key tip enters the control (selection with reason 1 starts editing).
class TdxBarWinControlAccessibilityHelper : public TdxBarItemControlAccessibilityHelper {
  DECLARE_CLASS(TdxBarWinControlAccessibilityHelper, TdxBarItemControlAccessibilityHelper)
 public:
  using TdxBarItemControlAccessibilityHelper::TdxBarItemControlAccessibilityHelper;
  bool OpensPopupOnKeyTip() override { return true; }
  void KeyTipActivated() override;
};

template <class Self>
class TdxBarAccessibilityHelperMetaClass::Of : public TdxBarAccessibilityHelperMetaClass {
 public:
  using TdxBarAccessibilityHelperMetaClass::TdxBarAccessibilityHelperMetaClass;
  TdxBarAccessibilityHelper* Create(TObject* AOwnerObject) const override { return new Self(AOwnerObject); }
};

// ---- owners' side ---------------------------------------------------------------------------------

// The object in Slot, made from the class on first use (held counted by the slot).
TdxBarAccessibilityHelper* EnsureBarAccessibilityHelper(TdxBarAccessibilityHelper*& Slot,
                                                        TdxBarAccessibilityHelperClass Class, TObject* Owner);
// The owner goes: the object is told, navigation forgets it, and the slot lets it go.
void DetachAccessibilityHelper(TdxBarAccessibilityHelper*& Slot);
// The bar accessibility object behind an interface, or null.
TdxBarAccessibilityHelper* QueryBarAccessibilityHelper(IdxBarAccessibilityHelper* Helper);
// The first key-tip container up the key-tip parents of Helper, or the last parent; null without one.
TdxBarAccessibilityHelper* KeyTipContainerOf(TdxBarAccessibilityHelper* Helper);

TdxBarAccessibilityHelper* BarWindowAccessibilityHelper(TCustomdxBarControl* Window);
TdxBarAccessibilityHelper* ItemControlAccessibilityHelper(TdxBarItemControl* Control);
// Where Alt and F10 start: the face of the manager's main menu window when it is shown; null when
// the manager has none.
IdxBarAccessibilityHelper* RootAccessibilityHelperOf(TdxBarManager* Manager);
