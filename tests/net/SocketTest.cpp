// The asynchronous socket against loopback peers of the test program.

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "net/LineWSocket.h"
#include "platform/framework/classes/Object.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/base/Utf8.h"
#include "tests/net/LoopbackServer.h"
#include "tests/net/SocketEvents.h"
#include "tests/support/TestSupport.h"

using namespace net_test;
using testing_support::PumpFor;
using testing_support::PumpUntil;

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

std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return bytes;
}

}  // namespace

TEST(Socket, ConnectSendReceiveAndPeerCloseFireInOrder) {
  TLoopbackServer server([](TLoopbackServer& s, SOCKET peer) {
    s.ReadExactly(peer, 5);
    TLoopbackServer::SendAll(peer, "world");
  });
  TEventLog log;
  auto socket = ClientFor(server.PortText());
  log.Attach(*socket);
  socket->Connect();
  ASSERT_TRUE(PumpUntil([&] { return log.Has("connected 0"); })) << log.Text();
  socket->SendText("hello");
  ASSERT_TRUE(PumpUntil([&] { return log.Has("closed 0"); })) << log.Text();
  // Two "sent 0": the write notification that comes with the connection and the one after the send.
  // The system may deliver the first of them after the peer's answer, so they are checked apart.
  std::string order = log.Text();
  int sent = 0;
  for (std::size_t at; (at = order.find("sent 0; ")) != std::string::npos; ++sent) order.erase(at, 8);
  EXPECT_EQ(sent, 2) << log.Text();
  EXPECT_EQ(order, "closed>opened; opened>connecting; connecting>connected; connected 0; data; closed 0; connected>closed")
      << log.Text();
  EXPECT_EQ(log.Data, "world");
  EXPECT_EQ(server.Received(), "hello");
}

TEST(Socket, RefusedConnectReportsTheErrorThenClosesWithZero) {
  TEventLog log;
  auto socket = ClientFor(IntToStr(UnusedPort()));
  log.Attach(*socket);
  socket->Connect();
  ASSERT_TRUE(PumpUntil([&] { return log.Has("connected>closed"); })) << log.Text();
  EXPECT_EQ(log.Text(),
            "closed>opened; opened>connecting; connecting>connected; connected 10061; connected>closed; closed 0");
}

TEST(Socket, SendingNothingStillGivesOneDataSentFromTheMessageLoop) {
  TConnectedClient c;
  EXPECT_EQ(c.Socket->Send(nullptr, 0), 0);
  EXPECT_EQ(c.Log.Text(), "") << "not inside Send";
  ASSERT_TRUE(PumpUntil([&] { return c.Log.Has("sent 0"); }));
  PumpFor(20);
  EXPECT_EQ(c.Log.Text(), "sent 0");
}

TEST(Socket, ErrorsGoToOnErrorWhenAssignedAndAreRaisedOtherwise) {
  TSocketPtr socket(NewObject<TWSocket>(nullptr));
  EXPECT_EQ(RaisedMessage([&] { socket->SendText("x"); }), "Socket is not connected (#10057 in Send)");
  int errors = 0;
  socket->OnError = [&](TObject*) { ++errors; };
  EXPECT_EQ(socket->SendText("x"), -1);
  EXPECT_EQ(socket->LastError, 10057);
  EXPECT_EQ(errors, 1);
}

TEST(Socket, SettingsChangeOnlyWhileClosed) {
  TConnectedClient c;
  EXPECT_EQ(RaisedMessage([&] { c.Socket->SetAddr(L"10.0.0.1"); }), "Cannot change Addr if not closed");
  EXPECT_EQ(RaisedMessage([&] { c.Socket->SetPort(L"1"); }), "Cannot change Port if not closed");
  EXPECT_EQ(c.Socket->Addr(), L"127.0.0.1");
  c.Socket->Close();
  EXPECT_EQ(c.Log.Text(), "connected>closed; closed 0");
  EXPECT_EQ(RaisedMessage([&] { c.Socket->Connect(); }), "Connect: No Port Specified")
      << "a new session needs Addr and Port again";
}

