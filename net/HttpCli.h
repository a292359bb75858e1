#pragma once
// THttpCli: an asynchronous HTTP/1.0 and 1.1 client driven by its thread's message loop. It resolves
// the server's name, connects through its own socket, sends one request, parses the response header,
// receives the body (by length, chunked, or up to the close), follows relocations, authenticates
// with Basic or NTLM against the server and a proxy, and reports the end through OnRequestDone.
//
// Misuse (a request while busy, nothing to post) raises EHttpException; network and protocol
// failures never raise: they end the request with StatusCode, ReasonPhrase and RequestDoneError.
// A response cut short by the close (before its header ended, or in a body of known length or in
// chunks) and a response the client refuses (an over-long line, an oversized chunk size, a status
// code that is not a number) end with RequestDoneError 10053 (WSAECONNABORTED), whatever StatusCode
// says.
//
// Completions (request done, ready, log in again) are posted to the client's own window tagged with
// the request's serial number, so a message left by an aborted request never reaches the next one.

#include <memory>

#include "net/ContentCoding.h"
#include "net/HttpChunkDecoder.h"
#include "net/HttpPaths.h"
#include "net/IcsTimer.h"
#include "net/LineWSocket.h"
#include "net/Ntlm.h"

enum THttpRequest { httpABORT, httpGET, httpPOST, httpPUT, httpHEAD, httpCLOSE };
enum THttpAuthType { httpAuthNone, httpAuthBasic, httpAuthNtlm };
enum THttpCliOption {
  httpoNoBasicAuth,
  httpoNoNTLMAuth,
  httpoBandwidthControl,
  httpoEnableContentCoding,
  httpoUseQuality
};
using THttpCliOptions = TSet<THttpCliOption>;
enum THttpClientState {
  httpReady,
  httpNotConnected,
  httpConnected,
  httpDnsLookup,
  httpDnsLookupDone,
  httpWaitingHeader,
  httpWaitingBody,
  httpBodyReceived,
  httpWaitingProxyConnect,
  httpClosing,
  httpAborting
};

// "State = " + the state's name; "State = INVALID STATE" for any other value.
String HttpStateText(int State);

class EHttpException : public Exception {
 public:
  EHttpException(String Msg, Word Code) : Exception(std::move(Msg)), ErrorCode(Code) {}
  const wchar_t* ClassName() const override { return L"EHttpException"; }
  Word ErrorCode;
};

using TOnCommand = TEvent<void(TObject* Sender, String& S)>;
using TDocDataEvent = TEvent<void(TObject* Sender, const void* Buffer, std::int32_t Len)>;
using TCookieRcvdEvent = TEvent<void(TObject* Sender, const String& Data, bool& Accept)>;
using TDataAvailable = TEvent<void(TObject* Sender, Word ErrCode)>;
using THttpRequestDone = TEvent<void(TObject* Sender, THttpRequest RqType, Word ErrCode)>;
using TLocationChangeExceeded = TEvent<void(TObject* Sender, int RelocationCount, bool& AllowMoreRelocations)>;
using TBeforeHeaderSendEvent = TEvent<void(TObject* Sender, const String& Method, TStrings& Headers)>;
using TSessionConnected = TEvent<void(TObject* Sender, Word ErrCode)>;

class THttpCli : public TIcsWndControl {
  DECLARE_CLASS(THttpCli, TIcsWndControl)
 public:
  // Request and response lines longer than this are refused.
  static constexpr int kMaxLineLength = 64 * 1024;
  // Free receive space before each receive: a body is taken in large pieces, since every Winsock
  // call has a fixed cost; header lines in small ones.
  static constexpr int kHeaderReceiveSize = 8192;
  static constexpr int kBodyReceiveSize = 1024 * 1024;
  static constexpr int kSendBlockSize = 8192;
  // RequestDoneError of a response cut short by the close or refused by the client.
  static constexpr Word kConnectionAborted = 10053;

  explicit THttpCli(TComponent* AOwner);
  ~THttpCli() override;
  void BeforeDestruction() override;

