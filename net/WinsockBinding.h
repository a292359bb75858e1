#pragma once
// Run-time binding of Winsock 1.1. Nothing in the internet suite links Winsock: every call goes
// through a binding object, which loads "wsock32.dll" (and "ws2_32.dll" for WSAIoctl) on first
// use, looks each entry point up by name once, and releases the libraries when the last socket
// that counts on it is gone.
//
// Two bindings exist, each with its own live count and libraries: the suite's (HTTP and SMTP
// clients) and the CD database client's. Tests replace single entry points through
// Replacements() to script what a socket receives.

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/classes/Thread.h"
#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

FRAMEWORK_EXCEPTION(ESocketException, Exception);

// Winsock 1.1 option numbers (winsock.h), the ones wsock32 understands.
constexpr int kIpMulticastIf = 2;
constexpr int kIpMulticastTtl = 3;
constexpr int kIpAddMembership = 5;
// WSAIoctl control codes.
constexpr DWORD kSioRcvAll = 0x98000001;
constexpr DWORD kSioKeepAliveVals = 0x98000004;

typedef int(WINAPI* TWSAIoctlProc)(SOCKET s, DWORD code, void* in, DWORD inSize, void* out,
                                   DWORD outSize, DWORD* returned, void* overlapped, void* completion);

// The entry-point table: one typed pointer per call, null until first use.
struct TWinsockApi {
  decltype(&::WSAStartup) WSAStartup = nullptr;
  decltype(&::WSACleanup) WSACleanup = nullptr;
  decltype(&::WSASetLastError) WSASetLastError = nullptr;
  decltype(&::WSAGetLastError) WSAGetLastError = nullptr;
  decltype(&::WSACancelAsyncRequest) WSACancelAsyncRequest = nullptr;
  decltype(&::WSAAsyncGetHostByName) WSAAsyncGetHostByName = nullptr;
  decltype(&::WSAAsyncGetHostByAddr) WSAAsyncGetHostByAddr = nullptr;
  decltype(&::WSAAsyncSelect) WSAAsyncSelect = nullptr;
  decltype(&::getservbyname) getservbyname = nullptr;
  decltype(&::getprotobyname) getprotobyname = nullptr;
  decltype(&::gethostbyname) gethostbyname = nullptr;
  decltype(&::gethostbyaddr) gethostbyaddr = nullptr;
  decltype(&::gethostname) gethostname = nullptr;
  decltype(&::socket) socket = nullptr;
  decltype(&::shutdown) shutdown = nullptr;
  decltype(&::setsockopt) setsockopt = nullptr;
  decltype(&::getsockopt) getsockopt = nullptr;
  decltype(&::sendto) sendto = nullptr;
  decltype(&::send) send = nullptr;
  decltype(&::recv) recv = nullptr;
  decltype(&::recvfrom) recvfrom = nullptr;
  decltype(&::ntohs) ntohs = nullptr;
  decltype(&::htons) htons = nullptr;
  decltype(&::listen) listen = nullptr;
  decltype(&::ioctlsocket) ioctlsocket = nullptr;
  decltype(&::inet_ntoa) inet_ntoa = nullptr;
  decltype(&::inet_addr) inet_addr = nullptr;
  decltype(&::getsockname) getsockname = nullptr;
  decltype(&::getpeername) getpeername = nullptr;
  decltype(&::connect) connect = nullptr;
  decltype(&::closesocket) closesocket = nullptr;
  decltype(&::bind) bind = nullptr;
  decltype(&::accept) accept = nullptr;
  TWSAIoctlProc WSAIoctl = nullptr;
};

class TWinsockBinding {
 public:
  explicit TWinsockBinding(const wchar_t* name);
  ~TWinsockBinding();
  TWinsockBinding(const TWinsockBinding&) = delete;
  TWinsockBinding& operator=(const TWinsockBinding&) = delete;

  const wchar_t* Name() const { return name_; }

