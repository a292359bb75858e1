#include "net/SmtpClient.h"

#include <algorithm>

#include "net/Base64.h"
#include "net/Ntlm.h"
#include "net/SocketAddress.h"
#include "net/WinsockErrors.h"
#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"

DEFINE_CLASS(TCustomSmtpClient)

namespace {

constexpr std::size_t kMaxReplyLine = 4095;
constexpr int kNoNumber = 20600;
constexpr Word kConnectionLost = 10004;

unsigned Bit(int step) { return 1u << step; }

// The integer at the start of a reply (blanks skipped, optional sign); `end` is where it stops.
bool ParseLeadingInt(const AnsiString& text, int& value, std::size_t& end) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == AnsiString::npos) i = text.size();
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t digits = i;
  long long number = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9' && number < 100000000) number = number * 10 + (text[i++] - '0');
  end = i;
  value = static_cast<int>(negative ? -number : number);
  return i > digits;
}

String WinsockFailureText(int error) {
  return L"500 " + WinsockErrorText(error) + L" (Winsock error #" + IntToStr(error) + L")";
}

}  // namespace

const char* SmtpEncodingName(TSmtpDefaultEncoding Encoding) {
  switch (Encoding) {
    case smtpEnc8bit: return "8bit";
    case smtpEncQuotedPrintable: return "quoted-printable";
    case smtpEncBase64: return "base64";
    default: return "7bit";
  }
}

TCustomSmtpClient::TCustomSmtpClient(TComponent* AOwner)
    : TIcsWndControl(AOwner),
      rcptName_(std::make_unique<TStringList>()),
      mailMessage_(std::make_unique<TStringList>()),
      authTypes_(std::make_unique<TStringList>()),
      headerLines_(std::make_unique<TStringList>()) {
  Handle();
  CreateSocket();
  RandomNumber = [](int range) { return Random(range); };
  Randomize();
}

TCustomSmtpClient::~TCustomSmtpClient() {
  if (socket_) {
    socket_->OnSessionClosed = nullptr;
    socket_->OnDataAvailable = nullptr;
    socket_->OnSessionConnected = nullptr;
    socket_->OnDnsLookupDone = nullptr;
    socket_->OnDataSent = nullptr;
  }
  socket_.reset();
}

void TCustomSmtpClient::CreateSocket() {
  socket_ = std::make_unique<TWSocket>(nullptr);
  socket_->OnSessionClosed = [this](TObject* Sender, Word ErrCode) { SocketSessionClosed(Sender, ErrCode); };
}

void TCustomSmtpClient::AllocateMessages() {
  TIcsWndControl::AllocateMessages();
  msgRequestDone_ = TakeMessageNumber();
  msgNextLine_ = TakeMessageNumber();
  msgReserved_ = TakeMessageNumber();
}

void TCustomSmtpClient::FreeMessages() {
  msgRequestDone_ = msgNextLine_ = msgReserved_ = 0;
  TIcsWndControl::FreeMessages();
}

void TCustomSmtpClient::AttachToThread() {
  TIcsWndControl::AttachToThread();
  if (socket_) socket_->AttachToThread();
}

void TCustomSmtpClient::DetachFromThread() {
  if (socket_) socket_->DetachFromThread();
  TIcsWndControl::DetachFromThread();
}

void TCustomSmtpClient::SetContentType(TSmtpContentType Value) {
  contentType_ = Value;
  contentTypeText_ = Value == smtpHtml ? L"text/html" : L"text/plain";
}

// ---- events -------------------------------------------------------------------------------------

void TCustomSmtpClient::FireDisplay(const String& Msg) {
  if (OnDisplay) OnDisplay(this, Msg);
}

void TCustomSmtpClient::FireCommand(const String& Msg) {
  if (OnCommand) OnCommand(this, Msg);
}

void TCustomSmtpClient::FireResponse(const String& Msg) {
  if (stepInProgress_ == stepEhlo) CollectAuthMechanisms(StringToAnsi(Msg), *authTypes_);
  if (OnResponse) OnResponse(this, Msg);
}

