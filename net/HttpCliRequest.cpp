// THttpCli: the request header, assembled in memory and handed to the socket in one piece, and the
// request body, sent in blocks on the socket's data-sent events.

#include "net/HttpCli.h"

#include <algorithm>
#include <cstring>

#include "net/Base64.h"
#include "net/HttpDate.h"
#include "net/SocketAddress.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"

// ---- the request -----------------------------------------------------------------------------

String THttpCli::AuthorizationLine() const {
  if (proxyAuthNtlmState_ == 1) return {};
  if (authNtlmState_ == 1) return L"Authorization: NTLM " + AnsiToString(GetNtlmMessage1("", ""));
  if (authNtlmState_ == 3) {
    String workstation;
    try {
      workstation = MachineHostName();
    } catch (Exception&) {
    }
    return L"Authorization: NTLM " + AnsiToString(GetNtlmMessage3("", StringToAnsi(workstation), StringToAnsi(currentUsername_),
                                                           StringToAnsi(currentPassword_), ntlmChallenge_.ChallengeBytes));
  }
  if (authBasicState_ == 1)
    return L"Authorization: Basic " + AnsiToString(Base64EncodeText(StringToAnsi(currentUsername_ + L":" + currentPassword_)));
  return {};
}

String THttpCli::ProxyAuthorizationLine() const {
  if (proxyAuthNtlmState_ == 1) return L"Proxy-Authorization: NTLM " + AnsiToString(GetNtlmMessage1("", ""));
  if (proxyAuthNtlmState_ == 3) {
    String workstation;
    try {
      workstation = MachineHostName();
    } catch (Exception&) {
    }
    return L"Proxy-Authorization: NTLM " + AnsiToString(GetNtlmMessage3("", StringToAnsi(workstation), StringToAnsi(ProxyUsername),
                                                                 StringToAnsi(ProxyPassword), proxyNtlmChallenge_.ChallengeBytes));
  }
  if (proxyAuthBasicState_ == 1)
    return L"Proxy-Authorization: Basic " + AnsiToString(Base64EncodeText(StringToAnsi(ProxyUsername + L":" + ProxyPassword)));
  return {};
}

void THttpCli::BuildRequestHeader(const String& Method, const String& Version, TStrings& Headers) {
  const bool posting = requestType_ == httpPOST || requestType_ == httpPUT;
  Headers.Add(Method + L" " + path_ + L" HTTP/" + Version);
  if (!Sender.empty()) Headers.Add(L"From: " + Sender);
  if (!Accept.empty()) Headers.Add(L"Accept: " + Accept);
  if (!Reference.empty()) Headers.Add(L"Referer: " + Reference);
  if (!currentConnection_.empty()) Headers.Add(L"Connection: " + currentConnection_);
  if (!AcceptLanguage.empty()) Headers.Add(L"Accept-Language: " + AcceptLanguage);
  const String codings = contentCoding_->HeaderText();
  if (!codings.empty() && requestType_ != httpHEAD) Headers.Add(L"Accept-Encoding: " + codings);
  if (posting && !ContentTypePost.empty()) Headers.Add(L"Content-Type: " + ContentTypePost);
  if (!Agent.empty()) Headers.Add(L"User-Agent: " + Agent);
  if (!targetPort_.empty() && targetPort_ != L"80") Headers.Add(L"Host: " + targetHost_ + L":" + targetPort_);
  else Headers.Add(L"Host: " + targetHost_);
  if (NoCache) Headers.Add(L"Pragma: no-cache");
  if (!currentProxyConnection_.empty()) Headers.Add(L"Proxy-Connection: " + currentProxyConnection_);
  if (posting) {
    if (authNtlmState_ == 1 || proxyAuthNtlmState_ == 1) Headers.Add(L"Content-Length: 0");
    else Headers.Add(L"Content-Length: " + IntToStr(RequestBodyStream->Size() - RequestBodyStream->Position()));
  }
  if (ModifiedSince != 0) Headers.Add(L"If-Modified-Since: " + FormatHttpDate(ModifiedSince) + L" GMT");
  const String authorization = AuthorizationLine();
  if (!authorization.empty()) Headers.Add(authorization);
  const String proxyAuthorization = ProxyAuthorizationLine();
  if (!proxyAuthorization.empty()) Headers.Add(proxyAuthorization);
  if (!Cookie.empty()) Headers.Add(L"Cookie: " + Cookie);
  if (!ContentRangeBegin.empty() || !ContentRangeEnd.empty()) {
    Headers.Add(L"Range: bytes=" + ContentRangeBegin + L"-" + ContentRangeEnd);
    ContentRangeBegin.clear();
    ContentRangeEnd.clear();
  }
}

void THttpCli::StartBandwidthControl() {
  if (!bandwidthTimer_) bandwidthTimer_ = new TIcsTimer(this);
  bandwidthTimer_->SetEnabled(false);
  bandwidthTimer_->SetInterval(static_cast<Cardinal>(BandwidthSampling));
  bandwidthTimer_->SetOnTimer({this, &THttpCli::BandwidthTick});
  bandwidthTimer_->SetEnabled(true);
  bandwidthMaxCount_ = static_cast<Int64>(BandwidthLimit) * BandwidthSampling / 1000;
  bandwidthPaused_ = false;
  socket_->ComponentOptions.Include(wsoNoReceiveLoop);
}

void THttpCli::SendRequest(const String& Method, const String& Version) {
  bandwidthCount_ = 0;
  if (bandwidthControl_) StartBandwidthControl();
  requestHeader_->Clear();
  FireRequestHeaderBegin();
  try {
    TStringList headers;
    BuildRequestHeader(Method, Version, headers);
    acceptRanges_.clear();
    if (IsLogOptionOn(loProtSpecInfo))
      WriteLog(loProtSpecInfo, IntToStr(headers.Count()) + L" header lines to send\r\n" + headers.Text());
    FireBeforeHeaderSend(Method, headers);
    for (int i = 0; i < headers.Count(); ++i) SendHeaderLine(headers[i]);
    FireRequestHeaderEnd();
    SendHeaderLine(String());
    socket_->QueueData(requestHeader_->Memory(), static_cast<int>(requestHeader_->Size()));
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
    const AnsiString bytes = StringToAnsi(text);
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
