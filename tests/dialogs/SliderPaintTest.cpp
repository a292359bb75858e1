// The slider's painting and the masked-drawing routines, probed in 32-bit DIB sections.

#include <memory>

#include "dialogs/ImageSlider.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/Stream.h"
#include "tests/support/WindowTestSupport.h"

namespace {

using window_testing::DibSection;

constexpr DWORD kMagenta = 0xFF00FF;
constexpr DWORD kThumbFace = 0xC0C0C0, kSecondThumbFace = 0x909090;

DWORD Rgb(TColor color) {
  const COLORREF c = COLORREF(ColorToRGB(color));
  return (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c);
}

class SliderPaint : public window_testing::FormFixture {
 protected:
  // The worked example: 217 x 40, 0 .. 2, Increment 1, ticks only, value 1.
  TImageSlider* WorkedExample() {
    TImageSlider* slider = Place<TImageSlider>(0, 0, 217, 40);
    slider->SetMaxValue(2);
    slider->SetIncrement(1);
    slider->SetOptions({soShowPoints});
    slider->SetValue(1);
    return slider;
  }
  std::unique_ptr<DibSection> Painted(TImageSlider* slider) {
    auto dib = std::make_unique<DibSection>(slider->Width(), slider->Height());
    slider->PaintTo(dib->DC(), 0, 0);
    return dib;
  }
  static bool Contains(const DibSection& dib, int w, int h, DWORD colour) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (dib.Pixel(x, y) == colour) return true;
    return false;
  }
};

TEST_F(SliderPaint, WorkedExampleThumbAndTicks) {
  TImageSlider* slider = WorkedExample();
  auto dib = Painted(slider);
  const DWORD background = Rgb(slider->Color());
  const DWORD text = Rgb(clWindowText);
  // The thumb's face at (98, 6) + inside; nothing left of it but the ruler and background.
  EXPECT_EQ(dib->Pixel(98 + 10, 6 + 6), kThumbFace);
  EXPECT_NE(dib->Pixel(97, 6 + 6), kThumbFace);
  EXPECT_NE(dib->Pixel(98 + 20, 6 + 6), kThumbFace);
  struct Tick {
    int x, length;
  } ticks[] = {{16, 5}, {108, 3}, {201, 5}};
  for (const Tick& t : ticks) {
    SCOPED_TRACE(t.x);
    for (int y = 20; y < 20 + t.length; ++y) EXPECT_EQ(dib->Pixel(t.x, y), text) << y;
    EXPECT_EQ(dib->Pixel(t.x, 20 + t.length), background);
    EXPECT_EQ(dib->Pixel(t.x + 1, 21), background);
  }
  EXPECT_FALSE(Contains(*dib, 217, 40, kMagenta));
  EXPECT_TRUE(Contains(*dib, 217, 40, 0x404040));  // the ruler's groove
}

TEST_F(SliderPaint, DisabledShowsTheSecondThumbPicture) {
  TImageSlider* slider = WorkedExample();
  slider->SetEnabled(false);
  auto dib = Painted(slider);
  EXPECT_EQ(dib->Pixel(98 + 10, 6 + 6), kSecondThumbFace);
  EXPECT_FALSE(Contains(*dib, 217, 40, kMagenta));
}

TEST_F(SliderPaint, BevelColours) {
  struct Case {
    TPanelBevel bevel;
    TColor topLeft, bottomRight;
  } cases[] = {{bvLowered, clBtnShadow, clBtnHighlight}, {bvRaised, clBtnHighlight, clBtnShadow},
               {bvSpace, clBtnHighlight, clBtnShadow}};
  for (const Case& c : cases) {
    TImageSlider* slider = WorkedExample();
    slider->SetBevelStyle(c.bevel);
    auto dib = Painted(slider);
    EXPECT_EQ(dib->Pixel(50, 0), Rgb(c.topLeft));
    EXPECT_EQ(dib->Pixel(0, 30), Rgb(c.topLeft));
    EXPECT_EQ(dib->Pixel(50, 39), Rgb(c.bottomRight));
    EXPECT_EQ(dib->Pixel(216, 30), Rgb(c.bottomRight));
    EXPECT_EQ(dib->Pixel(50, 1), Rgb(slider->Color()));
    EXPECT_EQ(slider->ThumbRect().top, 7);  // the slider rectangle is inset by the bevel
    slider->Free();
  }
}

