#include "net/SocksWSocket.h"

#include <algorithm>
#include <cstring>

#include "net/SocketAddress.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"

DEFINE_CLASS(TCustomSocksWSocket)

namespace {

constexpr int kLogicError = 20001;
constexpr int kVersionError = 20002;
constexpr int kMethodError = 20003;
constexpr int kAddressTypeError = 20011;
constexpr int kUnassignedError = 20012;
constexpr int kInternalError = 20013;
constexpr int kAuthenticationError = 20015;
constexpr int kRejectedError = 20016;
constexpr int kResolveError = 20017;

// SOCKS 5 reply codes 1 to 8 map to 20004 to 20011.
const wchar_t* const kSocks5ReplyTexts[] = {
    L"general SOCKS server failure", L"connection not allowed by ruleset", L"network unreachable",
    L"host unreachable",             L"connection refused",                L"time to live expired",
    L"command not supported",        L"address type not supported",
};

void AppendPort(AnsiString& request, Word port) {
  request += static_cast<char>(port >> 8);
  request += static_cast<char>(port & 0xFF);
}

}  // namespace

TCustomSocksWSocket::TCustomSocksWSocket(TComponent* AOwner) : TCustomSocksWSocket(AOwner, SuiteWinsock()) {}

TCustomSocksWSocket::TCustomSocksWSocket(TComponent* AOwner, TWinsockBinding& Winsock)
    : TCustomWSocket(AOwner, Winsock) {
  ResetSocksState();
}

void TCustomSocksWSocket::ResetSocksState() {
  socksPhase_ = 0;
  socksServer_.clear();
  socksPort_.clear();
  socksLevel_ = L"5";
  socksPortAssigned_ = socksServerAssigned_ = false;
  replyCount_ = leftoverCount_ = leftoverOffset_ = 0;
}

void TCustomSocksWSocket::ResetDefaults() {
  TCustomWSocket::ResetDefaults();
  ResetSocksState();
}

void TCustomSocksWSocket::SetSocksServer(const String& Value) {
  if (CurrentState != wsClosed) return ReportError(L"Can't change socks server if not closed");
  socksServer_ = Trim(Value);
  socksServerAssigned_ = !socksServer_.empty();
  addrResolved_ = false;
}

void TCustomSocksWSocket::SetSocksPort(const String& Value) {
  if (CurrentState != wsClosed) return ReportError(L"Can't change socks port if not closed");
  socksPort_ = Trim(Value);
  socksPortAssigned_ = !socksPort_.empty();
  portResolved_ = false;
}

void TCustomSocksWSocket::SetSocksLevel(const String& Value) {
  if (CurrentState != wsClosed) return ReportError(L"Can't change socks level if not closed");
  if (Value != L"4" && Value != L"5" && Value != L"4A" && Value != L"4a")
    return ReportError(L"Invalid socks level. Must be 4, 4A or 5.");
  socksLevel_ = UpperCase(Value);
}

void TCustomSocksWSocket::Connect() {
  if (socksServer_.empty()) return TCustomWSocket::Connect();
  if (LowerCase(proto_) != L"tcp" && Trim(proto_) != L"6")
    return ReportError(L"TCP is the only protocol supported thru socks server");
  if (socksLevel_ == L"5") {
    // Every SOCKS 5 field length is one byte.
    if (SocksAuthentication == socksAuthenticateUsercode && HostText(SocksUsercode).size() > kSocks5FieldLimit)
      return ReportError(L"Connect: SOCKS user code too long");
    if (SocksAuthentication == socksAuthenticateUsercode && HostText(SocksPassword).size() > kSocks5FieldLimit)
      return ReportError(L"Connect: SOCKS password too long");
    if (HostText(addr_).size() > kSocks5FieldLimit) return ReportError(L"Connect: SOCKS host name too long");
  }
  try {
    if (!portResolved_) MarkRemotePort(ResolvePort(socksPort_, proto_, ws_));
    if (!addrResolved_) MarkRemoteHost(ResolveHost(socksServer_, ws_));
    destinationPort_ = ResolvePort(port_, proto_, ws_);
    socksPhase_ = 1;
    replyCount_ = 0;
  } catch (Exception& E) {
    return ReportError(L"Connect: " + E.Message());
  }
  TCustomWSocket::Connect();
}

void TCustomSocksWSocket::Listen() {
  if (!socksServer_.empty()) return ReportError(L"Listening is not supported thru socks server");
  TCustomWSocket::Listen();
}

