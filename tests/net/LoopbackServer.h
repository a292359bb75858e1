#pragma once
// Peers for the socket tests: threads of the test program that use plain blocking ws2_32 on
// 127.0.0.1, never the sockets under test. Each listens on a port Winsock chose, runs a session
// on the first connection and records what it received.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

namespace net_test {

// Starts ws2_32 for the test program's own sockets.
void EnsureTestWinsock();

class TLoopbackServer {
 public:
  // session runs in the server thread on the accepted connection.
  using Session = std::function<void(TLoopbackServer& server, SOCKET peer)>;
  explicit TLoopbackServer(Session session);
  ~TLoopbackServer();
  TLoopbackServer(const TLoopbackServer&) = delete;
  TLoopbackServer& operator=(const TLoopbackServer&) = delete;

  u_short Port() const { return port_; }
  String PortText() const;
  bool Finished() const { return finished_; }
  bool SawReset() const { return sawReset_; }
  bool SawEnd() const { return sawEnd_; }
  std::string Received() const;

  // Session helpers, called from the server thread.
  // Reads until end of stream or a reset, recording the bytes.
  void ReadToEnd(SOCKET peer);
  void Record(const char* data, int count);
  static void SendAll(SOCKET peer, const std::string& bytes);
  // Reads exactly count bytes (fewer at end of stream) and records them.
  std::string ReadExactly(SOCKET peer, int count);

 private:
  void Run();

  Session session_;
  SOCKET listener_ = INVALID_SOCKET;
  u_short port_ = 0;
  std::thread thread_;
  std::atomic<bool> finished_{false};
  std::atomic<bool> sawReset_{false};
  std::atomic<bool> sawEnd_{false};
  mutable std::mutex lock_;
  std::string received_;
};

// Sessions.
void ReadAllSession(TLoopbackServer& server, SOCKET peer);
void EchoSession(TLoopbackServer& server, SOCKET peer);

// A port with nobody listening on it (bound, then closed).
u_short UnusedPort();

}  // namespace net_test