TEST(Socket, DottedLookupCompletesInsideTheCallAndNamesFromTheLoop) {
  TSocketPtr socket(NewObject<TWSocket>(nullptr));
  std::vector<int> done;
  socket->OnDnsLookupDone = [&](TObject*, Word error) { done.push_back(error); };
  socket->DnsLookup(L"127.0.0.1");
  EXPECT_EQ(done, std::vector<int>{0});
  EXPECT_EQ(socket->LookupResult, L"127.0.0.1");

  done.clear();
  socket->DnsLookup(L"localhost");
  EXPECT_TRUE(done.empty());
  ASSERT_TRUE(PumpUntil([&] { return !done.empty(); }));
  EXPECT_EQ(done, std::vector<int>{0});
  EXPECT_GE(socket->LookupResultList().IndexOf(L"127.0.0.1"), 0) << Utf8Encode(socket->LookupResultList().Text());
}

TEST(Socket, CancellingALookupGives10004AndDestroyingGivesNothing) {
  TSocketPtr socket(NewObject<TWSocket>(nullptr));
  std::vector<int> done;
  socket->OnDnsLookupDone = [&](TObject*, Word error) { done.push_back(error); };
  socket->DnsLookup(L"localhost");
  socket->CancelDnsLookup();
  EXPECT_EQ(done, std::vector<int>{10004});
  PumpFor(100);
  EXPECT_EQ(done, std::vector<int>{10004}) << "the cancelled reply is not reported";

  done.clear();
  socket->DnsLookup(L"localhost");
  socket.reset();
  PumpFor(100);
  EXPECT_TRUE(done.empty());
}

TEST(Socket, ADatagramSendLargerThanBufSizeLeavesAsOneDatagramPerBlock) {
  EnsureTestWinsock();
  SOCKET receiver = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(receiver, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  int length = sizeof(address);
  getsockname(receiver, reinterpret_cast<sockaddr*>(&address), &length);
  DWORD timeout = 2000;
  setsockopt(receiver, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));

  TEventLog log;
  TSocketPtr sender = ClientFor(IntToStr(ntohs(address.sin_port)));
  sender->SetProto(L"udp");
  log.Attach(*sender);
  sender->Connect();
  EXPECT_EQ(log.Text(), "closed>opened; opened>connected; connected 0") << "a datagram Connect completes inside";
  const std::string payload = Pattern(3000);
  sender->SendText(payload);

  std::vector<int> sizes;
  std::string joined;
  char buffer[4096];
  for (int i = 0; i < 3; ++i) {
    int got = recv(receiver, buffer, sizeof(buffer), 0);
    if (got <= 0) break;
    sizes.push_back(got);
    joined.append(buffer, static_cast<std::size_t>(got));
  }
  closesocket(receiver);
  EXPECT_EQ(sizes, (std::vector<int>{1460, 1460, 80}));
  EXPECT_EQ(joined, payload);
}

TEST(Socket, ListenAcceptAndDupServeAConnection) {
  TSocketPtr listener(NewObject<TWSocket>(nullptr));
  listener->SetAddr(L"127.0.0.1");
  listener->SetPort(L"0");
  TEventLog servedLog;
  TSocketPtr served(NewObject<TWSocket>(nullptr));
  servedLog.Attach(*served);
  listener->OnSessionAvailable = [&](TObject*, Word error) {
    EXPECT_EQ(error, 0);
    served->Dup(listener->Accept());
  };
  listener->Listen();
  ASSERT_EQ(listener->State(), wsListening);
  const int port = StrToInt(listener->LocalPortText());

  std::string reply;
  std::thread client([&] {
    EnsureTestWinsock();
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0) {
      send(s, "ping", 4, 0);
      char buffer[16];
      int got = recv(s, buffer, sizeof(buffer), 0);
      if (got > 0) reply.assign(buffer, static_cast<std::size_t>(got));
    }
    closesocket(s);
  });
  served->OnDataAvailable = [&](TObject*, Word) {
    char buffer[16];
    int got = served->Receive(buffer, sizeof(buffer));
    if (got > 0) {
      servedLog.Data.append(buffer, static_cast<std::size_t>(got));
      served->SendText("pong");
    }
  };
  bool finished = PumpUntil([&] { return servedLog.Has("closed 0"); });
  client.join();
  ASSERT_TRUE(finished) << servedLog.Text();
  EXPECT_EQ(servedLog.Entries.front(), "closed>connected") << "Dup enters connected without a session event";
  EXPECT_FALSE(servedLog.Has("connected 0"));
  EXPECT_EQ(servedLog.Data, "ping");
  EXPECT_EQ(reply, "pong");
}