void TCustomSocksWSocket::FireSocksConnected(Word Error) {
  if (OnSocksConnected) OnSocksConnected(this, Error);
}

void TCustomSocksWSocket::FireSocksError(int Error, const String& Msg) {
  if (OnSocksError) OnSocksError(this, Error, Msg);
}

void TCustomSocksWSocket::FireSocksAuthState(TSocksAuthState AuthState) {
  if (OnSocksAuthState) OnSocksAuthState(this, AuthState);
}

void TCustomSocksWSocket::HandleSessionConnected(Word Error) {
  if (socksPhase_ == 1) {
    FireSocksConnected(Error);
    if (Error == 0) {
      if (IsSocks4()) {
        SendSocksConnectRequest();
      } else {
        socksRequestedMethod_ = SocksAuthentication == socksAuthenticateUsercode ? 2 : 0;
        SendRequest(AnsiString{5, 1, static_cast<char>(socksRequestedMethod_)});
      }
      return;
    }
  }
  TCustomWSocket::HandleSessionConnected(Error);
}

void TCustomSocksWSocket::HandleSessionClosed(Word Error) {
  if (socksPhase_ == 2) FireSocksAuthState(socksAuthFailure);
  TCustomWSocket::HandleSessionClosed(Error);
}

int TCustomSocksWSocket::PendingByteCount() {
  if (leftoverCount_ > 0) return leftoverCount_;
  return TCustomWSocket::PendingByteCount();
}

int TCustomSocksWSocket::ReceiveData(void* Buffer, int Len, int Flags) {
  if (leftoverCount_ > 0) {
    int count = std::min(Len, leftoverCount_);
    if (count <= 0) return 0;
    std::memcpy(Buffer, reply_ + leftoverOffset_, static_cast<std::size_t>(count));
    leftoverOffset_ += count;
    leftoverCount_ -= count;
    return count;
  }
  return TCustomWSocket::ReceiveData(Buffer, Len, Flags);
}

void TCustomSocksWSocket::SocksFailure(int Code, const String& Msg) {
  FireSocksError(Code, Msg);
  socksPhase_ = 0;
  HandleSessionConnected(static_cast<Word>(Code));
  CloseWith(true, Code);
}

void TCustomSocksWSocket::SendRequest(const AnsiString& Request) {
  try {
    Send(Request.data(), static_cast<int>(Request.size()));
  } catch (Exception&) {
  }
}

void TCustomSocksWSocket::SendSocksConnectRequest() {
  socksPhase_ = 3;
  AnsiString request;
  if (IsSocks4()) {
    u_long address;
    if (socksLevel_ == L"4") {
      try {
        address = ResolveHost(addr_, ws_);
      } catch (Exception& E) {
        FireSocksError(kResolveError, String(E.ClassName()) + L" " + E.Message());
        CloseWith(true, kResolveError);
        return;
      }
    } else {
      const Byte invalidAddress[4] = {0, 0, 0, 1};
      std::memcpy(&address, invalidAddress, sizeof(address));
    }
    request += '\x04';
    request += '\x01';
    AppendPort(request, destinationPort_);
    request.append(reinterpret_cast<const char*>(&address), 4);
    request += HostText(SocksUsercode);
    request += '\0';
    if (socksLevel_ == L"4A") {
      request += HostText(addr_);
      request += '\0';
    }
  } else {
    AnsiString host = HostText(addr_);
    request = AnsiString{5, 1, 0, 3, static_cast<char>(host.size())};
    request += host;
    AppendPort(request, destinationPort_);
  }
  SendRequest(request);
}

void TCustomSocksWSocket::SendSocksAuthentication() {
  socksPhase_ = 2;
  FireSocksAuthState(socksAuthStart);
  AnsiString user = HostText(SocksUsercode);
  AnsiString password = HostText(SocksPassword);
  AnsiString request{1, static_cast<char>(user.size())};
  request += user;
  request += static_cast<char>(password.size());
  request += password;
  SendRequest(request);
}

bool TCustomSocksWSocket::GatherReply(int Limit) {
  int count = Receive(reply_ + replyCount_, Limit - replyCount_);
  if (count < 0) return false;
  replyCount_ += count;
  return true;
}

