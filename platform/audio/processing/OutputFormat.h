#pragma once
// The output format a file writer is set to (WAV, MP3, Ogg Vorbis or WMA with their settings), the
// format it really writes for a given input rate, and the encoder for it.

#include <memory>

#include "platform/audio/codecs/Mp3EncoderSettings.h"
#include "platform/audio/codecs/OggVorbis.h"
#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/ByteStream.h"

enum class OutputKind { Wav, Mp3, Ogg, Wma };

struct OutputFormat {
  OutputKind Kind = OutputKind::Wav;
  EncoderSettings Wav;  // rate, channels and bits of a WAV output
  Mp3EncoderConfig Mp3;
  OggEncoderConfig Ogg;
  int WmaProfile = 10;
};

// What the encoder writes for frames arriving at `inputRate` (bits: the WAV depth, else 16).
EncoderSettings SettleOutputFormat(const OutputFormat& format, int inputRate);

// An encoder taking frames already in the settled format `settled`.
std::unique_ptr<AudioEncoder> CreateOutputEncoder(const OutputFormat& format, const EncoderSettings& settled,
                                                  std::unique_ptr<ByteSink> sink);
