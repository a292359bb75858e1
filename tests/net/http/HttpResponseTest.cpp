// Responses of a scripted server: how the client reads status, header and body, which events fire
// in which order, and how it refuses responses it cannot take.

#include <algorithm>

#include <gtest/gtest.h>

#include "platform/framework/rtl/TextEncoding.h"
#include "tests/net/ScriptedReceive.h"
#include "tests/net/http/HttpProbe.h"
#include "tests/net/http/HttpTestServer.h"
#include "tests/support/TestSupport.h"

using namespace http_test;

namespace {

constexpr Word kAborted = 10053;

std::string Ok10(const std::vector<std::string>& headers, const std::string& body = "") {
  return Response("HTTP/1.0 200 OK", headers, body);
}

}  // namespace

TEST(HttpResponse, APlainGetFiresItsEventsInOrder) {
  THttpTestServer server({{Answer(Ok10({"Content-Length: 5"}, "hello"))}});
  THttpProbe probe;
  probe.Target(server.PortText(), L"/doc.txt");
  ASSERT_TRUE(probe.Get()) << probe.Text();
  const std::vector<std::string> expected = {
      "state httpNotConnected", "state httpDnsLookup", "state httpDnsLookupDone", "state httpConnected",
      "SessionConnected", "state httpWaitingHeader", "RequestHeaderBegin", "BeforeHeaderSend",
      "Command", "Command", "Command", "Command", "RequestHeaderEnd", "Command",
      "HeaderBegin", "HeaderData", "HeaderData", "HeaderEnd", "state httpWaitingBody", "DocBegin", "DocData",
      "state httpBodyReceived", "DocEnd", "SessionClosed", "state httpReady", "RequestDone 0"};
  EXPECT_EQ(probe.Events, expected) << probe.Text();
  EXPECT_EQ(probe.DocData, "hello");
  EXPECT_EQ(probe.Received.Size(), 5);
  EXPECT_EQ(probe.Http->DocName(), L"doc.txt");
  const std::vector<TSeenRequest> seen = server.Requests();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Head, "GET /doc.txt HTTP/1.0\r\n"
                          "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
                          "User-Agent: Mozilla/4.0 (compatible; Zorvic)\r\n"
                          "Host: 127.0.0.1:" + StringToAnsi(server.PortText()) + "\r\n\r\n");
  EXPECT_EQ(probe.Commands.back(), "");
}

struct TResponseCase {
  const char* Name;
  const wchar_t* RequestVer;
  TReply Reply;
  int Status;
  const char* Reason;
  std::string Doc;
  Word Error;
  bool DocBegins;
  bool StaysOpen;
};

