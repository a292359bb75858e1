// The splash window's layered content (premultiplied pixels, constant alpha, sizes), its clicks in
// splash and about mode, and the progress window.

#include <gtest/gtest.h>

#include <vector>

#include "app/core/PremultipliedImage.h"
#include "app/core/Progress.h"
#include "app/core/Splash.h"
#include "platform/framework/rtl/Seams.h"
#include "tests/support/TestSupport.h"
#include "ui/extras/png/PngImageCore.h"
#include "ui/navbar/skins/PngImage.h"

namespace {

// A 4 x 2 RGBA picture: (R, G, B, A) per pixel, row by row.
constexpr Byte kPicture[8][4] = {
    {255, 0, 0, 255}, {0, 255, 0, 128}, {0, 0, 255, 0},   {255, 255, 255, 64},
    {200, 100, 50, 128}, {10, 20, 30, 255}, {255, 255, 0, 255}, {0, 0, 0, 0},
};

void WritePicture(const String& fileName) {
  TPngImageCore png;
  png.BuildEmptyImage(6, 8, 4, 2);
  for (Cardinal y = 0; y < 2; ++y)
    for (Cardinal x = 0; x < 4; ++x) {
      const Byte* p = kPicture[y * 4 + x];
      Byte* colour = png.PixelRow(y) + x * 3;
      colour[0] = p[2];
      colour[1] = p[1];
      colour[2] = p[0];
      png.AlphaRow(y)[x] = p[3];
    }
  TPngMemoryStream stream;
  png.SaveToStream(stream);
  testing_support::WriteFileBytes(fileName, AnsiString(stream.Bytes().begin(), stream.Bytes().end()));
}

// The premultiplied BGRA word of a straight RGBA pixel.
std::uint32_t Premultiplied(const Byte* p) {
  auto channel = [&](Byte c) { return static_cast<std::uint32_t>((c * p[3] + 127) / 255); };
  return std::uint32_t(p[3]) << 24 | channel(p[0]) << 16 | channel(p[1]) << 8 | channel(p[2]);
}

// What the window handed to UpdateLayeredWindow.
struct LayeredUpdate {
  HWND Window = nullptr;
  SIZE Size{};
  BLENDFUNCTION Blend{};
  DWORD Flags = 0;
  int BitsPerPixel = 0;
  std::vector<std::uint32_t> Pixels;
};
std::vector<LayeredUpdate> updates;

BOOL WINAPI RecordUpdate(HWND window, HDC, POINT*, SIZE* size, HDC source, POINT*, COLORREF, BLENDFUNCTION* blend,
                         DWORD flags) {
  LayeredUpdate u;
  u.Window = window;
  u.Size = *size;
  u.Blend = *blend;
  u.Flags = flags;
  DIBSECTION dib{};
  if (GetObjectW(GetCurrentObject(source, OBJ_BITMAP), sizeof dib, &dib) == sizeof dib) {
    u.BitsPerPixel = dib.dsBm.bmBitsPixel;
    const auto* bits = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
    u.Pixels.assign(bits, bits + size->cx * size->cy);
  }
  updates.push_back(u);
  return TRUE;
}

class Splash : public testing::Test {
 protected:
  void SetUp() override {
    updates.clear();
    Bound().UpdateLayeredWindow.Set(&RecordUpdate);
    WritePicture(folder.File(L"picture.png"));
  }
  void TearDown() override { Bound().UpdateLayeredWindow.Reset(); }

