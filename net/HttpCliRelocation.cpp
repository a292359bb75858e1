// THttpCli: "Location:" headers and the relocations they start, on the kept connection or after
// the close.

#include "net/HttpCli.h"

#include <algorithm>
#include <cstring>

#include "net/HttpPaths.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"

namespace {

bool StartsText(const String& prefix, const String& text) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

}  // namespace

void THttpCli::ProcessLocation(const String& Value) {
  if (requestType_ == httpPUT) {
    location_ = Value;
    return;
  }
  if (!FollowRelocation) return;
  locationPending_ = true;
  const bool absolute = StartsText(L"http://", Value) || StartsText(L"https://", Value);
  if (Proxy.empty()) ProcessDirectLocation(Value, absolute);
  else ProcessProxyLocation(Value, absolute);
}

void THttpCli::TakeLocationCredentials(const THttpUrlParts& Url) {
  if (Url.User.empty() || Url.Pass.empty()) return;
  currentUsername_ = Url.User;
  currentPassword_ = Url.Pass;
}

// Through a proxy the request path is a whole URL.
namespace {
// "host" or "host:port": through a proxy the request line carries the port the location named.
String HostWithPort(const THttpUrlParts& url) { return url.Port.empty() ? url.Host : url.Host + L":" + url.Port; }
}  // namespace

void THttpCli::ProcessProxyLocation(const String& Value, bool Absolute) {
  if (!Value.empty() && Value[0] == L'/') {
    const THttpUrlParts current = ParseHttpUrl(path_);
    location_ = (current.Proto.empty() ? String(L"http") : current.Proto) + L"://" + HostWithPort(current) + Value;
    path_ = location_;
    TakeLocationCredentials(current);
  } else if (!Absolute) {
    path_ = PathBase(path_) + Value;
    location_ = path_;
  } else {
    const THttpUrlParts url = ParseHttpUrl(Value);
    port_ = url.Port.empty() ? String(L"80") : url.Port;
    TakeLocationCredentials(url);
    if (!url.Proto.empty() && !url.Host.empty()) {
      targetHost_ = url.Host;
      location_ = url.Proto + L"://" + HostWithPort(url) + url.Path;
      path_ = location_;
    }
  }
}

void THttpCli::ProcessDirectLocation(const String& Value, bool Absolute) {
  if (!Value.empty() && Value[0] == L'/') {
    path_ = Value;
    location_ = L"http://" + hostName_ + Value;
    return;
  }
  if (!Absolute) {
    path_ = PathBase(path_) + Value;
    location_ = L"http://" + hostName_ + path_;
    return;
  }
  const THttpUrlParts url = ParseHttpUrl(Value);
  protocol_ = url.Proto;
  TakeLocationCredentials(url);
  path_ = url.Path.empty() ? String(L"/") : url.Path;
  if (url.Host.empty()) {
    // A scheme without a host: the same server, the value's path.
    location_ = url.Proto + L"://" + targetHost_ + path_;
    return;
  }
  hostName_ = url.Host;
  port_ = url.Port.empty() ? String(L"80") : url.Port;
  targetHost_ = url.Host;
  targetPort_ = port_;  // "Host:" names the new server's port
  location_ = url.Proto + L"://" + url.Host + url.Path;
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
  docName_ = ParseHttpUrl(target, path_).Path;
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
  // The next response is counted from zero, or its length would never be reached.
  ForgetReceivedResponse();
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