void TCustomSmtpClient::FireStateChange() {}

void TCustomSmtpClient::SetState(TSmtpState Value) {
  if (state_ == Value) return;
  state_ = Value;
  FireStateChange();
}

void TCustomSmtpClient::FireGetData(int LineNum, AnsiString& Line, bool& More) {
  if (!OnGetData) return;
  char buffer[1024] = {};
  OnGetData(this, LineNum, buffer, 1023, More);
  buffer[1023] = '\0';
  Line = buffer;
}

void TCustomSmtpClient::FireHeaderLine(AnsiString& Line) {
  if (!OnHeaderLine) return;
  // Room for the line and for what a handler appends to it; nothing of the line is cut.
  std::vector<char> buffer(Line.size() + 1024, '\0');
  std::copy(Line.begin(), Line.end(), buffer.begin());
  OnHeaderLine(this, buffer.data(), static_cast<int>(buffer.size()));
  buffer.back() = '\0';
  Line = buffer.data();
}

void TCustomSmtpClient::FireProcessHeader(TStrings& HdrLines) {
  if (OnProcessHeader) OnProcessHeader(this, HdrLines);
}

void TCustomSmtpClient::FireSessionConnected(Word ErrCode) {
  if (OnSessionConnected) OnSessionConnected(this, ErrCode);
}

void TCustomSmtpClient::FireSessionClosed(Word ErrCode) {
  if (OnSessionClosed) OnSessionClosed(this, ErrCode);
}

void TCustomSmtpClient::FireRequestDone(Word ErrorCode) {
  if (requestDone_) return;
  requestDone_ = true;
  if (highLevelNext_) {
    if (state_ != smtpAbort) SetState(smtpInternalReady);
    (this->*highLevelNext_)();
    return;
  }
  SetState(smtpReady);
  highLevel_ = false;
  postedRequest_ = request_;
  PostSelfMessage(msgRequestDone_, ErrorCode);
}

void TCustomSmtpClient::HandleRequestDoneMessage(TIcsMessage& Msg) {
  if (OnRequestDone) OnRequestDone(this, postedRequest_, static_cast<Word>(Msg.WParam));
}

void TCustomSmtpClient::HandlePrivateMessage(TIcsMessage& Msg) {
  try {
    if (Msg.Msg == msgRequestDone_) {
      if (IsCurrentGeneration(Msg)) HandleRequestDoneMessage(Msg);
    } else if (Msg.Msg == msgNextLine_) {
      if (IsCurrentGeneration(Msg)) DataNextLine();
    } else if (Msg.Msg != msgReserved_) {
      TIcsWndControl::HandlePrivateMessage(Msg);
    }
  } catch (Exception& E) {
    HandleEventException(E);
  }
}

void TCustomSmtpClient::HandleEventException(Exception& E) {
  bool canClose = true;
  try {
    FireBgException(E, canClose);
  } catch (Exception&) {
  }
  if (!canClose) return;
  try {
    Abort();
  } catch (Exception&) {
  }
}

template <typename F>
void TCustomSmtpClient::Guard(F&& handler) {
  try {
    handler();
  } catch (Exception& E) {
    HandleEventException(E);
  }
}

// ---- commands -----------------------------------------------------------------------------------

void TCustomSmtpClient::CheckReady() const {
  if (state_ != smtpReady && state_ != smtpInternalReady) throw SmtpException(L"SMTP component not ready");
}

void TCustomSmtpClient::CheckConnected() const {
  if (!connected_) throw SmtpException(L"SMTP component not connected");
}

String TCustomSmtpClient::SignOnName() const {
  String name = SignOn.empty() ? MachineHostName() : SignOn;
  std::replace(name.begin(), name.end(), L' ', L'_');
  return name;
}

void TCustomSmtpClient::SendCommand(const AnsiString& Cmd) {
  const String text = AnsiToString(Cmd);
  FireCommand(text);
  FireDisplay(L"> " + text);
  if (socket_->State() == wsConnected) socket_->SendText(Cmd + "\r\n");
}