TEST_F(SliderPaint, ATwelvePixelSliderDrawsNoRuler) {
  TImageSlider* slider = Place<TImageSlider>(0, 0, 12, 40);
  EXPECT_EQ(slider->RulerBitmap()->Width(), 0);
  auto dib = Painted(slider);
  EXPECT_FALSE(Contains(*dib, 12, 40, 0x404040));
  EXPECT_FALSE(Contains(*dib, 12, 40, kMagenta));
}

// ---- masked drawing ----------------------------------------------------------------------

// 4 x 4: red, with blue at the bottom-left corner and at (2, 1).
std::unique_ptr<TBitmap> Source() {
  auto bitmap = std::make_unique<TBitmap>(4, 4, pf24bit);
  TCanvas* c = bitmap->Canvas();
  c->Brush()->SetColor(clRed);
  c->FillRect(Rect(0, 0, 4, 4));
  c->SetPixels(0, 3, clBlue);
  c->SetPixels(2, 1, clBlue);
  return bitmap;
}

struct Target {
  DibSection dib{8, 8};
  TCanvas canvas;
  Target() {
    canvas.SetHandle(dib.DC());
    canvas.Brush()->SetColor(clLime);
    canvas.FillRect(Rect(0, 0, 8, 8));
  }
  ~Target() { canvas.SetHandle(nullptr); }
};

TEST(MaskedDrawing, TransparentColourChoices) {
  constexpr DWORD red = 0xFF0000, blue = 0x0000FF, green = 0x00FF00;
  struct Case {
    const char* what;
    TColor transparent;
    DWORD corner, dot, face;
  } cases[] = {
      {"no transparency", clNoTransparency, blue, blue, red},
      {"the bottom-left pixel", clBottomLeftPixel, green, green, red},
      {"a colour", clRed, blue, blue, green},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto source = Source();
    Target target;
    DrawImageAtMasked(&target.canvas, TPoint(2, 2), c.transparent, source.get());
    EXPECT_EQ(target.dib.Pixel(2 + 0, 2 + 3), c.corner);
    EXPECT_EQ(target.dib.Pixel(2 + 2, 2 + 1), c.dot);
    EXPECT_EQ(target.dib.Pixel(2 + 1, 2 + 1), c.face);
    EXPECT_EQ(target.dib.Pixel(1, 1), green);  // outside the destination
  }
}

TEST(MaskedDrawing, PartsStretchingAndMonochromeBitmaps) {
  auto source = Source();
  {
    Target target;
    DrawImagePartMasked(&target.canvas, TPoint(0, 0), clRed, source.get(), Rect(2, 1, 4, 3));
    EXPECT_EQ(target.dib.Pixel(0, 0), 0x0000FFu);  // the part's top-left is the blue dot
    EXPECT_EQ(target.dib.Pixel(1, 0), 0x00FF00u);
    EXPECT_EQ(target.dib.Pixel(2, 0), 0x00FF00u);  // outside the part
  }
  {
    Target target;  // an empty destination takes the bitmap's size, an empty source the whole bitmap
    DrawImageMasked(&target.canvas, source.get(), clNoTransparency, TRect(), Rect(1, 1, 1, 1));
    EXPECT_EQ(target.dib.Pixel(4, 4), 0xFF0000u);
    EXPECT_EQ(target.dib.Pixel(5, 5), 0x00FF00u);
    DrawImageMasked(&target.canvas, source.get(), clNoTransparency, TRect(), Rect(0, 0, 8, 8));
    EXPECT_EQ(target.dib.Pixel(7, 0), 0xFF0000u);  // stretched to 8 x 8
  }
  {
    auto mono = std::make_unique<TBitmap>(2, 1, pf1bit);
    mono->Canvas()->SetPixels(0, 0, clBlack);
    mono->Canvas()->SetPixels(1, 0, clWhite);
    Target target;
    DrawImageAtMasked(&target.canvas, TPoint(3, 3), clRed, mono.get());  // white is transparent
    EXPECT_EQ(target.dib.Pixel(3, 3), 0x000000u);
    EXPECT_EQ(target.dib.Pixel(4, 3), 0x00FF00u);
  }
}

