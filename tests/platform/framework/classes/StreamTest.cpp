#include "platform/framework/classes/Stream.h"

#include <gtest/gtest.h>

#include "platform/framework/base/Exceptions.h"
#include "tests/support/TestSupport.h"

using testing_support::ScratchFolder;

namespace {

AnsiString ReadAll(TStream& stream) {
  AnsiString bytes(static_cast<size_t>(stream.Size() - stream.Position()), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  return bytes;
}

void WriteText(TStream& stream, const AnsiString& text) {
  stream.WriteBuffer(text.data(), static_cast<Int64>(text.size()));
}

}  // namespace

TEST(MemoryStream, ShortReadBufferRaisesAndKeepsWhatWasRead) {
  TMemoryStream stream;
  WriteText(stream, "abc");
  stream.SetPosition(1);
  char buffer[8] = {};
  try {
    stream.ReadBuffer(buffer, 4);
    FAIL() << "no exception";
  } catch (const EReadError& error) {
    EXPECT_EQ(error.Message(), L"Stream read error");
  }
  EXPECT_EQ(AnsiString(buffer), "bc");
  stream.SetPosition(0);
  EXPECT_EQ(stream.Read(buffer, 100), 3);
}

TEST(MemoryStream, SetSizeTrimsClampsPositionAndExtendsWithZeros) {
  TMemoryStream stream;
  WriteText(stream, "0123456789");
  stream.SetSize(4);
  EXPECT_EQ(stream.Size(), 4);
  EXPECT_EQ(stream.Position(), 4);
  stream.SetPosition(0);
  EXPECT_EQ(ReadAll(stream), "0123");

  stream.SetSize(6);
  stream.SetPosition(0);
  EXPECT_EQ(ReadAll(stream), AnsiString("0123\0\0", 6));
}

TEST(MemoryStream, WritePastTheEndFillsTheGapWithZeros) {
  TMemoryStream stream;
  WriteText(stream, "ab");
  stream.Seek(2, soEnd);
  WriteText(stream, "z");
  stream.SetPosition(0);
  EXPECT_EQ(ReadAll(stream), AnsiString("ab\0\0z", 5));
}

TEST(Stream, CopyFromCopiesCountFromThePositionOrEverythingForZero) {
  TMemoryStream source;
  WriteText(source, "hello world");
  source.SetPosition(6);

  TMemoryStream part;
  EXPECT_EQ(part.CopyFrom(source, 3), 3);
  part.SetPosition(0);
  EXPECT_EQ(ReadAll(part), "wor");

  TMemoryStream all;
  EXPECT_EQ(all.CopyFrom(source, 0), 11);
  all.SetPosition(0);
  EXPECT_EQ(ReadAll(all), "hello world");

  source.SetPosition(9);
  TMemoryStream tooMuch;
  EXPECT_THROW(tooMuch.CopyFrom(source, 5), EReadError);
}

TEST(FileStream, CreateWriteReopenAndTrim) {
  ScratchFolder folder;
  String path = folder.File(L"data.bin");
  {
    TFileStream file(path, fmCreate);
    WriteText(file, "0123456789");
  }
  {
    TFileStream file(path, fmOpenReadWrite | fmShareExclusive);
    EXPECT_EQ(file.Size(), 10);
    file.SetPosition(2);
    file.SetSize(5);
    EXPECT_EQ(file.Position(), 2);
    EXPECT_EQ(ReadAll(file), "234");
  }
  EXPECT_EQ(testing_support::ReadFileBytes(path), "01234");
}

TEST(FileStream, OpenErrorsNameTheFileAndTheReason) {
  ScratchFolder folder;
  String missing = folder.File(L"missing.bin");
  try {
    TFileStream file(missing, fmOpenRead);
    FAIL() << "no exception";
  } catch (const EFOpenError& error) {
    EXPECT_NE(error.Message().find(missing), String::npos) << error.what();
    EXPECT_GT(error.Message().size(), missing.size() + 20) << "no system reason: " << error.what();
  }
  String inMissingFolder = folder.File(L"no-such-folder\\new.bin");
  try {
    TFileStream file(inMissingFolder, fmCreate);
    FAIL() << "no exception";
  } catch (const EFCreateError& error) {
    EXPECT_NE(error.Message().find(inMissingFolder), String::npos) << error.what();
  }
}

TEST(FileStream, ShareModesDecideWhoElseMayOpenTheFile) {
  ScratchFolder folder;
  String path = folder.File(L"shared.bin");
  testing_support::WriteFileBytes(path, "x");

  struct Case {
    Word first;
    Word second;
    bool secondOpens;
  };
  const Case cases[] = {
      {fmOpenRead | fmShareDenyWrite, fmOpenRead | fmShareDenyNone, true},
      {fmOpenRead | fmShareDenyWrite, fmOpenWrite | fmShareDenyNone, false},
      {fmOpenRead | fmShareDenyWrite, fmOpenReadWrite | fmShareDenyNone, false},
      {fmOpenReadWrite | fmShareExclusive, fmOpenRead | fmShareDenyNone, false},
      {fmOpenRead | fmShareDenyNone, fmOpenReadWrite | fmShareDenyNone, true},
      {fmOpenReadWrite | fmShareDenyNone, fmOpenRead | fmShareDenyWrite, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "first 0x" << std::hex << c.first << ", second 0x" << c.second);
    TFileStream first(path, c.first);
    bool opened = true;
    try {
      TFileStream second(path, c.second);
    } catch (const EFOpenError&) {
      opened = false;
    }
    EXPECT_EQ(opened, c.secondOpens);
  }
}

TEST(ResourceStream, ReadsResourcesByNameIdAndType) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  struct Case {
    const wchar_t* name;
    int id;
    const wchar_t* type;
    AnsiString contents;
  };
  const Case cases[] = {
      {L"TESTBLOB", 0, L"TESTDATA", "custom-type bytes"},
      {L"TESTRAW", 0, RT_RCDATA, "raw bytes"},
      {nullptr, 7, RT_RCDATA, "numbered"},
      {L"TESTPAGE", 0, RT_HTML, "<p>page</p>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.contents);
    std::unique_ptr<TResourceStream> stream =
        c.name ? std::make_unique<TResourceStream>(module, c.name, c.type)
               : std::make_unique<TResourceStream>(module, c.id, c.type);
    EXPECT_EQ(ReadAll(*stream), c.contents);
    EXPECT_THROW(stream->WriteBuffer("x", 1), EStreamError);
  }
}

TEST(ResourceStream, MissingResourceRaisesResNotFound) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  try {
    TResourceStream stream(module, L"TESTBLOB", RT_RCDATA);  // right name, wrong type
    FAIL() << "no exception";
  } catch (const EResNotFound& error) {
    EXPECT_EQ(error.Message(), L"Resource TESTBLOB not found");
  }
  EXPECT_THROW(TResourceStream(module, 4711, RT_RCDATA), EResNotFound);
}

