#include "platform/framework/windows/WindowSubclass.h"

#include <commctrl.h>

#include "platform/framework/base/Exceptions.h"

bool TWindowSubclass::Attach(HWND Window, TWndMethod Method) {
  Detach();
  if (!Window || !IsWindow(Window)) return false;
  method_ = Method;
  if (!SetWindowSubclass(Window, &TWindowSubclass::SubclassProc, reinterpret_cast<UINT_PTR>(this),
                         reinterpret_cast<DWORD_PTR>(this)))
    return false;
  window_ = Window;
  return true;
}

void TWindowSubclass::Detach() {
  if (!window_) return;
  HWND window = window_;
  window_ = nullptr;
  if (IsWindow(window)) RemoveWindowSubclass(window, &TWindowSubclass::SubclassProc, reinterpret_cast<UINT_PTR>(this));
}

void TWindowSubclass::CallPrevious(TMessage& Message) {
  if (current_)
    Message.Result = DefSubclassProc(current_, Message.Msg, Message.WParam, Message.LParam);
  else if (window_)
    Message.Result = SendMessageW(window_, Message.Msg, Message.WParam, Message.LParam);
}

LRESULT CALLBACK TWindowSubclass::SubclassProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR,
                                               DWORD_PTR Data) {
  auto* self = reinterpret_cast<TWindowSubclass*>(Data);
  TMessage message{};
  message.Msg = Msg;
  message.WParam = WParam;
  message.LParam = LParam;
  if (!self->method_) return DefSubclassProc(Window, Msg, WParam, LParam);
  // The object may be freed inside its own method; then it is touched no more.
  const std::weak_ptr<int> life = self->life_;
  const HWND outer = self->current_;
  self->current_ = Window;
  const LRESULT result = Guarded(LRESULT(0), [&] {
    self->method_(message);
    return message.Result;
  });
  if (life.expired()) return result;
  self->current_ = outer;
  // The window is going: its chain ends here, whether or not the method let go of it.
  if (Msg == WM_NCDESTROY && self->window_ == Window) self->Detach();
  return result;
}
