#pragma once
// Shared pieces of the look-and-feel tests: pinned system colours and OS version, the libraries'
// units started, and a 32-bit drawing surface with pixel probes.

#include <gtest/gtest.h>

#include <map>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/ThemeState.h"
#include "tests/support/FakeThemeApi.h"
#include "ui/foundation/Graphics.h"

namespace painter_testing {

constexpr TColor rgb(Byte r, Byte g, Byte b) { return RGBColor(r, g, b); }

// The system colours the tests read (every other index keeps the system's own), and the version.
class PinnedSystem {
 public:
  PinnedSystem() {
    current_ = this;
    Bound().GetSysColor = &Color;
    Bound().OSVersion = &Version;
  }
  ~PinnedSystem() {
    Bound().GetSysColor = &::GetSysColor;
    Bound().OSVersion = nullptr;
    current_ = nullptr;
  }
  PinnedSystem(const PinnedSystem&) = delete;
  PinnedSystem& operator=(const PinnedSystem&) = delete;

  std::map<int, TColor> Colors = {
      {COLOR_BTNFACE, rgb(212, 208, 200)},     {COLOR_BTNSHADOW, rgb(128, 128, 128)},
      {COLOR_BTNHIGHLIGHT, rgb(255, 255, 255)}, {COLOR_BTNTEXT, rgb(0, 0, 0)},
      {COLOR_3DDKSHADOW, rgb(64, 64, 64)},      {COLOR_3DLIGHT, rgb(232, 228, 220)},
      {COLOR_WINDOW, rgb(250, 250, 250)},       {COLOR_WINDOWTEXT, rgb(10, 10, 10)},
      {COLOR_HIGHLIGHT, rgb(49, 106, 197)},     {COLOR_HIGHLIGHTTEXT, rgb(253, 253, 253)},
      {COLOR_GRAYTEXT, rgb(109, 109, 109)},     {COLOR_WINDOWFRAME, rgb(20, 20, 20)},
  };
  DWORD Major = 5;

 private:
  static DWORD WINAPI Color(int Index) {
    auto found = current_->Colors.find(Index);
    return found != current_->Colors.end() ? DWORD(found->second) : ::GetSysColor(Index);
  }
  static TOSVersion Version() { return {current_->Major, 1}; }
  static inline PinnedSystem* current_ = nullptr;
};

// Starts the libraries' units once (what the application's Initialize does).
inline void StartUnits() { InitializeUnits(); }

// Tells the theme cache (and every listener) that the theme changed.
inline void AnnounceThemeChange() { SendMessageW(ThemeState().Window(), WM_THEMECHANGED, 0, 0); }

// A 32-bit surface filled with a background colour, drawn on through its canvas.
class Surface {
 public:
  Surface(int W, int H, TColor Background = rgb(1, 2, 3)) : bitmap_(W, H) {
    canvas()->FillAreaWithColor(bitmap_.FullRect(), Background);
  }
  TcxCanvas* canvas() { return bitmap_.cxCanvas(); }
  HDC dc() { return bitmap_.Canvas()->Handle(); }
  TcxBitmap& bitmap() { return bitmap_; }
  // The pixel as a TColor.
  TColor At(int X, int Y) {
    GdiFlush();
    const auto* row = static_cast<const Byte*>(bitmap_.ScanLine(Y));
    return RGBColor(row[4 * X + 2], row[4 * X + 1], row[4 * X]);
  }
  int Width() const { return bitmap_.Width(); }
  int Height() const { return bitmap_.Height(); }

 private:
  TcxBitmap bitmap_;
};

// The resolved value of a colour (system colours through the pinned table).
inline TColor Resolved(TColor Color) { return ColorToRGB(Color); }

}  // namespace painter_testing
