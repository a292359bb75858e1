// TPNGObject: drawing on 32-bit surfaces, pixel writes, the palette, bitmaps, the clipboard and
// the picture registry.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "PngTestSupport.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/FileUtils.h"
#include "tests/support/TestSupport.h"
#include "ui/extras/png/PngDibFrame.h"
#include "ui/extras/png/PngExceptions.h"
#include "ui/extras/png/PngObject.h"
#include "ui/extras/png/PngPaletteChunks.h"

using namespace png_test;

namespace {

std::unique_ptr<TPNGObject> LoadPng(const Bytes& file) {
  auto png = std::make_unique<TPNGObject>();
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), Int64(file.size()));
  stream.SetPosition(0);
  png->LoadFromStream(stream);
  return png;
}

Bytes SavePng(TPNGObject& png) {
  TMemoryStream stream;
  png.SaveToStream(stream);
  Bytes bytes(std::size_t(stream.Size()));
  stream.SetPosition(0);
  stream.ReadBuffer(bytes.data(), Int64(bytes.size()));
  return bytes;
}

// A 32-bit DIB section filled with one colour, to draw on and probe.
class Surface {
 public:
  Surface(int width, int height, TColor fill = clRed) : bitmap_(width, height, pf32bit) {
    bitmap_.Canvas()->Brush()->SetColor(fill);
    bitmap_.Canvas()->FillRect(Rect(0, 0, width, height));
  }
  void Draw(TGraphic& graphic, const TRect& rect) { bitmap_.Canvas()->StretchDraw(rect, &graphic); }
  TColor At(int x, int y) { return bitmap_.Canvas()->Pixels(x, y) & 0xFFFFFF; }

 private:
  TBitmap bitmap_;
};

}  // namespace

// ---- drawing ----------------------------------------------------------------------------------

