// The client's text helpers: document names, path bases, the date text and the chunk decoder.

#include <gtest/gtest.h>

#include "net/HttpChunkDecoder.h"
#include "net/HttpDate.h"
#include "net/HttpPaths.h"
#include "platform/framework/rtl/DateUtils.h"

TEST(HttpPaths, DocumentNames) {
  struct Case {
    const wchar_t* Path;
    const wchar_t* DocName;
  } cases[] = {
      {L"/a/b.htm?x=1", L"b.htm"}, {L"/dir/", L"document.htm"}, {L"", L"document.htm"},
      {L"/?q=/x", L"document.htm"}, {L"setup.exe", L"setup.exe"}, {L"/a/b", L"b"},
  };
  for (const Case& c : cases) EXPECT_EQ(DocNameFromPath(c.Path), c.DocName) << c.Path;
  EXPECT_EQ(DocNameFromPath(L"/" + String(300, L'x')).size(), 255u);
}

TEST(HttpPaths, ExtensionsAndBases) {
  EXPECT_EQ(ReplaceDocExt(L"setup.exe", L"htm"), L"setup.htm");
  EXPECT_EQ(ReplaceDocExt(L"page", L"htm"), L"page.htm");
  EXPECT_EQ(DocExtension(L"A.EXE"), L"exe");
  EXPECT_EQ(DocExtension(L"page"), L"");
  EXPECT_EQ(PathBase(L"/a/b/c.htm?x=/y"), L"/a/b/");
  EXPECT_EQ(PathBase(L"http://h/x"), L"http://h/");
  EXPECT_EQ(PathBase(L"name"), L"");
}

TEST(HttpDate, EnglishNamesAndTheWeekday) {
  EXPECT_EQ(FormatHttpDate(EncodeDateTime(2004, 3, 1, 10, 5, 9, 0)), L"Mon, 01 Mar 2004 10:05:09");
  EXPECT_EQ(FormatHttpDate(EncodeDateTime(2004, 1, 5, 0, 0, 0, 0)), L"Mon, 05 Jan 2004 00:00:00");
  EXPECT_EQ(FormatHttpDate(EncodeDateTime(2026, 12, 13, 23, 59, 59, 0)), L"Sun, 13 Dec 2026 23:59:59");
}

namespace {

// Feeds text in pieces of the given size; returns the data, or "FAILED".
std::string Dechunk(const std::string& text, std::size_t pieceSize, bool* done = nullptr) {
  THttpChunkDecoder decoder;
  std::string data;
  for (std::size_t at = 0; at < text.size() && !decoder.Done() && !decoder.Failed(); at += pieceSize) {
    const std::string piece = text.substr(at, pieceSize);
    const char* bytes = piece.data();
    int left = static_cast<int>(piece.size());
    while (left > 0 && !decoder.Done() && !decoder.Failed()) {
      const char* part;
      int partLen;
      const int used = decoder.Feed(bytes, left, part, partLen);
      data.append(part ? part : "", static_cast<std::size_t>(partLen));
      bytes += used;
      left -= used;
    }
  }
  if (done) *done = decoder.Done();
  return decoder.Failed() ? "FAILED" : data;
}

}  // namespace

TEST(HttpChunkDecoder, PiecesOfAnySizeGiveTheSameData) {
  const std::string body = "4\r\nabcd\r\n5;x=1\r\nefghi\r\nA\r\n0123456789\r\n0\r\nTrailer: t\r\n\r\n";
  for (std::size_t size : {1u, 2u, 3u, 7u, 1000u}) {
    bool done = false;
    EXPECT_EQ(Dechunk(body, size, &done), "abcdefghi0123456789") << size;
    EXPECT_TRUE(done) << size;
  }
}

TEST(HttpChunkDecoder, SizesBeyondFifteenSignificantDigitsAreRefused) {
  EXPECT_EQ(Dechunk("0000000000000000000001\r\nx\r\n0\r\n\r\n", 1), "x");
  EXPECT_EQ(Dechunk("0000100000000000000\r\n", 3), "");
  EXPECT_EQ(Dechunk("1000000000000000\r\n", 4), "FAILED");
  EXPECT_EQ(Dechunk("10000000000000000\r\n", 100), "FAILED");
}

TEST(HttpChunkDecoder, ACutBodyIsNotDone) {
  bool done = true;
  EXPECT_EQ(Dechunk("4\r\nabcd\r\n", 100, &done), "abcd");
  EXPECT_FALSE(done);
}
