#include "capture/Cddb.h"

#include <cstring>
#include <cwctype>

#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"

DEFINE_CLASS(TCddb)

namespace {

constexpr const wchar_t* kCrLf = L"\r\n";

int Seconds(const TCDTocEntry& entry) { return entry.Minute * 60 + entry.Second; }

int DigitSum(int value) {
  int sum = 0;
  for (; value > 0; value /= 10) sum += value % 10;
  return sum;
}

String Code(const String& line) { return line.substr(0, 3); }

bool StartsWithDigit(const String& line) { return !line.empty() && line[0] >= L'0' && line[0] <= L'9'; }

// Protocol level 5 speaks ISO-8859-1: one character per byte.
String Latin1(const char* data, std::size_t size) {
  String text(size, L'\0');
  for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<unsigned char>(data[i]);
  return text;
}

AnsiString Latin1Bytes(const String& text) {
  AnsiString bytes(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = static_cast<char>(text[i] < 256 ? text[i] : L'?');
  return bytes;
}

String Encoded(const String& text) {
  const AnsiString bytes = CddbUrlEncode(Latin1Bytes(text));
  return Latin1(bytes.data(), bytes.size());
}

// The reply's lines: each ends at CR, LF or CR LF; an unterminated last line is a line too.
std::vector<String> ReplyLines(const char* data, std::size_t size) {
  std::vector<String> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] != '\r' && data[i] != '\n') continue;
    if (i > start) lines.push_back(Latin1(data + start, i - start));
    if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < size) lines.push_back(Latin1(data + start, size - start));
  return lines;
}

// Stores the text in the first empty entry; a full array drops it.
template <std::size_t N>
void StoreInFirstEmpty(std::array<String, N>& entries, const String& text) {
  for (String& entry : entries) {
    if (entry.empty()) {
      entry = text;
      return;
    }
  }
}

}  // namespace

TCddbServerRecord& CddbServer() {
  static TCddbServerRecord server;
  return server;
}

std::uint32_t CddbDiscIdValue(const TCDToc& toc) {
  const int n = toc.TrackCount;
  std::uint32_t sum = 0;
  for (int i = 0; i < n; ++i) sum += DigitSum(Seconds(toc.Tracks[i]));
  const std::uint32_t total = static_cast<std::uint32_t>(Seconds(toc.LeadOut) - Seconds(toc.Tracks[0]));
  return ((sum % 255) << 24) | (total << 8) | static_cast<std::uint32_t>(n);
}

String CddbDiscId(const TCDToc& toc) {
  wchar_t text[9];
  swprintf(text, 9, L"%08x", static_cast<unsigned>(CddbDiscIdValue(toc)));
  return text;
}

String CddbQueryCommand(const TCDToc& toc) {
  String command = L"cddb query " + CddbDiscId(toc) + L" " + IntToStr(toc.TrackCount);
  for (int i = 0; i < toc.TrackCount; ++i) {
    const TCDTocEntry& track = toc.Tracks[i];
    command += L" " + IntToStr(track.Minute * 4500 + track.Second * 75 + track.Frame);
  }
  return command + L" " + IntToStr(Seconds(toc.LeadOut));
}

AnsiString CddbUrlEncode(const AnsiString& text) {
  static const char hex[] = "0123456789ABCDEF";
  AnsiString encoded;
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte == ' ')
      encoded += '+';
    else if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z'))
      encoded += c;
    else
      encoded += {'%', hex[byte >> 4], hex[byte & 15]};
  }
  return encoded;
}

String CddbHelloUser(const String& address) {
  const std::size_t at = address.rfind(L'@');
  if (at == String::npos) return L"";
  String user = address;
  user[at] = L' ';
  return user;
}

