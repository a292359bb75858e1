#pragma once
// A client under test with every event recorded as a short text, in firing order.

#include <string>
#include <vector>

#include "net/HttpCli.h"
#include "platform/framework/classes/Stream.h"

namespace http_test {

struct THttpProbe {
  ObjectPtr<THttpCli> Http{NewObject<THttpCli>(nullptr)};
  TMemoryStream Received;
  std::vector<std::string> Events;
  std::string DocData;
  std::vector<std::string> Commands;  // lines handed to OnCommand
  int DoneCount = 0;
  Word DoneError = 0;
  bool RecordStates = true;

  THttpProbe();
  // Points the client at 127.0.0.1:port + path.
  void Target(const String& port, const String& path = L"/");
  // Starts a GET and pumps until OnRequestDone, then a little longer to catch a second one.
  bool Get(DWORD timeoutMs = 5000);
  bool WaitDone(DWORD timeoutMs = 5000);
  bool Has(const std::string& event) const;
  int Count(const std::string& event) const;
  std::string Text() const;
};

// The state's name as the probe records it.
std::string StateName(THttpClientState state);

}  // namespace http_test
