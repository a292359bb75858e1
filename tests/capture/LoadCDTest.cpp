// The load-CD dialog on a fake drive and a loopback CD database server.

#include <gtest/gtest.h>


#include <memory>

#include "capture/LoadCD.h"

#include <dbt.h>
#include "capture/Match.h"
#include "platform/framework/rtl/Seams.h"
#include "tests/capture/FakeCDPlatform.h"
#include "tests/net/LoopbackServer.h"
#include "tests/net/http/HttpTestServer.h"
#include "platform/framework/rtl/SysUtils.h"
#include "tests/support/TestSupport.h"
#include "ui/extras/pngbuttons/PngSpeedButton.h"

using namespace capture_test;
using http_test::Answer;
using http_test::THttpTestServer;

namespace {

std::string Ok(const std::string& body) {
  return http_test::Response("HTTP/1.0 200 OK", {"Content-Length: " + std::to_string(body.size())}, body);
}

const std::string kEntry =
    "210 rock 0c016602 CD database entry follows\r\n"
    "# xmcd\r\n#\r\n# Track frame offsets:\r\n#\t150\r\n#\t14250\r\n#\r\n# Disc length: 360 seconds\r\n#\r\n"
    "# Revision: 2\r\n#\r\nDISCID=0c016602\r\nDTITLE=The Artist / The Album\r\n"
    "TTITLE0=Opening\r\nTTITLE1=Closing\r\nEXTD=\r\nEXTT0=\r\nEXTT1=\r\nPLAYORDER=\r\n.\r\n";

class LoadCDTest : public testing::Test {
 protected:
  void SetUp() override {
    TFakeDrive drive;
    drive.Letter = L'E';
    drive.Toc = RawToc(1, {{150}, {190 * 75}}, 360 * 75);
    drive.Files = {L"Track02.cda", L"Track01.cda", L"Notes.cda"};
    Machine.Platform.Drives = {drive};
    previousAnswerer_ = SetMessageBoxAnswerer([this](HWND, const String& text, const String&, UINT) {
      Boxes.push_back(text);
      return IDOK;
    });
    previousDriver_ = SetModalDriver([this](const TModalLoop& loop) {
      auto* match = dynamic_cast<TMatchForm*>(FindControl(loop.Window));
      if (!match) {
        loop.End();
        return;
      }
      std::vector<String> rows;
      for (int i = 0; i < match->LstMatches->Items()->Count(); ++i) rows.push_back(match->LstMatches->Items()->Strings(i));
      MatchDialogs.push_back(rows);
      match->ModalResult = AcceptMatch ? mrOk : mrCancel;
    });
    savedServer_ = CddbServer();
  }
  void TearDown() override {
    Form.reset();
    CddbServer() = savedServer_;
    SetModalDriver(previousDriver_);
    SetMessageBoxAnswerer(previousAnswerer_);
  }

  void OpenForm() {
    Form.reset(new TLoadCDForm(nullptr));
    Form->Show();
    testing_support::PumpFor(50);
  }
  void UsePeer(const THttpTestServer& server) {
    CddbServer().Host = L"127.0.0.1";
    CddbServer().Port = server.PortText();
  }
  std::vector<String> Rows() {
    std::vector<String> rows;
    for (int i = 0; i < Form->ListViewTracks->Items()->Count(); ++i)
      rows.push_back(Form->ListViewTracks->Items()->Item(i)->Caption());
    return rows;
  }
  String ButtonCaption() { return Form->Actionfreecddb->Caption(); }
  bool Animating() { return Form->Timer->Enabled(); }

  TFakeMachine Machine;
  std::unique_ptr<TLoadCDForm> Form;
  std::vector<String> Boxes;
  std::vector<std::vector<String>> MatchDialogs;
  bool AcceptMatch = true;

