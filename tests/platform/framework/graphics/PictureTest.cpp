// TPicture: the file-format registry, loading by extension and the "Data" property.

#include <gtest/gtest.h>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/graphics/Graphic.h"
#include "platform/framework/graphics/Icon.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/base/Utf8.h"
#include "platform/framework/rtl/FileUtils.h"
#include "tests/support/TestSupport.h"

namespace {

// A graphic whose data is whatever bytes it was given.
class TTextGraphic : public TGraphic {
  DECLARE_CLASS(TTextGraphic, TGraphic)
 public:
  bool Empty() const override { return Content.empty(); }
  int Width() const override { return int(Content.size()); }
  int Height() const override { return 1; }
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  void LoadFromStream(TStream& Stream) override {
    Content.resize(size_t(Stream.Size() - Stream.Position()));
    Stream.ReadBuffer(Content.data(), Int64(Content.size()));
  }
  void SaveToStream(TStream& Stream) override {
    Stream.WriteBuffer(Content.data(), Int64(Content.size()));
    if (RefuseAfterWriting) throw EInvalidGraphic(L"refused");
  }
  void Assign(TPersistent* Source) override {
    if (auto* text = dynamic_cast<TTextGraphic*>(Source)) Content = text->Content;
    else TGraphic::Assign(Source);
  }
  AnsiString Content;
  bool RefuseAfterWriting = false;

 protected:
  void Draw(TCanvas*, const TRect&) override {}
};
DEFINE_CLASS(TTextGraphic)

class TOtherTextGraphic : public TTextGraphic {
  DECLARE_CLASS(TOtherTextGraphic, TTextGraphic)
};
DEFINE_CLASS(TOtherTextGraphic)

// A registered class outside the graphic family.
class TNotAGraphic : public TPersistent {
  DECLARE_CLASS(TNotAGraphic, TPersistent)
};
DEFINE_CLASS(TNotAGraphic)

TEST(PictureTest, LastRegistrationForAnExtensionWinsWhateverTheCase) {
  testing_support::ScratchFolder folder;
  testing_support::WriteFileBytes(folder.File(L"picture.Tst"), "payload");
  RegisterFileFormat(L"tst", L"First", &TTextGraphic::ClassInfo());
  RegisterFileFormat(L"TST", L"Second", &TOtherTextGraphic::ClassInfo());
  TPicture picture;
  picture.LoadFromFile(folder.File(L"picture.Tst"));
  ASSERT_NE(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Graphic()->ClassType(), &TOtherTextGraphic::ClassInfo());
  EXPECT_EQ(static_cast<TTextGraphic*>(picture.Graphic())->Content, "payload");

  UnregisterGraphicClass(&TOtherTextGraphic::ClassInfo());
  EXPECT_EQ(GraphicClassForExtension(L"tst"), nullptr);
  UnregisterGraphicClass(&TTextGraphic::ClassInfo());
}

// A graphic that fails part way through saving leaves no file, or the old file as it was.
TEST(PictureTest, SavingThatFailsWritesNoFile) {
  testing_support::ScratchFolder folder;
  const String existing = folder.File(L"old.tst"), fresh = folder.File(L"new.tst");
  testing_support::WriteFileBytes(existing, "old content");
  TTextGraphic graphic;
  graphic.Content = "partial";
  graphic.RefuseAfterWriting = true;
  EXPECT_THROW(graphic.SaveToFile(existing), EInvalidGraphic);
  EXPECT_THROW(graphic.SaveToFile(fresh), EInvalidGraphic);
  EXPECT_EQ(testing_support::ReadFileBytes(existing), "old content");
  EXPECT_FALSE(FileExists(fresh));
  graphic.RefuseAfterWriting = false;
  graphic.SaveToFile(existing);
  EXPECT_EQ(testing_support::ReadFileBytes(existing), "partial");
}

TEST(PictureTest, UnknownExtensionRaisesInvalidGraphic) {
  TPicture picture;
  for (const auto& [file, message] : {std::pair<String, String>{L"c:\\x\\image.abc", L"Unknown picture file extension (.abc)"},
                                      {L"c:\\x.y\\noextension", L"Unknown picture file extension (.)"}}) {
    try {
      picture.LoadFromFile(file);
      ADD_FAILURE() << "no exception for " << Utf8Encode(file);
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), message);
    }
  }
}

// Stored class names find the framework's pictures before anything has asked for a file format
// (run alone, this test is the process's first use of the graphics).
TEST(PictureTest, FrameworkPictureClassesAreFoundByNameFromTheStart) {
  EXPECT_EQ(GetClassOf<TGraphic>(L"TBitmap"), &TBitmap::ClassInfo());
  EXPECT_EQ(GetClassOf<TGraphic>(L"TIcon"), &TIcon::ClassInfo());
  EXPECT_NE(GetClassOf<TGraphic>(L"TJPEGImage"), nullptr);
}

