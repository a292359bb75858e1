#include "tests/capture/CddbFixture.h"

#include <algorithm>

#include "tests/support/TestSupport.h"

namespace capture_test {

TRawToc WorkedExampleToc() { return RawToc(1, {{150}, {190 * 75}}, 360 * 75); }

void CddbFixture::SetUp() {
  previousAnswerer_ = SetMessageBoxAnswerer([this](HWND, const String& text, const String&, UINT) {
    Boxes.push_back(text);
    return IDOK;
  });
  TFakeDrive drive;
  drive.Toc = WorkedExampleToc();
  Machine.Platform.Drives = {drive};
  Cddb.reset(NewObject<TCddb>(nullptr));
  Cddb->OnStatusMessage = [this](TObject*, const String& status) {
    Statuses.push_back(status);
    StatesAtStatus.push_back(Cddb->State());
  };
  Cddb->OnDataExchange = [this](TObject*, const String& text) { Exchanged.push_back(text); };
  Cddb->OnMatch = [this](TObject*, TMatchArray& matches, int& rightOne) {
    MatchCalls.push_back(matches);
    rightOne = ChooseMatch(matches);
  };
  THttpRequestDone inner = Cddb->HttpClient().OnRequestDone;
  Cddb->HttpClient().OnRequestDone = [this, inner](TObject* sender, THttpRequest request, Word error) {
    inner(sender, request, error);
    ++RequestsDone;
  };
  ASSERT_TRUE(Cddb->ReadDiscInfo(0));
}

void CddbFixture::TearDown() {
  Cddb.reset();
  SetMessageBoxAnswerer(previousAnswerer_);
}

void CddbFixture::UseHttpPeer(const String& port) {
  Cddb->ServerType = HTTP;
  Cddb->ServerAddr = L"127.0.0.1";
  Cddb->ServerPort = port;
  Cddb->EmailUser = L"someone@example.org";
  Cddb->ClientName = L"my client";
  Cddb->ClientVersion = L"2.0";
}

bool CddbFixture::WaitForRequests(int count, DWORD timeoutMs) {
  return testing_support::PumpUntil([&] { return RequestsDone >= count; }, timeoutMs);
}

bool CddbFixture::HasStatus(const String& status) const {
  return std::find(Statuses.begin(), Statuses.end(), status) != Statuses.end();
}

}  // namespace capture_test
