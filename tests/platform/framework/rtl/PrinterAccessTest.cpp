#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/framework/base/Win32.h"
#include "platform/framework/rtl/Printers.h"
#include "platform/framework/rtl/Seams.h"

namespace {

int calls = 0;

class PrinterAccess : public ::testing::Test {
 protected:
  void SetUp() override { calls = 0; }
  void TearDown() override { ResetBoundFunctions(); }
};

TEST_F(PrinterAccess, NoPrinterGivesNoDeviceContextWithoutAskingForOne) {
  BoundPrinters().InstalledPrinterCount = [] { return 0; };
  BoundPrinters().CreateDefaultPrinterDC = []() -> HDC {
    ++calls;
    return CreateCompatibleDC(nullptr);
  };
  EXPECT_EQ(InstalledPrinterCount(), 0);
  EXPECT_EQ(CreateDefaultPrinterDC(), nullptr);
  EXPECT_EQ(calls, 0);
}

TEST_F(PrinterAccess, AFailingPrinterGivesNoDeviceContextAndNoException) {
  struct Case {
    int (*count)();
    HDC (*create)();
  };
  const Case cases[] = {
      {[] { return 1; }, []() -> HDC { throw std::runtime_error("spooler stopped"); }},
      {[] { return 1; }, []() -> HDC { return nullptr; }},
      {[]() -> int { throw std::runtime_error("spooler stopped"); }, []() -> HDC { return nullptr; }},
  };
  for (const Case& c : cases) {
    BoundPrinters().InstalledPrinterCount = c.count;
    BoundPrinters().CreateDefaultPrinterDC = c.create;
    HDC dc = nullptr;
    EXPECT_NO_THROW(dc = CreateDefaultPrinterDC());
    EXPECT_EQ(dc, nullptr);
  }
}

TEST_F(PrinterAccess, AnInstalledPrinterGivesItsDeviceContext) {
  BoundPrinters().InstalledPrinterCount = [] { return 2; };
  BoundPrinters().CreateDefaultPrinterDC = []() -> HDC { return CreateCompatibleDC(nullptr); };
  HDC dc = CreateDefaultPrinterDC();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(InstalledPrinterCount(), 2);
  DeleteDC(dc);
}

TEST_F(PrinterAccess, TheSystemAnswersWithoutFailing) {
  // Whatever the machine has installed: a count that is never negative, and a device context only
  // when there is a printer.
  const int count = InstalledPrinterCount();
  EXPECT_GE(count, 0);
  HDC dc = CreateDefaultPrinterDC();
  if (count == 0) {
    EXPECT_EQ(dc, nullptr);
  }
  if (dc) DeleteDC(dc);
}

}  // namespace
