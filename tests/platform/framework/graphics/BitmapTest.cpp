// TBitmap: pixel formats, BMP reading and writing, the "Data" form, transparency.

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/classes/Stream.h"

namespace {

constexpr TColor Rgb(TColor c) { return c & 0xFFFFFF; }

// Little-endian byte builder for hand-made BMP files.
struct Bytes {
  AnsiString data;
  Bytes& U8(unsigned v) {
    data += char(v & 0xFF);
    return *this;
  }
  Bytes& U16(unsigned v) { return U8(v).U8(v >> 8); }
  Bytes& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  Bytes& Raw(const AnsiString& s) {
    data += s;
    return *this;
  }
};

// A BMP file: file header, then the given header, tables and pixels (offset = right after them
// unless given).
AnsiString BmpFile(const AnsiString& body, std::uint32_t pixelOffset) {
  Bytes file;
  file.U8('B').U8('M').U32(std::uint32_t(14 + body.size())).U32(0).U32(pixelOffset);
  return file.data + body;
}

Bytes InfoHeader(std::uint32_t size, int width, int height, int bits, std::uint32_t compression,
                 std::uint32_t colorsUsed = 0) {
  Bytes h;
  h.U32(size).U32(std::uint32_t(width)).U32(std::uint32_t(height)).U16(1).U16(bits).U32(compression);
  h.U32(0).U32(0).U32(0).U32(colorsUsed).U32(0);
  return h;
}

void Load(TBitmap& bitmap, const AnsiString& file) {
  TStringStream stream(file);
  bitmap.LoadFromStream(stream);
}

AnsiString Save(TBitmap& bitmap) {
  TStringStream stream;
  bitmap.SaveToStream(stream);
  return stream.DataString();
}

TColor At(TBitmap& bitmap, int x, int y) { return Rgb(bitmap.Canvas()->Pixels(x, y)); }

unsigned PixelBits(const Byte* row, int x, int bits) {
  if (bits >= 8) {
    unsigned v = 0;
    std::memcpy(&v, row + x * bits / 8, size_t(bits / 8));
    return v;
  }
  int bit = x * bits;
  return (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
}

TEST(BitmapTest, EveryPixelFormatSurvivesABmpRoundTrip) {
  struct Case {
    TPixelFormat format;
    int bits;
  };
  const Case cases[] = {{pf1bit, 1}, {pf4bit, 4}, {pf8bit, 8}, {pf24bit, 24}, {pf32bit, 32}};
  for (const Case& c : cases) {
    // Odd width: rows carry padding.
    TBitmap original(5, 3, c.format);
    for (int y = 0; y < 3; ++y) {
      Byte* row = static_cast<Byte*>(original.ScanLine(y));
      for (int i = 0; i < original.RowStride(); ++i) row[i] = Byte(i * 37 + y * 101 + 11);
    }
    if (c.bits <= 8) {
      std::vector<RGBQUAD> colors = original.ColorTable();
      colors[1] = {12, 34, 56, 0};
      original.SetColorTable(colors);
    }
    TBitmap copy;
    Load(copy, Save(original));
    ASSERT_EQ(copy.PixelFormat(), c.format) << c.bits;
    ASSERT_EQ(copy.Width(), 5);
    ASSERT_EQ(copy.Height(), 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x)
        EXPECT_EQ(PixelBits(static_cast<Byte*>(copy.ScanLine(y)), x, c.bits),
                  PixelBits(static_cast<Byte*>(original.ScanLine(y)), x, c.bits))
            << c.bits << " bits at " << x << "," << y;
    if (c.bits <= 8) {
      EXPECT_EQ(copy.ColorTable()[1].rgbGreen, 34);
    }
  }
}

TEST(BitmapTest, WriteDataIsAByteCountThenAnInfoHeaderBmp) {
  TBitmap bitmap(3, 2, pf32bit);
  static_cast<Byte*>(bitmap.ScanLine(0))[3] = 0x80;  // alpha of the top-left pixel
  TMemoryStream stream;
  bitmap.WriteData(stream);
  const auto* bytes = static_cast<const Byte*>(stream.Memory());
  std::int32_t count;
  std::memcpy(&count, bytes, 4);
  ASSERT_EQ(count, stream.Size() - 4);
  EXPECT_EQ(bytes[4], 'B');
  EXPECT_EQ(bytes[5], 'M');
  std::uint32_t fileSize, headerSize;
  std::memcpy(&fileSize, bytes + 6, 4);
  std::memcpy(&headerSize, bytes + 4 + 14, 4);
  EXPECT_EQ(fileSize, std::uint32_t(count));
  EXPECT_EQ(headerSize, 40u);

  // Reading takes exactly the counted bytes and keeps the alpha.
  const Byte trailer = 0x5A;
  stream.WriteBuffer(&trailer, 1);
  stream.SetPosition(0);
  TBitmap read;
  read.ReadData(stream);
  EXPECT_EQ(stream.Position(), 4 + count);
  EXPECT_EQ(static_cast<Byte*>(read.ScanLine(0))[3], 0x80);
}

TEST(BitmapTest, ReadsHeaderKindsAndBitFields) {
  struct Case {
    const char* name;
    AnsiString file;
    TPixelFormat format;
    std::vector<TColor> topRow;
  };
  std::vector<Case> cases;
  {
    // V5, top-down, 32-bit with the channels in R, G, B, A byte order.
    Bytes body = InfoHeader(124, 2, -1, 32, BI_BITFIELDS);
    body.U32(0x000000FF).U32(0x0000FF00).U32(0x00FF0000).U32(0xFF000000);
    body.Raw(AnsiString(124 - 56, '\0'));
    body.U8(0xFF).U8(0x00).U8(0x00).U8(0x40);  // red
    body.U8(0x00).U8(0x00).U8(0xFF).U8(0xFF);  // blue
    cases.push_back({"V5 RGBA bit fields", BmpFile(body.data, 14 + 124), pf32bit, {clRed, clBlue}});
  }
  {
    // Info header, 16-bit 5-6-5 bit fields after it.
    Bytes body = InfoHeader(40, 2, 1, 16, BI_BITFIELDS);
    body.U32(0xF800).U32(0x07E0).U32(0x001F);
    body.U16(0xF800).U16(0x07E0);
    cases.push_back({"16-bit 565", BmpFile(body.data, 14 + 40 + 12), pf24bit, {clRed, clLime}});
  }
  {
    // V4, 24-bit, bottom-up: the first stored row is the bottom one.
    Bytes body = InfoHeader(108, 1, 2, 24, BI_RGB);
    body.Raw(AnsiString(108 - 40, '\0'));
    body.U8(0xFF).U8(0).U8(0).U8(0);  // bottom: blue, padded to 4 bytes
    body.U8(0).U8(0).U8(0xFF).U8(0);  // top: red
    cases.push_back({"V4 24-bit", BmpFile(body.data, 14 + 108), pf24bit, {clRed}});
  }
  {
    // Core header, 1-bit, three-byte colour entries.
    Bytes body;
    body.U32(12).U16(3).U16(1).U16(1).U16(1);
    body.U8(0).U8(0).U8(0xFF);  // 0: red
    body.U8(0).U8(0xFF).U8(0);  // 1: lime
    body.U8(0xA0).U8(0).U8(0).U8(0);
    cases.push_back({"core 1-bit", BmpFile(body.data, 14 + 12 + 6), pf1bit, {clLime, clRed, clLime}});
  }
  {
    // 8-bit skin picture with a short colour table.
    Bytes body = InfoHeader(40, 3, 1, 8, BI_RGB, 2);
    body.U32(0x00FF00FF).U32(0x00808080);  // 0: fuchsia, 1: gray
    body.U8(1).U8(0).U8(1).U8(0);
    cases.push_back({"8-bit", BmpFile(body.data, 14 + 40 + 8), pf8bit, {clGray, clFuchsia, clGray}});
  }
  for (const Case& c : cases) {
    TBitmap bitmap;
    ASSERT_NO_THROW(Load(bitmap, c.file)) << c.name;
    EXPECT_EQ(bitmap.PixelFormat(), c.format) << c.name;
    for (size_t x = 0; x < c.topRow.size(); ++x) EXPECT_EQ(At(bitmap, int(x), 0), c.topRow[x]) << c.name << " x " << x;
  }
  // Alpha of the V5 picture comes from its alpha mask.
  TBitmap v5;
  Load(v5, cases[0].file);
  EXPECT_EQ(static_cast<Byte*>(v5.ScanLine(0))[3], 0x40);
}

TEST(BitmapTest, RefusesMalformedFilesAndKeepsItsPicture) {
  auto valid = [](std::uint32_t headerSize, int width, int height, int bits, std::uint32_t compression,
                  std::uint32_t colorsUsed, size_t pixelBytes, std::uint32_t offset) {
    Bytes body = InfoHeader(headerSize, width, height, bits, compression, colorsUsed);
    body.Raw(AnsiString(headerSize > 40 ? headerSize - 40 : 0, '\0'));
    body.Raw(AnsiString(pixelBytes, '\0'));
    return BmpFile(body.data, offset);
  };
  struct Case {
    const char* name;
    AnsiString file;
  };
  const Case cases[] = {
      {"not BM", "XY" + valid(40, 1, 1, 24, BI_RGB, 0, 4, 54).substr(2)},
      {"pixels cut short", valid(40, 4, 4, 24, BI_RGB, 0, 40, 54)},
      {"run-length coded", valid(40, 1, 1, 8, 1 /* BI_RLE8 */, 0, 1024 + 4, 54 + 1024)},
      {"no width", valid(40, 0, 1, 24, BI_RGB, 0, 4, 54)},
      {"too many pixels", valid(40, 100000, 100000, 24, BI_RGB, 0, 4, 54)},
      {"too many colours", valid(40, 1, 1, 8, BI_RGB, 1000, 4, 54)},
      {"pixels past the end", valid(40, 1, 1, 24, BI_RGB, 0, 4, 5000)},
      {"unknown header", valid(20, 1, 1, 24, BI_RGB, 0, 4, 54)},
      {"lowest height", valid(40, 1, INT_MIN, 24, BI_RGB, 0, 4, 54)},
      {"bit fields on 24 bits", valid(40, 1, 1, 24, BI_BITFIELDS, 0, 16, 66)},
      {"header only", AnsiString("BM\0\0\0\0\0\0\0\0\0\0\0\0", 14)},
  };
  for (const Case& c : cases) {
    TBitmap bitmap(3, 2, pf24bit);
    bitmap.Canvas()->SetPixels(0, 0, clRed);
    EXPECT_THROW(Load(bitmap, c.file), EInvalidGraphic) << c.name;
    EXPECT_EQ(bitmap.Width(), 3) << c.name;
    EXPECT_EQ(At(bitmap, 0, 0), clRed) << c.name;
  }
}

TEST(BitmapTest, AutomaticTransparentColourIsTheBottomLeftPixel) {
  TBitmap bitmap(3, 3, pf24bit);
  bitmap.Canvas()->Brush()->SetColor(clWhite);
  bitmap.Canvas()->FillRect(Rect(0, 0, 3, 3));
  bitmap.Canvas()->SetPixels(0, 2, clFuchsia);
  EXPECT_EQ(bitmap.TransparentMode(), tmAuto);
  EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
  bitmap.SetTransparentColor(clRed);
  EXPECT_EQ(bitmap.TransparentMode(), tmFixed);
  EXPECT_EQ(bitmap.TransparentColor(), clRed);
  bitmap.SetTransparentMode(tmAuto);
  EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
}

TEST(BitmapTest, TransparentDrawingSkipsTheKeyColourAndSeesLaterChanges) {
  TBitmap glyph(4, 4, pf32bit);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);
  glyph.Canvas()->FillRect(Rect(0, 0, 4, 4));
  glyph.Canvas()->SetPixels(1, 1, clRed);
  glyph.SetTransparent(true);
  TBitmap target(8, 8, pf32bit);
  auto drawOnLime = [&](const TRect& r) {
    target.Canvas()->Brush()->SetColor(clLime);
    target.Canvas()->FillRect(Rect(0, 0, 8, 8));
    target.Canvas()->StretchDraw(r, &glyph);
  };
  drawOnLime(Rect(0, 0, 4, 4));
  EXPECT_EQ(At(target, 1, 1), clRed);
  EXPECT_EQ(At(target, 2, 2), clLime);
  EXPECT_EQ(At(target, 0, 3), clLime);

  // Changes through the canvas and through ScanLine reach the next draw.
  glyph.Canvas()->SetPixels(2, 2, clBlue);
  static_cast<Byte*>(glyph.ScanLine(0))[3 * 4 + 0] = 0x80;  // (3, 0) becomes navy
  static_cast<Byte*>(glyph.ScanLine(0))[3 * 4 + 2] = 0x00;
  static_cast<Byte*>(glyph.ScanLine(0))[3 * 4 + 1] = 0x00;
  drawOnLime(Rect(0, 0, 8, 8));
  EXPECT_EQ(At(target, 2, 2), clRed);
  EXPECT_EQ(At(target, 5, 5), clBlue);
  EXPECT_EQ(At(target, 7, 0), clNavy);
  EXPECT_EQ(At(target, 0, 7), clLime);
}

TEST(BitmapTest, ResizeKeepsTheTopLeftAndFormatChangesMapColours) {
  TBitmap bitmap(2, 2, pf32bit);
  bitmap.Canvas()->SetPixels(0, 0, clRed);
  bitmap.Canvas()->SetPixels(1, 1, clBlue);
  bitmap.SetSize(3, 4);
  EXPECT_EQ(At(bitmap, 0, 0), clRed);
  EXPECT_EQ(At(bitmap, 1, 1), clBlue);
  EXPECT_EQ(At(bitmap, 2, 3), clBlack);

  bitmap.SetPixelFormat(pf8bit);
  EXPECT_EQ(bitmap.BitsPerPixel(), 8);
  EXPECT_EQ(At(bitmap, 0, 0), clRed);
  bitmap.SetPixelFormat(pf1bit);
  EXPECT_TRUE(bitmap.Monochrome());
  EXPECT_EQ(bitmap.Width(), 3);
}

TEST(BitmapTest, NewBitmapsAreDeviceFormatDibSections) {
  TBitmap bitmap;
  EXPECT_EQ(bitmap.PixelFormat(), pfDevice);
  bitmap.SetSize(2, 2);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectW(bitmap.Handle(), sizeof(section), &section), int(sizeof(section)));
  EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
}

