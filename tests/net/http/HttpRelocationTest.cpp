// Relocations: on a new connection and on the kept one, POST turned into GET, the relocation
// limit, and one OnRequestDone per request.

#include <gtest/gtest.h>

#include "platform/framework/rtl/TextEncoding.h"
#include "tests/net/http/HttpProbe.h"
#include "tests/net/http/HttpTestServer.h"

using namespace http_test;

namespace {

std::string Chunked11(const std::string& status, const std::vector<std::string>& headers) {
  std::vector<std::string> all = headers;
  all.push_back("Transfer-Encoding: chunked");
  return Response("HTTP/1.1 " + status, all, "0\r\n\r\n");
}

const std::string kOk11 = Response("HTTP/1.1 200 OK", {"Content-Length: 2"}, "ok");

}  // namespace

TEST(HttpRelocation, AClosedConnectionRelocatesOnANewOne) {
  THttpTestServer server({{Answer(Response("HTTP/1.0 302 Found", {"Location: /new"}))},
                          {Answer(Response("HTTP/1.0 200 OK", {"Content-Length: 2"}, "ok"))}});
  THttpProbe probe;
  probe.Target(server.PortText(), L"/old");
  ASSERT_TRUE(probe.Get()) << probe.Text();
  const std::vector<TSeenRequest> seen = server.Requests();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].RequestLine(), "GET /new HTTP/1.0");
  EXPECT_EQ(seen[1].Connection, 1);
  EXPECT_EQ(probe.Count("LocationChange"), 1) << probe.Text();
  EXPECT_EQ(probe.Count("RequestDone 0"), 1);
  EXPECT_EQ(probe.Http->StatusCode(), 200);
  EXPECT_EQ(probe.DocData, "ok");
  EXPECT_EQ(probe.Http->DocName(), L"new");
  // Found without a body while the connection may stay, then followed after its close: two counts.
  EXPECT_EQ(probe.Http->LocationChangeCurCount(), 2);
}

TEST(HttpRelocation, AKeptConnectionCarriesTheRelocatedRequest) {
  struct Case {
    const char* Name;
    std::string Relocation;
  } cases[] = {
      {"chunked", Chunked11("302 Found", {"Location: /dir/next"})},
      {"known length", Response("HTTP/1.1 301 Moved", {"Location: next", "Content-Length: 5"}, "moved")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    THttpTestServer server({{Answer(c.Relocation), Answer(kOk11)}});
    THttpProbe probe;
    probe.Http->SetRequestVer(L"1.1");
    probe.Target(server.PortText(), L"/dir/first");
    ASSERT_TRUE(probe.Get()) << probe.Text();
    const std::vector<TSeenRequest> seen = server.Requests();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].RequestLine(), "GET /dir/next HTTP/1.1");
    EXPECT_EQ(seen[1].Connection, 0);
    EXPECT_EQ(probe.DoneCount, 1) << probe.Text();
    EXPECT_EQ(probe.Http->StatusCode(), 200);
    EXPECT_EQ(StringToAnsi(probe.Http->Location()), "http://127.0.0.1/dir/next");
  }
}

TEST(HttpRelocation, ARelocationWithoutBodyOnAKeptConnectionIsNotFollowed) {
  THttpTestServer server({{Answer(Response("HTTP/1.1 302 Found", {"Location: /elsewhere"}))}});
  THttpProbe probe;
  probe.Http->SetRequestVer(L"1.1");
  probe.Target(server.PortText());
  ASSERT_TRUE(probe.Get());
  EXPECT_EQ(probe.Http->StatusCode(), 302);
  EXPECT_EQ(StringToAnsi(probe.Http->Location()), "http://127.0.0.1/elsewhere");
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(HttpRelocation, APostIsRepeatedAsAGet) {
  THttpTestServer server({{Answer(Response("HTTP/1.0 303 See Other", {"Location: /result", "Content-Length: 4"}, "seen"))},
                          {Answer(Response("HTTP/1.0 200 OK", {"Content-Length: 2"}, "ok"))}});
  THttpProbe probe;
  TMemoryStream body;
  body.WriteBuffer("a=1", 3);
  body.SetPosition(0);
  probe.Http->RequestBodyStream = &body;
  probe.Target(server.PortText(), L"/form");
  probe.Http->StartRequestAsync(httpPOST);
  ASSERT_TRUE(probe.WaitDone()) << probe.Text();
  const std::vector<TSeenRequest> seen = server.Requests();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].RequestLine(), "POST /form HTTP/1.0");
  EXPECT_EQ(seen[0].Body, "a=1");
  EXPECT_EQ(seen[1].RequestLine(), "GET /result HTTP/1.0");
  EXPECT_FALSE(seen[1].HasHeader("Content-Length"));
  EXPECT_EQ(probe.Http->RequestType(), httpGET);
  EXPECT_EQ(probe.DoneCount, 1);
  // The relocation's own body does not stay in the stream.
  EXPECT_EQ(probe.Received.Size(), 2);
}

