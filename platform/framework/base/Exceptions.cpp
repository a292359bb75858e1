#include "platform/framework/base/Exceptions.h"

#include <atomic>
#include <cstdio>

#include "platform/framework/base/Utf8.h"

#ifdef _WIN32
#include "platform/framework/base/Win32.h"
#endif

void Exception::SetMessage(String message) {
  message_ = std::move(message);
  what_.clear();
}

const char* Exception::what() const noexcept {
  try {
    if (what_.empty()) what_ = Utf8Encode(message_);
    return what_.c_str();
  } catch (...) {
    return "Exception";
  }
}

ExceptionInfo DescribeException(const std::exception_ptr& error) {
  ExceptionInfo info;
  try {
    std::rethrow_exception(error);
  } catch (const EAbort& e) {
    info = {e.Message(), e.ClassName(), true};
  } catch (const Exception& e) {
    info = {e.Message(), e.ClassName(), false};
  } catch (const std::exception& e) {
    info = {Utf8Decode(e.what()), L"std::exception", false};
  } catch (...) {
    info = {L"Unknown exception", L"", false};
  }
  return info;
}

namespace {

void DefaultSink(const std::exception_ptr& error) {
  const ExceptionInfo info = DescribeException(error);
  if (info.IsAbort) return;
  const String text = info.ClassName + L": " + info.Message + L"\n";
#ifdef _WIN32
  OutputDebugStringW(text.c_str());
#endif
  std::fputs(Utf8Encode(text).c_str(), stderr);
}

std::atomic<ExceptionSink> g_sink{&DefaultSink};

}  // namespace

ExceptionSink SetExceptionSink(ExceptionSink sink) {
  return g_sink.exchange(sink ? sink : &DefaultSink);
}

void HandleCurrentException() noexcept {
  const std::exception_ptr error = std::current_exception();
  if (!error) return;
  try {
    g_sink.load()(error);
  } catch (...) {
    // A sink that throws must not take the boundary down with it.
    DefaultSink(std::current_exception());
  }
}
