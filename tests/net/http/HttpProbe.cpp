#include "tests/net/http/HttpProbe.h"

#include <algorithm>

#include "platform/framework/rtl/TextEncoding.h"
#include "tests/support/TestSupport.h"

namespace http_test {

std::string StateName(THttpClientState state) { return StringToAnsi(HttpStateText(state)).substr(8); }

THttpProbe::THttpProbe() {
  THttpCli& http = *Http;
  http.ReceiveStream = &Received;
  auto notify = [this](const char* name) { return TNotifyEvent([this, name](TObject*) { Events.push_back(name); }); };
  http.OnSessionConnected = notify("SessionConnected");
  http.OnSessionClosed = notify("SessionClosed");
  http.OnHeaderData = notify("HeaderData");
  http.OnHeaderBegin = notify("HeaderBegin");
  http.OnHeaderEnd = notify("HeaderEnd");
  http.OnRequestHeaderBegin = notify("RequestHeaderBegin");
  http.OnRequestHeaderEnd = notify("RequestHeaderEnd");
  http.OnDocBegin = notify("DocBegin");
  http.OnDocEnd = notify("DocEnd");
  http.OnLocationChange = notify("LocationChange");
  http.OnDataPush2 = notify("DataPush2");
  http.OnStateChange = [this](TObject*) {
    if (RecordStates) Events.push_back("state " + StateName(Http->State()));
  };
  http.OnBeforeHeaderSend = [this](TObject*, const String&, TStrings&) { Events.push_back("BeforeHeaderSend"); };
  http.OnCommand = [this](TObject*, String& line) {
    Events.push_back("Command");
    Commands.push_back(StringToAnsi(line));
  };
  http.OnCookie = [this](TObject*, const String& data, bool&) { Events.push_back("Cookie " + StringToAnsi(data)); };
  http.OnDocData = [this](TObject*, const void* buffer, std::int32_t len) {
    if (Events.empty() || Events.back() != "DocData") Events.push_back("DocData");
    DocData.append(static_cast<const char*>(buffer), static_cast<std::size_t>(len));
  };
  http.OnRequestDone = [this](TObject*, THttpRequest, Word error) {
    Events.push_back("RequestDone " + std::to_string(error));
    ++DoneCount;
    DoneError = error;
  };
}

void THttpProbe::Target(const String& port, const String& path) { Http->URL = L"http://127.0.0.1:" + port + path; }

bool THttpProbe::WaitDone(DWORD timeoutMs) {
  const int before = DoneCount;
  const bool done = testing_support::PumpUntil([&] { return DoneCount > before; }, timeoutMs);
  testing_support::PumpFor(50);
  return done;
}

bool THttpProbe::Get(DWORD timeoutMs) {
  Http->GetAsync();
  return WaitDone(timeoutMs);
}

bool THttpProbe::Has(const std::string& event) const {
  return std::find(Events.begin(), Events.end(), event) != Events.end();
}

int THttpProbe::Count(const std::string& event) const {
  return static_cast<int>(std::count(Events.begin(), Events.end(), event));
}

std::string THttpProbe::Text() const {
  std::string text;
  for (const std::string& event : Events) text += (text.empty() ? "" : "; ") + event;
  return text;
}

}  // namespace http_test
