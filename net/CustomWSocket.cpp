#include "net/CustomWSocket.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#include "net/SocketAddress.h"
#include "net/WinsockErrors.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"

DEFINE_CLASS(TCustomWSocket)

namespace {

constexpr int kConnectEvents = FD_READ | FD_WRITE | FD_ACCEPT | FD_CONNECT | FD_CLOSE;  // 59
constexpr int kDupEvents = FD_READ | FD_WRITE | FD_CLOSE;                               // 35
constexpr int kListenStreamEvents = FD_ACCEPT | FD_CLOSE;                               // 40
constexpr int kListenOtherEvents = FD_READ | FD_WRITE | FD_ACCEPT | FD_CLOSE;           // 43

constexpr std::size_t kHostEntrySize = 1025;

// Areas of lookups cancelled while running: an asynchronous lookup may still write its answer.
std::mutex abandonedLock;
std::vector<std::unique_ptr<char[]>>& AbandonedAreas() {
  static std::vector<std::unique_ptr<char[]>> areas;
  return areas;
}

String DottedText(TWinsockBinding& ws, u_long networkAddress) {
  in_addr address;
  address.s_addr = networkAddress;
  return AnsiToString(ws.inet_ntoa(address));
}

}  // namespace

TCustomWSocket::TCustomWSocket(TComponent* AOwner) : TCustomWSocket(AOwner, SuiteWinsock()) {}

TCustomWSocket::TCustomWSocket(TComponent* AOwner, TWinsockBinding& Winsock)
    : TIcsWndControl(AOwner), ws_(Winsock) {
  AllocateSocketWindow();
  chain_ = new TIcsBufferHandler(nullptr);
  chain_->BufSize = kDefaultIcsBufSize;
  lookupResults_ = new TStringList;
  ResetDefaults();
  ws_.AddLive();
}

void TCustomWSocket::BeforeDestruction() {
  TIcsWndControl::BeforeDestruction();
  try {
    CancelDnsLookup();
  } catch (Exception&) {
  }
  if (CurrentState != wsClosed) {
    try {
      Close();
    } catch (Exception&) {
    }
  }
  torndown_ = true;
}

TCustomWSocket::~TCustomWSocket() {
  if (!torndown_) {
    // Deleted without Free: let go of the handles without events.
    if (lookupTask_) {
      ws_.WSACancelAsyncRequest(lookupTask_);
      AbandonLookupArea();
    }
    if (SocketHandle != INVALID_SOCKET) ws_.closesocket(SocketHandle);
  }
  if (ws_.RemoveLive() < 1) ws_.UnloadWinsock();
  delete chain_;
  delete lookupResults_;
}

void TCustomWSocket::ResetDefaults() {
  std::memset(&remoteAddress_, 0, sizeof(remoteAddress_));
  remoteAddress_.sin_family = AF_INET;
  addrFamily_ = AF_INET;
  portAssigned_ = addrAssigned_ = addrResolved_ = portResolved_ = protoResolved_ = localPortResolved_ = false;
  protoAssigned_ = true;
  protocol_ = IPPROTO_TCP;
  proto_ = L"tcp";
  socketType_ = SOCK_STREAM;
  localPort_ = L"0";
  localAddr_ = L"0.0.0.0";
  // The system's graceful close: data already handed to Winsock still reaches the peer.
  LingerOnOff = wsLingerNoSet;
  LingerTimeout = 0;
  SocketHandle = INVALID_SOCKET;
  selectEvents_ = 0;
  CurrentState = wsClosed;
  sendQueueEmpty_ = true;
  notificationsPaused_ = false;
  ReceivedTotal = 0;
  ClosedReported = false;
  FlushTimeout = 60;
}

void TCustomWSocket::AllocateMessages() {
  TIcsWndControl::AllocateMessages();
  msgSelect_ = TakeMessageNumber();
  msgHostByName_ = TakeMessageNumber();
  msgHostByAddr_ = TakeMessageNumber();
  msgCloseDelayed_ = TakeMessageNumber();
  msgTestException_ = TakeMessageNumber();
  msgBufferedData_ = TakeMessageNumber();
}

// ---- settings --------------------------------------------------------------------------------

// Addr, Port and Proto change only while closed; a new text makes the value resolve again.
void TCustomWSocket::SetEndpointText(const wchar_t* Name, const String& Value, String& Text, bool& Assigned,
                                     bool& Resolved) {
  if (CurrentState != wsClosed) {
    ReportError(String(L"Cannot change ") + Name + L" if not closed");
    return;
  }
  String text = Trim(Value);
  if (Assigned && text == Text) return;
  Text = text;
  Assigned = !text.empty();
  Resolved = false;
}

void TCustomWSocket::SetAddr(const String& Value) {
  SetEndpointText(L"Addr", Value, addr_, addrAssigned_, addrResolved_);
}

void TCustomWSocket::SetPort(const String& Value) {
  SetEndpointText(L"Port", Value, port_, portAssigned_, portResolved_);
}

void TCustomWSocket::SetProto(const String& Value) {
  SetEndpointText(L"Proto", Value, proto_, protoAssigned_, protoResolved_);
}

void TCustomWSocket::SetLocalAddr(const String& Value) {
  if (CurrentState != wsClosed) {
    ReportError(L"Cannot change LocalAddr if not closed");
    return;
  }
  localAddr_ = Value.empty() ? String(L"0.0.0.0") : Value;
}

void TCustomWSocket::SetLocalPort(const String& Value) {
  if (CurrentState != wsClosed) {
    ReportError(L"Cannot change LocalPort if not closed");
    return;
  }
  localPort_ = Value;
  localPortResolved_ = false;
}

TSocketSendFlags TCustomWSocket::SendFlags() {
  if (sendFlags_ == MSG_OOB) return wsSendUrgent;
  if (sendFlags_ != 0) ReportError(L"Invalid internal SendFlags");
  return wsSendNormal;
}

