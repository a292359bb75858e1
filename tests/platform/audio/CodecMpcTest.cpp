#include <gtest/gtest.h>

#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/codecs/MpcDecoder.h"
#include "platform/audio/core/AudioError.h"

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
