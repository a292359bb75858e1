// Damaged tags: APE tags behind the audio, and the tag rewriting of WAV, MP3 and Ogg files, which
// parses chunks, ID3v2 headers and Vorbis comment headers. Each damaged file is rewritten or
// raises EAudioError, and a rewrite never writes more than the file and the new tags.
#include <gtest/gtest.h>

#include <functional>

#include "platform/audio/codecs/ApeTags.h"
#include "platform/audio/codecs/Mp3Encoder.h"
#include "platform/audio/codecs/OggVorbis.h"
#include "platform/audio/core/FormatRegistry.h"
#include "platform/audio/core/GenreNames.h"
#include "platform/audio/processing/GenreMapping.h"
#include "platform/audio/processing/TagRewriting.h"
#include "tests/platform/audio/CodecDamagedSweep.h"
#include "tests/platform/audio/CodecTestSignals.h"

using namespace codec_test;

namespace {

const AudioTags kOldTags{L"Old title", L"Old artist", L"Old album", L"1999", L"Old comment", L"Rock"};
const AudioTags kNewTags{L"New title \u4e2d", L"New artist", L"", L"2024", L"A new comment", L"(8)"};

AnsiString Le32(std::uint32_t v) {
  AnsiString bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
  return bytes;
}

AnsiString Wav() {
  return Encode(Sine(440, 0.5, 8000, 1, 800), 1, [](std::unique_ptr<ByteSink> sink) {
    return FormatRegistry::Default().CreateEncoder(kFileTypeWav, std::move(sink), {8000, 1, 16}, kOldTags);
  });
}

AnsiString Mp3WithBothTags() {
  const AnsiString frames = Encode(Sine(440, 0.5, 22050, 1, 2205), 1, [](std::unique_ptr<ByteSink> sink) {
    return CreateMp3Encoder(std::move(sink), {22050, 1, 16}, Mp3ConstantBitRate(0, 32, 1), kOldTags);
  });
  const std::vector<std::uint8_t> id3v1 = Id3v1Tag(kOldTags);
  return frames + AnsiString(id3v1.begin(), id3v1.end());
}

AnsiString Ogg() {
  OggEncoderConfig config;
  config.Channels = 1;
  config.Quality = 0;
  return Encode(Sine(440, 0.5, 22050, 1, 2205), 1, [&](std::unique_ptr<ByteSink> sink) {
    return CreateOggEncoder(std::move(sink), {22050, 1, 16}, config, kOldTags);
  });
}

using Rewrite = std::function<void(const ByteSource&, ByteSink&)>;

// Rewrites `bytes`; true when it was rewritten, false when it raised EAudioError.
bool Rewritten(const Rewrite& rewrite, const AnsiString& bytes, const std::string& label) {
  MemorySink sink;
  try {
    rewrite(MemorySource(bytes), sink);
  } catch (const EAudioError&) {
    return false;
  }
  // The new tags and re-paged Ogg headers are well under 4 KB.
  EXPECT_LE(sink.Position(), static_cast<std::int64_t>(bytes.size()) + 4096) << label;
  return true;
}

}  // namespace

TEST(CodecDamagedTags, RewritingCutAndCorruptedFilesSucceedsOrRaises) {
  const struct {
    const char* Name;
    AnsiString Bytes;
    Rewrite Run;
  } files[] = {
      {"WAV LIST/INFO", Wav(), [](const ByteSource& in, ByteSink& out) { RewriteWavTags(in, out, kNewTags); }},
      {"MP3 ID3v2 and ID3v1", Mp3WithBothTags(),
       [](const ByteSource& in, ByteSink& out) { RewriteMp3Tags(in, out, kNewTags, true); }},
      {"Ogg Vorbis comments", Ogg(), [](const ByteSource& in, ByteSink& out) { RewriteOggTags(in, out, kNewTags); }},
  };
  const damaged_sweep::Limits limits{0, 0, 512, 160};
  std::uint32_t seed = 100000;
  for (const auto& file : files) {
    SCOPED_TRACE(file.Name);
    ASSERT_TRUE(Rewritten(file.Run, file.Bytes, "the undamaged file"));
    const std::size_t stride = std::max<std::size_t>(1, file.Bytes.size() / damaged_sweep::kPrefixes);
    for (std::size_t length = 0; length < file.Bytes.size(); length += length < 600 ? 1 : stride)
      Rewritten(file.Run, file.Bytes.substr(0, length), "prefix of " + std::to_string(length) + " bytes");
    for (int i = 0; i < damaged_sweep::kCorruptions; ++i, ++seed)
      Rewritten(file.Run, damaged_sweep::Damaged(file.Bytes, seed, limits), "corruption seed " + std::to_string(seed));
  }
}

