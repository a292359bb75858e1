// THttpCli: the response: the receive buffer, the header lines and the body (by length, chunked or up
// to the close) on its way to the decoders and the receive stream.

#include "net/HttpCli.h"

#include <algorithm>
#include <cstring>

#include "net/HttpPaths.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"

namespace {

// The code of a failed write's exception when it carries one that fits a completion code.
Word WriteErrorCode(const Exception& E, Word Fallback) {
  unsigned long code = 0;
  if (auto* os = dynamic_cast<const EOSError*>(&E)) code = os->ErrorCode;
  else if (auto* io = dynamic_cast<const EInOutError*>(&E)) code = static_cast<unsigned long>(std::max(io->ErrorCode, 0));
  return code > 0 && code <= 0xFFFF ? static_cast<Word>(code) : Fallback;
}

bool IsNoBodyStatus(int status) {
  return status < 200 || status == 204 || status == 301 || status == 302 || status == 304 || status == 401 ||
         status == 407;
}

}  // namespace

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
    if (IsLogOptionOn(loProtSpecDump)) WriteLog(loProtSpecDump, L">|" + AnsiToString(lastResponse_) + L"|");
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
  const String line = AnsiToString(Line);

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
  responseVersion_ = AnsiToString(Line.substr(5, 3));
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
  reasonPhrase_ = start + 4 < Line.size() ? AnsiToString(Line.substr(start + 4)) : String();
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
  const bool tracing = IsLogOptionOn(loProtSpecInfo);  // no text is built per piece otherwise
  if (tracing) WriteLog(loProtSpecInfo, L"GetBodyLineNext begin");
  if (firstBodyPiece_) {
    firstBodyPiece_ = false;
    chunked_ = transferEncoding_ == L"chunked";
    chunk_.Reset();
    FireDocBegin();
    contentCoding_->Prepare(contentEncoding_);
    docStartSize_ = ReceiveStream ? ReceiveStream->Size() : 0;
  }
  if (tracing) WriteLog(loProtSpecInfo, L"GetBodyLineNext FBodyDataLen=" + IntToStr(Len));
  if (!chunked_) {
    if (Len > 0) DeliverBody(Data, Len);
    if (receivedCount_ == contentLength_) FinishDocument();
  } else {
    while (Len > 0 && !chunk_.Done() && !chunk_.Failed()) {
      const char* part = nullptr;
      int partLen = 0;
      const int used = chunk_.Feed(Data, Len, part, partLen);
      if (chunk_.TakeSizeRead() && tracing)
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
  if (tracing) WriteLog(loProtSpecInfo, L"GetBodyLineNext end");
}

void THttpCli::DeliverBody(const char* Data, int Len) {
  try {
    contentCoding_->WriteBuffer(Data, Len);
  } catch (Exception& E) {
    DocumentWriteFailed(E);
    throw;  // ends this delivery; the connection is already gone
  }
  receivedCount_ += Len;
}

void THttpCli::CompleteDecoders() {
  try {
    contentCoding_->Complete();
  } catch (Exception& E) {
    DocumentWriteFailed(E);
    throw;
  }
}

void THttpCli::DocumentWriteFailed(const Exception& E) {
  WriteLog(loProtSpecErr, L"Document write failed: " + E.Message());
  ClearReceiveBuffer();
  requestDoneError_ = WriteErrorCode(E, kConnectionAborted);
  socket_->Abort();
}

void THttpCli::FinishDocument() {
  WriteLog(loProtSpecInfo, L"End of document");
  bodyLineCount_ = 0;
  nextLine_ = nlNone;
  ChangeState(httpBodyReceived);
  StopBandwidthTimer();
  CompleteDecoders();
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
  CompleteDecoders();
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
