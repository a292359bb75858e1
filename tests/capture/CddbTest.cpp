#include <gtest/gtest.h>

#include "capture/Cddb.h"
#include "tests/capture/CddbFixture.h"
#include "tests/net/LoopbackServer.h"
#include "tests/net/http/HttpTestServer.h"
#include "tests/support/TestSupport.h"
#include "platform/framework/rtl/SysUtils.h"

using namespace capture_test;
using http_test::Answer;
using http_test::Response;
using http_test::THttpTestServer;

namespace {

std::string Ok(const std::string& body) {
  return Response("HTTP/1.0 200 OK", {"Content-Type: text/plain", "Content-Length: " + std::to_string(body.size())},
                  body);
}

// The request target of the n-th request the peer saw.
std::string Target(const THttpTestServer& server, std::size_t n) {
  const std::string line = server.Requests().at(n).RequestLine();
  const std::size_t start = line.find(' ') + 1;
  return line.substr(start, line.rfind(' ') - start);
}

// ---- pure routines --------------------------------------------------------------------------------

TEST(CddbRoutinesTest, WorkedDiscIdAndItsQueryCommand) {
  TCDToc toc;
  TOCToTrackList(WorkedExampleToc(), toc);
  EXPECT_EQ(CddbDiscId(toc), L"0c016602");
  EXPECT_EQ(CddbQueryCommand(toc), L"cddb query 0c016602 2 150 14250 360");
}

TEST(CddbRoutinesTest, UrlEncoding) {
  const struct {
    const char* In;
    const char* Out;
  } cases[] = {{"2.0", "2%2E0"}, {"my client", "my+client"}, {"aZ09", "aZ09"}, {"a@b~/", "a%40b%7E%2F"}, {"\xE9", "%E9"}};
  for (const auto& c : cases) EXPECT_EQ(CddbUrlEncode(c.In), c.Out) << c.In;
}

TEST(CddbRoutinesTest, HelloUser) {
  EXPECT_EQ(CddbHelloUser(L"user@example.org"), L"user example.org");
  EXPECT_EQ(CddbHelloUser(L"a@b@example.org"), L"a@b example.org");
  EXPECT_EQ(CddbHelloUser(L"nobody"), L"");
}

TEST_F(CddbFixture, NoteToUserKeepsSeventyCharacters) {
  Cddb->SetNoteToUser(String(80, L'n'));
  EXPECT_EQ(Cddb->NoteToUser(), String(70, L'n'));
}

TEST_F(CddbFixture, TheDiscIsReadFromTheDrive) {
  EXPECT_TRUE(Cddb->InternalTOCRetrieve);
  EXPECT_EQ(Cddb->DiscInfo().DiscId, L"0c016602");
  EXPECT_EQ(Cddb->CurrentDriveLetter(), L'D');
  EXPECT_FALSE(Cddb->ReadDiscInfo(1));  // no second drive
}

// ---- the query ------------------------------------------------------------------------------------

TEST_F(CddbFixture, OneExactMatchIsStillOfferedAndKeepsTheComputedId) {
  THttpTestServer server({{Answer(Ok("200 rock 0cffffff Some Artist / Some Title\r\n"))}});
  UseHttpPeer(server.PortText());
  Cddb->HttpQuery();
  ASSERT_TRUE(WaitForRequests(1));
  EXPECT_EQ(Target(server, 0),
            "/~cddb/cddb.cgi?cmd=cddb+query+0c016602+2+150+14250+360&hello=someone+example%2Eorg+my+client+2%2E0&proto=5");
  ASSERT_EQ(MatchCalls.size(), 1u);
  EXPECT_EQ(MatchCalls[0][0], L"rock 0cffffff Some Artist / Some Title");
  EXPECT_EQ(MatchCalls[0][1], L"");
  EXPECT_EQ(Cddb->State(), CddbState::QueryDone);
  EXPECT_EQ(Cddb->DiscInfo().Category, L"rock");
  EXPECT_EQ(Cddb->DiscInfo().DiscId, L"0c016602");
  EXPECT_EQ(Statuses, (std::vector<String>{L"Querying CD", L"Found exact match"}));
  ASSERT_FALSE(Exchanged.empty());
  EXPECT_EQ(Exchanged[0], L"http://127.0.0.1:" + server.PortText() +
                              L"/~cddb/cddb.cgi?cmd=cddb+query+0c016602+2+150+14250+360&hello=someone+example%2Eorg+my+"
                              L"client+2%2E0&proto=5\r\n");
}

TEST_F(CddbFixture, AReplyWithoutAFinalLineBreakKeepsItsLastCharacter) {
  THttpTestServer server({{Answer(Ok("200 rock 0c016602 Title"))}});
  UseHttpPeer(server.PortText());
  Cddb->HttpQuery();
  ASSERT_TRUE(WaitForRequests(1));
  ASSERT_EQ(MatchCalls.size(), 1u);
  EXPECT_EQ(MatchCalls[0][0], L"rock 0c016602 Title");
}

TEST_F(CddbFixture, DecliningTheOnlyMatchFailsTheQuery) {
  THttpTestServer server({{Answer(Ok("200 rock 0c016602 Title\r\n"))}});
  UseHttpPeer(server.PortText());
  ChooseMatch = [](const TMatchArray&) { return -1; };
  Cddb->HttpQuery();
  ASSERT_TRUE(WaitForRequests(1));
  EXPECT_EQ(Cddb->State(), CddbState::QueryFailed);
  Cddb->HttpRead();
  EXPECT_EQ(Statuses.back(), L"Can't perform a CDDB READ without a successful CDDB QUERY!");
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(CddbFixture, SeveralMatchesAndTheChosenRow) {
  const std::string list = "rock 0c016602 First Artist / First\r\nblues 0c016699 Second Artist / Second\r\n.\r\n";
  const struct {
    const char* Code;
    const wchar_t* Found;
    int Choice;
    int State;
    const wchar_t* Category;
    const wchar_t* DiscId;
  } cases[] = {
      {"210", L"Found exact matches", 1, CddbState::QueryDone, L"blues", L"0c016699"},
      {"211", L"Found inexact matches", 0, CddbState::QueryDone, L"rock", L"0c016602"},
      {"210", L"Found exact matches", 2, CddbState::QueryFailed, L"", L""},   // beyond the filled rows
      {"211", L"Found inexact matches", 99, CddbState::QueryFailed, L"", L""},
      {"210", L"Found exact matches", -1, CddbState::QueryFailed, L"", L""},
  };
  for (const auto& c : cases) {
    THttpTestServer server({{Answer(Ok(std::string(c.Code) + " Found matches, list follows\r\n" + list))}});
    UseHttpPeer(server.PortText());
    Statuses.clear();
    MatchCalls.clear();
    const int done = RequestsDone;
    ChooseMatch = [&](const TMatchArray&) { return c.Choice; };
    Cddb->HttpQuery();
    ASSERT_TRUE(WaitForRequests(done + 1));
    ASSERT_EQ(MatchCalls.size(), 1u);
    EXPECT_EQ(MatchCalls[0][1], L"blues 0c016699 Second Artist / Second");
    EXPECT_EQ(MatchCalls[0][2], L"");
    EXPECT_EQ(Cddb->State(), c.State) << c.Choice;
    EXPECT_EQ(Statuses, (std::vector<String>{L"Querying CD", c.Found, L"OK, receiving matches", L"Received matches"}));
    if (c.State == CddbState::QueryDone) {
      EXPECT_EQ(Cddb->DiscInfo().Category, c.Category);
      EXPECT_EQ(Cddb->DiscInfo().DiscId, c.DiscId);
    }
  }
}

TEST_F(CddbFixture, QueryRepliesWithoutAMatch) {
  const struct {
    const char* Line;
    int State;
    const wchar_t* Status;
  } cases[] = {
      {"202 No match for disc ID 0c016602.", CddbState::QueryFailed, L"No match found"},
      {"403 Database entry is corrupt.", CddbState::QueryFailed, L"Database entry is corrupt"},
      {"409 No handshake.", CddbState::QueryFailed, L"No handshake"},
      {"402 Server error.", CddbState::QuerySent, L"Server error"},
      {"408 CGI environment error.", CddbState::QuerySent, L"CGI environment error"},
      {"500 Command syntax error.", CddbState::QuerySent, L"Command syntax error, command unknown, command unimplemented"},
      {"530 Server error, server timeout.", CddbState::QuerySent, L"Server error, server timeout"},
      {"100 hello", CddbState::QuerySent, L"Informative message, ready for further commands"},
      {"310 more", CddbState::QuerySent, L"Command OK so far, more server-to-client output follows"},
      {"420 input", CddbState::QuerySent, L"Command OK, but cannot be performed, more client-to-server input follows"},
      {"201 plain", CddbState::QuerySent, L"Command OK"},
      {"230 closing", CddbState::Idle, L"Command OK, connection will close"},
      {"599 odd", CddbState::QuerySent, L"Command unimplemented, incorrect, or program error"},
      {"700 none", CddbState::QuerySent, L", ready for further commands"},
  };
  for (const auto& c : cases) {
    THttpTestServer server({{Answer(Ok(std::string(c.Line) + "\r\n"))}});
    UseHttpPeer(server.PortText());
    Statuses.clear();
    const int done = RequestsDone;
    Cddb->HttpQuery();
    ASSERT_TRUE(WaitForRequests(done + 1));
    EXPECT_EQ(Cddb->State(), c.State) << c.Line;
    ASSERT_EQ(Statuses.size(), 2u) << c.Line;
    EXPECT_EQ(Statuses[1], c.Status) << c.Line;
    EXPECT_TRUE(MatchCalls.empty());
  }
}

TEST_F(CddbFixture, AnErrorStatusOrAnUnreachableServerIsAnInternalError) {
  {
    THttpTestServer server({{Answer(Response("HTTP/1.0 404 Not Found", {"Content-Length: 9"}, "200 a b c"))}});
    UseHttpPeer(server.PortText());
    Cddb->HttpQuery();
    ASSERT_TRUE(WaitForRequests(1));
    EXPECT_EQ(Cddb->State(), CddbState::InternalError);
    EXPECT_EQ(Statuses.back(), L"CDDB Component Internal Error: THttpCli.GetAsync failed because of error \"Not Found\"");
    EXPECT_TRUE(MatchCalls.empty());
  }
  UseHttpPeer(IntToStr(net_test::UnusedPort()));
  Cddb->HttpQuery();
  ASSERT_TRUE(WaitForRequests(2));
  EXPECT_EQ(Cddb->State(), CddbState::InternalError);
  EXPECT_EQ(Statuses.back().rfind(L"CDDB Component Internal Error: THttpCli.GetAsync failed because of error \"", 0), 0u);
}

TEST_F(CddbFixture, NoQueryWithoutADiscOrAnHttpServer) {
  Cddb->ServerType = CDDBP;
  Cddb->HttpQuery();
  EXPECT_EQ(Statuses.back(), L"Selected server not an HTTP server");
  Cddb->HttpRead();
  EXPECT_EQ(Statuses.back(), L"Selected server not an HTTP server");

  THttpTestServer server({});
  UseHttpPeer(server.PortText());
  Machine.Platform.Drives[0].Toc = TRawToc{};
  Machine.Platform.Drives[0].IoctlTocError = ERROR_NOT_READY;
  Machine.Platform.Drives[0].PassThroughTocError = ERROR_NO_SYSTEM_RESOURCES;
  Statuses.clear();
  EXPECT_FALSE(Cddb->ReadDiscInfo(0));
  EXPECT_EQ(Cddb->DiscInfo().DiscId, L"");
  EXPECT_EQ(Cddb->DiscInfo().Toc.TrackCount, 0);
  Cddb->HttpQuery();
  EXPECT_EQ(Statuses.back(), L"No CD in CD/DVD drive!");
  testing_support::PumpFor(100);
  EXPECT_EQ(server.ConnectionCount(), 0);
  EXPECT_TRUE(server.Requests().empty());
}

// ---- the read -------------------------------------------------------------------------------------

const char kEntry[] =
    "210 rock 0c016602 CD database entry follows\r\n"
    "# xmcd\r\n#\r\n# Track frame offsets:\r\n#\t150\r\n#\t14250\r\n#\r\n# Disc length: 360 seconds\r\n#\r\n"
    "# Revision: 2\r\n#\r\nDISCID=0c016602\r\nDTITLE=The Artist / The Album\r\nDYEAR=2001\r\nDGENRE=Rock\r\n"
    "TTITLE0=Opening\r\nTTITLE1=Closing\r\nEXTD=\r\nEXTT0=\r\nEXTT1=\r\nPLAYORDER=\r\n.\r\n";

TEST_F(CddbFixture, AReadFillsTheDiscInformation) {
  THttpTestServer server({{Answer(Ok("200 rock 0c016602 The Artist / The Album\r\n"))}, {Answer(Ok(kEntry))}});
  UseHttpPeer(server.PortText());
  Cddb->HttpQuery();
  ASSERT_TRUE(WaitForRequests(1));
  Cddb->HttpRead();
  ASSERT_TRUE(WaitForRequests(2));
  EXPECT_EQ(Target(server, 1),
            "/~cddb/cddb.cgi?cmd=cddb+read+rock+0c016602&hello=someone+example%2Eorg+my+client+2%2E0&proto=5");
  EXPECT_EQ(Cddb->State(), CddbState::EntryRead);
  const TCDInfo& info = Cddb->DiscInfo();
  EXPECT_EQ(info.Artist, L"The Artist");
  EXPECT_EQ(info.Title, L"The Album");
  EXPECT_EQ(info.TrackTitles[0], L"Opening");
  EXPECT_EQ(info.TrackTitles[1], L"Closing");
  EXPECT_EQ(info.Category, L"rock");
  EXPECT_EQ(info.DiscId, L"0c016602");  // read from the drive again
  EXPECT_EQ(info.Toc.TrackCount, 2);
  EXPECT_EQ(Statuses, (std::vector<String>{L"Querying CD", L"Found exact match", L"Reading CD info",
                                           L"OK, CDDB database entry follows", L"Entry read"}));
}

TEST_F(CddbFixture, AnIncompleteEntryIsReportedCorrupt) {
  THttpTestServer server({{Answer(Ok("200 rock 0c016602 T\r\n"))},
                          {Answer(Ok("210 rock 0c016602 follows\r\nDTITLE=A / B\r\nTTITLE0=Only\r\n.\r\n"))}});
  UseHttpPeer(server.PortText());
  Cddb->HttpQuery();
  ASSERT_TRUE(WaitForRequests(1));
  Cddb->HttpRead();
  ASSERT_TRUE(WaitForRequests(2));
  EXPECT_EQ(Statuses.back(), L"The entry is corrupt");
  EXPECT_EQ(Cddb->DiscInfo().TrackTitles[0], L"Only");
}

TEST_F(CddbFixture, ReadFailures) {
  const struct {
    const char* Line;
    int State;
    const wchar_t* Status;
  } cases[] = {
      {"401 rock 0c016602 No such CD entry in database.", CddbState::ReadFailed, L"Specified CDDB entry not found"},
      {"403 Database entry is corrupt.", CddbState::ReadFailed, L"Database entry is corrupt"},
      {"409 No handshake.", CddbState::ReadFailed, L"No handshake"},
      {"402 Server error.", CddbState::ReadSent, nullptr},
      {"500 Command syntax error.", CddbState::ReadFailed, L"Command syntax error, command unknown, command unimplemented"},
  };
  for (const auto& c : cases) {
    THttpTestServer server({{Answer(Ok("200 rock 0c016602 T\r\n"))}, {Answer(Ok(std::string(c.Line) + "\r\n"))}});
    UseHttpPeer(server.PortText());
    const int done = RequestsDone;
    Cddb->HttpQuery();
    ASSERT_TRUE(WaitForRequests(done + 1));
    Cddb->HttpRead();
    Statuses.clear();
    ASSERT_TRUE(WaitForRequests(done + 2));
    EXPECT_EQ(Cddb->State(), c.State) << c.Line;
    if (c.Status) {
      EXPECT_EQ(Statuses, std::vector<String>{c.Status}) << c.Line;
    } else {
      EXPECT_TRUE(Statuses.empty()) << c.Line;
    }
  }
}

TEST_F(CddbFixture, TheIdleAbortChangesNothing) {
  THttpTestServer server({{Answer(Ok("210 matches\r\nrock 0c016602 T\r\n"))}});  // no final "."
  UseHttpPeer(server.PortText());
  Cddb->HttpQuery();
  ASSERT_TRUE(WaitForRequests(1));
  ASSERT_EQ(Cddb->State(), CddbState::QuerySent);
  const std::size_t statuses = Statuses.size();
  Cddb->AbortRequest();
  testing_support::PumpFor(50);
  EXPECT_EQ(Cddb->State(), CddbState::QuerySent);
  EXPECT_EQ(Statuses.size(), statuses);
  EXPECT_TRUE(MatchCalls.empty());
}

}  // namespace