void TCustomWSocket::SetSendFlags(TSocketSendFlags Value) {
  switch (Value) {
    case wsSendNormal: sendFlags_ = 0; break;
    case wsSendUrgent: sendFlags_ = MSG_OOB; break;
    default: ReportError(L"Invalid SendFlags");
  }
}

int TCustomWSocket::BufSize() const { return chain_->BufSize; }
void TCustomWSocket::SetBufSize(int Value) { chain_->BufSize = Value; }

void TCustomWSocket::SetSendBufferSize(int Value) {
  if (ws_.setsockopt(SocketHandle, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&Value), sizeof(Value)) != 0) {
    ReportWinsockError(L"setsockopt(SO_SNDBUF)");
    return;
  }
  sendBufferSize_ = Value;
}

void TCustomWSocket::SetReceiveBufferSize(int Value) {
  if (ws_.setsockopt(SocketHandle, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&Value), sizeof(Value)) != 0) {
    ReportWinsockError(L"setsockopt(SO_RCVBUF)");
    return;
  }
  receiveBufferSize_ = Value;
}

void TCustomWSocket::SetReqVerLow(Byte Value) {
  if (Value == ws_.ReqVerLow) return;
  if (ws_.Loaded()) {
    ReportWinsockError(L"SetReqVerLow: WinSock version can't be changed now");
    return;
  }
  ws_.ReqVerLow = Value;
}

void TCustomWSocket::SetReqVerHigh(Byte Value) {
  if (Value == ws_.ReqVerHigh) return;
  if (ws_.Loaded()) {
    ReportWinsockError(L"SetReqVerHigh: WinSock version can't be changed now");
    return;
  }
  ws_.ReqVerHigh = Value;
}

void TCustomWSocket::SetIcsLogger(TIcsLogger* Value) {
  if (logger_) logger_->RemoveFreeNotification(this);
  logger_ = Value;
  if (logger_) logger_->FreeNotification(this);
}

void TCustomWSocket::Notification(TComponent* AComponent, TOperation Operation) {
  TIcsWndControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == logger_) logger_ = nullptr;
}

bool TCustomWSocket::LogOptionEnabled(TLogOption Option) const {
  return logger_ && logger_->LogOptions().Contains(Option);
}

void TCustomWSocket::LogDebug(TLogOption Option, const String& Msg) {
  if (logger_) logger_->DoLog(this, Option, Msg);
}

String TCustomWSocket::ObjectIdentity() const {
  return IntToHex(static_cast<Int64>(reinterpret_cast<std::uintptr_t>(this) & 0xFFFFFFFFu), 8);
}

// ---- error path ------------------------------------------------------------------------------

void TCustomWSocket::ReportError(const String& Msg) {
  if (OnError) FireError();
  else throw ESocketException(Msg);
}

void TCustomWSocket::ReportWinsockError(const String& Operation) {
  int code = ws_.WSAGetLastError();
  String text = WinsockErrorText(code) + L" (#" + IntToStr(code) + L" in " + Operation + L")";
  if (code == WSAECONNRESET || code == WSAENOTCONN) {
    if (SocketHandle != INVALID_SOCKET) ws_.closesocket(SocketHandle);
    SocketHandle = INVALID_SOCKET;
    if (CurrentState != wsClosed && !ClosedReported) {
      ClosedReported = true;
      HandleSessionClosed(static_cast<Word>(code));
    }
    EnterState(wsClosed);
  }
  LastError = code;
  ReportError(text);
}

// ---- events ----------------------------------------------------------------------------------

void TCustomWSocket::EnterState(TSocketState NewState) {
  TSocketState old = CurrentState;
  CurrentState = NewState;
  if (old != NewState) FireChangeState(old, NewState);
}

void TCustomWSocket::FireSessionAvailable(Word Error) {
  if (OnSessionAvailable) OnSessionAvailable(this, Error);
}
void TCustomWSocket::HandleSessionConnected(Word Error) { FireSessionConnected(Error); }
void TCustomWSocket::FireSessionConnected(Word Error) {
  if (OnSessionConnected) OnSessionConnected(this, Error);
}
void TCustomWSocket::HandleSessionClosed(Word Error) {
  if (OnSessionClosed) OnSessionClosed(this, Error);
}
void TCustomWSocket::FireDataSent(Word Error) {
  if (LogOptionEnabled(loWsockDump))
    LogDebug(loWsockDump, ObjectIdentity() + L" TriggerDataSent " + IntToStr(static_cast<Int64>(SocketHandle)));
  if (OnDataSent) OnDataSent(this, Error);
}
void TCustomWSocket::FireChangeState(TSocketState OldState, TSocketState NewState) {
  if (OnChangeState) OnChangeState(this, OldState, NewState);
}
void TCustomWSocket::FireDnsLookupDone(Word Error) {
  if (OnDnsLookupDone) OnDnsLookupDone(this, Error);
}
void TCustomWSocket::FireError() {
  if (OnError) OnError(this);
}
void TCustomWSocket::FireSendData(int BytesSent) {
  if (OnSendData) OnSendData(this, BytesSent);
}
bool TCustomWSocket::HandleDataAvailable(Word Error) {
  if (!OnDataAvailable) return false;
  OnDataAvailable(this, Error);
  return true;
}

// ---- connecting ------------------------------------------------------------------------------

void TCustomWSocket::MarkRemotePort(Word Port) {
  remotePort_ = Port;
  remoteAddress_.sin_port = ws_.htons(Port);
  portResolved_ = true;
}

void TCustomWSocket::MarkRemoteHost(u_long Address) {
  remoteAddress_.sin_addr.s_addr = Address;
  addrResolved_ = true;
}

