#pragma once
// MP3 encoding. Frames arrive at the input's rate and channels and are converted to the settled
// format first. With the info header on, the file starts with it and it records the encoder delay and
// padding, so a gapless decoder gives back exactly the frames written.

#include <memory>

#include "platform/audio/codecs/Mp3EncoderSettings.h"
#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/ByteStream.h"

// `input` is the rate and channels of the frames to come. Tags go into an ID3v2 tag at the start.
std::unique_ptr<AudioEncoder> CreateMp3Encoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& input,
                                               const Mp3EncoderConfig& config, const AudioTags& tags);
