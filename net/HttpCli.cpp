#include "net/HttpCli.h"

#include <algorithm>
#include <cstring>

#include "net/HttpPaths.h"
#include "net/WinsockErrors.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"

DEFINE_CLASS(THttpCli)

namespace {

// Clears a socket's error event for a call, so that its failures raise where the caller can catch
// them and tell its own completion.
class TRaisingSocketErrors {
 public:
  explicit TRaisingSocketErrors(TWSocket& socket) : socket_(socket), saved_(socket.OnError) { socket.OnError = nullptr; }
  ~TRaisingSocketErrors() { socket_.OnError = saved_; }
  TRaisingSocketErrors(const TRaisingSocketErrors&) = delete;
  TRaisingSocketErrors& operator=(const TRaisingSocketErrors&) = delete;

 private:
  TWSocket& socket_;
  TNotifyEvent saved_;
};

}  // namespace

String HttpStateText(int State) {
  static const wchar_t* const names[] = {
      L"httpReady",       L"httpNotConnected", L"httpConnected",           L"httpDnsLookup",
      L"httpDnsLookupDone", L"httpWaitingHeader", L"httpWaitingBody",     L"httpBodyReceived",
      L"httpWaitingProxyConnect", L"httpClosing", L"httpAborting"};
  if (State < 0 || State > httpAborting) return L"State = INVALID STATE";
  return String(L"State = ") + names[State];
}

// ---- construction ----------------------------------------------------------------------------

THttpCli::THttpCli(TComponent* AOwner) : TIcsWndControl(AOwner) {
  AllocateWindow();
  receivedHeader_ = new TStringList;
  challenges_ = new TStringList;
  requestHeader_ = new TMemoryStream;
  contentCoding_ = new THttpContCodHandler(&ReceiveStream, THttpContCodWriter(this, &THttpCli::FireDocData));
  CreateSocket();
}

void THttpCli::CreateSocket() {
  socket_ = NewObject<TWSocket>(nullptr);
  socket_->OnSessionClosed = {this, &THttpCli::SocketSessionClosed};
  socket_->OnDataAvailable = {this, &THttpCli::SocketDataAvailable};
  socket_->OnSessionConnected = {this, &THttpCli::SocketSessionConnected};
  socket_->OnDataSent = {this, &THttpCli::SocketDataSent};
  socket_->OnDnsLookupDone = {this, &THttpCli::SocketDnsLookupDone};
  socket_->OnSocksError = {this, &THttpCli::SocketSocksError};
  socket_->OnSocksConnected = {this, &THttpCli::SocketSocksConnected};
  socket_->OnError = {this, &THttpCli::SocketError};
}

void THttpCli::BeforeDestruction() {
  TIcsWndControl::BeforeDestruction();
  if (socket_) {
    // The socket's last close must not call back into a client being destroyed.
    socket_->OnSessionClosed = nullptr;
    socket_->OnDataAvailable = nullptr;
    socket_->OnSessionConnected = nullptr;
    socket_->OnDataSent = nullptr;
    socket_->OnDnsLookupDone = nullptr;
    socket_->OnSocksError = nullptr;
    socket_->OnSocksConnected = nullptr;
    socket_->OnError = nullptr;
    FreeAndNil(socket_);
  }
}

THttpCli::~THttpCli() {
  if (socket_) {
    // Deleted without Free.
    socket_->OnSessionClosed = nullptr;
    socket_->OnDnsLookupDone = nullptr;
    FreeAndNil(socket_);
  }
  delete challenges_;
  delete receivedHeader_;
  delete requestHeader_;
  delete contentCoding_;
}

// ---- properties ------------------------------------------------------------------------------

void THttpCli::SetMultiThreaded(bool Value) {
  multiThreaded_ = Value;
  socket_->MultiThreaded = Value;
}

void THttpCli::SetRequestVer(const String& Value) {
  if (Value == requestVer_) return;
  if (Value != L"1.0" && Value != L"1.1") throw EHttpException(L"Insupported HTTP version", 5);
  requestVer_ = Value;
}