void TCustomWSocket::Connect() {
  if (SocketHandle != INVALID_SOCKET && CurrentState != wsClosed) return ReportError(L"Connect: Socket already in use");
  if (!portAssigned_) return ReportError(L"Connect: No Port Specified");
  if (!addrAssigned_) return ReportError(L"Connect: No IP Address Specified");
  if (!protoAssigned_) return ReportError(L"Connect: No Protocol Specified");

  try {
    if (!protoResolved_) {
      protocol_ = ResolveProto(proto_, ws_);
      socketType_ = protocol_ == IPPROTO_TCP ? SOCK_STREAM : protocol_ == IPPROTO_UDP ? SOCK_DGRAM : SOCK_RAW;
      protoResolved_ = true;
    }
    if (!portResolved_) MarkRemotePort(ResolvePort(port_, proto_, ws_));
    if (!localPortResolved_) {
      localPortNumber_ = ResolvePort(localPort_, proto_, ws_);
      localPortResolved_ = true;
    }
    if (!addrResolved_) MarkRemoteHost(ResolveHost(addr_, ws_));
  } catch (Exception& E) {
    return ReportError(L"connect: " + E.Message());
  }

  DiscardSendData();
  SocketHandle = ws_.socket(AF_INET, socketType_, protocol_);
  if (SocketHandle == INVALID_SOCKET) return ReportWinsockError(L"Connect (socket)");

  int size = sizeof(int);
  if (ws_.getsockopt(SocketHandle, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<char*>(&sendBufferSize_), &size) != 0)
    return ReportWinsockError(L"getsockopt(SO_SNDBUF)");
  size = sizeof(int);
  if (ws_.getsockopt(SocketHandle, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<char*>(&receiveBufferSize_), &size) != 0)
    return ReportWinsockError(L"getsockopt(SO_RCVBUF)");

  EnterState(wsOpened);
  if (CurrentState != wsOpened) {
    ws_.WSASetLastError(WSAEINVAL);
    return ReportWinsockError(L"Connect (Invalid operation in OnChangeState)");
  }

  const BOOL on = TRUE;
  const char* onValue = reinterpret_cast<const char*>(&on);
  if (socketType_ == SOCK_DGRAM) {
    BindLocal();
    if (MultiCast) {
      if (MultiCastIpTTL != 1 &&
          ws_.setsockopt(SocketHandle, IPPROTO_IP, kIpMulticastTtl, reinterpret_cast<const char*>(&MultiCastIpTTL),
                         sizeof(MultiCastIpTTL)) != 0)
        return ReportWinsockError(L"setsockopt(IP_MULTICAST_TTL)");
      if (localAddr_ != L"0.0.0.0") {
        in_addr local;
        local.s_addr = ResolveHost(localAddr_, ws_);
        if (ws_.setsockopt(SocketHandle, IPPROTO_IP, kIpMulticastIf, reinterpret_cast<const char*>(&local),
                           sizeof(local)) != 0)
          return ReportWinsockError(L"setsockopt(IP_MULTICAST_IF)");
      }
    }
    if (remoteAddress_.sin_addr.s_addr == INADDR_BROADCAST &&
        ws_.setsockopt(SocketHandle, SOL_SOCKET, SO_BROADCAST, onValue, sizeof(on)) != 0)
      return ReportWinsockError(L"setsockopt(SO_BROADCAST)");
  } else {
    if (ws_.setsockopt(SocketHandle, SOL_SOCKET, SO_REUSEADDR, onValue, sizeof(on)) != 0)
      return ReportWinsockError(L"setsockopt(SO_REUSEADDR)");
    if (ComponentOptions.Contains(wsoTcpNoDelay) &&
        ws_.setsockopt(SocketHandle, IPPROTO_TCP, TCP_NODELAY, onValue, sizeof(on)) != 0)
      return ReportWinsockError(L"setsockopt(IPPROTO_TCP, TCP_NODELAY)");
    ApplyLinger();
    ApplyKeepAlive();
    if (localPortNumber_ != 0 || localAddr_ != L"0.0.0.0") BindLocal();
  }

  selectEvents_ = kConnectEvents;
  if (ws_.WSAAsyncSelect(SocketHandle, Handle(), msgSelect_, selectEvents_) != 0)
    return ReportWinsockError(L"WSAAsyncSelect");

  if (socketType_ == SOCK_DGRAM) {
    EnterState(wsConnected);
    HandleSessionConnected(0);
    return;
  }
  if (LogOptionEnabled(loWsockInfo))
    LogDebug(loWsockInfo, L"TWSocket will connect to " + DottedText(ws_, remoteAddress_.sin_addr.s_addr) + L":" +
                              IntToStr(remotePort_));
  if (ws_.connect(SocketHandle, reinterpret_cast<const sockaddr*>(&remoteAddress_), sizeof(remoteAddress_)) == 0) {
    EnterState(wsConnecting);
    return;
  }
  int error = ws_.WSAGetLastError();
  if (error == WSAEWOULDBLOCK) {
    EnterState(wsConnecting);
    return;
  }
  LastError = error;
  ReportWinsockError(L"Connect");
}

void TCustomWSocket::BindLocal() {
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = ws_.htons(localPortNumber_);
  local.sin_addr.s_addr = ResolveHost(localAddr_, ws_);
  if (ws_.bind(SocketHandle, reinterpret_cast<const sockaddr*>(&local), sizeof(local)) != 0)
    return ReportError(L"Bind socket failed - " + WinsockErrorTextWithCode(ws_.WSAGetLastError()));
  int length = sizeof(local);
  if (ws_.getsockname(SocketHandle, reinterpret_cast<sockaddr*>(&local), &length) != 0)
    return ReportError(L"Winsock get socket name failed - " + WinsockErrorTextWithCode(ws_.WSAGetLastError()));
  localPortNumber_ = ws_.ntohs(local.sin_port);
  localPort_ = IntToStr(localPortNumber_);
}

void TCustomWSocket::ApplyLinger() {
  if (LingerOnOff == wsLingerNoSet) return;
  if (SocketHandle == INVALID_SOCKET) return ReportError(L"Cannot set linger option at this time");
  linger value;
  value.l_onoff = static_cast<u_short>(LingerOnOff);
  value.l_linger = static_cast<u_short>(LingerTimeout);
  if (ws_.setsockopt(SocketHandle, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&value), sizeof(value)) != 0)
    ReportWinsockError(L"setsockopt(SO_LINGER)");
}

