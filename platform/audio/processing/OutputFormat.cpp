#include "platform/audio/processing/OutputFormat.h"

#include "platform/audio/codecs/Mp3Encoder.h"
#include "platform/audio/codecs/WmaFile.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/WavFile.h"

EncoderSettings SettleOutputFormat(const OutputFormat& format, int inputRate) {
  switch (format.Kind) {
    case OutputKind::Wav:
      return format.Wav;
    case OutputKind::Mp3: {
      const SettledFormat settled = SettleMp3Format(format.Mp3, inputRate);
      return {settled.SampleRate, settled.Channels, 16};
    }
    case OutputKind::Ogg: {
      const SettledFormat settled = SettleOggFormat(format.Ogg, inputRate);
      return {settled.SampleRate, settled.Channels, 16};
    }
    case OutputKind::Wma: {
      const WmaProfile* profile = FindWmaProfile(format.WmaProfile);
      if (!profile) throw EAudioError(L"Unknown WMA profile " + std::to_wstring(format.WmaProfile) + L".");
      return {profile->SampleRate, profile->Channels, 16};
    }
  }
  return format.Wav;
}

std::unique_ptr<AudioEncoder> CreateOutputEncoder(const OutputFormat& format, const EncoderSettings& settled,
                                                  std::unique_ptr<ByteSink> sink) {
  switch (format.Kind) {
    case OutputKind::Wav:
      return CreateWavEncoder(std::move(sink), settled, AudioTags{});
    case OutputKind::Mp3: {
      Mp3EncoderConfig config = format.Mp3;
      config.SampleRate = settled.SampleRate;
      config.Channels = settled.Channels;
      return CreateMp3Encoder(std::move(sink), settled, config, AudioTags{});
    }
    case OutputKind::Ogg: {
      OggEncoderConfig config = format.Ogg;
      config.SampleRate = settled.SampleRate;
      config.Channels = settled.Channels;
      return CreateOggEncoder(std::move(sink), settled, config, AudioTags{});
    }
    case OutputKind::Wma:
      return CreateWmaEncoder(std::move(sink), settled, format.WmaProfile);
  }
  return nullptr;
}
