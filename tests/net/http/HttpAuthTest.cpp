// Basic and NTLM authentication against a scripted server and a scripted proxy: the retried
// requests, the rewound body, refused credentials and the options that switch a scheme off.

#include <gtest/gtest.h>

#include "net/Base64.h"
#include "platform/framework/rtl/TextEncoding.h"
#include "tests/net/http/HttpProbe.h"
#include "tests/net/http/HttpTestServer.h"

using namespace http_test;

namespace {

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string text;
  for (unsigned char c : bytes) text += {digits[c >> 4], digits[c & 15]};
  return text;
}

std::uint32_t Le(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<Byte>(bytes[at + i]);
  return value;
}

// A challenge message (type 2) carrying the published example's server challenge.
std::string ChallengeMessage() {
  std::string message(48, '\0');
  message.replace(0, 8, std::string("NTLMSSP\0", 8));
  message[8] = 2;
  message.replace(24, 8, "\x01\x23\x45\x67\x89\xab\xcd\xef");
  return Base64EncodeText(message);
}

// The NT response of an authenticate message given as "NTLM <base64>".
std::string NtResponseOf(const std::string& authorization) {
  const std::string message = Base64DecodeText(authorization.substr(5));
  if (message.size() < 28 || Le(message, 8, 4) != 3) return "not an authenticate message";
  return message.substr(Le(message, 24, 4), Le(message, 20, 2));
}

const char kNtOfPassword[] = "67c43011f30298a2ad35ece64f16331c44bdbed927841f94";

std::string Status(const std::string& status, const std::vector<std::string>& headers, const std::string& body = "") {
  std::vector<std::string> all = headers;
  all.push_back("Content-Length: " + std::to_string(body.size()));
  return Response("HTTP/1.1 " + status, all, body);
}

const std::string kOk = Status("200 OK", {}, "ok");

void StartPost(THttpProbe& probe, TMemoryStream& body, const char* text) {
  body.WriteBuffer(text, static_cast<Int64>(std::strlen(text)));
  body.SetPosition(0);
  probe.Http->RequestBodyStream = &body;
  probe.Http->StartRequestAsync(httpPOST);
}

}  // namespace

TEST(HttpAuth, BasicRetriesAPostWithItsBodyRewound) {
  THttpTestServer server({{Answer(Response("HTTP/1.0 401 Unauthorized", {"WWW-Authenticate: Basic realm=\"r\"",
                                                                          "Content-Length: 6"},
                                           "denied"))},
                          {Answer(Response("HTTP/1.0 200 OK", {"Content-Length: 2"}, "ok"))}});
  THttpProbe probe;
  probe.Http->Username = L"user";
  probe.Http->Password = L"pass";
  probe.Target(server.PortText(), L"/form");
  TMemoryStream body;
  StartPost(probe, body, "a=1");
  ASSERT_TRUE(probe.WaitDone()) << probe.Text();
  const std::vector<TSeenRequest> seen = server.Requests();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_FALSE(seen[0].HasHeader("Authorization"));
  EXPECT_EQ(seen[1].Header("Authorization"), "Basic dXNlcjpwYXNz");
  EXPECT_EQ(seen[1].Body, "a=1");
  EXPECT_EQ(probe.Http->StatusCode(), 200);
  EXPECT_EQ(probe.DoneCount, 1);
  EXPECT_EQ(probe.Received.Size(), 2);  // the refusal's body was cut away again
}

TEST(HttpAuth, NtlmNegotiatesWithoutBodyThenSendsItWithTheAuthenticateMessage) {
  THttpTestServer server({{Answer(Status("401 Unauthorized", {"WWW-Authenticate: NTLM"})),
                           Answer(Status("401 Unauthorized", {"WWW-Authenticate: NTLM " + ChallengeMessage()})),
                           Answer(kOk)}});
  THttpProbe probe;
  probe.Http->SetRequestVer(L"1.1");
  probe.Http->Username = L"user";
  probe.Http->Password = L"Password";
  probe.Target(server.PortText(), L"/form");
  TMemoryStream body;
  StartPost(probe, body, "a=1");
  ASSERT_TRUE(probe.WaitDone()) << probe.Text();
  const std::vector<TSeenRequest> seen = server.Requests();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].Body, "a=1");
  EXPECT_EQ(seen[1].Header("Content-Length"), "0");
  EXPECT_EQ(seen[1].Body, "");
  EXPECT_EQ(seen[1].Header("Authorization").substr(0, 5), "NTLM ");
  EXPECT_EQ(Le(Base64DecodeText(seen[1].Header("Authorization").substr(5)), 8, 4), 1u);
  EXPECT_EQ(Hex(NtResponseOf(seen[2].Header("Authorization"))), kNtOfPassword);
  EXPECT_EQ(seen[2].Body, "a=1");
  EXPECT_EQ(seen[2].Connection, 0);
  EXPECT_EQ(probe.Http->StatusCode(), 200);
  EXPECT_EQ(probe.DoneCount, 1);
}

