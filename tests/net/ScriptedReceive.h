#pragma once
// Replaces the recv and ioctlsocket entries of the suite's Winsock binding while alive, so that a
// connected socket receives a scripted byte sequence in chosen pieces. Each Deliver makes one piece
// available, posts a read notification to the socket and handles it.

#include <string>

#include "net/CustomWSocket.h"

namespace net_test {

class TScriptedReceive {
 public:
  TScriptedReceive();
  ~TScriptedReceive();
  TScriptedReceive(const TScriptedReceive&) = delete;
  TScriptedReceive& operator=(const TScriptedReceive&) = delete;

  // Makes piece readable, posts FD_READ for the socket and pumps what is queued.
  void Deliver(TCustomWSocket& socket, const std::string& piece);
  // Each byte of bytes as its own piece.
  void DeliverBytewise(TCustomWSocket& socket, const std::string& bytes);
  // Posts a notification with the given event bits (FD_CLOSE, ...) and pumps.
  static void Notify(TCustomWSocket& socket, int events, int error = 0);
  // Bytes made available and not yet read.
  std::size_t Unread() const;
};

}  // namespace net_test
