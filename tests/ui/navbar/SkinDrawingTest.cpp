// Drawing skin elements: frame geometry and states, the nine-part split, tiling and unscaled
// drawing (through a recorder of the GDI+ draw calls), borders, the empty element, the palette
// display's buffer, and embedded elements drawn 1:1 against their own PNG frames.

#include <cmath>

#include "SkinTestSupport.h"
#include "tests/support/WindowTestSupport.h"
#include "platform/framework/rtl/Seams.h"
#include "ui/extras/png/PngImageCore.h"
#include "platform/framework/base/Utf8.h"

using namespace skin_testing;
using window_testing::DibSection;

namespace {

struct ElementFixture : SkinFixture {
  void SetUp() override {
    SkinFixture::SetUp();
    skin.reset(new TdxSkin(L"Test"));
    element = skin->AddGroup(L"G")->AddElement(L"E");
  }
  ObjectPtr<TdxSkin> skin;
  TdxSkinElement* element = nullptr;
};

}  // namespace

TEST_F(ElementFixture, FramesFollowStatesLayoutAndImageCount) {
  TdxSkinImage* image = element->Image();
  FillImage(image, 20, 120);
  image->SetStates({esNormal, esHot, esPressed});
  image->SetImageLayout(ilVertical);
  element->SetImageCount(2);
  EXPECT_EQ(image->FrameSize(), TSize(20, 20));
  EXPECT_EQ(image->FrameRect(1, esPressed), TRect(0, 100, 20, 120));
  EXPECT_EQ(image->FrameRect(0, esHot), TRect(0, 20, 20, 40));
  // A state the sheet lacks draws the first present one.
  EXPECT_EQ(image->ResolveState(esDisabled), esNormal);
  EXPECT_EQ(image->FrameRect(1, esDisabled), TRect(0, 60, 20, 80));
  image->SetStates({esHot, esChecked});
  EXPECT_EQ(image->ResolveState(esNormal), esHot);
  image->SetImageLayout(ilHorizontal);
  image->SetStates({});
  EXPECT_EQ(image->ResolveState(esPressed), esPressed);
  element->SetImageCount(0);
  EXPECT_EQ(element->ImageCount(), 1);
}

TEST_F(ElementFixture, MarginsWiderThanTheDestinationShrinkAndScaleTheOuterColumns) {
  TdxSkinImage* image = element->Image();
  image->SetMargins(TRect(4, 0, 4, 0));
  TdxSkinParts parts;
  TdxSkinPartFlags visible;
  visible.fill(true);
  image->SplitIntoParts(TRect(10, 0, 16, 10), true, parts, visible);
  EXPECT_EQ(parts[1], TRect(10, 0, 13, 10));  // left column, middle row
  EXPECT_EQ(parts[7], TRect(13, 0, 16, 10));  // right column, middle row
  EXPECT_FALSE(visible[4]);                   // the empty centre column is skipped
  EXPECT_TRUE(visible[1] && visible[7]);
  EXPECT_TRUE(image->ScaledFlags()[1] && image->ScaledFlags()[7]);
  // A source is never shrunk: the same margins over a 6-pixel source give 4 + 2 (clamped), 0.
  visible.fill(true);
  image->SplitIntoParts(TRect(0, 0, 6, 10), false, parts, visible);
  EXPECT_EQ(parts[1], TRect(0, 0, 4, 10));
  EXPECT_EQ(parts[7], TRect(4, 0, 6, 10));
}

