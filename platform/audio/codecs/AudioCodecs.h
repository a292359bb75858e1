#pragma once
// Plugs the codecs of this folder into a format registry: MP3, Ogg Vorbis and WMA decoders (by
// content, then extension) and encoders, the read-only headerless formats (.raw, .vox, .g721,
// .g723, .g726, by extension), Musepack (.mpc) and audio CD tracks (.cda), read only.

#include <cstdint>

#include "platform/audio/core/FormatRegistry.h"

void RegisterAudioCodecs(FormatRegistry& registry);

// The average bit rate in bit/s of a file of `fileBytes` bytes holding `info`; 0 when it holds no frame.
std::int64_t AverageBitRate(std::int64_t fileBytes, const AudioFileInfo& info);