TEST(HttpResponse, Table) {
  const std::string chunked = "4\r\nabcd\r\n5;x=1\r\nefghi\r\n0\r\n\r\n";
  const std::vector<TResponseCase> cases = {
      {"length, then more bytes, kept alive", L"1.1",
       {{Response("HTTP/1.1 200 OK", {"Content-Length: 5"}, "helloEXTRA")}}, 200, "OK", "hello", 0, true, true},
      {"1.0 request kept alive by the header", L"1.0",
       {{Response("HTTP/1.1 200 OK", {"Connection: keep-alive", "Content-Length: 2"}, "ok")}}, 200, "OK", "ok", 0,
       true, true},
      {"connection: close ends a 1.1 exchange", L"1.1",
       {{Response("HTTP/1.1 200 OK", {"Connection: close", "Content-Length: 2"}, "ok")}}, 200, "OK", "ok", 0, true,
       false},
      {"chunked in pieces", L"1.1",
       {{Response("HTTP/1.1 200 OK", {"Transfer-Encoding: chunked"}, chunked.substr(0, 6)), chunked.substr(6, 9),
         chunked.substr(15)},
        20},
       200, "OK", "abcdefghi", 0, true, true},
      {"body up to the close", L"1.0", {{Ok10({}, "until the close")}, 0, true}, 200, "OK", "until the close", 0,
       true, false},
      {"negative length counts as none", L"1.0", {{Ok10({"Content-Length: -5"}, "abc")}, 0, true}, 200, "OK", "abc",
       0, true, false},
      {"204 without length", L"1.1", {{Response("HTTP/1.1 204 No Content", {})}}, 204, "No Content", "", 0, false,
       true},
      {"304 without length", L"1.1", {{Response("HTTP/1.1 304 Not Modified", {})}}, 304, "Not Modified", "", 0,
       false, true},
      {"1xx without length", L"1.1", {{Response("HTTP/1.1 102 Processing", {})}}, 102, "Processing", "", 0, false,
       true},
      {"301 without length", L"1.1", {{Response("HTTP/1.1 301 Moved", {})}}, 301, "Moved", "", 0, false, true},
      {"302 without length", L"1.1", {{Response("HTTP/1.1 302 Found", {})}}, 302, "Found", "", 0, false, true},
      {"401 without length", L"1.1", {{Response("HTTP/1.1 401 Unauthorized", {})}}, 401, "Unauthorized", "", 0,
       false, true},
      {"407 without length", L"1.1", {{Response("HTTP/1.1 407 Proxy Authentication Required", {})}}, 407,
       "Proxy Authentication Required", "", 0, false, true},
      {"100 Continue first", L"1.1",
       {{Response("HTTP/1.1 100 Continue", {}), Response("HTTP/1.1 200 OK", {"Content-Length: 2"}, "ok")}, 20},
       200, "OK", "ok", 0, true, true},
      {"headerless document", L"1.0", {{"<html><head>\r\nline 2\r\n"}, 0, true}, 0, "", "line 2\r\n", 0, true, false},
      {"length cut short by the close", L"1.0", {{Ok10({"Content-Length: 10"}, "abc")}, 0, true}, 200, "OK", "abc",
       kAborted, true, false},
      {"chunks cut short by the close", L"1.1",
       {{Response("HTTP/1.1 200 OK", {"Transfer-Encoding: chunked"}, "4\r\nabcd\r\n")}, 0, true}, 200, "OK", "abcd",
       kAborted, true, false},
      {"header cut short by the close", L"1.0", {{"HTTP/1.0 200 OK\r\nContent-Le"}, 0, true}, 200, "OK", "",
       kAborted, false, false},
      {"closed before any response", L"1.1", {{}, 0, true}, 0, "", "", kAborted, false, false},
      {"status code not a number", L"1.1", {{Response("HTTP/1.1 abc OK", {"Content-Length: 2"}, "ok")}}, 0, "", "",
       kAborted, false, false},
      {"17-digit chunk size", L"1.1",
       {{Response("HTTP/1.1 200 OK", {"Transfer-Encoding: chunked"}, "10000000000000000\r\nx\r\n")}}, 200, "OK", "",
       kAborted, true, false},
      {"100 KB header line", L"1.1",
       {{Response("HTTP/1.1 200 OK", {"X-Long: " + std::string(100000, 'a'), "Content-Length: 2"}, "ok")}}, 200,
       "OK", "", kAborted, false, false},
  };
  for (const TResponseCase& c : cases) {
    SCOPED_TRACE(c.Name);
    THttpTestServer server({{c.Reply}});
    THttpProbe probe;
    probe.Http->SetRequestVer(c.RequestVer);
    probe.Target(server.PortText());
    ASSERT_TRUE(probe.Get()) << probe.Text();
    EXPECT_EQ(probe.DoneCount, 1) << probe.Text();
    EXPECT_EQ(probe.Http->StatusCode(), c.Status);
    EXPECT_EQ(StringToAnsi(probe.Http->ReasonPhrase()), c.Reason);
    EXPECT_EQ(probe.DocData, c.Doc);
    EXPECT_EQ(probe.DoneError, c.Error);
    EXPECT_EQ(probe.Has("DocBegin"), c.DocBegins) << probe.Text();
    EXPECT_EQ(probe.Has("DocEnd"), c.DocBegins) << probe.Text();
    EXPECT_EQ(probe.Http->CtrlSocket().State() == wsConnected, c.StaysOpen) << probe.Text();
    EXPECT_EQ(probe.Http->State(), httpReady);
  }
}

TEST(HttpResponse, ContinueAndHeaderlessDetails) {
  {
    THttpTestServer server({{Answer(Response("HTTP/1.1 100 Continue", {}) +
                                    Response("HTTP/1.1 200 OK", {"Content-Length: 2", "Set-Cookie: a=1"}, "ok"))}});
    THttpProbe probe;
    probe.Http->SetRequestVer(L"1.1");
    probe.Target(server.PortText());
    ASSERT_TRUE(probe.Get());
    EXPECT_EQ(probe.Count("HeaderBegin"), 1) << probe.Text();
    ASSERT_EQ(probe.Http->ReceivedHeader().Count(), 3);
    EXPECT_EQ(probe.Http->ReceivedHeader()[0], L"HTTP/1.1 200 OK");
    // The cookie is offered just before its header line's event.
    const auto cookie = std::find(probe.Events.begin(), probe.Events.end(), "Cookie a=1");
    ASSERT_NE(cookie, probe.Events.end());
    EXPECT_EQ(*(cookie + 1), "HeaderData");
  }
  {
    THttpTestServer server({{Answer("<!DOCTYPE html>\r\n<p>x</p>", true)}});
    THttpProbe probe;
    probe.Target(server.PortText(), L"/setup.exe");
    ASSERT_TRUE(probe.Get());
    EXPECT_EQ(probe.Http->ResponseContentType(), L"text/html");
    EXPECT_EQ(probe.DocData, "<p>x</p>");
  }
}