TEST_F(ElementFixture, TilesAndUnscaledFramesLandWhereTheyShould) {
  DibSection dib(60, 60);
  TdxSkinImage* image = element->Image();
  {
    // A 7-pixel tile (red first column, blue rest) across 20 pixels: at 0, 7 and 14, the last one
    // cut to 6, and nothing beyond.
    ObjectPtr<TBitmap> tile(gdiplus_testing::MakeBitmap(7, 5, [](int x, int) {
      return x == 0 ? gdiplus_testing::Pixel{255, 0, 0, 255} : gdiplus_testing::Pixel{0, 0, 255, 255};
    }));
    image->Texture()->SetBitmap(tile.get());
    image->SetStretch(smTile);
    image->SetMargins(TRect(0, 0, 0, 0));
    image->DrawToDC(dib.DC(), TRect(0, 0, 20, 5));
    const struct { int x; DWORD rgb; } probes[] = {
        {0, 0xFF0000}, {6, 0x0000FF}, {7, 0xFF0000}, {13, 0x0000FF}, {14, 0xFF0000}, {19, 0x0000FF}, {20, 0}};
    for (const auto& probe : probes) EXPECT_EQ(dib.Pixel(probe.x, 2), probe.rgb) << probe.x;
    // Drawn again at that size, the kept copy serves: GDI+ draws nothing.
    DrawRecorder recorder;
    image->DrawToDC(dib.DC(), TRect(0, 0, 20, 5));
    EXPECT_TRUE(recorder.Calls.empty());
    EXPECT_EQ(dib.Pixel(14, 2), 0xFF0000u);
  }
  {
    // A 16 x 16 frame that must not be resized, centred on a 10 x 10 rectangle.
    FillImage(image, 16, 16);
    image->SetStretch(smNoResize);
    DrawRecorder recorder;
    image->DrawToDC(dib.DC(), TRect(20, 20, 30, 30));
    ASSERT_EQ(recorder.Calls.size(), 1u);
    EXPECT_EQ(recorder.Calls[0].Dest, TRect(17, 17, 33, 33));
    EXPECT_EQ(recorder.Calls[0].Source, TRect(0, 0, 16, 16));
  }
}

TEST_F(ElementFixture, WithoutAnImageBordersComeFirstAndTheColourFillsWhatIsLeft) {
  element->SetColor(0x00FF00);  // green
  element->Borders()->Left()->SetColor(0x0000FF);  // red
  element->Borders()->Left()->SetThin(2);
  DibSection dib(20, 10);
  element->Draw(dib.DC(), TRect(0, 0, 20, 10));
  EXPECT_EQ(dib.Pixel(0, 5), 0xFF0000u);
  EXPECT_EQ(dib.Pixel(1, 5), 0xFF0000u);
  EXPECT_EQ(dib.Pixel(2, 5), 0x00FF00u);
  EXPECT_EQ(dib.Pixel(19, 9), 0x00FF00u);
}

// An element's finished picture is kept per size and state: it blends onto whatever lies below as
// the element itself does, and a change of the element draws the new look at once.
TEST_F(ElementFixture, AKeptPictureBlendsLikeTheElementAndIsForgottenOnAChange) {
  element->SetColor(0x0000FF);  // red
  element->SetAlpha(128);
  element->Borders()->Top()->SetColor(0x00FF00);  // an opaque green top line
  DibSection dib(40, 20);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    const RECT all{0, 0, 40, 20};
    FillRect(dib.DC(), &all, blue);
    DeleteObject(blue);
    element->Draw(dib.DC(), TRect(0, 0, 20, 10));
    element->Draw(dib.DC(), TRect(20, 10, 40, 20));
    for (const TPoint& p : {TPoint(5, 5), TPoint(25, 15)})
      EXPECT_TRUE(gdiplus_testing::NearColor(dib.Pixel(p.x, p.y), 128, 0, 127, 2)) << std::hex << dib.Pixel(p.x, p.y);
    EXPECT_EQ(dib.Pixel(5, 0), 0x00FF00u);
    EXPECT_EQ(dib.Pixel(25, 10), 0x00FF00u);
    EXPECT_EQ(element->KeptRenderingCount(), 1);
  }
  element->Draw(dib.DC(), TRect(0, 0, 30, 10), 0, esHot);
  EXPECT_EQ(element->KeptRenderingCount(), 2);
  element->SetColor(0x00FFFF);  // yellow
  EXPECT_EQ(element->KeptRenderingCount(), 0);
  element->SetAlpha(255);
  element->Draw(dib.DC(), TRect(0, 0, 20, 10));
  EXPECT_EQ(dib.Pixel(5, 5), 0xFFFF00u);
}

