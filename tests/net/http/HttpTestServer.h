#pragma once
// A scripted HTTP peer for the client tests: a thread of the test program on 127.0.0.1 with plain
// blocking ws2_32. It takes connections one after the other; on each it reads requests (header and
// a body of the announced length) and answers each with the next reply of that connection's script.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

namespace http_test {

struct TReply {
  std::vector<std::string> Pieces;  // sent one after the other
  int PauseMs = 0;                  // between pieces
  bool Close = false;               // close the connection after the last piece
};

// The replies of one connection, in order. When they run out, the peer waits for the client to
// close the connection.
using TConnectionScript = std::vector<TReply>;

struct TSeenRequest {
  int Connection = 0;
  std::string Head;  // request line and header lines, each ending with CR LF, and the empty line
  std::string Body;
  std::string RequestLine() const;
  // The value of the first header line with that name (case-blind), without leading blanks; empty
  // when none.
  std::string Header(const std::string& name) const;
  bool HasHeader(const std::string& name) const;
};

class THttpTestServer {
 public:
  // With socks5, every connection starts with a SOCKS 5 greeting and connect request, answered with
  // success.
  explicit THttpTestServer(std::vector<TConnectionScript> connections, bool socks5 = false);
  ~THttpTestServer();
  THttpTestServer(const THttpTestServer&) = delete;
  THttpTestServer& operator=(const THttpTestServer&) = delete;

  u_short Port() const { return port_; }
  String PortText() const;
  std::vector<TSeenRequest> Requests() const;
  int ConnectionCount() const { return connections_done_; }
  // The destination of the last SOCKS connect request ("a.b.c.d:port").
  std::string SocksTarget() const;

 private:
  void Run();
  void Serve(SOCKET peer, int index);
  bool ReadRequest(SOCKET peer, std::string& pending, TSeenRequest& request);
  bool SocksHandshake(SOCKET peer);

  std::vector<TConnectionScript> scripts_;
  bool socks5_;
  SOCKET listener_ = INVALID_SOCKET;
  std::atomic<SOCKET> current_{INVALID_SOCKET};
  std::atomic<bool> stopping_{false};
  std::atomic<int> connections_done_{0};
  u_short port_ = 0;
  std::thread thread_;
  mutable std::mutex lock_;
  std::vector<TSeenRequest> requests_;
  std::string socksTarget_;
  char buffer_[4096];
};

// One reply sent in one piece.
TReply Answer(const std::string& response, bool close = false);

// The full text of a response: status line, header lines, the empty line and the body.
std::string Response(const std::string& statusLine, const std::vector<std::string>& headers,
                     const std::string& body = std::string());

}  // namespace http_test
