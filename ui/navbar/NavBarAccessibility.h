#pragma once
// The accessibility objects of a navigation bar: the bar, each group, its caption panel and link
// container, and each link. They serve the foundation's accessibility interface (states, screen
// rectangles, hit tests) and the bar's keyboard focus, which moves between them: focus rules, keys
// that click, and the directional search of the arrow keys, which also reaches links scrolled out
// of sight.

#include "ui/foundation/Accessibility.h"
#include "ui/navbar/NavBarViewInfo.h"

class TdxNavBarCustomAccessibilityHelper;

// The bar's side of an accessibility object (the assistive side is TcxAccessibilityHelper's).
class IdxNavBarAccessibilityHelper : public virtual IInterface {
 public:
  virtual TcxAccessibilityHelper* HelperObject() = 0;
  // The element is gone: every assistive call fails from now on.
  virtual void OwnerDestroyed() = 0;
  virtual void AddChildObject(IdxNavBarAccessibilityHelper* AChild) = 0;
  virtual bool CanReceiveFocus(bool AFocusableOnly) = 0;
  virtual void RemoveChildObject(IdxNavBarAccessibilityHelper* AChild) = 0;
  virtual void FocusStateChanged(bool AMakeVisible) = 0;
  virtual TdxNavBarCustomAccessibilityHelper* NavBarHelperObject() = 0;
  // The element the arrow key in ADirection (1 left, 2 right, 3 up, 4 down; 0 the first element)
  // moves the focus to, or null.
  virtual IdxNavBarAccessibilityHelper* NextFocusTarget(int ADirection) = 0;
  virtual bool HasFocus() = 0;
  virtual bool IsDown() = 0;
  virtual void HandleKeyDown(Word AKey, TShiftState AShift) = 0;
  virtual void HandleKeyPress(wchar_t AKey) = 0;
  virtual void HandleKeyUp(Word AKey, TShiftState AShift) = 0;
  virtual void RemoveFocus() = 0;
};

// The element classes' metaclass: a virtual constructor taking the element and the bar.
class TdxNavBarAccessibilityHelperMetaClass : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;
  virtual TdxNavBarCustomAccessibilityHelper* Create(TObject* AOwnerObject, TdxCustomNavBar* ANavBar) const = 0;
  template <class Self>
  class Of;
};

class TdxNavBarCustomAccessibilityHelper : public TcxAccessibilityHelper, public IdxNavBarAccessibilityHelper {
 public:
  using MetaClass = TdxNavBarAccessibilityHelperMetaClass;
  DECLARE_CLASS(TdxNavBarCustomAccessibilityHelper, TcxAccessibilityHelper)
 public:
  TdxNavBarCustomAccessibilityHelper(TObject* AOwnerObject, TdxCustomNavBar* ANavBar);
  ~TdxNavBarCustomAccessibilityHelper() override;
  int _AddRef() override { return TcxAccessibilityHelper::_AddRef(); }
  int _Release() override { return TcxAccessibilityHelper::_Release(); }

  TdxCustomNavBar* NavBar() const { return navBar_; }

  // IdxNavBarAccessibilityHelper.
  TcxAccessibilityHelper* HelperObject() override { return this; }
  void OwnerDestroyed() override { MarkOwnerDestroyed(); }
  void AddChildObject(IdxNavBarAccessibilityHelper* AChild) override;
  void RemoveChildObject(IdxNavBarAccessibilityHelper* AChild) override;
  TdxNavBarCustomAccessibilityHelper* NavBarHelperObject() override { return this; }
  IdxNavBarAccessibilityHelper* NextFocusTarget(int ADirection) override;
  bool HasFocus() override;
  bool IsDown() override { return isDown_; }
  // Not visible or not available, or the bar going away: no focus. A leaf takes it when any element
  // may (AFocusableOnly false) or when it is focusable; a container when one of its children does.
  bool CanReceiveFocus(bool AFocusableOnly) override;
  void FocusStateChanged(bool AMakeVisible) override;
  void HandleKeyDown(Word AKey, TShiftState AShift) override;
  void HandleKeyPress(wchar_t AKey) override { (void)AKey; }
  void HandleKeyUp(Word AKey, TShiftState AShift) override;
  void RemoveFocus() override;

