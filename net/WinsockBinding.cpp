#include "net/WinsockBinding.h"

#include "platform/framework/rtl/SysUtils.h"

namespace {

String WideFromAscii(const char* text) {
  String result;
  while (*text) result += static_cast<wchar_t>(static_cast<unsigned char>(*text++));
  return result;
}

// Raises the binding's failure text: prefix, the system's text for code and " (#code)".
[[noreturn]] void RaiseSystemFailure(const String& prefix, unsigned long code) {
  throw ESocketException(prefix + SystemErrorTextWithCode(code));
}

}  // namespace

String SystemErrorTextWithCode(unsigned long code) {
  return SysErrorMessage(code) + L" (#" + IntToStr(static_cast<Int64>(code)) + L")";
}

// Holds the libraries for the length of one call.
class TWinsockBinding::TCounted {
 public:
  explicit TCounted(TWinsockBinding& binding) : binding_(binding) { binding_.AddLive(); }
  ~TCounted() { binding_.RemoveLive(); }

 private:
  TWinsockBinding& binding_;
};

TWinsockBinding::TWinsockBinding(const wchar_t* name) : name_(name) {}

TWinsockBinding::~TWinsockBinding() {
  if (liveCount_ < 1) UnloadWinsock();
}

void TWinsockBinding::LoadLocked() {
  if (wsock32_) return;
  HMODULE library = LoadLibraryW(L"wsock32.dll");
  if (!library) RaiseSystemFailure(L"Unable to load wsock32.dll - ", GetLastError());
  wsock32_ = library;
  auto startup = reinterpret_cast<decltype(&::WSAStartup)>(
      reinterpret_cast<void (*)()>(GetProcAddress(library, "WSAStartup")));
  if (!startup) RaiseSystemFailure(L"Procedure WSAStartup not found in wsock32.dll - ", GetLastError());
  int result = startup(MAKEWORD(ReqVerLow, ReqVerHigh), &startup_);
  if (result != 0) RaiseSystemFailure(L"Winsock startup error wsock32.dll - ", static_cast<unsigned long>(result));
}

void* TWinsockBinding::WinsockEntry(const char* name) {
  lock_.Acquire();
  try {
    LoadLocked();
    void* entry = nullptr;
    if (name && *name) {
      entry = reinterpret_cast<void*>(GetProcAddress(wsock32_, name));
      if (!entry)
        RaiseSystemFailure(L"Procedure " + WideFromAscii(name) + L" not found in wsock32.dll - ", GetLastError());
    }
    lock_.Release();
    return entry;
  } catch (...) {
    lock_.Release();
    throw;
  }
}

void* TWinsockBinding::Winsock2Entry(const char* name) {
  WinsockEntry("");
  lock_.Acquire();
  try {
    if (!ws2_32_) {
      ws2_32_ = LoadLibraryW(L"ws2_32.dll");
      if (!ws2_32_) RaiseSystemFailure(L"Unable to load ws2_32.dll - ", GetLastError());
    }
    void* entry = reinterpret_cast<void*>(GetProcAddress(ws2_32_, name));
    if (!entry)
      RaiseSystemFailure(L"Procedure " + WideFromAscii(name) + L" not found in ws2_32.dll - ", GetLastError());
    lock_.Release();
    return entry;
  } catch (...) {
    lock_.Release();
    throw;
  }
}

void TWinsockBinding::UnloadWinsock() {
  lock_.Acquire();
  if (wsock32_ && liveCount_ == 0) {
    auto cleanup = table_.WSACleanup ? table_.WSACleanup
                                     : reinterpret_cast<decltype(&::WSACleanup)>(reinterpret_cast<void (*)()>(
                                           GetProcAddress(wsock32_, "WSACleanup")));
    if (cleanup) cleanup();
    if (ws2_32_) FreeLibrary(ws2_32_);
    FreeLibrary(wsock32_);
    ws2_32_ = nullptr;
    wsock32_ = nullptr;
    table_ = TWinsockApi{};
  }
  lock_.Release();
}

bool TWinsockBinding::Loaded() const {
  lock_.Acquire();
  bool loaded = wsock32_ != nullptr;
  lock_.Release();
  return loaded;
}

void TWinsockBinding::AddLive() {
  lock_.Acquire();
  ++liveCount_;
  lock_.Release();
}

int TWinsockBinding::RemoveLive() {
  lock_.Acquire();
  int left = --liveCount_;
  lock_.Release();
  return left;
}

int TWinsockBinding::LiveSocketCount() const {
  lock_.Acquire();
  int count = liveCount_;
  lock_.Release();
  return count;
}

int TWinsockBinding::gethostname(char* name, int size) {
  TCounted counted(*this);
  return Get(&TWinsockApi::gethostname, "gethostname", 1)(name, size);
}

int TWinsockBinding::getsockopt(SOCKET s, int level, int option, char* value, int* size) {
  TCounted counted(*this);
  return Get(&TWinsockApi::getsockopt, "getsockopt", 1)(s, level, option, value, size);
}

int TWinsockBinding::WSAIoctl(SOCKET s, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                              DWORD* returned) {
  TCounted counted(*this);
  return Get(&TWinsockApi::WSAIoctl, "WSAIoctl", 2)(s, code, in, inSize, out, outSize, returned, nullptr,
                                                   nullptr);
}

AnsiString TWinsockBinding::inet_ntoa(in_addr address) {
  TCounted counted(*this);
  const char* text = Get(&TWinsockApi::inet_ntoa, "inet_ntoa", 1)(address);
  return text ? AnsiString(text) : AnsiString();
}

TWinsockBinding& SuiteWinsock() {
  static TWinsockBinding binding(L"suite");
  return binding;
}

TWinsockBinding& CddbWinsock() {
  static TWinsockBinding binding(L"cddb");
  return binding;
}
