// THttpCli: the authentication bookkeeping that runs on entering httpReady (Basic and NTLM, server
// and proxy), and the steps that restart a request with new authorization lines.

#include "net/HttpCli.h"

#include <algorithm>
#include <cstring>

#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"

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
      ntlmChallenge_ = GetNtlmMessage2Info(StringToAnsi(challenge.size() > 5 ? challenge.substr(5, 1000) : String()));
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
      proxyNtlmChallenge_ = GetNtlmMessage2Info(StringToAnsi(challenge.size() > 5 ? challenge.substr(5, 1000) : String()));
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
