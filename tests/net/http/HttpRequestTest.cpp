// The request the server sees (proxy and SOCKS forms, optional header lines), misuse, requests
// that fail to start, and aborts, including an abort followed at once by the next request.

#include <gtest/gtest.h>

#include "net/Base64.h"
#include "net/ContentCoding.h"
#include "net/WinsockErrors.h"
#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/rtl/TextEncoding.h"
#include "tests/net/LoopbackServer.h"
#include "tests/net/http/HttpProbe.h"
#include "tests/net/http/HttpTestServer.h"
#include "tests/support/TestSupport.h"

using namespace http_test;
using testing_support::PumpFor;

namespace {

const std::string kOk = Response("HTTP/1.0 200 OK", {"Content-Length: 2"}, "ok");

// Replaces Winsock entries of the suite's binding while alive.
class TWinsockReplacement {
 public:
  TWinsockReplacement() = default;
  ~TWinsockReplacement() { SuiteWinsock().Replacements() = TWinsockApi{}; }
  TWinsockApi& Api() { return SuiteWinsock().Replacements(); }
};

// A lookup that never answers until cancelled.
HANDLE WINAPI StalledLookup(HWND, u_int, const char*, char*, int) { return reinterpret_cast<HANDLE>(0x4711); }
int WINAPI CancelAnything(HANDLE) { return 0; }
HANDLE WINAPI RefusedLookup(HWND, u_int, const char*, char*, int) {
  SuiteWinsock().WSASetLastError(WSAENOBUFS);
  return nullptr;
}
// A lookup that answers "host not found" through the window, as Winsock does.
HANDLE WINAPI UnknownHostLookup(HWND window, u_int message, const char*, char*, int) {
  const HANDLE task = reinterpret_cast<HANDLE>(0x4712);
  PostMessageW(window, message, reinterpret_cast<WPARAM>(task), MAKELONG(0, WSAHOST_NOT_FOUND));
  return task;
}
SOCKET WINAPI NoSocket(int, int, int) {
  SuiteWinsock().WSASetLastError(WSAEMFILE);
  return INVALID_SOCKET;
}

}  // namespace

TEST(HttpRequest, OptionalHeaderLines) {
  THttpTestServer server({{Answer(kOk)}});
  THttpProbe probe;
  THttpCli& http = *probe.Http;
  http.ModifiedSince = EncodeDate(2004, 1, 5);
  http.Sender = L"me@example.test";
  http.Reference = L"http://ref.test/";
  http.AcceptLanguage = L"en";
  http.NoCache = true;
  http.Cookie = L"a=1";
  http.ContentRangeBegin = L"10";
  http.SetOptions({httpoEnableContentCoding, httpoUseQuality});
  probe.Target(server.PortText());
  ASSERT_TRUE(probe.Get());
  const TSeenRequest seen = server.Requests().at(0);
  EXPECT_EQ(seen.Header("If-Modified-Since"), "Mon, 05 Jan 2004 00:00:00 GMT");
  EXPECT_EQ(seen.Header("From"), "me@example.test");
  EXPECT_EQ(seen.Header("Referer"), "http://ref.test/");
  EXPECT_EQ(seen.Header("Accept-Language"), "en");
  EXPECT_EQ(seen.Header("Pragma"), "no-cache");
  EXPECT_EQ(seen.Header("Cookie"), "a=1");
  EXPECT_EQ(seen.Header("Range"), "bytes=10-");
  EXPECT_TRUE(http.ContentRangeBegin.empty());
  // Codings of quality 0 are not announced, so nothing declares every coding unacceptable.
  EXPECT_FALSE(seen.HasHeader("Accept-Encoding"));
  EXPECT_TRUE(http.Options().Contains(httpoEnableContentCoding));
  EXPECT_TRUE(http.Options().Contains(httpoUseQuality));
}

namespace {

// A coding of quality 1, so that "Accept-Encoding:" has something to announce.
class TTestCoding : public THttpContentCoding {
  DECLARE_CLASS(TTestCoding, THttpContentCoding)

 public:
  using THttpContentCoding::THttpContentCoding;
  static String GetCoding(TClass) { return L"x-test"; }
  void WriteBuffer(const void*, Int64) override {}
};
DEFINE_CLASS(TTestCoding)

// The registry is process-wide: the coding is taken out again however the test ends.
class HttpRequestWithTestCoding : public testing::Test {
 protected:
  void SetUp() override { ContCodings().Add(&TTestCoding::ClassInfo(), 1.0f); }
  void TearDown() override { ContCodings().Remove(&TTestCoding::ClassInfo()); }
};

}  // namespace

