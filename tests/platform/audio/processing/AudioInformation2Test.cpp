#include "platform/audio/processing/AudioInformation2.h"

#include <gtest/gtest.h>
#include <ogg/ogg.h>

#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/core/AiffFile.h"
#include "platform/audio/core/ByteStream.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/processing/AudioFile2.h"
#include "platform/audio/processing/GenreMapping.h"
#include "platform/framework/base/Utf8.h"
#include "tests/platform/audio/processing/ProcessingTestUtil.h"
#include "tests/support/TestSupport.h"

using namespace processing_test;
using testing_support::ReadFileBytes;
using testing_support::ScratchFolder;
using testing_support::WriteFileBytes;

namespace {

struct OutputCase {
  const wchar_t* Name;
  std::function<void(TAudioFile2&)> SetFormat;
};

const OutputCase kOutputs[] = {
    {L"tagged.wav", [](TAudioFile2& f) { f.SetWaveFormat(44100, 2, 16); }},
    {L"tagged.mp3", [](TAudioFile2& f) { f.SetMp3Format(44100, 128, 2); }},
    {L"tagged.ogg", [](TAudioFile2& f) { f.SetOggFormat(44100, 2, 128, 0, 0, -1); }},
};

class AudioInformation2Test : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterAudioCodecs(FormatRegistry::Default()); }

  String Write(const OutputCase& output) {
    const String path = folder_.File(output.Name);
    TAudioFile2 writer(nullptr);
    output.SetFormat(writer);
    writer.SetInputFormat(44100, 2);
    writer.CreateForWriting(path, 0);
    writer.WriteBlock(Sine(1000, 0.5, 44100, 44100, 2));
    writer.CloseAudioFile();
    return path;
  }

  static SampleBuffer Decode(const String& path) {
    TAudioFile2 reader(nullptr);
    reader.OpenRead(path, 0, 1);
    return reader.ReadBlock(reader.GetLength() * reader.GetChannels());
  }

  static AudioTags SomeTags() {
    AudioTags tags;
    tags.Title = L"Overture \x00e9t\x00e9 \x263A";  // beyond Latin-1 too
    tags.Artist = L"The Tester";
    tags.Album = L"Round Trips";
    tags.Year = L"2024";
    tags.Comment = L"checked " + String(70000, L'c');  // more than one Ogg page holds
    tags.Genre = L"(17)";
    return tags;
  }

  ScratchFolder folder_;
};

void ExpectTags(const AudioTags& actual, const AudioTags& expected) {
  EXPECT_EQ(actual.Title, expected.Title);
  EXPECT_EQ(actual.Artist, expected.Artist);
  EXPECT_EQ(actual.Album, expected.Album);
  EXPECT_EQ(actual.Year, expected.Year);
  EXPECT_EQ(actual.Comment, expected.Comment);
  EXPECT_EQ(actual.Genre, expected.Genre);
}

}  // namespace

TEST_F(AudioInformation2Test, TagsRoundTripWithTheAudioBitIdentical) {
  for (const OutputCase& output : kOutputs) {
    SCOPED_TRACE(Utf8Encode(output.Name));
    const String path = Write(output);
    const SampleBuffer before = Decode(path);

    TAudioInformation2 information(nullptr);
    information.SetTags(SomeTags());
    EXPECT_EQ(information.Tags().Genre, L"Rock");
    information.WriteTagsTo(path);
    const std::size_t firstSize = ReadFileBytes(path).size();

    TAudioInformation2 reread(nullptr);
    reread.ReadTagsFrom(path);
    AudioTags expected = SomeTags();
    expected.Genre = L"Rock";
    ExpectTags(reread.Tags(), expected);
    EXPECT_EQ(reread.GetLength(), before.Frames());
    EXPECT_EQ(reread.GetSampleRate(), 44100);
    EXPECT_EQ(reread.GetChannels(), 2);
    EXPECT_EQ(MaxDifference(Decode(path), before), 0.0);

    // Writing again replaces the tags instead of adding to them.
    AudioTags shorter;
    shorter.Title = L"Second";
    reread.SetTags(shorter);
    reread.WriteTagsTo(path);
    reread.ReadTagsFrom(path);
    ExpectTags(reread.Tags(), shorter);
    EXPECT_LT(ReadFileBytes(path).size(), firstSize);
    EXPECT_EQ(MaxDifference(Decode(path), before), 0.0);
  }
}

// The batch converter reads a source's tags and writes them into the converted file.
TEST_F(AudioInformation2Test, TagsCopyFromOneFormatToAnother) {
  const String wav = Write(kOutputs[0]), ogg = Write(kOutputs[2]);
  TAudioInformation2 information(nullptr);
  information.SetTags(SomeTags());
  information.WriteTagsTo(wav);
  information.SetTags({});
  information.ReadTagsFrom(wav);
  information.WriteTagsTo(ogg);
  TAudioInformation2 reread(nullptr);
  reread.ReadTagsFrom(ogg);
  EXPECT_EQ(reread.Tags().Title, SomeTags().Title);
  EXPECT_EQ(reread.Tags().Genre, L"Rock");
}