void TCustomSmtpClient::RunCommand(TSmtpRequest Request, const AnsiString& Cmd, std::initializer_list<int> OkCodes,
                                   TStep Done, int Step) {
  CheckReady();
  CheckConnected();
  if (!highLevel_) request_ = Request;
  stepInProgress_ = Step;
  okCodes_.assign(OkCodes.begin(), OkCodes.end());
  requestDone_ = false;
  next_ = &TCustomSmtpClient::JudgeReply;
  done_ = Done;
  SetState(smtpWaitingResponse);
  SendCommand(Cmd);
}

void TCustomSmtpClient::Fail(const String& Response, int Code) {
  lastResponse_ = Response;
  errorMessage_ = Response;
  statusCode_ = Code;
  requestResult_ = Code;
  FireRequestDone(static_cast<Word>(Code));
}

void TCustomSmtpClient::Connect() {
  CheckReady();
  if (connected_) throw SmtpException(L"SMTP component already connected");
  if (!highLevel_) request_ = smtpConnect;
  stepInProgress_ = stepConnect;
  requestDone_ = false;
  received_.clear();
  requestResult_ = 0;
  esmtp_ = false;
  errorMessage_.clear();
  lastResponse_.clear();
  SetState(smtpDnsLookup);
  socket_->OnDataSent = nullptr;
  socket_->OnDnsLookupDone = [this](TObject* Sender, Word ErrCode) { Guard([&] { SocketDnsLookupDone(Sender, ErrCode); }); };
  try {
    socket_->DnsLookup(Host);
  } catch (Exception& E) {
    StartFailed(E);
  }
}

void TCustomSmtpClient::StartFailed(Exception& E) {
  lastResponse_ = String(L"500 ") + E.ClassName() + L": " + E.Message();
  statusCode_ = 500;
  requestResult_ = 500;
  if (errorMessage_.empty()) errorMessage_ = lastResponse_;
  // A failure is never reported as 0, even when the socket kept no error code.
  FireRequestDone(static_cast<Word>(socket_->LastError != 0 ? socket_->LastError : 500));
}

void TCustomSmtpClient::SocketDnsLookupDone(TObject*, Word ErrCode) {
  if (ErrCode != 0) {
    lastResponse_ = WinsockFailureText(ErrCode);
    statusCode_ = 500;
    if (errorMessage_.empty()) errorMessage_ = lastResponse_;
    requestResult_ = ErrCode;
    FireSessionConnected(ErrCode);
    FireSessionClosed(ErrCode);
    FireRequestDone(ErrCode);
    return;
  }
  socket_->SetAddr(socket_->LookupResult);
  socket_->SetLocalAddr(LocalAddr);
  socket_->SetProto(L"tcp");
  socket_->SetPort(Port);
  socket_->OnSessionConnected = [this](TObject* Sender, Word Err) { Guard([&] { SocketSessionConnected(Sender, Err); }); };
  socket_->OnDataAvailable = [this](TObject* Sender, Word Err) { Guard([&] { SocketDataAvailable(Sender, Err); }); };
  SetState(smtpConnecting);
  try {
    socket_->Connect();
  } catch (Exception& E) {
    StartFailed(E);
  }
}

void TCustomSmtpClient::SocketSessionConnected(TObject*, Word ErrCode) {
  if (ErrCode != 0) {
    lastResponse_ = WinsockFailureText(ErrCode);
    statusCode_ = 500;
    connected_ = false;
    requestResult_ = 500;
    if (errorMessage_.empty()) errorMessage_ = lastResponse_;
    FireRequestDone(ErrCode);
    socket_->Close();
    SetState(smtpReady);
    return;
  }
  connected_ = true;
  SetState(smtpWaitingBanner);
}

void TCustomSmtpClient::SocketSessionClosed(TObject*, Word ErrCode) {
  Guard([&] {
    connected_ = false;
    FireSessionClosed(ErrCode);
    const bool quitting = request_ == smtpQuit || stepInProgress_ == stepQuit;
    FireRequestDone(quitting ? 0 : kConnectionLost);
  });
}