void TCustomWSocket::ApplyKeepAlive() {
  if (KeepAliveOnOff == wsKeepAliveOff) return;
  if (KeepAliveOnOff == wsKeepAliveOnSystem) {
    const BOOL on = TRUE;
    if (ws_.setsockopt(SocketHandle, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&on), sizeof(on)) != 0)
      ReportWinsockError(L"setsockopt(SO_KEEPALIVE)");
    return;
  }
  struct {
    u_long OnOff, Time, Interval;
  } values{1, static_cast<u_long>(KeepAliveTime), static_cast<u_long>(KeepAliveInterval)}, reply{};
  static_assert(sizeof(values) == 12, "keep-alive values are three 32-bit numbers");
  DWORD returned = 0;
  if (ws_.WSAIoctl(SocketHandle, kSioKeepAliveVals, &values, sizeof(values), &reply, sizeof(reply), &returned) != 0)
    ReportWinsockError(L"WSocket_WSAIoctl(SIO_KEEPALIVE_VALS)");
}

void TCustomWSocket::Listen() {
  if (!portAssigned_) {
    ws_.WSASetLastError(WSAEINVAL);
    return ReportWinsockError(L"listen: port not assigned");
  }
  if (!protoAssigned_) {
    ws_.WSASetLastError(WSAEINVAL);
    return ReportWinsockError(L"listen: protocol not assigned");
  }
  if (!addrAssigned_) {
    ws_.WSASetLastError(WSAEINVAL);
    return ReportWinsockError(L"listen: address not assigned");
  }
  try {
    if (!protoResolved_) {
      if (SameText(proto_.substr(0, 4), L"raw_")) {
        socketType_ = SOCK_RAW;
        protocol_ = ResolveProto(proto_.substr(4, 10), ws_);
      } else {
        protocol_ = ResolveProto(proto_, ws_);
        socketType_ = protocol_ == IPPROTO_UDP ? SOCK_DGRAM : SOCK_STREAM;
      }
      protoResolved_ = true;
    }
    if (!portResolved_) MarkRemotePort(ResolvePort(port_, proto_, ws_));
    if (!addrResolved_) MarkRemoteHost(ResolveHost(addr_, ws_));
  } catch (Exception& E) {
    return ReportError(L"listen: " + E.Message());
  }

  DiscardSendData();
  SocketHandle = ws_.socket(AF_INET, socketType_, protocol_);
  if (SocketHandle == INVALID_SOCKET) return ReportWinsockError(L"socket");

  const BOOL on = TRUE;
  if (socketType_ == SOCK_DGRAM && ReuseAddr &&
      ws_.setsockopt(SocketHandle, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof(on)) != 0) {
    ReportWinsockError(L"setsockopt(SO_REUSEADDR)");
    return Close();
  }
  if (ws_.bind(SocketHandle, reinterpret_cast<const sockaddr*>(&remoteAddress_), sizeof(remoteAddress_)) != 0) {
    ReportWinsockError(L"Bind");
    return Close();
  }
  EnterState(wsBound);

  if (socketType_ == SOCK_STREAM) {
    if (ws_.listen(SocketHandle, ListenBacklog) != 0) return ReportWinsockError(L"Listen");
    EnterState(wsListening);
  } else if (socketType_ == SOCK_DGRAM || socketType_ == SOCK_RAW) {
    if (socketType_ == SOCK_DGRAM && MultiCast) {
      struct {
        in_addr Group, Interface;
      } membership;
      membership.Group.s_addr = ws_.inet_addr(HostText(MultiCastAddrStr).c_str());
      membership.Interface.s_addr = ResolveHost(addr_, ws_);
      if (ws_.setsockopt(SocketHandle, IPPROTO_IP, kIpAddMembership, reinterpret_cast<const char*>(&membership),
                         sizeof(membership)) != 0)
        return ReportWinsockError(L"setsockopt(IP_ADD_MEMBERSHIP)");
    }
    if (socketType_ == SOCK_RAW && ComponentOptions.Contains(wsoSIO_RCVALL)) {
      DWORD value = 1, returned = 0;
      if (ws_.WSAIoctl(SocketHandle, kSioRcvAll, &value, sizeof(value), nullptr, 0, &returned) != 0) {
        ReportWinsockError(L"WSAIoctl(SIO_RCVALL)");
        return Close();
      }
    }
    EnterState(wsListening);
    EnterState(wsConnected);
    HandleSessionConnected(0);
  } else {
    return ReportWinsockError(L"Listen: unexpected protocol.");
  }

  selectEvents_ = socketType_ == SOCK_STREAM ? kListenStreamEvents : kListenOtherEvents;
  if (ws_.WSAAsyncSelect(SocketHandle, Handle(), msgSelect_, selectEvents_) != 0)
    ReportWinsockError(L"WSAASyncSelect");
}

SOCKET TCustomWSocket::Accept() {
  if (CurrentState != wsListening) {
    ws_.WSASetLastError(WSAEINVAL);
    ReportWinsockError(L"not a listening socket");
    return INVALID_SOCKET;
  }
  int length = sizeof(remoteAddress_);
  acceptedHandle_ = ws_.accept(SocketHandle, reinterpret_cast<sockaddr*>(&remoteAddress_), &length);
  if (acceptedHandle_ == INVALID_SOCKET) ReportWinsockError(L"Accept");
  return acceptedHandle_;
}

