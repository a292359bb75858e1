#pragma once
// Ogg Vorbis encoding and decoding. Quality q is tenths of a percent (600 is Vorbis quality 0.6); q = -1
// asks for a managed average bit rate instead. The last page's position records the exact length.

#include <memory>

#include "platform/audio/codecs/Mp3EncoderSettings.h"
#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/ByteStream.h"

struct OggEncoderConfig {
  int SampleRate = 0;  // 0: the input's rate
  int Channels = 2;
  int BitRate = 128;  // kbit/s, with Quality -1
  int Quality = -1;   // -1 managed bit rate, else tenths of a percent
};

SettledFormat SettleOggFormat(const OggEncoderConfig& config, int inputRate);
// True exactly when the Vorbis encoder accepts a managed bit rate of `kbps` at this rate and channel count.
bool CanOgg(int sampleRate, int channels, int kbps);

std::unique_ptr<AudioEncoder> CreateOggEncoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& input,
                                               const OggEncoderConfig& config, const AudioTags& tags);

bool LooksLikeOgg(const ByteSource& source);
std::unique_ptr<AudioDecoder> OpenOggDecoder(std::shared_ptr<ByteSource> source);