// A request that sets every optional header: the whole head as the proxy receives it, line for line
// in the order the client must send them.
TEST_F(HttpRequestWithTestCoding, EveryOptionalHeaderLineInItsPlace) {
  THttpTestServer proxy({{Answer(kOk)}});
  THttpProbe probe;
  THttpCli& http = *probe.Http;
  http.Proxy = L"127.0.0.1:" + proxy.PortText();
  http.URL = L"http://origin.test:8080/form?x=1";
  http.Sender = L"me@example.test";
  http.Reference = L"http://ref.test/";
  http.Connection = L"Keep-Alive";
  http.ProxyConnection = L"Keep-Alive";
  http.AcceptLanguage = L"en";
  http.SetOptions({httpoEnableContentCoding});
  http.NoCache = true;
  http.ModifiedSince = EncodeDate(2004, 1, 5);
  http.ServerAuth = httpAuthBasic;
  http.Username = L"user";
  http.Password = L"pass";
  http.ProxyAuth = httpAuthBasic;
  http.ProxyUsername = L"pu";
  http.ProxyPassword = L"pp";
  http.Cookie = L"a=1";
  http.ContentRangeBegin = L"10";
  http.ContentRangeEnd = L"20";
  TMemoryStream body;
  body.WriteBuffer("a=1", 3);
  body.SetPosition(0);
  http.RequestBodyStream = &body;
  http.StartRequestAsync(httpPOST);
  ASSERT_TRUE(probe.WaitDone()) << probe.Text();
  EXPECT_EQ(proxy.Requests().at(0).Head,
            "POST http://origin.test:8080/form?x=1 HTTP/1.0\r\n"
            "From: me@example.test\r\n"
            "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
            "Referer: http://ref.test/\r\n"
            "Connection: Keep-Alive\r\n"
            "Accept-Language: en\r\n"
            "Accept-Encoding: x-test\r\n"
            "Content-Type: application/x-www-form-urlencoded\r\n"
            "User-Agent: Mozilla/4.0 (compatible; Zorvic)\r\n"
            "Host: origin.test:8080\r\n"
            "Pragma: no-cache\r\n"
            "Proxy-Connection: Keep-Alive\r\n"
            "Content-Length: 3\r\n"
            "If-Modified-Since: Mon, 05 Jan 2004 00:00:00 GMT\r\n"
            "Authorization: Basic dXNlcjpwYXNz\r\n"
            "Proxy-Authorization: Basic cHU6cHA=\r\n"
            "Cookie: a=1\r\n"
            "Range: bytes=10-20\r\n"
            "\r\n");
}

TEST(HttpRequest, ThroughAProxyTheRequestLineCarriesTheWholeUrl) {
  THttpTestServer proxy({{Answer(kOk)}});
  THttpProbe probe;
  probe.Http->Proxy = L"127.0.0.1:" + proxy.PortText();
  probe.Http->ProxyAuth = httpAuthBasic;
  probe.Http->ProxyUsername = L"pu";
  probe.Http->ProxyPassword = L"pp";
  probe.Http->URL = L"http://origin.test:8080/a/b.htm?x=1";
  ASSERT_TRUE(probe.Get()) << probe.Text();
  const TSeenRequest seen = proxy.Requests().at(0);
  EXPECT_EQ(seen.RequestLine(), "GET http://origin.test:8080/a/b.htm?x=1 HTTP/1.0");
  EXPECT_EQ(seen.Header("Host"), "origin.test:8080");
  EXPECT_EQ(seen.Header("Proxy-Authorization"), "Basic " + Base64EncodeText("pu:pp"));
  EXPECT_EQ(probe.Http->DocName(), L"b.htm");
  EXPECT_EQ(probe.DocData, "ok");
}

TEST(HttpRequest, ThroughSocks5) {
  THttpTestServer socks({{Answer(kOk)}}, true);
  THttpProbe probe;
  probe.Http->SocksServer = L"127.0.0.1";
  probe.Http->SocksPort = socks.PortText();
  probe.Http->URL = L"http://127.0.0.1:8123/doc";
  ASSERT_TRUE(probe.Get()) << probe.Text();
  EXPECT_EQ(socks.SocksTarget(), "127.0.0.1:8123") << probe.Text() << StringToAnsi(probe.Http->ReasonPhrase());
  EXPECT_EQ(socks.Requests().at(0).RequestLine(), "GET /doc HTTP/1.0");
  EXPECT_EQ(probe.DocData, "ok");
}

TEST(HttpRequest, MisuseRaisesAndLeavesTheClientAsItWas) {
  THttpProbe probe;
  THttpCli& http = *probe.Http;
  auto code = [](auto&& call) -> int {
    try {
      call();
    } catch (EHttpException& E) {
      return E.ErrorCode;
    }
    return 0;
  };
  EXPECT_EQ(code([&] { http.SetRequestVer(L"2.0"); }), 5);
  EXPECT_EQ(code([&] { http.SetRequestVer(L"1.0"); }), 0);
  EXPECT_EQ(code([&] { http.StartRequestAsync(httpPOST); }), 2);
  EXPECT_EQ(http.State(), httpReady);

  THttpTestServer server({{TReply{}}});
  probe.Target(server.PortText());
  http.GetAsync();
  EXPECT_EQ(code([&] { http.GetAsync(); }), 1);
  http.AbortRequest();
}

