#include "tests/net/http/HttpTestServer.h"

#include <algorithm>
#include <cctype>

#include "platform/framework/rtl/SysUtils.h"
#include "tests/net/LoopbackServer.h"

namespace http_test {

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool SendAll(SOCKET peer, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const int sent = send(peer, bytes.data() + done, static_cast<int>(bytes.size() - done), 0);
    if (sent <= 0) return false;
    done += static_cast<std::size_t>(sent);
  }
  return true;
}

bool ReadExactly(SOCKET peer, std::size_t count, std::string& into) {
  char buffer[4096];
  while (into.size() < count) {
    const int got = recv(peer, buffer, static_cast<int>(std::min<std::size_t>(sizeof(buffer), count - into.size())), 0);
    if (got <= 0) return false;
    into.append(buffer, static_cast<std::size_t>(got));
  }
  return true;
}

}  // namespace

std::string TSeenRequest::RequestLine() const { return Head.substr(0, Head.find("\r\n")); }

std::string TSeenRequest::Header(const std::string& name) const {
  const std::string wanted = Lower(name) + ":";
  std::size_t start = Head.find("\r\n");
  while (start != std::string::npos && start + 2 < Head.size()) {
    start += 2;
    const std::size_t end = Head.find("\r\n", start);
    const std::string line = Head.substr(start, end - start);
    if (Lower(line.substr(0, wanted.size())) == wanted) {
      std::size_t value = wanted.size();
      while (value < line.size() && line[value] == ' ') ++value;
      return line.substr(value);
    }
    start = end;
  }
  return {};
}

bool TSeenRequest::HasHeader(const std::string& name) const {
  return Lower(Head).find("\r\n" + Lower(name) + ":") != std::string::npos;
}

TReply Answer(const std::string& response, bool close) { return TReply{{response}, 0, close}; }

std::string Response(const std::string& statusLine, const std::vector<std::string>& headers, const std::string& body) {
  std::string text = statusLine + "\r\n";
  for (const std::string& line : headers) text += line + "\r\n";
  return text + "\r\n" + body;
}

THttpTestServer::THttpTestServer(std::vector<TConnectionScript> connections, bool socks5)
    : scripts_(std::move(connections)), socks5_(socks5) {
  net_test::EnsureTestWinsock();
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  int length = sizeof(address);
  getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  listen(listener_, 5);
  thread_ = std::thread([this] { Run(); });
}

THttpTestServer::~THttpTestServer() {
  stopping_ = true;
  closesocket(listener_);
  const SOCKET peer = current_.exchange(INVALID_SOCKET);
  if (peer != INVALID_SOCKET) shutdown(peer, 2 /* both directions */);
  if (thread_.joinable()) thread_.join();
}

String THttpTestServer::PortText() const { return IntToStr(port_); }

std::vector<TSeenRequest> THttpTestServer::Requests() const {
  std::lock_guard<std::mutex> guard(lock_);
  return requests_;
}

std::string THttpTestServer::SocksTarget() const {
  std::lock_guard<std::mutex> guard(lock_);
  return socksTarget_;
}

void THttpTestServer::Run() {
  for (int index = 0; !stopping_; ++index) {
    const SOCKET peer = accept(listener_, nullptr, nullptr);
    if (peer == INVALID_SOCKET) return;
    current_ = peer;
    Serve(peer, index);
    if (current_.exchange(INVALID_SOCKET) != INVALID_SOCKET) closesocket(peer);
    ++connections_done_;
  }
}

bool THttpTestServer::SocksHandshake(SOCKET peer) {
  std::string greeting;
  if (!ReadExactly(peer, 2, greeting) || !ReadExactly(peer, 2 + static_cast<Byte>(greeting[1]), greeting)) return false;
  if (!SendAll(peer, std::string("\x05\x00", 2))) return false;
  // Version, command, reserved, address type, then an IPv4 address or a name, and the port.
  std::string request;
  if (!ReadExactly(peer, 5, request)) return false;
  std::string host;
  if (request[3] == 1) {
    if (!ReadExactly(peer, 10, request)) return false;
    for (int i = 4; i < 8; ++i) host += (i > 4 ? "." : "") + std::to_string(static_cast<Byte>(request[i]));
  } else if (request[3] == 3) {
    if (!ReadExactly(peer, 7 + static_cast<Byte>(request[4]), request)) return false;
    host = request.substr(5, static_cast<Byte>(request[4]));
  } else {
    return false;
  }
  const std::size_t port = request.size() - 2;
  {
    std::lock_guard<std::mutex> guard(lock_);
    socksTarget_ = host + ":" + std::to_string(static_cast<Byte>(request[port]) * 256 + static_cast<Byte>(request[port + 1]));
  }
  return SendAll(peer, std::string("\x05\x00\x00\x01\x7f\x00\x00\x01\x00\x50", 10));
}

bool THttpTestServer::ReadRequest(SOCKET peer, std::string& pending, TSeenRequest& request) {
  char buffer[4096];
  std::size_t end;
  while ((end = pending.find("\r\n\r\n")) == std::string::npos) {
    const int got = recv(peer, buffer, sizeof(buffer), 0);
    if (got <= 0) return false;
    pending.append(buffer, static_cast<std::size_t>(got));
  }
  request.Head = pending.substr(0, end + 4);
  pending.erase(0, end + 4);
  const std::string length = request.Header("Content-Length");
  const std::size_t bodySize = length.empty() ? 0 : std::stoul(length);
  if (pending.size() < bodySize && !ReadExactly(peer, bodySize, pending)) return false;
  request.Body = pending.substr(0, bodySize);
  pending.erase(0, bodySize);
  return true;
}

void THttpTestServer::Serve(SOCKET peer, int index) {
  if (socks5_ && !SocksHandshake(peer)) return;
  const TConnectionScript script = index < static_cast<int>(scripts_.size()) ? scripts_[index] : TConnectionScript{};
  std::string pending;
  for (const TReply& reply : script) {
    TSeenRequest request;
    request.Connection = index;
    if (!ReadRequest(peer, pending, request)) return;
    {
      std::lock_guard<std::mutex> guard(lock_);
      requests_.push_back(request);
    }
    for (std::size_t i = 0; i < reply.Pieces.size(); ++i) {
      if (i > 0 && reply.PauseMs > 0) Sleep(static_cast<DWORD>(reply.PauseMs));
      if (!SendAll(peer, reply.Pieces[i])) return;
    }
    if (reply.Close) {
      // Wait for the client's own close, so that closing never resets what it has not read yet.
      shutdown(peer, 1 /* sends */);
      while (recv(peer, buffer_, sizeof(buffer_), 0) > 0) {
      }
      return;
    }
  }
  // Out of replies: record what else arrives until the client closes.
  for (;;) {
    TSeenRequest request;
    request.Connection = index;
    if (!ReadRequest(peer, pending, request)) return;
    std::lock_guard<std::mutex> guard(lock_);
    requests_.push_back(request);
  }
}

}  // namespace http_test
