// The replies the client handles without sending their commands itself: the line protocol of a
// CD database server over the client's own socket, and the two roads of a submission.

#include <gtest/gtest.h>

#include <map>

#include "capture/Cddb.h"
#include "tests/capture/CddbFixture.h"
#include "tests/net/LoopbackServer.h"
#include "tests/net/http/HttpTestServer.h"
#include "tests/net/smtp/ScriptedSmtpServer.h"
#include "tests/support/TestSupport.h"

using namespace capture_test;

namespace {

bool ReadLine(SOCKET peer, std::string& pending, std::string& line) {
  for (;;) {
    const std::size_t end = pending.find("\r\n");
    if (end != std::string::npos) {
      line = pending.substr(0, end);
      pending.erase(0, end + 2);
      return true;
    }
    char buffer[1024];
    const int count = recv(peer, buffer, sizeof buffer, 0);
    if (count <= 0) return false;
    pending.append(buffer, static_cast<std::size_t>(count));
  }
}

// A line-protocol server: a greeting, then one scripted reply per command word; closes after "quit".
struct TLinePeer {
  std::map<std::string, std::string> Replies;
  std::string Greeting;
  net_test::TLoopbackServer Server;
  explicit TLinePeer(std::string greeting, std::map<std::string, std::string> replies)
      : Replies(std::move(replies)), Greeting(std::move(greeting)), Server([this](net_test::TLoopbackServer& server, SOCKET peer) {
          net_test::TLoopbackServer::SendAll(peer, Greeting + "\r\n");
          std::string pending, line;
          while (ReadLine(peer, pending, line)) {
            server.Record(line.data(), static_cast<int>(line.size()));
            const std::string word = line.substr(line.find(' ') + 1, line.find(' ', line.find(' ') + 1) - line.find(' ') - 1);
            net_test::TLoopbackServer::SendAll(peer, Replies[word]);
            if (word == "quit") return;
          }
        }) {}
};

class CddbLineProtocol : public CddbFixture {
 protected:
  void Connect(TLinePeer& peer) {
    Cddb->Socket().SetAddr(L"127.0.0.1");
    Cddb->Socket().SetPort(peer.Server.PortText());
    Cddb->Socket().Connect();
  }
  // Sends a command as its sender would: the state its reply is expected in, then the line.
  void Send(int state, const std::string& command) {
    Cddb->SetState(state);
    Cddb->Socket().SendTextLine(command);
  }
  bool WaitForStatus(const String& status) {
    return testing_support::PumpUntil([&] { return HasStatus(status); });
  }
};

TEST_F(CddbLineProtocol, GreetingHelloProtoSitesAndQuit) {
  TLinePeer peer("201 test CDDBP server v1.5 ready at now",
                 {{"hello", "200 Hello and welcome someone@example.org running my client 2.0.\r\n"},
                  {"proto", "201 OK, CDDB protocol level now: 5\r\n"},
                  {"sites", "210 OK, site information follows (until terminating `.')\r\n"
                            "one.example.org http 80 /~cddb/cddb.cgi N000.00 W000.00 First place, somewhere\r\n"
                            "two.example.org cddbp 8880 - S010.50 E020.25 Second\r\n.\r\n"},
                  {"quit", "230 test Closing connection.  Goodbye.\r\n"}});
  Connect(peer);
  ASSERT_TRUE(WaitForStatus(L"OK, read only"));
  EXPECT_EQ(Cddb->State(), CddbState::ReadOnlyServer);
  EXPECT_EQ(Exchanged.back(), L"201 test CDDBP server v1.5 ready at now");

  Send(CddbState::HelloSent, "cddb hello someone example.org my+client 2.0");
  ASSERT_TRUE(WaitForStatus(L"Handshake successful"));
  EXPECT_EQ(Cddb->State(), CddbState::HandshakeDone);
  EXPECT_TRUE(Cddb->Handshaken());

  Send(CddbState::ProtoSent, "cddb proto 5");
  ASSERT_TRUE(WaitForStatus(L"OK, protocol level now: 5"));
  EXPECT_EQ(Cddb->State(), CddbState::ProtoSet);

  Send(CddbState::SitesSent, "cddb sites");
  ASSERT_TRUE(WaitForStatus(L"Got sites"));
  EXPECT_TRUE(HasStatus(L"OK, receiving sites"));
  EXPECT_EQ(Cddb->State(), CddbState::SitesReceived);
  const TServer& first = Cddb->Sites()[0];
  EXPECT_EQ(first.Site, L"one.example.org");
  EXPECT_EQ(first.Protocol, HTTP);
  EXPECT_EQ(first.Port, 80);
  EXPECT_EQ(first.Address, L"/~cddb/cddb.cgi");
  EXPECT_EQ(first.SiteLocation.Latitude, L"N000.00");
  EXPECT_EQ(first.SiteLocation.Longitude, L"W000.00");
  EXPECT_EQ(first.SiteLocation.Description, L"First place, somewhere");
  EXPECT_EQ(Cddb->Sites()[1].Protocol, CDDBP);
  EXPECT_EQ(Cddb->Sites()[1].SiteLocation.Description, L"Second");
  EXPECT_EQ(Cddb->Sites()[2].Site, L"");

  Statuses.clear();
  Send(CddbState::QuitSent, "quit");
  ASSERT_TRUE(testing_support::PumpUntil([&] { return peer.Server.Finished(); }));
  testing_support::PumpFor(100);
  EXPECT_EQ(Statuses, std::vector<String>{L"Connection closed"});
  EXPECT_EQ(Cddb->State(), CddbState::Idle);
}

TEST_F(CddbLineProtocol, RefusedGreetingsAndHandshakes) {
  const struct {
    const char* Greeting;
    int State;
    const wchar_t* Status;
  } greetings[] = {
      {"200 test CDDBP server ready", CddbState::ReadWriteServer, L"OK, read/write allowed"},
      {"432 No connections allowed: permission denied.", CddbState::Idle, L"No connections allowed: permission denied"},
      {"433 No connections allowed: X users allowed, Y currently active.", CddbState::Idle,
       L"No connections allowed: X users allowed, Y currently active"},
      {"434 No connections allowed: system load too high.", CddbState::Idle, L"No connections allowed: system load too high"},
  };
  for (const auto& g : greetings) {
    TLinePeer peer(g.Greeting, {{"hello", "431 Handshake not successful, closing connection.\r\n"},
                                {"proto", "501 Illegal protocol level.\r\n"}});
    Statuses.clear();
    Cddb->SetState(CddbState::Idle);
    Connect(peer);
    ASSERT_TRUE(WaitForStatus(g.Status)) << g.Greeting;
    EXPECT_EQ(StatesAtStatus.back(), g.State);
    if (g.State != CddbState::Idle) {
    Send(CddbState::HelloSent, "cddb hello a b c d");
    ASSERT_TRUE(WaitForStatus(L"Handshake not successful, closing connection"));
    EXPECT_FALSE(Cddb->Handshaken());
    Send(CddbState::ProtoSent, "cddb proto 9");
    ASSERT_TRUE(WaitForStatus(L"Illegal protocol level"));
    EXPECT_EQ(Cddb->State(), CddbState::Connected);
    }
    // The peer's thread ends when the connection does.
    Cddb->Socket().Close();
  }
}

TEST_F(CddbLineProtocol, ConnectionClosedByThePeer) {
  net_test::TLoopbackServer server([](net_test::TLoopbackServer&, SOCKET peer) {
    net_test::TLoopbackServer::SendAll(peer, "200 ready\r\n");
  });
  Cddb->Socket().SetAddr(L"127.0.0.1");
  Cddb->Socket().SetPort(server.PortText());
  Cddb->Socket().Connect();
  ASSERT_TRUE(WaitForStatus(L"Connection closed"));
  EXPECT_EQ(Cddb->State(), CddbState::Idle);
}

// ---- submissions ----------------------------------------------------------------------------------

TEST_F(CddbFixture, HttpSubmissionHeadersAndReplies) {
  const struct {
    const char* Reply;
    int State;
    const wchar_t* Status;
  } cases[] = {{"200 OK, submission has been sent.", CddbState::Submitted, L"OK, submission has been sent."},
               {"500 Missing required header information.", CddbState::SubmitRefused, L"Missing required header information."},
               {"501 Invalid header information.", CddbState::SubmitRefused, L"Invalid header information."}};
  for (const auto& c : cases) {
    const std::string body = std::string(c.Reply) + "\r\n";
    http_test::THttpTestServer server(
        {{http_test::Answer(http_test::Response("HTTP/1.0 200 OK", {"Content-Length: " + std::to_string(body.size())}, body))}});
    UseHttpPeer(server.PortText());
    Cddb->SetNoteToUser(L"a note");
    Cddb->SubmissionType = SUBMIT;
    Cddb->PrepareRequest(CddbState::SubmitSent);
    Statuses.clear();
    const int done = RequestsDone;
    THttpCli& http = Cddb->HttpClient();
    http.URL = L"http://127.0.0.1:" + server.PortText() + L"/~cddb/submit.cgi";
    TStringStream entry("# xmcd\r\n");
    http.RequestBodyStream = &entry;
    http.StartRequestAsync(httpPOST);
    const bool completed = WaitForRequests(done + 1);
    http.RequestBodyStream = nullptr;
    ASSERT_TRUE(completed);
    EXPECT_EQ(Cddb->State(), c.State);
    EXPECT_EQ(Statuses, std::vector<String>{c.Status});
    const http_test::TSeenRequest request = server.Requests().at(0);
    EXPECT_EQ(request.Header("Discid"), "0c016602");
    EXPECT_EQ(request.Header("User-Email"), "someone@example.org");
    EXPECT_EQ(request.Header("Submit-Mode"), "submit");
    EXPECT_EQ(request.Header("X-Cddbd-Note"), "a note");
    EXPECT_TRUE(request.HasHeader("Category"));
    EXPECT_EQ(request.Body, "# xmcd\r\n");
  }
}

TEST_F(CddbFixture, MailSubmissionChain) {
  net_test::TScriptedSmtpServer server;
  TSmtpCli& smtp = Cddb->SmtpClient();
  smtp.Host = L"127.0.0.1";
  smtp.Port = server.PortText();
  smtp.HdrFrom = L"someone@example.org";
  smtp.HdrTo = L"cddb-test-submit@example.org";
  smtp.FromName = L"someone@example.org";
  TStringList recipients;
  recipients.Add(L"cddb-test-submit@example.org");
  smtp.SetRcptName(recipients);
  TStringList text;
  text.Add(L"# xmcd");
  smtp.SetMailMessage(text);
  Cddb->SetNoteToUser(L"mail note");
  smtp.Connect();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return HasStatus(L"OK, submission has been sent."); }));
  const std::vector<std::string> commands = server.Commands();
  ASSERT_GE(commands.size(), 5u);
  EXPECT_EQ(commands[0].rfind("HELO", 0), 0u);
  EXPECT_EQ(commands[1].rfind("MAIL FROM", 0), 0u);
  EXPECT_EQ(commands.back(), "QUIT");
  bool noted = false;
  const std::vector<std::string> lines = server.MessageLines();
  for (std::size_t i = 0; i + 1 < lines.size(); ++i)
    if (lines[i].rfind("From:", 0) == 0 && lines[i + 1] == "X-Cddbd-Note: mail note") noted = true;
  EXPECT_TRUE(noted);
  EXPECT_FALSE(Exchanged.empty());
}

TEST_F(CddbFixture, MailSubmissionFailure) {
  net_test::TSmtpScript script;
  script.Reply = [](const std::string& command) {
    return command.rfind("MAIL FROM", 0) == 0 ? std::string("550 Not here") : std::string();
  };
  net_test::TScriptedSmtpServer server(script);
  TSmtpCli& smtp = Cddb->SmtpClient();
  smtp.Host = L"127.0.0.1";
  smtp.Port = server.PortText();
  smtp.FromName = L"someone@example.org";
  TStringList recipients;
  recipients.Add(L"cddb-test-submit@example.org");
  smtp.SetRcptName(recipients);
  smtp.Connect();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return Cddb->State() == CddbState::MailError; }));
  EXPECT_EQ(Statuses.back(),
            L"CDDB Component Internal Error: TSmtpCli.Mail failed because of error \"" + smtp.ErrorMessage() + L"\"");
  EXPECT_NE(smtp.ErrorMessage(), L"");
  Cddb.reset();  // closes the connection the peer's thread still serves
}

}  // namespace