THttpCliOptions THttpCli::Options() const {
  THttpCliOptions result;
  if (noBasicAuth_) result.Include(httpoNoBasicAuth);
  if (noNtlmAuth_) result.Include(httpoNoNTLMAuth);
  if (bandwidthControl_) result.Include(httpoBandwidthControl);
  if (contentCoding_->Enabled()) result.Include(httpoEnableContentCoding);
  if (contentCoding_->UseQuality()) result.Include(httpoUseQuality);
  return result;
}

void THttpCli::SetOptions(THttpCliOptions Value) {
  noBasicAuth_ = Value.Contains(httpoNoBasicAuth);
  noNtlmAuth_ = Value.Contains(httpoNoNTLMAuth);
  bandwidthControl_ = Value.Contains(httpoBandwidthControl);
  contentCoding_->SetEnabled(Value.Contains(httpoEnableContentCoding));
  contentCoding_->SetUseQuality(Value.Contains(httpoUseQuality));
}

TIcsLogger* THttpCli::IcsLogger() const { return socket_->IcsLogger(); }
void THttpCli::SetIcsLogger(TIcsLogger* Value) { socket_->SetIcsLogger(Value); }

// ---- logging ---------------------------------------------------------------------------------

bool THttpCli::IsLogOptionOn(TLogOption Option) const {
  TIcsLogger* logger = socket_ ? socket_->IcsLogger() : nullptr;
  return logger && logger->LogOptions().Contains(Option);
}

void THttpCli::WriteLog(TLogOption Option, const String& Text) {
  if (IsLogOptionOn(Option)) socket_->IcsLogger()->DoLog(this, Option, Text);
}

void THttpCli::LogState() {
  if (IsLogOptionOn(loProtSpecInfo)) WriteLog(loProtSpecInfo, HttpStateText(state_));
}

// ---- messages --------------------------------------------------------------------------------

void THttpCli::AllocateMessages() {
  TIcsWndControl::AllocateMessages();
  msgRequestDone_ = TakeMessageNumber();
  msgSetReady_ = TakeMessageNumber();
  msgLogin_ = TakeMessageNumber();
}

void THttpCli::FreeMessages() {
  msgRequestDone_ = msgSetReady_ = msgLogin_ = 0;
  TIcsWndControl::FreeMessages();
}

void THttpCli::PostWithSerial(UINT Msg) { PostSelfMessage(Msg, static_cast<WPARAM>(requestSerial_)); }

void THttpCli::PostRequestDoneMessage() { PostWithSerial(msgRequestDone_); }
void THttpCli::PostSecondMessage() { PostWithSerial(msgSetReady_); }

void THttpCli::HandlePrivateMessage(TIcsMessage& Msg) {
  const bool ours = Msg.Msg != 0 && (Msg.Msg == msgRequestDone_ || Msg.Msg == msgSetReady_ || Msg.Msg == msgLogin_);
  if (!ours) return TIcsWndControl::HandlePrivateMessage(Msg);
  // A message of an earlier request (or of an earlier window) is stale.
  if (!IsCurrentGeneration(Msg) || Msg.WParam != static_cast<WPARAM>(requestSerial_)) return;
  try {
    if (Msg.Msg == msgRequestDone_) {
      if (OnRequestDone) OnRequestDone(this, requestType_, requestDoneError_);
    } else if (Msg.Msg == msgSetReady_) {
      ChangeState(httpReady);
    } else {
      Login();
    }
  } catch (Exception& E) {
    HandleEventException(E);
  }
}

void THttpCli::AttachToThread() {
  TIcsWndControl::AttachToThread();
  socket_->AttachToThread();
  if (bandwidthTimer_) bandwidthTimer_->SetEnabled(bandwidthTimerWasEnabled_);
}

void THttpCli::DetachFromThread() {
  if (bandwidthTimer_) {
    bandwidthTimerWasEnabled_ = bandwidthTimer_->Enabled();
    bandwidthTimer_->SetEnabled(false);
  }
  socket_->DetachFromThread();
  TIcsWndControl::DetachFromThread();
}

// ---- socket relays ---------------------------------------------------------------------------

void THttpCli::SocketError(TObject*) {
  if (OnSocketError) OnSocketError(this);
}