TEST(StreamAdapter, ImageListRoundTripsThroughAnyStream) {
  InitCommonControls();
  HIMAGELIST original = ImageList_Create(16, 16, ILC_COLOR32, 2, 2);
  ASSERT_NE(original, nullptr);
  HDC screen = GetDC(nullptr);
  for (COLORREF color : {RGB(255, 0, 0), RGB(0, 0, 255)}) {
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 16, 16};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_Add(original, bitmap, nullptr);
    DeleteObject(bitmap);
  }
  ReleaseDC(nullptr, screen);

  TMemoryStream memory;
  IStream* adapter = CreateStreamAdapter(memory);
  ASSERT_TRUE(ImageList_Write(original, adapter));
  EXPECT_GT(memory.Size(), 16 * 16 * 2);

  LARGE_INTEGER start{};
  ASSERT_EQ(adapter->Seek(start, STREAM_SEEK_SET, nullptr), S_OK);
  HIMAGELIST copy = ImageList_Read(adapter);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(copy), 2);
  int width = 0, height = 0;
  ImageList_GetIconSize(copy, &width, &height);
  EXPECT_EQ(width, 16);
  EXPECT_EQ(adapter->Release(), 0u);

  ImageList_Destroy(copy);
  ImageList_Destroy(original);
}

TEST(StreamAdapter, OwnedStreamIsFreedWithTheLastReference) {
  struct Watched : TMemoryStream {
    explicit Watched(bool& freed) : freed_(freed) {}
    ~Watched() override { freed_ = true; }
    bool& freed_;
  };
  bool freed = false;
  IStream* adapter = CreateStreamAdapter(*new Watched(freed), true);
  adapter->AddRef();
  adapter->Release();
  EXPECT_FALSE(freed);
  adapter->Release();
  EXPECT_TRUE(freed);
}
