#include "ui/foundation/Accessibility.h"

#include <cwctype>

#include "platform/framework/rtl/Seams.h"

DEFINE_CLASS(TcxAccessibilityHelper)

const IID IID_cxIAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
const IID IID_cxIDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_cxIOleWindow = {0x00000114, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {

const IID kIUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

BSTR NewBString(const String& text) { return SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }

void ClearBString(BSTR* out) {
  if (out) *out = nullptr;
}

void ClearVariant(VARIANT* out) {
  if (out) VariantInit(out);
}

void SetInteger(VARIANT* out, long value) {
  out->vt = VT_I4;
  out->lVal = value;
}

bool IsSelf(const VARIANT& v) { return (v.vt == VT_I4 || v.vt == VT_INT) && v.lVal == CHILDID_SELF; }

// The character after the accelerator mark ("&&" is a plain "&"), or 0.
wchar_t AcceleratorOf(const String& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] == L'&') {
      ++i;
      continue;
    }
    return text[i + 1];
  }
  return 0;
}

TcxAccessibilityNavigationDirection MappedDirection(long navDir) {
  switch (navDir) {
    case NAVDIR_LEFT: return andLeft;
    case NAVDIR_UP: return andUp;
    case NAVDIR_RIGHT: return andRight;
    case NAVDIR_DOWN: return andDown;
    case NAVDIR_PREVIOUS: return andPrev;
    case NAVDIR_NEXT: return andNext;
    default: throw EcxAccessibilityInvalidChild(L"Unknown navigation direction");
  }
}

}  // namespace

TcxAccessibilityHelper::TcxAccessibilityHelper(TObject* AOwnerObject) : ownerObject_(AOwnerObject) {}

// ---- base queries ------------------------------------------------------------------------------

bool TcxAccessibilityHelper::ChildIsSimpleElement(int) {
  throw EcxAccessibilityUnsupported(L"The element does not describe its children");
}

bool TcxAccessibilityHelper::FocusedChild(bool& IsChild, int& Index) {
  IsChild = false;
  Index = cxAccessibleObjectSelfID;
  return false;
}

int TcxAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper*) {
  throw EcxAccessibilityUnsupported(L"The element does not index its children");
}

int TcxAccessibilityHelper::ChildAtPoint(int, int, int& Index) {
  Index = cxAccessibleObjectSelfID;
  return 0;
}

String TcxAccessibilityHelper::KeyboardShortcutText(int, TShortCut& AShortCut) {
  AShortCut = scNone;
  return {};
}

String TcxAccessibilityHelper::ValueText(int) { throw EcxAccessibilityUnsupported(L"The element has no value"); }

int TcxAccessibilityHelper::NavigateTo(int, TcxAccessibilityNavigationDirection) {
  throw EcxAccessibilityUnsupported(L"The element does not navigate");
}

int TcxAccessibilityHelper::NextNavigableChild(int Start, bool Forward) {
  const int count = ChildCount();
  if (Start >= count) throw EcxAccessibilityInvalidChild(Format(L"Child index out of range (%d)", {Start}));
  int i = Start >= 0 ? Start : (Forward ? -1 : count);
  for (i += Forward ? 1 : -1; i >= 0 && i < count; i += Forward ? 1 : -1) {
    if (TcxAccessibilityHelper* child = ChildAt(i); child && child->IsNavigable()) return i;
  }
  return -1;
}

TcxAccessibilityHelper* TcxAccessibilityHelper::RootHelper() {
  TcxAccessibilityHelper* helper = this;
  while (TcxAccessibilityHelper* parent = helper->ParentHelper()) helper = parent;
  return helper;
}

bool TcxAccessibilityHelper::IsVisible() {
  return (StateFlags(cxAccessibleObjectSelfID) & STATE_SYSTEM_INVISIBLE) == 0;
}

// ---- COM plumbing ------------------------------------------------------------------------------