  testing_support::ScratchFolder folder;
};

struct SplashHolder {
  TSplashForm* form = new TSplashForm(nullptr);
  ~SplashHolder() { form->Free(); }
  TSplashForm* operator->() const { return form; }
};

TEST_F(Splash, PictureIsDecodedIntoPremultipliedPixels) {
  TPremultipliedImage image;
  ASSERT_TRUE(LoadPremultipliedImage(folder.File(L"picture.png"), image));
  ASSERT_EQ(image.Width, 4);
  ASSERT_EQ(image.Height, 2);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(image.Pixels[i], Premultiplied(kPicture[i])) << "pixel " << i;
  EXPECT_FALSE(LoadPremultipliedImage(folder.File(L"missing.png"), image));
}

int gdiPlusStartups = 0;
int(WINAPI* realGdiPlusStartup)(ULONG_PTR*, const void*, void*) = nullptr;
int WINAPI CountedGdiPlusStartup(ULONG_PTR* token, const void* input, void* output) {
  ++gdiPlusStartups;
  return realGdiPlusStartup(token, input, output);
}

// The splash pictures and the GDI+ picture class share the process's one session.
TEST_F(Splash, GdiPlusStartsOnceHoweverManyPicturesLoad) {
  ResetGdiPlus();
  realGdiPlusStartup = Bound().GdiplusStartup.Get();
  Bound().GdiplusStartup.Set(&CountedGdiPlusStartup);
  gdiPlusStartups = 0;
  TPremultipliedImage image;
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(LoadPremultipliedImage(folder.File(L"picture.png"), image));
  StartGdiPlusUnit();
  TdxPNGImage picture;
  picture.LoadFromFile(folder.File(L"picture.png"));
  EXPECT_EQ(picture.Width(), 4);
  EXPECT_EQ(gdiPlusStartups, 1);
  Bound().GdiplusStartup.Reset();
}

TEST_F(Splash, LayeredWindowGetsTopDownPremultipliedPixelsWithPerPixelAlpha) {
  SplashHolder splash;
  updates.clear();
  splash->DrawLayeredImage(folder.File(L"picture.png"), 100);
  ASSERT_EQ(updates.size(), 1u);
  const LayeredUpdate& u = updates[0];
  EXPECT_EQ(u.Window, splash->Handle());
  EXPECT_EQ(u.Size.cx, 4);
  EXPECT_EQ(u.Size.cy, 2);
  EXPECT_EQ(u.Flags, DWORD(ULW_ALPHA));
  EXPECT_EQ(u.Blend.BlendOp, AC_SRC_OVER);
  EXPECT_EQ(u.Blend.AlphaFormat, AC_SRC_ALPHA);
  EXPECT_EQ(u.BitsPerPixel, 32);
  ASSERT_EQ(u.Pixels.size(), 8u);
  // Memory order equal to picture order: the rows are top-down.
  for (int i = 0; i < 8; ++i) EXPECT_EQ(u.Pixels[i], Premultiplied(kPicture[i])) << "pixel " << i;
  EXPECT_TRUE(GetWindowLongPtrW(splash->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_EQ(splash->Width(), 4);
}

TEST_F(Splash, OpacityBecomesTheConstantAlpha) {
  struct Case {
    int Opacity;
    Byte Alpha;
  } cases[] = {{150, 255}, {100, 255}, {0, 0}, {50, 128}, {-1, 255}, {1, 3}};
  SplashHolder splash;
  for (const auto& c : cases) {
    updates.clear();
    splash->DrawLayeredImage(folder.File(L"picture.png"), c.Opacity);
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0].Blend.SourceConstantAlpha, c.Alpha) << c.Opacity;
  }
}

TEST_F(Splash, StartsWithThePictureBesideTheExecutableAndStaysOnTop) {
  // The build draws splash.png into the executables' folder.
  SplashHolder splash;
  ASSERT_EQ(updates.size(), 1u);
  EXPECT_GT(updates[0].Size.cx, 100);
  EXPECT_EQ(updates[0].Blend.SourceConstantAlpha, 255);
  EXPECT_TRUE(GetWindowLongPtrW(splash->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongPtrW(splash->Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
}

void ClickAt(HWND window) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST_F(Splash, ClickClosesTheVersionBoxButNotTheSplash) {
  SplashHolder splash;
  splash->Show();
  ClickAt(splash->Handle());
  SendMessageW(splash->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(splash->ModalResult, mrNone);
  EXPECT_TRUE(IsWindowVisible(splash->Handle()));
  splash->Hide();

  SplashHolder about;
  about->AboutMode = true;
  bool clicked = false;
  auto previous = SetModalDriver([&](const TModalLoop& loop) {
    ClickAt(loop.Window);
    clicked = true;
  });
  const TModalResult result = about->ShowModal();
  SetModalDriver(previous);
  EXPECT_TRUE(clicked);
  EXPECT_EQ(result, mrOk);
}

TEST(Progress, WindowAsItsUsersExpectIt) {
  auto* progress = new TFormProgress(nullptr);
  EXPECT_EQ(progress->Caption(), L"Processing...");
  EXPECT_EQ(progress->LabelProcess->Caption(), L"Process audio data");
  EXPECT_EQ(progress->LabelWait->Caption(), L"Please wait...");
  EXPECT_EQ(progress->ProgressBar->Min(), 0);
  EXPECT_EQ(progress->ProgressBar->Max(), 100);
  EXPECT_EQ(progress->ImageIcon->Picture()->Width(), 48);
  EXPECT_EQ(progress->FormStyle(), fsStayOnTop);
  progress->Show();
  EXPECT_FALSE(GetWindowLongPtrW(progress->Handle(), GWL_STYLE) & WS_SYSMENU);  // no close box
  progress->ProgressBar->SetPosition(40);
  EXPECT_EQ(SendMessageW(progress->ProgressBar->Handle(), PBM_GETPOS, 0, 0), 40);
  progress->Free();
}

}  // namespace
