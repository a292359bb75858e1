#pragma once
// The send chain: data a socket has to send, kept in fixed-size blocks until Winsock takes it.
// Drained blocks go to a free list for reuse. Not safe on its own: users bracket every call with
// Lock/Unlock.

#include <vector>

#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Thread.h"

constexpr int kDefaultIcsBufSize = 1460;

// One block filled once and drained once.
class TIcsBuffer : public TObject {
  DECLARE_CLASS(TIcsBuffer, TObject)
 public:
  // A size of 0 or less means 1460.
  explicit TIcsBuffer(int Size);

  // Copies what fits of Source[Offset..Offset+Count) behind the written bytes; the count copied.
  int Write(const void* Source, int Offset, int Count);
  // The unread count; when positive, Ptr points at the first unread byte.
  int Peek(const Byte*& Ptr) const;
  // Takes up to Count bytes from the front; a drained block is ready to be filled again.
  int Remove(int Count);
  int UnreadCount() const { return WrittenCount - ConsumedCount; }
  void Reset() { WrittenCount = ConsumedCount = 0; }

  std::vector<Byte> Data;
  int Size = 0;
  int WrittenCount = 0;
  int ConsumedCount = 0;
  TIcsBuffer* Next = nullptr;
  TIcsBuffer* Prev = nullptr;
};

// Doubly linked list of blocks; owns them.
class TIcsBufferLinkedList : public TObject {
  DECLARE_CLASS(TIcsBufferLinkedList, TObject)
 public:
  TIcsBufferLinkedList() = default;
  ~TIcsBufferLinkedList() override;
  void AddToHead(TIcsBuffer* Buffer);
  void AddToTail(TIcsBuffer* Buffer);
  // Unlinks and returns the head; null when empty.
  TIcsBuffer* TakeHead();
  TIcsBuffer* Head = nullptr;
  TIcsBuffer* Tail = nullptr;
};

class TIcsBufferHandler : public TComponent {
  DECLARE_CLASS(TIcsBufferHandler, TComponent)
 public:
  explicit TIcsBufferHandler(TComponent* AOwner);
  ~TIcsBufferHandler() override;

  // Size of the blocks created from now on.
  int BufSize = kDefaultIcsBufSize;

  void Lock() { lock_.Acquire(); }
  void Unlock() { lock_.Release(); }

  // Appends Len bytes at the end of the chain.
  void Write(const void* Source, int Len);
  // The unread bytes of the first block only; 0 when the chain is empty.
  int Peek(const Byte*& Ptr) const;
  // Removes up to Len bytes from the first block; a drained first block goes to the free list.
  // Raises Exception for a negative Len or an empty chain.
  void Remove(int Len);
  bool ChainEmpty() const;
  // Every block to the free list, emptied.
  void DiscardAll();

  const TIcsBufferLinkedList& InUse() const { return inUse_; }
  const TIcsBufferLinkedList& FreeList() const { return free_; }

 private:
  TIcsBuffer* NewTailBuffer();

  TIcsBufferLinkedList inUse_;
  TIcsBufferLinkedList free_;
  TCriticalSection lock_;
};