TEST(BitmapTest, DormantBitmapComesBackUnchanged) {
  TBitmap bitmap(2, 2, pf24bit);
  bitmap.Canvas()->SetPixels(1, 0, clTeal);
  bitmap.Dormant();
  EXPECT_FALSE(bitmap.HandleAllocated());
  EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
  EXPECT_EQ(At(bitmap, 1, 0), clTeal);
}

TEST(BitmapTest, ClipboardFormIsAPackedDib) {
  TBitmap bitmap(2, 1, pf24bit);
  bitmap.Canvas()->SetPixels(1, 0, clOlive);
  UINT format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  bitmap.SaveToClipboardFormat(format, data, palette);
  EXPECT_EQ(format, UINT(CF_DIB));
  TBitmap copy;
  copy.LoadFromClipboardFormat(format, data, palette);
  GlobalFree(data);
  EXPECT_EQ(At(copy, 1, 0), clOlive);
}

TEST(BitmapTest, ScanLineOutsideThePictureRaises) {
  TBitmap bitmap(2, 2, pf24bit);
  EXPECT_THROW(bitmap.ScanLine(2), EInvalidGraphicOperation);
  EXPECT_THROW(bitmap.ScanLine(-1), EInvalidGraphicOperation);
}

// Image lists hand out 32-bit DIB sections with alpha and 1-bit masks: both are adopted as given.
TEST(BitmapTest, SetHandleKeepsAlphaAndMonochromeMasks) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, -1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  static_cast<std::uint32_t*>(bits)[0] = 0x80102030;
  static_cast<std::uint32_t*>(bits)[1] = 0x00405060;
  TBitmap picture;
  picture.SetHandle(dib);
  EXPECT_EQ(picture.PixelFormat(), pf32bit);
  const auto* row = static_cast<const std::uint32_t*>(picture.ScanLine(0));
  EXPECT_EQ(row[0], 0x80102030u);
  EXPECT_EQ(row[1], 0x00405060u);

  const Byte maskBits[2] = {0x40, 0};  // 1 x 1 word row: pixel 1 set
  HBITMAP mono = CreateBitmap(2, 1, 1, 1, maskBits);
  TBitmap mask;
  mask.SetHandle(mono);
  EXPECT_EQ(mask.PixelFormat(), pf1bit);
  EXPECT_EQ(Rgb(mask.Canvas()->Pixels(0, 0)), clBlack);
  EXPECT_EQ(Rgb(mask.Canvas()->Pixels(1, 0)), clWhite);
}

}  // namespace
