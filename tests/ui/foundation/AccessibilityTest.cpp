// The accessibility helper called as a client would: result codes per method over an element with
// three children (the middle one an object of its own), shortcuts, navigation, a dead owner and a
// query that raises.

#include <gtest/gtest.h>

#include "ui/foundation/Accessibility.h"

namespace {

VARIANT Child(long id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

// A child that is an accessibility object of its own.
class TObjectChild : public TcxAccessibilityHelper {
 public:
  TObjectChild(TcxAccessibilityHelper* parent) : TcxAccessibilityHelper(nullptr), parent_(parent) {}
  String NameText(int Index) override { return Index == cxAccessibleObjectSelfID ? L"Object" : L""; }
  TcxAccessibilityHelper* ParentHelper() override { return parent_; }
  bool IsNavigable() override { return true; }

 private:
  TcxAccessibilityHelper* parent_;
};

// The element: "Panel", children 0 "&File" (simple), 1 an object, 2 "Save" with Ctrl+S (simple).
class TPanelHelper : public TcxAccessibilityHelper {
 public:
  TPanelHelper() : TcxAccessibilityHelper(nullptr), object_(new TObjectChild(this)) {}
  ~TPanelHelper() override { object_.reset(); }

  int ChildCount() override { return 3; }
  bool ChildIsSimpleElement(int Index) override {
    if (raise) throw Exception(L"broken");
    return Index != 1;
  }
  TcxAccessibilityHelper* ChildAt(int Index) override { return Index == 1 ? object_.get() : nullptr; }
  int IndexOfChild(TcxAccessibilityHelper* AChild) override { return AChild == object_.get() ? 1 : -1; }
  String NameText(int Index) override {
    switch (Index) {
      case cxAccessibleObjectSelfID: return L"Panel";
      case 0: return L"&File";
      case 2: return L"Save";
      default: return L"";
    }
  }
  String KeyboardShortcutText(int Index, TShortCut& AShortCut) override {
    AShortCut = Index == 2 ? TShortCut(scCtrl + 'S') : scNone;
    return NameText(Index);
  }
  int SupportedProperties(int Index) override {
    (void)Index;
    return cxAccessibleKeyboardShortcut | cxAccessibleLocation | cxAccessibleFocus;
  }
  int RoleCode(int Index) override { return Index == cxAccessibleObjectSelfID ? ROLE_SYSTEM_TOOLBAR : ROLE_SYSTEM_PUSHBUTTON; }
  TRect ScreenBounds(int Index) override {
    return Index == cxAccessibleObjectSelfID ? TRect(100, 100, 400, 130) : TRect(100 + 100 * Index, 100, 200 + 100 * Index, 130);
  }
  int ChildAtPoint(int X, int, int& Index) override {
    Index = (X - 100) / 100;
    return 2;
  }
  int NavigateTo(int Index, TcxAccessibilityNavigationDirection Direction) override {
    if (Direction == andNext) return Index < 2 ? Index + 1 : Index;
    if (Direction == andPrev) return Index > 0 ? Index - 1 : Index;
    return Index;
  }
  bool FocusedChild(bool& IsChild, int& Index) override {
    IsChild = true;
    Index = focused;
    return focused >= 0;
  }

  bool raise = false;
  int focused = -1;

 private:
  InterfacePtr<TObjectChild> object_;
};

class Accessibility : public testing::Test {
 protected:
  void SetUp() override { accessible = panel->Accessible(); }
  InterfacePtr<TPanelHelper> panel{new TPanelHelper};
  IAccessible* accessible = nullptr;
};

HRESULT NameOf(IAccessible* a, long id, String& name) {
  BSTR text = reinterpret_cast<BSTR>(0x1);
  const HRESULT hr = a->get_accName(Child(id), &text);
  name = text ? String(text) : String(L"<null>");
  if (text) SysFreeString(text);
  return hr;
}

}  // namespace

TEST_F(Accessibility, NamesRolesAndChildrenAnswerPerChildId) {
  struct Case {
    long id;
    HRESULT hr;
    const wchar_t* name;
  } cases[] = {
      {CHILDID_SELF, S_OK, L"Panel"},
      {1, S_OK, L"&File"},           // the element and its first child are told apart
      {2, E_INVALIDARG, L"<null>"},  // an object answers for itself
      {3, S_OK, L"Save"},
      {4, E_INVALIDARG, L"<null>"},
      {-5, E_INVALIDARG, L"<null>"},
  };
  for (const Case& c : cases) {
    String name;
    EXPECT_EQ(NameOf(accessible, c.id, name), c.hr) << c.id;
    EXPECT_EQ(name, c.name) << c.id;
  }
  long count = 0;
  EXPECT_EQ(accessible->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 3);

  IDispatch* child = reinterpret_cast<IDispatch*>(0x1);
  EXPECT_EQ(accessible->get_accChild(Child(1), &child), S_FALSE);  // simple element
  EXPECT_EQ(child, nullptr);
  EXPECT_EQ(accessible->get_accChild(Child(2), &child), S_OK);
  ASSERT_NE(child, nullptr);
  IAccessible* object = nullptr;
  ASSERT_EQ(child->QueryInterface(IID_cxIAccessible, reinterpret_cast<void**>(&object)), S_OK);
  String name;
  EXPECT_EQ(NameOf(object, CHILDID_SELF, name), S_OK);
  EXPECT_EQ(name, L"Object");
  IDispatch* parent = nullptr;
  EXPECT_EQ(object->get_accParent(&parent), S_OK);
  EXPECT_EQ(parent, static_cast<IDispatch*>(accessible));
  parent->Release();
  object->Release();
  child->Release();
  EXPECT_EQ(accessible->get_accChild(Child(CHILDID_SELF), &child), E_INVALIDARG);
  EXPECT_EQ(accessible->get_accChild(Child(4), &child), E_INVALIDARG);

  VARIANT role;
  EXPECT_EQ(accessible->get_accRole(Child(3), &role), S_OK);
  EXPECT_EQ(role.vt, VT_I4);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_PUSHBUTTON);