void TCustomWSocket::Dup(SOCKET NewHandle) {
  if (NewHandle == 0 || NewHandle == INVALID_SOCKET) {
    ws_.WSASetLastError(WSAEINVAL);
    return ReportWinsockError(L"Dup");
  }
  if (CurrentState != wsClosed) {
    if (ws_.closesocket(SocketHandle) != 0) return ReportWinsockError(L"Dup (closesocket)");
    EnterState(wsClosed);
  }
  SocketHandle = NewHandle;
  int size = sizeof(int);
  if (ws_.getsockopt(SocketHandle, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<char*>(&sendBufferSize_), &size) != 0)
    return ReportWinsockError(L"getsockopt(SO_SNDBUF)");
  size = sizeof(int);
  if (ws_.getsockopt(SocketHandle, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<char*>(&receiveBufferSize_), &size) != 0)
    return ReportWinsockError(L"getsockopt(SO_RCVBUF)");
  ApplyLinger();
  ApplyKeepAlive();
  selectEvents_ = kDupEvents;
  if (ws_.WSAAsyncSelect(SocketHandle, Handle(), msgSelect_, selectEvents_) != 0)
    return ReportWinsockError(L"WSAAsyncSelect");
  EnterConnectedAfterDup();
}

void TCustomWSocket::EnterConnectedAfterDup() { EnterState(wsConnected); }

// ---- sending ---------------------------------------------------------------------------------

int TCustomWSocket::Send(const void* Data, int Len) {
  if (CurrentState != wsConnected && CurrentState != wsSocksConnected) {
    ws_.WSASetLastError(WSAENOTCONN);
    ReportWinsockError(L"Send");
    return -1;
  }
  sendQueueEmpty_ = false;
  if (Len > 0) QueueData(Data, Len);
  TryToSend();
  if (sendQueueEmpty_ && SocketHandle != INVALID_SOCKET)
    PostMessageW(Handle(), msgSelect_, static_cast<WPARAM>(SocketHandle), MAKELONG(FD_WRITE, 0));
  return Len > 0 ? Len : 0;
}

int TCustomWSocket::SendText(const AnsiString& Text) {
  if (Text.empty()) return 0;
  return Send(Text.data(), static_cast<int>(Text.size()));
}

int TCustomWSocket::SendByte(Byte Value) { return Send(&Value, 1); }

void TCustomWSocket::QueueData(const void* Data, int Len) {
  if (Len <= 0 || !Data) return;
  chain_->Lock();
  chain_->Write(Data, Len);
  queuedByteCount_ += Len;
  sendQueueEmpty_ = false;
  chain_->Unlock();
}

void TCustomWSocket::QueueText(const AnsiString& Text) {
  if (!Text.empty()) QueueData(Text.data(), static_cast<int>(Text.size()));
}

void TCustomWSocket::DiscardSendData() {
  chain_->Lock();
  chain_->DiscardAll();
  queuedByteCount_ = 0;
  chain_->Unlock();
}

int TCustomWSocket::SendRaw(const void* Data, int Len) {
  int sent;
  if (socketType_ == SOCK_DGRAM)
    sent = ws_.sendto(SocketHandle, static_cast<const char*>(Data), Len, sendFlags_,
                      reinterpret_cast<const sockaddr*>(&remoteAddress_), sizeof(remoteAddress_));
  else
    sent = ws_.send(SocketHandle, static_cast<const char*>(Data), Len, sendFlags_);
  if (sent > 0) FireSendData(sent);
  return sent;
}

int TCustomWSocket::SendTo(const sockaddr_in& Dest, int, const void* Data, int Len) {
  sockaddr_in copy = Dest;
  int sent = ws_.sendto(SocketHandle, static_cast<const char*>(Data), Len, sendFlags_,
                        reinterpret_cast<const sockaddr*>(&copy), sizeof(copy));
  if (sent > 0) {
    FireSendData(sent);
    if (sendQueueEmpty_ && socketType_ == SOCK_DGRAM)
      PostMessageW(Handle(), msgSelect_, static_cast<WPARAM>(SocketHandle), MAKELONG(FD_WRITE, 0));
  }
  return sent;
}

void TCustomWSocket::TryToSend() {
  int failure = 0;
  chain_->Lock();
  try {
    for (;;) {
      const Byte* data = nullptr;
      int count = SocketHandle == INVALID_SOCKET ? 0 : chain_->Peek(data);
      if (count <= 0) {
        sendQueueEmpty_ = true;
        break;
      }
      int sent = SendRaw(data, count);
      if (sent == 0) break;
      if (sent < 0) {
        failure = ws_.WSAGetLastError();
        break;
      }
      queuedByteCount_ = std::max(0, queuedByteCount_ - sent);
      chain_->Remove(sent);
      if (sent < count) break;
    }
  } catch (...) {
    chain_->Unlock();
    throw;
  }
  chain_->Unlock();
  if (failure == 0 || failure == WSAEWOULDBLOCK) return;
  if (failure == WSAECONNRESET || failure == WSAENOTSOCK || failure == WSAENOTCONN || failure == WSAEINVAL ||
      failure == WSAECONNABORTED) {
    // The connection is gone: a closed session, not an error to raise.
    if (LogOptionEnabled(loWsockErr))
      LogDebug(loWsockErr, Name() + L" Winsock Send failed - " + WinsockErrorTextWithCode(failure));
    ClosedReported = true;
    Close();
    HandleSessionClosed(static_cast<Word>(failure));
    return;
  }
  ws_.WSASetLastError(failure);
  ReportWinsockError(L"TryToSend failed");
}

void TCustomWSocket::Flush() {
  while (SocketHandle != INVALID_SOCKET && !sendQueueEmpty_) {
    TryToSend();
    PumpMessages();
  }
}

// ---- receiving -------------------------------------------------------------------------------

int TCustomWSocket::Receive(void* Buffer, int Len) {
  int count = ReceiveData(Buffer, Len, 0);
  if (count < 0) LastError = ws_.WSAGetLastError();
  else ReceivedTotal += count;
  return count;
}

int TCustomWSocket::ReceiveData(void* Buffer, int Len, int Flags) {
  return ws_.recv(SocketHandle, static_cast<char*>(Buffer), Len, Flags);
}

