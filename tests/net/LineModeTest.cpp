// Line mode through the receive seam: bytes arrive in chosen pieces and the data handler takes
// whole lines.

#include <gtest/gtest.h>

#include "tests/net/ScriptedReceive.h"
#include "tests/net/SocketEvents.h"
#include "tests/support/TestSupport.h"

using namespace net_test;
using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

// A connected line-mode client whose handler takes each pending line whole into Lines.
struct TLineClient {
  TConnectedClient Client{ReadAllSession, false};
  TScriptedReceive Script;
  std::vector<std::string> Lines;
  std::string Plain;
  TWSocket& Socket = *Client.Socket;

  TLineClient() {
    Socket.SetLineMode(true);
    Socket.OnDataAvailable = [this](TObject*, Word) {
      if (Socket.LineMode()) Lines.push_back(Socket.ReceiveText());
      else Plain += Socket.ReceiveText();
    };
  }
  void Deliver(const std::string& piece) { Script.Deliver(Socket, piece); }
};

}  // namespace

TEST(LineMode, DeliversCompleteLines) {
  struct Case {
    const char* Name;
    std::vector<std::string> Pieces;
    bool Edit;
    AnsiString LineEnd;
    std::vector<std::string> Lines;
    int LeftGathered;
  } cases[] = {
      {"line over two receives", {"ab", "c\r\nd"}, false, "\r\n", {"abc\r\n"}, 1},
      {"terminator split across receives", {"abc\r", "\ndef\r\n"}, false, "\r\n", {"abc\r\n", "def\r\n"}, 0},
      {"several lines in one receive", {"1\r\n2\r\n3"}, false, "\r\n", {"1\r\n", "2\r\n"}, 1},
      {"own terminator", {"a|b", "|"}, false, "|", {"a|", "b|"}, 0},
      {"backspace", {"ab\bc\r\n"}, true, "\r\n", {"ac\r\n"}, 0},
      {"backspace in a later receive", {"ab", "\bc\r\n"}, true, "\r\n", {"ac\r\n"}, 0},
      {"tab at position 3", {"abc\tx\r\n"}, true, "\r\n", {"abc     x\r\n"}, 0},
      {"tab at position 8", {"abcdefgh\tx\r\n"}, true, "\r\n", {"abcdefgh        x\r\n"}, 0},
  };
  for (const Case& c : cases) {
    TLineClient client;
    client.Socket.LineEdit = c.Edit;
    client.Socket.LineEnd = c.LineEnd;
    for (const std::string& piece : c.Pieces) client.Deliver(piece);
    EXPECT_EQ(client.Lines, c.Lines) << c.Name;
    EXPECT_EQ(client.Socket.LineBufferCount(), c.LeftGathered) << c.Name;
  }
}

TEST(LineMode, LineLimitDropsTheGatheredBytesUnlessTheHandlerKeepsThem) {
  for (bool keep : {false, true}) {
    TLineClient client;
    client.Socket.LineLimit = 10;
    std::vector<std::pair<int, bool>> calls;
    client.Socket.OnLineLimitExceeded = [&](TObject*, int length, bool& clear) {
      calls.emplace_back(length, clear);
      if (keep) clear = false;
    };
    client.Deliver("abcdefghijk");
    EXPECT_EQ(calls, (std::vector<std::pair<int, bool>>{{11, true}})) << keep;
    EXPECT_EQ(client.Socket.LineBufferCount(), keep ? 11 : 0) << keep;
  }
}

TEST(LineMode, SwitchingOffDeliversWhatIsGatheredAsPlainDataFromTheLoop) {
  TLineClient client;
  client.Deliver("no terminator yet");
  client.Socket.SetLineMode(false);
  EXPECT_EQ(client.Plain, "") << "not inside the setter";
  ASSERT_TRUE(PumpUntil([&] { return !client.Plain.empty(); }));
  EXPECT_EQ(client.Plain, "no terminator yet");
  EXPECT_TRUE(client.Lines.empty());
}

