#pragma once
// The framework's exception classes and the exception boundary.
//
// No exception may cross a Win32 callback (the i686 toolchain unwinds with DWARF-2 and cannot pass
// user32 frames). Every window procedure, hook, timer, enumeration callback and thread entry runs its
// body through Guarded(), which hands whatever escapes to the process exception sink. The application
// object installs Application->HandleException as the sink; tests install "fail this test".

#include <exception>
#include <utility>

#include "platform/framework/base/Types.h"

class Exception : public std::exception {
 public:
  Exception() = default;
  explicit Exception(String message) : message_(std::move(message)) {}
  ~Exception() override = default;

  const String& Message() const { return message_; }
  void SetMessage(String message);
  virtual const wchar_t* ClassName() const { return L"Exception"; }
  const char* what() const noexcept override;

 private:
  String message_;
  mutable AnsiString what_;
};

#define FRAMEWORK_EXCEPTION(Name, Base)                                  \
  class Name : public Base {                                             \
   public:                                                               \
    using Base::Base;                                                    \
    const wchar_t* ClassName() const override { return L## #Name; }      \
  }

// Silent exception: the sink ignores it.
FRAMEWORK_EXCEPTION(EAbort, Exception);
FRAMEWORK_EXCEPTION(EConvertError, Exception);
FRAMEWORK_EXCEPTION(EListError, Exception);
FRAMEWORK_EXCEPTION(EStringListError, EListError);
FRAMEWORK_EXCEPTION(EInvalidOperation, Exception);
FRAMEWORK_EXCEPTION(EInvalidCast, Exception);
FRAMEWORK_EXCEPTION(EComponentError, Exception);
FRAMEWORK_EXCEPTION(EStreamError, Exception);
FRAMEWORK_EXCEPTION(EFCreateError, EStreamError);
FRAMEWORK_EXCEPTION(EFOpenError, EStreamError);
FRAMEWORK_EXCEPTION(EFilerError, EStreamError);
FRAMEWORK_EXCEPTION(EReadError, EFilerError);
FRAMEWORK_EXCEPTION(EWriteError, EFilerError);
FRAMEWORK_EXCEPTION(EClassNotFound, EFilerError);
FRAMEWORK_EXCEPTION(EResNotFound, Exception);
FRAMEWORK_EXCEPTION(ERegistryException, Exception);
FRAMEWORK_EXCEPTION(EThread, Exception);
FRAMEWORK_EXCEPTION(EOutOfResources, Exception);
FRAMEWORK_EXCEPTION(EInvalidGraphic, Exception);
FRAMEWORK_EXCEPTION(EInvalidGraphicOperation, Exception);

// An exception that carries an operating-system or I/O error code.
class EOSError : public Exception {
 public:
  using Exception::Exception;
  EOSError(String message, unsigned long errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
  const wchar_t* ClassName() const override { return L"EOSError"; }
  unsigned long ErrorCode = 0;
};

class EInOutError : public Exception {
 public:
  using Exception::Exception;
  EInOutError(String message, int errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
  const wchar_t* ClassName() const override { return L"EInOutError"; }
  int ErrorCode = 0;
};

FRAMEWORK_EXCEPTION(EOleError, Exception);

// A failed COM or OLE call, with its result code.
class EOleSysError : public EOleError {
 public:
  using EOleError::EOleError;
  EOleSysError(String message, long errorCode) : EOleError(std::move(message)), ErrorCode(errorCode) {}
  const wchar_t* ClassName() const override { return L"EOleSysError"; }
  long ErrorCode = 0;
};

// Text and class name of any exception: framework exceptions give their message and class name,
// std::exception its what() as UTF-8, anything else an "Unknown exception" text.
struct ExceptionInfo {
  String Message;
  String ClassName;
  bool IsAbort = false;
};
ExceptionInfo DescribeException(const std::exception_ptr& error);

using ExceptionSink = void (*)(const std::exception_ptr& error);
// Installs the process exception sink and returns the previous one. Null restores the default,
// which writes the message to the debug output.
ExceptionSink SetExceptionSink(ExceptionSink sink);
// Hands the exception being handled to the sink. Call only inside a catch block.
void HandleCurrentException() noexcept;

// Runs body; anything it throws goes to the sink and fallback is returned instead.
template <class R, class Body>
R Guarded(R fallback, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    HandleCurrentException();
    return fallback;
  }
}

template <class Body>
void Guarded(Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
    HandleCurrentException();
  }
}