  // TcxAccessibilityHelper.
  void MarkOwnerDestroyed() override;
  bool ChildIsSimpleElement(int Index) override;
  TcxAccessibilityHelper* ChildAt(int Index) override;
  int ChildCount() override;
  int IndexOfChild(TcxAccessibilityHelper* AChild) override;
  int ChildAtPoint(int X, int Y, int& Index) override;
  HWND OwnerWindow() override;
  TRect ScreenBounds(int Index) override;
  int StateFlags(int Index) override;
  // Location, hit test and navigation; names and roles stay the base's.
  int SupportedProperties(int Index) override { (void)Index; return cxAccessibleLocation; }

  // The bar's child of this element at Index (attached children first), as a bar element.
  TdxNavBarCustomAccessibilityHelper* NavBarChildAt(int Index);
  TdxNavBarCustomAccessibilityHelper* NavBarParent();
  // The element whose bounds hold the screen point, searched down from this one (the root).
  TdxNavBarCustomAccessibilityHelper* HitTest(const TPoint& AScreenPoint);

  virtual bool IsFocusable() { return false; }
  virtual void Click(Word AKey) { (void)AKey; }
  // Another element that may hold the focus for this one.
  virtual TdxNavBarCustomAccessibilityHelper* FocusProxy() { return nullptr; }
  // In the bar's client coordinates.
  virtual TRect Bounds() = 0;
  virtual TdxNavBarCustomAccessibilityHelper* FindFocusTarget(int ADirection);
  virtual bool IsClickKey(Word AKey) { (void)AKey; return false; }
  virtual bool IsContainer() = 0;
  // A container whose children are partly scrolled away: the hidden extent and the screen top of
  // its first child.
  virtual bool ScrolledContent(int& AExtent, int& AOffset) { (void)AExtent, (void)AOffset; return false; }
  virtual void MakeVisible() {}
  // The element children after the attached ones.
  virtual int ElementChildCount() { return 0; }
  virtual TdxNavBarCustomAccessibilityHelper* ElementChildAt(int Index) { (void)Index; return nullptr; }

 private:
  TdxCustomNavBar* navBar_;
  TInterfaceList* childObjects_;
  bool isDown_ = false;
};

template <class Self>
class TdxNavBarAccessibilityHelperMetaClass::Of : public TdxNavBarAccessibilityHelperMetaClass {
 public:
  using TdxNavBarAccessibilityHelperMetaClass::TdxNavBarAccessibilityHelperMetaClass;
  TdxNavBarCustomAccessibilityHelper* Create(TObject* AOwnerObject, TdxCustomNavBar* ANavBar) const override {
    if constexpr (!std::is_abstract_v<Self>) {
      return new Self(AOwnerObject, ANavBar);
    } else {
      RaiseAbstractCreate(this);
    }
  }
};

// The bar: its groups, hidden ones included, are its children.
class TdxNavBarAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
 public:
  using TdxNavBarCustomAccessibilityHelper::TdxNavBarCustomAccessibilityHelper;
  // The bar's window rectangle in its client coordinates.
  TRect Bounds() override;
  bool IsContainer() override { return true; }
  int ElementChildCount() override;
  TdxNavBarCustomAccessibilityHelper* ElementChildAt(int Index) override;
};

// The helpers of a group's three objects share the group and its view info.
class TdxNavBarGroupElementAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarGroupElementAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
 public:
  using TdxNavBarCustomAccessibilityHelper::TdxNavBarCustomAccessibilityHelper;
  TdxNavBarGroup* Group() const { return static_cast<TdxNavBarGroup*>(OwnerObject()); }
  // Null when the group is not laid out.
  TdxNavBarGroupViewInfo* GroupViewInfo();

 protected:
  // The group object's states, and invisible when the group is not laid out or AShown says no.
  int PartStateFlags(bool (*AShown)(TdxNavBarGroupViewInfo*, TdxNavBarGroup*));
};

