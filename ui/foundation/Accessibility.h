#pragma once
// The accessibility object of an element of a custom-drawn control: a counted COM object offering
// IAccessible (with IDispatch) and IOleWindow over a few virtual queries that descendants answer.
//
// Child numbering of the queries: the element itself is cxAccessibleObjectSelfID (-1); a simple
// child with child id n (1-based) is index n - 1. Children that are objects of their own are reached
// through ChildAt. Once the element is gone (MarkOwnerDestroyed), every accessibility call fails with
// CO_E_OBJNOTCONNECTED and cleared outputs, so a client still holding the object touches nothing freed.

#include <oleacc.h>

#include "platform/framework/classes/Object.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/ShortCuts.h"

class TcxAccessibilityHelper;

// The index of the element itself in the queries.
constexpr int cxAccessibleObjectSelfID = -1;

// Supported-properties bits.
constexpr int cxAccessibleDefaultAction = 0x01;
constexpr int cxAccessibleDescription = 0x02;
constexpr int cxAccessibleFocus = 0x04;
constexpr int cxAccessibleLocation = 0x08;  // location, hit test and navigation
constexpr int cxAccessibleKeyboardShortcut = 0x10;
constexpr int cxAccessibleValue = 0x20;

// Navigation directions of NavigateTo.
enum TcxAccessibilityNavigationDirection : Byte {
  andLeft = 0,
  andUp = 1,
  andRight = 2,
  andDown = 3,
  andPrev = 4,
  andNext = 5
};

// A query the descendant does not answer (DISP_E_MEMBERNOTFOUND to the client).
class EcxAccessibilityUnsupported : public Exception {
 public:
  using Exception::Exception;
  const wchar_t* ClassName() const override { return L"EcxAccessibilityUnsupported"; }
};

// A child index or id that names no child (E_INVALIDARG to the client).
class EcxAccessibilityInvalidChild : public Exception {
 public:
  using Exception::Exception;
  const wchar_t* ClassName() const override { return L"EcxAccessibilityInvalidChild"; }
};

class IcxAccessibilityHelper : public virtual IInterface {
 public:
  virtual TcxAccessibilityHelper* GetHelper() = 0;
  virtual void OwnerObjectDestroyed() = 0;
};

class TcxAccessibilityHelper : public TInterfacedObject,
                               public IcxAccessibilityHelper,
                               public IAccessible,
                               public IOleWindow {
  DECLARE_CLASS(TcxAccessibilityHelper, TInterfacedObject)
 public:
  explicit TcxAccessibilityHelper(TObject* AOwnerObject);
  // The framework side (the helper itself) and the COM side (its IAccessible).
  TcxAccessibilityHelper* GetHelper() override { return this; }
  void OwnerObjectDestroyed() override { MarkOwnerDestroyed(); }
  TcxAccessibilityHelper* HelperObject() { return this; }
  IAccessible* Accessible() { return this; }
  TObject* OwnerObject() const { return ownerObject_; }
  bool IsOwnerObjectLive() const { return ownerAlive_; }

  virtual void MarkOwnerDestroyed() { ownerAlive_ = false; }
  virtual bool ChildIsSimpleElement(int Index);
  virtual void PerformDefaultAction(int Index) { (void)Index; }
  virtual bool FocusedChild(bool& IsChild, int& Index);
  virtual TcxAccessibilityHelper* ChildAt(int Index) { (void)Index; return nullptr; }
  virtual int ChildCount() { return 0; }
  virtual int IndexOfChild(TcxAccessibilityHelper* AChild);
  virtual String DefaultActionText(int Index) { (void)Index; return {}; }
  virtual String DescriptionText(int Index) { (void)Index; return {}; }
  // 0 nothing, 1 the element, 2 a child (Index).
  virtual int ChildAtPoint(int X, int Y, int& Index);
  virtual String KeyboardShortcutText(int Index, TShortCut& AShortCut);
  virtual String NameText(int Index) { (void)Index; return {}; }
  virtual HWND OwnerWindow() { return nullptr; }
  virtual TcxAccessibilityHelper* ParentHelper() { return nullptr; }
  virtual int RoleCode(int Index) { (void)Index; return 0; }
  virtual TRect ScreenBounds(int Index) { (void)Index; return {}; }
  virtual bool IsNavigable() { return false; }
  virtual int StateFlags(int Index) { (void)Index; return 0; }
  virtual int SupportedProperties(int Index) { (void)Index; return 0; }
  virtual String ValueText(int Index);
  virtual int NavigateTo(int Index, TcxAccessibilityNavigationDirection Direction);
  virtual void AssignValue(int Index, const String& Value) { (void)Index; (void)Value; }

  // From Start (negative: from before the first or after the last child) one step at a time to the
  // first navigable child; -1 at the ends. A start at or beyond ChildCount raises.
  int NextNavigableChild(int Start, bool Forward);
  TcxAccessibilityHelper* RootHelper();
  bool IsVisible();

  // IUnknown: counted with the object's own reference count.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(_AddRef()); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(_Release()); }
  // IDispatch: no type information, no invocation.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* pVarResult, EXCEPINFO*,
                                   UINT*) override;
  // IAccessible.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** ppdispParent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* pcountChildren) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT varChild, BSTR* pszName) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT varChild, BSTR* pszValue) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT varChild, VARIANT* pvarState) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT varChild, BSTR* pszHelp) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* pvarChild) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* pvarChildren) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flagsSelect, VARIANT varChild) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                        VARIANT varChild) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT varChild) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT varChild, BSTR szName) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT varChild, BSTR szValue) override;
  // IOleWindow.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL fEnterMode) override;

 private:
  // The query index of a child id; EcxAccessibilityInvalidChild for a bad id or, unless
  // AllowObjects, for a child that is an object of its own.
  int CheckedIndex(const VARIANT& Child, bool AllowObjects = false);
  // A child id (or the element) as the client gets it: the child's object when it is not simple.
  void ReturnChild(int Index, VARIANT* Result);
  // Runs one COM method: not connected once the owner is gone, and every exception mapped to a
  // result code with the outputs cleared again.
  template <class F, class C>
  HRESULT Entry(F&& Body, C&& ClearOutputs);

  TObject* ownerObject_;
  bool ownerAlive_ = true;
};

// The system's accessibility interface identifiers (the helper binds oleacc at run time and links
// no import library for them).
extern const IID IID_cxIAccessible;
extern const IID IID_cxIDispatch;
extern const IID IID_cxIOleWindow;
