// The other ways of running a request: the synchronous run, HEAD, the close request, bandwidth
// control and the trace lines handed to a logger.

#include <algorithm>

#include <gtest/gtest.h>

#include "net/IcsLogger.h"
#include "platform/framework/rtl/TextEncoding.h"
#include "tests/net/http/HttpProbe.h"
#include "tests/net/http/HttpTestServer.h"
#include "tests/support/TestSupport.h"

using namespace http_test;

TEST(HttpModes, TheSynchronousRunRaisesForAnErrorStatus) {
  THttpTestServer server({{Answer(Response("HTTP/1.0 200 OK", {"Content-Length: 2"}, "ok"))},
                          {Answer(Response("HTTP/1.0 404 Not Found", {"Content-Length: 0"}))},
                          {Answer(Response("HTTP/1.0 401 Unauthorized", {"Content-Length: 0"}))}});
  THttpProbe probe;
  probe.Target(server.PortText());
  probe.Http->RunRequestSync(httpGET);
  EXPECT_EQ(probe.Http->State(), httpReady);
  EXPECT_EQ(probe.DocData, "ok");
  try {
    probe.Http->RunRequestSync(httpGET);
    ADD_FAILURE() << "no exception for 404";
  } catch (EHttpException& E) {
    EXPECT_EQ(E.ErrorCode, 404);
    EXPECT_EQ(E.Message(), L"Not Found");
  }
  EXPECT_NO_THROW(probe.Http->RunRequestSync(httpGET));  // 401 and 407 are left to the caller
  EXPECT_EQ(probe.Http->StatusCode(), 401);
}

TEST(HttpModes, HeadTakesNoBody) {
  for (const wchar_t* version : {L"1.0", L"1.1"}) {
    SCOPED_TRACE(StringToAnsi(version));
    THttpTestServer server({{Answer(Response("HTTP/1.1 200 OK", {"Content-Length: 100"}))}});
    THttpProbe probe;
    probe.Http->SetRequestVer(version);
    probe.Target(server.PortText());
    probe.Http->StartRequestAsync(httpHEAD);
    ASSERT_TRUE(probe.WaitDone()) << probe.Text();
    EXPECT_EQ(server.Requests().at(0).RequestLine(), "HEAD / HTTP/" + StringToAnsi(version));
    EXPECT_EQ(probe.Http->StatusCode(), 200);
    EXPECT_EQ(probe.Http->ContentLength(), 100);
    EXPECT_FALSE(probe.Has("DocBegin"));
    EXPECT_EQ(probe.DoneError, 0);
  }
}

TEST(HttpModes, TheCloseRequestEndsAKeptConnection) {
  THttpTestServer server({{Answer(Response("HTTP/1.1 200 OK", {"Content-Length: 2"}, "ok"))}});
  THttpProbe probe;
  probe.Http->SetRequestVer(L"1.1");
  probe.Target(server.PortText());
  ASSERT_TRUE(probe.Get());
  ASSERT_EQ(probe.Http->CtrlSocket().State(), wsConnected);
  probe.Http->StartRequestAsync(httpCLOSE);
  ASSERT_TRUE(probe.WaitDone()) << probe.Text();
  EXPECT_EQ(probe.Http->CtrlSocket().State(), wsClosed);
  EXPECT_EQ(probe.Http->StatusCode(), 200);
  EXPECT_EQ(probe.Http->ReasonPhrase(), L"OK");
  EXPECT_EQ(probe.DoneCount, 2);
}

TEST(HttpModes, BandwidthControlSpreadsTheBodyOverTime) {
  const std::string body(40000, 'b');
  THttpTestServer server({{Answer(Response("HTTP/1.0 200 OK", {"Content-Length: 40000"}, body))}});
  THttpProbe probe;
  probe.Http->SetOptions({httpoBandwidthControl});
  probe.Http->BandwidthLimit = 40000;
  probe.Http->BandwidthSampling = 250;  // 10000 bytes per quarter second
  probe.Target(server.PortText());
  const DWORD start = GetTickCount();
  ASSERT_TRUE(probe.Get(10000)) << probe.Text();
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_TRUE(probe.DocData == body);
  EXPECT_GE(elapsed, 500u);
  EXPECT_EQ(probe.DoneError, 0);
}

TEST(HttpModes, TraceLinesGoToTheLogger) {
  THttpTestServer server({{Answer(Response("HTTP/1.0 200 OK", {"Content-Length: 2"}, "ok"))}});
  ObjectPtr<TIcsLogger> logger(NewObject<TIcsLogger>(nullptr));
  std::vector<std::string> lines;
  logger->SetLogOptions({loDestEvent, loProtSpecInfo});
  logger->SetOnIcsLogEvent([&](TObject*, TLogOption, const String& text) { lines.push_back(StringToAnsi(text)); });
  THttpProbe probe;
  probe.Http->SetIcsLogger(logger.get());
  probe.Target(server.PortText());
  ASSERT_TRUE(probe.Get());
  for (const char* expected : {"State = httpDnsLookup", "End of header", "End of document", "State = httpReady"})
    EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
  EXPECT_EQ(HttpStateText(42), L"State = INVALID STATE");
  probe.Http->SetIcsLogger(nullptr);
}