// ---- replies ------------------------------------------------------------------------------------

void TCustomSmtpClient::SocketDataAvailable(TObject*, Word) {
  received_ += socket_->ReceiveText();
  for (;;) {
    const std::size_t end = received_.find("\r\n");
    if (end == std::string::npos) {
      // A line longer than the buffer keeps its start; the rest up to its end is dropped.
      if (received_.size() > kMaxReplyLine) {
        const bool carriageReturn = received_.back() == '\r';
        received_.resize(kMaxReplyLine);
        if (carriageReturn) received_ += '\r';
      }
      return;
    }
    AnsiString line = received_.substr(0, std::min(end, kMaxReplyLine));
    received_.erase(0, end + 2);
    HandleLine(line);
  }
}

bool TCustomSmtpClient::ContinuationLine() const {
  const AnsiString line = StringToAnsi(lastResponse_);
  int code = 0;
  std::size_t end = 0;
  ParseLeadingInt(line, code, end);
  return end < line.size() && line[end] == '-';
}

void TCustomSmtpClient::HandleLine(const AnsiString& Line) {
  lastResponse_ = AnsiToString(Line);
  FireResponse(lastResponse_);
  switch (state_) {
    case smtpWaitingBanner:
      HandleBanner();
      break;
    case smtpWaitingResponse:
      if (!next_) throw SmtpException(L"Program error: FNext is nil");
      (this->*next_)();
      break;
    default:
      FireDisplay(L"< " + lastResponse_);
  }
}

void TCustomSmtpClient::HandleBanner() {
  FireDisplay(L"< " + lastResponse_);
  std::size_t end = 0;
  if (!ParseLeadingInt(StringToAnsi(lastResponse_), statusCode_, end)) statusCode_ = kNoNumber;
  if (ContinuationLine()) return;
  if (statusCode_ != 220) {
    if (errorMessage_.empty()) errorMessage_ = lastResponse_;
    requestResult_ = statusCode_;
    socket_->Close();
    return;
  }
  SetState(smtpConnected);
  FireSessionConnected(0);
  FireRequestDone(0);
}

void TCustomSmtpClient::JudgeReply() {
  FireDisplay(L"< " + lastResponse_);
  std::size_t end = 0;
  if (!ParseLeadingInt(StringToAnsi(lastResponse_), statusCode_, end)) statusCode_ = kNoNumber;
  if (ContinuationLine()) return;
  if (okCodes_.empty()) requestResult_ = statusCode_ >= 500 ? statusCode_ : 0;
  else requestResult_ = std::find(okCodes_.begin(), okCodes_.end(), statusCode_) != okCodes_.end() ? 0 : statusCode_;
  if (requestResult_ != 0 && errorMessage_.empty()) errorMessage_ = lastResponse_;
  if (done_) {
    SetState(smtpInternalReady);
    (this->*done_)();
    return;
  }
  // An accepted QUIT completes when the server closes; a refused one at once.
  if (stepInProgress_ == stepQuit && requestResult_ == 0 && connected_) return;
  FireRequestDone(static_cast<Word>(requestResult_));
}

// ---- low-level requests -------------------------------------------------------------------------

void TCustomSmtpClient::Helo() {
  RunCommand(smtpHelo, "HELO " + StringToAnsi(SignOnName()), {250}, nullptr, stepHelo);
}

void TCustomSmtpClient::Ehlo() {
  CheckReady();  // a busy client keeps the mechanisms it has
  authTypes_->Clear();
  RunCommand(smtpEhlo, "EHLO " + StringToAnsi(SignOnName()), {250}, &TCustomSmtpClient::EhloDone, stepEhlo);
}

void TCustomSmtpClient::EhloDone() {
  if (!connected_) return;
  if (requestResult_ == 0) esmtp_ = true;
  FireRequestDone(static_cast<Word>(requestResult_));
}

