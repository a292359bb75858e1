#pragma once
// The asynchronous IPv4 socket: TCP, UDP or raw, non-blocking, driven by WSAAsyncSelect
// notifications to its hidden window. Every network step arrives from the message loop of the
// thread that owns the window and becomes a component event. Outgoing data is queued in the send
// chain and handed to Winsock as fast as it takes it.
//
// Misuse reports through ReportError: OnError when assigned, else ESocketException.

#include <memory>

#include "net/IcsBuffer.h"
#include "net/IcsLogger.h"
#include "net/IcsWndControl.h"
#include "net/WinsockBinding.h"
#include "platform/framework/classes/Strings.h"

enum TSocketState {
  wsInvalidState,
  wsOpened,
  wsBound,
  wsConnecting,
  wsSocksConnected,
  wsConnected,
  wsAccepting,
  wsListening,
  wsClosed,
};
enum TSocketSendFlags { wsSendNormal, wsSendUrgent };
enum TSocketLingerOnOff { wsLingerOff, wsLingerOn, wsLingerNoSet };
enum TSocketKeepAliveOnOff { wsKeepAliveOff, wsKeepAliveOnCustom, wsKeepAliveOnSystem };
enum TWSocketOption { wsoNoReceiveLoop, wsoTcpNoDelay, wsoSIO_RCVALL };
using TWSocketOptions = TSet<TWSocketOption>;

using TSessionEvent = TEvent<void(TObject* Sender, Word ErrCode)>;
using TDataAvailableEvent = TSessionEvent;
using TDataSentEvent = TSessionEvent;
using TDnsLookupDoneEvent = TSessionEvent;
using TChangeStateEvent = TEvent<void(TObject* Sender, TSocketState OldState, TSocketState NewState)>;
using TSendDataEvent = TEvent<void(TObject* Sender, int BytesSent)>;

// An IPv4 socket address, 16 bytes.
static_assert(sizeof(sockaddr_in) == 16, "IPv4 socket address layout");

class TCustomWSocket : public TIcsWndControl {
  DECLARE_CLASS(TCustomWSocket, TIcsWndControl)
 public:
  explicit TCustomWSocket(TComponent* AOwner);
  TCustomWSocket(TComponent* AOwner, TWinsockBinding& Winsock);
  ~TCustomWSocket() override;
  void BeforeDestruction() override;

  TWinsockBinding& Winsock() const { return ws_; }

  // ---- settings ----
  const String& Addr() const { return addr_; }
  void SetAddr(const String& Value);
  const String& Port() const { return port_; }
  virtual void SetPort(const String& Value);
  const String& Proto() const { return proto_; }
  virtual void SetProto(const String& Value);
  const String& LocalAddr() const { return localAddr_; }
  void SetLocalAddr(const String& Value);
  const String& LocalPort() const { return localPort_; }
  void SetLocalPort(const String& Value);
  TSocketSendFlags SendFlags();
  void SetSendFlags(TSocketSendFlags Value);
  virtual int BufSize() const;
  virtual void SetBufSize(int Value);
  int SendBufferSize() const { return sendBufferSize_; }
  virtual void SetSendBufferSize(int Value);
  int ReceiveBufferSize() const { return receiveBufferSize_; }
  virtual void SetReceiveBufferSize(int Value);
  Byte ReqVerLow() const { return ws_.ReqVerLow; }
  void SetReqVerLow(Byte Value);
  Byte ReqVerHigh() const { return ws_.ReqVerHigh; }
  void SetReqVerHigh(Byte Value);
  TIcsLogger* IcsLogger() const { return logger_; }
  virtual void SetIcsLogger(TIcsLogger* Value);

  bool MultiThreaded = false;
  bool MultiCast = false;
  String MultiCastAddrStr;
  int MultiCastIpTTL = 1;
  int FlushTimeout = 60;
  TSocketLingerOnOff LingerOnOff = wsLingerNoSet;
  int LingerTimeout = 0;
  TSocketKeepAliveOnOff KeepAliveOnOff = wsKeepAliveOff;
  int KeepAliveTime = 0;
  int KeepAliveInterval = 0;
  int LastError = 0;
  bool ReuseAddr = false;
  TWSocketOptions ComponentOptions;
  int ListenBacklog = 5;

