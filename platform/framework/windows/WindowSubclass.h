#pragma once
// A method-bound subclass of a window the framework does not own (a system EDIT made with
// CreateWindowEx, a window of another library): comctl32's SetWindowSubclass with the object as the
// reference data. Every message reaches the bound method inside the exception boundary; the method
// passes what it does not consume on with CallPrevious. Several subclasses of one window come off in
// any order, since comctl32 keeps the chain by identity; none is left behind when the window goes.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(WINDOWS);

#include <memory>

#include "platform/framework/windows/AllocateHWnd.h"

class TWindowSubclass {
 public:
  TWindowSubclass() = default;
  ~TWindowSubclass() { Detach(); }
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // Routes the window's messages to Method; a subclass attached elsewhere comes off first. False
  // (and nothing attached) when the window does not exist or comctl32 refuses.
  bool Attach(HWND Window, TWndMethod Method);
  // Restores the chain without this subclass; nothing when not attached.
  void Detach();
  bool Attached() const { return window_ != nullptr; }
  HWND Window() const { return window_; }

  // Hands the message to the next procedure of the chain and stores its answer in Message.Result.
  // Inside the bound method (also after a Detach there); elsewhere it sends the message to the
  // window itself.
  void CallPrevious(TMessage& Message);

 private:
  static LRESULT CALLBACK SubclassProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR Id,
                                       DWORD_PTR Data);

  HWND window_ = nullptr;
  // The window of the message being handled, while the method runs.
  HWND current_ = nullptr;
  TWndMethod method_;
  std::shared_ptr<int> life_ = std::make_shared<int>(0);
};
