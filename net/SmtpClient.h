#pragma once
// TCustomSmtpClient: an asynchronous SMTP client on the owner's thread. One low-level request per
// command (HELO, EHLO, AUTH, VRFY, MAIL FROM, RCPT TO, DATA, RSET, QUIT) and two high-level ones
// that chain commands (Open, Mail). Every request reports once through OnRequestDone, always from
// a posted message after the handler that ended it has returned. Misuse raises SmtpException;
// network failures complete the request with an error code.

#include <functional>
#include <memory>
#include <optional>

#include "net/LineWSocket.h"
#include "net/SmtpMailFormat.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/classes/Strings.h"

FRAMEWORK_EXCEPTION(SmtpException, Exception);

enum TSmtpState {
  smtpReady, smtpDnsLookup, smtpConnecting, smtpConnected, smtpInternalReady, smtpWaitingBanner,
  smtpWaitingResponse, smtpAbort
};
enum TSmtpRequest {
  smtpConnect, smtpHelo, smtpMailFrom, smtpVrfy, smtpRcptTo, smtpData, smtpQuit, smtpRset, smtpOpen, smtpMail,
  smtpEhlo, smtpAuth, smtpCustom
};
enum TSmtpAuthType {
  smtpAuthNone, smtpAuthPlain, smtpAuthLogin, smtpAuthCramMD5, smtpAuthCramSha1, smtpAuthNtlm, smtpAuthAutoSelect
};
enum TSmtpPriority {
  smtpPriorityNone, smtpPriorityHighest, smtpPriorityHigh, smtpPriorityNormal, smtpPriorityLow, smtpPriorityLowest
};
enum TSmtpContentType { smtpHtml, smtpPlainText };
enum TSmtpDefaultEncoding { smtpEnc7bit, smtpEnc8bit, smtpEncQuotedPrintable, smtpEncBase64 };
enum TSmtpSendMode { smtpToSocket, smtpToStream, smtpCopyToStream };
enum TSmtpShareMode { smtpShareCompat, smtpShareExclusive, smtpShareDenyWrite, smtpShareDenyRead, smtpShareDenyNone };
enum TSmtpRcptToErrorAction { srteAbort, srteRetry, srteIgnore };

using TSmtpDisplay = TEvent<void(TObject* Sender, const String& Msg)>;
// MsgLine points at a buffer of MaxLen characters plus a terminating zero.
using TSmtpGetDataEvent = TEvent<void(TObject* Sender, int LineNum, char* MsgLine, int MaxLen, bool& More)>;
// Msg points at the zero-terminated line in a buffer of Size bytes; the handler may rewrite it.
using TSmtpHeaderLineEvent = TEvent<void(TObject* Sender, char* Msg, int Size)>;
using TSmtpProcessHeaderEvent = TEvent<void(TObject* Sender, TStrings& HdrLines)>;
using TSmtpRcptToErrorEvent =
    TEvent<void(TObject* Sender, Word ErrorCode, int RcptNameIdx, TSmtpRcptToErrorAction& Action)>;
using TSmtpRequestDone = TEvent<void(TObject* Sender, TSmtpRequest RqType, Word ErrorCode)>;

const char* SmtpEncodingName(TSmtpDefaultEncoding Encoding);

class TCustomSmtpClient : public TIcsWndControl {
  DECLARE_CLASS(TCustomSmtpClient, TIcsWndControl)
 public:
  explicit TCustomSmtpClient(TComponent* AOwner);
  ~TCustomSmtpClient() override;

  // ---- settings ----
  String Host;
  String Port = L"smtp";
  String LocalAddr = L"0.0.0.0";
  String SignOn;
  String Username;
  String Password;
  TSmtpAuthType AuthType = smtpAuthNone;
  String FromName;
  TStrings& RcptName() { return *rcptName_; }
  void SetRcptName(const TStrings& Value) { rcptName_->Assign(const_cast<TStrings*>(&Value)); }
  TStrings& MailMessage() { return *mailMessage_; }
  void SetMailMessage(const TStrings& Value) { mailMessage_->Assign(const_cast<TStrings*>(&Value)); }
  String HdrFrom, HdrTo, HdrCc, HdrReplyTo, HdrReturnPath, HdrSubject, HdrSender;
  TSmtpPriority HdrPriority = smtpPriorityNone;
  bool ConfirmReceipt = false;
  String CharSet = L"iso-8859-1";
  TSmtpContentType ContentType() const { return contentType_; }
  virtual void SetContentType(TSmtpContentType Value);
  const String& ContentTypeText() const { return contentTypeText_; }
  TSmtpDefaultEncoding DefaultEncoding = smtpEnc7bit;
  bool Allow8bitChars = true;
  bool FoldHeaders = false;
  bool WrapMessageText = false;
  TSmtpSendMode SendMode = smtpToSocket;
  bool OwnHeaders = false;
  // The stream smtpToStream and smtpCopyToStream write to; the caller keeps it.
  TStream* OutputStream = nullptr;
  int Tag = 0;

  // Seams for the Date and Message-ID lines: the zone bias and the random numbers.
  TSmtpZoneBias ZoneBias = SystemZoneBias;
  std::function<int(int Range)> RandomNumber;

  // ---- state ----
  TSmtpState State() const { return state_; }
  const String& ErrorMessage() const { return errorMessage_; }
  const String& LastResponse() const { return lastResponse_; }
  int StatusCode() const { return statusCode_; }
  bool Connected() const { return connected_; }
  const String& MessageId() const { return messageId_; }
  TStrings& AuthTypesSupported() { return *authTypes_; }
  TWSocket& Socket() { return *socket_; }

