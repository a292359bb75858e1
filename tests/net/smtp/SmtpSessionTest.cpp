// The client against a scripted loopback server: banners, EHLO and AUTH choices, recipients,
// multi-line replies and QUIT.

#include <gtest/gtest.h>

#include "net/Base64.h"
#include "net/Ntlm.h"
#include "net/SmtpCli.h"
#include "tests/net/smtp/ScriptedSmtpServer.h"
#include "tests/support/TestSupport.h"

using namespace net_test;
using testing_support::PumpUntil;

namespace {

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

struct TSmtpSession {
  TScriptedSmtpServer Server;
  ObjectPtr<TSmtpCli> Client{NewObject<TSmtpCli>(nullptr)};
  std::vector<std::pair<TSmtpRequest, Word>> Done;
  std::vector<String> Responses;

  explicit TSmtpSession(TSmtpScript script = {}) : Server(std::move(script)) {
    EnsureTestWinsock();
    Client->Host = L"127.0.0.1";
    Client->Port = Server.PortText();
    Client->SignOn = L"client host";
    Client->Username = L"user";
    Client->Password = L"secret";
    Client->OnRequestDone = [this](TObject*, TSmtpRequest request, Word error) { Done.push_back({request, error}); };
    Client->OnResponse = [this](TObject*, const String& line) { Responses.push_back(line); };
  }

  // Runs one request to its completion and returns (kind, error).
  std::pair<TSmtpRequest, Word> Run(void (TCustomSmtpClient::*request)()) {
    const std::size_t before = Done.size();
    (Client.get()->*request)();
    EXPECT_TRUE(PumpUntil([&] { return Done.size() > before; }));
    return Done.size() > before ? Done.back() : std::make_pair(smtpCustom, Word{0xFFFF});
  }

  std::vector<std::string> AuthCommands() const {
    std::vector<std::string> auth;
    for (const std::string& command : Server.Commands())
      if (StartsWith(command, "AUTH") || StartsWith(command, "HELO") || StartsWith(command, "EHLO"))
        auth.push_back(command);
    return auth;
  }
};

}  // namespace

TEST(SmtpSession, OpenAndAuthenticate) {
  const std::string plain = "AUTH PLAIN " + SmtpPlainPayload("user", "secret");
  struct Case {
    const char* Name;
    TSmtpAuthType Auth;
    TSmtpScript Script;
    Word Error;
    std::vector<std::string> Commands;
  } cases[] = {
      {"HELO without authentication", smtpAuthNone, {}, 0, {"HELO client_host"}},
      {"refused EHLO falls back to HELO without AUTH",
       smtpAuthLogin,
       {.Reply = [](const std::string& c) { return StartsWith(c, "EHLO") ? "502 Not here" : ""; }},
       0,
       {"EHLO client_host", "HELO client_host"}},
      {"automatic choice walks the mechanisms on 504",
       smtpAuthAutoSelect,
       {.EhloReply = "250-test.example\r\n250 AUTH LOGIN CRAM-MD5",
        .Reply = [](const std::string& c) {
          return StartsWith(c, "AUTH") && !StartsWith(c, "AUTH PLAIN") ? "504 Unrecognized" : "";
        }},
       0,
       {"EHLO client_host", "AUTH CRAM-MD5", "AUTH CRAM-SHA1", "AUTH LOGIN", plain}},
      {"LOGIN sends user and password",
       smtpAuthLogin,
       {.Reply = [](const std::string& c) -> std::string {
         if (c == "AUTH LOGIN" || c == "dXNlcg==") return "334 go on";
         return c == "c2VjcmV0" ? "235 OK" : "";
       }},
       0,
       {"EHLO client_host", "AUTH LOGIN"}},
      {"refused password completes with its code",
       smtpAuthPlain,
       {.Reply = [](const std::string& c) { return StartsWith(c, "AUTH") ? "535 Bad credentials" : ""; }},
       535,
       {"EHLO client_host", plain}},
  };
  for (Case& c : cases) {
    TSmtpSession session(c.Script);
    session.Client->AuthType = c.Auth;
    EXPECT_EQ(session.Run(&TCustomSmtpClient::Open), std::make_pair(smtpOpen, c.Error)) << c.Name;
    EXPECT_EQ(session.AuthCommands(), c.Commands) << c.Name;
    EXPECT_EQ(session.Client->State(), smtpReady) << c.Name;
  }
}

TEST(SmtpSession, CramMd5AnswersTheChallenge) {
  TSmtpScript script;
  script.EhloReply = "250 AUTH CRAM-MD5";
  script.Reply = [](const std::string& c) -> std::string {
    if (c == "AUTH CRAM-MD5") return "334 PDE4OTYuNjk3MTcwOTUyQHBvc3RvZmZpY2UucmVzdG9uLm1jaS5uZXQ+";
    if (c == "dGltIGI5MTNhNjAyYzdlZGE3YTQ5NWI0ZTZlNzMzNGQzODkw") return "235 OK";
    return c.rfind("EHLO", 0) == 0 ? "" : "535 wrong answer";
  };
  TSmtpSession session(script);
  session.Client->AuthType = smtpAuthCramMD5;
  session.Client->Username = L"tim";
  session.Client->Password = L"tanstaaftanstaaf";
  EXPECT_EQ(session.Run(&TCustomSmtpClient::Open), std::make_pair(smtpOpen, Word{0}));
}

