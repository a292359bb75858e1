#pragma once
// Windows Media Audio through the system's Media Foundation: a source reader decodes, a sink writer
// with the system's WMA encoder writes at one of the numbered profiles. Where the system has no such
// component (or is not Windows), opening raises a message naming what is missing.

#include <memory>

#include "platform/audio/codecs/Mp3EncoderSettings.h"
#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/ByteStream.h"

struct WmaProfile {
  int Number;
  int SampleRate;
  int Channels;
  int Kbps;
};

// Profiles 36, 23, 16, 13, 11, 10 and 8; null for any other number.
const WmaProfile* FindWmaProfile(int number);

extern const wchar_t* const kWmaDecoderMissing;
extern const wchar_t* const kWmaEncoderMissing;
// The decoder hands the whole file to the system in memory: 4 GB at most (2 GB in 32-bit programs).
extern const wchar_t* const kWmaFileTooLarge;

// The ASF header object at the start.
bool LooksLikeWma(const ByteSource& source);
std::unique_ptr<AudioDecoder> OpenWmaDecoder(std::shared_ptr<ByteSource> source);
// Raises EAudioError for an unknown profile.
std::unique_ptr<AudioEncoder> CreateWmaEncoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& input,
                                               int profile);