void THttpCli::SocketSocksConnected(TObject*, Word ErrCode) {
  if (OnSocksConnected) OnSocksConnected(this, ErrCode);
}

void THttpCli::SocketSocksError(TObject*, int Error, const String& Msg) {
  if (OnSocksError) OnSocksError(this, Error, Msg);
}

// ---- starting a request ----------------------------------------------------------------------

void THttpCli::GetAsync() {
  locationChangeCurCount_ = 0;
  StartRequestAsync(httpGET);
}

void THttpCli::ForgetReceivedResponse() {
  receivedHeader_->Clear();
  statusCode_ = 0;
  receivedCount_ = 0;
  headerLineCount_ = 0;
  bodyLineCount_ = 0;
  contentLength_ = -1;
  contentType_.clear();
  transferEncoding_.clear();
  contentEncoding_.clear();
}

void THttpCli::ResetResponse(bool KeepLocation, bool KeepDocName) {
  ForgetReceivedResponse();
  requestDoneError_ = 0;
  if (!KeepDocName) docName_.clear();
  sentCount_ = 0;
  allowedToSend_ = false;
  if (!KeepLocation) location_ = URL;
  challenges_->Clear();
  closeReq_ = requestVer_ == L"1.0";
}

void THttpCli::StartRequestAsync(THttpRequest Request) {
  if (Request != httpCLOSE && state_ != httpReady)
    throw EHttpException(L"HTTP component " + Name() + L" is busy", 1);
  if ((Request == httpPOST || Request == httpPUT) && !RequestBodyStream)
    throw EHttpException(L"HTTP component has nothing to post or put", 2);

  ++requestSerial_;
  if (Request == httpCLOSE) {
    statusCode_ = 200;
    reasonPhrase_ = L"OK";
    ChangeState(httpClosing);
    if (socket_->State() == wsClosed) PostSecondMessage();
    else socket_->CloseLater();
    return;
  }

  requestType_ = Request;
  ResetResponse();
  docStartSize_ = ReceiveStream ? ReceiveStream->Size() : 0;
  currentUsername_ = Username;
  currentPassword_ = Password;
  currentConnection_ = Connection;
  currentProxyConnection_ = ProxyConnection;

  if (Proxy.empty()) SetupDirectTarget();
  else SetupProxyTarget();
  if (protocol_.empty()) protocol_ = L"http";
  if (path_.empty()) path_ = L"/";
  SetDocNameFromPath();
  SetupUpFrontAuth();

  if (ConnectedToTarget()) {
    HandleSessionConnected(0);
    return;
  }
  if (socket_->State() != wsClosed) socket_->Abort();
  proxyConnected_ = false;
  ChangeState(httpNotConnected);
  Login();
}

void THttpCli::SetupDirectTarget() {
  const THttpUrlParts url = ParseHttpUrl(URL, path_);
  targetHost_ = url.Host;
  path_ = url.Path;
  docName_ = url.Path;
  protocol_ = url.Proto;
  if (!url.User.empty()) currentUsername_ = url.User;
  if (!url.Pass.empty()) currentPassword_ = url.Pass;
  port_ = url.Port.empty() ? String(L"80") : url.Port;
  targetPort_ = port_;
  hostName_ = url.Host;
}

void THttpCli::SetupProxyTarget() {
  const THttpUrlParts url = ParseHttpUrl(URL, path_);
  targetHost_ = url.Host;
  targetPort_ = url.Port.empty() ? String(L"80") : url.Port;
  docName_ = url.Path;
  protocol_ = url.Proto;
  if (!url.User.empty()) currentUsername_ = url.User;
  if (!url.Pass.empty()) currentPassword_ = url.Pass;
  path_ = (url.Proto.empty() ? String(L"http") : url.Proto) + L"://" + url.Host +
          (url.Port.empty() ? String() : L":" + url.Port) + url.Path;
  const THttpUrlParts proxy = ParseHttpUrl(Proxy);
  hostName_ = proxy.Host;
  port_ = proxy.Port.empty() ? ProxyPort : proxy.Port;
  proxyHostPort_ = port_;
}