TCddb::TCddb(TComponent* AOwner) : TComponent(AOwner) {
  socket_ = NewObject<TCddbWSocket>(this);
  socket_->SetLineMode(true);
  socket_->LineEnd = "\r\n";
  socket_->SetProto(L"tcp");
  socket_->SetPort(L"8880");
  socket_->SetAddr(CddbServer().Host);
  socket_->OnSessionConnected = {this, &TCddb::SocketSessionConnected};
  socket_->OnSessionClosed = {this, &TCddb::SocketSessionClosed};
  socket_->OnDataAvailable = {this, &TCddb::SocketDataAvailable};
  ServerAddr = CddbServer().Host;
  EmailSubmit = CddbServer().SubmitAddress;
  EmailTestSubmit = CddbServer().TestSubmitAddress;

  if (!CDAccessState().AspiLoaded) LoadAspiLibrary();
  InternalTOCRetrieve = IsCDInterfaceAvailable();
  if (InternalTOCRetrieve) {
    ScanCDDrives(drives_, cdiAutoDetect);
    if (drives_.DriveCount > 0) {
      if (ReadCDTOC(drives_, 0, discInfo_.Toc, cdiAutoDetect)) discInfo_.Toc.TrackCount = 0;
      drives_.CurrentDrive = 0;
    }
  }

  http_ = CreateHttpClient();

  smtp_ = NewObject<TSmtpCli>(this);
  smtp_->OnRequestDone = {this, &TCddb::SmtpRequestDone};
  smtp_->OnDisplay = {this, &TCddb::SmtpDisplay};
  smtp_->OnHeaderLine = {this, &TCddb::SmtpHeaderLine};
  MailServerPort = smtp_->Port;
}

TCddb::~TCddb() = default;

void TCddb::BeforeDestruction() {
  // The parts' last events must not reach a client being destroyed.
  socket_->OnSessionConnected = nullptr;
  socket_->OnSessionClosed = nullptr;
  socket_->OnDataAvailable = nullptr;
  http_->OnCommand = nullptr;
  http_->OnRequestDone = nullptr;
  smtp_->OnRequestDone = nullptr;
  smtp_->OnDisplay = nullptr;
  smtp_->OnHeaderLine = nullptr;
  TComponent::BeforeDestruction();
}

void TCddb::SetLocalCDDBType(TLocalCDDBType Value) {
  if (Value == lctWIN || Value == lctUNIX) localWin_ = Value == lctWIN;
}

void TCddb::SetNoteToUser(const String& Value) { noteToUser_ = Value.substr(0, kNoteLength); }

void TCddb::PostStatus(const String& Status) {
  if (OnStatusMessage) OnStatusMessage(this, Status);
}

// ---- the disc -------------------------------------------------------------------------------------

bool TCddb::ReadDiscInfo(int DriveIndex) {
  if (!InternalTOCRetrieve) {
    PostStatus(L"No CD-ROM interface detected!");
    return false;
  }
  ScanCDDrives(drives_, CDInterface);
  if (DriveIndex < 0 || DriveIndex >= drives_.DriveCount) return false;
  const bool unread = ReadCDTOC(drives_, DriveIndex, discInfo_.Toc, CDInterface);
  drives_.CurrentDrive = static_cast<Byte>(DriveIndex);
  if (unread) {
    // No disc: nothing to look up.
    discInfo_.Toc.TrackCount = 0;
    discInfo_.DiscId.clear();
    PostStatus(L"No CD in CD/DVD drive!");
    return false;
  }
  discInfo_.DiscId = CddbDiscId(discInfo_.Toc);
  return true;
}

bool TCddb::RereadDiscInfo() { return ReadDiscInfo(drives_.CurrentDrive); }

wchar_t TCddb::CurrentDriveLetter() {
  if (!InternalTOCRetrieve) {
    PostStatus(L"No CD-ROM interface detected!");
    return 0;
  }
  return static_cast<wchar_t>(std::towupper(drives_.Drives[drives_.CurrentDrive].DriveLetter));
}

// ---- HTTP requests ------------------------------------------------------------------------------

String TCddb::HelloParameters() const {
  return L"hello=" + Encoded(CddbHelloUser(EmailUser)) + L"+" + Encoded(ClientName) + L"+" + Encoded(ClientVersion);
}

void TCddb::FailRequest(const wchar_t* Operation) {
  state_ = CddbState::InternalError;
  PostStatus(String(L"CDDB Component Internal Error: THttpCli.") + Operation + L" failed because of error \"" +
             http_->ReasonPhrase() + L"\"");
}

