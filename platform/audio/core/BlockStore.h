#pragma once
// Makes and keeps blocks. Samples stay in memory until the store passes its budget; then the least
// recently used blocks move to a spill file. Blocks of an opened audio file decode from it on demand
// and take no memory. A store may be shared by several documents and threads.

#include <cstdint>
#include <memory>

#include "platform/audio/core/Block.h"
#include "platform/framework/base/Types.h"

class ByteSource;

// Installed physical memory in bytes (0 when unknown).
std::int64_t PhysicalMemoryBytes();
// Half the physical memory, at most 1 GiB in a 32-bit process.
std::int64_t DefaultStoreBudget();

// A block being filled: write up to kBlockFrames frames into Data(), then Seal.
class BlockBuilder {
 public:
  BlockBuilder(BlockBuilder&&) noexcept;
  BlockBuilder& operator=(BlockBuilder&&) = delete;
  ~BlockBuilder();
  float* Data() { return data_; }
  int Channels() const { return channels_; }
  // Builds the block of the first `frames` frames and its summary.
  BlockRef Seal(std::int64_t frames);

 private:
  friend class BlockStore;
  BlockBuilder(std::shared_ptr<StoreCore> store, int channels, std::int64_t capacity);
  std::shared_ptr<StoreCore> store_;
  int channels_;
  std::int64_t capacity_;
  float* data_;
  bool fromArena_;
};

class BlockStore {
 public:
  explicit BlockStore(std::int64_t budgetBytes = DefaultStoreBudget());
  ~BlockStore();
  BlockStore(const BlockStore&) = delete;
  BlockStore& operator=(const BlockStore&) = delete;

  void SetBudget(std::int64_t bytes);
  std::int64_t Budget() const;
  // Folder of the spill file; empty is the system's temporary folder. Takes effect for the next
  // spill file, which is created on the first spill.
  void SetSpillFolder(const String& folder);
  // Bytes of samples held in memory now.
  std::int64_t ResidentBytes() const;

  // A builder with room for `capacity` frames (at most kBlockFrames).
  BlockBuilder Build(int channels, std::int64_t capacity = kBlockFrames);
  // A block of copied interleaved frames (at most kBlockFrames).
  BlockRef Create(const float* samples, std::int64_t frames, int channels);
  // A block whose samples stay in `file` at `byteOffset`, decoded on each read.
  BlockRef CreateFileBacked(std::shared_ptr<ByteSource> file, std::int64_t byteOffset, const SampleLayout& layout,
                            std::int64_t frames, int channels, PeakSummary summary);
  // Moves every block that reads from `file` into the store, so the file can be closed or replaced.
  void DetachFile(const ByteSource* file);

 private:
  std::shared_ptr<StoreCore> core_;
};
