#include "platform/framework/rtl/Seams.h"

#include <utility>

#include "platform/framework/rtl/Printers.h"

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

}  // namespace

TBoundFunctions& Bound() {
  static TBoundFunctions table;
  if (!table.ScreenColorDepth) table.ScreenColorDepth = &SystemColorDepth;
  if (!table.OSVersion) table.OSVersion = &SystemVersion;
  return table;
}

void ResetBoundFunctions() {
  Bound() = TBoundFunctions{};
  ResetBoundPrinters();
}

int ScreenColorDepth() { return Bound().ScreenColorDepth(); }

TOSVersion OSVersion() { return Bound().OSVersion(); }

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
