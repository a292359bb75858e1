#include "platform/framework/rtl/Printers.h"

#include <vector>

#include <winspool.h>

namespace {

int SystemPrinterCount() {
  DWORD needed = 0, count = 0;
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &count);
  if (needed == 0) return 0;
  std::vector<BYTE> buffer(needed);
  if (!EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) return 0;
  return static_cast<int>(count);
}

HDC SystemDefaultPrinterDC() {
  DWORD length = 0;
  GetDefaultPrinterW(nullptr, &length);
  if (length == 0) return nullptr;
  std::vector<wchar_t> name(length);
  if (!GetDefaultPrinterW(name.data(), &length)) return nullptr;
  return CreateDCW(L"WINSPOOL", name.data(), nullptr, nullptr);
}

}  // namespace

TPrinterFunctions& BoundPrinters() {
  static TPrinterFunctions table;
  if (!table.InstalledPrinterCount) table.InstalledPrinterCount = &SystemPrinterCount;
  if (!table.CreateDefaultPrinterDC) table.CreateDefaultPrinterDC = &SystemDefaultPrinterDC;
  return table;
}

void ResetBoundPrinters() { BoundPrinters() = TPrinterFunctions{}; }

int InstalledPrinterCount() {
  try {
    return BoundPrinters().InstalledPrinterCount();
  } catch (...) {
    return 0;
  }
}

HDC CreateDefaultPrinterDC() {
  try {
    return InstalledPrinterCount() > 0 ? BoundPrinters().CreateDefaultPrinterDC() : nullptr;
  } catch (...) {
    return nullptr;
  }
}
