#pragma once
// A CD database client on a fake machine whose drive D holds a two-track disc (tracks at 00:02.00
// and 03:10.00, lead-out at 06:00.00, disc id 0c016602), with its statuses, data exchanges and
// match requests recorded, and a way to wait for its HTTP requests.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "capture/Cddb.h"
#include "platform/framework/rtl/Seams.h"
#include "tests/capture/FakeCDPlatform.h"

namespace capture_test {

TRawToc WorkedExampleToc();

class CddbFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Points the client at 127.0.0.1 on that port as an HTTP server.
  void UseHttpPeer(const String& port);
  // Pumps until the client's HTTP request has completed `count` times in all.
  bool WaitForRequests(int count, DWORD timeoutMs = 5000);
  bool HasStatus(const String& status) const;
  // Answers every match request with this row (before the handler may change it).
  std::function<int(const TMatchArray&)> ChooseMatch = [](const TMatchArray&) { return 0; };

  TFakeMachine Machine;
  // Every message box, answered with OK.
  std::vector<String> Boxes;
  ObjectPtr<TCddb> Cddb;
  std::vector<String> Statuses;
  std::vector<int> StatesAtStatus;
  std::vector<String> Exchanged;
  std::vector<TMatchArray> MatchCalls;
  int RequestsDone = 0;

 private:
  TMessageBoxAnswerer previousAnswerer_;
};

}  // namespace capture_test