TEST(Socket, AttachedToAWorkerThreadItRunsOnThatThreadsLoop) {
  TLoopbackServer server(EchoSession);
  TSocketPtr socket = ClientFor(server.PortText());
  socket->DetachFromThread();
  DWORD workerId = 0, eventThread = 0;
  std::string echoed;
  std::thread worker([&] {
    workerId = GetCurrentThreadId();
    socket->AttachToThread();
    socket->OnSessionConnected = [&](TObject*, Word) { socket->SendText("over there"); };
    socket->OnDataAvailable = [&](TObject*, Word) {
      eventThread = GetCurrentThreadId();
      echoed += socket->ReceiveText();
      if (echoed.size() >= 10) socket->Close();
    };
    socket->OnSessionClosed = [&](TObject*, Word) { PostQuitMessage(0); };
    socket->Connect();
    socket->RunMessageLoop();
    socket->DetachFromThread();
  });
  worker.join();
  socket->AttachToThread();
  EXPECT_EQ(echoed, "over there");
  EXPECT_EQ(eventThread, workerId);
  EXPECT_TRUE(socket->QuitSeen());
}

TEST(Socket, CloseAfterDataSentIsGracefulSoAPeerReadingLaterGetsEveryByte) {
  std::atomic<bool> mayRead{false};
  TLoopbackServer server([&](TLoopbackServer& s, SOCKET peer) {
    while (!mayRead) Sleep(5);
    s.ReadToEnd(peer);
  });
  TEventLog log;
  TSocketPtr socket = ClientFor(server.PortText());
  log.Attach(*socket);
  socket->Connect();
  ASSERT_TRUE(PumpUntil([&] { return log.Has("connected 0"); }));
  const std::string payload = Pattern(1 << 20);
  socket->SendText(payload);
  // Winsock takes the whole megabyte into its buffers while the peer is not reading.
  ASSERT_TRUE(PumpUntil([&] { return socket->SendQueueEmpty() && log.Entries.back() == "sent 0"; }, 10000))
      << log.Text() << " queued " << socket->QueuedByteCount();
  socket->Close();
  mayRead = true;
  ASSERT_TRUE(PumpUntil([&] { return server.Finished(); }, 10000));
  EXPECT_FALSE(server.SawReset());
  EXPECT_TRUE(server.SawEnd());
  EXPECT_TRUE(server.Received() == payload) << "received " << server.Received().size() << " bytes";
}

// Wine closes gracefully whatever the linger option says, so the abort is pinned at the option
// the socket sets right before closesocket.
namespace {
std::vector<std::string> lingerCalls;
decltype(&::setsockopt) realSetsockopt;
int WINAPI RecordingSetsockopt(SOCKET s, int level, int option, const char* value, int size) {
  if (level == SOL_SOCKET && option == SO_LINGER) {
    const linger* l = reinterpret_cast<const linger*>(value);
    lingerCalls.push_back(std::to_string(l->l_onoff) + "/" + std::to_string(l->l_linger));
  }
  return realSetsockopt(s, level, option, value, size);
}
}  // namespace