template <class F, class C>
HRESULT TcxAccessibilityHelper::Entry(F&& Body, C&& ClearOutputs) {
  ClearOutputs();
  if (!ownerAlive_) return CO_E_OBJNOTCONNECTED;
  HRESULT result;
  try {
    result = Body();
  } catch (const EcxAccessibilityInvalidChild&) {
    result = E_INVALIDARG;
  } catch (const EcxAccessibilityUnsupported&) {
    result = DISP_E_MEMBERNOTFOUND;
  } catch (...) {
    result = E_FAIL;
  }
  // Bodies fill their outputs last, after everything that can fail.
  if (FAILED(result)) ClearOutputs();
  return result;
}

int TcxAccessibilityHelper::CheckedIndex(const VARIANT& Child, bool AllowObjects) {
  if (Child.vt != VT_I4 && Child.vt != VT_INT) throw EcxAccessibilityInvalidChild(L"Not a child id");
  const long id = Child.lVal;
  if (id == CHILDID_SELF) return cxAccessibleObjectSelfID;
  if (id < 0 || id > ChildCount()) throw EcxAccessibilityInvalidChild(Format(L"No child %d", {int(id)}));
  const int index = static_cast<int>(id) - 1;
  if (!AllowObjects && !ChildIsSimpleElement(index))
    throw EcxAccessibilityInvalidChild(Format(L"Child %d is an object of its own", {int(id)}));
  return index;
}

void TcxAccessibilityHelper::ReturnChild(int Index, VARIANT* Result) {
  if (Index == cxAccessibleObjectSelfID) {
    SetInteger(Result, CHILDID_SELF);
    return;
  }
  if (!ChildIsSimpleElement(Index)) {
    if (TcxAccessibilityHelper* child = ChildAt(Index)) {
      IAccessible* object = child->Accessible();
      object->AddRef();
      Result->vt = VT_DISPATCH;
      Result->pdispVal = object;
      return;
    }
  }
  SetInteger(Result, Index + 1);
}

HRESULT TcxAccessibilityHelper::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (IsEqualIID(riid, kIUnknown) || IsEqualIID(riid, IID_cxIDispatch) || IsEqualIID(riid, IID_cxIAccessible)) {
    *ppv = static_cast<IAccessible*>(this);
  } else if (IsEqualIID(riid, IID_cxIOleWindow)) {
    *ppv = static_cast<IOleWindow*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT TcxAccessibilityHelper::GetTypeInfoCount(UINT* pctinfo) {
  if (pctinfo) *pctinfo = 0;
  return E_NOTIMPL;
}

HRESULT TcxAccessibilityHelper::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  if (ppTInfo) *ppTInfo = nullptr;
  return E_NOTIMPL;
}

HRESULT TcxAccessibilityHelper::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT TcxAccessibilityHelper::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* pVarResult, EXCEPINFO*,
                                       UINT*) {
  ClearVariant(pVarResult);
  return E_NOTIMPL;
}

// ---- IAccessible -------------------------------------------------------------------------------

