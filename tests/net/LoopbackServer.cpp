#include "tests/net/LoopbackServer.h"

#include "platform/framework/rtl/SysUtils.h"

namespace net_test {

void EnsureTestWinsock() {
  static bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  (void)started;
}

namespace {

SOCKET BoundLoopbackSocket(int type, u_short& port) {
  EnsureTestWinsock();
  SOCKET s = socket(AF_INET, type, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  int length = sizeof(address);
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return s;
}

}  // namespace

TLoopbackServer::TLoopbackServer(Session session) : session_(std::move(session)) {
  listener_ = BoundLoopbackSocket(SOCK_STREAM, port_);
  listen(listener_, 5);
  thread_ = std::thread([this] { Run(); });
}

TLoopbackServer::~TLoopbackServer() {
  closesocket(listener_);  // ends a pending accept
  if (thread_.joinable()) thread_.join();
}

String TLoopbackServer::PortText() const { return IntToStr(port_); }

std::string TLoopbackServer::Received() const {
  std::lock_guard<std::mutex> guard(lock_);
  return received_;
}

void TLoopbackServer::Run() {
  SOCKET peer = accept(listener_, nullptr, nullptr);
  if (peer != INVALID_SOCKET) {
    session_(*this, peer);
    closesocket(peer);
  }
  finished_ = true;
}

void TLoopbackServer::Record(const char* data, int count) {
  std::lock_guard<std::mutex> guard(lock_);
  received_.append(data, static_cast<std::size_t>(count));
}

void TLoopbackServer::ReadToEnd(SOCKET peer) {
  char buffer[65536];
  for (;;) {
    int count = recv(peer, buffer, sizeof(buffer), 0);
    if (count > 0) {
      Record(buffer, count);
    } else {
      if (count == 0) sawEnd_ = true;
      else if (WSAGetLastError() == WSAECONNRESET) sawReset_ = true;
      return;
    }
  }
}

std::string TLoopbackServer::ReadExactly(SOCKET peer, int count) {
  std::string bytes;
  char buffer[4096];
  while (static_cast<int>(bytes.size()) < count) {
    int want = std::min<int>(sizeof(buffer), count - static_cast<int>(bytes.size()));
    int got = recv(peer, buffer, want, 0);
    if (got <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
    Record(buffer, got);
  }
  return bytes;
}

void TLoopbackServer::SendAll(SOCKET peer, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    int sent = send(peer, bytes.data() + done, static_cast<int>(bytes.size() - done), 0);
    if (sent <= 0) return;
    done += static_cast<std::size_t>(sent);
  }
}

void ReadAllSession(TLoopbackServer& server, SOCKET peer) { server.ReadToEnd(peer); }

void EchoSession(TLoopbackServer& server, SOCKET peer) {
  char buffer[4096];
  for (;;) {
    int count = recv(peer, buffer, sizeof(buffer), 0);
    if (count <= 0) return;
    server.Record(buffer, count);
    TLoopbackServer::SendAll(peer, std::string(buffer, static_cast<std::size_t>(count)));
  }
}

u_short UnusedPort() {
  u_short port = 0;
  SOCKET s = BoundLoopbackSocket(SOCK_STREAM, port);
  closesocket(s);
  return port;
}

}  // namespace net_test