TEST(Socket, CloseLeavesLingerToTheSystemAndAbortResets) {
  realSetsockopt = reinterpret_cast<decltype(&::setsockopt)>(
      reinterpret_cast<void (*)()>(SuiteWinsock().WinsockEntry("setsockopt")));
  SuiteWinsock().Replacements().setsockopt = &RecordingSetsockopt;
  struct TRestore {
    ~TRestore() { SuiteWinsock().Replacements().setsockopt = nullptr; }
  } restore;
  for (bool abort : {false, true}) {
    lingerCalls.clear();
    TConnectedClient c;
    c.Socket->SendText("bytes in flight");
    if (abort) c.Socket->Abort();
    else c.Socket->Close();
    EXPECT_EQ(lingerCalls, abort ? std::vector<std::string>{"1/0"} : std::vector<std::string>{}) << abort;
    EXPECT_EQ(c.Socket->State(), wsClosed);
  }
  lingerCalls.clear();
  TLoopbackServer server(ReadAllSession);
  TSocketPtr chosen = ClientFor(server.PortText());
  chosen->LingerOnOff = wsLingerOn;
  chosen->LingerTimeout = 7;
  chosen->Connect();
  EXPECT_EQ(lingerCalls, std::vector<std::string>{"1/7"}) << "an explicit setting is applied as given";
}

TEST(Socket, AnExceptionInTheDataHandlerEndsThatDeliveryOnly) {
  TConnectedClient c(EchoSession);
  int calls = 0;
  c.Socket->OnDataAvailable = [&](TObject*, Word) {
    ++calls;
    c.Socket->ReceiveText();
    throw ESocketException(L"handler failed");
  };
  c.Socket->SendText("a");
  ASSERT_TRUE(PumpUntil([&] { return calls == 1; }));
  c.Socket->SendText("b");
  ASSERT_TRUE(PumpUntil([&] { return calls == 2; }));
  EXPECT_EQ(c.Socket->State(), wsConnected);
}

TEST(Socket, AnExceptionFromASessionHandlerAbortsUnlessOnBgExceptionKeepsItOpen) {
  for (bool keepOpen : {false, true}) {
    TLoopbackServer server(ReadAllSession);
    TSocketPtr socket = ClientFor(server.PortText());
    std::vector<String> seen;
    socket->OnBgException = [&](TObject*, Exception& e, bool& canClose) {
      seen.push_back(e.Message());
      canClose = !keepOpen;
    };
    socket->OnSessionConnected = [&](TObject*, Word) { throw ESocketException(L"connected handler failed"); };
    socket->Connect();
    ASSERT_TRUE(PumpUntil([&] { return !seen.empty(); }));
    PumpFor(20);
    EXPECT_EQ(seen, std::vector<String>{L"connected handler failed"});
    EXPECT_EQ(socket->State(), keepOpen ? wsConnected : wsClosed) << keepOpen;
  }
}

TEST(Socket, ANonFrameworkExceptionFromAHandlerReachesTheSink) {
  std::vector<std::string> seen;
  static std::vector<std::string>* target;
  target = &seen;
  ExceptionSink previous = SetExceptionSink([](const std::exception_ptr& error) {
    target->push_back(Utf8Encode(DescribeException(error).Message));
  });
  TLoopbackServer server(ReadAllSession);
  TSocketPtr socket = ClientFor(server.PortText());
  socket->OnSessionConnected = [&](TObject*, Word) { throw std::runtime_error("foreign object"); };
  socket->Connect();
  bool reached = PumpUntil([&] { return !seen.empty(); });
  SetExceptionSink(previous);
  ASSERT_TRUE(reached);
  EXPECT_EQ(seen[0], "foreign object");
  socket->SendText("still usable");
  EXPECT_TRUE(PumpUntil([&] { return server.Received() == "still usable"; }));
}

TEST(Socket, AStaleDelayedCloseDoesNotCloseTheNextOwnerOfItsNumbers) {
  TLoopbackServer keepWindow(ReadAllSession);
  TSocketPtr keeper = ClientFor(keepWindow.PortText());  // keeps the shared window alive
  TSocketPtr first(NewObject<TWSocket>(nullptr));
  const UINT number = first->CloseDelayedMessage();
  first->CloseLater();
  first.reset();
  TConnectedClient second;
  ASSERT_EQ(second.Socket->CloseDelayedMessage(), number);
  PumpFor(50);
  EXPECT_EQ(second.Socket->State(), wsConnected);
  second.Socket->CloseLater();
  EXPECT_TRUE(PumpUntil([&] { return second.Socket->State() == wsClosed; }));
}
