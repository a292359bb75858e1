#include "platform/audio/core/Arena.h"

#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

void* AllocateChunk(std::size_t bytes) {
#if defined(__linux__)
  void* chunk = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (chunk == MAP_FAILED) throw std::bad_alloc();
  ::madvise(chunk, bytes, MADV_HUGEPAGE);
  return chunk;
#else
  return ::operator new(bytes, std::align_val_t{4096});
#endif
}

void FreeChunk(void* chunk, std::size_t bytes) {
#if defined(__linux__)
  ::munmap(chunk, bytes);
#else
  (void)bytes;
  ::operator delete(chunk, std::align_val_t{4096});
#endif
}

}  // namespace

Arena::Arena(std::size_t slotBytes, std::size_t chunkBytes)
    : slotBytes_(slotBytes), chunkBytes_(chunkBytes < slotBytes ? slotBytes : chunkBytes / slotBytes * slotBytes) {}

Arena::~Arena() {
  for (void* chunk : chunks_) FreeChunk(chunk, chunkBytes_);
}

void Arena::AddChunk() {
  char* chunk = static_cast<char*>(AllocateChunk(chunkBytes_));
  chunks_.push_back(chunk);
  const std::size_t slots = chunkBytes_ / slotBytes_;
  free_.reserve(free_.size() + slots);
  // Highest address first, so slots are handed out in address order.
  for (std::size_t i = slots; i-- > 0;) free_.push_back(chunk + i * slotBytes_);
}

void* Arena::Allocate() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (free_.empty()) AddChunk();
  void* slot = free_.back();
  free_.pop_back();
  ++inUse_;
  return slot;
}

void Arena::Release(void* slot) {
  std::lock_guard<std::mutex> lock(mutex_);
  free_.push_back(slot);
  --inUse_;
}

std::size_t Arena::SlotsInUse() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return inUse_;
}
