#pragma once
// TCddb: identifies the audio CD in a drive by its CD database disc id and fetches the disc's
// titles from a CD database server: "cddb query" and "cddb read" as HTTP GET requests, the reply
// handling of the server's line protocol over its own socket, and the replies of a submission by
// HTTP or by mail. Every status text reaches the owner through OnStatusMessage; the owner reads
// State() in its handler.

#include <array>

#include "capture/CDAccess.h"
#include "capture/LocalCddb.h"
#include "net/HttpCli.h"
#include "net/LineWSocket.h"
#include "net/SmtpCli.h"
#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Stream.h"

enum TLocalCDDBType { lctWIN, lctUNIX };
enum TServerType { CDDBP, HTTP };
enum TSubmissionType { TEST, SUBMIT };

struct TLocation {
  String Latitude;
  String Longitude;
  String Description;
};

struct TServer {
  String Site;
  String Address;  // CGI path
  TServerType Protocol = CDDBP;
  int Port = 0;
  TLocation SiteLocation;
};

constexpr int kMaxCddbMatches = 100;
constexpr int kMaxCddbSites = 100;
using TMatchArray = std::array<String, kMaxCddbMatches>;
using TServerArray = std::array<TServer, kMaxCddbSites>;

// The client's states (State()).
namespace CddbState {
constexpr int Idle = -1;
constexpr int Connected = 0;
constexpr int HelloSent = 1;
constexpr int HandshakeDone = 2;
constexpr int QueryDone = 3;
constexpr int MatchesReceived = 4;
constexpr int QueryFailed = 5;
constexpr int QuerySent = 6;
constexpr int SitesSent = 7;
constexpr int SitesReceived = 8;
constexpr int ProtoSent = 9;
constexpr int ProtoSet = 10;
constexpr int ReadSent = 11;
constexpr int EntryRead = 12;
constexpr int ReadFailed = 13;
constexpr int SubmitSent = 14;
constexpr int QuitSent = 15;
constexpr int InternalError = 16;
constexpr int ReadOnlyServer = 17;
constexpr int ReadWriteServer = 18;
constexpr int NoSites = 19;
constexpr int MailError = 21;
constexpr int Submitted = 22;
constexpr int SubmitRefused = 23;
}  // namespace CddbState

// The public CD database server the program asks, and the addresses it uses there: one record for
// the whole process (tests point it at a loopback peer).
struct TCddbServerRecord {
  String Host = L"gnudb.gnudb.org";
  String Port = L"80";
  String Path = L"/~cddb/cddb.cgi";
  String UserAddress = L"dravelo@example.org";
  String SubmitAddress = L"cddb-submit@example.org";
  String TestSubmitAddress = L"cddb-test-submit@example.org";
};
TCddbServerRecord& CddbServer();

using TStatusEvent = TEvent<void(TObject* Sender, const String& Status)>;
using TMatchEvent = TEvent<void(TObject* Sender, TMatchArray& Matches, int& RightOne)>;

// The disc id of a table of contents, as 32 bits and as 8 lower-case hexadecimal digits.
std::uint32_t CddbDiscIdValue(const TCDToc& toc);
String CddbDiscId(const TCDToc& toc);
// "cddb query <id> <n> <offsets...> <seconds>".
String CddbQueryCommand(const TCDToc& toc);
// Blank to "+", letters and digits kept, every other byte as "%XX".
AnsiString CddbUrlEncode(const AnsiString& text);
// The mail address's user and host as two words (the last at sign counts); empty without one.
String CddbHelloUser(const String& address);

class TCddb : public TComponent {
  DECLARE_CLASS(TCddb, TComponent)
 public:
  static constexpr int kNoteLength = 70;

  explicit TCddb(TComponent* AOwner);
  ~TCddb() override;
  void BeforeDestruction() override;