// The WAV reader's LIST/INFO parsing among the other chunks; no WAV holds more than a frame a byte.
TEST(CodecDamagedTags, WavFilesWithInfoListsDecodeOrRaise) {
  const auto open = [](const AnsiString& bytes) {
    return FormatRegistry::Default().OpenDecoder(std::make_shared<MemorySource>(bytes), L"take.wav");
  };
  damaged_sweep::Sweep(Wav(), open, damaged_sweep::Limits{1.0, 0, 256, 256}, 300000);
}

// Tags read from a damaged APE tag are pieces of the file: never longer than it.
TEST(CodecDamagedTags, DamagedApeTagsReadWithinTheFile) {
  auto item = [](const AnsiString& key, const AnsiString& value) {
    return Le32(static_cast<std::uint32_t>(value.size())) + Le32(0) + key + AnsiString(1, '\0') + value;
  };
  const AnsiString items = item("Title", "Sweep") + item("Artist", "Tester") + item("Comment", "caf\xC3\xA9") +
                           item("Genre", "Jazz");
  auto frame = [&](const char* preamble) {
    return AnsiString(preamble, 8) + Le32(2000) + Le32(static_cast<std::uint32_t>(items.size() + 32)) + Le32(4) +
           Le32(0x80000000u) + AnsiString(8, '\0');
  };
  const AnsiString file = "MPCK" + AnsiString(300, '\x55') + frame("APETAGEX") + items + frame("APETAGEX") + "TAG" +
                          AnsiString(125, ' ');
  AudioTags undamaged;
  ReadApeTags(MemorySource(file), undamaged);
  ASSERT_EQ(undamaged.Title, L"Sweep");
  const damaged_sweep::Limits limits{0, 0, 4, 400};
  for (int i = 0; i < damaged_sweep::kCorruptions * 2; ++i) {
    const std::uint32_t seed = 200000 + static_cast<std::uint32_t>(i);
    const AnsiString damaged = damaged_sweep::Damaged(file, seed, limits);
    AudioTags tags;
    ReadApeTags(MemorySource(damaged), tags);
    for (const String* field : {&tags.Title, &tags.Artist, &tags.Album, &tags.Year, &tags.Comment, &tags.Genre})
      ASSERT_LE(field->size(), damaged.size()) << "seed " << seed;
  }
  for (std::size_t length = 0; length < file.size(); ++length) {
    AudioTags tags;
    ReadApeTags(MemorySource(file.substr(0, length)), tags);
  }
}

// Genre texts as damaged tags give them map onto the list, or "Other".
TEST(CodecDamagedTags, AnyGenreTextMapsOntoTheList) {
  std::uint32_t state = 4242;
  const wchar_t alphabet[] = L"()0123456789 \t(Rock)jazz\u00e4\u4e2d\xFF10";
  for (int i = 0; i < damaged_sweep::kCorruptions; ++i) {
    String text;
    for (int n = static_cast<int>((state = state * 1664525u + 1013904223u) >> 28); n > 0; --n)
      text += alphabet[((state = state * 1664525u + 1013904223u) >> 16) % (std::size(alphabet) - 1)];
    const int index = GenreIndex(text);
    ASSERT_GE(index, 0) << i;
    ASSERT_LT(index, kGenreCount) << i;
    const String canonical = CanonicalGenre(text);
    if (!canonical.empty()) {
      EXPECT_EQ(canonical, GenreName(index)) << i;
    }
  }
}
