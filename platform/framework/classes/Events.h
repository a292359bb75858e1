#pragma once
// Events: method pointers that are bound to an object and one of its member functions, or to any
// callable. Two method bindings are equal when object and member function both are; a callable
// binding is equal only to its own copies. Events are plain values: copy one to save it, assign it
// back to restore it. Test an event before calling it (`if (OnClick) OnClick(this);`); calling an
// unassigned event does nothing and returns a value-initialised result.
//
//   Button->OnClick = {this, &TMainForm::ButtonOKClick};
//   Timer->OnTimer = [this](TObject*) { Tick(); };

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CLASSES);

#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>

class TObject;

template <class Signature>
class TEvent;

template <class R, class... Args>
class TEvent<R(Args...)> {
 public:
  TEvent() = default;
  TEvent(std::nullptr_t) {}

  // Object + member function (const or not). The method's parameters may be any the event's
  // arguments convert to.
  template <class C, class M, class = std::enable_if_t<std::is_member_function_pointer_v<M>>>
  TEvent(C* object, M method) : object_(object) {
    static_assert(sizeof(M) <= sizeof(code_), "member function pointer too large");
    std::memcpy(code_, &method, sizeof(M));
    invoke_ = &InvokeMethod<C, M>;
  }

  // Any callable (lambda, function object, free function).
  template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TEvent> &&
                                              !std::is_same_v<std::decay_t<F>, std::nullptr_t> &&
                                              std::is_invocable_r_v<R, std::decay_t<F>&, Args...>>>
  TEvent(F&& callable) {
    auto held = std::make_shared<std::decay_t<F>>(std::forward<F>(callable));
    object_ = held.get();
    callable_ = std::move(held);
    invoke_ = &InvokeCallable<std::decay_t<F>>;
  }

  explicit operator bool() const { return invoke_ != nullptr; }

  R operator()(Args... args) const {
    if (!invoke_) {
      if constexpr (std::is_void_v<R>) return;
      else return R{};
    }
    return invoke_(object_, code_, std::forward<Args>(args)...);
  }

  // The bound object (for a callable binding: the held callable).
  void* Data() const { return object_; }
  // True when both bind the same member function, whatever the object.
  bool SameCode(const TEvent& other) const {
    return invoke_ == other.invoke_ && !callable_ && !other.callable_ &&
           std::memcmp(code_, other.code_, sizeof(code_)) == 0;
  }

  friend bool operator==(const TEvent& a, const TEvent& b) {
    return a.invoke_ == b.invoke_ && a.object_ == b.object_ &&
           std::memcmp(a.code_, b.code_, sizeof(a.code_)) == 0;
  }
  friend bool operator==(const TEvent& a, std::nullptr_t) { return !a; }

 private:
  using Invoker = R (*)(void* object, const unsigned char* code, Args&&... args);

  template <class C, class M>
  static R InvokeMethod(void* object, const unsigned char* code, Args&&... args) {
    M method;
    std::memcpy(&method, code, sizeof(M));
    return (static_cast<C*>(object)->*method)(std::forward<Args>(args)...);
  }
  template <class F>
  static R InvokeCallable(void* object, const unsigned char*, Args&&... args) {
    return (*static_cast<F*>(object))(std::forward<Args>(args)...);
  }

  void* object_ = nullptr;
  alignas(void*) unsigned char code_[2 * sizeof(void*)] = {};
  Invoker invoke_ = nullptr;
  std::shared_ptr<void> callable_;
};

using TNotifyEvent = TEvent<void(TObject* Sender)>;

// True when both events are bound to the same object and member function.
template <class Sig>
bool MethodsEqual(const TEvent<Sig>& a, const TEvent<Sig>& b) {
  return a == b;
}
