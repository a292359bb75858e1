// The PNG glyph routines (fade, grey, drawing with options, image-list entries), the glyph layout
// and TPngSpeedButton painting, its picture setter and its action image.

#include <gtest/gtest.h>

#include <vector>

#include "PaintSurface.h"
#include "PngTestImages.h"
#include "platform/framework/windows/ActnList.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/graphics/ImageList.h"
#include "platform/framework/classes/Stream.h"
#include "ui/extras/png/PngHeaderChunk.h"
#include "ui/extras/png/PngInfoChunks.h"
#include "ui/extras/png/PngObject.h"
#include "ui/extras/png/PngPaletteChunks.h"
#include "ui/extras/pngbuttons/PngButtonFunctions.h"
#include "ui/extras/pngbuttons/PngFunctions.h"
#include "ui/extras/pngbuttons/PngSpeedButton.h"

using extras_test::NearColor;
using extras_test::PaintSurface;
using png_test::Bytes;

namespace {

png_test::ImageShape Shape(int colorType, std::uint32_t width, std::uint32_t height = 1) {
  png_test::ImageShape shape;
  shape.ColorType = colorType;
  shape.Width = width;
  shape.Height = height;
  return shape;
}

void LoadInto(TPNGObject& png, const Bytes& file) {
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), Int64(file.size()));
  stream.SetPosition(0);
  png.LoadFromStream(stream);
}

ObjectPtr<TPNGObject> LoadPng(const png_test::ImageShape& shape, const std::vector<std::uint16_t>& samples,
                              const Bytes& palette = {}) {
  ObjectPtr<TPNGObject> png(new TPNGObject);
  LoadInto(*png, png_test::Encode(shape, samples, palette));
  return png;
}

// A w x h RGBA picture of one colour and alpha.
ObjectPtr<TPNGObject> SolidRgba(std::uint32_t w, std::uint32_t h, Byte r, Byte g, Byte b, Byte a) {
  std::vector<std::uint16_t> samples;
  for (std::uint32_t i = 0; i < w * h; ++i) samples.insert(samples.end(), {r, g, b, a});
  return LoadPng(Shape(6, w, h), samples);
}

std::vector<Byte> Alphas(TPNGObject& png) {
  std::vector<Byte> result;
  for (int y = 0; y < png.Height(); ++y)
    for (int x = 0; x < png.Width(); ++x) result.push_back(png.AlphaRow(Cardinal(y))[x]);
  return result;
}

// Three palette entries: black, mid grey, white.
const Bytes kPalette = {0, 0, 0, 128, 128, 128, 255, 255, 255};

}  // namespace

// ---- FadeImage --------------------------------------------------------------------------------

TEST(PngFade, AlphaIsScaledWithTiesToEven) {
  // 255 -> 128 (the disabled look); 101 * 128 / 256 = 50.5 -> 50; 103 -> 51.5 -> 52.
  auto png = LoadPng(Shape(6, 4), {9, 9, 9, 255, 9, 9, 9, 0, 9, 9, 9, 101, 9, 9, 9, 103});
  FadeImage(png.get(), 127);
  EXPECT_EQ(Alphas(*png), (std::vector<Byte>{128, 0, 50, 52}));
  EXPECT_EQ(png->PixelColor(0, 0), PngRgb(9, 9, 9));
}

TEST(PngFade, KeyedAndIndexedPicturesBecomeRgba) {
  struct Case {
    const char* name;
    png_test::ImageShape shape;
    std::vector<std::uint16_t> samples;
    Bytes palette;
    std::vector<Byte> alphas;
  };
  std::vector<Case> cases;
  {  // grey keyed on 0: the key stays transparent, the rest gets the amount itself
    Case c{"grey key", Shape(0, 3), {0, 128, 255}, {}, {0, 127, 127}};
    c.shape.Transparency = {0, 0};
    cases.push_back(c);
  }
  {  // palette with one fully transparent entry
    Case c{"palette key", Shape(3, 3), {0, 1, 2}, kPalette, {0, 127, 127}};
    c.shape.Transparency = {0, 255, 255};
    cases.push_back(c);
  }
  {  // palette with entry alphas: each entry's alpha is scaled, nothing becomes more opaque
    Case c{"palette alphas", Shape(3, 3), {0, 1, 2}, kPalette, {0, 64, 128}};
    c.shape.Transparency = {0, 128, 255};
    cases.push_back(c);
  }
  {  // RGB keyed on black
    Case c{"rgb key", Shape(2, 2), {0, 0, 0, 200, 100, 50}, {}, {0, 128}};
    c.shape.Transparency = {0, 0, 0, 0, 0, 0};
    cases.push_back(c);
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto png = LoadPng(c.shape, c.samples, c.palette);
    const TPngColor last = png->PixelColor(int(c.shape.Width) - 1, 0);
    FadeImage(png.get(), 127);
    EXPECT_EQ(png->HeaderChunk().ColorType, 6);
    EXPECT_EQ(Alphas(*png), c.alphas);
    EXPECT_EQ(png->PixelColor(int(c.shape.Width) - 1, 0), last);
    EXPECT_EQ(png->ChunkList().FindByClass<TChunktRNS>(), nullptr);
  }
}