  // ---- published properties ----
  String URL;
  String LocalAddr = L"0.0.0.0";
  String Proxy;
  String ProxyPort = L"80";
  String Sender;
  String Agent = L"Mozilla/4.0 (compatible; Zorvic)";
  String Accept = L"image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
  String AcceptLanguage;
  String Reference;
  String Connection;
  String ProxyConnection;
  String Username;
  String Password;
  String ProxyUsername;
  String ProxyPassword;
  bool NoCache = false;
  // Universal time (UTC); 0 sends no "If-Modified-Since:".
  TDateTime ModifiedSince = 0;
  String Cookie;
  String ContentTypePost = L"application/x-www-form-urlencoded";
  String ContentRangeBegin;
  String ContentRangeEnd;
  bool FollowRelocation = true;
  int LocationChangeMaxCount = 5;
  THttpAuthType ServerAuth = httpAuthNone;
  THttpAuthType ProxyAuth = httpAuthNone;
  int BandwidthLimit = 10000;
  int BandwidthSampling = 1000;
  String SocksServer;
  String SocksLevel = L"5";  // the socket refuses any level but "4", "4A" and "5"
  String SocksPort;
  String SocksUsercode;
  String SocksPassword;
  TSocksAuthentication SocksAuthentication = socksNoAuthentication;

  const String& AcceptRanges() const { return acceptRanges_; }
  bool MultiThreaded() const { return multiThreaded_; }
  virtual void SetMultiThreaded(bool Value);
  const String& RequestVer() const { return requestVer_; }
  void SetRequestVer(const String& Value);
  int LocationChangeCurCount() const { return locationChangeCurCount_; }
  THttpCliOptions Options() const;
  void SetOptions(THttpCliOptions Value);
  TIcsLogger* IcsLogger() const;
  void SetIcsLogger(TIcsLogger* Value);

  // ---- published events ----
  TNotifyEvent OnTrace;
  TNotifyEvent OnSessionConnected;
  TNotifyEvent OnSessionClosed;
  TNotifyEvent OnHeaderData;
  TNotifyEvent OnHeaderBegin;
  TNotifyEvent OnHeaderEnd;
  TNotifyEvent OnRequestHeaderBegin;
  TNotifyEvent OnRequestHeaderEnd;
  TNotifyEvent OnDocBegin;
  TNotifyEvent OnDocEnd;
  TNotifyEvent OnSendBegin;
  TNotifyEvent OnSendEnd;
  TNotifyEvent OnStateChange;
  TNotifyEvent OnLocationChange;
  TNotifyEvent OnDataPush2;
  TNotifyEvent OnSocketError;
  TOnCommand OnCommand;
  TDocDataEvent OnDocData;
  TDocDataEvent OnSendData;
  TCookieRcvdEvent OnCookie;
  TDataAvailable OnDataPush;
  THttpRequestDone OnRequestDone;
  TLocationChangeExceeded OnLocationChangeExceeded;
  TBeforeHeaderSendEvent OnBeforeHeaderSend;
  TSessionConnected OnSocksConnected;
  TSocksAuthStateEvent OnSocksAuthState;
  TSocksErrorEvent OnSocksError;

  // ---- public, not streamed ----
  TStream* ReceiveStream = nullptr;
  TStream* RequestBodyStream = nullptr;
  int StatusCode() const { return statusCode_; }
  const String& ReasonPhrase() const { return reasonPhrase_; }
  const String& ResponseVersion() const { return responseVersion_; }
  Int64 ContentLength() const { return contentLength_; }
  const String& ResponseContentType() const { return contentType_; }
  const String& TransferEncoding() const { return transferEncoding_; }
  const String& ContentEncoding() const { return contentEncoding_; }
  const String& Location() const { return location_; }
  const String& DocName() const { return docName_; }
  TStringList& ReceivedHeader() const { return *receivedHeader_; }
  // The values of every "WWW-Authenticate:" and "Proxy-Authenticate:" header of the response.
  TStringList& AuthChallenges() const { return *challenges_; }
  Int64 ReceivedCount() const { return receivedCount_; }
  Int64 SentCount() const { return sentCount_; }
  Word RequestDoneError() const { return requestDoneError_; }
  THttpClientState State() const { return state_; }
  THttpRequest RequestType() const { return requestType_; }
  TWSocket& CtrlSocket() const { return *socket_; }
  // The last line received (the one handed to OnDataPush).
  const AnsiString& LastResponse() const { return lastResponse_; }

  void GetAsync();
  virtual void StartRequestAsync(THttpRequest Request);
  virtual void RunRequestSync(THttpRequest Request);
  void AbortRequest();

