#include "net/LineWSocket.h"

#include <algorithm>
#include <cstring>

#include "platform/framework/windows/Forms.h"

DEFINE_CLASS(TCustomLineWSocket)
DEFINE_CLASS(TCustomSyncWSocket)
DEFINE_CLASS(TWSocket)
DEFINE_CLASS(TCddbWSocket)

TCustomLineWSocket::TCustomLineWSocket(TComponent* AOwner) : TCustomLineWSocket(AOwner, SuiteWinsock()) {}

TCustomLineWSocket::TCustomLineWSocket(TComponent* AOwner, TWinsockBinding& Winsock)
    : TCustomSocksWSocket(AOwner, Winsock) {}

void TCustomLineWSocket::SetLineMode(bool Value) {
  if (Value == lineMode_) return;
  lineMode_ = Value;
  // Whatever is unread stays in front; outside line mode there is no pending line.
  if (!Value) lineLength_ = 0;
  if (lineCount_ > 0) PostSelfMessage(BufferedDataMessage());
}

void TCustomLineWSocket::HandlePrivateMessage(TIcsMessage& Msg) {
  if (Msg.Msg != BufferedDataMessage()) return TCustomSocksWSocket::HandlePrivateMessage(Msg);
  if (!IsCurrentGeneration(Msg)) return;
  try {
    DeliverBufferedData();
  } catch (Exception& E) {
    HandleEventException(E);
  }
}

void TCustomLineWSocket::DeliverBufferedData() {
  for (int pass = 1; lineCount_ > 0; ++pass) {
    const int before = lineCount_;
    lineFound_ = false;
    HandleDataAvailable(0);
    if (lineCount_ == 0) break;
    if (pass >= 4 && lineMode_ && !lineFound_) break;
    // Nobody took anything: the bytes wait for the next notification.
    if (lineCount_ == before) break;
  }
}

int TCustomLineWSocket::PendingByteCount() {
  if (lineMode_) return lineLength_;
  return TCustomSocksWSocket::PendingByteCount();
}

void TCustomLineWSocket::TakeFront(void* target, int count) {
  std::memcpy(target, buffer_.data(), static_cast<std::size_t>(count));
  std::memmove(buffer_.data(), buffer_.data() + count, static_cast<std::size_t>(lineCount_ - count));
  lineCount_ -= count;
  buffer_[static_cast<std::size_t>(lineCount_)] = 0;
}

int TCustomLineWSocket::ReceiveData(void* Buffer, int Len, int Flags) {
  if (lineMode_ && lineLength_ > 0) {
    int count = std::max(0, std::min(Len, lineLength_));
    TakeFront(Buffer, count);
    lineLength_ -= count;
    return count;
  }
  if (!lineMode_ && lineCount_ > 0) {
    int count = std::max(0, std::min(Len, lineCount_));
    TakeFront(Buffer, count);
    return count;
  }
  return TCustomSocksWSocket::ReceiveData(Buffer, Len, Flags);
}

int TCustomLineWSocket::SendTextLine(const AnsiString& Text) {
  if (Text.empty()) return 0;
  QueueText(Text);
  SendText(LineEnd);
  return static_cast<int>(Text.size() + LineEnd.size());
}

void TCustomLineWSocket::FireLineLimitExceeded(int Length, bool& ClearData) {
  if (OnLineLimitExceeded) OnLineLimitExceeded(this, Length, ClearData);
}

void TCustomLineWSocket::EnsureCapacity(std::size_t size) {
  if (buffer_.size() < size) buffer_.resize(size);
}

void TCustomLineWSocket::DropGathered() {
  lineLength_ = 0;
  lineCount_ = 0;
  if (!buffer_.empty()) buffer_[0] = 0;
}

bool TCustomLineWSocket::HandleDataAvailable(Word Error) {
  if (!lineMode_ || LineEnd.empty() || SocksPhase() != 0) return TCustomSocksWSocket::HandleDataAvailable(Error);
  int n = TCustomSocksWSocket::PendingByteCount();
  if (n < 0) return true;
  if (n == 0) n = 255;
  EnsureCapacity(static_cast<std::size_t>(lineCount_ + n + 1));
  // Straight from the layer below: a pending line must not be handed out here.
  int got = TCustomSocksWSocket::ReceiveData(buffer_.data() + lineCount_, n, 0);
  if (got < 0) LastError = ws_.WSAGetLastError();
  else ReceivedTotal += got;
  if (got <= 0) {
    if (lineCount_ == 0) return true;
    got = 0;
  } else if (LineEdit) {
    ApplyLineEdit(got);
  } else if (LineEcho) {
    Send(buffer_.data() + lineCount_, got);
  }
  const int searchStart = std::max(0, lineCount_ - static_cast<int>(LineEnd.size()));
  lineCount_ += got;
  buffer_[static_cast<std::size_t>(lineCount_)] = 0;
  DeliverLines(searchStart);
  return true;
}