bool THttpCli::PreviousResponseIs10() const { return responseVersion_.empty() || responseVersion_ == L"1.0"; }

void THttpCli::SetupUpFrontAuth() {
  authNtlmState_ = proxyAuthNtlmState_ = authBasicState_ = proxyAuthBasicState_ = 0;
  const bool keepAliveRule = requestVer_ == L"1.0" || PreviousResponseIs10();
  if (!Proxy.empty() && ProxyAuth != httpAuthNone && !ProxyUsername.empty() && !ProxyPassword.empty()) {
    const bool reused = ConnectedToTarget();
    if (ProxyAuth == httpAuthNtlm) {
      proxyAuthNtlmState_ = reused ? 4 : 1;
      if (keepAliveRule) currentProxyConnection_ = L"Keep-alive";
    } else {
      proxyAuthBasicState_ = reused ? 2 : 1;
    }
  }
  if (ServerAuth != httpAuthNone && !currentUsername_.empty() && !currentPassword_.empty()) {
    if (ServerAuth == httpAuthNtlm) {
      authNtlmState_ = 1;
      if (keepAliveRule) currentConnection_ = L"Keep-alive";
    } else {
      authBasicState_ = 1;
    }
  }
}

bool THttpCli::ConnectedToTarget() const {
  return socket_->State() == wsConnected && curHost_ == hostName_ && curPort_ == port_ && curProtocol_ == protocol_;
}

void THttpCli::SetDocNameFromPath() { docName_ = DocNameFromPath(docName_); }

// ---- connecting ------------------------------------------------------------------------------

void THttpCli::Login() {
  WriteLog(loProtSpecInfo, L"Login " + hostName_);
  socket_->OnSessionClosed = {this, &THttpCli::SocketSessionClosed};
  if (socket_->State() == wsConnected) {
    HandleSessionConnected(0);
    return;
  }
  dnsResult_.clear();
  connectStarted_ = false;
  headerEnded_ = false;
  ChangeState(httpDnsLookup);
  StartLookupOrFail();
}

void THttpCli::FailToStart(Word Error, const String& Reason) {
  statusCode_ = 404;
  reasonPhrase_ = Reason;
  requestDoneError_ = Error;
  connected_ = false;
  ChangeState(httpReady);
}

void THttpCli::StartLookupOrFail() {
  const UInt64 serial = requestSerial_;
  try {
    TRaisingSocketErrors raising(*socket_);
    socket_->SetLocalAddr(LocalAddr);
    socket_->DnsLookup(hostName_);
  } catch (Exception& E) {
    SocketError(socket_);
    if (serial != requestSerial_ || state_ != httpDnsLookup) return;
    // The Winsock code of a refused start is only in the message; the socket keeps none for it.
    FailToStart(WSAEINVAL, E.Message());
  }
}

void THttpCli::ConfigureSocket() {
  socket_->SetAddr(dnsResult_);
  socket_->SetLocalAddr(LocalAddr);
  socket_->SetPort(port_);
  socket_->SetProto(L"tcp");
  socket_->SetSocksServer(SocksServer);
  socket_->SetSocksLevel(SocksLevel);
  socket_->SetSocksPort(SocksPort);
  socket_->SocksUsercode = SocksUsercode;
  socket_->SocksPassword = SocksPassword;
  socket_->SocksAuthentication = SocksAuthentication;
}

void THttpCli::HandleDnsLookupDone(Word ErrCode) {
  if (ErrCode != 0) {
    if (state_ == httpAborting) return;
    requestDoneError_ = ErrCode;
    statusCode_ = 404;
    reasonPhrase_ = L"can't resolve hostname to IP address";
    HandleSessionClosed(ErrCode);
    return;
  }
  dnsResult_ = socket_->LookupResult;
  socket_->LastError = 0;  // what follows reports this connection's errors, not older ones
  ChangeState(httpDnsLookupDone);
  curHost_ = hostName_;
  curPort_ = port_;
  curProtocol_ = protocol_;
  if (protocol_ != L"http") {
    requestDoneError_ = static_cast<Word>(socket_->LastError);
    statusCode_ = 501;
    reasonPhrase_ = L"Protocol \"" + protocol_ + L"\" not implemented";
    socket_->Close();
    HandleSessionClosed(static_cast<Word>(socket_->LastError));
    return;
  }
  WriteLog(loProtSpecInfo, L"connect to " + dnsResult_ + L"/" + port_);
  ConnectOrFail();
}