void TCustomSmtpClient::Vrfy() { RunCommand(smtpVrfy, "VRFY " + StringToAnsi(HdrTo), {250}, nullptr, stepVrfy); }

void TCustomSmtpClient::MailFrom() {
  String name, address;
  ParseEmailAddress(FromName, name, address);
  RunCommand(smtpMailFrom, "MAIL FROM:<" + StringToAnsi(address) + ">", {250}, nullptr, stepMailFrom);
}

void TCustomSmtpClient::Rset() { RunCommand(smtpRset, "RSET", {250}, nullptr, stepRset); }

void TCustomSmtpClient::Quit() {
  CheckReady();
  if (connected_) {
    RunCommand(smtpQuit, "QUIT", {221}, nullptr, stepQuit);
    return;
  }
  if (!highLevel_) request_ = smtpQuit;
  stepInProgress_ = stepQuit;
  requestDone_ = false;
  FireRequestDone(0);
}

void TCustomSmtpClient::RcptTo() {
  CheckReady();
  if (rcptName_->Count() == 0) throw SmtpException(L"RcptName list is empty");
  rcptIndex_ = -1;
  RcptToNext();
}

void TCustomSmtpClient::RcptToNext() {
  if (rcptIndex_ >= 0 && requestResult_ != 0) {
    TSmtpRcptToErrorAction action = srteAbort;
    if (OnRcptToError) OnRcptToError(this, static_cast<Word>(requestResult_), rcptIndex_, action);
    if (action == srteAbort) {
      FireRequestDone(static_cast<Word>(requestResult_));
      return;
    }
    if (action == srteIgnore) ++rcptIndex_;
  } else {
    ++rcptIndex_;
  }
  String name, address;
  ParseEmailAddress(rcptName_->Strings(rcptIndex_), name, address);
  const TStep next = rcptIndex_ < rcptName_->Count() - 1 ? &TCustomSmtpClient::RcptToNext : nullptr;
  RunCommand(smtpRcptTo, "RCPT TO:<" + StringToAnsi(address) + ">", {250, 251}, next, stepRcptTo);
}

// ---- AUTH ---------------------------------------------------------------------------------------

namespace {
// The order an automatic choice walks when the server refuses a mechanism with 504.
constexpr TSmtpAuthType kAuthWalk[] = {smtpAuthNtlm, smtpAuthCramMD5, smtpAuthCramSha1, smtpAuthLogin, smtpAuthPlain};
}  // namespace

void TCustomSmtpClient::Auth() {
  CheckReady();
  CheckConnected();
  if (!highLevel_) request_ = smtpAuth;
  stepInProgress_ = stepAuth;
  requestDone_ = false;
  if (!esmtp_) {
    Fail(L"500 ESMTP not supported.", 500);
    return;
  }
  authInUse_ = AuthType;
  if (AuthType == smtpAuthAutoSelect) {
    authInUse_ = smtpAuthCramMD5;  // when the server announces none of them
    const std::pair<const wchar_t*, TSmtpAuthType> choices[] = {
        {L"PLAIN", smtpAuthPlain}, {L"LOGIN", smtpAuthLogin}, {L"CRAM-SHA1", smtpAuthCramSha1},
        {L"CRAM-MD5", smtpAuthCramMD5}, {L"NTLM", smtpAuthNtlm}};
    for (const auto& [name, type] : choices)
      if (authTypes_->IndexOf(name) >= 0) authInUse_ = type;  // the later one wins
  }
  AuthNextStep();
}