  // ---- message window ----
  int MessageCountNeeded() const override { return TIcsWndControl::MessageCountNeeded() + 3; }
  void AllocateMessages() override;
  void FreeMessages() override;
  void HandlePrivateMessage(TIcsMessage& Msg) override;
  void AttachToThread() override;
  void DetachFromThread() override;
  UINT RequestDoneMessage() const { return msgRequestDone_; }
  UINT SetReadyMessage() const { return msgSetReady_; }
  UINT LoginMessage() const { return msgLogin_; }

 protected:
  enum TNextLine { nlNone, nlHeader, nlBody };

  virtual void WriteLog(TLogOption Option, const String& Text);
  virtual bool IsLogOptionOn(TLogOption Option) const;
  virtual void CreateSocket();
  virtual void ConfigureSocket();
  virtual void SendRequest(const String& Method, const String& Version);
  virtual void ProcessHeaderLine(const AnsiString& Line);
  virtual void GetBodyLineNext(const char* Data, int Len);
  virtual void SendHeaderLine(const String& Line);
  virtual void Login();
  virtual void CloseSocket();
  virtual void ResetResponse(bool KeepLocation = false, bool KeepDocName = false);
  // Forgets the response received so far: header, status, counts and body framing.
  void ForgetReceivedResponse();
  virtual void StartRelocation();
  virtual void NtlmAuthStep();
  virtual void ProxyNtlmAuthStep();
  virtual void BasicAuthStep();
  virtual void ProxyBasicAuthStep();
  virtual void HandleDnsLookupDone(Word ErrCode);
  virtual void HandleSessionClosed(Word ErrCode);
  virtual void HandleSessionConnected(Word ErrCode);
  virtual void HandleDataSent(Word ErrCode);
  virtual void HandleDataAvailable(Word ErrCode);
  virtual void RelocateAfterClose();
  virtual void ChangeState(THttpClientState NewState);
  virtual void LogState();
  virtual void FireCookie(const String& Data, bool& Accept);
  virtual void FireSessionConnected();
  virtual void FireSessionClosed();
  virtual void FireBeforeHeaderSend(const String& Method, TStrings& Headers);
  virtual void FireRequestHeaderBegin();
  virtual void FireRequestHeaderEnd();
  virtual void FireHeaderBegin();
  virtual void FireHeaderEnd();
  virtual void FireDocBegin();
  virtual void FireDocData(const void* Buffer, Int64 Len);
  virtual void FireDocEnd();
  virtual void FireSendBegin();
  virtual void FireSendData(const void* Buffer, int Len);
  virtual void FireSendEnd();
  virtual void PostRequestDoneMessage();
  virtual void PostSecondMessage();
  virtual void SetDocNameFromPath();

 private:
  // Socket event adapters.
  void SocketDnsLookupDone(TObject*, Word ErrCode) { HandleDnsLookupDone(ErrCode); }
  void SocketSessionConnected(TObject*, Word ErrCode) { HandleSessionConnected(ErrCode); }
  void SocketSessionClosed(TObject*, Word ErrCode) { HandleSessionClosed(ErrCode); }
  void SocketRelocateAfterClose(TObject*, Word) { RelocateAfterClose(); }
  void SocketDataAvailable(TObject*, Word ErrCode) { HandleDataAvailable(ErrCode); }
  void SocketDataSent(TObject*, Word ErrCode) { HandleDataSent(ErrCode); }
  void SocketError(TObject*);
  void SocketSocksConnected(TObject*, Word ErrCode);
  void SocketSocksError(TObject*, int Error, const String& Msg);

  // Request set-up.
  void SetupDirectTarget();
  void SetupProxyTarget();
  void SetupUpFrontAuth();
  bool ConnectedToTarget() const;
  bool PreviousResponseIs10() const;
  void StartLookupOrFail();
  void ConnectOrFail();
  void FailToStart(Word Error, const String& Reason);

  // Response parsing.
  void ConsumeReceivedBody();
  void CutLines(Word ErrCode);
  // False when the line ends the header processing (not a status line, or refused).
  bool ProcessStatusLine(const AnsiString& Line);
  void ProcessHeaderField(const String& Name, const String& Value);
  void ProcessLocation(const String& Value);
  void ProcessProxyLocation(const String& Value, bool Absolute);
  void ProcessDirectLocation(const String& Value, bool Absolute);
  void TakeLocationCredentials(const THttpUrlParts& Url);
  void EndOfHeader();
  void FinishDocument();
  void FinishChunkedDocument();
  // Hands a piece of the body to the decoders and counts it once it was taken.
  void DeliverBody(const char* Data, int Len);
  void CompleteDecoders();
  // A document that could not be written: drops the connection and completes with an error.
  void DocumentWriteFailed(const Exception& E);
  void ProtocolError(const String& What);
  bool BodyIncomplete() const;
  // The connection went before the response header was complete (or before any response).
  bool ResponseCutBeforeHeaderEnd() const;

