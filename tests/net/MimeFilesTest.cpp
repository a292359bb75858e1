#include <gtest/gtest.h>

#include <string>

#include "net/Base64.h"
#include "net/MimeFiles.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(ContentTypeOfFile, ByExtension) {
  const struct {
    const wchar_t* name;
    const char* type;
  } cases[] = {
      {L"A.JPEG", "image/jpeg"}, {L"b.jpg", "image/jpeg"},   {L"page.HTM", "text/html"},
      {L"x.html", "text/html"},  {L"p.gif", "image/gif"},    {L"p.bmp", "image/bmp"},
      {L"n.txt", "text/plain"},  {L"a.tar.gz", "application/octet-stream"},
      {L"README", "application/octet-stream"},
      {L"C:\\dir.txt\\file", "application/octet-stream"},
      {L"dir\\note.TXT", "text/plain"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.type, ContentTypeOfFile(c.name)) << c.type;
}

struct Base64LinesCase {
  std::size_t length;
  std::vector<std::size_t> lineLengths;
  std::vector<bool> more;
};

TEST(Base64LineFromStream, SeventyTwoColumnLines) {
  const Base64LinesCase cases[] = {
      {54, {72, 0}, {true, false}},
      {100, {72, 64}, {true, false}},
      {108, {72, 72, 0}, {true, true, false}},
      {0, {0}, {false}},
  };
  for (const auto& c : cases) {
    std::string data(c.length, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = char(i * 31 + 7);
    TMemoryStream stream;
    stream.WriteBuffer(data.data(), Int64(data.size()));
    stream.SetPosition(0);
    std::string all;
    for (std::size_t i = 0; i < c.lineLengths.size(); ++i) {
      bool more = !c.more[i];
      const std::string line = Base64LineFromStream(stream, more);
      EXPECT_EQ(c.lineLengths[i], line.size()) << c.length << " line " << i;
      EXPECT_EQ(c.more[i], more) << c.length << " line " << i;
      all += line;
    }
    EXPECT_EQ(data, Base64DecodeText(all)) << c.length;
  }
}

TEST(OpenFileShared, OpensForReadingWithTheShareMode) {
  testing_support::ScratchFolder folder;
  const String path = folder.File(L"attachment.bin");
  testing_support::WriteFileBytes(path, "content");
  std::unique_ptr<TFileStream> stream = OpenFileShared(path, fmShareDenyWrite);
  char bytes[16] = {};
  EXPECT_EQ(7, stream->Read(bytes, sizeof bytes));
  EXPECT_EQ("content", std::string(bytes));
  EXPECT_THROW(TFileStream(path, fmOpenWrite | fmShareDenyNone), EFOpenError);
  { TFileStream reader(path, fmOpenRead | fmShareDenyNone); }
  FreeFileStream(stream);
  EXPECT_EQ(nullptr, stream);
  { TFileStream writer(path, fmOpenWrite | fmShareDenyNone); }
  FreeFileStream(stream);
  EXPECT_THROW(OpenFileShared(folder.File(L"missing.bin"), fmShareDenyNone), EFOpenError);
}

}  // namespace
