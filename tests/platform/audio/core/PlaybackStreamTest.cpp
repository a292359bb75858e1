#include "platform/audio/core/PlaybackStream.h"

#include <gtest/gtest.h>

#include "AudioTestUtil.h"

namespace {

using namespace audio_test;

TEST(PlaybackStream, EachModePlaysExactlyItsFrames) {
  BlockStore store;
  const std::vector<float> samples = Signal(100, 1, [](std::int64_t i, int) { return static_cast<float>(i); });
  BlockWriter writer(store, 1);
  writer.Write(samples.data(), 100);
  const BlockListRef audio = std::make_shared<const BlockList>(1, writer.Finish());
  auto frames = [](std::initializer_list<std::pair<int, int>> runs) {
    std::vector<float> v;
    for (auto [a, b] : runs)
      for (int i = a; i < b; ++i) v.push_back(static_cast<float>(i));
    return v;
  };
  struct Case {
    int mode;
    std::int64_t start, end;
    std::vector<float> expected;  // the first 70 frames asked for, or fewer
  } cases[] = {
      {1, 10, 20, frames({{10, 20}})},
      {1, 90, 90, frames({{90, 100}})},
      {2, 40, 60, frames({{40, 100}})},
      {3, 10, 40, frames({{10, 40}, {10, 40}, {10, 20}})},
      {3, 50, 50, frames({{0, 70}})},
  };
  for (const Case& c : cases) {
    PlaybackStream stream(audio, RangeForMode(c.mode, c.start, c.end, 100));
    std::vector<float> out(70);
    std::int64_t got = 0;
    // Pulled in small pieces, as a device's buffers take them.
    for (int piece = 0; piece < 10; ++piece) got += stream.Read(out.data() + got, 7);
    out.resize(static_cast<std::size_t>(got));
    EXPECT_EQ(out, c.expected) << c.mode << " " << c.start;
    EXPECT_EQ(stream.Finished(), c.mode != 3) << c.mode;
  }
}

}  // namespace