void TCustomLineWSocket::DeliverLines(int searchStart) {
  while (lineMode_) {
    if (lineLength_ == 0) {
      auto begin = buffer_.begin() + searchStart;
      auto end = buffer_.begin() + lineCount_;
      auto found = std::search(begin, end, LineEnd.begin(), LineEnd.end());
      if (found == end) {
        if (LineLimit > 0 && lineCount_ > LineLimit) {
          lineClearData_ = true;
          FireLineLimitExceeded(lineCount_, lineClearData_);
          if (lineClearData_) {
            DropGathered();
            lineClearData_ = false;
          }
        }
        return;
      }
      lineLength_ = static_cast<int>(found - buffer_.begin()) + static_cast<int>(LineEnd.size());
      lineFound_ = true;
    }
    if (!OnDataAvailable) {
      std::vector<char> dropped(static_cast<std::size_t>(lineLength_));
      TakeFront(dropped.data(), lineLength_);
      lineLength_ = 0;
    }
    while (lineMode_ && lineLength_ > 0) {
      const int before = lineLength_;
      OnDataAvailable(this, 0);
      if (lineLength_ == before) return;  // not taken: stays pending
    }
    searchStart = 0;
    if (!lineMode_) DeliverPlain();
  }
}

void TCustomLineWSocket::DeliverPlain() {
  while (!lineMode_ && lineCount_ > 0 && OnDataAvailable) {
    const int before = lineCount_;
    OnDataAvailable(this, 0);
    if (lineCount_ == before) return;
  }
}

void TCustomLineWSocket::HandleSessionClosed(Word Error) {
  if (!buffer_.empty()) {
    if (lineMode_ && lineCount_ > 0) {
      // The unterminated rest is the last line: offered while the handler takes from it, then
      // dropped with the buffer.
      lineLength_ = lineCount_;
      while (OnDataAvailable && lineMode_ && lineLength_ > 0) {
        const int before = lineLength_;
        OnDataAvailable(this, 0);
        if (lineLength_ == before) break;
      }
    }
    buffer_.clear();
    buffer_.shrink_to_fit();
    lineCount_ = 0;
    lineLength_ = 0;
  }
  TCustomSocksWSocket::HandleSessionClosed(Error);
}

void TCustomLineWSocket::ApplyLineEdit(int& Len) {
  const int start = lineCount_;
  const char* fresh = buffer_.data() + start;
  bool edited = false;
  for (int i = 0; i < Len && !edited; ++i) edited = fresh[i] == 8 || fresh[i] == 9;
  if (!edited) {
    if (LineEcho)
      for (int i = 0; i < Len; ++i) Send(fresh + i, 1);
    return;
  }
  AnsiString result(buffer_.data(), static_cast<std::size_t>(start));
  AnsiString incoming(fresh, static_cast<std::size_t>(Len));
  std::size_t lowest = static_cast<std::size_t>(start);
  for (char c : incoming) {
    if (c == 8) {
      if (LineEcho && !result.empty()) SendText("\b \b");
      if (!result.empty()) result.pop_back();
      lowest = std::min(lowest, result.size());
    } else if (c == 9) {
      std::size_t blanks = 8 - result.size() % 8;
      for (std::size_t b = 0; b < blanks; ++b) {
        if (LineEcho) SendText(" ");
        result += ' ';
      }
    } else {
      if (LineEcho) Send(&c, 1);
      result += c;
    }
  }
  EnsureCapacity(result.size() + 1);
  std::memcpy(buffer_.data(), result.data(), result.size());
  buffer_[result.size()] = 0;
  lineCount_ = static_cast<int>(lowest);
  Len = static_cast<int>(result.size() - lowest);
}

int TCustomSyncWSocket::WaitUntilDone(bool& Done) {
  waitDeadline_ = GetTickCount() + WaitTimeout;
  while (!Done) {
    if (WaitTimeout > 0 && static_cast<LONG>(GetTickCount() - waitDeadline_) > 0) return 12001;
    if ((Application && Application->Terminated()) || QuitSeen()) return 12001;
    PumpMessages();
    Sleep(0);
  }
  return 0;
}

int TCustomSyncWSocket::RunAndWait(bool& Done, const std::function<void()>& Proc) {
  Done = false;
  if (Proc) Proc();
  return WaitUntilDone(Done);
}