TEST(SmtpSession, NtlmAnswersAScriptedChallenge) {
  // A type 2 message: signature, type, empty target name, flags, challenge 01..08.
  AnsiString message2("NTLMSSP\0\x02\0\0\0\0\0\0\0\x30\0\0\0\x01\x02\0\0\x01\x02\x03\x04\x05\x06\x07\x08", 32);
  message2 += AnsiString(16, '\0');
  const TNtlmChallenge challenge = {1, 2, 3, 4, 5, 6, 7, 8};
  const AnsiString expected = GetNtlmMessage3("", "", "user", "secret", challenge);
  TSmtpScript script;
  script.EhloReply = "250 AUTH NTLM";
  script.Reply = [&](const std::string& c) -> std::string {
    if (StartsWith(c, "AUTH NTLM ")) return "334 " + Base64EncodeText(message2);
    if (StartsWith(c, "EHLO")) return "";
    return c == expected ? "235 OK" : "535 wrong answer";
  };
  TSmtpSession session(script);
  session.Client->AuthType = smtpAuthNtlm;
  EXPECT_EQ(session.Run(&TCustomSmtpClient::Open), std::make_pair(smtpOpen, Word{0}));
}

TEST(SmtpSession, RefusedBannerEndsTheOpen) {
  TSmtpScript script;
  script.Banner = "554 No service";
  TSmtpSession session(script);
  EXPECT_EQ(session.Run(&TCustomSmtpClient::Open), std::make_pair(smtpOpen, Word{554}));
  EXPECT_EQ(session.Client->ErrorMessage(), L"554 No service");
  EXPECT_FALSE(session.Client->Connected());
}

TEST(SmtpSession, MailsToRecipientsAndQuits) {
  TSmtpScript script;
  script.Reply = [](const std::string& c) -> std::string {
    if (c == "RCPT TO:<bad@example.com>") return "550 No such user";
    if (StartsWith(c, "HELO")) return "250-first\r\n250 last";
    return "";
  };
  TSmtpSession session(script);
  ASSERT_EQ(session.Run(&TCustomSmtpClient::Open), std::make_pair(smtpOpen, Word{0}));
  EXPECT_EQ(session.Responses.end()[-2], L"250-first");
  EXPECT_EQ(session.Responses.back(), L"250 last");

  std::vector<int> refused;
  session.Client->OnRcptToError = [&](TObject*, Word code, int index, TSmtpRcptToErrorAction& action) {
    refused.push_back(code);
    refused.push_back(index);
    action = srteIgnore;
  };
  session.Client->FromName = L"\"Doe, John\" <john@example.com>";
  TStringList recipients;
  recipients.Add(L"Bad <bad@example.com>");
  recipients.Add(L"good@example.com");
  session.Client->SetRcptName(recipients);
  TStringList text;
  text.Add(L".hidden");
  session.Client->SetMailMessage(text);
  EXPECT_EQ(session.Run(&TCustomSmtpClient::Mail), std::make_pair(smtpMail, Word{0}));
  EXPECT_EQ(refused, (std::vector<int>{550, 0}));
  EXPECT_EQ(session.Client->ErrorMessage(), L"550 No such user");

  EXPECT_EQ(session.Run(&TCustomSmtpClient::Quit), std::make_pair(smtpQuit, Word{0}));
  EXPECT_FALSE(session.Client->Connected());
  const std::vector<std::string> commands = session.Server.Commands();
  const std::vector<std::string> expected = {"HELO client_host", "MAIL FROM:<john@example.com>",
                                             "RCPT TO:<bad@example.com>", "RCPT TO:<good@example.com>", "DATA",
                                             "QUIT"};
  EXPECT_EQ(commands, expected);
  EXPECT_EQ(session.Server.MessageLines().back(), "..hidden");
}

TEST(SmtpSession, Preconditions) {
  TSmtpSession session;
  auto message = [&](void (TCustomSmtpClient::*request)()) -> String {
    try {
      (session.Client.get()->*request)();
    } catch (const SmtpException& e) {
      return e.Message();
    }
    return L"";
  };
  EXPECT_EQ(message(&TCustomSmtpClient::Helo), L"SMTP component not connected");
  EXPECT_EQ(message(&TCustomSmtpClient::RcptTo), L"RcptName list is empty");
  session.Client->Connect();
  EXPECT_EQ(message(&TCustomSmtpClient::Helo), L"SMTP component not ready");
  ASSERT_TRUE(PumpUntil([&] { return !session.Done.empty(); }));
  EXPECT_EQ(session.Done.back(), std::make_pair(smtpConnect, Word{0}));
  EXPECT_EQ(message(&TCustomSmtpClient::Open), L"SMTP component already connected");
}

TEST(SmtpSession, OverlongReplyIsJudgedByItsStart) {
  TSmtpScript script;
  script.Reply = [](const std::string& c) { return StartsWith(c, "HELO") ? "250 " + std::string(6000, 'x') : ""; };
  TSmtpSession session(script);
  EXPECT_EQ(session.Run(&TCustomSmtpClient::Open), std::make_pair(smtpOpen, Word{0}));
  EXPECT_EQ(session.Client->LastResponse().size(), 4095u);
  EXPECT_EQ(session.Run(&TCustomSmtpClient::Quit), std::make_pair(smtpQuit, Word{0}));
}
