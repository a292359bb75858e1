// The SOCKS exchange: requests as the proxy receives them, replies scripted through the receive
// seam in chosen pieces, and the settings checks.

#include <gtest/gtest.h>

#include "platform/framework/base/Utf8.h"
#include "tests/net/ScriptedReceive.h"
#include "tests/net/SocketEvents.h"
#include "tests/support/TestSupport.h"

using namespace net_test;
using testing_support::PumpUntil;

namespace {

const char* AuthStateName(TSocksAuthState state) {
  static const char* const names[] = {"start", "success", "failure", "notrequired"};
  return names[state];
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

const std::string kSocks5Success = Bytes({5, 0, 0, 1, 127, 0, 0, 1, 0x1F, 0x90});
const std::string kSocks4Success = Bytes({0, 90, 0, 0, 0, 0, 0, 0});

// A client that reaches "example.test" port 80 through the loopback peer acting as proxy. The
// peer records the requests; the replies come through the seam.
struct TSocksClient {
  TLoopbackServer Proxy{ReadAllSession};
  TEventLog Log;
  TSocketPtr Socket{NewObject<TWSocket>(nullptr)};
  TScriptedReceive Script;

  TSocksClient(const String& level, TSocksAuthentication auth = socksNoAuthentication,
               const String& addr = L"example.test") {
    Socket->SetAddr(addr);
    Socket->SetPort(L"80");
    Socket->SetSocksServer(L"127.0.0.1");
    Socket->SetSocksPort(Proxy.PortText());
    Socket->SetSocksLevel(level);
    Socket->SocksAuthentication = auth;
    Socket->SocksUsercode = L"user";
    Socket->SocksPassword = L"pass";
    Log.RecordSent = false;  // the requests to the proxy are sent data too
    Log.Attach(*Socket);
    Socket->OnSocksConnected = [this](TObject*, Word error) { Log.Add("socks connected " + std::to_string(error)); };
    Socket->OnSocksAuthState = [this](TObject*, TSocksAuthState state) {
      Log.Add(std::string("auth ") + AuthStateName(state));
    };
    Socket->OnSocksError = [this](TObject*, int error, const String& msg) {
      Log.Add("socks error " + std::to_string(error) + " " + Utf8Encode(msg));
    };
  }

  // Connects to the proxy and waits until it has the first request of requestSize bytes.
  void Connect(std::size_t requestSize) {
    Socket->Connect();
    EXPECT_TRUE(PumpUntil([&] { return Log.Has("socks connected 0"); })) << Log.Text();
    WaitForRequests(requestSize);
  }
  void WaitForRequests(std::size_t size) {
    EXPECT_TRUE(PumpUntil([&] { return Proxy.Received().size() >= size; })) << Proxy.Received().size();
  }
  void Reply(const std::string& bytes) { Script.DeliverBytewise(*Socket, bytes); }
};

}  // namespace

TEST(Socks, Version5WithoutAuthenticationDeliversTheDataBehindTheReply) {
  TSocksClient client(L"5");
  client.Connect(3);
  EXPECT_EQ(client.Proxy.Received(), Bytes({5, 1, 0}));
  client.Reply(Bytes({5, 0}));
  const std::string request = Bytes({5, 1, 0, 3, 12}) + "example.test" + Bytes({0, 80});
  client.WaitForRequests(3 + request.size());
  EXPECT_EQ(client.Proxy.Received().substr(3), request);

  client.Reply(kSocks5Success.substr(0, 4));
  EXPECT_FALSE(client.Log.Has("connected 0")) << "the reply is not complete yet";
  client.Script.Deliver(*client.Socket, kSocks5Success.substr(4) + "HELLO");
  EXPECT_EQ(client.Log.Text(), "closed>opened; opened>connecting; connecting>connected; socks connected 0; "
                               "connected 0; data");
  EXPECT_EQ(client.Log.Data, "HELLO");
  EXPECT_EQ(client.Socket->SocksBoundAddr, L"127.0.0.1");
  EXPECT_EQ(client.Socket->SocksBoundPort, L"8080");
}

TEST(Socks, Version5WithUserAndPassword) {
  TSocksClient client(L"5", socksAuthenticateUsercode);
  client.Connect(3);
  EXPECT_EQ(client.Proxy.Received(), Bytes({5, 1, 2}));
  client.Reply(Bytes({5, 2}));
  const std::string authentication = Bytes({1, 4}) + "user" + Bytes({4}) + "pass";
  client.WaitForRequests(3 + authentication.size());
  EXPECT_EQ(client.Proxy.Received().substr(3), authentication);
  client.Reply(Bytes({1, 0}));
  client.Reply(kSocks5Success);
  EXPECT_TRUE(client.Log.Has("connected 0")) << client.Log.Text();
  EXPECT_NE(client.Log.Text().find("auth start; auth success; connected 0"), std::string::npos) << client.Log.Text();
}

TEST(Socks, Version4AndVersion4ARequests) {
  struct Case {
    const wchar_t* Level;
    const wchar_t* Addr;
    std::string Request;
  } cases[] = {
      {L"4", L"127.0.0.1", Bytes({4, 1, 0, 80, 127, 0, 0, 1}) + "user" + Bytes({0})},
      {L"4a", L"example.test", Bytes({4, 1, 0, 80, 0, 0, 0, 1}) + "user" + Bytes({0}) + "example.test" + Bytes({0})},
  };
  for (const Case& c : cases) {
    TSocksClient client(c.Level, socksNoAuthentication, c.Addr);
    client.Connect(c.Request.size());
    EXPECT_EQ(client.Proxy.Received(), c.Request) << Utf8Encode(c.Level);
    client.Reply(kSocks4Success);
    EXPECT_TRUE(client.Log.Has("connected 0")) << client.Log.Text();
  }
}

TEST(Socks, LongVersion4UserIdsGoOutWhole) {
  TSocksClient client(L"4", socksNoAuthentication, L"127.0.0.1");
  const std::string user(300, 'u');
  client.Socket->SocksUsercode = String(user.begin(), user.end());
  const std::string request = Bytes({4, 1, 0, 80, 127, 0, 0, 1}) + user + Bytes({0});
  client.Connect(request.size());
  EXPECT_EQ(client.Proxy.Received(), request);
}

TEST(Socks, FailuresReportTheirCodeThenConnectedAndClosedWithIt) {
  struct Case {
    const wchar_t* Level;
    TSocksAuthentication Auth;
    std::vector<std::string> Replies;
    std::string Error;
  } cases[] = {
      {L"5", socksNoAuthentication, {Bytes({4, 0})}, "20002 socks version error"},
      {L"5", socksNoAuthentication, {Bytes({5, 0xFF})}, "20003 authentification method not acceptable"},
      {L"5", socksAuthenticateUsercode, {Bytes({5, 2}), Bytes({1, 1})}, "20015 socks authentication failed"},
      {L"5", socksNoAuthentication, {Bytes({5, 0}), Bytes({5, 1})}, "20004 general SOCKS server failure"},
      {L"5", socksNoAuthentication, {Bytes({5, 0}), Bytes({5, 2})}, "20005 connection not allowed by ruleset"},
      {L"5", socksNoAuthentication, {Bytes({5, 0}), Bytes({5, 3})}, "20006 network unreachable"},
      {L"5", socksNoAuthentication, {Bytes({5, 0}), Bytes({5, 4})}, "20007 host unreachable"},
      {L"5", socksNoAuthentication, {Bytes({5, 0}), Bytes({5, 5})}, "20008 connection refused"},
      {L"5", socksNoAuthentication, {Bytes({5, 0}), Bytes({5, 6})}, "20009 time to live expired"},
      {L"5", socksNoAuthentication, {Bytes({5, 0}), Bytes({5, 7})}, "20010 command not supported"},
      {L"5", socksNoAuthentication, {Bytes({5, 0}), Bytes({5, 8})}, "20011 address type not supported"},
      {L"5", socksNoAuthentication, {Bytes({5, 0}), Bytes({5, 9})}, "20012 unassigned error #9"},
      {L"5", socksNoAuthentication, {Bytes({5, 0}), Bytes({5, 0, 0, 4, 0})}, "20011 address type not supported"},
      {L"4", socksNoAuthentication, {Bytes({0, 91, 0, 0, 0, 0, 0, 0})}, "20016 request rejected or failed"},
      {L"4", socksNoAuthentication, {Bytes({0, 92, 0, 0, 0, 0, 0, 0})}, "20008 connection refused"},
      {L"4", socksNoAuthentication, {Bytes({0, 93, 0, 0, 0, 0, 0, 0})}, "20015 authentification failed"},
      {L"4", socksNoAuthentication, {Bytes({0, 94, 0, 0, 0, 0, 0, 0})}, "20012 unassigned error #94"},
      {L"4", socksNoAuthentication, {Bytes({1, 90, 0, 0, 0, 0, 0, 0})}, "20002 socks version error"},
  };
  for (const Case& c : cases) {
    TSocksClient client(c.Level, c.Auth, L"127.0.0.1");
    client.Connect(3);
    for (const std::string& reply : c.Replies) client.Reply(reply);
    const std::string code = c.Error.substr(0, 5);
    EXPECT_TRUE(client.Log.Has("socks error " + c.Error)) << c.Error << ": " << client.Log.Text();
    const std::string text = client.Log.Text();
    const std::size_t error = text.find("socks error"), connected = text.find("connected " + code),
                      closed = text.find("closed " + code);
    EXPECT_TRUE(error < connected && connected < closed) << c.Error << ": " << text;
    EXPECT_EQ(client.Socket->State(), wsClosed);
  }
}

TEST(Socks, TooMuchAuthenticationReplyIsALogicError) {
  TSocksClient client(L"5", socksAuthenticateUsercode);
  client.Connect(3);
  client.Reply(Bytes({5, 2}));
  client.Script.Deliver(*client.Socket, Bytes({1, 0, 0}));
  EXPECT_TRUE(client.Log.Has("socks error 20001 too much data availaible")) << client.Log.Text();
}

TEST(Socks, AProxyThatNeedsNoAuthenticationSkipsIt) {
  TSocksClient client(L"5", socksAuthenticateUsercode);
  client.Connect(3);
  client.Reply(Bytes({5, 0}));
  client.Reply(kSocks5Success);
  EXPECT_TRUE(client.Log.Has("auth notrequired")) << client.Log.Text();
  EXPECT_FALSE(client.Log.Has("auth start"));
  EXPECT_TRUE(client.Log.Has("connected 0"));
}

TEST(Socks, AVersion5ReplyWithALongBoundNameCompletes) {
  TSocksClient client(L"5");
  client.Connect(3);
  client.Reply(Bytes({5, 0}));
  const std::string name(200, 'n');
  client.Script.Deliver(*client.Socket, Bytes({5, 0, 0, 3, 200}) + name + Bytes({0x04, 0x38}) + "after");
  EXPECT_TRUE(client.Log.Has("connected 0")) << client.Log.Text();
  EXPECT_EQ(Utf8Encode(client.Socket->SocksBoundAddr), name);
  EXPECT_EQ(client.Socket->SocksBoundPort, L"1080");
  EXPECT_EQ(client.Log.Data, "after");
}

namespace {

template <class Body>
std::string RaisedMessage(Body body) {
  try {
    body();
  } catch (ESocketException& e) {
    return Utf8Encode(e.Message());
  }
  return "(nothing raised)";
}

}  // namespace

TEST(Socks, SettingsChecks) {
  TSocketPtr socket(NewObject<TWSocket>(nullptr));
  EXPECT_EQ(socket->SocksLevel(), L"5");
  socket->SetSocksLevel(L"4a");
  EXPECT_EQ(socket->SocksLevel(), L"4A");
  EXPECT_EQ(RaisedMessage([&] { socket->SetSocksLevel(L"6"); }), "Invalid socks level. Must be 4, 4A or 5.");
  socket->SetSocksServer(L" 127.0.0.1 ");
  EXPECT_EQ(socket->SocksServer(), L"127.0.0.1");
  socket->SetAddr(L"127.0.0.1");
  socket->SetPort(L"80");
  EXPECT_EQ(RaisedMessage([&] { socket->Listen(); }), "Listening is not supported thru socks server");
  socket->SetProto(L"udp");
  EXPECT_EQ(RaisedMessage([&] { socket->Connect(); }), "TCP is the only protocol supported thru socks server");
  socket->SetProto(L"tcp");
  socket->SetSocksLevel(L"5");
  socket->SetAddr(String(256, L'h'));
  EXPECT_EQ(RaisedMessage([&] { socket->Connect(); }), "Connect: SOCKS host name too long");
  socket->SetAddr(L"example.test");
  socket->SocksAuthentication = socksAuthenticateUsercode;
  socket->SocksPassword = String(256, L'p');
  EXPECT_EQ(RaisedMessage([&] { socket->Connect(); }), "Connect: SOCKS password too long");
}

TEST(Socks, AfterASessionTheNextConnectGoesDirect) {
  TSocksClient client(L"5");
  client.Connect(3);
  client.Socket->Close();
  EXPECT_EQ(client.Socket->SocksServer(), L"");
  EXPECT_EQ(client.Socket->SocksLevel(), L"5");
  TLoopbackServer direct(ReadAllSession);
  client.Socket->SetAddr(L"127.0.0.1");
  client.Socket->SetPort(direct.PortText());
  client.Log.Entries.clear();
  client.Socket->Connect();
  ASSERT_TRUE(PumpUntil([&] { return client.Log.Has("connected 0"); })) << client.Log.Text();
  EXPECT_FALSE(client.Log.Has("socks connected 0"));
  client.Socket->SendText("direct");
  EXPECT_TRUE(PumpUntil([&] { return direct.Received() == "direct"; }));
  client.Socket->Close();
}
