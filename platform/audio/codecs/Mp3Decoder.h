#pragma once
// MPEG audio decoding (Layer I, II and III; .mp3, .mp2, .mpga), gapless: the encoder delay and
// padding recorded in an info header are removed, so the length is the length that was encoded.

#include <memory>

#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/ByteStream.h"

// An ID3v2 tag, or two consecutive MPEG audio frame headers, at the start.
bool LooksLikeMp3(const ByteSource& source);
// Raises EAudioError when no frame decodes.
std::unique_ptr<AudioDecoder> OpenMp3Decoder(std::shared_ptr<ByteSource> source);
