// The store and the storage side of blocks: where a block's samples are, moving them to the spill
// file when the budget is passed, and reading them back.
#include "platform/audio/core/BlockStore.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <unordered_set>

#include "platform/audio/core/Arena.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/ByteStream.h"

namespace {
// Blocks smaller than a quarter of a full one take heap memory instead of a whole arena slot.
constexpr std::int64_t kSmallBlockFrames = kBlockFrames / 4;
}  // namespace

struct StoreCore {
  std::mutex mutex;
  std::int64_t budget = 0;
  String spillFolder;
  Arena monoArena{kBlockFrames * sizeof(float)};
  Arena stereoArena{kBlockFrames * 2 * sizeof(float)};
  std::int64_t resident = 0;
  std::list<Block*> lru;  // most recently used first
  std::unique_ptr<ScratchFile> spill;
  std::int64_t spillEnd = 0;
  std::map<std::size_t, std::vector<std::int64_t>> spillFree;
  std::unordered_set<Block*> fileBlocks;

  Arena& ArenaFor(int channels) { return channels == 1 ? monoArena : stereoArena; }

  static std::size_t AllocatedBytes(int channels, std::int64_t frames, bool fromArena) {
    return static_cast<std::size_t>((fromArena ? kBlockFrames : frames) * channels) * sizeof(float);
  }

  float* AllocateSamples(int channels, std::int64_t capacity, bool& fromArena) {
    fromArena = capacity >= kSmallBlockFrames;
    if (fromArena) return static_cast<float*>(ArenaFor(channels).Allocate());
    return new float[static_cast<std::size_t>(capacity * channels)];
  }

  void FreeSamples(float* data, int channels, bool fromArena) {
    if (!data) return;
    if (fromArena) ArenaFor(channels).Release(data);
    else delete[] data;
  }

  // Under mutex: a block whose samples just came into memory.
  void Admit(Block* block) {
    block->lru_ = lru.insert(lru.begin(), block);
    resident += static_cast<std::int64_t>(AllocatedBytes(block->channels_, block->frames_, block->memoryFromArena_));
    EnforceBudget();
  }

  void EnforceBudget() {
    while (resident > budget && !lru.empty()) SpillOut(lru.back());
  }

  std::int64_t SpillSpace(std::size_t bytes) {
    auto& free = spillFree[bytes];
    if (!free.empty()) {
      const std::int64_t offset = free.back();
      free.pop_back();
      return offset;
    }
    const std::int64_t offset = spillEnd;
    spillEnd += static_cast<std::int64_t>(bytes);
    return offset;
  }

  void SpillOut(Block* block) {
    std::lock_guard<std::mutex> blockLock(block->mutex_);
    if (!spill) spill = CreateScratchFile(spillFolder);
    const std::size_t bytes = block->Bytes();
    const std::int64_t offset = SpillSpace(bytes);
    try {
      spill->WriteAt(offset, block->memory_, bytes);
    } catch (...) {
      spillFree[bytes].push_back(offset);
      throw;
    }
    lru.erase(block->lru_);
    resident -= static_cast<std::int64_t>(AllocatedBytes(block->channels_, block->frames_, block->memoryFromArena_));
    FreeSamples(block->memory_, block->channels_, block->memoryFromArena_);
    block->memory_ = nullptr;
    block->spillOffset_ = offset;
    block->where_ = Block::Where::Spill;
  }
};

namespace {

void DecodeFromFile(const ByteSource& file, std::int64_t byteOffset, const SampleLayout& layout, int channels,
                    std::int64_t frames, float* out) {
  thread_local std::vector<std::uint8_t> bytes;
  const std::size_t count = static_cast<std::size_t>(frames * channels);
  const std::size_t size = count * static_cast<std::size_t>(layout.BytesPerSample());
  if (bytes.size() < size) bytes.resize(size);
  ReadExactly(file, byteOffset, bytes.data(), size);
  DecodeSamples(layout, bytes.data(), out, count);
}

}  // namespace

std::int64_t DefaultStoreBudget() {
  std::int64_t half = PhysicalMemoryBytes() / 2;
  if (half <= 0) half = std::int64_t{1} << 30;
  if (sizeof(void*) == 4) half = std::min<std::int64_t>(half, std::int64_t{1} << 30);
  return half;
}

Block::Block(std::shared_ptr<StoreCore> store, std::int64_t frames, int channels)
    : store_(std::move(store)), frames_(frames), channels_(channels) {}

Block::~Block() {
  std::lock_guard<std::mutex> lock(store_->mutex);
  switch (where_) {
    case Where::Memory:
      store_->lru.erase(lru_);
      store_->resident -= static_cast<std::int64_t>(StoreCore::AllocatedBytes(channels_, frames_, memoryFromArena_));
      store_->FreeSamples(memory_, channels_, memoryFromArena_);
      break;
    case Where::Spill: store_->spillFree[Bytes()].push_back(spillOffset_); break;
    case Where::File: store_->fileBlocks.erase(this); break;
  }
}