class TdxNavBarGroupAccessibilityHelper : public TdxNavBarGroupElementAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarGroupAccessibilityHelper, TdxNavBarGroupElementAccessibilityHelper)
 public:
  using TdxNavBarGroupElementAccessibilityHelper::TdxNavBarGroupElementAccessibilityHelper;
  TcxAccessibilityHelper* ParentHelper() override;
  int StateFlags(int Index) override;
  TRect Bounds() override;
  bool IsContainer() override { return true; }
  int ElementChildCount() override { return 2; }
  TdxNavBarCustomAccessibilityHelper* ElementChildAt(int Index) override;
};

class TdxNavBarGroupCaptionPanelAccessibilityHelper : public TdxNavBarGroupElementAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarGroupCaptionPanelAccessibilityHelper, TdxNavBarGroupElementAccessibilityHelper)
 public:
  using TdxNavBarGroupElementAccessibilityHelper::TdxNavBarGroupElementAccessibilityHelper;
  TcxAccessibilityHelper* ParentHelper() override;
  int StateFlags(int Index) override;
  TRect Bounds() override;
  bool IsFocusable() override { return true; }
  bool IsContainer() override { return false; }
  // A view showing an active group: a group click. Otherwise VK_ADD expands, VK_SUBTRACT collapses,
  // other click keys toggle.
  void Click(Word AKey) override;
  // With an active group: Enter or Space; else, for an expandable group, Space, VK_ADD, VK_SUBTRACT.
  bool IsClickKey(Word AKey) override;
  void MakeVisible() override;
};

class TdxNavBarItemLinkContainerAccessibilityHelper : public TdxNavBarGroupElementAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarItemLinkContainerAccessibilityHelper, TdxNavBarGroupElementAccessibilityHelper)
 public:
  using TdxNavBarGroupElementAccessibilityHelper::TdxNavBarGroupElementAccessibilityHelper;
  TcxAccessibilityHelper* ParentHelper() override;
  int StateFlags(int Index) override;
  TRect Bounds() override;
  bool IsContainer() override { return true; }
  bool ScrolledContent(int& AExtent, int& AOffset) override;
  int ElementChildCount() override;
  TdxNavBarCustomAccessibilityHelper* ElementChildAt(int Index) override;
};

class TdxNavBarItemLinkAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarItemLinkAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
 public:
  using TdxNavBarCustomAccessibilityHelper::TdxNavBarCustomAccessibilityHelper;
  TdxNavBarItemLink* Link() const { return static_cast<TdxNavBarItemLink*>(OwnerObject()); }
  // Null when the link is not laid out.
  TdxNavBarLinkViewInfo* LinkViewInfo();
  TcxAccessibilityHelper* ParentHelper() override;
  int StateFlags(int Index) override;
  // The image frame when image and caption lie in it, else the union of image and caption.
  TRect Bounds() override;
  bool IsFocusable() override { return true; }
  bool IsContainer() override { return false; }
  void Click(Word AKey) override;
  bool IsClickKey(Word AKey) override { return AKey == VK_RETURN || AKey == VK_SPACE; }
  void MakeVisible() override;
  // The focus moves to the group's caption when that can take it, else the bar has none.
  void RemoveFocus() override;
};

// Makes an element's object of the class, held by the element.
InterfacePtr<IdxNavBarAccessibilityHelper> dxNavBarCreateAccessibilityHelper(TdxNavBarAccessibilityHelperClass AClass,
                                                                            TObject* AOwnerObject,
                                                                            TdxCustomNavBar* ANavBar);
// Tells an element's object that the element is gone and lets it go.
void dxNavBarReleaseAccessibilityHelper(InterfacePtr<IdxNavBarAccessibilityHelper>& AHelper);
