#include "platform/audio/core/BlockStore.h"

#include <gtest/gtest.h>

#include <thread>

#include "AudioTestUtil.h"
#include "platform/audio/core/BlockList.h"
#include "platform/audio/core/ByteStream.h"
#include "platform/audio/core/DocumentFile.h"
#include "platform/audio/core/WavFile.h"

namespace {

using namespace audio_test;

std::vector<float> ReadBlock(const Block& block) {
  std::vector<float> v(static_cast<std::size_t>(block.Frames() * block.Channels()));
  block.Read(0, block.Frames(), v.data());
  return v;
}

TEST(BlockStore, SpillsLeastRecentlyUsedPastItsBudgetAndReadsBackExactly) {
  const std::int64_t frames = kBlockFrames;
  const std::int64_t blockBytes = frames * 2 * 4;
  BlockStore store(2 * blockBytes);
  std::vector<std::vector<float>> content;
  std::vector<BlockRef> blocks;
  for (int b = 0; b < 3; ++b) {
    content.push_back(Signal(frames, 2, [b](std::int64_t i, int c) { return Ramp(i + b * 7, c) * (b + 1); }));
    blocks.push_back(store.Create(content.back().data(), frames, 2));
    if (b == 1) ReadBlock(*blocks[0]);  // block 0 becomes more recent than block 1
  }
  EXPECT_FALSE(blocks[0]->IsSpilled());
  EXPECT_TRUE(blocks[1]->IsSpilled());
  EXPECT_FALSE(blocks[2]->IsSpilled());
  EXPECT_EQ(store.ResidentBytes(), 2 * blockBytes);
  for (int b = 0; b < 3; ++b) EXPECT_EQ(ReadBlock(*blocks[b]), content[b]) << b;

  store.SetBudget(0);
  for (int b = 0; b < 3; ++b) {
    EXPECT_TRUE(blocks[b]->IsSpilled());
    EXPECT_EQ(ReadBlock(*blocks[b]), content[b]) << b;
  }
  EXPECT_EQ(store.ResidentBytes(), 0);
  // Freed spill space is reused and the new block's content is its own.
  blocks[1].reset();
  const std::vector<float> fresh = Signal(frames, 2, [](std::int64_t i, int c) { return Ramp(i * 3, c); });
  BlockRef reused = store.Create(fresh.data(), frames, 2);
  EXPECT_EQ(ReadBlock(*reused), fresh);
  EXPECT_EQ(ReadBlock(*blocks[2]), content[2]);
}

TEST(BlockStore, OpenedFileIsReadInPlaceUntilDetached) {
  TempPath path("inplace.wav");
  const std::int64_t frames = kBlockFrames * 2 + 100;
  const std::vector<float> samples = Signal(frames, 2, Ramp);
  {
    auto encoder = CreateWavEncoder(CreateFileSink(path.Path()), {44100, 2, 16}, {});
    encoder->Write(samples.data(), frames);
    encoder->Finish();
  }
  BlockStore store;
  LoadedDocument loaded = LoadDocument(OpenFileSource(path.Path()), path.Path(), store, FormatRegistry::Default(), nullptr);
  ASSERT_TRUE(loaded.Source);
  const BlockList& audio = *loaded.Doc.Audio;
  EXPECT_EQ(audio.Frames(), frames);
  EXPECT_EQ(store.ResidentBytes(), 0);
  for (const Segment& s : audio.Segments()) EXPECT_TRUE(s.Block->IsFileBacked());
  std::vector<float> read(samples.size());
  audio.Read(0, frames, read.data());
  EXPECT_EQ(read, samples);

  store.DetachFile(loaded.Source.get());
  loaded.Source.reset();
  for (const Segment& s : audio.Segments()) EXPECT_FALSE(s.Block->IsFileBacked());
  EXPECT_TRUE(DeleteFileAt(path.Path()));
  std::fill(read.begin(), read.end(), 0.0f);
  audio.Read(0, frames, read.data());
  EXPECT_EQ(read, samples);
}

TEST(BlockStore, ConcurrentReadsSeeExactContentWhileBlocksSpill) {
  BlockStore store(kBlockFrames * 4 * 3);
  BlockWriter writer(store, 1);
  const std::int64_t frames = kBlockFrames * 8 + 17;
  const std::vector<float> samples = Signal(frames, 1, Ramp);
  writer.Write(samples.data(), frames);
  const BlockList audio(1, writer.Finish());
  std::vector<std::thread> threads;
  std::atomic<int> mismatches{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      std::vector<float> piece(5000);
      for (int k = 0; k < 200; ++k) {
        const std::int64_t at = (k * 7919 + t * 104729) % (frames - 5000);
        audio.Read(at, 5000, piece.data());
        if (!std::equal(piece.begin(), piece.end(), samples.begin() + at)) ++mismatches;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(mismatches.load(), 0);
}

TEST(BlockList, SlicesAndPeaksMatchTheSamples) {
  BlockStore store;
  const std::int64_t frames = kBlockFrames + 8000;
  // A spike on each channel at a place that is not on a summary boundary.
  std::vector<float> samples = Signal(frames, 2, [](std::int64_t i, int c) { return c ? -0.1f : 0.1f * (i % 3); });
  samples[2 * 70001] = 0.9f;
  samples[2 * 300 + 1] = -0.8f;
  BlockWriter writer(store, 2);
  writer.Write(samples.data(), frames);
  const BlockList whole(2, writer.Finish());
  // Cut into uneven pieces and put back together: same samples, different segments.
  std::vector<Segment> pieces = whole.Slice(0, 123);
  for (auto range : {std::pair<std::int64_t, std::int64_t>{123, 70000}, {70000, 70002}, {70002, frames}})
    for (const Segment& s : whole.Slice(range.first, range.second)) pieces.push_back(s);
  const BlockList rebuilt(2, pieces);
  struct Case {
    std::int64_t from, to;
  } cases[] = {{0, frames}, {0, 300}, {300, 301}, {299, 70001}, {70001, 70002}, {1000, 1256}, {257, 70003}, {70002, frames}};
  for (const Case& c : cases) {
    PeakPair peaks[2], expected[2];
    rebuilt.Peaks(c.from, c.to, peaks);
    ScanPeaks(samples.data() + 2 * c.from, c.to - c.from, 2, expected);
    for (int ch = 0; ch < 2; ++ch) {
      EXPECT_EQ(peaks[ch].Min, expected[ch].Min) << c.from << ".." << c.to;
      EXPECT_EQ(peaks[ch].Max, expected[ch].Max) << c.from << ".." << c.to;
    }
    std::vector<float> read(static_cast<std::size_t>((c.to - c.from) * 2));
    rebuilt.SliceList(c.from, c.to)->Read(0, c.to - c.from, read.data());
    EXPECT_EQ(read, Range(samples, 2, c.from, c.to));
  }
}

}  // namespace