void TCddb::PrepareRequest(int NewState) {
  receiveStream_.Clear();
  receiveStream_.SetPosition(0);
  http_->ReceiveStream = &receiveStream_;
  state_ = NewState;
}

void TCddb::StartGet(const String& Url, const String& Status, int NewState) {
  // The state moves first, so the owner does not read the previous request's outcome with this status.
  PrepareRequest(NewState);
  http_->URL = Url;
  PostStatus(Status);
  if (OnDataExchange) OnDataExchange(this, Url + kCrLf);
  try {
    http_->GetAsync();
  } catch (const Exception&) {
    FailRequest(L"GetAsync");
  }
}

void TCddb::HttpQuery() {
  if (ServerType != HTTP) {
    PostStatus(L"Selected server not an HTTP server");
    return;
  }
  if (discInfo_.Toc.TrackCount == 0) {
    PostStatus(L"No CD in CD/DVD drive!");
    return;
  }
  const String url = L"http://" + ServerAddr + L":" + ServerPort + ServerAdditionalAddr +
                     L"?cmd=" + Encoded(CddbQueryCommand(discInfo_.Toc)) + L"&" + HelloParameters() + L"&proto=5";
  StartGet(url, L"Querying CD", CddbState::QuerySent);
}

void TCddb::HttpRead() {
  if (state_ == CddbState::QueryFailed) {
    PostStatus(L"Can't perform a CDDB READ without a successful CDDB QUERY!");
    return;
  }
  if (ServerType != HTTP) {
    PostStatus(L"Selected server not an HTTP server");
    return;
  }
  const String url = L"http://" + ServerAddr + L":" + ServerPort + ServerAdditionalAddr + L"?cmd=cddb+read+" +
                     Trim(discInfo_.Category) + L"+" + Trim(discInfo_.DiscId) + L"&" + HelloParameters() +
                     L"&proto=5";
  StartGet(url, L"Reading CD info", CddbState::ReadSent);
}

THttpCli* TCddb::CreateHttpClient() {
  THttpCli* http = NewObject<THttpCli>(this);
  http->OnCommand = {this, &TCddb::HttpCommand};
  http->OnRequestDone = {this, &TCddb::HttpRequestDone};
  http->ReceiveStream = &receiveStream_;
  http->RequestBodyStream = &sendStream_;
  return http;
}

void TCddb::AbortRequest() {
  if (http_->State() != httpReady) {
    // The aborted connection's close can still arrive under the next request of the same client and
    // end it: the next request gets a client of its own, and the aborted one goes unheard.
    THttpCli* aborted = http_;
    aborted->OnCommand = nullptr;
    aborted->OnRequestDone = nullptr;
    aborted->AbortRequest();
    http_ = CreateHttpClient();
    http_->Proxy = aborted->Proxy;
    http_->ProxyPort = aborted->ProxyPort;
    http_->ProxyUsername = aborted->ProxyUsername;
    http_->ProxyPassword = aborted->ProxyPassword;
    aborted->Free();
    return;
  }
  // An idle client completes the abort inside the call: that completion is no reply.
  aborting_ = true;
  try {
    http_->AbortRequest();
  } catch (...) {
    aborting_ = false;
    throw;
  }
  aborting_ = false;
}

void TCddb::HttpRequestDone(TObject*, THttpRequest, Word ErrCode) {
  if (aborting_) return;
  const int state = state_;
  const wchar_t* operation = state == CddbState::SubmitSent ? L"PostAsync" : L"GetAsync";
  // An error page is no reply: it fails the request like a transport error.
  if (ErrCode != 0 || http_->StatusCode() != 200) {
    FailRequest(operation);
    return;
  }
  const auto* data = static_cast<const char*>(receiveStream_.Memory());
  const std::vector<String> lines = ReplyLines(data, static_cast<std::size_t>(receiveStream_.Size()));
  for (const String& line : lines) {
    switch (state) {
      case CddbState::QuerySent: HandleQueryReply(line); break;
      case CddbState::SitesSent: HandleSitesReply(line); break;
      case CddbState::ReadSent: HandleReadReply(line); break;
      case CddbState::SubmitSent: HandleSubmitReply(line); break;
      default: return;
    }
  }
  if (state == CddbState::ReadSent && state_ == CddbState::EntryRead) ParseEntry();
}

