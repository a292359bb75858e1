#pragma once
// Files without a header, recognised by extension only: .raw (16-bit signed little-endian stereo at
// 44100 Hz), .vox (4-bit VOX ADPCM, 8000 Hz mono) and .g721/.g723/.g726 (G.726 ADPCM at 32, 24 and 32
// kbit/s, 8000 Hz mono, codes packed from the low bits of each byte up). Read only.

#include <memory>

#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/ByteStream.h"

std::unique_ptr<AudioDecoder> OpenRawDecoder(std::shared_ptr<ByteSource> source);
std::unique_ptr<AudioDecoder> OpenVoxDecoder(std::shared_ptr<ByteSource> source);
// `bitsPerCode` 4 for .g721 and .g726, 3 for .g723; `name` is the container shown ("G.721", ...).
std::unique_ptr<AudioDecoder> OpenG726Decoder(std::shared_ptr<ByteSource> source, int bitsPerCode,
                                              const String& name);
