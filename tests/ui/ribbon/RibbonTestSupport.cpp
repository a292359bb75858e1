#include "RibbonTestSupport.h"

#include <cstdlib>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarManager.h"
#include "ui/ribbon/Ribbon.h"
#include "ui/navbar/skins/GdiPlus.h"
#include "ui/ribbon/RibbonSkins.h"

namespace ribbon_testing {

DWORD PixelOf(TColor Color) {
  const DWORD c = DWORD(ColorToRGB(Color));
  return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

void FillDib(const DibSection& Dib, int Width, int Height, TColor Color) {
  HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(Color)));
  const RECT r{0, 0, Width, Height};
  FillRect(Dib.DC(), &r, brush);
  DeleteObject(brush);
}

testing::AssertionResult NearPixel(DWORD Actual, TColor Expected, int Tolerance) {
  const DWORD e = PixelOf(Expected);
  for (int shift : {16, 8, 0})
    if (std::abs(int(Actual >> shift & 0xFF) - int(e >> shift & 0xFF)) > Tolerance)
      return testing::AssertionFailure() << std::hex << "0x" << Actual << " is not within " << std::dec << Tolerance
                                         << " of 0x" << std::hex << e;
  return testing::AssertionSuccess();
}

int Brightness(DWORD Pixel) { return int(Pixel >> 16 & 0xFF) + int(Pixel >> 8 & 0xFF) + int(Pixel & 0xFF); }

void RibbonFixture::SetUp() {
  InitializeUnits();
  ASSERT_TRUE(GdiPlusAvailable()) << "Wine's GDI+ did not start";
}

void RibbonFixture::TearDown() {
  ResetBoundFunctions();
  SetRibbonSheetReader(nullptr);
  if (BarSkinManager()->SkinCount() != 3 || !GdiPlusAvailable()) RestartRibbonSkins();
}

void RibbonFixture::RestartRibbonSkins() {
  EndRibbonSkinsUnit();
  StartRibbonSkinsUnit();
}

void RibbonFormFixture::MakeForm(const String& Name, int Width) {
  form = new TForm(nullptr, 0);
  form->SetName(Name);
  form->SetBounds(0, 0, Width, 400);
  manager = new TdxBarManager(form);
  manager->SetName(L"BarManager");
  ribbon = new TdxRibbon(form);
  ribbon->SetName(L"Ribbon");
  ribbon->SetParent(form);
  ribbon->SetBarManager(manager);
  ribbon->SetHeight(200);
}

void RibbonFormFixture::TearDown() {
  FreeAndNil(form);
  RibbonFixture::TearDown();
}

}  // namespace ribbon_testing