void TCddb::HttpCommand(TObject*, String& S) {
  if (state_ != CddbState::SubmitSent || S.compare(0, 15, L"Content-Length:") != 0) return;
  S += String(kCrLf) + L"Category: " + Trim(discInfo_.Category) + kCrLf + L"Discid: " + Trim(discInfo_.DiscId) + kCrLf +
       L"User-Email: " + EmailUser + kCrLf + L"Submit-Mode: " + (SubmissionType == TEST ? L"test" : L"submit") +
       kCrLf + L"X-Cddbd-Note: " + noteToUser_;
}

// ---- replies ------------------------------------------------------------------------------------

int TCddb::AskForMatch() {
  int rightOne = 0;
  if (OnMatch) OnMatch(this, matches_, rightOne);
  int filled = 0;
  while (filled < kMaxCddbMatches && !matches_[filled].empty()) ++filled;
  return rightOne >= 0 && rightOne < filled ? rightOne : -1;
}

void TCddb::HandleQueryReply(const String& Line) {
  const String code = Code(Line);
  if (code == L"200") {
    state_ = CddbState::QueryDone;
    PostStatus(L"Found exact match");
    matches_.fill(L"");
    matches_[0] = Trim(Line.size() > 4 ? Line.substr(4) : L"");
    if (AskForMatch() == -1) {
      state_ = CddbState::QueryFailed;
      return;
    }
    discInfo_.Category = matches_[0].substr(0, matches_[0].find(L' '));
    discInfo_.DiscId = CddbDiscId(discInfo_.Toc);
  } else if (code == L"210" || code == L"211") {
    PostStatus(code == L"210" ? L"Found exact matches" : L"Found inexact matches");
    matches_.fill(L"");
    PostStatus(L"OK, receiving matches");
  } else if (code == L"202") {
    state_ = CddbState::QueryFailed;
    PostStatus(L"No match found");
  } else if (code == L"403") {
    state_ = CddbState::QueryFailed;
    PostStatus(L"Database entry is corrupt");
  } else if (code == L"409") {
    state_ = CddbState::QueryFailed;
    handshaken_ = false;
    PostStatus(L"No handshake");
  } else if (StartsWithDigit(Line)) {
    HandleReply(Line);
  } else if (!Line.empty() && Line[0] == L'.') {
    state_ = CddbState::MatchesReceived;
    PostStatus(L"Received matches");
    const int rightOne = AskForMatch();
    if (rightOne == -1) {
      state_ = CddbState::QueryFailed;
      return;
    }
    const String& match = matches_[rightOne];
    const std::size_t blank = match.find(L' ');
    discInfo_.Category = match.substr(0, blank);
    discInfo_.DiscId = blank == String::npos ? L"" : match.substr(blank + 1, 8);
    state_ = CddbState::QueryDone;
  } else {
    StoreInFirstEmpty(matches_, Trim(Line));
  }
}

void TCddb::HandleReadReply(const String& Line) {
  const String code = Code(Line);
  if (code == L"210") {
    PostStatus(L"OK, CDDB database entry follows");
    entry_.fill(L"");
  } else if (code == L"401") {
    state_ = CddbState::ReadFailed;
    PostStatus(L"Specified CDDB entry not found");
  } else if (code == L"402") {
    // Nothing is reported and the state stays.
  } else if (code == L"403") {
    state_ = CddbState::ReadFailed;
    PostStatus(L"Database entry is corrupt");
  } else if (code == L"409") {
    state_ = CddbState::ReadFailed;
    handshaken_ = false;
    PostStatus(L"No handshake");
  } else if (!Line.empty() && Line[0] == L'.') {
    state_ = CddbState::EntryRead;
    PostStatus(L"Entry read");
  } else if (!Line.empty() && String(L"#TDEP").find(Line[0]) != String::npos) {
    StoreInFirstEmpty(entry_, Trim(Line));
  } else {
    state_ = CddbState::ReadFailed;
    HandleReply(Line);
  }
}

