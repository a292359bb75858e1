#include "net/IcsBuffer.h"

#include <algorithm>
#include <cstring>

#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TIcsBuffer)
DEFINE_CLASS(TIcsBufferLinkedList)
DEFINE_CLASS(TIcsBufferHandler)

TIcsBuffer::TIcsBuffer(int ASize) : Size(ASize > 0 ? ASize : kDefaultIcsBufSize) {
  Data.resize(static_cast<std::size_t>(Size));
}

int TIcsBuffer::Write(const void* Source, int Offset, int Count) {
  int copied = std::min(Count, Size - WrittenCount);
  if (copied <= 0) return 0;
  std::memcpy(Data.data() + WrittenCount, static_cast<const Byte*>(Source) + Offset,
              static_cast<std::size_t>(copied));
  WrittenCount += copied;
  return copied;
}

int TIcsBuffer::Peek(const Byte*& Ptr) const {
  int unread = UnreadCount();
  if (unread > 0) Ptr = Data.data() + ConsumedCount;
  return unread;
}

int TIcsBuffer::Remove(int Count) {
  int removed = std::min(std::max(Count, 0), UnreadCount());
  ConsumedCount += removed;
  if (ConsumedCount >= WrittenCount) Reset();
  return removed;
}

TIcsBufferLinkedList::~TIcsBufferLinkedList() {
  while (TIcsBuffer* buffer = TakeHead()) delete buffer;
}

void TIcsBufferLinkedList::AddToHead(TIcsBuffer* Buffer) {
  Buffer->Prev = nullptr;
  Buffer->Next = Head;
  if (Head) Head->Prev = Buffer;
  else Tail = Buffer;
  Head = Buffer;
}

void TIcsBufferLinkedList::AddToTail(TIcsBuffer* Buffer) {
  Buffer->Next = nullptr;
  Buffer->Prev = Tail;
  if (Tail) Tail->Next = Buffer;
  else Head = Buffer;
  Tail = Buffer;
}

TIcsBuffer* TIcsBufferLinkedList::TakeHead() {
  TIcsBuffer* buffer = Head;
  if (!buffer) return nullptr;
  Head = buffer->Next;
  if (Head) Head->Prev = nullptr;
  else Tail = nullptr;
  buffer->Next = buffer->Prev = nullptr;
  return buffer;
}

TIcsBufferHandler::TIcsBufferHandler(TComponent* AOwner) : TComponent(AOwner) {}

TIcsBufferHandler::~TIcsBufferHandler() = default;

TIcsBuffer* TIcsBufferHandler::NewTailBuffer() {
  TIcsBuffer* buffer = free_.TakeHead();
  if (!buffer) buffer = new TIcsBuffer(BufSize);
  inUse_.AddToTail(buffer);
  return buffer;
}

void TIcsBufferHandler::Write(const void* Source, int Len) {
  if (Len <= 0) return;
  TIcsBuffer* buffer = inUse_.Tail ? inUse_.Tail : NewTailBuffer();
  int done = buffer->Write(Source, 0, Len);
  while (done < Len) {
    buffer = NewTailBuffer();
    done += buffer->Write(Source, done, Len - done);
  }
}

int TIcsBufferHandler::Peek(const Byte*& Ptr) const {
  return inUse_.Head ? inUse_.Head->Peek(Ptr) : 0;
}

void TIcsBufferHandler::Remove(int Len) {
  if (Len < 0) throw Exception(L"TIcsBufferHandler.Remove: Invalid Len " + IntToStr(Len));
  if (!inUse_.Head) throw Exception(L"TIcsBufferHandler.Remove: nothing to remove");
  TIcsBuffer* head = inUse_.Head;
  head->Remove(Len);
  if (head->UnreadCount() == 0) free_.AddToHead(inUse_.TakeHead());
}

bool TIcsBufferHandler::ChainEmpty() const { return !inUse_.Head || inUse_.Head->UnreadCount() == 0; }

void TIcsBufferHandler::DiscardAll() {
  while (TIcsBuffer* buffer = inUse_.TakeHead()) {
    buffer->Reset();
    free_.AddToHead(buffer);
  }
}