HRESULT TcxAccessibilityHelper::get_accParent(IDispatch** ppdispParent) {
  if (!ppdispParent) return E_POINTER;
  return Entry(
      [&]() -> HRESULT {
        if (TcxAccessibilityHelper* parent = ParentHelper()) {
          IAccessible* object = parent->Accessible();
          object->AddRef();
          *ppdispParent = object;
          return S_OK;
        }
        HWND window = OwnerWindow();
        auto fromWindow = Bound().AccessibleObjectFromWindow.Get();
        if (!window || !fromWindow) return S_FALSE;
        const bool child = (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0;
        HWND parentWindow = child ? GetParent(window) : GetDesktopWindow();
        void* object = nullptr;
        if (FAILED(fromWindow(parentWindow, static_cast<DWORD>(OBJID_WINDOW), IID_cxIAccessible, &object)) ||
            !object)
          return S_FALSE;
        *ppdispParent = static_cast<IDispatch*>(static_cast<IAccessible*>(object));
        return S_OK;
      },
      [&] { *ppdispParent = nullptr; });
}

HRESULT TcxAccessibilityHelper::get_accChildCount(long* pcountChildren) {
  if (!pcountChildren) return E_POINTER;
  return Entry(
      [&]() -> HRESULT {
        const long count = ChildCount();
        *pcountChildren = count;
        return S_OK;
      },
      [&] { *pcountChildren = 0; });
}

HRESULT TcxAccessibilityHelper::get_accChild(VARIANT varChild, IDispatch** ppdispChild) {
  if (!ppdispChild) return E_POINTER;
  return Entry(
      [&]() -> HRESULT {
        if ((varChild.vt != VT_I4 && varChild.vt != VT_INT) || varChild.lVal <= 0 || varChild.lVal > ChildCount())
          return E_INVALIDARG;
        const int index = static_cast<int>(varChild.lVal) - 1;
        if (ChildIsSimpleElement(index)) return S_FALSE;
        TcxAccessibilityHelper* child = ChildAt(index);
        if (!child) return S_FALSE;
        IAccessible* object = child->Accessible();
        object->AddRef();
        *ppdispChild = object;
        return S_OK;
      },
      [&] { *ppdispChild = nullptr; });
}

HRESULT TcxAccessibilityHelper::get_accName(VARIANT varChild, BSTR* pszName) {
  if (!pszName) return E_POINTER;
  return Entry(
      [&]() -> HRESULT {
        const String text = NameText(CheckedIndex(varChild));
        if (text.empty()) return S_FALSE;
        *pszName = NewBString(text);
        return S_OK;
      },
      [&] { ClearBString(pszName); });
}

HRESULT TcxAccessibilityHelper::get_accValue(VARIANT varChild, BSTR* pszValue) {
  if (!pszValue) return E_POINTER;
  return Entry(
      [&]() -> HRESULT {
        const int index = CheckedIndex(varChild);
        if (!(SupportedProperties(index) & cxAccessibleValue)) return DISP_E_MEMBERNOTFOUND;
        *pszValue = NewBString(ValueText(index));
        return S_OK;
      },
      [&] { ClearBString(pszValue); });
}

HRESULT TcxAccessibilityHelper::get_accDescription(VARIANT varChild, BSTR* pszDescription) {
  if (!pszDescription) return E_POINTER;
  return Entry(
      [&]() -> HRESULT {
        const int index = CheckedIndex(varChild);
        if (!(SupportedProperties(index) & cxAccessibleDescription)) return DISP_E_MEMBERNOTFOUND;
        const String text = DescriptionText(index);
        if (text.empty()) return S_FALSE;
        *pszDescription = NewBString(text);
        return S_OK;
      },
      [&] { ClearBString(pszDescription); });
}

HRESULT TcxAccessibilityHelper::get_accRole(VARIANT varChild, VARIANT* pvarRole) {
  if (!pvarRole) return E_POINTER;
  return Entry(
      [&]() -> HRESULT {
        const long role = RoleCode(CheckedIndex(varChild));
        SetInteger(pvarRole, role);
        return S_OK;
      },
      [&] { ClearVariant(pvarRole); });
}

HRESULT TcxAccessibilityHelper::get_accState(VARIANT varChild, VARIANT* pvarState) {
  if (!pvarState) return E_POINTER;
  return Entry(
      [&]() -> HRESULT {
        const long state = StateFlags(CheckedIndex(varChild));
        SetInteger(pvarState, state);
        return S_OK;
      },
      [&] { ClearVariant(pvarState); });
}

HRESULT TcxAccessibilityHelper::get_accHelp(VARIANT, BSTR* pszHelp) {
  if (!pszHelp) return E_POINTER;
  return Entry([]() -> HRESULT { return DISP_E_MEMBERNOTFOUND; }, [&] { ClearBString(pszHelp); });
}

HRESULT TcxAccessibilityHelper::get_accHelpTopic(BSTR* pszHelpFile, VARIANT, long* pidTopic) {
  if (!pszHelpFile || !pidTopic) return E_POINTER;
  return Entry([]() -> HRESULT { return DISP_E_MEMBERNOTFOUND; },
               [&] {
                 ClearBString(pszHelpFile);
                 *pidTopic = 0;
               });
}

HRESULT TcxAccessibilityHelper::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) {
  if (!pszKeyboardShortcut) return E_POINTER;
  return Entry(
      [&]() -> HRESULT {
        const int index = CheckedIndex(varChild);
        if (!(SupportedProperties(index) & cxAccessibleKeyboardShortcut)) return DISP_E_MEMBERNOTFOUND;
        TShortCut shortCut = scNone;
        const String text = KeyboardShortcutText(index, shortCut);
        String result;
        if (const wchar_t accel = AcceleratorOf(text)) result = String(1, static_cast<wchar_t>(std::towupper(accel)));
        else result = ShortCutToText(shortCut);
        if (result.empty()) return S_FALSE;
        *pszKeyboardShortcut = NewBString(result);
        return S_OK;
      },
      [&] { ClearBString(pszKeyboardShortcut); });
}

