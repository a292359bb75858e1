#include "tests/net/SocketEvents.h"

#include <algorithm>

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
  socket.OnDataSent = [this](TObject*, Word error) { Add("sent " + std::to_string(error)); };
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

}  // namespace net_test