bool TCustomSocksWSocket::HandleDataAvailable(Word Error) {
  if (socksPhase_ == 0) return TCustomWSocket::HandleDataAvailable(Error);
  if (Error != 0) {
    SocksFailure(Error, L"data receive error");
    return false;
  }
  switch (socksPhase_) {
    case 1: return HandleGreetingReply();
    case 2: return HandleAuthenticationReply();
    case 3: return IsSocks4() ? HandleSocks4Reply() : HandleSocks5Reply();
    default:
      SocksFailure(kInternalError, L"internal error");
      return false;
  }
}

bool TCustomSocksWSocket::HandleGreetingReply() {
  if (!GatherReply(kReplyBufferSize - 1)) return true;
  if (IsSocks4()) {
    SocksFailure(kLogicError, L"TWSocket logic error");
    return true;
  }
  if (replyCount_ < 2) return true;
  replyCount_ = 0;  // anything behind the two bytes is dropped
  if (reply_[0] != 5) {
    SocksFailure(kVersionError, L"socks version error");
  } else if (reply_[1] == 0) {
    if (socksRequestedMethod_ == 2) FireSocksAuthState(socksAuthNotRequired);
    SendSocksConnectRequest();
  } else if (reply_[1] == 2) {
    SendSocksAuthentication();
  } else {
    SocksFailure(kMethodError, L"authentification method not acceptable");
  }
  return true;
}

bool TCustomSocksWSocket::HandleAuthenticationReply() {
  if (!GatherReply(kReplyBufferSize - 1)) return true;
  if (replyCount_ >= 1 && reply_[0] != 1) {
    SocksFailure(kVersionError, L"socks version error");
  } else if (replyCount_ > 2) {
    SocksFailure(kLogicError, L"too much data availaible");
  } else if (replyCount_ == 2) {
    if (reply_[1] != 0) {
      SocksFailure(kAuthenticationError, L"socks authentication failed");
    } else {
      replyCount_ = 0;
      FireSocksAuthState(socksAuthSuccess);
      SendSocksConnectRequest();
    }
  }
  return true;
}

bool TCustomSocksWSocket::HandleSocks4Reply() {
  if (!GatherReply(8)) return true;
  if (replyCount_ < 8) return true;
  replyCount_ = 0;
  if (reply_[0] != 0) {
    SocksFailure(kVersionError, L"socks version error");
    return true;
  }
  switch (reply_[1]) {
    case 90:
      socksPhase_ = 0;
      HandleSessionConnected(0);
      HandleDataAvailable(0);
      break;
    case 91: SocksFailure(kRejectedError, L"request rejected or failed"); break;
    case 92: SocksFailure(20008, L"connection refused"); break;
    case 93: SocksFailure(kAuthenticationError, L"authentification failed"); break;
    default: SocksFailure(kUnassignedError, L"unassigned error #" + IntToStr(reply_[1])); break;
  }
  return true;
}

bool TCustomSocksWSocket::HandleSocks5Reply() {
  if (!GatherReply(kReplyBufferSize - 1)) return true;
  if (replyCount_ >= 1 && reply_[0] != 5) {
    SocksFailure(kVersionError, L"socks version error");
    return true;
  }
  if (replyCount_ >= 2 && reply_[1] != 0) {
    int code = reply_[1];
    if (code >= 1 && code <= 8) SocksFailure(20003 + code, kSocks5ReplyTexts[code - 1]);
    else SocksFailure(kUnassignedError, L"unassigned error #" + IntToStr(code));
    return true;
  }
  if (replyCount_ < 5) return true;
  const Byte type = reply_[3];
  const int length = type == 1 ? 10 : type == 3 ? reply_[4] + 7 : 5;
  if (replyCount_ < length) return true;
  int portOffset;
  if (type == 1) {
    SocksBoundAddr = IntToStr(reply_[4]) + L"." + IntToStr(reply_[5]) + L"." + IntToStr(reply_[6]) + L"." +
                     IntToStr(reply_[7]);
    portOffset = 8;
  } else if (type == 3) {
    SocksBoundAddr = AnsiToString(AnsiString(reinterpret_cast<const char*>(reply_ + 5), reply_[4]));
    portOffset = 5 + reply_[4];
  } else {
    SocksFailure(kAddressTypeError, L"address type not supported");
    return true;
  }
  SocksBoundPort = IntToStr((reply_[portOffset] << 8) | reply_[portOffset + 1]);
  socksPhase_ = 0;
  HandleSessionConnected(0);
  leftoverCount_ = replyCount_ - length;
  leftoverOffset_ = length;
  replyCount_ = 0;
  HandleDataAvailable(0);
  return true;
}