void TCddb::HandleSitesReply(const String& Line) {
  if (Line == L"." || (!Line.empty() && Line[0] == L'.')) {
    state_ = CddbState::SitesReceived;
    PostStatus(L"Got sites");
  } else if (Code(Line) == L"210") {
    PostStatus(L"OK, receiving sites");
    sites_.fill(TServer{});
  } else if (Code(Line) == L"401") {
    state_ = CddbState::NoSites;
    PostStatus(L"No site information available");
  } else {
    for (TServer& site : sites_) {
      if (!site.Site.empty()) continue;
      std::vector<String> words;
      std::size_t at = 0;
      String rest = Trim(Line);
      for (int i = 0; i < 6 && at < rest.size(); ++i) {
        const std::size_t blank = rest.find(L' ', at);
        words.push_back(rest.substr(at, blank == String::npos ? String::npos : blank - at));
        at = blank == String::npos ? rest.size() : rest.find_first_not_of(L' ', blank);
        if (at == String::npos) at = rest.size();
      }
      words.resize(6);
      site.Site = words[0];
      site.Protocol = SameText(words[1], L"http") ? HTTP : CDDBP;
      site.Port = StrToIntDef(words[2], 0);
      site.Address = words[3];
      site.SiteLocation = {words[4], words[5], rest.substr(at)};
      return;
    }
  }
}

void TCddb::HandleSubmitReply(const String& Line) {
  const String code = Code(Line);
  if (code == L"200") {
    state_ = CddbState::Submitted;
    PostStatus(L"OK, submission has been sent.");
  } else if (code == L"500" || code == L"501") {
    state_ = CddbState::SubmitRefused;
    PostStatus(code == L"500" ? L"Missing required header information." : L"Invalid header information.");
  }
}

void TCddb::HandleReply(const String& Line) {
  const int code = StrToInt(Line.substr(0, 3));
  String text;
  switch (code) {
    case 402: text = L"Server error"; break;
    case 408: text = L"CGI environment error"; break;
    case 500: text = L"Command syntax error, command unknown, command unimplemented"; break;
    case 530:
      text = L"Server error, server timeout";
      handshaken_ = false;
      break;
    default: {
      static const wchar_t* const kinds[] = {L"",
                                             L"Informative message",
                                             L"Command OK",
                                             L"Command OK so far",
                                             L"Command OK, but cannot be performed",
                                             L"Command unimplemented, incorrect, or program error"};
      const int kind = code / 100;
      if (kind >= 1 && kind <= 5) text = kinds[kind];
      switch (code % 100) {
        case 0: text += L", ready for further commands"; break;
        case 10: text += L", more server-to-client output follows"; break;
        case 20: text += L", more client-to-server input follows"; break;
        case 30:
          text += L", connection will close";
          state_ = CddbState::Idle;
          handshaken_ = false;
          break;
        default: break;
      }
    }
  }
  PostStatus(text);
}

void TCddb::ParseEntry() {
  const String category = discInfo_.Category;
  TLocalCDDB* local = NewObject<TLocalCDDB>();
  local->SetClientText(ClientName + L" " + ClientVersion + L" " + ClientComments);
  try {
    if (local->ParseEntry(discInfo_, entry_) == TLocalCDDB::kEntryCorrupt) PostStatus(L"The entry is corrupt");
    RereadDiscInfo();
  } catch (...) {
    discInfo_.Category = category;
    TLocalCDDB::Release(local);
    throw;
  }
  discInfo_.Category = category;
  TLocalCDDB::Release(local);
}

// ---- the line protocol ----------------------------------------------------------------------------

void TCddb::SocketSessionConnected(TObject*, Word ErrCode) {
  if (ErrCode == 0) state_ = CddbState::Connected;
}

void TCddb::SocketSessionClosed(TObject*, Word) {
  const bool wasIdle = state_ == CddbState::Idle;
  state_ = CddbState::Idle;
  if (!wasIdle) PostStatus(L"Connection closed");
}

