#pragma once
// AIFF and uncompressed AIFC files (NONE, twos, sowt, raw, in24, in32, fl32, fl64, alaw, ulaw), with the
// NAME, AUTH and ANNO text chunks as title, artist and comment.

#include <memory>

#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/ByteStream.h"

bool LooksLikeAiff(const ByteSource& source);
std::unique_ptr<AudioDecoder> OpenAiffDecoder(std::shared_ptr<ByteSource> source);
// Bits 8, 16, 24 write AIFF integer PCM; 32 writes AIFC fl32.
std::unique_ptr<AudioEncoder> CreateAiffEncoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& settings,
                                                const AudioTags& tags);