  // Members the element does not offer, and the ones the helper never offers.
  BSTR text = nullptr;
  EXPECT_EQ(accessible->get_accDescription(Child(1), &text), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(accessible->get_accValue(Child(1), &text), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(accessible->get_accDefaultAction(Child(1), &text), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(accessible->get_accHelp(Child(1), &text), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(accessible->accSelect(SELFLAG_TAKEFOCUS, Child(1)), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(accessible->put_accName(Child(1), nullptr), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(text, nullptr);
  UINT infos = 7;
  EXPECT_EQ(accessible->GetTypeInfoCount(&infos), E_NOTIMPL);
  EXPECT_EQ(accessible->Invoke(0, IID_NULL, 0, 0, nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
  IOleWindow* window = nullptr;
  ASSERT_EQ(accessible->QueryInterface(IID_cxIOleWindow, reinterpret_cast<void**>(&window)), S_OK);
  HWND owner = reinterpret_cast<HWND>(0x1);
  EXPECT_EQ(window->GetWindow(&owner), S_OK);
  EXPECT_EQ(owner, nullptr);
  window->Release();
}

TEST_F(Accessibility, ShortcutComesFromTheAcceleratorElseFromTheShortCut) {
  struct Case {
    long id;
    HRESULT hr;
    const wchar_t* text;
  } cases[] = {{1, S_OK, L"F"}, {3, S_OK, L"Ctrl+S"}, {CHILDID_SELF, S_FALSE, L""}};
  for (const Case& c : cases) {
    BSTR text = nullptr;
    EXPECT_EQ(accessible->get_accKeyboardShortcut(Child(c.id), &text), c.hr) << c.id;
    EXPECT_EQ(text ? String(text) : String(), c.text) << c.id;
    SysFreeString(text);
  }
}

TEST_F(Accessibility, NavigationHitTestFocusAndLocation) {
  VARIANT end;
  EXPECT_EQ(accessible->accNavigate(NAVDIR_FIRSTCHILD, Child(CHILDID_SELF), &end), S_OK);
  EXPECT_EQ(end.vt, VT_I4);
  EXPECT_EQ(end.lVal, 1);
  EXPECT_EQ(accessible->accNavigate(NAVDIR_LASTCHILD, Child(CHILDID_SELF), &end), S_OK);
  EXPECT_EQ(end.lVal, 3);
  EXPECT_EQ(accessible->accNavigate(NAVDIR_FIRSTCHILD, Child(1), &end), E_INVALIDARG);
  // Next of the first child is the object child, returned as its object.
  EXPECT_EQ(accessible->accNavigate(NAVDIR_NEXT, Child(1), &end), S_OK);
  ASSERT_EQ(end.vt, VT_DISPATCH);
  VariantClear(&end);
  EXPECT_EQ(accessible->accNavigate(NAVDIR_NEXT, Child(3), &end), S_FALSE);
  EXPECT_EQ(end.vt, VT_EMPTY);
  EXPECT_EQ(accessible->accNavigate(NAVDIR_NEXT, Child(9), &end), E_INVALIDARG);
  // From the object child itself: its parent navigates from the object's child id.
  IDispatch* child = nullptr;
  ASSERT_EQ(accessible->get_accChild(Child(2), &child), S_OK);
  IAccessible* object = nullptr;
  child->QueryInterface(IID_cxIAccessible, reinterpret_cast<void**>(&object));
  EXPECT_EQ(object->accNavigate(NAVDIR_NEXT, Child(CHILDID_SELF), &end), S_OK);
  EXPECT_EQ(end.lVal, 3);
  object->Release();
  child->Release();

  EXPECT_EQ(accessible->accHitTest(350, 110, &end), S_OK);
  EXPECT_EQ(end.lVal, 3);
  EXPECT_EQ(accessible->accHitTest(50, 110, &end), S_FALSE);

  EXPECT_EQ(accessible->get_accFocus(&end), S_FALSE);
  panel->focused = 0;
  EXPECT_EQ(accessible->get_accFocus(&end), S_OK);
  EXPECT_EQ(end.lVal, 1);

  long x = 0, y = 0, w = 0, h = 0;
  EXPECT_EQ(accessible->accLocation(&x, &y, &w, &h, Child(3)), S_OK);
  EXPECT_EQ(x, 300);
  EXPECT_EQ(w, 100);
  EXPECT_EQ(h, 30);
}

TEST(AccessibilityBase, WithoutChildrenAndNavigableChildren) {
  struct TBare : TcxAccessibilityHelper {
    TBare() : TcxAccessibilityHelper(nullptr) {}
    int SupportedProperties(int) override { return cxAccessibleLocation; }
  };
  InterfacePtr<TBare> bare(new TBare);
  VARIANT end;
  EXPECT_EQ(bare->Accessible()->accNavigate(NAVDIR_FIRSTCHILD, Child(CHILDID_SELF), &end), S_FALSE);
  // With no parent helper and no window there is no parent.
  IDispatch* parent = reinterpret_cast<IDispatch*>(0x1);
  EXPECT_EQ(bare->Accessible()->get_accParent(&parent), S_FALSE);
  EXPECT_EQ(parent, nullptr);

  InterfacePtr<TPanelHelper> panel(new TPanelHelper);
  EXPECT_EQ(panel->NextNavigableChild(-1, true), 1);
  EXPECT_EQ(panel->NextNavigableChild(-1, false), 1);
  EXPECT_EQ(panel->NextNavigableChild(1, true), -1);
  EXPECT_THROW(panel->NextNavigableChild(3, true), Exception);
  EXPECT_EQ(panel->ChildAt(1)->RootHelper(), panel.get());
  EXPECT_TRUE(panel->IsVisible());
}

TEST_F(Accessibility, AfterTheOwnerIsGoneEveryCallFailsWithClearedOutputs) {
  panel->OwnerObjectDestroyed();
  BSTR text = reinterpret_cast<BSTR>(0x1);
  EXPECT_EQ(accessible->get_accName(Child(CHILDID_SELF), &text), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(text, nullptr);
  text = reinterpret_cast<BSTR>(0x1);
  EXPECT_EQ(accessible->get_accKeyboardShortcut(Child(1), &text), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(text, nullptr);
  long count = 9;
  EXPECT_EQ(accessible->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(count, 0);
  IDispatch* dispatch = reinterpret_cast<IDispatch*>(0x1);
  EXPECT_EQ(accessible->get_accParent(&dispatch), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(dispatch, nullptr);
  VARIANT v;
  v.vt = VT_BSTR;
  EXPECT_EQ(accessible->get_accRole(Child(CHILDID_SELF), &v), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(v.vt, VT_EMPTY);
  v.vt = VT_BSTR;
  EXPECT_EQ(accessible->accNavigate(NAVDIR_FIRSTCHILD, Child(CHILDID_SELF), &v), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(v.vt, VT_EMPTY);
  long x = 5, y = 5, w = 5, h = 5;
  EXPECT_EQ(accessible->accLocation(&x, &y, &w, &h, Child(CHILDID_SELF)), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(x + y + w + h, 0);
  EXPECT_EQ(accessible->accDoDefaultAction(Child(CHILDID_SELF)), CO_E_OBJNOTCONNECTED);
  HWND window = reinterpret_cast<HWND>(0x1);
  IOleWindow* ole = nullptr;
  accessible->QueryInterface(IID_cxIOleWindow, reinterpret_cast<void**>(&ole));
  EXPECT_EQ(ole->GetWindow(&window), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(window, nullptr);
  ole->Release();
}

TEST_F(Accessibility, RaisingQueriesBecomeResultCodesWithClearedOutputs) {
  // A query of the descendant that raises: E_FAIL, nothing left in the outputs.
  panel->raise = true;
  BSTR text = reinterpret_cast<BSTR>(0x1);
  EXPECT_EQ(accessible->get_accName(Child(1), &text), E_FAIL);
  EXPECT_EQ(text, nullptr);
  VARIANT v;
  EXPECT_EQ(accessible->accNavigate(NAVDIR_NEXT, Child(1), &v), E_FAIL);
  EXPECT_EQ(v.vt, VT_EMPTY);
  panel->raise = false;

  // The base's own raising operations: unsupported, and a bad start index.
  struct TWithChildren : TcxAccessibilityHelper {
    TWithChildren() : TcxAccessibilityHelper(nullptr) {}
    int ChildCount() override { return 2; }
    int SupportedProperties(int) override { return cxAccessibleValue | cxAccessibleLocation; }
  };
  InterfacePtr<TWithChildren> plain(new TWithChildren);
  text = reinterpret_cast<BSTR>(0x1);
  EXPECT_EQ(plain->Accessible()->get_accValue(Child(CHILDID_SELF), &text), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(plain->Accessible()->get_accName(Child(1), &text), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(plain->Accessible()->accNavigate(NAVDIR_NEXT, Child(1), &v), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(v.vt, VT_EMPTY);
}
