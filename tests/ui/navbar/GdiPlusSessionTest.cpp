// The session: when GDI+ counts as available, what the layer does without it, and the exit step.

#include <gtest/gtest.h>

#include <functional>

#include "GdiPlusTestSupport.h"
#include "platform/framework/graphics/Graphic.h"
#include "tests/support/WindowTestSupport.h"

using namespace gdiplus_testing;

namespace {

const PixelAt kRed = [](int, int) { return Pixel{255, 0, 0, 255}; };

int(WINAPI* realStartup)(ULONG_PTR*, const void*, void*) = nullptr;

int WINAPI FailingStartup(ULONG_PTR*, const void*, void*) { return 1; }
GpStatus WINAPI FailingHook(ULONG_PTR*) { return 1; }
// Starts for real, then hands out a hook that fails.
int WINAPI StartupWithFailingHook(ULONG_PTR* token, const void* input, void* output) {
  const int status = realStartup(token, input, output);
  static_cast<GpStartupOutput*>(output)->NotificationHook = &FailingHook;
  return status;
}

struct AvailabilityCase {
  const char* Name;
  std::function<void()> Arrange;
  bool Available;
};

class GdiPlusSession : public GdiPlusFixture {};

TEST_F(GdiPlusSession, AvailableOnlyWithEveryEntryAStartAndAHook) {
  const AvailabilityCase cases[] = {
      {"every entry present", [] {}, true},
      {"one entry missing", [] { Bound().GdipDrawImageRectRect.Set(nullptr); }, false},
      {"the start fails", [] { Bound().GdiplusStartup.Set(&FailingStartup); }, false},
      {"the hook fails",
       [] {
         realStartup = Bound().GdiplusStartup.Get();
         Bound().GdiplusStartup.Set(&StartupWithFailingHook);
       },
       false},
  };
  const AnsiString png = MakePng(2, 2, 2, kRed);
  for (const AvailabilityCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ResetBoundFunctions();
    c.Arrange();
    RestartUnit();
    EXPECT_EQ(GdiPlusAvailable(), c.Available);
    EXPECT_EQ(GetClass(L"TdxPNGImage") != nullptr, c.Available);
    EXPECT_EQ(GraphicClassForExtension(L"png") != nullptr, c.Available);
    EXPECT_EQ(GPImageClass() == &TdxGPImage::ClassInfo(), c.Available);
    auto picture = LoadPicture(png);
    EXPECT_EQ(picture->Empty(), !c.Available);
    window_testing::DibSection dib(4, 4);
    PatBlt(dib.DC(), 0, 0, 4, 4, WHITENESS);
    picture->DrawToDC(dib.DC(), TRect(0, 0, 4, 4));
    EXPECT_EQ(dib.Pixel(1, 1), c.Available ? 0xFF0000u : 0xFFFFFFu);
  }
}

TEST_F(GdiPlusSession, UnavailableScopeEmptiesEveryNewPictureAndRestoresTheLayer) {
  const AnsiString png = MakePng(3, 2, 6, kRed);
  auto before = LoadPicture(png);
  {
    TGdiPlusUnavailableScope scope;
    EXPECT_FALSE(GdiPlusAvailable());
    EXPECT_EQ(GPImageClass(), &TdxGPNullImage::ClassInfo());
    EXPECT_TRUE(LoadPicture(png)->Empty());
    TdxPNGImage copy;
    copy.Assign(before.get());
    EXPECT_TRUE(copy.Empty());
  }
  EXPECT_TRUE(GdiPlusAvailable());
  EXPECT_EQ(GPImageClass(), &TdxGPImage::ClassInfo());
  EXPECT_EQ(LoadPicture(png)->Width(), 3);
}

constexpr CLSID kPngEncoder = {0x1234, 5, 6, {7, 8, 9, 10, 11, 12, 13, 14}};

GpStatus WINAPI TwoEncodersSize(UINT* count, UINT* size) {
  *count = 2;
  *size = 2 * sizeof(GpImageCodecInfo);
  return 0;
}
GpStatus WINAPI TwoEncoders(UINT count, UINT size, GpImageCodecInfo* codecs) {
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(size, 2 * sizeof(GpImageCodecInfo));
  codecs[0] = {};
  codecs[0].MimeType = L"image/jpeg";
  codecs[1] = {};
  codecs[1].Clsid = kPngEncoder;
  codecs[1].MimeType = L"IMAGE/PNG";
  return 0;
}

TEST_F(GdiPlusSession, ThePngEncoderIsFoundByItsMimeTypeInAnyCase) {
  ResetGdiPlus();
  Bound().GdipGetImageEncodersSize.Set(&TwoEncodersSize);
  Bound().GdipGetImageEncoders.Set(&TwoEncoders);
  EXPECT_TRUE(PngEncoderClassID() == kPngEncoder);
  ResetBoundFunctions();
  ResetGdiPlus();
  EXPECT_FALSE(PngEncoderClassID() == kPngEncoder) << "the session's own encoder after a new start";
  EXPECT_FALSE(PngEncoderClassID() == CLSID{});
}

int gdiPlusCalls = 0;
GpStatus WINAPI CountedDispose(GpImage*) { return ++gdiPlusCalls, 0; }
void WINAPI CountedFree(void*) { ++gdiPlusCalls; }
GpStatus WINAPI CountedDeleteGraphics(GpGraphics*) { return ++gdiPlusCalls, 0; }
GpStatus WINAPI CountedDeleteBrush(GpBrush*) { return ++gdiPlusCalls, 0; }

// A picture or wrapper freed after the exit step (a static object at process end, say) must not
// call into the library the step has freed.
TEST_F(GdiPlusSession, ObjectsFreedAfterTheExitStepCallNothingOfGdiPlus) {
  auto picture = LoadPicture(MakePng(2, 2, 2, kRed));
  window_testing::DibSection dib(2, 2);
  auto* graphics = new TdxGPGraphics(dib.DC());
  auto* brush = new TdxGPLinearGradientBrush({0, 0, 2, 2}, 0xFFFF0000, 0xFF0000FF, lgmVertical);
  ASSERT_FALSE(picture->Empty());
  ShutdownGdiPlus();
  gdiPlusCalls = 0;
  Bound().GdipDisposeImage.Set(&CountedDispose);
  Bound().GdipFree.Set(&CountedFree);
  Bound().GdipDeleteGraphics.Set(&CountedDeleteGraphics);
  Bound().GdipDeleteBrush.Set(&CountedDeleteBrush);
  picture.reset();
  graphics->Free();
  brush->Free();
  EXPECT_EQ(gdiPlusCalls, 0);
  EXPECT_FALSE(GdiPlusAvailable()) << "no second start after the exit step";
}

}  // namespace