  // ---- events ----
  TSmtpDisplay OnDisplay, OnCommand, OnResponse;
  TSmtpGetDataEvent OnGetData;
  TSmtpHeaderLineEvent OnHeaderLine;
  TSmtpProcessHeaderEvent OnProcessHeader;
  TSmtpRcptToErrorEvent OnRcptToError;
  TSmtpRequestDone OnRequestDone;
  TSessionEvent OnSessionConnected, OnSessionClosed;

  // ---- requests ----
  virtual void Connect();
  virtual void Helo();
  virtual void Ehlo();
  virtual void Auth();
  virtual void Vrfy();
  virtual void MailFrom();
  virtual void RcptTo();
  virtual void Data();
  virtual void Quit();
  virtual void Rset();
  virtual void Abort();
  virtual void Open();
  virtual void Mail();

 protected:
  using TStep = void (TCustomSmtpClient::*)();

  virtual void CreateSocket();
  virtual void FireDisplay(const String& Msg);
  virtual void FireCommand(const String& Msg);
  virtual void FireResponse(const String& Msg);
  virtual void FireRequestDone(Word ErrorCode);
  virtual void FireStateChange();
  // Supplies body line LineNum (from 1); More false ends the body.
  virtual void FireGetData(int LineNum, AnsiString& Line, bool& More);
  virtual void FireHeaderLine(AnsiString& Line);
  virtual void FireProcessHeader(TStrings& HdrLines);
  virtual void FireSessionConnected(Word ErrCode);
  virtual void FireSessionClosed(Word ErrCode);
  virtual void SendCommand(const AnsiString& Cmd);
  virtual void NextHighLevelStep();
  virtual void HandleRequestDoneMessage(TIcsMessage& Msg);
  void HandlePrivateMessage(TIcsMessage& Msg) override;
  void HandleEventException(Exception& E) override;
  int MessageCountNeeded() const override { return TIcsWndControl::MessageCountNeeded() + 3; }
  void AllocateMessages() override;
  void FreeMessages() override;
  void AttachToThread() override;
  void DetachFromThread() override;

  // Header lines of the message (Date, Message-ID...), before OnProcessHeader.
  void BuildHeaderLines(TStrings& Lines);
  TSmtpHeaderStyle HeaderStyle() const;


 private:
  enum TStepBit {
    stepConnect = 2, stepHelo = 1, stepEhlo = 9, stepAuth = 10, stepVrfy = 6, stepMailFrom = 3, stepRcptTo = 4,
    stepData = 5, stepQuit = 7, stepRset = 8
  };

  void CheckReady() const;
  void CheckConnected() const;
  void SetState(TSmtpState Value);
  void RunCommand(TSmtpRequest Request, const AnsiString& Cmd, std::initializer_list<int> OkCodes, TStep Done,
                  int Step);
  void StartHighLevel(TSmtpRequest Request, unsigned Steps);
  void Fail(const String& Response, int Code);
  // Completes a request whose lookup or connection could not start.
  void StartFailed(Exception& E);
  // Runs a socket event's work, handing an exception to HandleEventException.
  template <typename F>
  void Guard(F&& handler);
  String SignOnName() const;

  // Reply handling.
  void SocketDataAvailable(TObject* Sender, Word ErrCode);
  void SocketSessionConnected(TObject* Sender, Word ErrCode);
  void SocketSessionClosed(TObject* Sender, Word ErrCode);
  void SocketDnsLookupDone(TObject* Sender, Word ErrCode);
  void HandleLine(const AnsiString& Line);
  void HandleBanner();
  void JudgeReply();
  bool ContinuationLine() const;

  // Continuations.
  void EhloDone();
  void AuthNextStep();
  // Handles a refused AUTH reply (the next mechanism of an automatic choice, or completion); false
  // when the reply was accepted.
  bool AuthRefused();
  void AuthLoginUser();
  void AuthLoginPassword();
  void AuthCramAnswer();
  void AuthNtlmAnswer();
  void AuthFinished();
  void RcptToNext();
  void DataStart();
  void DataNextLine();
  void SendDataLine(const AnsiString& Line);
  void DataEnd();

  std::unique_ptr<TWSocket> socket_;
  std::unique_ptr<TStringList> rcptName_, mailMessage_, authTypes_, headerLines_;
  TSmtpContentType contentType_ = smtpPlainText;
  String contentTypeText_ = L"text/plain";

  TSmtpState state_ = smtpReady;
  TSmtpRequest request_ = smtpConnect;
  TSmtpRequest postedRequest_ = smtpConnect;
  bool connected_ = false;
  bool esmtp_ = false;
  bool requestDone_ = false;
  int statusCode_ = 0;
  int requestResult_ = 0;
  std::vector<int> okCodes_;
  TStep next_ = nullptr;       // judges the next reply line
  TStep done_ = nullptr;       // runs after a reply has been judged
  TStep highLevelNext_ = nullptr;
  unsigned steps_ = 0;         // high-level steps still to run (bit per step number)
  int stepInProgress_ = 0;
  int highLevelResult_ = 0;
  bool highLevel_ = false;
  String errorMessage_, lastResponse_, messageId_;
  std::string received_;
  TSmtpAuthType authInUse_ = smtpAuthNone;
  int rcptIndex_ = -1;
  int headerIndex_ = 0;
  int bodyLine_ = 0;
  bool bodyDone_ = false;
  UINT msgRequestDone_ = 0, msgNextLine_ = 0, msgReserved_ = 0;
};