  // ---- state ----
  TSocketState State() const { return CurrentState; }
  SOCKET HSocket() const { return SocketHandle; }
  String LookupResult;
  TStringList& LookupResultList() { return *lookupResults_; }
  Int64 ReceivedTotal = 0;
  bool SendQueueEmpty() const { return sendQueueEmpty_; }
  int QueuedByteCount() const { return queuedByteCount_; }
  bool NotificationsPaused() const { return notificationsPaused_; }
  const sockaddr_in& RemoteAddress() const { return remoteAddress_; }
  TIcsBufferHandler& SendChain() { return *chain_; }
  UINT SelectMessage() const { return msgSelect_; }
  UINT BufferedDataMessage() const { return msgBufferedData_; }
  UINT CloseDelayedMessage() const { return msgCloseDelayed_; }

  // ---- events ----
  TSessionEvent OnSessionAvailable;
  TSessionEvent OnSessionConnected;
  TSessionEvent OnSessionClosed;
  TChangeStateEvent OnChangeState;
  TDataAvailableEvent OnDataAvailable;
  TDataSentEvent OnDataSent;
  TSendDataEvent OnSendData;
  TDnsLookupDoneEvent OnDnsLookupDone;
  TNotifyEvent OnError;

  // ---- operations ----
  virtual void AllocateSocketWindow() { AllocateWindow(); }
  virtual void DeallocateSocketWindow() { DeallocateWindow(); }
  virtual void Connect();
  virtual void Close();
  virtual void CloseLater();
  virtual void Abort();
  virtual void Flush();
  virtual void WaitForClose();
  virtual void Listen();
  virtual SOCKET Accept();
  virtual void Dup(SOCKET NewHandle);
  virtual void Shutdown(int How);
  virtual void Pause();
  virtual void Resume();

  virtual int Send(const void* Data, int Len);
  virtual int SendText(const AnsiString& Text);
  virtual int SendByte(Byte Value);
  virtual int SendTo(const sockaddr_in& Dest, int DestLen, const void* Data, int Len);
  virtual void QueueData(const void* Data, int Len);
  void QueueText(const AnsiString& Text);
  void DiscardSendData();

  virtual int Receive(void* Buffer, int Len);
  virtual AnsiString ReceiveText();
  virtual int ReceiveFrom(void* Buffer, int Len, sockaddr_in& From, int& FromLen);
  virtual int PendingByteCount();

  virtual void DnsLookup(const String& HostName);
  virtual void ReverseDnsLookup(const String& HostAddr);
  virtual void ReverseDnsLookupSync(const String& HostAddr);
  virtual void CancelDnsLookup();

  virtual String PeerAddr();
  virtual String PeerPort();
  virtual int PeerSockAddr(sockaddr_in& Buffer, int& Len);
  virtual String LocalPortText();
  virtual String LocalAddrText();
  virtual int LocalSockAddr(sockaddr_in& Buffer, int& Len);

  static bool TimePairIsSet(const timeval& Pair);
  static void TimePairClear(timeval& Pair);
  static bool TimePairEqual(const timeval& A, const timeval& B, bool AskEqual);

  // ---- window message handling ----
  void HandlePrivateMessage(TIcsMessage& Msg) override;
  void HandleEventException(Exception& E) override;
  int MessageCountNeeded() const override { return TIcsWndControl::MessageCountNeeded() + 6; }
  void AllocateMessages() override;
  void AttachToThread() override;
  void DetachFromThread() override;

  virtual bool LogOptionEnabled(TLogOption Option) const;
  virtual void LogDebug(TLogOption Option, const String& Msg);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

