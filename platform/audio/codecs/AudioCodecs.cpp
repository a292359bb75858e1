#include "platform/audio/codecs/AudioCodecs.h"

#include "platform/audio/codecs/CdaTrack.h"
#include "platform/audio/codecs/HeaderlessFiles.h"
#include "platform/audio/codecs/Mp3Decoder.h"
#include "platform/audio/codecs/Mp3Encoder.h"
#include "platform/audio/codecs/MpcDecoder.h"
#include "platform/audio/codecs/OggVorbis.h"
#include "platform/audio/codecs/WmaFile.h"

namespace {

// The registry's encoders get only rate, channels and depth: MP3 then writes 128 kbit/s constant bit
// rate, Ogg Vorbis a managed 128 kbit/s, WMA profile 10 (128 kbit/s, 44100 Hz stereo). Callers holding
// encoder settings create the encoders directly.
std::unique_ptr<AudioEncoder> DefaultMp3Encoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& settings,
                                                const AudioTags& tags) {
  return CreateMp3Encoder(std::move(sink), settings, Mp3ConstantBitRate(0, 128, settings.Channels), tags);
}

std::unique_ptr<AudioEncoder> DefaultOggEncoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& settings,
                                                const AudioTags& tags) {
  OggEncoderConfig config;
  config.Channels = settings.Channels;
  return CreateOggEncoder(std::move(sink), settings, config, tags);
}

std::unique_ptr<AudioEncoder> DefaultWmaEncoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& settings,
                                                const AudioTags&) {
  return CreateWmaEncoder(std::move(sink), settings, 10);
}

auto G726Opener(int bitsPerCode, const wchar_t* name) {
  return [bitsPerCode, name](std::shared_ptr<ByteSource> source) {
    return OpenG726Decoder(std::move(source), bitsPerCode, name);
  };
}

}  // namespace

void RegisterAudioCodecs(FormatRegistry& registry) {
  registry.Register({kFileTypeMp3, L"MP3", {L".mp3", L".mp2", L".mpga"}, LooksLikeMp3, OpenMp3Decoder,
                     DefaultMp3Encoder});
  registry.Register({kFileTypeOgg, L"OGG", {L".ogg"}, LooksLikeOgg, OpenOggDecoder, DefaultOggEncoder});
  registry.Register({kFileTypeWma, L"WMA", {L".wma"}, LooksLikeWma, OpenWmaDecoder, DefaultWmaEncoder});
  // Each headerless format needs its own entry: a decoder is chosen by the entry, not by the path.
  registry.Register({0, L"Raw audio", {L".raw"}, nullptr, OpenRawDecoder, nullptr});
  registry.Register({0, L"VOX", {L".vox"}, nullptr, OpenVoxDecoder, nullptr});
  registry.Register({0, L"G.721", {L".g721"}, nullptr, G726Opener(4, L"G.721"), nullptr});
  registry.Register({0, L"G.723", {L".g723"}, nullptr, G726Opener(3, L"G.723"), nullptr});
  registry.Register({0, L"G.726", {L".g726"}, nullptr, G726Opener(4, L"G.726"), nullptr});
  registry.Register({0, L"Musepack", {L".mpc"}, LooksLikeMpc, OpenMpcDecoder, nullptr});
  registry.Register({0, L"CD Audio", {L".cda"}, LooksLikeCda, OpenCdaDecoder, nullptr});
}

std::int64_t AverageBitRate(std::int64_t fileBytes, const AudioFileInfo& info) {
  if (info.Frames <= 0 || info.SampleRate <= 0) return 0;
  return static_cast<std::int64_t>(static_cast<double>(fileBytes) * 8.0 * info.SampleRate /
                                   static_cast<double>(info.Frames) + 0.5);
}
