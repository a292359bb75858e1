#include <gtest/gtest.h>

#include "platform/audio/codecs/ApeTags.h"
#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/codecs/MpcDecoder.h"
#include "platform/audio/core/AudioError.h"
#include "tests/platform/audio/CodecLargeSource.h"

// Decoding real streams is tested where the encoder is at hand (the processing tests make .mpc files
// with it); here the decoder's handling of what is not a stream.
TEST(MpcDecoder, RecognisesBothStreamVersions) {
  EXPECT_TRUE(LooksLikeMpc(MemorySource(AnsiString("MPCK\x01\x02", 6))));
  EXPECT_TRUE(LooksLikeMpc(MemorySource(AnsiString("MP+\x17", 4))));
  EXPECT_FALSE(LooksLikeMpc(MemorySource(AnsiString("RIFF....WAVE", 12))));
  EXPECT_FALSE(LooksLikeMpc(MemorySource(AnsiString("MP", 2))));
}

TEST(MpcDecoder, DamagedStreamsRaise) {
  FormatRegistry registry = FormatRegistry::Default();
  RegisterAudioCodecs(registry);
  const AnsiString streams[] = {
      AnsiString("MPCK", 4),
      AnsiString("MPCK") + AnsiString(200, '\x7F'),
      AnsiString("MP+\x17") + AnsiString(100, '\0'),
      AnsiString(300, '\x33'),
  };
  for (const AnsiString& bytes : streams)
    EXPECT_THROW(registry.OpenDecoder(std::make_shared<MemorySource>(bytes), L"song.mpc"), EAudioError)
        << bytes.size();
}

// The library's reader interface counts in 32 bits: a stream of 2 GB or more is refused before the
// library sees it.
TEST(MpcDecoder, FilesOfTwoGigabytesAndMoreAreRefused) {
  for (const std::int64_t size : {std::int64_t{1} << 31, codec_test::kOverFourGigabytes}) {
    try {
      OpenMpcDecoder(std::make_shared<codec_test::SplicedSource>(AnsiString("MPCK", 4), AnsiString(), size));
      ADD_FAILURE() << "no error for " << size;
    } catch (const EAudioError& e) {
      EXPECT_EQ(e.Message(), L"Musepack: files of 2 GB and more are not supported.") << size;
    }
  }
}

namespace {

AnsiString Le32(std::uint32_t v) {
  AnsiString bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
  return bytes;
}

AnsiString ApeItem(const AnsiString& key, const AnsiString& value, std::uint32_t flags = 0) {
  return Le32(static_cast<std::uint32_t>(value.size())) + Le32(flags) + key + AnsiString(1, '\0') + value;
}

// An APEv2 tag of the items, footer only, after `before`.
AnsiString WithApeTag(const AnsiString& before, const AnsiString& items, std::uint32_t count) {
  const AnsiString footer = "APETAGEX" + Le32(2000) + Le32(static_cast<std::uint32_t>(items.size() + 32)) +
                            Le32(count) + Le32(0) + AnsiString(8, '\0');
  return before + items + footer;
}

}  // namespace

TEST(ApeTags, ReadsTheTextItemsWhateverTheKeysCase) {
  const AnsiString items = ApeItem("Title", "Caf\xC3\xA9") + ApeItem("ARTIST", "Band") + ApeItem("Cover Art", "\x01\x02", 2) +
                           ApeItem("year", "1999") + ApeItem("Genre", "Jazz");
  AudioTags tags;
  ReadApeTags(MemorySource(WithApeTag("MPCK....", items, 5)), tags);
  EXPECT_EQ(tags.Title, L"Caf\x00e9");
  EXPECT_EQ(tags.Artist, L"Band");
  EXPECT_EQ(tags.Year, L"1999");
  EXPECT_EQ(tags.Genre, L"Jazz");
  // Before an ID3v1 tag too.
  AudioTags behind;
  ReadApeTags(MemorySource(WithApeTag("MPCK", items, 5) + "TAG" + AnsiString(125, ' ')), behind);
  EXPECT_EQ(behind.Artist, L"Band");
}

TEST(ApeTags, DamagedTagsStopWhereTheyNoLongerFit) {
  const AnsiString items = ApeItem("Title", "One") + ApeItem("Artist", "Two");
  const struct {
    const char* Name;
    AnsiString Bytes;
    const wchar_t* Title;
  } cases[] = {
      {"count larger than the items", WithApeTag("", items, 9), L"One"},
      {"value running past the tag", WithApeTag("", ApeItem("Title", "One") + Le32(5000) + Le32(0) + "Artist", 2), L"One"},
      {"size larger than the file", "APETAGEX" + Le32(2000) + Le32(1000) + Le32(1) + Le32(0) + AnsiString(8, '\0'), L""},
      {"key without its end", WithApeTag("", Le32(3) + Le32(0) + "Title", 1), L""},
  };
  for (const auto& c : cases) {
    AudioTags tags;
    ReadApeTags(MemorySource(c.Bytes), tags);
    EXPECT_EQ(tags.Title, c.Title) << c.Name;
  }
}