  virtual void TryToSend();
  virtual void ResetDefaults();
  virtual void CloseWith(bool Shut, int Error);
  virtual void AbortWith(int Error);
  virtual void BindLocal();
  virtual int SendRaw(const void* Data, int Len);
  virtual void ReportError(const String& Msg);
  void ReportWinsockError(const String& Operation);
  virtual bool HandleDataAvailable(Word Error);
  virtual void FireSessionAvailable(Word Error);
  virtual void HandleSessionConnected(Word Error);
  virtual void FireSessionConnected(Word Error);
  virtual void HandleSessionClosed(Word Error);
  virtual void FireDataSent(Word Error);
  virtual void FireChangeState(TSocketState OldState, TSocketState NewState);
  virtual void FireDnsLookupDone(Word Error);
  virtual void FireError();
  virtual void FireSendData(int BytesSent);
  virtual int ReceiveData(void* Buffer, int Len, int Flags);
  virtual int ReceiveDataFrom(void* Buffer, int Len, sockaddr_in& From, int& FromLen);
  virtual void HandleConnectEvent(Word Error);
  virtual void HandleReadEvent(Word Error);
  virtual void HandleWriteEvent(Word Error);
  virtual void HandleAcceptEvent(Word Error);
  virtual void HandleCloseEvent(Word Error);
  virtual void EnterConnectedAfterDup();

  void EnterState(TSocketState NewState);
  void ApplyLinger();
  void ApplyKeepAlive();
  void ReceiveLoop(Word Error, TWSocketOptions Options);
  // The plain socket's pending count (ioctlsocket FIONREAD).
  int SocketPendingByteCount();
  void MarkRemotePort(Word Port);
  void MarkRemoteHost(u_long Address);
  String ObjectIdentity() const;

  TWinsockBinding& ws_;
  SOCKET SocketHandle = INVALID_SOCKET;
  TSocketState CurrentState = wsClosed;
  bool ClosedReported = false;
  bool portResolved_ = false;
  bool addrResolved_ = false;
  Word remotePort_ = 0;
  String port_;
  String addr_;
  String proto_;

 private:
  void SetEndpointText(const wchar_t* Name, const String& Value, String& Text, bool& Assigned, bool& Resolved);

  void HandleSelectMessage(TIcsMessage& Msg);
  void HandleHostByNameReply(const TIcsMessage& Msg);
  void HandleHostByAddrReply(const TIcsMessage& Msg);
  char* LookupArea();
  void AbandonLookupArea();
  void CancelRunningLookup();

  TStringList* lookupResults_;
  int sendFlags_ = 0;
  // Winsock writes the host entry of a running lookup here from its own thread, so the area of a
  // cancelled lookup is never reused or freed while the process runs (see AbandonLookupArea).
  std::unique_ptr<char[]> hostEntry_;
  bool earlyReply_ = false;
  TIcsMessage savedReply_{};
  SOCKET acceptedHandle_ = INVALID_SOCKET;
  UINT msgSelect_ = 0;
  UINT msgHostByName_ = 0;
  UINT msgHostByAddr_ = 0;
  UINT msgCloseDelayed_ = 0;
  UINT msgTestException_ = 0;
  UINT msgBufferedData_ = 0;
  int addrFamily_ = AF_INET;
  bool addrAssigned_ = false;
  int protocol_ = IPPROTO_TCP;
  bool protoAssigned_ = true;
  bool protoResolved_ = false;
  bool localPortResolved_ = false;
  bool portAssigned_ = false;
  String localPort_;
  Word localPortNumber_ = 0;
  String localAddr_;
  int socketType_ = SOCK_STREAM;
  TIcsBufferHandler* chain_;
  bool sendQueueEmpty_ = true;
  bool notificationsPaused_ = false;
  int queuedByteCount_ = 0;
  HANDLE lookupTask_ = nullptr;
  int selectEvents_ = 0;
  int sendBufferSize_ = 0;
  int receiveBufferSize_ = 0;
  TIcsLogger* logger_ = nullptr;
  sockaddr_in remoteAddress_{};
  bool torndown_ = false;
};