TEST_F(AudioInformation2Test, Id3v1FollowsTheAudioWithTheOption) {
  const String path = Write(kOutputs[1]);
  TAudioInformation2 information(nullptr);
  information.SetOption(-1);
  information.SetTags(SomeTags());
  information.WriteTagsTo(path);
  const AnsiString bytes = ReadFileBytes(path);
  ASSERT_GT(bytes.size(), 128u);
  const AnsiString v1 = bytes.substr(bytes.size() - 128);
  EXPECT_EQ(v1.substr(0, 3), "TAG");
  EXPECT_EQ(v1.substr(33, 10), "The Tester");
  EXPECT_EQ(static_cast<unsigned char>(v1[127]), 17);  // Rock
  EXPECT_EQ(bytes.substr(0, 3), "ID3");
}

TEST_F(AudioInformation2Test, GenresMapOntoTheStandardNames) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"Rock", L"Rock"}, {L"rock", L"Rock"}, {L"(17)", L"Rock"}, {L"(17)Rock", L"Rock"}, {L"0", L"Blues"},
      {L"147", L"Synthpop"}, {L"148", L"Other"}, {L"Chiptune Polka", L"Other"}, {L"", L""},
  };
  for (const auto& [text, name] : cases) EXPECT_EQ(CanonicalGenre(text), name) << Utf8Encode(text);
}

TEST_F(AudioInformation2Test, DamagedFilesRaiseNamingTheFile) {
  const String path = folder_.File(L"broken.wav");
  WriteFileBytes(path, "RIFF\x10\0\0\0WAVEjunk");
  TAudioInformation2 information(nullptr);
  try {
    information.ReadTagsFrom(path);
    FAIL() << "a broken file was read";
  } catch (const EAudioError& error) {
    EXPECT_NE(error.Message().find(path), String::npos);
  }
}

TEST_F(AudioInformation2Test, FormatsWithoutWritableTagsRaiseAndStayUnchanged) {
  const String aiff = folder_.File(L"sound.aiff");
  {
    auto encoder = CreateAiffEncoder(CreateFileSink(aiff), {44100, 2, 16}, {});
    const SampleBuffer audio = Sine(1000, 0.5, 44100, 4410, 2);
    encoder->Write(audio.Data(), audio.Frames());
    encoder->Finish();
  }
  const String wma = folder_.File(L"sound.wma"), raw = folder_.File(L"sound.raw");
  WriteFileBytes(wma, AnsiString("\x30\x26\xB2\x75\x8E\x66\xCF\x11", 8) + AnsiString(500, '\0'));
  WriteFileBytes(raw, AnsiString(4000, '\x11'));
  const std::pair<String, const wchar_t*> cases[] = {{aiff, L"AIFF"}, {wma, L"WMA"}, {raw, L"Raw audio"}};
  TAudioInformation2 information(nullptr);
  information.SetTags(SomeTags());
  for (const auto& [path, format] : cases) {
    const AnsiString before = ReadFileBytes(path);
    try {
      information.WriteTagsTo(path);
      ADD_FAILURE() << Utf8Encode(path) << ": reported written";
    } catch (const EAudioError& error) {
      EXPECT_NE(error.Message().find(path), String::npos) << Utf8Encode(error.Message());
      EXPECT_NE(error.Message().find(String(L"tags cannot be written to ") + format + L" files"), String::npos)
          << Utf8Encode(error.Message());
    }
    EXPECT_EQ(ReadFileBytes(path), before) << Utf8Encode(path);
  }
}

// A stream multiplexed with the Vorbis one keeps its pages.
TEST_F(AudioInformation2Test, OggPagesOfOtherStreamsAreKept) {
  const String path = Write(kOutputs[2]);
  const SampleBuffer before = Decode(path);
  AnsiString bytes = ReadFileBytes(path);
  ogg_stream_state other;
  ogg_stream_init(&other, 4242);
  unsigned char body[] = "a stream of another kind";
  ogg_packet packet{};
  packet.packet = body;
  packet.bytes = sizeof body;
  packet.b_o_s = 1;
  ogg_stream_packetin(&other, &packet);
  ogg_page page;
  ASSERT_EQ(ogg_stream_flush(&other, &page), 1);
  const AnsiString extra = AnsiString(reinterpret_cast<const char*>(page.header), page.header_len) +
                           AnsiString(reinterpret_cast<const char*>(page.body), page.body_len);
  ogg_stream_clear(&other);
  const std::size_t firstPage = 27 + static_cast<unsigned char>(bytes[26]) + [&] {
    std::size_t size = 0;
    for (int i = 0; i < static_cast<unsigned char>(bytes[26]); ++i) size += static_cast<unsigned char>(bytes[27 + i]);
    return size;
  }();
  bytes.insert(firstPage, extra);
  WriteFileBytes(path, bytes);

  TAudioInformation2 information(nullptr);
  information.SetTags(SomeTags());
  information.WriteTagsTo(path);
  EXPECT_NE(ReadFileBytes(path).find(extra), AnsiString::npos);
  EXPECT_EQ(MaxDifference(Decode(path), before), 0.0);
}
