#pragma once
// Hidden message windows shared by the internet components. A handler window serves up to 100
// message numbers (1025 to 1124), each owned by one control; every thread has its own list of
// handler windows. Controls post messages to themselves to defer work; each such message carries
// the control's generation in lParam, so a message posted by a control that has since died is
// dropped instead of reaching the next owner of the same number.

#include <vector>

#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Events.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/classes/Lists.h"
#include "platform/framework/classes/Thread.h"
#include "platform/framework/base/Win32.h"

FRAMEWORK_EXCEPTION(EIcsException, Exception);

struct TIcsMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

class TIcsWndControl;
class TIcsWndHandlerList;

// One hidden window and its message map.
class TIcsWndHandler : public TObject {
  DECLARE_CLASS(TIcsWndHandler, TObject)
 public:
  static constexpr int kMessageCount = 100;
  static constexpr UINT kFirstMessage = WM_USER + 1;

  explicit TIcsWndHandler(TIcsWndHandlerList* List);
  ~TIcsWndHandler() override;

  UINT AllocateMessageNumber(TIcsWndControl* Control);
  // 0 does nothing; a released number is set to 0.
  void ReleaseMessageNumber(UINT& Msg);
  int FreeCount() const { return kMessageCount - MsgCount; }
  HWND Handle() const { return Handle_; }

  void CreateHandlerWindow();
  void DestroyHandlerWindow();
  void RouteMessage(TIcsMessage& Msg);

  UINT MsgLow = kFirstMessage;
  int MsgCount = 0;
  TIcsWndControl* MsgMap[kMessageCount + 1] = {};
  TIcsWndHandlerList* List;

 private:
  HWND Handle_ = nullptr;
};

// The handler windows of one thread, in creation order.
class TIcsWndHandlerList : public TList {
  DECLARE_CLASS(TIcsWndHandlerList, TList)
 public:
  explicit TIcsWndHandlerList(DWORD AThreadId) : ThreadId(AThreadId) {}
  TIcsWndHandler* Handlers(int Index) const { return static_cast<TIcsWndHandler*>(Items(Index)); }
  DWORD ThreadId;
};

class TIcsWndHandlerPool : public TObject {
  DECLARE_CLASS(TIcsWndHandlerPool, TObject)
 public:
  TIcsWndHandlerPool() = default;
  ~TIcsWndHandlerPool() override;
  // A handler of that thread with at least Count free numbers; a new one when none has.
  TIcsWndHandler* HandlerFor(int Count, DWORD ThreadId);
  void ReleaseHandler(TIcsWndHandler*& Handler);
  void Lock() { lock_.Acquire(); }
  void Unlock() { lock_.Release(); }
  // Handler lists alive (one per thread with controls).
  int ListCount() const { return static_cast<int>(lists_.size()); }

 private:
  std::vector<TIcsWndHandlerList*> lists_;
  TCriticalSection lock_;
};

TIcsWndHandlerPool& HandlerPool();
// Live handler windows of the process.
int HandlerWindowCount();
// True while the hidden window class is registered.
bool IcsWindowClassRegistered();

using TIcsBgExceptionEvent = TEvent<void(TObject* Sender, Exception& E, bool& CanClose)>;

class TIcsWndControl : public TComponent {
  DECLARE_CLASS(TIcsWndControl, TComponent)
 public:
  explicit TIcsWndControl(TComponent* AOwner);
  ~TIcsWndControl() override;

  HWND Handle();
  HWND WindowHandle() const { return WindowHandle_; }
  DWORD OwnerThreadId() const { return OwnerThreadId_; }
  bool QuitSeen() const { return QuitSeen_; }
  TIcsWndHandler* WndHandler() const { return handler_; }
  UINT ReleaseMessage() const { return releaseMsg_; }

  TIcsBgExceptionEvent OnBgException;

  virtual void DisposeWindow(bool Disposing);
  virtual void HandleTimerMessage(TIcsMessage& Msg);
  virtual void HandlePrivateMessage(TIcsMessage& Msg);
  virtual void HandleEventException(Exception& E);
  virtual void FireBgException(Exception& E, bool& CanClose);
  virtual void HandleReleaseMessage();
  virtual void AllocateWindow();
  virtual void DeallocateWindow();
  virtual int MessageCountNeeded() const { return 1; }
  virtual void AllocateMessages();
  virtual void FreeMessages();
  virtual void AbortAfterException() {}
  // Frees the control from the message loop.
  virtual void ReleaseLater();
  virtual void AttachToThread();
  virtual void DetachFromThread();
  virtual int RunMessageLoop();
  virtual bool ProcessOneMessage();
  virtual void ProcessPendingMessages();
  // The application's message processing (this thread's pending messages without one).
  virtual void PumpMessages();

  // Posts Msg to this control's window, tagged with its current generation in lParam.
  bool PostSelfMessage(UINT Msg, WPARAM WParam = 0);
  // True when a self-posted message belongs to this control's current registration.
  bool IsCurrentGeneration(const TIcsMessage& Msg) const;
  LPARAM Generation() const { return generation_; }

 protected:
  // Takes the next free number of the handler window for this control; freed by FreeMessages.
  UINT TakeMessageNumber();

 private:
  bool windowReleased_ = false;
  HWND WindowHandle_ = nullptr;
  DWORD OwnerThreadId_ = 0;
  bool QuitSeen_ = false;
  TIcsWndHandler* handler_ = nullptr;
  UINT releaseMsg_ = 0;
  LPARAM generation_ = 0;
  std::vector<UINT> numbers_;
};