TEST(HttpRequest, AbortWhileIdleCompletesInsideTheCall) {
  THttpProbe probe;
  probe.Http->AbortRequest();
  EXPECT_EQ(probe.DoneCount, 1);
  EXPECT_EQ(probe.Http->StatusCode(), 200);
  EXPECT_EQ(probe.Http->ReasonPhrase(), L"OK");
}

TEST(HttpRequest, AbortDuringTheLookup) {
  TWinsockReplacement winsock;
  winsock.Api().WSAAsyncGetHostByName = &StalledLookup;
  winsock.Api().WSACancelAsyncRequest = &CancelAnything;
  THttpProbe probe;
  probe.Http->URL = L"http://stalled.test/";
  probe.Http->GetAsync();
  PumpFor(50);
  ASSERT_EQ(probe.Http->State(), httpDnsLookup);
  probe.Http->AbortRequest();
  ASSERT_TRUE(probe.WaitDone()) << probe.Text();
  EXPECT_EQ(probe.DoneCount, 1);
  EXPECT_EQ(probe.DoneError, 3);
  EXPECT_EQ(probe.Http->StatusCode(), 404);
  EXPECT_EQ(probe.Http->ReasonPhrase(), L"Connection aborted on request");
}

TEST(HttpRequest, AnAbortedRequestsLeftoversDoNotReachTheNextRequest) {
  TWinsockReplacement winsock;
  THttpTestServer server({{TReply{}}});
  THttpProbe probe;
  probe.Target(server.PortText());
  probe.Http->GetAsync();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return server.Requests().size() == 1; }));
  probe.Http->AbortRequest();

  winsock.Api().WSAAsyncGetHostByName = &StalledLookup;
  winsock.Api().WSACancelAsyncRequest = &CancelAnything;
  probe.Http->URL = L"http://stalled.test/";
  probe.Http->GetAsync();
  PumpFor(200);
  EXPECT_EQ(probe.Http->State(), httpDnsLookup) << probe.Text();
  EXPECT_EQ(probe.DoneCount, 0) << probe.Text();

  probe.Http->AbortRequest();
  ASSERT_TRUE(probe.WaitDone());
  EXPECT_EQ(probe.DoneCount, 1) << probe.Text();
}

TEST(HttpRequest, RequestsThatCannotStartStillComplete) {
  const String refusedPort = IntToStr(net_test::UnusedPort());
  struct Case {
    const char* Name;
    String Url;
    void (*Arrange)(TWinsockApi&);
    Word Error;
    std::string ReasonStart;
  } cases[] = {
      {"unresolvable name", L"http://no-such-host.invalid/",
       [](TWinsockApi& api) { api.WSAAsyncGetHostByName = &UnknownHostLookup; }, WSAHOST_NOT_FOUND,
       "can't resolve hostname to IP address"},
      {"refused port", L"http://127.0.0.1:" + refusedPort + L"/", nullptr, WSAECONNREFUSED,
       StringToAnsi(WinsockErrorText(WSAECONNREFUSED)) + " (Error #10061)"},
      {"lookup cannot start", L"http://some.host.test/", [](TWinsockApi& api) { api.WSAAsyncGetHostByName = &RefusedLookup; },
       WSAEINVAL, "some.host.test: can't start DNS lookup - "},
      {"no socket", L"http://127.0.0.1:81/", [](TWinsockApi& api) { api.socket = &NoSocket; }, WSAEMFILE,
       "can't connect: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TWinsockReplacement winsock;
    if (c.Arrange) c.Arrange(winsock.Api());
    THttpProbe probe;
    int socketErrors = 0;
    probe.Http->OnSocketError = [&](TObject*) { ++socketErrors; };
    probe.Http->URL = c.Url;
    probe.Http->GetAsync();
    ASSERT_TRUE(probe.WaitDone()) << probe.Text();
    EXPECT_EQ(probe.DoneCount, 1);
    EXPECT_EQ(probe.Http->StatusCode(), 404);
    EXPECT_EQ(probe.Http->State(), httpReady);
    EXPECT_EQ(probe.DoneError, c.Error);
    const std::string reason = StringToAnsi(probe.Http->ReasonPhrase());
    EXPECT_EQ(reason.substr(0, c.ReasonStart.size()), c.ReasonStart) << reason;
    // Failures to start are reported to the socket's error event too; a lookup's answer is not.
    EXPECT_EQ(socketErrors, c.Error == WSAEINVAL || c.Error == WSAEMFILE ? 1 : 0);
  }
}