TEST(HttpResponse, ATextHtmlBodyRenamesAnExecutableDocument) {
  for (const wchar_t* path : {L"/setup.exe", L"/page"}) {
    THttpTestServer server({{Answer(Ok10({"Content-Type: text/html", "Content-Length: 1"}, "x"))}});
    THttpProbe probe;
    probe.Target(server.PortText(), path);
    ASSERT_TRUE(probe.Get());
    EXPECT_EQ(probe.Http->DocName(), String(path) == L"/page" ? L"page.htm" : L"setup.htm");
  }
}

TEST(HttpResponse, ChunksOneBytePerReceive) {
  THttpTestServer server({{TReply{}}});  // reads the request and answers nothing itself
  THttpProbe probe;
  probe.Http->SetRequestVer(L"1.1");
  probe.Target(server.PortText());
  probe.Http->GetAsync();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return server.Requests().size() == 1; }));
  ASSERT_EQ(probe.Http->State(), httpWaitingHeader);
  net_test::TScriptedReceive script;
  script.DeliverBytewise(probe.Http->CtrlSocket(), Response("HTTP/1.1 200 OK", {"Transfer-Encoding: chunked"},
                                                            "4\r\nabcd\r\n5;x=1\r\nefghi\r\n0\r\n\r\n"));
  ASSERT_TRUE(testing_support::PumpUntil([&] { return probe.DoneCount == 1; })) << probe.Text();
  EXPECT_EQ(probe.DocData, "abcdefghi");
  EXPECT_EQ(probe.Http->ReceivedCount(), 9);
  EXPECT_TRUE(probe.Has("state httpBodyReceived")) << probe.Text();
  EXPECT_EQ(probe.DoneError, 0);
  EXPECT_EQ(probe.Http->CtrlSocket().State(), wsConnected);
}

TEST(HttpResponse, AKeptConnectionCarriesTheNextRequest) {
  THttpTestServer server({{Answer(Response("HTTP/1.1 200 OK", {"Content-Length: 1"}, "a")),
                            Answer(Response("HTTP/1.1 200 OK", {"Content-Length: 1"}, "b"))}});
  THttpProbe probe;
  probe.Http->SetRequestVer(L"1.1");
  probe.Target(server.PortText());
  ASSERT_TRUE(probe.Get());
  ASSERT_TRUE(probe.Get());
  EXPECT_EQ(probe.DocData, "ab");
  const std::vector<TSeenRequest> seen = server.Requests();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].Connection, 0);
}

namespace {

// Hands the body out reversed when the document completes, so only a completed decoder delivers.
class TReversingCoding : public THttpContentCoding {
  DECLARE_CLASS(TReversingCoding, THttpContentCoding)

 public:
  using THttpContentCoding::THttpContentCoding;
  static String GetCoding(TClass) { return L"x-reversed"; }
  void WriteBuffer(const void* Buffer, Int64 Count) override {
    held_.append(static_cast<const char*>(Buffer), static_cast<std::size_t>(Count));
  }
  void Complete() override {
    const std::string reversed(held_.rbegin(), held_.rend());
    outputWriter_(reversed.data(), static_cast<Int64>(reversed.size()));
  }

 private:
  std::string held_;
};
DEFINE_CLASS(TReversingCoding)

// The registry is process-wide: the coding is taken out again however the test ends.
class HttpResponseWithReversingCoding : public testing::Test {
 protected:
  void SetUp() override { ContCodings().Add(&TReversingCoding::ClassInfo(), 1.0f); }
  void TearDown() override { ContCodings().Remove(&TReversingCoding::ClassInfo()); }
};

}  // namespace