// ---- images ----------------------------------------------------------------------------------

std::unique_ptr<TBitmap> PlainThumb(TColor colour) {
  auto bitmap = std::make_unique<TBitmap>(40, 13, pf24bit);
  bitmap->Canvas()->Brush()->SetColor(colour);
  bitmap->Canvas()->FillRect(Rect(0, 0, 40, 13));
  bitmap->Canvas()->SetPixels(0, 12, clFuchsia);
  return bitmap;
}

TEST_F(SliderPaint, UserImagesRoundTripThroughTheFiler) {
  TImageSlider* stored = WorkedExample();
  stored->SetImageHThumb(PlainThumb(clYellow).get());
  EXPECT_EQ(stored->UserImages(), 1);
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteProperties(*stored);
    writer.WriteListEnd();
  }
  ObjectPtr<TForm> root(new TForm(nullptr, 0));
  TLoadingBracket loading(*root);
  auto* loaded = loading.Add(new TImageSlider(root.get()));
  loading.SetData(loaded, AnsiString(static_cast<const char*>(stream.Memory()), std::size_t(stream.Size())));
  loading.End();
  EXPECT_EQ(loaded->UserImages(), 1);
  EXPECT_EQ(loaded->ImageHThumb()->Canvas()->Pixels(5, 5), clYellow);

  // Nothing written while every image is the default.
  TMemoryStream empty;
  TWriter writer(empty);
  TImageSlider* plain = Place<TImageSlider>(0, 50, 100, 40);
  writer.WriteProperties(*plain);
  EXPECT_EQ(empty.Size(), 0);
}

TEST_F(SliderPaint, DamagedUserImagesRaiseAReadErrorAndKeepTheDefaults) {
  const AnsiString damaged[] = {AnsiString("\x01\x02", 2), AnsiString("\x40", 1)};
  for (const AnsiString& bytes : damaged) {
    ObjectPtr<TForm> root(new TForm(nullptr, 0));
    TImageSlider* loaded = nullptr;
    EXPECT_THROW(
        {
          TLoadingBracket loading(*root);
          loaded = loading.Add(new TImageSlider(root.get()));
          loading.WriteData(loaded, [&](TWriter& w) {
            w.WritePropName(L"UserImages");
            w.WriteBinary(bytes.data(), Int64(bytes.size()));
          });
          loading.End();
        },
        EReadError);
    EXPECT_EQ(loaded->UserImages(), 0);
    EXPECT_EQ(loaded->ImageHThumb()->Width(), 40);
    EXPECT_EQ(loaded->ImageHThumb()->Canvas()->Pixels(0, 12), TColor(0xFF00FF));
  }
}

TEST_F(SliderPaint, AssigningNothingRestoresTheDefaultAndClearsItsOpaqueOption) {
  TImageSlider* slider = WorkedExample();
  slider->SetOptions({soRulerOpaque, soThumbOpaque});
  auto ruler = std::make_unique<TBitmap>(6, 6, pf24bit);
  slider->SetImageHRuler(ruler.get());
  EXPECT_EQ(slider->ImageHRuler()->Width(), 6);
  EXPECT_EQ(slider->UserImages(), 2);
  slider->SetImageHRuler(nullptr);
  EXPECT_EQ(slider->ImageHRuler()->Width(), 10);
  EXPECT_EQ(slider->ImageHRuler()->Height(), 8);
  EXPECT_EQ(slider->UserImages(), 0);
  EXPECT_EQ(slider->Options(), TSliderOptions{soThumbOpaque});
}

}  // namespace
