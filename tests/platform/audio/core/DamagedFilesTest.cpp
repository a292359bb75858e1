// Damaged and hostile files: every corruption of a valid file either opens and reads to its end or
// raises EAudioError; none may read out of bounds (the native run checks that under AddressSanitizer).
#include <gtest/gtest.h>

#include <random>

#include "platform/audio/core/AiffFile.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/ByteStream.h"
#include "platform/audio/core/FormatRegistry.h"
#include "platform/audio/core/WavFile.h"

namespace {

AnsiString Encoded(int type, const EncoderSettings& settings) {
  auto sink = std::make_unique<MemorySink>();
  MemorySink* out = sink.get();
  AudioTags tags;
  tags.Title = L"title";
  tags.Comment = L"comment";
  auto encoder = FormatRegistry::Default().CreateEncoder(type, std::move(sink), settings, tags);
  std::vector<float> samples(2 * 300);
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<float>(i % 17) / 17.0f - 0.5f;
  encoder->Write(samples.data(), 300);
  encoder->Finish();
  return out->Committed();
}

// Opens and reads everything; true when the file was accepted.
bool OpenAndRead(const AnsiString& bytes) {
  try {
    auto decoder = FormatRegistry::Default().OpenDecoder(std::make_shared<MemorySource>(bytes), L"x.wav");
    std::vector<float> piece(2 * 64);
    std::int64_t total = 0;
    for (std::int64_t n; (n = decoder->Read(piece.data(), 64)) > 0;) total += n;
    EXPECT_EQ(total, decoder->Info().Frames);
    return true;
  } catch (const EAudioError&) {
    return false;
  }
}

TEST(DamagedFiles, CorruptionsOpenCleanlyOrRaise) {
  const AnsiString originals[] = {Encoded(kFileTypeWav, {44100, 2, 16}), Encoded(kFileTypeWav, {8000, 1, 24}),
                                  Encoded(kFileTypeWav, {44100, 2, 32}), Encoded(kFileTypeAiff, {22050, 2, 16}),
                                  Encoded(kFileTypeAiff, {44100, 1, 32})};
  std::mt19937 random(12345);
  for (const AnsiString& original : originals) {
    ASSERT_TRUE(OpenAndRead(original));
    // Every prefix: truncated headers and data.
    for (std::size_t length = 0; length < std::min<std::size_t>(original.size(), 200); ++length)
      OpenAndRead(original.substr(0, length));
    // Random bytes overwritten, with a bias to the headers where sizes and counts live.
    for (int round = 0; round < 400; ++round) {
      AnsiString damaged = original;
      const int changes = 1 + static_cast<int>(random() % 4);
      for (int k = 0; k < changes; ++k) {
        const std::size_t at = random() % 2 ? random() % std::min<std::size_t>(damaged.size(), 96) : random() % damaged.size();
        damaged[at] = static_cast<char>(random() % 3 == 0 ? 0xFF : random() & 0xFF);
      }
      OpenAndRead(damaged);
    }
  }
}

}  // namespace
