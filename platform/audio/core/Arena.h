#pragma once
// Fixed-size slots carved from large chunks and recycled through a free list, so block storage is
// touched once and reused instead of going back and forth to the system allocator. Natively the
// chunks ask for transparent huge pages, which makes the first touch of a large document far cheaper.

#include <cstddef>
#include <mutex>
#include <vector>

class Arena {
 public:
  explicit Arena(std::size_t slotBytes, std::size_t chunkBytes = 64u << 20);
  ~Arena();
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;

  std::size_t SlotBytes() const { return slotBytes_; }
  void* Allocate();
  void Release(void* slot);
  // Slots currently handed out.
  std::size_t SlotsInUse() const;

 private:
  void AddChunk();

  const std::size_t slotBytes_;
  const std::size_t chunkBytes_;
  mutable std::mutex mutex_;
  std::vector<void*> chunks_;
  std::vector<void*> free_;
  std::size_t inUse_ = 0;
};
