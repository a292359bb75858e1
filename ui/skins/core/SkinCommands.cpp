#include "ui/skins/core/SkinCommands.h"

#include <algorithm>

#include <shellapi.h>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/Seams.h"
#include "ui/skins/paint/FastPixels.h"
#include "ui/skins/core/FormFade.h"
#include "ui/skins/core/SkinManager.h"

TsCacheRef SharedCacheRef;
TColor SharedTransparentColor = clFuchsia;
TColor SharedParentColor = clFuchsia;
std::vector<TCustomForm*> RegisteredForms;
String ReloadSectionName;
HICON AppSmallIcon = nullptr;
HICON AppLargeIcon = nullptr;
TSetWindowThemeProc SetWindowThemeProc = nullptr;

namespace {

bool Destroying(TComponent* component) { return component->ComponentState().Contains(csDestroying); }

bool IsMdiFrame(TCustomForm* form) { return form->FormStyle() == fsMDIForm; }

// Sends to the form's window, walks its controls and reaches an MDI frame's client window.
void SendToForm(TCustomForm* form, TMessage& message) {
  SendMessageW(form->Handle(), message.Msg, message.WParam, message.LParam);
  BroadcastToChildren(form, message);
  if (IsMdiFrame(form) && form->ClientHandle())
    SendMessageW(form->ClientHandle(), message.Msg, message.WParam, message.LParam);
}

// A top-level, visible, non-MDI-child form whose provider belongs to the manager.
TacSkinProviderBase* LockableProvider(TCustomForm* form, TsSkinManager* manager) {
  if (!form || form->FormStyle() == fsMDIChild || form->Parent() || !form->HandleAllocated() ||
      !IsWindowVisible(form->Handle()))
    return nullptr;
  TacSkinProviderBase* provider = ProviderOf(form);
  return provider && provider->ProviderManager() == manager ? provider : nullptr;
}

}  // namespace

LRESULT SendSkinCommand(HWND window, Word command, TsSkinManager* manager) {
  return SendMessageW(window, SM_ALPHACMD, SkinCommandWParam(command), reinterpret_cast<LPARAM>(manager));
}

LRESULT SendSkinCommandTo(TControl* control, Word command, LPARAM lParam) {
  if (!control || Destroying(control)) return 0;
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    if (!windowed->HandleAllocated()) return 0;
    return SendMessageW(windowed->Handle(), SM_ALPHACMD, SkinCommandWParam(command), lParam);
  }
  return control->Perform(SM_ALPHACMD, SkinCommandWParam(command), lParam);
}

bool QuerySkinCommand(TControl* control, Word command) {
  if (!control) return false;
  TMessage message = MakeMessage(SM_ALPHACMD, SkinCommandWParam(command), 0, 0);
  control->WindowProc(message);
  if (message.LParam == 1) return true;
  auto* windowed = dynamic_cast<TWinControl*>(control);
  return windowed && windowed->HandleAllocated() &&
         SendMessageW(windowed->Handle(), message.Msg, message.WParam, message.LParam) == 1;
}

bool QueryWindowCommand(HWND window, Word command) {
  return SendMessageW(window, SM_ALPHACMD, SkinCommandWParam(command), 0) == 1;
}

void NotifyParentForm(TControl* control) {
  if (TCustomForm* form = GetParentForm(control); form && form->HandleAllocated())
    SendMessageW(form->Handle(), SM_ALPHACMD, SkinCommandWParam(scControlAdded), reinterpret_cast<LPARAM>(control));
}

void NotifyChildren(TWinControl* control) {
  try {
    for (int i = 0; i < control->ControlCount(); ++i) {
      auto* child = dynamic_cast<TWinControl*>(control->Controls(i));
      if (!child || Destroying(child) || !child->HandleAllocated() || !child->Showing()) continue;
      SendMessageW(child->Handle(), SM_ALPHACMD, SkinCommandWParam(scParentUpdated), 0);
    }
  } catch (const std::exception&) {
    // A child that goes away during the walk ends it.
  }
}

void NotifyChildWindows(HWND window) {
  for (HWND child = GetTopWindow(window); child; child = GetNextWindow(child, GW_HWNDNEXT))
    if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD)
      SendMessageW(child, SM_ALPHACMD, SkinCommandWParam(scParentUpdated), 0);
}

TColor GetControlBgColor(TControl* control) {
  SharedTransparentColor = clFuchsia;
  SendSkinCommandTo(control, scGetBgColor, 0);
  if (SharedTransparentColor == clFuchsia) SharedTransparentColor = control->Color();
  SharedTransparentColor = ColorToRGB(SharedTransparentColor);
  return SharedTransparentColor;
}

bool ControlIsReady(TControl* control) {
  if (!control) return false;
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (windowed && !windowed->HandleAllocated()) return false;
  TComponentState state = control->ComponentState();
  if (state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csDestroying)) return false;
  if (control->ControlState.Contains(csCreating)) return false;
  return control->Parent() != nullptr;
}

TCustomForm* OwnerForm(TComponent* component) {
  for (TComponent* owner = component ? component->Owner() : nullptr; owner; owner = owner->Owner())
    if (auto* form = dynamic_cast<TCustomForm*>(owner)) return form;
  return nullptr;
}

