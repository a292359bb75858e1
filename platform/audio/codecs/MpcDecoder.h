#pragma once
// Musepack (.mpc, stream versions 7 and 8) decoding through libmpcdec, with the APE tags at the
// file's end. Read only.

#include <memory>

#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/ByteStream.h"

// "MPCK" (version 8) or "MP+" (version 7) at the start.
bool LooksLikeMpc(const ByteSource& source);
// Raises EAudioError for a stream libmpcdec does not accept.
std::unique_ptr<AudioDecoder> OpenMpcDecoder(std::shared_ptr<ByteSource> source);