  bool InternalTOCRetrieve = false;
  TCDInterface CDInterface = cdiAutoDetect;
  String LocalCDDBPath = L".\\";
  String LocalCDDBDLLPath = L".\\LocalCDDB.dll";
  TLocalCDDBType LocalCDDBType() const { return localWin_ ? lctWIN : lctUNIX; }
  void SetLocalCDDBType(TLocalCDDBType Value);
  const String& NoteToUser() const { return noteToUser_; }
  void SetNoteToUser(const String& Value);
  String EmailUser;
  String EmailSubmit;
  String EmailTestSubmit;
  String ServerAddr;
  String ServerAdditionalAddr = L"/~cddb/cddb.cgi";
  String ServerPort;
  TServerType ServerType = CDDBP;
  String ServerLatitude, ServerLongitude, ServerDescription;
  const String& ProxyAddress() const { return http_->Proxy; }
  void SetProxyAddress(const String& Value) { http_->Proxy = Value; }
  const String& ProxyPort() const { return http_->ProxyPort; }
  void SetProxyPort(const String& Value) { http_->ProxyPort = Value; }
  const String& ProxyUsername() const { return http_->ProxyUsername; }
  void SetProxyUsername(const String& Value) { http_->ProxyUsername = Value; }
  const String& ProxyPassword() const { return http_->ProxyPassword; }
  void SetProxyPassword(const String& Value) { http_->ProxyPassword = Value; }
  TSubmissionType SubmissionType = TEST;
  String MailServerAddress;
  String MailServerPort;
  String ClientName = L"capture";
  String ClientVersion = L"1.0";
  String ClientComments;

  TStatusEvent OnStatusMessage;
  TStatusEvent OnDataExchange;
  TMatchEvent OnMatch;

  bool ReadDiscInfo(int DriveIndex);
  bool RereadDiscInfo();
  wchar_t CurrentDriveLetter();
  const TCDInfo& DiscInfo() const { return discInfo_; }
  const TCDDrives& Drives() const { return drives_; }
  void HttpQuery();
  void HttpRead();
  void AbortRequest();

  // The reply handlers follow the state: whoever sends a command of the line protocol or a
  // submission sets the state in which its reply is expected.
  int State() const { return state_; }
  void SetState(int Value) { state_ = Value; }
  // Before an HTTP request: the receive stream emptied and the state its reply is expected in.
  void PrepareRequest(int NewState);
  bool Handshaken() const { return handshaken_; }
  const TServerArray& Sites() const { return sites_; }
  const TEntryArray& Entry() const { return entry_; }
  const TMatchArray& Matches() const { return matches_; }

  THttpCli& HttpClient() const { return *http_; }
  TSmtpCli& SmtpClient() const { return *smtp_; }
  TCddbWSocket& Socket() const { return *socket_; }

 protected:
  void PostStatus(const String& Status);
  void HandleReply(const String& Line);
  void HandleQueryReply(const String& Line);
  void HandleReadReply(const String& Line);
  void HandleSitesReply(const String& Line);
  void HandleSubmitReply(const String& Line);
  void HandleSocketLine(const String& Line);
  void ParseEntry();

 private:
  void HttpRequestDone(TObject* Sender, THttpRequest RqType, Word ErrCode);
  void HttpCommand(TObject* Sender, String& S);
  void SocketSessionConnected(TObject* Sender, Word ErrCode);
  void SocketSessionClosed(TObject* Sender, Word ErrCode);
  void SocketDataAvailable(TObject* Sender, Word ErrCode);
  void SmtpRequestDone(TObject* Sender, TSmtpRequest RqType, Word ErrorCode);
  void SmtpDisplay(TObject* Sender, const String& Msg);
  void SmtpHeaderLine(TObject* Sender, char* Msg, int Size);

  THttpCli* CreateHttpClient();
  void StartGet(const String& Url, const String& Status, int NewState);
  String HelloParameters() const;
  // Asks the owner; RightOne outside the filled entries counts as -1.
  int AskForMatch();
  void FailRequest(const wchar_t* Operation);

  TCddbWSocket* socket_ = nullptr;
  TSmtpCli* smtp_ = nullptr;
  THttpCli* http_ = nullptr;
  TMemoryStream receiveStream_;
  TMemoryStream sendStream_;
  TCDDrives drives_;
  TCDInfo discInfo_;
  TMatchArray matches_;
  TEntryArray entry_;
  TServerArray sites_;
  int state_ = CddbState::Idle;
  bool handshaken_ = false;
  bool localWin_ = false;
  bool aborting_ = false;
  String noteToUser_;
};