  // Authentication and relocation bookkeeping.
  void UpdateAuthStates();
  bool PrepareNtlmAuth(bool& CleanUp);
  bool PrepareBasicAuth(bool& CleanUp);
  void AfterReady();
  bool AllowRelocation();
  void TrimReceiveStream();
  void RewindRequestBody();
  void ClearReceiveBuffer() { rcvLen_ = 0; }
  void StopBandwidthTimer();
  void BandwidthTick(TObject*);

  void PostWithSerial(UINT Msg);
  void BuildRequestHeader(const String& Method, const String& Version, TStrings& Headers);
  void StartBandwidthControl();
  String AuthorizationLine() const;
  String ProxyAuthorizationLine() const;
  String MethodText() const;

  // Receive buffer: rcvLen_ valid bytes, a zero byte behind them.
  void ReserveReceiveSpace(int Free);
  void ConsumeReceived(int Count);

  TWSocket* socket_ = nullptr;
  THttpContCodHandler* contentCoding_ = nullptr;
  TStringList* receivedHeader_ = nullptr;
  TStringList* challenges_ = nullptr;
  TMemoryStream* requestHeader_ = nullptr;
  std::unique_ptr<char[]> rcvBuf_;
  int rcvSize_ = 0;
  int rcvLen_ = 0;
  std::unique_ptr<char[]> sendBuf_;
  TIcsTimer* bandwidthTimer_ = nullptr;
  THttpChunkDecoder chunk_;

  UINT msgRequestDone_ = 0;
  UINT msgSetReady_ = 0;
  UINT msgLogin_ = 0;
  UInt64 requestSerial_ = 0;

  String requestVer_ = L"1.0";
  bool multiThreaded_ = false;
  bool noBasicAuth_ = false;
  bool noNtlmAuth_ = false;
  bool bandwidthControl_ = false;
  String acceptRanges_;
  int locationChangeCurCount_ = 0;

  // Response.
  int statusCode_ = 0;
  String reasonPhrase_;
  String responseVersion_;
  Int64 contentLength_ = -1;
  String contentType_;
  String transferEncoding_;
  String contentEncoding_;
  String location_;
  String docName_;
  Int64 receivedCount_ = 0;
  Int64 sentCount_ = 0;
  Word requestDoneError_ = 0;
  THttpClientState state_ = httpReady;
  THttpRequest requestType_ = httpGET;
  int headerLineCount_ = 0;
  int bodyLineCount_ = 0;
  bool allowedToSend_ = false;
  bool firstBodyPiece_ = true;
  Int64 docStartSize_ = 0;

  // Connection bookkeeping.
  String hostName_;  // where the connection goes: the server, or the proxy
  String port_;
  String protocol_;
  String targetHost_;
  String targetPort_;
  String path_;  // the request line's path (the whole URL through a proxy)
  String proxyHostPort_;  // the port the proxy text named, or ProxyPort
  String dnsResult_;
  String curHost_;
  String curPort_;
  String curProtocol_;
  String currentUsername_;
  String currentPassword_;
  String currentConnection_;
  String currentProxyConnection_;
  bool closeReq_ = true;
  bool locationPending_ = false;
  bool inHeader_ = false;
  bool connected_ = false;
  bool proxyConnected_ = false;
  TNextLine nextLine_ = nlNone;
  bool chunked_ = false;
  bool headerEnded_ = false;
  bool connectStarted_ = false;
  AnsiString lastResponse_;

  // Authentication.
  int authNtlmState_ = 0;
  int proxyAuthNtlmState_ = 0;
  int authBasicState_ = 0;
  int proxyAuthBasicState_ = 0;
  TNTLM_Msg2_Info ntlmChallenge_;
  TNTLM_Msg2_Info proxyNtlmChallenge_;

  // Bandwidth control.
  Int64 bandwidthCount_ = 0;
  Int64 bandwidthMaxCount_ = 0;
  bool bandwidthPaused_ = false;
  bool bandwidthTimerWasEnabled_ = false;
};