  // Address of a "wsock32.dll" entry point; loads and starts Winsock first. An empty name only
  // loads. Failures raise ESocketException.
  void* WinsockEntry(const char* name);
  // The same for "ws2_32.dll", after making sure "wsock32.dll" is loaded and started.
  void* Winsock2Entry(const char* name);
  // Releases the libraries when loaded and nobody counts on them; clears the table.
  void UnloadWinsock();
  bool Loaded() const;

  // Socket objects and counted calls keep the libraries loaded.
  void AddLive();
  // Returns the count left.
  int RemoveLive();
  int LiveSocketCount() const;

  // The Winsock version asked for at the next load (MAKEWORD(low, high)).
  Byte ReqVerLow = 1;
  Byte ReqVerHigh = 1;

  // Entries set here are used instead of the library's (a test seam); clear them to go back.
  TWinsockApi& Replacements() { return replacements_; }

#define WINSOCK_CALL(Name, Library)                                  \
  template <class... Args>                                           \
  auto Name(Args... args) {                                          \
    return Get(&TWinsockApi::Name, #Name, Library)(args...);         \
  }
  WINSOCK_CALL(WSASetLastError, 1)
  WINSOCK_CALL(WSAGetLastError, 1)
  WINSOCK_CALL(WSACancelAsyncRequest, 1)
  WINSOCK_CALL(WSAAsyncGetHostByName, 1)
  WINSOCK_CALL(WSAAsyncGetHostByAddr, 1)
  WINSOCK_CALL(WSAAsyncSelect, 1)
  WINSOCK_CALL(getservbyname, 1)
  WINSOCK_CALL(getprotobyname, 1)
  WINSOCK_CALL(gethostbyname, 1)
  WINSOCK_CALL(gethostbyaddr, 1)
  WINSOCK_CALL(socket, 1)
  WINSOCK_CALL(shutdown, 1)
  WINSOCK_CALL(setsockopt, 1)
  WINSOCK_CALL(sendto, 1)
  WINSOCK_CALL(send, 1)
  WINSOCK_CALL(recv, 1)
  WINSOCK_CALL(recvfrom, 1)
  WINSOCK_CALL(ntohs, 1)
  WINSOCK_CALL(htons, 1)
  WINSOCK_CALL(listen, 1)
  WINSOCK_CALL(ioctlsocket, 1)
  WINSOCK_CALL(inet_addr, 1)
  WINSOCK_CALL(getsockname, 1)
  WINSOCK_CALL(getpeername, 1)
  WINSOCK_CALL(connect, 1)
  WINSOCK_CALL(closesocket, 1)
  WINSOCK_CALL(bind, 1)
  WINSOCK_CALL(accept, 1)
#undef WINSOCK_CALL

  // Counted calls: the libraries cannot be released while they run.
  int gethostname(char* name, int size);
  int getsockopt(SOCKET s, int level, int option, char* value, int* size);
  int WSAIoctl(SOCKET s, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
               DWORD* returned);
  // inet_ntoa, copied out before the count drops.
  AnsiString inet_ntoa(in_addr address);

 private:
  template <class F>
  F Get(F TWinsockApi::*member, const char* name, int library) {
    if (F replaced = replacements_.*member) return replaced;
    if (F known = table_.*member) return known;
    void* entry = library == 2 ? Winsock2Entry(name) : WinsockEntry(name);
    F found = reinterpret_cast<F>(reinterpret_cast<void (*)()>(entry));
    Remember([&] { table_.*member = found; });
    return found;
  }
  void LoadLocked();
  template <class Body>
  void Remember(Body body) {
    lock_.Acquire();
    body();
    lock_.Release();
  }

  class TCounted;

  const wchar_t* name_;
  mutable TCriticalSection lock_;
  HMODULE wsock32_ = nullptr;
  HMODULE ws2_32_ = nullptr;
  WSADATA startup_{};
  int liveCount_ = 0;
  TWinsockApi table_;
  TWinsockApi replacements_;
};

// The binding of the suite's sockets (HTTP, SMTP) and that of the CD database client's sockets.
TWinsockBinding& SuiteWinsock();
TWinsockBinding& CddbWinsock();

// The system's message text for code, followed by " (#code)".
String SystemErrorTextWithCode(unsigned long code);