TEST_F(HttpResponseWithReversingCoding, DecodersCompleteAtTheEndOfEveryKindOfBody) {
  struct Case {
    const char* Name;
    std::string Response;
    bool Close = false;
  } cases[] = {
      {"length", Response("HTTP/1.1 200 OK", {"Content-Encoding: x-reversed", "Content-Length: 4"}, "abcd")},
      {"chunked", Response("HTTP/1.1 200 OK", {"Content-Encoding: x-reversed", "Transfer-Encoding: chunked"},
                           "2\r\nab\r\n2\r\ncd\r\n0\r\n\r\n")},
      {"up to the close", Response("HTTP/1.0 200 OK", {"Content-Encoding: x-reversed"}, "abcd"), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    THttpTestServer server({{Answer(c.Response, c.Close)}});
    THttpProbe probe;
    probe.Http->SetRequestVer(L"1.1");
    probe.Http->SetOptions({httpoEnableContentCoding});
    probe.Target(server.PortText());
    ASSERT_TRUE(probe.Get()) << probe.Text();
    EXPECT_EQ(probe.DocData, "dcba");
    EXPECT_EQ(server.Requests().at(0).Header("Accept-Encoding"), "x-reversed");
  }
}

namespace {

// A document stream with room for a few bytes. A write that does not fit is either cut short (the
// stream layer then raises its write error, which has no code) or refused with a system error.
class TFullStream : public TMemoryStream {
 public:
  TFullStream(Int64 room, unsigned long errorCode) : room_(room), errorCode_(errorCode) {}
  Int64 Write(const void* buffer, Int64 count) override {
    const Int64 fits = std::min(count, std::max<Int64>(room_ - Position(), 0));
    if (fits < count && errorCode_ != 0) throw EOSError(L"There is not enough space on the disk.", errorCode_);
    return TMemoryStream::Write(buffer, fits);
  }

 private:
  Int64 room_;
  unsigned long errorCode_;
};

}  // namespace

TEST(HttpResponse, AFailedDocumentWriteEndsTheRequestWithAnError) {
  constexpr unsigned long kDiskFull = 112;
  struct Case {
    const char* Name;
    const wchar_t* RequestVer;
    TReply Reply;
    Int64 Room;
    unsigned long WriteError;
    Word Error;
    Int64 Counted;
  } cases[] = {
      {"length, the server closes", L"1.0", {{Ok10({"Content-Length: 5"}, "hello")}, 0, true}, 0, 0, kAborted, 0},
      {"length, the connection kept", L"1.1", {{Response("HTTP/1.1 200 OK", {"Content-Length: 5"}, "hello")}}, 0,
       0, kAborted, 0},
      {"up to the close", L"1.0", {{Ok10({}, "until the close")}, 0, true}, 0, 0, kAborted, 0},
      {"the second chunk", L"1.1",
       {{Response("HTTP/1.1 200 OK", {"Transfer-Encoding: chunked"}, "2\r\nab\r\n3\r\ncde\r\n0\r\n\r\n")}}, 2, 0,
       kAborted, 2},
      {"the write's own code", L"1.1", {{Response("HTTP/1.1 200 OK", {"Content-Length: 5"}, "hello")}}, 0,
       kDiskFull, Word(kDiskFull), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    THttpTestServer server({{c.Reply}});
    THttpProbe probe;
    TFullStream full(c.Room, c.WriteError);
    probe.Http->ReceiveStream = &full;
    probe.Http->SetRequestVer(c.RequestVer);
    probe.Target(server.PortText());
    EXPECT_TRUE(probe.Get(2000)) << probe.Text();
    EXPECT_EQ(probe.DoneCount, 1);
    EXPECT_EQ(probe.DoneError, c.Error);
    EXPECT_EQ(probe.Http->ReceivedCount(), c.Counted);
    EXPECT_EQ(full.Size(), c.Counted);
    EXPECT_EQ(probe.Http->CtrlSocket().State(), wsClosed) << probe.Text();
    EXPECT_EQ(probe.Http->State(), httpReady);
  }
}

TEST_F(HttpResponseWithReversingCoding, ADocumentThatFailsWhenItsDecodersCompleteIsAnError) {
  const char* const framings[] = {"Content-Length: 4", "Transfer-Encoding: chunked"};
  for (const char* framing : framings) {
    SCOPED_TRACE(framing);
    const std::string body = framing[0] == 'C' ? "abcd" : "4\r\nabcd\r\n0\r\n\r\n";
    THttpTestServer server(
        {{Answer(Response("HTTP/1.1 200 OK", {"Content-Encoding: x-reversed", framing}, body))}});
    THttpProbe probe;
    TFullStream full(0, 0);  // the decoder holds every byte until the end
    probe.Http->ReceiveStream = &full;
    probe.Http->SetRequestVer(L"1.1");
    probe.Http->SetOptions({httpoEnableContentCoding});
    probe.Target(server.PortText());
    EXPECT_TRUE(probe.Get(2000)) << probe.Text();
    EXPECT_EQ(probe.DoneCount, 1);
    EXPECT_EQ(probe.DoneError, kAborted);
    EXPECT_EQ(probe.Http->CtrlSocket().State(), wsClosed) << probe.Text();
  }
}