// ---- DesaturateImage --------------------------------------------------------------------------

TEST(PngDesaturate, ChannelsMoveTowardTheirGrey) {
  // grey of (200, 100, 50) = round(60 + 59 + 5.5) = 124 (tie to even)
  struct Case {
    Byte amount;
    TPngColor expected;
  } cases[] = {{255, PngRgb(124, 124, 124)}, {0, PngRgb(199, 100, 50)}, {127, PngRgb(162, 112, 87)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.amount));
    auto png = LoadPng(Shape(2, 1), {200, 100, 50});
    DesaturateImage(png.get(), c.amount);
    EXPECT_EQ(png->PixelColor(0, 0), c.expected);
  }
}

TEST(PngDesaturate, PaletteChangesItsEntriesAndGreyStaysAsItIs) {
  auto palette = LoadPng(Shape(3, 2), {0, 1}, {200, 100, 50, 0, 0, 255});
  DesaturateImage(palette.get(), 255);
  EXPECT_EQ(palette->PixelColor(0, 0), PngRgb(124, 124, 124));
  EXPECT_EQ(palette->PixelColor(1, 0), PngRgb(28, 28, 28));  // round(255 * 0.11) = 28

  auto grey = LoadPng(Shape(4, 1), {77, 200});
  DesaturateImage(grey.get(), 255);
  EXPECT_EQ(grey->PixelColor(0, 0), PngRgb(77, 77, 77));
}

// ---- DrawPngWithOptions -----------------------------------------------------------------------

TEST(PngDrawWithOptions, DisabledLooksDrawACopyAndLeaveThePictureAlone) {
  struct Case {
    TPngOptions options;
    TColor expected;  // (200, 0, 0) at full alpha over blue (0, 0, 255)
  } cases[] = {
      {{}, RGBColor(200, 0, 0)},
      {{pngBlendOnDisabled}, RGBColor(100, 0, 127)},
      {{pngGrayscaleOnDisabled}, RGBColor(60, 60, 60)},
      {{pngBlendOnDisabled, pngGrayscaleOnDisabled}, RGBColor(30, 30, 157)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options.Bits());
    auto png = SolidRgba(4, 4, 200, 0, 0, 255);
    PaintSurface surface(8, 8, clBlue);
    DrawPngWithOptions(png.get(), surface.Canvas(), Rect(2, 2, 6, 6), c.options);
    EXPECT_TRUE(NearColor(surface.At(3, 3), c.expected, 2)) << std::hex << surface.At(3, 3);
    EXPECT_EQ(surface.At(1, 1), clBlue);
    EXPECT_EQ(Alphas(*png), std::vector<Byte>(16, 255));
    EXPECT_EQ(png->PixelColor(0, 0), PngRgb(200, 0, 0));
  }
}

TEST(PngDrawWithOptions, PictureWithoutHeaderDrawsNothing) {
  TPNGObject empty;
  PaintSurface surface(4, 4, clBlue);
  EXPECT_NO_THROW(DrawPngWithOptions(&empty, surface.Canvas(), Rect(0, 0, 4, 4), {pngBlendOnDisabled}));
  EXPECT_EQ(surface.At(1, 1), clBlue);
}

// ---- ImageListEntryToPng ----------------------------------------------------------------------

namespace {

// A 16 x 16 image list whose one image is fuchsia (the mask colour) on the left and blue right.
ObjectPtr<TImageList> HalfMaskedList(TComponent* owner) {
  ObjectPtr<TImageList> list(new TImageList(owner, 16, 16));
  TBitmap picture(16, 16, pf24bit);
  picture.Canvas()->Brush()->SetColor(clFuchsia);
  picture.Canvas()->FillRect(Rect(0, 0, 8, 16));
  picture.Canvas()->Brush()->SetColor(clBlue);
  picture.Canvas()->FillRect(Rect(8, 0, 16, 16));
  list->AddMasked(&picture, clFuchsia);
  return list;
}

}  // namespace