TEST(HttpRelocation, TheLimitStopsUnlessTheHandlerAllowsMore) {
  for (bool allow : {false, true}) {
    SCOPED_TRACE(allow ? "allowed" : "stopped");
    THttpTestServer server({{Answer(Chunked11("302 Found", {"Location: /b"})),
                             Answer(Chunked11("302 Found", {"Location: /c"})), Answer(kOk11)}});
    THttpProbe probe;
    probe.Http->SetRequestVer(L"1.1");
    probe.Http->LocationChangeMaxCount = 1;
    std::vector<int> asked;
    if (allow)
      probe.Http->OnLocationChangeExceeded = [&](TObject*, int count, bool& more) {
        asked.push_back(count);
        more = true;
      };
    probe.Target(server.PortText(), L"/a");
    ASSERT_TRUE(probe.Get()) << probe.Text();
    EXPECT_EQ(probe.DoneCount, 1);
    EXPECT_EQ(probe.Http->StatusCode(), allow ? 200 : 302);
    EXPECT_EQ(server.Requests().size(), allow ? 3u : 2u);
    if (allow) {
      EXPECT_EQ(asked, std::vector<int>{2});
    }
  }
}

TEST(HttpRelocation, ASchemeWithoutHostKeepsTheServer) {
  THttpTestServer server({{Answer(Response("HTTP/1.0 302 Found", {"Location: http:///x"}))},
                          {Answer(Response("HTTP/1.0 200 OK", {"Content-Length: 2"}, "ok"))}});
  THttpProbe probe;
  probe.Target(server.PortText(), L"/a");
  ASSERT_TRUE(probe.Get()) << probe.Text();
  const std::vector<TSeenRequest> seen = server.Requests();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].RequestLine(), "GET /x HTTP/1.0");
  EXPECT_EQ(seen[1].Header("Host"), "127.0.0.1:" + StringToAnsi(server.PortText()));
  EXPECT_EQ(probe.Http->StatusCode(), 200);
}

TEST(HttpRelocation, AnAbsoluteLocationMovesToTheOtherServerAndPort) {
  THttpTestServer second({{Answer(Response("HTTP/1.0 200 OK", {"Content-Length: 2"}, "ok"))}});
  const std::string secondAddress = "127.0.0.1:" + StringToAnsi(second.PortText());
  THttpTestServer first({{Answer(Response("HTTP/1.0 301 Moved", {"Location: http://" + secondAddress + "/z"}))}});
  THttpProbe probe;
  probe.Target(first.PortText(), L"/a");
  ASSERT_TRUE(probe.Get()) << probe.Text();
  const std::vector<TSeenRequest> seen = second.Requests();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].RequestLine(), "GET /z HTTP/1.0");
  EXPECT_EQ(seen[0].Header("Host"), secondAddress);
  EXPECT_EQ(probe.DocData, "ok");
}

TEST(HttpRelocation, TheRelocatedResponseIsCountedFromZero) {
  // The relocation's body runs to the close; the next response has a length on a kept connection.
  THttpTestServer server({{Answer(Response("HTTP/1.0 303 See Other", {"Location: /next"}, "a body to the close"), true)},
                          {Answer(Response("HTTP/1.1 200 OK", {"Content-Length: 2"}, "ok"))}});
  THttpProbe probe;
  probe.Http->SetRequestVer(L"1.1");
  probe.Target(server.PortText(), L"/first");
  ASSERT_TRUE(probe.Get()) << probe.Text();
  EXPECT_EQ(probe.Http->StatusCode(), 200);
  EXPECT_EQ(probe.Http->ReceivedCount(), 2);
  EXPECT_EQ(probe.DoneError, 0);
  EXPECT_EQ(probe.Http->CtrlSocket().State(), wsConnected);
}

TEST(HttpRelocation, AfterTheCloseTheRelocatedRequestGoesToTheSameProxy) {
  // An absolute location names port 80 for the next server; the connection must still go to the
  // port the proxy text gave, and ProxyPort (wrong here) applies only to a proxy named without one.
  struct Case {
    std::string Location;
    std::string NextRequestLine;
  } cases[] = {
      {"/new", "GET http://target.test/new HTTP/1.0"},
      {"http://elsewhere.test/new", "GET http://elsewhere.test/new HTTP/1.0"},
      {"http://elsewhere.test:8080/new", "GET http://elsewhere.test:8080/new HTTP/1.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Location);
    THttpTestServer proxy({{Answer(Response("HTTP/1.0 302 Found", {"Location: " + c.Location}), true)},
                           {Answer(Response("HTTP/1.0 200 OK", {"Content-Length: 2"}, "ok"), true)}});
    THttpProbe probe;
    probe.Http->Proxy = L"127.0.0.1:" + proxy.PortText();
    probe.Http->ProxyPort = L"1";
    probe.Http->URL = L"http://target.test/old";
    ASSERT_TRUE(probe.Get()) << probe.Text();
    const std::vector<TSeenRequest> seen = proxy.Requests();
    ASSERT_EQ(seen.size(), 2u) << probe.Text();
    EXPECT_EQ(seen[1].Connection, 1);
    EXPECT_EQ(seen[1].RequestLine(), c.NextRequestLine);
    EXPECT_EQ(probe.DoneError, 0);
    EXPECT_EQ(probe.Http->StatusCode(), 200);
    EXPECT_EQ(probe.DocData, "ok");
  }
}