TEST(PictureTest, FrameworkFormatsAreRegistered) {
  EXPECT_EQ(GraphicClassForExtension(L"BMP"), &TBitmap::ClassInfo());
  EXPECT_EQ(GraphicClassForExtension(L"ico"), &TIcon::ClassInfo());
  EXPECT_NE(GraphicClassForExtension(L"jpg"), nullptr);
  EXPECT_EQ(GraphicClassForExtension(L"jpeg"), GraphicClassForExtension(L"jpg"));

  testing_support::ScratchFolder folder;
  TBitmap bitmap(2, 2, pf24bit);
  bitmap.Canvas()->SetPixels(1, 1, clPurple);
  bitmap.SaveToFile(folder.File(L"a.BMP"));
  TPicture picture;
  picture.LoadFromFile(folder.File(L"a.BMP"));
  ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Bitmap()->Canvas()->Pixels(1, 1) & 0xFFFFFF, clPurple);
}

TEST(PictureTest, DataPropertyCarriesClassAndGraphic) {
  TPicture source;
  source.Bitmap()->SetPixelFormat(pf24bit);
  source.Bitmap()->SetSize(3, 1);
  source.Bitmap()->Canvas()->SetPixels(2, 0, clMaroon);
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteProperties(source);
    writer.WriteListEnd();
  }
  stream.SetPosition(0);
  TPicture read;
  TReader reader(stream);
  reader.ReadProperties(read);
  ASSERT_NE(dynamic_cast<TBitmap*>(read.Graphic()), nullptr);
  EXPECT_EQ(read.Width(), 3);
  EXPECT_EQ(read.Bitmap()->Canvas()->Pixels(2, 0) & 0xFFFFFF, clMaroon);
}

TEST(PictureTest, DataNamingAClassOutsideTheGraphicsIsRefused) {
  RegisterClass(&TNotAGraphic::ClassInfo());
  AnsiString data = "\x0CTNotAGraphic";
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WritePropName(L"Data");
    writer.WriteBinary(data.data(), Int64(data.size()));
    writer.WriteListEnd();
  }
  stream.SetPosition(0);
  TPicture picture;
  TReader reader(stream);
  EXPECT_THROW(reader.ReadProperties(picture), EClassNotFound);
  EXPECT_EQ(picture.Graphic(), nullptr);
  UnRegisterClass(&TNotAGraphic::ClassInfo());
}

TEST(PictureTest, GraphicIsCopiedAndChangesAreReported) {
  TPicture picture;
  bool changed = false;
  picture.OnChange = [&](TObject*) { changed = true; };
  TTextGraphic graphic;
  graphic.Content = "abc";
  picture.SetGraphic(&graphic);
  EXPECT_TRUE(changed);
  ASSERT_NE(picture.Graphic(), &graphic);
  EXPECT_EQ(static_cast<TTextGraphic*>(picture.Graphic())->Content, "abc");

  // Asking for a bitmap replaces a graphic of another class; its changes reach the picture.
  TBitmap* bitmap = picture.Bitmap();
  changed = false;
  bitmap->SetSize(4, 4);
  EXPECT_TRUE(changed);
  EXPECT_EQ(picture.Width(), 4);
}

// A 16 x 16 icon: a teal square with a transparent one-pixel border (mask white, colour black).
HICON TealIcon() {
  TBitmap color(16, 16, pf32bit), mask(16, 16, pf1bit);
  color.Canvas()->Brush()->SetColor(clTeal);
  color.Canvas()->FillRect(Rect(1, 1, 15, 15));
  mask.Canvas()->Brush()->SetColor(clWhite);
  mask.Canvas()->FillRect(Rect(0, 0, 16, 16));
  mask.Canvas()->Brush()->SetColor(clBlack);
  mask.Canvas()->FillRect(Rect(1, 1, 15, 15));
  ICONINFO info{TRUE, 0, 0, mask.Handle(), color.Handle()};
  return CreateIconIndirect(&info);
}

TEST(IconTest, StreamRoundTripDrawsTheSamePicture) {
  TIcon icon;
  icon.SetHandle(TealIcon());
  EXPECT_EQ(icon.Width(), 16);
  TStringStream stream;
  icon.SaveToStream(stream);
  stream.SetPosition(0);
  TIcon read;
  read.SetSize(16, 16);
  read.LoadFromStream(stream);
  EXPECT_EQ(read.Height(), 16);

  TBitmap surface(20, 20, pf32bit);
  surface.Canvas()->Brush()->SetColor(clWhite);
  surface.Canvas()->FillRect(Rect(0, 0, 20, 20));
  surface.Canvas()->Draw(2, 2, &read);
  EXPECT_EQ(surface.Canvas()->Pixels(8, 8) & 0xFFFFFF, clTeal);
  EXPECT_EQ(surface.Canvas()->Pixels(2, 2) & 0xFFFFFF, clWhite);
}

TEST(IconTest, MalformedIconFilesAreRefused) {
  const AnsiString cases[] = {
      AnsiString("\0\0\2\0\1\0", 6),                            // a cursor directory
      AnsiString("\0\0\1\0\0\0", 6),                            // no images
      AnsiString("\0\0\1\0\1\0", 6) + AnsiString(16, '\x7F'),  // image past the end
  };
  for (const AnsiString& data : cases) {
    TIcon icon;
    TStringStream stream(data);
    EXPECT_THROW(icon.LoadFromStream(stream), EInvalidGraphic);
    EXPECT_TRUE(icon.Empty());
  }
}

}  // namespace