TEST(PngImageList, EntryBecomesRgbaWithItsMaskAsAlpha) {
  auto list = HalfMaskedList(nullptr);
  TPNGObject png;
  ImageListEntryToPng(&png, list.get(), 0);
  ASSERT_EQ(png.Width(), 16);
  EXPECT_EQ(png.HeaderChunk().ColorType, 6);
  EXPECT_EQ(png.AlphaRow(5)[2], 0);
  EXPECT_EQ(png.AlphaRow(5)[12], 255);
  EXPECT_EQ(png.PixelColor(12, 5), PngRgb(0, 0, 255));
}

// ---- ComputePngButtonLayout -------------------------------------------------------------------

namespace {

struct LayoutResult {
  TPoint glyph, text;
};

LayoutResult Layout(TPNGObject* image, const TRect& client, UINT flags, int spacing, int margin, TButtonLayout layout,
                    const String& caption = L"", bool down = false, bool pressed = false, TCanvas* canvas = nullptr) {
  TBitmap scratch(1, 1);
  LayoutResult r;
  ComputePngButtonLayout(canvas ? canvas : scratch.Canvas(), image, client, flags, r.text, r.glyph, spacing, margin,
                         layout, caption, down, pressed);
  return r;
}

}  // namespace

TEST(PngButtonLayout, GlyphPositionsFollowMarginSpacingAndLayout) {
  auto png = SolidRgba(24, 24, 1, 2, 3, 255);
  const TRect client(0, 0, 97, 33);
  struct Case {
    const char* name;
    TRect client;
    UINT flags;
    int spacing, margin;
    TButtonLayout layout;
    bool down, pressed;
    TPoint glyph;
  } cases[] = {
      {"centred alone: no caption, no spacing", client, 0, -1, -1, blGlyphLeft, false, false, {36, 5}},
      {"margin given", client, 0, 4, 3, blGlyphLeft, false, false, {3, 5}},
      {"glyph right", client, 0, 4, 3, blGlyphRight, false, false, {70, 5}},
      {"right to left swaps left", client, PngButtonRightToLeftFlag, 4, 3, blGlyphLeft, false, false, {70, 5}},
      {"right to left swaps right", client, PngButtonRightToLeftFlag, 4, 3, blGlyphRight, false, false, {3, 5}},
      {"top, spacing dropped", client, 0, 4, -1, blGlyphTop, false, false, {37, 4}},
      {"bottom", client, 0, 4, 2, blGlyphBottom, false, false, {37, 7}},
      {"held down", client, 0, 4, 3, blGlyphLeft, false, true, {4, 6}},
      {"latched down", client, 0, 4, 3, blGlyphLeft, true, false, {4, 6}},
      {"client offset", TRect(10, 20, 107, 53), 0, 4, 3, blGlyphLeft, false, false, {13, 25}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LayoutResult r = Layout(png.get(), c.client, c.flags, c.spacing, c.margin, c.layout, L"", c.down, c.pressed);
    EXPECT_EQ(r.glyph, c.glyph);
  }
  // Without a picture the glyph has no size.
  EXPECT_EQ(Layout(nullptr, client, 0, -1, -1, blGlyphLeft).glyph, TPoint(48, 17));
}

TEST(PngButtonLayout, AThirdOfTheFreeRoomOnTheLoadCdButton) {
  // A 24-pixel picture beside a 40-pixel caption on the 97-pixel button: x = 33 / 3 = 11.
  TBitmap scratch(1, 1);
  TCanvas* canvas = scratch.Canvas();
  String caption;
  for (int height = -8; height >= -40 && caption.empty(); --height) {
    canvas->Font()->SetHeight(height);
    for (int n = 1; n <= 12 && caption.empty(); ++n) {
      const String digits(std::size_t(n), L'0');
      RECT r{0, 0, 97, 0};
      HGDIOBJ old = SelectObject(canvas->Handle(), canvas->Font()->Handle());
      DrawTextW(canvas->Handle(), digits.c_str(), n, &r, DT_CALCRECT);
      SelectObject(canvas->Handle(), old);
      if (r.right == 40) caption = digits;
    }
  }
  if (caption.empty()) GTEST_SKIP() << "no 40-pixel caption in this font";
  auto png = SolidRgba(24, 24, 1, 2, 3, 255);
  const LayoutResult r = Layout(png.get(), Rect(0, 0, 97, 33), 0, -1, -1, blGlyphLeft, caption, false, false, canvas);
  EXPECT_EQ(r.glyph.x, 11);
  EXPECT_EQ(r.text.x, 11 + 24 + 11);
}

// ---- TPngSpeedButton --------------------------------------------------------------------------

namespace {

class TTestPngButton : public TPngSpeedButton {
 public:
  using TPngSpeedButton::TPngSpeedButton;
  void HoldDown() { FState = bsDown; }
};

// A 40 x 40 flat button without caption: a 24 x 24 picture sits at (8, 8).
class PngButtonFixture : public testing::Test {
 protected:
  void SetUp() override {
    button.reset(new TTestPngButton(nullptr));
    button->SetBounds(0, 0, 40, 40);
    button->SetFlat(true);
  }
  // Paints the button on a green surface and returns the pixel at (x, y).
  TColor PaintedAt(int x, int y) {
    PaintSurface surface(40, 40, clLime);
    button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface.DC()));
    return surface.At(x, y);
  }
  ObjectPtr<TTestPngButton> button;
};

}  // namespace