AnsiString TCustomWSocket::ReceiveText() {
  int n = PendingByteCount();
  if (n < 0) return {};
  if (n == 0) n = 255;
  AnsiString text(static_cast<std::size_t>(n), '\0');
  int count = Receive(text.data(), n);
  if (count <= 0) return {};
  text.resize(static_cast<std::size_t>(count));
  return text;
}

int TCustomWSocket::ReceiveFrom(void* Buffer, int Len, sockaddr_in& From, int& FromLen) {
  int count = ReceiveDataFrom(Buffer, Len, From, FromLen);
  if (count < 0) LastError = ws_.WSAGetLastError();
  else ReceivedTotal += count;
  return count;
}

int TCustomWSocket::ReceiveDataFrom(void* Buffer, int Len, sockaddr_in& From, int& FromLen) {
  return ws_.recvfrom(SocketHandle, static_cast<char*>(Buffer), Len, 0, reinterpret_cast<sockaddr*>(&From), &FromLen);
}

int TCustomWSocket::SocketPendingByteCount() {
  u_long count = 0;
  if (ws_.ioctlsocket(SocketHandle, FIONREAD, &count) != 0) {
    ReportWinsockError(L"ioctlSocket");
    return -1;
  }
  return static_cast<int>(count);
}

int TCustomWSocket::PendingByteCount() { return SocketPendingByteCount(); }

void TCustomWSocket::ReceiveLoop(Word Error, TWSocketOptions Options) {
  try {
    for (;;) {
      LastError = 0;
      const Int64 receivedBefore = ReceivedTotal;
      const bool handled = HandleDataAvailable(Error);
      if (!handled) {
        char discard[1024];
        if (ws_.recv(SocketHandle, discard, sizeof(discard), 0) < 0) {
          LastError = ws_.WSAGetLastError();
          if (LastError == WSAEWOULDBLOCK) {
            LastError = 0;
            break;
          }
        }
      }
      if (Options.Contains(wsoNoReceiveLoop)) break;
      if (LastError != 0) {
        if (LastError == -1) LastError = 0;
        break;
      }
      // A handler that read nothing would be offered the same bytes forever; the next
      // notification comes once it reads.
      if (handled && ReceivedTotal == receivedBefore) break;
      if (SocketHandle == INVALID_SOCKET) break;
      u_long pending = 0;
      if (ws_.ioctlsocket(SocketHandle, FIONREAD, &pending) != 0) {
        LastError = ws_.WSAGetLastError();
        break;
      }
      if (pending == 0) break;
    }
  } catch (Exception&) {
    // A data handler that raises ends this delivery only.
  }
}

// ---- notifications ---------------------------------------------------------------------------

void TCustomWSocket::HandlePrivateMessage(TIcsMessage& Msg) {
  try {
    if (Msg.Msg == msgSelect_) HandleSelectMessage(Msg);
    else if (Msg.Msg == msgHostByName_) HandleHostByNameReply(Msg);
    else if (Msg.Msg == msgHostByAddr_) HandleHostByAddrReply(Msg);
    else if (Msg.Msg == msgCloseDelayed_) {
      if (IsCurrentGeneration(Msg)) Close();
    } else if (Msg.Msg == msgTestException_) {
      throw ESocketException(L"Test exception in WSocket");
    } else if (Msg.Msg != msgBufferedData_) {  // buffered data belongs to the line socket
      TIcsWndControl::HandlePrivateMessage(Msg);
    }
  } catch (Exception& E) {
    HandleEventException(E);
  }
}

void TCustomWSocket::HandleSelectMessage(TIcsMessage& Msg) {
  if (static_cast<SOCKET>(Msg.WParam) != SocketHandle || SocketHandle == INVALID_SOCKET || notificationsPaused_) return;
  const Word events = LOWORD(Msg.LParam);
  const Word error = HIWORD(Msg.LParam);
  if (events & FD_CONNECT) HandleConnectEvent(error);
  if (events & FD_READ) HandleReadEvent(error);
  if (events & FD_WRITE) HandleWriteEvent(error);
  if (events & FD_ACCEPT) HandleAcceptEvent(error);
  if (events & FD_CLOSE) HandleCloseEvent(error);
}

void TCustomWSocket::HandleConnectEvent(Word Error) {
  if (CurrentState == wsConnected) return;
  EnterState(wsConnected);
  HandleSessionConnected(Error);
  if (Error != 0 && CurrentState != wsClosed) Close();
}

void TCustomWSocket::HandleReadEvent(Word Error) {
  if (CurrentState != wsConnected) {
    EnterState(wsConnected);
    HandleSessionConnected(Error);
  }
  ReceiveLoop(Error, ComponentOptions);
}

void TCustomWSocket::HandleWriteEvent(Word Error) {
  TryToSend();
  if (sendQueueEmpty_) FireDataSent(Error);
}

void TCustomWSocket::HandleAcceptEvent(Word Error) { FireSessionAvailable(Error); }

void TCustomWSocket::HandleCloseEvent(Word Error) {
  if (CurrentState == wsConnecting || SocketHandle == INVALID_SOCKET) return;
  ReceiveLoop(0, ComponentOptions - TWSocketOptions{wsoNoReceiveLoop});
  if (!ClosedReported) {
    ClosedReported = true;
    HandleSessionClosed(Error);
  }
  if (CurrentState != wsClosed) Close();
}

void TCustomWSocket::HandleEventException(Exception& E) {
  bool canClose = true;
  if (OnBgException) {
    try {
      OnBgException(this, E, canClose);
    } catch (Exception&) {
    }
  }
  if (canClose) {
    try {
      Abort();
    } catch (Exception&) {
    }
  }
}

// ---- closing ---------------------------------------------------------------------------------

void TCustomWSocket::Close() { CloseWith(true, 0); }

void TCustomWSocket::CloseLater() { PostSelfMessage(msgCloseDelayed_); }

void TCustomWSocket::Abort() { AbortWith(0); }