UINT TextAlignFlags(TControl*, int alignment) {
  static const UINT flags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  // The framework's controls read left to right only.
  return (alignment >= 0 && alignment <= 2 ? flags[alignment] : DT_LEFT) | DT_VCENTER | DT_EXPANDTABS;
}

int AlignedChildrenSize(TWinControl* control, TAlign alignment, bool withGraphic) {
  int size = 0;
  for (int i = 0; i < control->ControlCount(); ++i) {
    TControl* child = control->Controls(i);
    if (!child->Visible() || child->Align() != alignment) continue;
    if (!withGraphic && !dynamic_cast<TWinControl*>(child)) continue;
    size += alignment == alTop || alignment == alBottom ? child->Height() : child->Width();
  }
  return size;
}

void BroadcastToChildren(TWinControl* control, TMessage& message) {
  for (int i = 0; i < control->ControlCount(); ++i) {
    TControl* child = control->Controls(i);
    if (Destroying(child)) return;
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (!windowed || !windowed->HandleAllocated()) {
      child->Perform(message.Msg, message.WParam, message.LParam);
    } else if (QuerySkinCommand(windowed, scIsSkinned)) {
      SendMessageW(windowed->Handle(), message.Msg, message.WParam, message.LParam);
    } else {
      BroadcastToChildren(windowed, message);
    }
  }
}

void BroadcastToForms(TMessage& message) {
  // Components may go away while their forms handle the message; the walk then ends early, and the
  // registered forms are reached all the same.
  for (int i = Application->ComponentCount() - 1; i >= 0; --i) {
    if (i >= Application->ComponentCount()) break;
    auto* form = dynamic_cast<TCustomForm*>(Application->Components(i));
    if (!form || form->FormStyle() == fsMDIChild) continue;
    TComponentState state = form->ComponentState();
    if (state.Contains(csDestroying) || state.Contains(csLoading)) continue;
    if (!form->HandleAllocated() || QueryWindowCommand(form->Handle(), scIsSkinned)) continue;
    SendToForm(form, message);
  }
  BroadcastToRegisteredForms(message);
}

void BroadcastToRegisteredForms(TMessage& message) {
  std::vector<TCustomForm*> forms = RegisteredForms;
  for (TCustomForm* form : forms) {
    if (std::find(RegisteredForms.begin(), RegisteredForms.end(), form) == RegisteredForms.end()) continue;
    if (!form || Destroying(form) || !form->HandleAllocated()) continue;
    SendToForm(form, message);
  }
}

void RegisterForm(TCustomForm* form) { RegisteredForms.push_back(form); }

void UnregisterForm(TCustomForm* form) {
  auto at = std::find(RegisteredForms.begin(), RegisteredForms.end(), form);
  if (at == RegisteredForms.end()) return;
  *at = RegisteredForms.back();
  RegisteredForms.pop_back();
}

TacSkinProviderBase* ProviderOf(TCustomForm* form) {
  if (!form || !form->HandleAllocated()) return nullptr;
  return reinterpret_cast<TacSkinProviderBase*>(SendSkinCommand(form->Handle(), scGetProvider, nullptr));
}

void LockForms(TsSkinManager* manager) {
  for (TCustomForm* form : RegisteredForms)
    if (LockableProvider(form, manager)) SendMessageW(form->Handle(), WM_SETREDRAW, FALSE, 0);
}

void UnlockForms(TsSkinManager* manager, bool animate) {
  std::vector<TCustomForm*> forms = RegisteredForms;
  for (TCustomForm* form : forms) {
    TacSkinProviderBase* provider = LockableProvider(form, manager);
    if (!provider) continue;
    if (!animate) {
      SendMessageW(form->Handle(), WM_SETREDRAW, TRUE, 0);
      continue;
    }
    bool beforeVista = OSVersion().Major < 6;
    const TacFormAnimation& changing = manager->AnimEffects()->SkinChanging;
    if (changing.Active) AnimateForm(form, beforeVista ? changing.Time : 0);
    SendMessageW(form->Handle(), WM_SETREDRAW, TRUE, 0);
    if (beforeVista) SetWindowRgn(form->Handle(), nullptr, FALSE);
    provider->UpdateProviderFrame();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  }
}

namespace {

void StartSkinUnit() {
  RegisterWindowMessageW(L"SM_ALPHACMD");  // registered, then the fixed number is used
  String exe = ParamStr(0);
  AppSmallIcon = FileIconOf(exe, SHGFI_SMALLICON);
  AppLargeIcon = FileIconOf(exe, SHGFI_LARGEICON);
  SetWindowThemeProc = Bound().SetWindowTheme.Get();
  DefaultScrollWidth = Bound().GetSystemMetrics(SM_CXHSCROLL);
  Fast24Src();
}

void EndSkinUnit() {
  if (AppSmallIcon) DestroyIcon(AppSmallIcon);
  if (AppLargeIcon) DestroyIcon(AppLargeIcon);
  AppSmallIcon = AppLargeIcon = nullptr;
  SetWindowThemeProc = nullptr;
  RegisteredForms.clear();
  ReleaseFastPixels();
  ReleasePaintScratch();
}

const TUnitRegistration skinUnit(&StartSkinUnit, &EndSkinUnit);

}  // namespace