void THttpCli::ConnectOrFail() {
  try {
    TRaisingSocketErrors raising(*socket_);
    ConfigureSocket();
    socket_->Connect();
    connectStarted_ = true;
  } catch (Exception&) {
    SocketError(socket_);
    const int code = socket_->LastError != 0 ? socket_->LastError : WSAEINVAL;
    requestDoneError_ = static_cast<Word>(code);
    statusCode_ = 404;
    reasonPhrase_ = L"can't connect: " + WinsockErrorText(code) + L" (Error #" + IntToStr(code) + L")";
    try {
      socket_->Close();
    } catch (Exception&) {
    }
    HandleSessionClosed(static_cast<Word>(code));
  }
}

void THttpCli::HandleSessionConnected(Word ErrCode) {
  WriteLog(loProtSpecInfo, L"SessionConnected");
  if (ErrCode != 0) {
    requestDoneError_ = ErrCode;
    statusCode_ = 404;
    reasonPhrase_ = WinsockErrorText(ErrCode) + L" (Error #" + IntToStr(ErrCode) + L")";
    FireSessionConnected();
    return;
  }
  locationPending_ = false;
  connected_ = true;
  headerEnded_ = false;
  ChangeState(httpConnected);
  FireSessionConnected();
  nextLine_ = nlHeader;
  ChangeState(httpWaitingHeader);
  try {
    SendRequest(MethodText(), requestVer_);
    if ((requestType_ == httpPOST || requestType_ == httpPUT) && authNtlmState_ != 1 && proxyAuthNtlmState_ != 1) {
      FireSendBegin();
      allowedToSend_ = true;
      HandleDataSent(0);
    }
  } catch (Exception&) {
    CloseSocket();
  }
}

void THttpCli::CloseSocket() {
  socket_->Close();
  connected_ = false;
}

String THttpCli::MethodText() const {
  switch (requestType_) {
    case httpPOST: return L"POST";
    case httpPUT: return L"PUT";
    case httpHEAD: return L"HEAD";
    default: return L"GET";
  }
}

// ---- closing ---------------------------------------------------------------------------------

void THttpCli::HandleSessionClosed(Word ErrCode) {
  if (IsLogOptionOn(loProtSpecInfo)) WriteLog(loProtSpecInfo, L"SessionClosed Error: " + IntToStr(ErrCode));
  if (ErrCode != 0) requestDoneError_ = ErrCode;
  connected_ = false;
  proxyConnected_ = false;
  if (ResponseCutBeforeHeaderEnd() && requestDoneError_ == 0) requestDoneError_ = kConnectionAborted;
  if (inHeader_) {
    FireHeaderEnd();
  } else if (state_ == httpWaitingBody && nextLine_ == nlBody) {
    StopBandwidthTimer();
    if (firstBodyPiece_) {
      // The body never started: it is as long as what arrived, nothing.
      chunked_ = transferEncoding_ == L"chunked";
      chunk_.Reset();
    }
    // A body with a length or chunks that the close cut short is a failure, not a document.
    if (BodyIncomplete() && requestDoneError_ == 0) requestDoneError_ = kConnectionAborted;
    nextLine_ = nlNone;
    // A body that ends with the connection is whole: its decoders give out what they still hold.
    if (requestDoneError_ == 0) {
      try {
        CompleteDecoders();
      } catch (Exception&) {
        // CompleteDecoders has set the request's error.
      }
    }
    FireDocEnd();
  }
  if (locationPending_) {
    RelocateAfterClose();
    return;
  }
  FireSessionClosed();
  if (state_ != httpReady) PostSecondMessage();
}

void THttpCli::StopBandwidthTimer() {
  if (bandwidthTimer_) bandwidthTimer_->SetEnabled(false);
}