TEST(PngDrawing, AlphaIsBlendedOverTheBackgroundAtTheImagesOwnSize) {
  // Three pixels: alpha 0 leaves the red background, 255 shows the colour exactly, 128 blends.
  const TColor half = RGBColor(227, 50, 25);  // (200, 100, 50) at 128 over red
  const Bytes palette = {10, 20, 30, 200, 100, 50, 0, 0, 255};
  struct Case {
    const char* Name;
    int ColorType, BitDepth;
    std::vector<std::uint16_t> Samples;
    Bytes Transparency;
    TColor Expected[3];
  } cases[] = {
      {"RGBA", 6, 8, {10, 20, 30, 0, 10, 20, 30, 255, 200, 100, 50, 128}, {}, {clRed, RGBColor(10, 20, 30), half}},
      {"RGBA 16", 6, 16, {0, 0, 0, 0, 2560, 5120, 7680, 65535, 51200, 25600, 12800, 32768}, {},
       {clRed, RGBColor(10, 20, 30), half}},
      {"grey alpha", 4, 8, {77, 0, 77, 255, 200, 128}, {}, {clRed, RGBColor(77, 77, 77), RGBColor(227, 100, 100)}},
      {"palette 8", 3, 8, {0, 1, 2}, {0, 128}, {clRed, half, RGBColor(0, 0, 255)}},
      {"palette 4", 3, 4, {2, 1, 0}, {0, 128}, {RGBColor(0, 0, 255), half, clRed}},
      {"palette 1", 3, 1, {1, 0, 1}, {0, 128}, {half, clRed, half}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ImageShape shape = Shape(c.ColorType, c.BitDepth, 3);
    shape.Transparency = c.Transparency;
    const Bytes entries(palette.begin(), palette.begin() + (c.BitDepth == 1 ? 6 : 9));
    auto png = LoadPng(Encode(shape, c.Samples, c.ColorType == 3 ? entries : Bytes{}));
    ASSERT_EQ(png->TransparencyKind(), trAlpha);
    EXPECT_TRUE(png->Transparent());
    Surface surface(8, 3);
    surface.Draw(*png, Rect(1, 1, 7, 3));
    for (int x = 0; x < 3; ++x) EXPECT_EQ(surface.At(x + 1, 1), c.Expected[x]) << "x " << x;
    EXPECT_EQ(surface.At(4, 1), clRed);
    EXPECT_EQ(surface.At(1, 2), clRed);
  }
}

TEST(PngDrawing, ImagesWithoutTransparencyAreStretched) {
  ImageShape shape = Shape(2, 8, 2, 2);
  const std::vector<std::uint16_t> samples = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  auto png = LoadPng(Encode(shape, samples, {}));
  EXPECT_FALSE(png->Transparent());
  Surface surface(5, 5);
  surface.Draw(*png, Rect(0, 0, 4, 4));
  EXPECT_EQ(surface.At(0, 0), RGBColor(1, 2, 3));
  EXPECT_EQ(surface.At(3, 0), RGBColor(4, 5, 6));
  EXPECT_EQ(surface.At(0, 3), RGBColor(7, 8, 9));
  EXPECT_EQ(surface.At(3, 3), RGBColor(10, 11, 12));
  EXPECT_EQ(surface.At(4, 4), clRed);
}

TEST(PngDrawing, AnAddedAlphaChannelDrawsOpaqueAtTheImagesOwnSize) {
  auto png = LoadPng(Encode(Shape(0, 4, 2), {4, 15}, {}));
  EXPECT_FALSE(png->Transparent());
  png->AddAlphaChannel();
  EXPECT_TRUE(png->Transparent());
  Surface surface(4, 1);
  surface.Draw(*png, Rect(0, 0, 4, 1));
  EXPECT_EQ(surface.At(0, 0), RGBColor(68, 68, 68));
  EXPECT_EQ(surface.At(1, 0), clWhite);
  EXPECT_EQ(surface.At(2, 0), clRed);
}

TEST(PngDrawing, ColourKeyLeavesTheBackgroundAndStretches) {
  // Pixel 0 holds the key, pixel 1 another colour; drawn twice as large.
  struct Case {
    const char* Name;
    int ColorType, BitDepth;
    std::vector<std::uint16_t> Samples;
    Bytes Palette, Transparency;
    TColor Other;
  } cases[] = {
      {"palette, one transparent entry", 3, 4, {0, 1}, {0, 255, 0, 10, 20, 30}, {0}, RGBColor(10, 20, 30)},
      {"RGB", 2, 8, {0, 255, 0, 10, 20, 30}, {}, {0, 0, 0, 255, 0, 0}, RGBColor(10, 20, 30)},
      {"grey", 0, 8, {50, 200}, {}, {0, 50}, RGBColor(200, 200, 200)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ImageShape shape = Shape(c.ColorType, c.BitDepth, 2);
    shape.Transparency = c.Transparency;
    auto png = LoadPng(Encode(shape, c.Samples, c.Palette));
    ASSERT_EQ(png->TransparencyKind(), trColorKey);
    EXPECT_TRUE(png->Transparent());
    Surface surface(6, 3);
    surface.Draw(*png, Rect(1, 1, 5, 3));
    EXPECT_EQ(surface.At(1, 1), clRed);
    EXPECT_EQ(surface.At(2, 2), clRed);
    EXPECT_EQ(surface.At(3, 1), c.Other);
    EXPECT_EQ(surface.At(4, 2), c.Other);
    EXPECT_EQ(surface.At(5, 1), clRed);
  }
}

TEST(PngDrawing, PaletteIndexWithoutAnEntryRaisesAndDrawsNothing) {
  struct Case {
    const char* Name;
    Bytes Palette, Transparency;
  } cases[] = {
      {"no palette, blended", {}, {0, 128}},
      {"no palette, keyed", {}, {0}},
      {"index beyond the palette, blended", {1, 2, 3}, {0, 128}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ImageShape shape = Shape(3, 8, 2);
    shape.Transparency = c.Transparency;
    Bytes file = Encode(shape, {0, 1}, c.Palette.empty() ? Bytes{1, 2, 3, 4, 5, 6} : c.Palette);
    if (c.Palette.empty()) {
      auto chunks = SplitChunks(file);
      chunks.erase(chunks.begin() + 1);  // PLTE
      file = JoinChunks(chunks, true);
    }
    auto png = LoadPng(file);
    Surface surface(2, 1);
    try {
      surface.Draw(*png, Rect(0, 0, 2, 1));
      ADD_FAILURE() << "no error";
    } catch (const EPngError& e) {
      EXPECT_EQ(e.Message(), L"There is no such palette entry.");
    }
    EXPECT_EQ(surface.At(0, 0), clRed);
    EXPECT_EQ(surface.At(1, 0), clRed);
  }
}

// ---- pixels and palette -----------------------------------------------------------------------

TEST(PngPixels, ReadingAtTheWidthGivesZero) {
  const Image image = MakeImage(Shape(2, 8, 400, 2));
  auto png = LoadPng(image.File);
  const auto* s = &image.Samples[(400 + 300) * 3];
  EXPECT_EQ(png->PixelColor(300, 1), RGBColor(Byte(s[0]), Byte(s[1]), Byte(s[2])));
  EXPECT_EQ(png->PixelColor(400, 1), 0u);
  EXPECT_EQ(png->PixelColor(0, 2), 0u);
}

TEST(PngPixels, WritingStoresTheColourOrTheNearestEntryAndLeavesNeighbours) {
  struct Case {
    const char* Name;
    int ColorType, BitDepth;
    std::vector<std::uint16_t> Samples;  // three pixels
    Bytes Palette;
    TColor Written, ReadBack;
  } cases[] = {
      {"RGB", 2, 8, {9, 9, 9, 9, 9, 9, 9, 9, 9}, {}, RGBColor(1, 2, 3), RGBColor(1, 2, 3)},
      {"grey alpha", 4, 8, {9, 255, 9, 255, 9, 255}, {}, RGBColor(90, 1, 2), RGBColor(90, 90, 90)},
      {"grey 4", 0, 4, {15, 15, 15}, {}, RGBColor(0x44, 0x44, 0x44), RGBColor(0x44, 0x44, 0x44)},
      {"palette 1", 3, 1, {0, 0, 0}, {0, 0, 0, 255, 255, 255}, RGBColor(240, 230, 250), clWhite},
      {"palette 4", 3, 4, {1, 1, 1}, {0, 0, 0, 255, 255, 255, 0, 0, 200}, clNavy, RGBColor(0, 0, 200)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto png = LoadPng(Encode(Shape(c.ColorType, c.BitDepth, 3), c.Samples, c.Palette));
    const TColor before = TColor(png->PixelColor(0, 0));
    png->SetPixelColor(1, 0, c.Written);
    png->SetPixelColor(3, 0, c.Written);
    png->SetPixelColor(-1, 0, c.Written);
    EXPECT_EQ(TColor(png->PixelColor(1, 0)), c.ReadBack);
    EXPECT_EQ(TColor(png->PixelColor(0, 0)), before);
    EXPECT_EQ(TColor(png->PixelColor(2, 0)), before);
  }
}

TEST(PngPalette, SetPaletteReplacesColoursAndTheNextPaletteIsBuiltFromThem) {
  auto png = LoadPng(Encode(Shape(3, 8, 2), {0, 1}, {10, 20, 30, 40, 50, 60}));
  PALETTEENTRY entry{};
  ASSERT_EQ(GetPaletteEntries(png->Palette(), 1, 1, &entry), 1u);
  EXPECT_EQ(RGBColor(entry.peRed, entry.peGreen, entry.peBlue), RGBColor(40, 50, 60));

  struct {
    WORD Version = 0x300, Count = 2;
    PALETTEENTRY Entries[2] = {{1, 2, 3, 0}, {4, 5, 6, 0}};
  } logical;
  HPALETTE replacement = CreatePalette(reinterpret_cast<LOGPALETTE*>(&logical));
  png->SetPalette(replacement);
  DeleteObject(replacement);
  EXPECT_EQ(TColor(png->PixelColor(1, 0)), RGBColor(4, 5, 6));
  ASSERT_EQ(GetPaletteEntries(png->Palette(), 1, 1, &entry), 1u);
  EXPECT_EQ(RGBColor(entry.peRed, entry.peGreen, entry.peBlue), RGBColor(4, 5, 6));

  // A new frame drops the cached palette.
  TMemoryStream other;
  const Bytes file = Encode(Shape(3, 8, 2), {0, 1}, {7, 7, 7, 8, 8, 8});
  other.WriteBuffer(file.data(), Int64(file.size()));
  other.SetPosition(0);
  png->LoadFromStream(other);
  ASSERT_EQ(GetPaletteEntries(png->Palette(), 1, 1, &entry), 1u);
  EXPECT_EQ(RGBColor(entry.peRed, entry.peGreen, entry.peBlue), RGBColor(8, 8, 8));

  EXPECT_EQ(LoadPng(MakeImage(Shape(2, 8, 2)).File)->Palette(), nullptr);
  TPNGObject empty;
  EXPECT_THROW(empty.Palette(), EPNGHeaderNotPresent);
}

// ---- bitmaps, clipboard -----------------------------------------------------------------------

TEST(PngBitmaps, BitmapsBecomeRgbOrPaletteImagesOfTheirDepth) {
  struct Case {
    TPixelFormat Format;
    int ColorType, BitDepth, Entries;
  } cases[] = {{pf32bit, 2, 8, 0}, {pf24bit, 2, 8, 0}, {pf8bit, 3, 8, 256}, {pf4bit, 3, 4, 16}, {pf1bit, 3, 1, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.BitDepth * 100 + c.ColorType);
    TBitmap bitmap(3, 2, c.Format);
    const TColor colors[] = {clWhite, clBlack, c.Format == pf1bit ? clWhite : clRed};
    for (int x = 0; x < 3; ++x) bitmap.Canvas()->SetPixels(x, 1, colors[x]);
    TPNGObject png;
    png.Assign(&bitmap);
    const TChunkIHDR& header = png.HeaderChunk();
    EXPECT_EQ(header.ColorType, c.ColorType);
    EXPECT_EQ(header.BitDepth, c.BitDepth);
    EXPECT_EQ(png.TransparencyKind(), trNone);
    const auto* plte = png.ChunkList().FindByClass<TChunkPLTE>();
    EXPECT_EQ(plte ? plte->EntryCount : 0, c.Entries);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(TColor(png.PixelColor(x, 1)), colors[x]) << "x " << x;
  }
}

TEST(PngBitmaps, TransparentBitmapGivesAKeyAndAnEmptyOneAnEmptyImage) {
  TBitmap bitmap(2, 1, pf24bit);
  bitmap.Canvas()->SetPixels(1, 0, clBlue);
  bitmap.SetTransparentColor(clBlue);
  bitmap.SetTransparent(true);
  TPNGObject png;
  png.Assign(&bitmap);
  EXPECT_EQ(png.TransparencyKind(), trColorKey);
  EXPECT_EQ(TColor(png.KeyColor()), clBlue);
  Surface surface(2, 1);
  surface.Draw(png, Rect(0, 0, 2, 1));
  EXPECT_EQ(surface.At(0, 0), clBlack);
  EXPECT_EQ(surface.At(1, 0), clRed);

  TBitmap empty;
  png.Assign(&empty);
  EXPECT_TRUE(png.Empty());
}

TEST(PngBitmaps, AssignedToABitmapKeepsDepthColoursAndKey) {
  struct Case {
    const char* Name;
    ImageShape Shape;
    std::vector<std::uint16_t> Samples;
    Bytes Palette;
    TPixelFormat Format;
    bool Transparent;
  } cases[] = {
      {"palette 4, keyed", [] { auto s = Shape(3, 4, 3); s.Transparency = {255, 0}; return s; }(), {0, 1, 2},
       {10, 20, 30, 40, 50, 60, 70, 80, 90}, pf4bit, true},
      {"RGBA", Shape(6, 8, 3), {1, 2, 3, 0, 4, 5, 6, 9, 7, 8, 9, 255}, {}, pf24bit, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto png = LoadPng(Encode(c.Shape, c.Samples, c.Palette));
    TBitmap bitmap;
    bitmap.Assign(png.get());
    EXPECT_EQ(bitmap.PixelFormat(), c.Format);
    ASSERT_EQ(bitmap.Width(), 3);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(bitmap.Canvas()->Pixels(x, 0) & 0xFFFFFF, TColor(png->PixelColor(x, 0)));
    EXPECT_EQ(bitmap.Transparent(), c.Transparent);
    if (c.Transparent) {
      EXPECT_EQ(bitmap.TransparentColor(), RGBColor(40, 50, 60));
    }
  }
}

TEST(PngBitmaps, ClipboardFormRoundTripsThePixels) {
  auto png = LoadPng(Encode(Shape(2, 8, 2), {1, 2, 3, 200, 100, 50}, {}));
  UINT format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  png->SaveToClipboardFormat(format, data, palette);
  TPNGObject copy;
  copy.LoadFromClipboardFormat(format, data, palette);
  GlobalFree(data);
  EXPECT_EQ(copy.HeaderChunk().ColorType, 2);
  EXPECT_EQ(TColor(copy.PixelColor(0, 0)), RGBColor(1, 2, 3));
  EXPECT_EQ(TColor(copy.PixelColor(1, 0)), RGBColor(200, 100, 50));
}

// ---- the graphic ------------------------------------------------------------------------------

TEST(PngGraphic, ResizingIsRefused) {
  auto png = LoadPng(MakeImage(Shape(2, 8, 2)).File);
  for (auto resize : {+[](TPNGObject& p) { p.SetWidth(5); }, +[](TPNGObject& p) { p.SetHeight(5); }}) {
    try {
      resize(*png);
      ADD_FAILURE() << "no error";
    } catch (const EPngError& e) {
      EXPECT_EQ(e.Message(),
                L"The \"Portable Network Graphics\" image can not be resize by changing width and height properties. "
                L"Try assigning the image from a bitmap.");
    }
  }
  EXPECT_EQ(png->Width(), 2);
}

TEST(PngGraphic, PicturesOpenPngFilesByNameAndStoreThemAsData) {
  InitializeUnits();
  ImageShape shape = Shape(6, 8, 4, 3);
  shape.BeforeData = {{"cHRM", Bytes(32, 1)}};  // skipped through the stream
  const Image image = MakeImage(shape);
  testing_support::ScratchFolder folder;
  const AnsiString bytes(image.File.begin(), image.File.end());
  testing_support::WriteFileBytes(folder.File(L"welcome.png"), bytes);
  testing_support::WriteFileBytes(folder.File(L"LOUD.PNG"), bytes);
  const TColor expected = RGBColor(Byte(image.Samples[4 * 5]), Byte(image.Samples[4 * 5 + 1]), Byte(image.Samples[4 * 5 + 2]));

  for (const wchar_t* name : {L"welcome.png", L"LOUD.PNG"}) {
    TPicture picture;
    picture.LoadFromFile(folder.File(name));
    auto* png = dynamic_cast<TPNGObject*>(picture.Graphic());
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(TColor(png->PixelColor(1, 1)), expected);

    TMemoryStream stream;
    {
      TWriter writer(stream);
      writer.WriteProperties(picture);
      writer.WriteListEnd();
    }
    stream.SetPosition(0);
    TPicture read;
    TReader reader(stream);
    reader.ReadProperties(read);
    auto* readPng = dynamic_cast<TPNGObject*>(read.Graphic());
    ASSERT_NE(readPng, nullptr);
    EXPECT_EQ(SavePng(*readPng), SavePng(*png));
  }
}

// ---- frame memory -----------------------------------------------------------------------------

namespace {

HBITMAP WINAPI RefusedDibSection(HDC, const BITMAPINFO*, UINT, void** bits, HANDLE, DWORD) {
  *bits = nullptr;
  return nullptr;
}

// A section handed out without its pixel memory; the frame must give the section back.
HBITMAP WINAPI DibSectionWithoutBits(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                     DWORD offset) {
  HBITMAP bitmap = CreateDIBSection(dc, info, usage, bits, section, offset);
  *bits = nullptr;
  return bitmap;
}

class DibSectionsMadeBy {
 public:
  explicit DibSectionsMadeBy(TPngDibSectionCreator creator) : saved_(PngDibSectionCreator) {
    PngDibSectionCreator = creator;
  }
  ~DibSectionsMadeBy() { PngDibSectionCreator = saved_; }
  DibSectionsMadeBy(const DibSectionsMadeBy&) = delete;
  DibSectionsMadeBy& operator=(const DibSectionsMadeBy&) = delete;

 private:
  TPngDibSectionCreator saved_;
};

// The class name of what the action raised ("" when nothing).
std::string Raised(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    const std::wstring name = e.ClassName();
    return std::string(name.begin(), name.end());
  }
  return "";
}

}  // namespace

TEST(PngFrameMemory, AFrameTheSystemCannotMakeLeavesAnEmptyImageAndRaisesOutOfMemory) {
  const Bytes file = MakeImage(Shape(2, 8, 3, 2)).File;
  const auto source = LoadPng(file);
  TBitmap bitmap(3, 2, pf24bit);
  const struct {
    const char* Name;
    std::function<void(TPNGObject&)> Fill;
  } ways[] = {
      {"loaded", [&](TPNGObject& png) {
         TMemoryStream stream;
         stream.WriteBuffer(file.data(), Int64(file.size()));
         stream.SetPosition(0);
         png.LoadFromStream(stream);
       }},
      {"assigned an image", [&](TPNGObject& png) { png.Assign(source.get()); }},
      {"assigned a bitmap", [&](TPNGObject& png) { png.Assign(&bitmap); }},
  };
  for (TPngDibSectionCreator creator : {&RefusedDibSection, &DibSectionWithoutBits}) {
    SCOPED_TRACE(creator == &RefusedDibSection ? "no section" : "a section without pixel memory");
    for (const auto& way : ways) {
      SCOPED_TRACE(way.Name);
      auto png = LoadPng(file);
      {
        DibSectionsMadeBy refusing(creator);
        EXPECT_EQ(Raised([&] { way.Fill(*png); }), "EPNGOutMemory");
      }
      EXPECT_EQ(png->Width(), 0);
      EXPECT_EQ(png->Height(), 0);
      // At most a header without a frame stays, and it draws nothing.
      EXPECT_TRUE(png->Empty() || !png->HeaderChunk().HasFrame());
      Surface surface(3, 2);
      surface.Draw(*png, Rect(0, 0, 3, 2));
      EXPECT_EQ(surface.At(0, 0), clRed);
      // Nothing half made stays behind: the image takes the next picture as usual.
      way.Fill(*png);
      EXPECT_EQ(png->Width(), 3);
    }
  }
}

// A picture left without a frame is refused when saved, with the codec's own error, and no file is
// written over.
TEST(PngFrameMemory, APictureWithoutAFrameIsNotSaved) {
  const Bytes file = MakeImage(Shape(2, 8, 3, 2)).File;
  testing_support::ScratchFolder folder;
  const String existing = folder.File(L"old.png"), fresh = folder.File(L"new.png");
  testing_support::WriteFileBytes(existing, "old picture");
  const auto source = LoadPng(file);
  auto png = LoadPng(file);
  {
    DibSectionsMadeBy refusing(&RefusedDibSection);
    EXPECT_EQ(Raised([&] { png->Assign(source.get()); }), "EPNGOutMemory");
  }
  ASSERT_FALSE(png->Empty());
  for (const String& target : {existing, fresh}) {
    try {
      png->SaveToFile(target);
      ADD_FAILURE() << "no error";
    } catch (const EPNGHeaderNotPresent& e) {
      EXPECT_EQ(e.Message(), L"This operation is not valid because the current image contains no valid header.");
    }
  }
  EXPECT_EQ(testing_support::ReadFileBytes(existing), "old picture");
  EXPECT_FALSE(FileExists(fresh));
  TMemoryStream stream;
  EXPECT_EQ(Raised([&] { png->SaveToStream(stream); }), "EPNGHeaderNotPresent");
  EXPECT_EQ(stream.Size(), 0);
}