void Block::Read(std::int64_t offset, std::int64_t frames, float* out) const {
  if (offset < 0 || frames < 0 || offset + frames > frames_) throw EAudioError(L"Block read out of range.");
  if (frames == 0) return;
  bool inMemory = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    switch (where_) {
      case Where::Memory:
        std::memcpy(out, memory_ + offset * channels_, static_cast<std::size_t>(frames * channels_) * sizeof(float));
        inMemory = true;
        break;
      case Where::Spill:
        store_->spill->ReadAt(spillOffset_ + offset * channels_ * static_cast<std::int64_t>(sizeof(float)), out,
                              static_cast<std::size_t>(frames * channels_) * sizeof(float));
        break;
      case Where::File:
        DecodeFromFile(*file_, fileOffset_ + offset * channels_ * fileLayout_.BytesPerSample(), fileLayout_,
                       channels_, frames, out);
        break;
    }
  }
  if (inMemory) {
    std::lock_guard<std::mutex> lock(store_->mutex);
    if (where_ == Where::Memory) store_->lru.splice(store_->lru.begin(), store_->lru, lru_);
  }
}

bool Block::IsFileBacked() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return where_ == Where::File;
}

bool Block::IsSpilled() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return where_ == Where::Spill;
}

BlockBuilder::BlockBuilder(std::shared_ptr<StoreCore> store, int channels, std::int64_t capacity)
    : store_(std::move(store)), channels_(channels), capacity_(capacity), data_(nullptr), fromArena_(false) {
  data_ = store_->AllocateSamples(channels, capacity, fromArena_);
}

BlockBuilder::BlockBuilder(BlockBuilder&& other) noexcept
    : store_(other.store_), channels_(other.channels_), capacity_(other.capacity_), data_(other.data_),
      fromArena_(other.fromArena_) {
  other.data_ = nullptr;
}

BlockBuilder::~BlockBuilder() {
  if (data_) store_->FreeSamples(data_, channels_, fromArena_);
}

BlockRef BlockBuilder::Seal(std::int64_t frames) {
  if (!data_ || frames < 0 || frames > capacity_) throw EAudioError(L"Block built beyond its capacity.");
  std::shared_ptr<Block> block(new Block(store_, frames, channels_));
  block->summary_.Build(data_, frames, channels_);
  block->memory_ = data_;
  block->memoryFromArena_ = fromArena_;
  data_ = nullptr;
  std::lock_guard<std::mutex> lock(store_->mutex);
  store_->Admit(block.get());
  return block;
}

BlockStore::BlockStore(std::int64_t budgetBytes) : core_(std::make_shared<StoreCore>()) { core_->budget = budgetBytes; }

BlockStore::~BlockStore() = default;

void BlockStore::SetBudget(std::int64_t bytes) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->budget = bytes;
  core_->EnforceBudget();
}

std::int64_t BlockStore::Budget() const {
  std::lock_guard<std::mutex> lock(core_->mutex);
  return core_->budget;
}

void BlockStore::SetSpillFolder(const String& folder) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->spillFolder = folder;
}

std::int64_t BlockStore::ResidentBytes() const {
  std::lock_guard<std::mutex> lock(core_->mutex);
  return core_->resident;
}

BlockBuilder BlockStore::Build(int channels, std::int64_t capacity) {
  return BlockBuilder(core_, channels, std::clamp<std::int64_t>(capacity, 1, kBlockFrames));
}

BlockRef BlockStore::Create(const float* samples, std::int64_t frames, int channels) {
  BlockBuilder builder = Build(channels, frames);
  std::memcpy(builder.Data(), samples, static_cast<std::size_t>(frames * channels) * sizeof(float));
  return builder.Seal(frames);
}

BlockRef BlockStore::CreateFileBacked(std::shared_ptr<ByteSource> file, std::int64_t byteOffset,
                                      const SampleLayout& layout, std::int64_t frames, int channels,
                                      PeakSummary summary) {
  std::shared_ptr<Block> block(new Block(core_, frames, channels));
  block->summary_ = std::move(summary);
  block->where_ = Block::Where::File;
  block->file_ = std::move(file);
  block->fileOffset_ = byteOffset;
  block->fileLayout_ = layout;
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->fileBlocks.insert(block.get());
  return block;
}

void BlockStore::DetachFile(const ByteSource* file) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  std::vector<Block*> detached;
  for (Block* block : core_->fileBlocks)
    if (block->file_.get() == file) detached.push_back(block);
  for (Block* block : detached) {
    bool fromArena = false;
    float* data = core_->AllocateSamples(block->channels_, block->frames_, fromArena);
    try {
      DecodeFromFile(*block->file_, block->fileOffset_, block->fileLayout_, block->channels_, block->frames_, data);
    } catch (...) {
      core_->FreeSamples(data, block->channels_, fromArena);
      throw;
    }
    {
      std::lock_guard<std::mutex> blockLock(block->mutex_);
      block->memory_ = data;
      block->memoryFromArena_ = fromArena;
      block->where_ = Block::Where::Memory;
      block->file_.reset();
    }
    core_->fileBlocks.erase(block);
    core_->Admit(block);
  }
}