HRESULT TcxAccessibilityHelper::get_accFocus(VARIANT* pvarChild) {
  if (!pvarChild) return E_POINTER;
  return Entry(
      [&]() -> HRESULT {
        if (!(SupportedProperties(cxAccessibleObjectSelfID) & cxAccessibleFocus)) return DISP_E_MEMBERNOTFOUND;
        bool isChild = false;
        int index = cxAccessibleObjectSelfID;
        if (!FocusedChild(isChild, index)) return S_FALSE;
        ReturnChild(isChild ? index : cxAccessibleObjectSelfID, pvarChild);
        return S_OK;
      },
      [&] { ClearVariant(pvarChild); });
}

HRESULT TcxAccessibilityHelper::get_accSelection(VARIANT* pvarChildren) {
  if (!pvarChildren) return E_POINTER;
  return Entry([]() -> HRESULT { return DISP_E_MEMBERNOTFOUND; }, [&] { ClearVariant(pvarChildren); });
}

HRESULT TcxAccessibilityHelper::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) {
  if (!pszDefaultAction) return E_POINTER;
  return Entry(
      [&]() -> HRESULT {
        const int index = CheckedIndex(varChild);
        if (!(SupportedProperties(index) & cxAccessibleDefaultAction)) return DISP_E_MEMBERNOTFOUND;
        *pszDefaultAction = NewBString(DefaultActionText(index));
        return S_OK;
      },
      [&] { ClearBString(pszDefaultAction); });
}

HRESULT TcxAccessibilityHelper::accSelect(long, VARIANT) {
  return Entry([]() -> HRESULT { return DISP_E_MEMBERNOTFOUND; }, [] {});
}

HRESULT TcxAccessibilityHelper::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                            VARIANT varChild) {
  if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight) return E_POINTER;
  return Entry(
      [&]() -> HRESULT {
        const int index = CheckedIndex(varChild);
        if (!(SupportedProperties(cxAccessibleObjectSelfID) & cxAccessibleLocation)) return DISP_E_MEMBERNOTFOUND;
        const TRect r = ScreenBounds(index);
        *pxLeft = r.left;
        *pyTop = r.top;
        *pcxWidth = r.Width();
        *pcyHeight = r.Height();
        return S_OK;
      },
      [&] { *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0; });
}