TEST_F(PngButtonFixture, EnabledDrawsThePictureAndDisabledHalvesItsAlpha) {
  auto picture = SolidRgba(24, 24, 200, 0, 100, 255);
  button->SetPngImage(picture.get());
  EXPECT_EQ(PaintedAt(8, 8), RGBColor(200, 0, 100));
  EXPECT_EQ(PaintedAt(7, 7), clLime);
  EXPECT_EQ(button->Glyph()->Width(), 24);

  button->SetEnabled(false);
  EXPECT_TRUE(NearColor(PaintedAt(20, 20), RGBColor(100, 127, 50), 2)) << std::hex << PaintedAt(20, 20);
  EXPECT_EQ(Alphas(*button->PngImage()), std::vector<Byte>(24 * 24, 255));

  SetSetProp(button.get(), L"PngOptions", L"[pngGrayscaleOnDisabled]");
  EXPECT_EQ(PaintedAt(20, 20), RGBColor(71, 71, 71));  // 0.3 * 200 + 0.11 * 100, opaque
  button->SetPngOptions({});
  EXPECT_EQ(PaintedAt(20, 20), RGBColor(200, 0, 100));
}

TEST_F(PngButtonFixture, HeldDownMovesThePictureOnePixel) {
  auto picture = SolidRgba(24, 24, 200, 0, 100, 255);
  button->SetPngImage(picture.get());
  button->HoldDown();
  EXPECT_EQ(PaintedAt(9, 9), RGBColor(200, 0, 100));
  EXPECT_EQ(PaintedAt(32, 20), RGBColor(200, 0, 100));
  EXPECT_NE(PaintedAt(8, 20), RGBColor(200, 0, 100));
}

TEST_F(PngButtonFixture, NullOrEmptyPictureEmptiesTheButtonWithoutRaising) {
  TPNGObject empty;
  for (TPNGObject* value : {static_cast<TPNGObject*>(nullptr), &empty}) {
    SCOPED_TRACE(value ? "empty" : "null");
    auto picture = SolidRgba(24, 24, 200, 0, 100, 255);
    button->SetPngImage(picture.get());
    button->SetImageFromAction(true);
    EXPECT_NO_THROW(button->SetPngImage(value));
    EXPECT_TRUE(button->PngImage()->Empty());
    EXPECT_FALSE(button->ImageFromAction());
    EXPECT_TRUE(button->Glyph()->Empty());
    EXPECT_EQ(PaintedAt(20, 20), clLime);
  }
}

TEST_F(PngButtonFixture, GammaChunkIsDroppedForColourPicturesAndKeptForGrey) {
  struct Case {
    int colorType;
    std::vector<std::uint16_t> samples;
    bool keepsGamma;
  } cases[] = {{2, {200, 100, 50}, false}, {6, {200, 100, 50, 255}, false}, {0, {120}, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.colorType);
    png_test::ImageShape shape = Shape(c.colorType, 1);
    shape.Gamma = 70000;
    auto picture = LoadPng(shape, c.samples);
    button->SetPngImage(picture.get());
    TPNGObject* copy = button->PngImage();
    EXPECT_EQ(copy->ChunkList().FindByClass<TChunkgAMA>() != nullptr, c.keepsGamma);
    // A saved copy shows the colours the button showed.
    TMemoryStream saved;
    copy->SaveToStream(saved);
    saved.SetPosition(0);
    TPNGObject reloaded;
    reloaded.LoadFromStream(saved);
    EXPECT_EQ(reloaded.PixelColor(0, 0), picture->PixelColor(0, 0));
  }
}