void TCustomSmtpClient::AuthNextStep() {
  const AnsiString user = StringToAnsi(Username);
  switch (authInUse_) {
    case smtpAuthPlain:
      RunCommand(smtpAuth, "AUTH PLAIN " + SmtpPlainPayload(user, StringToAnsi(Password)), {235},
                 &TCustomSmtpClient::AuthFinished, stepAuth);
      break;
    case smtpAuthLogin:
      RunCommand(smtpAuth, "AUTH LOGIN", {334}, &TCustomSmtpClient::AuthLoginUser, stepAuth);
      break;
    case smtpAuthCramMD5:
      RunCommand(smtpAuth, "AUTH CRAM-MD5", {334}, &TCustomSmtpClient::AuthCramAnswer, stepAuth);
      break;
    case smtpAuthCramSha1:
      RunCommand(smtpAuth, "AUTH CRAM-SHA1", {334}, &TCustomSmtpClient::AuthCramAnswer, stepAuth);
      break;
    case smtpAuthNtlm:
      RunCommand(smtpAuth, "AUTH NTLM " + GetNtlmMessage1("", ""), {334}, &TCustomSmtpClient::AuthNtlmAnswer,
                 stepAuth);
      break;
    default:
      Fail(L"500 No Authentication Type Selected.", 500);
  }
}

bool TCustomSmtpClient::AuthRefused() {
  if (requestResult_ == 0) return false;
  if (AuthType == smtpAuthAutoSelect) {
    if (requestResult_ == 504) {
      const auto* current = std::find(std::begin(kAuthWalk), std::end(kAuthWalk), authInUse_);
      if (current != std::end(kAuthWalk) && current + 1 != std::end(kAuthWalk)) {
        authInUse_ = *(current + 1);
        AuthNextStep();
        return true;
      }
    }
    errorMessage_ = L"500 Authentication Type could not be determined.";
  }
  FireRequestDone(static_cast<Word>(requestResult_));
  return true;
}

void TCustomSmtpClient::AuthLoginUser() {
  if (AuthRefused()) return;
  RunCommand(smtpAuth, Base64EncodeText(StringToAnsi(Username)), {334}, &TCustomSmtpClient::AuthLoginPassword,
             stepAuth);
}

void TCustomSmtpClient::AuthLoginPassword() {
  if (AuthRefused()) return;
  RunCommand(smtpAuth, Base64EncodeText(StringToAnsi(Password)), {235}, &TCustomSmtpClient::AuthFinished, stepAuth);
}

void TCustomSmtpClient::AuthCramAnswer() {
  if (AuthRefused()) return;
  const bool sha1 = authInUse_ == smtpAuthCramSha1;
  const AnsiString reply = StringToAnsi(lastResponse_);
  if (reply.size() <= 4) {
    Fail((sha1 ? L"500 Malformed SHA1 Challege: " : L"500 Malformed MD5 Challege: ") + lastResponse_, 500);
    return;
  }
  const AnsiString challenge = Base64DecodeText(reply.substr(4));
  const AnsiString user = StringToAnsi(Username), password = StringToAnsi(Password);
  RunCommand(smtpAuth, sha1 ? SmtpCramSha1Answer(user, password, challenge) : SmtpCramMd5Answer(user, password, challenge),
             {235}, &TCustomSmtpClient::AuthFinished, stepAuth);
}

void TCustomSmtpClient::AuthNtlmAnswer() {
  if (AuthRefused()) return;
  const AnsiString reply = StringToAnsi(lastResponse_);
  if (reply.size() <= 4) {
    Fail(L"500 Malformed NtlmMsg2: " + lastResponse_, 500);
    return;
  }
  const TNTLM_Msg2_Info info = GetNtlmMessage2Info(reply.substr(4));
  RunCommand(smtpAuth,
             GetNtlmMessage3("", "", StringToAnsi(Username), StringToAnsi(Password), info.ChallengeBytes), {235},
             &TCustomSmtpClient::AuthFinished, stepAuth);
}

void TCustomSmtpClient::AuthFinished() {
  if (AuthRefused()) return;
  FireRequestDone(0);
}

// ---- DATA ---------------------------------------------------------------------------------------

TSmtpHeaderStyle TCustomSmtpClient::HeaderStyle() const {
  TSmtpHeaderStyle style;
  style.Allow8bitChars = Allow8bitChars;
  style.FoldHeaders = FoldHeaders;
  style.EncodingLetter = DefaultEncoding == smtpEncBase64 ? 'B' : 'Q';
  style.CharSet = StringToAnsi(CharSet);
  return style;
}