HRESULT TcxAccessibilityHelper::accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) {
  if (!pvarEndUpAt) return E_POINTER;
  return Entry(
      [&]() -> HRESULT {
        const bool navigates = (SupportedProperties(cxAccessibleObjectSelfID) & cxAccessibleLocation) != 0;
        if (navDir == NAVDIR_FIRSTCHILD || navDir == NAVDIR_LASTCHILD) {
          if (!IsSelf(varStart)) return E_INVALIDARG;
          if (!navigates) return DISP_E_MEMBERNOTFOUND;
          const int count = ChildCount();
          if (count == 0) return S_FALSE;
          ReturnChild(navDir == NAVDIR_FIRSTCHILD ? 0 : count - 1, pvarEndUpAt);
          return S_OK;
        }
        const TcxAccessibilityNavigationDirection direction = MappedDirection(navDir);
        if (IsSelf(varStart)) {
          TcxAccessibilityHelper* parent = ParentHelper();
          if (!parent || !parent->IsOwnerObjectLive() ||
              !(parent->SupportedProperties(cxAccessibleObjectSelfID) & cxAccessibleLocation))
            return S_FALSE;
          VARIANT self;
          SetInteger(&self, parent->IndexOfChild(this) + 1);
          return parent->accNavigate(navDir, self, pvarEndUpAt);
        }
        const int start = CheckedIndex(varStart, true);
        if (!navigates) return DISP_E_MEMBERNOTFOUND;
        const int result = NavigateTo(start, direction);
        if (result == start || result < 0 || result >= ChildCount()) return S_FALSE;
        ReturnChild(result, pvarEndUpAt);
        return S_OK;
      },
      [&] { ClearVariant(pvarEndUpAt); });
}

HRESULT TcxAccessibilityHelper::accHitTest(long xLeft, long yTop, VARIANT* pvarChild) {
  if (!pvarChild) return E_POINTER;
  return Entry(
      [&]() -> HRESULT {
        if (!(SupportedProperties(cxAccessibleObjectSelfID) & cxAccessibleLocation)) return DISP_E_MEMBERNOTFOUND;
        const TPoint p(xLeft, yTop);
        if (!ScreenBounds(cxAccessibleObjectSelfID).Contains(p)) return S_FALSE;
        int index = cxAccessibleObjectSelfID;
        switch (ChildAtPoint(p.x, p.y, index)) {
          case 1: ReturnChild(cxAccessibleObjectSelfID, pvarChild); return S_OK;
          case 2: ReturnChild(index, pvarChild); return S_OK;
          default: return S_FALSE;
        }
      },
      [&] { ClearVariant(pvarChild); });
}

HRESULT TcxAccessibilityHelper::accDoDefaultAction(VARIANT varChild) {
  return Entry(
      [&]() -> HRESULT {
        const int index = CheckedIndex(varChild);
        if (!(SupportedProperties(index) & cxAccessibleDefaultAction)) return DISP_E_MEMBERNOTFOUND;
        PerformDefaultAction(index);
        return S_OK;
      },
      [] {});
}

HRESULT TcxAccessibilityHelper::put_accName(VARIANT, BSTR) {
  return Entry([]() -> HRESULT { return DISP_E_MEMBERNOTFOUND; }, [] {});
}

HRESULT TcxAccessibilityHelper::put_accValue(VARIANT varChild, BSTR szValue) {
  return Entry(
      [&]() -> HRESULT {
        const int index = CheckedIndex(varChild);
        if (!(SupportedProperties(index) & cxAccessibleValue)) return DISP_E_MEMBERNOTFOUND;
        AssignValue(index, szValue ? String(szValue, SysStringLen(szValue)) : String());
        return S_OK;
      },
      [] {});
}

// ---- IOleWindow --------------------------------------------------------------------------------

HRESULT TcxAccessibilityHelper::GetWindow(HWND* phwnd) {
  if (!phwnd) return E_POINTER;
  return Entry(
      [&]() -> HRESULT {
        HWND window = OwnerWindow();
        *phwnd = window;
        return S_OK;
      },
      [&] { *phwnd = nullptr; });
}

HRESULT TcxAccessibilityHelper::ContextSensitiveHelp(BOOL) { return S_OK; }
