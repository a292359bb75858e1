#pragma once
// A loopback SMTP peer for the client's tests: it sends a banner, answers each command line with a
// scripted or default reply, gathers the DATA lines, and closes after QUIT.

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "tests/net/LoopbackServer.h"

namespace net_test {

struct TSmtpScript {
  std::string Banner = "220 test.example ESMTP";
  std::string EhloReply = "250-test.example\r\n250 AUTH LOGIN PLAIN";
  // The reply to a command line; an empty answer takes the default for the command.
  std::function<std::string(const std::string& command)> Reply;
};

class TScriptedSmtpServer {
 public:
  explicit TScriptedSmtpServer(TSmtpScript script = {});
  String PortText() const { return server_.PortText(); }
  std::vector<std::string> Commands() const;
  // The lines received after DATA, up to the final ".", as sent (dot-stuffed).
  std::vector<std::string> MessageLines() const;

 private:
  void Session(SOCKET peer);
  std::string DefaultReply(const std::string& command) const;

  TSmtpScript script_;
  mutable std::mutex lock_;
  std::vector<std::string> commands_;
  std::vector<std::string> message_;
  TLoopbackServer server_;
};

}  // namespace net_test