void TCustomSmtpClient::BuildHeaderLines(TStrings& Lines) {
  const TSmtpHeaderStyle style = HeaderStyle();
  AddAddressHeader(Lines, L"Reply-To:", HdrReplyTo, style);
  AddAddressHeader(Lines, L"Return-Path:", HdrReturnPath, style);
  AddAddressHeader(Lines, L"From:", HdrFrom, style);
  AddAddressHeader(Lines, L"To:", HdrTo, style);
  AddAddressHeader(Lines, L"Cc:", HdrCc, style);
  AddSubjectHeader(Lines, HdrSubject, style);
  AddAddressHeader(Lines, L"Sender:", HdrSender.empty() ? HdrFrom : HdrSender, style);
  Lines.Add(L"Mime-Version: 1.0");
  Lines.Add(L"Content-Type: " + contentTypeText_ + L"; charset=\"" + CharSet + L"\"");
  const TDateTime now = Now();
  const std::optional<int> bias = ZoneBias ? ZoneBias() : std::nullopt;
  Lines.Add(L"Date: " + AnsiToString(MailDate(now, bias)));
  if (HdrPriority != smtpPriorityNone) {
    Lines.Add(L"X-Priority: " + IntToStr(static_cast<int>(HdrPriority)));
    if (HdrPriority <= smtpPriorityHigh) {
      Lines.Add(L"Priority: urgent");
      Lines.Add(L"X-MSMail-Priority: High");
    } else if (HdrPriority == smtpPriorityNormal) {
      Lines.Add(L"Priority: Normal");
      Lines.Add(L"X-MSMail-Priority: Normal");
    } else {
      Lines.Add(L"Priority: non-urgent");
      Lines.Add(L"X-MSMail-Priority: Low");
    }
  }
  int random[4];
  for (int& number : random) number = RandomNumber ? RandomNumber(32767) : 0;
  const TDateTime universal = now + (bias ? *bias : 0) / (24.0 * 60.0);
  messageId_ = AnsiToString(MailMessageId(universal, random, MachineHostName()));
  Lines.Add(L"Message-ID: <" + messageId_ + L">");
  if (ConfirmReceipt && !Trim(HdrFrom).empty()) AddAddressHeader(Lines, L"Disposition-Notification-To:", HdrFrom, style);
  Lines.Add(L"X-Mailer: Zorvic SMTP Component V6.4");
  FireProcessHeader(Lines);
  Lines.Add(L"");
}

void TCustomSmtpClient::Data() {
  CheckReady();
  if (SendMode != smtpToStream) CheckConnected();
  if (!highLevel_) request_ = smtpData;
  stepInProgress_ = stepData;
  headerLines_->Clear();
  if (!OwnHeaders) BuildHeaderLines(*headerLines_);
  headerIndex_ = 0;
  bodyLine_ = 0;
  bodyDone_ = false;
  if (SendMode == smtpToStream) {
    requestDone_ = false;
    requestResult_ = 0;
    SetState(smtpInternalReady);
    DataNextLine();
    return;
  }
  RunCommand(smtpData, "DATA", {354}, &TCustomSmtpClient::DataStart, stepData);
}

void TCustomSmtpClient::DataStart() {
  if (requestResult_ != 0) {
    FireRequestDone(static_cast<Word>(requestResult_));
    return;
  }
  socket_->OnDataSent = [this](TObject*, Word) { Guard([&] { DataNextLine(); }); };
  DataNextLine();
}

void TCustomSmtpClient::DataNextLine() {
  if (state_ != smtpInternalReady) return;
  if (headerIndex_ < headerLines_->Count()) {
    AnsiString line = StringToAnsi(headerLines_->Strings(headerIndex_++));
    FireHeaderLine(line);
    FireDisplay(L"> " + AnsiToString(line));
    SendDataLine(line);
    return;
  }
  if (!bodyDone_) {
    AnsiString line;
    bool more = false;
    try {
      FireGetData(++bodyLine_, line, more);
    } catch (Exception&) {
      more = false;
    }
    if (state_ != smtpInternalReady) return;  // aborted while supplying the line
    if (more) {
      if (!line.empty() && line[0] == '.') line.insert(0, 1, '.');
      FireDisplay(L"> " + AnsiToString(line));
      SendDataLine(line);
      return;
    }
    bodyDone_ = true;
  }
  DataEnd();
}