void TCustomWSocket::AbortWith(int Error) {
  CancelDnsLookup();
  DiscardSendData();
  if (SocketHandle != INVALID_SOCKET && socketType_ == SOCK_STREAM &&
      (CurrentState == wsConnected || CurrentState == wsSocksConnected)) {
    // Linger on with no time: closesocket resets the connection.
    LingerOnOff = wsLingerOn;
    LingerTimeout = 0;
    ApplyLinger();
  }
  CloseWith(false, Error);
}

void TCustomWSocket::CloseWith(bool Shut, int Error) {
  if (SocketHandle == INVALID_SOCKET) {
    if (CurrentState != wsClosed) {
      EnterState(wsClosed);
      ResetDefaults();
    }
    return;
  }
  if (CurrentState == wsClosed) return;
  if (Shut) Shutdown(1);
  for (;;) {
    if (ws_.closesocket(SocketHandle) == 0) break;
    int error = ws_.WSAGetLastError();
    if (error == WSANOTINITIALISED) break;
    if (error != WSAEWOULDBLOCK) {
      SocketHandle = INVALID_SOCKET;
      return ReportWinsockError(L"Disconnect (closesocket)");
    }
    PumpMessages();
  }
  SocketHandle = INVALID_SOCKET;
  EnterState(wsClosed);
  if (!ComponentState().Contains(csDestroying) && !ClosedReported) {
    ClosedReported = true;
    HandleSessionClosed(static_cast<Word>(Error));
  }
  try {
    ResetDefaults();
  } catch (Exception&) {
  }
}

void TCustomWSocket::Shutdown(int How) {
  if (LogOptionEnabled(loWsockInfo))
    LogDebug(loWsockInfo, ObjectIdentity() + L" TCustomWSocket.Shutdown " + IntToStr(How) + L" " +
                              IntToStr(static_cast<Int64>(SocketHandle)));
  if (SocketHandle != INVALID_SOCKET) ws_.shutdown(SocketHandle, How);
}

void TCustomWSocket::WaitForClose() {
  while (SocketHandle != INVALID_SOCKET && CurrentState != wsClosed) {
    PumpMessages();
    u_long pending = 0;
    if (SocketHandle == INVALID_SOCKET || ws_.ioctlsocket(SocketHandle, FIONREAD, &pending) != 0) break;
    if (pending > 0) HandleDataAvailable(0);
    char byte;
    if (SocketHandle == INVALID_SOCKET) break;
    if (ReceiveData(&byte, 1, 0) <= 0) {
      LastError = ws_.WSAGetLastError();
      if (LastError != WSAEWOULDBLOCK) break;
    }
    PumpMessages();
  }
}

void TCustomWSocket::Pause() {
  notificationsPaused_ = true;
  if (SocketHandle != INVALID_SOCKET) ws_.WSAAsyncSelect(SocketHandle, Handle(), 0, 0);
}

void TCustomWSocket::Resume() {
  notificationsPaused_ = false;
  if (SocketHandle != INVALID_SOCKET) ws_.WSAAsyncSelect(SocketHandle, Handle(), msgSelect_, selectEvents_);
}

void TCustomWSocket::AttachToThread() {
  TIcsWndControl::AttachToThread();
  if (SocketHandle != INVALID_SOCKET) ws_.WSAAsyncSelect(SocketHandle, Handle(), msgSelect_, selectEvents_);
}

void TCustomWSocket::DetachFromThread() {
  if (GetCurrentThreadId() == OwnerThreadId() && SocketHandle != INVALID_SOCKET)
    ws_.WSAAsyncSelect(SocketHandle, Handle(), 0, 0);
  TIcsWndControl::DetachFromThread();
}

// ---- name lookup -----------------------------------------------------------------------------

void TCustomWSocket::DnsLookup(const String& HostName) {
  if (HostName.empty()) {
    ReportError(L"DNS lookup: invalid host name.");
    FireDnsLookupDone(WSAEINVAL);
    return;
  }
  CancelRunningLookup();
  LookupResult.clear();
  lookupResults_->Clear();
  AnsiString host = HostText(HostName);
  if (IsDottedAddress(HostName)) {
    u_long address = ws_.inet_addr(HostText(Trim(HostName)).c_str());
    if (address != INADDR_NONE || Trim(HostName) == L"255.255.255.255") {
      LookupResult = DottedText(ws_, address);
      lookupResults_->Add(LookupResult);
      FireDnsLookupDone(0);
      return;
    }
  }
  if (!WindowHandle()) return ReportError(L"DnsLookup: Window not assigned");
  earlyReply_ = false;
  lookupTask_ = ws_.WSAAsyncGetHostByName(WindowHandle(), msgHostByName_, host.c_str(), LookupArea(), kHostEntrySize);
  if (!lookupTask_)
    return ReportError(HostName + L": can't start DNS lookup - " + WinsockErrorTextWithCode(ws_.WSAGetLastError()));
  if (earlyReply_) {
    earlyReply_ = false;
    HandleHostByNameReply(savedReply_);
  }
}

void TCustomWSocket::HandleHostByNameReply(const TIcsMessage& Msg) {
  if (!lookupTask_) {
    savedReply_ = Msg;
    earlyReply_ = true;
    return;
  }
  if (reinterpret_cast<HANDLE>(Msg.WParam) != lookupTask_) return;
  lookupTask_ = nullptr;
  Word error = HIWORD(Msg.LParam);
  if (error == 0) {
    HostEntryAddressesToList(*reinterpret_cast<const hostent*>(LookupArea()), *lookupResults_, ws_);
    if (lookupResults_->Count() > 0) LookupResult = lookupResults_->Strings(0);
  }
  FireDnsLookupDone(error);
}