TEST_F(PngButtonFixture, ActionImageIsTakenOnlyWithoutAPictureOfItsOwn) {
  ObjectPtr<TComponent> root(new TComponent(nullptr));
  TImageList* images = HalfMaskedList(root.get()).release();
  auto* actions = new TActionList(root.get());
  actions->SetImages(images);
  auto* action = new TAction(root.get());
  action->SetActionList(actions);
  action->SetImageIndex(0);

  button->SetAction(action);
  EXPECT_TRUE(button->ImageFromAction());
  EXPECT_EQ(button->PngImage()->Width(), 16);
  EXPECT_EQ(button->Glyph()->Width(), 16);

  auto own = SolidRgba(24, 24, 1, 2, 3, 255);
  ObjectPtr<TTestPngButton> other(new TTestPngButton(nullptr));
  other->SetPngImage(own.get());
  other->SetAction(action);
  EXPECT_FALSE(other->ImageFromAction());
  EXPECT_EQ(other->PngImage()->Width(), 24);
  button->SetAction(nullptr);
  other->SetAction(nullptr);
}

TEST_F(PngButtonFixture, StoredPictureIsReadFromFormDataAndSizesTheBlankGlyph) {
  std::vector<std::uint16_t> samples(24 * 24 * 4, 255);
  const Bytes file = png_test::Encode(Shape(6, 24, 24), samples, {});
  ObjectPtr<TComponent> root(new TComponent(nullptr));
  {
    TLoadingBracket loading(*root);
    auto* stored = loading.Add(new TPngSpeedButton(root.get()));
    loading.WriteData(stored, [&](TWriter& w) {
      w.WritePropName(L"PngImage.Data");
      w.WriteBinary(file.data(), Int64(file.size()));
    });
    loading.End();
    EXPECT_EQ(stored->PngImage()->Width(), 24);
    EXPECT_EQ(stored->Glyph()->Width(), 24);

    // Written back only while the picture is the button's own.
    auto written = [&] {
      TMemoryStream stream;
      TWriter writer(stream);
      writer.WriteProperties(*stored);
      return stream.Size();
    };
    EXPECT_GT(written(), Int64(file.size()));
    stored->SetImageFromAction(true);
    EXPECT_EQ(written(), 0);
  }
}

TEST(PngButtonWindow, PictureShowsOnItsFormAndFadesWhenTheActionIsDisabled) {
  TForm* form = new TForm(nullptr, 0);
  form->SetBounds(80, 80, 200, 120);
  auto* button = new TPngSpeedButton(form);
  button->SetBounds(10, 10, 97, 33);
  button->SetFlat(true);
  button->SetParent(form);
  auto* action = new TAction(form);
  action->SetCaption(L"freecddb");
  button->SetAction(action);
  auto picture = SolidRgba(24, 24, 200, 0, 100, 255);
  button->SetPngImage(picture.get());
  form->Show();

  // The picture's first column: the layout puts it a third of the free room from the left.
  TPoint text, glyph;
  TBitmap measure(1, 1);
  measure.Canvas()->Font()->Assign(button->Font());
  ComputePngButtonLayout(measure.Canvas(), button->PngImage(), button->ClientRect(), 0, text, glyph,
                         button->Spacing(), button->Margin(), button->Layout(), button->Caption(), false, false);
  auto pixel = [&] {
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Application->ProcessMessages();
    HDC dc = GetDC(form->Handle());
    const TColor color = TColor(GetPixel(dc, 10 + glyph.x + 12, 10 + glyph.y + 12));
    ReleaseDC(form->Handle(), dc);
    return color;
  };
  EXPECT_EQ(pixel(), RGBColor(200, 0, 100));
  action->SetEnabled(false);
  const TColor face = ColorToRGB(form->Color());
  const TColor faded = RGBColor(Byte((200 * 128 + GetRValue(face) * 127) / 255), Byte(GetGValue(face) * 127 / 255),
                                Byte((100 * 128 + GetBValue(face) * 127) / 255));
  EXPECT_TRUE(NearColor(pixel(), faded, 2)) << std::hex << pixel() << " " << faded;
  form->Free();
}