void TCddb::SocketDataAvailable(TObject*, Word) {
  const AnsiString bytes = socket_->ReceiveText();
  if (bytes.empty()) return;
  const String line = Trim(Latin1(bytes.data(), bytes.size()));
  if (OnDataExchange) OnDataExchange(this, line);
  HandleSocketLine(line);
}

void TCddb::HandleSocketLine(const String& Line) {
  const String code = Code(Line);
  switch (state_) {
    case CddbState::Connected: {
      struct Greeting {
        const wchar_t* Code;
        int State;
        const wchar_t* Text;
      };
      static const Greeting greetings[] = {
          {L"200", CddbState::ReadWriteServer, L"OK, read/write allowed"},
          {L"201", CddbState::ReadOnlyServer, L"OK, read only"},
          {L"432", CddbState::Idle, L"No connections allowed: permission denied"},
          {L"433", CddbState::Idle, L"No connections allowed: X users allowed, Y currently active"},
          {L"434", CddbState::Idle, L"No connections allowed: system load too high"}};
      for (const Greeting& greeting : greetings) {
        if (code != greeting.Code) continue;
        state_ = greeting.State;
        handshaken_ = false;
        PostStatus(greeting.Text);
        return;
      }
      HandleReply(Line);
      return;
    }
    case CddbState::HelloSent:
      if (code == L"200" || code == L"402") {
        state_ = CddbState::HandshakeDone;
        handshaken_ = true;
        PostStatus(code == L"200" ? L"Handshake successful" : L"Already shook hands");
      } else if (code == L"431") {
        state_ = CddbState::Idle;
        handshaken_ = false;
        PostStatus(L"Handshake not successful, closing connection");
      } else {
        HandleReply(Line);
      }
      return;
    case CddbState::ProtoSent:
      if (code == L"201" || code == L"502") {
        state_ = CddbState::ProtoSet;
        PostStatus(code == L"201" ? L"OK, protocol level now: 5" : L"Protocol level already 5");
      } else if (code == L"501") {
        state_ = CddbState::Connected;
        PostStatus(L"Illegal protocol level");
      } else {
        HandleReply(Line);
      }
      return;
    case CddbState::SitesSent: HandleSitesReply(Line); return;
    case CddbState::QuerySent: HandleQueryReply(Line); return;
    case CddbState::ReadSent: HandleReadReply(Line); return;
    case CddbState::QuitSent:
      state_ = CddbState::Idle;
      PostStatus(L"Connection closed");
      return;
    default: HandleReply(Line); return;
  }
}

// ---- submission by mail -------------------------------------------------------------------------

void TCddb::SmtpRequestDone(TObject*, TSmtpRequest RqType, Word ErrorCode) {
  const wchar_t* name = RqType == smtpConnect ? L"Connect"
                        : RqType == smtpHelo  ? L"Helo"
                        : RqType == smtpMail  ? L"Mail"
                        : RqType == smtpQuit  ? L"Quit"
                                              : nullptr;
  if (!name) return;
  if (ErrorCode != 0) {
    state_ = CddbState::MailError;
    PostStatus(String(L"CDDB Component Internal Error: TSmtpCli.") + name + L" failed because of error \"" +
               smtp_->ErrorMessage() + L"\"");
    return;
  }
  switch (RqType) {
    case smtpConnect: smtp_->Helo(); break;
    case smtpHelo: smtp_->Mail(); break;
    case smtpMail: smtp_->Quit(); break;
    default: PostStatus(L"OK, submission has been sent."); break;
  }
}

void TCddb::SmtpDisplay(TObject*, const String& Msg) {
  if (OnDataExchange) OnDataExchange(this, Msg);
}

void TCddb::SmtpHeaderLine(TObject*, char* Msg, int Size) {
  if (_strnicmp(Msg, "From:", 5) != 0) return;
  const AnsiString note = "\r\nX-Cddbd-Note: " + Latin1Bytes(noteToUser_);
  const std::size_t length = std::strlen(Msg);
  if (length + note.size() + 1 > static_cast<std::size_t>(Size)) return;
  std::memcpy(Msg + length, note.c_str(), note.size() + 1);
}
