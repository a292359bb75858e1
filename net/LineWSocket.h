#pragma once
// Line mode: received bytes are gathered and handed to OnDataAvailable one complete line at a
// time, with an optional length limit and optional terminal-style echo and editing.
//
// A data handler that takes nothing of the pending line ends the delivery; the line stays pending
// (PendingByteCount and Receive still hand it out) and is offered again on the next notification
// or mode change, so a handler that never reads cannot hold the message loop.

#include <functional>
#include <vector>

#include "net/SocksWSocket.h"

using TLineLimitEvent = TEvent<void(TObject* Sender, int RcvdLength, bool& ClearData)>;

class TCustomLineWSocket : public TCustomSocksWSocket {
  DECLARE_CLASS(TCustomLineWSocket, TCustomSocksWSocket)
 public:
  explicit TCustomLineWSocket(TComponent* AOwner);
  TCustomLineWSocket(TComponent* AOwner, TWinsockBinding& Winsock);

  bool LineMode() const { return lineMode_; }
  virtual void SetLineMode(bool Value);
  AnsiString LineEnd = "\r\n";
  int LineLimit = 65536;
  bool LineEcho = false;
  bool LineEdit = false;
  TLineLimitEvent OnLineLimitExceeded;

  // Bytes gathered and not yet handed out; the pending line's length (0 when none).
  int LineBufferCount() const { return lineCount_; }
  int LineLength() const { return lineLength_; }

  int PendingByteCount() override;
  // Queues the text and sends LineEnd behind it; an empty text sends nothing.
  virtual int SendTextLine(const AnsiString& Text);
  void HandlePrivateMessage(TIcsMessage& Msg) override;

 protected:
  virtual void FireLineLimitExceeded(int Length, bool& ClearData);
  virtual void ApplyLineEdit(int& Len);
  bool HandleDataAvailable(Word Error) override;
  void HandleSessionClosed(Word Error) override;
  int ReceiveData(void* Buffer, int Len, int Flags) override;
  virtual void DeliverBufferedData();

 private:
  void EnsureCapacity(std::size_t size);
  // Takes count bytes from the front of the gathered bytes into target.
  void TakeFront(void* target, int count);
  void DeliverLines(int searchStart);
  void DeliverPlain();
  void DropGathered();

  std::vector<char> buffer_;
  int lineCount_ = 0;
  bool lineMode_ = false;
  int lineLength_ = 0;
  bool lineFound_ = false;
  bool lineClearData_ = false;
};

class TCustomSyncWSocket : public TCustomLineWSocket {
  DECLARE_CLASS(TCustomSyncWSocket, TCustomLineWSocket)
 public:
  using TCustomLineWSocket::TCustomLineWSocket;

  // Pumps messages until Done; 12001 when the application or this thread's loop is ending, or the
  // wait limit (none unless WaitTimeout is positive) has passed.
  virtual int WaitUntilDone(bool& Done);
  virtual int RunAndWait(bool& Done, const std::function<void()>& Proc);

  DWORD WaitTimeout = 0;

 private:
  DWORD waitDeadline_ = 0;
};

// The socket users create. TWSocket runs on the suite's Winsock binding.
class TWSocket : public TCustomSyncWSocket {
  DECLARE_CLASS(TWSocket, TCustomSyncWSocket)
 public:
  explicit TWSocket(TComponent* AOwner) : TCustomSyncWSocket(AOwner, SuiteWinsock()) {}

 protected:
  TWSocket(TComponent* AOwner, TWinsockBinding& Winsock) : TCustomSyncWSocket(AOwner, Winsock) {}
};

// The same socket on the CD database client's own Winsock binding.
class TCddbWSocket : public TWSocket {
  DECLARE_CLASS(TCddbWSocket, TWSocket)
 public:
  explicit TCddbWSocket(TComponent* AOwner) : TWSocket(AOwner, CddbWinsock()) {}
};
