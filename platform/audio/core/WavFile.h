#pragma once
// RIFF WAVE files: PCM 8/16/24/32-bit, IEEE float 32/64-bit, A-law, u-law, the extensible header,
// and LIST/INFO tags. Unknown chunks are skipped; a data chunk that claims more than the file holds is
// read as far as whole frames go.

#include <memory>

#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/ByteStream.h"

bool LooksLikeWav(const ByteSource& source);
std::unique_ptr<AudioDecoder> OpenWavDecoder(std::shared_ptr<ByteSource> source);
// Bits 8, 16, 24 write integer PCM; 32 writes IEEE float.
std::unique_ptr<AudioEncoder> CreateWavEncoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& settings,
                                               const AudioTags& tags);
