// The main of every test executable: COM as a single-threaded apartment, and an exception sink that
// fails the running test instead of letting a callback's exception pass unnoticed.

#include <gtest/gtest.h>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/Utf8.h"
#include "platform/framework/base/Win32.h"

namespace {

void FailCurrentTest(const std::exception_ptr& error) {
  const ExceptionInfo info = DescribeException(error);
  ADD_FAILURE() << "exception reached the process sink: " << Utf8Encode(info.ClassName) << ": "
                << Utf8Encode(info.Message);
}

}  // namespace

int main(int argc, char** argv) {
  // Crashes print and end instead of opening a dialog.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  SetExceptionSink(&FailCurrentTest);
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  CoUninitialize();
  return result;
}