 private:
  TMessageBoxAnswerer previousAnswerer_;
  TModalScript previousDriver_;
  TCddbServerRecord savedServer_;
};

TEST_F(LoadCDTest, ListsTheTracksInTrackOrder) {
  OpenForm();
  EXPECT_EQ(Form->Caption(), L"Load Audio CD Track(s)");
  ASSERT_EQ(Form->ComboBoxCDROM->Items()->Count(), 1);
  EXPECT_EQ(Form->ComboBoxCDROM->Items()->Strings(0), L"CD-ROM 1");
  EXPECT_EQ(Rows(), (std::vector<String>{L"Track - 01", L"Track - 02", L"Track - es"}));
  auto* first = static_cast<TCDItem*>(Form->ListViewTracks->Items()->Item(0)->Data);
  EXPECT_EQ(first->TrackPath, L"E:\\Track01.cda");
  EXPECT_TRUE(Boxes.empty());
  EXPECT_FALSE(Form->LabelConnect->Visible());
  EXPECT_EQ(ButtonCaption(), L"freecddb");
  ASSERT_NE(Form->ButtonFreeCDDB->PngImage(), nullptr);
  EXPECT_EQ(Form->ButtonFreeCDDB->PngImage()->Width(), 24);
}

TEST_F(LoadCDTest, ADataDiscListsNothingAndTheButtonDoesNothing) {
  Machine.Platform.Drives[0].Label = L"BACKUP";
  THttpTestServer server({});
  UsePeer(server);
  OpenForm();
  EXPECT_TRUE(Rows().empty());
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0],
            L"No Audio Disc have been detected. If you do have an Audio-CD inserted but see this message please read the "
            L"Help topic relating to Loading CD Tracks.");
  Form->Actionfreecddb->Execute();
  testing_support::PumpFor(100);
  EXPECT_FALSE(Animating());
  EXPECT_EQ(server.ConnectionCount(), 0);
}

TEST_F(LoadCDTest, ADeviceArrivalReadsTheDriveAgain) {
  OpenForm();
  Machine.Platform.Drives[0].Files = {L"Track01.cda"};
  SendMessageW(Form->Handle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
  EXPECT_EQ(Rows(), std::vector<String>{L"Track - 01"});
  Machine.Platform.Drives[0].Label = L"";
  SendMessageW(Form->Handle(), WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
  EXPECT_TRUE(Rows().empty());
}

TEST_F(LoadCDTest, ASingleMatchIsShownAndTitlesFollowTheTrackNumbers) {
  THttpTestServer server({{Answer(Ok("200 rock 0c016602 The Artist / The Album\r\n"))}, {Answer(Ok(kEntry))}});
  UsePeer(server);
  OpenForm();
  Form->Actionfreecddb->Execute();
  EXPECT_TRUE(Animating());
  EXPECT_TRUE(Form->LabelConnect->Visible());
  EXPECT_EQ(ButtonCaption(), L"freecddb");
  const wchar_t* frames[] = {L"- freecddb -", L"\\ freecddb \\", L"| freecddb |", L"/ freecddb /", L"- freecddb -"};
  for (const wchar_t* frame : frames) {
    Form->TimerTimer(Form->Timer);
    EXPECT_EQ(ButtonCaption(), frame);
  }
  ASSERT_TRUE(testing_support::PumpUntil([&] { return Rows()[0] == L"Opening"; }));
  ASSERT_EQ(MatchDialogs.size(), 1u);
  EXPECT_EQ(MatchDialogs[0], std::vector<String>{L"The Artist / The Album - rock"});
  EXPECT_EQ(Rows(), (std::vector<String>{L"Opening", L"Closing", L"Track - es"}));
  EXPECT_EQ(static_cast<TCDItem*>(Form->ListViewTracks->Items()->Item(1)->Data)->Caption, L"Closing");
  EXPECT_FALSE(Animating());
  EXPECT_EQ(ButtonCaption(), L"freecddb");
  EXPECT_TRUE(Boxes.empty());
}

TEST_F(LoadCDTest, DecliningEveryMatchStopsTheAnimationAndChangesNoCaption) {
  THttpTestServer server({{Answer(Ok("211 close matches\r\nrock 0c016602 A / B\r\nblues 0c016603 C / D\r\n.\r\n"))}});
  UsePeer(server);
  AcceptMatch = false;
  OpenForm();
  Form->Actionfreecddb->Execute();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return !MatchDialogs.empty(); }));
  testing_support::PumpFor(100);
  EXPECT_EQ(MatchDialogs[0], (std::vector<String>{L"A / B - rock", L"C / D - blues"}));
  EXPECT_FALSE(Animating());
  EXPECT_FALSE(Form->LabelConnect->Visible());
  EXPECT_EQ(Rows(), (std::vector<String>{L"Track - 01", L"Track - 02", L"Track - es"}));
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(LoadCDTest, FailuresAreReportedAndResetTheButton) {
  const String unreachable =
      L"The operation failed when trying to access the freeDB Internet server. Please try again later.";
  {
    CddbServer().Host = L"127.0.0.1";
    CddbServer().Port = IntToStr(net_test::UnusedPort());
    OpenForm();
    Form->Actionfreecddb->Execute();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return !Boxes.empty(); }));
    EXPECT_EQ(Boxes, std::vector<String>{unreachable});
    EXPECT_FALSE(Animating());
  }
  Boxes.clear();
  THttpTestServer server({{Answer(Ok("200 rock 0c016602 A / B\r\n"))},
                          {Answer(Ok("401 rock 0c016602 No such CD entry in database.\r\n"))}});
  UsePeer(server);
  Form->Actionfreecddb->Execute();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return !Boxes.empty(); }));
  testing_support::PumpFor(50);
  EXPECT_EQ(Boxes, std::vector<String>{L"Reading CDDB information failed."});
  EXPECT_FALSE(Animating());
  EXPECT_EQ(Form->LabelConnect->Caption(),
            L"Connected to freedb server, please wait ... \n\rStatus: specified cddb entry not found ...");
}

