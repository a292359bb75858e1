#include "platform/framework/rtl/Seams.h"

#include <utility>
#include <vector>

#include <winspool.h>

namespace {

TMessageBoxAnswerer& Answerer() {
  static TMessageBoxAnswerer answerer;
  return answerer;
}

TModalScript& Driver() {
  static TModalScript driver;
  return driver;
}

struct ModalLimit {
  DWORD Milliseconds = 0;
  std::function<void(const TModalLoop&)> OnOverrun;
};

ModalLimit& Limit() {
  static ModalLimit limit;
  return limit;
}

int SystemColorDepth() {
  HDC dc = GetDC(nullptr);
  const int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  ReleaseDC(nullptr, dc);
  return bits;
}

}  // namespace

TMessageBoxAnswerer SetMessageBoxAnswerer(TMessageBoxAnswerer answerer) {
  return std::exchange(Answerer(), std::move(answerer));
}

int ShowSystemMessageBox(HWND owner, const String& text, const String& caption, UINT flags) {
  if (Answerer()) {
    // A copy: the answerer may replace itself.
    TMessageBoxAnswerer answerer = Answerer();
    return answerer(owner, text, caption, flags);
  }
  return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

TModalScript SetModalDriver(TModalScript driver) { return std::exchange(Driver(), std::move(driver)); }

void ModalLoopStarted(const TModalLoop& loop) {
  if (!Driver()) return;
  TModalScript script = Driver();
  script(loop);
}

void SetModalTimeLimit(DWORD milliseconds, std::function<void(const TModalLoop&)> onOverrun) {
  Limit() = {milliseconds, std::move(onOverrun)};
}

bool ModalLoopOverran(const TModalLoop& loop, DWORD startTick) {
  const ModalLimit& limit = Limit();
  if (limit.Milliseconds == 0 || GetTickCount() - startTick < limit.Milliseconds) return false;
  if (limit.OnOverrun) limit.OnOverrun(loop);
  return true;
}

namespace {

TOSVersion SystemVersion() {
  // GetVersionEx reports at most the version the manifest declares; enough to tell 5 from 6+.
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return {};
#pragma GCC diagnostic pop
  return {info.dwMajorVersion, info.dwMinorVersion};
}

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

TBoundFunctions& Bound() {
  static TBoundFunctions table;
  if (!table.ScreenColorDepth) table.ScreenColorDepth = &SystemColorDepth;
  if (!table.OSVersion) table.OSVersion = &SystemVersion;
  if (!table.InstalledPrinterCount) table.InstalledPrinterCount = &SystemPrinterCount;
  if (!table.CreateDefaultPrinterDC) table.CreateDefaultPrinterDC = &SystemDefaultPrinterDC;
  return table;
}

void ResetBoundFunctions() { Bound() = TBoundFunctions{}; }

int ScreenColorDepth() { return Bound().ScreenColorDepth(); }

TOSVersion OSVersion() { return Bound().OSVersion(); }

int InstalledPrinterCount() {
  try {
    return Bound().InstalledPrinterCount();
  } catch (...) {
    return 0;
  }
}

HDC CreateDefaultPrinterDC() {
  try {
    return InstalledPrinterCount() > 0 ? Bound().CreateDefaultPrinterDC() : nullptr;
  } catch (...) {
    return nullptr;
  }
}

NONCLIENTMETRICSW GetNonClientMetrics() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!Bound().SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    // Systems older than the padded-border field accept only the structure without it.
    metrics = {};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    Bound().SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  }
  return metrics;
}

bool SysLocaleMiddleEast() { return Bound().GetSystemMetrics(SM_MIDEASTENABLED) != 0; }

RECT GetWorkArea() {
  RECT area{};
  if (!Bound().SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
    area = {0, 0, Bound().GetSystemMetrics(SM_CXSCREEN), Bound().GetSystemMetrics(SM_CYSCREEN)};
  }
  return area;
}
