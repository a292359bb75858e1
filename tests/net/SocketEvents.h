#pragma once
// Records a socket's events as short texts, in the order they fire.

#include <string>
#include <vector>

#include "net/LineWSocket.h"
#include "platform/framework/classes/Object.h"
#include "tests/net/LoopbackServer.h"

namespace net_test {

const char* StateName(TSocketState state);

struct TEventLog {
  std::vector<std::string> Entries;
  std::string Data;  // bytes taken by the data handler
  bool RecordSent = true;

  void Add(const std::string& entry) { Entries.push_back(entry); }
  bool Has(const std::string& entry) const;
  std::string Text() const;  // entries joined by "; ", for failure messages

  // Records OnChangeState, OnSessionConnected, OnSessionClosed and OnDataSent. With readData the
  // data handler takes every pending byte into Data and records "data".
  void Attach(TCustomWSocket& socket, bool readData = true);
};

using TSocketPtr = ObjectPtr<TWSocket>;

// A new socket aimed at 127.0.0.1 and port.
TSocketPtr ClientFor(const String& port);

// A client connected to a loopback peer running session, with its event log; the log starts
// empty after the connection's own notifications.
struct TConnectedClient {
  TLoopbackServer Server;
  TEventLog Log;  // outlives the socket, whose last events it records
  TSocketPtr Socket;
  explicit TConnectedClient(TLoopbackServer::Session session = ReadAllSession, bool readData = true);
};

}  // namespace net_test
