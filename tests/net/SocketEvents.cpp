#include "tests/net/SocketEvents.h"

#include <algorithm>

#include "tests/support/TestSupport.h"

namespace net_test {

const char* StateName(TSocketState state) {
  static const char* const names[] = {"invalid", "opened", "bound", "connecting", "socksconnected",
                                      "connected", "accepting", "listening", "closed"};
  return names[state];
}

bool TEventLog::Has(const std::string& entry) const {
  return std::find(Entries.begin(), Entries.end(), entry) != Entries.end();
}

std::string TEventLog::Text() const {
  std::string text;
  for (const std::string& entry : Entries) text += (text.empty() ? "" : "; ") + entry;
  return text;
}

void TEventLog::Attach(TCustomWSocket& socket, bool readData) {
  socket.OnChangeState = [this](TObject*, TSocketState from, TSocketState to) {
    Add(std::string(StateName(from)) + ">" + StateName(to));
  };
  socket.OnSessionConnected = [this](TObject*, Word error) { Add("connected " + std::to_string(error)); };
  socket.OnSessionClosed = [this](TObject*, Word error) { Add("closed " + std::to_string(error)); };
  if (RecordSent) socket.OnDataSent = [this](TObject*, Word error) { Add("sent " + std::to_string(error)); };
  if (readData) {
    socket.OnDataAvailable = [this, &socket](TObject*, Word) {
      char buffer[8192];
      int count = socket.Receive(buffer, sizeof(buffer));
      if (count > 0) {
        Data.append(buffer, static_cast<std::size_t>(count));
        if (Entries.empty() || Entries.back() != "data") Add("data");
      }
    };
  }
}

TSocketPtr ClientFor(const String& port) {
  TSocketPtr socket(NewObject<TWSocket>(nullptr));
  socket->SetAddr(L"127.0.0.1");
  socket->SetPort(port);
  return socket;
}

TConnectedClient::TConnectedClient(TLoopbackServer::Session session, bool readData) : Server(std::move(session)) {
  Socket = ClientFor(Server.PortText());
  Log.Attach(*Socket, readData);
  Socket->Connect();
  EXPECT_TRUE(testing_support::PumpUntil([&] { return Log.Has("connected 0"); })) << Log.Text();
  testing_support::PumpFor(20);  // the connect-time write notification
  Log.Entries.clear();
}

}  // namespace net_test
