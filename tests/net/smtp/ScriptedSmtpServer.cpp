#include "tests/net/smtp/ScriptedSmtpServer.h"

namespace net_test {

namespace {

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// Reads one CR LF line; false at the end of the stream.
bool ReadLine(SOCKET peer, std::string& pending, std::string& line) {
  for (;;) {
    const std::size_t end = pending.find("\r\n");
    if (end != std::string::npos) {
      line = pending.substr(0, end);
      pending.erase(0, end + 2);
      return true;
    }
    char buffer[4096];
    const int count = recv(peer, buffer, sizeof buffer, 0);
    if (count <= 0) return false;
    pending.append(buffer, static_cast<std::size_t>(count));
  }
}

}  // namespace

TScriptedSmtpServer::TScriptedSmtpServer(TSmtpScript script)
    : script_(std::move(script)), server_([this](TLoopbackServer&, SOCKET peer) { Session(peer); }) {}

std::vector<std::string> TScriptedSmtpServer::Commands() const {
  std::lock_guard guard(lock_);
  return commands_;
}

std::vector<std::string> TScriptedSmtpServer::MessageLines() const {
  std::lock_guard guard(lock_);
  return message_;
}

std::string TScriptedSmtpServer::DefaultReply(const std::string& command) const {
  if (StartsWith(command, "EHLO")) return script_.EhloReply;
  if (StartsWith(command, "HELO")) return "250 test.example";
  if (StartsWith(command, "AUTH")) return "235 Authenticated";
  if (StartsWith(command, "DATA")) return "354 End data with <CR><LF>.<CR><LF>";
  if (StartsWith(command, "QUIT")) return "221 Bye";
  return "250 OK";
}

void TScriptedSmtpServer::Session(SOCKET peer) {
  TLoopbackServer::SendAll(peer, script_.Banner + "\r\n");
  if (!StartsWith(script_.Banner, "220")) return;
  std::string pending, line;
  while (ReadLine(peer, pending, line)) {
    {
      std::lock_guard guard(lock_);
      commands_.push_back(line);
    }
    std::string reply = script_.Reply ? script_.Reply(line) : std::string();
    if (reply.empty()) reply = DefaultReply(line);
    TLoopbackServer::SendAll(peer, reply + "\r\n");
    if (StartsWith(line, "QUIT")) return;
    if (!StartsWith(line, "DATA") || !StartsWith(reply, "354")) continue;
    while (ReadLine(peer, pending, line) && line != ".") {
      std::lock_guard guard(lock_);
      message_.push_back(line);
    }
    TLoopbackServer::SendAll(peer, "250 Queued\r\n");
  }
}

}  // namespace net_test
