#include "tests/net/ScriptedReceive.h"

#include "tests/support/TestSupport.h"

namespace net_test {

namespace {

std::string available;

int WINAPI ScriptedRecv(SOCKET, char* buffer, int length, int) {
  if (available.empty()) {
    SuiteWinsock().WSASetLastError(WSAEWOULDBLOCK);
    return -1;
  }
  int count = std::min<int>(length, static_cast<int>(available.size()));
  available.copy(buffer, static_cast<std::size_t>(count));
  available.erase(0, static_cast<std::size_t>(count));
  return count;
}

int WINAPI ScriptedIoctl(SOCKET, long, u_long* value) {
  *value = static_cast<u_long>(available.size());
  return 0;
}

}  // namespace

TScriptedReceive::TScriptedReceive() {
  available.clear();
  SuiteWinsock().Replacements().recv = &ScriptedRecv;
  SuiteWinsock().Replacements().ioctlsocket = &ScriptedIoctl;
}

TScriptedReceive::~TScriptedReceive() {
  SuiteWinsock().Replacements().recv = nullptr;
  SuiteWinsock().Replacements().ioctlsocket = nullptr;
  available.clear();
}

void TScriptedReceive::Notify(TCustomWSocket& socket, int events, int error) {
  PostMessageW(socket.Handle(), socket.SelectMessage(), static_cast<WPARAM>(socket.HSocket()),
               MAKELONG(events, error));
  testing_support::PumpFor(0);
}

void TScriptedReceive::Deliver(TCustomWSocket& socket, const std::string& piece) {
  available += piece;
  Notify(socket, FD_READ);
}

void TScriptedReceive::DeliverBytewise(TCustomWSocket& socket, const std::string& bytes) {
  for (char c : bytes) Deliver(socket, std::string(1, c));
}

std::size_t TScriptedReceive::Unread() const { return available.size(); }

}  // namespace net_test