void TCustomWSocket::ReverseDnsLookup(const String& HostAddr) {
  if (HostAddr.empty()) {
    ReportError(L"Reverse DNS Lookup: Invalid host name.");
    FireDnsLookupDone(WSAEINVAL);
    return;
  }
  CancelRunningLookup();
  LookupResult.clear();
  lookupResults_->Clear();
  u_long address = ws_.inet_addr(HostText(HostAddr).c_str());
  if (!WindowHandle()) return ReportError(L"Reverse DNS Lookup: Window not assigned");
  lookupTask_ = ws_.WSAAsyncGetHostByAddr(WindowHandle(), msgHostByAddr_, reinterpret_cast<const char*>(&address),
                                          sizeof(address), AF_INET, LookupArea(), kHostEntrySize);
  if (!lookupTask_)
    return ReportError(HostAddr + L": can't start reverse DNS lookup - " +
                       WinsockErrorTextWithCode(ws_.WSAGetLastError()));
}

void TCustomWSocket::HandleHostByAddrReply(const TIcsMessage& Msg) {
  if (!lookupTask_ || reinterpret_cast<HANDLE>(Msg.WParam) != lookupTask_) return;
  lookupTask_ = nullptr;
  Word error = HIWORD(Msg.LParam);
  if (error == 0) {
    HostEntryNamesToList(*reinterpret_cast<const hostent*>(LookupArea()), *lookupResults_);
    LookupResult = lookupResults_->Strings(0);
  }
  FireDnsLookupDone(error);
}

void TCustomWSocket::ReverseDnsLookupSync(const String& HostAddr) {
  if (HostAddr.empty() || HostAddr.size() > 256) {
    ReportError(L"Reverse DNS Lookup: Invalid host name.");
    FireDnsLookupDone(WSAEINVAL);
    return;
  }
  CancelRunningLookup();
  LookupResult.clear();
  lookupResults_->Clear();
  u_long address = ws_.inet_addr(HostText(HostAddr).c_str());
  const hostent* entry = ws_.gethostbyaddr(reinterpret_cast<const char*>(&address), sizeof(address), AF_INET);
  if (!entry) {
    FireDnsLookupDone(static_cast<Word>(ws_.WSAGetLastError()));
    return;
  }
  HostEntryNamesToList(*entry, *lookupResults_);
  LookupResult = lookupResults_->Strings(0);
  FireDnsLookupDone(0);
}

char* TCustomWSocket::LookupArea() {
  if (!hostEntry_) hostEntry_ = std::make_unique<char[]>(kHostEntrySize);
  return hostEntry_.get();
}

void TCustomWSocket::AbandonLookupArea() {
  if (!hostEntry_) return;
  std::lock_guard<std::mutex> guard(abandonedLock);
  AbandonedAreas().push_back(std::move(hostEntry_));
}

void TCustomWSocket::CancelRunningLookup() {
  if (!lookupTask_) return;
  ws_.WSACancelAsyncRequest(lookupTask_);
  lookupTask_ = nullptr;
  AbandonLookupArea();
}

void TCustomWSocket::CancelDnsLookup() {
  if (!lookupTask_) return;
  HANDLE task = lookupTask_;
  lookupTask_ = nullptr;
  AbandonLookupArea();
  if (ws_.WSACancelAsyncRequest(task) != 0) return ReportWinsockError(L"WSACancelAsyncRequest");
  if (!ComponentState().Contains(csDestroying)) FireDnsLookupDone(WSAEINTR);
}

// ---- addresses -------------------------------------------------------------------------------

String TCustomWSocket::PeerAddr() {
  if (CurrentState != wsConnected) return L"error";
  sockaddr_in peer{};
  int length = sizeof(peer);
  if (ws_.getpeername(SocketHandle, reinterpret_cast<sockaddr*>(&peer), &length) != 0) {
    ReportWinsockError(L"GetPeerName");
    return L"error";
  }
  return DottedText(ws_, peer.sin_addr.s_addr);
}

String TCustomWSocket::PeerPort() {
  if (CurrentState != wsConnected) return L"error";
  sockaddr_in peer{};
  int length = sizeof(peer);
  if (ws_.getpeername(SocketHandle, reinterpret_cast<sockaddr*>(&peer), &length) != 0) {
    ReportWinsockError(L"GetPeerPort");
    return L"error";
  }
  return IntToStr(ws_.ntohs(peer.sin_port));
}

int TCustomWSocket::PeerSockAddr(sockaddr_in& Buffer, int& Len) {
  if (CurrentState != wsConnected) return -1;
  return ws_.getpeername(SocketHandle, reinterpret_cast<sockaddr*>(&Buffer), &Len);
}

String TCustomWSocket::LocalAddrText() {
  if (CurrentState != wsBound && CurrentState != wsConnected && CurrentState != wsListening) return L"error";
  sockaddr_in local{};
  int length = sizeof(local);
  if (ws_.getsockname(SocketHandle, reinterpret_cast<sockaddr*>(&local), &length) != 0) return L"error";
  return DottedText(ws_, local.sin_addr.s_addr);
}

String TCustomWSocket::LocalPortText() {
  if (CurrentState != wsBound && CurrentState != wsConnected && CurrentState != wsListening) return L"error";
  sockaddr_in local{};
  int length = sizeof(local);
  if (ws_.getsockname(SocketHandle, reinterpret_cast<sockaddr*>(&local), &length) != 0) return L"error";
  return IntToStr(ws_.ntohs(local.sin_port));
}

int TCustomWSocket::LocalSockAddr(sockaddr_in& Buffer, int& Len) {
  return ws_.getsockname(SocketHandle, reinterpret_cast<sockaddr*>(&Buffer), &Len);
}

bool TCustomWSocket::TimePairIsSet(const timeval& Pair) { return Pair.tv_sec != 0 || Pair.tv_usec != 0; }
void TCustomWSocket::TimePairClear(timeval& Pair) { Pair.tv_sec = Pair.tv_usec = 0; }
bool TCustomWSocket::TimePairEqual(const timeval& A, const timeval& B, bool AskEqual) {
  bool equal = A.tv_sec == B.tv_sec && A.tv_usec == B.tv_usec;
  return AskEqual ? equal : !equal;
}
