// The asynchronous socket against loopback peers of the test program.

#include <gtest/gtest.h>

#include "net/CustomWSocket.h"
#include "platform/framework/Object.h"
#include "platform/framework/SysUtils.h"
#include "tests/net/LoopbackServer.h"
#include "tests/net/SocketEvents.h"
#include "tests/support/TestSupport.h"

using namespace net_test;
using testing_support::PumpUntil;

namespace {

ObjectPtr<TCustomWSocket> ClientFor(const String& port) {
  ObjectPtr<TCustomWSocket> socket(NewObject<TCustomWSocket>(nullptr));
  socket->SetAddr(L"127.0.0.1");
  socket->SetPort(port);
  return socket;
}

}  // namespace

TEST(Socket, ConnectSendReceiveAndPeerCloseFireInOrder) {
  TLoopbackServer server([](TLoopbackServer& s, SOCKET peer) {
    s.ReadExactly(peer, 5);
    TLoopbackServer::SendAll(peer, "world");
  });
  auto socket = ClientFor(server.PortText());
  TEventLog log;
  log.Attach(*socket);
  socket->Connect();
  ASSERT_TRUE(PumpUntil([&] { return log.Has("connected 0"); })) << log.Text();
  socket->SendText("hello");
  ASSERT_TRUE(PumpUntil([&] { return log.Has("closed 0"); })) << log.Text();
  EXPECT_EQ(log.Text(),
            "closed>opened; opened>connecting; connecting>connected; connected 0; sent 0; sent 0; data; closed 0; "
            "connected>closed");
  EXPECT_EQ(log.Data, "world");
  EXPECT_EQ(server.Received(), "hello");
}

TEST(Socket, RefusedConnectReportsTheErrorThenClosesWithZero) {
  auto socket = ClientFor(IntToStr(UnusedPort()));
  TEventLog log;
  log.Attach(*socket);
  socket->Connect();
  ASSERT_TRUE(PumpUntil([&] { return log.Has("connected>closed"); })) << log.Text();
  EXPECT_EQ(log.Text(),
            "closed>opened; opened>connecting; connecting>connected; connected 10061; connected>closed; closed 0");
}