TEST_F(ElementFixture, TheEmptyElementIsWhiteInARedFrame) {
  DibSection dib(10, 10);
  SkinEmptyElement()->Draw(dib.DC(), TRect(1, 1, 9, 9));
  EXPECT_EQ(dib.Pixel(1, 1), 0xFF0000u);
  EXPECT_EQ(dib.Pixel(8, 5), 0xFF0000u);
  EXPECT_EQ(dib.Pixel(4, 4), 0xFFFFFFu);
  EXPECT_EQ(dib.Pixel(0, 0), 0x000000u);
}

namespace {

HDC graphicsDC = nullptr;
GpStatus(WINAPI* realCreateFromHDC)(HDC, GpGraphics**) = nullptr;

GpStatus WINAPI RecordingCreateFromHDC(HDC dc, GpGraphics** graphics) {
  graphicsDC = dc;
  return realCreateFromHDC(dc, graphics);
}

}  // namespace

TEST_F(ElementFixture, APaletteDisplayDrawsThroughAnOffscreenBuffer) {
  realCreateFromHDC = Bound().GdipCreateFromHDC.Get();
  Bound().ScreenColorDepth = [] { return 8; };
  Bound().GdipCreateFromHDC.Set(&RecordingCreateFromHDC);
  element->SetColor(0x0000FF);
  DibSection dib(30, 30);
  element->Draw(dib.DC(), TRect(10, 10, 20, 20));
  EXPECT_NE(graphicsDC, dib.DC());
  EXPECT_EQ(dib.Pixel(10, 10), 0xFF0000u);
  EXPECT_EQ(dib.Pixel(19, 19), 0xFF0000u);
  EXPECT_EQ(dib.Pixel(9, 9), 0x000000u);
  EXPECT_EQ(dib.Pixel(20, 20), 0x000000u);
}

// One element per embedded skin drawn 1:1 matches its own PNG frame, decoded by the codec core, at
// sample points (straight alpha composed over the white page).
TEST_F(SkinFixture, EmbeddedElementsDrawTheirOwnPixels) {
  for (const wchar_t* name : {L"OFFICE12_BLUE", L"OFFICE12_BLACK", L"OFFICE12_SILVER", L"VISTA"}) {
    SCOPED_TRACE(Utf8Encode(name));
    const auto bytes = EmbeddedSkinBytes(name);
    const dxskin::SkinRecord record = dxskin::ReadSkinStream(bytes.data(), bytes.size());
    const dxskin::ElementRecord* open = nullptr;
    for (const auto& g : record.Groups)
      for (const auto& e : g.Elements)
        if (g.Name == "NavBar" && e.Name == "GroupOpenButton") open = &e;
    ASSERT_NE(open, nullptr);
    TPngImageCore png;
    TPngMemoryStream stream(open->Image.Png);
    png.LoadFromStream(stream);

    TEmbeddedSkin skin(name);
    skin.LoadFromResource(GetModuleHandleW(nullptr));
    TdxSkinElement* element = skin.FindGroup(L"NavBar")->FindElement(L"GroupOpenButton");
    ASSERT_NE(element, nullptr);
    const TSize frame = element->Image()->FrameSize();
    DibSection dib(frame.cx, frame.cy);
    FillRect(dib.DC(), &static_cast<const RECT&>(TRect(0, 0, frame.cx, frame.cy)), HBRUSH(GetStockObject(WHITE_BRUSH)));
    element->Draw(dib.DC(), TRect(0, 0, frame.cx, frame.cy), 0, esHot);
    // The hot frame is the second one of the horizontal sheet.
    for (int y = 1; y < frame.cy; y += 3)
      for (int x = 1; x < frame.cx; x += 3) {
        const TPngColor c = png.PixelColor(frame.cx + x, y);
        const int a = png.AlphaRow(Cardinal(y))[frame.cx + x];
        auto over = [&](int channel) { return Byte((channel * a + 255 * (255 - a) + 127) / 255); };
        EXPECT_TRUE(gdiplus_testing::NearColor(dib.Pixel(x, y), over(GetRValue(c)), over(GetGValue(c)),
                                               over(GetBValue(c)), 3))
            << x << "," << y;
      }
  }
}