void THttpCli::BandwidthTick(TObject*) {
  if (bandwidthPaused_) {
    bandwidthPaused_ = false;
    bandwidthCount_ -= bandwidthMaxCount_;
    socket_->Resume();
  } else {
    bandwidthCount_ = 0;
  }
}

// ---- ready and authentication ----------------------------------------------------------------

void THttpCli::ChangeState(THttpClientState NewState) {
  if (NewState == state_) return;
  state_ = NewState;
  LogState();
  if (OnStateChange) OnStateChange(this);
  if (state_ == httpReady) AfterReady();
}

// ---- abort and the synchronous run -----------------------------------------------------------

void THttpCli::AbortRequest() {
  if (state_ != httpReady) {
    const bool lookupRunning = state_ == httpDnsLookup;
    ChangeState(httpAborting);
    if (lookupRunning) {
      try {
        socket_->CancelDnsLookup();
      } catch (Exception&) {
      }
    }
    statusCode_ = 404;
    reasonPhrase_ = L"Connection aborted on request";
    requestDoneError_ = 3;
    if (lookupRunning) HandleSessionClosed(0);
    else socket_->Close();
    ChangeState(httpReady);
    return;
  }
  state_ = httpAborting;
  state_ = httpReady;
  if (socket_->State() != wsClosed) socket_->Abort();
  statusCode_ = 200;
  reasonPhrase_ = L"OK";
  requestDoneError_ = 0;
  LogState();
  if (OnRequestDone) OnRequestDone(this, requestType_, requestDoneError_);
}

void THttpCli::RunRequestSync(THttpRequest Request) {
  StartRequestAsync(Request);
  while (state_ != httpReady) {
    if (multiThreaded_) {
      socket_->ProcessPendingMessages();
      Sleep(0);
      continue;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, 0x1C5);
    if (Application) Application->ProcessMessages();
    else ProcessPendingMessages();
    if (Application && Application->Terminated()) {
      AbortRequest();
      break;
    }
  }
  if (statusCode_ >= 400 && statusCode_ != 401 && statusCode_ != 407)
    throw EHttpException(reasonPhrase_, static_cast<Word>(statusCode_));
}

// ---- events ----------------------------------------------------------------------------------

void THttpCli::FireCookie(const String& Data, bool& Accept) {
  if (OnCookie) OnCookie(this, Data, Accept);
}
void THttpCli::FireSessionConnected() {
  if (OnSessionConnected) OnSessionConnected(this);
}
void THttpCli::FireSessionClosed() {
  if (OnSessionClosed) OnSessionClosed(this);
}
void THttpCli::FireBeforeHeaderSend(const String& Method, TStrings& Headers) {
  if (OnBeforeHeaderSend) OnBeforeHeaderSend(this, Method, Headers);
}
void THttpCli::FireRequestHeaderBegin() {
  if (OnRequestHeaderBegin) OnRequestHeaderBegin(this);
}
void THttpCli::FireRequestHeaderEnd() {
  if (OnRequestHeaderEnd) OnRequestHeaderEnd(this);
}
void THttpCli::FireHeaderBegin() {
  inHeader_ = true;
  if (OnHeaderBegin) OnHeaderBegin(this);
}
void THttpCli::FireHeaderEnd() {
  inHeader_ = false;
  if (OnHeaderEnd) OnHeaderEnd(this);
}
void THttpCli::FireDocBegin() {
  WriteLog(loProtSpecInfo, L"DocBegin");
  if (OnDocBegin) OnDocBegin(this);
}
void THttpCli::FireDocData(const void* Buffer, Int64 Len) {
  if (OnDocData) OnDocData(this, Buffer, static_cast<std::int32_t>(Len));
}
void THttpCli::FireDocEnd() {
  WriteLog(loProtSpecInfo, L"DocEnd");
  if (OnDocEnd) OnDocEnd(this);
}
void THttpCli::FireSendBegin() {
  if (OnSendBegin) OnSendBegin(this);
}
void THttpCli::FireSendData(const void* Buffer, int Len) {
  if (OnSendData) OnSendData(this, Buffer, Len);
}
void THttpCli::FireSendEnd() {
  if (OnSendEnd) OnSendEnd(this);
}
