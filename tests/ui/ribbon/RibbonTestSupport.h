#pragma once
// Helpers of the ribbon library's tests: DIB sections filled with a colour, pixel checks against
// framework colours, and a fixture with the libraries' units started and GDI+ running.

#include <gtest/gtest.h>

#include "platform/framework/graphics/Graphics.h"
#include "tests/support/WindowTestSupport.h"

class TForm;
class TdxBarManager;
class TdxRibbon;

namespace ribbon_testing {

using window_testing::DibSection;

// 0x00RRGGBB of a framework colour (system colours resolved).
DWORD PixelOf(TColor Color);
void FillDib(const DibSection& Dib, int Width, int Height, TColor Color);
// Each channel of the pixel within the tolerance of the colour.
testing::AssertionResult NearPixel(DWORD Actual, TColor Expected, int Tolerance = 3);
// The sum of the three channels: brighter pixels give more.
int Brightness(DWORD Pixel);

// The units started (GDI+ and the ribbon skins registered); the table of bound functions, the sheet
// reader and the skin registration are restored after each test.
class RibbonFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Ends and starts the ribbon skins' unit with the table and reader as they stand.
  static void RestartRibbonSkins();
};

// A form Width x 400 with a bar manager and a 200-pixel ribbon bound to it; freed after each test.
class RibbonFormFixture : public RibbonFixture {
 protected:
  void MakeForm(const String& Name, int Width);
  void TearDown() override;

  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TdxRibbon* ribbon = nullptr;
};

}  // namespace ribbon_testing
