#include "platform/framework/windows/AllocateHWnd.h"

#include "platform/framework/base/Exceptions.h"

namespace {

const wchar_t kUtilWindowClass[] = L"TFrameworkUtilityWindow";

LRESULT CALLBACK UtilWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!method) return DefWindowProcW(window, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  // A copy: the method may deallocate its own window.
  const TWndMethod handler = *method;
  return Guarded(LRESULT{0}, [&] {
    handler(message);
    return message.Result;
  });
}

void RegisterUtilClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &UtilWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kUtilWindowClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

}  // namespace

HWND AllocateHWnd(TWndMethod method) {
  RegisterUtilClass();
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kUtilWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) throw EOutOfResources(L"Cannot create a hidden window");
  if (method) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TWndMethod(method)));
  return window;
}

void DeallocateHWnd(HWND window) {
  if (!window) return;
  auto* method = reinterpret_cast<TWndMethod*>(SetWindowLongPtrW(window, GWLP_USERDATA, 0));
  DestroyWindow(window);
  delete method;
}

void DefaultWindowMessage(HWND window, TMessage& message) {
  message.Result = DefWindowProcW(window, message.Msg, message.WParam, message.LParam);
}
