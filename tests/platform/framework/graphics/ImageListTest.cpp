// Image lists: adding strips and masked images, order after inserts, disabled drawing, change
// links and the stream form.

#include <gtest/gtest.h>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/ImageList.h"
#include "platform/framework/classes/Stream.h"

namespace {

constexpr TColor Rgb(TColor c) { return c & 0xFFFFFF; }

// A width x 16 bitmap of 16 x 16 cells in the given colours.
TBitmap* Cells(std::initializer_list<TColor> colors, TBitmap& bitmap) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(int(colors.size()) * 16, 16);
  int x = 0;
  for (TColor c : colors) {
    bitmap.Canvas()->Brush()->SetColor(c);
    bitmap.Canvas()->FillRect(Bounds(x, 0, 16, 16));
    x += 16;
  }
  return &bitmap;
}

struct Surface {
  TBitmap bitmap{40, 40, pf32bit};
  Surface() {
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(Rect(0, 0, 40, 40));
  }
  TColor At(int x, int y) { return Rgb(bitmap.Canvas()->Pixels(x, y)); }
};

TEST(ImageListTest, StripAddsOneImagePerCellAndInsertKeepsOrder) {
  TImageList list(nullptr);
  TBitmap strip, single;
  EXPECT_EQ(list.Add(Cells({clRed, clLime, clBlue}, strip), nullptr), 0);
  ASSERT_EQ(list.Count(), 3);
  list.Insert(1, Cells({clYellow}, single), nullptr);
  ASSERT_EQ(list.Count(), 4);
  const TColor expected[] = {clRed, clYellow, clLime, clBlue};
  for (int i = 0; i < 4; ++i) {
    Surface s;
    list.Draw(s.bitmap.Canvas(), 0, 0, i);
    EXPECT_EQ(s.At(8, 8), expected[i]) << "image " << i;
  }
  list.Move(0, 3);
  const TColor moved[] = {clYellow, clLime, clBlue, clRed};
  for (int i = 0; i < 4; ++i) {
    Surface s;
    list.Draw(s.bitmap.Canvas(), 0, 0, i);
    EXPECT_EQ(s.At(8, 8), moved[i]) << "moved image " << i;
  }
  EXPECT_THROW(list.Delete(4), EInvalidOperation);
}

TEST(ImageListTest, MaskColourLeavesTheBackgroundAndTheSourceAlone) {
  TImageList list(nullptr);
  TBitmap image;
  Cells({clFuchsia}, image);
  image.Canvas()->Brush()->SetColor(clNavy);
  image.Canvas()->FillRect(Rect(4, 4, 8, 8));
  list.AddMasked(&image, clFuchsia);
  EXPECT_EQ(Rgb(image.Canvas()->Pixels(0, 0)), clFuchsia);
  Surface s;
  list.Draw(s.bitmap.Canvas(), 10, 10, 0);
  EXPECT_EQ(s.At(11, 11), clWhite);
  EXPECT_EQ(s.At(15, 15), clNavy);
}

TEST(ImageListTest, DisabledImageIsDrawnEmbossedInButtonColours) {
  TImageList list(nullptr);
  TBitmap image;
  list.Add(Cells({clRed}, image), nullptr);
  Surface enabled, disabled;
  list.Draw(enabled.bitmap.Canvas(), 0, 0, 0, true);
  list.Draw(disabled.bitmap.Canvas(), 0, 0, 0, false);
  EXPECT_EQ(enabled.At(5, 5), clRed);
  EXPECT_EQ(disabled.At(5, 5), Rgb(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(disabled.At(16, 16), Rgb(ColorToRGB(clBtnHighlight)));
  EXPECT_EQ(disabled.At(17, 17), clWhite);
}

TEST(ImageListTest, ChangeLinksHearChangesUntilEitherSideGoes) {
  auto list = std::make_unique<TImageList>(nullptr);
  TChangeLink link;
  TCustomImageList* heardFrom = nullptr;
  link.OnChange = [&](TObject* sender) { heardFrom = static_cast<TCustomImageList*>(sender); };
  list->RegisterChanges(&link);
  EXPECT_EQ(link.Sender(), list.get());
  TBitmap image;
  list->Add(Cells({clRed}, image), nullptr);
  EXPECT_EQ(heardFrom, list.get());

  heardFrom = nullptr;
  list->UnRegisterChanges(&link);
  list->Clear();
  EXPECT_EQ(heardFrom, nullptr);

  {
    TChangeLink shortLived;
    list->RegisterChanges(&shortLived);
  }
  list->RegisterChanges(&link);
  list->Clear();  // the freed link is not told
  EXPECT_EQ(heardFrom, list.get());
  list.reset();
  EXPECT_EQ(link.Sender(), nullptr);
}

TEST(ImageListTest, StreamFormRoundTrips) {
  TImageList list(nullptr);
  TBitmap strip;
  list.Add(Cells({clRed, clBlue}, strip), nullptr);
  TMemoryStream stream;
  list.WriteData(stream);
  stream.SetPosition(0);
  TImageList read(nullptr);
  read.ReadData(stream);
  ASSERT_EQ(read.Count(), 2);
  TBitmap second;
  read.GetBitmap(1, &second);
  EXPECT_EQ(second.Width(), 16);
  EXPECT_EQ(Rgb(second.Canvas()->Pixels(8, 8)), clBlue);
}

}  // namespace