TEST(HttpAuth, RefusedCredentialsEndTheRequest) {
  struct Case {
    const char* Name;
    TConnectionScript Script;
    size_t Requests;
  } cases[] = {
      {"NTLM: a second 401 after the authenticate message",
       {Answer(Status("401 Unauthorized", {"WWW-Authenticate: NTLM"})),
        Answer(Status("401 Unauthorized", {"WWW-Authenticate: NTLM " + ChallengeMessage()})),
        Answer(Status("401 Unauthorized", {"WWW-Authenticate: NTLM"}))},
       3},
      {"Basic: a second 401",
       {Answer(Status("401 Unauthorized", {"WWW-Authenticate: Basic realm=\"r\""})),
        Answer(Status("401 Unauthorized", {"WWW-Authenticate: Basic realm=\"r\""}))},
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    THttpTestServer server({c.Script});
    THttpProbe probe;
    probe.Http->SetRequestVer(L"1.1");
    probe.Http->Username = L"user";
    probe.Http->Password = L"Password";
    probe.Target(server.PortText());
    ASSERT_TRUE(probe.Get()) << probe.Text();
    EXPECT_EQ(probe.Http->StatusCode(), 401);
    EXPECT_EQ(probe.Http->AuthChallenges().Count(), 0);
    EXPECT_EQ(server.Requests().size(), c.Requests);
    EXPECT_EQ(probe.DoneCount, 1);
  }
}

TEST(HttpAuth, NoBasicAuthWithBasicUpFrontDoesNotRetry) {
  THttpTestServer server({{Answer(Status("401 Unauthorized", {"WWW-Authenticate: Basic realm=\"r\""})), Answer(kOk)}});
  THttpProbe probe;
  probe.Http->SetRequestVer(L"1.1");
  probe.Http->Username = L"user";
  probe.Http->Password = L"pass";
  probe.Http->ServerAuth = httpAuthBasic;
  probe.Http->SetOptions({httpoNoBasicAuth});
  probe.Target(server.PortText());
  ASSERT_TRUE(probe.Get()) << probe.Text();
  EXPECT_EQ(probe.Http->StatusCode(), 401);
  const std::vector<TSeenRequest> seen = server.Requests();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Header("Authorization"), "Basic dXNlcjpwYXNz");
}

TEST(HttpAuth, TheUrlsCredentialsAnswerABasicChallenge) {
  THttpTestServer server({{Answer(Status("401 Unauthorized", {"WWW-Authenticate: Basic realm=\"r\""})), Answer(kOk)}});
  THttpProbe probe;
  probe.Http->SetRequestVer(L"1.1");
  probe.Http->Username = L"ignored";
  probe.Http->Password = L"ignored";
  probe.Http->URL = L"http://user:pw@127.0.0.1:" + server.PortText() + L"/a/b.htm?x=1";
  ASSERT_TRUE(probe.Get()) << probe.Text();
  const std::vector<TSeenRequest> seen = server.Requests();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].RequestLine(), "GET /a/b.htm?x=1 HTTP/1.1");
  EXPECT_EQ(seen[0].Header("Host"), "127.0.0.1:" + StringToAnsi(server.PortText()));
  EXPECT_EQ(seen[1].Header("Authorization"), "Basic " + Base64EncodeText("user:pw"));
  EXPECT_EQ(probe.Http->DocName(), L"b.htm");
}

TEST(HttpAuth, ProxyChallengesAreAnsweredWithProxyAuthorization) {
  struct Case {
    const char* Name;
    std::string Challenge;
  } cases[] = {{"Basic", "Basic realm=\"proxy\""}, {"NTLM", "NTLM"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const bool ntlm = c.Challenge == "NTLM";
    TConnectionScript script = {Answer(Status("407 Proxy Authentication Required", {"Proxy-Authenticate: " + c.Challenge}))};
    if (ntlm)
      script.push_back(Answer(
          Status("407 Proxy Authentication Required", {"Proxy-Authenticate: NTLM " + ChallengeMessage()})));
    script.push_back(Answer(kOk));
    THttpTestServer proxy({script});
    THttpProbe probe;
    probe.Http->SetRequestVer(L"1.1");
    probe.Http->Proxy = L"127.0.0.1:" + proxy.PortText();
    probe.Http->ProxyUsername = L"user";
    probe.Http->ProxyPassword = L"Password";
    probe.Http->URL = L"http://origin.test/page";
    ASSERT_TRUE(probe.Get()) << probe.Text();
    const std::vector<TSeenRequest> seen = proxy.Requests();
    ASSERT_EQ(seen.size(), ntlm ? 3u : 2u);
    EXPECT_EQ(seen[0].RequestLine(), "GET http://origin.test/page HTTP/1.1");
    const std::string last = seen.back().Header("Proxy-Authorization");
    if (ntlm) EXPECT_EQ(Hex(NtResponseOf(last)), kNtOfPassword);
    else EXPECT_EQ(last, "Basic " + Base64EncodeText("user:Password"));
    EXPECT_FALSE(seen.back().HasHeader("Authorization"));
    EXPECT_EQ(probe.Http->StatusCode(), 200);
  }
}
