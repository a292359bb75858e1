#pragma once
// Records a socket's events as short texts, in the order they fire.

#include <string>
#include <vector>

#include "net/CustomWSocket.h"

namespace net_test {

const char* StateName(TSocketState state);

struct TEventLog {
  std::vector<std::string> Entries;
  std::string Data;  // bytes taken by the data handler

  void Add(const std::string& entry) { Entries.push_back(entry); }
  bool Has(const std::string& entry) const;
  std::string Text() const;  // entries joined by "; ", for failure messages

  // Records OnChangeState, OnSessionConnected, OnSessionClosed and OnDataSent. With readData the
  // data handler takes every pending byte into Data and records "data".
  void Attach(TCustomWSocket& socket, bool readData = true);
};

}  // namespace net_test
