// The image list: strips and grids split cell by cell in step with the stored images, streaming
// through the filer with one change, and a damaged stream leaving the list as it was.

#include <gtest/gtest.h>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/Stream.h"
#include "ui/foundation/ImageList.h"

namespace {

// A W x H picture of cells, cell i filled with the colour RGB(10 * (i + 1), 0, 0).
TBitmap* Cells(int columns, int rows, int size = 16) {
  auto* bitmap = new TBitmap(columns * size, rows * size, pf24bit);
  for (int row = 0; row < rows; ++row)
    for (int col = 0; col < columns; ++col) {
      bitmap->Canvas()->Brush()->SetColor(RGBColor(Byte(10 * (row * columns + col + 1)), 0, 0));
      bitmap->Canvas()->FillRect(Bounds(col * size, row * size, size, size));
    }
  return bitmap;
}

TColor ImageColor(TcxImageList& list, int index) {
  TBitmap image(16, 16, pf24bit);
  TcxImageList::ImageFromHandle(list.Handle(), index, &image, nullptr);
  return image.Canvas()->Pixels(8, 8) & 0xFFFFFF;
}

TColor StoredColor(TcxImageList& list, int index) {
  TcxImageInfo info;
  list.ImageInfoAt(index, &info);
  return info.Image()->Canvas()->Pixels(8, 8) & 0xFFFFFF;
}

TEST(CxImageList, StripsAndGridsGoInCellByCellInOrder) {
  struct Case {
    int Columns, Rows;
  } cases[] = {{3, 1}, {3, 2}, {1, 1}};
  for (const Case& c : cases) {
    TcxImageList list(nullptr);
    ObjectPtr<TBitmap> picture(Cells(c.Columns, c.Rows));
    EXPECT_EQ(list.AddImage(picture.get(), nullptr), 0);
    const int count = c.Columns * c.Rows;
    ASSERT_EQ(list.Count(), count);
    ASSERT_EQ(list.ImageInfo()->Count(), count);
    for (int i = 0; i < count; ++i) {
      EXPECT_EQ(ImageColor(list, i), RGBColor(Byte(10 * (i + 1)), 0, 0)) << c.Columns << "x" << c.Rows << " " << i;
      EXPECT_EQ(StoredColor(list, i), RGBColor(Byte(10 * (i + 1)), 0, 0)) << i;
    }
  }
}

TEST(CxImageList, OddSizedPictureIsOneItem) {
  TcxImageList list(nullptr);
  TBitmap picture(20, 16, pf24bit);
  list.AddImage(&picture, nullptr);
  EXPECT_EQ(list.Count(), 1);
  ASSERT_EQ(list.ImageInfo()->Count(), 1);
  TcxImageInfo info;
  list.ImageInfoAt(0, &info);
  EXPECT_EQ(info.Image()->Width(), 20);
  list.ImageInfoAt(5, &info);
  EXPECT_TRUE(info.Image()->Empty());
  EXPECT_EQ(info.MaskColor, clNone);
}

TEST(CxImageList, MaskedAddDeleteAndChanges) {
  TcxImageList list(nullptr);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  ObjectPtr<TBitmap> picture(Cells(2, 1));
  list.AddMaskedImage(picture.get(), RGBColor(10, 0, 0));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(list.ImageInfo()->Items(0)->Info()->MaskColor, RGBColor(10, 0, 0));
  list.DeleteImage(0);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(StoredColor(list, 0), RGBColor(20, 0, 0));
  list.ClearImages();
  EXPECT_EQ(list.ImageInfo()->Count(), 0);
}

AnsiString Written(TcxImageList& list) {
  TMemoryStream stream;
  TWriter writer(stream);
  writer.WriteComponentData(list);
  return AnsiString(static_cast<const char*>(stream.Memory()), size_t(stream.Size()));
}

void Read(TcxImageList& list, const AnsiString& data) {
  TMemoryStream stream;
  stream.WriteBuffer(data.data(), Int64(data.size()));
  stream.SetPosition(0);
  TReader reader(stream);
  reader.ReadComponentData(list);
}

TEST(CxImageList, StreamRoundTripWithOneChange) {
  for (bool compress : {false, true}) {
    TcxImageList source(nullptr);
    source.SetCompressData(compress);
    ObjectPtr<TBitmap> picture(Cells(3, 2));
    source.AddImage(picture.get(), nullptr);
    source.DesignInfo = 0x00200010;
    const AnsiString data = Written(source);

    TcxImageList copy(nullptr);
    copy.SetCompressData(compress);
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    Read(copy, data);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.FormatVersion(), 1);
    EXPECT_EQ(copy.DesignInfo, 0x00200010);
    ASSERT_EQ(copy.Count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ImageColor(copy, i), RGBColor(Byte(10 * (i + 1)), 0, 0)) << i;
    EXPECT_EQ(Written(copy), data);  // a store/load cycle changes nothing
  }
}

TEST(CxImageList, EmptyListWritesNoImageInfo) {
  TcxImageList list(nullptr);
  const AnsiString data = Written(list);
  EXPECT_NE(data.find("FormatVersion"), AnsiString::npos);
  EXPECT_NE(data.find("DesignInfo"), AnsiString::npos);
  EXPECT_EQ(data.find("ImageInfo"), AnsiString::npos);
}

TEST(CxImageList, DamagedStreamLeavesTheListAsItWas) {
  TcxImageList source(nullptr);
  source.SetCompressData(true);
  ObjectPtr<TBitmap> picture(Cells(2, 1));
  source.AddImage(picture.get(), nullptr);
  AnsiString data = Written(source);
  const size_t signature = data.find("XDBM");
  ASSERT_NE(signature, AnsiString::npos);
  data[signature - 4] = '\x7F';  // a packed size far beyond the data

  TcxImageList list(nullptr);
  ObjectPtr<TBitmap> mine(Cells(1, 1));
  list.AddImage(mine.get(), nullptr);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  try {
    Read(list, data);
    ADD_FAILURE() << "no error";
  } catch (const EReadError& error) {
    EXPECT_NE(error.Message().find(L"ImageInfo"), String::npos) << error.Message();
  }
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.ImageInfo()->Count(), 1);
  EXPECT_EQ(ImageColor(list, 0), RGBColor(10, 0, 0));
}

TEST(CxImageList, DrawsThroughTheGlyphPainter) {
  TcxImageList list(nullptr);
  ObjectPtr<TBitmap> picture(Cells(2, 1));
  list.AddImage(picture.get(), nullptr);
  TBitmap target(40, 40, pf32bit);
  target.Canvas()->Brush()->SetColor(clWhite);
  target.Canvas()->FillRect({0, 0, 40, 40});
  list.Draw(target.Canvas(), 4, 4, 1);
  EXPECT_EQ(target.Canvas()->Pixels(12, 12) & 0xFFFFFF, RGBColor(20, 0, 0));
  EXPECT_EQ(target.Canvas()->Pixels(2, 2) & 0xFFFFFF, clWhite);
  list.Draw(target.Canvas(), 20, 4, 1, false);
  const TColor disabled = target.Canvas()->Pixels(28, 12) & 0xFFFFFF;
  EXPECT_EQ(GetRValue(disabled), GetGValue(disabled));
}

}  // namespace