TEST_F(LoadCDTest, ALookupTheServerNeverAnswersIsGivenUp) {
  net_test::TLoopbackServer silent([](net_test::TLoopbackServer& server, SOCKET peer) { server.ReadToEnd(peer); });
  CddbServer().Host = L"127.0.0.1";
  CddbServer().Port = silent.PortText();
  OpenForm();
  Form->TimerLookup->SetInterval(200);
  Form->Actionfreecddb->Execute();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return !Boxes.empty(); }));
  EXPECT_EQ(Boxes, std::vector<String>{
                       L"The operation failed when trying to access the freeDB Internet server. Please try again later."});
  EXPECT_FALSE(Animating());
  EXPECT_EQ(Form->TimerLookup->Interval(), 200u);
  EXPECT_EQ(TLoadCDForm::kLookupTimeoutMs, 30000u);
}

TEST_F(LoadCDTest, ASecondClickWhileTheFirstReplyIsHeldBack) {
  const std::string held = Ok("200 rock 0c016602 Held / Back\r\n");
  http_test::TReply slow{{held.substr(0, 20), held.substr(20)}, 1000, false};
  THttpTestServer server({{slow}, {Answer(Ok("200 rock 0c016602 The Artist / The Album\r\n"))}, {Answer(Ok(kEntry))}});
  UsePeer(server);
  OpenForm();
  Form->Actionfreecddb->Execute();
  testing_support::PumpFor(150);
  Form->Actionfreecddb->Execute();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return Rows()[0] == L"Opening"; }))
      << MatchDialogs.size() << " dialogs, " << Boxes.size() << " boxes, " << server.Requests().size()
      << " requests, state " << Form->Cddb->State() << ", http " << Form->Cddb->HttpClient().State() << " " << Form->Cddb->HttpClient().StatusCode() << " err " << Form->Cddb->HttpClient().RequestDoneError() << " " << std::string(Form->Cddb->HttpClient().ReasonPhrase().begin(), Form->Cddb->HttpClient().ReasonPhrase().end());
  testing_support::PumpFor(1200);
  EXPECT_EQ(MatchDialogs, std::vector<std::vector<String>>{{L"The Artist / The Album - rock"}});
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(Rows(), (std::vector<String>{L"Opening", L"Closing", L"Track - es"}));
}

}  // namespace