TEST(LineMode, AHandlerThatLeavesLineModeMidLineGetsTheRestInOrderAsPlainData) {
  TLineClient client;
  std::string taken;
  client.Socket.OnDataAvailable = [&](TObject*, Word) {
    if (client.Socket.LineMode()) {
      char part[3];
      taken.append(part, static_cast<std::size_t>(client.Socket.Receive(part, 3)));
      client.Socket.SetLineMode(false);
    } else {
      taken += client.Socket.ReceiveText();
    }
  };
  client.Deliver("line1\r\nrest");
  PumpFor(20);
  EXPECT_EQ(taken, "line1\r\nrest");
}

TEST(LineMode, AnUnterminatedRestIsTheLastLineBeforeSessionClosed) {
  TLineClient client;
  client.Socket.OnSessionClosed = [&](TObject*, Word) { client.Lines.push_back("(closed)"); };
  client.Deliver("tail");
  TScriptedReceive::Notify(client.Socket, FD_CLOSE);
  EXPECT_EQ(client.Lines, (std::vector<std::string>{"tail", "(closed)"}));
}

TEST(LineMode, AHandlerThatReadsNothingReturnsAndTheLineWaitsForItsReader) {
  TLineClient client;
  int offers = 0;
  client.Socket.OnDataAvailable = [&](TObject*, Word) { ++offers; };
  client.Deliver("x\r\n");
  EXPECT_EQ(offers, 1);
  EXPECT_EQ(client.Socket.PendingByteCount(), 3);
  client.Deliver("y");
  EXPECT_EQ(offers, 2) << "offered again on the next notification";
  EXPECT_EQ(client.Socket.ReceiveText(), "x\r\n");
  EXPECT_EQ(client.Socket.LineBufferCount(), 1);

  client.Socket.OnSessionClosed = [&](TObject*, Word) { offers += 100; };
  TScriptedReceive::Notify(client.Socket, FD_CLOSE);
  EXPECT_EQ(offers, 103) << "the last line is offered once, then dropped";
}

TEST(LineMode, SendTextLineAddsTheTerminatorAndSendsNothingForAnEmptyText) {
  TLineClient client;
  EXPECT_EQ(client.Socket.SendTextLine(""), 0);
  EXPECT_EQ(client.Socket.SendTextLine("HELO"), 6);
  client.Socket.Close();
  ASSERT_TRUE(PumpUntil([&] { return client.Client.Server.Finished(); }));
  EXPECT_EQ(client.Client.Server.Received(), "HELO\r\n");
}

TEST(LineMode, EchoSendsTheReceivedBytesBack) {
  TLineClient client;
  client.Socket.LineEcho = true;
  client.Deliver("ok\r\n");
  client.Socket.LineEdit = true;
  client.Deliver("ab\bc");
  client.Socket.Close();
  ASSERT_TRUE(PumpUntil([&] { return client.Client.Server.Finished(); }));
  EXPECT_EQ(client.Client.Server.Received(), "ok\r\nab\b \bc");
}

namespace {

class TCountingLineSocket : public TWSocket {
 public:
  using TWSocket::TWSocket;
  int Deliveries = 0;

 protected:
  void DeliverBufferedData() override {
    ++Deliveries;
    TWSocket::DeliverBufferedData();
  }
};

}  // namespace

TEST(LineMode, AStaleBufferedDataMessageIsDroppedByTheNextOwnerOfItsNumber) {
  TSocketPtr keeper(NewObject<TWSocket>(nullptr));  // keeps the shared window alive
  UINT number;
  {
    TLineClient first;
    number = first.Socket.BufferedDataMessage();
    first.Deliver("gathered");
    first.Socket.SetLineMode(false);  // posts the buffered-data message
    first.Socket.OnDataAvailable = nullptr;
  }
  ObjectPtr<TCountingLineSocket> second(NewObject<TCountingLineSocket>(nullptr));
  ASSERT_EQ(second->BufferedDataMessage(), number);
  PumpFor(50);
  EXPECT_EQ(second->Deliveries, 0);
  second->PostSelfMessage(second->BufferedDataMessage());
  EXPECT_TRUE(PumpUntil([&] { return second->Deliveries == 1; }));
}