void TCustomSmtpClient::SendDataLine(const AnsiString& Line) {
  if (SendMode != smtpToSocket && OutputStream) {
    const AnsiString bytes = Line + "\r\n";
    OutputStream->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  }
  if (SendMode == smtpToStream) PostSelfMessage(msgNextLine_);
  else socket_->SendText(Line + "\r\n");
}

void TCustomSmtpClient::DataEnd() {
  socket_->OnDataSent = nullptr;
  if (SendMode == smtpToStream) {
    if (OutputStream) OutputStream->WriteBuffer(".\r\n", 3);
    FireRequestDone(0);
    return;
  }
  RunCommand(smtpData, ".", {250}, nullptr, stepData);
}

// ---- high-level requests ------------------------------------------------------------------------

void TCustomSmtpClient::StartHighLevel(TSmtpRequest Request, unsigned Steps) {
  CheckReady();
  if ((Steps & Bit(stepConnect)) && connected_) throw SmtpException(L"SMTP component already connected");
  request_ = Request;
  requestResult_ = 0;
  stepInProgress_ = 0;
  highLevelResult_ = 0;
  highLevel_ = true;
  steps_ = Steps;
  lastResponse_.clear();
  errorMessage_.clear();
  NextHighLevelStep();
}

void TCustomSmtpClient::Open() {
  StartHighLevel(smtpOpen, AuthType != smtpAuthNone ? Bit(stepConnect) | Bit(stepEhlo) | Bit(stepAuth)
                                                    : Bit(stepConnect) | Bit(stepHelo));
}

void TCustomSmtpClient::Mail() {
  StartHighLevel(smtpMail, Bit(stepMailFrom) | Bit(stepRcptTo) | Bit(stepData));
}

void TCustomSmtpClient::NextHighLevelStep() {
  if (state_ == smtpAbort) {
    steps_ = 0;
    highLevelResult_ = 426;
    errorMessage_ = L"426 Operation aborted.";
  }
  highLevelNext_ = &TCustomSmtpClient::NextHighLevelStep;
  if (requestResult_ != 0) {
    if (stepInProgress_ == stepEhlo) {
      steps_ = Bit(stepHelo);  // a server without ESMTP: HELO, and no AUTH
    } else {
      highLevelResult_ = requestResult_;
      steps_ = (steps_ & Bit(stepQuit)) && stepInProgress_ != stepQuit ? Bit(stepQuit) : 0;
    }
  }
  const std::pair<int, TStep> order[] = {
      {stepConnect, &TCustomSmtpClient::Connect}, {stepHelo, &TCustomSmtpClient::Helo},
      {stepEhlo, &TCustomSmtpClient::Ehlo},       {stepAuth, &TCustomSmtpClient::Auth},
      {stepVrfy, &TCustomSmtpClient::Vrfy},       {stepMailFrom, &TCustomSmtpClient::MailFrom},
      {stepRcptTo, &TCustomSmtpClient::RcptTo},   {stepData, &TCustomSmtpClient::Data},
      {stepQuit, &TCustomSmtpClient::Quit}};
  for (const auto& [step, run] : order) {
    if (!(steps_ & Bit(step))) continue;
    steps_ &= ~Bit(step);
    stepInProgress_ = step;
    (this->*run)();
    return;
  }
  highLevelNext_ = nullptr;
  requestDone_ = false;
  FireRequestDone(static_cast<Word>(highLevelResult_));
}

void TCustomSmtpClient::Abort() {
  SetState(smtpAbort);
  socket_->Abort();
  connected_ = false;
  SetState(smtpReady);
}
