#include "net/HttpCli.h"

#include <algorithm>
#include <cstring>

#include "net/Base64.h"
#include "net/HttpDate.h"
#include "net/HttpPaths.h"
#include "net/SocketAddress.h"
#include "net/UrlParse.h"
#include "net/WinsockErrors.h"
#include "platform/framework/Forms.h"
#include "platform/framework/SysUtils.h"
#include "platform/framework/TextEncoding.h"

DEFINE_CLASS(THttpCli)

namespace {

AnsiString Ansi(const String& text) { return StringToAnsi(text); }
String Wide(const AnsiString& text) { return AnsiToString(text); }

bool StartsText(const String& prefix, const String& text) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

// Splits a URL with the suite's parser; Path is the base for "./" and "../" forms on entry.
struct TUrlParts {
  String Proto, User, Pass, Host, Port, Path;
};

TUrlParts ParseUrl(const String& url, const String& basePath = String()) {
  AnsiString proto, user, pass, host, port, path = Ansi(basePath);
  SplitUrl(Ansi(url), proto, user, pass, host, port, path);
  return {Wide(proto), Wide(user), Wide(pass), Wide(host), Wide(port), Wide(path)};
}

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

bool IsNoBodyStatus(int status) {
  return status < 200 || status == 204 || status == 301 || status == 302 || status == 304 || status == 401 ||
         status == 407;
}

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

void THttpCli::GetSync() {
  locationChangeCurCount_ = 0;
  RunRequestSync(httpGET);
}

void THttpCli::ResetResponse(bool KeepLocation, bool KeepDocName) {
  receivedHeader_->Clear();
  requestDoneError_ = 0;
  if (!KeepDocName) docName_.clear();
  statusCode_ = 0;
  receivedCount_ = 0;
  sentCount_ = 0;
  headerLineCount_ = 0;
  bodyLineCount_ = 0;
  contentLength_ = -1;
  contentType_.clear();
  transferEncoding_.clear();
  contentEncoding_.clear();
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
  const TUrlParts url = ParseUrl(URL, path_);
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
  const TUrlParts url = ParseUrl(URL, path_);
  targetHost_ = url.Host;
  targetPort_ = url.Port.empty() ? String(L"80") : url.Port;
  docName_ = url.Path;
  protocol_ = url.Proto;
  if (!url.User.empty()) currentUsername_ = url.User;
  if (!url.Pass.empty()) currentPassword_ = url.Pass;
  path_ = (url.Proto.empty() ? String(L"http") : url.Proto) + L"://" + url.Host +
          (url.Port.empty() ? String() : L":" + url.Port) + url.Path;
  const TUrlParts proxy = ParseUrl(Proxy);
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
    int code = 0;
    try {
      code = socket_->Winsock().WSAGetLastError();
    } catch (Exception&) {
    }
    FailToStart(static_cast<Word>(code != 0 ? code : WSAEINVAL), E.Message());
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

// ---- the request -----------------------------------------------------------------------------

String THttpCli::AuthorizationLine() const {
  if (proxyAuthNtlmState_ == 1) return {};
  if (authNtlmState_ == 1) return L"Authorization: NTLM " + Wide(GetNtlmMessage1("", ""));
  if (authNtlmState_ == 3) {
    String workstation;
    try {
      workstation = MachineHostName();
    } catch (Exception&) {
    }
    return L"Authorization: NTLM " + Wide(GetNtlmMessage3("", Ansi(workstation), Ansi(currentUsername_),
                                                           Ansi(currentPassword_), ntlmChallenge_.ChallengeBytes));
  }
  if (authBasicState_ == 1)
    return L"Authorization: Basic " + Wide(Base64EncodeText(Ansi(currentUsername_ + L":" + currentPassword_)));
  return {};
}

String THttpCli::ProxyAuthorizationLine() const {
  if (proxyAuthNtlmState_ == 1) return L"Proxy-Authorization: NTLM " + Wide(GetNtlmMessage1("", ""));
  if (proxyAuthNtlmState_ == 3) {
    String workstation;
    try {
      workstation = MachineHostName();
    } catch (Exception&) {
    }
    return L"Proxy-Authorization: NTLM " + Wide(GetNtlmMessage3("", Ansi(workstation), Ansi(ProxyUsername),
                                                                 Ansi(ProxyPassword), proxyNtlmChallenge_.ChallengeBytes));
  }
  if (proxyAuthBasicState_ == 1)
    return L"Proxy-Authorization: Basic " + Wide(Base64EncodeText(Ansi(ProxyUsername + L":" + ProxyPassword)));
  return {};
}

void THttpCli::SendRequest(const String& Method, const String& Version) {
  bandwidthCount_ = 0;
  if (bandwidthControl_) {
    if (!bandwidthTimer_) bandwidthTimer_ = new TIcsTimer(this);
    bandwidthTimer_->SetEnabled(false);
    bandwidthTimer_->SetInterval(static_cast<Cardinal>(BandwidthSampling));
    bandwidthTimer_->SetOnTimer({this, &THttpCli::BandwidthTick});
    bandwidthTimer_->SetEnabled(true);
    bandwidthMaxCount_ = static_cast<Int64>(BandwidthLimit) * BandwidthSampling / 1000;
    bandwidthPaused_ = false;
    socket_->ComponentOptions.Include(wsoNoReceiveLoop);
  }
  requestHeader_->Clear();
  FireRequestHeaderBegin();
  try {
    const bool posting = requestType_ == httpPOST || requestType_ == httpPUT;
    TStringList headers;
    headers.Add(Method + L" " + path_ + L" HTTP/" + Version);
    if (!Sender.empty()) headers.Add(L"From: " + Sender);
    if (!Accept.empty()) headers.Add(L"Accept: " + Accept);
    if (!Reference.empty()) headers.Add(L"Referer: " + Reference);
    if (!currentConnection_.empty()) headers.Add(L"Connection: " + currentConnection_);
    if (!AcceptLanguage.empty()) headers.Add(L"Accept-Language: " + AcceptLanguage);
    const String codings = contentCoding_->HeaderText();
    if (!codings.empty() && requestType_ != httpHEAD) headers.Add(L"Accept-Encoding: " + codings);
    if (posting && !ContentTypePost.empty()) headers.Add(L"Content-Type: " + ContentTypePost);
    if (!Agent.empty()) headers.Add(L"User-Agent: " + Agent);
    if (!targetPort_.empty() && targetPort_ != L"80") headers.Add(L"Host: " + targetHost_ + L":" + targetPort_);
    else headers.Add(L"Host: " + targetHost_);
    if (NoCache) headers.Add(L"Pragma: no-cache");
    if (!currentProxyConnection_.empty()) headers.Add(L"Proxy-Connection: " + currentProxyConnection_);
    if (posting) {
      if (authNtlmState_ == 1 || proxyAuthNtlmState_ == 1) headers.Add(L"Content-Length: 0");
      else
        headers.Add(L"Content-Length: " + IntToStr(RequestBodyStream->Size() - RequestBodyStream->Position()));
    }
    if (ModifiedSince != 0) headers.Add(L"If-Modified-Since: " + FormatHttpDate(ModifiedSince) + L" GMT");
    const String authorization = AuthorizationLine();
    if (!authorization.empty()) headers.Add(authorization);
    const String proxyAuthorization = ProxyAuthorizationLine();
    if (!proxyAuthorization.empty()) headers.Add(proxyAuthorization);
    if (!Cookie.empty()) headers.Add(L"Cookie: " + Cookie);
    if (!ContentRangeBegin.empty() || !ContentRangeEnd.empty()) {
      headers.Add(L"Range: bytes=" + ContentRangeBegin + L"-" + ContentRangeEnd);
      ContentRangeBegin.clear();
      ContentRangeEnd.clear();
    }
    acceptRanges_.clear();
    if (IsLogOptionOn(loProtSpecInfo))
      WriteLog(loProtSpecInfo, IntToStr(headers.Count()) + L" header lines to send\r\n" + headers.Text());
    FireBeforeHeaderSend(Method, headers);
    for (int i = 0; i < headers.Count(); ++i) SendHeaderLine(headers[i]);
    FireRequestHeaderEnd();
    SendHeaderLine(String());
    const Int64 size = requestHeader_->Size();
    socket_->QueueData(requestHeader_->Memory(), static_cast<int>(size));
    requestHeader_->Clear();
    socket_->Send(nullptr, 0);
  } catch (...) {
    WriteLog(loProtSpecInfo, L"SendRequest Done");
    throw;
  }
  WriteLog(loProtSpecInfo, L"SendRequest Done");
}

void THttpCli::SendHeaderLine(const String& Line) {
  String text = Line;
  if (OnCommand) OnCommand(this, text);
  if (!text.empty()) {
    const AnsiString bytes = Ansi(text);
    requestHeader_->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  }
  requestHeader_->WriteBuffer("\r\n", 2);
}

void THttpCli::HandleDataSent(Word) {
  if (!allowedToSend_) return;
  if (!sendBuf_) sendBuf_ = std::make_unique<char[]>(kSendBlockSize);
  const Int64 count = RequestBodyStream ? RequestBodyStream->Read(sendBuf_.get(), kSendBlockSize) : 0;
  if (count > 0) {
    sentCount_ += count;
    FireSendData(sendBuf_.get(), static_cast<int>(count));
    socket_->Send(sendBuf_.get(), static_cast<int>(count));
  } else {
    allowedToSend_ = false;
    FireSendEnd();
  }
}

// ---- receiving -------------------------------------------------------------------------------

void THttpCli::ReserveReceiveSpace(int Free) {
  const std::size_t needed = static_cast<std::size_t>(rcvLen_) + static_cast<std::size_t>(Free) + 1;
  if (needed <= static_cast<std::size_t>(rcvSize_)) return;
  auto grown = std::make_unique<char[]>(needed);
  if (rcvLen_ > 0) std::memcpy(grown.get(), rcvBuf_.get(), static_cast<std::size_t>(rcvLen_));
  rcvBuf_ = std::move(grown);
  rcvSize_ = static_cast<int>(needed);
}

void THttpCli::ConsumeReceived(int Count) {
  const int rest = rcvLen_ - Count;
  if (rest > 0) std::memmove(rcvBuf_.get(), rcvBuf_.get() + Count, static_cast<std::size_t>(rest));
  rcvLen_ = std::max(rest, 0);
  rcvBuf_[rcvLen_] = '\0';
}

void THttpCli::HandleDataAvailable(Word ErrCode) {
  int free = state_ == httpWaitingBody ? kBodyReceiveSize : kHeaderReceiveSize;
  // Under bandwidth control a receive takes at most one interval's share, or one receive would
  // take in whatever the socket holds at once.
  if (bandwidthControl_) free = static_cast<int>(std::clamp<Int64>(bandwidthMaxCount_, kHeaderReceiveSize, free));
  ReserveReceiveSpace(free);
  const int count = socket_->Receive(rcvBuf_.get() + rcvLen_, free);
  if (IsLogOptionOn(loProtSpecInfo)) WriteLog(loProtSpecInfo, L"Data available. Len=" + IntToStr(count));
  if (requestType_ == httpABORT) return;
  if (count <= 0) {
    if (IsLogOptionOn(loProtSpecInfo)) WriteLog(loProtSpecInfo, L"**data available. Len=" + IntToStr(count));
    return;
  }
  bandwidthCount_ += count;
  if (bandwidthControl_ && bandwidthCount_ > bandwidthMaxCount_ && !bandwidthPaused_) {
    bandwidthPaused_ = true;
    socket_->Pause();
  }
  rcvLen_ += count;
  rcvBuf_[rcvLen_] = '\0';
  if (state_ == httpWaitingBody && nextLine_ != nlHeader) ConsumeReceivedBody();
  else CutLines(ErrCode);
}

void THttpCli::ConsumeReceivedBody() {
  if (requestType_ == httpHEAD) {
    ClearReceiveBuffer();
    socket_->Abort();
    return;
  }
  if (nextLine_ == nlNone) {
    // Bytes after a finished body (or while no body is expected) have no reader.
    ClearReceiveBuffer();
    PostSecondMessage();
    return;
  }
  int part = rcvLen_;
  if (contentLength_ >= 0) part = static_cast<int>(std::min<Int64>(part, contentLength_ - receivedCount_));
  GetBodyLineNext(rcvBuf_.get(), part);
  if (rcvLen_ == 0) return;  // the body handling ended the connection or restarted the request
  ConsumeReceived(part);
  if (nextLine_ != nlNone) return;
  if (locationPending_) StartRelocation();
  else PostSecondMessage();
}

void THttpCli::CutLines(Word ErrCode) {
  while (rcvLen_ > 0) {
    if (state_ == httpWaitingBody && nextLine_ == nlBody) {
      ConsumeReceivedBody();
      return;
    }
    const char* data = rcvBuf_.get();
    const void* lf = std::memchr(data, '\n', static_cast<std::size_t>(rcvLen_));
    if (!lf) {
      if (rcvLen_ > kMaxLineLength) ProtocolError(L"line too long");
      return;
    }
    const int end = static_cast<int>(static_cast<const char*>(lf) - data);
    if (end > kMaxLineLength) {
      ProtocolError(L"line too long");
      return;
    }
    const int length = end > 0 && data[end - 1] == '\r' ? end - 1 : end;
    lastResponse_.assign(data, static_cast<std::size_t>(length));
    ConsumeReceived(end + 1);
    if (IsLogOptionOn(loProtSpecDump)) WriteLog(loProtSpecDump, L">|" + Wide(lastResponse_) + L"|");
    if (state_ == httpWaitingHeader || state_ == httpWaitingBody) {
      if (nextLine_ == nlHeader) ProcessHeaderLine(lastResponse_);
      else PostSecondMessage();
    } else if (OnDataPush) {
      OnDataPush(this, ErrCode);
    }
  }
}

void THttpCli::ProtocolError(const String& What) {
  WriteLog(loProtSpecErr, L"Protocol error: " + What);
  ClearReceiveBuffer();
  requestDoneError_ = kConnectionAborted;
  socket_->Abort();
}

// ---- the response header ---------------------------------------------------------------------

void THttpCli::ProcessHeaderLine(const AnsiString& Line) {
  if (headerLineCount_ == 0) {
    FireHeaderBegin();
  } else if (headerLineCount_ < 0) {
    headerLineCount_ = 0;
  }
  ++headerLineCount_;
  const String line = Wide(Line);

  if (headerLineCount_ == 1 && !line.empty() && line[0] == L'<' &&
      (SameText(line.substr(0, 6), L"<HTML>") || SameText(line.substr(0, 9), L"<!DOCTYPE"))) {
    if (contentType_.empty()) contentType_ = L"text/html";
    headerEnded_ = true;
    ChangeState(httpWaitingBody);
    nextLine_ = nlBody;
    firstBodyPiece_ = true;
    FireHeaderEnd();
    GetBodyLineNext(rcvBuf_.get(), 0);
    return;
  }
  if (line.empty()) {
    EndOfHeader();
    return;
  }
  receivedHeader_->Add(line);
  if (headerLineCount_ == 1) {
    if (!ProcessStatusLine(Line)) return;
  } else {
    const std::size_t colon = line.find(L':');
    if (colon != String::npos) {
      std::size_t valueStart = colon + 1;
      while (valueStart < line.size() && line[valueStart] == L' ') ++valueStart;
      ProcessHeaderField(LowerCase(line.substr(0, colon)), line.substr(valueStart));
    }
  }
  if (OnHeaderData) OnHeaderData(this);
}

bool THttpCli::ProcessStatusLine(const AnsiString& Line) {
  if (Line.compare(0, 8, "HTTP/1.0") != 0 && Line.compare(0, 8, "HTTP/1.1") != 0) {
    if (OnDataPush2) OnDataPush2(this);
    return false;
  }
  responseVersion_ = Wide(Line.substr(5, 3));
  closeReq_ = requestVer_ == L"1.0" || responseVersion_ == L"1.0";
  if (IsLogOptionOn(loProtSpecDump)) WriteLog(loProtSpecDump, L"FCloseReq=" + IntToStr(closeReq_ ? 1 : 0));
  // The code: the three characters from the first digit at or after the tenth.
  std::size_t start = 9;
  while (start < Line.size() && !(Line[start] >= '0' && Line[start] <= '9')) ++start;
  const AnsiString code = start < Line.size() ? Line.substr(start, 3) : AnsiString();
  const bool numeric = code.size() == 3 && std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!numeric) {
    ProtocolError(L"status code is not a number");
    return false;
  }
  statusCode_ = (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
  reasonPhrase_ = start + 4 < Line.size() ? Wide(Line.substr(start + 4)) : String();
  return true;
}

void THttpCli::ProcessHeaderField(const String& Name, const String& Value) {
  if (Name == L"location") {
    ProcessLocation(Value);
  } else if (Name == L"content-length") {
    Int64 length = -1;
    if (!TryStrToInt64(Trim(Value), length) || length < 0) length = -1;
    contentLength_ = length;
  } else if (Name == L"transfer-encoding") {
    transferEncoding_ = LowerCase(Value);
  } else if (Name == L"content-range") {
    const std::size_t dash = Value.find(L'-');
    const std::size_t slash = Value.find(L'/');
    if (dash != String::npos) {
      ContentRangeBegin = Value.size() > 6 ? Value.substr(6, dash > 6 ? dash - 6 : 0) : String();
      ContentRangeEnd = Value.substr(dash + 1, slash == String::npos || slash < dash ? String::npos : slash - dash - 1);
    }
  } else if (Name == L"accept-ranges") {
    acceptRanges_ = Value;
  } else if (Name == L"content-type") {
    contentType_ = LowerCase(Value);
  } else if (Name == L"www-authenticate" || Name == L"proxy-authenticate") {
    challenges_->Add(Value);
  } else if (Name == L"set-cookie") {
    bool accept = true;
    FireCookie(Value, accept);
  } else if (Name == L"connection" || Name == L"proxy-connection") {
    const String value = LowerCase(Trim(Value));
    if (value == L"close") closeReq_ = true;
    else if (value == L"keep-alive") closeReq_ = false;
  } else if (Name == L"content-encoding") {
    contentEncoding_ = Value;
  }
}

void THttpCli::ProcessLocation(const String& Value) {
  if (requestType_ == httpPUT) {
    location_ = Value;
    return;
  }
  if (!FollowRelocation) return;
  locationPending_ = true;
  const bool absolute = StartsText(L"http://", Value) || StartsText(L"https://", Value);
  auto takeCredentials = [this](const TUrlParts& url) {
    if (url.User.empty() || url.Pass.empty()) return;
    currentUsername_ = url.User;
    currentPassword_ = url.Pass;
  };

  if (!Proxy.empty()) {
    if (!Value.empty() && Value[0] == L'/') {
      const TUrlParts current = ParseUrl(path_);
      location_ = (current.Proto.empty() ? String(L"http") : current.Proto) + L"://" + current.Host + Value;
      path_ = location_;
      takeCredentials(current);
    } else if (!absolute) {
      path_ = PathBase(path_) + Value;
      location_ = path_;
    } else {
      const TUrlParts url = ParseUrl(Value);
      port_ = url.Port.empty() ? String(L"80") : url.Port;
      takeCredentials(url);
      if (!url.Proto.empty() && !url.Host.empty()) {
        targetHost_ = url.Host;
        location_ = url.Proto + L"://" + url.Host + url.Path;
        path_ = location_;
      }
    }
    return;
  }

  if (!Value.empty() && Value[0] == L'/') {
    path_ = Value;
    location_ = L"http://" + hostName_ + Value;
  } else if (!absolute) {
    path_ = PathBase(path_) + Value;
    location_ = L"http://" + hostName_ + path_;
  } else {
    const TUrlParts url = ParseUrl(Value);
    protocol_ = url.Proto;
    takeCredentials(url);
    path_ = url.Path.empty() ? String(L"/") : url.Path;
    if (url.Host.empty()) {
      // A scheme without a host: the same server, the value's path.
      location_ = url.Proto + L"://" + targetHost_ + path_;
      return;
    }
    hostName_ = url.Host;
    port_ = url.Port.empty() ? String(L"80") : url.Port;
    targetHost_ = url.Host;
    targetPort_ = port_;
    location_ = url.Proto + L"://" + url.Host + (url.Path.empty() ? String() : url.Path);
  }
}

void THttpCli::EndOfHeader() {
  WriteLog(loProtSpecInfo, L"End of header");
  if (responseVersion_ == L"1.1" && statusCode_ == 100) {
    receivedHeader_->Clear();
    headerLineCount_ = -1;
    return;
  }
  headerEnded_ = true;
  FireHeaderEnd();
  if (state_ == httpReady) {
    ClearReceiveBuffer();
    return;
  }
  const bool noBody = (contentLength_ == -1 && transferEncoding_ != L"chunked" && IsNoBodyStatus(statusCode_)) ||
                      contentLength_ == 0 || requestType_ == httpHEAD;
  if (noBody) {
    if (!closeReq_) {
      PostSecondMessage();
    } else if (locationPending_) {
      StartRelocation();
    } else {
      if (requestType_ == httpHEAD) {
        ClearReceiveBuffer();
        ChangeState(httpWaitingBody);
        nextLine_ = nlNone;
      }
      socket_->CloseLater();
    }
    return;
  }
  const String extension = DocExtension(docName_);
  if ((extension == L"exe" || extension.empty()) && contentType_ == L"text/html")
    docName_ = ReplaceDocExt(docName_, L"htm");
  ChangeState(httpWaitingBody);
  nextLine_ = nlBody;
  firstBodyPiece_ = true;
}

// ---- the body --------------------------------------------------------------------------------

void THttpCli::GetBodyLineNext(const char* Data, int Len) {
  WriteLog(loProtSpecInfo, L"GetBodyLineNext begin");
  if (firstBodyPiece_) {
    firstBodyPiece_ = false;
    chunked_ = transferEncoding_ == L"chunked";
    chunk_.Reset();
    FireDocBegin();
    contentCoding_->Prepare(contentEncoding_);
    docStartSize_ = ReceiveStream ? ReceiveStream->Size() : 0;
  }
  if (IsLogOptionOn(loProtSpecInfo)) WriteLog(loProtSpecInfo, L"GetBodyLineNext FBodyDataLen=" + IntToStr(Len));
  if (!chunked_) {
    if (Len > 0) DeliverBody(Data, Len);
    if (receivedCount_ == contentLength_) FinishDocument();
  } else {
    while (Len > 0 && !chunk_.Done() && !chunk_.Failed()) {
      const char* part = nullptr;
      int partLen = 0;
      const int used = chunk_.Feed(Data, Len, part, partLen);
      if (chunk_.TakeSizeRead() && IsLogOptionOn(loProtSpecInfo))
        WriteLog(loProtSpecInfo, L"ChunkLength = " + IntToStr(chunk_.ChunkLength()));
      if (partLen > 0) DeliverBody(part, partLen);
      Data += used;
      Len -= used;
    }
    if (chunk_.Failed()) {
      ProtocolError(L"chunk size too large");
      return;
    }
    if (chunk_.Done()) FinishChunkedDocument();
  }
  WriteLog(loProtSpecInfo, L"GetBodyLineNext end");
}

void THttpCli::DeliverBody(const char* Data, int Len) {
  receivedCount_ += Len;
  contentCoding_->WriteBuffer(Data, Len);
}

void THttpCli::FinishDocument() {
  WriteLog(loProtSpecInfo, L"End of document");
  bodyLineCount_ = 0;
  nextLine_ = nlNone;
  ChangeState(httpBodyReceived);
  StopBandwidthTimer();
  contentCoding_->Complete();
  if (ReceiveStream && !contentEncoding_.empty() && IsLogOptionOn(loProtSpecInfo))
    WriteLog(loProtSpecInfo, contentEncoding_ + L" content uncompressed from " + IntToStr(contentLength_) +
                                 L" bytes to " + IntToStr(ReceiveStream->Size()) + L" bytes");
  FireDocEnd();
  if (closeReq_) socket_->CloseLater();
  else if (!locationPending_) PostSecondMessage();
}

void THttpCli::FinishChunkedDocument() {
  WriteLog(loProtSpecInfo, L"httpChunkDone, end of document");
  bodyLineCount_ = 0;
  nextLine_ = nlNone;
  ChangeState(httpBodyReceived);
  StopBandwidthTimer();
  contentCoding_->Complete();
  FireDocEnd();
  if (closeReq_) socket_->CloseLater();
}

bool THttpCli::ResponseCutBeforeHeaderEnd() const {
  if (headerEnded_) return false;
  return state_ == httpConnected || state_ == httpWaitingHeader || (state_ == httpDnsLookupDone && connectStarted_);
}

bool THttpCli::BodyIncomplete() const {
  if (chunked_) return !chunk_.Done();
  return contentLength_ >= 0 && receivedCount_ < contentLength_;
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

// ---- relocation ------------------------------------------------------------------------------

bool THttpCli::AllowRelocation() {
  ++locationChangeCurCount_;
  if (locationChangeCurCount_ <= LocationChangeMaxCount) return true;
  bool allow = false;
  if (OnLocationChangeExceeded) OnLocationChangeExceeded(this, locationChangeCurCount_, allow);
  return allow;
}

void THttpCli::StartRelocation() {
  WriteLog(loProtSpecInfo, L"Starting relocation process");
  receivedCount_ = 0;
  ClearReceiveBuffer();
  headerLineCount_ = 0;
  bodyLineCount_ = 0;
  if (!AllowRelocation()) {
    locationPending_ = false;
    PostSecondMessage();
    return;
  }
  if (curHost_ != hostName_ || curPort_ != port_ || curProtocol_ != protocol_ || closeReq_) {
    socket_->OnSessionClosed = {this, &THttpCli::SocketRelocateAfterClose};
    socket_->CloseLater();
    return;
  }
  if (OnLocationChange) OnLocationChange(this);
  ResetResponse(true);
  docName_ = path_;
  SetDocNameFromPath();
  if (requestType_ == httpPOST) requestType_ = httpGET;
  TrimReceiveStream();
  RewindRequestBody();
  PostWithSerial(msgLogin_);
}

void THttpCli::RelocateAfterClose() {
  const String target = location_.substr(0, location_.find(L'#'));
  docName_ = ParseUrl(target, path_).Path;
  SetDocNameFromPath();
  connected_ = false;
  proxyConnected_ = false;
  locationPending_ = false;
  inHeader_ = false;
  if (requestType_ == httpPOST) requestType_ = httpGET;
  socket_->OnSessionClosed = {this, &THttpCli::SocketSessionClosed};
  if (!AllowRelocation()) {
    PostSecondMessage();
    return;
  }
  if (OnLocationChange) OnLocationChange(this);
  receivedHeader_->Clear();
  headerLineCount_ = 0;
  bodyLineCount_ = 0;
  // The next response is counted from zero, or its length would never be reached.
  receivedCount_ = 0;
  contentLength_ = -1;
  contentType_.clear();
  transferEncoding_.clear();
  contentEncoding_.clear();
  statusCode_ = 0;
  ClearReceiveBuffer();
  if (!Proxy.empty()) port_ = proxyHostPort_;
  TrimReceiveStream();
  RewindRequestBody();
  PostWithSerial(msgLogin_);
}

void THttpCli::TrimReceiveStream() {
  if (!ReceiveStream) return;
  ReceiveStream->SetSize(docStartSize_);
  ReceiveStream->Seek(docStartSize_, soBeginning);
}

void THttpCli::RewindRequestBody() {
  if (RequestBodyStream && sentCount_ > 0) RequestBodyStream->Seek(-sentCount_, soCurrent);
}

// ---- ready and authentication ----------------------------------------------------------------

void THttpCli::ChangeState(THttpClientState NewState) {
  if (NewState == state_) return;
  state_ = NewState;
  LogState();
  if (OnStateChange) OnStateChange(this);
  if (state_ == httpReady) AfterReady();
}

void THttpCli::UpdateAuthStates() {
  if (authNtlmState_ == 3 && statusCode_ != 401 && statusCode_ != 407) authNtlmState_ = 4;
  else if (authNtlmState_ == 4 && statusCode_ == 401) authNtlmState_ = 0;
  if (proxyAuthNtlmState_ == 3 && statusCode_ != 407) proxyAuthNtlmState_ = 4;
  else if (proxyAuthNtlmState_ == 4 && statusCode_ == 407) proxyAuthNtlmState_ = 0;
  if (authBasicState_ == 1 && statusCode_ != 401 && statusCode_ != 407) authBasicState_ = 2;
  else if (authBasicState_ == 2 && statusCode_ == 401) authBasicState_ = 0;
  if (proxyAuthBasicState_ == 1 && statusCode_ != 407) proxyAuthBasicState_ = 2;
  else if (proxyAuthBasicState_ == 2 && statusCode_ == 407) proxyAuthBasicState_ = 0;
}

namespace {

// The last challenge whose first characters are Scheme (case-blind); -1 when none.
int LastChallengeOf(const TStringList& challenges, const String& scheme) {
  for (int i = challenges.Count() - 1; i >= 0; --i)
    if (SameText(challenges[i].substr(0, scheme.size()), scheme)) return i;
  return -1;
}

}  // namespace

bool THttpCli::PrepareNtlmAuth(bool& CleanUp) {
  auto trace = [this] {
    if (IsLogOptionOn(loProtSpecDump))
      WriteLog(loProtSpecDump, L"PrepareNTLMAuth end, FStatusCode = " + IntToStr(statusCode_) +
                                   L" FProxyAuthNTLMState=" + IntToStr(proxyAuthNtlmState_) +
                                   L" FAuthNTLMState=" + IntToStr(authNtlmState_));
  };
  trace();
  bool result = false;
  const bool skipped = noNtlmAuth_ && ((statusCode_ == 401 && ServerAuth == httpAuthNtlm) ||
                                       (statusCode_ == 407 && ProxyAuth == httpAuthNtlm));
  if (!skipped && challenges_->Count() > 0) {
    if (statusCode_ == 401 && authBasicState_ == 0 && !currentUsername_.empty() && !currentPassword_.empty() &&
        LastChallengeOf(*challenges_, L"NTLM") >= 0) {
      NtlmAuthStep();
      result = true;
      CleanUp = authNtlmState_ == 1 || authNtlmState_ == 3;
    } else if (statusCode_ == 407 && proxyAuthBasicState_ == 0 && !ProxyUsername.empty() && !ProxyPassword.empty() &&
               LastChallengeOf(*challenges_, L"NTLM") >= 0) {
      ProxyNtlmAuthStep();
      result = true;
      CleanUp = proxyAuthNtlmState_ == 1 || proxyAuthNtlmState_ == 3;
    }
  }
  trace();
  return result;
}

bool THttpCli::PrepareBasicAuth(bool& CleanUp) {
  const bool skipped = noBasicAuth_ && ((statusCode_ == 401 && ServerAuth == httpAuthBasic) ||
                                        (statusCode_ == 407 && ProxyAuth == httpAuthBasic));
  if (skipped || challenges_->Count() == 0) return false;
  if (statusCode_ == 401 && authNtlmState_ == 0 && !currentUsername_.empty() && !currentPassword_.empty() &&
      LastChallengeOf(*challenges_, L"Basic") >= 0) {
    BasicAuthStep();
    CleanUp = authBasicState_ == 1;
    return true;
  }
  if (statusCode_ == 407 && proxyAuthNtlmState_ == 0 && !ProxyUsername.empty() && !ProxyPassword.empty() &&
      LastChallengeOf(*challenges_, L"Basic") >= 0) {
    ProxyBasicAuthStep();
    CleanUp = proxyAuthBasicState_ == 1;
    return true;
  }
  return false;
}

void THttpCli::AfterReady() {
  UpdateAuthStates();
  bool cleanUp = false;
  if (!PrepareNtlmAuth(cleanUp) && !PrepareBasicAuth(cleanUp)) {
    PostRequestDoneMessage();
    return;
  }
  if (statusCode_ == 401) {
    if (closeReq_) {
      if (proxyAuthNtlmState_ == 4) proxyAuthNtlmState_ = 1;
      else if (proxyAuthBasicState_ == 2) proxyAuthBasicState_ = 1;
    } else {
      if (proxyAuthNtlmState_ < 4) proxyAuthNtlmState_ = 0;
      else if (proxyAuthBasicState_ < 2) proxyAuthBasicState_ = 0;
    }
  }
  if (cleanUp) {
    TrimReceiveStream();
    RewindRequestBody();
    ClearReceiveBuffer();
    ResetResponse(false, true);
  }
}

void THttpCli::NtlmAuthStep() {
  switch (authNtlmState_) {
    case 0:
      WriteLog(loProtSpecInfo, L"Starting NTLM authentication");
      authNtlmState_ = 1;
      authBasicState_ = 0;
      if (requestVer_ == L"1.0" || PreviousResponseIs10()) currentConnection_ = L"Keep-alive";
      PostWithSerial(msgLogin_);
      break;
    case 1: {
      const String challenge = challenges_->Strings(LastChallengeOf(*challenges_, L"NTLM"));
      ntlmChallenge_ = GetNtlmMessage2Info(Ansi(challenge.size() > 5 ? challenge.substr(5, 1000) : String()));
      authNtlmState_ = 3;
      PostWithSerial(msgLogin_);
      break;
    }
    case 3:
      challenges_->Clear();
      authNtlmState_ = 0;
      PostRequestDoneMessage();
      break;
    default: throw EHttpException(L"Unexpected AuthNTLMState", 6);
  }
}

void THttpCli::ProxyNtlmAuthStep() {
  switch (proxyAuthNtlmState_) {
    case 0:
      WriteLog(loProtSpecInfo, L"Starting Proxy NTLM authentication");
      proxyAuthNtlmState_ = 1;
      proxyAuthBasicState_ = 0;
      if (requestVer_ == L"1.0" || PreviousResponseIs10()) currentProxyConnection_ = L"Keep-alive";
      PostWithSerial(msgLogin_);
      break;
    case 1: {
      const String challenge = challenges_->Strings(LastChallengeOf(*challenges_, L"NTLM"));
      proxyNtlmChallenge_ = GetNtlmMessage2Info(Ansi(challenge.size() > 5 ? challenge.substr(5, 1000) : String()));
      proxyAuthNtlmState_ = 3;
      PostWithSerial(msgLogin_);
      break;
    }
    case 3:
      challenges_->Clear();
      proxyAuthNtlmState_ = 0;
      PostRequestDoneMessage();
      break;
    default: throw EHttpException(L"Unexpected ProxyAuthNTLMState", 6);
  }
}

void THttpCli::BasicAuthStep() {
  switch (authBasicState_) {
    case 0:
      WriteLog(loProtSpecInfo, L"Starting Basic authentication");
      authBasicState_ = 1;
      authNtlmState_ = 0;
      PostWithSerial(msgLogin_);
      break;
    case 1:
      challenges_->Clear();
      authBasicState_ = 0;
      PostRequestDoneMessage();
      break;
    default: throw EHttpException(L"Unexpected AuthBasicState", 6);
  }
}

void THttpCli::ProxyBasicAuthStep() {
  switch (proxyAuthBasicState_) {
    case 0:
      WriteLog(loProtSpecInfo, L"Starting Proxy Basic authentication");
      proxyAuthBasicState_ = 1;
      proxyAuthNtlmState_ = 0;
      PostWithSerial(msgLogin_);
      break;
    case 1:
      challenges_->Clear();
      proxyAuthBasicState_ = 0;
      PostRequestDoneMessage();
      break;
    default: throw EHttpException(L"Unexpected ProxyAuthBasicState", 6);
  }
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
